// SUMUP: the envelope and design summary of the current scheme. A single
// zone is described from the working blocks; a multi-zone combination sums
// its members' columns and checks that they cover the floor and window
// areas stored for the combination.
#include "results/summary_column.h"

#include <cmath>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "results/design_loads.h"
#include "results/result_columns.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kNoValue = 1.0e10f;              // a combination row without an area to divide by
constexpr REAL kSmallestStoreyFt2 = 48.0f;      // below this per storey AREAT is no real floor area
constexpr REAL kFloorCheckFt2PerStorey = 8.1f;  // members may differ by half a plan cell per storey
constexpr REAL kWindowCheckFt2PerStorey = 8.0f;

REAL& row(INTEGER r, INTEGER k) { return SUMARY(r, k); }

void envelope_areas_and_u(INTEGER k) {
    row(2, k) = AREA(1) + AREA(2) + AREA(3) + AREA(4) + AREA(5);
    row(3, k) = AREA(1);
    row(4, k) = AREA(5) + AREA(10);
    row(5, k) = AREA(1) + AREA(2) + AREA(3) + AREA(4) + AREA(6) + AREA(7) + AREA(8) + AREA(9);
    if (row(4, k) >= 0.01f) row(6, k) = (UVAL(10) * AREA(10) + UVAL(5) * AREA(5)) / row(4, k);
    if (row(5, k) >= 0.01f) {
        REAL ua = 0.0f;
        for (INTEGER i = 1; i <= 4; ++i) ua += UVAL(i) * AREA(i);
        for (INTEGER i = 6; i <= 9; ++i) ua += UVAL(i) * AREA(i);
        row(7, k) = ua / row(5, k);
    }
}

// Average daily internal gain of lights, equipment and people, Btu/day.
// The code-minimum scheme uses the fixed allowance of the residential
// standard instead of its schedules.
void daily_internal_gain(INTEGER k) {
    if (k == 1) {
        TOTALDAYBTU = 15.0f * AREAT + 20000.0f;
        return;
    }
    REAL sum_btu = 0.0f;
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) sum_btu += HEAT(13, h, m) + HEAT(14, h, m) + HEAT(15, h, m);
    TOTALDAYBTU = sum_btu / 12.0f;
}

void single_zone(INTEGER k, REAL marker) {
    ASHRAE();
    for (INTEGER r = 1; r <= 13; ++r) row(r, k) = 0.0f;
    row(1, k) = AREAT;
    // The floor-area back copy, read by the combination check, shares
    // column k + 9 with combination line k: while that line holds a
    // combination, the column is the line's, and its row 1 the line's area.
    const bool line_holds_combination = k <= 9 && NCOMBO(k) != 0;
    if (marker <= 0.0f && !line_holds_combination) SUMARY(1, k + 9) = AREAT;
    envelope_areas_and_u(k);
    row(8, k) = ASLOSS;

    REAL floor_ft2 = AREAT;
    if (FLOORS > 0.0f && AREAT / FLOORS < kSmallestStoreyFt2) floor_ft2 = EWDIM * NSDIM * FLOORS;
    if (floor_ft2 >= 0.0001f) {
        row(9, k) = ASLOSS / floor_ft2;
        row(10, k) = CLC;
        row(11, k) = row(2, k) / floor_ft2 * 100.0f;
        row(12, k) = row(3, k) / floor_ft2 * 100.0f;
        row(13, k) = (row(2, k) - row(3, k)) / floor_ft2 * 100.0f;
    }
    row(14, k) = PKLOSS;
    row(15, k) = PKGAIN;
    row(16, k) = BALPTNOSUN;
    row(17, k) = BALPT;
    daily_internal_gain(k);
    DBG_FLOAT("SUMUP floor area for the ratios", floor_ft2);
    DBG_FLOAT("SUMUP TOTALDAYBTU", TOTALDAYBTU);
}

void zone_check(INTEGER k, REAL floor_sum_ft2, REAL window_sum_ft2) {
    const REAL delta_floor_ft2 = floor_sum_ft2 - SUMARY(1, k + 9);
    NFLAG(47) = std::fabs(delta_floor_ft2) > kFloorCheckFt2PerStorey * FLOORS;
    if (NFLAG(47)) DBG_PRINT("nflag(47)=T, zone floor area.ne.original");
    const REAL delta_window_ft2 = window_sum_ft2 - SUMARY(2, k + 9);
    if (std::fabs(delta_window_ft2) > kWindowCheckFt2PerStorey * FLOORS) NFLAG(48) = true;
    if (NFLAG(48)) DBG_PRINT("nflag(48)=T, zone window area.ne.original 2%");
    DBG_FLOAT("SUMUP SumFloorArea", floor_sum_ft2);
    DBG_FLOAT("SUMUP DeltaF", delta_floor_ft2);
    DBG_FLOAT("SUMUP SumWindowArea", window_sum_ft2);
    DBG_FLOAT("SUMUP DeltaW", delta_window_ft2);
}

