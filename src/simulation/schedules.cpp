// SCHEDS: the lights-on schedule of the day.
#include "simulation/schedules.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr INTEGER kLightingRow = 2;        // row of the lighting percent in the schedule table
constexpr REAL kPercent = 100.0f;
constexpr REAL kFirstHour = 1.0f;
constexpr REAL kLastHour = 24.0f;
constexpr REAL kRelativeToSunOffset = 25.0f;  // 25 = at sunrise or sunset, 26 = one hour after

void set_lights(INTEGER first, INTEGER last, REAL fraction) {
    // Only hours of the day can be lit: an end that resolves outside 1 to 24
    // (a sun-relative end on a day without sunrise or sunset) lights the
    // hours of the window that do lie in the day.
    for (INTEGER h = std::max(first, 1); h <= std::min(last, 24); ++h) SCHED(1, h) = fraction;
}

bool within_day(REAL hour) { return hour >= kFirstHour && hour <= kLastHour; }

// An on-hour above 24 counts from sunset (25 = at sunset), one of 0 or less
// is that many hours before sunset.
REAL resolved_on_hour(REAL on) {
    if (on > kLastHour) on = on - kRelativeToSunOffset + SUNSET;
    if (on <= 0.0f) on = SUNSET - std::fabs(on);
    return on;
}

// An off-hour of 0 or less is that many hours before sunrise, one above 24
// counts from sunrise (25 = at sunrise).
REAL resolved_off_hour(REAL off) {
    if (off <= 0.0f) off = SUNRISE - std::fabs(off);
    if (off > kLastHour) off = off - kRelativeToSunOffset + SUNRISE;
    return off;
}

void residential_window() {
    for (INTEGER h = 1; h <= 24; ++h) SCHED(1, h) = 0.0f;
    if (!within_day(HRLITEON) || !within_day(HRLITEOFF)) {
        // Stored back: a window given relative to the sun is resolved on the
        // first simulated day and kept for the rest of the run.
        HRLITEON = resolved_on_hour(HRLITEON);
        HRLITEOFF = resolved_off_hour(HRLITEOFF);
    }
    const INTEGER on = int_toward_zero(HRLITEON);
    const INTEGER off = int_toward_zero(HRLITEOFF);
    if (on <= off) {
        set_lights(on, off, 1.0f);
    } else {
        // The window spans midnight.
        if (off > 0) set_lights(1, off, 1.0f);
        if (on < 25) set_lights(on, 24, 1.0f);
    }
}

bool measured_data_at_full_schedule() {
    if (!NFLAG(36)) return false;
    return (ITEM == 13 && FIELDCODE >= 4) || ((ITEM == 14 || ITEM == 15) && FIELDCODE >= 1);
}

}  // namespace

bool building_type_has_schedules() { return NTYPE >= 1 && NTYPE <= 20; }

REAL schedule_value(INTEGER row, INTEGER IHOUR) {
    if (!building_type_has_schedules() || row < 1 || row > 16 || IHOUR < 1 || IHOUR > 24) return 0.0f;
    return static_cast<REAL>(SCHEDULES(IHOUR, row, NTYPE));
}

void SCHEDS(INTEGER /*MONTH*/) {
    if (NFLAG(24)) {
        if (!building_type_has_schedules() && NFLAG(90)) DBG_INT("ERROR SCHEDS NTYPE not 1-20, lights off", NTYPE);
        for (INTEGER h = 1; h <= 24; ++h) SCHED(1, h) = schedule_value(kLightingRow, h) / kPercent;
        return;
    }
    if (NFLAG(46) && IDNUM1 >= 3) {
        // Ventilation test cases: the house has no lighting.
        for (INTEGER h = 1; h <= 24; ++h) SCHED(1, h) = 0.0f;
        return;
    }
    if (measured_data_at_full_schedule()) {
        SCHED.fill(1.0f);
        return;
    }
    residential_window();
}

}  // namespace mavo
