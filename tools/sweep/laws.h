// Laws a run's hours obey by the rules the README states: the lights,
// equipment and occupants of a building from its type's densities and
// schedules (another building) or its own inputs and the fixed profiles (a
// house), its water heater's energy from the draw, the rise to the set
// point and the heater's efficiency, and heating and cooling held at the
// hour's set points. The densities, schedules and profiles are the sweep's
// own tables, written out from the README.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Every plain or design run of a scheme that simulated its days, read from
// the kernel's blocks as the run left them. `command` is the run's (243 and
// 246 design the scheme).
void check_laws(Checker& k, const Run& r, REAL command);

}  // namespace mavo::sweep
