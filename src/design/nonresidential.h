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

// The roof code a non-residential design gives a building of type ntype
// whose column holds roof: its construction family's flat cool roof (2),
// or for a light frame the code it holds.
REAL designed_nonresidential_roof_choice(INTEGER ntype, REAL roof);

// Side of the room whose walls stand for the interior partitions, ft.
REAL interior_room_side_ft(INTEGER ntype, REAL floor_area_ft2);

}  // namespace mavo
