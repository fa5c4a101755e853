#include "front/temporaries.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include <ctime>
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
// The journal's head line names its format's version. Version 2 (this
// kernel's) ends every step with the inode numbers of its files. Version 1
// bore the same head with and without them: the kernel before this one
// wrote them, and its journals are finished as version 2's are; one without
// them is an older kernel's, whose files this kernel cannot tell from
// others bearing their names.
constexpr std::string_view kJournalHeadWords = "mavo commit journal ";
constexpr int kJournalVersion = 2;
constexpr int kJournalVersionWithoutFiles = 1;
constexpr std::string_view kJournalEnd = "end";
// A journal lists a run's files, a line of some 80 bytes each: a few
// kilobytes at most. Anything longer is no journal of this kernel.
constexpr off_t kJournalLimit = 64 * 1024;

// The files a run puts in place in its project directory: the scheme
// directory, the summary, strategy and schedule files, each scheme's
// input, results and reports (as the project's readers and writers name
// them). A journal step onto any other name, the project's lock and the
// journal itself above all, is none of this kernel's.
constexpr std::string_view kProjectFileNames[] = {
    "master.dir",   "strategy.txt", "summary.dat", "summaryf.dat", "summaryb.dat",
    "strategy.dat", "stratf.dat",   "stratb.dat",  "stratf.bfr",   "stratb.bfr",
};
constexpr std::string_view kSchemeFileEnds[] = {".dat", "f.dat", "b.dat", ".het", "f.het", "b.het", "f.bfr",
                                                "b.bfr", ".txt", ".TXT",  ".xml", ".csv",  ".cclink", ".prn"};
constexpr std::string_view kScheduleFileEnds[] = {".dat"};
// The only files a run removes: a scheme's stale compliance export, its
// document and its import notes.
constexpr std::string_view kRemovedSchemeFileEnds[] = {".xml", ".txt"};

