// CALC_CLC: the constants the zone balance works with. The envelope
// conductance counts windows and skylights at their full U-factor and the
// opaque items weighted by their decrement factor (a heavy wall passes only
// part of the daily swing); the lumped mass is the sum of the mass elements.
#include "results/zone_constants.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/result_columns.h"

namespace mavo {
namespace {

constexpr REAL kFt3PerGallon = 0.1337f;  // water elements give their volume in gallons
constexpr REAL kInchesPerFoot = 12.0f;
constexpr REAL kSmallestSurfaceRatio = 0.05f;  // even a tiny envelope leaks through some surface

enum class Foundation { Slab, Floor, Basement };

// Floor type code of the scheme: 6 and 7 slab on grade; below 10 and 16 a
// raised floor; 10 and up (except 16) a basement. The sign marks a
// construction the user changed and does not matter here.
Foundation foundation_of(REAL floor_code) {
    if (floor_code == 6.0f || floor_code == 7.0f || floor_code == -6.0f || floor_code == -7.0f)
        return Foundation::Slab;
    const REAL magnitude = std::fabs(floor_code);
    if (magnitude < 10.0f || magnitude == 16.0f) return Foundation::Floor;
    return Foundation::Basement;
}

REAL envelope_conductance(Foundation foundation) {
    REAL c_btuhF = 0.0f;
    for (INTEGER i = 1; i <= 5; ++i) c_btuhF += UVAL(i) * AREA(i);
    for (INTEGER i = 6; i <= 10; ++i) c_btuhF += UVAL(i) * AREA(i) * DECR(i);
    switch (foundation) {
        case Foundation::Slab:  // slab edge: F-factor times perimeter
            return c_btuhF + UVAL(12) * AREA(12) * DECR(12);
        case Foundation::Floor:
            return c_btuhF + UVAL(11) * AREA(11) * DECR(11);
        case Foundation::Basement:  // basement perimeter counted over one storey height
            return c_btuhF + UVAL(11) * AREA(11) * DECR(11) + UVAL(12) * AREA(12) * DECR(12) * FLTOCE;
    }
    return c_btuhF;
}

// Envelope surface over the largest surface the plan could have.
REAL surface_ratio(Foundation foundation) {
    REAL surface_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 10; ++i) surface_ft2 += AREA(i);
    REAL stories = FLOORS;
    if (foundation == Foundation::Basement) stories -= 1.0f;  // the basement storey has no exposed walls
    const REAL wall_height_ft = FLTOCE * stories;
    const REAL largest_ft2 = 2.0f * wall_height_ft * (EWDIM + NSDIM) + RAX;
    DBG_FLOAT("in CALC_CLC: floors", FLOORS);
    DBG_FLOAT("in CALC_CLC: FLTOCE", FLTOCE);
    DBG_FLOAT("in CALC_CLC: RAx", RAX);
    DBG_FLOAT("in CALC_CLC: WallHt", wall_height_ft);
    DBG_FLOAT("in CALC_CLC: SurfaceMax", largest_ft2);
    DBG_FLOAT("in CALC_CLC: SurfaceArea", surface_ft2);
    // No walls above grade and no roof: nothing to compare with, count the
    // whole envelope as exposed (0/0 would leave the ratio undefined).
    if (largest_ft2 == 0.0f) return 1.0f;
    const REAL ratio = std::min(surface_ft2 / largest_ft2, 1.0f);
    return std::max(ratio, kSmallestSurfaceRatio);
}

// Heat capacity of one element of mass kind k, Btu/F. A water element with
// no count still holds its water, so it counts once.
REAL element_capacity(INTEGER k) {
    if (MTUSED(k) == MTNAME(2)) {
        DBG_INT("in CALC_CLC: water element", k);
        if (NELMNT(k) <= 0.0f) NELMNT(k) = 1.0f;
        return THCK(k) * kFt3PerGallon * DNST(k) * SPHT(k);
    }
    return LNTH(k) * WDTH(k) * (THCK(k) / kInchesPerFoot) * DNST(k) * SPHT(k);
}

}  // namespace

void CALC_CLC() {
    DBG_IN("CALC_CLC");
    const Foundation foundation = foundation_of(scheme_code(33));
    CLC = envelope_conductance(foundation);
    SurfaceRatio = surface_ratio(foundation);
    DBG_FLOAT("in CALC_CLC: SurfaceRatio", SurfaceRatio);

    FArray<REAL, 6>& SMASS = CALC_CLC_STATE.SMASS;
    TMASS = 0.0f;
    SURFA = 0.0f;
    for (INTEGER k = 1; k <= 6; ++k) {
        SMASS(k) = element_capacity(k);
        TMASS += SMASS(k) * NELMNT(k);
        SURFA += LNTH(k) * WDTH(k) * NELMNT(k);  // one face of each element
        DBG_FLOAT("in CALC_CLC: NELMNT", NELMNT(k));
        DBG_FLOAT("in CALC_CLC: SMASS", SMASS(k));
        DBG_FLOAT("in CALC_CLC: LNTH", LNTH(k));
        DBG_FLOAT("in CALC_CLC: WDTH", WDTH(k));
    }
    DBG_FLOAT("in CALC_CLC: CLC", CLC);
    DBG_FLOAT("in CALC_CLC: Total TMASS ", TMASS);
    DBG_FLOAT("in CALC_CLC: SURFA surface area", SURFA);
    DBG_OUT("CALC_CLC");
}

}  // namespace mavo
