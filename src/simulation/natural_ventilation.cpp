// Step 3.1 of the zone balance: opening the windows of an occupied,
// overheated zone. Decides whether the windows open this hour, the flow
// they pass by wind and stack effect, and the air speed occupants feel.
// Windows are open at their full flow or shut. Occupants keep them open
// while the zone, cooled by their air, stays warm enough: at mid-band or
// above, or at any temperature when the outdoor air is no colder than the
// lower comfort limit, and never below the heating set point. Open windows
// settle the zone with their air and leave CONVERGED clear, so the
// following steps (fan, air conditioner) decide the hour with the window air
// included.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

// Openable part of the glazing area.
constexpr REAL kVentAreaOfGlazing = 0.1f;
// Share of the wind speed that drives air through the openings.
constexpr REAL kWindFactor = 0.25f;
// Stack flow through the openings: cfm per ft2 of vent area per
// sqrt(ft x F) (the usual 9.4 of the stack-effect formula, equal inlet and
// outlet areas).
constexpr REAL kStackFlowCoefficient = 9.4f;
constexpr REAL kFeetPerStory = 8.0f;

// Air speed (ft/min) from which the raised set point applies, and the two
// points of its ramp.
constexpr REAL kStillAir_fpm = 40.0f;
constexpr REAL kLowSpeed_fpm = 160.0f;
constexpr REAL kHighSpeed_fpm = 300.0f;

struct Openings {
    REAL vent_area_ft2 = 0.0f;   // EVA
    REAL stack_height_ft = 0.0f; // H
    REAL effectiveness = 0.0f;   // EFFTOT
    REAL stack_switch = 0.0f;    // SF
};

// Opening geometry of the natural-ventilation code. The rows are tested in
// order and a later match replaces an earlier one, so 21 and 22 end as 13
// while -21 and -22 keep their own rows.
Openings openings_of(REAL code, REAL glazing_ft2) {
    Openings o;
    bool matched = false;
    const auto row = [&](REAL h_ft, REAL eff, REAL sf) {
        o.stack_height_ft = h_ft;
        o.effectiveness = eff;
        o.stack_switch = sf;
        matched = true;
    };
    if (code == 11.0f || code == -11.0f) row(2.0f, 0.09f, 0.0f);
    if (code == 21.0f || code == -21.0f) row(2.0f, 0.28f, 0.0f);
    if (code == 12.0f || code == -12.0f) row((FLOORS - 1.0f) * kFeetPerStory, 0.09f, 0.0f);
    if (code == 22.0f || code == -22.0f) row((FLOORS - 1.0f) * kFeetPerStory, 0.28f, 1.0f);
    if (code >= 13.0f || code == -13.0f) row(FLOORS * kFeetPerStory, 0.32f, 1.0f);
    if (code == 23.0f || code <= -23.0f) row(FLOORS * kFeetPerStory, 0.32f, 1.0f);
    if (matched) o.vent_area_ft2 = kVentAreaOfGlazing * glazing_ft2;
    return o;
}

// Cooling set point raised by the air speed the open windows give.
REAL set_point_for_air_speed(const Hour& z) {
    REAL raise_F = 0.0f;
    const REAL v = z.PEAKVEL;
    const REAL air_speed_class = air_speed_class_in_force();
    if (PEOPLE > 0.0f && (air_speed_class == 2.0f || air_speed_class >= 3.0f)) {
        if (v >= kStillAir_fpm && v <= kLowSpeed_fpm)
            raise_F = (v - kStillAir_fpm) / 120.0f * 4.6f;
        else if (air_speed_class == 2.0f && v > kLowSpeed_fpm)
            raise_F = 4.6f;
        else if (v > kLowSpeed_fpm && v < kHighSpeed_fpm)
            raise_F = (v - kLowSpeed_fpm) / 140.0f * 2.0f + 4.6f;
        else if (v >= kHighSpeed_fpm)
            raise_F = 6.6f;
    }
    return z.SETHI + raise_F;
}

void shut_windows(Hour& z) {
    z.PEAKVEL = z.CFMMAXNV = z.CFMT = z.AIRCHGNV = 0.0f;
}

