// Laws a run's hours obey, computed from the sweep's own tables (the
// README's "Loads, schedules and water heating") and the run's inputs.
#include "sweep/laws.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "blocks/blocks.h"
#include "sweep/law_tables.h"

namespace mavo::sweep {

namespace {

using laws::Day;
using laws::TypeTable;

constexpr double kBtuPerWh = 3.412;
// A house's occupants and appliances give off the day's share of their
// heat in each hour: 0.6515625 of the full load over the 24 hours.
constexpr double kHouseDayShare = 0.6515625 * 24.0;
// Hours no sun lights at any site of the sweep (the weather directory's
// California stations, Chicago and Phoenix, in standard time): a window's
// daylight saves no electric light then.
constexpr int kDarkHours[] = {1, 2, 3, 4, 22, 23, 24};

double at(const Day& d, INTEGER h) { return d[static_cast<std::size_t>(h - 1)]; }

// Within float noise of the kernel's single-precision sums.
bool near(double x, double want, double absolute) {
    return std::fabs(x - want) <= 1e-4 * std::max(std::fabs(x), std::fabs(want)) + absolute;
}

std::string where(const Run& r, INTEGER h, INTEGER m) {
    std::ostringstream o;
    o << r.step << " (slot " << r.column << ", " << (NFLAG(24) ? "type " + std::to_string(NTYPE) : "a house")
      << ", " << AREAT << " ft2): hour " << h << " of " << (NFLAG(38) ? "month " : "day ") << m;
    return o.str();
}

std::string number(double x) {
    std::ostringstream o;
    o.precision(7);
    o << x;
    return o.str();
}

// The published loads of another building's type; none for a house.
std::optional<TypeTable> type_of_run() {
    if (!NFLAG(24)) return std::nullopt;
    return laws::type_table(NTYPE);
}

// ---------------------------------------------------------------------------
// Lighting: the density over the floor at the hour's lights-on fraction,
// less what daylight saves; in the dark hours nothing is saved.

void check_lighting(Checker& k, const Run& r) {
    const std::string invariant = "lighting is its density over the floor at the hour's lights-on fraction";
    const std::optional<TypeTable> t = type_of_run();
    if (NFLAG(24) && !t) return;
    Day on{};
    double density = LIGHTS;
    if (t) {
        // Schemes 1 and 2 take the type's density on every run; a library
        // slot keeps the one its input file holds.
        if (r.column <= 2) density = t->lighting;
        for (std::size_t h = 0; h < 24; ++h) on[h] = t->lights[h] / 100.0;
    } else {
        // A house's window of whole hours, its ends as the run resolved them.
        const REAL first = HRLITEON, last = HRLITEOFF;
        if (first < 1.0f || first > 24.0f || last < 1.0f || last > 24.0f) return;
        const int a = static_cast<int>(first), b = static_cast<int>(last);
        for (int h = 1; h <= 24; ++h)
            on[static_cast<std::size_t>(h - 1)] = (a <= b ? (h >= a && h <= b) : (h <= b || h >= a)) ? 1.0 : 0.0;
    }
    const double full_btuh = density * AREAT * kBtuPerWh;
    k.reached(invariant);
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) {
            const double want = full_btuh * at(on, h), got = HEAT(13, h, m);
            const bool dark = std::find(std::begin(kDarkHours), std::end(kDarkHours), h) != std::end(kDarkHours);
            if (dark ? !near(got, want, 0.01) : got > want * (1.0 + 1e-4) + 0.01)
                return k.fail(invariant, where(r, h, m) + ": lights give " + number(got) + " Btu/h, " +
                                             (dark ? "" : "at most ") + number(want) + " from " + number(density) +
                                             " W/ft2 at " + number(at(on, h) * 100.0) + " %");
        }
}

// ---------------------------------------------------------------------------
// Occupants: their sensible heat at the hour's occupancy.

void check_occupants(Checker& k, const Run& r) {
    const std::string invariant = "the occupants' gain is their sensible heat at the hour's occupancy";
    const std::optional<TypeTable> t = type_of_run();
    if (NFLAG(24) && !t) return;
    double people = PEOPLE, sensible = PBTUH;
    if (t && r.column <= 2) {
        people = AREAT * t->occupants / 1000.0;
        sensible = t->sensible;
    }
    k.reached(invariant);
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) {
            const double share = t ? at(t->occupancy, h) / 100.0 : at(laws::kOccupants, h) * kHouseDayShare;
            const double want = people * sensible * share, got = HEAT(15, h, m);
            if (!near(got, want, 0.01))
                return k.fail(invariant, where(r, h, m) + ": occupants give " + number(got) + " Btu/h, " +
                                             number(want) + " from " + number(people) + " people at " +
                                             number(sensible) + " Btu/h");
        }
}

