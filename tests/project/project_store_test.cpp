#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "front/units.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::read_lines;
using testing::ScratchDir;
using testing::write_file;

class ProjectStore : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), util.str(), util.str());
        BLK0B.DISKPROJ = 32;
    }
    std::filesystem::path summary() { return project / "summaryb.dat"; }
    ScratchDir project, util;
};

TEST_F(ProjectStore, SchemeDirectoryKeepsEighteenLines) {
    SLOTCODE(2) = 7;
    SCHEMENAME(2) = "Second scheme";
    NCOMBO(1) = 136;
    LINENAME(1) = "Zones 1, 3 and 6";
    AADISK(1);
    const auto lines = read_lines(project / "master.dir");
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], " 0  BASECASE Energy Efficien");
    EXPECT_EQ(lines[1], " 7  Second scheme           ");
    EXPECT_EQ(lines[9], "       136  Zones 1, 3 and 6        ");

    reset_all_blocks();
    SetUp();
    AADISK(0);  // the directory alone
    EXPECT_EQ(SLOTCODE(2), 7);
    EXPECT_EQ(SCHEMENAME(2).trimmed(), "Second scheme");
    EXPECT_EQ(NCOMBO(1), 136);
    EXPECT_EQ(LINENAME(1).trimmed(), "Zones 1, 3 and 6");
}

TEST_F(ProjectStore, MissingOrShortDirectoryStartsFromTheInitialNames) {
    AADISK(-1);
    EXPECT_TRUE(std::filesystem::exists(project / "master.dir"));
    EXPECT_EQ(read_file(project / "master.dir"), "");
    EXPECT_EQ(SCHEMENAME(1).trimmed(), "BASECASE Energy Efficien");
    EXPECT_TRUE(SCHEMENAME(5).is_blank());
    EXPECT_EQ(NCOMBO(4), 0);

    AADISK(1);  // a summary file beside it: the nine lines of a project's file
    ASSERT_TRUE(std::filesystem::exists(summary()));
    std::string nine;
    for (int i = 1; i <= 9; ++i) nine += " " + std::to_string(i) + "  Scheme " + std::to_string(i) + "\n";
    write_file(project / "master.dir", nine);
    reset_all_blocks();
    SetUp();
    AADISK(0);
    EXPECT_EQ(SCHEMENAME(9).trimmed(), "Scheme 9");
    EXPECT_EQ(SLOTCODE(9), 9);
    EXPECT_EQ(NCOMBO(4), 0);  // the combination lines the file lacks
    EXPECT_EQ(file_failures_of_run(), 0);
}

// A summary file that cannot be read as one is kept for the user to
// recover, and no project file is saved over it; a missing one is made.
TEST_F(ProjectStore, ForeignSummaryIsKeptAndAMissingOneIsMade) {
    for (bool foreign : {false, true}) {
        if (foreign) write_file(summary(), "not a summary file");
        IDNUM1 = 1;
        AADISK(-1);
        EXPECT_EQ(project_files_frozen(), foreign);
        AADISK(1);
        if (foreign) EXPECT_EQ(read_file(summary()), "not a summary file");
        else EXPECT_EQ(read_file(summary()).size(), 14462u) << "the missing summary was not made whole";
    }
}

TEST_F(ProjectStore, SummaryRoundTripsTheProjectState) {
    IDNUM1 = 3;
    IDNUM2 = 2;
    ITEMY = 243;
    LEVEL = 4;
    CHARTSCALE = 2.5f;
    NFLAG(24) = true;
    NFLAG(50) = true;
    NFLAG(51) = true;  // flags above 50 do not travel in this file
    SUMARY(80, 18) = 12.5f;
    SUMARY(5, 3) = 3.0e-8f;  // flushed to zero on the way out
    SUMARYX(18) = 4.0f;
    GS_TITLES(15) = "Last chart";
    GS_SETROWS(17, 15) = 80;
    GS_SETSCHEMES(9, 1) = 9;
    GS_CHARTSET = 15;
    BLK0D.MAVOVERSION = 59;
    AADISK(1);
    EXPECT_EQ(SUMARY(5, 3), 0.0f);
    EXPECT_EQ(std::filesystem::file_size(summary()), 14462u);

    reset_all_blocks();
    SetUp();
    AADISK(-1);
    EXPECT_EQ(IDNUM1, 3);
    EXPECT_EQ(IDNUM2, 2);
    EXPECT_EQ(ITEMY, 243);
    EXPECT_EQ(LEVEL, 4);
    EXPECT_EQ(CHARTSCALE, 2.5f);
    EXPECT_TRUE(NFLAG(24));
    EXPECT_TRUE(NFLAG(50));
    EXPECT_FALSE(NFLAG(51));
    EXPECT_EQ(SUMARY(80, 18), 12.5f);
    EXPECT_EQ(SUMARY(5, 3), 0.0f);
    EXPECT_EQ(SUMARYX(18), 4.0f);
    EXPECT_EQ(GS_TITLES(15).trimmed(), "Last chart");
    EXPECT_EQ(GS_SETROWS(17, 15), 80);
    EXPECT_EQ(GS_SETSCHEMES(9, 1), 9);
    EXPECT_EQ(GS_CHARTSET, 15);
    EXPECT_EQ(BLK0D.MAVOVERSION, 59);
}

