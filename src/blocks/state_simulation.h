// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// CALCS: the average day of the month being simulated in a 365-day run.
// Rows 1-17 the day's mean HEAT(1..17,h,m), Btu/h; 18 the mean of the
// negative (heating) HVAC outputs and 20 of the positive (cooling) ones,
// Btu/h; 19 the mean air changes per hour; 21 the mean fan electricity, kWh;
// 22 and 23 spare. Zeroed at the start of every run and after every month.
struct CALCS_STATE_t {
    FArray<REAL, 23, 24> HEATAC{};
};

extern CALCS_STATE_t CALCS_STATE;

inline FArray<REAL, 23, 24>& HEATAC = CALCS_STATE.HEATAC;

}  // namespace mavo

#define MAVO_STATE_SIMULATION_BLOCKS(X) X(CALCS_STATE)
