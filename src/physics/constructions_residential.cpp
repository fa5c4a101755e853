// UVALR: the residential construction properties of the current scheme.
// The scheme's parameter column names its constructions by codes (wall,
// roof and floor types, an insulation level, a radiant-barrier code); this
// file settles the level and what it means for each part of the envelope
// (code-minimum levels take the zone's prescriptive values), then hands over
// to the wall, roof and floor steps and finishes the thermal-mass elements.
//
// A negative construction code marks a construction the user changed after
// it was generated: its stored properties are kept where the step says so.
#include "physics/constructions_residential.h"

#include <cmath>
#include <initializer_list>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "front/trace.h"
#include "physics/constructions_residential_steps.h"
#include "physics/dwelling_facades.h"
#include "physics/mass_materials.h"
#include "physics/sol_air.h"
#include "support/numeric.h"

namespace mavo {

namespace residential_construction {

INTEGER code_of(INTEGER row, INTEGER k) { return int_toward_zero(STRATEGY(row, k)); }

}  // namespace residential_construction

namespace {

using residential_construction::code_of;
using residential_construction::Working;

constexpr INTEGER kYearOfCurrentCode = 2013;  // the code year the generated designs meet
constexpr INTEGER kMassElementsSet = 4;       // floor, walls, ceiling, basement walls
constexpr INTEGER kWindowLines = 25;

bool is_one_of(INTEGER value, std::initializer_list<INTEGER> codes) {
    for (INTEGER c : codes)
        if (value == c) return true;
    return false;
}

// Step 1 and the year built as used: the first scheme is always the current
// code design; a year below 100 was never entered.
void start_of_call(Working& w) {
    RINSCEIL = 0.0f;
    RSHELCEIL = 0.0f;
    RCAVITYC = 0.0f;
    RFRAMINGC = 0.0f;
    const REAL year = STRATEGY(11, w.k);
    w.YearBuilt = (year < 100.0f || w.k == 1) ? kYearOfCurrentCode : int_toward_zero(year);
}

// Step 2: an older building of a user scheme, insulated at least to code,
// is evaluated with the generated constructions again.
void vintage_codes(const Working& w) {
    if (w.k >= 3 && w.YearBuilt < kYearOfCurrentCode && std::abs(code_of(30, w.k)) >= 5) {
        for (INTEGER row = 31; row <= 33; ++row) STRATEGY(row, w.k) = std::fabs(STRATEGY(row, w.k));
    }
}

// Step 3: the radiant-barrier requirement of the zone for the generated
// designs and a house of the current code; a dwelling with another heated unit upstairs (roof types -1 to
// 1; the roof step stores a 0 as 1) needs no foil.
void radiant_barrier_requirement(Working& w) {
    if (NFLAG(9) && (w.k == 1 || w.k == 2)) {
        const bool no_roof = std::abs(code_of(32, w.k)) <= 1;
        if (CECRESA(10, w.z) == 1.0f) {
            NFLAG(85) = true;
            STRATEGY(35, w.k) = no_roof ? 2.0f : 3.0f;
        } else {
            NFLAG(85) = false;
            STRATEGY(35, w.k) = no_roof ? 1.0f : 5.0f;
        }
    } else if (w.k == 2 && w.YearBuilt < kYearOfCurrentCode) {
        // An existing house carries the barrier its zone required when it
        // was built: none before the barrier code, the zone's since. The
        // year in force decides, not what a run under another year left in
        // the scheme's file.
        NFLAG(85) = w.YearBuilt >= design_codes::kRadiantBarrierCode && CECRESA(10, w.z) == 1.0f;
    }
    // Every run stores the code of a unit without a roof (no roof area, or
    // a roof type 0 or 1, whose area the roof step takes away) as one of no
    // foil; the attic step reads that code already, so the run that first
    // meets the unit, its design run among them, simulates the attic every
    // later run simulates. Before a design the roof area is still the one
    // the scheme's previous building left (none after a use whose roof lay
    // under another unit): the design judges the roof area it lays out.
    // A design scheme's dwelling lays its roof out again on every load,
    // after this step, from the footprint of the area and stories now in
    // force: the code is judged on that roof, not on the one the last run
    // saved, so that the first run after an edit of the area or stories
    // simulates and saves the attic its re-runs do.
    const REAL roof = STRATEGY(32, w.k);
    const REAL roof_ft2 = lays_out_dwelling_facades() ? dwelling_opaque_area_ft2(w.k, kRoofItem) : AREA(10);
    const bool no_roof_area = !REVISION_STATE.DESIGN_FOLLOWS && roof_ft2 <= 0.0f;
    if (roof > -1.0f && (no_roof_area || std::abs(code_of(32, w.k)) <= 1))
        STRATEGY(35, w.k) = design_codes::radiant_barrier_code_without_roof(STRATEGY(35, w.k));
    w.RBReqd = NFLAG(85);
}

// Step 4: the perimeter of a slab or basement; a slab has no raised floor.
void perimeter(Working& w) {
    const INTEGER floor_abs = std::abs(code_of(33, w.k));
    if (is_one_of(floor_abs, {6, 7, 16})) {
        w.perimeter_ft = AREA(12);
        AREA(11) = 0.0f;
    } else if (is_one_of(floor_abs, {10, 13, 17})) {
        w.perimeter_ft = AREA(12);
    }
}

// Steps 5 and 6: residential labels of the mass elements for the generated
// designs, and the zone's requirements copied into the column.
void labels_and_requirement_copies(const Working& w) {
    if (w.k == 1 || w.k == 2) {
        for (INTEGER n = 2; n <= 4; ++n) MLABEL(n) = MLABEL(n + 4);
    }
    STRATEGY(37, w.k) = CECRESA(2, w.z);
    STRATEGY(38, w.k) = CECRESA(1, w.z);
    STRATEGY(40, w.k) = CECRESA(3, w.z);
    STRATEGY(35, w.k) = std::fabs(STRATEGY(35, w.k));
}

// Step 7: the code-minimum level means different things for different
// walls: block and insulated-form walls meet the code by their mass (level
// 9), masonry by the heavy-mass value (level 10), and frame walls by the
// plain wall value (level 5).
void normalise_level(Working& w) {
    INTEGER level = code_of(30, w.k);
    const INTEGER wall_abs = std::abs(code_of(31, w.k));
    if ((level == 5 && wall_abs == 4) || wall_abs == 12) level = 9;
    if (level == 5 && is_one_of(wall_abs, {3, 5, 6, 7, 13})) level = 10;
    if ((level == 9 || level == 10) && is_one_of(wall_abs, {1, 2, 8, 9, 10, 11, 14})) level = 5;
    STRATEGY(30, w.k) = static_cast<REAL>(level);
    w.level = level;
}

// A negative level names only the ceiling insulation of a changed design.
REAL ceiling_r_of_negative_level(INTEGER level_abs, INTEGER z) {
    switch (level_abs) {
        case 1: return 1.03f;
        case 2: case 3: case 4: return 19.0f;
        case 8: return 11.0f;
        case 5: case 9: case 10: return CECRESA(1, z);
        case 6: return 1.46f * CECRESA(1, z);
        case 7: return 2.0f * CECRESA(1, z);
        default: return 0.0f;
    }
}

// Step 8: the working values of the insulation level. Levels 1 to 4 and 8
// are fixed constructions (1 uninsulated), 5, 9 and 10 the code minimum of
// the zone, 6 and 7 better than code by 1.46 and 2 times.
void working_values_of_level(Working& w) {
    const INTEGER z = w.z;
    auto row = [z](INTEGER r) { return CECRESA(r, z); };
    const INTEGER floor_type = code_of(33, w.k);
    const bool concrete_floor = floor_type == 8 || floor_type == 9;
    const REAL floor_row = concrete_floor ? row(9) : row(6);

    w.InsuLevel = 1.0f;
    switch (w.level) {
        case 1:
            w.InsuLevel = 0.0f;
            w.RinsWall = 1.14f;
            w.RinsFloor = 1.62f;
            RINSCEIL = 1.03f;
            break;
        case 2:
            w.InsuLevel = 0.0f;
            RINSCEIL = 19.0f;
            break;
        case 3:
            w.InsuLevel = 0.0f;
            w.RinsFloor = 13.0f;
            RINSCEIL = 19.0f;
            w.RinsSlab = row(5);
            break;
        case 8:
            w.InsuLevel = 0.3f;
            w.RinsWall = 7.0f;
            RINSCEIL = 11.0f;
            break;
        case 4:
            w.InsuLevel = 0.7f;
            w.RinsWall = 11.0f;
            w.RinsFloor = concrete_floor ? 0.0f : 11.0f;
            RINSCEIL = 19.0f;
            break;
        case 5:
            w.RinsWall = row(2);
            w.RinsFloor = floor_row;
            RINSCEIL = row(1);
            w.RinsSlab = row(5);
            w.RHvMassWall = row(3);
            break;
        case 9:
        case 10:
            w.RinsWall = w.level == 9 ? row(29) : row(3);
            w.RinsFloor = floor_row;
            RINSCEIL = row(1);
            w.RinsSlab = row(5);
            break;
        case 6:
        case 7: {
            const bool six = w.level == 6;
            w.InsuLevel = six ? 1.46f : 2.0f;
            w.RinsWall = w.InsuLevel * row(2);
            w.RinsFloor = row(9) == 0.0f ? (six ? 4.0f : 8.0f) : w.InsuLevel * floor_row;
            RINSCEIL = w.InsuLevel * row(1);
            if (row(5) == 0.0f) w.RinsSlab = six ? 7.0f : 10.0f;
            else if (row(5) == 0.58f) w.RinsSlab = six ? 10.0f : 15.0f;
            w.RHvMassWall = w.InsuLevel * row(3);
            break;
        }
        default:
            if (w.level < 0) RINSCEIL = ceiling_r_of_negative_level(-w.level, z);
            break;
    }
}

// Step 13: each mass element with a length and a width gets its material's
// properties; a basement-walls element left from an earlier basement design
// is removed; an element without heat capacity is cleared.
void clear_mass_element(INTEGER n) {
    LNTH(n) = 0.0f;
    WDTH(n) = 0.0f;
    THCK(n) = 0.0f;
    NELMNT(n) = 0.0f;
    DNST(n) = 0.0f;
    SPHT(n) = 0.0f;
    COND(n) = 0.0f;
    TATDHC(n) = 0.0f;
    MTUSED(n) = "";
}

void finish_mass_elements(const Working& w) {
    for (INTEGER n = 1; n <= kMassElementsSet; ++n) {
        KMASS = n;
        if (LNTH(n) > 0.0f && WDTH(n) > 0.0f) {
            MATNAME = MTUSED(n);
            INTEGER material_index = 0;
            MTTYPE(material_index);
            DBG_INT("UVALR mass element typed by MTTYPE", material_index);
        }
    }
    const INTEGER floor_type = code_of(33, w.k);
    if (!residential_construction::keeps_basement(floor_type) && MLABEL(4) == MLABEL(5)) {
        MLABEL(4) = "";
        clear_mass_element(4);
    }
    for (INTEGER n = 1; n <= kMassElementsSet; ++n) {
        if (LNTH(n) * WDTH(n) * THCK(n) * NELMNT(n) * DNST(n) * SPHT(n) <= 0.0f) clear_mass_element(n);
    }
}

// A surface the dwelling lacks (an apartment's roof, the floor of a unit
// over another unit) is never simulated, so nothing of the run sets it: it
// carries no outside film, and a floor without area no lag or decrement,
// rather than what another design of the scheme left there. (The floor
// step sets the floor's U-factor, which the reports show.)
void clear_surfaces_without_area() {
    clear_outside_film_without_area();
    if (AREA(11) <= 0.0f) {
        TMLAG(11) = 0.0f;
        DECR(11) = 0.0f;
    }
}

void trace_results(const Working& w) {
    if (!NFLAG(90)) return;
    DBG_INT("UVALR YearBuilt", w.YearBuilt);
    DBG_INT("UVALR insulation level Strategy(30", w.level);
    DBG_FLOAT("UVALR InsuLevel", w.InsuLevel);
    DBG_FLOAT("UVALR RinsWall", w.RinsWall);
    DBG_FLOAT("UVALR RinsFloor", w.RinsFloor);
    DBG_FLOAT("UVALR RinsSlab", w.RinsSlab);
    DBG_FLOAT("UVALR RHvMassWall", w.RHvMassWall);
    DBG_FLOAT("UVALR FinsSlab", w.FinsSlab);
    DBG_LOGICAL("UVALR RBReqd", w.RBReqd);
    DBG_FLOAT("UVALR RinsCeil", RINSCEIL);
    DBG_FLOAT("UVALR Uval(6) wall", UVAL(6));
    DBG_FLOAT("UVALR Uval(10) roof", UVAL(10));
    DBG_FLOAT("UVALR Uval(11) floor", UVAL(11));
    DBG_FLOAT("UVALR Uval(12) slab or basement", UVAL(12));
}

}  // namespace

void UVALR() {
    DBG_IN("UVALR");
    if (!has_scheme_column(IDNUM1)) {
        DBG_ERROR("UVALR: scheme has no parameter column, constructions kept");
        DBG_INT("UVALR IDNUM1", IDNUM1);
        DBG_OUT("UVALR");
        return;
    }
    if (CECZONE < 1 || CECZONE > kClimateZones) {
        DBG_ERROR("UVALR: climate zone outside 1 to 16, constructions kept");
        DBG_INT("UVALR CECZONE", CECZONE);
        DBG_OUT("UVALR");
        return;
    }

    Working w;
    w.k = IDNUM1;
    w.z = CECZONE;
    w.footprint = scaled_footprint();
    if (!w.footprint.valid) DBG_ERROR("UVALR: floor area, stories or footprint not positive, mass elements kept");

    start_of_call(w);
    vintage_codes(w);
    radiant_barrier_requirement(w);
    perimeter(w);
    labels_and_requirement_copies(w);
    normalise_level(w);
    working_values_of_level(w);
    residential_construction::residential_slab_f_factor(w);
    if (code_of(31, w.k) > -1) {
        residential_construction::residential_walls(w);
    } else {
        // A changed wall keeps its U-factor, lag and decrement from the
        // scheme input file; its insulation R is in no file, and what RVAL
        // held belongs to the scheme that ran before.
        for (INTEGER item = 6; item <= 9; ++item) RVAL(item) = 0.0f;
    }
    residential_construction::residential_roof(w);
    residential_construction::residential_floors(w);
    clear_surfaces_without_area();
    finish_mass_elements(w);
    mark_windows_not_alike(w.k);
    trace_results(w);
    DBG_OUT("UVALR");
}

// Step 14: the parameter column describes the windows by one glazing only
// when they are all alike; otherwise the first window group is marked -1.
void mark_windows_not_alike(INTEGER k) {
    REAL last_trans = 0.0f;
    REAL last_u = 0.0f;
    REAL last_sc = 0.0f;
    bool alike = true;
    for (INTEGER j = 1; j <= kWindowLines; ++j) {
        if (QTY(j) <= 0.0f || TRANS(j) < 0.01f) continue;  // doors transmit no light
        if (TRANS(j) != last_trans && last_trans > 0.0f) alike = false;
        last_trans = TRANS(j);
        if (UWINDO(j) >= 0.001f) {
            if (UWINDO(j) != last_u && last_u > 0.0f) alike = false;
            last_u = UWINDO(j);
        }
        if (SCOEF(j) >= 0.01f) {
            if (SCOEF(j) != last_sc && last_sc > 0.0f) alike = false;
            last_sc = SCOEF(j);
        }
    }
    if (!alike) STRATEGY(60, k) = -1.0f;
}

}  // namespace mavo
