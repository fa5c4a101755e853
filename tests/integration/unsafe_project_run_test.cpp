// Whole runs of the sample project in a directory an adversary or an
// accident has reached into: links planted at the names a run writes, a
// directory the run may not create files in, a run killed in the middle of
// its commit, renames the system refuses, another user, pipes and hostile
// journals in the project's places, a lock file removed during a run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
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

// A copy of `settled` in `p` run in a child process stopped after
// `renames` renames of its commit: kStoppedInTheCommit, or the run's return
// when its commit has fewer.
int run_stopped_after(const fs::path& settled, const fs::path& p, int renames) {
    fs::remove_all(p);
    fs::copy(settled, p);
    return in_child_process([&] {
        g_stop_after_renames = renames;
        test_hooks::after_commit_rename = stop_the_commit;
        reset_all_blocks();
        return run_kernel(p);
    });
}

// The host selects a scheme as the design application does, writing the
// summary file's first value where it stands (a stopped commit may have
// left none to edit).
void host_selects_in_place(const fs::path& project, std::int32_t scheme) {
    std::FILE* f = std::fopen((project / "summaryb.dat").c_str(), "r+b");
    if (!f) return;
    ASSERT_EQ(std::fseek(f, 12, SEEK_SET), 0);
    ASSERT_EQ(std::fwrite(&scheme, 4, 1, f), 1u);
    std::fclose(f);
}

// A run killed between any two renames of its commit (or right after its
// journal); the host then selects scheme 2 and calls. The call that finds
// the stopped commit finishes it and runs nothing (1, flag 92): it never
// returns 0 having run the killed run's scheme over the host's edit. The
// host edits again, and the next call runs scheme 2 on the whole new set.
TEST(UnsafeProjectRun, CommitStoppedBetweenRenamesIsFinishedAndTheHostsSchemeRunsNext) {
    ScratchDir dir;
    const fs::path settled = settled_sample(dir, "settled");
    choose_weather_file(settled, 1, "Phoenix.epw");  // every file of the run changes
    select_scheme(settled, 1, 0.0f);
    const fs::path whole = dir / "whole";
    fs::copy(settled, whole);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(whole), 0);
    host_selects_in_place(whole, 2);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(whole), 0);
    const auto scheme_two_after = project_files(whole);

    int stops = 0;
    for (int renames = 0;; ++renames) {
        const fs::path p = dir / ("stopped" + std::to_string(renames));
        const int rc = run_stopped_after(settled, p, renames);
        if (rc != kStoppedInTheCommit) {
            EXPECT_EQ(rc, 0);  // past the last rename: the run ended normally
            break;
        }
        ++stops;
        host_selects_in_place(p, 2);
        reset_all_blocks();
        if (run_kernel(p) != 0) {
            EXPECT_TRUE(NFLAG(kStoppedCommitFinished)) << renames;
            EXPECT_FALSE(fs::exists(p / std::string(kCommitJournalName))) << renames;
            host_selects_in_place(p, 2);
            reset_all_blocks();
            EXPECT_EQ(run_kernel(p), 0) << renames;
        }
        EXPECT_TRUE(project_files(p) == scheme_two_after) << "stopped after " << renames << " rename(s)";
        fs::remove_all(p);
    }
    EXPECT_GT(stops, 5);
}

// Every name of the directory, and the bytes of every regular file in it
// (the lock file's too).
struct DirectoryState {
    std::set<std::string> names;
    std::map<std::string, std::string> files;
    bool operator==(const DirectoryState&) const = default;
};
DirectoryState state_of(const fs::path& dir) {
    DirectoryState s;
    s.names = names_in(dir);
    for (const auto& e : fs::directory_iterator(dir))
        if (fs::is_regular_file(fs::symlink_status(e.path()))) s.files[e.path().filename().string()] = read_file(e.path());
    return s;
}

// The sample project settled, then its scheme 1 moved to Phoenix: the next
// run changes every result and every report.
fs::path moved_sample(const ScratchDir& dir, const std::string& name) {
    const fs::path p = settled_sample(dir, name);
    choose_weather_file(p, 1, "Phoenix.epw");
    select_scheme(p, 1, 0.0f);
    return p;
}

constexpr uid_t kNobody = 65534;
constexpr int kNoUnprivilegedUser = 77;

