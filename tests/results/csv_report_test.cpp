#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "results/results.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_lines;
using testing::ScratchDir;

std::string times(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// Lines of one month's block, counted from the blank line that opens it.
constexpr std::size_t kTitleLines = 7;
constexpr std::size_t kMonthLines = 63;
constexpr std::size_t kHeading = 1, kHeatHour1 = 5, kHeatMeansLabel = 29, kHeatMeans = 30, kPerfHour1 = 35,
                      kPerfMeansLabel = 59, kPerfMeans = 60;

class HourlyCsv : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKCSV = 42;
        IDNUM1 = 3;
        SCHEMENAME(3) = "HIGH MASS";
        TITLE1 = "HILLSIDE HOUSE";
        TITLE2 = "SINGLE FAMILY";
        TITLE3 = "BURBANK CZ09";
        SLAT = 34.05f;
        SLON = -118.25f;
        NFLAG(24) = false;
        NFLAG(38) = true;
        SUMARY(48, 3) = 365.0f;   // the days simulated
        SUMARY(48, 10) = 365.0f;  // (the default scheme, which one case runs)
        // January, hour 1: a cold night hour with the furnace on.
        HEAT(1, 1, 1) = 1234.4f;
        HEAT(13, 1, 1) = 3412.0f;
        HEAT(17, 1, 1) = -25000.6f;
        OATEMP(1, 1) = 55.4f;
        IATEMP(1, 1) = 68.6f;
        AIRVOL(1, 1) = 0.35f;
        HVACLD(1, 1) = -25000.0f;
        STORED(1, 1) = -100.0f;
        KWHRFA(1, 1) = 0.25f;
        EQKWHR(1, 1) = 1.2f;
        EQFUEL(1, 1) = 2500.0f;
        PV(1, 1) = 0.8f;
        SHW(1, 1) = 1300.0f;
        WHENER(1, 1) = 8000.0f;
        COSTEL(1, 1) = 0.4f;
        COSTFUEL(1, 1) = 0.1f;
        SITEKWHR(1, 1) = 3.25f;
        TOTALCO2(1, 1) = 1.6f;
    }
    std::vector<std::string> file(const char* name = "scheme3.csv") { return read_lines(project / name); }
    static const std::string& month_line(const std::vector<std::string>& l, int m, std::size_t at) {
        return l.at(kTitleLines + (m - 1) * kMonthLines + at);
    }
    ScratchDir project;
};

TEST_F(HourlyCsv, TitleBlockAndMonthFrame) {
    KEEPCSV();
    const auto l = file();
    ASSERT_EQ(l.size(), kTitleLines + 12 * kMonthLines);
    EXPECT_EQ(l[0], " MAVO  Heat Loads and Perfromance Data");
    EXPECT_EQ(l[1], "      (to print use Courier 8 point Landscape. To save close and rename the file)");
    EXPECT_EQ(l[2], "   Project: HILLSIDE HOUSE                 Building Type: SINGLE FAMILY           ");
    EXPECT_EQ(l[3], "   Climate File Name: BURBANK CZ09                Latitude =  34.05  Longitude =-118.25");
    EXPECT_EQ(l[4], ",,,,,,,,,\"Shows the average hourly value for the Month, Hour, and Category  (a negative value "
                    "is a Heat Loss)\"");
    EXPECT_EQ(l[6], ",,,,,,,,,For Monthly Building Total multiply the \"Average (all 24 hours)\" by days per month "
                    "and by 24 hours");
    for (int m : {1, 12}) {
        EXPECT_EQ(month_line(l, m, 0), "  ");
        EXPECT_EQ(month_line(l, m, 2), " ,Windows,,,,,Walls,,,,,,,Internal Loads");
        EXPECT_EQ(month_line(l, m, 4), ",BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU");
        EXPECT_EQ(month_line(l, m, kHeatMeansLabel), "  Averages (all 24 Hours):");
        EXPECT_EQ(month_line(l, m, kHeatMeans + 1), " ");
        EXPECT_EQ(month_line(l, m, kPerfMeansLabel), "  Averages (all 24 Hours):");
        EXPECT_EQ(month_line(l, m, kPerfMeans + 1), " ");
        EXPECT_EQ(month_line(l, m, kPerfMeans + 2), " ");
    }
    EXPECT_EQ(month_line(l, 12, kHeading),
              " Month = 12 = DECEMBER       Scheme Number:  3    HIGH MASS               ");
}

TEST_F(HourlyCsv, HeatTableRowsAndMeans) {
    KEEPCSV();
    const auto l = file();
    EXPECT_EQ(month_line(l, 1, kHeatHour1),
              "     1.,  1234.," + times("     0.,", 11) + "  3412.," + times("     0.,", 3) + "-25001.,");
    EXPECT_EQ(month_line(l, 1, kHeatHour1 + 23), "    24.," + times("     0.,", 17));
    // Means of the day: 1234.4 / 24 = 51.4, 3412 / 24 = 142.2, -25000.6 / 24 = -1041.7.
    EXPECT_EQ(month_line(l, 1, kHeatMeans),
              "    24.,    51.," + times("     0.,", 11) + "   142.," + times("     0.,", 3) + " -1042.,");
}

