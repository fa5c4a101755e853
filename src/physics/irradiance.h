// Solar radiation on a surface for one hour of the day's radiation table,
// and the angular transmittance of glazing.
#pragma once
#include "support/types.h"

namespace mavo {

// Splits the hour's direct-normal BEAM(ihour) and global horizontal
// HORIZ(ihour) radiation (BLKT38B) into the parts reaching a surface with
// the given sky and ground view factors and incidence angle. All outputs in
// Btu/h.ft2, all 0 when the sun is at or below 0.1 degree altitude:
//   dni      direct normal           beamh   beam on the horizontal
//   beams    beam on the surface     diffh   diffuse horizontal
//   skys     sky diffuse on surface  grnds   ground-reflected on surface
//   globh    global horizontal       totsur  total on the surface
// At an incidence of 89.9 degrees or more the surface receives only its sky
// part. `month` and `tilt_deg` are accepted and not used. Reports no failure.
void INSOL(INTEGER month, REAL alt_deg, REAL tilt_deg, REAL anginc_deg, REAL grndref, REAL skyvf,
           REAL grndvf, REAL& dni, REAL& beamh, REAL& beams, REAL& diffh, REAL& skys, REAL& grnds,
           REAL& globh, REAL& totsur, INTEGER ihour);

// Ratio of a glazing's transmittance at an incidence angle to that at normal
// incidence, in 10-degree classes, for single glazing (U-factor 0.6 or
// more) or double glazing (below 0.6): `tautau` the ratio, `vtang` =
// `trans` x `tautau`. An incidence of 90 degrees or more (also the sun
// table's 999.9) transmits nothing.
void FRESNELL(REAL anginc_deg, REAL trans, REAL u_btuh_ft2F, REAL& vtang, REAL& tautau);

}  // namespace mavo
