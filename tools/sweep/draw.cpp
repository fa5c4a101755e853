// The case generator: every case of a seed from (seed, number) alone.
#include "sweep/draw.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "blocks/blocks.h"
#include "every_zone_weather.h"

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

namespace {

// A field of a line of fixed columns, `from` to `to` counted from 1.
std::string columns(const std::string& line, std::size_t from, std::size_t to) {
    return line.size() < from ? std::string() : line.substr(from - 1, to - from + 1);
}

// The columns of a zipcodes.sce line: the code in 1-5, the gas rate zone in
// 33-36, the climate zone in 42-49 and the electric rate zone in 61-68.
std::optional<SiteRecord> site_record(const std::string& line) {
    SiteRecord r;
    try {
        r.code = std::stol(columns(line, 1, 5));
        r.gas_zone = std::stoi(columns(line, 33, 36));
        r.climate_zone = std::stoi(columns(line, 42, 49));
        r.electric_zone = std::stoi(columns(line, 61, 68));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return r;
}

// LOCATION,city,state,country,...: California or not.
WeatherPlace weather_place(const fs::path& epw) {
    std::ifstream in(epw);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string f; std::getline(parts, f, ',');) fields.push_back(f);
    WeatherPlace w;
    if (fields.size() > 2) w.california = fields[2] == "CA";
    return w;
}

}  // namespace

Inputs survey(const fs::path& work, const fs::path& util, const fs::path& weather, bool stand_ins) {
    Inputs in{work, util, weather, {}, {}, {}, {}, {}, {}, {}, {}};
    if (stand_ins)
        in.every_zone = std::make_shared<const Inputs>(
            survey(work, util, host::every_zone_weather(weather, work / "weather-every-zone")));
    for (const auto& e : fs::directory_iterator(weather)) {
        const std::string n = e.path().filename().string();
        if (n.size() > 4 && n.substr(n.size() - 4) == ".epw" && n.size() <= 12) {
            in.weather_files.push_back(n);
            in.places[n] = weather_place(e.path());
        }
    }
    std::sort(in.weather_files.begin(), in.weather_files.end());
    std::istringstream table(read_file(weather / "zipcodes.sce"));
    for (std::string line; std::getline(table, line);) {
        const std::optional<SiteRecord> record = site_record(line);
        if (!record || record->code <= 0) continue;
        in.records.push_back(*record);
        (record->code <= 99 ? in.zone_numbers : in.zip_codes).push_back(static_cast<REAL>(record->code));
    }
    // The built-in load table says which types a non-residential scheme
    // may take (its initial values: read, never run).
    // A residential type (16 to 19) in non-residential mode is read as
    // type 14 and has its loads.
    for (INTEGER type = 1; type <= 20; ++type) {
        const INTEGER read_as = type >= 16 && type <= 19 ? 14 : type;
        bool loads = false;
        for (INTEGER row = 1; row <= 14; ++row) loads = loads || DVALUENR(row, read_as) != 0.0f;
        (loads ? in.loaded_types : in.unloaded_types).push_back(type);
    }
    return in;
}

namespace {

Site weather_file_site(const std::string& name) {
    Site s;
    s.kind = Site::kWeatherFile;
    s.name = name;
    s.number = -1.0f;
    return s;
}

Site table_site(const Inputs& in, Site::Kind kind, REAL number) {
    Site s;
    s.kind = kind;
    s.number = number;
    s.name = std::to_string(static_cast<long>(number));
    s.zone_file = kind == Site::kZoneNumber && fs::exists(in.weather / ("zone" + s.name + ".txh"));
    return s;
}

}  // namespace

Site draw_site(Random& r, const Inputs& in, bool zone_numbers_too) {
    const int kind = r.between(0, zone_numbers_too ? 2 : 1);
    if (kind == 0 && !in.weather_files.empty()) return weather_file_site(r.pick(in.weather_files));
    if (kind <= 1 && !in.zip_codes.empty()) return table_site(in, Site::kZipCode, r.pick(in.zip_codes));
    return table_site(in, Site::kZoneNumber,
                      in.zone_numbers.empty() ? static_cast<REAL>(r.between(1, 16)) : r.pick(in.zone_numbers));
}

std::vector<Site> every_site(const Inputs& in) {
    std::vector<Site> sites;
    for (const std::string& name : in.weather_files) sites.push_back(weather_file_site(name));
    for (const REAL code : in.zip_codes) sites.push_back(table_site(in, Site::kZipCode, code));
    for (const REAL zone : in.zone_numbers) sites.push_back(table_site(in, Site::kZoneNumber, zone));
    return sites;
}

