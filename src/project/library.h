// Library commands of the host (LIBARY, declared with the other procedures
// of the project files). The host writes 200 + the operation number into the
// current scheme's command slot STRATEGY(2,IDNUM1) and the operand, where
// one is needed, into IDNUM2; the name for a new line or a renamed scheme
// goes into the first 24 characters of the parser's line buffer (BLK27A).
#pragma once
#include <string_view>

#include "support/farray.h"
#include "support/types.h"

namespace mavo::library_command {

inline constexpr INTEGER kCopy = 201;           // current scheme into slot IDNUM2 (else 2)
inline constexpr INTEGER kSelectDefault = 202;  // select slot 10, held by a line
inline constexpr INTEGER kShowResults = 203;    // stored results of the current scheme or line (also 213, 214)
inline constexpr INTEGER kCombine = 204;        // a combination of the member list on a free line
inline constexpr INTEGER kErase = 205;          // scheme or combination IDNUM2
inline constexpr INTEGER kSelect = 206;         // select and load scheme IDNUM2 (also 215, 216)
inline constexpr INTEGER kName = 208;           // name the scheme or line of the operand
inline constexpr INTEGER kReread = 209;         // re-read a scheme for a new choice of months
inline constexpr INTEGER kCompare = 212;        // second scheme of a comparison (also 217)

}  // namespace mavo::library_command

namespace mavo {

// The value that ends a month list of fewer than twelve months.
inline constexpr INTEGER kEndOfMonthList = -999;

// The members an operand of a new combination lists, one per decimal digit
// in the order given (135: schemes 1, 3 and 5), the rest of the list 0.
// False, with an empty list, when a digit is 0 or repeats.
bool member_list(INTEGER operand, FArray<INTEGER, 12>& list);
// The month (1-12) a 4-character word of a month list names ("MAR ", in
// any case); 0 for none.
INTEGER month_of_word(std::string_view word);
// The months the 4-character words of a month list name, in the list's
// order and ended by kEndOfMonthList; words that name no month are passed
// over. Returns how many months it found.
INTEGER month_numbers(std::string_view month_list, FArray<INTEGER, 12>& list);

// Empties the column of combination line `line` (1-9): a line that holds
// no combination any more, or whose members' results no longer add up,
// shows nothing of one.
void clear_line_column(INTEGER line);

// Fills the column of the line that holds the combination number IDNUM1
// from its members' results, which FIND1 has read and added into the
// blocks. False, with the column emptied, when no line holds the number or
// the members' results do not add up.
bool fill_combination_column();

// After a run of scheme `scheme` (1-9) has saved its results: every line
// that holds it sums its members' results again, or is emptied when they
// no longer add up. Nothing else of the run's blocks changes.
void sum_lines_holding(INTEGER scheme);

}  // namespace mavo