// What the temporaries of this process keep between two of them.
struct TemporaryState {
    std::vector<std::string> swept;    // directories cleared of stale temporaries in this run
    unsigned long count = 0;           // varies the names of temporaries
    std::vector<std::string> journal_report;  // why the last stopped commit was not finished, for the trace
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

// The file a temporary made by this kernel is for, as its name carries it:
// ".<file>.mavotmp-<process>-<tag>". Empty for any other name.
std::string_view file_of_temporary(std::string_view name) {
    if (maker_of_temporary(name) <= 0) return {};
    const std::size_t mark = name.rfind(kTemporaryMark, name.size() - kTemporaryTagLength - 1);
    return name.substr(1, mark - 1);
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

// `stem`, one digit, then one of `ends`: a file of a numbered scheme.
template <std::size_t N>
bool numbered_file(std::string_view name, std::string_view stem, const std::string_view (&ends)[N]) {
    if (name.size() < stem.size() + 2 || name.substr(0, stem.size()) != stem) return false;
    const char digit = name[stem.size()];
    if (digit < '0' || digit > '9') return false;
    const std::string_view end = name.substr(stem.size() + 1);
    for (std::string_view e : ends)
        if (end == e) return true;
    return false;
}

bool name_a_run_writes(std::string_view name) {
    for (std::string_view n : kProjectFileNames)
        if (name == n) return true;
    return numbered_file(name, "scheme", kSchemeFileEnds) || numbered_file(name, "schedule", kScheduleFileEnds);
}

bool name_a_run_removes(std::string_view name) { return numbered_file(name, "scheme", kRemovedSchemeFileEnds); }

// A step the next call may carry out: its places are this kernel's
// temporaries of its target, all of one process, and its target a name a
// run writes (or, for a removal, removes).
bool step_of_this_kernel(CommitStep::Kind kind, std::string_view temporary, std::string_view aside,
                         std::string_view target) {
    switch (kind) {
        case CommitStep::Kind::add: return name_a_run_writes(target) && temporary_of(temporary, target);
        case CommitStep::Kind::replace:
            return name_a_run_writes(target) && temporary_of(temporary, target) && temporary_of(aside, target) &&
                   temporary != aside && maker_of_temporary(temporary) == maker_of_temporary(aside);
        case CommitStep::Kind::remove: return name_a_run_removes(target) && temporary_of(aside, target);
    }
    return false;
}

// The process whose commit wrote these steps: every place of a journal
// bears its number. 0 when they bear more than one (no journal of ours).
pid_t maker_of_steps(const std::vector<CommitStep>& steps) {
    pid_t maker = 0;
    for (const CommitStep& s : steps)
        for (const std::string* place : {&s.temporary, &s.aside}) {
            if (place->empty()) continue;
            const pid_t p = maker_of_temporary(*place);
            if (maker != 0 && p != maker) return 0;
            maker = p;
        }
    return maker;
}

std::string journal_path(const std::string& directory) { return (fs::path(directory) / kCommitJournalName).string(); }

// The journal, read whole: a regular file of its own (no link is
// followed, no pipe waited on) no longer than a journal can be. False for
// anything else.
bool read_journal(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st{};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kJournalLimit;
    if (ok) {
        // One byte more than the limit shows a journal that grew meanwhile.
        text.resize(static_cast<std::size_t>(kJournalLimit) + 1);
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                ok = false;
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
        ok = ok && got <= static_cast<std::size_t>(kJournalLimit);
    }
    ::close(fd);
    return ok;
}

// The inode numbers of a step's files, as its journal line ends: the new
// file, the place aside, the old file, each where the step has it.
std::string step_files_text(const CommitStep& s) {
    std::string text;
    for (const ino_t file : {s.temporary_file, s.aside_file, s.old_file}) {
        if (!text.empty()) text += ' ';
        text += std::to_string(static_cast<unsigned long long>(file));
    }
    return text;
}

bool parse_step_files(std::string_view text, CommitStep& s) {
    ino_t* files[] = {&s.temporary_file, &s.aside_file, &s.old_file};
    for (ino_t* file : files) {
        unsigned long long v = 0;
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 20)
            v = v * 10 + static_cast<unsigned long long>(text[digits++] - '0');
        if (digits == 0) return false;
        *file = static_cast<ino_t>(v);
        text.remove_prefix(digits);
        if (file != files[2]) {
            if (text.empty() || text[0] != ' ') return false;
            text.remove_prefix(1);
        }
    }
    return text.empty();
}

// What a journal's text holds: whole, of its version, or why not.
enum class JournalText { whole, older_version, newer_version, damaged, foreign_step };

// The version a head line names; 0 when it names none.
int journal_version(std::string_view head) {
    if (head.substr(0, kJournalHeadWords.size()) != kJournalHeadWords) return 0;
    const std::string_view digits = head.substr(kJournalHeadWords.size());
    if (digits.empty() || digits.size() > 4) return 0;
    int version = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        version = version * 10 + (c - '0');
    }
    return version;
}

// The steps of a journal: one line each between a head line and an end
// line, "rename" (a new name), "replace" or "remove", its temporaries
// separated by a space, a TAB, the target, then (version 2) a TAB and the
// inode numbers of its files. Anything else is damaged: a journal that is
// not whole, a line of no step. A step this kernel never journals, or
// places of more than one process, make a journal of another kind. The
// steps read so far are kept, so that a journal left for the user can be
// described.
JournalText parse_journal(std::string_view text, std::vector<CommitStep>& steps, int& version) {
    version = 0;
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        if (eol == std::string_view::npos) return JournalText::damaged;
        lines.push_back(text.substr(0, eol));
        text.remove_prefix(eol + 1);
    }
    if (lines.empty()) return JournalText::damaged;
    version = journal_version(lines.front());
    if (version > kJournalVersion) return JournalText::newer_version;
    if (version < kJournalVersionWithoutFiles || lines.size() < 2 || lines.back() != kJournalEnd)
        return JournalText::damaged;
    std::size_t steps_with_files = 0;
    bool foreign = false;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t space = line.find(' '), tab = line.find('\t');
        if (space == std::string_view::npos || tab == std::string_view::npos || tab < space)
            return JournalText::damaged;
        const std::string_view kind_word = line.substr(0, space);
        std::string_view places = line.substr(space + 1, tab - space - 1);
        const std::size_t second_tab = line.find('\t', tab + 1);
        const std::string_view target = line.substr(tab + 1, second_tab == std::string_view::npos
                                                                  ? std::string_view::npos
                                                                  : second_tab - tab - 1);
        CommitStep step;
        if (second_tab != std::string_view::npos) {
            if (!parse_step_files(line.substr(second_tab + 1), step)) return JournalText::damaged;
            ++steps_with_files;
        }
        if (kind_word == "rename") {
            step.kind = CommitStep::Kind::add;
            step.temporary = places;
        } else if (kind_word == "replace") {
            const std::size_t second = places.find(' ');
            if (second == std::string_view::npos) return JournalText::damaged;
            step.kind = CommitStep::Kind::replace;
            step.temporary = places.substr(0, second);
            step.aside = places.substr(second + 1);
        } else if (kind_word == "remove") {
            step.kind = CommitStep::Kind::remove;
            step.aside = places;
        } else {
            return JournalText::damaged;
        }
        step.target = target;
        if (!step_of_this_kernel(step.kind, step.temporary, step.aside, step.target)) foreign = true;
        steps.push_back(std::move(step));
    }
    // Every step with its files, or (version 1 only) none.
    if (steps_with_files != steps.size()) {
        if (version != kJournalVersionWithoutFiles || steps_with_files != 0) return JournalText::damaged;
        return JournalText::older_version;
    }
    if (foreign || (!steps.empty() && maker_of_steps(steps) <= 0)) return JournalText::foreign_step;
    return JournalText::whole;
}

