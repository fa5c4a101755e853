// The bill computation of a scheme: entry resets, the summing of member
// schemes for a combination, and the pass over the months that turns the
// hour-by-month simulation results into the electricity bought in each hour
// and hands each month to its tariff. The tariff selection, the tiered and
// time-of-use bills, the fuel bills and the summary rows are steps of their
// own files.
#include "results/bills.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "results/bills_heating.h"
#include "results/bills_steps.h"
#include "results/hourly_cooling.h"
#include "results/result_columns.h"

namespace mavo {
namespace {

constexpr REAL kBtuPerKwh = 3412.0f;

void zero_rows(INTEGER k, int first, int last) {
    for (int r = first; r <= last; ++r) SUMARY(r, k) = 0.0f;
}

// Entry resets of every call: season counters, tier accumulators and the
// year's electricity cost.
void reset_at_entry(CostWork& w) {
    w.FIRSTTIME = true;
    EDAYSW = 0;
    ECHARGW = 0.0f;
    EKWHW = ECOSTW = EKWHWAB = ECOSTWAB = 0.0f;
    EDAYSS = 0;
    ECHARGS = 0.0f;
    EKWHS = ECOSTS = EKWHSAB = ECOSTSAB = 0.0f;
    EKWHWT3 = EKWHWT4 = EKWHWT5 = 0.0f;
    EKWHST3 = EKWHST4 = EKWHST5 = 0.0f;
    ECOSTWT3 = ECOSTWT4 = ECOSTWT5 = 0.0f;
    ECOSTST3 = ECOSTST4 = ECOSTST5 = 0.0f;
    EGTOTAL = 0.0f;
    w.COSTe = 0.0f;
    w.NUMDAYS = 1;
    w.RNUMDAYS = 1.0f;
}

// A single-zone scheme is billed afresh from its hourly results.
void clear_single_zone_results(INTEGER k) {
    SITEKWHR.fill(0.0f);
    COSTFUEL.fill(0.0f);
    COSTEL.fill(0.0f);
    TEMPKWHR.fill(0.0f);
    TEMPFUEL.fill(0.0f);
    zero_rows(k, 21, 25);
    zero_rows(k, 35, 35);
    zero_rows(k, 55, 58);
    zero_rows(k, 63, 63);
    zero_rows(k, 65, 66);
    zero_rows(k, 71, 73);
    zero_rows(k, 75, 77);
    zero_rows(k, 79, 79);
}

// No bill is made: its energy and cost rows are cleared, and so are the
// totals the summary rows are written from, so that none of the cleared
// rows comes back from an earlier run.
void clear_bill(const CostWork& w) {
    const INTEGER k = w.k;
    zero_rows(k, 21, 25);
    zero_rows(k, 35, 36);
    zero_rows(k, 49, 58);
    zero_rows(k, 63, 66);
    zero_rows(k, 70, 72);
    zero_rows(k, 74, 77);
    zero_rows(k, 79, 79);
    AETOT = 0.0f;
    GDAYSW = GDAYSS = 0;
    GCHARGW = GTHERMW = GCOSTW = GTHERMWAB = GCOSTWAB = 0.0f;
    GCHARGS = GTHERMS = GCOSTS = GTHERMSAB = GCOSTSAB = 0.0f;
    COSTF = 0.0f;
}

// The member schemes of a combination column, as decimal digits: a design
// slot reads its own combination line, the combination columns 10-18 read
// line k - 9 (there are nine lines).
INTEGER combination_of_column(INTEGER k) {
    if (k >= 1 && k <= 9) return NCOMBO(k);
    if (k >= 10 && k <= 18) return NCOMBO(k - 9);
    return 0;
}

// A combination bills what its members' results hold: members that hold
// none (an erased slot named again, a slot whose run simulated nothing)
// bought nothing, and a combination of such members has no meter to
// charge for, not a customer charge on no fuel.
bool members_hold_results(INTEGER k) {
    INTEGER rest = combination_of_column(k);
    while (rest > 0) {
        INTEGER j = 0;
        INTEGER npow = 0;
        STRIPR(rest, j, npow);
        if (j != k && member_holds_results(j)) return true;
    }
    return false;
}

void add_member_rows(INTEGER k, INTEGER j, int first, int last) {
    for (int r = first; r <= last; ++r) SUMARY(r, k) += SUMARY(r, j);
}

// The fuel rows of a combination that are quantities, each its members'
// sum: heating, appliance, solar-saved, water-heater, total and purchased
// fuel, each member's in its own unit.
constexpr int kMemberFuelRows[] = {21, 63, 64, 65, 66, 73};
using MemberFuelRows = std::array<REAL, std::size(kMemberFuelRows)>;

MemberFuelRows member_fuel_rows(INTEGER k) {
    MemberFuelRows rows{};
    std::size_t i = 0;
    for (const int r : kMemberFuelRows) rows[i++] = SUMARY(r, k);
    return rows;
}

// The bill priced the summed purchases on one meter; the fuel its members
// burnt stays their sum.
void put_member_fuel_rows(INTEGER k, const MemberFuelRows& rows) {
    std::size_t i = 0;
    for (const int r : kMemberFuelRows) SUMARY(r, k) = rows[i++];
}

// The fuel and electricity its members' collectors saved (rows 64 and 74,
// their sums), valued at the combination's mean prices on its one meter:
// its fuel bill over its fuel (35 / 66), its electricity bill over its
// electricity (36 / 25).
void value_members_solar_water(INTEGER k) {
    SUMARY(76, k) = SUMARY(66, k) > 0.0f ? SUMARY(64, k) * SUMARY(35, k) / SUMARY(66, k) : 0.0f;
    SUMARY(77, k) = SUMARY(25, k) > 0.0f ? SUMARY(74, k) * SUMARY(36, k) / SUMARY(25, k) : 0.0f;
}

// A combination is billed from the sums of its members' annual rows and
// their hourly results, which its read of their files added up.
void clear_combination_rows(INTEGER k) {
    zero_rows(k, 18, 25);
    zero_rows(k, 35, 40);
    zero_rows(k, 45, 47);
    zero_rows(k, 55, 66);
    zero_rows(k, 70, 79);
}

void sum_combination_members(CostWork& w) {
    const INTEGER k = w.k;
    clear_combination_rows(k);
    INTEGER rest = combination_of_column(k);
    while (rest > 0) {
        INTEGER j = 0;
        INTEGER npow = 0;
        STRIPR(rest, j, npow);
        // Only design slots are members; a column never adds itself.
        if (j < 1 || j > 9 || j == k) continue;
        add_member_rows(k, j, 18, 25);
        add_member_rows(k, j, 35, 38);
        add_member_rows(k, j, 55, 60);
        add_member_rows(k, j, 63, 66);
        add_member_rows(k, j, 70, 77);
        add_member_rows(k, j, 79, 79);
    }
    w.AElit = SUMARY(22, k);
    w.AEeqp = SUMARY(23, k);
    w.AEcl = SUMARY(24, k);
    w.AEHEAT = SUMARY(71, k);
    w.AEFANS = SUMARY(72, k);
    w.AEWH = SUMARY(75, k);
    AETOT = SUMARY(25, k);
    COSTF = SUMARY(35, k);
    DBG_FLOAT("COST combination AETOT", AETOT);
}

bool is_electric_water_heater(INTEGER type) { return type == 2 || type == 6 || type == 7; }

// Electricity bought in each hour of one day of month m, and the year's
// sums by end use for the days the day stands for.
void hourly_electricity(CostWork& w, INTEGER m) {
    const REAL n = w.RNUMDAYS;
    const bool trace_month = NFLAG(90) && m == 8;
    // A fuel furnace (efficiency below 1) draws no electricity for heat.
    const ElectricHeating heating = electric_heating_kind(STRATEGY(18, w.p), COPHT);
    for (INTEGER h = 1; h <= 24; ++h) {
        const REAL equip_kwh = EQKWHR(h, m) * n;
        const REAL light_kwh = HEAT(13, h, m) / kBtuPerKwh * n;
        const REAL fan_kwh = KWHRFA(h, m) * n;
        w.AEeqp += equip_kwh;
        w.AElit += light_kwh;
        w.AEFANS += fan_kwh;
        REAL hour_kwh = equip_kwh + light_kwh + fan_kwh;

        if (is_electric_water_heater(WHTYPE)) {
            const REAL wh_kwh = n * WHENER(h, m) / kBtuPerKwh;
            hour_kwh += wh_kwh;
            w.AEWH += wh_kwh;
        }

        const REAL cooling_btuh = hour_cooling_output_btu(h, m);
        REAL cool_kwh = 0.0f;
        if (cooling_btuh > 0.0f) {
            const REAL per_day = COPAC > 0.0f ? cooling_btuh / (COPAC * kBtuPerKwh) : 0.0f;
            cool_kwh = per_day * n;
            hour_kwh += cool_kwh;
            w.AEcl += cool_kwh;
        }

        const REAL heating_btuh = HVACLD(h, m);
        REAL heat_kwh = 0.0f;
        if (heating_btuh < 0.0f && heating != ElectricHeating::none) {
            heat_kwh = electric_heating_kwh(heating, -heating_btuh, COPHT, FREEZHRS(h, m)) * n;
            hour_kwh += heat_kwh;
            w.AEHEAT += heat_kwh;
        }

        TEMPKWHR(h, m) = hour_kwh / n;
        w.KWHRSTOT += TEMPKWHR(h, m);
        SITEKWHR(h, m) = TEMPKWHR(h, m);

        if (trace_month && h == 12) {
            DBG_FLOAT("COST m8 h12 equipment kWh", equip_kwh);
            DBG_FLOAT("COST m8 h12 lighting kWh", light_kwh);
            DBG_FLOAT("COST m8 h12 fans kWh", fan_kwh);
            DBG_FLOAT("COST m8 h12 cooling kWh", cool_kwh);
            DBG_FLOAT("COST m8 h12 heating kWh", heat_kwh);
            DBG_FLOAT("COST m8 h12 TEMPKWHR", TEMPKWHR(h, m));
        }
    }
    if (NFLAG(90) && m == 12) {
        DBG_FLOAT("COST year AElit", w.AElit);
        DBG_FLOAT("COST year AEeqp", w.AEeqp);
        DBG_FLOAT("COST year AEFANS", w.AEFANS);
        DBG_FLOAT("COST year AEWH", w.AEWH);
        DBG_FLOAT("COST year AEcl", w.AEcl);
        DBG_FLOAT("COST year AEHEAT", w.AEHEAT);
    }
}

// The days month m stands for and the month that decides its season.
void set_month_frame(CostWork& w, INTEGER m) {
    if (!NFLAG(38)) {
        w.NUMDAYS = 1;
        w.RNUMDAYS = 1.0f;
        w.MONTHZ = TMON(m);
        w.MODATE = TDAY(m);
    } else {
        w.NUMDAYS = MODAYS(m);
        w.RNUMDAYS = static_cast<REAL>(w.NUMDAYS);
        w.MONTHZ = m;
        w.MODATE = -999;
    }
    // Non-residential tariffs take their seasons from the time-of-use record.
    if (NFLAG(24)) {
        EWINMON1 = TOUREC.WINMON1;
        EWINMON2 = TOUREC.WINMON2;
    }
    w.winter = in_season(w.MONTHZ, EWINMON1, EWINMON2);
    if (w.winter) {
        EDAYSW += w.NUMDAYS;
        ECHARGW += ECUSTOMCHG * w.RNUMDAYS;
    } else {
        EDAYSS += w.NUMDAYS;
        ECHARGS += ECUSTOMCHG * w.RNUMDAYS;
    }
}

// A combination's members share one meter, which buys in each hour the
// electricity they used, gross of their arrays: the bill nets the arrays'
// summed output once. A member's stored purchases are net of its array
// where its own tiered bill netted them, gross in a time-of-use zone; its
// site energy of the hour is gross everywhere, and less the fuel it burnt
// it is the electricity it used. E is the day's sum.
void members_gross_purchases(CostWork& w, INTEGER m) {
    for (INTEGER h = 1; h <= 24; ++h) {
        const REAL fuel_kwh = TEMPFUEL(h, m) / kBtuPerKwh;
        // The fuel's share is rounded apart from the site energy: an hour
        // without electricity stays at none, not a trace below.
        TEMPKWHR(h, m) = std::max(0.0f, SITEKWHR(h, m) - fuel_kwh);
        w.KWHRSTOT += TEMPKWHR(h, m);
    }
}

// The passes over the months. The first bills; a scheme whose combination
// marker is exactly 1 runs a second pass that recomputes the hourly
// purchases without billing, so that TEMPKWHR and SITEKWHR end gross of PV
// output while COSTEL keeps the billed, netted hours.
void bill_the_months(CostWork& w) {
    for (;;) {
        if (w.single_zone) {
            w.AElit = w.AEeqp = w.AEcl = w.AEHEAT = w.AEFANS = w.AEWH = 0.0f;
            w.HFUEL = 0.0f;
            if (w.FIRSTTIME) AETOT = 0.0f;
            EDAYSW = EDAYSS = 0;
            ECHARGW = ECHARGS = 0.0f;
        }
        for (INTEGER m = 1; m <= 12; ++m) {
            // A month the run left out (a re-read's months) was not
            // simulated: no day of it is billed, its meter charge included,
            // as no day of it is billed for fuel.
            if (DAYFLAG(m) < 0) continue;
            w.KWHRSTOT = 0.0f;
            set_month_frame(w, m);
            set_up_tiered_month(w);
            if (w.single_zone) hourly_electricity(w, m);
            else members_gross_purchases(w, m);
            if (!w.single_zone || w.FIRSTTIME) {
                if (bills_by_time_of_use(w.p)) bill_time_of_use_month(w, m);
                else bill_tiered_month(w, m);
            }
        }
        if (bills_by_time_of_use(w.p)) summarize_time_of_use_year();
        if (w.single_zone && !w.FIRSTTIME) break;
        EGTOTAL = w.COSTe;
        AETOT = w.AElit + w.AEeqp + w.AEFANS + w.AEcl + w.AEHEAT + w.AEWH;
        w.FIRSTTIME = false;
        DBG_FLOAT("COST EGTOTAL", EGTOTAL);
        DBG_FLOAT("COST AETOT", AETOT);
        if (!w.single_zone || STRATEGY(26, w.p) != 1.0f) break;
    }
}

}  // namespace

void COST() {
    DBG_IN("COST");
    CostWork w;
    DBG_INT("COST idnum1", IDNUM1);
    // A combination number held by a line bills into the line's column, on
    // the choices of its leading member, whose building the blocks hold: its
    // members share one meter, so their summed purchases are billed at once.
    w.k = summary_column(IDNUM1);
    w.p = serving_slot(IDNUM1);
    if (w.k == 0 || w.p == 0) {
        DBG_ERROR("COST: scheme number has no summary column, no bill made");
        DBG_OUT("COST");
        return;
    }
    reset_at_entry(w);
    w.single_zone = has_scheme_column(IDNUM1) && STRATEGY(26, w.p) <= 1.0f;
    MemberFuelRows members_fuel{};
    if (w.single_zone) {
        clear_single_zone_results(w.k);
        if (NFLAG(67) || NFLAG(68)) {
            // No bill can be made for a site whose fuels are in error.
            DBG_PRINT("ERROR Fuel Not Compatible");
            DBG_PRINT("ERROR No Gas rates for this Zipcode");
            clear_bill(w);
            write_cost_summary_rows(w);
            DBG_OUT("COST");
            return;
        }
        if (ERATEZONE == 0) ERATEZONE = 10;
    } else if (!members_hold_results(w.k)) {
        DBG_PRINT("COST: no member of the combination holds results, nothing billed");
        clear_combination_rows(w.k);
        clear_bill(w);
        write_cost_summary_rows(w);
        DBG_OUT("COST");
        return;
    } else {
        sum_combination_members(w);
        members_fuel = member_fuel_rows(w.k);
    }
    DBG_INT("COST ERATEZONE", ERATEZONE);
    select_electric_tariff(w);
    bill_the_months(w);
    put_kept_tariff_back(w);
    bill_fuel(w);
    write_cost_summary_rows(w);
    if (!w.single_zone) {
        put_member_fuel_rows(w.k, members_fuel);
        value_members_solar_water(w.k);
    }
    DBG_OUT("COST");
}

}  // namespace mavo
