// Utility tariffs and bill accumulators. The working sets (BLK33B, BLK33C,
// BLK33D, BLK33E, BLK33P) hold the tariff in force and what the bill has
// summed; they travel in the scheme files, which is how user-revised rates
// reach the bill. The others are the built-in 2014/2015 California tariffs,
// read-only after load. Words are 4 bytes; rates are $/kWh or $/therm,
// daily charges $/day, electric baselines kWh/day, gas baselines therms/day
// unless a member says otherwise. Years and months are INTEGER unless a
// member says REAL.
#pragma once
#include <cstddef>
#include <type_traits>

#include "blocks/tariff_tables.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// ---------------------------------------------------------------------------
// Working sets
// ---------------------------------------------------------------------------

// Gas working set and fuel-cost results, 16 words; rebuilt by every fuel bill.
struct BLK33B_t {
    REAL FUELBTU = 0.0f;    // word 1: Btu per unit of the fuel: 100000 therm, 91000 propane gal, 137000 oil gal
    REAL GBASEW = 0.0f;     // word 2: winter baseline, therms/day
    INTEGER GDAYSW = 0;     // word 3: days billed in winter
    REAL GCHARGW = 0.0f;    // word 4: winter customer charges, $
    REAL GTHERMW = 0.0f;    // word 5: winter therms at the baseline rate
    REAL GCOSTW = 0.0f;     // word 6: winter baseline cost, $
    REAL GTHERMWAB = 0.0f;  // word 7: winter therms above the baseline
    REAL GCOSTWAB = 0.0f;   // word 8: winter above-baseline cost, $
    REAL GBASES = 0.0f;     // word 9: summer baseline, therms/day
    INTEGER GDAYSS = 0;     // word 10: days billed in summer
    REAL GCHARGS = 0.0f;    // word 11: summer customer charges, $
    REAL GTHERMS = 0.0f;    // word 12: summer therms at the baseline rate
    REAL GCOSTS = 0.0f;     // word 13: summer baseline cost, $
    REAL GTHERMSAB = 0.0f;  // word 14: summer therms above the baseline
    REAL GCOSTSAB = 0.0f;   // word 15: summer above-baseline cost, $
    REAL COSTF = 0.0f;      // word 16: annual fuel cost, gross, $
};

// Electric tariff in force, 16 words. Initial values are the SCE tiered tariff.
struct BLK33C_t {
    INTEGER EYEAR = 2014;        // word 1: year of the electric tariff
    INTEGER ERATEZONE = 10;      // word 2: electric rate zone of the site; 0 billed as 10
    INTEGER EWINMON1 = 10;       // word 3: first month of the electric winter
    INTEGER EWINMON2 = 5;        // word 4: last month of the electric winter
    REAL ERATE1 = 0.1485f;       // word 5: tier-1 rate; SDG&E: winter base energy rate
    REAL ERATE2 = 0.1928f;       // word 6: tier-2 rate; SDG&E: summer base energy rate
    REAL ECUSTOMCHG = 0.031f;    // word 7: meter charge, $/day
    REAL ESPARE8 = 0.024f;       // word 8: no reader
    REAL ESPARE9 = 0.0f;         // word 9: no reader
    REAL ECARRIED10 = 0.0f;      // word 10: carried with the tariff, not billed
    REAL EMINCHG = 0.059f;       // word 11: second daily charge, $/day; not billed
    REAL ESPARE12 = 0.044f;      // word 12: no reader
    REAL EADDER = 0.0f;          // word 13: per-kWh adder carried with the tariff
    REAL EGTOTAL = 0.0f;         // word 14: annual electricity cost, $
    FArray<REAL, 2> ESPARE15_16{};
};

