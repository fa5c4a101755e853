// Blocks of the hourly simulation: the clock, the comfort limits and the
// day's working temperatures, the calendar, the representative days and the
// day's radiation, the year of hourly weather, the day schedules, the zone
// constants, the hourly heat flows and the hour-by-month result arrays.
//
// Words are four bytes and counted from 1, as the scheme files and the
// record layouts count them; every block is standard-layout so that the
// word map written beside each one is the real memory layout.
#pragma once
#include <cstddef>
#include <type_traits>

#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// Simulation clock, four words.
struct BLK1D_t {
    REAL CYCLE = 0.0f;   // word 1: warm-up hours left; 288 (twelve days of 24 hours) at run start, -2 once warm-up is over
    INTEGER IWHEN = 0;   // word 2: stamp of the hour: month*10000 + day*100 + hour
    INTEGER IWHEN1 = 0;  // word 3: first stamp of the trace window (each procedure sets its own)
    INTEGER IWHEN2 = 0;  // word 4: last stamp of the trace window
};

// Comfort limits, the hour's working temperatures and the run's indoor
// extremes, 152 words. The scheme input file carries words 1, 2, 3 and 5.
struct BLK6_t {
    REAL DATWORD1 = 0.0f;             // word 1: carried by the scheme input file, read by no procedure
    REAL COMHI = 75.0f;               // word 2: upper comfort limit, cooling set point, F
    REAL COMLOW = 68.0f;              // word 3: lower comfort limit, heating set point, F
    REAL SPARE4 = 0.0f;               // word 4: no reader
    REAL GRNDREF = 0.2f;              // word 5: ground reflectance, fraction
    FArray<REAL, 24> SATEMP{};        // words 6-29: sol-air (or air) temperature of the surface in hand, F
    FArray<REAL, 24> TEMP{};          // words 30-53: outdoor dry bulb of each hour of the day, F
    REAL TEMPIN = 0.0f;               // word 54: indoor air temperature, F
    REAL BALPTNOSUN = -999.0f;        // word 55: balance point without sun, F; never computed
    REAL BALPT = 0.0f;                // word 56: balance point with sun, F; 999.9 = none
    REAL TLASTHR = 0.0f;              // word 57: indoor temperature at the end of the previous hour, F
    REAL TempPeakLow = 0.0f;          // word 58: lowest indoor temperature of the run, F
    INTEGER TempPeakLowHr = 0;        // word 59: its hour
    INTEGER TempPeakLowDay = 0;       // word 60: its day of the month
    INTEGER TempPeakLowMon = 0;       // word 61: its month
    REAL TempPeakHigh = 0.0f;         // word 62: highest indoor temperature of the run, F
    INTEGER TempPeakHighHr = 0;       // word 63: its hour
    INTEGER TempPeakHighDay = 0;      // word 64: its day of the month
    INTEGER TempPeakHighMon = 0;      // word 65: its month
    REAL TEMPINMEAN = 0.0f;           // word 66: running mean of the indoor temperature, F
    INTEGER NTEMPINMEAN = 0;          // word 67: hours in that mean, warm-up included
    REAL HVACPEAKMAX = 0.0f;          // word 68: peak cooling, largest HVAC output, Btu/h
    REAL HVACPEAKMIN = 0.0f;          // word 69: peak heating, most negative HVAC output, Btu/h
    INTEGER HVACPEAKMINMON = 0;       // word 70: month of the heating peak
    INTEGER HVACPEAKMINDAY = 0;       // word 71: day of the heating peak
    INTEGER HVACPEAKMINHR = 0;        // word 72: hour of the heating peak
    INTEGER HVACPEAKMAXMON = 0;       // word 73: month of the cooling peak
    INTEGER HVACPEAKMAXDAY = 0;       // word 74: day of the cooling peak
    INTEGER HVACPEAKMAXHR = 0;        // word 75: hour of the cooling peak
    FArray<REAL, 24> TEMPS{};         // words 76-99: outdoor dry bulb of the same hour the day before, F
    FArray<REAL, 24> WINDFPM{};       // words 100-123: wind speed of each hour, ft/min
    FArray<REAL, 24> DP{};            // words 124-147: dew point of each hour, F
    FArray<REAL, 5> SPARE148_152{};   // words 148-152: no reader
};

