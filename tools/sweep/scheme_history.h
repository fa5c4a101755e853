// What the last design of each scheme of a project made of it, which the
// scheme's input file keeps until the next design: the set points and the
// water heater of a house or of another building, or those of the new
// project's scheme when no design has run; whether collectors sized by rule
// have since put the default tank in place; and the type of its last run
// as another building, which left that type's thermostat in the file. The
// laws take a scheme's thermostat and water heater from the README's
// tables by this.
#pragma once

#include <filesystem>

#include "support/types.h"

namespace mavo::sweep {

enum class LastDesign { kNone, kHouse, kBuilding };

struct SchemeHistory {
    LastDesign design = LastDesign::kNone;
    bool default_tank = false;   // collectors sized by rule ran since: the tank at the default set point
    INTEGER building_type = 0;   // the type of its last run as another building since a house's design
};

struct Run;

// As recorded for scheme `slot` of the project in `project`.
SchemeHistory scheme_history(const std::filesystem::path& project, INTEGER slot);

// After run `r` of `command` selected in scheme `slot` (`second` its second
// scheme): a design records what it made of the scheme, a run with
// collectors sized by rule the default tank, a run as another building its
// type, a copy gives its target what
// the source holds (an erase empties the slot's column, not its input
// file). Kept in a directory of the
// project's own, which the kernel and the comparisons of files ignore and a
// copy of the project takes along.
void note_history(const std::filesystem::path& project, INTEGER slot, REAL command, INTEGER second, const Run& r);

}  // namespace mavo::sweep
