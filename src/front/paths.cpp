#include "front/paths.h"

#include <fstream>
#include <iterator>

#include "blocks/run_control.h"
#include "front/trace.h"

namespace mavo {
namespace {

constexpr std::size_t kPathMax = 255;

// Directory of kind IDIR; an unset entry takes the utility directory of
// entry 4 for good. False for a kind outside 1 to 6.
bool directory_of(INTEGER IDIR, std::string_view& dir) {
    const INTEGER2 kind = static_cast<INTEGER2>(IDIR);  // the kind is a 2-byte integer
    if (kind < 1 || kind > 6) return false;
    if (DIRPATHS(kind) == "*") DIRPATHS(kind) = DIRPATHS(4);
    dir = DIRPATHS(kind).trimmed();
    return true;
}

// A path that does not fit 255 characters is refused rather than cut: a cut
// path would name another file. The blank path then fails to open, and the
// file's owner takes its missing-file road.
// The trace path itself is not traced (the trace would need that path): its
// open failure goes to standard output instead.
void store_path(FString<255>& target, const std::string& path, std::string_view who) {
    if (path.size() > kPathMax) {
        if (&target != &DBGPATH)
            DBG_ERROR(std::string(who) + ": path longer than 255 characters: " + path.substr(0, 120));
        target = "";
        return;
    }
    target = path;
}

// directory + SLASH + name (+ suffix) into the target path text.
void build_path_into(FString<255>& target, INTEGER IDIR, std::string_view NAME, std::string_view suffix,
                     std::string_view who) {
    std::string_view dir;
    if (!directory_of(IDIR, dir)) return;
    std::string path(dir);
    path += SLASH[0];
    path += trim_right(NAME);
    path += suffix;
    store_path(target, path, who);
}

}  // namespace

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
