// The jobs of the project store that live in their own files. Each takes
// the call's copy of INOUT and sets it to 0 on an error, which ends the
// call's file work.
#pragma once
#include "support/types.h"

namespace mavo {

// Strategy file: load (-5) or save (6), then the listing "strategy.txt".
void strategy_file_job(INTEGER& inout);
// Site lookup in "zipcodes.sce" (-4).
void zip_code_job(INTEGER& inout);

}  // namespace mavo
