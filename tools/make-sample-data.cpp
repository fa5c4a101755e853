// Writes the sample directories with the kernel's own writers:
//   util/    master0.dir, sumary0b.dat (new-project defaults), schedule01.dat,
//            scheme0b.dat (the default scheme), strat0b.dat, strat0b.bfr and
//            scheme0b.het (the strategy and the empty results a new project
//            starts from, copied by the host)
//   weather/ zipcodes.sce (the sample sites, sorted by zip code)
//   project/ a new project made from those defaults
//
//   make-sample-data DATA_DIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "project/project.h"
#include "support/fortran_format.h"

namespace fs = std::filesystem;
using namespace mavo;

namespace {

// A sample site: zip code, city, gas and electric rate zones of its utility
// territories, CEC climate zone and latitude.
struct SampleSite {
    int zip;
    const char* city;
    int gas_zone, climate_zone;
    double latitude;
    int electric_zone;
};

// The table holds a line for each climate-zone number 1 to 16 (a project
// may give its location as a zone instead of a zip code), at the zone's
// reference city, then the California stations of the sample weather files.
// Electric rate zones: 1 to 4 the San Diego territory, 10 to 17 southern
// baseline regions, -11 to -20 northern baseline territories, -1 and -2 the
// Sacramento district; gas zones: the territory of the gas baseline tables.
constexpr SampleSite kSites[] = {
    {1, "ARCATA", 2, 1, 40.98, -16},
    {2, "SANTA ROSA", 2, 2, 38.51, -14},
    {3, "OAKLAND", 2, 3, 37.72, -15},
    {4, "SAN JOSE", 2, 4, 37.36, -15},
    {5, "SANTA MARIA", 1, 5, 34.90, -15},
    {6, "TORRANCE", 1, 6, 33.80, 10},
    {7, "SAN DIEGO", 1, 7, 32.73, 1},
    {8, "FULLERTON", 1, 8, 33.87, 10},
    {9, "BURBANK", 1, 9, 34.20, 10},
    {10, "RIVERSIDE", 1, 10, 33.95, 13},
    {11, "RED BLUFF", 3, 11, 40.15, -14},
    {12, "SACRAMENTO", 3, 12, 38.51, -1},
    {13, "FRESNO", 3, 13, 36.78, -13},
    {14, "PALMDALE", 1, 14, 34.63, 14},
    {15, "PALM SPRINGS", 1, 15, 33.83, 15},
    {16, "BLUE CANYON", 3, 16, 39.28, -16},
    {90024, "LOS ANGELES WESTWOOD", 1, 9, 34.07, 10},
    {91505, "BURBANK", 1, 9, 34.20, 10},
    {92243, "EL CENTRO", 1, 15, 32.83, 15},
    {93514, "BISHOP", 1, 16, 37.37, 16},
    {94128, "SAN FRANCISCO AIRPORT", 2, 3, 37.62, -15},
    {95206, "STOCKTON", 3, 12, 37.90, -14},
    {95521, "ARCATA", 2, 1, 40.98, -16},
};

void write_zip_table(const fs::path& weather) {
    std::FILE* f = std::fopen((weather / "zipcodes.sce").c_str(), "w");
    if (!f) throw std::runtime_error("cannot write zipcodes.sce");
    for (const SampleSite& s : kSites) {
        // (I5,3X,6A4,I4,I5,I8,5X,F6.0,I8)
        const std::string line = ffmt::I(s.zip, 5) + "   " + std::string(FString<24>(s.city).view()) +
                                 ffmt::I(s.gas_zone, 4) + ffmt::I(0, 5) + ffmt::I(s.climate_zone, 8) + "     " +
                                 ffmt::F(s.latitude, 6, 2) + ffmt::I(s.electric_zone, 8);
        std::fprintf(f, "%s\n", line.c_str());
    }
    std::fclose(f);
}

// The design parameters a new project starts from in every scheme slot:
// a detached two-story house of 2000 ft2 in Los Angeles. Its first run of
// scheme 1 generates the code-minimum design of that house, its first run
// of scheme 2 the energy-efficient design; the other slots (and the
// back-up columns 10 to 18) simulate what they hold.
void new_project_strategy() {
    constexpr REAL kCodeMinimumDesign = 243.0f;
    constexpr REAL kEfficientDesign = 246.0f;
    for (INTEGER k = 1; k <= 18; ++k) {
        STRATEGY(1, k) = 1.0f;       // electric tariff of the site
        STRATEGY(2, k) = k == 1 ? kCodeMinimumDesign : (k == 2 ? kEfficientDesign : 0.0f);  // command
        STRATEGY(3, k) = 1.0f;       // gas tariff of the site
        STRATEGY(4, k) = 90024.0f;   // zip code
        STRATEGY(6, k) = 1.0f;       // new construction
        STRATEGY(7, k) = 1.0f;       // detached
        STRATEGY(8, k) = 2000.0f;    // conditioned floor area, ft2
        STRATEGY(11, k) = 2013.0f;   // year built
        STRATEGY(12, k) = 50.0f;     // east-west dimension, ft
        STRATEGY(13, k) = 20.0f;     // north-south dimension, ft
        STRATEGY(14, k) = 2.0f;      // stories
        STRATEGY(15, k) = 8.0f;      // floor-to-ceiling height, ft
    }
}

void use_directory(const fs::path& dir) {
    DIRPATHS(2) = dir.string();
    DIRPATHS(1) = dir.string();
    DIRPATHS(4) = dir.string();
    DIRPATHS(5) = dir.string();
    DIRPATHS(3) = dir.string();
}

// The scheme files of slots 1 to 9 are copies of the default scheme's.
void write_project(const fs::path& dir, const fs::path& util) {
    fs::create_directories(dir);
    use_directory(dir);
    IDNUM1 = 1;
    AADISK(6);
    AADISK(1);
    fs::remove(dir / "strategy.txt");
    if (util.empty()) return;
    for (int k = 1; k <= 9; ++k) {
        const std::string slot = std::to_string(k);
        fs::copy_file(util / "scheme0b.dat", dir / ("scheme" + slot + "b.dat"));
        fs::copy_file(util / "scheme0b.het", dir / ("scheme" + slot + "b.het"));
    }
    fs::copy_file(util / "scheme0b.het", dir / "scheme0b.het");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-data DATA_DIR\n");
        return 2;
    }
    try {
        const fs::path data = argv[1];
        const fs::path util = data / "util", weather = data / "weather", project = data / "project";
        fs::create_directories(weather);
        write_zip_table(weather);

        reset_all_blocks();
        READMODE = WRITEMODE = 3;
        OSCODE = 5;
        BLK0B.DISKPROJ = 32;
        BLK0B.DISKKSCHED = 45;
        new_project_strategy();

        // New-project defaults of the utility directory.
        const fs::path scratch = data / ".new-project";
        fs::remove_all(scratch);
        write_project(scratch, {});
        KEEPSCHED();
        BLK0B.DISKKEEP1 = 25;
        BLK0B.DISKKEEP2 = 26;
        // The default scheme sits where the new project's column puts it: in
        // Los Angeles, climate zone 9, with that zone's weather file.
        ZIPCODE = 90024.0f;
        CECZONE = 9;
        SLAT = 34.07f;
        TITLE3 = "LOS ANGELES WESTWOOD";
        NFLAG(37) = true;
        IDNUM1 = 10;  // the default scheme "scheme0"
        KEEP2(1);
        KEEP1();
        fs::create_directories(util);
        fs::rename(scratch / "master.dir", util / "master0.dir");
        fs::rename(scratch / "summaryb.dat", util / "sumary0b.dat");
        fs::rename(scratch / "stratb.dat", util / "strat0b.dat");
        fs::rename(scratch / "stratb.bfr", util / "strat0b.bfr");
        fs::rename(scratch / "schedule1.dat", util / "schedule01.dat");
        fs::rename(scratch / "scheme0b.dat", util / "scheme0b.dat");
        fs::rename(scratch / "scheme0b.het", util / "scheme0b.het");
        fs::remove_all(scratch);

        // The sample project: a new project as the host makes it.
        fs::remove_all(project);
        write_project(project, util);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-data: %s\n", e.what());
        return 1;
    }
    return 0;
}
