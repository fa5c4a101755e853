// Prescriptive code requirements by CEC climate zone, as compile-time
// tables. Each row is written the way the code tables are published: the
// value that holds in most zones, then the zones that differ ("1, 11-16").
// The tables are built once at compile time and never written afterwards.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "support/farray.h"
#include "support/types.h"

namespace mavo {

inline constexpr int kClimateZones = 16;

// Zones named by a list such as "1, 3-7, 16"; bit z stands for zone z.
// A malformed list cannot slip through: the tables are constant-evaluated,
// so the throw turns into a compile error.
constexpr std::uint32_t climate_zone_set(std::string_view list) {
    std::uint32_t set = 0;
    std::size_t i = 0;
    auto skip_blanks = [&] {
        while (i < list.size() && list[i] == ' ') ++i;
    };
    auto zone_number = [&] {
        skip_blanks();
        int zone = 0;
        const std::size_t first = i;
        while (i < list.size() && list[i] >= '0' && list[i] <= '9') zone = zone * 10 + (list[i++] - '0');
        if (i == first || zone < 1 || zone > kClimateZones) throw std::invalid_argument("climate zone list");
        skip_blanks();
        return zone;
    };
    while (true) {
        const int from = zone_number();
        int to = from;
        if (i < list.size() && list[i] == '-') {
            ++i;
            to = zone_number();
            if (to < from) throw std::invalid_argument("climate zone range");
        }
        for (int z = from; z <= to; ++z) set |= 1u << z;
        if (i == list.size()) return set;
        if (list[i] != ',') throw std::invalid_argument("climate zone list");
        ++i;
    }
}

// A table of Rows requirement rows by the 16 climate zones, row index
// fastest, filled row by row.
template <long Rows>
class ClimateZoneTable {
public:
    using Cells = FArray<REAL, Rows, kClimateZones>;

    // Starts row r with the value that holds in every zone.
    constexpr ClimateZoneTable& row(int r, REAL every_zone) {
        if (r < 1 || r > Rows) throw std::invalid_argument("climate table row");
        current_row_ = r;
        for (int z = 1; z <= kClimateZones; ++z) cells_(r, z) = every_zone;
        return *this;
    }

    // The zones of the current row that differ from its common value.
    constexpr ClimateZoneTable& except(REAL value, std::string_view zones) {
        if (current_row_ == 0) throw std::invalid_argument("exception before its row");
        const std::uint32_t set = climate_zone_set(zones);
        for (int z = 1; z <= kClimateZones; ++z)
            if (set & (1u << z)) cells_(current_row_, z) = value;
        return *this;
    }

    // Consecutive rows from `first` on, each with one value for all zones.
    constexpr ClimateZoneTable& rows_from(int first, std::initializer_list<REAL> every_zone_values) {
        int r = first;
        for (REAL v : every_zone_values) row(r++, v);
        return *this;
    }

