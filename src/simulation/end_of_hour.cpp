// The end of the zone balance's hour: whether the hour is valid, the
// envelope flows again at the hour's final indoor temperature, the HVAC
// load with its latent, duct-leakage and duct-conduction parts, fan and
// blower electricity, the heat carried to the next hour, the run's
// extremes and the comfort-hour counters.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/physics.h"
#include "simulation/schedules.h"
#include "simulation/simulation.h"
#include "simulation/zone_balance.h"
#include "support/numeric.h"

namespace mavo {
namespace zone {
namespace {

constexpr INTEGER kNothingSettledError = 2407;
constexpr INTEGER kTooHotError = 2413;
constexpr INTEGER kTooColdError = 2420;
constexpr REAL kHighestValid_F = 199.0f;
constexpr REAL kLowestValid_F = -100.0f;
constexpr INTEGER kOccupancyRow = 1;  // the building type's occupancy schedule, percent

// Ducts: one supply run per 200 ft2 of floor, each as long as a quarter of
// the circle whose area is the footprint (pi / 2 x sqrt(footprint / pi) ft)
// with about one ft2 of duct surface per ft of run, losing heat through an
// insulation of R DuctInsul plus the inside and outside films (0.7
// h.ft2.F/Btu each).
constexpr REAL kFloorPerDuctRun_ft2 = 200.0f;
constexpr REAL kDuctPerimeterFactor = 1.5708f;
constexpr REAL kPi = 3.1416f;
constexpr REAL kDuctFilmResistance = 0.7f;
// Duct air temperature against the room: supply air 15 F below the room
// when cooling (with the duct space 20 % hotter than outdoors, an attic),
// 15 F above it when heating.
constexpr REAL kDuctSupplyOffset_F = 15.0f;
constexpr REAL kDuctSpaceSolarFactor = 1.2f;

bool compressor_cooling() {
    const REAL cooling = scheme_choice_magnitude(20);
    return cooling >= 2.0f && cooling < 6.0f;
}

// The valid range of an indoor temperature; returns false (with the error
// code) for an hour that cannot stand.
bool hour_is_valid(Hour& z, INTEGER& code) {
    if (!z.CONVERGED && !z.IAQOK) {
        code = kNothingSettledError;
        return false;
    }
    if (z.TEMPI > kHighestValid_F) {
        z.TEMPI = kHighestValid_F;
        z.CONVERGED = false;
        DBG_FLOAT("TSTORE 2430 fatal error 199=tempi", z.TEMPI);
        code = kTooHotError;
        return false;
    }
    if (z.TEMPI < kLowestValid_F) {
        z.TEMPI = kLowestValid_F;
        z.CONVERGED = false;
        DBG_FLOAT("TSTORE 2437 fatal error -100=tempi", z.TEMPI);
        code = kTooColdError;
        return false;
    }
    if (std::isnan(z.TEMPI)) {  // a balance that lost its numbers settles nothing
        z.CONVERGED = false;
        code = kNothingSettledError;
        return false;
    }
    return true;
}

// The envelope and ventilation flows of the hour at the final TEMPIN.
void envelope_at_final_temperature(const Hour& z) {
    const INTEGER h = z.IHOUR, m = z.MONTH;
    for (INTEGER c = 1; c <= 5; ++c) HEAT(c, h, m) = 0.0f;
    PV(h, m) = 0.0f;
    SHW(h, m) = 0.0f;
    KWHRFA(h, m) = 0.0f;
    GLAZED(m, h);
    OPAQUE(m, h);
    const REAL outdoor_air_ft3h = VOLUME * z.AIRCHGFA * (1.0f - IAQHeatRec / 100.0f) +
                                  above_grade_volume_ft3() * z.AIRCHGINF + kMinutesPerHour * z.CFMT;
    HEAT(16, h, m) = kAirHeatCapacity_btu_ft3F * ((TEMP(h) - TEMPIN) * outdoor_air_ft3h +
                                                  VOLUME * z.AIRCHGECO * (z.TEMPIHOUR - TEMPIN));
    TOTALS(m, h);
}

// Sensible load plus the latent load of the ventilation air and of the
// people, for a compressor air conditioner that cools this hour.
REAL load_with_latent_part(const Hour& z) {
    const INTEGER h = z.IHOUR, m = z.MONTH;
    if (!compressor_cooling()) return HVACLD(h, m);
    REAL latent_ventilation_btuh = 0.0f, latent_people_btuh = 0.0f;
    if (z.HVACI > 0.0f && HEAT(16, h, m) > 0.0f) {
        latent_ventilation_btuh = LATENT / 100.0f * HEAT(16, h, m);
        latent_people_btuh = NFLAG(24) ? PBTUHL * PEOPLE * schedule_value(kOccupancyRow, h) / 100.0f
                                       : PBTUHL * PEOPLE * OCCPROF(h);
    }
    HVACLD(h, m) = latent_ventilation_btuh + latent_people_btuh + z.HVACI;
    if (NFLAG(46) && IDNUM1 >= 3 && z.HVACI > 0.0f)
        return LATENT / 100.0f * SCHED(2, h) + latent_ventilation_btuh + latent_people_btuh + z.HVACI;
    return HVACLD(h, m);
}

struct DuctLosses {
    REAL leak_btuh = 0.0f;        // HVACleakLoss
    REAL conduction_btuh = 0.0f;  // DUCTheatLoss
    REAL leak_kwh = 0.0f;         // KWHRhvacLeak
};

DuctLosses duct_losses(const Hour& z, REAL load_btuh) {
    DuctLosses d;
    const REAL leak_fraction = DuctLeakPct / 100.0f;
    d.leak_btuh = load_btuh * leak_fraction;
    d.leak_kwh = z.KWHRHVAC * leak_fraction;
    const REAL resistance = DuctInsul + kDuctFilmResistance + kDuctFilmResistance;
    // Ducts need a footprint to run through and a resistance to lose
    // through.
    if (z.CFMHVAC > 0.0f && FLOORS > 0.0f && AREAT > 0.0f && resistance > 0.0f) {
        const REAL t_out_F = TEMP(z.IHOUR);
        const REAL difference_F = z.HVACI > 0.0f
                                      ? kDuctSpaceSolarFactor * t_out_F - (TEMPIN - kDuctSupplyOffset_F)
                                      : t_out_F - (TEMPIN + kDuctSupplyOffset_F);
        const REAL footprint_ft2 = AREAT / FLOORS;
        const REAL runs = static_cast<REAL>(int_toward_zero(footprint_ft2 / kFloorPerDuctRun_ft2 * FLOORS));
        d.conduction_btuh =
            difference_F * runs * kDuctPerimeterFactor * std::sqrt(footprint_ft2 / kPi) / resistance;
    }
    if (in_trace_window()) DBG_FLOAT("TSTORE CFMhvacLeak", z.CFMHVAC * leak_fraction);
    return d;
}

// The plant's output of the hour with its ducts' share. Ducts in a space
// colder than the cold supply air (a cool evening with a big building's
// long runs) cool that air further, and so lessen what the air conditioner
// must deliver, down to nothing: they never turn a cooling hour into heat
// delivered, which the summaries, bills and hourly report would count as
// heating output and bill as heating fuel. Likewise a heating hour's ducts
// never make it a cooling hour.
REAL hvac_output_with_ducts(const Hour& z, REAL output_btuh) {
    if (z.HVACI > 0.0f) return std::max(0.0f, output_btuh);
    if (z.HVACI < 0.0f) return std::min(0.0f, output_btuh);
    return output_btuh;
}

void fans_of_hour(const Hour& z, const DuctLosses& d) {
    KWHRFA(z.IHOUR, z.MONTH) = z.KWHRHVAC + z.KWHRVENT + z.KWHRIAQ + KWHRattic + d.leak_kwh + z.KWHRCEIL;
    KWHHVACYR += z.KWHRHVAC;
    KWHVENTYR += z.KWHRVENT;
    KWHIAQYR += z.KWHRIAQ;
    KWHATTICYR += KWHRattic;
    KWHLEAKYR += d.leak_kwh;
    KWHCEILYR += z.KWHRCEIL;
}

void run_extremes(const Hour& z) {
    if (TEMPIN < TempPeakLow) {
        TempPeakLow = TEMPIN;
        BLK6.TempPeakLowHr = z.IHOUR;
        BLK6.TempPeakLowDay = z.IDAY;
        BLK6.TempPeakLowMon = z.MONTH;
    }
    if (TEMPIN > TempPeakHigh) {
        TempPeakHigh = TEMPIN;
        BLK6.TempPeakHighHr = z.IHOUR;
        BLK6.TempPeakHighDay = z.IDAY;
        BLK6.TempPeakHighMon = z.MONTH;
    }
    const REAL n = static_cast<REAL>(NTEMPINMEAN);
    TEMPINMEAN = (TEMPIN + n * TEMPINMEAN) / (n + 1.0f);
    NTEMPINMEAN += 1;
    if (z.HVACI < HVACPEAKMIN) {
        HVACPEAKMIN = z.HVACI;
        BLK6.HVACPEAKMINMON = z.MONTH;
        BLK6.HVACPEAKMINDAY = z.IDAY;
        BLK6.HVACPEAKMINHR = z.IHOUR;
    }
    if (z.HVACI > HVACPEAKMAX) {
        HVACPEAKMAX = z.HVACI;
        BLK6.HVACPEAKMAXMON = z.MONTH;
        BLK6.HVACPEAKMAXDAY = z.IDAY;
        BLK6.HVACPEAKMAXHR = z.IHOUR;
    }
}

// Counted hours only (after the warm-up): air speed, effective temperature
// and the heating, cooling and discomfort hours. The hour counts go to the
// scheme's own summary column; a number without one (a library slot, a
// combination, whose number as a column would be another scheme's back-up
// copy or lie past the table) counts no hours.
void comfort_counters(const Hour& z) {
    const INTEGER h = z.IHOUR, m = z.MONTH;
    IAVEL(h, m) += z.PEAKVEL / z.days_averaged;
    const REAL effective_F = effective_temperature_of_hour(z);
    EFFTEMP(h, m) += effective_F / z.days_averaged;
    if (!has_scheme_column(IDNUM1)) return;
    if (z.HVACI < 0.0f) SUMARY(67, IDNUM1) += 1.0f;
    if (z.HVACI > 0.0f) SUMARY(68, IDNUM1) += 1.0f;
    if (effective_F < z.SETLO || effective_F > z.SETHI) SUMARY(69, IDNUM1) += 1.0f;
}

}  // namespace

void end_of_hour(Hour& z) {
    const INTEGER h = z.IHOUR, m = z.MONTH;
    HVACLD(h, m) = z.HVACI;
    STORED(h, m) = z.STOREI;
    AIRCHG = z.AIRCHGINF + z.AIRCHGFA + z.AIRCHGECO + z.AIRCHGNV;
    AIRVOL(h, m) = AIRCHG;

    INTEGER code = 0;
    if (!hour_is_valid(z, code)) {
        fail_the_hour(z, code);
        return;
    }
    TEMPIN = z.TEMPI;
    envelope_at_final_temperature(z);
    const REAL capacity_btuF = TMASS + z.TAIRIN;
    STORED(h, m) = (TEMPIN - z.RTEMP) * capacity_btuF;
    if (in_trace_window()) DBG_FLOAT("TSTORE check temperature", z.RTEMP + STORED(h, m) / capacity_btuF);

    const REAL load_btuh = load_with_latent_part(z);
    const DuctLosses d = duct_losses(z, load_btuh);
    HVACLD(h, m) = hvac_output_with_ducts(z, load_btuh + d.leak_btuh + d.conduction_btuh);

    fans_of_hour(z, d);
    TLASTHR = TEMPIN;
    z.STOREI = HEAT(17, h, m) - z.HVACI + STOREL;
    STORED(h, m) = z.STOREI;
    STOREL = STORED(h, m);

    run_extremes(z);
    if (CYCLE < 24.0f) comfort_counters(z);
}

}  // namespace zone
}  // namespace mavo