// The project as a commit leaves it after each of its renames, copied
// aside there (the copies bear other inode numbers, as the files a journal
// of the format before them names may).
fs::path g_commit_copies;
void copy_the_commit(int renames_done) {
    fs::copy(g_commit_copies / "project", g_commit_copies / ("after" + std::to_string(renames_done)));
}

// The journal of a commit stopped after any rename, as a kernel that cannot
// finish it finds it (the format before inode numbers, an older kernel's):
// the advice traced for it, followed word for word, gives back the project
// the last whole commit left, every old file moved aside included.
TEST(UnsafeProjectRun, AdviceOnAJournalLeftAtAnyStepGivesTheLastWholeCommitBack) {
    ScratchDir dir;
    const fs::path settled = moved_sample(dir, "project");
    const auto whole = project_files(settled);
    const std::string journal(kCommitJournalName);
    g_commit_copies = dir.path();
    ASSERT_EQ(in_child_process([&] {
                  test_hooks::after_commit_rename = copy_the_commit;
                  reset_all_blocks();
                  return run_kernel(settled);
              }),
              0);
    int stops = 0;
    for (fs::path p; fs::exists(p = dir / ("after" + std::to_string(stops))); ++stops) {
        // Version 1: the same steps without the inode numbers of their files.
        std::string text = read_file(p / journal), older = "mavo commit journal 1\n";
        std::set<std::string> places;
        for (std::size_t at = text.find('\n') + 1, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
            const std::string line = text.substr(at, end - at);
            older += line.substr(0, line.find('\t', line.find('\t') + 1)) + "\n";
            for (std::size_t t = line.find(".mavotmp-"); t != std::string::npos; t = line.find(".mavotmp-", t + 1)) {
                const std::size_t from = line.find_last_of(" \t", t) + 1;
                places.insert(line.substr(from, line.find_first_of(" \t", t) - from));
            }
        }
        write_file(p / journal, older);
        std::vector<std::string> put;
        ASSERT_EQ(complete_stopped_commit(p.string(), put), StoppedCommit::failed) << stops;
        // Each file as its line says, then the journal and its places.
        std::string said;
        for (const std::string& line : stopped_commit_report()) {
            said += line + "\n";
            const std::size_t colon = line.find(": ", 10);
            if (line.rfind("KERNEL:   ", 0) != 0 || colon == std::string::npos) continue;
            const std::string target = line.substr(10, colon - 10);
            const std::size_t aside = line.find("its old file lies aside in ");
            if (aside != std::string::npos) {
                const std::size_t from = aside + 27;
                fs::rename(p / line.substr(from, line.find(',', from) - from), p / target);
            }
            if (line.find("a new name, its new file is in place") != std::string::npos) fs::remove(p / target);
        }
        EXPECT_NE(said.find("move each old file that lies aside back onto its project file, remove each new name "
                            "whose new file is in place,"),
                  std::string::npos)
            << said;
        fs::remove(p / journal);
        for (const std::string& place : places) fs::remove(p / place);
        EXPECT_TRUE(project_files(p) == whole) << "stopped after " << stops << " rename(s):\n" << said;
    }
    EXPECT_GT(stops, 5);
}

