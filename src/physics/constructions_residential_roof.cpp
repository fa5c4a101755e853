// The residential roof step. Flat roofs on wood joists (and the no-loss
// roof under a heated unit) get a U-factor from two parallel paths, 90 %
// through the insulated joist cavities and 10 % through the framing. A
// ceiling under an attic has the same two paths, each in series with the
// attic air space and the roof shell; its U-factor here is the steady one,
// with the attic air space of the radiant-barrier code (the still air of a
// cool hour). The hourly envelope model forms the ceiling U-factor of each
// hour from the same resistances and an attic air space that depends on
// the hour's temperatures; the zone constants, the design loads and the
// reports use the steady U-factor. The roof's surface follows the zone's
// cool-roof requirement for its slope.
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/constructions_residential_steps.h"
#include "physics/opaque.h"

namespace mavo::residential_construction {
namespace {

// Resistances of the ceiling paths, h.ft2.F/Btu.
constexpr REAL kJoistRoofShellR = 3.25f;     // roofing, deck, gypsum ceiling and films of a flat roof
constexpr REAL kFramingR = 15.33f;           // wood joist across the insulation depth
constexpr REAL kAtticCeilingShellR = 1.06f;  // gypsum ceiling and films below an attic
constexpr REAL kAtticFramingR = 16.39f;      // 1.06 + 15.33
constexpr REAL kLightTileShellR = 1.39f;     // roof shell above the attic, light-weight tiles
constexpr REAL kHeavyTileShellR = 1.85f;     // roof shell above the attic, heavy tiles
constexpr REAL kAtticAirR_barrier = 6.5f;    // attic air space with a radiant barrier
constexpr REAL kAtticAirR_plain = 1.9f;      // attic air space without
constexpr REAL kCavityShare = 0.9f;
constexpr REAL kFramingShare = 0.1f;
constexpr REAL kHeavyInsulationR = 33.0f;    // above this the ceiling insulation adds lag
constexpr REAL kLowSlopeLimit_deg = 9.5f;    // up to this the low-slope cool-roof values apply

// Stored properties of a roof the user changed; 0 where none is kept.
struct SavedRoof {
    REAL absorb = 0.0f;
    REAL u = 0.0f;
    REAL lag_h = 0.0f;
    REAL emittance = 0.0f;
    REAL decr = 0.0f;
};

// Default roof slope from the latitude: steeper roofs farther from the
// equator, between 10 and 40 degrees.
REAL default_roof_slope_deg(REAL latitude_deg) {
    const REAL lat = std::fabs(latitude_deg);
    if (lat >= 45.0f) return 40.0f;
    if (lat < 15.0f) return 10.0f;
    return lat - 5.0f;
}

// Attic air-space R by the radiant-barrier code: no attic under a heated
// unit (1, 2), foil present (3, 6), no foil (4, 5).
REAL attic_air_r(INTEGER barrier_code, bool barrier_required) {
    switch (barrier_code) {
        case 1: case 2: return 0.0f;
        case 3: case 6: return kAtticAirR_barrier;
        case 4: case 5: return kAtticAirR_plain;
        default: return barrier_required ? kAtticAirR_barrier : kAtticAirR_plain;
    }
}

// Parallel-path U-factor of a ceiling, Btu/h.ft2.F.
REAL parallel_path_u(REAL cavity_r, REAL framing_r) {
    return kCavityShare / cavity_r + kFramingShare / framing_r;
}

}  // namespace

void residential_roof(Working& w) {
    const INTEGER k = w.k;
    const INTEGER type = code_of(32, k);

    // 1. Stored values of a changed roof; the ceiling's mass element.
    SavedRoof saved;
    if (type < 0 && k >= 2) saved = {ABSORB(10), UVAL(10), TMLAG(10), REMITT, DECR(10)};
    if ((k == 1 || k == 2) && w.footprint.valid) {
        LNTH(3) = w.footprint.a_ft;
        WDTH(3) = w.footprint.b_ft;
        NELMNT(3) = FLOORS;
        MTUSED(3) = "DRYWALL";
        THCK(3) = 0.625f;
    }

    // 2., 3. Slope and the cool-roof surface for it.
    if (std::abs(type) <= 3) RSLOPE = 0.0f;
    else if (type > 3 && RSLOPE <= 0.0f) RSLOPE = default_roof_slope_deg(SLAT);
    if (RSLOPE <= kLowSlopeLimit_deg) {
        ABSORB(10) = 1.0f - CECRESA(25, w.z);
        REMITT = CECRESA(26, w.z);
    } else {
        ABSORB(10) = 1.0f - CECRESA(27, w.z);
        REMITT = CECRESA(28, w.z);
    }

    // 4., 5. Attic air space and the default framing path.
    ATTICR = attic_air_r(code_of(35, k), w.RBReqd);
    RFRAMINGC = kFramingR;

    // The ceiling R is the insulation level's. No scheme file carries
    // RVAL(10), so what it held before this step belongs to whichever
    // scheme was laid out last; a level that names no ceiling insulation
    // therefore has an uninsulated ceiling, not the R of another scheme.
    const REAL ceiling_r = RINSCEIL;
    const bool heavy_insulation = ceiling_r > kHeavyInsulationR;

    // 6. Paths, U-factor, time lag and decrement by the roof type.
    REAL lag_h = w.wall_lag_h;
    REAL decr = w.wall_decr;
    REAL shell_r = 0.0f;  // traced only
    switch (type) {
        case -1: case 0: case 1: case 2: case 3:
            shell_r = kJoistRoofShellR;
            RCAVITYC = ceiling_r + kJoistRoofShellR + ATTICR;
            RFRAMINGC = ATTICR + kJoistRoofShellR + kFramingR;
            RSHELCEIL = 0.0f;
            UVAL(10) = parallel_path_u(RCAVITYC, RFRAMINGC);
            lag_h = heavy_insulation ? 3.0f : 2.0f;
            if (type == 3) decr = heavy_insulation ? 0.9f : 0.96f;  // default roof
            else decr = heavy_insulation ? 0.88f : 0.94f;
            if (type <= 1) {  // no roof losses: a heated unit upstairs
                if (type == 0) STRATEGY(32, k) = 1.0f;
                AREA(10) = 0.0f;
                PERCNT(10) = 0.0f;
                ABSORB(10) = 0.0f;
                REMITT = 0.0f;
            }
            break;
        case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11: {
            // Heavy tiles: the default (8, 9) and the cool (10, 11) roofs.
            const bool heavy_tiles = type >= 8;
            shell_r = kAtticCeilingShellR;
            RCAVITYC = ceiling_r + kAtticCeilingShellR;
            RFRAMINGC = kAtticFramingR;
            RSHELCEIL = heavy_tiles ? kHeavyTileShellR : kLightTileShellR;
            if (heavy_tiles) {
                lag_h = heavy_insulation ? 4.0f : 3.0f;
                decr = heavy_insulation ? 0.86f : 0.91f;
            } else {
                lag_h = heavy_insulation ? 3.0f : 2.0f;
                decr = heavy_insulation ? 0.87f : 0.94f;
            }
            UVAL(10) = attic_ceiling_u(RCAVITYC + ATTICR + RSHELCEIL, RFRAMINGC + ATTICR + RSHELCEIL);
            if (type >= 10) {  // no values of their own for the lag and decrement: the walls'
                lag_h = w.wall_lag_h;
                decr = w.wall_decr;
            }
            break;
        }
        default:
            // A changed roof keeps the U-factor its scheme file stored; the
            // lag and decrement are those of the walls.
            break;
    }

    // 7. A changed roof keeps what it had.
    if (saved.emittance > 0.0f) REMITT = saved.emittance;
    if (saved.absorb > 0.0f) ABSORB(10) = saved.absorb;
    if (saved.u > 0.0f) UVAL(10) = saved.u;
    TMLAG(10) = saved.lag_h > 0.0f ? saved.lag_h : lag_h;
    DECR(10) = saved.decr > 0.0f ? saved.decr : decr;

    // 8., 9. The ceiling insulation R of the roof item.
    RVAL(10) = RINSCEIL;
    if (type == -1) AREA(10) = 0.0f;

    DBG_INT("UVALR roof type Strategy(32", type);
    DBG_FLOAT("UVALR RshelCeil", shell_r);
    DBG_FLOAT("UVALR AtticR", ATTICR);
    DBG_FLOAT("UVALR RcavityC", RCAVITYC);
    DBG_FLOAT("UVALR RframingC", RFRAMINGC);
}

}  // namespace mavo::residential_construction

namespace mavo {

void roof_slope_follows_the_site(REAL saved_latitude_deg) {
    if (!(RSLOPE > 0.0f) || SLAT == saved_latitude_deg) return;
    if (RSLOPE != residential_construction::default_roof_slope_deg(saved_latitude_deg)) return;
    RSLOPE = residential_construction::default_roof_slope_deg(SLAT);
    DBG_FLOAT("roof slope of the latitude the site moved to", RSLOPE);
}

}  // namespace mavo
