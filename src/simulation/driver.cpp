// CALCS: the simulation of the current scheme over its year. The set-up
// checks the building, the weather and the fuels and prepares the result
// arrays; the year runs month by month, day by day and hour by hour, the
// first day twelve times over before results count; the end-of-year
// sequence turns the hours into bills, summaries and saved files.
#include "simulation/driver.h"

#include <cmath>
#include <initializer_list>
#include <memory>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/physics.h"
#include "physics/sol_air.h"
#include "physics/solar_geometry.h"
#include "renewables/pv/pv.h"
#include "results/bills.h"
#include "results/design_loads.h"
#include "results/emissions.h"
#include "results/result_columns.h"
#include "results/zone_constants.h"
#include "simulation/average_day.h"
#include "simulation/end_of_year.h"
#include "simulation/equipment.h"
#include "simulation/lighting.h"
#include "simulation/occupants.h"
#include "simulation/schedules.h"
#include "simulation/simulation.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kWarmUpHours = 288.0f;  // the first day run twelve times
constexpr REAL kWarmUpOver = -2.0f;
constexpr REAL kCountedBelow = 24.0f;  // hours simulated with CYCLE below it count
constexpr INTEGER kHeatingSetPointRow = 9;
constexpr INTEGER kCoolingSetPointRow = 10;
constexpr INTEGER kOccupancyRow = 1;
constexpr REAL kPercent = 100.0f;
constexpr BLK32_t kFreshDaySchedules{};  // the block as loaded: the fixed residential profiles
constexpr REAL kMultiZoneCombination = 2.0f;

REAL scheme_value(INTEGER row) { return has_scheme_column(IDNUM1) ? STRATEGY(row, IDNUM1) : 0.0f; }

bool is_one_of(REAL v, std::initializer_list<REAL> codes) {
    for (REAL c : codes)
        if (v == c) return true;
    return false;
}

// Set-up -----------------------------------------------------------------------

void trace_entry() {
    DBG_IN("CALCS");
    if (!NFLAG(90)) return;
    DBG_INT("CALCS idnum1", IDNUM1);
    DBG_FLOAT("CALCS cycle", CYCLE);
    DBG_LOGICAL("nflag(35) plot measured data only", NFLAG(35));
    DBG_LOGICAL("nflag(36) measured data", NFLAG(36));
    DBG_LOGICAL("nflag(37) CEC text weather file", NFLAG(37));
    DBG_LOGICAL("nflag(38) 365 day run", NFLAG(38));
    DBG_INT("CALCS fieldcode", FIELDCODE);
    DBG_INT("CALCS nmulti", NMULTI);
}

// Non-residential thermostats from the building type's set-point rows: the
// heating set point its highest value, the set-backs its lowest; the
// cooling set point the lowest cooling value, the set-up its highest.
void thermostats_from_schedules() {
    if (!building_type_has_schedules()) {
        DBG_INT("ERROR NTYPE not 1-20, thermostats kept CALCS", NTYPE);
        return;
    }
    REAL heat_max = -99.0f, heat_min = 199.0f, cool_max = -99.0f, cool_min = 199.0f;
    for (INTEGER h = 1; h <= 24; ++h) {
        const REAL heat_F = schedule_value(kHeatingSetPointRow, h);
        const REAL cool_F = schedule_value(kCoolingSetPointRow, h);
        heat_max = std::fmax(heat_max, heat_F);
        heat_min = std::fmin(heat_min, heat_F);
        cool_max = std::fmax(cool_max, cool_F);
        cool_min = std::fmin(cool_min, cool_F);
    }
    COMLOW = heat_max;
    SETBKN = heat_min;
    SETBKU = heat_min;
    COMHI = cool_min;
    SETUPU = cool_max;
    DBG_FLOAT("COMLOW 296 Calcs based on Schedules", COMLOW);
    DBG_FLOAT("SETBKN 296 Calcs based on Schedules", SETBKN);
    DBG_FLOAT("SETBKU 296 Calcs based on Schedules", SETBKU);
    DBG_FLOAT("COMHI 296 Calcs based on Schedules", COMHI);
    DBG_FLOAT("SETUPU 296 Calcs based on Schedules", SETUPU);
}

