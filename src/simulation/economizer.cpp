// Step 3.2 of the zone balance: cooling with outdoor air moved by a
// whole-house fan or an economizer. Searches the air-change rate that brings
// the zone closest to the hour's target temperature within the fan's
// maximum rate, and hands the hour to the air conditioner or the furnace
// when outdoor air cannot do the job.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

constexpr INTEGER kOuterPasses = 12;
constexpr INTEGER kMinInnerPasses = 5;
constexpr INTEGER kMaxInnerPasses = 9;
// Rate above the outdoor air already supplied, when a trial rate would not
// add any, air changes per hour.
constexpr REAL kSmallestAddedRate = 0.01f;
constexpr REAL kRateTolerance = 0.001f;
// A search pass that moved the temperature by less than this (F) needs no
// restart at the full rate.
constexpr REAL kSettledFirstPass_F = 0.0002f;
constexpr REAL kWattsPerKilowatt = 1000.0f;
// Indoor air speed of a whole-house fan: 160 ft/min at 5 air changes per
// hour for the low class, rising 140 ft/min per 15 air changes for the high.
constexpr REAL kFanSpeedAt5Ach_fpm = 160.0f;

struct Search {
    REAL entry_rate = 0.0f;    // full rate: outdoor air so far plus the fan's maximum
    REAL entry_store = 0.0f;   // STOREI on entry, Btu
    REAL AIRCHE = 0.0f;        // trial rate, air changes per hour
    REAL applied_rate = 0.0f;  // rate of the last inner passes
    REAL LIMIT = 0.0f;         // settling tolerance of the last inner passes, F
    REAL previous_store = 0.0f;
    REAL BESTEMP = kNoPoint_F, BESTSTORE = 0.0f, BESTRATE = 0.0f;
    REAL OKTEMP = kNoPoint_F, OKSTORE = 0.0f, OKRATE = 0.0f;
    bool has_previous_point = false;
    REAL previous_rate = 0.0f, previous_temp_F = 0.0f;  // the secant's previous point
};

bool compressor_cooling(REAL cooling_code) { return cooling_code >= 2.0f && cooling_code < 6.0f; }
bool air_conditioner(REAL cooling_code) { return cooling_code >= 2.0f && cooling_code != 6.0f; }

// Inner passes of the balance at the trial rate. Returns false when the
// temperature ran away (the pass is unstable).
bool inner_passes(Hour& z, Search& s) {
    const REAL recovered = 1.0f - IAQHeatRec / 100.0f;
    const REAL capacity_btuF = TMASS + z.TAIRIN;
    for (INTEGER ntry = 1;; ++ntry) {
        s.previous_store = z.STOREI;
        REAL rate = s.AIRCHE > z.AIRCHGOA ? s.AIRCHE : z.AIRCHGOA + kSmallestAddedRate;
        rate = std::min(rate, ACHMAX + z.AIRCHGOA);
        z.ARATE = rate;
        const REAL g_fan_btuhF = air_conductance_btuhF(VOLUME, rate);
        const REAL d_F = z.TEMPI - TEMP(z.IHOUR);
        balance_pass(z, recovered * z.Gfa * d_F + z.Ginf * d_F + g_fan_btuhF * (z.TEMPI - z.TEMPIHOUR));
        z.STOREM = (z.TEMPI - z.RTEMP) * capacity_btuF;
        UAINF = air_conductance_btuhF(VOLUME, rate);
        s.AIRCHE = rate;
        s.applied_rate = rate;
        s.LIMIT = kSettled_F + 0.01f * static_cast<REAL>(ntry);
        if (std::fabs(z.TEMPI) > kRunaway_F) return false;
        const bool again = ntry < kMinInnerPasses ||
                           (std::fabs(z.TLAST - z.TEMPI) > s.LIMIT && ntry < kMaxInnerPasses);
        if (!again) return true;
    }
}

// Keeps the pass as the best point when it is acceptable and nearer the
// target. Returns true when the best point is on target (the search ends).
bool consider_best_point(const Hour& z, Search& s, REAL tempc_F) {
    const REAL cooling = scheme_choice_magnitude(20);
    const bool rejected = (tempc_F > z.SETHI && cooling >= 2.0f) ||
                          (tempc_F < z.SETLO && scheme_choice_magnitude(18) >= 2.0f) ||
                          std::fabs(s.BESTEMP - z.TARGET) < std::fabs(tempc_F - z.TARGET);
    const bool taken =
        !rejected || s.BESTEMP == kNoPoint_F || std::fabs(s.BESTEMP - z.TARGET) <= s.LIMIT;
    if (!taken) return false;
    s.BESTSTORE = (z.STOREI + s.previous_store) / 2.0f;
    s.BESTRATE = z.ARATE;
    s.BESTEMP = tempc_F;
    return std::fabs(tempc_F - z.TARGET) <= s.LIMIT;
}

