// The rows a designer types into a scheme's parameter column, and the runs
// and commands that must keep them.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// The case's rows that the designer types with a value a run keeps: every
// plain run and every library command keeps them as typed.
std::vector<std::pair<int, REAL>> rows_a_run_keeps(const Case& c);

// Types the case's rows into schemes `slots` of the case's project, as a
// designer does between runs, and follows them from then on.
void type_rows(Checker& k, const fs::path& project, const std::vector<INTEGER>& slots);

// After a run of the case's project: what the command did to the typed rows
// (a design writes all but the building's description, a copy gives the
// target the source's rows, an erase empties the slot), then every slot's
// saved column holds each row still followed as it was typed.
void check_typed_rows(Checker& k, const Run& r, REAL command, INTEGER second);

}  // namespace mavo::sweep
