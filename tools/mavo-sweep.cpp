// A sweep over the inputs a host sets, checking the promises a run makes:
// the same inputs give the same design and the same bills whatever ran
// before, and a run either saves whole files or leaves the project as it
// was.
//
//   mavo-sweep [--seed N] [--cases K] [--jobs J] [--case M] WORK_DIR UTIL_DIR WEATHER_DIR
//
// Case M of seed N is made from (N, M) alone by a generator of this file, so
// `--case M` with the same seed replays exactly that case. Every case runs
// in a child forked from this process, which never runs the kernel: a
// child starts with the kernel's blocks as a fresh process has them. Up to
// J children run at once; a child that does not end within its time is
// killed and its case reported as hanging.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "blocks/blocks.h"
#include "host_edit.h"
#include "mavokernel.h"
#include "project/project.h"

namespace fs = std::filesystem;
using namespace mavo;

namespace {

// ---------------------------------------------------------------------------
// Numbers from the seed: splitmix64, the same on every platform and library.

struct Random {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi, both included.
    int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <class T>
    const T& pick(const std::vector<T>& v) {
        return v[next() % v.size()];
    }
};

Random case_random(std::uint64_t seed, std::uint64_t number) {
    Random r{seed * 0xD1B54A32D192ED03ull ^ (number + 1) * 0x9E3779B97F4A7C15ull};
    r.next();
    return r;
}

// ---------------------------------------------------------------------------
// What the sweep draws from: the directories' sites and the building types.

struct Site {
    enum Kind { kWeatherFile, kZipCode, kZoneNumber } kind = kZoneNumber;
    std::string name;  // the weather file's name or the number as text
    REAL number = 0.0f;
    bool zone_file = false;  // a zone number whose zone file the weather directory holds
};

struct Inputs {
    fs::path work, util, weather;
    std::vector<std::string> weather_files;
    std::vector<REAL> zip_codes;     // the table's five-digit codes
    std::vector<REAL> zone_numbers;  // the table's climate-zone rows
    std::vector<INTEGER> loaded_types, unloaded_types;
};

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Inputs survey(const fs::path& work, const fs::path& util, const fs::path& weather) {
    Inputs in{work, util, weather, {}, {}, {}, {}, {}};
    for (const auto& e : fs::directory_iterator(weather)) {
        const std::string n = e.path().filename().string();
        if (n.size() > 4 && n.substr(n.size() - 4) == ".epw" && n.size() <= 12) in.weather_files.push_back(n);
    }
    std::sort(in.weather_files.begin(), in.weather_files.end());
    std::istringstream table(read_file(weather / "zipcodes.sce"));
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        long code = 0;
        if (!(fields >> code) || code <= 0) continue;
        (code <= 99 ? in.zone_numbers : in.zip_codes).push_back(static_cast<REAL>(code));
    }
    // The built-in load table says which types a non-residential scheme
    // may take (its initial values: read, never run).
    for (INTEGER type = 1; type <= 20; ++type) {
        bool loads = false;
        for (INTEGER row = 1; row <= 14; ++row) loads = loads || DVALUENR(row, type) != 0.0f;
        (loads ? in.loaded_types : in.unloaded_types).push_back(type);
    }
    return in;
}

Site draw_site(Random& r, const Inputs& in, bool zone_numbers_too) {
    Site s;
    const int kind = r.between(0, zone_numbers_too ? 2 : 1);
    if (kind == 0 && !in.weather_files.empty()) {
        s.kind = Site::kWeatherFile;
        s.name = r.pick(in.weather_files);
        s.number = -1.0f;
    } else if (kind <= 1 && !in.zip_codes.empty()) {
        s.kind = Site::kZipCode;
        s.number = r.pick(in.zip_codes);
    } else {
        s.kind = Site::kZoneNumber;
        s.number = in.zone_numbers.empty() ? static_cast<REAL>(r.between(1, 16)) : r.pick(in.zone_numbers);
    }
    if (s.kind != Site::kWeatherFile) s.name = std::to_string(static_cast<long>(s.number));
    s.zone_file = s.kind == Site::kZoneNumber && fs::exists(in.weather / ("zone" + s.name + ".txh"));
    return s;
}

std::string describe(const Site& s) {
    switch (s.kind) {
        case Site::kWeatherFile: return s.name;
        case Site::kZipCode: return "zip " + s.name;
        default: return "zone " + s.name + (s.zone_file ? "" : " (no zone file)");
    }
}

// ---------------------------------------------------------------------------
// A case: the project a host describes and what it does with it.

struct Case {
    std::uint64_t seed = 0, number = 0;
    bool nonresidential = false;
    INTEGER type = 0;
    Site site, moved_to;
    std::vector<std::pair<int, REAL>> rows;  // designer's rows of schemes 1 and 2
    // The copy into a library slot and its runs there.
    int copy_from = 1, slot = 3;
    INTEGER water_heater = 1;
    REAL photovoltaic_kw = 0.0f;  // -1 to -8: the basic screen's size
    REAL modules = 0.0f;          // or the advanced screen's module count
    bool solar_ready = false;     // or a solar-ready roof (row 50 = -150)
    REAL solar_water = 0.0f;      // row 41: 0 none, 1 or more sized by rule, below 0 the user's count
    INTEGER month = 1, day = 1;   // first day of the twelve-day runs
    // A house made another building for a while.
    INTEGER other_type = 0;
    bool other_designed = false;
    int library_steps = 0;  // random library commands after the designs
};

REAL row_of(const Case& c, int row) {
    for (const auto& [r, v] : c.rows)
        if (r == row) return v;
    return 0.0f;
}

// Codes the text gives each row a designer sets, and a few outside them.
struct RowCodes {
    int row;
    std::vector<REAL> codes, outside;
};

