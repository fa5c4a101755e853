// The design transfer from the working model back to the parameter column
// (REVISION task 3): codes re-derived from efficiencies, the round trip
// through task 2, library glazing codes, window groups and the glazing era.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

class ModelToColumn : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKPROJ = 32;
        IDNUM1 = 3;
        CECZONE = 12;
        S(11) = 2013.0f;
        NHVACS = 3.0f;
        QTY.fill(0.0f);
    }
    static REAL& S(INTEGER n) { return STRATEGY(n, IDNUM1); }
    static void line(INTEGER k, REAL u, REAL shgc, REAL vt, REAL facing = 0.0f, REAL tilt = 90.0f) {
        QTY(k) = 1.0f;
        UWINDO(k) = u;
        SCOEF(k) = shgc;
        TRANS(k) = vt;
        FACING(k) = facing;
        TILT(k) = tilt;
        WIDTH(k) = 3.0f;
        SILL(k) = 1.0f;
        HEAD(k) = 5.0f;
    }
    testing::ScratchDir project;
};

TEST_F(ModelToColumn, SystemAndLeakageCodesFromTheModel) {
    COPHT = 0.78f;  // zone 12's code furnace and air conditioner
    COPAC = 13.0f / 3.412f;
    SLA = 4.0f;     // within 4.3, not within 3.8
    REVISION(3);
    EXPECT_EQ(S(18), 3.0f);
    EXPECT_EQ(S(20), 3.0f);
    EXPECT_EQ(S(24), 3.0f);

    COPHT = 8.2f;  // heat pump pair 8
    COPAC = 4.396249f;
    REVISION(3);
    EXPECT_EQ(S(18), 8.0f);
    EXPECT_EQ(S(20), 8.0f);

    COPHT = 0.85f;  // no code has these: the old codes become custom
    COPAC = 2.9f;
    SLA = 6.5f;
    REVISION(3);
    EXPECT_EQ(S(18), -8.0f);
    EXPECT_EQ(S(20), -8.0f);
    EXPECT_EQ(S(24), -3.0f);

    COPAC = 0.0f;  // an evaporative cooler at its coded effectiveness
    EvapEff = 85.0f;
    REVISION(3);
    EXPECT_EQ(S(20), 6.0f);
}

TEST_F(ModelToColumn, CodesSurviveTheRoundTripThroughTheWorkingModel) {
    S(8) = 1800.0f;
    S(14) = 2.0f;
    S(15) = 9.0f;
    S(18) = 5.0f;
    S(20) = 2.0f;
    S(24) = 7.0f;
    REVISION(2);
    for (INTEGER n : {8, 14, 15, 18, 20, 24}) S(n) = 0.0f;
    REVISION(3);
    EXPECT_EQ(S(8), 1800.0f);
    EXPECT_EQ(S(14), 2.0f);
    EXPECT_EQ(S(15), 9.0f);
    EXPECT_EQ(S(18), 5.0f);
    EXPECT_EQ(S(20), 2.0f);
    EXPECT_EQ(S(24), 7.0f);
}

TEST_F(ModelToColumn, RoofAndFloorCodesFollowTheModelsSurfaces) {
    AREA(10) = 0.0f;  // no roof: no barrier under it
    S(35) = 4.0f;
    REVISION(3);
    EXPECT_EQ(S(35), 2.0f);

    IDNUM1 = 1;
    AREA(11) = 0.0f;
    AREA(12) = 120.0f;  // slab only
    REVISION(3);
    EXPECT_EQ(S(33), 6.0f);
    EXPECT_EQ(S(49), 5.0f);

    // A raised floor: a raised type stays (light-weight concrete), a slab
    // type becomes the wood floor.
    AREA(11) = 1000.0f;
    AREA(12) = 0.0f;
    for (const REAL type : {5.0f, 6.0f}) {
        S(33) = type;
        REVISION(3);
        EXPECT_EQ(S(33), type == 5.0f ? 5.0f : 2.0f);
        EXPECT_EQ(S(49), 2.0f);
    }
}

