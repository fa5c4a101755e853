// EQUIPT: equipment and appliance gains and energy of the hour.
#include "simulation/equipment.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "simulation/schedules.h"

namespace mavo {
namespace {

constexpr REAL kBtuPerKwh = 3412.0f;
constexpr REAL kBtuPerWh = 3.412f;
constexpr REAL kBtuPerTherm = 100000.0f;
constexpr REAL kWattsPerKilowatt = 1000.0f;
constexpr REAL kDaysPerYear = 365.0f;
constexpr REAL kHoursPerDay = 24.0f;
constexpr REAL kPercent = 100.0f;
constexpr REAL kNegligible = 0.001f;       // smaller loads and totals count as none
constexpr REAL kApplianceGasLimit = 0.002f;

// Schedule rows of the non-residential table.
constexpr INTEGER kPlugRow = 3;
constexpr INTEGER kElevatorRow = 6;
constexpr INTEGER kRefrigerationRow = 7;
constexpr INTEGER kGasRow = 8;
constexpr INTEGER kSmallHoodRow = 14;
constexpr INTEGER kLargeHoodRow = 15;
// Rows of the per-type defaults DVALUENR.
constexpr INTEGER kPlugDefaultRow = 4;
constexpr INTEGER kGasDefaultRow = 8;
constexpr INTEGER kRefrigerationDefaultRow = 9;

constexpr INTEGER kRestaurantKitchen = 10;
constexpr INTEGER kWarehouse = 11;
constexpr REAL kNoGasTariff = 10.0f;  // fuel tariff choice STRATEGY(3,k) of a site without gas

// Vintage buildings: per-area loads grow 0.56 % for each year built before
// the 2013 code year.
constexpr REAL kCodeYear = 2013.0f;
constexpr REAL kVintageGrowthPerYear = 0.0056f;
constexpr REAL kOldestCredibleYear = 100.0f;

// Residential appliance defaults, per year.
constexpr REAL kDefaultGasAppliancesTherms = 29.1f;
constexpr REAL kDefaultElectricAppliancesKwh = 757.00006f;  // the single-precision value just above 757
constexpr REAL kDefaultTenthGainGasTherms = 37.2f;
constexpr REAL kDefaultTenthGainElectricKwh = 969.0f;
constexpr REAL kTenthGain = 0.1f;  // only a tenth of these appliances' energy stays in the house
// The largest hourly share of the occupant profile OCCPROF: the peak hour of
// a day's appliance energy.
constexpr REAL kPeakHourShare = 0.064f;
// Daily internal gain a home is brought up to: 20000 Btu plus 15 per ft2.
constexpr REAL kBaseDailyGainBtu = 20000.0f;
constexpr REAL kDailyGainPerFt2Btu = 15.0f;
// Other electric load when the listed gains already reach that target, W/ft2.
constexpr REAL kMinimumOtherLoadWPerFt2 = 0.15f;
// Mean share of the full occupant and lighting loads over a residential day.
constexpr REAL kResidentialMeanShare = 0.6515625f;

// Stamps of the two hours whose values are traced: noon of 15 January and
// the last hour of 31 December.
constexpr INTEGER kTracedStamp1 = 11512;
constexpr INTEGER kTracedStamp2 = 123124;

bool counted_hour() { return CYCLE <= 24.0f; }

REAL scheme_value(INTEGER row) { return has_scheme_column(IDNUM1) ? STRATEGY(row, IDNUM1) : 0.0f; }

REAL fraction_of_schedule(INTEGER row, INTEGER hour) { return schedule_value(row, hour) / kPercent; }

REAL table_sum(INTEGER column, INTEGER last_row) {
    REAL sum = 0.0f;
    for (INTEGER r = 1; r <= last_row; ++r) sum = sum + APPLIANCE(r, column);
    return sum;
}

void clear_table(INTEGER first_column, INTEGER last_column, INTEGER last_row) {
    for (INTEGER c = first_column; c <= last_column; ++c)
        for (INTEGER r = 1; r <= last_row; ++r) APPLIANCE(r, c) = 0.0f;
}

REAL at_least_negligible(REAL gross) { return gross < kNegligible ? 0.0f : gross; }

REAL type_default(INTEGER row) { return building_type_has_schedules() ? DVALUENR(row, NTYPE) : 0.0f; }

bool traced_hour() { return NFLAG(90) && (IWHEN == kTracedStamp1 || IWHEN == kTracedStamp2); }

// Non-residential model --------------------------------------------------------

constexpr INTEGER kNonresidentialRows = 8;

// The generated schemes take the per-area loads of the building type; the
// vintage scheme scales them for its year built.
void reset_per_area_loads(INTEGER k) {
    const REAL year_built = k == 1 ? kCodeYear : scheme_value(11);
    DGHEATPHR = type_default(kGasDefaultRow);
    REHEATPHR = type_default(kRefrigerationDefaultRow);
    EEHEATPHR = type_default(kPlugDefaultRow);
    if (k == 2 && year_built > kOldestCredibleYear && year_built < kCodeYear) {
        const REAL vintage = 1.0f + kVintageGrowthPerYear * (kCodeYear - year_built);
        DGHEATPHR = DGHEATPHR * vintage;
        REHEATPHR = REHEATPHR * vintage;
        EEHEATPHR = EEHEATPHR * vintage;
    }
    GAS1HEATPHR = 0.0f;
    ELEC4HEATPHR = 0.0f;
}

struct NonresidentialHour {
    REAL gas_kbtu = 0.0f;
    REAL refrigeration_kwh = 0.0f;
    REAL plug_kwh = 0.0f;
    REAL small_hood_kwh = 0.0f;
    REAL large_hood_kwh = 0.0f;
    REAL elevator_kwh = 0.0f;
};

void nonresidential_gas(INTEGER MONTH, INTEGER HOUR, REAL area_kft2, NonresidentialHour& e) {
    if (NTYPE == kWarehouse) {
        // A warehouse has no gas equipment: EQFUEL keeps the run's zero.
        clear_table(1, 1, kNonresidentialRows);
        return;
    }
    REAL gross = at_least_negligible(DGHEATPHR * area_kft2 + table_sum(1, kNonresidentialRows));
    if (scheme_value(3) == kNoGasTariff) {
        gross = 0.0f;
        DAGASD = 0.0f;
    } else {
        DAGASD = DGHEATPHR * area_kft2;
    }
    e.gas_kbtu = gross * fraction_of_schedule(kGasRow, HOUR);
    EQFUEL(HOUR, MONTH) = 1000.0f * e.gas_kbtu;
    if (counted_hour()) DAGAS = DAGAS + e.gas_kbtu;
}

void nonresidential_hoods(INTEGER HOUR, NonresidentialHour& e) {
    if (NTYPE != kRestaurantKitchen) {
        // Only a restaurant kitchen has exhaust hoods.
        clear_table(4, 5, kNonresidentialRows);
        return;
    }
    EHOODSD = EHOODSPHR / kWattsPerKilowatt;
    e.small_hood_kwh = at_least_negligible(EHOODSD + table_sum(4, kNonresidentialRows)) *
                       fraction_of_schedule(kSmallHoodRow, HOUR);
    EHOODLD = EHOODLPHR / kWattsPerKilowatt;
    e.large_hood_kwh = at_least_negligible(EHOODLD + table_sum(5, kNonresidentialRows)) *
                       fraction_of_schedule(kLargeHoodRow, HOUR);
    if (counted_hour()) {
        EHOODS = EHOODS + e.small_hood_kwh;
        EHOODL = EHOODL + e.large_hood_kwh;
        // The large hood is metered with the plug loads as well.
        EAELECT = EAELECT + e.large_hood_kwh;
    }
}

void nonresidential_equipment(INTEGER MONTH, INTEGER HOUR) {
    const REAL area_kft2 = AREAT / 1000.0f;
    design_scheme_equipment_loads();
    // The hood and elevator loads come from the appliance table alone.
    EHOODSPHR = 0.0f;
    EHOODLPHR = 0.0f;
    ELEVPHR = 0.0f;

    NonresidentialHour e;
    nonresidential_gas(MONTH, HOUR, area_kft2, e);

    RAELECTD = REHEATPHR * area_kft2;
    e.refrigeration_kwh = at_least_negligible(RAELECTD + table_sum(2, kNonresidentialRows)) *
                          fraction_of_schedule(kRefrigerationRow, HOUR);
    if (counted_hour()) RAELECT = RAELECT + e.refrigeration_kwh;

    EAELECTD = EEHEATPHR * area_kft2;
    e.plug_kwh = at_least_negligible(EAELECTD + table_sum(3, kNonresidentialRows)) *
                 fraction_of_schedule(kPlugRow, HOUR);
    if (counted_hour()) EAELECT = EAELECT + e.plug_kwh;

    nonresidential_hoods(HOUR, e);

    ELEVD = ELEVPHR / kWattsPerKilowatt;
    e.elevator_kwh = at_least_negligible(ELEVD + table_sum(6, kNonresidentialRows)) *
                     fraction_of_schedule(kElevatorRow, HOUR);
    if (counted_hour()) ELEVATOR = ELEVATOR + e.elevator_kwh;

    EQKWHR(HOUR, MONTH) = e.refrigeration_kwh + e.plug_kwh + e.small_hood_kwh + e.large_hood_kwh + e.elevator_kwh;
    HEAT(14, HOUR, MONTH) = EQFUEL(HOUR, MONTH) + kBtuPerKwh * EQKWHR(HOUR, MONTH);

    if (traced_hour()) {
        DBG_INT("EQUIPT iwhen", IWHEN);
        DBG_FLOAT("EQUIPT gas equipment kBtu/h", e.gas_kbtu);
        DBG_FLOAT("EQUIPT refrigeration kWh", e.refrigeration_kwh);
        DBG_FLOAT("EQUIPT plug loads kWh", e.plug_kwh);
        DBG_FLOAT("EQUIPT small hood kWh", e.small_hood_kwh);
        DBG_FLOAT("EQUIPT large hood kWh", e.large_hood_kwh);
        DBG_FLOAT("EQUIPT elevator kWh", e.elevator_kwh);
        DBG_FLOAT("EQUIPT DAGAS annual kBtu", DAGAS);
        DBG_FLOAT("EQUIPT RAELECT annual kWh", RAELECT);
        DBG_FLOAT("EQUIPT EAELECT annual kWh", EAELECT);
        DBG_FLOAT("EQUIPT ELEVATOR annual kWh", ELEVATOR);
    }
}

// Residential model ------------------------------------------------------------

constexpr INTEGER kResidentialRows = 10;

}  // namespace

bool saved_by_a_dwellings_run() { return GAS1HEATPHR != 0.0f || ELEC4HEATPHR != 0.0f; }

void design_scheme_equipment_loads() {
    const INTEGER k = IDNUM1;
    if (k != 1 && k != 2) {
        // A library slot keeps the per-area loads of its input file, but a
        // slot just made another building from a house holds a dwelling's
        // peak appliance gains in those words (Btu/h, read as W/ft2 they
        // ran the zone away and no day was simulated). The peak gains of the
        // gas and the tenth-gain electric appliances are a dwelling's alone,
        // and every run of another building leaves them 0: such a slot takes
        // its type's loads, as the same building made in scheme 1 and
        // copied does.
        if (NFLAG(24) && saved_by_a_dwellings_run()) reset_per_area_loads(k);
        return;
    }
    // The generated schemes take their type's per-area loads, a dwelling's
    // appliances the defaults only.
    if (NFLAG(24)) reset_per_area_loads(k);
    else clear_table(1, 5, kResidentialRows);
}

void retyped_slot_per_area_loads(INTEGER type_before) {
    const INTEGER k = IDNUM1;
    if (k == 1 || k == 2 || !NFLAG(24) || type_before == NTYPE || type_before < 1 || type_before > 20) return;
    const auto of_type_before = [type_before](INTEGER row) { return DVALUENR(row, type_before); };
    if (DGHEATPHR == of_type_before(kGasDefaultRow) && REHEATPHR == of_type_before(kRefrigerationDefaultRow) &&
        EEHEATPHR == of_type_before(kPlugDefaultRow))
        reset_per_area_loads(k);
}

namespace {

// The day's energy of each appliance column, Btu (gas) and kWh (electric).
struct ResidentialDay {
    REAL gas1_btu = 0.0f;        // d1: gas appliances
    REAL electric2_kwh = 0.0f;   // e2: electric appliances
    REAL gas3_btu = 0.0f;        // d3: gas appliances with a tenth of their energy as gain
    REAL electric4_kwh = 0.0f;   // e4: electric appliances with a tenth as gain
    REAL other_kwh = 0.0f;       // e5: other electric loads
};

// Other electric load, kWh per year, that brings the day's internal gains
// up to the target of the floor area.
REAL computed_other_load_kwh(const ResidentialDay& day) {
    const REAL area_ft2 = AREAT;
    const REAL target_btu = kBaseDailyGainBtu + kDailyGainPerFt2Btu * area_ft2;
    const REAL gains_btu = day.gas1_btu + kTenthGain * day.gas3_btu +
                           (day.electric2_kwh + kTenthGain * day.electric4_kwh) * kBtuPerWh * 1000.0f +
                           PBTUH * PEOPLE * kResidentialMeanShare * kHoursPerDay +
                           LIGHTS * kBtuPerWh * area_ft2 * kResidentialMeanShare * kHoursPerDay;
    const REAL missing_btu = gains_btu < target_btu
                                 ? target_btu - gains_btu
                                 : kMinimumOtherLoadWPerFt2 * area_ft2 * kHoursPerDay * kBtuPerWh;
    // Without a floor area the daily gain is turned into kWh directly.
    if (area_ft2 <= 0.0f) return missing_btu / kBtuPerKwh * kDaysPerYear;
    return missing_btu / (area_ft2 * kHoursPerDay) / kBtuPerWh * area_ft2 * kHoursPerDay / 1000.0f * kDaysPerYear;
}

void residential_totals(ResidentialDay& day) {
    const REAL fuel = FUELTYPE;
    const bool gas_available = (fuel >= -1.0f && fuel <= 2.0f) || fuel == 10.0f;
    const bool no_gas_fuel = fuel == 3.0f || fuel == 4.0f;

    REAL d1 = gas_available ? kDefaultGasAppliancesTherms : 0.0f;
    REAL t1 = std::max(0.0f, d1 + table_sum(1, kResidentialRows));
    if (no_gas_fuel) t1 = d1 = 0.0f;
    APPGAS1 = t1;
    APPGAS1D = d1;
    day.gas1_btu = t1 * kBtuPerTherm / kDaysPerYear;
    GAS1HEATPHR = kPeakHourShare * day.gas1_btu;

    const REAL d2 = gas_available ? 0.0f : kDefaultElectricAppliancesKwh;
    const REAL t2 = std::max(0.0f, d2 + table_sum(2, kResidentialRows));
    RAELECTD = d2;
    RAELECT = t2;
    day.electric2_kwh = t2 / kDaysPerYear;
    REHEATPHR = kBtuPerKwh * day.electric2_kwh * kPeakHourShare;

    if (gas_available) DAGASD = kDefaultTenthGainGasTherms;
    REAL t3 = std::max(0.0f, DAGASD + table_sum(3, kResidentialRows));
    if (no_gas_fuel) {
        t3 = 0.0f;
        DAGASD = 0.0f;
    }
    DAGAS = t3;
    day.gas3_btu = t3 * kBtuPerTherm / kDaysPerYear;
    DGHEATPHR = kPeakHourShare * kTenthGain * day.gas3_btu;

    const REAL d4 = gas_available ? 0.0f : kDefaultTenthGainElectricKwh;
    const REAL t4 = std::max(0.0f, d4 + table_sum(4, kResidentialRows));
    APPELEC4D = d4;
    APPELEC4 = t4;
    day.electric4_kwh = t4 / kDaysPerYear;
    ELEC4HEATPHR = kBtuPerKwh * day.electric4_kwh * kPeakHourShare;

    REAL other_kwh = EAELECTD;
    if (std::fabs(other_kwh) < kNegligible) other_kwh = EAELECTD = 0.0f;
    if (other_kwh <= 0.0f) {
        // The driver clears it before the year: computed on the first call.
        other_kwh = computed_other_load_kwh(day);
        EAELECTD = other_kwh;
    }
    REAL t5 = other_kwh + table_sum(5, kResidentialRows);
    if (IDNUM1 >= 3 && std::fabs(t5) < kNegligible) t5 = 0.0f;
    EAELECT = t5;
    day.other_kwh = t5 / kDaysPerYear;
    EEHEATPHR = kBtuPerKwh * day.other_kwh * kPeakHourShare;
}

// The appliance multiplier of the month simulated: the month itself in a
// 365-day run, the month of the representative day in a twelve-day run.
REAL month_multiplier(INTEGER MONTH) {
    INTEGER m = MONTH;
    if (!NFLAG(38) && TMON(MONTH) >= 1 && TMON(MONTH) <= 12) m = TMON(MONTH);
    return MONPROF(m);
}

void ventilation_test_case(INTEGER MONTH, INTEGER HOUR) {
    clear_table(1, 5, kResidentialRows);
    HEAT(14, HOUR, MONTH) = SCHED(2, HOUR);
    HEAT(15, HOUR, MONTH) = 0.0f;
    EQKWHR(HOUR, MONTH) = 0.0f;
    if (WHTYPE == -1) {
        for (INTEGER m = 1; m <= 12; ++m)
            for (INTEGER h = 1; h <= 24; ++h) HEAT(14, h, m) = 0.0f;
        EQFUEL(HOUR, MONTH) = 0.0f;
        EQKWHR(HOUR, MONTH) = 0.0f;
        WHENER(HOUR, MONTH) = 0.0f;
    }
}

void residential_equipment(INTEGER MONTH, INTEGER HOUR) {
    if (NFLAG(35) && FIELDCODE > 0) return;
    if (NFLAG(46) && IDNUM1 >= 3) {
        ventilation_test_case(MONTH, HOUR);
        return;
    }
    design_scheme_equipment_loads();

    ResidentialDay day;
    residential_totals(day);

    const REAL share = OCCPROF(HOUR);
    const REAL g1 = share * day.gas1_btu;
    const REAL k2 = share * day.electric2_kwh;
    const REAL g3 = share * day.gas3_btu;
    const REAL k4 = share * day.electric4_kwh;
    const REAL k5 = share * day.other_kwh;
    const REAL f = month_multiplier(MONTH);
    HEAT(14, HOUR, MONTH) =
        f * (g1 + kBtuPerKwh * k2 + kTenthGain * g3 + kTenthGain * kBtuPerKwh * k4 + kBtuPerKwh * k5);
    EQFUEL(HOUR, MONTH) = f * (g1 + g3);
    EQKWHR(HOUR, MONTH) = f * (k2 + k4 + k5);

    if (traced_hour()) {
        DBG_INT("EQUIPT iwhen", IWHEN);
        DBG_FLOAT("EQUIPT APPGAS1 therms/yr", APPGAS1);
        DBG_FLOAT("EQUIPT RAELECT kWh/yr", RAELECT);
        DBG_FLOAT("EQUIPT DAGAS therms/yr", DAGAS);
        DBG_FLOAT("EQUIPT APPELEC4 kWh/yr", APPELEC4);
        DBG_FLOAT("EQUIPT EAELECT kWh/yr", EAELECT);
        DBG_FLOAT("EQUIPT EAELECTD computed kWh/yr", EAELECTD);
        DBG_FLOAT("EQUIPT heat Btu/h", HEAT(14, HOUR, MONTH));
    }
}

}  // namespace

void EQUIPT(INTEGER MONTH, INTEGER HOUR) {
    if (NFLAG(24)) nonresidential_equipment(MONTH, HOUR);
    else residential_equipment(MONTH, HOUR);
}

bool appliance_gas_recorded() {
    if (NFLAG(24)) return DAGAS > kApplianceGasLimit;
    return APPGAS1 > kApplianceGasLimit || DAGAS > kApplianceGasLimit;
}

}  // namespace mavo
