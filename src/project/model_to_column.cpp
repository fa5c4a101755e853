// Task 3 of the design transfer: the working building model is condensed
// back into the scheme's parameter column. Codes are re-derived from the
// efficiencies they stand for (a value no code stands for leaves the slot
// negative, that is user-defined), the window, door and skylight lines fill
// the window groups (a dwelling of scheme 1 or 2 line k into group k, every
// other scheme one group after the other), library glazing is recognised
// by its exact properties, and a non-residential scheme learns whether it
// still uses the current-code glazing of its zone (era 4) or its own (era
// 6).
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "front/trace.h"
#include "physics/constructions_residential.h"
#include "physics/dwelling_facades.h"
#include "physics/infiltration.h"
#include "project/project.h"
#include "project/revision.h"
#include "support/numeric.h"

namespace mavo {
namespace {

REAL& S(INTEGER n) { return STRATEGY(n, IDNUM1); }

bool residential() { return !NFLAG(24); }

// Library glazing, recognised by exact single-precision equality of
// U-factor (Btu/h.ft2.F), SHGC and visible transmittance. Rows are tried in
// this order and a later match wins; doors (48, 49) match any SHGC.
struct LibraryGlazing {
    INTEGER code;
    REAL u;
    REAL shgc;
    REAL vt;
    bool any_shgc;
};

constexpr LibraryGlazing kLibraryGlazing[] = {
    {1, 1.27f, 0.75f, 0.77f, false},  {2, 0.81f, 0.61f, 0.66f, false},  {3, 0.69f, 0.5f, 0.64f, false},
    {9, 0.67f, 0.34f, 0.6f, false},   {4, 0.63f, 0.34f, 0.6f, false},   {6, 0.81f, 0.45f, 0.57f, false},
    {7, 0.69f, 0.39f, 0.53f, false},  {10, 0.67f, 0.25f, 0.38f, false}, {8, 0.81f, 0.16f, 0.09f, false},
    {11, 0.67f, 0.54f, 0.6f, false},  {21, 0.89f, 0.64f, 0.66f, false}, {22, 0.51f, 0.52f, 0.57f, false},
    {23, 0.4f, 0.4f, 0.63f, false},   {29, 0.32f, 0.46f, 0.58f, false}, {24, 0.3f, 0.25f, 0.52f, false},
    {26, 0.51f, 0.38f, 0.49f, false}, {27, 0.4f, 0.3f, 0.45f, false},   {30, 0.39f, 0.21f, 0.33f, false},
    {28, 0.51f, 0.13f, 0.08f, false}, {31, 0.22f, 0.21f, 0.44f, false}, {41, 0.36f, 0.25f, 0.42f, false},
    {42, 0.46f, 0.22f, 0.32f, false}, {43, 0.41f, 0.26f, 0.46f, false}, {44, 0.45f, 0.23f, 0.17f, false},
    {45, 0.58f, 0.25f, 0.49f, false}, {46, 0.46f, 0.25f, 0.49f, false}, {47, 0.88f, 0.0f, 0.64f, true},
    {48, 0.7f, 0.0f, 0.0f, true},     {48, 0.5f, 0.0f, 0.0f, true},     {49, 1.45f, 0.0f, 0.0f, true},
};

INTEGER library_code(INTEGER k, INTEGER kk) {
    for (const LibraryGlazing& g : kLibraryGlazing)
        if (UWINDO(k) == g.u && (g.any_shgc || SCOEF(k) == g.shgc) && TRANS(k) == g.vt) kk = g.code;
    return kk;
}

}  // namespace

std::optional<design_codes::GlazingValues> library_window_glazing(INTEGER code) {
    for (const LibraryGlazing& g : kLibraryGlazing)
        if (g.code == code && g.vt > 0.0f && !g.any_shgc) return design_codes::GlazingValues{g.u, g.shgc, g.vt};
    return std::nullopt;
}

namespace {

bool matches_code_type(INTEGER k, INTEGER type) {
    return UWINDO(k) == NRGLAZING(4, 1, type) && SCOEF(k) == NRGLAZING(4, 2, type) &&
           TRANS(k) == NRGLAZING(4, 3, type);
}

void take_code_type(INTEGER k, INTEGER type) {
    UWINDO(k) = NRGLAZING(4, 1, type);
    SCOEF(k) = NRGLAZING(4, 2, type);
    TRANS(k) = NRGLAZING(4, 3, type);
}

// ---- building, systems, envelope codes ---------------------------------------

void attachment_and_dimensions() {
    S(4) = ZIPCODE;
    if (NTYPE == 19) S(7) = 1.0f;
    else if (NTYPE == 18) S(7) = 2.0f;
    else if (NTYPE == 16 && S(7) != 4.0f) S(7) = 3.0f;
    else if (NTYPE == 17 && S(7) != 3.0f) S(7) = 4.0f;
    S(8) = AREAT;
    S(12) = EWDIM;
    S(13) = NSDIM;
    S(14) = FLOORS;
    S(15) = FLTOCE;
    S(16) = SFACES;
}

// The three heat-pump pairs (heating HSPF, cooling COP) with their codes
// 7 to 9; 0 when the pair is none of them.
INTEGER heat_pump_code(INTEGER zone) {
    INTEGER code = 0;
    if (COPHT == CECRESA(20, zone) && COPAC == CECRESA(22, zone) / kBtuPerWattHour) code = 7;
    if (COPHT == 8.2f && COPAC == design_codes::kCoolingCopSeer15) code = 8;
    if (COPHT == 9.5f && COPAC == design_codes::kCoolingCopSeer20) code = 9;
    return code;
}

void heating_code(INTEGER zone) {
    REAL& s = S(18);
    if (s > -1.0f) s = negated_code(s);
    if (NHVACS == 0.0f) {
        s = 1.0f;
        return;
    }
    if (COPHT <= 0.0f) s = 1.0f;
    if (COPHT == 0.72f) s = 2.0f;
    if (COPHT == CECRESA(19, zone)) s = 3.0f;
    if (COPHT == 0.9f) s = 4.0f;
    if (COPHT == 0.97f) s = 5.0f;
    if (COPHT == 3.41f) s = 6.0f;
    if (const INTEGER hp = heat_pump_code(zone); hp > 0) s = static_cast<REAL>(hp);
}

void cooling_code(INTEGER zone) { S(20) = cooling_code_of_model(S(20), zone); }

// A mixed pair of heating and cooling codes that task 2 marked user-defined
// stays so while the model still has the efficiencies the two codes name:
// derived back from the efficiencies, the furnace and the heat pump's
// cooling would be saved as a furnace with an air conditioner (3 and 3),
// and every later run would simulate that instead of the pair typed.
void keep_mixed_systems_marking(REAL heating, REAL cooling, INTEGER zone) {
    if (!(heating < 0.0f && cooling < 0.0f && typed_systems_mixed(-heating, -cooling))) return;
    if (NHVACS == 0.0f || COPHT != heating_efficiency_of_code(-heating, zone)) return;
    const auto cop = cooling_cop_of_code(-cooling, zone);
    if (!cop || !(COPAC == *cop || COPAC == cooling_cop_as_saved(*cop))) return;
    S(18) = heating;
    S(20) = cooling;
}

// A heat pump's cooling (7 to 9) keeps its code while the model has the
// efficiency the code names, whatever heating is beside it (one of the
// user's own, or another heat pump's): derived back from its SEER alone it
// would be saved as an air conditioner (SEER 15 as 4, code 7's as 3), and
// simulated as one from the next run on.
void keep_heat_pump_cooling(REAL cooling, INTEGER zone) {
    const REAL code = std::fabs(cooling);
    if (NHVACS == 0.0f || code < 7.0f || code > 9.0f) return;
    const auto cop = cooling_cop_of_code(code, zone);
    if (cop && (COPAC == *cop || COPAC == cooling_cop_as_saved(*cop))) S(20) = cooling;
}

// Infiltration class from the specific leakage area; a tighter bound wins.
void infiltration_code() {
    REAL& s = S(24);
    if (!(s > -1.0f)) return;
    // The house wrap keeps its class while the model leaks as it does.
    REAL house_wrap_sla = 0.0f, ach50_unused = 0.0f;
    if (s == design_codes::kHouseWrapInfiltrationClass &&
        tightness_class(design_codes::kHouseWrapLeaksAsClass, house_wrap_sla, ach50_unused) && SLA == house_wrap_sla)
        return;
    if (SLA > 6.0f) {
        s = negated_code(s);
        return;
    }
    if (const REAL c = design_codes::infiltration_class_of_sla(SLA); c > 0.0f) s = c;
}

// Without a roof there is nothing for a radiant barrier to sit under.
void radiant_barrier() {
    if (!(AREA(10) <= 0.0f && S(32) > -1.0f)) return;
    S(35) = design_codes::radiant_barrier_code_without_roof(S(35));
}

bool is_one_of(REAL v, std::initializer_list<REAL> codes) {
    for (const REAL c : codes)
        if (v == c) return true;
    return false;
}

}  // namespace

REAL cooling_code_of_model(REAL typed, INTEGER zone) {
    REAL s = typed > -1.0f ? negated_code(typed) : typed;
    if (NHVACS == 0.0f) return 1.0f;
    if (COPAC <= 0.0f) s = 1.0f;
    if (COPAC == design_codes::kCoolingCopSeer8_9) s = 2.0f;
    if (COPAC == CECRESA(22, zone) / kBtuPerWattHour) s = 3.0f;
    if (COPAC == design_codes::kCoolingCopSeer15) s = 4.0f;
    if (COPAC == design_codes::kCoolingCopSeer19_5) s = 5.0f;
    if (COPAC <= 0.0f) {  // an evaporative cooler: its own code when at the coded effectiveness
        if (EvapEff > 0.0f) s = -6.0f;
        if (EvapEff == 85.0f) s = 6.0f;
    }
    if (const INTEGER hp = heat_pump_code(zone); hp > 0) s = static_cast<REAL>(hp);
    return s;
}

bool is_raised_floor_type(REAL t) { return is_one_of(t, {2.0f, 3.0f, 4.0f, 5.0f, 8.0f, 9.0f}); }
bool is_slab_type(REAL t) { return is_one_of(t, {6.0f, 7.0f, 16.0f}); }
bool is_basement_type(REAL t) { return is_one_of(t, {10.0f, 13.0f, 17.0f}); }

namespace {

bool is_floor_type_of_a_kind(REAL t) {
    return t == 1.0f || is_raised_floor_type(t) || is_slab_type(t) || is_basement_type(t);
}

// The floor type of the kind of floor the model's items hold: none (1), a
// raised floor (the type whose construction its lag and decrement are, 2
// where they are none of the table's), a slab (6), a basement (a code of 10
// or above stays: the basement as its items and constructions stand).
REAL floor_type_of_surfaces(REAL typed) {
    const bool floor = AREA(11) > 0.0f, slab = AREA(12) > 0.0f;
    if (!floor && !slab) return 1.0f;
    if (floor && !slab) {
        const INTEGER raised = raised_floor_type_of_construction(TMLAG(11), DECR(11));
        return raised > 0 ? static_cast<REAL>(raised) : 2.0f;
    }
    if (slab && !floor) return 6.0f;
    return typed >= 10.0f ? typed : 10.0f;
}

}  // namespace

REAL floor_type_read_as(REAL typed) {
    if (!residential() || !has_scheme_column(IDNUM1)) return typed;
    // A negative code is a construction the user changed, kept as it is.
    if (typed <= -1.0f || is_floor_type_of_a_kind(typed)) return typed;
    // A library slot keeps its surfaces and their constructions as saved:
    // there 0 over a raised floor, or over none, runs that floor as the
    // input file holds it, and stays; only a slab's or a basement's edge,
    // which the read would cut away under 0, makes it take the floor's type.
    if (typed == 0.0f && IDNUM1 >= 3 && !(AREA(12) > 0.0f)) return typed;
    return floor_type_of_surfaces(typed);
}

void settle_floor_type_without_kind() {
    if (!has_scheme_column(IDNUM1)) return;
    const REAL typed = S(33);
    S(33) = floor_type_read_as(typed);
    if (S(33) != typed) DBG_FLOAT("floor type without a kind taken from the floor the input file holds", S(33));
}

// A floor type of the kind the model has stays as it is (the design's
// light-weight concrete floor is no exposed wood floor), so the next run
// simulates the floor this one did.
void floor_codes_from_surfaces() {
    if (!(residential() && (IDNUM1 == 1 || IDNUM1 == 2) && S(33) > -1.0f)) return;
    // Over another heated unit the dwelling has no floor surfaces whatever
    // its floor type, and loses nothing through its floor on every run: the
    // codes the column holds stay (a design writes 1 and 1, no floor
    // losses; a type the designer typed is theirs).
    if (dwelling_over_heated_unit(IDNUM1)) return;
    const bool floor = AREA(11) > 0.0f, slab = AREA(12) > 0.0f;
    if (!floor && !slab) {
        S(33) = 1.0f;
        S(49) = 1.0f;
    } else if (floor && !slab) {
        // A basement's floor is its own (its walls by the perimeter); a
        // basement the model gives no perimeter is still the basement the
        // run simulated, not a raised floor for the next run.
        if (is_basement_type(S(33))) return;
        if (!is_raised_floor_type(S(33))) S(33) = floor_type_of_surfaces(S(33));
        // Every under-floor code of a raised floor stays: 1 no floor losses,
        // 2 a vented crawl space, 3 open below, 4 the reduced shell. The
        // slab's 5 is none.
        if (!is_one_of(S(49), {1.0f, 2.0f, 3.0f, 4.0f})) S(49) = 2.0f;
    } else if (slab && !floor) {
        // A basement's walls stand on the perimeter as a slab's edge does.
        if (!is_slab_type(S(33)) && !is_basement_type(S(33))) S(33) = 6.0f;
        S(49) = 5.0f;
    }
}

namespace {

// ---- window groups ---------------------------------------------------------------

// Working values of one pass over the lines.
struct GlazingScan {
    REAL keep = 0.0f;            // scheme-wide glazing code restored when S(60) ends at 0
    bool windows_alike = true;   // residential: matching goes on while true
    bool door_first = false;     // residential: the first line is a door, group 1's slot awaits a window
    bool line_1_emptied = false; // another building of its own glazing: group 1's line holds no glass
    bool window_seen = false;
    REAL window_u = 0.0f, window_shgc = 0.0f, window_vt = 0.0f;  // the first window's values
    bool doors_alike = true;     // every door so far has the first door's values
    bool doors_code = true;      // every door so far has a current-code door U-factor
    bool door_seen = false;
    REAL door_u = 0.0f, door_shgc = 0.0f, door_vt = 0.0f;  // the first door's values
};

bool is_code_door_u(REAL u) { return u == NRGLAZING(4, 1, 8) || u == NRGLAZING(4, 1, 9); }

// Step c: the zone's residential code glazing (25), then the library
// table. A line is of the code glass where it holds the U-factor, SHGC and
// transmittance code 25 gives it on every later run: in the zones whose
// code asks no SHGC (1, 3 and 5) the SHGC is the clear low-e glass's 0.6,
// not any SHGC beside the code U-factor, and a transmittance of the
// designer's own beside the code U-factor and SHGC is no code glass
// either: stored as 25, the next run gave the windows the code glass over
// the glass the designer typed. Zone 4's code glass is recognised as every
// other zone's: a save that did not know it there stored no code (group
// 1's slot -48), so a window group typed after a move to zone 4 took the
// stand-in glass, where typed with the move it took the code glass of the
// other windows.
INTEGER match_line(INTEGER k, INTEGER zone) {
    INTEGER kk = 0;
    if (residential()) {
        if (line_holds(k, design_codes::residential_code_glazing(zone))) kk = 25;
    }
    return library_code(k, kk);
}

// Step d: the scheme-wide flags. A home's windows stay alike while each
// has the first window's glazing, so identical windows carry the same code
// in every group; the first window that differs still gets its own code,
// the later ones are stored by geometry.
void update_flags(INTEGER k, INTEGER kk, GlazingScan& scan) {
    if (residential()) {
        if (!(TRANS(k) > 0.0f)) return;
        if (!scan.window_seen) {
            scan.window_seen = true;
            scan.window_u = UWINDO(k);
            scan.window_shgc = SCOEF(k);
            scan.window_vt = TRANS(k);
        } else if (UWINDO(k) != scan.window_u || SCOEF(k) != scan.window_shgc || TRANS(k) != scan.window_vt) {
            scan.windows_alike = false;
            DBG_INT("MAVO NOT allthesame 3580", k);
        }
        return;
    }
    if (TRANS(k) > 0.0f) return;
    if (!scan.door_seen) {
        scan.door_seen = true;
        scan.door_u = UWINDO(k);
        scan.door_shgc = SCOEF(k);
        scan.door_vt = TRANS(k);
        if (!is_code_door_u(UWINDO(k))) scan.doors_code = false;
        return;
    }
    if (kk <= 47) return;
    if (UWINDO(k) != scan.door_u || SCOEF(k) != scan.door_shgc || TRANS(k) != scan.door_vt)
        scan.doors_alike = false;
    if (scan.doors_alike && !is_code_door_u(UWINDO(k))) scan.doors_code = false;
}

// Step e: the code of the group and the sign of the door type.
void store_code(INTEGER j, INTEGER kk, const GlazingScan& scan) {
    if (kk > 0) S(60 + j) = static_cast<REAL>(kk);
    if (WTYPE >= 41 && WTYPE <= 47) {
        S(60) = 0.0f;
        WTYPE -= 40;
    }
    if (scan.doors_alike && kk > 0 && scan.doors_code) DTYPE = std::abs(DTYPE);
    else DTYPE = -std::abs(DTYPE);
    if (DTYPE == 48) DTYPE = 8;
    if (DTYPE == 49) DTYPE = 9;
}

// Step f: a window or skylight off the zone's code glazing moves the scheme
// from era 4 to its own glazing, era 6.
void decide_era(INTEGER k) {
    if (!(TRANS(k) > 0.0f && ERA == 4)) return;
    for (INTEGER type = 1; type <= 7; ++type)
        if (matches_code_type(k, type)) return;
    ERA = 6;
    DBG_INT("Era set to 6 found a non-Code window", k);
}

// Step g: an era-4 line takes the code glazing of its type; from era 6 on
// the scheme's types are its own.
void apply_era(INTEGER k, INTEGER j, INTEGER kk) {
    if (ERA >= 6) {
        WTYPE = -std::abs(WTYPE);
        DTYPE = -std::abs(DTYPE);
        S(60) = std::fabs(S(60));
        S(60 + j) = static_cast<REAL>(std::abs(kk));
        return;
    }
    if (ERA == 4) take_code_glazing_of_type(k);
}

// Orientation code of a line: 5 skylight (tilt up to 45 degrees), else the
// facade of the building the line faces, by its azimuth from the building's
// front (SFACES): 1 front, 2 a quarter turn toward west, 3 back, 4 a quarter
// turn toward east. Task 2 places code M at SFACES + 90(M-1), so a turned
// house keeps every window where its last run had it; coded by its absolute
// azimuth, each re-run would turn the windows one facade further.
INTEGER orientation_code(REAL tilt_deg, REAL facing_deg, REAL building_azimuth_deg) {
    if (tilt_deg <= 45.0f) return 5;
    const REAL f = std::fmod(facing_deg - building_azimuth_deg, 360.0f);  // within (-360, 360)
    if ((f >= 45.0f && f < 135.0f) || (f >= -315.0f && f < -225.0f)) return 2;
    if ((f >= 135.0f && f < 225.0f) || (f >= -225.0f && f < -135.0f)) return 3;
    if ((f >= 225.0f && f < 315.0f) || (f >= -135.0f && f < -45.0f)) return 4;
    return 1;
}

}  // namespace

void take_code_glazing_of_type(INTEGER k) {
    if (TRANS(k) <= 0.0f) {
        if (DTYPE == 8 || DTYPE == 9) take_code_type(k, DTYPE);
        return;
    }
    if (!((WTYPE >= 1 && WTYPE <= 7) || (STYPE >= 5 && STYPE <= 7))) return;
    const INTEGER type = ITEMS(k) == 5 ? STYPE : WTYPE;
    // A custom (negative) type has no row of the code table: the line keeps its values.
    if (type >= 1 && type <= 9) take_code_type(k, type);
    else DBG_INT("REVISION: glazing type without a code row, line kept", k);
}

// Step h: the line's geometry into its group. Under the commands 340 and
// 341 a group of a slot 3 to 9 keeps a facade code of its own (1 to 5);
// one without takes the facade its line faces, as every group does under
// every other command. Schemes 1 and 2 take their windows' geometry from
// the groups, and there 340 and 341 design the scheme as 243 and 246 do:
// each group takes the facade of the design's line, or the re-run would
// face the windows elsewhere (to the front where a group held no code,
// onto the roof where the sample's column held a skylight's 5).
void store_line_geometry(INTEGER k, INTEGER j) {
    const bool facade_of_its_own = S(61 + j) >= 1.0f && S(61 + j) <= 5.0f && S(61 + j) == std::trunc(S(61 + j));
    const bool keeps_facade = (S(2) == 340.0f || S(2) == 341.0f) && IDNUM1 != 1 && IDNUM1 != 2 && facade_of_its_own;
    if (!keeps_facade) S(61 + j) = static_cast<REAL>(orientation_code(TILT(k), FACING(k), SFACES));
    S(62 + j) = QTY(k);
    S(63 + j) = WIDTH(k);
    S(64 + j) = HEAD(k) - SILL(k);  // window height
    S(65 + j) = SILL(k);
    S(66 + j) = OHANGD(k);
    S(67 + j) = OHANGDIS(k);
}

namespace {

// Steps a to g for line k in the group at offset j: its glazing code.
void glazing_code_of_line(INTEGER k, INTEGER j, REAL year_built, INTEGER zone, GlazingScan& scan) {
    if (residential()) {
        scan.keep = S(60);
        if (scan.keep == 0.0f) {
            scan.keep = -48.0f;
            DBG_FLOAT("KEEP=Strategy(60,-) if=0.set to -48.", scan.keep);
        }
    } else {
        scan.keep = S(60 + j);
    }
    if (!residential() || scan.windows_alike) {
        const bool glazed = TRANS(k) > 0.0f;
        if (glazed || !residential()) {
            // Glazing of homes and buildings before the current code is
            // stored by geometry only. Another building's scheme 1 or 2 of
            // the current code's glazing (era 4) holds its types' code
            // glass whatever its year, and its groups' codes follow that
            // glass under any year: kept from a save under a later year
            // (its own, or a house's it was made from), they would record
            // that year. Only a year of the current code makes it of its
            // own glazing. A slot's line takes its type from its group's
            // code: there the codes stay the ones the designer gave.
            // Another building that keeps a vintage design's era (1 or 3)
            // takes its lines' glass from its groups' codes as types of
            // that era under any year: a library window matched under a
            // later year would be read back as a type, so a line whose
            // glass the designer emptied took the type's glass again, or
            // not, by whether a save under that year came between.
            const bool current_code = year_built >= 2013.0f;
            const bool design_scheme = IDNUM1 == 1 || IDNUM1 == 2;
            const bool vintage_era = !residential() && (ERA == 1 || ERA == 3);
            if ((current_code && !vintage_era) || (!residential() && ERA == 4 && design_scheme)) {
                const INTEGER kk = match_line(k, zone);
                const bool first_window = residential() && !scan.window_seen;
                update_flags(k, kk, scan);
                store_code(j, kk, scan);
                if (current_code) decide_era(k);
                const REAL scheme_code = S(60);
                apply_era(k, j, kk);
                // A house whose first line is a door takes the scheme-wide
                // code from its first window, as it takes it from line 1's
                // glass: the code its column held came from the glass of a
                // window since emptied (no match, -48), so the door kept it
                // as 48 where the same edits at once kept the code glass's 25.
                if (first_window && scan.door_first) S(60) = static_cast<REAL>(kk);
                // Group 1's code slot of another building of its own
                // glazing is the scheme-wide glazing code, as a house's: a
                // first line of no glass and no code of its own (a wall's
                // line whose glass the designer emptied, simulated as a
                // door) leaves it. Stored as that line's 0, the slot fell
                // back to the code negated, which a run that simulates
                // nothing (its fuel unsuited to the site) never stores: the
                // code then told whether a run came between the emptied
                // glass and the fuel. A code that names no glass of the
                // windows left (the library window of the glass emptied,
                // or the mark of windows not alike that glass made) is no
                // code they share: kept, it told whether a run came between
                // another window's own glass and the emptied glass.
                const bool line_1_emptied = j == 0 && !glazed && kk == 0 && !residential() && ERA > 4;
                scan.line_1_emptied = scan.line_1_emptied || line_1_emptied;
                if (line_1_emptied && !code_names_no_glass_of_the_windows(scheme_code, year_built, zone))
                    S(60) = std::fabs(scheme_code);
            }
        } else if (ERA >= 6) {
            // A residential door: no library match of its own. Its U-factor
            // stays the one the design or the user gave it: the code doors of
            // the era table are the non-residential building's, and the next
            // run simulates the door this line holds. Group 1's code slot
            // of a house is the scheme-wide glazing code, not its door's:
            // emptied there, a house whose first line is a door stored no
            // code (-48) under a year of the current code only, and kept
            // the code it held under an older year.
            const REAL scheme_code = S(60);
            apply_era(k, j, 0);
            if (j == 0) S(60) = std::fabs(scheme_code);
            if (j == 0) scan.door_first = true;
        }
    }
}

// Steps a to h for line k in the group at offset j.
void condense_line(INTEGER k, INTEGER j, REAL year_built, INTEGER zone, GlazingScan& scan) {
    glazing_code_of_line(k, j, year_built, zone, scan);
    // Another building restores group 1's slot from the code its last
    // line's group holds as this save leaves it: read before the line's
    // own code is stored, it would be the code the run before saved there
    // (a house's group, just made another building), and the slot would
    // settle one run late. Group 1's own slot keeps the code the column
    // held.
    if (!residential() && j > 0) scan.keep = S(60 + j);
    store_line_geometry(k, j);
}

// A dwelling of scheme 1 or 2 takes its windows' geometry from the groups:
// line k is stored into group k, so that an emptied line leaves its group
// without units and every other line keeps its group (group 1's code slot,
// the scheme-wide glazing code, stays when line 1 is empty). Every other
// scheme fills the groups one after the other with its lines that have
// units.
bool groups_paired_with_lines() { return residential() && (IDNUM1 == 1 || IDNUM1 == 2); }

}  // namespace

// Another building of its own glazing whose windows all hold the glass
// its scheme-wide code (5 or 25, group 1's code slot) gives at this site:
// the save keeps that code, as a house's does, and does not store in its
// place the library window that glass happens to be. Stored as the
// library window, the choice would be gone after the first run: a move or
// a window edit saved after it would find the windows in a fixed glass of
// no zone, where the same edits saved with the switch to another building
// give them the code glass of the site in force. Windows marked not alike
// (1 or -1) that are alike again in the code glass (25, else 5) are back
// on that code: the mark is no code of its own, and the windows the
// designer did not touch held the code glass all along, as a move reads
// them. Stored as the library window, a window's own glass typed and taken
// away again would leave the scheme on another code than it had before.
std::optional<REAL> scheme_code_the_windows_keep(REAL code, REAL year_built, INTEGER zone) {
    if (residential() || ERA <= 4) return std::nullopt;
    const bool marked_not_alike = code == 1.0f || code == -1.0f;
    const REAL candidates[] = {marked_not_alike ? 25.0f : code, marked_not_alike ? 5.0f : code};
    for (const REAL candidate : candidates) {
        const auto g = scheme_code_glass(candidate, false, year_built, zone);
        if (!g) continue;
        bool window = false, all = true;
        for (INTEGER k = 1; k <= 25 && all; ++k) {
            if (!(QTY(k) > 0.0f && TRANS(k) > 0.0f)) continue;
            all = UWINDO(k) == g->u && SCOEF(k) == g->shgc && TRANS(k) == g->vt;
            window = true;
        }
        if (window && all) return candidate;
    }
    return std::nullopt;
}

namespace {

// A house's windows are never the current-code glazing of another
// building: they hold the zone's residential code glass or glass of the
// designer's own. So a house of the current code (the glazing its save
// matches) is of its own glazing (era 6) from its first save on, whether
// or not a window is left at that save, and the custom types go with it.
// Decided window by window, the era of a house would record whether some
// window, since emptied, was ever run, and a house made another building
// again would keep or lose its glass by that.
void house_of_its_own_glazing(REAL year_built) {
    if (!residential() || ERA != 4 || year_built < 2013.0f) return;
    ERA = 6;
    WTYPE = -std::abs(WTYPE);
    DTYPE = -std::abs(DTYPE);
    DBG_PRINT("Era set to 6: a house is of its own glazing");
}

// Another building of an older glazing era (1 or 3, an existing building's
// design), under any year built: no save matches its lines with the code
// table, and its doors hold the door of their era and year, or values of
// their own. Its door type is the table's (positive) while every door
// holds that door's U-factor, and the door's own (negative) once one holds
// another, as a new project's of the same doors and year. Left as it was
// under a year of the current code, the type would record whether a door
// was emptied or typed before the year was, or after.
void door_type_of_an_older_era(REAL year_built) {
    if (residential() || (ERA != 1 && ERA != 3)) return;
    const REAL era_door_u = design_codes::vintage_door(ERA, year_built).u;
    bool own = false;
    for (INTEGER k = 1; k <= 25; ++k)
        if (QTY(k) > 0.0f && !(TRANS(k) > 0.0f) && UWINDO(k) != era_door_u) own = true;
    DTYPE = own ? -std::abs(DTYPE) : std::abs(DTYPE);
}

// Two scheme-wide codes of a house give its windows the same glass on
// every run: neither asks for the code glass of a zone, and they name the
// same library window some window holds (by magnitude, as every run reads
// it), or none. The compliance export names a window of a negative code as
// the library window it names, with the line's own U-factor and SHGC.
bool codes_give_a_house_the_same_glass(REAL a, REAL b, REAL year_built, INTEGER zone) {
    if (scheme_code_glass(a, true, year_built, zone) || scheme_code_glass(b, true, year_built, zone)) return false;
    const INTEGER window_a = std::abs(int_toward_zero(a)), window_b = std::abs(int_toward_zero(b));
    if (library_glass_some_window_holds(window_a) || library_glass_some_window_holds(window_b))
        return window_a == window_b;
    return true;
}

// Whether line 1 holds the glass of library window |code| in two of its
// three words at least: the code then names line 1's glass, as the
// compliance export labels it, whether or not a save stored it.
bool line_1_of_library_window_but_a_word(REAL code) {
    const auto g = library_window_glazing(std::abs(int_toward_zero(code)));
    return g && line_holds_but_a_word(1, *g);
}

void glazing_groups(REAL year_built, INTEGER zone) {
    // A design may give a house another year built than the one its run
    // began with (scheme 2 takes scheme 1's): the era is that of the year
    // the save stores, not the one the input file held from the run before.
    glazing_era_of_its_year(year_built);
    // A house back in the current code's glazing keeps the types of its
    // lines its load marked user-defined: stored as the code table's, they
    // told whether a save under a later year came between.
    mark_dwelling_glazing_types_custom();
    house_of_its_own_glazing(year_built);
    door_type_of_an_older_era(year_built);
    const std::optional<REAL> kept_code = scheme_code_the_windows_keep(S(60), year_built, zone);
    const REAL column_code = S(60);
    // The generated homes rebuild every group from their lines.
    const bool paired = groups_paired_with_lines();
    if (paired)
        for (INTEGER j = 0; j <= 240; j += 10)
            for (INTEGER n = 62 + j; n <= 70 + j; ++n) S(n) = 0.0f;

    GlazingScan scan;
    INTEGER j = -10;
    for (INTEGER k = 1; k <= 25; ++k) {
        if (!(QTY(k) > 0.0f)) continue;
        j = paired ? 10 * (k - 1) : j + 10;
        condense_line(k, j, year_built, zone, scan);
    }
    // A scheme of its own glazing left without a window: its scheme-wide
    // code (group 1's slot) judges the glass of the first line that holds
    // glass, as a save with that window judges it. Kept as the column held
    // it, the code recorded whether the window's own glass typed before the
    // group was emptied ran first: typed in the same save, the code stayed
    // that of the glass before it.
    if (j == -10 && (residential() || ERA > 4))
        for (INTEGER k = 1; k <= 25; ++k)
            if (TRANS(k) > 0.0f) {
                glazing_code_of_line(k, 0, year_built, zone, scan);
                break;
            }
    // Nor does the group of an empty line keep the facade class of a line
    // another design of the scheme had there (a non-residential design's
    // windows on more facades), or of a line since emptied.
    if (paired)
        for (INTEGER k = 1; k <= 25; ++k)
            if (!(QTY(k) > 0.0f)) S(61 + 10 * (k - 1)) = 0.0f;
    // Another building's design scheme takes its lines from the groups in
    // turn: no group after the last line it stored keeps the line that was
    // there before one was emptied (group 1's code slot, the scheme-wide
    // glazing code, stays).
    if (!paired && (IDNUM1 == 1 || IDNUM1 == 2))
        for (INTEGER g = j + 10; g <= 240; g += 10)
            for (INTEGER n = (g == 0 ? 61 : 60) + g; n <= 69 + g; ++n) S(n) = 0.0f;
    if (kept_code) S(60) = *kept_code;
    // Another building of its own glazing whose windows are not alike has
    // no scheme-wide code: its run marks them so before it lays out the
    // lines, and the save keeps that mark rather than the library window
    // the first line's glass happens to be. Stored as that window, a
    // window's own glass typed and later taken away would leave the scheme
    // on that window for good, where it was on the code glass before.
    if (!residential() && ERA > 4) mark_windows_not_alike(IDNUM1);
    if (S(60) == 0.0f) {
        S(60) = -std::fabs(scan.keep);
        if (S(60) == 0.0f) S(60) = 0.0f;  // no -0 in the column
        // Beside an emptied line 1, a code that falls back here and names
        // glass the windows left hold (the last group's library window,
        // once the mark of windows not alike is dropped) is one the next
        // save keeps as it stands: negated, it told whether a run came
        // between the mark and the emptied glass.
        if (scan.line_1_emptied && !code_names_no_glass_of_the_windows(S(60), year_built, zone))
            S(60) = std::fabs(S(60));
        DBG_FLOAT("IF Strategy(60,-)=0.0 No Matches were found..", S(60));
    }
    // A house's save keeps the scheme-wide code its column holds where it
    // names line 1's glass but in a word and the code it would store gives
    // the windows the same glass on every run:
    // the mark of windows not alike (-1) over line 1 in library window 1,
    // or a vintage design's type (-2: window 2 but for its transmittance)
    // over -48, a first window of no library glass. A save under a year
    // before the current code keeps group 1's slot as it stands, so stored
    // in its place, the code told such a year typed later whether a save
    // under the current code came between.
    if (residential() && column_code != 0.0f && line_1_of_library_window_but_a_word(column_code) &&
        codes_give_a_house_the_same_glass(column_code, S(60), year_built, zone))
        S(60) = column_code;
}

}  // namespace

void store_window_groups(REAL year_built) { glazing_groups(year_built, code_table_zone()); }

void transfer_model_to_column(REAL year_built) {
    DBG_PRINT("REVISION Task300 copy SchemeX to Strategy 2896");
    const INTEGER zone = code_table_zone();
    attachment_and_dimensions();
    const REAL heating = S(18), cooling = S(20);
    heating_code(zone);
    cooling_code(zone);
    keep_mixed_systems_marking(heating, cooling, zone);
    keep_heat_pump_cooling(cooling, zone);
    infiltration_code();
    radiant_barrier();
    floor_codes_from_surfaces();
    glazing_groups(year_built, zone);
}

}  // namespace mavo
