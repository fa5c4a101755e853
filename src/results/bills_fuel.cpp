// Fuel bills: the gas tariff of the site is loaded (unless the user revised
// it), the hourly fuel of space heating, water heating and appliances is
// turned into therms, priced and split at the season's baseline; propane
// and oil are priced by the gallon instead.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/bills_steps.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kBtuPerTherm = 100000.0f;
constexpr REAL kBtuPerPropaneGallon = 91000.0f;
constexpr REAL kBtuPerOilGallon = 137000.0f;
// Fuel in kWh of site energy: 100 kBtu per therm over 3.412 kBtu per kWh.
constexpr REAL kKbtuPerTherm = 100.0f;
constexpr REAL kKbtuPerKwh = 3.412f;
constexpr REAL kHoursPerDay = 24.0f;
// Baselines that no use reaches: the tariff has a single tier, therms/day.
constexpr REAL kFlatGasBaselineTherms = 100000.0f;
constexpr REAL kUntieredGasBaselineTherms = 111111112.0f;
// BLK33Y states its baselines per season: the days of a November-April
// winter and of the rest of the year, in mean months of 365/12 days.
constexpr REAL kWinterSeasonDays = 152.08333f;
constexpr REAL kSummerSeasonDays = 212.91666f;

BLK33A_t& site() { return BLK33A; }

void set_both_seasons(REAL base, REAL above) {
    site().GASBASE = site().GASBASES = base;
    site().GASABOVE = site().GASABOVES = above;
}

// Gas territory tariff of BLK33G: nine baseline territories.
void load_territory_gas_tariff() {
    BLK33A_t& a = site();
    a.GASYEAR = int_toward_zero(BLK33G.YEAR);
    set_both_seasons(BLK33G.BASERATE, BLK33G.ABOVERATE);
    a.GCUSTOMCHG = BLK33G.CUSTCHG;
    a.GASMULT = BLK33G.MULT;
    a.GWINMON1 = BLK33N.WINMON1;
    a.GWINMON2 = BLK33N.WINMON2;
    const INTEGER g = a.GRATEZONE < 0 ? -a.GRATEZONE : a.GRATEZONE;
    if (g >= 1 && g <= 9) {
        GBASEW = BLK33G.BASEW(g);
        GBASES = BLK33G.BASES(g);
    } else {
        DBG_INT("COST: gas rate zone outside territories 1-9, baselines kept", a.GRATEZONE);
    }
}

// Gas choice 5, a site whose gas no built-in utility tariff prices (outside
// California, or a zip record naming no gas territory): the block's own
// rate set, which every new project carries, the whole year at its winter
// rates and without a baseline, so every therm is billed above it. A site
// left with the tariff its previous site loaded would bill that site's gas.
void load_generic_gas_tariff() {
    BLK33A_t& a = site();
    const BLK33A_t built_in{};
    const BLK33B_t no_baseline{};
    a.GASYEAR = built_in.GASYEAR;
    set_both_seasons(built_in.GASBASE, built_in.GASABOVE);
    a.GCUSTOMCHG = built_in.GCUSTOMCHG;
    a.GASMULT = built_in.GASMULT;
    a.GWINMON1 = built_in.GWINMON1;
    a.GWINMON2 = built_in.GWINMON2;
    GBASEW = no_baseline.GBASEW;
    GBASES = no_baseline.GBASES;
}

// Residential tariffs by the scheme's gas tariff choice s = STRATEGY(3,k).
void load_residential_gas_tariff(REAL s) {
    BLK33A_t& a = site();
    if (s >= 5.0f && s < 6.0f) {
        load_generic_gas_tariff();
    } else if (s >= 6.0f && s < 7.0f) {
        a.GASYEAR = int_toward_zero(BLK33.FLATGYEAR);
        set_both_seasons(BLK33.FLATGRATE, BLK33.FLATGRATE);
        a.GASMULT = 1.0f;
        a.GCUSTOMCHG = 0.0f;
        a.GWINMON1 = 1;
        a.GWINMON2 = 12;
        GBASEW = GBASES = kFlatGasBaselineTherms;
    } else if (s >= 1.0f && s < 2.0f) {
        a.GASYEAR = BLK33L.YEAR;
        set_both_seasons(BLK33L.BASERATE, BLK33L.ABOVERATE);
        a.GCUSTOMCHG = BLK33L.CUSTCHG;
        a.GWINMON1 = BLK33L.WINMON1;
        a.GWINMON2 = BLK33L.WINMON2;
        if (a.GRATEZONE == 2) GBASEW = BLK33L.BASEW(2);
        else if (a.GRATEZONE == 3) GBASEW = BLK33L.BASEW(3);
        else GBASEW = BLK33L.BASEW(1);
        GBASES = BLK33L.BASES;
    } else if (s >= 3.0f && s < 5.0f) {
        load_territory_gas_tariff();
    } else if (s >= 2.0f && s < 3.0f) {
        a.GASYEAR = BLK33J.YEAR;
        set_both_seasons(BLK33J.BASERATE, BLK33J.ABOVERATE);
        a.GCUSTOMCHG = 0.0f;
        a.GASMULT = 1.0f;
        GBASEW = BLK33J.BASEW;
        GBASES = BLK33J.BASES;
        a.GWINMON1 = BLK33H.WINMON1;
        a.GWINMON2 = BLK33H.WINMON2;
    }
}

