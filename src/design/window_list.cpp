// GLZSHD: the window, door and skylight list of a generated scheme.
//
// Each facade with glass gets one line of identical windows whose number
// and size hold the facade's glass; dwellings use fixed lines 1 to 5 (south,
// west, north, east, skylight) and add their doors afterwards, other
// buildings number their lines in turn with a door line after the south
// and the north windows. The glazing is the code's for the code-minimum
// scheme, the better or the climate's for the efficient one, and the glass
// of its year for an existing building.
#include "design/window_list.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "design/design_scheme.h"
#include "design/glazing_areas.h"
#include "design/overhang.h"
#include "design/window_list_steps.h"
#include "front/trace.h"
#include "physics/dwelling_facades.h"
#include "project/project.h"
#include "project/revision.h"
#include "support/numeric.h"

namespace mavo {
namespace window_list {
namespace {

constexpr INTEGER kSouth = 1, kNorth = 3, kSkylight = 5;
// A line without known glazing: single glass at its worst.
constexpr REAL kUnknownU = 1.99f, kUnknownShgc = 0.99f, kUnknownTvis = 0.99f;
constexpr REAL kLineAux1 = 90.0f, kLineAux2 = 100.0f;

// Folds an azimuth into (-180, 180].
REAL folded_azimuth(REAL deg) {
    if (deg > 180.0f) return deg - 360.0f;
    if (deg <= -180.0f) return deg + 360.0f;
    return deg;
}

// The code slot of window group `group` in the scheme's own column; the
// group of a line is its line number.
void set_group_code(INTEGER group, INTEGER k, REAL code) { STRATEGY(60 + 10 * (group - 1), k) = code; }

void set_glazing(INTEGER j, REAL u, REAL shgc, REAL tvis) {
    UWINDO(j) = u;
    SCOEF(j) = shgc;
    TRANS(j) = tvis;
}

// U-factor, SHGC and transmittance of a type of the era table; false when
// the era or type has no row there (a user-defined type is negative).
bool glazing_of_table(INTEGER era, INTEGER type, INTEGER j) {
    if (era < 1 || era > 6 || type < 1 || type > 9) {
        DBG_INT("glazing era outside the table GLZSHD", era);
        DBG_INT("glazing type outside the table GLZSHD", type);
        return false;
    }
    set_glazing(j, NRGLAZING(era, 1, type), NRGLAZING(era, 2, type), NRGLAZING(era, 3, type));
    return true;
}

// Default head, sill and width of the building type.
void opening_defaults(Context& c) {
    const REAL ceiling_ft = DVALUE(11, NTYPE);
    c.HEADX = ceiling_ft;
    if (c.residential && ceiling_ft >= 8.0f) c.HEADX = kDoorHeight_ft;
    c.SILLX = 2.67f;
    if (NTYPE == 4 || NTYPE == 6) c.SILLX = 1.5f;    // shop windows
    if (NTYPE == 2 || NTYPE == 11) c.SILLX = 8.0f;   // clerestories of factories and warehouses
    if (ceiling_ft < 8.0f) c.SILLX = 0.0f;
    c.WIDTHX = (EWDIM <= 12.0f || NSDIM <= 12.0f) ? 2.0f : 3.0f;
    if (NTYPE == 9 || NTYPE == 20) {  // the trombe wall and the sunspace are glazed whole
        c.SILLX = 0.0f;
        c.HEADX = FLTOFL;
        c.WIDTHX = EWDIM;
    }
}

// The year that decides the glazing.
REAL glazing_year(const Context& c) {
    if (c.residential) return c.k == 2 ? STRATEGY(11, 2) : kYearOfCurrentCode;
    const REAL y = STRATEGY(11, c.k);
    if (c.k == 1 || y <= kYearNotGiven) return kYearOfCurrentCode;
    return std::min(y, kYearOfCurrentCode);
}

void residential_glazing(const Context& c, INTEGER j, REAL year) {
    if (c.k == 1) {
        // The zone's code glazing, as code 25 stands for it whenever the
        // scheme is loaded again.
        const design_codes::GlazingValues g = design_codes::residential_code_glazing(c.z);
        set_glazing(j, g.u, g.shgc, g.vt);
        STRATEGY(60, c.k) = 25.0f;
    } else if (c.k == 2 && year >= kYearOfCurrentCode) {
        if (NFLAG(75)) {  // high-mass design: low-gain glass
            set_glazing(j, 0.3f, 0.25f, 0.52f);
            STRATEGY(60, c.k) = 24.0f;
        } else {
            set_glazing(j, 0.32f, 0.46f, 0.58f);
            STRATEGY(60, c.k) = 29.0f;
        }
    } else if (c.k == 2 && STRATEGY(6, 2) >= 2.0f) {
        const VintageGlazing v = vintage_glazing(year, c.z, true);
        set_glazing(j, v.u, v.shgc, v.tvis);
        set_group_code(j, c.k, v.code);
    }
}

void nonresidential_glazing(const Context& c, INTEGER f, INTEGER j, REAL year) {
    if (c.k == 1 || c.k == 2) {
        // An older building's glass, new or existing: the era's glass of its
        // year, as the transfer gives it on every later run.
        if (c.k == 2 && ERA >= 1 && ERA <= 3) {
            const VintageGlazing v = vintage_glazing(year, c.z, false);
            set_glazing(j, v.u, v.shgc, v.tvis);
            set_group_code(j, c.k, v.code);
            return;
        }
        if (glazing_of_table(ERA, WTYPE, j)) set_group_code(j, c.k, -41.0f);
        QTY(j) = 1.0f;
        IPOINT(j) = j;
    } else if (f == kSkylight) {
        STYPE = 5;
        if (glazing_of_table(ERA, 5, j)) set_group_code(j, c.k, -45.0f);
        FACING(j) = 0.0f;
        TILT(j) = 0.0f;
        SKY(j) = 1.0f;
        GROUND(j) = 0.0f;
        QTY(j) = 1.0f;
        IPOINT(j) = j;
    }
}

// Size and count of the line's windows, and the facade's
// glass and wall.
void size_line(Context& c, INTEGER f, INTEGER j) {
    REAL head_ft = 0.0f, sill_ft = 0.0f, width_ft = 0.0f;
    if (f < kSkylight) {
        head_ft = c.HEADX;
        sill_ft = c.SILLX;
        width_ft = NTYPE < 16 ? 6.0f : c.WIDTHX;
    } else {
        TILT(j) = 0.0f;
        SKY(j) = 1.0f;
        GROUND(j) = 0.0f;
        // Skylight side by the roof it sits in.
        const REAL roof_ft2 = AREA(10);
        REAL side_ft = 0.0f;
        if (roof_ft2 > 2000.0f) side_ft = 4.0f;
        else if (roof_ft2 > 16.0f) side_ft = 2.0f;
        else if (roof_ft2 > 4.0f) side_ft = 1.17f;
        else if (roof_ft2 > 1.0f) side_ft = 0.5f;
        head_ft = side_ft;
        c.HEADX = side_ft;
        width_ft = NTYPE < 16 ? 6.0f : side_ft;
    }
    if (c.k == 2 && NFLAG(9) && f == kSouth) {
        width_ft = 6.0f;
        if (NTYPE >= 16) sill_ft = 2.0f;
    }
    HEAD(j) = head_ft;

    const REAL wall_ft2 = AREA(f + 5);
    const REAL facade_length_ft = wall_ft2 / (FLOORS * FLTOFL);
    REAL goal_ft2 = 0.0f;
    if (!c.residential) {
        goal_ft2 = wall_ft2 * PERCNT(f) / 100.0f;
    } else {
        const REAL along_ft = (f == 2 || f == 4) ? NSDIM : EWDIM;
        goal_ft2 = PERCNT(f) * along_ft * FLTOFL * FLOORS / 100.0f;
        if (f == kSouth) goal_ft2 -= kDoorArea_ft2 * static_cast<REAL>(c.DoorsS);
        if (f == kNorth) goal_ft2 -= kDoorArea_ft2 * static_cast<REAL>(c.DoorsN);
    }
    // A wall shared with a neighbour takes no window.
    if (!(wall_ft2 > 0.0f)) {
        AREA(f) = 0.0f;
        PERCNT(f) = 0.0f;
        return;
    }
    const WindowCount n = count_windows(goal_ft2, facade_length_ft, FLOORS, head_ft, width_ft, sill_ft);
    DBG_INT("IQty at 555", n.count);
    QTY(j) = static_cast<REAL>(n.count);
    WIDTH(j) = n.width_ft;
    SILL(j) = n.sill_ft;
    AREA(f) = n.unit_area_ft2 * static_cast<REAL>(n.count);
    if (c.residential) {
        PERCNT(f) = std::min(100.0f, AREA(f) / wall_ft2 * 100.0f);
        PERCNT(f + 5) = 100.0f - PERCNT(f);
        AREA(f + 5) = wall_ft2 * (100.0f - PERCNT(f)) / 100.0f;
    } else {
        // Another building's runs sum the facade again from its lines, the
        // gross as its glass and wall: the shares are theirs.
        AREA(f + 5) = std::max(0.0f, wall_ft2 - AREA(f));
        facade_shares(f, AREA(f) + AREA(f + 5));
    }
    DBG_FLOAT("QTY(j)=IQTY end of DO k=1,5 623", QTY(j));
}

// One facade's window line j: orientation, glazing, windows.
void window_line(Context& c, INTEGER f, INTEGER j) {
    FACING(j) = folded_azimuth(static_cast<REAL>((f - 1) * 90) + SFACES);
    ITEMS(j) = f;
    TILT(j) = 90.0f;
    SKY(j) = GROUND(j) = 0.5f;
    set_glazing(j, kUnknownU, kUnknownShgc, kUnknownTvis);
    LINEXTRA1(j) = kLineAux1;
    LINEXTRA2(j) = kLineAux2;

    const REAL year = glazing_year(c);
    if (c.residential) residential_glazing(c, j, year);
    else nonresidential_glazing(c, f, j, year);

    HEAD(j) = SILL(j) = WIDTH(j) = QTY(j) = 0.0f;
    OHANGD(j) = OHANGDIS(j) = 0.0f;
    FINLDEP(j) = FINLDIS(j) = FINRDEP(j) = FINRDIS(j) = 0.0f;
    if (!(UWINDO(j) > 0.0f)) {  // no glazing known for the era: no windows
        DBG_INT("window line without U-factor GLZSHD", j);
        return;
    }
    size_line(c, f, j);
}

// A non-residential door line after the south or north windows.
void nonresidential_door_line(const Context& c, INTEGER f, INTEGER j) {
    const REAL year = glazing_year(c);
    DTYPE = 8;
    if (c.k == 2 && year > kYearNotGiven && year < kYearOfCurrentCode) {
        // An older building's door, as the transfer gives it on every
        // later run of its era.
        ERA = year < 1978.0f ? 1 : 3;
        DBG_PRINT(ERA == 1 ? "PRE-CODE" : "EARLY-CODE");
        const design_codes::GlazingValues g = design_codes::vintage_door(ERA, year);
        set_glazing(j, g.u, g.shgc, g.vt);
    } else {
        DBG_PRINT("CURRENT-CODE");
        ERA = 4;
        glazing_of_table(4, 8, j);
    }
    // The group of a generated door says it is a door (type 8): a window
    // code left in the group by the building type's defaults would turn it
    // into a window at the next run.
    set_group_code(j, c.k, -48.0f);
    QTY(j) = 1.0f;
    FACING(j) = f == kNorth ? 180.0f : 0.0f;
    ITEMS(j) = f;
    HEAD(j) = kDoorHeight_ft;
    SILL(j) = 0.0f;
    TILT(j) = 90.0f;
    WIDTH(j) = kDoorWidth_ft;
    SKY(j) = GROUND(j) = 0.5f;
    IPOINT(j) = j;
    LINEXTRA1(j) = kLineAux1;
    LINEXTRA2(j) = kLineAux2;
    const INTEGER g = 60 + 10 * (j - 1);
    STRATEGY(g + 2, c.k) = 1.0f;
    STRATEGY(g + 4, c.k) = kDoorHeight_ft;
    STRATEGY(g + 5, c.k) = 0.0f;

    AREA(f) += kDoorArea_ft2;
    AREA(f + 5) = std::max(0.0f, AREA(f + 5) - kDoorArea_ft2);
    facade_shares(f, AREA(f) + AREA(f + 5));
}

void lay_out_facades(Context& c) {
    INTEGER j = 0;
    for (INTEGER f = 1; f <= 5; ++f) {
        if (c.residential) {
            window_line(c, f, f);
            continue;
        }
        const REAL facade_wall_ft2 = AREA(f + 5);
        // A wall shared with a neighbour takes no window: no glass share.
        if (!(facade_wall_ft2 > 0.0f)) {
            PERCNT(f) = 0.0f;
            continue;
        }
        if (PERCNT(f) > 0.0f) window_line(c, f, ++j);
        const bool door = (f == kSouth && c.DoorsS >= 1) || (f == kNorth && c.DoorsN >= 1);
        if (door && AREA(f + 5) > 0.0f) nonresidential_door_line(c, f, ++j);
    }
}

// The efficient dwelling's north windows resized so that its glass
// and doors equal scheme 1's.
void north_glass_of_scheme1(const Context& c) {
    const REAL north_wall_ft2 = (AREA(8) > 0.0f || AREA(3) > 0.0f) ? EWDIM * FLTOFL * FLOORS : 0.0f;
    const REAL scheme1_ft2 = scheme1_glass_and_doors_ft2();
    REAL N_ft2 = std::max(0.0f, scheme1_ft2 - kDoorArea_ft2 * static_cast<REAL>(c.DoorsS + c.DoorsN) -
                                   (AREA(1) + AREA(2) + AREA(4)));
    N_ft2 = std::min(N_ft2, 0.8f * north_wall_ft2);
    const REAL a_ft2 = (HEAD(3) - SILL(3)) * WIDTH(3);
    INTEGER IQTY = a_ft2 > 0.0f ? int_toward_zero(N_ft2 / a_ft2) : 0;
    const REAL widest_ft = 0.95f * north_wall_ft2 / FLOORS;
    if (WIDTH(3) > 0.0f && static_cast<REAL>(IQTY) * WIDTH(3) > widest_ft)
        IQTY = int_toward_zero(widest_ft / WIDTH(3));
    DBG_INT("IQTY if garage reduces width avail", IQTY);
    AREA(3) = a_ft2 > 0.0f ? a_ft2 * static_cast<REAL>(IQTY) : 0.0f;
    QTY(3) = static_cast<REAL>(IQTY);
}

}  // namespace

void save_scheme() {
    AADISK(6);
    KEEP2(1);
    if (NFLAG(24)) KEEPSCHED();
}

bool any_line() {
    for (INTEGER j = 1; j <= kLines; ++j)
        if (QTY(j) > 0.0f) return true;
    return false;
}

void clear_line(INTEGER j) {
    for (auto* a : {&FACING, &FINLDEP, &FINLDIS, &FINRDEP, &FINRDIS, &GROUND, &HEAD, &OHANGD, &OHANGDIS, &QTY,
                    &RNIGHT, &SCOEF, &SILL, &SKY, &TILT, &TRANS, &UWINDO, &WIDTH, &LINEXTRA1, &LINEXTRA2,
                    &SHADEFLG, &OHANGLEX, &OHANGREX})
        (*a)(j) = 0.0f;
    IPOINT(j) = 0;
    ITEMS(j) = 0;
    ITEMSII(j) = 0;  // nor the kind of a line another design had here
}

void copy_line(INTEGER from, INTEGER to) {
    for (auto* a : {&FACING, &FINLDEP, &FINLDIS, &FINRDEP, &FINRDIS, &GROUND, &HEAD, &OHANGD, &OHANGDIS, &QTY,
                    &RNIGHT, &SCOEF, &SILL, &SKY, &TILT, &TRANS, &UWINDO, &WIDTH, &LINEXTRA1, &LINEXTRA2,
                    &SHADEFLG, &OHANGLEX, &OHANGREX})
        (*a)(to) = (*a)(from);
    IPOINT(to) = IPOINT(from);
    ITEMS(to) = ITEMS(from);
}

}  // namespace window_list

WindowCount count_windows(REAL goal_ft2, REAL facade_length_ft, REAL floors, REAL head_ft, REAL width_ft,
                          REAL sill_ft) {
    WindowCount tried{width_ft, sill_ft, 0, (head_ft - sill_ft) * width_ft};
    if (!(goal_ft2 > 0.0f)) return tried;  // no glass wanted on the facade
    auto count_for = [&](WindowCount& w) {
        w.count = w.unit_area_ft2 > 0.0f ? int_toward_zero(goal_ft2 / w.unit_area_ft2) : 0;
        // Windows take no more than 80 percent of the facade's length per story.
        while (w.count > 2 && static_cast<REAL>(w.count) * w.width_ft / floors >= 0.8f * facade_length_ft)
            --w.count;
    };
    auto accepted = [](const WindowCount& w) { return w.count >= 2 && w.width_ft >= 0.5f; };
    count_for(tried);
    if (accepted(tried)) return tried;
    // Narrower and higher windows, until two of them hold the goal.
    constexpr REAL kRetries[14][2] = {{3.0f, 2.67f}, {3.0f, 3.17f}, {2.5f, 3.17f}, {2.5f, 3.67f}, {2.5f, 3.67f},
                                      {2.5f, 4.17f}, {2.0f, 4.17f}, {2.0f, 4.67f}, {1.5f, 4.67f}, {1.5f, 5.17f},
                                      {1.0f, 5.17f}, {1.0f, 5.67f}, {1.0f, 6.17f}, {0.5f, 6.17f}};
    for (const auto& retry : kRetries) {
        WindowCount next{retry[0], retry[1], 0, (head_ft - retry[1]) * retry[0]};
        if (!(next.unit_area_ft2 > 0.0f)) return tried;  // the sill reached the head
        count_for(next);
        tried = next;
        if (accepted(tried)) return tried;
    }
    return WindowCount{0.5f, 6.17f, 1, (head_ft - 6.17f) * 0.5f};
}

VintageGlazing vintage_glazing(REAL year_built, INTEGER zone, bool residential) {
    if (year_built > kYearNotGiven && year_built < 1992.0f) return {1.27f, 0.75f, 0.77f, -1.0f};
    if (year_built >= 1992.0f && year_built < 2004.0f) return {0.81f, 0.61f, 0.65f, -2.0f};
    // From 2004 (and for a year not given) by climate zone: U-factor, then
    // SHGC = transmittance for dwellings and for other buildings.
    constexpr REAL kByZone[16][3] = {
        {0.57f, 0.67f, 0.67f}, {0.57f, 0.67f, 0.40f}, {0.67f, 0.67f, 0.67f}, {0.67f, 0.67f, 0.40f},
        {0.67f, 0.67f, 0.67f}, {0.67f, 0.67f, 0.67f}, {0.67f, 0.40f, 0.40f}, {0.67f, 0.40f, 0.40f},
        {0.67f, 0.40f, 0.40f}, {0.57f, 0.40f, 0.40f}, {0.57f, 0.40f, 0.40f}, {0.57f, 0.40f, 0.40f},
        {0.57f, 0.40f, 0.40f}, {0.57f, 0.40f, 0.40f}, {0.57f, 0.40f, 0.40f}, {0.55f, 0.67f, 0.67f},
    };
    const INTEGER z = (zone >= 1 && zone <= 16) ? zone : 9;
    table_reads::note("VINTAGEGLAZING", 1, z);
    table_reads::note("VINTAGEGLAZING", residential ? 2 : 3, z);
    const REAL gain = kByZone[z - 1][residential ? 1 : 2];
    return {kByZone[z - 1][0], gain, gain, -22.0f};
}

void lay_out_window_list() {
    using namespace window_list;
    Context c;
    c.k = IDNUM1;
    DBG_PRINT("k=1,5: GLZSHD called by Expert for Schemes 1,2");
    if (CECZONE < 1 || CECZONE > 16) {
        DBG_INT("CECZONE outside 1-16 set to 9 GLZSHD", CECZONE);
        CECZONE = 9;
    }
    c.z = CECZONE;
    c.residential = !NFLAG(24);
    c.S7 = STRATEGY(7, c.k);
    const OutsideDoors doors = outside_doors(c.S7);
    c.DoorsS = doors.south;
    c.DoorsN = doors.north;
    for (INTEGER j = 1; j <= kLines; ++j) clear_line(j);
    opening_defaults(c);

    lay_out_facades(c);
    if (c.residential && c.k >= 2 && NFLAG(9)) north_glass_of_scheme1(c);
    size_south_overhang(c.k);
    if (c.residential) finish_residential_lines(c);
    clear_empty_lines();
    // The lines are numbered, and a dwelling's facades and glazing types
    // settled, as every later load of the scheme settles them, so that the
    // run that generates the scheme simulates what its re-runs simulate.
    number_window_lines();
    if (c.residential) {
        dwelling_facade_areas();
        if (any_line()) mark_glazing_types_custom();
    }
    area_weighted_glazing();
    DBG_FLOAT("WRAPUP Area(8) GLZSHD 1575 at end", AREA(8));
}

void GLZSHD() {
    DBG_IN("GLZSHD");
    if (!has_scheme_column(IDNUM1) || NTYPE < 1 || NTYPE > 20 || !(FLOORS > 0.0f) || !(FLTOFL > 0.0f)) {
        DBG_ERROR("GLZSHD: no scheme column, building type or stories; window list kept");
        DBG_OUT("GLZSHD");
        return;
    }
    lay_out_window_list();
    window_list::save_scheme();
    DBG_OUT("GLZSHD");
}

}  // namespace mavo
