// The passive steps of the zone balance on hand-computed hours: open
// windows, the evaporative cooler, the whole-house fan or economizer,
// ceiling fans and the effective temperature, and the ventilation test case.
#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "simulation/zone_balance.h"
#include "simulation/zone_house.h"

namespace mavo {
namespace {

using namespace zone_test;

// Temperature the small house settles on with one more air stream of
// conductance g (Btu/h.F) bringing air at t_in_F, on top of its 0.5 air
// changes of infiltration: the fixed point of the balance,
// 68 + (HEAT17 + g (t_in - 68)) / (D + g).
double settled_with(double heat17, double g_btuhF, double t_in_F) {
    return 68.0 + (heat17 + g_btuhF * (t_in_F - 68.0)) / (kD + g_btuhF);
}

// The fan's full rate of 6 air changes of air at t_in_F (1735.2 Btu/h.F).
double fan_temperature(double heat17, double t_in_F) { return settled_with(heat17, kVolume * 6 * kAir, t_in_F); }

// 16000 ft3 x 6 air changes / 60 = 1600 cfm of fan air at 0.14 W/cfm.
constexpr double kFullFanKwh = 16000 * 6.0 / 60 * 0.14 / 1000;

TEST(ZoneNaturalVentilation, StackDrivenWindowsOpen) {
    // 100 ft2 of south glass: 10 ft2 open. Code 13: stack height 2 x 8 ft,
    // effectiveness 0.32, stack on. Last hour 80 F, outdoors 70 F, calm:
    // 10 x 9.4 x sqrt(16 x 10) = 1189 cfm, 118.9 ft/min at the openings.
    small_house(70.0f, heat_for_floating_at(82.0));
    STRATEGY(20, 1) = 0.0f;  // no cooling: the hour ends as the windows leave it
    STRATEGY(29, 1) = 13.0f;
    STRATEGY(28, 1) = 2.0f;
    AREA(1) = 100.0f;
    TLASTHR = 80.0f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    // The zone settles with the window air: 1289.5 Btu/h.F at 70 F take it
    // from 82 F to 80.75 F.
    const double cfm = 10 * 9.4 * std::sqrt(160.0);
    EXPECT_NEAR(TEMPIN, settled_with(heat_for_floating_at(82.0), 60 * cfm * kAir, 70.0), 0.01);
    EXPECT_NEAR(TEMPIN, 80.75, 0.01);
    EXPECT_NEAR(AIRVOL(kHour, kMonth), 0.5 + cfm * 60 / kVolume, 1e-4);
    EXPECT_NEAR(IAVEL(kHour, kMonth), cfm / 10, 1e-3);
    // Felt 4.6 x (118.9 - 40) / 120 = 3.02 F cooler: 77.7 F, comfortable.
    EXPECT_NEAR(EFFTEMP(kHour, kMonth), TEMPIN - 4.6 * (cfm / 10 - 40) / 120, 1e-3);
    EXPECT_EQ(SUMARY(69, 1), 0.0f);
    // The window air joins the hour's ventilation load.
    EXPECT_NEAR(HEAT(16, kHour, kMonth), kAir * (70.0 - TEMPIN) * (8000 + 60 * cfm), 1.0);

    // Nobody home: the windows stay shut.
    small_house(70.0f, heat_for_floating_at(82.0));
    STRATEGY(29, 1) = 13.0f;
    AREA(1) = 100.0f;
    TLASTHR = 80.0f;
    PEOPLE = 0.0f;
    run_hour();
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);
    EXPECT_EQ(IAVEL(kHour, kMonth), 0.0f);
}

TEST(ZoneNaturalVentilation, AirConditionerCoolsWithTheWindowsOpen) {
    // A zone floating at 90 F with 70 F outdoors: the windows open (1189
    // cfm), and the air conditioner holds 78 F with the window air helping:
    // 1289.5 Btu/h.F x 8 F less to remove, and 6 % of it less duct leakage.
    const auto cooling_load = [](REAL code) {
        small_house(70.0f, heat_for_floating_at(90.0));
        STRATEGY(29, 1) = code;
        AREA(1) = 100.0f;
        TLASTHR = 80.0f;
        run_hour();
        EXPECT_TRUE(NFLAG(15));
        EXPECT_FLOAT_EQ(TEMPIN, 78.0f);
        return static_cast<double>(HVACLD(kHour, kMonth));
    };
    const double windows_open = cooling_load(13.0f);
    EXPECT_GT(AIRVOL(kHour, kMonth), 4.0f);
    const double windows_shut = cooling_load(5.0f);  // a code with no opening
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);
    const double g_windows = 60 * 10 * 9.4 * std::sqrt(160.0) * kAir;
    EXPECT_NEAR(windows_shut - windows_open, 1.06 * g_windows * 8.0, 1.0);
}

