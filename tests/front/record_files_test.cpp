#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "blocks/run_control.h"
#include "front/record_files.h"
#include "front/units.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::read_lines;
using testing::ScratchDir;
using testing::write_file;

constexpr INTEGER kUnit = 32;

// Runs `body` in a child process whose files may not grow beyond
// `limit_bytes`, as on a full disk or quota; the child's exit code.
int in_child_with_file_limit(rlim_t limit_bytes, const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        const rlimit limit{limit_bytes, limit_bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t files_in(const std::filesystem::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

class RecordFiles : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(dir.str(), dir.str(), dir.str());
        BLK0B.DISKTRACE = 37;
        IDNUM1 = 0;
    }
    std::string path(const char* name) { return (dir / name).string(); }
    // Writes one value of every kind with the given form.
    void write_sample(const std::string& p, INTEGER form) {
        WRITEMODE = form;
        INTEGER id1 = IO_GETWORD4(5, 0, 1, 6), id2 = 14450, ierr = -1;
        IO_OPEN(kUnit, 2, id1, id2, p, ierr);
        ASSERT_EQ(ierr, 0);
        IO_WINT4(kUnit, -123456789);
        IO_WINT2(kUnit, INTEGER2(-1234));
        IO_WREAL(kUnit, 288.5f);
        IO_WLOGICAL(kUnit, LOGICAL(true));
        IO_WLOGICAL(kUnit, LOGICAL(false));
        IO_WSTRING(kUnit, "scheme", 8);
        IO_CLOSE(kUnit, ierr);
        ASSERT_EQ(ierr, 0);
    }
    void expect_sample(const std::string& p, INTEGER form) {
        READMODE = form;
        INTEGER id1 = 77, id2 = 77, ierr = -1;
        IO_OPEN(kUnit, 1, id1, id2, p, ierr);
        ASSERT_EQ(ierr, 0);
        if (form == 1) {
            EXPECT_EQ(id1, 77);  // no header in unformatted files
            EXPECT_EQ(id2, 77);
        } else {
            EXPECT_EQ(id1, IO_GETWORD4(5, 0, 1, 6));
            EXPECT_EQ(id2, 14450);
        }
        INTEGER i4 = 0;
        INTEGER2 i2 = 0;
        REAL r = 0;
        LOGICAL t, f = true;
        FString<8> s;
        IO_RINT4(kUnit, i4);
        IO_RINT2(kUnit, i2);
        IO_RREAL(kUnit, r);
        IO_RLOGICAL(kUnit, t);
        IO_RLOGICAL(kUnit, f);
        IO_RSTRING(kUnit, s, 8);
        EXPECT_EQ(i4, -123456789);
        EXPECT_EQ(i2, -1234);
        EXPECT_EQ(r, 288.5f);
        EXPECT_TRUE(t.all_bits_set());
        EXPECT_FALSE(f);
        EXPECT_EQ(s.view(), "scheme  ");
        IO_CLOSE(kUnit, ierr);
    }
    ScratchDir dir;
};

TEST_F(RecordFiles, EveryValueRoundTripsInEveryForm) {
    for (INTEGER form : {1, 2, 3}) {
        const std::string p = path(("sample" + std::to_string(form)).c_str());
        write_sample(p, form);
        expect_sample(p, form);
    }
}

TEST_F(RecordFiles, BinaryLayoutIsHeaderThenBareBytes) {
    const std::string p = path("b.dat");
    write_sample(p, 3);
    const std::string bytes = read_file(p);
    ASSERT_EQ(bytes.size(), 12u + 4 + 2 + 4 + 1 + 1 + 8);
    EXPECT_EQ(bytes.substr(0, 4), "VOR7");
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x05\x00\x01\x06", 4));
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x72\x38\x00\x00", 4));
    EXPECT_EQ(bytes.substr(22, 2), std::string("\x01\x00", 2));  // logicals as 1 and 0
    EXPECT_EQ(bytes.substr(24), "scheme  ");
    EXPECT_EQ(IO_GETMSB4(IO_GETWORD4(5, 0, 1, 6)), 6);
    EXPECT_EQ(IO_GETMSB4(IO_GETWORD4(0, 0, 0, 200)), -56);
    EXPECT_EQ(IO_GETENDIAN(), -1);
}

TEST_F(RecordFiles, FormattedLayoutIsOneLinePerValue) {
    const std::string p = path("f.dat");
    write_sample(p, 2);
    const auto l = read_lines(p);
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[0], "  928141142");  // "VOR7" read as a little-endian integer
    EXPECT_EQ(l[1], std::to_string(IO_GETWORD4(5, 0, 1, 6)).insert(0, 11 - 9, ' '));
    EXPECT_EQ(l[2], "      14450");
    EXPECT_EQ(l[3], " -123456789");
    EXPECT_EQ(l[4], " -1234");
    EXPECT_EQ(l[5], " 0.2885000E+03");
    EXPECT_EQ(l[6], "T");
    EXPECT_EQ(l[7], "F");
    EXPECT_EQ(l[8], "scheme  ");  // exactly N characters, trailing blanks kept
}

