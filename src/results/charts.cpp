// BARHR, the hourly bar chart of the seventeen heat-flow components at the
// peak cooling and peak heating hours, and BARCHT3D, the chart comparing up
// to nine schemes over up to seventeen summary rows.
#include "results/charts.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "results/peaks.h"
#include "results/result_columns.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr INTEGER kComponents = 17;
constexpr REAL kAxisFloor = -9999.0f;
constexpr REAL kAxisCeiling = 9999.0f;
constexpr INTEGER kChartSets = 15;
constexpr INTEGER kSchemesShown = 9;
constexpr INTEGER kAttributes = 17;
constexpr INTEGER kLabelledRows = 48;
constexpr INTEGER kChartColumns = 20;  // schemes and attributes share the chart's width

// Bar positions of the twelve monthly bars: start columns in words 1-12 and
// end columns in words 55-66 of the parser's integer list.
void set_bar_positions() {
    for (INTEGER i = 1; i <= 12; ++i) {
        ISTPOS(i) = 3 * i - 2;
        ISTPOS(54 + i) = 3 * i + 1;
    }
}

// Value of component c at hour h of month m, scaled; the day's mean when h
// is no hour of the day; 0 when m is no month (nothing was stored).
REAL component_at(INTEGER c, INTEGER h, INTEGER m, REAL scale) {
    if (m < 1 || m > 12) return 0.0f;
    if (h >= 1 && h <= 24) return HEAT(c, h, m) * scale;
    REAL sum_btuh = 0.0f;
    for (INTEGER hh = 1; hh <= 24; ++hh) sum_btuh += HEAT(c, hh, m);
    return sum_btuh / 24.0f * scale;
}

void chart_axis() {
    BARTOP = kAxisFloor;
    BARBOT = kAxisCeiling;
    for (INTEGER i = 1; i <= kComponents; ++i) {  // the 16 ranked values and the total
        BARTOP = std::max(BARTOP, BARPAIRS(1, i));
        BARBOT = std::min(BARBOT, BARPAIRS(1, i));
    }
    for (INTEGER i = 1; i <= kComponents; ++i) {
        BARTOP = std::max(BARTOP, BARPEAK(i));
        BARBOT = std::min(BARBOT, BARPEAK(i));
    }
    const REAL span = std::fabs(BARTOP) + std::fabs(BARBOT);
    BARZERO = span == 0.0f ? 0.5f : std::fabs(BARBOT) / span;
}

// Display code of an attribute by its summary row.
INTEGER attribute_format(INTEGER row) {
    if ((row >= 1 && row <= 7) || (row >= 11 && row <= 13)) return 3;
    if ((row >= 18 && row <= 25) || row == 38 || row == 39) return 16;
    if (row >= 26 && row <= 37) return 4;
    if (row >= 41 && row <= 47) return 6;
    if (row == 48) return 8;
    return 2;
}

// Schemes and combinations in use, at most nine, in slot order and then in
// line order; the chart set's scheme entries follow them.
void select_schemes(INTEGER set) {
    GS_NUMSCHEMES = 0;
    for (INTEGER n = 1; n <= 18 && GS_NUMSCHEMES < kSchemesShown; ++n) {
        const INTEGER own_entry = n <= 9 ? n : n - 9;
        INTEGER id = n <= 9 ? n : NCOMBO(n - 9);
        INTEGER line = 0;
        CHECKR(id, line);
        if (id <= 0) continue;
        const INTEGER p = ++GS_NUMSCHEMES;
        GS_SCHEMEIDS(p) = n;  // the slot, or 9 + the combination line
        GS_SETSCHEMES(p, set) = GS_SETSCHEMES(own_entry, set);
    }
    for (INTEGER p = GS_NUMSCHEMES + 1; p <= kSchemesShown; ++p) GS_SETSCHEMES(p, set) = 0;
}

void select_attributes(INTEGER set) {
    GS_NUMATTRS = 0;
    for (INTEGER r = 1; r <= kAttributes; ++r) {
        const INTEGER row = GS_SETROWS(r, set);
        if (row < 1 || row > kLabelledRows) continue;
        const INTEGER a = ++GS_NUMATTRS;
        GS_ROWS(a) = static_cast<INTEGER2>(row);
        GS_LABELS(a) = BLK42.ROWLABELS(row);
        GS_ATTRFORMAT(a) = attribute_format(row);
    }
}

