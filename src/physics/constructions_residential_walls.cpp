// The residential wall step: one U-factor, time lag, decrement and
// absorptance for the four exterior walls from the wall type, the
// insulation level and the climate zone, and the walls' thermal-mass
// element for the generated designs.
//
// The U-factors are those of the listed assemblies (gypsum board inside
// unless said): frame walls by their cavity insulation, masonry and
// insulated-form walls by their foam and mass, the code-minimum level of
// the frame walls by the zone's prescriptive wall U-factor.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/constructions_residential_steps.h"

namespace mavo::residential_construction {
namespace {

constexpr REAL kWallAbsorptance = 0.5f;  // medium-coloured finish
constexpr INTEGER kZone16 = 16;           // the cold mountain zone has stricter foam walls

enum class WallMass { none, concrete_2in, brick_8in };

struct WallAssembly {
    REAL u = 0.999f;  // Btu/h.ft2.F; 0.999 marks a type without an assembly
    REAL lag_h = 0.0f;
    REAL decr = 0.0f;
    WallMass mass = WallMass::none;
};

// U-factor by level: L 6, L 7, any other level.
REAL by_level(INTEGER level, REAL u6, REAL u7, REAL other) {
    if (level == 6) return u6;
    if (level == 7) return u7;
    return other;
}

WallAssembly wall_assembly(INTEGER type, INTEGER level, INTEGER z) {
    const bool zone16 = z == kZone16;
    switch (type) {
        case 1: return {0.356f, 3.0f, 0.88f, WallMass::none};
        case 2: return {0.102f, 3.0f, 0.91f, WallMass::none};
        case 3: return {0.44f, 8.0f, 0.16f, WallMass::concrete_2in};
        case 4:
            return {by_level(level, 0.044f, 0.033f, zone16 ? 0.059f : 0.07f), 11.0f, 0.07f, WallMass::none};
        case 6:
            return {zone16 ? by_level(level, 0.044f, 0.033f, 0.068f) : by_level(level, 0.07f, 0.06f, 0.113f),
                    13.0f, 0.05f, WallMass::concrete_2in};
        case 7: {
            REAL u = by_level(level, 0.076f, 0.062f, 0.123f);
            if (zone16) u = level == 9 ? 0.123f : by_level(level, 0.044f, 0.033f, 0.069f);
            return {u, 13.0f, 0.05f, WallMass::concrete_2in};
        }
        case 8: return {0.362f, 3.0f, 0.88f, WallMass::none};
        case 9: return {level == 5 ? CECRESA(2, z) : 0.065f, 5.0f, 0.7f, WallMass::none};
        case 10:
            return {level == 5 ? CECRESA(2, z) : by_level(level, 0.044f, 0.033f, 0.065f), 5.0f, 0.74f,
                    WallMass::none};
        case 11: return {by_level(level, 0.044f, 0.032f, 0.061f), 1.0f, 0.98f, WallMass::none};
        case 12: return {by_level(level, 0.04f, 0.031f, 0.056f), 11.0f, 0.14f, WallMass::none};
        case 13: return {0.74f, 6.0f, 0.14f, WallMass::brick_8in};
        case 14: return {by_level(level, 0.041f, 0.038f, 0.047f), 5.0f, 0.7f, WallMass::none};
        default: return {};  // 0, 5 and 15 on: no assembly
    }
}

// Mass element 2: the exterior walls of masonry types, otherwise the
// gypsum board of the interior partitions.
void wall_mass_element(const ScaledFootprint& f, WallMass mass) {
    const REAL a = f.a_ft;
    const REAL b = f.b_ft;
    LNTH(2) = b > a ? b : a;
    WDTH(2) = FLTOCE;
    switch (mass) {
        case WallMass::none:
            MTUSED(2) = "DRYWALL";
            THCK(2) = 0.625f;
            // Partition length of 4 x 12 ft per 144 ft2 of floor, both faces.
            NELMNT(2) = (f.story_area_ft2 / 144.0f) * FLOORS * 4.0f * 12.0f / LNTH(2);
            break;
        case WallMass::brick_8in:
            MTUSED(2) = "BRICK";
            THCK(2) = 8.0f;
            NELMNT(2) = 2.0f * FLOORS * (a + b) / LNTH(2);
            break;
        case WallMass::concrete_2in:
            MTUSED(2) = "CONCRETE";
            THCK(2) = 2.0f;
            NELMNT(2) = 2.0f * FLOORS * (a + b) / LNTH(2);
            break;
    }
}

}  // namespace

void residential_walls(Working& w) {
    const INTEGER type = code_of(31, w.k);
    const WallAssembly wall = wall_assembly(type, w.level, w.z);
    w.wall_lag_h = wall.lag_h;
    w.wall_decr = wall.decr;

    for (INTEGER item = 6; item <= 9; ++item) RVAL(item) = w.RinsWall;
    if ((w.k == 1 || w.k == 2) && w.footprint.valid) wall_mass_element(w.footprint, wall.mass);
    for (INTEGER item = 6; item <= 9; ++item) {
        UVAL(item) = wall.u;
        TMLAG(item) = wall.lag_h;
        DECR(item) = wall.decr;
        ABSORB(item) = kWallAbsorptance;
    }
    DBG_INT("UVALR wall type Strategy(31", type);
    DBG_FLOAT("UVALR wall Uval(6)", UVAL(6));
}

}  // namespace mavo::residential_construction
