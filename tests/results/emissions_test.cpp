// Emissions: the table rows chosen for a site, the annual rows and the
// hourly CO2.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/bill_scheme.h"
#include "results/bills.h"
#include "results/emissions.h"

namespace mavo {
namespace {

TEST(Emissions, ElectricityRowFollowsTheRateZone) {
    EXPECT_EQ(electricity_emission_row(12, true), 1);    // SCE
    EXPECT_EQ(electricity_emission_row(3, true), 2);     // SDG&E
    EXPECT_EQ(electricity_emission_row(-15, true), 3);   // PG&E
    EXPECT_EQ(electricity_emission_row(-5, true), 10);
    EXPECT_EQ(electricity_emission_row(-1, true), 4);    // SMUD
    EXPECT_EQ(electricity_emission_row(-25, true), 10);
    for (int z = 18; z <= 29; ++z) EXPECT_EQ(electricity_emission_row(z, true), 10);
    EXPECT_EQ(electricity_emission_row(36, true), 6);
    EXPECT_EQ(electricity_emission_row(36, false), 11);
    // Time-of-use zones 31 + n: SCE, SDG&E, PG&E, SMUD.
    EXPECT_EQ(electricity_emission_row(32, false), 1);
    EXPECT_EQ(electricity_emission_row(33, true), 2);
    EXPECT_EQ(electricity_emission_row(34, true), 3);
    EXPECT_EQ(electricity_emission_row(35, true), 4);
    EXPECT_EQ(fuel_emission_row(-2.0f), 26);
    EXPECT_EQ(fuel_emission_row(3.0f), 22);
    EXPECT_EQ(fuel_emission_row(10.0f), 13);
}

TEST(Emissions, AnnualRowsOfAnSceSite) {
    IDNUM1 = 1;
    ERATEZONE = 12;
    FUELTYPE = 1.0f;
    SUMARY(56, 1) = 10000.0f;  // kWh purchased
    SUMARY(73, 1) = 500.0f;    // therms purchased
    SUMARY(70, 1) = 2000.0f;   // kWh from photovoltaics
    SUMARY(43, 1) = 5.0f;
    CALPOLL();
    EXPECT_EQ(NROWE, 1);
    EXPECT_EQ(NROWF, 13);
    EXPECT_FLOAT_EQ(SUMARY(46, 1), 6652.6f);
    EXPECT_FLOAT_EQ(SUMARY(47, 1), 6652.6f + 117.0f * 50.0f);
    EXPECT_FLOAT_EQ(SUMARY(61, 1), 3 * 6652.6f + 117.0f * 50.0f);
    EXPECT_FLOAT_EQ(SUMARY(41, 1), 1.509f * 10 + 0.04f * 50);
    EXPECT_FLOAT_EQ(SUMARY(42, 1), 1.5669f * 10 + 0.001f * 50);
    EXPECT_EQ(SUMARY(43, 1), 0.0f);
    EXPECT_EQ(SUMARY(44, 1), 0.0f);
    EXPECT_FLOAT_EQ(SUMARY(62, 1), 2 * 665.26f);
    EXPECT_FLOAT_EQ(EX, 0.66526f);
    EXPECT_FLOAT_EQ(FX, 11.7f);
    EXPECT_EQ(POLLUTE(1, 1), 665.26f);
    EXPECT_EQ(POLLUTE(7, 2), 0.0f);

    FUELTYPE = 4.0f;  // all electric: no fuel term whatever row 73 holds
    CALPOLL();
    EXPECT_FLOAT_EQ(SUMARY(47, 1), 6652.6f);
}

// Propane and oil are bought by the gallon: 1000 gallons are 91 MMBtu of
// propane at 505 lb/MMBtu and 137 MMBtu of oil at 560 lb/MMBtu, and FX is
// the CO2 of one gallon, so that FX times the fuel rows gives pounds.
TEST(Emissions, BottledFuelCountsTheHeatOfAGallon) {
    struct Case {
        float fuel_type;
        INTEGER row;
        float mmbtu_per_1000_gal;
        float lb_per_mmbtu;
    };
    for (const Case& c : {Case{2.0f, 26, 91.0f, 505.0f}, Case{3.0f, 22, 137.0f, 560.0f}}) {
        IDNUM1 = 1;
        ERATEZONE = 12;
        FUELTYPE = c.fuel_type;
        SUMARY(56, 1) = 0.0f;
        SUMARY(73, 1) = 1000.0f;  // gallons purchased
        CALPOLL();
        EXPECT_EQ(NROWF, c.row);
        ASSERT_EQ(PDATA(3, c.row), c.lb_per_mmbtu);
        const float lb = c.mmbtu_per_1000_gal * c.lb_per_mmbtu;
        EXPECT_NEAR(SUMARY(47, 1), lb, 1e-3f * lb) << c.fuel_type;
        EXPECT_NEAR(SUMARY(61, 1), lb, 1e-3f * lb) << c.fuel_type;
        EXPECT_NEAR(FX, lb / 1000.0f, 1e-6f * lb) << c.fuel_type;
    }
}

// A propane furnace (AFUE 0.75) delivering 75000 Btu in one hour of each
// twelve-day January burns 1 therm = 100000 Btu: 1.0989 gallons in row 73.
// The hourly CO2 and the annual rows count the same 0.1 MMBtu.
TEST(Emissions, PropaneHoursAgreeWithTheYear) {
    testing::plain_bill_scheme(1, false, 12);
    FUELTYPE = 2.0f;
    HVACLD(8, 1) = -75000.0f;
    COST();
    ASSERT_NEAR(SUMARY(73, 1), 100000.0f / 91000.0f, 1e-5f);
    CALPOLL();
    EXPECT_NEAR(TOTALCO2(8, 1), 0.1f * 505.0f, 1e-3f);
    EXPECT_NEAR(SUMARY(47, 1), TOTALCO2(8, 1), 1e-3f);
    EXPECT_NEAR(FX * SUMARY(66, 1), SUMARY(47, 1), 1e-3f);
}

TEST(Emissions, UsersFactorsForALaterScheme) {
    IDNUM1 = 3;
    NROWE = 29;
    NROWF = 30;
    NFLAG(50) = true;
    POLLUTE(1, 1) = 800.0f;  // lb/MWh, from the scheme's pollution table
    POLLUTE(1, 2) = 120.0f;  // lb/MMBtu
    POLLUTE(3, 16) = 9.0f;
    SUMARY(56, 3) = 1000.0f;
    SUMARY(73, 3) = 10.0f;
    CALPOLL();
    EXPECT_EQ(NROWE, 29);
    EXPECT_EQ(PDATA(3, 29), 800.0f);
    EXPECT_FLOAT_EQ(SUMARY(47, 3), 800.0f + 120.0f);
    EXPECT_EQ(POLLUTE(1, 1), 800.0f);
    EXPECT_EQ(POLLUTE(3, 16), 0.0f);

    IDNUM1 = 2;  // the base schemes always take the site's rows
    ERATEZONE = -15;
    CALPOLL();
    EXPECT_EQ(NROWE, 3);
    EXPECT_EQ(NROWF, 13);
}

// An SCE time-of-use site: 10000 kWh at SCE's 665.26 lb/MWh.
TEST(Emissions, SceTimeOfUseSite) {
    IDNUM1 = 1;
    ERATEZONE = 32;
    FUELTYPE = 4.0f;
    SUMARY(56, 1) = 10000.0f;
    CALPOLL();
    EXPECT_FLOAT_EQ(SUMARY(46, 1), 6652.6f);
}

// Rows a later scheme kept from an earlier run stand only while they are
// rows of its energy: a gas row after the scheme moved to propane, or a
// fuel row stored for electricity, is chosen anew; the user's own revised
// rows stand.
TEST(Emissions, StoredRowOfAnotherSourceIsChosenAnew) {
    IDNUM1 = 3;
    ERATEZONE = 12;
    NROWE = 1;
    NROWF = 13;  // natural gas, 117 lb/MMBtu
    FUELTYPE = 2.0f;
    SUMARY(73, 3) = 1000.0f;  // gallons of propane: 91 MMBtu
    CALPOLL();
    EXPECT_EQ(NROWF, 26);
    EXPECT_NEAR(SUMARY(47, 3), 91.0f * 505.0f, 0.05f);
    EXPECT_EQ(POLLUTE(5, 2), 2.0f);

    NROWF = 25;  // another propane row stands
    NROWE = 14;  // a gas row is no electricity
    CALPOLL();
    EXPECT_EQ(NROWF, 25);
    EXPECT_EQ(NROWE, 1);

    NFLAG(50) = true;  // the user's own rows stand, whatever they name
    NROWE = 29;
    NROWF = 30;
    POLLUTE(5, 1) = 4.0f;
    POLLUTE(1, 2) = 130.0f;
    POLLUTE(5, 2) = 1.0f;
    CALPOLL();
    EXPECT_EQ(NROWF, 30);
    EXPECT_EQ(NROWE, 29);
    EXPECT_NEAR(SUMARY(47, 3), 91.0f * 130.0f, 0.05f);
}

TEST(Emissions, HourlyCarbonDioxide) {
    ERATEZONE = 2;  // SDG&E, 843.56 lb/MWh; gas 117 lb/MMBtu
    TEMPKWHR(14, 8) = 2.0f;
    TEMPFUEL(14, 8) = 50000.0f;
    NROWE = 0;  // no row chosen yet
    IDNUM1 = 5;
    CALPOLL();
    EXPECT_FLOAT_EQ(TOTALCO2(14, 8), 2.0f * 0.001f * 843.56f + 50000.0f * 0.000001f * 117.0f);
    EXPECT_EQ(TOTALCO2(1, 1), 0.0f);
}

}  // namespace
}  // namespace mavo
