// Shared scratch: the line-parser buffers and the record-file layer's
// string buffers.
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Line buffer of the comma-separated parser, and the material-name scratch
// of the thermal-mass lookup (its first word also carries the erase marker
// from the results-file reader to the library operations).
struct BLK27A_t {
    FString<8> MATNAME{};
    FString<250> TEXTLINE{};  // the line to parse, columns separated by commas
};

// Parser lists. Also integer work space of the chart and library routines
// between uses of the parser, so a caller always sets ISTPOS first.
struct BLK27B_t {
    FArray<INTEGER, 108> ISTPOS{};   // wanted column numbers, ascending
    FArray<REAL, 180> FIELDVALS{};   // FIELDVALS(j) belongs to ISTPOS(j); -999.99 = missing
};

// String buffers of the record-file layer: a string read with fewer
// characters than before keeps the tail of the earlier read.
struct IOBUF_t {
    FString<90> READBUF{};
    FString<90> WRITEBUF{};
};

extern BLK27A_t BLK27A;
extern BLK27B_t BLK27B;
extern IOBUF_t IOBUF;

static_assert(sizeof(BLK27A_t) == 258);
static_assert(sizeof(BLK27B_t) == (108 + 180) * 4);

inline FString<8>& MATNAME = BLK27A.MATNAME;
inline FString<250>& TEXTLINE = BLK27A.TEXTLINE;
inline FArray<INTEGER, 108>& ISTPOS = BLK27B.ISTPOS;
inline FArray<REAL, 180>& FIELDVALS = BLK27B.FIELDVALS;

}  // namespace mavo

#define MAVO_SCRATCH_BLOCKS(X) \
    X(BLK27A)                  \
    X(BLK27B)                  \
    X(IOBUF)