// The occupant fraction of each hour: the fixed profile of a home, or the
// building type's occupancy row, which PERSNS also writes on the first day
// of each month but only after the glazing and the equipment of that hour
// have read it. No file carries the profile: each run sets it for its mode.
void occupant_profile() {
    if (!NFLAG(24)) {
        OCCPROF = kFreshDaySchedules.OCCPROF;
        return;
    }
    for (INTEGER h = 1; h <= 24; ++h) OCCPROF(h) = schedule_value(kOccupancyRow, h) / kPercent;
}

// The run's extremes and sums start afresh: they describe this year of
// this scheme.
void reset_run_extremes() {
    TempPeakLow = 200.0f;
    TempPeakHigh = -200.0f;
    TEMPINMEAN = 0.0f;
    NTEMPINMEAN = 0;
    HVACPEAKMAX = 0.0f;
    HVACPEAKMIN = 0.0f;
    // An extreme that no hour reaches (no heating or no cooling at all, or
    // no hour simulated) has no month, day or hour either.
    BLK6.TempPeakLowMon = BLK6.TempPeakLowDay = BLK6.TempPeakLowHr = 0;
    BLK6.TempPeakHighMon = BLK6.TempPeakHighDay = BLK6.TempPeakHighHr = 0;
    BLK6.HVACPEAKMINMON = BLK6.HVACPEAKMINDAY = BLK6.HVACPEAKMINHR = 0;
    BLK6.HVACPEAKMAXMON = BLK6.HVACPEAKMAXDAY = BLK6.HVACPEAKMAXHR = 0;
    // The photovoltaic month sums of the bill: COST adds this year's hours
    // to them, so they start at zero for every simulation.
    PVKWH = {};
    PVDEMAND = {};
    PVCOST = {};
    AtticFanHrs = 0.0f;
    TEMPIN = 70.0f;
    TLASTHR = COMLOW;
    NFLAG(33) = false;
    NFLAG(63) = false;
}

// The host supplied a shading table when any line is less than fully sunlit
// in any hour from 6 on.
bool host_shading_table() {
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 6; h <= 24; ++h)
            for (INTEGER j = 1; j <= 25; ++j)
                if (SUNLIT(j, h, m) < 1.0f) return true;
    return false;
}

// Inputs that cannot be right are traced; nothing is changed.
void trace_input_errors() {
    if ((WHTYPE > 0 || WHTYPE == -1) &&
        (WHEF <= 0.0f || SEF(2) <= 0.0f || SAINPUTRATE(2) <= 0.0f || STHERMEFF(2) <= 0.0f))
        DBG_INT("WHtype Water Heater data input error", WHTYPE);
    if (SQTY(2) > 0.0f && (SAREAC(2) <= 0.0f || SFRTA(2) <= 0.0f || SFRTA(2) > 1.0f || SSVTANK(2) <= 0.0f ||
                           SGPD(2) <= 0.0f || STILT(2) < 0.0f || STILT(2) > 90.0f))
        DBG_FLOAT("Solar Hot Water Design input error: sQty(2) x", SQTY(2));
}

bool exactly_one_glazing_facade() {
    INTEGER glazed = 0;
    for (INTEGER i = 1; i <= 5; ++i)
        if (AREA(i) > 0.0f) ++glazed;
    return glazed == 1;
}

// A heating system whose efficiency is a furnace's AFUE (a fraction) burns
// fuel, whatever its code: the bills and the peaks go by the efficiency. A
// code the user changed (a heat pump with a plain air conditioner, say)
// keeps the efficiency its input file held. Codes 0 and 1 heat nothing.
bool heating_burns_fuel() {
    return std::fabs(scheme_value(18)) > 1.0f && COPHT > 0.0f && COPHT < 1.0f;
}

