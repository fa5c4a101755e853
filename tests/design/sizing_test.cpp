// Building sizing: the plan on the 4-ft grid and the opaque envelope, each
// value worked by hand from the floor area, the grid search and the
// shared-surface rules.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "design/sizing.h"
#include "design_fixture.h"

namespace mavo {
namespace {

class Sizing : public design_test::DesignFixture {
protected:
    // A one-story dwelling of the given floor area in slot k.
    void dwelling(INTEGER k, REAL area_ft2) {
        house(k);
        AREAT = area_ft2;
        FLTOFL = 9.0f;
        FLTOCE = 8.0f;
        IDNUM1 = k;
    }
};

TEST_F(Sizing, OlgyayRatioFallsToASquareAtTenThousandDegreeDays) {
    EXPECT_FLOAT_EQ(olgyay_plan_ratio(3000.0f), 1.7f);
    EXPECT_FLOAT_EQ(olgyay_plan_ratio(10000.0f), 1.0f);
    EXPECT_FLOAT_EQ(olgyay_plan_ratio(12000.0f), 1.0f);
    EXPECT_FLOAT_EQ(olgyay_plan_ratio(0.0f), 2.0f);
}

TEST_F(Sizing, CodeSchemePlanIsNearSquareAndNotShallowerNorthSouth) {
    // sqrt(2000) = 44.7: 12 cells by ceil(2000/48/4) = 11, which the code
    // scheme rejects; 11 by 12 cells fill 2000/2112 = 0.947 of the grid.
    dwelling(1, 2000.0f);
    BLDGSZ();
    EXPECT_EQ(EWDIM, 44.0f);
    EXPECT_EQ(NSDIM, 48.0f);
    EXPECT_EQ(RAX, 2000.0f);
    EXPECT_EQ(VOLUME, 16000.0f);
    EXPECT_FLOAT_EQ(AREA(6), 44.0f * 9.0f);
    EXPECT_FLOAT_EQ(AREA(8), 44.0f * 9.0f);
    EXPECT_FLOAT_EQ(AREA(7), 48.0f * 9.0f);
    EXPECT_FLOAT_EQ(AREA(9), 48.0f * 9.0f);
    for (int i = 6; i <= 10; ++i) EXPECT_EQ(PERCNT(i), 100.0f) << i;
    EXPECT_EQ(AREA(10), 2000.0f);
    EXPECT_EQ(AREA(11), 2000.0f);  // raised floor
    EXPECT_NEAR(PERCNT(11), 2000.0f / 2112.0f * 100.0f, 1e-3f);
    EXPECT_EQ(AREA(12), 0.0f);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(AREA(i), 0.0f) << i;
}

TEST_F(Sizing, VintageSecondSchemeIsNotDeeperThanLong) {
    // 13 by 10 cells fill 2000/2080 = 0.962, the best the second scheme
    // may take.
    dwelling(2, 2000.0f);
    NFLAG(9) = false;
    BLDGSZ();
    EXPECT_EQ(EWDIM, 52.0f);
    EXPECT_EQ(NSDIM, 40.0f);
}

TEST_F(Sizing, SlabFloorGivesItsPerimeter) {
    dwelling(1, 2000.0f);
    STRATEGY(33, 1) = 7.0f;
    BLDGSZ();
    EXPECT_EQ(AREA(11), 0.0f);
    EXPECT_EQ(PERCNT(11), 0.0f);
    EXPECT_EQ(AREA(12), 2.0f * (44.0f + 48.0f));
    EXPECT_EQ(PERCNT(12), 100.0f);
}

TEST_F(Sizing, EfficientPlanIsStretchedAndCutToTheLongestSide) {
    // 6760 ft2 with no degree days: ratio 2, the depth of a house (40 ft)
    // makes it 169 ft long, cut to 116 ft: 116 / 4 = 29 cells by
    // ceil(6760/116/4) = 15; no neighbour fills the grid better.
    dwelling(2, 6760.0f);
    NFLAG(9) = true;
    HDD = 0.0f;
    EWDIM = 50.0f;
    BLDGSZ();
    EXPECT_EQ(EWDIM, 116.0f);
    EXPECT_EQ(NSDIM, 60.0f);

    // A factory of 40000 ft2: 333 ft cut to 248 ft (62 cells by 41); 61 by
    // 41 cells fill 40000/40016 of the grid.
    clinic(2);
    NTYPE = 2;
    AREAT = 40000.0f;
    FLTOFL = 22.5f;
    FLTOCE = 20.0f;
    EWDIM = 50.0f;
    BLDGSZ();
    EXPECT_EQ(EWDIM, 244.0f);
    EXPECT_EQ(NSDIM, 164.0f);
}

TEST_F(Sizing, PartyWallsGoAndTheNotchShowsItsWall) {
    // Party walls east and west: the grid (44 x 48 = 2112) exceeds the floor
    // by more than a cell, so the notch leaves a 4-ft east wall.
    dwelling(1, 2000.0f);
    STRATEGY(7, 1) = 2.0f;
    STRATEGY(9, 1) = 1.0f;
    BLDGSZ();
    EXPECT_EQ(AREA(7), 0.0f);
    EXPECT_EQ(PERCNT(7), 0.0f);
    EXPECT_FLOAT_EQ(AREA(9), 4.0f * 9.0f);
    EXPECT_NEAR(PERCNT(9), 36.0f / (48.0f * 9.0f) * 100.0f, 1e-4f);
    EXPECT_GT(AREA(6), 0.0f);

    // 1600 ft2 fills 40 x 40 exactly: no notch.
    dwelling(1, 1600.0f);
    STRATEGY(7, 1) = 2.0f;
    STRATEGY(9, 1) = 1.0f;
    BLDGSZ();
    EXPECT_EQ(EWDIM, 40.0f);
    EXPECT_EQ(NSDIM, 40.0f);
    EXPECT_EQ(AREA(9), 0.0f);
}

TEST_F(Sizing, AttachedUnitSharesRoofAndFloor) {
    dwelling(1, 2000.0f);
    STRATEGY(7, 1) = 3.0f;  // attached unit: no north wall
    STRATEGY(9, 1) = 3.0f;  // roof and floor shared
    STRATEGY(33, 1) = 6.0f;
    QTY(3) = 4.0f;
    ITEMS(3) = 3;
    QTY(5) = 2.0f;
    ITEMS(5) = 5;
    BLDGSZ();
    EXPECT_EQ(AREA(8), 0.0f);
    EXPECT_EQ(QTY(3), 0.0f);
    EXPECT_EQ(AREA(10), 0.0f);
    EXPECT_EQ(QTY(5), 0.0f);
    EXPECT_EQ(STRATEGY(32, 1), 1.0f);
    EXPECT_EQ(STRATEGY(49, 1), 1.0f);
    EXPECT_EQ(STRATEGY(33, 1), 8.0f);  // the slab becomes a floor over a unit
    EXPECT_EQ(AREA(12), 0.0f);
}

TEST_F(Sizing, NonresidentialSharedSurfaces) {
    clinic(1);
    IDNUM1 = 1;
    FLTOFL = 10.125f;
    FLTOCE = 9.0f;
    STRATEGY(7, 1) = 3.0f;   // north and south shared
    STRATEGY(9, 1) = 5.0f;   // no shared-wall code: reset
    STRATEGY(10, 1) = 3.0f;  // roof and floor shared
    STRATEGY(33, 1) = 7.0f;
    BLDGSZ();
    EXPECT_EQ(STRATEGY(9, 1), 0.0f);
    EXPECT_EQ(AREA(6), 0.0f);
    EXPECT_EQ(AREA(8), 0.0f);
    EXPECT_GT(AREA(7), 0.0f);
    EXPECT_GT(AREA(9), 0.0f);
    EXPECT_EQ(AREA(10), 0.0f);
    EXPECT_EQ(STRATEGY(33, 1), 9.0f);
    EXPECT_EQ(STRATEGY(32, 1), 1.0f);
}

TEST_F(Sizing, GarageTakesItsWidthOffTheFacade) {
    // 200 ft2: a 16 x 16 grid, a cell larger than the floor. The garage on
    // the 16-ft east wall is 16 - 4 = 12 ft wide and 9 ft high.
    dwelling(1, 200.0f);
    STRATEGY(34, 1) = 5.0f;
    BLDGSZ();
    EXPECT_EQ(NSDIM, 16.0f);
    EXPECT_FLOAT_EQ(AREA(9), 16.0f * 9.0f - 9.0f * 12.0f);
    EXPECT_FLOAT_EQ(PERCNT(9), 25.0f);

    // 900 ft2 on a 32 x 32 grid: two cars, 20 ft, against the east wall, and
    // 20 ft off the slab edge.
    dwelling(1, 900.0f);
    STRATEGY(34, 1) = 5.0f;
    STRATEGY(33, 1) = 6.0f;
    BLDGSZ();
    EXPECT_EQ(NSDIM, 32.0f);
    EXPECT_FLOAT_EQ(AREA(9), 32.0f * 9.0f - 9.0f * 20.0f);
    EXPECT_FLOAT_EQ(AREA(12), 128.0f - 20.0f);
    EXPECT_FLOAT_EQ(PERCNT(12), 108.0f / 128.0f * 100.0f);

    // Codes 1 and 6 stand against no wall.
    for (const REAL code : {1.0f, 6.0f}) {
        dwelling(1, 900.0f);
        STRATEGY(34, 1) = code;
        BLDGSZ();
        for (int i = 6; i <= 9; ++i) EXPECT_FLOAT_EQ(AREA(i), 32.0f * 9.0f) << code;
    }
}

TEST_F(Sizing, GarageAgainstASharedWallIsIgnored) {
    dwelling(1, 2000.0f);
    STRATEGY(7, 1) = 2.0f;
    STRATEGY(9, 1) = 2.0f;   // west wall shared
    STRATEGY(34, 1) = 3.0f;  // garage on the west
    BLDGSZ();
    EXPECT_EQ(AREA(7), 0.0f);
    EXPECT_EQ(PERCNT(7), 0.0f);
}

TEST_F(Sizing, NoStoriesLeavesThePlan) {
    dwelling(1, 2000.0f);
    FLOORS = 0.0f;
    EWDIM = 61.0f;
    BLDGSZ();
    EXPECT_EQ(EWDIM, 61.0f);
}

}  // namespace
}  // namespace mavo