// A run killed between any two renames of its commit (or right after its
// journal), its journal then damaged from outside (emptied, cut short): the
// call refuses, and its advice, followed word for word, loses no file:
// every project file of the last whole commit and of the run is there with
// the bytes one of them gave it. A call made after the journal alone was
// removed deletes no temporary whose project file is missing (it may hold
// the file's only copy).
TEST(UnsafeProjectRun, JournalTheKernelCannotReadLosesNoFile) {
    ScratchDir dir;
    const fs::path settled = moved_sample(dir, "settled");
    const auto last_whole = project_files(settled);
    const fs::path run = dir / "run";
    fs::copy(settled, run);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(run), 0);
    const auto run_files = project_files(run);
    const fs::path journal_name(std::string{kCommitJournalName});
    const auto is_temporary = [](const std::string& name) { return name.find(".mavotmp-") != std::string::npos; };
    std::set<std::string> names;
    for (const auto* files : {&last_whole, &run_files})
        for (const auto& [name, bytes] : *files)
            if (!is_temporary(name)) names.insert(name);
    const std::pair<const char*, std::function<void(const fs::path&)>> damages[] = {
        {"emptied", [](const fs::path& j) { write_file(j, ""); }},
        {"cut short", [](const fs::path& j) { write_file(j, read_file(j).substr(0, read_file(j).size() / 2)); }},
    };
    int stops = 0;
    for (int renames = 0;; ++renames) {
        const fs::path killed = dir / "killed";
        if (run_stopped_after(settled, killed, renames) != kStoppedInTheCommit) break;
        ++stops;
        for (const auto& [what, damage] : damages) {
            const fs::path p = dir / "damaged";
            fs::remove_all(p);
            fs::copy(killed, p);
            damage(p / journal_name);
            reset_all_blocks();
            ASSERT_EQ(run_kernel(p), 1) << what << ", stopped after " << renames;
            std::string said;
            for (const std::string& line : stopped_commit_report()) {
                said += line + "\n";
                const std::size_t onto = line.find(" onto ");
                if (line.rfind("KERNEL: move ", 0) != 0 || onto == std::string::npos) continue;
                const std::string target = line.substr(onto + 6, line.find(' ', onto + 6) - onto - 6);
                fs::rename(p / line.substr(13, onto - 13), p / target);
            }
            fs::remove(p / journal_name);
            for (const std::string& name : names) {
                const std::string now = fs::exists(p / name) ? read_file(p / name) : "(lost)";
                const bool kept = (last_whole.count(name) > 0 && now == last_whole.at(name)) ||
                                  (run_files.count(name) > 0 && now == run_files.at(name));
                EXPECT_TRUE(kept) << what << ", stopped after " << renames << ": " << name << " lost\n" << said;
            }
        }
        // The journal removed alone, by a user who read no advice.
        fs::remove(killed / journal_name);
        std::vector<std::string> only_copies;
        for (const auto& [name, bytes] : project_files(killed))
            if (is_temporary(name) && !fs::exists(killed / name.substr(1, name.find(".mavotmp-") - 1)))
                only_copies.push_back(name);
        reset_all_blocks();
        run_kernel(killed);
        for (const std::string& name : only_copies)
            EXPECT_TRUE(fs::exists(killed / name)) << "stopped after " << renames << ": " << name << " deleted";
    }
    EXPECT_GT(stops, 5);
}

// A run of `project` by the unprivileged user, in a child process.
// The other user reads the utility and weather directories too: copies
// beside the project that every user may read, wherever the source tree
// stands (a clone in a directory of its owner's alone).
int run_as_nobody(const fs::path& project) {
    const fs::path readable = project.parent_path() / "readable-by-all";
    if (!fs::exists(readable)) {
        fs::create_directories(readable);
        for (const char* d : {"util", "weather"}) fs::copy(kData / d, readable / d, fs::copy_options::recursive);
        for (const auto& e : fs::recursive_directory_iterator(readable))
            fs::permissions(e.path(), fs::perms(e.is_directory() ? 0755 : 0644));
        fs::permissions(readable, fs::perms(0755));
    }
    const std::string p = project.string(), u = (readable / "util").string(), w = (readable / "weather").string();
    return in_child_process([&] {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) return kNoUnprivilegedUser;
        reset_all_blocks();
        return MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
    });
}

// Sends a byte down `to` and waits for one from `from`.
void signal_and_wait(int to, int from) {
    char c = 'x';
    if (write(to, &c, 1) != 1 || read(from, &c, 1) != 1) _exit(2);
}

int g_refused_rename = -1;
bool refuse_the_chosen_rename(int renames_done) { return renames_done == g_refused_rename; }

// Sets or clears the immutable flag of a file; false where the file system
// or the process's rights have no such flag.
bool set_immutable(const fs::path& file, bool on) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return ok;
}

