// Construction properties of a non-residential scheme: U-factors, time
// lags, decrements and absorptances of the walls, roof, floor and slab, the
// roof surface and the floor and ceiling mass elements, from the scheme's
// construction codes, its year built and the non-residential code
// requirements of its climate zone.
#pragma once
#include "support/types.h"

namespace mavo {

// Construction families of the non-residential building types: concrete
// block walls on a slab (assembly, industrial, school), wood walls on a
// slab, a high-mass concrete warehouse, and the light frame of every other
// type.
enum class ConstructionFamily { block_on_slab, wood_on_slab, high_mass, light_frame };

ConstructionFamily construction_family_of(INTEGER ntype);

// The roof the design gives every family but the light frame: a cool roof
// on flat joists. A light frame keeps the roof its column holds.
inline constexpr REAL kFamilyRoof = 2.0f;

// The roof a roof code stands for in scheme k of the year built given: the
// cool roofs (2, 10) of an existing building (scheme 2) built before cool
// roofs were required are its dark roofs (3, 11); any other code is itself.
REAL roof_code_of_its_year(REAL code, INTEGER k, REAL year_built);

// Non-residential construction properties of scheme IDNUM1 into BLK4,
// ATTICR, the roof slope and emittance of BLK2, the floor and slab items of
// BLK3 and mass elements 1 and 3; maps old wall codes to the current ones
// and writes the settled codes back into the scheme's parameter column.
// Leaves everything unchanged for a residential building type.
void UVALC();

}  // namespace mavo
