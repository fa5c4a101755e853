#include "front/paths.h"

#include <fstream>
#include <iterator>

#include "blocks/run_control.h"
#include "front/trace.h"

namespace mavo {
namespace {

constexpr std::size_t kPathMax = 255;

// The directory texts as the host gave them. The table keeps each entry
// padded with blanks, which would drop the blanks a directory name itself
// ends in (".../proj " is not ".../proj"), and cuts a text longer than an
// entry, which would name another directory. An entry that still holds the
// host's text is taken from here, exactly.
struct HostDirectories {
    std::string text[10];
};
HostDirectories g_host_directories;

// Directory of kind IDIR; an unset entry takes the utility directory of
// entry 4 for good. False for a kind outside 1 to 6. `reachable` is false
// for a host text too long for the kernel's paths.
bool directory_of(INTEGER IDIR, std::string& dir, bool& reachable) {
    const INTEGER2 kind = static_cast<INTEGER2>(IDIR);  // the kind is a 2-byte integer
    if (kind < 1 || kind > 6) return false;
    std::string* given = g_host_directories.text;
    if (DIRPATHS(kind) == "*") {
        DIRPATHS(kind) = DIRPATHS(4);
        given[kind] = given[4];
    }
    // A text the entry had to cut still names the host's directory, which
    // no path of 255 characters reaches.
    reachable = given[kind].size() <= kPathMax ||
                DIRPATHS(kind).view() != std::string_view(given[kind]).substr(0, kPathMax);
    dir = directory_text(kind);
    return true;
}

// directory + SLASH + name (+ suffix). False for a kind outside 1 to 6.
// A path that does not fit 255 characters, or a directory the host gave
// too long for one, is refused rather than cut: a cut path would name
// another file. The path is then blank, which fails to open, and the file's
// owner takes its missing-file road. `quiet`: the trace path itself is not
// traced (the trace would need that path); its open failure goes to
// standard output instead.
bool join_path(INTEGER IDIR, std::string_view NAME, std::string_view suffix, std::string_view who, bool quiet,
               std::string& path) {
    bool reachable = true;
    if (!directory_of(IDIR, path, reachable)) return false;
    if (!reachable) {
        if (!quiet) DBG_ERROR(std::string(who) + ": directory longer than 255 characters");
        path.clear();
        return true;
    }
    path += SLASH[0];
    path += trim_right(NAME);
    path += suffix;
    if (path.size() > kPathMax) {
        if (!quiet) DBG_ERROR(std::string(who) + ": path longer than 255 characters: " + path.substr(0, 120));
        path.clear();
    }
    return true;
}

// The joined path into the target path text, which keeps its value for a
// kind outside 1 to 6.
void build_path_into(FString<255>& target, INTEGER IDIR, std::string_view NAME, std::string_view suffix,
                     std::string_view who) {
    std::string path;
    if (join_path(IDIR, NAME, suffix, who, &target == &DBGPATH, path)) target = path;
}

}  // namespace

void set_directory(INTEGER IDIR, std::string_view text) {
    if (IDIR < 1 || IDIR > 9) return;
    DIRPATHS(IDIR) = text;  // a longer text is cut here, and so marked unreachable
    g_host_directories.text[IDIR] = std::string(text);
}

std::string path_in_directory(INTEGER IDIR, std::string_view NAME) {
    std::string path;
    if (!join_path(IDIR, NAME, "", "path_in_directory", false, path)) return {};
    return path;
}

std::string directory_text(INTEGER IDIR) {
    if (IDIR < 1 || IDIR > 9) return {};
    const std::string& given = g_host_directories.text[IDIR];
    const std::string_view entry = DIRPATHS(IDIR).trimmed();
    if (given.size() <= kPathMax && trim_right(given) == entry) return given;
    return std::string(entry);
}

void DIR_BUILDPATH(INTEGER IDIR, std::string_view NAME) { build_path_into(PATHTOFILE, IDIR, NAME, "", "DIR_BUILDPATH"); }

void DIR_DBGPATH(INTEGER IDIR, std::string_view NAME) {
    const char digit = (IDNUM1 >= 1 && IDNUM1 <= 9) ? static_cast<char>('0' + IDNUM1) : '0';
    const char suffix[] = {digit, '.', 't', 'x', 't'};
    build_path_into(DBGPATH, IDIR, NAME, std::string_view(suffix, 5), "DIR_DBGPATH");
}

REAL DIR_CONCAT_STRING(char* DEST, std::size_t dest_len, std::string_view SRC, INTEGER2 N) {
    std::string work(DEST, dest_len);
    work.resize(kPathMax, ' ');
    std::size_t len = trim_right(work).size();
    for (INTEGER2 i = 0; i < N && len < kPathMax; ++i, ++len)
        work[len] = static_cast<std::size_t>(i) < SRC.size() ? SRC[static_cast<std::size_t>(i)] : ' ';
    for (std::size_t i = 0; i < dest_len; ++i) DEST[i] = i < work.size() ? work[i] : ' ';
    return static_cast<REAL>(trim_right(std::string_view(DEST, dest_len)).size());
}

REAL DIR_FINDATA(REAL) { return 1.0f; }

std::string built_path() { return std::string(PATHTOFILE.trimmed()); }

void dir_init_project_from(const std::vector<std::string>& entries) {
    if (entries.size() < 5) return;
    for (std::size_t i = 4; i < entries.size(); ++i) {
        const std::string& e = entries[i];
        if (e == "-t") {
            NFLAG(90) = true;
            DBG_PRINT("NFLAG(90) is TRUE");
        } else if (e == "-ru") {
            READMODE = 1;
        } else if (e == "-rb") {
            READMODE = 3;
        } else if (e == "-rf") {
            READMODE = 2;
        } else if (e == "-wu") {
            WRITEMODE = 1;
        } else if (e == "-wb") {
            WRITEMODE = 3;
        } else if (e == "-wf") {
            WRITEMODE = 2;
        }
    }
}

void DIR_INIT_PROJECT() {
    // The command line of this process, entries separated by NUL bytes.
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> entries;
    std::string current;
    for (char ch : all) {
        if (ch == '\0') {
            entries.push_back(current);
            current.clear();
        } else {
            current.push_back(ch);
        }
    }
    if (!current.empty()) entries.push_back(current);
    dir_init_project_from(entries);
}

}  // namespace mavo
