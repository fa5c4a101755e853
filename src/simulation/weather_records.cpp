// The weather records of one simulated day.
#include "simulation/weather_records.h"

#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "front/units.h"
#include "physics/line_parser.h"
#include "support/fortran_format.h"
#include "support/numeric.h"

namespace mavo {
namespace {

using weather::LineStatus;

constexpr INTEGER kHoursPerYear = 8760;
constexpr INTEGER kRecordsPerDay = 24;
constexpr std::size_t kEpwLineLength = 250;  // characters of an EPW record the parser sees

// Columns of an EPW record the reader asks the parser for, and the slot of
// each in FIELDVALS.
constexpr INTEGER kEpwColumns[] = {2, 3, 4, 7, 8, 9, 14, 15, 16, 21, 22};
constexpr INTEGER kEpwWanted = 11;
enum EpwSlot : INTEGER {
    kMonthSlot = 1,
    kDaySlot = 2,
    kHourSlot = 3,
    kDryBulbSlot = 4,
    kDewPointSlot = 5,
    kGlobalSlot = 7,
    kDirectSlot = 8,
    kWindSlot = 11,
};
constexpr REAL kFieldPresentAbove = -999.9f;  // the parser marks a missing field -999.99
constexpr REAL kEpwMissingWindMs = 999.0f;    // EPW mark of a missing wind speed

// Fields of the climate-zone text record: five I8, 16 columns not read,
// three F8.1.
constexpr int kZoneTextWidth = 8;
constexpr int kZoneTextSkipped = 16;
constexpr int kZoneTextDecimals = 1;

// Unit conversions at the weather-file boundary.
constexpr REAL kBtuPerFt2PerWhPerM2 = 0.3168f;  // 1 Wh/m2 = 0.3170 Btu/ft2
constexpr REAL kBtuPerFt2PerKjPerM2 = 0.088f;   // 1 kJ/m2 = 0.0881 Btu/ft2
constexpr REAL8 kWhPerKj = 0.2778;              // 1 kJ = 0.27778 Wh
constexpr REAL kFpmPerMs = 196.85f;             // 1 m/s = 196.85 ft/min
// Hours below 47 F: a heat pump's output drops below its rating with frost.
constexpr REAL kFreezeCountBelowF = 47.0f;

constexpr REAL fahrenheit_of(REAL t_C) { return t_C * 9.0f / 5.0f + 32.0f; }

bool field_present(REAL v) { return v > kFieldPresentAbove; }

// A radiation in the day table, Btu/ft2 (whole units, as the glazing and
// opaque models take it).
INTEGER day_table_radiation(REAL radiation, REAL btu_per_ft2_per_unit) {
    return int_toward_zero(radiation * btu_per_ft2_per_unit);
}

// The dry bulb, dew point and wind of a record, once read.
struct RecordWeather {
    REAL dry_bulb_C = 0.0f;
    REAL dew_point_C = 0.0f;
    REAL wind_ms = 0.0f;
};

// Where record i of the day goes in the year of BLK51: the hour of its own
// date, so the solar models find each day at its date in either run mode;
// the next hour of the sequence when the record's date is no day of the
// year.
INTEGER year_hour_of_record(WeatherReading& w, INTEGER MONTH, INTEGER i) {
    const INTEGER before = weather::hours_before_day(TMON(MONTH), TDAY(MONTH));
    if (before < 0) return w.hour_of_year;
    const INTEGER n = before + i;
    if (n != w.hour_of_year && !w.out_of_sequence_seen) {
        DBG_INT("weather record dated out of its place in the file, hour of the year", n);
        w.out_of_sequence_seen = true;
    }
    return n;
}

// An EPW record into the day's tables and the year's arrays. A missing dry
// bulb, dew point or wind repeats the last good value; a missing radiation
// (an empty field, the 9999 mark or a value outside the format's range) is
// no sun in that hour. The year holds what the day tables hold.
void take_epw_record(WeatherReading& w, INTEGER MONTH, INTEGER i, RecordWeather& r) {
    TEXTLINE = w.line.first(kEpwLineLength);
    for (INTEGER j = 1; j <= kEpwWanted; ++j) ISTPOS(j) = kEpwColumns[j - 1];
    FFCDREAD(kEpwWanted);

    if (field_present(FIELDVALS(kMonthSlot))) TMON(MONTH) = int_toward_zero(FIELDVALS(kMonthSlot));
    if (field_present(FIELDVALS(kDaySlot))) TDAY(MONTH) = int_toward_zero(FIELDVALS(kDaySlot));
    if (field_present(FIELDVALS(kHourSlot))) THOUR(i) = int_toward_zero(FIELDVALS(kHourSlot));
    const INTEGER n = year_hour_of_record(w, MONTH, i);

    // An EPW file marks a temperature it lacks with 99.9 C, as the weather
    // set-up and the zone-text converter also read it.
    const REAL dry_bulb = FIELDVALS(kDryBulbSlot);
    if (field_present(dry_bulb) && weather::epw_temperature_present(dry_bulb)) w.dry_bulb_C = dry_bulb;
    const REAL dew_point = FIELDVALS(kDewPointSlot);
    if (field_present(dew_point) && weather::epw_temperature_present(dew_point)) w.dew_point_C = dew_point;
    const REAL wind = FIELDVALS(kWindSlot);
    if (field_present(wind) && wind < kEpwMissingWindMs) w.wind_ms = wind;
    const REAL global_whm2 = weather::radiation_or_none(FIELDVALS(kGlobalSlot));
    const REAL direct_whm2 = weather::radiation_or_none(FIELDVALS(kDirectSlot));
    HORIZ(i) = day_table_radiation(global_whm2, kBtuPerFt2PerWhPerM2);
    BEAM(i) = day_table_radiation(direct_whm2, kBtuPerFt2PerWhPerM2);

    TAMB(n) = w.dry_bulb_C;
    WNDSPD(n) = w.wind_ms;
    TOTHORIZ(n) = global_whm2;
    DRCTNORMAL(n) = direct_whm2;
    r.dry_bulb_C = w.dry_bulb_C;
    r.dew_point_C = w.dew_point_C;
    r.wind_ms = w.wind_ms;
}

// A climate-zone text record; false when a field is not a number (a read
// error of the formatted record).
bool take_zone_text_record(WeatherReading& w, INTEGER MONTH, INTEGER i, RecordWeather& r) {
    ffmt::LineReader reader(w.line.view());
    const long long month = reader.I(kZoneTextWidth);
    const long long day = reader.I(kZoneTextWidth);
    const long long hour = reader.I(kZoneTextWidth);
    const long long global = reader.I(kZoneTextWidth);
    const long long direct = reader.I(kZoneTextWidth);
    reader.X(kZoneTextSkipped);
    const REAL dry_bulb = reader.F(kZoneTextWidth, kZoneTextDecimals);
    const REAL dew_point = reader.F(kZoneTextWidth, kZoneTextDecimals);
    const REAL wind = reader.F(kZoneTextWidth, kZoneTextDecimals);
    if (!reader.ok() || !std::isfinite(dry_bulb) || !std::isfinite(dew_point) || !std::isfinite(wind)) return false;

    TMON(MONTH) = int_toward_zero(static_cast<double>(month));
    TDAY(MONTH) = int_toward_zero(static_cast<double>(day));
    THOUR(i) = int_toward_zero(static_cast<double>(hour));
    const INTEGER n = year_hour_of_record(w, MONTH, i);
    const REAL global_kj = weather::radiation_or_none(static_cast<REAL>(global));
    const REAL direct_kj = weather::radiation_or_none(static_cast<REAL>(direct));
    TOTHORIZ(n) = global_kj * kWhPerKj;
    DRCTNORMAL(n) = direct_kj * kWhPerKj;
    TAMB(n) = dry_bulb;
    WNDSPD(n) = wind;
    HORIZ(i) = day_table_radiation(global_kj, kBtuPerFt2PerKjPerM2);
    BEAM(i) = day_table_radiation(direct_kj, kBtuPerFt2PerKjPerM2);
    r.dry_bulb_C = dry_bulb;
    r.dew_point_C = dew_point;
    r.wind_ms = wind;
    return true;
}

// Temperatures of record i. TEMPS carries the same hour of the day before,
// except on a day that starts a sequence: the first day of a run, month 1
// of a twelve-day run and the first day of every month of a 365-day run.
void take_temperatures(const WeatherReading& w, INTEGER IDAY, INTEGER MONTH, INTEGER i, const RecordWeather& r) {
    const REAL previous_F = TEMP(i);
    TEMP(i) = fahrenheit_of(r.dry_bulb_C);
    const bool restart = w.first_day || (NFLAG(38) ? IDAY == 1 : MONTH == 1);
    TEMPS(i) = restart ? TEMP(i) : previous_F;
    DP(i) = fahrenheit_of(r.dew_point_C);
    WINDFPM(i) = r.wind_ms * kFpmPerMs;
}

// The month's mean wind and frost hours gain the record's share.
void add_to_month(INTEGER MONTH, INTEGER i, INTEGER days_run) {
    WINDVEL(i, MONTH) = WINDVEL(i, MONTH) + WINDFPM(i) / static_cast<REAL>(days_run);
    if (TEMP(i) < kFreezeCountBelowF) FREEZHRS(i, MONTH) = FREEZHRS(i, MONTH) + 1.0f;
}

INTEGER record_stamp(INTEGER MONTH, INTEGER IDAY, INTEGER i) {
    if (NFLAG(38)) return MONTH * 10000 + IDAY * 100 + i;
    return TMON(MONTH) * 10000 + TDAY(MONTH) * 100 + i;
}

// The comparison day of measured data ends with its hour 24.
bool last_record_of_comparison_day(INTEGER MONTH, INTEGER i) {
    return TMON(MONTH) == EXPMON && TDAY(MONTH) == EXPDAY && THOUR(i) == 24;
}

// The next hourly record, past the records of 29 February of a leap-year
// file: the simulation runs the 365-day year, as the weather set-up's pass
// and positioning do.
LineStatus read_hourly_record(WeatherReading& w, std::FILE* file, bool zone_text) {
    if (!file) return LineStatus::read_error;
    for (;;) {
        const LineStatus status = weather::read_weather_line(file, w.line);
        if (status != LineStatus::ok || !weather::record_is_leap_day(w.line.view(), zone_text)) return status;
        if (!w.leap_day_seen) DBG_PRINT("leap-year weather file: 29 February read past");
        w.leap_day_seen = true;
    }
}

// A read error or the end of the file: the file is rewound for whoever
// reads it next and the simulation ends. A file that ends before the
// simulated days do fails the run: the scheme's results would be saved as
// zeros. (A year pass of the weather set-up, when it makes one, reads the
// whole file first and falls back to zone 9 when it is short; without one,
// as in most runs of schemes 3 to 9, the end is met here.)
void stop_at_unreadable_record(const WeatherReading& w, LineStatus status, INTEGER MONTH, INTEGER i) {
    if (std::FILE* f = unit_file(BLK0B.DISKFTMY)) std::rewind(f);
    if (status == LineStatus::end_of_file) {
        DBG_INT("ERROR 93 Rewind DISKFTMY tmy/exp at line", w.lines_read);
        DBG_INT("END 93 tmy/exp at line", w.lines_read);
        note_damaged_load();
        DBG_ERROR("CALCS: the weather file ends before the simulated days do: the run fails and no project file "
                  "is saved");
    } else {
        DBG_INT("ERROR 92 Rewind DISKFTMY tmy/exp at line", w.lines_read);
    }
    weather_data_error(MONTH, i);
}

}  // namespace

void start_weather_reading(WeatherReading& w) {
    w = WeatherReading{};
    w.hour_of_year = NFLAG(38) ? 0 : SKPDAY * kRecordsPerDay;
}

void weather_data_error(INTEGER MONTH, INTEGER record) {
    const INTEGER m = (MONTH >= 1 && MONTH <= 12) ? MONTH : 1;
    const INTEGER i = (record >= 1 && record <= kRecordsPerDay) ? record : 1;
    ITEMY = 42;
    NFLAG(80) = false;
    DBG_INT("error climate data in CALCS:month", TMON(m));
    DBG_INT("error climate data:day", TDAY(m));
    DBG_INT("error climate data:hour", THOUR(i));
    NFLAG(35) = false;
    NFLAG(36) = false;
}

bool read_weather_day(WeatherReading& w, INTEGER MONTH, INTEGER IDAY, INTEGER days_run) {
    const bool measured = NFLAG(35) || NFLAG(36);
    const bool zone_text = NFLAG(37);
    std::FILE* file = measured ? nullptr : unit_file(BLK0B.DISKFTMY);
    w.last_month = MONTH;
    for (INTEGER i = 1; i <= kRecordsPerDay; ++i) {
        w.last_record = i;
        if (!measured) {
            if (CYCLE < 24.0f) IWHEN = record_stamp(MONTH, IDAY, i);
            if (w.hour_of_year < kHoursPerYear) ++w.hour_of_year;
            ++w.lines_read;
            const LineStatus status = read_hourly_record(w, file, zone_text);
            if (status != LineStatus::ok) {
                stop_at_unreadable_record(w, status, MONTH, i);
                return false;
            }
            RecordWeather r;
            if (zone_text) {
                if (!take_zone_text_record(w, MONTH, i, r)) {
                    stop_at_unreadable_record(w, LineStatus::read_error, MONTH, i);
                    return false;
                }
            } else {
                take_epw_record(w, MONTH, i, r);
            }
            take_temperatures(w, IDAY, MONTH, i, r);
        }
        add_to_month(MONTH, i, days_run);
        if (last_record_of_comparison_day(MONTH, i)) break;
    }
    w.first_day = false;
    return true;
}

}  // namespace mavo
