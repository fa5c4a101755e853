// The scheme library: the host's commands on the project's schemes. Copy
// the current scheme into another slot, select and load a scheme, show a
// scheme's stored results, build a combination of schemes (zones of one
// building) on a free combination line, erase a scheme or a line, name a
// scheme, re-read a scheme for a choice of months, pick the second scheme of
// a comparison. A command is served once: every operation ends by clearing
// it, so the next call does not repeat it.
#include <array>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "physics/physics.h"
#include "project/library.h"
#include "project/revision.h"
#include "project/project.h"
#include "project/scheme_file_names.h"
#include "results/annual_energy.h"
#include "results/bills.h"
#include "results/peaks.h"
#include "results/summary_column.h"
#include "simulation/simulation.h"
#include "support/numeric.h"

namespace mavo {
namespace {

// The default scheme. It has no column of its own: it works on STRATEGY
// column 10, which is scheme 1's back-up column, so a select of it and the
// transfers that follow read and write scheme 1's back-up copy.
constexpr INTEGER kDefaultSlot = 10;
// A select whose results keep showing a climate mismatch is tried again
// once with the same slot, then given up.
constexpr int kSelectAttempts = 2;

// What one call serves.
struct LibraryCall {
    INTEGER entry_slot = 0;  // IDNUM1 at entry: the slot that holds the command
    bool host_run = false;   // NFLAG(7) at entry: only the host's commands are honoured
    INTEGER nchois = 0;      // operation number, command - 200
};

// Command of a scheme number, from its command slot: a scheme slot's own, a
// combination's leading member's. Column 10, the default scheme's, is
// scheme 1's back-up copy, whose row 2 is no command of the default scheme.
REAL command_of(INTEGER id) {
    const INTEGER slot = command_slot(id);
    return slot > 0 ? STRATEGY(2, slot) : 0.0f;
}

// A served command leaves no trace in the scheme's column, nor in its
// back-up copy (column 9 + slot), which the run took with the command in
// it: the copy of a plain run holds none.
void clear_command(INTEGER slot) {
    if (!is_scheme_slot(slot)) return;
    STRATEGY(2, slot) = 0.0f;
    STRATEGY(2, slot + 9) = 0.0f;
}

// The name the host left for a new line or a renamed scheme: the first 24
// characters of the name buffer, which the run sequence has given back as
// the host left them. Blank when no name was given.
FString<24> name_buffer() { return FString<24>(name_buffer_text(24)); }

bool line_holds(INTEGER number) {
    for (INTEGER i = 1; i <= 9; ++i)
        if (NCOMBO(i) == number) return true;
    return false;
}

// Does the combination number have `scheme` among its decimal digits?
bool has_member(INTEGER combination, INTEGER scheme) {
    INTEGER rest = combination, digit = 0, npow = 0;
    for (int n = 0; n < 10 && rest > 0; ++n) {
        STRIPR(rest, digit, npow);
        if (digit == scheme) return true;
    }
    return false;
}

// A refused command: the host learns it from the run flag and the reason
// from the trace.
void refuse(std::string_view reason) {
    NFLAG(kLibraryCommandRefused) = true;
    DBG_ERROR(std::string("LIBARY refused the command: ") + std::string(reason));
}

// Why FIND1 gave up on a scheme or combination: its stored results, or
// its members', are of other periods (a whole year, chosen months, twelve
// days) or data sources than each other.
constexpr std::string_view kResultsDoNotAddUp = "the stored results do not add up (other periods or data sources)";

// A failed operation changes nothing further; the common exit follows.
void error_exit(INTEGER line_code, std::string_view reason) {
    refuse(reason);
    DBG_INT("error at line", line_code);
    if (command_of(IDNUM1) > 200.0f) DBG_INT("Error 907, line", line_code);
}

// FIND1 gave up on the scheme (members of different run lengths or data
// sources): it says so by ITEMY 42 together with NFLAG(70).
bool results_left_unread() { return ITEMY == 42 && NFLAG(70); }

// The input file of a scheme number; a combination takes its leading
// member's, as a run of the combination does.
void read_input_file(INTEGER id) {
    const INTEGER current = IDNUM1;
    if (id >= 11) IDNUM1 = serving_slot(id);
    // Whether the scheme's site moved is its own file's word, as its own
    // run loads it, not the scheme's the command started from (every load
    // of scheme 2 marks one, and a moved site bills the site's tariffs
    // instead of the user's choices).
    NFLAG(81) = false;
    // The trace of the call stays the one its run started with: the other
    // scheme's file keeps the switch of its own last run, and switching it
    // off here lost the reason of a refusal that followed.
    const LOGICAL trace = NFLAG(90);
    FIND2();
    NFLAG(90) = trace;
    IDNUM1 = current;
}

// A line's column summed from the members' results the blocks hold, on
// the tariff of its leading member at that member's site, as a plain run
// of the line settles it after reading the results: the site that
// member's own run takes (scheme 2 stands at scheme 1's), not the one the
// blocks hold from the scheme the command started from, nor its input
// file's last save (a copy into the member since its run brings another
// site's rate zones). Every path to a line's column so bills on one
// tariff. Members that do not add up leave the site alone: the command
// is refused and the run simulates the scheme it started from.
bool sum_line_on_leading_members_tariff() {
    if (combination_line(IDNUM1) > 0 && members_add_up(IDNUM1)) {
        const INTEGER current = IDNUM1;
        IDNUM1 = serving_slot(current);
        settle_site_from_columns();
        REVISION(2);
        IDNUM1 = current;
    }
    return fill_combination_column();
}

// The input file of a design scheme the operation moves to, and a
// non-residential scheme's schedules, as a run of the scheme reads them.
void read_design_files(INTEGER slot) {
    read_input_file(slot);
    if (NFLAG(24)) FINDSCHED();
}

// The site of a design scheme the operation moved to, then its column as
// the model: after its stored results, which carry the site of the run
// that saved them (a project since moved has another), as a run of the
// scheme takes them. Otherwise the simulation that follows would read the
// scheme's weather as the entry scheme's site, or another site's source.
void take_site_and_column() {
    REVISION(4);
    REVISION(2);
}

void erase_operand(LibraryCall& call);

// ---- select -------------------------------------------------------------------

void after_selected(INTEGER slot, const LibraryCall& call) {
    NFLAG(33) = false;
    if (slot <= kDefaultSlot) {
        NFLAG(34) = false;
        if (slot == 1) NFLAG(38) = true;  // the code-minimum scheme runs the whole year
    } else {
        NFLAG(34) = true;
    }
    NFLAG(26) = true;
    NFLAG(27) = true;
    ITEMY = slot == 1 ? 40 : (slot <= 9 ? 42 : 33);
    if (call.host_run && command_of(slot) > 200.0f) {
        AADISK(1);
        AADISK(6);
        NFLAG(17) = true;
    }
}

void select_scheme(LibraryCall& call) {
    INTEGER slot = kDefaultSlot;
    bool mismatched = false;
    for (int attempt = 1;; ++attempt) {
        if (call.host_run && command_of(IDNUM1) >= 206.0f) {
            slot = IDNUM2;
            IDNUM2 = 0;
        }
        INTEGER line = 0;
        CHECKR(slot, line);
        if (slot <= 0) {
            // Tried again after a mismatch, the operand is spent.
            error_exit(602, mismatched ? kResultsDoNotAddUp : "no scheme or combination line of that number to select");
            return;
        }
        IDNUM1 = slot;
        if (slot > kDefaultSlot) NFLAG(34) = true;
        for (INTEGER i = 51; i <= 58; ++i) NFLAG(i) = false;
        for (INTEGER i = 60; i <= 70; ++i) NFLAG(i) = false;
        if (call.host_run) {
            IDNUM2 = 0;
            REVISION(2);
        }
        if (slot <= kDefaultSlot) {
            read_design_files(slot);
            NFLAG(34) = false;
            REVISION(3);
        } else {
            read_input_file(slot);
        }
        NFLAG(70) = false;
        // Scheme 1's results are made again by the run that follows, but
        // its site is the one they were saved at, as its own run reads it:
        // the blocks hold the site of the scheme the select started from
        // (another slot's climate zone would be simulated and kept).
        if (slot == 1) take_stored_site(1);
        if (slot > 1) {
            FIND1();
            if (results_left_unread()) return;
            if (NFLAG(70)) {
                mismatched = true;
                if (attempt < kSelectAttempts) continue;
                error_exit(605, "the scheme's stored results still do not match its climate: select given up");
                return;
            }
        }
        if (slot <= kDefaultSlot) take_site_and_column();
        if (slot > kDefaultSlot && !sum_line_on_leading_members_tariff()) {
            error_exit(606, kResultsDoNotAddUp);
            return;
        }
        after_selected(slot, call);
        return;
    }
}

// ---- copy, show, combine ------------------------------------------------------------

// The code-minimum and the efficient design (slots 1 and 2) always run the
// whole year, scheme 2 at scheme 1's site. A copy into one of them arrives
// with the source's building, site and simulated days (a re-read's months,
// twelve days) in the blocks: the files just written are loaded as the
// target's own run loads them, so that the simulation that follows is that
// run, its site and its whole year. The copied column goes to disk first,
// as the site refresh reads the strategy file.
void load_copied_design(INTEGER target) {
    AADISK(6);
    IDNUM1 = target;
    read_design_files(target);
    FIND1();
    take_site_and_column();
}

FArray<REAL, 310> column_of(INTEGER slot) {
    FArray<REAL, 310> column{};
    for (INTEGER i = 1; i <= 310; ++i) column(i) = STRATEGY(i, slot);
    return column;
}

void copy_scheme(LibraryCall& call) {
    const INTEGER source = IDNUM1;
    const INTEGER target = (IDNUM2 >= 1 && IDNUM2 <= 9) ? IDNUM2 : 2;
    if (!has_scheme_column(source)) {
        error_exit(101, "the current scheme has no parameter column to copy");
        return;
    }
    const bool target_on_revised_electric_rates = saved_on_revised_electric_rates(target);
    // The source as its inputs stand: the blocks hold what its load made of
    // them, and what its run and the save after it would put in their place
    // follows here, so that the copy gives what it gives after a run of the
    // source, not what the run before the source's last edit left (a slot
    // retyped a school with a restaurant's loads, counted on another site's
    // emission rows, its window groups laid out for the old building). The
    // source's own column stays as the user left it.
    take_inputs_as_the_run_does();
    // A move the source's next run takes in bills the new site's built-in
    // rates and saves the user's revised ones dropped; the target's file,
    // whose save clears the move's mark, would keep them for good.
    forget_user_rates_after_move();
    const FArray<REAL, 310> source_column = column_of(source);
    // Without climate data the source's next run simulates nothing, and its
    // save condenses nothing back.
    column_as_the_save_stores_it(NFLAG(80));
    IDNUM2 = 0;
    IDNUM1 = target;
    NFLAG(33) = false;
    NFLAG(34) = false;
    // The target keeps its own electric tariff choice (row 1) where that
    // choice bills the copied building (a dwelling's flat rate, a
    // non-residential tariff); any other (a dwelling's utility, which only
    // names the site's, a choice of the other kind of building, none)
    // would name a tariff the copy is not billed on: it takes the source's.
    // So does a target on the user's revised electric rates, which the
    // copy replaces with the source's: its row 1 named no tariff of its
    // own, the words were billed (and a run of it had saved one utility's
    // tariff as the generic one they stand for, which the copy then billed
    // on the built-in generic rates).
    for (INTEGER i = 2; i <= 310; ++i) STRATEGY(i, target) = STRATEGY(i, source);
    for (INTEGER i = 1; i <= 310; ++i) STRATEGY(i, source) = source_column(i);
    if (target_on_revised_electric_rates || !electric_choice_billed_by_its_row(STRATEGY(1, target)))
        STRATEGY(1, target) = STRATEGY(1, source);
    // As the user left it is as the source's file holds it (the back-up copy
    // its load took), not as the load made it: the copy saves no input file
    // of the source, and what the load derived in the column from the lines
    // it laid out (the mark of windows not alike, judged on the code glass
    // it gave them) would stand beside the glass the file still holds. The
    // source's next run read that mark over the old glass and kept it.
    if (is_scheme_slot(source))
        for (INTEGER i = 1; i <= 310; ++i) STRATEGY(i, source) = STRATEGY(i, source + 9);
    // A dwelling of scheme 1 or 2 pairs line k with window group k, where a
    // column of slots 3 to 9 holds the lines with units one after the
    // other: the target's groups are laid out from the copied lines, as the
    // target's own save lays them out. Paired as they stood, a line emptied
    // in the source would take the next line's group.
    if (target <= 2 && source > 2 && !NFLAG(24)) window_groups_from_lines();
    // The tariffs in force are the target's, as its re-runs settle them from
    // its choices: the copy is billed on the tariff row 1 names. Those runs
    // hold neither the user's basic-rate flags the host set for the
    // source's run nor the source's move, which the save below clears: under
    // them a house's copy at Chicago saved the user's gas choice 6 as 5
    // when the source had run since its move, and kept it when not.
    NFLAG(26) = NFLAG(29) = NFLAG(81) = false;
    default_tariffs_and_fuel_of_the_site();
    // The blocks still hold the source scheme: they become the target's files.
    KEEP1();
    KEEP2(1);
    if (NFLAG(24)) KEEPSCHED();
    AADISK(1);
    NFLAG(17) = true;
    if (target >= 4 && LEVEL != 5) LEVEL = 4;
    if (NFLAG(70)) {
        erase_operand(call);
        return;
    }
    if (target <= 2) load_copied_design(target);
    ITEMY = (source == 1 && target == 2) ? 40 : 42;
}

void show_results(LibraryCall& call) {
    if (IDNUM1 <= 0) {
        select_scheme(call);
        return;
    }
    if (IDNUM1 >= 10 && !line_holds(IDNUM1)) {
        error_exit(301, "no combination line holds the current number");
        return;
    }
    NFLAG(33) = true;
    IDNUM2 = 0;
    FIND1();
    if (results_left_unread()) return;
    if (NFLAG(70)) {
        erase_operand(call);
        return;
    }
    // A combination's column is made from its members' results as a whole:
    // its bill and summary rows as well as its annual energy.
    if (IDNUM1 <= kDefaultSlot) {
        CALBEP();
        // The run goes on as the scheme's own: at the site and rate zones
        // its inputs give, not those its stored results were saved at.
        settle_site_from_columns();
    } else if (!sum_line_on_leading_members_tariff()) {
        error_exit(302, kResultsDoNotAddUp);
        return;
    }
    if (LEVEL < 4) LEVEL = 4;
    ITEMY = 17;
}

// The combination number of the member list: its schemes' digits in
// ascending order (members 3 and 1 give 13); 0 when the list names fewer
// than two schemes, names one twice or names one that is no named design
// scheme.
INTEGER combination_of_members() {
    FArray<bool, 9> member{};
    INTEGER count = 0;
    for (INTEGER m = 1; m <= 9; ++m) {
        INTEGER id = TESTC(m);
        if (id < 1) break;
        if (id > 9) return 0;  // only the design slots are zones of a combination
        INTEGER line = 0;
        CHECKR(id, line);
        if (id <= 0 || member(id)) return 0;
        member(id) = true;
        ++count;
    }
    if (count < 2) return 0;
    INTEGER number = 0;
    for (INTEGER s = 1; s <= 9; ++s)
        if (member(s)) number = number * 10 + s;
    return number;
}

void combine_schemes(LibraryCall& call) {
    if (has_scheme_column(IDNUM1) && STRATEGY(26, IDNUM1) >= 2.0f) {
        refuse("the current scheme is itself a combination of zones");
        return;
    }
    INTEGER line = 0;
    for (INTEGER i = 1; i <= 9 && line == 0; ++i)
        if (NCOMBO(i) <= 0) line = i;
    if (line == 0) {
        refuse("all nine combination lines are in use");
        DBG_PRINT("error: all lines full: 639");
        return;
    }
    const INTEGER number = combination_of_members();
    if (number <= 0) {
        error_exit(403, "a combination takes two or more named schemes, each once");
        return;
    }
    if (line_holds(number)) {
        error_exit(404, "a line already holds this combination");
        return;
    }
    // Results of other periods (a whole year, chosen months, twelve days
    // from another first day) or of different data sources do not add up
    // to one building's.
    if (!members_add_up(number)) {
        error_exit(405, kResultsDoNotAddUp);
        return;
    }
    // The host's name, before the leading member's model is made: that
    // step leaves its own texts in the name buffer.
    const FString<24> typed_name = name_buffer();
    // The combination stands in the blocks as its leading member's
    // building, as every later run of it loads it: its bill uses that
    // member's equipment and tariff choices.
    read_input_file(number);
    NFLAG(34) = true;
    IDNUM1 = number;
    NFLAG(33) = false;
    NCOMBO(line) = number;
    IDNUM2 = 0;
    // A line is found by its name: without a name given it takes one from
    // its number, or it could never be selected, compared or erased.
    LINENAME(line) = typed_name;
    if (LINENAME(line).is_blank()) LINENAME(line) = FString<24>("Combination " + std::to_string(number));
    NFLAG(70) = false;
    FIND1();  // reads and adds the members' results
    if (results_left_unread()) return;
    if (NFLAG(70)) {
        erase_operand(call);
        return;
    }
    sum_line_on_leading_members_tariff();
    if (LEVEL < 4) LEVEL = 4;
    if (NFLAG(34)) ITEMY = 17;
    else error_exit(407, "the combination was not kept");
}

// ---- erase --------------------------------------------------------------------------

// A line's results stand in its summary column, 9 + line: a line that
// moves takes its number, its name and its column along.
void move_line(INTEGER from, INTEGER to) {
    NCOMBO(to) = NCOMBO(from);
    LINENAME(to) = LINENAME(from);
    for (INTEGER r = 1; r <= 80; ++r) SUMARY(r, 9 + to) = SUMARY(r, 9 + from);
    NCOMBO(from) = 0;
    LINENAME(from) = FString<24>();
}

// Lines in use move up to the first free places; the lines that held a
// combination before the erase (`held_before`) and hold none now are
// cleared.
void compact_lines(const FArray<INTEGER, 9>& held_before) {
    INTEGER to = 0;
    for (INTEGER i = 1; i <= 9; ++i) {
        if (NCOMBO(i) == 0) continue;
        ++to;
        if (to != i) move_line(i, to);
    }
    for (INTEGER i = 1; i <= 9; ++i)
        if (held_before(i) != 0 && NCOMBO(i) == 0) clear_line_column(i);
}

void erase_design_scheme(INTEGER E) {
    NERSLN.fill(0);
    INTEGER found = 0;
    for (INTEGER i = 1; i <= 9; ++i)
        if (NCOMBO(i) > 0 && has_member(NCOMBO(i), E)) NERSLN(++found) = i;
    SCHEMENAME(E) = FString<24>();
    // The day flags in the blocks are the current scheme's months, which
    // stay with it: an erase of another scheme leaves them, and an erase of
    // the current one goes on with scheme 1, whose own are read.
    NFLAG(70) = false;
    for (INTEGER r = 1; r <= 310; ++r) STRATEGY(r, E) = 0.0f;
    // An erased slot holds no results: a combination later naming the slot
    // (named again without a design) must find none.
    for (INTEGER r = 1; r <= 80; ++r) SUMARY(r, E) = 0.0f;
    for (INTEGER n = 1; n <= found; ++n) {
        NCOMBO(NERSLN(n)) = 0;
        LINENAME(NERSLN(n)) = FString<24>();
    }
}

// The blocks hold the scheme or combination just erased, and the run goes
// on with scheme 1: scheme 1 is loaded first, as a run of scheme 1 loads
// it (input file, schedules, stored results, then its column and site).
// Otherwise the simulation that follows would take the erased model for
// scheme 1's and its saves would write it over scheme 1's column and files.
void continue_with_scheme_one() {
    IDNUM1 = 1;
    NFLAG(33) = false;
    NFLAG(34) = false;
    read_design_files(1);
    FIND1();
    take_site_and_column();
}

void erase_operand(LibraryCall& call) {
    // Reached also instead of another command, when its results read found
    // a mismatch; with no operand nothing is erased.
    const bool after_mismatch = NFLAG(70);
    INTEGER E = IDNUM2;
    IDNUM2 = 0;
    INTEGER line = 0;
    CHECKR(E, line);
    if (E <= 0) {
        error_exit(501, after_mismatch ? kResultsDoNotAddUp : "no scheme or combination line of that number to erase");
        return;
    }
    if (E == 1) {  // scheme 1, the code-minimum design, is never erased
        error_exit(502, "scheme 1, the code-minimum design, is never erased");
        return;
    }
    bool current_erased = E == IDNUM1;
    const FArray<INTEGER, 9> held_before = NCOMBO;
    if (E <= 9) {
        erase_design_scheme(E);
    } else {
        NCOMBO(line) = 0;
        LINENAME(line) = FString<24>();
        // The combination being shown is gone: the run goes on with scheme 1.
        if (NFLAG(70) && IDNUM1 == call.entry_slot) current_erased = true;
        NFLAG(70) = false;
    }
    compact_lines(held_before);
    // The erased scheme's floor-area back copy, while no line uses its column.
    if (E <= 9 && NCOMBO(E) == 0) SUMARY(1, 9 + E) = 0.0f;
    // A combination shown as the current scheme goes with its line, also
    // when the line went because one of its members was erased.
    if (IDNUM1 >= 11 && combination_line(IDNUM1) == 0) current_erased = true;
    // Saved before scheme 1 is loaded, which reads the strategy file again;
    // saved while the erased scheme is still current, so that nothing of
    // scheme 1's column is touched by the save.
    if (call.host_run || current_erased) {
        AADISK(1);
        AADISK(6);
    }
    if (current_erased) continue_with_scheme_one();
    IDNUM2 = 0;
}

// ---- name, months, compare ---------------------------------------------------------

void name_scheme_or_line() {
    INTEGER slot = TESTC(1), line = 0;
    // A design slot is named whether it has a name yet or not: a copy
    // arrives unnamed, and the host names it to make it a scheme of the
    // project. A combination number must be held by a line.
    if (!is_scheme_slot(slot)) CHECKR(slot, line);
    if (slot <= 0) {
        error_exit(801, "no scheme or combination line of that number to name");
        return;
    }
    const FString<24> name = name_buffer();
    if (name.is_blank()) {
        // A blank name would empty the slot: a scheme without a name counts
        // as erased. The old name stays.
        error_exit(802, "no name given, the name stays");
        return;
    }
    if (slot <= 9) SCHEMENAME(slot) = name;
    else LINENAME(line) = name;
}

// The months chosen for a re-read, from the twelve words of the month list
// the host left in the name buffer: DAYFLAG 0 simulate, -1 skip. Returns
// whether any month was chosen.
bool choose_months(std::string_view month_list) {
    FArray<INTEGER, 12> months{};
    month_numbers(month_list, months);
    DAYFLAG.fill(-1);
    for (INTEGER i = 1; i <= 12 && months(i) != kEndOfMonthList; ++i) DAYFLAG(months(i)) = 0;
    std::string list;
    if (NFLAG(38)) {
        // A whole-year run keeps the month numbers in the operand list and
        // no month list.
        TESTC = months;
    } else {
        // The list rebuilt from the chosen months, in month order.
        for (INTEGER m = 1; m <= 12; ++m)
            if (DAYFLAG(m) == 0) list += MONTH3(m).view();
    }
    while (list.size() < LIBARY_STATE.MONTHLIST.size()) list += BLK0A.BLANK4.view();
    LIBARY_STATE.MONTHLIST = list;
    for (INTEGER m = 1; m <= 12; ++m)
        if (DAYFLAG(m) == 0) return true;
    return false;
}

void reread_months(LibraryCall& call) {
    // The host's month list, taken before the scheme's files are read: the
    // weather file read with its site leaves its last line in the buffer.
    const std::string month_list = name_buffer_text(LIBARY_STATE.MONTHLIST.size());
    INTEGER slot = TESTC(1), line = 0;
    if (is_scheme_slot(slot)) CHECKR(slot, line);
    else slot = 0;  // a combination has no simulation of its own to re-read
    if (slot < 1) {
        error_exit(901, "no named design scheme of that number to re-read");
        return;
    }
    // A month choice already in force is replaced by the new one.
    if (slot != IDNUM1 || NFLAG(33)) {
        IDNUM1 = slot;
        read_design_files(slot);
        FIND1();
        if (results_left_unread()) return;
        if (NFLAG(70)) {
            erase_operand(call);
            return;
        }
        take_site_and_column();
    }
    for (INTEGER i = 13; i <= 16; ++i) NFLAG(i) = true;
    NFLAG(33) = false;
    NFLAG(34) = false;
    // The chosen months stay for the simulation that follows and are saved
    // with the scheme; a list that names no month is refused, and the run
    // goes on as the plain run of the scheme the command found.
    if (choose_months(month_list)) return;
    error_exit(909, "no month named for the re-read");
}

void compare_schemes(LibraryCall& call) {
    if (IDNUM1 <= 0) {
        select_scheme(call);
        return;
    }
    NFLAG(62) = false;
    if (!line_holds(IDNUM1)) {
        error_exit(1201, "a comparison starts from a combination line, and the current scheme is none");
        return;
    }
    INTEGER slot = TESTC(1), line = 0;
    CHECKR(slot, line);
    if (slot <= 0) {
        error_exit(1202, "no scheme or combination line of that number to compare with");
        return;
    }
    // A line whose members' results no longer add up has an empty column:
    // there is nothing of it to compare.
    if (!members_add_up(IDNUM1) || (slot > 9 && !members_add_up(slot))) {
        error_exit(1203, kResultsDoNotAddUp);
        return;
    }
    IDNUM2 = slot;
    NFLAG(62) = true;
    if (slot > 9) NFLAG(34) = true;
    // The host reads the comparison after the call: the difference column.
    fill_difference_column();
    if (LEVEL < 4) LEVEL = 4;
    if (ITEMY > 24) ITEMY = 1;
}

// ---- dispatch -----------------------------------------------------------------------

void run_operation(LibraryCall& call) {
    if (NFLAG(70)) {  // the results read found a climate mismatch
        erase_operand(call);
        return;
    }
    if (IDNUM1 <= 0) {
        select_scheme(call);
        return;
    }
    if ((!call.host_run || command_of(IDNUM1) <= 200.0f) && NFLAG(61)) {
        if (IDNUM2 > 0 && !NFLAG(62)) IDNUM2 = 0;
        NFLAG(61) = false;
        NFLAG(62) = false;
        return;
    }
    if (LEVEL < 3) LEVEL = 3;
    DBG_INT("LIBARY nchois", call.nchois);
    switch (call.nchois) {
        case 1: copy_scheme(call); break;
        case 2:
        case 6:
        case 15:
        case 16: select_scheme(call); break;
        case 3:
        case 13:
        case 14: show_results(call); break;
        case 4: combine_schemes(call); break;
        case 5: erase_operand(call); break;
        case 7:
        case 10:
        case 11: break;
        case 8: name_scheme_or_line(); break;
        case 9: reread_months(call); break;
        case 12:
        case 17: compare_schemes(call); break;
        default:
            refuse("no library command of that number");
            DBG_INT("error at line", call.nchois);
            break;
    }
}

// The operand list of this command, from its operand alone. A new
// combination's operand of two or more digits lists its members (135:
// schemes 1, 3 and 5); otherwise entry 1 is the scheme or combination
// operated on (2 when the operand names none).
void take_operand_list(INTEGER nchois) {
    TESTC.fill(0);
    if (nchois == library_command::kCombine - 200 && IDNUM2 >= 10) {
        if (!member_list(IDNUM2, TESTC)) DBG_INT("LIBARY: member list with a 0 or repeated digit", IDNUM2);
        return;
    }
    const bool names_one = (IDNUM2 >= 1 && IDNUM2 <= 9) || IDNUM2 >= 11;
    TESTC(1) = names_one ? IDNUM2 : 2;
}

// A refused command changes nothing but what a refusal says (the level
// reached and the operand word): a refusal may come after the operation has
// read another scheme's files, moved to another slot or filled a column, and
// the run that follows must be the plain run of the scheme the command
// found. Every block is kept as the command found it and put back.
void put_blocks_back(const AllBlocks& kept) {
    const INTEGER level = LEVEL, operand = IDNUM2;
    restore_all_blocks(kept);
    LEVEL = level;
    IDNUM2 = operand;
    NFLAG(kLibraryCommandRefused) = true;
}

// Every operation ends here: the command is served.
void common_exit(const LibraryCall& call) {
    if (!call.host_run) return;
    // A refused command leaves the run flags as it found them.
    if (!NFLAG(kLibraryCommandRefused)) NFLAG(17) = true;
    // A scheme the operation moved on to (a copy carries the command along).
    clear_command(IDNUM1);
    // The slot that held the command: the entry scheme's, or the leading
    // member's of a combination shown at entry.
    clear_command(command_slot(call.entry_slot));
    ITEMY = 50;
}

// Does every member of `number` that holds results, but the scheme just
// run (whose new file the run holds), still have its results file? One
// removed since its run cannot be summed, and the run of another scheme
// must not fail for it.
bool members_results_files_present(INTEGER number, INTEGER scheme) {
    INTEGER rest = number, digit = 0, npow = 0;
    while (rest > 0) {
        STRIPR(rest, digit, npow);
        if (digit == scheme || !member_holds_results(digit)) continue;
        if (!build_scheme_read_path(SchemeFile::Results, digit)) return false;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(std::string(PATHTOFILE.trimmed()), ec)) return false;
    }
    return true;
}

// A line's column summed again from its members' saved results, as a show
// of the line makes it, after a run of `scheme`.
void sum_line_again(INTEGER line, INTEGER scheme) {
    const INTEGER number = NCOMBO(line);
    if (!members_add_up(number) || !members_results_files_present(number, scheme)) {
        clear_line_column(line);
        return;
    }
    IDNUM1 = number;
    IDNUM2 = 0;
    NFLAG(33) = false;
    NFLAG(34) = true;
    NFLAG(53) = NFLAG(55) = NFLAG(56) = false;
    NFLAG(70) = false;
    read_input_file(number);
    FIND1();
    if (NFLAG(70)) clear_line_column(line);
    else sum_line_on_leading_members_tariff();
}

}  // namespace

