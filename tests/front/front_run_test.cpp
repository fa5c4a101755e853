// The C front and the run of one scheme as the host sees them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "blocks/project_blocks.h"
#include "blocks/run_control.h"
#include "blocks/simulation_blocks.h"
#include "blocks/site_blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/project.h"
#include "mavokernel.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::read_lines;
using testing::ScratchDir;
using Call = std::array<int32_t, 5>;

std::vector<Call> g_calls;
void record(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) { g_calls.push_back({a, b, c, d, e}); }
void record_other(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) { record(a, b, c, d, e); }

class KernelRun : public ::testing::Test {
protected:
    // A project whose scheme slots all hold the default scheme's files, as
    // a new project of the host does; the weather directory holds the zip-
    // code table and the zone file of the default location, which every
    // site without weather of its own falls back to.
    void SetUp() override {
        g_calls.clear();
        std::filesystem::copy_file(testing::sample_data() / "weather" / "zone9.txh", weather / "zone9.txh");
        std::filesystem::copy_file(testing::sample_data() / "weather" / "zipcodes.sce", weather / "zipcodes.sce");
        testing::use_directories(project.str(), util.str(), weather.str());
        BLK0B.DISKKEEP1 = 25;
        BLK0B.DISKKEEP2 = 26;
        for (INTEGER k = 1; k <= 10; ++k) {
            IDNUM1 = k;
            KEEP1();
            KEEP2(1);
        }
        IDNUM1 = 1;
    }
    // The trace switch a run ends with is the one its scheme's input file
    // carries: a host that traces stores it there, as it does here.
    void store_trace_switch(bool on) {
        const INTEGER selected = IDNUM1;
        testing::use_directories(project.str(), util.str(), weather.str());
        NFLAG(90) = on;
        for (INTEGER k = 1; k <= 9; ++k) {
            IDNUM1 = k;
            KEEP2(1);
        }
        NFLAG(90) = false;
        IDNUM1 = selected;
    }
    // Saves the project state and strategy file as a host prepares them:
    // the scheme to run and its column of parameters.
    void save_project(INTEGER slot) {
        testing::use_directories(project.str(), util.str(), weather.str());
        BLK0B.DISKPROJ = 32;
        IDNUM1 = slot;
        AADISK(6);
        AADISK(1);
        BLK0B.DISKKSCHED = 45;
        KEEPSCHED();
    }
    int run(int trace, MAVOKernelLib_ProgressCallback cb = record) {
        store_trace_switch(trace != 0);
        return call_kernel(trace, cb);
    }
    int call_kernel(int trace, MAVOKernelLib_ProgressCallback cb = record) {
        return MAVOKernelLib_runKernel(project.str().c_str(), util.str().c_str(), weather.str().c_str(), trace, cb);
    }
    std::string trace_text() { return read_file(project / "v7trace0.txt") + read_file(project / "v7trace1.txt"); }
    // Scheme 1 at climate zone 6, whose zone file the weather directory
    // lacks: the run falls back to the default location and simulates
    // nothing.
    void site_without_climate_data() {
        STRATEGY(4, 1) = 6.0f;
        save_project(1);
    }
    ScratchDir project, util, weather;
};

TEST(FrontGetters, DescribeTheBuild) {
    EXPECT_STREQ(MAVOKernelLib_getArchName(), "x86_64");
    EXPECT_EQ(MAVOKernelLib_getArchBits(), 64);
    EXPECT_EQ(MAVOKernelLib_isArchBigEndian(), 0);
    EXPECT_STREQ(MAVOKernelLib_getBuildStyle(), "Release");
    EXPECT_EQ(MAVOKernelLib_getReportingCallbackProgressStates(), 1848);
    const char* version = MAVOKernelLib_getBuildVersion();
    EXPECT_STREQ(version, "5.900");
    EXPECT_EQ(MAVOKernelLib_getBuildVersion(), version);
    const char* date = MAVOKernelLib_getBuildDateTime();
    EXPECT_EQ(MAVOKernelLib_getBuildDateTime(), date);
    EXPECT_NE(std::strstr(date, "2018"), nullptr);
    EXPECT_NE(std::strstr(date, "Dec"), nullptr);
}

