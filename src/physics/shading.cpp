// SHADES: overhang shadow on a glazing line and the hour's state of the
// scheme's interior shades, venetian blinds or exterior blinds.
#include "physics/shading.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/solar_geometry.h"

namespace mavo {
namespace {

constexpr REAL kPi = 3.1415925f;
// At or below this altitude the sun is down for shading purposes.
constexpr REAL kSunDownAltitude_deg = 0.01f;
// The profile angle needs tan(altitude); the zenith is kept just short of 90.
constexpr REAL kMaxAltitude_deg = 89.99f;
// Sun azimuth and facing that coincide keep a tiny difference, so the
// perpendicular test below sees a definite side.
constexpr REAL kMinAzimuthDifference_deg = 0.00001f;
// Within this of 90 degrees off the facing, the sun's rays run along the
// glass plane and the profile angle is taken from the tilt alone.
constexpr REAL kAlongGlass_deg = 0.01f;
// A profile angle this steep puts the sun in or behind the plane of the glass.
// (A profile angle near zero is not treated as shade: a ray along the
// overhang casts no shadow, and the skylights and tilted glass that reach it
// with the sun up would otherwise lose their whole beam.)
constexpr REAL kGrazingProfile_deg = 89.99f;

// Device states.
constexpr REAL kOpen_pct = 100.0f;          // shade transmission, nothing drawn
constexpr REAL kNoBlinds_deg = 100.0f;      // slat angle meaning no blinds drawn
constexpr REAL kHalfOpenBlinds_deg = 45.0f;
constexpr REAL kClosedBlinds_deg = 90.0f;
constexpr REAL kHalfOpenBlindsSolar_pct = 67.0f;
constexpr REAL kClosedBlindsSolar_pct = 26.0f;
constexpr REAL kExteriorBlindsClosedShgc = 0.13f;
// The comfort margin below the upper limit at which shades are drawn, F.
constexpr REAL kDrawMargin_F = 3.0f;
// Mean outdoor temperature of the day above which automated blinds close as
// soon as the room is above the lower comfort limit, F.
constexpr REAL kWarmDayMean_F = 65.0f;
// Measured blind opening is recorded on a scale of 0 to 100000.
constexpr REAL kMeasuredOpeningScale = 100000.0f;

struct DeviceState {
    REAL blindangle_deg = kNoBlinds_deg;
    REAL shadetsol_pct = kOpen_pct;
    REAL shadetvis_pct = kOpen_pct;
    REAL shgc_min = 1.0f;
};

// The room temperature the automated devices respond to: the indoor
// temperature at the end of the previous hour.
REAL previous_hour_room_temperature_F() { return TLASTHR; }

REAL warmest_hour_of_day_F() {
    REAL t_max_F = 0.0f;
    for (INTEGER h = 1; h <= 24; ++h) t_max_F = std::max(t_max_F, TEMP(h));
    return t_max_F;
}

REAL mean_of_day_F() {
    REAL sum_F = 0.0f;
    for (INTEGER h = 1; h <= 24; ++h) sum_F += TEMP(h);
    return sum_F / 24.0f;
}

// Automated blinds close on a warm day as soon as the room is above the
// lower comfort limit, on a cool day only when it nears the upper one.
bool automated_blinds_close(REAL room_F) {
    const REAL t_avg_F = mean_of_day_F();
    return (t_avg_F >= kWarmDayMean_F && room_F > COMLOW) ||
           (t_avg_F < kWarmDayMean_F && room_F >= COMHI - kDrawMargin_F);
}

// Unoccupied test buildings with measured data carry the measured blind
// opening of the hour in the occupant component of HEAT.
bool blinds_measured() { return NFLAG(36) && !NFLAG(35) && PEOPLE <= 0.0f && FIELDCODE >= 1; }

REAL measured_opening(INTEGER month, INTEGER ihour) { return HEAT(15, ihour, month) / kMeasuredOpeningScale; }

REAL measured_blind_angle_deg(REAL opening) {
    const REAL angle_deg = kClosedBlinds_deg * opening;
    return angle_deg < 0.0f ? kNoBlinds_deg : angle_deg;
}

void indoor_shades(INTEGER code, bool sun_on_glass, DeviceState& s) {
    const REAL room_F = previous_hour_room_temperature_F();
    bool drawn = false;
    if (code == kShadeTranslucentIfHot || code == kShadeOpaqueIfHot) {
        drawn = sun_on_glass && room_F >= COMHI - kDrawMargin_F;
    } else {
        const REAL t_max_F = warmest_hour_of_day_F();
        drawn = sun_on_glass &&
                ((t_max_F >= COMHI && room_F > COMHI - kDrawMargin_F) || room_F >= COMHI - 1.0f);
    }
    if (!drawn) return;
    const bool translucent = code == kShadeTranslucentIfHot || code == kShadeTranslucentYearly;
    s.shadetsol_pct = translucent ? 45.0f : 40.0f;
    s.shadetvis_pct = translucent ? 25.0f : 0.0f;
}

DeviceState device_state(INTEGER code, INTEGER next, REAL anginc_deg, INTEGER month, INTEGER ihour) {
    DeviceState s;
    const bool has_device = SHADEFLG(next) == 1.0f;
    const bool sun_on_glass = has_device && anginc_deg < 90.0f;
    const REAL room_F = previous_hour_room_temperature_F();
    switch (code) {
        case kShadeTranslucentIfHot:
        case kShadeOpaqueIfHot:
        case kShadeTranslucentYearly:
        case kShadeOpaqueIfSunny:
            indoor_shades(code, sun_on_glass, s);
            break;
        case kShadeBlinds45:
            if (has_device) {
                s.blindangle_deg = kHalfOpenBlinds_deg;
                s.shadetsol_pct = kHalfOpenBlindsSolar_pct;
            }
            break;
        case kShadeBlinds45OrClosed:
            if (has_device) {
                const bool close = room_F >= COMHI - kDrawMargin_F;
                s.blindangle_deg = close ? kClosedBlinds_deg : kHalfOpenBlinds_deg;
                s.shadetsol_pct = close ? kClosedBlindsSolar_pct : kHalfOpenBlindsSolar_pct;
            }
            break;
        case kShadeBlindsAutomated:
            if (!sun_on_glass) break;
            if (blinds_measured()) {
                const REAL opening = measured_opening(month, ihour);
                s.blindangle_deg = measured_blind_angle_deg(opening);
                s.shadetsol_pct = 100.0f - 74.0f * opening;
            } else if (automated_blinds_close(room_F)) {
                s.blindangle_deg = kClosedBlinds_deg;
                s.shadetsol_pct = kClosedBlindsSolar_pct;
            }
            break;
        case kShadeExteriorBlinds:
            if (!sun_on_glass) break;
            if (blinds_measured()) {
                const REAL opening = measured_opening(month, ihour);
                s.blindangle_deg = measured_blind_angle_deg(opening);
                s.shadetsol_pct = kClosedBlindsSolar_pct;
                s.shgc_min = 1.0f - 0.87f * opening;
            } else if (automated_blinds_close(room_F)) {
                s.shgc_min = kExteriorBlindsClosedShgc;
                s.blindangle_deg = kClosedBlinds_deg;
            }
            break;
        default:
            break;  // overhangs only, or no device
    }
    return s;
}

// Difference of the sun's azimuth from the glass facing, in (-180, 180].
REAL azimuth_off_facing_deg(REAL sun_azi_deg, REAL facing_deg) {
    if (sun_azi_deg < 0.0f) sun_azi_deg += 360.0f;
    if (facing_deg < 0.0f) facing_deg += 360.0f;
    REAL d_deg = sun_azi_deg - facing_deg;
    if (d_deg > 180.0f) d_deg -= 360.0f;
    if (d_deg <= -180.0f) d_deg += 360.0f;
    if (d_deg > 180.0f || d_deg <= -180.0f) {  // facings given beyond one turn
        d_deg = std::fmod(d_deg, 360.0f);
        if (d_deg > 180.0f) d_deg -= 360.0f;
        if (d_deg <= -180.0f) d_deg += 360.0f;
    }
    if (std::fabs(d_deg) < kMinAzimuthDifference_deg) d_deg = kMinAzimuthDifference_deg;
    return d_deg;
}

// Profile angle of the sun on the glass, radians, measured from the glass
// plane's own horizontal; beyond 90 degrees the sun is behind the glass.
REAL profile_angle_rad(REAL alt_deg, REAL d_deg, REAL tilt_deg) {
    if (std::fabs(90.0f - d_deg) > kAlongGlass_deg) {
        REAL p_rad = std::atan(std::tan(deg_to_rad(alt_deg)) / std::cos(deg_to_rad(d_deg)));
        if (p_rad < 0.0f) p_rad += kPi;
        return p_rad - deg_to_rad(90.0f - tilt_deg);
    }
    return deg_to_rad(tilt_deg);
}

// Sunlit fraction of the glass of line `next` under its overhang;
// `in_plane_or_behind` tells that the sun is in or behind the glass plane,
// where no shadow is cast and the fraction is 0.
REAL overhang_sunlit_fraction(INTEGER next, REAL alt_deg, REAL azi_deg, bool awning_retracted,
                              bool& in_plane_or_behind) {
    const REAL d_deg = azimuth_off_facing_deg(azi_deg, FACING(next));
    const REAL pa_rad = profile_angle_rad(std::min(alt_deg, kMaxAltitude_deg), d_deg, TILT(next));
    in_plane_or_behind = std::fabs(rad_to_deg(pa_rad)) >= kGrazingProfile_deg;
    if (in_plane_or_behind) return 0.0f;
    if (awning_retracted) return 1.0f;
    const REAL shadow_ft = std::max(0.0f, OHANGD(next) * std::tan(pa_rad) - OHANGDIS(next));
    const REAL glass_height_ft = HEAD(next) - SILL(next);
    // A line without glass height has nothing for the shadow to cover.
    if (!(glass_height_ft > 0.0f)) return 1.0f;
    return std::clamp((glass_height_ft - shadow_ft) / glass_height_ft, 0.0f, 1.0f);
}

void store_device_state(const DeviceState& s, REAL& shadetsol, REAL& shgc_min) {
    BLINDANGLE = s.blindangle_deg;
    SHADEPCT = s.shadetvis_pct;
    shadetsol = s.shadetsol_pct;
    shgc_min = s.shgc_min;
}

}  // namespace

INTEGER shade_code_of_scheme() {
    if (!has_scheme_column(IDNUM1)) return kShadeNone;
    const REAL code = STRATEGY(36, IDNUM1);
    if (!(code >= 0.0f && code <= 12.0f) || code != std::trunc(code)) return kShadeNone;
    return static_cast<INTEGER>(code);
}

void SHADES(INTEGER next, REAL alt_deg, REAL azi_deg, REAL anginc_deg, REAL& sunlit, INTEGER month,
            INTEGER ihour, REAL& shadetsol, REAL& shgc_min) {
    const DeviceState open;
    sunlit = 1.0f;
    if (next < 1 || next > 25 || month < 1 || month > 12 || ihour < 1 || ihour > 24) {
        DBG_INT("SHADES line, month or hour out of range, line", next);
        store_device_state(open, shadetsol, shgc_min);
        return;
    }
    if (!(alt_deg > kSunDownAltitude_deg)) {
        store_device_state(open, shadetsol, shgc_min);
        return;
    }
    const INTEGER tm = sun_month_of(month);  // also the month of the host's sunlit table
    const INTEGER code = shade_code_of_scheme();
    const bool has_device = SHADEFLG(next) == 1.0f;
    const bool awning_retracted = has_device && code == kShadeAwningRetractedWinter && (tm >= 10 || tm <= 4);

    const DeviceState s = device_state(code, next, anginc_deg, month, ihour);
    store_device_state(s, shadetsol, shgc_min);

    if (IDNUM1 >= 3 && NFLAG(77)) {
        sunlit = SUNLIT(next, ihour, tm);  // the host's shading table
        return;
    }
    bool in_plane_or_behind = false;
    sunlit = overhang_sunlit_fraction(next, alt_deg, azi_deg, awning_retracted, in_plane_or_behind);
    if (code == kShadeBlindsAutomated && !in_plane_or_behind && sunlit == 0.0f && has_device) {
        // Blinds in full shade have nothing to keep out: they open.
        DeviceState opened = s;
        opened.blindangle_deg = kNoBlinds_deg;
        opened.shadetsol_pct = kOpen_pct;
        opened.shadetvis_pct = kOpen_pct;
        store_device_state(opened, shadetsol, shgc_min);
    }
}

}  // namespace mavo
