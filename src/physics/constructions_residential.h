// Construction properties of a residential scheme: U-factors, insulation
// R-values, time lags, decrements and absorptances of the opaque envelope,
// the ceiling and attic path resistances, and the thermal-mass elements,
// from the scheme's construction codes, its year built and the residential
// code requirements of its climate zone.
#pragma once
#include "support/types.h"

namespace mavo {

// Residential construction properties of scheme IDNUM1 into BLK4, BLK4A,
// the roof slope and emittance of BLK2, the floor, slab and basement items
// of BLK3 and the mass elements 1 to 4; normalises the insulation level and
// writes the code copies back into the scheme's parameter column.
void UVALR();

// The window-uniformity step of UVALR: when the window and skylight lines
// with units (the doors aside) are not all of one glazing, the scheme-wide
// glazing code of scheme k (STRATEGY(60,k), group 1's code slot) becomes -1,
// and no code glass replaces the glass each line holds.
void mark_windows_not_alike(INTEGER k);

// The raised floor type (2 to 5, 8 or 9) whose construction has the time
// lag (h) and decrement a raised floor item holds; 0 for none of them.
INTEGER raised_floor_type_of_construction(REAL lag_h, REAL decrement);

// A pitched roof's slope that the last run took from its site's latitude
// (`saved_latitude_deg`, the latitude its input file holds) is the
// latitude's, not the roof's: once the site in force has another latitude,
// the slope is that latitude's, as on a new project's first run there. A
// slope of any other value is the roof's own and stays.
void roof_slope_follows_the_site(REAL saved_latitude_deg);

}  // namespace mavo