// Code-13 windows in 100 ft2 of south glass (10 ft2 open) pass
// 10 x 9.4 x sqrt(16 (TLASTHR - Tout)) cfm by the stack effect on a calm
// hour; their conductance, Btu/h.F.
double stack_window_conductance(double vent_ft2, double t_last_F, double t_out_F) {
    return 60 * vent_ft2 * 9.4 * std::sqrt(16 * (t_last_F - t_out_F)) * kAir;
}

TEST(ZoneNaturalVentilation, ColdNightWindowsCloseWhenTooCool) {
    // The afternoon at 70 F outdoors (not below the lower limit of 68 F):
    // the windows are useful and open at full flow. Then hour 23, whose
    // gains (with the store the afternoon left) float the zone at t_float.
    // With the windows open at full flow it would settle at t_open; they
    // stay open only while that is at or above mid-band (73 F), the night
    // air being below the lower limit.
    constexpr INTEGER kNight = 23;
    struct Case {
        REAL t_out_F;
        double t_float_F;
        bool open;
    };
    for (const Case c : {Case{10.0f, 82.0, false},    // t_open 65.0: below the heating set point too
                         Case{40.0f, 79.0, false},    // t_open 71.6: above the fan's target, below mid-band
                         Case{60.0f, 82.0, true}}) {  // t_open 78.8: still warm, the windows help
        small_house(70.0f, heat_for_floating_at(82.0));
        STRATEGY(20, 1) = 0.0f;  // no cooling: the hour ends as the windows leave it
        STRATEGY(29, 1) = 13.0f;
        AREA(1) = 100.0f;
        TLASTHR = 80.0f;
        run_hour();
        ASSERT_GT(AIRVOL(kHour, kMonth), 4.5f) << c.t_out_F;

        const double t_last_F = TLASTHR;
        TEMPIN = COMLOW;  // each hour's reference, as the driver sets it
        set_hour(kNight, c.t_out_F, static_cast<REAL>(heat_for_floating_at(c.t_float_F) - STOREL));
        run_hour(kNight);
        ASSERT_TRUE(NFLAG(15)) << c.t_out_F;
        const double g = stack_window_conductance(10, t_last_F, c.t_out_F);
        const double t_open = settled_with((c.t_float_F - 68.0) * kD, g, c.t_out_F);
        EXPECT_EQ(t_open >= 73.0, c.open) << c.t_out_F;
        EXPECT_NEAR(TEMPIN, c.open ? t_open : c.t_float_F, 0.01) << c.t_out_F;
        EXPECT_NEAR(AIRVOL(kNight, kMonth), 0.5 + (c.open ? g / (kVolume * kAir) : 0.0), 1e-3) << c.t_out_F;
        EXPECT_GE(TEMPIN, 68.0f) << c.t_out_F;
        EXPECT_EQ(HVACLD(kNight, kMonth), 0.0f) << c.t_out_F;
    }

    // An office kept at 75 F: 1000 ft2 of glass would take the zone from
    // 79 F to 72.9 F with air no colder than the lower limit. The windows
    // stay shut rather than cool it below its heating set point.
    small_house(68.0f, heat_for_floating_at(79.0));
    NFLAG(24) = true;
    NTYPE = 1;
    SCHEDULES(kHour, 9, 1) = 75;
    SCHEDULES(kHour, 10, 1) = 78;
    STRATEGY(20, 1) = 0.0f;
    STRATEGY(29, 1) = 13.0f;
    AREA(1) = 1000.0f;
    TLASTHR = 80.0f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    EXPECT_LT(settled_with(11 * kD, stack_window_conductance(100, 80, 68), 68), 75.0);
    EXPECT_NEAR(TEMPIN, 79.0, 0.01);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);
    EXPECT_EQ(HVACLD(kHour, kMonth), 0.0f);

    // The furnace never heats against open windows.
    small_house(10.0f, heat_for_floating_at(60.0));
    zone::Hour z{};
    z.IHOUR = kHour;
    z.MONTH = kMonth;
    z.RTEMP = 68.0f;
    z.SETLO = 68.0f;
    z.TEMPI = 60.0f;
    z.TAVG = 75.0f;
    z.TAIRIN = static_cast<REAL>(kTairin);
    z.HEAT17 = heat_for_floating_at(60.0);
    z.AIRCHGNV = 1.0f;
    zone::furnace(z);
    EXPECT_EQ(z.HVACI, 0.0f);
    z.AIRCHGNV = 0.0f;
    zone::furnace(z);
    EXPECT_LT(z.HVACI, 0.0f);
}

