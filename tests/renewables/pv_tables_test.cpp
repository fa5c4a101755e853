#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "blocks/blocks.h"
#include "renewables/pv/pv.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::ScratchDir;
using testing::write_file;

struct Parsed {
    REAL8 value = -99.0;
    INTEGER next = 0;
    INTEGER ierr = -99;
};

Parsed parse(std::string_view text, INTEGER from = 1) {
    Parsed p;
    p.next = from;
    STRNUM(text, p.value, p.next, p.ierr);
    return p;
}

TEST(PvTableNumbers, SignsFractionsExponentsAndEnds) {
    // 10^-3 is taken in single precision: 12.5 x 0.001f.
    const Parsed e = parse("12.5E-3 7");
    EXPECT_EQ(e.ierr, 0);
    EXPECT_EQ(e.value, 12.5 * static_cast<double>(0.001f));
    EXPECT_EQ(e.next, 9);  // past the blank, at the 7
    const Parsed neg = parse("-7");
    EXPECT_EQ(neg.ierr, 0);
    EXPECT_EQ(neg.value, -7.0);
    EXPECT_EQ(parse("+-2.5").value, -2.5);
    EXPECT_NEAR(parse("1.289e-09").value, 1.289e-9, 1e-16);
    EXPECT_EQ(parse(".5").value, 0.5);
    // A number ending in a character that cannot end it: the unsigned digits
    // read so far, and the column of that character.
    const Parsed bad = parse("-3x");
    EXPECT_EQ(bad.ierr, 1);
    EXPECT_EQ(bad.value, 3.0);
    EXPECT_EQ(bad.next, 3);
    // Nothing to read: the column stays.
    const Parsed none = parse("abc", 1);
    EXPECT_EQ(none.ierr, -1);
    EXPECT_EQ(none.value, 0.0);
    EXPECT_EQ(none.next, 1);
    // An empty field: 0, parsing goes on after its TAB.
    const Parsed empty = parse("\t4", 1);
    EXPECT_EQ(empty.ierr, 0);
    EXPECT_EQ(empty.value, 0.0);
    EXPECT_EQ(empty.next, 2);
    // Runs of blanks and TABs after a number are one separator; a terminator
    // is not skipped.
    EXPECT_EQ(parse("5 \t \t9").next, 6);
    const Parsed comma = parse("5,6");
    EXPECT_EQ(comma.value, 5.0);
    EXPECT_EQ(comma.next, 2);
    // A huge exponent saturates instead of overflowing the integer.
    EXPECT_TRUE(std::isinf(parse("1e99999999999").value));
}

// Table files in a scratch directory, named in MAVODATA as PVMAIN does.
class PvTableFiles : public ::testing::Test {
protected:
    void SetUp() override {
        MAVODATA.MAVOINVFILE = (dir / "inverters.txt").string();
        MAVODATA.MAVOPVFILE = (dir / "modules.txt").string();
    }
    ScratchDir dir;
};

std::string inverter_line(const char* model, double kw, double tare, double vmin, double vnom, double vmax) {
    std::string s = "Maker\t";
    s += model;
    s += "\t ";
    const double nums[33] = {kw, tare, 0, 0, vmin, vnom, vmax, 0, 0, 0, 0, 0, 0, 93, 95, 96, 96.5, 96.6, 96.4, 0,
                             94, 96, 96.5, 97, 97, 96.8, 0, 93, 95, 95.9, 96.4, 96.5, 96.3};
    for (int i = 0; i < 33; ++i) {
        if (i > 0) s += '\t';
        s += std::to_string(nums[i]);
    }
    return s;
}