    constexpr const Cells& cells() const { return cells_; }

private:
    Cells cells_{};
    int current_row_ = 0;
};

// Residential prescriptive requirements (CECRESA). Units follow the row:
// R-values in h.ft2.F/Btu, U-factors in Btu/h.ft2.F, efficiencies as rated.
constexpr FArray<REAL, 32, kClimateZones> residential_code_requirements() {
    ClimateZoneTable<32> t;
    t.row(1, 30.0f).except(38.0f, "1, 11-16");   // ceiling insulation R
    t.row(2, 0.065f);                             // wall U-factor
    t.row(3, 0.125f).except(0.07f, "16");         // heavy-mass wall U-factor
    t.row(4, 0.2f).except(0.1f, "14-15").except(0.053f, "16");  // added R, basement type 17
    t.row(5, 0.0f).except(0.58f, "16");           // slab-edge requirement, 0 = none
    t.row(6, 19.0f);                              // raised-floor insulation R
    t.row(7, 0.32f);                              // window U-factor
    t.row(8, 20.0f);                              // glazing, percent of floor area
    t.row(9, 0.269f).except(0.092f, "1-2, 11, 13-14, 16").except(0.138f, "12, 15");  // concrete raised floor
    t.row(10, 1.0f).except(0.0f, "1, 16");        // radiant barrier or reflective roof required
    t.row(11, 0.25f).except(0.0f, "1, 3, 5");     // window SHGC, 0 = no requirement
    t.row(12, 5.0f).except(0.0f, "1, 3, 5");
    t.row(13, 0.0f).except(2.0f, "8-15");         // whole-house fan required
    t.row(14, 6.0f).except(8.0f, "11, 14-16");    // duct insulation R
    t.row(15, 0.0f);
    t.row(16, 1.0f).except(0.0f, "1, 3-7, 16");
    t.row(17, 0.0f);
    t.row(18, 0.0f);
    t.row(19, 0.78f);                             // furnace AFUE
    t.row(20, 7.7f);                              // heat-pump HSPF
    t.row(21, 0.0f);
    t.row(22, 13.0f);                             // air-conditioner SEER
    t.row(23, 0.0f);
    t.row(24, 0.0f);
    t.row(25, 0.1f).except(0.63f, "13, 15");      // low-slope roof reflectance
    t.row(26, 0.75f);                             // low-slope roof emittance
    t.row(27, 0.1f).except(0.2f, "10-15");        // steep roof reflectance
    t.row(28, 0.75f).except(0.85f, "1-4");        // steep roof emittance
    t.row(29, 0.07f).except(0.059f, "16");        // wall value of insulation level 9
    t.row(30, 0.07f).except(0.066f, "16");        // added R, basement type 13
    t.row(31, 0.0f);
    t.row(32, 0.58f);                             // HVAC fan power, W/cfm
    return t.cells();
}

// The same requirements in R-value style (CECRESD); the design generator
// reads row 13 only.
constexpr FArray<REAL, 32, kClimateZones> residential_code_r_values() {
    ClimateZoneTable<32> t;
    t.row(1, 30.0f).except(38.0f, "1, 11-16");
    t.row(2, 13.0f).except(21.0f, "1, 14-16").except(19.0f, "11-13");
    t.row(3, 2.44f).except(4.76f, "1, 11-16");
    t.row(4, 0.0f).except(13.0f, "16");
    t.row(5, 0.0f).except(7.0f, "16");
    t.row(6, 19.0f);
    t.row(7, 0.4f);
    t.row(8, 20.0f);
    t.row(9, 0.0f).except(8.0f, "1-2, 11, 13-14, 16").except(4.0f, "12, 15");
    t.row(10, 1.0f).except(0.0f, "1, 3, 5-7, 16");
    t.row(11, 0.4f).except(0.0f, "1, 3, 5, 16").except(0.35f, "15");
    t.row(12, 5.0f).except(0.0f, "1, 3, 5, 16");
    t.row(13, 1.0f);
    t.row(14, 6.0f).except(4.2f, "6-8").except(8.0f, "14-16");
    t.row(15, 0.0f);
    t.row(16, 1.0f).except(0.0f, "1, 3-7, 16");
    t.row(17, 0.0f);
    t.row(18, 0.0f);
    t.row(19, 78.0f);
    t.row(20, 7.7f);
    t.row(21, 7.7f);
    t.row(22, 13.0f);
    t.row(23, 13.0f);
    t.row(24, 0.0f);
    t.row(25, 0.0f).except(0.55f, "13, 15");
    t.row(26, 0.0f).except(0.75f, "13, 15");
    t.row(27, 0.0f).except(0.2f, "10-15");
    t.row(28, 0.0f).except(0.75f, "10-15");
    t.row(29, 0.15f);
    t.row(30, 0.75f);
    t.row(31, 0.0f).except(0.58f, "10-15");
    t.row(32, 0.58f);
    return t.cells();
}

// Non-residential prescriptive requirements (CECNR): U-factors in
// Btu/h.ft2.F, glazing values as U-factor, SHGC and visible transmittance.
constexpr FArray<REAL, 62, kClimateZones> nonresidential_code_requirements() {
    ClimateZoneTable<62> t;
    t.row(1, 0.039f).except(0.049f, "1, 5").except(0.075f, "6").except(0.067f, "7-8");  // roof U, types 2, 3
    t.row(2, 0.059f).except(0.102f, "1, 5, 8").except(0.11f, "3, 6-7").except(0.042f, "15");  // wood-framed wall U
    t.row(3, 0.0f);
    t.row(4, 0.0f);
    t.row(5, 0.0f);
    t.row(6, 0.071f).except(0.048f, "1").except(0.039f, "2, 11, 14-16");  // raised-floor U
    t.row(7, 0.36f);                              // window type 1 U-factor
    t.row(8, 0.4f);                               // glazing fraction of wall
    t.row(9, 0.269f).except(0.092f, "1-2, 11-15").except(0.058f, "16");  // heavy-floor U
    t.row(10, 0.0f);                              // skylight value
    t.row(11, 0.25f);                             // window type 1 SHGC
    t.row(12, 0.0f).except(13.0f, "4");
    t.row(13, 0.0f);
    t.row(14, 2.1f);
    t.row(15, 6.3f);                              // duct insulation R
    t.row(16, 0.0f);
    t.row(17, 0.0f);
    t.row(18, 0.0f);
    t.row(19, 0.78f);                             // furnace AFUE
    t.row(20, 7.7f);
    t.row(21, 7.7f);
    t.row(22, 13.0f);                             // air-conditioner SEER
    t.row(23, 13.0f).except(0.0f, "4");
    t.row(24, 0.0f);
    t.row(25, 0.63f);                             // roof reflectance
    t.row(26, 0.75f);                             // roof emittance
    t.row(27, 0.2f);
    t.row(28, 0.75f);
    t.row(29, 0.0f);
    t.row(30, 0.0f);
    t.row(31, 0.0f);
    t.row(32, 0.8f);                              // central fan power, W/cfm
    t.row(33, 0.17f).except(0.198f, "1").except(0.278f, "3").except(0.227f, "4").except(0.44f, "5-9");  // mass-light wall U
    t.row(34, 0.42f);                             // window type 1 visible transmittance
    t.row(35, 0.065f);                            // roof U, types 10, 11
    t.row(36, 0.061f).except(0.113f, "1, 3, 6-7").except(0.057f, "15");  // metal-building wall U
    t.row(37, 0.062f).except(0.098f, "1, 6-7").except(0.082f, "3");      // metal-framed wall U
    t.row(38, 0.65f)                              // mass-heavy wall U
        .except(0.253f, "1, 12")
        .except(0.69f, "6-9")
        .except(0.184f, "11, 14-15")
        .except(0.211f, "13")
        .except(0.16f, "16");
    t.row(39, 0.0f).except(1.0f, "10-16");
    t.row(40, 1.45f).except(0.5f, "1, 16");       // door type 9 U-factor
    // 41 door type 8 U; 42-50 window types 2-4 and 51-59 skylight types 5-7,
    // each as U-factor, SHGC, visible transmittance.
    t.rows_from(41, {0.7f, 0.46f, 0.22f, 0.32f, 0.41f, 0.26f, 0.46f, 0.45f, 0.23f, 0.17f,
                     0.58f, 0.25f, 0.49f, 0.46f, 0.25f, 0.49f, 0.88f, 1.0f, 0.64f});
    t.row(60, 0.05f);
    t.row(61, 0.0f);
    t.row(62, 0.0f).except(0.61f, "1").except(0.666f, "16");
    return t.cells();
}

}  // namespace mavo