// Days per month, no leap years; entry 13 is the year. Never written.
struct BLK13B_t {
    FArray<INTEGER, 13> MODAYS = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 365};
};

// Representative days and the record hours of the day, 64 words.
struct BLKT38A_t {
    FArray<INTEGER, 12> TMON{};          // words 1-12: month of the day simulated for month m
    FArray<INTEGER, 12> TDAY{};          // words 13-24: its day of the month
    FArray<INTEGER, 24> THOUR{};         // words 25-48: hour stamp of each weather record of the day
    FArray<INTEGER, 16> SPARE49_64{};    // words 49-64: no reader
};

// The day's radiation by hour, 96 whole-number words.
struct BLKT38B_t {
    FArray<INTEGER, 24> BEAM{};     // words 1-24: direct normal radiation, Btu/ft2
    FArray<INTEGER, 24> HORIZ{};    // words 25-48: global horizontal radiation, Btu/ft2
    // The hourly radiation file prints these two runs in kJ/m2; no
    // procedure fills them, so whoever writes that file fills them first.
    FArray<INTEGER, 24> BEAMKJ{};   // words 49-72: direct normal radiation, kJ/m2
    FArray<INTEGER, 24> HORIZKJ{};  // words 73-96: global horizontal radiation, kJ/m2
};

// The year of hourly weather as the simulation read it, for the
// photovoltaic and solar water models: five arrays of 8760 hours, each
// record at the hour of its date. Cleared when a simulation starts; the
// models read it and never change it.
struct BLK51_t {
    FArray<REAL8, 8760> TAMB{};        // dry bulb, C
    FArray<REAL8, 8760> DRCTNORMAL{};  // direct normal radiation, W/m2
    FArray<REAL8, 8760> WXSPARE3{};    // third array of the year, never filled or read
    FArray<REAL8, 8760> TOTHORIZ{};    // global horizontal radiation, W/m2
    FArray<REAL8, 8760> WNDSPD{};      // wind speed, m/s
};

// Residential profiles of the day schedule: rows 2 and 3 by hour 1..24;
// row 1 (lights on) is set each day.
constexpr FArray<REAL, 3, 24> initial_day_schedule() {
    constexpr REAL row2[24] = {1139, 1139, 1139, 1139, 1139, 1903, 2391, 4782, 2790, 1707, 1707, 2277,
                               1707, 1424, 1480, 1480, 2164, 2334, 2505, 3928, 3928, 4101, 4101, 3701};
    constexpr REAL row3[24] = {247, 247, 247, 247, 247, 412, 518, 1036, 604, 370, 370, 493,
                               370, 308, 321, 321, 469, 506, 543, 851, 851, 888, 888, 802};
    FArray<REAL, 3, 24> s{};
    for (int h = 1; h <= 24; ++h) {
        s(2, h) = row2[h - 1];
        s(3, h) = row3[h - 1];
    }
    return s;
}

// The day's schedule and the fixed residential profiles, 132 words.
struct BLK32_t {
    // words 1-72: row 1 the lights-on fraction of each hour (0-1); rows 2
    // and 3 fixed residential hourly profiles.
    FArray<REAL, 3, 24> SCHED = initial_day_schedule();
    // words 73-96: hourly occupant fraction (residential profile, sums to
    // 1.001; non-residential runs overwrite it with the occupancy schedule)
    FArray<REAL, 24> OCCPROF = {0.024f, 0.022f, 0.021f, 0.021f, 0.021f, 0.026f, 0.038f, 0.059f,
                                0.056f, 0.06f,  0.059f, 0.046f, 0.045f, 0.03f,  0.028f, 0.031f,
                                0.057f, 0.064f, 0.064f, 0.053f, 0.05f,  0.055f, 0.044f, 0.027f};
    // words 97-108: monthly multiplier of the residential appliance energy
    FArray<REAL, 12> MONPROF = {1.19f, 1.11f, 1.02f, 0.93f, 0.84f, 0.8f,
                                0.82f, 0.88f, 0.98f, 1.07f, 1.16f, 1.21f};
    // words 109-132: residential hourly hot-water draw fractions (sum 1.002)
    FArray<REAL, 24> DHWPROF = {0.014f, 0.008f, 0.009f, 0.011f, 0.02f,  0.044f, 0.089f, 0.107f,
                                0.089f, 0.066f, 0.052f, 0.038f, 0.036f, 0.033f, 0.032f, 0.026f,
                                0.042f, 0.048f, 0.052f, 0.047f, 0.042f, 0.039f, 0.036f, 0.022f};
};

