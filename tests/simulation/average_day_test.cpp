// The average day of a month of the 365-day run.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "simulation/average_day.h"

namespace mavo {
namespace {

constexpr INTEGER kJanuary = 1;
constexpr INTEGER kDays = 31;

// One day d of January as the zone balance leaves hour 5: heating on days
// 1 to 10, cooling on the others.
void simulate_hour5_of_day(INTEGER d) {
    TEMP(5) = 30.0f + static_cast<REAL>(d);
    TEMPIN = 68.0f;
    for (INTEGER c = 1; c <= 17; ++c) HEAT(c, 5, kJanuary) = static_cast<REAL>(c * d);
    HVACLD(5, kJanuary) = d <= 10 ? -1000.0f * static_cast<REAL>(d) : 500.0f;
    STORED(5, kJanuary) = 777.0f;
    AIRVOL(5, kJanuary) = 0.5f;
    KWHRFA(5, kJanuary) = 0.2f;
    if (d <= 4) FREEZHRS(5, kJanuary) = FREEZHRS(5, kJanuary) + 1.0f;
    add_hour_to_average_day(kJanuary, 5, kDays);
}

TEST(AverageDay, MonthSlotHoldsTheMeanOfItsDays) {
    for (INTEGER d = 1; d <= kDays; ++d) simulate_hour5_of_day(d);
    close_average_day(kJanuary, kDays);

    // Mean dry bulb of 31..61 F is 46 F; the indoor temperature stays 68 F.
    EXPECT_NEAR(OATEMP(5, kJanuary), 46.0f, 1e-3f);
    EXPECT_NEAR(IATEMP(5, kJanuary), 68.0f, 1e-3f);
    // Component c averages c x d over d = 1..31: c x 16.
    EXPECT_NEAR(HEAT(1, 5, kJanuary), 16.0f, 1e-4f);
    EXPECT_NEAR(HEAT(17, 5, kJanuary), 17.0f * 16.0f, 1e-3f);
    // Heating and cooling are kept apart, each over all 31 days.
    EXPECT_NEAR(HVACLD(5, kJanuary), -55000.0f / 31.0f, 1e-2f);
    EXPECT_NEAR(STORED(5, kJanuary), 21.0f * 500.0f / 31.0f, 1e-2f);
    EXPECT_NEAR(AIRVOL(5, kJanuary), 0.5f, 1e-5f);
    EXPECT_NEAR(KWHRFA(5, kJanuary), 0.2f, 1e-5f);
    EXPECT_NEAR(FREEZHRS(5, kJanuary), 4.0f / 31.0f, 1e-6f);
    for (INTEGER r = 1; r <= 23; ++r) EXPECT_EQ(HEATAC(r, 5), 0.0f) << r;
}

TEST(AverageDay, MonthOfHeatingOnlyHasNoCooling) {
    for (INTEGER d = 1; d <= kDays; ++d) {
        HVACLD(5, kJanuary) = -2000.0f;
        STORED(5, kJanuary) = 300.0f;  // the stored heat the zone balance wrote
        add_hour_to_average_day(kJanuary, 5, kDays);
    }
    close_average_day(kJanuary, kDays);
    EXPECT_NEAR(HVACLD(5, kJanuary), -2000.0f, 1e-2f);
    EXPECT_EQ(STORED(5, kJanuary), 0.0f);
    // Hours never added keep a zero day.
    EXPECT_EQ(HVACLD(6, kJanuary), 0.0f);
}

}  // namespace
}  // namespace mavo
