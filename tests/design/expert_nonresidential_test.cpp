// The design generator on the small clinic (type 3, 4000 ft2, zone 12):
// the code-minimum scheme 1, the efficient scheme 2 and the vintage scheme
// 2 of a 1970 building, worked by hand from the non-residential type table,
// the non-residential code table of the zone and the site.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "design/design.h"
#include "design/nonresidential.h"
#include "design_fixture.h"
#include "project/project.h"

namespace mavo {
namespace {

constexpr float kDoor = 20.01f;

class NonresidentialExpert : public design_test::DesignFixture {};

TEST_F(NonresidentialExpert, CodeMinimumClinic) {
    clinic(1);
    command(1, true, true);
    EXPERT();

    EXPECT_EQ(STRATEGY(11, 1), 2013.0f);
    EXPECT_EQ(STRATEGY(11, 2), 2013.0f);
    EXPECT_TRUE(NFLAG(8));
    EXPECT_TRUE(NFLAG(9));
    EXPECT_FALSE(NFLAG(4));
    EXPECT_EQ(ERA, 4);
    EXPECT_EQ(WTYPE, 2);
    EXPECT_EQ(DTYPE, 8);

    // Clinic loads: 10 people per 1000 ft2 at 250 / 200 Btu/h, 1.5 W/ft2
    // plugs, 1.2 W/ft2 lights, 0.15 cfm/ft2 outside air; 9-ft ceilings.
    EXPECT_EQ(COMHI, 76.0f);
    EXPECT_FLOAT_EQ(EQPT, 1.5f);
    EXPECT_EQ(FLTOCE, 9.0f);
    EXPECT_FLOAT_EQ(FLTOFL, 10.125f);
    EXPECT_FLOAT_EQ(PAREA, 100.0f);
    EXPECT_FLOAT_EQ(PEOPLE, 40.0f);
    EXPECT_FLOAT_EQ(TOLOAD, 10000.0f);
    EXPECT_FLOAT_EQ(TLLOAD, 1.2f * 4000.0f * 3.412f);
    EXPECT_FLOAT_EQ(TELOAD, 1.5f * 4000.0f * 3.412f);
    EXPECT_FLOAT_EQ(PEAK, 3.412f * (1.2f + 1.5f) + 250.0f / 100.0f);
    EXPECT_FLOAT_EQ(FACFM, 600.0f);
    EXPECT_FLOAT_EQ(AIRCHG, 600.0f * 60.0f / 36000.0f);  // outside air in the 36000 ft3
    EXPECT_FLOAT_EQ(VOLUME, 36000.0f);
    EXPECT_EQ(HRLITEON, 8.0f);
    EXPECT_EQ(HRLITEOFF, 19.0f);

    // Zone 12 code plant and fans.
    EXPECT_NEAR(COPAC, 13.0f / 3.412f, 1e-6f);
    EXPECT_FLOAT_EQ(COPHT, 0.78f);
    EXPECT_FLOAT_EQ(wCFMhvac, 0.8f);
    EXPECT_FLOAT_EQ(wCFMvent, 0.14f);
    EXPECT_FLOAT_EQ(wCFMiaq, 0.4f);
    EXPECT_FLOAT_EQ(DuctInsul, 6.3f);
    EXPECT_EQ(DuctLeakPct, 6.0f);
    EXPECT_EQ(ACH50, 5.0f);
    EXPECT_EQ(STRATEGY(24, 1), 6.0f);
    EXPECT_EQ(STRATEGY(25, 1), 1.0f);
    EXPECT_EQ(STRATEGY(10, 1), 4.0f);
    EXPECT_EQ(STRATEGY(34, 1), 0.0f);

    // Wood walls on a slab (family 820).
    EXPECT_EQ(STRATEGY(31, 1), 27.0f);
    EXPECT_EQ(STRATEGY(33, 1), 7.0f);
    EXPECT_EQ(MTUSED(2), "DRYWALL");

    // The 64 x 64 ft plan and its window list (checked line by line by the
    // window-list tests).
    EXPECT_EQ(EWDIM, 64.0f);
    EXPECT_EQ(NSDIM, 64.0f);
    EXPECT_EQ(QTY(1), 6.0f);
    EXPECT_EQ(STRATEGY(60, 1), -41.0f);
    EXPECT_EQ(OHANGD(1), 0.0f);

    EXPECT_NEAR(DILLUM, 500.0f / 10.7639f, 1e-4f);
    EXPECT_EQ(PERCENTDL, 90.0f);
    EXPECT_FLOAT_EQ(LIGHTS, 1.2f);
    EXPECT_FLOAT_EQ(SGPD(2), 0.24f * 24.0f * 40.0f);
    EXPECT_EQ(STSET(2), 140.0f);  // the clinic's tank set point
    EXPECT_TRUE(std::filesystem::exists(project / "schedule1.dat"));
}

TEST_F(NonresidentialExpert, EfficientClinic) {
    clinic(2);
    STRATEGY(6, 1) = 1.0f;
    STRATEGY(11, 1) = STRATEGY(11, 2) = 2013.0f;
    EWDIM = 64.0f;
    NSDIM = 64.0f;
    command(2, false, true);
    EXPERT();

    EXPECT_TRUE(NFLAG(9));
    EXPECT_EQ(ERA, 4);
    // Plan ratio 1.73: 83.2 ft, 21 x 12 cells fill 4000/4032 of the grid.
    EXPECT_EQ(EWDIM, 84.0f);
    EXPECT_EQ(NSDIM, 48.0f);
    // 40 % of 850.5 ft2: eight 6-ft windows; the overhang sits against the
    // story above (9 + 1.33 > 10.125): 1.125 ft over the head.
    EXPECT_EQ(QTY(1), 8.0f);
    EXPECT_NEAR(AREA(1), 8.0f * 6.0f * 6.33f + kDoor, 1e-2f);
    EXPECT_FLOAT_EQ(OHANGDIS(1), 1.125f);
    EXPECT_NEAR(OHANGD(1), (9.0 + 1.125 - 2.67) / std::tan((90.0 - 38.5 + 11.75) * M_PI / 180.0), 1e-4);
    // The efficient plant and ventilation.
    EXPECT_EQ(STRATEGY(18, 2), 4.0f);
    EXPECT_EQ(STRATEGY(20, 2), 4.0f);
    EXPECT_FLOAT_EQ(COPHT, 0.9f);
    EXPECT_FLOAT_EQ(COPAC, 15.0f / 3.412f);  // SEER 15
    EXPECT_FLOAT_EQ(wCFMhvac, 0.58f);
    EXPECT_FLOAT_EQ(wCFMiaq, 0.25f);
    EXPECT_FLOAT_EQ(wCFMvent, 0.09f);
    EXPECT_EQ(ACHMAX, 20.0f);
    EXPECT_EQ(STRATEGY(25, 2), 6.0f);
    EXPECT_EQ(STRATEGY(28, 2), 3.0f);
    EXPECT_EQ(STRATEGY(29, 2), 1.0f);

    // Saved, the plant keeps its codes: furnace 4 (AFUE 0.90) and air
    // conditioner 4 (SEER 15), not custom values.
    REVISION(3);
    EXPECT_EQ(STRATEGY(18, 2), 4.0f);
    EXPECT_EQ(STRATEGY(20, 2), 4.0f);
}

TEST_F(NonresidentialExpert, EfficientSchemeReachedWithTheCodeMinimumFlagGetsItsOverhang) {
    // The run sequence designs slot 2 of a new building under the
    // code-minimum command (its year built is 2013 by then): the efficient
    // scheme is still no code-minimum design.
    clinic(2);
    STRATEGY(6, 1) = 1.0f;
    STRATEGY(11, 1) = STRATEGY(11, 2) = 2013.0f;
    EWDIM = 64.0f;
    NSDIM = 64.0f;
    command(2, true, true);
    EXPERT();
    EXPECT_FALSE(NFLAG(8));
    EXPECT_TRUE(NFLAG(9));
    EXPECT_EQ(QTY(1), 8.0f);
    EXPECT_FLOAT_EQ(OHANGDIS(1), 1.125f);
    EXPECT_NEAR(OHANGD(1), (9.0 + 1.125 - 2.67) / std::tan((90.0 - 38.5 + 11.75) * M_PI / 180.0), 1e-4);
}

TEST_F(NonresidentialExpert, VintageClinicOf1970) {
    clinic(2);
    STRATEGY(6, 1) = 2.0f;
    STRATEGY(11, 1) = 2013.0f;
    STRATEGY(11, 2) = 1970.0f;
    STRATEGY(32, 1) = 2.0f;
    command(2, false, false);
    EXPERT();

    EXPECT_FALSE(NFLAG(9));
    EXPECT_EQ(STRATEGY(6, 2), 2.0f);
    EXPECT_EQ(EWDIM, 68.0f);  // 17 x 15 cells: 4000/4080
    EXPECT_EQ(NSDIM, 60.0f);
    // Glass and doors of 1970.
    EXPECT_EQ(UWINDO(1), 1.27f);
    EXPECT_EQ(STRATEGY(60, 2), -1.0f);
    EXPECT_EQ(QTY(1), 7.0f);  // 275.4 ft2 in 37.98 ft2 windows
    EXPECT_EQ(TRANS(2), 0.0f);
    EXPECT_EQ(UWINDO(2), 1.5f);  // the door the transfer gives an era-1 door
    EXPECT_EQ(STRATEGY(70, 2), -48.0f);
    EXPECT_EQ(ERA, 1);
    EXPECT_EQ(OHANGD(1), 0.0f);
    // Leaky, old plant. (The insulation level and roof code are settled
    // by the construction properties afterwards.)
    EXPECT_EQ(STRATEGY(35, 2), 5.0f);
    EXPECT_FALSE(NFLAG(85));
    EXPECT_FLOAT_EQ(DuctInsul, 2.1f);
    EXPECT_EQ(STRATEGY(24, 2), -1.0f);
    EXPECT_FLOAT_EQ(SLA, 6.0f);
    EXPECT_FLOAT_EQ(ACH50, 12.0f);
    EXPECT_EQ(DuctLeakPct, 14.0f);
    EXPECT_EQ(STRATEGY(18, 2), -2.0f);
    EXPECT_EQ(STRATEGY(20, 2), -2.0f);
    EXPECT_FLOAT_EQ(COPHT, 0.75f);
    EXPECT_FLOAT_EQ(COPAC, 2.34467f);
    EXPECT_FLOAT_EQ(WHEF, 0.525f);
    EXPECT_FLOAT_EQ(SEF(2), 0.525f);
    EXPECT_FLOAT_EQ(ABSORB(10), 0.9f);
    EXPECT_FLOAT_EQ(REMITT, 0.75f);
    // An older building: no daylighting controls, more light.
    EXPECT_EQ(PERCENTDL, 0.0f);
    EXPECT_NEAR(DILLUM, 1.5f * 500.0f / 10.7639f, 1e-4f);
    EXPECT_EQ(LIGHTS, 5.0f);
}

TEST_F(NonresidentialExpert, RemodelSchemeOneMovesTheYearToSchemeTwo) {
    clinic(1);
    STRATEGY(6, 1) = 2.0f;
    STRATEGY(11, 1) = 1985.0f;
    command(1, true, true);
    EXPERT();
    EXPECT_EQ(STRATEGY(11, 1), 2013.0f);
    EXPECT_EQ(STRATEGY(11, 2), 1985.0f);
    EXPECT_TRUE(NFLAG(8));
    EXPECT_FALSE(NFLAG(9));
    EXPECT_EQ(ERA, 4);
}

// The sloped-roof flag a house's design left (flat here) does not survive
// a non-residential design other than a new scheme 1: it kept the value,
// and a building made a house and back saved another file.
TEST_F(NonresidentialExpert, SlopedRoofFlagOfAnEarlierHouseDoesNotSurvive) {
    for (const INTEGER k : {1, 2}) {
        clinic(k);
        STRATEGY(6, 1) = 2.0f;
        STRATEGY(11, 1) = 1985.0f;
        NFLAG(4) = false;
        command(k, k == 1, true);
        EXPERT();
        EXPECT_TRUE(NFLAG(4)) << "scheme " << k;
    }
}

// A new building of an older year gets the constructions of its codes
// (whose scheme-2 rules follow the year), not the existing building's.
// Scheme 1 describes the same building: a scheme 1 of the current code's
// year makes scheme 2 a building of that year too.
TEST_F(NonresidentialExpert, NewSchemeTwoOf1990GetsTheConstructionsOfItsCodes) {
    clinic(2);
    STRATEGY(11, 1) = 1990.0f;
    STRATEGY(11, 2) = 1990.0f;
    NFLAG(90) = true;
    command(2, false, false);
    EXPERT();
    EXPECT_EQ(ERA, 3);
    EXPECT_EQ(STRATEGY(24, 2), 6.0f);  // no vintage air-tightness
    for (const INTEGER i : {6, 10}) EXPECT_GT(UVAL(i), 0.0f) << i;
    const std::string trace = trace_text();
    ASSERT_FALSE(trace.empty());
    EXPECT_NE(trace.find("DBG IN  : UVALC"), std::string::npos);
    EXPECT_EQ(trace.find("Vintage not implemented"), std::string::npos);
    EXPECT_NE(trace.find("DBG IN  : GLZSHD"), std::string::npos);
}

TEST_F(NonresidentialExpert, TypeWithoutOccupantsKeepsTheLowMassPreset) {
    clinic(1);
    NTYPE = 13;  // parking: no family, no occupants
    command(1, true, true);
    EXPERT();
    EXPECT_EQ(PAREA, 0.0f);
    EXPECT_EQ(PEOPLE, 0.0f);
    EXPECT_EQ(PEAK, 0.0f);
    EXPECT_EQ(MTUSED(2), "DRYWALL");
    EXPECT_EQ(NELMNT(2) > 0.0f, true);
}

TEST(InteriorRooms, RoomSideByTypeAndSize) {
    EXPECT_FLOAT_EQ(interior_room_side_ft(7, 60000.0f), std::sqrt(5000.0f));  // office floors of big rooms
    EXPECT_FLOAT_EQ(interior_room_side_ft(3, 60000.0f), 20.0f);
    EXPECT_FLOAT_EQ(interior_room_side_ft(6, 3000.0f), std::sqrt(750.0f));
    EXPECT_FLOAT_EQ(interior_room_side_ft(3, 1000.0f), std::sqrt(250.0f));
    EXPECT_FLOAT_EQ(interior_room_side_ft(2, 1234.0f), std::sqrt(1234.0f));  // one open room
    EXPECT_FLOAT_EQ(interior_room_side_ft(2, 90000.0f), 300.0f);
    EXPECT_FLOAT_EQ(interior_room_side_ft(3, 0.0f), 20.0f);
}

}  // namespace
}  // namespace mavo
