// Two sites whose records in zipcodes.sce name the same climate zone and
// the same rate zones: the same building is simulated in the same weather
// and billed alike at either.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Moves a copy of project `p`, made in `twin`, to another site whose
// record names the climate zone and rate zones of the case's site, and runs
// scheme 1 as it stands there: rows 1 and 3, the rate zones and the price
// per kWh (row 36 / row 25) are those of `here`, the plain run of scheme 1
// at the case's site. Rates the user revised (flags 82 and 83) are cleared
// by a move, so a case with them has no twin.
void same_rate_zones_same_price(Checker& k, const fs::path& p, const fs::path& twin, const Run& here);

}  // namespace mavo::sweep
