// What the last design of each scheme made of it, and what ran since.
#include "sweep/scheme_history.h"

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

void record(const fs::path& project, INTEGER slot, const SchemeHistory& h) {
    fs::create_directories(project / ".sweep-designs");
    std::ofstream(record_of(project, slot), std::ios::trunc)
        << static_cast<int>(h.design) << ' ' << h.default_tank << ' ' << h.building_type;
}

}  // namespace

SchemeHistory scheme_history(const fs::path& project, INTEGER slot) {
    std::ifstream in(record_of(project, slot));
    int design = 0;
    bool default_tank = false;
    INTEGER building_type = 0;
    if (!(in >> design >> default_tank >> building_type)) return {};
    return {static_cast<LastDesign>(design), default_tank, building_type};
}

void note_history(const fs::path& project, INTEGER slot, REAL command, INTEGER second, const Run& r) {
    if (r.rc != 0 || r.refused || slot < 1 || slot > 9) return;
    // The commands that design a scheme, as the typed rows follow them.
    const bool design = (slot == 1 && (command == 243.0f || command >= 340.0f)) || (slot == 2 && command >= 246.0f);
    if (design) record(project, slot, {NFLAG(24) ? LastDesign::kBuilding : LastDesign::kHouse, false, 0});
    if (r.simulated()) {
        SchemeHistory h = scheme_history(project, slot);
        // Collectors sized by rule (row 41 of 1 or more) reload the default
        // tank, which the scheme saves.
        if (r.params.size() >= 41 && r.params[40] >= 1.0f) h.default_tank = true;
        // Another building's run sets the thermostat from its type's
        // schedules, which the scheme saves.
        if (NFLAG(24)) h.building_type = NTYPE;
        record(project, slot, h);
    }
    if (command == 201.0f) record(project, second >= 1 && second <= 9 ? second : 2, scheme_history(project, slot));
}

}  // namespace mavo::sweep