// ---------------------------------------------------------------------------
// Equipment: another building's per-area loads and appliance table at their
// schedules; a house's yearly appliance energy by the hour's and the
// month's shares.

// A gross load below a thousandth is none.
double gross(double x) { return x < 0.001 ? 0.0 : x; }

double appliance_column(int column, int rows) {
    double s = 0.0;
    for (INTEGER row = 1; row <= rows; ++row) s += APPLIANCE(row, column);
    return s;
}

void check_building_equipment(Checker& k, const Run& r, const TypeTable& t, const std::string& invariant) {
    // The hoods' and the elevator's schedules are not among the published
    // rows: a run whose appliance table holds them is not checked.
    if (appliance_column(4, 8) != 0.0 || appliance_column(5, 8) != 0.0 || appliance_column(6, 8) != 0.0) return;
    const double area = AREAT;
    double gas = DGHEATPHR, cold = REHEATPHR, plugs = EEHEATPHR;
    if (r.column <= 2) {
        // An existing building's scheme 2 uses more, by its age.
        const REAL year = STRATEGY(11, 2);
        const double older = r.column == 2 && year > 100.0f && year < 2013.0f ? 1.0 + 0.0056 * (2013.0 - year) : 1.0;
        gas = t.gas * older;
        cold = t.refrigeration * older;
        plugs = t.plugs * older;
    }
    const double cold_kw = gross(cold * area / 1000.0 + appliance_column(2, 8));
    const double plug_kw = gross(plugs * area / 1000.0 + appliance_column(3, 8));
    // A warehouse burns no gas in its equipment, nor does a site without gas.
    const bool burns = t.type != 11 && r.params[2] != 10.0f;
    const double gas_kbtuh = burns ? gross(gas * area / 1000.0 + appliance_column(1, 8)) : 0.0;
    k.reached(invariant);
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) {
            const double kwh = cold_kw * at(t.cold_storage, h) / 100.0 + plug_kw * at(t.equipment, h) / 100.0;
            const double btu = 1000.0 * gas_kbtuh * at(t.cooking, h) / 100.0;
            if (!near(EQKWHR(h, m), kwh, 1e-4) || !near(EQFUEL(h, m), btu, 0.01))
                return k.fail(invariant, where(r, h, m) + ": equipment " + number(EQKWHR(h, m)) + " kWh and " +
                                             number(EQFUEL(h, m)) + " Btu, " + number(kwh) + " and " + number(btu) +
                                             " from " + number(plugs) + " W/ft2 of plugs, " + number(cold) +
                                             " of refrigeration, " + number(gas) + " Btu/h.ft2 of gas");
        }
}

void check_house_equipment(Checker& k, const Run& r, const std::string& invariant) {
    const double area = AREAT, fuel = r.metered.fuel_type;
    const bool gas_site = (fuel >= -1.0 && fuel <= 2.0) || fuel == 10.0;
    const bool no_gas = fuel == 3.0 || fuel == 4.0;
    // Yearly energy of the five columns: the defaults of a gas or an
    // electric house plus the appliance table (schemes 1 and 2 use the
    // defaults only; the run empties their table).
    const double gas1 = no_gas ? 0.0 : std::max(0.0, (gas_site ? 29.1 : 0.0) + appliance_column(1, 10));
    const double elec2 = std::max(0.0, (gas_site ? 0.0 : 757.00006) + appliance_column(2, 10));
    const double gas3 = no_gas ? 0.0 : std::max(0.0, (gas_site ? 37.2 : 0.0) + appliance_column(3, 10));
    const double elec4 = std::max(0.0, (gas_site ? 0.0 : 969.0) + appliance_column(4, 10));
    const double d1 = gas1 * 100000.0 / 365.0, d3 = gas3 * 100000.0 / 365.0;
    const double e2 = elec2 / 365.0, e4 = elec4 / 365.0;
    // The other electric loads bring the day's gains up to 20000 Btu and
    // 15 Btu a ft2, or are 0.15 W/ft2 where the listed gains pass that.
    const double target = 20000.0 + 15.0 * area;
    const double listed = d1 + 0.1 * d3 + (e2 + 0.1 * e4) * kBtuPerWh * 1000.0 + PBTUH * PEOPLE * kHouseDayShare +
                          LIGHTS * kBtuPerWh * area * kHouseDayShare;
    const double missing = listed < target ? target - listed : 0.15 * area * 24.0 * kBtuPerWh;
    double other = missing / (kBtuPerWh * 1000.0) * 365.0 + appliance_column(5, 10);
    if (r.column >= 3 && std::fabs(other) < 0.001) other = 0.0;
    const double e5 = other / 365.0;
    k.reached(invariant);
    for (INTEGER m = 1; m <= 12; ++m) {
        const INTEGER month = NFLAG(38) ? m : TMON(m);
        if (month < 1 || month > 12) continue;
        const double f = laws::kMonths[static_cast<std::size_t>(month - 1)];
        for (INTEGER h = 1; h <= 24; ++h) {
            const double share = at(laws::kOccupants, h);
            const double kwh = f * share * (e2 + e4 + e5), btu = f * share * (d1 + d3);
            if (!near(EQKWHR(h, m), kwh, 1e-4) || !near(EQFUEL(h, m), btu, 0.01))
                return k.fail(invariant, where(r, h, m) + ": appliances " + number(EQKWHR(h, m)) + " kWh and " +
                                             number(EQFUEL(h, m)) + " Btu, " + number(kwh) + " and " + number(btu) +
                                             " from " + number(elec2 + elec4 + other) + " kWh and " +
                                             number(gas1 + gas3) + " therms a year");
        }
    }
}

