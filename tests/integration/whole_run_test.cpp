// Whole runs of the sample project through the C front: what a run leaves
// in the project must not depend on what ran before it in the process.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "mavokernel.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

const fs::path kData = MAVO_SOURCE_DIR "/data";

void copy_sample(const fs::path& dir) {
    fs::copy(kData / "project", dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

// Every file the run left, by name.
std::map<std::string, std::string> project_files(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) files[e.path().filename().string()] = read_file(e.path());
    return files;
}

int run_kernel(const fs::path& project) {
    const std::string p = project.string(), u = (kData / "util").string(), w = (kData / "weather").string();
    return MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
}

// Selects scheme `slot` and stores its command, as the host does between
// runs, through the project store on blocks of their own.
void select_scheme(const fs::path& project, INTEGER slot, REAL command) {
    testing::use_directories(project.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    IDNUM1 = slot;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = slot;
    STRATEGY(2, slot) = command;
    AADISK(6);
    AADISK(1);
}

// Turns scheme `slot` into a non-residential building, as the host does by
// rewriting the scheme's input file, and gives it the default schedules.
void make_nonresidential(const fs::path& project, INTEGER slot) {
    testing::use_directories(project.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKKEEP2 = 26;
    IDNUM1 = slot;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = slot;
    FIND2();
    NFLAG(24) = true;
    KEEP2(1);
    fs::copy_file(kData / "util" / "schedule01.dat", project / ("schedule" + std::to_string(slot) + ".dat"),
                  fs::copy_options::overwrite_existing);
}

// The first run settles a new project's parameter column; the runs compared
// here start from that settled project.
fs::path settled_sample(const ScratchDir& dir, const std::string& name) {
    const fs::path p = dir / name;
    copy_sample(p);
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 0);
    return p;
}

void expect_same_files(const fs::path& a, const fs::path& b) {
    const auto fa = project_files(a), fb = project_files(b);
    ASSERT_EQ(fa.size(), fb.size());
    for (const auto& [name, bytes] : fa) {
        ASSERT_TRUE(fb.count(name)) << name;
        EXPECT_TRUE(bytes == fb.at(name)) << name << " differs";
    }
}

TEST(WholeRun, SampleProjectRunsCleanly) {
    ScratchDir dir;
    const fs::path p = settled_sample(dir, "p");
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 0);
    EXPECT_TRUE(NFLAG(51)) << "kernel errors";
    EXPECT_TRUE(NFLAG(80)) << "simulation not valid";
    EXPECT_TRUE(NFLAG(15)) << "zone balance errors";
    EXPECT_GT(SUMARY(1, 1), 0.0f);  // floor area
    for (const char* f : {"scheme1.csv", "scheme1.xml", "scheme1.txt", "scheme1.cclink"})
        EXPECT_TRUE(fs::exists(p / f)) << f;
}

TEST(WholeRun, RunLeavesNothingBehindForTheNextRun) {
    ScratchDir dir;
    const fs::path fresh = settled_sample(dir, "fresh");
    const fs::path after = settled_sample(dir, "after");
    const fs::path other = settled_sample(dir, "other");

    // Fresh: scheme 1 on fresh blocks.
    reset_all_blocks();
    ASSERT_EQ(run_kernel(fresh), 0);

    // After: the same, but the process first designed scheme 2 of another
    // project, then the same scheme again as a non-residential building
    // (the occupancy, schedules, thermostats and tariffs of the other mode).
    reset_all_blocks();
    select_scheme(other, 2, 246.0f);
    ASSERT_EQ(run_kernel(other), 0);
    make_nonresidential(other, 2);
    select_scheme(other, 2, 246.0f);
    ASSERT_EQ(run_kernel(other), 0);
    ASSERT_TRUE(NFLAG(24));
    ASSERT_TRUE(NFLAG(51)) << "the non-residential design ran with errors";
    ASSERT_EQ(run_kernel(after), 0);

    expect_same_files(fresh, after);
}

void cut_file(const fs::path& f, std::size_t bytes) {
    std::string content = read_file(f);
    content.resize(bytes);
    write_file(f, content);
}

// A project file that cannot be loaded whole (damaged, or emptied by an
// interrupted copy), or a missing input file of the scheme: the run fails,
// saves nothing and writes no report.
TEST(WholeRun, FailedLoadFailsTheRunAndSavesNothing) {
    struct Case {
        const char* damage;
        void (*apply)(const fs::path&);
        INTEGER scheme_run;  // the summary file names scheme 3
    };
    const Case cases[] = {
        {"short strategy file", [](const fs::path& p) { cut_file(p / "stratb.dat", 1612); }, 3},
        {"bad slot code in master.dir",
         [](const fs::path& p) {
             std::string text = read_file(p / "master.dir");
             text[29 * 4 + 1] = 'x';  // line 5, the slot code's digit
             write_file(p / "master.dir", text);
         },
         3},
        {"input file deleted", [](const fs::path& p) { fs::remove(p / "scheme3b.dat"); }, 3},
        {"input file emptied", [](const fs::path& p) { cut_file(p / "scheme3b.dat", 0); }, 3},
        {"summary file emptied", [](const fs::path& p) { cut_file(p / "summaryb.dat", 0); }, 1},
        {"strategy file emptied", [](const fs::path& p) { cut_file(p / "stratb.dat", 0); }, 3},
        {"companion emptied", [](const fs::path& p) { cut_file(p / "stratb.bfr", 0); }, 3},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        const fs::path p = settled_sample(dir, c.damage);
        reset_all_blocks();
        select_scheme(p, 3, 0.0f);
        c.apply(p);
        const auto before = project_files(p);
        reset_all_blocks();
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(run_kernel(p), 1) << c.damage;
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << c.damage;
        EXPECT_EQ(IDNUM1, c.scheme_run) << c.damage;  // the scheme the host asked for ran
        EXPECT_FALSE(NFLAG(51)) << c.damage;
        EXPECT_TRUE(project_files(p) == before) << c.damage << ": a project file or report changed";
    }
}

// Results are derived data: a run rebuilds a scheme's results file it
// cannot read whole, and saves the same files as a run that could.
TEST(WholeRun, MissingOrDamagedResultsFileIsRebuilt) {
    ScratchDir dir;
    const fs::path reference = settled_sample(dir, "reference");
    reset_all_blocks();
    ASSERT_EQ(run_kernel(reference), 0);
    const auto expected = project_files(reference);
    const std::pair<const char*, void (*)(const fs::path&)> damages[] = {
        {"deleted", [](const fs::path& f) { fs::remove(f); }},
        {"emptied", [](const fs::path& f) { cut_file(f, 0); }},
        {"cut short", [](const fs::path& f) { cut_file(f, 30000); }},
        {"not a record file", [](const fs::path& f) { write_file(f, "JUNK" + read_file(f).substr(4)); }},
    };
    // The rebuilt site comes from the zip-code table again: its record's
    // fifth field, which nothing reads, replaces the initial value the
    // sample's file carried (site words 1-16 follow the 7000 hourly and
    // bar-chart records).
    constexpr std::size_t kSiteBytes = 12 + 4 * 7000, kSiteEnd = kSiteBytes + 4 * 16;
    auto outside_site = [&](const std::string& het) { return het.substr(0, kSiteBytes) + het.substr(kSiteEnd); };
    for (const auto& [damage, apply] : damages) {
        const fs::path p = settled_sample(dir, damage);
        apply(p / "scheme1b.het");
        reset_all_blocks();
        EXPECT_EQ(run_kernel(p), 0) << damage;
        EXPECT_TRUE(NFLAG(51)) << damage;
        auto files = project_files(p);
        EXPECT_EQ(files["scheme1b.het"].size(), expected.at("scheme1b.het").size()) << damage;
        EXPECT_TRUE(outside_site(files["scheme1b.het"]) == outside_site(expected.at("scheme1b.het"))) << damage;
        files["scheme1b.het"] = expected.at("scheme1b.het");
        EXPECT_TRUE(files == expected) << damage;
    }
}

// Runs the kernel in a child process whose files may not grow beyond
// `limit_bytes` each (a disk that fills up while that file is written).
int run_with_file_limit(const fs::path& project, rlim_t limit_bytes) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limit_bytes, limit_bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        reset_all_blocks();
        _exit(run_kernel(project));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WholeRun, FullDiskLeavesTheProjectAsItWasOrWhollyNew) {
    // The sample's first run rewrites its data files and adds the reports.
    ScratchDir dir;
    const fs::path lone = dir / "lone";
    copy_sample(lone);
    const auto before = project_files(lone);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(lone), 0);
    const auto after = project_files(lone);
    // The disk fills up while each file in turn is written: every size the
    // run writes, less one byte, then no limit.
    std::vector<rlim_t> limits = {0};
    for (const auto& [name, bytes] : after)
        if (bytes.size() > 0) limits.push_back(bytes.size() - 1);
    limits.push_back(RLIM_INFINITY);
    int failed_runs = 0, last_rc = -1;
    for (rlim_t limit : limits) {
        const fs::path p = dir / ("limit" + std::to_string(limit));
        copy_sample(p);
        const int rc = run_with_file_limit(p, limit);
        const auto files = project_files(p);
        const std::string which = "files limited to " + std::to_string(limit) + " bytes";
        if (rc == 1) EXPECT_TRUE(files == before) << which << ": the project changed in a failed run";
        else if (rc == 0) EXPECT_TRUE(files == after) << which << ": the project is not the run's whole";
        else ADD_FAILURE() << which << ": the run ended with " << rc;
        for (const auto& [name, bytes] : files) EXPECT_NE(name[0], '.') << which << ": temporary left: " << name;
        fs::remove_all(p);
        failed_runs += rc == 1;
        last_rc = rc;
    }
    EXPECT_GT(failed_runs, 0);
    EXPECT_EQ(last_rc, 0);  // a disk with room

    // A report that cannot be written (a device that is always full) fails
    // the run, and no file of it goes in place.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const fs::path p = dir / "report";
    copy_sample(p);
    fs::create_symlink("/dev/full", p / "scheme1.csv");
    const auto linked = project_files(p);
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 1);
    EXPECT_TRUE(project_files(p) == linked);
}

