// EXPERT, residential path: the code-minimum, energy-efficient and vintage
// dwellings.
//
// A generated dwelling takes its occupancy, lights and plug loads from its
// building type, the code's equipment efficiencies, duct insulation, fan
// power and whole-house-fan requirement from its climate zone, and a light
// wood-frame construction, which the climate may turn into a slab floor
// with mass walls (the construction by climate).
#include "design/residential.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "design/glazing_areas.h"
#include "design/sizing.h"
#include "design/vintage.h"
#include "design/window_list.h"
#include "front/trace.h"
#include "physics/constructions_residential.h"
#include "physics/physics.h"
#include "physics/scaled_footprint.h"

namespace mavo {
namespace {

// Whole-house fan of 1.5 cfm per ft2 of floor (90 ft3 per ft2 an hour):
// 90 / story height air changes per hour.
constexpr REAL kWholeHouseFanFeetPerHour = 90.0f;
constexpr REAL kStoryOverCeiling = 1.125f;  // story height over ceiling height (floor structure)
// An occupant of a dwelling: sensible and latent heat, Btu/h per person.
constexpr REAL kDwellingSensibleBtuhPerPerson = 230.0f;
constexpr REAL kDwellingLatentBtuhPerPerson = 170.0f;

REAL DV(INTEGER row) { return DVALUE(row, NTYPE); }

// Year built; scheme 1 is always designed to the current code.
void year_built(DesignScheme& d) {
    const INTEGER k = d.k;
    STRATEGY(6, 2) = STRATEGY(6, 1);
    if (STRATEGY(11, k) < kYearNotGiven) STRATEGY(11, k) = kYearOfCurrentCode;
    STRATEGY(11, 2) = STRATEGY(11, 1);
    // Scheme 1's year not given either: the second scheme is a new house too.
    if (STRATEGY(11, 2) < kYearNotGiven) STRATEGY(11, 2) = kYearOfCurrentCode;
    // A new house is built now, to the current code, whatever year its
    // description names: its second scheme is the efficient design of the
    // new-home tables (an older year would give it no design of either
    // kind), and its column says so to every later run of it. Scheme 1's
    // column says so too: a load of a new house's file clears its year (a
    // later one as well as an older one), and the design of the house so
    // loaded must store what the first design stored.
    if (STRATEGY(6, 2) <= 1.0f && STRATEGY(11, 2) != kYearOfCurrentCode) {
        DBG_FLOAT("New home: year built taken as the current code's EXPERT", STRATEGY(11, 2));
        STRATEGY(11, 2) = kYearOfCurrentCode;
        if (k == 1) STRATEGY(11, 1) = kYearOfCurrentCode;
    }
    d.year_built = k == 1 ? kYearOfCurrentCode : STRATEGY(11, k);
    // The second scheme's kind follows the year just settled, not the one
    // the slot held when the run began; scheme 1's design reads it too (the
    // radiant barrier the zone asks of the generated homes).
    const REAL second_year = STRATEGY(11, 2);
    NFLAG(9) = !(second_year > kYearNotGiven && second_year < kYearOfCurrentCode);
    DBG_FLOAT("YearBuilt Y residential EXPERT", d.year_built);
}

// Comfort, schedules and internal loads of the dwelling type.
void comfort_and_loads(const DesignScheme& d) {
    COMHI = 75.0f;
    COMLOW = 68.0f;
    ECMOTD = 60.0f;
    SETBKU = 53.0f;
    SETBKN = 58.0f;
    SETUPU = 85.0f;
    if (d.k == 2) NFLAG(8) = false;
    FACFM = dwelling_fresh_air_cfm(PEOPLE);
    SFACES = 0.0f;

    AIRCHG = DV(1);
    PAREA = DV(2);
    HRPEOPON = DV(3);
    HRPEOPOFF = DV(4);
    LIGHTS = DV(5);
    HRLITEON = DV(6);
    HRLITEOFF = DV(7);
    EQPT = DV(8);
    HREQPTON = DV(9);
    HREQPTOFF = DV(10);
    FLTOCE = DV(11);
    STRATEGY(15, d.k) = DV(11);
    FLTOFL = kStoryOverCeiling * DV(11);
    PEOPLE = dwelling_occupants();
    // The heat of a dwelling's occupant, whatever building the scheme
    // described before (an office's or a warehouse's workers give more).
    PBTUH = kDwellingSensibleBtuhPerPerson;
    PBTUHL = kDwellingLatentBtuhPerPerson;
    LATENT = 30.0f;

    TLLOAD = LIGHTS * AREAT * kBtuhPerWatt;
    TELOAD = EQPT * AREAT * kBtuhPerWatt;
    TOLOAD = PBTUH * PEOPLE;
    PEAK = kBtuhPerWatt * (DV(5) + DV(8));
    if (PAREA > 0.0f) PEAK += PBTUH / PAREA;
}

// Equipment, ducts, ventilation, fuel and water heater by code.
void systems_by_code(const DesignScheme& d) {
    const INTEGER k = d.k, z = d.z;
    COPAC = CECRESA(22, z) / kBtuhPerWatt;  // SEER to COP
    wCFMhvac = CECRESA(32, z);
    wCFMiaq = 0.4f;
    wCFMvent = 0.0f;
    STRATEGY(24, k) = 6.0f;
    AtticFanHrs = 0.0f;
    NFLAG(45) = false;
    ACH50 = 5.0f;
    SLA = 2.5f;
    // California's air-tightness default: attached units leak more.
    if (NFLAG(58) && d.year_built >= kYearOfCurrentCode) ACH50 = STRATEGY(7, k) < 3.0f ? 5.0f : 7.0f;

    DuctLeakPct = 6.0f;
    DuctInsul = CECRESA(14, z);
    FACFM = dwelling_fresh_air_cfm(PEOPLE);

    if (CECRESA(13, z) <= 0.0f) {  // no whole-house fan required
        STRATEGY(25, k) = STRATEGY(28, k) = STRATEGY(29, k) = 1.0f;
        ACHMAX = 0.0f;
        wCFMvent = 0.0f;
    } else {
        STRATEGY(25, k) = 5.0f;
        STRATEGY(28, k) = 2.0f;
        STRATEGY(29, k) = 1.0f;
        ACHMAX = kWholeHouseFanFeetPerHour / FLTOFL;
        wCFMvent = 0.14f;
    }

    FUELTYPE = (!NFLAG(58) || NFLAG(83)) ? 1.0f : 0.0f;

    generated_plant(k, CECRESA(19, z));
    LIGHTS = DV(5);
}

// Roof choice, the extras of a new efficient house, the floor area.
void roof_and_efficient_extras(const DesignScheme& d) {
    const INTEGER k = d.k, z = d.z;
    STRATEGY(32, k) = designed_roof_choice(STRATEGY(32, k), z);
    NMULTI = 1;
    // The dwelling's own window, skylight and door types, whatever types a
    // non-residential design of the scheme chose.
    WTYPE = 1;
    STYPE = 5;
    DTYPE = 8;

    if (k == 2 && d.year_built >= kYearOfCurrentCode) {
        ACHMAX = 20.0f;
        STRATEGY(25, 2) = 6.0f;
        wCFMvent = 0.09f;
        STRATEGY(28, 2) = 3.0f;
        STRATEGY(29, 2) = 1.0f;
        STRATEGY(24, k) = 8.0f;
        SLA = 1.5f;
        NFLAG(45) = false;
    }
    if (STRATEGY(8, k) > 0.0f) AREAT = STRATEGY(8, k);
    PEOPLE = dwelling_occupants();
    FLTOFL = kStoryOverCeiling * FLTOCE;
}

// A pitched roof over an attic or a flat roof, as the designed house ends
// up: the roof the sizing took away from a unit under another (1) and the
// existing roof the older building takes from scheme 1 decide it, not the
// choice the column held when the design began, which a previous design of
// the scheme (its roof taken away, its vintage choices marked) has changed.
void pitched_roof_flag(INTEGER k) {
    NFLAG(4) = std::fabs(STRATEGY(32, k)) > 3.0f;
    DBG_PRINT(NFLAG(4) ? "Nflag(4)=T Sloped roof" : "Nflag(4)=F Flat roof");
}

// Light wood-frame mass and a raised floor.
void light_frame_preset() {
    MTUSED(1) = "WOOD";
    MTUSED(2) = "DRYWALL";
    MTUSED(3) = "DRYWALL";
    MTUSED(4) = "";
    THCK(1) = 0.75f;
    DNST(1) = 44.0f;
    SPHT(1) = 0.22f;
    COND(1) = 1.2f;
    for (INTEGER n = 2; n <= 3; ++n) {
        THCK(n) = 0.63f;
        DNST(n) = 50.0f;
        SPHT(n) = 0.26f;
        COND(n) = 1.1f;
        WDTH(n) = FLTOCE;
    }
    AREA(11) = RAX;
    PERCNT(11) = 100.0f;
    AREA(12) = PERCNT(12) = 0.0f;
    for (INTEGER i = 6; i <= 9; ++i) {
        TMLAG(i) = 3.0f;
        DECR(i) = 0.7f;
    }
}

// Floor, walls and ceiling of one story laid out as the plan, the
// interior walls of rooms of at most 200 ft2.
void mass_geometry() {
    const ScaledFootprint fp = scaled_footprint();
    if (!fp.valid) {
        DBG_ERROR("EXPERT: plan without dimensions, mass elements kept");
        return;
    }
    const REAL room_side_ft = std::max(1.0f, std::sqrt(std::min(AREAT / 2.0f, 200.0f)));
    for (INTEGER n = 1; n <= 3; ++n) LNTH(n) = fp.a_ft;
    WDTH(1) = WDTH(3) = fp.b_ft;
    WDTH(2) = FLTOCE;
    NELMNT(1) = NELMNT(3) = FLOORS;
    NELMNT(2) = 2.0f * FLOORS * NSDIM / room_side_ft + 0.499f + 0.499f + 2.0f * FLOORS * EWDIM / room_side_ft;
    NELMNT(4) = 0.0f;
}

}  // namespace

// The roof the site asks for, flat or sloped as the house is: its cool roof
// where the climate zone requires one, its default roof where not. A flat
// roof does not keep a cool roof that an earlier site required, so a house
// moved and designed again has the roof of a new house there.
REAL designed_roof_choice(REAL roof, INTEGER z) {
    if (roof == 2.0f || roof == 3.0f) return CECRESA(25, z) >= 0.6f ? 2.0f : 3.0f;  // cool or default flat roof
    return CECRESA(27, z) < 0.1f ? 6.0f : 4.0f;
}

void residential_design(DesignScheme& d) {
    const INTEGER k = d.k;
    year_built(d);
    // An existing house has foil where its radiant-barrier code says so. The
    // flag the other codes read (a barrier exists or is required) is the
    // zone's only for a generated new house, which the constructions set;
    // otherwise it is not what the scheme's file kept from another building
    // or an earlier design of it.
    if (k == 1 && !NFLAG(9)) NFLAG(85) = false;
    comfort_and_loads(d);
    systems_by_code(d);
    roof_and_efficient_extras(d);
    light_frame_preset();

    if (STRATEGY(7, k) <= 1.0f) STRATEGY(9, k) = 0.0f;  // a detached house shares no wall
    // The efficient dwelling's glazing and its construction follow the
    // climate; the flags are settled here, before the window list reads
    // them, so that a design never depends on what the slot held before.
    const bool vintage_scheme = k == 2 && !NFLAG(9);
    if (k != 1 && !vintage_scheme) settle_climate_mass_need();
    BLDGSZ();
    GLZVAL();
    GLZSHD();
    mass_geometry();

    if (!vintage_scheme) residential_construction_by_climate(d);
    if (STRATEGY(6, k) <= 1.0f || k != 2) {
        UVALR();
    } else {
        residential_vintage_design(d);
    }
    pitched_roof_flag(k);
}

}  // namespace mavo
