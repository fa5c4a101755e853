// Procedures of this subsystem not built yet: each only traces its call.
#include "front/trace.h"
#include "results/results.h"

namespace mavo {

void BARHR() {
    DBG_IN("BARHR");
    DBG_OUT("BARHR");
}

void KEEPXML() {
    DBG_IN("KEEPXML");
    DBG_OUT("KEEPXML");
}

void KEEPCCL() {
    DBG_IN("KEEPCCL");
    DBG_OUT("KEEPCCL");
}

void KEEPCSV() {
    DBG_IN("KEEPCSV");
    DBG_OUT("KEEPCSV");
}

}  // namespace mavo
