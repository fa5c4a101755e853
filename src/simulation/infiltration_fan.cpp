// The first steps of the zone balance: the hour's infiltration, the
// temperature the zone floats to with infiltration alone, and the
// continuous fresh-air fan (or the fixed day and night ventilation of the
// ventilation test case) with its electricity.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/infiltration.h"
#include "physics/physics.h"
#include "simulation/schedules.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

constexpr REAL kFpmPerMph = 88.0f;
constexpr REAL kIn2PerFt2 = 144.0f;
// SLA is the leakage area per unit floor area, in parts per ten thousand.
constexpr REAL kSlaScale = 10000.0f;
// Wind-driven leakage of non-residential envelopes: cfm per ft2 of wall and
// window per mph, with the flow coefficient of the building type tables.
constexpr REAL kWallLeakage_cfm_ft2_mph = 0.0448f;
constexpr REAL kWallLeakageFlowCoefficient = 0.10016f;
constexpr REAL kWattsPerKilowatt = 1000.0f;

// Rows of the building type's tables: the infiltration schedule, and the
// fresh air per floor area among the type's defaults.
constexpr INTEGER kInfiltrationRow = 11;
constexpr INTEGER kFreshAirDefaultRow = 7;
// The ventilation test case ventilates at night: outside hours 7 to 17.
constexpr INTEGER kTestCaseDayFirstHour = 7;
constexpr INTEGER kTestCaseDayLastHour = 17;

// Fresh air of the building type, cfm per ft2 of floor; a type outside the
// table has no column of defaults.
REAL type_fresh_air_cfm_ft2() {
    return building_type_has_schedules() ? DVALUENR(kFreshAirDefaultRow, NTYPE) : 0.0f;
}

// Stories that drive the stack effect: a basement story (floor codes 10 and
// up, except the raised floor 16) does not count once there are two or more.
REAL stories_above_grade() {
    REAL stories = FLOORS;
    const REAL floor_code = scheme_choice_magnitude(33);
    if (FLOORS >= 2.0f && floor_code >= 10.0f && floor_code != 16.0f) stories -= 1.0f;
    return stories;
}

REAL non_residential_infiltration_ach(const Hour& z) {
    const REAL wind_mph = WINDFPM(z.IHOUR) / kFpmPerMph;
    REAL exposed_area_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 9; ++i) exposed_area_ft2 += AREA(i);
    const REAL flow_cfm = exposed_area_ft2 * kWallLeakage_cfm_ft2_mph * wind_mph * kWallLeakageFlowCoefficient;
    REAL fraction = schedule_value(kInfiltrationRow, z.IHOUR) / 100.0f;
    // Without heating or cooling nothing pressurises the building; the
    // hour's loads at the reference temperature judge the systems alike.
    if (neither_heated_nor_cooled()) fraction = 1.0f;
    return fraction * flow_cfm * kMinutesPerHour / above_grade_volume_ft3();
}

void fresh_air_fan(Hour& z) {
    if (!NFLAG(45)) {
        FACFM = NFLAG(24) ? type_fresh_air_cfm_ft2() * AREAT : dwelling_fresh_air_cfm(PEOPLE);
        z.AIRCHGFA = FACFM * kMinutesPerHour / VOLUME;
        if (wCFMiaq <= 0.0f) z.AIRCHGFA = 0.0f;  // no fan
    } else {
        z.AIRCHGFA = 0.0f;
    }
    z.AIRCHGOA = z.AIRCHGFA + z.AIRCHGINF + z.AIRCHGNV;
    z.Ginf = air_conductance_btuhF(above_grade_volume_ft3(), z.AIRCHGINF);
    z.Gfa = air_conductance_btuhF(VOLUME, z.AIRCHGFA);
    UAINF = z.Ginf + z.Gfa + air_conductance_btuhF(VOLUME, z.AIRCHGNV);

    const REAL t_module1_F = z.TEMPI;
    const REAL store_module1_btu = z.STOREI;
    const AirStreams air = outdoor_air_streams(z);
    const NodeTemperature t = node_temperature(z, air);
    if (t.settled) {
        settle_node_at(z, air, t.t_F);
        z.IAQOK = z.CONVERGED = true;
        z.TEMPIO = z.TEMPI;
        return;
    }
    z.TEMPI = t_module1_F;
    z.STOREI = store_module1_btu;
    z.TEMPIO = z.TEMPI;
    z.IAQOK = z.CONVERGED = false;
    const bool some_measure = scheme_choice_magnitude(25) > 1.0f || scheme_choice_magnitude(29) > 1.0f ||
                              scheme_choice_magnitude(18) > 1.0f || scheme_choice_magnitude(20) > 1.0f;
    const bool plausible = z.TEMPI <= COMHI + 5.0f && z.TEMPI >= -5.0f && some_measure;
    if (!(CYCLE > 24.0f || plausible)) {
        DBG_INT("NOT Converged: Module 2.0 IAQ fan ERROR", IWHEN);
        DBG_FLOAT("tempi IAQ Fan NOT converged 1418", t.t_F);
        DBG_FLOAT(" - tlast IAQ Fan NOT converged 1419", t_module1_F);
    }
}

