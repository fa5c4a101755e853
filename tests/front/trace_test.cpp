#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/run_control.h"
#include "front/fatal.h"
#include "front/trace.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::read_lines;
using testing::ScratchDir;

class TraceLog : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(dir.str(), dir.str(), dir.str());
        BLK0B.DISKTRACE = 37;
        IDNUM1 = 0;
        NFLAG(90) = true;
    }
    std::vector<std::string> lines(const char* name = "v7trace0.txt") { return read_lines(dir / name); }
    ScratchDir dir;
};

TEST_F(TraceLog, EntryAndExitLinesIndentByDepth) {
    DBG_IN("X");
    EXPECT_EQ(INDENT, 1);
    DBG_PRINT("inside");
    DBG_OUT("X");
    EXPECT_EQ(INDENT, 0);
    const auto l = lines();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], "   < DBG IN  : X ");
    EXPECT_EQ(l[1], "   < DBG : inside ");
    EXPECT_EQ(l[2], "   < DBG OUT : X ");
}

TEST_F(TraceLog, UnmatchedExitNeverTakesTheDepthBelowZero) {
    DBG_OUT("lonely");
    EXPECT_EQ(INDENT, 0);
    DBG_OUT("again");
    EXPECT_EQ(INDENT, 0);
    DBG_PRINT("after");
    EXPECT_EQ(lines().back(), " < DBG : after ");
}

TEST_F(TraceLog, LabelledValueForms) {
    DBG_INT("LEVEL 1-Tutor,2=Demo,4=Normal,5=Expert", 1);
    DBG_INT4("four", -12);
    DBG_FLOAT("cycle", 288.0f);
    DBG_DOUBLE("dbl", 0.1);
    DBG_LOGICAL("all bits", LOGICAL(true));
    DBG_LOGICAL("byte one", LOGICAL::from_byte(1));
    DBG_ERROR("bad thing");
    DBG_TRACE("bare text");
    const auto l = lines();
    ASSERT_EQ(l.size(), 8u);
    EXPECT_EQ(l[0], " <            1 = LEVEL 1-Tutor,2=Demo,4=Normal,5=Expert ");
    EXPECT_EQ(l[1], " <      -12 = four ");
    EXPECT_EQ(l[2], " <            288.0000000000000000000000000 = cycle ");
    EXPECT_EQ(l[3], " <     0.1000000000000000055511151D+00 = dbl ");
    EXPECT_EQ(l[4], " < .TRUE.  = all bits ");
    EXPECT_EQ(l[5], " < .FALSE. = byte one ");
    EXPECT_EQ(l[6], " < DBG ERROR : bad thing ");
    EXPECT_EQ(l[7], "bare text ");
}

TEST_F(TraceLog, LongTextIsCutTo255CharactersWithItsPrefix) {
    DBG_PRINT(std::string(300, 'a'));
    const auto l = lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].size(), 256u);  // 255 characters and the closing blank
    EXPECT_EQ(l[0].substr(0, 12), " < DBG : aaa");
    OFF_DBG_STRING("label", "text");
    EXPECT_EQ(lines().back(), " < label ");  // the padded label leaves no room for the text
}

TEST_F(TraceLog, DatedLineAndFlagTable) {
    DBG_DATE("Start Kernel");
    NFLAG(3) = false;
    DBG_NFLAG("flags");
    const auto l = lines();
    ASSERT_EQ(l.size(), 11u);
    // " < DATE : mm/dd/yy hh:mm " and the label padded to 255 characters.
    EXPECT_EQ(l[0].substr(0, 10), " < DATE : ");
    EXPECT_EQ(l[0][12], '/');
    EXPECT_EQ(l[0][15], '/');
    EXPECT_EQ(l[0][21], ':');
    EXPECT_EQ(l[0].substr(25, 12), "Start Kernel");
    EXPECT_EQ(l[0].size(), 25u + 255u);
    EXPECT_EQ(l[1].substr(0, 17), " < NFLAGS : flags");
    EXPECT_EQ(l[2], "     1 : TTFTT TTTTT");
    EXPECT_EQ(l[3], "    11 : TTTTT TTFFF");
    EXPECT_EQ(l[10], "    81 : FFFFF FFFFT");  // flag 90 on: the trace itself
}

TEST_F(TraceLog, ResetEmptiesTheFileOfTheSchemeDigit) {
    IDNUM1 = 7;
    DBG_PRINT("old line");
    DBG_RESET();
    EXPECT_EQ(read_file(dir / "v7trace7.txt"), " -=- \n\n");
    IDNUM1 = 12;  // a combination number writes to the file of digit 0
    DBG_PRINT("combo");
    EXPECT_TRUE(std::filesystem::exists(dir / "v7trace0.txt"));
}

TEST_F(TraceLog, NothingHappensWhileTheTraceIsOff) {
    NFLAG(90) = false;
    DBG_IN("X");
    DBG_PRINT("text");
    DBG_DATE("date");
    DBG_RESET();
    EXPECT_EQ(INDENT, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(BLK130A.DBGTEXT.trimmed(), "text");  // the message is still kept
}

TEST_F(TraceLog, UnopenableFileGoesToStandardOutput) {
    testing::use_directories((dir / "missing").string(), dir.str(), dir.str());
    ::testing::internal::CaptureStdout();
    DBG_PRINT("lost line");
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("DBG_TRACE: STRING:  < DBG : lost line"), std::string::npos);
    EXPECT_NE(out.find("DBG_TRACE: C_SCHEME:      2"), std::string::npos);
    EXPECT_NE(out.find("DBG_TRACE: OPEN FAILED: PATH: '" + (dir / "missing" / "v7trace0.txt").string() + "'"),
              std::string::npos);
    EXPECT_NE(out.find("DBG_TRACE: IOSTAT: "), std::string::npos);
}

TEST_F(TraceLog, FatalStopTracesAndUnwinds) {
    ::testing::internal::CaptureStdout();
    EXPECT_THROW(DBG_CRASH("KEEP1: Unable to open scheme HET file"), FatalStop);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");  // the host's output is not the kernel's
    const auto l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "!!!! FATAL CRASH !!!! ");
    EXPECT_EQ(l[1], "KEEP1: Unable to open scheme HET file ");
}

}  // namespace
}  // namespace mavo
