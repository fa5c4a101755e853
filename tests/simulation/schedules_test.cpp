// The day's lights-on schedule.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "simulation/schedules.h"

namespace mavo {
namespace {

// The hours lit by SCHED(1,.), as a 24-character map ("1" lit, "." dark).
std::string lit_hours() {
    std::string s;
    for (INTEGER h = 1; h <= 24; ++h) s += SCHED(1, h) == 1.0f ? '1' : (SCHED(1, h) == 0.0f ? '.' : '?');
    return s;
}

TEST(DaySchedules, ResidentialWindowOfWholeHours) {
    SUNRISE = 6.6f;
    SUNSET = 17.4f;
    SCHEDS(1);  // the initial window: hours 8 to 18
    EXPECT_EQ(lit_hours(), ".......11111111111......");

    HRLITEON = 18.0f;  // across midnight
    HRLITEOFF = 7.0f;
    SCHEDS(1);
    EXPECT_EQ(lit_hours(), "1111111..........1111111");
}

TEST(DaySchedules, SunRelativeEndsAreResolvedAndKept) {
    SUNRISE = 6.6f;
    SUNSET = 17.4f;
    HRLITEON = 25.0f;  // at sunset
    HRLITEOFF = 23.0f;
    SCHEDS(1);
    EXPECT_FLOAT_EQ(HRLITEON, 17.4f);
    EXPECT_EQ(lit_hours(), "................1111111.");

    HRLITEON = 27.0f;   // two hours after sunset
    HRLITEOFF = -1.0f;  // an hour before sunrise
    SCHEDS(1);
    EXPECT_FLOAT_EQ(HRLITEON, 19.4f);
    EXPECT_FLOAT_EQ(HRLITEOFF, 5.6f);
    EXPECT_EQ(lit_hours(), "11111.............111111");

    SUNSET = 18.5f;  // kept for the rest of the run, whatever the sun does
    SCHEDS(1);
    EXPECT_FLOAT_EQ(HRLITEON, 19.4f);

    HRLITEON = -2.0f;  // two hours before sunset
    HRLITEOFF = 22.0f;
    SCHEDS(1);
    EXPECT_FLOAT_EQ(HRLITEON, 16.5f);
    EXPECT_EQ(lit_hours(), "...............1111111..");
}

TEST(DaySchedules, WindowOutsideTheDayLightsOnlyHoursOfTheDay) {
    SUNRISE = 9999.0f;  // no sunrise or sunset that day
    SUNSET = 9999.0f;
    HRLITEON = 25.0f;
    HRLITEOFF = 7.0f;
    SCHEDS(1);
    EXPECT_EQ(lit_hours(), "1111111.................");

    HRLITEON = 0.5f;  // not resolved, truncates to hour 0
    HRLITEOFF = 3.0f;
    SCHEDS(1);
    EXPECT_EQ(lit_hours(), "111.....................");
}

TEST(DaySchedules, TestCasesAndMeasuredData) {
    IDNUM1 = 3;
    NFLAG(46) = true;
    SCHED(1, 10) = 1.0f;
    SCHEDS(1);
    EXPECT_EQ(lit_hours(), "........................");

    NFLAG(46) = false;
    NFLAG(36) = true;
    ITEM = 14;
    FIELDCODE = 1;
    SCHEDS(1);
    for (INTEGER r = 1; r <= 3; ++r)
        for (INTEGER h = 1; h <= 24; ++h) ASSERT_EQ(SCHED(r, h), 1.0f);
    EXPECT_EQ(OCCPROF(1), 0.024f);  // the occupant profile is not a schedule row

    ITEM = 13;  // measured data of this kind below code 4 keep the window
    SCHEDS(1);
    EXPECT_EQ(lit_hours(), ".......11111111111......");
    EXPECT_EQ(SCHED(2, 1), 1.0f);
}

TEST(DaySchedules, NonResidentialLightingRowInPercent) {
    NFLAG(24) = true;
    NTYPE = 7;
    for (INTEGER h = 1; h <= 24; ++h) SCHEDULES(h, 2, 7) = h <= 12 ? 50 : 90;
    SCHEDS(1);
    EXPECT_FLOAT_EQ(SCHED(1, 1), 0.5f);
    EXPECT_FLOAT_EQ(SCHED(1, 13), 0.9f);
    EXPECT_FLOAT_EQ(SCHED(2, 1), 1139.0f);  // the residential profiles stay

    NTYPE = 0;  // a type without schedules has its lights off
    SCHEDS(1);
    EXPECT_EQ(lit_hours(), "........................");
}

}  // namespace
}  // namespace mavo
