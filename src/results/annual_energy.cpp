// CALBEP: the hourly results of one day per month reduced to the annual
// summary rows: HVAC output per floor area, the hours of peak heating,
// cooling and electric demand, total cost, site and source energy and mean
// air changes. A comparison fills the difference column instead.
#include "results/annual_energy.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "results/bills_heating.h"
#include "results/hourly_cooling.h"
#include "results/result_columns.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kBtuPerKwh = 3412.0f;
constexpr REAL kKbtuPerKwh = 3.412f;
constexpr REAL kKbtuPerTherm = 100.0f;
constexpr REAL kKbtuPerGallonPropane = 91000.0f / 1000.0f;
constexpr REAL kKbtuPerGallonOil = 137000.0f / 1000.0f;
constexpr REAL kSourcePerSiteElectricity = 3.0f;  // power-plant and grid losses of purchased electricity
constexpr REAL kUnequalMonthOrHour = 99999.0f;

// A peak of the hourly pass with the month and hour where it lies.
struct HourPeak {
    REAL value;
    INTEGER month = 0;
    INTEGER hour = 0;
};

struct YearTotals {
    REAL heating_btu = 0.0f;
    REAL cooling_btu = 0.0f;
    REAL ach_sum = 0.0f;
    INTEGER ach_months = 0;
    HourPeak heating{1.0f};
    HourPeak cooling{-1.0f};
    HourPeak electric{-1.0f};
};

bool is_electric_water_heater(INTEGER type) { return type == 2 || type == 6 || type == 7; }

// Electricity drawn in the hour, kWh: lights, fans, equipment, the air
// conditioner at its COP, electric heat as the bills count it (COPHT in Btu
// per Wh, the cold hours of a heat pump at resistance heat; a furnace's AFUE
// below 1 draws nothing) and an electric water heater.
REAL hour_demand_kwh(INTEGER h, INTEGER m, REAL heating_btuh, REAL cooling_btuh, ElectricHeating heating) {
    REAL d_kwh = HEAT(13, h, m) / kBtuPerKwh + KWHRFA(h, m) + EQKWHR(h, m);
    if (cooling_btuh > 0.0f && COPAC > 0.0f) d_kwh += cooling_btuh / (kBtuPerKwh * COPAC);
    if (heating_btuh < 0.0f) d_kwh += electric_heating_kwh(heating, -heating_btuh, COPHT, FREEZHRS(h, m));
    if (is_electric_water_heater(WHTYPE)) d_kwh += WHENER(h, m) / kBtuPerKwh;
    return d_kwh;
}

// The hourly pass over the twelve days. Heating output is negative,
// cooling positive; each month's sums count once per day it stands for.
// The peak hours are those of a single scheme; a combination line's summed
// loads have none of their own.
YearTotals hourly_pass(bool track_peaks) {
    YearTotals t;
    const REAL heating_code = std::fabs(scheme_code(18));
    const REAL cooling_code = std::fabs(scheme_code(20));
    const bool full_year = NFLAG(38);
    const ElectricHeating heating = electric_heating_kind(scheme_code(18), COPHT);
    REAL heating_btuh = 0.0f;  // without a heating system the zone's net loss stands for it
    for (INTEGER m = 1; m <= 12; ++m) {
        REAL month_heating_btu = 0.0f;
        REAL month_cooling_btu = 0.0f;
        REAL month_ach = 0.0f;
        for (INTEGER h = 1; h <= 24; ++h) {
            if (heating_code > 1.0f) {
                heating_btuh = HVACLD(h, m);
            } else if (heating_code == 1.0f) {
                if (COMHI > TMAX(m) || !full_year) heating_btuh = HEAT(17, h, m);
            } else {
                heating_btuh = 0.0f;
            }
            heating_btuh = std::min(0.0f, heating_btuh);
            // A twelve-day HVACLD holds heating and cooling hours together:
            // only the heating side is heating output.
            if (heating_code > 1.0f) month_heating_btu += heating_btuh;

            REAL cooling_btuh = 0.0f;
            if (cooling_code > 1.0f) {
                cooling_btuh = hour_cooling_output_btu(h, m);
                month_cooling_btu += cooling_btuh;
            } else {
                cooling_btuh = std::max(0.0f, HEAT(17, h, m));
            }

            const REAL demand_kwh = hour_demand_kwh(h, m, heating_btuh, cooling_btuh, heating);
            if (track_peaks) {
                if (heating_btuh < t.heating.value) t.heating = {heating_btuh, m, h};
                if (cooling_btuh >= t.cooling.value) t.cooling = {cooling_btuh, m, h};
                if (demand_kwh > t.electric.value) t.electric = {demand_kwh, m, h};
            }
            month_ach += AIRVOL(h, m);
        }
        const REAL days = full_year ? static_cast<REAL>(MODAYS(m)) : 1.0f;
        t.heating_btu += month_heating_btu * days;
        t.cooling_btu += month_cooling_btu * days;
        t.ach_sum += month_ach / 24.0f;
        if (month_ach > 0.0f) ++t.ach_months;
    }
    return t;
}

