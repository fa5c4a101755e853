#include "front/units.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "blocks/run_control.h"
#include "front/project_lock.h"
#include "front/temporaries.h"

namespace mavo {

#ifdef MAVO_TEST_HOOKS
namespace test_hooks {
void (*after_commit_rename)(int renames_done) = nullptr;
bool (*refuse_commit_rename)(int renames_done) = nullptr;
bool (*refuse_journal_removal)() = nullptr;
}
#endif

namespace {

namespace fs = std::filesystem;

struct UnitFile {
    std::FILE* fp = nullptr;
    bool writing = false;       // opened to write or append
    bool write_failed = false;  // a write the caller saw fail
    bool project_data = false;  // replacing unit: kept back while the project is frozen
    std::string target;         // replacing unit: the file put in place at the close
    std::string temporary;      // replacing unit: where the new file is written meanwhile
};

// A file of the run written whole, waiting in its temporary for the commit;
// or a file the run removes, with the empty place beside it where the
// commit moves it aside before it is deleted.
struct PendingFile {
    std::string temporary;
    std::string target;
    bool removal = false;
};

struct UnitFiles {
    UnitFile units[kLastUnit + 1];
    int failures = 0;     // damaged loads and failed writes of the run
    bool frozen = false;  // a damaged load: no project file is put in place
    bool run_open = false;                    // a run: replaced files wait for its commit
    std::vector<PendingFile> pending;         // in the order of their first save
    std::vector<std::string> replaced;        // old files moved aside by the last commit, deleted after it
};
UnitFiles g_units;

bool valid_unit(int unit) { return unit >= 0 && unit <= kLastUnit; }

bool opens_to_write(const char* mode) { return std::strpbrk(mode, "wa+") != nullptr; }

// The trace log and the developer dumps are for diagnosis: a line of them
// that cannot be written is reported by the trace and does not fail the run.
bool counts_for_run(int unit) { return unit != BLK0B.DISKTRACE && unit != kDeveloperDumpUnit; }

bool exists_as_name(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

PendingFile* pending_of(const std::string& target) {
    for (PendingFile& p : g_units.pending)
        if (p.target == target) return &p;
    return nullptr;
}

// The run's own new version of `path`, when the run has replaced it.
std::string run_version_of(const char* path) {
    if (!g_units.run_open || g_units.pending.empty()) return {};
    const PendingFile* p = pending_of(path);
    return p && !p->removal ? p->temporary : std::string();
}

std::FILE* open_temporary(const std::string& target, const char* mode, std::string& temporary) {
    const int fd = create_temporary(target, temporary);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) {
        ::close(fd);
        ::unlink(temporary.c_str());
        temporary.clear();
    }
    return f;
}

// A written temporary (or, for a removal, the place the file is moved aside
// to) waits for the run's commit; a later save or removal of the same file
// in the run (the summary file is saved twice) replaces the earlier one.
void keep_for_commit(const std::string& target, const std::string& temporary, bool removal = false) {
    if (PendingFile* p = pending_of(target)) {
        ::unlink(p->temporary.c_str());
        *p = {temporary, target, removal};
        return;
    }
    g_units.pending.push_back({temporary, target, removal});
}

void discard_pending() {
    for (const PendingFile& p : g_units.pending) ::unlink(p.temporary.c_str());
    g_units.pending.clear();
}

void clear_nonblocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// Opens `path` to write where it is (the trace, a developer dump, a file
// written outside a run), as a plain file of its own: a symbolic link in
// its place, or a file that has a second name elsewhere, is first replaced
// by a new file of that name, so nothing is ever written through to
// another file. A device standing for the file is written as it is; a pipe
// nobody reads fails the open instead of holding the run.
int open_own_file(const char* path, const char* mode) {
    const bool read_too = std::strchr(mode, '+') != nullptr;
    int flags = (read_too ? O_RDWR : O_WRONLY) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    if (mode[0] == 'w' || mode[0] == 'a') flags |= O_CREAT;
    if (mode[0] == 'a') flags |= O_APPEND;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path, flags | (attempt > 0 ? O_EXCL : 0), 0666);
        if (fd < 0) {
            // O_NOFOLLOW refuses a symbolic link in the file's place.
            if (errno == ELOOP && attempt == 0 && ::unlink(path) == 0) continue;
            return -1;
        }
        struct stat st{};
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            return -1;
        }
        const bool regular = S_ISREG(st.st_mode);
        if (regular && st.st_nlink > 1) {
            ::close(fd);
            if (attempt == 0 && ::unlink(path) == 0) continue;
            errno = EEXIST;
            return -1;
        }
        if (regular && mode[0] == 'w' && ::ftruncate(fd, 0) != 0) {
            ::close(fd);
            return -1;
        }
        clear_nonblocking(fd);
        return fd;
    }
    return -1;
}