TEST(ZoneNaturalVentilation, WarmEveningWindowsOpenAtFullFlow) {
    // A light zone (100 Btu/F of mass) floating at 80 F at hour 20, with
    // 68.5 F outdoors and 600 ft2 of glass: 60 ft2 of openings pass
    // 60 x 9.4 x sqrt(16 x 11.5) = 7650 cfm. Air no colder than the lower
    // limit is always useful, so the windows open all the way even though
    // they take the zone to 69.98 F, below the fan's target of 70 F.
    constexpr INTEGER kEvening = 20;
    const double d = 100 + 2 * kTairin + kClc + kGinf;
    small_house(68.5f, 0.0f);
    set_hour(kEvening, 68.5f, static_cast<REAL>(12 * d));
    TMASS = 100.0f;
    STRATEGY(20, 1) = 0.0f;
    STRATEGY(29, 1) = 13.0f;
    AREA(1) = 600.0f;
    TLASTHR = 80.0f;
    run_hour(kEvening);
    ASSERT_TRUE(NFLAG(15));
    const double g = stack_window_conductance(60, 80, 68.5);
    const double t_open = 68 + (12 * d + g * 0.5) / (d + g);
    EXPECT_NEAR(t_open, 69.98, 0.005);
    EXPECT_NEAR(TEMPIN, t_open, 0.01);
    EXPECT_NEAR(AIRVOL(kEvening, kMonth), 0.5 + g / (kVolume * kAir), 1e-3);
    EXPECT_NEAR(IAVEL(kEvening, kMonth), 9.4 * std::sqrt(16 * 11.5), 1e-3);
    EXPECT_EQ(HVACLD(kEvening, kMonth), 0.0f);
}

TEST(ZoneNaturalVentilation, OpeningCodesByWind) {
    // Outdoors warmer than the last hour: no stack flow; 100 ft/min of wind
    // through 10 ft2 at a wind factor of 0.25.
    const auto air_speed = [](REAL code) {
        small_house(70.0f, heat_for_floating_at(82.0));
        STRATEGY(20, 1) = 0.0f;
        STRATEGY(29, 1) = code;
        AREA(1) = 100.0f;
        TLASTHR = 60.0f;
        WINDFPM(kHour) = 100.0f;
        run_hour();
        return IAVEL(kHour, kMonth);
    };
    EXPECT_NEAR(air_speed(21.0f), 100 * 0.25 * 0.32, 1e-4);  // 21 ends as 13
    EXPECT_NEAR(air_speed(-21.0f), 100 * 0.25 * 0.28, 1e-4);
    EXPECT_NEAR(air_speed(11.0f), 100 * 0.25 * 0.09, 1e-4);
    EXPECT_EQ(air_speed(5.0f), 0.0f);  // no opening geometry
}

