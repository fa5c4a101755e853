// The invariants of a case: its runs, as a host makes them, and what each
// must show.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Runs case `k.c` in `dir`; `other` is another case whose project the same
// process designs before this case's design is repeated.
void run_case(Checker& k, const fs::path& dir, const Case* other);

}  // namespace mavo::sweep
