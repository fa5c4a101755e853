// GETWEATH: the hour's sun position and the radiation on a tilted plane by
// the HDKR anisotropic sky, and what a one-cover flat-plate collector on
// that plane absorbs.
#include "renewables/pv/tilted_radiation.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "renewables/pv/solar_model_math.h"
#include "support/farray.h"

namespace mavo {
namespace solarmodel {
namespace {

// Last hour of the previous month in the 8760-hour year.
constexpr FArrayB<int, Bounds<0, 12>> kHourBeforeMonth = {0,    744,  1416, 2160, 2880, 3624, 4344,
                                                          5088, 5832, 6552, 7296, 8016, 8760};
// Day of the year of the first day of each month.
constexpr FArray<int, 12> kFirstDayOfMonth = {1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

constexpr double kDaysPerDegree = widened(0.9863f);  // 360/365 as the year-angle factor
constexpr double kSolarConstantHourKJ = 18800.0;    // 1367 W/m2 x 12 x 3600 / pi, kJ/m2
constexpr double kMinExtraterrestrialKJ = 0.001;     // keeps the anisotropy index finite at night
constexpr double kMinCosZenith = 0.0001;             // beam ratio finite at sunrise and sunset
constexpr double kMinGlobalHorizontal = 1.0;         // modulating factor finite in the dark

// The collector of the solar water heater: one glass cover and a black
// absorber (Duffie & Beckman, Solar Engineering of Thermal Processes,
// sect. 5.5).
constexpr INTEGER kCollectorCovers = 1;
constexpr double kCoverExtinctionThickness = 0.037;  // extinction coefficient x thickness of the glass
constexpr double kCoverRefractiveIndex = 1.526;
constexpr double kAbsorberNormalAbsorptance = 0.9;
constexpr double kTauAlphaOverTauTimesAlpha = widened(1.01f);  // Duffie & Beckman sect. 5.5

// Radiation absorbed per unit area of the collector (Duffie & Beckman
// sect. 5.9), each part weighted by the cover transmittance and absorptance
// ratio at its effective incidence angle.
double collector_absorbed(double beam, double sky, double ground, double theta_deg, double slope_deg) {
    auto ta = [](double angle_deg) {
        return TAU(kCollectorCovers, angle_deg, kCoverExtinctionThickness, kCoverRefractiveIndex) *
               ABSABS_N(angle_deg);
    };
    const double theta_d = sky_diffuse_incidence_deg(slope_deg);
    const double theta_g = ground_reflected_incidence_deg(slope_deg);
    return kAbsorberNormalAbsorptance * kTauAlphaOverTauTimesAlpha *
           (beam * ta(theta_deg) + sky * ta(theta_d) + ground * ta(theta_g));
}

// Solar time of the middle of the hour, hours.
double solar_time_h(double clock_mid_h, INTEGER soltime, INTEGER tz_h, double long_deg, int day_of_year) {
    if (soltime == 1) {
        // Four minutes per degree between the zone's standard meridian and
        // the site, plus the equation of time (Duffie & Beckman eq. 1.5.2).
        const double standard_meridian_deg = -15.0 * tz_h;
        return clock_mid_h + (4.0 * (standard_meridian_deg - long_deg) + equation_of_time_min(day_of_year)) / 60.0;
    }
    if (soltime == -1) return clock_mid_h;
    return 0.0;
}

}  // namespace

HourOfYearDate enter_calendar_hour(int IHOUR) {
    int month = MAVODATA.MONTH;
    if (month_of_hour(IHOUR, month)) MAVODATA.MONTH = month;
    const HourOfYearDate date = date_in_month(IHOUR, MAVODATA.MONTH);
    MAVODATA.HRDAY = date.hour_of_day;
    return date;
}

bool month_of_hour(int hour_of_year, int& month) {
    for (int m = 1; m <= 12; ++m) {
        if (kHourBeforeMonth(m - 1) < hour_of_year && hour_of_year <= kHourBeforeMonth(m)) {
            month = m;
            return true;
        }
    }
    return false;
}

HourOfYearDate date_in_month(int hour_of_year, int month) {
    HourOfYearDate d;
    d.month = month;
    const int day_index = (hour_of_year - kHourBeforeMonth(month - 1) - 1) / 24;
    d.day_of_year = day_index + kFirstDayOfMonth(month);
    d.hour_of_day = hour_of_year % 24;
    if (d.hour_of_day == 0) d.hour_of_day = 24;
    return d;
}

double declination_deg(int day_of_year) {
    return widened(23.45f) * sind((284 + day_of_year) * kDaysPerDegree);
}

double equation_of_time_min(int day_of_year) {
    const double b_deg = (day_of_year - 1) * 360.0 / 365.0;
    return widened(229.2f) * (widened(0.000075f) + widened(0.001868f) * cosd(b_deg) -
                              widened(0.032077f) * sind(b_deg) - widened(0.014615f) * cosd(2.0 * b_deg) -
                              widened(0.04089f) * sind(2.0 * b_deg));
}

double cos_incidence(double lat_deg, double decl_deg, double slope_deg, double azimuth_deg, double hour_angle_deg) {
    const double sd = sind(decl_deg), cd = cosd(decl_deg);
    const double sp = sind(lat_deg), cp = cosd(lat_deg);
    const double sb = sind(slope_deg), cb = cosd(slope_deg);
    const double sg = sind(azimuth_deg), cg = cosd(azimuth_deg);
    const double sw = sind(hour_angle_deg), cw = cosd(hour_angle_deg);
    return sd * sp * cb - sd * cp * sb * cg + cd * cp * cb * cw + cd * sp * sb * cg * cw + cd * sb * sg * sw;
}

double extraterrestrial_horizontal_kjm2(double lat_deg, double decl_deg, double hour_angle_deg, int day_of_year) {
    const double sunset_deg = acosd(std::clamp(-tand(lat_deg) * tand(decl_deg), -1.0, 1.0));
    const double w1 = std::max(-sunset_deg, std::min(hour_angle_deg - 7.5, sunset_deg));
    const double w2 = std::max(-sunset_deg, std::min(hour_angle_deg + 7.5, sunset_deg));
    const double io = kSolarConstantHourKJ * (1.0 + widened(0.033f) * cosd(kDaysPerDegree * day_of_year)) *
                      (cosd(lat_deg) * cosd(decl_deg) * (sind(w2) - sind(w1)) +
                       kDegToRad * (w2 - w1) * sind(lat_deg) * sind(decl_deg));
    return std::max(io, kMinExtraterrestrialKJ);
}

TiltedRadiation hdkr_tilted(double beam_horizontal, double global_horizontal, double extraterrestrial,
                            double cos_theta, double cos_zenith, double slope_deg, double ground_reflectance) {
    const double ibh = beam_horizontal;
    const double id = global_horizontal - ibh;
    const double ai = ibh / extraterrestrial;  // anisotropy index: share of diffuse that is circumsolar
    const double f = std::sqrt(std::fabs(ibh / std::max(global_horizontal, kMinGlobalHorizontal)));
    const double rb = cos_theta / std::max(cos_zenith, kMinCosZenith);
    const double fs = (1.0 + cosd(slope_deg)) / 2.0;  // view factor of the plane to the sky
    const double s3 = std::pow(sind(slope_deg / 2.0), 3);
    TiltedRadiation r;
    r.beam = (ibh + id * ai) * rb;
    r.sky = fs * id * (1.0 - ai) * (1.0 + f * s3);
    r.ground = global_horizontal * ground_reflectance * (1.0 - fs);
    return r;
}

double sky_diffuse_incidence_deg(double slope_deg) {
    return 59.7 - 0.1388 * slope_deg + 0.001497 * slope_deg * slope_deg;
}

double ground_reflected_incidence_deg(double slope_deg) {
    return 90.0 - 0.5788 * slope_deg + 0.002693 * slope_deg * slope_deg;
}

}  // namespace solarmodel

REAL8 TAU(INTEGER N, REAL8 THETA, REAL8 KL, REAL8 RN) {
    using namespace solarmodel;
    // Fresnel reflection of the two polarisations, multiple reflections
    // between N covers and absorption in the glass (Duffie & Beckman
    // sect. 5.1-5.3).
    const double theta_r = std::asin(sind(THETA) / RN);
    const double theta = deg_to_rad(THETA);
    double r1 = 0.0, r2 = 0.0;
    const double sum_angle = theta_r + theta;
    if (std::sin(sum_angle) == 0.0) {
        // Normal incidence: both ratios are 0/0; their limit is the normal
        // reflectance ((n - 1) / (n + 1))^2 (Duffie & Beckman sect. 5.1).
        const double rn = (RN - 1.0) / (RN + 1.0);
        r1 = r2 = rn * rn;
    } else {
        r1 = std::pow(std::sin(theta_r - theta) / std::sin(sum_angle), 2);
        r2 = std::pow(std::tan(theta_r - theta) / std::tan(sum_angle), 2);
    }
    const double m = 2.0 * N - 1.0;
    return std::exp(-N * KL / std::cos(theta_r)) * ((1.0 - r1) / (1.0 + m * r1) + (1.0 - r2) / (1.0 + m * r2)) / 2.0;
}

REAL8 ABSABS_N(REAL8 THETA) {
    using solarmodel::widened;
    // Absorptance ratio of a flat black absorber (Beckman's polynomial;
    // Duffie & Beckman sect. 4.11).
    const double x = THETA;
    const double x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x, x6 = x5 * x, x7 = x6 * x;
    return 1.0 - widened(1.5879e-3f) * x + widened(2.7314e-4f) * x2 - widened(2.3026e-5f) * x3 +
           widened(9.0244e-7f) * x4 - widened(1.8e-8f) * x5 + widened(1.7734e-10f) * x6 - widened(6.9937e-13f) * x7;
}

void GETWEATH(REAL8 DNI, REAL8 GHI, REAL8 LAT, REAL8 LONG, INTEGER TZ, INTEGER SOLTIME, REAL8 SLOPE,
              REAL8 AZIMUTH, INTEGER IHOUR, REAL8 RHOG, REAL8& GT, REAL8& GBT, REAL8& GDT, REAL8& GGT,
              REAL8& THETA, REAL8& ZENITH, REAL8& SABS) {
    using namespace solarmodel;
    const HourOfYearDate date = enter_calendar_hour(IHOUR);

    const double clock_mid_h = date.hour_of_day - 0.5;
    const double decl_deg = declination_deg(date.day_of_year);
    const double ts_h = solar_time_h(clock_mid_h, SOLTIME, TZ, LONG, date.day_of_year);
    const double omega_deg = (ts_h - 12.0) * 15.0;

    const double cos_z =
        std::max(0.0, cosd(LAT) * cosd(decl_deg) * cosd(omega_deg) + sind(LAT) * sind(decl_deg));
    const double cos_theta = std::max(0.0, cos_incidence(LAT, decl_deg, SLOPE, AZIMUTH, omega_deg));
    THETA = acosd(cos_theta);
    ZENITH = acosd(cos_z);

    const double io = extraterrestrial_horizontal_kjm2(LAT, decl_deg, omega_deg, date.day_of_year);
    const double ibh = DNI * cosd(ZENITH);
    const TiltedRadiation r = hdkr_tilted(ibh, GHI, io, cos_theta, cos_z, SLOPE, RHOG);
    GBT = r.beam;
    GDT = r.sky;
    GGT = r.ground;
    GT = GDT + GBT + GGT;
    SABS = collector_absorbed(GBT, GDT, GGT, THETA, SLOPE);
}

}  // namespace mavo