// Zone constants of the heat balance, five words.
struct BLK26_t {
    REAL TMASS = 0.0f;   // word 1: heat capacity of the lumped mass, Btu/F
    REAL UAINF = 0.0f;   // word 2: conductance of the hour's infiltration air, Btu/h.F
    REAL SURFA = 0.0f;   // word 3: surface area of the mass, ft2
    REAL CLC = 0.0f;     // word 4: envelope conductance, sum of area x U, Btu/h.F
    REAL STOREL = 0.0f;  // word 5: heat stored in the zone, carried from hour to hour, Btu
};

// Heat flow into the space by component, hour and month, Btu/h (positive
// into the space): 1-4 glazing S, W, N, E; 5 skylights; 6-9 walls S, W, N,
// E; 10 roof; 11 floor; 12 slab; 13 lights; 14 equipment; 15 people;
// 16 infiltration and ventilation; 17 total.
struct BLK17_t {
    FArray<REAL, 17, 24, 12> HEAT{};
};

// Hour-by-month results (24 hours, 12 months). In the 365-day run each month
// holds its average day.
struct BLK34_t {
    FArray<REAL, 24, 12> OATEMP{};     // words 1-288: outdoor dry bulb, F
    FArray<REAL, 24, 12> STORED{};     // words 289-576: heat stored at the end of the hour, Btu
    FArray<REAL, 24, 12> AIRVOL{};     // words 577-864: air changes per hour
    FArray<REAL, 24, 12> HVACLD{};     // words 865-1152: HVAC output, Btu/h, cooling positive, heating negative
    FArray<REAL, 24, 12> KWHRFA{};     // words 1153-1440: fan and blower electricity, kWh
    FArray<REAL, 24, 12> COSTFUEL{};   // words 1441-1728: fuel cost, $
    FArray<REAL, 24, 12> COSTEL{};     // words 1729-2016: electricity cost, $
    // words 2017-2304: indoor air temperature of a comparison, F; only the
    // text export of hourly results reads it, nothing in the kernel writes it
    FArray<REAL, 24, 12> INDOORAIR{};
};

struct BLK34A_t {
    FArray<REAL, 24, 12> WHENER{};  // words 1-288: water-heater energy, Btu
    FArray<REAL, 24, 12> EQKWHR{};  // words 289-576: equipment and appliance electricity, kWh
    FArray<REAL, 24, 12> EQFUEL{};  // words 577-864: equipment and appliance fuel, Btu
};

// The scheme results file stores these in the order IATEMP, PV, SHW,
// SITEKWHR, TOTALCO2, not in block order.
struct BLK34B_t {
    FArray<REAL, 24, 12> PV{};        // words 1-288: photovoltaic output, kWh
    FArray<REAL, 24, 12> SHW{};       // words 289-576: solar water-heating contribution, Btu
    FArray<REAL, 24, 12> TOTALCO2{};  // words 577-864: CO2, lb
    FArray<REAL, 24, 12> SITEKWHR{};  // words 865-1152: site electricity, kWh
    FArray<REAL, 24, 12> IATEMP{};    // words 1153-1440: indoor temperature, F
};

