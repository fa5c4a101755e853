// Result blocks: design loads and peaks, the hourly bar chart and the
// scheme-comparison chart the host reads after a run, the summary-row labels,
// and the emission-factor tables. Words are 4 bytes.
#pragma once
#include <cstddef>
#include <type_traits>

#include "blocks/block_export.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

namespace results_blocks_detail {
// Texts that start as zero bytes, as a block without initial values does.
template <std::size_t N, long Count>
constexpr FArray<FString<N>, Count> zero_byte_texts() {
    FArray<FString<N>, Count> texts{};
    texts.fill(FString<N>::zeros());
    return texts;
}
}  // namespace results_blocks_detail

// Design loads and the year's peak hourly loads, 61 words. Losses are
// negative, Btu/h. Host-visible.
struct BLK20_t {
    REAL ASLOSS = 0.0f;   // word 1: design heat loss total at the heating design temperature, Btu/h
    REAL PKGAIN = 0.0f;   // word 2: largest hourly total HEAT(17), Btu/h
    REAL PKLOSS = 0.0f;   // word 3: smallest (most negative) hourly total, Btu/h
    INTEGER MAXMON = 0;   // word 4: month of PKGAIN
    INTEGER MINMON = 0;   // word 5: month of PKLOSS
    INTEGER MAXHR = 0;    // word 6: hour of PKGAIN
    INTEGER MINHR = 0;    // word 7: hour of PKLOSS
    // Words 8-34: design heat loss by envelope item, Btu/h; 18 basement
    // walls together, 19 infiltration, 27 total.
    FArray<REAL, 27> HEATLOSS{};
    // Words 35-61: design heat gain by item, Btu/h; 20 ventilation and
    // infiltration at the cooling peak, 25 sensible air-conditioner peak,
    // 27 air-conditioner peak with latent load.
    FArray<REAL, 27> HEATGAIN{};
};

// Hourly bar chart of the 17 heat-flow components, 88 REAL words, Btu/h
// scaled by the chart scale. Host-visible.
struct BLK25_t {
    // Words 1-34: pair i = (value, component number 1.0-17.0); pairs 1-16
    // ranked by value at the peak-cooling hour, largest first; pair 17 the total.
    FArray<REAL, 2, 17> BARPAIRS{};
    FArray<REAL, 17> BARPEAK{};  // words 35-51: the component of pair i at the peak-heating hour
    FArray<REAL, 17> COMPMAX{};  // words 52-68: largest hourly value of each component over the year
    FArray<REAL, 17> COMPMIN{};  // words 69-85: smallest hourly value of each component
    REAL BARTOP = 0.0f;   // word 86: top of the value axis
    REAL BARBOT = 0.0f;   // word 87: bottom of the value axis
    REAL BARZERO = 0.0f;  // word 88: zero line as |BARBOT|/(|BARTOP|+|BARBOT|) of the axis from the top
};

// Scheme-comparison chart (up to 9 schemes by up to 17 summary rows).
// Host-visible. Word map: 1-4 counts and options, 5-157 GS_VALUES,
// 158-166 GS_SCHEMECOLOR, 167-183 GS_ATTRFORMAT, 184 a host word carried by
// the results file, 185-320 GS_LABELS, 321-888 host words, 889-897
// GS_SCHEMEIDS, then 17 two-byte GS_ROWS and two bytes of padding.
struct BLK44A_t {
    INTEGER GS_NUMSCHEMES = 0;             // word 1: schemes shown, 0-9
    INTEGER GS_NUMATTRS = 0;               // word 2: summary rows shown, at most 17 and 20 - GS_NUMSCHEMES
    INTEGER GS_OPTION1 = 0;                // word 3: host display choice 1-5 (3 when out of range)
    INTEGER GS_OPTION2 = 0;                // word 4: host display choice 1-5 (5 when out of range)
    FArray<REAL, 9, 17> GS_VALUES{};       // words 5-157: value of attribute a for scheme s
    FArray<INTEGER, 9> GS_SCHEMECOLOR = {7, 7, 7, 7, 7, 7, 7, 7, 7};  // words 158-166: style code, always 7
    FArray<INTEGER, 17> GS_ATTRFORMAT = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};  // words 167-183
    INTEGER GS_WORD184 = 0;                // word 184: host word, carried by the results file
    FArray<FString<32>, 17> GS_LABELS = results_blocks_detail::zero_byte_texts<32, 17>();  // words 185-320
    FArray<INTEGER, 568> GS_HOSTWORDS321_888{};  // words 321-888: host words, not read here
    FArray<INTEGER, 9> GS_SCHEMEIDS{};     // words 889-897: SUMARY column of each scheme shown
    FArray<INTEGER2, 17> GS_ROWS{};        // after word 897: SUMARY row of each attribute, two-byte
    INTEGER2 GS_ROWSPAD = 0;               // completes the last word
};