// Opens a file to read, following links as ever, but only a regular file:
// a pipe or a device in a file's place (one that never ends, or waits for
// a writer that never comes) is refused as a file that cannot be read.
std::FILE* open_to_read(const char* path, const char* mode) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int why = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = why;
        return nullptr;
    }
    clear_nonblocking(fd);
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) ::close(fd);
    return f;
}

std::FILE* open_own_stream(const char* path, const char* mode) {
    const int fd = open_own_file(path, mode);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) ::close(fd);
    return f;
}

// Closes the unit. A replacing unit's file goes in place (or, in a run,
// waits for the commit) when `put_in_place` and nothing failed; otherwise
// it is removed and the old file stays.
bool finish_unit(int unit, bool put_in_place) {
    UnitFile& u = g_units.units[unit];
    bool ok = !u.write_failed && std::ferror(u.fp) == 0;
    if (std::fclose(u.fp) != 0) ok = false;
    const UnitFile closed = u;
    u = UnitFile{};
    if (closed.target.empty()) {
        if (!ok && closed.writing && counts_for_run(unit)) note_failed_write();
        return ok;
    }
    const bool kept_back = closed.project_data && g_units.frozen;
    bool kept = false;
    if (ok && put_in_place && !kept_back) {
        if (g_units.run_open) {
            keep_for_commit(closed.target, closed.temporary);
            kept = true;
        } else {
            kept = std::rename(closed.temporary.c_str(), closed.target.c_str()) == 0;
        }
    }
    if (!kept) ::unlink(closed.temporary.c_str());
    // Kept back on purpose (a frozen project, a stopped run) is no new failure.
    if (!kept && put_in_place && !kept_back) note_failed_write();
    return kept;
}

