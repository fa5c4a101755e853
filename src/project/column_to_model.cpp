// Task 2 of the design transfer: the scheme's parameter column becomes the
// working building model, so that the simulation sees the design the column
// describes. Codes of the column are turned into efficiencies, leakage and
// venting parameters; the window groups into the properties and geometry of
// the window, door and skylight lines. On the way several slots of the
// column are normalised (defaults, custom marks, codes derived from the
// glazing), so the column after this task is part of its result.
//
// A code of -1 or below in the heating, cooling or infiltration slot is a
// user-defined choice: its parameter stays as the scheme input file gave it.
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "front/trace.h"
#include "physics/constructions_nonresidential.h"
#include "physics/constructions_residential.h"
#include "physics/dwelling_facades.h"
#include "physics/glazing.h"
#include "physics/infiltration.h"
#include "physics/physics.h"
#include "physics/sol_air.h"
#include "project/project.h"
#include "project/revision.h"
#include "simulation/equipment.h"
#include "support/numeric.h"

namespace mavo {
namespace {

REAL& S(INTEGER n) { return STRATEGY(n, IDNUM1); }

bool residential() { return !NFLAG(24); }

// U-factor (Btu/h.ft2.F), solar heat gain coefficient and visible
// transmittance of a glazing or door line.
struct Glazing {
    REAL u;
    REAL shgc;
    REAL vt;
};

void set_line(INTEGER k, const Glazing& g) {
    UWINDO(k) = g.u;
    SCOEF(k) = g.shgc;
    TRANS(k) = g.vt;
}

Glazing code_glazing(INTEGER era, INTEGER type) {
    return {NRGLAZING(era, 1, type), NRGLAZING(era, 2, type), NRGLAZING(era, 3, type)};
}

// ---- site, type, design kind, dimensions -------------------------------------

std::string type_name(INTEGER type) {
    std::string name;
    for (INTEGER w = 1; w <= 6; ++w) name += BTNAME(w, type).view();
    return name;
}

// The type the building description of the loaded file names: the type of
// the run that saved it, which a host's edit of the type leaves alone; 0
// for a description of no type.
INTEGER type_named_by_title() {
    for (INTEGER t = 1; t <= 20; ++t)
        if (TITLE2.view() == type_name(t)) return t;
    return 0;
}

void site_and_building_type() {
    ZIPCODE = S(4);
    AADISK(-4);
    if (residential()) {
        const REAL attachment = S(7);
        if (attachment == 1.0f || attachment <= 0.0f) NTYPE = 19;
        else if (attachment == 2.0f) NTYPE = 18;
        else if (attachment == 3.0f) NTYPE = 16;
        else if (attachment == 4.0f) NTYPE = 17;
    }
    if (NTYPE < 1 || NTYPE > 20) {
        DBG_INT("REVISION: building type outside 1 to 20, title kept", NTYPE);
        return;
    }
    retyped_slot_per_area_loads(type_named_by_title());
    TITLE2 = type_name(NTYPE);
}

void design_kind() {
    if (IDNUM1 == 1) {
        NFLAG(8) = true;
    } else {
        // A real year built before the current code asks for the vintage design.
        NFLAG(9) = !(S(11) > 100.0f && S(11) < 2013.0f);
    }
}

void dimensions() {
    if (S(8) > 0.0f) AREAT = S(8);
    if (S(14) <= 0.0f) S(14) = 1.0f;
    FLOORS = S(14);
    if (S(15) <= 0.0f) S(15) = 8.0f;
    FLTOCE = S(15);
    if (S(17) > -1.0f) S(17) = 2.0f;
    if (S(12) > 0.0f) EWDIM = S(12);
    if (S(13) > 0.0f) NSDIM = S(13);
    // The footprint of the area and stories now in force.
    if (footprint_of_design_scheme()) DBG_FLOAT("REVISION footprint of the column's area and stories", RAX);
}

// ---- heating, cooling, leakage ------------------------------------------------

// Heating efficiency: AFUE of a furnace, HSPF of a heat pump (codes 7 to 9).
void heating_efficiency(INTEGER zone) {
    if (!(S(18) > -1.0f)) return;
    COPHT = heating_efficiency_of_code(S(18), zone);
}

// Cooling efficiency as a COP (SEER / 3.412); code 6 is the evaporative
// cooler, which brings its own venting and air movement. A code below 2
// (1, or 0 when none was chosen) is no air conditioning, as task 3 stores
// it: the efficiency of an earlier choice must not stay behind.
// A cooler of its own effectiveness, which task 3 saves as a user-defined
// choice (-6), keeps that effectiveness and takes the coded cooler's
// venting and air movement, so that it runs on every run as on the first.
void cooling_efficiency(INTEGER zone) {
    const bool own_cooler = S(20) == -6.0f && EvapEff > 0.0f;
    if (!(S(20) > -1.0f) && !own_cooler) {
        // An air conditioner of the user's has no cooler's effectiveness.
        if (COPAC > 0.0f) EvapEff = 0.0f;
        return;
    }
    const REAL code = std::fabs(S(20));
    if (const auto cop = cooling_cop_of_code(code, zone)) COPAC = *cop;

    if (code == 6.0f) {
        COPAC = 0.0f;
        if (EvapEff <= 0.0f) EvapEff = 85.0f;
        S(25) = 6.0f;
        S(28) = 3.0f;
        S(29) = 1.0f;
    } else {
        EvapEff = 0.0f;
    }
}

bool names_a_system(REAL code) { return code >= 1.0f && code <= 9.0f && code == std::trunc(code); }

// A heating the user defined at the efficiency of a furnace's or electric
// heat's code (0.78 where code 3's AFUE is 0.78) is saved as that code;
// beside a heat pump's cooling typed, that is the furnace with the heat
// pump's cooling, read so before the first run. Read as the user's heating
// beside a coded cooling, the first run saved the pair 3 and 9, which every
// later load marks user-defined (-3 and -9).
REAL heating_as_saved_beside_heat_pump_cooling(REAL heating, REAL cooling, INTEGER zone) {
    if (!(heating < 0.0f && cooling >= 7.0f && cooling <= 9.0f)) return heating;
    for (REAL code = 6.0f; code >= 2.0f; --code)  // the save's later codes win
        if (COPHT == heating_efficiency_of_code(code, zone)) return code;
    return heating;
}

// A furnace with a heat pump's cooling, or a heat pump's heating with an
// air conditioner, is no coded system: both choices become user-defined.
// Typed so, each is simulated with the efficiency its own code names (a
// user-defined choice keeps the efficiencies the input file holds, which
// are still the old system's on the first run after the designer typed the
// pair), and the save keeps both marked, the input file holding those
// efficiencies for every later run. The cooling COP is the one a load of
// the saved file gives back, so the first run simulates what its re-runs do.
// A heat pump's heating and an air conditioner of which one half is
// already user-defined (a heating an earlier save marked, as it marks every
// heat pump's heating without its own cooling, with an air conditioner
// typed beside it, or the reverse) are the same pair: the half typed takes
// its code's efficiency, the marked half keeps the input file's, and both
// are marked. Left as typed, the air conditioner's SEER beside the heat
// pump's HSPF of the same code (15 beside 8.2) was saved as the heat pump's
// own cooling (8 and 8), and every later run cooled without the air
// conditioner's latent load. (A heat pump's cooling beside a furnace of the
// user's keeps its code as typed: the save keeps it.)
void mixed_systems(INTEGER zone) {
    const REAL heating = heating_as_saved_beside_heat_pump_cooling(S(18), S(20), zone), cooling = S(20);
    const bool typed = heating > 0.0f && cooling > 0.0f;
    const bool half_marked = (heating < 0.0f) != (cooling < 0.0f);
    const REAL heating_code = std::fabs(heating), cooling_code = std::fabs(cooling);
    const bool heat_pump_heating = heating_code >= 7.0f;
    if (!(typed || (half_marked && heat_pump_heating)) || !names_a_system(heating_code) ||
        !names_a_system(cooling_code) || !typed_systems_mixed(heating_code, cooling_code))
        return;
    heating_efficiency(zone);
    if (cooling > 0.0f) {
        cooling_efficiency(zone);
        COPAC = cooling_cop_as_saved(COPAC);
    }
    S(18) = -heating_code;
    S(20) = -cooling_code;
    DBG_FLOAT("REVISION mixed heating and cooling, user-defined: heating", S(18));
}

// The tightness class a code names; 0 for none (none chosen, 5, a
// fraction, or a code outside the classes).
INTEGER leakage_class(REAL code) {
    REAL sla = 0.0f, ach50 = 0.0f;
    const INTEGER c = int_toward_zero(code);
    return static_cast<REAL>(c) == code && tightness_class(c, sla, ach50) ? c : 0;
}

// Specific leakage area of the envelope by infiltration class. Class 5,
// which the class table lacks, is the house wrap the compliance
// instructions name beside class 4's sealed ducts: it leaks as class 4 on
// every run, and the save keeps 5. Any other code without a class row (none
// chosen, a fraction) takes the class of the leakage area the scheme file
// gave, the code task 3 stores after the run, so that the first run
// simulates the leakage the later ones do.
void leakage() {
    if (!(S(24) > -1.0f)) return;
    REAL ach50_unused = 0.0f;
    if (S(24) == design_codes::kHouseWrapInfiltrationClass) {
        tightness_class(design_codes::kHouseWrapLeaksAsClass, SLA, ach50_unused);
        return;
    }
    const REAL sla_class = design_codes::infiltration_class_of_sla(SLA);
    if (leakage_class(S(24)) == 0 && sla_class > 0.0f) S(24) = sla_class;
    tightness_class(leakage_class(S(24)), SLA, ach50_unused);  // a code without a class keeps SLA
}

// ---- venting -------------------------------------------------------------------

// Outside air of a non-residential type: its cfm per ft2 over the floor.
REAL nonresidential_outside_air_cfm() {
    if (NTYPE < 1 || NTYPE > 20) return FACFM;
    return DVALUENR(7, NTYPE) * AREAT;
}

// Air changes of a residential whole-house fan, which fall with the story
// height; a model without a story height keeps its value.
void residential_fan_air_changes() {
    if (FLTOFL > 0.0f) ACHMAX = 90.0f / FLTOFL;
    else DBG_FLOAT("REVISION: floor-to-floor height not positive, ACHMAX kept", FLTOFL);
}

// Air changes and fan power of the night-ventilation test case (venting 7).
constexpr REAL kTestCaseAirChanges = 10.8f;
constexpr REAL kTestCaseFanWattsPerCfm = 0.09946667f;
constexpr REAL kLargeFanWattsPerCfm = 0.09f;  // the whole-building fan of code 6

void venting() {
    if (S(28) == 1.0f && (S(25) == 10.0f || S(25) == 11.0f)) S(25) = 1.0f;
    if (S(28) == 2.0f && S(25) == 6.0f) S(25) = 5.0f;

    const REAL code = S(25);
    // The test case's rate and fan power a run of venting 7 left in the
    // input file are no fan of the building: a whole-house fan chosen after
    // it is sized and powered as where the test case never ran.
    if ((code == 5.0f || code == 6.0f) && ACHMAX == kTestCaseAirChanges && wCFMvent == kTestCaseFanWattsPerCfm) {
        ACHMAX = 0.0f;
        wCFMvent = 0.0f;
    }
    if (code == 1.0f) {  // no venting
        ACHMAX = 0.0f;
        wCFMvent = 0.0f;
        wCFMceil = 0.0f;
    } else if (code == 5.0f) {
        // The large fan's power a run of code 6 left is no power of this
        // smaller fan, which then takes its own as where code 6 never ran.
        if (wCFMvent <= 0.0f || wCFMvent == kLargeFanWattsPerCfm) wCFMvent = 0.14f;
        wCFMceil = 0.0f;
        if (residential()) {
            // Whole-building ventilation counts the occupants of the floor
            // area in force: those the last run left belong to its area, so
            // a run that simulated nothing after a new area saved a rate its
            // re-runs do not.
            FACFM = dwelling_fresh_air_cfm(dwelling_occupants());
            residential_fan_air_changes();
        } else {
            ACHMAX = 5.0f;
            FACFM = nonresidential_outside_air_cfm();
        }
    } else if (code == 6.0f) {
        wCFMvent = kLargeFanWattsPerCfm;
        wCFMceil = 0.0f;
        if (residential()) {
            // The large fan of a generated home is sized by the design (20
            // air changes, or at least 5): a rate the scheme file gives stays.
            if (!(ACHMAX > 0.0f)) residential_fan_air_changes();
        } else {
            ACHMAX = 20.0f;
            FACFM = nonresidential_outside_air_cfm();
        }
    } else if (code == 7.0f) {
        // The night-ventilation test case brings its own still air and
        // natural ventilation, which the hour reads from the venting code
        // (air_speed_class_in_force, natural_ventilation_in_force):
        // rows 28 and 29 stay the designer's, so that a venting chosen
        // after it (ceiling fans with their air speed) runs as typed.
        ACHMAX = kTestCaseAirChanges;
        wCFMvent = kTestCaseFanWattsPerCfm;
        wCFMceil = 0.0f;
    } else if (code == 10.0f || code == 11.0f) {
        ACHMAX = 0.0f;
        wCFMvent = 0.0f;
        wCFMceil = 0.0133f;
    }
}

// A heating or cooling code below 1 in magnitude is no listed choice (1 is
// "none"). It is stored as none of that kind before anything reads it, so
// that the other system stays (read as it stands, it would take the whole
// HVAC system away) and every step of this run, the peaks and bills
// included, sees the code the run saves. A column the design is about to
// fill holds no choice yet, which is no error.
void system_code(INTEGER row, std::string_view error, std::string_view before_design) {
    if (std::fabs(S(row)) >= 1.0f) return;
    DBG_FLOAT(REVISION_STATE.DESIGN_FOLLOWS ? before_design : error, S(row));
    S(row) = 1.0f;
}

// A heating or cooling code of 1 or more that names no system (a fraction,
// or a code above 9) is read, before anything reads it, as the code the
// save stores for what such a code runs, so that the first run simulates
// what the later ones do. Heating: no efficiency of its own, that is no
// heating (1). Cooling below 2: no air conditioning (1); any other keeps
// the cooling efficiency the input file holds, and the code is the one the
// save derives from that efficiency (3 for an air conditioner of the
// zone's SEER, user-defined where no code names it). Read as it was typed,
// a cooling code above 9 cooled as a heat pump's cooling does, and made a
// furnace beside it user-defined, on its first run only.
void codes_without_a_system(INTEGER zone) {
    if (S(18) > -1.0f && !names_a_system(S(18))) {
        DBG_FLOAT("REVISION heating code without a system, read as no heating", S(18));
        S(18) = 1.0f;
    }
    if (S(20) > -1.0f && !names_a_system(S(20))) {
        DBG_FLOAT("REVISION cooling code without a system, read as the input file's cooling", S(20));
        S(20) = S(20) < 2.0f ? 1.0f : cooling_code_of_model(S(20), zone);
    }
}

// HVAC system kind: 0 none, 1 ventilation only, 2 heating only, 3 heating
// and cooling, 4 cooling (or a cooling vent) without coded heating.
void hvac_system_kind() {
    const REAL heating = S(18), cooling = S(20);
    const REAL vent = std::fabs(S(25));
    REAL kind = 0.0f;
    if (heating == 1.0f && cooling == 1.0f && ((vent >= 5.0f && vent <= 9.0f) || (vent == 1.0f && wCFMiaq > 0.0f)))
        kind = 1.0f;
    if (std::fabs(heating) >= 2.0f) {
        if (cooling == 1.0f) kind = 2.0f;
        if (std::fabs(cooling) >= 2.0f) kind = 3.0f;
    }
    if (heating == 1.0f && std::fabs(cooling) >= 2.0f) kind = 4.0f;
    if (S(25) == 7.0f) kind = 4.0f;
    NHVACS = kind;
}

void air_velocity(INTEGER zone) {
    if (IDNUM1 < 2) {
        if (residential() && CECRESA(13, zone) > 0.0f) {
            S(28) = 2.0f;
            DBG_FLOAT("Code reqd small whole house fan ..gy(28,", S(28));
        } else {
            S(28) = 1.0f;
        }
    } else if (IDNUM1 == 2 && STRATEGY(6, 2) == 2.0f) {
        STRATEGY(28, 2) = 1.0f;
    }
}

void natural_ventilation() {
    if (std::fabs(S(29)) >= 2.0f) S(29) = natural_ventilation_class(S(29));
}

// ---- floor ---------------------------------------------------------------------

// A raised floor laid out under the footprint is all of its floor area, as
// the floor step counts a raised floor of the tables on every run, not the
// footprint's share of the plan a basement's floor is.
void raised_floor_laid_out_under_footprint() {
    raised_floor_over_footprint();
    if (AREA(11) > 0.0f) PERCNT(11) = 100.0f;
}

// Another building's raised floor (under one story) or slab (along the
// plan's outside perimeter) typed over a floor of another kind. Its
// constructions know no basement: a basement keeps the surfaces its input
// file holds. A building over another heated unit, or whose under-floor
// code says its floor loses nothing (1, the code its design gives a floor
// over another unit, which stays when the row naming the unit below is
// typed otherwise), has no floor laid out, as its design lays out none.
// The code holds for a raised floor only: a slab's under-floor code is 5
// on every run (a house's 1 over another unit, kept in the switch, is
// gone after the first), so a slab is laid out from the first run on.
void building_floor_surfaces_of_typed_type() {
    if (building_over_heated_unit(IDNUM1)) return;
    const REAL type = std::fabs(S(33));
    if (is_raised_floor_type(type) && S(49) != 1.0f && !(AREA(11) > 0.0f)) {
        raised_floor_laid_out_under_footprint();
        DBG_FLOAT("REVISION: raised floor typed without its area, under the footprint", AREA(11));
    }
    if (is_slab_type(type) && !(AREA(12) > 0.0f)) {
        AREA(12) = slab_edge_of_plan_ft(IDNUM1);
        DBG_FLOAT("REVISION: slab typed without its perimeter, the plan's", AREA(12));
    }
}

// A floor type typed over a floor of another kind finds none of its own
// surface in the scheme file, which holds the surfaces of the floor the
// scheme had (a raised floor no perimeter, a slab no floor area): simulated
// as it stands it would lose nothing, and be saved as no floor at all. The
// typed floor is laid out as the design lays out its own: a raised floor
// under the story's footprint, a slab along the plan's outside perimeter, a
// basement both, its floor under the footprint and its walls along the
// perimeter. So in every slot: a copy's input file holds the surfaces of
// the design it was copied from.
//
// A dwelling over another heated unit has no floor losses whatever its
// type, as its design has none: the floor, slab edge and basement walls the
// file still holds from before the designer made it an upper unit lose
// nothing from the first run on, under-floor code 1 naming why. The typed
// type stays, and typed back on a ground floor it is laid out again.
//
// The raised floor and the basement floor of a design scheme (1 or 2) lie
// under the footprint the run puts in force, as its roof does: after an
// edit of the stories or the floor area the input file still holds the old
// footprint's floor, and a basement typed over a slab the slab's none.
//
// Another building lays out a typed raised floor or slab alike: a house
// made another building holds the surfaces of the house's floor, and a
// floor typed in the same save would otherwise lose nothing, where the run
// of a house between the two edits had laid it out.
void floor_surfaces_of_typed_type() {
    if (!has_scheme_column(IDNUM1)) return;
    if (!residential()) {
        building_floor_surfaces_of_typed_type();
        return;
    }
    if (dwelling_over_heated_unit(IDNUM1)) {
        AREA(11) = PERCNT(11) = 0.0f;
        AREA(12) = PERCNT(12) = 0.0f;
        S(49) = 1.0f;
        return;
    }
    const REAL type = std::fabs(S(33));
    const bool raised = is_raised_floor_type(type), basement = is_basement_type(type);
    const bool design_scheme = IDNUM1 == 1 || IDNUM1 == 2;
    const bool floor_off_footprint = design_scheme && RAX > 0.0f && AREA(11) != RAX;
    if ((raised || basement) && (!(AREA(11) > 0.0f) || floor_off_footprint)) {
        if (raised) raised_floor_laid_out_under_footprint();
        else floor_over_footprint();
        DBG_FLOAT("REVISION: floor under the footprint of the area and stories in force", AREA(11));
    }
    if ((is_slab_type(type) || basement) && !(AREA(12) > 0.0f)) {
        AREA(12) = slab_edge_of_plan_ft(IDNUM1);
        DBG_FLOAT("REVISION: slab or basement typed without its perimeter, the plan's", AREA(12));
    }
}

// ---- glazing -------------------------------------------------------------------

// Current-code glazing of the zone for the non-residential window, skylight
// and door types (era 4 of the glazing table).
void nonresidential_code_glazing(INTEGER zone) {
    if (WTYPE >= 5 && WTYPE <= 7) STYPE = WTYPE;
    if (WTYPE == 8 || WTYPE == 9) DTYPE = WTYPE;
    auto set = [](INTEGER type, REAL u, REAL shgc, REAL vt) {
        NRGLAZING(4, 1, type) = u;
        NRGLAZING(4, 2, type) = shgc;
        NRGLAZING(4, 3, type) = vt;
    };
    auto N = [zone](INTEGER row) { return CECNR(row, zone); };
    set(1, N(7), N(11), N(34));
    set(2, N(42), N(43), N(44));
    set(3, N(45), N(46), N(47));
    set(4, N(48), N(49), N(50));
    set(5, N(51), N(52), N(53));
    set(6, N(54), N(55), N(56));
    set(7, N(57), N(58), N(59));
    set(8, N(41), 0.5f, 0.0f);
    set(9, N(40), 0.5f, 0.0f);
}

// A dwelling's era 4 of the glazing table is the built-in one, whatever
// zone's code glazing a non-residential load of the scheme put there: a
// copy of the house takes its code lines from it, and its file keeps it.
void residential_code_glazing() {
    const auto built_in = building_init::initial_glazing_table();
    for (INTEGER property = 1; property <= 3; ++property)
        for (INTEGER type = 1; type <= 9; ++type) NRGLAZING(4, property, type) = built_in(4, property, type);
}

// Non-residential windows and skylights built 2004 to 2012, by climate zone.
Glazing nonresidential_2004_glazing(INTEGER zone) {
    switch (zone) {
        case 1: return {0.57f, 0.67f, 0.67f};
        case 2: return {0.57f, 0.4f, 0.4f};
        case 3: return {0.67f, 0.67f, 0.67f};
        case 4: return {0.67f, 0.4f, 0.4f};
        case 5:
        case 6: return {0.67f, 0.67f, 0.67f};
        case 7:
        case 8:
        case 9: return {0.67f, 0.4f, 0.4f};
        case 16: return {0.55f, 0.67f, 0.67f};
        default: return {0.57f, 0.4f, 0.4f};  // zones 10 to 15
    }
}

// Non-residential windows (types 1 to 4) and skylights (5 to 7) built 1992
// to 2003.
Glazing nonresidential_1992_glazing(INTEGER type) {
    return type <= 4 ? Glazing{0.81f, 0.61f, 0.65f} : Glazing{0.81f, 0.75f, 0.77f};
}

constexpr Glazing kVintageWindow = {1.27f, 0.75f, 0.77f};
// The glass of a line that has none of its own.
constexpr Glazing kStandInGlazing = {0.58f, 0.25f, 0.49f};
constexpr design_codes::GlazingValues kStandInGlass = {kStandInGlazing.u, kStandInGlazing.shgc, kStandInGlazing.vt};

// A line without a U-factor and SHGC of its own takes glass `g`; a
// transmittance the designer typed on it in the same save as its group
// (the line is made by that save) stays, as it stays when typed on the
// line a run made first.
void glass_of_line_without_its_own(INTEGER k, const Glazing& g) {
    const REAL typed_vt = TRANS(k);
    set_line(k, g);
    if (typed_vt > 0.0f) TRANS(k) = typed_vt;
}

void set_door(INTEGER k, INTEGER era, REAL year_built) {
    const design_codes::GlazingValues g = design_codes::vintage_door(era, year_built);
    set_line(k, {g.u, g.shgc, g.vt});
}

// Glazing type of a line's code: 41 to 49 stand for types 1 to 9.
INTEGER type_of_code(INTEGER c) { return (c >= 41 && c <= 49) ? c - 40 : c; }

// A line made a skylight (repaired from no glass, or a window group laid
// on the roof) is of type 5; the scheme-wide skylight type takes it only
// where it names none: a type the designer typed in the same save stays,
// as it stays when typed a run later.
void skylight_type_where_none_is_named() {
    if (std::abs(STYPE) < 5 || std::abs(STYPE) > 7) STYPE = 5;
}

// Steps a to c: code normalisation, doors of the detailed screen, and the
// repair of a skylight without properties. A line without glass of its own
// is a skylight's where the file holds it flat, or, where its group
// (`laid_by_group`) lays it out, where that group puts it on the roof:
// judged by the tilt the last run left, a window made a skylight in the
// save that emptied its glass stayed without glass on the roof for one run,
// and took the stand-in glass from the next, and a skylight moved to a wall
// (or an emptied line given units again on a wall) in such a save took the
// skylight's type over its group's code.
void line_repairs(INTEGER k, INTEGER j, bool laid_by_group) {
    if (!residential() && S(60 + j) == 5.0f) {
        S(60 + j) = 25.0f;
        DBG_FLOAT("Strategy(60+j,-) changed to 25. KORVA 2484", S(60 + j));
    }
    if (ITEMSII(k) >= 11 && ITEMSII(k) <= 14) {
        TRANS(k) = 0.0f;
        DBG_INT("Trans(k) is now FIXED", k);
    }
    // A dwelling's line without transmittance is simulated as a door, and
    // its run leaves in the SHGC word the absorptance of the facade it lay
    // on: no glass of its own either where its U-factor is 0.
    const bool door_word = residential() && !(TRANS(k) > 0.0f);
    const bool blank = UWINDO(k) == 0.0f && (SCOEF(k) == 0.0f || door_word);
    const bool unit = UWINDO(k) == 1.0f && SCOEF(k) == 1.0f;
    if (!blank && !unit) return;
    // A generated design of the current code's glazing gives every line
    // the code glass of its type, so a line whose glass the designer
    // emptied lacks nothing: repaired on the roof, it set every skylight to
    // type 5 over the type the designer typed, where emptied on its wall a
    // run before the move it had its type's glass back.
    if (laid_by_group && !residential() && ERA == 4) return;
    if (laid_by_group ? int_toward_zero(S(61 + j)) == 5 : TILT(k) < 45.0f) {
        skylight_type_where_none_is_named();
        // Group 1's code slot of another building of its own glazing is
        // the scheme-wide code (25 the zone's code glass), which the save
        // keeps while every window holds that glass: a skylight's type
        // there lost it to the library window the glass matched (42), and
        // the line's glass emptied again a run later stayed the stand-in.
        // A vintage design's era gives every window type the vintage
        // window, a skylight's too: the group keeps the window type the
        // designer typed, as a group typed past the last line keeps it.
        const INTEGER type = type_of_code(int_toward_zero(S(60 + j)));
        const bool vintage_window = !residential() && ERA == 1 && type >= 1 && type <= 7;
        if (!(j == 0 && !residential() && ERA > 4) && !vintage_window) S(60 + j) = 45.0f;
        if (blank) glass_of_line_without_its_own(k, kStandInGlazing);
        else set_line(k, kStandInGlazing);
    } else {
        DBG_INT("k if Wierd 0-0-0 or 1-1-1 error 2438", k);
    }
}

// Step d: user or advanced glazing; the scheme-wide code in group 1
// (`scheme_code`) may still ask for the zone's code glazing. Door lines (no
// transmittance) keep their door values.
void custom_glazing(INTEGER k, REAL year_built, INTEGER zone, REAL scheme_code) {
    mark_glazing_types_custom();
    if (TRANS(k) <= 0.0f) return;
    if (const auto g = scheme_code_glass(scheme_code, residential(), year_built, zone))
        set_line(k, {g->u, g->shgc, g->vt});
}

bool is_glazing_type(INTEGER type) { return type >= 1 && type <= 9; }

// Vintage values: pre-1992 glazing and doors.
void vintage_glazing(INTEGER k, INTEGER type, INTEGER era, REAL year_built) {
    if (type >= 1 && type <= 7) set_line(k, kVintageWindow);
    else if (type == 8 || type == 9) set_door(k, era, year_built);
}

// Current-code line of schemes 3 and above: the type from its code, or
// from the scheme-wide type of its kind of line.
void current_code_line(INTEGER k, INTEGER j) {
    const INTEGER c = std::abs(int_toward_zero(S(60 + j)));
    INTEGER type = c;
    if (c >= 41 && c <= 50) {
        type = c - 40;
    } else {
        const INTEGER kind = ITEMSII(k);
        if (kind >= 1 && kind <= 4) type = WTYPE;
        else if (kind >= 11 && kind <= 14) type = DTYPE;
        else if (kind == 5 || (kind >= 51 && kind <= 54)) type = STYPE;
    }
    // A custom type or a code without a row of the table keeps the line's values.
    if (is_glazing_type(type)) set_line(k, code_glazing(4, type));
    else DBG_INT("REVISION: glazing type without a code row, line kept", k);
}

// A group of a generated design of the current code whose code the
// designer typed with the other kind of line: a window type (1 to 7, or 41
// to 47) over a door's line makes the line a window, a door type (8, 9, 48,
// 49) over a window's line a door, of its type's code glass, as the group
// typed past the last line (or emptied first, then typed again) takes the
// kind its code names. The line's glass is what the last run left in it;
// the code is what the designer typed.
void line_of_the_kind_its_code_names(INTEGER k, INTEGER j) {
    const INTEGER type = type_of_code(std::abs(int_toward_zero(S(60 + j))));
    const bool door = !(TRANS(k) > 0.0f);
    const bool window_type = type >= 1 && type <= 7, door_type = type == 8 || type == 9;
    if ((door && window_type) || (!door && door_type)) {
        DBG_INT("REVISION: line takes the kind its group's code names", k);
        set_line(k, code_glazing(4, type));
    }
}

// The glass a year before the current code gives an older building's
// window of `type` (era 3), by its band, where line k holds it in two
// words or more: glass derived from a year, but for a word the designer
// typed in the save that gave the year. A band the line holds whole is
// its glass before one it shares two words with: a skylight of 1992 to
// 2003 holds the vintage window's SHGC and transmittance, and read as that
// window its U-factor stayed as a word typed.
std::optional<Glazing> glass_of_an_earlier_year(INTEGER k, INTEGER type, INTEGER zone) {
    const Glazing bands[] = {kVintageWindow, nonresidential_1992_glazing(type), nonresidential_2004_glazing(zone)};
    for (const int words : {3, 2})
        for (const Glazing& g : bands)
            if ((UWINDO(k) == g.u) + (SCOEF(k) == g.shgc) + (TRANS(k) == g.vt) >= words) return g;
    return std::nullopt;
}

// Era 3 gives a year from 1992 to 2012 its band's glass, and an earlier
// one the vintage window's; a later year (or none) has no band.
bool year_has_band_of_glass(REAL year_built) { return year_built > 100.0f && year_built < 2013.0f; }

// A window group the designer lays on the roof of an older building's
// design (era 3 built before 2013) is a skylight of the era's skylight
// type, as a line whose glass was emptied in the same save is: kept on its
// window type, a window emptied a run before (which took the window type's
// glass back) became a skylight of window glass. So, in era 1 too, is a
// group of no code (0) holding the glass a group typed past the last line
// takes (the stand-in glass, or the library window's the scheme-wide code
// names, the vintage window's in a vintage design): left of no type it
// kept that glass and its 0, where its glass emptied a run later made it
// the era's skylight. Era 1 gives every window type the vintage window, a
// skylight's too, so a window type stays there; glass of the designer's
// own on a line of no code stays. Gives the type whose glass the line takes.
INTEGER skylight_of_the_era(INTEGER k, INTEGER j, INTEGER type, REAL year_built) {
    const bool design_scheme = IDNUM1 == 1 || IDNUM1 == 2;
    const auto shared = library_glass_some_window_holds(std::abs(int_toward_zero(S(60))));
    const bool glass_of_a_new_line = line_holds(k, kStandInGlass) || (shared && line_holds(k, *shared));
    const bool window_group = (ERA == 3 && type >= 1 && type <= 4) || (type == 0 && glass_of_a_new_line);
    if (!design_scheme || ITEMS(k) != 5 || !window_group || !(ERA == 1 || year_built < 2013.0f)) return type;
    S(60 + j) = 45.0f;
    skylight_type_where_none_is_named();
    return 5;
}

// Step e: non-residential glazing by era (1 vintage, 3 by year built, 4
// current code). A generated design (scheme 1 or 2) of the current code
// takes the code glazing of its types as its save does, before the run: a
// window, skylight or door type the designer typed is simulated on the
// first run after it, not only stored by it for the run after.
void era_glazing(INTEGER k, INTEGER j, REAL year_built, INTEGER zone) {
    const INTEGER code = int_toward_zero(S(60 + j));
    if (ERA == 4) {
        if (IDNUM1 >= 3) {
            current_code_line(k, j);
        } else {
            line_of_the_kind_its_code_names(k, j);
            take_code_glazing_of_type(k);
        }
    } else if (ERA == 1) {
        vintage_glazing(k, skylight_of_the_era(k, j, type_of_code(code), year_built), ERA, year_built);
    } else if (ERA == 3) {
        const INTEGER type = skylight_of_the_era(k, j, type_of_code(std::abs(code)), year_built);
        const bool emptied = UWINDO(k) == 0.0f && SCOEF(k) == 0.0f;
        const bool window = type >= 1 && type <= 7;
        if (emptied && (code == -22 || (window && !year_has_band_of_glass(year_built)))) {
            // A window whose glass the designer emptied takes back the glass
            // its group's code stands for, as where emptied under an earlier
            // year and given this one a run later: the design's own code of
            // 2004 to 2012 (-22), which no band reads as a type, that band's
            // glass of the zone under any year; under a year of no band, the
            // design's code of 1992 to 2003 (-2) that band's glass (library
            // window 2 differs in transmittance), and any other code the
            // library window it names.
            if (code == -22) glass_of_line_without_its_own(k, nonresidential_2004_glazing(zone));
            else if (code == -2) glass_of_line_without_its_own(k, nonresidential_1992_glazing(type));
            else if (const auto g = library_window_glazing(std::abs(code)))
                glass_of_line_without_its_own(k, {g->u, g->shgc, g->vt});
        } else if (year_built > 100.0f && year_built < 1992.0f) {
            vintage_glazing(k, type, ERA, year_built);
        } else if (year_built >= 1992.0f && year_built < 2004.0f) {
            if (window) set_line(k, nonresidential_1992_glazing(type));
            else if (type == 8 || type == 9) set_door(k, ERA, year_built);
        } else if (year_built >= 2004.0f && year_built < 2013.0f) {
            if (window) set_line(k, nonresidential_2004_glazing(zone));
            else if (type == 8 || type == 9) set_door(k, ERA, year_built);
        } else if (code > 0 && window) {
            // No band covers this year (the current code's, or none
            // given): a window the designer typed takes the library window
            // its group's code names, as the same group typed under this
            // year takes it; the glass an earlier year gave it would record
            // a year no longer in force. Word by word: a transmittance
            // typed with the year stays beside the window's U-factor and
            // SHGC, as typed a run after the year. The design's own lines
            // carry the code of their year's glass negative and keep it.
            const auto earlier = glass_of_an_earlier_year(k, type, zone);
            const auto g = library_window_glazing(code);
            if (earlier && g) {
                if (UWINDO(k) == earlier->u) UWINDO(k) = g->u;
                if (SCOEF(k) == earlier->shgc) SCOEF(k) = g->shgc;
                if (TRANS(k) == earlier->vt) TRANS(k) = g->vt;
            }
        }
    }
}

// Step f: geometry of the generated designs from their window group.
void line_geometry(INTEGER k, INTEGER j) {
    const INTEGER M = int_toward_zero(S(61 + j));
    ITEMS(k) = M;
    TILT(k) = 90.0f;
    FACING(k) = SFACES;
    switch (M) {
        case 1: break;
        case 2: FACING(k) = SFACES + 90.0f; break;
        case 3: FACING(k) = SFACES + 180.0f; break;
        case 4: FACING(k) = SFACES - 90.0f; break;
        case 5: TILT(k) = 0.0f; break;
        default: ITEMS(k) = 1; break;
    }
    QTY(k) = S(62 + j);
    WIDTH(k) = S(63 + j);
    SILL(k) = S(65 + j);
    HEAD(k) = S(64 + j) + S(65 + j);  // window height plus sill
    OHANGD(k) = S(66 + j);
    OHANGDIS(k) = S(67 + j);
}

bool any_window_line() {
    for (INTEGER k = 1; k <= 25; ++k)
        if (QTY(k) > 0.0f) return true;
    return false;
}

// A group of the column that a run wrote (its facade code is set) and whose
// quantity the designer has since set to 0.
bool group_set_to_no_units(INTEGER j) { return S(61 + j) != 0.0f && !(S(62 + j) > 0.0f); }

// A group no run has written, nor the designer: all of its geometry blank.
bool group_never_written(INTEGER j) {
    for (INTEGER n = 61; n <= 67; ++n)
        if (S(n + j) != 0.0f) return false;
    return true;
}

// The group at offset j taken out of the column, the groups after it moved
// up one, as the save stores the lines that keep units one after the other:
// the column and the lines agree from this run on, also for a copy made
// before the next save. Another building's code slot of a group is its
// line's glazing code (a type of the current code's glazing), which moves
// with it; group 1's code slot of a dwelling, or of another building of
// its own glazing (era 5 and above), is the scheme-wide glazing code and
// stays: moved, the next group's code (a door's 48, or nothing) became
// the code of every window, where the group emptied in the save that made
// a house another building left the house's. Where no line follows to take
// group 1's place, its code slot stays in every building, as the save
// keeps it in a scheme left without a window: emptied to the blank group
// after it, the code typed on a group past the last line was lost or kept
// by whether a run came between the group and its emptying.
void take_group_out(INTEGER j) {
    const bool code_slot_stays = residential() || ERA > 4 || !(S(72) > 0.0f);
    for (INTEGER g = j; g <= 240; g += 10) {
        const INTEGER first = (g == 0 && code_slot_stays) ? 61 : 60;
        for (INTEGER n = first; n <= 69; ++n) S(n + g) = g < 240 ? S(n + g + 10) : 0.0f;
    }
}

void empty_line(INTEGER k) {
    DBG_INT("REVISION: window group set to no units, its line emptied", k);
    QTY(k) = 0.0f;
}

// Steps a to f for line k with the group at offset j. A line laid out from
// its group takes the group's facade before its glazing: the current code
// gives it the glass of the kind of line it now is (a window moved onto the
// roof a skylight's), as the save stores it and every later run simulates
// it, not that of the facade the last run left in the input file. The
// repairs judge the line the file holds (a line without glass of its own
// lies flat, and takes the stand-in glass).
void transfer_line(INTEGER k, INTEGER j, REAL year_built, INTEGER zone, bool geometry_from_groups,
                   REAL scheme_code) {
    line_repairs(k, j, geometry_from_groups);
    if (geometry_from_groups) line_geometry(k, j);
    if (residential() || ERA > 4) custom_glazing(k, year_built, zone, scheme_code);
    else era_glazing(k, j, year_built, zone);
}

// A line no run has made holds no glass of its own: at most the words the
// designer typed on it in the same save as its group, a U-factor or a
// transmittance without an SHGC, or a transmittance without a U-factor
// (every line a run leaves with a transmittance holds all three). So does
// a line whose glass the designer emptied (all three 0).
bool holds_no_glass_of_its_own(INTEGER k) {
    return SCOEF(k) == 0.0f || (UWINDO(k) == 0.0f && TRANS(k) > 0.0f);
}

// The words of glass the designer typed on a new line in the same save as
// its group, 0 for a word not typed; all 0 for a line that holds glass.
Glazing glass_typed_on_new_line(INTEGER k) {
    if (!holds_no_glass_of_its_own(k)) return {0.0f, 0.0f, 0.0f};
    return {UWINDO(k), SCOEF(k), TRANS(k)};
}

// Those words stay beside the glass the new line took, as they stay when
// typed on the line the run made first (a U-factor typed a save after its
// group keeps the SHGC the line took): in a house, in another building of
// its own glazing (era 5 and above), and in one that keeps its glass by
// year (era 3) under a year without a band of glass; a building of the
// current code's glazing gives every line the code glass of its type, and
// a band or the vintage window its glass, to a line of a window or door
// type: a line of an older era whose group's code names no such type (as
// 0) it leaves as it is, and a word typed on it a run later stays.
void keep_typed_glass(INTEGER k, INTEGER j, const Glazing& typed, REAL year_built) {
    const INTEGER code = int_toward_zero(S(60 + j));
    const INTEGER type = type_of_code(ERA == 1 ? code : std::abs(code));  // as the era reads the code
    const bool era_leaves_line = (ERA == 1 || ERA == 3) && !is_glazing_type(type);
    const bool glass_kept =
        residential() || ERA > 4 || (ERA == 3 && !year_has_band_of_glass(year_built)) || era_leaves_line;
    if (!(TRANS(k) > 0.0f) || !glass_kept) return;
    if (typed.u > 0.0f) UWINDO(k) = typed.u;
    if (typed.shgc > 0.0f) SCOEF(k) = typed.shgc;
    if (typed.vt > 0.0f) TRANS(k) = typed.vt;
}

}  // namespace

// A scheme-wide code of another building of its own glazing that names
// no glass of its windows: the mark of windows not alike (1 or -1), or a
// code of no code glass whose library window no window holds, such as the
// skylight type (45) the current code's glazing left in group 1's slot,
// which a house keeps there and brings to another building. A scheme
// without a window of glass has no glass the code could name.
bool code_names_no_glass_of_the_windows(REAL code, REAL year_built, INTEGER zone) {
    bool window = false;
    for (INTEGER k = 1; k <= 25; ++k) window = window || (QTY(k) > 0.0f && TRANS(k) > 0.0f);
    if (!window) return false;
    if (code == 1.0f || code == -1.0f) return true;
    if (code == 0.0f || scheme_code_glass(code, false, year_built, zone)) return false;
    return !library_glass_some_window_holds(int_toward_zero(std::fabs(code)));
}

namespace {

// Line k lies past every line with units: a group typed past the lines
// the scheme has, not a line whose glass the designer emptied before the
// lines after it (a wall's such line is a door, a roof's the stand-in
// skylight, whatever glass the others share).
bool past_the_last_line(INTEGER k) {
    for (INTEGER n = k + 1; n <= 25; ++n)
        if (QTY(n) > 0.0f) return false;
    return true;
}

// A line the designer brings back by giving its group a quantity again
// keeps the glazing it last held. One that never held any (no U-factor nor
// SHGC of its own: a group typed past the design's lines) takes the glass
// of the scheme's other windows: the library window the scheme-wide code
// names, or the code glass that code asks for, as the code stood before
// this run judged the windows alike (`scheme_code`); past the last line,
// as this run judged them (below). The code's sign is
// the glazing era's the last save ran under (a house of its own glazing
// stores it positive), so the library window is named by its magnitude.
// A code whose library window no window of the scheme holds names no glass
// of theirs: the mark of windows not alike (1 or -1, which a save stores
// once a window has glass of its own and the host gives back), -48 (a
// first window of no library glass), a vintage design's type whose library
// glass the windows hold but in a word, or a code the last save stored
// under another year or site. The new line past the last line then takes
// the glass the other windows share, word by word the value more of them
// hold than any other: every window's where they are alike, else the glass
// beside the words the designer typed of their own (as a move takes the
// windows to the new code glass word by word). A window's own glass typed
// in the same save as the group, or a run before it, or a run after it, so
// leaves the new line in the glass the others share, whichever code the
// save found in the column: judged on the code alone, the line took the
// stand-in glass where one run apart, under the mark that run stored, it
// took the others'. Where no value leads in a word (two windows each of
// its own), that word of the stand-in glass: left without it, the line on
// a wall held no glass and ran as a door; a word typed on the new line asks
// no lead, as it stays (the windows each of their own transmittance leave
// a transmittance typed there their U-factor and SHGC).
// A transmittance
// the designer typed on the new line in the same save as its group stays,
// as it stays when typed on the line the run made first.
void line_brought_back(INTEGER k, INTEGER j, REAL year_built, INTEGER zone, REAL scheme_code) {
    DBG_INT("REVISION: window group given units again, its line simulated again", k);
    if (!holds_no_glass_of_its_own(k)) {
        transfer_line(k, j, year_built, zone, true, S(60));
        return;
    }
    const Glazing typed = glass_typed_on_new_line(k);
    set_line(k, {0.0f, 0.0f, typed.vt});
    // Another building's group past the last line that names a window of
    // its own takes that window's glass, as the same group typed a run
    // after the switch to another building does (else the stand-in glass).
    const INTEGER own_code = j > 0 && !residential() ? int_toward_zero(S(60 + j)) : 0;
    if (own_code != 0 && past_the_last_line(k)) {
        const auto w = library_window_glazing(std::abs(own_code));
        set_line(k, w ? Glazing{w->u, w->shgc, w->vt} : kStandInGlazing);
    } else {
        // Past the last line, the scheme-wide code names the glass the
        // windows share only while they are alike (the code as this run
        // judged them), and then the lead gives its library window too: a
        // house's save under a year of the current code stores in group 1's
        // slot what line 1's glass matches (a library window, or 25 for the
        // zone's code glass) whatever the other windows hold, so a year
        // before that code typed after such a run gave the new line line
        // 1's glass, where the same windows saved under that year hold the
        // mark of windows not alike.
        const auto g = past_the_last_line(k)
                           ? glass_most_windows_hold({typed.u, typed.shgc, typed.vt}, kStandInGlass)
                           : library_glass_some_window_holds(std::abs(int_toward_zero(scheme_code)));
        if (g) set_line(k, {g->u, g->shgc, g->vt});
    }
    transfer_line(k, j, year_built, zone, true, past_the_last_line(k) ? S(60) : scheme_code);
    keep_typed_glass(k, j, typed, year_built);
}

// Groups typed past the last line of another building's scheme 1 or 2
// (`last` the offset of the last group a line took) each become a line
// after the last line with units, with the group's geometry and the glass
// of the library window the group's code names (the scheme-wide code of
// group 1 where the group has none and some window holds its glass), or
// else the stand-in glass; a
// current-code building then gives it the code glass of its type, and one
// of its own glazing keeps beside that glass a transmittance typed on the
// new line in the same save. The save stores it back into its group: what the designer typed is simulated and
// kept, as in a house. A line emptied there before is no window brought
// back (another building's later groups take an emptied group's place):
// the glass it last held would make the run depend on what came before.
void lines_of_groups_past_the_last(INTEGER last, REAL year_built, INTEGER zone) {
    INTEGER k = 25;
    while (k >= 1 && !(QTY(k) > 0.0f)) --k;
    for (INTEGER j = last + 10; j <= 240; j += 10) {
        if (!(S(62 + j) > 0.0f)) continue;
        if (++k > 25) return;  // every line in use
        DBG_INT("REVISION: window group typed past the last line, a line of its own", k);
        line_geometry(k, j);
        const INTEGER own_code = int_toward_zero(S(60 + j));
        const auto g = own_code != 0 ? library_window_glazing(std::abs(own_code))
                                     : library_glass_some_window_holds(std::abs(int_toward_zero(S(60))));
        const Glazing typed = glass_typed_on_new_line(k);
        set_line(k, g ? Glazing{g->u, g->shgc, g->vt} : kStandInGlazing);
        transfer_line(k, j, year_built, zone, true, S(60));
        keep_typed_glass(k, j, typed, year_built);
    }
}

// A dwelling of scheme 1 or 2 takes its windows' geometry from the groups,
// line k from group k, as every save of it stores them. A line whose group
// the designer set to no units is emptied, as a new project given the same
// groups has no window there; an empty line whose group the designer gave
// units again is simulated again. A line with units whose group no run has
// written yet (a column made without a run, as a sample's) is laid out as
// its group will hold it: its own geometry goes into the group first, so
// that the first run simulates the line the later runs take from the group.
void lines_of_their_groups(REAL year_built, INTEGER zone, REAL scheme_code) {
    for (INTEGER k = 1; k <= 25; ++k) {
        const INTEGER j = 10 * (k - 1);
        if (QTY(k) > 0.0f && group_never_written(j)) {
            DBG_INT("REVISION: line without its group yet, its geometry into the group", k);
            store_line_geometry(k, j);
        }
        if (!(S(62 + j) > 0.0f)) {
            if (QTY(k) > 0.0f) empty_line(k);  // its group set to no units
            continue;
        }
        if (QTY(k) > 0.0f) transfer_line(k, j, year_built, zone, true, S(60));
        else line_brought_back(k, j, year_built, zone, scheme_code);
    }
}

// Lines with a quantity are processed, each with the next group in turn:
// task 3 stores them one after the other. A dwelling's lines carry their
// own glazing whether or not the column has groups for them yet (a new
// project's template has none before its first run).
//
// A line whose group the designer set to no units is emptied, and its
// group taken out, as a new project given the same groups has no window
// there: in every slot, so that a slot honours it on its own run as a copy
// of it into scheme 1 or 2 does. Kept as it was, the line would be
// simulated with the last run's window and saved back into the group, and
// each later line would take the group of the line before it (a window a
// door's glass). A non-residential scheme 1 or 2 also takes its geometry
// from the groups.
void window_lines(REAL year_built, INTEGER zone, REAL scheme_code) {
    const bool geometry_from_groups = IDNUM1 == 1 || IDNUM1 == 2;
    if (geometry_from_groups && residential()) {
        lines_of_their_groups(year_built, zone, scheme_code);
        // A dwelling's glazing types are its own while it has lines: judged
        // on the lines this run simulates, not those its file held (a run
        // that empties the last group has none, as its re-runs have none).
        if (any_window_line()) mark_glazing_types_custom();
        return;
    }
    INTEGER j = -10;
    bool emptied = false;
    // A house just made another building: its last save stored line k in
    // group k, an empty line's group left blank. Taken in turn, a line
    // after such a gap met the blank group and kept the file's geometry,
    // and its own group, past the last one taken, became a second line of
    // the same window (a new project's skylight simulated twice). Each line
    // takes its own group this once; the building's save stores them in
    // turn.
    if (geometry_from_groups && saved_by_a_dwellings_run()) {
        lines_of_their_groups(year_built, zone, scheme_code);
        building_glazing_items_from_lines();
        clear_outside_film_without_area();
        return;
    }
    for (INTEGER k = 1; k <= 25; ++k) {
        if (!(QTY(k) > 0.0f)) continue;
        const INTEGER next = j + 10;
        if (group_set_to_no_units(next)) {
            empty_line(k);
            take_group_out(next);
            emptied = true;
            continue;
        }
        // The groups follow one another as the lines with units do, and
        // the save leaves none after the last: a line whose group no run
        // has written stays as the input file holds it.
        if (!(S(62 + next) > 0.0f)) continue;
        j = next;
        transfer_line(k, j, year_built, zone, geometry_from_groups, S(60));
    }
    if (geometry_from_groups) lines_of_groups_past_the_last(j, year_built, zone);
    mark_dwelling_glazing_types_custom();
    // Another building's design scheme sums its facades' glass from these
    // lines, as its design did: glass a group set to no units took away is
    // gone from the areas, the conduction and the design heat loss, and a
    // type the designer typed counts with its own U-factor. So does a slot,
    // a house's too, whose line a group set to no units took away. A wall or
    // roof its glass now covers whole has no outside film, as the
    // construction step judged on the areas the file held: its first run
    // saves the wall its re-runs do.
    if ((geometry_from_groups && !residential()) || emptied) {
        building_glazing_items_from_lines();
        clear_outside_film_without_area();
    }
}

// A house, and another building of its own glazing, judge their windows
// alike before the lines take their glass. Where each line takes its own
// group (a house's scheme 1 or 2, and another building's first run after a
// house's save), a line whose group gives it units again keeps the glass
// it holds (all three words: held when its group was emptied, or typed on
// it in the save of the group): that window counts in the judgment, as it
// counts on the run after. Left out, the other windows alike kept the
// scheme-wide code, whose code glass then replaced its glass, where typed
// a run after the group the glass stays and the windows are marked not
// alike.
void mark_windows_not_alike_with_lines_brought_back() {
    if (!(IDNUM1 == 1 || IDNUM1 == 2) || !(residential() || saved_by_a_dwellings_run())) return;
    const FArray<REAL, 25> quantities = QTY;
    bool brought_back = false;
    for (INTEGER k = 1; k <= 25; ++k) {
        const INTEGER j = 10 * (k - 1);
        if (QTY(k) > 0.0f || !(S(62 + j) > 0.0f) || holds_no_glass_of_its_own(k)) continue;
        QTY(k) = S(62 + j);
        brought_back = true;
    }
    if (brought_back) mark_windows_not_alike(IDNUM1);
    QTY = quantities;
}

}  // namespace

bool typed_systems_mixed(REAL heating, REAL cooling) {
    const bool furnace_with_heat_pump = heating >= 2.0f && heating <= 6.0f && cooling >= 7.0f;
    // The evaporative cooler (6) is no air conditioner: made user-defined,
    // its code would no longer run it, nor bring its venting.
    const bool heat_pump_with_air_conditioner = cooling >= 2.0f && cooling <= 5.0f && heating >= 7.0f;
    return furnace_with_heat_pump || heat_pump_with_air_conditioner;
}

REAL heating_efficiency_of_code(REAL code, INTEGER zone) {
    if (code == 2.0f) return 0.72f;
    if (code == 3.0f) return CECRESA(19, zone);
    if (code == 4.0f) return 0.9f;
    if (code == 5.0f) return 0.97f;
    if (code == 6.0f) return 3.41f;
    if (code == 7.0f) return CECRESA(20, zone);
    if (code == 8.0f) return 8.2f;
    if (code == 9.0f) return 9.5f;
    return 0.0f;
}

std::optional<REAL> cooling_cop_of_code(REAL code, INTEGER zone) {
    if (code < 2.0f) return 0.0f;  // no air conditioning
    if (code == 2.0f) return design_codes::kCoolingCopSeer8_9;
    if (code == 3.0f || code == 7.0f) return CECRESA(22, zone) / kBtuPerWattHour;
    if (code == 4.0f || code == 8.0f) return design_codes::kCoolingCopSeer15;
    if (code == 5.0f) return design_codes::kCoolingCopSeer19_5;
    if (code == 6.0f) return 0.0f;  // the evaporative cooler
    if (code == 9.0f) return design_codes::kCoolingCopSeer20;
    return std::nullopt;
}

REAL natural_ventilation_class(REAL code) {
    REAL glazing_ft2 = 0.0f;
    for (INTEGER i = 1; i <= 5; ++i) glazing_ft2 += AREA(i);
    bool one_facade = false, cross = false;
    for (INTEGER i = 1; i <= 5; ++i) {
        REAL others_ft2 = 0.0f;
        for (INTEGER j = 1; j <= 5; ++j)
            if (j != i) others_ft2 += AREA(j);
        if (AREA(i) > 0.0f && others_ft2 <= 0.0f) one_facade = true;
        for (INTEGER j = i + 1; j <= 5; ++j)
            if (AREA(i) * AREA(j) > 0.0f) cross = true;
    }
    REAL natural = code;
    if (glazing_ft2 <= 0.0f) {
        natural = 10.0f;
    } else if (FLOORS == 1.0f) {
        if (one_facade) natural = 11.0f;
        if (cross) natural = 21.0f;
    } else if (FLOORS >= 2.0f) {
        if (one_facade) natural = 12.0f;
        if (cross) natural = 22.0f;
    }
    const bool tall_spaces = AREAT * FLTOFL + 4.0f * FLTOFL < VOLUME;
    if (tall_spaces && FLOORS >= 2.0f) {
        if (natural == 12.0f) natural = 13.0f;
        if (natural == 22.0f) natural = 23.0f;
    }
    if (IDNUM1 < 2) natural = 0.0f;  // the code-minimum design has no natural ventilation
    return natural;
}

void number_window_lines() {
    INTEGER n = 0;
    for (INTEGER facade = 1; facade <= 5; ++facade)
        for (INTEGER k = 1; k <= 25; ++k)
            if (ITEMS(k) == facade && QTY(k) > 0.0f) IPOINT(k) = ++n;
}

void mark_glazing_types_custom() {
    WTYPE = -std::abs(WTYPE);
    STYPE = -std::abs(STYPE);
    DTYPE = -std::abs(DTYPE);
}

void mark_dwelling_glazing_types_custom() {
    if (residential() && any_window_line()) mark_glazing_types_custom();
}

void glazing_types_of_the_code_table() {
    WTYPE = std::abs(WTYPE);
    STYPE = std::abs(STYPE);
    DTYPE = std::abs(DTYPE);
}

// The glazing era of a house, or of another building, follows the year
// built in force, both ways. A house's save makes a house of 2013 or later
// of its own glazing (era 6), and another building's save does so once a
// window holds glass off its types' code glass (or the building keeps the
// era of the house it was made from); given an earlier year since, either
// is of the current code's glazing (era 4) again, with its types read as
// the code table's, as the same house or building given that year in a
// new project is: were the era kept, it would record a year the scheme
// once had, and made another building (or given that year in the save
// that makes a house another building) it would keep its lines' glass
// where the new project's takes the code glass of its types. Only this
// era moves: the older eras a building's design gave (1 and 3) stay.
void glazing_era_of_its_year(REAL year_built) {
    if (ERA != 6 || year_built >= 2013.0f) return;
    ERA = 4;
    glazing_types_of_the_code_table();
    DBG_PRINT("Era set to 4: built before the current code");
}

namespace {

// A dwelling's door carries in its SHGC word the solar absorptance of the
// wall or roof it sits in, which the hour's door flux takes from its
// facade. Given before the facades average their lines, a door moved to
// another facade (a group's facade code, a skylight's roof) is averaged
// and saved with the absorptance the run simulates, not with the one of
// the facade the last run left it in.
void doors_take_their_facade_absorptance() {
    if (NFLAG(24)) return;
    for (INTEGER k = 1; k <= 25; ++k) {
        const bool door = QTY(k) > 0.0f && !(TRANS(k) > 0.0f) && ITEMS(k) >= 1 && ITEMS(k) <= 5;
        if (door && (HEAD(k) - SILL(k)) * WIDTH(k) > 0.0f) SCOEF(k) = glazing::dwelling_door_absorptance(k);
    }
}

}  // namespace

void transfer_column_to_model(REAL year_built) {
    DBG_PRINT("REVISION task 200 copy Strategy to Scheme 1573");
    glazing_era_of_its_year(year_built);
    site_and_building_type();
    const INTEGER zone = code_table_zone();
    design_kind();
    dimensions();
    system_code(18, "ERROR heating code below 1, read as no heating",
                "REVISION heating not chosen yet, the design chooses it");
    system_code(20, "ERROR cooling code below 1, read as no cooling",
                "REVISION cooling not chosen yet, the design chooses it");
    codes_without_a_system(zone);
    // The venting code is corrected by the air velocity it is read with, and
    // the generated designs' air velocity is their zone's (or the vintage
    // design's): set before the correction too, the correction of this run
    // is the one its re-runs make, also where a copy, a move or an edit
    // brought another (the evaporative cooler's step sets its own after it,
    // as on every load).
    air_velocity(zone);
    mixed_systems(zone);
    heating_efficiency(zone);
    cooling_efficiency(zone);
    leakage();
    venting();
    hvac_system_kind();
    air_velocity(zone);
    settle_floor_type_without_kind();
    floor_surfaces_of_typed_type();
    code_glass_follows_site_and_kind(year_built, zone);
    // Another building of its own glazing whose windows were marked not
    // alike for a window's own glass, since emptied, has every window in
    // the code glass again: the mark records glass no longer in force. Back
    // on the code before the lines take their glass, a skylight repaired
    // from no glass takes the code glass, as where its glass was emptied in
    // the save that typed it; under the mark it kept the stand-in glass,
    // and the save then found the windows not alike and kept the mark. So
    // is another code that names no glass of the windows: a house made
    // another building in the save that emptied its skylight's glass kept
    // the skylight's type as the code, where run between, the switch's run
    // found the windows not alike for the skylight and stored the mark.
    if (has_scheme_column(IDNUM1) && code_names_no_glass_of_the_windows(S(60), year_built, zone))
        if (const auto code = scheme_code_the_windows_keep(-1.0f, year_built, zone)) S(60) = *code;
    // The scheme-wide glazing code as the column holds it, before the
    // constructions judge the windows alike.
    const REAL scheme_code = has_scheme_column(IDNUM1) ? STRATEGY(60, IDNUM1) : 0.0f;
    if (NFLAG(24)) UVALC();
    else UVALR();
    // Another building of its own glazing (era 5 and above) whose windows
    // are not all alike has no scheme-wide code glass either, as a house:
    // a window the designer gave glass of its own keeps it. So does a
    // house made another building in the save that edited a window's glass,
    // whose column still holds the house's scheme-wide code.
    if (NFLAG(24) && ERA > 4) mark_windows_not_alike(IDNUM1);
    if (residential() || ERA > 4) mark_windows_not_alike_with_lines_brought_back();
    if (NFLAG(24)) nonresidential_code_glazing(zone);
    else residential_code_glazing();
    window_lines(year_built, zone, scheme_code);
    if (residential()) mark_windows_not_alike(IDNUM1);
    number_window_lines();
    doors_take_their_facade_absorptance();
    AVERAG();
    // The natural ventilation class follows the glass this run simulates,
    // as the lines and the lay-out above leave it: judged on the facades
    // the file held, a window group typed since was no glass for one run.
    natural_ventilation();
}

void settle_design_as_reloaded() {
    if (IDNUM1 != 1 && IDNUM1 != 2) return;
    design_kind_of_saved_house();
    design_kind();
    venting();
    air_velocity(code_table_zone());
    if (NFLAG(24)) nonresidential_type_loads();
}

}  // namespace mavo
