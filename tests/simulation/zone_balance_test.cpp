// The zone balance on hand-computed hours: free floating with mass, heating
// and cooling to the set points, the end-of-hour accounting, infiltration
// and the fresh-air fan, and the hours that fail.
#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "simulation/zone_house.h"

namespace mavo {
namespace {

using namespace zone_test;

TEST(ZoneBalanceFreeFloat, SettlesOnTheMassBalanceAndCarriesTheStore) {
    // 33369 Btu/h of gains over D = 11123 Btu/F lift the zone 3 F.
    small_house(75.0f, heat_for_floating_at(71.0));
    run_hour();
    EXPECT_TRUE(NFLAG(15));
    EXPECT_NEAR(TEMPIN, 71.0, 0.01);
    EXPECT_EQ(TLASTHR, TEMPIN);
    EXPECT_EQ(HVACLD(kHour, kMonth), 0.0f);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);
    EXPECT_FLOAT_EQ(AIRCHG, 0.5f);
    // The carried store is the new total of the hour (against the final
    // indoor temperature) plus what came in.
    EXPECT_FLOAT_EQ(STOREL, HEAT(17, kHour, kMonth));
    EXPECT_FLOAT_EQ(STORED(kHour, kMonth), STOREL);
    // The ventilation load is rewritten at the final temperature:
    // 0.018075 x 8000 ft3/h x (75 - 71) F.
    EXPECT_NEAR(HEAT(16, kHour, kMonth), kAir * 8000 * (75.0 - TEMPIN), 0.5);
    EXPECT_NEAR(EFFTEMP(kHour, kMonth), TEMPIN, 1e-4);

    // One more day's worth of store (D x 1 F) floats the zone 1 F higher.
    small_house(75.0f, heat_for_floating_at(71.0));
    STOREL = static_cast<REAL>(kD);
    run_hour();
    EXPECT_NEAR(TEMPIN, 72.0, 0.01);
    EXPECT_NEAR(STOREL, HEAT(17, kHour, kMonth) + kD, 0.5);
}

TEST(ZoneBalanceFurnace, HoldsTheSetPointWithBlowerAndDucts) {
    // 20000 Btu/h of losses at 30 F outdoors: the zone would float to 66.2 F.
    small_house(30.0f, -20000.0f);
    THEATMAX = 20.0f;  // never set: heating in every month, stored as 85
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    EXPECT_EQ(THEATMAX, 85.0f);
    EXPECT_FLOAT_EQ(TEMPIN, 68.0f);
    // At the set point the infiltration terms cancel: the furnace supplies
    // the losses. Duct leakage 6 % of the load; conduction at
    // 30 - (68 + 15) = -53 F through about 50 Btu/h.F.
    const double load = -20000.0;
    EXPECT_NEAR(HVACLD(kHour, kMonth), load * 1.06 - 53.0 * duct_conductance(), 0.5);
    EXPECT_NEAR(fans_kwh(), 1.06 * 20000.0 / 48.8025 * 0.58 / 1000.0, 1e-5);
    EXPECT_EQ(SUMARY(67, 1), 1.0f);
    EXPECT_EQ(SUMARY(68, 1), 0.0f);
    EXPECT_EQ(SUMARY(69, 1), 0.0f);  // effective temperature on SETLO is comfortable
    EXPECT_NEAR(HVACPEAKMIN, -20000.0, 0.01);
    EXPECT_EQ(BLK6.HVACPEAKMINHR, kHour);
    EXPECT_EQ(BLK6.HVACPEAKMINMON, kMonth);
    EXPECT_FLOAT_EQ(TempPeakLow, 68.0f);

    // Without blower power there is no supply air and no duct conduction;
    // leakage still scales the load.
    small_house(30.0f, -20000.0f);
    wCFMhvac = 0.0f;
    run_hour();
    EXPECT_NEAR(HVACLD(kHour, kMonth), load * 1.06, 0.05);
    EXPECT_NEAR(fans_kwh(), 0.0, 1e-7);
}

TEST(ZoneBalanceFurnace, MonthsTooWarmAndTheTestCaseFloat) {
    // A 60 F heating limit and a month averaging 62 F: no heat, the zone floats.
    small_house(30.0f, -20000.0f);
    THEATMAX = 60.0f;
    TMAX(kMonth) = 72.0f;
    TMIN(kMonth) = 52.0f;
    run_hour();
    EXPECT_TRUE(NFLAG(15));
    EXPECT_NEAR(TEMPIN, 68.0 - 20000.0 / kD, 0.01);
    EXPECT_EQ(HVACLD(kHour, kMonth), 0.0f);

    // The ventilation test case with its lower limit at 32 F floats below it.
    small_house(0.0f, -50000.0f);
    COMLOW = 32.0f;
    TEMPIN = 32.0f;
    HEAT(16, kHour, kMonth) = static_cast<REAL>(kGinf * (0.0 - 32.0));
    NFLAG(46) = true;
    run_hour();
    EXPECT_NEAR(TEMPIN, 32.0 - 50000.0 / kD, 0.01);
    NFLAG(46) = false;
    TEMPIN = 32.0f;
    STOREL = 0.0f;
    set_hour(kHour, 0.0f, -50000.0f);
    HEAT(16, kHour, kMonth) = static_cast<REAL>(kGinf * (0.0 - 32.0));
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 32.0f);
    EXPECT_LT(HVACLD(kHour, kMonth), 0.0f);
}

