// Yearly extremes of the heat-flow components and their ranking for the
// hourly bar chart.
#pragma once
#include "support/types.h"

namespace mavo {

// COMPMAX, COMPMIN and the axis words of BLK25; PKGAIN, PKLOSS and their
// months and hours (BLK20); a combination's heating and cooling hours.
void PEAKS();

// BARPAIRS of BLK25 for hour IHOUR (1-24; any other value: the 24-hour
// mean) of month IMONTH: components 1-16 ranked by scaled value, largest
// first, and the total as pair 17.
void SORT(INTEGER IHOUR, INTEGER IMONTH);

}  // namespace mavo
