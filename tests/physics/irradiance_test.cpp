#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/irradiance.h"

namespace mavo {
namespace {

struct Parts {
    REAL dni, beamh, beams, diffh, skys, grnds, globh, totsur;
};

Parts insol(REAL alt, REAL anginc, REAL skyvf, REAL grndvf, INTEGER hour) {
    Parts p{};
    INSOL(7, alt, 90.0f, anginc, 0.2f, skyvf, grndvf, p.dni, p.beamh, p.beams, p.diffh, p.skys, p.grnds, p.globh,
          p.totsur, hour);
    return p;
}

TEST(Irradiance, SplitsTheHourOnASurface) {
    BEAM(10) = 200;
    HORIZ(10) = 250;
    // By hand: beam on the horizontal 200 sin 30 = 100, diffuse 150; a wall
    // with view factors 0.5 at 60 degrees incidence.
    const Parts p = insol(30.0f, 60.0f, 0.5f, 0.5f, 10);
    EXPECT_EQ(p.dni, 200.0f);
    EXPECT_EQ(p.globh, 250.0f);
    EXPECT_NEAR(p.beamh, 100.0f, 1e-3);
    EXPECT_NEAR(p.diffh, 150.0f, 1e-3);
    EXPECT_NEAR(p.skys, 75.0f, 1e-3);
    EXPECT_NEAR(p.grnds, 25.0f, 1e-4);
    EXPECT_NEAR(p.beams, 100.0f, 1e-3);
    EXPECT_NEAR(p.totsur, 200.0f, 1e-3);

    // Beam too strong for the measured global (inconsistent data): no diffuse.
    HORIZ(10) = 80;
    const Parts q = insol(30.0f, 60.0f, 0.5f, 0.5f, 10);
    EXPECT_EQ(q.diffh, 0.0f);
    EXPECT_EQ(q.skys, 0.0f);
}

TEST(Irradiance, SunDownAndGrazingIncidence) {
    BEAM(8) = 300;
    HORIZ(8) = 400;
    const Parts down = insol(0.1f, 10.0f, 0.5f, 0.5f, 8);
    EXPECT_EQ(down.dni, 0.0f);
    EXPECT_EQ(down.globh, 0.0f);
    EXPECT_EQ(down.totsur, 0.0f);
    // Just above 0.1 degree the beam stands at the 0.002 radian floor.
    EXPECT_NEAR(insol(0.105f, 10.0f, 0.5f, 0.5f, 8).beamh, 300.0f * std::sin(0.002f), 1e-4);

    const Parts grazing = insol(20.0f, 89.9f, 0.5f, 0.5f, 8);
    EXPECT_EQ(grazing.beams, 0.0f);
    EXPECT_EQ(grazing.grnds, 0.0f);
    EXPECT_EQ(grazing.totsur, grazing.skys);
    const Parts almost = insol(20.0f, 89.8f, 0.5f, 0.5f, 8);
    EXPECT_GT(almost.beams, 0.0f);
    EXPECT_NEAR(almost.beams, 300.0f * std::cos(89.8f * 0.017453292f), 1e-3);
    EXPECT_NEAR(almost.grnds, 400.0f * 0.5f * 0.2f, 1e-3);
}

TEST(Irradiance, AngularTransmittanceClasses) {
    REAL vtang = 0, tautau = 0;
    FRESNELL(45.0f, 0.7f, 0.5f, vtang, tautau);  // double glazing
    EXPECT_FLOAT_EQ(tautau, 0.729832f / 0.747454f);
    EXPECT_FLOAT_EQ(vtang, 0.7f * tautau);
    FRESNELL(45.0f, 0.7f, 0.6f, vtang, tautau);  // U of 0.6: single glazing
    EXPECT_FLOAT_EQ(tautau, 0.847789f / 0.861563f);
    FRESNELL(5.0f, 0.9f, 1.1f, vtang, tautau);
    EXPECT_EQ(tautau, 1.0f);
    FRESNELL(85.0f, 0.9f, 1.1f, vtang, tautau);
    EXPECT_FLOAT_EQ(tautau, 0.417941f / 0.861563f);
    FRESNELL(999.9f, 0.9f, 0.4f, vtang, tautau);  // the sun table's "no sun"
    EXPECT_EQ(tautau, 0.0f);
    EXPECT_EQ(vtang, 0.0f);
    FRESNELL(-20.0f, 0.9f, 0.4f, vtang, tautau);
    EXPECT_EQ(tautau, 1.0f);
}

}  // namespace
}  // namespace mavo
