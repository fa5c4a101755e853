// The steps of UVALR (walls, roof, floors) and the working values they
// share within one call. Nothing here outlives the call.
#pragma once
#include "physics/scaled_footprint.h"
#include "support/types.h"

namespace mavo::residential_construction {

// The working values of one UVALR call.
struct Working {
    INTEGER k = 0;          // scheme column, IDNUM1
    INTEGER z = 0;          // CEC climate zone, the column of CECRESA
    INTEGER YearBuilt = 0;  // year built as used
    INTEGER level = 0;      // insulation level after normalisation, signed

    REAL InsuLevel = 1.0f;    // insulation multiplier of the level
    REAL RinsWall = 0.0f;     // wall insulation (levels 5, 9, 10: a table U-factor carried as is)
    REAL RinsFloor = 0.0f;    // raised-floor insulation, h.ft2.F/Btu
    REAL RinsSlab = 0.0f;     // slab-edge insulation, h.ft2.F/Btu
    REAL RHvMassWall = 0.0f;  // heavy-mass wall value of the level (traced only)
    REAL FinsSlab = 0.0f;     // slab F-factor, Btu/h.ft.F per ft of perimeter
    bool RBReqd = false;      // radiant barrier required

    REAL perimeter_ft = 0.0f;  // P: slab or basement perimeter
    // Time lag (h) and decrement of the last wall evaluation: the roof takes
    // them for the roof types it gives no values of its own.
    REAL wall_lag_h = 0.0f;
    REAL wall_decr = 0.0f;

    ScaledFootprint footprint;
};

// The code in a slot of the scheme's parameter column, cut to a whole number.
INTEGER code_of(INTEGER row, INTEGER k);

// The wall step: items 6 to 9 and mass element 2.
void residential_walls(Working& w);

// The roof step: item 10, the ceiling and attic path resistances, the roof
// slope and surface, mass element 3.
void residential_roof(Working& w);

// A floor type of a basement, or of the input file's basement walls beside
// its slab (-16): the basement items (13 to 18) and the basement walls'
// mass element are its own. No floor, a raised floor or a slab has none.
bool keeps_basement(INTEGER type);

// The slab F-factor of the slab floor types, before the walls.
void residential_slab_f_factor(Working& w);

// The floor step: raised floor, slab, basement, their areas and percentages,
// mass elements 1 and 4, and the clean-up of items that do not apply.
void residential_floors(Working& w);

}  // namespace mavo::residential_construction
