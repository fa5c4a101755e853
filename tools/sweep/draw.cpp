// The case generator: every case of a seed from (seed, number) alone.
#include "sweep/draw.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "blocks/blocks.h"

namespace mavo::sweep {

Random case_random(std::uint64_t seed, std::uint64_t number) {
    Random r{seed * 0xD1B54A32D192ED03ull ^ (number + 1) * 0x9E3779B97F4A7C15ull};
    r.next();
    return r;
}


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

REAL row_of(const Case& c, int row) {
    for (const auto& [r, v] : c.rows)
        if (r == row) return v;
    return 0.0f;
}


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
}  // namespace mavo::sweep
