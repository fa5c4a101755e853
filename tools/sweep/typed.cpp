// The rows a designer types and the paths that keep them.
#include "sweep/typed.h"

#include <algorithm>
#include <sstream>

namespace mavo::sweep {

namespace {

// A row of the parameter column a designer types, the values of it that a
// run keeps, and the paths that keep it. The paths and what each writes,
// as the README describes them:
// - a plain run (and the run every library command goes on with) rewrites
//   the rows it derives from the working model: the tariffs (1, 3), the
//   site (4), the plan's dimensions and heights (12, 13, 15, 17), the
//   heating, cooling, leakage and venting codes it re-derives from their
//   efficiencies (18, 20, 24, 25, 28, 29), the radiant barrier of a
//   building without a roof (35), the code's window values (47, 48) and
//   the window groups; it keeps the building's description and its
//   construction choices: new or existing, attachment 1 to 4, area, party
//   walls, floor and roof, a year built after 100, stories, the azimuth
//   (which row 16 shows of the input file, where the host types it),
//   insulation, walls, roof, floor type, garage, shades (a 0 becomes 1) and
//   an under-floor code of the floor type's kind (a new house's year is
//   the current code's on every load);
// - a design (243 of scheme 1, 246 of scheme 2; a house or another
//   building, new or existing, the vintage design of an existing one
//   included) writes the construction it generates (rows 9 of a detached
//   house, 11, 15 to 35, 49, 50, the vintage marks) and faces the building
//   south (16 = 0); it keeps new or existing, attachment, area, floor and
//   roof, stories, a dwelling's garage and shades, and the year an existing
//   dwelling was built (a new house is built to the current code, 2013);
// - a copy (201) gives its target the source's rows 2 to 310; an erase
//   (205) empties the erased slot's column; every other library command
//   writes no row of a scheme but through its run.
struct KeptRow {
    int row;
    std::vector<REAL> legal;  // the values a run keeps; empty: any from `from`
    REAL from;
    bool house, building;  // followed in a dwelling's column, in another building's
    enum { kNever, kAlways, kExisting } design_keeps;  // kExisting: of an existing building only
};

const std::vector<KeptRow>& kept_rows() {
    static const std::vector<KeptRow> rows = {
        {6, {1, 2, 3}, 0, true, true, KeptRow::kAlways},                      // new, remodel, addition
        {7, {1, 2, 3, 4}, 0, true, false, KeptRow::kAlways},                  // attachment
        {8, {}, 1, true, true, KeptRow::kAlways},                             // conditioned floor area
        {9, {0, 1, 2, 3}, 0, true, false, KeptRow::kNever},                 // party walls
        {10, {0, 1, 2, 3, 4}, 0, true, true, KeptRow::kAlways},               // floor and roof
        {11, {}, 1900, true, false, KeptRow::kExisting},                      // year built
        {14, {}, 1, true, true, KeptRow::kAlways},                            // stories
        {16, {}, 0, true, true, KeptRow::kNever},                           // azimuth
        {30, {1, 2, 3, 4}, 0, true, false, KeptRow::kNever},                // insulation level
        {31, {1, 2, 3, 4, 5}, 0, true, false, KeptRow::kNever},             // walls
        {32, {1, 2, 3, 4, 5, 6}, 0, true, false, KeptRow::kNever},          // roof
        {33, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, true, false, KeptRow::kNever},  // floor type
        {34, {0, 1, 2, 3, 4, 5, 6}, 0, true, false, KeptRow::kAlways},        // attached garage
        {36, {1, 2}, 0, true, false, KeptRow::kAlways},                       // shades
        {49, {1, 2}, 0, true, false, KeptRow::kNever},                      // under floor
    };
    return rows;
}

const KeptRow* rule_of(int row) {
    for (const KeptRow& k : kept_rows())
        if (k.row == row) return &k;
    return nullptr;
}

bool kept_value(const KeptRow& k, REAL v) {
    if (k.legal.empty()) return v >= k.from;
    return std::find(k.legal.begin(), k.legal.end(), v) != k.legal.end();
}

// The under-floor code a run keeps is one of the floor type's kind: a
// raised floor's 1, 2 or 4, a slab's 5, no floor's 1 (a basement's walls
// stand on the perimeter, and a floor type not typed is the design's).
// This shares the kernel's reading of the save's floor step, which the
// README states: the save names the under-floor code of the floor the run
// laid out.
bool under_floor_of_its_type(REAL under_floor, REAL floor_type) {
    const auto any = [](REAL v, std::initializer_list<REAL> codes) {
        return std::find(codes.begin(), codes.end(), v) != codes.end();
    };
    if (any(floor_type, {2, 3, 4, 5, 8, 9})) return any(under_floor, {1, 2, 4});
    if (any(floor_type, {6, 7, 16})) return under_floor == 5.0f;
    return floor_type == 1.0f && under_floor == 1.0f;
}

}  // namespace

std::vector<std::pair<int, REAL>> rows_a_run_keeps(const Case& c) {
    std::vector<std::pair<int, REAL>> rows;
    const bool new_building = row_of(c, 6) <= 1.0f;
    for (const auto& [row, v] : c.rows) {
        const KeptRow* k = rule_of(row);
        if (!k || !(c.nonresidential ? k->building : k->house) || !kept_value(*k, v)) continue;
        // A new house is built to the current code whatever year it names:
        // every load of it takes 2013 (the kernel's rule, shared here).
        if (row == 11 && new_building) continue;
        if (row == 49 && !under_floor_of_its_type(v, row_of(c, 33))) continue;
        // A dwelling over another heated unit (row 7 = 3 or 4, row 9 = 2 or
        // 3) loses nothing through its floor: every run names that with
        // under-floor code 1, whatever was typed (the kernel's reading,
        // which the README states).
        const bool over_heated_unit = !c.nonresidential && (row_of(c, 7) == 3.0f || row_of(c, 7) == 4.0f) &&
                                      (row_of(c, 9) == 2.0f || row_of(c, 9) == 3.0f);
        if (row == 49 && over_heated_unit && v != 1.0f) continue;
        rows.emplace_back(row, v);
    }
    return rows;
}

void type_rows(Checker& k, const fs::path& project, const std::vector<INTEGER>& slots) {
    const std::vector<std::pair<int, REAL>> rows = rows_a_run_keeps(k.c);
    for (const INTEGER slot : slots) {
        edit_scheme(k.in, project, slot, [&] {
            for (const auto& [row, v] : rows) {
                STRATEGY(row, slot) = v;
                if (row == 16) SFACES = v;  // the azimuth is the input file's
            }
        });
        for (const auto& [row, v] : rows) k.typed[slot][row] = v;
    }
    k.typed_project = project;
}

void check_typed_rows(Checker& k, const Run& r, REAL command, INTEGER second) {
    if (r.rc != 0) return;  // every file as it was: checked by the run itself
    const INTEGER slot = r.column;
    // 243 designs scheme 1, 246 scheme 2; 340 and above design either, and
    // in scheme 2 of a building older than the code 247 to 339 design too
    // (the kernel's reading, shared here): after any of these codes the rows
    // a design rewrites are no longer followed.
    const bool design = (slot == 1 && (command == 243.0f || command >= 340.0f)) || (slot == 2 && command >= 246.0f);
    const bool existing = !k.c.nonresidential && row_of(k.c, 6) >= 2.0f;
    // A design settles the year of both designs: a new house's is the
    // current code's in scheme 2 too.
    if (design && !existing) k.typed[3 - slot].erase(11);
    if (design)
        for (auto it = k.typed[slot].begin(); it != k.typed[slot].end();) {
            const KeptRow* rule = rule_of(it->first);
            const bool keeps = rule && (rule->design_keeps == KeptRow::kAlways ||
                                        (rule->design_keeps == KeptRow::kExisting && existing));
            it = keeps ? std::next(it) : k.typed[slot].erase(it);
        }
    if (!r.refused && command == 201.0f) {
        const INTEGER target = second >= 1 && second <= 9 ? second : 2;
        if (slot >= 1 && slot <= 9 && k.typed.count(slot)) k.typed[target] = k.typed[slot];
        else k.typed.erase(target);
    }
    if (!r.refused && command == 205.0f && second >= 2 && second <= 9) k.typed.erase(second);
    const std::string invariant = "a row the designer typed is kept by every run and command that keeps it";
    const std::vector<std::vector<REAL>> saved = saved_columns(k.in, k.typed_project);
    bool compared = false;
    for (const auto& [s, rows] : k.typed) {
        for (const auto& [row, v] : rows) {
            compared = true;
            const REAL got = saved[static_cast<std::size_t>(s - 1)][static_cast<std::size_t>(row - 1)];
            if (got == v) continue;
            std::ostringstream o;
            o << r.step << ": scheme " << s << " row " << row << " is " << got << ", typed " << v;
            return k.fail(invariant, o.str());
        }
    }
    if (compared && r.simulated()) k.reached(invariant);
}

}  // namespace mavo::sweep
