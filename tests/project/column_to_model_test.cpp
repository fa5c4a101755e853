// The design transfer from a scheme's parameter column to the working
// model (REVISION task 2): codes to efficiencies and venting parameters,
// the normalised column, and the window, door and skylight lines.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

class ColumnToModel : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKPROJ = 32;
        IDNUM1 = 3;
        CECZONE = 12;
        S(11) = 2013.0f;
        FLTOFL = 10.0f;
        QTY.fill(0.0f);
    }
    static REAL& S(INTEGER n) { return STRATEGY(n, IDNUM1); }
    // Window group g: code, orientation, quantity, width, height, sill.
    static void group(INTEGER g, REAL code, REAL M, REAL qty, REAL width = 3.0f, REAL height = 4.0f, REAL sill = 1.0f) {
        const INTEGER j = 10 * (g - 1);
        S(60 + j) = code;
        S(61 + j) = M;
        S(62 + j) = qty;
        S(63 + j) = width;
        S(64 + j) = height;
        S(65 + j) = sill;
    }
    static void line(INTEGER k, REAL u, REAL shgc, REAL vt, REAL tilt = 90.0f) {
        QTY(k) = 1.0f;
        UWINDO(k) = u;
        SCOEF(k) = shgc;
        TRANS(k) = vt;
        TILT(k) = tilt;
        ITEMS(k) = tilt <= 45.0f ? 5 : 1;
    }
    testing::ScratchDir project;
};

// Zone 12's code furnace and air conditioner (AFUE 0.78, SEER 13), leakage
// class 4, whole-house fan vent 5 with its ventilation air.
TEST_F(ColumnToModel, CodesBecomeEfficienciesLeakageAndVenting) {
    S(8) = 1600.0f;
    S(18) = 3.0f;
    S(20) = 3.0f;
    S(24) = 4.0f;
    S(25) = 5.0f;
    PAREA = 400.0f;  // 4 occupants over 1600 ft2
    wCFMvent = 0.0f;
    REVISION(2);
    EXPECT_FLOAT_EQ(COPHT, 0.78f);
    EXPECT_FLOAT_EQ(COPAC, 13.0f / 3.412f);
    EXPECT_EQ(SLA, 3.8f);
    EXPECT_FLOAT_EQ(FACFM, 46.0f);  // 0.01 cfm/ft2 x 1600 + 7.5 cfm x 4 occupants
    EXPECT_FLOAT_EQ(ACHMAX, 9.0f);  // 90 / 10 ft
    EXPECT_FLOAT_EQ(wCFMvent, 0.14f);
    EXPECT_EQ(NHVACS, 3.0f);

    // A furnace with a heat pump's cooling is no coded system: both become
    // custom, each with the efficiency its own code names (the heat pump of
    // code 8 cools at SEER 15), not the efficiencies the file held.
    S(20) = 8.0f;
    COPHT = 0.81f;
    COPAC = 2.0f;
    REVISION(2);
    EXPECT_EQ(S(18), -3.0f);
    EXPECT_EQ(S(20), -8.0f);
    EXPECT_FLOAT_EQ(COPHT, 0.78f);
    EXPECT_FLOAT_EQ(COPAC, 15.0f / 3.412f);
}

TEST_F(ColumnToModel, EvaporativeCoolerBringsItsVentingAndAirMovement) {
    S(18) = 1.0f;
    S(20) = 6.0f;
    S(25) = 1.0f;
    EvapEff = 0.0f;
    REVISION(2);
    EXPECT_EQ(COPAC, 0.0f);
    EXPECT_EQ(EvapEff, 85.0f);
    EXPECT_EQ(S(25), 6.0f);
    EXPECT_EQ(S(28), 3.0f);
    EXPECT_EQ(S(29), 1.0f);  // below 2: natural ventilation is not re-derived
    EXPECT_FLOAT_EQ(wCFMvent, 0.09f);
    EXPECT_EQ(NHVACS, 4.0f);

    // A whole-house fan on a model without story height keeps its air changes.
    FLTOFL = 0.0f;
    ACHMAX = 7.0f;
    REVISION(2);
    EXPECT_EQ(ACHMAX, 7.0f);
}

