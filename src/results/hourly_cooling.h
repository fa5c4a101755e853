// The hour's cooling output as the summaries, bills and hourly report count
// it, so that all of them show the same cooling.
#pragma once
#include "blocks/blocks.h"

namespace mavo {

// Cooling output of hour h of month m, Btu (0 in an hour that heated or
// idled). The month's average day of a 365-day run keeps the cooling apart
// from the heating, in STORED; the representative day of a twelve-day run
// has one HVAC output per hour, in HVACLD, cooling when positive (its STORED
// is the heat the zone stored, not cooling). The same holds for a building
// of several zones, whose arrays are its zones' sums.
inline REAL hour_cooling_output_btu(INTEGER h, INTEGER m) {
    const REAL cooling_btu = NFLAG(38) ? STORED(h, m) : HVACLD(h, m);
    return cooling_btu > 0.0f ? cooling_btu : 0.0f;
}

}  // namespace mavo