void sum_lines_holding(INTEGER scheme) {
    if (!is_scheme_slot(scheme)) return;
    FArray<bool, 9> holds{};
    bool any = false;
    for (INTEGER i = 1; i <= 9; ++i) {
        holds(i) = NCOMBO(i) >= 11 && has_member(NCOMBO(i), scheme);
        any = any || holds(i);
    }
    if (!any) return;
    DBG_INT("LIBARY: the lines holding the scheme just run are summed again", scheme);
    // Each line is summed from the run's own blocks, which are all put back
    // after: only the lines' columns are kept.
    const std::unique_ptr<AllBlocks> run_blocks = keep_all_blocks();
    std::array<std::array<REAL, 80>, 9> columns{};
    for (INTEGER i = 1; i <= 9; ++i) {
        if (!holds(i)) continue;
        sum_line_again(i, scheme);
        for (INTEGER r = 1; r <= 80; ++r) columns[i - 1][r - 1] = SUMARY(r, 9 + i);
        restore_all_blocks(*run_blocks);
    }
    for (INTEGER i = 1; i <= 9; ++i)
        if (holds(i))
            for (INTEGER r = 1; r <= 80; ++r) SUMARY(r, 9 + i) = columns[i - 1][r - 1];
}

void LIBARY() {
    DBG_IN("LIBARY");
    DBG_INT("LIBARY idnum1", IDNUM1);
    DBG_INT("LIBARY idnum2", IDNUM2);
    DBG_FLOAT("LIBARY strategy(2,idnum1) command", command_of(IDNUM1));
    // Column positions of the chart and list routines that share ISTPOS.
    for (INTEGER i = 1; i <= 9; ++i) {
        ISTPOS(i) = 3 * i - 2;
        ISTPOS(54 + i) = 3 * i + 1;
    }
    LibraryCall call;
    call.entry_slot = IDNUM1;
    call.host_run = NFLAG(7);
    const REAL command = command_of(IDNUM1);
    if (call.host_run && command >= 200.0f) {
        call.nchois = int_toward_zero(command) - 200;
        if (call.nchois < 1 || call.nchois > 100) call.nchois = 6;
        take_operand_list(call.nchois);
    }
    NFLAG(kLibraryCommandRefused) = false;  // the flag of this command
    const std::unique_ptr<AllBlocks> at_entry = keep_all_blocks();
    run_operation(call);
    if (NFLAG(kLibraryCommandRefused)) put_blocks_back(*at_entry);
    common_exit(call);
    DBG_OUT("LIBARY");
}

