// Dates and values of hourly weather records, shared by the weather set-up's
// year pass and positioning and by the simulation's reading of the days.
#include <charconv>

#include "blocks/blocks.h"
#include "physics/weather_file.h"
#include "support/fortran_format.h"

namespace mavo::weather {

bool record_is_leap_day(std::string_view record, bool zone_text) {
    if (zone_text) {
        ffmt::LineReader r(record);
        const long long month = r.I(kZoneTextFieldWidth);
        const long long day = r.I(kZoneTextFieldWidth);
        return r.ok() && month == 2 && day == 29;
    }
    // EPW: year, month, day, ... ; the date fields as integers.
    auto field = [record](int column) {
        std::size_t start = 0;
        for (int c = 1; c < column; ++c) {
            start = record.find(',', start);
            if (start == std::string_view::npos) return -1L;
            ++start;
        }
        while (start < record.size() && record[start] == ' ') ++start;
        long value = -1;
        const char* first = record.data() + start;
        const auto [end, ec] = std::from_chars(first, record.data() + record.size(), value);
        return ec == std::errc{} && end != first ? value : -1L;
    };
    return field(2) == 2 && field(3) == 29;
}

INTEGER hours_before_day(INTEGER month, INTEGER day) {
    if (month < 1 || month > 12 || day < 1 || day > MODAYS(month)) return -1;
    INTEGER days_before = 0;
    for (INTEGER m = 1; m < month; ++m) days_before += MODAYS(m);
    return (days_before + day - 1) * kHoursPerDay;
}

REAL radiation_or_none(REAL raw) {
    constexpr REAL kMissingMark = 9999.0f;
    return (raw >= 0.0f && raw < kMissingMark) ? raw : 0.0f;
}

}  // namespace mavo::weather
