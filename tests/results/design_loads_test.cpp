// Design heat loss and peak cooling gain against hand calculations.
#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "results/design_loads.h"

namespace mavo {
namespace {

// A one-story house of 2000 ft2 with SLA 4, design 28 F, set point 68 F.
void one_story_house() {
    NFLAG(38) = true;
    NFLAG(40) = false;
    NFLAG(24) = false;
    AREA.fill(0.0f);
    UVAL.fill(0.0f);
    AREA(6) = 1000.0f; UVAL(6) = 0.1f;
    SLA = 4.0f; AREAT = 2000.0f; FLOORS = 1.0f; SurfaceRatio = 1.0f;
    VOLUMEAG = 16000.0f;
    COMLOW = 68.0f; DESMIN = 28.0f;
    STRATEGY(33, 1) = 2.0f;
}

TEST(DesignLoads, TwelveDayRunHasNoDesignLoads) {
    NFLAG(38) = false;
    ASLOSS = -5.0f;
    HEATLOSS(3) = 7.0f;
    HEATGAIN(27) = 9.0f;
    ASHRAE();
    EXPECT_EQ(ASLOSS, 0.0f);
    EXPECT_EQ(HEATLOSS(3), 7.0f);
    EXPECT_EQ(HEATGAIN(27), 9.0f);
}

TEST(DesignLoads, ResidentialLeakageInfiltration) {
    one_story_house();
    ASHRAE();
    // ELA = 4 x 2000 x 144 / 10000 = 115.2 in2;
    // CFM = 115.2 x sqrt(0.0158 x 40 + 0.0039 x 225) = 141.54.
    const double cfm = 115.2 * std::sqrt(0.0158 * 40 + 0.0039 * 225);
    EXPECT_NEAR(AirChgW, cfm * 60 / 16000, 1e-5);
    EXPECT_NEAR(HEATLOSS(19), cfm * 60 * -40 * 0.241 * 0.075, 0.05);
    EXPECT_FLOAT_EQ(HEATLOSS(6), -4000.0f);
    EXPECT_FLOAT_EQ(ASLOSS, HEATLOSS(6) + HEATLOSS(19));
    EXPECT_EQ(HEATLOSS(27), ASLOSS);

    FLOORS = 1.5f;  // between whole stories: no coefficients
    ASHRAE();
    EXPECT_EQ(AirChgW, 0.0f);

    NFLAG(45) = true;  // fixed winter air changes
    AirChgW = 0.5f;
    ASHRAE();
    EXPECT_EQ(AirChgW, 0.5f);
    EXPECT_NEAR(HEATLOSS(19), 0.5f * 16000 * -40 * 0.241f * 0.075f, 0.05);
}

TEST(DesignLoads, BasementBandsAgainstGroundTemperatures) {
    one_story_house();
    FLOORS = 2.0f;  // two stories over a basement: one above grade
    STRATEGY(33, 1) = -12.0f;
    CECZONE = 16;   // ground 41.6 F and 50.5 F
    for (int i = 13; i <= 17; ++i) {
        AREA(i) = 100.0f;
        UVAL(i) = 0.1f;
    }
    ASHRAE();
    EXPECT_FLOAT_EQ(HEATLOSS(13), -400.0f);
    EXPECT_FLOAT_EQ(HEATLOSS(15), 10.0f * (41.6f - 68.0f));
    EXPECT_FLOAT_EQ(HEATLOSS(16), 10.0f * (28.0f - 50.5f));
    EXPECT_FLOAT_EQ(HEATLOSS(17), 10.0f * (50.5f - 68.0f));
    EXPECT_FLOAT_EQ(HEATLOSS(18), HEATLOSS(13) + HEATLOSS(14) + HEATLOSS(15) + HEATLOSS(16));
    const double cfm = 115.2 * std::sqrt(0.0158 * 40 + 0.0039 * 225);
    EXPECT_NEAR(AirChgW, cfm * 60 / 16000, 1e-5);  // counted as one story

    STRATEGY(33, 1) = 16.0f;  // not a basement: floor and slab items
    AREA(11) = 500.0f; UVAL(11) = 0.05f;
    ASHRAE();
    EXPECT_FLOAT_EQ(HEATLOSS(11), -1000.0f);
}

TEST(DesignLoads, NonResidentialEnvelopeInfiltration) {
    one_story_house();
    NFLAG(24) = true;
    AREA(11) = 1000.0f;
    ASHRAE();
    const float cfm = 2000.0f * 0.0448f * 1.5024f;
    EXPECT_FLOAT_EQ(AirChgW, 0.25f * (cfm * 60.0f / 16000.0f));
}

TEST(DesignLoads, PeakCoolingAddsLatentLoadsOnce) {
    one_story_house();
    PEOPLE = 4.0f; PBTUHL = 160.0f; LATENT = 30.0f;
    HEATGAIN(20) = 1000.0f;
    HEATGAIN(25) = HEATGAIN(27) = 20000.0f;  // sensible peak of the zone balance
    STRATEGY(20, 1) = 3.0f;
    ASHRAE();
    EXPECT_FLOAT_EQ(HEATGAIN(27), 20000.0f + 640.0f + 300.0f);
    ASHRAE();  // a second summary of the same run does not add them again
    EXPECT_FLOAT_EQ(HEATGAIN(27), 20940.0f);
    EXPECT_EQ(HEATGAIN(25), 20000.0f);

    for (float code : {6.0f, -1.0f, 0.0f}) {
        HEATGAIN(25) = HEATGAIN(27) = 20000.0f;
        STRATEGY(20, 1) = code;
        ASHRAE();
        EXPECT_EQ(HEATGAIN(25), 0.0f);
        EXPECT_EQ(HEATGAIN(27), 0.0f);
    }
}

}  // namespace
}  // namespace mavo
