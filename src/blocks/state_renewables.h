// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
//
// The photovoltaic model shares its variables through MAVODATA: the hourly
// weather it runs on, the module and inverter rows, the parameter vector and
// the call record of the module model TYPE194. The module model's one-diode
// parameters of the hour and its reference values sit in ARRAY194 and
// PARAM194. The rest are the working arrays of the two drivers and of the
// solar water-heating simulation.
//
// Many of these member names are short and common (MONTH, SLOPE, LAT, PAR,
// DEBUG), so none of them gets a reference alias: procedures write
// MAVODATA.PVPARS(15), MAVODATA.ARGTYP194.MODOUT(3) and so on.
//
// No file or host relies on the layout of these structs.
#pragma once
#include <cstddef>
#include <type_traits>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

namespace renewables_init {

// Ground reflectance of every hour of the year at load.
constexpr FArray<REAL8, 8760> every_hour(REAL8 value) {
    FArray<REAL8, 8760> a{};
    a.fill(value);
    return a;
}

}  // namespace renewables_init

// Call record of the module model, in the order the model is called with.
// The three vectors are sized once per run by SETSTATS (fixed here at their
// only size, so the hour loop never allocates).
struct ARGTYP194_t {
    REAL8 MODTIME = 0.0;              // hour of the year of the current call
    FArray<REAL8, 10> MODIN{};        // hourly inputs (GT W/m2, ambient C, load V, slope deg, ...)
    FArray<REAL8, 13> MODOUT{};       // results (V, A, W AC, Pmp W, ...)
    REAL8 XIN = 0.0;                  // passed to the model and ignored by it
    REAL8 OUT = 0.0;                  // passed to the model and ignored by it
    FArray<REAL8, 32> PAR{};          // model parameters: PAR(1) mode, PAR(k) = PVPARS(k-1)
    FArray<INTEGER, 15> MODINFO{};    // passed to the model and ignored by it
    INTEGER ICNTRL = 0;               // passed to the model and ignored by it
};

// Shared storage of the photovoltaic model (also reached by the solar
// water-heating simulation through the tilted-plane radiation, which leaves
// the hour's month and hour of the day in MONTH and HRDAY).
struct MAVODATA_t {
    ARGTYP194_t ARGTYP194{};
    FArray<REAL8, 8760> RHOG = renewables_init::every_hour(0.2);  // ground reflectance of each hour, -
    INTEGER HRDAY = 1;         // hour of the day 1-24 of the current hour (GETWEATH)
    INTEGER DAYMONTH = 1;      // not referenced
    INTEGER MONTH = 1;         // month 1-12 of the current hour (GETWEATH)
    INTEGER LUDEBUGFILE = 433;  // not referenced
    REAL8 AZIMUTH = 0.0;       // array azimuth, deg: 0 facing the equator, west positive, within -180..180
    INTEGER ERRFLAG = 0;       // -1 after a failed table read
    FString<1000> ERRMSG{};    // text of the last failure
    REAL8 ETA_MPPT = 0.0;      // maximum-power-point tracking efficiency, - (set, not read)
    REAL8 FFV_WIND = 0.0;      // wind-speed factor, - (set, not read)
    FString<1000> MAVOINVFILE{};  // inverter table file read by READDATA
    FString<1000> MAVOINVLKT{};   // lookup table of the outside calculator for inverters (kept only)
    FString<1000> MAVOOUTFILE{};  // not referenced
    FString<1000> MAVOPVFILE{};   // module table file read by READDATA
    FString<1000> MAVOPVLKT{};    // lookup table of the outside calculator for modules (kept only)
    FArray<REAL8, 8760> IDN{};        // direct-normal radiation on the array of each hour, W/m2
    FArray<REAL8, 8760> ITOTH{};      // global horizontal radiation of each hour, W/m2
    FArray<REAL8, 8760> TAMBIENT{};   // outdoor dry bulb of each hour, C
    FArray<REAL8, 8760> WINDSPEED{};  // wind speed of each hour, m/s (scaled by PVPARS(37) as run)
    FArray<REAL8, 33> INVDATA{};      // the inverter row
    REAL8 LAT = 0.0;                  // site latitude, deg north
    REAL8 LONG = 0.0;                 // site longitude, deg
    FArrayB<REAL8, Bounds<0, 15>> PVDATA{};  // the module row, columns 0-15
    FArray<REAL8, 40> PVPARS{};       // parameter vector of the model
    REAL8 SLOPE = 0.0;                // array tilt from horizontal, deg
    INTEGER DEBUG = 0;                // -1 makes PVMAIN write its dump files; nothing sets it
};

// One-diode parameters of one module at the hour's operating conditions
// (TYPE194 writes them, its two solvers read them).
struct ARRAY194_t {
    REAL8 AMOD = 0.0;    // modified ideality factor a, V
    REAL8 ILIGHT = 0.0;  // light current IL, A
    REAL8 IOSAT = 0.0;   // diode saturation current Io, A
    REAL8 RSER = 0.0;    // series resistance Rs, ohm
    REAL8 RSHUNT = 0.0;  // shunt resistance Rsh, ohm
};

