#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "blocks/blocks.h"
#include "physics/constructions_residential.h"
#include "test_support.h"

namespace mavo {
namespace {

// A residential scheme k in zone z with its construction codes; year built
// 0 (taken as the current code year). Radiant-barrier code 5, no foil.
void scheme(INTEGER k, INTEGER z, float level, float wall, float roof, float floor, float under_floor = 5) {
    IDNUM1 = k;
    CECZONE = z;
    STRATEGY(11, k) = 0;
    STRATEGY(30, k) = level;
    STRATEGY(31, k) = wall;
    STRATEGY(32, k) = roof;
    STRATEGY(33, k) = floor;
    STRATEGY(35, k) = 5;
    STRATEGY(49, k) = under_floor;
}

void plan(float area_ft2, float floors, float ew_ft, float ns_ft, float fltoce_ft) {
    AREAT = area_ft2;
    FLOORS = floors;
    EWDIM = ew_ft;
    NSDIM = ns_ft;
    FLTOCE = fltoce_ft;
}

// ---------------------------------------------------------------- frame

TEST(ResidentialConstructions, CodeMinimumLevelFollowsTheWallType) {
    scheme(3, 12, 5, 4, 2, 2);
    UVALR();
    EXPECT_EQ(STRATEGY(30, 3), 9.0f);  // block with 2x4 insulation meets the code by its mass
    scheme(3, 12, 5, 6, 2, 2);
    UVALR();
    EXPECT_EQ(STRATEGY(30, 3), 10.0f);  // masonry: the heavy-mass value
    scheme(3, 12, 9, 9, 2, 2);
    UVALR();
    EXPECT_EQ(STRATEGY(30, 3), 5.0f);  // frame wall: the plain wall value
    scheme(3, 12, 3, -12, 2, 2);
    UVALR();
    EXPECT_EQ(STRATEGY(30, 3), 9.0f);  // insulated forms, from any level
    // The requirement copies of the zone.
    EXPECT_EQ(STRATEGY(37, 3), 0.065f);
    EXPECT_EQ(STRATEGY(38, 3), 38.0f);
    EXPECT_EQ(STRATEGY(40, 3), 0.125f);
}

TEST(ResidentialConstructions, NegativeLevelSetsOnlyTheCeilingInsulation) {
    scheme(3, 16, -5, 1, 2, 2);
    UVALR();
    EXPECT_EQ(RINSCEIL, 38.0f);
    EXPECT_EQ(RVAL(10), 38.0f);
    EXPECT_EQ(RVAL(6), 0.0f);  // no wall insulation value
    scheme(3, 3, -6, 1, 2, 2);
    UVALR();
    EXPECT_FLOAT_EQ(RINSCEIL, 1.46f * 30.0f);
}

TEST(ResidentialConstructions, VintageRuleTurnsChangedCodesBackForOlderUserSchemes) {
    scheme(3, 12, 5, -1, -2, -2);
    UVALR();  // year 0 is the current code year: the changed codes stay
    EXPECT_EQ(STRATEGY(31, 3), -1.0f);
    EXPECT_EQ(STRATEGY(32, 3), -2.0f);

    scheme(3, 12, 5, -1, -2, -2);
    STRATEGY(11, 3) = 1990;
    UVALR();
    EXPECT_EQ(STRATEGY(31, 3), 1.0f);
    EXPECT_EQ(STRATEGY(32, 3), 2.0f);
    EXPECT_EQ(STRATEGY(33, 3), 2.0f);
    EXPECT_EQ(UVAL(6), 0.356f);

    scheme(1, 12, 5, -1, 2, 2);  // the first scheme is always a current design
    STRATEGY(11, 1) = 1990;
    UVALR();
    EXPECT_EQ(STRATEGY(31, 1), -1.0f);
    EXPECT_EQ(STRATEGY(11, 1), 1990.0f);
}

TEST(ResidentialConstructions, RadiantBarrierOfTheGeneratedDesigns) {
    scheme(2, 1, 5, 1, 4, 2);  // zone without the requirement
    UVALR();
    EXPECT_FALSE(NFLAG(85));
    EXPECT_EQ(STRATEGY(35, 2), 5.0f);
    EXPECT_EQ(ATTICR, 1.9f);

    scheme(1, 3, 5, 1, 6, 2);
    UVALR();
    EXPECT_TRUE(NFLAG(85));
    EXPECT_EQ(STRATEGY(35, 1), 3.0f);
    EXPECT_EQ(ATTICR, 6.5f);

    scheme(1, 3, 5, 1, 1, 2);  // heated unit upstairs: no attic
    UVALR();
    EXPECT_EQ(STRATEGY(35, 1), 2.0f);
    EXPECT_EQ(ATTICR, 0.0f);

    scheme(3, 3, 5, 1, 6, 2);  // a user scheme keeps its code: foil added by the user
    STRATEGY(35, 3) = -6;
    UVALR();
    EXPECT_EQ(STRATEGY(35, 3), 6.0f);
    EXPECT_EQ(ATTICR, 6.5f);

    // An existing house carries the barrier of its year and zone, not what
    // a run under a later year left in the flag (a house built 2028, then
    // typed back to 1992, kept the zone's requirement in its saved file).
    struct Existing {
        REAL year_built;
        INTEGER zone;
        bool barrier;
    };
    for (const Existing e : {Existing{1992.0f, 3, false}, Existing{2008.0f, 3, true}, Existing{2008.0f, 1, false}}) {
        scheme(2, e.zone, 5, 1, 6, 2);
        STRATEGY(11, 2) = e.year_built;
        NFLAG(9) = false;
        NFLAG(85) = !e.barrier;
        UVALR();
        EXPECT_EQ(NFLAG(85), e.barrier) << e.year_built << " in zone " << e.zone;
    }
    NFLAG(9) = true;
}

TEST(ResidentialConstructions, WindowsNotAllAlikeMarkTheFirstWindowGroup) {
    scheme(3, 12, 5, 1, 2, 2);
    STRATEGY(60, 3) = 4;
    UVALR();
    EXPECT_EQ(STRATEGY(60, 3), 4.0f);  // one window line, doors only besides

    QTY(2) = 1;
    TRANS(2) = 0.88f;
    SCOEF(2) = 0.76f;
    UWINDO(2) = 1.04f;
    QTY(3) = 2;
    TRANS(3) = 0.0f;  // a door of another U-factor does not count
    UWINDO(3) = 0.3f;
    UVALR();
    EXPECT_EQ(STRATEGY(60, 3), 4.0f);

    UWINDO(1) = 0.5f;
    UWINDO(2) = 0.4f;
    UVALR();
    EXPECT_EQ(STRATEGY(60, 3), -1.0f);
}

TEST(ResidentialConstructions, SchemeWithoutColumnOrZoneChangesNothing) {
    scheme(3, 12, 5, 1, 2, 2);
    IDNUM1 = 0;
    const BLK4_t before = BLK4;
    UVALR();
    EXPECT_EQ(std::memcmp(&before, &BLK4, sizeof(BLK4_t)), 0);
    IDNUM1 = 3;
    CECZONE = 17;
    UVALR();
    EXPECT_EQ(std::memcmp(&before, &BLK4, sizeof(BLK4_t)), 0);
    EXPECT_EQ(STRATEGY(37, 3), 0.0f);
}

TEST(ResidentialConstructions, TracedRunGivesTheSameResults) {
    AREA(12) = 150;
    scheme(3, 3, 5, 1, 6, 13);
    UVALR();
    const BLK4_t untraced = BLK4;
    testing::ScratchDir dir;
    testing::use_directories(dir.str(), dir.str(), dir.str());
    BLK0B.DISKTRACE = 37;
    NFLAG(90) = true;
    UVALR();
    EXPECT_EQ(std::memcmp(&untraced, &BLK4, sizeof(BLK4_t)), 0);
    const std::string trace = testing::read_file(dir / "v7trace3.txt");
    EXPECT_NE(trace.find("DBG IN  : UVALR"), std::string::npos);
    EXPECT_NE(trace.find("DBG OUT : UVALR"), std::string::npos);
    EXPECT_NE(trace.find("DBG IN  : MTTYPE"), std::string::npos);
}

// ---------------------------------------------------------------- walls

TEST(ResidentialConstructions, WallsByTypeLevelAndZone) {
    scheme(3, 12, 4, 1, 2, 2);
    UVALR();
    for (INTEGER item = 6; item <= 9; ++item) {
        EXPECT_EQ(UVAL(item), 0.356f);
        EXPECT_EQ(TMLAG(item), 3.0f);
        EXPECT_EQ(DECR(item), 0.88f);
        EXPECT_EQ(ABSORB(item), 0.5f);
        EXPECT_EQ(RVAL(item), 11.0f);  // level 4: R 11 cavity
    }
    scheme(3, 3, 5, 6, 2, 2);  // becomes level 10
    UVALR();
    EXPECT_EQ(UVAL(9), 0.113f);
    EXPECT_EQ(RVAL(9), 0.125f);  // the heavy-mass row carried as is
    scheme(3, 16, 5, 6, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(9), 0.068f);
    scheme(3, 3, 6, 6, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(6), 0.07f);
    scheme(3, 16, 6, 6, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(6), 0.044f);
    scheme(3, 16, 9, 7, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(6), 0.123f);
    scheme(3, 3, 9, 7, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(6), 0.123f);
    scheme(3, 3, 5, 9, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(6), 0.065f);  // row 2 of the zone
    scheme(3, 3, 5, 5, 2, 2);
    UVALR();
    EXPECT_EQ(UVAL(6), 0.999f);
    EXPECT_EQ(TMLAG(6), 0.0f);
    EXPECT_EQ(DECR(6), 0.0f);
}

TEST(ResidentialConstructions, ChangedWallKeepsItsStoredValues) {
    scheme(3, 12, 5, -2, 2, 2);
    for (INTEGER item = 6; item <= 9; ++item) UVAL(item) = 0.2f + 0.01f * item;
    TMLAG(7) = 5.0f;
    RVAL(6) = 13.0f;  // left by an earlier scheme; no file carries it
    UVALR();
    for (INTEGER item = 6; item <= 9; ++item) EXPECT_EQ(UVAL(item), 0.2f + 0.01f * item);
    EXPECT_EQ(TMLAG(7), 5.0f);
    EXPECT_EQ(RVAL(6), 0.0f);
}

TEST(ResidentialConstructions, WallMassOfTheGeneratedDesigns) {
    plan(2000, 2, 40, 25, 9);
    scheme(1, 12, 5, 13, 2, 2);  // solid masonry: the walls themselves
    UVALR();
    EXPECT_EQ(LNTH(2), 40.0f);
    EXPECT_EQ(WDTH(2), 9.0f);
    EXPECT_FLOAT_EQ(NELMNT(2), 6.5f);  // 2 x 2 stories x (40 + 25) / 40
    EXPECT_TRUE(MTUSED(2) == "BRICK");
    EXPECT_EQ(DNST(2), 130.0f);
    EXPECT_NEAR(THCK(2), 1.18 * 12 * std::sqrt(7 / (3.1416 * 130 * 0.19)), 1e-4);  // 8 in cut to its depth

    plan(2000, 2, 25, 40, 9);  // frame walls: the partitions' gypsum board
    scheme(2, 12, 5, 1, 2, 2);
    UVALR();
    EXPECT_EQ(LNTH(2), 40.0f);
    EXPECT_FLOAT_EQ(NELMNT(2), (1000.0f / 144.0f) * 2 * 4 * 12 / 40);
    EXPECT_TRUE(MTUSED(2) == "DRYWALL");
    EXPECT_EQ(THCK(2), 0.625f);

    LNTH(2) = 33;  // a user scheme keeps its element
    scheme(3, 12, 5, 13, 2, 2);
    UVALR();
    EXPECT_EQ(LNTH(2), 33.0f);
}

TEST(ResidentialConstructions, BuildingWithoutFloorAreaKeepsItsMassElements) {
    plan(2000, 0, 40, 25, 9);
    scheme(1, 12, 5, 1, 2, 2);
    UVALR();
    for (INTEGER n = 1; n <= 4; ++n) EXPECT_EQ(LNTH(n), 0.0f);
    EXPECT_EQ(UVAL(6), 0.356f);
}

// ---------------------------------------------------------------- roof

TEST(ResidentialConstructions, FlatRoofByParallelPaths) {
    scheme(3, 1, 5, 1, 2, 2);
    UVALR();
    EXPECT_EQ(ATTICR, 1.9f);
    EXPECT_FLOAT_EQ(RCAVITYC, 43.15f);  // R 38 + 3.25 shell + 1.9 air space
    EXPECT_FLOAT_EQ(RFRAMINGC, 20.48f);
    EXPECT_NEAR(UVAL(10), 0.9 / 43.15 + 0.1 / 20.48, 1e-6);
    EXPECT_EQ(TMLAG(10), 3.0f);
    EXPECT_EQ(DECR(10), 0.88f);
    EXPECT_EQ(RVAL(10), 38.0f);
    EXPECT_EQ(RSLOPE, 0.0f);
    EXPECT_FLOAT_EQ(ABSORB(10), 0.9f);  // low-slope reflectance 0.1
    EXPECT_EQ(REMITT, 0.75f);
}

// Under an attic the ceiling's two paths each pass the attic air space (1.9
// without foil) and the roof shell: the steady U-factor, whatever an
// earlier scheme left in the item.
TEST(ResidentialConstructions, AtticRoofGetsTheSteadyCeilingUFactor) {
    SLAT = 34;
    scheme(3, 3, 5, 1, 6, 2);
    UVAL(10) = 0.123f;
    UVALR();
    EXPECT_FLOAT_EQ(RCAVITYC, 31.06f);
    EXPECT_FLOAT_EQ(RFRAMINGC, 16.39f);
    EXPECT_FLOAT_EQ(RSHELCEIL, 1.39f);
    EXPECT_FLOAT_EQ(UVAL(10), 0.9f / (31.06f + 1.9f + 1.39f) + 0.1f / (16.39f + 1.9f + 1.39f));
    EXPECT_EQ(TMLAG(10), 2.0f);
    EXPECT_EQ(DECR(10), 0.94f);
    EXPECT_EQ(RSLOPE, 29.0f);
    EXPECT_FLOAT_EQ(ABSORB(10), 0.9f);  // steep reflectance 0.1
    EXPECT_EQ(REMITT, 0.85f);           // steep emittance of zones 1 to 4

    // Heavy tiles over R 38, the default (8) and the cool (10) roof alike.
    for (const float roof : {8.0f, 10.0f}) {
        scheme(3, 1, 5, 1, roof, 2);
        UVAL(10) = 0.123f;
        UVALR();
        EXPECT_FLOAT_EQ(RSHELCEIL, 1.85f);
        EXPECT_FLOAT_EQ(UVAL(10), 0.9f / (39.06f + 1.9f + 1.85f) + 0.1f / (16.39f + 1.9f + 1.85f)) << roof;
    }
    EXPECT_EQ(TMLAG(10), 3.0f);  // the cool heavy roof: the lag and decrement of the walls
    scheme(3, 1, 5, 1, 8, 2);
    UVALR();
    EXPECT_EQ(TMLAG(10), 4.0f);
    EXPECT_EQ(DECR(10), 0.86f);
}

TEST(ResidentialConstructions, RoofSlopeFromLatitude) {
    SLAT = 50;
    scheme(3, 3, 5, 1, 6, 2);
    UVALR();
    EXPECT_EQ(RSLOPE, 40.0f);
    RSLOPE = 0;
    SLAT = -10;
    UVALR();
    EXPECT_EQ(RSLOPE, 10.0f);
    RSLOPE = 22;  // an entered slope stays
    UVALR();
    EXPECT_EQ(RSLOPE, 22.0f);
}

TEST(ResidentialConstructions, RoofWithoutLosses) {
    scheme(3, 3, 5, 1, 0, 2);
    UVALR();
    EXPECT_EQ(STRATEGY(32, 3), 1.0f);
    EXPECT_EQ(AREA(10), 0.0f);
    EXPECT_EQ(PERCNT(10), 0.0f);
    EXPECT_EQ(ABSORB(10), 0.0f);
    EXPECT_EQ(REMITT, 0.0f);
}

TEST(ResidentialConstructions, ChangedRoofKeepsItsStoredValues) {
    scheme(4, 3, 5, 1, -6, 2);
    STRATEGY(11, 4) = 2015;
    UVAL(10) = 0.05f;
    ABSORB(10) = 0.7f;
    RCAVITYC = 9;
    UVALR();
    EXPECT_EQ(UVAL(10), 0.05f);
    EXPECT_EQ(ABSORB(10), 0.7f);
    EXPECT_EQ(RCAVITYC, 0.0f);  // no ceiling paths for a changed roof
    EXPECT_EQ(RFRAMINGC, 15.33f);
    EXPECT_EQ(TMLAG(10), 3.0f);  // the lag and decrement of the walls
    EXPECT_EQ(DECR(10), 0.88f);
}

TEST(ResidentialConstructions, LevelWithoutCeilingInsulationTakesNoneFromAnEarlierScheme) {
    // A code-minimum scheme in zone 3 leaves R 30 in the ceiling ...
    scheme(4, 3, 5, 1, 6, 2);
    UVALR();
    ASSERT_EQ(RVAL(10), 30.0f);
    // ... which a scheme whose level names no ceiling insulation must not
    // inherit: no file carries the ceiling R.
    scheme(3, 3, 11, 1, 6, 2);
    UVALR();
    EXPECT_EQ(RINSCEIL, 0.0f);
    EXPECT_EQ(RVAL(10), 0.0f);
    EXPECT_FLOAT_EQ(RCAVITYC, 1.06f);  // the gypsum ceiling alone
    // A flat roof the same: 0.9/3.25 + 0.1/18.58 with no attic air space.
    scheme(3, 3, 11, 1, 3, 2);
    STRATEGY(35, 3) = 1;
    UVALR();
    EXPECT_NEAR(UVAL(10), 0.9f / 3.25f + 0.1f / 18.58f, 1e-6f);
}

// ---------------------------------------------------------------- floors

TEST(ResidentialConstructions, SlabFFactorFromTheEdgeInsulation) {
    plan(2000, 2, 50, 20, 9);
    AREA(12) = 140;
    scheme(3, 16, 5, 1, 2, 6);
    UVALR();
    EXPECT_EQ(UVAL(12), 0.73f);  // R 0.58 of the zone table: below R 5
    EXPECT_EQ(RVAL(12), 0.58f);
    EXPECT_EQ(TMLAG(12), 24.0f);
    EXPECT_EQ(DECR(12), 0.0f);
    EXPECT_EQ(AREA(11), 0.0f);
    EXPECT_EQ(PERCNT(11), 0.0f);
    EXPECT_FLOAT_EQ(PERCNT(12), 100.0f);  // 140 ft of a 140 ft footprint perimeter
    EXPECT_EQ(STRATEGY(49, 3), 5.0f);

    scheme(3, 16, 7, 1, 2, 7);
    UVALR();
    EXPECT_EQ(UVAL(12), 0.55f);  // R 15
    scheme(3, 16, 6, 1, 2, 7);
    UVALR();
    EXPECT_EQ(UVAL(12), 0.56f);  // R 10
    scheme(3, 3, 6, 1, 2, 7);
    UVALR();
    EXPECT_EQ(UVAL(12), 0.58f);  // R 7
    EXPECT_EQ(RVAL(12), 7.0f);

    scheme(3, 3, 6, 1, 2, -7);  // a changed slab keeps its F-factor
    UVAL(12) = 0.41f;
    UVALR();
    EXPECT_EQ(UVAL(12), 0.41f);
}

TEST(ResidentialConstructions, RaisedFloors) {
    scheme(3, 12, 5, 1, 2, 2, 2);  // framed, R 19, vented crawl space
    UVALR();
    const float framed = 0.9f / 28.95f + 0.1f / 25.28f;
    EXPECT_NEAR(UVAL(11), 1.0f / (1.0f / framed + 6.0f), 1e-6);
    EXPECT_EQ(TMLAG(11), 3.0f);
    EXPECT_EQ(DECR(11), 0.8f);
    EXPECT_EQ(PERCNT(12), 0.0f);

    scheme(3, 12, 5, 1, 2, 2, 1);
    UVALR();
    EXPECT_EQ(UVAL(11), 0.0f);

    scheme(3, 12, 5, 1, 2, 2, 4);  // reduced shell
    UVALR();
    EXPECT_NEAR(UVAL(11), 0.9 / (19 + 3.95) + 0.1 / (3.95 + 15.33), 1e-6);

    scheme(3, 12, 5, 1, 2, 3, 5);  // a raised floor is no slab: crawl space
    UVALR();
    EXPECT_EQ(STRATEGY(49, 3), 2.0f);
    EXPECT_NEAR(UVAL(11), 1.0 / (1.0 / (0.9 / (19 + 7.87) + 0.1 / (7.87 + 15.33)) + 6), 1e-6);

    scheme(3, 1, 5, 1, 2, 8, 3);  // concrete floor in series with row 9 of zone 1
    UVALR();
    EXPECT_NEAR(UVAL(11), 1.0 / 9.612, 1e-6);
    EXPECT_EQ(TMLAG(11), 9.0f);
    EXPECT_EQ(DECR(11), 0.1f);
    EXPECT_TRUE(MTUSED(1) == "CONCRETE");
}

TEST(ResidentialConstructions, UnfinishedBasementBands) {
    plan(2000, 2, 50, 25, 8);
    AREA(12) = 150;
    scheme(3, 12, 5, 1, 2, 10);
    UVALR();
    EXPECT_EQ(AREA(13), 300.0f);
    EXPECT_EQ(AREA(14), 300.0f);
    EXPECT_EQ(AREA(15), 600.0f);
    EXPECT_EQ(AREA(16), 0.0f);
    EXPECT_EQ(AREA(18), 1200.0f);
    EXPECT_FLOAT_EQ(UVAL(13), 1 / 2.61f);
    EXPECT_FLOAT_EQ(UVAL(14), 1 / 3.36f);
    EXPECT_FLOAT_EQ(UVAL(15), 1 / 9.07f);
    EXPECT_FLOAT_EQ(UVAL(16), 1 / 15.49f);
    EXPECT_NEAR(UVAL(12), (300 / 2.61 + 300 / 3.36 + 600 / 9.07) / 1200, 1e-6);
    EXPECT_FLOAT_EQ(PERCNT(13), 25.0f);
    EXPECT_FLOAT_EQ(PERCNT(15), 50.0f);
    EXPECT_EQ(PERCNT(18), 100.0f);
    EXPECT_FLOAT_EQ(PERCNT(12), 100.0f);  // 150 ft of the 150 ft footprint perimeter
    EXPECT_EQ(UVAL(17), 0.05299417f);
    EXPECT_EQ(UVAL(18), 0.0f);
    EXPECT_EQ(ABSORB(13), 0.75f);
    EXPECT_EQ(HO(13), 4.0f);
    EXPECT_EQ(TMLAG(13), 6.0f);
    EXPECT_EQ(TMLAG(11), 24.0f);
    EXPECT_EQ(LNTH(4), 150.0f);
    EXPECT_TRUE(MTUSED(4) == "CONCRETE");

    scheme(3, 12, 7, 1, 2, 10);
    UVALR();
    EXPECT_FLOAT_EQ(UVAL(14), 1 / 18.36f);  // R 15 outside the first two feet
    scheme(3, 12, 5, 6, 2, 10);             // level 5 with wall 6 is level 10
    UVALR();
    EXPECT_FLOAT_EQ(UVAL(14), 1 / 18.36f);
}

TEST(ResidentialConstructions, FinishedBasementAndTheTestCase) {
    plan(2000, 2, 50, 25, 8);
    AREA(12) = 150;
    scheme(3, 3, 5, 1, 2, 13);
    UVALR();
    EXPECT_EQ(UVAL(18), 0.07f);
    const float finish = (0.07f + 0.56f) * 0.875f + 0.615f;  // 1.16625
    EXPECT_FLOAT_EQ(UVAL(13), 1 / (2.61f + finish));
    EXPECT_FLOAT_EQ(UVAL(16), 1 / (1.79f + finish + 13.7f));
    EXPECT_TRUE(MTUSED(4) == "DRYWALL");
    EXPECT_EQ(THCK(4), 0.625f);

    NFLAG(46) = true;
    scheme(3, 3, 5, 1, 2, 13);
    UVALR();
    EXPECT_FLOAT_EQ(UVAL(13), 1 / (1.33f + 10.69f));
    EXPECT_FLOAT_EQ(UVAL(14), 1 / (1.33f + 10.69f + 1.57f));
    EXPECT_EQ(DECR(13), 0.48f);
    EXPECT_EQ(TMLAG(13), 7.0f);
    EXPECT_FLOAT_EQ(AREA(13), 100.0f);
    EXPECT_FLOAT_EQ(AREA(16), 87.5f);
    EXPECT_EQ(UVAL(17), 0.053078555f);
    EXPECT_EQ(THCK(1), 4.0f);
}

TEST(ResidentialConstructions, ChangedBasementKeepsItsAddedRAndBetterFloor) {
    plan(2000, 2, 50, 25, 8);
    AREA(12) = 150;
    scheme(3, 3, 5, 1, 2, -17);
    UVAL(18) = 2.0f;
    UVAL(17) = 0.03f;
    UVALR();
    EXPECT_EQ(UVAL(18), 2.0f);
    EXPECT_EQ(UVAL(17), 0.03f);
    EXPECT_FLOAT_EQ(UVAL(13), 1 / (2.61f + (2.0f + 0.56f) * 0.875f + 0.615f));
}

TEST(ResidentialConstructions, BasementWithoutPerimeterKeepsItsMeanU) {
    AREA(12) = 0;
    UVAL(12) = 0.2f;
    scheme(3, 3, 5, 1, 2, 10);
    UVALR();
    EXPECT_EQ(AREA(18), 0.0f);
    EXPECT_EQ(UVAL(12), 0.2f);
}

TEST(ResidentialConstructions, FloorCodeThatIsNoBasementIsRejected) {
    AREA(12) = 150;
    UVAL(14) = 0.3f;
    scheme(3, 3, 5, 1, 2, 11);
    UVALR();
    EXPECT_EQ(UVAL(14), 0.3f);
    EXPECT_EQ(AREA(13), 0.0f);
}

TEST(ResidentialConstructions, SlabAfterABasementClearsTheBasement) {
    AREA(12) = 150;
    MLABEL(5) = "BSMT";
    scheme(3, 3, 5, 1, 2, 10);
    UVALR();
    EXPECT_TRUE(MLABEL(4) == "BSMT");
    EXPECT_GT(LNTH(4), 0.0f);
    EXPECT_GT(UVAL(17), 0.0f);

    scheme(3, 3, 5, 1, 2, 6);
    UVALR();
    EXPECT_EQ(UVAL(17), 0.0f);
    EXPECT_EQ(UVAL(18), 0.0f);
    EXPECT_TRUE(MLABEL(4).is_blank());
    EXPECT_TRUE(MTUSED(4).is_blank());
    EXPECT_EQ(LNTH(4), 0.0f);
    EXPECT_EQ(DNST(4), 0.0f);
}

TEST(ResidentialConstructions, FloorWithoutLosses) {
    scheme(3, 3, 5, 1, 2, 1, 2);
    UVAL(11) = 0.1f;
    UVALR();
    EXPECT_EQ(AREA(11), 0.0f);
    EXPECT_EQ(AREA(12), 0.0f);
    EXPECT_EQ(PERCNT(11), 0.0f);
    EXPECT_EQ(STRATEGY(49, 3), 1.0f);
    EXPECT_EQ(UVAL(11), 0.0f);

    scheme(3, 3, 5, 1, 2, 2, 2);  // a unit over another: no losses from the next evaluation on
    STRATEGY(7, 3) = 3;
    STRATEGY(9, 3) = 2;
    UVALR();
    EXPECT_GT(UVAL(11), 0.0f);
    EXPECT_EQ(STRATEGY(49, 3), 1.0f);
    UVALR();
    EXPECT_EQ(UVAL(11), 0.0f);
}

TEST(ResidentialConstructions, MassElementWithoutHeatCapacityIsCleared) {
    scheme(3, 3, 5, 1, 2, 2);
    LNTH(3) = 30;
    WDTH(3) = 20;
    THCK(3) = 1;
    NELMNT(3) = 1;
    MTUSED(3) = "FOAM";
    UVALR();
    EXPECT_EQ(LNTH(3), 0.0f);
    EXPECT_EQ(THCK(3), 0.0f);
    EXPECT_TRUE(MTUSED(3).is_blank());
    // The floor element of the raised wood floor stays, with wood's properties.
    EXPECT_TRUE(MTUSED(1) == "WOOD");
    EXPECT_EQ(DNST(1), 45.0f);
    EXPECT_EQ(NELMNT(1), 2.0f);
}

}  // namespace
}  // namespace mavo
