// The solar domestic hot-water system of a scheme, which is also the model
// of its water heater: flat-plate collectors on one mixed solar tank, the
// hourly draw tempered to the set point, heat dumped above the tank maximum,
// and an auxiliary heater that lifts the delivered water to the set point.
#pragma once
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Solar water heating of the current scheme after its simulated year: sizes
// and repairs slot 2 of the solar-system record, chooses the auxiliary
// arrangement from the water-heater type, runs the days the simulation ran
// (the year, or the twelve representative days at their dates) and folds
// them into SHW(24,12), WHENER(24,12) and SUMARY rows 64, 74 (the energy the
// collectors displace: the heater's use without them less its use with
// them) and 80 (65 and 75 cleared). Runs only while NFLAG(54) is set on
// entry. The weather year of BLK51 is read, never changed.
void SDHWCALC();

// One run of the hot-water system over the hours simStart..simEnd.
// SI units: C, kJ per hour, W, liters, m2; radiation in kJ/m2 per hour.
//   collArea       area of one collector (0 = no collectors), m2
//   FrUL           W/m2.K, positive; collAz degrees, reduced by 360 above 180
//   timeFlag       solar-time switch of the tilted-plane radiation
//   tTankLoss      temperature around the tanks; tMains(12) by month
//   LPD            liters per occupant and day; fHourly(24) multipliers of
//                  the mean hourly draw LPD / 24
//   auxType        1 split tank, 2 in-line electric, 3 in-line gas,
//                  4 electric second tank, 5 fuel second tank,
//                  6 electric without solar, 7 fuel without solar
//   EF, RE, P_W, vTank            the solar tank; EF_aux above 1 a COP;
//                                 a burner (auxType 3, 5, 7) burns the heat
//                                 it delivers / RE_aux plus its standby loss
//   errFlag, errMessage           0, or -1 and the reason
//   qSolar .. qFuel               kJ per hour; tTank F, written only when
//                                 the run reaches hour 8760
void SDHWMAIN(REAL8 collArea, REAL8 FrTA, REAL8 FrUL, REAL8 collSlope, REAL8& collAz, INTEGER simStart,
              INTEGER simEnd, REAL8 latitude, REAL8 longitude, INTEGER tmzone, INTEGER timeFlag,
              const FArray<REAL8, 8760>& drctNormal, const FArray<REAL8, 8760>& totHoriz,
              const FArray<REAL8, 8760>& tAmb, const FArray<REAL8, 8760>& wndSpd, INTEGER nColls, REAL8 tTankLoss,
              const FArray<REAL8, 12>& tMains, REAL8 LPD, const FArray<REAL8, 24>& fHourly, INTEGER nOccs,
              REAL8 tSet, REAL8 tMax, INTEGER auxType, REAL8 EF, REAL8 RE, REAL8 P_W, REAL8 vTank, REAL8 EF_aux,
              REAL8 RE_aux, REAL8 P_W_aux, REAL8 vAux, INTEGER& errFlag, FString<1000>& errMessage,
              FArray<REAL8, 8760>& qSolar, FArray<REAL8, 8760>& qTank, FArray<REAL8, 8760>& qLoad,
              FArray<REAL8, 8760>& qDump, FArray<REAL8, 8760>& qAux, FArray<REAL8, 8760>& qFuel,
              FArray<REAL, 8760>& tTank);

namespace solarwater {

// Standby loss coefficient of a storage water heater from its rated energy
// factor, recovery efficiency and input (the DOE test-procedure relation of
// the WHAM model, Lutz et al. 1999), W/K; valid = false when the ratings
// give no positive coefficient.
struct LossCoefficient {
    double ua_WK = 0.0;
    bool valid = false;
};
LossCoefficient rated_tank_loss_coefficient(double energy_factor, double recovery_efficiency, double input_W);

}  // namespace solarwater
}  // namespace mavo