const std::vector<RowCodes>& residential_rows() {
    static const std::vector<RowCodes> rows = {
        {7, {0, 1, 2, 3, 4, 5}, {6, -1}},            // attachment
        {9, {0, 1, 2, 3}, {4, 7}},                  // shared walls
        {10, {0, 1, 2, 3, 4}, {9}},                 // floor and roof
        {18, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 12}},  // heating
        {20, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 11}},  // cooling
        {24, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 10}},  // infiltration class
        {25, {1, 5, 6, 7, 10, 11}, {0, 3}},          // venting, whole-house fan
        {28, {1, 2, 3}, {0, 5}},                     // air velocity
        {29, {0, 1, 2, 10, 11, 21}, {-2}},           // natural ventilation
        {30, {0, 1, 2, 3, 4}, {8}},                  // insulation level
        {31, {0, 1, 2, 3, 4, 5}, {9}},               // walls
        {32, {-1, 0, 1, 2, 3, 4, 5, 6}, {9}},        // roof
        {33, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {13}},  // floor
        {34, {0, 1, 2, 3, 4, 5, 6}, {8}},            // attached garage
        {35, {0, 1, 2, 3, 4, 5, 6}, {8}},            // radiant barrier
        {36, {0, 1, 2}, {5}},                        // shades
        {49, {0, 1, 2}, {4}},                        // under floor
    };
    return rows;
}

const std::vector<RowCodes>& nonresidential_rows() {
    static const std::vector<RowCodes> rows = {
        {7, {0, 1, 2, 3}, {6}},
        {10, {0, 1, 2, 3, 4}, {9}},
        {18, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}},
        {20, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}},
        {25, {1, 5, 6, 7, 10, 11}, {3}},
    };
    return rows;
}

Case make_case(const Inputs& in, std::uint64_t seed, std::uint64_t number) {
    Random r = case_random(seed, number);
    Case c;
    c.seed = seed;
    c.number = number;
    c.nonresidential = r.chance(40) && !in.loaded_types.empty();
    if (c.nonresidential)
        c.type = (r.chance(3) && !in.unloaded_types.empty()) ? r.pick(in.unloaded_types) : r.pick(in.loaded_types);
    c.site = draw_site(r, in, true);
    c.moved_to = draw_site(r, in, false);
    const int kinds = r.between(1, 100);
    const REAL new_or_existing = kinds <= 50 ? 1.0f : kinds <= 75 ? 2.0f : kinds <= 97 ? 3.0f : 0.0f;
    c.rows.push_back({6, new_or_existing});
    c.rows.push_back({11, static_cast<REAL>(r.chance(5) ? 0 : r.between(1900, 2030))});
    if (c.nonresidential) {
        c.rows.push_back({8, static_cast<REAL>(r.between(10, 5000) * 100)});
        c.rows.push_back({14, static_cast<REAL>(r.chance(70) ? r.between(1, 4) : r.between(5, 40))});
    } else {
        c.rows.push_back({8, static_cast<REAL>(r.between(30, 2000) * 10)});
        c.rows.push_back({14, static_cast<REAL>(r.between(1, 4))});
    }
    c.rows.push_back({16, static_cast<REAL>(r.between(0, 7) * 45 + (r.chance(30) ? r.between(1, 44) : 0))});
    for (const RowCodes& rc : c.nonresidential ? nonresidential_rows() : residential_rows()) {
        if (r.chance(30)) continue;  // left as the new project holds it
        c.rows.push_back({rc.row, r.chance(5) ? r.pick(rc.outside) : r.pick(rc.codes)});
    }
    c.copy_from = r.chance(70) ? 1 : 2;
    c.slot = r.between(3, 9);
    c.water_heater = r.pick(std::vector<INTEGER>{1, 2, 3, 4, 5, 6, 7, -1});
    const int pv = r.between(1, 100);
    if (pv <= 30) {  // the basic screen's size
        c.photovoltaic_kw = -static_cast<REAL>(r.between(1, 8));
    } else if (pv <= 45) {  // the advanced screen's module count
        c.modules = static_cast<REAL>(r.between(4, 40));
    } else if (pv <= 60) {  // a solar-ready roof, which the rule may size
        c.solar_ready = true;
    }
    const int sdhw = r.between(1, 100);
    c.solar_water = sdhw <= 25 ? 1.0f : sdhw <= 40 ? -static_cast<REAL>(r.between(1, 4)) : sdhw <= 42 ? 0.5f : 0.0f;
    c.month = r.between(1, 12);
    c.day = r.between(1, 31);
    if (r.chance(5)) {  // a leap day the weather year may lack
        c.month = 2;
        c.day = 29;
    }
    c.library_steps = r.chance(60) ? r.between(3, 12) : 0;
    if (!c.nonresidential && !in.loaded_types.empty()) {
        c.other_type = r.pick(in.loaded_types);
        c.other_designed = r.chance(50);
    }
    return c;
}

std::string describe(const Case& c) {
    std::ostringstream o;
    o << (c.nonresidential ? "non-residential type " + std::to_string(c.type) : std::string("residential"));
    const REAL kind = row_of(c, 6);
    o << ", " << (kind == 1.0f ? "new" : kind == 2.0f ? "remodel" : kind == 3.0f ? "addition" : "row 6 = 0");
    o << ", site " << describe(c.site) << ", rows";
    for (const auto& [row, v] : c.rows) o << ' ' << row << '=' << v;
    o << "; copy of scheme " << c.copy_from << " in slot " << c.slot << " with water heater " << c.water_heater
      << ", photovoltaic " << (c.modules > 0.0f ? std::to_string(static_cast<int>(c.modules)) + " modules"
                               : c.solar_ready ? std::string("solar-ready roof")
                                               : std::to_string(static_cast<int>(c.photovoltaic_kw)) + " kW")
      << ", solar water (row 41) " << c.solar_water << ", twelve days from "
      << c.month << '/' << c.day << "; moved to " << describe(c.moved_to);
    if (c.other_type > 0)
        o << "; made type " << c.other_type << (c.other_designed ? " (designed)" : " (run)") << " and back";
    if (c.library_steps > 0) o << "; " << c.library_steps << " library commands";
    return o.str();
}

// ---------------------------------------------------------------------------
// The host's side, in a child: edits between runs, the runs, what they left.

// Every file of the project directory but its lock, by name.
using Files = std::map<std::string, std::string>;

Files project_files(const fs::path& dir) {
    Files files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().filename() != ".mavolock")
            files[e.path().filename().string()] = read_file(e.path());
    return files;
}

void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// FNV-1a over every file's name and bytes: two runs that leave the same
// files have the same digest.
std::uint64_t digest(const Files& files) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    auto add = [&](const std::string& bytes) {
        for (const char ch : bytes) h = (h ^ static_cast<unsigned char>(ch)) * 0x100000001B3ull;
        h = (h ^ 0xFF) * 0x100000001B3ull;
    };
    for (const auto& [name, bytes] : files) {
        add(name);
        add(bytes);
    }
    return h;
}

