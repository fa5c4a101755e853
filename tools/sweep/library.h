// Library commands on a designed project: lines of members that hold
// results, compares started from lines, broken lines, shows, selects,
// renames and erases, and what each must leave.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// `steps` random library commands on project `p`; `side` is a scratch
// directory for the plain run a refused command must equal.
void library_sequence(Checker& k, const fs::path& p, const fs::path& side, Random r, int steps);

}  // namespace mavo::sweep
