// Amounts a run must give, computed by the sweep itself from the run's own
// hourly purchases and the prices and factors the README publishes (the
// built-in tariffs of the data, the user's revised rates as the host wrote
// them, the emission factors of each utility and fuel).
#pragma once

#include "sweep/checker.h"

namespace mavo::sweep {

// Every simulated run of a scheme: its electricity bill (row 36), fuel bill
// (row 35) and emissions (rows 41, 42, 45 to 47, 61, 62), where the tariff
// billed is one the sweep can price; and the user's revised rates kept by
// the save of a run that billed them.
void check_amounts(Checker& k, const Run& r);

}  // namespace mavo::sweep
