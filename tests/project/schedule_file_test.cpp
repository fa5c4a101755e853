#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "front/fatal.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::ScratchDir;

class ScheduleFile : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), util.str(), util.str());
        BLK0B.DISKFSCHED = 44;
        BLK0B.DISKKSCHED = 45;
    }
    ScratchDir project, util;
};

TEST_F(ScheduleFile, WrittenFileRestoresTheBlockExactly) {
    IDNUM1 = 4;
    SCHEDULES(-1, 1, 1) = 999;
    SCHEDULES(25, 16, 20) = -7;
    const ScheduleTable written = SCHEDULES;
    KEEPSCHED();
    const std::string bytes = read_file(project / "schedule4.dat");
    EXPECT_EQ(bytes.size(), 34572u);  // header and 8640 four-byte values
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x05\x00\x06\x00", 4));
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x00\x87\x00\x00", 4));  // 34560
    SCHEDULES.fill(0);
    FINDSCHED();
    for (std::size_t i = 0; i < SCHEDULES.size(); ++i) ASSERT_EQ(SCHEDULES.data()[i], written.data()[i]) << i;
}

TEST_F(ScheduleFile, SlotsOutsideTheDesignSlotsUseTheDefaults) {
    IDNUM1 = 1;
    SCHEDULES(1, 1, 1) = 55;
    KEEPSCHED();
    std::filesystem::rename(project / "schedule1.dat", util / "schedule01.dat");
    for (INTEGER id : {0, 23, -2}) {
        IDNUM1 = id;
        SCHEDULES(1, 1, 1) = 0;
        FINDSCHED();
        EXPECT_EQ(SCHEDULES(1, 1, 1), 55) << id;
        KEEPSCHED();  // writes nothing for these slots
    }
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));
}

// The stop's reason goes to the trace (here, with no project directory to
// hold it, the trace's own stand-in on standard output).
TEST_F(ScheduleFile, MissingScheduleFileStopsTheRun) {
    IDNUM1 = 6;
    NFLAG(90) = true;
    testing::use_directories((project / "no such dir").string(), util.str(), util.str());
    using Stop = std::pair<void (*)(), const char*>;
    for (auto [stop, text] : {Stop{FINDSCHED, "FINDSCHED: Unable to open schedule DAT file"},
                              Stop{KEEPSCHED, "KEEPSCHED: Unable to open schedule DAT file"}}) {
        ::testing::internal::CaptureStdout();
        EXPECT_THROW(stop(), FatalStop);
        EXPECT_NE(::testing::internal::GetCapturedStdout().find(std::string("DBG_TRACE: STRING: ") + text),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace mavo
