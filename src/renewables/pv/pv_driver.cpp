// PVCALC: the photovoltaic array of the current scheme. Sizes slot 1 of the
// solar-system record from the scheme's choice (none, a basic size in kW, a
// module count, or the residential solar-ready roof area), runs the array
// over the days the simulation ran (the year, or the twelve representative
// days at their dates) and folds its AC output into the hourly profile, the
// annual total and the peaks.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "renewables/pv/pv.h"
#include "renewables/solar_days.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr INTEGER kUtilityDirectory = 1;
constexpr INTEGER kPvSlot = 1;               // slot of the photovoltaic array in the solar record
constexpr REAL kModulesPerKw = 5.0f;         // the example module is about 0.2 kW
constexpr REAL kLargestBasicSizeKw = 8.0f;   // the basic screen offers 1 to 8 kW
constexpr REAL kExampleModuleWidth_m = 1.0f;
constexpr REAL kExampleModuleHeight_m = 1.67f;
constexpr REAL kExampleModuleArea_m2 = 1.67f;
constexpr REAL kLargestModuleArea_m2 = 100000.0f;
constexpr REAL kNoPeak = -9999.0f;
constexpr REAL kWattHoursPerKwh = 1000.0f;
constexpr INTEGER kSolarTimeFromClock = -1;  // the clock time of mid-hour serves as solar time
constexpr REAL kSolarReadyFromYear = 2013.0f;
constexpr REAL kLargeSolarZone_ft2 = 250.0f;
constexpr REAL kSmallSolarZone_ft2 = 150.0f;

// The year whose rules apply: the year built, 2013 when unset, and always
// 2013 for the code-minimum scheme.
REAL effective_year(INTEGER k) {
    const REAL y = STRATEGY(11, k);
    return (y <= 100.0f || k == 1) ? kSolarReadyFromYear : y;
}

// The built-in example array in slot 1: example module and inverter facing
// the equator at the latitude tilt.
void write_example_array(bool with_area) {
    SPANEL(kPvSlot) = -1;
    SCONTROL(kPvSlot) = -1;
    SWIDTH(kPvSlot) = kExampleModuleWidth_m;
    SHEIGHT(kPvSlot) = kExampleModuleHeight_m;
    if (with_area) SAREAC(kPvSlot) = kExampleModuleArea_m2;
    STILT(kPvSlot) = SLAT;
    SFACING(kPvSlot) = 0.0f;
}

// A slot's solar-ready roof that its year, site or water heating does not
// require holds -0 in STRATEGY(50,k): every reader sees no area, and the
// roof is sized again once the inputs require one, as for a slot given
// those inputs at once. A plain 0 is a slot without one.
bool holds_solar_ready_roof(REAL s50) { return s50 < -kLargestBasicSizeKw || (s50 == 0.0f && std::signbit(s50)); }

// The residential solar-ready roof: a new California home of 2013 or later
// without solar water heating must reserve a solar zone; STRATEGY(50,k)
// carries minus its area in ft2 (0 when none is required).
void solar_zone_rule(INTEGER k, REAL year) {
    REAL area_ft2 = 0.0f;
    const bool residential_type = NTYPE >= 16 && NTYPE <= 19;
    const bool chosen = k < 3 || holds_solar_ready_roof(STRATEGY(50, k));
    const bool qualifies = year >= kSolarReadyFromYear && !NFLAG(24) && NFLAG(58) && STRATEGY(41, k) == 0.0f &&
                           chosen && residential_type;
    if (qualifies) {
        if ((CECZONE >= 1 && CECZONE <= 7) || (CECZONE >= 15 && CECZONE <= 16)) area_ft2 = kLargeSolarZone_ft2;
        if (CECZONE >= 8 && CECZONE <= 14) area_ft2 = kSmallSolarZone_ft2;
        // Tall homes on small lots have little roof: the smaller zone.
        if (FLOORS >= 3.0f && AREAT <= 2000.0f) area_ft2 = kSmallSolarZone_ft2;
    }
    STRATEGY(50, k) = area_ft2 > 0.0f ? -area_ft2 : (k >= 3 && chosen) ? -0.0f : 0.0f;
    DBG_FLOAT("PVCALC solar zone strategy(50,)", STRATEGY(50, k));
}

