// The floor and ceiling mass elements of a scheme are laid out as one
// story's floor area with the proportions of the footprint.
#pragma once
#include <cmath>

#include "blocks/building_blocks.h"
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

}  // namespace mavo