// Column k sums the members named by the digits of `members`; a
// multi-zone scheme (`zone_check_wanted`) also checks them against the areas
// stored for it.
void combination(INTEGER k, INTEGER members, bool zone_check_wanted) {
    for (INTEGER r = 2; r <= 17; ++r) row(r, k) = 0.0f;
    INTEGER remaining = members;
    REAL floor_sum_ft2 = 0.0f;
    REAL window_sum_ft2 = 0.0f;
    while (true) {
        INTEGER n = 0;
        INTEGER power = 0;
        STRIPR(remaining, n, power);
        if (n < 1) break;
        if (SUMUP_STATE.NOofZones < 9) SUMUP_STATE.ZONEID(++SUMUP_STATE.NOofZones) = n;
        // A zone's areas and design heat loss are the same whatever days
        // it was simulated over: each member counts whole (a share of the
        // year by its days scaled them, and its U-factors by the inverse).
        for (const INTEGER r : {2, 3, 4, 5, 8}) row(r, k) += row(r, n);
        row(6, k) += row(6, n) * row(4, n);  // U times area, divided by the area below
        row(7, k) += row(7, n) * row(5, n);
        row(10, k) += row(10, n);
        floor_sum_ft2 += row(1, n);
        window_sum_ft2 += row(2, n);
        DBG_INT("SUMUP member", n);
    }
    if (zone_check_wanted) zone_check(k, floor_sum_ft2, window_sum_ft2);
    if (!NFLAG(47)) DBG_PRINT("Nflag(47)=F, OK: zone floorarea = original +/- half cell");
    if (!NFLAG(48)) DBG_PRINT("nflag(48)=F, OK: zone window area=original +/- 2 %");

    row(6, k) = row(4, k) > 0.0f ? row(6, k) / row(4, k) : kNoValue;
    row(7, k) = row(5, k) > 0.0f ? row(7, k) / row(5, k) : kNoValue;
    const REAL area_ft2 = row(1, k);
    if (area_ft2 <= 0.0001f) {
        for (const INTEGER r : {9, 11, 12, 13}) row(r, k) = kNoValue;
    } else {
        row(9, k) = row(8, k) / area_ft2;
        row(11, k) = row(2, k) / area_ft2 * 100.0f;
        row(12, k) = row(3, k) / area_ft2 * 100.0f;
        row(13, k) = (row(2, k) - row(3, k)) / area_ft2 * 100.0f;
    }
    row(14, k) = PKLOSS;
    row(15, k) = PKGAIN;
    // The members' balance points do not make the building's, and the
    // summed hours are no zone's: rows 16 and 17 stay 0 (no result) rather
    // than holding a temperature nobody computed.
}

void finish_column(INTEGER k) {
    if (!NFLAG(38)) {  // the design heat loss is reported for 365-day runs only
        row(8, k) = 0.0f;
        row(9, k) = 0.0f;
    }
    for (INTEGER r = 1; r <= 17; ++r) DBG_FLOAT("SUMUP row", row(r, k));
}

}  // namespace

void SUMUP() {
    DBG_IN("SUMUP");
    SUMUP_STATE = SUMUP_STATE_t{};
    NFLAG(47) = false;
    NFLAG(48) = false;
    NFLAG(49) = false;
    // Scheme slots 1-9 and the default scheme 10 have a summary column of
    // their own; a combination number held by a line has the line's column,
    // which sums its members like a multi-zone scheme (row 1, the summed
    // floor area, as the results read left it).
    const INTEGER k = summary_column(IDNUM1);
    if (k == 0) {
        DBG_INT("SUMUP: no summary column for scheme", IDNUM1);
        DBG_OUT("SUMUP");
        return;
    }
    DBG_INT("SUMUP IDNUM1", IDNUM1);
    if (!has_scheme_column(IDNUM1)) {
        combination(k, IDNUM1, false);
        finish_column(k);
        DBG_OUT("SUMUP");
        return;
    }
    const REAL marker = STRATEGY(26, k);
    DBG_FLOAT("SUMUP combination marker", marker);
    // Only the slots 1-9 have a combination line; the default scheme is
    // always summarised as a single zone.
    if (marker > 1.0f && k <= 9) {
        combination(k, NCOMBO(k), marker >= 2.0f);
    } else {
        single_zone(k, marker);
    }
    finish_column(k);
    DBG_OUT("SUMUP");
}

}  // namespace mavo
