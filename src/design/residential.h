// The residential path of the design generator.
#pragma once
#include "design/design_scheme.h"
#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// Residential design of scheme d.k: schedules and loads of the dwelling
// type, code HVAC, ducts, ventilation and water heater of the climate zone,
// the plan, glazing and window list, the thermal mass, and the
// construction by climate; ends with the construction properties (UVALR)
// or, for an existing house in slot 2, the vintage design. Sets
// d.year_built.
void residential_design(DesignScheme& d);

// The roof choice a generated dwelling takes in climate zone z for the
// choice its column holds: a flat roof (2, 3) stays flat, cool (2) where
// the zone asks low-slope roofs to be cool; any other choice becomes a
// sloped roof of light-weight tiles, cool (4) where the zone asks sloped
// roofs to be cool, else the default (6).
REAL designed_roof_choice(REAL roof, INTEGER z);

// The climate's call for thermal mass into the climate flags NFLAG(74)
// (freezing), NFLAG(75) (high mass) and NFLAG(76) (medium mass); none above
// 56 degrees latitude. The window list and the construction family of the
// efficient dwelling both follow these flags.
void settle_climate_mass_need();

// Construction family of a new dwelling by its climate flags: floor, walls,
// roof slope and thermal mass (scheme 1 always light wood frame).
void residential_construction_by_climate(const DesignScheme& d);

// The climate's call for thermal mass from its monthly mean maxima and
// minima (F) and the comfort limits.
struct ClimateMassNeed {
    bool freezing = false;     // a month's mean minimum at or below 27 F
    bool high_mass = false;    // hot days with a wide swing and cool nights
    bool medium_mass = false;  // a useful daily swing below the comfort limit
};
ClimateMassNeed climate_mass_need(const FArray<REAL, 12>& tmax_F, const FArray<REAL, 12>& tmin_F, REAL comhi_F,
                                  REAL comlow_F);

// Slope of a pitched roof by latitude, degrees: 10 in the tropics, the
// latitude less 5 in between, 40 from 45 degrees on.
REAL pitched_roof_slope(REAL latitude_deg);

// Sets RSLOPE for the designed roof choice: the pitched roof's slope at the
// site's latitude, none for a flat roof (choices 3 and below, either sign).
void designed_roof_slope(REAL roof);

}  // namespace mavo
