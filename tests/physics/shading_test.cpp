#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/shading.h"

namespace mavo {
namespace {

struct Shade {
    REAL sunlit = -1, shadetsol = -1, shgc_min = -1;
};

Shade shades(REAL alt, REAL azi, REAL anginc, INTEGER month = 7, INTEGER hour = 10) {
    Shade s;
    SHADES(1, alt, azi, anginc, s.sunlit, month, hour, s.shadetsol, s.shgc_min);
    return s;
}

// Line 1: a south window 5 ft high under a 2 ft overhang 1 ft above its
// head; a twelve-day run with representative days in their own months.
void south_window(REAL code, bool device) {
    IDNUM1 = 1;
    FACING(1) = 0.0f;
    TILT(1) = 90.0f;
    HEAD(1) = 7.5f;
    SILL(1) = 2.5f;
    OHANGD(1) = 2.0f;
    OHANGDIS(1) = 1.0f;
    SHADEFLG(1) = device ? 1.0f : 0.0f;
    STRATEGY(36, 1) = code;
    NFLAG(38) = false;
    for (INTEGER m = 1; m <= 12; ++m) TMON(m) = m;
}

void day_temperatures(REAL t_F) {
    for (INTEGER h = 1; h <= 24; ++h) TEMP(h) = t_F;
}

TEST(Shading, OverhangGeometry) {
    south_window(1, false);
    // Worked case: profile angle 60, shadow 2 tan 60 - 1 = 2.464 ft of 5.
    EXPECT_NEAR(shades(60.0f, 0.0f, 30.0f).sunlit, (5.0f - (2.0f * std::tan(60.0f * 0.017453292f) - 1.0f)) / 5.0f,
                1e-5);
    EXPECT_NEAR(shades(60.0f, 0.0f, 30.0f).sunlit, 0.507f, 1e-3);
    // Sun 40 degrees west of the facing: profile angle atan(tan 60 / cos 40).
    const REAL pa = std::atan(std::tan(60.0f * 0.017453292f) / std::cos(40.0f * 0.017453292f));
    EXPECT_NEAR(shades(60.0f, -40.0f, 50.0f).sunlit, (5.0f - (2.0f * std::tan(pa) - 1.0f)) / 5.0f, 1e-5);
    EXPECT_EQ(shades(60.0f, 180.0f, 120.0f).sunlit, 0.0f);  // sun behind the glass
    EXPECT_EQ(shades(20.0f, 0.0f, 70.0f).sunlit, 1.0f);     // low sun under the overhang
    EXPECT_EQ(shades(89.995f, 0.0f, 89.0f).sunlit, 0.0f);   // zenith kept at 89.99: shadow covers all

    const Shade down = shades(0.01f, 0.0f, 89.0f);
    EXPECT_EQ(down.sunlit, 1.0f);
    EXPECT_EQ(down.shadetsol, 100.0f);
    EXPECT_EQ(down.shgc_min, 1.0f);
    EXPECT_EQ(BLINDANGLE, 100.0f);
    EXPECT_EQ(SHADEPCT, 100.0f);

    // A horizontal skylight with the sun square to its facing is in full sun.
    TILT(1) = 0.0f;
    OHANGD(1) = 0.0f;
    EXPECT_EQ(shades(50.0f, 90.0f, 40.0f).sunlit, 1.0f);
    EXPECT_EQ(shades(50.0f, 89.995f, 40.0f).sunlit, 1.0f);
    // A line without glass height has nothing to shade.
    TILT(1) = 90.0f;
    HEAD(1) = SILL(1);
    EXPECT_EQ(shades(60.0f, 0.0f, 30.0f).sunlit, 1.0f);
}

TEST(Shading, AwningSeasonAndHostTable) {
    south_window(2, true);
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f, 1).sunlit, 1.0f);  // retracted in January
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f, 4).sunlit, 1.0f);
    EXPECT_NEAR(shades(60.0f, 0.0f, 30.0f, 7).sunlit, 0.507f, 1e-3);
    EXPECT_EQ(shades(60.0f, 180.0f, 120.0f, 1).sunlit, 0.0f);  // even retracted, not from behind
    TMON(7) = 12;  // a twelve-day run takes the representative day's month
    EXPECT_EQ(shades(60.0f, 0.0f, 30.0f, 7).sunlit, 1.0f);
    NFLAG(38) = true;
    EXPECT_NEAR(shades(60.0f, 0.0f, 30.0f, 7).sunlit, 0.507f, 1e-3);
    SHADEFLG(1) = 0.0f;
    EXPECT_LT(shades(60.0f, 0.0f, 30.0f, 1).sunlit, 0.6f);

    NFLAG(38) = false;
    TMON(7) = 7;
    SUNLIT(1, 10, 7) = 0.3f;
    NFLAG(77) = true;
    EXPECT_NEAR(shades(60.0f, 0.0f, 30.0f).sunlit, 0.507f, 1e-3);  // schemes 1 and 2: geometry
    IDNUM1 = 3;
    EXPECT_EQ(shades(60.0f, 0.0f, 30.0f).sunlit, 0.3f);
}