void no_pv_end(INTEGER k) {
    SQTY(kPvSlot) = 0.0f;
    NFLAG(54) = true;
    SUMARY(70, k) = 0.0f;
    DBG_FLOAT("No PV system Sumary(70,) 998", SUMARY(70, k));
}

void error_end(INTEGER k) {
    NFLAG(54) = false;
    SUMARY(70, k) = 0.0f;
    DBG_PRINT("Nflag(54) an ERROR in panel selection");
    DBG_PRINT(" OR ERROR in inverter selection 996");
    DBG_FLOAT("No PV: kWh Sumary(70,) 997", SUMARY(70, k));
}

// Slot 1 from the scheme's choice. True when the array is to be run.
bool size_array(INTEGER k, REAL year) {
    if (k <= 2) {
        design_scheme_without_array();
        return false;
    }
    const REAL s50 = STRATEGY(50, k);
    const REAL qty = SQTY(kPvSlot);
    if (qty == 0.0f) {
        if (s50 >= -kLargestBasicSizeKw && !holds_solar_ready_roof(s50)) STRATEGY(50, k) = 0.0f;
        write_example_array(false);
        solar_zone_rule(k, year);
        return false;
    }
    if (qty >= -kLargestBasicSizeKw && qty <= -1.0f) {
        // Basic screen: a size in kW entered as a negative number.
        STRATEGY(50, k) = qty;
        SQTY(kPvSlot) = -kModulesPerKw * qty;
        write_example_array(true);
        return true;
    }
    // Advanced screen: a module count.
    if (s50 >= -kLargestBasicSizeKw && s50 < 0.0f) {
        SQTY(kPvSlot) = kModulesPerKw * std::fabs(s50);
        write_example_array(true);
    } else if (s50 > 0.0f) {
        STRATEGY(50, k) = SQTY(kPvSlot);
    }
    return true;
}

// Whether the outside CEC PV calculator's lookup tables are installed: only
// the existence of its inverter table is tested, by its file name in the
// utility directory (the kernel opens no file outside the three directories
// the host gives it); the pair of names is handed on, never read.
void probe_outside_calculator() {
    const std::string inverters = path_in_directory(kUtilityDirectory, "InverterDataFile.lkt");
    PVCALC_STATE.INVERTERFILE = inverters;
    PVCALC_STATE.PVFILE = path_in_directory(kUtilityDirectory, "PVModules.lkt");
    const bool present = !inverters.empty() && unit_open(BLK0B.DISKPVLIB, inverters.c_str(), "rb") != nullptr;
    if (present) unit_close(BLK0B.DISKPVLIB);
    DBG_PRINT(present ? "CECPV30 is present PVCALC 831" : "CECPV40 is present PVCALC 831");
}

// Direct-normal radiation reaching the array in the hours run: the
// weather's times the sunlit fraction of the array in that hour of that
// month; no sun in any other hour.
void array_radiation(const SolarDays& days) {
    PVCALC_STATE.DRCTNORM1.fill(0.0);
    for (INTEGER j = 1; j <= days.count; ++j) {
        const SolarDay& d = days.day(j);
        for (INTEGER h = 1; h <= 24; ++h) {
            const INTEGER t = d.hours_before + h;
            PVCALC_STATE.DRCTNORM1(t) = DRCTNORMAL(t) * SUNLITCHM(1, h, d.month);
        }
    }
}

