// Site utility data: zip code, climate zone, gas tariff in force, fuel and
// fuel prices. 24 words.
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/types.h"

namespace mavo {

struct BLK33A_t {
    REAL ZIPCODE = 90025.0f;     // word 1: zip.city, or a climate-zone number 1-19.9
    INTEGER CECZONE = 6;         // word 2: CEC climate zone 1-16
    INTEGER GASYEAR = 2001;      // word 3: year of the gas tariff in force
    INTEGER ZIPFIELD5 = 3;       // word 4: fifth field of the zip record, not read
    INTEGER GRATEZONE = 1;       // word 5: gas rate zone in force
    REAL GASBASE = 0.94633f;     // word 6: $/therm within baseline, season of words 15-16
    REAL GASABOVE = 1.12615f;    // word 7: $/therm above baseline, same season
    REAL GASSPARE8 = 0.085f;     // word 8: no reader
    REAL GASSPARE9 = 0.375f;     // word 9: no reader
    REAL GASBASES = 1.16f;       // word 10: $/therm within baseline, other months
    REAL GASABOVES = 1.492f;     // word 11: $/therm above baseline, other months
    REAL GASSPARE12 = 1.823f;    // word 12: no reader
    REAL GCUSTOMCHG = 0.16438f;  // word 13: customer charge, $/day
    REAL GASMULT = 1.03f;        // word 14: factor set with the gas tariff
    INTEGER GWINMON1 = 11;       // word 15: first month of the season of words 6-7
    INTEGER GWINMON2 = 4;        // word 16: last month of that season
    REAL FUELTYPE = 0.0f;        // word 17: 0, 1, 10 gas; 2 propane; 3 oil; 4 electric
    FArray<REAL, 3> SPARE18_20{};
    REAL PROPANEPRICE = 2.7f;    // word 21: $/gallon
    REAL OILPRICE = 2.9f;        // word 22: $/gallon
    FArray<REAL, 2> SPARE23_24{};
};

extern BLK33A_t BLK33A;

static_assert(std::is_standard_layout_v<BLK33A_t> && sizeof(BLK33A_t) == 24 * 4);
static_assert(offsetof(BLK33A_t, GRATEZONE) == 4 * 4);
static_assert(offsetof(BLK33A_t, GCUSTOMCHG) == 12 * 4);
static_assert(offsetof(BLK33A_t, FUELTYPE) == 16 * 4);
static_assert(offsetof(BLK33A_t, PROPANEPRICE) == 20 * 4);

inline REAL& ZIPCODE = BLK33A.ZIPCODE;
inline INTEGER& CECZONE = BLK33A.CECZONE;
inline INTEGER& GRATEZONE = BLK33A.GRATEZONE;
inline REAL& FUELTYPE = BLK33A.FUELTYPE;

}  // namespace mavo

#define MAVO_SITE_BLOCKS(X) X(BLK33A)
