#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "front/units.h"
#include "physics/physics.h"
#include "physics/weather_file.h"
#include "support/fortran_format.h"
#include "support/text_lines.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_lines;
using testing::ScratchDir;
using testing::write_file;

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kWeatherUnit = 23;

// Month and day of day-of-year d (1..365).
void month_day(int d, int& month, int& day) {
    month = 1;
    while (d > kMonthDays[month - 1]) d -= kMonthDays[month++ - 1];
    day = d;
}

const std::string kGroundLine =
    "GROUND TEMPERATURES,3,.5,,,,1,2,3,4,5,6,7,8,9,10,11,12,2,,,,11,12,13,14,15,16,17,18,19,20,21,22,"
    "4,,,,0,0,0,0,0,0,0,0,0,0,0,0";

// A synthetic EPW year: hour n (1..8760) has the dry bulb dry_bulb(n), C.
// The first record falls on day first_day of the year.
std::string epw_text(const std::function<double(int)>& dry_bulb, const std::string& ground = kGroundLine,
                     const std::string& latitude = "34.20", int first_day = 1) {
    std::ostringstream s;
    s << "LOCATION,Test Station,CA,USA,TMY3,999999," << latitude << ",-118.35,-8.0,226.0\r\n"
      << "DESIGN CONDITIONS,0\r\nTYPICAL/EXTREME PERIODS,0\r\n"
      << ground << "\r\nHOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\r\nCOMMENTS 1,synthetic\r\nCOMMENTS 2,\r\n"
      << "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\r\n";
    for (int n = 1; n <= 8760; ++n) {
        int month, day;
        month_day(std::min(365, (n - 1) / 24 + first_day), month, day);
        char line[160];
        std::snprintf(line, sizeof line, "1999,%d,%d,%d,0,A7A7,%.2f,5.0,80,100000,0,0,300,400,300,100\r\n", month,
                      day, (n - 1) % 24 + 1, dry_bulb(n));
        s << line;
    }
    return s.str();
}

// A zone text year of `hours` records with the dry bulb dry_bulb(n), C.
std::string zone_text(const std::function<double(int)>& dry_bulb, int hours = 8760) {
    std::string s = "  723815\n  118.00\n   35.00\n    -8.0\nsynthetic zone\n<data>\n";
    for (int n = 1; n <= hours; ++n) {
        int month, day;
        month_day((n - 1) / 24 + 1, month, day);
        s += ffmt::I(month, 8) + ffmt::I(day, 8) + ffmt::I((n - 1) % 24 + 1, 8) + ffmt::I(500, 8) + ffmt::I(200, 8) +
             std::string(16, ' ') + ffmt::F(dry_bulb(n), 8, 1) + ffmt::F(3.0, 8, 1) + ffmt::F(2.0, 8, 1) + "\n";
    }
    return s;
}

class WeatherFile : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), weather.str());
        BLK0B.DISKFTMY = kWeatherUnit;
        BLK0B.DISKTRACE = 37;
        NFLAG(90) = true;
        NFLAG(29) = false;
        NFLAG(37) = false;
        NFLAG(38) = true;
        IDNUM1 = 1;
        ZIPCODE = -1.0f;
        CLIMATEFILENAME = "test.epw";
    }
    void epw(const std::function<double(int)>& dry_bulb, const std::string& ground = kGroundLine,
             const std::string& latitude = "34.20", int first_day = 1) {
        write_file(weather / "test.epw", epw_text(dry_bulb, ground, latitude, first_day));
    }
    // The next record the simulation would read from the weather unit.
    std::string next_record() {
        std::string line;
        if (!read_text_line(unit_file(kWeatherUnit), line)) return "<end>";
        return line;
    }
    int trace_count(const std::string& text) {
        const auto lines = read_lines(project / ("v7trace" + std::to_string(IDNUM1 % 10) + ".txt"));
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find(text) != std::string::npos;
        }));
    }
    ScratchDir project, weather;
};

