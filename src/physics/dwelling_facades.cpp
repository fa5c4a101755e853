// The outside envelope of a dwelling of a design scheme: shared walls, the
// notch of the plan, an attached garage, and the facades net of their
// openings.
#include "physics/dwelling_facades.h"

#include <algorithm>

#include "blocks/blocks.h"

namespace mavo {
namespace {

constexpr INTEGER kSouth = 1, kWest = 2, kNorth = 3, kEast = 4, kRoof = kRoofItem;
constexpr REAL kGridCell_ft = 4.0f;
constexpr REAL kGridCellArea_ft2 = kGridCell_ft * kGridCell_ft;
// A garage is at most one 9-ft story high and two cars (20 ft) wide; a
// 4-ft notch in the corner of the plan takes one cell off its width.
constexpr REAL kGarageHeight_ft = 9.0f;
constexpr REAL kGarageWidth_ft = 20.0f;
// The roof a garage of code 6 takes from a detached house: one
// two-car bay.
constexpr REAL kGarageRoof_ft2 = 180.0f;

// Length of facade f along the plan, ft.
REAL facade_length_ft(INTEGER f) { return (f == kSouth || f == kNorth) ? EWDIM : NSDIM; }

// Gross area of the wall (1-4) or roof (5) that carries item i's openings.
REAL gross_area_ft2(INTEGER item) {
    if (item == kRoof) return RAX;
    return facade_length_ft(item) * FLOORS * FLTOFL;
}

struct ItemGlazing {
    REAL area_ft2 = 0.0f;
    REAL u_area = 0.0f;
    REAL shgc_area = 0.0f;
    REAL vt_area = 0.0f;
};

ItemGlazing glazing_of_item(INTEGER item) {
    ItemGlazing g;
    for (INTEGER j = 1; j <= 25; ++j) {
        if (ITEMS(j) != item || QTY(j) <= 0.0f) continue;
        const REAL a_ft2 = (HEAD(j) - SILL(j)) * WIDTH(j) * QTY(j);
        if (a_ft2 <= 0.0f) continue;
        g.area_ft2 += a_ft2;
        g.u_area += UWINDO(j) * a_ft2;
        g.shgc_area += SCOEF(j) * a_ft2;
        g.vt_area += TRANS(j) * a_ft2;
    }
    return g;
}

// The gross wall (or roof) that carries item i's glass, as the last run
// left it. Glass within its wall leaves the wall the rest of it. Glass
// that fills its wall or more (a group typed onto a wall shared with a
// neighbour, or larger than its facade) leaves no wall to add back: the
// glass's share of the gross (100 % or more) keeps the gross, and a wall
// without a gross (a share below 100 % beside no wall) has none, so that
// glass grown past the wall and shrunk again leaves the wall it found.
REAL facade_gross_ft2(INTEGER item) {
    if (AREA(item + 5) > 0.0f) return AREA(item) + AREA(item + 5);
    if (PERCNT(item) >= 100.0f) return AREA(item) * 100.0f / PERCNT(item);
    return 0.0f;
}

}  // namespace

bool dwelling_facade_shared(INTEGER k, INTEGER facade) {
    if (!has_scheme_column(k)) return false;
    const REAL S7 = STRATEGY(7, k), S9 = STRATEGY(9, k);
    if (S7 == 2.0f) {
        if (S9 == 1.0f) return facade == kEast || facade == kWest;
        if (S9 == 2.0f) return facade == kWest;
        if (S9 >= 3.0f) return facade == kEast;
        return false;
    }
    return S7 == 3.0f && facade == kNorth;
}

bool lays_out_dwelling_facades() { return WIDTHDL >= 0.0f && !NFLAG(24) && IDNUM1 < 3; }

bool plan_has_notch() { return FLOORS > 0.0f && EWDIM * NSDIM >= AREAT / FLOORS + kGridCellArea_ft2; }

GarageCover attached_garage_cover(INTEGER k) {
    GarageCover g;
    if (!has_scheme_column(k)) return g;
    const REAL code = STRATEGY(34, k);
    INTEGER f = 0;
    if (code == 2.0f) f = kSouth;
    else if (code == 3.0f) f = kWest;
    else if (code == 4.0f) f = kNorth;
    else if (code == 5.0f) f = kEast;
    // A garage cannot stand against a wall shared with a neighbour.
    if (f == 0 || dwelling_facade_shared(k, f)) return g;
    const REAL length_ft = facade_length_ft(f);
    REAL width_ft = std::min(length_ft, kGarageWidth_ft);
    if ((f == kNorth || f == kEast) && length_ft <= kGarageWidth_ft && plan_has_notch()) width_ft -= kGridCell_ft;
    g.facade = f;
    g.width_ft = std::max(0.0f, width_ft);
    g.wall_ft2 = std::min(FLTOFL, kGarageHeight_ft) * g.width_ft;
    return g;
}

bool dwelling_over_heated_unit(INTEGER k) {
    const REAL S9 = STRATEGY(9, k);
    return STRATEGY(7, k) >= 3.0f && (S9 == 2.0f || S9 == 3.0f);
}

bool building_over_heated_unit(INTEGER k) {
    const REAL S10 = STRATEGY(10, k);
    return S10 == 2.0f || S10 == 3.0f;
}

void floor_over_footprint() {
    AREA(11) = RAX;
    // A plan without sides has no share to give; the floor step then counts
    // the whole floor.
    const REAL plan_ft2 = EWDIM * NSDIM;
    PERCNT(11) = plan_ft2 > 0.0f ? RAX / plan_ft2 * 100.0f : 0.0f;
}

void raised_floor_over_footprint() {
    floor_over_footprint();
    AREA(12) = 0.0f;
    PERCNT(12) = 0.0f;
}

REAL slab_edge_of_plan_ft(INTEGER k) {
    return std::max(0.0f, 2.0f * (EWDIM + NSDIM) - attached_garage_cover(k).width_ft);
}

REAL dwelling_outside_area_ft2(INTEGER k, INTEGER item) {
    const REAL gross_ft2 = gross_area_ft2(item);
    if (!has_scheme_column(k)) return gross_ft2;
    if (item == kRoof) {
        const bool garage_roof = attachment_is_detached(STRATEGY(7, k)) && STRATEGY(34, k) == 6.0f;
        return garage_roof ? std::max(0.0f, gross_ft2 - kGarageRoof_ft2) : gross_ft2;
    }
    if (dwelling_facade_shared(k, item)) {
        // Where the grid is a cell larger than the floor, the notch in the
        // plan still shows a 4-ft wall to the outside beside a shared east
        // wall (unless the north is shared too).
        const bool notch = item == kEast && !dwelling_facade_shared(k, kNorth) && plan_has_notch();
        return notch ? kGridCell_ft * FLTOFL * FLOORS : 0.0f;
    }
    const GarageCover garage = attached_garage_cover(k);
    if (garage.facade == item) return std::max(0.0f, gross_ft2 - garage.wall_ft2);
    return gross_ft2;
}

REAL dwelling_opaque_area_ft2(INTEGER k, INTEGER item) {
    return std::max(0.0f, dwelling_outside_area_ft2(k, item) - glazing_of_item(item).area_ft2);
}

void dwelling_facade_areas() {
    for (INTEGER item = 1; item <= kRoof; ++item) {
        const ItemGlazing g = glazing_of_item(item);
        AREA(item) = g.area_ft2;
        if (g.area_ft2 > 0.0f) {
            // A mean SHGC too small to be real glazing leaves the item's old
            // one. Its U-factor and transmittance are always its lines' own:
            // a facade whose lines hold none (a door and a window whose
            // words the designer emptied) kept the ones the last run left,
            // so edits a run apart gave other losses than the same at once.
            const REAL u = g.u_area / g.area_ft2;
            const REAL shgc = g.shgc_area / g.area_ft2;
            const REAL vt = g.vt_area / g.area_ft2;
            UVAL(item) = u;
            if (shgc >= 0.01f) SC(item) = shgc;
            ABSORB(item) = vt;  // the glazing items' ABSORB carries the visible transmittance
        }
        const REAL gross_ft2 = gross_area_ft2(item);
        AREA(item + 5) = dwelling_opaque_area_ft2(IDNUM1, item);
        if (gross_ft2 > 0.0f) facade_shares(item, gross_ft2);
    }
}

void facade_shares(INTEGER item, REAL gross_ft2) {
    PERCNT(item) = AREA(item) * 100.0f / gross_ft2;
    PERCNT(item + 5) = AREA(item + 5) * 100.0f / gross_ft2;
}

void building_glazing_items_from_lines() {
    for (INTEGER item = 1; item <= kRoof; ++item) {
        const ItemGlazing g = glazing_of_item(item);
        UVAL(item) = SC(item) = ABSORB(item) = 0.0f;
        if (g.area_ft2 > 0.0f) {
            UVAL(item) = g.u_area / g.area_ft2;
            SC(item) = g.shgc_area / g.area_ft2;
            ABSORB(item) = g.vt_area / g.area_ft2;  // the glazing items' ABSORB carries the visible transmittance
        }
        if (AREA(item) == g.area_ft2) {
            // A facade its lines leave without glass has no glass share,
            // whatever share of the code the design aimed at there (a wall
            // shared with a neighbour took none): glass typed there and
            // taken away a run later leaves none either.
            if (!(g.area_ft2 > 0.0f)) PERCNT(item) = 0.0f;
            continue;
        }
        // Glass the lines no longer hold is wall (or roof) again.
        const REAL gross_ft2 = facade_gross_ft2(item);
        AREA(item) = g.area_ft2;
        AREA(item + 5) = std::max(0.0f, gross_ft2 - g.area_ft2);
        PERCNT(item) = PERCNT(item + 5) = 0.0f;
        if (gross_ft2 > 0.0f) facade_shares(item, gross_ft2);
    }
}

}  // namespace mavo