TEST(RunFlags, FreshLoadHasTheBuiltInSwitches) {
    for (int i = 1; i <= 96; ++i) {
        const bool on = i <= 17 || i == 23 || i == 29 || i == 37 || i == 38 || i == 60;
        EXPECT_EQ(bool(NFLAG(i)), on) << i;
        if (on) {
            EXPECT_TRUE(NFLAG(i).all_bits_set()) << i;
        }
    }
    EXPECT_EQ(BLK0D.BUILDDATE.view(), "181203");
    EXPECT_EQ(BLK0A.BLANK4.view(), "    ");
    EXPECT_EQ(IDNUM1, 1);
}

TEST(FrontCallback, ClearingSendsTheEndSignalOnlyToAnInstalledCallback) {
    g_calls.clear();
    setProgressCallback(nullptr);
    EXPECT_TRUE(g_calls.empty());
    setProgressCallback(record);
    setProgressCallback(record_other);  // replacing sends nothing
    EXPECT_TRUE(g_calls.empty());
    setProgressCallback(nullptr);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0], (Call{-1, -1, -1, -1, -1}));
}

TEST_F(KernelRun, CallbackReceivesExactlyThreeReports) {
    EXPECT_EQ(run(0), 0);
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[0], (Call{1, 0, 0, 0, 0}));
    EXPECT_EQ(g_calls[1], (Call{-1, -1, -1, -1, -1}));
    EXPECT_EQ(g_calls[2], (Call{-1, -1, -1, -1, -1}));
    g_calls.clear();
    EXPECT_EQ(run(0, nullptr), 0);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(KernelRun, DriverSetsDirectoriesFormsAndUnits) {
    NFLAG(90) = true;  // left on by an earlier run
    EXPECT_EQ(run(0), 0);
    EXPECT_FALSE(NFLAG(90));
    EXPECT_FALSE(std::filesystem::exists(project / "v7trace0.txt"));
    EXPECT_FALSE(std::filesystem::exists(project / "v7trace1.txt"));
    EXPECT_EQ(DIRPATHS(1).trimmed(), util.str());
    EXPECT_EQ(DIRPATHS(4).trimmed(), util.str());
    EXPECT_EQ(DIRPATHS(5).trimmed(), util.str());
    EXPECT_EQ(DIRPATHS(2).trimmed(), project.str());
    EXPECT_EQ(DIRPATHS(3).trimmed(), weather.str());
    EXPECT_EQ(DIRPATHS(6).trimmed(), "*");
    EXPECT_EQ(READMODE, 3);
    EXPECT_EQ(WRITEMODE, 3);
    EXPECT_EQ(OSCODE, 5);
    EXPECT_EQ(SLASH.view(), "/");
    EXPECT_EQ(BLK0B.DISKTRACE, 37);
    EXPECT_EQ(BLK0B.DISKPROJ, 32);
    EXPECT_EQ(BLK0B.DISKCSV, 42);
    EXPECT_EQ(BLK0B.DISKJAVA, 46);
    EXPECT_EQ(BLK0B.DISKFSCHED, 44);
    EXPECT_EQ(BLK0B.DISKHET, 20);
}

TEST_F(KernelRun, TracedRunStartsWithResetDateAndBuildStamp) {
    site_without_climate_data();
    EXPECT_EQ(run(1), 0);
    const auto l = read_lines(project / "v7trace0.txt");
    ASSERT_GE(l.size(), 7u);
    EXPECT_EQ(l[0], " -=- ");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2].substr(0, 10), " < DATE : ");
    EXPECT_EQ(l[2].substr(25, 12), "Start Kernel");
    EXPECT_EQ(l[3], " < DBG : NFLAG(90)=TRUE VR7 BUILD DATE/TIME IS ");
    EXPECT_EQ(l[4], " < DBG : 181203 ");
    EXPECT_EQ(l[5], " < DBG : 154759 ");
    EXPECT_EQ(l[6], "   < DBG IN  : MAIN (MAC_OS_KERNEL) ");
    const std::string all = trace_text();
    EXPECT_NE(all.find("SCHEME Directory: '" + project.str() + "'"), std::string::npos);
    EXPECT_NE(all.find("< DBG OUT : End of AAAMAIN"), std::string::npos);
    EXPECT_NE(all.find("nflag(80)=F calcs not run"), std::string::npos);
}

