#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "blocks/blocks.h"

namespace mavo {
namespace {

// One row of a code table as published: the common value, a zone that holds
// it, and every zone that differs, each zone written out on its own.
struct ExpectedRow {
    int row;
    float common;
    int common_zone;
    std::vector<std::pair<int, float>> exceptions;
};

template <long Rows>
void expect_table(const FArray<REAL, Rows, 16>& table, const std::vector<ExpectedRow>& rows, const char* name) {
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(Rows)) << name;
    for (const ExpectedRow& e : rows) {
        EXPECT_EQ(table(e.row, e.common_zone), e.common) << name << " row " << e.row << " common value";
        for (int z = 1; z <= 16; ++z) {
            float want = e.common;
            for (const auto& [zone, value] : e.exceptions)
                if (zone == z) want = value;
            EXPECT_EQ(table(e.row, z), want) << name << "(" << e.row << "," << z << ")";
        }
    }
}

TEST(ConstructionBlocks, ResidentialRequirementsByZone) {
    const std::vector<ExpectedRow> cecresa = {
        {1, 30.0f, 2, {{1, 38}, {11, 38}, {12, 38}, {13, 38}, {14, 38}, {15, 38}, {16, 38}}},
        {2, 0.065f, 9, {}},
        {3, 0.125f, 1, {{16, 0.07f}}},
        {4, 0.2f, 13, {{14, 0.1f}, {15, 0.1f}, {16, 0.053f}}},
        {5, 0.0f, 15, {{16, 0.58f}}},
        {6, 19.0f, 4, {}},
        {7, 0.32f, 12, {}},
        {8, 20.0f, 7, {}},
        {9, 0.269f, 3, {{1, 0.092f}, {2, 0.092f}, {11, 0.092f}, {13, 0.092f}, {14, 0.092f}, {16, 0.092f},
                        {12, 0.138f}, {15, 0.138f}}},
        {10, 1.0f, 2, {{1, 0}, {16, 0}}},
        {11, 0.25f, 2, {{1, 0}, {3, 0}, {5, 0}}},
        {12, 5.0f, 4, {{1, 0}, {3, 0}, {5, 0}}},
        {13, 0.0f, 7, {{8, 2}, {9, 2}, {10, 2}, {11, 2}, {12, 2}, {13, 2}, {14, 2}, {15, 2}}},
        {14, 6.0f, 10, {{11, 8}, {14, 8}, {15, 8}, {16, 8}}},
        {15, 0.0f, 1, {}},
        {16, 1.0f, 2, {{1, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {16, 0}}},
        {17, 0.0f, 5, {}},
        {18, 0.0f, 6, {}},
        {19, 0.78f, 11, {}},
        {20, 7.7f, 3, {}},
        {21, 0.0f, 8, {}},
        {22, 13.0f, 16, {}},
        {23, 0.0f, 14, {}},
        {24, 0.0f, 1, {}},
        {25, 0.1f, 14, {{13, 0.63f}, {15, 0.63f}}},
        {26, 0.75f, 13, {}},
        {27, 0.1f, 9, {{10, 0.2f}, {11, 0.2f}, {12, 0.2f}, {13, 0.2f}, {14, 0.2f}, {15, 0.2f}}},
        {28, 0.75f, 5, {{1, 0.85f}, {2, 0.85f}, {3, 0.85f}, {4, 0.85f}}},
        {29, 0.07f, 15, {{16, 0.059f}}},
        {30, 0.07f, 1, {{16, 0.066f}}},
        {31, 0.0f, 12, {}},
        {32, 0.58f, 6, {}},
    };
    expect_table(CECRESA, cecresa, "CECRESA");

    const std::vector<ExpectedRow> cecresd = {
        {1, 30.0f, 10, {{1, 38}, {11, 38}, {12, 38}, {13, 38}, {14, 38}, {15, 38}, {16, 38}}},
        {2, 13.0f, 2, {{1, 21}, {14, 21}, {15, 21}, {16, 21}, {11, 19}, {12, 19}, {13, 19}}},
        {3, 2.44f, 10, {{1, 4.76f}, {11, 4.76f}, {12, 4.76f}, {13, 4.76f}, {14, 4.76f}, {15, 4.76f}, {16, 4.76f}}},
        {4, 0.0f, 15, {{16, 13}}},
        {5, 0.0f, 1, {{16, 7}}},
        {6, 19.0f, 16, {}},
        {7, 0.4f, 3, {}},
        {8, 20.0f, 9, {}},
        {9, 0.0f, 3, {{1, 8}, {2, 8}, {11, 8}, {13, 8}, {14, 8}, {16, 8}, {12, 4}, {15, 4}}},
        {10, 1.0f, 4, {{1, 0}, {3, 0}, {5, 0}, {6, 0}, {7, 0}, {16, 0}}},
        {11, 0.4f, 2, {{1, 0}, {3, 0}, {5, 0}, {16, 0}, {15, 0.35f}}},
        {12, 5.0f, 14, {{1, 0}, {3, 0}, {5, 0}, {16, 0}}},
        {13, 1.0f, 8, {}},
        {14, 6.0f, 5, {{6, 4.2f}, {7, 4.2f}, {8, 4.2f}, {14, 8}, {15, 8}, {16, 8}}},
        {15, 0.0f, 2, {}},
        {16, 1.0f, 8, {{1, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {16, 0}}},
        {17, 0.0f, 3, {}},
        {18, 0.0f, 4, {}},
        {19, 78.0f, 12, {}},
        {20, 7.7f, 1, {}},
        {21, 7.7f, 16, {}},
        {22, 13.0f, 5, {}},
        {23, 13.0f, 9, {}},
        {24, 0.0f, 11, {}},
        {25, 0.0f, 14, {{13, 0.55f}, {15, 0.55f}}},
        {26, 0.0f, 12, {{13, 0.75f}, {15, 0.75f}}},
        {27, 0.0f, 9, {{10, 0.2f}, {11, 0.2f}, {12, 0.2f}, {13, 0.2f}, {14, 0.2f}, {15, 0.2f}}},
        {28, 0.0f, 16, {{10, 0.75f}, {11, 0.75f}, {12, 0.75f}, {13, 0.75f}, {14, 0.75f}, {15, 0.75f}}},
        {29, 0.15f, 7, {}},
        {30, 0.75f, 6, {}},
        {31, 0.0f, 1, {{10, 0.58f}, {11, 0.58f}, {12, 0.58f}, {13, 0.58f}, {14, 0.58f}, {15, 0.58f}}},
        {32, 0.58f, 13, {}},
    };
    expect_table(CECRESD, cecresd, "CECRESD");
}

TEST(ConstructionBlocks, NonResidentialRequirementsByZone) {
    std::vector<ExpectedRow> cecnr = {
        {1, 0.039f, 2, {{1, 0.049f}, {5, 0.049f}, {6, 0.075f}, {7, 0.067f}, {8, 0.067f}}},
        {2, 0.059f, 4, {{1, 0.102f}, {5, 0.102f}, {8, 0.102f}, {3, 0.11f}, {6, 0.11f}, {7, 0.11f}, {15, 0.042f}}},
        {3, 0.0f, 1, {}},
        {4, 0.0f, 2, {}},
        {5, 0.0f, 3, {}},
        {6, 0.071f, 3, {{1, 0.048f}, {2, 0.039f}, {11, 0.039f}, {14, 0.039f}, {15, 0.039f}, {16, 0.039f}}},
        {7, 0.36f, 9, {}},
        {8, 0.4f, 10, {}},
        {9, 0.269f, 3, {{1, 0.092f}, {2, 0.092f}, {11, 0.092f}, {12, 0.092f}, {13, 0.092f}, {14, 0.092f},
                        {15, 0.092f}, {16, 0.058f}}},
        {10, 0.0f, 11, {}},
        {11, 0.25f, 12, {}},
        {12, 0.0f, 3, {{4, 13}}},
        {13, 0.0f, 14, {}},
        {14, 2.1f, 15, {}},
        {15, 6.3f, 16, {}},
        {16, 0.0f, 1, {}},
        {17, 0.0f, 2, {}},
        {18, 0.0f, 3, {}},
        {19, 0.78f, 4, {}},
        {20, 7.7f, 5, {}},
        {21, 7.7f, 6, {}},
        {22, 13.0f, 7, {}},
        {23, 13.0f, 5, {{4, 0}}},
        {24, 0.0f, 9, {}},
        {25, 0.63f, 10, {}},
        {26, 0.75f, 11, {}},
        {27, 0.2f, 12, {}},
        {28, 0.75f, 13, {}},
        {29, 0.0f, 14, {}},
        {30, 0.0f, 15, {}},
        {31, 0.0f, 16, {}},
        {32, 0.8f, 1, {}},
        {33, 0.17f, 10, {{1, 0.198f}, {3, 0.278f}, {4, 0.227f}, {5, 0.44f}, {6, 0.44f}, {7, 0.44f}, {8, 0.44f},
                         {9, 0.44f}}},
        {34, 0.42f, 2, {}},
        {35, 0.065f, 3, {}},
        {36, 0.061f, 2, {{1, 0.113f}, {3, 0.113f}, {6, 0.113f}, {7, 0.113f}, {15, 0.057f}}},
        {37, 0.062f, 2, {{1, 0.098f}, {6, 0.098f}, {7, 0.098f}, {3, 0.082f}}},
        {38, 0.65f, 2, {{1, 0.253f}, {12, 0.253f}, {6, 0.69f}, {7, 0.69f}, {8, 0.69f}, {9, 0.69f}, {11, 0.184f},
                        {14, 0.184f}, {15, 0.184f}, {13, 0.211f}, {16, 0.16f}}},
        {39, 0.0f, 9, {{10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}, {16, 1}}},
        {40, 1.45f, 8, {{1, 0.5f}, {16, 0.5f}}},
    };
    // Door, window and skylight code values, the same in every zone.
    const float glazing[] = {0.7f,  0.46f, 0.22f, 0.32f, 0.41f, 0.26f, 0.46f, 0.45f, 0.23f, 0.17f,
                             0.58f, 0.25f, 0.49f, 0.46f, 0.25f, 0.49f, 0.88f, 1.0f,  0.64f};
    for (int r = 41; r <= 59; ++r) cecnr.push_back({r, glazing[r - 41], (r % 16) + 1, {}});
    cecnr.push_back({60, 0.05f, 4, {}});
    cecnr.push_back({61, 0.0f, 5, {}});
    cecnr.push_back({62, 0.0f, 6, {{1, 0.61f}, {16, 0.666f}}});
    expect_table(CECNR, cecnr, "CECNR");
}

TEST(ConstructionBlocks, CodeTablesRunRowFastestAndSurviveReset) {
    // The summary file stores CECRESA zone after zone; the block holds
    // CECRESD first, so CECRESA(1,1) is word 513.
    float words[1024];
    std::memcpy(words, &BLK21C, sizeof words);
    EXPECT_EQ(words[512], 38.0f);                // CECRESA(1,1)
    EXPECT_EQ(words[512 + 1 * 32], 30.0f);       // CECRESA(1,2)
    EXPECT_EQ(words[512 + 15 * 32 + 4], 0.58f);  // CECRESA(5,16)
    EXPECT_EQ(words[1], 21.0f);                  // CECRESD(2,1)
    EXPECT_EQ(words[1 * 32 + 1], 13.0f);         // CECRESD(2,2)
    EXPECT_EQ(words[15 * 32 + 12], 1.0f);        // CECRESD(13,16)

    CECRESA(1, 1) = -1.0f;
    CECNR(38, 16) = -1.0f;
    MTDENSITY(1) = 0.0f;
    MTNAME(2) = "XXXX";
    reset_all_blocks();
    EXPECT_EQ(CECRESA(1, 1), 38.0f);
    EXPECT_EQ(CECNR(38, 16), 0.16f);
    EXPECT_EQ(MTDENSITY(1), 140.0f);
    EXPECT_EQ(MTNAME(2), "WATER");
}

TEST(ConstructionBlocks, MaterialList) {
    const char* names[] = {"CONCRETE", "WATER", "ADOBE", "BRICK", "STONE",
                           "PLASTER",  "TILE",  "WOOD",  "DRYWALL", "LT.WT.CO"};
    const float density[] = {140, 62.4f, 105, 130, 160, 116, 140, 45, 50, 80};
    const float spheat[] = {0.22f, 1.0f, 0.2f, 0.19f, 0.19f, 0.2f, 0.19f, 0.39f, 0.26f, 0.2f};
    const float cond[] = {12, 0.34f, 4, 7, 43, 5, 12.5f, 1.2f, 1.1f, 3};
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(MTNAME(i).view(), FString<8>(names[i - 1]).view()) << i;  // blank padded to 8
        EXPECT_EQ(MTDENSITY(i), density[i - 1]) << i;
        EXPECT_EQ(MTSPHEAT(i), spheat[i - 1]) << i;
        EXPECT_EQ(MTCOND(i), cond[i - 1]) << i;
    }
    EXPECT_EQ(MTNAME(2).view(), "WATER   ");

    // Worked example of the daily-storage depth: 12 in of concrete is
    // limited to 4.99 in by 1.18 * 12 * sqrt(C / (pi * D * S)).
    const double depth_in = 1.18 * 12 * std::sqrt(MTCOND(1) / (3.1416 * MTDENSITY(1) * MTSPHEAT(1)));
    EXPECT_NEAR(depth_in, 4.99, 0.005);
}

TEST(ConstructionBlocks, WorkingTablesStartEmptyAndReset) {
    EXPECT_EQ(KMASS, 0);
    EXPECT_EQ(MLABEL(5).view(), "        ");
    EXPECT_TRUE(MTUSED(1).is_blank());
    EXPECT_EQ(UVAL(27), 0.0f);
    EXPECT_EQ(ATTICR, 0.0f);
    EXPECT_EQ(ANGINC(24, 5), 0.0f);
    EXPECT_EQ(SATEMS(1, 5), 0.0f);

    // Every working block is in the reset list.
    ALT(12) = 79.45f;
    SATEMS(1, 3) = -99.99f;
    HO(13) = 4.0f;
    RINSCEIL = 38.0f;
    SLABBLEND = 40.0f;
    MTUSED(4) = "DRYWALL";
    KMASS = 4;
    reset_all_blocks();
    EXPECT_EQ(ALT(12), 0.0f);
    EXPECT_EQ(SATEMS(1, 3), 0.0f);
    EXPECT_EQ(HO(13), 0.0f);
    EXPECT_EQ(RINSCEIL, 0.0f);
    EXPECT_EQ(SLABBLEND, 0.0f);
    EXPECT_TRUE(MTUSED(4).is_blank());
    EXPECT_EQ(KMASS, 0);
}

TEST(ConstructionBlocks, ZoneListsRejectWhatTheyCannotRead) {
    EXPECT_EQ(climate_zone_set("1, 3-7, 16"), (1u << 1) | (0x1Fu << 3) | (1u << 16));
    EXPECT_EQ(climate_zone_set("16"), 1u << 16);
    EXPECT_THROW(climate_zone_set("0"), std::invalid_argument);
    EXPECT_THROW(climate_zone_set("17"), std::invalid_argument);
    EXPECT_THROW(climate_zone_set("7-3"), std::invalid_argument);
    EXPECT_THROW(climate_zone_set("1; 2"), std::invalid_argument);
    EXPECT_THROW(climate_zone_set(""), std::invalid_argument);
    EXPECT_THROW(climate_zone_set("1,"), std::invalid_argument);
}

}  // namespace
}  // namespace mavo
