// The run of one scheme: load the project state and the scheme's files,
// decide from the scheme's command what to do (generate a design, run a
// library operation, or only simulate), simulate, and write everything back.
#include <ctime>

#include "blocks/building_blocks.h"
#include "blocks/project_blocks.h"
#include "blocks/run_control.h"
#include "blocks/scratch_blocks.h"
#include "blocks/simulation_blocks.h"
#include "blocks/site_blocks.h"
#include "blocks/state_transfer.h"
#include "design/design.h"
#include "front/front.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "project/library.h"
#include "project/project.h"
#include "project/revision.h"
#include "results/results.h"
#include "simulation/simulation.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kWarmupHours = 288.0f;  // the first day run twelve times, 24 hours each
constexpr INTEGER kFirstCombinationNumber = 11;  // two member digits at least

// Parameter of a scheme column. Scheme numbers without a column of their
// own (the library slots -1 to -3 a project file may name) read as 0, a
// plain simulation.
REAL strategy_value(INTEGER row, INTEGER slot) {
    if (!has_scheme_column(slot)) return 0.0f;
    return STRATEGY(row, slot);
}

bool is_combination(INTEGER id) { return id >= kFirstCombinationNumber; }

// The commands 201 to 299 the library serves: all but the transfer back
// (234) and the two designs (243, 246).
bool is_library_command(INTEGER command) {
    return command >= 201 && command <= 299 && command != 234 && command != 243 && command != 246;
}

// A step of the run done for the scheme that serves the current number: a
// combination has no files or column of its own and is loaded as its
// leading member, whose building stands for it in the blocks.
template <class Step>
void for_serving_slot(Step step) {
    const INTEGER current = IDNUM1;
    if (is_combination(current)) IDNUM1 = serving_slot(current);
    step();
    IDNUM1 = current;
}

INTEGER second_of_day() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
}

void trace_choice(bool flag, const char* when_false, const char* when_true) {
    DBG_PRINT(flag ? when_true : when_false);
}

// Steps 1 to 7: the run state before any file is read.
INTEGER start_run() {
    if (OSCODE != 1) DBG_IN("AAAMAIN .ne.c_dos");
    INDENT = 0;
    LEVEL = 1;
    DBG_INT("LEVEL 1-Tutor,2=Demo,4=Normal,5=Expert", LEVEL);

    for (INTEGER i = 51; i <= 66; ++i) NFLAG(i) = false;
    CHARTSCALE = 1.0f;
    NCALCS = 0;
    ITEMY = 40;
    STOREL = 0.0f;
    CYCLE = kWarmupHours;
    for (INTEGER i : {33, 42, 67, 68, 69, 70, 80}) NFLAG(i) = false;
    for (INTEGER i : {7, 15, 54}) NFLAG(i) = true;

    DOS_OPENCONSOLE();
    DOS_LAUNCH();
    if (NFLAG(90)) DBG_PRINT("Loading TRACEH files: make nflag(90)=F before final release");
    DBG_DATE("-=-= AAAMAIN : STARTING VOREL7 =-=-");
    DBG_INT("    Windows 7 version May 2 2012:idnum1", IDNUM1);
    DBG_FLOAT("  cycle = 12 days * 24 hours", CYCLE);

    const INTEGER start_second = second_of_day();
    IDNUM1 = 1;
    ITEMY = 40;
    return start_second;
}

// A non-residential building takes its occupants, lights, plug and process
// loads and outside air from its type's row of the non-residential load
// table. A type without one (a new project's non-residential scheme before
// the host sets its type, or a dwelling's type) describes no building to
// design or simulate: the run stops there, traced, and saves nothing.
void require_nonresidential_loads() {
    if (has_nonresidential_loads(NTYPE)) return;
    DBG_INT("ERROR: Ntype not defined: no non-residential loads for building type", NTYPE);
    DBG_CRASH("ERROR: Ntype not defined: a non-residential scheme needs a building type with loads; nothing saved");
}

// A scheme marked as a building of several zones (row 26 above 1) has no
// building of its own: its results are the sums of the zones its
// combination line of the same number lists (the default scheme, slot 10,
// has no such line). Without a zone there is nothing to sum nor a building
// to simulate in its place: the run stops, traced, and saves nothing. It
// half-ran the scheme, leaving divided-by-zero U-factors on a design run and
// zeros on its re-runs.
void require_zones_of_multizone_scheme() {
    if (!has_scheme_column(IDNUM1) || STRATEGY(26, IDNUM1) <= 1.0f) return;
    const INTEGER zones = IDNUM1 <= 9 ? NCOMBO(IDNUM1) : 0;
    if (zones > 0) return;
    DBG_FLOAT("ERROR: multi-zone marker (strategy row 26) of scheme", STRATEGY(26, IDNUM1));
    DBG_INT("       its combination line lists no zone: ncombo", zones);
    DBG_CRASH("ERROR: multi-zone scheme without zones: its combination line lists none; nothing saved");
}

