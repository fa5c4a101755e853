// TSTORE: the zone heat balance of one hour. Sets up the hour (set points,
// set-backs, air-movement allowances, the economizer's target), runs the
// control cascade step by step and leaves the hour to the end-of-hour
// accounting.
#include "simulation/zone_balance.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "project/revision.h"
#include "simulation/schedules.h"
#include "simulation/simulation.h"

namespace mavo {
namespace zone {
namespace {

// The zone balance's trace window: first stamp after the last one, so no
// hour falls in it.
constexpr INTEGER kTraceWindowFirst = 999999;
constexpr INTEGER kTraceWindowLast = 10318;

// Comfort allowance for air movement felt by occupants, F: low (class 2)
// and high (class 3) air-speed comfort choices.
constexpr REAL kLowAirSpeedAllowance_F = 4.6f;
constexpr REAL kHighAirSpeedAllowance_F = 6.6f;

// Residential night: hours before 8 and hour 24.
constexpr INTEGER kFirstDayHour = 8;

constexpr INTEGER kCapacityGuardError = 464;

// Rows of the building type's schedule table.
constexpr INTEGER kHeatingSetPointRow = 9;
constexpr INTEGER kCoolingSetPointRow = 10;

// Month whose climate stands for MONTH: the representative day's month in
// the 12-day run, MONTH itself in the 365-day run. A representative month
// never filled (0) falls back to MONTH instead of reading outside TMAX.
INTEGER climate_month(INTEGER month) {
    if (NFLAG(38)) return month;
    const INTEGER m = TMON(month);
    return (m >= 1 && m <= 12) ? m : month;
}

// The hour's set points: the comfort limits, or in non-residential mode the
// building type's heating and cooling rows. A type without schedule rows
// keeps the comfort limits, as CALCS keeps its thermostats then.
void set_points_of_hour(Hour& z) {
    z.SETLO = COMLOW;
    z.SETHI = COMHI;
    if (NFLAG(24) && building_type_has_schedules()) {
        z.SETLO = schedule_value(kHeatingSetPointRow, z.IHOUR);
        z.SETHI = schedule_value(kCoolingSetPointRow, z.IHOUR);
    }
}

// Raised comfort limit for occupants who feel moving air, and the
// residential set-backs and set-ups of night and empty hours.
void comfort_and_set_backs(Hour& z) {
    const bool occupied_building = PEOPLE > 0.0f;
    const bool occupied_hour = occupied_building && OCCPROF(z.IHOUR) > 0.0f;
    z.COMHIV = COMHI;
    if (occupied_hour && ECMOTD <= z.TAVG) {
        const REAL air_speed_class = std::fabs(air_speed_class_in_force());
        if (air_speed_class == 2.0f) z.COMHIV = COMHI + kLowAirSpeedAllowance_F;
        if (air_speed_class == 3.0f) z.COMHIV = COMHI + kHighAirSpeedAllowance_F;
    }
    z.SETHIV = z.COMHIV;
    if (!NFLAG(24)) {
        const bool night = z.IHOUR < kFirstDayHour || z.IHOUR == 24;
        if (night && occupied_hour) z.SETLO = std::min(z.SETLO, SETBKN);
        if (occupied_building && !(OCCPROF(z.IHOUR) > 0.0f)) {
            z.SETLO = std::min(z.SETLO, SETBKU);
            z.SETHI = std::max(z.SETHI, SETUPU);
        }
        if (!occupied_building) {
            z.SETLO = SETBKU;
            z.SETHI = std::max(z.SETHI, SETUPU);
        }
    }
    z.SETHIV = std::max(z.SETHI, z.SETHIV);
}

// Set-up of the hour shared by every step. Returns false when the zone has
// no heat capacity to balance (or no air volume to turn air changes into
// flows): the hour is an error then.
bool set_up_hour(Hour& z) {
    IWHEN1 = kTraceWindowFirst;
    IWHEN2 = kTraceWindowLast;
    set_points_of_hour(z);

    z.HEAT16 = HEAT(16, z.IHOUR, z.MONTH);
    z.HEAT17 = HEAT(17, z.IHOUR, z.MONTH);
    z.TEMPI = z.TLAST = z.RTEMP = TEMPIN;
    z.TEMPIHOUR = z.EVAPTEMP = TEMP(z.IHOUR);
    if (!NFLAG(38)) EFFTEMP(z.IHOUR, z.MONTH) = 0.0f;

    const REAL venting = scheme_choice(25);
    z.CFMMAXWHFAN = (venting == 5.0f || venting == 6.0f) ? ACHMAX * VOLUME / kMinutesPerHour : 0.0f;
    z.CFMMAXNV = 0.0f;

    if (CYCLE > 23.0f) {
        // Warm-up: the year's fan energies and fan hours count only the
        // hours after it.
        AtticFanHrs = KWHVENTYR = KWHCEILYR = KWHHVACYR = KWHIAQYR = 0.0f;
        KWHATTICYR = KWHLEAKYR = WHfanHrs = 0.0f;
        CeilFanHrs = IAQFanHrs = NatVentHrs = EvapCoolHrs = 0.0f;
    }

    const INTEGER m = climate_month(z.MONTH);
    z.TAVG = (TMAX(m) + TMIN(m)) / 2.0f;
    z.TAIRIN = VOLUME * kAirHeatCapacity_btu_ft3F;
    UAINF = AIRCHG * z.TAIRIN;

    // The node needs a heat capacity to store into; its temperature is the
    // stored heat divided by TMASS + TAIRIN, and every air change becomes a
    // flow through VOLUME.
    if (!(TMASS * SURFA + AIRCHG * z.TAIRIN > 0.0f) || !(TMASS + z.TAIRIN > 0.0f) || !(VOLUME > 0.0f))
        return false;
    z.VENTED = PEOPLE > 0.0f || (NFLAG(36) && FIELDCODE == 5);

    ECMOTD = COMLOW;
    comfort_and_set_backs(z);

    // The economizer aims at mid-band; in a month whose mean reaches the
    // economizer temperature, at no more than 2 F above the lower limit (in
    // a cooler month the cap sits just under the upper limit, or under the
    // set-up of an empty house).
    REAL limit_F = COMLOW + 2.0f;
    if (z.TAVG < ECMOTD) limit_F = (PEOPLE > 0.0f ? COMHI : z.SETHI) - 0.4f;
    z.TARGET = std::min((COMHI + COMLOW) / 2.0f, limit_F);

    const REAL capacity_btuF = TMASS + z.TAIRIN;
    z.STOMIN = (z.SETLO - z.RTEMP) * capacity_btuF;
    z.STOMAX = (z.SETHI - z.RTEMP) * capacity_btuF;

    z.TEMPIO = COMLOW;
    z.days_averaged = (NFLAG(38) && !NFLAG(36)) ? static_cast<REAL>(MODAYS(z.MONTH)) : 1.0f;
    return true;
}

// 3.0: the hour after the fresh-air step is comfortable, needs the furnace,
// or is offered to the passive measures.
Step choose_measures(Hour& z, REAL& t_choice_F) {
    t_choice_F = z.TEMPI;
    if (z.IAQOK && t_choice_F <= z.SETLO) return Step::Furnace;
    if (z.IAQOK && t_choice_F > z.SETLO && t_choice_F <= z.SETHI) return Step::EndOfHour;
    if (std::fabs(natural_ventilation_in_force()) > 1.0f) return Step::NaturalVentilation;
    return Step::EvaporativeCooler;
}

// Order of the cascade after the fresh-air step.
Step first_step_after_fresh_air() {
    if (NFLAG(36) && FIELDCODE == 5) return Step::EndOfHour;  // measured data: as the fan step left it
    const REAL venting = scheme_choice(25);
    const bool test_case_ventilation = venting == 7.0f || venting == -7.0f;
    const bool no_venting_measure = std::fabs(venting) <= 1.0f && std::fabs(natural_ventilation_in_force()) <= 1.0f;
    if (test_case_ventilation || no_venting_measure) return Step::AirConditioning;
    return Step::Choice;
}

void run_cascade(Hour& z, Step step) {
    REAL t_choice_F = z.TEMPI;
    while (step != Step::EndOfHour) {
        switch (step) {
            case Step::Choice: step = choose_measures(z, t_choice_F); break;
            case Step::NaturalVentilation:
                step = natural_ventilation(z, t_choice_F);
                break;
            case Step::EvaporativeCooler: step = evaporative_cooler(z); break;
            case Step::Economizer: step = economizer_or_whole_house_fan(z); break;
            case Step::CeilingFans: step = ceiling_fans(z); break;
            case Step::AirConditioning: step = air_conditioning(z); break;
            case Step::Furnace: step = furnace(z); break;
            case Step::EndOfHour: break;
        }
    }
}

bool night_ventilation_test_case() { return scheme_choice_magnitude(25) == 7.0f; }

}  // namespace

REAL air_speed_class_in_force() {
    if (night_ventilation_test_case() && IDNUM1 >= 2) return 1.0f;
    return scheme_choice(28);
}

REAL natural_ventilation_in_force() {
    if (night_ventilation_test_case()) return natural_ventilation_class(10.0f);
    return scheme_choice(29);
}

AirStreams outdoor_air_streams(const Hour& z) {
    const REAL t_out_F = TEMP(z.IHOUR);
    AirStreams s;
    s.add(z.Ginf, t_out_F);
    s.add((1.0f - IAQHeatRec / 100.0f) * z.Gfa, t_out_F);
    s.add(air_conductance_btuhF(VOLUME, z.AIRCHGNV), t_out_F);
    return s;
}

NodeBalance node_balance(const Hour& z, const AirStreams& streams) {
    NodeBalance b;
    const REAL8 r_F = z.RTEMP;
    b.coefficient_btuhF = static_cast<REAL8>(TMASS) + 2.0 * z.TAIRIN + CLC + streams.conductance_btuhF;
    b.net_btuh = streams.inflow_btuh - streams.conductance_btuhF * r_F + static_cast<REAL8>(z.HEAT17) - z.HEAT16 +
                 STOREL;
    return b;
}

NodeTemperature node_temperature(const Hour& z, const AirStreams& streams) {
    const NodeBalance b = node_balance(z, streams);
    NodeTemperature t;
    // Capacity and losses together must be positive for the zone to have a
    // temperature at all.
    if (!(b.coefficient_btuhF > 0.0)) return t;
    const REAL8 t_F = z.RTEMP + b.net_btuh / b.coefficient_btuhF;
    t.t_F = static_cast<REAL>(t_F);
    t.settled = std::isfinite(t_F) && t_F < kRunaway_F && t_F > -kRunaway_F;
    return t;
}

REAL8 conductance_settling_at(const Hour& z, const NodeBalance& without, REAL t_in_F, REAL t_F) {
    const REAL8 rise_F = static_cast<REAL8>(t_F) - z.RTEMP;
    return (rise_F * without.coefficient_btuhF - without.net_btuh) / (static_cast<REAL8>(t_in_F) - t_F);
}

void settle_node_at(Hour& z, const AirStreams& streams, REAL t_F) {
    const REAL rise_F = t_F - z.RTEMP;
    z.TLAST = z.TEMPI = t_F;
    z.ADDEDC = CLC * rise_F;
    z.ADDEDV = static_cast<REAL>(z.TAIRIN * rise_F + streams.conductance_btuhF * t_F - streams.inflow_btuh +
                                 z.HEAT16);
    z.STOREI = rise_F * (TMASS + z.TAIRIN);
}

void fail_the_hour(const Hour& z, INTEGER code) {
    NFLAG(15) = false;
    if (CYCLE <= 24.0f) {
        DBG_INT("iwhen if ERROR in TSTORE 4555", IWHEN);
        DBG_INT("ERROR TSTORE at line: NFLAG(15)=False", code);
        DBG_FLOAT("  TEMPI at end of tstore 4555", z.TEMPI);
    }
}

}  // namespace zone

void TSTORE(INTEGER MONTH, INTEGER IHOUR, INTEGER IDAY, INTEGER& NNOTCONV) {
    // NNOTCONV belongs to CALCS; an hour in which nothing settled is an
    // error here (NFLAG(15)), not a count.
    static_cast<void>(NNOTCONV);
    zone::Hour z{};
    z.MONTH = MONTH;
    z.IHOUR = IHOUR;
    z.IDAY = IDAY;
    if (!zone::set_up_hour(z)) {
        zone::fail_the_hour(z, zone::kCapacityGuardError);
        return;
    }
    if (zone::in_trace_window()) {
        DBG_IN("TSTORE");
        DBG_INT("TSTORE iwhen", IWHEN);
        DBG_FLOAT("TSTORE SETLO", z.SETLO);
        DBG_FLOAT("TSTORE SETHI", z.SETHI);
        DBG_FLOAT("TSTORE SETHIV", z.SETHIV);
        DBG_FLOAT("TSTORE TARGET", z.TARGET);
        DBG_FLOAT("TSTORE HEAT(17)", z.HEAT17);
        DBG_FLOAT("TSTORE STOREL", STOREL);
    }

    zone::infiltration_of_the_hour(z);
    zone::temperature_with_infiltration_only(z);
    zone::fresh_air_fan_or_test_case_ventilation(z);
    const zone::Step first = zone::first_step_after_fresh_air();
    if (!(NFLAG(36) && FIELDCODE == 5)) AIRVOL(IHOUR, MONTH) = z.AIRCHGOA;
    zone::run_cascade(z, first);
    zone::end_of_hour(z);

    if (zone::in_trace_window()) {
        DBG_FLOAT("TSTORE TEMPIN", TEMPIN);
        DBG_FLOAT("TSTORE HVACLD", HVACLD(IHOUR, MONTH));
        DBG_OUT("TSTORE");
    }
}

}  // namespace mavo
