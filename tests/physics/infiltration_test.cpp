#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/infiltration.h"
#include "physics/physics.h"

namespace mavo {
namespace {

// Air heat capacity, Btu/ft3.F (0.241 Btu/lb.F x 0.075 lb/ft3).
constexpr REAL kAirCap = 0.018075f;

// The worked house: 2000 ft2 on two stories without basement, class 6
// (SLA 2.5), no wind, 20 F colder outside, four occupants with a fan.
class Infilt : public ::testing::Test {
protected:
    void SetUp() override {
        IDNUM1 = 1;
        NFLAG(24) = false;
        NFLAG(36) = false;
        NFLAG(45) = false;
        STRATEGY(24, 1) = 6.0f;
        STRATEGY(33, 1) = 2.0f;
        SLA = 2.5f;
        AREAT = 2000.0f;
        FLOORS = 2.0f;
        VOLUME = 20000.0f;
        VOLUMEAG = 16000.0f;
        SurfaceRatio = 1.0f;
        PEOPLE = 4.0f;
        wCFMiaq = 0.4f;
        IAQHeatRec = 0.0f;
        AirChgW = 0.35f;
        TEMPIN = 68.0f;
        TEMP(9) = 48.0f;
        WINDFPM(9) = 0.0f;
    }
};

TEST_F(Infilt, WorkedHouse) {
    INFILT(2, 9);
    // ELA 72 in2; 72 x sqrt(0.0313 x 20) x 60 / 16000 = 0.2136 ach.
    const REAL ach_inf = 72.0f * std::sqrt(0.0313f * 20.0f) * 60.0f / 16000.0f;
    EXPECT_NEAR(ach_inf, 0.2136f, 1e-4);
    EXPECT_EQ(FACFM, 50.0f);  // 20 + 4 x 7.5 cfm
    const REAL ach_vent = 50.0f * 60.0f / 20000.0f;
    EXPECT_NEAR(AIRVOL(9, 2), ach_inf + ach_vent, 1e-5);
    EXPECT_NEAR(HEAT(16, 9, 2), (ach_vent * 20000.0f + ach_inf * 16000.0f) * -20.0f * kAirCap, 1e-2);
    EXPECT_EQ(ACH50, 5.0f);
    EXPECT_NEAR(ACHNAT, 5.0f / 18.4f, 1e-6);
    EXPECT_EQ(STRATEGY(24, 1), 6.0f);

    // Half the ventilation heat recovered.
    IAQHeatRec = 50.0f;
    INFILT(2, 9);
    EXPECT_NEAR(HEAT(16, 9, 2), (0.5f * ach_vent * 20000.0f + ach_inf * 16000.0f) * -20.0f * kAirCap, 1e-2);

    // Wind of 10 mph adds its term under the root.
    IAQHeatRec = 0.0f;
    WINDFPM(9) = 880.0f;
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), 72.0f * std::sqrt(0.0313f * 20.0f + 0.0051f * 100.0f) * 60.0f / 16000.0f + ach_vent,
                1e-5);

    // No outdoor-indoor difference, no load.
    TEMP(9) = TEMPIN;
    INFILT(2, 9);
    EXPECT_EQ(HEAT(16, 9, 2), 0.0f);
}

TEST_F(Infilt, NoFanNoOccupantsOrFixedAirChanges) {
    wCFMiaq = 0.0f;
    INFILT(2, 9);
    EXPECT_FLOAT_EQ(AIRVOL(9, 2), 0.35f);
    EXPECT_NEAR(HEAT(16, 9, 2), 0.35f * 16000.0f * -20.0f * kAirCap, 1e-2);

    wCFMiaq = 0.4f;
    PEOPLE = 0.0f;
    INFILT(2, 9);
    EXPECT_FLOAT_EQ(AIRVOL(9, 2), 0.35f);

    PEOPLE = 4.0f;
    NFLAG(45) = true;
    SLA = 4.3f;
    STRATEGY(24, 1) = -3.0f;
    INFILT(2, 9);
    EXPECT_FLOAT_EQ(AIRVOL(9, 2), 0.35f);
    EXPECT_EQ(SLA, 4.3f);  // the user's leakage area stays
    EXPECT_FLOAT_EQ(ACH50, 8.6f);
    EXPECT_EQ(STRATEGY(24, 1), -3.0f);  // the code's sign is left alone
}

TEST_F(Infilt, TightnessClassOrUserLeakageArea) {
    SLA = 3.1f;  // the user's own
    INFILT(2, 9);
    EXPECT_EQ(STRATEGY(24, 1), -6.0f);
    EXPECT_EQ(SLA, 3.1f);
    EXPECT_FLOAT_EQ(ACH50, 6.2f);

    SLA = 4.9f;  // a class value with a class code: the class code wins
    STRATEGY(24, 1) = 7.0f;
    INFILT(2, 9);
    EXPECT_EQ(STRATEGY(24, 1), 7.0f);
    EXPECT_EQ(SLA, 2.0f);
    EXPECT_EQ(ACH50, 4.0f);

    SLA = 3.8f;  // the user's own that equals class 4, under a custom code
    STRATEGY(24, 1) = -1.0f;
    INFILT(2, 9);
    EXPECT_EQ(STRATEGY(24, 1), -1.0f);
    EXPECT_EQ(SLA, 3.8f);
    EXPECT_FLOAT_EQ(ACH50, 7.6f);

    SLA = 2.5f;  // there is no class 5
    STRATEGY(24, 1) = 5.0f;
    INFILT(2, 9);
    EXPECT_EQ(SLA, 2.5f);
    EXPECT_EQ(ACH50, 5.0f);
}