void check_equipment(Checker& k, const Run& r) {
    const std::string invariant = "equipment is its densities and yearly energy at the hour's schedule";
    const std::optional<TypeTable> t = type_of_run();
    if (t) check_building_equipment(k, r, *t, invariant);
    else if (!NFLAG(24)) check_house_equipment(k, r, invariant);
}

// ---------------------------------------------------------------------------
// Water heating without collectors: the hour's draw lifted from the mains
// to the set point, over the burner's recovery efficiency (a heat pump's
// coefficient divides it all), and the heater's standby loss.

struct Heater {
    int arrangement = 0;  // 7 fuel-fired storage, 6 electric storage or heat pump
    double draw_gal = 0, set_C = 0, surroundings_C = 0, efficiency = 1, recovery = 1, ua_WK = 1, multiplier = 1;
    Day share{};  // multiplier of the mean hourly draw
};

double celsius(double f) { return (f - 32.0) * 5.0 / 9.0; }

// The heater's energy in the hour, Btu, with the tank at T.
double heater_btu(const Heater& w, INTEGER h, double T) {
    constexpr double kSecondsOver1000 = 3.5999999046325684;  // the single-precision 3.6
    const double cdot = w.draw_gal * 3.7854 * at(w.share, h) / 24.0 / 1000.0 * 994.0 * 4.182;
    const double standby = (w.set_C - w.surroundings_C) * w.ua_WK * kSecondsOver1000;
    const double flow = std::max(0.0, cdot * (w.set_C - T));
    const bool burner = w.arrangement == 7 && w.efficiency <= 1.0;
    const double kj = burner ? standby + flow / w.recovery : (standby + flow) / std::max(1.0, w.efficiency);
    return kj * 0.94782 * w.multiplier;
}

// The heater the run's inputs choose (its kind and the day's draw its
// file holds), with the efficiencies, standby loss, surroundings, tank and
// multiplier of the README's table, by what the scheme's last design made
// of it (the default tank once collectors sized by rule ran in it).
std::optional<Heater> heater_of_run(const Run& r, const std::optional<TypeTable>& t) {
    Heater w;
    INTEGER type = 1;  // the base schemes burn gas in a storage heater
    if (r.column >= 3) {
        if (SQTY(2) != 0.0f) return std::nullopt;  // collectors: compared run against run
        type = WHTYPE;
        if (type <= 0) return std::nullopt;
        // An in-line heater runs behind a tank of mains water warmed by its
        // surroundings: compared run against run.
        if (type == 5 || type == 6) return std::nullopt;
    }
    w.arrangement = (type == 2 || type >= 7) ? 6 : 7;
    w.draw_gal = SGPD(2);
    const bool building_tank = r.history.design == LastDesign::kBuilding && !r.history.default_tank;
    w.set_C = celsius(building_tank ? laws::kBuildingTank_F : laws::kHouseTank_F);
    w.surroundings_C = celsius(laws::kSurroundings_F);
    w.efficiency = type >= 7 ? laws::kHeatPumpCop : 1.0;
    w.recovery = laws::kRecoveryEfficiency;
    w.ua_WK = laws::kStandbyLoss_WK;
    w.multiplier = r.history.design == LastDesign::kNone ? laws::kNewProjectMultiplier : laws::kDesignedMultiplier;
    if (t) {
        for (std::size_t h = 0; h < 24; ++h) w.share[h] = t->draw[h] / 100.0;
    } else {
        double sum = 0.0;
        for (const double x : laws::kHotWater) sum += x;
        for (std::size_t h = 0; h < 24; ++h) w.share[h] = 24.0 * laws::kHotWater[h] / sum;
    }
    return w;
}

