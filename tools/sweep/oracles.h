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

// After a run of the case's project: remembers what the slot it ended on
// bought (or forgets an erased slot), then every line whose members all
// hold a year of results this case metered is billed, electricity and
// fuel, on its leading member's tariff at that member's site (and on the
// rates it keeps) for the members' summed hourly purchases, as from one
// meter.
void check_line_bills(Checker& k, const Run& r, REAL command, INTEGER second);

// A slot with collectors or an array, run again without them (in a copy of
// project `p` made in `side`): the collectors' rows are the heater's energy
// they save, priced at the run's mean prices; the array's output is the
// electricity bought less.
void check_solar_savings(Checker& k, const fs::path& p, const fs::path& side, const Run& with);

}  // namespace mavo::sweep