// Steps 8 to 21: project state, the scheme selected, its files.
void load_scheme() {
    AADISK(-1);
    PROGRESS(IDNUM1, 0, 0, 0, 0);

    DBG_INT("AAAMAIN idnum1 856", IDNUM1);
    DBG_INT("        idnum2 856", IDNUM2);
    DBG_FLOAT("AAAMAIN cycle at 856", CYCLE);
    trace_choice(NFLAG(7), " nflag(7)=false (why?\?)", " nflag(7)=true WEB/GUI");
    trace_choice(NFLAG(22), "not nflag(22) from gui", "nflag(22)=T call Expert from gui");

    if (IDNUM1 <= 2) {
        NFLAG(22) = true;
        DBG_PRINT("nflag(22)=T set in AAAMAIN");
    } else {
        NFLAG(22) = false;
        DBG_PRINT("nflag(22)=F in AAAMAIN");
    }

    if (is_combination(IDNUM1)) {
        // A combination line saved as the current scheme is served as
        // itself. A number no line holds any more runs its leading member.
        DBG_INT("This was Combination: idnum1.gt.11", IDNUM1);
        if (combination_line(IDNUM1) == 0) {
            DBG_PRINT("AAAMAIN combination held by no line: its leading scheme runs");
            IDNUM1 = leading_member(IDNUM1);
        }
    }
    NFLAG(7) = true;
    if (ITEMY == 35) ITEMY = 33;
    if (LEVEL <= 3) {
        ITEMY = 36;
        if (LEVEL == 1) LEVEL = 2;
    } else if (LEVEL >= 5) {
        LEVEL = 4;
    }
    if (IDNUM1 >= 10) NFLAG(34) = true;
    NFLAG(33) = false;

    AADISK(-5);
    DBG_INT("CALL FIND2 idnum1 AAAMAIN 942", IDNUM1);
    for_serving_slot([] {
        FIND2();
        if (NFLAG(24)) {
            require_nonresidential_loads();
            FINDSCHED();
        }
    });
    NFLAG(54) = true;
    // A combination whose members' results no longer add up makes the
    // results step give up and forget the second scheme. A library command
    // on it keeps the host's operand: it acts on what the host named (the
    // line itself for a rename or an erase), never on scheme 2 instead.
    const INTEGER operand = IDNUM2;
    FIND1();  // a combination: its members' results, added
    if (is_combination(IDNUM1) && is_library_command(command_of_scheme(IDNUM1))) IDNUM2 = operand;
}

void generate_design() {
    if (NFLAG(22)) {
        DBG_PRINT("nflag(22)=T, call EXPERT");
        // The heating fuel is the site's, which every run settles from the
        // site and the tariff choices before this step: the gas tariff the
        // design names for its plant would last this run alone, and the
        // design run would burn and save another fuel than its re-runs.
        const REAL site_fuel = FUELTYPE;
        EXPERT();
        FUELTYPE = site_fuel;
    } else {
        DBG_PRINT("nflag(22)=F, skip EXPERT");
    }
    NFLAG(17) = true;
    NFLAG(22) = false;
    ITEMY = 42;
}

// The name buffer carries the host's name (or month list) to the library
// step. By now it holds the kernel's own text, the last mass material of the
// construction set-up and the last line of the weather file: the host's
// text as the call received it is given back first.
void run_library_command() {
    restore_name_buffer();
    LIBARY();
}

// A combination current: a library command is served as for any scheme;
// anything else shows the combination, its line's column made from its
// members' results (a design or a simulation of it does not exist; a
// design command waiting in its leading member's slot stays for that
// member's own run).
void run_combination_command() {
    if (is_library_command(ITEMY)) {
        run_library_command();
        // A refused command leaves the run a plain run of the combination.
        if (!NFLAG(kLibraryCommandRefused)) return;
    }
    if (!NFLAG(70)) fill_combination_column();
    ITEMY = 50;
}

// What follows is the simulation of the design as saved, the same as any
// plain run of it: the run's step code is a plain simulation's (50), which
// the scheme input and summary files record, so the run that generates a
// design saves what its re-runs save.
void transfer_back() {
    if (IDNUM1 == 1 || IDNUM1 == 2) REVISION(3);
    ITEMY = 50;
}

