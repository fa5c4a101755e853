// Procedures of this subsystem not built yet: each only traces its call so
// that the whole run sequence runs.
#include <string>

#include "front/trace.h"
#include "project/project.h"

namespace mavo {

void REVISION(INTEGER NTASK) {
    DBG_IN("REVISION");
    DBG_INT("REVISION NTASK", NTASK);
    DBG_OUT("REVISION");
}

void LIBARY() {
    DBG_IN("LIBARY");
    DBG_OUT("LIBARY");
}

}  // namespace mavo
