// A designer's history: a chain of edits of scheme 1 or 2 with plain runs
// between, which must end where a new project given the final inputs at
// once ends.
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Whether case `c` draws a chain: a share of the cases, from a stream of
// its own, so that every other draw of the case stays as it was.
bool draws_chain(const Case& c);

// In a copy of the designed project `p` made in `side`: 2 to 6 edits of
// scheme 1 or 2, drawn over the rows and words a host writes (codes with
// a meaning, a few without one, and values that keep what the last run
// left), with plain runs between; after the last edit two plain runs agree
// and equal those of a new project (made in `fresh`) given the final
// inputs at once. A value that keeps what the last run left is given to
// the new project as the chain had it: the value before it, run once, then
// the value itself.
void chain_of_edits(Checker& k, const fs::path& p, const fs::path& side, const fs::path& fresh);

}  // namespace mavo::sweep
