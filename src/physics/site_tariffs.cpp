// Default tariffs and heating fuel of the site: after the weather file has
// placed the site, the scheme's electric and gas tariff choices
// (STRATEGY(1,k), STRATEGY(3,k)), the rate zones in force and the heating
// fuel are settled from the building mode, the site (California or not, its
// climate zone, its zip-code record) and what the user changed (NFLAG(26)
// and NFLAG(29) basic electric and fuel rates, NFLAG(82) and NFLAG(83)
// advanced rates, NFLAG(81) location).
//
// Codes: residential electric choices 1-5 and gas choices 1-8; non-
// residential electric choices 11-17 with rate zones 32-38 and gas choices
// 10-18 that are their own gas rate zones (14 bills on zone 15). FUELTYPE:
// 0, 1 and 10 gas tariffs, 2 propane, 3 oil, 4 electric.
#include <string>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/physics.h"
#include "physics/weather_file.h"
#include "project/project.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kResidentialFlatRateChoice = 7.0f;  // the single flat electric rate

// Built-in choices by climate zone 1-16 for a site known only by its zone.
// Residential: the electric and the gas choice are the same number.
constexpr FArray<INTEGER, 16> ESTRATZZ = {3, 3, 3, 3, 3, 1, 2, 1, 1, 1, 3, 3, 3, 1, 1, 3};
constexpr FArray<INTEGER, 16> GSTRATZZ = ESTRATZZ;
// Non-residential: electric choice, gas choice and gas rate zone alike.
constexpr FArray<INTEGER, 16> ESTRATZT = {13, 13, 13, 13, 13, 11, 12, 11, 11, 11, 13, 13, 13, 11, 11, 13};
constexpr FArray<INTEGER, 16> GSTRATZT = ESTRATZT;
constexpr FArray<INTEGER, 16> GRATEZT = ESTRATZT;
constexpr FArray<INTEGER, 16> ERATEZT = {34, 34, 34, 34, 34, 32, 33, 32, 32, 32, 34, 35, 34, 32, 32, 34};

// The scheme's two tariff choices.
struct TariffChoices {
    REAL& electric;  // STRATEGY(1,k)
    REAL& gas;       // STRATEGY(3,k)
};

// Mappings of the codes -------------------------------------------------------

// Non-residential electric choice to its rate zone; other values leave the
// zone as it is.
void nonres_electric_zone_from_choice(REAL s1) {
    if (s1 == 11.0f) ERATEZONE = 32;
    else if (s1 == 12.0f) ERATEZONE = 33;
    else if (s1 == 13.0f) ERATEZONE = 34;
    else if (s1 == 14.0f) ERATEZONE = 35;
    else if (s1 >= 15.0f && s1 < 17.0f) ERATEZONE = 36;
    else if (s1 >= 17.0f && s1 < 18.0f) ERATEZONE = 38;
}

void nonres_gas_zone_from_choice(REAL s3) {
    if (s3 == 10.0f || s3 == 11.0f || s3 == 12.0f || s3 == 13.0f) GRATEZONE = static_cast<INTEGER>(s3);
    // 14 has no gas rate zone of its own: it is billed on the generic gas
    // of zone 15, as the revised rates bill it. Left alone it billed and
    // burned what the previous site or use left (propane after a house).
    else if (s3 >= 14.0f && s3 < 16.0f) GRATEZONE = 15;
    else if (s3 >= 16.0f && s3 < 17.0f) GRATEZONE = 16;
    else if (s3 >= 17.0f && s3 < 18.0f) GRATEZONE = 17;
    else if (s3 >= 18.0f && s3 < 19.0f) GRATEZONE = 18;
}

void nonres_fuel_from_gas_zone() {
    switch (GRATEZONE) {
        case 10: FUELTYPE = 4.0f; break;
        case 11:
        case 12:
        case 13: FUELTYPE = 0.0f; break;
        case 15: FUELTYPE = 1.0f; break;
        case 16: FUELTYPE = 10.0f; break;
        case 17: FUELTYPE = 2.0f; break;
        case 18: FUELTYPE = 3.0f; break;
        default: break;
    }
}

