// Heat gain of the electric lights.
#pragma once
#include "support/types.h"

namespace mavo {

// HEAT(13,IHOUR,MONTH), Btu/h: the full lighting load TLLOAD times the
// hour's lights-on fraction SCHED(1,IHOUR), less the daylighting credit of
// the daylit perimeter zones behind the four facades and of the skylit zone
// for the hour's daylight FCAVG(1..5) that GLAZED has just computed. Never
// negative.
void LITES(INTEGER MONTH, INTEGER IHOUR);

}  // namespace mavo
