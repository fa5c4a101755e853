// Daylight by the lumen method: the flux a skylight line delivers through
// its light well, and the vertical-illuminance factors of windows fitted
// with venetian blinds. Illuminance in footcandles, areas in ft2.
#pragma once
#include "support/types.h"

namespace mavo {

// Daylight flux of skylight line `next` (BLK15), lumens (footcandles x ft2):
// the exterior illuminance on the skylight plane (beam `euw`, sky `ekw` and
// ground `egw` parts, summed) through the line's glazing, its light well
// (depth FLTOFL - FLTOCE) and a drawn shade (SHADEPCT), times the room's
// coefficient of utilisation (skylit zone LENGTHSLZ x WIDTHSLZ, REFLPCT).
// `slzarea` becomes the smaller of SKYFLOOR and INTZONEX when both are
// positive, and is left as it was otherwise. `skyc` is not used.
void SKYILLUM(REAL euw_fc, REAL ekw_fc, REAL egw_fc, REAL skyc, REAL& etotwp, REAL& slzarea, INTEGER next);

// Ground vertical-illuminance factor of venetian blinds at slat angle
// `blindangle_deg` in a room of reflectance `reflpct` percent, for room
// class (point) `k` 1..3; 0 for any other class.
REAL VG(REAL blindangle_deg, REAL reflpct, INTEGER k);

// Sky vertical-illuminance factor of venetian blinds, as VG with the solar
// altitude `alt_deg`; 0 for a room class outside 1..3.
REAL VS(REAL blindangle_deg, REAL reflpct, REAL alt_deg, INTEGER k);

}  // namespace mavo