// Lines 1, 3, 5 and 7 fill groups 1 to 4; the orientation code is the
// facade the line faces, by its azimuth from the building's front.
TEST_F(ModelToColumn, NonEmptyLinesFillConsecutiveGroupsWithTheirGeometry) {
    S(11) = 2000.0f;  // glazing of an older home is stored by geometry only
    line(1, 0.4f, 0.4f, 0.63f, 300.0f);
    line(3, 0.4f, 0.4f, 0.63f, -100.0f);
    line(5, 0.4f, 0.4f, 0.63f, 350.0f);
    line(7, 0.4f, 0.4f, 0.63f, 180.0f, 30.0f);
    REVISION(3);
    EXPECT_EQ(S(60), -48.0f);  // no code stored: the scheme-wide code stays unmarked
    EXPECT_EQ(S(61), 4.0f);
    EXPECT_EQ(S(71), 4.0f);
    EXPECT_EQ(S(81), 1.0f);
    EXPECT_EQ(S(91), 5.0f);
    EXPECT_EQ(S(73), 3.0f);
    EXPECT_EQ(S(74), 4.0f);  // height: head less sill
    EXPECT_EQ(S(75), 1.0f);

    SFACES = 60.0f;  // facing the front of a turned house: the front
    FACING(1) = 60.0f;
    REVISION(3);
    EXPECT_EQ(S(61), 1.0f);
}

TEST_F(ModelToColumn, ResidentialZoneCodeGlazingAndLibraryCodes) {
    IDNUM1 = 1;
    CECZONE = 3;
    line(1, 0.32f, 0.6f, 0.69f);  // zone 3's code glass: no SHGC asked, the clear low-e glass's
    REVISION(3);
    EXPECT_EQ(S(60), 25.0f);

    // The code window of a generated home in every group (a home pairs line
    // k with group k), the door group between them without a code; after a
    // window with other glass the remaining groups keep no code.
    CECZONE = 12;
    for (const INTEGER k : {1, 3, 4, 6}) line(k, 0.32f, 0.25f, 0.5f);
    line(2, 0.5f, 0.5f, 0.0f);
    line(7, 0.3f, 0.25f, 0.52f);
    line(8, 0.32f, 0.25f, 0.5f);
    REVISION(3);
    for (const INTEGER g : {1, 3, 4, 6}) EXPECT_EQ(S(50 + 10 * g), 25.0f) << g;
    EXPECT_EQ(S(70), 0.0f);
    EXPECT_EQ(S(100), 0.0f);  // line 5 is empty
    EXPECT_EQ(S(120), 24.0f);
    EXPECT_EQ(S(130), 0.0f);
    QTY.fill(0.0f);

    // 0.81 / 0.16 / 0.09 is library code 8, though its U-factor is also
    // that of codes 2 and 6.
    IDNUM1 = 3;
    line(1, 0.81f, 0.16f, 0.09f);
    REVISION(3);
    EXPECT_EQ(S(60), 8.0f);
}

TEST_F(ModelToColumn, NonresidentialWindowOffTheCodeMovesTheSchemeToItsOwnGlazing) {
    NFLAG(24) = true;
    NTYPE = 7;
    ERA = 4;
    WTYPE = 1;
    DTYPE = 8;
    line(1, 0.36f, 0.25f, 0.42f);  // window type 1 of the current code
    line(2, 0.46f, 0.22f, 0.32f);  // window type 2: still code glazing
    REVISION(3);
    EXPECT_EQ(ERA, 4);
    EXPECT_EQ(S(60), 41.0f);
    EXPECT_EQ(S(70), 42.0f);
    EXPECT_EQ(UWINDO(2), 0.36f);  // an era-4 line takes its scheme's window type

    line(2, 0.5f, 0.4f, 0.6f);
    REVISION(3);
    EXPECT_EQ(ERA, 6);
    EXPECT_EQ(WTYPE, -1);
    EXPECT_EQ(DTYPE, -8);
    EXPECT_EQ(S(70), 0.0f);
    EXPECT_EQ(UWINDO(2), 0.5f);
}

TEST_F(ModelToColumn, DoorTypeStaysCodedOnlyWhileAllDoorsAreAlike) {
    NFLAG(24) = true;
    NTYPE = 7;
    ERA = 4;
    DTYPE = 8;
    line(1, 0.7f, 0.5f, 0.0f);
    line(2, 0.7f, 0.5f, 0.0f);
    REVISION(3);
    EXPECT_EQ(S(70), 48.0f);
    EXPECT_EQ(DTYPE, 8);

    line(2, 1.45f, 0.5f, 0.0f);
    REVISION(3);
    EXPECT_EQ(S(70), 49.0f);
    EXPECT_EQ(DTYPE, -8);
}

}  // namespace
}  // namespace mavo