TEST_F(WeatherFile, ConstantYearsGiveTheirDegreeDaysAndDesignTemperatures) {
    epw([](int) { return 20.0; });
    FINDTMY();
    EXPECT_EQ(HDD, 0.0f);
    EXPECT_EQ(DESMAX, 68.0f);
    EXPECT_EQ(DESMIN, 68.0f);
    for (int i = 1; i <= 433; ++i) ASSERT_EQ(TDAILY(i), 68.0f) << i;
    EXPECT_EQ(TMAX(7), 68.0f);
    EXPECT_EQ(TMIN(12), 68.0f);
    // The site of the LOCATION line, and the file left on 1 January, hour 1.
    EXPECT_FLOAT_EQ(SLAT, 34.2f);
    EXPECT_FLOAT_EQ(SLON, -118.35f);
    EXPECT_EQ(TMZONEI, -8);
    EXPECT_EQ(ALTITUDE, 226.0f);
    EXPECT_EQ(TITLE3, "Test Station,CA,USA,TMY3");
    EXPECT_FALSE(NFLAG(84));
    EXPECT_TRUE(NFLAG(58));  // inside the California box
    EXPECT_TRUE(NFLAG(80));
    EXPECT_EQ(ITEMY, 42);
    EXPECT_EQ(next_record().substr(0, 11), "1999,1,1,1,");

    epw([](int) { return 0.0; }, kGroundLine, "20.0");
    FINDTMY();
    EXPECT_EQ(HDD, 12045.0f);  // 365 days of 65 - 32 F
    EXPECT_TRUE(NFLAG(84));    // south of the tropic
    epw([](int) { return 0.0; }, kGroundLine, "23.4");
    FINDTMY();
    EXPECT_FALSE(NFLAG(84));
}

TEST_F(WeatherFile, RampYearRanksTheHoursAndAveragesTheMonths) {
    // 0.01 C per hour from -55 C: hour n is -55 + (n-1)/100 C.
    auto ramp = [](int n) { return -55.0 + 0.01 * (n - 1); };
    epw(ramp);
    FINDTMY();
    auto f = [&](int n) { return ramp(n) * 1.8 + 32.0; };
    EXPECT_NEAR(DESMAX, f(8760 - 86), 2e-3);  // the 87th hottest hour
    EXPECT_GT(DESMAX, f(8760 - 87) + 0.01);
    EXPECT_NEAR(DESMIN, f(390), 2e-3);        // -51.11 C, the first hour above -60 F
    for (int i = 1; i <= 68; ++i) ASSERT_EQ(TDAILY(i), TDAILY(i + 365)) << i;  // days 298-365 ahead
    EXPECT_NEAR(TDAILY(69), (f(1) + f(24)) / 2.0, 2e-3);
    // Monthly means of the daily extremes, counted from the hours.
    int n = 0;
    for (int m = 1; m <= 12; ++m) {
        double max_sum = 0, min_sum = 0;
        for (int d = 0; d < kMonthDays[m - 1]; ++d, n += 24) {
            min_sum += f(n + 1);
            max_sum += f(n + 24);
        }
        EXPECT_NEAR(TMAX(m), max_sum / kMonthDays[m - 1], 5e-3) << m;
        EXPECT_NEAR(TMIN(m), min_sum / kMonthDays[m - 1], 5e-3) << m;
    }
}

