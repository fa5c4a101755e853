#include <gtest/gtest.h>

#include <cstring>
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

float float_at(const std::string& bytes, std::size_t value_index) {
    float v;
    std::memcpy(&v, bytes.data() + 12 + value_index * 4, 4);
    return v;
}

class StrategyFile : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKPROJ = 32;
        IDNUM1 = 3;
        NFLAG(80) = true;
    }
    ScratchDir project;
};

TEST_F(StrategyFile, RowsUpTo200OfAllColumnsComeFirst) {
    STRATEGY(200, 9) = 9200.0f;
    STRATEGY(201, 1) = 1201.0f;
    STRATEGY(310, 9) = 9310.0f;
    STRATEGY(5, 12) = 35.0f;  // back-up copy of scheme 3
    AADISK(6);
    const std::string bytes = read_file(project / "stratb.dat");
    ASSERT_EQ(bytes.size(), 12u + 310 * 9 * 4);
    EXPECT_EQ(bytes.substr(0, 4), "VOR7");
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x05\x00\x04\x01", 4));
    EXPECT_EQ(float_at(bytes, 1799), 9200.0f);  // row 200 of column 9
    EXPECT_EQ(float_at(bytes, 1800), 1201.0f);  // then row 201 of column 1
    EXPECT_EQ(float_at(bytes, 310 * 9 - 1), 9310.0f);
    const std::string copy = read_file(project / "stratb.bfr");
    EXPECT_EQ(float_at(copy, 2 * 200 + 4), 35.0f);
}

TEST_F(StrategyFile, LoadFillsTheCurrentSchemeCopyAndTheOtherCopiesFromTheCompanion) {
    for (INTEGER k = 1; k <= 18; ++k) STRATEGY(7, k) = static_cast<REAL>(k);
    STRATEGY(1, 3) = 2.0f;
    AADISK(6);
    for (INTEGER k = 1; k <= 18; ++k) STRATEGY(7, k) = 0.0f;
    AADISK(-5);
    EXPECT_EQ(STRATEGY(7, 3), 3.0f);
    EXPECT_EQ(STRATEGY(7, 12), 3.0f);  // the current scheme's copy is what was just loaded
    EXPECT_EQ(STRATEGY(7, 10), 10.0f);
    EXPECT_EQ(STRATEGY(7, 18), 18.0f);
    EXPECT_FALSE(NFLAG(81));
    STRATEGY(1, 3) = 0.0f;
    AADISK(6);
    AADISK(-5);
    EXPECT_TRUE(NFLAG(81));  // no electric tariff: the location counts as changed
}

TEST_F(StrategyFile, RevisionZeroHoldsTwoHundredRows) {
    AADISK(6);
    std::string bytes = read_file(project / "stratb.dat");
    bytes[7] = 0;
    bytes.resize(12 + 200 * 9 * 4);
    write_file(project / "stratb.dat", bytes);
    STRATEGY(250, 3) = 5.0f;
    STRATEGY(250, 12) = 5.0f;
    STRATEGY(250, 4) = 6.0f;
    NFLAG(90) = true;
    AADISK(-5);
    EXPECT_EQ(STRATEGY(250, 3), 0.0f);  // cleared before the read
    EXPECT_EQ(STRATEGY(250, 12), 0.0f);
    EXPECT_EQ(STRATEGY(250, 4), 6.0f);  // others keep their rows
    EXPECT_EQ(read_file(project / "v7trace3.txt").find("IO_RREAL ERROR"), std::string::npos);
}

TEST_F(StrategyFile, ZoneNumberLosesItsDigitAndFailedRunsLoseTheirCosts) {
    ZIPCODE = 12.3f;
    AADISK(6);
    AADISK(-5);
    EXPECT_EQ(ZIPCODE, 12.0f);
    ZIPCODE = 90210.3f;
    AADISK(-5);
    EXPECT_EQ(ZIPCODE, 90210.3f);

    STRATEGY(44, 3) = STRATEGY(45, 3) = STRATEGY(46, 3) = 10.0f;
    STRATEGY(44, 4) = 10.0f;
    NFLAG(80) = false;
    AADISK(6);
    EXPECT_EQ(STRATEGY(46, 3), 0.0f);
    EXPECT_EQ(STRATEGY(44, 4), 10.0f);
    IDNUM1 = 10;  // the default scheme has no scheme column of its own
    STRATEGY(44, 10) = 10.0f;
    AADISK(6);
    EXPECT_EQ(STRATEGY(44, 10), 10.0f);
}

