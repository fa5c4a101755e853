// Envelope construction properties, the day's sun and sol-air tables, the
// code requirement tables by climate zone, and the thermal-mass elements
// with their material list.
//
// Items of ABSORB .. RVAL follow the envelope item index: 1-4 windows S, W,
// N, E; 5 skylight; 6-9 walls S, W, N, E; 10 roof; 11 floor; 12 slab
// (perimeter ft) or basement; 13-16 basement wall bands; 17 basement floor;
// 18 total basement wall; 21-25 doors. Faces 1-5 of the sun and sol-air
// tables are the walls S, W, N, E (relative to the front facade) and the
// horizontal roof.
#pragma once
#include <cstddef>

#include "blocks/climate_zone_tables.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/table_reads.h"
#include "support/types.h"

namespace mavo {

// Day sun table, rebuilt for every simulated day by the sun routine and
// carried by the scheme input file. 172 words.
struct BLK30_t {
    FArray<REAL, 24> ALT{};        // words 1-24: solar altitude by hour, deg; -999.9 outside the sun hours
    FArray<REAL, 24> AZI{};        // words 25-48: solar azimuth, deg from south, west positive; 0 outside
    FArray<REAL, 24, 5> ANGINC{};  // words 49-168: incidence on face 1-5, deg; >90 sun behind; 999.9 outside
    REAL SUNRISE = 0.0f;           // word 169: hours after midnight; 9999 when the sun neither rises nor sets
    REAL SUNSET = 0.0f;            // word 170: hours after midnight; 9999 as above
    INTEGER IHRSUN1 = 0;           // word 171: first hour filled
    INTEGER IHRSUN2 = 0;           // word 172: last hour filled
};

// Sol-air temperatures of the four walls and the roof; carried by the
// scheme input file. 125 words.
struct BLK31_t {
    FArray<REAL, 24, 5> SATEMS{};  // words 1-120: sol-air temperature by hour and face, F;
                                   // SATEMS(1,f) <= -99.99 marks a face not yet computed
    FArray<REAL, 5> AVSOL{};       // words 121-125: daily mean of SATEMS(.,f), F
};

// Construction properties by envelope item. 119 words.
struct BLK4_t {
    FArray<REAL, 13> ABSORB{};  // words 1-13: outside solar absorptance; items 1-5 the
                                // area-weighted visible transmittance of the glazing
    FArray<REAL, 13> DECR{};    // words 14-26: decrement factor, -
    FArray<REAL, 13> SC{};      // words 27-39: shading coefficient or SHGC of the glazing items
    FArray<REAL, 13> HO{};      // words 40-52: outside film coefficient, Btu/h.ft2.F
    FArray<REAL, 13> TMLAG{};   // words 53-65: time lag, h (0-24)
    FArray<REAL, 27> UVAL{};    // words 66-92: U-factor, Btu/h.ft2.F; item 12 a slab F-factor,
                                // Btu/h.ft.F per ft of perimeter; item 18 an added exterior R
    FArray<REAL, 27> RVAL{};    // words 93-119: insulation R, h.ft2.F/Btu
};

// Ceiling and attic path resistances, h.ft2.F/Btu. 5 words.
struct BLK4A_t {
    REAL RCAVITYC = 0.0f;   // word 1: ceiling cavity path
    REAL RFRAMINGC = 0.0f;  // word 2: ceiling framing path
    REAL RSHELCEIL = 0.0f;  // word 3: roof shell above the attic
    REAL ATTICR = 0.0f;     // word 4: attic air space (6.5 with a radiant barrier, 1.9 without)
    REAL RINSCEIL = 0.0f;   // word 5: ceiling insulation
};

// Residential code requirements by row and climate zone, row fastest; the
// summary file carries CECRESA zone after zone. 1024 words, never written.
struct BLK21C_t {
    FArray<REAL, 32, 16> CECRESD = residential_code_r_values();      // words 1-512
    FArray<REAL, 32, 16> CECRESA = residential_code_requirements();  // words 513-1024
};

// Non-residential code requirements by row and climate zone. 992 words,
// never written.
struct BLK21D_t {
    FArray<REAL, 62, 16> CECNR = nonresidential_code_requirements();
};

// Thermal-mass elements 1-6 (1 floor, 2 walls, 3 ceiling, 4 basement walls
// in residential schemes). 49 words.
struct BLK37A_t {
    FArray<REAL, 6> LNTH{};    // words 1-6: length, ft
    FArray<REAL, 6> WDTH{};    // words 7-12: width, ft
    FArray<REAL, 6> THCK{};    // words 13-18: thickness, in; for water the volume, gal
    FArray<REAL, 6> NELMNT{};  // words 19-24: number of such elements
    FArray<REAL, 6> DNST{};    // words 25-30: density, lb/ft3
    FArray<REAL, 6> SPHT{};    // words 31-36: specific heat, Btu/lb.F
    FArray<REAL, 6> COND{};    // words 37-42: conductivity, Btu.in/h.ft2.F (divided by 12 for per ft)
    FArray<REAL, 6> TATDHC{};  // words 43-48: depth taking part in the daily heat storage, in
    REAL SLABBLEND = 0.0f;     // word 49: percent of a regression slab that behaves as floor type -6
};

// Labels and material names of the mass elements. 34 words.
struct BLK37B_t {
    FArray<FString<8>, 11> MLABEL{};  // words 1-22: element labels; 5 the basement label,
                                      // 6-8 the residential labels of elements 2-4
    FArray<FString<8>, 6> MTUSED{};   // words 23-34: material name in use per element
};

// The materials a mass element may be made of. 20 words, never written.
struct BLK37C_t {
    FArray<FString<8>, 10> MTNAME = {"CONCRETE", "WATER", "ADOBE", "BRICK", "STONE",
                                     "PLASTER", "TILE", "WOOD", "DRYWALL", "LT.WT.CO"};
};

// The mass element the material routine is working on. 1 word.
struct BLK37D_t {
    INTEGER KMASS = 0;  // element 1-6, set by the caller before each material lookup
};

// Properties of the materials of MTNAME, in the same order. 30 words,
// never written.
struct BLK37E_t {
    FArray<REAL, 10> MTDENSITY = {140.0f, 62.4f, 105.0f, 130.0f, 160.0f,
                                  116.0f, 140.0f, 45.0f, 50.0f, 80.0f};  // words 1-10: lb/ft3
    FArray<REAL, 10> MTSPHEAT = {0.22f, 1.0f, 0.2f, 0.19f, 0.19f,
                                 0.2f, 0.19f, 0.39f, 0.26f, 0.2f};       // words 11-20: Btu/lb.F
    FArray<REAL, 10> MTCOND = {12.0f, 0.34f, 4.0f, 7.0f, 43.0f,
                               5.0f, 12.5f, 1.2f, 1.1f, 3.0f};           // words 21-30: Btu.in/h.ft2.F
};

extern BLK30_t BLK30;
extern BLK31_t BLK31;
extern BLK4_t BLK4;
extern BLK4A_t BLK4A;
extern BLK21C_t BLK21C;
extern BLK21D_t BLK21D;
extern BLK37A_t BLK37A;
extern BLK37B_t BLK37B;
extern BLK37C_t BLK37C;
extern BLK37D_t BLK37D;
extern BLK37E_t BLK37E;

// Layouts carried word by word by the scheme input and summary files.
static_assert(std::is_standard_layout_v<BLK30_t> && sizeof(BLK30_t) == 172 * 4);
static_assert(offsetof(BLK30_t, AZI) == 24 * 4);
static_assert(offsetof(BLK30_t, ANGINC) == 48 * 4);
static_assert(offsetof(BLK30_t, SUNRISE) == 168 * 4);
static_assert(offsetof(BLK30_t, IHRSUN1) == 170 * 4);
static_assert(std::is_standard_layout_v<BLK31_t> && sizeof(BLK31_t) == 125 * 4);
static_assert(offsetof(BLK31_t, AVSOL) == 120 * 4);
static_assert(std::is_standard_layout_v<BLK4_t> && sizeof(BLK4_t) == 119 * 4);
static_assert(offsetof(BLK4_t, DECR) == 13 * 4);
static_assert(offsetof(BLK4_t, SC) == 26 * 4);
static_assert(offsetof(BLK4_t, HO) == 39 * 4);
static_assert(offsetof(BLK4_t, TMLAG) == 52 * 4);
static_assert(offsetof(BLK4_t, UVAL) == 65 * 4);
static_assert(offsetof(BLK4_t, RVAL) == 92 * 4);
static_assert(sizeof(BLK4A_t) == 5 * 4 && offsetof(BLK4A_t, ATTICR) == 3 * 4);
static_assert(std::is_standard_layout_v<BLK21C_t> && sizeof(BLK21C_t) == 1024 * 4);
static_assert(offsetof(BLK21C_t, CECRESA) == 512 * 4);
static_assert(sizeof(BLK21D_t) == 992 * 4);
static_assert(std::is_standard_layout_v<BLK37A_t> && sizeof(BLK37A_t) == 49 * 4);
static_assert(offsetof(BLK37A_t, NELMNT) == 18 * 4);
static_assert(offsetof(BLK37A_t, COND) == 36 * 4);
static_assert(offsetof(BLK37A_t, SLABBLEND) == 48 * 4);
static_assert(std::is_standard_layout_v<BLK37B_t> && sizeof(BLK37B_t) == 34 * 4);
static_assert(offsetof(BLK37B_t, MTUSED) == 22 * 4);
static_assert(sizeof(BLK37C_t) == 20 * 4);
static_assert(sizeof(BLK37D_t) == 4);
static_assert(sizeof(BLK37E_t) == 30 * 4 && offsetof(BLK37E_t, MTCOND) == 20 * 4);

inline FArray<REAL, 24>& ALT = BLK30.ALT;
inline FArray<REAL, 24>& AZI = BLK30.AZI;
inline FArray<REAL, 24, 5>& ANGINC = BLK30.ANGINC;
inline REAL& SUNRISE = BLK30.SUNRISE;
inline REAL& SUNSET = BLK30.SUNSET;
inline INTEGER& IHRSUN1 = BLK30.IHRSUN1;
inline INTEGER& IHRSUN2 = BLK30.IHRSUN2;
inline FArray<REAL, 24, 5>& SATEMS = BLK31.SATEMS;
inline FArray<REAL, 5>& AVSOL = BLK31.AVSOL;
inline FArray<REAL, 13>& ABSORB = BLK4.ABSORB;
inline FArray<REAL, 13>& DECR = BLK4.DECR;
inline FArray<REAL, 13>& SC = BLK4.SC;
inline FArray<REAL, 13>& HO = BLK4.HO;
inline FArray<REAL, 13>& TMLAG = BLK4.TMLAG;
inline FArray<REAL, 27>& UVAL = BLK4.UVAL;
inline FArray<REAL, 27>& RVAL = BLK4.RVAL;
inline REAL& RCAVITYC = BLK4A.RCAVITYC;
inline REAL& RFRAMINGC = BLK4A.RFRAMINGC;
inline REAL& RSHELCEIL = BLK4A.RSHELCEIL;
inline REAL& ATTICR = BLK4A.ATTICR;
inline REAL& RINSCEIL = BLK4A.RINSCEIL;
#ifdef MAVO_TABLE_READS
// Every read of a code table counted, for the measure of which cells the
// references and the sweep reach (support/table_reads.h).
inline const table_reads::CountedZoneTable<32> CECRESD{BLK21C.CECRESD, "CECRESD"};
inline const table_reads::CountedZoneTable<32> CECRESA{BLK21C.CECRESA, "CECRESA"};
inline const table_reads::CountedZoneTable<62> CECNR{BLK21D.CECNR, "CECNR"};
#else
inline FArray<REAL, 32, 16>& CECRESD = BLK21C.CECRESD;
inline FArray<REAL, 32, 16>& CECRESA = BLK21C.CECRESA;
inline FArray<REAL, 62, 16>& CECNR = BLK21D.CECNR;
#endif
inline FArray<REAL, 6>& LNTH = BLK37A.LNTH;
inline FArray<REAL, 6>& WDTH = BLK37A.WDTH;
inline FArray<REAL, 6>& THCK = BLK37A.THCK;
inline FArray<REAL, 6>& NELMNT = BLK37A.NELMNT;
inline FArray<REAL, 6>& DNST = BLK37A.DNST;
inline FArray<REAL, 6>& SPHT = BLK37A.SPHT;
inline FArray<REAL, 6>& COND = BLK37A.COND;
inline FArray<REAL, 6>& TATDHC = BLK37A.TATDHC;
inline REAL& SLABBLEND = BLK37A.SLABBLEND;
inline FArray<FString<8>, 11>& MLABEL = BLK37B.MLABEL;
inline FArray<FString<8>, 6>& MTUSED = BLK37B.MTUSED;
inline FArray<FString<8>, 10>& MTNAME = BLK37C.MTNAME;
inline INTEGER& KMASS = BLK37D.KMASS;
inline FArray<REAL, 10>& MTDENSITY = BLK37E.MTDENSITY;
inline FArray<REAL, 10>& MTSPHEAT = BLK37E.MTSPHEAT;
inline FArray<REAL, 10>& MTCOND = BLK37E.MTCOND;

}  // namespace mavo

#define MAVO_CONSTRUCTION_BLOCKS(X) \
    X(BLK30)                        \
    X(BLK31)                        \
    X(BLK4)                         \
    X(BLK4A)                        \
    X(BLK21C)                       \
    X(BLK21D)                       \
    X(BLK37A)                       \
    X(BLK37B)                       \
    X(BLK37C)                       \
    X(BLK37D)                       \
    X(BLK37E)