TEST_F(Infilt, StoriesAndBasement) {
    FLOORS = 1.5f;  // between the table's story counts: no leakage term
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), 0.15f, 1e-6);

    const REAL one_story = 72.0f * std::sqrt(0.0158f * 20.0f) * 60.0f / 16000.0f;
    FLOORS = 2.0f;
    STRATEGY(33, 1) = -12.0f;  // two stories over a basement count as one
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), one_story + 0.15f, 1e-5);
    STRATEGY(33, 1) = 16.0f;  // a slab, not a basement
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), 72.0f * std::sqrt(0.0313f * 20.0f) * 60.0f / 16000.0f + 0.15f, 1e-5);
    FLOORS = 3.0f;  // three over a basement count as two
    STRATEGY(33, 1) = 12.0f;
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), 72.0f * std::sqrt(0.0313f * 20.0f) * 60.0f / 16000.0f + 0.15f, 1e-5);
    EXPECT_NEAR(ACHNAT, 5.0f / 16.15f, 1e-6);
}

TEST_F(Infilt, AboveGradeVolumeOnFirstCall) {
    VOLUMEAG = -99.0f;
    VOLUME = 24000.0f;
    FLTOCE = 8.0f;
    RAX = 1000.0f;
    STRATEGY(33, 1) = 12.0f;
    INFILT(2, 9);
    EXPECT_EQ(VOLUMEAG, 18000.0f);  // 24000 - (8 - 2) x 1000
    VOLUME = 30000.0f;
    INFILT(2, 10);
    EXPECT_EQ(VOLUMEAG, 18000.0f);  // kept for the run

    VOLUMEAG = -99.0f;
    VOLUME = 1000.0f;
    FLTOCE = 10.0f;
    INFILT(2, 9);
    EXPECT_FLOAT_EQ(VOLUMEAG, 0.99f);

    VOLUMEAG = 0.0f;  // a zero volume is no volume: recomputed, not divided by
    STRATEGY(33, 1) = 2.0f;
    INFILT(2, 9);
    EXPECT_EQ(VOLUMEAG, 1000.0f);
    EXPECT_TRUE(std::isfinite(HEAT(16, 9, 2)));
}

TEST_F(Infilt, MeasuredDataRunsLeaveTheHourAlone) {
    NFLAG(36) = true;
    FIELDCODE = 6;
    HEAT(16, 9, 2) = 11.0f;
    AIRVOL(9, 2) = 2.0f;
    INFILT(2, 9);
    EXPECT_EQ(HEAT(16, 9, 2), 11.0f);
    EXPECT_EQ(AIRVOL(9, 2), 2.0f);
    FIELDCODE = 5;
    INFILT(2, 9);
    EXPECT_NE(AIRVOL(9, 2), 2.0f);
}

// An office of 5000 ft2 with 4000 ft2 of skin in a 5 mph wind.
TEST_F(Infilt, NonResidential) {
    NFLAG(24) = true;
    NTYPE = 1;
    SCHEDULES(9, 11, 1) = 25;
    STRATEGY(18, 1) = 3.0f;
    AREA = {};
    AREA(6) = 4000.0f;
    AREAT = 5000.0f;
    VOLUME = 60000.0f;
    VOLUMEAG = 50000.0f;
    DVALUENR(7, 1) = 0.15f;
    WINDFPM(9) = 440.0f;
    INFILT(2, 9);
    const REAL leak_ach = 4000.0f * 0.0448f * (5.0f * 0.10016f) * 60.0f / 50000.0f;
    EXPECT_EQ(FACFM, 750.0f);
    EXPECT_NEAR(AIRVOL(9, 2), 0.25f * leak_ach + 0.75f, 1e-5);
    EXPECT_NEAR(HEAT(16, 9, 2), (0.75f * 60000.0f + 0.25f * leak_ach * 50000.0f) * -20.0f * kAirCap, 1e-1);
    EXPECT_EQ(IWHEN1, 99980805);
    EXPECT_EQ(IWHEN2, 80809);

    STRATEGY(18, 1) = -7.0f;  // a heat pump of the user's beside a cooler of the user's:
    STRATEGY(20, 1) = -2.0f;  // systems all the same, whose fans pressurise the building
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), 0.25f * leak_ach + 0.75f, 1e-5);
    STRATEGY(20, 1) = 0.0f;

    STRATEGY(18, 1) = 1.0f;  // neither heated nor cooled: schedule ignored
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), leak_ach + 0.75f, 1e-5);

    NFLAG(45) = true;
    PEOPLE = 0.0f;
    wCFMiaq = 0.0f;
    INFILT(2, 9);
    EXPECT_FLOAT_EQ(AIRVOL(9, 2), 0.35f);
    PEOPLE = 10.0f;  // occupied: the outside air stays
    INFILT(2, 9);
    EXPECT_NEAR(AIRVOL(9, 2), 0.35f + 0.75f, 1e-6);
}

TEST(LeakageModel, Helpers) {
    EXPECT_EQ(stack_wind_coefficients(4.0f).stack, 0.0471f);
    EXPECT_EQ(stack_wind_coefficients(2.5f).wind, 0.0f);
    // Stack only, 1 story, dT of either sign: 100 x sqrt(0.0158 x 25).
    EXPECT_FLOAT_EQ(leakage_area_flow_cfm(100.0f, {0.0158f, 0.0039f}, -25.0f, 0.0f), 100.0f * std::sqrt(0.395f));
    REAL sla = 0, ach50 = 0;
    EXPECT_FALSE(tightness_class(5, sla, ach50));
    EXPECT_TRUE(tightness_class(9, sla, ach50));
    EXPECT_EQ(sla, 0.3f);
    EXPECT_EQ(ach50, 0.6f);
    EXPECT_EQ(natural_air_change_divisor(2.5f), 18.4f);
}

}  // namespace
}  // namespace mavo
