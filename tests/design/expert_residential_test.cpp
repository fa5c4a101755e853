// The design generator on the small house: the code-minimum scheme 1, the
// energy-efficient scheme 2 and the vintage scheme 2 of a 1977 house, with
// every value worked by hand from the type table (type 19), the code table
// of zone 12 and the site's climate; then the edge cases of the entry.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "design/design.h"
#include "design_fixture.h"
#include "project/project.h"

namespace mavo {
namespace {

constexpr float kDoor = 20.01f;

class ResidentialExpert : public design_test::DesignFixture {};

TEST_F(ResidentialExpert, CodeMinimumHouse) {
    house(1);
    command(1, true, true);
    NFLAG(90) = true;
    EXPERT();
    const std::string trace = trace_text();
    EXPECT_NE(trace.find("RESIDENTIAL BUILDING using MAVO nflag(24)=F"), std::string::npos);
    EXPECT_NE(trace.find("500 Scheme 1 Pure Low Mass Raised wood Floor"), std::string::npos);
    EXPECT_NE(trace.find("DBG OUT : EXPERT"), std::string::npos);

    // Year: not given, so the current code.
    EXPECT_EQ(STRATEGY(11, 1), 2013.0f);
    EXPECT_EQ(STRATEGY(11, 2), 2013.0f);
    // Type 19: 8-ft ceilings in 9-ft stories, 500 ft2 a person.
    EXPECT_EQ(FLTOCE, 8.0f);
    EXPECT_EQ(FLTOFL, 9.0f);
    EXPECT_EQ(STRATEGY(15, 1), 8.0f);
    EXPECT_EQ(PEOPLE, 3.0f);
    EXPECT_FLOAT_EQ(TLLOAD, 0.5f * 1500.0f * 3.412f);
    EXPECT_FLOAT_EQ(TELOAD, 0.3f * 1500.0f * 3.412f);
    EXPECT_FLOAT_EQ(TOLOAD, 230.0f * 3.0f);
    EXPECT_FLOAT_EQ(PEAK, 3.412f * 0.8f + 230.0f / 500.0f);
    EXPECT_FLOAT_EQ(FACFM, 0.01f * 1500.0f + 7.5f * 3.0f);
    EXPECT_EQ(SETBKU, 53.0f);
    EXPECT_EQ(SETBKN, 58.0f);

    // Zone 12 code plant: SEER 13, AFUE 0.78, R-6 ducts, whole-house fan.
    EXPECT_NEAR(COPAC, 13.0f / 3.412f, 1e-6f);
    EXPECT_FLOAT_EQ(COPHT, 0.78f);
    EXPECT_FLOAT_EQ(DuctInsul, 6.0f);
    EXPECT_EQ(DuctLeakPct, 6.0f);
    EXPECT_FLOAT_EQ(wCFMhvac, 0.58f);
    EXPECT_EQ(STRATEGY(18, 1), 3.0f);
    EXPECT_EQ(STRATEGY(20, 1), 3.0f);
    EXPECT_EQ(STRATEGY(24, 1), 6.0f);
    EXPECT_EQ(STRATEGY(25, 1), 5.0f);
    EXPECT_EQ(STRATEGY(28, 1), 2.0f);
    EXPECT_EQ(STRATEGY(29, 1), 1.0f);
    EXPECT_EQ(ACHMAX, 10.0f);  // 90 / 9-ft story
    EXPECT_FLOAT_EQ(wCFMvent, 0.14f);
    EXPECT_EQ(ACH50, 5.0f);
    EXPECT_EQ(SLA, 2.5f);
    EXPECT_EQ(FUELTYPE, 0.0f);  // California without the user's rates
    EXPECT_EQ(STRATEGY(32, 1), 4.0f);  // steep roof: reflectance 0.2 required
    EXPECT_EQ(THEATMAX, 85.0f);

    // Light wood frame on a raised floor.
    EXPECT_EQ(STRATEGY(17, 1), 2.0f);
    EXPECT_EQ(STRATEGY(31, 1), 10.0f);
    EXPECT_EQ(STRATEGY(33, 1), 2.0f);
    EXPECT_EQ(MTUSED(1), "WOOD");
    EXPECT_EQ(MTUSED(2), "DRYWALL");

    // The 40 x 40 ft plan and its window list (laid out as the window-list
    // tests check line by line).
    EXPECT_EQ(EWDIM, 40.0f);
    EXPECT_EQ(NSDIM, 40.0f);
    EXPECT_NEAR(SUMARY(2, 1), 340.02f, 1e-3f);
    EXPECT_NEAR(AREA(1), 72.0f + kDoor, 1e-3f);
    EXPECT_EQ(QTY(6), 6.0f);
    EXPECT_EQ(STRATEGY(60, 1), 25.0f);

    // Daylight, no solar systems, the defaults' water heater.
    EXPECT_EQ(PERCENTDL, 100.0f);
    EXPECT_EQ(DILLUM, 2.0f);
    EXPECT_FLOAT_EQ(LIGHTS, 0.5f);
    EXPECT_TRUE(NFLAG(54));
    EXPECT_FALSE(NFLAG(41));
    EXPECT_EQ(STRATEGY(50, 1), 0.0f);
    EXPECT_EQ(SSYSNO, 2);
    EXPECT_EQ(SQTY(1), 0.0f);
    EXPECT_EQ(SQTY(2), 0.0f);
    EXPECT_EQ(STILT(2), 38.5f);
    // Slot 2 from the defaults where they differ from the record.
    EXPECT_FLOAT_EQ(SEF(2), 0.67f);
    EXPECT_EQ(SCONTROL(2), 7);
    EXPECT_EQ(SDHWP8(2), 0.0f);
    EXPECT_FLOAT_EQ(SGPD(2), 21.4f + 0.0067f * 1500.0f);
    EXPECT_EQ(STSET(2), 135.0f);  // no set point in a dwelling's schedules
    EXPECT_FLOAT_EQ(WHEF, 0.6f);
}

TEST_F(ResidentialExpert, EfficientHouse) {
    house(2);
    STRATEGY(6, 1) = 1.0f;
    STRATEGY(11, 1) = 2013.0f;
    SUMARY(2, 1) = 340.02f;
    command(2, false, true);
    EXPERT();

    EXPECT_EQ(STRATEGY(11, 2), 2013.0f);
    EXPECT_FALSE(NFLAG(8));
    // Stretched plan: 1.73 by the degree days, 13 x 8 cells, then 12 x 8
    // fills 1500/1536 of the grid.
    EXPECT_EQ(EWDIM, 48.0f);
    EXPECT_EQ(NSDIM, 32.0f);

    // South: three 6 x 4.67 ft windows on a 2-ft sill (109.98 ft2 goal),
    // under a 1-ft gap and an overhang for a noon altitude of 63.25 deg.
    EXPECT_EQ(QTY(1), 3.0f);
    EXPECT_EQ(WIDTH(1), 6.0f);
    EXPECT_EQ(SILL(1), 2.0f);
    EXPECT_NEAR(OHANGD(1), 5.67 / std::tan(63.25 * M_PI / 180.0), 1e-4);
    EXPECT_EQ(OHANGDIS(1), 1.0f);
    EXPECT_EQ(UWINDO(1), 0.32f);
    EXPECT_EQ(SCOEF(1), 0.46f);
    EXPECT_EQ(TRANS(1), 0.58f);
    EXPECT_EQ(STRATEGY(60, 2), 29.0f);
    // West and east: 18.75 ft2 each, two 2.5-ft windows on a 3.17-ft sill.
    EXPECT_EQ(ITEMS(3), 2);
    EXPECT_EQ(QTY(3), 2.0f);
    EXPECT_EQ(WIDTH(3), 2.5f);
    EXPECT_EQ(SILL(3), 3.17f);
    EXPECT_EQ(ITEMS(6), 4);
    EXPECT_EQ(QTY(6), 2.0f);
    // North takes what makes the glass equal scheme 1's: 340.02 - 40.02 -
    // (84.06 + 17.5 + 17.5) = 180.94 ft2, fifteen 12-ft2 windows.
    EXPECT_EQ(ITEMS(4), 3);
    EXPECT_EQ(QTY(4), 15.0f);
    EXPECT_NEAR(AREA(1), 84.06f + kDoor, 1e-3f);
    EXPECT_NEAR(AREA(3), 180.0f + kDoor, 1e-3f);
    EXPECT_NEAR(AREA(8), 432.0f - 180.0f - kDoor, 1e-3f);
    EXPECT_NEAR(AREA(2), 17.5f, 1e-3f);

    // Medium-mass climate (May 80 / 51 F): slab floor, low-mass 2x6 walls.
    EXPECT_FALSE(NFLAG(74));
    EXPECT_FALSE(NFLAG(75));
    EXPECT_TRUE(NFLAG(76));
    EXPECT_EQ(STRATEGY(31, 2), 14.0f);
    EXPECT_EQ(STRATEGY(33, 2), 6.0f);
    EXPECT_EQ(MTUSED(1), "CONCRETE");
    EXPECT_EQ(ACHMAX, 10.0f);  // max(5, 90 / 9)
    EXPECT_FLOAT_EQ(wCFMvent, 0.09f);
    // The efficient extras of a new house.
    EXPECT_EQ(STRATEGY(24, 2), 8.0f);
    EXPECT_EQ(SLA, 1.5f);
    EXPECT_EQ(STRATEGY(25, 2), 6.0f);
    EXPECT_EQ(STRATEGY(28, 2), 3.0f);
    EXPECT_EQ(STRATEGY(29, 2), 1.0f);
    EXPECT_TRUE(NFLAG(54));
    EXPECT_FLOAT_EQ(SEF(2), 0.67f);
}

// The efficient house's glass follows the climate test of its own design,
// not the climate flags the slot held from before.
TEST_F(ResidentialExpert, EfficientGlassFollowsTheClimateOfThisDesign) {
    for (const bool hot_dry : {true, false}) {
        house(2);
        SUMARY(2, 1) = 340.02f;
        NFLAG(75) = !hot_dry;
        TMAX(7) = hot_dry ? 100.0f : design_test::kSiteTmax[6];
        TMIN(7) = hot_dry ? 60.0f : design_test::kSiteTmin[6];  // a 40 F swing: high mass
        command(2, false, true);
        EXPERT();
        EXPECT_EQ(NFLAG(75), hot_dry);
        EXPECT_EQ(SCOEF(1), hot_dry ? 0.25f : 0.46f);
        EXPECT_EQ(STRATEGY(60, 2), hot_dry ? 24.0f : 29.0f);
    }
}

TEST_F(ResidentialExpert, VintageHouseOf1977) {
    house(2);
    STRATEGY(6, 1) = 2.0f;  // remodel
    STRATEGY(11, 1) = 1977.0f;
    STRATEGY(32, 1) = 4.0f;
    command(2, false, false);
    EXPERT();

    EXPECT_EQ(STRATEGY(11, 2), 1977.0f);
    EXPECT_EQ(STRATEGY(6, 2), 2.0f);
    EXPECT_EQ(EWDIM, 44.0f);  // 11 x 9 cells: 1500/1584
    EXPECT_EQ(NSDIM, 36.0f);
    // Single glazing of the seventies.
    EXPECT_EQ(UWINDO(1), 1.27f);
    EXPECT_EQ(SCOEF(1), 0.75f);
    EXPECT_EQ(TRANS(1), 0.77f);
    EXPECT_EQ(STRATEGY(60, 2), -1.0f);
    EXPECT_EQ(OHANGD(1), 0.0f);
    EXPECT_EQ(QTY(1), 6.0f);  // 75 ft2 of code glass a facade
    EXPECT_NEAR(AREA(1), 72.0f + kDoor, 1e-3f);

    // Envelope of 1977.
    for (int i = 6; i <= 9; ++i) EXPECT_FLOAT_EQ(UVAL(i), 0.356f) << i;
    EXPECT_FLOAT_EQ(ABSORB(6), 0.5f);
    EXPECT_FLOAT_EQ(UVAL(10), 0.079f);
    EXPECT_FLOAT_EQ(ABSORB(10), 0.9f);
    EXPECT_FLOAT_EQ(REMITT, 0.75f);
    EXPECT_FLOAT_EQ(UVAL(11), 0.099f);
    EXPECT_FLOAT_EQ(UVAL(12), 0.73f);
    EXPECT_EQ(AREA(12), 0.0f);
    EXPECT_FALSE(NFLAG(85));
    // Leaky ducts and envelope, an old furnace and air conditioner.
    EXPECT_FLOAT_EQ(DuctInsul, 2.1f);
    EXPECT_EQ(DuctLeakPct, 14.0f);
    EXPECT_FLOAT_EQ(SLA, 4.9f);
    EXPECT_FLOAT_EQ(ACH50, 9.8f);
    EXPECT_FLOAT_EQ(COPHT, 0.75f);
    EXPECT_FLOAT_EQ(COPAC, 2.34467f);
    EXPECT_FLOAT_EQ(WHEF, 0.525f);
    EXPECT_FLOAT_EQ(SEF(2), 0.525f);  // the existing water heater, not the defaults'

    // Column 2 marks the vintage choices.
    EXPECT_EQ(STRATEGY(18, 2), -2.0f);
    EXPECT_EQ(STRATEGY(20, 2), -2.0f);
    EXPECT_EQ(STRATEGY(24, 2), -2.0f);
    EXPECT_EQ(STRATEGY(31, 2), -1.0f);
    EXPECT_EQ(STRATEGY(32, 2), -6.0f);  // scheme 1's roof 4, an older 6
    EXPECT_EQ(STRATEGY(33, 2), -3.0f);
    EXPECT_EQ(STRATEGY(30, 2), 4.0f);
    EXPECT_EQ(STRATEGY(35, 2), 5.0f);
    EXPECT_EQ(STRATEGY(25, 2), 1.0f);
}

TEST_F(ResidentialExpert, YearOf95IsANewHouse) {
    house(2);
    STRATEGY(11, 1) = 95.0f;
    STRATEGY(11, 2) = 95.0f;
    SUMARY(2, 1) = 340.02f;
    command(2, false, true);
    EXPERT();
    EXPECT_EQ(STRATEGY(11, 2), 2013.0f);
    EXPECT_EQ(STRATEGY(24, 2), 8.0f);  // the extras of a house of 2013 on
    EXPECT_EQ(SLA, 1.5f);
}

TEST_F(ResidentialExpert, SchemeOneIsAlwaysDesignedToTheCurrentCode) {
    // A remodel of 1950 attached on two sides: scheme 1 still takes the
    // California air-tightness of 2013, 7 ACH50 for an attached unit.
    house(1);
    STRATEGY(6, 1) = 2.0f;
    STRATEGY(11, 1) = 1950.0f;
    STRATEGY(7, 1) = 3.0f;
    command(1, true, false);
    EXPERT();
    EXPECT_EQ(STRATEGY(11, 2), 1950.0f);
    EXPECT_EQ(ACH50, 7.0f);

    // Outside California the default holds, and the fuel is gas.
    house(1);
    STRATEGY(7, 1) = 3.0f;
    NFLAG(58) = false;
    command(1, true, false);
    EXPERT();
    EXPECT_EQ(ACH50, 5.0f);
    EXPECT_EQ(FUELTYPE, 1.0f);
}

TEST_F(ResidentialExpert, ZoneWithoutWholeHouseFan) {
    house(1);
    testing::site_in_climate_zone(1, 3, util.path());
    command(1, true, true);
    EXPERT();
    EXPECT_EQ(ACHMAX, 0.0f);
    EXPECT_EQ(wCFMvent, 0.0f);
    EXPECT_EQ(STRATEGY(25, 1), 1.0f);
    EXPECT_EQ(STRATEGY(28, 1), 1.0f);
    EXPECT_EQ(STRATEGY(29, 1), 1.0f);
    // Zone 3 requires no SHGC: the code window is 0.32 / 0.6 / 0.69, the
    // glazing that code 25 stands for in this zone.
    EXPECT_EQ(UWINDO(1), 0.32f);
    EXPECT_EQ(SCOEF(1), 0.6f);
    EXPECT_EQ(TRANS(1), 0.69f);
    EXPECT_EQ(STRATEGY(60, 1), 25.0f);

    // Saved and loaded again, the scheme keeps code 25 and the same glass.
    REVISION(3);
    EXPECT_EQ(STRATEGY(60, 1), 25.0f);
    int windows = 0;
    for (int j = 1; j <= 25; ++j) {
        if (!(QTY(j) > 0.0f && TRANS(j) > 0.0f)) continue;
        ++windows;
        UWINDO(j) = 1.99f;
        SCOEF(j) = TRANS(j) = 0.99f;
    }
    EXPECT_EQ(windows, 4);
    REVISION(2);
    EXPECT_EQ(STRATEGY(60, 1), 25.0f);
    for (int j = 1; j <= 25; ++j) {
        if (!(QTY(j) > 0.0f && TRANS(j) > 0.0f)) continue;
        EXPECT_EQ(UWINDO(j), 0.32f) << j;
        EXPECT_EQ(SCOEF(j), 0.6f) << j;
        EXPECT_EQ(TRANS(j), 0.69f) << j;
    }
}

TEST_F(ResidentialExpert, BaseSchemesLeaveWithoutSolarSystems) {
    house(1);
    AREAT = 3000.0f;
    STRATEGY(8, 1) = 3000.0f;
    STRATEGY(50, 1) = -3.0f;
    NFLAG(41) = true;
    NFLAG(54) = false;
    PVKWH(5) = 120.0f;
    PVCOST(13) = 80.0f;
    command(1, true, true);
    EXPERT();
    EXPECT_EQ(STRATEGY(50, 1), 0.0f);
    EXPECT_FALSE(NFLAG(41));
    EXPECT_TRUE(NFLAG(54));
    EXPECT_EQ(PVKWH(5), 0.0f);
    EXPECT_EQ(PVCOST(13), 0.0f);
    EXPECT_FLOAT_EQ(SGPD(2), 38.15f);  // a house above 2500 ft2
}

TEST_F(ResidentialExpert, NoDesignWithoutStoriesOrType) {
    house(1);
    FLOORS = 0.0f;
    COMHI = 80.0f;
    command(1, true, true);
    EXPERT();
    EXPECT_EQ(COMHI, 80.0f);
    EXPECT_EQ(STRATEGY(11, 1), 0.0f);

    house(1);
    IDNUM1 = 0;  // the design path of a new project has no column
    EXPERT();
    EXPECT_EQ(COMHI, 80.0f);
}

}  // namespace
}  // namespace mavo