bool parse_journal(std::string_view text, std::vector<CommitStep>& steps) {
    int version = 0;
    return parse_journal(text, steps, version) == JournalText::whole;
}

// The temporaries a journal of `directory` still needs; false when the
// directory holds a journal that cannot be read.
bool journal_temporaries(const std::string& directory, std::set<std::string>& names) {
    const std::string path = journal_path(directory);
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0) return true;
    std::string text;
    std::vector<CommitStep> steps;
    if (!read_journal(path, text) || !parse_journal(text, steps)) return false;
    for (const CommitStep& s : steps) {
        if (!s.temporary.empty()) names.insert(s.temporary);
        if (!s.aside.empty()) names.insert(s.aside);
    }
    return true;
}

// Temporaries of processes that no longer exist (a run killed before its
// commit). A live process's are never touched, this process's own least
// of all; a number taken by a new process keeps them until it ends. Those
// a commit journal names are the files of a stopped commit: the next call
// puts them in place. A journal that cannot be read may name any of them,
// so none is touched while it lies there. Nor is one whose project file is
// missing: it may hold that file's only copy (the new file or the old one
// of a commit stopped between moving the old file aside and putting the
// new one in place, whose journal was lost).
void sweep_stale_temporaries(const fs::path& dir) {
    const std::string key = dir.string();
    for (const std::string& d : g_temporaries.swept)
        if (d == key) return;
    g_temporaries.swept.push_back(key);
    std::set<std::string> journaled;
    if (!journal_temporaries(key, journaled)) return;
    DIR* listing = ::opendir(key.c_str());
    if (!listing) return;
    while (const dirent* e = ::readdir(listing)) {
        const pid_t maker = maker_of_temporary(e->d_name);
        if (maker <= 0 || maker == ::getpid() || journaled.count(e->d_name) > 0) continue;
        if (::kill(maker, 0) == 0 || errno != ESRCH) continue;
        const std::string_view file = file_of_temporary(e->d_name);
        struct stat st{};
        if (name_a_run_writes(file) && ::lstat((dir / std::string(file)).c_str(), &st) != 0 && errno == ENOENT) continue;
        const std::string path = (dir / e->d_name).string();
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

// The inode number of the regular file at `path`: 0 when there is no such
// name, false when it cannot be told or is no regular file.
bool file_at(const std::string& path, ino_t& file) {
    struct stat st{};
    file = 0;
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    file = st.st_ino;
    return S_ISREG(st.st_mode);
}

// The inode number of whatever bears the name `path` (a link the run
// replaces, say); 0 when nothing does.
ino_t name_at(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Where a stopped commit left one step's files: the file at each name,
// each either absent or one the journal recorded for that name (a file
// made since, even one bearing a temporary's name, is none of the step's).
struct StepFiles {
    ino_t temporary = 0, aside = 0, target = 0;
};
bool step_files(const fs::path& dir, const CommitStep& s, StepFiles& at) {
    if (!s.temporary.empty() &&
        (!file_at((dir / s.temporary).string(), at.temporary) || (at.temporary != 0 && at.temporary != s.temporary_file)))
        return false;
    if (!s.aside.empty() && (!file_at((dir / s.aside).string(), at.aside) ||
                             (at.aside != 0 && at.aside != s.aside_file && at.aside != s.old_file)))
        return false;
    at.target = name_at((dir / s.target).string());
    return true;
}

// One step of a stopped commit, done unless it was done before the stop:
// the new file goes in place if it is still waiting, and the old one,
// whether still in its place or moved aside, goes.
bool complete_step(const fs::path& dir, const CommitStep& s, const StepFiles& at, std::vector<std::string>& done) {
    const std::string target = (dir / s.target).string();
    if (s.kind == CommitStep::Kind::remove) {
        // Its place beside it was made before the commit began: without it
        // the step was done to the end. The empty place still there: the
        // old file was not moved aside yet, and goes from its own name.
        if (at.aside == 0) return true;
        if (at.aside == s.aside_file && at.target == s.old_file) {
            if (!remove_name(target)) return false;
            done.push_back(s.target + " (removed)");
        }
        return remove_name((dir / s.aside).string());
    }
    if (at.temporary != 0) {
        if (std::rename((dir / s.temporary).string().c_str(), target.c_str()) != 0) return false;
        done.push_back(s.target);
    }
    return s.kind != CommitStep::Kind::replace || at.aside == 0 || remove_name((dir / s.aside).string());
}

// When a process started, in seconds since the epoch (from /proc: its
// start in clock ticks after the boot, and the boot time); false where it
// cannot be told.
bool process_start_time(pid_t pid, double& started) {
    std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (!f) return false;
    char text[1024] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    const std::string_view line(text, n);
    // The command name in parentheses may hold anything: count the fields
    // after its closing one (state is the 3rd field, the start the 22nd).
    std::size_t at = line.rfind(')');
    if (at == std::string_view::npos) return false;
    for (int field = 2; field < 22 && at != std::string_view::npos; ++field) at = line.find(' ', at + 1);
    if (at == std::string_view::npos) return false;
    const unsigned long long ticks = std::strtoull(text + at + 1, nullptr, 10);
    std::FILE* boot = std::fopen("/proc/stat", "r");
    if (!boot) return false;
    unsigned long long boot_time = 0;
    char word[64];
    while (std::fscanf(boot, "%63s", word) == 1)
        if (std::string_view(word) == "btime" && std::fscanf(boot, "%llu", &boot_time) == 1) break;
    std::fclose(boot);
    const long ticks_per_second = ::sysconf(_SC_CLK_TCK);
    if (boot_time == 0 || ticks_per_second <= 0) return false;
    started = static_cast<double>(boot_time) + static_cast<double>(ticks) / static_cast<double>(ticks_per_second);
    return true;
}

// A commit still going on in a live process (the lock file removed under
// it, so the lock let this run in): its maker still runs, started before
// the journal was written (a process number taken since by another process
// is not the maker), and the journal is younger than any stopped commit
// left behind. The age is the one the file system keeps of the journal's
// last change, which no user sets (a modification time set into the
// future would hold the project for as long); a clock set back counts as
// little time passed, so the wait stays bounded either way.
constexpr int kCommitInProgressSeconds = 60;
constexpr double kProcessStartSlackSeconds = 2.0;  // the boot time is kept in whole seconds
bool commit_in_progress(const std::string& journal, pid_t maker, std::vector<std::string>* why) {
    if (maker <= 0 || maker == ::getpid()) return false;
    if (::kill(maker, 0) != 0 && errno == ESRCH) return false;
    struct stat st{};
    if (::lstat(journal.c_str(), &st) != 0) return false;
    const double age_s = std::difftime(::time(nullptr), st.st_ctime);
    if (age_s >= kCommitInProgressSeconds || age_s <= -kCommitInProgressSeconds) return false;
    double started = 0.0;
    if (process_start_time(maker, started) &&
        started > static_cast<double>(st.st_ctime) + kProcessStartSlackSeconds)
        return false;
    if (why)
        *why = {"KERNEL: the call was refused: another run (process " + std::to_string(maker) +
                    ") is putting its files in place in this project (its journal " + std::string(kCommitJournalName) +
                    ", written " + std::to_string(static_cast<long>(std::max(0.0, age_s))) + " s ago);",
                "nothing of the project was read or written: call again once that run has ended (within " +
                    std::to_string(kCommitInProgressSeconds) + " s of its journal, the call finishes its commit)"};
    return true;
}

}  // namespace

std::string temporary_name(const std::string& target) {
    const fs::path t(target);
    const fs::path dir = t.has_parent_path() ? t.parent_path() : fs::path(".");
    std::string name(1, '.');
    name.append(t.filename().string()).append(kTemporaryMark).append(std::to_string(::getpid())).append(1, '-');
    return (dir / name.append(temporary_tag())).string();
}

int create_temporary(const std::string& target, std::string& temporary) {
    const fs::path t(target);
    sweep_stale_temporaries(t.has_parent_path() ? t.parent_path() : fs::path("."));
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::string path = temporary_name(target);
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
    std::string text(kJournalHeadWords);
    text.append(std::to_string(kJournalVersion)).append(1, '\n');
    for (const CommitStep* s : steps) {
        const std::string temporary = fs::path(s->temporary).filename().string();
        const std::string aside = fs::path(s->aside).filename().string();
        const std::string target = fs::path(s->target).filename().string();
        if (!step_of_this_kernel(s->kind, temporary, aside, target)) return false;
        CommitStep files;
        // A file replaced is moved aside onto a name nothing bears yet; a file
        // removed, onto the empty place made for it.
        if ((!temporary.empty() && (!file_at(s->temporary, files.temporary_file) || files.temporary_file == 0)) ||
            (!aside.empty() && !file_at(s->aside, files.aside_file)) ||
            ((s->kind == CommitStep::Kind::remove) != (files.aside_file != 0)) ||
            (s->kind == CommitStep::Kind::replace && (files.old_file = name_at(s->target)) == 0))
            return false;
        if (s->kind == CommitStep::Kind::remove) files.old_file = name_at(s->target);
        switch (s->kind) {
            case CommitStep::Kind::add: text.append("rename ").append(temporary); break;
            case CommitStep::Kind::replace: text.append("replace ").append(temporary).append(1, ' ').append(aside); break;
            case CommitStep::Kind::remove: text.append("remove ").append(aside); break;
        }
        text.append(1, '\t').append(target).append(1, '\t').append(step_files_text(files)).append(1, '\n');
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

bool remove_commit_journal(const std::string& directory) { return remove_name(journal_path(directory)); }

bool commit_going_on(const std::string& directory) {
    const std::string path = journal_path(directory);
    std::string text;
    std::vector<CommitStep> steps;
    g_temporaries.journal_report.clear();
    return exists_as_name(path) && read_journal(path, text) && parse_journal(text, steps) &&
           commit_in_progress(path, maker_of_steps(steps), &g_temporaries.journal_report);
}

namespace {

// Why a journal cannot be finished, in the user's words.
std::string journal_fault(JournalText kind, int version) {
    switch (kind) {
        case JournalText::older_version:
            return "it is of version 1, written by an older kernel without the inode numbers of its files, so this "
                   "kernel cannot tell them from other files that bear their names";
        case JournalText::newer_version:
            return "it is of version " + std::to_string(version) + ", newer than this kernel's (" +
                   std::to_string(kJournalVersion) + "): the kernel that wrote it can finish it";
        case JournalText::foreign_step:
            return "it holds a step this kernel never makes (onto a name no run writes, or with files of another "
                   "journal)";
        case JournalText::damaged:
        case JournalText::whole: break;
    }
    return "it is damaged: its lines are not those of a whole journal (version " + std::to_string(kJournalVersion) +
           ", a head line, one line per step, an end line)";
}

// Where one step of a journal left its files, told from the names in the
// directory alone (a journal the kernel cannot finish may lack the inode
// numbers of its files): the project file, then its new file and its old
// file, each where it lies.
std::string step_state(const fs::path& dir, const CommitStep& st) {
    const bool target = exists_as_name((dir / st.target).string());
    const bool waiting = !st.temporary.empty() && exists_as_name((dir / st.temporary).string());
    const bool aside = !st.aside.empty() && exists_as_name((dir / st.aside).string());
    const std::string head = "KERNEL:   " + st.target + ": ";
    switch (st.kind) {
        case CommitStep::Kind::add:
            if (waiting) return head + "a new name, its new file waits in " + st.temporary;
            return head + (target ? "a new name, its new file is in place" : "a new name, its new file is gone");
        case CommitStep::Kind::replace:
            if (waiting && aside)
                return head + "its old file lies aside in " + st.aside + ", its new file waits in " + st.temporary;
            if (waiting) return head + "not replaced, its new file waits in " + st.temporary;
            return head + "its new file is in place, " +
                   (aside ? "its old file lies aside in " + st.aside : std::string("its old file is deleted"));
        case CommitStep::Kind::remove:
            // The place aside is made empty before the commit; the old file
            // is moved onto it, leaving its own name.
            if (target) return head + "not removed" + (aside ? ", " + st.aside + " is the empty place made for it" : "");
            return head + (aside ? "removed, its old file lies aside in " + st.aside : "removed, its old file is deleted");
    }
    return head;
}

// One temporary of the directory, as the account of a journal that names
// no file lists it.
struct TemporaryPresent {
    std::string name, file;  // the temporary, the project file its name carries
    off_t size_bytes = 0;
    struct timespec modified{};
};

bool modified_before(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

std::string time_text(const struct timespec& t) {
    std::tm local{};
    const std::time_t s = t.tv_sec;
    char text[64] = {};
    if (!::localtime_r(&s, &local) || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0) return "?";
    char nanoseconds[16];
    std::snprintf(nanoseconds, sizeof nanoseconds, ".%09ld", static_cast<long>(t.tv_nsec));
    return std::string(text) + nanoseconds;
}

// The account of a journal that names no file this kernel can read (empty,
// cut short, damaged, of a newer version): the temporaries present are
// its files, each the stopped run's new file of the project file its name
// carries or the old file the run moved aside. Without the journal only
// their times tell which: a new file was written by the run, after every
// old file. Where the project file is missing, a temporary holds its only
// copy, and the one written last is the run's new file (the commit moves
// the old file aside just before it puts the new one in its place): moving
// it there loses nothing. A project file that is there is whole, the old
// one or the run's; its temporaries may go.
std::vector<std::string> temporaries_report(const fs::path& dir) {
    const std::string journal(kCommitJournalName);
    std::vector<TemporaryPresent> present;
    if (DIR* listing = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(listing)) {
            const std::string_view file = file_of_temporary(e->d_name);
            struct stat st{};
            if (file.empty() || ::lstat((dir / e->d_name).c_str(), &st) != 0) continue;
            present.push_back({e->d_name, std::string(file), st.st_size, st.st_mtim});
        }
        ::closedir(listing);
    }
    std::sort(present.begin(), present.end(), [](const TemporaryPresent& a, const TemporaryPresent& b) {
        return a.file != b.file ? a.file < b.file : a.name < b.name;
    });
    if (present.empty())
        return {"KERNEL: it names no file this kernel can read, and no temporary (name with .mavotmp-) is present: "
                "every project file is whole; removing " + journal + " is all"};
    std::vector<std::string> lines = {
        "KERNEL: it names no file this kernel can read; its files are the temporaries present (names with "
        ".mavotmp-), each by the project file its name carries:"};
    std::vector<std::string> moves;
    for (std::size_t i = 0; i < present.size();) {
        const std::string& file = present[i].file;
        const bool missing = !exists_as_name((dir / file).string());
        std::size_t newest = i, end = i;
        for (; end < present.size() && present[end].file == file; ++end) {
            if (modified_before(present[newest].modified, present[end].modified)) newest = end;
            lines.push_back("KERNEL:   " + file + (missing ? " (missing): " : ": ") + present[end].name + ", " +
                            std::to_string(static_cast<long long>(present[end].size_bytes)) + " bytes, modified " +
                            time_text(present[end].modified));
        }
        if (missing)
            moves.push_back("KERNEL: move " + present[newest].name + " onto " + file +
                            (end - i == 1 ? " (its only temporary)"
                                          : " (of its " + std::to_string(end - i) +
                                                " temporaries the one modified last: the stopped run's new file)"));
        i = end;
    }
    lines.push_back("KERNEL: each holds the stopped run's new file of its project file or the old file the run moved "
                    "aside; a missing project file's temporary may be its only copy: remove nothing before these moves");
    lines.insert(lines.end(), moves.begin(), moves.end());
    lines.push_back("KERNEL: then remove " + journal +
                    ": every project file is whole (the run's new file or the last whole commit's); the other "
                    "temporaries may be removed, or kept to compare");
    lines.push_back("KERNEL: (a call removes a temporary of a process that has ended only where its project file is "
                    "there)");
    return lines;
}

// The trace's account of a journal left for the user: why, the files it
// names and where each stands, and how to get the project back. Going back
// to the last whole commit is exact in every state a commit or its undoing
// can stop in: an old file moved aside goes back before any place the
// journal names is removed. An old file deleted means every rename was
// done (old files go only after), so then the run's files are kept.
std::vector<std::string> journal_left_report(const std::string& why, const fs::path& dir,
                                             const std::vector<CommitStep>& steps) {
    const std::string journal(kCommitJournalName);
    std::vector<std::string> lines = {
        "KERNEL: the project holds the journal " + journal +
            " of a run stopped while putting its files in place, which this kernel cannot finish; nothing was run",
        "KERNEL: " + why,
        "KERNEL: every call is refused the same way until the journal is gone;" +
            std::string(steps.empty() ? "" : " the files it names:")};
    if (steps.empty()) {
        const std::vector<std::string> files = temporaries_report(dir);
        lines.insert(lines.end(), files.begin(), files.end());
        return lines;
    }
    for (const CommitStep& st : steps) lines.push_back(step_state(dir, st));
    lines.push_back("KERNEL: to get the project back as the last whole commit left it: move each old file that lies "
                    "aside back onto its project file, remove each new name whose new file is in place,");
    lines.push_back("KERNEL: then remove " + journal +
                    " and the .mavotmp- files it names that are still there (with no old file aside and no new file "
                    "in place, that alone);");
    lines.push_back("KERNEL: where an old file is deleted, every new file is in place: removing " + journal +
                    " and the .mavotmp- files it names keeps the run's files instead");
    return lines;
}

}  // namespace

const std::vector<std::string>& stopped_commit_report() { return g_temporaries.journal_report; }

// Every rename not yet done is done, every old file replaced or removed is
// gone, then the journal goes. A journal that is not a regular file of its
// own, is not whole, is of another version, holds a step this kernel never
// journals or names a file that is not the one it recorded is left with the
// files for the user, and nothing is changed; the report says why and what
// the user can do. A journal whose commit is still going on is left to it.
StoppedCommit complete_stopped_commit(const std::string& directory, std::vector<std::string>& files_put_in_place) {
    files_put_in_place.clear();
    g_temporaries.journal_report.clear();
    const std::string path = journal_path(directory);
    if (!exists_as_name(path)) return StoppedCommit::none;
    const fs::path dir(directory);
    std::string text;
    std::vector<CommitStep> steps;
    if (!read_journal(path, text)) {
        g_temporaries.journal_report = journal_left_report(
            "it is not a journal of this kernel (not a regular file of its own, longer than any run's, or "
            "unreadable)",
            dir, steps);
        return StoppedCommit::failed;
    }
    int version = 0;
    const JournalText kind = parse_journal(text, steps, version);
    if (kind != JournalText::whole) {
        // A damaged journal's lines read so far are not all of its files.
        if (kind == JournalText::damaged) steps.clear();
        g_temporaries.journal_report = journal_left_report(journal_fault(kind, version), dir, steps);
        return StoppedCommit::failed;
    }
    if (commit_in_progress(path, maker_of_steps(steps), &g_temporaries.journal_report)) return StoppedCommit::in_progress;
    std::vector<StepFiles> at(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (!step_files(dir, steps[i], at[i])) {
            g_temporaries.journal_report = journal_left_report(
                "a file it names is not the one it recorded (" + steps[i].target + ")", dir, steps);
            return StoppedCommit::failed;
        }
    bool ok = true;
    for (std::size_t i = 0; i < steps.size(); ++i) ok = complete_step(dir, steps[i], at[i], files_put_in_place) && ok;
    if (!ok || !remove_name(path)) {
        g_temporaries.journal_report = journal_left_report(
            std::string("a step of it could not be carried out, or the journal could not be removed: ") +
                std::strerror(errno),
            dir, steps);
        return StoppedCommit::failed;
    }
    return StoppedCommit::completed;
}

}  // namespace mavo