// A column that names no cooling, leakage class or floor type yet (the
// new-project template) is simulated as task 3 will store it after the run;
// a home's large fan keeps the rate its design gave it (the efficient
// design: the code minimum's air velocity in a zone that asks for a small
// whole-house fan makes the large fan the small one).
TEST_F(ColumnToModel, ChoicesNotYetMadeAreSimulatedAsTheRunWillSaveThem) {
    IDNUM1 = 2;
    S(20) = 0.0f;
    COPAC = 3.1f;
    S(24) = 0.0f;
    SLA = 0.0f;
    S(33) = 0.0f;
    AREA(11) = 1000.0f;
    AREA(12) = 0.0f;
    S(25) = 6.0f;
    S(28) = 3.0f;
    ACHMAX = 20.0f;
    REVISION(2);
    EXPECT_EQ(COPAC, 0.0f);  // no air conditioning, as task 3 stores code 1
    EXPECT_EQ(S(24), 9.0f);  // the class task 3 finds for the leakage area
    EXPECT_EQ(SLA, 0.3f);
    EXPECT_EQ(S(33), 2.0f);  // a raised floor
    EXPECT_EQ(S(49), 2.0f);
    EXPECT_EQ(ACHMAX, 20.0f);
}

TEST_F(ColumnToModel, MissingStoriesAndHeightAreWrittenBackAndTheTypeNamesTheTitle) {
    S(7) = 2.0f;
    S(14) = 0.0f;
    S(15) = 0.0f;
    REVISION(2);
    EXPECT_EQ(S(14), 1.0f);
    EXPECT_EQ(FLOORS, 1.0f);
    EXPECT_EQ(S(15), 8.0f);
    EXPECT_EQ(FLTOCE, 8.0f);
    EXPECT_EQ(TITLE2.view(), "SINGLE FAMILY ATTACHED  ");
}

TEST_F(ColumnToModel, NaturalVentilationClassAndTheCodeMinimumScheme) {
    for (INTEGER i = 1; i <= 5; ++i) AREA(i) = 0.0f;
    AREA(2) = 40.0f;  // west only
    AREAT = 1000.0f;
    VOLUME = 10000.0f;
    S(14) = 1.0f;
    S(29) = 2.0f;
    REVISION(2);
    EXPECT_EQ(S(29), 11.0f);
    AREA(3) = 20.0f;
    S(14) = 2.0f;
    VOLUME = 20000.0f;  // above 1000 ft2 x 10 ft + 4 x 10 ft: tall spaces
    REVISION(2);
    EXPECT_EQ(S(29), 23.0f);

    IDNUM1 = 1;  // zone 12 requires a small whole-house fan; no natural ventilation
    S(29) = 5.0f;
    REVISION(2);
    EXPECT_TRUE(NFLAG(8));
    EXPECT_EQ(S(28), 2.0f);
    EXPECT_EQ(S(29), 0.0f);
}

// Lines of a generated scheme take their geometry from the groups. A
// non-residential one processes line k with the group at its advanced
// offset: with lines 1 and 3 filled and groups 1 to 3 holding quantities,
// line 3 takes group 2, and group 3, past the last line, a line of its own
// after it. A dwelling pairs line k with group k: line 3 takes group 3, and
// line 2, emptied earlier, comes back with group 2.
TEST_F(ColumnToModel, GeneratedSchemeLinesTakeTheirGroups) {
    for (const bool nonresidential : {true, false}) {
        IDNUM1 = 2;
        NFLAG(24) = nonresidential;
        NTYPE = nonresidential ? 7 : 19;
        SFACES = 30.0f;
        group(1, 0.0f, 1.0f, 2.0f);
        group(2, 0.0f, 3.0f, 5.0f, 6.0f, 5.0f, 2.0f);
        group(3, 0.0f, 2.0f, 7.0f);
        line(1, 0.4f, 0.3f, 0.5f);
        line(2, 0.4f, 0.3f, 0.5f);
        QTY(2) = 0.0f;
        line(3, 0.4f, 0.3f, 0.5f);
        QTY(4) = 0.0f;
        REVISION(2);
        const char* what = nonresidential ? "non-residential" : "dwelling";
        EXPECT_EQ(QTY(1), 2.0f) << what;
        EXPECT_EQ(FACING(1), 30.0f) << what;
        const INTEGER north = nonresidential ? 3 : 2;  // the line that takes group 2
        EXPECT_EQ(QTY(north), 5.0f) << what;
        EXPECT_EQ(ITEMS(north), 3) << what;
        EXPECT_EQ(FACING(north), 210.0f) << what;
        EXPECT_EQ(WIDTH(north), 6.0f) << what;
        EXPECT_EQ(HEAD(north), 7.0f) << what;  // height plus sill
        if (nonresidential) {
            EXPECT_EQ(QTY(2), 0.0f) << what;
            EXPECT_EQ(QTY(4), 7.0f) << what;
            EXPECT_EQ(FACING(4), 120.0f) << what;
            EXPECT_EQ(IPOINT(4), 2) << what;  // south, west, then north
            EXPECT_EQ(IPOINT(3), 3) << what;
        } else {
            EXPECT_EQ(QTY(3), 7.0f) << what;
            EXPECT_EQ(FACING(3), 120.0f) << what;
            EXPECT_EQ(IPOINT(3), 2) << what;  // south, west, then north
            EXPECT_EQ(IPOINT(2), 3) << what;
        }
    }
}

