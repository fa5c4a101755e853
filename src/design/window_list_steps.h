// Steps of the window-list builder GLZSHD shared between its source files.
#pragma once
#include "support/types.h"

namespace mavo::window_list {

inline constexpr INTEGER kLines = 25;

// What one call of the builder works with.
struct Context {
    INTEGER k = 0;             // scheme slot
    INTEGER z = 0;             // climate zone, 1-16
    bool residential = true;   // NFLAG(24) false
    REAL S7 = 0.0f;            // attachment code STRATEGY(7,k)
    INTEGER DoorsS = 1;        // 1 when the scheme has a south door
    INTEGER DoorsN = 1;        // 1 when the scheme has a north door
    REAL HEADX = 0.0f;         // default window head, ft
    REAL SILLX = 0.0f;         // default sill, ft
    REAL WIDTHX = 0.0f;        // default width, ft
};

// Every per-line field of line j set to 0.
void clear_line(INTEGER j);
// Every per-line field of line `from` copied onto line `to`.
void copy_line(INTEGER from, INTEGER to);

// Residential finishing: lines shifted to make room for the doors, the door
// lines, the walls net of doors and garage, and the lines packed to the top
// of the table with their window groups.
void finish_residential_lines(const Context& c);
// Lines without units cleared; the area-weighted glazing properties per
// facade into UVAL, SC and ABSORB of items 1 to 5.
void clear_empty_lines();
void area_weighted_glazing();
// A line with units in the table.
bool any_line();
// The strategy file, the scheme input file and, in non-residential mode,
// the schedule file saved with the new window list.
void save_scheme();

}  // namespace mavo::window_list
