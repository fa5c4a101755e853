#include <gtest/gtest.h>

#include <cmath>
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
    // The weather file's own ground temperatures start empty.
    for (int m = 1; m <= 13; ++m) EXPECT_EQ(GROUNDTEMP(m, 18), 0.0f) << m;
    EXPECT_EQ(ZONE, 0);
    EXPECT_EQ(THEATMAX, 0.0f);
    EXPECT_EQ(SKPDAY, 0);
    EXPECT_EQ(DAYCOUNT, 0);
}

// Normal monthly mean air temperatures, F, of each zone's reference city
// (NOAA 1991-2020 U.S. Climate Normals, rounded to whole degrees), and of
// Colorado Springs for the zone-16 variant.
constexpr double kNormals[17][12] = {
    {47, 48, 49, 50, 53, 55, 57, 58, 57, 54, 50, 47},  // 1 Arcata
    {48, 51, 54, 56, 60, 64, 66, 67, 66, 61, 53, 47},  // 2 Santa Rosa
    {51, 54, 56, 58, 60, 63, 64, 65, 66, 63, 56, 51},  // 3 Oakland
    {51, 54, 57, 60, 64, 68, 70, 71, 69, 64, 56, 51},  // 4 San Jose
    {52, 53, 54, 56, 58, 61, 63, 64, 64, 62, 56, 51},  // 5 Santa Maria
    {58, 58, 60, 62, 64, 67, 70, 71, 71, 67, 62, 57},  // 6 Torrance
    {58, 59, 61, 63, 65, 68, 71, 73, 72, 68, 63, 58},  // 7 San Diego
    {58, 59, 61, 64, 67, 71, 75, 76, 75, 70, 62, 57},  // 8 Fullerton
    {57, 58, 61, 64, 68, 72, 77, 78, 76, 70, 62, 56},  // 9 Burbank
    {55, 57, 60, 64, 68, 74, 80, 80, 77, 70, 61, 54},  // 10 Riverside
    {46, 50, 55, 60, 68, 76, 82, 80, 75, 65, 53, 46},  // 11 Red Bluff
    {47, 51, 55, 59, 65, 71, 75, 75, 72, 64, 54, 47},  // 12 Sacramento
    {47, 52, 57, 62, 70, 78, 83, 82, 77, 66, 54, 46},  // 13 Fresno
    {46, 49, 54, 59, 67, 76, 82, 82, 75, 64, 53, 45},  // 14 Palmdale
    {58, 62, 67, 73, 81, 89, 94, 94, 88, 78, 66, 57},  // 15 Palm Springs
    {38, 38, 41, 45, 52, 60, 68, 67, 62, 54, 44, 37},  // 16 Blue Canyon
    {30, 31, 38, 45, 54, 64, 70, 68, 60, 49, 37, 30},  // 17 Colorado Springs
};

TEST(SiteBlocks, ZoneGroundTemperaturesFollowTheKusudaModel) {
    // Kusuda and Achenbach (1965) at 2 m in soil of 0.025 ft2/h, driven by
    // the mean and first harmonic of the monthly normals (days of the 15th).
    const double pi = std::acos(-1.0);
    const double mid[12] = {15, 46, 74, 105, 135, 166, 196, 227, 258, 288, 319, 349};
    const double omega = 2 * pi / 365, alpha_m2_day = 0.025 * 0.09290304 * 24;
    const double kz = 2.0 * std::sqrt(pi / (365 * alpha_m2_day));
    for (int set = 1; set <= 17; ++set) {
        const double* t = kNormals[set - 1];
        double mean = 0, a = 0, b = 0;
        for (int m = 0; m < 12; ++m) {
            mean += t[m] / 12;
            a += t[m] * std::cos(omega * mid[m]) / 6;
            b += t[m] * std::sin(omega * mid[m]) / 6;
        }
        // Warmest surface day atan2(b, a) / omega; the model counts from the coldest.
        const double coldest_day = std::atan2(b, a) / omega - 365.0 / 2;
        double sum = 0;
        for (int m = 1; m <= 12; ++m) {
            const double g =
                mean - std::hypot(a, b) * std::exp(-kz) * std::cos(omega * (mid[m - 1] - coldest_day) - kz);
            sum += g;
            EXPECT_NEAR(GROUNDTEMP(m, set), g, 0.006) << m << "," << set;
        }
        EXPECT_NEAR(GROUNDTEMP(13, set), sum / 12, 0.006) << set;
    }
    // Deep soil lags: the coldest month comes after the air's coldest.
    EXPECT_LT(GROUNDTEMP(3, 9), GROUNDTEMP(1, 9));
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
    EXPECT_EQ(GROUNDTEMP(1, 1), 50.86f);
    EXPECT_EQ(THEATMAX, 0.0f);
    EXPECT_EQ(SKPDAY, 0);
    EXPECT_EQ(DAYCOUNT, 0);
}

}  // namespace
}  // namespace mavo
