// Names of the per-scheme files: a base name picked by the scheme slot, a
// suffix picked by the record form and the file kind, a directory picked by
// the slot.
//   readers:  slots 1-9 "scheme1".."scheme9", 10 "scheme0" (IDNUM1 0),
//             11-13 "schem01".."schem03" (IDNUM1 -1..-3)
//   writers:  slots 1-10 only, always into the project directory
//   suffixes: input ".dat" "f.dat" "b.dat", results ".het" "f.het" "b.het",
//             input copy (none) "f.bfr" "b.bfr" for forms 1, 2, 3
#pragma once
#include "support/types.h"

namespace mavo {

enum class SchemeFile { Input, Results, InputCopy };

// Builds PATHTOFILE for reading the scheme file of scheme number `id`
// (IDNUM1 unless given: 1-13 the slot itself, 0 and below slot 10 - id)
// with READMODE. False when the number names no slot of the readers' table
// (below -3 or above 13): nothing is built then.
bool build_scheme_read_path(SchemeFile kind);
bool build_scheme_read_path(SchemeFile kind, INTEGER id);
// Builds PATHTOFILE for writing the scheme file of IDNUM1 with WRITEMODE.
// False when the writer has no name for IDNUM1 (the input-file writer serves
// slots 1 to 10, the results-file writer 0 to 10) or the form has no file of
// this kind (an input copy in unformatted form).
bool build_scheme_write_path(SchemeFile kind);

}  // namespace mavo
