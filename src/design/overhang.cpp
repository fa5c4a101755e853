// South overhang sizing of the energy-efficient scheme.
//
// The overhang is set a small gap above the window head (less for a low
// window) and projects far enough that the sun at solar noon on a late
// summer day, declination 23.5 x sin(150 deg) = 11.75 deg (late August,
// when cooling is still wanted), throws the overhang's shadow down to the
// sill. The winter sun, lower, passes under it.
#include "design/overhang.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "design/design_scheme.h"
#include "front/trace.h"

namespace mavo {
namespace {

constexpr REAL kDegreesPerRadian = 57.2958f;
constexpr REAL kSmallestAltitude_rad = 0.001f;  // keeps tan() off zero at the pole-side limit
constexpr REAL kDeepestOverhang_ft = 10.0f;
constexpr INTEGER kSunspace = 20;

// Gap between the window head and the overhang: smaller windows get the
// overhang closer to their head.
REAL gap_above_head_ft(REAL window_height_ft) {
    if (window_height_ft <= 2.0f) return 0.25f;
    if (window_height_ft <= 3.0f) return 0.5f;
    if (window_height_ft <= 5.0f) return 1.0f;
    return 1.33f;
}

}  // namespace

REAL overhang_latitude(REAL latitude_deg) {
    if (std::abs(latitude_deg) <= 0.1f) return 0.1f;
    if (latitude_deg >= 89.9f) return 89.9f;
    if (latitude_deg <= -89.9f) return -89.9f;
    return latitude_deg;
}

SouthOverhang overhang_for_late_summer_noon(REAL head_ft, REAL sill_ft, REAL story_height_ft, REAL latitude_deg) {
    const REAL OHGAP = gap_above_head_ft(head_ft - sill_ft);
    // At solar noon the zenith angle is latitude - declination (Duffie &
    // Beckman, Solar Engineering of Thermal Processes, sec. 1.6), so the
    // altitude is 90 - latitude + declination.
    REAL A = (90.0f - latitude_deg + 23.5f * std::sin(2.61799f)) / kDegreesPerRadian;
    if (std::abs(A) <= kSmallestAltitude_rad) A = kSmallestAltitude_rad;

    // The overhang stays below the story above.
    REAL D = head_ft + OHGAP > story_height_ft ? story_height_ft - head_ft : OHGAP;
    D = std::max(0.0f, D);
    REAL P = (head_ft + D - sill_ft) / std::tan(A);
    if (P > kDeepestOverhang_ft) {
        P = kDeepestOverhang_ft;
        D = 0.0f;
    }
    return SouthOverhang{std::max(0.0f, P), std::max(0.0f, D)};
}

void size_south_overhang(INTEGER k) {
    if (NTYPE == kSunspace || NFLAG(8) || !NFLAG(9)) return;
    const REAL lat_deg = overhang_latitude(SLAT);
    if (lat_deg != SLAT) {
        DBG_FLOAT("SLAT corrected for the overhang GLZSHD", lat_deg);
        SLAT = lat_deg;
    }
    const SouthOverhang o = overhang_for_late_summer_noon(HEAD(1), SILL(1), FLTOFL, SLAT);
    OHANGDIS(1) = o.height_above_head_ft;
    OHANGD(1) = o.depth_ft;
    const bool dwelling_facing_south = k != 1 && FACING(1) >= -45.0f && FACING(1) < 45.0f && NTYPE >= 15 && NTYPE <= 19;
    if (dwelling_facing_south) {
        // A climate whose design day stays below the comfort limit needs no shade.
        if (COMHI > DESMAX) OHANGD(1) = 0.0f;
        // An existing house keeps the facade it has.
        if (STRATEGY(6, k) >= 2.0f && k == 2) {
            OHANGD(1) = 0.0f;
            OHANGDIS(1) = 0.0f;
        }
    }
    DBG_FLOAT("OHANGD(1) depth final 1686", OHANGD(1));
    DBG_FLOAT("OHANGDIS(1) above head GLZSHD", OHANGDIS(1));
}

}  // namespace mavo
