#include <gtest/gtest.h>

#include "blocks/block_words.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "blocks/blocks.h"
#include "blocks/simulation_blocks.h"

namespace mavo {
namespace {

using testing::int_word;
using testing::real_word;
using testing::word_as;

// Word w (counted from 1) of a block, as the files and record layouts see it.
TEST(SimulationBlocks, ComfortLimitsAndBalancePointsSitInTheirWords) {
    // Word 1 and word 5 travel in the scheme input file with the two limits.
    EXPECT_EQ(real_word(BLK6, 1), 0.0f);
    EXPECT_EQ(real_word(BLK6, 2), 75.0f);  // upper comfort limit
    EXPECT_EQ(real_word(BLK6, 3), 68.0f);  // lower comfort limit
    EXPECT_EQ(real_word(BLK6, 5), 0.2f);   // ground reflectance
    EXPECT_EQ(real_word(BLK6, 55), -999.0f);  // balance point without sun, never computed
    TEMP(1) = 41.0f;
    TEMPIN = 70.0f;
    DP(24) = 33.0f;
    EXPECT_EQ(real_word(BLK6, 30), 41.0f);
    EXPECT_EQ(real_word(BLK6, 54), 70.0f);
    EXPECT_EQ(real_word(BLK6, 147), 33.0f);
    BLK6.HVACPEAKMAXHR = 17;
    EXPECT_EQ(int_word(BLK6, 75), 17);
}

TEST(SimulationBlocks, CalendarHasNoLeapYear) {
    const int months[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(MODAYS(m), months[m - 1]) << "month " << m;
    EXPECT_EQ(MODAYS(13), 365);
    EXPECT_EQ(std::accumulate(MODAYS.begin(), MODAYS.begin() + 12, 0), MODAYS(13));
}

TEST(SimulationBlocks, ResidentialProfiles) {
    for (int h = 1; h <= 24; ++h) EXPECT_EQ(SCHED(1, h), 0.0f) << "hour " << h;
    // Cells from the residential profile table, including the morning peak.
    EXPECT_EQ(SCHED(2, 1), 1139.0f);
    EXPECT_EQ(SCHED(2, 8), 4782.0f);
    EXPECT_EQ(SCHED(3, 8), 1036.0f);
    EXPECT_EQ(SCHED(2, 24), 3701.0f);
    EXPECT_EQ(SCHED(3, 24), 802.0f);
    // Rows interleave hour by hour in memory: word 2 is row 2 of hour 1.
    EXPECT_EQ(real_word(BLK32, 2), 1139.0f);
    EXPECT_EQ(real_word(BLK32, 3), 247.0f);

    // The table's own sums: occupancy 1.001, hot water 1.002.
    EXPECT_NEAR(std::accumulate(OCCPROF.begin(), OCCPROF.end(), 0.0), 1.001, 1e-6);
    EXPECT_NEAR(std::accumulate(DHWPROF.begin(), DHWPROF.end(), 0.0), 1.002, 1e-6);
    // The equipment model takes 0.064 as the largest hourly share.
    EXPECT_EQ(*std::max_element(OCCPROF.begin(), OCCPROF.end()), 0.064f);
    EXPECT_EQ(OCCPROF(18), 0.064f);
    EXPECT_EQ(OCCPROF(19), 0.064f);
    EXPECT_EQ(DHWPROF(8), 0.107f);
    EXPECT_EQ(MONPROF(1), 1.19f);
    EXPECT_EQ(MONPROF(6), 0.8f);
    EXPECT_EQ(MONPROF(12), 1.21f);
    EXPECT_EQ(real_word(BLK32, 73), 0.024f);   // OCCPROF(1)
    EXPECT_EQ(real_word(BLK32, 97), 1.19f);    // MONPROF(1)
    EXPECT_EQ(real_word(BLK32, 132), 0.022f);  // DHWPROF(24)
}

TEST(SimulationBlocks, RadiationRunsOfTheDay) {
    // The hourly radiation file reads words 49-72 and 73-96 in kJ/m2.
    BLKT38B.BEAMKJ(1) = 1200;
    BLKT38B.HORIZKJ(24) = 15;
    HORIZ(1) = 88;
    EXPECT_EQ(int_word(BLKT38B, 25), 88);
    EXPECT_EQ(int_word(BLKT38B, 49), 1200);
    EXPECT_EQ(int_word(BLKT38B, 96), 15);
    THOUR(24) = 24;
    EXPECT_EQ(int_word(BLKT38A, 48), 24);
}

TEST(SimulationBlocks, HourlyResultsAreHourFastestAndResetWhole) {
    HEAT(17, 24, 12) = 5.0f;
    EXPECT_EQ(BLK17.HEAT.data()[17 * 24 * 12 - 1], 5.0f);
    HVACLD(2, 1) = -3000.0f;
    EXPECT_EQ(real_word(BLK34, 3 * 288 + 2), -3000.0f);
    TOTHORIZ(8760) = 812.5;
    IATEMP(6, 12) = 71.0f;
    TEMPFUEL(24, 12) = 1.0f;
    COMHI = 78.0f;
    BALPTNOSUN = 0.0f;
    SCHED(2, 8) = 0.0f;
    STOREL = 1.0e5f;
    CYCLE = -2.0f;

    reset_all_blocks();

    EXPECT_EQ(HEAT(17, 24, 12), 0.0f);
    EXPECT_EQ(HVACLD(2, 1), 0.0f);
    EXPECT_EQ(TOTHORIZ(8760), 0.0);
    EXPECT_EQ(IATEMP(6, 12), 0.0f);
    EXPECT_EQ(TEMPFUEL(24, 12), 0.0f);
    EXPECT_EQ(COMHI, 75.0f);
    EXPECT_EQ(BALPTNOSUN, -999.0f);
    EXPECT_EQ(SCHED(2, 8), 4782.0f);
    EXPECT_EQ(STOREL, 0.0f);
    EXPECT_EQ(CYCLE, 0.0f);
}

}  // namespace
}  // namespace mavo
