// Whole runs under weather of the test's own in which the model's own
// equations give the heating: a box (another building's library slot with
// no internal loads, a fixed air change and no duct losses, held at one
// set point) under a steady, sunless climate, under a steady sky of
// diffuse light in the middle hours of every day, and after a step of the
// outdoor temperature. The test computes the heating from the envelope the
// run simulated (the areas and U-factors of its walls, roof, floor, slab,
// windows and doors) and the air change it typed, never from the kernel's
// balance: these figures guard the truth of the balance, not its change.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "blocks/blocks.h"
#include "reference/reference_project.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using reference::Directories;
using reference::Project;

// The weather of a test: each hour's dry bulb, C, and its global horizontal
// (all of it diffuse) radiation, Wh/m2; no wind, the ground at `ground_C`.
struct Climate {
    std::function<double(int day, int hour)> dry_bulb_C;
    std::function<double(int day, int hour)> diffuse_whm2 = [](int, int) { return 0.0; };
    double ground_C = 5.0;
};

constexpr int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// An EPW file of the climate at 40 N, 100 W (outside California).
std::string epw_text(const Climate& c) {
    std::ostringstream o;
    o << "LOCATION,Analytic Box,KS,USA,Test,000000,40.00,-100.00,-6.0,500.0\n";
    o << "DESIGN CONDITIONS,0\nTYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,3";
    for (const double depth : {0.5, 2.0, 4.0}) {
        o << "," << depth << ",,,";
        for (int m = 0; m < 12; ++m) o << "," << c.ground_C;
    }
    o << "\nHOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\nCOMMENTS 1,the test's own\nCOMMENTS 2,\n";
    o << "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
    int day = 0;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= kDaysPerMonth[m - 1]; ++d, ++day)
            for (int h = 1; h <= 24; ++h) {
                const double t = c.dry_bulb_C(day, h), g = c.diffuse_whm2(day, h);
                o << "2001," << m << "," << d << "," << h << ",0,?," << t << "," << t - 5.0
                  << ",70,97700,0,0,300," << g << ",0," << g << ",0,0,0,0,0,0.0,0,0,16.0,77777,9,999999999,0,0,0,88,0.2,0,1\n";
            }
    return o.str();
}

// One day of outdoor conditions as the run reads them: the air, F, and the
// diffuse sky on the horizontal, whole Btu/h.ft2, hour by hour.
struct Day {
    std::array<double, 24> air_F{};
    std::array<double, 24> sky_btuh_ft2{};
};

constexpr double kSetPoint_F = 70.0;
constexpr double kSunFilm_btuh_ft2F = 4.0;  // the outside film of a surface in the sun

// Sol-air temperature of a wall (vertical: half its view is the sky) or
// the roof (all sky, less its long-wave loss) in hour h.
double sol_air_F(const Day& d, int h, INTEGER item) {
    const double sky_view = item == 10 ? 1.0 : 0.5;
    double t = d.air_F[h - 1] + ABSORB(item) * sky_view * d.sky_btuh_ft2[h - 1] / kSunFilm_btuh_ft2F;
    if (item == 10) t -= REMITT * 20.0 / kSunFilm_btuh_ft2F;
    return t;
}

// The box's net heat flow in hour h of `today` with the zone at its set
// point, Btu/h, each part by the model's own equation: walls and roof by
// their total equivalent temperature difference (the mean sol-air of the
// last 24 hours, and the hour lagged by the item's lag, decremented), the
// windows' conduction and transmitted sky, the doors' conduction (a door's
// sol-air takes the outside film of its facade's glazing item, which
// nothing sets: the sun it absorbs reaches no air), the slab against the
// ground, and the air change.
double box_flow_btuh(const Day& today, const Day& yesterday, int h, double ground_F, double ach) {
    double q = 0.0;
    for (INTEGER item = 6; item <= 10; ++item) {
        if (!(AREA(item) > 0.0f)) continue;
        auto sol_air = [&](int k) { return sol_air_F(k <= h ? today : yesterday, k, item); };
        double mean_F = 0.0;
        for (int k = 1; k <= 24; ++k) mean_F += sol_air(k) / 24.0;
        int lagged = h - static_cast<int>(TMLAG(item));
        if (lagged < 1) lagged += 24;
        const double tetd_F = mean_F - kSetPoint_F + DECR(item) * (sol_air(lagged) - mean_F);
        q += AREA(item) * UVAL(item) * tetd_F;
    }
    const double air_F = today.air_F[h - 1], sky = today.sky_btuh_ft2[h - 1];
    for (INTEGER j = 1; j <= 25; ++j) {
        if (!(QTY(j) > 0.0f)) continue;
        const double area = (HEAD(j) - SILL(j)) * WIDTH(j) * QTY(j);
        q += area * UWINDO(j) * (air_F - kSetPoint_F);
        if (TRANS(j) > 0.0f) q += area * SCOEF(j) * SKY(j) * sky;
    }
    q += AREA(12) * UVAL(12) * (ground_F - kSetPoint_F);
    q += ach * VOLUMEAG * 0.018075 * (air_F - kSetPoint_F);
    return q;
}

