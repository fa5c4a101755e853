// Balance point: zero crossings of the net heat flow between hours.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/balance_point.h"

namespace mavo {
namespace {

// A year of steady net loss at 40 F: no crossing anywhere.
void steady_loss() {
    for (int m = 1; m <= 12; ++m)
        for (int h = 1; h <= 24; ++h) {
            HEAT(17, h, m) = -500.0f;
            OATEMP(h, m) = 40.0f;
        }
}

void hours_of_month(int m, int first, int last, float q_btuh, float t_F) {
    for (int h = first; h <= last; ++h) {
        HEAT(17, h, m) = q_btuh;
        OATEMP(h, m) = t_F;
    }
}

TEST(BalancePoint, NoCrossingAndMeasuredData) {
    steady_loss();
    BPTEMP();
    EXPECT_FLOAT_EQ(BALPT, 999.9f);
    HEAT(17, 5, 3) = 800.0f;
    NFLAG(36) = true;  // measured data
    BPTEMP();
    EXPECT_FLOAT_EQ(BALPT, 999.9f);
}

TEST(BalancePoint, RisingAndFallingCrossingsInterpolateLinearly) {
    steady_loss();
    // April: +1000 Btu/h at 60 F in hours 1-11, -1000 at 50 F in hours
    // 12-24; both crossings lie at 55 F.
    hours_of_month(4, 1, 11, 1000.0f, 60.0f);
    hours_of_month(4, 12, 24, -1000.0f, 50.0f);
    BPTEMP();
    EXPECT_FLOAT_EQ(BALPT, 55.0f);

    // -3000 at 40 F after noon and 44 F at hour 24: the falling crossing at
    // 60 + (40 - 60) x 1000/4000 = 55 F lies below the rising one at 56 F.
    hours_of_month(4, 12, 24, -3000.0f, 40.0f);
    OATEMP(24, 4) = 44.0f;
    BPTEMP();
    EXPECT_FLOAT_EQ(BALPT, 55.0f);
}

TEST(BalancePoint, ZeroFlowsCountAtTheFirstHoursTemperature) {
    steady_loss();
    hours_of_month(2, 7, 7, 0.0f, 35.0f);
    hours_of_month(2, 8, 8, 0.0f, 45.0f);
    BPTEMP();
    EXPECT_FLOAT_EQ(BALPT, 35.0f);
}

TEST(BalancePoint, HourTwentyFourPairsWithHourOneOfTheSameDay) {
    steady_loss();
    hours_of_month(6, 1, 12, -500.0f, 80.0f);
    hours_of_month(6, 13, 24, 300.0f, 80.0f);  // crossing (12, 13) at 80 F
    OATEMP(24, 6) = 64.0f;
    OATEMP(1, 6) = 58.0f;  // crossing (24, 1): 64 + (58 - 64) x 300/800
    BPTEMP();
    EXPECT_FLOAT_EQ(BALPT, 61.75f);
}

}  // namespace
}  // namespace mavo