TEST_F(RecordFiles, UnformattedRecordsCarryLengthMarkers) {
    const std::string p = path("u.dat");
    WRITEMODE = 1;
    INTEGER id1 = 1, id2 = 2, ierr = -1;
    IO_OPEN(kUnit, 2, id1, id2, p, ierr);
    IO_WINT4(kUnit, 7);
    IO_WINT2(kUnit, 3);
    IO_WSTRING(kUnit, "ab", 2);
    IO_CLOSE(kUnit, ierr);
    const std::string b = read_file(p);
    const std::string expected = std::string("\x04\0\0\0\x07\0\0\0\x04\0\0\0", 12) +
                                 std::string("\x02\0\0\0\x03\0\x02\0\0\0", 10) +
                                 std::string("\x01\0\0\0" "a" "\x01\0\0\0" "\x01\0\0\0" "b" "\x01\0\0\0", 18);
    EXPECT_EQ(b, expected);  // no header, each value a framed record
}

TEST_F(RecordFiles, ReversedBinaryFileIsReadWithNumbersSwapped) {
    // As written on a machine of the other byte order.
    std::string b = "7ROV";
    b += std::string("\x06\x01\x00\x05", 4);      // version word 5,0,1,6 reversed
    b += std::string("\x00\x00\x38\x72", 4);      // 14450 reversed
    b += std::string("\xF8\xA4\x32\xEB", 4);      // -123456789 reversed
    b += std::string("\xFB\x2E", 2);              // -1234 reversed
    b += std::string("\x43\x90\x40\x00", 4);      // 288.5f reversed
    b += std::string("\x02", 1);                  // a logical byte 2
    b += "txt";
    write_file(dir / "rev.dat", b);
    READMODE = 3;
    INTEGER id1 = 0, id2 = 0, ierr = -1, i4 = 0;
    INTEGER2 i2 = 0;
    REAL r = 0;
    LOGICAL l;
    FString<3> s;
    IO_OPEN(kUnit, 1, id1, id2, path("rev.dat"), ierr);
    ASSERT_EQ(ierr, 0);
    EXPECT_EQ(IOORDER(kUnit), 2);
    EXPECT_EQ(IODIR(kUnit), 1);
    EXPECT_EQ(id1, IO_GETWORD4(5, 0, 1, 6));
    EXPECT_EQ(id2, 14450);
    IO_RINT4(kUnit, i4);
    IO_RINT2(kUnit, i2);
    IO_RREAL(kUnit, r);
    IO_RLOGICAL(kUnit, l);
    IO_RSTRING(kUnit, s, 3);
    EXPECT_EQ(i4, -123456789);
    EXPECT_EQ(i2, -1234);
    EXPECT_EQ(r, 288.5f);
    EXPECT_TRUE(l.all_bits_set());  // any non-zero byte is true
    EXPECT_EQ(s.view(), "txt");      // texts are never reversed
}

TEST_F(RecordFiles, WrongMagicOpensAsFailedAndClosesTheUnit) {
    write_file(dir / "junk.dat", "JUNKJUNKJUNK");
    NFLAG(90) = true;
    for (INTEGER form : {2, 3}) {
        READMODE = form;
        INTEGER id1 = 5, id2 = 6, ierr = 0;
        IO_OPEN(kUnit, 1, id1, id2, path("junk.dat"), ierr);
        EXPECT_EQ(ierr, 1);
        EXPECT_EQ(id1, 5);  // the header words are not read
        EXPECT_EQ(id2, 6);
        EXPECT_EQ(unit_file(kUnit), nullptr);
    }
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    IO_OPEN(kUnit, 1, id1, id2, path("absent.dat"), ierr);
    EXPECT_EQ(ierr, 1);
    const std::string trace = read_file(dir / "v7trace0.txt");
    EXPECT_NE(trace.find("IO_OPEN ERROR"), std::string::npos);
}

