#include <gtest/gtest.h>

#include "blocks/block_words.h"

#include <cstring>

#include "blocks/blocks.h"

// The host finds the summary table by its plain C name.
extern "C" mavo::BLK16_t BLK16;

namespace mavo {
namespace {

using testing::int_word;
using testing::real_word;
using testing::word_as;

// Word n (from 1) of the summary block as the host and the project-state
// file see it.
TEST(SummaryBlocks, HostSeesTheTableUnderItsCName) { EXPECT_EQ(&::BLK16, &mavo::BLK16); }

TEST(SummaryBlocks, ZeroAtLoadAndAfterReset) {
    for (std::size_t i = 0; i < SUMARY.size(); ++i) ASSERT_EQ(SUMARY.data()[i], 0.0f) << i;
    for (int i = 1; i <= 18; ++i) ASSERT_EQ(SUMARYX(i), 0.0f) << i;
    SUMARY(70, 3) = 5432.0f;
    SUMARYX(18) = 1.0f;
    reset_all_blocks();
    EXPECT_EQ(SUMARY(70, 3), 0.0f);
    EXPECT_EQ(SUMARYX(18), 0.0f);
}

TEST(SummaryBlocks, RowsVaryFastestThenColumnsThenTheExtraValues) {
    SUMARY(1, 1) = 1500.0f;    // floor area of scheme 1
    SUMARY(80, 1) = 2.0f;      // last row of scheme 1
    SUMARY(1, 2) = 1800.0f;    // floor area of scheme 2
    SUMARY(1, 10) = 1490.0f;   // back copy of scheme 1
    SUMARY(80, 19) = -3.0f;    // last row of the difference column
    SUMARYX(1) = 7.0f;
    SUMARYX(18) = 9.0f;
    EXPECT_EQ(real_word(BLK16, 1), 1500.0f);
    EXPECT_EQ(real_word(BLK16, 80), 2.0f);
    EXPECT_EQ(real_word(BLK16, 81), 1800.0f);
    EXPECT_EQ(real_word(BLK16, 9 * 80 + 1), 1490.0f);
    EXPECT_EQ(real_word(BLK16, 19 * 80), -3.0f);
    EXPECT_EQ(real_word(BLK16, 1521), 7.0f);
    EXPECT_EQ(real_word(BLK16, 1538), 9.0f);
}

TEST(SummaryBlocks, LabelsKeepTheirInnerBlanksAndFullWidth) {
    EXPECT_EQ(LABELS(12).view(), "SLAB ON GRADE  .");
    EXPECT_EQ(LABELS(15).view(), "OCCUPANTS:  PEOP");
    EXPECT_EQ(LABELS(23).view(), "FUEL  COST  GAS ");
    EXPECT_EQ(LABELS(28).view(), "DEBUG  .        ");
    EXPECT_EQ(LABELS(40).view(), "BASECASEEXPERT .");
    EXPECT_EQ(LABELS(70).view(), "PRINT       REPO");
    EXPECT_EQ(LABELS(90).view(), "DIFFUSE  ILLUMIN");
    for (int i = 95; i <= 98; ++i) EXPECT_TRUE(LABELS(i).is_blank()) << i;
    EXPECT_EQ(LABELS(99), "DBG1");
    EXPECT_EQ(LABELS(100), "DBG2");
}

TEST(SummaryBlocks, WallLabelsByFacingAndByPlace) {
    // Wall k of the envelope index (6 south .. 9 east) is named by label
    // 85 + k and faces as label k says; the export shows 12 characters.
    const char* place[] = {"Front Wall", "Left Wall", "Rear Wall", "Right Wall"};
    const char* facing[] = {"SOUTH WALL", "WEST WALL", "NORTH WALL", "EAST WALL"};
    for (int k = 6; k <= 9; ++k) {
        EXPECT_EQ(LABELS(85 + k), place[k - 6]);
        EXPECT_EQ(LABELS(k), facing[k - 6]);
    }
    EXPECT_EQ(LABELS(1).first(12), "SOUTH WINDOW");
    EXPECT_EQ(LABELS(47).first(12), "WINDOWS-SUNS");
    EXPECT_EQ(LABELS(5), "SKYLIGHT");
}

}  // namespace
}  // namespace mavo
