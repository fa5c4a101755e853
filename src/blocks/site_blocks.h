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

// Ground temperatures of the climate zones, F: months 1-12 and the annual
// mean (row 13) of sets 1-16 (the zones' reference cities) and 17 (the
// zone-16 variant of the HERS BESTEST cases, NFLAG(46): Colorado Springs,
// their cold site). Set 18 is the weather file's own and starts empty.
// Kusuda and Achenbach (1965), "Earth temperature and thermal diffusivity at
// selected stations in the United States", ASHRAE Trans. 71(1): the annual
// surface wave damped and delayed with depth,
//   T(z,t) = Tm - As exp(-z sqrt(pi/(365 a))) cos(2 pi/365 (t - t0) - z sqrt(pi/(365 a))),
// at z = 2.0 m (a damping of 0.46 and a delay of 46 days, about what mains
// water shows, which these sets also stand for) in soil of diffusivity
// a = 0.025 ft2/h = 0.05574 m2/day, evaluated on the 15th of each month.
// Tm, As and t0 are the mean and the first harmonic of the city's normal
// monthly mean air temperatures (NOAA 1991-2020 U.S. Climate Normals,
// rounded to whole degrees F), listed with the model in the site-block test.
inline constexpr FArray<REAL, 13, 18> kClimateZoneGroundTemperatures = {
    // 1 Arcata
    50.86f, 50.08f, 49.84f, 50.18f, 51.01f, 52.16f, 53.25f, 54.06f, 54.32f, 53.98f, 53.11f, 51.99f, 52.07f,
    // 2 Santa Rosa
    55.15f, 53.91f, 53.70f, 54.55f, 56.21f, 58.35f, 60.27f, 61.55f, 61.78f, 60.93f, 59.19f, 57.11f, 57.73f,
    // 3 Oakland
    57.24f, 56.28f, 56.05f, 56.55f, 57.66f, 59.15f, 60.53f, 61.52f, 61.78f, 61.27f, 60.11f, 58.66f, 58.90f,
    // 4 San Jose
    58.45f, 57.22f, 57.07f, 58.01f, 59.78f, 62.01f, 63.97f, 65.25f, 65.41f, 64.47f, 62.61f, 60.45f, 61.22f,
    // 5 Santa Maria
    56.61f, 55.61f, 55.24f, 55.52f, 56.40f, 57.70f, 59.00f, 60.02f, 60.43f, 60.14f, 59.21f, 57.94f, 57.82f,
    // 6 Torrance
    62.56f, 61.49f, 61.10f, 61.41f, 62.38f, 63.80f, 65.21f, 66.31f, 66.74f, 66.41f, 65.39f, 64.01f, 63.90f,
    // 7 San Diego
    63.48f, 62.36f, 61.95f, 62.29f, 63.31f, 64.80f, 66.28f, 67.43f, 67.88f, 67.53f, 66.46f, 65.00f, 64.90f,
    // 8 Fullerton
    64.13f, 62.74f, 62.32f, 62.89f, 64.34f, 66.35f, 68.28f, 69.71f, 70.18f, 69.59f, 68.07f, 66.11f, 66.23f,
    // 9 Burbank
    64.04f, 62.47f, 62.03f, 62.75f, 64.47f, 66.81f, 69.03f, 70.64f, 71.13f, 70.39f, 68.60f, 66.32f, 66.56f,
    // 10 Riverside
    63.46f, 61.63f, 61.18f, 62.13f, 64.26f, 67.11f, 69.76f, 71.64f, 72.14f, 71.17f, 68.94f, 66.18f, 66.63f,
    // 11 Red Bluff
    57.74f, 55.54f, 55.33f, 57.12f, 60.42f, 64.53f, 68.11f, 70.40f, 70.64f, 68.84f, 65.39f, 61.40f, 62.95f,
    // 12 Sacramento
    57.23f, 55.41f, 55.17f, 56.50f, 59.06f, 62.29f, 65.15f, 67.03f, 67.31f, 65.97f, 63.29f, 60.16f, 61.21f,
    // 13 Fresno
    58.97f, 56.82f, 56.72f, 58.66f, 62.09f, 66.29f, 69.88f, 72.12f, 72.23f, 70.29f, 66.71f, 62.65f, 64.45f,
    // 14 Palmdale
    57.36f, 54.99f, 54.68f, 56.45f, 59.82f, 64.06f, 67.81f, 70.27f, 70.61f, 68.84f, 65.32f, 61.20f, 62.62f,
    // 15 Palm Springs
    70.15f, 67.87f, 67.65f, 69.51f, 72.92f, 77.16f, 80.86f, 83.23f, 83.47f, 81.61f, 78.05f, 73.93f, 75.54f,
    // 16 Blue Canyon
    46.84f, 44.43f, 43.69f, 44.67f, 47.18f, 50.67f, 54.01f, 56.49f, 57.31f, 56.30f, 53.67f, 50.28f, 50.46f,
    // 17 Colorado Springs (zone-16 variant)
    41.93f, 39.37f, 39.11f, 41.17f, 44.99f, 49.74f, 53.89f, 56.56f, 56.85f, 54.78f, 50.79f, 46.18f, 47.95f,
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
    FArray<REAL, 13, 18> GROUNDTEMP = kClimateZoneGroundTemperatures;
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