TEST_F(PvTableFiles, InverterAndModuleRowsByLine) {
    write_file(dir / "inverters.txt", "title\nheader\nunits\n" + inverter_line("A", 3.8, 0.25, 200, 310, 480) + "\n" +
                                          inverter_line("B", 6.0, 0.5, 250, 380, 600) + "\r\n");
    write_file(dir / "modules.txt",
               "title\nheader\nMaker\tSM\tmono\tnote\t 45.5\t1.7\t72\t7.7\t43.6\t7.2\t35.1\t0.0043\t-0.154\t1.94\t"
               "7.75\t1.289e-09\t0.41\t310\t15.8\t0\n");
    // The record's inverter 2 is the fifth line (row 4), module 1 the third (row 2).
    READDATA("", 4, 2);
    ASSERT_EQ(MAVODATA.ERRFLAG, 0);
    EXPECT_DOUBLE_EQ(MAVODATA.INVDATA(1), 6.0);
    EXPECT_DOUBLE_EQ(MAVODATA.INVDATA(7), 600.0);
    EXPECT_DOUBLE_EQ(MAVODATA.INVDATA(33), 96.3);  // the last number before the CR
    EXPECT_DOUBLE_EQ(MAVODATA.PVDATA(0), 45.5);
    EXPECT_DOUBLE_EQ(MAVODATA.PVDATA(15), 0.0);
    const auto& P = MAVODATA.PVPARS;
    EXPECT_DOUBLE_EQ(P(12), 45.5 + 273.15);
    EXPECT_DOUBLE_EQ(P(15), 1.7);
    EXPECT_DOUBLE_EQ(P(9), 72.0);
    EXPECT_DOUBLE_EQ(P(1), 7.7);
    EXPECT_DOUBLE_EQ(P(2), 43.6);
    EXPECT_DOUBLE_EQ(P(6), 7.2);
    EXPECT_DOUBLE_EQ(P(5), 35.1);
    EXPECT_DOUBLE_EQ(P(18), 1.94);
    EXPECT_DOUBLE_EQ(P(21), 0.41);
    EXPECT_DOUBLE_EQ(P(22), 310.0);
    EXPECT_DOUBLE_EQ(P(26), 15.8);
    EXPECT_DOUBLE_EQ(P(3), 298.15);
    EXPECT_DOUBLE_EQ(P(23), 0.008);
    EXPECT_DOUBLE_EQ(P(27), 6000.0);
    EXPECT_DOUBLE_EQ(P(28), 600.0);
    EXPECT_DOUBLE_EQ(P(29), 250.0);
    EXPECT_DOUBLE_EQ(P(30), 0.5);
}

TEST_F(PvTableFiles, ExampleModuleWithATableInverterKeepsTheInvertersRating) {
    write_file(dir / "inverters.txt", "t\nh\nu\n" + inverter_line("A", 3.8, 0.25, 200, 310, 480) + "\n");
    READDATA("", 3, -1);
    ASSERT_EQ(MAVODATA.ERRFLAG, 0);
    EXPECT_EQ(MAVODATA.PVPARS(15), 1.616);
    EXPECT_EQ(MAVODATA.PVPARS(1), static_cast<double>(7.74f));
    EXPECT_DOUBLE_EQ(MAVODATA.PVPARS(27), 3800.0);
    EXPECT_DOUBLE_EQ(MAVODATA.PVPARS(28), 480.0);
    EXPECT_DOUBLE_EQ(MAVODATA.PVPARS(29), 200.0);
    EXPECT_DOUBLE_EQ(MAVODATA.PVPARS(30), 0.25);
}

TEST_F(PvTableFiles, BuiltInExamplesOpenNoFile) {
    MAVODATA.MAVOINVFILE = (dir / "missing.txt").string();
    MAVODATA.MAVOPVFILE = (dir / "missing.txt").string();
    MAVODATA.PVPARS(10) = 15.0;  // run values stay
    READDATA("", -1, -1);
    EXPECT_EQ(MAVODATA.ERRFLAG, 0);
    EXPECT_EQ(MAVODATA.PVPARS(15), 1.616);
    EXPECT_EQ(MAVODATA.PVPARS(22), static_cast<double>(257.964f));
    EXPECT_EQ(MAVODATA.PVPARS(27), 1.0e6);
    EXPECT_EQ(MAVODATA.PVPARS(28), 1000.0);
    EXPECT_EQ(MAVODATA.PVPARS(29), 0.0);
    EXPECT_EQ(MAVODATA.PVPARS(10), 15.0);
    EXPECT_EQ(MAVODATA.INVDATA(6), 500.0);
    EXPECT_EQ(MAVODATA.INVDATA(13), 10000000.0);
    EXPECT_EQ(MAVODATA.INVDATA(33), 100.0);
}

