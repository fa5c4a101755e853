#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/solar_geometry.h"

namespace mavo {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kD2R = kPi / 180.0;

// The sun computed independently in double precision: Cooper-amplitude
// declination on the month cosine, altitude from its sine, azimuth by the
// atan2 form (Iqbal 1983, eq. 1.5.2), incidence as the dot product of the
// sun and surface-normal unit vectors (x east, y north, z up), sunset hour
// angle from cos ws = -tan(phi) tan(delta).
struct RefSun {
    double decl_deg, alt_deg, azi_deg, inc_deg, sunrise_h, sunset_h;
};

RefSun reference_sun(double lat_deg, double fractional_month, double hour, double surfaz_deg,
                     double tilt_deg) {
    RefSun r{};
    r.decl_deg = -23.45 * std::cos(2.0 * kPi * fractional_month / 12.0);
    const double phi = lat_deg * kD2R, dec = r.decl_deg * kD2R, w = 15.0 * (hour - 12.0) * kD2R;
    const double sin_alt = std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(w);
    const double alt = std::asin(sin_alt);
    const double azi = std::atan2(std::sin(w), std::cos(w) * std::sin(phi) - std::tan(dec) * std::cos(phi));
    r.alt_deg = alt / kD2R;
    r.azi_deg = azi / kD2R;
    const double sun[3] = {-std::cos(alt) * std::sin(azi), -std::cos(alt) * std::cos(azi), std::sin(alt)};
    const double g = surfaz_deg * kD2R, b = tilt_deg * kD2R;
    const double n[3] = {-std::sin(b) * std::sin(g), -std::sin(b) * std::cos(g), std::cos(b)};
    r.inc_deg = std::acos(sun[0] * n[0] + sun[1] * n[1] + sun[2] * n[2]) / kD2R;
    const double ws = std::acos(-std::tan(phi) * std::tan(dec)) / kD2R;
    r.sunrise_h = 12.0 - ws / 15.0;
    r.sunset_h = 12.0 + ws / 15.0;
    return r;
}

struct Sun {
    REAL alt, azi, rise, set, decl, inc;
};

Sun sunray(REAL lat, INTEGER month, REAL hour, REAL surfaz, REAL tilt, INTEGER day) {
    Sun s{};
    SUNRAY(lat, month, hour, s.alt, s.azi, s.rise, s.set, s.decl, surfaz, tilt, s.inc, day);
    return s;
}

TEST(SolarGeometry, AgreesWithIndependentComputation) {
    NFLAG(38) = true;  // the month is the month itself
    const REAL lats[] = {-33.9f, 0.0f, 21.3f, 34.0f, 47.6f};
    const REAL azimuths[] = {0.0f, 90.0f, 180.0f, 270.0f, -35.0f};
    const REAL tilts[] = {0.0f, 30.0f, 90.0f};
    for (REAL lat : lats)
        for (INTEGER month = 1; month <= 12; month += 1)
            for (INTEGER day : {3, 21, 28})
                for (REAL hour = 5.0f; hour <= 19.0f; hour += 1.5f)
                    for (REAL az : azimuths)
                        for (REAL tilt : tilts) {
                            const Sun s = sunray(lat, month, hour, az, tilt, day);
                            const double days[] = {31, 28, 30, 30, 31, 29, 31, 31, 30, 31, 30, 31};
                            const RefSun r =
                                reference_sun(lat, month + (day - 21) / days[month - 1], hour, az, tilt);
                            SCOPED_TRACE(testing::Message() << "lat " << lat << " month " << month << " day "
                                                            << day << " hour " << hour << " az " << az);
                            EXPECT_NEAR(s.decl, r.decl_deg, 1e-4);
                            EXPECT_NEAR(s.alt, r.alt_deg, 0.01);
                            EXPECT_NEAR(s.inc, r.inc_deg, 0.05);
                            if (r.alt_deg < 85.0) {
                                EXPECT_NEAR(s.azi, r.azi_deg, 0.05);
                            }
                            EXPECT_NEAR(s.rise, r.sunrise_h, 1e-3);
                            EXPECT_NEAR(s.set, r.sunset_h, 1e-3);
                        }
}

TEST(SolarGeometry, WorkedDaysAtLatitude34) {
    NFLAG(38) = true;
    Sun june = sunray(34.0f, 6, 12.0f, 0.0f, 90.0f, 21);
    EXPECT_NEAR(june.decl, 23.45f, 1e-4);
    EXPECT_NEAR(june.alt, 79.45f, 1e-3);
    EXPECT_NEAR(june.rise, 4.866f, 1e-3);
    EXPECT_NEAR(june.set, 19.134f, 1e-3);
    EXPECT_NEAR(june.inc, 79.45f, 1e-2);  // the sun at noon strikes a south wall at its altitude
    Sun dec = sunray(34.0f, 12, 12.0f, 0.0f, 0.0f, 21);
    EXPECT_NEAR(dec.decl, -23.45f, 1e-4);
    EXPECT_NEAR(dec.alt, 32.55f, 1e-3);
    EXPECT_NEAR(dec.inc, 90.0f - 32.55f, 1e-2);  // roof: the zenith angle
    EXPECT_NEAR(dec.rise, 7.134f, 1e-3);
    EXPECT_NEAR(dec.set, 16.866f, 1e-3);
    Sun march = sunray(34.0f, 3, 9.0f, 0.0f, 90.0f, 21);
    EXPECT_NEAR(march.decl, 0.0f, 1e-4);
    EXPECT_NEAR(march.rise, 6.0f, 1e-4);
    EXPECT_NEAR(march.set, 18.0f, 1e-4);
}

TEST(SolarGeometry, NoonAzimuthAndMorningAfternoonSymmetry) {
    NFLAG(38) = true;
    EXPECT_EQ(sunray(34.0f, 7, 12.0f, 0, 90, 10).azi, 0.0f);
    const Sun am = sunray(34.0f, 7, 11.0f, 0, 90, 10), pm = sunray(34.0f, 7, 13.0f, 0, 90, 10);
    EXPECT_LT(am.azi, 0.0f);
    EXPECT_GT(pm.azi, 0.0f);
    EXPECT_FLOAT_EQ(-am.azi, pm.azi);
    EXPECT_FLOAT_EQ(am.alt, pm.alt);
    // Where the noon sun passes north of the zenith (Honolulu in June) it
    // stands due north, continuous with the hours around noon.
    EXPECT_EQ(sunray(21.3f, 6, 12.0f, 0, 90, 21).azi, 180.0f);
    EXPECT_GT(sunray(21.3f, 6, 13.0f, 0, 90, 21).azi, 90.0f);
}

TEST(SolarGeometry, DayAndMonthSelectTheDeclination) {
    NFLAG(38) = true;
    EXPECT_FLOAT_EQ(sunray(34, 9, 10, 0, 90, 0).decl, sunray(34, 9, 10, 0, 90, 21).decl);
    EXPECT_FLOAT_EQ(sunray(34, 3, 10, 0, 90, 5).decl, solar::declination_deg(3.0f + (5.0f - 21.0f) / 30.0f));
    EXPECT_NEAR(solar::fractional_month(6, 1), 6.0f - 20.0f / 29.0f, 1e-6);
    // Twelve-day run without a day: the representative day's month.
    NFLAG(38) = false;
    TMON(2) = 8;
    EXPECT_FLOAT_EQ(sunray(34, 2, 10, 0, 90, -999).decl, solar::declination_deg(8.0f));
    // An unset month is taken cyclically instead of reading outside the tables.
    NFLAG(38) = true;
    EXPECT_FLOAT_EQ(sunray(34, 0, 10, 0, 90, 21).decl, sunray(34, 12, 10, 0, 90, 21).decl);
}

TEST(SunTable, SummerDayAtLatitude34) {
    SLAT = 34.0f;
    TMON(6) = 6;
    TDAY(6) = 21;
    SUN(6);
    EXPECT_EQ(IHRSUN1, 5);
    EXPECT_EQ(IHRSUN2, 19);
    EXPECT_NEAR(SUNRISE, 4.866f, 1e-3);
    EXPECT_NEAR(SUNSET, 19.134f, 1e-3);
    EXPECT_NEAR(ALT(12), 79.45f, 1e-3);
    EXPECT_EQ(ALT(4), -999.9f);
    EXPECT_EQ(AZI(20), 0.0f);
    for (INTEGER k = 1; k <= 5; ++k) {
        EXPECT_EQ(ANGINC(4, k), 999.9f);
        EXPECT_EQ(ANGINC(20, k), 999.9f);
    }
    EXPECT_GT(ALT(5), 0.0f);
    EXPECT_GT(ALT(19), 0.0f);
    EXPECT_NEAR(ANGINC(12, 5), 90.0f - ALT(12), 1e-2);  // roof
    EXPECT_GT(ANGINC(8, 2), 90.0f);  // the west wall in the morning: behind, stored as computed
    EXPECT_LT(ANGINC(6, 3), 90.0f);  // a June sunrise reaches the north wall
    const RefSun r = reference_sun(34.0, 6.0, 9.0, 270.0, 90.0);
    EXPECT_NEAR(ANGINC(9, 4), r.inc_deg, 0.05);
    EXPECT_NEAR(AZI(9), r.azi_deg, 0.05);
}

TEST(SunTable, EquinoxEquatorPolarNightAndDayModes) {
    SLAT = 34.0f;
    TMON(3) = 3;
    TDAY(3) = 21;
    SUN(3);
    EXPECT_EQ(IHRSUN1, 6);
    EXPECT_EQ(IHRSUN2, 18);

    SLAT = 0.0f;
    SUN(3);
    EXPECT_NEAR(SUNRISE, 6.0f, 1e-4);
    EXPECT_NEAR(SUNSET, 18.0f, 1e-4);
    EXPECT_EQ(IHRSUN1, 6);
    EXPECT_EQ(IHRSUN2, 18);

    SLAT = 70.0f;
    TMON(12) = 12;
    TDAY(12) = 21;
    SUN(12);
    EXPECT_EQ(SUNRISE, 9999.0f);
    EXPECT_EQ(SUNSET, 9999.0f);
    EXPECT_EQ(IHRSUN1, 1);
    EXPECT_EQ(IHRSUN2, 24);
    for (INTEGER h = 1; h <= 24; ++h) EXPECT_LT(ALT(h), 0.0f);

    // A 365-day run takes the month itself and the day of TDAY.
    SLAT = 34.0f;
    NFLAG(38) = true;
    TMON(3) = 7;
    TDAY(3) = 5;
    SUN(3);
    EXPECT_NEAR(ALT(12), 56.0f + solar::declination_deg(3.0f + (5.0f - 21.0f) / 30.0f), 1e-3);
    // A twelve-day run takes the representative day's month and day.
    NFLAG(38) = false;
    TMON(1) = 7;
    TDAY(1) = 15;
    SUN(1);
    EXPECT_NEAR(ALT(12), 56.0f + solar::declination_deg(7.0f + (15.0f - 21.0f) / 31.0f), 1e-3);
}

TEST(SunTable, FacadeAzimuthTurnsTheWalls) {
    SLAT = 38.0f;
    TMON(8) = 8;
    TDAY(8) = 10;
    SUN(8);
    FArray<REAL, 24, 5> south_front = ANGINC;
    SFACES = 90.0f;  // the front faces west
    SUN(8);
    for (INTEGER h = IHRSUN1; h <= IHRSUN2; ++h) {
        EXPECT_FLOAT_EQ(ANGINC(h, 1), south_front(h, 2));
        EXPECT_NEAR(ANGINC(h, 4), south_front(h, 1), 1e-3);  // 360 and 0 degrees
        EXPECT_FLOAT_EQ(ANGINC(h, 5), south_front(h, 5));
    }
    SUN(13);  // no such month: a table without sun
    EXPECT_EQ(IHRSUN2, 0);
    EXPECT_EQ(ALT(12), -999.9f);
}

}  // namespace
}  // namespace mavo
