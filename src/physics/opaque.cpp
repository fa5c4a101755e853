// OPAQUE: the hour's conduction through the opaque envelope. Walls and roof
// go by their total equivalent temperature difference (sol-air mean of the
// day plus the damped swing of an earlier hour); the roof then gets the
// ceiling U-factor of the hour from the attic model; the floor, slab and
// basement couple the space to the outdoor air and to the ground.
#include "physics/opaque.h"

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/opaque_steps.h"
#include "physics/physics.h"
#include "physics/sol_air.h"
#include "physics/solar_geometry.h"

namespace mavo {
namespace opaque_steps {

REAL scheme_code(INTEGER row) { return has_scheme_column(IDNUM1) ? STRATEGY(row, IDNUM1) : 0.0f; }

bool in_trace_window() { return NFLAG(90) && IWHEN1 <= IWHEN && IWHEN <= IWHEN2; }

}  // namespace opaque_steps

namespace {

using namespace opaque_steps;

// The labelled lines of OPAQUE are tied to a window that no hour stamp
// (month x 10000 + day x 100 + hour) falls in: first stamp above the last.
constexpr INTEGER kTraceWindowFirst = 9999991;
constexpr INTEGER kTraceWindowLast = 80713;

// Wall or roof `itemn` (6..10, face itemn - 5): refreshes the face's
// sol-air temperature of the hour, writes HEAT(itemn) with the stored
// U-factor and returns the TETD, F.
REAL wall_or_roof(INTEGER month, INTEGER ihour, INTEGER mnth, INTEGER itemn) {
    const INTEGER face = itemn - 5;
    // The lagged hour reads the working copy: hours of the same day hold
    // the value computed at that hour, hours that wrap to the day before
    // hold yesterday's value. Only the current hour is refreshed below.
    // On the run's first hour the face has no day before in this run: SATS
    // computes its whole day, and the lag reads that day, as the warm-up's
    // later passes over it do; never the day an earlier run left in the
    // scheme file.
    const bool day_before_known = sol_air_day_known(face);
    for (INTEGER h = 1; h <= 24; ++h) SATEMP(h) = SATEMS(h, face);
    SATS(mnth, ihour, itemn);
    if (day_before_known) {
        SATEMP(ihour) = SATEMS(ihour, face);
    } else {
        for (INTEGER h = 1; h <= 24; ++h) SATEMP(h) = SATEMS(h, face);
    }
    if (in_trace_window()) {
        DBG_INT("itemn in OPAQUE 252", itemn);
        DBG_FLOAT("  SATEMP(IHOUR) in OPAQUE 252", SATEMP(ihour));
        DBG_FLOAT("  AVSOL in OPAQUE 252", AVSOL(face));
    }
    REAL tetd_F = 0.0f;
    TETDS(itemn, ihour, AVSOL(face), tetd_F);
    HEAT(itemn, ihour, month) = AREA(itemn) * tetd_F * UVAL(itemn);
    return tetd_F;
}

}  // namespace

void OPAQUE(INTEGER MONTH, INTEGER IHOUR) {
    IWHEN1 = kTraceWindowFirst;
    IWHEN2 = kTraceWindowLast;
    if (MONTH < 1 || MONTH > 12 || IHOUR < 1 || IHOUR > 24) {
        DBG_INT("OPAQUE month out of range", MONTH);
        DBG_INT("OPAQUE hour out of range", IHOUR);
        return;
    }
    // Sol-air and ground temperatures are those of the month simulated;
    // HEAT is always written at MONTH.
    const INTEGER mnth = sun_month_of(MONTH);

    REAL roof_tetd_F = 0.0f;
    for (INTEGER itemn = kFirstWall; itemn <= kRoof; ++itemn) {
        if (AREA(itemn) <= 0.0f) continue;
        const REAL tetd_F = wall_or_roof(MONTH, IHOUR, mnth, itemn);
        if (itemn == kRoof) roof_tetd_F = tetd_F;
    }
    roof_and_attic(MONTH, IHOUR, roof_tetd_F);
    floor_slab_basement(MONTH, IHOUR, mnth);

    if (in_trace_window()) {
        DBG_INT("month in OPAQUE at 944", MONTH);
        DBG_INT("  ihour in OPAQUE at 944", IHOUR);
        for (INTEGER c = kFirstWall; c <= kSlabPerimeter; ++c)
            DBG_FLOAT("  HEAT in OPAQUE at 944", HEAT(c, IHOUR, MONTH));
    }
}

}  // namespace mavo
