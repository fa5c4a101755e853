#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "blocks/blocks.h"
#include "physics/physics.h"

namespace mavo {
namespace {

// A building of the given plan with glazing areas set directly (a scheme
// above 2 keeps its glazing areas).
void plan(float ew_ft, float ns_ft, float floors, float fltoce_ft, float fltofl_ft, float volume_ft3) {
    EWDIM = ew_ft;
    NSDIM = ns_ft;
    FLOORS = floors;
    FLTOCE = fltoce_ft;
    FLTOFL = fltofl_ft;
    VOLUME = volume_ft3;
}

void glazing(float s, float w, float n, float e, float sky = 0.0f) {
    AREA(1) = s;
    AREA(2) = w;
    AREA(3) = n;
    AREA(4) = e;
    AREA(5) = sky;
}

TEST(ModelDefaults, TwoStoryHouseWithSouthAndNorthWindows) {
    // Worked example: W = 2 x 8 = 16, C = 32000 / (50 x 40 x 2 x 8) = 1.
    IDNUM1 = 1;
    plan(50, 40, 2, 8, 9, 32000);
    AVERAG();  // the load-time lines: 270 ft2 to the south and to the north
    EXPECT_EQ(AREA(1), 270.0f);
    EXPECT_EQ(AREA(3), 270.0f);
    EXPECT_EQ(AREA(2), 0.0f);
    EXPECT_EQ(AREA(6), 50.0f * 2 * 9 - 270.0f);
    EXPECT_FLOAT_EQ(PERCNT(1), 30.0f);
    EXPECT_FLOAT_EQ(UVAL(1), 1.04f);
    EXPECT_FLOAT_EQ(ABSORB(1), 0.88f);
    EXPECT_EQ(WIDTHDL, 16.0f);
    EXPECT_EQ(WIDTHSLZ, 8.0f);
    EXPECT_EQ(LENGTHSLZ, 50.0f);
    EXPECT_EQ(INTZONE, 400.0f);
    EXPECT_EQ(PEOPLE, 20.0f);  // 2000 ft2 at 100 ft2 each
    EXPECT_FLOAT_EQ(TLLOAD, 1.5f * 2000 * 3.412f);
    EXPECT_EQ(ITEM, 6);
}

TEST(ModelDefaults, RoofBesideSkylightsUnlessAHeatedUnitIsAbove) {
    IDNUM1 = 1;
    plan(50, 40, 1, 8, 9, 16000);
    RAX = 2000.0f;
    STRATEGY(32, 1) = 4.0f;  // attic roof
    AVERAG();
    EXPECT_EQ(AREA(10), 2000.0f);
    EXPECT_EQ(PERCNT(10), 100.0f);
    for (float heated_unit_above : {-1.0f, 0.0f, 1.0f}) {
        STRATEGY(32, 1) = heated_unit_above;
        AREA(10) = 0.0f;  // as the construction step leaves it
        AVERAG();
        EXPECT_EQ(AREA(10), 0.0f) << heated_unit_above;
        EXPECT_EQ(PERCNT(10), 0.0f) << heated_unit_above;
    }
}

TEST(ModelDefaults, DaylitLengthByFacadeAndBuildingType) {
    IDNUM1 = 5;
    plan(20, 25, 1, 10, 12, 5000);
    glazing(0, 100, 0, 0);  // west only: along the north-south side
    AVERAG();
    EXPECT_EQ(LENGTHDL, 25.0f);
    glazing(0, 0, 0, 100);  // east only, the east-west side the shorter
    AVERAG();
    EXPECT_EQ(LENGTHDL, 20.0f);

    NFLAG(24) = true;
    NTYPE = 14;
    plan(60, 60, 1, 10, 12, 36000);
    glazing(100, 0, 0, 0);
    AVERAG();
    EXPECT_EQ(LENGTHDL, 20.0f);
}

TEST(ModelDefaults, NonResidentialLoadsOfDesignAndUserSchemes) {
    NFLAG(24) = true;
    NTYPE = 1;  // 143 occupants per 1000 ft2, 245 Btu/h each, 1.5 W/ft2 lights
    IDNUM1 = 1;
    AVERAG();
    EXPECT_EQ(EQPT, 7777.0f);
    EXPECT_NEAR(PEOPLE, 2000.0 * 143.0 / 1000.0, 1e-3);
    EXPECT_EQ(PBTUH, 245.0f);
    EXPECT_EQ(LIGHTS, 1.5f);
    EXPECT_NEAR(PEAK, 3.412 * (1.5 + 1.0 + 0.0) + 0.0 + 245.0 * 143.0 / 1000.0, 1e-3);

    // Scheme 5: the stored occupants stay, the area per person follows.
    IDNUM1 = 5;
    PEOPLE = 40.0f;
    PBTUH = 200.0f;
    LIGHTS = 0.9f;
    PEAK = 12.0f;
    AVERAG();
    EXPECT_EQ(PEOPLE, 40.0f);
    EXPECT_EQ(PAREA, 50.0f);
    EXPECT_EQ(PBTUH, 200.0f);
    EXPECT_EQ(LIGHTS, 0.9f);
    EXPECT_EQ(PEAK, 12.0f);
    EXPECT_EQ(TOLOAD, 8000.0f);
}

TEST(ModelDefaults, SkylitAreaAndDegenerateGeometry) {
    // A flat skylight in a well of 1 ft: V = 2 x FLTOCE, the length from P.
    IDNUM1 = 5;
    plan(50, 40, 2, 8, 9, 32000);
    glazing(0, 0, 0, 0, 10);
    RAX = 2000.0f;
    ITEMS(6) = 5;
    QTY(6) = 2;
    WIDTH(6) = 4;
    HEAD(6) = 4;
    SILL(6) = 3.9f;
    TILT(6) = 0;
    AVERAG();
    const float p = (4.0f - 3.9f) * 9.0f / 1.0f;
    const float length = std::fmin(4.0f + 16.0f, p + 16.0f - (4.0f - 3.9f));
    EXPECT_EQ(NSKYUNITS, 2);
    EXPECT_NEAR(INTZONEX, 2 * 20.0f * length, 1e-3);  // spread width min(16 + 4, 2 x 36 - 4)
    EXPECT_EQ(SKYFLOOR, INTZONEX);
    EXPECT_EQ(WIDTHDL, 0.0f);  // no windows

    // Unit counts whose sum passes the largest count stop there.
    ITEMS(7) = 5;
    WIDTH(7) = 4;
    HEAD(7) = 4;
    SILL(7) = 3.9f;
    QTY(6) = QTY(7) = 2.0e9f;
    AVERAG();
    EXPECT_EQ(NSKYUNITS, std::numeric_limits<INTEGER>::max());
    ITEMS(7) = 0;
    QTY(6) = 2;

    // No well and a raised sill: the spread has no defined length; the line
    // is skipped.
    plan(50, 40, 2, 9, 9, 32000);
    AVERAG();
    EXPECT_EQ(NSKYUNITS, 0);
    EXPECT_EQ(INTZONEX, 0.0f);

    // A box without volume keeps the shape factor at 1.
    plan(50, 40, 0, 8, 9, 32000);
    glazing(100, 0, 0, 0);
    AVERAG();
    EXPECT_EQ(WIDTHDL, 16.0f);
    EXPECT_TRUE(std::isfinite(INTZONE));
}

}  // namespace
}  // namespace mavo
