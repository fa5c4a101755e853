// The built-in tariffs as the bill and the scheme files address them: word
// by word, with the values of the 2014/2015 tariff sheets.
#include <gtest/gtest.h>

#include "blocks/block_words.h"

#include <cstring>

#include "blocks/blocks.h"

namespace mavo {
namespace {

using testing::int_word;
using testing::real_word;
using testing::word_as;

// Word n (from 1) of a block, as a file writer or the host would read it.
// One 21-word time-of-use record, words 1 and 3-12 integer.
struct TouExpect {
    int year;
    float custchg;
    int months[2];
    int hours[8];
    float rates[6];
    float demand[2];
};

template <class Block>
void expect_tou_record(const Block& b, const TouExpect& e, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(int_word(b, 1), e.year);
    EXPECT_EQ(real_word(b, 2), e.custchg);
    EXPECT_EQ(int_word(b, 3), e.months[0]);
    EXPECT_EQ(int_word(b, 4), e.months[1]);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(int_word(b, 5 + i), e.hours[i]) << "word " << 5 + i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(real_word(b, 13 + i), e.rates[i]) << "word " << 13 + i;
    EXPECT_EQ(real_word(b, 19), e.demand[0]);
    EXPECT_EQ(real_word(b, 20), e.demand[1]);
    for (int w = 21; w <= 24; ++w) EXPECT_EQ(real_word(b, w), 0.0f) << "word " << w;
}

TEST(TariffBlocks, BuiltInTimeOfUseRecordsWordByWord) {
    const TouExpect sce{2014, 0.836f, {10, 5}, {12, 18, 23, 8, 8, 0, 21, 0},
                        {0.18457f, 0.08848f, 0.06477f, 0.14602f, 0.0f, 0.08848f}, {8.8f, 3.45f}};
    expect_tou_record(BLK33R, sce, "SCE");
    expect_tou_record(BLK33Q, sce, "generic");
    expect_tou_record(BLK33S,
                      {2014, 0.39f, {10, 5}, {11, 18, 22, 6, 17, 20, 22, 6},
                       {0.27731f, 0.24394f, 0.2086f, 0.22732f, 0.21242f, 0.19176f}, {0, 0}},
                      "SDG&E");
    expect_tou_record(BLK33T,
                      {2014, 0.32854f, {10, 5}, {12, 18, 22, 8, 8, 0, 17, 0},
                       {0.2547f, 0.24562f, 0.21801f, 0.17359f, 0.0f, 0.15381f}, {0, 0}},
                      "PG&E");
    expect_tou_record(BLK33U,
                      {2015, 3.34f, {10, 5}, {14, 20, 22, 12, 12, 0, 22, 0},
                       {0.1888f, 0.129f, 0.1026f, 0.0981f, 0.0f, 0.078f}, {7.2f, 0}},
                      "SMUD");
    expect_tou_record(BLK33V,
                      {2014, 0.0f, {1, 12}, {0, 0, 0, 0, 0, 0, 0, 0},
                       {0.0984f, 0.0984f, 0.0984f, 0.0984f, 0.0984f, 0.0984f}, {0, 0}},
                      "flat");
    // The rate the flat record builder takes is word 16.
    EXPECT_EQ(real_word(BLK33V, 16), 0.0984f);
}

TEST(TariffBlocks, TimeOfUseWorkingBlock) {
    EXPECT_EQ(TOUNAMES(1), "SCE Southern California Edison Co  TOU-GS-1-A");
    EXPECT_EQ(TOUNAMES(4).view(), "SMUD Sacramento Municipal Utility District GSN_T");
    EXPECT_EQ(TOUNAMES(5), "Generic Time-Of-Use");
    EXPECT_EQ(TOUNAMES(6).view().substr(0, 8), "  blank ");  // leading blanks kept
    EXPECT_EQ(TOUNAMES(7), "Single Flat Rate (default is US EIA Avg)");
    // Record in force: zero but for an all-winter year.
    EXPECT_EQ(int_word(BLK33P, 109), 0);
    EXPECT_EQ(int_word(BLK33P, 111), 1);
    EXPECT_EQ(int_word(BLK33P, 112), 12);
    for (int w = 113; w <= 152; ++w) EXPECT_EQ(int_word(BLK33P, w), 0) << "word " << w;
    // The results file carries words 130-145: costs from 131, kWh from 140.
    TOUCOST(1) = 11.0f;
    TOUCOST(8) = 18.0f;
    TOUKWH(1) = 21.0f;
    TOUKWH(6) = 26.0f;
    EXPECT_EQ(real_word(BLK33P, 131), 11.0f);
    EXPECT_EQ(real_word(BLK33P, 138), 18.0f);
    EXPECT_EQ(real_word(BLK33P, 140), 21.0f);
    EXPECT_EQ(real_word(BLK33P, 145), 26.0f);
}

TEST(TariffBlocks, ElectricWorkingSetStartsAsSceTariff) {
    EXPECT_EQ(int_word(BLK33C, 1), 2014);
    EXPECT_EQ(int_word(BLK33C, 2), 10);
    EXPECT_EQ(ERATEZONE, 10);
    EXPECT_EQ(int_word(BLK33C, 3), 10);
    EXPECT_EQ(int_word(BLK33C, 4), 5);
    const float words5_16[] = {0.1485f, 0.1928f, 0.031f, 0.024f, 0, 0, 0.059f, 0.044f, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(real_word(BLK33C, 5 + i), words5_16[i]) << "word " << 5 + i;

    EXPECT_EQ(real_word(BLK33E, 1), 0.27962f);
    EXPECT_EQ(real_word(BLK33E, 2), 0.3196f);
    EXPECT_EQ(real_word(BLK33E, 3), 0.3196f);
    for (int w = 4; w <= 20; ++w) EXPECT_EQ(real_word(BLK33E, w), 0.0f) << "word " << w;
    for (int w = 1; w <= 32; ++w) EXPECT_EQ(int_word(BLK33D, w), 0) << "word " << w;
    for (int w = 1; w <= 16; ++w) EXPECT_EQ(int_word(BLK33B, w), 0) << "word " << w;

    // Word positions the bill and the files name.
    ETIERADDS(1) = 1.0f;
    ETIERADDW(5) = 5.0f;
    ERATEW(3) = 3.0f;
    EGTOTAL = 14.0f;
    COSTF = 16.0f;
    GDAYSS = 10;
    EXPECT_EQ(real_word(BLK33D, 18), 1.0f);
    EXPECT_EQ(real_word(BLK33D, 27), 5.0f);
    EXPECT_EQ(real_word(BLK33E, 18), 3.0f);
    EXPECT_EQ(real_word(BLK33C, 14), 14.0f);
    EXPECT_EQ(real_word(BLK33B, 16), 16.0f);
    EXPECT_EQ(int_word(BLK33B, 10), 10);
}

TEST(TariffBlocks, TieredElectricTariffsWordByWord) {
    // SCE.
    EXPECT_EQ(int_word(BLK33M, 1), 2014);
    EXPECT_EQ(int_word(BLK33M, 2), 10);
    EXPECT_EQ(int_word(BLK33M, 3), 5);
    const float sce[] = {0.1485f, 0.1928f, 0.031f, 0.024f, 0, 0, 0.059f, 0.044f, 0, 0.27962f, 0.3196f, 0.99999f};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(real_word(BLK33M, 4 + i), sce[i]) << "SCE word " << 4 + i;

    // PG&E: baselines by the magnitude of the rate zone.
    EXPECT_EQ(int_word(BLK33N, 2), 11);
    EXPECT_EQ(int_word(BLK33N, 3), 4);
    EXPECT_EQ(real_word(BLK33N, 4), 0.15293f);
    EXPECT_EQ(real_word(BLK33N, 8), 0.32445f);
    EXPECT_EQ(real_word(BLK33N, 10), 0.14784f);
    EXPECT_EQ(real_word(BLK33N, 13), 15.5f);  // zone -13 summer
    EXPECT_EQ(BLK33N.BASES(13), 15.5f);
    EXPECT_EQ(real_word(BLK33N, 30), 9.0f);   // zone -20 winter
    EXPECT_EQ(BLK33N.BASEW(20), 9.0f);
    EXPECT_EQ(BLK33N.BASEW(11), 12.2f);
    EXPECT_EQ(real_word(BLK33N, 21), 12.2f);

    // SMUD.
    EXPECT_EQ(int_word(BLK33F, 1), 2014);
    EXPECT_EQ(real_word(BLK33F, 4), 14.0f);
    EXPECT_EQ(real_word(BLK33F, 5), 0.0955f);
    EXPECT_EQ(real_word(BLK33F, 8), 0.1033f);
    EXPECT_EQ(real_word(BLK33F, 12), 690.0f);
    EXPECT_EQ(real_word(BLK33F, 14), 765.0f);

    // SDG&E rates and adders.
    EXPECT_EQ(real_word(BLK33H, 5), 0.14812f);
    EXPECT_EQ(real_word(BLK33H, 6), 0.07485f);
    EXPECT_EQ(real_word(BLK33H, 9), 0.01662f);
    EXPECT_EQ(real_word(BLK33H, 12), 0.24084f);
    EXPECT_EQ(real_word(BLK33H, 14), 0.08989f);
    EXPECT_EQ(real_word(BLK33H, 17), 0.27886f);

    // Flat rates: the years are REAL words.
    EXPECT_EQ(real_word(BLK33, 2), 0.121f);
    EXPECT_EQ(real_word(BLK33, 3), 2015.0f);
    EXPECT_EQ(real_word(BLK33, 6), 1.097f);
    EXPECT_EQ(real_word(BLK33, 11), 2015.0f);
    EXPECT_EQ(real_word(BLK33, 10), 5.0f);
}

TEST(TariffBlocks, BaselineTableRowsByRateZone) {
    // Row z lies in words 4z+15 to 4z+18: summer, -, winter, -.
    struct Row {
        int zone;
        float summer, winter;
    };
    const Row filled[] = {{1, 9.6f, 10.1f},  {2, 11.2f, 10.8f},  {3, 14.8f, 13.8f}, {4, 16.4f, 11.2f},
                          {10, 9.4f, 9.8f},  {13, 18.4f, 11.1f}, {14, 15.5f, 10.6f}, {15, 39.8f, 8.2f},
                          {16, 11.8f, 11.1f}, {17, 13.3f, 10.8f}};
    for (const Row& r : filled) {
        EXPECT_EQ(real_word(BLK33H, 4 * r.zone + 15), r.summer) << "zone " << r.zone;
        EXPECT_EQ(real_word(BLK33H, 4 * r.zone + 17), r.winter) << "zone " << r.zone;
        EXPECT_EQ(EBASELINE(1, r.zone), r.summer);
        EXPECT_EQ(EBASELINE(3, r.zone), r.winter);
    }
    for (int z : {5, 6, 7, 8, 9, 11, 12})
        for (int c = 1; c <= 4; ++c) EXPECT_EQ(EBASELINE(c, z), 0.0f) << "zone " << z;
    EXPECT_EQ(EBASELINE(4, 2), 183.0f);
    EXPECT_EQ(EBASELINE(2, 3), 17.3f);
    EXPECT_EQ(real_word(BLK33H, 87), 0.0f);
    EXPECT_EQ(real_word(BLK33H, 88), 0.0f);
}

TEST(TariffBlocks, GasTablesWordByWord) {
    EXPECT_EQ(real_word(BLK33G, 1), 2.18f);
    EXPECT_EQ(real_word(BLK33G, 9), 2.64f);
    EXPECT_EQ(real_word(BLK33G, 10), 0.46f);
    EXPECT_EQ(real_word(BLK33G, 18), 0.82f);
    EXPECT_EQ(real_word(BLK33G, 19), 1.11497f);
    EXPECT_EQ(real_word(BLK33G, 22), 1.01722f);
    EXPECT_EQ(real_word(BLK33G, 23), 2014.0f);

    EXPECT_EQ(int_word(BLK33J, 1), 2014);
    EXPECT_EQ(real_word(BLK33J, 4), 1.546f);
    EXPECT_EQ(real_word(BLK33J, 5), 0.493f);

    EXPECT_EQ(real_word(BLK33K, 1), 2.7f);
    EXPECT_EQ(real_word(BLK33K, 2), 2.9f);

    EXPECT_EQ(real_word(BLK33L, 2), 0.93347f);
    EXPECT_EQ(real_word(BLK33L, 7), 1.823f);
    EXPECT_EQ(real_word(BLK33L, 8), 2.95f);
    EXPECT_EQ(real_word(BLK33L, 9), 0.16438f);
    EXPECT_EQ(int_word(BLK33L, 11), 11);
    EXPECT_EQ(int_word(BLK33L, 12), 4);
    EXPECT_EQ(real_word(BLK33L, 13), 0.473f);

    EXPECT_EQ(real_word(BLK33W, 8), 100000.0f);
    EXPECT_EQ(int_word(BLK33W, 9), 2015);
    EXPECT_EQ(int_word(BLK33W, 10), 12);
    EXPECT_EQ(int_word(BLK33W, 11), 3);
    EXPECT_EQ(real_word(BLK33W, 14), 0.49315f);
    EXPECT_EQ(real_word(BLK33W, 16), 8.22f);

    EXPECT_EQ(real_word(BLK33X, 4), 32.87671f);
    EXPECT_EQ(real_word(BLK33X, 6), 0.32877f);
    EXPECT_EQ(int_word(BLK33X, 7), 1);
    EXPECT_EQ(int_word(BLK33X, 8), 12);

    EXPECT_EQ(real_word(BLK33Y, 2), 0.94006f);
    EXPECT_EQ(real_word(BLK33Y, 5), 0.70476f);
    EXPECT_EQ(int_word(BLK33Y, 6), 11);
    EXPECT_EQ(real_word(BLK33Y, 8), 0.52106f);
    EXPECT_EQ(real_word(BLK33Y, 9), 4000.0f);

    EXPECT_EQ(int_word(BLK33Z, 1), 2015);
    EXPECT_EQ(real_word(BLK33Z, 2), 1.389f);
    EXPECT_EQ(real_word(BLK33Z, 3), 0.0f);
}

TEST(TariffBlocks, ResetRestoresTheBuiltInTariffs) {
    // A run rewrites the working sets and may clean the rates of a zone
    // without baselines; the next run must start from the tariff sheets.
    TOUREC = BLK33S.REC;
    ERATE2 = 0.0f;
    ERATE3 = 0.0f;
    ERATEZONE = 33;
    BLK33H.TIERADDS(4) = 0.0f;
    reset_all_blocks();
    EXPECT_EQ(TOUREC.YEAR, 0);
    EXPECT_EQ(TOUREC.WINMON2, 12);
    EXPECT_EQ(ERATE2, 0.1928f);
    EXPECT_EQ(ERATE3, 0.27962f);
    EXPECT_EQ(ERATEZONE, 10);
    EXPECT_EQ(BLK33H.TIERADDS(4), 0.24084f);
}

}  // namespace
}  // namespace mavo