TEST_F(WeatherFile, GroundTemperatureLineRules) {
    auto mild = [](int) { return 15.0; };
    epw(mild);  // depths 1 and 2 present, depth 3 all zero
    FINDTMY();
    EXPECT_EQ(ZONE, 18);
    for (int m = 1; m <= 12; ++m) EXPECT_FLOAT_EQ(GROUNDTEMP(m, 18), (10.0f + m) * 1.8f + 32.0f) << m;
    EXPECT_NEAR(GROUNDTEMP(13, 18), 16.5 * 1.8 + 32.0, 1e-3);

    // Depth 3 counts only behind a present depth 2.
    reset_all_blocks();
    SetUp();
    epw(mild, "GROUND TEMPERATURES,3,.5,,,,1,2,3,4,5,6,7,8,9,10,11,12,2,,,,0,0,0,0,0,0,0,0,0,0,0,0,"
              "4,,,,21,22,23,24,25,26,27,28,29,30,31,32");
    FINDTMY();
    EXPECT_FLOAT_EQ(GROUNDTEMP(1, 18), 1.0f * 1.8f + 32.0f);

    // Depth 1 without usable July to September values, or a month that no
    // depth gives: the set of the file's climate zone is in use, not that of
    // the zone an earlier site left. The file's set, once a depth was taken,
    // holds no value of an earlier weather file.
    for (const std::string ground :
         {"GROUND TEMPERATURES,1,.5,,,,1,2,3,4,5,6,0,0,0,10,11,12", "GROUND TEMPERATURES,0",
          "GROUND TEMPERATURES,1,.5,,,,1,2,3,4,5,6,,,,10,11,12", "GROUND TEMPERATURES,1,.5,,,,1,2,3,4,5,6,7,,9,10,11,12",
          "GROUND TEMPERATURES,1,.5,,,,,2,3,4,5,6,7,8,9,10,11,12"}) {
        reset_all_blocks();
        SetUp();
        CECZONE = 9;
        for (int m = 1; m <= 13; ++m) GROUNDTEMP(m, 18) = 500.0f;  // an earlier weather file
        epw(mild, ground);
        FINDTMY();
        EXPECT_NE(CECZONE, 9) << ground;
        EXPECT_EQ(ZONE, CECZONE) << ground;
    }
    EXPECT_EQ(GROUNDTEMP(1, 18), GROUNDTEMP(1, 9));  // January of the zone, not 500 or 0
    EXPECT_EQ(GROUNDTEMP(2, 18), 2.0f * 1.8f + 32.0f);

    // Each month from the deepest depth that gives it: January only at
    // depth 2, March only at depth 1.
    reset_all_blocks();
    SetUp();
    epw(mild, "GROUND TEMPERATURES,2,.5,,,,,2,3,4,5,6,7,8,9,10,11,12,2,,,,11,12,,14,15,16,17,18,19,20,21,22");
    FINDTMY();
    EXPECT_EQ(ZONE, 18);
    EXPECT_FLOAT_EQ(GROUNDTEMP(1, 18), 11.0f * 1.8f + 32.0f);
    EXPECT_FLOAT_EQ(GROUNDTEMP(3, 18), 3.0f * 1.8f + 32.0f);
    EXPECT_NEAR(GROUNDTEMP(13, 18), (3.0 + 11 + 12 + 14 + 15 + 16 + 17 + 18 + 19 + 20 + 21 + 22) / 12 * 1.8 + 32, 1e-3);
}

TEST_F(WeatherFile, SkipToTheFirstSimulatedDay) {
    // Twelve-day run of scheme 3 in the zone text form, starting on 15 March.
    write_file(weather / "zone12.txh", zone_text([](int) { return 10.0; }));
    NFLAG(37) = true;
    NFLAG(38) = false;
    IDNUM1 = 3;
    CECZONE = 12;
    ZIPCODE = 12.0f;  // a zone number: the scheme's latitude stays
    SLAT = 38.5f;
    HDD = 2000.0f;  // with the design temperatures of a scheme passed before
    DESMAX = 95.0f;
    DESMIN = 30.0f;
    TMYDAY = 15;
    TMYMON = 3;
    FINDTMY();
    EXPECT_EQ(SKPDAY, 73);  // 31 + 28 + 14
    EXPECT_EQ(next_record().substr(0, 24), ffmt::I(3, 8) + ffmt::I(15, 8) + ffmt::I(1, 8));
    EXPECT_EQ(SLAT, 38.5f);
    EXPECT_EQ(SLON, -118.0f);
    EXPECT_EQ(ALTITUDE, 99.99f);
    EXPECT_EQ(HDD, 2000.0f);  // nothing forced a year pass
    EXPECT_TRUE(NFLAG(80));

    TMYDAY = 31;
    TMYMON = 12;
    FINDTMY();
    EXPECT_EQ(SKPDAY, 353);  // capped: 364 days would leave no room for twelve days
    EXPECT_EQ(next_record().substr(0, 16), ffmt::I(12, 8) + ffmt::I(20, 8));

    TMYDAY = 1;
    TMYMON = 99;  // a month beyond December adds no days of its own
    FINDTMY();
    EXPECT_EQ(SKPDAY, 353);

    // A single skipped day is skipped in the file too.
    TMYDAY = 2;
    TMYMON = 1;
    FINDTMY();
    EXPECT_EQ(SKPDAY, 1);
    EXPECT_EQ(next_record().substr(0, 24), ffmt::I(1, 8) + ffmt::I(2, 8) + ffmt::I(1, 8));

    // No first day: 1 January, and the skip of the call before is gone.
    TMYDAY = 0;
    FINDTMY();
    EXPECT_EQ(SKPDAY, 0);
    EXPECT_EQ(next_record().substr(0, 24), ffmt::I(1, 8) + ffmt::I(1, 8) + ffmt::I(1, 8));
}