// The host's own memory: every edit starts from fresh blocks, so that what
// a host writes never depends on what the kernel left in this process.
void host_directories(const Inputs& in, const fs::path& project) {
    reset_all_blocks();
    host::use_directories(project.string(), in.util.string(), in.weather.string());
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKKEEP2 = 26;
}

// Rewrites the input file and parameter column of scheme `slot`.
void edit_scheme(const Inputs& in, const fs::path& project, INTEGER slot, const std::function<void()>& edit) {
    host_directories(in, project);
    host::edit_loaded_scheme(slot, edit);
}

// Selects scheme `slot` and stores its command and second scheme.
void select_scheme(const Inputs& in, const fs::path& project, INTEGER slot, REAL command, INTEGER second) {
    host_directories(in, project);
    IDNUM1 = slot;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = slot;
    INTEGER serving = slot;
    while (serving >= 10) serving /= 10;
    STRATEGY(2, serving) = command;
    IDNUM2 = second;
    AADISK(6);
    AADISK(1);
}

// Flag 81 of the binary input file, "the user changed the location": a
// save clears it, so the host sets it in the file after its edit.
constexpr std::size_t kLocationChangedByte = 5582 + 81 - 51;

void set_location_changed(const fs::path& project, INTEGER slot) {
    const fs::path f = project / ("scheme" + std::to_string(slot) + "b.dat");
    std::string bytes = read_file(f);
    if (bytes.size() > kLocationChangedByte) {
        bytes[kLocationChangedByte] = 1;
        write_file(f, bytes);
    }
}

// A site as the host stores it: a weather file by its name and a negative
// zip code, a zip code or zone number with no weather file named.
void place(const Site& s, INTEGER slot) {
    STRATEGY(4, slot) = s.number;
    CLIMATEFILENAME = s.kind == Site::kWeatherFile ? s.name.c_str() : "";
}

void copy_schedule(const Inputs& in, const fs::path& project, INTEGER slot) {
    fs::copy_file(in.util / "schedule01.dat", project / ("schedule" + std::to_string(slot) + ".dat"),
                  fs::copy_options::overwrite_existing);
}

// A new project whose two design slots describe the case at `site`.
void new_project(const Inputs& in, const fs::path& dir, const Case& c, const Site& site) {
    fs::remove_all(dir);
    host::new_project_files(dir, in.util);
    for (const INTEGER slot : {1, 2}) {
        edit_scheme(in, dir, slot, [&] {
            for (const auto& [row, v] : c.rows) STRATEGY(row, slot) = v;
            place(site, slot);
            if (c.nonresidential) {
                NFLAG(24) = true;
                NTYPE = c.type;
            }
        });
        set_location_changed(dir, slot);
    }
}

// ---------------------------------------------------------------------------
// Runs and their comparison.

struct Run {
    int rc = 0;
    INTEGER column = 0;
    std::vector<REAL> rows;    // summary rows 1 to 80 of the scheme run
    std::vector<REAL> params;  // its parameter column, the command left out
    Files files;
    bool refused = false;  // flag 91: the library command was refused
};

struct Checker {
    const Inputs& in;
    const Case& c;
    int fd;  // the pipe to the parent
    long runs = 0;
    std::vector<std::string> broken;
    std::map<std::string, bool> seen;

    void say(const std::string& line) const {
        const std::string l = line + "\n";
        if (write(fd, l.data(), l.size()) < 0) _exit(3);
    }
    // One line per broken invariant; later breaks of the same one add
    // nothing.
    void fail(const std::string& invariant, const std::string& detail) {
        if (seen[invariant]) return;
        seen[invariant] = true;
        broken.push_back(invariant + ": " + detail);
        say("FAIL " + invariant + ": " + detail);
    }

    static std::size_t expected_size(const Inputs& in, const std::string& name) {
        static std::map<std::string, std::size_t> sizes;
        auto size_of = [&](const char* util_name) {
            auto it = sizes.find(util_name);
            if (it != sizes.end()) return it->second;
            return sizes[util_name] = static_cast<std::size_t>(fs::file_size(in.util / util_name));
        };
        if (name == "summaryb.dat") return size_of("sumary0b.dat");
        if (name == "stratb.dat" || name == "stratb.bfr") return size_of("strat0b.dat");
        if (name == "master.dir") return size_of("master0.dir");
        if (name.size() == 11 && name.rfind("scheme", 0) == 0 && name.substr(7) == "b.dat")
            return size_of("scheme0b.dat");
        if (name.size() == 11 && name.rfind("scheme", 0) == 0 && name.substr(7) == "b.het")
            return size_of("scheme0b.het");
        return 0;
    }

    // One call of the kernel as the host makes it, with the checks every
    // call owes: 0 with whole files, or 1 with every file as it was.
    Run run(const fs::path& project, INTEGER slot, REAL command, const std::string& step, INTEGER second = 0,
            const std::string& name = "") {
        select_scheme(in, project, slot, command, second);
        if (!name.empty()) {
            // The host writes the bytes of the exported block.
            void* buffer = &BLK27A;
            std::memset(buffer, ' ', sizeof BLK27A);
            std::memcpy(buffer, name.data(), std::min(name.size(), sizeof BLK27A));
        }
        say("STEP " + step);
        const Files before = project_files(project);
        const std::string p = project.string(), u = in.util.string(), w = in.weather.string();
        Run r;
        r.rc = MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
        ++runs;
        r.column = slot;
        r.refused = NFLAG(91);
        r.files = project_files(project);
        say("DIGEST " + std::to_string(digest(r.files)) + " " + step);
        if (r.rc == 1 && r.files != before) {
            for (const auto& [n, bytes] : r.files)
                if (!before.count(n) || before.at(n) != bytes) {
                    fail("a refused run changes nothing", step + " returned 1 and changed " + n);
                    break;
                }
        } else if (r.rc != 0 && r.rc != 1) {
            fail("a run returns 0 or 1", step + " returned " + std::to_string(r.rc));
        } else if (r.rc == 0) {
            for (const auto& [n, bytes] : r.files) {
                const std::size_t want = expected_size(in, n);
                if (want != 0 && bytes.size() != want) {
                    fail("a run saves whole files",
                         step + ": " + n + " has " + std::to_string(bytes.size()) + " bytes, not " +
                             std::to_string(want));
                    break;
                }
            }
            for (const auto& [n, bytes] : before)
                if (!r.files.count(n) && n.find(".xml") == std::string::npos && n.find(".txt") == std::string::npos) {
                    fail("a run saves whole files", step + ": " + n + " is gone");
                    break;
                }
        }
        for (INTEGER row = 1; row <= 80; ++row) r.rows.push_back(SUMARY(row, slot >= 10 ? 10 : slot));
        INTEGER serving = slot;
        while (serving >= 10) serving /= 10;
        for (INTEGER row = 1; row <= 310; ++row) r.params.push_back(row == 2 ? 0.0f : STRATEGY(row, serving));
        std::ostringstream o;
        o << "RAN return " << r.rc << ", days " << r.rows[47] << ", electricity " << r.rows[24] << " kWh, fuel "
          << r.rows[65] << " therms, cost $" << r.rows[36] << (r.refused ? ", library command refused" : "");
        say(o.str());
        return r;
    }

