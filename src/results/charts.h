// Chart arrays left for the host after a run.
#pragma once
#include "results/results.h"  // BARHR

namespace mavo {

// The scheme-comparison chart (BLK44A) from the host's chart set (BLK44B).
void BARCHT3D();

}  // namespace mavo
