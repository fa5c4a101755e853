// Amounts a run must give, from the sweep's own tables: the prices of the
// built-in tariffs and the emission factors as the README publishes them
// (taken from the tariff and emission data), and the rates the user typed.
#include "sweep/oracles.h"

#include <cmath>
#include <optional>
#include <sstream>

#include "blocks/blocks.h"

namespace mavo::sweep {

namespace {

// ---------------------------------------------------------------------------
// Tiered electric tariffs (a dwelling at rate zones below 30). A day of the
// month is split at 100 %, 130 %, 200 % and, with five tiers, 300 % of the
// season's daily baseline; each tier at its price; the month is that day's
// cost times the days it stands for. The meter charge is not part of the
// bill (row 36 prices energy only).

struct Tiered {
    enum Kind { kStandard, kSdge, kSmud } kind = kStandard;
    int tiers = 4;
    std::array<double, 5> summer{}, winter{};  // $/kWh by tier
    double baseline_summer = 0.0, baseline_winter = 0.0;  // kWh a day
    int winter_first = 10, winter_last = 5;
    int pge_zone = 0;  // a PG&E zone takes its baselines from its own table every month
    double base_summer = 0.0, base_winter = 0.0;  // SDG&E: the base rate, all a day costs without a baseline
};

// PG&E's baselines, kWh a day, zones -11 to -20: summer, winter.
constexpr double kPgeBaselines[10][2] = {{13.8, 12.2}, {7, 12.3},  {15.5, 11}, {13.8, 11.2}, {7, 8.5},
                                         {8.7, 10.6},  {16.8, 10.1}, {10.1, 10.9}, {10.6, 12.6}, {6.2, 9}};
// SCE's baselines, kWh a day, zones 10 to 17: summer, winter (11 and 12 have none).
constexpr double kSceBaselines[8][2] = {{9.4, 9.8}, {0, 0}, {0, 0}, {18.4, 11.1}, {15.5, 10.6}, {39.8, 8.2},
                                        {11.8, 11.1}, {13.3, 10.8}};
// SDG&E's baselines, kWh a day, zones 1 to 4: summer, winter.
constexpr double kSdgeBaselines[4][2] = {{9.6, 10.1}, {11.2, 10.8}, {14.8, 13.8}, {16.4, 11.2}};
constexpr std::array<double, 5> kSdgeAddersSummer = {0.01662, 0.04044, 0.22084, 0.24084, 0.24084};
constexpr std::array<double, 5> kSdgeAddersWinter = {0.08989, 0.11371, 0.25886, 0.27886, 0.27886};
constexpr double kSdgeBaseSummer = 0.14812, kSdgeBaseWinter = 0.07485;
// SMUD states its allowances per month of 365/12 days.
constexpr double kDaysPerMeanMonth = 30.416666;
constexpr double kFlatElectric = 0.121;  // the single flat rate, $/kWh

bool in_season(int month, int first, int last) {
    return first <= last ? month >= first && month <= last : month >= first || month <= last;
}

bool sdge_zone(int z) { return z >= 1 && z <= 4; }
bool smud_zone(int z) { return z == -1 || z == -2; }
bool pge_zone(int z) { return z >= -20 && z <= -11; }
bool sce_zone(int z) { return z >= 10 && z <= 17; }

Tiered sdge_tariff(double base_summer, double base_winter, const std::array<double, 5>& add_summer,
                   const std::array<double, 5>& add_winter) {
    Tiered t;
    t.kind = Tiered::kSdge;
    t.base_summer = base_summer;
    t.base_winter = base_winter;
    for (std::size_t i = 0; i < 5; ++i) {
        t.summer[i] = base_summer + add_summer[i];
        t.winter[i] = base_winter + add_winter[i];
    }
    t.winter_first = 11;
    t.winter_last = 4;
    return t;
}

// The built-in tiered tariff of rate zone z, or the single flat rate.
std::optional<Tiered> built_in_tiered(int z, bool flat) {
    Tiered t;
    if (flat) {  // one rate in every zone, SDG&E's and SMUD's included
        t.summer.fill(kFlatElectric);
        t.winter.fill(kFlatElectric);
        t.winter_first = 1;
        t.winter_last = 12;
        return t;
    }
    if (sce_zone(z)) {
        t.summer = t.winter = {0.1485, 0.1928, 0.27962, 0.3196, 0.99999};
        t.baseline_summer = kSceBaselines[z - 10][0];
        t.baseline_winter = kSceBaselines[z - 10][1];
        return t;
    }
    if (pge_zone(z)) {
        t.tiers = 5;
        t.summer = t.winter = {0.15293, 0.17614, 0.26445, 0.32445, 0.32445};
        t.winter_first = 11;
        t.winter_last = 4;
        t.pge_zone = z;
        return t;
    }
    if (sdge_zone(z)) {
        t = sdge_tariff(kSdgeBaseSummer, kSdgeBaseWinter, kSdgeAddersSummer, kSdgeAddersWinter);
        t.baseline_summer = kSdgeBaselines[z - 1][0];
        t.baseline_winter = kSdgeBaselines[z - 1][1];
        return t;
    }
    if (smud_zone(z)) {
        t.kind = Tiered::kSmud;
        t.summer = {0.1033, 0.1836, 0, 0, 0};
        t.winter = {0.0955, 0.1771, 0, 0, 0};
        t.baseline_summer = 765.0 / kDaysPerMeanMonth;
        t.baseline_winter = 690.0 / kDaysPerMeanMonth;
        t.winter_first = 11;
        t.winter_last = 4;
        return t;
    }
    return std::nullopt;  // no tariff of its own: the bill keeps whatever words stood
}

// The user's revised words billed at rate zone z. A PG&E zone still takes
// its baselines from its table each month, and SDG&E's scheme 1 its
// built-in base rates and tier adders (with the user's baselines): both as
// the kernel bills them, which the README states.
std::optional<Tiered> user_tiered(const UserRates& u, int z, INTEGER slot) {
    Tiered t;
    std::array<double, 5> tier{};
    for (std::size_t i = 0; i < 5; ++i) tier[i] = u.tier[i];
    if (sdge_zone(z)) {
        std::array<double, 5> s{}, w{};
        for (std::size_t i = 0; i < 4; ++i) {
            s[i] = u.adder_summer[i];
            w[i] = u.adder_winter[i];
        }
        s[4] = s[3];
        w[4] = w[3];
        t = slot <= 1 ? sdge_tariff(kSdgeBaseSummer, kSdgeBaseWinter, kSdgeAddersSummer, kSdgeAddersWinter)
                      : sdge_tariff(tier[1], tier[0], s, w);
    } else if (smud_zone(z)) {
        t.kind = Tiered::kSmud;
        t.summer = {tier[0], tier[1], 0, 0, 0};
        t.winter = {u.smud_winter[0], u.smud_winter[1], 0, 0, 0};
    } else {
        t.tiers = z >= 10 ? 4 : 5;
        t.summer = t.winter = tier;
        if (pge_zone(z)) t.pge_zone = z;
    }
    t.baseline_summer = u.baseline_summer / (t.kind == Tiered::kSmud ? kDaysPerMeanMonth : 1.0);
    t.baseline_winter = u.baseline_winter / (t.kind == Tiered::kSmud ? kDaysPerMeanMonth : 1.0);
    t.winter_first = u.winter_first;
    t.winter_last = u.winter_last;
    return t;
}

// Tier quantities of one day of e kWh against a baseline b.
std::array<double, 5> tiers_of(double e, double b, int tiers) {
    std::array<double, 5> q{};
    if (b <= 0.0 || e <= b) {
        q[0] = e;
    } else if (e <= 1.3 * b) {
        q = {b, e - b, 0, 0, 0};
    } else if (e <= 2.0 * b) {
        q = {b, 0.3 * b, e - 1.3 * b, 0, 0};
    } else if (tiers >= 5 && e > 3.0 * b) {
        q = {b, 0.3 * b, 0.7 * b, b, e - 3.0 * b};
    } else {
        q = {b, 0.3 * b, 0.7 * b, e - 2.0 * b, 0};
    }
    return q;
}

double tiered_bill(const Tiered& t, const Metered& e) {
    double bill = 0.0;
    for (std::size_t m = 0; m < 12; ++m) {
        double day = 0.0;
        for (const double kwh : e.kwh[m]) day += kwh;
        const bool winter = in_season(e.season_month[m], t.winter_first, t.winter_last);
        double b = winter ? t.baseline_winter : t.baseline_summer;
        if (t.pge_zone != 0) b = kPgeBaselines[-t.pge_zone - 11][winter ? 1 : 0];
        const std::array<double, 5>& price = winter ? t.winter : t.summer;
        std::array<double, 5> q{};
        if (t.kind == Tiered::kSmud) {
            q = b <= 0.0 || day <= b ? std::array<double, 5>{day, 0, 0, 0, 0}
                                     : std::array<double, 5>{b, day - b, 0, 0, 0};
        } else if (t.kind == Tiered::kSdge && b <= 0.0) {
            bill += (winter ? t.base_winter : t.base_summer) * day * e.days[m];
            continue;
        } else {
            q = tiers_of(day, b, t.kind == Tiered::kSdge ? 4 : t.tiers);
        }
        for (std::size_t i = 0; i < 5; ++i) bill += price[i] * q[i] * e.days[m];
    }
    return bill;
}

// ---------------------------------------------------------------------------
// Time-of-use tariffs (another building, rate zones 32 to 38): every hour in
// one of four periods, periods 3 and 1 sharing a price; the customer charge
// is billed by the day. The period of each hour, winter and summer, as the
// README lists them for each record.

struct TimeOfUse {
    double charge = 0.0;  // $/day
    int winter_first = 10, winter_last = 5;
    std::array<int, 24> winter_list{}, summer_list{};
    std::array<double, 3> winter{}, summer{};  // periods 2, 3 and 1, 4
};

// Hour lists written as runs of hours: {last hour, period}, ...
std::array<int, 24> hour_list(std::initializer_list<std::pair<int, int>> runs) {
    std::array<int, 24> list{};
    int h = 1;
    for (const auto& [last, period] : runs)
        for (; h <= last; ++h) list[static_cast<std::size_t>(h - 1)] = period;
    return list;
}

std::optional<TimeOfUse> built_in_time_of_use(int z) {
    TimeOfUse t;
    switch (z) {
        case 32:
        case 36:
            t.charge = 0.836;
            t.winter_list = hour_list({{7, 4}, {20, 2}, {24, 4}});
            t.summer_list = hour_list({{7, 4}, {11, 1}, {17, 2}, {22, 3}, {24, 4}});
            t.summer = {0.18457, 0.08848, 0.06477};
            t.winter = {0.14602, 0, 0.08848};
            return t;
        case 33:
            t.charge = 0.39;
            t.winter_list = hour_list({{5, 4}, {16, 1}, {19, 2}, {21, 3}, {24, 4}});
            t.summer_list = hour_list({{5, 4}, {10, 1}, {17, 2}, {21, 3}, {24, 4}});
            t.summer = {0.27731, 0.24394, 0.2086};
            t.winter = {0.22732, 0.21242, 0.19176};
            return t;
        case 34:
            t.charge = 0.32854;
            t.winter_list = hour_list({{7, 4}, {16, 2}, {24, 4}});
            t.summer_list = hour_list({{7, 4}, {11, 1}, {17, 2}, {21, 3}, {24, 4}});
            t.summer = {0.2547, 0.24562, 0.21801};
            t.winter = {0.17359, 0, 0.15381};
            return t;
        case 35:
            t.charge = 3.34;
            t.winter_list = hour_list({{11, 4}, {21, 2}, {24, 4}});
            t.summer_list = hour_list({{11, 4}, {13, 1}, {19, 2}, {21, 3}, {24, 4}});
            t.summer = {0.1888, 0.129, 0.1026};
            t.winter = {0.0981, 0, 0.078};
            return t;
        case 38:
            t.winter_first = 1;
            t.winter_last = 12;
            t.winter_list = t.summer_list = hour_list({{24, 2}});
            t.winter = t.summer = {0.0984, 0.0984, 0.0984};
            return t;
        default: return std::nullopt;
    }
}

// The user's record: every month winter, period 2 from its first start
// hour, period 4 from its second and before the first.
TimeOfUse user_time_of_use(const UserRates& u) {
    TimeOfUse t;
    t.charge = u.meter_charge;
    t.winter_first = 1;
    t.winter_last = 12;
    t.winter_list = hour_list({{u.period_hours[0] - 1, 4}, {u.period_hours[2] - 1, 2}, {24, 4}});
    t.summer_list = t.winter_list;
    for (std::size_t i = 0; i < 3; ++i) t.winter[i] = t.summer[i] = u.period[i];
    return t;
}

double time_of_use_bill(const TimeOfUse& t, const Metered& e) {
    double bill = 0.0;
    for (std::size_t m = 0; m < 12; ++m) {
        const bool winter = in_season(e.season_month[m], t.winter_first, t.winter_last);
        const std::array<int, 24>& list = winter ? t.winter_list : t.summer_list;
        const std::array<double, 3>& price = winter ? t.winter : t.summer;
        for (std::size_t h = 0; h < 24; ++h) {
            const int q = list[h];
            const double rate = q == 2 ? price[0] : q == 4 ? price[2] : price[1];
            bill += (e.kwh[m][h] * rate + t.charge / 24.0) * e.days[m];
        }
    }
    return bill;
}

// ---------------------------------------------------------------------------
// Gas tariffs: each month's therms split at the season's daily baseline
// times its days, the customer charge billed by the day.

struct Gas {
    double base_winter = 0, above_winter = 0, base_summer = 0, above_summer = 0;  // $/therm
    double baseline_winter = 0, baseline_summer = 0;  // therms a day
    double charge = 0;  // $/day
    int winter_first = 11, winter_last = 4;
};

Gas gas_of(double base_w, double above_w, double base_s, double above_s, double baseline_w, double baseline_s,
           double charge, int first, int last) {
    return {base_w, above_w, base_s, above_s, baseline_w, baseline_s, charge, first, last};
}

// A dwelling's gas by its choice (row 3) and gas rate zone.
std::optional<Gas> dwelling_gas(int choice, int zone) {
    constexpr double kWinter[9] = {2.18, 2.02, 1.82, 1.92, 1.79, 1.79, 1.69, 2.02, 2.64};
    constexpr double kSummer[9] = {0.46, 0.65, 0.43, 0.46, 0.65, 0.67, 0.69, 0.59, 0.82};
    if (zone == 0) zone = 1;
    switch (choice) {
        case 1:
            return gas_of(0.93347, 1.19347, 0.93347, 1.19347, zone == 2 ? 1.823 : zone == 3 ? 2.95 : 1.691, 0.473,
                          0.16438, 11, 4);
        case 2: return gas_of(1.17991, 1.34539, 1.17991, 1.34539, 1.546, 0.493, 0.0, 11, 4);
        case 3:
        case 4: {
            const int g = std::abs(zone);
            if (g < 1 || g > 9) return std::nullopt;
            return gas_of(1.11497, 1.49415, 1.11497, 1.49415, kWinter[g - 1], kSummer[g - 1], 0.0, 11, 4);
        }
        case 6: return gas_of(1.097, 1.097, 1.097, 1.097, 100000, 100000, 0.0, 1, 12);
        default: return std::nullopt;  // 5 keeps the rates that stood; others load nothing
    }
}

// Another building's gas by its gas rate zone.
std::optional<Gas> building_gas(int zone) {
    if (zone <= 11 || zone == 15) return gas_of(0.8875, 0.63164, 0.8875, 0.63164, 8.22, 8.22, 0.49315, 12, 3);
    if (zone == 12) return gas_of(0.76503, 0.59786, 0, 0, 32.87671, 0, 0.32877, 1, 12);
    if (zone == 13)
        return gas_of(1.05255, 0.70476, 0.94006, 0.66167, 4000 / 152.08333, 4000 / 212.91666, 0.52106, 11, 4);
    if (zone == 16) return gas_of(1.389, 1.389, 1.389, 1.389, 111111112, 111111112, 0.0, 1, 12);
    return std::nullopt;
}

Gas user_gas(const UserRates& u) {
    return gas_of(u.therm_base, u.therm_above, u.therm_base_summer, u.therm_above_summer, u.gas_baseline_winter,
                  u.gas_baseline_summer, u.gas_charge, u.gas_winter_first, u.gas_winter_last);
}

double gas_bill(const Gas& g, const Metered& e) {
    double bill = 0.0;
    for (std::size_t m = 0; m < 12; ++m) {
        const bool winter = in_season(e.season_month[m], g.winter_first, g.winter_last);
        const double t = e.therms[m], b = (winter ? g.baseline_winter : g.baseline_summer) * e.days[m];
        const double base = winter ? g.base_winter : g.base_summer, above = winter ? g.above_winter : g.above_summer;
        bill += (t > b ? base * b + above * (t - b) : base * t) + g.charge * e.days[m];
    }
    return bill;
}

// Propane and oil: $ a gallon, and heat of a gallon in MMBtu.
constexpr double kPropanePrice = 2.7, kOilPrice = 2.9;
constexpr double kPropaneMmbtu = 0.091, kOilMmbtu = 0.137, kThermMmbtu = 0.1;

// ---------------------------------------------------------------------------
// Emission factors: CO2, SOx, NOx in lb/MWh of electricity or lb/MMBtu of
// fuel, and mercury.

struct Factors {
    double co2, sox, nox, mercury;
};

constexpr Factors kSce = {665.26, 1.5669, 1.509, 1.9e-05};
constexpr Factors kSdge = {843.56, 0.004, 0.09, 0};
constexpr Factors kPge = {489, 0.002, 0.09, 0};
constexpr Factors kSmud = {517.43, 0.004, 0.072, 0};
constexpr Factors kCalifornia = {540.06, 0.1348, 0.223, 2e-06};
constexpr Factors kUsStandard = {1760, 0, 0, 0};
constexpr Factors kUsTotal = {1329.3, 5.2598, 1.939, 2.71e-05};
constexpr Factors kNaturalGas = {117, 0.001, 0.04, 0};
constexpr Factors kOil = {560, 0, 0, 0};
constexpr Factors kPropane = {505, 0, 0, 0};

// The factors of a row of the emission table, by its number.
std::optional<Factors> table_row(int n) {
    switch (n) {
        case 1: return kSce;
        case 2: return kSdge;
        case 3: return kPge;
        case 4: return kSmud;
        case 6: return kCalifornia;
        case 10: return kUsStandard;
        case 11: return kUsTotal;
        case 13: return kNaturalGas;
        case 22: return kOil;
        case 26: return kPropane;
        default: return std::nullopt;
    }
}

Factors electricity_factors(int z, bool california) {
    if (z >= 30) {
        if (z == 32) return kSce;
        if (z == 33) return kSdge;
        if (z == 34) return kPge;
        if (z == 35) return kSmud;
        return california ? kCalifornia : kUsTotal;
    }
    if (smud_zone(z)) return kSmud;
    if (sdge_zone(z)) return kSdge;
    if (pge_zone(z)) return kPge;
    if (z >= 5 && z <= 17) return kSce;
    return kUsStandard;
}

std::string money(double x) {
    std::ostringstream o;
    o.setf(std::ios::fixed);
    o.precision(4);
    o << x;
    return o.str();
}

// A cent on a house's bill; the kernel sums its hours in single precision,
// which a large building's bill of millions of kWh feels.
bool within_a_cent(double x, double want) { return std::fabs(x - want) <= 0.01 + 2e-5 * std::fabs(want); }

bool california_site(const Checker& k, const Run& r) {
    if (r.metered.weather_file.empty()) return true;  // a zip code or zone of zipcodes.sce
    const auto place = k.in.places.find(r.metered.weather_file);
    return place != k.in.places.end() && place->second.california;
}

// What a bill is priced from: the run's purchases and the tariff its
// scheme stands on.
struct Priced {
    const Metered* metered = nullptr;
    INTEGER electric_zone = 0, gas_zone = 0, column = 0;
    REAL electric_choice = 0.0f, gas_choice = 0.0f;  // rows 1 and 3 of the column
    bool user_electric = false, user_gas = false;
    double days = 0.0, floor_area = 0.0, array_kwh = 0.0, fuel_units = 0.0;  // rows 48, 1, 70, 66
};

Priced priced_of(const Run& r) {
    Priced p;
    p.metered = &r.metered;
    p.electric_zone = r.electric_zone;
    p.gas_zone = r.gas_zone;
    p.column = r.column;
    p.electric_choice = r.params[0];
    p.gas_choice = r.params[2];
    p.user_electric = r.user_electric;
    p.user_gas = r.user_gas;
    p.days = r.days();
    p.floor_area = r.rows[0];
    p.array_kwh = r.rows[69];
    p.fuel_units = r.rows[65];
    return p;
}

struct Bill {
    double amount = 0.0;
    std::string tariff;
};

// The electricity bill (row 36) a run's purchases owe on its tariff, where
// the sweep can price it.
std::optional<Bill> electric_bill(const UserRates& u, const Priced& p) {
    const Metered& e = *p.metered;
    const int z = p.electric_zone;
    // A whole year, or twelve days (months a re-read left out are billed
    // nothing, but their months are not known here).
    if (p.days != 365.0 && (e.year || p.days != 12.0)) return std::nullopt;
    if (!e.nonresidential && z < 30) {
        // A tiered bill credits the array's output apart from the gross
        // bill; the run's purchases are net of it after the bill.
        if (p.array_kwh != 0.0) return std::nullopt;
        // A large building made a house buys millions of kWh, whose hours
        // the kernel sums in single precision beyond a cent.
        if (p.floor_area > 20000.0) return std::nullopt;
        const bool flat = p.electric_choice == 7.0f;
        const std::optional<Tiered> t = p.user_electric ? user_tiered(u, z, p.column) : built_in_tiered(z, flat);
        if (!t) return std::nullopt;
        return Bill{tiered_bill(*t, e), std::string(p.user_electric ? "the user's rates"
                                                    : flat          ? "the single flat rate"
                                                                    : "the built-in tiers") +
                                            " of rate zone " + std::to_string(z)};
    }
    if (e.nonresidential && z >= 30 && p.electric_choice != 7.0f) {
        const std::optional<TimeOfUse> t =
            p.user_electric ? std::optional<TimeOfUse>(user_time_of_use(u)) : built_in_time_of_use(z);
        if (!t) return std::nullopt;
        return Bill{time_of_use_bill(*t, e),
                    std::string(p.user_electric ? "the user's time-of-use rates" : "the time-of-use record") +
                        " of rate zone " + std::to_string(z)};
    }
    return std::nullopt;
}

// The fuel bill (row 35) of a run's fuel, where the sweep can price it.
std::optional<Bill> fuel_bill(const UserRates& u, const Priced& p) {
    const Metered& e = *p.metered;
    const REAL fuel = e.fuel_type;
    if (fuel == 4.0f) return Bill{0.0, "electric heat (no fuel)"};
    if (fuel == 2.0f || fuel == 3.0f)
        return Bill{p.fuel_units * (fuel == 2.0f ? kPropanePrice : kOilPrice),
                    fuel == 2.0f ? "propane at $2.70 a gallon" : "oil at $2.90 a gallon"};
    if ((fuel <= 1.0f || fuel == 10.0f) && p.days == 365.0) {
        std::optional<Gas> g;
        if (p.user_gas) g = user_gas(u);
        else if (e.nonresidential) g = building_gas(p.gas_zone);
        else g = dwelling_gas(static_cast<int>(std::floor(p.gas_choice)), p.gas_zone);
        if (!g) return std::nullopt;
        return Bill{gas_bill(*g, e), std::string(p.user_gas ? "the user's gas rates" : "the built-in gas tariff") +
                                         " of gas rate zone " + std::to_string(p.gas_zone)};
    }
    return std::nullopt;
}

void check_electric_bill(Checker& k, const Run& r) {
    const std::optional<Bill> bill = electric_bill(k.c.user_rates, priced_of(r));
    if (!bill) return;
    const std::string invariant = "a run's electricity bill is its purchases priced on its tariff (row 36)";
    k.reached(invariant);
    if (!within_a_cent(r.rows[35], bill->amount))
        k.fail(invariant, r.step + ": row 36 is $" + money(r.rows[35]) + ", $" + money(bill->amount) + " on " +
                              bill->tariff);
}

void check_fuel_bill(Checker& k, const Run& r) {
    const std::optional<Bill> bill = fuel_bill(k.c.user_rates, priced_of(r));
    if (!bill) return;
    const std::string invariant = "a run's fuel bill is its fuel priced on its tariff (row 35)";
    k.reached(invariant);
    if (!within_a_cent(r.rows[34], bill->amount))
        k.fail(invariant, r.step + ": row 35 is $" + money(r.rows[34]) + ", $" + money(bill->amount) + " on " +
                              bill->tariff);
}

void check_emissions(Checker& k, const Run& r) {
    const std::vector<REAL>& row = r.rows;
    const REAL fuel = r.metered.fuel_type;
    Factors e = electricity_factors(r.electric_zone, california_site(k, r));
    Factors f = fuel == 2.0f ? kPropane : fuel == 3.0f ? kOil : kNaturalGas;
    if (r.column >= 3) {
        // A library slot keeps the rows stored with it (chosen where it was
        // last designed or moved, or by the user) on every run.
        const std::optional<Factors> stored_e = table_row(r.metered.electricity_row),
                                     stored_f = table_row(r.metered.fuel_row);
        if (!stored_e || !stored_f) return;
        e = *stored_e;
        f = *stored_f;
    }
    const double unit = fuel == 2.0f ? kPropaneMmbtu : fuel == 3.0f ? kOilMmbtu : kThermMmbtu;
    const double mwh = row[55] * 0.001, mmbtu = fuel == 4.0f ? 0.0 : row[72] * unit;
    const std::pair<int, double> want[] = {
        {41, e.nox * mwh + f.nox * mmbtu},
        {42, e.sox * mwh + f.sox * mmbtu},
        {45, e.mercury * mwh + f.mercury * mmbtu},
        {46, e.co2 * mwh},
        {47, e.co2 * mwh + f.co2 * mmbtu},
        {61, 3.0 * e.co2 * mwh + f.co2 * mmbtu},
        {62, row[69] * 0.001 * e.co2},
    };
    const std::string invariant = "a run's emissions are its purchases times the published factors";
    k.reached(invariant);
    for (const auto& [n, value] : want)
        if (std::fabs(row[static_cast<std::size_t>(n - 1)] - value) > 0.01 + 1e-5 * std::fabs(value)) {
            std::ostringstream o;
            o.precision(9);
            o << r.step << ": row " << n << " is " << row[static_cast<std::size_t>(n - 1)] << " lb, " << value
              << " from " << row[55] << " kWh (row 56) at " << e.co2 << " lb/MWh of CO2 and " << row[72]
              << " units of fuel (row 73), rate zone " << r.electric_zone << ", fuel type " << fuel;
            return k.fail(invariant, o.str());
        }
}

}  // namespace

void check_amounts(Checker& k, const Run& r) {
    // A scheme of several zones sums its lines' members; not billed here.
    if (r.params[25] > 1.0f) return;
    check_electric_bill(k, r);
    check_fuel_bill(k, r);
    check_emissions(k, r);
    if (r.user_electric || r.user_gas) {
        const std::string invariant = "the user's revised rates stay with the scheme that bills them";
        k.reached(invariant);
        for (const auto& [flag, due] : {std::pair{82, r.user_electric}, std::pair{83, r.user_gas}})
            if (due && !saved_flag(k.in, r.files, r.column, flag))
                return k.fail(invariant, r.step + ": the saved input file dropped flag " + std::to_string(flag));
    }
}

void check_line_bills(Checker& k, const Run& r, REAL command, INTEGER second) {
    if (r.rc != 0) return;
    if (command == 205.0f && !r.refused) k.year_runs.erase(second);
    // The slot the run ended on: a copy's target, a select's scheme.
    const INTEGER current = IDNUM1;
    if (current >= 1 && current <= 9) {
        if (r.metered.year && r.days() == 365.0f) {
            Run kept = r;
            kept.files.clear();
            kept.column = current;
            kept.rows.clear();
            kept.params.clear();
            for (INTEGER row = 1; row <= 80; ++row) kept.rows.push_back(SUMARY(row, current));
            for (INTEGER row = 1; row <= 310; ++row) kept.params.push_back(STRATEGY(row, current));
            // The rates the slot keeps are those its save kept.
            kept.user_electric = saved_flag(k.in, r.files, current, 82);
            kept.user_gas = saved_flag(k.in, r.files, current, 83);
            k.year_runs[current] = kept;
        } else {
            k.year_runs.erase(current);
        }
        // Scheme 2 stands at scheme 1's site: a copy into scheme 1 (which
        // may bring another site) leaves scheme 2's year at a site a line
        // it leads is no longer billed at, until scheme 2 runs again.
        if (current == 1 && command == 201.0f && !r.refused) k.year_runs.erase(2);
    }
    const std::string invariant = "a line is billed on its leading member's tariff for its members' summed purchases";
    for (INTEGER line = 1; line <= 9; ++line) {
        const INTEGER number = NCOMBO(line), col = 9 + line;
        if (number < 12 || SUMARY(48, col) != 365.0f) continue;
        std::vector<INTEGER> members;
        for (INTEGER n = number; n > 0; n /= 10) members.insert(members.begin(), n % 10);
        // Every member's stored results are the year this case metered,
        // without an array (whose output the metered hours are net of).
        // The user's basic choices hold for the run the host set them for,
        // not for a line's bill; members burning other fuels are priced
        // each on its own fuel's terms.
        const auto leading = k.year_runs.find(members.front());
        if (leading == k.year_runs.end() || k.flags_every_run.count(members.front())) continue;
        const Run& leader = leading->second;
        bool priced = true;
        for (const INTEGER m : members) {
            const auto run = k.year_runs.find(m);
            priced = priced && run != k.year_runs.end() && SUMARY(48, m) == 365.0f && SUMARY(70, m) == 0.0f &&
                     close_enough(SUMARY(25, m), run->second.rows[24]) &&
                     run->second.metered.nonresidential == leader.metered.nonresidential &&
                     run->second.metered.fuel_type == leader.metered.fuel_type;
        }
        if (!priced) continue;
        Metered summed = leader.metered;
        for (auto& month : summed.kwh) month.fill(0.0);
        summed.therms.fill(0.0);
        for (const INTEGER m : members) {
            const Metered& e = k.year_runs.at(m).metered;
            for (std::size_t month = 0; month < 12; ++month) {
                summed.therms[month] += e.therms[month];
                for (std::size_t h = 0; h < 24; ++h) summed.kwh[month][h] += e.kwh[month][h];
            }
        }
        Priced p = priced_of(leader);
        p.metered = &summed;
        p.floor_area = SUMARY(1, col);
        p.fuel_units = SUMARY(66, col);
        p.array_kwh = 0.0;
        const std::optional<Bill> electric = electric_bill(k.c.user_rates, p);
        const std::optional<Bill> fuel = fuel_bill(k.c.user_rates, p);
        if (electric || fuel) k.reached(invariant);
        std::ostringstream o;
        o << r.step << ": line " << line << " (" << number << ", its members' rate zones";
        for (const INTEGER m : members)
            o << ' ' << k.year_runs.at(m).electric_zone << '/' << k.year_runs.at(m).gas_zone;
        o << ") ";
        if (electric && !within_a_cent(SUMARY(36, col), electric->amount))
            return k.fail(invariant, o.str() + "row 36 is $" + money(SUMARY(36, col)) + ", $" +
                                         money(electric->amount) + " on " + electric->tariff + " of scheme " +
                                         std::to_string(members.front()));
        if (fuel && !within_a_cent(SUMARY(35, col), fuel->amount))
            return k.fail(invariant, o.str() + "row 35 is $" + money(SUMARY(35, col)) + ", $" + money(fuel->amount) +
                                         " on " + fuel->tariff + " of scheme " + std::to_string(members.front()));
    }
}

}  // namespace mavo::sweep

