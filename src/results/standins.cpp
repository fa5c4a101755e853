// Procedures of this subsystem not built yet: each only traces its call.
// They are weak definitions, so that a procedure built in its own file
// takes their place at link time until the stand-in is removed.
#include "front/trace.h"
#include "results/results.h"

namespace mavo {

[[gnu::weak]] void BARHR() {
    DBG_IN("BARHR");
    DBG_OUT("BARHR");
}

[[gnu::weak]] void KEEPXML() {
    DBG_IN("KEEPXML");
    DBG_OUT("KEEPXML");
}

[[gnu::weak]] void KEEPCCL() {
    DBG_IN("KEEPCCL");
    DBG_OUT("KEEPCCL");
}

[[gnu::weak]] void KEEPCSV() {
    DBG_IN("KEEPCSV");
    DBG_OUT("KEEPCSV");
}

}  // namespace mavo