// Electric season accumulators and baselines, 32 words, zero at load.
struct BLK33D_t {
    REAL ESPARED1 = 0.0f;            // word 1: no reader
    REAL EBASEW = 0.0f;              // word 2: winter baseline, kWh/day (SMUD: kWh/month)
    INTEGER EDAYSW = 0;              // word 3: days billed in winter
    REAL ECHARGW = 0.0f;             // word 4: winter meter charges, $
    REAL EKWHW = 0.0f;               // word 5: winter kWh in tier 1
    REAL ECOSTW = 0.0f;              // word 6: winter tier-1 cost, $
    REAL EKWHWAB = 0.0f;             // word 7: winter kWh in tier 2
    REAL ECOSTWAB = 0.0f;            // word 8: winter tier-2 cost, $
    REAL EBASES = 0.0f;              // word 9: summer baseline, kWh/day (SMUD: kWh/month)
    INTEGER EDAYSS = 0;              // word 10: days billed in summer
    REAL ECHARGS = 0.0f;             // word 11: summer meter charges, $
    REAL EKWHS = 0.0f;               // word 12: summer kWh in tier 1
    REAL ECOSTS = 0.0f;              // word 13: summer tier-1 cost, $
    REAL EKWHSAB = 0.0f;             // word 14: summer kWh in tier 2
    REAL ECOSTSAB = 0.0f;            // word 15: summer tier-2 cost, $
    REAL ESMUDCARRYW = 0.0f;         // word 16: SMUD word carried beside the winter allowance
    REAL ESMUDCARRYS = 0.0f;         // word 17: SMUD word carried beside the summer allowance
    FArray<REAL, 5> ETIERADDS{};     // words 18-22: SDG&E summer tier adders, tiers 1-5, $/kWh
    FArray<REAL, 5> ETIERADDW{};     // words 23-27: SDG&E winter tier adders, tiers 1-5, $/kWh
    FArray<REAL, 5> ESPARED28_32{};
};

// Upper tiers and their accumulators, 20 words.
struct BLK33E_t {
    REAL ERATE3 = 0.27962f;   // word 1: tier-3 rate
    REAL ERATE4 = 0.3196f;    // word 2: tier-4 rate
    REAL ERATE5 = 0.3196f;    // word 3: tier-5 rate
    REAL EKWHWT3 = 0.0f;      // word 4: winter kWh in tier 3
    REAL EKWHWT4 = 0.0f;      // word 5
    REAL EKWHWT5 = 0.0f;      // word 6
    REAL EKWHST3 = 0.0f;      // word 7: summer kWh in tier 3
    REAL EKWHST4 = 0.0f;      // word 8
    REAL EKWHST5 = 0.0f;      // word 9
    REAL ECOSTWT3 = 0.0f;     // word 10: winter cost of tier 3, $
    REAL ECOSTWT4 = 0.0f;     // word 11
    REAL ECOSTWT5 = 0.0f;     // word 12
    REAL ECOSTST3 = 0.0f;     // word 13: summer cost of tier 3, $
    REAL ECOSTST4 = 0.0f;     // word 14
    REAL ECOSTST5 = 0.0f;     // word 15
    FArray<REAL, 3> ERATEW{}; // words 16-18: SMUD winter tier rates 1-3 (summer ones are ERATE1-3)
    FArray<REAL, 2> ESPAREE19_20{};
};

// Time-of-use tariff, 152 words. Name n belongs to electric rate zone 31 + n.
struct BLK33P_t {
    FArray<FString<48>, 9> TOUNAMES = {
        "SCE Southern California Edison Co  TOU-GS-1-A   ",
        "SDG&E San Diego Gas and Elect. Schedule TOU-A   ",
        "PG&E Pacific Gas and Electric  Schedule TOU A-1 ",
        "SMUD Sacramento Municipal Utility District GSN_T",
        "Generic Time-Of-Use",
        "  blank",
        "Single Flat Rate (default is US EIA Avg)",
        "  blank",
        "  blank",
    };                                              // words 1-108
    TouRecord TOUREC{.WINMON1 = 1, .WINMON2 = 12};  // words 109-129: record in force
    REAL TOUSPARE130 = 0.0f;                        // word 130
    // Words 131-138: year's costs, $: 1 winter period 2, 2 winter periods 3+1,
    // 3 winter period 4, 4 never set, 5-7 the same for summer, 8 total with
    // the customer charges.
    FArray<REAL, 8> TOUCOST{};
    REAL TOUSPARE139 = 0.0f;  // word 139
    // Words 140-145: year's kWh: 1-3 winter periods 2, 3+1, 4; 4-6 summer.
    FArray<REAL, 6> TOUKWH{};
    FArray<REAL, 7> TOUSPARE146_152{};
};

// ---------------------------------------------------------------------------
// Built-in electric tariffs
// ---------------------------------------------------------------------------

