// What every step of the design generator shares: the scheme being
// designed, its climate zone and year built, and the few fixed sizes of a
// generated building (a standard door, the year of the current code).
#pragma once
#include "blocks/blocks.h"
#include "support/types.h"

namespace mavo {

// The scheme the generator is working on.
struct DesignScheme {
    INTEGER k = 0;            // scheme slot (IDNUM1): 1 code minimum, 2 efficient or vintage
    INTEGER z = 0;            // CEC climate zone 1-16 of the site
    REAL year_built = 0.0f;   // Y: year built in use; 2013 for the code-minimum scheme
};

// Year from which the current energy code applies; a year built of 100 or
// less means "not given" and is taken as this year.
inline constexpr REAL kYearOfCurrentCode = 2013.0f;
inline constexpr REAL kYearNotGiven = 100.0f;

// One generated door: 3 ft by 6.67 ft.
inline constexpr REAL kDoorWidth_ft = 3.0f;
inline constexpr REAL kDoorHeight_ft = 6.67f;
inline constexpr REAL kDoorArea_ft2 = 20.01f;

// Outside doors of a generated building by its attachment code
// STRATEGY(7,k): a high-rise apartment (3) is entered from a corridor and has
// none, a low-rise apartment (4) one on the south; every other building one
// on the south and one on the north. The glazing areas count exactly these
// doors and the window list places exactly these.
struct OutsideDoors {
    INTEGER south = 1;
    INTEGER north = 1;
};
constexpr OutsideDoors outside_doors(REAL attachment) {
    if (attachment == 3.0f) return {0, 0};
    if (attachment == 4.0f) return {1, 0};
    return {1, 1};
}

// Watts to Btu per hour, and SEER (Btu/Wh) to the coefficient of
// performance the model keeps.
inline constexpr REAL kBtuhPerWatt = 3.412f;

// Lux to footcandles (1 fc = 10.7639 lx).
inline constexpr REAL kLuxPerFootcandle = 10.7639f;

// The plant every generated scheme starts from: a furnace of the code's
// efficiency `afue` and a compressor air conditioner (heating and cooling
// codes 3) and a storage water heater. No evaporative cooler of an earlier
// choice stays behind: the effectiveness the scheme file carries belongs to
// cooling code 6, and every load of the saved scheme clears it for code 3.
inline void generated_plant(INTEGER k, REAL afue) {
    THEATMAX = 85.0f;
    NHVACS = 3.0f;
    COPHT = afue;
    STRATEGY(18, k) = STRATEGY(20, k) = 3.0f;
    EvapEff = 0.0f;
    WHTYPE = 1;
    WHEF = 0.6f;
    WHEF2 = 0.9f;
    SEF(2) = 0.6f;
}

// Building types 16 to 19 are dwellings.
constexpr bool is_residential_type(INTEGER ntype) { return ntype >= 16 && ntype <= 19; }

}  // namespace mavo
