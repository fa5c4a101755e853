// Hourly bar chart and scheme-comparison chart left for the host.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/charts.h"

namespace mavo {
namespace {

TEST(HourlyBarChart, EmptyChartAndDayMeansWithoutAHeatingHour) {
    NFLAG(79) = true;
    CHARTSCALE = 1.0f;
    BARHR();
    EXPECT_EQ(BARZERO, 0.5f);
    EXPECT_EQ(BARTOP, 0.0f);
    EXPECT_EQ(BARBOT, 0.0f);
    EXPECT_EQ(BARHR_STATE.UNITLABEL, "BTU/HOUR");

    SUMARY(30, 1) = 7.0f; SUMARY(31, 1) = 15.0f;  // cooling peak July 15h
    SUMARY(27, 1) = 1.0f; SUMARY(28, 1) = 0.0f;   // no heating hour
    HEAT(6, 15, 7) = 3000.0f;
    HEAT(17, 15, 7) = 3000.0f;
    for (int h = 1; h <= 24; ++h) HEAT(6, h, 1) = h == 1 ? -2400.0f : 0.0f;
    CHARTSCALE = 0.5f;
    BARHR();
    EXPECT_EQ(BARHR_STATE.UNITLABEL, "BTU/SF/HR");
    EXPECT_EQ(MAXMON, 7);
    EXPECT_EQ(MAXHR, 15);
    EXPECT_EQ(MINHR, 0);
    EXPECT_EQ(BARPAIRS(2, 1), 6.0f);
    EXPECT_EQ(BARPAIRS(1, 1), 1500.0f);
    EXPECT_EQ(BARPEAK(1), -50.0f);  // wall's January day mean, -100, scaled
    EXPECT_EQ(BARTOP, 1500.0f);
    EXPECT_EQ(BARBOT, -50.0f);
    EXPECT_FLOAT_EQ(BARZERO, 50.0f / 1550.0f);
}

TEST(HourlyBarChart, AxisLimitsAndTheCallCondition) {
    NFLAG(79) = true;
    CHARTSCALE = 1.0f;
    SUMARY(30, 1) = 1.0f; SUMARY(31, 1) = 1.0f;
    SUMARY(27, 1) = 1.0f; SUMARY(28, 1) = 1.0f;
    for (int c = 1; c <= 17; ++c) HEAT(c, 1, 1) = 20000.0f;
    BARHR();
    EXPECT_EQ(BARTOP, 20000.0f);
    EXPECT_EQ(BARBOT, 9999.0f);

    // Not asked for: a comparison in progress from a library run.
    NFLAG(79) = false;
    IDNUM2 = 3;
    NFLAG(35) = true;
    NFLAG(55) = true;
    BARTOP = 1.0f;
    BARHR();
    EXPECT_EQ(BARTOP, 1.0f);
}

// Schemes 1 and 2 named; chart set 2 asks for rows 1, 0, 8, 49, 21.
void two_schemes_and_a_chart_set() {
    LEVEL = 4;
    SCHEMENAME(2) = "Efficient";
    GS_CHARTSET = 2;
    GS_SETSCHEMES(1, 2) = 11;
    GS_SETSCHEMES(2, 2) = 12;
    GS_SETSCHEMES(5, 2) = 15;
    const int rows[5] = {1, 0, 8, 49, 21};
    for (int r = 1; r <= 5; ++r) GS_SETROWS(r, 2) = rows[r - 1];
    SUMARY(1, 1) = 2000.0f; SUMARY(1, 2) = 1800.0f;
    SUMARY(8, 1) = -40000.0f; SUMARY(8, 2) = -30000.0f;
    SUMARY(21, 1) = 0.0f; SUMARY(21, 2) = -5.0f;
}

TEST(ComparisonChart, SchemesRowsLabelsAndSigns) {
    two_schemes_and_a_chart_set();
    COPHT = 2.5f;  // heat pump: row 21 in kWh
    BARCHT3D();
    EXPECT_TRUE(NFLAG(51));
    EXPECT_EQ(GS_NUMSCHEMES, 2);
    EXPECT_EQ(GS_SCHEMEIDS(2), 2);
    EXPECT_EQ(GS_SETSCHEMES(2, 2), 12);
    EXPECT_EQ(GS_SETSCHEMES(5, 2), 0);
    EXPECT_EQ(GS_NUMATTRS, 3);  // rows 0 and 49 skipped
    EXPECT_EQ(GS_ROWS(2), 8);
    EXPECT_EQ(GS_LABELS(3), "Heating Electricity Used    KWhr");
    EXPECT_EQ(GS_ATTRFORMAT(1), 3);
    EXPECT_EQ(GS_ATTRFORMAT(2), 2);
    EXPECT_EQ(GS_ATTRFORMAT(3), 16);
    EXPECT_EQ(GS_ATTRFORMAT(4), 4);  // beyond the attributes: its own number
    EXPECT_EQ(GS_VALUES(2, 1), 1800.0f);
    EXPECT_EQ(GS_VALUES(1, 2), 40000.0f);  // losses drawn as positive bars
    EXPECT_EQ(GS_VALUES(2, 2), 30000.0f);
    EXPECT_EQ(GS_VALUES(2, 3), -5.0f);     // first scheme 0: not negated
    EXPECT_EQ(GS_OPTION1, 3);
    EXPECT_EQ(GS_OPTION2, 5);
    EXPECT_EQ(SCREENMODE, 6);
    EXPECT_EQ(ISTPOS(12), 34);
    EXPECT_EQ(ISTPOS(66), 37);
}

TEST(ComparisonChart, NineSchemesLeaveElevenRows) {
    LEVEL = 4;
    for (int k = 2; k <= 9; ++k) SCHEMENAME(k) = "Scheme";
    GS_CHARTSET = 0;  // out of range: set 1
    for (int r = 1; r <= 14; ++r) GS_SETROWS(r, 1) = r;
    COPHT = 0.8f;
    BARCHT3D();
    EXPECT_EQ(GS_CHARTSET, 1);
    EXPECT_EQ(GS_NUMSCHEMES, 9);
    EXPECT_EQ(GS_NUMATTRS, 11);
    EXPECT_EQ(BLK42.ROWLABELS(21), "Heating Gas/Oil Fuel      Therms");
}

}  // namespace
}  // namespace mavo
