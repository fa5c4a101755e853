// UVALC: the construction properties of a non-residential scheme.
//
// Walls fall into the six classes of the non-residential prescriptive
// tables (metal building, metal framed, light and heavy mass, wood framed,
// light frame), each with the zone's code U-factor, an uninsulated U-factor
// and the time lag and decrement of its mass. Insulation levels: 1
// uninsulated, 6 and 7 better than code (U / 1.5 and U / 2, the insulation
// adding lag), any other the code value. An older building of the vintage
// design (scheme 2) lies between its code value and the uninsulated one.
//
// Non-residential roofs carry no attic model: a flat roof of the code
// U-factor with a cool or a dark surface. Floors are raised (framed or
// heavy concrete), slab on grade by an F-factor, or basements, which this
// routine leaves to the stored values.
#include "physics/constructions_nonresidential.h"

#include <cmath>
#include <initializer_list>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/mass_materials.h"
#include "physics/scaled_footprint.h"
#include "physics/sol_air.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr INTEGER kYearOfCurrentCode = 2013;
constexpr INTEGER kYearOfCoolRoofs = 2006;  // older vintage roofs are dark
constexpr REAL kPlainAtticAirR = 1.9f;
constexpr REAL kCrawlSpaceR = 6.0f;
constexpr REAL kSlabLagH = 24.0f;
constexpr REAL kDarkRoofAbsorptance = 0.9f;
constexpr REAL kDarkRoofEmittance = 0.75f;

INTEGER code_of(INTEGER row, INTEGER k) { return int_toward_zero(STRATEGY(row, k)); }

bool is_one_of(INTEGER value, std::initializer_list<INTEGER> codes) {
    for (INTEGER c : codes)
        if (value == c) return true;
    return false;
}

// The working values of one call.
struct Working {
    INTEGER k = 0;
    INTEGER z = 0;
    INTEGER YearBuilt = 0;
    INTEGER INS = 0;  // insulation level as stored, signed
    ScaledFootprint footprint;
};

// Old wall codes (below 21) to the current wall classes.
INTEGER current_wall_code(INTEGER old_code_abs) {
    switch (old_code_abs) {
        case 1: return 21;
        case 8: return 22;
        case 3: case 6: return 23;
        case 7: case 12: return 25;
        case 9: case 10: case 14: return 27;
        case 11: return 28;
        default: return 0;  // no current class
    }
}

// A wall code below 21 is an old code or none. A column the design is about
// to fill holds no choice yet, which is no error.
void normalise_wall_code(const Working& w) {
    const INTEGER wall = code_of(31, w.k);
    if (wall <= -21 || wall >= 21) return;
    if (REVISION_STATE.DESIGN_FOLLOWS) {
        DBG_INT("REVISION walls not chosen yet, the design chooses it", wall);
    } else {
        DBG_ERROR("ERROR in WALLS Strategy(31=.lt.21.");
        DBG_INT("UVALC old wall code Strategy(31", wall);
    }
    const INTEGER mapped = current_wall_code(std::abs(wall));
    if (mapped != 0) STRATEGY(31, w.k) = static_cast<REAL>(mapped);
}

struct WallClass {
    INTEGER code_row = 0;        // row of CECNR with the zone's code U-factor
    REAL uninsulated_u = 0.0f;   // Btu/h.ft2.F
    REAL lag_h = 0.0f;           // default time lag
    REAL decr = 0.0f;            // default decrement
    REAL uninsulated_lag_h = 0.0f;
    REAL uninsulated_decr = 0.0f;
};

bool wall_class_of(INTEGER code, WallClass& c) {
    switch (code) {
        case 21: c = {36, 1.18f, 2.0f, 0.9f, 1.0f, 0.95f}; return true;     // metal building
        case 22: c = {37, 0.458f, 3.0f, 0.86f, 1.0f, 0.95f}; return true;   // metal framed
        case 23: c = {33, 0.56f, 8.0f, 0.18f, 8.0f, 0.16f}; return true;    // mass light
        case 25: c = {38, 0.86f, 13.0f, 0.05f, 13.0f, 0.05f}; return true;  // mass heavy
        case 27: c = {2, 0.356f, 3.0f, 0.88f, 3.0f, 0.88f}; return true;    // wood framed
        case 28: c = {2, 0.63f, 1.0f, 0.98f, 1.0f, 0.98f}; return true;     // light frame
        default: return false;
    }
}