// Hourly output into PVOUT, the example module scaled to the entered module
// area, and the system peak. Hours not run give nothing.
void hourly_output(REAL area_cx_m2) {
    PVAVGPEAK = 0.0f;
    PVSYSPEAK = 0.0f;
    PEAK = kNoPeak;
    const bool example_module = SPANEL(kPvSlot) <= -1;
    for (INTEGER kk = 1; kk <= 8760; ++kk) {
        REAL out_W = static_cast<REAL>(PVCALC_STATE.PVOUTDBL(kk));
        if (example_module) out_W = out_W * SAREAC(kPvSlot) / area_cx_m2;
        PVOUT(kk) = out_W;
        PVSYSPEAK = std::max(PVSYSPEAK, out_W);
    }
}

// The days run into PV(24,12) and SUMARY(70,k): the month's average day of
// a 365-day run, or the twelve representative days of a twelve-day run.
void monthly_reduction(INTEGER k, const SolarDays& days) {
    for (INTEGER j = 1; j <= days.count; ++j) {
        const SolarDay& d = days.day(j);
        for (INTEGER h = 1; h <= 24; ++h) {
            const REAL out_W = PVOUT(d.hours_before + h);
            SUMARY(70, k) += out_W / kWattHoursPerKwh;
            if (NFLAG(38)) {
                PV(h, d.slot) += out_W / static_cast<REAL>(MODAYS(d.slot)) / kWattHoursPerKwh;
            } else {
                PV(h, d.slot) = out_W / kWattHoursPerKwh;
            }
        }
    }
}

// Monthly peaks: PVAVGPEAK their mean; PEAK is left with December's.
void monthly_peaks() {
    for (INTEGER m = 1; m <= 12; ++m) {
        REAL peak = kNoPeak;
        for (INTEGER h = 1; h <= 24; ++h) peak = std::max(peak, PV(h, m));
        PEAK = peak;
        PVAVGPEAK += peak / 12.0f;
    }
}

