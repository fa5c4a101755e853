// The residential construction by climate (mass test, families, roof
// slope) and the vintage design by year built, against the brackets and
// tables worked by hand.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "design/residential.h"
#include "design/vintage.h"
#include "design_fixture.h"

namespace mavo {
namespace {

FArray<REAL, 12> every_month(REAL value) {
    FArray<REAL, 12> a{};
    a.fill(value);
    return a;
}

TEST(ClimateMassNeed, MonthByMonthTests) {
    // Mild months that call for nothing.
    FArray<REAL, 12> tmax = every_month(70.0f), tmin = every_month(60.0f);
    ClimateMassNeed need = climate_mass_need(tmax, tmin, 75.0f, 68.0f);
    EXPECT_FALSE(need.freezing || need.high_mass || need.medium_mass);

    // Freezing at a mean minimum of exactly 27 F, not at 27.1.
    tmin(1) = 27.0f;
    EXPECT_TRUE(climate_mass_need(tmax, tmin, 75.0f, 68.0f).freezing);
    tmin(1) = 27.1f;
    EXPECT_FALSE(climate_mass_need(tmax, tmin, 75.0f, 68.0f).freezing);

    // 95 / 59 (swing 36, nights below 70): high mass.
    tmin = every_month(60.0f);
    tmax(7) = 95.0f;
    tmin(7) = 59.0f;
    need = climate_mass_need(tmax, tmin, 75.0f, 68.0f);
    EXPECT_TRUE(need.high_mass);
    // 95 / 70: nights not below 70, so not high mass, but below 72: medium.
    tmin(7) = 70.0f;
    need = climate_mass_need(tmax, tmin, 75.0f, 68.0f);
    EXPECT_FALSE(need.high_mass);
    EXPECT_TRUE(need.medium_mass);

    // A cold month of 45 / 28 (swing 17 below 50 F): medium mass; at 28 F
    // it is not yet freezing.
    tmax = every_month(70.0f);
    tmin = every_month(60.0f);
    tmax(1) = 45.0f;
    tmin(1) = 28.0f;
    need = climate_mass_need(tmax, tmin, 75.0f, 68.0f);
    EXPECT_TRUE(need.medium_mass);
    EXPECT_FALSE(need.freezing);
}

TEST(RoofSlope, ByLatitude) {
    EXPECT_EQ(pitched_roof_slope(10.0f), 10.0f);
    EXPECT_EQ(pitched_roof_slope(20.0f), 15.0f);
    EXPECT_EQ(pitched_roof_slope(-20.0f), 15.0f);
    EXPECT_EQ(pitched_roof_slope(45.0f), 40.0f);
    EXPECT_EQ(pitched_roof_slope(50.0f), 40.0f);
}

class ConstructionByClimate : public design_test::DesignFixture {
protected:
    DesignScheme scheme(INTEGER k) {
        house(k);
        EWDIM = 48.0f;
        NSDIM = 32.0f;
        RAX = 1500.0f;
        FLTOFL = 9.0f;
        COMHI = 75.0f;
        COMLOW = 68.0f;
        command(k, k == 1, true);
        return DesignScheme{k, 12, 2013.0f};
    }
};

TEST_F(ConstructionByClimate, CodeSchemeIsLightWoodFrame) {
    const DesignScheme d = scheme(1);
    residential_construction_by_climate(d);
    EXPECT_EQ(STRATEGY(31, 1), 10.0f);
    EXPECT_EQ(STRATEGY(33, 1), 2.0f);
    EXPECT_EQ(STRATEGY(49, 1), 2.0f);
    EXPECT_EQ(STRATEGY(30, 1), 5.0f);
    EXPECT_EQ(MTUSED(1), "WOOD");
    EXPECT_EQ(DNST(1), 45.0f);
    EXPECT_EQ(AREA(11), 1500.0f);
    EXPECT_EQ(PERCNT(11), 100.0f);
    EXPECT_FLOAT_EQ(RSLOPE, 33.5f);  // sloped roof choice 4 at 38.5 degrees
}

TEST_F(ConstructionByClimate, HighLatitudeSkipsTheClimateTest) {
    const DesignScheme d = scheme(2);
    SLAT = 57.0f;
    TMAX(7) = 100.0f;
    TMIN(7) = 60.0f;   // a high-mass swing, which this far north does not count
    NFLAG(75) = true;  // from an earlier design: not kept
    settle_climate_mass_need();
    residential_construction_by_climate(d);
    EXPECT_FALSE(NFLAG(75));
    EXPECT_EQ(STRATEGY(31, 2), 14.0f);
    EXPECT_EQ(STRATEGY(33, 2), 5.0f);
    EXPECT_EQ(MTUSED(1), "LT.WT.CO");
    EXPECT_EQ(THCK(1), 3.625f);
    EXPECT_EQ(RSLOPE, 40.0f);
}

TEST_F(ConstructionByClimate, MediumMassSlabAndItsWholeHouseFan) {
    for (const REAL story_ft : {11.25f, 20.0f}) {
        const DesignScheme d = scheme(2);
        FLTOFL = story_ft;
        settle_climate_mass_need();
        residential_construction_by_climate(d);
        EXPECT_TRUE(NFLAG(76));
        EXPECT_EQ(STRATEGY(33, 2), 6.0f);
        EXPECT_EQ(STRATEGY(49, 2), 5.0f);
        EXPECT_EQ(AREA(11), 0.0f);
        EXPECT_EQ(AREA(12), 2.0f * (48.0f + 32.0f));
        EXPECT_EQ(NELMNT(1), 1.0f);
        EXPECT_EQ(ACHMAX, story_ft == 20.0f ? 5.0f : 8.0f);
    }
}

TEST_F(ConstructionByClimate, HighMassAndFreezing) {
    DesignScheme d = scheme(2);
    TMAX(7) = 100.0f;
    TMIN(7) = 60.0f;  // high mass
    settle_climate_mass_need();
    residential_construction_by_climate(d);
    EXPECT_TRUE(NFLAG(75));
    EXPECT_EQ(STRATEGY(31, 2), 6.0f);
    EXPECT_EQ(STRATEGY(33, 2), 6.0f);
    EXPECT_EQ(NELMNT(2), 4.0f);
    EXPECT_EQ(THCK(2), 0.63f);
    EXPECT_EQ(TMLAG(6), 8.0f);
    EXPECT_EQ(ACHMAX, 20.0f);

    // Freezing nights: the floor comes off the ground.
    TMIN(1) = 20.0f;
    settle_climate_mass_need();
    residential_construction_by_climate(d);
    EXPECT_TRUE(NFLAG(74));
    EXPECT_EQ(STRATEGY(33, 2), 5.0f);
    EXPECT_EQ(STRATEGY(49, 2), 2.0f);
    EXPECT_EQ(AREA(11), 1500.0f);
    EXPECT_EQ(AREA(12), 0.0f);
    EXPECT_EQ(NELMNT(1), 1.0f);
    EXPECT_EQ(MTUSED(1), "CONCRETE");

    // A unit over another heated unit has no floor losses, in the code
    // family and in the high-mass one alike.
    TMIN(1) = 39.0f;
    for (const INTEGER k : {1, 2}) {
        d = scheme(k);
        STRATEGY(7, k) = 3.0f;
        STRATEGY(9, k) = 2.0f;
        settle_climate_mass_need();
        residential_construction_by_climate(d);
        EXPECT_EQ(STRATEGY(33, k), 1.0f) << k;
        EXPECT_EQ(STRATEGY(49, k), 1.0f) << k;
        for (const INTEGER i : {11, 12}) {
            EXPECT_EQ(AREA(i), 0.0f) << k;
            EXPECT_EQ(PERCNT(i), 0.0f) << k;
        }
    }
}

TEST(VintageBrackets, AirConditionerWaterHeaterAndDucts) {
    EXPECT_FLOAT_EQ(vintage_air_conditioner_cop(1983.0f), 2.34467f);
    EXPECT_FLOAT_EQ(vintage_air_conditioner_cop(1984.0f), 2.60844f);
    EXPECT_FLOAT_EQ(vintage_air_conditioner_cop(1992.0f), 2.84291f);
    EXPECT_FLOAT_EQ(vintage_air_conditioner_cop(2005.0f), 2.84291f);
    EXPECT_FLOAT_EQ(vintage_air_conditioner_cop(2006.0f), 3.81008f);
    EXPECT_FLOAT_EQ(vintage_air_conditioner_cop(0.0f), 3.81008f);
    // The stored values are SEER 8.0, 8.9, 9.7 and 13 over 3.412.
    EXPECT_NEAR(vintage_air_conditioner_cop(1983.0f), 8.0f / 3.412f, 1e-5f);
    EXPECT_NEAR(vintage_air_conditioner_cop(1990.0f), 8.9f / 3.412f, 1e-5f);
    EXPECT_NEAR(vintage_air_conditioner_cop(2000.0f), 9.7f / 3.412f, 1e-5f);
    EXPECT_FLOAT_EQ(vintage_water_heater_ef(1998.0f), 0.525f);
    EXPECT_FLOAT_EQ(vintage_water_heater_ef(1999.0f), 0.575f);
    EXPECT_FLOAT_EQ(vintage_duct_insulation(1991.0f, 12), 2.1f);
    EXPECT_FLOAT_EQ(vintage_duct_insulation(2005.0f, 12), 4.2f);
    EXPECT_FLOAT_EQ(vintage_duct_insulation(2006.0f, 16), 8.0f);
}

class VintageDesign : public design_test::DesignFixture {};

TEST_F(VintageDesign, HouseOf1978) {
    house(2);
    IDNUM1 = 2;
    STRATEGY(32, 1) = 10.0f;
    residential_vintage_design(DesignScheme{2, 12, 1978.0f});
    EXPECT_FLOAT_EQ(UVAL(6), 0.11f);
    EXPECT_EQ(STRATEGY(31, 2), -2.0f);
    EXPECT_EQ(STRATEGY(18, 2), -3.0f);
    EXPECT_FLOAT_EQ(COPHT, 0.78f);
    EXPECT_FLOAT_EQ(COPAC, 2.34467f);  // SEER 8 until 1984
    EXPECT_FLOAT_EQ(UVAL(10), 0.049f);
    EXPECT_EQ(STRATEGY(32, 2), -11.0f);
}

TEST_F(VintageDesign, HouseOf2006TakesTheZonesRoofAndDucts) {
    house(2);
    IDNUM1 = 2;
    CECZONE = 13;
    NFLAG(85) = true;
    // The roof's slope follows the roof the existing house takes from
    // scheme 1's, whatever slope the file kept: flat, then pitched.
    RSLOPE = 20.0f;
    STRATEGY(32, 1) = 3.0f;
    STRATEGY(32, 2) = 0.0f;
    STRATEGY(30, 2) = -3.0f;
    residential_vintage_design(DesignScheme{2, 13, 2006.0f});
    EXPECT_FLOAT_EQ(COPAC, 3.81008f);
    EXPECT_FLOAT_EQ(DuctInsul, 6.0f);  // zone 13
    EXPECT_EQ(RSLOPE, 0.0f);
    EXPECT_FLOAT_EQ(ABSORB(10), 1.0f - 0.63f);
    EXPECT_FLOAT_EQ(REMITT, 0.75f);
    EXPECT_TRUE(NFLAG(85));  // radiant barriers from 2004 on
    EXPECT_EQ(STRATEGY(30, 2), 4.0f);
    EXPECT_EQ(DuctLeakPct, 11.0f);

    RSLOPE = 0.0f;
    STRATEGY(32, 1) = 4.0f;  // steep: the zone's steep-roof values
    residential_vintage_design(DesignScheme{2, 13, 2006.0f});
    EXPECT_GT(RSLOPE, 9.5f);
    EXPECT_FLOAT_EQ(ABSORB(10), 1.0f - 0.2f);
    EXPECT_FLOAT_EQ(REMITT, 0.75f);
}

}  // namespace
}  // namespace mavo