// SMUD tiered tariff (rate zones -2, -1), 20 words. Allowances are kWh/month.
struct BLK33F_t {
    INTEGER YEAR = 2014;                                // word 1
    INTEGER WINMON1 = 11;                               // word 2
    INTEGER WINMON2 = 4;                                // word 3
    REAL MONTHCHG = 14.0f;                              // word 4: meter charge, $/month
    FArray<REAL, 3> RATEW = {0.0955f, 0.1771f, 0.1771f};  // words 5-7: winter tier rates
    FArray<REAL, 3> RATES = {0.1033f, 0.1836f, 0.1836f};  // words 8-10: summer tier rates
    REAL ADDER = 0.0f;                                  // word 11: $/kWh
    REAL ALLOWW = 690.0f;                               // word 12: winter allowance, kWh/month
    REAL CARRYW = 0.0f;                                 // word 13: carried
    REAL ALLOWS = 765.0f;                               // word 14: summer allowance, kWh/month
    REAL CARRYS = 0.0f;                                 // word 15: carried
    FArray<REAL, 5> SPARE16_20{};
};

// SDG&E tiered tariff (rate zones 1-4) and the residential baseline table,
// 88 words. The fifth adder of each season is a placeholder; the bill copies
// the tier-4 adder into tier 5.
struct BLK33H_t {
    INTEGER YEAR = 2014;      // word 1
    INTEGER WINMON1 = 11;     // word 2
    INTEGER WINMON2 = 4;      // word 3
    REAL SPARE4 = 0.0f;       // word 4
    REAL BASERATES = 0.14812f;  // word 5: summer base energy rate
    REAL BASERATEW = 0.07485f;  // word 6: winter base energy rate
    REAL MINCHG = 0.0f;       // word 7: second daily charge, $/day
    REAL ADDER = 0.0f;        // word 8: $/kWh
    FArray<REAL, 5> TIERADDS = {0.01662f, 0.04044f, 0.22084f, 0.24084f, 0.99999f};  // words 9-13
    FArray<REAL, 5> TIERADDW = {0.08989f, 0.11371f, 0.25886f, 0.27886f, 0.99999f};  // words 14-18
    // Words 19-86: EBASELINE(c,z), row z = electric rate zone: 1 summer
    // baseline, 2 unread, 3 winter baseline, 4 unread; kWh/day.
    FArray<REAL, 4, 17> EBASELINE = kElectricBaselines;
    FArray<REAL, 2> SPARE87_88{};
};

// SCE tiered tariff (rate zones 10-17), 20 words.
struct BLK33M_t {
    INTEGER YEAR = 2014;     // word 1
    INTEGER WINMON1 = 10;    // word 2
    INTEGER WINMON2 = 5;     // word 3
    REAL RATE1 = 0.1485f;    // word 4: tier-1 rate
    REAL RATE2 = 0.1928f;    // word 5: tier-2 rate
    REAL CUSTCHG = 0.031f;   // word 6: meter charge, $/day
    REAL SPARE7 = 0.024f;    // word 7: not loaded
    REAL SPARE8 = 0.0f;      // word 8
    REAL CARRIED9 = 0.0f;    // word 9: loaded into BLK33C word 10
    REAL MINCHG = 0.059f;    // word 10: second daily charge, $/day
    REAL SPARE11 = 0.044f;   // word 11: not loaded
    REAL ADDER = 0.0f;       // word 12: $/kWh
    FArray<REAL, 3> RATE3_5 = {0.27962f, 0.3196f, 0.99999f};  // words 13-15: tier-3 to tier-5 rates
    FArray<REAL, 5> SPARE16_20{};
};

// PG&E tiered tariff (rate zones -11 to -20), 32 words. The baselines are
// indexed by the magnitude of the rate zone, so BASES(|z|) is word |z| and
// BASEW(|z|) is word |z| + 10.
struct BLK33N_t {
    INTEGER YEAR = 2014;     // word 1
    INTEGER WINMON1 = 11;    // word 2: also the gas winter of the territory tariffs
    INTEGER WINMON2 = 4;     // word 3
    FArray<REAL, 5> RATES = {0.15293f, 0.17614f, 0.26445f, 0.32445f, 0.32445f};  // words 4-8: tiers 1-5
    REAL CUSTCHG = 0.0f;     // word 9: meter charge, $/day
    REAL MINCHG = 0.14784f;  // word 10: second daily charge, $/day
    FArrayB<REAL, Bounds<11, 20>> BASES = {13.8f, 7.0f, 15.5f, 13.8f, 7.0f, 8.7f, 16.8f, 10.1f, 10.6f, 6.2f};
    FArrayB<REAL, Bounds<11, 20>> BASEW = {12.2f, 12.3f, 11.0f, 11.2f, 8.5f, 10.6f, 10.1f, 10.9f, 12.6f, 9.0f};
    FArray<REAL, 2> SPARE31_32{};
};