// Fuels of the site against the furnace and the water heater: true when
// they cannot go together. A site with electricity only cannot burn fuel in
// a furnace or a fuel-fired water heater; a natural-gas site has no propane
// or oil water heater; a propane or oil site has no natural-gas one.
//
// Gas appliances are judged hour by hour from the totals the equipment
// model has made for this site (see the hourly test): the totals the input
// file carries are those of the scheme's last run, perhaps at another site,
// and would keep failing a scheme moved to an all-electric site.
bool fuels_incompatible() {
    const REAL f = FUELTYPE;
    const REAL furnace = scheme_value(18);
    bool incompatible = false;
    if (f == 4.0f) {
        incompatible = (furnace > 1.0f && furnace < 6.0f) || (furnace > -6.0f && furnace < -1.0f) ||
                       heating_burns_fuel() || WHTYPE == 1 || WHTYPE == 3 || WHTYPE == 4 || WHTYPE == 5;
    }
    if (f <= 1.0f || f == 10.0f) {
        if (WHTYPE == 3 || WHTYPE == 4) incompatible = true;
    } else if (f == 2.0f) {
        if (WHTYPE <= 1 || WHTYPE == 4 || WHTYPE == 5) incompatible = true;
    } else if (f == 3.0f) {
        if (WHTYPE <= 1 || WHTYPE == 3 || WHTYPE == 5) incompatible = true;
    }
    return incompatible;
}

// The base schemes (1 and 2, and the default scheme) run a gas storage
// water heater without solar whatever heater their input file holds (a
// typed one, or one a copy brought): the solar water-heating step puts it
// in after the year, so the fuel check judges that heater too. It judged
// the file's: an electric heater typed into scheme 1 at an oil site let the
// first run simulate (billing the gas heater) and every later run fail the
// check with the gas heater its save kept.
void base_scheme_water_heater() {
    if (IDNUM1 < 3) WHTYPE = 1;
}

}  // namespace

void take_inputs_as_the_run_does() {
    base_scheme_water_heater();
    design_scheme_equipment_loads();
    design_scheme_without_array();
    design_scheme_fuel_prices();
    choose_emission_rows();
}

