// Yearly extremes of the heat-flow components and the ranking of one hour's
// components for the bar chart.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/peaks.h"

namespace mavo {
namespace {

void every_hour(int c, float q_btuh) {
    for (int m = 1; m <= 12; ++m)
        for (int h = 1; h <= 24; ++h) HEAT(c, h, m) = q_btuh;
}

TEST(Peaks, SteadyYearKeepsTheFirstHour) {
    every_hour(17, 1234.0f);
    MAXMON = MAXHR = MINMON = MINHR = 9;
    PEAKS();
    EXPECT_EQ(PKGAIN, 1234.0f);
    EXPECT_EQ(PKLOSS, 1234.0f);
    EXPECT_EQ(MAXMON, 1);
    EXPECT_EQ(MAXHR, 1);
    EXPECT_EQ(MINMON, 1);
    EXPECT_EQ(MINHR, 1);
}

TEST(Peaks, EarliestOfEqualExtremesAndTheAxisWords) {
    HEAT(17, 15, 7) = 5000.0f;
    HEAT(17, 14, 3) = 5000.0f;
    HEAT(17, 6, 1) = -7000.0f;
    HEAT(10, 2, 2) = 20000.0f;
    PEAKS();
    EXPECT_EQ(MAXMON, 3);
    EXPECT_EQ(MAXHR, 14);
    EXPECT_EQ(MINMON, 1);
    EXPECT_EQ(MINHR, 6);
    EXPECT_EQ(COMPMAX(10), 20000.0f);
    EXPECT_EQ(BARTOP, 20000.0f);   // largest of all components
    EXPECT_EQ(BARBOT, -7000.0f);

    for (int c = 1; c <= 17; ++c) every_hour(c, -20000.0f);
    PEAKS();
    EXPECT_EQ(BARTOP, -9999.0f);
}

TEST(Peaks, CombinationTakesTheMostHeatedAndCooledMember) {
    IDNUM1 = 3;
    STRATEGY(26, 3) = 2.0f;
    NCOMBO(3) = 12;
    SUMARY(67, 1) = 1200.0f; SUMARY(68, 1) = 300.0f;
    SUMARY(67, 2) = 900.0f;  SUMARY(68, 2) = 450.0f;
    PEAKS();
    EXPECT_EQ(SUMARY(67, 3), 1200.0f);
    EXPECT_EQ(SUMARY(68, 3), 450.0f);
}

TEST(Sort, RanksSixteenComponentsAndKeepsTheTotalLast) {
    CHARTSCALE = 0.5f;
    for (int c = 1; c <= 17; ++c) HEAT(c, 9, 5) = static_cast<float>(c * 10);
    HEAT(4, 9, 5) = 200.0f;
    HEAT(8, 9, 5) = 200.0f;  // tie with component 4: stays after it
    HEAT(17, 9, 5) = -1.0f;
    SORT(9, 5);
    EXPECT_EQ(BARPAIRS(1, 1), 100.0f);
    EXPECT_EQ(BARPAIRS(2, 1), 4.0f);
    EXPECT_EQ(BARPAIRS(2, 2), 8.0f);
    EXPECT_EQ(BARPAIRS(2, 3), 16.0f);
    EXPECT_EQ(BARPAIRS(2, 16), 1.0f);
    EXPECT_EQ(BARPAIRS(1, 17), -0.5f);
    EXPECT_EQ(BARPAIRS(2, 17), 17.0f);
}

TEST(Sort, HourOutsideTheDayRanksTheDaysMeans) {
    IDNUM2 = 4;  // a comparison charts unscaled values
    CHARTSCALE = 0.5f;
    for (int h = 1; h <= 24; ++h) HEAT(2, h, 8) = h <= 12 ? 480.0f : 0.0f;
    for (int hour : {0, 25}) {
        SORT(hour, 8);
        EXPECT_EQ(BARPAIRS(1, 1), 240.0f);
        EXPECT_EQ(BARPAIRS(2, 1), 2.0f);
    }
    SORT(5, 0);  // no month stored: empty bars, no fault
    EXPECT_EQ(BARPAIRS(1, 1), 0.0f);
    EXPECT_EQ(BARPAIRS(2, 17), 17.0f);
}

}  // namespace
}  // namespace mavo
