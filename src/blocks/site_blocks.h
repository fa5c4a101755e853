// Site blocks: utility data of the site (zip code, climate zone, gas tariff
// in force, fuel and fuel prices), the site and climate derived from the
// weather file, and the day counters of the weather year.
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Site utility data. 24 words.
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

// Site and climate, written by the weather reader and carried by the scheme
// input file. 705 words.
struct BLK7_t {
    INTEGER TMZONEI = 0;            // word 1: time zone, whole hours, TMZONEF truncated toward zero
    REAL TMZONEF = 0.0f;            // word 2: time zone as the weather file gives it, h
    REAL DESMAX = 0.0f;             // word 3: cooling design dry bulb, F
    REAL DESMIN = 0.0f;             // word 4: heating design dry bulb, F
    REAL HDD = 0.0f;                // word 5: heating degree days, base 65 F; -1 asks for a new year pass
    REAL SLAT = 0.0f;               // word 6: latitude, deg north
    REAL SLON = 0.0f;               // word 7: longitude, deg, west negative
    REAL ALTITUDE = 0.0f;           // word 8: elevation as the weather file gives it
    FArray<REAL, 12> TMAX{};        // words 9-20: monthly mean of the daily maximum dry bulb, F
    FArray<REAL, 12> TMIN{};        // words 21-32: monthly mean of the daily minimum dry bulb, F
    FString<12> CLIMATEFILENAME{};  // words 33-35: weather file of the scheme
    INTEGER FIELDCODE = 0;          // word 36: kind of measured data, 0 in normal runs
    // Words 37-469: daily mean dry bulb, F. Entries 1-68 repeat days 298-365
    // and entries 69-433 are days 1-365, so a running mean looks back across
    // New Year without wrapping: day d is TDAILY(d + 68).
    FArray<REAL, 433> TDAILY{};
    // Words 470-703: ground temperature, F, by month (row 13 the annual mean)
    // and set: 1-16 the climate zones, 17 a variant of zone 16, 18 the
    // weather file's own values.
    FArray<REAL, 13, 18> GROUNDTEMP{};
    INTEGER ZONE = 0;               // word 704: ground-temperature set in use, 1-18
    REAL THEATMAX = 0.0f;           // word 705: highest monthly mean outdoor temperature with
                                    // heating, F; below 33 counts as 85
};

// Day counters of the weather year. 2 words.
struct BLK1F_t {
    INTEGER SKPDAY = 0;    // days of the weather file before the simulated period, 0-353
    INTEGER DAYCOUNT = 0;  // running day of the hourly simulation
};

extern BLK33A_t BLK33A;
extern BLK7_t BLK7;
extern BLK1F_t BLK1F;

static_assert(std::is_standard_layout_v<BLK33A_t> && sizeof(BLK33A_t) == 24 * 4);
static_assert(offsetof(BLK33A_t, GRATEZONE) == 4 * 4);
static_assert(offsetof(BLK33A_t, GCUSTOMCHG) == 12 * 4);
static_assert(offsetof(BLK33A_t, FUELTYPE) == 16 * 4);
static_assert(offsetof(BLK33A_t, PROPANEPRICE) == 20 * 4);
static_assert(std::is_standard_layout_v<BLK7_t> && sizeof(BLK7_t) == 705 * 4);
static_assert(offsetof(BLK7_t, SLAT) == 5 * 4);
static_assert(offsetof(BLK7_t, TMAX) == 8 * 4);
static_assert(offsetof(BLK7_t, TMIN) == 20 * 4);
static_assert(offsetof(BLK7_t, CLIMATEFILENAME) == 32 * 4);
static_assert(offsetof(BLK7_t, FIELDCODE) == 35 * 4);
static_assert(offsetof(BLK7_t, TDAILY) == 36 * 4);
static_assert(offsetof(BLK7_t, GROUNDTEMP) == 469 * 4);
static_assert(offsetof(BLK7_t, ZONE) == 703 * 4);
static_assert(offsetof(BLK7_t, THEATMAX) == 704 * 4);
static_assert(sizeof(BLK1F_t) == 2 * 4);

inline REAL& ZIPCODE = BLK33A.ZIPCODE;
inline INTEGER& CECZONE = BLK33A.CECZONE;
inline INTEGER& GRATEZONE = BLK33A.GRATEZONE;
inline REAL& FUELTYPE = BLK33A.FUELTYPE;
inline INTEGER& TMZONEI = BLK7.TMZONEI;
inline REAL& TMZONEF = BLK7.TMZONEF;
inline REAL& DESMAX = BLK7.DESMAX;
inline REAL& DESMIN = BLK7.DESMIN;
inline REAL& HDD = BLK7.HDD;
inline REAL& SLAT = BLK7.SLAT;
inline REAL& SLON = BLK7.SLON;
inline REAL& ALTITUDE = BLK7.ALTITUDE;
inline FArray<REAL, 12>& TMAX = BLK7.TMAX;
inline FArray<REAL, 12>& TMIN = BLK7.TMIN;
inline FString<12>& CLIMATEFILENAME = BLK7.CLIMATEFILENAME;
inline INTEGER& FIELDCODE = BLK7.FIELDCODE;
inline FArray<REAL, 433>& TDAILY = BLK7.TDAILY;
inline FArray<REAL, 13, 18>& GROUNDTEMP = BLK7.GROUNDTEMP;
inline INTEGER& ZONE = BLK7.ZONE;
inline REAL& THEATMAX = BLK7.THEATMAX;
inline INTEGER& SKPDAY = BLK1F.SKPDAY;
inline INTEGER& DAYCOUNT = BLK1F.DAYCOUNT;

}  // namespace mavo

#define MAVO_SITE_BLOCKS(X) \
    X(BLK33A)               \
    X(BLK7)                 \
    X(BLK1F)
