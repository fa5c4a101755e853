// The fixed overhang over the south window row of the energy-efficient
// scheme, sized so that the noon sun of late summer just shades the window
// down to its sill.
#pragma once
#include "support/types.h"

namespace mavo {

struct SouthOverhang {
    REAL depth_ft = 0.0f;              // projection from the wall
    REAL height_above_head_ft = 0.0f;  // from the window head up to the overhang
};

// Latitude kept off the equator and the poles, where the noon geometry
// degenerates: |lat| <= 0.1 becomes 0.1, and +-89.9 is the farthest.
REAL overhang_latitude(REAL latitude_deg);

// Overhang of a window from sill_ft to head_ft above the floor in a story
// story_height_ft high, at latitude_deg (already kept by
// overhang_latitude): at most 10 ft deep, and then set right on the head.
SouthOverhang overhang_for_late_summer_noon(REAL head_ft, REAL sill_ft, REAL story_height_ft, REAL latitude_deg);

// The overhang of window line 1 of scheme k (OHANGD(1), OHANGDIS(1)) for
// the energy-efficient scheme; may store a corrected latitude in SLAT.
void size_south_overhang(INTEGER k);

}  // namespace mavo