    // A site given as a climate zone whose zone file the weather directory
    // lacks: the run that meets it simulates nothing, returns 0 and saves
    // the default location (90024) as the site of schemes 1 and 2; from the
    // next run on the project is one at the default location. Does that
    // run, checks it, and leaves the project ready for the case's runs.
    void settle_missing_zone(const fs::path& project, const Site& site, INTEGER slot, REAL command) {
        if (site.kind != Site::kZoneNumber || site.zone_file) return;
        const Run r = run(project, slot, command, "run meeting the missing zone file of " + describe(site));
        const std::string invariant = "a zone site without its zone file falls back once, to the default location";
        if (r.rc != 0) return;  // a building the kernel refuses: checked as every refused run is
        if (r.rows[47] != 0.0f) return fail(invariant, "it simulated days");
        for (const INTEGER s : {1, 2})
            if (STRATEGY(4, s) != 90024.0f)
                return fail(invariant, "the site of scheme " + std::to_string(s) + " is " + std::to_string(STRATEGY(4, s)));
    }

    // The first summary row two runs disagree in, beyond 1e-4 relative and
    // 1e-3 absolute.
    static std::optional<std::string> rows_differ(const Run& a, const Run& b) {
        for (std::size_t i = 0; i < a.rows.size() && i < b.rows.size(); ++i) {
            const double x = a.rows[i], y = b.rows[i];
            if (std::fabs(x - y) > 1e-4 * std::max(std::fabs(x), std::fabs(y)) + 1e-3 || std::isnan(x) != std::isnan(y)) {
                std::ostringstream o;
                o.precision(9);
                o << "summary row " << i + 1 << ": " << x << " against " << y;
                return o.str();
            }
        }
        return std::nullopt;
    }

    // Rows 44 to 46 hold the last run's net costs: compared as results.
    static std::optional<std::string> params_differ(const Run& a, const Run& b) {
        for (std::size_t i = 0; i < a.params.size(); ++i) {
            const double x = a.params[i], y = b.params[i];
            const bool cost = i + 1 >= 44 && i + 1 <= 46;
            if (cost ? std::fabs(x - y) > 1e-4 * std::max(std::fabs(x), std::fabs(y)) + 1e-3 : x != y) {
                std::ostringstream o;
                o.precision(9);
                o << "parameter row " << i + 1 << ": " << x << " against " << y;
                return o.str();
            }
        }
        return std::nullopt;
    }

    // Where two versions of a file first differ: the line of a text, the
    // byte of a binary file.
    static std::string first_difference(const std::string& name, const std::string& a, const std::string& b) {
        std::size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
        const bool text = name.find(".csv") != std::string::npos || name.find(".txt") != std::string::npos ||
                          name.find(".xml") != std::string::npos || name.find(".cclink") != std::string::npos;
        if (!text) return name + " differs at byte " + std::to_string(at);
        const std::size_t line = static_cast<std::size_t>(std::count(a.begin(), a.begin() + at, '\n')) + 1;
        auto line_at = [&](const std::string& s) {
            const std::size_t from = s.rfind('\n', at == 0 ? 0 : at - 1);
            const std::size_t start = (from == std::string::npos || at == 0) ? 0 : from + 1;
            const std::size_t end = s.find('\n', start);
            return s.substr(start, std::min<std::size_t>(end == std::string::npos ? s.size() - start : end - start, 160));
        };
        return name + " line " + std::to_string(line) + ": \"" + line_at(a) + "\" against \"" + line_at(b) + "\"";
    }

    static std::optional<std::string> files_differ(const Files& a, const Files& b,
                                                   const std::function<bool(const std::string&)>& which) {
        for (const auto& [n, bytes] : a) {
            if (!which(n)) continue;
            if (!b.count(n)) return n + " missing";
            if (bytes != b.at(n)) return first_difference(n, bytes, b.at(n));
        }
        for (const auto& [n, bytes] : b)
            if (which(n) && !a.count(n)) return n + " missing in the first";
        return std::nullopt;
    }

    // Design or run `a` and `b` give one scheme: its 80 rows, and unless
    // only the results are compared its saved input file and its parameter
    // column.
    void same_scheme(const std::string& invariant, const Run& a, const Run& b, bool saved_too = true) {
        if (a.rc != b.rc) return fail(invariant, "returned " + std::to_string(a.rc) + " and " + std::to_string(b.rc));
        if (auto d = rows_differ(a, b)) return fail(invariant, *d);
        const std::string input = "scheme" + std::to_string(a.column) + "b.dat";
        if (!saved_too) return;
        if (auto d = files_differ(a.files, b.files, [&](const std::string& n) { return n == input; }))
            return fail(invariant, *d);
        if (auto d = params_differ(a, b)) return fail(invariant, *d);
    }

    // After the first run of an edited scheme the back-up columns hold the
    // column as the host wrote it, after the second as the first run saved
    // it: `first_after_edit` leaves them out.
    void same_files(const std::string& invariant, const Files& a, const Files& b, bool first_after_edit = false) {
        if (auto d = files_differ(a, b, [&](const std::string& n) { return !(first_after_edit && n == "stratb.bfr"); }))
            fail(invariant, *d);
    }
};

