#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "renewables/pv/tilted_radiation.h"

namespace mavo {
namespace {

struct Plane {
    REAL8 GT = 0, GBT = 0, GDT = 0, GGT = 0, THETA = 0, ZENITH = 0, SABS = 0;
};

Plane hour(REAL8 dni, REAL8 ghi, REAL8 lat, REAL8 lon, INTEGER tz, INTEGER soltime, REAL8 slope, REAL8 azimuth,
           INTEGER ihour, REAL8 rhog = 0.2) {
    Plane p;
    GETWEATH(dni, ghi, lat, lon, tz, soltime, slope, azimuth, ihour, rhog, p.GT, p.GBT, p.GDT, p.GGT, p.THETA,
             p.ZENITH, p.SABS);
    return p;
}

TEST(TiltedRadiation, DatesOfTheHoursOfTheYear) {
    struct Case {
        INTEGER ihour;
        int month, day_of_year, hour_of_day;
    };
    for (const Case& c : {Case{1, 1, 1, 1}, Case{744, 1, 31, 24}, Case{745, 2, 32, 1}, Case{1416, 2, 59, 24},
                          Case{4117, 6, 172, 13}, Case{8760, 12, 365, 24}}) {
        hour(0, 0, 34, 118, -8, 1, 30, 0, c.ihour);
        EXPECT_EQ(MAVODATA.MONTH, c.month) << c.ihour;
        EXPECT_EQ(MAVODATA.HRDAY, c.hour_of_day) << c.ihour;
        EXPECT_EQ(solarmodel::date_in_month(c.ihour, c.month).day_of_year, c.day_of_year) << c.ihour;
    }
    // An hour outside the year keeps the month of the call before.
    hour(0, 0, 34, 118, -8, 1, 30, 0, 5000);
    hour(0, 0, 34, 118, -8, 1, 30, 0, 9000);
    EXPECT_EQ(MAVODATA.MONTH, 7);
}

// Reference values computed independently in a separate script from Duffie
// & Beckman eqs. 1.5.3 (equation of time), 1.6.1a, 1.6.2, 1.6.5, 1.10.4
// (hourly extraterrestrial, 18800 kJ/m2 solar-constant factor) and 2.16.7
// (HDKR), with the collector's absorbed radiation from the one-cover
// transmittance and the absorptance polynomial. Los Angeles (34.05 N,
// 118.25 W, zone -8), June 21, clock hour 12-13; a plane tilted 30 degrees
// facing 15 degrees west of south; DNI 800 and GHI 900 W/m2 (x 3.6 kJ/m2).
TEST(TiltedRadiation, HdkrSkyOnATiltedPlaneAtApparentSolarTime) {
    const Plane p = hour(800 * 3.6, 900 * 3.6, 34.05, 118.25, -8, 1, 30, 15, 4117);
    EXPECT_NEAR(p.ZENITH, 13.158497313852962, 1e-9);
    EXPECT_NEAR(p.THETA, 18.641533484345437, 1e-9);
    EXPECT_NEAR(p.GBT, 2985.834225548712, 1e-7);
    EXPECT_NEAR(p.GDT, 162.67151425803814, 1e-8);
    EXPECT_NEAR(p.GGT, 43.40776851677184, 1e-9);
    EXPECT_NEAR(p.GT, 3191.913508323522, 1e-7);
    EXPECT_NEAR(p.SABS, 2507.7398334722807, 1e-7);
    EXPECT_DOUBLE_EQ(p.GT, p.GBT + p.GDT + p.GGT);
}

TEST(TiltedRadiation, SolarTimeSwitch) {
    // Clock time of mid-hour as solar time: hour angle 7.5 degrees.
    const Plane clock = hour(800 * 3.6, 900 * 3.6, 34.05, 118.25, -8, -1, 30, 15, 4117);
    EXPECT_NEAR(clock.ZENITH, 12.464020634276933, 1e-9);
    EXPECT_NEAR(clock.GT, 3184.694706186154, 1e-7);
    // Longitude 118.4 in zone -8: 6.4 minutes of longitude correction plus
    // the equation of time (-1.325 minutes on day 172 by hand from Spencer's
    // series).
    EXPECT_NEAR(solarmodel::equation_of_time_min(172), -1.325, 0.003);
    const double dec = solarmodel::declination_deg(172);
    EXPECT_NEAR(dec, 23.45, 0.01);
    const double ts_h = 12.5 + (6.4 + solarmodel::equation_of_time_min(172)) / 60.0;
    const double cos_z = std::cos(34.0 * M_PI / 180) * std::cos(dec * M_PI / 180) *
                             std::cos((ts_h - 12) * 15 * M_PI / 180) +
                         std::sin(34.0 * M_PI / 180) * std::sin(dec * M_PI / 180);
    EXPECT_NEAR(hour(0, 0, 34.0, 118.4, -8, 1, 0, 0, 4117).ZENITH, std::acos(cos_z) * 180 / M_PI, 1e-5);
    // Any other switch puts the sun at midnight.
    EXPECT_NEAR(hour(800, 900, 34.05, 118.25, -8, 0, 30, 0, 4117).ZENITH, 90.0, 1e-5);
}

TEST(TiltedRadiation, NightSunBehindThePlaneAndSunrise) {
    // Night: no sun, no radiation anywhere.
    const Plane night = hour(0, 0, 34.05, 118.25, -8, -1, 30, 0, 4105);
    EXPECT_NEAR(night.ZENITH, 90.0, 1e-5);  // 90 through the single-precision degree factor
    EXPECT_EQ(night.GT, 0.0);
    EXPECT_EQ(night.GBT, 0.0);
    EXPECT_EQ(night.SABS, 0.0);

    // A north-facing wall at noon in June: the sun is behind it.
    const Plane behind = hour(800 * 3.6, 900 * 3.6, 34.05, 118.25, -8, -1, 90, 180, 4117);
    EXPECT_NEAR(behind.THETA, 90.0, 1e-5);
    EXPECT_EQ(behind.GBT, 0.0);
    EXPECT_GT(behind.GDT, 0.0);
    EXPECT_GT(behind.GGT, 0.0);

    // January 15, clock hour 7-8 at 34 N: the sun rises within the hour
    // (sunset hour angle 74.8 degrees), so the extraterrestrial radiation
    // counts only from sunrise. A horizontal plane sees no ground and the
    // HDKR diffuse reduces to Id (1 - Ai). Reference as above.
    const double dec = solarmodel::declination_deg(15);
    const double io = solarmodel::extraterrestrial_horizontal_kjm2(34.0, dec, -67.5, 15);
    EXPECT_NEAR(io, 467.13318571004146, 1e-8);
    // Integrated over the whole clock hour, the part before sunrise would
    // count as negative radiation.
    const double unclipped = 18800 * (1 + 0.033 * std::cos(0.9863 * 15 * M_PI / 180)) *
                             (std::cos(34 * M_PI / 180) * std::cos(dec * M_PI / 180) *
                                  (std::sin(-60 * M_PI / 180) - std::sin(-75 * M_PI / 180)) +
                              M_PI / 180 * 15 * std::sin(34 * M_PI / 180) * std::sin(dec * M_PI / 180));
    EXPECT_GT(io, unclipped);
    const Plane sunrise = hour(100 * 3.6, 80 * 3.6, 34.0, 118.0, -8, -1, 0, 0, 344);
    EXPECT_EQ(sunrise.GGT, 0.0);
    EXPECT_NEAR(sunrise.GBT, 51.61463477083079, 1e-9);
    EXPECT_NEAR(sunrise.GDT, 236.3853652291692, 1e-9);
    EXPECT_NEAR(sunrise.THETA, sunrise.ZENITH, 1e-12);
    EXPECT_NEAR(sunrise.SABS, 166.37652836988173, 1e-8);
}

TEST(TiltedRadiation, CoverTransmittanceAndAbsorptance) {
    // Normal incidence: the limit ((n-1)/(n+1))^2 for both polarisations and
    // Bouguer absorption exp(-KL) (Duffie & Beckman sect. 5.1-5.2).
    const double r0 = std::pow(0.526 / 2.526, 2);
    EXPECT_NEAR(TAU(1, 0.0, 0.037, 1.526), std::exp(-0.037) * (1 - r0) / (1 + r0), 1e-15);
    EXPECT_NEAR(TAU(1, 1e-7, 0.037, 1.526), TAU(1, 0.0, 0.037, 1.526), 1e-12);
    // Two covers at normal incidence: (1 - r)/(1 + 3r) and twice the path.
    EXPECT_NEAR(TAU(2, 0.0, 0.037, 1.526), std::exp(-0.074) * (1 - r0) / (1 + 3 * r0), 1e-15);
    // Grazing incidence passes nothing.
    EXPECT_NEAR(TAU(1, 90.0, 0.037, 1.526), 0.0, 1e-6);
    // The absorptance ratio is 1 at normal incidence, 0.929 at 60 degrees,
    // 0.635 at 80 and 0 at grazing incidence (the polynomial's published
    // coefficients evaluated by hand).
    EXPECT_EQ(ABSABS_N(0.0), 1.0);
    EXPECT_NEAR(ABSABS_N(60.0), 0.92942, 1e-4);
    EXPECT_NEAR(ABSABS_N(80.0), 0.63506, 1e-4);
    EXPECT_NEAR(ABSABS_N(90.0), 0.0, 1e-3);
    // Effective angles of a horizontal plane: 59.7 and 90 degrees.
    EXPECT_EQ(solarmodel::sky_diffuse_incidence_deg(0.0), 59.7);
    EXPECT_EQ(solarmodel::ground_reflected_incidence_deg(0.0), 90.0);
}

}  // namespace
}  // namespace mavo