// A run whose commit meets a rename the system refuses, at any point of
// the commit: it returns 1 and leaves every file of the project as it was,
// byte for byte, with no temporary or journal left behind.
TEST(UnsafeProjectRun, RenameRefusedInTheCommitLeavesEveryFileAsItWas) {
    ScratchDir dir;
    const fs::path settled = moved_sample(dir, "settled");

    // The listing strategy.txt made immutable.
    {
        const fs::path p = dir / "immutable";
        fs::copy(settled, p);
        if (set_immutable(p / "strategy.txt", true)) {
            const DirectoryState before = state_of(p);
            reset_all_blocks();
            EXPECT_EQ(run_kernel(p), 1);
            set_immutable(p / "strategy.txt", false);
            EXPECT_TRUE(state_of(p) == before) << "immutable strategy.txt: the project changed";
        }
    }

    // A shared directory (sticky, writable by all) where the summary file
    // and the listing belong to another user, run by its other user.
    if (geteuid() == 0) {
        const fs::path p = dir / "shared";
        fs::copy(settled, p);
        fs::permissions(dir.path(), fs::perms(0755));
        for (const auto& e : fs::directory_iterator(p)) {
            const std::string name = e.path().filename().string();
            if (name != "summaryb.dat" && name != "strategy.txt") {
                EXPECT_EQ(chown(e.path().c_str(), kNobody, kNobody), 0) << name;
            }
        }
        fs::permissions(p, fs::perms(01777));
        const DirectoryState before = state_of(p);
        const int rc = run_as_nobody(p);
        if (rc != kNoUnprivilegedUser) {
            EXPECT_EQ(rc, 1);
            EXPECT_TRUE(state_of(p) == before) << "shared directory: the project changed";
        }
    }

    // Each rename of the commit refused in turn.
    test_hooks::refuse_commit_rename = refuse_the_chosen_rename;
    int refusals = 0;
    for (g_refused_rename = 0;; ++g_refused_rename) {
        const fs::path p = dir / ("refused" + std::to_string(g_refused_rename));
        fs::copy(settled, p);
        const DirectoryState before = state_of(p);
        reset_all_blocks();
        const int rc = run_kernel(p);
        if (rc == 0) break;  // past the last rename
        ++refusals;
        EXPECT_EQ(rc, 1);
        EXPECT_TRUE(state_of(p) == before) << "rename " << g_refused_rename << " refused: the project changed";
        fs::remove_all(p);
    }
    // The run undone, but its journal cannot be removed (the file system
    // turned read-only): the call says the run is left to its journal, and
    // the next call finishes it (1, flag 92): the whole new set.
    {
        const fs::path p = dir / "journal-kept";
        fs::copy(settled, p);
        g_refused_rename = 3;
        test_hooks::refuse_journal_removal = [] { return true; };
        reset_all_blocks();
        EXPECT_EQ(run_kernel(p), 1);
        test_hooks::refuse_journal_removal = nullptr;
        EXPECT_NE(BLK130A.DBGTEXT.trimmed().find("left with the journal"), std::string_view::npos)
            << BLK130A.DBGTEXT.trimmed();
        test_hooks::refuse_commit_rename = nullptr;
        reset_all_blocks();
        EXPECT_EQ(run_kernel(p), 1);
        EXPECT_TRUE(NFLAG(kStoppedCommitFinished));
        const fs::path whole = dir / "whole";
        fs::copy(settled, whole);
        reset_all_blocks();
        ASSERT_EQ(run_kernel(whole), 0);
        EXPECT_TRUE(project_files(p) == project_files(whole)) << "the journal kept did not finish the run";
    }
    test_hooks::refuse_commit_rename = nullptr;
    EXPECT_GT(refusals, 10);
}

// A project whose directory and files every user may write, run once by
// its owner under the usual umask, shared before that first run or after
// it, is then run by another user: the lock file's owner brought its mode
// in line with the directory at its run, so the second takes the lock.
// Before the owner's run the other user, who may write the directory but
// not the lock file, is told exactly that.
TEST(UnsafeProjectRun, AnotherUserWhoMayWriteTheProjectRunsIt) {
    ScratchDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    for (const bool shared_first : {true, false}) {
        const fs::path p = dir / (shared_first ? "shared-first" : "shared-later");
        copy_sample(p);
        fs::remove(p / std::string(kProjectLockName));
        const auto share = [&p] {
            for (const auto& e : fs::directory_iterator(p))
                if (e.path().filename() != kProjectLockName) fs::permissions(e.path(), fs::perms(0666));
            fs::permissions(p, fs::perms(0777));
        };
        if (shared_first) share();
        else fs::permissions(p, fs::perms(0755));
        const mode_t umask_before = umask(022);
        reset_all_blocks();
        EXPECT_EQ(run_kernel(p), 0);
        if (!shared_first) {
            share();
            if (geteuid() == 0) {
                const std::string ps = p.string();
                const int told = in_child_process([&] {
                    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) return kNoUnprivilegedUser;
                    return lock_project(ps) == ProjectLock::refused &&
                                   project_lock_problem().find("may not be written by this user") != std::string::npos
                               ? 0
                               : 1;
                });
                if (told != kNoUnprivilegedUser) {
                    EXPECT_EQ(told, 0) << "the other user is not told why";
                }
            }
            reset_all_blocks();
            EXPECT_EQ(run_kernel(p), 0);
        }
        umask(umask_before);
        choose_weather_file(p, 1, "Phoenix.epw");
        select_scheme(p, 1, 0.0f);
        const std::string summary = read_file(p / "summaryb.dat");

        const int rc = run_as_nobody(p);
        if (rc == kNoUnprivilegedUser) GTEST_SKIP() << "no unprivileged user to run as";
        EXPECT_EQ(rc, 0) << shared_first;
        EXPECT_TRUE(read_file(p / "summaryb.dat") != summary) << shared_first << ": the results were not saved";
    }
}

