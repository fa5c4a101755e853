// Design heat loss and peak cooling gain of the building.
#pragma once

namespace mavo {

// ASLOSS, HEATLOSS and the latent share of the peak cooling gain (BLK20),
// and the winter design air changes AirChgW (BLK35).
void ASHRAE();

// Sets AirChgW to this building's winter design air changes before the
// year, unless the user fixed them: a house without a fresh-air fan or
// without occupants gets them every hour, and they must be this run's, not
// those the last design-load calculation saved with the scheme.
void settle_winter_design_air_changes();

}  // namespace mavo
