// Every value a host can type into a coded row of a scheme's column (the
// README's table of codes): the first run after it simulates what every
// later run simulates, and the value is saved as typed, or replaced before
// that run, as the table says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "integration/whole_run_support.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// The schemes typed into: the sample house's code-minimum design (scheme
// 1, a raised wood floor, whole years), an office's (scheme 1, whole
// years), and the house's efficient design (a slab) copied into slot 3 and
// run for twelve days.
enum Scheme { kHouse, kOffice, kSlot, kSchemes };

// What the README's table says a run saves for a typed value: the codes
// kept as typed, values replaced by a code of their own, and what becomes
// of every other value: kept, the row's value before (what the input file
// holds, or what every run of the scheme puts there), or a code.
struct Saved {
    std::vector<REAL> kept;
    std::map<REAL, REAL> replaced;
    enum { kKept, kBefore, kCode } other = kKept;
    REAL code = 0.0f;
};

Saved kept() { return {}; }
Saved before(std::vector<REAL> kept = {}, std::map<REAL, REAL> replaced = {}) {
    return {std::move(kept), std::move(replaced), Saved::kBefore};
}
Saved others_as(REAL code, std::vector<REAL> kept = {}, std::map<REAL, REAL> replaced = {}) {
    return {std::move(kept), std::move(replaced), Saved::kCode, code};
}
Saved replaced(std::map<REAL, REAL> r) { return {{}, std::move(r), Saved::kKept}; }

std::vector<REAL> codes(REAL from, REAL to, std::vector<REAL> more = {}) {
    for (REAL v = from; v <= to; ++v) more.push_back(v);
    return more;
}

REAL expected(const Saved& s, REAL typed, REAL before_value) {
    for (const REAL k : s.kept)
        if (k == typed) return typed;
    if (s.replaced.count(typed)) return s.replaced.at(typed);
    if (s.other == Saved::kBefore) return before_value;
    if (s.other == Saved::kCode) return s.code;
    return typed;
}

struct CodedRow {
    int row;
    Saved saved[kSchemes];
};

// The README's table, for the three schemes: the house sits on air velocity
// 2 (its zone asks for a small whole-house fan), the office on 1, the slot
// on 3; the house and the office are scheme 1, whose run sets its air
// velocity, natural ventilation and radiant barrier itself.
const std::vector<CodedRow>& coded_rows() {
    const Saved heating = others_as(1, codes(1, 6), {{7, -7}, {8, -8}, {9, -9}, {-3, 3}});
    const Saved cooling = before(codes(1, 6), {{7, -7}, {8, -8}, {9, -9}, {0, 1}});
    const Saved leakage = before(codes(1, 9, {-3}));
    const std::map<REAL, REAL> no_venting = {{2, 1}, {3, 1}, {4, 1}, {-3, 1}};
    auto with = [](std::map<REAL, REAL> m, std::map<REAL, REAL> more) {
        m.insert(more.begin(), more.end());
        return m;
    };
    const Saved dwelling_floor = before(codes(1, 10, {13, 16, 17, -3}));
    static const std::vector<CodedRow> rows = {
        {6, {kept(), kept(), kept()}},
        {7, {others_as(1, codes(1, 4)), kept(), others_as(1, codes(1, 4))}},
        {9, {kept(), kept(), kept()}},
        {10, {kept(), kept(), kept()}},
        {18, {heating, heating, heating}},
        {20, {cooling, cooling, cooling}},
        {24, {leakage, leakage, leakage}},
        {25,
         {replaced(with(no_venting, {{6, 5}})), replaced(with(no_venting, {{10, 1}, {11, 1}})), replaced(no_venting)}},
        {28, {before(), before(), kept()}},
        {29, {before(), before(), others_as(2, {1}, {{0, 1}})}},
        {30, {replaced({{9, 5}, {10, 5}}), kept(), replaced({{9, 5}, {10, 5}})}},
        {31,
         {kept(),
          replaced({{1, 21}, {3, 23}, {6, 23}, {7, 25}, {8, 22}, {9, 27}, {10, 27}, {11, 28}, {12, 25}, {14, 27}, {-3, 23}}),
          kept()}},
        {32, {replaced({{0, 1}}), replaced({{0, 1}}), replaced({{0, 1}})}},
        {33, {dwelling_floor, kept(), dwelling_floor}},
        {34, {kept(), kept(), kept()}},
        {35, {before(), before(), replaced({{-3, 3}})}},
        {36, {replaced({{-3, 1}, {0, 1}}), replaced({{-3, 1}, {0, 1}}), replaced({{-3, 1}, {0, 1}})}},
        {49, {others_as(2, codes(1, 4)), before(), before()}},
    };
    return rows;
}

