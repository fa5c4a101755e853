// The record-file layer shared by every project data file (summary,
// strategy, scheme input, scheme results and schedule files): one value per
// record, in one of three forms chosen per direction for the whole run
// (READMODE, WRITEMODE):
//   1 unformatted: each record framed by its byte length before and after
//   2 formatted:   one text line per value (I11, I6, E14.7, L1, N characters)
//   3 binary:      the values' bytes back to back
// Formatted and binary files begin with the magic "VOR7", a version word and
// a second word. Writers use this machine's byte order; a binary file whose
// magic reads reversed is read with every number's bytes reversed.
// Failures never stop the run: an open reports IERR = 1, a read gives zero,
// and each failure writes one trace line.
// A file is written beside the one it replaces and put in its place (in a
// run: with the run's other files) only when every value and the close
// itself were written; otherwise the old file stays and IO_CLOSE reports
// IERR = 1. A file that exists but cannot be loaded whole (not a record
// file, unreadable, empty, short of the values its reader asks for, or
// holding a real that is not a finite number, which reads as a failed
// read) counts as damaged: the run keeps it as it is and saves no project file
// after it (see front/units.h).
#pragma once
#include <string_view>

#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// MODE 1 reads (ID1, ID2 read back from the header), anything else writes.
void IO_OPEN(INTEGER UNIT, INTEGER MODE, INTEGER& ID1, INTEGER& ID2, std::string_view NAME, INTEGER& IERR);
void IO_CLOSE(INTEGER UNIT, INTEGER& IERR);
void IO_REWIND(INTEGER UNIT, INTEGER& IERR);

void IO_WINT4(INTEGER UNIT, INTEGER IVAL);
void IO_RINT4(INTEGER UNIT, INTEGER& IVAL);
void IO_WINT2(INTEGER UNIT, INTEGER2 IVAL);
void IO_RINT2(INTEGER UNIT, INTEGER2& IVAL);
void IO_WREAL(INTEGER UNIT, REAL RVAL);
void IO_RREAL(INTEGER UNIT, REAL& RVAL);
// Reads one real's record and discards it, whatever its bits: a word the
// file carries for compatibility, or one a reader steps over.
void skip_real(INTEGER UNIT);
void IO_WLOGICAL(INTEGER UNIT, LOGICAL LVAL);
void IO_RLOGICAL(INTEGER UNIT, LOGICAL& LVAL);
// N characters of STR (at most the 90 of the layer's buffer).
void IO_WSTRING(INTEGER UNIT, std::string_view STR, INTEGER N);
// N characters into the layer's read buffer; STR receives the buffer's first
// characters (blank beyond the buffer).
void IO_RSTRING(INTEGER UNIT, char* STR, std::size_t STR_LEN, INTEGER N);
template <std::size_t M>
void IO_RSTRING(INTEGER UNIT, FString<M>& STR, INTEGER N) {
    IO_RSTRING(UNIT, STR.c, M, N);
}

// Version word from four bytes, B0 least significant.
INTEGER IO_GETWORD4(INTEGER B0, INTEGER B1, INTEGER B2, INTEGER B3);
// Most significant byte of a version word as a signed value (the revision).
INTEGER IO_GETMSB4(INTEGER W);
// -1 on a little-endian machine, 1 on a big-endian one.
INTEGER IO_GETENDIAN();
INTEGER IO_SWAP4(INTEGER& V);
INTEGER2 IO_SWAP2(INTEGER2& V);

// Unformatted files may hold several values in one record: between these
// two calls the typed reads and writes of the unit take their bytes from one
// record (read whole at the begin) or gather them into one (written at the
// end). In the other forms the calls change nothing. The begin reports a
// record that could not be read, the end a failed write.
bool record_group_begin(INTEGER UNIT, bool reading);
bool record_group_end(INTEGER UNIT);

// Values that could not be read from, or written to, the unit since its
// file was opened.
INTEGER record_read_errors(INTEGER UNIT);
INTEGER record_write_errors(INTEGER UNIT);

// How the last load on a unit went: the file read whole (so far), missing
// (no file: a reader goes on as for a new project), or damaged (not a
// record file, unreadable, empty, or short of the values asked for).
// Settled by IO_OPEN and, for the values read, by IO_CLOSE.
enum class RecordLoad { Whole, Missing, Damaged };
RecordLoad record_load(INTEGER UNIT);

// The next load on UNIT is of derived data that its reader rebuilds when
// the file is missing or damaged: the damage is traced and told by
// record_load, and does not freeze the project's files.
void record_load_rebuildable(INTEGER UNIT);

// The magic "VOR7" as this machine reads its four bytes.
INTEGER record_file_magic();

}  // namespace mavo