TEST(ZoneWholeHouseFan, FullRateCoolsWithOutdoorAir) {
    // 80 F inside, 60 F outside, a 6 ACH fan: the zone settles at 77.30 F.
    const REAL heat17 = heat_for_floating_at(80.0);
    small_house(60.0f, heat17);
    STRATEGY(20, 1) = 0.0f;
    STRATEGY(25, 1) = 5.0f;
    STRATEGY(28, 1) = 2.0f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    EXPECT_NEAR(TEMPIN, fan_temperature(heat17, 60.0), 0.01);
    EXPECT_NEAR(TEMPIN, 77.30, 0.01);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 6.5f);
    // The fan is billed for its own air, not for the infiltration.
    EXPECT_NEAR(fans_kwh(), kFullFanKwh, 1e-6);
    EXPECT_EQ(WHfanHrs, 1.0f);
    EXPECT_NEAR(IAVEL(kHour, kMonth), 6.5 / 5 * 160, 1e-3);
    EXPECT_NEAR(EFFTEMP(kHour, kMonth), TEMPIN - (4.6 + 2 * (208.0 - 160) / 140), 1e-3);
    EXPECT_NEAR(HEAT(16, kHour, kMonth), kAir * (60.0 - TEMPIN) * (8000 + 16000 * 6), 1.0);
    const REAL tempin_fan = TEMPIN;

    // -5: the same air and energy, but no fan hour and no air speed.
    small_house(60.0f, heat17);
    STRATEGY(20, 1) = 0.0f;
    STRATEGY(25, 1) = -5.0f;
    STRATEGY(28, 1) = 2.0f;
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, tempin_fan);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 6.5f);
    EXPECT_NEAR(fans_kwh(), kFullFanKwh, 1e-6);
    EXPECT_EQ(WHfanHrs, 0.0f);
    EXPECT_EQ(IAVEL(kHour, kMonth), 0.0f);
}

TEST(ZoneWholeHouseFan, PartRateMeetsTheTarget) {
    // 20 F outdoors, a zone floating at 81.5 F and a 10 ACH fan; the month's
    // mean of 75 F puts the target at 68 + 2 = 70 F. With G the fan's
    // conductance, 2 x D = 13.5 x D + G (20 - 70): G = 11.5 x D / 50 =
    // 2558.3 Btu/h.F, 8.85 air changes.
    const REAL heat17 = heat_for_floating_at(81.5);
    small_house(20.0f, heat17);
    STRATEGY(25, 1) = 5.0f;
    STRATEGY(28, 1) = 2.0f;
    ACHMAX = 10.0f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    const double fan_ach = 11.5 * kD / 50 / (kVolume * kAir);
    EXPECT_NEAR(fan_ach, 8.846, 0.001);
    EXPECT_NEAR(TEMPIN, 70.0, 0.02);
    EXPECT_NEAR(AIRVOL(kHour, kMonth), 0.5 + fan_ach, 1e-3);
    EXPECT_NEAR(fans_kwh(), kVolume * fan_ach / 60 * 0.14 / 1000, 1e-5);
    EXPECT_NEAR(IAVEL(kHour, kMonth), (0.5 + fan_ach) / 5 * 160, 0.05);
    // Neither the furnace nor the air conditioner runs.
    EXPECT_EQ(HVACLD(kHour, kMonth), 0.0f);
    EXPECT_EQ(SUMARY(67, 1), 0.0f);
    EXPECT_EQ(SUMARY(68, 1), 0.0f);
    // The ventilation load counts the infiltration and the fan air once each.
    EXPECT_NEAR(HEAT(16, kHour, kMonth), kAir * (20.0 - TEMPIN) * (8000 + 16000 * fan_ach), 2.0);
}

// Below 5 air changes the high class slows in proportion, as the low class
// does, to still air with the fan stopped; from 5 on it follows its own
// line, 160 ft/min plus 140 per 15 air changes.
TEST(ZoneWholeHouseFan, AirSpeedOfTheFan) {
    struct Case {
        REAL air_speed_class, ach, fpm;
    };
    for (const Case c : {Case{3, 0, 0}, Case{3, 2.5f, 80}, Case{3, 4.999f, 159.968f}, Case{3, 5, 160},
                         Case{3, 20, 300}, Case{2, 2.5f, 80}, Case{2, 6.5f, 208}, Case{1, 6.5f, 0}})
        EXPECT_NEAR(zone::whole_house_fan_air_speed_fpm(c.air_speed_class, c.ach), c.fpm, 1e-3)
            << c.air_speed_class << " " << c.ach;
}

TEST(ZoneWholeHouseFan, NoFanHourWhenOutdoorAirIsNoCooler) {
    // A zone floating at 80 F without an air conditioner, outdoors as warm
    // or warmer: the fan cannot cool, so it stays off.
    for (const REAL t_out_F : {85.0f, 80.0f}) {
        small_house(t_out_F, heat_for_floating_at(80.0));
        STRATEGY(20, 1) = 0.0f;
        STRATEGY(25, 1) = 5.0f;
        STRATEGY(28, 1) = 3.0f;
        run_hour();
        ASSERT_TRUE(NFLAG(15)) << t_out_F;
        EXPECT_NEAR(TEMPIN, 80.0, 0.01) << t_out_F;
        EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f) << t_out_F;
        EXPECT_EQ(fans_kwh(), 0.0) << t_out_F;
        EXPECT_EQ(WHfanHrs, 0.0f) << t_out_F;
        EXPECT_EQ(IAVEL(kHour, kMonth), 0.0f) << t_out_F;
    }
}

