// BLDGSZ: the plan of a generated building on a 4-ft grid and its opaque
// envelope.
//
// The plan is the grid rectangle that the floor of one story fills most
// fully: for the code-minimum scheme near square with the north-south side
// not the shorter one, for the second scheme not deeper north-south than
// long east-west. The energy-efficient scheme is first stretched east-west
// by the plan ratio of its climate and kept within the plan depth that its
// building type can daylight.
#include "design/sizing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "blocks/blocks.h"
#include "design/design_scheme.h"
#include "front/trace.h"
#include "physics/dwelling_facades.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kGridCell_ft = 4.0f;
constexpr REAL kGridCellArea_ft2 = kGridCell_ft * kGridCell_ft;
// Longest east-west side of a stretched plan: beyond it the building is
// made deeper instead of longer.
constexpr REAL kLongestNonresidentialSide_ft = 248.0f;
constexpr REAL kLongestResidentialSide_ft = 116.0f;

constexpr INTEGER kSouth = 1, kWest = 2, kNorth = 3, kEast = 4, kSkylight = 5;

// Floor of one story over the grid area of ne by ns cells; 0 for an empty grid.
REAL grid_fill_ratio(REAL story_area_ft2, INTEGER ne, INTEGER ns) {
    const INTEGER cells = ne * ns;
    if (cells == 0) return 0.0f;
    return story_area_ft2 / (static_cast<REAL>(cells) * kGridCellArea_ft2);
}

// First estimate of the east-west side, ft.
REAL first_plan_estimate(INTEGER k) {
    if (k == 2 && NFLAG(9)) {
        const REAL R = olgyay_plan_ratio(HDD);
        if (R > 0.0f && EWDIM > 0.0f) {
            NSDIM = std::sqrt(RAX / R);
            EWDIM = RAX / NSDIM;
        }
        // The depth a building type can daylight; 0 in the type table
        // means no limit is given.
        if (NTYPE >= 1 && NTYPE <= 20) {
            const REAL deepest_ft = FLOORS < 4.0f ? DVALUE(13, NTYPE) : DVALUE(14, NTYPE);
            if (deepest_ft > 0.0f && NSDIM > deepest_ft) NSDIM = deepest_ft;
        }
        if (NSDIM > 0.0f) EWDIM = RAX / NSDIM;
        const REAL longest_ft = NFLAG(24) ? kLongestNonresidentialSide_ft : kLongestResidentialSide_ft;
        if (EWDIM > longest_ft) {
            EWDIM = longest_ft;
            NSDIM = RAX / longest_ft;
        }
        // A plan without an east-west side (none was stored) starts square.
        if (EWDIM > 0.0f) return EWDIM;
    }
    return std::sqrt(RAX);
}

