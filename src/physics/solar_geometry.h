// Position of the sun and the day sun table.
//
// Solar time is clock time: the hour angle turns 15 degrees per clock hour
// from noon at hour 12.0, with no equation of time and no longitude or
// time-zone correction, so every day is symmetric about noon. Angles are in
// degrees; azimuths count from south toward west (0 south, 90 west, 180
// north, 270 or -90 east); tilts from the horizontal (0 roof, 90 wall).
#pragma once
#include "support/types.h"

namespace mavo {

// The one conversion between degrees and radians of the solar physics, in
// the single precision the hourly model works in.
constexpr REAL kRadiansPerDegree = 0.017453292f;
constexpr REAL deg_to_rad(REAL angle_deg) { return angle_deg * kRadiansPerDegree; }
constexpr REAL rad_to_deg(REAL angle_rad) { return angle_rad / kRadiansPerDegree; }

// Sunrise and sunset of a day on which the sun never rises or never sets.
constexpr REAL kNoSunriseOrSunset = 9999.0f;
// Day sun table entries for hours outside the day's sun hours.
constexpr REAL kNoSunAltitude = -999.9f;
constexpr REAL kNoSunIncidence = 999.9f;

// Solar geometry of one clock hour and one surface.
//   slat_deg      site latitude, north positive
//   month         1..12; with day < 1 the declination is that of the 21st of
//                 the month (in a twelve-day run the month of the
//                 representative day TMON(month))
//   hour          clock hour, 12.0 solar noon
//   surfaz_deg    azimuth of the surface normal
//   surftilt_deg  tilt of the surface
//   day           day of the month; below 1 (the glazing model passes -999
//                 in a 365-day run) uses the month alone
// Out: solar altitude (negative below the horizon) and azimuth (negative
// before noon), the day's sunrise and sunset in hours after midnight (both
// 9999.0 on a polar day or night), the declination, and the incidence angle
// on the surface (above 90 when the sun is behind it). Reports no failure.
void SUNRAY(REAL slat_deg, INTEGER month, REAL hour, REAL& alt_deg, REAL& azi_deg, REAL& sunrise_h,
            REAL& sunset_h, REAL& decl_deg, REAL surfaz_deg, REAL surftilt_deg, REAL& anginc_deg,
            INTEGER day);

// The month whose sun simulated month `month` (1..12) sees: the month
// itself in a 365-day run (NFLAG(38)), the month of the representative day
// TMON(month) in a twelve-day run (the month itself while that is unset).
INTEGER sun_month_of(INTEGER month);

// Refills the day sun table BLK30 for the representative day of `month`
// (12-day run) or the current day of `month` (365-day run, NFLAG(38)):
// altitude, azimuth and the incidence on the four walls (relative to
// SFACES) and the roof for every sun hour IHRSUN1..IHRSUN2, sunrise and
// sunset. Called once per simulated day before the hourly physics.
void SUN(INTEGER month);

// Published formulas of the sun's position, single precision, angles in
// radians unless the name says otherwise.
namespace solar {

// Declination in degrees for a fractional month (6 on 21 June, 12 on 21
// December): the 23.45 degree amplitude of Cooper (1969) on a cosine of the
// month counted from the December solstice.
REAL declination_deg(REAL fractional_month);

// Fractional month of a day: month + (day - 21) / length of the month's
// declination interval (March 30 and June 29 days).
REAL fractional_month(INTEGER month, INTEGER day);

// Hour angle of a clock hour, negative in the morning.
REAL hour_angle_rad(REAL hour);

// Cosine of the incidence angle of beam radiation on a surface of tilt beta
// and azimuth gamma (Duffie & Beckman 2013, eq. 1.6.2), clamped to [-1, 1].
REAL cos_incidence(REAL lat_rad, REAL decl_rad, REAL hour_angle_rad, REAL tilt_rad, REAL surfaz_rad);

// Cosine of the solar zenith angle (Duffie & Beckman 2013, eq. 1.6.5),
// clamped to [-1, 1].
REAL cos_zenith(REAL lat_rad, REAL decl_rad, REAL hour_angle_rad);

}  // namespace solar

}  // namespace mavo
