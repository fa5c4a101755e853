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

}  // namespace mavo
