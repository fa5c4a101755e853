// Summary rows 1-17: single zones from the working blocks, combinations
// from their members' columns.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/summary_column.h"

namespace mavo {
namespace {

void house(float areat_ft2, float floors) {
    AREA.fill(0.0f);
    AREAT = areat_ft2;
    FLOORS = floors;
    EWDIM = 10.0f;
    NSDIM = 6.0f;
    AREA(1) = 100.0f; UVAL(1) = 0.5f;
    AREA(3) = 60.0f;  UVAL(3) = 0.4f;
    AREA(6) = 300.0f; UVAL(6) = 0.1f;
    CLC = 123.0f;
    PKLOSS = -9000.0f;
    PKGAIN = 7000.0f;
    BALPT = 58.5f;
}

TEST(SummaryColumn, SingleZoneRows) {
    IDNUM1 = 2;
    house(2000.0f, 2.0f);
    NFLAG(38) = true;
    NFLAG(40) = true;  // design loads not computed: ASLOSS 0
    SUMUP();
    EXPECT_EQ(SUMARY(1, 2), 2000.0f);
    EXPECT_EQ(SUMARY(1, 11), 2000.0f);  // back copy of a plain single zone
    EXPECT_EQ(SUMARY(2, 2), 160.0f);
    EXPECT_EQ(SUMARY(5, 2), 460.0f);
    EXPECT_EQ(SUMARY(6, 2), 0.0f);  // no roof or skylight
    EXPECT_FLOAT_EQ(SUMARY(7, 2), (50.0f + 24.0f + 30.0f) / 460.0f);
    EXPECT_EQ(SUMARY(10, 2), 123.0f);
    EXPECT_FLOAT_EQ(SUMARY(11, 2), 8.0f);
    EXPECT_FLOAT_EQ(SUMARY(12, 2), 5.0f);
    EXPECT_FLOAT_EQ(SUMARY(13, 2), 3.0f);
    EXPECT_EQ(SUMARY(14, 2), -9000.0f);
    EXPECT_EQ(SUMARY(16, 2), -999.0f);  // never computed
    EXPECT_EQ(SUMARY(17, 2), 58.5f);

    // 45 ft2 per storey is no real floor area: the plan counts instead.
    house(90.0f, 2.0f);
    STRATEGY(26, 2) = 1.0f;  // a zone of a combination: no back copy
    SUMARY(1, 11) = 5.0f;
    SUMUP();
    EXPECT_FLOAT_EQ(SUMARY(11, 2), 160.0f / 120.0f * 100.0f);
    EXPECT_EQ(SUMARY(1, 11), 5.0f);
}

TEST(SummaryColumn, InternalGainAndTwelveDayDesignLoss) {
    IDNUM1 = 1;
    house(1500.0f, 1.0f);
    NFLAG(38) = false;
    ASLOSS = -30000.0f;
    SUMUP();
    EXPECT_EQ(TOTALDAYBTU, 15.0f * 1500.0f + 20000.0f);
    EXPECT_EQ(SUMARY(8, 1), 0.0f);
    EXPECT_EQ(SUMARY(9, 1), 0.0f);

    IDNUM1 = 3;
    for (int m = 1; m <= 12; ++m) HEAT(14, 10, m) = 1200.0f;
    SUMUP();
    EXPECT_EQ(TOTALDAYBTU, 1200.0f);
}

// Scheme 3 combines schemes 1 and 2.
void combination_of_one_and_two() {
    IDNUM1 = 3;
    STRATEGY(26, 3) = 2.0f;
    NCOMBO(3) = 12;
    FLOORS = 1.0f;
    for (int n = 1; n <= 2; ++n) {
        SUMARY(1, n) = 750.0f;
        SUMARY(2, n) = 100.0f;
        SUMARY(4, n) = 400.0f;
        SUMARY(6, n) = 0.05f * n;
        SUMARY(8, n) = -10000.0f;
        SUMARY(10, n) = 100.0f;
        SUMARY(48, n) = 365.0f;
    }
    SUMARY(1, 3) = 1500.0f;
    SUMARY(1, 12) = 1500.0f;
    SUMARY(2, 12) = 200.0f;
}

TEST(SummaryColumn, CombinationSumsItsMembers) {
    combination_of_one_and_two();
    SUMUP();
    EXPECT_EQ(SUMUP_STATE.NOofZones, 2);
    EXPECT_EQ(SUMUP_STATE.ZONEID(2), 2);
    EXPECT_EQ(SUMARY(2, 3), 200.0f);
    EXPECT_EQ(SUMARY(8, 3), -20000.0f);
    EXPECT_FLOAT_EQ(SUMARY(6, 3), 0.075f);  // area-weighted U
    EXPECT_EQ(SUMARY(7, 3), 1.0e10f);        // no walls
    EXPECT_FLOAT_EQ(SUMARY(9, 3), -20000.0f / 1500.0f);
    EXPECT_EQ(SUMARY(10, 3), 200.0f);
    EXPECT_EQ(SUMARY(17, 3), 0.0f);  // no balance point of its own
    EXPECT_FALSE(NFLAG(47));
    EXPECT_FALSE(NFLAG(48));

    SUMARY(48, 2) = 30.0f;  // a member run over 30 days is the same zone
    SUMUP();
    EXPECT_EQ(SUMARY(8, 3), -20000.0f);
    EXPECT_FLOAT_EQ(SUMARY(6, 3), 0.075f);
}

TEST(SummaryColumn, ZoneCheckAllowsHalfACellPerStorey) {
    combination_of_one_and_two();
    SUMARY(1, 2) = 755.0f;  // 1505 against 1500
    SUMUP();
    EXPECT_FALSE(NFLAG(47));
    SUMARY(1, 2) = 760.0f;  // 1510
    SUMARY(2, 2) = 120.0f;
    SUMUP();
    EXPECT_TRUE(NFLAG(47));
    EXPECT_TRUE(NFLAG(48));
}

}  // namespace
}  // namespace mavo