// Non-residential tariffs by gas rate zone.
void load_nonresidential_gas_tariff(INTEGER z) {
    BLK33A_t& a = site();
    if (z <= 11 || z == 15) {
        a.GASYEAR = BLK33W.YEAR;
        set_both_seasons(BLK33W.BASERATE, BLK33W.ABOVERATE);
        a.GCUSTOMCHG = BLK33W.CUSTCHG;
        GBASEW = GBASES = BLK33W.BASE;
        a.GWINMON1 = BLK33W.WINMON1;
        a.GWINMON2 = BLK33W.WINMON2;
    } else if (z == 12) {
        a.GASYEAR = BLK33X.YEAR;
        a.GASBASE = BLK33X.BASERATE;
        a.GASABOVE = BLK33X.ABOVERATE;
        a.GCUSTOMCHG = BLK33X.CUSTCHG;
        a.GASMULT = 1.0f;
        GBASEW = BLK33X.BASEW;
        GBASES = BLK33X.BASES;
        a.GWINMON1 = BLK33X.WINMON1;
        a.GWINMON2 = BLK33X.WINMON2;
    } else if (z == 13) {
        a.GASYEAR = BLK33Y.YEAR;
        a.GASBASE = BLK33Y.BASERATEW;
        a.GASABOVE = BLK33Y.ABOVERATEW;
        a.GASBASES = BLK33Y.BASERATES;
        a.GASABOVES = BLK33Y.ABOVERATES;
        a.GCUSTOMCHG = BLK33Y.CUSTCHG;
        a.GASMULT = BLK33Y.MULT;
        GBASEW = BLK33Y.SEASONBASEW / kWinterSeasonDays;
        GBASES = BLK33Y.SEASONBASES / kSummerSeasonDays;
        a.GWINMON1 = BLK33N.WINMON1;
        a.GWINMON2 = BLK33N.WINMON2;
    } else if (z == 16) {
        a.GASYEAR = BLK33Z.YEAR;
        set_both_seasons(BLK33Z.RATE, BLK33Z.RATE);
        a.GCUSTOMCHG = BLK33Z.CUSTCHG;
        a.GASMULT = 1.0f;
        a.GWINMON1 = 1;
        a.GWINMON2 = 12;
        GBASEW = GBASES = kUntieredGasBaselineTherms;
    }
}

void load_gas_tariff(const CostWork& w) {
    if (site().GRATEZONE == 0) site().GRATEZONE = 1;
    if (!NFLAG(83)) {
        if (!NFLAG(24)) load_residential_gas_tariff(STRATEGY(3, w.p));
        else load_nonresidential_gas_tariff(site().GRATEZONE);
    }
    // Marks the fuel choice as a non-residential one, once; only in the
    // scheme's own column (a combination's leading member keeps its own).
    if (NFLAG(24) && w.p == w.k && STRATEGY(3, w.p) < 10.0f) STRATEGY(3, w.p) += 10.0f;
    DBG_FLOAT("COST GASBASE", site().GASBASE);
    DBG_FLOAT("COST GCUSTOMCHG", site().GCUSTOMCHG);
}

// Therms of furnace heat for one hour over `days` days; only a fuel furnace
// (efficiency a fraction) burns fuel for the heating load.
REAL heating_therms(INTEGER h, INTEGER m, REAL days) {
    const REAL load_btuh = HVACLD(h, m);
    if (COPHT > 0.0f && COPHT < 1.0f && load_btuh < 0.0f) return -load_btuh / (COPHT * kBtuPerTherm) * days;
    return 0.0f;
}

