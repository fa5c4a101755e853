// SUNRAY, the sun's position for one clock hour and one surface, and SUN,
// the day sun table built from it once per simulated day.
#include "physics/solar_geometry.h"

#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kPi = 3.1415925f;
constexpr REAL kHalfPi = 1.570795f;
constexpr REAL kMaxDeclination_deg = 23.45f;
constexpr REAL kDegreesPerHour = 15.0f;
constexpr REAL kNoonHour = 12.0f;
constexpr REAL kWallTilt_deg = 90.0f;
constexpr REAL kRoofTilt_deg = 0.0f;
// Cosines of the latitude and of the solar altitude are divisors; at a pole
// or with the sun in the zenith they vanish, so they keep this magnitude.
constexpr REAL kCosineFloor = 0.0001f;

// Days over which the declination formula spreads each month; March has 30
// and June 29 here so that the months meet the equinoxes and solstices.
constexpr FArray<REAL, 12> kDeclinationMonthDays = {31, 28, 30, 30, 31, 29, 31, 31, 30, 31, 30, 31};

// Rounding can carry a cosine built from several products a hair past 1;
// the inverse cosine needs it within [-1, 1].
REAL clamp_to_unit(REAL c) {
    if (c > 1.0f) return 1.0f;
    if (c < -1.0f) return -1.0f;
    return c;
}

REAL keep_off_zero(REAL c) {
    return std::fabs(c) < kCosineFloor ? std::copysign(kCosineFloor, c) : c;
}

// A month outside 1..12 (an unset representative day) is taken cyclically:
// the declination is periodic in the month, and the month table must be
// indexed within its bounds.
INTEGER month_within_year(INTEGER month) {
    if (month >= 1 && month <= 12) return month;
    DBG_INT("SUNRAY month outside 1 to 12, taken cyclically", month);
    const INTEGER m = ((month - 1) % 12 + 12) % 12 + 1;
    return m;
}

// Sunrise and sunset of the day in hours after midnight, or 9999 for both
// when the sun stays above or below the horizon all day (Duffie & Beckman
// 2013, eq. 1.6.10: cos ws = -tan(phi) tan(delta)).
void sunrise_and_sunset(REAL sin_lat, REAL cos_lat_floored, REAL sin_decl, REAL cos_decl,
                        REAL& sunrise_h, REAL& sunset_h) {
    const REAL x = -(sin_decl * sin_lat) / (cos_decl * cos_lat_floored);
    if (std::fabs(x) > 1.0f) {
        sunrise_h = kNoSunriseOrSunset;
        sunset_h = kNoSunriseOrSunset;
        return;
    }
    const REAL sunset_angle_deg = rad_to_deg(std::acos(x));
    sunrise_h = (180.0f - sunset_angle_deg) / kDegreesPerHour;
    sunset_h = (180.0f + sunset_angle_deg) / kDegreesPerHour;
}

// Solar azimuth from south, west positive: cos A = (sin(phi) cos(H) cos(delta)
// - sin(delta) cos(phi)) / cos(altitude), the form of Duffie & Beckman 2013,
// eq. 1.6.6 with the zenith eliminated. At noon the sun stands due south
// (A = 0) or, when it passes north of the zenith, due north (A = 180).
REAL solar_azimuth_deg(REAL hour, REAL zenith_rad, REAL sin_lat, REAL cos_lat_floored, REAL sin_decl,
                       REAL cos_decl, REAL hour_angle) {
    const REAL cos_alt = keep_off_zero(std::cos(kHalfPi - zenith_rad));
    const REAL cos_a =
        clamp_to_unit((sin_lat * std::cos(hour_angle) * cos_decl - sin_decl * cos_lat_floored) / cos_alt);
    if (hour == kNoonHour) return cos_a >= 0.0f ? 0.0f : 180.0f;
    const REAL a_deg = rad_to_deg(std::acos(cos_a));
    return hour >= kNoonHour ? a_deg : -a_deg;
}

}  // namespace

namespace solar {

REAL declination_deg(REAL fractional_month) {
    return -kMaxDeclination_deg * std::cos(2.0f * kPi * fractional_month / 12.0f);
}

REAL fractional_month(INTEGER month, INTEGER day) {
    const INTEGER m = month_within_year(month);
    return static_cast<REAL>(m) + static_cast<REAL>(day - 21) / kDeclinationMonthDays(m);
}

REAL hour_angle_rad(REAL hour) { return (hour - kNoonHour) / 12.0f * kPi; }

REAL cos_incidence(REAL lat_rad, REAL decl_rad, REAL hour_angle_rad, REAL tilt_rad, REAL surfaz_rad) {
    const REAL sd = std::sin(decl_rad), cd = std::cos(decl_rad);
    const REAL sp = std::sin(lat_rad), cp = std::cos(lat_rad);
    const REAL sb = std::sin(tilt_rad), cb = std::cos(tilt_rad);
    const REAL sg = std::sin(surfaz_rad), cg = std::cos(surfaz_rad);
    const REAL sh = std::sin(hour_angle_rad), ch = std::cos(hour_angle_rad);
    return clamp_to_unit(sd * sp * cb - sd * cp * sb * cg + cd * cp * cb * ch + cd * sp * sb * cg * ch +
                         cd * sb * sg * sh);
}

REAL cos_zenith(REAL lat_rad, REAL decl_rad, REAL hour_angle_rad) {
    return clamp_to_unit(std::cos(lat_rad) * std::cos(decl_rad) * std::cos(hour_angle_rad) +
                         std::sin(decl_rad) * std::sin(lat_rad));
}

}  // namespace solar

