// What the last design of each scheme of a project made of it, which the
// scheme's input file keeps until the next design: the set points and the
// water heater of a house or of another building, or those of the new
// project's scheme when no design has run; and whether collectors sized by
// rule have since put the default tank in place. The laws take a scheme's
// thermostat and water heater from the README's tables by this.
#pragma once

#include <filesystem>

#include "support/types.h"

namespace mavo::sweep {

enum class LastDesign { kNone, kHouse, kBuilding };

struct SchemeHistory {
    LastDesign design = LastDesign::kNone;
    bool default_tank = false;  // collectors sized by rule ran since: the tank at the default set point
};

struct Run;

// As recorded for scheme `slot` of the project in `project`.
SchemeHistory scheme_history(const std::filesystem::path& project, INTEGER slot);

// After run `r` of `command` selected in scheme `slot` (`second` its second
// scheme): a design records what it made of the scheme, a run with
// collectors sized by rule the default tank, a copy gives its target what
// the source holds, an erase clears the slot. Kept in a directory of the
// project's own, which the kernel and the comparisons of files ignore and a
// copy of the project takes along.
void note_history(const std::filesystem::path& project, INTEGER slot, REAL command, INTEGER second, const Run& r);

}  // namespace mavo::sweep
