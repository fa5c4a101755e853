// Internal gain and end-use energy of equipment and appliances.
#pragma once
#include "support/types.h"

namespace mavo {

// HEAT(14,HOUR,MONTH) (Btu/h), EQKWHR(HOUR,MONTH) (kWh) and EQFUEL(HOUR,MONTH)
// (Btu) of the hour, and the annual equipment and appliance totals of BLK5A
// and BLK5D. Non-residential mode: per-area loads of the building type plus
// the appliance table, each on its own hourly schedule; residential mode:
// annual appliance energy spread by the occupant profile and the monthly
// multiplier, with an other-electric load that brings the day's internal
// gains up to 20000 + 15 Btu per ft2 of floor. Totals count the calls with
// CYCLE at 24 or below.
void EQUIPT(INTEGER MONTH, INTEGER HOUR);

// True when the appliance totals hold gas at a site whose fuel cannot serve
// gas appliances: gas equipment (non-residential) or gas appliances
// (residential) above 0.002.
bool appliance_gas_recorded();

// The equipment loads a generated scheme (slot 1 or 2) takes in place of
// those its input file holds: another building's per-area loads of its type
// (scaled for the vintage design's year), a dwelling's appliances the
// defaults alone (its appliance table emptied). Other slots keep theirs.
void design_scheme_equipment_loads();

// A library slot of another building whose per-area loads are still those
// of `type_before`, the type its last run saved it as (its building
// description names it), takes the loads of the type typed in its place
// since: laid out from the type by that run or its copy, they follow the
// type, as a slot given the new type at once takes its. Loads of the
// slot's own are kept.
void retyped_slot_per_area_loads(INTEGER type_before);

// Whether the input file as loaded was saved by a dwelling's run: the peak
// gains of the gas and of the tenth-gain electric appliances are a
// dwelling's alone, and every run of another building leaves them 0. Read
// before the run's own equipment loads replace them, it tells a scheme just
// made another building from a house.
bool saved_by_a_dwellings_run();

}  // namespace mavo
