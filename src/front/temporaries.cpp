#include "front/temporaries.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "front/units.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".mavotmp-";
constexpr std::size_t kTemporaryTagLength = 6;
constexpr int kTemporaryAttempts = 100;
constexpr std::string_view kJournalHead = "mavo commit journal 1";
constexpr std::string_view kJournalEnd = "end";

// What the temporaries of this process keep between two of them.
struct TemporaryState {
    std::vector<std::string> swept;    // directories cleared of stale temporaries in this run
    unsigned long count = 0;           // varies the names of temporaries
};
TemporaryState g_temporaries;

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

// A bare file name of the directory: nothing a journal names may lead
// elsewhere.
bool bare_name(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\t\n") == std::string_view::npos;
}

// `temporary` is a temporary this kernel made for `target`.
bool temporary_of(std::string_view temporary, std::string_view target) {
    return bare_name(target) && maker_of_temporary(temporary) > 0 && temporary.size() > target.size() + 1 &&
           temporary.substr(1, target.size()) == target &&
           temporary.substr(1 + target.size(), kTemporaryMark.size()) == kTemporaryMark;
}

std::string journal_path(const std::string& directory) { return (fs::path(directory) / kCommitJournalName).string(); }

bool read_whole_file(const std::string& path, std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

// The steps of a journal: one line each, "rename" or "remove", the
// temporary and the target separated by a TAB, between a head line and an
// end line. False for anything else: a journal that is not whole, or one
// that names a file that is no temporary of its target.
bool parse_journal(std::string_view text, std::vector<CommitStep>& steps) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        if (eol == std::string_view::npos) return false;
        lines.push_back(text.substr(0, eol));
        text.remove_prefix(eol + 1);
    }
    if (lines.size() < 2 || lines.front() != kJournalHead || lines.back() != kJournalEnd) return false;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t space = line.find(' '), tab = line.find('\t');
        if (space == std::string_view::npos || tab == std::string_view::npos || tab < space) return false;
        const std::string_view kind = line.substr(0, space);
        const std::string_view temporary = line.substr(space + 1, tab - space - 1);
        const std::string_view target = line.substr(tab + 1);
        if ((kind != "rename" && kind != "remove") || !temporary_of(temporary, target)) return false;
        steps.push_back({std::string(temporary), std::string(target), kind == "remove"});
    }
    return true;
}

// The temporaries a journal of `directory` still needs.
std::set<std::string> journal_temporaries(const std::string& directory) {
    std::set<std::string> names;
    std::string text;
    std::vector<CommitStep> steps;
    if (read_whole_file(journal_path(directory), text) && parse_journal(text, steps))
        for (const CommitStep& s : steps) names.insert(s.temporary);
    return names;
}

// Temporaries of processes that no longer exist (a run killed before its
// commit). A live process's are never touched, this process's own least
// of all; a number taken by a new process keeps them until it ends. Those
// a commit journal names are the new files of a stopped commit: the next
// load puts them in place.
void sweep_stale_temporaries(const fs::path& dir) {
    const std::string key = dir.string();
    for (const std::string& d : g_temporaries.swept)
        if (d == key) return;
    g_temporaries.swept.push_back(key);
    DIR* listing = ::opendir(key.c_str());
    if (!listing) return;
    const std::set<std::string> journaled = journal_temporaries(key);
    while (const dirent* e = ::readdir(listing)) {
        const pid_t maker = maker_of_temporary(e->d_name);
        if (maker <= 0 || maker == ::getpid() || journaled.count(e->d_name) > 0) continue;
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
        static_cast<unsigned long long>(ticks) ^ (static_cast<unsigned long long>(++g_temporaries.count) << 40);
    std::string tag;
    for (std::size_t i = 0; i < kTemporaryTagLength; ++i) {
        tag.push_back(kChars[v % 62]);
        v /= 62;
    }
    return tag;
}

bool exists_as_name(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

bool remove_name(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

// One step of a stopped commit, done unless it was done before the stop.
bool complete_step(const fs::path& dir, const CommitStep& s, int& files_done) {
    const std::string temporary = (dir / s.temporary).string(), target = (dir / s.target).string();
    if (s.removal) {
        // Not yet moved aside: the file the run removed is still there.
        if (exists_as_name(target)) {
            if (!remove_name(target)) return false;
            ++files_done;
        }
        return remove_name(temporary);
    }
    struct stat st{};
    if (::lstat(temporary.c_str(), &st) != 0) return errno == ENOENT;  // renamed before the stop
    if (!S_ISREG(st.st_mode) || std::rename(temporary.c_str(), target.c_str()) != 0) return false;
    ++files_done;
    return true;
}

}  // namespace

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
        // The bits of a regular file only: a link's are not the file's own.
        struct stat st{};
        if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::fchmod(fd, st.st_mode & 07777) != 0) {
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

void forget_swept_directories() { g_temporaries.swept.clear(); }

bool write_commit_journal(const std::string& directory, const std::vector<const CommitStep*>& steps) {
    std::string text(kJournalHead);
    text += '\n';
    for (const CommitStep* s : steps) {
        const std::string temporary = fs::path(s->temporary).filename().string();
        const std::string target = fs::path(s->target).filename().string();
        if (!temporary_of(temporary, target)) return false;
        text.append(s->removal ? "remove " : "rename ").append(temporary).append(1, '\t').append(target).append(1, '\n');
    }
    text.append(kJournalEnd).append(1, '\n');
    const std::string path = journal_path(directory);
    std::string temporary;
    const int fd = create_temporary(path, temporary);
    if (fd < 0) return false;
    // Written whole before it is put in place, so a journal is whole or
    // absent. It guards against a killed process, whose writes the system
    // keeps, as the temporaries it names are: neither is forced to the disk
    // (a power cut is not what it is for, and a sync would cost every run
    // more than its simulation).
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

void remove_commit_journal(const std::string& directory) { ::unlink(journal_path(directory).c_str()); }

// Every rename not yet done is done, every file removed is gone, then the
// journal goes. A journal that is not whole, or names files that are no
// temporaries of their targets, is left with the files for the user.
StoppedCommit complete_stopped_commit(const std::string& directory, int& files_put_in_place) {
    files_put_in_place = 0;
    const std::string path = journal_path(directory);
    if (!exists_as_name(path)) return StoppedCommit::none;
    std::string text;
    std::vector<CommitStep> steps;
    if (!read_whole_file(path, text) || !parse_journal(text, steps)) return StoppedCommit::failed;
    const fs::path dir(directory);
    bool ok = true;
    for (const CommitStep& s : steps) ok = complete_step(dir, s, files_put_in_place) && ok;
    if (!ok || !remove_name(path)) return StoppedCommit::failed;
    return StoppedCommit::completed;
}

}  // namespace mavo