class AnalyticRun : public ::testing::Test {
protected:
    // A hotel's code-minimum design copied to slot 3 and stripped to a box:
    // no lights, people, equipment or hot water, `ach` air changes an hour
    // of outdoor air, no duct leakage and no blower (no duct losses), no
    // ground reflection; its year run under the climate.
    void run_box(const Climate& c, double ach) {
        const fs::path weather = dir_ / "weather";
        fs::create_directories(weather);
        testing::write_file(weather / "analytic.epw", epw_text(c));
        fs::copy_file(testing::sample_data() / "weather" / "zipcodes.sce", weather / "zipcodes.sce");
        fs::copy_file(testing::sample_data() / "weather" / "zone9.txh", weather / "zone9.txh");
        Project p(Directories{testing::sample_data() / "util", weather}, dir_ / "box");
        constexpr INTEGER kHotel = 14;
        p.make(reference::weather_file("analytic.epw"), {{6, 1}, {8, 10000}, {14, 1}}, kHotel);
        p.run(1, 243.0f);
        p.run(1, 201.0f, 3);
        p.edit(3, [ach] {
            LIGHTS = 0.0f;
            PEOPLE = 0.0f;
            EEHEATPHR = DGHEATPHR = REHEATPHR = 0.0f;
            for (auto& a : BLK5C.APPLIANCE) a = 0.0f;
            NFLAG(45) = true;
            AirChgW = static_cast<REAL>(ach);
            DuctLeakPct = 0.0f;
            wCFMhvac = 0.0f;
            GRNDREF = 0.0f;
        });
        p.run(3, 0.0f);
    }
    testing::ScratchDir dir_;
};

// Every hour of every month's day: the heating the run delivered (a
// month's mean day) against the test's own.
void expect_heating(const std::function<double(INTEGER h, INTEGER m)>& want_btuh) {
    double year_btu = 0.0;
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) {
            const double want = want_btuh(h, m);
            ASSERT_LT(want, 0.0) << "the box is heated in every hour";
            ASSERT_NEAR(HVACLD(h, m), want, 2e-5 * std::fabs(want)) << "hour " << h << " of month " << m;
            year_btu += want * MODAYS(m);
        }
    EXPECT_NEAR(SUMARY(18, 3), year_btu / AREAT / 1000.0, 2e-5 * std::fabs(SUMARY(18, 3)));
}

Day steady_day(double air_F, double sky_btuh_ft2, int first_sun_hour, int last_sun_hour) {
    Day d;
    d.air_F.fill(air_F);
    for (int h = first_sun_hour; h <= last_sun_hour; ++h) d.sky_btuh_ft2[h - 1] = sky_btuh_ft2;
    return d;
}

// 5 C (41 F) every hour, no sun: each hour loses the conductance of the
// envelope and the air change times 29 F (the roof its long-wave loss to
// the sky besides).
TEST_F(AnalyticRun, SteadySunlessClimateLosesConductanceTimesTemperatureDifference) {
    run_box({[](int, int) { return 5.0; }}, 0.5);
    const Day d = steady_day(41.0, 0.0, 1, 0);
    expect_heating([&](INTEGER h, INTEGER) { return box_flow_btuh(d, d, h, 41.0, 0.5); });
}

// The same box under a steady sky of diffuse light from 10 to 15 h every
// day (200 Wh/m2, 63 Btu/h.ft2 as the run reads it): the windows pass it
// through their SHGC, the walls and the roof warm by their absorptance.
TEST_F(AnalyticRun, SteadySkyIsGainedThroughGlassAndSolAir) {
    Climate c{[](int, int) { return 5.0; }, [](int, int h) { return h >= 10 && h <= 15 ? 200.0 : 0.0; }};
    run_box(c, 0.5);
    const Day d = steady_day(41.0, std::floor(200.0f * 0.3168f), 10, 15);
    expect_heating([&](INTEGER h, INTEGER) { return box_flow_btuh(d, d, h, 41.0, 0.5); });
}

// A step from 5 C to -5 C (23 F) at the first hour of 1 March: glass and
// air follow at once, the walls and roof through their lag and decrement
// over the day of the step (March's mean day holds it once in 31 days).
TEST_F(AnalyticRun, StepOfOutdoorTemperatureReachesTheWallsThroughTheirLag) {
    constexpr int kFirstOfMarch = 31 + 28;
    run_box({[](int day, int) { return day < kFirstOfMarch ? 5.0 : -5.0; }}, 0.5);
    const Day before = steady_day(41.0, 0.0, 1, 0), after = steady_day(23.0, 0.0, 1, 0);
    expect_heating([&](INTEGER h, INTEGER m) {
        if (m < 3) return box_flow_btuh(before, before, h, 41.0, 0.5);
        const double steady = box_flow_btuh(after, after, h, 41.0, 0.5);
        if (m > 3) return steady;
        return (box_flow_btuh(after, before, h, 41.0, 0.5) + 30.0 * steady) / 31.0;
    });
}

}  // namespace
}  // namespace mavo