// The grid the floor fills most fully among the estimate and its eight
// neighbours; ties keep the earlier trial.
void best_grid(INTEGER k, REAL estimate_ft) {
    const REAL story_area_ft2 = AREAT / FLOORS;
    const INTEGER NOEW = int_toward_zero(std::ceil(estimate_ft / kGridCell_ft));
    const INTEGER NONS =
        int_toward_zero(std::ceil(story_area_ft2 / (static_cast<REAL>(NOEW) * kGridCell_ft) / kGridCell_ft));
    EWDIM = kGridCell_ft * static_cast<REAL>(NOEW);
    NSDIM = kGridCell_ft * static_cast<REAL>(NONS);

    REAL RATIO = grid_fill_ratio(story_area_ft2, NOEW, NONS);
    if (RATIO > 1.0f) RATIO = 0.0f;
    if (k == 1 && NONS < NOEW) RATIO = 0.0f;

    constexpr INTEGER kTrials[9][2] = {{0, 0}, {0, -1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {1, -1}, {1, 0}, {1, 1}};
    for (const auto& step : kTrials) {
        const INTEGER ne = NOEW + step[0];
        const INTEGER ns = NONS + step[1];
        REAL RATIONEW = grid_fill_ratio(story_area_ft2, ne, ns);
        if (k == 1 && (ns < ne || std::abs(ne - ns) > 1)) RATIONEW = 0.0f;
        if (k == 2 && ne < ns) RATIONEW = 0.0f;
        if (RATIONEW <= 1.0f && RATIONEW > RATIO) {
            RATIO = RATIONEW;
            EWDIM = kGridCell_ft * static_cast<REAL>(ne);
            NSDIM = kGridCell_ft * static_cast<REAL>(ns);
        }
    }
    DBG_FLOAT("RATIO floor over grid BLDGSZ", RATIO);
}

void gross_envelope(INTEGER k) {
    for (INTEGER i = 1; i <= 5; ++i) {
        AREA(i) = 0.0f;
        PERCNT(i) = 0.0f;
    }
    AREA(6) = AREA(8) = EWDIM * FLOORS * FLTOFL;
    AREA(7) = AREA(9) = NSDIM * FLOORS * FLTOFL;
    for (INTEGER i = 6; i <= 9; ++i) PERCNT(i) = 100.0f;
    AREA(10) = RAX;
    PERCNT(10) = 100.0f;
    VOLUME = AREAT * FLTOCE;
    const REAL floor_type = STRATEGY(33, k);
    if (floor_type == 6.0f || floor_type == 7.0f) {  // slab on grade: the perimeter, ft
        AREA(11) = 0.0f;
        PERCNT(11) = 0.0f;
        AREA(12) = 2.0f * (EWDIM + NSDIM);
        PERCNT(12) = 100.0f;
    } else {
        raised_floor_over_footprint();
    }
}

void clear_lines_of_facade(INTEGER facade) {
    for (INTEGER j = 1; j <= 25; ++j)
        if (ITEMS(j) == facade) QTY(j) = 0.0f;
}

// A facade shared with the neighbour: neither wall nor glass loses heat.
void remove_facade(INTEGER f) {
    AREA(f) = AREA(f + 5) = 0.0f;
    PERCNT(f) = PERCNT(f + 5) = 0.0f;
    clear_lines_of_facade(f);
}

// A floor over another conditioned unit.
void no_floor_losses(INTEGER k) {
    STRATEGY(49, k) = 1.0f;
    AREA(11) = AREA(12) = 0.0f;
    PERCNT(11) = PERCNT(12) = 0.0f;
    if (STRATEGY(33, k) == 6.0f) STRATEGY(33, k) = 8.0f;
    if (STRATEGY(33, k) == 7.0f) STRATEGY(33, k) = 9.0f;
}

// A roof under another conditioned unit.
void no_roof_losses(INTEGER k) {
    STRATEGY(32, k) = 1.0f;
    AREA(5) = AREA(10) = 0.0f;
    PERCNT(5) = PERCNT(10) = 0.0f;
    clear_lines_of_facade(kSkylight);
}

void shared_surfaces_nonresidential(INTEGER k) {
    if (STRATEGY(9, k) >= 4.0f) STRATEGY(9, k) = 0.0f;  // not a shared-wall code
    const REAL S7 = STRATEGY(7, k), S9 = STRATEGY(9, k);
    if (S9 == 1.0f) {
        remove_facade(kEast);
        remove_facade(kWest);
    } else if (S9 == 2.0f) {
        remove_facade(kWest);
    } else if (S9 == 3.0f) {
        remove_facade(kEast);
    }
    if (S7 == 3.0f) {
        remove_facade(kNorth);
        remove_facade(kSouth);
    } else if (S7 == 4.0f) {
        remove_facade(kNorth);
    }
    if (building_over_heated_unit(k)) no_floor_losses(k);
    if (roof_under_heated_unit(k)) no_roof_losses(k);
}

// Where the grid is a cell larger than the floor and the east wall is
// shared, the notch in the plan still shows a 4-ft wall to the outside.
void notch_wall() {
    if (AREA(9) != 0.0f) return;
    if (!(AREA(8) + AREA(3) > 0.0f)) return;
    if (!plan_has_notch()) return;
    AREA(9) = kGridCell_ft * FLTOFL * FLOORS - AREA(4);
    PERCNT(9) = AREA(9) / (NSDIM * FLOORS * FLTOFL) * 100.0f;
}

// A dwelling's walls face the outside as far as no neighbour shares them
// and no attached garage covers them (with the wall of the plan's notch
// beside a shared east wall); the floor over or the roof under another
// heated unit loses nothing. Every later load of the scheme rebuilds the
// walls by the same rules.
void outside_walls_residential(INTEGER k) {
    for (INTEGER f = kSouth; f <= kEast; ++f) {
        const REAL gross_ft2 = AREA(f + 5);
        if (dwelling_facade_shared(k, f)) remove_facade(f);
        AREA(f + 5) = dwelling_outside_area_ft2(k, f);
        PERCNT(f + 5) = gross_ft2 > 0.0f ? AREA(f + 5) / gross_ft2 * 100.0f : 0.0f;
    }
    if (dwelling_over_heated_unit(k)) no_floor_losses(k);
    if (roof_under_heated_unit(k)) no_roof_losses(k);

    const GarageCover garage = attached_garage_cover(k);
    if (garage.facade == 0) return;
    DBG_FLOAT("garagewidth BLDGSZ", garage.width_ft);
    const REAL floor_type = std::abs(STRATEGY(33, k));
    if (floor_type == 6.0f || floor_type == 7.0f) {  // the garage covers part of the slab edge
        AREA(12) = std::max(0.0f, AREA(12) - garage.width_ft);
        PERCNT(12) = AREA(12) * 100.0f / (2.0f * (EWDIM + NSDIM));
    }
}

void trace_envelope() {
    if (!NFLAG(90)) return;
    for (INTEGER i = 1; i <= 27; ++i) {
        const std::string n = std::to_string(i);
        DBG_FLOAT(" area(" + n + ", ) end BLDGSZ 831", AREA(i));
        DBG_FLOAT(" percnt(" + n + ", ) end BLDGSZ 831", PERCNT(i));
    }
    DBG_FLOAT(" ewdim end BLDGSZ 831", EWDIM);
    DBG_FLOAT(" nsdim end BLDGSZ 831", NSDIM);
    DBG_FLOAT(" volume end BLDGSZ 831", VOLUME);
}

}  // namespace

