// Thermal-mass materials: the material of a mass element resolved against
// the list of ten materials (BLK37C, BLK37E), and the depth of the element
// that takes part in the daily heat storage.
#pragma once
#include "support/types.h"

namespace mavo {

// Depth of a material that a daily temperature swing still charges and
// discharges, in inches, from density (lb/ft3), specific heat (Btu/lb.F)
// and conductivity (Btu.in/h.ft2.F): 1.18 x 12 x sqrt(k / (pi rho c)).
// A material without heat capacity, or without conduction, stores nothing:
// the depth is 0.
REAL daily_storage_depth_in(REAL density_lb_ft3, REAL spheat_btu_lbF, REAL cond_btuin_hft2F);

// Types the mass element KMASS (BLK37D) by the name in MATNAME (BLK27A):
// the best match among MTNAME gives MTUSED(KMASS) and the element's density,
// specific heat and conductivity; without a match the element keeps its own
// name and properties. Then TATDHC(KMASS) is set and the thickness THCK(KMASS)
// is cut to it, except for water. IMAT is a working index the caller only
// traces: KMASS after a match, 1 otherwise.
void MTTYPE(INTEGER& IMAT);

}  // namespace mavo
