// Result blocks as the host, the results file and the input file see them:
// word positions, the emission-factor table and the chart labels.
#include <gtest/gtest.h>

#include "blocks/block_words.h"

#include <cstring>

#include "blocks/blocks.h"

namespace mavo {
namespace {

using testing::int_word;
using testing::real_word;
using testing::word_as;

TEST(ResultsBlocks, BarChartWordsAsTheResultsFileReadsThem) {
    // The file stores, per component i, words 2i-1, 2i, 34+i, 51+i, 68+i.
    for (int i = 1; i <= 17; ++i) {
        BARPAIRS(1, i) = 100.0f + i;
        BARPAIRS(2, i) = static_cast<float>(i);
        BARPEAK(i) = 200.0f + i;
        COMPMAX(i) = 300.0f + i;
        COMPMIN(i) = -300.0f - i;
    }
    BARTOP = 1.0f;
    BARBOT = 2.0f;
    BARZERO = 0.5f;
    for (int i = 1; i <= 17; ++i) {
        EXPECT_EQ(real_word(BLK25, 2 * i - 1), 100.0f + i);
        EXPECT_EQ(real_word(BLK25, 2 * i), static_cast<float>(i));
        EXPECT_EQ(real_word(BLK25, 34 + i), 200.0f + i);
        EXPECT_EQ(real_word(BLK25, 51 + i), 300.0f + i);
        EXPECT_EQ(real_word(BLK25, 68 + i), -300.0f - i);
    }
    EXPECT_EQ(real_word(BLK25, 86), 1.0f);
    EXPECT_EQ(real_word(BLK25, 87), 2.0f);
    EXPECT_EQ(real_word(BLK25, 88), 0.5f);
}

TEST(ResultsBlocks, DesignLoadWords) {
    MAXMON = 7;
    MINHR = 6;
    HEATLOSS(27) = -5.0f;
    HEATGAIN(1) = 9.0f;
    HEATGAIN(27) = 8.0f;
    EXPECT_EQ(int_word(BLK20, 4), 7);
    EXPECT_EQ(int_word(BLK20, 7), 6);
    EXPECT_EQ(real_word(BLK20, 34), -5.0f);
    EXPECT_EQ(real_word(BLK20, 35), 9.0f);
    EXPECT_EQ(real_word(BLK20, 61), 8.0f);
}

TEST(ResultsBlocks, ComparisonChartLayoutAndStartValues) {
    for (int s = 1; s <= 9; ++s) EXPECT_EQ(int_word(BLK44A, 157 + s), 7);
    for (int a = 1; a <= 17; ++a) EXPECT_EQ(int_word(BLK44A, 166 + a), a);
    // Labels start unset: zero bytes.
    for (char c : GS_LABELS(1).view()) EXPECT_EQ(c, '\0');
    for (char c : GS_TITLES(15).view()) EXPECT_EQ(c, '\0');

    GS_VALUES(1, 1) = 1.5f;
    GS_VALUES(9, 17) = 2.5f;
    GS_SCHEMEIDS(1) = 3;
    GS_SCHEMEIDS(9) = 12;
    GS_ROWS(1) = 21;
    GS_ROWS(17) = 48;
    EXPECT_EQ(real_word(BLK44A, 5), 1.5f);
    EXPECT_EQ(real_word(BLK44A, 157), 2.5f);
    EXPECT_EQ(int_word(BLK44A, 889), 3);
    EXPECT_EQ(int_word(BLK44A, 897), 12);
    // Two-byte rows right after word 897.
    std::int16_t row;
    std::memcpy(&row, reinterpret_cast<const char*>(&BLK44A) + 897 * 4, 2);
    EXPECT_EQ(row, 21);
    std::memcpy(&row, reinterpret_cast<const char*>(&BLK44A) + 897 * 4 + 16 * 2, 2);
    EXPECT_EQ(row, 48);

    // Chart sets: (9,15) table from word 211, (17,15) from 346, count 601.
    GS_SETSCHEMES(1, 1) = 4;
    GS_SETSCHEMES(9, 15) = 5;
    GS_SETROWS(1, 1) = 6;
    GS_SETROWS(17, 15) = 7;
    GS_CHARTSET = 15;
    EXPECT_EQ(int_word(BLK44B, 211), 4);
    EXPECT_EQ(int_word(BLK44B, 345), 5);
    EXPECT_EQ(int_word(BLK44B, 346), 6);
    EXPECT_EQ(int_word(BLK44B, 600), 7);
    EXPECT_EQ(int_word(BLK44B, 601), 15);
}

TEST(ResultsBlocks, SummaryRowLabels) {
    EXPECT_EQ(BLK42.ROWLABELS(1).view(), "Total Floor Area ........ sq.ft.");
    EXPECT_EQ(BLK42.ROWLABELS(21).view(), "Heating Fuel Used   Total Therms");
    EXPECT_EQ(BLK42.ROWLABELS(25).view(), "Total Electricity     Total KwHr");
    EXPECT_EQ(BLK42.ROWLABELS(47).view(), "CO2 Carbon Dioxide     Total lbs");
    EXPECT_EQ(BLK42.ROWLABELS(48).view(), "Number of Days Analyzed ... days");
    EXPECT_EQ(BLK42.LABEL21FUEL.view(), "Heating Gas/Oil Fuel      Therms");
    EXPECT_EQ(BLK42.LABEL21ELEC.view(), "Heating Electricity Used    KWhr");
    EXPECT_EQ(BLK42.ROWCODES(1), 2);
    EXPECT_EQ(BLK42.ROWCODES(6), 25);
    EXPECT_EQ(BLK42.ROWCODES(40), 28);
    EXPECT_EQ(BLK42.ROWCODES(41), 10);
    EXPECT_EQ(BLK42.ROWCODES(48), 10);
}

TEST(ResultsBlocks, EmissionFactorTable) {
    EXPECT_EQ(NROWE, 1);
    EXPECT_EQ(NROWF, 15);
    EXPECT_EQ(FX, 0.0f);
    EXPECT_EQ(EX, 0.0f);
    // Rows the electric-zone and fuel choices land on, and their factors
    // (fuel code, year, CO2, SOx, NOx, mercury).
    struct Row {
        int row;
        float code, year, co2, sox, nox, hg;
    };
    const Row rows[] = {
        {1, 4, 2005, 665.26f, 1.5669f, 1.509f, 1.9e-05f}, {2, 4, 2004, 843.56f, 0.004f, 0.09f, 0},
        {3, 4, 2007, 489, 0.002f, 0.09f, 0},               {4, 4, 2005, 517.43f, 0.004f, 0.072f, 0},
        {6, 4, 2005, 540.06f, 0.1348f, 0.223f, 2e-06f},    {10, 4, 2007, 1760, 0, 0, 0},
        {11, 4, 2005, 1329.3f, 5.2598f, 1.939f, 2.71e-05f}, {12, 9, 0, 0, 0, 0, 0},
        {13, 1, 0, 117, 0.001f, 0.04f, 0},                 {15, 1, 1993, 116, 0.001f, 0.066f, 0},
        {19, 3, 0, 154, 0.33f, 0.448f, 7e-06f},            {22, 3, 2007, 560, 0, 0, 0},
        {26, 2, 2007, 505, 0, 0, 0},                       {29, 4, 0, 0, 0, 0, 0},
        {30, 1, 0, 0, 0, 0, 0},                            {32, 2, 0, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(PDATA(1, r.row), r.code);
        EXPECT_EQ(PDATA(2, r.row), r.year);
        EXPECT_EQ(PDATA(3, r.row), r.co2);
        EXPECT_EQ(PDATA(4, r.row), r.sox);
        EXPECT_EQ(PDATA(5, r.row), r.nox);
        EXPECT_EQ(PDATA(6, r.row), r.hg);
    }
    EXPECT_EQ(POLLNAMES(1).view(), "SCE Southern California Edison Co  (eGRIDweb)");
    EXPECT_EQ(POLLNAMES(12), "..");
    EXPECT_EQ(POLLNAMES(26), "US: Propane: ASHRAE Standard 189  (for CO2e)");
    EXPECT_EQ(POLLNAMES(32), "User Supplied for Propane  Pounds/MMBTU");
    // The user table starts at zero with blank texts.
    EXPECT_EQ(POLLUTE(7, 16), 0.0f);
    EXPECT_EQ(POLLTEXT1(13).view(), "    ");
    EXPECT_EQ(POLLTEXT2(1).view(), "    ");
}

TEST(ResultsBlocks, ResetRestoresTheTablesAndClearsTheCharts) {
    PDATA(3, 29) = 999.0f;
    NROWE = 29;
    BLK42.ROWLABELS(21) = BLK42.LABEL21ELEC;
    GS_ATTRFORMAT(1) = 16;
    BARTOP = 5.0f;
    reset_all_blocks();
    EXPECT_EQ(PDATA(3, 29), 0.0f);
    EXPECT_EQ(NROWE, 1);
    EXPECT_EQ(BLK42.ROWLABELS(21).view(), "Heating Fuel Used   Total Therms");
    EXPECT_EQ(GS_ATTRFORMAT(1), 1);
    EXPECT_EQ(BARTOP, 0.0f);
}

}  // namespace
}  // namespace mavo