TEST_F(ProjectStore, SaveClearsTheRateChangeFlags) {
    NFLAG(26) = true;
    NFLAG(29) = true;
    NFLAG(33) = true;
    AADISK(1);
    EXPECT_FALSE(NFLAG(26));
    EXPECT_FALSE(NFLAG(29));
    EXPECT_FALSE(NFLAG(33));
    NFLAG(26) = true;
    AADISK(-1);
    EXPECT_FALSE(NFLAG(26));  // and so they are in the file
}

TEST_F(ProjectStore, OlderRevisionLeavesLaterSectionsAtTheirDefaults) {
    AADISK(1);
    // Revision 2: the file ends after SUMARYX.
    std::string bytes = read_file(summary());
    bytes[7] = 2;
    bytes.resize(7782);
    write_file(summary(), bytes);
    SUMARY(73, 1) = 5.0f;
    SUMARY(80, 18) = 5.0f;
    BLK0D.MAVOVERSION = 7;
    BLK0D.MAVOBUILD = 8;
    ECOST(1, 1, 1) = 9.0f;
    NFLAG(90) = true;
    AADISK(-1);
    EXPECT_EQ(SUMARY(73, 1), 0.0f);
    EXPECT_EQ(SUMARY(80, 18), 0.0f);
    EXPECT_EQ(BLK0D.MAVOVERSION, 0);
    EXPECT_EQ(BLK0D.MAVOBUILD, 0);
    EXPECT_EQ(ECOST(1, 1, 1), 9.0f);
    // A complete older file reads without a single record error.
    const std::string trace = read_file(project / "v7trace1.txt");
    EXPECT_EQ(trace.find("ERROR"), std::string::npos) << trace;
}

TEST_F(ProjectStore, SchemeOneStartsFromTheBuiltInRateZones) {
    ERATEZONEZ = 3;
    GRATEZONEZ = 4;
    AADISK(1);
    AADISK(-1);
    EXPECT_EQ(ERATEZONEZ, 10);
    EXPECT_EQ(GRATEZONEZ, 1);
    EXPECT_EQ(ERATEZONE, 10);
    NFLAG(24) = true;
    AADISK(1);
    AADISK(-1);
    EXPECT_EQ(ERATEZONE, 32);
    EXPECT_EQ(GRATEZONE, 11);
}

TEST_F(ProjectStore, SchemeNumberBelowTheLibrarySlotsBecomesOne) {
    IDNUM1 = -7;
    AADISK(1);
    IDNUM1 = 5;
    AADISK(-1);
    EXPECT_EQ(IDNUM1, 1);
    IDNUM1 = -2;
    AADISK(1);
    AADISK(-1);
    EXPECT_EQ(IDNUM1, -2);
}

// A scheme directory that cannot be saved does not cost the summary file
// its save: it carries the scheme the host asked for and the results.
TEST_F(ProjectStore, SummarySavedWhenTheDirectoryCannotBe) {
    std::filesystem::create_directory(project / "master.dir");
    IDNUM1 = 4;
    SUMARY(36, 4) = 123.0f;
    AADISK(1);
    ASSERT_TRUE(std::filesystem::is_directory(project / "master.dir"));
    reset_all_blocks();
    SetUp();
    AADISK(-1);
    EXPECT_EQ(IDNUM1, 4);
    EXPECT_EQ(SUMARY(36, 4), 123.0f);
}

