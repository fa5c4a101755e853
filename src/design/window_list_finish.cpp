// GLZSHD, finishing steps: the doors of a dwelling, the table packed to the
// top, and the area-weighted glazing properties per facade.

#include "blocks/blocks.h"
#include "design/design_scheme.h"
#include "design/window_list_steps.h"
#include "front/trace.h"

namespace mavo::window_list {
namespace {

constexpr INTEGER kSouthDoorLine = 2;
constexpr INTEGER kNorthDoorLine = 5;
constexpr INTEGER kLoneNorthDoorLine = 4;
constexpr REAL kDoorU = 0.5f, kDoorShgc = 0.5f;

// The line a door takes: its own, unless a window is there; then the first
// free line after the facade lines, so that no window is lost.
INTEGER line_for_door(INTEGER own_line) {
    if (!(QTY(own_line) > 0.0f)) return own_line;
    for (INTEGER j = 6; j <= kLines; ++j)
        if (!(QTY(j) > 0.0f)) return j;
    return own_line;
}

void door_line(INTEGER j, bool north) {
    clear_line(j);
    QTY(j) = 1.0f;
    FACING(j) = north ? 180.0f : 0.0f;
    ITEMS(j) = north ? 3 : 1;
    HEAD(j) = kDoorHeight_ft;
    SILL(j) = 0.0f;
    TILT(j) = 90.0f;
    WIDTH(j) = kDoorWidth_ft;
    UWINDO(j) = kDoorU;
    SCOEF(j) = kDoorShgc;
    TRANS(j) = 0.0f;  // marks a door
    SKY(j) = GROUND(j) = 0.5f;
    IPOINT(j) = j;
    LINEXTRA1(j) = 90.0f;
    LINEXTRA2(j) = 100.0f;
}

// Detached and party-wall houses: the west, north and east lines move down
// one line so that line 2 takes the south door.
void shift_lines_for_doors(const Context& c) {
    if (!(c.S7 == 1.0f || c.S7 == 2.0f)) return;
    copy_line(4, 6);
    IPOINT(6) = 6;
    copy_line(3, 4);
    IPOINT(4) = 4;
    copy_line(2, 3);
    IPOINT(3) = 3;
    clear_line(2);
}

// The scheme's own doors only: a north door line without a north door
// would be door area that no facade and no glazing total counts.
void door_lines(const Context& c) {
    if (c.DoorsS < 1 && c.DoorsN < 1) return;
    if (c.DoorsS == 0 && c.DoorsN == 1) {
        door_line(line_for_door(kLoneNorthDoorLine), true);
        return;
    }
    if (c.DoorsS >= 1) door_line(line_for_door(kSouthDoorLine), false);
    if (c.DoorsN >= 1) door_line(line_for_door(kNorthDoorLine), true);
}

// Lines with units move up to fill the gaps; a moved line's window group
// is rewritten, a line that keeps its number keeps its group.
void pack_lines(INTEGER k) {
    INTEGER LAST = 0;
    for (INTEGER j = 1; j <= kLines; ++j) {
        if (!(QTY(j) > 0.0f && (HEAD(j) - SILL(j)) * WIDTH(j) * QTY(j) > 0.0f)) continue;
        ++LAST;
        if (LAST == j) continue;
        copy_line(j, LAST);
        IPOINT(LAST) = LAST;
        QTY(j) = 0.0f;
        const INTEGER g = 60 + 10 * (LAST - 1);
        STRATEGY(g + 1, k) = static_cast<REAL>(ITEMS(LAST));
        STRATEGY(g + 2, k) = QTY(LAST);
        STRATEGY(g + 3, k) = WIDTH(LAST);
        STRATEGY(g + 4, k) = HEAD(LAST) - SILL(LAST);
        STRATEGY(g + 5, k) = SILL(LAST);
        STRATEGY(g + 6, k) = OHANGD(LAST);
        STRATEGY(g + 7, k) = OHANGDIS(LAST);
    }
    DBG_INT("LAST its new column at bottom of GLZSHD", LAST);
}

}  // namespace

void finish_residential_lines(const Context& c) {
    shift_lines_for_doors(c);
    door_lines(c);
    pack_lines(c.k);
}

void clear_empty_lines() {
    for (INTEGER j = 1; j <= kLines; ++j)
        if (!(QTY(j) > 0.0f)) clear_line(j);
}

void area_weighted_glazing() {
    DBG_PRINT("Find Area Weighted Averages for Surface Area screen");
    for (INTEGER f = 1; f <= 5; ++f) {
        REAL area_ft2 = 0.0f, ua = 0.0f, ta = 0.0f, sa = 0.0f;
        for (INTEGER j = 1; j <= kLines; ++j) {
            if (!(QTY(j) > 0.0f) || ITEMS(j) != f) continue;
            const REAL a = (HEAD(j) - SILL(j)) * WIDTH(j) * QTY(j);
            area_ft2 += a;
            ua += UWINDO(j) * a;
            ta += TRANS(j) * a;
            sa += SCOEF(j) * a;
        }
        UVAL(f) = ABSORB(f) = SC(f) = 0.0f;
        if (area_ft2 > 0.0f) {
            UVAL(f) = ua / area_ft2;
            ABSORB(f) = ta / area_ft2;  // the visible transmittance of the facade's glazing
            SC(f) = sa / area_ft2;
        }
    }
}

}  // namespace mavo::window_list