TEST(ZoneBalanceAirConditioner, CoolsToTheSetPointWithLatentLoadAndDucts) {
    // 150000 Btu/h of gains would float the zone to 81.49 F at 95 F outdoors.
    small_house(95.0f, 150000.0f);
    run_hour();
    ASSERT_TRUE(NFLAG(15));
    EXPECT_FLOAT_EQ(TEMPIN, 78.0f);
    // Sensible load at 78 F: gains less conduction, air and the store
    // that takes the zone 10 F above the reference.
    const double h16 = kGinf * 27.0;
    const double hvaci = 150000.0 - kClc * 10 - (kGinf * (78.0 - 95.0) + h16 + kTairin * 10) -
                         (kTmass + kTairin) * 10;
    // Latent: 30 % of the new ventilation load 0.018075 x 8000 x 17, and
    // 160 Btu/h for each of 4 people at the hour's 3 % profile.
    const double latent = 0.30 * kAir * 8000 * 17 + 160.0 * 4 * 0.03;
    // Ducts in an attic at 1.2 x 95 against supply air at 63 F.
    const double ducts = 51.0 * duct_conductance();
    EXPECT_NEAR(ducts, 2552.0, 1.0);
    EXPECT_NEAR(HVACLD(kHour, kMonth), (hvaci + latent) * 1.06 + ducts, 1.0);
    EXPECT_NEAR(fans_kwh(), 1.06 * hvaci / 10.845001 * 0.58 / 1000.0, 1e-4);
    EXPECT_EQ(SUMARY(68, 1), 1.0f);
    EXPECT_EQ(SUMARY(67, 1), 0.0f);
    EXPECT_EQ(HEATGAIN(27), 0.0f);  // 95 F is far from the design temperature (0)

    // An outdoor temperature within 1 F of the design temperature records
    // the design peak and its ventilation load against the 68 F reference.
    small_house(95.0f, 150000.0f);
    DESMAX = 95.5f;
    run_hour();
    EXPECT_NEAR(HEATGAIN(27), hvaci, 1.0);
    EXPECT_EQ(HEATGAIN(25), HEATGAIN(27));
    EXPECT_NEAR(HEATGAIN(20), kAir * 8000 * 27, 0.01);
    // A larger load at an outdoor temperature away from the design one does not.
    small_house(97.0f, 200000.0f);
    DESMAX = 95.5f;
    HEATGAIN(27) = 1000.0f;
    run_hour();
    EXPECT_EQ(HEATGAIN(27), 1000.0f);
}