TEST_F(KernelRun, RunStartResetsTheStatusFlags) {
    site_without_climate_data();
    store_trace_switch(false);
    NFLAG(51) = true;  // the kernel's status is never taken from a file
    NFLAG(54) = false;
    NCALCS = 7;
    STOREL = 5.0f;
    CYCLE = -2.0f;
    INDENT = 3;
    EXPECT_EQ(call_kernel(0), 0);
    EXPECT_FALSE(NFLAG(51));
    EXPECT_TRUE(NFLAG(54));
    EXPECT_EQ(NCALCS, 1);  // counted from 0: the one simulation of this run
    EXPECT_EQ(STOREL, 0.0f);
    EXPECT_EQ(CYCLE, 288.0f);
    EXPECT_EQ(INDENT, 0);
}

// The command code the run sequence settles on, as its trace reports it.
INTEGER traced_command(const std::string& trace) {
    const std::string label = " = itemy =strategy(2, ) 1055";
    const std::size_t at = trace.find(label);
    if (at == std::string::npos) return -1;
    const std::size_t line = trace.rfind('<', at);
    return static_cast<INTEGER>(std::stol(trace.substr(line + 1, at - line - 1)));
}

TEST_F(KernelRun, CommandOfTheSchemeChoosesTheJob) {
    struct Case {
        int slot;
        float command, year_built;
        int job;
        bool expert, library;
    };
    // A year built of 100 or less is taken as a current home (2013) before
    // the command is read; the base schemes 1 and 2 redirect design commands.
    const Case cases[] = {
        {1, 350.0f, 0.0f, 243, true, false},   {1, 243.0f, 0.0f, 243, true, false},
        {1, 246.0f, 0.0f, 246, true, false},   {1, 234.0f, 0.0f, 234, false, false},
        {1, 205.0f, 0.0f, 205, false, true},   {1, 0.0f, 0.0f, 0, false, false},
        {1, 50.7f, 0.0f, 50, false, false},    {2, 350.0f, 1950.0f, 243, true, false},
        {2, 350.0f, 150.0f, 246, true, false}, {2, 300.0f, 1950.0f, 243, true, false},
        {2, 300.0f, 150.0f, 300, false, false}, {3, 243.0f, 0.0f, 243, false, false},
        {5, 205.0f, 0.0f, 205, false, true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(project / ("v7trace" + std::to_string(c.slot) + ".txt"));
        STRATEGY(2, c.slot) = c.command;
        // A year built counts only for an existing home; a new one has none.
        STRATEGY(6, 2) = c.year_built > 0.0f ? 2.0f : 1.0f;
        STRATEGY(11, 2) = c.year_built;
        SCHEMENAME(c.slot) = "scheme";
        NFLAG(18) = false;  // no new site asks for new designs
        NFLAG(22) = false;
        save_project(c.slot);
        EXPECT_EQ(run(1), 0);
        const std::string t = read_file(project / ("v7trace" + std::to_string(c.slot) + ".txt"));
        const std::string which = std::to_string(c.slot) + "/" + std::to_string(c.command);
        EXPECT_EQ(traced_command(t), c.job) << which;
        EXPECT_EQ(t.find("DBG IN  : EXPERT") != std::string::npos, c.expert) << which;
        EXPECT_EQ(t.find("DBG IN  : LIBARY") != std::string::npos, c.library) << which;
    }
}

TEST_F(KernelRun, CombinationNumberRunsItsLeadingScheme) {
    save_project(35);
    EXPECT_EQ(run(0), 0);
    ASSERT_FALSE(g_calls.empty());
    EXPECT_EQ(g_calls[0], (Call{35, 0, 0, 0, 0}));  // the host hears the number as saved
    EXPECT_EQ(IDNUM1, 3);
    EXPECT_FALSE(NFLAG(34));
    g_calls.clear();
    save_project(10);
    // The default scheme's input file comes with the utility directory.
    std::filesystem::copy_file(project / "scheme0b.dat", util / "scheme0b.dat");
    EXPECT_EQ(run(0), 0);
    EXPECT_EQ(g_calls[0], (Call{10, 0, 0, 0, 0}));
    EXPECT_EQ(IDNUM1, 10);  // the default scheme is no combination to split
}

TEST_F(KernelRun, ComplianceLocationFlagFromZipOrZone) {
    // The site's zip code comes with the scheme's parameters, each a line of
    // the table, all in the climate zone whose file the weather directory
    // holds.
    std::string table;
    for (const int zip : {12, 17, 10001, 95000}) {
        char line[80];
        std::snprintf(line, sizeof line, "%5d   %-24s%4d%5d%8d     %6.2f%8d\n", zip, "TEST SITE", 1, 0, 9, 34.07, 10);
        table += line;
    }
    testing::write_file(weather / "zipcodes.sce", table);
    auto store_zip = [&](float zip) {
        STRATEGY(1, 1) = 1.0f;
        STRATEGY(4, 1) = zip;
        save_project(1);
    };
    for (auto [zip, expected] : {std::pair{95000.0f, true}, {12.0f, true}, {10001.0f, false}, {17.0f, false}}) {
        store_zip(zip);
        EXPECT_EQ(run(0), 0);
        EXPECT_EQ(bool(NFLAG(44)), expected) << zip;
    }
    NFLAG(24) = true;  // non-residential mode keeps the flag as it was
    NFLAG(44) = true;
    store_zip(10001.0f);
    store_trace_switch(false);
    IDNUM1 = 1;
    NFLAG(24) = true;  // carried by the scheme's input file as well
    KEEP2(1);
    EXPECT_EQ(call_kernel(0), 0);
    EXPECT_TRUE(NFLAG(44));
}

// A fatal stop inside the run unwinds to the front: the host gets 1, its end
// signal, and no file is left open.
void crash_on_start(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    record(a, b, c, d, e);
    if (a >= 0) DBG_CRASH("test stop");
}

TEST_F(KernelRun, FatalStopReturnsOneAndClosesEverything) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(run(1, crash_on_start), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");  // the reason is in the trace
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1], (Call{-1, -1, -1, -1, -1}));
    for (int u = 0; u <= kLastUnit; ++u) EXPECT_EQ(unit_file(u), nullptr) << u;
    EXPECT_NE(trace_text().find("!!!! FATAL CRASH !!!!"), std::string::npos);
    g_calls.clear();
    EXPECT_EQ(run(0), 0);  // the next run is a normal one
    EXPECT_EQ(g_calls.size(), 3u);
}

