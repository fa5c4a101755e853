// INFILT: outdoor air entering the space in one hour, by leaks and by the
// ventilation system, and the sensible heat it brings. A house leaks
// through its effective leakage area under stack and wind pressure; a
// non-residential building leaks through its skin under wind, by its
// infiltration schedule, and gets the outside air of its building type.
#include "physics/infiltration.h"

#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/physics.h"
#include "support/numeric.h"

namespace mavo {
namespace {

// Sensible heat of air: 0.241 Btu/lb.F at 0.075 lb/ft3.
constexpr REAL kAirSpecificHeat_btu_per_lbF = 0.241f;
constexpr REAL kAirDensity_lb_per_ft3 = 0.075f;
constexpr REAL kMinutesPerHour = 60.0f;
constexpr REAL kFeetPerMinutePerMph = 88.0f;
constexpr REAL kSquareInchesPerSquareFoot = 144.0f;
// Specific leakage area is leakage area over floor area times 10000.
constexpr REAL kSpecificLeakageScale = 10000.0f;
// Residential fresh air: 0.01 cfm per ft2 of floor plus 7.5 cfm per person.
constexpr REAL kHouseVent_cfm_per_ft2 = 0.01f;
constexpr REAL kHouseVent_cfm_per_person = 7.5f;
// Above-grade volume of a house whose volume leaves nothing above grade, ft3.
constexpr REAL kMinimumAboveGradeVolume_ft3 = 0.99f;
// The basement story's walls rise this far above grade, ft.
constexpr REAL kBasementAboveGrade_ft = 2.0f;
// Measured-data runs of this kind and above bring their own air flows.
constexpr INTEGER kMeasuredAirFieldCode = 6;
// After each non-residential hour the labelled lines of the model get a
// window no hour stamp falls in (first stamp above the last).
constexpr INTEGER kTraceWindowFirst = 99980805;
constexpr INTEGER kTraceWindowLast = 80809;

struct ClassRow {
    INTEGER c;
    REAL sla;
    REAL ach50;
};
// Tightness classes of a house; there is no class 5.
constexpr ClassRow kTightnessClasses[] = {
    {1, 6.0f, 12.0f}, {2, 4.9f, 9.8f}, {3, 4.3f, 8.6f}, {4, 3.8f, 7.6f},
    {6, 2.5f, 5.0f},  {7, 2.0f, 4.0f}, {8, 1.5f, 3.0f}, {9, 0.3f, 0.6f},
};

// Air changes per hour of the hour: leaks (of the above-grade volume) and
// ventilation (of the whole volume).
struct AirChanges {
    REAL infiltration = 0.0f;
    REAL ventilation = 0.0f;
};

REAL scheme_code(INTEGER row) { return has_scheme_column(IDNUM1) ? STRATEGY(row, IDNUM1) : 0.0f; }

// Floor types (STRATEGY(33)) of 10 or more in magnitude other than 16 are
// houses over a basement.
bool over_basement() {
    const REAL magnitude = std::fabs(scheme_code(33));
    return magnitude >= 10.0f && magnitude != 16.0f;
}

// Air changes of `flow_cfm` through `volume_ft3`; no volume, no air change.
REAL air_changes_of(REAL flow_cfm, REAL volume_ft3) {
    return volume_ft3 > 0.0f ? flow_cfm * kMinutesPerHour / volume_ft3 : 0.0f;
}

AirChanges residential_air(INTEGER ihour) {
    AirChanges air;
    if (NFLAG(45)) {
        // Air changes fixed by the user: the leakage area plays no part and
        // stays the user's.
        air.infiltration = AirChgW;
        ACH50 = 2.0f * SLA;
    } else {
        settle_tightness_class();
        ACHNAT = ACH50 / natural_air_change_divisor(FLOORS);
        // A basement story leaks little: it does not count for the stack.
        REAL stories = FLOORS;
        if (over_basement() && FLOORS >= 2.0f) stories -= 1.0f;
        const REAL ela_in2 = effective_leakage_area_in2(SLA, AREAT);
        const REAL flow_cfm = leakage_area_flow_cfm(ela_in2, stack_wind_coefficients(stories),
                                                    TEMP(ihour) - TEMPIN, WINDFPM(ihour) / kFeetPerMinutePerMph);
        air.infiltration = air_changes_of(flow_cfm * SurfaceRatio, VOLUMEAG);
    }
    FACFM = kHouseVent_cfm_per_ft2 * AREAT + kHouseVent_cfm_per_person * PEOPLE;
    air.ventilation = air_changes_of(FACFM, VOLUME);
    // Without a fan or without occupants, the house gets its design air
    // changes and no ventilation.
    if (PEOPLE <= 0.0f || NFLAG(45) || wCFMiaq <= 0.0f) {
        air.ventilation = 0.0f;
        air.infiltration = AirChgW;
    }
    return air;
}

AirChanges nonresidential_air(INTEGER ihour) {
    AirChanges air;
    REAL fraction = static_cast<REAL>(SCHEDULES(ihour, schedule_rows::kInfiltration, NTYPE)) / 100.0f;
    // Read by their signs, a heat pump typed beside a cooler of the user's
    // (the save makes the pair user-defined) let the wind in all day from
    // the second run on: the peak cooling load moved after the first.
    if (neither_heated_nor_cooled()) fraction = 1.0f;
    REAL exterior_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 9; ++i) exterior_ft2 += AREA(i);
    const REAL wind_mph = WINDFPM(ihour) / kFeetPerMinutePerMph;
    air.infiltration = fraction * air_changes_of(envelope_wind_leakage_cfm(exterior_ft2, wind_mph), VOLUMEAG);
    FACFM = DVALUENR(7, NTYPE) * AREAT;
    air.ventilation = air_changes_of(FACFM, VOLUME);
    if (NFLAG(45)) {
        air.infiltration = AirChgW;
        if (PEOPLE <= 0.0f && wCFMiaq <= 0.0f) air.ventilation = 0.0f;
    }
    return air;
}

}  // namespace

