// The steps of the bill computation COST and the working values they pass
// between them for one call. Only the bill files and their tests include
// this header.
#pragma once
#include <optional>

#include "blocks/tariff_tables.h"
#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// Working values of one call of COST.
constexpr REAL kFlatRateChoice = 7.0f;  // STRATEGY(1,k) of the single flat rate

// The scheme chose the single flat rate, which bills as one tier in any zone.
inline bool bills_flat_rate(INTEGER k) { return STRATEGY(1, k) == kFlatRateChoice; }

// A time-of-use zone bills by the hour unless the scheme chose the flat rate.
inline bool bills_by_time_of_use(INTEGER k) { return ERATEZONE >= 30 && !bills_flat_rate(k); }

// The electric tariff words a scheme keeps in its files where the user
// revised its rates (flag 82): the tariff words of BLK33C (not the rate
// zone, the site's, nor the year's cost), the baselines, SMUD words and
// SDG&E tier adders of BLK33D, the upper and SMUD winter rates of BLK33E,
// and the time-of-use record.
struct KeptElectricTariff {
    BLK33C_t electric;
    REAL EBASEW = 0.0f, EBASES = 0.0f;
    REAL ESMUDCARRYW = 0.0f, ESMUDCARRYS = 0.0f;
    FArray<REAL, 5> ETIERADDS{}, ETIERADDW{};
    REAL ERATE3 = 0.0f, ERATE4 = 0.0f, ERATE5 = 0.0f;
    FArray<REAL, 3> ERATEW{};
    TouRecord TOUREC{};
};

struct CostWork {
    INTEGER k = 0;             // summary column of the scheme: IDNUM1, or a combination line's 9 + line
    INTEGER p = 0;             // parameter column of its choices: IDNUM1, or a combination's leading member
    bool single_zone = true;   // STRATEGY(26,k) <= 1; else a combination of schemes
    bool FIRSTTIME = true;     // first pass over the months (the billing pass)
    INTEGER NUMDAYS = 1;       // days the month's representative day stands for
    REAL RNUMDAYS = 1.0f;      // the same as REAL
    INTEGER MONTHZ = 0;        // calendar month that decides the season
    INTEGER MODATE = 0;        // day of the month of the representative day (traced only)
    bool winter = false;       // the month lies in the electric winter
    REAL KWHRSTOT = 0.0f;      // kWh of one day of the month
    REAL COSTe = 0.0f;         // electricity cost of the year, gross of PV, $
    REAL AElit = 0.0f;         // lighting electricity of the year, kWh
    REAL AEeqp = 0.0f;         // equipment and plug electricity, kWh
    REAL AEcl = 0.0f;          // cooling electricity, kWh
    REAL AEHEAT = 0.0f;        // electric space heating, kWh
    REAL AEFANS = 0.0f;        // fans and blowers, kWh
    REAL AEWH = 0.0f;          // electric water heating, kWh
    REAL base_rate = 0.0f;     // the month's base rate that values PV output in tiered bills, $/kWh
    REAL sdge_adder = 0.0f;    // per-kWh adder of an SDG&E load, $/kWh
    REAL smud_adder = 0.0f;    // per-kWh adder of a SMUD load, $/kWh
    // The words a scheme keeps under flag 82, as the selection found them:
    // put back in force once the electric bill is made.
    std::optional<KeptElectricTariff> kept_tariff;
    REAL HFUEL = 0.0f;         // heating fuel of the year, therms
    REAL AFWH = 0.0f;          // water-heater fuel, therms
    REAL AFeqpt = 0.0f;        // appliance and equipment fuel, therms
    REAL AFTOT = 0.0f;         // all fuel, therms
};

// Whether a month lies in a season running from month `first` to month
// `last`; a season with first > last runs across the new year.
constexpr bool in_season(INTEGER month, INTEGER first, INTEGER last) {
    if (first <= last) return first <= month && month <= last;
    return month >= first || month <= last;
}

// Fuel types of the site (FUELTYPE): 1 or less, or exactly 10, natural gas;
// 2 propane and 3 heating oil, billed by the gallon; 4 electric.
constexpr bool burns_natural_gas(REAL fuel_type) { return fuel_type <= 1.0f || fuel_type == 10.0f; }
constexpr bool burns_propane(REAL fuel_type) { return fuel_type == 2.0f; }
constexpr bool burns_oil(REAL fuel_type) { return fuel_type == 3.0f; }

// kWh of one day in each tier for a day of e_kwh against a baseline of
// b_kwh (b_kwh > 0). Breaks at 100 %, 130 % and 200 % of the baseline; with
// five tiers also at 300 %. Each break belongs to the lower tier.
FArray<REAL, 5> tier_quantities(REAL e_kwh, REAL b_kwh, int tiers);

// Period code (1-4) of each hour of a winter and of a summer day from the
// boundary hours of a time-of-use record.
void tou_hour_lists(const TouRecord& rec, FArray<INTEGER, 24>& winter_list, FArray<INTEGER, 24>& summer_list);

// Tariff selection: loads the electric tariff of the scheme into the working
// blocks and, in time-of-use zones, the time-of-use record and hour lists.
// Where the scheme keeps its rates (flag 82) nothing is loaded and the kept
// words are noted in the working values.
void select_electric_tariff(CostWork& w);
// The bill charges from the words in force as the months set them up (the
// SDG&E reloads of scheme 1, the PG&E monthly baselines, the upper rates a
// tariff without a summer baseline clears, the seasons of a time-of-use
// record and of a non-residential building); a scheme that keeps its rates
// gets them back in force once the electric bill is made, so its files
// keep what the user typed and every run bills the same.
void put_kept_tariff_back(const CostWork& w);

// Month set-up of the tiered tariffs: base rate, monthly baselines, SDG&E
// reloads and tier adders.
void set_up_tiered_month(CostWork& w);
// Tiered bill of month m (rate zones below 30), with PV netting.
void bill_tiered_month(CostWork& w, INTEGER m);

// Time-of-use bill of month m (rate zones 30 and above), with PV credit.
void bill_time_of_use_month(CostWork& w, INTEGER m);
// Time-of-use year summary into TOUCOST and the season charges.
void summarize_time_of_use_year();

// Fuel half: gas tariff, hourly fuel, baseline split, bottled fuel.
void bill_fuel(CostWork& w);

// Closing step: the annual energy and cost rows of SUMARY(.,k).
void write_cost_summary_rows(CostWork& w);

}  // namespace mavo
