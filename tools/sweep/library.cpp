// Library commands on a designed project and the invariants of lines.
#include "sweep/library.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "blocks/blocks.h"
#include "project/library.h"
#include "project/project.h"

namespace mavo::sweep {

namespace {

// What the project's files say of the library: names and combination lines.
struct Library {
    std::vector<INTEGER> named;             // named slots
    std::vector<INTEGER> with_results;      // named slots 1 to 9 whose runs simulated the whole year
    std::vector<INTEGER> lines;             // combination numbers held by lines
    std::vector<std::vector<REAL>> column;  // summary columns 1 to 18, rows 1 to 80
    std::vector<INTEGER> line_number;       // by line 1 to 9: its combination, 0 free
    std::vector<std::string> names;         // the names of slots 1 to 9
    std::vector<std::vector<REAL>> strategy;  // parameter columns 1 to 9, rows 1 to 310, the command (row 2) 0

    REAL row(INTEGER column_number, int r) const { return column[column_number - 1][r - 1]; }
    bool is_line(INTEGER number) const { return std::find(lines.begin(), lines.end(), number) != lines.end(); }
};

Library library_of(const Inputs& in, const fs::path& project) {
    Library l;
    l.column = saved_summary(in, project);
    l.strategy = saved_columns(in, project);
    const HostEdit host;
    host_directories(in, project);
    AADISK(-1);
    for (INTEGER k = 1; k <= 9; ++k) {
        l.names.emplace_back(SCHEMENAME(k).view());
        if (!SCHEMENAME(k).trimmed().empty()) {
            l.named.push_back(k);
            if (l.row(k, 48) >= 365.0f) l.with_results.push_back(k);
        }
        l.line_number.push_back(NCOMBO(k));
        if (NCOMBO(k) > 0) l.lines.push_back(NCOMBO(k));
    }
    return l;
}

std::vector<INTEGER> members_of(INTEGER number) {
    std::vector<INTEGER> members;
    for (; number > 0; number /= 10) members.push_back(number % 10);
    return members;
}

// Rows of a line that are its members' rows added up: areas, heat loss
// and conduction, and energy by use; and the per-area rows, the members'
// quantities over their summed area.
constexpr int kSummedRows[] = {1, 2, 3, 4, 5, 8, 10, 21, 22, 23, 24, 25, 66, 70};
constexpr int kPerAreaRows[] = {18, 19, 38, 39};

std::string mismatch(std::size_t line, INTEGER number, const std::string& what, double x, double want) {
    std::ostringstream o;
    o.precision(9);
    o << "line " << line << " (" << number << ") " << what << ": " << x << " against " << want;
    return o.str();
}

// Checks every line whose members all hold results; the lines checked
// are counted.
std::optional<std::string> line_not_summed(const Library& l, int& checked, int& valued) {
    for (std::size_t line = 1; line <= l.line_number.size(); ++line) {
        const INTEGER number = l.line_number[line - 1];
        if (number <= 0) continue;
        const std::vector<REAL>& col = l.column[9 + line - 1];
        bool empty = true;
        for (int row = 2; row <= 80; ++row) empty = empty && col[row - 1] == 0.0f;
        if (empty) continue;  // a line whose members no longer add up shows nothing
        const std::vector<INTEGER> members = members_of(number);
        bool all_hold_results = true;
        for (const INTEGER m : members) all_hold_results = all_hold_results && m >= 1 && m <= 9 && l.row(m, 48) > 0.0f;
        if (!all_hold_results) continue;
        ++checked;
        for (const int row : kSummedRows) {
            double sum = 0.0;
            for (const INTEGER m : members) sum += l.row(m, row);
            if (!close_enough(col[row - 1], sum, 1e-2)) return mismatch(line, number, "row " + std::to_string(row), col[row - 1], sum);
        }
        double area = 0.0;
        for (const INTEGER m : members) area += l.row(m, 1);
        for (const int row : kPerAreaRows) {
            double quantity = 0.0;
            for (const INTEGER m : members) quantity += static_cast<double>(l.row(m, row)) * l.row(m, 1);
            const double want = area > 0.0 ? quantity / area : 0.0;
            if (!close_enough(col[row - 1], want, 1e-2))
                return mismatch(line, number, "per-area row " + std::to_string(row), col[row - 1], want);
        }
        // The cost rows follow the rule of a scheme: the net electricity
        // cost is the gross less the array's value, and the fuel the
        // collectors saved has its value.
        if (col[54] != 0.0f) ++valued;
        if (!close_enough(col[56], static_cast<double>(col[35]) - col[54], 1e-2))
            return mismatch(line, number, "row 57 (row 36 - row 55)", col[56], static_cast<double>(col[35]) - col[54]);
        if (col[63] > 0.0f && col[75] == 0.0f)
            return mismatch(line, number, "row 76 (the value of row 64's saved fuel)", col[75], col[63]);
    }
    return std::nullopt;
}

// A line's bill is the one-meter bill of its members' stored results on
// its leading member's tariff at that member's site: whichever command
// summed it (made, selected, shown, run, or summed again after a member's
// run), the same members' results, the same leading member's column and
// input file (and scheme 1's, whose site scheme 2 takes) give the same
// cost rows. The first sum of each such state is
// kept; a later one that differs is a bill of another tariff.
void line_bill_by_path(Checker& k, const Library& before, const Library& l, const Files& files,
                       const std::string& label) {
    const std::string invariant = "a line's bill is the same whichever command summed it";
    for (std::size_t line = 1; line <= l.line_number.size(); ++line) {
        const INTEGER number = l.line_number[line - 1];
        if (number <= 0) continue;
        const std::vector<REAL>& col = l.column[9 + line - 1];
        if (col[47] <= 0.0f) continue;  // nothing summed: the line shows no days
        // A column the step left as it was holds the sum of an earlier
        // state: a copy into scheme 1 since then moved the site of a line
        // scheme 2 leads without summing the line again.
        if (line <= before.line_number.size() && before.line_number[line - 1] == number &&
            before.column[9 + line - 1] == col)
            continue;
        const std::vector<INTEGER> members = members_of(number);
        // The member serving the line: its first that holds results.
        INTEGER leading = members.back();
        for (auto m = members.rbegin(); m != members.rend(); ++m)
            if (*m >= 1 && *m <= 9 && l.row(*m, 48) > 0.0f) {
                leading = *m;
                break;
            }
        if (leading < 1 || leading > 9) continue;
        std::string key = std::to_string(number) + "|";
        auto add = [&key](const std::vector<REAL>& v) {
            key.append(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(REAL));
        };
        for (const INTEGER m : members) add(l.column[m - 1]);
        // Scheme 2 stands at scheme 1's site: a copy into scheme 1 moves
        // the tariff of a line scheme 2 leads, its own files unchanged.
        for (const INTEGER site_of : leading == 2 ? std::vector<INTEGER>{1, 2} : std::vector<INTEGER>{leading}) {
            add(l.strategy[site_of - 1]);
            const auto input = files.find("scheme" + std::to_string(site_of) + "b.dat");
            if (input != files.end()) key += input->second;
        }
        const std::vector<REAL> bill = {col[34], col[35], col[36], col[54], col[56], col[75]};
        const auto [seen, first] = k.line_bills.emplace(key, std::make_pair(bill, label));
        if (first) continue;
        k.reached(invariant);
        for (std::size_t i = 0; i < bill.size(); ++i) {
            if (close_enough(bill[i], seen->second.first[i], 1e-2)) continue;
            static constexpr int kRows[] = {35, 36, 37, 55, 57, 76};
            std::ostringstream o;
            o.precision(9);
            o << label << ": line " << line << " (" << number << ") row " << kRows[i] << ": " << bill[i] << " against "
              << seen->second.first[i] << " at " << seen->second.second;
            k.fail(invariant, o.str());
            break;
        }
    }
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

// The select codes that move to the scheme or line of the operand (206, and
// 215 and 216, which the library serves alike).
bool selects_operand(INTEGER command) {
    return command == library_command::kSelect || command == 215 || command == 216;
}

const char* const kMonthWords[] = {"JAN ", "FEB ", "MAR ", "APR ", "MAY ", "JUN ",
                                   "JUL ", "AUG ", "SEP ", "OCT ", "NOV ", "DEC "};

// A name the designer types, now and then with accented letters
// (Windows-1252 bytes).
std::string typed_name(Random& r, const std::string& plain) {
    if (!r.chance(30)) return plain;
    return r.pick(std::vector<std::string>{"Sch\xE9ma ", "\xC9tude ", "Ma\xDFnahme ", "Se\xF1or "}) + plain;
}

// Members that hold a whole year's results, 2 to 5 of them, as the digits
// of a line (now and then any named schemes).
INTEGER line_of_results(Random& r, const Library& l, bool any_named_too) {
    std::vector<INTEGER> pool = l.with_results;
    if (pool.size() < 2 || (any_named_too && r.chance(10))) pool = l.named.size() >= 2 ? l.named : std::vector<INTEGER>{1, 2, 3};
    const int count = r.between(2, std::min<int>(5, static_cast<int>(pool.size())));
    std::vector<INTEGER> members;
    for (int i = 0; i < count; ++i) {
        const std::size_t at = r.next() % pool.size();
        members.push_back(pool[at]);
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(at));
    }
    std::sort(members.begin(), members.end());
    INTEGER number = 0;
    for (const INTEGER m : members) number = number * 10 + m;
    return number;
}

// A command acting on a line: its schemes' 80 rows stay as they were,
// except those of the scheme the command writes (`changed`, 0 for none):
// the slot a copy writes into takes the copied rows, and a select of a
// scheme, or the run that goes on with scheme 1 when the current line is
// erased, runs it as its own run does, and its own run bills on its own
// tariff choice and on the rates the host set for this run, which need not
// be those its stored column was made with (a copy keeps the target's
// tariff choice; the user's basic rates hold for the run the host set them
// for).
void same_schemes(Checker& k, const Library& before, const Library& after, INTEGER current, INTEGER changed,
                  const std::string& label, INTEGER copied) {
    const std::string invariant = "a scheme's rows stay when a line holding it is made, run, renamed or erased";
    for (INTEGER s = 1; s <= 9; ++s) {
        // A scheme re-read for some months, or run for twelve days, runs
        // over other days when the command runs it again.
        // Scheme 1 or 2 run by the command designs again from what the
        // other holds now.
        if (before.row(s, 48) < 365.0f || (s == current && s <= 2) || s == changed || s == copied) continue;
        k.reached(invariant);
        if (auto d = rows_differ(before.column[s - 1], after.column[s - 1]))
            return k.fail(invariant, label + ": scheme " + std::to_string(s) + " " + *d + " (before, after)");
    }
}

// One library command on project `p` and what it must leave; the run it
// made, and whether the command got as far as reading a line's members
// and was refused.
struct Step {
    INTEGER current = 0, command = 0, target = 0;
    std::string name, label;
    bool edited = false;  // the current slot was edited for this step
};

Run library_step(Checker& k, const fs::path& p, const fs::path& side, const Step& s) {
    const Library before = library_of(k.in, p);
    if (s.command != 0) {
        fs::remove_all(side);
        fs::copy(p, side, fs::copy_options::recursive);
    }
    const Run done = k.run(p, s.current, static_cast<REAL>(s.command), s.label, s.target, s.name);
    if (done.rc != 0) return done;
    const Library after = library_of(k.in, p);
    const bool on_a_line = before.is_line(s.target) || before.is_line(s.current);
    if (s.command != 0 && done.refused) {
        // A refused command changes nothing: the run is the plain run of
        // the current scheme. Only the back-up columns keep the command as
        // it was loaded. Counted where the command read a line's members:
        // a show, select or compare of a line.
        const std::string invariant = "a refused library command leaves the project as a plain run does";
        if (on_a_line && (s.command == 203 || selects_operand(s.command) || s.command == 212)) k.reached(invariant);
        const Run plain = k.run(side, s.current, 0.0f, s.label + " (the plain run it is refused into)", s.target);
        if (auto d = files_differ(without_commands(done.files), without_commands(plain.files),
                                  [](const std::string&) { return true; }))
            k.fail(invariant, s.label + ": " + *d);
    }
    if (!done.refused && s.command == 208 && s.target >= 1 && s.target <= 9) {
        // The name the designer typed is kept, as far as a name goes.
        const std::string invariant = "a name the designer typed is kept";
        k.reached(invariant);
        const std::string& kept = after.names[s.target - 1];
        const std::size_t n = std::min(kept.size(), s.name.size());
        if (kept.compare(0, n, s.name, 0, n) != 0)
            k.fail(invariant, s.label + ": scheme " + std::to_string(s.target) + " is named \"" + kept + "\"");
    }
    // A command on a line (made, run, shown, renamed, erased), or one
    // started from a line that touches no scheme of its own.
    const bool line_command = s.command == 204 || before.is_line(s.target) ||
                              (before.is_line(s.current) && s.command != 201 && s.command != 205 && s.command != 209);
    const bool selects_slot = selects_operand(s.command) && s.target >= 1 && s.target <= 9;
    if (!done.refused && selects_slot && !k.flags_every_run.count(s.target) && after.row(s.target, 48) > 0.0f) {
        // The scheme a select moves to is run as its own plain run runs it:
        // at its own site, on its own tariff, from its column as it stands.
        // Its column is that run's, which differs from the one it stored
        // where its inputs changed since its last run (rows the designer
        // typed into it), whether the select was given in a scheme or in a
        // line.
        const std::string invariant = "a select runs the scheme it moves to as its own run does";
        const Run own = k.run(side, s.target, 0.0f, s.label + " (the scheme's own plain run)");
        if (own.simulated()) {
            k.reached(invariant);
            if (auto d = rows_differ(after.column[s.target - 1], own.rows))
                k.fail(invariant, s.label + ": scheme " + std::to_string(s.target) + " " + *d + " (select, own run)");
        }
    }
    INTEGER changed = 0;
    if (selects_slot) changed = s.target;
    if (s.command == 205 && s.target == s.current && before.is_line(s.current)) changed = 1;
    // A copy with a target outside 1 to 9 copies into slot 2.
    if (s.command == 201) changed = (s.target >= 1 && s.target <= 9) ? s.target : 2;
    // A slot a copy went into holds the copied results, billed on the
    // source's tariff; the copy kept the slot's own electric choice (row
    // 1), so its next run may bill otherwise.
    const INTEGER copied = k.copied_into.count(s.current) ? s.current : 0;
    if (!done.refused && line_command && !s.edited) same_schemes(k, before, after, s.current, changed, s.label, copied);
    if (!done.refused && s.command == 201) k.copied_into.insert(s.target >= 1 && s.target <= 9 ? s.target : 2);
    if (s.current >= 1 && s.current <= 9 && done.column == s.current && done.simulated()) k.copied_into.erase(s.current);
    line_bill_by_path(k, before, after, done.files, s.label);
    int checked = 0, valued = 0;
    const std::optional<std::string> d = line_not_summed(after, checked, valued);
    const std::string invariant = "every combination line's column is its members' sum";
    if (checked > 0) k.reached(invariant);
    // The net cost rule met an array's value (row 55) on a line.
    if (valued > 0) k.reached("a line's net electricity cost is its gross less its arrays' value");
    if (d) k.fail(invariant, s.label + ": " + *d);
    return done;
}

std::string months(Random& r, bool whole_year_too) {
    std::string words;
    if (whole_year_too && r.chance(20)) {
        for (const char* w : kMonthWords) words += w;
        return words;
    }
    const int count = r.between(1, 4);
    for (int i = 0; i < count; ++i) words += kMonthWords[r.between(0, 11)];
    return words;
}

std::string label_of(const std::string& when, const Step& s, const std::string& what = "") {
    return when + ": scheme " + std::to_string(s.current) + " command " + std::to_string(s.command) + " target " +
           std::to_string(s.target) + (s.name.empty() ? "" : " text \"" + s.name + "\"") + what;
}

// A line of members that hold results made on purpose, one member re-read
// for some months so that the line no longer adds up, and a show, select
// or compare of the line, which must be refused once it has read them.
void broken_line(Checker& k, const fs::path& p, const fs::path& side, Random& r) {
    const Library named = library_of(k.in, p);
    if (named.with_results.size() < 3) return;
    Step make;
    make.command = 204;
    make.target = line_of_results(r, named, false);
    make.current = make.target % 10;
    make.name = typed_name(r, "Line to break");
    make.label = label_of("broken line", make);
    if (library_step(k, p, side, make).refused || !library_of(k.in, p).is_line(make.target)) return;
    Step reread;
    reread.command = 209;
    reread.current = reread.target = r.pick(members_of(make.target));
    reread.name = months(r, false);
    reread.label = label_of("broken line", reread);
    if (library_step(k, p, side, reread).rc != 0) return;
    Step use;
    use.command = r.pick(std::vector<INTEGER>{203, 206, 212});
    use.current = make.target;
    use.target = use.command == 212 ? r.pick(named.with_results) : make.target;
    use.label = label_of("broken line", use);
    const Run done = library_step(k, p, side, use);
    const std::string invariant = "a command that needs a broken line's results is refused";
    k.due(invariant);
    if (done.rc == 0 && done.refused) return k.reached(invariant);
    k.fail(invariant, use.label + (done.rc == 0 ? " was done" : " returned " + std::to_string(done.rc)));
}

}  // namespace

void library_sequence(Checker& k, const fs::path& p, const fs::path& side, Random r, int steps) {
    // The designer names the efficient design, the copy and the other
    // members first, so that the library has schemes to combine.
    std::vector<INTEGER> to_name = {2, k.c.slot};
    for (const auto& [slot, site] : k.c.members) to_name.push_back(slot);
    for (const INTEGER slot : to_name) {
        const std::string name = typed_name(r, "Named scheme " + std::to_string(slot));
        k.run(p, 1, 208.0f, "library: scheme 1 command 208 target " + std::to_string(slot) + " text \"" + name + "\"",
              slot, name);
    }
    if (steps > 0) broken_line(k, p, side, r);
    for (int step = 1; step <= steps; ++step) {
        const Library before = library_of(k.in, p);
        auto any_scheme = [&]() -> INTEGER {
            if (!before.lines.empty() && r.chance(30)) return r.pick(before.lines);
            if (!before.named.empty() && r.chance(60)) return r.pick(before.named);
            return r.chance(5) ? r.pick(std::vector<INTEGER>{0, 10, 12, 99}) : r.between(1, 9);
        };
        INTEGER current = (!before.lines.empty() && r.chance(25)) ? r.pick(before.lines)
                          : (!before.named.empty() && r.chance(60)) ? r.pick(before.named)
                                                                     : r.between(1, 9);
        INTEGER command = 0, target = 0;
        std::string name, what;
        const int op = r.between(1, 100);
        if (op <= 8) {
            command = 201;
            target = r.chance(90) ? r.between(3, 9) : r.pick(std::vector<INTEGER>{0, 1, 2, 12});
        } else if (op <= 16) {
            command = 203;
            target = any_scheme();
        } else if (op <= 36) {
            command = 204;
            target = line_of_results(r, before, true);
            current = target % 10;
            name = typed_name(r, "Line " + std::to_string(step));
        } else if (op <= 42) {
            command = 205;
            target = any_scheme();
        } else if (op <= 52) {
            command = 206;
            target = any_scheme();
        } else if (op <= 62) {
            command = 208;
            target = any_scheme();
            name = typed_name(r, "Named at step " + std::to_string(step));
        } else if (op <= 72) {
            // A member re-read for some months: its lines no longer add up.
            command = 209;
            if (!before.lines.empty() && r.chance(70)) current = r.pick(members_of(r.pick(before.lines)));
            target = current;
            name = months(r, true);
        } else if (op <= 84) {
            command = 212;
            if (!before.lines.empty() && r.chance(60)) current = r.pick(before.lines);
            target = any_scheme();
        } else if (op <= 88) {
            command = r.pick(std::vector<INTEGER>{200, 202, 207, 210, 211, 213, 214, 215, 216, 217, 218, 250, 299});
            target = any_scheme();
        } else if (op <= 94 && current >= 3 && current <= 9) {  // twelve days of a library slot
            const INTEGER month = r.between(1, 12), day = r.between(1, 31);
            edit_scheme(k.in, p, current, [&] {
                TMYMON = month;
                TMYDAY = day;
            });
            what = ", twelve days from " + std::to_string(month) + "/" + std::to_string(day);
        }
        Step s{current, command, target, name, "", !what.empty()};
        s.label = label_of("library step " + std::to_string(step), s, what);
        library_step(k, p, side, s);
    }
}

void line_cost_without_array(Checker& k, const fs::path& p, const fs::path& side) {
    const Case& c = k.c;
    const bool array = c.photovoltaic_kw != 0.0f || c.modules > 0.0f || c.solar_ready;
    if (!c.loads || c.heater_mismatch || !array) return;
    fs::remove_all(side);
    fs::copy(p, side, fs::copy_options::recursive);
    const INTEGER s = c.slot, number = 10 + s;
    const std::string label = "line of scheme 1 and slot " + std::to_string(s) + " with its array";
    // The slot ran twelve days last and a line takes members that hold the
    // year: the run that names the slot runs it for the year.
    edit_scheme(k.in, side, s, [] {
        TMYMON = 0;
        TMYDAY = 0;
    });
    if (!k.run(side, s, 208.0f, label + ": the slot named and run for the year", s, "Member with an array").simulated())
        return;
    const Run with = k.run(side, s, 204.0f, label + ": line made", number, "Line with an array");
    const Library made = library_of(k.in, side);
    const auto at = std::find(made.line_number.begin(), made.line_number.end(), number);
    if (with.refused || !with.simulated() || with.rows[69] <= 0.0f || at == made.line_number.end()) return;
    const std::size_t line = static_cast<std::size_t>(at - made.line_number.begin()) + 1;
    edit_scheme(k.in, side, s, [&] {
        SQTY(1) = 0.0f;
        STRATEGY(50, s) = 0.0f;
    });
    const Run without = k.run(side, s, 0.0f, label + ": the array removed, the slot run again");
    if (!without.simulated() || made.row(1, 48) < 365.0f) return;
    const Library after = library_of(k.in, side);
    const std::vector<REAL>& a = made.column[9 + line - 1];
    const std::vector<REAL>& b = after.column[9 + line - 1];
    const std::string invariant =
        "a line's gross electricity cost is independent of a member's array, the array valued at its mean price";
    k.reached(invariant);
    auto within_a_cent = [](double x, double y) { return std::fabs(x - y) <= 0.01 + 2e-6 * std::fabs(x); };
    if (without.rows[69] != 0.0f)
        return k.fail(invariant, label + ": the slot without its array still gives " +
                                     std::to_string(without.rows[69]) + " kWh");
    if (!within_a_cent(with.rows[35], without.rows[35]))
        return k.fail(invariant, mismatch(line, number, "slot " + std::to_string(s) + " row 36 with its array",
                                          with.rows[35], without.rows[35]));
    if (!within_a_cent(a[35], b[35]))
        return k.fail(invariant, mismatch(line, number, "row 36 with the member's array", a[35], b[35]));
    const double value = a[24] > 0.0f ? static_cast<double>(a[69]) * a[35] / a[24] : 0.0;
    if (!within_a_cent(a[54], value))
        return k.fail(invariant, mismatch(line, number, "row 55 (row 70 x row 36 / row 25)", a[54], value));
    if (!within_a_cent(a[56], static_cast<double>(a[35]) - a[54]))
        k.fail(invariant, mismatch(line, number, "row 57 (row 36 - row 55)", a[56], static_cast<double>(a[35]) - a[54]));
}

}  // namespace mavo::sweep
