#include <gtest/gtest.h>

#include <cstring>

#include "blocks/blocks.h"
#include "physics/constructions_nonresidential.h"

namespace mavo {
namespace {

// A non-residential scheme k (office) in zone z, built `year`.
void scheme(INTEGER k, INTEGER z, float year, float level, float wall, float roof, float floor,
            float under_floor = 2) {
    NTYPE = 1;
    IDNUM1 = k;
    CECZONE = z;
    STRATEGY(11, k) = year;
    STRATEGY(30, k) = level;
    STRATEGY(31, k) = wall;
    STRATEGY(32, k) = roof;
    STRATEGY(33, k) = floor;
    STRATEGY(49, k) = under_floor;
}

TEST(NonresidentialConstructions, ResidentialBuildingTypeChangesNothing) {
    scheme(3, 3, 2015, 5, 27, 2, 2);
    NTYPE = 17;
    const BLK4_t before = BLK4;
    const BLK39_t strategy_before = BLK39;
    UVALC();
    EXPECT_EQ(std::memcmp(&before, &BLK4, sizeof(BLK4_t)), 0);
    EXPECT_EQ(std::memcmp(&strategy_before, &BLK39, sizeof(BLK39_t)), 0);
    EXPECT_EQ(ATTICR, 0.0f);
    EXPECT_EQ(BLK130A.DBGTEXT.trimmed(), "ERROR this is Residential but got into UVALC");
}

// A wall or roof without area carries no outside film: the 4.0 a house's
// sunlit surfaces left stayed in the file of the building made anew.
TEST(NonresidentialConstructions, SurfaceWithoutAreaHasNoOutsideFilm) {
    scheme(3, 3, 2015, 5, 27, 2, 2);
    for (INTEGER item = 6; item <= 10; ++item) {
        AREA(item) = item == 7 ? 500.0f : 0.0f;
        HO(item) = 4.0f;
    }
    UVALC();
    for (INTEGER item = 6; item <= 10; ++item) EXPECT_EQ(HO(item), item == 7 ? 4.0f : 0.0f) << item;
}

TEST(NonresidentialConstructions, FixedSettingsAndOldWallCodes) {
    NFLAG(85) = true;
    scheme(3, 3, 2015, 5, 1, 2, 2);
    UVALC();
    EXPECT_EQ(STRATEGY(35, 3), 5.0f);
    EXPECT_EQ(ATTICR, 1.9f);
    EXPECT_FALSE(NFLAG(85));
    EXPECT_EQ(STRATEGY(31, 3), 21.0f);  // stucco on studs: metal building class
    EXPECT_EQ(UVAL(6), 0.113f);          // row 36 of zone 3

    scheme(3, 3, 2015, 5, -3, 2, 2);
    UVALC();
    EXPECT_EQ(STRATEGY(31, 3), 23.0f);
    EXPECT_EQ(UVAL(6), 0.278f);  // row 33 of zone 3

    scheme(3, 3, 2015, 5, 2, 2, 2);  // no current class: item 6 as stored
    UVAL(6) = 0.3f;
    UVALC();
    EXPECT_EQ(STRATEGY(31, 3), 2.0f);
    EXPECT_EQ(UVAL(6), 0.3f);
}

TEST(NonresidentialConstructions, VintageWallsOfOlderBuildings) {
    // Wood-framed wall, code U 0.11 in zone 3, uninsulated 0.356.
    scheme(2, 3, 1985, 5, 27, 2, 2);
    UVALC();
    EXPECT_NEAR(UVAL(6), 0.11 + 0.246 / 2, 1e-6);  // 0.233
    scheme(2, 3, 2000, 5, 27, 2, 2);
    UVALC();
    EXPECT_NEAR(UVAL(6), 0.11 + 0.246 / 3, 1e-6);  // 0.192
    scheme(2, 3, 1970, 5, 27, 2, 2);
    UVALC();
    EXPECT_EQ(UVAL(6), 0.11f);
    scheme(2, 3, 2015, 5, 27, 2, 2);
    UVALC();
    EXPECT_EQ(UVAL(6), 0.11f);
    scheme(1, 3, 1985, 5, 27, 2, 2);  // the first scheme is a current design
    UVALC();
    EXPECT_EQ(UVAL(6), 0.11f);
    scheme(3, 3, 1985, 5, 27, 2, 2);  // the rule is the vintage design's only
    UVALC();
    EXPECT_EQ(UVAL(6), 0.11f);
}

TEST(NonresidentialConstructions, WallInsulationLevels) {
    scheme(3, 3, 2015, 2, 28, 2, 2);  // light frame: uninsulated up to level 3
    UVALC();
    EXPECT_EQ(UVAL(6), 0.63f);
    EXPECT_EQ(TMLAG(6), 1.0f);
    EXPECT_EQ(DECR(6), 0.98f);
    scheme(3, 3, 2015, 6, 28, 2, 2);
    UVALC();
    EXPECT_FLOAT_EQ(TMLAG(6), 1.0f / 1.2f);
    EXPECT_FLOAT_EQ(DECR(6), 0.98f / 1.2f);

    scheme(3, 16, 2015, 7, 25, 2, 2);  // mass heavy, twice the code insulation
    UVALC();
    EXPECT_FLOAT_EQ(UVAL(6), 0.08f);
    EXPECT_FLOAT_EQ(TMLAG(6), 18.2f);
    EXPECT_NEAR(DECR(6), 0.035714, 1e-6);
    for (INTEGER item = 7; item <= 9; ++item) {
        EXPECT_EQ(UVAL(item), UVAL(6));
        EXPECT_EQ(TMLAG(item), TMLAG(6));
    }

    scheme(3, 3, 2015, 1, 22, 2, 2);  // metal framed, uninsulated
    UVALC();
    EXPECT_EQ(UVAL(6), 0.458f);
    EXPECT_EQ(TMLAG(6), 1.0f);
    EXPECT_EQ(DECR(6), 0.95f);
}

TEST(NonresidentialConstructions, ChangedWallCopiesNothing) {
    scheme(3, 3, 2015, 5, -25, 2, 2);
    UVAL(6) = 0.4f;
    UVAL(7) = 0.2f;
    TMLAG(8) = 7.0f;
    UVALC();
    EXPECT_EQ(UVAL(6), 0.4f);
    EXPECT_EQ(UVAL(7), 0.2f);
    EXPECT_EQ(TMLAG(8), 7.0f);
}

TEST(NonresidentialConstructions, VintageRoofIsDarkAtLevelFour) {
    scheme(2, 3, 1990, 5, 27, 2, 2);
    UVALC();
    EXPECT_EQ(STRATEGY(32, 2), 2.0f);  // built dark, the cool roof typed kept for a later year
    EXPECT_EQ(ABSORB(10), 0.9f);
    EXPECT_EQ(REMITT, 0.75f);
    // Level 4 is the roof's: the scheme keeps the level its walls and
    // floor were built with.
    EXPECT_EQ(STRATEGY(30, 2), 5.0f);
    EXPECT_EQ(UVAL(10), 0.081f);
    EXPECT_EQ(TMLAG(10), 2.0f);
    EXPECT_EQ(DECR(10), 0.94f);

    // Built after cool roofs came in but before 2013: each roof type keeps
    // its code and takes its own U-factor for buildings of that age (the
    // cool roof of row 1 its code value, 0.039 in zone 3).
    struct Case {
        float roof, u;
    };
    for (const Case c : {Case{2, 0.039f}, Case{3, 0.081f}, Case{10, 0.083f}, Case{11, 0.083f}}) {
        scheme(2, 3, 2010, 5, 27, c.roof, 2);
        UVALC();
        EXPECT_EQ(STRATEGY(32, 2), c.roof);
        EXPECT_EQ(STRATEGY(30, 2), 5.0f) << c.roof;
        EXPECT_EQ(UVAL(10), c.u) << c.roof;
        EXPECT_EQ(TMLAG(10), 2.0f) << c.roof;
        EXPECT_EQ(DECR(10), 0.94f) << c.roof;
    }
}

TEST(NonresidentialConstructions, RoofByCodeAndLevel) {
    scheme(3, 6, 2015, 6, 27, 3, 2);  // dark roof, code U 0.075 in zone 6
    UVALC();
    EXPECT_FLOAT_EQ(UVAL(10), 0.05f);
    EXPECT_EQ(TMLAG(10), 2.0f);  // whole hours of 2.4
    EXPECT_FLOAT_EQ(DECR(10), 0.8f);
    EXPECT_EQ(ABSORB(10), 0.9f);
    EXPECT_EQ(RSLOPE, 0.0f);

    scheme(1, 3, 2015, 5, 27, 10, 2);  // cool roof of the code
    UVALC();
    EXPECT_EQ(UVAL(10), 0.065f);
    EXPECT_FLOAT_EQ(ABSORB(10), 0.37f);
    EXPECT_EQ(REMITT, 0.75f);

    scheme(3, 3, 2015, 1, 27, 11, 2);
    UVALC();
    EXPECT_EQ(UVAL(10), 0.325f);
    EXPECT_EQ(TMLAG(10), 1.0f);
    EXPECT_EQ(DECR(10), 0.95f);
}

TEST(NonresidentialConstructions, RoofWithoutLosses) {
    scheme(3, 3, 2015, 5, 27, 0, 2);
    UVALC();
    EXPECT_EQ(STRATEGY(32, 3), 1.0f);
    EXPECT_EQ(UVAL(10), 0.0f);
    EXPECT_EQ(TMLAG(10), 0.0f);
    EXPECT_EQ(DECR(10), 1.0f);
    EXPECT_EQ(ABSORB(10), 0.0f);
    EXPECT_EQ(REMITT, 0.0f);
}

TEST(NonresidentialConstructions, ChangedRoofKeepsItsStoredValues) {
    scheme(4, 3, 2015, 5, 27, -3, 2);
    UVAL(10) = 0.12f;
    TMLAG(10) = 5.0f;
    ABSORB(10) = 0.6f;
    DECR(10) = 0.5f;
    REMITT = 0.8f;
    UVALC();
    EXPECT_EQ(UVAL(10), 0.12f);
    EXPECT_EQ(TMLAG(10), 5.0f);
    EXPECT_EQ(ABSORB(10), 0.6f);
    EXPECT_EQ(DECR(10), 0.5f);
    EXPECT_EQ(REMITT, 0.8f);
}

TEST(NonresidentialConstructions, CeilingMassElement) {
    AREAT = 10000;
    FLOORS = 2;
    EWDIM = 100;
    NSDIM = 50;
    scheme(1, 3, 2015, 5, 27, 2, 2);
    UVALC();
    EXPECT_EQ(LNTH(3), 100.0f);
    EXPECT_EQ(WDTH(3), 50.0f);
    EXPECT_EQ(NELMNT(3), 2.0f);
    EXPECT_EQ(THCK(3), 0.625f);
    EXPECT_TRUE(MTUSED(3) == "DRYWALL");
    EXPECT_EQ(DNST(3), 0.0f);  // properties are not looked up here
}

TEST(NonresidentialConstructions, FloorsSlabsAndUnderFloor) {
    scheme(3, 3, 2015, 1, 27, 2, 8);
    UVALC();
    EXPECT_EQ(UVAL(11), 0.269f);
    EXPECT_EQ(TMLAG(11), 8.0f);
    EXPECT_EQ(DECR(11), 0.2f);
    EXPECT_TRUE(MTUSED(1) == "CONCRETE");
    EXPECT_EQ(THCK(1), 3.5f);
    EXPECT_EQ(AREA(12), 0.0f);

    scheme(3, 3, 2015, 6, 27, 2, 4);
    UVALC();
    EXPECT_FLOAT_EQ(UVAL(11), 0.071f / 1.5f);
    EXPECT_EQ(TMLAG(11), 3.6f);
    EXPECT_TRUE(MTUSED(1) == "TILE");

    AREAT = 4800;
    FLOORS = 2;
    EWDIM = 60;
    NSDIM = 40;
    AREA(12) = 200;
    scheme(3, 3, 2015, 7, 27, 2, 7);
    UVALC();
    EXPECT_EQ(UVAL(12), 0.56f);
    EXPECT_EQ(TMLAG(12), 24.0f);
    EXPECT_EQ(DECR(12), 0.0f);
    EXPECT_EQ(AREA(11), 0.0f);
    EXPECT_EQ(PERCNT(11), 0.0f);
    EXPECT_FLOAT_EQ(PERCNT(12), 100.0f);
    EXPECT_EQ(STRATEGY(49, 3), 5.0f);
    EXPECT_EQ(WDTH(1), 40.0f);  // one story's slab, 60 ft long

    scheme(3, 3, 2015, 5, 27, 2, 3, 5);  // a raised floor over a former slab code
    UVALC();
    EXPECT_EQ(STRATEGY(49, 3), 2.0f);
}

TEST(NonresidentialConstructions, CrawlSpaceAddsResistanceOnlyToPoorFloors) {
    scheme(3, 3, 2015, 5, 27, 2, -2, 2);
    UVAL(11) = 1.2f;
    UVALC();
    EXPECT_NEAR(UVAL(11), 0.1463, 5e-5);
    scheme(3, 3, 2015, 5, 27, 2, -2, 2);
    UVAL(11) = 0.07f;
    UVALC();
    EXPECT_EQ(UVAL(11), 0.07f);
    scheme(3, 3, 2015, 5, 27, 2, 1, 2);
    UVALC();
    EXPECT_EQ(UVAL(11), 0.0f);
    EXPECT_EQ(STRATEGY(49, 3), 1.0f);
}

// A basement keeps the surfaces its input file holds; the raised floor's
// construction a run before it left conducts nothing under it.
TEST(NonresidentialConstructions, BasementKeepsItsSurfacesWithoutARaisedFloor) {
    scheme(3, 3, 2015, 5, 27, 2, 13);
    UVAL(11) = 0.3f;
    UVAL(12) = 0.4f;
    AREA(11) = 900;
    ABSORB(11) = 0.5f;
    UVALC();
    EXPECT_EQ(STRATEGY(49, 3), 5.0f);
    EXPECT_EQ(ABSORB(11), 0.0f);
    EXPECT_EQ(UVAL(11), 0.0f);
    EXPECT_EQ(UVAL(12), 0.4f);
    EXPECT_EQ(AREA(11), 900.0f);
}

}  // namespace
}  // namespace mavo