TEST_F(HourlyCsv, PerformanceTableRowsAndMeans) {
    KEEPCSV();
    const auto l = file();
    EXPECT_EQ(month_line(l, 1, kPerfHour1 - 3),
              ",  Temperature,,Air,HVAC Systems,,Lights,Fans &,Appliances,,Solar,Solar,Water,Cost,Cost,Cost,Site,"
              "Total");
    // Heating -25000 Btu shows as -25.00 kBtu; stored heat below zero is no cooling.
    EXPECT_EQ(month_line(l, 1, kPerfHour1),
              "     1.,    55.,    69.,   0.35, -25.00,   0.00,   1.00,   0.25,   1.20,   2.50,   0.80,   1.30,"
              "   8.00,   0.40,   0.10,   0.50,   3.25,     2.");
    // Means: every value of hour 1 over 24 hours (55.4/24 = 2.3, -25/24 = -1.04, 3.25/24 = 0.14 ...).
    EXPECT_EQ(month_line(l, 1, kPerfMeans),
              "    24.,     2.,     3.,   0.01,  -1.04,   0.00,   0.04,   0.01,   0.05,   0.10,   0.03,   0.05,"
              "   0.33,   0.02,   0.00,   0.02,   0.14,     0.");
}

TEST_F(HourlyCsv, TwelveDayRunHeadsEachMonthWithItsDay) {
    NFLAG(38) = false;
    TMON(1) = 1;
    TDAY(1) = 17;
    TMON(7) = 7;
    TDAY(7) = 4;
    KEEPCSV();
    const auto l = file();
    EXPECT_EQ(month_line(l, 1, kHeading), " Date=  1/ 17   Scheme Number:  3 HIGH MASS               ");
    EXPECT_EQ(month_line(l, 7, kHeading), " Date=  7/  4   Scheme Number:  3 HIGH MASS               ");
}

TEST_F(HourlyCsv, NonResidentialModeChangesOnlyTheFirstTitleLine) {
    KEEPCSV();
    const auto residential = file();
    NFLAG(24) = true;
    KEEPCSV();
    const auto nonresidential = file();
    ASSERT_EQ(residential.size(), nonresidential.size());
    EXPECT_EQ(nonresidential[0], " KORVA  Heat Loads and Perfromance Data");
    for (std::size_t i = 1; i < residential.size(); ++i) EXPECT_EQ(residential[i], nonresidential[i]) << i;
}

// A value too wide for its field takes the narrowest wider field that
// holds it, so no number is lost to asterisks; the other fields keep their
// widths and the line its commas. A big building's hour of 1.5 million
// Btu/h needs 8 columns for F7.0, a cost of $12345.00 8 for F7.2, and a
// loss of -2.5 million Btu/h 9.
TEST_F(HourlyCsv, ValueTooWideTakesAWiderField) {
    HEAT(10, 1, 1) = 1.5e6f;
    HEAT(17, 2, 1) = -2.5e6f;
    COSTEL(1, 1) = 12345.0f;
    KEEPCSV();
    const auto l = file();
    const std::string& heat = month_line(l, 1, kHeatHour1);
    EXPECT_EQ(heat.find('*'), std::string::npos);
    EXPECT_EQ(heat.substr(9 * 8, 8 + 9), "     0.,1500000.,");
    EXPECT_EQ(heat.size(), 18 * 8 + 1u);
    EXPECT_EQ(month_line(l, 1, kHeatHour1 + 1).substr(17 * 8), "-2500000.,");
    const std::string& perf = month_line(l, 1, kPerfHour1);
    EXPECT_EQ(perf.substr(13 * 8, 9 + 8 + 9), "12345.00,   0.10,12345.10,");
    EXPECT_EQ(std::count(perf.begin(), perf.end(), ','), 17);
    // The means line too: the mean loss, -105208 Btu/h, needs 8 columns.
    EXPECT_EQ(month_line(l, 1, kHeatMeans).substr(17 * 8), "-105208.,");
}

TEST_F(HourlyCsv, FileNameBySlot) {
    IDNUM1 = 10;
    KEEPCSV();
    const auto l = file("scheme0.csv");
    ASSERT_EQ(l.size(), kTitleLines + 12 * kMonthLines);
    // The default scheme has no line in the scheme table: it shows the name
    // the compliance export gives it.
    EXPECT_EQ(month_line(l, 1, kHeading),
              " Month =  1 = JANUARY        Scheme Number: 10    Default scheme (scheme0)");
    // Reached as slot 0 it is the same file and name.
    std::filesystem::remove(project / "scheme0.csv");
    IDNUM1 = 0;
    KEEPCSV();
    EXPECT_EQ(month_line(file("scheme0.csv"), 1, kHeading),
              " Month =  1 = JANUARY        Scheme Number:  0    Default scheme (scheme0)");

    IDNUM1 = 12;  // a combination has no CSV file
    std::filesystem::remove(project / "scheme0.csv");
    KEEPCSV();
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));

    IDNUM1 = 3;  // unopenable: nothing written, no crash
    DIRPATHS(2) = (project / "missing").string();
    KEEPCSV();
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));
}


}  // namespace
}  // namespace mavo
