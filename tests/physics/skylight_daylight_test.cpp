#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "physics/skylight_daylight.h"

namespace mavo {
namespace {

// Line 5: one 4 ft by 4 ft skylight of visible transmittance 0.8 under a
// 2 ft light well, over a 20 ft square skylit zone.
void skylight() {
    HEAD(5) = 4.0f;
    SILL(5) = 0.0f;
    WIDTH(5) = 4.0f;
    QTY(5) = 1.0f;
    TRANS(5) = 0.8f;
    FLTOFL = 12.0f;
    FLTOCE = 10.0f;
    LENGTHSLZ = 20.0f;
    WIDTHSLZ = 20.0f;
    REFLPCT = 80.0f;
    SHADEPCT = 100.0f;
}

REAL flux(REAL exterior_fc = 1000.0f) {
    REAL etotwp = -1.0f, slzarea = -7.0f;
    SKYILLUM(exterior_fc * 0.5f, exterior_fc * 0.3f, exterior_fc * 0.2f, 0.9f, etotwp, slzarea, 5);
    return etotwp;
}

TEST(SkylightDaylight, LumenMethodThroughTheWell) {
    skylight();
    // By hand: well ratio 2 x 8 / (2 x 16) x 5 = 2.5, index 4: efficiency
    // 0.71; cavity ratio 7.5 x 5 x 40 / 400 = 3.75, row 4 of CU80: 0.75.
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 0.75f * 0.8f * 0.71f, 0.01f);
    QTY(5) = 3.0f;
    EXPECT_NEAR(flux(), 3.0f * 1000.0f * 16.0f * 0.75f * 0.8f * 0.71f, 0.05f);
    QTY(5) = 1.0f;

    FLTOCE = 2.5f;  // work plane at the ceiling: cavity ratio 0, CU 1.19
    FLTOFL = 4.5f;
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 1.19f * 0.8f * 0.71f, 0.01f);
    LENGTHSLZ = 0.0f;  // no skylit zone: cavity ratio 99, the last row
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 0.52f * 0.8f * 0.71f, 0.01f);

    REFLPCT = 50.0f;  // EFF column 2, wall class 1, CU50
    LENGTHSLZ = 20.0f;
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 1.11f * 0.8f * 0.59f, 0.01f);
    REFLPCT = 30.0f;  // EFF column 3, wall class 2, CU20
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 1.04f * 0.8f * 0.51f, 0.01f);
}

TEST(SkylightDaylight, ShadesWellLimitsAndSkylitArea) {
    skylight();
    SHADEPCT = 25.0f;  // translucent shade
    EXPECT_NEAR(flux(), 0.25f * 1000.0f * 16.0f * 0.75f * 0.8f * 0.71f, 0.01f);
    SHADEPCT = 0.0f;  // no shade drawn
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 0.75f * 0.8f * 0.71f, 0.01f);
    SHADEPCT = -1.0f;  // no shade
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 0.75f * 0.8f * 0.71f, 0.01f);

    SHADEPCT = 100.0f;
    FLTOFL = 40.0f;  // a well 30 ft deep takes the last row: 0.33
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 0.75f * 0.8f * 0.33f, 0.01f);
    FLTOFL = 8.0f;  // ceiling above the next floor: no well
    EXPECT_NEAR(flux(), 1000.0f * 16.0f * 0.75f * 0.8f * 1.0f, 0.01f);
    WIDTH(5) = 0.0f;
    EXPECT_EQ(flux(), 0.0f);

    REAL etotwp = 0.0f, slzarea = -7.0f;
    SKYILLUM(1, 1, 1, 0, etotwp, slzarea, 5);
    EXPECT_EQ(slzarea, -7.0f);  // left alone without both areas
    SKYFLOOR = 300.0f;
    INTZONEX = 250.0f;
    SKYILLUM(1, 1, 1, 0, etotwp, slzarea, 5);
    EXPECT_EQ(slzarea, 250.0f);
}

TEST(SkylightDaylight, BlindFactors) {
    EXPECT_EQ(VG(37.5f, 50.0f, 1), 0.15f);   // class 1, high reflectance
    EXPECT_EQ(VG(52.5f, 50.0f, 1), 0.141f);  // class 2
    EXPECT_EQ(VG(60.0f, 49.9f, 1), 0.0063f);
    EXPECT_EQ(VG(45.0f, 80.0f, 3), 0.096f);
    EXPECT_EQ(VG(90.0f, 10.0f, 2), 0.043f);
    EXPECT_EQ(VG(45.0f, 80.0f, 4), 0.0f);

    EXPECT_EQ(VS(30.0f, 50.0f, 22.5f, 1), 0.0687f);
    EXPECT_EQ(VS(30.0f, 20.0f, 60.0f, 1), 0.0362f);
    EXPECT_EQ(VS(45.0f, 70.0f, 30.0f, 2), 0.0337f);
    EXPECT_EQ(VS(90.0f, 30.0f, 45.0f, 3), 0.0064f);
    EXPECT_EQ(VS(52.5f, 30.0f, 52.5f, 3), 0.0127f);
    EXPECT_EQ(VS(45.0f, 70.0f, 30.0f, 0), 0.0f);
    EXPECT_EQ(VS(45.0f, 70.0f, 30.0f, 4), 0.0f);
}

}  // namespace
}  // namespace mavo
