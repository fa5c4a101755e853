#include "front/units.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "blocks/run_control.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".mavotmp-";
constexpr std::size_t kTemporaryTagLength = 6;
constexpr int kTemporaryAttempts = 100;

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
    std::string target;
    std::string temporary;
    bool removal = false;
};

struct UnitFiles {
    UnitFile units[kLastUnit + 1];
    int failures = 0;     // damaged loads and failed writes of the run
    bool frozen = false;  // a damaged load: no project file is put in place
    bool run_open = false;                    // a run: replaced files wait for its commit
    std::vector<PendingFile> pending;         // in the order of their first save
    std::vector<std::string> swept;           // directories cleared of stale temporaries
    unsigned long temporary_count = 0;        // varies the names of temporaries
};
UnitFiles g_units;

bool valid_unit(int unit) { return unit >= 0 && unit <= kLastUnit; }

bool opens_to_write(const char* mode) { return std::strpbrk(mode, "wa+") != nullptr; }

// The trace log and the developer dumps are for diagnosis: a line of them
// that cannot be written is reported by the trace and does not fail the run.
bool counts_for_run(int unit) { return unit != BLK0B.DISKTRACE && unit != kDeveloperDumpUnit; }

// The file a replacing write ends in: the target of a symbolic link, so a
// project file kept elsewhere through a link stays a link.
std::string replaced_file(const char* path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path target = fs::weakly_canonical(path, ec);
        if (!ec) return target.string();
    }
    return path;
}

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
    const PendingFile* p = pending_of(replaced_file(path));
    return p && !p->removal ? p->temporary : std::string();
}

// ---- temporaries -------------------------------------------------------------

bool tag_character(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The process that made a temporary named by this kernel; 0 when the name
// is not one of them.
pid_t maker_of_temporary(std::string_view name) {
    if (name.size() < 2 + kTemporaryMark.size() + 2 + kTemporaryTagLength || name[0] != '.') return 0;
    const std::size_t tag_dash = name.size() - kTemporaryTagLength - 1;
    if (name[tag_dash] != '-') return 0;
    for (std::size_t i = tag_dash + 1; i < name.size(); ++i)
        if (!tag_character(name[i])) return 0;
    const std::size_t mark = name.rfind(kTemporaryMark, tag_dash);
    if (mark == std::string_view::npos || mark < 2) return 0;
    const std::string_view digits = name.substr(mark + kTemporaryMark.size(), tag_dash - mark - kTemporaryMark.size());
    if (digits.empty() || digits.size() > 9) return 0;
    long pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    return static_cast<pid_t>(pid);
}

// Temporaries of processes that no longer exist (a run killed before its
// commit). A live process's are never touched, this process's own least
// of all; a number taken by a new process keeps them until it ends.
void sweep_stale_temporaries(const fs::path& dir) {
    const std::string key = dir.string();
    for (const std::string& d : g_units.swept)
        if (d == key) return;
    g_units.swept.push_back(key);
    DIR* listing = ::opendir(key.c_str());
    if (!listing) return;
    while (const dirent* e = ::readdir(listing)) {
        const pid_t maker = maker_of_temporary(e->d_name);
        if (maker <= 0 || maker == ::getpid()) continue;
        if (::kill(maker, 0) == 0 || errno != ESRCH) continue;
        const std::string path = (dir / e->d_name).string();
        struct stat st{};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
    ::closedir(listing);
}

std::string temporary_tag() {
    constexpr char kChars[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    unsigned long long v =
        static_cast<unsigned long long>(ticks) ^ (static_cast<unsigned long long>(++g_units.temporary_count) << 40);
    std::string tag;
    for (std::size_t i = 0; i < kTemporaryTagLength; ++i) {
        tag.push_back(kChars[v % 62]);
        v /= 62;
    }
    return tag;
}

// A new, empty temporary file in the directory of `target`, so that the
// rename that puts it in place never crosses a file system. It takes the
// permission bits of the file it replaces, or what this process gives a
// file it creates (the mode asked for, less the process's mask).
int create_temporary(const std::string& target, std::string& temporary) {
    const fs::path t(target);
    const fs::path dir = t.has_parent_path() ? t.parent_path() : fs::path(".");
    sweep_stale_temporaries(dir);
    std::string stem(1, '.');
    stem.append(t.filename().string()).append(kTemporaryMark).append(std::to_string(::getpid())).append(1, '-');
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::string path = (dir / (stem + temporary_tag())).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        struct stat st{};
        if (::stat(target.c_str(), &st) == 0 && ::fchmod(fd, st.st_mode & 07777) != 0) {
            const int saved = errno;
            ::close(fd);
            ::unlink(path.c_str());
            errno = saved;
            return -1;
        }
        temporary = path;
        return fd;
    }
    errno = EEXIST;
    return -1;
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
        *p = {target, temporary, removal};
        return;
    }
    g_units.pending.push_back({target, temporary, removal});
}

void discard_pending() {
    for (const PendingFile& p : g_units.pending) ::unlink(p.temporary.c_str());
    g_units.pending.clear();
}

// A device or pipe standing for a file is written in place: it cannot be
// replaced, and must never be. A pipe nobody reads fails the open instead
// of holding the run.
std::FILE* open_in_place(const char* path, const char* mode) {
    const int fd = ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
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

UnitFile& fresh_unit(int unit) {
    if (g_units.units[unit].fp) unit_close(unit);
    return g_units.units[unit];
}

}  // namespace

std::FILE* unit_open(int unit, const char* path, const char* mode) {
    if (!valid_unit(unit)) return nullptr;
    UnitFile& u = fresh_unit(unit);
    const std::string version = run_version_of(path);
    u.fp = std::fopen(version.empty() ? path : version.c_str(), mode);
    u.writing = opens_to_write(mode);
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
    const std::string target = replaced_file(path);
    std::error_code ec;
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec)) {
        u.fp = open_in_place(path, mode);
        u.writing = true;
        if (!u.fp) note_failed_write();
        return u.fp;
    }
    errno = 0;
    std::string temporary;
    u.fp = open_temporary(target, mode, temporary);
    if (!u.fp) {
        u = UnitFile{};
        // A directory the kernel may not write into, holding files it may
        // write: the file is written in place, as nothing else can be done
        // (never while the project is frozen: then the file is not touched).
        const bool no_directory_write = errno == EACCES || errno == EPERM;
        if (no_directory_write && !(project_data && g_units.frozen) && fs::exists(target, ec))
            return unit_open(unit, path, mode);
        note_failed_write();
        return nullptr;
    }
    u.target = target;
    u.temporary = temporary;
    u.writing = true;
    u.project_data = project_data;
    return u.fp;
}