// The host's chart sets, kept between runs, 601 words. Host-visible.
struct BLK44B_t {
    FArray<FString<56>, 15> GS_TITLES = results_blocks_detail::zero_byte_texts<56, 15>();  // words 1-210
    FArray<INTEGER, 9, 15> GS_SETSCHEMES{};  // words 211-345: nine scheme entries of each chart set
    FArray<INTEGER, 17, 15> GS_SETROWS{};    // words 346-600: the 17 SUMARY rows of each chart set
    INTEGER GS_CHARTSET = 0;                 // word 601: chart set in use, 1-15
};

// Labels of SUMARY rows 1-48 for the comparison chart, 424 words.
struct BLK42_t {
    FArray<FString<32>, 48> ROWLABELS = {
        "Total Floor Area ........ sq.ft.", "Total Glazed Area ....... sq.ft.",
        "South Window Glazed Area  sq.ft.", "Total Roof+Skylight Area  sq.ft.",
        "Total Wall+Window Area... sq.ft.", "Roof+Skylight U-val. BTUH/sf/deg",
        "Wall+Window U-value  BTUH/sf/deg", "Heat Loss  (@ design low)   BTUH",
        "Normalized Heat Loss BTUH/sq.ft.", "Envelope Conduction   BTUH/deg.F",
        "Percent Window Area/Floor Area %", "Percent South Glazing/Floor    %",
        "Percent NonSouth Glazing/Floor %", "Peak Total Loads Heat Loss  BTUH",
        "Peak Total Loads Heat Gain  BTUH", "Balance Point Temp. no Sun   deg",
        "Balance Point Temp. in Sun   deg", "Heating HVAC Output Tot. KBTU/sf",
        "Cooling HVAC Output Tot. KBTU/sf", "Total HVAC Output  Total KBTU/sf",
        "Heating Fuel Used   Total Therms", "Lighting Electricity  Total KWHr",
        "Equipment Electricity Total KWHr", "Cooling Electricity   Total KWHr",
        "Total Electricity     Total KwHr", "Peak Hours Heating Output   KBTU",
        "Month of Peak Heating       1-12", "Hour of Peak Heating Output 1-24",
        "Peak Hour Cooling Output    KBTU", "Month of Peak Cooling       1-12",
        "Hour of Peak Cooling Output 1-24", "Peak Hour Electricity         KW",
        "Month of Peak Electricity   1-12", "Hour of Peak Electricity    1-24",
        "Cost of Gas/Oil Fuel     Total $", "Cost of Electricity      Total $",
        "Cost of Total Energy     Total $", "Site Energy        Total KBTU/sf",
        "Source Energy      Total KBTU/sf", "Air Changes per Hour     Average",
        "NOx Nitrogen Oxides    Total lbs", "SOx Sulphur Oxides     Total lbs",
        "PM-10 Particulates     Total lbs", "ROG Reactive Organics  Total lbs",
        "CO Carbon Monoxide     Total lbs", "C Carbon               Total lbs",
        "CO2 Carbon Dioxide     Total lbs", "Number of Days Analyzed ... days",
    };
    // A two-byte display code per row, carried for the host.
    FArray<INTEGER2, 48> ROWCODES = {2,  2,  2,  2,  2,  25, 25, 5,  21, 3,  14, 14, 14, 5,  5,  3,
                                     3,  21, 21, 21, 8,  7,  7,  7,  7,  5,  11, 13, 5,  11, 13, 16,
                                     11, 13, 9,  9,  9,  22, 22, 28, 10, 10, 10, 10, 10, 10, 10, 10};
    FString<32> LABEL21FUEL = "Heating Gas/Oil Fuel      Therms";  // row 21 with fuel heating
    FString<32> LABEL21ELEC = "Heating Electricity Used    KWhr";  // row 21 with electric heating
};