TEST_F(RecordFiles, ReadingPastTheEndGivesZerosAndOneTraceLineEach) {
    for (INTEGER form : {1, 2, 3}) {
        // Each form is a run of its own: the short read of the form before
        // kept every later save back.
        begin_file_account();
        std::filesystem::remove(dir / "v7trace0.txt");
        const std::string p = path(("short" + std::to_string(form)).c_str());
        WRITEMODE = form;
        READMODE = form;
        INTEGER id1 = 0, id2 = 0, ierr = 0;
        IO_OPEN(kUnit, 2, id1, id2, p, ierr);
        IO_WINT4(kUnit, 42);
        IO_CLOSE(kUnit, ierr);
        NFLAG(90) = true;
        IO_OPEN(kUnit, 1, id1, id2, p, ierr);
        INTEGER a = -1, b = -1;
        REAL r = -1;
        LOGICAL l = true;
        FString<4> s = "keep";
        IO_RINT4(kUnit, a);
        IO_RINT4(kUnit, b);
        IO_RREAL(kUnit, r);
        IO_RLOGICAL(kUnit, l);
        IO_RSTRING(kUnit, s, 4);
        IO_CLOSE(kUnit, ierr);
        NFLAG(90) = false;
        EXPECT_EQ(a, 42);
        EXPECT_EQ(b, 0);
        EXPECT_EQ(r, 0.0f);
        EXPECT_FALSE(l);
        EXPECT_TRUE(s.is_blank());
        const std::string t = read_file(dir / "v7trace0.txt");
        for (const char* line : {"IO_RINT4 ERROR", "IO_RREAL ERROR", "IO_RLOGICAL ERROR", "IO_RSTRING ERROR"})
            EXPECT_NE(t.find(line), std::string::npos) << form << line;
    }
}

TEST_F(RecordFiles, RewindSkipsTheHeaderAgain) {
    for (INTEGER form : {2, 3}) {
        const std::string p = path(("rw" + std::to_string(form)).c_str());
        write_sample(p, form);
        READMODE = form;
        INTEGER id1 = 0, id2 = 0, ierr = 0, v = 0;
        IO_OPEN(kUnit, 1, id1, id2, p, ierr);
        IO_RINT4(kUnit, v);
        IO_REWIND(kUnit, ierr);
        EXPECT_EQ(ierr, 0);
        v = 0;
        IO_RINT4(kUnit, v);
        EXPECT_EQ(v, -123456789) << form;
        IO_CLOSE(kUnit, ierr);
    }
}

TEST_F(RecordFiles, StringsLongerThanTheBufferAreCutAndShortReadsKeepTheTail) {
    const std::string p = path("s.dat");
    WRITEMODE = 3;
    READMODE = 3;
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    IO_OPEN(kUnit, 2, id1, id2, p, ierr);
    IO_WSTRING(kUnit, std::string(100, 'x'), 100);
    IO_WSTRING(kUnit, "ab", 2);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(read_file(p).size(), 12u + 90 + 2);
    IO_OPEN(kUnit, 1, id1, id2, p, ierr);
    FString<120> big;
    IO_RSTRING(kUnit, big, 100);
    EXPECT_EQ(big.trimmed(), std::string(90, 'x'));
    FString<4> small;
    IO_RSTRING(kUnit, small, 2);
    EXPECT_EQ(small.view(), "abxx");  // positions after N keep the earlier read
    FString<4> again;
    IO_RSTRING(kUnit, again, 0);  // nothing read: the buffer as it stands
    EXPECT_EQ(again.view(), "abxx");
    IO_CLOSE(kUnit, ierr);
}

TEST_F(RecordFiles, DamagedLengthMarkerIsAFailedReadNotAHugeOne) {
    write_file(dir / "u.dat", std::string("\xF0\xFF\xFF\x7F", 4));
    READMODE = 1;
    INTEGER id1 = 0, id2 = 0, ierr = 0, v = 9;
    IO_OPEN(kUnit, 1, id1, id2, path("u.dat"), ierr);
    IO_RINT4(kUnit, v);
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(record_group_begin(kUnit, true));
    IO_CLOSE(kUnit, ierr);
}