// Single flat rates for electricity and gas, 12 words, all REAL.
struct BLK33_t {
    REAL FLATWORD1 = 0.89f;     // word 1: carried by the input file, no reader
    REAL FLATERATE = 0.121f;    // word 2: flat electric rate, $/kWh
    REAL FLATEYEAR = 2015.0f;   // word 3: its year
    REAL FLATECHG = 0.0f;       // word 4: daily charge with the flat electric rate, $/day
    REAL FLATSPARE5 = 0.0f;     // word 5
    REAL FLATGRATE = 1.097f;    // word 6: flat gas rate, $/therm
    FArray<REAL, 4> FLATWORDS7_10 = {0.0f, 0.1f, 1.0f, 5.0f};  // words 7-10: carried by the input file, no reader
    REAL FLATGYEAR = 2015.0f;   // word 11: year of the flat gas rate
    REAL FLATSPARE12 = 0.0f;    // word 12
};

// Built-in time-of-use records, 24 words each: the 21-word record and three
// zero words.
struct BLK33Q_t {  // generic, rate zone 36
    TouRecord REC = kTouRecordSce;
    FArray<REAL, 3> SPARE22_24{};
};
struct BLK33R_t {  // SCE, rate zone 32
    TouRecord REC = kTouRecordSce;
    FArray<REAL, 3> SPARE22_24{};
};
struct BLK33S_t {  // SDG&E, rate zone 33
    TouRecord REC = kTouRecordSdge;
    FArray<REAL, 3> SPARE22_24{};
};
struct BLK33T_t {  // PG&E, rate zone 34
    TouRecord REC = kTouRecordPge;
    FArray<REAL, 3> SPARE22_24{};
};
struct BLK33U_t {  // SMUD, rate zone 35
    TouRecord REC = kTouRecordSmud;
    FArray<REAL, 3> SPARE22_24{};
};
struct BLK33V_t {  // single flat rate, rate zone 38
    TouRecord REC = kTouRecordFlat;
    FArray<REAL, 3> SPARE22_24{};
};

// ---------------------------------------------------------------------------
// Built-in fuel tariffs
// ---------------------------------------------------------------------------

// Gas tariff by baseline territory g = 1..9, 24 words.
struct BLK33G_t {
    FArray<REAL, 9> BASEW = {2.18f, 2.02f, 1.82f, 1.92f, 1.79f, 1.79f, 1.69f, 2.02f, 2.64f};  // words 1-9
    FArray<REAL, 9> BASES = {0.46f, 0.65f, 0.43f, 0.46f, 0.65f, 0.67f, 0.69f, 0.59f, 0.82f};  // words 10-18
    REAL BASERATE = 1.11497f;   // word 19: $/therm within the baseline
    REAL ABOVERATE = 1.49415f;  // word 20: $/therm above it
    REAL CUSTCHG = 0.0f;        // word 21: $/day
    REAL MULT = 1.01722f;       // word 22: tariff multiplier
    REAL YEAR = 2014.0f;        // word 23: year, REAL
    REAL SPARE24 = 0.0f;
};

// Gas tariff, one territory, 8 words.
struct BLK33J_t {
    INTEGER YEAR = 2014;        // word 1
    REAL BASERATE = 1.17991f;   // word 2
    REAL ABOVERATE = 1.34539f;  // word 3
    REAL BASEW = 1.546f;        // word 4: winter baseline, therms/day
    REAL BASES = 0.493f;        // word 5: summer baseline, therms/day
    FArray<REAL, 3> SPARE6_8{};
};

// Bottled fuel prices, 4 words.
struct BLK33K_t {
    REAL PROPANE = 2.7f;  // word 1: $/gallon of propane
    REAL OIL = 2.9f;      // word 2: $/gallon of heating oil
    FArray<REAL, 2> SPARE3_4{};
};