// The vintage design of an older building: part of the way from the
// chosen U-factor back to the uninsulated one.
REAL vintage_wall_u(const Working& w, REAL u, REAL uninsulated_u) {
    if (w.k != 2) return u;
    const REAL d = uninsulated_u - u;
    if (w.YearBuilt > 1978 && w.YearBuilt < 1992) return u + d / 2.0f;
    if (w.YearBuilt >= 1992 && w.YearBuilt < kYearOfCurrentCode) return u + d / 3.0f;
    return u;
}

void walls(const Working& w) {
    const INTEGER code = code_of(31, w.k);
    WallClass c;
    if (wall_class_of(code, c)) {
        const REAL code_u = CECNR(c.code_row, w.z);
        REAL u = code_u;
        REAL lag_h = c.lag_h;
        REAL decr = c.decr;
        const bool light_frame = code == 28;
        if (light_frame ? w.INS <= 3 : w.INS == 1) {
            u = c.uninsulated_u;
            lag_h = c.uninsulated_lag_h;
            decr = c.uninsulated_decr;
        } else if (w.INS == 6 || w.INS == 7) {
            const REAL factor = w.INS == 6 ? 1.2f : 1.4f;
            u = w.INS == 6 ? code_u / 1.5f : code_u * 0.5f;
            // A light frame has no mass for the insulation to put behind it:
            // its lag shortens as well.
            lag_h = light_frame ? c.lag_h / factor : c.lag_h * factor;
            decr = c.decr / factor;
        }
        UVAL(6) = vintage_wall_u(w, u, c.uninsulated_u);
        TMLAG(6) = lag_h;
        DECR(6) = decr;
    }
    // Other classes and changed walls keep item 6 as stored.
    if (STRATEGY(31, w.k) > 0.0f) {
        for (INTEGER item = 7; item <= 9; ++item) {
            UVAL(item) = UVAL(6);
            TMLAG(item) = TMLAG(6);
            DECR(item) = DECR(6);
            ABSORB(item) = ABSORB(6);
        }
    }
    DBG_INT("UVALC wall type Strategy(31", code);
    DBG_FLOAT("UVALC wall Uval(6)", UVAL(6));
}

// The roof code the run simulates. An old building's cool roof is built
// dark without its code being rewritten: stored as the dark roof, it would
// stay dark under a later year typed after the run, where the same year
// typed at once gives the cool roof.
INTEGER roof_code_in_force(const Working& w) {
    const REAL code = static_cast<REAL>(code_of(32, w.k));
    return int_toward_zero(roof_code_of_its_year(code, w.k, static_cast<REAL>(w.YearBuilt)));
}

// Roof surface: the code's cool roof or a dark roof.
void roof_surface(const Working& w) {
    const INTEGER k = w.k;
    const INTEGER roof = roof_code_in_force(w);
    const bool cool = roof == 2 || roof == 10;
    const bool dark = roof == 3 || roof == 11;
    if (k == 1 || (k >= 3 && cool)) {
        REMITT = CECNR(26, w.z);
        ABSORB(10) = 1.0f - CECNR(25, w.z);
    } else if (k >= 3 && dark) {
        ABSORB(10) = kDarkRoofAbsorptance;
        REMITT = kDarkRoofEmittance;
    } else if (k == 2 && w.YearBuilt < kYearOfCoolRoofs) {
        ABSORB(10) = kDarkRoofAbsorptance;
        REMITT = kDarkRoofEmittance;
    }
}

struct RoofConstruction {
    INTEGER code_row = 0;
    REAL vintage_u = 0.0f;                   // built before 2013; 0: the code U of its row
    REAL lag_h = 0.0f, decr = 0.0f;          // defaults
    REAL low_u_lag_h = 0.0f, low_u_decr = 0.0f;  // code U below 0.03: thicker insulation
    REAL uninsulated_u = 0.0f;
};

bool roof_construction_of(INTEGER code, RoofConstruction& r) {
    switch (code) {
        case 2: r = {1, 0.0f, 2.0f, 0.94f, 3.0f, 0.88f, 0.297f}; return true;
        case 3: r = {1, 0.081f, 2.0f, 0.96f, 3.0f, 0.9f, 0.287f}; return true;
        case 10: r = {35, 0.083f, 2.0f, 0.94f, 3.0f, 0.88f, 0.325f}; return true;
        case 11: r = {35, 0.083f, 2.0f, 0.96f, 3.0f, 0.9f, 0.325f}; return true;
        default: return false;
    }
}