TEST(ZoneBalanceAirConditioner, HoursItMustNotCool) {
    const REAL hot = heat_for_floating_at(81.49);
    // No equipment: the zone stays hot and the hour counts no cooling.
    small_house(95.0f, hot);
    NHVACS = 0.0f;
    run_hour();
    EXPECT_NEAR(TEMPIN, 81.49, 0.01);
    EXPECT_EQ(SUMARY(68, 1), 0.0f);

    // Nobody home: the set-up of 85 F holds; a hotter zone is cooled to it.
    small_house(95.0f, hot);
    PEOPLE = 0.0f;
    run_hour();
    EXPECT_NEAR(TEMPIN, 81.49, 0.01);
    small_house(95.0f, heat_for_floating_at(90.0));
    PEOPLE = 0.0f;
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 85.0f);

    // Non-residential cooling scheduled off (99) for the hour, and on at 74.
    small_house(95.0f, hot);
    NFLAG(24) = true;
    NTYPE = 7;
    SCHEDULES(kHour, 9, 7) = 68;
    SCHEDULES(kHour, 10, 7) = 99;
    run_hour();
    EXPECT_NEAR(TEMPIN, 81.49, 0.01);
    SCHEDULES(kHour, 10, 7) = 74;
    TEMPIN = 68.0f;
    STOREL = 0.0f;
    set_hour(kHour, 95.0f, hot);
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 74.0f);
}

TEST(ZoneBalanceSetPoints, NightSetBackAndEmptyHours) {
    // Occupied night hour: the 65 F night set-back lets a zone at 66 F float.
    small_house(30.0f, -20000.0f);
    set_hour(3, 30.0f, -20000.0f);
    run_hour(3);
    EXPECT_NEAR(TEMPIN, 68.0 - 20000.0 / kD, 0.01);
    EXPECT_EQ(HVACLD(3, kMonth), 0.0f);
    // The same zone by day is heated to 68 F.
    TEMPIN = 68.0f;
    STOREL = 0.0f;
    set_hour(kHour, 30.0f, -20000.0f);
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 68.0f);

    // An empty hour (profile 0) sets the zone back to 60 F and up to 85 F.
    small_house(95.0f, heat_for_floating_at(81.49));
    OCCPROF(kHour) = 0.0f;
    run_hour();
    EXPECT_NEAR(TEMPIN, 81.49, 0.01);
}

TEST(ZoneBalanceEndOfHour, WarmUpAndWholeYearAverages) {
    // A warm-up hour moves the zone and the run extremes but counts nothing,
    // and restarts the year's fan totals.
    small_house(30.0f, -20000.0f);
    CYCLE = 100.0f;
    KWHHVACYR = 5.0f;
    IAQFanHrs = 5.0f;
    run_hour();
    EXPECT_FLOAT_EQ(TEMPIN, 68.0f);
    EXPECT_NEAR(STOREL, HEAT(17, kHour, kMonth) + 20000.0, 0.5);
    EXPECT_FLOAT_EQ(TempPeakLow, 68.0f);
    EXPECT_EQ(NTEMPINMEAN, 1);
    EXPECT_EQ(SUMARY(67, 1), 0.0f);
    EXPECT_EQ(EFFTEMP(kHour, kMonth), 0.0f);
    EXPECT_NEAR(KWHHVACYR, 20000.0 / 48.8025 * 0.58 / 1000.0, 1e-5);
    EXPECT_EQ(IAQFanHrs, 1.0f);  // this hour's fresh-air fan only

    // The 365-day run adds one 31st of July's day to the average day.
    small_house(75.0f, heat_for_floating_at(71.0));
    NFLAG(38) = true;
    EFFTEMP(kHour, kMonth) = 10.0f;
    run_hour();
    EXPECT_NEAR(EFFTEMP(kHour, kMonth), 10.0 + TEMPIN / 31.0, 1e-4);
}

