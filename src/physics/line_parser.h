// Parser of one comma-separated weather-file line.
#pragma once
#include "support/types.h"

namespace mavo {

constexpr REAL kMissingField = -999.99f;

// Parses TEXTLINE for the first NWANT columns listed in ISTPOS (ascending)
// into FIELDVALS; a column that is empty, text, or beyond the line reads as
// -999.99.
void FFCDREAD(INTEGER NWANT);

}  // namespace mavo