// Residential gas choice to fuel, by the highest bound the choice reaches.
void residential_fuel_from_gas_choice(REAL s3) {
    if (s3 >= 8.0f && s3 < 9.0f) FUELTYPE = 3.0f;
    else if (s3 >= 7.0f) FUELTYPE = 2.0f;
    else if (s3 >= 6.0f) FUELTYPE = 10.0f;
    else if (s3 >= 5.0f) FUELTYPE = 1.0f;
    else if (s3 >= 1.0f) FUELTYPE = 0.0f;
    else if (s3 >= 0.0f) FUELTYPE = 4.0f;
}

// Position 1-5 of an electric rate zone of the zip-code table: one
// utility's tiered tariffs (10-17), then 1-4, -20 to -11, -2 to -1, others.
INTEGER electric_zone_class(INTEGER zone) {
    if (zone >= 10 && zone <= 17) return 1;
    if (zone >= 1 && zone <= 4) return 2;
    if (zone >= -20 && zone <= -11) return 3;
    if (zone >= -2 && zone <= -1) return 4;
    return 5;
}

REAL residential_gas_choice_from_zone(INTEGER zone) {
    if (zone >= -9 && zone <= -1) return 3.0f;
    if (zone < -9) return 5.0f;
    if (zone >= 0 && zone <= 4) return 1.0f;
    if (zone == 10) return 2.0f;
    return 5.0f;
}

// Non-residential -------------------------------------------------------------

// Outside California a gas choice of 11 to 13, one utility's natural gas,
// gives way to the generic tariffs of both rows. Their gas is that of rate
// zone 15 (fuel type 1, as the built-in choice there has it): with fuel
// type 0 the next run, reading gas choice 15, settled another fuel than
// this one. The choice decides, not the fuel type an earlier run left.
void nonres_outside_california_default(TariffChoices& t) {
    if (!NFLAG(58) && (t.gas == 11.0f || t.gas == 12.0f || t.gas == 13.0f)) {
        ERATEZONE = 36;
        t.electric = 15.0f;
        t.gas = 15.0f;
        GRATEZONE = 15;
        nonres_fuel_from_gas_zone();
    }
}

void nonres_user_electric(const TariffChoices& t) { nonres_electric_zone_from_choice(t.electric); }

void nonres_user_gas(const TariffChoices& t) {
    nonres_gas_zone_from_choice(t.gas);
    nonres_fuel_from_gas_zone();
}

// A site known by its weather file alone (negative zip code): the choices
// of its climate zone, for each side the user left to the site, and its
// electric rate zone where the electric choice names none.
void nonres_zone_defaults(TariffChoices& t, bool site_electric_zone) {
    const INTEGER zone = weather::settled_climate_zone("tariffs");
    if (site_electric_zone) {
        const REAL choice = static_cast<REAL>(ESTRATZT(zone));
        if (!NFLAG(26)) t.electric = choice;
        ERATEZONE = choice < 15.0f ? ERATEZT(zone) : 36;
        if (choice >= 17.0f) ERATEZONE = 38;
    }
    if (!NFLAG(29)) {
        t.gas = static_cast<REAL>(GSTRATZT(zone));
        GRATEZONE = GSTRATZT(zone);
        if (t.gas < 16.0f) FUELTYPE = 0.0f;
        else if (t.gas == 16.0f) FUELTYPE = 10.0f;
        else if (t.gas == 17.0f) FUELTYPE = 2.0f;
        else FUELTYPE = 3.0f;
    }
}

// A zip code or a climate-zone number 1 to 16 names a line of the zip-code
// table, whose rate zones the site takes; zero and below name none.
bool site_has_zip_record() { return int_toward_zero(ZIPCODE) >= 1; }

