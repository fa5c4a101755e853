// The window, door and skylight list of a generated scheme.
#pragma once
#include "support/types.h"

namespace mavo {

// Turns the facade glazing percentages of scheme IDNUM1 into its window
// table (BLK15): lines of identical windows, doors and skylights with size,
// sill, U-factor, SHGC and visible transmittance, the south overhang of the
// efficient scheme; reduces the walls by the openings, stores the lines in
// the scheme's window groups, writes the area-weighted glazing properties
// per facade into BLK4, and saves the strategy file, the scheme input file
// and, in non-residential mode, the schedule file.
void GLZSHD();

// GLZSHD without its saves: the window table and the facades of scheme
// IDNUM1 in the blocks only. The caller has checked the column, type and
// stories.
void lay_out_window_list();

// Size and number of the identical windows of one facade line.
struct WindowCount {
    REAL width_ft = 0.0f;
    REAL sill_ft = 0.0f;
    INTEGER count = 0;
    REAL unit_area_ft2 = 0.0f;  // (head - sill) x width of one window
};

// The windows that hold goal_ft2 of glass under a head at head_ft, starting
// from width_ft and sill_ft: at least two of them, taking no more than 80
// percent of the facade's length per story; narrower and higher windows are
// tried until two fit, and a last single small window stands for a goal too
// small for two. A goal of no glass gives no window.
WindowCount count_windows(REAL goal_ft2, REAL facade_length_ft, REAL floors, REAL head_ft, REAL width_ft,
                          REAL sill_ft);

// Glazing of an existing building by its year built (the vintage table):
// U-factor, SHGC and visible transmittance, and the code stored for it.
struct VintageGlazing {
    REAL u = 0.0f;
    REAL shgc = 0.0f;
    REAL tvis = 0.0f;
    REAL code = 0.0f;  // -1, -2 or -22
};
VintageGlazing vintage_glazing(REAL year_built, INTEGER zone, bool residential);

}  // namespace mavo