TEST_F(ColumnToModel, ResidentialGlazingCodesRepairsAndDoors) {
    testing::site_in_climate_zone(IDNUM1, 3, project.path());
    group(1, 25.0f, 1.0f, 1.0f);
    group(2, 0.0f, 1.0f, 1.0f);
    group(3, 0.0f, 5.0f, 1.0f);
    line(1, 1.0f, 0.7f, 0.8f);
    line(2, 0.5f, 0.6f, 0.0f);
    ITEMSII(2) = 11;  // a south door on the detailed screen
    line(3, 0.0f, 0.0f, 0.8f, 0.0f);  // a skylight without properties
    REVISION(2);
    EXPECT_EQ(UWINDO(1), 0.32f);  // zone 3's code U-factor, SHGC 0.6, transmittance 0.69
    EXPECT_EQ(SCOEF(1), 0.6f);
    EXPECT_EQ(TRANS(1), 0.69f);
    EXPECT_EQ(UWINDO(2), 0.5f);  // the door keeps its values
    EXPECT_EQ(TRANS(2), 0.0f);
    EXPECT_EQ(S(80), 45.0f);  // repaired as skylight type 5 ...
    EXPECT_EQ(STYPE, -5);     // ... a type residential glazing makes the scheme's own
    EXPECT_EQ(UWINDO(3), 0.32f);  // then given the scheme-wide code glazing
}

TEST_F(ColumnToModel, SkylightWithUnitPropertiesIsRepaired) {
    group(1, 0.0f, 5.0f, 1.0f);
    line(1, 1.0f, 1.0f, 0.9f, 0.0f);
    REVISION(2);
    EXPECT_EQ(S(60), 45.0f);
    EXPECT_EQ(UWINDO(1), 0.58f);
    EXPECT_EQ(SCOEF(1), 0.25f);
    EXPECT_EQ(TRANS(1), 0.49f);
}

TEST_F(ColumnToModel, NonresidentialGlazingByEra) {
    NFLAG(24) = true;
    NTYPE = 7;
    group(1, 43.0f, 1.0f, 1.0f);
    group(2, 9.0f, 1.0f, 1.0f);
    group(3, 0.0f, 1.0f, 1.0f);
    line(1, 1.0f, 0.7f, 0.8f);
    line(2, 1.0f, 0.7f, 0.0f);
    line(3, 1.0f, 0.7f, 0.8f);
    ITEMSII(3) = 2;  // a window of the detailed screen: the scheme's window type
    WTYPE = 2;
    ERA = 4;  // current code of the zone
    REVISION(2);
    EXPECT_EQ(UWINDO(1), CECNR(45, 12));  // code 43: window type 3
    EXPECT_EQ(SCOEF(1), CECNR(46, 12));
    EXPECT_EQ(TRANS(1), CECNR(47, 12));
    EXPECT_EQ(UWINDO(2), CECNR(40, 12));  // code 9: door type 9
    EXPECT_EQ(UWINDO(3), CECNR(42, 12));  // window type 2

    ERA = 1;  // vintage
    REVISION(2);
    EXPECT_EQ(UWINDO(1), 1.27f);
    EXPECT_EQ(UWINDO(2), 1.5f);

    // Era 3: a window of the design's own code of 2004 to 2012 (-22) whose
    // glass the designer emptied takes back that band's glass of zone 12.
    testing::site_in_climate_zone(IDNUM1, 12, project.path());
    group(1, -22.0f, 1.0f, 1.0f);
    for (const REAL year_built : {2008.0f, 2029.0f}) {
        S(11) = year_built;
        line(1, 0.0f, 0.0f, 0.0f);
        ERA = 3;
        REVISION(2);
        EXPECT_EQ(UWINDO(1), 0.57f) << year_built;
        EXPECT_EQ(TRANS(1), 0.4f) << year_built;
    }
}

}  // namespace
}  // namespace mavo
