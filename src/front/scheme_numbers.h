// Scheme numbers: a slot 1 to 9 (10 the default scheme) or a combination
// number whose decimal digits name its member schemes (35 = schemes 3, 5).
#pragma once
#include "support/types.h"

namespace mavo {

// Peels the leading digit off ID: NDIGIT the digit, NPOW the number of
// digits less one, ID the remainder. ID below 1 gives NDIGIT 0, NPOW -1.
void STRIPR(INTEGER& ID, INTEGER& NDIGIT, INTEGER& NPOW);
// Is the slot or combination ID in use? ID := 0 when not; ISLOT the
// combination line holding ID.
void CHECKR(INTEGER& ID, INTEGER& ISLOT);

// The combination line (1 to 9) that holds the combination number and is in
// use (named), 0 when none does. Unlike CHECKR it never answers with a line
// that does not hold the number.
INTEGER combination_line(INTEGER number);
// The leading member of a combination number (11 and up): its leading
// digit, whose command slot carries the combination's commands. Scheme
// slots lead themselves; 0 for anything else.
INTEGER leading_member(INTEGER id);
// Whether member `digit` of a combination adds anything to it: a design
// slot whose summary column holds simulated days. An erased slot named
// again, or a slot whose run simulated nothing, holds none, though its
// results file may still hold an earlier design's.
bool member_holds_results(INTEGER digit);
// The member scheme a combination number is served by: its leading member,
// or, when that holds no results, the first member that does. A
// combination has no parameter column or input file of its own; the
// serving member's building stands for it in the blocks. Scheme slots
// serve themselves; 0 for anything else.
INTEGER serving_slot(INTEGER id);
// The slot whose STRATEGY row 2 holds the host's command for a scheme
// number: a scheme slot's own, a combination's leading member's; 0 for the
// default and library slots, which carry no command.
INTEGER command_slot(INTEGER id);

// The host's command waiting for scheme number id: row 2 of its command
// slot, 0 where it has none.
REAL pending_command(INTEGER id);
// What the run of scheme number id does on its command: the command itself,
// but for the two base schemes, where 340 and above design (scheme 1 the
// code minimum; scheme 2 the efficient design, or the vintage design of a
// building older than the code, which 246 to 339 ask of scheme 2 too).
INTEGER command_of_scheme(INTEGER id);

}  // namespace mavo