REAL site_kwh_of_therms(REAL therms) { return therms * kKbtuPerTherm / kKbtuPerKwh; }

// Therms a combination buys in one hour over `days` days: what its members
// bought, each member's loads burnt by its own furnace and water heater
// (their stored hourly purchases, added), not its summed loads burnt by
// the leading member's equipment.
REAL members_fuel_therms(INTEGER h, INTEGER m, REAL days) { return TEMPFUEL(h, m) / kBtuPerTherm * days; }

// Gas of the hours of month m; returns the month's therms.
REAL gas_hours(CostWork& w, INTEGER m, INTEGER days, bool winter) {
    BLK33A_t& a = site();
    const REAL wdays = static_cast<REAL>(days);
    const REAL base_rate = winter ? a.GASBASE : a.GASBASES;
    REAL month_therms = 0.0f;
    if (winter) GDAYSW += days;
    else GDAYSS += days;
    for (INTEGER h = 1; h <= 24; ++h) {
        const REAL charge = a.GCUSTOMCHG * wdays / kHoursPerDay;
        if (winter) GCHARGW += charge;
        else GCHARGS += charge;
        REAL f = 0.0f;
        if (w.single_zone) {
            const REAL heat = heating_therms(h, m, wdays);
            const REAL water = (WHTYPE == 1 || WHTYPE == 5) ? WHENER(h, m) / kBtuPerTherm * wdays : 0.0f;
            const REAL appliances = EQFUEL(h, m) / kBtuPerTherm * wdays;
            w.HFUEL += heat;
            w.AFWH += water;
            w.AFeqpt += appliances;
            f = heat + water + appliances;
        } else {
            f = members_fuel_therms(h, m, wdays);
        }
        month_therms += f;
        // Twelve-day summer days are billed without a baseline split.
        if (!NFLAG(38) && !winter) GTHERMS += f;
        COSTFUEL(h, m) = (base_rate * f + charge) / wdays;
        if (w.single_zone) SITEKWHR(h, m) += site_kwh_of_therms(f) / wdays;
        TEMPFUEL(h, m) = f * kBtuPerTherm / wdays;
    }
    return month_therms;
}

// Splits `therms` used on days of months first..last at a baseline of
// `baseline` therms, rescaling those days' hourly costs to the tiered price.
void split_at_baseline(REAL therms, REAL baseline, bool winter, INTEGER first, INTEGER last) {
    BLK33A_t& a = site();
    REAL& at_base = winter ? GTHERMW : GTHERMS;
    REAL& above_base = winter ? GTHERMWAB : GTHERMSAB;
    if (therms <= baseline) {
        at_base += therms;
        return;
    }
    const REAL base_rate = winter ? a.GASBASE : a.GASBASES;
    const REAL above_rate = winter ? a.GASABOVE : a.GASABOVES;
    const REAL base_cost = therms * base_rate;
    const REAL r = base_cost > 0.0f ? (base_rate * baseline + (therms - baseline) * above_rate) / base_cost : 0.0f;
    const REAL charge = a.GCUSTOMCHG / kHoursPerDay;
    for (INTEGER m = first; m <= last; ++m) {
        if (DAYFLAG(m) < 0) continue;
        for (INTEGER h = 1; h <= 24; ++h) COSTFUEL(h, m) = (COSTFUEL(h, m) - charge) * r + charge;
    }
    at_base += baseline;
    above_base += therms - baseline;
}

// The last counted representative day of its calendar month closes the
// pool of winter days that share that month.
bool closes_winter_pool(INTEGER m) {
    if (m == 12) return true;
    return DAYFLAG(m + 1) < 0 || TMON(m + 1) != TMON(m);
}

