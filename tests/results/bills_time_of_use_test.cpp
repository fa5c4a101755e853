#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/bill_scheme.h"
#include "results/bills.h"

namespace mavo {
namespace {

using testing::plain_bill_scheme;

constexpr INTEGER k = 3;

// SCE record, a January (winter) day: 2 kWh in hour 9 (period 2) cost
// 2 x 0.14602 + 0.836 / 24; the day's bill is that plus 23 hours of charge.
TEST(TimeOfUseBill, SceWinterHourWithCustomerCharge) {
    plain_bill_scheme(k, false, 32);
    EQKWHR(9, 1) = 2.0f;
    COST();
    EXPECT_NEAR(COSTEL(9, 1), 2 * 0.14602f + 0.836f / 24, 1e-6f);
    EXPECT_NEAR(COSTEL(3, 1), 0.836f / 24, 1e-6f);
    EXPECT_FLOAT_EQ(TOUKWH(1), 2.0f);
    // Twelve representative days, each with its day of customer charge.
    EXPECT_NEAR(SUMARY(36, k), 2 * 0.14602f + 12 * 0.836f, 1e-4f);
}

TEST(TimeOfUseBill, SdgeWinterEveningIsPeriodThree) {
    plain_bill_scheme(k, false, 33);
    EQKWHR(20, 1) = 2.0f;
    COST();
    EXPECT_NEAR(COSTEL(20, 1), 2 * 0.21242f + 0.39f / 24, 1e-6f);
    EXPECT_FLOAT_EQ(TOUKWH(2), 2.0f);
}

// More PV than purchase: the hour's cost goes negative, the gross bill
// still counts the whole purchase.
TEST(TimeOfUseBill, PhotovoltaicCreditAtThePeriodRate) {
    plain_bill_scheme(k, false, 32);
    EQKWHR(9, 1) = 2.0f;
    PV(9, 1) = 5.0f;
    COST();
    EXPECT_NEAR(COSTEL(9, 1), -3 * 0.14602f + 0.836f / 24, 1e-6f);
    EXPECT_NEAR(SUMARY(36, k), 2 * 0.14602f + 12 * 0.836f, 1e-4f);
    EXPECT_FLOAT_EQ(PVDEMAND(1), 2.0f * 31);  // gross purchase
    EXPECT_FLOAT_EQ(TEMPKWHR(9, 1), 2.0f);    // left as bought
}

// Zone 38: every hour of both seasons at 0.0984 and no customer charge.
TEST(TimeOfUseBill, FlatRecordAllYear) {
    plain_bill_scheme(k, true, 38);
    for (int m = 1; m <= 12; ++m)
        for (int h = 1; h <= 24; ++h) EQKWHR(h, m) = 1.0f;
    COST();
    EXPECT_NEAR(SUMARY(36, k), 8760 * 0.0984f, 0.01f);
    EXPECT_NEAR(COSTEL(14, 7), 0.0984f, 1e-7f);
    EXPECT_NEAR(COSTEL(2, 1), 0.0984f, 1e-7f);
}

// The year summary prices the period kWh and adds the season charges: for
// a full year it adds up to the gross bill.
TEST(TimeOfUseBill, YearSummaryAddsUpToTheGrossBill) {
    plain_bill_scheme(k, true, 34);
    for (int m = 1; m <= 12; ++m)
        for (int h = 1; h <= 24; ++h) EQKWHR(h, m) = 0.5f + 0.1f * static_cast<float>(h % 5);
    PV(12, 7) = 3.0f;
    COST();
    EXPECT_NEAR(TOUCOST(8), SUMARY(36, k), 0.05f);
    EXPECT_NEAR(ECHARGW + ECHARGS, 365 * 0.32854f, 1e-3f);
    EXPECT_FLOAT_EQ(TOUCOST(4), 0.0f);
    EXPECT_NEAR(TOUCOST(1), TOUKWH(1) * 0.17359f, 1e-3f);
}

// The single flat rate bills as one tier in a time-of-use zone too (the
// hour lists of such a zone are never built for it).
TEST(TimeOfUseBill, FlatChoiceInATimeOfUseZoneBillsTheFlatRate) {
    plain_bill_scheme(k, false, 32);
    STRATEGY(1, k) = 7.0f;
    for (int m = 1; m <= 12; ++m) EQKWHR(12, m) = 100.0f;
    COST();
    EXPECT_NEAR(SUMARY(36, k), 12 * 12.1f, 1e-3f);
}

}  // namespace
}  // namespace mavo
