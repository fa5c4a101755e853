// Step 3.2 of the zone balance: cooling with outdoor air moved by a
// whole-house fan or an economizer. Finds the fan rate that brings the zone
// closest to the hour's target temperature within the fan's maximum rate,
// and hands the hour to the air conditioner or the furnace when outdoor air
// cannot do the job.
//
// The fan's air comes on top of the outdoor air the hour already has
// (infiltration, fresh air, open windows); each stream enters the balance
// once, as the end-of-hour accounting counts it, and the fan's electricity
// is that of the fan's own air.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

// The fan's lowest setting, air changes per hour.
constexpr REAL kSmallestFanRate = 0.01f;
constexpr REAL kWattsPerKilowatt = 1000.0f;
// Indoor air speed of a whole-house fan: 160 ft/min at 5 air changes per
// hour, in proportion to the air below it; above it the high class rises a
// further 140 ft/min per 15 air changes.
constexpr REAL kFanSpeedAt5Ach_fpm = 160.0f;
constexpr REAL kAchAt160_fpm = 5.0f;
// Incoming air this close to the target (F) cannot be solved for a rate:
// only the end of the fan's range comes nearer.
constexpr REAL8 kIncomingAtTarget_F = 1.0e-4;

bool compressor_cooling(REAL cooling_code) { return cooling_code >= 2.0f && cooling_code < 6.0f; }
bool air_conditioner(REAL cooling_code) { return cooling_code >= 2.0f && cooling_code != 6.0f; }

// The hour's outdoor air and the fan moving fan_ach of air at TEMPIHOUR.
AirStreams with_fan(const Hour& z, const AirStreams& outdoor, REAL fan_ach) {
    AirStreams s = outdoor;
    s.add(air_conductance_btuhF(VOLUME, fan_ach), z.TEMPIHOUR);
    return s;
}

struct FanPoint {
    REAL fan_ach = 0.0f;  // the fan's own air, air changes per hour
    REAL t_F = 0.0f;      // the zone's settled temperature at that rate
    bool found = false;
};

// Fan rate that meets the target exactly.
REAL rate_meeting_target(const Hour& z, const NodeBalance& without_fan) {
    const REAL8 g_btuhF = conductance_settling_at(z, without_fan, z.TEMPIHOUR, z.TARGET);
    return static_cast<REAL>(g_btuhF / (static_cast<REAL8>(VOLUME) * kAirHeatCapacity_btu_ft3F));
}

// At a fixed fan rate the balance is linear, and as the rate rises the
// zone's temperature moves steadily from where it would settle without the
// fan towards the temperature of the incoming air. So either one rate within
// the fan's range meets the target (solved directly), or the end of the
// range nearer the target comes closest: the full rate when even it cannot
// cool enough, the lowest setting when the incoming air is warmer than the
// zone (only with an air conditioner, whose tests then hand the hour on).
FanPoint fan_point_nearest_target(const Hour& z) {
    const AirStreams outdoor = outdoor_air_streams(z);
    const REAL lowest_ach = std::min(kSmallestFanRate, ACHMAX);
    const NodeTemperature t_lowest = node_temperature(z, with_fan(z, outdoor, lowest_ach));
    const NodeTemperature t_full = node_temperature(z, with_fan(z, outdoor, ACHMAX));
    FanPoint p;
    if (!t_lowest.settled || !t_full.settled) return p;

    const REAL8 off_lowest_F = static_cast<REAL8>(t_lowest.t_F) - z.TARGET;
    const REAL8 off_full_F = static_cast<REAL8>(t_full.t_F) - z.TARGET;
    const bool target_within_range = off_lowest_F * off_full_F <= 0.0;
    const bool solvable = std::fabs(static_cast<REAL8>(z.TEMPIHOUR) - z.TARGET) > kIncomingAtTarget_F;
    if (target_within_range && solvable) {
        p.fan_ach = std::clamp(rate_meeting_target(z, node_balance(z, outdoor)), lowest_ach, ACHMAX);
        const NodeTemperature t = node_temperature(z, with_fan(z, outdoor, p.fan_ach));
        p.t_F = t.t_F;
        p.found = t.settled;
        return p;
    }
    const bool full_nearer = std::fabs(off_full_F) <= std::fabs(off_lowest_F);
    p.fan_ach = full_nearer ? ACHMAX : lowest_ach;
    p.t_F = full_nearer ? t_full.t_F : t_lowest.t_F;
    p.found = true;
    return p;
}

// The fan's air and electricity for the hour, and the air speed occupants
// feel from a whole-house fan.
void fan_air_of_hour(Hour& z, REAL fan_ach) {
    z.KWHRVENT = 0.0f;
    if (wCFMvent > 0.0f) z.KWHRVENT = VOLUME * fan_ach / kMinutesPerHour * wCFMvent / kWattsPerKilowatt;
    if (scheme_choice_magnitude(20) == 6.0f) z.KWHRVENT *= 2.0f;  // the cooler's pump and fan
    z.KWHRVENT = std::max(0.0f, z.KWHRVENT);
    z.AIRCHGECO = fan_ach;
    z.AIRCHGOA = z.ARATE;
    AIRVOL(z.IHOUR, z.MONTH) = z.AIRCHGOA;
    if (z.CFMMAXWHFAN > 0.0f) {
        WHfanHrs += 1.0f;
        z.PEAKVEL = whole_house_fan_air_speed_fpm(air_speed_class_in_force(), z.AIRCHGOA);
    }
}

