// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// LIBARY: the operand list of the library commands, the combination lines
// found to hold the scheme last erased, and the month list of the re-read
// command. All start empty and keep what the last call left.
struct LIBARY_STATE_t {
    // Operands: entry 1 is set at every host command (the slot operand);
    // entries 2-12 are read as further members of a new combination and as
    // the month numbers of a re-read (a value below -998 ends that list).
    FArray<INTEGER, 12> TESTC{};
    FArray<INTEGER, 9> NERSLN{};  // combination lines (1-9) holding the erased scheme, 0 unused
    // Twelve 4-character month names ("JAN " .. "DEC ", blanks for none) of
    // the months chosen for a re-read.
    FString<48> MONTHLIST{};
};

extern LIBARY_STATE_t LIBARY_STATE;

static_assert(sizeof(LIBARY_STATE_t) == (12 + 9) * 4 + 48);

inline FArray<INTEGER, 12>& TESTC = LIBARY_STATE.TESTC;
inline FArray<INTEGER, 9>& NERSLN = LIBARY_STATE.NERSLN;

}  // namespace mavo

#define MAVO_STATE_TRANSFER_BLOCKS(X) X(LIBARY_STATE)