int g_nested_result = -1;
ScratchDir* g_nested_dir = nullptr;
void run_again(int32_t a, int32_t, int32_t, int32_t, int32_t) {
    if (a >= 0) {
        const std::string d = g_nested_dir->str();
        g_nested_result = MAVOKernelLib_runKernel(d.c_str(), d.c_str(), d.c_str(), 0, nullptr);
    }
}

// The refused call's own callback is neither installed nor called: the
// running call's callback hears the end of its run as usual.
TEST_F(KernelRun, CallDuringARunIsRefused) {
    g_nested_dir = &project;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(run(0, run_again), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(g_nested_result, 1);
}

// Another process runs the project (it holds the project's lock): a call
// is refused at once, touching nothing (no trace, no callback); once that
// process is gone, however it ended, the project is free again.
TEST_F(KernelRun, CallWhileAnotherProcessRunsTheProjectIsRefused) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    std::fflush(nullptr);
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = open((project / ".mavolock").c_str(), O_RDWR | O_CREAT, 0666);
        struct flock whole{};
        whole.l_type = F_WRLCK;
        if (fd < 0 || fcntl(fd, F_SETLK, &whole) != 0) _exit(1);
        if (write(ready[1], "x", 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    std::map<std::string, std::string> before;
    for (const auto& e : std::filesystem::directory_iterator(project.path()))
        before[e.path().filename().string()] = read_file(e.path());
    EXPECT_EQ(call_kernel(1), 1);
    EXPECT_TRUE(g_calls.empty());
    std::map<std::string, std::string> after;
    for (const auto& e : std::filesystem::directory_iterator(project.path()))
        after[e.path().filename().string()] = read_file(e.path());
    EXPECT_TRUE(after == before);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(call_kernel(0), 0);
}

int g_self_clearing_calls = 0;
void clear_on_end_signal(int32_t a, int32_t, int32_t, int32_t, int32_t) {
    ++g_self_clearing_calls;
    if (a == -1) setProgressCallback(nullptr);  // unregister when done
}

TEST_F(KernelRun, CallbackMayClearItselfOnTheEndSignal) {
    EXPECT_EQ(run(0, clear_on_end_signal), 0);
    // The start, the end of the run, and the end signal of its own clearing;
    // the front's clearing finds it gone.
    EXPECT_EQ(g_self_clearing_calls, 3);
}

// Another host thread that clears or replaces the callback while a run
// holds the kernel changes nothing: the run's callback hears the end of its
// run, and no end signal goes astray.
void swap_from_another_thread(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    record(a, b, c, d, e);
    if (a < 0) return;
    std::thread([] { setProgressCallback(nullptr); }).join();
    std::thread([] { setProgressCallback(record_other); }).join();
}

TEST_F(KernelRun, AnotherThreadCannotSwapTheCallbackOfARun) {
    EXPECT_EQ(run(0, swap_from_another_thread), 0);
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[1], (Call{-1, -1, -1, -1, -1}));
}

TEST_F(KernelRun, MissingDirectoryTextIsRefused) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(MAVOKernelLib_runKernel(nullptr, "u", "w", 0, record), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0], (Call{-1, -1, -1, -1, -1}));
}