// Gas tariff with three winter baselines by gas rate zone, 16 words.
struct BLK33L_t {
    INTEGER YEAR = 2014;          // word 1
    REAL BASERATE = 0.93347f;     // word 2
    REAL ABOVERATE = 1.19347f;    // word 3
    FArray<REAL, 2> SPARE4_5{};
    FArray<REAL, 3> BASEW = {1.691f, 1.823f, 2.95f};  // words 6-8: winter baselines, zone 1 (and others), 2, 3
    REAL CUSTCHG = 0.16438f;      // word 9: $/day
    REAL SPARE10 = 1.033f;        // word 10: not read
    INTEGER WINMON1 = 11;         // word 11
    INTEGER WINMON2 = 4;          // word 12
    REAL BASES = 0.473f;          // word 13: summer baseline
    FArray<REAL, 3> SPARE14_16{};
};

// Non-residential gas tariff (gas rate zones up to 11 and 15), 16 words.
struct BLK33W_t {
    INTEGER OLDYEAR = 2014;     // words 1-8: an older record, not read
    INTEGER OLDWINMON1 = 1;
    INTEGER OLDWINMON2 = 12;
    FArray<REAL, 5> OLDWORDS4_8 = {0.89f, 0.89f, 0.0f, 1.0f, 100000.0f};
    INTEGER YEAR = 2015;        // word 9
    INTEGER WINMON1 = 12;       // word 10
    INTEGER WINMON2 = 3;        // word 11
    REAL BASERATE = 0.8875f;    // word 12
    REAL ABOVERATE = 0.63164f;  // word 13
    REAL CUSTCHG = 0.49315f;    // word 14: $/day
    REAL SPARE15 = 1.0f;        // word 15: not read
    REAL BASE = 8.22f;          // word 16: baseline of both seasons, therms/day
};

// Non-residential gas tariff (gas rate zone 12), 8 words.
struct BLK33X_t {
    INTEGER YEAR = 2015;        // word 1
    REAL BASERATE = 0.76503f;   // word 2
    REAL ABOVERATE = 0.59786f;  // word 3
    REAL BASEW = 32.87671f;     // word 4
    REAL BASES = 0.0f;          // word 5
    REAL CUSTCHG = 0.32877f;    // word 6: $/day
    INTEGER WINMON1 = 1;        // word 7
    INTEGER WINMON2 = 12;       // word 8
};

// Non-residential gas tariff (gas rate zone 13), 12 words. Its baselines
// are therms per season, turned into therms/day by the bill.
struct BLK33Y_t {
    INTEGER YEAR = 2015;          // word 1
    REAL BASERATES = 0.94006f;    // word 2: summer, within the baseline
    REAL BASERATEW = 1.05255f;    // word 3: winter, within the baseline
    REAL ABOVERATES = 0.66167f;   // word 4: summer, above
    REAL ABOVERATEW = 0.70476f;   // word 5: winter, above
    INTEGER WINMON1 = 11;         // word 6
    INTEGER WINMON2 = 4;          // word 7
    REAL CUSTCHG = 0.52106f;      // word 8: $/day
    REAL SEASONBASEW = 4000.0f;   // word 9: therms per winter
    REAL SEASONBASES = 4000.0f;   // word 10: therms per summer
    REAL MULT = 1.0f;             // word 11
    REAL SPARE12 = 0.0f;
};

// Non-residential gas tariff without tiers (gas rate zone 16), 4 words.
struct BLK33Z_t {
    INTEGER YEAR = 2015;   // word 1
    REAL RATE = 1.389f;    // word 2: $/therm
    REAL CUSTCHG = 0.0f;   // word 3: $/day
    REAL SPARE4 = 0.0f;
};

extern BLK33B_t BLK33B;
extern BLK33C_t BLK33C;
extern BLK33D_t BLK33D;
extern BLK33E_t BLK33E;
extern BLK33P_t BLK33P;
extern BLK33F_t BLK33F;
extern BLK33H_t BLK33H;
extern BLK33M_t BLK33M;
extern BLK33N_t BLK33N;
extern BLK33_t BLK33;
extern BLK33Q_t BLK33Q;
extern BLK33R_t BLK33R;
extern BLK33S_t BLK33S;
extern BLK33T_t BLK33T;
extern BLK33U_t BLK33U;
extern BLK33V_t BLK33V;
extern BLK33G_t BLK33G;
extern BLK33J_t BLK33J;
extern BLK33K_t BLK33K;
extern BLK33L_t BLK33L;
extern BLK33W_t BLK33W;
extern BLK33X_t BLK33X;
extern BLK33Y_t BLK33Y;
extern BLK33Z_t BLK33Z;