// Runs the sized array and folds the year into the results.
void run_array(INTEGER k) {
    if (SFACING(kPvSlot) > 360.0f) {
        SFACING(kPvSlot) -= 360.0f;
    } else if (SFACING(kPvSlot) < -360.0f) {
        SFACING(kPvSlot) += 360.0f;
    }
    const SolarDays days = solar_model_days();
    store_whole_year_period();
    const REAL8 lat_deg = SLAT, lon_deg = SLON;
    SUMARY(70, k) = 0.0f;
    if (TMZONEI < -24 || TMZONEI > 24) TMZONEI = 1;
    if (SQTY(kPvSlot) <= 0.0f) return no_pv_end(k);
    if (SPANEL(kPvSlot) == 0 || SCONTROL(kPvSlot) == 0) return error_end(k);

    const INTEGER inverter_row = SCONTROL(kPvSlot) > 0 ? SCONTROL(kPvSlot) + 2 : SCONTROL(kPvSlot);
    const INTEGER module_row = SPANEL(kPvSlot) > 0 ? SPANEL(kPvSlot) + 1 : SPANEL(kPvSlot);
    const REAL strings = std::min(SQTY(kPvSlot), std::max(1.0f, SSTRINGS(kPvSlot)));
    const INTEGER n_parallel = int_toward_zero(strings);
    const INTEGER n_series = int_toward_zero(SQTY(kPvSlot) / strings);
    SSTRINGS(kPvSlot) = strings;
    DBG_INT("PVCALC modules in series", n_series);
    DBG_INT("PVCALC strings in parallel", n_parallel);
    const REAL8 tilt_deg = STILT(kPvSlot);
    REAL8 azimuth_deg = SFACING(kPvSlot);
    if (azimuth_deg >= 360.0) {
        azimuth_deg -= 360.0;
    } else if (azimuth_deg <= -360.0) {
        azimuth_deg += 360.0;
    }

    probe_outside_calculator();
    PVCALC_STATE.LOCLKTCNVRT = PATHTOFILE.view();
    DBG_PRINT(PVCALC_STATE.LOCLKTCNVRT.trimmed());
    array_radiation(days);

    PVCALC_STATE.PVOUTDBL.fill(0.0);
    REAL8 area_m2 = 0.0;
    for (INTEGER j = 1; j <= days.span_count; ++j) {
        INTEGER ierr = 0;
        PVCALC_STATE.MESSAGE = "";
        PVMAIN(inverter_row, module_row, tilt_deg, azimuth_deg, n_series, n_parallel, days.span(j).first,
               days.span(j).last, lat_deg, lon_deg, TMZONEI, kSolarTimeFromClock, PVCALC_STATE.DRCTNORM1, TOTHORIZ,
               TAMB, WNDSPD, PVCALC_STATE.INVERTERFILE.view(), PVCALC_STATE.PVFILE.view(), PVCALC_STATE.PVOUTDBL,
               area_m2, PVCALC_STATE.LOCLKTCNVRT.view(), ierr, PVCALC_STATE.MESSAGE);
        if (ierr != 0) {
            // The tables could not be read: no area and no hours came back.
            DBG_PRINT(PVCALC_STATE.MESSAGE.trimmed());
            return error_end(k);
        }
    }
    const REAL area_cx_m2 = static_cast<REAL>(area_m2);
    if (!(SAREAC(1) > 0.0f && SAREAC(1) <= kLargestModuleArea_m2) || !(area_cx_m2 > 0.0f)) {
        DBG_PRINT("ERROR Area Collector undefined");
        return error_end(k);
    }
    // A width that is not positive takes the default, so the height stays finite.
    if (SWIDTH(1) <= 0.0f) SWIDTH(1) = DSWIDTH(1);
    if (SPANEL(1) == -1) {
        SHEIGHT(kPvSlot) = SAREAC(kPvSlot) / SWIDTH(kPvSlot);
    } else {
        SHEIGHT(kPvSlot) = area_cx_m2 / SWIDTH(1);
        SAREAC(kPvSlot) = area_cx_m2;
    }

    hourly_output(area_cx_m2);
    monthly_reduction(k, days);
    monthly_peaks();
    PVSYSPEAK = PVSYSPEAK / kWattHoursPerKwh;
    DBG_FLOAT("PVCALC Sumary(70,) kWh", SUMARY(70, k));
    DBG_FLOAT("PVCALC system peak kW", PVSYSPEAK);
    DBG_FLOAT("PVCALC mean monthly peak kWh", PVAVGPEAK);
    NFLAG(54) = PVAVGPEAK > 0.0f;
    if (!NFLAG(54)) DBG_PRINT("ERROR in PVCALC: nflag(54)");
}

}  // namespace

void design_scheme_without_array() {
    const INTEGER k = IDNUM1;
    if (k != 1 && k != 2) return;
    SQTY(kPvSlot) = 0.0f;
    write_example_array(true);
    solar_zone_rule(k, effective_year(k));
}

void PVCALC() {
    DBG_IN("PVCALC");
    const INTEGER k = IDNUM1;
    if (!has_scheme_column(k)) {
        // A combination number has no column of its own to size or fill.
        DBG_INT("PVCALC: no scheme column for idnum1", k);
        NFLAG(54) = false;
        DBG_OUT("PVCALC");
        return;
    }
    DBG_FLOAT("PVCALC strategy(7,)", STRATEGY(7, k));
    const REAL year = effective_year(k);
    SSYSNO = kPvSlot;
    NFLAG(54) = false;
    SUMARY(70, k) = 0.0f;
    PV.fill(0.0f);
    DBG_FLOAT("PVCALC sQty(1)", SQTY(kPvSlot));
    DBG_FLOAT("PVCALC strategy(50,)", STRATEGY(50, k));
    if (size_array(k, year)) {
        run_array(k);
    } else {
        no_pv_end(k);
    }
    DBG_OUT("PVCALC");
}

}  // namespace mavo
