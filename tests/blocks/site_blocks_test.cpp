#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "blocks/blocks.h"

namespace mavo {
namespace {

TEST(SiteBlocks, UtilityDataOfANewProject) {
    // Zip code 90025 in climate zone 6 with the 2001 gas tariff.
    EXPECT_EQ(ZIPCODE, 90025.0f);
    EXPECT_EQ(CECZONE, 6);
    EXPECT_EQ(BLK33A.GASYEAR, 2001);
    EXPECT_EQ(BLK33A.GCUSTOMCHG, 0.16438f);
    EXPECT_EQ(BLK33A.GWINMON1, 11);
    EXPECT_EQ(BLK33A.GWINMON2, 4);
    EXPECT_EQ(BLK33A.OILPRICE, 2.9f);
}

TEST(SiteBlocks, ClimateStartsEmpty) {
    EXPECT_EQ(SLAT, 0.0f);
    EXPECT_EQ(HDD, 0.0f);
    EXPECT_EQ(TMAX(7), 0.0f);
    EXPECT_TRUE(CLIMATEFILENAME.is_blank());
    EXPECT_EQ(CLIMATEFILENAME.view().size(), 12u);
    EXPECT_EQ(TDAILY(433), 0.0f);
    // No ground temperatures until a weather file or a later table supplies them.
    for (int set = 1; set <= 18; ++set)
        for (int m = 1; m <= 13; ++m) EXPECT_EQ(GROUNDTEMP(m, set), 0.0f) << m << "," << set;
    EXPECT_EQ(ZONE, 0);
    EXPECT_EQ(THEATMAX, 0.0f);
    EXPECT_EQ(SKPDAY, 0);
    EXPECT_EQ(DAYCOUNT, 0);
}

TEST(SiteBlocks, WordsAsTheSchemeInputFileAddressesThem) {
    CLIMATEFILENAME = "USA_CA_LA.ep";
    TDAILY(69) = 55.5f;          // 1 January
    TDAILY(1) = 60.25f;          // 25 October, repeated ahead of the year
    GROUNDTEMP(13, 18) = 61.0f;  // annual mean of the weather file's own set
    ZONE = 18;
    THEATMAX = 85.0f;

    unsigned char bytes[sizeof(BLK7_t)];
    std::memcpy(bytes, &BLK7, sizeof bytes);
    auto word = [&](int n) {
        float f;
        std::memcpy(&f, bytes + (n - 1) * 4, 4);
        return f;
    };
    auto int_word = [&](int n) {
        std::int32_t i;
        std::memcpy(&i, bytes + (n - 1) * 4, 4);
        return i;
    };
    EXPECT_EQ(std::memcmp(bytes + 32 * 4, "USA_CA_LA.ep", 12), 0);  // words 33-35
    EXPECT_EQ(word(37), 60.25f);
    EXPECT_EQ(word(37 + 68), 55.5f);
    EXPECT_EQ(word(470 + 17 * 13 + 12), 61.0f);
    EXPECT_EQ(int_word(704), 18);
    EXPECT_EQ(word(705), 85.0f);
}

TEST(SiteBlocks, ResetRestoresEveryBlock) {
    ZIPCODE = 94720.0f;
    SLAT = 34.0f;
    CLIMATEFILENAME = "zone9.txh";
    GROUNDTEMP(1, 1) = 50.0f;
    THEATMAX = 60.0f;
    SKPDAY = 73;
    DAYCOUNT = 200;
    reset_all_blocks();
    EXPECT_EQ(ZIPCODE, 90025.0f);
    EXPECT_EQ(SLAT, 0.0f);
    EXPECT_TRUE(CLIMATEFILENAME.is_blank());
    EXPECT_EQ(GROUNDTEMP(1, 1), 0.0f);
    EXPECT_EQ(THEATMAX, 0.0f);
    EXPECT_EQ(SKPDAY, 0);
    EXPECT_EQ(DAYCOUNT, 0);
}

}  // namespace
}  // namespace mavo