TEST_F(PvTableFiles, FailuresLeaveTheirMessage) {
    READDATA("", 3, -1);
    EXPECT_EQ(MAVODATA.ERRFLAG, -1);
    EXPECT_EQ(MAVODATA.ERRMSG, "error opening inverter file.");

    MAVODATA = MAVODATA_t{};
    MAVODATA.MAVOINVFILE = (dir / "inverters.txt").string();
    MAVODATA.MAVOPVFILE = (dir / "modules.txt").string();
    write_file(dir / "inverters.txt", "t\nh\nu\n" + inverter_line("A", 3.8, 0.25, 200, 310, 480) + "\n");
    READDATA("", 4, -1);  // the table has one inverter
    EXPECT_EQ(MAVODATA.ERRFLAG, -1);
    EXPECT_EQ(MAVODATA.ERRMSG, "unexpectedly encountered end of inverter file.");

    MAVODATA.ERRFLAG = 0;
    write_file(dir / "modules.txt", "t\nh\n");
    READDATA("", -1, 2);
    EXPECT_EQ(MAVODATA.ERRMSG, "unexpectedly encountered end of pv file.");
    EXPECT_EQ(MAVODATA.ERRFLAG, -1);

    // A row without its four text fields.
    MAVODATA.ERRFLAG = 0;
    write_file(dir / "modules.txt", "t\nh\nonly\ttwo\t 1 2 3\n");
    READDATA("", -1, 2);
    EXPECT_EQ(MAVODATA.ERRMSG, "error reading pv file.");

    // An empty fifth field (the skipped column, then a TAB) reads as 0 and
    // the numbers go on after it.
    MAVODATA.ERRFLAG = 0;
    write_file(dir / "modules.txt", "t\nh\na\tb\tc\td\t \t1.6\t60\n");
    READDATA("", -1, 2);
    EXPECT_EQ(MAVODATA.ERRFLAG, 0);
    EXPECT_EQ(MAVODATA.PVDATA(0), 0.0);
    EXPECT_DOUBLE_EQ(MAVODATA.PVDATA(1), 1.6);
    EXPECT_EQ(MAVODATA.PVDATA(2), 60.0);
}

TEST(PvTableSamples, TheSampleTablesOfTheUtilityDirectoryRead) {
    const std::string util = std::string(MAVO_SOURCE_DIR) + "/data/util/";
    MAVODATA.MAVOINVFILE = util + std::string(kInverterTableFile);
    MAVODATA.MAVOPVFILE = util + std::string(kModuleTableFile);
    for (INTEGER inverter = 1; inverter <= 2; ++inverter) {
        for (INTEGER module = 1; module <= 2; ++module) {
            MAVODATA.ERRFLAG = 0;
            READDATA("", inverter + 2, module + 1);
            ASSERT_EQ(MAVODATA.ERRFLAG, 0) << MAVODATA.ERRMSG.trimmed();
            const auto& P = MAVODATA.PVPARS;
            EXPECT_DOUBLE_EQ(P(27), inverter == 1 ? 3800.0 : 6000.0);
            EXPECT_LT(MAVODATA.INVDATA(5), MAVODATA.INVDATA(6));
            EXPECT_LT(MAVODATA.INVDATA(6), MAVODATA.INVDATA(7));
            EXPECT_EQ(P(9), module == 1 ? 60.0 : 72.0);
            EXPECT_DOUBLE_EQ(P(15), module == 1 ? 1.616 : 1.94);
            EXPECT_GT(P(22), 0.0);
        }
    }
    // Module 1 is the built-in example module.
    READDATA("", -1, 2);
    const auto table = MAVODATA.PVPARS;
    READDATA("", -1, -1);
    for (int j : {1, 2, 5, 6, 7, 8, 9, 12, 15, 18, 19, 20, 21, 22, 26})
        EXPECT_NEAR(table(j), MAVODATA.PVPARS(j), 1e-6 * std::fabs(table(j))) << j;
}

}  // namespace
}  // namespace mavo
