// The hourly radiation and temperature file "scheme<k>.prn" of a caller
// that simulates day by day.
#pragma once
#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// IDAY below 1 starts the file with its two header lines; IDAY 1 to 12
// appends the 24 hours of representative day IDAY: month, day, hour, the
// beam and horizontal radiation of BLKT38B (kJ/m2), the outdoor TEMP and the
// indoor TIN (deg F), both written in deg C.
void KEEPSS(INTEGER IDAY, const FArray<REAL, 24>& TIN);

}  // namespace mavo
