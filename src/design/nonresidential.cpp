// EXPERT, non-residential path.
//
// Loads come from the non-residential type table (occupant density, heat
// per person, plug, refrigeration and gas equipment, lights, outside air),
// equipment and fans from the climate zone's code; the construction is one
// of four families by building type: concrete block with a slab
// (assembly, industrial, school), wood walls on a slab, a high-mass
// concrete warehouse, or light frame on a raised floor for any other type.
#include "design/nonresidential.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "design/glazing_areas.h"
#include "design/sizing.h"
#include "design/vintage.h"
#include "design/window_list.h"
#include "front/trace.h"
#include "physics/constructions_nonresidential.h"
#include "physics/scaled_footprint.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kStoryOverCeiling = 1.125f;  // story height over ceiling height (floor structure)
// Scheme 2's high-efficiency plant: AFUE 0.90 furnace, SEER 15 air conditioner.
constexpr REAL kEfficientAfue = 0.9f;
// SEER 15 / 3.412, exactly the value cooling code 4 stands for, so that the
// saved scheme keeps code 4 rather than a custom cooler.
constexpr REAL kEfficientCop = design_codes::kCoolingCopSeer15;

REAL DN(INTEGER row) { return DVALUENR(row, NTYPE); }
REAL DV(INTEGER row) { return DVALUE(row, NTYPE); }

bool is_one_of(INTEGER v, std::initializer_list<INTEGER> set) {
    for (const INTEGER s : set)
        if (v == s) return true;
    return false;
}

// Which design each scheme is, from new or remodel and year built. The
// design of scheme 1 settles scheme 2's year as well: a new building is
// built to the current code, the existing building of a remodel is of the
// year described. Scheme 2's design settles its year by the same rule, so
// that its design does not depend on whether scheme 1 was designed first.
void design_kind(DesignScheme& d) {
    const INTEGER k = d.k;
    const REAL S6 = STRATEGY(6, 1), S11 = STRATEGY(11, 1);
    const bool built_now = S6 <= 1.0f && (S11 < kYearNotGiven || S11 >= kYearOfCurrentCode);
    const bool existing_of_its_year = S6 >= 2.0f && S11 >= kYearNotGiven && S11 < kYearOfCurrentCode;
    // The sloped-roof flag is a house's, set by its design from the roof
    // over its attic; no non-residential run reads it. This design gives it
    // the value of a building that never was a house, flat for a new scheme
    // 1 of the current code (below), else as a new project holds it, so
    // that a house's earlier design of the scheme does not reach its file.
    NFLAG(4) = initial_run_flags()(4);
    if (k == 2) {
        if (built_now) STRATEGY(11, 2) = kYearOfCurrentCode;
        else if (existing_of_its_year) STRATEGY(11, 2) = S11;
    }
    if (k == 1) {
        if (built_now) {
            STRATEGY(11, 1) = STRATEGY(11, 2) = kYearOfCurrentCode;
            NFLAG(4) = false;
            NFLAG(8) = true;
            NFLAG(9) = true;
        } else if (S6 >= 2.0f) {
            // A remodel: scheme 2 is the existing building of that year.
            if (existing_of_its_year) {
                STRATEGY(11, 2) = S11;
                STRATEGY(11, 1) = kYearOfCurrentCode;
                NFLAG(8) = true;
                NFLAG(9) = false;
            }
            if (STRATEGY(11, 2) > kYearNotGiven && STRATEGY(11, 2) < kYearOfCurrentCode) {
                STRATEGY(11, 1) = kYearOfCurrentCode;
                NFLAG(8) = true;
                NFLAG(9) = false;
            }
        }
    }
    if (k == 2 && STRATEGY(11, 2) > kYearNotGiven && STRATEGY(11, 2) < kYearOfCurrentCode) {
        NFLAG(9) = false;
        STRATEGY(6, 2) = STRATEGY(6, 1);
    }
    d.year_built = STRATEGY(11, k);
    STRATEGY(10, k) = static_cast<REAL>(nearest_int(STRATEGY(10, k)));
    STRATEGY(34, k) = 0.0f;  // no attached garage
    DBG_FLOAT("YearBuilt Y non-residential EXPERT", d.year_built);
}