// Rows of the peak heating, cooling and electric demand with their months
// and hours.
constexpr INTEGER kFirstPeakRow = 26;
constexpr INTEGER kLastPeakRow = 34;

void store_peaks(INTEGER k, const YearTotals& t) {
    SUMARY(26, k) = t.heating.value / 1000.0f;
    if (t.heating.value < 0.0f) {
        SUMARY(27, k) = static_cast<REAL>(t.heating.month);
        SUMARY(28, k) = static_cast<REAL>(t.heating.hour);
    } else {  // no heating: the chart shows a winter morning
        SUMARY(27, k) = 12.0f;
        SUMARY(28, k) = 6.0f;
    }
    SUMARY(29, k) = t.cooling.value / 1000.0f;
    SUMARY(30, k) = static_cast<REAL>(t.cooling.month);
    SUMARY(31, k) = static_cast<REAL>(t.cooling.hour);
    SUMARY(32, k) = t.electric.value;
    SUMARY(33, k) = static_cast<REAL>(t.electric.month);
    SUMARY(34, k) = static_cast<REAL>(t.electric.hour);
}

// A combination line's peaks are not tracked (its members' summed loads
// have no peak hour of their own): its peak rows hold 0, no result, rather
// than the pass's starting values, which would read as a peak heating of
// 0.001 kBtu/h at 6 am in December.
void store_loads_and_peaks(INTEGER k, const YearTotals& t, REAL area_ft2, bool peaks_tracked) {
    SUMARY(18, k) = t.heating_btu / area_ft2 / 1000.0f;
    SUMARY(19, k) = t.cooling_btu / area_ft2 / 1000.0f;
    SUMARY(20, k) = std::fabs(SUMARY(18, k)) + SUMARY(19, k);
    if (peaks_tracked) {
        store_peaks(k, t);
    } else {
        for (INTEGER r = kFirstPeakRow; r <= kLastPeakRow; ++r) SUMARY(r, k) = 0.0f;
    }
    SUMARY(37, k) = SUMARY(35, k) + SUMARY(36, k);
    SUMARY(40, k) = t.ach_months > 0 ? t.ach_sum / static_cast<REAL>(t.ach_months) : t.ach_sum;
    DBG_FLOAT("CALBEP heating MBtu", t.heating_btu / 1.0e6f);
    DBG_FLOAT("CALBEP cooling MBtu", t.cooling_btu / 1.0e6f);
}

// Heat of one unit of the fuel rows, kBtu: the bills keep propane and oil in
// gallons, gas in therms. 0 for a fuel code that names no fuel.
REAL kbtu_per_fuel_unit(REAL fuel_type) {
    if (fuel_type <= 1.0f || fuel_type == 10.0f) return kKbtuPerTherm;
    if (fuel_type == 2.0f) return kKbtuPerGallonPropane;
    if (fuel_type == 3.0f) return kKbtuPerGallonOil;
    return 0.0f;
}