TEST(WholeRun, AnotherProjectLendsNoNamesOrColumns) {
    ScratchDir dir;
    const fs::path other = settled_sample(dir, "other");
    const fs::path fresh = settled_sample(dir, "fresh");
    const fs::path after = settled_sample(dir, "after");
    // A project whose scheme directory and back-up columns are gone.
    for (const fs::path& p : {fresh, after}) {
        fs::remove(p / "master.dir");
        fs::remove(p / "stratb.bfr");
    }
    reset_all_blocks();
    ASSERT_EQ(run_kernel(fresh), 0);

    // The other project names scheme 5 and fills its column and copy.
    reset_all_blocks();
    testing::use_directories(other.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    AADISK(-1);
    AADISK(-5);
    SCHEMENAME(5) = "Other project's fifth";
    NCOMBO(2) = 15;
    LINENAME(2) = "Other combination";
    STRATEGY(300, 5) = 123.0f;
    STRATEGY(300, 14) = 123.0f;
    AADISK(6);
    AADISK(1);
    ASSERT_EQ(run_kernel(other), 0);
    ASSERT_EQ(run_kernel(after), 0);

    expect_same_files(fresh, after);
    EXPECT_EQ(read_file(after / "master.dir").find("Other"), std::string::npos);
}

}  // namespace
}  // namespace mavo