// Glazing era and the default window and door types.
void glazing_era_and_openings(const DesignScheme& d) {
    const INTEGER k = d.k;
    const REAL Y = d.year_built;
    ERA = 4;
    if (k == 2 && Y > kYearNotGiven && Y < 1978.0f) ERA = 1;
    else if (k == 2 && Y >= 1978.0f && Y < kYearOfCurrentCode) ERA = 3;
    DBG_INT("Era for Scheme 1 set in EXPERT 1629", ERA);
    if (k != 1 && k != 2) return;
    // The design lays out every window, door and skylight group itself: no
    // group of another design of the scheme (a dwelling's doors and
    // skylights) stays beside its own.
    for (INTEGER group = 60; group <= 300; group += 10)
        for (INTEGER row = group; row <= group + 7; ++row) STRATEGY(row, k) = 0.0f;
    // Window code = window type + 40; door types 8 and 9. The skylight
    // type is the code skylight's too, whether or not the design lays out
    // skylights: a plain run before the design may have marked the loaded
    // glass custom (negative), which the design's code glazing no longer is.
    WTYPE = 2;
    STYPE = 5;
    DTYPE = 8;
    switch (NTYPE) {
        case 11:
            WTYPE = 1;
            DTYPE = 9;
            STRATEGY(60, k) = 41.0f;
            STRATEGY(70, k) = 49.0f;
            STRATEGY(80, k) = 41.0f;
            STRATEGY(90, k) = 49.0f;
            break;
        case 14:
            STRATEGY(60, k) = 42.0f;
            STRATEGY(70, k) = 48.0f;
            STRATEGY(80, k) = 42.0f;
            STRATEGY(90, k) = 42.0f;
            STRATEGY(100, k) = 48.0f;
            STRATEGY(110, k) = 42.0f;
            break;
        case 1:
            STRATEGY(60, k) = 48.0f;
            STRATEGY(70, k) = 48.0f;
            break;
        default:
            STRATEGY(60, k) = 42.0f;
            STRATEGY(70, k) = 48.0f;
            STRATEGY(80, k) = 42.0f;
            STRATEGY(90, k) = 48.0f;
            break;
    }
}

// Comfort, internal loads, air and plant.
void loads_air_and_plant(const DesignScheme& d) {
    const INTEGER k = d.k, z = d.z;
    COMHI = 76.0f;
    COMLOW = 70.0f;
    SETBKN = 60.0f;
    SETBKU = 60.0f;
    SETUPU = 86.0f;
    ECMOTD = 60.0f;
    // Scheme 2 is never the code-minimum design, whatever command reached
    // it: the run sequence gives slot 2 the code-minimum command whenever
    // its year built is above 199, which a year of 100 or less becomes on
    // loading. As for a dwelling, the flag is cleared here, so that the
    // efficient scheme gets its south overhang.
    if (k == 2) NFLAG(8) = false;
    if (k == 2) NFLAG(9) = false;
    if (k >= 2 && (STRATEGY(11, k) >= kYearOfCurrentCode || STRATEGY(11, k) <= kYearNotGiven)) NFLAG(9) = true;

    SFACES = 0.0f;
    EQPT = DN(4) + DN(9) + DN(8) / kBtuhPerWatt;  // plugs, refrigeration, gas equipment, W/ft2
    FLTOCE = DV(11);
    FLTOFL = kStoryOverCeiling * DV(11);
    // A type without occupants keeps no floor area per person.
    PAREA = DN(1) > 0.0f ? 1000.0f / DN(1) : 0.0f;
    PEOPLE = PAREA > 0.0f ? AREAT / PAREA : 0.0f;
    LATENT = 30.0f;
    PBTUH = DN(2);
    PBTUHL = DN(3);
    LIGHTS = DN(6);
    TOLOAD = PBTUH * PEOPLE;
    TLLOAD = LIGHTS * AREAT * kBtuhPerWatt;
    TELOAD = EQPT * AREAT * kBtuhPerWatt;
    PEAK = kBtuhPerWatt * (DN(6) + DN(4) + DN(9)) + DN(8);
    if (PAREA > 0.0f) PEAK += DN(2) / PAREA;

    FACFM = DN(7) * AREAT;
    // Air changes of the outside air in the designed volume (floor area
    // times ceiling height, as the sizing will store it).
    const REAL volume_ft3 = AREAT * FLTOCE;
    if (volume_ft3 > 0.0f) AIRCHG = FACFM * 60.0f / volume_ft3;
    COPAC = CECNR(22, z) / kBtuhPerWatt;
    AtticFanHrs = 0.0f;
    if (k == 2) {
        STRATEGY(25, 2) = 6.0f;
        wCFMhvac = 0.58f;
        wCFMiaq = 0.25f;
        wCFMvent = 0.09f;
        ACHMAX = 20.0f;
        STRATEGY(28, 2) = 3.0f;
        STRATEGY(29, 2) = 1.0f;
    } else {
        STRATEGY(25, k) = STRATEGY(28, k) = STRATEGY(29, k) = 1.0f;
        wCFMvent = 0.14f;
        wCFMiaq = 0.4f;
        wCFMhvac = CECNR(32, z);  // central fan
    }
    STRATEGY(24, k) = 6.0f;
    DuctInsul = CECNR(15, z);
    NFLAG(45) = false;
    ACH50 = 5.0f;
    SLA = 2.5f;
    DuctLeakPct = STRATEGY(6, 2) == 2.0f ? 10.0f : 6.0f;

    FUELTYPE = (!NFLAG(58) || NFLAG(83)) ? 1.0f : 0.0f;
    generated_plant(k, CECNR(19, z));
    LIGHTS = DN(6);
    HRLITEON = DV(6);
    HRLITEOFF = DV(7);
    DBG_PRINT("801 NonRes DEFAULT: LOW MASS BLDG. EXPERT 2123");
}