// Site and source energy by heating fuel. Electricity counts 3.412 kBtu per
// kWh at the site and three times that at the source; fuel counts its own
// heat at both. The net energy is what was bought: the photovoltaic output
// comes off the electricity, while the energy solar water heating displaced
// is already out of both (the water heater's energy is what its auxiliary
// heater used after the solar contribution).
void store_site_and_source(INTEGER k, REAL area_ft2) {
    const REAL e_kwh = SUMARY(25, k);
    const REAL pv_kwh = SUMARY(70, k);
    const REAL fuel = SUMARY(66, k);
    const REAL net_e_kbtu = kKbtuPerKwh * (e_kwh - pv_kwh);
    const REAL source_e_kbtu = kSourcePerSiteElectricity * kKbtuPerKwh * (e_kwh - pv_kwh);
    REAL gross_kwh = 0.0f;
    REAL net_kbtu = 0.0f;
    REAL source_kbtu = 0.0f;
    const REAL f = FUELTYPE;
    const REAL kbtu_per_unit = kbtu_per_fuel_unit(f);
    if (kbtu_per_unit > 0.0f) {  // gas, propane or oil
        gross_kwh = (kKbtuPerKwh * e_kwh + kbtu_per_unit * fuel) / kKbtuPerKwh;
        net_kbtu = net_e_kbtu + kbtu_per_unit * fuel;
        source_kbtu = source_e_kbtu + kbtu_per_unit * fuel;
    } else if (f == 4.0f) {  // all electric
        gross_kwh = e_kwh;
        net_kbtu = net_e_kbtu;
        source_kbtu = source_e_kbtu;
    }
    SUMARY(59, k) = gross_kwh;
    SUMARY(78, k) = net_kbtu / kKbtuPerKwh;
    SUMARY(38, k) = net_kbtu / area_ft2;
    SUMARY(60, k) = SUMARY(78, k) / area_ft2;
    SUMARY(39, k) = source_kbtu / area_ft2;
}

// The member schemes of combination line column k, one at a time.
template <class Visit>
void for_each_member(INTEGER k, Visit visit) {
    INTEGER remaining = NCOMBO(k - 9);
    while (true) {
        INTEGER j = 0;
        INTEGER power = 0;
        STRIPR(remaining, j, power);
        if (j < 1 || j > 9) break;
        visit(j);
    }
}

// Emission rows of a combination line's column: the sums of its members.
// Its days are the days its members' results cover, which are the same for
// every member that holds results (results over other days are not summed
// at all); a member that holds none covers none, and a line of such
// members none either. A sum of the members' days brought back to a year
// or to twelve days took four months of 30 days (120) for twelve.
void sum_member_emissions(INTEGER k) {
    for (INTEGER r = 41; r <= 48; ++r) SUMARY(r, k) = 0.0f;
    for_each_member(k, [k](INTEGER j) {
        for (INTEGER r = 41; r <= 47; ++r) SUMARY(r, k) += SUMARY(r, j);
        if (SUMARY(48, k) == 0.0f && member_holds_results(j)) SUMARY(48, k) = SUMARY(48, j);
    });
}

// A combination line's heating and cooling output and its site and source
// energy are its members' own, each found with its own heating and cooling
// systems and fuel: the summed hourly loads, taken through the leading
// member's systems, lose a zone whose member has none of its own (rows 18
// and 19 read 0), and the summed fuel rows mix the members' units. Per-area
// rows are the summed quantities over the summed floor area (row 1).
constexpr INTEGER kPerAreaRows[] = {18, 19, 38, 39, 60};

void sum_member_energy(INTEGER k, REAL area_ft2) {
    for (const INTEGER r : kPerAreaRows) SUMARY(r, k) = 0.0f;
    SUMARY(59, k) = 0.0f;
    SUMARY(78, k) = 0.0f;
    for_each_member(k, [k](INTEGER j) {
        for (const INTEGER r : kPerAreaRows) SUMARY(r, k) += SUMARY(r, j) * SUMARY(1, j);
        SUMARY(59, k) += SUMARY(59, j);
        SUMARY(78, k) += SUMARY(78, j);
    });
    for (const INTEGER r : kPerAreaRows) SUMARY(r, k) /= area_ft2;
    SUMARY(20, k) = std::fabs(SUMARY(18, k)) + SUMARY(19, k);
}

// Column of scheme number x in a comparison: its own slot, the back-up
// column when a line holds the slot alone, or 9 + the line that holds it;
// later lines win. 0 when no column holds it.
INTEGER comparison_column(INTEGER x) {
    INTEGER column = 0;
    for (INTEGER i = 1; i <= 9; ++i) {
        if (NCOMBO(i) == x) column = 9 + i;
        if (i == x) column = NCOMBO(x) == x ? x + 9 : x;
    }
    return column;
}