// The ground temperatures of a weather file's GROUND TEMPERATURES line, F:
// each month from the deepest depth that gives it, the depths taken in
// order while each gives July to September, not all 0; none when no depth
// does or a month is left without a value.
std::optional<std::array<double, 12>> ground_of_weather_file(const fs::path& epw) {
    std::ifstream in(epw);
    std::string line;
    for (int n = 0; n < 14 && std::getline(in, line); ++n) {
        if (line.rfind("GROU", 0) != 0) continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string x; std::getline(fields, x, ',');) f.push_back(x);
        auto value = [&](std::size_t i) -> std::optional<double> {
            if (i >= f.size()) return std::nullopt;
            char* end = nullptr;
            const double v = std::strtod(f[i].c_str(), &end);
            return end != f[i].c_str() ? std::optional<double>(v) : std::nullopt;
        };
        std::array<double, 12> ground{};
        std::array<bool, 12> given{};
        // Depth d's months in fields 6 + 16 d to 17 + 16 d (0-based).
        for (std::size_t d = 0; d < 3; ++d) {
            const std::size_t first = 6 + 16 * d;
            const auto jul = value(first + 6), aug = value(first + 7), sep = value(first + 8);
            if (!jul || !aug || !sep || (*jul == 0.0 && *aug == 0.0 && *sep == 0.0)) break;
            for (std::size_t m = 0; m < 12; ++m)
                if (const auto c = value(first + m)) {
                    ground[m] = *c * 9.0 / 5.0 + 32.0;
                    given[m] = true;
                }
        }
        for (const bool g : given)
            if (!g) return std::nullopt;
        return ground;
    }
    return std::nullopt;
}

// The mains of the run's site, month by month, F: the ground temperatures
// of the weather file it read, or else its climate zone's (README). The run
// read a zone text file where flag 37 is set.
std::optional<std::array<double, 12>> mains_of_site(const Checker& k, const Run& r) {
    const std::string& file = r.metered.weather_file;
    if (!NFLAG(37) && !file.empty())
        if (const auto own = ground_of_weather_file(k.in.weather / file)) return own;
    if (r.climate_zone < 1 || r.climate_zone > 16) return std::nullopt;
    return laws::kMainsByZone_F[static_cast<std::size_t>(r.climate_zone - 1)];
}

INTEGER hours_before(INTEGER month, INTEGER day) {
    INTEGER d = day - 1;
    for (INTEGER m = 1; m < month; ++m) d += MODAYS(m);
    return d * 24;
}

void check_water_heater(Checker& k, const Run& r, REAL command) {
    const std::string invariant =
        "a water heater uses the draw lifted to its set point, over its efficiency, and its standby loss";
    const std::optional<TypeTable> t = type_of_run();
    if (NFLAG(24) && !t) return;
    // A design gives the heater the day's draw and set point of the rule.
    if (command == 243.0f || command == 246.0f) {
        const double area = AREAT;
        double gallons = area > 2500.0 ? 38.15 : 21.4 + 0.0067 * area;
        if (t) gallons = t->type == 14 ? 21.4 + 0.0067 * area : t->hot_water * 24.0 * area * t->occupants / 1000.0;
        const double set_F = t ? t->tank : 135.0;
        k.reached(invariant);
        if (!near(SGPD(2), gallons, 0.01) || STSET(2) != set_F)
            return k.fail(invariant, r.step + ": the design draws " + number(SGPD(2)) + " gal a day at " +
                                         number(STSET(2)) + " F, " + number(gallons) + " at " + number(set_F));
    }
    const std::optional<Heater> w = heater_of_run(r, t);
    if (!w) return;
    const std::optional<std::array<double, 12>> mains_F = mains_of_site(k, r);
    if (!mains_F) return;
    auto mains = [&](INTEGER m) { return celsius((*mains_F)[static_cast<std::size_t>(m - 1)]); };
    k.reached(invariant);
    for (INTEGER m = 1; m <= 12; ++m) {
        const INTEGER month = NFLAG(38) ? m : TMON(m);
        if (month < 1 || month > 12) continue;
        // The tank holds the mains water of the hour before; a year starts,
        // and each stretch of twelve-day runs, at its own hour's mains.
        double before = mains(month);
        if (NFLAG(38) && m > 1) before = mains(m - 1);
        if (!NFLAG(38) && m > 1 && hours_before(TMON(m - 1), TDAY(m - 1)) + 24 == hours_before(month, TDAY(m)))
            before = mains(TMON(m - 1));
        const double days = NFLAG(38) ? MODAYS(m) : 1.0;
        for (INTEGER h = 1; h <= 24; ++h) {
            double btu = heater_btu(*w, h, mains(month));
            if (h == 1) btu = ((days - 1.0) * btu + heater_btu(*w, h, before)) / days;
            if (!near(WHENER(h, m), btu, 0.5))
                return k.fail(invariant, where(r, h, m) + ": the water heater uses " + number(WHENER(h, m)) +
                                             " Btu, " + number(btu) + " for " + number(w->draw_gal) +
                                             " gal a day lifted to " + number(STSET(2)) + " F (arrangement " +
                                             std::to_string(w->arrangement) + ")");
        }
    }
}

