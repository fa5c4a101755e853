// Electric tariff selection: the tariff of the scheme's rate zone (or the
// single flat rate) is copied from the built-in tables into the working
// blocks, unless the user revised the rates, which then stay as the scheme
// files restored them. Time-of-use zones also get their record and the
// period of every hour of a summer and a winter day.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/bills_steps.h"
#include "support/numeric.h"

namespace mavo {
namespace {

// Baselines so large that every day's use falls in tier 1, kWh/day.
constexpr REAL kNoTierBaselineKwh = 1000000.0f;
constexpr REAL kDaysPerYear = 365.0f;
constexpr REAL kMonthsPerYear = 12.0f;

void load_flat_rate(CostWork& w) {
    EYEAR = int_toward_zero(BLK33.FLATEYEAR);
    ECUSTOMCHG = BLK33.FLATECHG;
    ERATE1 = ERATE2 = ERATE3 = ERATE4 = ERATE5 = BLK33.FLATERATE;
    EWINMON1 = 1;
    EWINMON2 = 12;
    EBASEW = EBASES = kNoTierBaselineKwh;
    BLK33C.ECARRIED10 = 0.0f;
    EMINCHG = 0.0f;
    EADDER = 0.0f;
    w.base_rate = BLK33.FLATERATE;
}

void load_sce(CostWork& w, INTEGER z) {
    EYEAR = BLK33M.YEAR;
    EWINMON1 = BLK33M.WINMON1;
    EWINMON2 = BLK33M.WINMON2;
    ERATE1 = BLK33M.RATE1;
    ERATE2 = BLK33M.RATE2;
    ECUSTOMCHG = BLK33M.CUSTCHG;
    BLK33C.ECARRIED10 = BLK33M.CARRIED9;
    EMINCHG = BLK33M.MINCHG;
    EADDER = BLK33M.ADDER;
    ERATE3 = BLK33M.RATE3_5(1);
    ERATE4 = BLK33M.RATE3_5(2);
    ERATE5 = BLK33M.RATE3_5(3);
    EBASES = EBASELINE(1, z);
    EBASEW = EBASELINE(3, z);
    w.base_rate = ERATE1;
}

// The SDG&E base rates and tier adders are loaded month by month. The
// tariff has no meter charge: the one of a zone loaded before must not stay.
void load_sdge(CostWork& w, INTEGER z) {
    EYEAR = BLK33H.YEAR;
    ECUSTOMCHG = 0.0f;
    EWINMON1 = BLK33H.WINMON1;
    EWINMON2 = BLK33H.WINMON2;
    EMINCHG = BLK33H.MINCHG;
    EADDER = BLK33H.ADDER;
    w.sdge_adder = BLK33H.ADDER;
    EBASES = EBASELINE(1, z);
    EBASEW = EBASELINE(3, z);
}

// The PG&E baselines are loaded month by month.
void load_pge(CostWork& w) {
    EYEAR = BLK33N.YEAR;
    EWINMON1 = BLK33N.WINMON1;
    EWINMON2 = BLK33N.WINMON2;
    ERATE1 = BLK33N.RATES(1);
    ERATE2 = BLK33N.RATES(2);
    ERATE3 = BLK33N.RATES(3);
    ERATE4 = BLK33N.RATES(4);
    ERATE5 = BLK33N.RATES(5);
    ECUSTOMCHG = BLK33N.CUSTCHG;
    EMINCHG = BLK33N.MINCHG;
    w.base_rate = ERATE1;
}

// SMUD bills a monthly meter charge and monthly allowances.
void load_smud(CostWork& w) {
    EYEAR = BLK33F.YEAR;
    EWINMON1 = BLK33F.WINMON1;
    EWINMON2 = BLK33F.WINMON2;
    ECUSTOMCHG = BLK33F.MONTHCHG * kMonthsPerYear / kDaysPerYear;
    EADDER = BLK33F.ADDER;
    w.smud_adder = BLK33F.ADDER;
    for (int i = 1; i <= 3; ++i) ERATEW(i) = BLK33F.RATEW(i);
    ERATE1 = BLK33F.RATES(1);
    ERATE2 = BLK33F.RATES(2);
    ERATE3 = BLK33F.RATES(3);
    EBASEW = BLK33F.ALLOWW;
    EBASES = BLK33F.ALLOWS;
    BLK33D.ESMUDCARRYW = BLK33F.CARRYW;
    BLK33D.ESMUDCARRYS = BLK33F.CARRYS;
    w.base_rate = ERATE1;
}

// A rate zone below 30 of a utility the tables do not hold: the working
// tariff every new project carries, the first utility's rates without a
// baseline, so all its use is billed at the tier-1 rate. The rates the
// previous site loaded would bill this site on that site's tariff.
void load_tariff_of_a_new_project() {
    // The entry of the bill has cleared the year's cost (EGTOTAL) already.
    const INTEGER zone = ERATEZONE;
    BLK33C = BLK33C_t{};
    ERATEZONE = zone;
    const BLK33E_t upper_tiers{};
    ERATE3 = upper_tiers.ERATE3;
    ERATE4 = upper_tiers.ERATE4;
    ERATE5 = upper_tiers.ERATE5;
    const BLK33D_t no_baseline{};
    EBASEW = no_baseline.EBASEW;
    EBASES = no_baseline.EBASES;
}

// The built-in tiered tariff of rate zone z. The time-of-use zones (30 and
// above) take their record instead.
void load_tiered_tariff(CostWork& w, INTEGER z) {
    if (z >= 10 && z <= 17) load_sce(w, z);
    else if (z >= 1 && z <= 4) load_sdge(w, z);
    else if (z >= -20 && z <= -11) load_pge(w);
    else if (z == -1 || z == -2) load_smud(w);
    else if (z < 30) load_tariff_of_a_new_project();
}

// Zone 38: one rate for every hour of the year, all months winter.
TouRecord flat_time_of_use_record() {
    TouRecord rec{};
    rec.YEAR = BLK33V.REC.YEAR;
    rec.CUSTCHG = BLK33V.REC.CUSTCHG;
    rec.WINMON1 = 1;
    rec.WINMON2 = 12;
    rec.WINHOURS = {1, 0, 25, 0};  // period 2 from hour 1; the period-4 start is never reached
    const REAL rate = BLK33V.REC.WINRATES(1);
    rec.SUMRATES = {rate, rate, rate};
    rec.WINRATES = {rate, rate, rate};
    return rec;
}

void load_time_of_use_record() {
    if (!NFLAG(82)) {
        const INTEGER z = ERATEZONE;
        if (z == 36) {
            TOUREC = BLK33Q.REC;
        } else if (z == 32) {
            TOUREC = BLK33R.REC;
        } else {
            TOUREC.WINMON1 = 1;
            TOUREC.WINMON2 = 12;
            if (z == 33) TOUREC = BLK33S.REC;
            else if (z == 34) TOUREC = BLK33T.REC;
            else if (z == 35) TOUREC = BLK33U.REC;
            else if (z == 38) TOUREC = flat_time_of_use_record();
        }
    } else {
        // User-revised rates: every month is billed as winter.
        TOUREC.WINMON1 = 1;
        TOUREC.WINMON2 = 12;
    }
    tou_hour_lists(TOUREC, TOUWLIST, TOUSLIST);
}

// One day's walk over the boundary hours (periods 2, 3, 4, 1 in that order
// within an hour), starting in `period`; fills `list` when given and
// returns the period in force at the end of the day.
INTEGER walk_boundaries(const FArray<INTEGER, 4>& starts, INTEGER period, FArray<INTEGER, 24>* list) {
    constexpr INTEGER kPeriodOfWord[4] = {2, 3, 4, 1};
    for (INTEGER h = 1; h <= 24; ++h) {
        for (int i = 1; i <= 4; ++i) {
            if (starts(i) == h) period = kPeriodOfWord[i - 1];
        }
        if (list) (*list)(h) = period;
    }
    return period;
}

KeptElectricTariff kept_electric_tariff() {
    KeptElectricTariff t;
    t.electric = BLK33C;
    t.EBASEW = EBASEW;
    t.EBASES = EBASES;
    t.ESMUDCARRYW = BLK33D.ESMUDCARRYW;
    t.ESMUDCARRYS = BLK33D.ESMUDCARRYS;
    t.ETIERADDS = ETIERADDS;
    t.ETIERADDW = ETIERADDW;
    t.ERATE3 = ERATE3;
    t.ERATE4 = ERATE4;
    t.ERATE5 = ERATE5;
    t.ERATEW = ERATEW;
    t.TOUREC = TOUREC;
    return t;
}

}  // namespace

void put_kept_tariff_back(const CostWork& w) {
    if (!w.kept_tariff) return;
    const KeptElectricTariff& t = *w.kept_tariff;
    const INTEGER zone = ERATEZONE;
    const REAL year_cost = EGTOTAL;
    BLK33C = t.electric;
    ERATEZONE = zone;
    EGTOTAL = year_cost;
    EBASEW = t.EBASEW;
    EBASES = t.EBASES;
    BLK33D.ESMUDCARRYW = t.ESMUDCARRYW;
    BLK33D.ESMUDCARRYS = t.ESMUDCARRYS;
    ETIERADDS = t.ETIERADDS;
    ETIERADDW = t.ETIERADDW;
    ERATE3 = t.ERATE3;
    ERATE4 = t.ERATE4;
    ERATE5 = t.ERATE5;
    ERATEW = t.ERATEW;
    TOUREC = t.TOUREC;
}

void tou_hour_lists(const TouRecord& rec, FArray<INTEGER, 24>& winter_list, FArray<INTEGER, 24>& summer_list) {
    // Hours before the day's first boundary belong to the period in force at
    // the end of a winter day. A winter day without any boundary is one
    // period: the one a summer day ends in, or period 2 (the all-day period
    // of the flat record) when neither season has a boundary.
    INTEGER night = walk_boundaries(rec.WINHOURS, 0, nullptr);
    if (night == 0) night = walk_boundaries(rec.SUMHOURS, 0, nullptr);
    if (night == 0) night = 2;
    walk_boundaries(rec.WINHOURS, night, &winter_list);
    walk_boundaries(rec.SUMHOURS, night, &summer_list);
}

void select_electric_tariff(CostWork& w) {
    // A move brings the built-in rates back for electricity and fuel; the
    // mark every load of scheme 2 carries (it takes scheme 1's site) does
    // not, so every run of a scheme bills the rates its flags name.
    forget_user_rates_after_move();
    if (NFLAG(82)) DBG_PRINT("NFLAG(82)=T use rates revised or copied in");
    else DBG_PRINT("NFLAG(82)=F load rates from BLOCKD 847");

    w.base_rate = 0.0f;
    w.sdge_adder = 0.0f;
    w.smud_adder = 0.0f;
    // The year's time-of-use costs and energy are this bill's: none for a
    // bill on another tariff, whatever tariff the scheme was billed on
    // before (its results file keeps them).
    TOUCOST.fill(0.0f);
    TOUKWH.fill(0.0f);
    const bool flat_rate = STRATEGY(1, w.p) == kFlatRateChoice;
    if (NFLAG(82)) w.kept_tariff = kept_electric_tariff();
    else if (flat_rate) load_flat_rate(w);
    else load_tiered_tariff(w, ERATEZONE);
    if (ERATEZONE >= 30 && !flat_rate) {
        load_time_of_use_record();
    } else if (!NFLAG(82)) {
        // A tiered or flat tariff reads no time-of-use record: the one in
        // force is the initial one (every month winter), not the record of
        // a tariff the scheme was billed on before, as another building or
        // on rates a move has since dropped (its input file keeps it).
        // Another building takes its seasons from it.
        const BLK33P_t initial{};
        TOUREC = initial.TOUREC;
    }
    DBG_INT("COST EYEAR", EYEAR);
    DBG_FLOAT("COST ERATE1", ERATE1);
}

}  // namespace mavo
