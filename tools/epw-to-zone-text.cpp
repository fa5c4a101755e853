// Writes the climate-zone text form "zone<N>.txh" of an EPW weather file:
//
//     epw-to-zone-text STATION.epw zone<N>.txh
//
// The sample zone files of data/weather are written this way from the sample
// EPW files of the same zones (tests/host/zone_text_current.sh lists them).
// Header: station code (A8), longitude west positive and latitude (F8.2,
// which an F8.1 read takes whole), time zone (F8.1), two lines of text, the
// "<data>" marker. Then 8760 hourly records of 80 columns: month, day, hour,
// global horizontal and direct normal radiation in kJ/m2 (I8 each), 16
// blank columns, dry bulb and dew point in C and wind speed in m/s (F8.1
// each). Missing EPW radiation (9999 or more, or no number) gives 0; a
// missing temperature (99.9 C or more, or no number) or wind speed (999 or
// more) repeats the previous hour's. The weather reader's year pass treats a
// dry bulb of 99.9 C or more in an EPW file the same way, so both forms of
// one station give the same degree days and extremes.
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "physics/weather_file.h"
#include "support/fortran_format.h"

namespace {

using mavo::ffmt::LineWriter;

constexpr double kKilojoulePerWattHour = 3.6;
constexpr double kMissingRadiation = 9999.0;     // EPW marks a missing radiation so
constexpr double kMissingWind = 999.0;            // and a missing wind speed so
constexpr int kHoursOfYear = 8760;

std::vector<std::string> split_commas(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

// Field c (counted from 1) as a number; false when absent or not a number.
bool number(const std::vector<std::string>& f, std::size_t c, double& value) {
    if (c == 0 || c > f.size() || f[c - 1].empty()) return false;
    char* end = nullptr;
    value = std::strtod(f[c - 1].c_str(), &end);
    return end != f[c - 1].c_str();
}

std::string text_field(const std::vector<std::string>& f, std::size_t c) {
    return c >= 1 && c <= f.size() ? f[c - 1] : std::string();
}

bool get_line(std::ifstream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

// Values of one hour; missing ones keep the previous hour's.
struct Hour {
    double month = 0, day = 0, hour = 0;
    double global_Wh = 0, direct_Wh = 0;
    double dry_bulb_C = 0, dew_point_C = 0, wind_ms = 0;
};

void take_hour(const std::vector<std::string>& f, Hour& h) {
    double v;
    if (number(f, 2, v)) h.month = v;
    if (number(f, 3, v)) h.day = v;
    if (number(f, 4, v)) h.hour = v;
    if (number(f, 7, v) && mavo::weather::epw_temperature_present(v)) h.dry_bulb_C = v;
    if (number(f, 8, v) && mavo::weather::epw_temperature_present(v)) h.dew_point_C = v;
    h.global_Wh = number(f, 14, v) && v < kMissingRadiation ? v : 0.0;
    h.direct_Wh = number(f, 15, v) && v < kMissingRadiation ? v : 0.0;
    if (number(f, 22, v) && v < kMissingWind) h.wind_ms = v;
}

std::string hour_record(const Hour& h) {
    LineWriter w;
    w.I(std::lround(h.month), 8).I(std::lround(h.day), 8).I(std::lround(h.hour), 8);
    w.I(std::lround(h.global_Wh * kKilojoulePerWattHour), 8).I(std::lround(h.direct_Wh * kKilojoulePerWattHour), 8);
    w.X(mavo::weather::kZoneTextDryBulbColumn - 1 - 5 * 8);
    w.F(h.dry_bulb_C, 8, 1).F(h.dew_point_C, 8, 1).F(h.wind_ms, 8, 1);
    return w.take();
}

std::string header(const std::vector<std::string>& location, const std::string& source_name) {
    double latitude = 0, longitude = 0, time_zone = 0;
    number(location, 7, latitude);
    number(location, 8, longitude);
    number(location, 9, time_zone);
    std::string h;
    h += mavo::ffmt::A(text_field(location, 6), 8) + "\n";
    h += mavo::ffmt::F(-longitude, 8, 2) + "\n";  // the zone text form counts west positive
    h += mavo::ffmt::F(latitude, 8, 2) + "\n";
    h += mavo::ffmt::F(time_zone, 8, 1) + "\n";
    h += text_field(location, 2) + " " + text_field(location, 3) + " " + text_field(location, 4) +
         ", hourly weather of " + source_name + "\n";
    // Column heads over the fields (radiation kJ/m2, temperatures C, wind m/s).
    h += mavo::ffmt::A("month", 8) + mavo::ffmt::A("day", 8) + mavo::ffmt::A("hour", 8) + mavo::ffmt::A("glob", 8) +
         mavo::ffmt::A("dirn", 8) + std::string(16, ' ') + mavo::ffmt::A("drybulb", 8) + mavo::ffmt::A("dewpt", 8) +
         mavo::ffmt::A("wind", 8) + "\n";
    h += std::string(mavo::weather::kZoneTextDataMarker) + "\n";
    return h;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: epw-to-zone-text STATION.epw zone<N>.txh\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "epw-to-zone-text: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string line;
    if (!get_line(in, line) || line.rfind("LOCATION", 0) != 0) {
        std::fprintf(stderr, "epw-to-zone-text: %s has no LOCATION line\n", argv[1]);
        return 1;
    }
    std::string out = header(split_commas(line), std::filesystem::path(argv[1]).filename().string());
    while (get_line(in, line) && line.rfind("DATA", 0) != 0) {
    }
    Hour h;
    int hours = 0;
    while (get_line(in, line)) {
        if (line.empty()) continue;
        take_hour(split_commas(line), h);
        out += hour_record(h) + "\n";
        ++hours;
    }
    if (hours != kHoursOfYear) {
        std::fprintf(stderr, "epw-to-zone-text: %s holds %d hours, not %d\n", argv[1], hours, kHoursOfYear);
        return 1;
    }
    std::ofstream file(argv[2], std::ios::binary);
    file << out;
    if (!file) {
        std::fprintf(stderr, "epw-to-zone-text: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
