// Step 3.15 of the zone balance: a direct evaporative cooler. Finds the
// outdoor wet bulb from dry bulb and dew point, the temperature of the air
// leaving the cooler, and, when that air is cool enough, hands it to the
// whole-house fan as the air it brings in (the cooler's air is delivered by
// the ventilation fan).
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/zone_balance.h"
#include "support/numeric.h"

namespace mavo {
namespace zone {
namespace {

// Saturation humidity ratio, lb water per lb dry air, at 10, 20, ..., 150 F
// (entry k at 10 k F), as on the psychrometric chart at sea level.
constexpr REAL kSaturationHumidityRatio[15] = {0.0012f, 0.0021f, 0.0034f, 0.0051f, 0.0076f,
                                               0.011f,  0.0157f, 0.022f,  0.0312f, 0.0432f,
                                               0.0595f, 0.0816f, 0.1117f, 0.1536f, 0.2127f};
constexpr INTEGER kTableEntries = 15;
constexpr REAL kTableStep_F = 10.0f;
// Change of humidity ratio per F along a line of constant wet bulb, lb/lb.F
// (about cp of moist air over the latent heat of vaporisation).
constexpr REAL kWetBulbLineSlope = 0.00022580646f;
constexpr INTEGER kSearchSteps = 14;
// Air this humid (wet bulb, F) cannot be cooled usefully by evaporation.
constexpr REAL kTooHumidWetBulb_F = 70.4999f;
// Air is taken as saturated when the dew point is this close to the dry bulb.
constexpr REAL kSaturatedDewPointRatio = 0.99f;
// Sensible capacity of a fan's air, Btu/h per cfm and F (standard air).
constexpr REAL kSensibleHeat_btuh_cfmF = 1.08f;

REAL hr(INTEGER k) { return kSaturationHumidityRatio[k - 1]; }

Step cooler_does_not_work(Hour& z) {
    z.EVAPTEMP = TEMP(z.IHOUR);
    return Step::Economizer;
}

void trace_wet_bulb_failure(const WetBulb& w, REAL db_F, REAL dp_F) {
    switch (w.failure) {
        case WetBulbFailure::None: break;
        case WetBulbFailure::DewPointBelowTable:
            DBG_INT("iwhen ERROR in 1815 Module 3.0 TSTORE", IWHEN);
            DBG_INT("jlow.lt.1 ERROR exit in Evap Cooler", w.index);
            DBG_FLOAT("DP temp at jlow.lt.1 ERROR 1815", dp_F);
            DBG_FLOAT("DB temp.gt.ComHi at ERROR 1815", db_F);
            break;
        case WetBulbFailure::DryBulbBelowTable: DBG_INT("kDBlow.lt.1 set=1", w.index); break;
        case WetBulbFailure::DryBulbAboveTable:
            DBG_FLOAT("Evap Cooler dry bulb above the humidity table", db_F);
            break;
        case WetBulbFailure::SearchBelowTable: DBG_INT("ERROR k.le.0 TSTORE 1866", w.index); break;
        case WetBulbFailure::NoCrossing: DBG_FLOAT("ERROR found no valid HRtest 1877", w.value); break;
        case WetBulbFailure::ParallelLines: DBG_FLOAT("ERROR (a+b) out of range 1900", w.value); break;
    }
}

}  // namespace

WetBulb wet_bulb_from_dew_point(REAL db_F, REAL dp_F) {
    WetBulb w;
    if (dp_F >= kSaturatedDewPointRatio * db_F) {
        w.wb_F = db_F;
        return w;
    }
    const INTEGER jlow = int_toward_zero(dp_F / kTableStep_F);
    if (jlow < 1) {
        w.failure = WetBulbFailure::DewPointBelowTable;
        w.index = jlow;
        return w;
    }
    const INTEGER kdblow = int_toward_zero(db_F / kTableStep_F);
    if (kdblow < 1) {
        w.failure = WetBulbFailure::DryBulbBelowTable;
        w.index = kdblow;
        return w;
    }
    // The crossing needs the table entry above the dry bulb's decade.
    if (kdblow >= kTableEntries) {
        w.failure = WetBulbFailure::DryBulbAboveTable;
        w.index = kdblow;
        return w;
    }
    // Dew point below the dry bulb below 150 F keeps jlow + 1 in the table.
    const REAL w_outdoor = hr(jlow) + (dp_F - kTableStep_F * static_cast<REAL>(jlow)) / kTableStep_F *
                                          (hr(jlow + 1) - hr(jlow));
    const REAL db_low_F = kTableStep_F * static_cast<REAL>(kdblow);
    const REAL db_high_F = db_low_F + kTableStep_F;
    // The line of constant wet bulb through the outdoor state: humidity
    // ratio rises as the air cools along it.
    const auto line = [&](REAL t_F) {
        return t_F <= db_F ? w_outdoor + std::fabs(db_F - t_F) * kWetBulbLineSlope
                           : w_outdoor - std::fabs(db_F - t_F) * kWetBulbLineSlope;
    };

    INTEGER k = kdblow;
    REAL upper = line(db_high_F);
    if (!(hr(kdblow) < line(db_low_F))) {
        bool found = false;
        REAL last_line = 0.0f;
        for (INTEGER step = 1; step <= kSearchSteps; ++step) {
            k = kdblow - step + 1;
            if (k < 1) {
                w.failure = WetBulbFailure::SearchBelowTable;
                w.index = k;
                return w;
            }
            last_line = line(kTableStep_F * static_cast<REAL>(k));
            if (hr(k) < last_line) {
                found = true;
                break;
            }
        }
        if (!found) {
            w.failure = WetBulbFailure::NoCrossing;
            w.value = last_line;
            return w;
        }
        upper = line(kTableStep_F * static_cast<REAL>(k + 1));
    }
    // Crossing of the wet-bulb line with the saturation curve's chord
    // between 10 k and 10 (k + 1) F.
    const REAL b = line(kTableStep_F * static_cast<REAL>(k)) - hr(k);
    const REAL a = hr(k + 1) - upper;
    if (!(a + b > 0.0f)) {
        w.failure = WetBulbFailure::ParallelLines;
        w.value = a + b;
        return w;
    }
    w.wb_F = kTableStep_F * static_cast<REAL>(k) + b / (a + b) * kTableStep_F;
    return w;
}

Step evaporative_cooler(Hour& z) {
    z.EVAPTEMP = TEMP(z.IHOUR);
    // A cooler of another effectiveness than the coded 85 % is saved as a
    // user-defined choice (-6): it runs as the coded one does, at its own
    // effectiveness, as the whole-house fan and the ceiling fans take it.
    if (!(scheme_choice_magnitude(20) == 6.0f && EvapEff > 0.0f && z.TEMPI > COMHI)) return Step::Economizer;

    // The cooler's air is delivered by the whole-house fan: a scheme without
    // one gets it, for the rest of the run.
    const REAL venting = scheme_choice_magnitude(25);
    if (venting != 5.0f && venting != 6.0f) STRATEGY(25, IDNUM1) = 6.0f;

    const REAL db_F = TEMP(z.IHOUR);
    const REAL dp_F = DP(z.IHOUR);
    const WetBulb w = wet_bulb_from_dew_point(db_F, dp_F);
    if (w.failure != WetBulbFailure::None) {
        trace_wet_bulb_failure(w, db_F, dp_F);
        return cooler_does_not_work(z);
    }
    if (w.wb_F > db_F || w.wb_F < dp_F) {
        DBG_FLOAT("ERROR WB out of range (DP-DB) 1922", w.wb_F);
        return cooler_does_not_work(z);
    }
    if (w.wb_F >= kTooHumidWetBulb_F) return cooler_does_not_work(z);

    const REAL effectiveness = EvapEff > 1.0f ? EvapEff / 100.0f : 0.0f;
    z.EVAPTEMP = db_F - effectiveness * (db_F - w.wb_F);
    if (HEAT(17, z.IHOUR, z.MONTH) < 0.0f) return cooler_does_not_work(z);  // no cooling load
    if (in_trace_window()) {
        const REAL capacity_btuh =
            VOLUME * ACHMAX / kMinutesPerHour * kSensibleHeat_btuh_cfmF * (z.TEMPI - z.EVAPTEMP);
        DBG_FLOAT("TSTORE evaporative cooler WB", w.wb_F);
        DBG_FLOAT("TSTORE evaporative cooler EVAPTEMP", z.EVAPTEMP);
        DBG_FLOAT("TSTORE evaporative cooler CLGCAP", capacity_btuh);
    }
    if (z.EVAPTEMP <= COMHI) {
        EvapCoolHrs += 1.0f;
        SUMARY(68, IDNUM1) = EvapCoolHrs;
        z.TEMPIHOUR = z.EVAPTEMP;
        return Step::Economizer;
    }
    // Even the cooler's air is too warm for comfort.
    z.EVAPTEMP = 0.0f;
    return Step::AirConditioning;
}

}  // namespace zone
}  // namespace mavo
