#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "physics/window_daylight.h"

namespace mavo {
namespace {

// Point 3 cells of the tables, read off the published lumen-method tables
// (length or ceiling class, depth class) for a light (70 %) and a dark
// (30 %) room.
TEST(WindowDaylightTables, ClassesAndReflectance) {
    EXPECT_EQ(CG(25.0f, 70.0f, 25.0f, 3), 0.0106f);   // exactly 25 ft: class 1
    EXPECT_EQ(CG(25.1f, 70.0f, 25.0f, 3), 0.0082f);
    EXPECT_EQ(CG(35.0f, 70.0f, 25.0f, 3), 0.0082f);   // exactly 35 ft: class 2
    EXPECT_EQ(CG(35.1f, 70.0f, 25.0f, 3), 0.0067f);
    EXPECT_EQ(CG(10.0f, 70.0f, 35.1f, 3), 0.0029f);   // depth class 3
    EXPECT_EQ(CG(10.0f, 50.0f, 10.0f, 3), 0.0106f);   // 50 % reads the light table
    EXPECT_EQ(CG(10.0f, 49.9f, 10.0f, 3), 0.0071f);

    EXPECT_EQ(KG(9.0f, 70.0f, 10.0f, 3), 0.0994f);    // a 9 ft ceiling is class 1
    EXPECT_EQ(KG(9.1f, 70.0f, 10.0f, 3), 0.11f);
    EXPECT_EQ(KG(13.0f, 70.0f, 10.0f, 3), 0.111f);
    EXPECT_EQ(KG(13.1f, 70.0f, 10.0f, 3), 0.107f);

    EXPECT_EQ(CG(10.0f, 70.0f, 10.0f, 0), 0.0f);      // no such point
    EXPECT_EQ(KS(10.0f, 70.0f, 10.0f, 4, 1.0f), 0.0f);
}

TEST(WindowDaylightTables, OneCellOfEveryTable) {
    struct Cell {
        REAL got;
        REAL want;
    };
    const Cell cells[] = {
        {CGV(30, 70, 30, 3), 0.0214f},  {CGV(40, 30, 40, 3), 0.0097f},  {CSV(40, 70, 30, 3), 0.0189f},
        {CSV(30, 30, 10, 3), 0.0456f},  {CUG(40, 70, 40, 3), 0.0022f},  {CUG(30, 30, 40, 3), 0.0012f},
        {CUS(10, 70, 30, 3), 0.0047f},  {CUS(40, 30, 10, 3), 0.0047f},  {KGV(12, 70, 30, 3), 0.09f},
        {KGV(8, 30, 40, 3), 0.056f},    {KSV(14, 70, 40, 3), 0.091f},   {KSV(10, 30, 30, 3), 0.079f},
        {KUG(14, 70, 30, 3), 0.121f},   {KUG(8, 30, 40, 3), 0.0655f},   {KUS(10, 70, 10, 3), 0.107f},
        {KUS(14, 30, 40, 3), 0.124f},   {KG(14, 70, 30, 3), 0.125f},    {KG(8, 30, 40, 3), 0.0656f},
        {CG(30, 30, 40, 3), 0.0012f},
    };
    for (const Cell& c : cells) EXPECT_EQ(c.got, c.want);

    // The plain window's sky tables blend clear and overcast by the clear-sky
    // fraction.
    EXPECT_EQ(CS(30, 70, 10, 3, 1.0f), 0.0079f);
    EXPECT_EQ(CS(30, 70, 10, 3, 0.0f), 0.0063f);
    EXPECT_NEAR(CS(30, 30, 30, 3, 0.25f), 0.25f * 0.0023f + 0.75f * 0.0017f, 1e-9f);
    EXPECT_EQ(KS(10, 70, 10, 3, 1.0f), 0.112f);
    EXPECT_EQ(KS(10, 70, 10, 3, 0.0f), 0.0951f);
    EXPECT_NEAR(KS(14, 30, 40, 3, 0.5f), 0.5f * 0.118f + 0.5f * 0.13f, 1e-7f);
}

TEST(WindowDaylightTables, CoefficientsFallAwayFromTheWindow) {
    // The ground table of light rooms at the point nearest the window.
    const REAL near[3][3] = {{0.0147f, 0.0102f, 0.0081f}, {0.0141f, 0.0098f, 0.0077f}, {0.0137f, 0.0093f, 0.0072f}};
    const REAL length_ft[3] = {20.0f, 30.0f, 40.0f};
    for (int w = 0; w < 3; ++w)
        for (int l = 0; l < 3; ++l) EXPECT_FLOAT_EQ(CG(length_ft[l], 70.0f, length_ft[w], 1), near[w][l]);
    EXPECT_FLOAT_EQ(CG(20.0f, 70.0f, 20.0f, 2), 0.0128f);
    // Every coefficient table falls from point 1 to point 3.
    EXPECT_GT(CSV(40, 30, 40, 1), CSV(40, 30, 40, 2));
    EXPECT_GT(CUS(40, 30, 40, 2), CUS(40, 30, 40, 3));
}

// Line 1: 5 ft wide, head 7 ft, sill 3 ft, visible transmittance 0.7, in a
// 30 ft by 16 ft daylit zone under a 10 ft ceiling of a light room.
void window_line() {
    HEAD(1) = 7.0f;
    SILL(1) = 3.0f;
    WIDTH(1) = 5.0f;
    TRANS(1) = 0.7f;
    OHANGD(1) = 0.0f;
    FLTOCE = 10.0f;
    REFLPCT = 70.0f;
    LENGTHDL = 30.0f;
    WIDTHDL = 16.0f;
    SHADEPCT = 100.0f;
    BLINDANGLE = 100.0f;
}

constexpr REAL kEuw = 2000.0f, kEkw = 500.0f, kEgw = 300.0f, kSkyc = 0.6f;

REAL illum(REAL sunlit = 1.0f, INTEGER next = 1) {
    REAL etotwp = -1.0f;
    ILLUM(kEuw, kEkw, kEgw, kSkyc, etotwp, 123.0f, next, 60.0f, sunlit);
    return etotwp;
}

// Plain window by hand: 20 ft2 of glass above the work plane; length class
// `l`, depth class 1, ceiling class 2.
double plain_fc(double cs_clear, double cs_overcast, double cg) {
    const double cs = cs_clear * 0.6 + cs_overcast * 0.4;
    const double ks = 0.112 * 0.6 + 0.0951 * 0.4;
    return (2000.0 + 500.0) * 20.0 * 0.7 * cs * ks + 20.0 * 300.0 * 0.7 * cg * 0.11;
}

TEST(WindowDaylight, PlainWindowAndTheWorkPlane) {
    window_line();
    EXPECT_NEAR(illum(), plain_fc(0.0079, 0.0063, 0.0082), 1e-4);

    // Glass below the work plane lights nothing; a low sill counts from it.
    SILL(1) = 1.0f;
    HEAD(1) = 4.5f;
    const REAL from_low_sill = illum();
    SILL(1) = 2.5f;
    EXPECT_EQ(illum(), from_low_sill);
    EXPECT_NEAR(from_low_sill, plain_fc(0.0079, 0.0063, 0.0082) * 10.0 / 20.0, 1e-4);
    SILL(1) = 3.0f;
    HEAD(1) = 2.5f;
    EXPECT_EQ(illum(), 0.0f);

    EXPECT_EQ(illum(1.0f, 26), 0.0f);  // no such line
}

TEST(WindowDaylight, OverhangDeepensTheZone) {
    window_line();
    OHANGD(1) = 4.0f;
    // Sunlit 1.0: the overhang casts nothing on the glass, the zone stays.
    EXPECT_NEAR(illum(1.0f), plain_fc(0.0079, 0.0063, 0.0082), 1e-4);
    // Sunlit 0.6: depth 4 + 16 = 20 ft (still class 1), length 30 x 15 / 11
    // = 40.9 ft (class 3).
    EXPECT_NEAR(illum(0.6f), plain_fc(0.0067, 0.005, 0.0067), 1e-4);
    // A shallow zone stretches in proportion: 6 ft deep becomes 10, 30 ft
    // long 50.
    WIDTHDL = 6.0f;
    EXPECT_NEAR(illum(0.6f), plain_fc(0.0067, 0.005, 0.0067), 1e-4);
    LENGTHDL = 15.0f;  // 25 ft: class 1
    EXPECT_NEAR(illum(0.6f), plain_fc(0.0106, 0.0087, 0.0106), 1e-4);
    // A zone without depth keeps its length (no division by zero).
    WIDTHDL = 0.0f;
    EXPECT_NEAR(illum(0.6f), plain_fc(0.0106, 0.0087, 0.0106), 1e-4);
}

TEST(WindowDaylight, BlindsAndDiffusingShade) {
    window_line();
    // Blinds at 45 degrees with the sun 60 degrees up: sky factor 0.0199 and
    // ground factor 0.096 of the third room class.
    BLINDANGLE = 45.0f;
    const double blinds = (2000.0 + 500.0) * 20.0 * 0.7 * 0.0422 * 0.091 * 0.0199 +
                          20.0 * 300.0 * 0.7 * 0.043 * 0.093 * 0.096;
    EXPECT_NEAR(illum(), blinds, 1e-5);
    BLINDANGLE = 90.0f;  // closed blinds are still blinds: factors 0.0104 and 0.049
    const double closed = (2000.0 + 500.0) * 20.0 * 0.7 * 0.0422 * 0.091 * 0.0104 +
                          20.0 * 300.0 * 0.7 * 0.043 * 0.093 * 0.049;
    EXPECT_NEAR(illum(), closed, 1e-5);
    BLINDANGLE = 90.5f;  // beyond 90: no blinds
    EXPECT_NEAR(illum(), plain_fc(0.0079, 0.0063, 0.0082), 1e-4);

    // A diffusing shade passing 25 percent mixes all the light: half to the
    // sky and half to the ground component.
    BLINDANGLE = 45.0f;
    SHADEPCT = 25.0f;
    const double all = 2000.0 + 500.0 + 300.0;
    const double shade = all * 0.5 * 20.0 * 0.7 * 0.008 * 0.107 * 0.25 + all * 0.5 * 20.0 * 0.7 * 0.0082 * 0.11 * 0.25;
    EXPECT_NEAR(illum(), shade, 1e-5);
    SHADEPCT = 0.0f;  // a shade that passes nothing
    EXPECT_EQ(illum(), 0.0f);
}

}  // namespace
}  // namespace mavo