// Floor codes 1 and 4 of STRATEGY(10,k): the floor lies on the ground
// (not over another unit), so it may be a slab.
bool floor_on_ground(INTEGER k) { return STRATEGY(10, k) == 1.0f || STRATEGY(10, k) == 4.0f; }

struct Element {
    const char* name;
    REAL thck_in, dnst_lb_ft3, spht_btu_lbF, cond_btuin_hft2F;
};

void mass_element(INTEGER n, const Element& e) {
    MTUSED(n) = e.name;
    THCK(n) = e.thck_in;
    DNST(n) = e.dnst_lb_ft3;
    SPHT(n) = e.spht_btu_lbF;
    COND(n) = e.cond_btuin_hft2F;
}

void wall_lag(REAL lag_h, REAL decr) {
    for (INTEGER i = 6; i <= 9; ++i) {
        TMLAG(i) = lag_h;
        DECR(i) = decr;
    }
}

// Light frame on a raised floor: the materials of the floor, the interior
// walls and the ceiling, laid out once the building is sized.
void low_mass_preset(const DesignScheme& d) {
    if (floor_on_ground(d.k)) {
        AREA(11) = RAX;
        PERCNT(11) = 100.0f;
        AREA(12) = PERCNT(12) = 0.0f;
    }
    NELMNT(1) = FLOORS;
    NELMNT(2) = 2.0f * FLOORS;
    NELMNT(3) = FLOORS;
    mass_element(1, {"WOOD", 0.75f, 45.0f, 0.33f, 1.2f});
    mass_element(2, {"DRYWALL", 0.625f, 50.0f, 0.26f, 1.1f});
    mass_element(3, {"DRYWALL", 0.625f, 50.0f, 0.26f, 1.1f});
    MTUSED(4) = "";
    wall_lag(3.0f, 0.7f);
}

// What a dwelling's runs of the scheme wrote for themselves and the design
// of another building does not choose: the copies of the residential
// code's requirements (rows 37, 38, 40), the solar absorptance of the walls
// and the occupants' and equipment's hours (the building's schedules give
// its own), which the design of a building that was never a house takes
// from the default scheme. The vintage design gives the walls their own.
void clear_dwelling_values(INTEGER k) {
    STRATEGY(37, k) = STRATEGY(38, k) = STRATEGY(40, k) = 0.0f;
    const BLK4_t default_constructions{};
    for (INTEGER i = 6; i <= 9; ++i) ABSORB(i) = default_constructions.ABSORB(i);
    const BLK5_t default_loads{};
    HRPEOPON = default_loads.HRPEOPON;
    HRPEOPOFF = default_loads.HRPEOPOFF;
    HREQPTON = default_loads.HREQPTON;
    HREQPTOFF = default_loads.HREQPTOFF;
}

