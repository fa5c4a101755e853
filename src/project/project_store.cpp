// The project store: the one procedure through which the kernel loads and
// saves the state that lives between two calls: the scheme directory
// "master.dir", the summary file (selected scheme, run codes, flags 1-50,
// annual results of all schemes, chart tables, energy-cost table), the
// strategy file and the zip-code table.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <sys/stat.h>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/project.h"
#include "project/project_store_jobs.h"
#include "project/record_walk.h"
#include "support/fortran_format.h"
#include "support/text_lines.h"

namespace mavo {
namespace {

constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kDefaultsDirectory = 5;
constexpr INTEGER kSummaryRevision = 6;
constexpr INTEGER kSummarySecondWord = 14450;
constexpr REAL kPlaceholder = 99.99f;
// Values this close to zero are stored as zero, so that a text form and a
// binary form of one project agree.
constexpr REAL kTinyValue = 1.0e-7f;

// Energy conversions of the cost table.
constexpr REAL kKbtuPerKwh = 3.412f;
constexpr REAL kKbtuPerTherm = 100.0f;
constexpr REAL kKwhPerTherm = 29.308325f;

void trace_job(INTEGER inout) {
    if (inout == 6) DBG_PRINT("INOUT=6 write strategy.dat");
    else if (inout >= 1) DBG_PRINT("INOUT write master.dir,summary.dat 129");
    else if (inout == 0) DBG_PRINT("INOUT=0 has ERRORS");
    else if (inout == -1) DBG_PRINT("INOUT=-1 Read master.dir,summary.dat,nflags");
    else if (inout == -2) DBG_PRINT("INOUT Read master0.dir,summary0.dat");
    else if (inout == -4) DBG_PRINT("INOUT=-4 Read zipcodes.sce");
    else if (inout == -5) DBG_PRINT("INOUT=-5 Read strategy.dat");
    else DBG_PRINT("INOUT=-3 Read v7help");
}

void trace_scheme_values(INTEGER inout) {
    DBG_INT("AADISK idnum1", IDNUM1);
    DBG_INT("AADISK idnum2", IDNUM2);
    DBG_INT("AADISK inout", inout);
    if (has_scheme_column(IDNUM1)) {
        DBG_FLOAT("AADISK strategy(1, ) electric rates", STRATEGY(1, IDNUM1));
        DBG_FLOAT("AADISK strategy(2, ) users command", STRATEGY(2, IDNUM1));
        DBG_FLOAT("AADISK strategy(3, ) fuel rates", STRATEGY(3, IDNUM1));
        DBG_FLOAT("AADISK strategy(4, ) zipcode", STRATEGY(4, IDNUM1));
    }
}

// ---- scheme directory "master.dir" ----------------------------------------

// Opens the scheme directory file. The project's own file is created empty
// when missing; the defaults of the utility directory are only ever read. A
// save writes a new file that replaces the old one only once written whole.
std::FILE* open_scheme_directory(bool reading, bool defaults) {
    const std::string path = built_path();
    const INTEGER unit = BLK0B.DISKPROJ;
    if (!reading) return unit_open_replacing(unit, path.c_str(), "w");
    if (std::FILE* f = unit_open(unit, path.c_str(), "r")) return f;
    if (defaults) return nullptr;
    // Created with the run's files: a run that fails leaves no new file.
    if (!unit_create_empty(path.c_str())) return nullptr;
    return unit_open(unit, path.c_str(), "r");
}

// Nine lines of a group: an integer field, two blanks, a 24-character name.
// End of file keeps the rest as they were; a bad number is an error.
// `whole_lines` counts the lines read whole: ended by their line end, or,
// the last of the file, holding every column. `cut` tells that the last
// line read had no line end: every line the kernel saves ends with one.
bool read_name_group(std::FILE* f, int width, FArray<INTEGER, 9>& numbers, FArray<FString<24>, 9>& names,
                     bool& at_end, INTEGER& whole_lines, bool& cut) {
    const std::size_t columns = static_cast<std::size_t>(width) + 2 + 24;
    whole_lines = 0;
    std::string line;
    for (INTEGER i = 1; i <= 9 && !at_end; ++i) {
        if (!read_text_line(f, line)) {
            at_end = true;
            break;
        }
        cut = std::feof(f) != 0;
        const bool whole = !cut || line.size() >= columns;
        ffmt::LineReader r(line);
        const long long number = r.I(width);
        r.X(2);
        const std::string_view name = r.A(24);
        if (!r.ok()) return false;
        numbers(i) = static_cast<INTEGER>(number);
        names(i) = name;
        if (whole) ++whole_lines;
    }
    return true;
}

void write_name_group(std::FILE* f, int width, const FArray<INTEGER, 9>& numbers,
                      const FArray<FString<24>, 9>& names) {
    for (INTEGER i = 1; i <= 9; ++i)
        std::fprintf(f, "%s  %.24s\n", ffmt::I(numbers(i), width).c_str(), names(i).c);
}

// A scheme directory that exists but could not be read is kept for the user
// to recover; nothing of the project is saved over good files in this run.
void scheme_directory_damaged(const char* why) {
    note_damaged_load();
    DBG_ERROR("AADISK: " + std::string(BLK110B.FILENM_AADISK.trimmed()) + " " + why +
              ": it is kept as it is and no project file is saved in this run");
}

const char* summary_name(INTEGER form, bool defaults);

bool project_has_a_summary_file() {
    struct stat st{};
    const std::string summary = path_in_directory(kProjectDirectory, summary_name(READMODE, false));
    return !summary.empty() && ::stat(summary.c_str(), &st) == 0;
}

// False on an error (E101, E102, or a save that did not land).
bool scheme_directory_file(bool reading, bool defaults) {
    const char* name = defaults ? "master0.dir" : "master.dir";
    BLK110B.FILENM_AADISK = name;
    DIR_BUILDPATH(defaults ? kDefaultsDirectory : kProjectDirectory, name);
    // A missing project file is created empty below, and its names keep
    // their initial values; one that exists must hold them.
    std::error_code ec;
    const bool existed = reading && std::filesystem::exists(built_path(), ec);
    std::FILE* f = open_scheme_directory(reading, defaults);
    if (!f) {
        DBG_TRACE("AADISK:Error 101 invalid scheme");
        if (reading && std::filesystem::exists(built_path(), ec)) scheme_directory_damaged("cannot be read");
        return false;
    }
    if (reading) {
        bool at_end = false, cut = false;
        INTEGER scheme_lines = 0, combination_lines = 0;
        const bool ok = read_name_group(f, 2, SLOTCODE, SCHEMENAME, at_end, scheme_lines, cut) &&
                        read_name_group(f, 10, NCOMBO, LINENAME, at_end, combination_lines, cut);
        unit_close(BLK0B.DISKPROJ);
        if (!ok) {
            DBG_ERROR("AADISK: E102 read error in master.dir");
            scheme_directory_damaged("has a line that cannot be read");
            return false;
        }
        // A file that ends inside its scheme names (emptied or cut by an
        // interrupted copy) beside a summary file is not a new project:
        // loaded, it would save every name after the cut away as blank. The
        // nine scheme lines alone are a whole file: the combination lines
        // keep their values. A last line without its line end is a line cut
        // short (a combination's number cut to another member set).
        if (!defaults && existed && (scheme_lines < 9 || cut) && project_has_a_summary_file()) {
            DBG_INT("AADISK: E102 master.dir ends inside a line, whole scheme lines", scheme_lines);
            scheme_directory_damaged(scheme_lines == 0 ? "is empty"
                                     : scheme_lines < 9 ? "is cut short inside its scheme names"
                                                        : "is cut short inside its last line");
            return false;
        }
        return true;
    }
    write_name_group(f, 2, SLOTCODE, SCHEMENAME);
    write_name_group(f, 10, NCOMBO, LINENAME);
    const bool kept_back = project_files_frozen();
    if (unit_close(BLK0B.DISKPROJ)) return true;
    if (kept_back) DBG_PRINT("AADISK: master.dir not saved: a project file of this run could not be loaded");
    else DBG_ERROR("AADISK: master.dir could not be written whole; the old file is kept");
    return false;
}

// ---- energy-cost table ------------------------------------------------------

// Recomputes the cost table of scheme k from its summary column: each end
// use in dollars (at the scheme's average price), kBtu, kWh and lb CO2.
void compute_energy_costs(INTEGER k) {
    if (!is_scheme_slot(k)) return;
    auto S = [k](INTEGER row) { return SUMARY(row, k); };
    for (INTEGER j = 1; j <= 4; ++j)
        for (INTEGER l = 1; l <= 28; ++l) ECOST(l, k, j) = 0.0f;
    // Average prices; a scheme without use of a fuel has no price for it.
    const REAL dollars_per_kwh = S(25) != 0.0f ? S(36) / S(25) : 0.0f;
    const REAL dollars_per_therm = S(66) != 0.0f ? S(35) / S(66) : 0.0f;
    auto electric = [&](INTEGER line, REAL kwh) {
        ECOST(line, k, 1) = dollars_per_kwh * kwh;
        ECOST(line, k, 2) = kKbtuPerKwh * kwh;
        ECOST(line, k, 3) = kwh;
        ECOST(line, k, 4) = EX * kwh;
    };
    auto fuel = [&](INTEGER line, REAL therms) {
        ECOST(line, k, 1) = dollars_per_therm * therms;
        ECOST(line, k, 2) = kKbtuPerTherm * therms;
        ECOST(line, k, 3) = kKwhPerTherm * therms;
        ECOST(line, k, 4) = FX * therms;
    };
    electric(1, S(25));
    electric(2, S(24));
    electric(3, S(72));
    electric(4, S(22));
    electric(5, S(23));
    electric(6, S(71));
    electric(7, S(75));
    electric(8, S(70));
    electric(9, S(74));
    electric(10, S(56));
    fuel(12, S(66));
    fuel(13, S(21));
    fuel(14, S(63));
    fuel(15, S(65));
    fuel(16, S(64));
    fuel(17, S(73));
    ECOST(19, k, 1) = S(37);
    ECOST(19, k, 2) = kKbtuPerKwh * S(59);
    ECOST(19, k, 3) = S(59);
    ECOST(19, k, 4) = EX * S(25) + FX * S(66);
    electric(20, S(25));
    fuel(21, S(66));
    electric(22, S(70));
    if (S(74) > 0.0f) electric(23, S(74));
    else fuel(23, S(64));
    ECOST(24, k, 1) = S(58);
    ECOST(24, k, 2) = kKbtuPerKwh * S(78);
    ECOST(24, k, 3) = S(78);
    ECOST(24, k, 4) = S(47);
}

// ---- summary file -----------------------------------------------------------

const char* summary_name(INTEGER form, bool defaults) {
    switch (form) {
        case 1: return defaults ? "summary0.dat" : "summary.dat";
        case 2: return defaults ? "sumary0f.dat" : "summaryf.dat";
        default: return defaults ? "sumary0b.dat" : "summaryb.dat";
    }
}

// The scheme read from the file: a number below the library slots has no
// file of its own and falls back to scheme 1.
void after_scheme_read() {
    if (IDNUM1 < -3) {
        DBG_INT("AADISK: scheme number out of range, scheme 1 used", IDNUM1);
        IDNUM1 = 1;
    }
    if (IDNUM1 > 0) DBG_RESET();
    DBG_DATE("top of AADISK");
}

// Rate zones of scheme 1 always start from the built-in ones.
void after_flags_read() {
    if (IDNUM1 == 1) {
        ERATEZONEZ = 10;
        GRATEZONEZ = 1;
        if (NFLAG(24)) {
            ERATEZONE = 32;
            GRATEZONE = 11;
        }
    }
    if (OSCODE != 1) NFLAG(7) = true;
}

// Sections 1 to 65: run codes and flags 1-50.
void run_codes_and_flags(RecordWalk& w) {
    w.int4(IDNUM1);
    if (w.reading()) after_scheme_read();
    w.int4(IDNUM2);
    w.int4(LOCATE);
    w.int4(ITEMY);
    w.int4(ITEM);
    w.real(CHARTSCALE);
    w.int4(LEVEL);
    w.spare_int4(TMYMON);
    w.spare_int4(TMYDAY);
    w.spare_int4(EXPDAY);
    w.spare_int4(EXPMON);
    for (int i = 0; i < 4; ++i) w.spare_real(kPlaceholder);
    for (INTEGER i = 1; i <= 50; ++i) w.logical(NFLAG(i));
    if (w.reading()) after_flags_read();
}

void chart_row(RecordWalk& w, INTEGER i) {
    for (INTEGER j = 1; j <= 17; ++j) w.int4(GS_SETROWS(j, i));
    for (INTEGER j = 1; j <= 9; ++j) w.int4(GS_SETSCHEMES(j, i));
}

void summary_rows(RecordWalk& w, INTEGER first, INTEGER last, INTEGER k) {
    for (INTEGER r = first; r <= last; ++r) w.real(SUMARY(r, k));
}

void zero_summary_rows(INTEGER first, INTEGER last) {
    for (INTEGER k = 1; k <= 18; ++k)
        for (INTEGER r = first; r <= last; ++r) SUMARY(r, k) = 0.0f;
}

// Forms 2 and 3: one value per record; a reader takes a gated section only
// when the file's revision reaches its gate.
void summary_records(RecordWalk& w, INTEGER revision) {
    run_codes_and_flags(w);
    for (INTEGER t = 1; t <= 15; ++t) w.text(GS_TITLES(t));
    for (INTEGER i = 1; i <= 15; ++i) chart_row(w, i);
    w.int4(GS_CHARTSET);
    for (INTEGER k = 1; k <= 18; ++k) summary_rows(w, 1, 48, k);
    if (revision >= 1)
        for (INTEGER k = 1; k <= 18; ++k) summary_rows(w, 49, 72, k);
    if (revision >= 2) w.all(SUMARYX);
    else SUMARYX.fill(0.0f);
    if (revision >= 3)
        for (INTEGER k = 1; k <= 18; ++k) summary_rows(w, 73, 80, k);
    else zero_summary_rows(73, 80);
    if (revision >= 4) {
        w.spare_text(BLK0D.BUILDDATE);
        w.spare_text(BLK0D.BUILDTIME);
        w.int4(BLK0D.MAVOVERSION);
        w.int4(BLK0D.MAVOBUILD);
        for (int i = 0; i < 4; ++i) w.spare_text(AADISK_STATE.FILLER);
    } else {
        BLK0D.MAVOVERSION = 0;
        BLK0D.MAVOBUILD = 0;
    }
    // The table as stored, from its block: carrying it is no use of its cells.
    if (revision >= 5)
        for (INTEGER z = 1; z <= 16; ++z)
            for (INTEGER r = 1; r <= 32; ++r) w.spare_real(BLK21C.CECRESA(r, z));
    if (revision >= 6) {
        if (w.writing()) compute_energy_costs(IDNUM1);
        for (INTEGER k = 1; k <= 9; ++k)
            for (INTEGER j = 1; j <= 4; ++j)
                for (INTEGER l = 1; l <= 28; ++l) w.real(ECOST(l, k, j));
    }
}

// Form 1: values grouped into records; no revision gates, no cost table.
bool summary_grouped_records(RecordWalk& w) {
    bool ok = true;
    auto record = [&](auto&& body) {
        if (!ok) return;
        w.begin_record();
        body();
        ok = w.end_record();
    };
    record([&] { run_codes_and_flags(w); });
    for (INTEGER t = 1; t <= 15; ++t) record([&] { w.text(GS_TITLES(t)); });
    for (INTEGER i = 1; i <= 15; ++i)
        record([&] {
            chart_row(w, i);
            w.int4(GS_CHARTSET);
        });
    for (INTEGER k = 1; k <= 18; ++k) record([&] { summary_rows(w, 1, 48, k); });
    for (INTEGER k = 1; k <= 18; ++k) record([&] { summary_rows(w, 49, 72, k); });
    return ok;
}

void prepare_summary_save(INTEGER form) {
    NFLAG(33) = false;
    NFLAG(26) = false;
    DBG_PRINT("Nflag(26)set to F on Exit to restore Elect Utility Rates");
    NFLAG(29) = false;
    DBG_PRINT("Nflag(29) set to F on Exit to restore Fuel Utility Rates");
    if (form == 2 || form == 3)
        for (INTEGER k = 1; k <= 18; ++k)
            for (INTEGER r = 1; r <= 80; ++r)
                if (SUMARY(r, k) > -kTinyValue && SUMARY(r, k) < kTinyValue) SUMARY(r, k) = 0.0f;
}

// False on an error (E110, E815, or a save that did not land).
bool summary_file(bool reading, bool defaults) {
    const INTEGER form = reading ? READMODE : WRITEMODE;
    const char* name = summary_name(form, defaults);
    BLK110B.FILENM_AADISK = name;
    DIR_BUILDPATH(defaults ? kDefaultsDirectory : kProjectDirectory, name);
    const INTEGER unit = BLK0B.DISKPROJ;
    INTEGER id1 = IO_GETWORD4(5, 0, 1, kSummaryRevision), id2 = kSummarySecondWord, ierr = 0;
    IO_OPEN(unit, reading ? 1 : 2, id1, id2, PATHTOFILE.view(), ierr);
    if (ierr != 0) {
        DBG_TRACE("error E110");
        IO_REWIND(unit, ierr);
        IO_CLOSE(unit, ierr);
        return false;
    }
    if (!reading) prepare_summary_save(form);
    RecordWalk w(unit, reading);
    bool ok = true;
    if (form == 1) {
        if (!summary_grouped_records(w) && !reading) {
            DBG_TRACE("error E815");
            ok = false;
            IO_REWIND(unit, ierr);
        }
    } else {
        summary_records(w, reading ? IO_GETMSB4(id1) : kSummaryRevision);
    }
    IO_CLOSE(unit, ierr);
    // A short summary file: what was read is this project's, the rest zero.
    if (reading && record_load(unit) == RecordLoad::Damaged) {
        DBG_TRACE("error E110");
        return false;
    }
    return ok && ierr == 0;
}

// ---- common tail ------------------------------------------------------------

void common_tail(INTEGER inout, REAL SLATHOLD) {
    if (NFLAG(18) && IDNUM1 < 3) NFLAG(22) = true;
    if (NFLAG(82) && !NFLAG(37)) NFLAG(65) = false;
    NFLAG(46) = false;
    DBG_PRINT("nflag(46)=False not HERS BesTest");
    if (OSCODE != 1) NFLAG(7) = true;
    // A CEC zone file fixes the latitude; nothing done in the call may move it.
    if (CECZONE > 0 && CECZONE < 17 && NFLAG(37)) SLAT = SLATHOLD;

    trace_scheme_values(inout);
    for (INTEGER i : {8, 9, 24, 26, 29, 31, 34, 36, 38, 45, 81, 82, 83})
        DBG_LOGICAL("AADISK nflag(" + std::to_string(i) + ")", NFLAG(i));
    DBG_FLOAT("AADISK uval(10)", UVAL(10));
    DBG_FLOAT("AADISK slathold", SLATHOLD);
    DBG_FLOAT("AADISK slat", SLAT);
    DBG_FLOAT("AADISK zipcode", ZIPCODE);
    DBG_INT("AADISK ceczone", CECZONE);
    DBG_INT("AADISK eratezone", ERATEZONE);
    DBG_INT("AADISK gratezone", GRATEZONE);
    DBG_FLOAT("AADISK fueltype", FUELTYPE);
    DBG_OUT("AADISK");
}

}  // namespace

void AADISK(INTEGER INOUT) {
    INTEGER inout = INOUT;  // the call's own copy; 0 marks an error of the call
    DBG_IN("AADISK");
    AADISK_STATE.FILLER = "x";
    trace_job(inout);
    trace_scheme_values(inout);
    const bool reading = inout < 1;
    const REAL SLATHOLD = SLAT;

    if (inout == -4 || inout == -5 || inout == 6) {
        if (inout == -4) zip_code_job(inout);
        else strategy_file_job(inout);
    } else {
        const bool defaults = inout == -2;
        const bool directory_only = inout == 0;
        // The summary file is read even when the scheme directory could not
        // be: its first record is the scheme the host asked for, and without
        // it the run would serve another scheme than the one requested.
        if (!scheme_directory_file(reading, defaults)) inout = 0;
        if (!directory_only && !summary_file(reading, defaults)) inout = 0;
    }
    common_tail(inout, SLATHOLD);
}

}  // namespace mavo