void roof_construction(const Working& w) {
    const INTEGER k = w.k;
    const INTEGER roof = roof_code_in_force(w);
    RoofConstruction r;
    if (std::abs(roof) <= 1) {  // no roof losses
        STRATEGY(32, k) = 1.0f;
        UVAL(10) = 0.0f;
        TMLAG(10) = 0.0f;
        DECR(10) = 1.0f;
        ABSORB(10) = 0.0f;
        REMITT = 0.0f;
    } else if (roof_construction_of(roof, r)) {
        REAL u = CECNR(r.code_row, w.z);
        REAL lag_h = u < 0.03f ? r.low_u_lag_h : r.lag_h;
        REAL decr = u < 0.03f ? r.low_u_decr : r.decr;
        INTEGER level = w.INS;
        if (k == 2 && w.YearBuilt < kYearOfCurrentCode) {
            // The vintage roof of an older building: insulation level 4, the
            // U-factor of its roof type for buildings of that age (a cool
            // roof of the first row keeps the code value) and one lag and
            // decrement for every type. The level is the roof's alone: the
            // scheme's level stays the one its walls and floor were built
            // with, or every later run would rebuild them at level 4.
            level = 4;
            if (r.vintage_u > 0.0f) u = r.vintage_u;
            lag_h = 2.0f;
            decr = 0.94f;
        }
        if (level == 1) {
            u = r.uninsulated_u;
            lag_h = 1.0f;
            decr = 0.95f;
        } else if (level == 6 || level == 7) {
            const REAL factor = level == 6 ? 1.2f : 1.4f;
            u = level == 6 ? u / 1.5f : u * 0.5f;
            lag_h = static_cast<REAL>(int_toward_zero(lag_h * factor));  // whole hours
            decr = decr / factor;
        }
        UVAL(10) = u;
        TMLAG(10) = lag_h;
        DECR(10) = decr;
    }
}

void roof(const Working& w) {
    const INTEGER k = w.k;
    // A roof the user changed (a code below -1) keeps its stored properties.
    // Code -1 is a roof without losses, as 0 and 1 are: it keeps nothing, or
    // its first run would simulate the U-factor the input file holds from
    // before (a house's roof) and only the run after it, once the code is
    // saved as 1, the roof without losses.
    const bool keep_user_roof = STRATEGY(32, k) < -1.0f && k > 1;
    const REAL saved_u = UVAL(10);
    const REAL saved_lag_h = TMLAG(10);
    const REAL saved_emittance = REMITT;
    const REAL saved_absorb = ABSORB(10);
    const REAL saved_decr = DECR(10);

    if ((k == 1 || k == 2) && w.footprint.valid) {  // the ceiling's mass
        LNTH(3) = w.footprint.a_ft;
        WDTH(3) = w.footprint.b_ft;
        NELMNT(3) = FLOORS;
        MTUSED(3) = MTNAME(9);
        THCK(3) = 0.625f;
    }
    RSLOPE = 0.0f;
    roof_surface(w);
    roof_construction(w);

    if (keep_user_roof) {
        if (saved_u > 0.0f) UVAL(10) = saved_u;
        if (saved_lag_h > 0.0f) TMLAG(10) = saved_lag_h;
        if (saved_emittance > 0.0f) REMITT = saved_emittance;
        if (saved_absorb > 0.0f) ABSORB(10) = saved_absorb;
        if (saved_decr > 0.0f) DECR(10) = saved_decr;
    }
    DBG_INT("UVALC roof type Strategy(32", code_of(32, k));
    DBG_FLOAT("UVALC roof Uval(10)", UVAL(10));
}

