// The walks of the scheme input and results files in the layout of a given
// format revision, into the file PATHTOFILE names. The writers use the
// newest revision; older layouts are what files of earlier program versions
// hold, which the readers still take (the input file's gated groups also
// need the stamp DATSTAMP of 5700).
#pragma once
#include "support/types.h"

namespace mavo {

void write_scheme_input_layout(INTEGER revision);
void write_results_layout(INTEGER revision);

}  // namespace mavo