// Emission factors per source of electricity or fuel, 556 words. Rows 29-32
// take user-supplied factors.
struct BLK41_t {
    FArray<FString<45>, 32> POLLNAMES = {
        "SCE Southern California Edison Co  (eGRIDweb)",
        "SDG&E San Diego Gas and Elect.(Sempra eGRIDwe",
        "PG&E Pacific Gas and Electric Co (self report",
        "SMUD Sacramento Municipal Utility Dist (eGRID",
        "Electricity: State of California 2004 (eGRIDw",
        "Electricity: State of California 2005 (eGRIDw",
        "California eGRID Subregion CAMX-WECC  (3GRIDw",
        "California: EIA Downloaded Electricity",
        "1993 SCAQMD ELFIN Model for SCE (in MAVO 2003",
        "US Electricity: ASHRAE Standard 183  (CO2e)",
        "US Electricity: United States Total (eGRIDweb",
        "..",
        "US: Natural Gas Supply Association",
        "US: Natural Gas: Energy Information Agency",
        "US: Gas 1992 National Average Data (in MAVO 2",
        "US: Natural Gas ASHRAE Standard 189  (for CO2",
        "..",
        "..",
        "US: Residential Oil (Natural Gas Supply Assoc",
        "US: Residential Oil (Energy Information Agenc",
        "US: Oil National Average 1993 Data (in MAVO 2",
        "US: Residential Oil ASHRAE Standard 189 (CO2e",
        "..",
        "..",
        "US: Propane: Energy Information Agency",
        "US: Propane: ASHRAE Standard 189  (for CO2e)",
        "..",
        "..",
        "User Supplied for Electricity  Pounds/kWh",
        "User Supplied for Natural Gas  Pounds/MMBTU",
        "User Supplied for Heating Oil  Pounds/MMBTU",
        "User Supplied for Propane  Pounds/MMBTU",
    };
    // Per source: 1 fuel code (4 electricity, 1 natural gas, 3 oil, 2 propane,
    // 9 empty), 2 year of the data, 3 CO2, 4 SOx, 5 NOx, 6 mercury; lb/MWh
    // for electricity rows, lb/MMBtu for fuel rows.
    FArray<REAL, 6, 32> PDATA = {
        4, 2005, 665.26f, 1.5669f, 1.509f, 1.9e-05f,   // 1
        4, 2004, 843.56f, 0.004f, 0.09f, 0,            // 2
        4, 2007, 489, 0.002f, 0.09f, 0,                // 3
        4, 2005, 517.43f, 0.004f, 0.072f, 0,           // 4
        4, 2004, 700.4f, 0.128f, 0.342f, 1.3e-06f,     // 5
        4, 2005, 540.06f, 0.1348f, 0.223f, 2e-06f,     // 6
        4, 0, 724.12f, 0.531f, 0.618f, 4e-06f,         // 7
        4, 0, 668, 6.42f, 0.588f, 0,                   // 8
        4, 1993, 905.89f, 0.99f, 1.508f, 0,            // 9
        4, 2007, 1760, 0, 0, 0,                        // 10
        4, 2005, 1329.3f, 5.2598f, 1.939f, 2.71e-05f,  // 11
        9, 0, 0, 0, 0, 0,                              // 12
        1, 0, 117, 0.001f, 0.04f, 0,                   // 13
        1, 0, 118.08f, 0, 0, 0,                        // 14
        1, 1993, 116, 0.001f, 0.066f, 0,               // 15
        1, 2007, 406, 0, 0, 0,                         // 16
        9, 0, 0, 0, 0, 0,                              // 17
        9, 0, 0, 0, 0, 0,                              // 18
        3, 0, 154, 0.33f, 0.448f, 7e-06f,              // 19
        3, 0, 173.91f, 0, 0, 0,                        // 20
        3, 1993, 173, 0.218f, 0.069f, 0,               // 21
        3, 2007, 560, 0, 0, 0,                         // 22
        9, 0, 0, 0, 0, 0,                              // 23
        9, 0, 0, 0, 0, 0,                              // 24
        2, 0, 139.17f, 0, 0, 0,                        // 25
        2, 2007, 505, 0, 0, 0,                         // 26
        9, 0, 0, 0, 0, 0,                              // 27
        9, 0, 0, 0, 0, 0,                              // 28
        4, 0, 0, 0, 0, 0,                              // 29 user electricity
        1, 0, 0, 0, 0, 0,                              // 30 user natural gas
        3, 0, 0, 0, 0, 0,                              // 31 user heating oil
        2, 0, 0, 0, 0, 0,                              // 32 user propane
    };
    INTEGER NROWE = 1;   // chosen electricity row
    INTEGER NROWF = 15;  // chosen fuel row
    REAL FX = 0.0f;      // fuel CO2, lb per unit of the fuel rows (therm, or gallon of propane or oil)
    REAL EX = 0.0f;      // electricity CO2, lb/kWh
};

