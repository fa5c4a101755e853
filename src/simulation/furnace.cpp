// Step 5 of the zone balance: the heating system holds the zone on its
// heating set point, with no capacity limit, in months mild enough to need
// it; this step finds the heat it adds in the hour and the blower
// electricity. The system's efficiency is applied by the annual energy.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

// Supply air of the furnace: 45 F above the room, so each cfm carries
// 0.018075 x 60 x 45 Btu/h.
constexpr REAL kHeatingBtuhPerCfm = 48.8025f;
constexpr REAL kWattsPerKilowatt = 1000.0f;
// A heating limit below this (F) was never set; it counts as "always".
constexpr REAL kLowestHeatingLimit_F = 33.0f;
constexpr REAL kAlwaysHeat_F = 85.0f;
// The ventilation test case with its lower limit at freezing or below has no
// heating.
constexpr REAL kTestCaseNoHeating_F = 32.0f;

// TAVG is the mean outdoor temperature of the month the hour stands for.
bool heating_season(const Hour& z) {
    if (THEATMAX < kLowestHeatingLimit_F) THEATMAX = kAlwaysHeat_F;
    return z.TAVG <= THEATMAX || THEATMAX >= kAlwaysHeat_F;
}

}  // namespace

Step furnace(Hour& z) {
    if (scheme_choice_magnitude(18) <= 1.0f || NHVACS == 0.0f || z.TEMPI >= z.SETLO) return Step::EndOfHour;
    if (!heating_season(z)) return Step::EndOfHour;
    if (NFLAG(46) && COMLOW <= kTestCaseNoHeating_F) return Step::EndOfHour;
    // Never heat in an hour that cooled, or while outdoor air is let in by
    // the fan or through open windows.
    if (z.HVACI > 0.0f || z.ARATE > 0.0f || z.AIRCHGNV > 0.0f || scheme_choice_magnitude(25) == 7.0f)
        return Step::EndOfHour;
    if (!(!z.CONVERGED || z.STOREI <= z.STOMIN || z.TEMPI <= z.SETLO)) return Step::EndOfHour;

    const REAL dti_F = z.SETLO - z.RTEMP;
    const REAL dto_F = z.SETLO - TEMP(z.IHOUR);
    z.ADDEDC = CLC * dti_F;
    z.STOREM = (TMASS + z.TAIRIN) * dti_F;
    // Infiltration, fresh air and open windows, all at the outdoor temperature.
    const REAL outdoor_air_btuhF = static_cast<REAL>(outdoor_air_streams(z).conductance_btuhF);
    z.ADDEDV = outdoor_air_btuhF * dto_F + z.HEAT16 + z.TAIRIN * dti_F;
    z.HVACI = z.HEAT17 - z.ADDEDC - z.ADDEDV - (z.STOREM - STOREL);
    z.TEMPIO = z.TEMPI;

    if (z.HVACI <= 0.0f) {
        z.CONVERGED = true;
        z.STOREI = z.STOREM;
        z.CFMHVAC = wCFMhvac > 0.0f ? -z.HVACI / kHeatingBtuhPerCfm : 0.0f;
        z.KWHRHVAC = wCFMhvac > 0.0f ? std::max(0.0f, z.CFMHVAC * wCFMhvac / kWattsPerKilowatt) : 0.0f;
        z.TEMPI = z.SETLO;
        return Step::EndOfHour;
    }
    // The zone would stay above the set point without heat: nothing
    // settled here.
    z.HVACI = 0.0f;
    z.CONVERGED = false;
    DBG_INT("iwhen NOT Converged Module 5. Furnace", IWHEN);
    DBG_FLOAT("TSTORE Module 5 TEMPI", z.TEMPI);
    DBG_FLOAT("TSTORE Module 5 SETLO", z.SETLO);
    DBG_FLOAT("TSTORE Module 5 STOREI", z.STOREI);
    return Step::EndOfHour;
}

}  // namespace zone
}  // namespace mavo
