// The residential floor step: the ground side of the dwelling.
//  - Raised floors (item 11) by a U-factor: framed floors by parallel
//    paths (90 % insulated cavity, 10 % joists), concrete floors in series.
//    A vented crawl space adds R 6.
//  - Slabs on grade (item 12) by an F-factor, heat loss per foot of
//    perimeter and degree, from the slab-edge insulation (vertical, 24 in
//    deep, none under the slab).
//  - Basements by four wall bands with the soil's resistance growing with
//    depth (items 13 to 16: exposed, first 2 ft, next 4 ft, the rest), the
//    basement floor (item 17) and an added exterior R (item 18); item 12
//    then carries the area-weighted mean U of the wall bands.
// The HERS BESTEST basement case (NFLAG(46)) takes the test's fixed
// surface resistances, finish and wall depths.
#include <cmath>
#include <initializer_list>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/constructions_residential.h"
#include "physics/constructions_residential_steps.h"

namespace mavo::residential_construction {
namespace {

constexpr REAL kCrawlSpaceR = 6.0f;         // vented crawl space below a raised floor
constexpr REAL kJoistFramingR = 15.33f;     // wood joist across the insulation depth
constexpr REAL kCavityShare = 0.9f;
constexpr REAL kFramingShare = 0.1f;
constexpr REAL kSlabLagH = 24.0f;           // the ground answers over a day or more
constexpr INTEGER kOpenBelowCode = 3;       // under-floor code of a raised floor without a crawl space
constexpr INTEGER kReducedShellCode = 4;    // under-floor code with the reduced floor shell

// Basement resistances, h.ft2.F/Btu.
constexpr REAL kExposedBandInsideR = 2.61f;  // inside film and finish of the band above grade
constexpr REAL kBuriedBandInsideR = 1.79f;   // the same below grade
constexpr REAL kTestCaseInsideR = 1.33f;     // both in the BESTEST basement case
constexpr REAL kSoilR_first2ft = 1.57f;
constexpr REAL kSoilR_next4ft = 7.28f;
constexpr REAL kSoilR_deeper = 13.7f;
constexpr REAL kBasementFloorU = 0.05299417f;          // 1 / 18.87
constexpr REAL kTestCaseBasementFloorU = 0.053078555f;  // 1 / 18.84
constexpr REAL kTestCaseFinishR = 10.69f;               // R 11 batts with gypsum board

bool is_one_of(INTEGER value, std::initializer_list<INTEGER> codes) {
    for (INTEGER c : codes)
        if (value == c) return true;
    return false;
}

// Slab F-factor by the slab-edge R, Btu/h.ft.F per ft of perimeter.
REAL slab_f_factor(REAL edge_r) {
    if (edge_r < 5.0f) return 0.73f;
    if (edge_r < 7.0f) return 0.6f;
    if (edge_r < 10.0f) return 0.58f;
    if (edge_r < 13.0f) return 0.56f;
    if (edge_r < 19.0f) return 0.55f;
    return 0.54f;
}

struct RaisedFloor {
    REAL shell_r = 0.0f;          // deck, finish and films, h.ft2.F/Btu
    REAL reduced_shell_r = 0.0f;  // with the reduced shell of under-floor code 4
    bool framed = true;           // wood joists: parallel paths; concrete: series
    REAL lag_h = 0.0f;
    REAL decr = 0.0f;
    const char* material = "";
    REAL thickness_in = 0.0f;
};

bool raised_floor_of(INTEGER type, RaisedFloor& f) {
    switch (type) {
        case 2: f = {9.95f, 3.95f, true, 3.0f, 0.8f, "WOOD", 0.75f}; return true;
        case 3: f = {7.87f, 1.87f, true, 2.0f, 0.8f, "WOOD", 0.75f}; return true;
        case 4: f = {7.97f, 1.97f, true, 4.0f, 0.7f, "TILE", 1.25f}; return true;
        case 5: f = {10.43f, 4.43f, true, 5.0f, 0.3f, "LT.WT.CO", 1.625f}; return true;
        case 8: f = {9.52f, 1.69f, false, 9.0f, 0.1f, "CONCRETE", 3.5f}; return true;
        case 9: f = {7.59f, 1.59f, false, 8.0f, 0.2f, "CONCRETE", 4.0f}; return true;
        default: return false;
    }
}

// No slab on grade: its area and every property of its element are 0, so
// nothing stays of a slab another design of the scheme (a non-residential
// one's) laid out.
void no_slab() {
    AREA(12) = 0.0f;
    PERCNT(12) = 0.0f;
    UVAL(12) = 0.0f;
    TMLAG(12) = 0.0f;
    DECR(12) = 0.0f;
}

// A slab's mass element (1): one story's floor along the east-west side.
void slab_plan(const ScaledFootprint& fp) {
    if (!fp.valid) return;
    LNTH(1) = EWDIM;
    WDTH(1) = fp.story_area_ft2 / EWDIM;
    NELMNT(1) = 1.0f;
}

// Steps 2 and 3: areas, percentages, under-floor code and floor mass of the
// raised floors and slabs.
void floor_layout(const Working& w, INTEGER type) {
    const INTEGER k = w.k;
    const ScaledFootprint& fp = w.footprint;
    if (is_one_of(type, {2, 3, 4, 5, 8, 9})) {
        // A raised floor of the tables is all of its floor area, whatever
        // share of the plan a basement's run left there.
        if (AREA(11) > 0.0f) PERCNT(11) = 100.0f;
        no_slab();
        framed_floor_mass(fp);
        // A raised floor is no slab: its under-floor code is 1 (no floor
        // losses), 2 (a vented crawl space), 3 (open below: the floor's own
        // construction, without the crawl space's resistance) or 4 (the
        // reduced shell). Any other code, the slab's 5 as every code without
        // a meaning, is the vented crawl space the save stores for it, so
        // the first run after it was typed simulates what its re-runs do.
        if (!is_one_of(code_of(49, k), {1, 2, kOpenBelowCode, kReducedShellCode})) STRATEGY(49, k) = 2.0f;
    }
    // A basement stands on the ground as a slab does: under-floor code 5,
    // whatever floor it was typed over.
    if (is_one_of(type, {10, 13, 17})) STRATEGY(49, k) = 5.0f;
    // A raised floor or slab of the input file's own construction (a
    // negative type) keeps the floor mass its file holds (none in a library
    // slot where no run laid one out), but lies under the area and stories
    // in force as the tables' floors do, not under those of the run that
    // last laid it out.
    const bool own_floor_mass = type < 0 && !MTUSED(1).is_blank();
    if (own_floor_mass && is_one_of(-type, {2, 3, 4, 5, 8, 9})) raised_floor_plan(fp);
    if (is_one_of(type, {6, 7, 16}) || (own_floor_mass && is_one_of(-type, {6, 7, 16}))) slab_plan(fp);
    if (is_one_of(type, {6, 7, 16})) {
        STRATEGY(49, k) = 5.0f;
        if (fp.valid) {
            MTUSED(1) = "CONCRETE";
            THCK(1) = 3.5f;
        }
        // The perimeter as a percentage of the footprint's perimeter.
        if (EWDIM + NSDIM > 0.0f) PERCNT(12) = w.perimeter_ft * 100.0f / (2.0f * (EWDIM + NSDIM));
        PERCNT(11) = 0.0f;
    }
}

// Steps 4 and 5: U-factor, lag and decrement of a raised floor, then the
// crawl space below it.
void raised_floor_properties(const Working& w, INTEGER type) {
    RaisedFloor f;
    const bool from_tables = raised_floor_of(type, f);
    if (from_tables) {
        const REAL shell_r = code_of(49, w.k) == kReducedShellCode ? f.reduced_shell_r : f.shell_r;
        if (f.framed) {
            UVAL(11) = kCavityShare / (w.RinsFloor + shell_r) + kFramingShare / (shell_r + kJoistFramingR);
        } else {
            UVAL(11) = 1.0f / (shell_r + w.RinsFloor);
        }
        TMLAG(11) = f.lag_h;
        DECR(11) = f.decr;
        if (w.footprint.valid) {
            MTUSED(1) = f.material;
            THCK(1) = f.thickness_in;
        }
    }
    const INTEGER under_floor = code_of(49, w.k);
    // A stored U of 0 has no resistance to add to.
    if (under_floor == 2 && type > 0 && UVAL(11) > 0.0f) UVAL(11) = 1.0f / (1.0f / UVAL(11) + kCrawlSpaceR);
    SUSPFLOOR = SUSPFLOOR_t{};
    if (under_floor == 1) {
        // The file's own construction is not laid out again by a later run:
        // the save keeps it, this run's floor losing nothing.
        if (!from_tables && UVAL(11) > 0.0f) SUSPFLOOR = SUSPFLOOR_t{UVAL(11), w.k};
        UVAL(11) = 0.0f;
    }
}

// Step 7a: insulation multiplier of the basement walls by the level.
void basement_insulation_multiplier(Working& w) {
    const INTEGER L = w.level;
    if (L >= 1 && L <= 3) w.InsuLevel = 0.0f;
    else if (L == 4) w.InsuLevel = 0.7f;
    else if (L == 5) w.InsuLevel = 1.0f;
    else if (L == 6) w.InsuLevel = 1.46f;
    else if (L >= 7) w.InsuLevel = 2.0f;
}

// Step 7: a basement of type 10 (unfinished), 13 (finished) or 17 (added R
// from the zone table); negative types keep their stored added R.
void basement(Working& w, INTEGER type) {
    const bool test_case = NFLAG(46);
    const INTEGER type_abs = std::abs(type);
    const REAL P = w.perimeter_ft;
    basement_insulation_multiplier(w);

    if (type == 10) UVAL(18) = 0.0f;
    else if (type == 13) UVAL(18) = CECRESA(30, w.z);
    else if (type == 17) UVAL(18) = CECRESA(4, w.z);

    REAL finish_r = 0.0f;
    if (type_abs == 13 && test_case) {
        finish_r = kTestCaseFinishR;
    } else if (type_abs == 13 || type_abs == 17) {
        // Furring of the added insulation and gypsum board; an added R below 0 is none.
        const REAL added_r = UVAL(18) > 0.0f ? UVAL(18) : 0.0f;
        finish_r = (added_r + 0.56f) * 14.0f * 0.0625f + 0.615f;
    }

    // Exposed band, above grade.
    UVAL(13) = 1.0f / ((test_case ? kTestCaseInsideR : kExposedBandInsideR) + finish_r);
    ABSORB(13) = 0.75f;
    HO(13) = 4.0f;
    SC(13) = 0.0f;
    if (!test_case) {
        DECR(13) = 0.56f;
        TMLAG(13) = 6.0f;
    } else if (type_abs == 13) {
        DECR(13) = 0.48f;
        TMLAG(13) = 7.0f;
    } else {
        DECR(13) = 0.87f;
        TMLAG(13) = 3.0f;
    }

    // Buried bands; exterior insulation on the first two feet below grade
    // for the better-than-code levels.
    const REAL inside_r = test_case ? kTestCaseInsideR : kBuriedBandInsideR;
    REAL wall_insulation_r = 0.0f;
    if (!test_case && w.InsuLevel == 1.46f) wall_insulation_r = 7.5f;
    if (!test_case && w.InsuLevel == 2.0f) wall_insulation_r = 15.0f;
    UVAL(14) = 1.0f / (wall_insulation_r + inside_r + finish_r + kSoilR_first2ft);
    UVAL(15) = 1.0f / (inside_r + finish_r + kSoilR_next4ft);
    UVAL(16) = 1.0f / (inside_r + finish_r + kSoilR_deeper);

    // Basement floor; a changed basement keeps a better stored floor.
    if (test_case) {
        UVAL(17) = kTestCaseBasementFloorU;
    } else if (!(type <= -10 && UVAL(17) > 0.0f && UVAL(17) < kBasementFloorU)) {
        UVAL(17) = kBasementFloorU;
    }

    // Mass: the basement floor slab and the basement walls.
    if (w.footprint.valid) {
        LNTH(1) = w.footprint.a_ft;
        WDTH(1) = w.footprint.b_ft;
        NELMNT(1) = 1.0f;
        MTUSED(1) = "CONCRETE";
        THCK(1) = test_case ? 4.0f : 3.5f;
    }
    MLABEL(4) = MLABEL(5);
    LNTH(4) = P;
    WDTH(4) = FLTOCE;
    NELMNT(4) = 1.0f;
    if (type_abs == 13) {
        MTUSED(4) = "DRYWALL";
        THCK(4) = test_case ? 0.5f : 0.625f;
    } else {
        MTUSED(4) = "CONCRETE";
        THCK(4) = test_case ? 6.0f : 8.0f;
    }

    // Band areas: 2 ft exposed, 2 ft, 4 ft, and the rest of the wall height.
    AREA(13) = test_case ? P * 8.0f / 12.0f : 2.0f * P;
    AREA(14) = 2.0f * P;
    AREA(15) = 4.0f * P;
    AREA(16) = test_case ? P * 7.0f / 12.0f : std::fmax(0.0f, (FLTOCE - 8.0f) * P);
    AREA(17) = AREA(11);

    AREA(18) = AREA(13) + AREA(14) + AREA(15) + AREA(16);
    if (AREA(18) > 0.0f) {
        REAL ua = 0.0f;
        for (INTEGER band = 13; band <= 16; ++band) ua += UVAL(band) * AREA(band);
        UVAL(12) = ua / AREA(18);
        for (INTEGER band = 13; band <= 16; ++band) PERCNT(band) = AREA(band) / AREA(18) * 100.0f;
    }
    PERCNT(17) = 100.0f;
    PERCNT(18) = 100.0f;
    if (EWDIM * NSDIM > 0.0f) PERCNT(11) = AREA(11) * 100.0f / (EWDIM * NSDIM);
    if (EWDIM + NSDIM > 0.0f) PERCNT(12) = P * 100.0f / (2.0f * (EWDIM + NSDIM));
    ABSORB(11) = 0.0f;
    DECR(11) = 0.0f;
    TMLAG(11) = kSlabLagH;
}

// Step 8: items that do not belong to the floor type carry nothing.
void clean_up(Working& w, INTEGER type) {
    const INTEGER type_abs = std::abs(type);
    if (type_abs != 6 && type_abs != 7) {
        w.FinsSlab = 0.0f;
        w.RinsSlab = 0.0f;
        RVAL(12) = 0.0f;
    }
    // A floor without a basement keeps none of the walls and floor a
    // basement's run laid out: kept, they reached the reports (a basement
    // under a slab) and a later basement of the input file's construction.
    if (!keeps_basement(type))
        for (INTEGER item = 13; item <= 18; ++item) AREA(item) = PERCNT(item) = UVAL(item) = 0.0f;
    if (type_abs > 5 && type_abs != 8 && type_abs != 9) UVAL(11) = 0.0f;
}

}  // namespace

bool keeps_basement(INTEGER type) { return type <= -10 || (type >= 10 && type != 16); }

void residential_slab_f_factor(Working& w) {
    const INTEGER type = code_of(33, w.k);
    if (type == 6 || type == 7) w.FinsSlab = slab_f_factor(w.RinsSlab);
    else if (type == -6 || type == -7) w.FinsSlab = UVAL(12);  // a changed slab keeps its F-factor
    // Over a basement's walls the input file's item 12 is their mean
    // U-factor, no slab's F-factor: slab 16 finds none there, as over a
    // raised floor.
    else if (type == 16 && AREA(18) > 0.0f) UVAL(12) = 0.0f;
}

void residential_floors(Working& w) {
    const INTEGER k = w.k;
    const INTEGER type = code_of(33, k);
    const INTEGER type_abs = std::abs(type);

    ABSORB(11) = 0.0f;
    ABSORB(12) = 0.0f;
    if (type == 1) STRATEGY(49, k) = 1.0f;  // a heated unit downstairs
    floor_layout(w, type);
    raised_floor_properties(w, type);

    if (type_abs == 6 || type_abs == 7) {
        UVAL(12) = w.FinsSlab;
        TMLAG(12) = kSlabLagH;
        DECR(12) = 0.0f;
        RVAL(12) = w.RinsSlab;
        MTUSED(1) = "CONCRETE";
    }

    if (type_abs >= 10 && type_abs != 16) {
        if (is_one_of(type_abs, {10, 13, 17})) {
            basement(w, type);
        } else {
            DBG_ERROR("UVALR: floor type is no basement construction, basement kept");
            DBG_INT("UVALR floor type Strategy(33", type);
        }
    }

    clean_up(w, type);

    // Attached units over another unit lose no heat through the floor.
    const INTEGER attachment = code_of(7, k);
    const INTEGER party_walls = code_of(9, k);
    if ((attachment == 3 || attachment == 4) && (party_walls == 2 || party_walls == 3) && type > -1)
        STRATEGY(49, k) = 1.0f;

    if (STRATEGY(40, k) == 1.0f) STRATEGY(33, k) = 1.0f;
    if (code_of(33, k) == 1) {
        AREA(11) = 0.0f;
        PERCNT(11) = 0.0f;
        no_slab();  // no floor is no slab either
        // The floor over the heated unit below loses nothing, but its mass
        // is the dwelling's: the framed floor the design lays out, under the
        // area and stories in force, not the slab or floor an earlier run
        // laid under an area since edited.
        framed_floor_mass(w.footprint);
    }
    DBG_INT("UVALR floor type Strategy(33", type);
    DBG_FLOAT("UVALR floor Uval(11)", UVAL(11));
}

}  // namespace mavo::residential_construction

namespace mavo {

INTEGER raised_floor_type_of_construction(REAL lag_h, REAL decrement) {
    // Each raised floor's lag is its own, and its decrement goes with it.
    for (const INTEGER type : {2, 3, 4, 5, 8, 9}) {
        residential_construction::RaisedFloor f;
        residential_construction::raised_floor_of(type, f);
        if (f.lag_h == lag_h && f.decr == decrement) return type;
    }
    return 0;
}

}  // namespace mavo
