// The end-of-year sequence of CALCS.
#include "simulation/end_of_year.h"

#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/project.h"
#include "renewables/pv/pv.h"
#include "renewables/solarwater/solar_water.h"
#include "results/annual_energy.h"
#include "results/balance_point.h"
#include "results/bills.h"
#include "results/charts.h"
#include "results/emissions.h"
#include "results/peaks.h"
#include "results/summary_column.h"
#include "simulation/simulation.h"

namespace mavo {
namespace {

constexpr REAL kBtuPerKwh = 3412.0f;
constexpr REAL kHoursOfTwelveDays = 288.0f;
constexpr REAL kHoursOfYear = 8760.0f;
constexpr INTEGER kCombinationItemy = 32;
constexpr INTEGER kNightVentilationTestCase = 7;

REAL celsius_of(REAL t_F) { return (t_F - 32.0f) * 5.0f / 9.0f; }

// The scheme slots and the default scheme own a parameter and a summary
// column. Any other number has neither: a combination's number read as a
// column would be another scheme's back-up copy (or lie past the table),
// and its results, written or zeroed there, would overwrite that scheme's.
bool scheme_has_column() { return has_scheme_column(IDNUM1); }

// The 20 hour-by-month result arrays of one month (or all with m = 0).
void zero_hourly_results(INTEGER first_month, INTEGER last_month) {
    FArray<REAL, 24, 12>* arrays[] = {&OATEMP, &STORED,   &AIRVOL,   &HVACLD, &KWHRFA,  &COSTFUEL, &COSTEL,
                                      &WHENER, &EQKWHR,   &EQFUEL,   &PV,     &SHW,     &TOTALCO2, &SITEKWHR,
                                      &IATEMP, &IAVEL,    &EFFTEMP,  &WINDVEL, &TEMPKWHR, &TEMPFUEL};
    for (INTEGER m = first_month; m <= last_month; ++m) {
        for (INTEGER h = 1; h <= 24; ++h) {
            for (INTEGER c = 1; c <= 17; ++c) HEAT(c, h, m) = 0.0f;
            for (auto* a : arrays) (*a)(h, m) = 0.0f;
        }
    }
}

// Step 1: hour counters of the year, traced only.
void trace_hour_counters(INTEGER k) {
    if (!NFLAG(90)) return;
    REAL comfort_hours = 0.0f;
    if (scheme_has_column()) {
        DBG_FLOAT("SUMARY(67) heating hours", SUMARY(67, k));
        DBG_FLOAT("SUMARY(68) cooling hours", SUMARY(68, k));
        DBG_FLOAT("SUMARY(69) uncomfortable hours", SUMARY(69, k));
        comfort_hours = SUMARY(67, k) + SUMARY(68, k) + SUMARY(69, k);
    }
    DBG_FLOAT("AtticFanHrs", AtticFanHrs);
    DBG_FLOAT("WHfanHrs", WHfanHrs);
    DBG_FLOAT("CeilFanHrs", CeilFanHrs);
    DBG_FLOAT("IAQFanHrs", IAQFanHrs);
    DBG_FLOAT("NatVentHrs", NatVentHrs);
    DBG_FLOAT("EvapCoolHrs", EvapCoolHrs);
    const REAL hours = NFLAG(38) ? kHoursOfYear : kHoursOfTwelveDays;
    DBG_FLOAT("net passive hours", hours - comfort_hours - NatVentHrs - CeilFanHrs - WHfanHrs - EvapCoolHrs);
}

// Steps 2 and 3. The next step: the bills, or the result test when a model
// failed.
YearEnd renewables(SimulationRun& /*run*/) {
    const INTEGER k = IDNUM1;
    trace_hour_counters(k);
    const REAL pv_system = scheme_has_column() ? STRATEGY(50, k) : 0.0f;
    // (-0: a slot's solar-ready roof its inputs in force do not require.)
    if (pv_system != 0.0f || std::signbit(pv_system) || IDNUM1 <= 2) {
        PVCALC();
        if (!NFLAG(54)) {
            DBG_PRINT("error in PVcalc");
            return YearEnd::result_test;
        }
    }
    SDHWCALC();
    if (!NFLAG(54)) {
        DBG_PRINT("Error in SDHWCALC");
        return YearEnd::result_test;
    }
    return YearEnd::cost;
}

// Steps 4 and 5. True when the save step starts at its beginning, false when
// measured data skip its first part.
bool bills_and_summaries(SimulationRun& run) {
    if (!(NFLAG(35) && NFLAG(67) && NFLAG(68))) COST();
    if (NFLAG(38)) {
        for (INTEGER m = 1; m <= 12; ++m) {
            if (DAYFLAG(m) >= 0) continue;
            DBG_INT("MOMIT out MONTHx 2080 CALCS", m);
            zero_hourly_results(m, m);
        }
    }
    // The simulation has read its last record.
    unit_close(BLK0B.DISKFTMY);
    if (NFLAG(35)) return false;
    if (scheme_has_column()) SUMARY(48, IDNUM1) = static_cast<REAL>(run.days_simulated);
    PEAKS();
    BPTEMP();
    SUMUP();
    CALBEP();
    CALPOLL();
    NFLAG(80) = true;
    return true;
}

// Step 6. The next step: the transfer, or the result test when the fuels or
// the renewables failed.
YearEnd save_results(SimulationRun& run, bool from_start) {
    if (from_start && IDNUM1 >= 11) {
        // A combination of schemes is not saved here.
        ITEMY = kCombinationItemy;
        return YearEnd::transfer;
    }
    AADISK(1);
    if (NFLAG(7)) BARCHT3D();
    KEEP1();
    if (NFLAG(68) || !NFLAG(54)) return YearEnd::result_test;
    NFLAG(51) = true;
    DBG_PRINT("NFLAG(51)=T in Calcs 1908: no errors");
    if (NFLAG(24)) KEEPSCHED();
    if (!NFLAG(80)) weather_data_error(run.weather.last_month, run.weather.last_record);
    return YearEnd::transfer;
}

}  // namespace

void column_as_the_save_stores_it(bool simulated) {
    if (scheme_has_column()) STRATEGY(29, IDNUM1) = STRATEGY(29, IDNUM1) >= 2.0f ? 2.0f : 1.0f;
    if (simulated) REVISION(3);
}

namespace {

// Step 7: run flags cleared, the scheme's parameters and input file saved.
void transfer_scheme(SimulationRun& run) {
    for (INTEGER i = 17; i <= 23; ++i) NFLAG(i) = false;
    for (INTEGER i = 25; i <= 29; ++i) NFLAG(i) = false;
    NFLAG(31) = false;
    DAYCOUNT = 0;
    const INTEGER k = IDNUM1;
    // The night-ventilation test case borrows the heating and cooling codes
    // during the year; they go back as the year found them. A run that never
    // started its year has nothing to give back.
    if (scheme_has_column() && STRATEGY(25, k) == static_cast<REAL>(kNightVentilationTestCase) &&
        run.systems_saved) {
        STRATEGY(18, k) = run.saved_heating_code;
        STRATEGY(20, k) = run.saved_cooling_code;
    }
    // A run whose climate data failed before its first day (the site's
    // weather file unreadable, the default location put in force instead)
    // simulated nothing: the column keeps the building choices it holds,
    // whichever scheme met it, and takes only the site the weather reader
    // settled. Condensing the model back would replace the column's choices
    // by those of an input file the column was never designed into.
    const bool simulated = NFLAG(80) || run.days_simulated > 0;
    column_as_the_save_stores_it(simulated);
    if (scheme_has_column()) {
        STRATEGY(44, k) = SUMARY(35, k);
        STRATEGY(45, k) = SUMARY(36, k);
        STRATEGY(46, k) = SUMARY(35, k) + SUMARY(36, k);
    }
    REVISION(5);
    KEEP2(1);
    REVISION(6);
}

void trace_errors_found() {
    if (!NFLAG(80)) DBG_PRINT("NFLAG(80) ERROR climateData");
    if (NFLAG(68)) DBG_PRINT("NFLAG(68) ERROR fuel type not ok");
    if (NFLAG(67)) DBG_PRINT("NFLAG(67) ERROR no gas inZipcode");
    if (!NFLAG(51)) DBG_PRINT("NFLAG(51) ERROR in kernel");
    if (!NFLAG(15)) DBG_PRINT("NFLAG(15) ERROR in Tstore");
    if (!NFLAG(54)) DBG_PRINT("NFLAG(80) ERROR in PV SDHW");
}

void trace_failure_causes() {
    if (!NFLAG(80)) DBG_PRINT("nflag(80)=F bad climat data");
    if (NFLAG(67)) DBG_PRINT("Nflag(67) electrical fuel+gas appliances added on Appliance");
    if (NFLAG(68)) DBG_PRINT("Nflag(68) fuel and furnace or water heater incompatible");
    if (!NFLAG(51)) DBG_PRINT("Nflag(51) kernel did not run");
    if (!NFLAG(54)) DBG_PRINT("nflag(54)=F; PVCALC or SDHWCALC did not run correctly");
    if (!NFLAG(15)) DBG_PRINT("nflag(15) fatal error in TSTORE, did not run");
    DBG_PRINT("Fatal Error all values set to 0.0 CALCS 2385");
}

// Step 9: the host never sees half-computed results: everything is zeroed
// and saved in place of the scheme's files.
void failure_path() {
    trace_errors_found();
    NFLAG(51) = false;
    DBG_PRINT("ERROR: at end all data = zero");
    zero_hourly_results(1, 12);
    SUMUP();
    CALBEP();
    // Nothing was simulated: the column holds no results, not the envelope
    // rows SUMUP made of a building that was not run (or of what an earlier
    // run left in the blocks when the slot holds no design), nor the net
    // costs the transfer copied from the bills of that run.
    if (scheme_has_column()) {
        for (INTEGER r = 1; r <= 80; ++r) SUMARY(r, IDNUM1) = 0.0f;
        for (INTEGER r = 44; r <= 46; ++r) STRATEGY(r, IDNUM1) = 0.0f;
    }
    AADISK(6);
    KEEP2(1);
    KEEP1();
    trace_failure_causes();
}

// Step 10: the run's summary in the trace.
void trace_run_summary(const SimulationRun& run) {
    if (!NFLAG(90)) return;
    const INTEGER k = IDNUM1;
    if (scheme_has_column())
        for (INTEGER r = 30; r <= 33; ++r) DBG_FLOAT("CALCS strategy(30-33) construction", STRATEGY(r, k));
    if (run.NNOTCONV > 0) DBG_INT("ERROR times did NOT Converge ", run.NNOTCONV);
    if (scheme_has_column()) DBG_FLOAT("CALCS sumary(22) lighting", SUMARY(22, k));
    DBG_FLOAT("TempPeakLow F", TempPeakLow);
    DBG_FLOAT("TempPeakLow C", celsius_of(TempPeakLow));
    DBG_INT("TempPeakLow month", BLK6.TempPeakLowMon);
    DBG_INT("TempPeakLow day", BLK6.TempPeakLowDay);
    DBG_INT("TempPeakLow hour", BLK6.TempPeakLowHr);
    DBG_FLOAT("TempPeakHigh F", TempPeakHigh);
    DBG_FLOAT("TempPeakHigh C", celsius_of(TempPeakHigh));
    DBG_INT("TempPeakHigh month", BLK6.TempPeakHighMon);
    DBG_INT("TempPeakHigh day", BLK6.TempPeakHighDay);
    DBG_INT("TempPeakHigh hour", BLK6.TempPeakHighHr);
    DBG_FLOAT("TEMPINMEAN F", TEMPINMEAN);
    DBG_FLOAT("TEMPINMEAN C", celsius_of(TEMPINMEAN));
    DBG_INT("NTEMPINMEAN hours", NTEMPINMEAN);
    DBG_FLOAT("HVACPEAKMIN heating Btu/h", HVACPEAKMIN);
    DBG_FLOAT("HVACPEAKMIN heating kW", HVACPEAKMIN / kBtuPerKwh);
    DBG_INT("HVACPEAKMIN month", BLK6.HVACPEAKMINMON);
    DBG_INT("HVACPEAKMIN day", BLK6.HVACPEAKMINDAY);
    DBG_INT("HVACPEAKMIN hour", BLK6.HVACPEAKMINHR);
    DBG_FLOAT("HVACPEAKMAX cooling Btu/h", HVACPEAKMAX);
    DBG_FLOAT("HVACPEAKMAX cooling kW", HVACPEAKMAX / kBtuPerKwh);
    DBG_INT("HVACPEAKMAX month", BLK6.HVACPEAKMAXMON);
    DBG_INT("HVACPEAKMAX day", BLK6.HVACPEAKMAXDAY);
    DBG_INT("HVACPEAKMAX hour", BLK6.HVACPEAKMAXHR);
    // Per 1000 ft2 of floor; a building without floor area has no intensity.
    const REAL per_kft2 = AREAT > 0.0f ? AREAT * 1000.0f : 1.0f;
    DBG_FLOAT("heating sum / (areat*1000)", run.heating_sum_btuh / per_kft2);
    DBG_FLOAT("cooling sum / (areat*1000)", run.cooling_sum_btuh / per_kft2);
}

}  // namespace

bool run_succeeded() { return NFLAG(80) && !NFLAG(68) && NFLAG(51) && NFLAG(15) && NFLAG(54); }

void finish_year(YearEnd from, SimulationRun& run) {
    YearEnd next = from;
    bool save_from_start = true;
    if (next == YearEnd::renewables) next = renewables(run);
    if (next == YearEnd::cost) {
        save_from_start = bills_and_summaries(run);
        next = YearEnd::save;
    }
    if (next == YearEnd::save) next = save_results(run, save_from_start);
    if (next == YearEnd::transfer) transfer_scheme(run);
    if (!run_succeeded()) failure_path();
    trace_run_summary(run);
    // Every run ends with the day counter back at the start of the year and
    // the weather file closed, however it ended.
    DAYCOUNT = 0;
    unit_close(BLK0B.DISKFTMY);
    NFLAG(64) = true;
}

}  // namespace mavo
