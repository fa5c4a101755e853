// A designer's history: a chain of edits of schemes 1, 2 and library slots
// with plain runs, copies and designs between, which must end where a new
// project given its inputs at once ends.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Whether case `c` draws a chain: a share of the cases, from a stream of
// its own, so that every other draw of the case stays as it was.
bool draws_chain(const Case& c);

// In a copy of the designed project `p` made in `side`: 2 to 6 steps, each
// a save of one to three edits of scheme 1 or 2 or of a library slot,
// drawn over the rows, words and line words a host writes (codes with a
// meaning, a few without one, values that keep what the last run left, a
// move, the switch to another building or back), now and then a set of
// edits that must end in one save where they end one run apart (a year
// built with a window group past the last line and its transmittance, a
// year built across 2013, a line's glass emptied with its group made a
// skylight), given in one save or one at a time with runs between, or a
// command between edits (a copy into or out of the scheme edited, a
// design of scheme 1 or 2), with plain runs between; after the last step two plain runs agree
// and equal those of a new project (made in `fresh`) given the chain's
// inputs at once: its commands in their order, each scheme's edits
// between two of them in one save. A value that keeps what the last run
// left is given to the new project as the chain had it: the value before
// it, run once, then the value itself.
void chain_of_edits(Checker& k, const fs::path& p, const fs::path& side, const fs::path& fresh);

}  // namespace mavo::sweep
