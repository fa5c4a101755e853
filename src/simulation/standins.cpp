// Procedures of this subsystem not built yet: each only traces its call.
#include "front/trace.h"
#include "simulation/simulation.h"

namespace mavo {

void CALCS() {
    DBG_IN("CALCS");
    DBG_OUT("CALCS");
}

}  // namespace mavo
