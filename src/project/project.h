// Project data and scheme files: the project store, the scheme input,
// results and schedule files, library operations and design transfer.
#pragma once
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

void AADISK(INTEGER INOUT);
void FIND2();
// The design kind (flags 8 and 9) a load of a scheme's input file gives the
// house: an existing building's (remodel or addition) second scheme is its
// vintage design, a new house's own scheme the efficient kind.
void design_kind_of_saved_house();
// The footprint RAX of a design scheme (slots below 3), whose plan the
// generator lays out story by story: one story of its floor area, AREAT /
// FLOORS. Worked out on every load of the input file and again when the
// parameter column puts its area and stories in force, so that the run
// after an edit of either has the roof its re-runs have. False (RAX kept)
// for another scheme, or a building without a story.
bool footprint_of_design_scheme();
// The cooling COP a load of the scheme input file gives back for `cop`: the
// file stores SEER (COP x 3.412), and the division on loading need not
// return the float that was multiplied.
REAL cooling_cop_as_saved(REAL cop);
// The weather file named in scheme `slot`'s saved input file; blank when
// the file cannot be read whole. The blocks are left as they were.
FString<12> saved_weather_file_name(INTEGER slot);
// Whether scheme `slot`'s saved input file keeps the user's revised
// electric rates (flag 82); false where it has none to read.
bool saved_on_revised_electric_rates(INTEGER slot);
void KEEP2(INTEGER KEEPMODE);
void FINDSCHED();
void KEEPSCHED();
void FIND1();
// The site words (zip code, climate zone, the tariff in force) that a run
// of scheme `slot` takes from its stored results, without the rest of them.
void take_stored_site(INTEGER slot);
void KEEP1();
void FINDFLAG(INTEGER N);
// Whether the stored results of the schemes named by the digits of
// `combination` can be added up as FIND1 adds them: all over the same days
// (one run length, the same months, twelve days from the same first day)
// and of one data source. The run's flags are left as they were.
bool members_add_up(INTEGER combination);
void REVISION(INTEGER NTASK);
// The window groups of the current scheme's column laid out anew from the
// model's lines as the scheme's own save lays them out (step 9 to 11 of
// REVISION task 3), the column's other rows left as they are.
void window_groups_from_lines();
// The rate zones of climate zone `zone`'s own line of the zip-code table
// (the line a site given as that zone number takes) as the site's record
// zones, and for a dwelling as the zones in force. False, with nothing
// changed, when the table has no such line.
bool take_climate_zone_line_rate_zones(INTEGER zone);
// The default location becomes the current scheme's site (of both schemes 1
// and 2, which share theirs): its zip code into the column, the location
// marked as changed, so that the run takes that site in as a move there.
void keep_default_location_as_site();
// The rate zones of the default location's own line: the tariff step that
// follows reads them, and the zones of the site before would bill a
// building on that site's utility.
void take_default_location_rate_zones();
void LIBARY();

}  // namespace mavo
