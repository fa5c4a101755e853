// Building description of one scheme: titles, location and period,
// dimensions, envelope areas, internal gains, water heater and appliances,
// the 25 window, door and skylight lines, building type and its defaults,
// zone tables, HVAC and ventilation, daylighting, the non-residential
// schedules, month names and building-type names.
//
// The scheme input file carries most of these blocks field by field (the
// schedule file carries BLK32AA whole); FIND2 fills them at the start of a
// run, the design transfer and the design generator rewrite them, the hourly
// simulation reads them. Nothing resets them between kernel calls.
//
// Word numbers below count four-byte words from 1, as the files and the
// consumers of the hourly simulation address these blocks.
#pragma once
#include <cstddef>
#include <string_view>
#include <type_traits>

#include "blocks/schedule_tables.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Byte offset of a block word numbered from 1.
constexpr std::size_t building_word_offset(int word) { return static_cast<std::size_t>(word - 1) * 4; }

// A 24-character text stored as six 4-character words, as the title lines
// and the building-type names are kept.
constexpr FArray<FString<4>, 6> text_as_words(std::string_view text) {
    FArray<FString<4>, 6> words{};
    for (int w = 0; w < 6; ++w) {
        const std::size_t from = static_cast<std::size_t>(w) * 4;
        words(w + 1) = from < text.size() ? text.substr(from, 4) : std::string_view{};
    }
    return words;
}

namespace building_init {

// An array with every element at one value, for tables that start at 1.0
// or at one marker value on every line.
template <class T, long... N>
constexpr FArray<T, N...> filled_with(T value) {
    FArray<T, N...> a{};
    a.fill(value);
    return a;
}

}  // namespace building_init

// Project titles: three 24-character lines (the files keep each as six
// 4-character words, byte for byte the same text).
struct BLK1A_t {
    FString<24> TITLE1 = "DEMONSTRATION";            // project or plan name
    FString<24> TITLE2 = "SINGLE FAMILY RESIDENCE";  // building description
    // Location or weather-station name; "INVA" in the first word marks a
    // changed location.
    FString<24> TITLE3 = "LOS ANGELES CENTER  CZ08";
};

// Location, simulated period and input-file stamp.
struct BLK1B_t {
    INTEGER LOCATE = 2;             // word 1: location code carried with the scheme and the summary file
    INTEGER TMYDAY = -1;            // word 2: first day of a short run; 0 whole year
    INTEGER TMYMON = -1;            // word 3: month of TMYDAY; 0 whole year
    INTEGER EXPDAY = -1;            // word 4: day of the measured-data comparison; -1 none
    INTEGER EXPMON = -1;            // word 5: month of the measured-data comparison; -1 none
    FArray<INTEGER, 3> TMYFLAG{};   // words 6-8: month, day, hour of the weather file's first record
    INTEGER DATSTAMP = 0;           // word 9: input-file stamp, 5700 written; gated groups need >= 5700
    FString<5> TMYCODE{};           // words 10-11: weather-station code
};

// Dimensions, 13 words.
struct BLK2_t {
    REAL AREAT = 2000.0f;     // word 1: conditioned floor area, ft2
    REAL EWDIM = 61.08f;      // word 2: east-west dimension, ft
    REAL FLOORS = 2.0f;       // word 3: number of stories
    REAL FLTOFL = 12.0f;      // word 4: floor-to-floor height, ft
    REAL FLTOCE = 10.0f;      // word 5: floor-to-ceiling height, ft
    REAL NSDIM = 32.75f;      // word 6: north-south dimension, ft
    REAL SFACES = 0.0f;       // word 7: azimuth of the front facade, degrees from south toward west
    REAL RAX = 2000.0f;       // word 8: roof (footprint) area, ft2
    REAL VOLUME = 24000.0f;   // word 9: conditioned volume, ft3
    REAL RSLOPE = 0.0f;       // word 10: roof slope, degrees
    REAL REMITT = 0.65f;      // word 11: roof thermal emittance
    REAL VOLUMEAG = 24000.0f; // word 12: above-grade volume, ft3; negative: infiltration recomputes it
    INTEGER NMULTI = 1;       // word 13: number of identical units (non-residential)
};

// Envelope by item: 1-4 windows S, W, N, E; 5 skylight; 6-9 walls; 10 roof;
// 11 floor; 12 slab perimeter (ft); 13-16 basement wall bands; 17 basement
// floor; 18 total basement wall; 21-25 doors.
struct BLK3_t {
    FArray<REAL, 27> AREA = {270, 0, 270, 0, 0, 463, 393, 463, 393, 2000, 2000};  // ft2 (item 12: ft)
    // Percent of the facade: glazing share for 1-5, the rest of the facade for walls 6-9.
    FArray<REAL, 27> PERCNT = {36.8f, 0, 36.8f, 0, 0, 63.2f, 100, 63.2f, 100, 100, 100};
};

// Ventilation and internal gains, 15 words in block order.
struct BLK5_t {
    REAL AIRCHG = 0.5f;      // air changes per hour (the zone balance rewrites it hourly)
    REAL HRPEOPON = 8.0f;    // occupancy start hour
    REAL EQPT = 0.3f;        // equipment load, W/ft2
    REAL HRPEOPOFF = 18.0f;  // occupancy end hour
    REAL LIGHTS = 1.5f;      // lighting load, W/ft2
    REAL HREQPTOFF = 18.0f;  // equipment end hour
    REAL HRLITEOFF = 18.0f;  // lights-off hour; <= 0 or > 24 counted from sunrise
    REAL HREQPTON = 8.0f;    // equipment start hour
    REAL HRLITEON = 8.0f;    // lights-on hour; <= 0 or > 24 counted from sunset
    REAL PAREA = 100.0f;     // floor area per person, ft2
    REAL PBTUH = 230.0f;     // sensible heat per person, Btu/h
    REAL PEOPLE = 20.0f;     // occupants; 0 or less: unoccupied building
    REAL TELOAD = 2046.0f;   // total equipment heat, Btu/h
    REAL TLLOAD = 10203.0f;  // total lighting heat, Btu/h
    REAL TOLOAD = 4800.0f;   // total occupant sensible heat, Btu/h
};