// A value that is not a finite number is neither saved nor loaded: the
// write fails (the old file stays), and a file that holds one reads as
// damaged.
TEST_F(RecordFiles, NonFiniteRealsAreNeitherSavedNorLoaded) {
    WRITEMODE = READMODE = 2;
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    write_file(dir / "nf.dat", "old");
    for (REAL bad : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        IO_OPEN(kUnit, 2, id1, id2, path("nf.dat"), ierr);
        IO_WREAL(kUnit, 1.0f);
        IO_WREAL(kUnit, bad);
        IO_CLOSE(kUnit, ierr);
        EXPECT_EQ(ierr, 1);
        EXPECT_EQ(read_file(dir / "nf.dat"), "old");
    }
    IO_OPEN(kUnit, 2, id1, id2, path("nf.dat"), ierr);
    IO_WREAL(kUnit, 1.0f);
    IO_WREAL(kUnit, 2.0f);
    IO_CLOSE(kUnit, ierr);
    std::vector<std::string> lines = read_lines(dir / "nf.dat");
    ASSERT_EQ(lines.size(), 5u);  // magic, two header words, two values
    lines[3] = "      Infinity";
    lines[4] = "           NaN";
    write_file(dir / "nf.dat", lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3] + "\n" + lines[4] + "\n");
    IO_OPEN(kUnit, 1, id1, id2, path("nf.dat"), ierr);
    ASSERT_EQ(ierr, 0);
    REAL a = 1, b = 1;
    IO_RREAL(kUnit, a);
    IO_RREAL(kUnit, b);
    EXPECT_EQ(a, 0.0f);
    EXPECT_EQ(b, 0.0f);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(record_load(kUnit), RecordLoad::Damaged);
}

TEST_F(RecordFiles, RewoundWriterEndsTheFileWithWhatFollows) {
    WRITEMODE = 2;
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    IO_OPEN(kUnit, 2, id1, id2, path("w.dat"), ierr);
    for (int i = 0; i < 5; ++i) IO_WINT4(kUnit, i);
    IO_REWIND(kUnit, ierr);
    IO_WINT4(kUnit, 42);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(read_file(dir / "w.dat"), "         42\n");  // no header after a rewind
}

TEST_F(RecordFiles, ReversedFileStaysReversedAfterARewindAndTextLinesArePadded) {
    std::string b = "7ROV" + std::string("\x06\x01\x00\x05\x00\x00\x38\x72\x00\x00\x00\x07", 12);
    write_file(dir / "rev.dat", b);
    READMODE = 3;
    INTEGER id1 = 0, id2 = 0, ierr = 0, v = 0;
    IO_OPEN(kUnit, 1, id1, id2, path("rev.dat"), ierr);
    IO_REWIND(kUnit, ierr);
    EXPECT_EQ(IOORDER(kUnit), 2);
    IO_RINT4(kUnit, v);
    EXPECT_EQ(v, 7);
    IO_CLOSE(kUnit, ierr);

    write_file(dir / "t.dat", "  928141142\n          1\n          2\nab\nlonger line\n");
    READMODE = 2;
    IO_OPEN(kUnit, 1, id1, id2, path("t.dat"), ierr);
    FString<4> s;
    IO_RSTRING(kUnit, s, 4);
    EXPECT_EQ(s.view(), "ab  ");  // a short line reads padded with blanks
    IO_RSTRING(kUnit, s, 3);
    EXPECT_EQ(s.view(), "lon ");  // the rest of the line is skipped; the buffer keeps its tail
    IO_CLOSE(kUnit, ierr);
}

TEST_F(RecordFiles, UnitsOutsideTheTableAndUnknownFormsFailCleanly) {
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    WRITEMODE = 3;
    IO_OPEN(99, 2, id1, id2, path("x.dat"), ierr);
    EXPECT_EQ(ierr, 1);
    WRITEMODE = 7;
    IO_OPEN(kUnit, 2, id1, id2, path("y.dat"), ierr);
    EXPECT_EQ(ierr, 1);
    INTEGER v = 5;
    IO_RINT4(kUnit, v);  // nothing open on the unit
    EXPECT_EQ(v, 0);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(ierr, 0);
}

