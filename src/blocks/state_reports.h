// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>
#include <type_traits>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// The help table of "v7help.tbl" in memory, filled by FINDHELP and read by
// nobody else. Zero at library load. Two-byte words:
//   words   1-400  HELPFIRST
//   words 401-800  HELPSECOND
//   word  801      NHELP
struct BLK120_t {
    FArray<INTEGER2, 400> HELPFIRST{};   // first value of each help pair (a help topic number)
    FArray<INTEGER2, 400> HELPSECOND{};  // second value of each help pair
    INTEGER2 NHELP = 0;                  // number of pairs read (1 when the file gave none)
};

extern BLK120_t BLK120;

static_assert(std::is_standard_layout_v<BLK120_t> && sizeof(BLK120_t) == 801 * 2);
static_assert(offsetof(BLK120_t, HELPSECOND) == 400 * 2);
static_assert(offsetof(BLK120_t, NHELP) == 800 * 2);

inline FArray<INTEGER2, 400>& HELPFIRST = BLK120.HELPFIRST;
inline FArray<INTEGER2, 400>& HELPSECOND = BLK120.HELPSECOND;
inline INTEGER2& NHELP = BLK120.NHELP;

}  // namespace mavo

#define MAVO_STATE_REPORTS_BLOCKS(X) X(BLK120)
