// Shared scratch: the line-parser buffers and the record-file layer's
// string buffers.
#pragma once
#include <cstddef>
#include <string>
#include <type_traits>

#include "blocks/block_export.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Line buffer of the comma-separated parser, and the material-name scratch
// of the thermal-mass lookup (its first word also carries the erase marker
// from the results-file reader to the library operations). It is also the
// name buffer of the host: before a call the host leaves in its first 24
// characters the name of a scheme or combination line, or in its first 48
// the months of a re-read as twelve 4-character words.
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

// What the host left in the name buffer at the call's entry (its first 48
// characters), kept by the front for the library step: by the time a
// library command is served the buffer has carried a mass material and the
// weather file's lines.
struct HOSTTEXT_t {
    FString<48> ENTRYTEXT{};
};

// One process-wide instance, exported under its own name for the host.
extern "C" MAVO_HOST_VISIBLE BLK27A_t BLK27A;
extern BLK27B_t BLK27B;
extern HOSTTEXT_t HOSTTEXT;
extern IOBUF_t IOBUF;

static_assert(std::is_standard_layout_v<BLK27A_t> && sizeof(BLK27A_t) == 258);
static_assert(offsetof(BLK27A_t, TEXTLINE) == 8);
static_assert(sizeof(BLK27B_t) == (108 + 180) * 4);

inline FString<8>& MATNAME = BLK27A.MATNAME;
inline FString<250>& TEXTLINE = BLK27A.TEXTLINE;
inline FArray<INTEGER, 108>& ISTPOS = BLK27B.ISTPOS;
inline FArray<REAL, 180>& FIELDVALS = BLK27B.FIELDVALS;

// The first n characters of BLK27A read as one text, MATNAME then
// TEXTLINE, as the host fills the name buffer.
inline std::string name_buffer_text(std::size_t n) {
    std::string text(MATNAME.view());
    text += TEXTLINE.view();
    return text.substr(0, n);
}

}  // namespace mavo

#define MAVO_SCRATCH_BLOCKS(X) \
    X(BLK27A)                  \
    X(BLK27B)                  \
    X(HOSTTEXT)                \
    X(IOBUF)
