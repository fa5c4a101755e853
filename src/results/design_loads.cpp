// ASHRAE: the steady-state design heat loss at the heating design
// temperature (conduction through every envelope item, basement bands
// against ground temperatures, design infiltration), and the peak cooling
// load completed with its latent part. Valid only for 365-day runs, whose
// design-day peaks are real hours of the weather year.
#include "results/design_loads.h"

#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/infiltration.h"
#include "results/result_columns.h"

namespace mavo {
namespace {

// Ground temperatures by CEC climate zone, F: row 1 beside the basement
// wall 2 to 6 ft below grade, row 2 under the basement floor and beside the
// deepest band.
constexpr FArray<REAL, 2, 16> DESIGNTEMP = {
    51.4f, 53.9f, 51.4f, 57.5f, 54.0f, 57.7f, 53.9f, 59.1f, 54.7f, 57.9f, 58.0f, 61.6f,
    59.0f, 62.6f, 58.7f, 63.0f, 59.0f, 63.8f, 57.4f, 63.8f, 52.2f, 61.0f, 52.3f, 59.7f,
    54.5f, 64.0f, 51.0f, 61.5f, 63.8f, 73.6f, 41.6f, 50.5f,
};
constexpr INTEGER kFallbackZone = 9;  // the zone the kernel assumes for a site outside California's 16

constexpr REAL kAirCpBtuPerLbF = 0.241f;
constexpr REAL kAirDensityLbPerFt3 = 0.075f;
constexpr REAL kMinutesPerHour = 60.0f;
constexpr REAL kDesignWindMph = 15.0f;  // wind of the winter design condition

bool has_basement(REAL floor_code_magnitude) {
    return !(floor_code_magnitude < 10.0f || floor_code_magnitude == 16.0f);
}

REAL envelope_losses(REAL dT_F, REAL floor_code_magnitude, INTEGER zone) {
    REAL loss_btuh = 0.0f;
    for (INTEGER i = 1; i <= 10; ++i) {
        HEATLOSS(i) = AREA(i) * UVAL(i) * dT_F;
        loss_btuh += HEATLOSS(i);
    }
    if (!has_basement(floor_code_magnitude)) {
        HEATLOSS(11) = AREA(11) * UVAL(11) * dT_F;
        HEATLOSS(12) = AREA(12) * UVAL(12) * dT_F;  // slab perimeter length times F-factor
        return loss_btuh + HEATLOSS(11) + HEATLOSS(12);
    }
    HEATLOSS(17) = AREA(17) * UVAL(17) * (DESIGNTEMP(2, zone) - COMLOW);
    HEATLOSS(13) = AREA(13) * UVAL(13) * dT_F;
    HEATLOSS(14) = AREA(14) * UVAL(14) * dT_F;
    HEATLOSS(15) = AREA(15) * UVAL(15) * (DESIGNTEMP(1, zone) - COMLOW);
    HEATLOSS(16) = AREA(16) * UVAL(16) * (DESMIN - DESIGNTEMP(2, zone));
    loss_btuh += HEATLOSS(17) + HEATLOSS(13) + HEATLOSS(14) + HEATLOSS(15) + HEATLOSS(16);
    HEATLOSS(18) = HEATLOSS(13) + HEATLOSS(14) + HEATLOSS(15) + HEATLOSS(16);
    return loss_btuh;
}

// Design infiltration flow, cfm: leakage area for homes, envelope area for
// other buildings.
REAL design_infiltration_cfm(REAL floor_code_magnitude) {
    if (!NFLAG(24)) {
        // The hourly model's leakage-area flow at the design temperatures and
        // the design wind.
        const REAL ela_in2 = effective_leakage_area_in2(SLA, AREAT);
        REAL stories = FLOORS;
        if (has_basement(floor_code_magnitude) && stories >= 2.0f) stories -= 1.0f;
        const REAL cfm = leakage_area_flow_cfm(ela_in2, stack_wind_coefficients(stories), COMLOW - DESMIN,
                                               kDesignWindMph) *
                         SurfaceRatio;
        DBG_FLOAT("ASHRAE ELA sq.in.", ela_in2);
        DBG_FLOAT("ASHRAE stories above grade", stories);
        DBG_FLOAT("ASHRAE infiltration CFM", cfm);
        return cfm;
    }
    // The skin's wind leakage at the design wind, through the whole
    // envelope (roof and floor included).
    REAL envelope_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 11; ++i) envelope_ft2 += AREA(i);
    const REAL cfm = envelope_wind_leakage_cfm(envelope_ft2, kDesignWindMph);
    DBG_FLOAT("ASHRAE envelope area", envelope_ft2);
    DBG_FLOAT("ASHRAE infiltration CFM", cfm);
    return cfm;
}

// Winter design air changes from the design infiltration flow through the
// above-grade volume.
REAL design_air_changes(REAL cfm) {
    const REAL ach = cfm * kMinutesPerHour / VOLUMEAG;
    // Other buildings: their ventilation system keeps them slightly
    // pressurised, so only about a quarter of the envelope-area flow enters.
    return NFLAG(24) ? 0.25f * ach : ach;
}

// Infiltration loss at the design temperatures; stores the winter design air
// changes unless they are a fixed input.
REAL infiltration_loss(REAL dT_F, REAL floor_code_magnitude) {
    if (NFLAG(45)) {  // fixed winter air changes
        if (VOLUMEAG <= 0.0f) return 0.0f;  // no above-grade air to change
        return AirChgW * VOLUMEAG * dT_F * kAirCpBtuPerLbF * kAirDensityLbPerFt3;
    }
    const REAL cfm = design_infiltration_cfm(floor_code_magnitude);
    if (VOLUMEAG <= 0.0f) {
        // No above-grade volume to turn the flow into air changes: the stored
        // rate stays, and the loss follows from the flow itself.
        DBG_FLOAT("ASHRAE: no above-grade volume, AirChgW kept", VOLUMEAG);
        return cfm * kMinutesPerHour * dT_F * kAirCpBtuPerLbF * kAirDensityLbPerFt3;
    }
    AirChgW = design_air_changes(cfm);
    DBG_FLOAT("ASHRAE AirChgW", AirChgW);
    return AirChgW * VOLUMEAG * dT_F * kAirCpBtuPerLbF * kAirDensityLbPerFt3;
}

// Latent loads added to the sensible cooling peak the zone balance kept in
// HEATGAIN(25): occupants and the humidity of the ventilation air.
void peak_cooling_gain() {
    const REAL sweat_btuh = PEOPLE * PBTUHL;
    const REAL humid_btuh = LATENT / 100.0f * HEATGAIN(20);
    REAL total_btuh = HEATGAIN(25) + sweat_btuh + humid_btuh;
    const REAL cooling = std::fabs(scheme_code(20));
    if (cooling <= 1.0f) {  // no air conditioner
        HEATGAIN(25) = 0.0f;
        total_btuh = 0.0f;
    }
    if (cooling == 6.0f) {  // evaporative cooler: no design load for an air conditioner
        HEATGAIN(25) = 0.0f;
        HEATGAIN(27) = 0.0f;
    } else {
        HEATGAIN(27) = total_btuh;
    }
    DBG_FLOAT("ASHRAE occupant latent", sweat_btuh);
    DBG_FLOAT("ASHRAE humidity latent", humid_btuh);
    DBG_FLOAT("ASHRAE peak cooling HEATGAIN(27)", HEATGAIN(27));
}

}  // namespace