// Floor, interior walls and ceiling of one story laid out on the plan the
// sizing has just made, never on the plan the scheme held before (the
// template's or the previous design's). A light-frame building's interior
// walls are as many as its rooms' sides along both plan dimensions; the
// heavier families keep two per story.
void mass_layout(bool walls_by_rooms) {
    const ScaledFootprint fp = scaled_footprint();
    if (fp.valid) {
        for (INTEGER n = 1; n <= 3; ++n) LNTH(n) = fp.a_ft;
        WDTH(1) = WDTH(3) = fp.b_ft;
    }
    WDTH(2) = FLTOCE;
    if (!walls_by_rooms) return;
    const REAL r_ft = interior_room_side_ft(NTYPE, AREAT);
    NELMNT(2) = 2.0f * FLOORS * (NSDIM + EWDIM) / r_ft + 0.5f;
}

void slab_floor() {
    AREA(11) = PERCNT(11) = 0.0f;
    PERCNT(12) = 100.0f;
    AREA(12) = 2.0f * (NSDIM + EWDIM);
}

void construction_codes(INTEGER k, REAL s30, REAL s31, REAL s32, REAL s33, REAL s49) {
    STRATEGY(30, k) = s30;
    STRATEGY(31, k) = s31;
    STRATEGY(32, k) = s32;
    STRATEGY(33, k) = s33;
    STRATEGY(49, k) = s49;
}

void scheme2_plant() {
    STRATEGY(18, 2) = 4.0f;
    STRATEGY(20, 2) = 4.0f;
    STRATEGY(30, 2) = 7.0f;
    COPHT = kEfficientAfue;
    COPAC = kEfficientCop;
}

void scheme2_night_ventilation() {
    STRATEGY(25, 2) = 6.0f;
    ACHMAX = 20.0f;
    wCFMvent = 0.09f;
    AIRCHG = 0.3f;
}

void cool_roof(INTEGER z) {
    REMITT = CECNR(26, z);
    ABSORB(10) = 1.0f - CECNR(25, z);
}

// The construction family of the building type; true for the light frame
// of any type without a family of its own.
bool construction_family(const DesignScheme& d) {
    const INTEGER k = d.k, z = d.z;
    const bool scheme2 = k == 2;
    STRATEGY(18, k) = STRATEGY(20, k) = 3.0f;
    const REAL F = FLOORS;
    const ConstructionFamily family = construction_family_of(NTYPE);
    if (family == ConstructionFamily::block_on_slab) {
        DBG_PRINT("830 MEDIUM MASS 8in concrete block walls + Slab");
        construction_codes(k, 5.0f, 23.0f, kFamilyRoof, 6.0f, 5.0f);
        mass_element(1, {"CONCRETE", 3.5f, 140.0f, 0.22f, 12.0f});
        mass_element(2, {"CONCRETE", 3.0f, 140.0f, 0.22f, 12.0f});
        mass_element(3, {"CONCRETE", 3.0f, 140.0f, 0.22f, 12.0f});
        NELMNT(1) = F;
        NELMNT(2) = NELMNT(3) = 2.0f * F;
        if (floor_on_ground(k)) slab_floor();
        wall_lag(8.0f, 0.6f);
        if (scheme2) {
            scheme2_night_ventilation();
            scheme2_plant();
            cool_roof(z);
        }
    } else if (family == ConstructionFamily::wood_on_slab) {
        DBG_PRINT("820 MEDIUM MASS wood walls + Slab 2368");
        DBG_FLOAT("if DVALUE(12,NTYPE)=.0 slab is required", DV(12));
        construction_codes(k, 5.0f, 27.0f, kFamilyRoof, 7.0f, 5.0f);
        mass_element(1, {"CONCRETE", 4.0f, 140.0f, 0.22f, 12.0f});
        mass_element(2, {"DRYWALL", 0.625f, 50.0f, 0.26f, 1.1f});
        mass_element(3, {"DRYWALL", 0.625f, 50.0f, 0.26f, 1.1f});
        NELMNT(1) = F;
        NELMNT(2) = NELMNT(3) = 2.0f * F;
        if (floor_on_ground(k)) slab_floor();
        if (scheme2) {
            scheme2_plant();
            cool_roof(z);
        }
    } else if (family == ConstructionFamily::high_mass) {
        DBG_PRINT("840 HIGH MASS 4in concrete floors and walls");
        construction_codes(k, 5.0f, 25.0f, kFamilyRoof, 8.0f, 2.0f);
        mass_element(1, {"CONCRETE", 5.0f, 140.0f, 0.22f, 12.0f});
        mass_element(2, {"CONCRETE", 5.0f, 140.0f, 0.22f, 12.0f});
        mass_element(3, {"CONCRETE", 4.0f, 140.0f, 0.22f, 12.0f});
        NELMNT(1) = F;
        NELMNT(2) = NELMNT(3) = 2.0f * F;
        if (floor_on_ground(k)) {  // a raised floor of one story
            AREA(11) = AREAT / F;
            PERCNT(11) = 100.0f;
            AREA(12) = PERCNT(12) = 0.0f;
        }
        wall_lag(8.0f, 0.6f);
        for (INTEGER i = 6; i <= 9; ++i) UVAL(i) = CECNR(38, z);  // heavy mass wall
        if (scheme2) {
            scheme2_night_ventilation();
            scheme2_plant();
            cool_roof(z);
        }
    } else {
        DBG_INT("ERROR: Ntype not defined so use Low Mass", NTYPE);
        if (scheme2) scheme2_plant();
        DBG_PRINT("810  finish Low MASS BUILDING in EXPERT 2346");
        DBG_PRINT("STAYS PURE LOW MASS BUILDING,RAISED FLOOR 2295");
        return true;
    }
    return false;
}