namespace {

// Sites whose fuel cannot serve gas appliances. A propane site runs its
// appliances on propane and is billed for it.
bool site_without_appliance_gas() { return is_one_of(FUELTYPE, {4.0f, 6.0f, 7.0f}); }

void set_run_flags() {
    for (INTEGER i = 13; i <= 21; ++i) NFLAG(i) = true;
    NFLAG(23) = true;
    for (INTEGER i = 25; i <= 28; ++i) NFLAG(i) = true;
}

void zero_year_results() {
    HEAT.fill(0.0f);
    for (auto* a : {&OATEMP, &STORED, &AIRVOL, &HVACLD, &KWHRFA, &WHENER, &EQKWHR, &EQFUEL, &PV, &SHW, &IATEMP,
                    &IAVEL, &EFFTEMP, &WINDVEL, &TEMPKWHR, &TEMPFUEL, &FREEZHRS})
        a->fill(0.0f);
    HEATAC.fill(0.0f);
    if (is_result_column(IDNUM1))
        for (INTEGER r = 67; r <= 70; ++r) SUMARY(r, IDNUM1) = 0.0f;
    HEATLOSS.fill(0.0f);
    HEATGAIN.fill(0.0f);
    APPGAS1 = RAELECT = DAGAS = APPELEC4 = EAELECT = 0.0f;
    APPGAS1D = RAELECTD = DAGASD = APPELEC4D = EAELECTD = 0.0f;
    EHOODSD = EHOODLD = ELEVD = 0.0f;
    EHOODS = EHOODL = ELEVATOR = 0.0f;
}

// The year ---------------------------------------------------------------------

void trace_incompatible_appliances() {
    DBG_PRINT("ERROR nflag(68)=T=NG incompatible fuel");
    DBG_INT("WHTYPE", WHTYPE);
    DBG_FLOAT("FUELTYPE", FUELTYPE);
    DBG_FLOAT("strategy(18) furnace", scheme_value(18));
    DBG_FLOAT("APPGAS1", APPGAS1);
    DBG_FLOAT("RAELECT", RAELECT);
    DBG_FLOAT("DAGAS", DAGAS);
    DBG_FLOAT("APPELEC4", APPELEC4);
    DBG_FLOAT("EAELECT", EAELECT);
    DBG_FLOAT("EAELECTD", EAELECTD);
}

// One simulated hour. False when the fuels turned out incompatible: the
// year stops.
bool simulate_hour(SimulationRun& run, INTEGER m, INTEGER d, INTEGER h, INTEGER days_in_month) {
    IWHEN = NFLAG(38) ? m * 10000 + d * 100 + h : TMON(m) * 10000 + TDAY(m) * 100 + h;
    // Every envelope flow of the hour is first computed against the lower
    // comfort limit; the zone balance finds the hour's own temperature.
    TEMPIN = COMLOW;
    for (INTEGER c = 1; c <= 5; ++c) HEAT(c, h, m) = 0.0f;
    GLAZED(m, h);
    OPAQUE(m, h);
    const bool measured = NFLAG(36);
    if (!(measured && FIELDCODE < 4)) LITES(m, h);
    if (!(measured && FIELDCODE < 1)) EQUIPT(m, h);
    if (site_without_appliance_gas() && appliance_gas_recorded()) NFLAG(68) = true;
    if (NFLAG(68)) {
        trace_incompatible_appliances();
        return false;
    }
    if (!(measured && FIELDCODE < 4)) {
        if (d == 1) PERSNS(m, h);
        if (FIELDCODE < 5) INFILT(m, h);
    } else {
        INFILT(m, h);
    }
    TOTALS(m, h);
    if (FIELDCODE < 7) TSTORE(m, h, d, run.NNOTCONV);

    if (CYCLE <= 23.0f) {
        const REAL hvac_btuh = HVACLD(h, m);
        if (hvac_btuh < 0.0f) run.heating_sum_btuh = run.heating_sum_btuh + hvac_btuh;
        if (hvac_btuh > 0.0f) run.cooling_sum_btuh = run.cooling_sum_btuh + hvac_btuh;
    }
    if (CYCLE >= kCountedBelow) WHENER(h, m) = 0.0f;
    if (CYCLE < kCountedBelow) {
        if (NFLAG(38)) {
            add_hour_to_average_day(m, h, days_in_month);
        } else {
            OATEMP(h, m) = TEMP(h);
            IATEMP(h, m) = TEMPIN;
        }
    }
    return true;
}

// The 24 hours of one day; the first simulated day runs its hours twelve
// times while the warm-up counter counts down. False when the year stops.
bool simulate_day(SimulationRun& run, INTEGER m, INTEGER d, INTEGER days_in_month) {
    INTEGER h = 1;
    while (h <= 24) {
        INTEGER hour = h;
        do {
            if (CYCLE < -1.0f) {
                hour = h;
                CYCLE = kWarmUpOver;
            } else {
                CYCLE = CYCLE - 1.0f;
                if (CYCLE < 0.0f) {
                    // Less than an hour of warm-up was left: the day runs on.
                    hour = h;
                    CYCLE = kWarmUpOver;
                } else {
                    hour = warm_up_hour(CYCLE);
                }
            }
            if (!simulate_hour(run, m, d, hour, days_in_month)) return false;
        } while (CYCLE > 1.0f);
        CYCLE = kWarmUpOver;
        h = hour + 1;
    }
    return true;
}

// A month left out of the run still has its days in the weather file: all
// of the month in a 365-day run, its one representative day in a twelve-day
// run. They are read past, so that the months after it run on their own
// records and the year of hourly weather (BLK51) that the photovoltaic and
// solar-water models read holds them too. Nothing of the month is simulated
// and its slot gains no wind or frost hours; the day number of the year
// moves on. False when the file ends or cannot be read (the year stops as
// for a simulated day).
bool read_past_month(SimulationRun& run, INTEGER m, INTEGER days) {
    FArray<REAL, 24> wind_kept{}, frost_kept{};
    for (INTEGER h = 1; h <= 24; ++h) {
        wind_kept(h) = WINDVEL(h, m);
        frost_kept(h) = FREEZHRS(h, m);
    }
    for (INTEGER d = 1; d <= days; ++d) {
        ++DAYCOUNT;
        if (!read_weather_day(run.weather, m, d, days)) return false;
    }
    for (INTEGER h = 1; h <= 24; ++h) {
        WINDVEL(h, m) = wind_kept(h);
        FREEZHRS(h, m) = frost_kept(h);
    }
    return true;
}

// The months, days and hours. The next step of the end-of-year sequence.
YearEnd simulate_year(SimulationRun& run) {
    // Measured data come without weather records: nothing to read past.
    const bool measured = NFLAG(36);
    const bool every_day = NFLAG(38) && !measured;
    for (INTEGER m = 1; m <= 12; ++m) {
        const INTEGER days = every_day ? MODAYS(m) : 1;
        if (DAYFLAG(m) < 0) {
            if (!measured && !read_past_month(run, m, days)) return YearEnd::transfer;
            continue;
        }
        for (INTEGER d = 1; d <= days; ++d) {
            ++DAYCOUNT;
            if (!read_weather_day(run.weather, m, d, days)) return YearEnd::transfer;
            ++run.days_simulated;
            if (NFLAG(35)) continue;
            SUN(m);
            SCHEDS(m);
            if (!simulate_day(run, m, d, days)) return YearEnd::result_test;
        }
        if (NFLAG(38) && !NFLAG(35) && !NFLAG(36)) close_average_day(m, days);
    }
    return YearEnd::renewables;
}

// Set-up steps 1 to 13. The step of the end-of-year sequence to go to, or
// renewables when the year is to be simulated.
YearEnd set_up(SimulationRun& run) {
    trace_entry();
    NFLAG(67) = false;
    ++NCALCS;
    DAYCOUNT = NFLAG(38) ? 0 : SKPDAY;
    if (!std::isfinite(CYCLE) || CYCLE > kWarmUpHours) {
        // The warm-up never runs longer than twelve days.
        DBG_FLOAT("ERROR CALCS warm-up counter out of range, 288 used", CYCLE);
        CYCLE = kWarmUpHours;
    }
    if (NFLAG(24)) thermostats_from_schedules();
    occupant_profile();
    reset_run_extremes();

    if (AREAT <= 0.0f || RAX <= 0.0f) {
        DBG_FLOAT("ERROR CALCS no floor or roof area: areat", AREAT);
        NFLAG(51) = false;
        return YearEnd::result_test;
    }
    KWHRattic = 0.0f;
    NFLAG(77) = host_shading_table();
    trace_input_errors();
    // The zone constants and the envelope's surface ratio are the loaded
    // building's, also for a run without climate data: the design loads its
    // failure path saves take the ratio.
    CALC_CLC();
    if (!NFLAG(80)) return YearEnd::save;

    forget_sol_air_days();
    TEMPS.fill(0.0f);
    if (scheme_value(26) >= kMultiZoneCombination) return YearEnd::cost;
    settle_winter_design_air_changes();

    NFLAG(10) = exactly_one_glazing_facade();
    take_inputs_as_the_run_does();
    NFLAG(68) = fuels_incompatible();
    if (NFLAG(68)) {
        DBG_PRINT("ERROR nflag(68)=T=NG incompatible fuel 555");
        if (FUELTYPE == 4.0f && heating_burns_fuel())
            DBG_FLOAT("ERROR heating efficiency is a fuel furnace AFUE at an all-electric site: COPHT", COPHT);
        return YearEnd::result_test;
    }
    DBG_PRINT(" nflag(68)=F=OK compatible fuel CALCS 555");
    set_run_flags();
    zero_year_results();
    start_weather_reading(run.weather);
    run.saved_heating_code = scheme_value(18);
    run.saved_cooling_code = scheme_value(20);
    run.systems_saved = true;
    return YearEnd::renewables;
}

}  // namespace

INTEGER warm_up_hour(REAL cycle) {
    const INTEGER whole_hours_left = int_toward_zero(cycle);
    if (whole_hours_left < 0) return 24;
    return 24 - whole_hours_left % 24;
}

void CALCS() {
    SimulationRun run;
    YearEnd next = set_up(run);
    if (next == YearEnd::renewables) next = simulate_year(run);
    finish_year(next, run);
    DBG_OUT("CALCS");
}

}  // namespace mavo
