// Glazing areas by facade of a generated scheme: how much glass (and door)
// each facade gets before the window table is laid out.
#pragma once
#include "support/types.h"

namespace mavo {

// Facade glazing percentages PERCNT(1..5) of scheme IDNUM1 from the code
// tables of its climate zone (non-residential types) or from GLZAR
// (dwellings), then bounded per facade.
void GLZVAL();

// Dwellings (types 16 to 19): the code-minimum or vintage distribution of
// the code's glass over the facades, or the south-biased distribution of
// the energy-efficient scheme that keeps scheme 1's total; the areas
// AREA(1..4), the door areas AREA(21..25) and SUMARY(2,k).
void GLZAR();

// Scheme 1's glass and doors, ft2, which the efficient dwelling keeps: its
// summary (row 2) once scheme 1 has results; before, the glass and doors
// of the code-minimum window list of this house, laid out as the
// code-minimum design lays it out, without changing scheme 1.
REAL scheme1_glass_and_doors_ft2();

// South glass as a fraction of the floor area for a passive-solar design,
// by the coldest monthly mean temperature (F) and the latitude (degrees).
REAL south_glass_fraction(REAL coldest_month_mean_F, REAL latitude_deg);

}  // namespace mavo
