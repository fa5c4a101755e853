#include "front/units.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "blocks/run_control.h"

namespace mavo {
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

struct UnitFiles {
    UnitFile units[kLastUnit + 1];
    int failures = 0;     // damaged loads and failed writes of the run
    bool frozen = false;  // a damaged load: no project file is put in place
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

// Permission bits of the new file: those of the file it replaces, or what
// this process gives a file it creates.
mode_t permissions_for(const std::string& target) {
    struct stat st{};
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A hidden temporary file in the directory of `target`, so that the
// rename that puts it in place never crosses a file system.
std::FILE* open_temporary(const std::string& target, const char* mode, std::string& temporary) {
    const fs::path t(target);
    const fs::path dir = t.has_parent_path() ? t.parent_path() : fs::path(".");
    std::string name(1, '.');
    name.append(t.filename().string()).append(".XXXXXX");
    std::string pattern = (dir / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return nullptr;
    std::FILE* f = ::fchmod(fd, permissions_for(target)) == 0 ? ::fdopen(fd, mode) : nullptr;
    if (!f) {
        ::close(fd);
        std::remove(pattern.c_str());
        return nullptr;
    }
    temporary = pattern;
    return f;
}

// Closes the unit. A replacing unit's file goes in place when `put_in_place`
// and nothing failed; otherwise it is removed and the old file stays.
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
    bool placed = false;
    if (ok && put_in_place && !kept_back) placed = std::rename(closed.temporary.c_str(), closed.target.c_str()) == 0;
    if (!placed) std::remove(closed.temporary.c_str());
    // Kept back on purpose (a frozen project, a stopped run) is no new failure.
    if (!placed && put_in_place && !kept_back) note_failed_write();
    return placed;
}

}  // namespace

std::FILE* unit_open(int unit, const char* path, const char* mode) {
    if (!valid_unit(unit)) return nullptr;
    if (g_units.units[unit].fp) unit_close(unit);
    UnitFile& u = g_units.units[unit];
    u.fp = std::fopen(path, mode);
    u.writing = opens_to_write(mode);
    if (!u.fp && u.writing && counts_for_run(unit)) note_failed_write();
    return u.fp;
}

std::FILE* unit_open_replacing(int unit, const char* path, const char* mode, bool project_data) {
    if (!valid_unit(unit)) return nullptr;
    if (g_units.units[unit].fp) unit_close(unit);
    const std::string target = replaced_file(path);
    std::error_code ec;
    // A device or pipe standing for the file is written in place: it cannot
    // be replaced, and must never be.
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec)) return unit_open(unit, path, mode);
    UnitFile& u = g_units.units[unit];
    u.target = target;
    errno = 0;
    u.fp = open_temporary(u.target, mode, u.temporary);
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
    u.writing = true;
    u.project_data = project_data;
    return u.fp;
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
    begin_file_account();
}

void begin_file_account() {
    g_units.failures = 0;
    g_units.frozen = false;
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