std::string directory_of(const std::string& path) {
    const fs::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

// False when one of them is still there.
bool remove_journals(const std::vector<std::string>& directories) {
#ifdef MAVO_TEST_HOOKS
    if (test_hooks::refuse_journal_removal && test_hooks::refuse_journal_removal()) return false;
#endif
    bool all = true;
    for (const std::string& d : directories) all = remove_commit_journal(d) && all;
    return all;
}

// The journal of a commit in each directory its files lie in (a run's all
// lie in the project directory). False when one could not be written; the
// others are then removed again.
bool write_journals(const std::vector<CommitStep>& steps, std::vector<std::string>& journaled) {
    for (const CommitStep& f : steps) {
        const std::string dir = directory_of(f.target);
        if (std::find(journaled.begin(), journaled.end(), dir) != journaled.end()) continue;
        std::vector<const CommitStep*> here;
        for (const CommitStep& g : steps)
            if (directory_of(g.target) == dir) here.push_back(&g);
        if (!write_commit_journal(dir, here)) {
            remove_journals(journaled);
            journaled.clear();
            return false;
        }
        journaled.push_back(dir);
    }
    return true;
}

// The steps of the commit: new names first (only a new name may need room
// in its directory), then the files replaced, then those removed. A file
// replaced gets the name of its place aside now; the move aside makes it.
bool commit_steps(const std::vector<PendingFile>& files, std::vector<CommitStep>& steps) {
    for (const CommitStep::Kind kind : {CommitStep::Kind::add, CommitStep::Kind::replace, CommitStep::Kind::remove}) {
        for (const PendingFile& p : files) {
            const CommitStep::Kind k = p.removal               ? CommitStep::Kind::remove
                                       : exists_as_name(p.target) ? CommitStep::Kind::replace
                                                                  : CommitStep::Kind::add;
            if (k != kind) continue;
            CommitStep s{k, p.removal ? std::string() : p.temporary, p.removal ? p.temporary : std::string(), p.target};
            if (k == CommitStep::Kind::replace) s.aside = temporary_name(p.target);
            steps.push_back(std::move(s));
        }
    }
    return true;
}

// Moves a file aside onto a name nothing bears: never over a file that
// appeared there meanwhile (where the file system cannot promise that in
// the rename itself, the name is looked at just before).
bool move_aside(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat st{};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// One rename of a commit, or of its undoing.
bool rename_file(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

// Where a test build may stop a commit, after `renames_done` renames.
void stop_point([[maybe_unused]] int renames_done) {
#ifdef MAVO_TEST_HOOKS
    if (test_hooks::after_commit_rename) test_hooks::after_commit_rename(renames_done);
#endif
}

// A rename of the commit's way forward, which a test build may refuse as
// the system refuses one (an immutable file, another user's file in a
// shared directory).
bool forward_rename(const std::string& from, const std::string& to, [[maybe_unused]] int renames_done,
                    bool aside = false) {
#ifdef MAVO_TEST_HOOKS
    if (test_hooks::refuse_commit_rename && test_hooks::refuse_commit_rename(renames_done)) {
        errno = EPERM;
        return false;
    }
#endif
    return aside ? move_aside(from, to) : rename_file(from, to);
}

UnitFile& fresh_unit(int unit) {
    if (g_units.units[unit].fp) unit_close(unit);
    return g_units.units[unit];
}

}  // namespace

std::FILE* unit_open(int unit, const char* path, const char* mode) {
    if (!valid_unit(unit)) return nullptr;
    UnitFile& u = fresh_unit(unit);
    const std::string version = run_version_of(path);
    const char* file = version.empty() ? path : version.c_str();
    u.writing = opens_to_write(mode);
    if (!u.writing) {
        u.fp = open_to_read(file, mode);
    } else if (version.empty() && g_units.run_open && counts_for_run(unit)) {
        // A run's project files and reports reach their places only through
        // the commit: one the run has not started anew is not written into.
        u.fp = nullptr;
    } else {
        u.fp = open_own_stream(file, mode);
    }
    if (!u.fp && u.writing && counts_for_run(unit)) note_failed_write();
    return u.fp;
}

std::FILE* unit_open_replacing(int unit, const char* path, const char* mode, bool project_data) {
    if (!valid_unit(unit)) return nullptr;
    UnitFile& u = fresh_unit(unit);
    // A path the kernel could not build (too long) names no file: nothing
    // is made, not even a temporary in the current directory.
    if (!path || !*path) {
        note_failed_write();
        return nullptr;
    }
    // A symbolic link in the file's place is replaced like a file: the
    // rename puts the new file where the link was, and the link's target is
    // never touched. Anything else there (a device, a pipe, a directory) is
    // no file of the project's to replace nor to write into: the run fails.
    const std::string target = path;
    struct stat st{};
    if (::lstat(path, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
        note_failed_write();
        return nullptr;
    }
    // No temporary beside the file (a directory the run may not write in):
    // the run fails, and nothing is written in place instead.
    std::string temporary;
    u.fp = open_temporary(target, mode, temporary);
    if (!u.fp) {
        u = UnitFile{};
        note_failed_write();
        return nullptr;
    }
    u.target = target;
    u.temporary = temporary;
    u.writing = true;
    u.project_data = project_data;
    return u.fp;
}

bool unit_create_empty(const char* path) {
    if (!path || !*path) return false;
    if (exists_as_name(path) || !run_version_of(path).empty()) return true;
    if (!g_units.run_open) {
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        ::close(fd);
        return true;
    }
    std::string temporary;
    const int fd = create_temporary(path, temporary);
    if (fd < 0) return false;
    ::close(fd);
    keep_for_commit(path, temporary);
    return true;
}

Removal unit_remove_with_run(const char* path) {
    if (!path || !*path || !exists_as_name(path)) return Removal::no_file;
    if (!g_units.run_open) {
        if (std::remove(path) == 0) return Removal::removed;
        note_failed_write();
        return Removal::refused;
    }
    // The place beside it where the commit moves it aside: made now, so
    // that a directory the run may not change fails the run before the
    // commit.
    std::string aside;
    const int fd = create_temporary(path, aside);
    if (fd < 0) {
        note_failed_write();
        return Removal::refused;
    }
    ::close(fd);
    keep_for_commit(path, aside, true);
    return Removal::removed;
}

std::FILE* unit_file(int unit) { return valid_unit(unit) ? g_units.units[unit].fp : nullptr; }

void unit_write_failed(int unit) {
    if (valid_unit(unit) && g_units.units[unit].fp) g_units.units[unit].write_failed = true;
}

bool unit_close(int unit) {
    if (!valid_unit(unit) || !g_units.units[unit].fp) return false;
    return finish_unit(unit, true);
}

void unit_close_all() {
    for (int u = 0; u <= kLastUnit; ++u)
        if (g_units.units[u].fp) finish_unit(u, g_units.units[u].target.empty());
    discard_pending();
    g_units.run_open = false;
    begin_file_account();
}

void begin_run_files() {
    remove_replaced_files();
    discard_pending();
    g_units.run_open = true;
    begin_file_account();
}

CommitResult commit_run_files() {
    g_units.run_open = false;
    std::vector<PendingFile> files;
    files.swap(g_units.pending);
    std::vector<CommitStep> steps;
    auto discard = [&files] {
        for (const PendingFile& p : files) ::unlink(p.temporary.c_str());
    };
    if (g_units.failures > 0) {
        discard();
        return CommitResult::nothing_kept;
    }
    // Every file is written whole and closed: the journal of the steps goes
    // first, so that a run killed from here on is finished by the next call.
    std::vector<std::string> journaled;
    if (!commit_steps(files, steps) || !write_journals(steps, journaled)) {
        discard();
        note_failed_write();
        return CommitResult::nothing_kept;
    }
    // The lock file removed, replaced or moved during the run lets a second run
    // take a lock of its own: this run may then no longer be the only one
    // on the project, and keeps nothing. (From here on a second run finds
    // this journal and leaves the project to this commit.)
    if (!project_lock_still_in_place()) {
        remove_journals(journaled);
        discard();
        note_failed_write();
        return CommitResult::lock_lost;
    }
    int renames = 0;
    stop_point(renames);
    // Each old file is moved aside before its new one takes its place, so
    // that every step can be undone: a rename the system refuses (an
    // immutable file, another user's file in a shared directory) puts back
    // every file done before it.
    struct Done {
        const CommitStep* step;
        bool aside;   // the old file moved aside
        bool placed;  // the new file in place
    };
    std::vector<Done> done;
    bool ok = true;
    for (const CommitStep& s : steps) {
        Done d{&s, false, false};
        if (s.kind != CommitStep::Kind::add) {
            d.aside = forward_rename(s.target, s.aside, renames, s.kind == CommitStep::Kind::replace);
            // A file to remove that is gone already needs nothing.
            if (!d.aside && !(s.kind == CommitStep::Kind::remove && errno == ENOENT)) ok = false;
            if (d.aside) stop_point(++renames);
        }
        if (ok && s.kind != CommitStep::Kind::remove) {
            d.placed = forward_rename(s.temporary, s.target, renames);
            if (d.placed) stop_point(++renames);
            else ok = false;
        }
        done.push_back(d);
        if (!ok) break;
    }
    if (ok) {
        // A journal that cannot be removed names only steps done: the next
        // load finds nothing to put in place and removes it.
        remove_journals(journaled);
        for (const CommitStep& s : steps)
            if (s.kind != CommitStep::Kind::add) g_units.replaced.push_back(s.aside);
        return CommitResult::in_place;
    }
    // Undone in reverse, each step by its inverse, so that at every moment
    // the journal still describes what is left to do.
    note_failed_write();
    bool undone = true;
    for (auto d = done.rbegin(); d != done.rend(); ++d) {
        if (d->placed && !rename_file(d->step->target, d->step->temporary)) undone = false;
        if (d->aside && undone && !rename_file(d->step->aside, d->step->target)) undone = false;
        if (!undone) break;
    }
    // Put back whole and the journal gone: nothing of the run is left.
    // Otherwise its journal and its files stay for the next call to finish
    // (the journal first: its files go only once it cannot name them).
    if (!undone || !remove_journals(journaled)) return CommitResult::left_to_journal;
    discard();
    return CommitResult::nothing_kept;
}

void remove_replaced_files() {
    for (const std::string& aside : g_units.replaced) ::unlink(aside.c_str());
    g_units.replaced.clear();
}

void begin_file_account() {
    g_units.failures = 0;
    g_units.frozen = false;
    forget_swept_directories();
}

// Either failure also clears the kernel-status flag, so the scheme's files
// saved after it tell the host the run had errors.
void note_damaged_load() {
    ++g_units.failures;
    g_units.frozen = true;
    NFLAG(51) = false;
}

void note_failed_write() {
    ++g_units.failures;
    NFLAG(51) = false;
}

bool project_files_frozen() { return g_units.frozen; }

int file_failures_of_run() { return g_units.failures; }

}  // namespace mavo
