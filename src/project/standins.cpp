// Procedures of this subsystem not built yet: each only traces its call so
// that the whole run sequence runs. They are weak definitions, so that a
// procedure built in its own file takes their place at link time until the
// stand-in is removed.
#include <string>

#include "front/trace.h"
#include "project/project.h"

namespace mavo {

[[gnu::weak]] void REVISION(INTEGER NTASK) {
    DBG_IN("REVISION");
    DBG_INT("REVISION NTASK", NTASK);
    DBG_OUT("REVISION");
}

[[gnu::weak]] void LIBARY() {
    DBG_IN("LIBARY");
    DBG_OUT("LIBARY");
}

}  // namespace mavo
