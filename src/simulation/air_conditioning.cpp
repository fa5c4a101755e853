// Step 4 of the zone balance: the air conditioner holds the zone on its
// cooling set point, with no capacity limit; this step finds the sensible
// heat it removes in the hour, the blower electricity, and the design-day
// peak cooling load.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/schedules.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

// Supply air of the cooling coil: 10 F below the room, so each cfm carries
// 0.018075 x 60 x 10 Btu/h.
constexpr REAL kCoolingBtuhPerCfm = 10.845001f;
constexpr REAL kWattsPerKilowatt = 1000.0f;
// Hours the ventilation test case may cool.
constexpr INTEGER kTestCaseCoolingFirstHour = 7;
constexpr INTEGER kTestCaseCoolingLastHour = 17;
// A non-residential cooling set point this high switches cooling off.
constexpr REAL kCoolingOffSetPoint_F = 99.0f;
constexpr INTEGER kCoolingSetPointRow = 10;
// Outdoor temperatures this close to the cooling design temperature make a
// design hour, F.
constexpr REAL kDesignHourBand_F = 1.0f;

bool ceiling_fans_chosen() {
    const REAL venting = scheme_choice(25);
    return venting == 10.0f || venting == 11.0f;
}

// Drops what the passive steps claimed once the air conditioner takes over.
void drop_passive_measures(Hour& z) {
    if (scheme_choice_magnitude(25) == 7.0f) return;
    z.KWHRVENT = 0.0f;
    if (ceiling_fans_chosen()) return;
    z.KWHRCEIL = 0.0f;
    z.PEAKVEL = 0.0f;
    z.EVAPTEMP = TEMP(z.IHOUR);
}

// The hour's cooling load is the largest of the design hours so far: keep
// it with the ventilation load of that hour.
void record_design_peak(const Hour& z) {
    if (!(std::fabs(TEMP(z.IHOUR) - DESMAX) <= kDesignHourBand_F && z.HVACI > HEATGAIN(27))) return;
    HEATGAIN(25) = HEATGAIN(27) = z.HVACI;
    DBG_FLOAT("TSTORE design peak cooling load", z.HVACI);
    // TEMPIN still holds the hour's reference temperature here.
    const REAL ventilation_btuh =
        (TEMP(z.IHOUR) - TEMPIN) *
        (VOLUME * z.AIRCHGFA * (1.0f - IAQHeatRec / 100.0f) + above_grade_volume_ft3() * z.AIRCHGINF) *
        kAirHeatCapacity_btu_ft3F;
    HEAT(16, z.IHOUR, z.MONTH) = ventilation_btuh;
    HEATGAIN(20) = ventilation_btuh;
}

}  // namespace

Step air_conditioning(Hour& z) {
    const REAL cooling = scheme_choice_magnitude(20);
    if (cooling <= 1.0f || cooling == 6.0f || z.TEMPI <= z.SETLO) return Step::Furnace;
    if (NHVACS == 0.0f || z.TEMPI <= z.SETHI) return Step::EndOfHour;
    if (!NFLAG(24) && z.TEMPI < SETUPU && !(PEOPLE > 0.0f)) return Step::Furnace;
    if (scheme_choice_magnitude(25) == 7.0f &&
        (z.IHOUR < kTestCaseCoolingFirstHour || z.IHOUR > kTestCaseCoolingLastHour))
        return Step::EndOfHour;
    if (NFLAG(24) && schedule_value(kCoolingSetPointRow, z.IHOUR) >= kCoolingOffSetPoint_F) return Step::EndOfHour;
    if (z.CONVERGED) {
        if (z.TEMPI <= COMHI && z.STOREI <= z.STOMAX) return Step::EndOfHour;
        drop_passive_measures(z);
    }

    // Ceiling fans let the occupants accept the raised set point; so does a
    // unit without a cooling efficiency.
    const REAL venting = scheme_choice_magnitude(25);
    const REAL t_set_F = (venting == 10.0f || venting == 11.0f || COPAC <= 0.0f) ? z.SETHIV : z.SETHI;
    const REAL dti_F = t_set_F - z.RTEMP;
    const REAL dto_F = t_set_F - TEMP(z.IHOUR);
    z.ADDEDC = CLC * dti_F;
    // Infiltration, fresh air and open windows, all at the outdoor temperature.
    const REAL outdoor_air_btuhF = static_cast<REAL>(outdoor_air_streams(z).conductance_btuhF);
    z.ADDEDV = outdoor_air_btuhF * dto_F + z.HEAT16 + z.TAIRIN * dti_F;
    z.STOREM = (TMASS + z.TAIRIN) * dti_F;
    z.HVACI = (z.HEAT17 - z.ADDEDC - z.ADDEDV) - (z.STOREM - STOREL);
    z.STOREI = z.STOREM;
    z.TEMPIO = z.TEMPI;
    z.TEMPI = t_set_F;

    if (z.HVACI <= 0.0f) {
        DBG_FLOAT("ERROR Module 4 tiny negative A/C load", z.HVACI);
        DBG_FLOAT("TSTORE Module 4 TEMPI", z.TEMPIO);
        DBG_FLOAT("TSTORE Module 4 set point", t_set_F);
        z.TEMPI = z.TEMPIO;
        z.HVACI = 0.0f;
        z.CONVERGED = true;
        return Step::EndOfHour;
    }
    z.CONVERGED = true;
    z.CFMHVAC = wCFMhvac > 0.0f ? z.HVACI / kCoolingBtuhPerCfm : 0.0f;
    z.KWHRHVAC = wCFMhvac > 0.0f ? std::max(0.0f, z.CFMHVAC * wCFMhvac / kWattsPerKilowatt) : 0.0f;
    record_design_peak(z);
    return Step::EndOfHour;
}

}  // namespace zone
}  // namespace mavo