// The site's built-in tariffs for the side(s) the user left to the site. A
// side the user chose (basic-rate flag 26 electric, 29 gas) is billed on
// the tariff its choice names, as the scheme's column shows it.
// An electric choice that names no tariff of another building (a
// dwelling's utility 1 to 5 or its flat rate 7, kept under flag 26 from the
// house the scheme was, or a code without a meaning of its own) names no
// rate zone either: the building is billed in its site's, as with the side
// left to the site, and its row stays as typed. Left alone, the zone was
// the one the last run saved, a house's tiers or another building's time
// of use by the order of the edits.
void nonres_built_in_rates(TariffChoices& t) {
    const bool site_electric_zone = !NFLAG(26) || !electric_choice_billed_by_its_row(t.electric);
    if (!NFLAG(58)) {
        if (site_electric_zone) {
            ERATEZONE = 36;
            if (!NFLAG(26)) t.electric = 15.0f;
        }
        if (!NFLAG(29)) {
            GRATEZONE = 15;
            t.gas = 15.0f;
            FUELTYPE = 1.0f;
        }
    } else if (CECZONE <= 0 || !site_has_zip_record()) {
        if (ZIPCODE < 0.0f) nonres_zone_defaults(t, site_electric_zone);
    } else {
        if (site_electric_zone) {
            const INTEGER position = electric_zone_class(ERATEZONEZ);
            if (!NFLAG(26)) t.electric = static_cast<REAL>(10 + position);
            ERATEZONE = 31 + position;
        }
        if (!NFLAG(29)) {
            const INTEGER zone = weather::settled_climate_zone("tariffs");
            GRATEZONE = GRATEZT(zone);
            t.gas = static_cast<REAL>(GSTRATZT(zone));
            FUELTYPE = 0.0f;
        }
    }
    if (NFLAG(26)) nonres_user_electric(t);
    if (NFLAG(29)) nonres_user_gas(t);
    if (NFLAG(26) || NFLAG(29)) nonres_outside_california_default(t);
}

// A library slot's choices. The user's basic choices name their rate
// zones whether or not the other side's rates (or their own) are revised:
// left to the revised rates' flags, a choice of gas 16 beside revised
// electric rates was billed on the gas rate zone the last run had left.
// Revised rates then stand for the generic tariffs: electric (flag 82)
// the time-of-use tariff of rate zone 36 in place of one utility's (11 to
// 14), gas (flag 83) the gas of zone 15 in place of 11 to 14.
void nonres_user_rates(TariffChoices& t) {
    if (NFLAG(26) || NFLAG(29)) {
        if (NFLAG(26)) nonres_user_electric(t);
        if (NFLAG(29)) nonres_user_gas(t);
        nonres_outside_california_default(t);
    }
    if (NFLAG(82)) {
        // Advanced electric rates: the generic time-of-use tariff of rate
        // zone 36.
        if (ERATEZONE >= 32 && ERATEZONE <= 35) ERATEZONE = 36;
        if (t.electric >= 11.0f && t.electric <= 14.0f) t.electric = 15.0f;
    }
    if (NFLAG(83)) {
        if (GRATEZONE >= 11 && GRATEZONE <= 14) GRATEZONE = 15;
        if (t.gas >= 11.0f && t.gas < 14.0f) t.gas = 15.0f;
        else if (t.gas >= 14.0f && t.gas < 15.0f) t.gas = 15.0f;
        switch (GRATEZONE) {
            case 10: FUELTYPE = 4.0f; break;
            case 15: FUELTYPE = 1.0f; break;
            case 16: FUELTYPE = 10.0f; break;
            case 17: FUELTYPE = 2.0f; break;
            case 18: FUELTYPE = 3.0f; break;
            default: break;
        }
    }
}

// A dwelling's fuel choice (0 to 9) in another building names the
// building's choice ten above it, as the building's bill marks and saves it:
// 0 electric heat 10, the utilities' gas 1 to 4 as 11 to 14, 5 the generic
// gas 15, 6 to 8 the same fuels as 16 to 18. Read so before the tariffs are
// settled, the run that takes such a choice (typed with the switch from a
// house, or left by one) bills what it saves, not on the gas rate zone the
// house's last run left, one run before its re-runs.
void dwelling_fuel_choice_as_buildings(TariffChoices& t) {
    if (!(t.gas >= 0.0f && t.gas < 10.0f)) return;
    t.gas += 10.0f;
    DBG_FLOAT("FINDTMY: a dwelling's fuel choice read as another building's", t.gas);
}

// Schemes 1 and 2, and every scheme on the run that takes a move, take
// the site's tariffs for each side the user left to the site and the
// tariff the user named for the other, whichever basic flags are set and
// whether or not rates are revised: revised words are billed on the named
// tariff's rate zone, whose utility's emissions they carry (a move drops
// them for the built-in rates of that tariff). Sent to the generic tariffs
// beside revised rates when both sides were named, an office's choices
// were saved as tariffs the user did not choose, and its emissions taken
// at California's mix in place of its utility's.
void nonresidential_tariffs(TariffChoices& t) {
    dwelling_fuel_choice_as_buildings(t);
    if (IDNUM1 > 2) {
        nonres_user_electric(t);
        nonres_user_gas(t);
        nonres_outside_california_default(t);
    }
    if (IDNUM1 <= 2 || NFLAG(81)) nonres_built_in_rates(t);
    else nonres_user_rates(t);
}

