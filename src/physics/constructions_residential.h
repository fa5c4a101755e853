// Construction properties of a residential scheme: U-factors, insulation
// R-values, time lags, decrements and absorptances of the opaque envelope,
// the ceiling and attic path resistances, and the thermal-mass elements,
// from the scheme's construction codes, its year built and the residential
// code requirements of its climate zone.
#pragma once

#include "support/types.h"

namespace mavo {

// Residential construction properties of scheme IDNUM1 into BLK4, BLK4A,
// the roof slope and emittance of BLK2, the floor, slab and basement items
// of BLK3 and the mass elements 1 to 4; normalises the insulation level and
// writes the code copies back into the scheme's parameter column.
void UVALR();

// The window-uniformity check of UVALR: the first window group of scheme
// `k` is marked -1 when the windows of the working lines are not all
// alike. A run checks again once its lines are in place, so that a line
// brought in by the run is judged on that run, not on the next.
void check_window_uniformity(INTEGER k);

}  // namespace mavo
