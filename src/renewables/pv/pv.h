// The photovoltaic system of a scheme: the driver that sizes the array from
// the scheme's choices and folds the year into the results, the hourly
// simulation over the module model, and the module and inverter tables.
#pragma once
#include <string_view>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Table files of the photovoltaic model in the utility directory (tab
// separated; inverter n on line n + 3, module n on line n + 2).
constexpr std::string_view kInverterTableFile = "pvinverters.txt";
constexpr std::string_view kModuleTableFile = "pvmodules.txt";

// Photovoltaic array of the current scheme after its simulated year: sizes
// slot 1 of the solar-system record, runs the days the simulation ran (the
// year, or the twelve representative days at their dates; every other hour
// of PVOUT is 0), fills PVOUT, PV(24,12), SUMARY(70,k), the peaks, and
// NFLAG(54).
void PVCALC();

// The code-minimum and the efficient or vintage scheme (slots 1 and 2)
// never get an array, whatever their input file holds: the example array
// without modules, and the solar-ready roof their site and year require
// (STRATEGY(50,k)). Other slots keep theirs.
void design_scheme_without_array();

// Runs the array and inverter over the hours TIMESTART..TIMEEND.
//   INVROW, PVROW  table rows as READDATA reads them; negative = built-in example
//   AZIM           degrees; a value above 180 is reduced by 360 (also here)
//   DNI, GHI       W/m2; TAMB C; WIND m/s (8760 hours each)
//   PVHOURLY       AC output of each hour run, W; AREAPANEL module area, m2
//   IERR, MSG      0 and blank, or -1 and the table reader's message
void PVMAIN(INTEGER INVROW, INTEGER PVROW, REAL8 TILT, REAL8& AZIM, INTEGER NSERIES, INTEGER NPARALLEL,
            INTEGER TIMESTART, INTEGER TIMEEND, REAL8 XLAT, REAL8 XLONG, INTEGER TZ, INTEGER SOLTIME,
            const FArray<REAL8, 8760>& DNI, const FArray<REAL8, 8760>& GHI, const FArray<REAL8, 8760>& TAMB,
            const FArray<REAL8, 8760>& WIND, std::string_view INVLKT, std::string_view PVLKT,
            FArray<REAL8, 8760>& PVHOURLY, REAL8& AREAPANEL, std::string_view LKTPATH, INTEGER& IERR,
            FString<1000>& MSG);

// Loads one inverter and one module (a table row, or the built-in example
// for a negative row) into MAVODATA.INVDATA, PVDATA and PVPARS. A failure
// sets MAVODATA.ERRFLAG = -1 and ERRMSG. LKTPATH is not used.
void READDATA(std::string_view LKTPATH, INTEGER INVROW, INTEGER PVROW);

// Reads one number of a table row from column I (from 1), leaving I at the
// column where the next number starts. IERR 0 a number or an empty field,
// -1 nothing read, 1 the number ended in a character that cannot end one.
void STRNUM(std::string_view LINE, REAL8& RNUM, INTEGER& I, INTEGER& IERR);

// Sets up the module model's call record from PVPARS for a run.
void SETSTATS();

// The module model's inputs for hour IHOUR from that hour's tilted-plane
// radiation (W/m2) and angles (degrees).
void SETINPUT(INTEGER IHOUR, REAL8 GT, REAL8 GBT, REAL8 GDT, REAL8 GGT, REAL8 THETA, REAL8 ZENITH);

}  // namespace mavo