INTEGER sun_month_of(INTEGER month) {
    if (NFLAG(38)) return month;
    const INTEGER tm = TMON(month);
    return tm >= 1 && tm <= 12 ? tm : month;
}

void SUNRAY(REAL slat_deg, INTEGER month, REAL hour, REAL& alt_deg, REAL& azi_deg, REAL& sunrise_h,
            REAL& sunset_h, REAL& decl_deg, REAL surfaz_deg, REAL surftilt_deg, REAL& anginc_deg,
            INTEGER day) {
    // Without a day the declination is that of the 21st of the month; in a
    // twelve-day run that month is the representative day's.
    REAL fractional_month;
    if (day < 1) {
        fractional_month = static_cast<REAL>(sun_month_of(month_within_year(month)));
    } else {
        fractional_month = solar::fractional_month(month, day);
    }
    decl_deg = solar::declination_deg(fractional_month);

    const REAL lat = deg_to_rad(slat_deg);
    const REAL decl = deg_to_rad(decl_deg);
    const REAL h = solar::hour_angle_rad(hour);

    anginc_deg = rad_to_deg(
        std::acos(solar::cos_incidence(lat, decl, h, deg_to_rad(surftilt_deg), deg_to_rad(surfaz_deg))));

    const REAL zenith = std::acos(solar::cos_zenith(lat, decl, h));
    alt_deg = rad_to_deg(kHalfPi - zenith);  // negative below the horizon; no cut-off here

    const REAL sin_lat = std::sin(lat);
    const REAL cos_lat_floored = keep_off_zero(std::cos(lat));
    const REAL sin_decl = std::sin(decl);
    const REAL cos_decl = std::cos(decl);
    sunrise_and_sunset(sin_lat, cos_lat_floored, sin_decl, cos_decl, sunrise_h, sunset_h);
    azi_deg = solar_azimuth_deg(hour, zenith, sin_lat, cos_lat_floored, sin_decl, cos_decl, h);
}

void SUN(INTEGER month) {
    DBG_IN("SUN");
    for (INTEGER h = 1; h <= 24; ++h) {
        ALT(h) = kNoSunAltitude;
        AZI(h) = 0.0f;
        for (INTEGER k = 1; k <= 5; ++k) ANGINC(h, k) = kNoSunIncidence;
    }
    if (month < 1 || month > 12) {
        // No day to place the sun on: the table stays without sun.
        DBG_INT("SUN month outside 1 to 12, no sun table", month);
        SUNRISE = SUNSET = kNoSunriseOrSunset;
        IHRSUN1 = 1;
        IHRSUN2 = 0;
        DBG_OUT("SUN");
        return;
    }
    const INTEGER day = TDAY(month);
    const INTEGER sun_month = sun_month_of(month);

    // The day's sunrise and sunset, written straight into the table.
    REAL alt_deg = 0.0f, azi_deg = 0.0f, decl_deg = 0.0f, anginc_deg = 0.0f;
    SUNRAY(SLAT, sun_month, 1.0f, alt_deg, azi_deg, SUNRISE, SUNSET, decl_deg, SFACES, kWallTilt_deg,
           anginc_deg, day);

    if (SUNRISE >= 999.9f) {
        // Polar day or night: every hour is computed.
        IHRSUN1 = 1;
        IHRSUN2 = 24;
    } else {
        // The day is symmetric about noon, so the first sun hour mirrors the
        // last. A sunset at exactly midnight would put the first hour at 0.
        IHRSUN2 = int_toward_zero(SUNSET);
        IHRSUN1 = 24 - IHRSUN2;
        if (IHRSUN1 < 1) IHRSUN1 = 1;
        if (IHRSUN2 > 24) IHRSUN2 = 24;
    }

    for (INTEGER h = IHRSUN1; h <= IHRSUN2; ++h) {
        const REAL hour = static_cast<REAL>(h);
        for (INTEGER k = 1; k <= 4; ++k) {
            SUNRAY(SLAT, sun_month, hour, alt_deg, azi_deg, SUNRISE, SUNSET, decl_deg,
                   SFACES + static_cast<REAL>(k - 1) * 90.0f, kWallTilt_deg, ANGINC(h, k), day);
        }
        SUNRAY(SLAT, sun_month, hour, alt_deg, azi_deg, SUNRISE, SUNSET, decl_deg, SFACES, kRoofTilt_deg,
               ANGINC(h, 5), day);
        ALT(h) = alt_deg;
        AZI(h) = azi_deg;
    }
    DBG_OUT("SUN");
}

}  // namespace mavo