void window_flow(Hour& z, REAL cfm) {
    z.CFMT = cfm;
    z.AIRCHGNV = cfm * kMinutesPerHour / VOLUME;
    z.AIRCHGOA = z.AIRCHGINF + z.AIRCHGFA + z.AIRCHGNV;
}

}  // namespace

Step natural_ventilation(Hour& z, REAL t_choice_F) {
    if (!(PEOPLE > 0.0f)) return Step::EvaporativeCooler;
    const REAL code = natural_ventilation_in_force();
    const REAL t_out_F = TEMP(z.IHOUR);
    // A zone without its own cooling takes outdoor air only below the plain
    // comfort limit; with cooling, up to the limit raised for air movement.
    const REAL outdoor_limit_F = scheme_choice_magnitude(20) == 1.0f ? COMHI : z.COMHIV;
    const bool worth_opening = t_choice_F > COMHI && std::fabs(code) >= 2.0f && std::fabs(code) != 10.0f &&
                               t_out_F < t_choice_F && t_out_F < outdoor_limit_F;
    if (!worth_opening) return Step::EvaporativeCooler;
    REAL glazing_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 5; ++i) glazing_ft2 += AREA(i);
    if (!(glazing_ft2 > 0.0f)) return Step::EvaporativeCooler;

    const Openings o = openings_of(code, glazing_ft2);
    z.TEMPIHOUR = t_out_F;
    if (o.vent_area_ft2 > 0.0f) {
        REAL cfm_stack = 0.0f;
        if (!(TLASTHR < t_out_F)) {
            // A stack shorter than nothing (fewer than one story above the
            // openings) drives no flow.
            const REAL head_ftF = std::max(0.0f, o.stack_height_ft * (TLASTHR - t_out_F));
            cfm_stack = o.vent_area_ft2 * kStackFlowCoefficient * o.stack_switch * std::sqrt(head_ftF);
        }
        const REAL cfm_wind = WINDFPM(z.IHOUR) * o.vent_area_ft2 * kWindFactor * o.effectiveness;
        z.CFMMAXNV = std::sqrt(cfm_stack * cfm_stack + cfm_wind * cfm_wind);
        z.PEAKVEL = z.CFMMAXNV / o.vent_area_ft2;
        z.CFMT = z.CFMMAXNV;
    } else {
        shut_windows(z);
    }

    if (z.CFMMAXNV < z.CFMMAXWHFAN) {
        // The whole-house fan moves more air: the windows stay shut and the
        // fan gets the hour; only the flow they could pass is kept for the
        // fan's entry test.
        z.CFMT = z.PEAKVEL = 0.0f;
        return Step::EvaporativeCooler;
    }

    window_flow(z, z.CFMT);
    z.SETHIV = set_point_for_air_speed(z);
    z.CONVERGED = false;
    if (in_trace_window()) {
        DBG_FLOAT("TSTORE natural ventilation cfm", z.CFMT);
        DBG_FLOAT("TSTORE natural ventilation PEAKVEL", z.PEAKVEL);
        DBG_FLOAT("TSTORE natural ventilation SETHIV", z.SETHIV);
    }
    const bool too_hot = z.COMHIV <= t_out_F || z.TEMPI <= t_out_F;
    if (!too_hot) {
        // The zone as the open windows would leave it decides whether they
        // stay open: cold outdoor air that would take the zone below
        // mid-band (or any air that would take it below the heating set
        // point) makes them too cool, and they close again.
        const AirStreams air = outdoor_air_streams(z);
        const NodeTemperature t_open = node_temperature(z, air);
        const bool useful = t_open.t_F >= (COMHI + COMLOW) / 2.0f || t_out_F >= COMLOW;
        if (t_open.settled && useful && t_open.t_F >= z.SETLO) {
            settle_node_at(z, air, t_open.t_F);
            return Step::EvaporativeCooler;
        }
    }

    // The windows close again; the raised set point stays.
    shut_windows(z);
    z.AIRCHGOA = z.AIRCHGINF + z.AIRCHGFA;
    z.TEMPI = t_choice_F;
    z.CONVERGED = true;
    return Step::EvaporativeCooler;
}

}  // namespace zone
}  // namespace mavo