// A project shared with a group whose lock file its owner made outside
// that group: the owner, no member, cannot give it the group, so a member
// is told the remedy that works (the directory set-group-ID, the lock file
// made anew), not to wait for the owner's next run.
TEST(UnsafeProjectRun, LockFileOutsideTheSharingGroupNamesTheRemedy) {
    if (geteuid() != 0) GTEST_SKIP() << "needs other users";
    constexpr gid_t kSharingGroup = 4040;
    constexpr uid_t kMember = 4041;
    ScratchDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    const fs::path p = dir / "project";
    copy_sample(p);
    ASSERT_EQ(chown(p.c_str(), 0, kSharingGroup), 0);
    fs::permissions(p, fs::perms(0770));
    const fs::path lock = p / std::string(kProjectLockName);
    write_file(lock, "");
    ASSERT_EQ(chown(lock.c_str(), kNobody, kNobody), 0);  // its owner's own group
    fs::permissions(lock, fs::perms(0600));
    const std::string ps = p.string();
    const int told = in_child_process([&] {
        if (setgroups(0, nullptr) != 0 || setgid(kSharingGroup) != 0 || setuid(kMember) != 0)
            return kNoUnprivilegedUser;
        return lock_project(ps) == ProjectLock::refused &&
                       project_lock_problem().find("give it that group (chgrp 4040 " + ps +
                                                   "/.mavolock, as root or as its owner once a member), or make the "
                                                   "project directory set-group-ID (chmod g+s) and remove the lock "
                                                   "file") != std::string::npos
                   ? 0
                   : 1;
    });
    if (told == kNoUnprivilegedUser) GTEST_SKIP() << "no other user to run as";
    EXPECT_EQ(told, 0) << "the member is not told the remedy";
}

// A user who may only read the project takes every lock open to him (the
// directory's, the lock file's) while its owner runs it: he holds none
// that counts, and the owner's run goes on.
TEST(UnsafeProjectRun, AReaderOfTheProjectCannotStopItsRuns) {
    if (geteuid() != 0) GTEST_SKIP() << "needs a second user";
    ScratchDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    const fs::path p = dir / "project";
    copy_sample(p);
    fs::permissions(p, fs::perms(0755));
    const fs::path lock = p / std::string(kProjectLockName);
    // The reader opens the lock file as it stands and holds a read lock on
    // it (and a lock on the directory) until told to end.
    const auto reader_holds = [&](int held[2], int done[2]) {
        EXPECT_EQ(pipe(held), 0);
        EXPECT_EQ(pipe(done), 0);
        std::fflush(nullptr);
        const pid_t reader = fork();
        if (reader == 0) {
            if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(kNoUnprivilegedUser);
            const int d = open(p.c_str(), O_RDONLY | O_DIRECTORY);
            if (d >= 0) flock(d, LOCK_EX | LOCK_NB);
            const int f = open(lock.c_str(), O_RDONLY);
            if (f >= 0) {
                struct flock shared{};
                shared.l_type = F_RDLCK;
                shared.l_whence = SEEK_SET;
                fcntl(f, F_SETLK, &shared);
            }
            signal_and_wait(held[1], done[0]);
            _exit(0);
        }
        char c = 0;
        EXPECT_EQ(read(held[0], &c, 1), 1);
        return reader;
    };
    const auto reader_ends = [&](pid_t reader, int held[2], int done[2]) {
        EXPECT_EQ(write(done[1], "x", 1), 1);
        waitpid(reader, nullptr, 0);
        for (int fd : {held[0], held[1], done[0], done[1]}) close(fd);
    };
    write_file(lock, "");
    fs::permissions(lock, fs::perms(0644));  // as an earlier version left it
    reset_all_blocks();
    ASSERT_EQ(run_kernel(p), 0);
    int held[2], done[2];
    pid_t reader = reader_holds(held, done);
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 0) << "a reader's lock stopped the owner's run";
    reader_ends(reader, held, done);

    // Opened by the reader before the owner's first run brought it in line:
    // the run is refused, the trace saying why and what to do, and doing it
    // (removing the lock file) lets the owner run while the reader holds on.
    fs::permissions(lock, fs::perms(0644));
    reader = reader_holds(held, done);
    reset_all_blocks();
    const std::string u = (kData / "util").string(), w = (kData / "weather").string();
    EXPECT_EQ(MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 1, nullptr), 1);
    const std::string trace = read_file(p / "v7trace0.txt");
    EXPECT_NE(trace.find(".mavolock is held under a read lock by process " + std::to_string(reader)), std::string::npos)
        << trace;
    fs::remove(lock);
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 0) << "the owner's run after the lock file was removed";
    reader_ends(reader, held, done);
}

