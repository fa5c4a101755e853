// Simulation clock and zone constants.
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// Simulation clock.
struct BLK1D_t {
    REAL CYCLE = 0.0f;   // warm-up hours left; 288 (twelve days of 24 hours) at run start
    INTEGER IWHEN = 0;   // stamp of the hour: month*10000 + day*100 + hour
    INTEGER IWHEN1 = 0;  // first stamp of the trace window
    INTEGER IWHEN2 = 0;  // last stamp of the trace window
};

// Zone constants of the heat balance.
struct BLK26_t {
    REAL TMASS = 0.0f;   // heat capacity of the lumped mass, Btu/F
    REAL UAINF = 0.0f;   // conductance of the hour's infiltration air, Btu/h.F
    REAL SURFA = 0.0f;   // surface area of the mass, ft2
    REAL CLC = 0.0f;     // envelope conductance, Btu/h.F
    REAL STOREL = 0.0f;  // heat stored in the zone, carried from hour to hour, Btu
};

extern BLK1D_t BLK1D;
extern BLK26_t BLK26;

static_assert(sizeof(BLK1D_t) == 16);

inline REAL& CYCLE = BLK1D.CYCLE;
inline INTEGER& IWHEN = BLK1D.IWHEN;
inline INTEGER& IWHEN1 = BLK1D.IWHEN1;
inline INTEGER& IWHEN2 = BLK1D.IWHEN2;
inline REAL& STOREL = BLK26.STOREL;
inline REAL& CLC = BLK26.CLC;

}  // namespace mavo

#define MAVO_SIMULATION_BLOCKS(X) \
    X(BLK1D)                      \
    X(BLK26)