// The user's pollution table, 137 words.
struct BLK41A_t {
    // Column 1 electricity, 2 fuel; rows 1 CO2, 2 SOx, 3 NOx, 4 mercury,
    // 5 fuel code, 6 and 7 the year. Columns 3-16 are cleared on every use.
    FArray<REAL, 7, 16> POLLUTE{};
    FArray<FString<4>, 13> POLLTEXT1{};  // blank
    FArray<FString<4>, 12> POLLTEXT2{};  // blank
};

extern "C" MAVO_HOST_VISIBLE BLK20_t BLK20;
extern "C" MAVO_HOST_VISIBLE BLK25_t BLK25;
extern "C" MAVO_HOST_VISIBLE BLK44A_t BLK44A;
extern "C" MAVO_HOST_VISIBLE BLK44B_t BLK44B;
extern BLK41_t BLK41;
extern BLK41A_t BLK41A;
extern BLK42_t BLK42;

// Layouts the host, the results file and the input file rely on.
static_assert(std::is_standard_layout_v<BLK20_t> && sizeof(BLK20_t) == 61 * 4);
static_assert(offsetof(BLK20_t, MAXMON) == 3 * 4 && offsetof(BLK20_t, MINHR) == 6 * 4);
static_assert(offsetof(BLK20_t, HEATLOSS) == 7 * 4 && offsetof(BLK20_t, HEATGAIN) == 34 * 4);

static_assert(std::is_standard_layout_v<BLK25_t> && sizeof(BLK25_t) == 88 * 4);
static_assert(offsetof(BLK25_t, BARPEAK) == 34 * 4 && offsetof(BLK25_t, COMPMAX) == 51 * 4);
static_assert(offsetof(BLK25_t, COMPMIN) == 68 * 4 && offsetof(BLK25_t, BARTOP) == 85 * 4);
static_assert(offsetof(BLK25_t, BARZERO) == 87 * 4);

static_assert(std::is_standard_layout_v<BLK44A_t> && sizeof(BLK44A_t) == 906 * 4);
static_assert(offsetof(BLK44A_t, GS_OPTION1) == 2 * 4 && offsetof(BLK44A_t, GS_VALUES) == 4 * 4);
static_assert(offsetof(BLK44A_t, GS_SCHEMECOLOR) == 157 * 4 && offsetof(BLK44A_t, GS_ATTRFORMAT) == 166 * 4);
static_assert(offsetof(BLK44A_t, GS_WORD184) == 183 * 4 && offsetof(BLK44A_t, GS_LABELS) == 184 * 4);
static_assert(offsetof(BLK44A_t, GS_HOSTWORDS321_888) == 320 * 4);
static_assert(offsetof(BLK44A_t, GS_SCHEMEIDS) == 888 * 4 && offsetof(BLK44A_t, GS_ROWS) == 897 * 4);

static_assert(std::is_standard_layout_v<BLK44B_t> && sizeof(BLK44B_t) == 601 * 4);
static_assert(offsetof(BLK44B_t, GS_SETSCHEMES) == 210 * 4 && offsetof(BLK44B_t, GS_SETROWS) == 345 * 4);
static_assert(offsetof(BLK44B_t, GS_CHARTSET) == 600 * 4);

static_assert(std::is_standard_layout_v<BLK42_t> && sizeof(BLK42_t) == 424 * 4);
static_assert(offsetof(BLK42_t, ROWCODES) == 48 * 32 && offsetof(BLK42_t, LABEL21FUEL) == 48 * 32 + 48 * 2);

