// The average day of a month in the 365-day run: every hourly consumer sees
// one day of 24 hours per month, so the month's days are averaged into it.
#pragma once
#include "support/types.h"

namespace mavo {

// One counted hour of one day of a month of days_in_month days: adds its
// share to OATEMP and IATEMP of the month and to the accumulator HEATAC
// (heat flows, heating and cooling outputs apart, air changes, fan energy).
void add_hour_to_average_day(INTEGER MONTH, INTEGER IHOUR, INTEGER days_in_month);

// After the last day of the month: the accumulated average day replaces
// HEAT, HVACLD (mean heating output), STORED (mean cooling output), AIRVOL
// and KWHRFA of the month, FREEZHRS becomes the share of the month's days
// below 47 F, and the accumulator is cleared for the next month.
void close_average_day(INTEGER MONTH, INTEGER days_in_month);

}  // namespace mavo