std::FILE* unit_open_dump(int unit, const char* path) {
    if (!valid_unit(unit) || !path || !*path) return nullptr;
    UnitFile& u = fresh_unit(unit);
    // Not through a link, not into a pipe, not into a file with a second
    // name elsewhere: only a plain file of its own, emptied once it is known
    // to be one.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    u.fp = ::fdopen(fd, "w");
    if (!u.fp) ::close(fd);
    u.writing = u.fp != nullptr;
    return u.fp;
}

bool unit_create_empty(const char* path) {
    if (!path || !*path) return false;
    if (exists_as_name(path) || !run_version_of(path).empty()) return true;
    if (!g_units.run_open) {
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        ::close(fd);
        return true;
    }
    std::string temporary;
    const int fd = create_temporary(replaced_file(path), temporary);
    if (fd < 0) return false;
    ::close(fd);
    keep_for_commit(replaced_file(path), temporary);
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
    discard_pending();
    g_units.run_open = true;
    begin_file_account();
}

bool commit_run_files() {
    g_units.run_open = false;
    std::vector<PendingFile> files;
    files.swap(g_units.pending);
    auto discard = [&files] {
        for (const PendingFile& p : files) ::unlink(p.temporary.c_str());
    };
    if (g_units.failures > 0) {
        discard();
        return false;
    }
    // New names first: only a new name may need room in its directory, and
    // a new file that went in place can be taken out again. Then the files
    // the run removes are moved aside, which can be undone too; they are
    // deleted only at the end.
    std::vector<const PendingFile*> added, replacing, removed;
    for (const PendingFile& p : files) {
        if (p.removal) removed.push_back(&p);
        else (exists_as_name(p.target) ? replacing : added).push_back(&p);
    }
    std::vector<const PendingFile*> placed, moved_aside;
    bool ok = true;
    for (const PendingFile* p : added) {
        if (ok && std::rename(p->temporary.c_str(), p->target.c_str()) == 0) placed.push_back(p);
        else ok = false;
    }
    for (const PendingFile* p : removed) {
        if (!ok) break;
        if (std::rename(p->target.c_str(), p->temporary.c_str()) == 0) moved_aside.push_back(p);
        else ok = errno == ENOENT;  // gone already
    }
    if (!ok) {
        for (const PendingFile* p : moved_aside) std::rename(p->temporary.c_str(), p->target.c_str());
        for (const PendingFile* p : placed) ::unlink(p->target.c_str());
        discard();
        note_failed_write();
        return false;
    }
    for (const PendingFile* p : replacing) {
        if (std::rename(p->temporary.c_str(), p->target.c_str()) != 0) {
            ::unlink(p->temporary.c_str());
            ok = false;
        }
    }
    for (const PendingFile* p : removed) ::unlink(p->temporary.c_str());
    if (!ok) note_failed_write();
    return ok;
}

void begin_file_account() {
    g_units.failures = 0;
    g_units.frozen = false;
    g_units.swept.clear();
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
