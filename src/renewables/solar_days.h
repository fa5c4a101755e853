// The days the photovoltaic and solar water-heating models run after a
// simulated year: every day of a 365-day run, or the twelve representative
// days of a twelve-day run, each at its own date (TMON, TDAY); of either,
// only the months the run simulated (a re-read's months). The sun, the
// weather (BLK51 holds every record at the hour of its date), the array's
// peak and the tank's state then all belong to the days simulated, and a
// representative day gives what the same calendar day gives in a 365-day
// run.
#pragma once
#include "support/farray.h"
#include "support/types.h"

namespace mavo {

struct SolarDay {
    INTEGER hours_before = 0;  // hours of the year before the day's first hour; hour h is hours_before + h
    INTEGER month = 1;         // calendar month (the host's sunlit fractions are by month)
    INTEGER day = 1;           // day of the month
    INTEGER slot = 1;          // column of the (24,12) results: the month, or the representative day
};

// A run of consecutive hours of the year, first..last.
struct HourSpan {
    INTEGER first = 1;
    INTEGER last = 0;
};

struct SolarDays {
    INTEGER count = 0;
    FArray<SolarDay, 365> day{};
    INTEGER span_count = 0;  // the days as runs of consecutive hours, in day order
    FArray<HourSpan, 365> span{};
};

// The days of the run that just simulated its year (NFLAG(38): every day),
// less those of the months it left out (DAYFLAG).
// A representative day whose date is no day of the year is taken at its
// place in the weather file, SKPDAY days on.
SolarDays solar_model_days();

// The solar-system record's simulated period, STIMESTART and STIMEEND, as
// it is stored: the whole year, hours 1 to 8760. The days a run simulates
// reach the models as solar_model_days(), never through the record.
void store_whole_year_period();

}  // namespace mavo