// Word layouts: the scheme input and results files and the bill address
// these blocks word by word.
template <class T>
inline constexpr bool tariff_words_ok(std::size_t words) {
    return std::is_standard_layout_v<T> && sizeof(T) == words * 4;
}
static_assert(tariff_words_ok<BLK33B_t>(16));
static_assert(offsetof(BLK33B_t, GDAYSW) == 2 * 4 && offsetof(BLK33B_t, GBASES) == 8 * 4);
static_assert(offsetof(BLK33B_t, GDAYSS) == 9 * 4 && offsetof(BLK33B_t, COSTF) == 15 * 4);

static_assert(tariff_words_ok<BLK33C_t>(16));
static_assert(offsetof(BLK33C_t, ERATEZONE) == 1 * 4 && offsetof(BLK33C_t, ERATE1) == 4 * 4);
static_assert(offsetof(BLK33C_t, ECUSTOMCHG) == 6 * 4 && offsetof(BLK33C_t, ECARRIED10) == 9 * 4);
static_assert(offsetof(BLK33C_t, EMINCHG) == 10 * 4 && offsetof(BLK33C_t, EADDER) == 12 * 4);
static_assert(offsetof(BLK33C_t, EGTOTAL) == 13 * 4);

static_assert(tariff_words_ok<BLK33D_t>(32));
static_assert(offsetof(BLK33D_t, EBASEW) == 1 * 4 && offsetof(BLK33D_t, EDAYSW) == 2 * 4);
static_assert(offsetof(BLK33D_t, EBASES) == 8 * 4 && offsetof(BLK33D_t, EDAYSS) == 9 * 4);
static_assert(offsetof(BLK33D_t, ECOSTSAB) == 14 * 4 && offsetof(BLK33D_t, ESMUDCARRYW) == 15 * 4);
static_assert(offsetof(BLK33D_t, ETIERADDS) == 17 * 4 && offsetof(BLK33D_t, ETIERADDW) == 22 * 4);

static_assert(tariff_words_ok<BLK33E_t>(20));
static_assert(offsetof(BLK33E_t, EKWHWT3) == 3 * 4 && offsetof(BLK33E_t, ECOSTST5) == 14 * 4);
static_assert(offsetof(BLK33E_t, ERATEW) == 15 * 4);

static_assert(tariff_words_ok<BLK33P_t>(152));
static_assert(offsetof(BLK33P_t, TOUREC) == 108 * 4);
static_assert(offsetof(BLK33P_t, TOUSPARE130) == 129 * 4);
static_assert(offsetof(BLK33P_t, TOUCOST) == 130 * 4);
static_assert(offsetof(BLK33P_t, TOUKWH) == 139 * 4);

static_assert(tariff_words_ok<BLK33F_t>(20));
static_assert(offsetof(BLK33F_t, MONTHCHG) == 3 * 4 && offsetof(BLK33F_t, RATES) == 7 * 4);
static_assert(offsetof(BLK33F_t, ADDER) == 10 * 4 && offsetof(BLK33F_t, CARRYS) == 14 * 4);

static_assert(tariff_words_ok<BLK33H_t>(88));
static_assert(offsetof(BLK33H_t, BASERATES) == 4 * 4 && offsetof(BLK33H_t, ADDER) == 7 * 4);
static_assert(offsetof(BLK33H_t, TIERADDS) == 8 * 4 && offsetof(BLK33H_t, TIERADDW) == 13 * 4);
static_assert(offsetof(BLK33H_t, EBASELINE) == 18 * 4);

static_assert(tariff_words_ok<BLK33M_t>(20));
static_assert(offsetof(BLK33M_t, RATE1) == 3 * 4 && offsetof(BLK33M_t, CARRIED9) == 8 * 4);
static_assert(offsetof(BLK33M_t, ADDER) == 11 * 4 && offsetof(BLK33M_t, RATE3_5) == 12 * 4);

