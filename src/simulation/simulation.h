// Hourly building simulation.
#pragma once
#include "support/types.h"

namespace mavo {

void CALCS();

// What a run of the current scheme puts in place of the inputs its files
// hold before it simulates, and saves with the scheme for the runs after
// it: the base schemes' gas storage water heater, the generated schemes'
// equipment loads of their type (a dwelling's default appliances), no
// array and the built-in bottled-fuel prices there, and the emission rows
// of the site in force (for the base schemes and after a move). The run
// takes them from here, and so does a copy: its target holds what the
// source's next run would, not what its last run left.
void take_inputs_as_the_run_does();

// The current scheme's column as the save after its year stores it: the
// venting row in one of its two stored values and, after a run that
// simulated, the model condensed back into the column (dimensions, system
// codes, window groups laid out from the lines). A copy takes the source's
// column from here too.
void column_as_the_save_stores_it(bool simulated);
// The hour's net heat flow HEAT(17) and its running extremes.
void TOTALS(INTEGER MONTH, INTEGER IHOUR);
// The zone balance of the hour: indoor temperature, HVAC output, air changes.
void TSTORE(INTEGER MONTH, INTEGER IHOUR, INTEGER IDAY, INTEGER& NNOTCONV);

}  // namespace mavo
