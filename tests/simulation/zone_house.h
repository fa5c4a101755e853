// A small house for hand-computed hours of the zone balance: 16000 ft3,
// 2000 ft2 on two stories, a lumped mass of 10000 Btu/F, an envelope of
// 400 Btu/h.F and 0.5 fixed air changes of infiltration, comfort band
// 68-78 F, hour 14 of July (occupied), counted (after the warm-up).
//
// With the infiltration load INFILT would have written, HEAT16 =
// Ginf x (Tout - 68), the balance's fixed point is independent of the
// outdoor temperature:
//   T = 68 + (HEAT17 + STOREL) / D,  D = TMASS + 2 TAIRIN + CLC + Ginf
// (the room air counts once as storage and once in the air correction).
#pragma once
#include <cmath>

#include "blocks/blocks.h"
#include "simulation/simulation.h"

namespace mavo::zone_test {

constexpr INTEGER kMonth = 7;
constexpr INTEGER kHour = 14;
constexpr double kAir = 0.018075;                       // Btu/ft3.F
constexpr double kTmass = 10000.0;                      // Btu/F
constexpr double kVolume = 16000.0;                     // ft3
constexpr double kClc = 400.0;                          // Btu/h.F
constexpr double kTairin = kVolume * kAir;              // 289.2 Btu/F
constexpr double kGinf = kVolume * 0.5 * kAir;          // 144.6 Btu/h.F
constexpr double kD = kTmass + 2 * kTairin + kClc + kGinf;  // 11123 Btu/F

// Ten duct runs (1000 ft2 footprint, two stories) through R 4.2 and two
// films: about 50.04 Btu/h.F.
inline double duct_conductance() { return 10 * 1.5708 * std::sqrt(1000 / 3.1416) / (4.2 + 1.4); }

// HEAT17 that lets the zone float to t_F from an empty store.
inline REAL heat_for_floating_at(double t_F) { return static_cast<REAL>((t_F - 68.0) * kD); }

inline void set_hour(INTEGER hour, REAL t_out_F, REAL heat17_btuh) {
    TEMP(hour) = t_out_F;
    DP(hour) = 40.0f;
    HEAT(16, hour, kMonth) = static_cast<REAL>(kGinf * (t_out_F - 68.0));
    HEAT(17, hour, kMonth) = heat17_btuh;
}

// Each scenario starts from fresh blocks.
inline void small_house(REAL t_out_F, REAL heat17_btuh) {
    reset_all_blocks();
    IDNUM1 = 1;
    NFLAG(24) = false;
    NFLAG(38) = false;
    NFLAG(45) = true;
    NFLAG(15) = true;
    AirChgW = 0.5f;
    VOLUME = VOLUMEAG = 16000.0f;
    AREAT = 2000.0f;
    FLOORS = 2.0f;
    for (INTEGER i = 1; i <= 27; ++i) AREA(i) = 0.0f;
    TMASS = 10000.0f;
    SURFA = 1.0f;
    CLC = 400.0f;
    STOREL = 0.0f;
    COMLOW = 68.0f;
    COMHI = 78.0f;
    TEMPIN = 68.0f;
    TLASTHR = 68.0f;
    CYCLE = -2.0f;
    TMON(kMonth) = kMonth;
    TMAX(kMonth) = 90.0f;
    TMIN(kMonth) = 60.0f;
    THEATMAX = 85.0f;
    PEOPLE = 4.0f;
    DuctInsul = 4.2f;
    TempPeakLow = 200.0f;
    TempPeakHigh = -200.0f;
    for (INTEGER r = 1; r <= 50; ++r) STRATEGY(r, 1) = 0.0f;
    STRATEGY(18, 1) = 2.0f;  // furnace
    STRATEGY(20, 1) = 2.0f;  // compressor air conditioner
    set_hour(kHour, t_out_F, heat17_btuh);
}

inline void run_hour(INTEGER hour = kHour) {
    INTEGER not_converged = 0;
    TSTORE(kMonth, hour, 1, not_converged);
}

// Fan and blower electricity of the hour without the attic fan, which the
// opaque envelope sets when the hour is recomputed.
inline double fans_kwh(INTEGER hour = kHour) { return KWHRFA(hour, kMonth) - KWHRattic; }

}  // namespace mavo::zone_test
