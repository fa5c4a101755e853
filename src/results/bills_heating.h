// Electricity of space heating: which kind of electric heat a scheme has and
// how many kWh it draws for the heat it delivers. The bills and the annual
// electric peak read the same rule, so that the peak hour and the bill of
// that hour agree.
#pragma once
#include "support/types.h"

namespace mavo {

enum class ElectricHeating {
    none,        // a fuel furnace (efficiency a fraction), or no heating system
    resistance,  // strip or baseboard heat at its Btu per Wh
    heat_pump,   // a heat pump with back-up strip heat for cold hours
};

// Kind of electric heat from the heating choice STRATEGY(18,k) and the
// heating efficiency COPHT (Btu delivered per Wh when 1 or more, an AFUE
// when below 1). The choice counts by its magnitude: a negative code marks a
// system the user changed (a heat pump with a plain air conditioner, for
// instance), not another kind of system. Codes 0 and 1 have no heating system.
ElectricHeating electric_heating_kind(REAL heating_code, REAL efficiency_btu_per_wh);

// Electricity, kWh, to deliver heating_btu of heat, of which the share
// freezing_share (0 to 1) falls in hours below 47 F. A heat pump delivers
// its rated Btu per Wh in milder hours; in the cold hours defrost and strip
// heat take over, and it never draws more than resistance heat would.
REAL electric_heating_kwh(ElectricHeating kind, REAL heating_btu, REAL efficiency_btu_per_wh, REAL freezing_share);

}  // namespace mavo
