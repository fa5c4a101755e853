// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// The construction-property procedures (UVALR, UVALC, MTTYPE) recompute
// everything from the scheme's codes on every call. a small block keeps one value
// for the save of the run: a dwelling's raised floor whose construction is
// the input file's (not laid out from the tables) loses nothing under
// under-floor code 1, yet stays the floor's own, so that another code typed
// later finds the floor as the designer left it.
struct SUSPFLOOR_t {
    REAL FLOORUKEPT = 0.0f;  // the floor's own U-factor, Btu/h-ft2-F, 0 where none is kept aside
    INTEGER FLOORSLOT = 0;   // the scheme whose floor it is
};

extern SUSPFLOOR_t SUSPFLOOR;

}  // namespace mavo

#define MAVO_STATE_CONSTRUCTION_BLOCKS(X) X(SUSPFLOOR)
