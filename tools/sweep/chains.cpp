// A designer's history: chains of edits, runs, copies and designs, against
// a new project given the chain's inputs at once.
#include "sweep/chains.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <sstream>

#include "blocks/blocks.h"
#include "host_edit.h"
#include "project/project.h"
#include "sweep/invariants.h"

namespace mavo::sweep {

namespace {

// Words of the scheme's input file a host writes besides the column.
enum class Word { kAzimuth, kWindowType, kDoorType, kSkylightType, kWaterHeater, kBuildingType, kHeatingEfficiency,
                  kCoolingEfficiency, kLeakageArea, kAnotherBuilding };

const std::vector<Word>& every_word() {
    static const std::vector<Word> words = {Word::kAzimuth,          Word::kWindowType,         Word::kDoorType,
                                            Word::kSkylightType,     Word::kWaterHeater,        Word::kBuildingType,
                                            Word::kHeatingEfficiency, Word::kCoolingEfficiency, Word::kLeakageArea,
                                            Word::kAnotherBuilding};
    return words;
}

REAL word_of(Word w) {
    switch (w) {
        case Word::kAzimuth: return SFACES;
        case Word::kWindowType: return static_cast<REAL>(WTYPE);
        case Word::kDoorType: return static_cast<REAL>(DTYPE);
        case Word::kSkylightType: return static_cast<REAL>(STYPE);
        case Word::kWaterHeater: return static_cast<REAL>(WHTYPE);
        case Word::kBuildingType: return static_cast<REAL>(NTYPE);
        case Word::kHeatingEfficiency: return COPHT;
        case Word::kCoolingEfficiency: return COPAC;
        case Word::kLeakageArea: return SLA;
        case Word::kAnotherBuilding: return NFLAG(24) ? 1.0f : 0.0f;
    }
    return 0.0f;
}

const char* word_name(Word w) {
    switch (w) {
        case Word::kAzimuth: return "azimuth";
        case Word::kWindowType: return "window type";
        case Word::kDoorType: return "door type";
        case Word::kSkylightType: return "skylight type";
        case Word::kWaterHeater: return "water heater";
        case Word::kBuildingType: return "building type";
        case Word::kHeatingEfficiency: return "heating efficiency";
        case Word::kCoolingEfficiency: return "cooling efficiency";
        case Word::kLeakageArea: return "leakage area";
        case Word::kAnotherBuilding: return "another building (flag 24)";
    }
    return "";
}

void set_word(Word w, REAL v) {
    const auto i = static_cast<INTEGER>(v);
    switch (w) {
        case Word::kAzimuth: SFACES = v; break;
        case Word::kWindowType: WTYPE = i; break;
        case Word::kDoorType: DTYPE = i; break;
        case Word::kSkylightType: STYPE = i; break;
        case Word::kWaterHeater: WHTYPE = i; break;
        case Word::kBuildingType: NTYPE = i; break;
        case Word::kHeatingEfficiency: COPHT = v; break;
        case Word::kCoolingEfficiency: COPAC = v; break;
        case Word::kLeakageArea: SLA = v; break;
        case Word::kAnotherBuilding: NFLAG(24) = v != 0.0f; break;
    }
}

// Words of a window, door or skylight line of the input file: its glass
// and its geometry.
enum class LineWord { kShadingCoefficient, kU, kTransmittance, kWidth, kHead, kSill, kOverhangDepth };
using LineWords = std::map<std::pair<LineWord, INTEGER>, REAL>;  // by word and line

REAL& line_word(LineWord w, INTEGER line) {
    switch (w) {
        case LineWord::kShadingCoefficient: return SCOEF(line);
        case LineWord::kU: return UWINDO(line);
        case LineWord::kTransmittance: return TRANS(line);
        case LineWord::kWidth: return WIDTH(line);
        case LineWord::kHead: return HEAD(line);
        case LineWord::kSill: return SILL(line);
        case LineWord::kOverhangDepth: return OHANGD(line);
    }
    return SCOEF(line);
}

const char* line_word_name(LineWord w) {
    switch (w) {
        case LineWord::kShadingCoefficient: return "shading coefficient";
        case LineWord::kU: return "U";
        case LineWord::kTransmittance: return "transmittance";
        case LineWord::kWidth: return "width";
        case LineWord::kHead: return "head";
        case LineWord::kSill: return "sill";
        case LineWord::kOverhangDepth: return "overhang depth";
    }
    return "";
}

// What a typed value means: a code or quantity with a meaning, a code
// without a meaning of its own, or a value that keeps what the last run left (the
// README names these).
enum class Meaning { kDefined, kUndefined, kKeeps };

// A row of the column a designer types, with the values the chain draws.
// Area, year built and stories are drawn from their ranges.
struct ChainRow {
    int row;
    std::vector<REAL> defined, undefined, keeps;
};

// Every value -3 and 0 to 20 of a coded row that is neither one of its
// codes nor a value that keeps what the last run left: a code without a
// meaning of its own, which runs as the README's table of codes says (the
// rows of an area, a year or stories hold no codes).
std::vector<ChainRow> with_every_code_without_a_meaning(std::vector<ChainRow> rows) {
    const auto among = [](const std::vector<REAL>& values, REAL v) {
        return std::find(values.begin(), values.end(), v) != values.end();
    };
    for (ChainRow& cr : rows) {
        if (cr.defined.empty()) continue;
        for (REAL v = -3.0f; v <= 20.0f; ++v)
            if ((v == -3.0f || v >= 0.0f) && !among(cr.defined, v) && !among(cr.keeps, v) && !among(cr.undefined, v))
                cr.undefined.push_back(v);
    }
    return rows;
}

// A dwelling's rows. Keeping values: an area of 0 keeps the floor area the
// input file holds; a negative (custom) heating, cooling or leakage code
// keeps the efficiency or leakage of the input file; a negative wall, roof
// or floor code keeps the construction the input file holds; venting code 5
// keeps the fan power the input file holds. Codes without a meaning of
// their own that keep what the last run left likewise: a cooling code above
// 9 the efficiency, a leakage code without a class (0, 10 and above) the
// class of the leakage area, a venting code without one (0, 8, 9, 12 and
// above) the venting words, a roof code above 11 the roof, and a floor type
// without a kind the floor the input file holds.
const std::vector<ChainRow>& house_rows() {
    static const std::vector<ChainRow> rows = with_every_code_without_a_meaning({
        {7, {1, 2, 3, 4}, {0, 5, -1}, {}},
        {8, {}, {}, {0}},
        {9, {0, 1, 2, 3}, {4, 7}, {}},
        {10, {0, 1, 2, 3, 4}, {9}, {}},
        {11, {}, {0}, {}},
        {14, {}, {0, 6}, {}},
        {18, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 12}, {-2, -3, -4}},
        {20, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}, {-2, -3, -4, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {24, {1, 2, 3, 4, 6, 7, 8, 9}, {5}, {-2, -3, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {25, {1, 6, 7, 10, 11}, {}, {5, 0, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {28, {1, 2, 3}, {0, 5}, {}},
        {29, {0, 1, 2, 10, 11, 21}, {-2}, {}},
        {30, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 11}, {}},
        {31, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 21, 22, 23, 25, 27, 28}, {0, 15}, {-3, -22, -23}},
        {32, {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11}, {9}, {-3, -6, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {33, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 16, 17}, {}, {-3, -10, 0, 11, 12, 14, 15, 18, 19, 20}},
        {34, {0, 1, 2, 3, 4, 5, 6}, {8}, {}},
        {35, {1, 2, 3, 4, 5, 6}, {0, 8}, {}},
        {36, {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12}, {5}, {}},
        {49, {1, 2, 4, 5}, {0, 3}, {}},
    });
    return rows;
}

const std::vector<ChainRow>& building_rows() {
    static const std::vector<ChainRow> rows = with_every_code_without_a_meaning({
        {7, {0, 1, 2, 3}, {6}, {}},
        {8, {}, {}, {0}},
        {10, {0, 1, 2, 3, 4}, {9}, {}},
        {14, {}, {0}, {}},
        {18, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}, {}},
        {20, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {25, {1, 6, 7, 10, 11}, {}, {5, 0, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
    });
    return rows;
}

// The rows of the column a host holds as the designer's: given to the new
// project where the chain's column differs from its design, as the host
// shows them (a run's save may rewrite them, an evaporative cooler the
// venting rows). The tariffs and the site are the run's unless chosen, the
// plan's dimensions and heights derived.
bool host_typed_row(int row) {
    static const std::set<int> rows = {6, 7, 8, 9, 10, 11, 14, 16, 18, 20, 24, 25, 28, 29,
                                       30, 31, 32, 33, 34, 35, 36, 49};
    return rows.count(row) > 0 || (row >= 60 && row <= 309);
}

struct Edit {
    std::string family;  // the kind of edit the sweep counts
    Meaning meaning = Meaning::kDefined;
    std::map<int, REAL> rows;
    std::map<Word, REAL> words;
    LineWords lines;
    INTEGER flag = 0;               // basic-rate flag the host sets before every run from now on
    std::optional<Site> site;       // a move of schemes 1 and 2, which share their site
    std::vector<INTEGER> revised;   // the case's revised rates given with these flags (82, 83)
    std::string what;
};

// The inputs of the chain as they stand: the last value of each item, and
// for one whose last value keeps what the run before left, the value the
// chain held before it.
struct FinalInputs {
    std::map<int, REAL> rows, rows_before;
    std::map<Word, REAL> words, words_before;
    LineWords lines;
    std::set<INTEGER> flags;
    std::optional<Site> site, site_before;  // site_before: the site a zone number's move kept the latitude of
    std::vector<INTEGER> revised;
    // The column of the last run before the first value still in force that
    // keeps what that run left: what a run then derives from the other rows
    // (a wall's mass from the floor area, say) is kept from that run.
    std::vector<REAL> column_kept_from;
    std::map<Word, REAL> words_kept_from;  // and that run's words
    std::map<Word, REAL> words_typed_kept_from;  // and the words typed before it
    LineWords lines_kept_from;              // and the line words typed before it
    std::set<std::pair<LineWord, INTEGER>> lines_typed_since_kept;  // the line words typed with it or after it
    std::optional<Site> site_kept_from;     // and the site moved to before it
    std::vector<INTEGER> revised_kept_from; // and the revised rates given before it
    bool keeps() const { return !rows_before.empty() || !words_before.empty() || site_before.has_value(); }
};

// A line whose glass the edits `typed` emptied: its U, shading coefficient
// and transmittance typed 0.
bool glass_typed_empty(const LineWords& typed, INTEGER line) {
    for (const LineWord glass : {LineWord::kU, LineWord::kShadingCoefficient, LineWord::kTransmittance}) {
        const auto t = typed.find({glass, line});
        if (t == typed.end() || t->second != 0.0f) return false;
    }
    return true;
}

// What `read` takes of scheme `slot`'s input file as the file holds it
// (read, not saved).
template <class Read>
auto from_input_file(const Inputs& in, const fs::path& project, INTEGER slot, Read read) {
    const HostEdit host;
    host_directories(in, project);
    host::read_project_at_scheme(slot);
    FIND2();
    return read();
}

// The scheme's words.
std::map<Word, REAL> saved_words(const Inputs& in, const fs::path& project, INTEGER slot) {
    return from_input_file(in, project, slot, [] {
        std::map<Word, REAL> words;
        for (const Word w : every_word()) words[w] = word_of(w);
        return words;
    });
}

// The scheme's lines: units and visible transmittance (0 a door) of lines
// 1 to 25.
std::vector<std::pair<REAL, REAL>> saved_lines(const Inputs& in, const fs::path& project, INTEGER slot) {
    return from_input_file(in, project, slot, [] {
        std::vector<std::pair<REAL, REAL>> lines;
        for (INTEGER line = 1; line <= 25; ++line) lines.emplace_back(QTY(line), TRANS(line));
        return lines;
    });
}

// The words `typed` names of the scheme's lines.
LineWords saved_line_words(const Inputs& in, const fs::path& project, INTEGER slot, const LineWords& typed) {
    return from_input_file(in, project, slot, [&typed] {
        LineWords words;
        for (const auto& [at, v] : typed) words[at] = line_word(at.first, at.second);
        return words;
    });
}

// The glass of every line: its U-factor, shading coefficient and
// transmittance.
LineWords saved_line_glass(const Inputs& in, const fs::path& project, INTEGER slot) {
    LineWords glass;
    for (INTEGER line = 1; line <= 25; ++line)
        for (const LineWord w : {LineWord::kU, LineWord::kShadingCoefficient, LineWord::kTransmittance})
            glass[{w, line}] = 0.0f;
    return saved_line_words(in, project, slot, glass);
}

// The command the strategy file stores with scheme `slot`.
REAL stored_command(const Inputs& in, const fs::path& project, INTEGER slot) {
    const HostEdit host;
    host_directories(in, project);
    host::read_project_at_scheme(slot);
    return STRATEGY(2, slot);
}

// Sites a move may take whose runs simulate: a weather file, or a line of
// zipcodes.sce whose climate zone's file the weather directory holds.
std::vector<Site> simulated_sites(const Inputs& in) {
    std::vector<Site> sites;
    for (const Site& s : every_site(in)) {
        if (s.kind == Site::kWeatherFile || s.zone_file) {
            sites.push_back(s);
            continue;
        }
        for (const SiteRecord& r : in.records)
            if (s.kind == Site::kZipCode && r.code == static_cast<long>(s.number) &&
                fs::exists(in.weather / ("zone" + std::to_string(r.climate_zone) + ".txh")))
                sites.push_back(s);
    }
    return sites;
}

REAL draw_value(Random& r, const ChainRow& cr, bool nonresidential, Meaning& meaning) {
    const int kind = r.between(1, 100);
    if (kind <= 12 && !cr.undefined.empty()) {
        meaning = Meaning::kUndefined;
        return r.pick(cr.undefined);
    }
    if (kind >= 90 && !cr.keeps.empty()) {
        meaning = Meaning::kKeeps;
        return r.pick(cr.keeps);
    }
    meaning = Meaning::kDefined;
    switch (cr.row) {
        case 8: return static_cast<REAL>(nonresidential ? r.between(10, 5000) * 100 : r.between(30, 2000) * 10);
        case 11: return static_cast<REAL>(r.between(1900, 2030));
        case 14: return static_cast<REAL>(nonresidential && r.chance(30) ? r.between(5, 40) : r.between(1, 4));
        default: return r.pick(cr.defined);
    }
}

// The groups of the column holding units, and the last of them.
std::vector<int> groups_with_units(const std::vector<REAL>& col, int& last) {
    std::vector<int> groups;
    last = 0;
    for (int g = 1; g <= 25; ++g)
        if (col[static_cast<std::size_t>(62 + 10 * (g - 1) - 1)] > 0.0f) {
            groups.push_back(g);
            last = g;
        }
    return groups;
}

// Whether the column's window groups hold units from group 1 to the last
// one that does: a group typed after them is past the scheme's last line.
bool groups_without_gaps(const std::vector<REAL>& col) {
    bool gap = false;
    for (int g = 1; g <= 25; ++g) {
        const bool units = col[static_cast<std::size_t>(62 + 10 * (g - 1) - 1)] > 0.0f;
        if (units && gap) return false;
        gap = gap || !units;
    }
    return true;
}

// A window group typed after group `last`, the last holding units.
void add_window_group(Random& r, int last, bool nonresidential, Edit& e) {
    const int base = 60 + 10 * last;
    e.family = "a new window group";
    e.rows[base + 1] = static_cast<REAL>(r.between(1, 5));
    e.rows[base + 2] = static_cast<REAL>(r.between(1, 4));
    e.rows[base + 3] = static_cast<REAL>(r.between(2, 8));
    e.rows[base + 4] = static_cast<REAL>(r.between(2, 6));
    e.rows[base + 5] = static_cast<REAL>(r.between(0, 4));
    if (nonresidential) e.rows[base] = static_cast<REAL>(r.between(1, 4));
    std::ostringstream what;
    what << "window group " << last + 1 << " added: facade " << e.rows[base + 1] << ", " << e.rows[base + 2] << " units";
    e.what = what.str();
}

// A window group's edit: its units, size, overhang or facade, or a new
// group past the last one. `packed`: the scheme's save stores its lines
// with units one after the other in the groups (another building, or any
// library slot). `emptied`: its input file holds a window line a group set
// to no units emptied.
void draw_window_edit(Random& r, const std::vector<REAL>& col, bool nonresidential, bool packed, bool emptied,
                      Edit& e) {
    auto at = [&](int row) { return col[static_cast<std::size_t>(row - 1)]; };
    int last = 0;
    const std::vector<int> groups = groups_with_units(col, last);
    const int kind = r.between(1, 100);
    std::ostringstream what;
    if (kind <= 15 || groups.empty()) {
        // Such a save took the emptied line's group out, so a group typed
        // past the last lands where a new project given the column still
        // holds that line, which keeps its own window over the typed group.
        if (last < 25 && !(packed && emptied)) add_window_group(r, last, nonresidential, e);
        return;
    }
    const int g = r.pick(groups), base = 60 + 10 * (g - 1);
    if (kind <= 55) {
        e.family = "window group units";
        const REAL units = at(base + 2);
        // Another building's save (and a library slot's) stores its lines
        // with units one after the other in the groups, so a group emptied
        // before others takes the next group's window while its own line
        // keeps its glass: a new project given the column as the host then
        // holds it pairs other glass with those groups. Its last group alone
        // is drawn empty.
        const bool may_empty = !packed || g == last;
        e.rows[base + 2] = may_empty && r.chance(50) ? 0.0f : r.chance(50) ? 2.0f * units : units + 1.0f;
        what << "window group " << g << " of " << units << " units set to " << e.rows[base + 2];
    } else if (kind <= 75) {
        e.family = "window group size";
        const int word = r.between(3, 5);
        e.rows[base + word] = static_cast<REAL>(r.between(word == 5 ? 0 : 1, 8));
        what << "window group " << g << (word == 3 ? " width " : word == 4 ? " height " : " sill ") << e.rows[base + word];
    } else if (kind <= 88) {
        e.family = "window group overhang";
        const int word = r.between(6, 7);
        e.rows[base + word] = static_cast<REAL>(r.between(0, 4));
        what << "window group " << g << " overhang " << (word == 6 ? "depth " : "height ") << e.rows[base + word];
    } else {
        e.family = "window group facade";
        const bool undefined = r.chance(20);
        e.meaning = undefined ? Meaning::kUndefined : Meaning::kDefined;
        e.rows[base + 1] = undefined ? r.pick(std::vector<REAL>{0, 7}) : static_cast<REAL>(r.between(1, 5));
        what << "window group " << g << " facade code " << e.rows[base + 1];
    }
    e.what = what.str();
}

// A word of the input file: a dwelling's custom efficiency or leakage (its
// code made negative), the water heater, another building's window, door
// or skylight type or its building type.
void draw_word_edit(Random& r, bool nonresidential, const Inputs& in, Edit& e) {
    std::ostringstream what;
    const int kind = r.between(1, 100);
    if (kind <= 30) {
        e.family = "the water heater (input file)";
        const REAL heater = r.pick(std::vector<REAL>{1, 2, 5, 6, 7, -1});
        e.words[Word::kWaterHeater] = heater;
        what << "water heater " << heater;
    } else if (!nonresidential) {
        e.family = "a custom efficiency or leakage (row 18, 20 or 24 and its input-file word)";
        const int which = r.between(0, 2);
        const int row = which == 0 ? 18 : which == 1 ? 20 : 24;
        const REAL value = which == 0   ? static_cast<REAL>(r.between(70, 97)) / 100.0f
                           : which == 1 ? static_cast<REAL>(r.between(26, 59)) / 10.0f
                                        : static_cast<REAL>(r.between(15, 60)) / 10.0f;
        e.rows[row] = -static_cast<REAL>(r.between(2, 4));
        e.words[which == 0 ? Word::kHeatingEfficiency : which == 1 ? Word::kCoolingEfficiency : Word::kLeakageArea] = value;
        what << "row " << row << " custom " << e.rows[row] << " with " << value;
    } else if (kind <= 80 || in.loaded_types.empty()) {
        e.family = "a window, door or skylight type (input file)";
        const int which = r.between(0, 2);
        const Word w = which == 0 ? Word::kWindowType : which == 1 ? Word::kDoorType : Word::kSkylightType;
        const REAL type = which == 0 ? static_cast<REAL>(r.between(1, 4)) : which == 1 ? static_cast<REAL>(r.between(8, 9))
                                                                                       : static_cast<REAL>(r.between(5, 7));
        e.words[w] = type;
        what << (which == 0 ? "window" : which == 1 ? "door" : "skylight") << " type " << type;
    } else {
        e.family = "the building type (input file)";
        e.words[Word::kBuildingType] = static_cast<REAL>(r.pick(in.loaded_types));
        what << "building type " << e.words[Word::kBuildingType];
    }
    e.what = what.str();
}

// The user's basic rates: a tariff choice of row 1 or 3 with its flag. A
// dwelling's gas choice 5 keeps the rates the last run had.
void draw_tariff_edit(Random& r, bool nonresidential, Edit& e) {
    e.family = "a basic-rate choice (row 1 or 3 with flag 26 or 29)";
    const bool electric = r.chance(50);
    e.flag = electric ? 26 : 29;
    REAL v = 0.0f;
    // Now and then a fuel the base schemes' gas water heater does not suit
    // (electric heat, propane, oil): their runs simulate nothing.
    const bool other_fuel = r.chance(15);
    if (nonresidential)
        v = electric ? static_cast<REAL>(r.between(11, 17))
                     : other_fuel ? r.pick(std::vector<REAL>{10, 17, 18}) : static_cast<REAL>(r.between(11, 16));
    else
        v = electric ? r.pick(std::vector<REAL>{1, 2, 3, 4, 5, 7})
                     : other_fuel ? r.pick(std::vector<REAL>{7, 8}) : static_cast<REAL>(r.between(1, 6));
    if (!nonresidential && !electric && v == 5.0f) e.meaning = Meaning::kKeeps;
    e.rows[electric ? 1 : 3] = v;
    e.what = std::string(electric ? "electric" : "gas") + " tariff " + std::to_string(static_cast<int>(v)) +
             " with flag " + std::to_string(e.flag);
}

// A word of a line of the input file the designer types: a window's glass
// (shading coefficient, U-factor, visible transmittance; a door has none),
// or the geometry of any line with units.
void draw_line_edit(Random& r, const std::vector<std::pair<REAL, REAL>>& lines, bool glass, Edit& e) {
    std::vector<INTEGER> candidates;
    for (INTEGER line = 1; line <= 25; ++line) {
        const auto& [units, transmittance] = lines[static_cast<std::size_t>(line - 1)];
        if (units > 0.0f && (!glass || transmittance >= 0.01f)) candidates.push_back(line);
    }
    if (candidates.empty()) return;
    const INTEGER line = r.pick(candidates);
    std::ostringstream what;
    what << "line " << line;
    const auto typed = [&](LineWord w, int hundredths) {
        e.lines[{w, line}] = static_cast<REAL>(hundredths) / 100.0f;
        what << ' ' << line_word_name(w) << ' ' << e.lines[{w, line}];
    };
    if (glass) {
        e.family = "a line's glass (shading coefficient, U or transmittance)";
        const int which = r.between(0, 3);
        if (which == 0 || which == 3) typed(LineWord::kShadingCoefficient, r.between(15, 80));
        if (which == 1 || which == 3) typed(LineWord::kU, r.between(20, 120));
        if (which == 2 || which == 3) typed(LineWord::kTransmittance, r.between(30, 90));
    } else {
        e.family = "a line's geometry (width, head, sill or overhang)";
        switch (r.between(0, 3)) {
            case 0: typed(LineWord::kWidth, 100 * r.between(1, 8)); break;
            case 1: typed(LineWord::kHead, 100 * r.between(6, 10)); break;
            case 2: typed(LineWord::kSill, 100 * r.between(0, 3)); break;
            default: typed(LineWord::kOverhangDepth, 100 * r.between(0, 4)); break;
        }
    }
    e.what = what.str();
}

void draw_move(Random& r, const Inputs& in, Edit& e) {
    const std::vector<Site> sites = simulated_sites(in);
    if (sites.empty()) return;
    e.family = "a move (row 4)";
    e.site = r.pick(sites);
    // A climate-zone number keeps the latitude of the site before it.
    if (e.site->kind == Site::kZoneNumber) e.meaning = Meaning::kKeeps;
    e.what = "moved to " + describe(*e.site);
}

// The scheme a chain edits as the host has it: its slot, its kind of
// building, its lines (units and visible transmittance), whether its save
// stores its lines with units one after the other in the groups (another
// building, any library slot, or a house made another building in the
// save being drawn), and whether a group without units lies before its
// last with units (a house's emptied group).
struct Editing {
    INTEGER slot = 1;
    bool nonresidential = false;
    std::vector<std::pair<REAL, REAL>> lines;
    bool packed = false, gap = false;
    bool may_switch = true;  // the save may make it another building or a house
    bool moved = false;      // moved since the last command (in an earlier phase of the scheme's edits)
};

// The switch of a house to another building of a type with loads (the host
// gives it that type's default schedules), or of another building to a
// house. A house with a group emptied before its last is not made another
// building: that building's save would store its lines with units one
// after the other in the groups, the later groups moving up while each
// line keeps its glass, which a new project given the column as the host
// then holds would pair with other glass.
void draw_switch(Random& r, const Editing& at, const Inputs& in, Edit& e) {
    const bool nonresidential = at.nonresidential;
    if (!nonresidential && (in.loaded_types.empty() || at.gap)) return;
    e.words[Word::kAnotherBuilding] = nonresidential ? 0.0f : 1.0f;
    e.words[Word::kBuildingType] = nonresidential ? 0.0f : static_cast<REAL>(r.pick(in.loaded_types));
    e.family = nonresidential ? "the switch to a house (flag 24)" : "the switch to another building (flag 24)";
    // Another building takes the facades, roof and floor the house's last
    // run laid out in the input file, and a house the loads, thermostat and
    // glass another building's last run left there, which the final inputs
    // do not say: a new project runs the scheme as the chain had it before
    // the switch.
    e.meaning = Meaning::kKeeps;
    e.what = nonresidential ? std::string("made a house")
                            : "made another building of type " + std::to_string(static_cast<int>(e.words[Word::kBuildingType]));
}

// The year built a house's run follows: a year of 100 or less is none,
// and the house is built to the current code.
REAL year_in_force(const std::vector<REAL>& col) {
    const REAL year = col[10];
    return year > 100.0f ? year : 2013.0f;
}

// The glazing codes by year built: before 1992, 1992 to 2003, 2004 to
// 2012, and the current code from 2013.
int code_of_year(REAL year) { return year < 1992.0f ? 0 : year < 2004.0f ? 1 : year < 2013.0f ? 2 : 3; }

// A year built under another code than `year`'s, now and then the first
// or last year of its code.
REAL year_of_another_code(Random& o, REAL year) {
    static const std::vector<std::pair<int, int>> codes = {{1900, 1991}, {1992, 2003}, {2004, 2012}, {2013, 2030}};
    std::vector<int> others;
    for (int code = 0; code < 4; ++code)
        if (code != code_of_year(year)) others.push_back(code);
    const auto [first, last] = codes[static_cast<std::size_t>(o.pick(others))];
    const int at = o.between(1, 100);
    return static_cast<REAL>(at <= 25 ? first : at <= 50 ? last : o.between(first, last));
}

Edit year_built_edit(REAL year, const std::string& family) {
    Edit e;
    e.family = family;
    e.rows[11] = year;
    e.what = "year built " + std::to_string(static_cast<int>(year));
    return e;
}

// Edits that must end in one save where they end one run apart: the
// chain gives them in one save, or in several with plain runs between,
// and the new project in one save.
struct Order {
    std::string kind;
    std::vector<std::vector<Edit>> saves;
};

// Two edits in one save, or the first saved and run before the second.
std::vector<std::vector<Edit>> together_or_apart(Random& o, const Edit& first, const Edit& second) {
    if (o.chance(50)) return {{first, second}};
    return {{first}, {second}};
}

// In an existing house's scheme 2 (whose year built its glazing follows,
// and whose groups pair with its lines), a window group typed past the
// last line, a transmittance typed on that group's new line, and a year
// built of another code; together, or one run apart in an order that
// types the transmittance with or after its group.
std::optional<Order> group_past_the_last_with_a_year(Random& o, const std::vector<REAL>& col) {
    int last = 0;
    groups_with_units(col, last);
    if (last >= 25 || !groups_without_gaps(col)) return std::nullopt;
    Edit group, transmittance;
    add_window_group(o, last, false, group);
    transmittance.family = "a line's glass (shading coefficient, U or transmittance)";
    const REAL vt = static_cast<REAL>(o.between(30, 90)) / 100.0f;
    transmittance.lines[{LineWord::kTransmittance, last + 1}] = vt;
    std::ostringstream what;
    what << "line " << last + 1 << " transmittance " << vt;
    transmittance.what = what.str();
    const Edit year = year_built_edit(year_of_another_code(o, year_in_force(col)), "a year built of another glazing code (row 11)");
    Order order{"a year built of another code with a window group past the last line and its line's transmittance", {}};
    switch (o.between(0, 5)) {
        case 0: order.saves = {{year}, {group, transmittance}}; break;
        case 1: order.saves = {{group, transmittance}, {year}}; break;
        case 2: order.saves = {{group}, {year, transmittance}}; break;
        default: order.saves = {{year, group, transmittance}}; break;
    }
    return order;
}

// In an existing house's scheme 2 or library slot, or an existing other
// building's scheme 1 or 2 (whose glazing era and groups' codes its year
// decides as well), a year built across 2013 (either way), alone or with a
// line's glass.
std::optional<Order> year_across_the_current_code(Random& o, const Editing& at, const std::vector<REAL>& col) {
    const REAL now = year_in_force(col);
    const REAL year = static_cast<REAL>(now >= 2013.0f ? (o.chance(40) ? 2012 : o.between(1900, 2012))
                                                       : (o.chance(40) ? 2013 : o.between(2013, 2030)));
    const Edit across = year_built_edit(year, "a year built across 2013 (row 11)");
    const std::string in = at.nonresidential ? " in another building" : "";
    Edit glass;
    if (o.chance(50)) draw_line_edit(o, at.lines, true, glass);
    if (glass.family.empty()) return Order{"a year built across 2013" + in, {{across}}};
    return Order{"a year built across 2013 with a line's glass" + in, together_or_apart(o, across, glass)};
}

// In another building's scheme 1 or 2, a window line's glass emptied (its
// U, shading coefficient and transmittance 0: a line without glass of its
// own), alone or with its group made a skylight (facade code 5), together
// or one run apart either way. Its save stores the lines with units one
// after the other in the groups: the group of the n-th such line is the
// n-th group.
std::optional<Order> glass_emptied(Random& o, const Editing& at, const std::vector<REAL>& col) {
    int last = 0;
    const std::vector<int> groups = groups_with_units(col, last);
    std::vector<INTEGER> lines;
    for (INTEGER line = 1; line <= 25; ++line)
        if (at.lines[static_cast<std::size_t>(line - 1)].first > 0.0f) lines.push_back(line);
    if (lines.size() != groups.size() || !groups_without_gaps(col)) return std::nullopt;
    std::vector<std::size_t> windows;
    for (std::size_t n = 0; n < lines.size(); ++n)
        if (at.lines[static_cast<std::size_t>(lines[n] - 1)].second >= 0.01f) windows.push_back(n);
    if (windows.empty()) return std::nullopt;
    const std::size_t n = o.pick(windows);
    const INTEGER line = lines[n];
    Edit emptied;
    emptied.family = "a line's glass emptied (U, shading coefficient and transmittance 0)";
    for (const LineWord w : {LineWord::kU, LineWord::kShadingCoefficient, LineWord::kTransmittance})
        emptied.lines[{w, line}] = 0.0f;
    emptied.what = "line " + std::to_string(line) + " without glass of its own";
    const int facade = 61 + 10 * (groups[n] - 1);
    if (o.chance(40) || col[static_cast<std::size_t>(facade - 1)] == 5.0f) return Order{"a line's glass emptied", {{emptied}}};
    Edit skylight;
    skylight.family = "window group facade";
    skylight.rows[facade] = 5.0f;
    skylight.what = "window group " + std::to_string(groups[n]) + " facade code 5";
    return Order{"a group made a skylight with its line's glass emptied",
                 o.chance(50) ? together_or_apart(o, skylight, emptied) : together_or_apart(o, emptied, skylight)};
}

// Now and then, from a stream of its own so that every other draw of the
// chain stays as it was, a save of one of the orders the scheme can take:
// more often in an existing house's scheme 2 or slot, which fewer chains
// edit than another building's scheme 1 or 2.
std::optional<Order> draw_order(Random& o, const Editing& at, const std::vector<REAL>& col) {
    const bool existing_house = !at.nonresidential && col[5] > 1.0f && at.slot >= 2;
    std::vector<int> kinds;
    if (existing_house && at.slot == 2) kinds.push_back(1);
    if (existing_house || (at.nonresidential && at.slot <= 2 && col[5] > 1.0f)) kinds.push_back(3);
    if (at.nonresidential && at.slot <= 2) kinds.push_back(2);
    if (!o.chance(existing_house ? 60 : 25) || kinds.empty()) return std::nullopt;
    switch (o.pick(kinds)) {
        case 1: return group_past_the_last_with_a_year(o, col);
        case 3: return year_across_the_current_code(o, at, col);
        default: return glass_emptied(o, at, col);
    }
}

Edit draw_edit(Random& r, const Checker& k, const Editing& at, const std::vector<REAL>& col, const FinalInputs& f) {
    const bool nonresidential = at.nonresidential;
    const bool moved = f.site.has_value() || at.moved;
    Edit e;
    // A line's glass or geometry, the switch to another building or back,
    // another building's type; else the row, word, rate and site edits.
    const int other = r.between(1, 100);
    if (other <= 16) {
        if (other <= 7) draw_line_edit(r, at.lines, true, e);
        else if (other <= 11) draw_line_edit(r, at.lines, false, e);
        else if (other <= 14 || !nonresidential || k.in.loaded_types.empty()) {
            if (at.may_switch) draw_switch(r, at, k.in, e);
        }
        else {
            e.family = "the building type (input file)";
            e.words[Word::kBuildingType] = static_cast<REAL>(r.pick(k.in.loaded_types));
            e.what = "building type " + std::to_string(static_cast<int>(e.words[Word::kBuildingType]));
        }
        return e;
    }
    const int kind = r.between(1, 100);
    if (kind <= 50) {
        const ChainRow& cr = r.pick(nonresidential ? building_rows() : house_rows());
        const REAL v = draw_value(r, cr, nonresidential, e.meaning);
        e.family = "row " + std::to_string(cr.row);
        e.rows[cr.row] = v;
        std::ostringstream what;
        what << "row " << cr.row << " set to " << v;
        e.what = what.str();
    } else if (kind <= 60) {
        e.family = "the azimuth (row 16 and the input file)";
        const REAL v = static_cast<REAL>(r.between(0, 7) * 45 + (r.chance(30) ? r.between(1, 44) : 0));
        e.rows[16] = v;
        e.words[Word::kAzimuth] = v;
        e.what = "turned to azimuth " + std::to_string(static_cast<int>(v));
    } else if (kind <= 76) {
        bool emptied = false;
        for (const auto& [units, vt] : at.lines) emptied = emptied || (!(units > 0.0f) && vt >= 0.01f);
        draw_window_edit(r, col, nonresidential, at.packed, emptied, e);
    } else if (kind <= 85) {
        draw_word_edit(r, nonresidential, k.in, e);
    } else if (kind <= 92) {
        draw_tariff_edit(r, nonresidential, e);
    } else if (kind <= 96 || moved) {
        draw_move(r, k.in, e);
    } else {
        e.family = "revised rates (flags 82 and 83)";
        e.revised = r.pick(std::vector<std::vector<INTEGER>>{{82, 83}, {82}, {83}});
        e.what = "the user's revised rates given";
    }
    if (e.meaning == Meaning::kKeeps) e.what += " (keeps what the last run left)";
    if (e.meaning == Meaning::kUndefined) e.what += " (a code without a meaning of its own)";
    return e;
}

// The host's save of the inputs: rows, words and line words of scheme
// `slot` in one edit, a move (of schemes 1 and 2 together, which share
// their site; of a library slot alone), the user's revised rates. A switch
// to another building or back comes with the default schedules of another
// building, as the host gives them.
void give(const Checker& k, const fs::path& project, INTEGER slot, const std::map<int, REAL>& rows,
          const std::map<Word, REAL>& words, const std::optional<Site>& site, const std::vector<INTEGER>& revised,
          const LineWords& lines = {}) {
    edit_scheme(k.in, project, slot, [&] {
        for (const auto& [row, v] : rows) STRATEGY(row, slot) = v;
        for (const auto& [w, v] : words) set_word(w, v);
        for (const auto& [at, v] : lines) line_word(at.first, at.second) = v;
        if (site) place(*site, slot);
    });
    if (site && slot <= 2) edit_scheme(k.in, project, 3 - slot, [&] { place(*site, 3 - slot); });
    if (words.count(Word::kAnotherBuilding)) copy_schedule(k.in, project, slot);
    if (!revised.empty()) {
        Case with = k.c;
        with.rate_flags = revised;
        give_user_rates(k.in, project, with, {slot});
    }
}

// What the host keeps of a project between its calls: the user's
// basic-rate flags it sets before every run of a scheme from their choice
// on, and the schemes moved since their last run, whose move it marks
// before their next (every save of an edit clears both marks).
struct HostMemory {
    std::map<INTEGER, std::set<INTEGER>> flags;
    std::set<INTEGER> moved;
    // A move of scheme 1 or 2 moves both; a library slot has its own site.
    void move(INTEGER slot) {
        if (slot <= 2) moved.insert({1, 2});
        else moved.insert(slot);
    }
};

// A run of scheme `slot` (a plain run, a design, or the library command
// given in it) as the host makes it: the basic-rate flags and the mark of
// a move set before it.
Run host_run(Checker& k, const fs::path& project, HostMemory& host, INTEGER slot, REAL command, const std::string& step,
             INTEGER second = 0) {
    if (const auto f = host.flags.find(slot); f != host.flags.end() && !f->second.empty())
        set_saved_flags(k.in, project, slot, {f->second.begin(), f->second.end()});
    if (host.moved.erase(slot)) set_location_changed(k.in, project, slot);
    return k.run(project, slot, command, step, second);
}

Run plain_run(Checker& k, const fs::path& project, HostMemory& host, INTEGER slot, const std::string& step) {
    return host_run(k, project, host, slot, 0.0f, step);
}

// Takes edit `e` into the final inputs; `before` the chain's column and
// words just before it; `site_before` the site of the run before it and
// `opened_at` the site the new project stands at when given the phase.
void take(FinalInputs& f, const Edit& e, const std::vector<REAL>& before, const std::map<Word, REAL>& words_before,
          const Site& site_before, const Site& opened_at) {
    // A kept value this edit replaces is no longer in force: once none is,
    // what the new project is given first is what the run before this edit
    // left (the switch back from another building supersedes the switch to
    // it).
    for (const auto& [row, v] : e.rows) f.rows_before.erase(row);
    for (const auto& [w, v] : e.words) f.words_before.erase(w);
    if (e.site) f.site_before.reset();
    const bool kept_already = f.keeps();
    const LineWords lines_before = f.lines;
    const std::map<Word, REAL> words_typed_before = f.words;
    // The site of the run before it: a move given since without a run is
    // not where the house laid out what the value keeps.
    const std::optional<Site> site_then =
        describe(site_before) == describe(opened_at) ? std::nullopt : std::optional<Site>(site_before);
    const std::vector<INTEGER> revised_then = f.revised;
    // A coded heating, cooling or leakage choice brings its own efficiency
    // or leakage: a custom one typed before it is gone from the input file
    // (not under a code that keeps the efficiency or leakage the file holds).
    for (const auto& [row, word] : {std::pair{18, Word::kHeatingEfficiency}, std::pair{20, Word::kCoolingEfficiency},
                                    std::pair{24, Word::kLeakageArea}})
        if (e.rows.count(row) && e.rows.at(row) > -1.0f && e.meaning != Meaning::kKeeps && !e.words.count(word)) {
            f.words.erase(word);
            f.words_before.erase(word);
        }
    for (const auto& [row, v] : e.rows) {
        f.rows[row] = v;
        f.rows_before.erase(row);
        if (e.meaning == Meaning::kKeeps) f.rows_before[row] = before[static_cast<std::size_t>(row - 1)];
    }
    for (const auto& [w, v] : e.words) {
        f.words[w] = v;
        f.words_before.erase(w);
        if (e.meaning == Meaning::kKeeps) f.words_before[w] = words_before.at(w);
    }
    for (const auto& [at, v] : e.lines) {
        f.lines[at] = v;
        f.lines_typed_since_kept.insert(at);
    }
    if (e.flag != 0) f.flags.insert(e.flag);
    if (e.site) {
        f.site_before.reset();
        if (e.meaning == Meaning::kKeeps) f.site_before = site_before;
        f.site = e.site;
        f.revised.clear();  // a move clears the user's revised rates
    }
    // The host sets the revised rates' flags; it clears none of them.
    for (const INTEGER flag : e.revised)
        if (std::find(f.revised.begin(), f.revised.end(), flag) == f.revised.end()) f.revised.push_back(flag);
    if (!kept_already && f.keeps()) {
        f.column_kept_from = before;
        f.words_kept_from = words_before;
        f.words_typed_kept_from = words_typed_before;
        f.lines_kept_from = lines_before;
        f.lines_typed_since_kept.clear();
        for (const auto& [at, v] : e.lines) f.lines_typed_since_kept.insert(at);
        f.site_kept_from = site_then;
        f.revised_kept_from = revised_then;
    }
}

// The scheme's input file of `project` as a host re-saves it with the
// words of what is not there blanked (made in `scratch`). A line without
// units is no window: every word of it but its units waits for units to
// be read again (its geometry, which its group gives it again, and the
// glass, fins, views and kind it last held, which a house's line reads
// once given units and another building's never, as the later groups take
// an emptied group's place and a group typed past the last line gets glass
// of its own; the number it had among the lines), and a chain that added,
// turned or emptied it holds other words there than a new project whose
// line never was (a dwelling's group the chain added and emptied is one a
// new project given the empty group never had); a facade without glass, a
// roof or floor without area, keeps the properties it last had, and a
// facade of doors alone the visible transmittance of its last glass; the
// raised floor's share of the floor is the last design's. Nothing
// simulated or reported reads these, and a chain may leave them other
// words than a new project does.
std::string input_file_but_what_is_not_there(const Inputs& in, const fs::path& project, INTEGER slot,
                                             const fs::path& scratch) {
    fs::remove_all(scratch);
    fs::copy(project, scratch, fs::copy_options::recursive);
    edit_scheme(in, scratch, slot, [] {
        for (INTEGER line = 1; line <= 25; ++line) {
            if (QTY(line) > 0.0f) continue;
            ITEMS(line) = ITEMSII(line) = IPOINT(line) = 0;
            for (REAL* word : {&TILT(line), &FACING(line), &WIDTH(line), &SILL(line), &HEAD(line), &OHANGD(line),
                               &OHANGDIS(line), &FINLDEP(line), &FINLDIS(line), &FINRDEP(line), &FINRDIS(line),
                               &GROUND(line), &SKY(line), &RNIGHT(line), &SCOEF(line), &TRANS(line), &UWINDO(line),
                               &LINEXTRA1(line), &LINEXTRA2(line), &SHADEFLG(line)})
                *word = 0.0f;
        }
        for (INTEGER item = 1; item <= 5; ++item) {
            bool glass = false;
            for (INTEGER line = 1; line <= 25; ++line)
                glass = glass || (QTY(line) > 0.0f && ITEMS(line) == item && TRANS(line) >= 0.01f);
            if (!glass) ABSORB(item) = 0.0f;
        }
        PERCNT(11) = 0.0f;
        for (INTEGER item = 1; item <= 12; ++item) {
            if (AREA(item) > 0.0f) continue;
            for (REAL* word : {&UVAL(item), &ABSORB(item), &TMLAG(item), &DECR(item), &SC(item), &HO(item)}) *word = 0.0f;
        }
    });
    const std::string bytes = read_file(scratch / ("scheme" + std::to_string(slot) + "b.dat"));
    fs::remove_all(scratch);
    return bytes;
}

// A command the host gives between edits besides a plain run: a copy (201)
// of one slot into another, or a design of scheme 1 or 2 (243, 246, 340).
struct Command {
    bool copy = true;
    INTEGER from = 0, to = 0;  // a copy's source and target; a design's scheme is `to`
    REAL code = 201.0f;
    // A design's: the command the other design scheme stores when it is
    // given (a vintage design reads scheme 1's roof as its command has it).
    REAL partner_command = 0.0f;
    std::string kind, what;
};

// A slot of the chain's project as the host knows it.
struct ChainSlot {
    bool holds = false;  // a scheme the chain may copy from
    bool nonresidential = false;
    Site site;
};

// The edits of one scheme between two commands (or the chain's ends): the
// inputs they leave, and the scheme's column once the command before them
// had run and when the command after them came.
struct Phase {
    INTEGER slot = 1;
    std::optional<Command> opening;
    FinalInputs f;
    std::vector<REAL> start, end;
    std::map<Word, REAL> words_end;
    LineWords lines_end;  // the words of the lines the phase typed, as its input file holds them at its close
    // What the scheme's last run left: its site (whose latitude a zone
    // number keeps), its column and words (which a keeping value keeps).
    Site ran_at;
    Site opened_at;  // the site when the phase opened, where the new project stands when given it
    std::vector<REAL> ran_column;
    std::map<Word, REAL> ran_words;
    bool ran_since_kept = false;  // a run since a value that keeps what the last run left
    bool moved_before = false;    // an earlier phase since the last command moved the scheme
    // Scheme 1 edited in the phase and run after its last edit: the glass
    // and doors an efficient design of scheme 2 matches are that run's.
    bool edited = false, ran_after_edit = false;
    // A house's line the phase brought in past the last line has run: it
    // holds the glass that run gave it from the windows then, which a
    // window's own glass typed since does not reach. The new project runs
    // once after such a phase, before the next one's glass.
    bool new_line = false, new_line_ran = false, run_first = false;
    // A run since a move or the switch of the phase: it gave the windows
    // that held the code glass of the site and kind before the code glass
    // of those in force.
    bool moved_and_ran = false;
    // A run of a library slot since its move (in the phase or an earlier
    // one since the last command): that run took the new site's tariffs
    // into row 1, which a copy into the slot keeps where it bills the copy.
    bool move_ran = false;
    // The scheme's lines (units, transmittance) when the phase opened: those
    // the new project's file holds when it is given the phase.
    std::vector<std::pair<REAL, REAL>> start_lines;
    LineWords start_glass;  // and their glass
};

std::string scheme_name(INTEGER slot) {
    return (slot <= 2 ? "scheme " : "slot ") + std::to_string(slot);
}

// A copy out of the scheme edited (the chain goes on with its target) or
// into it from another slot that holds a scheme, or a design of scheme 1
// or 2 (of its own kind, or by command 340).
Command draw_command(Random& r, INTEGER slot, const std::map<INTEGER, ChainSlot>& slots) {
    Command c;
    if (slot <= 2 && r.chance(35)) {
        c.copy = false;
        c.to = slot;
        c.code = r.chance(30) ? 340.0f : slot == 1 ? 243.0f : 246.0f;
        c.kind = "a design (" + std::to_string(static_cast<int>(c.code)) + ") of scheme " + std::to_string(slot);
        c.what = "design " + std::to_string(static_cast<int>(c.code)) + " of scheme " + std::to_string(slot);
        return c;
    }
    std::vector<INTEGER> others;
    for (const auto& [s, held] : slots)
        if (held.holds && s != slot) others.push_back(s);
    if (!others.empty() && r.chance(35)) {
        c.from = r.pick(others);
        c.to = slot;
    } else {
        c.from = slot;
        std::vector<INTEGER> targets;
        const bool to_scheme = slot <= 2 ? r.chance(30) : r.chance(60);
        for (INTEGER s = 1; s <= 9; ++s)
            if (s != slot && (s <= 2) == to_scheme) targets.push_back(s);
        c.to = r.pick(targets);
    }
    c.kind = std::string("a copy (201) ") +
             (c.from <= 2 ? (c.to <= 2 ? "between schemes 1 and 2" : "of scheme 1 or 2 into a library slot")
                          : (c.to <= 2 ? "of a library slot into scheme 1 or 2" : "of a library slot into another"));
    c.what = "copy of " + scheme_name(c.from) + " into " + scheme_name(c.to);
    return c;
}

// The site the case's designs leave in force: a climate-zone number
// without its zone file falls back to the default location, which the run
// saves as the site (zip code 90024), so that a later move to a zone
// number keeps that site's latitude, not the missing zone's (a chain moves
// only to sites that simulate).
Site site_in_force(const Site& s) {
    if (s.kind == Site::kZoneNumber && !s.zone_file) return {Site::kZipCode, "90024", 90024.0f, false};
    return s;
}

// What a copy makes of the target: the source's building, at the source's
// site (scheme 2 at scheme 1's, which a copy into scheme 1 gives both).
void copied(std::map<INTEGER, ChainSlot>& slots, const Command& c) {
    const ChainSlot source = slots[c.from];
    ChainSlot& target = slots[c.to];
    target.holds = true;
    target.nonresidential = source.nonresidential;
    if (c.to >= 3) target.site = source.site;
    if (c.to == 1) slots[1].site = slots[2].site = source.site;
}

// A group the chain emptied, which its save left blank (`col` against the
// phase's `start`), is given as the designer typed it, without units: a
// blank group with units in its line lays the line's own geometry into it,
// as in a column made without a run. Returns the group's rows.
std::set<int> emptied_groups(const std::vector<REAL>& start, const std::vector<REAL>& col, std::map<int, REAL>& given) {
    std::set<int> emptied;
    for (int g = 1; g <= 25; ++g) {
        const std::size_t base = static_cast<std::size_t>(60 + 10 * (g - 1));
        bool blank = true;
        for (std::size_t word = 1; word <= 7; ++word) blank = blank && col[base + word - 1] == 0.0f;
        if (!blank || start[base + 1] <= 0.0f) continue;
        for (int word = 1; word <= 9; ++word) emptied.insert(static_cast<int>(base) + word);
        if (!given.count(static_cast<int>(base) + 2)) given[static_cast<int>(base) + 2] = 0.0f;
    }
    return emptied;
}

// Group 1's glazing code (the scheme-wide code) that a run wrote after the
// switch or a move: the run gave the windows the code glass of the site and
// kind in force under the code the save held, then found them unlike. Given
// with the switch or the move, the code it wrote would keep the glass of the
// kind and site before; so would the code the chain's column ends with in
// place of the one the new project's run of the kept values left.
bool code_after_switch_or_move(const FinalInputs& f) { return f.site || f.words.count(Word::kAnotherBuilding); }

// Gives the new project `fresh`, in one save, the inputs phase `ph` of
// the chain left its scheme: the chain's final values of the items it
// edited and the rows the host holds as the designer's where the chain's
// changed in the phase (the column as the host holds it after the phase's
// last edit: what it typed and what its runs wrote into the rows a
// designer types, an emptied group its save left blank given without
// units; the input-file words, line words, rates and site it gave last,
// and beside a custom heating, cooling or leakage code the efficiency or
// leakage area the chain's input file holds, as a host that offers custom
// values writes it). A value that keeps what the last run left is given
// as the chain had it: the rows of the chain's run before it, with the
// value the chain held before it, run once, then the final inputs.
void give_phase(Checker& k, const fs::path& fresh, HostMemory& host, const Phase& ph) {
    const INTEGER slot = ph.slot;
    FinalInputs f = ph.f;
    const std::vector<REAL>& column = ph.end;
    std::map<int, REAL> rows;
    std::map<Word, REAL> words = f.words;
    const std::set<int> emptied = emptied_groups(ph.start, column, rows);
    // A tariff row the user's basic choice holds (its flag set by the chain
    // or before every run of the case) is the user's, as the host shows it
    // (a choice the revised rates' rules rewrote among them).
    host.flags[slot].insert(f.flags.begin(), f.flags.end());
    std::set<INTEGER> basic = host.flags[slot];
    if (k.flags_every_run.count(slot)) basic.insert(k.flags_every_run.at(slot).begin(), k.flags_every_run.at(slot).end());
    for (int row = 1; row <= 310; ++row) {
        const std::size_t at = static_cast<std::size_t>(row - 1);
        const bool typed = f.rows.count(row) > 0 || (row == 1 && basic.count(26)) || (row == 3 && basic.count(29));
        if (!(typed || host_typed_row(row)) || emptied.count(row) || (!typed && column[at] == ph.start[at])) continue;
        if (row == 60 && !typed && code_after_switch_or_move(f)) continue;
        rows[row] = column[at];
        if (row == 16) words[Word::kAzimuth] = column[at];
    }
    // A custom heating, cooling or leakage code (negative) keeps the
    // efficiency or leakage area the input file holds, which a host that
    // offers custom values writes with it: the new project is given the
    // chain's, where the chain did not type one (a run's save makes a mixed
    // pair of codes custom, its efficiencies those of the codes typed).
    for (const auto& [row, word] : {std::pair{18, Word::kHeatingEfficiency}, std::pair{20, Word::kCoolingEfficiency},
                                    std::pair{24, Word::kLeakageArea}})
        if (rows.count(row) && rows[row] < 0.0f && !words.count(word)) words[word] = ph.words_end.at(word);
    // A value that keeps what the last run left and that a run has since
    // replaced in the column is the column's.
    for (auto it = f.rows_before.begin(); it != f.rows_before.end();)
        it = rows.count(it->first) && rows[it->first] == f.rows.at(it->first) ? std::next(it) : f.rows_before.erase(it);
    std::ostringstream inputs;
    for (const auto& [row, v] : rows) inputs << ' ' << row << '=' << v;
    for (const auto& [w, v] : words) inputs << "; " << word_name(w) << ' ' << v;
    // The lines' words the phase typed, as the host holds them after its
    // last edit (what its runs left of them), except a line whose glass the
    // phase emptied: the glass a run gave it in repair is derived from the
    // scheme-wide code and facade that run found (given as typed glass, it
    // would be a window's own glass that sets it apart from the others).
    // Emptied before a value that keeps what the last run left, the line is
    // in the inputs of the new project's run before that value, which gives
    // it that glass as the chain's run did: the value keeps it, as it keeps
    // the glass of the windows never emptied.
    LineWords lines = ph.lines_end;
    for (auto& [at, v] : lines) {
        bool emptied_since_kept = false;
        for (const LineWord glass : {LineWord::kU, LineWord::kShadingCoefficient, LineWord::kTransmittance})
            if (f.lines_typed_since_kept.count({glass, at.second})) emptied_since_kept = true;
        if (glass_typed_empty(f.lines, at.second) && (!f.keeps() || emptied_since_kept) && f.lines.count(at))
            v = f.lines.at(at);
    }
    f.lines = lines;
    for (const auto& [at, v] : f.lines) inputs << "; line " << at.second << ' ' << line_word_name(at.first) << ' ' << v;
    if (f.site) inputs << "; moved to " << describe(*f.site);
    for (const INTEGER flag : f.flags) inputs << "; flag " << flag;
    for (const INTEGER flag : f.revised) inputs << "; revised rates with flag " << flag;
    k.say("NOTE the chain's inputs of " + scheme_name(slot) + " given to a new project at once: rows" + inputs.str());
    if (!f.keeps()) {
        give(k, fresh, slot, rows, words, f.site, f.revised, f.lines);
        if (f.site) host.move(slot);
        return;
    }
    // A value that keeps what the last run left: the new project is given
    // the rows of the chain's run before it, with the value the chain held
    // before it, and runs once; then the final inputs.
    std::map<int, REAL> before_rows;
    const std::set<int> emptied_before = emptied_groups(ph.start, f.column_kept_from, before_rows);
    for (int row = 1; row <= 310; ++row) {
        const std::size_t at = static_cast<std::size_t>(row - 1);
        if ((host_typed_row(row) || f.rows.count(row)) && !emptied_before.count(row) &&
            f.column_kept_from[at] != ph.start[at])
            before_rows[row] = f.column_kept_from[at];
    }
    std::map<Word, REAL> before_words = words;
    // That run's building is the one whose input file the value keeps: a
    // house made another building after it ran as a house. A word typed
    // with or after it is not that building's (a door type typed with the
    // switch to a house never reached the building's doors): it holds what
    // was typed before, or is not given.
    // A window, door or skylight type typed after that run reached no line
    // of the building either (only a run gives the lines their type's
    // glass): that run's type, which differs from it beyond its sign (a run
    // marks a type custom).
    for (const auto& [w, v] : f.words) {
        const auto then = f.words_typed_kept_from.find(w);
        const auto ran = f.words_kept_from.find(w);
        const bool glazing_type = w == Word::kWindowType || w == Word::kDoorType || w == Word::kSkylightType;
        if (then == f.words_typed_kept_from.end()) before_words.erase(w);
        else if (glazing_type && ran != f.words_kept_from.end() && std::fabs(then->second) != std::fabs(ran->second))
            before_words[w] = ran->second;
        else before_words[w] = then->second;
    }
    for (const Word w : {Word::kAnotherBuilding, Word::kBuildingType})
        if (words.count(w)) before_words[w] = f.words_kept_from.at(w);
    for (const auto& [row, v] : f.rows_before) before_rows[row] = v;
    for (const auto& [w, v] : f.words_before) before_words[w] = v;
    // The lines, the site and the revised rates as they stood before it: a
    // window's glass typed with or after the switch to another building is
    // not a house's, nor a site moved to or rates given then.
    const std::optional<Site> site_then = f.site_before ? f.site_before : f.site_kept_from;
    give(k, fresh, slot, before_rows, before_words, site_then, f.revised_kept_from, f.lines_kept_from);
    if (site_then) host.move(slot);
    plain_run(k, fresh, host, slot, "the chain's inputs given to the new project, the kept values' before them");
    std::map<int, REAL> final_rows = rows;
    for (const auto& [row, v] : before_rows)
        if (!final_rows.count(row) && !emptied.count(row) && !(row == 60 && code_after_switch_or_move(f)))
            final_rows[row] = column[static_cast<std::size_t>(row - 1)];
    const bool moved_since = f.site && (!site_then || describe(*f.site) != describe(*site_then));
    std::vector<INTEGER> revised_since;
    for (const INTEGER flag : f.revised)
        if (std::find(f.revised_kept_from.begin(), f.revised_kept_from.end(), flag) == f.revised_kept_from.end())
            revised_since.push_back(flag);
    give(k, fresh, slot, final_rows, words, moved_since ? f.site : std::nullopt, revised_since, f.lines);
    if (moved_since) host.move(slot);
}

// The command as the chain gave it, in the new project: a design after
// the other design scheme stores the command it stored in the chain.
void replay(Checker& k, const fs::path& fresh, HostMemory& host, const Command& c) {
    if (c.copy) {
        host_run(k, fresh, host, c.from, c.code, "the chain's " + c.what + " in the new project", c.to);
        host.moved.erase(c.to);
        return;
    }
    select_scheme(k.in, fresh, 3 - c.to, c.partner_command, 0);
    host_run(k, fresh, host, c.to, c.code, "the chain's " + c.what + " in the new project");
}

// The first plain run after an edit of the chain and the run after it: the
// same inputs, every byte of the input file and the reports, and the
// summary rows and column, the same. An edit run once is run again when its
// value has no meaning of its own or keeps what the last run left (a new
// project given the value in the same order could not tell a first run
// that differs from its re-runs), and the chain's last edit always is.
void the_run_after_the_first(Checker& k, const fs::path& project, HostMemory& host, INTEGER slot,
                             const std::string& step, std::vector<Run>& after) {
    if (after.size() < 2) after.push_back(plain_run(k, project, host, slot, step + ", the run after the first"));
    const std::string invariant = "after an edit of a chain the first plain run = the run after it";
    k.same_scheme(invariant, after[0], after[1]);
    k.same_reports(invariant, after[0], after[1]);
}

}  // namespace

bool draws_chain(const Case& c) {
    Random r = case_random(c.seed ^ 0x636861696E73ull, c.number);
    return r.chance(20);
}

void chain_of_edits(Checker& k, const fs::path& p, const fs::path& side, const fs::path& fresh) {
    const Case& c = k.c;
    Random r = case_random(c.seed ^ 0x6564697473ull, c.number);
    INTEGER slot = r.chance(50) ? 1 : 2;
    const int actions = r.between(2, 6);
    k.say("CHAIN " + std::to_string(actions));
    fs::remove_all(side);
    fs::copy(p, side, fs::copy_options::recursive);
    std::map<INTEGER, ChainSlot> slots;
    for (INTEGER s = 1; s <= 9; ++s) slots[s] = {s <= 2, c.nonresidential, site_in_force(c.site)};
    HostMemory host;
    std::vector<Phase> phases;
    bool scheme_2 = slot == 2;  // the chain reaches scheme 2: the new project designs it too
    const auto column_of = [&](INTEGER s) { return saved_columns(k.in, side)[static_cast<std::size_t>(s - 1)]; };
    const auto open_phase = [&](INTEGER s, const std::optional<Command>& by) {
        Phase ph;
        ph.slot = s;
        ph.opening = by;
        ph.start = ph.ran_column = column_of(s);
        ph.start_lines = saved_lines(k.in, side, s);
        ph.start_glass = saved_line_glass(k.in, side, s);
        ph.ran_words = saved_words(k.in, side, s);
        ph.ran_at = ph.opened_at = slots[s].site;
        phases.push_back(ph);
    };
    const auto close_phase = [&] {
        Phase& ph = phases.back();
        ph.end = column_of(ph.slot);
        ph.words_end = saved_words(k.in, side, ph.slot);
        ph.lines_end = saved_line_words(k.in, side, ph.slot, ph.f.lines);
    };
    open_phase(slot, std::nullopt);
    std::string last;
    // The orders of edits in one save are drawn from a stream of their own.
    Random orders = case_random(c.seed ^ 0x6F7264657273ull, c.number);
    // A save of `parts` into the scheme edited: returns the rows of a window
    // group it types past the last line, to be kept by the run after it.
    const auto save_edits = [&](const std::vector<Edit>& parts, const std::string& step, bool& without_meaning) {
        std::map<int, REAL> past_the_last;
        const std::vector<REAL> column = column_of(slot);
        Phase& open = phases.back();
        Edit save;
        std::string what;
        int window_edits = 0;
        for (const Edit& e : parts) {
            k.say("EDIT " + e.family + (e.meaning == Meaning::kUndefined ? " UNDEFINED" : e.meaning == Meaning::kKeeps ? " KEEPS" : ""));
            take(open.f, e, open.ran_column, open.ran_words, open.ran_at, open.opened_at);
            without_meaning = without_meaning || e.meaning != Meaning::kDefined;
            for (const auto& [row, v] : e.rows) save.rows[row] = v;
            for (const auto& [w, v] : e.words) save.words[w] = v;
            for (const auto& [l, v] : e.lines) save.lines[l] = v;
            if (e.site) save.site = e.site;
            for (const INTEGER flag : e.revised)
                if (std::find(save.revised.begin(), save.revised.end(), flag) == save.revised.end()) save.revised.push_back(flag);
            if (e.flag != 0) host.flags[slot].insert(e.flag);
            if (e.family.rfind("window group", 0) == 0 || e.family == "a new window group") ++window_edits;
            if (e.family == "a new window group" && !slots[slot].nonresidential) open.new_line = true;
            if (e.family == "a new window group" && groups_without_gaps(column))
                for (const auto& [row, v] : e.rows)
                    if ((row - 60) % 10 >= 2 && (row - 60) % 10 <= 4) past_the_last[row] = v;
            what += (what.empty() ? "" : "; ") + e.what;
        }
        if (window_edits != 1) past_the_last.clear();
        // Rates typed with a move to the zone of the site the last run stood
        // at reach that move's run, which clears them; the new project takes
        // that move on its run before the final inputs: they come with it.
        if (save.site && open.f.site_before && describe(*save.site) == describe(*open.f.site_before))
            open.f.revised_kept_from = open.f.revised;
        if (parts.size() > 1) {
            const bool moves = save.site.has_value(), switches = save.words.count(Word::kAnotherBuilding) > 0;
            k.say(std::string("DREW several edits in one save") + (moves ? ", a move among them" : "") +
                  (switches ? ", the switch to another building or back among them" : ""));
        }
        if (slot >= 3) k.say("DREW a save of a library slot's edits");
        give(k, side, slot, save.rows, save.words, save.site, save.revised, save.lines);
        if (save.site) {
            host.move(slot);
            if (slot <= 2) slots[1].site = slots[2].site = *save.site;
            else slots[slot].site = *save.site;
        }
        if (save.words.count(Word::kAnotherBuilding)) slots[slot].nonresidential = save.words[Word::kAnotherBuilding] != 0.0f;
        open.edited = true;
        open.ran_after_edit = false;
        last = step + scheme_name(slot) + " edited (" + what + ")";
        return past_the_last;
    };
    // The plain runs after a step: the run after a save that typed a window
    // group past the last line keeps it, and the first run equals the second
    // where both ran or where the step's value has no meaning of its own.
    const auto runs_after = [&](int runs, const std::map<int, REAL>& past_the_last, bool without_meaning) {
        std::vector<Run> after;
        for (int run = 1; run <= runs; ++run) {
            if (slot >= 3) k.say("DREW a plain run of a library slot");
            const Run ran = plain_run(k, side, host, slot, last + ", plain run " + std::to_string(run));
            after.push_back(ran);
            if (run == 1 && !past_the_last.empty() && ran.simulated()) {
                const std::string invariant = "a window group typed past the last line is simulated and kept";
                k.reached(invariant);
                for (const auto& [row, v] : past_the_last)
                    if (ran.params[static_cast<std::size_t>(row - 1)] != v) {
                        std::ostringstream o;
                        o << ran.step << ": row " << row << " is " << ran.params[static_cast<std::size_t>(row - 1)]
                          << ", typed " << v;
                        k.fail(invariant, o.str());
                        break;
                    }
            }
        }
        if (runs == 0) return;
        if (runs == 2 || without_meaning) the_run_after_the_first(k, side, host, slot, last, after);
        Phase& ph = phases.back();
        ph.ran_after_edit = ph.edited;
        ph.new_line_ran = ph.new_line_ran || ph.new_line;
        ph.ran_at = slots[slot].site;
        ph.ran_column = column_of(slot);
        ph.ran_words = saved_words(k.in, side, slot);
        ph.ran_since_kept = ph.f.keeps();
        ph.moved_and_ran = ph.moved_and_ran || ph.f.site || ph.f.words.count(Word::kAnotherBuilding);
        ph.move_ran = ph.move_ran || ph.f.site || ph.moved_before;
    };
    // A window's own glass typed after a run that brought a house's line in
    // past the last line, that run's save behind it: the glass comes in a
    // phase of its own, after that run. So does a window group's facade, or
    // a window's glass, typed after a run that gave a line whose glass the
    // phase emptied a skylight's glass in repair: that run's save holds the
    // line as it holds a skylight whose glass was never emptied, its group
    // of the skylight type whose glass a vintage design's era gives it over
    // glass typed later, and moved to a wall it is a window of that glass,
    // where emptied on the wall it is a door. So does
    // the glass emptied of a line a run of the phase brought in past the
    // last line: the new project's file holds no such line when given the
    // phase, and its words typed 0 there are words not typed (the line
    // takes its group's glass). So does a window's glass word typed after a
    // run that took a move or the switch of the phase, of a value some
    // window held when the phase opened: given with the move or the switch,
    // a word the windows held in the code glass of the site and kind before
    // is a word the designer left, which takes the code glass in force (and
    // on the line that held it, no word typed at all).
    const auto in_a_phase_of_its_own_after_a_run = [&] {
        const bool moved = phases.back().moved_before || phases.back().f.site.has_value();
        close_phase();
        open_phase(slot, std::nullopt);
        phases.back().moved_before = moved;
        phases.back().run_first = true;
    };
    const auto after_a_run_that_gave_glass = [&](const std::vector<Edit>& parts) {
        const Phase& ph = phases.back();
        const std::vector<std::pair<REAL, REAL>> lines = saved_lines(k.in, side, slot);
        const auto held_at_start = [&ph](LineWord w, REAL v) {
            for (INTEGER line = 1; line <= 25; ++line) {
                const auto& [units, transmittance] = ph.start_lines[static_cast<std::size_t>(line - 1)];
                if (units > 0.0f && transmittance > 0.0f && ph.start_glass.at({w, line}) == v) return true;
            }
            return false;
        };
        bool glass = false, facade = false, repaired = false, emptied_new_line = false, old_code_word = false;
        for (const Edit& e : parts) {
            for (const auto& [at, v] : e.lines) {
                const std::size_t n = static_cast<std::size_t>(at.second - 1);
                glass = glass || (at.first <= LineWord::kTransmittance && lines[n].first > 0.0f);
                old_code_word = old_code_word || (at.first <= LineWord::kTransmittance && lines[n].first > 0.0f &&
                                                  ph.moved_and_ran && held_at_start(at.first, v));
                emptied_new_line = emptied_new_line || (glass_typed_empty(e.lines, at.second) && lines[n].first > 0.0f &&
                                                        !(ph.start_lines[n].first > 0.0f));
            }
            for (const auto& [row, v] : e.rows) facade = facade || (row >= 61 && row <= 301 && (row - 61) % 10 == 0);
        }
        for (const auto& [at, v] : ph.f.lines)
            repaired = repaired || (glass_typed_empty(ph.f.lines, at.second) &&
                                    lines[static_cast<std::size_t>(at.second - 1)].second > 0.0f);
        const bool after_a_run = ph.ran_after_edit && ((glass && ph.new_line_ran) || ((facade || glass) && repaired));
        if (!after_a_run && !emptied_new_line && !old_code_word) return;
        in_a_phase_of_its_own_after_a_run();
    };
    // A library slot's emission rows are chosen on the run that takes its
    // move, from the electric tariff in force then, and stand on its later
    // runs: an electric tariff choice or revised electric rates typed after
    // that run come after a plain run of the inputs before them, as given
    // with the move they would choose the rows.
    const auto after_a_run_that_chose_the_emission_rows = [&](const std::vector<Edit>& parts) {
        const bool electric_rates = std::any_of(parts.begin(), parts.end(), [](const Edit& e) {
            return e.flag == 26 || std::find(e.revised.begin(), e.revised.end(), 82) != e.revised.end();
        });
        if (slot >= 3 && phases.back().move_ran && electric_rates) in_a_phase_of_its_own_after_a_run();
    };
    for (int i = 1; i <= actions; ++i) {
        const std::string step = "chain, step " + std::to_string(i) + " of " + std::to_string(actions) + ": ";
        // A window group typed past the last line, to be kept by the run
        // after it: its rows.
        std::map<int, REAL> past_the_last;
        // A value without a meaning of its own, or one that keeps what the
        // last run left, among the save's edits.
        bool without_meaning = false;
        if (r.chance(25)) {
            Command cmd = draw_command(r, slot, slots);
            scheme_2 = scheme_2 || cmd.from == 2 || cmd.to == 2;
            close_phase();
            if (!cmd.copy) cmd.partner_command = stored_command(k.in, side, 3 - cmd.to);
            k.say("DREW " + cmd.kind);
            last = step + cmd.what;
            if (cmd.copy) {
                host_run(k, side, host, cmd.from, cmd.code, last, cmd.to);
                host.moved.erase(cmd.to);
                copied(slots, cmd);
            } else {
                host_run(k, side, host, cmd.to, cmd.code, last);
            }
            slot = cmd.to;
            open_phase(slot, cmd);
        } else {
            Phase& ph = phases.back();
            const std::vector<REAL> column = column_of(slot);
            Editing at{slot, slots[slot].nonresidential, saved_lines(k.in, side, slot), slots[slot].nonresidential || slot >= 3,
                       !groups_without_gaps(column)};
            at.moved = ph.moved_before;
            // Now and then several edits in one save, one of them a move or
            // the switch to another building or back.
            // The switch comes first in a save of several, and the edits
            // after it are drawn for a building whose save stores its lines
            // one after the other in the groups.
            std::vector<Edit> parts;
            const int several = r.chance(25) ? r.between(2, 3) : 1;
            if (several > 1) {
                const int with = r.between(1, 100);
                Edit forced;
                if (with <= 35) draw_move(r, k.in, forced);
                else if (with <= 60) draw_switch(r, at, k.in, forced);
                if (forced.meaning == Meaning::kKeeps) forced.what += " (keeps what the last run left)";
                if (!forced.family.empty()) parts.push_back(forced);
            }
            const Editing as_drawn = at;
            for (int tries = 0; static_cast<int>(parts.size()) < several && tries < 2 * several; ++tries) {
                at.packed = at.packed || (!parts.empty() && parts.back().words.count(Word::kAnotherBuilding));
                at.may_switch = several == 1;
                const Edit e = draw_edit(r, k, at, column, ph.f);
                if (!e.family.empty()) parts.push_back(e);
            }
            // Or, in place of the save drawn, one of the orders of edits,
            // in one save or one run apart: the saves but the last each run
            // (twice) before the next, and the last run twice after it.
            if (const std::optional<Order> order = draw_order(orders, as_drawn, column)) {
                k.say("DREW " + order->kind + (order->saves.size() > 1 ? ", one run apart" : ", in one save"));
                without_meaning = true;
                for (std::size_t n = 0; n + 1 < order->saves.size(); ++n) {
                    bool apart = true;
                    after_a_run_that_gave_glass(order->saves[n]);
                    after_a_run_that_chose_the_emission_rows(order->saves[n]);
                    const std::map<int, REAL> group = save_edits(order->saves[n], step, apart);
                    k.say("NOTE " + last);
                    runs_after(1, group, apart);
                }
                after_a_run_that_gave_glass(order->saves.back());
                after_a_run_that_chose_the_emission_rows(order->saves.back());
                past_the_last = save_edits(order->saves.back(), step, without_meaning);
            } else {
                if (parts.empty()) continue;
                // A value that keeps what the last run left, after a run that
                // took in an earlier such value, keeps what that run derived
                // from it: the edits before it are a phase of their own, whose
                // kept value the new project's run before this one takes in.
                const bool keeps = std::any_of(parts.begin(), parts.end(),
                                               [](const Edit& e) { return e.meaning == Meaning::kKeeps; });
                if (keeps && ph.f.keeps() && ph.ran_since_kept) {
                    const bool moved = ph.moved_before || ph.f.site.has_value();
                    const Phase ran = ph;
                    close_phase();
                    open_phase(slot, std::nullopt);
                    phases.back().moved_before = moved;
                    // What the value keeps is what the last run left: a save
                    // given since without a run (a move to a site never run
                    // there) is not in it.
                    phases.back().ran_column = ran.ran_column;
                    phases.back().ran_words = ran.ran_words;
                    phases.back().ran_at = ran.ran_at;
                }
                after_a_run_that_gave_glass(parts);
                after_a_run_that_chose_the_emission_rows(parts);
                past_the_last = save_edits(parts, step, without_meaning);
            }
        }
        k.say("NOTE " + last);
        runs_after(i == actions ? 0 : r.pick(std::vector<int>{0, 1, 1, 1, 1, 1, 1, 2, 2}), past_the_last, without_meaning);
    }
    close_phase();
    if (slot >= 3) k.say("DREW a chain ending on a library slot");
    std::vector<Run> after_last{plain_run(k, side, host, slot, last + ", the first plain run after it")};
    the_run_after_the_first(k, side, host, slot, last, after_last);
    const Run& second = after_last[1];

    // A new project given the inputs at once: the case's designs, then
    // the chain's commands in their order, each scheme's edits between two
    // of them given in one save before the command after them, and no
    // plain run.
    prepared_project(k, fresh, c.site, 1);
    k.run(fresh, 1, 243.0f, "design of scheme 1 of a new project for the chain");
    if (scheme_2) k.run(fresh, 2, 246.0f, "design of scheme 2 of a new project for the chain");
    HostMemory fresh_host;
    // Scheme 2's efficient design matches the glass and doors of scheme 1's
    // last run: where the chain ran scheme 1 after its edits, the new
    // project runs it too before such a design.
    bool scheme_1_ran_after_edits = false;
    for (std::size_t n = 0; n < phases.size(); ++n) {
        const Phase& ph = phases[n];
        if (ph.opening) {
            const Command& c = *ph.opening;
            if (scheme_1_ran_after_edits && !c.copy && c.to == 2)
                plain_run(k, fresh, fresh_host, 1, "scheme 1 run after its edits in the new project, as in the chain, before " + c.what);
            if (c.to == 1 || (!c.copy && c.to == 2)) scheme_1_ran_after_edits = false;
            replay(k, fresh, fresh_host, c);
        }
        if (ph.run_first)
            plain_run(k, fresh, fresh_host, ph.slot,
                      "a run of the new project before the glass, window facade or electric rates the chain typed after one");
        give_phase(k, fresh, fresh_host, ph);
        if (ph.slot == 1 && ph.edited) scheme_1_ran_after_edits = ph.ran_after_edit;
        // A library slot's tariff choice (row 1) is the one thing of it a
        // copy into it keeps, where that choice bills the copy: the chain's
        // run after the slot's move had taken the new site's tariff into
        // it, which the new project, given the move without a run, holds
        // only once it runs the slot at that site, as the chain did (a copy
        // out of the slot first takes the host's mark of the move along).
        const Command* into = nullptr;
        for (std::size_t m = n + 1; m < phases.size() && !into; ++m) {
            const std::optional<Command>& c = phases[m].opening;
            if (c && c->copy && c->to == ph.slot && c->from != ph.slot) into = &*c;
        }
        if (ph.slot >= 3 && ph.move_ran && into)
            plain_run(k, fresh, fresh_host, ph.slot,
                      "a run of the moved slot in the new project, as in the chain, before " + into->what);
    }
    const Run given_first =
        plain_run(k, fresh, fresh_host, slot, "the chain's final inputs in a new project, first plain run");
    const Run given = plain_run(k, fresh, fresh_host, slot, "the chain's final inputs in a new project, second plain run");
    const std::string given_settles = "a new project given a chain's final inputs: its first plain run = its second";
    k.same_scheme(given_settles, given_first, given);
    k.same_reports(given_settles, given_first, given);
    Run ended = second, new_project = given;
    // Another building made of a house holds in rows 37, 38 and 40 the
    // residential code's requirements of the zone it last ran in as a house,
    // which nothing a building simulates reads.
    if (second.metered.nonresidential && given.metered.nonresidential)
        for (Run* run : {&ended, &new_project})
            for (const std::size_t row : {37u, 38u, 40u})
                if (run->params.size() >= row) run->params[row - 1] = 0.0f;
    const std::string input = "scheme" + std::to_string(slot) + "b.dat";
    if (second.simulated() && given.simulated()) {
        ended.files[input] = input_file_but_what_is_not_there(k.in, side, slot, side.parent_path() / "chain-input-file");
        new_project.files[input] = input_file_but_what_is_not_there(k.in, fresh, slot, side.parent_path() / "chain-input-file");
    } else {
        // A run that simulates nothing leaves the input file's derived
        // words (the sun table, the design loads) as the last run that
        // simulated saved them: its rows and column are compared. So it
        // leaves a group of quantity 0: a house's group keeps its facade
        // and geometry beside the quantity until a run that simulates
        // empties its line and stores the group blank. A chain that emptied
        // the group and ran it holds a blank group where a new project that
        // has simulated nothing since holds the group as it was: their
        // quantities are compared, not those words.
        ended.files.erase(input);
        new_project.files.erase(input);
        for (std::size_t row = 60; row + 7 <= ended.params.size() && row + 7 <= new_project.params.size(); row += 10) {
            auto word = [row](Run& run, std::size_t n) -> REAL& { return run.params[row + n - 1]; };
            if (word(ended, 2) > 0.0f || word(new_project, 2) > 0.0f) continue;
            for (Run* run : {&ended, &new_project})
                for (const std::size_t n : {1u, 3u, 4u, 5u, 6u, 7u}) word(*run, n) = 0.0f;
        }
    }
    // (Both projects stay in the case's directory, which a replay keeps.)
    const std::string ends = "a chain of edits and runs ends where a new project given its final inputs ends";
    k.same_scheme(ends, ended, new_project);
    k.same_reports(ends, ended, new_project);
}

}  // namespace mavo::sweep
