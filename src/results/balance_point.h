// Balance-point temperature of the simulated scheme.
#pragma once

namespace mavo {

// BALPT (BLK6): the lowest outdoor temperature at which the zone's net heat
// flow changes sign between consecutive hours; 999.9 when it never does.
void BPTEMP();

}  // namespace mavo
