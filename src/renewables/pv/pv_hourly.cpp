// PVMAIN: the photovoltaic array and inverter hour by hour over a span of the
// year, with SETSTATS and SETINPUT, which fill the module model's call
// record.
#include <algorithm>
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "renewables/developer_dump.h"
#include "renewables/pv/free_form.h"
#include "renewables/pv/module_model.h"
#include "renewables/pv/pv.h"
#include "renewables/pv/tilted_radiation.h"
#include "renewables/solar_days.h"

namespace mavo {
namespace {

constexpr int kDumpUnit = kDeveloperDumpUnit;
constexpr double kKJPerWh = 3.6;            // hourly mean W/m2 to the hour's kJ/m2
constexpr double kMpptEfficiency = 0.88;    // maximum-power-point tracking (carried, not applied)
constexpr double kWindFactor = 0.51;        // site wind to wind at the array
constexpr double kInverterMode = 2.0;       // array with inverter stage

// The hours a run covers, within the year.
HourSpan hours_within_year(INTEGER start, INTEGER end) {
    HourSpan s{std::max<INTEGER>(start, 1), std::min<INTEGER>(end, 8760)};
    if (s.first != start || s.last != end) DBG_PRINT("PVMAIN: hours outside 1..8760 are not run");
    return s;
}

// Developer dump of the run's inputs (a traced run's, in the project
// directory). False when the file is not written.
bool write_debug_input(INTEGER INVROW, INTEGER PVROW, REAL8 TILT, REAL8 AZIM, INTEGER NSERIES, INTEGER NPARALLEL,
                       INTEGER TIMESTART, INTEGER TIMEEND, REAL8 XLAT, REAL8 XLONG, INTEGER TZ, INTEGER SOLTIME,
                       const FArray<REAL8, 8760>* series[4], std::string_view texts[3]) {
    std::FILE* f = open_developer_dump("c:\\temp\\debugIn.txt");
    if (!f) return false;
    auto put = [f](const FreeFormLine& l) { std::fprintf(f, "%s\n", l.str().c_str()); };
    for (int v : {INVROW, PVROW}) put(FreeFormLine().value(v));
    put(FreeFormLine().value(TILT));
    put(FreeFormLine().value(AZIM));
    for (int v : {NSERIES, NPARALLEL, TIMESTART, TIMEEND}) put(FreeFormLine().value(v));
    put(FreeFormLine().value(XLAT));
    put(FreeFormLine().value(XLONG));
    for (int v : {TZ, SOLTIME}) put(FreeFormLine().value(v));
    for (int s = 0; s < 4; ++s) {
        FreeFormLine l;
        for (double v : *series[s]) l.value(v);
        put(l);
    }
    for (int t = 0; t < 3; ++t) put(FreeFormLine().text(texts[t]));
    unit_close(kDumpUnit);
    return true;
}

// Developer dump of the run's output, beside the input dump.
bool write_debug_output(REAL8 AREAPANEL, const FArray<REAL8, 8760>& PVHOURLY) {
    std::FILE* f = open_developer_dump("c:\\temp\\debugOut.txt");
    if (!f) return false;
    std::fprintf(f, "%s\n", FreeFormLine().value(AREAPANEL).str().c_str());
    std::fprintf(f, "%s\n", FreeFormLine().value(PVMAIN_STATE.PVPOWERTOT).str().c_str());
    FreeFormLine l;
    for (double v : PVHOURLY) l.value(v);
    std::fprintf(f, "%s\n", l.str().c_str());
    unit_close(kDumpUnit);
    return true;
}

// The run values of the parameter vector, set before the tables are read.
void set_run_values(INTEGER NSERIES, INTEGER NPARALLEL, INTEGER TIMESTART, INTEGER TIMEEND, INTEGER TZ) {
    auto& P = MAVODATA.PVPARS;
    P(10) = NSERIES;
    P(11) = NPARALLEL;
    P(31) = 1.0;
    P(32) = MAVODATA.SLOPE;
    P(33) = MAVODATA.AZIMUTH;
    P(34) = TIMESTART;
    P(35) = TIMEEND;
    P(36) = kMpptEfficiency;
    P(37) = kWindFactor;
    P(38) = MAVODATA.LAT;
    P(39) = MAVODATA.LONG;
    P(40) = TZ;
}

// The hour loop: tilted-plane radiation, the hour's inputs, the module model.
void run_hours(const HourSpan& span, INTEGER TZ, INTEGER SOLTIME, FArray<REAL8, 8760>& PVHOURLY) {
    auto& rec = MAVODATA.ARGTYP194;
    TYPE194_STATE.UNCONVERGED = 0;
    if (!solarmodel::module_data_usable(rec.PAR))
        DBG_PRINT("PVMAIN: module data cannot carry the model; the array gives no output");
    for (INTEGER h = span.first; h <= span.last; ++h) {
        REAL8 gt = 0.0, gbt = 0.0, gdt = 0.0, ggt = 0.0, theta = 0.0, zenith = 0.0, sabs = 0.0;
        GETWEATH(MAVODATA.IDN(h) * kKJPerWh, MAVODATA.ITOTH(h) * kKJPerWh, MAVODATA.LAT, MAVODATA.LONG, TZ, SOLTIME,
                 MAVODATA.SLOPE, MAVODATA.AZIMUTH, h, MAVODATA.RHOG(h), gt, gbt, gdt, ggt, theta, zenith, sabs);
        MAVODATA.WINDSPEED(h) = MAVODATA.WINDSPEED(h) * MAVODATA.PVPARS(37);
        SETINPUT(h, gt / kKJPerWh, gbt / kKJPerWh, gdt / kKJPerWh, ggt / kKJPerWh, theta, zenith);
        if (TYPE194(rec.MODIN, rec.MODOUT, rec.PAR) != 1) {
            if (h == 2) DBG_DOUBLE("AreaPanel=Par(16) PVMAIN", rec.PAR(16));
            break;
        }
        PVHOURLY(h) = rec.MODOUT(3);
        PVMAIN_STATE.PVPOWERTOT += rec.MODOUT(3);
    }
    if (TYPE194_STATE.UNCONVERGED > 0)
        DBG_INT("PVMAIN: module solves stopped short of their tolerance", TYPE194_STATE.UNCONVERGED);
}

}  // namespace

void SETSTATS() {
    auto& rec = MAVODATA.ARGTYP194;
    rec.MODIN.fill(0.0);
    rec.MODOUT.fill(0.0);
    rec.PAR.fill(0.0);
    MAVODATA.LAT = MAVODATA.PVPARS(38);
    MAVODATA.FFV_WIND = MAVODATA.PVPARS(37);
    MAVODATA.ETA_MPPT = MAVODATA.PVPARS(36);
    MAVODATA.AZIMUTH = MAVODATA.PVPARS(33);
    MAVODATA.LONG = MAVODATA.PVPARS(39);
    MAVODATA.SLOPE = MAVODATA.PVPARS(32);
    rec.PAR(1) = kInverterMode;
    for (int k = 2; k <= 32; ++k) rec.PAR(k) = MAVODATA.PVPARS(k - 1);
    rec.XIN = 0.0;
    rec.OUT = 0.0;
    rec.MODINFO.fill(0);
    rec.ICNTRL = 0;
}

void SETINPUT(INTEGER IHOUR, REAL8 GT, REAL8 GBT, REAL8 GDT, REAL8 GGT, REAL8 THETA, REAL8 ZENITH) {
    auto& rec = MAVODATA.ARGTYP194;
    rec.MODTIME = IHOUR;
    rec.MODIN(1) = GT;
    rec.MODIN(2) = MAVODATA.TAMBIENT(IHOUR);
    rec.MODIN(3) = 0.0;  // load at the short-circuit point; the inverter stage finds the working point
    rec.MODIN(4) = MAVODATA.PVPARS(32);
    rec.MODIN(5) = GBT;
    rec.MODIN(6) = GDT;
    rec.MODIN(7) = GGT;
    rec.MODIN(8) = THETA;
    rec.MODIN(9) = ZENITH;
    rec.MODIN(10) = MAVODATA.WINDSPEED(IHOUR);
}

void PVMAIN(INTEGER INVROW, INTEGER PVROW, REAL8 TILT, REAL8& AZIM, INTEGER NSERIES, INTEGER NPARALLEL,
            INTEGER TIMESTART, INTEGER TIMEEND, REAL8 XLAT, REAL8 XLONG, INTEGER TZ, INTEGER SOLTIME,
            const FArray<REAL8, 8760>& DNI, const FArray<REAL8, 8760>& GHI, const FArray<REAL8, 8760>& TAMB,
            const FArray<REAL8, 8760>& WIND, std::string_view INVLKT, std::string_view PVLKT,
            FArray<REAL8, 8760>& PVHOURLY, REAL8& AREAPANEL, std::string_view LKTPATH, INTEGER& IERR,
            FString<1000>& MSG) {
    DBG_IN("PVMAIN");
    // Each span of days reads its own tables: a failed read for an earlier
    // span does not silence this one.
    MAVODATA.ERRFLAG = 0;
    MAVODATA.ERRMSG = "";
    if (MAVODATA.DEBUG == -1) {
        const FArray<REAL8, 8760>* series[4] = {&DNI, &GHI, &TAMB, &WIND};
        std::string_view texts[3] = {INVLKT, PVLKT, LKTPATH};
        if (!write_debug_input(INVROW, PVROW, TILT, AZIM, NSERIES, NPARALLEL, TIMESTART, TIMEEND, XLAT, XLONG, TZ,
                               SOLTIME, series, texts))
            DBG_PRINT("error opening debug file in PVMAIN 195");
    }
    const HourSpan span = hours_within_year(TIMESTART, TIMEEND);
    MAVODATA.SLOPE = TILT;
    if (AZIM > 180.0) AZIM = AZIM - 360.0;
    MAVODATA.AZIMUTH = AZIM;
    MAVODATA.LAT = XLAT;
    MAVODATA.LONG = XLONG;
    MAVODATA.MAVOINVLKT = INVLKT;
    MAVODATA.MAVOPVLKT = PVLKT;
    DBG_INT("top of PVMAIN TimeStart", TIMESTART);

    for (INTEGER h = span.first; h <= span.last; ++h) {
        MAVODATA.IDN(h) = DNI(h);
        MAVODATA.ITOTH(h) = GHI(h);
        MAVODATA.TAMBIENT(h) = TAMB(h);
        MAVODATA.WINDSPEED(h) = WIND(h);
    }
    set_run_values(NSERIES, NPARALLEL, TIMESTART, TIMEEND, TZ);

    // The table files live in the utility directory.
    DIR_BUILDPATH(1, kInverterTableFile);
    MAVODATA.MAVOINVFILE = built_path();
    DIR_BUILDPATH(1, kModuleTableFile);
    MAVODATA.MAVOPVFILE = built_path();
    READDATA(LKTPATH, INVROW, PVROW);
    DBG_INT("pvRow after ReadData is called PVMAIN 132", PVROW);
    DBG_INT("invRow after ReadData is called PVMAIN 133", INVROW);

    if (MAVODATA.ERRFLAG != -1) {
        SETSTATS();
        run_hours(span, TZ, SOLTIME, PVHOURLY);
        AREAPANEL = MAVODATA.ARGTYP194.PAR(16);
        DBG_DOUBLE("areaPanel PVMAIN 192", AREAPANEL);
    }
    MSG = MAVODATA.ERRMSG.view();
    IERR = MAVODATA.ERRFLAG;
    if (MAVODATA.DEBUG == -1 && !write_debug_output(AREAPANEL, PVHOURLY))
        DBG_PRINT("error opening debug file in PVMAIN 195");
    DBG_INT("end of PVMAIN TimeEnd", TIMEEND);
    DBG_OUT("PVMAIN");
}

}  // namespace mavo