TEST(ZoneBalanceErrors, CapacityGuardAndRange) {
    // No mass and no air change: nothing to balance.
    small_house(75.0f, 1000.0f);
    TMASS = 0.0f;
    AIRCHG = 0.0f;
    HVACLD(kHour, kMonth) = 123.0f;
    run_hour();
    EXPECT_FALSE(NFLAG(15));
    EXPECT_EQ(TEMPIN, 68.0f);
    EXPECT_EQ(HVACLD(kHour, kMonth), 123.0f);

    // A furnace told to hold 250 F ends above 199 F: the hour fails but its
    // load, store and air changes are written.
    small_house(30.0f, -20000.0f);
    NFLAG(24) = true;
    NTYPE = 7;
    SCHEDULES(kHour, 9, 7) = 250;
    SCHEDULES(kHour, 10, 7) = 260;
    run_hour();
    EXPECT_FALSE(NFLAG(15));
    EXPECT_EQ(TEMPIN, 68.0f);
    EXPECT_EQ(STOREL, 0.0f);
    EXPECT_LT(HVACLD(kHour, kMonth), 0.0f);
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.5f);

    // An air conditioner told to hold -150 F ends below -100 F.
    small_house(95.0f, 150000.0f);
    NFLAG(24) = true;
    NTYPE = 7;
    SCHEDULES(kHour, 9, 7) = -160;
    SCHEDULES(kHour, 10, 7) = -150;
    run_hour();
    EXPECT_FALSE(NFLAG(15));
    EXPECT_EQ(TEMPIN, 68.0f);
}

TEST(ZoneBalanceLightZone, SettlesWhateverTheMass) {
    // Little or no listed mass against a leaky envelope: passes of the
    // balance would overshoot more each time (conductances up to 8.8 times
    // the capacity), but the zone has a temperature all the same:
    // 68 + HEAT17 / (TMASS + 2 TAIRIN + CLC + Ginf).
    const auto light_zone = [](REAL tmass, REAL clc) {
        small_house(75.0f, 5000.0f);
        TMASS = tmass;
        CLC = clc;
        STRATEGY(18, 1) = 0.0f;
        STRATEGY(20, 1) = 0.0f;
        INTEGER not_converged = 5;
        TSTORE(kMonth, kHour, 1, not_converged);
        EXPECT_EQ(not_converged, 5);  // the driver's count is not the balance's to change
        EXPECT_TRUE(NFLAG(15));
        // The ventilation load at the final temperature, and the carried
        // store, follow the settled temperature.
        EXPECT_NEAR(HEAT(16, kHour, kMonth), kGinf * (75.0 - TEMPIN), 0.01);
        EXPECT_FLOAT_EQ(STOREL, HEAT(17, kHour, kMonth));
        return static_cast<double>(TEMPIN);
    };
    EXPECT_NEAR(light_zone(100.0f, 3000.0f), 68.0 + 5000.0 / (100 + 2 * kTairin + 3000 + kGinf), 1e-4);
    EXPECT_NEAR(light_zone(500.0f, 400.0f), 68.0 + 5000.0 / (500 + 2 * kTairin + 400 + kGinf), 1e-4);
    EXPECT_NEAR(light_zone(0.0f, 400.0f), 68.0 + 5000.0 / (2 * kTairin + 400 + kGinf), 1e-4);
}