void fill_values() {
    GS_VALUES.fill(0.0f);
    const INTEGER schemes = std::min(GS_NUMSCHEMES, kSchemesShown);
    for (INTEGER a = 1; a <= GS_NUMATTRS; ++a) {
        for (INTEGER s = 1; s <= schemes; ++s) GS_VALUES(s, a) = SUMARY(GS_ROWS(a), GS_SCHEMEIDS(s));
        // Losses and other negative rows are drawn as positive bars.
        if (GS_VALUES(1, a) < 0.0f) {
            for (INTEGER s = 1; s <= schemes; ++s) GS_VALUES(s, a) = -GS_VALUES(s, a);
        }
    }
    SCREENMODE = 6;
}

}  // namespace

void BARHR() {
    DBG_IN("BARHR");
    ISTPOS(1) = 1;
    ISTPOS(55) = 10;
    const REAL scale = IDNUM2 > 0 ? 1.0f : CHARTSCALE;
    BARHR_STATE.UNITLABEL = scale == 1.0f ? "BTU/HOUR" : "BTU/SF/HR";

    const bool wanted = NFLAG(79) || (IDNUM1 < 10 && (IDNUM2 < 1 || !(NFLAG(35) && NFLAG(55))));
    const INTEGER k = IDNUM1;
    if (!wanted || !is_result_column(k)) {
        if (wanted) DBG_INT("BARHR: no summary column for scheme", k);
        DBG_OUT("BARHR");
        return;
    }

    PEAKS();
    // The bars show the hours of the HVAC peaks that CALBEP stored.
    const INTEGER cool_month = int_toward_zero(SUMARY(30, k));
    const INTEGER cool_hour = int_toward_zero(SUMARY(31, k));
    const INTEGER heat_month = int_toward_zero(SUMARY(27, k));
    const INTEGER heat_hour = int_toward_zero(SUMARY(28, k));
    MAXMON = cool_month;
    MAXHR = cool_hour;
    MINMON = heat_month;
    MINHR = heat_hour;
    DBG_INT("BARHR cooling month", cool_month);
    DBG_INT("BARHR cooling hour", cool_hour);
    DBG_INT("BARHR heating month", heat_month);
    DBG_INT("BARHR heating hour", heat_hour);

    SORT(cool_hour, cool_month);
    for (INTEGER i = 1; i <= kComponents; ++i) {
        const INTEGER c = std::clamp(int_toward_zero(BARPAIRS(2, i)), 1, kComponents);
        BARPEAK(i) = component_at(c, heat_hour, heat_month, scale);
    }
    chart_axis();
    DBG_FLOAT("BARHR BARTOP", BARTOP);
    DBG_FLOAT("BARHR BARBOT", BARBOT);
    DBG_OUT("BARHR");
}

void BARCHT3D() {
    DBG_IN("BARCHT3D");
    NFLAG(51) = false;
    set_bar_positions();
    // Electric heating (resistance or heat pump) reports kWh, fuel therms.
    BLK42.ROWLABELS(21) = COPHT >= 1.0f ? BLK42.LABEL21ELEC : BLK42.LABEL21FUEL;

    GS_SCHEMECOLOR.fill(7);
    for (INTEGER a = 1; a <= kAttributes; ++a) GS_ATTRFORMAT(a) = a;
    if (GS_CHARTSET < 1 || GS_CHARTSET > kChartSets) GS_CHARTSET = 1;
    if (LEVEL < 3) {  // beginners see the first chart set with the first three schemes
        GS_SCHEMEIDS.fill(0);
        GS_SCHEMEIDS(1) = 1;
        GS_SCHEMEIDS(2) = 2;
        GS_SCHEMEIDS(3) = 3;
        GS_CHARTSET = 1;
    }
    const INTEGER set = GS_CHARTSET;
    select_schemes(set);
    select_attributes(set);
    fill_values();

    GS_NUMSCHEMES = std::min(GS_NUMSCHEMES, kSchemesShown);
    if (GS_OPTION1 < 1 || GS_OPTION1 > 5) GS_OPTION1 = 3;
    if (GS_OPTION2 < 1 || GS_OPTION2 > 5) GS_OPTION2 = 5;
    if (GS_NUMATTRS + GS_NUMSCHEMES > kChartColumns) GS_NUMATTRS = kChartColumns - GS_NUMSCHEMES;
    DBG_INT("BARCHT3D schemes", GS_NUMSCHEMES);
    DBG_INT("BARCHT3D attributes", GS_NUMATTRS);
    NFLAG(51) = true;
    DBG_OUT("BARCHT3D");
}

}  // namespace mavo
