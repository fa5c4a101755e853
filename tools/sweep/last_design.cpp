// What the last design of each scheme made of it.
#include "sweep/last_design.h"

#include <fstream>
#include <string>

#include "blocks/blocks.h"
#include "sweep/checker.h"

namespace mavo::sweep {

namespace {

namespace fs = std::filesystem;

fs::path record_of(const fs::path& project, INTEGER slot) {
    return project / ".sweep-designs" / std::to_string(slot);
}

void record(const fs::path& project, INTEGER slot, LastDesign d) {
    fs::create_directories(project / ".sweep-designs");
    std::ofstream(record_of(project, slot), std::ios::trunc) << static_cast<int>(d);
}

}  // namespace

LastDesign last_design(const fs::path& project, INTEGER slot) {
    std::ifstream in(record_of(project, slot));
    int d = 0;
    return in >> d ? static_cast<LastDesign>(d) : LastDesign::kNone;
}

void note_designs(const fs::path& project, INTEGER slot, REAL command, INTEGER second, const Run& r) {
    if (r.rc != 0 || r.refused || slot < 1 || slot > 9) return;
    // The commands that design a scheme, as the typed rows follow them.
    const bool design = (slot == 1 && (command == 243.0f || command >= 340.0f)) || (slot == 2 && command >= 246.0f);
    if (design) record(project, slot, NFLAG(24) ? LastDesign::kBuilding : LastDesign::kHouse);
    if (command == 201.0f) record(project, second >= 1 && second <= 9 ? second : 2, last_design(project, slot));
    if (command == 205.0f && second >= 2 && second <= 9) record(project, second, LastDesign::kNone);
}

}  // namespace mavo::sweep