void bill_gas(CostWork& w) {
    BLK33A_t& a = site();
    COSTF = 0.0f;
    const bool full_year = NFLAG(38);
    // Twelve-day runs: winter days of one calendar month are split together,
    // their mean day against the daily baseline.
    REAL pool_therms = 0.0f;
    INTEGER pool_days = 0;
    INTEGER pool_first = 0;
    for (INTEGER m = 1; m <= 12; ++m) {
        if (DAYFLAG(m) < 0) continue;
        const INTEGER days = full_year ? MODAYS(m) : 1;
        const INTEGER season_month = full_year ? m : TMON(m);
        const bool winter = in_season(season_month, a.GWINMON1, a.GWINMON2);
        const REAL therms = gas_hours(w, m, days, winter);
        if (full_year) {
            const REAL baseline = (winter ? GBASEW : GBASES) * static_cast<REAL>(days);
            split_at_baseline(therms, baseline, winter, m, m);
        } else if (winter) {
            if (pool_days == 0) pool_first = m;
            pool_therms += therms;
            ++pool_days;
            if (closes_winter_pool(m)) {
                split_at_baseline(pool_therms, GBASEW * static_cast<REAL>(pool_days), true, pool_first, m);
                pool_therms = 0.0f;
                pool_days = 0;
            }
        }
        w.AFTOT += therms;
    }
    GCOSTW = GTHERMW * a.GASBASE;
    GCOSTWAB = GTHERMWAB * a.GASABOVE;
    GCOSTS = GTHERMS * a.GASBASES;
    GCOSTSAB = GTHERMSAB * a.GASABOVES;
    COSTF = GCHARGW + GCOSTW + GCOSTWAB + GCHARGS + GCOSTS + GCOSTSAB;
    DBG_FLOAT("COST gas COSTF", COSTF);
}

// Propane and oil by the gallon; any other fuel here (a site without gas
// rates) burns nothing and costs nothing.
void bill_bottled_fuel(CostWork& w) {
    const REAL fuel = FUELTYPE;
    const bool propane = burns_propane(fuel);
    const bool oil = burns_oil(fuel);
    const REAL btu_per_unit = propane ? kBtuPerPropaneGallon : oil ? kBtuPerOilGallon : kBtuPerTherm;
    const REAL price = propane ? site().PROPANEPRICE : oil ? site().OILPRICE : 0.0f;
    for (INTEGER m = 1; m <= 12; ++m) {
        if (DAYFLAG(m) < 0) continue;
        const REAL wdays = static_cast<REAL>(NFLAG(38) ? MODAYS(m) : 1);
        for (INTEGER h = 1; h <= 24; ++h) {
            REAL f = 0.0f;
            if (!w.single_zone) {
                f = members_fuel_therms(h, m, wdays);
            } else if (propane || oil) {
                const REAL heat = heating_therms(h, m, wdays);
                w.HFUEL += heat;
                f += heat;
                if ((propane && WHTYPE == 3) || (oil && WHTYPE == 4)) {
                    const REAL water = WHENER(h, m) / kBtuPerTherm * wdays;
                    w.AFWH += water;
                    f += water;
                }
                // Oil burns only in the furnace and water heater.
                if (propane) {
                    const REAL appliances = EQFUEL(h, m) / kBtuPerTherm * wdays;
                    w.AFeqpt += appliances;
                    f += appliances;
                }
            }
            w.AFTOT += f;
            if (w.single_zone) SITEKWHR(h, m) += site_kwh_of_therms(f) / wdays;
            TEMPFUEL(h, m) = f * kBtuPerTherm / wdays;
            COSTFUEL(h, m) = f * kBtuPerTherm / btu_per_unit * price / wdays;
        }
    }
    FUELBTU = btu_per_unit;
}

}  // namespace

void design_scheme_fuel_prices() {
    if (IDNUM1 > 2) return;
    site().PROPANEPRICE = BLK33K.PROPANE;
    site().OILPRICE = BLK33K.OIL;
}

void bill_fuel(CostWork& w) {
    GDAYSW = GDAYSS = 0;
    GCHARGW = GTHERMW = GCOSTW = GTHERMWAB = GCOSTWAB = 0.0f;
    GCHARGS = GTHERMS = GCOSTS = GTHERMSAB = GCOSTSAB = 0.0f;
    COSTF = 0.0f;
    w.HFUEL = w.AFWH = w.AFeqpt = w.AFTOT = 0.0f;
    design_scheme_fuel_prices();
    const REAL fuel = FUELTYPE;
    DBG_FLOAT("COST FUELTYPE", fuel);
    if (burns_propane(fuel) || burns_oil(fuel)) {
        bill_bottled_fuel(w);
        return;
    }
    if (fuel == 4.0f) return;  // all-electric: no fuel
    load_gas_tariff(w);
    const bool not_gas = fuel > 1.0f && fuel != 10.0f;
    const bool no_gas_rate = site().GASBASE <= 0.0f && site().GCUSTOMCHG <= 0.0f;
    if (not_gas || no_gas_rate) bill_bottled_fuel(w);
    else bill_gas(w);
}

}  // namespace mavo
