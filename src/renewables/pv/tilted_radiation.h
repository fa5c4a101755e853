// Radiation on a tilted, oriented plane from one hour of measured
// direct-normal and global horizontal radiation, and the radiation absorbed
// by a glazed flat-plate collector on that plane. Used by the photovoltaic
// model for its array and by the solar water-heating model for its
// collectors.
//
// All radiation arguments are hourly totals in kJ/m2 (a mean W/m2 times
// 3.6): the extraterrestrial constant and the anisotropy index are on that
// scale. Angles in degrees; azimuth 0 facing south, west positive.
#pragma once
#include "support/types.h"

namespace mavo {

// One hour IHOUR (1..8760, hour 1 = 1 January 0-1 am) at a site and plane.
//   SOLTIME  1 apparent solar time (longitude and equation of time),
//            -1 clock time of mid-hour used as solar time, else solar time 0
//   LONG     degrees, positive west; TZ hours, negative west
// Leaves the hour's month and hour of the day in MAVODATA.MONTH, HRDAY.
// GT = GBT + GDT + GGT; THETA 90 with the sun behind the plane, ZENITH 90
// with the sun below the horizon; SABS per m2 of collector.
void GETWEATH(REAL8 DNI, REAL8 GHI, REAL8 LAT, REAL8 LONG, INTEGER TZ, INTEGER SOLTIME, REAL8 SLOPE,
              REAL8 AZIMUTH, INTEGER IHOUR, REAL8 RHOG, REAL8& GT, REAL8& GBT, REAL8& GDT, REAL8& GGT,
              REAL8& THETA, REAL8& ZENITH, REAL8& SABS);

// Transmittance of N identical covers of refractive index RN and extinction
// coefficient times thickness KL, at incidence THETA degrees.
REAL8 TAU(INTEGER N, REAL8 THETA, REAL8 KL, REAL8 RN);

// Absorptance at incidence THETA degrees over the absorptance at normal
// incidence.
REAL8 ABSABS_N(REAL8 THETA);

namespace solarmodel {

// Calendar place of an hour of the 8760-hour year (no leap day).
struct HourOfYearDate {
    int month = 1;        // 1..12
    int day_of_year = 1;  // 1..365
    int hour_of_day = 1;  // 1..24
};

// The calendar place of hour IHOUR of the year left in MAVODATA.MONTH and
// HRDAY, as GETWEATH leaves it (an hour outside the year keeps the month of
// the previous call).
HourOfYearDate enter_calendar_hour(int IHOUR);

// Month of an hour of the year; false when the hour lies outside 1..8760.
bool month_of_hour(int hour_of_year, int& month);
// Day of the year and hour of the day of an hour within a given month.
HourOfYearDate date_in_month(int hour_of_year, int month);

// Solar declination, degrees (Cooper 1969; Duffie & Beckman eq. 1.6.1a).
double declination_deg(int day_of_year);
// Equation of time, minutes (Spencer 1971; Duffie & Beckman eq. 1.5.3).
double equation_of_time_min(int day_of_year);
// Cosine of the incidence angle of beam radiation on a plane of slope beta
// and azimuth gamma (Duffie & Beckman eq. 1.6.2), unclamped.
double cos_incidence(double lat_deg, double decl_deg, double slope_deg, double azimuth_deg, double hour_angle_deg);
// Extraterrestrial radiation on a horizontal plane between two hour angles,
// kJ/m2 (Duffie & Beckman eq. 1.10.4 with 12 x 3600 / pi x 1367 W/m2 taken
// as 18800 kJ/m2); the hour angles are limited to the day's sunrise and
// sunset.
double extraterrestrial_horizontal_kjm2(double lat_deg, double decl_deg, double hour_angle_deg, int day_of_year);

// Beam, sky-diffuse and ground-reflected radiation on the plane by the
// Hay-Davies-Klucher-Reindl model (Reindl, Beckman & Duffie 1990; Duffie &
// Beckman eq. 2.16.7). Circumsolar diffuse is counted with the beam, horizon
// brightening with the sky diffuse.
struct TiltedRadiation {
    double beam = 0.0;
    double sky = 0.0;
    double ground = 0.0;
};
TiltedRadiation hdkr_tilted(double beam_horizontal, double global_horizontal, double extraterrestrial,
                            double cos_theta, double cos_zenith, double slope_deg, double ground_reflectance);

// Effective incidence angles of sky-diffuse and ground-reflected radiation
// on a plane of slope beta, degrees (Brandemuehl & Beckman 1980; Duffie &
// Beckman eq. 5.4.2).
double sky_diffuse_incidence_deg(double slope_deg);
double ground_reflected_incidence_deg(double slope_deg);

}  // namespace solarmodel
}  // namespace mavo
