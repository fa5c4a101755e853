// The non-residential path of the design generator.
#pragma once
#include "design/design_scheme.h"

namespace mavo {

// Non-residential design of scheme d.k: which of schemes 1 and 2 is the
// code-minimum, efficient or vintage design, internal loads of the
// building type, HVAC and ventilation of the climate zone's code, default
// window and door types, one of the construction families of the type, the
// plan, glazing and window list, and the construction properties (UVALC)
// or the vintage design. Sets d.year_built.
void nonresidential_design(DesignScheme& d);

// Side of the room whose walls stand for the interior partitions, ft.
REAL interior_room_side_ft(INTEGER ntype, REAL floor_area_ft2);

}  // namespace mavo
