// Glazing areas by facade: the code distribution of a dwelling's glass, the
// efficient south-biased distribution that keeps scheme 1's total, the
// non-residential fractions and the per-type limits, against hand
// calculations.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "design/glazing_areas.h"
#include "design_fixture.h"

namespace mavo {
namespace {

constexpr float kDoor = 20.01f;

class GlazingAreas : public design_test::DesignFixture {
protected:
    // A 2000 ft2 dwelling whose code glass is 20 % of the floor (400 ft2),
    // with a south and north wall of 720 ft2 and west and east of 540 ft2.
    void plan_80_by_60(INTEGER k) {
        house(k);
        AREAT = 2000.0f;
        EWDIM = 80.0f;
        NSDIM = 60.0f;
        FLTOFL = 9.0f;
        FLTOCE = 8.0f;
    }
};

TEST_F(GlazingAreas, SingleFamilyCodeSchemeSpreadsTheCodeGlass) {
    plan_80_by_60(1);
    command(1, true, true);
    GLZVAL();
    EXPECT_NEAR(PERCNT(1), (100.0f + kDoor) / 720.0f * 100.0f, 1e-4f);  // 16.67
    EXPECT_NEAR(PERCNT(3), PERCNT(1), 1e-6f);
    EXPECT_NEAR(PERCNT(2), 100.0f / 540.0f * 100.0f, 1e-4f);  // 18.52
    EXPECT_NEAR(PERCNT(4), PERCNT(2), 1e-6f);
    EXPECT_EQ(PERCNT(5), 0.0f);
    EXPECT_EQ(AREA(21), kDoor);
    EXPECT_EQ(AREA(23), kDoor);
    EXPECT_EQ(AREA(22), 0.0f);
    EXPECT_NEAR(SUMARY(2, 1), 440.02f, 1e-3f);
}

TEST_F(GlazingAreas, AttachedUnitsKeepTheCodeTotal) {
    struct Case {
        float s7, s9;
        float south_glass, west_glass, east_glass;  // ft2, without doors
        int south_doors, north_doors;
    };
    const Case cases[] = {
        {2.0f, 1.0f, 200.0f, 0.0f, 0.0f, 1, 1},                // both side walls shared
        {4.0f, 0.0f, 200.0f, 0.0f, 0.0f, 1, 0},                // low-rise apartment: one door, south
        {2.0f, 2.0f, 400.0f / 3.0f, 0.0f, 400.0f / 3.0f, 1, 1},  // west shared
        {2.0f, 3.0f, 150.0f, 100.0f, 0.0f, 1, 1},              // east shared
    };
    for (const Case& c : cases) {
        plan_80_by_60(1);
        STRATEGY(7, 1) = c.s7;
        STRATEGY(9, 1) = c.s9;
        command(1, true, true);
        GLZVAL();
        const float south_door = kDoor * static_cast<float>(c.south_doors);
        const float north_door = kDoor * static_cast<float>(c.north_doors);
        EXPECT_NEAR(AREA(1), c.south_glass + south_door, 1e-3f) << c.s7 << "/" << c.s9;
        EXPECT_NEAR(AREA(3), c.south_glass + north_door, 1e-3f) << c.s7 << "/" << c.s9;
        EXPECT_NEAR(AREA(2), c.west_glass, 1e-3f) << c.s7 << "/" << c.s9;
        EXPECT_NEAR(AREA(4), c.east_glass, 1e-3f) << c.s7 << "/" << c.s9;
        EXPECT_EQ(AREA(21), south_door) << c.s7 << "/" << c.s9;
        EXPECT_EQ(AREA(23), north_door) << c.s7 << "/" << c.s9;
        EXPECT_NEAR(SUMARY(2, 1), 400.0f + south_door + north_door, 1e-3f) << c.s7 << "/" << c.s9;
    }
}

TEST_F(GlazingAreas, HighRiseApartmentTakesAllGlassSouthAndHasNoDoor) {
    // Entered from a corridor: the window list places no outside door, so
    // no door area may stand in for glass.
    plan_80_by_60(1);
    STRATEGY(7, 1) = 3.0f;
    command(1, true, true);
    GLZVAL();
    EXPECT_NEAR(AREA(1), 400.0f, 1e-3f);
    EXPECT_EQ(PERCNT(2), 0.0f);
    EXPECT_EQ(PERCNT(3), 0.0f);
    EXPECT_EQ(PERCNT(4), 0.0f);
    EXPECT_EQ(AREA(21), 0.0f);
    EXPECT_EQ(AREA(23), 0.0f);

    // The efficient unit keeps the same 400 ft2, all of it south glass.
    plan_80_by_60(2);
    STRATEGY(7, 2) = 3.0f;
    SUMARY(2, 1) = 400.0f;
    for (int m = 1; m <= 12; ++m) TMAX(m) = TMIN(m) = 15.0f;  // 31 % of the floor wanted south
    SLAT = 45.0f;
    command(2, false, true);
    GLZVAL();
    EXPECT_NEAR(AREA(1), 400.0f, 1e-3f);
    EXPECT_NEAR(SUMARY(2, 2), 400.0f, 1e-3f);
}

TEST_F(GlazingAreas, NoFacadeIsMoreThan85PercentGlass) {
    // A 20-ft wide unit between party walls with 4000 ft2 on 10 stories:
    // half the code glass, 400 ft2, would be 400 / 1800 = 22 %; on a
    // single story of 180 ft2 it would be more than the wall.
    plan_80_by_60(1);
    STRATEGY(7, 1) = 4.0f;
    EWDIM = 20.0f;
    command(1, true, true);
    GLZVAL();
    EXPECT_EQ(PERCNT(1), 85.0f);
    EXPECT_EQ(PERCNT(3), 85.0f);
}

TEST_F(GlazingAreas, SouthGlassByWinterAndLatitude) {
    EXPECT_FLOAT_EQ(south_glass_fraction(45.0f, 40.0f), 0.11f);  // mild: bound closed below
    EXPECT_FLOAT_EQ(south_glass_fraction(45.0f, 39.9f), 0.10f);
    EXPECT_FLOAT_EQ(south_glass_fraction(45.0f, 48.0f), 0.13f);
    EXPECT_FLOAT_EQ(south_glass_fraction(35.0f, 40.0f), 0.17f);  // closed above
    EXPECT_FLOAT_EQ(south_glass_fraction(20.0f, 36.0f), 0.24f);
    EXPECT_FLOAT_EQ(south_glass_fraction(20.5f, 36.5f), 0.23f);
    EXPECT_FLOAT_EQ(south_glass_fraction(10.0f, 57.0f), 0.10f);
    EXPECT_FLOAT_EQ(south_glass_fraction(28.0f, 50.0f), 0.24f);
}

TEST_F(GlazingAreas, EfficientSouthStopsAtTheHeadHeightLimit) {
    // Coldest month 15 F at latitude 45: 31 % of the floor to the south,
    // 0.31 x 2000 / 360 = 172 % of the wall, more than 6.67 / 8 x 85 = 70.86875.
    house(1);
    AREAT = 2000.0f;
    EWDIM = 40.0f;
    NSDIM = 50.0f;
    FLTOFL = 9.0f;
    FLTOCE = 8.0f;
    SLAT = 45.0f;
    for (int m = 1; m <= 12; ++m) TMAX(m) = TMIN(m) = 15.0f;
    command(1, false, true);
    GLZVAL();
    EXPECT_NEAR(PERCNT(1), 70.86875f, 1e-4f);
    EXPECT_EQ(PERCNT(2), 0.0f);
    EXPECT_EQ(PERCNT(3), 0.0f);
}

TEST_F(GlazingAreas, EfficientSchemeMatchesSchemeOnesGlass) {
    // The house's efficient plan, 48 x 32 ft, with scheme 1's 340.02 ft2 of
    // glass and doors. Coldest month (54 + 38) / 2 = 46 F at 38.5 degrees:
    // south 10 % of the floor. North 0.2 - 0.15 + 0.025 = 0.075, west and
    // east 0.0125. Matching scheme 1: south min(0.22668 - 0.1, 0.1) = 0.1,
    // north 0.22668 - 0.1 - 0.025 = 0.10168; the south then gives up its
    // door so the total stays 340.02: 150 - 20.01 = 129.99 ft2.
    house(2);
    EWDIM = 48.0f;
    NSDIM = 32.0f;
    FLTOFL = 9.0f;
    FLTOCE = 8.0f;
    SUMARY(2, 1) = 340.02f;
    command(2, false, true);
    GLZVAL();
    EXPECT_NEAR(AREA(1), 129.99f, 1e-2f);
    EXPECT_NEAR(AREA(2), 18.75f, 1e-3f);
    EXPECT_NEAR(AREA(3), 0.10168f * 1500.0f + kDoor, 1e-2f);
    EXPECT_NEAR(AREA(4), 18.75f, 1e-3f);
    EXPECT_NEAR(PERCNT(1), 129.99f / 432.0f * 100.0f, 2e-3f);
    EXPECT_NEAR(PERCNT(2), 18.75f / 288.0f * 100.0f, 1e-4f);
    EXPECT_NEAR(SUMARY(2, 2), 340.02f, 1e-2f);
    EXPECT_NEAR(SUMARY(2, 1), 340.02f, 1e-6f);  // scheme 1's total is not touched
}

TEST_F(GlazingAreas, EfficientSouthKeepsItsDoorWhenSchemeOneHasLittleGlass) {
    // Scheme 1's total smaller than the other facades and the doors: the
    // south keeps its door and no negative glass.
    house(2);
    EWDIM = 48.0f;
    NSDIM = 32.0f;
    FLTOFL = 9.0f;
    FLTOCE = 8.0f;
    SUMARY(2, 1) = 30.0f;
    command(2, false, true);
    GLZVAL();
    EXPECT_NEAR(AREA(1), kDoor, 1e-4f);
    EXPECT_GE(PERCNT(1), 0.0f);
}

TEST_F(GlazingAreas, NonresidentialFractionOfTheCodeTable) {
    clinic(1);
    NTYPE = 4;  // a store: glass south and north only
    command(1, true, true);
    GLZVAL();
    EXPECT_FLOAT_EQ(PERCNT(1), 40.0f);
    EXPECT_EQ(PERCNT(2), 0.0f);
    EXPECT_FLOAT_EQ(PERCNT(3), 40.0f);
    EXPECT_EQ(PERCNT(4), 0.0f);
    EXPECT_EQ(PERCNT(5), 0.0f);
    EXPECT_EQ(SUMARY(2, 1), 0.0f);  // laid out by the window list

    NTYPE = 2;  // a factory: every facade
    GLZVAL();
    for (int f = 1; f <= 4; ++f) EXPECT_FLOAT_EQ(PERCNT(f), 40.0f) << f;

    NTYPE = 11;  // a warehouse: skylights only (none required here)
    GLZVAL();
    for (int f = 1; f <= 5; ++f) EXPECT_EQ(PERCNT(f), 0.0f) << f;
}

TEST_F(GlazingAreas, TypeLimitsAndTheGlazedTypes) {
    // An efficient code-slot layout of about 90 % south glass: a 6-ft
    // ceiling allows 94.5 %; 24 % of 2000 ft2 on a 533 ft2 wall is 90 %.
    for (const INTEGER type : {16, 19}) {
        house(1);
        NTYPE = type;
        AREAT = 2000.0f;
        FLTOCE = 6.0f;
        FLTOFL = 6.75f;
        EWDIM = 533.3333f / 6.75f;
        NSDIM = 30.0f;
        SLAT = 30.0f;
        for (int m = 1; m <= 12; ++m) TMAX(m) = TMIN(m) = 10.0f;
        command(1, false, true);
        GLZVAL();
        if (type == 16) EXPECT_EQ(PERCNT(1), 83.0f);
        else EXPECT_NEAR(PERCNT(1), 90.0f, 1e-3f);
    }
    NTYPE = 20;
    GLZVAL();
    EXPECT_EQ(PERCNT(1), 100.0f);
    EXPECT_EQ(PERCNT(2), 100.0f);
    EXPECT_EQ(PERCNT(3), 0.0f);
    EXPECT_EQ(PERCNT(4), 100.0f);
    EXPECT_EQ(PERCNT(5), 100.0f);
    NTYPE = 9;
    GLZVAL();
    EXPECT_EQ(PERCNT(1), 100.0f);
    for (int f = 2; f <= 5; ++f) EXPECT_EQ(PERCNT(f), 0.0f) << f;
}

}  // namespace
}  // namespace mavo
