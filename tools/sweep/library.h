// Library commands on a designed project: lines of members that hold
// results, compares started from lines, broken lines, shows, selects,
// renames and erases, and what each must leave.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// `steps` random library commands on project `p`; `side` is a scratch
// directory for the plain run a refused command must equal.
void library_sequence(Checker& k, const fs::path& p, const fs::path& side, Random r, int steps);

// In a copy of project `p` made in `side`: a line of scheme 1 and the
// case's slot, holding a photovoltaic array, billed with and without the
// array. The line's gross electricity cost is the bill of its members'
// gross purchases, the same either way; the array's output is valued at
// the line's mean price.
void line_cost_without_array(Checker& k, const fs::path& p, const fs::path& side);

}  // namespace mavo::sweep