// ---------------------------------------------------------------------------
// Random sequences of library commands on the designed project.

// What the project's files say of the library: names and combination lines.
struct Library {
    std::vector<INTEGER> named;             // named slots
    std::vector<INTEGER> lines;             // combination numbers held by lines
    std::vector<std::vector<REAL>> column;  // summary columns 1 to 18, rows 1 to 80
    std::vector<INTEGER> line_number;       // by line 1 to 9: its combination, 0 free
};

Library library_of(const Inputs& in, const fs::path& project) {
    host_directories(in, project);
    AADISK(-1);
    Library l;
    for (INTEGER k = 1; k <= 9; ++k) {
        if (!SCHEMENAME(k).trimmed().empty()) l.named.push_back(k);
        l.line_number.push_back(NCOMBO(k));
        if (NCOMBO(k) > 0) l.lines.push_back(NCOMBO(k));
    }
    for (INTEGER col = 1; col <= 18; ++col) {
        l.column.emplace_back();
        for (INTEGER row = 1; row <= 80; ++row) l.column.back().push_back(SUMARY(row, col));
    }
    return l;
}

// Rows of a combination line that are its members' rows added up: areas,
// heat loss and conduction, and energy by use.
constexpr int kSummedRows[] = {1, 2, 3, 4, 5, 8, 10, 21, 22, 23, 24, 25, 66, 70};

std::optional<std::string> line_not_summed(const Library& l) {
    for (std::size_t line = 0; line < l.line_number.size(); ++line) {
        INTEGER number = l.line_number[line];
        if (number <= 0) continue;
        const std::vector<REAL>& col = l.column[9 + line];
        bool empty = true;
        for (int row = 2; row <= 80; ++row) empty = empty && col[row - 1] == 0.0f;
        if (empty) continue;  // a line whose members no longer add up shows nothing
        std::vector<INTEGER> members;
        for (; number > 0; number /= 10) members.push_back(number % 10);
        for (const int row : kSummedRows) {
            double sum = 0.0;
            for (const INTEGER m : members)
                if (m >= 1 && m <= 9) sum += l.column[m - 1][row - 1];
            const double x = col[row - 1];
            if (std::fabs(x - sum) > 1e-4 * std::max(std::fabs(x), std::fabs(sum)) + 1e-2) {
                std::ostringstream o;
                o.precision(9);
                o << "line " << line + 1 << " (" << l.line_number[line] << ") row " << row << ": " << x
                  << " against its members' " << sum;
                return o.str();
            }
        }
    }
    return std::nullopt;
}

// The files with the words a refusal may change set to 0: the command
// words of the strategy file and its back-up columns (row 2 of each of the
// nine columns), and in the summary file the operand, which the library
// may have taken before it refused, and flag 17 ("recalculate"), which
// the library's exit sets.
constexpr std::size_t kSummaryOperandByte = 16, kSummaryFlag17Byte = 72 + 17 - 1;

Files without_commands(Files files) {
    if (auto it = files.find("summaryb.dat"); it != files.end() && it->second.size() > kSummaryFlag17Byte) {
        it->second.replace(kSummaryOperandByte, 4, 4, '\0');
        it->second[kSummaryFlag17Byte] = '\0';
    }
    for (const char* name : {"stratb.dat", "stratb.bfr"}) {
        auto it = files.find(name);
        if (it == files.end()) continue;
        for (std::size_t column = 0; column < 9; ++column) {
            const std::size_t at = 12 + 4 * (column * 200 + 1);
            if (at + 4 <= it->second.size()) it->second.replace(at, 4, 4, '\0');
        }
    }
    return files;
}

const char* const kMonthWords[] = {"JAN ", "FEB ", "MAR ", "APR ", "MAY ", "JUN ",
                                   "JUL ", "AUG ", "SEP ", "OCT ", "NOV ", "DEC "};

void library_sequence(Checker& k, const fs::path& p, const fs::path& side, Random r, int steps) {
    // The designer names the efficient design and the copy first, so that
    // the library has schemes to combine.
    for (const INTEGER slot : {2, k.c.slot}) {
        const std::string name = "Named scheme " + std::to_string(slot);
        k.run(p, 1, 208.0f, "library: scheme 1 command 208 target " + std::to_string(slot) + " text \"" + name + "\"",
              slot, name);
    }
    for (int step = 1; step <= steps; ++step) {
        const Library before = library_of(k.in, p);
        const INTEGER current = (!before.lines.empty() && r.chance(15)) ? r.pick(before.lines)
                                : (!before.named.empty() && r.chance(60)) ? r.pick(before.named)
                                                                           : r.between(1, 9);
        auto any_scheme = [&]() -> INTEGER {
            if (!before.lines.empty() && r.chance(15)) return r.pick(before.lines);
            if (!before.named.empty() && r.chance(60)) return r.pick(before.named);
            return r.chance(5) ? r.pick(std::vector<INTEGER>{0, 10, 12, 99}) : r.between(1, 9);
        };
        INTEGER command = 0, target = 0;
        std::string name, what;
        const int op = r.between(1, 100);
        if (op <= 14) {
            command = 201;
            target = r.chance(90) ? r.between(3, 9) : r.pick(std::vector<INTEGER>{0, 1, 2, 12});
        } else if (op <= 22) {
            command = 203;
        } else if (op <= 36) {
            command = 204;
            const int count = r.between(2, 3);
            for (int i = 0; i < count; ++i)
                target = target * 10 + (!before.named.empty() && r.chance(85) ? r.pick(before.named) : r.between(1, 9));
            name = "Line " + std::to_string(step);
        } else if (op <= 44) {
            command = 205;
            target = any_scheme();
        } else if (op <= 54) {
            command = 206;
            target = any_scheme();
        } else if (op <= 68) {
            command = 208;
            target = any_scheme();
            name = "Scheme named at step " + std::to_string(step);
        } else if (op <= 76) {
            command = 209;
            if (r.chance(30)) {
                for (const char* w : kMonthWords) name += w;
            } else {
                const int count = r.between(1, 4);
                for (int i = 0; i < count; ++i) name += kMonthWords[r.between(0, 11)];
            }
        } else if (op <= 84) {
            command = 212;
            target = any_scheme();
        } else if (op <= 88) {
            command = r.pick(std::vector<INTEGER>{202, 207, 210, 211, 213, 218, 250, 299});
            target = any_scheme();
        } else if (op <= 94 && current >= 3 && current <= 9) {  // twelve days of a library slot
            const INTEGER month = r.between(1, 12), day = r.between(1, 31);
            edit_scheme(k.in, p, current, [&] {
                TMYMON = month;
                TMYDAY = day;
            });
            what = ", twelve days from " + std::to_string(month) + "/" + std::to_string(day);
        }
        const std::string label = "library step " + std::to_string(step) + ": scheme " + std::to_string(current) +
                                  " command " + std::to_string(command) + " target " + std::to_string(target) +
                                  (name.empty() ? "" : " text \"" + name + "\"") + what;
        if (command != 0) {
            fs::remove_all(side);
            fs::copy(p, side, fs::copy_options::recursive);
        }
        const Run done = k.run(p, current, static_cast<REAL>(command), label, target, name);
        if (done.rc != 0) continue;
        if (command != 0 && done.refused) {
            // A refused command changes nothing: the run is the plain run
            // of the current scheme. Only the back-up columns keep the
            // command as it was loaded.
            const Run plain = k.run(side, current, 0.0f, label + " (the plain run it is refused into)", target);
            if (auto d = Checker::files_differ(without_commands(done.files), without_commands(plain.files),
                                               [](const std::string&) { return true; }))
                k.fail("a refused library command leaves the project as a plain run does", label + ": " + *d);
        }
        if (auto d = line_not_summed(library_of(k.in, p)))
            k.fail("every combination line's column is its members' sum", label + ": " + *d);
    }
}

