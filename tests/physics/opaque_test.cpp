#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/opaque.h"
#include "physics/physics.h"

namespace mavo {
namespace {

// A scheme with no opaque surface at all, the sun down all day, and a
// 365-day run; each test adds the surface it looks at.
class Opaque : public ::testing::Test {
protected:
    void SetUp() override {
        IDNUM1 = 1;
        AREA = {};
        for (INTEGER h = 1; h <= 24; ++h) {
            ALT(h) = -999.9f;
            for (INTEGER f = 1; f <= 5; ++f) ANGINC(h, f) = 999.9f;
        }
        NFLAG(38) = true;
        NFLAG(46) = false;
        REMITT = 0.0f;
        TEMPIN = 68.0f;
        STRATEGY(33, 1) = 2.0f;  // a floor type with no basement
    }
    // A sunny roof hour: beam of 200 Btu/h.ft2 square on a black roof lifts
    // the sol-air temperature by 200 / 4 = 50 F above the outdoor air.
    static void sunny_roof_hour(INTEGER h, REAL t_out_F) {
        TEMP(h) = t_out_F;
        ALT(h) = 60.0f;
        ANGINC(h, 5) = 0.0f;
        BEAM(h) = 200;
        HORIZ(h) = 0;
        ABSORB(10) = 1.0f;
    }
    // A roof whose sol-air table is computed (100 F every hour) and whose
    // TETD is the plain mean difference (no decrement).
    static void attic_roof(REAL roof_type) {
        AREA(10) = 1000.0f;
        STRATEGY(32, 1) = roof_type;
        for (INTEGER h = 1; h <= 24; ++h) SATEMS(h, 5) = 100.0f;
        DECR(10) = 0.0f;
        RCAVITYC = 19.0f;
        RFRAMINGC = 10.0f;
        RSHELCEIL = 1.0f;
        RINSCEIL = 19.0f;
        CECZONE = 1;  // no reflective-roof requirement
        wCFMvent = 0.14f;
        UVAL(10) = 0.05f;  // the construction's steady U-factor
    }
    // The ceiling U-factor the roof's heat of hour h of month m was carried
    // by: with no decrement the TETD is the day's mean sol-air less TEMPIN.
    static REAL hour_u(INTEGER m, INTEGER h) {
        REAL sum_F = 0.0f;
        for (INTEGER i = 1; i <= 24; ++i) sum_F += SATEMS(i, 5);
        return HEAT(10, h, m) / (AREA(10) * (sum_F / 24.0f - TEMPIN));
    }
};

TEST_F(Opaque, WallTetdUsesLaggedHourOfTheWorkingTable) {
    AREA(6) = 400.0f;
    UVAL(6) = 0.1f;
    DECR(6) = 0.5f;
    TMLAG(6) = 3.0f;
    HO(6) = 3.0f;
    for (INTEGER h = 1; h <= 24; ++h) SATEMS(h, 1) = 60.0f + static_cast<REAL>(h);
    TEMP(5) = 70.0f;  // night: the wall's sol-air is the air temperature
    OPAQUE(4, 5);
    // By hand: the hour 5 entry becomes 70, mean (1740 - 65 + 70) / 24,
    // lagged hour 2 holds 62.
    const REAL avsol = 1745.0f / 24.0f;
    const REAL tetd = (avsol - 68.0f) + 0.5f * (62.0f - avsol);
    EXPECT_NEAR(HEAT(6, 5, 4), 400.0f * 0.1f * tetd, 1e-3);
    EXPECT_EQ(SATEMS(5, 1), 70.0f);

    // A lag reaching back past midnight reads yesterday's value of hour 21.
    TMLAG(6) = 5.0f;
    TEMP(2) = 55.0f;
    OPAQUE(4, 2);
    const REAL avsol2 = (1745.0f - 62.0f + 55.0f) / 24.0f;
    EXPECT_NEAR(HEAT(6, 2, 4), 40.0f * ((avsol2 - 68.0f) + 0.5f * (81.0f - avsol2)), 1e-3);
}

TEST_F(Opaque, SurfacesWithoutAreaKeepTheirHeatButTheRoofIsZeroed) {
    HEAT(7, 9, 3) = 123.0f;
    HEAT(10, 9, 3) = 456.0f;
    UVAL(10) = 0.03f;
    KWHRattic = 0.7f;
    OPAQUE(3, 9);
    EXPECT_EQ(HEAT(7, 9, 3), 123.0f);
    EXPECT_EQ(HEAT(10, 9, 3), 0.0f);
    EXPECT_EQ(UVAL(10), 0.03f);
    EXPECT_EQ(KWHRattic, 0.7f);
}

TEST_F(Opaque, HotHourAtticWithFan) {
    attic_roof(5.0f);
    sunny_roof_hour(14, 90.0f);  // t 90, s 140: row 5; fan roof, R 19: column 8
    TEMPIN = 75.0f;
    OPAQUE(7, 14);
    const REAL u = 0.9f / (19.0f + 12.0f + 1.0f) + 0.1f / (10.0f + 12.0f + 1.0f);
    const REAL avsol = (23.0f * 100.0f + 140.0f) / 24.0f;
    EXPECT_NEAR(HEAT(10, 14, 7), 1000.0f * (avsol - 75.0f) * u, 1e-2);
    EXPECT_EQ(UVAL(10), 0.05f);  // the steady U-factor stays for the year's summaries
    EXPECT_NEAR(KWHRattic, 0.14f, 1e-6);  // 1000 ft2 x 1.0 cfm x 0.14 W/cfm

    // Without a fan power of its own the fan draws 0.04 W/cfm.
    wCFMvent = 0.0f;
    OPAQUE(7, 14);
    EXPECT_NEAR(KWHRattic, 0.04f, 1e-6);

    // The same roof in a cool hour: still air space, fan off.
    wCFMvent = 0.14f;
    sunny_roof_hour(14, 74.0f);
    OPAQUE(7, 14);
    EXPECT_NEAR(hour_u(7, 14), 0.9f / 21.9f + 0.1f / 12.9f, 1e-6f);
    EXPECT_EQ(KWHRattic, 0.0f);
}

TEST_F(Opaque, AtticTablesFollowZoneAndBarrierCode) {
    attic_roof(6.0f);  // attic without fan
    sunny_roof_hour(14, 90.0f);
    KWHRattic = 5.0f;
    OPAQUE(7, 14);
    EXPECT_NEAR(hour_u(7, 14), 0.9f / (20.0f + 3.1f) + 0.1f / (11.0f + 3.1f), 1e-6f);  // ATTICRN(4,5)
    EXPECT_EQ(KWHRattic, 0.0f);

    attic_roof(7.0f);
    STRATEGY(35, 1) = 6.0f;  // foil the user added in a zone without the requirement
    OPAQUE(7, 14);
    EXPECT_NEAR(hour_u(7, 14), 0.9f / (20.0f + 20.0f) + 0.1f / (11.0f + 20.0f), 1e-6f);  // ATTICRF(8,5)

    CECZONE = 12;           // reflective roof required ...
    STRATEGY(35, 1) = 4.0f;  // ... but the user deleted the foil
    sunny_roof_hour(14, 70.0f);
    OPAQUE(7, 14);
    EXPECT_NEAR(hour_u(7, 14), 0.9f / 21.9f + 0.1f / 12.9f, 1e-6f);
    STRATEGY(35, 1) = 5.0f;  // no foil, the zone's requirement notwithstanding
    OPAQUE(7, 14);
    EXPECT_NEAR(hour_u(7, 14), 0.9f / 21.9f + 0.1f / 12.9f, 1e-6f);
    STRATEGY(35, 1) = 0.0f;  // the zone's reflective roof in a cool hour
    OPAQUE(7, 14);
    EXPECT_NEAR(hour_u(7, 14), 0.9f / 26.5f + 0.1f / 17.5f, 1e-6f);

    // Roof types 3 and 10 have no attic model: their U-factor, no fan.
    for (REAL rt : {3.0f, 10.0f}) {
        attic_roof(rt);
        KWHRattic = 5.0f;
        sunny_roof_hour(14, 100.0f);
        OPAQUE(7, 14);
        EXPECT_NEAR(hour_u(7, 14), 0.05f, 1e-6f);
        EXPECT_EQ(KWHRattic, 0.0f);
    }
}

TEST(AtticTables, RowBandsAndCorners) {
    EXPECT_EQ(attic_table_row(85.0f, 130.0f), 1);
    EXPECT_EQ(attic_table_row(85.1f, 150.0f), 5);
    EXPECT_EQ(attic_table_row(95.1f, 150.1f), 9);
    EXPECT_EQ(attic_air_space_r(10, 3, false), 22.0f);
    EXPECT_EQ(attic_air_space_r(7, 7, true), 8.5f);
    EXPECT_EQ(attic_fan_cfm_per_ft2(9), 1.5f);
}

TEST_F(Opaque, RaisedFloorAgainstTheDayAir) {
    AREA(11) = 1000.0f;
    UVAL(11) = 0.05f;
    DECR(11) = 0.5f;
    TMLAG(11) = 2.0f;
    TEMPIN = 70.0f;
    for (INTEGER h = 1; h <= 24; ++h) TEMPS(h) = 50.0f + static_cast<REAL>(h);
    TEMP(10) = 65.0f;
    OPAQUE(1, 10);
    const REAL avg = 1505.0f / 24.0f;  // TEMPS(10) replaced by 65
    EXPECT_NEAR(HEAT(11, 10, 1), 1000.0f * 0.05f * ((avg - 70.0f) + 0.5f * (58.0f - avg)), 1e-3);
    EXPECT_EQ(TEMPS(10), 65.0f);
}

// A slab of 150 ft perimeter under a 1500 ft2 footprint in a site whose
// ground set is 16, two weeks at 50 F behind it.
class Slab : public Opaque {
protected:
    void SetUp() override {
        Opaque::SetUp();
        AREA(12) = 150.0f;
        RAX = 1500.0f;
        ZONE = 16;
        CECZONE = 16;  // slab insulation required
        GROUNDTEMP(3, 16) = 60.0f;
        GROUNDTEMP(13, 16) = 55.0f;
        for (INTEGER k = 1; k <= 433; ++k) TDAILY(k) = 50.0f;
        DAYCOUNT = 100;
        SLABBLEND = 0.0f;
    }
};

TEST_F(Slab, FFactorTakesTheGroundOfTheSimulatedMonth) {
    STRATEGY(33, 1) = 6.0f;
    UVAL(12) = 0.73f;
    NFLAG(38) = false;  // 12-day run: month 3 simulates a July day
    TMON(3) = 7;
    GROUNDTEMP(7, 16) = 70.0f;
    OPAQUE(3, 12);
    EXPECT_NEAR(HEAT(12, 12, 3), 150.0f * 0.73f * 2.0f, 1e-3);

    STRATEGY(33, 1) = 16.0f;
    NFLAG(46) = true;  // mountain variant of zone 16
    GROUNDTEMP(7, 17) = 40.0f;
    OPAQUE(3, 12);
    EXPECT_NEAR(HEAT(12, 12, 3), 150.0f * 0.73f * -28.0f, 1e-3);
}

TEST_F(Slab, RegressionByInsulationStep) {
    // Edge 300 ft2, core 1200 ft2; d14 = 18, dmon = 8, dann = 13.
    STRATEGY(33, 1) = -6.0f;
    STRATEGY(30, 1) = 7.0f;  // zone requirement + level 7: R 12
    OPAQUE(3, 12);
    EXPECT_EQ(RVAL(12), 12.0f);
    const REAL q6 = -1196.91f;
    const REAL q7 = -1259.16f;
    EXPECT_NEAR(HEAT(12, 12, 3), q6, 1e-2);

    SLABBLEND = 25.0f;  // a quarter behaves as type -6
    OPAQUE(3, 12);
    EXPECT_NEAR(HEAT(12, 12, 3), 0.25f * q6 + 0.75f * q7, 1e-2);
    STRATEGY(33, 1) = -7.0f;
    OPAQUE(3, 12);
    EXPECT_NEAR(HEAT(12, 12, 3), 0.25f * q6 + 0.75f * q7, 1e-2);
    SLABBLEND = 150.0f;  // more than the whole slab is the whole slab
    OPAQUE(3, 12);
    EXPECT_NEAR(HEAT(12, 12, 3), q6, 1e-2);

    SLABBLEND = 0.0f;
    CECZONE = 12;  // no requirement, level 6: R 7
    STRATEGY(30, 1) = 6.0f;
    OPAQUE(3, 12);
    EXPECT_EQ(RVAL(12), 7.0f);
    EXPECT_NEAR(HEAT(12, 12, 3), -1545.21f, 1e-2);

    CECRESA(5, 12) = -1.0f;  // a negative requirement leaves the slab bare
    STRATEGY(30, 1) = 7.0f;
    OPAQUE(3, 12);
    EXPECT_EQ(RVAL(12), 0.0f);
}

TEST_F(Slab, RegressionEdgeCases) {
    // A floor type with a perimeter but no regression slab: R set, no heat.
    STRATEGY(33, 1) = 2.0f;
    HEAT(12, 12, 3) = 777.0f;
    OPAQUE(3, 12);
    EXPECT_EQ(RVAL(12), 7.0f);
    EXPECT_EQ(HEAT(12, 12, 3), 777.0f);

    // The perimeter strip covers the footprint: all edge, no core.
    STRATEGY(33, 1) = -6.0f;
    STRATEGY(30, 1) = 0.0f;
    RAX = 200.0f;
    OPAQUE(3, 12);
    EXPECT_NEAR(HEAT(12, 12, 3), -(0.0374f * 18 + 0.0846f * 8 + 0.0105f * 13) * 200.0f, 1e-3);

    // The last day of the year looks back through the repeated days, and a
    // running day beyond the table folds back rather than reading past it.
    DAYCOUNT = 365;
    for (INTEGER k = 418; k <= 431; ++k) TDAILY(k) = 40.0f;
    for (INTEGER k = 53; k <= 66; ++k) TDAILY(k) = 40.0f;
    OPAQUE(3, 12);
    const REAL hot_two_weeks = HEAT(12, 12, 3);
    EXPECT_NEAR(hot_two_weeks, -(0.0374f * 28 + 0.0846f * 8 + 0.0105f * 13) * 200.0f, 1e-3);
    DAYCOUNT = 700;
    OPAQUE(3, 12);
    EXPECT_TRUE(std::isfinite(HEAT(12, 12, 3)));
}

// A basement in climate zone 3 under a site whose own ground set differs.
TEST_F(Slab, BasementBands) {
    STRATEGY(33, 1) = 12.0f;
    CECZONE = 3;
    ZONE = 5;
    GROUNDTEMP(3, 3) = 58.0f;
    GROUNDTEMP(13, 3) = 60.0f;
    TEMPIN = 70.0f;
    for (INTEGER h = 1; h <= 24; ++h) TEMPS(h) = 50.0f;
    TEMP(6) = 50.0f;  // the raised-floor step of type -16 copies it into TEMPS
    for (INTEGER k = 160; k <= 166; ++k) TDAILY(k) = 45.0f;
    DECR(13) = 0.0f;
    AREA(11) = 900.0f;  // not a raised floor under a basement
    UVAL(11) = 1.0f;
    const REAL a[] = {200, 300, 300, 400, 1000};
    const REAL u[] = {0.1f, 0.2f, 0.15f, 0.1f, 0.05f};
    for (INTEGER i = 0; i < 5; ++i) {
        AREA(13 + i) = a[i];
        UVAL(13 + i) = u[i];
    }
    OPAQUE(3, 6);
    EXPECT_NEAR(HEAT(11, 6, 3), -500.0f, 1e-3);
    EXPECT_NEAR(HEAT(12, 6, 3), -400.0f - 1500.0f - 540.0f - 400.0f, 1e-2);

    // Floor type -16: the slab regression sets its R, the basement writes.
    STRATEGY(33, 1) = -16.0f;
    ZONE = 16;
    RVAL(12) = -1.0f;
    OPAQUE(3, 6);
    EXPECT_EQ(RVAL(12), 0.0f);
    EXPECT_NEAR(HEAT(12, 6, 3), -2840.0f, 1e-2);
}

TEST_F(Slab, GroundSetOutOfRangeLeavesTheSlabAlone) {
    STRATEGY(33, 1) = 6.0f;
    UVAL(12) = 0.73f;
    ZONE = 0;  // no weather file read
    HEAT(12, 12, 3) = 5.0f;
    OPAQUE(3, 12);
    EXPECT_EQ(HEAT(12, 12, 3), 5.0f);
}

}  // namespace
}  // namespace mavo
