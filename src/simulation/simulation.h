// Hourly building simulation.
#pragma once
#include "support/types.h"

namespace mavo {

void CALCS();
// The hour's net heat flow HEAT(17) and its running extremes.
void TOTALS(INTEGER MONTH, INTEGER IHOUR);
// The zone balance of the hour: indoor temperature, HVAC output, air changes.
void TSTORE(INTEGER MONTH, INTEGER IHOUR, INTEGER IDAY, INTEGER& NNOTCONV);

}  // namespace mavo