static_assert(tariff_words_ok<BLK33N_t>(32));
static_assert(offsetof(BLK33N_t, RATES) == 3 * 4 && offsetof(BLK33N_t, CUSTCHG) == 8 * 4);
static_assert(offsetof(BLK33N_t, BASES) == 10 * 4 && offsetof(BLK33N_t, BASEW) == 20 * 4);

static_assert(tariff_words_ok<BLK33_t>(12));
static_assert(offsetof(BLK33_t, FLATGRATE) == 5 * 4 && offsetof(BLK33_t, FLATWORDS7_10) == 6 * 4);
static_assert(offsetof(BLK33_t, FLATGYEAR) == 10 * 4);

static_assert(tariff_words_ok<BLK33Q_t>(24) && tariff_words_ok<BLK33R_t>(24) && tariff_words_ok<BLK33S_t>(24));
static_assert(tariff_words_ok<BLK33T_t>(24) && tariff_words_ok<BLK33U_t>(24) && tariff_words_ok<BLK33V_t>(24));

static_assert(tariff_words_ok<BLK33G_t>(24));
static_assert(offsetof(BLK33G_t, BASES) == 9 * 4 && offsetof(BLK33G_t, BASERATE) == 18 * 4);
static_assert(offsetof(BLK33G_t, YEAR) == 22 * 4);
static_assert(tariff_words_ok<BLK33J_t>(8));
static_assert(tariff_words_ok<BLK33K_t>(4));
static_assert(tariff_words_ok<BLK33L_t>(16));
static_assert(offsetof(BLK33L_t, BASEW) == 5 * 4 && offsetof(BLK33L_t, CUSTCHG) == 8 * 4);
static_assert(offsetof(BLK33L_t, WINMON1) == 10 * 4 && offsetof(BLK33L_t, BASES) == 12 * 4);
static_assert(tariff_words_ok<BLK33W_t>(16));
static_assert(offsetof(BLK33W_t, YEAR) == 8 * 4 && offsetof(BLK33W_t, BASE) == 15 * 4);
static_assert(tariff_words_ok<BLK33X_t>(8));
static_assert(offsetof(BLK33X_t, CUSTCHG) == 5 * 4 && offsetof(BLK33X_t, WINMON1) == 6 * 4);
static_assert(tariff_words_ok<BLK33Y_t>(12));
static_assert(offsetof(BLK33Y_t, WINMON1) == 5 * 4 && offsetof(BLK33Y_t, MULT) == 10 * 4);
static_assert(tariff_words_ok<BLK33Z_t>(4));

// Zip code and rate zones of the default location (Westwood, Los Angeles),
// where a site the zip-code table cannot place is billed. A residential
// site known only by its weather file outside California takes the
// residential pair too: no record names its utilities.
inline constexpr REAL kDefaultLocationZipCode = 90024.0f;
inline constexpr INTEGER kDefaultResidentialElectricZone = 10;
inline constexpr INTEGER kDefaultResidentialGasZone = 1;
inline constexpr INTEGER kDefaultNonresidentialElectricZone = 32;
inline constexpr INTEGER kDefaultNonresidentialGasZone = 11;

// The names the bill procedures use.
inline REAL& FUELBTU = BLK33B.FUELBTU;
inline REAL& GBASEW = BLK33B.GBASEW;
inline INTEGER& GDAYSW = BLK33B.GDAYSW;
inline REAL& GCHARGW = BLK33B.GCHARGW;
inline REAL& GTHERMW = BLK33B.GTHERMW;
inline REAL& GCOSTW = BLK33B.GCOSTW;
inline REAL& GTHERMWAB = BLK33B.GTHERMWAB;
inline REAL& GCOSTWAB = BLK33B.GCOSTWAB;
inline REAL& GBASES = BLK33B.GBASES;
inline INTEGER& GDAYSS = BLK33B.GDAYSS;
inline REAL& GCHARGS = BLK33B.GCHARGS;
inline REAL& GTHERMS = BLK33B.GTHERMS;
inline REAL& GCOSTS = BLK33B.GCOSTS;
inline REAL& GTHERMSAB = BLK33B.GTHERMSAB;
inline REAL& GCOSTSAB = BLK33B.GCOSTSAB;
inline REAL& COSTF = BLK33B.COSTF;

