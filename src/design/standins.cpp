// Procedures of this subsystem not built yet: each only traces its call.
#include "design/design.h"
#include "front/trace.h"

namespace mavo {

void EXPERT() {
    DBG_IN("EXPERT");
    DBG_OUT("EXPERT");
}

}  // namespace mavo
