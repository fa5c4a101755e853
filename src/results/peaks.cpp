// PEAKS and SORT: two reductions of HEAT(17,24,12) for the summary column
// and the host's hourly bar chart.
#include "results/peaks.h"

#include <algorithm>
#include <utility>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "results/result_columns.h"

namespace mavo {
namespace {

constexpr INTEGER kComponents = 17;
constexpr INTEGER kTotal = 17;
constexpr INTEGER kRanked = 16;
constexpr REAL kAxisFloor = -9999.0f;
constexpr REAL kAxisCeiling = 9999.0f;

// Largest and smallest value of each component over the 288 hours; of equal
// values the earliest (month, then hour) is kept. The total's extremes
// carry their month and hour.
void component_extremes() {
    for (INTEGER c = 1; c <= kComponents; ++c) {
        COMPMAX(c) = HEAT(c, 1, 1);
        COMPMIN(c) = HEAT(c, 1, 1);
    }
    MAXMON = MAXHR = MINMON = MINHR = 1;
    for (INTEGER c = 1; c <= kComponents; ++c) {
        for (INTEGER m = 1; m <= 12; ++m) {
            for (INTEGER h = 1; h <= 24; ++h) {
                const REAL q_btuh = HEAT(c, h, m);
                if (q_btuh > COMPMAX(c)) {
                    COMPMAX(c) = q_btuh;
                    if (c == kTotal) {
                        MAXMON = m;
                        MAXHR = h;
                    }
                }
                if (q_btuh < COMPMIN(c)) {
                    COMPMIN(c) = q_btuh;
                    if (c == kTotal) {
                        MINMON = m;
                        MINHR = h;
                    }
                }
            }
        }
    }
}

// A multi-zone combination is heated (cooled) in the hours its most heated
// (cooled) member is: the members' hours overlap, so they are not summed.
// Column k receives the hours of the members named by the digits of
// `members`.
void combination_comfort_hours(INTEGER k, INTEGER members) {
    INTEGER remaining = members;
    REAL heating_h = 0.0f;
    REAL cooling_h = 0.0f;
    do {
        INTEGER member = 0;
        INTEGER power = 0;
        STRIPR(remaining, member, power);
        if (member >= 1 && member <= 9) {
            heating_h = std::max(heating_h, SUMARY(67, member));
            cooling_h = std::max(cooling_h, SUMARY(68, member));
        }
    } while (remaining > 0);
    SUMARY(67, k) = heating_h;
    SUMARY(68, k) = cooling_h;
    DBG_FLOAT("PEAKS combination heating hours", heating_h);
    DBG_FLOAT("PEAKS combination cooling hours", cooling_h);
}

}  // namespace

void PEAKS() {
    DBG_IN("PEAKS");
    component_extremes();
    PKGAIN = COMPMAX(kTotal);
    PKLOSS = COMPMIN(kTotal);
    // PEAKS leaves the extremes of all components in the axis words of the
    // chart block (its TotMax and TotMin); BARHR replaces them.
    BARTOP = kAxisFloor;
    BARBOT = kAxisCeiling;
    for (INTEGER c = 1; c <= kComponents; ++c) {
        BARTOP = std::max(BARTOP, COMPMAX(c));
        BARBOT = std::min(BARBOT, COMPMIN(c));
    }
    DBG_FLOAT("PEAKS PKGAIN", PKGAIN);
    DBG_FLOAT("PEAKS PKLOSS", PKLOSS);

    // A combination number held by a line has its digits as members and
    // the line's column (9 + line). Of the slots only 1 to 9 have a
    // combination line: a marker of 2 or more on any other has no members
    // to read.
    const INTEGER k = IDNUM1;
    if (!has_scheme_column(k)) {
        if (const INTEGER column = summary_column(k); column > 0) combination_comfort_hours(column, k);
    } else if (scheme_code(26) >= 2.0f) {
        if (k >= 1 && k <= 9) {
            combination_comfort_hours(k, NCOMBO(k));
        } else {
            DBG_INT("PEAKS: combination marker on a scheme without a combination line", k);
        }
    }
    DBG_OUT("PEAKS");
}

void SORT(INTEGER IHOUR, INTEGER IMONTH) {
    const REAL scale = IDNUM2 > 0 ? 1.0f : CHARTSCALE;
    if (IMONTH < 1 || IMONTH > 12) {
        // No month to chart (a scheme without a stored peak): empty bars.
        DBG_INT("SORT: month outside 1-12, chart cleared", IMONTH);
        for (INTEGER c = 1; c <= kComponents; ++c) {
            BARPAIRS(1, c) = 0.0f;
            BARPAIRS(2, c) = static_cast<REAL>(c);
        }
        return;
    }
    for (INTEGER c = 1; c <= kComponents; ++c) {
        REAL q_btuh = 0.0f;
        if (IHOUR >= 1 && IHOUR <= 24) {
            q_btuh = HEAT(c, IHOUR, IMONTH);
        } else {
            for (INTEGER h = 1; h <= 24; ++h) q_btuh += HEAT(c, h, IMONTH);
            q_btuh = q_btuh / 24.0f;
        }
        BARPAIRS(1, c) = q_btuh * scale;
        BARPAIRS(2, c) = static_cast<REAL>(c);
    }
    // Adjacent exchange until a pass swaps nothing: equal values keep their
    // component order; the total (pair 17) stays last.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (INTEGER i = 1; i < kRanked; ++i) {
            if (BARPAIRS(1, i + 1) > BARPAIRS(1, i)) {
                std::swap(BARPAIRS(1, i), BARPAIRS(1, i + 1));
                std::swap(BARPAIRS(2, i), BARPAIRS(2, i + 1));
                swapped = true;
            }
        }
    }
}

}  // namespace mavo