// Next trial rate by the secant on the air-change rate. Returns true when
// the full rate cannot cool enough (the search ends).
bool next_rate(const Hour& z, Search& s, INTEGER nntry) {
    if (nntry == 1) {
        s.has_previous_point = true;
        s.previous_rate = s.AIRCHE;
        s.previous_temp_F = z.TEMPI;
        if (std::fabs(z.TLAST - z.TEMPI) > kSettledFirstPass_F) s.AIRCHE = s.entry_rate;
        return false;
    }
    const REAL previous_off_F = s.previous_temp_F - z.TARGET;
    const REAL r = std::fabs(previous_off_F) <= 0.001f ? 1.0f : (z.TEMPI - z.TARGET) / previous_off_F;
    REAL new_rate = s.AIRCHE;
    if (std::fabs(r - 1.0f) > 0.001f) new_rate = (r * s.previous_rate - s.AIRCHE) / (r - 1.0f);
    s.previous_rate = s.AIRCHE;
    s.previous_temp_F = z.TEMPI;
    s.AIRCHE = new_rate > s.BESTRATE ? new_rate : s.BESTRATE + 0.1f;
    return s.previous_rate >= ACHMAX + z.AIRCHGOA && s.previous_temp_F >= z.SETHI &&
           s.previous_temp_F == s.BESTEMP;
}

void search_rate(Hour& z, Search& s) {
    for (INTEGER nntry = 1; nntry <= kOuterPasses; ++nntry) {
        REAL base_rate = AIRCHG;
        if (inner_passes(z, s)) {
            const REAL tempc_F = (z.TEMPI + z.TLAST) / 2.0f;
            const REAL cooling = scheme_choice_magnitude(20);
            if ((cooling <= 1.0f || cooling == 6.0f) &&
                std::fabs(tempc_F - z.TARGET) < std::fabs(s.OKTEMP - z.TARGET)) {
                s.OKTEMP = tempc_F;
                s.OKRATE = s.AIRCHE;
                s.OKSTORE = (z.STOREI + s.previous_store) / 2.0f;
            }
            if (consider_best_point(z, s, tempc_F)) return;
            if (next_rate(z, s, nntry)) return;
        } else {
            // Unstable: back to the best point so far (or the entry state)
            // and half-way back from this rate towards the best rate.
            const bool have_best = s.BESTEMP != kNoPoint_F;
            z.TEMPI = have_best ? s.BESTEMP : z.TEMPIO;
            z.STOREI = have_best ? s.BESTSTORE : s.entry_store;
            base_rate = (z.ARATE + s.BESTRATE) / 2.0f;
            s.AIRCHE = base_rate;
        }
        z.ARATE = std::max(0.0f, std::min(base_rate, ACHMAX - z.AIRCHGOA));
        if (std::fabs(z.ARATE - s.BESTRATE) > kRateTolerance) {
            if (nntry > 6) return;
            if (std::fabs(s.applied_rate - z.ARATE) > kRateTolerance) continue;
        }
        if (nntry > 1) return;
    }
}

// Loads the point the search settled on. Without a compressor the point
// nearest the target without help (the OK point) is preferred; its own rate
// goes with it, so the fan energy and the air changes are those of the
// temperature reported.
void load_result(Hour& z, Search& s) {
    if (scheme_choice_magnitude(20) == 6.0f || z.TEMPI <= s.OKTEMP) {
        z.ARATE = s.AIRCHE = s.BESTRATE;
        z.TEMPI = s.BESTEMP;
        z.STOREI = s.BESTSTORE;
        return;
    }
    REAL rate = s.applied_rate;
    if (s.OKTEMP > kNoPoint_F) {
        z.TEMPI = s.OKTEMP;
        rate = s.OKRATE;
    }
    z.STOREI = s.OKSTORE;
    z.ARATE = s.AIRCHE = rate;
}

