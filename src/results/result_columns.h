// Which columns of the parameter and summary tables the result procedures
// may use for the current scheme number.
#pragma once
#include "blocks/blocks.h"
#include "front/scheme_numbers.h"

namespace mavo {

// A parameter code of the current scheme. A combination number (11 and up)
// has no parameter column of its own (columns 11 to 18 hold other schemes'
// back-up copies): it reads its leading member's, the building the run has
// loaded for it. Any other number reads every code as 0 (none).
inline REAL scheme_code(INTEGER row) {
    const INTEGER slot = serving_slot(IDNUM1);
    return slot > 0 ? STRATEGY(row, slot) : 0.0f;
}

// Summary columns a scheme's results may go to: the scheme slots 1 to 9,
// the default scheme 10 and the combination-line columns 10 to 18. Column 19
// is the difference of two schemes and belongs to no scheme. k is a column,
// not a scheme number: a scheme number has its own column only when
// has_scheme_column says so, and a combination number's column is that of
// the line holding it, 9 + line (columns 11 to 18 named by a raw number are
// other schemes' back-up copies).
constexpr bool is_result_column(INTEGER k) { return k >= 1 && k <= 18; }

// The summary column of a scheme number: its own for the slots 1 to 10,
// 9 + the line that holds a combination number; 0 when it has none.
inline INTEGER summary_column(INTEGER id) {
    if (has_scheme_column(id)) return id;
    const INTEGER line = combination_line(id);
    return line > 0 ? 9 + line : 0;
}

}  // namespace mavo