// Water heater and annual appliance energy, 20 words. Words 1-19 travel in
// the scheme input file; the simulation driver zeroes words 4-13 before the
// year and the equipment gains accumulate them. Residential and
// non-residential meanings of words 4-18 differ (see EQUIPT).
struct BLK5A_t {
    INTEGER WHTYPE = 1;        // word 1: 1 gas, 2 electric, 3 propane, 4 other fuel, 5 gas instantaneous,
                               //   6 electric instantaneous, 7+ heat pump; <= 0 none
    REAL WHEF = 0.58f;         // word 2: energy factor
    REAL WHEF2 = 1.0f;         // word 3: multiplier of the simulated auxiliary energy
    REAL APPGAS1 = 0.0f;       // word 4: residential gas appliances, therms/yr
    REAL RAELECT = 0.0f;       // word 5: refrigeration or appliance electricity, kWh
    REAL DAGAS = 0.0f;         // word 6: gas equipment kBtu, or one-tenth-gain gas appliances therms/yr
    REAL APPELEC4 = 0.0f;      // word 7: residential one-tenth-gain electric appliances, kWh/yr
    REAL EAELECT = 0.0f;       // word 8: plug loads (and large hood) or other electric loads, kWh
    REAL APPGAS1D = 0.0f;      // word 9: default of word 4
    REAL RAELECTD = 0.0f;      // word 10: refrigeration at full load kW, or default of word 5
    REAL DAGASD = 0.0f;        // word 11: gas equipment at full load kBtu/h, or default of word 6
    REAL APPELEC4D = 0.0f;     // word 12: default of word 7
    REAL EAELECTD = 0.0f;      // word 13: plug loads at full load kW, or the computed other load kWh/yr
    REAL GAS1HEATPHR = 0.0f;   // word 14: peak hourly gain of the gas appliances, Btu/h
    REAL REHEATPHR = 0.0f;     // word 15: refrigeration W/ft2, or peak gain of the appliances Btu/h
    REAL DGHEATPHR = 0.0f;     // word 16: gas equipment Btu/h.ft2, or peak gain Btu/h
    REAL ELEC4HEATPHR = 0.0f;  // word 17: peak hourly gain of the one-tenth-gain electric appliances, Btu/h
    REAL EEHEATPHR = 0.0f;     // word 18: plug loads W/ft2, or peak gain of the other load Btu/h
    REAL TOTALDAYBTU = 0.0f;   // word 19: average daily gain of lights, equipment and people, Btu/day
    REAL SPARE20 = 50.0f;      // word 20: not carried by the file, no reader
};

// Appliance table, 64 words: APPLIANCE(row, column); columns 1 gas (kBtu),
// 2 refrigerator (kWh), 3 electric appliances (kWh), 4 small exhaust hood,
// 5 large exhaust hood, 6 elevator.
struct BLK5C_t {
    FArray<REAL, 10, 6> APPLIANCE{};
    FArray<REAL, 4> SPARE61_64{};  // words 61-64: no reader
};

// Kitchen hoods and elevator, 12 words.
struct BLK5D_t {
    REAL EHOODSPHR = 0.0f;  // word 1: small hood full-load input, W
    REAL EHOODLPHR = 0.0f;  // word 2: large hood full-load input, W
    REAL ELEVPHR = 0.0f;    // word 3: elevator full-load input, W
    REAL EHOODSD = 0.0f;    // word 4: small hood at full load, kW
    REAL EHOODLD = 0.0f;    // word 5: large hood at full load, kW
    REAL ELEVD = 0.0f;      // word 6: elevator at full load, kW
    REAL EHOODS = 0.0f;     // word 7: small hood, kWh over the counted hours
    REAL EHOODL = 0.0f;     // word 8: large hood, kWh over the counted hours
    REAL ELEVATOR = 0.0f;   // word 9: elevator, kWh over the counted hours
    FArray<REAL, 3> SPARE10_12{};
};

// Fourteen values the scheme input file carries and no procedure reads.
struct BLK8_t {
    FArray<REAL, 14> CARRIED{};
};

// Month names, never written.
struct BLK13A_t {
    FArray<FString<4>, 13> MONTH3 = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL",
                                     "AUG", "SEP", "OCT", "NOV", "DEC", "TOT"};
    FArray<FString<12>, 13> MONTHNAME = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",
                                         "JUNE",    "JULY",     "AUGUST",    "SEPTEMBER", "OCTOBER",
                                         "NOVEMBER", "DECEMBER", "ANNUAL"};
};

// Window, door and skylight lines ------------------------------------------

namespace building_init {

// Glazing and door properties NRGLAZING(era, property, type) at load:
// property 1 U-factor (Btu/h.ft2.F), 2 SHGC, 3 visible transmittance; types
// 1-4 windows, 5-7 skylights, 8-9 doors. Eras 2, 5 and 6 are empty.
constexpr FArray<REAL, 6, 3, 9> initial_glazing_table() {
    FArray<REAL, 6, 3, 9> g{};
    auto set = [&g](int era, int type, REAL u, REAL shgc, REAL vt) {
        g(era, 1, type) = u;
        g(era, 2, type) = shgc;
        g(era, 3, type) = vt;
    };
    for (int t = 1; t <= 7; ++t) set(1, t, 1.1f, 0.9f, 0.85f);
    set(1, 8, 1.41f, 0.5f, 0.0f);
    set(1, 9, 1.81f, 0.5f, 0.0f);
    constexpr REAL era3_u[7] = {0.321f, 0.322f, 0.323f, 0.324f, 0.325f, 0.326f, 0.327f};
    for (int t = 1; t <= 7; ++t) set(3, t, era3_u[t - 1], 0.25f, 0.25f);
    set(3, 8, 1.2f, 0.5f, 0.0f);
    set(3, 9, 1.6f, 0.5f, 0.0f);
    set(4, 1, 0.36f, 0.25f, 0.42f);
    set(4, 2, 0.46f, 0.22f, 0.32f);
    set(4, 3, 0.41f, 0.26f, 0.46f);
    set(4, 4, 0.45f, 0.23f, 0.17f);
    set(4, 5, 0.58f, 0.25f, 0.49f);
    set(4, 6, 0.46f, 0.25f, 0.49f);
    set(4, 7, 0.88f, 1.0f, 0.64f);
    set(4, 8, 0.7f, 0.5f, 0.0f);
    set(4, 9, 1.45f, 0.5f, 0.0f);
    return g;
}

// A per-line array whose line 1 (and line 3) take their own value.
constexpr FArray<REAL, 25> line_values(REAL line1, REAL line3) {
    FArray<REAL, 25> a{};
    a(1) = line1;
    a(3) = line3;
    return a;
}

// A per-line array with one value on every line but line 5 (the skylight
// line of the initial scheme).
constexpr FArray<REAL, 25> all_lines_but_5(REAL value, REAL line5) {
    FArray<REAL, 25> a = filled_with<REAL, 25>(value);
    a(5) = line5;
    return a;
}

}  // namespace building_init

