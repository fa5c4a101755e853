// The design transfer as a whole: the repairs every call makes, the task
// dispatch, the site refresh with the sample zip-code table and weather
// files, the strategy-file task, and scheme numbers without a column.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "front/units.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

const std::filesystem::path kSampleWeather = std::filesystem::path(MAVO_SOURCE_DIR) / "data" / "weather";

class Revision : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), kSampleWeather.string());
        BLK0B.DISKFTMY = 23;
        BLK0B.DISKPROJ = 32;
        BLK0B.DISKTRACE = 37;
        NFLAG(90) = true;
        ITEMY = 50;  // past the start of the run: a changed site is looked up
        IDNUM1 = 3;
        CECZONE = 6;
        QTY.fill(0.0f);
    }
    static REAL& S(INTEGER n) { return STRATEGY(n, IDNUM1); }
    // The strategy file as the host leaves it, then the refresh.
    void refresh() {
        AADISK(6);
        REVISION(4);
    }
    std::string trace() {
        std::string all;
        for (int d = 0; d <= 9; ++d) all += testing::read_file(project / ("v7trace" + std::to_string(d) + ".txt"));
        return all;
    }
    testing::ScratchDir project;
};

TEST_F(Revision, EveryCallRepairsYearBuiltAndVenting) {
    S(11) = 100.0f;
    S(25) = -3.0f;
    REVISION(6);
    EXPECT_EQ(S(11), 2013.0f);
    EXPECT_EQ(S(25), 1.0f);
    S(11) = 101.0f;
    S(25) = -5.0f;
    REVISION(6);
    EXPECT_EQ(S(11), 101.0f);
    EXPECT_EQ(S(25), -5.0f);
    S(25) = 5.0f;
    REVISION(6);
    EXPECT_EQ(S(25), 5.0f);
    EXPECT_NE(trace().find("REVISION Task 600: to Load ccStrategy(16) 4188"), std::string::npos);
}

// Scheme 1 is judged by the current code whatever year its column holds:
// the scheme-wide code 5 gives it the zone's post-2004 glazing.
TEST_F(Revision, CodeMinimumSchemeAlwaysUsesTheCurrentYear) {
    IDNUM1 = 1;
    testing::site_in_climate_zone(1, 12, kSampleWeather);
    S(11) = 1990.0f;
    S(60) = 5.0f;
    S(62) = 1.0f;
    S(61) = 1.0f;
    QTY(1) = 1.0f;
    UWINDO(1) = 1.0f;
    SCOEF(1) = 0.8f;
    TRANS(1) = 0.8f;
    REVISION(2);
    EXPECT_EQ(S(11), 1990.0f);
    EXPECT_EQ(UWINDO(1), 0.57f);
    EXPECT_EQ(SCOEF(1), 0.4f);
}

TEST_F(Revision, OtherTaskNumbersPerformTaskTwoWithoutReloading) {
    S(14) = 0.0f;
    AADISK(6);
    S(30) = 7.0f;  // in memory only
    REVISION(400);
    EXPECT_EQ(S(14), 1.0f);  // normalised by task 2
    EXPECT_EQ(S(30), 7.0f);  // not reloaded from the file
    EXPECT_NE(trace().find("REVISION task 0: Write out the following 164"), std::string::npos);

    REVISION(5);  // the column to disk
    S(30) = 0.0f;
    AADISK(-5);
    EXPECT_EQ(S(30), 7.0f);
}

TEST_F(Revision, SiteRefreshLooksTheZipCodeUpAndOpensTheWeatherFile) {
    S(1) = 0.0f;  // no tariff chosen: the location counts as changed
    S(4) = 95206.0f;
    S(7) = 3.0f;
    refresh();
    EXPECT_EQ(ZIPCODE, 95206.0f);
    EXPECT_EQ(CECZONE, 12);
    EXPECT_EQ(TITLE3.trimmed(), "STOCKTON");
    EXPECT_EQ(NTYPE, 16);
    EXPECT_TRUE(NFLAG(6));
    EXPECT_TRUE(NFLAG(37));
    EXPECT_EQ(S(47), 0.32f);  // zone 12's window U-factor and SHGC
    EXPECT_EQ(S(48), 0.25f);
    EXPECT_EQ(S(36), 1.0f);
    EXPECT_EQ(ITEMY, 42);  // the weather file is open and positioned
    EXPECT_NE(unit_file(23), nullptr);
    EXPECT_NE(trace().find("REVISION Task 400: Load Disk to Strategy 4013"), std::string::npos);
}

TEST_F(Revision, SiteRefreshZipCodeForms) {
    S(1) = 1.0f;  // a tariff is chosen: the site as loaded (zone 12) stays
    CECZONE = 12;
    S(4) = 12.6f;  // a climate-zone number with a stray fraction
    S(7) = 5.0f;
    refresh();
    EXPECT_EQ(S(4), 12.0f);
    EXPECT_EQ(ZIPCODE, 12.0f);
    EXPECT_EQ(NTYPE, 19);
    EXPECT_NE(trace().find("ERROR strategy(7,-)"), std::string::npos);

    S(4) = 20.5f;  // no zone number: kept as it is
    refresh();
    EXPECT_EQ(S(4), 20.5f);

    // Scheme 2 takes scheme 1's site.
    STRATEGY(4, 1) = 95206.0f;
    IDNUM1 = 2;
    S(4) = 90024.0f;
    refresh();
    EXPECT_EQ(ZIPCODE, 95206.0f);
    EXPECT_EQ(CECZONE, 12);

    // A negative code names the scheme's own EPW file.
    IDNUM1 = 3;
    S(4) = -1.0f;
    CLIMATEFILENAME = "Stockton.epw";
    refresh();
    EXPECT_FALSE(NFLAG(37));

    // The code window is the zone's the weather file settles, not the
    // zone of the scheme run before: Arcata's zone 1 sets no SHGC.
    CLIMATEFILENAME = "Arcata.epw";
    refresh();
    EXPECT_EQ(CECZONE, 1);
    EXPECT_EQ(S(47), 0.32f);
    EXPECT_EQ(S(48), 0.0f);

    // Non-residential mode keeps the building type of the scheme file.
    NFLAG(24) = true;
    NTYPE = 7;
    S(4) = 0.0f;
    refresh();
    EXPECT_EQ(NTYPE, 7);
    EXPECT_TRUE(NFLAG(37));  // zip code 0: the climate-zone weather file
}

// Combination numbers and library slots own no column: the transfer keeps
// the model their files gave and writes no column.
TEST_F(Revision, SchemeNumbersWithoutAColumnTouchNoColumn) {
    for (INTEGER k = 1; k <= 18; ++k) STRATEGY(14, k) = 0.0f;
    STRATEGY(11, 13) = 50.0f;
    FLOORS = 3.0f;
    for (INTEGER id : {13, 35, -2}) {
        IDNUM1 = id;
        REVISION(2);
        REVISION(3);
        EXPECT_EQ(FLOORS, 3.0f) << id;
    }
    for (INTEGER k = 1; k <= 18; ++k) EXPECT_EQ(STRATEGY(14, k), 0.0f) << k;
    EXPECT_EQ(STRATEGY(11, 13), 50.0f);
}

}  // namespace
}  // namespace mavo