TEST(ZoneWholeHouseFan, WhenTheFanStaysOff) {
    const REAL heat17 = heat_for_floating_at(80.0);
    // No fan capacity: the step is skipped and, without cooling, the zone
    // stays as it floated.
    small_house(60.0f, heat17);
    STRATEGY(20, 1) = 0.0f;
    STRATEGY(25, 1) = 5.0f;
    ACHMAX = 0.0f;
    run_hour();
    EXPECT_NEAR(TEMPIN, 80.0, 0.01);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);

    // Nobody to open the house: straight to the air conditioner, even with
    // cool air outside; nobody home also means the set-up of 85 F.
    small_house(60.0f, heat_for_floating_at(90.0));
    STRATEGY(25, 1) = 5.0f;
    PEOPLE = 0.0f;
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 85.0f);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);

    // Windows that pass fewer cfm than the fan moves (1189 < 1600) are not
    // used: the fan takes the hour, and the window air counts nowhere.
    small_house(70.0f, heat_for_floating_at(82.0));
    STRATEGY(20, 1) = 0.0f;
    STRATEGY(25, 1) = 5.0f;
    STRATEGY(29, 1) = 13.0f;
    AREA(1) = 100.0f;
    TLASTHR = 80.0f;
    run_hour();
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 6.5f);
    EXPECT_NEAR(TEMPIN, fan_temperature(heat_for_floating_at(82.0), 70.0), 0.01);
    EXPECT_NEAR(HEAT(16, kHour, kMonth), kAir * (70.0 - TEMPIN) * (8000 + 16000 * 6), 1.0);
}

TEST(ZoneEvaporativeCooler, WetBulbFromTheHumidityTable) {
    // 95 F with a 60 F dew point: the line crosses saturation between 70
    // and 80 F, near 71.1 F.
    zone::WetBulb w = zone::wet_bulb_from_dew_point(95.0f, 60.0f);
    EXPECT_EQ(w.failure, zone::WetBulbFailure::None);
    EXPECT_NEAR(w.wb_F, 71.10, 0.01);
    // 95 F with a 40 F dew point: W = 0.0051; crossing between 60 and 70 F.
    const double b = 0.0051 + 35 * 0.00022580646 - 0.011;
    const double a = 0.0157 - (0.0051 + 25 * 0.00022580646);
    w = zone::wet_bulb_from_dew_point(95.0f, 40.0f);
    EXPECT_NEAR(w.wb_F, 60 + 10 * b / (a + b), 1e-3);
    // Saturated air, and the ends of the table.
    EXPECT_EQ(zone::wet_bulb_from_dew_point(60.0f, 59.5f).wb_F, 60.0f);
    EXPECT_EQ(zone::wet_bulb_from_dew_point(95.0f, 5.0f).failure, zone::WetBulbFailure::DewPointBelowTable);
    EXPECT_EQ(zone::wet_bulb_from_dew_point(155.0f, 60.0f).failure, zone::WetBulbFailure::DryBulbAboveTable);
}