// Residential -----------------------------------------------------------------

// Outside California a library slot's basic choices of the single flat
// rate (7) and of the other gas, propane or oil (6 to 8) give way to the
// generic tariffs (5). Gas choice 5 is natural gas of fuel type 1, as
// every later run of the saved choice settles it; with 0 here the first
// run after the user's choice saved another fuel type than its re-runs for
// the same gas.
void slot_choices_outside_california(TariffChoices& t) {
    if (NFLAG(58)) return;
    if (t.electric >= 7.0f) t.electric = 5.0f;
    if (t.gas >= 6.0f) {
        t.gas = 5.0f;
        FUELTYPE = 1.0f;
    }
}

// Schemes 3 to 9 are billed on the tariffs their rows name on every run,
// not only on the run that took a new choice (flag 29): the fuel burned is
// the one row 3 names, never the one an earlier choice left in the files
// (propane left behind under a natural-gas choice fails the run's fuel
// check and simulates nothing; natural gas under a propane choice bills the
// wrong fuel). The non-residential choices settle their fuel on every run
// likewise.
void residential_user_rates(TariffChoices& t) {
    if ((NFLAG(26) || NFLAG(29)) && !NFLAG(82) && !NFLAG(83)) {
        if (t.electric >= 1.0f) residential_fuel_from_gas_choice(t.gas);
        slot_choices_outside_california(t);
        return;
    }
    // Revised rates stand for the generic tariffs: electric (flag 82) in
    // place of one utility's tiers (1 to 4), gas (flag 83) in place of 1 to 4.
    if (NFLAG(82) && t.electric >= 1.0f && t.electric <= 4.0f && t.electric == static_cast<INTEGER>(t.electric))
        t.electric = 5.0f;
    if (!NFLAG(83)) {
        if (t.electric >= 1.0f) residential_fuel_from_gas_choice(t.gas);
    } else {
        if (t.gas >= 1.0f && t.gas < 4.0f) t.gas = 5.0f;
        else if (t.gas >= 4.0f && t.gas < 5.0f) t.gas = 5.0f;
        if (t.electric >= 1.0f) {
            if (t.gas == 0.0f) FUELTYPE = 4.0f;
            else if (t.gas == 5.0f) FUELTYPE = 1.0f;
            else if (t.gas == 6.0f) FUELTYPE = 10.0f;
            else if (t.gas == 7.0f) FUELTYPE = 2.0f;
            else if (t.gas == 8.0f) FUELTYPE = 3.0f;
        }
    }
}

// A dwelling at a site known by its weather file alone is billed on its
// site's rate zones on every run, whoever chose its rows: in California on
// those of its climate zone's line of the zip-code table, as the house
// given as that zone's number is (the utility of its region, never one
// utility for the whole state nor the zones the previous site or the
// results file left), elsewhere on the default location's. True when the
// line's zones are in force.
bool weather_file_site_rate_zones() {
    if (NFLAG(58) && take_climate_zone_line_rate_zones(weather::settled_climate_zone("tariffs"))) return true;
    ERATEZONE = kDefaultResidentialElectricZone;
    GRATEZONE = kDefaultResidentialGasZone;
    return false;
}

