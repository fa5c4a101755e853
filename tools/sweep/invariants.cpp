// The invariants: the runs of a case and what they must show.
#include "sweep/invariants.h"

#include <cmath>
#include <sstream>

#include "blocks/blocks.h"
#include "project/project.h"

namespace mavo::sweep {

namespace {

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
            if (auto d = files_differ(without_commands(done.files), without_commands(plain.files),
                                               [](const std::string&) { return true; }))
                k.fail("a refused library command leaves the project as a plain run does", label + ": " + *d);
        }
        if (auto d = line_not_summed(library_of(k.in, p)))
            k.fail("every combination line's column is its members' sum", label + ": " + *d);
    }
}

}  // namespace

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
        set_location_changed(in, p, slot);
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

}  // namespace mavo::sweep