TEST(Shading, IndoorShadesFollowThePreviousHourRoom) {
    COMHI = 75.0f;
    day_temperatures(70.0f);
    south_window(5, true);
    TLASTHR = 71.9f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 100.0f);
    TLASTHR = 72.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 45.0f);
    EXPECT_EQ(SHADEPCT, 25.0f);
    EXPECT_EQ(shades(40.0f, 0.0f, 95.0f).shadetsol, 100.0f);  // sun not on this glass
    STRATEGY(36, 1) = 6;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 40.0f);
    EXPECT_EQ(SHADEPCT, 0.0f);

    STRATEGY(36, 1) = 7;  // a cool day draws only near the upper limit
    TLASTHR = 73.9f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 100.0f);
    TLASTHR = 74.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 45.0f);
    TEMP(15) = 75.0f;  // a hot afternoon draws from above COMHI - 3
    STRATEGY(36, 1) = 8;
    TLASTHR = 72.1f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 40.0f);
    EXPECT_EQ(SHADEPCT, 0.0f);
    SHADEFLG(1) = 0.0f;  // lines without the device keep open
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 100.0f);
    STRATEGY(36, 1) = 5.5f;  // not a code: no device
    SHADEFLG(1) = 1.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 100.0f);
}

TEST(Shading, VenetianAndExteriorBlinds) {
    COMLOW = 68.0f;
    COMHI = 75.0f;
    south_window(9, true);
    EXPECT_EQ(shades(40.0f, 0.0f, 120.0f).shadetsol, 67.0f);  // every sunlit hour
    EXPECT_EQ(BLINDANGLE, 45.0f);

    STRATEGY(36, 1) = 10;
    TLASTHR = 72.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 120.0f).shadetsol, 26.0f);
    EXPECT_EQ(BLINDANGLE, 90.0f);
    TLASTHR = 71.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 120.0f).shadetsol, 67.0f);

    STRATEGY(36, 1) = 11;
    day_temperatures(66.0f);  // warm day: close above the lower limit
    TLASTHR = 68.5f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 26.0f);
    EXPECT_EQ(BLINDANGLE, 90.0f);
    EXPECT_EQ(SHADEPCT, 100.0f);
    day_temperatures(60.0f);  // cool day: only near the upper limit
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 100.0f);
    TLASTHR = 72.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 26.0f);
    OHANGD(1) = 10.0f;  // glass wholly in the overhang's shadow: the blinds open
    const Shade shaded = shades(60.0f, 0.0f, 30.0f);
    EXPECT_EQ(shaded.sunlit, 0.0f);
    EXPECT_EQ(shaded.shadetsol, 100.0f);
    EXPECT_EQ(BLINDANGLE, 100.0f);

    OHANGD(1) = 2.0f;
    STRATEGY(36, 1) = 12;
    const Shade closed = shades(40.0f, 0.0f, 50.0f);
    EXPECT_EQ(closed.shgc_min, 0.13f);
    EXPECT_EQ(closed.shadetsol, 100.0f);
    EXPECT_EQ(BLINDANGLE, 90.0f);
    EXPECT_EQ(shades(40.0f, 0.0f, 95.0f).shgc_min, 1.0f);
    TLASTHR = 70.0f;
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shgc_min, 1.0f);
    EXPECT_EQ(BLINDANGLE, 100.0f);
}

TEST(Shading, MeasuredBlindOpening) {
    south_window(11, true);
    NFLAG(36) = true;
    NFLAG(35) = false;
    PEOPLE = 0.0f;
    FIELDCODE = 1;
    HEAT(15, 10, 7) = 50000.0f;  // half open
    EXPECT_FLOAT_EQ(shades(40.0f, 0.0f, 50.0f).shadetsol, 63.0f);
    EXPECT_FLOAT_EQ(BLINDANGLE, 45.0f);
    STRATEGY(36, 1) = 12;
    const Shade ext = shades(40.0f, 0.0f, 50.0f);
    EXPECT_FLOAT_EQ(ext.shgc_min, 1.0f - 0.435f);
    EXPECT_EQ(ext.shadetsol, 26.0f);
    HEAT(15, 10, 7) = -1.0f;
    shades(40.0f, 0.0f, 50.0f);
    EXPECT_EQ(BLINDANGLE, 100.0f);
    PEOPLE = 3.0f;  // an occupied building is not a measured test
    TLASTHR = 60.0f;
    day_temperatures(60.0f);
    EXPECT_EQ(shades(40.0f, 0.0f, 50.0f).shgc_min, 1.0f);
}

}  // namespace
}  // namespace mavo