// ---------------------------------------------------------------------------
// The case, run in a child.

void run_case(Checker& k, const fs::path& dir, const Case* other) {
    const Inputs& in = k.in;
    const Case& c = k.c;
    const fs::path p = dir / "project", first = dir / "scheme2-first";
    new_project(in, p, c, c.site);
    fs::copy(p, first, fs::copy_options::recursive);
    k.settle_missing_zone(p, c.site, 1, 0.0f);
    k.settle_missing_zone(first, c.site, 2, 0.0f);

    // Scheme 1: the design, its re-run, a second design, three re-runs.
    const Run design = k.run(p, 1, 243.0f, "design of scheme 1");
    if (design.rc != 0) return;  // a building the kernel refuses: checked above
    const Files design_files = design.files;
    const Run rerun = k.run(p, 1, 0.0f, "re-run of scheme 1");
    k.same_scheme("design run = re-run of its saved design (scheme 1)", design, rerun);
    const Run second = k.run(p, 1, 243.0f, "second design of scheme 1");
    k.same_scheme("a second design = the first (scheme 1)", design, second);
    Run previous = k.run(p, 1, 0.0f, "re-run 2 of scheme 1");
    for (int i = 3; i <= 4; ++i) {
        const Run next = k.run(p, 1, 0.0f, "re-run " + std::to_string(i) + " of scheme 1");
        k.same_files("re-runs are byte-stable (scheme 1)", previous.files, next.files);
        previous = next;
    }

    // Scheme 2 after scheme 1, its re-run, and scheme 2 designed first.
    const Run efficient = k.run(p, 2, 246.0f, "design of scheme 2");
    if (efficient.rc == 0) {
        const Run rerun2 = k.run(p, 2, 0.0f, "re-run of scheme 2");
        k.same_scheme("design run = re-run of its saved design (scheme 2)", efficient, rerun2);
        const Run second2 = k.run(p, 2, 246.0f, "second design of scheme 2");
        k.same_scheme("a second design = the first (scheme 2)", efficient, second2);
        const Run before = k.run(first, 2, 246.0f, "design of scheme 2 before scheme 1");
        k.same_scheme("scheme 2 designed before scheme 1 = after", before, efficient);
    }

    // A house that was another building for a while, made a house again.
    const fs::path other_use = dir / "other-use";
    if (c.other_type > 0) fs::copy(p, other_use, fs::copy_options::recursive);

    // A copy into a library slot: a year run twice, twelve days run twice.
    const Run copy = k.run(p, c.copy_from, 201.0f, "copy of scheme " + std::to_string(c.copy_from) + " to slot " +
                                                      std::to_string(c.slot), c.slot);
    if (copy.rc == 0) {
        const INTEGER s = c.slot;
        edit_scheme(in, p, s, [&] {
            WHTYPE = c.water_heater;
            STRATEGY(41, s) = c.solar_water;
            if (c.photovoltaic_kw != 0.0f) SQTY(1) = c.photovoltaic_kw;
            if (c.modules > 0.0f) {
                SQTY(1) = c.modules;
                STRATEGY(50, s) = c.modules;
            }
            if (c.solar_ready) {
                SQTY(1) = 0.0f;
                STRATEGY(50, s) = -150.0f;
            }
            TMYMON = 0;
            TMYDAY = 0;
        });
        const Run year1 = k.run(p, s, 0.0f, "year run of slot " + std::to_string(s));
        const Run year2 = k.run(p, s, 0.0f, "second year run of slot " + std::to_string(s));
        k.same_scheme("a slot's first plain run = its second", year1, year2);
        k.same_files("re-runs are byte-stable (slot year runs)", year1.files, year2.files, true);
        edit_scheme(in, p, s, [&] {
            TMYMON = c.month;
            TMYDAY = c.day;
        });
        const Run days1 = k.run(p, s, 0.0f, "twelve-day run of slot " + std::to_string(s));
        const Run days2 = k.run(p, s, 0.0f, "second twelve-day run of slot " + std::to_string(s));
        k.same_files("twelve-day runs are byte-stable", days1.files, days2.files, true);
    }

    // The project moved and designed again = a new project made there.
    const fs::path made_there = dir / "made-there";
    for (const INTEGER slot : {1, 2}) {
        edit_scheme(in, p, slot, [&] { place(c.moved_to, slot); });
        set_location_changed(p, slot);
    }
    k.settle_missing_zone(p, c.moved_to, 1, 243.0f);
    const Run moved = k.run(p, 1, 243.0f, "design of scheme 1 moved to " + describe(c.moved_to));
    new_project(in, made_there, c, c.moved_to);
    k.settle_missing_zone(made_there, c.moved_to, 1, 243.0f);
    const Run fresh_there = k.run(made_there, 1, 243.0f, "design of scheme 1 of a new project at " +
                                                             describe(c.moved_to));
    k.same_scheme("a moved project re-designed = a new project made there", moved, fresh_there, false);

    if (c.other_type > 0) {
        // The designer makes the building a house again as it was: its type
        // and the rows of its form that the other use's design rewrote
        // (year, roof, garage, radiant barrier ...), as the house's design
        // had left them.
        INTEGER own_type = 0;
        std::vector<std::pair<int, REAL>> own_rows;
        edit_scheme(in, other_use, 1, [&] {
            own_type = NTYPE;
            std::vector<int> form = {6, 8, 11, 14, 16};  // new or existing, area, year, stories, azimuth
            for (const RowCodes& rc : residential_rows()) form.push_back(rc.row);
            for (const int row : form)
                for (const INTEGER s : {1, 2}) own_rows.emplace_back(row + 1000 * s, STRATEGY(row, s));
            NFLAG(24) = true;
            NTYPE = c.other_type;
        });
        copy_schedule(in, other_use, 1);
        k.run(other_use, 1, c.other_designed ? 243.0f : 0.0f,
              "scheme 1 as type " + std::to_string(c.other_type) + (c.other_designed ? ", designed" : ", run"));
        edit_scheme(in, other_use, 1, [&] {
            NFLAG(24) = false;
            NTYPE = own_type;
            for (const auto& [at, v] : own_rows) STRATEGY(at % 1000, at / 1000) = v;
        });
        const Run back = k.run(other_use, 1, 243.0f, "design of scheme 1 made a house again");
        k.same_scheme("a house made another building and back, re-designed = its first design", design, back);
    }

    // Library commands on the project as the designer leaves it.
    library_sequence(k, p, dir / "library-side", case_random(c.seed ^ 0x6C696272617279ull, c.number), c.library_steps);

    // Runs of several cases in one process = fresh processes: another
    // case's design, then this case's first design again.
    if (other) {
        const fs::path q = dir / "other-case";
        new_project(in, q, *other, other->site);
        k.run(q, 1, 243.0f, "design of scheme 1 of case " + std::to_string(other->number));
        fs::remove_all(q);
        const fs::path again = dir / "again";
        new_project(in, again, c, c.site);
        k.settle_missing_zone(again, c.site, 1, 0.0f);
        const Run repeat = k.run(again, 1, 243.0f, "design of scheme 1 after another case in one process");
        k.same_files("a run after other cases in one process = a fresh process's run", design_files, repeat.files);
    }
}


