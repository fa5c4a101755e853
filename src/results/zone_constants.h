// Zone constants of the one-node heat balance, derived before the year.
#pragma once

namespace mavo {

// Envelope conductance CLC, thermal-mass capacity TMASS and mass surface
// SURFA (BLK26), and the envelope's SurfaceRatio (BLK35).
void CALC_CLC();

}  // namespace mavo
