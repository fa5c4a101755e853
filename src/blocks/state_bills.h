// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Kept by the bill computation COST. The hour lists are rebuilt only when a
// time-of-use tariff is selected; any other call bills with the lists of the
// last selection (zeros before any: such hours cost nothing).
struct COST_STATE_t {
    FArray<INTEGER, 24> TOUSLIST{};  // period code 1-4 of each hour of a summer day; 0 = none
    FArray<INTEGER, 24> TOUWLIST{};  // period code 1-4 of each hour of a winter day; 0 = none
    FArray<REAL, 5> COSTX{};         // the month's cost of tiers 1-5 for the days billed, $
};

extern COST_STATE_t COST_STATE;

inline FArray<INTEGER, 24>& TOUSLIST = COST_STATE.TOUSLIST;
inline FArray<INTEGER, 24>& TOUWLIST = COST_STATE.TOUWLIST;
inline FArray<REAL, 5>& COSTX = COST_STATE.COSTX;

}  // namespace mavo

#define MAVO_STATE_BILLS_BLOCKS(X) X(COST_STATE)
