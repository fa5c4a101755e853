// LITES: lighting gain of the hour with its daylighting credit.
#include "simulation/lighting.h"

#include <algorithm>

#include "blocks/blocks.h"

namespace mavo {
namespace {

constexpr REAL kBtuhPerWatt = 3.412f;
constexpr REAL kPercent = 100.0f;

enum Facade { kSouth = 1, kWest = 2, kNorth = 3, kEast = 4, kSkylight = 5 };

bool daylit(INTEGER facade) { return FCAVG(facade) > 0.0f; }

// Share of the lights a daylit zone can switch off: the hour's daylight over
// the design illuminance, at most all of them. Without a positive design
// illuminance any daylight meets it.
REAL daylight_fraction(INTEGER facade) {
    if (DILLUM <= 0.0f) return 1.0f;
    return std::min(1.0f, FCAVG(facade) / DILLUM);
}

// Floor area of the perimeter zone behind one facade, ft2: the facade's
// length times the zone depth. A corner shared with a daylit neighbour
// counts half to each of the two zones. A zone deeper than half its facade
// gives its corners away entirely: it has no floor left, never less than
// none (a negative area would credit the daylight as extra lighting).
REAL perimeter_zone_area_ft2(INTEGER facade) {
    const REAL length_ft = (facade == kSouth || facade == kNorth) ? EWDIM : NSDIM;
    const REAL half_corner_ft2 = WIDTHDL * WIDTHDL / 2.0f;
    INTEGER first_neighbour = 0, second_neighbour = 0;
    switch (facade) {
        case kSouth: first_neighbour = kWest, second_neighbour = kEast; break;
        case kWest: first_neighbour = kNorth, second_neighbour = kSouth; break;
        case kNorth: first_neighbour = kEast, second_neighbour = kWest; break;
        default: first_neighbour = kSouth, second_neighbour = kNorth; break;
    }
    REAL area_ft2 = length_ft * WIDTHDL;
    if (daylit(first_neighbour)) area_ft2 = area_ft2 - half_corner_ft2;
    if (daylit(second_neighbour)) area_ft2 = area_ft2 - half_corner_ft2;
    return std::max(0.0f, area_ft2);
}

}  // namespace

void LITES(INTEGER MONTH, INTEGER IHOUR) {
    const REAL lights_on = SCHED(1, IHOUR);
    REAL q_btuh = TLLOAD * lights_on;
    if (PERCENTDL > 0.0f && PERCENTDL <= kPercent) {
        const REAL controlled = PERCENTDL / kPercent;
        for (INTEGER facade = kSouth; facade <= kEast; ++facade) {
            if (!daylit(facade)) continue;
            const REAL area_ft2 = perimeter_zone_area_ft2(facade);
            q_btuh = q_btuh - area_ft2 * lights_on * FLOORS * LIGHTS * daylight_fraction(facade) * controlled *
                                  kBtuhPerWatt;
        }
        // The skylit zone lies under the roof: one storey only.
        if (daylit(kSkylight) && INTZONE > 0.0f && SKYFLOOR > 0.0f) {
            const REAL area_ft2 = std::min(INTZONEX, SKYFLOOR);
            q_btuh = q_btuh - lights_on * area_ft2 * LIGHTS * daylight_fraction(kSkylight) * controlled *
                                  kBtuhPerWatt;
        }
    }
    HEAT(13, IHOUR, MONTH) = std::max(0.0f, q_btuh);
}

}  // namespace mavo