void plan_and_windows(const DesignScheme& d) {
    BLDGSZ();
    for (INTEGER i = 6; i <= 12; ++i) DBG_FLOAT("AREA(6..12) after BLDGSZ EXPERT", AREA(i));
    DBG_FLOAT("Strategy(33, floor EXPERT", STRATEGY(33, d.k));
    DBG_FLOAT("Strategy(49, under floor EXPERT", STRATEGY(49, d.k));
    GLZVAL();
    GLZSHD();
    DBG_INT("NTYPE after GLZSHD EXPERT", NTYPE);
    DBG_FLOAT("FLTOCE after GLZSHD EXPERT", FLTOCE);
}

}  // namespace

REAL designed_nonresidential_roof_choice(INTEGER ntype, REAL roof) {
    return construction_family_of(ntype) == ConstructionFamily::light_frame ? roof : kFamilyRoof;
}

REAL interior_room_side_ft(INTEGER ntype, REAL floor_area_ft2) {
    // Shopping centres, offices and restaurants have larger rooms.
    const bool large_rooms = is_one_of(ntype, {6, 7, 10});
    const REAL cap_ft2 = large_rooms ? 1000.0f : 400.0f;
    REAL A_ft2 = 0.0f;
    if (floor_area_ft2 < 50000.0f) {
        A_ft2 = std::min(0.25f * floor_area_ft2, cap_ft2);
    } else {
        A_ft2 = std::min(0.25f * floor_area_ft2, large_rooms ? 5000.0f : cap_ft2);
    }
    // Auditoriums, factories and warehouses are one open room.
    if (is_one_of(ntype, {1, 2, 11})) A_ft2 = floor_area_ft2;
    return A_ft2 > 0.0f ? std::sqrt(A_ft2) : 20.0f;
}

void nonresidential_design(DesignScheme& d) {
    design_kind(d);
    glazing_era_and_openings(d);
    loads_air_and_plant(d);
    clear_dwelling_values(d.k);
    low_mass_preset(d);
    const bool light_frame = construction_family(d);
    plan_and_windows(d);
    mass_layout(light_frame);

    // An existing building of an older year gets the vintage design; every
    // other scheme the constructions of its codes, a new building of an
    // older year too (whose year selects the vintage rules of the
    // constructions step and its glazing era, nothing more).
    const REAL Y = d.year_built;
    const bool existing_older = d.k == 2 && Y > kYearNotGiven && Y < kYearOfCurrentCode && STRATEGY(6, 2) > 1.0f;
    if (existing_older) {
        nonresidential_vintage_design(d);
    } else {
        DBG_FLOAT("YearBuilt call UVALC 880", Y);
        UVALC();
    }
    // The design names the roof it builds: an older building's dark roof.
    STRATEGY(32, d.k) = roof_code_of_its_year(STRATEGY(32, d.k), d.k, Y);
}

}  // namespace mavo
