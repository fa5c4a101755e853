// Runs the reference projects and compares their figures with the table of
// reference results, or writes the table anew.
//
//   mavo-reference [--write] [--only NAME] TABLE UTIL_DIR WEATHER_DIR
//
// Without --write it prints every figure that moved and exits 1 if one
// did. With --write it prints the same, then rewrites TABLE from this
// build's runs, keeping the table's header. The projects are made and run
// in a scratch directory, as a host makes and runs them (reference/), with
// a stand-in zone file for every climate zone WEATHER_DIR lacks.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "every_zone_weather.h"
#include "reference/references.h"
#include "reference/table.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: mavo-reference [--write] [--only NAME] TABLE UTIL_DIR WEATHER_DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace mavo::reference;
    bool write = false;
    std::string only;
    int first = 1;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        if (std::strcmp(argv[first], "--write") == 0) write = true;
        else if (std::strcmp(argv[first], "--only") == 0 && first + 1 < argc) only = argv[++first];
        else return usage();
    }
    if (argc - first != 3 || (write && !only.empty())) return usage();
    const fs::path table_file = argv[first];
    const fs::path util = fs::absolute(argv[first + 1]), weather = fs::absolute(argv[first + 2]);
    Table old;
    if (fs::exists(table_file)) old = read_table(table_file);
    Table fresh{old.header, {}};
    const fs::path work = fs::temp_directory_path() / ("mavo-reference-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    const Directories dirs{util, mavo::host::every_zone_weather(weather, work / "weather")};
    int moved = 0;
    try {
        for (const Reference& r : references()) {
            if (!only.empty() && r.name != only) continue;
            const Results got = run_reference(r, dirs, work / r.name);
            for (const std::string& d : differences(old, got)) {
                std::printf("%s\n", d.c_str());
                ++moved;
            }
            fresh.results.insert(fresh.results.end(), got.begin(), got.end());
        }
    } catch (const std::exception& e) {
        fs::remove_all(work);
        std::fprintf(stderr, "mavo-reference: %s\n", e.what());
        return 1;
    }
    fs::remove_all(work);
    std::printf("%d figures moved\n", moved);
    if (!write) return moved == 0 ? 0 : 1;
    std::ofstream(table_file, std::ios::binary | std::ios::trunc) << table_text(fresh);
    std::printf("wrote %s\n", table_file.string().c_str());
    return 0;
}