TEST_F(StrategyFile, MissingFileLeavesEveryColumnAtItsInitialValue) {
    // Columns of a project loaded earlier in the process.
    STRATEGY(9, 3) = 4.0f;
    STRATEGY(9, 5) = 4.0f;
    STRATEGY(9, 14) = 4.0f;
    AADISK(-5);
    EXPECT_EQ(STRATEGY(9, 3), 0.0f);
    EXPECT_EQ(STRATEGY(9, 5), 0.0f);
    EXPECT_EQ(STRATEGY(9, 14), 0.0f);
    EXPECT_EQ(read_lines(project / "strategy.txt").size(), 622u);  // the listing is still written
}

TEST_F(StrategyFile, ShortFileIsKeptAndAMissingCompanionLeavesFreshCopies) {
    for (INTEGER k = 1; k <= 18; ++k) STRATEGY(300, k) = static_cast<REAL>(k);
    AADISK(6);
    std::filesystem::remove(project / "stratb.bfr");
    STRATEGY(300, 14) = 99.0f;  // a copy column of a project loaded before
    AADISK(-5);
    EXPECT_EQ(STRATEGY(300, 5), 5.0f);
    EXPECT_EQ(STRATEGY(300, 12), 3.0f);  // the current scheme's copy: its column just loaded
    EXPECT_EQ(STRATEGY(300, 14), 0.0f);
    EXPECT_FALSE(project_files_frozen());  // a missing companion is created at the next save

    // Cut as a failed save of old left it: 400 of its 2790 values.
    std::string bytes = read_file(project / "stratb.dat");
    bytes.resize(1612);
    write_file(project / "stratb.dat", bytes);
    const std::string companion = read_file(project / "stratb.bfr");
    NFLAG(90) = true;
    AADISK(-5);
    EXPECT_TRUE(project_files_frozen());
    EXPECT_NE(read_file(project / "v7trace3.txt").find("error E108 in AADISK"), std::string::npos);
    AADISK(6);
    EXPECT_EQ(read_file(project / "stratb.dat"), bytes);
    EXPECT_EQ(read_file(project / "stratb.bfr"), companion);
    EXPECT_EQ(read_lines(project / "strategy.txt").size(), 622u);  // the listing shows memory as ever
}

TEST_F(StrategyFile, ListingShowsEveryRowOfTheNineColumns) {
    STRATEGY(1, 1) = 1234567.5f;
    STRATEGY(1, 2) = 12345678.0f;
    STRATEGY(310, 9) = -2.5f;
    AADISK(6);
    const auto l = read_lines(project / "strategy.txt");
    ASSERT_EQ(l.size(), 622u);
    EXPECT_EQ(l[0], " K  Scheme(1) + Scheme(2)  Scheme(3)  Scheme (4)..etc");
    EXPECT_EQ(l[1].substr(0, 30), "   1 1234567.5000 ************");
    EXPECT_EQ(l[311], " K  Scheme(1) + Scheme(6)  Scheme(7)  Scheme (8)..etc");
    EXPECT_EQ(l[621], " 310       0.0000       0.0000       0.0000       0.0000      -2.5000");
}

TEST_F(StrategyFile, NoCompanionOnAConsolePlatform) {
    OSCODE = 1;
    AADISK(6);
    EXPECT_FALSE(std::filesystem::exists(project / "stratb.bfr"));
}

}  // namespace
}  // namespace mavo

namespace mavo {
namespace {

TEST_F(StrategyFile, UnformattedFormIsOneRecordOfNineColumns) {
    WRITEMODE = 1;
    READMODE = 1;
    STRATEGY(310, 9) = 3.5f;
    STRATEGY(17, 3) = 2.0f;
    AADISK(6);
    EXPECT_EQ(std::filesystem::file_size(project / "strategy.dat"), 8u + 310 * 9 * 4);
    EXPECT_FALSE(std::filesystem::exists(project / "stratb.bfr"));
    STRATEGY(310, 9) = 0.0f;
    AADISK(-5);
    EXPECT_EQ(STRATEGY(310, 9), 3.5f);
    EXPECT_EQ(STRATEGY(17, 12), 2.0f);  // the current scheme's copy
    std::filesystem::resize_file(project / "strategy.dat", 100);
    AADISK(-5);
    EXPECT_EQ(STRATEGY(310, 9), 0.0f);  // a short record reads as zeros
}

}  // namespace
}  // namespace mavo