// Outdoor air cannot do the job. Other schemes go back to the state before
// the step; an evaporative cooler keeps its cooled point, and with it the
// air and fan energy that cooled it (the rate left flowing also keeps the
// furnace off).
Step fan_failed(Hour& z, REAL entry_store_btu, const FanPoint& p) {
    if (scheme_choice_magnitude(20) == 6.0f && p.found) {
        fan_air_of_hour(z, p.fan_ach);
        return Step::CeilingFans;
    }
    z.TEMPI = z.TEMPIO;
    z.STOREI = entry_store_btu;
    z.ARATE = 0.0f;
    z.AIRCHGECO = 0.0f;
    if (scheme_choice_magnitude(20) != 6.0f) z.CONVERGED = false;
    return Step::CeilingFans;
}

Step fan_succeeded(Hour& z, const FanPoint& p) {
    if (std::fabs(z.TEMPI - z.SETHI) < kSettled_F) z.TEMPI = z.SETHI;
    z.CONVERGED = true;
    fan_air_of_hour(z, p.fan_ach);
    if (in_trace_window()) {
        DBG_FLOAT("TSTORE economizer air changes", p.fan_ach);
        DBG_FLOAT("TSTORE economizer TEMPI", z.TEMPI);
    }
    return Step::EndOfHour;
}

}  // namespace

REAL whole_house_fan_air_speed_fpm(REAL air_speed_class, REAL air_changes_per_h) {
    const REAL proportional_fpm = air_changes_per_h / kAchAt160_fpm * kFanSpeedAt5Ach_fpm;
    if (air_speed_class == 2.0f) return proportional_fpm;
    if (air_speed_class == 3.0f) {
        // The high class's line reaches 160 ft/min at 5 air changes; a fan
        // moving less air than that slows towards still air as the low
        // class does, rather than keeping 113 ft/min at a standstill.
        if (air_changes_per_h < kAchAt160_fpm) return proportional_fpm;
        return (air_changes_per_h - kAchAt160_fpm) * 140.0f / 15.0f + kFanSpeedAt5Ach_fpm;
    }
    return 0.0f;
}

Step economizer_or_whole_house_fan(Hour& z) {
    const REAL venting = scheme_choice_magnitude(25);
    const bool applies = (venting == 5.0f || venting == 6.0f) && ACHMAX > 0.0f &&
                         z.CFMMAXNV * kMinutesPerHour / VOLUME < ACHMAX;
    if (!applies) return Step::CeilingFans;

    const REAL cooling = scheme_choice_magnitude(20);
    z.TEMPIHOUR = cooling == 6.0f ? z.EVAPTEMP : TEMP(z.IHOUR);
    if (!z.VENTED) return Step::AirConditioning;
    if (z.TEMPI < COMLOW) return Step::Furnace;
    if (z.TEMPI < z.SETHI) return Step::EndOfHour;  // nothing to cool
    const bool outdoor_too_warm =
        (z.TEMPI >= z.SETHIV && z.TEMPIHOUR >= COMHI && compressor_cooling(cooling)) ||
        (COMHI <= z.TEMPI && z.TEMPI < z.TEMPIHOUR && compressor_cooling(cooling)) ||
        (NFLAG(36) && NFLAG(40) && TEMP(z.IHOUR) >= z.SETHI);
    if (outdoor_too_warm) return Step::AirConditioning;

    z.TEMPIO = z.TEMPI;
    const REAL entry_store_btu = z.STOREI;
    z.ARATE = 0.0f;
    // Air no cooler than the zone cannot cool it. With an air conditioner
    // the tests above hand such an hour to it; without one the fan stays
    // off: no fan hour, no fan electricity, no air speed.
    if (!air_conditioner(cooling) && z.TEMPIHOUR >= z.TEMPI) return fan_failed(z, entry_store_btu, FanPoint{});
    const FanPoint p = fan_point_nearest_target(z);
    if (!p.found) return fan_failed(z, entry_store_btu, p);

    // ARATE is all the outdoor air flowing with the fan running.
    z.ARATE = z.AIRCHGOA + p.fan_ach;
    settle_node_at(z, with_fan(z, outdoor_air_streams(z), p.fan_ach), p.t_F);
    UAINF = air_conductance_btuhF(VOLUME, z.ARATE);

    const bool furnace_must_act = z.TEMPI < z.SETLO && scheme_choice_magnitude(18) > 1.0f;
    const bool still_too_warm = z.TEMPI > z.SETHI && air_conditioner(cooling);
    const bool fan_at_limit =
        z.TEMPI < TEMP(z.IHOUR) && z.ARATE >= ACHMAX - z.AIRCHGFA && air_conditioner(cooling);
    if (furnace_must_act || still_too_warm || fan_at_limit) return fan_failed(z, entry_store_btu, p);
    return fan_succeeded(z, p);
}

}  // namespace zone
}  // namespace mavo
