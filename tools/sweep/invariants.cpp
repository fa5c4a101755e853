// The invariants: the runs of a case and what they must show.
#include "sweep/invariants.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <tuple>

#include "blocks/blocks.h"
#include "project/project.h"
#include "sweep/chains.h"
#include "sweep/expectations.h"
#include "sweep/library.h"
#include "sweep/oracles.h"
#include "sweep/rate_zones.h"
#include "sweep/typed.h"

namespace mavo::sweep {

namespace {

const std::string kKept = "what the user typed is kept";

// What the user typed and a design or a move keeps: the form's area and
// stories, whether the building is new or existing, and the tariffs the
// user chose with the basic rates, at every site. (The design faces its
// building as it generates it: the azimuth is not the user's to keep.)
void check_kept(Checker& k, const Run& r, INTEGER slot, const Site& site, const std::string& what) {
    if (!r.simulated()) return;
    k.reached(kKept);
    std::vector<std::pair<int, REAL>> typed;
    for (const auto& [row, v] : k.c.rows)
        if (row == 6 || row == 8 || row == 14) typed.push_back({row, v});
    const auto place = k.in.places.find(site.name);
    // Outside California another building's gas choice of 11 to 13 gives
    // way to the generic tariffs of both rows.
    const bool outside = site.kind == Site::kWeatherFile && place != k.in.places.end() && !place->second.california;
    const bool generic = k.c.nonresidential && outside && k.c.gas_choice >= 11.0f && k.c.gas_choice <= 13.0f &&
                         std::find(k.c.rate_flags.begin(), k.c.rate_flags.end(), 29) != k.c.rate_flags.end();
    for (const INTEGER flag : k.c.rate_flags) {
        if (flag == 26 && !generic) typed.push_back({1, k.c.electric_choice});
        if (flag == 29 && !generic) typed.push_back({3, k.c.gas_choice});
    }
    for (const auto& [row, v] : typed)
        if (r.params[static_cast<std::size_t>(row - 1)] != v) {
            std::ostringstream o;
            o << what << ": scheme " << slot << " row " << row << " is " << r.params[static_cast<std::size_t>(row - 1)]
              << ", typed " << v;
            return k.fail(kKept, o.str());
        }
}

// A run of a slot the case's inputs say must simulate its days.
void check_slot_simulates(Checker& k, const Run& r, const std::string& what) {
    if (!k.c.loads) return;
    const std::string invariant = "a slot with a heater that suits the site simulates its days";
    k.due(invariant);
    if (r.simulated()) return k.reached(invariant);
    k.fail(invariant, what + " returned " + std::to_string(r.rc) + " with " + std::to_string(r.days()) + " days");
}

// The roof scheme 2's vintage design makes of scheme 1's roof choice: a
// house takes the older counterpart of each current roof (2 becomes 3, 4
// becomes 6, 5 becomes 7, 10 becomes 11; any other is copied), another
// building copies it; both mark it negative as a vintage choice, except
// another building's roof without losses, which keeps its one code 1.
REAL vintage_roof_of(bool nonresidential, REAL scheme1_roof) {
    const REAL roof = std::fabs(scheme1_roof);
    if (nonresidential) return roof <= 1.0f ? 1.0f : -roof;
    if (roof == 2.0f) return -3.0f;
    if (roof == 4.0f) return -6.0f;
    if (roof == 5.0f) return -7.0f;
    if (roof == 10.0f) return -11.0f;
    return -roof;
}

// An existing building whose scheme 1 the user set to a roof choice of
// its own and ran as it stands: scheme 1 keeps the choice, and scheme 2's
// vintage design follows it. Another building's scheme 2 is a vintage
// design only for a year built from 101 to 2012; otherwise it is the
// efficient design, which chooses its own roof.
void own_roof_as_it_stands(Checker& k, const fs::path& project) {
    const Case& c = k.c;
    edit_scheme(k.in, project, 1, [&] { STRATEGY(32, 1) = c.own_roof; });
    const Run stands = k.run(project, 1, 0.0f, "scheme 1 with roof choice " + std::to_string(c.own_roof) +
                                                   " run as it stands");
    if (!stands.simulated()) return;
    k.reached(kKept);
    if (stands.params[31] != c.own_roof)
        return k.fail(kKept, "scheme 1 run as it stands has roof choice " + std::to_string(stands.params[31]) +
                                 ", typed " + std::to_string(c.own_roof));
    const Run vintage = k.run(project, 2, 246.0f, "design of scheme 2 after scheme 1 run as it stands");
    if (!vintage.simulated()) return;
    const REAL year = row_of(c, 11);
    if (c.nonresidential && !(year > 100.0f && year < 2013.0f)) return;
    const std::string invariant = "scheme 2 of an existing building follows scheme 1's roof as it stands";
    k.reached(invariant);
    // A dwelling under another heated unit (an apartment or a stacked unit
    // with a unit above) has no roof of its own, whatever scheme 1 holds.
    const REAL s7 = row_of(c, 7), s9 = row_of(c, 9);
    const bool unit_above = !c.nonresidential && (s7 == 3.0f || s7 == 4.0f) && (s9 == 1.0f || s9 == 3.0f);
    const REAL expected = unit_above ? -1.0f : vintage_roof_of(c.nonresidential, c.own_roof);
    if (vintage.params[31] != expected)
        k.fail(invariant, "scheme 2's roof choice is " + std::to_string(vintage.params[31]) + ", due " +
                              std::to_string(expected) + " from scheme 1's " + std::to_string(c.own_roof));
}

// The slot, run for part of the year, copied into scheme 1 or 2 (in a
// copy of project `p` made in `side`): the run after the copy is the
// target's own plain run, the whole year at its site, and its column is
// the one the target's next plain run gives.
void part_year_copy(Checker& k, const fs::path& p, const fs::path& side) {
    const Case& c = k.c;
    if (c.part_year == Case::kWholeYear || c.heater_mismatch) return;
    const INTEGER s = c.slot, target = c.part_year_target;
    fs::remove_all(side);
    fs::copy(p, side, fs::copy_options::recursive);
    std::string how = "twelve days";
    if (c.part_year == Case::kReread) {
        how = "months " + c.reread_months;
        // A re-read takes the year's runs: the slot's twelve days end first.
        edit_scheme(k.in, side, s, [] {
            TMYMON = 0;
            TMYDAY = 0;
        });
        k.run(side, s, 209.0f, "slot " + std::to_string(s) + " re-read for " + c.reread_months, s, c.reread_months);
    }
    const std::string label = "copy of slot " + std::to_string(s) + " run for " + how + " into scheme " +
                              std::to_string(target);
    const Run copy = k.run(side, s, 201.0f, label, target);
    // The copy's run is the target's: its column, its parameters and its
    // input file as the copy left them.
    Run copied = copy;
    copied.column = target;
    copied.rows = saved_summary(k.in, side)[static_cast<std::size_t>(target - 1)];
    copied.params = saved_columns(k.in, side)[static_cast<std::size_t>(target - 1)];
    const Run own = k.run(side, target, 0.0f, label + ", the target's next plain run");
    fs::remove_all(side);
    if (copy.rc != 0 || copy.refused || !own.simulated()) return;
    const std::string invariant = "a copy into scheme 1 or 2 runs the target's whole year, as its next plain run does";
    if (copied.days() != 365.0f)
        return k.fail(invariant, label + ": " + std::to_string(copied.days()) + " days simulated");
    k.same_scheme(invariant, copied, own);
}

// The copy into the case's slot: a year run twice, twelve days run twice.
void slot_runs(Checker& k, const fs::path& p) {
    const Inputs& in = k.in;
    const Case& c = k.c;
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
    if (c.heater_mismatch) check_nothing_simulated(k, year1, s, "the heating or water-heating fuel does not suit the site");
    else check_slot_simulates(k, year1, "year run of slot " + std::to_string(s));
    check_solar_savings(k, p, p.parent_path() / "without-solar", year1);
    const Run year2 = k.run(p, s, 0.0f, "second year run of slot " + std::to_string(s));
    k.same_scheme("a slot's first plain run = its second", year1, year2);
    if (year1.simulated()) k.same_files("re-runs are byte-stable (slot year runs)", year1.files, year2.files, true);
    edit_scheme(in, p, s, [&] {
        TMYMON = c.month;
        TMYDAY = c.day;
    });
    const Run days1 = k.run(p, s, 0.0f, "twelve-day run of slot " + std::to_string(s));
    if (!c.heater_mismatch) check_slot_simulates(k, days1, "twelve-day run of slot " + std::to_string(s));
    const Run days2 = k.run(p, s, 0.0f, "second twelve-day run of slot " + std::to_string(s));
    if (days1.simulated()) k.same_files("twelve-day runs are byte-stable", days1.files, days2.files, true);
    if (days1.simulated()) part_year_copy(k, p, p.parent_path() / "part-year-copy");
    // The year again, which the twelve days before it leave as it was; the
    // library's lines then take the slot with its array and collectors.
    edit_scheme(in, p, s, [] {
        TMYMON = 0;
        TMYDAY = 0;
    });
    const Run year3 = k.run(p, s, 0.0f, "year run of slot " + std::to_string(s) + " after its twelve-day runs");
    // (A run that simulates nothing keeps the twelve days' dates it found.)
    if (year1.simulated()) k.same_scheme("a slot's year run after its twelve-day runs = its first", year1, year3);
}

// More slots holding results for the library's lines: copies of scheme 1
// or 2, each moved to a site of its own and run for the year.
void member_runs(Checker& k, const fs::path& p) {
    for (const auto& [slot, site] : k.c.members) {
        const INTEGER from = slot % 2 == 0 ? 2 : 1;
        const Run copy = k.run(p, from, 201.0f, "copy of scheme " + std::to_string(from) + " to slot " +
                                                    std::to_string(slot), slot);
        if (copy.rc != 0) continue;
        edit_scheme(k.in, p, slot, [&] {
            place(site, slot);
            WHTYPE = 1;
            TMYMON = 0;
            TMYDAY = 0;
        });
        set_location_changed(k.in, p, slot);
        k.settle_missing_zone(p, site, slot, 0.0f);
        const Run year = k.run(p, slot, 0.0f, "year run of slot " + std::to_string(slot) + " at " + describe(site));
        check_slot_simulates(k, year, "year run of slot " + std::to_string(slot));
        // Moved, the slot takes its site's tariffs as schemes 1 and 2 do.
        check_site_tariff(k, year, site, "year run of slot " + std::to_string(slot));
    }
}

// The building made another use for a while and made itself again, as
// the designer had it: its type and the rows of its form, which the other
// use's design rewrote.
void other_use_and_back(Checker& k, const fs::path& other_use, const Run& design) {
    const Inputs& in = k.in;
    const Case& c = k.c;
    INTEGER own_type = 0;
    std::vector<std::pair<int, REAL>> own_rows;
    edit_scheme(in, other_use, 1, [&] {
        own_type = NTYPE;
        // New or existing, area, year, stories, azimuth; the tariffs of the
        // user's rates.
        std::vector<int> form = {6, 8, 11, 14, 16};
        if (!c.rate_flags.empty()) form.insert(form.end(), {1, 3});
        for (const RowCodes& rc : c.nonresidential ? nonresidential_rows() : residential_rows()) form.push_back(rc.row);
        // Scheme 1's rows as its design left them: a load of a new
        // building's scheme clears its year, which its form still holds.
        for (const int row : form) {
            own_rows.emplace_back(row + 1000, design.params[static_cast<std::size_t>(row - 1)]);
            own_rows.emplace_back(row + 2000, STRATEGY(row, 2));
        }
        NFLAG(24) = !c.nonresidential;
        NTYPE = c.nonresidential ? 0 : c.other_type;
    });
    copy_schedule(in, other_use, 1);
    const std::string as = c.nonresidential ? std::string("a house") : "type " + std::to_string(c.other_type);
    k.run(other_use, 1, c.other_designed ? 243.0f : 0.0f, "scheme 1 as " + as + (c.other_designed ? ", designed" : ", run"));
    edit_scheme(in, other_use, 1, [&] {
        NFLAG(24) = c.nonresidential;
        NTYPE = own_type;
        for (const auto& [at, v] : own_rows) STRATEGY(at % 1000, at / 1000) = v;
    });
    if (c.nonresidential) copy_schedule(in, other_use, 1);
    const Run back = k.run(other_use, 1, 243.0f, "design of scheme 1 made itself again");
    k.same_scheme(c.nonresidential ? "a building made a house and back, re-designed = its first design"
                                   : "a house made another building and back, re-designed = its first design",
                  design, back);
}


// A designer's edit of scheme 1, as the host makes it: a row of the
// column, the building's azimuth (the input file's, which row 16 shows) or
// a window group's quantity.
struct DesignerEdit {
    enum Kind { kRow, kAzimuth, kWindowGroup } kind = kRow;
    int row = 0;
    REAL value = 0.0f;
    std::string what;
};

DesignerEdit draw_designer_edit(Checker& k, const fs::path& p) {
    const Case& c = k.c;
    Random r = case_random(c.seed ^ 0x65646974ull, c.number);
    DesignerEdit e;
    const int kind = r.between(1, 100);
    std::ostringstream what;
    if (kind <= 25) {
        e.kind = DesignerEdit::kAzimuth;
        e.row = 16;
        e.value = static_cast<REAL>(r.between(1, 7) * 45 + (r.chance(30) ? r.between(1, 44) : 0));
        what << "scheme 1 turned to azimuth " << e.value;
    } else if (kind <= 45) {
        // A group that holds windows: none, or twice as many.
        const std::vector<REAL> column = saved_columns(k.in, p)[0];
        std::vector<int> groups;
        for (int g = 1; g <= 25; ++g)
            if (column[static_cast<std::size_t>(62 + 10 * (g - 1) - 1)] > 0.0f) groups.push_back(g);
        if (!groups.empty()) {
            e.kind = DesignerEdit::kWindowGroup;
            e.row = 62 + 10 * (r.pick(groups) - 1);
            const REAL units = column[static_cast<std::size_t>(e.row - 1)];
            e.value = r.chance(60) ? 0.0f : 2.0f * units;
            what << "scheme 1 with window group " << (e.row - 62) / 10 + 1 << " of " << units << " units set to "
                 << e.value;
        }
    }
    if (e.kind == DesignerEdit::kRow) {
        std::vector<std::pair<int, REAL>> edits = {{14, static_cast<REAL>(r.between(1, 4))}};
        if (!c.nonresidential) {
            edits.push_back({33, static_cast<REAL>(r.between(1, 10))});
            edits.push_back({8, static_cast<REAL>(r.between(30, 2000) * 10)});
        }
        std::tie(e.row, e.value) = r.pick(edits);
        what << "scheme 1 with row " << e.row << " set to " << e.value;
    }
    e.what = what.str();
    return e;
}

void apply_designer_edit(Checker& k, const fs::path& project, const DesignerEdit& e) {
    edit_scheme(k.in, project, 1, [&] {
        STRATEGY(e.row, 1) = e.value;
        if (e.kind == DesignerEdit::kAzimuth) SFACES = e.value;
    });
}

// A designer's edit between runs, on a copy of the designed project: one
// row of scheme 1 (its floor type, stories or area), the building turned,
// or a window group's quantity, then two plain runs. Both keep the typed
// value and give one result (an edit reaches its first run, a re-run
// repeats it), and that result is a new project's given the same design
// and the same edit at once: nothing of the runs before the edit stays.
void designer_edit(Checker& k, const fs::path& p, const fs::path& side) {
    const DesignerEdit e = draw_designer_edit(k, p);
    fs::remove_all(side);
    fs::copy(p, side, fs::copy_options::recursive);
    apply_designer_edit(k, side, e);
    const Run first = k.run(side, 1, 0.0f, e.what + ", first plain run");
    const Run second = k.run(side, 1, 0.0f, e.what + ", second plain run");
    fs::remove_all(side);
    if (!first.simulated()) return;
    // A group set to no windows is emptied and the later ones move up: its
    // row holds the next group's units.
    if (e.kind != DesignerEdit::kWindowGroup) {
        k.reached(kKept);
        for (const Run* run : {&first, &second})
            if (run->params[static_cast<std::size_t>(e.row - 1)] != e.value) {
                std::ostringstream o;
                o << run->step << ": row " << e.row << " is " << run->params[static_cast<std::size_t>(e.row - 1)];
                return k.fail(kKept, o.str());
            }
    }
    const std::string settles = "an edit between runs reaches its first run: two plain runs after it agree";
    k.same_scheme(settles, first, second);
    k.same_reports(settles, first, second);
    prepared_project(k, side, k.c.site, 1);
    k.run(side, 1, 243.0f, "design of scheme 1 of a new project for the edit");
    apply_designer_edit(k, side, e);
    const Run fresh = k.run(side, 1, 0.0f, e.what + " in a new project, its plain run");
    fs::remove_all(side);
    const std::string as_new = "an edit between runs = the same edit of a new project's design";
    k.same_scheme(as_new, second, fresh);
    k.same_reports(as_new, second, fresh);
}

}  // namespace

void prepared_project(Checker& k, const fs::path& p, const Site& site, INTEGER first_run) {
    new_project(k.in, p, k.c, site);
    // The rows typed into a new project, followed in the case's own.
    if (p == k.typed_project)
        for (const INTEGER slot : {1, 2})
            for (const auto& [row, v] : rows_a_run_keeps(k.c)) k.typed[slot][row] = v;
    k.settle_missing_zone(p, site, first_run, 0.0f);
    if (!revises_rates(k.c)) return;
    k.run(p, 1, 243.0f, "design of scheme 1 before the user revises rates");
    k.run(p, 2, 246.0f, "design of scheme 2 before the user revises rates");
    give_user_rates(k.in, p, k.c);
}

void run_case(Checker& k, const fs::path& dir, const Case* other) {
    const Inputs& in = k.in;
    const Case& c = k.c;
    const fs::path p = dir / "project", first = dir / "scheme2-first";
    // The user's basic rates last one run: the host sets them before each.
    std::vector<INTEGER> basic;
    for (const INTEGER f : c.rate_flags)
        if (f == 26 || f == 29) basic.push_back(f);
    if (!basic.empty())
        for (const INTEGER s : {1, 2, static_cast<int>(c.slot)}) k.flags_every_run[s] = basic;
    k.typed_project = p;
    prepared_project(k, p, c.site, 1);
    // Scheme 2 designed first meets a missing zone file itself.
    if (revises_rates(c)) fs::copy(p, first, fs::copy_options::recursive);
    else prepared_project(k, first, c.site, 2);

    // Scheme 1: the design, its re-run, a second design, three re-runs.
    const Run design = k.run(p, 1, 243.0f, "design of scheme 1");
    check_design_outcome(k, design, "design of scheme 1");
    if (design.rc != 0) return;  // a building the kernel refuses: checked above
    check_site_tariff(k, design, c.site, "design of scheme 1");
    check_kept(k, design, 1, c.site, "design of scheme 1");
    const Files design_files = design.files;
    const Run rerun = k.run(p, 1, 0.0f, "re-run of scheme 1");
    k.same_scheme("design run = re-run of its saved design (scheme 1)", design, rerun);
    same_rate_zones_same_price(k, p, dir / "same-rate-zones", rerun);
    const Run second = k.run(p, 1, 243.0f, "second design of scheme 1");
    k.same_scheme("a second design = the first (scheme 1)", design, second);
    Run previous = k.run(p, 1, 0.0f, "re-run 2 of scheme 1");
    for (int i = 3; i <= 4; ++i) {
        const Run next = k.run(p, 1, 0.0f, "re-run " + std::to_string(i) + " of scheme 1");
        if (next.simulated()) k.same_files("re-runs are byte-stable (scheme 1)", previous.files, next.files);
        previous = next;
    }
    designer_edit(k, p, dir / "edited");
    const fs::path as_it_stands = dir / "as-it-stands";
    if (c.own_roof != 0.0f) fs::copy(p, as_it_stands, fs::copy_options::recursive);

    // Scheme 2 after scheme 1, its re-run, and scheme 2 designed first.
    const Run efficient = k.run(p, 2, 246.0f, "design of scheme 2");
    check_design_outcome(k, efficient, "design of scheme 2");
    check_site_tariff(k, efficient, c.site, "design of scheme 2");
    check_kept(k, efficient, 2, c.site, "design of scheme 2");
    if (efficient.rc == 0) {
        const Run rerun2 = k.run(p, 2, 0.0f, "re-run of scheme 2");
        k.same_scheme("design run = re-run of its saved design (scheme 2)", efficient, rerun2);
        const Run second2 = k.run(p, 2, 246.0f, "second design of scheme 2");
        k.same_scheme("a second design = the first (scheme 2)", efficient, second2);
        const Run before = k.run(first, 2, 246.0f, "design of scheme 2 before scheme 1");
        k.same_scheme("scheme 2 designed before scheme 1 = after", before, efficient);
    }

    // A designer's history on scheme 1 or 2, in a share of the cases.
    if (draws_chain(c) && design.simulated() && efficient.simulated())
        chain_of_edits(k, p, dir / "chain", dir / "chain-new-project");

    // A house that was another building for a while, made a house again.
    const fs::path other_use = dir / "other-use";
    if (c.other_use) fs::copy(p, other_use, fs::copy_options::recursive);
    if (c.own_roof != 0.0f) own_roof_as_it_stands(k, as_it_stands);

    // The designer types the building's description and construction
    // choices into both designs again: from here on every run and command
    // keeps them.
    type_rows(k, p, {1, 2});

    // A copy into a library slot: a year run twice, twelve days run twice.
    const Run copy = k.run(p, c.copy_from, 201.0f, "copy of scheme " + std::to_string(c.copy_from) + " to slot " +
                                                      std::to_string(c.slot), c.slot);
    if (copy.rc == 0) slot_runs(k, p);
    if (copy.rc == 0) line_cost_without_array(k, p, dir / "array-line");
    if (c.library_steps > 0) member_runs(k, p);

    // The project moved and designed again = a new project made there.
    const fs::path made_there = dir / "made-there";
    for (const INTEGER slot : {1, 2}) {
        // The host sets the user's basic rates again with the move: outside
        // California another building's gas choice of 11 to 13 had given way
        // to the generic tariffs.
        edit_scheme(in, p, slot, [&] {
            place(c.moved_to, slot);
            for (const INTEGER flag : c.rate_flags) {
                if (flag == 26) STRATEGY(1, slot) = c.electric_choice;
                if (flag == 29) STRATEGY(3, slot) = c.gas_choice;
            }
        });
        set_location_changed(in, p, slot);
    }
    k.settle_missing_zone(p, c.moved_to, 1, 243.0f);
    const Run moved = k.run(p, 1, 243.0f, "design of scheme 1 moved to " + describe(c.moved_to));
    check_design_outcome(k, moved, "design of scheme 1 moved to " + describe(c.moved_to));
    check_site_tariff(k, moved, c.moved_to, "design of scheme 1 moved");
    check_kept(k, moved, 1, c.moved_to, "design of scheme 1 moved");
    // Scheme 2 shares the site: designed there too, so that its column is
    // of the site its next run simulates.
    k.run(p, 2, 246.0f, "design of scheme 2 moved to " + describe(c.moved_to));
    new_project(in, made_there, c, c.moved_to);
    k.settle_missing_zone(made_there, c.moved_to, 1, 243.0f);
    const Run fresh_there = k.run(made_there, 1, 243.0f, "design of scheme 1 of a new project at " +
                                                             describe(c.moved_to));
    // A project moved to a climate-zone number keeps its own latitude (the
    // zone's file is read for its weather only), where a new project made
    // there takes the template's: the two are different buildings' sites.
    if (c.moved_to.kind != Site::kZoneNumber)
        k.same_scheme("a moved project re-designed = a new project made there", moved, fresh_there, false);

    // A run in the other use bills the user's revised rates in that use's
    // seasons and saves them: the round trip is drawn without them.
    if (c.other_use && !revises_rates(c)) other_use_and_back(k, other_use, design);

    type_rows(k, p, {1, 2});
    // Library commands on the project as the designer leaves it.
    library_sequence(k, p, dir / "library-side", case_random(c.seed ^ 0x6C696272617279ull, c.number), c.library_steps);

    // Runs of several cases in one process = fresh processes: another
    // case's design, then this case's first design again.
    if (other) {
        const fs::path q = dir / "other-case";
        new_project(in, q, *other, other->site);
        k.own_project = false;
        k.run(q, 1, 243.0f, "design of scheme 1 of case " + std::to_string(other->number));
        k.own_project = true;
        fs::remove_all(q);
        const fs::path again = dir / "again";
        prepared_project(k, again, c.site, 1);
        const Run repeat = k.run(again, 1, 243.0f, "design of scheme 1 after another case in one process");
        if (design.simulated())
            k.same_files("a run after other cases in one process = a fresh process's run", design_files, repeat.files);
    }
}

}  // namespace mavo::sweep