bool roof_under_heated_unit(INTEGER k) {
    if (NFLAG(24)) {
        const REAL S10 = STRATEGY(10, k);
        return S10 == 1.0f || S10 == 3.0f;
    }
    const REAL S7 = STRATEGY(7, k), S9 = STRATEGY(9, k);
    return !attachment_is_detached(S7) && S7 >= 3.0f && (S9 == 1.0f || S9 == 3.0f);
}

REAL olgyay_plan_ratio(REAL hdd) {
    // After Olgyay (1963), Design with Climate: the optimum plan lengthens
    // east-west in mild climates and approaches a square in cold ones.
    if (hdd > 10000.0f) return 1.0f;
    return 2.0f - hdd / 10000.0f;
}

void BLDGSZ() {
    DBG_IN("BLDGSZ");
    const INTEGER k = IDNUM1;
    // The plan divides by the stories and the floor area; a building with
    // neither cannot be laid out, and the stored plan stays as it is.
    if (!has_scheme_column(k) || !(FLOORS > 0.0f) || !(AREAT > 0.0f)) {
        DBG_ERROR("BLDGSZ: no scheme column, stories or floor area; plan kept");
        DBG_FLOAT("BLDGSZ FLOORS", FLOORS);
        DBG_FLOAT("BLDGSZ AREAT", AREAT);
        DBG_OUT("BLDGSZ");
        return;
    }
    RAX = AREAT / FLOORS;
    best_grid(k, first_plan_estimate(k));
    gross_envelope(k);
    if (NFLAG(24)) {
        shared_surfaces_nonresidential(k);
        notch_wall();
    } else {
        outside_walls_residential(k);
    }
    trace_envelope();
    DBG_OUT("BLDGSZ");
}

}  // namespace mavo
