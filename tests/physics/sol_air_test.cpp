#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/sol_air.h"

namespace mavo {
namespace {

TEST(SolAir, ViewFactorsAndSingleSurfaceCases) {
    REAL fsky = 0, fgnd = 0;
    VIEWF(45.0f, fsky, fgnd);
    EXPECT_FLOAT_EQ(fsky, 0.75f);
    EXPECT_FLOAT_EQ(fgnd, 0.25f);
    VIEWF(90.0f, fsky, fgnd);
    EXPECT_FLOAT_EQ(fsky, 0.5f);

    REMITT = 0.65f;
    REAL t_F = 0;
    SOLAIR(90.0f, 0.0f, 0.5f, 4.0f, 55.0f, t_F);  // a wall at night
    EXPECT_EQ(t_F, 55.0f);
    SOLAIR(0.0f, 0.0f, 0.92f, 4.0f, 55.0f, t_F);  // a roof at night loses 0.65 x 20 / 4
    EXPECT_FLOAT_EQ(t_F, 55.0f - 3.25f);
    SOLAIR(0.0f, 300.0f, 0.92f, 4.0f, 80.0f, t_F);  // worked noon roof: 80 + 69 - 3.25
    EXPECT_FLOAT_EQ(t_F, 145.75f);
    SOLAIR(44.9f, 300.0f, 0.92f, 4.0f, 80.0f, t_F);
    EXPECT_FLOAT_EQ(t_F, 145.75f);
    SOLAIR(45.0f, 300.0f, 0.92f, 4.0f, 80.0f, t_F);  // steep: no long-wave loss
    EXPECT_FLOAT_EQ(t_F, 149.0f);
    SOLAIR(-5.0f, 300.0f, 0.92f, 4.0f, 80.0f, t_F);
    EXPECT_FLOAT_EQ(t_F, 149.0f);
    // Without a film coefficient the surface stays at the outdoor temperature.
    SOLAIR(0.0f, 300.0f, 0.92f, 0.0f, 80.0f, t_F);
    EXPECT_EQ(t_F, 80.0f);
}

// A clear summer day: sun hours 6 to 18 with the radiation of the table.
void summer_day() {
    for (INTEGER h = 1; h <= 24; ++h) {
        TEMP(h) = 60.0f + static_cast<REAL>(h);
        ALT(h) = -999.9f;
        for (INTEGER k = 1; k <= 5; ++k) ANGINC(h, k) = 999.9f;
    }
    for (INTEGER h = 6; h <= 18; ++h) {
        ALT(h) = 60.0f - 8.0f * std::fabs(static_cast<REAL>(h) - 12.0f);
        for (INTEGER k = 1; k <= 5; ++k) ANGINC(h, k) = 40.0f;
        BEAM(h) = 250;
        HORIZ(h) = 280;
    }
    GRNDREF = 0.2f;
}

TEST(SolAir, DayTableOfAWall) {
    summer_day();
    AREA(6) = 400.0f;
    ABSORB(6) = 0.5f;
    HO(6) = 3.0f;
    SATEMS(1, 1) = -99.99f;
    SATS(7, 3, 6);
    // Night hours keep the film coefficient of the construction; the first
    // sunlit hour leaves 4.0 for the rest of the run.
    EXPECT_EQ(SATEMS(1, 1), TEMP(1));
    EXPECT_EQ(SATEMS(24, 1), TEMP(24));
    EXPECT_EQ(HO(6), 4.0f);
    // Noon by hand: wall view factors 0.5 / 0.5, beam on horizontal 250 sin 60.
    const REAL beamh = 250.0f * std::sin(60.0f * 0.017453292f);
    const REAL totsur =
        (280.0f - beamh) * 0.5f + 250.0f * std::cos(40.0f * 0.017453292f) + 280.0f * 0.5f * 0.2f;
    EXPECT_NEAR(SATEMS(12, 1), TEMP(12) + 0.5f * totsur / 4.0f, 1e-3);
    REAL sum = 0;
    for (INTEGER h = 1; h <= 24; ++h) sum += SATEMS(h, 1);
    EXPECT_FLOAT_EQ(AVSOL(1), sum / 24.0f);

    // Later calls refresh only their own hour.
    const REAL hour13 = SATEMS(13, 1);
    TEMP(12) = 90.0f;
    TEMP(13) = 95.0f;
    SATS(7, 12, 6);
    EXPECT_NEAR(SATEMS(12, 1), 90.0f + 0.5f * totsur / 4.0f, 1e-3);
    EXPECT_EQ(SATEMS(13, 1), hour13);
}

TEST(SolAir, RoofFaceAndItemsWithoutArea) {
    summer_day();
    REMITT = 0.9f;
    AREA(10) = 1000.0f;
    ABSORB(10) = 0.8f;
    HO(10) = 4.0f;
    SATEMS(1, 5) = -99.99f;
    SATS(1, 1, 10);
    EXPECT_FLOAT_EQ(SATEMS(1, 5), TEMP(1) - 0.9f * 20.0f / 4.0f);  // night sky loss
    // Noon by hand: the roof sees only sky, no ground.
    const REAL beamh = 250.0f * std::sin(60.0f * 0.017453292f);
    const REAL totsur = (280.0f - beamh) + 250.0f * std::cos(40.0f * 0.017453292f);
    EXPECT_NEAR(SATEMS(12, 5), TEMP(12) + 0.8f * totsur / 4.0f - 0.9f * 20.0f / 4.0f, 1e-3);

    AREA(8) = 0.0f;  // north wall without area: nothing changes
    SATEMS(1, 3) = -99.99f;
    AVSOL(3) = 12.5f;
    SATS(1, 5, 8);
    EXPECT_EQ(SATEMS(1, 3), -99.99f);
    EXPECT_EQ(SATEMS(5, 3), 0.0f);
    EXPECT_EQ(AVSOL(3), 12.5f);
}

TEST(SolAir, TetdLagsAndDecrement) {
    for (INTEGER h = 1; h <= 24; ++h) SATEMP(h) = 50.0f + static_cast<REAL>(h);
    TEMPIN = 70.0f;
    DECR(6) = 0.5f;
    REAL tetd = 0;
    TMLAG(6) = 24.0f;  // a full day: the same hour
    TETDS(6, 10, 65.0f, tetd);
    EXPECT_FLOAT_EQ(tetd, (65.0f - 70.0f) + 0.5f * (60.0f - 65.0f));
    TMLAG(6) = 2.9f;  // whole hours only
    TETDS(6, 10, 65.0f, tetd);
    EXPECT_FLOAT_EQ(tetd, -5.0f + 0.5f * (58.0f - 65.0f));
    TMLAG(6) = 2.0f;
    TETDS(6, 1, 65.0f, tetd);  // hour 1 lags into hour 23 of the day
    EXPECT_FLOAT_EQ(tetd, -5.0f + 0.5f * (73.0f - 65.0f));
    DECR(6) = 0.0f;
    TETDS(6, 1, 65.0f, tetd);
    EXPECT_FLOAT_EQ(tetd, -5.0f);
    // Lags outside 0 to 24 still land on an hour of the day.
    DECR(6) = 1.0f;
    TMLAG(6) = 30.0f;
    TETDS(6, 10, 65.0f, tetd);
    EXPECT_FLOAT_EQ(tetd, -5.0f + (54.0f - 65.0f));
    TMLAG(6) = -3.0f;
    TETDS(6, 23, 65.0f, tetd);
    EXPECT_FLOAT_EQ(tetd, -5.0f + (52.0f - 65.0f));
}

}  // namespace
}  // namespace mavo
