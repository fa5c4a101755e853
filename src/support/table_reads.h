// Which cells of the climate-zone tables the runs read, the measure of how
// far the reference projects and the sweep reach those tables (README,
// "Reference results"). Counted only in a build configured with
// -DMAVO_TABLE_READS=ON; in every other build a table read is a plain read
// and nothing here costs anything.
#pragma once

#include "support/farray.h"
#include "support/types.h"

namespace mavo::table_reads {

#ifdef MAVO_TABLE_READS
// Notes that cell (row, zone) of `table` was read.
void note(const char* table, long row, long zone);
// Appends the cells this process read since its last flush, one line
// "table row zone" each, to the file MAVO_TABLE_READS_FILE names.
void flush();
#else
inline void note(const char*, long, long) {}
inline void flush() {}
#endif

// A climate-zone table read cell by cell, each read noted (instrumented
// builds only).
template <long Rows>
class CountedZoneTable {
public:
    CountedZoneTable(const FArray<REAL, Rows, 16>& cells, const char* name) : cells_(cells), name_(name) {}
    REAL operator()(long row, long zone) const {
        note(name_, row, zone);
        return cells_(row, zone);
    }

private:
    const FArray<REAL, Rows, 16>& cells_;
    const char* name_;
};

}  // namespace mavo::table_reads
