// The steps of OPAQUE and what they share within one call. Nothing here
// keeps a value from one hour to the next.
#pragma once
#include "support/types.h"

namespace mavo::opaque_steps {

// Envelope items of the opaque model.
inline constexpr INTEGER kFirstWall = 6;
inline constexpr INTEGER kRoof = 10;
inline constexpr INTEGER kFloor = 11;
inline constexpr INTEGER kSlabPerimeter = 12;
inline constexpr INTEGER kBasementAboveGrade = 13;
inline constexpr INTEGER kBasementTo2ft = 14;
inline constexpr INTEGER kBasement2To4ft = 15;
inline constexpr INTEGER kBasementBelow4ft = 16;
inline constexpr INTEGER kBasementFloor = 17;

// The hour stamp (26 July, noon) whose roof and attic values are traced.
inline constexpr INTEGER kRoofTraceStamp = 72612;

// A code of the current scheme's parameter column; 0 when the scheme
// number has no column of its own.
REAL scheme_code(INTEGER row);

// True while the labelled lines of the opaque model may be traced: tracing
// on and the hour stamp inside the window OPAQUE set at entry.
bool in_trace_window();

// Roof item 10 with the attic model and the attic fan: HEAT(10) and
// KWHRattic from the roof's TETD of the hour (UVAL(10) is not changed).
void roof_and_attic(INTEGER month, INTEGER ihour, REAL roof_tetd_F);

// Raised floor, slab on grade and basement: HEAT(11) and HEAT(12) by the
// floor type; `mnth` is the month of the ground temperatures.
void floor_slab_basement(INTEGER month, INTEGER ihour, INTEGER mnth);

}  // namespace mavo::opaque_steps