TEST_F(RecordFiles, FailedWriteKeepsTheOldFileAndFailsTheRun) {
    const std::string p = path("keep.dat");
    write_sample(p, 3);
    const std::string before = read_file(p);
    // Far more than the stream's buffer, so the writes themselves fail.
    const int code = in_child_with_file_limit(64, [&] {
        NFLAG(51) = true;
        WRITEMODE = 3;
        INTEGER id1 = 0, id2 = 0, ierr = 0;
        IO_OPEN(kUnit, 2, id1, id2, p, ierr);
        for (int i = 0; i < 4000; ++i) IO_WREAL(kUnit, 1.0f);
        const INTEGER errors = record_write_errors(kUnit);
        IO_CLOSE(kUnit, ierr);
        if (ierr != 1) return 1;
        if (errors == 0) return 2;
        if (file_failures_of_run() != 1) return 3;
        return NFLAG(51) ? 4 : 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(read_file(p), before);
    EXPECT_EQ(files_in(dir.path()), 1u);  // no temporary file left behind
}

TEST_F(RecordFiles, ReplacedFileKeepsItsPermissions) {
    namespace fs = std::filesystem;
    write_sample(path("a.dat"), 3);
    fs::permissions(dir / "a.dat", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WRITEMODE = 3;
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    IO_OPEN(kUnit, 2, id1, id2, path("a.dat"), ierr);
    IO_WINT4(kUnit, 7);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(read_file(dir / "a.dat").size(), 16u);  // header and the one value
    EXPECT_EQ(fs::status(dir / "a.dat").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(file_failures_of_run(), 0);
}

TEST_F(RecordFiles, DamagedLoadKeepsEveryLaterProjectSaveBack) {
    write_sample(path("a.dat"), 3);
    const std::string before = read_file(dir / "a.dat");
    READMODE = 3;
    WRITEMODE = 3;
    INTEGER id1 = 0, id2 = 0, ierr = 0, v = 0;
    // A missing file is a new project's: nothing to keep.
    IO_OPEN(kUnit, 1, id1, id2, path("absent.dat"), ierr);
    EXPECT_EQ(ierr, 1);
    EXPECT_EQ(record_load(kUnit), RecordLoad::Missing);
    EXPECT_FALSE(project_files_frozen());
    // An empty one is what an interrupted copy leaves, unless its reader
    // rebuilds it.
    write_file(dir / "empty.dat", "");
    record_load_rebuildable(kUnit);
    IO_OPEN(kUnit, 1, id1, id2, path("empty.dat"), ierr);
    EXPECT_EQ(ierr, 1);
    EXPECT_EQ(record_load(kUnit), RecordLoad::Damaged);
    EXPECT_FALSE(project_files_frozen());
    IO_OPEN(kUnit, 1, id1, id2, path("empty.dat"), ierr);
    EXPECT_EQ(record_load(kUnit), RecordLoad::Damaged);
    EXPECT_TRUE(project_files_frozen());
    begin_file_account();

    // A file cut after its header and half a value.
    write_file(dir / "cut.dat", before.substr(0, 14));
    IO_OPEN(kUnit, 1, id1, id2, path("cut.dat"), ierr);
    EXPECT_EQ(record_load(kUnit), RecordLoad::Whole);
    IO_RINT4(kUnit, v);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(record_load(kUnit), RecordLoad::Damaged);
    EXPECT_TRUE(project_files_frozen());
    EXPECT_FALSE(NFLAG(51));

    IO_OPEN(kUnit, 2, id1, id2, path("a.dat"), ierr);
    IO_WINT4(kUnit, 1);
    IO_CLOSE(kUnit, ierr);
    EXPECT_EQ(ierr, 1);
    EXPECT_EQ(read_file(dir / "a.dat"), before);
    EXPECT_EQ(read_file(dir / "cut.dat").size(), 14u);
    // A listing of memory is not project data: it is still written.
    std::FILE* f = unit_open_replacing(kUnit, path("list.txt").c_str(), "w", false);
    ASSERT_NE(f, nullptr);
    std::fputs("listing\n", f);
    EXPECT_TRUE(unit_close(kUnit));
    EXPECT_EQ(read_file(dir / "list.txt"), "listing\n");
    EXPECT_EQ(file_failures_of_run(), 1);  // a save kept back on purpose is no new failure
    EXPECT_EQ(files_in(dir.path()), 4u);
}

}  // namespace
}  // namespace mavo