TEST_F(WeatherFile, ReferenceSchemeRunsTheWholeYearFromTheFirstOfJanuary) {
    // Scheme 2 after a twelve-day run that started on 15 March, with nothing
    // forcing a year pass.
    epw([](int) { return 20.0; });
    IDNUM1 = 2;
    NFLAG(7) = false;
    NFLAG(38) = false;
    ZIPCODE = 90024.0f;
    HDD = 2000.0f;  // with the design temperatures of a scheme passed before
    DESMAX = 95.0f;
    DESMIN = 30.0f;
    TMYDAY = 15;
    TMYMON = 3;
    SKPDAY = 73;
    FINDTMY();
    EXPECT_EQ(HDD, 2000.0f);  // no year pass
    EXPECT_TRUE(NFLAG(38));
    EXPECT_EQ(TMYDAY, 0);
    EXPECT_EQ(SKPDAY, 0);
    EXPECT_TRUE(NFLAG(80));
    EXPECT_EQ(next_record().substr(0, 11), "1999,1,1,1,");
}

TEST_F(WeatherFile, ZoneTextYearPassWithoutDesignTemperatures) {
    // A twelve-day pass ranks no hours: the design temperatures stay.
    write_file(weather / "zone9.txh", zone_text([](int) { return 0.0; }));
    NFLAG(37) = true;
    NFLAG(38) = false;
    NFLAG(81) = true;
    IDNUM1 = 3;
    CECZONE = 23;  // not a California zone: zone 9 stands in
    DESMAX = 95.0f;
    DESMIN = 30.0f;
    FINDTMY();
    EXPECT_EQ(CECZONE, 9);
    EXPECT_EQ(HDD, 12045.0f);
    EXPECT_EQ(DESMAX, 95.0f);
    EXPECT_EQ(DESMIN, 30.0f);
    EXPECT_TRUE(NFLAG(80));
    EXPECT_EQ(trace_count("CECZONE not 1-16"), 1);

}

// The year pass reads a zone text dry bulb as the hourly simulation does:
// eight columns from column 57, one implied decimal.
TEST(ZoneTextRecord, DryBulbIsAnEightColumnFieldWithOneDecimal) {
    const std::string head = ffmt::I(7, 8) + ffmt::I(4, 8) + ffmt::I(13, 8) + std::string(32, ' ');
    struct Case {
        const char* field;
        REAL t_C;
    };
    for (const Case c : {Case{"    12.5", 12.5f}, Case{"     125", 12.5f}, Case{"   -12.5", -12.5f}}) {
        weather::ZoneTextHour h;
        ASSERT_TRUE(weather::read_zone_text_hour(head + c.field + "     3.0     2.0", h)) << c.field;
        EXPECT_EQ(h.dry_bulb_C, c.t_C) << c.field;
    }
}

TEST_F(WeatherFile, ZoneTextYearWithoutItsLastDay) {
    write_file(weather / "zone9.txh", zone_text([](int) { return 0.0; }, 8760 - 24));
    NFLAG(37) = true;
    NFLAG(38) = false;
    NFLAG(81) = true;  // a year pass is made
    IDNUM1 = 3;
    CECZONE = 9;
    DESMAX = 95.0f;
    DESMIN = 30.0f;
    // A twelve-day run from 1 January never reads 31 December: the year
    // counts as complete (364 days of 65 - 32 F) and the run goes on.
    FINDTMY();
    EXPECT_TRUE(NFLAG(80));
    EXPECT_EQ(HDD, 364.0f * 33.0f);
    EXPECT_EQ(DESMAX, 95.0f);
    EXPECT_EQ(DESMIN, 30.0f);
    EXPECT_EQ(next_record().substr(0, 24), ffmt::I(1, 8) + ffmt::I(1, 8) + ffmt::I(1, 8));
    // Twelve days from 19 December end on the 30th.
    TMYMON = 12;
    TMYDAY = 19;
    FINDTMY();
    EXPECT_TRUE(NFLAG(80));
    EXPECT_EQ(SKPDAY, 352);
    EXPECT_EQ(trace_count("ends before the year does"), 0);

    // Twelve days from 20 December need the 31st: the data are not valid.
    TMYDAY = 20;
    FINDTMY();
    EXPECT_FALSE(NFLAG(80));
    EXPECT_EQ(trace_count("ends before the year does"), 2);  // the file, then its fallback (the same file)

    // The reference schemes run the whole year, so they need it too, as an
    // EPW file would.
    IDNUM1 = 1;
    FINDTMY();
    EXPECT_FALSE(NFLAG(80));
    EXPECT_EQ(trace_count("ends before the year does"), 2);  // in scheme 1's own trace
}

