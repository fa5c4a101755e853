// The case generator: what the sweep draws from (the directories' sites
// and the building types) and the case it draws, from (seed, number) alone.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/types.h"

namespace mavo::sweep {

namespace fs = std::filesystem;

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

Random case_random(std::uint64_t seed, std::uint64_t number);

// ---------------------------------------------------------------------------
// What the sweep draws from: the directories' sites and the building types.

struct Site {
    enum Kind { kWeatherFile, kZipCode, kZoneNumber } kind = kZoneNumber;
    std::string name;  // the weather file's name or the number as text
    REAL number = 0.0f;
    bool zone_file = false;  // a zone number whose zone file the weather directory holds
};

// A line of zipcodes.sce, read by its columns: the site's rate zones and
// climate zone.
struct SiteRecord {
    long code = 0;
    int gas_zone = 0, climate_zone = 0, electric_zone = 0;
};

// A weather file's place, from its LOCATION line.
struct WeatherPlace {
    bool california = false;
};

struct Inputs {
    fs::path work, util, weather;
    std::vector<std::string> weather_files;
    std::vector<REAL> zip_codes;     // the table's five-digit codes
    std::vector<REAL> zone_numbers;  // the table's climate-zone rows
    std::vector<INTEGER> loaded_types, unloaded_types;
    std::vector<SiteRecord> records;
    std::map<std::string, WeatherPlace> places;  // by weather file name
};

std::string read_file(const fs::path& p);
Inputs survey(const fs::path& work, const fs::path& util, const fs::path& weather);
Site draw_site(Random& r, const Inputs& in, bool zone_numbers_too);
// Every site the directories offer: each weather file, zip code and
// climate-zone number of zipcodes.sce.
std::vector<Site> every_site(const Inputs& in);
std::string describe(const Site& s);

// ---------------------------------------------------------------------------
// A case: the project a host describes and what it does with it.

// The rates a user revised, as the host writes them into a scheme's files
// (the electric and gas words of its results file, the time-of-use record
// of its input file): either one price in every tier and period, or tiers
// with baselines and seasons of the user's own.
struct UserRates {
    std::array<REAL, 5> tier{};                  // $/kWh, tiers 1 to 5 (SDG&E: ERATE1 winter, ERATE2 summer base)
    std::array<REAL, 3> smud_winter{};           // $/kWh, SMUD's winter tiers
    std::array<REAL, 5> adder_summer{}, adder_winter{};  // SDG&E tier adders, $/kWh
    REAL baseline_summer = 0.0f, baseline_winter = 0.0f;  // kWh a day (SMUD: a month)
    INTEGER winter_first = 10, winter_last = 5;
    REAL meter_charge = 0.0f;                    // $/day
    std::array<REAL, 3> period{};                // $/kWh of periods 2, 3 and 1, 4 (every month winter)
    std::array<INTEGER, 4> period_hours{};       // winter start hours of periods 2, 3, 4, 1
    REAL therm_base = 0.0f, therm_above = 0.0f;  // winter $/therm
    REAL therm_base_summer = 0.0f, therm_above_summer = 0.0f;
    REAL gas_baseline_winter = 0.0f, gas_baseline_summer = 0.0f;  // therms a day
    INTEGER gas_winter_first = 11, gas_winter_last = 4;
    REAL gas_charge = 0.0f;  // $/day
};

struct Case {
    std::uint64_t seed = 0, number = 0;
    bool nonresidential = false;
    INTEGER type = 0;
    bool loads = true;  // a house, or a type the load table gives loads
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
    bool heater_mismatch = false;  // the slot's heater burns a fuel the site lacks, on purpose
    // The user's rates in schemes 1 and 2 and the slot: the flags (26 and 29
    // basic, 82 and 83 advanced) and the tariff choices of rows 1 and 3.
    std::vector<INTEGER> rate_flags;
    REAL electric_choice = 0.0f, gas_choice = 0.0f;
    UserRates user_rates;
    // An existing building whose scheme 1 the user sets to a roof choice of
    // its own and runs as it stands before scheme 2's design (0: not done).
    REAL own_roof = 0.0f;
    // A building made another use for a while and back: a house made type
    // `other_type`, or a non-residential building made a house.
    INTEGER other_type = 0;
    bool other_use = false, other_designed = false;
    // More slots holding results for the library's lines, each a copy at a
    // site of its own.
    std::vector<std::pair<INTEGER, Site>> members;
    int library_steps = 0;  // random library commands after the designs
    // The slot, run for part of the year (its twelve days, or months a
    // re-read chose), copied into scheme 1 or 2 (0: not done).
    enum PartYear { kWholeYear, kTwelveDays, kReread } part_year = kWholeYear;
    INTEGER part_year_target = 1;
    std::string reread_months;  // four-character month words
};


REAL row_of(const Case& c, int row);

// The codes of each row a designer sets that have a meaning, and a few
// outside them.
struct RowCodes {
    int row;
    std::vector<REAL> codes, outside;
};

const std::vector<RowCodes>& residential_rows();
const std::vector<RowCodes>& nonresidential_rows();

Case make_case(const Inputs& in, std::uint64_t seed, std::uint64_t number);
std::string describe(const Case& c);

}  // namespace mavo::sweep