// A pipe, a device or a hostile journal in the project's places: the call
// returns at once with little memory, as a failed load (1), and every file
// is as it was, the temporaries a journal names included.
TEST(UnsafeProjectRun, PipesDevicesAndHostileJournalsFailTheLoadAndChangeNothing) {
    ScratchDir dir;
    const fs::path settled = settled_sample(dir, "settled");
    std::fflush(nullptr);
    const pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    // A place of a dead process's run, as the kernel names them.
    const auto place = [&](const std::string& target, const char* tag) {
        return "." + target + ".mavotmp-" + std::to_string(dead) + "-" + tag;
    };
    const auto journal = [&](const fs::path& p, const std::string& steps) {
        write_file(p / std::string(kCommitJournalName), "mavo commit journal 1\n" + steps + "end\n");
    };
    const std::string kUserTemporaryShape = ".strategy.txt.mavotmp-1-userfl";
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> plant;
        bool root_only = false;  // a device node needs root to be made
    };
    const Case cases[] = {
        {"a pipe at the journal", [](const fs::path& p) { mkfifo((p / std::string(kCommitJournalName)).c_str(), 0644); }},
        {"a link to /dev/zero at the journal",
         [](const fs::path& p) { fs::create_symlink("/dev/zero", p / std::string(kCommitJournalName)); }},
        {"a journal far longer than any run's",
         [&](const fs::path& p) {
             const std::string t = place("stratb.dat", "Lg1Lg2");
             write_file(p / t, "not a strategy file");
             std::string steps;
             while (steps.size() < 2'000'000) steps += "rename " + t + "\tstratb.dat\n";
             journal(p, steps);
         }},
        {"a journal that removes master.dir",
         [&](const fs::path& p) {
             write_file(p / place("master.dir", "Rm1Rm2"), "");
             journal(p, "remove " + place("master.dir", "Rm1Rm2") + "\tmaster.dir\n");
         }},
        {"a journal that removes summaryb.dat",
         [&](const fs::path& p) {
             write_file(p / place("summaryb.dat", "Rm1Rm2"), "");
             journal(p, "remove " + place("summaryb.dat", "Rm1Rm2") + "\tsummaryb.dat\n");
         }},
        {"a journal that renames onto the lock file",
         [&](const fs::path& p) {
             const std::string lock(kProjectLockName);
             write_file(p / place(lock, "Lk1Lk2"), "not the lock");
             journal(p, "rename " + place(lock, "Lk1Lk2") + "\t" + lock + "\n");
         }},
        {"a pipe at the summary file",
         [](const fs::path& p) {
             fs::remove(p / "summaryb.dat");
             mkfifo((p / "summaryb.dat").c_str(), 0644);
         }},
        {"a pipe at the scheme's input file",
         [](const fs::path& p) {
             fs::remove(p / "scheme1b.dat");
             mkfifo((p / "scheme1b.dat").c_str(), 0644);
         }},
        {"a device at a report's name",
         [](const fs::path& p) {
             fs::remove(p / "scheme1.csv");
             mknod((p / "scheme1.csv").c_str(), S_IFCHR | 0666, makedev(1, 3));
         },
         true},
        {"a journal step whose place aside is the user's file of a temporary's shape",
         [&](const fs::path& p) {
             write_file(p / kUserTemporaryShape, "the user's own");
             journal(p, "replace " + place("strategy.txt", "abcdef") + " " + kUserTemporaryShape + "\tstrategy.txt\n");
         }},
        {"the same step naming the user's file by its inode",
         [&](const fs::path& p) {
             write_file(p / kUserTemporaryShape, "the user's own");
             journal(p, "replace " + place("strategy.txt", "abcdef") + " " + kUserTemporaryShape + "\tstrategy.txt\t1 " +
                            std::to_string(inode_of(p / kUserTemporaryShape)) + " 3\n");
         }},
        {"a master.dir cut inside its last line",
         [](const fs::path& p) { fs::resize_file(p / "master.dir", fs::file_size(p / "master.dir") - 5); }},
    };
    constexpr long kLittleMemoryKb = 256 * 1024;
    constexpr int kGrewTooMuch = 3;
    int n = 0;
    for (const Case& c : cases) {
        if (c.root_only && geteuid() != 0) continue;
        const fs::path p = dir / ("case" + std::to_string(n++));
        fs::copy(settled, p);
        c.plant(p);
        const DirectoryState before = state_of(p);
        const auto start = std::chrono::steady_clock::now();
        const int rc = in_child_process([&] {
            alarm(20);  // a call that hangs is stopped
            rusage use{};
            getrusage(RUSAGE_SELF, &use);
            const long at_start = use.ru_maxrss;
            reset_all_blocks();
            const int result = run_kernel(p);
            getrusage(RUSAGE_SELF, &use);
            return use.ru_maxrss - at_start > kLittleMemoryKb ? kGrewTooMuch : result;
        });
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(rc, 1) << c.what;
        EXPECT_LT(seconds, 5.0) << c.what;
        EXPECT_TRUE(state_of(p) == before) << c.what << ": the project changed";
    }
}

