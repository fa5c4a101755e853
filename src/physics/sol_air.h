// Sol-air temperatures of the walls and the roof, and the total equivalent
// temperature difference (TETD) that turns them into a heat flow through a
// massive construction: the day's mean sol-air temperature plus the swing of
// an earlier hour (the construction's time lag), damped by its decrement.
//
// Envelope items 6 to 9 are the walls south, west, north and east and item
// 10 the roof; their faces in the sol-air table BLK31 are item - 5.
#pragma once
#include "support/types.h"

namespace mavo {

// Sky and ground view factors of a surface tilted `tilt_deg` from the
// horizontal: a wall sees half sky and half ground, a roof only sky.
void VIEWF(REAL tilt_deg, REAL& fsky, REAL& fgnd);

// Sol-air temperature of one surface for one hour, F: the outdoor
// temperature raised by the absorbed irradiance over the outside film
// coefficient and, for surfaces tilted less than 45 degrees (roofs), lowered
// by their long-wave loss to the sky (REMITT x 20 Btu/h.ft2, day and night).
// Without a positive film coefficient the surface is taken at the outdoor
// temperature. The glazing model uses it for doors.
void SOLAIR(REAL tiltx_deg, REAL totsur_btuh_ft2, REAL absr, REAL coef_btuh_ft2F, REAL tempo_F,
            REAL& solsur_F);

// Sol-air temperature of face `item` - 5 for the hour `ihour`, into
// SATEMS(ihour, face), and the daily mean AVSOL(face). A face not yet
// computed (SATEMS(1,face) <= -99.99) first gets all 24 hours of the day.
// While the sun is up the outside film coefficient HO(item) is set to 4.0.
// An item with no area is left alone. `month` is passed on to INSOL.
void SATS(INTEGER month, INTEGER ihour, INTEGER item);

// A wall or roof (items 6 to 10) without area is never simulated: it
// carries no outside film coefficient, rather than the one an earlier run
// of the scheme, as another building, left there.
void clear_outside_film_without_area();

// Marks every face's day as not computed and clears the sol-air table: the
// run's first SATS of a face computes its whole day, whatever day the
// scheme file last saved, and a face without area keeps nothing of it.
void forget_sol_air_days();
// True once SATS has computed a day of face `face` (1 to 5) in this run.
bool sol_air_day_known(INTEGER face);

// TETD of envelope item `itemn` for hour `ihour`, F: (avsol - TEMPIN) +
// DECR(itemn) x (SATEMP(jhour) - avsol), jhour lagging ihour by the whole
// hours of TMLAG(itemn) and wrapping into the day. SATEMP holds the item's
// sol-air (or air) temperatures, filled by the caller.
void TETDS(INTEGER itemn, INTEGER ihour, REAL avsol_F, REAL& tetd_F);

}  // namespace mavo