// The ventilation test case: infiltration by day, the fan's full rate at
// night, no iteration (the air conditioner sees the night air).
void test_case_ventilation(Hour& z) {
    const bool day = z.IHOUR >= kTestCaseDayFirstHour && z.IHOUR <= kTestCaseDayLastHour;
    z.AIRCHGOA = day ? z.AIRCHGINF : ACHMAX;
    AIRCHG = z.AIRCHGOA;
    z.AIRCHGFA = z.AIRCHGOA - z.AIRCHGINF;
    z.Ginf = air_conductance_btuhF(above_grade_volume_ft3(), z.AIRCHGINF);
    z.Gfa = air_conductance_btuhF(VOLUME, z.AIRCHGFA);
    z.IAQOK = z.CONVERGED = true;
    z.TEMPIO = z.TEMPI;
    z.VENTED = false;
}

}  // namespace

StackWindCoefficients stack_wind_coefficients(REAL stories) {
    if (stories <= 1.0f) return {0.0158f, 0.0039f};
    if (stories == 2.0f) return {0.0313f, 0.0051f};
    if (stories >= 3.0f) return {0.0471f, 0.006f};
    return {0.0f, 0.0f};  // no table row between the whole story counts
}

REAL leakage_area_flow_cfm(REAL ela_in2, StackWindCoefficients c, REAL dt_F, REAL wind_mph) {
    return ela_in2 * std::sqrt(c.stack * std::fabs(dt_F) + c.wind * wind_mph * wind_mph);
}

void infiltration_of_the_hour(Hour& z) {
    if (NFLAG(45)) {
        z.AIRCHGINF = AirChgW;  // winter air changes fixed by the user
    } else if (!NFLAG(24)) {
        const REAL ela_in2 = SLA * AREAT * kIn2PerFt2 / kSlaScale;
        const REAL wind_mph = WINDFPM(z.IHOUR) / kFpmPerMph;
        const REAL flow_cfm =
            leakage_area_flow_cfm(ela_in2, stack_wind_coefficients(stories_above_grade()),
                                  TEMP(z.IHOUR) - TEMPIN, wind_mph) *
            SurfaceRatio;
        z.AIRCHGINF = flow_cfm * kMinutesPerHour / above_grade_volume_ft3();
    } else {
        z.AIRCHGINF = non_residential_infiltration_ach(z);
        FACFM = type_fresh_air_cfm_ft2() * AREAT;
        z.AIRCHGFA = FACFM * kMinutesPerHour / VOLUME;
    }
    AIRCHG = z.AIRCHGINF;
    AIRVOL(z.IHOUR, z.MONTH) = z.AIRCHGINF;
    UAINF = air_conductance_btuhF(above_grade_volume_ft3(), z.AIRCHGINF);
}

void temperature_with_infiltration_only(Hour& z) {
    AirStreams infiltration;
    infiltration.add(UAINF, TEMP(z.IHOUR));
    const NodeTemperature t = node_temperature(z, infiltration);
    if (t.settled) {
        settle_node_at(z, infiltration, t.t_F);
        return;
    }
    const REAL tlast_F = z.TEMPI;
    z.TEMPI = z.TEMPIO;  // the lower comfort limit at this point
    z.STOREI = STOREL;
    if (CYCLE >= 287.0f || CYCLE < 24.0f) {
        DBG_INT("iwhen NOT Converged in Module 1.1 RARE", IWHEN);
        DBG_FLOAT("  TLAST in TSTORE 1231", tlast_F);
        DBG_FLOAT("  TEMPI in TSTORE 1232", t.t_F);
    }
}

void fresh_air_fan_or_test_case_ventilation(Hour& z) {
    const REAL venting = scheme_choice(25);
    if (venting == 7.0f || venting == -7.0f) {
        test_case_ventilation(z);
    } else {
        fresh_air_fan(z);
    }
    z.KWHRIAQ = 0.0f;
    if (wCFMiaq > 0.0f) {
        const REAL cfm = VOLUME * z.AIRCHGFA / kMinutesPerHour;
        const REAL fan_kw = cfm * wCFMiaq / kWattsPerKilowatt;
        // Heat recovery needs a supply and an exhaust fan.
        z.KWHRIAQ = std::max(0.0f, IAQHeatRec > 0.0f ? 2.0f * fan_kw : fan_kw);
        IAQFanHrs += 1.0f;
    }
    if (in_trace_window()) {
        DBG_FLOAT("TSTORE AIRCHGINF", z.AIRCHGINF);
        DBG_FLOAT("TSTORE AIRCHGFA", z.AIRCHGFA);
        DBG_FLOAT("TSTORE TEMPI after the fresh-air fan", z.TEMPI);
        DBG_LOGICAL("TSTORE IAQOK", z.IAQOK);
    }
}

}  // namespace zone
}  // namespace mavo
