// Climate, solar and envelope physics: the weather file and the site, the
// default tariffs of the site, the model defaults.
#pragma once
#include "physics/line_parser.h"
#include "support/types.h"

namespace mavo {

// Opens the scheme's weather file on the weather unit, derives the site and
// climate from it (time zone, latitude, degree days, design temperatures,
// daily and monthly temperatures, ground temperatures, climate zone), settles
// the default tariffs, and leaves the file open on the first hourly record of
// the simulated period with NFLAG(80) telling whether the data are valid.
// Falls back once to the climate-zone text file of zone 9.
void FINDTMY();

// The electric and gas tariff choices STRATEGY(1,k) and STRATEGY(3,k) of the
// current scheme, the rate zones in force and the heating fuel, from the
// building mode, the site (California or not, climate zone, zip-code record)
// and the rate flags the user set.
void default_tariffs_and_fuel_of_the_site();

// Whether an electric tariff choice (row 1 of a column) names a tariff a
// building of the current mode is billed on by that row itself, whatever
// its site: a dwelling's single flat rate (7), a non-residential
// building's time-of-use and flat tariffs (11 to 17). A dwelling's other
// choices only name its site's utility.
bool electric_choice_billed_by_its_row(REAL choice);

// Model defaults: envelope glazing areas, percentages and properties per
// facade, internal loads, and the daylit, interior and skylit zones.
void AVERAG();

// The occupants of a dwelling: its floor area over the floor area per
// occupant (none without that area).
REAL dwelling_occupants();

// A dwelling's whole-building fresh air, cfm: 0.01 cfm per ft2 of floor plus
// 7.5 cfm per occupant (ASHRAE 62.2-2010, eq. 4.1a).
REAL dwelling_fresh_air_cfm(REAL occupants);

// The internal loads AVERAG gives a non-residential scheme from the table
// of its building type (for the design slots 1 and 2: occupants, their
// heat, lighting power, the equipment marker 7777 and the peak).
void nonresidential_type_loads();

// Hourly heat flows of the envelope for month MONTH and hour IHOUR: glazing
// (components 1-5 of HEAT and the hour's daylight by facade), opaque surfaces
// (components 6-12 and the attic fan's electricity), infiltration and
// ventilation (component 16).
void GLAZED(INTEGER MONTH, INTEGER IHOUR);
void OPAQUE(INTEGER MONTH, INTEGER IHOUR);
void INFILT(INTEGER MONTH, INTEGER IHOUR);

}  // namespace mavo