// A project directory named exactly as the host gives it: one whose name
// ends in a blank is not its neighbour without the blank, and one too long
// for the kernel's paths is refused without a file made anywhere, not even
// in the host's current directory.
TEST_F(KernelRun, ProjectDirectoryTakenAsGiven) {
    store_trace_switch(false);
    const std::filesystem::path blank = project / "proj ", plain = project / "proj";
    for (const auto& p : {blank, plain}) {
        std::filesystem::create_directory(p);
        for (const auto& e : std::filesystem::directory_iterator(project.path()))
            if (e.is_regular_file()) std::filesystem::copy_file(e.path(), p / e.path().filename());
    }
    std::filesystem::copy_file(project / "scheme0b.dat", util / "scheme0b.dat");
    const auto before = std::filesystem::last_write_time(plain / "scheme1b.het");
    const std::string blank_dir = blank.string();
    EXPECT_EQ(MAVOKernelLib_runKernel(blank_dir.c_str(), util.str().c_str(), weather.str().c_str(), 0, nullptr), 0);
    EXPECT_TRUE(std::filesystem::exists(blank / "scheme1.csv"));
    EXPECT_FALSE(std::filesystem::exists(plain / "scheme1.csv"));
    EXPECT_EQ(std::filesystem::last_write_time(plain / "scheme1b.het"), before);

    ScratchDir cwd;
    const std::filesystem::path host_dir = std::filesystem::current_path();
    std::filesystem::current_path(cwd.path());
    for (std::size_t length : {243u, 300u}) {
        const std::string too_long = project.str() + "/" + std::string(length - project.str().size() - 1, 'p');
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(MAVOKernelLib_runKernel(too_long.c_str(), util.str().c_str(), weather.str().c_str(), 0, nullptr), 1)
            << length;
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << length;
        EXPECT_TRUE(std::filesystem::is_empty(cwd.path())) << length;
    }
    std::filesystem::current_path(host_dir);
}

}  // namespace
}  // namespace mavo
