#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "results/bill_scheme.h"
#include "results/bills.h"
#include "results/emissions.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::plain_bill_scheme;

constexpr INTEGER k = 3;

// A gas scheme with electricity and neither PV nor solar water heating.
TEST(CostSummaryRows, NoRenewablesNetEqualsGross) {
    plain_bill_scheme(k, true, 10);
    FUELTYPE = 0.0f;
    EQKWHR(12, 5) = 3.0f;
    HVACLD(8, 1) = -75000.0f;
    COST();
    EXPECT_GT(SUMARY(36, k), 0.0f);
    EXPECT_GT(SUMARY(35, k), 0.0f);
    for (int row : {55, 76, 77}) EXPECT_FLOAT_EQ(SUMARY(row, k), 0.0f) << "row " << row;
    EXPECT_FLOAT_EQ(SUMARY(57, k), SUMARY(36, k));
    EXPECT_FLOAT_EQ(SUMARY(79, k), SUMARY(35, k));
    EXPECT_FLOAT_EQ(SUMARY(56, k), SUMARY(25, k));
    EXPECT_FLOAT_EQ(SUMARY(58, k), SUMARY(57, k) + SUMARY(79, k));
    EXPECT_FLOAT_EQ(SUMARY(73, k), SUMARY(66, k));
}

// SCE zone 10, 5 kWh every representative day: 60 kWh for $8.91. 100 kWh
// of PV is credited at the mean price, 100 / 60 x 8.91.
TEST(CostSummaryRows, PhotovoltaicSavingsAtTheMeanPrice) {
    plain_bill_scheme(k, false, 10);
    for (int m = 1; m <= 12; ++m) EQKWHR(12, m) = 5.0f;
    SUMARY(70, k) = 100.0f;
    COST();
    EXPECT_NEAR(SUMARY(36, k), 8.91f, 1e-4f);
    EXPECT_NEAR(SUMARY(55, k), 14.85f, 1e-4f);
    EXPECT_NEAR(SUMARY(56, k), -40.0f, 1e-4f);
    EXPECT_NEAR(SUMARY(57, k), 8.91f - 14.85f, 1e-4f);
}

// Hourly purchases of the year the bills leave: kWh and therms, each
// day weighted by the days it stands for, and the CO2 of the hours.
struct HourlySums {
    double kwh = 0.0, therms = 0.0, co2_lb = 0.0;
};
HourlySums hourly_sums() {
    HourlySums s;
    for (int m = 1; m <= 12; ++m) {
        const double days = NFLAG(38) ? MODAYS(m) : 1.0;
        for (int h = 1; h <= 24; ++h) {
            s.kwh += TEMPKWHR(h, m) * days;
            s.therms += TEMPFUEL(h, m) / 100000.0 * days;
            s.co2_lb += TOTALCO2(h, m) * days;
        }
    }
    return s;
}

// The water heater's hourly energy is what its auxiliary heater used after
// the solar contribution. Flat rate, an electric water heater using 5 kWh a
// day with solar water heating at work: 60 kWh bought for $7.26. The 20 kWh
// the solar system displaced are worth 7.26 / 60 x 20 = $2.42, reported but
// not taken off the 60 kWh or the $7.26 again; the CO2 of the year is that
// of its hours (SCE zone 10, 665.26 lb/MWh). A solar tank that cost 20 kWh
// more than it saved is worth -$2.42 at the same price.
TEST(CostSummaryRows, SolarWaterHeatingOfAnElectricHeaterIsInTheBill) {
    for (const float saved_kwh : {20.0f, -20.0f}) {
        reset_all_blocks();
        plain_bill_scheme(k, false, 10);
        STRATEGY(1, k) = 7.0f;
        STRATEGY(41, k) = 1.0f;
        WHTYPE = 2;
        for (int m = 1; m <= 12; ++m) WHENER(7, m) = 5 * 3412.0f;
        SUMARY(74, k) = saved_kwh;
        COST();
        CALPOLL();
        const HourlySums hours = hourly_sums();
        EXPECT_NEAR(SUMARY(75, k), 60.0f, 1e-4f);
        EXPECT_NEAR(SUMARY(56, k), 60.0f, 1e-4f);
        EXPECT_NEAR(SUMARY(56, k), hours.kwh, 1e-4);
        EXPECT_NEAR(SUMARY(74, k), saved_kwh, 1e-6f);
        EXPECT_NEAR(SUMARY(77, k), 7.26f / 60 * saved_kwh, 1e-4f);
        EXPECT_NEAR(SUMARY(57, k), 7.26f, 1e-4f);
        EXPECT_NEAR(SUMARY(58, k), 7.26f, 1e-4f);
        EXPECT_FLOAT_EQ(SUMARY(65, k), 0.0f);
        EXPECT_NEAR(SUMARY(47, k), 60 * 0.66526, 1e-3);
        EXPECT_NEAR(SUMARY(47, k), hours.co2_lb, 1e-3);
    }
}