// The above-grade volume, once per run (the scheme reader marks it
// negative): the basement story below its first 2 ft does not leak to the
// outside. A volume of zero would make every air change infinite, so it
// is recomputed as well.
void settle_above_grade_volume() {
    if (VOLUMEAG > 0.0f) return;
    DBG_FLOAT("INFILT VolumeAG 1st time through", VOLUMEAG);
    DBG_FLOAT("INFILT 1st time through Volume", VOLUME);
    REAL volume_ft3 = VOLUME;
    if (over_basement()) volume_ft3 -= (FLTOCE - kBasementAboveGrade_ft) * RAX;
    VOLUMEAG = volume_ft3 > 0.0f ? volume_ft3 : kMinimumAboveGradeVolume_ft3;
    DBG_FLOAT("  VolumeAG above grade fixed?", VOLUMEAG);
    REAL exterior_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 11; ++i) exterior_ft2 += AREA(i);
    DBG_FLOAT("INFILT external area", exterior_ft2);
}

// Settles the tightness of the house: a class leakage area takes the
// class's values and marks the code positive; a leakage area of the user's
// own is kept and marks the code negative. A code the user already marked
// as custom (-1 or below) keeps the user's leakage area even when it
// happens to equal a class value: it is not the class of the code's
// absolute value.
void settle_tightness_class() {
    const REAL code = scheme_code(24);
    const INTEGER c = int_toward_zero(std::fabs(code));
    const bool class_value = is_tightness_class_sla(SLA) && code > -1.0f;
    if (has_scheme_column(IDNUM1)) STRATEGY(24, IDNUM1) = class_value ? std::fabs(code) : -std::fabs(code);
    if (!class_value || !tightness_class(c, SLA, ACH50)) ACH50 = 2.0f * SLA;
}

StackWindCoefficients stack_wind_coefficients(REAL stories) {
    if (stories <= 1.0f) return {0.0158f, 0.0039f};
    if (stories == 2.0f) return {0.0313f, 0.0051f};
    if (stories >= 3.0f) return {0.0471f, 0.006f};
    return {};
}

REAL effective_leakage_area_in2(REAL sla, REAL floor_ft2) {
    return sla * floor_ft2 * kSquareInchesPerSquareFoot / kSpecificLeakageScale;
}

REAL leakage_area_flow_cfm(REAL ela_in2, StackWindCoefficients c, REAL indoor_outdoor_dT_F, REAL wind_mph) {
    return ela_in2 * std::sqrt(c.stack * std::fabs(indoor_outdoor_dT_F) + c.wind * wind_mph * wind_mph);
}

REAL envelope_wind_leakage_cfm(REAL exterior_ft2, REAL wind_mph) {
    return exterior_ft2 * 0.0448f * (wind_mph * 0.10016f);
}

bool tightness_class(INTEGER c, REAL& sla, REAL& ach50) {
    for (const ClassRow& row : kTightnessClasses) {
        if (row.c == c) {
            sla = row.sla;
            ach50 = row.ach50;
            return true;
        }
    }
    return false;
}

bool is_tightness_class_sla(REAL sla) {
    for (const ClassRow& row : kTightnessClasses)
        if (row.sla == sla) return true;
    return false;
}

REAL natural_air_change_divisor(REAL stories) {
    if (stories < 2.0f) return 23.0f;
    if (stories >= 3.0f) return 16.15f;
    return 18.4f;
}

bool neither_heated_nor_cooled() {
    return std::fabs(scheme_code(18)) <= 1.0f && std::fabs(scheme_code(20)) <= 1.0f;
}

void INFILT(INTEGER MONTH, INTEGER IHOUR) {
    if (NFLAG(36) && FIELDCODE >= kMeasuredAirFieldCode) return;
    if (MONTH < 1 || MONTH > 12 || IHOUR < 1 || IHOUR > 24) {
        DBG_INT("INFILT month out of range", MONTH);
        DBG_INT("INFILT hour out of range", IHOUR);
        return;
    }
    if (NFLAG(24) && (NTYPE < 1 || NTYPE > 20)) {
        DBG_INT("INFILT building type out of range, NTYPE", NTYPE);
        return;
    }
    settle_above_grade_volume();

    const AirChanges air = NFLAG(24) ? nonresidential_air(IHOUR) : residential_air(IHOUR);
    const REAL dT_F = TEMP(IHOUR) - TEMPIN;
    const REAL recovered = IAQHeatRec / 100.0f;
    HEAT(16, IHOUR, MONTH) =
        (1.0f - recovered) * air.ventilation * VOLUME * dT_F * kAirSpecificHeat_btu_per_lbF * kAirDensity_lb_per_ft3 +
        air.infiltration * VOLUMEAG * dT_F * kAirSpecificHeat_btu_per_lbF * kAirDensity_lb_per_ft3;
    AIRVOL(IHOUR, MONTH) = air.infiltration + air.ventilation;

    if (NFLAG(24)) {
        IWHEN1 = kTraceWindowFirst;
        IWHEN2 = kTraceWindowLast;
    }
}

}  // namespace mavo
