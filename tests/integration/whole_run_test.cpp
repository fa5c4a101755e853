// Whole runs of the sample project through the C front: what a run leaves
// in the project must not depend on what ran before it in the process.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "blocks/blocks.h"
#include "mavokernel.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::ScratchDir;

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

}  // namespace
}  // namespace mavo
