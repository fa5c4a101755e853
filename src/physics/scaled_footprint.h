// The floor and ceiling mass elements of a scheme are laid out as one
// story's floor area with the proportions of the footprint.
#pragma once
#include <cmath>

#include "blocks/building_blocks.h"
#include "blocks/construction_blocks.h"
#include "support/types.h"

namespace mavo {

// One story's floor area A1 = AREAT / FLOORS as a rectangle a x b with the
// footprint's proportions: a = EWDIM x s, b = NSDIM x s, s = sqrt(A1 /
// (EWDIM x NSDIM)).
struct ScaledFootprint {
    REAL a_ft = 0.0f;
    REAL b_ft = 0.0f;
    REAL story_area_ft2 = 0.0f;
    bool valid = false;  // false when a dimension, the story count or the area is not positive
};

inline ScaledFootprint scaled_footprint() {
    ScaledFootprint f;
    // Stories and footprint sides divide the layout; a building without
    // floor area has no floor or ceiling to lay out.
    if (!(FLOORS > 0.0f && EWDIM > 0.0f && NSDIM > 0.0f && AREAT > 0.0f)) return f;
    f.story_area_ft2 = AREAT / FLOORS;
    const REAL s = std::sqrt(f.story_area_ft2 / (EWDIM * NSDIM));
    f.a_ft = EWDIM * s;
    f.b_ft = NSDIM * s;
    f.valid = true;
    return f;
}

// The floor's mass element (1) of a raised floor: one story's floor under
// every story. The material stays: the input file's own floor keeps its own.
inline void raised_floor_plan(const ScaledFootprint& fp) {
    if (!fp.valid) return;
    LNTH(1) = fp.a_ft;
    WDTH(1) = fp.b_ft;
    NELMNT(1) = FLOORS;
}

// A framed floor of one story on every story: a raised floor's mass before
// its type's material, and the floor over another heated unit.
inline void framed_floor_mass(const ScaledFootprint& fp) {
    if (!fp.valid) return;
    raised_floor_plan(fp);
    MTUSED(1) = "WOOD";
    THCK(1) = 0.75f;
}

}  // namespace mavo