struct BLK34C_t {
    FArray<REAL, 24, 12> IAVEL{};    // words 1-288: indoor air speed, ft/min
    FArray<REAL, 24, 12> EFFTEMP{};  // words 289-576: effective temperature, F
    FArray<REAL, 24, 12> WINDVEL{};  // words 577-864: outdoor wind speed, ft/min
};

struct BLK53_t {
    FArray<REAL, 24, 12> TEMPKWHR{};  // words 1-288: purchased electricity, kWh
    FArray<REAL, 24, 12> TEMPFUEL{};  // words 289-576: purchased fuel, Btu
};

extern BLK1D_t BLK1D;
extern BLK6_t BLK6;
extern BLK13B_t BLK13B;
extern BLKT38A_t BLKT38A;
extern BLKT38B_t BLKT38B;
extern BLK51_t BLK51;
extern BLK32_t BLK32;
extern BLK26_t BLK26;
extern BLK17_t BLK17;
extern BLK34_t BLK34;
extern BLK34A_t BLK34A;
extern BLK34B_t BLK34B;
extern BLK34C_t BLK34C;
extern BLK53_t BLK53;

// Word maps: offsets are (word - 1) * 4.
static_assert(std::is_standard_layout_v<BLK1D_t> && sizeof(BLK1D_t) == 4 * 4);
static_assert(offsetof(BLK1D_t, IWHEN) == 1 * 4 && offsetof(BLK1D_t, IWHEN2) == 3 * 4);

static_assert(std::is_standard_layout_v<BLK6_t> && sizeof(BLK6_t) == 152 * 4);
static_assert(offsetof(BLK6_t, COMHI) == 1 * 4);
static_assert(offsetof(BLK6_t, COMLOW) == 2 * 4);
static_assert(offsetof(BLK6_t, GRNDREF) == 4 * 4);
static_assert(offsetof(BLK6_t, SATEMP) == 5 * 4);
static_assert(offsetof(BLK6_t, TEMP) == 29 * 4);
static_assert(offsetof(BLK6_t, TEMPIN) == 53 * 4);
static_assert(offsetof(BLK6_t, BALPTNOSUN) == 54 * 4);
static_assert(offsetof(BLK6_t, BALPT) == 55 * 4);
static_assert(offsetof(BLK6_t, TLASTHR) == 56 * 4);
static_assert(offsetof(BLK6_t, TempPeakLow) == 57 * 4);
static_assert(offsetof(BLK6_t, TempPeakHigh) == 61 * 4);
static_assert(offsetof(BLK6_t, TEMPINMEAN) == 65 * 4);
static_assert(offsetof(BLK6_t, HVACPEAKMAX) == 67 * 4);
static_assert(offsetof(BLK6_t, HVACPEAKMINMON) == 69 * 4);
static_assert(offsetof(BLK6_t, HVACPEAKMAXHR) == 74 * 4);
static_assert(offsetof(BLK6_t, TEMPS) == 75 * 4);
static_assert(offsetof(BLK6_t, WINDFPM) == 99 * 4);
static_assert(offsetof(BLK6_t, DP) == 123 * 4);
static_assert(offsetof(BLK6_t, SPARE148_152) == 147 * 4);

static_assert(std::is_standard_layout_v<BLK13B_t> && sizeof(BLK13B_t) == 13 * 4);

static_assert(std::is_standard_layout_v<BLKT38A_t> && sizeof(BLKT38A_t) == 64 * 4);
static_assert(offsetof(BLKT38A_t, TDAY) == 12 * 4 && offsetof(BLKT38A_t, THOUR) == 24 * 4);

static_assert(std::is_standard_layout_v<BLKT38B_t> && sizeof(BLKT38B_t) == 96 * 4);
static_assert(offsetof(BLKT38B_t, HORIZ) == 24 * 4);
static_assert(offsetof(BLKT38B_t, BEAMKJ) == 48 * 4 && offsetof(BLKT38B_t, HORIZKJ) == 72 * 4);

static_assert(std::is_standard_layout_v<BLK51_t> && sizeof(BLK51_t) == 5 * 8760 * 8);
static_assert(offsetof(BLK51_t, TOTHORIZ) == 3 * 8760 * 8 && offsetof(BLK51_t, WNDSPD) == 4 * 8760 * 8);

