// Tiered and flat electric bills (rate zones below 30, and the flat rate in
// any zone). One day of the month is split into tiers at multiples of the
// daily baseline and priced, the month's cost is the day's times the days it
// stands for, the day's cost is shared among the hours by their kWh, and
// each hour's photovoltaic output is netted from its purchase and credited
// at the month's base rate. The bill prices the energy only: the meter
// charges of the billed days are kept apart, in ECHARGW and ECHARGS.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/bills_steps.h"

namespace mavo {
namespace {

// SMUD states its allowances per month; a mean month of 365/12 days turns
// them into daily ones.
constexpr REAL kDaysPerMeanMonth = 30.416666f;
constexpr REAL kTier2Break = 1.3f;  // fraction of the baseline where tier 3 starts
constexpr REAL kTier3Span = 0.7f;   // tier 3 runs from 130 % to 200 % of the baseline
constexpr REAL kTier2Span = 0.3f;

bool is_sdge_zone(INTEGER z) { return z >= 1 && z <= 4; }
bool is_smud_zone(INTEGER z) { return z == -1 || z == -2; }
bool is_pge_zone(INTEGER z) { return z >= -20 && z <= -11; }

// The season's baseline, kWh/day (SMUD: kWh/month).
REAL season_baseline(const CostWork& w) { return w.winter ? EBASEW : EBASES; }

// A tariff without a summer baseline prices everything at tier 1: the rates
// of the upper tiers are cleared from the first one that is missing.
void clean_upper_rates() {
    if (EBASEW == 0.0f) {
        ERATE2 = ERATE3 = ERATE4 = ERATE5 = 0.0f;
    } else if (ERATE2 == 0.0f) {
        ERATE3 = ERATE4 = ERATE5 = 0.0f;
    } else if (ERATE3 == 0.0f) {
        ERATE4 = ERATE5 = 0.0f;
    } else if (ERATE4 == 0.0f) {
        ERATE5 = 0.0f;
    }
}

// Likewise for the SDG&E summer tier adders.
void clean_summer_adders(const CostWork& w) {
    const REAL other_baseline = w.winter ? EBASES : EBASEW;
    if (other_baseline == 0.0f || ERATE2 == 0.0f) {
        ETIERADDS.fill(0.0f);
        return;
    }
    for (int i = 1; i <= 4; ++i) {
        if (ETIERADDS(i) == 0.0f) {
            for (int j = i + 1; j <= 5; ++j) ETIERADDS(j) = 0.0f;
            return;
        }
    }
}

// Prices the tier quantities of one day for the N days and adds them to the
// season's tier kWh.
void price_tiers(const CostWork& w, const FArray<REAL, 5>& q_kwh, const FArray<REAL, 5>& price) {
    const REAL n = w.RNUMDAYS;
    for (int t = 1; t <= 5; ++t) COSTX(t) = price(t) * q_kwh(t) * n;
    if (w.winter) {
        EKWHW += q_kwh(1) * n;
        EKWHWAB += q_kwh(2) * n;
        EKWHWT3 += q_kwh(3) * n;
        EKWHWT4 += q_kwh(4) * n;
        EKWHWT5 += q_kwh(5) * n;
    } else {
        EKWHS += q_kwh(1) * n;
        EKWHSAB += q_kwh(2) * n;
        EKWHST3 += q_kwh(3) * n;
        EKWHST4 += q_kwh(4) * n;
        EKWHST5 += q_kwh(5) * n;
    }
}

FArray<REAL, 5> all_in_tier_1(REAL e_kwh) { return {e_kwh, 0.0f, 0.0f, 0.0f, 0.0f}; }

// SCE, PG&E, the flat rate and every zone below 30 without a rule of its own.
// A baseline of zero or less means the tariff has none.
void split_standard_tiers(const CostWork& w, REAL e_kwh) {
    const REAL b_kwh = season_baseline(w);
    const FArray<REAL, 5> price = {ERATE1, ERATE2, ERATE3, ERATE4, ERATE5};
    if (b_kwh <= 0.0f) {
        price_tiers(w, all_in_tier_1(e_kwh), price);
        if (!w.winter) clean_upper_rates();
        return;
    }
    const int tiers = ERATEZONE >= 10 ? 4 : 5;
    price_tiers(w, tier_quantities(e_kwh, b_kwh, tiers), price);
}

// SDG&E: four tiers, each priced at its tier adder over the season's base
// energy rate and the selection's adder.
void split_sdge_tiers(const CostWork& w, REAL e_kwh) {
    const REAL b_kwh = season_baseline(w);
    const REAL base = w.winter ? ERATE1 : ERATE2;
    if (b_kwh <= 0.0f) {
        const FArray<REAL, 5> price = {base, 0.0f, 0.0f, 0.0f, 0.0f};
        price_tiers(w, all_in_tier_1(e_kwh), price);
        clean_summer_adders(w);
        return;
    }
    const FArray<REAL, 5>& adders = w.winter ? ETIERADDW : ETIERADDS;
    FArray<REAL, 5> price{};
    for (int t = 1; t <= 5; ++t) price(t) = adders(t) + base + w.sdge_adder;
    price_tiers(w, tier_quantities(e_kwh, b_kwh, 4), price);
}

// SMUD: two tiers against the daily share of the monthly allowance.
void split_smud_tiers(const CostWork& w, REAL e_kwh) {
    const REAL b_kwh = season_baseline(w) / kDaysPerMeanMonth;
    const REAL x = w.smud_adder;
    const FArray<REAL, 5> price = w.winter ? FArray<REAL, 5>{ERATEW(1) + x, ERATEW(2) + x, 0.0f, 0.0f, 0.0f}
                                           : FArray<REAL, 5>{ERATE1 + x, ERATE2 + x, 0.0f, 0.0f, 0.0f};
    if (b_kwh <= 0.0f || e_kwh <= b_kwh) {
        price_tiers(w, all_in_tier_1(e_kwh), price);
    } else {
        price_tiers(w, {b_kwh, e_kwh - b_kwh, 0.0f, 0.0f, 0.0f}, price);
    }
}

// Spreads the day's cost over the hours, adds the season's tier costs and
// the month's gross bill, then nets each hour's PV output.
void finish_month(CostWork& w, INTEGER m) {
    const REAL n = w.RNUMDAYS;
    const REAL e_kwh = w.KWHRSTOT;
    const REAL day_cost = (COSTX(1) + COSTX(2) + COSTX(3) + COSTX(4) + COSTX(5)) / n;
    for (INTEGER h = 1; h <= 24; ++h) {
        // A day without electricity has no cost to share.
        COSTEL(h, m) = e_kwh != 0.0f ? TEMPKWHR(h, m) / e_kwh * day_cost : 0.0f;
    }
    if (w.winter) {
        ECOSTW += COSTX(1);
        ECOSTWAB += COSTX(2);
        ECOSTWT3 += COSTX(3);
        ECOSTWT4 += COSTX(4);
        ECOSTWT5 += COSTX(5);
    } else {
        ECOSTS += COSTX(1);
        ECOSTSAB += COSTX(2);
        ECOSTST3 += COSTX(3);
        ECOSTST4 += COSTX(4);
        ECOSTST5 += COSTX(5);
    }
    for (INTEGER h = 1; h <= 24; ++h) w.COSTe += COSTEL(h, m) * n;

    // PV output is taken off each hour's purchase and valued at the month's
    // base rate; the month arrays count the calendar days in both run lengths.
    // SITEKWHR keeps the gross purchase: site energy is what the building
    // uses, as the gross site row counts it, whatever the array supplies.
    const REAL days = static_cast<REAL>(MODAYS(m));
    for (INTEGER h = 1; h <= 24; ++h) {
        const REAL p = PV(h, m);
        const REAL t = TEMPKWHR(h, m);
        TEMPKWHR(h, m) = t - p;
        COSTEL(h, m) = COSTEL(h, m) - p * w.base_rate;
        PVKWH(m) += p * days;
        PVKWH(13) += p * days;
        PVDEMAND(m) += (t - p) * days;
        PVDEMAND(13) += (t - p) * days;
        PVCOST(m) += COSTEL(h, m) * days;
        PVCOST(13) += COSTEL(h, m) * days;
    }
    if (NFLAG(90) && m == 8) {
        DBG_FLOAT("COST m8 day kWh", e_kwh);
        DBG_FLOAT("COST m8 day cost", day_cost);
        DBG_FLOAT("COST m8 base rate", w.base_rate);
    }
}

}  // namespace

FArray<REAL, 5> tier_quantities(REAL e_kwh, REAL b_kwh, int tiers) {
    FArray<REAL, 5> q{};
    if (e_kwh <= b_kwh) {
        q(1) = e_kwh;
    } else if (e_kwh <= kTier2Break * b_kwh) {
        q(1) = b_kwh;
        q(2) = e_kwh - b_kwh;
    } else if (e_kwh <= 2.0f * b_kwh) {
        q(1) = b_kwh;
        q(2) = kTier2Span * b_kwh;
        q(3) = e_kwh - kTier2Break * b_kwh;
    } else {
        q(1) = b_kwh;
        q(2) = kTier2Span * b_kwh;
        q(3) = kTier3Span * b_kwh;
        if (tiers >= 5 && e_kwh > 3.0f * b_kwh) {
            q(4) = b_kwh;
            q(5) = e_kwh - 3.0f * b_kwh;
        } else {
            q(4) = e_kwh - 2.0f * b_kwh;
        }
    }
    return q;
}

// The built-in flat rate keeps its one rate and its no-tier baselines in
// every zone: the zones' own month rules would bring their tariffs back.
// Rates the user revised are billed in its place whatever row 1 names, and
// the zone's month rules apply to them as to any kept rates (a PG&E zone's
// baselines of each month).
namespace {
bool flat_rate_in_force(const CostWork& w) { return bills_flat_rate(w.p) && !NFLAG(82); }
}  // namespace

void set_up_tiered_month(CostWork& w) {
    const INTEGER z = ERATEZONE;
    if (flat_rate_in_force(w)) {
        w.base_rate = ERATE1;
    } else if (z >= 10 && z <= 29) {
        w.base_rate = ERATE1;
    } else if (is_pge_zone(z)) {
        w.base_rate = ERATE1;
        const INTEGER row = -z;
        if (w.winter) EBASEW = BLK33N.BASEW(row);
        else EBASES = BLK33N.BASES(row);
    } else if (is_smud_zone(z)) {
        w.base_rate = w.winter ? ERATEW(1) : ERATE1;
    } else if (is_sdge_zone(z)) {
        // Scheme 1, the code-minimum design, is billed on the built-in base
        // rates and tier adders of each month even where it keeps rates the
        // user revised; every other scheme bills the rates it keeps.
        FArray<REAL, 5>& adders = w.winter ? ETIERADDW : ETIERADDS;
        if (w.p <= 1 || !NFLAG(82)) {
            ERATE1 = BLK33H.BASERATEW;
            ERATE2 = BLK33H.BASERATES;
            const FArray<REAL, 5>& built_in = w.winter ? BLK33H.TIERADDW : BLK33H.TIERADDS;
            for (int i = 1; i <= 4; ++i) adders(i) = built_in(i);
        }
        w.base_rate = w.winter ? ERATE1 : ERATE2;
        adders(5) = adders(4);
    }
}

void bill_tiered_month(CostWork& w, INTEGER m) {
    const INTEGER z = ERATEZONE;
    const REAL e_kwh = w.KWHRSTOT;
    if (flat_rate_in_force(w)) split_standard_tiers(w, e_kwh);
    else if (is_sdge_zone(z)) split_sdge_tiers(w, e_kwh);
    else if (is_smud_zone(z)) split_smud_tiers(w, e_kwh);
    else split_standard_tiers(w, e_kwh);
    finish_month(w, m);
}

}  // namespace mavo
