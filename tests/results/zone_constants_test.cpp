// Zone constants against hand calculations of conductance, surface ratio
// and thermal mass.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/zone_constants.h"

namespace mavo {
namespace {

// One window, one wall, a roof, a floor and a slab edge with round numbers.
void small_envelope() {
    AREA(1) = 40.0f;  UVAL(1) = 0.5f;
    AREA(6) = 300.0f; UVAL(6) = 0.1f; DECR(6) = 0.5f;
    AREA(10) = 1000.0f; UVAL(10) = 0.03f; DECR(10) = 1.0f;
    AREA(11) = 1000.0f; UVAL(11) = 0.05f; DECR(11) = 1.0f;
    AREA(12) = 120.0f; UVAL(12) = 0.7f; DECR(12) = 1.0f;
    FLTOCE = 8.0f;
}

TEST(ZoneConstants, FoundationTermFollowsTheFloorType) {
    small_envelope();
    const float base = 40 * 0.5f + 300 * 0.1f * 0.5f + 1000 * 0.03f;  // 65 Btu/h.F
    STRATEGY(33, 1) = 6.0f;  // slab: perimeter only
    CALC_CLC();
    EXPECT_FLOAT_EQ(CLC, base + 120 * 0.7f);
    STRATEGY(33, 1) = 2.0f;  // raised floor: floor only
    CALC_CLC();
    EXPECT_FLOAT_EQ(CLC, base + 1000 * 0.05f);
    STRATEGY(33, 1) = -12.0f;  // basement: floor and perimeter over a storey height
    CALC_CLC();
    EXPECT_FLOAT_EQ(CLC, base + 1000 * 0.05f + 120 * 0.7f * 8.0f);
    STRATEGY(33, 1) = 16.0f;  // 16 is not a basement
    CALC_CLC();
    EXPECT_FLOAT_EQ(CLC, base + 1000 * 0.05f);
}

TEST(ZoneConstants, SurfaceRatioLimits) {
    AREA.fill(0.0f);
    EWDIM = 50.0f; NSDIM = 40.0f; FLTOCE = 8.0f; RAX = 2000.0f; FLOORS = 1.0f;
    AREA(6) = 720.0f;  // 2 x 8 x 90 = 1440 walls possible, plus 2000 roof
    AREA(10) = 2000.0f;
    CALC_CLC();
    EXPECT_FLOAT_EQ(SurfaceRatio, 2720.0f / 3440.0f);
    STRATEGY(33, 1) = 12.0f;  // one storey over a basement: no wall above grade, M = RAX
    CALC_CLC();
    EXPECT_FLOAT_EQ(SurfaceRatio, 1.0f);
    STRATEGY(33, 1) = 2.0f;
    AREA(6) = 0.0f; AREA(10) = 10.0f;
    CALC_CLC();
    EXPECT_FLOAT_EQ(SurfaceRatio, 0.05f);
    AREA(10) = 0.0f; RAX = 0.0f; FLOORS = 0.0f;  // nothing to compare with
    CALC_CLC();
    EXPECT_FLOAT_EQ(SurfaceRatio, 1.0f);
}

TEST(ZoneConstants, MassOfConcreteAndWaterElements) {
    CALC_CLC();
    EXPECT_EQ(TMASS, 0.0f);
    EXPECT_EQ(SURFA, 0.0f);
    // 2 concrete slabs 10 x 8 ft, 4 in, 140 lb/ft3, 0.2 Btu/lb.F.
    LNTH(1) = 10; WDTH(1) = 8; THCK(1) = 4; NELMNT(1) = 2; DNST(1) = 140; SPHT(1) = 0.2f;
    MTUSED(1) = "CONCRETE";
    // A 55-gallon water drum, count left at 0, one face 2 x 2 ft.
    LNTH(2) = 2; WDTH(2) = 2; THCK(2) = 55; NELMNT(2) = 0; DNST(2) = 62.4f; SPHT(2) = 1.0f;
    MTUSED(2) = "WATER";
    CALC_CLC();
    const float concrete = 10 * 8 * (4.0f / 12) * 140 * 0.2f;  // 746.7 Btu/F
    const float water = 55 * 0.1337f * 62.4f;                   // 458.9 Btu/F
    EXPECT_FLOAT_EQ(CALC_CLC_STATE.SMASS(1), concrete);
    EXPECT_FLOAT_EQ(CALC_CLC_STATE.SMASS(2), water);
    EXPECT_EQ(NELMNT(2), 1.0f);
    EXPECT_NEAR(TMASS, 2 * concrete + water, 1e-3f);
    EXPECT_FLOAT_EQ(SURFA, 160.0f + 4.0f);
}

}  // namespace
}  // namespace mavo
