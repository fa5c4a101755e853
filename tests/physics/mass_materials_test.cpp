#include <gtest/gtest.h>

#include <cmath>

#include "blocks/blocks.h"
#include "physics/mass_materials.h"
#include "test_support.h"

namespace mavo {
namespace {

// Hand calculation of the daily storage depth, inches.
double depth_in(double density, double spheat, double cond) {
    return 1.18 * 12.0 * std::sqrt(cond / (3.1416 * density * spheat));
}

void element(INTEGER k, const char* name, float thickness_in) {
    KMASS = k;
    MTUSED(k) = name;
    MATNAME = name;
    LNTH(k) = 20.0f;
    WDTH(k) = 10.0f;
    THCK(k) = thickness_in;
}

TEST(MassMaterials, NamesMatchByTheirFirstAndLastFourCharacters) {
    INTEGER imat = 0;
    element(2, "BRICK", 1.0f);  // full match, score 2
    MTTYPE(imat);
    EXPECT_EQ(imat, 2);
    EXPECT_TRUE(MTUSED(2) == "BRICK");
    EXPECT_EQ(DNST(2), 130.0f);
    EXPECT_EQ(SPHT(2), 0.19f);
    EXPECT_EQ(COND(2), 7.0f);

    element(3, "WOOD", 0.5f);  // blank second half: score 1, still material 8
    MTTYPE(imat);
    EXPECT_EQ(imat, 3);
    EXPECT_EQ(DNST(3), 45.0f);
    EXPECT_EQ(COND(3), 1.2f);

    element(1, "CONCxxxx", 1.0f);  // only the first four agree
    MTTYPE(imat);
    EXPECT_TRUE(MTUSED(1) == "CONCRETE");
    EXPECT_EQ(DNST(1), 140.0f);

    element(4, "LT.WT.CO", 1.0f);
    MTTYPE(imat);
    EXPECT_EQ(DNST(4), 80.0f);
}

TEST(MassMaterials, UnknownNameKeepsItsOwnPropertiesAndIsStillLimited) {
    element(5, "GRANITE", 12.0f);
    DNST(5) = 165.0f;
    SPHT(5) = 0.19f;
    COND(5) = 20.0f;
    INTEGER imat = 9;
    MTTYPE(imat);
    EXPECT_EQ(imat, 1);
    EXPECT_TRUE(MTUSED(5) == "GRANITE");
    EXPECT_EQ(DNST(5), 165.0f);
    EXPECT_NEAR(TATDHC(5), depth_in(165, 0.19, 20), 1e-4);
    EXPECT_EQ(THCK(5), TATDHC(5));
}

TEST(MassMaterials, ThicknessIsCutToTheDailyStorageDepthExceptForWater) {
    INTEGER imat = 0;
    element(1, "CONCRETE", 12.0f);
    MTTYPE(imat);
    EXPECT_NEAR(TATDHC(1), 4.99, 0.005);  // 1.18 x 12 x sqrt(12 / (3.1416 x 140 x 0.22))
    EXPECT_NEAR(THCK(1), depth_in(140, 0.22, 12), 1e-4);

    element(2, "DRYWALL", 0.625f);  // thinner than its depth: kept
    MTTYPE(imat);
    EXPECT_GT(TATDHC(2), 0.625f);
    EXPECT_EQ(THCK(2), 0.625f);

    element(3, "WATER", 40.0f);  // stirred by convection: always whole
    MTTYPE(imat);
    EXPECT_LT(TATDHC(3), 40.0f);
    EXPECT_EQ(THCK(3), 40.0f);
}

TEST(MassMaterials, ElementWithoutHeatCapacityIsCutToZero) {
    element(6, "FOAM", 2.0f);  // no such material, no density of its own
    COND(6) = 0.2f;
    INTEGER imat = 0;
    MTTYPE(imat);
    EXPECT_EQ(TATDHC(6), 0.0f);
    EXPECT_EQ(THCK(6), 0.0f);

    element(5, "SAND", 3.0f);  // capacity but no conduction: nothing reaches it
    DNST(5) = 100.0f;
    SPHT(5) = 0.2f;
    COND(5) = -1.0f;
    MTTYPE(imat);
    EXPECT_EQ(TATDHC(5), 0.0f);
    EXPECT_EQ(THCK(5), 0.0f);
}

TEST(MassMaterials, ElementOutsideTheTableChangesNothing) {
    KMASS = 7;
    MATNAME = "BRICK";
    INTEGER imat = 0;
    MTTYPE(imat);
    EXPECT_EQ(imat, 1);
    for (INTEGER k = 1; k <= 6; ++k) EXPECT_EQ(DNST(k), 0.0f);
}

TEST(MassMaterials, TracedLookupNamesTheLimit) {
    testing::ScratchDir dir;
    testing::use_directories(dir.str(), dir.str(), dir.str());
    BLK0B.DISKTRACE = 37;
    IDNUM1 = 0;
    NFLAG(90) = true;
    element(1, "CONCRETE", 12.0f);
    INTEGER imat = 0;
    MTTYPE(imat);
    const std::string trace = testing::read_file(dir / "v7trace0.txt");
    EXPECT_NE(trace.find("TatDHC(k) max mass thickness"), std::string::npos);
    EXPECT_NE(trace.find(" THCK(K) at DHC, limited to"), std::string::npos);
    EXPECT_EQ(trace.find(" THCK(K) below TatDHC limit"), std::string::npos);
}

}  // namespace
}  // namespace mavo