static_assert(std::is_standard_layout_v<BLK32_t> && sizeof(BLK32_t) == 132 * 4);
static_assert(offsetof(BLK32_t, OCCPROF) == 72 * 4);
static_assert(offsetof(BLK32_t, MONPROF) == 96 * 4);
static_assert(offsetof(BLK32_t, DHWPROF) == 108 * 4);

static_assert(std::is_standard_layout_v<BLK26_t> && sizeof(BLK26_t) == 5 * 4);
static_assert(offsetof(BLK26_t, UAINF) == 1 * 4 && offsetof(BLK26_t, SURFA) == 2 * 4);
static_assert(offsetof(BLK26_t, CLC) == 3 * 4 && offsetof(BLK26_t, STOREL) == 4 * 4);

static_assert(std::is_standard_layout_v<BLK17_t> && sizeof(BLK17_t) == 17 * 24 * 12 * 4);

static_assert(std::is_standard_layout_v<BLK34_t> && sizeof(BLK34_t) == 8 * 288 * 4);
static_assert(offsetof(BLK34_t, HVACLD) == 3 * 288 * 4);
static_assert(offsetof(BLK34_t, COSTEL) == 6 * 288 * 4 && offsetof(BLK34_t, INDOORAIR) == 7 * 288 * 4);
static_assert(std::is_standard_layout_v<BLK34A_t> && sizeof(BLK34A_t) == 3 * 288 * 4);
static_assert(offsetof(BLK34A_t, EQFUEL) == 2 * 288 * 4);
static_assert(std::is_standard_layout_v<BLK34B_t> && sizeof(BLK34B_t) == 5 * 288 * 4);
static_assert(offsetof(BLK34B_t, SITEKWHR) == 3 * 288 * 4 && offsetof(BLK34B_t, IATEMP) == 4 * 288 * 4);
static_assert(std::is_standard_layout_v<BLK34C_t> && sizeof(BLK34C_t) == 3 * 288 * 4);
static_assert(offsetof(BLK34C_t, WINDVEL) == 2 * 288 * 4);
static_assert(std::is_standard_layout_v<BLK53_t> && sizeof(BLK53_t) == 2 * 288 * 4);
static_assert(offsetof(BLK53_t, TEMPFUEL) == 288 * 4);

// The names the procedures use.
inline REAL& CYCLE = BLK1D.CYCLE;
inline INTEGER& IWHEN = BLK1D.IWHEN;
inline INTEGER& IWHEN1 = BLK1D.IWHEN1;
inline INTEGER& IWHEN2 = BLK1D.IWHEN2;

inline REAL& COMHI = BLK6.COMHI;
inline REAL& COMLOW = BLK6.COMLOW;
inline REAL& GRNDREF = BLK6.GRNDREF;
inline FArray<REAL, 24>& SATEMP = BLK6.SATEMP;
inline FArray<REAL, 24>& TEMP = BLK6.TEMP;
inline REAL& TEMPIN = BLK6.TEMPIN;
inline REAL& BALPTNOSUN = BLK6.BALPTNOSUN;
inline REAL& BALPT = BLK6.BALPT;
inline REAL& TLASTHR = BLK6.TLASTHR;
inline REAL& TempPeakLow = BLK6.TempPeakLow;
inline REAL& TempPeakHigh = BLK6.TempPeakHigh;
inline REAL& TEMPINMEAN = BLK6.TEMPINMEAN;
inline INTEGER& NTEMPINMEAN = BLK6.NTEMPINMEAN;
inline REAL& HVACPEAKMAX = BLK6.HVACPEAKMAX;
inline REAL& HVACPEAKMIN = BLK6.HVACPEAKMIN;
inline FArray<REAL, 24>& TEMPS = BLK6.TEMPS;
inline FArray<REAL, 24>& WINDFPM = BLK6.WINDFPM;
inline FArray<REAL, 24>& DP = BLK6.DP;