TEST(ZoneEvaporativeCooler, CooledAirDeliveredByTheFan) {
    // 95 F outdoors, 40 F dew point, 80 % effectiveness: supply at about
    // 69.3 F, blown in at the fan's full rate.
    const REAL heat17 = heat_for_floating_at(80.0);
    small_house(95.0f, heat17);
    STRATEGY(20, 1) = 6.0f;
    STRATEGY(29, 1) = 13.0f;  // windows considered (but outdoors is hotter)
    EvapEff = 80.0f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    EXPECT_EQ(STRATEGY(25, 1), 6.0f);  // the cooler brings its fan, for good
    const double wb = zone::wet_bulb_from_dew_point(95.0f, 40.0f).wb_F;
    const double supply = 95.0 - 0.8 * (95.0 - wb);
    EXPECT_NEAR(TEMPIN, fan_temperature(heat17, supply), 0.01);
    EXPECT_EQ(EvapCoolHrs, 1.0f);
    EXPECT_EQ(SUMARY(68, 1), 1.0f);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 6.5f);
    // Fan and pump: twice the fan's electricity; no latent load.
    EXPECT_NEAR(fans_kwh(), 2 * kFullFanKwh, 1e-6);
    EXPECT_NEAR(HVACLD(kHour, kMonth), 0.0, 1e-6);

    // A cooling limit set under the heating limit puts the target (64 F)
    // below the heating set point: the cooled point (67.7 F at the full
    // rate, supply 59.5 F at 75 F outdoors) fails the fan step, and the
    // cooler keeps it with the air and the energy that made it; the
    // furnace stays off while the fan runs.
    small_house(75.0f, heat_for_floating_at(69.0));
    COMHI = 60.0f;
    STRATEGY(20, 1) = 6.0f;
    STRATEGY(25, 1) = 5.0f;
    EvapEff = 80.0f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    const double cooled = fan_temperature(heat_for_floating_at(69.0),
                                          75.0 - 0.8 * (75.0 - zone::wet_bulb_from_dew_point(75.0f, 40.0f).wb_F));
    EXPECT_NEAR(cooled, 67.7, 0.05);
    EXPECT_NEAR(TEMPIN, cooled, 0.01);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 6.5f);
    EXPECT_NEAR(fans_kwh(), 2 * kFullFanKwh, 1e-6);
    EXPECT_EQ(HVACLD(kHour, kMonth), 0.0f);

    // A net heat loss this hour (the warmth is stored heat): no cooler hour.
    small_house(95.0f, -10000.0f);
    STOREL = static_cast<REAL>(kD * 17.0 + 10000.0);  // floats to 85 F
    STRATEGY(20, 1) = 6.0f;
    STRATEGY(29, 1) = 13.0f;
    EvapEff = 80.0f;
    run_hour();
    EXPECT_EQ(EvapCoolHrs, 0.0f);
    EXPECT_EQ(SUMARY(68, 1), 0.0f);
}

TEST(ZoneCeilingFans, EffectiveTemperatureRule) {
    EXPECT_FLOAT_EQ(zone::effective_temperature_drop_F(30.0f), 0.0f);
    EXPECT_NEAR(80.0f - zone::effective_temperature_drop_F(100.0f), 77.7, 1e-4);
    EXPECT_NEAR(80.0f - zone::effective_temperature_drop_F(230.0f), 74.4, 1e-4);
    EXPECT_FLOAT_EQ(zone::effective_temperature_drop_F(450.0f), 6.6f);
}

TEST(ZoneCeilingFans, HighSpeedFansReplaceCooling) {
    // 80 F under high-speed fans (300 ft/min) feels 73.4 F: no cooling.
    // Ten fans (2000 ft2 / 200) of 5000 cfm at 0.01 W/cfm: 0.5 kWh.
    small_house(95.0f, heat_for_floating_at(80.0));
    STRATEGY(25, 1) = 10.0f;
    STRATEGY(28, 1) = 3.0f;
    PEOPLE = 300.0f;
    wCFMceil = 0.01f;
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    EXPECT_NEAR(TEMPIN, 80.0, 0.01);
    EXPECT_EQ(HVACLD(kHour, kMonth), 0.0f);
    EXPECT_NEAR(fans_kwh(), 0.5, 1e-6);
    EXPECT_EQ(CeilFanHrs, 1.0f);
    EXPECT_EQ(IAVEL(kHour, kMonth), 300.0f);
    EXPECT_NEAR(EFFTEMP(kHour, kMonth), TEMPIN - 6.6, 1e-4);

    // Air-speed class 1: the fans do nothing and the air conditioner cools.
    small_house(95.0f, heat_for_floating_at(80.0));
    STRATEGY(25, 1) = 10.0f;
    STRATEGY(28, 1) = 1.0f;
    wCFMceil = 0.01f;
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 78.0f);
    EXPECT_EQ(CeilFanHrs, 0.0f);
    EXPECT_EQ(IAVEL(kHour, kMonth), 0.0f);
}

