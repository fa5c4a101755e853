// Floors of the opaque model: a raised floor over a vented crawl space (by
// TETD against the day's air temperatures), a slab on grade (by its
// perimeter F-factor against the month's ground temperature, or by a
// regression on recent outdoor and ground temperatures) and a basement
// (above-grade wall by TETD, buried bands and floor against ever deeper,
// ever steadier temperatures).
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/opaque.h"
#include "physics/opaque_steps.h"
#include "physics/sol_air.h"

namespace mavo {
namespace {

using namespace opaque_steps;

// Row of GROUNDTEMP holding the annual mean ground temperature.
constexpr INTEGER kAnnualGroundRow = 13;
// Ground-temperature set of the zone-16 variant, and the last set there is.
constexpr INTEGER kZone16VariantSet = 17;
constexpr INTEGER kLastGroundSet = 18;
constexpr INTEGER kMountainZone = 16;
// Days in TDAILY's year; its entry k + 365 repeats entry k (k = 1..68).
constexpr INTEGER kDaysPerYear = 365;
// The slab regression's edge zone is a band this wide along the perimeter, ft.
constexpr REAL kSlabEdgeBand_ft = 2.0f;
constexpr REAL kPercent = 100.0f;
// Trace stamps (9 August, 11 h and 12 h) of the F-factor slab.
constexpr INTEGER kSlabTraceStamp1 = 80911;
constexpr INTEGER kSlabTraceStamp2 = 80912;

// Regression coefficients, Btu/h.ft2.F, by insulation step (R 0, 7, 10,
// 12): edge a1..a3 and core b1, b2 of slab type -6; edge c1..c3 and core
// e1, e2 of slab type -7. The edge terms weigh the two-week, monthly-ground
// and annual-ground temperature differences, the core terms the last two.
struct SlabCoefficients {
    REAL a1, a2, a3, b1, b2, c1, c2, c3, e1, e2;
};
constexpr SlabCoefficients kSlabCoefficients[4] = {
    {0.1157f, 0.0664f, 0.0028f, 0.0517f, 0.0257f, 0.2042f, 0.0797f, 0.0014f, 0.055f, 0.0258f},
    {0.0374f, 0.0846f, 0.0105f, 0.0395f, 0.0308f, 0.0728f, 0.0997f, 0.0091f, 0.0428f, 0.0299f},
    {0.0205f, 0.0874f, 0.0131f, 0.0363f, 0.0322f, 0.0441f, 0.1005f, 0.0116f, 0.0395f, 0.0314f},
    {0.0205f, 0.0874f, 0.0131f, 0.0291f, 0.035f, 0.0265f, 0.084f, 0.0198f, 0.0318f, 0.0341f},
};
constexpr REAL kSlabInsulationR[4] = {0.0f, 7.0f, 10.0f, 12.0f};

// Mean of the daily mean outdoor temperatures TDAILY(first..last). TDAILY
// holds days 298-365 ahead of days 1-365, so an entry above 365 names the
// same day as the entry 365 lower; folding every entry into 1..365 keeps a
// late running day inside the table.
REAL mean_of_daily_means(INTEGER first, INTEGER last) {
    REAL sum_F = 0.0f;
    for (INTEGER k = first; k <= last; ++k) {
        const INTEGER entry = ((k - 1) % kDaysPerYear + kDaysPerYear) % kDaysPerYear + 1;
        sum_F += TDAILY(entry);
    }
    return sum_F / static_cast<REAL>(last - first + 1);
}

// Mean of the 24 outdoor temperatures of the day, after copying them into
// the working sol-air table for TETDS.
REAL day_air_into_working_table() {
    REAL sum_F = 0.0f;
    for (INTEGER h = 1; h <= 24; ++h) {
        SATEMP(h) = TEMPS(h);
        sum_F += TEMPS(h);
    }
    return sum_F / 24.0f;
}

// Floor types (STRATEGY(33)) of 10 or more in magnitude are basements,
// except 16 (a slab by F-factor).
bool basement_type(REAL floor_type) {
    const REAL magnitude = std::fabs(floor_type);
    return !(magnitude < 10.0f || magnitude == 16.0f);
}

void raised_floor(INTEGER month, INTEGER ihour) {
    if (AREA(kFloor) <= 0.0f) return;
    TEMPS(ihour) = TEMP(ihour);
    const REAL day_mean_F = day_air_into_working_table();
    if (in_trace_window()) DBG_INT("MONTH in OPAQUE before call TETDS", month);
    REAL tetd_F = 0.0f;
    TETDS(kFloor, ihour, day_mean_F, tetd_F);
    HEAT(kFloor, ihour, month) = AREA(kFloor) * tetd_F * UVAL(kFloor);
}

// Insulation step of the slab regression: one for a zone that requires slab
// insulation, one or two more for insulation levels 6 and 7. A negative
// requirement in the zone table leaves the slab bare whatever the level.
INTEGER slab_insulation_step() {
    const REAL required = CECZONE >= 1 && CECZONE <= 16 ? CECRESA(5, CECZONE) : 0.0f;
    if (required < 0.0f) return 0;
    INTEGER step = required > 0.0f ? 1 : 0;
    const REAL level = scheme_code(30);
    if (level == 6.0f) step += 1;
    if (level == 7.0f) step += 2;
    return step;
}

void slab_by_f_factor(INTEGER month, INTEGER ihour, INTEGER mnth, INTEGER zone) {
    const REAL perimeter_ft = AREA(kSlabPerimeter);
    HEAT(kSlabPerimeter, ihour, month) = perimeter_ft * UVAL(kSlabPerimeter) * (GROUNDTEMP(mnth, zone) - TEMPIN);
    if (IWHEN == kSlabTraceStamp1 || IWHEN == kSlabTraceStamp2) {
        DBG_INT("iwhen in non-standard SLAB in OPAQUE...", IWHEN);
        DBG_FLOAT("Rval(12) slab top of OPAQUE", RVAL(kSlabPerimeter));
        DBG_FLOAT("Uval(12) = FinsSlab", UVAL(kSlabPerimeter));
        DBG_FLOAT("Area(12) = Slab Perimeter", perimeter_ft);
        DBG_FLOAT("    ground temp", GROUNDTEMP(mnth, zone));
        DBG_FLOAT("Heat(12..SLAB ", HEAT(kSlabPerimeter, ihour, month));
    }
}

void slab_by_regression(INTEGER month, INTEGER ihour, INTEGER mnth, INTEGER zone, REAL floor_type) {
    // The two weeks ending two days ago: days DAYCOUNT-15 .. DAYCOUNT-2.
    const REAL two_weeks_F = mean_of_daily_means(DAYCOUNT + 53, DAYCOUNT + 66);
    const REAL d14_F = TEMPIN - two_weeks_F;
    const REAL dmon_F = TEMPIN - GROUNDTEMP(mnth, zone);
    const REAL dann_F = TEMPIN - GROUNDTEMP(kAnnualGroundRow, zone);
    const REAL perimeter_ft = AREA(kSlabPerimeter);
    const REAL edge_ft2 = std::min(kSlabEdgeBand_ft * perimeter_ft, RAX);
    const REAL core_ft2 = std::max(0.0f, RAX - kSlabEdgeBand_ft * perimeter_ft);
    const INTEGER step = slab_insulation_step();
    RVAL(kSlabPerimeter) = slab_regression_insulation_r(step);
    const SlabRegressionFlows q = slab_regression_flows(step, d14_F, dmon_F, dann_F, edge_ft2, core_ft2);

    // Part of a slab may behave as the other type: p percent as type -6.
    // A share above 100 is the whole slab.
    const REAL share_pct = std::min(SLABBLEND, kPercent);
    const REAL blended_btuh = q.q6_btuh * share_pct / kPercent + q.q7_btuh * (1.0f - share_pct / kPercent);
    if (floor_type == -6.0f) {
        HEAT(kSlabPerimeter, ihour, month) = share_pct > 0.0f && share_pct < kPercent ? blended_btuh : q.q6_btuh;
    } else if (floor_type == -7.0f) {
        HEAT(kSlabPerimeter, ihour, month) = share_pct > 0.0f ? blended_btuh : q.q7_btuh;
    }
}

// Ground-temperature set of the slab: the one of the site (ZONE), or the
// zone-16 variant when that is asked for. 0 when the set is not valid.
INTEGER slab_ground_set() {
    INTEGER zone = ZONE;
    if (NFLAG(46) && CECZONE == kMountainZone) zone = kZone16VariantSet;
    if (zone < 1 || zone > kLastGroundSet) {
        DBG_INT("OPAQUE ground-temperature set out of range, ZONE", zone);
        return 0;
    }
    return zone;
}

void basement(INTEGER month, INTEGER ihour, INTEGER mnth) {
    // The basement takes the ground of its climate zone, not the site's set.
    INTEGER zone = CECZONE;
    if (NFLAG(46) && CECZONE == kMountainZone) zone = kZone16VariantSet;
    if (zone < 1 || zone > kLastGroundSet) {
        DBG_INT("OPAQUE basement climate zone out of range, CECZONE", CECZONE);
        return;
    }
    // The shallow band follows the outdoor air of the last week with a lag
    // of two days: days DAYCOUNT-8 .. DAYCOUNT-2.
    const REAL last_week_F = mean_of_daily_means(DAYCOUNT + 60, DAYCOUNT + 66);
    const REAL day_mean_F = day_air_into_working_table();
    REAL tetd_F = 0.0f;
    TETDS(kBasementAboveGrade, ihour, day_mean_F, tetd_F);
    const REAL above_grade_btuh = AREA(kBasementAboveGrade) * tetd_F * UVAL(kBasementAboveGrade);
    const REAL ground_month_F = GROUNDTEMP(mnth, zone);
    const REAL ground_year_F = GROUNDTEMP(kAnnualGroundRow, zone);

    HEAT(kFloor, ihour, month) = UVAL(kBasementFloor) * AREA(kBasementFloor) * (ground_year_F - TEMPIN);
    HEAT(kSlabPerimeter, ihour, month) = above_grade_btuh +
                                         UVAL(kBasementTo2ft) * AREA(kBasementTo2ft) * (last_week_F - TEMPIN) +
                                         UVAL(kBasement2To4ft) * AREA(kBasement2To4ft) * (ground_month_F - TEMPIN) +
                                         UVAL(kBasementBelow4ft) * AREA(kBasementBelow4ft) * (ground_year_F - TEMPIN);
}

}  // namespace

REAL slab_regression_insulation_r(INTEGER step) { return kSlabInsulationR[std::clamp(step, 0, 3)]; }

SlabRegressionFlows slab_regression_flows(INTEGER step, REAL d14_F, REAL dmon_F, REAL dann_F, REAL edge_ft2,
                                          REAL core_ft2) {
    const SlabCoefficients& k = kSlabCoefficients[std::clamp(step, 0, 3)];
    SlabRegressionFlows q;
    q.q6_btuh = -(k.a1 * d14_F + k.a2 * dmon_F + k.a3 * dann_F) * edge_ft2 - (k.b1 * dmon_F + k.b2 * dann_F) * core_ft2;
    q.q7_btuh = -(k.c1 * d14_F + k.c2 * dmon_F + k.c3 * dann_F) * edge_ft2 - (k.e1 * dmon_F + k.e2 * dann_F) * core_ft2;
    return q;
}

namespace opaque_steps {

void floor_slab_basement(INTEGER month, INTEGER ihour, INTEGER mnth) {
    const REAL floor_type = scheme_code(33);
    if (basement_type(floor_type)) {
        basement(month, ihour, mnth);
        return;
    }
    raised_floor(month, ihour);
    if (AREA(kSlabPerimeter) <= 0.0f) return;
    const INTEGER zone = slab_ground_set();
    if (zone == 0) return;
    if (floor_type == 6.0f || floor_type == 7.0f || floor_type == 16.0f) {
        slab_by_f_factor(month, ihour, mnth, zone);
        return;
    }
    slab_by_regression(month, ihour, mnth, zone, floor_type);
    // Floor type -16 adds the basement bands to the slab.
    if (floor_type <= -10.0f) basement(month, ihour, mnth);
}

}  // namespace opaque_steps
}  // namespace mavo
