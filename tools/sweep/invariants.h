// The invariants of a case: its runs, as a host makes them, and what each
// must show.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Runs case `k.c` in `dir`; `other` is another case whose project the same
// process designs before this case's design is repeated.
void run_case(Checker& k, const fs::path& dir, const Case* other);

// The case's new project at `site`, as the designer has it before the runs
// the case checks: a zone whose file is missing met once (by a run of
// scheme `first_run`), and where the user revises rates, both designs run
// at the site and the user's rates given to them.
void prepared_project(Checker& k, const fs::path& p, const Site& site, INTEGER first_run);

}  // namespace mavo::sweep