void settle_winter_design_air_changes() {
    if (NFLAG(45)) return;  // the user's own winter air changes
    settle_above_grade_volume();
    if (!NFLAG(24)) settle_tightness_class();
    if (VOLUMEAG <= 0.0f) return;
    AirChgW = design_air_changes(design_infiltration_cfm(std::fabs(scheme_code(33))));
    DBG_FLOAT("winter design air changes of this building AirChgW", AirChgW);
}

void ASHRAE() {
    DBG_IN("ASHRAE");
    if (!NFLAG(38) || NFLAG(40)) {
        DBG_PRINT("None of these values valid for 12-Day Calc");
        ASLOSS = 0.0f;
        DBG_OUT("ASHRAE");
        return;
    }
    const REAL dT_F = DESMIN - COMLOW;
    INTEGER zone = CECZONE;
    if (zone < 1 || zone > 16) {
        DBG_INT("ASHRAE: climate zone outside 1-16, ground temperatures of zone 9 used", zone);
        zone = kFallbackZone;
    }
    const REAL floor_code_magnitude = std::fabs(scheme_code(33));
    ASLOSS = envelope_losses(dT_F, floor_code_magnitude, zone);
    DBG_FLOAT("ASHRAE envelope loss", ASLOSS);
    HEATLOSS(19) = infiltration_loss(dT_F, floor_code_magnitude);
    ASLOSS += HEATLOSS(19);
    HEATLOSS(27) = ASLOSS;
    DBG_FLOAT("ASHRAE infiltration loss", HEATLOSS(19));
    DBG_FLOAT("ASHRAE ASLOSS", ASLOSS);
    peak_cooling_gain();
    DBG_OUT("ASHRAE");
}

}  // namespace mavo