// A gas water heater whose auxiliary burner used 1 therm a day after the
// solar contribution, under the stored rates (baseline never reached), with
// 3 kWh of lights a day: 12 therms bought, and 12 therms the hours hold. The
// 3 therms the solar system displaced are valued at the year's mean price
// of gas, 3 / 12 of the bill, and reported beside it; the net fuel cost is
// the whole bill. The CO2 of the year (the scheme's stored rows: SCE
// 665.26 lb/MWh and the 1992 gas average of 116 lb/MMBtu) is that of its
// hours. A saving of -3 therms is valued at -3 / 12 of the bill.
TEST(CostSummaryRows, SolarWaterHeatingOfAFuelHeaterIsInTheBill) {
    for (const float saved_therms : {3.0f, -3.0f}) {
        reset_all_blocks();
        plain_bill_scheme(k, false, 10);
        FUELTYPE = 0.0f;
        NFLAG(83) = true;
        GBASEW = GBASES = 1000.0f;
        STRATEGY(41, k) = 1.0f;
        WHTYPE = 1;
        for (int m = 1; m <= 12; ++m) {
            WHENER(7, m) = 100000.0f;
            HEAT(13, 19, m) = 3 * 3412.0f;
        }
        SUMARY(64, k) = saved_therms;
        COST();
        CALPOLL();
        const HourlySums hours = hourly_sums();
        const float bill = 12 * 0.16438f + 6 * 0.94633f + 6 * 1.16f;
        EXPECT_NEAR(SUMARY(35, k), bill, 1e-4f);
        EXPECT_NEAR(SUMARY(65, k), 12.0f, 1e-5f);
        EXPECT_NEAR(SUMARY(73, k), 12.0f, 1e-5f);
        EXPECT_NEAR(SUMARY(73, k), hours.therms, 1e-5);
        EXPECT_NEAR(SUMARY(64, k), saved_therms, 1e-6f);
        EXPECT_NEAR(SUMARY(76, k), bill / 12 * saved_therms, 1e-4f);
        EXPECT_NEAR(SUMARY(79, k), bill, 1e-4f);
        EXPECT_NEAR(SUMARY(58, k), SUMARY(57, k) + bill, 1e-4f);
        EXPECT_NEAR(SUMARY(47, k), 36 * 0.66526 + 1.2 * 116, 1e-3);
        EXPECT_NEAR(SUMARY(47, k), hours.co2_lb, 1e-3);
    }
}

class CostTrace : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(dir.str(), dir.str(), dir.str());
        BLK0B.DISKTRACE = 37;
        NFLAG(90) = true;
    }
    std::string trace() { return testing::read_file(dir / "v7trace3.txt"); }
    testing::ScratchDir dir;
};

// Fuels in error: no bill, and none of the cleared rows comes back from
// the totals an earlier run left behind.
TEST_F(CostTrace, FuelsInErrorClearTheBillRows) {
    plain_bill_scheme(k, true, 10);
    FUELTYPE = 0.0f;
    NFLAG(68) = true;
    for (int row = 1; row <= 80; ++row) SUMARY(row, k) = 99.0f;
    AETOT = 1234.0f;
    GCHARGW = 50.0f;
    GDAYSW = 100;
    EQKWHR(12, 5) = 3.0f;
    TEMPKWHR(12, 5) = 7.0f;
    COST();
    for (int row : {21, 22, 23, 24, 25, 35, 36, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 63, 64, 65, 66, 70, 71, 72,
                    74, 75, 76, 77, 79})
        EXPECT_FLOAT_EQ(SUMARY(row, k), 0.0f) << "row " << row;
    EXPECT_FLOAT_EQ(SUMARY(1, k), 99.0f);
    EXPECT_FLOAT_EQ(SUMARY(48, k), 99.0f);
    EXPECT_FLOAT_EQ(TEMPKWHR(12, 5), 0.0f);
    const std::string t = trace();
    EXPECT_NE(t.find("ERROR Fuel Not Compatible"), std::string::npos);
    EXPECT_NE(t.find("ERROR No Gas rates for this Zipcode"), std::string::npos);
    EXPECT_EQ(t.find("load rates from BLOCKD"), std::string::npos);
}

TEST_F(CostTrace, CheckListing) {
    plain_bill_scheme(k, false, 10);
    FUELTYPE = 0.0f;
    WHTYPE = 2;
    WHENER(7, 1) = 3412.0f;
    COST();
    const std::string t = trace();
    for (const char* line : {"NFLAG(82)=F load rates from BLOCKD 847", "Heating FuelTherm/Gal(21",
                             "$ Cost of Fuel..moved(35", "AFNET Fuel Purhased  (73",
                             ".....ENERGY COSTS Electric kWh CheckTest 5555",
                             "......ENERGY COSTS Site FUEL BTU CheckTest", "......ELECTRICITY COSTS Dollars CheckTest",
                             "......FUEL COSTS Dollars CheckTest", "......CO2 in ENERGY COSTS lbs CheckTest"})
        EXPECT_NE(t.find(line), std::string::npos) << line;
    EXPECT_EQ(t.find("ERROR: AEWH"), std::string::npos);
}

}  // namespace
}  // namespace mavo
