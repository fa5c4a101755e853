// Daylight behind a window line by the lumen method for sidelighting: the
// exterior illuminance on the glass times the glazed area above the work
// plane, the visible transmittance, a coefficient of utilisation and a K
// factor read from tables by the daylit zone's length and depth, the
// ceiling height and the room reflectance. Three rooms are tabulated: a
// plain window, a window with venetian blinds and a window behind a
// diffusing (translucent) shade. Illuminance in footcandles, lengths in ft.
//
// The tables hold three points of the zone, from the window inward; the
// daylight credit uses point 3, the point deepest in the zone.
#pragma once
#include "support/types.h"

namespace mavo {

// Work-plane illuminance `etotwp` (footcandles, point 3) behind one unit of
// window line `next` (1..25) for one hour. In: the beam `euw`, sky `ekw`
// and ground `egw` illuminance on the outside of the glass (footcandles,
// with the line's view factors and, for sky and ground, its transmittance
// already applied), the clear-sky fraction `skyc` 0..1, the solar altitude
// `alt_deg` (read by the blind factors) and the sunlit fraction `sunlit` of
// the glass (an overhang that shades it deepens the daylit zone). `areax`
// is accepted and not used. The shade state comes from BLK48: a diffusing
// shade when 0 <= SHADEPCT < 100, else venetian blinds when 0 <=
// BLINDANGLE <= 90, else the plain window. A line outside 1..25 gives 0.
void ILLUM(REAL euw_fc, REAL ekw_fc, REAL egw_fc, REAL skyc, REAL& etotwp, REAL areax_ft2, INTEGER next,
           REAL alt_deg, REAL sunlit);

// Coefficients of utilisation of the daylit zone, by zone length along the
// facade and depth (classes at 25 and 35 ft), room reflectance (tables for
// 50 percent or more and below) and point 1..3; 0 for another point.
REAL CG(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point);   // ground, plain window
REAL CGV(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // ground, venetian blinds
REAL CSV(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // sky, venetian blinds
REAL CUG(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // ground, diffusing shade
REAL CUS(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // sky, diffusing shade
// Sky, plain window: clear-sky value x skyc + overcast value x (1 - skyc).
REAL CS(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point, REAL skyc);

// K factors, by ceiling height (classes at 9, 11 and 13 ft), room
// reflectance, zone depth and point 1..3; 0 for another point.
REAL KG(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point);   // ground, plain window
REAL KGV(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // ground, venetian blinds
REAL KSV(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // sky, venetian blinds
REAL KUG(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // ground, diffusing shade
REAL KUS(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point);  // sky, diffusing shade
// Sky, plain window: clear-sky value x skyc + overcast value x (1 - skyc).
REAL KS(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point, REAL skyc);

}  // namespace mavo
