#include "front/units.h"

namespace mavo {
namespace {

struct UnitFiles {
    std::FILE* fp[kLastUnit + 1] = {};
};
UnitFiles g_units;

bool valid_unit(int unit) { return unit >= 0 && unit <= kLastUnit; }

}  // namespace

std::FILE* unit_open(int unit, const char* path, const char* mode) {
    if (!valid_unit(unit)) return nullptr;
    if (g_units.fp[unit]) unit_close(unit);
    g_units.fp[unit] = std::fopen(path, mode);
    return g_units.fp[unit];
}

std::FILE* unit_file(int unit) { return valid_unit(unit) ? g_units.fp[unit] : nullptr; }

bool unit_close(int unit) {
    if (!valid_unit(unit) || !g_units.fp[unit]) return false;
    const int rc = std::fclose(g_units.fp[unit]);
    g_units.fp[unit] = nullptr;
    return rc == 0;
}

void unit_close_all() {
    for (int u = 0; u <= kLastUnit; ++u)
        if (g_units.fp[u]) unit_close(u);
}

}  // namespace mavo
