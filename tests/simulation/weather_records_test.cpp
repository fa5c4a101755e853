// Reading the day's weather records from EPW and climate-zone text files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/units.h"
#include "simulation/weather_records.h"
#include "support/fortran_format.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::ScratchDir;
using testing::write_file;

constexpr int kWeatherUnit = 23;

struct EpwHour {
    int month = 1, day = 1, hour = 1;
    std::string dry_bulb = "10.0", dew_point = "5.0", global = "0", direct = "0", wind = "2.0";
};

std::string epw_line(const EpwHour& e) {
    return "1999," + std::to_string(e.month) + "," + std::to_string(e.day) + "," + std::to_string(e.hour) +
           ",0,A7A7," + e.dry_bulb + "," + e.dew_point + ",80,100000,0,0,300," + e.global + "," + e.direct +
           ",100,0,0,0,0,180," + e.wind + ",0,0\r\n";
}

// Records of days first..last of January, each hour h at dry bulb h - 5 C,
// with the changes `edit` makes.
template <class Edit>
std::string epw_days(int first, int last, Edit edit) {
    std::string s;
    for (int d = first; d <= last; ++d) {
        for (int h = 1; h <= 24; ++h) {
            EpwHour e;
            e.day = d;
            e.hour = h;
            e.dry_bulb = ffmt::F(h - 5.0, 6, 1);
            edit(e);
            s += epw_line(e);
        }
    }
    return s;
}

std::string zone_text_record(int month, int day, int hour, int global_kj, int direct_kj, double dry_bulb_C,
                             double dew_point_C, double wind_ms) {
    return ffmt::I(month, 8) + ffmt::I(day, 8) + ffmt::I(hour, 8) + ffmt::I(global_kj, 8) + ffmt::I(direct_kj, 8) +
           std::string(16, ' ') + ffmt::F(dry_bulb_C, 8, 1) + ffmt::F(dew_point_C, 8, 1) + ffmt::F(wind_ms, 8, 1) +
           "\n";
}

class WeatherRecords : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(dir.str(), dir.str(), dir.str());
        BLK0B.DISKFTMY = kWeatherUnit;
        CYCLE = -2.0f;
    }
    // Opens `text` on the weather unit as the weather set-up leaves it:
    // positioned on the first record to simulate.
    void open_weather(const std::string& text) {
        write_file(dir / "weather.txt", text);
        ASSERT_NE(unit_open(kWeatherUnit, (dir / "weather.txt").c_str(), "r"), nullptr);
    }
    ScratchDir dir;
    WeatherReading w;
};

TEST_F(WeatherRecords, EpwValuesConvertedIntoTheDayTables) {
    NFLAG(37) = false;
    NFLAG(38) = true;
    open_weather(epw_days(1, 1, [](EpwHour& e) {
        if (e.hour == 12) e.global = "500", e.direct = "9999";
        if (e.hour == 13) e.global = "1000", e.direct = "800";
    }));
    start_weather_reading(w);
    ASSERT_TRUE(read_weather_day(w, 1, 1, 31));
    EXPECT_EQ(TMON(1), 1);
    EXPECT_EQ(TDAY(1), 1);
    EXPECT_EQ(THOUR(24), 24);
    EXPECT_EQ(HORIZ(12), 158);  // 500 Wh/m2 x 0.3168
    EXPECT_EQ(BEAM(12), 0);     // 9999 marks no value: no sun in the day table
    EXPECT_EQ(DRCTNORMAL(12), 0.0);     // and none in the year the solar models read
    EXPECT_EQ(HORIZ(13), 316);
    EXPECT_EQ(BEAM(13), 253);
    EXPECT_EQ(TOTHORIZ(13), 1000.0);
    EXPECT_FLOAT_EQ(TEMP(1), 24.8f);  // -4 C
    EXPECT_FLOAT_EQ(TEMPS(1), TEMP(1));  // the first day of a month
    EXPECT_FLOAT_EQ(DP(1), 41.0f);
    EXPECT_FLOAT_EQ(WINDFPM(1), 393.7f);
    EXPECT_FLOAT_EQ(WINDVEL(1, 1), 393.7f / 31.0f);
    EXPECT_DOUBLE_EQ(TAMB(1), -4.0);
    EXPECT_DOUBLE_EQ(TAMB(24), 19.0);
    EXPECT_DOUBLE_EQ(WNDSPD(24), 2.0);
    // Hours 1 to 13 are below 47 F (8.3 C): hour 13 is 8 C, 46.4 F.
    for (INTEGER h = 1; h <= 24; ++h) EXPECT_EQ(FREEZHRS(h, 1), h <= 13 ? 1.0f : 0.0f) << h;
    EXPECT_EQ(w.hour_of_year, 24);
}

