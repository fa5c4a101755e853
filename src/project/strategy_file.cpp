// The strategy file: the 310 design parameters of the nine scheme slots
// ("stratb.dat" in binary form), its companion with the back-up columns
// ("stratb.bfr"), and the plain listing "strategy.txt".
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/project_store_jobs.h"
#include "project/record_walk.h"
#include "support/fortran_format.h"

namespace mavo {
namespace {

constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kStrategyRevision = 1;
constexpr INTEGER kStrategySecondWord = 310 * 9 * 4;  // bytes of nine columns
constexpr INTEGER kRowsOfRevision0 = 200;
constexpr BLK39_t kFreshColumns{};  // the columns of a fresh load

const char* strategy_name(INTEGER form) {
    switch (form) {
        case 1: return "strategy.dat";
        case 2: return "stratf.dat";
        default: return "stratb.dat";
    }
}

// Opens a strategy file (or its companion) of the project; false on failure.
bool open_strategy(const char* name, bool reading, INTEGER& revision) {
    BLK110B.FILENM_AADISK = name;
    DIR_BUILDPATH(kProjectDirectory, name);
    INTEGER id1 = IO_GETWORD4(5, 0, 4, kStrategyRevision), id2 = kStrategySecondWord, ierr = 0;
    IO_OPEN(BLK0B.DISKPROJ, reading ? 1 : 2, id1, id2, PATHTOFILE.view(), ierr);
    revision = reading ? IO_GETMSB4(id1) : kStrategyRevision;
    return ierr == 0;
}

// False when a file written on the unit did not land (its old file stays).
bool close_strategy() {
    INTEGER ierr = 0;
    IO_CLOSE(BLK0B.DISKPROJ, ierr);
    return ierr == 0;
}

// A load that found no file it could read: every column, copies included,
// starts from its initial values, as a new project's do, whatever this
// call wrote into them since its first load.
void fresh_columns() { std::construct_at(&BLK39); }

// The companion could not be read: the copy columns of the other schemes
// start from their initial values (the current scheme's copy is the column
// just loaded).
void fresh_copy_columns() {
    for (INTEGER k = 1; k <= 9; ++k) {
        if (k == IDNUM1) continue;
        for (INTEGER i = 1; i <= 310; ++i) STRATEGY(i, k + 9) = kFreshColumns.STRATEGY(i, k + 9);
    }
}

// Rows first..last of nine columns, column after column, each value handed
// to `at(row, column)` for its place in memory.
template <class Place>
void walk_rows(RecordWalk& w, INTEGER first, INTEGER last, Place at) {
    for (INTEGER k = 1; k <= 9; ++k)
        for (INTEGER i = first; i <= last; ++i) w.real(at(i, k));
}

// A strategy file short of its values: the columns hold what was read and
// zeros after it; the file is kept as it is (the record layer freezes the
// project's files for the run).
void report_short_file(INTEGER& inout) {
    if (record_load(BLK0B.DISKPROJ) != RecordLoad::Damaged) return;
    DBG_ERROR("error E108 in AADISK");
    inout = 0;
}

void load_columns(INTEGER& inout) {
    const bool own_column = is_scheme_slot(IDNUM1);
    if (own_column)
        for (INTEGER i = 1; i <= 310; ++i) STRATEGY(i, IDNUM1) = STRATEGY(i, IDNUM1 + 9) = 0.0f;

    INTEGER revision = 0;
    if (!open_strategy(strategy_name(READMODE), true, revision)) {
        DBG_ERROR("error E108 in AADISK");
        inout = 0;
        close_strategy();
        fresh_columns();
        return;
    }
    RecordWalk w(BLK0B.DISKPROJ, true);
    if (READMODE == 1) {
        // One record of all nine columns; a short or missing record is an error.
        if (!w.begin_record()) inout = 0;
        for (INTEGER k = 1; k <= 9; ++k)
            for (INTEGER i = 1; i <= 310; ++i) w.real(STRATEGY(i, k));
        w.end_record();
        if (own_column)
            for (INTEGER i = 1; i <= 310; ++i) STRATEGY(i, IDNUM1 + 9) = STRATEGY(i, IDNUM1);
    } else {
        // Reading a value into column k also copies it for the current scheme.
        auto at = [](INTEGER i, INTEGER k) -> REAL& { return STRATEGY(i, k); };
        auto copy_after = [&](INTEGER first, INTEGER last) {
            if (own_column)
                for (INTEGER i = first; i <= last; ++i) STRATEGY(i, IDNUM1 + 9) = STRATEGY(i, IDNUM1);
        };
        walk_rows(w, 1, kRowsOfRevision0, at);
        copy_after(1, kRowsOfRevision0);
        // No electric tariff chosen: the location counts as changed.
        if (has_scheme_column(IDNUM1) && STRATEGY(1, IDNUM1) <= 0.0f) mark_location_changed();
        if (revision >= 1) {
            walk_rows(w, kRowsOfRevision0 + 1, 310, at);
            copy_after(kRowsOfRevision0 + 1, 310);
        }
    }
    // A zone number carries no city digit.
    if (ZIPCODE <= 99.0f) ZIPCODE = std::trunc(ZIPCODE);

    if ((READMODE == 2 || READMODE == 3) && OSCODE != 1) {
        close_strategy();
        report_short_file(inout);
        INTEGER companion_revision = 0;
        if (!open_strategy(READMODE == 2 ? "stratf.bfr" : "stratb.bfr", true, companion_revision)) {
            DBG_ERROR("error E109 in AADISK");
            fresh_copy_columns();
        } else {
            // The companion holds every scheme's back-up column; the current
            // scheme's copy is the column just loaded.
            REAL discarded = 0.0f;
            auto at = [&](INTEGER i, INTEGER k) -> REAL& { return k == IDNUM1 ? discarded : STRATEGY(i, k + 9); };
            walk_rows(w, 1, kRowsOfRevision0, at);
            walk_rows(w, kRowsOfRevision0 + 1, 310, at);
            close_strategy();
            if (record_load(BLK0B.DISKPROJ) == RecordLoad::Damaged) DBG_ERROR("error E109 in AADISK");
        }
        return;
    }
    close_strategy();
    report_short_file(inout);
}

void save_columns(INTEGER& inout) {
    // A failed or unbillable run leaves no net costs behind.
    if (is_scheme_slot(IDNUM1) && (!NFLAG(80) || NFLAG(68) || NFLAG(67)))
        for (INTEGER i = 44; i <= 46; ++i) STRATEGY(i, IDNUM1) = 0.0f;

    INTEGER revision = 0;
    if (!open_strategy(strategy_name(WRITEMODE), false, revision)) {
        DBG_ERROR("error E108 in AADISK");
        inout = 0;
        close_strategy();
        return;
    }
    RecordWalk w(BLK0B.DISKPROJ, false);
    auto at = [](INTEGER i, INTEGER k) -> REAL& { return STRATEGY(i, k); };
    if (WRITEMODE == 1) {
        // One record of all nine columns, column after column.
        w.begin_record();
        walk_rows(w, 1, 310, at);
        if (!w.end_record()) inout = 0;
    } else {
        walk_rows(w, 1, kRowsOfRevision0, at);
        walk_rows(w, kRowsOfRevision0 + 1, 310, at);
        if (OSCODE != 1) {
            if (!close_strategy()) inout = 0;
            if (!open_strategy(WRITEMODE == 2 ? "stratf.bfr" : "stratb.bfr", false, revision)) {
                DBG_ERROR("error E109 in AADISK");
                inout = 0;
            } else {
                auto copy = [](INTEGER i, INTEGER k) -> REAL& { return STRATEGY(i, k + 9); };
                walk_rows(w, 1, kRowsOfRevision0, copy);
                walk_rows(w, kRowsOfRevision0 + 1, 310, copy);
            }
        }
    }
    if (!close_strategy()) inout = 0;
}

void listing_half(std::FILE* f, const char* title, INTEGER first_other) {
    std::fprintf(f, "%s\n", title);
    for (INTEGER K = 1; K <= 310; ++K) {
        std::string line = ffmt::I(K, 4) + ' ' + ffmt::F(STRATEGY(K, 1), 12, 4);
        for (INTEGER k = first_other; k < first_other + 4; ++k) line += ' ' + ffmt::F(STRATEGY(K, k), 12, 4);
        std::fprintf(f, "%s\n", line.c_str());
    }
}

// "strategy.txt": every row of the nine columns, scheme 1 beside the others.
void write_listing(INTEGER& inout) {
    DIR_BUILDPATH(kProjectDirectory, "strategy.txt");
    const std::string path = built_path();
    // A listing of what is in memory: written whole or not at all, but
    // never kept back, even while the project's data files are.
    std::FILE* f = unit_open_replacing(BLK0B.DISKPROJ, path.c_str(), "w", false);
    if (!f) {
        DBG_TRACE("AADISK:Error 101 invalid scheme");
        inout = 0;
        return;
    }
    listing_half(f, " K  Scheme(1) + Scheme(2)  Scheme(3)  Scheme (4)..etc", 2);
    listing_half(f, " K  Scheme(1) + Scheme(6)  Scheme(7)  Scheme (8)..etc", 6);
    if (!unit_close(BLK0B.DISKPROJ)) {
        DBG_ERROR("AADISK: strategy.txt could not be written whole; the old listing is kept");
        inout = 0;
    }
}

}  // namespace

void strategy_file_job(INTEGER& inout) {
    if (inout == -5) load_columns(inout);
    else save_columns(inout);
    write_listing(inout);
}

}  // namespace mavo