bool member_list(INTEGER operand, FArray<INTEGER, 12>& list) {
    list.fill(0);
    const std::string digits = std::to_string(operand);
    if (operand < 1 || digits.size() > 9) return false;
    FArray<bool, 9> named{};
    INTEGER n = 0;
    for (const char c : digits) {
        const INTEGER scheme = c - '0';
        if (scheme == 0 || named(scheme)) {
            list.fill(0);
            return false;
        }
        named(scheme) = true;
        list(++n) = scheme;
    }
    return true;
}

INTEGER month_of_word(std::string_view word) {
    std::string upper(word);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (FString<4>(upper).is_blank()) return 0;
    for (INTEGER m = 1; m <= 12; ++m)
        if (MONTH3(m) == upper) return m;
    return 0;
}

INTEGER month_numbers(std::string_view month_list, FArray<INTEGER, 12>& list) {
    list.fill(kEndOfMonthList);
    INTEGER n = 0;
    for (std::size_t w = 0; w < month_list.size() && n < 12; w += 4) {
        const INTEGER m = month_of_word(month_list.substr(w, 4));
        if (m > 0) list(++n) = m;  // a word that names no month is passed over
    }
    return n;
}

// A line's column, 9 + line, emptied. Its row 1 is also the floor-area back
// copy of the scheme of the same number, which a named single-zone scheme
// keeps equal to its own floor area: that value goes back, not the line's
// summed area.
void clear_line_column(INTEGER line) {
    const INTEGER k = 9 + line;
    for (INTEGER r = 2; r <= 80; ++r) SUMARY(r, k) = 0.0f;
    const bool single_zone = !SCHEMENAME(line).is_blank() && STRATEGY(26, line) <= 0.0f;
    SUMARY(1, k) = single_zone ? SUMARY(1, line) : 0.0f;
}