void residential_built_in_rates(TariffChoices& t, bool zone_line_in_force) {
    if (!NFLAG(58)) {
        // A site outside California bills on the rate zones of the default
        // location, as a new project has them, also for a choice the user
        // made: the zones the previous site left would bill this one on
        // that site's tariffs.
        ERATEZONE = kDefaultResidentialElectricZone;
        GRATEZONE = kDefaultResidentialGasZone;
        if (!NFLAG(26)) t.electric = 5.0f;
        if (!NFLAG(29)) {
            t.gas = 5.0f;
            FUELTYPE = 1.0f;
        }
    } else if (ZIPCODE > 0.0f) {
        // The zip-code lookup has put the record's rate zones in force.
        const bool no_electric = t.electric <= 0.0f;
        if (!NFLAG(29) || no_electric) t.gas = residential_gas_choice_from_zone(GRATEZONE);
        if (!NFLAG(26) || no_electric) t.electric = static_cast<REAL>(electric_zone_class(ERATEZONE));
    } else if (ZIPCODE < 0.0f) {
        // A site known by its weather file alone: the choices of its zone,
        // for each side the user left to the site (the user's choice holds
        // here as at a zip code, on the same rate zones). Row 1 names the
        // utility of the rate zone billed, the zone's own choice but for
        // zone 12, whose line names the municipal utility; row 3 the zone's
        // gas choice, billed with the line's baselines.
        const INTEGER zone = weather::settled_climate_zone("tariffs");
        const bool no_electric = t.electric <= 0.0f;
        if (!NFLAG(26) || no_electric)
            t.electric = zone_line_in_force ? static_cast<REAL>(electric_zone_class(ERATEZONE))
                                            : static_cast<REAL>(ESTRATZZ(zone));
        if (!NFLAG(29) || no_electric) t.gas = static_cast<REAL>(GSTRATZZ(zone));
        FUELTYPE = 0.0f;
    }
    if (t.electric >= 1.0f) residential_fuel_from_gas_choice(t.gas);
}

// Another building's fuel choice (10 to 19) in a dwelling names the
// dwelling's choice ten below it, the reverse of the above: 10 electric heat
// 0, 11 to 14 the utilities' gas 1 to 4, 15 the generic gas 5, 16 to 18
// the same fuels as 6 to 8. Read as a dwelling's own, 11 was propane: a
// library slot made a house again (it keeps its row 3) failed the gas water
// heater's fuel check and simulated nothing on every run.
void buildings_fuel_choice_as_dwellings(TariffChoices& t) {
    if (!(t.gas >= 10.0f && t.gas < 20.0f)) return;
    t.gas -= 10.0f;
    DBG_FLOAT("FINDTMY: another building's fuel choice read as a dwelling's", t.gas);
}

// A move's run takes the site's tariffs as schemes 1 and 2 do, the rows
// the user flagged staying the user's whichever basic flags are set: with
// both flagged beside revised rates, row 1 of 1 to 4 was saved as 5.
void residential_tariffs(TariffChoices& t) {
    buildings_fuel_choice_as_dwellings(t);
    if (t.gas <= 0.0f) FUELTYPE = t.electric <= 0.0f ? 0.0f : (t.electric >= 1.0f ? 4.0f : FUELTYPE);
    const bool zone_line_in_force = ZIPCODE < 0.0f && weather_file_site_rate_zones();
    if (IDNUM1 > 2 && !NFLAG(81) && t.electric > 0.0f) {
        residential_user_rates(t);
        return;
    }
    residential_built_in_rates(t, zone_line_in_force);
    // A slot's move's run drops the revised rates for good, so the slot's
    // later runs take its basic choices as above: the move's run takes them
    // so too. Kept as typed, propane chosen with a move outside California
    // failed the gas heater's fuel check and simulated nothing on the move's
    // run, then burned natural gas (5) from the next run on.
    if (IDNUM1 > 2 && (NFLAG(26) || NFLAG(29)) && t.electric > 0.0f) slot_choices_outside_california(t);
}

}  // namespace

bool electric_choice_billed_by_its_row(REAL choice) {
    if (NFLAG(24)) return choice >= 11.0f && choice < 18.0f;
    return choice == kResidentialFlatRateChoice;
}

void default_tariffs_and_fuel_of_the_site() {
    // Only a scheme with a parameter column carries tariff choices.
    if (!has_scheme_column(IDNUM1)) {
        DBG_INT("no tariff column for scheme, tariffs kept FINDTMY", IDNUM1);
        return;
    }
    TariffChoices t{STRATEGY(1, IDNUM1), STRATEGY(3, IDNUM1)};
    if (NFLAG(24)) nonresidential_tariffs(t);
    else residential_tariffs(t);
    DBG_FLOAT("Strategy(1) electric tariff FINDTMY end", t.electric);
    DBG_FLOAT("Strategy(3) gas tariff FINDTMY end", t.gas);
    DBG_INT("ErateZone FINDTMY end", ERATEZONE);
    DBG_INT("GrateZone FINDTMY end", GRATEZONE);
    DBG_FLOAT("FuelType 3145 end of FINDTMY", FUELTYPE);
}

}  // namespace mavo