// Steps 22 to 28.
void run_command() {
    if (IDNUM1 == 0) {
        NFLAG(22) = true;
        generate_design();
        transfer_back();
        return;
    }
    NFLAG(6) = true;
    const INTEGER command = command_of_scheme(IDNUM1);
    // Only slots 1 and 2 are designed; a design command elsewhere simulates.
    REVISION_STATE.DESIGN_FOLLOWS = (IDNUM1 == 1 || IDNUM1 == 2) && (command == 243 || command == 246);
    DBG_INT("before Revision indum1", IDNUM1);
    for_serving_slot([] {
        REVISION(4);
        if (ITEMY != 206) REVISION(2);
    });
    if (ITEMY != 206) {
        DBG_FLOAT(" Strategy(2,-) users command", pending_command(IDNUM1));
        DBG_INT(" Idnum2 from kernel AAAMAIN 1039", IDNUM2);
    }

    REVISION_STATE.DESIGN_FOLLOWS = false;
    ITEMY = command_of_scheme(IDNUM1);
    DBG_INT("itemy =strategy(2, ) 1055", ITEMY);
    DBG_FLOAT("strategy(60, ) AAAMAIN", strategy_value(60, IDNUM1));

    if (is_combination(IDNUM1)) {
        run_combination_command();
    } else if (ITEMY == 234) {
        transfer_back();
    } else if (ITEMY == 243 || ITEMY == 246) {
        NFLAG(8) = ITEMY == 243;
        ITEMY = 43;
        // A year built between 100 and 2013 asks for the vintage design.
        const REAL year_built = strategy_value(11, 2);
        NFLAG(9) = year_built <= 100.0f || year_built >= 2013.0f;
        if (IDNUM1 <= 2) NFLAG(22) = true;
        require_zones_of_multizone_scheme();  // before a design of a building it is not
        generate_design();
        transfer_back();
        settle_design_as_reloaded();
    } else if (is_library_command(ITEMY)) {
        run_library_command();
        // A refused command leaves the run a plain run of the scheme.
        if (NFLAG(kLibraryCommandRefused)) {
            NFLAG(17) = true;
            ITEMY = 50;
        }
    } else {
        NFLAG(17) = true;
        ITEMY = 50;
    }
}

// The run ends with a combination number in the scheme slot: one built,
// selected or shown now, or shown as the current scheme. Its results are
// the sums of its members' stored results, which the run has read and
// entered in its line's column. There is nothing to simulate: the blocks
// hold one member's building, and the number has no parameter column of
// its own (columns 11 to 18 are other schemes' back-up copies), so a
// simulation would run the wrong building and, failing as a combination
// always does, zero and save another scheme's results. The hourly chart is
// left alone too: a combination has no peak hour of its own. Saved here is
// what the simulation's saves would have carried: the served command. The
// run is judged by the command alone: the input file read for the leading
// member brought that member's simulation status with it.
void keep_combination() {
    // The reading's mismatch flag alone does not say that the members'
    // results were all read: with a second scheme named the results step
    // clears it.
    const bool members_read = !NFLAG(70) && members_add_up(IDNUM1);
    NFLAG(51) = members_read;
    NFLAG(80) = false;
    if (members_read) {
        DBG_INT("AAAMAIN combination shown from its members' results, not simulated", IDNUM1);
    } else {
        DBG_INT("AAAMAIN ERROR combination members' results not read", IDNUM1);
    }
    AADISK(6);
}

// Steps 29 to 35.
void simulate_and_write() {
    if (IDNUM1 >= kFirstCombinationNumber) {
        keep_combination();
    } else {
        require_zones_of_multizone_scheme();
        CALCS();
        NFLAG(79) = true;
        BARHR();
        NFLAG(79) = false;
    }
    if (!NFLAG(24)) {
        const INTEGER zip = int_toward_zero(ZIPCODE);
        DBG_INT("nZipcode before KEEPXMLin AAAMAIN", zip);
        NFLAG(44) = (zip >= 90000 && zip <= 99999) || (zip >= 1 && zip <= 16);
        KEEPXML();
    } else {
        remove_compliance_export(IDNUM1);
    }
    KEEPCCL();
    // A line holding the scheme just run holds its members' sum with the
    // scheme's new results, or nothing when they no longer add up.
    if (IDNUM1 < kFirstCombinationNumber) sum_lines_holding(IDNUM1);
    AADISK(1);
    trace_choice(NFLAG(44), "nflag(44)=FALSE, after call KEEPxml", "nflag(44)=TRUE After CALL KEEPXML");
    KEEPCSV();
}

// Steps 36 to 38.
void end_run(INTEGER start_second) {
    DBG_INT("AAAMAIN normal ending: idnum1", IDNUM1);
    DBG_INT("Elapse Seconds", second_of_day() - start_second);
    trace_choice(NFLAG(33), "nflag(33)=F not subtract", "nflag(33)=T subtraction");
    trace_choice(NFLAG(24), "nflag(24)=F MAVO notKORVA", "nflag(24)=T KORVA notMAVO Mode");
    trace_choice(NFLAG(34), "nflag(34)=F not a combo", "nflag(34)=T is a combo");
    trace_choice(NFLAG(51), "nflag(51)=F ERROR in calcs", "nflag(51)=T kernel OK no errors");
    trace_choice(NFLAG(80), "nflag(80)=F calcs not run", "nflag(80)=T calcs OK no errors");
    trace_choice(NFLAG(67), "nflag(67)=F Gas Rates in this zipcode", "nflag(67)=T No Gas rates in this zipcode");
    trace_choice(NFLAG(68), "nflag(68)=F Furnace Fuel is Compatible", "nflag(68)=T ERROR Fuel not compatible");
    DBG_OUT("End of AAAMAIN");
    PROGRESS(-1, -1, -1, -1, -1);
    DOS_CLOSECONSOLE();
}

}  // namespace

void AAAMAIN() {
    const INTEGER start_second = start_run();
    load_scheme();
    run_command();
    simulate_and_write();
    end_run(start_second);
}

}  // namespace mavo
