#include "renewables/solar_days.h"

#include <algorithm>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/weather_file.h"

namespace mavo {
namespace {

constexpr INTEGER kHoursPerDay = 24;
using weather::kRepresentativeDays;

void add_day(SolarDays& d, INTEGER hours_before, INTEGER month, INTEGER day, INTEGER slot) {
    ++d.count;
    d.day(d.count) = SolarDay{hours_before, month, day, slot};
    const bool continues = d.span_count > 0 && d.span(d.span_count).last == hours_before;
    if (!continues) d.span(++d.span_count) = HourSpan{hours_before + 1, hours_before};
    d.span(d.span_count).last = hours_before + kHoursPerDay;
}

// A month a re-read left out (DAYFLAG -1) was read past, not simulated:
// its days have no loads, and so no array output or hot water either.
bool month_simulated(INTEGER m) { return DAYFLAG(m) >= 0; }

// The date of a day of the year counted from 1 January (0-based).
void date_of(INTEGER day_index, INTEGER& month, INTEGER& day) {
    month = 1;
    day = day_index + 1;
    while (month < 12 && day > MODAYS(month)) day -= MODAYS(month++);
}

}  // namespace

SolarDays solar_model_days() {
    SolarDays d;
    if (NFLAG(38)) {
        INTEGER hours_before = 0;
        for (INTEGER m = 1; m <= 12; ++m)
            for (INTEGER day = 1; day <= MODAYS(m); ++day) {
                if (month_simulated(m)) add_day(d, hours_before, m, day, m);
                hours_before += kHoursPerDay;
            }
        return d;
    }
    for (INTEGER n = 1; n <= kRepresentativeDays; ++n) {
        if (!month_simulated(n)) continue;
        INTEGER month = TMON(n), day = TDAY(n);
        INTEGER hours_before = weather::hours_before_day(month, day);
        if (hours_before < 0) {
            DBG_INT("solar models: representative day without a date, its place in the file taken", n);
            const INTEGER day_index = std::min<INTEGER>(SKPDAY + n - 1, 364);
            date_of(day_index, month, day);
            hours_before = day_index * kHoursPerDay;
        }
        add_day(d, hours_before, month, day, n);
    }
    return d;
}

void store_whole_year_period() {
    STIMESTART = 1;
    STIMEEND = weather::kHoursPerYear;
}

}  // namespace mavo