// Rows typed together, each with the same value: no row of a group changes
// what another of it means (heating and cooling, the evaporative cooler and
// the venting, air velocity and natural ventilation it sets, venting and
// air velocity, walls and insulation, a floor and its under-floor code, a
// roof and its radiant barrier, attachment and shared walls are in
// different groups). A design scheme runs whole years: typed one row at a
// time, the values would take minutes.
const std::vector<std::vector<int>> kTypedTogether = {
    {6, 10, 18, 24, 28, 31, 34, 36}, {9, 20, 30, 32, 33}, {7, 25, 29, 35, 49}};

std::vector<REAL> saved_column(const fs::path& project, INTEGER slot) {
    select_scheme(project, slot, 0.0f);
    std::vector<REAL> column;
    for (INTEGER row = 1; row <= 310; ++row) column.push_back(STRATEGY(row, slot));
    return column;
}

// The project of `scheme`, its last run a plain one, and the scheme's slot.
INTEGER project_of(Scheme scheme, const fs::path& p) {
    reset_all_blocks();
    if (scheme == kOffice) {
        testing::new_project(p, kData / "util");
        make_nonresidential(p, 1, 7);
        run_scheme(p, 1, 243.0f);
        run_scheme(p, 1, 0.0f);
        return 1;
    }
    copy_sample(p);
    if (scheme == kHouse) {
        run_scheme(p, 1, 243.0f);
        run_scheme(p, 1, 0.0f);
        return 1;
    }
    run_scheme(p, 2, 246.0f);
    select_scheme(p, 2, 201.0f, 3);
    EXPECT_EQ(run_kernel(p), 0);
    edit_scheme(p, 3, [] {
        TMYMON = 7;
        TMYDAY = 1;
    });
    run_scheme(p, 3, 0.0f);
    EXPECT_EQ(SUMARY(48, 3), 12.0f) << "the slot runs twelve days";
    return 3;
}

class CodedRowsRun : public ::testing::TestWithParam<Scheme> {};

// A run depends on the project's files alone: a second run that leaves the
// results and files of the first is every later run too.
TEST_P(CodedRowsRun, EveryValueRunsOnItsFirstRunAsOnItsRerunsAndIsSavedAsTheTableSays) {
    const Scheme scheme = GetParam();
    const char* names[kSchemes] = {"the house's scheme 1", "the office's scheme 1", "the house's slot 3"};
    ScratchDir dir;
    const fs::path project = dir / "project";
    const INTEGER slot = project_of(scheme, project);
    const std::vector<REAL> column = saved_column(project, slot);
    std::vector<REAL> values = {-3.0f};
    for (int v = 0; v <= 20; ++v) values.push_back(static_cast<REAL>(v));
    for (const std::vector<int>& group : kTypedTogether) {
        for (const REAL v : values) {
            std::ostringstream what;
            what << names[scheme] << ", " << v << " typed into rows";
            for (const int row : group) what << ' ' << row;
            const fs::path p = dir / "typed";
            fs::remove_all(p);
            fs::copy(project, p, fs::copy_options::recursive);
            edit_scheme(p, slot, [&] {
                for (const int row : group) STRATEGY(row, slot) = v;
            });
            const SchemeRun first = run_scheme(p, slot, 0.0f);
            const SavedScheme saved = saved_scheme(p, slot);
            for (const CodedRow& c : coded_rows()) {
                if (std::find(group.begin(), group.end(), c.row) == group.end()) continue;
                const std::size_t at = static_cast<std::size_t>(c.row - 1);
                EXPECT_EQ(saved.column[at], expected(c.saved[scheme], v, column[at]))
                    << what.str() << ": row " << c.row << " as saved by the first run";
            }
            const SchemeRun second = run_scheme(p, slot, 0.0f);
            expect_same_run(first, second, what.str() + ": the second run");
            expect_same_saved_scheme(saved, saved_scheme(p, slot), what.str() + ": what the second run saved");
        }
    }
}

std::string scheme_name(const ::testing::TestParamInfo<Scheme>& info) {
    return info.param == kHouse ? "house" : info.param == kOffice ? "office" : "slot";
}

INSTANTIATE_TEST_SUITE_P(HouseOfficeAndSlot, CodedRowsRun, ::testing::Values(kHouse, kOffice, kSlot), scheme_name);

}  // namespace
}  // namespace mavo