// Columns 10 to 18 reached by a scheme number are combination lines'.
constexpr bool is_line_column(INTEGER k) { return k >= 10 && k <= 18; }

bool is_month_or_hour_row(INTEGER r) {
    return r == 27 || r == 28 || r == 30 || r == 31 || r == 33 || r == 34;
}

}  // namespace

void fill_difference_column() {
    INTEGER c1 = comparison_column(IDNUM1);
    const INTEGER c2 = comparison_column(IDNUM2);
    if (c2 == 0) {
        DBG_INT("CALBEP: no column for the compared scheme", IDNUM2);
        return;
    }
    if (c1 == 0) c1 = 19;
    // A combination line has no peaks: against it there is no difference
    // of peaks, months or hours to report.
    const bool line_compared = is_line_column(c1) || is_line_column(c2);
    for (INTEGER r = 18; r <= 47; ++r) {
        if (line_compared && r >= kFirstPeakRow && r <= kLastPeakRow) {
            SUMARY(r, 19) = 0.0f;
        } else if (is_month_or_hour_row(r)) {
            SUMARY(r, 19) = SUMARY(r, c1) == SUMARY(r, c2) ? SUMARY(r, c1) : kUnequalMonthOrHour;
        } else {
            SUMARY(r, 19) = SUMARY(r, c1) - SUMARY(r, c2);
        }
    }
    const REAL days = SUMARY(48, c1) - SUMARY(48, c2);
    SUMARY(48, 19) = days;
    const INTEGER n = int_toward_zero(std::fabs(days));
    const INTEGER years_left = n >= 365 ? n % 365 : n;
    if (years_left <= 0) {
        SUMARY(48, 19) = 365.0f;
        return;
    }
    INTEGER d = int_toward_zero(days);
    if (d > 12) d = (d - 1) % 12 + 1;
    SUMARY(48, 19) = d <= 0 ? 12.0f : std::min(365.0f, days);
}

void CALBEP() {
    DBG_IN("CALBEP");
    // A combination number (the library leaves it in the scheme slot after
    // building, selecting or showing a combination) has its results in the
    // column of the line that holds it, 9 + line; its own number as a column
    // would be the back-up copy of another scheme.
    const INTEGER k = summary_column(IDNUM1);
    const bool combination_line_column = !has_scheme_column(IDNUM1);
    if (!is_result_column(k)) {
        DBG_INT("CALBEP: no summary column for scheme", k);
        DBG_OUT("CALBEP");
        return;
    }
    COSTF = SUMARY(35, k);
    // Floor area of the per-area rows: the column's own row 1, a scheme's
    // floor area (a multi-zone scheme's the sum of its zones') or a line's
    // summed area. Not the scheme's back copy in column k + 9: while line k
    // holds a combination that row is the line's area, and a scheme's
    // results never depend on which lines are in use.
    const REAL area_ft2 = SUMARY(1, k);
    if (k <= 9) AREAT = area_ft2;
    DBG_FLOAT("CALBEP floor area", area_ft2);
    if (area_ft2 < 1.0f) {  // no building to divide by: the column stays as it is
        DBG_OUT("CALBEP");
        return;
    }

    if (IDNUM2 > 0 && !NFLAG(7)) {
        fill_difference_column();
    } else {
        const YearTotals totals = hourly_pass(!combination_line_column);
        AETOT = SUMARY(25, k);
        store_loads_and_peaks(k, totals, area_ft2, !combination_line_column);
        if (combination_line_column) {
            sum_member_energy(k, area_ft2);
            sum_member_emissions(k);
        } else {
            store_site_and_source(k, area_ft2);
        }
    }

    // An invalid simulation reports no HVAC output and no electricity. A
    // line simulates nothing: the flag then holds its leading member's
    // status, read with its input file, and each member's own column
    // already reports its own simulation, which the line adds up.
    if (!NFLAG(80) && !combination_line_column) {
        for (INTEGER r = 20; r <= 25; ++r) SUMARY(r, k) = 0.0f;
        SUMARY(71, k) = 0.0f;
        SUMARY(72, k) = 0.0f;
    }
    DBG_OUT("CALBEP");
}

}  // namespace mavo