TEST_F(ProjectStore, EnergyCostLinesOfTheCurrentScheme) {
    const INTEGER k = 4;
    IDNUM1 = k;
    EX = 0.5f;
    FX = 11.7f;
    SUMARY(25, k) = 1000.0f;  // kWh consumed
    SUMARY(36, k) = 150.0f;   // $ electricity
    SUMARY(66, k) = 100.0f;   // therms
    SUMARY(35, k) = 120.0f;   // $ fuel
    SUMARY(64, k) = 12.0f;    // therms displaced by solar water heating
    SUMARY(74, k) = 0.0f;
    ECOST(1, 5, 1) = 77.0f;   // another scheme's column stays
    AADISK(1);
    EXPECT_FLOAT_EQ(ECOST(1, k, 1), 150.0f);
    EXPECT_FLOAT_EQ(ECOST(1, k, 2), 3412.0f);
    EXPECT_FLOAT_EQ(ECOST(1, k, 4), 500.0f);
    EXPECT_FLOAT_EQ(ECOST(12, k, 1), 120.0f);
    EXPECT_FLOAT_EQ(ECOST(12, k, 3), 2930.8325f);
    EXPECT_FLOAT_EQ(ECOST(12, k, 4), 1170.0f);
    EXPECT_FLOAT_EQ(ECOST(19, k, 4), 0.5f * 1000.0f + 11.7f * 100.0f);
    EXPECT_FLOAT_EQ(ECOST(23, k, 2), 1200.0f);  // as line 16 without solar electricity
    EXPECT_FLOAT_EQ(ECOST(23, k, 3), 12.0f * 29.308325f);
    EXPECT_EQ(ECOST(1, 5, 1), 77.0f);

    SUMARY(74, k) = 50.0f;
    SUMARY(25, k) = 0.0f;  // no electricity used: no price
    AADISK(1);
    EXPECT_FLOAT_EQ(ECOST(23, k, 2), 170.6f);
    EXPECT_FLOAT_EQ(ECOST(23, k, 3), 50.0f);
    for (INTEGER line = 1; line <= 10; ++line) EXPECT_EQ(ECOST(line, k, 1), 0.0f) << line;

    reset_all_blocks();
    SetUp();
    AADISK(-1);
    EXPECT_FLOAT_EQ(ECOST(23, k, 2), 170.6f);  // the table travels in the file
}

TEST_F(ProjectStore, NewProjectDefaultsComeFromTheUtilityDirectory) {
    SCHEMENAME(2) = "From defaults";
    IDNUM1 = 6;
    AADISK(1);
    std::filesystem::rename(project / "master.dir", util / "master0.dir");
    std::filesystem::rename(summary(), util / "sumary0b.dat");
    reset_all_blocks();
    SetUp();
    AADISK(-2);
    EXPECT_EQ(SCHEMENAME(2).trimmed(), "From defaults");
    EXPECT_EQ(IDNUM1, 6);
    std::filesystem::remove(util / "master0.dir");
    AADISK(-2);  // a missing default is never created
    EXPECT_FALSE(std::filesystem::exists(util / "master0.dir"));
}

TEST_F(ProjectStore, UnformattedSummaryGroupsValuesIntoRecords) {
    WRITEMODE = 1;
    READMODE = 1;
    IDNUM1 = 2;
    SUMARY(72, 18) = 6.0f;
    SUMARY(73, 1) = 8.0f;  // beyond what this form carries
    GS_CHARTSET = 4;
    AADISK(1);
    const std::string bytes = read_file(project / "summary.dat");
    // First record: items 1 to 65, 7 + 8 words and 50 one-byte flags.
    const std::int32_t first = *reinterpret_cast<const std::int32_t*>(bytes.data());
    EXPECT_EQ(first, 15 * 4 + 50);
    EXPECT_EQ(bytes.size(), (8u + 110) + 15 * (8 + 56) + 15 * (8 + 27 * 4) + 18 * (8 + 48 * 4) + 18 * (8 + 24 * 4));
    reset_all_blocks();
    SetUp();
    READMODE = 1;
    AADISK(-1);
    EXPECT_EQ(IDNUM1, 2);
    EXPECT_EQ(SUMARY(72, 18), 6.0f);
    EXPECT_EQ(SUMARY(73, 1), 0.0f);
    EXPECT_EQ(GS_CHARTSET, 4);
}

TEST_F(ProjectStore, CommonTailOfEveryCall) {
    NFLAG(18) = true;
    NFLAG(46) = true;
    NFLAG(7) = false;
    IDNUM1 = 2;
    NFLAG(37) = true;
    CECZONE = 12;
    SLAT = 40.0f;
    AADISK(0);
    EXPECT_TRUE(NFLAG(22));  // a new site asks for new designs of schemes 1 and 2
    EXPECT_FALSE(NFLAG(46));
    EXPECT_TRUE(NFLAG(7));
    EXPECT_EQ(SLAT, 40.0f);
    NFLAG(82) = true;
    NFLAG(37) = false;
    NFLAG(65) = true;
    AADISK(0);
    EXPECT_FALSE(NFLAG(65));
}

}  // namespace
}  // namespace mavo

namespace mavo {
namespace {

TEST_F(ProjectStore, TextFormKeepsEmptyTitlesAndEveryValue) {
    WRITEMODE = READMODE = 2;
    IDNUM1 = 2;
    SUMARY(80, 18) = 1.5f;
    GS_TITLES(2) = "Second chart";  // title 1 stays as the zero bytes it starts as
    AADISK(1);
    reset_all_blocks();
    SetUp();
    READMODE = 2;
    AADISK(-1);
    EXPECT_EQ(IDNUM1, 2);
    EXPECT_EQ(SUMARY(80, 18), 1.5f);
    EXPECT_EQ(GS_TITLES(2).trimmed(), "Second chart");
    EXPECT_TRUE(GS_TITLES(1).is_blank());
}

}  // namespace
}  // namespace mavo