TEST_F(WeatherRecords, MissingEpwValuesAreBridged) {
    NFLAG(37) = false;
    NFLAG(38) = true;
    open_weather(epw_days(1, 2, [](EpwHour& e) {
        if (e.day == 1 && e.hour == 12) e.global = "400";
        if (e.day == 2 && e.hour == 3) e.dry_bulb = "";
        if (e.day == 2 && e.hour == 4) e.dry_bulb = "-999.99", e.wind = "";
        if (e.day == 2 && e.hour == 5) e.dry_bulb = "99.9", e.wind = "999";  // EPW marks of missing data
        if (e.day == 2 && e.hour == 12) e.global = "";
    }));
    start_weather_reading(w);
    ASSERT_TRUE(read_weather_day(w, 1, 1, 31));
    const REAL day1_hour3_F = TEMP(3);
    const INTEGER day1_noon = HORIZ(12);
    TAMB(27) = TAMB(28) = TAMB(29) = 55.0;
    WNDSPD(28) = WNDSPD(29) = 7.0;
    ASSERT_TRUE(read_weather_day(w, 1, 2, 31));
    EXPECT_FLOAT_EQ(TEMP(3), TEMP(2));  // the last good dry bulb repeats
    EXPECT_FLOAT_EQ(TEMP(4), TEMP(2));
    EXPECT_FLOAT_EQ(TEMP(5), TEMP(2));
    // The year holds the bridged values the day tables hold, whatever it held.
    for (INTEGER n : {27, 28, 29}) EXPECT_DOUBLE_EQ(TAMB(n), -3.0) << n;
    EXPECT_EQ(WNDSPD(28), 2.0);
    EXPECT_EQ(WNDSPD(29), 2.0);
    EXPECT_FLOAT_EQ(WINDFPM(5), 393.7f);
    EXPECT_FLOAT_EQ(TEMPS(3), day1_hour3_F);  // the same hour the day before
    // A missing radiation is no sun in that hour, in the day table and the year.
    EXPECT_EQ(day1_noon, 126);
    EXPECT_EQ(HORIZ(12), 0);
    EXPECT_EQ(TOTHORIZ(36), 0.0);
    EXPECT_EQ(w.hour_of_year, 48);
}

TEST_F(WeatherRecords, ZoneTextRecordsOfATwelveDayRun) {
    NFLAG(37) = true;
    NFLAG(38) = false;
    SKPDAY = 2;
    std::string text;
    for (int h = 1; h <= 24; ++h) text += zone_text_record(3, 3, h, h == 12 ? 1000 : 0, h == 12 ? 2000 : 0, 20.0, 10.0, 3.0);
    for (int h = 1; h <= 24; ++h) text += zone_text_record(3, 4, h, 0, 0, 5.0, 0.0, 1.0);
    open_weather(text);
    start_weather_reading(w);
    ASSERT_TRUE(read_weather_day(w, 1, 1, 1));
    EXPECT_EQ(TMON(1), 3);
    EXPECT_EQ(TDAY(1), 3);
    EXPECT_EQ(HORIZ(12), 88);  // 1000 kJ/m2 x 0.088
    EXPECT_EQ(BEAM(12), 176);
    // The year holds the record at the hour of its date, 3 March.
    EXPECT_NEAR(TOTHORIZ(61 * 24 + 12), 277.8, 1e-9);
    EXPECT_NEAR(DRCTNORMAL(61 * 24 + 12), 555.6, 1e-9);
    EXPECT_EQ(TOTHORIZ(2 * 24 + 12), 0.0);
    EXPECT_FLOAT_EQ(TEMP(12), 68.0f);
    EXPECT_FLOAT_EQ(WINDVEL(12, 1), 3.0f * 196.85f);  // one day per month slot
    EXPECT_EQ(FREEZHRS(12, 1), 0.0f);

    ASSERT_TRUE(read_weather_day(w, 2, 1, 1));
    EXPECT_EQ(TMON(2), 3);
    EXPECT_EQ(TDAY(2), 4);
    EXPECT_FLOAT_EQ(TEMPS(12), 68.0f);  // the representative days follow each other
    EXPECT_FLOAT_EQ(TEMP(12), 41.0f);
    EXPECT_EQ(FREEZHRS(12, 2), 1.0f);
    EXPECT_EQ(HORIZ(12), 0);
    EXPECT_EQ(w.hour_of_year, 2 * 24 + 48);
}

TEST_F(WeatherRecords, EndOfFileStopsTheSimulation) {
    NFLAG(37) = false;
    NFLAG(38) = true;
    NFLAG(80) = true;
    NFLAG(36) = false;
    std::string ten_hours;
    for (int h = 1; h <= 10; ++h) {
        EpwHour e;
        e.hour = h;
        ten_hours += epw_line(e);
    }
    open_weather(ten_hours);
    start_weather_reading(w);
    EXPECT_FALSE(read_weather_day(w, 1, 1, 31));
    EXPECT_FALSE(NFLAG(80));
    EXPECT_EQ(ITEMY, 42);
    EXPECT_EQ(w.lines_read, 11);
    // Rewound for whoever reads it next.
    std::FILE* f = unit_file(kWeatherUnit);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::ftell(f), 0L);
}

TEST_F(WeatherRecords, UnreadableZoneTextRecordIsAReadError) {
    NFLAG(37) = true;
    NFLAG(38) = true;
    NFLAG(80) = true;
    std::string text = zone_text_record(1, 1, 1, 0, 0, 5.0, 0.0, 1.0);
    text += "       1       1       2    abcd       0" + std::string(16, ' ') + "     5.0     0.0     1.0\n";
    open_weather(text);
    start_weather_reading(w);
    EXPECT_FALSE(read_weather_day(w, 1, 1, 31));
    EXPECT_FALSE(NFLAG(80));
    EXPECT_EQ(ITEMY, 42);
    EXPECT_EQ(w.lines_read, 2);

    unit_close(kWeatherUnit);  // no file on the unit at all
    NFLAG(80) = true;
    start_weather_reading(w);
    EXPECT_FALSE(read_weather_day(w, 1, 1, 31));
    EXPECT_FALSE(NFLAG(80));
}

}  // namespace
}  // namespace mavo
