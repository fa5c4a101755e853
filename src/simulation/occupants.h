// Heat of the occupants and the hour's net heat flow.
#pragma once
#include "support/types.h"

namespace mavo {

// HEAT(15,IHOUR,MONTH), Btu/h: the occupants' sensible heat; in
// non-residential mode also OCCPROF(IHOUR), the hour's occupancy fraction.
// Nothing is written in the ventilation test cases of schemes 3 and above.
void PERSNS(INTEGER MONTH, INTEGER IHOUR);

// TOTALS(MONTH, IHOUR) is declared with the zone balance in simulation.h.

}  // namespace mavo
