// After the last simulated hour: the renewables, the bills and summaries,
// the saves, the result test and the failure path that zeroes and saves a
// run that did not succeed.
#pragma once
#include "simulation/driver.h"

namespace mavo {

// Where the sequence is entered. The early exits of the set-up and of the
// year enter it part-way.
enum class YearEnd {
    renewables,   // after month 12: photovoltaics and solar water heating
    cost,         // the bills (a multi-zone combination comes in here)
    save,         // invalid weather data on entry: the save step
    transfer,     // a weather read error: the flag and transfer step
    result_test,  // a degenerate building, incompatible fuels
};

void finish_year(YearEnd from, SimulationRun& run);

// The run succeeded: weather data valid and simulated, compatible fuels,
// kernel, zone balance, photovoltaic and solar-water models without error.
bool run_succeeded();

}  // namespace mavo