std::string describe(const Site& s) {
    switch (s.kind) {
        case Site::kWeatherFile: return s.name;
        case Site::kZipCode: return "zip " + s.name;
        default: return "zone " + s.name + (s.zone_file ? "" : " (no zone file)");
    }
}

const Inputs& inputs_of(const Inputs& in, const Case& c) {
    return c.every_zone_weather && in.every_zone ? *in.every_zone : in;
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

namespace {

// Cents a kWh or a therm, as a user types them.
REAL price(Random& r, int from_cents, int to_cents) { return static_cast<REAL>(r.between(from_cents, to_cents)) / 100.0f; }

UserRates draw_user_rates(Random& r) {
    UserRates u;
    const bool one_price = r.chance(40);
    const REAL p = price(r, 8, 60);
    for (std::size_t t = 0; t < 5; ++t) u.tier[t] = one_price ? p : p + price(r, 0, 10) * static_cast<REAL>(t);
    for (std::size_t t = 0; t < 3; ++t) u.smud_winter[t] = one_price ? p : price(r, 5, 40);
    for (std::size_t t = 0; t < 4; ++t) {
        u.adder_summer[t] = one_price ? 0.0f : price(r, 0, 20);
        u.adder_winter[t] = one_price ? 0.0f : price(r, 0, 20);
    }
    u.baseline_summer = static_cast<REAL>(r.between(3, 40));
    u.baseline_winter = static_cast<REAL>(r.between(3, 40));
    u.winter_first = r.between(9, 12);
    u.winter_last = r.between(2, 5);
    u.meter_charge = price(r, 0, 100);
    for (REAL& x : u.period) x = one_price ? p : price(r, 5, 50);
    u.period_hours = {r.between(6, 11), 0, r.between(17, 22), 0};
    u.therm_base = price(r, 50, 250);
    u.therm_above = one_price ? u.therm_base : price(r, 50, 250);
    u.therm_base_summer = one_price ? u.therm_base : price(r, 50, 250);
    u.therm_above_summer = one_price ? u.therm_base : price(r, 50, 250);
    u.gas_baseline_winter = static_cast<REAL>(r.between(1, 30)) / 10.0f;
    u.gas_baseline_summer = static_cast<REAL>(r.between(1, 30)) / 10.0f;
    u.gas_winter_first = r.between(9, 12);
    u.gas_winter_last = r.between(2, 5);
    u.gas_charge = price(r, 0, 80);
    return u;
}

}  // namespace

Case make_case(const Inputs& in, std::uint64_t seed, std::uint64_t number) {
    // The first two rounds, which put a house and another building at every
    // site, run where every climate zone has its zone file, so that each
    // zone's code tables are read within CI's count; the later rounds on the
    // weather directory as given, where a zone without its file falls back.
    if (in.every_zone && !every_site(in).empty() && number / every_site(in).size() <= 1) {
        Case c = make_case(*in.every_zone, seed, number);
        c.every_zone_weather = true;
        return c;
    }
    Random r = case_random(seed, number);
    Case c;
    c.seed = seed;
    c.number = number;
    // The sites in turn, from a place the seed chooses: the first round of
    // cases puts a house at every site, the second another building, so
    // that every weather file, zip code and zone number (and so every rate
    // zone the table names) is billed for both within CI's count. Later
    // rounds draw the kind. In the first two rounds every other house and
    // building is billed on its site's own tariffs; the others bill the
    // user's rates: a house those it draws, or else the user's revised
    // rates, another building the revised rates, so that CI's count bills
    // the user's words at every utility's rate zones and on time of use.
    const std::vector<Site> sites = every_site(in);
    const std::uint64_t round = sites.empty() ? 2 : number / sites.size();
    const std::uint64_t position = sites.empty() ? 0 : (number + seed * 7) % sites.size();
    const bool loaded = !in.loaded_types.empty();
    c.nonresidential = loaded && (round == 0 ? false : round == 1 ? true : r.chance(40));
    if (c.nonresidential)
        c.type = (round > 1 && r.chance(3) && !in.unloaded_types.empty()) ? r.pick(in.unloaded_types)
                                                                            : r.pick(in.loaded_types);
    c.loads = !c.nonresidential || std::find(in.loaded_types.begin(), in.loaded_types.end(), c.type) !=
                                       in.loaded_types.end();
    c.site = sites.empty() ? draw_site(r, in, true) : sites[position];
    c.moved_to = draw_site(r, in, true);
    const bool site_tariffs_only = round <= 1 && position % 2 == 0;
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
    // The multi-zone marker, and in a few cases of every seed a scheme of
    // several zones.
    if (number % 40 == 17) c.rows.push_back({26, 2.0f});
    else if (r.chance(10)) c.rows.push_back({26, static_cast<REAL>(r.between(0, 2))});
    // The user's rates: a basic choice of either tariff or both, or the
    // advanced rates of either.
    const int rates = r.between(1, 100);
    if (rates <= 10) c.rate_flags = {26};
    else if (rates <= 20) c.rate_flags = {29};
    else if (rates <= 28) c.rate_flags = {26, 29};
    else if (rates <= 32) c.rate_flags = {r.chance(50) ? 82 : 83};
    if (rates > 32 && rates <= 44) c.rate_flags = r.pick(std::vector<std::vector<INTEGER>>{{82, 83}, {82}, {83}});
    if (site_tariffs_only) {
        c.rate_flags.clear();
    } else if (round <= 1 && (round == 1 || c.rate_flags.empty())) {
        // From a stream of its own, so that every other draw of the case
        // stays as it was.
        Random revised = case_random(seed ^ 0x7265766973656400ull, number);
        c.rate_flags = revised.pick(std::vector<std::vector<INTEGER>>{{82, 83}, {82}, {83}});
    }
    c.user_rates = draw_user_rates(r);
    // Gas choices that keep a natural-gas site's fuel: residential 1 to 6,
    // non-residential 11 to 16; a dwelling's electric choice 7 is the single
    // flat rate.
    c.electric_choice = static_cast<REAL>(c.nonresidential ? r.between(11, 17) : r.pick(std::vector<int>{1, 2, 3, 4, 5, 7}));
    c.gas_choice = static_cast<REAL>(c.nonresidential ? r.between(11, 16) : r.between(1, 6));
    if (row_of(c, 6) >= 2.0f && r.chance(40))
        c.own_roof = c.nonresidential ? 1.0f : r.pick(std::vector<REAL>{1, 1, 2, 3, 4});
    c.copy_from = r.chance(70) ? 1 : 2;
    c.slot = r.between(3, 9);
    // Heaters that suit a natural-gas site (gas, electric, heat pump or
    // none), or on purpose a propane or oil heater there.
    c.heater_mismatch = r.chance(8);
    c.water_heater = c.heater_mismatch ? r.pick(std::vector<INTEGER>{3, 4})
                                       : r.pick(std::vector<INTEGER>{1, 2, 5, 6, 7, -1});
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
    c.library_steps = r.chance(80) ? r.between(4, 14) : 0;
    if (c.library_steps > 0) {
        std::vector<INTEGER> free;
        for (INTEGER k = 3; k <= 9; ++k)
            if (k != c.slot) free.push_back(k);
        for (int i = r.between(1, 3); i > 0; --i) {
            const std::size_t at = r.next() % free.size();
            c.members.push_back({free[at], draw_site(r, in, true)});
            free.erase(free.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    if (!in.loaded_types.empty() && (c.nonresidential ? r.chance(25) : true)) {
        c.other_use = true;
        c.other_type = c.nonresidential ? 0 : r.pick(in.loaded_types);
        c.other_designed = r.chance(50);
    }
    const int part_year = r.between(1, 100);
    if (part_year <= 30) {
        c.part_year = part_year <= 15 ? Case::kTwelveDays : Case::kReread;
        c.part_year_target = r.between(1, 2);
        static const char* const kMonths[] = {"JAN ", "FEB ", "MAR ", "APR ", "MAY ", "JUN ",
                                              "JUL ", "AUG ", "SEP ", "OCT ", "NOV ", "DEC "};
        for (int i = r.between(1, 3); i > 0; --i) c.reread_months += kMonths[r.between(0, 11)];
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
    if (!c.rate_flags.empty()) {
        o << "; the user's rates (flags";
        for (const INTEGER f : c.rate_flags) o << ' ' << f;
        o << ", rows 1 and 3: " << c.electric_choice << ", " << c.gas_choice << ")";
    }
    if (c.own_roof != 0.0f) o << "; scheme 1 run as it stands with roof choice " << c.own_roof;
    if (c.other_use)
        o << "; made " << (c.nonresidential ? std::string("a house") : "type " + std::to_string(c.other_type))
          << (c.other_designed ? " (designed)" : " (run)") << " and back";
    for (const auto& [slot, site] : c.members) o << "; slot " << slot << " a copy at " << describe(site);
    if (c.part_year != Case::kWholeYear)
        o << "; the slot " << (c.part_year == Case::kTwelveDays ? "run for twelve days" : "re-read for " + c.reread_months)
          << " copied into scheme " << c.part_year_target;
    if (c.library_steps > 0) o << "; " << c.library_steps << " library commands";
    return o.str();
}
}  // namespace mavo::sweep