// ---------------------------------------------------------------------------
// The parent: cases to children, their reports, the summary line.

struct Child {
    pid_t pid = -1;
    int fd = -1;
    std::uint64_t number = 0;
    bool twin = false;
    std::string output;
    std::chrono::steady_clock::time_point started;
};

// The label of a run a child makes before its case's own runs.
const std::string kBeforeTheCase = "before the case: ";

struct Outcome {
    bool failed = false;
    long runs = 0;
    std::vector<std::string> lines, steps;
    std::vector<std::string> digests;  // "digest step" after each run
};

Outcome read_outcome(const std::string& output, int status, bool timed_out) {
    Outcome o;
    std::istringstream lines(output);
    std::string last_step;
    bool done = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("STEP ", 0) == 0) {
            last_step = line.substr(5);
            o.steps.push_back(last_step);
        } else if (line.rfind("DIGEST ", 0) == 0) {
            o.digests.push_back(line.substr(7));
        } else if (line.rfind("RAN ", 0) == 0) {
            if (!o.steps.empty()) o.steps.back() += ": " + line.substr(4);
        } else if (line.rfind("FAIL ", 0) == 0) {
            o.failed = true;
            o.lines.push_back(line.substr(5));
        } else if (line.rfind("RUNS ", 0) == 0) {
            o.runs = std::atol(line.c_str() + 5);
            done = true;
        }
    }
    if (timed_out) {
        o.failed = true;
        o.lines.push_back("a run ends: " + last_step + " did not end in time (killed)");
    } else if (!done || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        o.failed = true;
        std::string how = WIFSIGNALED(status) ? "crashed with signal " + std::to_string(WTERMSIG(status))
                                              : "ended with status " + std::to_string(WEXITSTATUS(status));
        o.lines.push_back("a run ends: " + (last_step.empty() ? std::string("the case") : last_step) + " " + how);
    }
    return o;
}

