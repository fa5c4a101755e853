// Annual energy rows: HVAC output, peaks, demand, site and source energy,
// combinations and the comparison column.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/annual_energy.h"

namespace mavo {
namespace {

// Scheme 1 of 1000 ft2 with a furnace and an air conditioner.
void scheme_one() {
    IDNUM1 = 1;
    IDNUM2 = 0;
    SUMARY(1, 1) = 1000.0f;
    SUMARY(1, 10) = 1000.0f;
    STRATEGY(18, 1) = 3.0f;
    STRATEGY(20, 1) = 3.0f;
    NFLAG(80) = true;
    WHTYPE = 1;
}

TEST(AnnualEnergy, TwelveDayHeatingAndCoolingAreKeptApart) {
    scheme_one();
    NFLAG(38) = false;
    HVACLD(6, 1) = -20000.0f;
    HVACLD(15, 7) = 31000.0f;
    COPAC = 3.1f;
    CALBEP();
    EXPECT_FLOAT_EQ(SUMARY(18, 1), -0.02f);
    EXPECT_FLOAT_EQ(SUMARY(19, 1), 0.031f);
    EXPECT_FLOAT_EQ(SUMARY(20, 1), 0.051f);
    EXPECT_FLOAT_EQ(SUMARY(26, 1), -20.0f);
    EXPECT_EQ(SUMARY(27, 1), 1.0f);
    EXPECT_EQ(SUMARY(28, 1), 6.0f);
    EXPECT_FLOAT_EQ(SUMARY(29, 1), 31.0f);
    EXPECT_EQ(SUMARY(30, 1), 7.0f);
    EXPECT_EQ(SUMARY(31, 1), 15.0f);
    // The cooling hour draws 31000 / (3412 x 3.1) = 2.93 kWh.
    EXPECT_FLOAT_EQ(SUMARY(32, 1), 31000.0f / (3412.0f * 3.1f));
    EXPECT_EQ(SUMARY(33, 1), 7.0f);
    EXPECT_EQ(AREAT, 1000.0f);
}

TEST(AnnualEnergy, NoHeatingSystemHasNoHeatingPeak) {
    scheme_one();
    STRATEGY(18, 1) = 0.0f;
    HVACLD(3, 2) = -10000.0f;
    COPHT = 3.41f;
    CALBEP();
    EXPECT_EQ(SUMARY(26, 1), 0.0f);
    EXPECT_EQ(SUMARY(27, 1), 12.0f);
    EXPECT_EQ(SUMARY(28, 1), 6.0f);
    EXPECT_EQ(SUMARY(32, 1), 0.0f);  // nor electric heat
}

// Electric heat in the demand peak, with COPHT in Btu per Wh as the bills
// take it: a 92.9 kBtu/h resistance peak at 3.41 Btu/Wh draws 27.24 kWh,
// on top of 1 kWh of lights. A furnace draws nothing; a heat pump of HSPF
// 8.2 draws 10000 / 8200 kWh for 10 kBtu/h in a mild hour and runs at
// resistance heat, 10000 / 3412 kWh, in a freezing one.
TEST(AnnualEnergy, ElectricHeatInTheDemandPeak) {
    scheme_one();
    STRATEGY(18, 1) = 6.0f;
    COPHT = 3.41f;
    HVACLD(7, 1) = -92900.0f;
    HEAT(13, 7, 1) = 3412.0f;
    CALBEP();
    EXPECT_NEAR(SUMARY(32, 1), 92900.0f / 3410.0f + 1.0f, 1e-4f);
    EXPECT_EQ(SUMARY(33, 1), 1.0f);
    EXPECT_EQ(SUMARY(34, 1), 7.0f);

    scheme_one();
    HVACLD(7, 1) = -10000.0f;
    HEAT(13, 7, 1) = 0.0f;
    STRATEGY(18, 1) = 3.0f;
    COPHT = 0.75f;
    CALBEP();
    EXPECT_EQ(SUMARY(32, 1), 0.0f);

    STRATEGY(18, 1) = -7.0f;  // a heat pump the user paired with another cooler
    COPHT = 8.2f;
    CALBEP();
    EXPECT_NEAR(SUMARY(32, 1), 10000.0f / 8200.0f, 1e-5f);
    FREEZHRS(7, 1) = 1.0f;
    CALBEP();
    EXPECT_NEAR(SUMARY(32, 1), 10000.0f / 3412.0f, 1e-5f);
}

TEST(AnnualEnergy, FullYearWeightsMonthsByTheirDays) {
    scheme_one();
    NFLAG(38) = true;
    HVACLD(1, 1) = -1000.0f;
    HVACLD(1, 2) = -1000.0f;
    STORED(1, 7) = 2000.0f;
    for (int h = 1; h <= 24; ++h) AIRVOL(h, 3) = 0.5f;
    CALBEP();
    EXPECT_FLOAT_EQ(SUMARY(18, 1), -(31.0f + 28.0f) / 1000.0f);
    EXPECT_FLOAT_EQ(SUMARY(19, 1), 31.0f * 2000.0f / 1000.0f / 1000.0f);
    EXPECT_FLOAT_EQ(SUMARY(40, 1), 0.5f);  // mean over the months with air changes
}

TEST(AnnualEnergy, SiteAndSourceEnergyByFuel) {
    scheme_one();
    SUMARY(25, 1) = 5000.0f;  // kWh
    SUMARY(66, 1) = 400.0f;   // therms
    SUMARY(70, 1) = 1000.0f;  // photovoltaic kWh
    SUMARY(35, 1) = 300.0f;
    SUMARY(36, 1) = 700.0f;
    FUELTYPE = 0.0f;
    CALBEP();
    EXPECT_FLOAT_EQ(SUMARY(59, 1), (3.412f * 5000 + 100 * 400) / 3.412f);
    EXPECT_FLOAT_EQ(SUMARY(38, 1), (3.412f * 4000 + 40000) / 1000);
    EXPECT_FLOAT_EQ(SUMARY(39, 1), (3 * 3.412f * 4000 + 40000) / 1000);
    EXPECT_EQ(SUMARY(37, 1), 1000.0f);
    EXPECT_EQ(AETOT, 5000.0f);
    EXPECT_EQ(COSTF, 300.0f);

    FUELTYPE = 5.0f;  // unknown fuel
    CALBEP();
    for (int r : {38, 39, 59, 60, 78}) EXPECT_EQ(SUMARY(r, 1), 0.0f);

    NFLAG(80) = false;  // invalid simulation
    CALBEP();
    EXPECT_EQ(SUMARY(25, 1), 0.0f);
    EXPECT_EQ(SUMARY(20, 1), 0.0f);

    SUMARY(1, 1) = 0.5f;  // no floor area: the column stays
    SUMARY(37, 1) = -1.0f;
    CALBEP();
    EXPECT_EQ(SUMARY(37, 1), -1.0f);
}

// Propane and oil rows are in gallons: 91 and 137 kBtu a gallon at the
// site and at the source. 1000 gallons bought on 1000 ft2: 91 kBtu/ft2 of
// propane, 137 of oil, site and source alike. The 100 gallons solar water
// heating displaced are already out of the gallons bought and are not taken
// off again.
TEST(AnnualEnergy, BottledFuelCountsTheHeatOfAGallon) {
    for (float fuel_type : {2.0f, 3.0f}) {
        scheme_one();
        FUELTYPE = fuel_type;
        SUMARY(66, 1) = 1000.0f;
        SUMARY(64, 1) = 100.0f;
        CALBEP();
        const float kbtu_per_gallon = fuel_type == 2.0f ? 91.0f : 137.0f;
        EXPECT_FLOAT_EQ(SUMARY(59, 1), kbtu_per_gallon * 1000 / 3.412f) << fuel_type;
        EXPECT_FLOAT_EQ(SUMARY(38, 1), kbtu_per_gallon * 1000 / 1000) << fuel_type;
        EXPECT_FLOAT_EQ(SUMARY(39, 1), kbtu_per_gallon * 1000 / 1000) << fuel_type;
        EXPECT_FLOAT_EQ(SUMARY(78, 1), kbtu_per_gallon * 1000 / 3.412f) << fuel_type;
    }
}

// Electricity bought is the use less the photovoltaic output; the kWh solar
// water heating displaced are already out of the use. 5000 kWh used, 1000
// from photovoltaics, 800 displaced, 1000 ft2: 13.648 kBtu/ft2 at the site,
// three times that at the source.
TEST(AnnualEnergy, AllElectricNetEnergyIsWhatWasBought) {
    scheme_one();
    FUELTYPE = 4.0f;
    SUMARY(25, 1) = 5000.0f;
    SUMARY(70, 1) = 1000.0f;
    SUMARY(74, 1) = 800.0f;
    SUMARY(64, 1) = 50.0f;
    CALBEP();
    EXPECT_FLOAT_EQ(SUMARY(59, 1), 5000.0f);
    EXPECT_FLOAT_EQ(SUMARY(78, 1), 4000.0f);
    EXPECT_FLOAT_EQ(SUMARY(38, 1), 3.412f * 4000 / 1000);
    EXPECT_FLOAT_EQ(SUMARY(39, 1), 3 * 3.412f * 4000 / 1000);
}

TEST(AnnualEnergy, CombinationColumnSumsEmissionsAndDays) {
    IDNUM1 = 12;  // the column of combination line 3
    NCOMBO(3) = 12;
    LINENAME(3) = "Schemes 1 and 2";  // a line without a name is not in use
    SUMARY(1, 12) = 1500.0f;
    for (int n = 1; n <= 2; ++n) {
        SUMARY(47, n) = 1000.0f * n;
        SUMARY(48, n) = 365.0f;
    }
    CALBEP();
    EXPECT_EQ(SUMARY(47, 12), 3000.0f);
    EXPECT_EQ(SUMARY(48, 12), 365.0f);
    SUMARY(48, 1) = SUMARY(48, 2) = 12.0f;
    CALBEP();
    EXPECT_EQ(SUMARY(48, 12), 12.0f);
}

TEST(AnnualEnergy, CombinationNumberFillsTheColumnOfItsLine) {
    IDNUM1 = 13;  // schemes 1 and 3, held by line 1: column 10
    NCOMBO(1) = 13;
    LINENAME(1) = "Schemes 1 and 3";
    SUMARY(1, 10) = 1500.0f;
    SUMARY(1, 13) = 800.0f;  // scheme 4's back-up copy
    SUMARY(47, 13) = 777.0f;
    SUMARY(47, 1) = 1000.0f;
    SUMARY(47, 3) = 3000.0f;
    CALBEP();
    EXPECT_EQ(SUMARY(47, 10), 4000.0f);
    EXPECT_EQ(SUMARY(47, 13), 777.0f);
    EXPECT_EQ(SUMARY(1, 13), 800.0f);

    NCOMBO(1) = 0;  // a number no line holds has no column
    SUMARY(47, 10) = 0.0f;
    CALBEP();
    EXPECT_EQ(SUMARY(47, 10), 0.0f);
    EXPECT_EQ(SUMARY(47, 13), 777.0f);
}

TEST(AnnualEnergy, DefaultSchemeIsASingleScheme) {
    IDNUM1 = 10;
    NCOMBO(1) = 23;  // combination line 1 does not belong to the default scheme
    SUMARY(1, 10) = 1000.0f;
    SUMARY(48, 10) = 12.0f;
    SUMARY(47, 2) = 500.0f;
    HEAT(17, 4, 2) = 5000.0f;  // no cooling system: the zone's net gain
    CALBEP();
    EXPECT_EQ(SUMARY(48, 10), 12.0f);
    EXPECT_EQ(SUMARY(47, 10), 0.0f);
    EXPECT_FLOAT_EQ(SUMARY(29, 10), 5.0f);
    EXPECT_EQ(SUMARY(30, 10), 2.0f);
}

TEST(AnnualEnergy, ComparisonFillsTheDifferenceColumn) {
    scheme_one();
    NFLAG(7) = false;
    IDNUM2 = 2;
    SUMARY(25, 1) = 5000.0f; SUMARY(25, 2) = 4000.0f;
    SUMARY(27, 1) = 1.0f;    SUMARY(27, 2) = 1.0f;
    SUMARY(30, 1) = 7.0f;    SUMARY(30, 2) = 8.0f;
    SUMARY(48, 1) = 365.0f;  SUMARY(48, 2) = 365.0f;
    CALBEP();
    EXPECT_EQ(SUMARY(25, 19), 1000.0f);
    EXPECT_EQ(SUMARY(27, 19), 1.0f);
    EXPECT_EQ(SUMARY(30, 19), 99999.0f);
    EXPECT_EQ(SUMARY(48, 19), 365.0f);
    EXPECT_EQ(SUMARY(18, 1), 0.0f);  // the scheme's own rows are not recomputed
}

}  // namespace
}  // namespace mavo