TEST(ZoneCeilingFans, AirConditionerHoldsTheRaisedSetPoint) {
    // Low-speed fans let occupants accept 78 + 4.6 F in a month whose mean
    // (75 F) is above the lower comfort limit; four fans (one per person).
    small_house(95.0f, heat_for_floating_at(90.0));
    STRATEGY(25, 1) = 10.0f;
    STRATEGY(28, 1) = 2.0f;
    wCFMceil = 0.01f;
    run_hour();
    EXPECT_NEAR(TEMPIN, 82.6, 1e-4);
    EXPECT_GT(HVACLD(kHour, kMonth), 0.0f);
    EXPECT_NEAR(KWHCEILYR, 4 * 3000 * 0.01 / 1000, 1e-6);

    // A cold month (mean 55 F): no allowance, the set point stays 78 F.
    small_house(95.0f, heat_for_floating_at(90.0));
    STRATEGY(25, 1) = 10.0f;
    STRATEGY(28, 1) = 2.0f;
    TMAX(kMonth) = 60.0f;
    TMIN(kMonth) = 50.0f;
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 78.0f);
}

// The heat carried to the next hour is the heat the hour's temperature
// holds. With the gains in a component and no envelope (no conduction, no
// surfaces or windows to recompute), the end of the hour carries
// HEAT17(final) - HVACI, and the balance puts that at
// (TMASS + 2 TAIRIN) (TEMPIN - 68) from an empty store, whichever air
// streams settled the hour, as long as each is counted as the ventilation
// load counts it.
TEST(ZoneEnergyCheck, CarriedHeatMatchesTheSettledTemperature) {
    const auto carried_matches = [](const char* what, REAL t_out_F, REAL gains_btuh, auto&& scheme) {
        small_house(t_out_F, 0.0f);
        CLC = 0.0f;
        BLK15.QTY.fill(0.0f);  // no window lines either
        HEAT(14, kHour, kMonth) = gains_btuh;
        HEAT(17, kHour, kMonth) = gains_btuh + HEAT(16, kHour, kMonth);
        scheme();
        run_hour();
        ASSERT_TRUE(NFLAG(15)) << what;
        EXPECT_NEAR(STOREL, (kTmass + 2 * kTairin) * (TEMPIN - 68.0), 2.0) << what;
    };
    carried_matches("floating", 75.0f, 20000.0f, [] {});
    carried_matches("fan at part rate", 20.0f, 150000.0f, [] {
        STRATEGY(25, 1) = 5.0f;
        ACHMAX = 10.0f;
    });
    carried_matches("windows open", 70.0f, 200000.0f, [] {
        STRATEGY(20, 1) = 0.0f;
        STRATEGY(29, 1) = 13.0f;
        AREA(1) = 100.0f;
        TLASTHR = 80.0f;
    });
    carried_matches("windows shut on a cold night", 10.0f, 150000.0f, [] {
        STRATEGY(29, 1) = 13.0f;
        AREA(1) = 100.0f;
        TLASTHR = 80.0f;
    });
    carried_matches("cooling with the windows open", 70.0f, 400000.0f, [] {
        STRATEGY(29, 1) = 13.0f;
        AREA(1) = 100.0f;
        TLASTHR = 80.0f;
    });
    carried_matches("heating", 20.0f, -30000.0f, [] {});
}

TEST(ZoneTestCaseVentilation, NightAirAndDaytimeCooling) {
    const auto hour_run = [](INTEGER hour) {
        small_house(95.0f, heat_for_floating_at(81.49));
        set_hour(hour, 95.0f, heat_for_floating_at(81.49));
        STRATEGY(25, 1) = 7.0f;
        run_hour(hour);
    };
    hour_run(18);
    EXPECT_FLOAT_EQ(AIRVOL(18, kMonth), 6.0f);
    EXPECT_NEAR(TEMPIN, 81.49, 0.01);  // no cooling outside hours 7 to 17
    hour_run(6);
    EXPECT_FLOAT_EQ(AIRVOL(6, kMonth), 6.0f);
    hour_run(12);
    EXPECT_FLOAT_EQ(AIRVOL(12, kMonth), 0.5f);
    EXPECT_FLOAT_EQ(TEMPIN, 78.0f);
    hour_run(20);
    EXPECT_NEAR(TEMPIN, 81.49, 0.01);
    EXPECT_EQ(HVACLD(20, kMonth), 0.0f);
}

}  // namespace
}  // namespace mavo