int usage() {
    std::fprintf(stderr,
                 "usage: mavo-sweep [--seed N] [--cases K] [--jobs J] [--case M] WORK_DIR UTIL_DIR WEATHER_DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1, cases = 100;
    long jobs = std::max(1u, std::thread::hardware_concurrency());
    std::optional<std::uint64_t> only;
    int first = 1;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        const std::string opt = argv[first];
        if (first + 1 >= argc) return usage();
        char* end = nullptr;
        const unsigned long long v = std::strtoull(argv[++first], &end, 10);
        if (*end != '\0') return usage();
        if (opt == "--seed") seed = v;
        else if (opt == "--cases") cases = v;
        else if (opt == "--jobs") jobs = std::max(1ull, v);
        else if (opt == "--case") only = v;
        else return usage();
    }
    if (argc - first != 3) return usage();
    const fs::path work = fs::absolute(argv[first]);
    const fs::path util = fs::absolute(argv[first + 1]), weather = fs::absolute(argv[first + 2]);
    std::error_code ec;
    fs::create_directories(work, ec);
    if (!fs::is_directory(work) || !fs::is_directory(util) || !fs::is_directory(weather)) {
        std::fprintf(stderr, "mavo-sweep: WORK_DIR, UTIL_DIR and WEATHER_DIR must be directories\n");
        return 2;
    }
    const Inputs in = survey(work, util, weather);
    constexpr int kCaseSeconds = 300;

    std::vector<std::uint64_t> numbers;
    if (only) numbers.push_back(*only);
    else
        for (std::uint64_t m = 0; m < cases; ++m) numbers.push_back(m);
    // Every fourth case also runs in a child that first designs another
    // case's project: the two children must leave the same files after
    // every run (runs of several cases in one process = fresh processes).
    auto has_twin = [](std::uint64_t number) { return number % 4 == 3; };
    struct Job {
        std::uint64_t number;
        bool twin;
    };
    std::vector<Job> jobs_to_run;
    for (const std::uint64_t m : numbers) {
        jobs_to_run.push_back({m, false});
        if (has_twin(m)) jobs_to_run.push_back({m, true});
    }
    std::map<std::uint64_t, std::vector<std::pair<bool, Outcome>>> finished;

    std::vector<Child> running;
    std::size_t next = 0, failed = 0;
    long runs = 0;
    auto case_dir = [&](std::uint64_t number, bool twin) {
        return work / ("case-" + std::to_string(number) + (twin ? "-after-another" : ""));
    };
    auto start = [&](const Job& job) {
        int pipe_fds[2];
        if (pipe(pipe_fds) != 0) {
            std::perror("mavo-sweep: pipe");
            std::exit(2);
        }
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            close(pipe_fds[0]);
            const Case c = make_case(in, seed, job.number);
            const Case other = make_case(in, seed ^ 0x5DEECE66Dull, job.number);
            const fs::path dir = case_dir(job.number, job.twin);
            fs::remove_all(dir);
            fs::create_directories(dir);
            Checker k{in, c, pipe_fds[1], 0, {}, {}};
            try {
                if (job.twin) {
                    const fs::path q = dir / "before";
                    new_project(in, q, other, other.site);
                    k.run(q, 1, 243.0f, kBeforeTheCase + "design of another project");
                    fs::remove_all(q);
                }
                run_case(k, dir, &other);
            } catch (const std::exception& e) {
                k.fail("the sweep itself", e.what());
            }
            k.say("RUNS " + std::to_string(k.runs));
            if (!only) fs::remove_all(dir, ec);
            _exit(k.broken.empty() ? 0 : 1);
        }
        close(pipe_fds[1]);
        fcntl(pipe_fds[0], F_SETFL, O_NONBLOCK);
        running.push_back({pid, pipe_fds[0], job.number, job.twin, {}, std::chrono::steady_clock::now()});
    };
    auto report = [&](std::uint64_t number) {
        auto& outcomes = finished[number];
        Outcome o;
        const Outcome* plain = nullptr;
        const Outcome* twin = nullptr;
        std::string twin_note;
        for (auto& [is_twin, out] : outcomes) (is_twin ? twin : plain) = &out;
        o = *plain;
        if (twin) {
            o.runs += twin->runs;
            for (const std::string& l : twin->lines) {
                const std::string invariant = l.substr(0, l.find(':'));
                bool known = false;
                for (const std::string& mine : o.lines) known = known || mine.rfind(invariant, 0) == 0;
                if (!known) o.lines.push_back(l + " (in the child that ran another project first)");
            }
            std::vector<std::string> a, b;
            for (const std::string& d : plain->digests) a.push_back(d);
            for (const std::string& d : twin->digests)
                if (d.find(kBeforeTheCase) == std::string::npos) b.push_back(d);
            twin_note = "  runs compared with a child that ran another project first: " +
                        std::to_string(std::min(a.size(), b.size())) + "\n";
            for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
                if (a[i] != b[i]) {
                    o.failed = true;
                    o.lines.push_back("runs after another project in one process = a fresh process's runs: files differ after " +
                                      a[i].substr(a[i].find(' ') + 1));
                    break;
                }
        }
        finished.erase(number);
        runs += o.runs;
        const Case c = make_case(in, seed, number);
        if (o.failed) {
            ++failed;
            std::printf("case %llu (seed %llu): %s\n", static_cast<unsigned long long>(number),
                        static_cast<unsigned long long>(seed), describe(c).c_str());
            for (const std::string& l : o.lines) std::printf("  broken: %s\n", l.c_str());
            std::printf("  replay: mavo-sweep --seed %llu --case %llu WORK_DIR UTIL_DIR WEATHER_DIR\n",
                        static_cast<unsigned long long>(seed), static_cast<unsigned long long>(number));
        } else if (only) {
            std::printf("case %llu (seed %llu): %s\n", static_cast<unsigned long long>(number),
                        static_cast<unsigned long long>(seed), describe(c).c_str());
        }
        if (only) {  // a replay shows its runs and leaves its projects in WORK_DIR
            for (const std::string& l : o.steps) std::printf("  run: %s\n", l.c_str());
            std::printf("%s", twin_note.c_str());
            std::printf("  projects: %s\n", case_dir(number, false).c_str());
        }
        std::fflush(stdout);
    };
    auto finish = [&](Child& ch, bool timed_out) {
        int status = 0;
        if (timed_out) kill(ch.pid, SIGKILL);
        waitpid(ch.pid, &status, 0);
        close(ch.fd);
        if (timed_out && !only) fs::remove_all(case_dir(ch.number, ch.twin), ec);
        finished[ch.number].push_back({ch.twin, read_outcome(ch.output, status, timed_out)});
        if (finished[ch.number].size() == (has_twin(ch.number) ? 2u : 1u)) report(ch.number);
    };

    while (next < jobs_to_run.size() || !running.empty()) {
        while (next < jobs_to_run.size() && static_cast<long>(running.size()) < jobs) start(jobs_to_run[next++]);
        std::vector<pollfd> fds;
        for (const Child& ch : running) fds.push_back({ch.fd, POLLIN, 0});
        poll(fds.data(), fds.size(), 200);
        const auto now = std::chrono::steady_clock::now();
        for (std::size_t i = running.size(); i-- > 0;) {
            Child& ch = running[i];
            char buf[4096];
            bool ended = false;
            for (;;) {
                const ssize_t n = read(ch.fd, buf, sizeof buf);
                if (n > 0) ch.output.append(buf, static_cast<std::size_t>(n));
                else {
                    ended = n == 0;
                    break;
                }
            }
            const bool late = now - ch.started > std::chrono::seconds(kCaseSeconds);
            if (ended || late) {
                finish(ch, !ended && late);
                running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
    if (failed == 0) {
        std::printf("%zu cases, %ld runs: all invariants hold\n", numbers.size(), runs);
        return 0;
    }
    std::printf("%zu of %zu cases break an invariant\n", failed, numbers.size());
    return 1;
}
