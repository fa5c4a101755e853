// A weather directory in which every climate zone has its zone text file,
// shared by the reference projects and the sweep: the sample weather
// directory holds the files of a few zones only, and a site in any other
// zone meets the fallback to the default location, so that no run would
// read that zone's code-minimum, vintage or glazing tables. The directory
// links every file of the given one and, for each zone it lacks, the zone
// file of a sample zone of a like climate as a stand-in: its weather is
// the other zone's, its tables (which follow the site's zone, not the
// weather) its own.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace mavo::host {

// The sample zones whose weather stands in for zone z (1 to 16), the first
// the directory holds taken: the coast and bay for the northern coastal
// zones, Burbank for the southern coast and inland valleys, Sacramento for
// the Central Valley, Palm Springs for the high desert.
inline std::vector<int> stand_in_sources(int zone) {
    switch (zone) {
        case 2: case 4: case 5: return {3, 1, 12};
        case 6: case 7: case 8: case 10: return {9, 15};
        case 11: case 13: return {12, 16};
        case 14: return {15, 16};
        default: return {};
    }
}

inline std::string zone_file_name(int zone) { return "zone" + std::to_string(zone) + ".txh"; }

// Makes `dir` (emptied first) the directory `weather` with a stand-in zone
// file for every zone it lacks; returns `dir`.
inline std::filesystem::path every_zone_weather(const std::filesystem::path& weather,
                                                const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    const fs::path from = fs::absolute(weather);
    for (const auto& e : fs::directory_iterator(from))
        fs::create_symlink(e.path(), dir / e.path().filename());
    for (int zone = 1; zone <= 16; ++zone) {
        if (fs::exists(dir / zone_file_name(zone))) continue;
        for (const int source : stand_in_sources(zone))
            if (fs::exists(from / zone_file_name(source))) {
                fs::create_symlink(from / zone_file_name(source), dir / zone_file_name(zone));
                break;
            }
    }
    return dir;
}

}  // namespace mavo::host
