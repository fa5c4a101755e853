// The files of a run: written beside their targets, put in place together
// at the run's commit or not at all, and the temporaries of a killed run
// cleared away.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "front/units.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using testing::inode_of;
using testing::names_in;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

constexpr int kUnit = 32;

bool save(const fs::path& file, const std::string& text) {
    std::FILE* f = unit_open_replacing(kUnit, file.c_str(), "w");
    if (!f) return false;
    std::fputs(text.c_str(), f);
    return unit_close(kUnit);
}

std::string read_through_units(const fs::path& file) {
    std::FILE* f = unit_open(kUnit, file.c_str(), "r");
    if (!f) return "(none)";
    char buf[64] = {};
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    unit_close(kUnit);
    return std::string(buf, n);
}

TEST(RunFiles, PutInPlaceTogetherAtTheCommitOrNotAtAll) {
    ScratchDir dir;
    write_file(dir / "scheme1b.dat", "old a");
    begin_run_files();
    ASSERT_TRUE(save(dir / "scheme1b.dat", "new a"));
    ASSERT_TRUE(save(dir / "stratb.dat", "first b"));
    ASSERT_TRUE(save(dir / "stratb.dat", "second b"));  // saved twice in the run: the last one counts
    EXPECT_EQ(read_file(dir / "scheme1b.dat"), "old a");  // nothing in place before the commit
    EXPECT_EQ(read_through_units(dir / "scheme1b.dat"), "new a");  // but the run reads its own
    EXPECT_EQ(read_through_units(dir / "stratb.dat"), "second b");
    EXPECT_EQ(commit_run_files(), CommitResult::in_place);
    remove_replaced_files();
    EXPECT_EQ(read_file(dir / "scheme1b.dat"), "new a");
    EXPECT_EQ(read_file(dir / "stratb.dat"), "second b");
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"scheme1b.dat", "stratb.dat"}));

    // One failure anywhere in the run, and no file of it goes in place.
    begin_run_files();
    ASSERT_TRUE(save(dir / "scheme1b.dat", "newer a"));
    ASSERT_TRUE(unit_create_empty((dir / "summaryb.dat").c_str()));
    note_failed_write();
    EXPECT_EQ(commit_run_files(), CommitResult::nothing_kept);
    EXPECT_EQ(read_file(dir / "scheme1b.dat"), "new a");
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"scheme1b.dat", "stratb.dat"}));

    // An empty path (one too long to build) makes no file anywhere.
    begin_run_files();
    EXPECT_EQ(unit_open_replacing(kUnit, "", "w"), nullptr);
    EXPECT_EQ(file_failures_of_run(), 1);
    unit_close_all();
}

TEST(RunFiles, TemporariesOfAKilledRunGoAtTheNextSave) {
    ScratchDir dir;
    std::fflush(nullptr);
    const pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    const std::string d = std::to_string(dead), own = std::to_string(getpid());
    std::set<std::string> kept = {
        ".summaryb.dat.mavotmp-" + own + "-Ab12Cd",  // this process's own
        ".summaryb.dat.mavotmp-1-Ab12Cd",            // a process still running
        ".summaryb.dat.mavotmp-" + d + "-Ab12C",     // no name of ours
        ".summaryb.dat",                             // the user's
        ".stratb.dat.mavotmp-" + d + "-Jr1Jr2",      // a stopped commit's, named by its journal
        ".mavojournal",
    };
    const std::set<std::string> stale = {".summaryb.dat.mavotmp-" + d + "-Ab12Cd",
                                         ".scheme3b.het.mavotmp-" + d + "-x9y8z7"};
    kept.insert({"summaryb.dat", "scheme3b.het"});  // the files the stale ones were for
    for (const auto& n : kept) write_file(dir / n, "x");
    const std::string journaled = ".stratb.dat.mavotmp-" + d + "-Jr1Jr2";
    write_file(dir / ".mavojournal", "mavo commit journal 1\nrename " + journaled + "\tstratb.dat\t" +
                                         std::to_string(inode_of(dir / journaled)) + " 0 0\nend\n");
    for (const auto& n : stale) write_file(dir / n, "x");
    begin_file_account();
    ASSERT_TRUE(save(dir / "master.dir", "names"));
    std::set<std::string> expected = kept;
    expected.insert("master.dir");
    EXPECT_EQ(names_in(dir.path()), expected);
}

}  // namespace
}  // namespace mavo
