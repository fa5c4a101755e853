// What the last design of each scheme of a project made of it, which the
// scheme's input file keeps until the next design: the set points and the
// water heater's tank of a house or of another building, or those of the
// new project's scheme when no design has run. The laws take a scheme's
// thermostat and tank from the README's tables by this.
#pragma once

#include <filesystem>

#include "support/types.h"

namespace mavo::sweep {

enum class LastDesign { kNone, kHouse, kBuilding };

struct Run;

// As recorded for scheme `slot` of the project in `project`.
LastDesign last_design(const std::filesystem::path& project, INTEGER slot);

// After run `r` of `command` selected in scheme `slot` (`second` its second
// scheme): a design records what it made of the scheme, a copy gives its
// target what the source holds, an erase clears the slot. Kept in a
// directory of the project's own, which the kernel and the comparisons of
// files ignore and a copy of the project takes along.
void note_designs(const std::filesystem::path& project, INTEGER slot, REAL command, INTEGER second, const Run& r);

}  // namespace mavo::sweep
