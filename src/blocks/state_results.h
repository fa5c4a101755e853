// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// CALC_CLC: heat capacity of one element of each of the six thermal-mass
// kinds, Btu/F, as the last call computed them (only traced outside).
struct CALC_CLC_STATE_t {
    FArray<REAL, 6> SMASS{};
};

// SUMUP: the member schemes of the last combination summed, in the order of
// the digits of its combination number, and their count.
struct SUMUP_STATE_t {
    FArray<INTEGER, 9> ZONEID{};
    INTEGER NOofZones = 0;
};

// BARHR: unit of the hourly bar chart's values, "BTU/HOUR" at a chart scale
// of 1, otherwise "BTU/SF/HR".
struct BARHR_STATE_t {
    FString<9> UNITLABEL{};
};

extern CALC_CLC_STATE_t CALC_CLC_STATE;
extern SUMUP_STATE_t SUMUP_STATE;
extern BARHR_STATE_t BARHR_STATE;

}  // namespace mavo

#define MAVO_STATE_RESULTS_BLOCKS(X) \
    X(CALC_CLC_STATE)                \
    X(SUMUP_STATE)                   \
    X(BARHR_STATE)
