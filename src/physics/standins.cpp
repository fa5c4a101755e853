// Procedures of this subsystem not built yet: each only traces its call.
// They are weak definitions, so that a procedure built in its own file
// takes their place at link time until the stand-in is removed.
#include "front/trace.h"
#include "physics/physics.h"

namespace mavo {

[[gnu::weak]] void GLAZED(INTEGER, INTEGER) {}
[[gnu::weak]] void OPAQUE(INTEGER, INTEGER) {}
[[gnu::weak]] void INFILT(INTEGER, INTEGER) {}

}  // namespace mavo
