#include "renewables/developer_dump.h"

#include <filesystem>
#include <system_error>

#include "front/trace.h"

namespace mavo {
namespace {

constexpr std::string_view kWindowsScratchDirectory = "c:\\temp\\";

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

std::string developer_dump_path(std::string_view windows_path) {
    const std::string_view name = name_in_scratch_directory(windows_path);
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec || dir.empty()) {
        DBG_PRINT("developer dump: no temporary directory for");
        DBG_PRINT(windows_path);
        return {};
    }
    const std::string path = (dir / std::filesystem::path(name)).string();
    DBG_PRINT("developer dump: " + path);
    return path;
}

}  // namespace mavo
