#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "front/developer_tools.h"
#include "front/units.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_lines;
using testing::ScratchDir;
using testing::write_file;

constexpr const char* kHelpHeader =
    "V7 HELP TABLE - TOPIC PAIRS\n"
    "second header line\n"
    "3\n4\n5\n6\n";

class DeveloperTools : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), util.str(), util.str());
        BLK0B.DISKPROJ = 32;
        BLK0B.DISKJAVA = 46;
        BLK0B.DISKTRACE = 37;
        IDNUM1 = 1;
    }
    void help_file(const std::string& body) { write_file(util / "v7help.tbl", kHelpHeader + body); }
    std::vector<std::string> trace() { return read_lines(project / "v7trace1.txt"); }
    ScratchDir project;
    ScratchDir util;
};

TEST_F(DeveloperTools, HelpTableReadsCountAndPairs) {
    help_file("       2\n     101\n       7\n     202\n      -9\n");
    FINDHELP();
    EXPECT_EQ(NHELP, 2);
    EXPECT_EQ(HELPFIRST(1), 101);
    EXPECT_EQ(HELPSECOND(1), 7);
    EXPECT_EQ(HELPFIRST(2), 202);
    EXPECT_EQ(HELPSECOND(2), -9);
    EXPECT_EQ(unit_file(32), nullptr);
}

TEST_F(DeveloperTools, HelpTableCountAboveCapacityReadsNoPair) {
    help_file("     401\n     101\n       7\n");
    FINDHELP();
    EXPECT_EQ(NHELP, 1);
    EXPECT_EQ(HELPFIRST(1), 0);

    help_file("       0\n     101\n       7\n");
    FINDHELP();
    EXPECT_EQ(NHELP, 0);
    EXPECT_EQ(HELPFIRST(1), 0);
}

TEST_F(DeveloperTools, HelpTableFailuresAreTraced) {
    NFLAG(90) = true;
    // Three pairs promised, one and a half present: only the whole pair counts.
    help_file("       3\n      11\n      12\n      13\n");
    FINDHELP();
    EXPECT_EQ(NHELP, 1);
    EXPECT_EQ(HELPFIRST(1), 11);
    EXPECT_EQ(HELPSECOND(1), 12);

    // A value a two-byte word cannot hold is a failed read.
    help_file("       1\n   70000\n       1\n");
    FINDHELP();
    EXPECT_EQ(NHELP, 0);

    // No table: nothing read, and no empty table left behind.
    std::filesystem::remove(util / "v7help.tbl");
    FINDHELP();
    EXPECT_EQ(NHELP, 1);
    EXPECT_FALSE(std::filesystem::exists(util / "v7help.tbl"));

    int errors = 0;
    for (const std::string& line : trace()) errors += line.find("FINDHELP:E1101") != std::string::npos;
    EXPECT_EQ(errors, 3);
}

TEST_F(DeveloperTools, BlockDHoldsTheCodeTableByZone) {
    KEEPBLKD();
    const auto l = read_lines(project / "BlockD.java");
    ASSERT_EQ(l.size(), 6u + 16u * 9u + 2u);
    EXPECT_EQ(l[0], "public class BlockD");
    EXPECT_EQ(l[1], "{");
    EXPECT_EQ(l[2], "  public static final String m_release_date=\"181203\";");
    EXPECT_EQ(l[3], "  public static final String m_release_time=\"154759\";");
    EXPECT_EQ(l[4], "  public static final double m_CECnr[][] = ");
    EXPECT_EQ(l[5], "  {");
    // Zone 1: roof U 0.049, wood wall U 0.102, raised floor U 0.048, window
    // U 0.36, glazing fraction 0.4, heavy floor U 0.092.
    EXPECT_EQ(l[6], "    { // CECZone =  1");
    EXPECT_EQ(l[7], "      0.049,   0.102,   0.000,   0.000,   0.000,   0.048,   0.360,   0.400,   0.092,   0.000, ");
    for (int z = 1; z <= 16; ++z) {
        const std::size_t first = 6 + (z - 1) * 9;
        EXPECT_EQ(l[first], "    { // CECZone = " + std::string(z < 10 ? " " : "") + std::to_string(z));
        EXPECT_EQ(l[first + 7].size(), 4u + 7u + 2u + 7u) << "zone " << z;  // values 61 and 62
        EXPECT_EQ(l[first + 8], "    },");
        for (std::size_t i = first; i <= first + 8; ++i) EXPECT_EQ(l[i].find('*'), std::string::npos) << l[i];
    }
    EXPECT_EQ(l[150], "  }; // END CECnr[][]");
    EXPECT_EQ(l[151], "}; // END BlockD");

    DIRPATHS(2) = (project / "missing").string();
    KEEPBLKD();  // unopenable: traced only
    EXPECT_EQ(unit_file(46), nullptr);
}

TEST_F(DeveloperTools, PathDumpSkipsBlankEntries) {
    DIRPATHS(2) = "";
    DIRPATHS(3) = "/data/weather";
    BLK110C.FILENAMES(7) = "zipcodes.sce";
    ::testing::internal::CaptureStdout();
    DUMBBLK110X(5);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find(" DUMBBLK110X: "), 0u);
    EXPECT_NE(out.find("DIRPATHS(           3): '/data/weather'\n"), std::string::npos);
    EXPECT_NE(out.find("DIRPATHS(           1): '" + util.str() + "'\n"), std::string::npos);
    EXPECT_EQ(out.find("DIRPATHS(           2)"), std::string::npos);
    EXPECT_NE(out.find("FILENAMES(           7): 'zipcodes.sce'\n"), std::string::npos);
    EXPECT_EQ(out.find("PATHTOFILE"), std::string::npos);
    EXPECT_NE(out.find(" SLASH: '/'\n"), std::string::npos);
}

TEST_F(DeveloperTools, ShellHookRunsTheCommandAndTracesItsResult) {
    NFLAG(90) = true;
    const auto marker = project / "ran.txt";
    SYSTEMIF("echo ran > '" + marker.string() + "'; exit 3   ");
    EXPECT_EQ(testing::read_file(marker), "ran\n");
    bool traced = false;
    for (const std::string& line : trace())
        traced = traced || (line.find("IRESULT") != std::string::npos && line.find(" 3 ") != std::string::npos);
    EXPECT_TRUE(traced);
}

}  // namespace
}  // namespace mavo