// ---------------------------------------------------------------------------
// Thermostat: an hour heated sits at its heating set point, an hour cooled
// at its cooling set point; another building's schedule switches cooling
// off, a house sets back at night. A twelve-day run's hours are one day's;
// a year's are the month's mean, which heating keeps at or above and
// cooling at or below the set point.

void check_thermostat(Checker& k, const Run& r) {
    const std::string invariant = "heating and cooling hold the hour's set points";
    const std::optional<TypeTable> t = type_of_run();
    if (NFLAG(24) && !t) return;
    const INTEGER slot = r.column;
    const REAL venting = std::fabs(STRATEGY(25, slot)), cooling = STRATEGY(20, slot);
    // Ceiling fans and an air conditioner without a rating hold a raised
    // set point; an evaporative cooler cools by its own rule.
    const bool cooling_at_set_point = venting != 10.0f && venting != 11.0f && COPAC > 0.0f && cooling != 6.0f;
    // A house's set points as its last design or its last run as another
    // building left them (README).
    laws::Thermostat house = r.history.design == LastDesign::kHouse ? laws::kDesignedHouse : laws::kNewProject;
    if (r.history.building_type != 0) {
        const std::optional<TypeTable> was = laws::type_table(r.history.building_type);
        if (!was) return;
        house = laws::thermostat_of_schedules(*was);
    }
    auto heat_at = [&](INTEGER h) -> double {
        if (t) return at(t->heating, h);
        if (PEOPLE <= 0.0f) return house.empty_setback;
        return (h < 8 || h == 24) ? std::min(house.comfort_low, house.night_setback) : house.comfort_low;
    };
    auto cool_at = [&](INTEGER h) -> double {
        if (t) return at(t->cooling, h);
        return PEOPLE > 0.0f ? house.comfort_high : std::max(house.comfort_high, house.setup);
    };
    const bool year = NFLAG(38);
    const double slack = year ? 0.25 : 0.01;
    k.reached(invariant);
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) {
            const double load = HVACLD(h, m), inside = IATEMP(h, m);
            std::string wrong;
            if (load < -0.5) {
                const double set = heat_at(h);
                if (year ? inside < set - slack : std::fabs(inside - set) > slack)
                    wrong = "heated to " + number(inside) + " F, set point " + number(set);
            } else if (load > 0.5 && t && at(t->cooling, h) >= 99.0) {
                wrong = "cooled (" + number(load) + " Btu/h) while the schedule has cooling off";
            } else if (load > 0.5 && cooling_at_set_point) {
                const double set = cool_at(h);
                if (year ? inside > set + slack : std::fabs(inside - set) > slack)
                    wrong = "cooled to " + number(inside) + " F, set point " + number(set);
            }
            if (!wrong.empty()) return k.fail(invariant, where(r, h, m) + ": " + wrong);
        }
}

}  // namespace

void check_laws(Checker& k, const Run& r, REAL command) {
    if (!r.simulated() || r.column < 1 || r.column > 9) return;
    // A whole year or twelve days: a re-read's months leave the others empty.
    if (r.days() != (NFLAG(38) ? 365.0f : 12.0f)) return;
    // A scheme of several zones sums its lines' members.
    if (r.params[25] > 1.0f) return;
    check_lighting(k, r);
    check_occupants(k, r);
    check_equipment(k, r);
    check_water_heater(k, r, command);
    check_thermostat(k, r);
}

}  // namespace mavo::sweep
