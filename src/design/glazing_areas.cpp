// GLZVAL and GLZAR: glass and doors per facade of a generated scheme.
//
// A facade percentage is the glass-plus-door area over the facade's gross
// wall, times 100. Dwellings of the code-minimum and vintage kind spread the
// code's maximum glass (a share of the floor area) over the facades that
// face the outside, with the building's outside doors (one south and one
// north, fewer for apartments, as the window list places them); the
// energy-efficient dwelling puts as much glass on the south as its winter
// and latitude call for, little on east and west, and gives the rest of
// scheme 1's glass to the north, so that both schemes have the same glass.
#include "design/glazing_areas.h"

#include <algorithm>
#include <string>

#include "blocks/blocks.h"
#include "design/design_scheme.h"
#include "design/sizing.h"
#include "design/window_list.h"
#include "front/trace.h"
#include "support/farray.h"

namespace mavo {
namespace {

constexpr INTEGER kTrombeWall = 9;
constexpr INTEGER kSunspace = 20;
// No facade is more than this percentage glass and door.
constexpr REAL kMostGlassOfAFacade_pct = 85.0f;
// The south glass of a dwelling other than a row house or an apartment.
constexpr REAL kMostSouthGlass_pct = 83.0f;
// Head height of a generated window, ft; the efficient south glass stays
// within 85 percent of the wall below it.
constexpr REAL kWindowHead_ft = 6.67f;

// Climate zone of the code tables; a zone outside 1-16 reads zone 9, as
// the window list will store it.
INTEGER code_zone() { return (CECZONE >= 1 && CECZONE <= 16) ? CECZONE : 9; }

// Area as a percentage of a wall; a wall without area holds no glass.
REAL percent_of(REAL area_ft2, REAL wall_ft2) { return wall_ft2 > 0.0f ? area_ft2 / wall_ft2 * 100.0f : 0.0f; }

struct Walls {
    REAL WS = 0.0f;  // south and north gross wall, ft2
    REAL WE = 0.0f;  // west and east gross wall, ft2
};

Walls gross_walls() {
    return Walls{EWDIM * FLTOFL * FLOORS, NSDIM * FLTOFL * FLOORS};
}

void nonresidential_percentages(INTEGER z) {
    const REAL PRCNTG = CECNR(8, z) * 100.0f;
    DBG_FLOAT("PRCNTG glazing per CECnr(8 code", PRCNTG);
    for (INTEGER i = 1; i <= 5; ++i) AREA(i) = 0.0f;
    switch (NTYPE) {
        case 2:
            PERCNT(1) = PERCNT(2) = PERCNT(3) = PERCNT(4) = PRCNTG;
            PERCNT(5) = CECNR(10, z);
            break;
        case 14:
            PERCNT(1) = PERCNT(2) = PERCNT(3) = PERCNT(4) = PRCNTG;
            PERCNT(5) = 0.0f;
            break;
        case 11:
            PERCNT(5) = CECNR(10, z);
            break;
        case 1:
            break;
        default:
            PERCNT(1) = PERCNT(3) = PRCNTG;
            break;
    }
}

// Glass-and-door percentages of the four walls (PERCNT(1..4)) and the
// outside doors a layout counts.
struct FacadeLayout {
    FArray<REAL, 4> percent{};
    OutsideDoors doors;
};

// Code-minimum and vintage dwellings: the code's glass CODEMAX spread over
// the facades that face the outside, and the outside doors on the south and
// north walls.
FacadeLayout code_layout(REAL S7, REAL S9, const Walls& w, REAL CODEMAX) {
    FacadeLayout l;
    l.doors = outside_doors(S7);
    // Single-family layout: a quarter of the glass on each facade.
    REAL south_ft2 = 0.25f * CODEMAX, west_ft2 = 0.25f * CODEMAX;
    REAL north_ft2 = 0.25f * CODEMAX, east_ft2 = 0.25f * CODEMAX;
    if ((S7 == 2.0f && S9 == 1.0f) || S7 >= 4.0f) {  // open to the south and north only
        south_ft2 = north_ft2 = 0.5f * CODEMAX;
        west_ft2 = east_ft2 = 0.0f;
    } else if (S7 == 2.0f && S9 == 2.0f) {  // west wall shared
        south_ft2 = north_ft2 = CODEMAX / 3.0f;
        west_ft2 = 0.0f;
        east_ft2 = CODEMAX / 3.0f;
    } else if (S7 == 2.0f && S9 == 3.0f) {  // east wall shared
        south_ft2 = north_ft2 = 0.375f * CODEMAX;
        east_ft2 = 0.0f;
    } else if (S7 == 3.0f) {
        // A unit open to the south only: all glass there, as in the
        // efficient distribution of such a unit.
        south_ft2 = CODEMAX;
        west_ft2 = north_ft2 = east_ft2 = 0.0f;
    }
    const REAL south_door_ft2 = kDoorArea_ft2 * static_cast<REAL>(l.doors.south);
    const REAL north_door_ft2 = kDoorArea_ft2 * static_cast<REAL>(l.doors.north);
    l.percent(1) = std::min(percent_of(south_ft2 + south_door_ft2, w.WS), kMostGlassOfAFacade_pct);
    l.percent(2) = percent_of(west_ft2, w.WE);
    l.percent(3) = std::min(percent_of(north_ft2 + north_door_ft2, w.WS), kMostGlassOfAFacade_pct);
    l.percent(4) = percent_of(east_ft2, w.WE);
    return l;
}

void code_distribution(INTEGER k, const Walls& w, REAL CODEMAX) {
    const FacadeLayout l = code_layout(STRATEGY(7, k), STRATEGY(9, k), w, CODEMAX);
    for (INTEGER f = 1; f <= 4; ++f) PERCNT(f) = l.percent(f);
    PERCNT(5) = 0.0f;
    AREA(21) = kDoorArea_ft2 * static_cast<REAL>(l.doors.south);
    AREA(23) = kDoorArea_ft2 * static_cast<REAL>(l.doors.north);
}

struct FacadeRatios {
    REAL WestRatio = 0.0125f;  // glass over floor area
    REAL EastRatio = 0.0125f;
    REAL NorthRatio = 0.025f;
};

// Glass of the efficient dwelling's other facades by its attachment.
FacadeRatios efficient_ratios(REAL S7, REAL S9, REAL CODEMAX, REAL SouthGLZ) {
    FacadeRatios r;  // single-family: also the default for codes the table does not list
    if ((S7 == 2.0f && S9 <= 1.0f) || S7 >= 4.0f) {
        r = FacadeRatios{0.0f, 0.0f, 0.0375f};
    } else if (S7 == 2.0f && S9 == 2.0f) {
        r = FacadeRatios{0.0f, 0.0125f, 0.0375f};
    } else if (S7 == 2.0f && S9 == 3.0f) {
        r = FacadeRatios{0.0125f, 0.0f, 0.0375f};
    } else if (S7 == 3.0f) {
        r = FacadeRatios{0.0f, 0.0f, 0.0f};
    } else {
        // The code's glass the south does not take goes north.
        const REAL x = CODEMAX / AREAT - (SouthGLZ + 0.05f);
        if (x > 0.0f) r.NorthRatio = x + 0.025f;
    }
    return r;
}

void efficient_distribution(INTEGER k, const Walls& w, REAL CODEMAX) {
    REAL avwntr = 100.0f;
    for (INTEGER m = 1; m <= 12; ++m) avwntr = std::min(avwntr, (TMAX(m) + TMIN(m)) * 0.5f);
    DBG_FLOAT("avwntr temp in GLZAR", avwntr);
    REAL SouthGLZ = south_glass_fraction(avwntr, SLAT);
    DBG_FLOAT("SouthGLZ percent of floor GLZAR", SouthGLZ);

    const REAL perlimit = FLTOCE > 0.0f ? kWindowHead_ft / FLTOCE * 0.85f * 100.0f : kMostGlassOfAFacade_pct;
    DBG_FLOAT("perlimit in GLZAR 306", perlimit);
    const REAL south_pct = percent_of(SouthGLZ * AREAT, w.WS);
    if (south_pct < perlimit) {
        PERCNT(1) = south_pct;
    } else {
        PERCNT(1) = perlimit;
        SouthGLZ = perlimit / 100.0f * w.WS / AREAT;
    }
    if (k == 1) return;

    const FacadeRatios r = efficient_ratios(STRATEGY(7, k), STRATEGY(9, k), CODEMAX, SouthGLZ);
    const OutsideDoors doors = outside_doors(STRATEGY(7, k));
    const REAL south_door_ft2 = kDoorArea_ft2 * static_cast<REAL>(doors.south);
    const REAL north_door_ft2 = kDoorArea_ft2 * static_cast<REAL>(doors.north);
    DBG_FLOAT("WestRatio  in GLZAR 369", r.WestRatio);
    DBG_FLOAT("EastRatio  in GLZAR", r.EastRatio);
    // The total is scheme 1's glass and doors.
    const REAL scheme1_ft2 = scheme1_glass_and_doors_ft2();
    const REAL Sch1glassRatio = scheme1_ft2 / AREAT;
    const REAL SouthGLZmax = std::max(0.0f, Sch1glassRatio - r.WestRatio - r.EastRatio - r.NorthRatio);
    const REAL SouthRatio = std::min(SouthGLZmax, SouthGLZ);
    const REAL NorthRatio = std::max(0.0f, Sch1glassRatio - SouthRatio - r.EastRatio - r.WestRatio);
    DBG_FLOAT("NorthRatio  in GLZAR", NorthRatio);
    PERCNT(1) = percent_of(SouthRatio * AREAT + south_door_ft2, w.WS);
    PERCNT(2) = percent_of(r.WestRatio * AREAT, w.WE);
    PERCNT(3) = percent_of(NorthRatio * AREAT + north_door_ft2, w.WS);
    PERCNT(4) = percent_of(r.EastRatio * AREAT, w.WE);
    PERCNT(5) = 0.0f;

    // The south takes what is left of scheme 1's glass.
    const REAL door_ft2 = south_door_ft2 + north_door_ft2;
    const REAL SFglassSch1 = scheme1_ft2 - door_ft2;
    const REAL others_ft2 =
        (PERCNT(2) * w.WE + PERCNT(3) * w.WS + PERCNT(4) * w.WE + PERCNT(5) * AREAT) / 100.0f;
    const REAL present_ft2 = PERCNT(1) * w.WS / 100.0f + others_ft2 - door_ft2;
    REAL MaxSouthArea = std::min(SFglassSch1, present_ft2) + door_ft2 - others_ft2;
    DBG_FLOAT("MaxSouthArea in GLZAR", MaxSouthArea);
    // Whatever the other facades took, the south keeps its door.
    MaxSouthArea = std::max(MaxSouthArea, south_door_ft2);
    PERCNT(1) = percent_of(MaxSouthArea, w.WS);
}

// The code-minimum window list of the house the current scheme describes,
// laid out as scheme 1's design lays it out, on copies: every block is put
// back as it was, and nothing is saved.
REAL code_minimum_glass_and_doors_ft2() {
    return taken_with_blocks_put_back([] {
        const INTEGER k = IDNUM1;
        for (INTEGER row = 1; row <= 310; ++row) STRATEGY(row, 1) = STRATEGY(row, k);
        if (STRATEGY(7, 1) <= 1.0f) STRATEGY(9, 1) = 0.0f;  // a detached house shares no wall
        IDNUM1 = 1;
        NFLAG(8) = true;
        BLDGSZ();
        GLZVAL();
        lay_out_window_list();
        // Summed as the summary column sums the glazing items (row 2).
        return AREA(1) + AREA(2) + AREA(3) + AREA(4) + AREA(5);
    });
}

}  // namespace

REAL scheme1_glass_and_doors_ft2() {
    if (SUMARY(2, 1) > 0.0f) return SUMARY(2, 1);
    const REAL total_ft2 = code_minimum_glass_and_doors_ft2();
    DBG_FLOAT("GLZAR: scheme 1 not designed yet, its code window list's glass+door area", total_ft2);
    return total_ft2;
}

REAL south_glass_fraction(REAL A, REAL L) {
    // Rows by the coldest month's mean temperature (F), columns by
    // latitude: L <= 36, <= 40, <= 44, <= 56, above 56.
    constexpr REAL kByWinter[5][5] = {
        {0.24f, 0.25f, 0.29f, 0.31f, 0.10f},  // A <= 20
        {0.22f, 0.23f, 0.28f, 0.28f, 0.28f},  // A <= 25
        {0.19f, 0.20f, 0.20f, 0.24f, 0.24f},  // A <= 30
        {0.16f, 0.17f, 0.19f, 0.21f, 0.21f},  // A <= 35
        {0.13f, 0.14f, 0.16f, 0.17f, 0.17f},  // A <= 40
    };
    if (A > 40.0f) {  // mild winters: the bounds close from below
        if (L < 40.0f) return 0.10f;
        if (L < 44.0f) return 0.11f;
        if (L < 48.0f) return 0.12f;
        return 0.13f;
    }
    const int row = A <= 20.0f ? 0 : A <= 25.0f ? 1 : A <= 30.0f ? 2 : A <= 35.0f ? 3 : 4;
    const int col = L <= 36.0f ? 0 : L <= 40.0f ? 1 : L <= 44.0f ? 2 : L <= 56.0f ? 3 : 4;
    return kByWinter[row][col];
}

void GLZAR() {
    DBG_IN("GLZAR");
    const INTEGER k = IDNUM1;
    for (INTEGER i = 21; i <= 25; ++i) {
        AREA(i) = 0.0f;
        PERCNT(i) = 0.0f;
    }
    if (!has_scheme_column(k)) {
        DBG_ERROR("GLZAR: scheme has no parameter column, glazing kept");
        DBG_OUT("GLZAR");
        return;
    }
    // The code's glass is a share of the floor area; without floor area a
    // dwelling keeps the glazing it has.
    if (is_residential_type(NTYPE) && AREAT > 0.0f) {
        const Walls w = gross_walls();
        const REAL CODEMAX = CECRESA(8, code_zone()) / 100.0f * AREAT;
        DBG_FLOAT("CODEMAX glass of code GLZAR", CODEMAX);
        if (!NFLAG(9) || NFLAG(8)) code_distribution(k, w, CODEMAX);
        else efficient_distribution(k, w, CODEMAX);
        AREA(1) = PERCNT(1) * w.WS / 100.0f;
        AREA(2) = PERCNT(2) * w.WE / 100.0f;
        AREA(3) = PERCNT(3) * w.WS / 100.0f;
        AREA(4) = PERCNT(4) * w.WE / 100.0f;
        SUMARY(2, k) = AREA(1) + AREA(2) + AREA(3) + AREA(4);
    }
    if (k == 1) SUMARY(2, 1) = AREA(1) + AREA(2) + AREA(3) + AREA(4);
    DBG_FLOAT("Sumary(2,1) total glass+door area", SUMARY(2, 1));
    for (INTEGER K = 1; K <= 5; ++K) {
        DBG_INT("Windor number in GLZAR", K);
        DBG_FLOAT("AREA(K) in GLZAR", AREA(K));
        DBG_FLOAT("PERCNT(K) in GLZAR", PERCNT(K));
        DBG_INT("  Door number in GLZAR", K + 20);
        DBG_FLOAT("AREA(K+20) in GLZAR", AREA(K + 20));
    }
    DBG_OUT("GLZAR");
}

void GLZVAL() {
    DBG_IN("GLZVAL");
    for (INTEGER i = 1; i <= 5; ++i) PERCNT(i) = 0.0f;
    if (NFLAG(24) && NTYPE < 16) nonresidential_percentages(code_zone());
    GLZAR();

    if (NTYPE == kTrombeWall) {
        PERCNT(1) = 100.0f;
        PERCNT(2) = PERCNT(3) = PERCNT(4) = PERCNT(5) = 0.0f;
    } else if (NTYPE == kSunspace) {
        PERCNT(1) = PERCNT(2) = PERCNT(4) = PERCNT(5) = 100.0f;
        PERCNT(3) = 0.0f;
    }
    // Row houses, apartments, the trombe wall and the sunspace take their
    // glass as laid out; other buildings keep east and west glass, which the
    // low morning and evening sun overheats, to no more than the north's,
    // and the south below 83 percent.
    const bool type_limits = !(NTYPE == kTrombeWall || NTYPE == kSunspace || NTYPE == 17 || NTYPE == 18 || NTYPE == 19);
    if (type_limits) {
        PERCNT(1) = std::min(kMostSouthGlass_pct, PERCNT(1));
        PERCNT(2) = std::min(PERCNT(2), PERCNT(3));
        PERCNT(4) = std::min(PERCNT(4), PERCNT(3));
    }
    for (INTEGER i = 1; i <= 4; ++i) PERCNT(i) = std::clamp(PERCNT(i), 0.0f, 100.0f);

    DBG_INT("NTYPE in GLZVAL", NTYPE);
    if (NFLAG(90)) {
        for (INTEGER i = 1; i <= 12; ++i) {
            const std::string n = std::to_string(i);
            DBG_FLOAT("PERCNT(" + n + ") in GLZVAL", PERCNT(i));
            DBG_FLOAT("AREA(" + n + ") in GLZVAL", AREA(i));
        }
    }
    DBG_FLOAT("PERCNT(1) south glazing GLZVAL", PERCNT(1));
    DBG_FLOAT("PERCNT(8) north wall GLZVAL", PERCNT(8));
    DBG_OUT("GLZVAL");
}

}  // namespace mavo