// Floor mass element 1 of a raised floor, a slab or a floor over another
// heated unit.
void floor_layout(const Working& w, INTEGER F) {
    const INTEGER k = w.k;
    const ScaledFootprint& fp = w.footprint;
    if (is_one_of(F, {2, 3, 4, 5, 8, 9})) {
        // All of its floor area, whatever share of the plan a house's
        // basement left there.
        if (AREA(11) > 0.0f) PERCNT(11) = 100.0f;
        // No slab under a raised floor: nothing stays of the one a house's
        // design laid out, which a slab typed later as the input file's
        // construction (-6, -7) would take up again.
        AREA(12) = PERCNT(12) = UVAL(12) = TMLAG(12) = DECR(12) = 0.0f;
        framed_floor_mass(fp);
    }
    // A floor without losses (1, another heated unit below, and 0 or -1)
    // keeps its mass: the framed floor under the area and stories in force,
    // as a dwelling's over another unit, not the slab or floor an earlier
    // run laid under an area since edited. A raised floor or slab of the
    // input file's own construction (a negative type) keeps its material and
    // lies under the area and stories in force likewise. A library slot
    // whose input file holds no floor mass (no run laid one out) keeps none.
    const bool floor_mass = !MTUSED(1).is_blank();
    if (floor_mass && std::abs(F) <= 1) framed_floor_mass(fp);
    if (floor_mass && is_one_of(-F, {2, 3, 4, 5, 8, 9})) raised_floor_plan(fp);
    const bool own_slab = floor_mass && is_one_of(-F, {6, 7, 16});
    if ((is_one_of(F, {6, 7, 16}) || own_slab) && fp.valid) {
        LNTH(1) = EWDIM;
        WDTH(1) = AREAT / (FLOORS * EWDIM);
        NELMNT(1) = 1.0f;
    }
    if (is_one_of(F, {6, 7, 16})) {
        STRATEGY(49, k) = 5.0f;
        if (fp.valid) {
            MTUSED(1) = "CONCRETE";
            THCK(1) = 3.5f;
        }
        if (EWDIM + NSDIM > 0.0f) PERCNT(12) = 100.0f * AREA(12) / (2.0f * (EWDIM + NSDIM));
        PERCNT(11) = 0.0f;
    }
}

// U-factor, lag and decrement of a raised or heavy floor by the level.
void raised_floor(const Working& w, INTEGER F) {
    const bool heavy = F == 8 || F == 9;
    const REAL code_u = CECNR(heavy ? 9 : 6, w.z);
    REAL u = code_u;
    REAL lag_h = heavy ? 8.0f : 3.0f;
    REAL decr = heavy ? 0.2f : 0.88f;
    if (w.INS == 1) {
        u = heavy ? 0.269f : 0.099f;
        if (!heavy) {
            lag_h = 1.0f;
            decr = 1.0f;
        }
    } else if (w.INS == 6) {
        u = code_u / 1.5f;
        lag_h = heavy ? 9.6f : 3.6f;
        decr = heavy ? 0.16667f : 0.73333f;
    } else if (w.INS == 7) {
        u = code_u * 0.5f;
        lag_h = heavy ? 11.2f : 4.2f;
        decr = heavy ? 0.142857f : 0.62857f;
    }
    UVAL(11) = u;
    TMLAG(11) = lag_h;
    DECR(11) = decr;
    if (!w.footprint.valid) return;
    switch (F) {
        case 2: case 3: MTUSED(1) = "WOOD"; THCK(1) = 0.75f; break;
        case 4: MTUSED(1) = "TILE"; THCK(1) = 1.25f; break;
        case 5: MTUSED(1) = "LT.WT.CO"; THCK(1) = 1.625f; break;
        case 8: MTUSED(1) = "CONCRETE"; THCK(1) = 3.5f; break;
        case 9: MTUSED(1) = "CONCRETE"; THCK(1) = 4.0f; break;
        default: break;
    }
}

void floors(const Working& w) {
    const INTEGER k = w.k;
    const INTEGER F = code_of(33, k);
    ABSORB(11) = 0.0f;
    ABSORB(12) = 0.0f;
    if (F == 1) STRATEGY(49, k) = 1.0f;
    floor_layout(w, F);

    // Under-floor code: 5 slab or basement, 2 a raised floor, 1 no losses.
    if (F == 6 || F == 7 || F >= 10) STRATEGY(49, k) = 5.0f;
    else if (F > 1 && F < 10 && code_of(49, k) == 5) STRATEGY(49, k) = 2.0f;
    if (F == 1) STRATEGY(49, k) = 1.0f;

    if (is_one_of(F, {2, 3, 4, 5, 8, 9})) raised_floor(w, F);

    const INTEGER under_floor = code_of(49, k);
    if (under_floor == 2 && UVAL(11) > 1.0f) UVAL(11) = 1.0f / (1.0f / UVAL(11) + kCrawlSpaceR);
    if (under_floor == 1) UVAL(11) = 0.0f;

    if (F == 6 || F == 7) {
        TMLAG(12) = kSlabLagH;
        DECR(12) = 0.0f;
        UVAL(12) = w.INS == 6 ? 0.6f : (w.INS == 7 ? 0.56f : 0.73f);  // edge insulation R 7, R 10, none
    }
    if (is_one_of(std::abs(F), {6, 7})) {  // a slab: no raised floor, nor its properties
        AREA(11) = 0.0f;
        PERCNT(11) = 0.0f;
        UVAL(11) = TMLAG(11) = DECR(11) = 0.0f;
    }
    // A basement stands on its own floor (item 17), as a dwelling's does: a
    // raised floor's construction that a run before it left (the house's
    // before a switch, or this building's) conducts nothing under it.
    if (std::abs(F) >= 10 && std::abs(F) != 16) UVAL(11) = TMLAG(11) = DECR(11) = 0.0f;
    DBG_INT("UVALC floor type Strategy(33", F);
    DBG_FLOAT("UVALC floor Uval(11)", UVAL(11));
}

