// Building sizing of the design generator: a rectangular plan on a 4-ft
// grid from floor area and stories, and the opaque envelope derived from it.
#pragma once
#include "physics/dwelling_facades.h"  // the floor a plan lays out under a dwelling
#include "support/types.h"

namespace mavo {

// Plan dimensions EWDIM and NSDIM, footprint RAX, volume, and the wall,
// roof, floor and slab-edge areas and percentages of scheme IDNUM1; removes
// the surfaces shared with neighbouring units, adds the wall of a notch
// where the grid is larger than the floor, and takes an attached garage off
// its facade. Windows, doors and skylights are zeroed (laid out later).
void BLDGSZ();

// The roof of scheme k lies under another heated unit and loses nothing: a
// dwelling of an apartment (attachment STRATEGY(7,k) 3 or 4, as every load
// reads the code) sharing its roof (STRATEGY(9,k) 1 or 3), or a
// non-residential building whose floor and roof code STRATEGY(10,k) is 1
// or 3.
bool roof_under_heated_unit(INTEGER k);

// Elongation east-west over north-south of the energy-efficient plan for a
// climate of hdd heating degree days (base 65 F): 2 in a mild climate,
// falling to a square plan at 10000 degree days.
REAL olgyay_plan_ratio(REAL hdd);

}  // namespace mavo