// A combination line's column, from its members' results that the blocks
// hold summed (FIND1) with its leading member's building: the bill of the
// summed gross purchases on one meter, the peaks of the summed heat flows,
// the members' envelope summary, the annual energy over the summed floor
// area (row 1, which FIND1 left) and the members' emissions. Members whose
// results do not add up (a member re-read for other months, or run over
// twelve other days, since the line was made) leave it empty: the blocks
// then hold part of their results, or another reading's.
bool fill_combination_column() {
    const INTEGER line = combination_line(IDNUM1);
    if (line == 0) {
        DBG_INT("LIBARY: no line holds the combination", IDNUM1);
        return false;
    }
    if (!members_add_up(IDNUM1)) {
        DBG_INT("LIBARY: the members' results do not add up, the line's column is emptied", IDNUM1);
        clear_line_column(line);
        return false;
    }
    const INTEGER k = 9 + line;
    DBG_INT("LIBARY combination column", k);
    // Nothing of what the column held before (another combination, or the
    // back copy of the scheme of the same number) stays in rows the steps
    // below do not write.
    for (INTEGER r = 2; r <= 80; ++r) SUMARY(r, k) = 0.0f;
    COST();
    PEAKS();
    SUMUP();
    CALBEP();
    // Source CO2 and the CO2 the photovoltaic output avoided add up like
    // the emission rows 41 to 48 that CALBEP sums.
    INTEGER rest = IDNUM1, member = 0, npow = 0;
    while (rest > 0) {
        STRIPR(rest, member, npow);
        if (!is_scheme_slot(member)) continue;
        SUMARY(61, k) += SUMARY(61, member);
        SUMARY(62, k) += SUMARY(62, member);
    }
    return true;
}

}  // namespace mavo
