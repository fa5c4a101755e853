// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// The construction-property procedures (UVALR, UVALC, MTTYPE) recompute
// everything from the scheme's codes on every call and keep nothing here.

}  // namespace mavo

#define MAVO_STATE_CONSTRUCTION_BLOCKS(X)