TEST(ZoneBalanceSetPoints, BuildingTypeWithoutSchedules) {
    // A non-residential building type outside the schedule table (1 to 20)
    // has no set-point, infiltration or occupancy rows: the hour keeps the
    // comfort limits and reads no schedule at all.
    small_house(95.0f, heat_for_floating_at(81.49));
    NFLAG(24) = true;
    NFLAG(45) = false;
    NTYPE = 25;
    run_hour();
    EXPECT_TRUE(NFLAG(15));
    EXPECT_FLOAT_EQ(TEMPIN, 78.0f);
    EXPECT_GT(HVACLD(kHour, kMonth), 0.0f);
    EXPECT_EQ(FACFM, 0.0f);  // no fresh air per floor area of the type
}

TEST(ZoneBalanceInfiltration, LeakageAreaModelAndFreshAir) {
    // SLA 2.5 on 2000 ft2: 72 in2; two stories, 20 F, no wind:
    // 72 x sqrt(0.0313 x 20) x 60 / 16000 = 0.2136 ACH. Fresh air
    // 0.01 x 2000 + 7.5 x 4 = 50 cfm = 0.1875 ACH.
    const auto leakage = [](REAL floors, REAL floor_code) {
        small_house(88.0f, 0.0f);
        NFLAG(45) = false;
        SLA = 2.5f;
        SurfaceRatio = 1.0f;
        FLOORS = floors;
        STRATEGY(33, 1) = floor_code;
        run_hour();
        return AIRVOL(kHour, kMonth) - 0.1875;
    };
    EXPECT_NEAR(leakage(2.0f, 0.0f), 72 * std::sqrt(0.0313 * 20) * 60 / 16000, 1e-5);
    EXPECT_FLOAT_EQ(FACFM, 50.0f);
    EXPECT_NEAR(leakage(2.0f, 12.0f), 72 * std::sqrt(0.0158 * 20) * 60 / 16000, 1e-5);  // over a basement
    EXPECT_NEAR(leakage(2.0f, 16.0f), 72 * std::sqrt(0.0313 * 20) * 60 / 16000, 1e-5);  // raised floor
    EXPECT_NEAR(leakage(1.5f, 0.0f), 0.0, 1e-7);

    // Heat recovery needs a second fan: 50 cfm x 0.4 W/cfm twice.
    small_house(75.0f, heat_for_floating_at(71.0));
    NFLAG(45) = false;
    SLA = 0.0f;
    IAQHeatRec = 50.0f;
    run_hour();
    EXPECT_NEAR(fans_kwh(), 0.04, 1e-6);
    EXPECT_EQ(IAQFanHrs, 1.0f);
}

TEST(ZoneBalanceInfiltration, NonResidentialScheduleAndFixedAirChanges) {
    const auto infiltration = [](REAL heating, REAL cooling) {
        small_house(75.0f, heat_for_floating_at(71.0));
        NFLAG(24) = true;
        NFLAG(45) = false;
        NTYPE = 7;
        SCHEDULES(kHour, 9, 7) = 68;
        SCHEDULES(kHour, 10, 7) = 78;
        SCHEDULES(kHour, 11, 7) = 0;
        wCFMiaq = 0.0f;
        AREA(6) = 1000.0f;
        WINDFPM(kHour) = 880.0f;  // 10 mph
        STRATEGY(18, 1) = heating;
        STRATEGY(20, 1) = cooling;
        run_hour();
        return AIRVOL(kHour, kMonth);
    };
    EXPECT_EQ(infiltration(2.0f, 2.0f), 0.0f);
    // Without heating or cooling nothing pressurises the building.
    EXPECT_NEAR(infiltration(0.0f, 0.0f), 1000 * 0.0448 * 10 * 0.10016 * 60 / 16000, 1e-6);

    // Fixed winter air changes: exactly AirChgW, no fresh air.
    small_house(75.0f, heat_for_floating_at(71.0));
    AirChgW = 0.35f;
    run_hour();
    EXPECT_FLOAT_EQ(AIRVOL(kHour, kMonth), 0.35f);
    EXPECT_NEAR(fans_kwh(), 0.0, 1e-7);
}

}  // namespace
}  // namespace mavo