// Reference values of the module (TYPE194).
struct PARAM194_t {
    REAL8 NCELLS = 0.0;  // cells in series per module
    REAL8 TREF = 0.0;    // reference cell temperature, K
    REAL8 IMPREF = 0.0;  // maximum-power current at reference, A
    REAL8 VMPREF = 0.0;  // maximum-power voltage at reference, V
    REAL8 ISCREF = 0.0;  // short-circuit current at reference, A
    REAL8 VOCREF = 0.0;  // open-circuit voltage at reference, V
    REAL8 MUVOC = 0.0;   // adjusted temperature coefficient of Voc, V/K
    REAL8 MUISC = 0.0;   // adjusted temperature coefficient of Isc, A/K
    REAL8 EGAP = 0.0;    // band gap at the cell temperature, eV
};

// Kept by TYPE194: solves of the hour that stopped at their iteration limit
// without meeting their tolerance since PVMAIN last cleared the count.
struct TYPE194_STATE_t {
    INTEGER UNCONVERGED = 0;
};

// Kept by PVCALC between calls (overwritten by each call).
struct PVCALC_STATE_t {
    FString<1000> INVERTERFILE{};  // inverter lookup table of the outside calculator
    FString<1000> PVFILE{};        // module lookup table of the outside calculator
    FString<1000> LOCLKTCNVRT{};   // last path built, handed to the model
    FArray<REAL8, 8760> DRCTNORM1{};  // direct-normal radiation on the sunlit array, W/m2
    FArray<REAL8, 8760> PVOUTDBL{};   // AC output of each hour from the model, W
    FString<1000> MESSAGE{};          // the model's error text
};

// Kept by PVMAIN: running total of all hourly AC output since load, W
// (written only to the developer dump).
struct PVMAIN_STATE_t {
    REAL8 PVPOWERTOT = 0.0;
};

// Kept by SDHWCALC between calls (overwritten by each simulated run; hours
// not run are 0).
struct SDHWCALC_STATE_t {
    FArray<REAL8, 12> TMAINSHC{};     // mains-water temperature by month, C
    FArray<REAL8, 24> FSCHED{};       // multiplier of the mean hourly draw, by hour of the day
    FArray<REAL8, 8760> QSOLAR{};     // collector heat into the solar tank, kJ per hour
    FArray<REAL8, 8760> QTANK{};      // standby loss of the solar tank, kJ per hour
    FArray<REAL8, 8760> QLOAD{};      // heat drawn from the solar tank, kJ per hour
    FArray<REAL8, 8760> QDUMP{};      // heat dumped above the tank maximum, kJ per hour
    FArray<REAL8, 8760> QAUX{};       // heat supplied by the auxiliary heater, kJ per hour
    FArray<REAL8, 8760> QFUEL{};      // energy input of the auxiliary heater, kJ per hour
    FArray<REAL8, 8760> QFUELNOCOLL{};  // energy input of the same heater without the collectors, kJ per hour
    FArray<REAL8, 8760> DRCTNORMKJ{};   // direct normal radiation of the hours run, kJ/m2 (BLK51 x 3.6)
    FArray<REAL8, 8760> TOTHORIZKJ{};   // global horizontal radiation of the hours run, kJ/m2 (BLK51 x 3.6)
    FArray<REAL, 8760> TTANKF{};      // solar tank temperature at the end of each hour, F
    FString<1000> SDHWMESSAGE{};      // message of the hourly simulation
};

// Kept by SDHWMAIN between calls (rewritten by each call over its hours).
struct SDHWMAIN_STATE_t {
    REAL8 tank_start_C = 30.0;       // solar tank temperature at the start of the first hour of a call, C
    FArray<REAL8, 8761> TTANK{};     // solar tank temperature at the start of hour t, C (t+1 = end of t)
    FArray<REAL8, 8760> TOTDRAW{};   // heat to bring the hour's whole draw from mains to set point, kJ
    FArray<REAL8, 8760> QFLOW{};     // heat the auxiliary adds to the water drawn, kJ
    FArray<REAL8, 8760> QAUXLOSS{};  // standby loss of the auxiliary heater, kJ
    FArray<REAL8, 8760> FDRAWZ{};    // fraction of the draw taken from the solar tank, -
};

extern MAVODATA_t MAVODATA;
extern ARRAY194_t ARRAY194;
extern PARAM194_t PARAM194;
extern TYPE194_STATE_t TYPE194_STATE;
extern PVCALC_STATE_t PVCALC_STATE;
extern PVMAIN_STATE_t PVMAIN_STATE;
extern SDHWCALC_STATE_t SDHWCALC_STATE;
extern SDHWMAIN_STATE_t SDHWMAIN_STATE;

static_assert(std::is_standard_layout_v<MAVODATA_t>);
static_assert(std::is_standard_layout_v<ARGTYP194_t>);
static_assert(sizeof(ARRAY194_t) == 5 * 8 && sizeof(PARAM194_t) == 9 * 8);

}  // namespace mavo

#define MAVO_STATE_RENEWABLES_BLOCKS(X) \
    X(MAVODATA)                         \
    X(ARRAY194)                         \
    X(PARAM194)                         \
    X(TYPE194_STATE)                    \
    X(PVCALC_STATE)                     \
    X(PVMAIN_STATE)                     \
    X(SDHWCALC_STATE)                   \
    X(SDHWMAIN_STATE)
