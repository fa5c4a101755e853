// Procedures of this subsystem not built yet: each only traces its call.
// They are weak definitions, so that a procedure built in its own file
// takes their place at link time until the stand-in is removed.
#include "design/design.h"
#include "front/trace.h"

namespace mavo {

[[gnu::weak]] void EXPERT() {
    DBG_IN("EXPERT");
    DBG_OUT("EXPERT");
}

}  // namespace mavo