// The floor's mass element (1) whose material the call changed (a raised
// floor typed over a slab, a house made another building) takes the new
// material's density, specific heat and conductivity, as a dwelling's
// element does on every run: kept as they stood, the wood floor laid over
// the slab stored the concrete's, and the floor typed with the switch from
// a house simulated another mass than the one typed a run before the
// switch. So does a floor laid out over a file that held no floor mass (a
// library slot no run had laid one in): kept, its density and heat
// capacity were none and its mass counted nothing. A floor that keeps its
// material keeps its stored properties.
void properties_of_floor_of_new_material(const FString<8>& material_before) {
    if (MTUSED(1) == material_before || !(LNTH(1) > 0.0f && WDTH(1) > 0.0f)) return;
    KMASS = 1;
    MATNAME = MTUSED(1);
    INTEGER material_index = 0;
    MTTYPE(material_index);
    DBG_FLOAT("UVALC floor element of a material named anew: density", DNST(1));
}

}  // namespace

void UVALC() {
    DBG_IN("UVALC");
    if (NTYPE >= 16 && NTYPE <= 19) {
        DBG_ERROR("ERROR this is Residential but got into UVALC");
        DBG_OUT("UVALC");
        return;
    }
    if (!has_scheme_column(IDNUM1)) {
        DBG_ERROR("UVALC: scheme has no parameter column, constructions kept");
        DBG_INT("UVALC IDNUM1", IDNUM1);
        DBG_OUT("UVALC");
        return;
    }
    if (CECZONE < 1 || CECZONE > kClimateZones) {
        DBG_ERROR("UVALC: climate zone outside 1 to 16, constructions kept");
        DBG_INT("UVALC CECZONE", CECZONE);
        DBG_OUT("UVALC");
        return;
    }

    Working w;
    w.k = IDNUM1;
    w.z = CECZONE;
    const REAL year = STRATEGY(11, w.k);
    w.YearBuilt = (year <= 100.0f || w.k == 1) ? kYearOfCurrentCode : int_toward_zero(year);
    w.INS = code_of(30, w.k);
    w.footprint = scaled_footprint();
    if (!w.footprint.valid) DBG_ERROR("UVALC: floor area, stories or footprint not positive, mass elements kept");
    DBG_INT("UVALC YearBuilt", w.YearBuilt);
    DBG_INT("UVALC insulation level Strategy(30", w.INS);

    STRATEGY(35, w.k) = 5.0f;  // no radiant barrier required or present
    ATTICR = kPlainAtticAirR;
    NFLAG(85) = false;

    const FString<8> floor_material_before = MTUSED(1);
    normalise_wall_code(w);
    walls(w);
    roof(w);
    floors(w);
    properties_of_floor_of_new_material(floor_material_before);
    clear_outside_film_without_area();
    DBG_OUT("UVALC");
}

REAL roof_code_of_its_year(REAL code, INTEGER k, REAL year_built) {
    if (k != 2 || year_built <= 100.0f || year_built >= static_cast<REAL>(kYearOfCoolRoofs)) return code;
    if (code == 2.0f) return 3.0f;
    if (code == 10.0f) return 11.0f;
    return code;
}

ConstructionFamily construction_family_of(INTEGER ntype) {
    if (is_one_of(ntype, {1, 2, 12})) return ConstructionFamily::block_on_slab;
    if (is_one_of(ntype, {3, 4, 10, 7, 14})) return ConstructionFamily::wood_on_slab;
    if (ntype == 11) return ConstructionFamily::high_mass;
    return ConstructionFamily::light_frame;
}

}  // namespace mavo
