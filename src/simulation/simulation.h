// Hourly building simulation.
#pragma once

namespace mavo {

void CALCS();

}  // namespace mavo
