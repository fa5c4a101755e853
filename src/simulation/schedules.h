// The day's schedules and the hourly values of the non-residential schedule
// table that the gains read.
#pragma once
#include "support/types.h"

namespace mavo {

// The lights-on fraction SCHED(1,1..24) of the day being simulated: the
// building type's lighting row in non-residential mode, an on/off window of
// whole hours (its ends possibly counted from sunrise and sunset of the day
// sun table, then stored back resolved) in residential mode. MONTH is not
// used. Called once per simulated day, after SUN.
void SCHEDS(INTEGER MONTH);

// True when NTYPE names a type of the schedule table (1 to 20). Any other
// type has no schedules: its hourly schedule values read as 0.
bool building_type_has_schedules();

// The value of hour IHOUR (1-24) in row `row` (1-16) of the building type's
// schedule table, as stored (percent, degrees F or on/off). 0 for a building
// type without schedules or an hour outside 1 to 24.
REAL schedule_value(INTEGER row, INTEGER IHOUR);

}  // namespace mavo