TEST_F(WeatherFile, MissingMarksOfTheRecords) {
    // The EPW missing dry bulb repeats the previous hour, as in the zone text
    // form the converter writes: day 1 is 0 C, hours 2-24 marked missing.
    std::string text = epw_text([](int n) { return n == 1 ? 0.0 : (n <= 24 ? 99.9 : 20.0); });
    // A missing time zone keeps the one in force.
    text.replace(text.find(",-8.0,"), 6, ",,");
    write_file(weather / "test.epw", text);
    TMZONEF = -7.5f;
    TMZONEI = -7;
    FINDTMY();
    EXPECT_EQ(HDD, 33.0f);
    EXPECT_EQ(DESMIN, 32.0f);
    EXPECT_EQ(DESMAX, 68.0f);
    EXPECT_EQ(TMZONEF, -7.5f);
    EXPECT_EQ(TMZONEI, -7);
    EXPECT_TRUE(NFLAG(80));

    // A zone text dry bulb beyond the range of a real is a read error of its
    // record: the file cannot serve and zone 9 stands in.
    std::string zone = zone_text([](int) { return 10.0; });
    std::size_t at = 0;
    for (int line = 1; line < 6 + 100; ++line) at = zone.find('\n', at) + 1;  // record 100, on day 5
    zone.replace(at + weather::kZoneTextDryBulbColumn - 1, 8, "  1.0E99");
    write_file(weather / "zone12.txh", zone);
    write_file(weather / "zone9.txh", zone_text([](int) { return 12.0; }));
    NFLAG(37) = true;
    CECZONE = 12;
    FINDTMY();
    EXPECT_EQ(trace_count("Error 499 cant read EPW or CECPV files"), 1);
    EXPECT_EQ(trace_count("TMYFILE zone9.txh"), 1);
    EXPECT_NEAR(HDD, 365.0 * (65.0 - (12.0 * 1.8 + 32.0)), 0.05);
    EXPECT_FALSE(NFLAG(80));
}

TEST_F(WeatherFile, FallbackToZoneNineHappensOnce) {
    // A year that starts on 2 January cannot serve.
    epw([](int) { return 20.0; }, kGroundLine, "34.20", 2);
    write_file(weather / "zone9.txh", zone_text([](int) { return 12.0; }));
    FINDTMY();
    EXPECT_EQ(trace_count("Error 499 cant read EPW or CECPV files"), 1);
    EXPECT_TRUE(NFLAG(37));
    EXPECT_FALSE(NFLAG(80));  // the stand-in climate never counts as valid
    EXPECT_EQ(CECZONE, 9);
    EXPECT_EQ(ZIPCODE, 90024.0f);
    EXPECT_EQ(TITLE3, "Climate Data Error RE-DO");
    EXPECT_NEAR(HDD, 365.0 * (65.0 - (12.0 * 1.8 + 32.0)), 0.05);
    EXPECT_EQ(next_record().substr(0, 24), ffmt::I(1, 8) + ffmt::I(1, 8) + ffmt::I(1, 8));

    // Without the zone 9 file too: closed, invalid, never a loop.
    reset_all_blocks();
    SetUp();
    std::filesystem::remove(weather / "zone9.txh");
    std::filesystem::remove(project / "v7trace1.txt");
    FINDTMY();
    EXPECT_EQ(trace_count("ABNORMAL ENDING"), 1);
    EXPECT_EQ(unit_file(kWeatherUnit), nullptr);
    EXPECT_FALSE(NFLAG(80));
    EXPECT_EQ(ITEMY, 42);
}

// Sample stations ---------------------------------------------------------------

// Degree days, design temperatures and best-match zone computed here from
// the file's own hourly dry bulbs.
struct Climate {
    double hdd = 0, desmax = 0, desmin = 99;
    int zone = 0;
};