static_assert(std::is_standard_layout_v<BLK41_t> && sizeof(BLK41_t) == 556 * 4);
static_assert(offsetof(BLK41_t, PDATA) == 360 * 4 && offsetof(BLK41_t, NROWE) == 552 * 4);
static_assert(offsetof(BLK41_t, EX) == 555 * 4);

static_assert(std::is_standard_layout_v<BLK41A_t> && sizeof(BLK41A_t) == 137 * 4);
static_assert(offsetof(BLK41A_t, POLLTEXT1) == 112 * 4 && offsetof(BLK41A_t, POLLTEXT2) == 125 * 4);

// The names the result procedures use.
inline REAL& ASLOSS = BLK20.ASLOSS;
inline REAL& PKGAIN = BLK20.PKGAIN;
inline REAL& PKLOSS = BLK20.PKLOSS;
inline INTEGER& MAXMON = BLK20.MAXMON;
inline INTEGER& MINMON = BLK20.MINMON;
inline INTEGER& MAXHR = BLK20.MAXHR;
inline INTEGER& MINHR = BLK20.MINHR;
inline FArray<REAL, 27>& HEATLOSS = BLK20.HEATLOSS;
inline FArray<REAL, 27>& HEATGAIN = BLK20.HEATGAIN;

inline FArray<REAL, 2, 17>& BARPAIRS = BLK25.BARPAIRS;
inline FArray<REAL, 17>& BARPEAK = BLK25.BARPEAK;
inline FArray<REAL, 17>& COMPMAX = BLK25.COMPMAX;
inline FArray<REAL, 17>& COMPMIN = BLK25.COMPMIN;
inline REAL& BARTOP = BLK25.BARTOP;
inline REAL& BARBOT = BLK25.BARBOT;
inline REAL& BARZERO = BLK25.BARZERO;

inline INTEGER& GS_NUMSCHEMES = BLK44A.GS_NUMSCHEMES;
inline INTEGER& GS_NUMATTRS = BLK44A.GS_NUMATTRS;
inline INTEGER& GS_OPTION1 = BLK44A.GS_OPTION1;
inline INTEGER& GS_OPTION2 = BLK44A.GS_OPTION2;
inline FArray<REAL, 9, 17>& GS_VALUES = BLK44A.GS_VALUES;
inline FArray<INTEGER, 9>& GS_SCHEMECOLOR = BLK44A.GS_SCHEMECOLOR;
inline FArray<INTEGER, 17>& GS_ATTRFORMAT = BLK44A.GS_ATTRFORMAT;
inline FArray<FString<32>, 17>& GS_LABELS = BLK44A.GS_LABELS;
inline FArray<INTEGER, 9>& GS_SCHEMEIDS = BLK44A.GS_SCHEMEIDS;
inline FArray<INTEGER2, 17>& GS_ROWS = BLK44A.GS_ROWS;
inline FArray<FString<56>, 15>& GS_TITLES = BLK44B.GS_TITLES;
inline FArray<INTEGER, 9, 15>& GS_SETSCHEMES = BLK44B.GS_SETSCHEMES;
inline FArray<INTEGER, 17, 15>& GS_SETROWS = BLK44B.GS_SETROWS;
inline INTEGER& GS_CHARTSET = BLK44B.GS_CHARTSET;

inline FArray<FString<45>, 32>& POLLNAMES = BLK41.POLLNAMES;
inline FArray<REAL, 6, 32>& PDATA = BLK41.PDATA;
inline INTEGER& NROWE = BLK41.NROWE;
inline INTEGER& NROWF = BLK41.NROWF;
inline REAL& FX = BLK41.FX;
inline REAL& EX = BLK41.EX;
inline FArray<REAL, 7, 16>& POLLUTE = BLK41A.POLLUTE;
inline FArray<FString<4>, 13>& POLLTEXT1 = BLK41A.POLLTEXT1;
inline FArray<FString<4>, 12>& POLLTEXT2 = BLK41A.POLLTEXT2;

}  // namespace mavo

#define MAVO_RESULTS_BLOCKS(X) \
    X(BLK20)                   \
    X(BLK25)                   \
    X(BLK41)                   \
    X(BLK41A)                  \
    X(BLK42)                   \
    X(BLK44A)                  \
    X(BLK44B)