Step fan_failed(Hour& z, const Search& s) {
    if (scheme_choice_magnitude(20) != 6.0f) {
        z.TEMPI = z.TEMPIO;
        z.STOREI = s.entry_store;
        z.ARATE = 0.0f;
        z.AIRCHGECO = 0.0f;
        z.CONVERGED = false;
    }
    return Step::CeilingFans;
}

Step fan_succeeded(Hour& z, const Search& s) {
    const REAL cooling = scheme_choice_magnitude(20);
    if (std::fabs(z.TEMPI - z.SETHI) < kSettled_F) z.TEMPI = z.SETHI;
    z.CONVERGED = true;
    z.KWHRVENT = 0.0f;
    if (wCFMvent > 0.0f) z.KWHRVENT = VOLUME * s.AIRCHE / kMinutesPerHour * wCFMvent / kWattsPerKilowatt;
    if (cooling == 6.0f) z.KWHRVENT *= 2.0f;  // the cooler's pump and fan
    z.KWHRVENT = std::max(0.0f, z.KWHRVENT);
    z.AIRCHGECO = s.AIRCHE - (z.AIRCHGINF + z.AIRCHGFA + z.AIRCHGNV);
    z.AIRCHGOA = s.AIRCHE;
    AIRVOL(z.IHOUR, z.MONTH) = z.AIRCHGOA;
    if (z.CFMMAXWHFAN > 0.0f) {
        WHfanHrs += 1.0f;
        const REAL air_speed_class = scheme_choice(28);
        z.PEAKVEL = 0.0f;
        if (air_speed_class == 2.0f) z.PEAKVEL = s.AIRCHE / 5.0f * kFanSpeedAt5Ach_fpm;
        if (air_speed_class == 3.0f) z.PEAKVEL = (s.AIRCHE - 5.0f) * 140.0f / 15.0f + kFanSpeedAt5Ach_fpm;
    }
    if (in_trace_window()) {
        DBG_FLOAT("TSTORE economizer air changes", s.AIRCHE);
        DBG_FLOAT("TSTORE economizer TEMPI", z.TEMPI);
    }
    return Step::EndOfHour;
}

}  // namespace

Step economizer_or_whole_house_fan(Hour& z) {
    const REAL venting = scheme_choice_magnitude(25);
    const bool applies = (venting == 5.0f || venting == 6.0f) && ACHMAX > 0.0f &&
                         z.CFMMAXNV * kMinutesPerHour / VOLUME < ACHMAX;
    if (!applies) return Step::CeilingFans;

    const REAL cooling = scheme_choice_magnitude(20);
    z.TEMPIHOUR = cooling == 6.0f ? z.EVAPTEMP : TEMP(z.IHOUR);
    if (!z.VENTED) return Step::AirConditioning;
    if (z.TEMPI < COMLOW) return Step::Furnace;
    if (z.TEMPI < z.SETHI) return Step::EndOfHour;  // nothing to cool
    const bool outdoor_too_warm =
        (z.TEMPI >= z.SETHIV && z.TEMPIHOUR >= COMHI && compressor_cooling(cooling)) ||
        (COMHI <= z.TEMPI && z.TEMPI < z.TEMPIHOUR && compressor_cooling(cooling)) ||
        (NFLAG(36) && NFLAG(40) && TEMP(z.IHOUR) >= z.SETHI);
    if (outdoor_too_warm) return Step::AirConditioning;

    Search s;
    z.TEMPIO = z.TEMPI;
    s.entry_store = z.STOREI;
    s.entry_rate = z.AIRCHGOA + ACHMAX;
    s.AIRCHE = s.entry_rate;
    s.OKSTORE = z.STOREI;
    s.BESTSTORE = z.STOREI;
    z.ARATE = 0.0f;
    search_rate(z, s);

    if (s.BESTEMP == kNoPoint_F) return fan_failed(z, s);
    load_result(z, s);
    const bool furnace_must_act = z.TEMPI < z.SETLO && scheme_choice_magnitude(18) > 1.0f;
    const bool still_too_warm = z.TEMPI > z.SETHI && air_conditioner(cooling);
    const bool fan_at_limit =
        z.TEMPI < TEMP(z.IHOUR) && z.ARATE >= ACHMAX - z.AIRCHGFA && air_conditioner(cooling);
    if (furnace_must_act || still_too_warm || fan_at_limit) return fan_failed(z, s);
    return fan_succeeded(z, s);
}

}  // namespace zone
}  // namespace mavo
