// Procedures of this subsystem not built yet. They are weak definitions, so
// that a procedure built in its own file takes their place at link time
// until the stand-in is removed.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "project/project.h"
#include "simulation/simulation.h"

namespace mavo {

// Traces its call and saves the scheme as the simulation does after its
// year, so that a run keeps the project's files current: the project state,
// the results file, the schedules in non-residential mode, the parameter
// column and the input file.
[[gnu::weak]] void CALCS() {
    DBG_IN("CALCS");
    AADISK(1);
    KEEP1();
    if (NFLAG(24)) KEEPSCHED();
    REVISION(3);
    REVISION(5);
    KEEP2(1);
    REVISION(6);
    DBG_OUT("CALCS");
}

[[gnu::weak]] void TOTALS(INTEGER, INTEGER) {}
[[gnu::weak]] void TSTORE(INTEGER, INTEGER, INTEGER, INTEGER&) {}

}  // namespace mavo