// The 25 lines (j = 1..25) and their tables. At load line 1 is a south
// window and line 3 a north line; every other line is empty (QTY 0).
struct BLK15_t {
    FArray<REAL, 25> FACING = {0.0f, 90.0f, 180.0f, -90.0f};  // azimuth, degrees: 0 S, 90 W, 180 N, -90 E
    FArray<REAL, 25> FINLDEP{};  // left fin depth, ft
    FArray<REAL, 25> FINLDIS{};  // left fin distance from the glass, ft
    FArray<REAL, 25> FINRDEP{};  // right fin depth, ft
    FArray<REAL, 25> FINRDIS{};  // right fin distance, ft
    // Ground view factor.
    FArray<REAL, 25> GROUND = building_init::all_lines_but_5(0.5f, 0.0f);
    // Head height above the floor, ft.
    FArray<REAL, 25> HEAD = building_init::line_values(10.0f, 10.0f);
    FArray<INTEGER, 25> IPOINT = {1, 0, 2};  // pointer to the line's source column or line
    // Facade class: 1-4 S, W, N, E; 5 skylight; 0 empty.
    FArray<INTEGER, 25> ITEMS = {1, 2, 3, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
    FArray<REAL, 25> OHANGD = {5.06f};  // overhang depth, ft
    FArray<REAL, 25> OHANGDIS{};        // distance from the head up to the overhang, ft
    // Identical units on the line; 0 empty line.
    FArray<REAL, 25> QTY = building_init::line_values(6.0f, 6.0f);
    FArray<REAL, 25> RNIGHT{};          // night insulation R, h.ft2.F/Btu
    FArray<REAL, 25> SCOEF = {0.76f};   // SHGC (a door: solar absorptance)
    // Sill height above the floor, ft.
    FArray<REAL, 25> SILL = building_init::line_values(2.5f, 2.5f);
    // Sky view factor.
    FArray<REAL, 25> SKY = building_init::all_lines_but_5(0.5f, 1.0f);
    FArray<REAL, 25> TILT = {90.0f};    // degrees from horizontal; 45 or less skylight
    FArray<REAL, 25> TRANS = {0.88f};   // visible transmittance; 0 marks a door
    FArray<REAL, 25> UWINDO = {1.04f};  // U-factor, Btu/h.ft2.F
    // Width of one unit, ft.
    FArray<REAL, 25> WIDTH = building_init::line_values(6.0f, 6.0f);
    // Two values per line carried by the file (the window-list builder sets
    // 90 and 100 on every line it makes).
    FArray<REAL, 25> LINEXTRA1 = building_init::filled_with<REAL, 25>(90.0f);
    FArray<REAL, 25> LINEXTRA2 = building_init::filled_with<REAL, 25>(100.0f);
    FArray<REAL, 25> SHADEFLG{};  // 1 when the line has the scheme's interior shade
    // Line kind of the detailed window screen: 11-14 door S..E, 5 or 51-54
    // skylight; 9999 marks an unclassified line.
    FArray<INTEGER, 25> ITEMSII{};
    // Sunlit fraction by line, hour and month; below 1 the host supplied a
    // shading table.
    FArray<REAL, 25, 24, 12> SUNLIT = building_init::filled_with<REAL, 25, 24, 12>(1.0f);
    // Sunlit fraction by solar system (1 PV array, 2 solar water collector), hour and month.
    FArray<REAL, 4, 24, 12> SUNLITCHM = building_init::filled_with<REAL, 4, 24, 12>(1.0f);
    FArray<REAL, 25> OHANGLEX{};  // overhang extension past the left jamb, ft
    FArray<REAL, 25> OHANGREX{};  // overhang extension past the right jamb, ft
    FArray<REAL, 6, 3, 9> NRGLAZING = building_init::initial_glazing_table();
    INTEGER ERA = 4;    // glazing era of the scheme
    INTEGER WTYPE = 1;  // window type code; negative: user-defined
    INTEGER DTYPE = 8;  // door type code; negative: user-defined
    INTEGER STYPE = 5;  // skylight type code; negative: user-defined
};

// Building types ------------------------------------------------------------

// BTNAME(1..6, t) the 24-character name of type t, BTNAME(7, t) its code.
constexpr FArray<FString<4>, 7, 20> building_type_names() {
    constexpr std::string_view names[20][2] = {
        {"THEATER AUDITORIUM      ", "ASSE"}, {"INDUSTRIAL  FACTORY     ", "FACT"},
        {"CLINIC  DOCTORS DENTISTS", "DOCT"}, {"STORE   STOREFRONT      ", "STOR"},
        {"Data Center             ", "Data"}, {"SHOPPING CENTER         ", "MALL"},
        {"OFFICE BUILDING HIGHRISE", "OBHR"}, {"Laboratory              ", "Lab "},
        {"TROMBE WALL             ", "TROM"}, {"RESTAURANT  KITCHEN     ", "CAFE"},
        {"WAREH0USE  .            ", "WARE"}, {"SCHOOL  Classroom       ", "Scho"},
        {"Parking                 ", "Park"}, {"Residential Living  HOTE", "Resi"},
        {"Residential Common  Area", "Comm"}, {"MULTIFAMILY HIGHRISE    ", "MFHR"},
        {"MULTIFAMILY LOWRISE     ", "MFLR"}, {"SINGLE FAMILY ATTACHED  ", "ROWH"},
        {"SINGLE FAMILY RESIDENCE ", "HOUS"}, {"SUNSPACE    GREEN HOUSE ", "SUN "},
    };
    FArray<FString<4>, 7, 20> bt{};
    for (int t = 1; t <= 20; ++t) {
        const FArray<FString<4>, 6> words = text_as_words(names[t - 1][0]);
        for (int w = 1; w <= 6; ++w) bt(w, t) = words(w);
        bt(7, t) = names[t - 1][1];
    }
    return bt;
}

// Building-type names, never written. Types 16-19 are residential.
struct BLK21A_t {
    FArray<FString<4>, 7, 20> BTNAME = building_type_names();
};

// Building type and its defaults, 582 words.
//
// DVALUE(row, type), 15 rows: 1 AIRCHG 1/h; 2 ft2 per person; 3, 4
// occupancy on and off hour; 5 lighting W/ft2; 6, 7 lights on and off hour
// (25 = at sunset); 8 equipment W/ft2; 9, 10 equipment on and off hour;
// 11 floor-to-ceiling height ft; 12 slab flag (0: slab required); 13, 14
// largest north-south plan dimension of a low-rise and a high-rise
// building, ft (0: none given); 15 spare.
// Types 1 and 8 and row 11 are the design values of this program. The other
// entries are typical values for the type: non-residential occupant
// densities after ASHRAE 62.1 default occupant densities, hours after the
// type's schedules in SCHEDULES, lighting after the ASHRAE 90.1 / California
// Title 24 space lighting power allowances, plan depths after daylit-plan
// practice (a sidelit zone reaches about twice the head height from each
// facade, as in the ASHRAE Advanced Energy Design Guides). Residential types
// (9, 16-20): 0.35 air changes per hour (the ASHRAE 62-1989 residential
// minimum), occupants = bedrooms + 1 (ASHRAE 62.2), hence 500 ft2 per person
// in houses and 400 in apartments, lights from sunset to 11 pm at
// 0.5 W/ft2 (about 0.8 kWh/ft2.yr, the Building America benchmark), plug
// loads 0.3 W/ft2 from 6 am to 11 pm.
// clang-format off
inline constexpr FArray<REAL, 15, 20> kInitialDvalue = {
//  AIRCHG ft2/p occ-on occ-off W/ft2 lt-on lt-off eq-W eq-on eq-off ceil slab NSlow NShigh spare
    0.1f,   50,  18, 23, 1.8f, 17, 24, 1.0f, 11, 24, 40,    0,   0,   0, 0,  //  1 theater auditorium
    0.1f,  200,   7, 17, 1.1f,  7, 18, 1.0f,  7, 18, 20,    0, 120, 120, 0,  //  2 industrial factory
    0.1f,  100,   8, 18, 1.2f,  8, 19, 1.5f,  8, 19,  9,    0,  60,  60, 0,  //  3 clinic
    0.1f,   60,   9, 21, 1.6f,  9, 22, 1.0f,  9, 22, 10,    0, 100, 100, 0,  //  4 store
    0.1f,  250,   8, 17, 1.0f,  1, 24, 1.5f,  1, 24, 10,    0, 100, 100, 0,  //  5 data center
    0.1f,   60,  10, 21, 1.6f,  9, 22, 1.0f,  9, 22, 12,    0, 150, 150, 0,  //  6 shopping center
    0.1f,  200,   8, 17, 1.1f,  7, 18, 1.5f,  7, 18, 11.5f, 0,  60,  90, 0,  //  7 office high-rise
    0.1f,  100,   8, 17, 1.2f,  8, 18, 1.0f,  8, 18, 10,    0,  40,  70, 0,  //  8 laboratory
    0.35f, 500,  17,  8, 0.5f, 25, 23, 0.3f,  6, 23,  9,    0,  30,  30, 0,  //  9 trombe wall
    0.1f,   30,  11, 23, 1.3f,  7, 24, 1.5f,  7, 24, 14,    0,  60,  60, 0,  // 10 restaurant
    0.1f, 1000,   7, 17, 0.6f,  7, 18, 0.2f,  7, 18, 20,    0, 200, 200, 0,  // 11 warehouse
    0.1f,   30,   8, 16, 1.2f,  7, 17, 1.0f,  7, 17,  9,    0,  60,  60, 0,  // 12 school classroom
    0.1f,    0,   7, 20, 0.2f,  1, 24, 0.0f,  7, 20, 11,    0, 200, 200, 0,  // 13 parking
    0.1f,  200,  17,  8, 1.1f, 17, 23, 0.5f,  6, 23, 10,    0,  60,  90, 0,  // 14 hotel guest rooms
    0.1f,  100,   6, 23, 1.0f,  1, 24, 0.5f,  6, 23, 10,    0,  60,  90, 0,  // 15 residential common
    0.35f, 400,  17,  8, 0.5f, 25, 23, 0.3f,  6, 23,  8,    0,  60,  60, 0,  // 16 multifamily high-rise
    0.35f, 400,  17,  8, 0.5f, 25, 23, 0.3f,  6, 23,  8,    0,  60,  60, 0,  // 17 multifamily low-rise
    0.35f, 500,  17,  8, 0.5f, 25, 23, 0.3f,  6, 23,  8,    0,  40,  40, 0,  // 18 single family attached
    0.35f, 500,  17,  8, 0.5f, 25, 23, 0.3f,  6, 23,  8,    0,  40,  40, 0,  // 19 single family
    0.35f, 500,  17,  8, 0.5f, 25, 23, 0.3f,  6, 23,  8,    0,  30,  30, 0,  // 20 sunspace
};

// DVALUENR(row, type), 14 rows of non-residential loads: 1 occupants per
// 1000 ft2; 2 sensible, 3 latent Btu/h per person; 4 plug loads W/ft2;
// 5 hot-water factor, gal/h per occupant; 6 lighting W/ft2; 7 outside air
// cfm/ft2; 8 gas equipment Btu/h.ft2; 9 refrigeration W/ft2; 10 design
// illuminance, lux; 11-14 further values given for type 1 only.
// Type 1 is this program's design set. The other types follow the
// California nonresidential compliance manual's default occupancy table:
// occupant density at the building-code occupant load, heat gain per
// person (ASHRAE Fundamentals occupant heat gains), receptacle load,
// service hot water (its Btu/h per person over 8.33 lb/gal x 80 F rise:
// 60 gives 0.09, 120 gives 0.18, 160 gives 0.24), lighting power density and
// outside air (Title 24 section 120.1: the larger of the area rate and
// 15 cfm per person at half the occupant load). Gas equipment and
// refrigeration only where the use has them (restaurant cooking and
// walk-in coolers); illuminance after the IES Lighting Handbook targets.
// Types 5, 6, 8, 9, 13 and 15-20 are all zero.
inline constexpr FArray<REAL, 14, 20> kInitialDvaluenr = {
//  occ  sens lat  plug  hw     light OA     gas refr lux  11-14
    143, 245, 105, 1.0f, 0.09f, 1.5f, 1.07f,  0,  0,    50, 1000, 1.5f, 2, 4,  //  1 theater auditorium
      5, 275, 475, 1.0f, 0.18f, 1.1f, 0.15f,  0,  0,   500, 0, 0, 0, 0,        //  2 industrial factory
     10, 250, 200, 1.5f, 0.24f, 1.2f, 0.15f,  0,  0,   500, 0, 0, 0, 0,        //  3 clinic
     33, 250, 200, 1.0f, 0.09f, 1.6f, 0.25f,  0,  0,   750, 0, 0, 0, 0,        //  4 store
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        //  5 data center
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        //  6 shopping center
     10, 250, 200, 1.5f, 0.18f, 1.1f, 0.15f,  0,  0,   500, 0, 0, 0, 0,        //  7 office high-rise
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        //  8 laboratory
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        //  9 trombe wall
     67, 275, 275, 1.5f, 0.24f, 1.3f, 0.5f,  20, 1.0f, 300, 0, 0, 0, 0,        // 10 restaurant
      3, 275, 475, 0.2f, 0.09f, 0.6f, 0.15f,  0,  0,   200, 0, 0, 0, 0,        // 11 warehouse
     50, 245, 105, 1.0f, 0.09f, 1.2f, 0.38f,  0,  0,   500, 0, 0, 0, 0,        // 12 school classroom
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 13 parking
      5, 245, 155, 0.5f, 0.24f, 1.1f, 0.15f,  0,  0,   200, 0, 0, 0, 0,        // 14 hotel guest rooms
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 15 residential common
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 16 multifamily high-rise
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 17 multifamily low-rise
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 18 single family attached
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 19 single family
      0,   0,   0, 0,    0,     0,    0,      0,  0,     0, 0, 0, 0, 0,        // 20 sunspace
};
// clang-format on

struct BLK21B_t {
    INTEGER NTYPE = 8;  // word 1: building type 1-20; 16-19 residential
    REAL PEAK = 0.0f;   // word 2: internal-gain peak, Btu/h.ft2 (the PV driver overwrites it)
    FArray<REAL, 15, 20> DVALUE = kInitialDvalue;
    FArray<REAL, 14, 20> DVALUENR = kInitialDvaluenr;
};

// Zone tables.
struct BLK28_t {
    FArray<INTEGER, 12> DAYFLAG{};  // per month or design day of the run; -1 skips it
    // Hours below 47 F by hour and month: simulated days (12-day run) or the
    // fraction of the month's days (365-day run).
    FArray<REAL, 24, 12> FREEZHRS{};
    // Heating and cooling design dry-bulb temperatures of climate zones 1-16, F.
    FArray<REAL, 16> DESMINZ = {32.18f, 29.3f,  35.06f, 30.56f, 32.18f, 38.84f, 37.58f, 36.14f,
                                37.22f, 32.54f, 28.76f, 29.3f,  30.2f,  21.56f, 33.44f, 14.0f};
    FArray<REAL, 16> DESMAXZ = {71.96f, 95.0f,  83.39f, 88.7f,   82.94f,  81.5f,   84.74f, 91.04f,
                                96.08f, 98.96f, 99.86f, 98.42f, 102.02f, 101.68f, 111.56f, 90.5f};
    INTEGER ERATEZONEZ = 10;  // electric rate zone of the zip-code record
    INTEGER GRATEZONEZ = 1;   // gas rate zone of the zip-code record
};

// HVAC and ventilation: 48 REAL words. The scheme input file carries words
// 1-20, 23, 33 and 37; this word map must stay as it is.
//   1-20  settings named below
//   21    KWHRattic, the hour's attic-fan electricity: the driver zeroes it
//         at each run so that a roof without attic model never leaves a stale
//         value from an earlier scheme
//   22    SurfaceRatio, 23 IAQHeatRec, 24 spare
//   25-32, 34-36, 38: the year's fan energies (kWh) and fan and passive hour
//         counters, zeroed every warm-up hour
//   33    wCFMceil, 37 EvapEff (inputs carried by the file)
//   39    ACH50, 40 ACHNAT (written by the infiltration model)
//   41-48 spare
struct BLK35_t {
    REAL NHVACS = 3.0f;       // word 1: HVAC system setting; 0 no heating or cooling equipment
    REAL FACFM = 15.0f;       // word 2: fresh air required, cfm
    REAL ACHMAX = 6.0f;       // word 3: maximum (whole-house fan) air changes per hour
    REAL ECMOTD = 65.0f;      // word 4: economizer temperature, F (the zone balance writes COMLOW here)
    REAL SETBKU = 60.0f;      // word 5: heating set-back with the house empty, F
    REAL SETBKN = 65.0f;      // word 6: heating set-back at night, F
    REAL SETUPU = 85.0f;      // word 7: cooling set-up with the house empty, F
    REAL LATENT = 30.0f;      // word 8: latent load, percent of infiltration and ventilation
    REAL COPAC = 3.1f;        // word 9: cooling efficiency, SEER / 3.412
    REAL COPHT = 0.75f;       // word 10: heating efficiency: AFUE up to 1, HSPF above
    REAL PBTUHL = 160.0f;     // word 11: latent heat per person, Btu/h
    REAL AETOT = 0.0f;        // word 12: annual electricity consumed, kWh (memory only)
    REAL wCFMhvac = 0.58f;    // word 13: HVAC blower power, W/cfm
    REAL wCFMvent = 0.14f;    // word 14: ventilation (whole-house and attic) fan power, W/cfm
    REAL wCFMiaq = 0.4f;      // word 15: fresh-air fan power, W/cfm; 0 or less none
    REAL DuctInsul = 0.0f;    // word 16: duct insulation R, h.ft2.F/Btu
    REAL DuctLeakPct = 6.0f;  // word 17: duct leakage, percent
    REAL SLA = 0.0f;          // word 18: specific leakage area of the envelope
    REAL AirChgW = 0.0f;      // word 19: winter design air changes per hour; 0.03-2.0 valid
    REAL AirChgS = 0.0f;      // word 20: summer design air changes per hour
    REAL KWHRattic = 0.0f;    // word 21: attic-fan electricity of the hour, kWh
    REAL SurfaceRatio = 0.0f; // word 22: envelope surface over its largest value, 0.05-1
    REAL IAQHeatRec = 0.0f;   // word 23: heat recovery of the fresh-air fan, percent
    REAL SPARE24 = 0.0f;      // word 24
    REAL AtticFanHrs = 0.0f;  // word 25: attic-fan hours of the year
    REAL KWHVENTYR = 0.0f;    // word 26: whole-house fan or economizer, kWh/yr
    REAL KWHCEILYR = 0.0f;    // word 27: ceiling fans, kWh/yr
    REAL KWHHVACYR = 0.0f;    // word 28: HVAC blower, kWh/yr
    REAL KWHIAQYR = 0.0f;     // word 29: fresh-air fan, kWh/yr
    REAL KWHATTICYR = 0.0f;   // word 30: attic fan, kWh/yr
    REAL KWHLEAKYR = 0.0f;    // word 31: blower share lost with duct leakage, kWh/yr
    REAL WHfanHrs = 0.0f;     // word 32: whole-house fan hours of the year
    REAL wCFMceil = 0.0f;     // word 33: ceiling-fan power, W/cfm
    REAL CeilFanHrs = 0.0f;   // word 34: ceiling-fan hours of the year
    REAL IAQFanHrs = 0.0f;    // word 35: fresh-air fan hours of the year
    REAL NatVentHrs = 0.0f;   // word 36: natural-ventilation hours of the year
    REAL EvapEff = 0.0f;      // word 37: evaporative-cooler effectiveness, percent
    REAL EvapCoolHrs = 0.0f;  // word 38: evaporative-cooler hours of the year
    REAL ACH50 = 0.0f;        // word 39: air changes at 50 Pa
    REAL ACHNAT = 0.0f;       // word 40: natural air changes per hour, ACH50 / N
    FArray<REAL, 8> SPARE41_48{};
};

// Daylighting, 18 words in block order.
struct BLK48_t {
    REAL BLINDANGLE = 100.0f;  // word 1: blind slat angle, degrees; 0-90 blinds drawn, 100 none
    REAL DILLUM = 30.0f;       // word 2: design illuminance, footcandles
    FArray<REAL, 5> FCAVG{};   // words 3-7: the hour's daylight footcandles behind S, W, N, E glazing and skylights
    REAL INTZONE = 0.0f;       // word 8: interior zone floor area, ft2
    REAL INTZONEX = 0.0f;      // word 9: skylit floor area, ft2
    REAL LENGTHDL = 30.0f;     // word 10: daylit-zone length along the facade, ft
    REAL LENGTHSLZ = 0.0f;     // word 11: skylit-zone length, ft
    REAL PERCENTDL = 0.0f;     // word 12: percent of the floor daylit; daylighting for 0 < value <= 100
    REAL SKYFLOOR = 0.0f;      // word 13: skylit floor area used, ft2
    REAL SHADEPCT = 100.0f;    // word 14: shade transmittance, percent; 100 or more or negative: no shade
    REAL REFLPCT = 70.0f;      // word 15: room surface reflectance, percent
    REAL WIDTHDL = 16.0f;      // word 16: daylit-zone depth, ft; -1 asks for recomputation
    REAL WIDTHSLZ = 0.0f;      // word 17: skylit-zone width, ft
    INTEGER NSKYUNITS = 0;     // word 18: skylight units, set by the model defaults
};

// Two logicals carried by the scheme input file from revision 9.
struct BLK150_t {
    FArray<LOGICAL, 2> FLAG150{};
};

// Non-residential schedules, the whole content of the schedule file.
struct BLK32AA_t {
    ScheduleTable SCHEDULES = initial_schedules();
};

extern BLK1A_t BLK1A;
extern BLK1B_t BLK1B;
extern BLK2_t BLK2;
extern BLK3_t BLK3;
extern BLK5_t BLK5;
extern BLK5A_t BLK5A;
extern BLK5C_t BLK5C;
extern BLK5D_t BLK5D;
extern BLK8_t BLK8;
extern BLK13A_t BLK13A;
extern BLK15_t BLK15;
extern BLK21A_t BLK21A;
extern BLK21B_t BLK21B;
extern BLK28_t BLK28;
extern BLK35_t BLK35;
extern BLK48_t BLK48;
extern BLK150_t BLK150;
extern BLK32AA_t BLK32AA;

// Layouts the files and the hourly consumers rely on.
static_assert(sizeof(BLK1A_t) == 18 * 4);
static_assert(std::is_standard_layout_v<BLK1B_t> && sizeof(BLK1B_t) == 11 * 4);
static_assert(offsetof(BLK1B_t, TMYMON) == building_word_offset(3));
static_assert(offsetof(BLK1B_t, TMYFLAG) == building_word_offset(6));
static_assert(offsetof(BLK1B_t, DATSTAMP) == building_word_offset(9));
static_assert(std::is_standard_layout_v<BLK2_t> && sizeof(BLK2_t) == 13 * 4);
static_assert(offsetof(BLK2_t, RAX) == building_word_offset(8));
static_assert(offsetof(BLK2_t, VOLUMEAG) == building_word_offset(12));
static_assert(offsetof(BLK2_t, NMULTI) == building_word_offset(13));
static_assert(sizeof(BLK3_t) == 54 * 4);
static_assert(sizeof(BLK5_t) == 15 * 4);
static_assert(std::is_standard_layout_v<BLK5A_t> && sizeof(BLK5A_t) == 20 * 4);
static_assert(offsetof(BLK5A_t, WHEF2) == building_word_offset(3));
static_assert(offsetof(BLK5A_t, APPGAS1) == building_word_offset(4));
static_assert(offsetof(BLK5A_t, EAELECTD) == building_word_offset(13));
static_assert(offsetof(BLK5A_t, EEHEATPHR) == building_word_offset(18));
static_assert(offsetof(BLK5A_t, TOTALDAYBTU) == building_word_offset(19));
static_assert(sizeof(BLK5C_t) == 64 * 4);
static_assert(std::is_standard_layout_v<BLK5D_t> && sizeof(BLK5D_t) == 12 * 4);
static_assert(offsetof(BLK5D_t, ELEVATOR) == building_word_offset(9));
static_assert(sizeof(BLK8_t) == 14 * 4);
static_assert(sizeof(BLK13A_t) == 13 * 4 + 13 * 12);
static_assert(std::is_standard_layout_v<BLK15_t> && sizeof(BLK15_t) == (24 * 25 + 25 * 24 * 12 + 4 * 24 * 12 +
                                                                        2 * 25 + 6 * 3 * 9 + 4) * 4);
static_assert(sizeof(BLK21A_t) == 7 * 20 * 4);
static_assert(std::is_standard_layout_v<BLK21B_t> && sizeof(BLK21B_t) == 582 * 4);
static_assert(offsetof(BLK21B_t, DVALUE) == building_word_offset(3));
static_assert(offsetof(BLK21B_t, DVALUENR) == building_word_offset(303));
static_assert(std::is_standard_layout_v<BLK28_t> && sizeof(BLK28_t) == 334 * 4);
static_assert(offsetof(BLK28_t, FREEZHRS) == building_word_offset(13));
static_assert(std::is_standard_layout_v<BLK35_t> && sizeof(BLK35_t) == 48 * 4);
static_assert(offsetof(BLK35_t, COPAC) == building_word_offset(9));
static_assert(offsetof(BLK35_t, AETOT) == building_word_offset(12));
static_assert(offsetof(BLK35_t, wCFMhvac) == building_word_offset(13));
static_assert(offsetof(BLK35_t, wCFMiaq) == building_word_offset(15));
static_assert(offsetof(BLK35_t, DuctInsul) == building_word_offset(16));
static_assert(offsetof(BLK35_t, SLA) == building_word_offset(18));
static_assert(offsetof(BLK35_t, AirChgS) == building_word_offset(20));
static_assert(offsetof(BLK35_t, KWHRattic) == building_word_offset(21));
static_assert(offsetof(BLK35_t, SurfaceRatio) == building_word_offset(22));
static_assert(offsetof(BLK35_t, IAQHeatRec) == building_word_offset(23));
static_assert(offsetof(BLK35_t, AtticFanHrs) == building_word_offset(25));
static_assert(offsetof(BLK35_t, WHfanHrs) == building_word_offset(32));
static_assert(offsetof(BLK35_t, wCFMceil) == building_word_offset(33));
static_assert(offsetof(BLK35_t, CeilFanHrs) == building_word_offset(34));
static_assert(offsetof(BLK35_t, IAQFanHrs) == building_word_offset(35));
static_assert(offsetof(BLK35_t, NatVentHrs) == building_word_offset(36));
static_assert(offsetof(BLK35_t, EvapEff) == building_word_offset(37));
static_assert(offsetof(BLK35_t, EvapCoolHrs) == building_word_offset(38));
static_assert(offsetof(BLK35_t, ACH50) == building_word_offset(39));
static_assert(offsetof(BLK35_t, ACHNAT) == building_word_offset(40));
static_assert(std::is_standard_layout_v<BLK48_t> && sizeof(BLK48_t) == 18 * 4);
static_assert(offsetof(BLK48_t, FCAVG) == building_word_offset(3));
static_assert(offsetof(BLK48_t, SHADEPCT) == building_word_offset(14));
static_assert(offsetof(BLK48_t, NSKYUNITS) == building_word_offset(18));
static_assert(sizeof(BLK150_t) == 2);
static_assert(std::is_standard_layout_v<BLK32AA_t> && sizeof(BLK32AA_t) == 34560);

// Titles and location.
inline FString<24>& TITLE1 = BLK1A.TITLE1;
inline FString<24>& TITLE2 = BLK1A.TITLE2;
inline FString<24>& TITLE3 = BLK1A.TITLE3;
inline INTEGER& LOCATE = BLK1B.LOCATE;
inline INTEGER& TMYDAY = BLK1B.TMYDAY;
inline INTEGER& TMYMON = BLK1B.TMYMON;
inline INTEGER& EXPDAY = BLK1B.EXPDAY;
inline INTEGER& EXPMON = BLK1B.EXPMON;
inline FArray<INTEGER, 3>& TMYFLAG = BLK1B.TMYFLAG;
inline INTEGER& DATSTAMP = BLK1B.DATSTAMP;
inline FString<5>& TMYCODE = BLK1B.TMYCODE;

// Dimensions and envelope.
inline REAL& AREAT = BLK2.AREAT;
inline REAL& EWDIM = BLK2.EWDIM;
inline REAL& FLOORS = BLK2.FLOORS;
inline REAL& FLTOFL = BLK2.FLTOFL;
inline REAL& FLTOCE = BLK2.FLTOCE;
inline REAL& NSDIM = BLK2.NSDIM;
inline REAL& SFACES = BLK2.SFACES;
inline REAL& RAX = BLK2.RAX;
inline REAL& VOLUME = BLK2.VOLUME;
inline REAL& RSLOPE = BLK2.RSLOPE;
inline REAL& REMITT = BLK2.REMITT;
inline REAL& VOLUMEAG = BLK2.VOLUMEAG;
inline INTEGER& NMULTI = BLK2.NMULTI;
inline FArray<REAL, 27>& AREA = BLK3.AREA;
inline FArray<REAL, 27>& PERCNT = BLK3.PERCNT;

// Internal gains.
inline REAL& AIRCHG = BLK5.AIRCHG;
inline REAL& HRPEOPON = BLK5.HRPEOPON;
inline REAL& EQPT = BLK5.EQPT;
inline REAL& HRPEOPOFF = BLK5.HRPEOPOFF;
inline REAL& LIGHTS = BLK5.LIGHTS;
inline REAL& HREQPTOFF = BLK5.HREQPTOFF;
inline REAL& HRLITEOFF = BLK5.HRLITEOFF;
inline REAL& HREQPTON = BLK5.HREQPTON;
inline REAL& HRLITEON = BLK5.HRLITEON;
inline REAL& PAREA = BLK5.PAREA;
inline REAL& PBTUH = BLK5.PBTUH;
inline REAL& PEOPLE = BLK5.PEOPLE;
inline REAL& TELOAD = BLK5.TELOAD;
inline REAL& TLLOAD = BLK5.TLLOAD;
inline REAL& TOLOAD = BLK5.TOLOAD;

// Water heater, appliances, hoods and elevator.
inline INTEGER& WHTYPE = BLK5A.WHTYPE;
inline REAL& WHEF = BLK5A.WHEF;
inline REAL& WHEF2 = BLK5A.WHEF2;
inline REAL& APPGAS1 = BLK5A.APPGAS1;
inline REAL& RAELECT = BLK5A.RAELECT;
inline REAL& DAGAS = BLK5A.DAGAS;
inline REAL& APPELEC4 = BLK5A.APPELEC4;
inline REAL& EAELECT = BLK5A.EAELECT;
inline REAL& APPGAS1D = BLK5A.APPGAS1D;
inline REAL& RAELECTD = BLK5A.RAELECTD;
inline REAL& DAGASD = BLK5A.DAGASD;
inline REAL& APPELEC4D = BLK5A.APPELEC4D;
inline REAL& EAELECTD = BLK5A.EAELECTD;
inline REAL& GAS1HEATPHR = BLK5A.GAS1HEATPHR;
inline REAL& REHEATPHR = BLK5A.REHEATPHR;
inline REAL& DGHEATPHR = BLK5A.DGHEATPHR;
inline REAL& ELEC4HEATPHR = BLK5A.ELEC4HEATPHR;
inline REAL& EEHEATPHR = BLK5A.EEHEATPHR;
inline REAL& TOTALDAYBTU = BLK5A.TOTALDAYBTU;
inline FArray<REAL, 10, 6>& APPLIANCE = BLK5C.APPLIANCE;
inline REAL& EHOODSPHR = BLK5D.EHOODSPHR;
inline REAL& EHOODLPHR = BLK5D.EHOODLPHR;
inline REAL& ELEVPHR = BLK5D.ELEVPHR;
inline REAL& EHOODSD = BLK5D.EHOODSD;
inline REAL& EHOODLD = BLK5D.EHOODLD;
inline REAL& ELEVD = BLK5D.ELEVD;
inline REAL& EHOODS = BLK5D.EHOODS;
inline REAL& EHOODL = BLK5D.EHOODL;
inline REAL& ELEVATOR = BLK5D.ELEVATOR;

// Month names.
inline FArray<FString<4>, 13>& MONTH3 = BLK13A.MONTH3;
inline FArray<FString<12>, 13>& MONTHNAME = BLK13A.MONTHNAME;

// Window, door and skylight lines.
inline FArray<REAL, 25>& FACING = BLK15.FACING;
inline FArray<REAL, 25>& FINLDEP = BLK15.FINLDEP;
inline FArray<REAL, 25>& FINLDIS = BLK15.FINLDIS;
inline FArray<REAL, 25>& FINRDEP = BLK15.FINRDEP;
inline FArray<REAL, 25>& FINRDIS = BLK15.FINRDIS;
inline FArray<REAL, 25>& GROUND = BLK15.GROUND;
inline FArray<REAL, 25>& HEAD = BLK15.HEAD;
inline FArray<INTEGER, 25>& IPOINT = BLK15.IPOINT;
inline FArray<INTEGER, 25>& ITEMS = BLK15.ITEMS;
inline FArray<REAL, 25>& OHANGD = BLK15.OHANGD;
inline FArray<REAL, 25>& OHANGDIS = BLK15.OHANGDIS;
inline FArray<REAL, 25>& QTY = BLK15.QTY;
inline FArray<REAL, 25>& RNIGHT = BLK15.RNIGHT;
inline FArray<REAL, 25>& SCOEF = BLK15.SCOEF;
inline FArray<REAL, 25>& SILL = BLK15.SILL;
inline FArray<REAL, 25>& SKY = BLK15.SKY;
inline FArray<REAL, 25>& TILT = BLK15.TILT;
inline FArray<REAL, 25>& TRANS = BLK15.TRANS;
inline FArray<REAL, 25>& UWINDO = BLK15.UWINDO;
inline FArray<REAL, 25>& WIDTH = BLK15.WIDTH;
inline FArray<REAL, 25>& LINEXTRA1 = BLK15.LINEXTRA1;
inline FArray<REAL, 25>& LINEXTRA2 = BLK15.LINEXTRA2;
inline FArray<REAL, 25>& SHADEFLG = BLK15.SHADEFLG;
inline FArray<INTEGER, 25>& ITEMSII = BLK15.ITEMSII;
inline FArray<REAL, 25, 24, 12>& SUNLIT = BLK15.SUNLIT;
inline FArray<REAL, 4, 24, 12>& SUNLITCHM = BLK15.SUNLITCHM;
inline FArray<REAL, 25>& OHANGLEX = BLK15.OHANGLEX;
inline FArray<REAL, 25>& OHANGREX = BLK15.OHANGREX;
inline FArray<REAL, 6, 3, 9>& NRGLAZING = BLK15.NRGLAZING;
inline INTEGER& ERA = BLK15.ERA;
inline INTEGER& WTYPE = BLK15.WTYPE;
inline INTEGER& DTYPE = BLK15.DTYPE;
inline INTEGER& STYPE = BLK15.STYPE;

// Building type and zone tables.
inline FArray<FString<4>, 7, 20>& BTNAME = BLK21A.BTNAME;
inline INTEGER& NTYPE = BLK21B.NTYPE;
inline REAL& PEAK = BLK21B.PEAK;
inline FArray<REAL, 15, 20>& DVALUE = BLK21B.DVALUE;
inline FArray<REAL, 14, 20>& DVALUENR = BLK21B.DVALUENR;
inline FArray<INTEGER, 12>& DAYFLAG = BLK28.DAYFLAG;
inline FArray<REAL, 24, 12>& FREEZHRS = BLK28.FREEZHRS;
inline FArray<REAL, 16>& DESMINZ = BLK28.DESMINZ;
inline FArray<REAL, 16>& DESMAXZ = BLK28.DESMAXZ;
inline INTEGER& ERATEZONEZ = BLK28.ERATEZONEZ;
inline INTEGER& GRATEZONEZ = BLK28.GRATEZONEZ;

// HVAC and ventilation.
inline REAL& NHVACS = BLK35.NHVACS;
inline REAL& FACFM = BLK35.FACFM;
inline REAL& ACHMAX = BLK35.ACHMAX;
inline REAL& ECMOTD = BLK35.ECMOTD;
inline REAL& SETBKU = BLK35.SETBKU;
inline REAL& SETBKN = BLK35.SETBKN;
inline REAL& SETUPU = BLK35.SETUPU;
inline REAL& LATENT = BLK35.LATENT;
inline REAL& COPAC = BLK35.COPAC;
inline REAL& COPHT = BLK35.COPHT;
inline REAL& PBTUHL = BLK35.PBTUHL;
inline REAL& AETOT = BLK35.AETOT;
inline REAL& wCFMhvac = BLK35.wCFMhvac;
inline REAL& wCFMvent = BLK35.wCFMvent;
inline REAL& wCFMiaq = BLK35.wCFMiaq;
inline REAL& DuctInsul = BLK35.DuctInsul;
inline REAL& DuctLeakPct = BLK35.DuctLeakPct;
inline REAL& SLA = BLK35.SLA;
inline REAL& AirChgW = BLK35.AirChgW;
inline REAL& AirChgS = BLK35.AirChgS;
inline REAL& KWHRattic = BLK35.KWHRattic;
inline REAL& SurfaceRatio = BLK35.SurfaceRatio;
inline REAL& IAQHeatRec = BLK35.IAQHeatRec;
inline REAL& AtticFanHrs = BLK35.AtticFanHrs;
inline REAL& KWHVENTYR = BLK35.KWHVENTYR;
inline REAL& KWHCEILYR = BLK35.KWHCEILYR;
inline REAL& KWHHVACYR = BLK35.KWHHVACYR;
inline REAL& KWHIAQYR = BLK35.KWHIAQYR;
inline REAL& KWHATTICYR = BLK35.KWHATTICYR;
inline REAL& KWHLEAKYR = BLK35.KWHLEAKYR;
inline REAL& WHfanHrs = BLK35.WHfanHrs;
inline REAL& wCFMceil = BLK35.wCFMceil;
inline REAL& CeilFanHrs = BLK35.CeilFanHrs;
inline REAL& IAQFanHrs = BLK35.IAQFanHrs;
inline REAL& NatVentHrs = BLK35.NatVentHrs;
inline REAL& EvapEff = BLK35.EvapEff;
inline REAL& EvapCoolHrs = BLK35.EvapCoolHrs;
inline REAL& ACH50 = BLK35.ACH50;
inline REAL& ACHNAT = BLK35.ACHNAT;

// Daylighting.
inline REAL& BLINDANGLE = BLK48.BLINDANGLE;
inline REAL& DILLUM = BLK48.DILLUM;
inline FArray<REAL, 5>& FCAVG = BLK48.FCAVG;
inline REAL& INTZONE = BLK48.INTZONE;
inline REAL& INTZONEX = BLK48.INTZONEX;
inline REAL& LENGTHDL = BLK48.LENGTHDL;
inline REAL& LENGTHSLZ = BLK48.LENGTHSLZ;
inline REAL& PERCENTDL = BLK48.PERCENTDL;
inline REAL& SKYFLOOR = BLK48.SKYFLOOR;
inline REAL& SHADEPCT = BLK48.SHADEPCT;
inline REAL& REFLPCT = BLK48.REFLPCT;
inline REAL& WIDTHDL = BLK48.WIDTHDL;
inline REAL& WIDTHSLZ = BLK48.WIDTHSLZ;
inline INTEGER& NSKYUNITS = BLK48.NSKYUNITS;

inline FArray<LOGICAL, 2>& FLAG150 = BLK150.FLAG150;
inline ScheduleTable& SCHEDULES = BLK32AA.SCHEDULES;

}  // namespace mavo

#define MAVO_BUILDING_BLOCKS(X) \
    X(BLK1A)                    \
    X(BLK1B)                    \
    X(BLK2)                     \
    X(BLK3)                     \
    X(BLK5)                     \
    X(BLK5A)                    \
    X(BLK5C)                    \
    X(BLK5D)                    \
    X(BLK8)                     \
    X(BLK13A)                   \
    X(BLK15)                    \
    X(BLK21A)                   \
    X(BLK21B)                   \
    X(BLK28)                    \
    X(BLK35)                    \
    X(BLK48)                    \
    X(BLK150)                   \
    X(BLK32AA)
