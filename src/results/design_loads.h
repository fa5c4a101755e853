// Design heat loss and peak cooling gain of the building.
#pragma once

namespace mavo {

// ASLOSS, HEATLOSS and the latent share of the peak cooling gain (BLK20),
// and the winter design air changes AirChgW (BLK35).
void ASHRAE();

}  // namespace mavo