int g_commit_reached = -1, g_go_on = -1;
void pause_at_the_journal(int renames_done) {
    if (renames_done == 0) signal_and_wait(g_commit_reached, g_go_on);
}

// The lock file removed while a run holds it (a clean-up tool): a second
// process that calls the kernel meanwhile, or the stand-in host that would
// edit the project for its call, is refused and edits nothing, and the
// first run's files go in place: the project is the one the first run
// alone leaves.
TEST(UnsafeProjectRun, LockFileRemovedDuringARunKeepsASecondRunOut) {
    ScratchDir dir;
    const fs::path alone = moved_sample(dir, "alone");
    reset_all_blocks();
    ASSERT_EQ(run_kernel(alone), 0);
    const fs::path host = fs::path(MAVO_BINARY_DIR) / "bin" / "mavo-run";
    const std::string data = (kData / "util").string() + " " + (kData / "weather").string();
    const std::function<int(const fs::path&)> seconds[] = {
        [](const fs::path& p) {
            return in_child_process([&] {
                reset_all_blocks();
                return run_kernel(p);
            });
        },
        [&](const fs::path& p) {
            const std::string call = host.string() + " --scheme 3 --site Phoenix.epw " + p.string() + " " + data +
                                     " > /dev/null 2>&1";
            return std::system(call.c_str());
        },
    };
    int n = 0;
    for (const auto& second_run : seconds) {
        const fs::path p = moved_sample(dir, "project" + std::to_string(n++));
        int reached[2], go_on[2];
        ASSERT_EQ(pipe(reached), 0);
        ASSERT_EQ(pipe(go_on), 0);
        std::fflush(nullptr);
        const pid_t first = fork();
        if (first == 0) {
            g_commit_reached = reached[1];
            g_go_on = go_on[0];
            test_hooks::after_commit_rename = pause_at_the_journal;
            reset_all_blocks();
            _exit(run_kernel(p));
        }
        char c = 0;
        ASSERT_EQ(read(reached[0], &c, 1), 1);
        fs::remove(p / std::string(kProjectLockName));
        const int second = second_run(p);
        ASSERT_EQ(write(go_on[1], "x", 1), 1);
        int status = 0;
        waitpid(first, &status, 0);
        for (int fd : {reached[0], reached[1], go_on[0], go_on[1]}) close(fd);
        EXPECT_NE(second, 0) << n << ": a second process ran the project during the first one's run";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << n;
        EXPECT_TRUE(project_files(p) == project_files(alone)) << n << ": the project is not the first run's";
    }
}

}  // namespace
}  // namespace mavo
