#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/bill_scheme.h"
#include "results/bills.h"

namespace mavo {
namespace {

using testing::plain_bill_scheme;

constexpr INTEGER k = 3;

// A gas-heated scheme under the BLK33L tariff (territory 1, winter November
// to April) whose furnace (AFUE 0.75) burns 3 therms every January day:
// 93 therms against a baseline of 1.691 x 31 = 52.421 therms.
class GasBill : public ::testing::Test {
protected:
    void SetUp() override {
        plain_bill_scheme(k, true, 10);
        FUELTYPE = 0.0f;
        STRATEGY(3, k) = 1.0f;
        BLK33A.GRATEZONE = 1;
        HVACLD(8, 1) = -225000.0f;
    }
};

TEST_F(GasBill, BaselineSplitOfAFullYearMonth) {
    COST();
    EXPECT_NEAR(GTHERMW, 52.421f, 1e-3f);
    EXPECT_NEAR(GTHERMWAB, 40.579f, 1e-3f);
    EXPECT_EQ(GDAYSW, 181);  // November and December count as winter days
    EXPECT_EQ(GDAYSS, 184);
    EXPECT_FLOAT_EQ(SUMARY(49, k), 181.0f);
    EXPECT_FLOAT_EQ(SUMARY(50, k), 184.0f);
    // 52.421 x 0.93347 + 40.579 x 1.19347 + 365 x 0.16438
    EXPECT_NEAR(COSTF, 157.36195f, 2e-3f);
    EXPECT_FLOAT_EQ(SUMARY(35, k), COSTF);
    EXPECT_NEAR(SUMARY(21, k), 93.0f, 1e-3f);
    EXPECT_FLOAT_EQ(TEMPFUEL(8, 1), 300000.0f);
    EXPECT_NEAR(SITEKWHR(8, 1), 300.0f / 3.412f, 1e-3f);
    // The rescaled hours carry the month's tiered bill and its charges.
    float january = 0.0f;
    for (int h = 1; h <= 24; ++h) january += COSTFUEL(h, 1) * 31;
    EXPECT_NEAR(january, 102.45903f, 2e-3f);
}

TEST_F(GasBill, UseEqualToTheBaselineIsAllAtTheBaselineRate) {
    NFLAG(83) = true;  // the user's rates and baselines stay
    GBASEW = 2.0f;
    HVACLD(8, 1) = -150000.0f;  // 2 therms a day, 62 in January
    COST();
    EXPECT_FLOAT_EQ(GTHERMW, 62.0f);
    EXPECT_FLOAT_EQ(GTHERMWAB, 0.0f);
    EXPECT_NEAR(COSTFUEL(8, 1), 2 * 0.94633f + 0.16438f / 24, 1e-6f);
}

// Twelve representative days: every winter day is split against the daily
// baseline, every summer day billed at the summer baseline rate.
TEST_F(GasBill, TwelveDayRunSplitsEveryWinterDay) {
    NFLAG(38) = false;
    for (int m = 1; m <= 12; ++m) HVACLD(8, m) = -225000.0f;
    COST();
    EXPECT_NEAR(GTHERMW, 6 * 1.691f, 1e-4f);
    EXPECT_NEAR(GTHERMWAB, 6 * 1.309f, 1e-4f);
    EXPECT_NEAR(GTHERMS, 18.0f, 1e-4f);
    EXPECT_NEAR(SUMARY(66, k), 36.0f, 1e-4f);
    EXPECT_EQ(GDAYSW + GDAYSS, 12);
}

TEST_F(GasBill, SiteWithoutGasRatesBurnsNothing) {
    NFLAG(83) = true;
    BLK33A.GASBASE = 0.0f;
    BLK33A.GCUSTOMCHG = 0.0f;
    COST();
    EXPECT_FLOAT_EQ(SUMARY(35, k), 0.0f);
    EXPECT_FLOAT_EQ(SUMARY(66, k), 0.0f);
    EXPECT_FLOAT_EQ(TEMPFUEL(8, 1), 0.0f);
    EXPECT_FLOAT_EQ(COSTFUEL(8, 1), 0.0f);
}

// Non-residential gas zone 16 has no tier: nothing is ever rescaled.
TEST_F(GasBill, UntieredNonResidentialTariff) {
    NFLAG(24) = true;
    BLK33A.GRATEZONE = 16;
    STRATEGY(3, k) = 6.0f;
    HVACLD(8, 1) = 0.0f;
    EQFUEL(10, 3) = 1.0e8f;  // 1000 therms a day
    COST();
    EXPECT_FLOAT_EQ(STRATEGY(3, k), 16.0f);
    EXPECT_NEAR(COSTFUEL(10, 3), 1389.0f, 1e-2f);
    EXPECT_FLOAT_EQ(GTHERMWAB, 0.0f);
    EXPECT_NEAR(COSTF, 31000.0f * 1.389f, 1.0f);
}

TEST(FuelBill, AllElectricSchemeHasNoFuel) {
    plain_bill_scheme(k, true, 10);
    EQFUEL(10, 3) = 1.0e6f;
    COST();
    for (int row : {21, 35, 66, 73, 79}) EXPECT_FLOAT_EQ(SUMARY(row, k), 0.0f) << "row " << row;
    EXPECT_FLOAT_EQ(SUMARY(58, k), SUMARY(57, k));
    EXPECT_FLOAT_EQ(TEMPFUEL(10, 3), 0.0f);
}

// 910 therms of propane are 1000 gallons (91000 Btu each).
TEST(FuelBill, PropaneInGallons) {
    plain_bill_scheme(k, false, 10);
    FUELTYPE = 2.0f;
    BLK33A.PROPANEPRICE = 3.0f;  // slots 3 and above keep their price
    HVACLD(8, 1) = -68250000.0f;
    COST();
    EXPECT_NEAR(SUMARY(66, k), 1000.0f, 1e-2f);
    EXPECT_NEAR(SUMARY(21, k), 1000.0f, 1e-2f);
    EXPECT_NEAR(SUMARY(35, k), 3000.0f, 0.05f);
    EXPECT_NEAR(COSTFUEL(8, 1), 3000.0f, 0.05f);
    EXPECT_NEAR(SUMARY(58, k), SUMARY(57, k) + 3000.0f, 0.05f);
    EXPECT_FLOAT_EQ(FUELBTU, 91000.0f);
}

TEST(FuelBill, DesignSchemesTakeTheBuiltInBottledPrices) {
    plain_bill_scheme(1, false, 10);
    FUELTYPE = 2.0f;
    BLK33A.PROPANEPRICE = 3.0f;
    HVACLD(8, 1) = -68250000.0f;
    COST();
    EXPECT_FLOAT_EQ(BLK33A.PROPANEPRICE, 2.7f);
    EXPECT_NEAR(SUMARY(35, 1), 2700.0f, 0.05f);
}

// Heating oil burns in the furnace and an oil water heater only.
TEST(FuelBill, OilLeavesAppliancesOut) {
    plain_bill_scheme(k, false, 10);
    FUELTYPE = 3.0f;
    WHTYPE = 4;
    WHENER(7, 1) = 1.37e6f;  // 13.7 therms, 10 gallons
    EQFUEL(7, 1) = 1.0e6f;
    COST();
    EXPECT_NEAR(SUMARY(65, k), 10.0f, 1e-4f);
    EXPECT_FLOAT_EQ(SUMARY(63, k), 0.0f);
    EXPECT_NEAR(SUMARY(66, k), 10.0f, 1e-4f);
    EXPECT_NEAR(SUMARY(35, k), 29.0f, 1e-3f);
    EXPECT_NEAR(COSTFUEL(7, 1), 29.0f, 1e-3f);
}

}  // namespace
}  // namespace mavo
