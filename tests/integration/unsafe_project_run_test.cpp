// Whole runs of the sample project in a directory an adversary or an
// accident has reached into: links planted at the names a run writes, a
// directory the run may not create files in, a run killed in the middle of
// its commit.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "blocks/blocks.h"
#include "front/units.h"
#include "mavokernel.h"
#include "project/project.h"
#include "test_support.h"
#include "integration/whole_run_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace testing;

std::set<std::string> names_in(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

TEST(UnsafeProjectRun, LinksAtTheNamesARunWritesAreReplacedNotWrittenThrough) {
    ScratchDir dir;
    const fs::path outside = dir / "outside";
    fs::create_directory(outside);
    for (const int trace : {0, 1}) {
        const fs::path p = dir / ("project" + std::to_string(trace));
        copy_sample(p);
        // The summary file's link leads to a real summary file, which the
        // run reads through it.
        fs::copy_file(p / "summaryb.dat", outside / "summaryb.dat", fs::copy_options::overwrite_existing);
        fs::remove(p / "summaryb.dat");
        for (const char* name : {"summaryb.dat", "scheme1.txt", "scheme1.xml", "v7trace0.txt", "v7trace1.txt"}) {
            if (!fs::exists(outside / name)) write_file(outside / name, std::string("the user's own ") + name);
            fs::create_symlink(outside / name, p / name);
        }
        const auto before = project_files(outside);
        reset_all_blocks();
        const std::string ps = p.string(), u = (kData / "util").string(), w = (kData / "weather").string();
        EXPECT_EQ(MAVOKernelLib_runKernel(ps.c_str(), u.c_str(), w.c_str(), trace, nullptr), 0) << trace;
        EXPECT_TRUE(project_files(outside) == before) << "trace " << trace << ": a file outside the project changed";
        // In their places the run's own files (an untraced run writes no trace).
        for (const char* name : {"summaryb.dat", "scheme1.txt", "scheme1.xml", "v7trace0.txt", "v7trace1.txt"}) {
            if (trace || name[0] != 'v') {
                EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(p / name))) << trace << ": " << name;
            }
        }
    }
}

// The directory may not be written (its files may): no temporary can be
// made beside any file, so the run fails and nothing is written in place.
// The run is made by an unprivileged user, for whom permission bits hold
// even when the tests run as root.
TEST(UnsafeProjectRun, DirectoryTheRunMayNotWriteInFailsTheRunUntouched) {
    ScratchDir dir;
    const fs::path p = dir / "project", util = dir / "util", weather = dir / "weather";
    copy_sample(p);
    fs::copy(kData / "util", util, fs::copy_options::recursive);
    fs::create_directory(weather);
    for (const char* name : {"zone9.txh", "zipcodes.sce"}) fs::copy_file(kData / "weather" / name, weather / name);
    write_file(p / ".mavolock", "");  // left by an earlier run
    for (const auto& e : fs::directory_iterator(p)) fs::permissions(e.path(), fs::perms(0666));
    for (const fs::path& d : {dir.path(), util, weather}) fs::permissions(d, fs::perms(0755));
    fs::permissions(p, fs::perms(0555));
    const auto names = names_in(p);
    const auto before = project_files(p);

    constexpr int kNoUnprivilegedUser = 77;
    const int rc = in_child_process([&] {
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) return kNoUnprivilegedUser;
        reset_all_blocks();
        const std::string ps = p.string(), u = util.string(), w = weather.string();
        return MAVOKernelLib_runKernel(ps.c_str(), u.c_str(), w.c_str(), 0, nullptr);
    });
    fs::permissions(p, fs::perms(0755));
    if (rc == kNoUnprivilegedUser) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(names_in(p), names);
    EXPECT_TRUE(project_files(p) == before) << "a file of the project changed";
}

// Where the test build stops a commit: after this many renames.
int g_stop_after_renames = -1;
constexpr int kStoppedInTheCommit = 99;
void stop_the_commit(int renames_done) {
    if (renames_done == g_stop_after_renames) _exit(kStoppedInTheCommit);
}

// A run killed between any two renames of its commit (or right after its
// journal): the next load puts the rest of the new files in place, so the
// project holds the whole new set, as an uninterrupted run leaves it.
TEST(UnsafeProjectRun, CommitStoppedBetweenRenamesIsFinishedByTheNextLoad) {
    ScratchDir dir;
    const fs::path settled = settled_sample(dir, "settled");
    choose_weather_file(settled, 1, "Phoenix.epw");  // every file of the run changes
    select_scheme(settled, 1, 0.0f);
    const fs::path whole = dir / "whole";
    fs::copy(settled, whole);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(whole), 0);
    const auto new_set = project_files(whole);

    int stops = 0;
    for (int renames = 0;; ++renames) {
        const fs::path p = dir / ("stopped" + std::to_string(renames));
        fs::copy(settled, p);
        const int rc = in_child_process([&] {
            g_stop_after_renames = renames;
            test_hooks::after_commit_rename = stop_the_commit;
            reset_all_blocks();
            return run_kernel(p);
        });
        if (rc != kStoppedInTheCommit) {
            EXPECT_EQ(rc, 0);  // past the last rename: the run ended normally
            break;
        }
        ++stops;
        host_loads(p);
        EXPECT_TRUE(project_files(p) == new_set) << "stopped after " << renames << " rename(s)";
        EXPECT_FALSE(fs::exists(p / std::string(kCommitJournalName))) << renames;
        fs::remove_all(p);
    }
    EXPECT_GT(stops, 5);
}

}  // namespace
}  // namespace mavo
