// FINDTMY: the weather file of the scheme. It opens the file named by the
// scheme (EPW) or by the climate zone (zone text form), reads the site from
// its header, makes one pass over the year's hourly dry bulbs for the degree
// days, daily and monthly temperatures and design temperatures, classifies
// the site, settles the default tariffs, and leaves the file open on the
// first hourly record of the simulated period for the hourly simulation.
// Every failure falls back once to the zone text file of zone 9.
#include "physics/weather_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "physics/physics.h"
#include "project/project.h"
#include "support/fortran_format.h"
#include "support/numeric.h"

namespace mavo {

namespace weather {

std::string zone_text_file_name(INTEGER zone) { return "zone" + std::to_string(zone) + ".txh"; }

INTEGER settled_climate_zone(std::string_view caller) {
    if (CECZONE < 1 || CECZONE > 16) {
        DBG_INT(std::string("ERROR CECZONE not 1-16, zone 9 used in ") + std::string(caller), CECZONE);
        CECZONE = 9;
    }
    return CECZONE;
}

LineStatus read_weather_line(std::FILE* f, WeatherLine& line) {
    line.length = 0;
    line.text[0] = '\0';
    if (!f) return LineStatus::read_error;
    if (!std::fgets(line.text, sizeof line.text, f))
        return std::ferror(f) ? LineStatus::read_error : LineStatus::end_of_file;
    std::size_t n = std::strlen(line.text);
    if (n > 0 && line.text[n - 1] == '\n') {
        --n;
    } else {
        // Longer than the buffer: the rest of the line is consumed unread.
        int ch;
        while ((ch = std::getc(f)) != EOF && ch != '\n') {
        }
    }
    if (n > 0 && line.text[n - 1] == '\r') --n;
    line.text[n] = '\0';
    line.length = n;
    return std::ferror(f) ? LineStatus::read_error : LineStatus::ok;
}

bool read_zone_text_hour(std::string_view record, ZoneTextHour& hour) {
    // Fields of eight columns convert without touching the heap (short texts).
    ffmt::LineReader r(record);
    hour.month = static_cast<INTEGER>(r.I(kZoneTextFieldWidth));
    hour.day = static_cast<INTEGER>(r.I(kZoneTextFieldWidth));
    hour.hour = static_cast<INTEGER>(r.I(kZoneTextFieldWidth));
    r.X(kZoneTextDryBulbColumn - 1 - 3 * kZoneTextFieldWidth);
    hour.dry_bulb_C = r.F(kZoneTextFieldWidth, 1);
    return r.ok() && std::isfinite(hour.dry_bulb_C);
}

}  // namespace weather

namespace {

using weather::kDaysPerYear;
using weather::kHoursPerDay;
using weather::kRepresentativeDays;
using weather::kSkipDayLimit;
using weather::LineStatus;

constexpr int kMarkerSearchRecords = 33;  // header records searched for the data marker
constexpr int kGroundSearchLines = 13;    // EPW lines 2 to 14 searched for the ground line
constexpr int kDesignHourRank = 87;       // the 87th hottest hour: 1 % of the year's 8760 hours
constexpr int kColdSearchEntries = 30;
constexpr REAL kColdestCredibleF = -60.0f;  // colder readings are instrument faults, not weather
constexpr REAL kDegreeDayBaseF = 65.0f;
constexpr REAL kFieldPresent = -999.9f;     // the line parser's missing mark lies below
constexpr REAL kTropicLatitude = 23.4f;     // below it the sun can stand north of the zenith
constexpr REAL kZoneTextAltitude = 99.99f;  // the zone text form gives no elevation
constexpr INTEGER kTdailyLead = 68;         // days 298-365 repeated ahead of 1 January
constexpr INTEGER kLastDayNotRepeated = kDaysPerYear - kTdailyLead;  // 297
constexpr INTEGER kGroundSetOfFile = 18;

constexpr std::string_view kDataMarker = "DATA";
constexpr std::string_view kDataMarkerText = "<dat";
constexpr std::string_view kGroundLineMarker = "GROU";

// Zone codes of the climate zones, the zone number in five digits.
constexpr FArray<FString<5>, 16> CALCODES = {"00001", "00002", "00003", "00004", "00005", "00006",
                                             "00007", "00008", "00009", "00010", "00011", "00012",
                                             "00013", "00014", "00015", "00016"};

constexpr REAL celsius_to_fahrenheit(REAL t_C) { return t_C * 9.0f / 5.0f + 32.0f; }

bool field_present(REAL value) { return value > kFieldPresent; }

// What one call keeps while it works on the weather file.
struct FindtmyCall {
    std::FILE* file = nullptr;
    weather::WeatherLine line;
    FString<12> TMYFILE;          // the file actually opened
    FString<5> CODET;             // zone code
    FString<24> NAMEX;            // station name
    FString<4> AD1;               // first four characters of the last record read
    REAL held_latitude = 0.0f;    // SLAT on entry: a zone-number location keeps it
    bool data_ok = true;          // the data-valid mark, NFLAG(80) at the end
    INTEGER lines_read = 0;       // records read since the last rewind
    INTEGER day = 0;              // day of the year pass
    bool leap_day_seen = false;   // 29 February read past (traced once)
    FArray<REAL, 89> SUMMERHOURS{};  // hottest hours of the year, F, descending
    FArray<REAL, 89> WINTERHOURS{};  // coldest hour of the year above -60 F in entry 1
    // The file's own design temperatures, F, from a year pass that read its
    // whole year, in either run length (the twelve-day mode keeps DESMAX and
    // DESMIN as the scheme's files give them).
    bool design_of_file = false;
    REAL design_max_F = 0.0f;
    REAL design_min_F = 0.0f;
};

// Reading and errors ----------------------------------------------------------

LineStatus next_line(FindtmyCall& c) {
    const LineStatus s = weather::read_weather_line(c.file, c.line);
    if (s == LineStatus::ok) {
        ++c.lines_read;
        c.AD1 = c.line.first(4);
    }
    return s;
}

// The next hourly record, past the records of 29 February of a leap-year
// file: the year pass and the simulation both run the 365-day year.
LineStatus next_hourly_line(FindtmyCall& c) {
    for (;;) {
        const LineStatus s = next_line(c);
        if (s != LineStatus::ok || !weather::record_is_leap_day(c.line.view(), NFLAG(37))) return s;
        if (!c.leap_day_seen) DBG_PRINT("leap-year weather file: 29 February read past FINDTMY");
        c.leap_day_seen = true;
    }
}

void rewind_weather_file(FindtmyCall& c) {
    if (c.file) std::rewind(c.file);
    c.lines_read = 0;
}

void close_weather_file(FindtmyCall& c) {
    rewind_weather_file(c);
    unit_close(BLK0B.DISKFTMY);
    c.file = nullptr;
}

void trace_cannot_read(const FindtmyCall& c) {
    DBG_PRINT("Error 499 cant read EPW or CECPV files");
    DBG_INT("  after line", c.lines_read);
    DBG_INT("  or for day ND", c.day);
}

void trace_end_of_file() { DBG_PRINT("Error 498 reached end of EPW or CECPV file"); }

void trace_search_failure() {
    DBG_PRINT("ERROR looking for DATA or <dat line");
    DBG_PRINT("Error99 inSection");
}

// One header record; false after tracing why there is none.
bool header_line(FindtmyCall& c) {
    switch (next_line(c)) {
        case LineStatus::ok: return true;
        case LineStatus::end_of_file: trace_end_of_file(); return false;
        case LineStatus::read_error: trace_cannot_read(c); return false;
    }
    return false;
}

enum class Search { found, not_found, failed };

// Reads up to 33 records for the data marker: "<dat", and "DATA" when the
// EPW marker counts too. The file is left on the first hourly record.
Search find_data_marker(FindtmyCall& c, bool epw_marker_counts) {
    for (int n = 0; n < kMarkerSearchRecords; ++n) {
        if (next_line(c) != LineStatus::ok) return Search::failed;
        if ((epw_marker_counts && c.AD1 == kDataMarker) || c.AD1 == kDataMarkerText) return Search::found;
    }
    return Search::not_found;
}

bool header_marker(FindtmyCall& c, bool epw_marker_counts, INTEGER trace_line) {
    switch (find_data_marker(c, epw_marker_counts)) {
        case Search::found: return true;
        case Search::not_found:
            DBG_INT("ERROR did not find DATA or <dat line", trace_line);
            trace_cannot_read(c);
            return false;
        case Search::failed: trace_search_failure(); return false;
    }
    return false;
}

bool open_weather_file(FindtmyCall& c) {
    c.lines_read = 0;
    c.day = 0;
    DIR_BUILDPATH(weather::kWeatherDirectory, c.TMYFILE.trimmed());
    const std::string path = built_path();
    DBG_PRINT(std::string("TMYFILE ") + std::string(c.TMYFILE.trimmed()));
    // The weather file must exist: it is opened for reading only.
    c.file = unit_open(BLK0B.DISKFTMY, path.c_str(), "r");
    if (!c.file) {
        trace_cannot_read(c);
        return false;
    }
    return true;
}

void header_read() {
    TMYCODE = "99999";
    NFLAG(35) = false;
    NFLAG(36) = false;
    TMYFLAG.fill(1);  // the file starts at 1 January, hour 1
}

// EPW header ------------------------------------------------------------------

// The LOCATION line: station name in characters 10-33; latitude, longitude,
// time zone and elevation in columns 7 to 10.
void take_epw_location(FindtmyCall& c) {
    const std::string_view line = c.line.view();
    const FString<24> station = line.size() > 9 ? line.substr(9, 24) : std::string_view{};
    TEXTLINE = c.line.first(TEXTLINE.size());
    for (INTEGER j = 1; j <= 4; ++j) ISTPOS(j) = 6 + j;
    FFCDREAD(4);
    // A missing latitude, longitude or elevation reads as 0; a missing time
    // zone keeps the one in force (0 would put the site on Greenwich time).
    auto value = [](INTEGER j) { return field_present(FIELDVALS(j)) ? FIELDVALS(j) : 0.0f; };
    const REAL latitude = value(1);
    NFLAG(84) = latitude < kTropicLatitude;
    SLON = value(2);
    SLAT = latitude;
    if (field_present(FIELDVALS(3))) {
        TMZONEF = FIELDVALS(3);
        TMZONEI = int_toward_zero(TMZONEF);
    }
    ALTITUDE = value(4);
    c.NAMEX = station;
    TITLE3 = station;
    header_read();
    DBG_FLOAT("SLAT latitude FINDTMY", SLAT);
    DBG_FLOAT("SLON longitude FINDTMY", SLON);
    DBG_INT("TMZONEI time zone FINDTMY", TMZONEI);
}

// A depth of the ground line counts when its July to September values are
// all given and not all zero (weather files without ground data write zeros
// or leave the fields empty).
bool ground_depth_present(INTEGER first) {
    const REAL jul = FIELDVALS(first + 6), aug = FIELDVALS(first + 7), sep = FIELDVALS(first + 8);
    if (!field_present(jul) || !field_present(aug) || !field_present(sep)) return false;
    return !(jul == 0.0f && aug == 0.0f && sep == 0.0f);
}

// The given months of one depth into the weather file's set; `given` marks
// the months the line has supplied so far.
void take_ground_depth(INTEGER first, FArray<bool, 12>& given) {
    for (INTEGER m = 1; m <= 12; ++m) {
        const REAL t_C = FIELDVALS(first + m - 1);
        // Converted as it is taken, so a month no depth gives is never
        // converted twice.
        if (!field_present(t_C)) continue;
        GROUNDTEMP(m, kGroundSetOfFile) = celsius_to_fahrenheit(t_C);
        given(m) = true;
    }
}

// The ground line: twelve monthly values, C, at each of three depths in
// columns 7-18, 23-34 and 39-50; the deepest present depth wins.
void take_ground_temperatures(const weather::WeatherLine& line) {
    // (A4,250A1): the four characters of the marker are not part of the
    // parsed text; the columns still count from the line's start.
    TEXTLINE = line.view().substr(std::min<std::size_t>(4, line.length));
    for (INTEGER i = 0; i < 12; ++i) {
        ISTPOS(1 + i) = 7 + i;
        ISTPOS(13 + i) = 23 + i;
        ISTPOS(25 + i) = 39 + i;
    }
    FFCDREAD(36);
    if (!ground_depth_present(1)) {
        DBG_PRINT("ground temperatures of the weather file are empty, zone set kept");
        return;
    }
    // The file's set starts as the zone's own, so that no month keeps a value
    // of an earlier weather file.
    for (INTEGER m = 1; m <= 13; ++m) GROUNDTEMP(m, kGroundSetOfFile) = GROUNDTEMP(m, ZONE);
    FArray<bool, 12> given{};
    take_ground_depth(1, given);
    const bool second = ground_depth_present(13);
    if (second) take_ground_depth(13, given);
    if (second && ground_depth_present(25)) take_ground_depth(25, given);
    if (!std::all_of(given.begin(), given.end(), [](bool g) { return g; })) {
        DBG_PRINT("ground temperatures of the weather file lack a month, zone set kept");
        return;
    }
    ZONE = kGroundSetOfFile;
    REAL sum_F = 0.0f;
    for (INTEGER m = 1; m <= 12; ++m) sum_F += GROUNDTEMP(m, kGroundSetOfFile);
    GROUNDTEMP(13, kGroundSetOfFile) = sum_F / 12.0f;
    DBG_FLOAT("GROUNDTEMP annual mean of the weather file FINDTMY", GROUNDTEMP(13, kGroundSetOfFile));
}

bool find_epw_ground_line(FindtmyCall& c) {
    for (int n = 0; n < kGroundSearchLines; ++n) {
        if (next_line(c) != LineStatus::ok) {
            trace_search_failure();
            return false;
        }
        if (c.AD1 == kGroundLineMarker) {
            take_ground_temperatures(c.line);
            return true;
        }
    }
    DBG_INT("ERROR did not find GROUND TEMPERATURES line", 655);
    return true;
}

bool read_epw_header(FindtmyCall& c) {
    NFLAG(35) = false;
    NFLAG(36) = false;
    c.TMYFILE.assign_from(CLIMATEFILENAME);
    if (!open_weather_file(c)) return false;
    if (!header_line(c)) return false;
    take_epw_location(c);
    if (!find_epw_ground_line(c)) return false;
    rewind_weather_file(c);
    return header_marker(c, true, 643);
}

// Zone text header ------------------------------------------------------------

bool zone_text_header_value(FindtmyCall& c, REAL& value) {
    if (!header_line(c)) return false;
    ffmt::LineReader r(c.line.view());
    value = r.F(8, 1);
    if (!r.ok()) trace_cannot_read(c);
    return r.ok();
}

bool read_zone_text_header(FindtmyCall& c) {
    NFLAG(35) = false;
    NFLAG(36) = false;
    c.TMYFILE = weather::zone_text_file_name(CECZONE);
    TMYCODE.assign_from(c.CODET);
    if (!open_weather_file(c)) return false;
    ALTITUDE = 0.0f;
    if (!header_line(c)) return false;
    c.AD1 = c.line.view().substr(std::min<std::size_t>(4, c.line.length), 4);  // station code, not used
    REAL longitude_west = 0.0f, latitude = 0.0f, time_zone = 0.0f;
    if (!zone_text_header_value(c, longitude_west) || !zone_text_header_value(c, latitude) ||
        !zone_text_header_value(c, time_zone))
        return false;
    SLON = -longitude_west;
    SLAT = latitude;
    TMZONEF = time_zone;
    TMZONEI = int_toward_zero(TMZONEF);
    ALTITUDE = kZoneTextAltitude;
    header_read();
    DBG_FLOAT("SLAT latitude FINDTMY", SLAT);
    return header_marker(c, false, 911);
}

// Days of the file before the first simulated day -----------------------------

// Days from the file's first day (TMYFLAG) to the first day asked for
// (TMYMON, TMYDAY); negative when that lies before the file's start.
std::int64_t asked_skip_days() {
    std::int64_t before_month = 0;
    INTEGER first_day = TMYFLAG(2);
    if (TMYFLAG(1) < TMYMON) {
        first_day = std::max(TMYFLAG(2), 1);
        // A month beyond December has no days of its own in the table.
        for (INTEGER m = std::max(TMYFLAG(1), 1); m <= std::min(TMYMON - 1, 12); ++m) before_month += MODAYS(m);
    }
    return static_cast<std::int64_t>(TMYDAY) - first_day + before_month;
}

// The days the positioning will skip (SKPDAY): none without a first day
// asked for, at most as many as leave room for the twelve days.
INTEGER planned_skip_days() {
    if (TMYDAY == 0) return 0;
    return static_cast<INTEGER>(std::clamp<std::int64_t>(asked_skip_days(), 0, kSkipDayLimit));
}

// Whether the simulation will read the records of 31 December: every day
// of a 365-day run, or a twelve-day period that ends on it.
bool simulation_reads_last_day() {
    return NFLAG(38) || planned_skip_days() + kRepresentativeDays >= kDaysPerYear;
}

// Year pass -------------------------------------------------------------------

// Month, day, hour and dry bulb of the last record; a value an EPW record
// lacks keeps the one before.
struct HourRecord {
    INTEGER month = 0;
    INTEGER day = 0;
    INTEGER hour = 0;
    REAL dry_bulb_C = 0.0f;
};

LineStatus read_hour(FindtmyCall& c, HourRecord& rec) {
    const LineStatus s = next_hourly_line(c);
    if (s != LineStatus::ok) return s;
    if (NFLAG(37)) {
        weather::ZoneTextHour h;
        if (!weather::read_zone_text_hour(c.line.view(), h)) return LineStatus::read_error;
        rec = HourRecord{h.month, h.day, h.hour, h.dry_bulb_C};
        return s;
    }
    // Only the first 80 characters of an EPW record are read; the wanted
    // columns 2, 3, 4 and 7 are set before the pass.
    TEXTLINE = c.line.first(80);
    FFCDREAD(4);
    if (field_present(FIELDVALS(1))) rec.month = int_toward_zero(FIELDVALS(1));
    if (field_present(FIELDVALS(2))) rec.day = int_toward_zero(FIELDVALS(2));
    if (field_present(FIELDVALS(3))) rec.hour = int_toward_zero(FIELDVALS(3));
    // The EPW missing mark (99.9 C and above) repeats the previous hour, as
    // the converter does for the zone text form.
    const REAL t_C = FIELDVALS(4);
    if (field_present(t_C) && weather::epw_temperature_present(t_C)) rec.dry_bulb_C = t_C;
    return s;
}

// Daily extremes and sum of the hourly dry bulbs, F.
struct DayTemperatures {
    REAL sum_F = 0.0f;
    REAL min_F = 99.0f;
    REAL max_F = -99.0f;
    void add(REAL t_F) {
        max_F = std::max(max_F, t_F);
        min_F = std::min(min_F, t_F);
        sum_F += t_F;
    }
};

// Keeps the 87 hottest hours in descending order; an equal value stays
// behind the older ones.
void rank_hot_hour(FArray<REAL, 89>& hottest, REAL t_F) {
    if (!(t_F > hottest(kDesignHourRank))) return;
    INTEGER k = 1;
    while (!(hottest(k) < t_F)) ++k;
    for (INTEGER i = kDesignHourRank; i > k; --i) hottest(i) = hottest(i - 1);
    hottest(k) = t_F;
}

void take_coldest_hour(FArray<REAL, 89>& coldest, REAL t_F) {
    if (t_F < coldest(1) && t_F > kColdestCredibleF) coldest(1) = t_F;
}

// The day's mean into the degree days and the daily means, and the day's
// extremes into the running monthly means of the record's month.
void close_day(INTEGER nd, const DayTemperatures& d, const HourRecord& last, bool monthly) {
    const REAL mean_F = d.sum_F / static_cast<REAL>(kHoursPerDay);
    if (mean_F < kDegreeDayBaseF) HDD += kDegreeDayBaseF - mean_F;
    TDAILY(nd + kTdailyLead) = mean_F;
    if (nd > kLastDayNotRepeated) TDAILY(nd - kLastDayNotRepeated) = mean_F;
    if (!monthly) return;
    // A record with an impossible date cannot say which month it belongs to.
    if (last.month < 1 || last.month > 12 || last.day < 1 || last.day > MODAYS(last.month)) return;
    const REAL days = static_cast<REAL>(last.day);
    TMAX(last.month) = (TMAX(last.month) * (days - 1.0f) + d.max_F) / days;
    TMIN(last.month) = (TMIN(last.month) * (days - 1.0f) + d.min_F) / days;
}

enum class PassEnd { whole_year, without_last_day, failed };

// Why an hourly record of the year could not be had. A file that ends
// before 31 December is too short in either form when the simulation will
// read that far: it would run out of records in the last days of a 365-day
// year (or of a twelve-day period reaching 31 December) and the year would
// be lost there. A zone text file that lacks only 31 December still serves
// a twelve-day run that ends before it: its year counts as complete.
PassEnd hour_failure(FindtmyCall& c, LineStatus s, INTEGER nd, INTEGER ih) {
    if (NFLAG(37) && nd == kDaysPerYear && !simulation_reads_last_day()) {
        DBG_PRINT("weather file without 31 December: its year counts as complete, design temperatures kept");
        return PassEnd::without_last_day;
    }
    if (s == LineStatus::end_of_file) DBG_INT("ERROR weather file ends before the year does, on day", nd);
    if (!NFLAG(37)) {
        if (s == LineStatus::end_of_file) trace_end_of_file();
        else trace_cannot_read(c);
        return PassEnd::failed;
    }
    if (nd == 1 && ih < kHoursPerDay) DBG_PRINT("FINDTMY:Error 299 1-day");
    else trace_cannot_read(c);
    return PassEnd::failed;
}

PassEnd read_the_year(FindtmyCall& c, bool monthly) {
    HourRecord rec;
    for (INTEGER nd = 1; nd <= kDaysPerYear; ++nd) {
        c.day = nd;
        DayTemperatures day;
        for (INTEGER ih = 1; ih <= kHoursPerDay; ++ih) {
            const LineStatus s = read_hour(c, rec);
            if (s != LineStatus::ok) return hour_failure(c, s, nd, ih);
            if (nd == 1 && static_cast<std::int64_t>(rec.month) * rec.day != 1) {
                // The year must start on 1 January.
                trace_cannot_read(c);
                return PassEnd::failed;
            }
            const REAL t_F = celsius_to_fahrenheit(rec.dry_bulb_C);
            day.add(t_F);
            rank_hot_hour(c.SUMMERHOURS, t_F);
            take_coldest_hour(c.WINTERHOURS, t_F);
        }
        close_day(nd, day, rec, monthly);
    }
    return PassEnd::whole_year;
}

// One pass over the year's hourly dry bulbs. False when the file cannot
// serve.
bool year_pass(FindtmyCall& c) {
    if (IDNUM1 < 3) {
        TMYMON = 0;
        TMYDAY = 0;
    }
    const bool full_year = NFLAG(38);
    const bool monthly = full_year || NFLAG(36);
    if (monthly) {
        TMAX.fill(0.0f);
        TMIN.fill(0.0f);
    }
    HDD = 0.0f;
    c.SUMMERHOURS.fill(-1.0f);
    c.WINTERHOURS.fill(99.0f);
    ISTPOS(1) = 2;
    ISTPOS(2) = 3;
    ISTPOS(3) = 4;
    ISTPOS(4) = 7;
    const PassEnd end = read_the_year(c, monthly);
    if (end == PassEnd::failed) return false;
    // Only a whole year of ranked hours gives design temperatures; without
    // the year's last day they are not the file's. The twelve-day mode keeps
    // the design temperatures from before the pass for its loads, and the
    // file's own place the site in its climate zone.
    c.design_of_file = end == PassEnd::whole_year;
    if (c.design_of_file) {
        c.design_max_F = c.SUMMERHOURS(kDesignHourRank);
        c.design_min_F = 99.0f;
        for (INTEGER i = 1; i <= kColdSearchEntries; ++i) {
            if (c.WINTERHOURS(i) > kColdestCredibleF) {
                c.design_min_F = c.WINTERHOURS(i);
                break;
            }
        }
    }
    if (full_year && c.design_of_file) {
        DESMAX = c.design_max_F;
        DESMIN = c.design_min_F;
    }
    DBG_FLOAT("HDD heating degree days FINDTMY", HDD);
    DBG_FLOAT("DESMAX cooling design temperature FINDTMY", DESMAX);
    DBG_FLOAT("DESMIN heating design temperature FINDTMY", DESMIN);
    return true;
}

// Site classification ---------------------------------------------------------

// The climate zone whose design temperatures and design range lie nearest
// to the file's; ties go to the lower zone.
INTEGER best_match_zone(REAL desmax_F, REAL desmin_F) {
    REAL best = 9999.0f;
    INTEGER zone = CECZONE;
    for (INTEGER z = 1; z <= 16; ++z) {
        const REAL score = std::fabs(desmin_F - DESMINZ(z)) + std::fabs(desmax_F - DESMAXZ(z)) +
                           std::fabs((desmax_F - desmin_F) - (DESMAXZ(z) - DESMINZ(z)));
        if (score < best) {
            best = score;
            zone = z;
        }
    }
    return zone;
}

// California or not, by the position the file's header gives, on every
// run. Set only on a pass over the year, a library slot whose floor asks
// for no pass kept what its input file last stored (false in a slot never
// passed) and took the tariffs and emissions of a site outside the state.
void classify_state_of_site() {
    NFLAG(58) = SLAT >= 32.6f && SLAT <= 42.0f && SLON >= -124.2f && SLON <= -114.0f;
    DBG_LOGICAL("Nflag(58)=T in California 1932", NFLAG(58));
}

// For an EPW file its climate zone: the file's own, on every run of either
// length, never the zone the scheme's results file left.
void classify_site(const FindtmyCall& c, bool epw) {
    if (!epw || !c.design_of_file) return;
    if (int_toward_zero(ZIPCODE) < 0)
        CECZONE = c.design_max_F >= 100.0f ? 13 : (c.design_min_F <= 20.0f ? 16 : 9);
    CECZONE = best_match_zone(c.design_max_F, c.design_min_F);
    // A file without ground temperatures of its own takes its zone's.
    if (ZONE != kGroundSetOfFile) ZONE = NFLAG(46) && CECZONE == 16 ? 17 : CECZONE;
    DBG_INT("CECZONE best match FINDTMY", CECZONE);
}

// Positioning -----------------------------------------------------------------

INTEGER days_to_skip() {
    if (TMYFLAG(1) < TMYMON) {
        TMYFLAG(2) = std::max(TMYFLAG(2), 1);
        TMYFLAG(1) = std::max(TMYFLAG(1), 1);
    }
    if (asked_skip_days() < 0) {
        TMYMON = TMYFLAG(1);
        TMYDAY = TMYFLAG(2);
        return 0;
    }
    return planned_skip_days();
}

// Records before the first simulated day. Every skipped day, a single one
// too, is read past: the simulation counts its hours of the year from
// SKPDAY, so the file must stand on day SKPDAY + 1. (Only the twelve-day mode
// skips: the whole year starts on 1 January, and every header read puts the
// file's first record on hour 1.)
INTEGER records_to_skip() { return SKPDAY > 0 ? SKPDAY * kHoursPerDay : 0; }

// False when the year ends before the first simulated day: the file is
// closed and the data marked invalid. A file that ends there fails the run:
// its twelve days lie beyond the end, and the run would save zeros over the
// scheme's results.
bool skip_to_first_day(FindtmyCall& c) {
    const INTEGER records = records_to_skip();
    for (INTEGER i = 0; i < records; ++i) {
        const LineStatus s = next_hourly_line(c);
        if (s == LineStatus::ok) continue;
        if (NFLAG(36)) DBG_PRINT("FINDTMY:E599 EXPERIMENTAL DATA ENDS");
        else DBG_INT("NFLAG(37)=F error at 2318 YEAR ENDS AT", c.lines_read);
        if (s == LineStatus::end_of_file) {
            note_damaged_load();
            DBG_ERROR("FINDTMY: the weather file ends before the first simulated day: the run fails and no "
                      "project file is saved");
        }
        TMYMON = TMYFLAG(1);
        TMYDAY = TMYFLAG(2);
        NFLAG(35) = false;
        NFLAG(36) = false;
        c.data_ok = false;
        ITEMY = 42;
        close_weather_file(c);
        return false;
    }
    return true;
}

void finish(FindtmyCall& c) {
    // A location given as a zone number has no latitude of its own in the
    // zone text file: the scheme's latitude stays.
    if (ZIPCODE >= 1.0f && ZIPCODE <= 16.0f && NFLAG(37)) SLAT = c.held_latitude;
    NFLAG(80) = c.data_ok;
    if (c.data_ok) DBG_PRINT("DataOK = true");
    else DBG_PRINT("ERROR DataOK = false");
    if (!NFLAG(36) && !NFLAG(38)) {
        NFLAG(35) = false;
        DAYFLAG.fill(0);
    }
}

// False when the file has no data marker (fallback).
bool position_for_simulation(FindtmyCall& c) {
    ITEMY = 42;
    rewind_weather_file(c);
    if (find_data_marker(c, true) != Search::found) {
        DBG_INT("ERROR looking for DATA or <dat line", 1494);
        DBG_PRINT("Error99 inSection");
        return false;
    }
    // With no first day asked for the file stays on 1 January; the skip of
    // another scheme's site read earlier in the call (a library command
    // moves to the scheme it selects) must not shift the simulation's day
    // and hour counters.
    SKPDAY = 0;
    if (TMYDAY != 0) {
        SKPDAY = days_to_skip();
        DBG_INT("SKPDAY days skipped FINDTMY", SKPDAY);
        if (!skip_to_first_day(c)) {
            finish(c);
            return true;
        }
    }
    TITLE3 = c.NAMEX;
    finish(c);
    return true;
}

// Attempts and fallback -------------------------------------------------------

REAL floor_type() { return has_scheme_column(IDNUM1) ? STRATEGY(33, IDNUM1) : 0.0f; }

// Slab and basement floors need the ground and degree-day values.
bool ground_coupled_floor(REAL floor) {
    const REAL magnitude = std::fabs(floor);
    return magnitude == 6.0f || magnitude == 7.0f;
}

bool degree_days_to_recompute() {
    const REAL floor = floor_type();
    return IDNUM1 == 1 || (NFLAG(7) && IDNUM1 < 3) || int_toward_zero(ZIPCODE) < 0 || NFLAG(18) ||
           (NFLAG(81) && IDNUM1 > 2) || (std::fabs(floor) >= 10.0f && std::fabs(floor) != 16.0f) ||
           ground_coupled_floor(floor) || (DESMAX == 0.0f && DESMIN == 0.0f);
}

// A scheme whose file holds no design temperatures (a library slot never
// passed) takes them from the year as a slab does: sized at 0 F, its
// results followed whether a basement run came between.
bool year_pass_wanted() {
    const REAL floor = floor_type();
    return (NFLAG(7) && IDNUM1 == 1) || NFLAG(81) || HDD <= -1.0f || floor >= 10.0f || floor <= -10.0f ||
           ground_coupled_floor(floor) || (DESMAX == 0.0f && DESMIN == 0.0f);
}

void prepare(FindtmyCall& c, bool first_attempt) {
    if (first_attempt) c.held_latitude = SLAT;
    c.NAMEX = TITLE3;
    ALTITUDE = 0.0f;
    if (IDNUM1 < 3) {
        // The code-minimum and the efficient scheme always run the whole year.
        NFLAG(35) = false;
        NFLAG(36) = false;
        NFLAG(38) = true;
        DAYFLAG.fill(0);
    }
    // The whole year starts on 1 January: a first day left from a twelve-day
    // run would skip days and run the year off the end of the file.
    if (NFLAG(38)) TMYDAY = 0;
    const INTEGER first_day_flag = NFLAG(7) && !NFLAG(38) ? 1 : 0;
    TMYFLAG(1) = first_day_flag;
    TMYFLAG(2) = first_day_flag;
    FIELDCODE = 0;
    c.data_ok = first_attempt;
    const INTEGER zone = weather::settled_climate_zone("FINDTMY");
    ZONE = NFLAG(46) && zone == 16 ? 17 : zone;
    c.CODET = CALCODES(zone);
    if (degree_days_to_recompute()) HDD = -1.0f;
}

// One attempt with the weather source NFLAG(37) names; false when the file
// cannot serve.
bool try_weather_file(FindtmyCall& c) {
    const bool zone_text = NFLAG(37);
    if (!(zone_text ? read_zone_text_header(c) : read_epw_header(c))) return false;
    classify_state_of_site();
    if (year_pass_wanted()) {
        if (!year_pass(c)) return false;
        classify_site(c, !zone_text);
    }
    default_tariffs_and_fuel_of_the_site();
    return position_for_simulation(c);
}

// A site read from a climate zone's text file (a zone number, or a zip code
// of the table) whose file cannot be read: the default location the
// fallback puts in force becomes the scheme's site, so every later run
// simulates the place it names, never zone 9 under the name of another
// zone. So it does at a weather file that cannot be read when a design of
// scheme 1 or 2 follows, whose save takes the location in force as the
// site: taken in as a move there, it is saved with its own city, never
// under the error's name, which every later run would show.
void fall_back_to_zone9(FindtmyCall& c) {
    if (NFLAG(37) || REVISION_STATE.DESIGN_FOLLOWS) {
        DBG_PRINT(NFLAG(37) ? "FINDTMY: zone file of the site unreadable"
                            : "FINDTMY: weather file unreadable before a design: the default location is its site");
        keep_default_location_as_site();
        // The tariffs were chosen on the unread zone's line; the retry
        // chooses them again at the site the run saves.
        take_default_location_rate_zones();
    }
    ZIPCODE = kDefaultLocationZipCode;
    c.CODET = "00000";
    HDD = -1.0f;
    CECZONE = 9;
    TITLE3 = "Climate Data Error RE-DO";
    DBG_INT("ABNORMAL ENDING Nflag(37)switched at line", 1992);
    close_weather_file(c);
    NFLAG(37) = true;
    c.data_ok = false;
    NFLAG(80) = false;
    DBG_PRINT("NFLAG(80)=F initialized");
}

// The zone 9 file failed too: no climate data for this run. The weather
// unit is closed, and the run fails: results simulated without weather
// would be zeros saved over the project's own.
void give_up(FindtmyCall& c) {
    close_weather_file(c);
    NFLAG(80) = false;
    ITEMY = 42;
    DBG_PRINT("ERROR zone9.txh unusable too: no climate data, NFLAG(80)=F");
    note_damaged_load();
    DBG_ERROR("FINDTMY: neither the scheme's weather file nor zone9.txh can be read: the run fails and no "
              "project file is saved");
}

}  // namespace

void FINDTMY() {
    DBG_IN("FINDTMY");
    FindtmyCall call;
    // The fallback to zone 9 is tried once, never in a loop.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        prepare(call, attempt == 1);
        if (try_weather_file(call)) break;
        if (attempt == 2) give_up(call);
        else fall_back_to_zone9(call);
    }
    DBG_OUT("FINDTMY");
}

}  // namespace mavo
