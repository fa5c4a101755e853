#include "renewables/developer_dump.h"

#include <string>

#include "blocks/run_control.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"

namespace mavo {
namespace {

constexpr std::string_view kWindowsScratchDirectory = "c:\\temp\\";
constexpr INTEGER kProjectDirectory = 2;

// The file name after the Windows scratch directory, matched without regard
// to case as Windows names are.
std::string_view name_in_scratch_directory(std::string_view windows_path) {
    if (windows_path.size() < kWindowsScratchDirectory.size()) return windows_path;
    for (std::size_t i = 0; i < kWindowsScratchDirectory.size(); ++i) {
        char c = windows_path[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kWindowsScratchDirectory[i]) return windows_path;
    }
    return windows_path.substr(kWindowsScratchDirectory.size());
}

}  // namespace

std::FILE* open_developer_dump(std::string_view windows_path) {
    if (!NFLAG(90)) return nullptr;
    const std::string path = path_in_directory(kProjectDirectory, name_in_scratch_directory(windows_path));
    std::FILE* f = unit_open(kDeveloperDumpUnit, path.c_str(), "w");
    DBG_PRINT((f ? "developer dump: " : "developer dump not written: ") + path);
    return f;
}

}  // namespace mavo
