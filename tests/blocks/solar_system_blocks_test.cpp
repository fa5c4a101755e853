#include <gtest/gtest.h>

#include "blocks/block_words.h"

#include <cstdint>
#include <cstring>

#include "blocks/blocks.h"

namespace mavo {
namespace {

using testing::int_word;
using testing::real_word;
using testing::word_as;

// Raw four-byte word n (from 1) of a record, as the scheme input file
// addresses it.
TEST(SolarSystemBlocks, RecordStartsWithTheExamplePanelAndTheSolarWaterSystem) {
    EXPECT_EQ(SSYSNO, 1);
    EXPECT_EQ(SPANEL(1), -1);
    EXPECT_EQ(SCONTROL(1), -1);
    EXPECT_EQ(SCONTROL(2), 0);
    EXPECT_EQ(SQTY(1), 5.0f);
    EXPECT_EQ(SQTY(2), 4.0f);
    EXPECT_EQ(SSTRINGS(2), 0.0f);
    EXPECT_EQ(STENV(2), 67.5f);
    EXPECT_EQ(SNTANK(2), 1);
    EXPECT_EQ(STSET(2), 135.0f);
    EXPECT_EQ(SGPD(2), 49.4f);
    EXPECT_EQ(SEF(2), 0.6f);
    EXPECT_EQ(SDHWP8(2), 12.0f);
    EXPECT_EQ(SFRUL(2), -4.91f);
    EXPECT_EQ(SSVTANK(2), 50.0f);
    EXPECT_EQ(SSTHERMEFF(2), 98.0f);
}

TEST(SolarSystemBlocks, TextsArePaddedAndUnusedSlotsHoldTheExample) {
    EXPECT_EQ(SHEATER(2).view(), " A.O.Smith Water Products Co.           ");
    EXPECT_EQ(SCOLLECTOR(2), "Alternate Energy Technologies");
    for (int slot : {1, 3, 4}) {
        EXPECT_EQ(SREFNO(slot), "Example Ref Number");
        EXPECT_EQ(SHEATER(slot), "Example Water Heater");
        EXPECT_EQ(SCOLLECTOR(slot), "Example Collector");
        EXPECT_EQ(SCBRAND(slot), "Example Brand Name");
    }
    // Numeric slots 3 and 4 are empty.
    EXPECT_EQ(SPANEL(3), 0);
    EXPECT_EQ(SWIDTH(4), 0.0f);
    EXPECT_EQ(SSTHERMEFF(4), 0.0f);
}

TEST(SolarSystemBlocks, SlotsOfAFieldFollowEachOtherInTheFileWords) {
    EXPECT_EQ(word_as<INTEGER>(BLK50, 1), 1);          // SSYSNO
    EXPECT_EQ(word_as<INTEGER>(BLK50, 2), -1);         // SPANEL(1)
    EXPECT_EQ(word_as<REAL>(BLK50, 61), 135.0f);       // STSET(2)
    EXPECT_EQ(word_as<REAL>(BLK50, 69), 49.4f);        // SGPD(2)
    EXPECT_EQ(word_as<REAL>(BLK50, 257), 0.6f);        // SEF(2)
    EXPECT_EQ(word_as<REAL>(BLK50, 481), 50.0f);       // SSVTANK(2)
    EXPECT_EQ(word_as<REAL>(BLK50, 489), 98.0f);       // SSTHERMEFF(2)
    // Text slot 2 of the collector reference starts ten words into the field.
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&BLK50) + (292 - 1 + 10) * 4, "2002001A  ", 10), 0);
}

TEST(SolarSystemBlocks, DefaultsDifferFromTheRecordInFiveWordsOnly) {
    // Words of BLK49 whose initial value differs from BLK50's at the same place.
    struct Difference {
        int word;
        std::uint32_t defaults;
        std::uint32_t record;
    };
    auto bits = [](REAL v) {
        std::uint32_t w;
        std::memcpy(&w, &v, sizeof w);
        return w;
    };
    const Difference differences[] = {
        {7, 7u, 0u},                                 // DSCONTROL(2), auxiliary type
        {57, bits(50.0f), bits(0.0f)},               // DSSVTANK(2) against SSPARE3(2)
        {257, bits(0.67f), bits(0.6f)},              // DSEF(2)
        {285, bits(0.0f), bits(12.0f)},              // DSDHWP8(2)
        {481, bits(0.0f), bits(50.0f)},              // DSSPARE5(2) against SSVTANK(2)
    };
    int next = 0;
    for (int w = 1; w <= 492; ++w) {
        if (next < 5 && differences[next].word == w) {
            EXPECT_EQ(word_as<std::uint32_t>(BLK49, w), differences[next].defaults) << "word " << w;
            EXPECT_EQ(word_as<std::uint32_t>(BLK50, w), differences[next].record) << "word " << w;
            ++next;
        } else {
            ASSERT_EQ(word_as<std::uint32_t>(BLK49, w), word_as<std::uint32_t>(BLK50, w)) << "word " << w;
        }
    }
    for (int w = 493; w <= 496; ++w) EXPECT_EQ(word_as<std::uint32_t>(BLK49, w), 0u);
    EXPECT_EQ(DSWIDTH(1), 1.0f);
    EXPECT_EQ(DSSVTANK(2), 50.0f);
    EXPECT_EQ(DSEF(2), 0.67f);
}

TEST(SolarSystemBlocks, PhotovoltaicResultsZeroAndResetAfterARun) {
    EXPECT_EQ(PVSYSPEAK, 0.0f);
    EXPECT_EQ(PVKWH(13), 0.0f);
    PVOUT(8760) = 250.0f;
    PVKWH(13) = 4000.0f;
    PVAVGPEAK = 2.5f;
    SQTY(1) = 12.0f;
    SHEATER(2) = "Other maker";
    reset_all_blocks();
    EXPECT_EQ(PVOUT(8760), 0.0f);
    EXPECT_EQ(PVKWH(13), 0.0f);
    EXPECT_EQ(PVAVGPEAK, 0.0f);
    EXPECT_EQ(SQTY(1), 5.0f);
    EXPECT_EQ(SHEATER(2), " A.O.Smith Water Products Co.");
}

}  // namespace
}  // namespace mavo