Climate climate_of(const std::filesystem::path& epw) {
    static const double zmin[16] = {32.18, 29.3, 35.06, 30.56, 32.18, 38.84, 37.58, 36.14,
                                    37.22, 32.54, 28.76, 29.3, 30.2, 21.56, 33.44, 14.0};
    static const double zmax[16] = {71.96, 95.0,  83.39, 88.7,  82.94,  81.5,   84.74,  91.04,
                                    96.08, 98.96, 99.86, 98.42, 102.02, 101.68, 111.56, 90.5};
    std::vector<double> hours;
    bool data = false;
    for (const std::string& line : read_lines(epw)) {
        if (data) {
            std::size_t pos = 0;
            for (int comma = 0; comma < 6; ++comma) pos = line.find(',', pos) + 1;
            hours.push_back(std::stod(line.substr(pos)) * 1.8 + 32.0);
        }
        data = data || line.rfind("DATA", 0) == 0;
    }
    Climate c;
    for (std::size_t d = 0; d < 365; ++d) {
        double sum = 0;
        for (int h = 0; h < 24; ++h) sum += hours[d * 24 + h];
        c.hdd += std::max(0.0, 65.0 - sum / 24.0);
    }
    std::vector<double> sorted = hours;
    std::sort(sorted.begin(), sorted.end(), std::greater<double>());
    c.desmax = sorted[86];
    c.desmin = sorted.back();
    double best = 9999.0;
    for (int z = 0; z < 16; ++z) {
        const double score = std::fabs(c.desmin - zmin[z]) + std::fabs(c.desmax - zmax[z]) +
                             std::fabs((c.desmax - c.desmin) - (zmax[z] - zmin[z]));
        if (score < best) best = score, c.zone = z + 1;
    }
    return c;
}

// The value of the trace line " <   value = label".
double traced(const std::vector<std::string>& lines, const std::string& label) {
    for (const std::string& l : lines)
        if (l.find("= " + label) != std::string::npos) return std::stod(l.substr(l.find('<') + 1));
    ADD_FAILURE() << "no trace line " << label;
    return 0;
}

const std::filesystem::path kSampleWeather = std::filesystem::path(MAVO_SOURCE_DIR) / "data" / "weather";

TEST_F(WeatherFile, SampleStationsAgreeWithTheirHourlyDryBulbs) {
    const std::vector<std::pair<std::string, double>> stations = {
        {"Arcata.epw", 40.98},   {"Bishop.epw", 37.37},   {"ChiOHare.epw", 41.98}, {"Imperial.epw", 32.83},
        {"LAburbnk.epw", 34.20}, {"Phoenix.epw", 33.45},  {"SFintlap.epw", 37.62}, {"Stockton.epw", 37.90}};
    testing::use_directories(project.str(), project.str(), kSampleWeather.string());
    for (const auto& [name, latitude] : stations) {
        std::filesystem::remove(project / "v7trace1.txt");
        CLIMATEFILENAME = name;
        FINDTMY();
        const auto lines = read_lines(project / "v7trace1.txt");
        const Climate c = climate_of(kSampleWeather / name);
        EXPECT_NEAR(traced(lines, "SLAT latitude FINDTMY"), latitude, 1e-4) << name;
        EXPECT_NEAR(traced(lines, "HDD heating degree days FINDTMY"), c.hdd, 0.5) << name;
        EXPECT_NEAR(traced(lines, "DESMAX cooling design temperature FINDTMY"), c.desmax, 1e-3) << name;
        EXPECT_NEAR(traced(lines, "DESMIN heating design temperature FINDTMY"), c.desmin, 1e-3) << name;
        EXPECT_EQ(traced(lines, "CECZONE best match FINDTMY"), c.zone) << name;
        EXPECT_TRUE(NFLAG(80)) << name;
    }
}

TEST_F(WeatherFile, MissingSampleStationFallsBackToTheZoneNineFile) {
    std::filesystem::copy_file(kSampleWeather / "zone9.txh", weather / "zone9.txh");
    CLIMATEFILENAME = "LAburbnk.epw";  // not in this weather directory
    FINDTMY();
    EXPECT_EQ(trace_count("TMYFILE zone9.txh"), 1);
    EXPECT_NEAR(SLAT, 34.2f, 1e-5);
    EXPECT_NEAR(SLON, -118.35f, 1e-5);
    EXPECT_FALSE(NFLAG(80));
    EXPECT_EQ(next_record().substr(0, 24), ffmt::I(1, 8) + ffmt::I(1, 8) + ffmt::I(1, 8));
    // The zone text form of the station holds the same year.
    const Climate c = climate_of(kSampleWeather / "LAburbnk.epw");
    EXPECT_NEAR(HDD, c.hdd, 0.5);
    EXPECT_NEAR(DESMAX, c.desmax, 1e-3);
    EXPECT_NEAR(DESMIN, c.desmin, 1e-3);
}

}  // namespace
}  // namespace mavo
