// Project-wide scheme table and parameter columns, kept in "master.dir" and
// the strategy file between kernel calls.
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Scheme directory names: combination lines first, then the design schemes.
// A slot whose name begins with four blanks is not in use.
struct BLK23A_t {
    FArray<FString<24>, 9> LINENAME{};
    FArray<FString<24>, 9> SCHEMENAME = {"BASECASE Energy Efficien"};
};

// Combination held by each combination line; its decimal digits are the
// member schemes (136 = schemes 1, 3 and 6); 0 or less marks a free line.
struct BLK23B_t {
    FArray<INTEGER, 9> NCOMBO{};
};

// One integer per scheme slot, carried from file to file.
struct BLK23C_t {
    FArray<INTEGER, 9> SLOTCODE{};
};

// Design parameters: 310 per column; columns 1-9 the scheme slots, 10-18
// their back-up copies (column k+9 for scheme k).
struct BLK39_t {
    FArray<REAL, 310, 18> STRATEGY{};
};

// Kept by the project store from call to call (zero at load): the
// energy-cost table of the nine schemes, line 1-28 of an end use, scheme,
// unit column 1 dollars, 2 kBtu, 3 kWh, 4 lb CO2; and the filler character
// the summary file carries where it has filler.
struct AADISK_STATE_t {
    FArray<REAL, 28, 9, 4> ECOST{};
    FString<1> FILLER = "x";
};

extern BLK23A_t BLK23A;
extern AADISK_STATE_t AADISK_STATE;
extern BLK23B_t BLK23B;
extern BLK23C_t BLK23C;
extern BLK39_t BLK39;

static_assert(sizeof(BLK23A_t) == 18 * 24);
static_assert(sizeof(BLK39_t) == 310 * 18 * 4);

inline FArray<FString<24>, 9>& LINENAME = BLK23A.LINENAME;
inline FArray<FString<24>, 9>& SCHEMENAME = BLK23A.SCHEMENAME;
inline FArray<INTEGER, 9>& NCOMBO = BLK23B.NCOMBO;
inline FArray<INTEGER, 9>& SLOTCODE = BLK23C.SLOTCODE;
inline FArray<REAL, 310, 18>& STRATEGY = BLK39.STRATEGY;
inline FArray<REAL, 28, 9, 4>& ECOST = AADISK_STATE.ECOST;

// Columns of STRATEGY: 1-9 the schemes, 10-18 their back-up copies.
constexpr bool is_scheme_slot(INTEGER k) { return k >= 1 && k <= 9; }
constexpr bool is_strategy_column(INTEGER k) { return k >= 1 && k <= 18; }
// The column a scheme number works on: its own for the design slots, column
// 10 for the default scheme; combination numbers and library slots have none
// (columns 11 to 18 belong to other schemes' back-up copies). Column 10 is
// scheme 1's back-up column: the default scheme reads and writes scheme 1's
// back-up copy and has no column of its own.
constexpr bool has_scheme_column(INTEGER id) { return id >= 1 && id <= 10; }

}  // namespace mavo

#define MAVO_PROJECT_BLOCKS(X) \
    X(BLK23A)                  \
    X(BLK23B)                  \
    X(BLK23C)                  \
    X(BLK39)                   \
    X(AADISK_STATE)