namespace mavo::sweep {

void check_solar_savings(Checker& k, const fs::path& p, const fs::path& side, const Run& with) {
    const Case& c = k.c;
    const INTEGER s = c.slot;
    // Collectors on a slot whose heater suits the site, or an array.
    const bool collectors = c.solar_water != 0.0f && c.water_heater > 0 && !c.heater_mismatch;
    const bool array = c.photovoltaic_kw != 0.0f || c.modules > 0.0f || c.solar_ready;
    if (!with.simulated() || (!collectors && !array)) return;
    fs::remove_all(side);
    fs::copy(p, side, fs::copy_options::recursive);
    edit_scheme(k.in, side, s, [&] {
        STRATEGY(41, s) = 0.0f;
        SQTY(1) = 0.0f;
        STRATEGY(50, s) = 0.0f;
    });
    const Run without = k.run(side, s, 0.0f, "year run of slot " + std::to_string(s) + " without its collectors and array");
    fs::remove_all(side);
    if (!without.simulated()) return;
    const std::vector<REAL>&a = with.rows, &b = without.rows;
    auto row = [](const std::vector<REAL>& v, int n) { return static_cast<double>(v[static_cast<std::size_t>(n - 1)]); };
    // The kernel sums hours in single precision: a large building's
    // totals carry a few millionths of error.
    auto near = [](double x, double want, double scale) {
        return std::fabs(x - want) <= 0.01 + 1e-3 * std::fabs(want) + 4e-6 * std::fabs(scale);
    };
    std::vector<std::string> wrong;
    auto expect = [&](const std::string& what, double x, double want, double scale) {
        if (near(x, want, scale)) return;
        std::ostringstream o;
        o.precision(9);
        o << what << " is " << x << ", due " << want;
        wrong.push_back(o.str());
    };
    bool compared = false;
    if (collectors) {
        // Fuel saved (row 64) is the heater's fuel (row 65) the collectors
        // take off, and so off all fuel (row 66); electricity saved (row 74)
        // the heater's electricity (row 75) and all electricity (row 25);
        // each valued at the year's mean price of its energy.
        expect("row 64 (fuel saved)", row(a, 64), row(b, 65) - row(a, 65), row(b, 66));
        expect("row 64 (fuel saved) against all fuel", row(a, 64), row(b, 66) - row(a, 66), row(b, 66));
        expect("row 74 (electricity saved)", row(a, 74), row(b, 75) - row(a, 75), row(b, 25));
        expect("row 74 (electricity saved) against all electricity", row(a, 74), row(b, 25) - row(a, 25), row(b, 25));
        expect("row 76 (row 64 x row 35 / row 66)", row(a, 76),
               row(a, 66) > 0.0 ? row(a, 64) * row(a, 35) / row(a, 66) : 0.0, row(a, 35));
        expect("row 77 (row 74 x row 36 / row 25)", row(a, 77),
               row(a, 25) > 0.0 ? row(a, 74) * row(a, 36) / row(a, 25) : 0.0, row(a, 36));
        compared = compared || row(b, 65) != row(a, 65) || row(b, 75) != row(a, 75) || row(a, 64) != 0.0 ||
                   row(a, 74) != 0.0;
    }
    if (array) {
        // The array's output (row 70) is the electricity bought less (row
        // 56, beside what the collectors saved), its value the output at the
        // mean price, the gross bill (row 36) as without the array's output
        // where no collectors change the purchases.
        expect("row 70 (the array's output)", row(a, 70), row(b, 56) - row(a, 56) - (row(b, 25) - row(a, 25)),
               row(b, 56));
        // Row 56 is row 25 less row 70 by the summary's own rule, so the
        // line above holds whatever row 70 says: the output is also the sum
        // of the hours the bill took off the meter's purchases.
        double netted = 0.0;
        for (std::size_t m = 0; m < 12; ++m)
            for (const double kwh : with.metered.pv[m]) netted += kwh * with.metered.days[m];
        expect("row 70 (the array's output) against the hours the bill took off the purchases", row(a, 70), netted,
               row(b, 56));
        expect("row 55 (row 70 x row 36 / row 25)", row(a, 55),
               row(a, 25) > 0.0 ? row(a, 70) * row(a, 36) / row(a, 25) : 0.0, row(a, 36));
        expect("row 57 (row 36 - row 55)", row(a, 57), row(a, 36) - row(a, 55), row(a, 36));
        if (!collectors) expect("row 36 (the gross bill)", row(a, 36), row(b, 36), row(b, 36));
        compared = compared || row(a, 70) != 0.0 || row(b, 56) != row(a, 56);
    }
    const std::string invariant = "collectors and an array save what the slot run without them buys more";
    if (!compared) return;
    k.reached(invariant);
    if (!wrong.empty()) k.fail(invariant, "slot " + std::to_string(s) + ": " + wrong.front());
}

}  // namespace mavo::sweep