inline INTEGER& EYEAR = BLK33C.EYEAR;
inline INTEGER& ERATEZONE = BLK33C.ERATEZONE;
inline INTEGER& EWINMON1 = BLK33C.EWINMON1;
inline INTEGER& EWINMON2 = BLK33C.EWINMON2;
inline REAL& ERATE1 = BLK33C.ERATE1;
inline REAL& ERATE2 = BLK33C.ERATE2;
inline REAL& ECUSTOMCHG = BLK33C.ECUSTOMCHG;
inline REAL& EMINCHG = BLK33C.EMINCHG;
inline REAL& EADDER = BLK33C.EADDER;
inline REAL& EGTOTAL = BLK33C.EGTOTAL;

inline REAL& EBASEW = BLK33D.EBASEW;
inline INTEGER& EDAYSW = BLK33D.EDAYSW;
inline REAL& ECHARGW = BLK33D.ECHARGW;
inline REAL& EKWHW = BLK33D.EKWHW;
inline REAL& ECOSTW = BLK33D.ECOSTW;
inline REAL& EKWHWAB = BLK33D.EKWHWAB;
inline REAL& ECOSTWAB = BLK33D.ECOSTWAB;
inline REAL& EBASES = BLK33D.EBASES;
inline INTEGER& EDAYSS = BLK33D.EDAYSS;
inline REAL& ECHARGS = BLK33D.ECHARGS;
inline REAL& EKWHS = BLK33D.EKWHS;
inline REAL& ECOSTS = BLK33D.ECOSTS;
inline REAL& EKWHSAB = BLK33D.EKWHSAB;
inline REAL& ECOSTSAB = BLK33D.ECOSTSAB;
inline FArray<REAL, 5>& ETIERADDS = BLK33D.ETIERADDS;
inline FArray<REAL, 5>& ETIERADDW = BLK33D.ETIERADDW;

inline REAL& ERATE3 = BLK33E.ERATE3;
inline REAL& ERATE4 = BLK33E.ERATE4;
inline REAL& ERATE5 = BLK33E.ERATE5;
inline REAL& EKWHWT3 = BLK33E.EKWHWT3;
inline REAL& EKWHWT4 = BLK33E.EKWHWT4;
inline REAL& EKWHWT5 = BLK33E.EKWHWT5;
inline REAL& EKWHST3 = BLK33E.EKWHST3;
inline REAL& EKWHST4 = BLK33E.EKWHST4;
inline REAL& EKWHST5 = BLK33E.EKWHST5;
inline REAL& ECOSTWT3 = BLK33E.ECOSTWT3;
inline REAL& ECOSTWT4 = BLK33E.ECOSTWT4;
inline REAL& ECOSTWT5 = BLK33E.ECOSTWT5;
inline REAL& ECOSTST3 = BLK33E.ECOSTST3;
inline REAL& ECOSTST4 = BLK33E.ECOSTST4;
inline REAL& ECOSTST5 = BLK33E.ECOSTST5;
inline FArray<REAL, 3>& ERATEW = BLK33E.ERATEW;

inline FArray<FString<48>, 9>& TOUNAMES = BLK33P.TOUNAMES;
inline TouRecord& TOUREC = BLK33P.TOUREC;
inline FArray<REAL, 8>& TOUCOST = BLK33P.TOUCOST;
inline FArray<REAL, 6>& TOUKWH = BLK33P.TOUKWH;

inline FArray<REAL, 4, 17>& EBASELINE = BLK33H.EBASELINE;

}  // namespace mavo

#define MAVO_TARIFF_BLOCKS(X) \
    X(BLK33)                  \
    X(BLK33B)                 \
    X(BLK33C)                 \
    X(BLK33D)                 \
    X(BLK33E)                 \
    X(BLK33F)                 \
    X(BLK33G)                 \
    X(BLK33H)                 \
    X(BLK33J)                 \
    X(BLK33K)                 \
    X(BLK33L)                 \
    X(BLK33M)                 \
    X(BLK33N)                 \
    X(BLK33P)                 \
    X(BLK33Q)                 \
    X(BLK33R)                 \
    X(BLK33S)                 \
    X(BLK33T)                 \
    X(BLK33U)                 \
    X(BLK33V)                 \
    X(BLK33W)                 \
    X(BLK33X)                 \
    X(BLK33Y)                 \
    X(BLK33Z)