inline FArray<INTEGER, 13>& MODAYS = BLK13B.MODAYS;

inline FArray<INTEGER, 12>& TMON = BLKT38A.TMON;
inline FArray<INTEGER, 12>& TDAY = BLKT38A.TDAY;
inline FArray<INTEGER, 24>& THOUR = BLKT38A.THOUR;
inline FArray<INTEGER, 24>& BEAM = BLKT38B.BEAM;
inline FArray<INTEGER, 24>& HORIZ = BLKT38B.HORIZ;

inline FArray<REAL8, 8760>& TAMB = BLK51.TAMB;
inline FArray<REAL8, 8760>& DRCTNORMAL = BLK51.DRCTNORMAL;
inline FArray<REAL8, 8760>& TOTHORIZ = BLK51.TOTHORIZ;
inline FArray<REAL8, 8760>& WNDSPD = BLK51.WNDSPD;

inline FArray<REAL, 3, 24>& SCHED = BLK32.SCHED;
inline FArray<REAL, 24>& OCCPROF = BLK32.OCCPROF;
inline FArray<REAL, 12>& MONPROF = BLK32.MONPROF;
inline FArray<REAL, 24>& DHWPROF = BLK32.DHWPROF;

inline REAL& TMASS = BLK26.TMASS;
inline REAL& UAINF = BLK26.UAINF;
inline REAL& SURFA = BLK26.SURFA;
inline REAL& CLC = BLK26.CLC;
inline REAL& STOREL = BLK26.STOREL;

inline FArray<REAL, 17, 24, 12>& HEAT = BLK17.HEAT;

inline FArray<REAL, 24, 12>& OATEMP = BLK34.OATEMP;
inline FArray<REAL, 24, 12>& STORED = BLK34.STORED;
inline FArray<REAL, 24, 12>& AIRVOL = BLK34.AIRVOL;
inline FArray<REAL, 24, 12>& HVACLD = BLK34.HVACLD;
inline FArray<REAL, 24, 12>& KWHRFA = BLK34.KWHRFA;
inline FArray<REAL, 24, 12>& COSTFUEL = BLK34.COSTFUEL;
inline FArray<REAL, 24, 12>& COSTEL = BLK34.COSTEL;
inline FArray<REAL, 24, 12>& INDOORAIR = BLK34.INDOORAIR;
inline FArray<REAL, 24, 12>& WHENER = BLK34A.WHENER;
inline FArray<REAL, 24, 12>& EQKWHR = BLK34A.EQKWHR;
inline FArray<REAL, 24, 12>& EQFUEL = BLK34A.EQFUEL;
inline FArray<REAL, 24, 12>& PV = BLK34B.PV;
inline FArray<REAL, 24, 12>& SHW = BLK34B.SHW;
inline FArray<REAL, 24, 12>& TOTALCO2 = BLK34B.TOTALCO2;
inline FArray<REAL, 24, 12>& SITEKWHR = BLK34B.SITEKWHR;
inline FArray<REAL, 24, 12>& IATEMP = BLK34B.IATEMP;
inline FArray<REAL, 24, 12>& IAVEL = BLK34C.IAVEL;
inline FArray<REAL, 24, 12>& EFFTEMP = BLK34C.EFFTEMP;
inline FArray<REAL, 24, 12>& WINDVEL = BLK34C.WINDVEL;
inline FArray<REAL, 24, 12>& TEMPKWHR = BLK53.TEMPKWHR;
inline FArray<REAL, 24, 12>& TEMPFUEL = BLK53.TEMPFUEL;

}  // namespace mavo

#define MAVO_SIMULATION_BLOCKS(X) \
    X(BLK1D)                      \
    X(BLK6)                       \
    X(BLK13B)                     \
    X(BLKT38A)                    \
    X(BLKT38B)                    \
    X(BLK51)                      \
    X(BLK32)                      \
    X(BLK26)                      \
    X(BLK17)                      \
    X(BLK34)                      \
    X(BLK34A)                     \
    X(BLK34B)                     \
    X(BLK34C)                     \
    X(BLK53)
