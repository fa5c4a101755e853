// PERSNS and TOTALS: the people gain of the hour and the sum of the hour's
// sixteen heat-flow components.
#include "simulation/occupants.h"

#include <algorithm>

#include "blocks/blocks.h"
#include "simulation/schedules.h"
#include "simulation/simulation.h"

namespace mavo {
namespace {

constexpr INTEGER kOccupancyRow = 1;  // row of the occupancy percent in the schedule table
constexpr REAL kPercent = 100.0f;
// The residential profile OCCPROF holds each hour's share of the day's
// occupancy (it sums to 1); times 24 it is a multiplier of the mean hour,
// and 0.6515625 scales the full occupant load TOLOAD to the mean occupancy
// of a home.
constexpr REAL kResidentialMeanOccupancy = 0.6515625f;
constexpr REAL kHoursPerDay = 24.0f;

constexpr INTEGER kPeopleComponent = 15;
constexpr INTEGER kTotalComponent = 17;

}  // namespace

void PERSNS(INTEGER MONTH, INTEGER IHOUR) {
    if (NFLAG(46) && IDNUM1 >= 3) return;
    if (NFLAG(24)) {
        const REAL occupancy_pct = schedule_value(kOccupancyRow, IHOUR);
        HEAT(kPeopleComponent, IHOUR, MONTH) = TOLOAD * occupancy_pct / kPercent;
        OCCPROF(IHOUR) = occupancy_pct / kPercent;
        return;
    }
    HEAT(kPeopleComponent, IHOUR, MONTH) = TOLOAD * OCCPROF(IHOUR) * kResidentialMeanOccupancy * kHoursPerDay;
}

void TOTALS(INTEGER MONTH, INTEGER IHOUR) {
    // An unoccupied building has no people gain, whatever the scheme's
    // results file held in its component.
    const bool occupied = PEOPLE > 0.0f;
    REAL sum_btuh = 0.0f;
    for (INTEGER c = 1; c < kTotalComponent; ++c) {
        if (c == kPeopleComponent && !occupied) continue;
        const REAL v = HEAT(c, IHOUR, MONTH);
        PKGAIN = std::max(PKGAIN, v);
        PKLOSS = std::min(PKLOSS, v);
        sum_btuh = sum_btuh + v;
    }
    HEAT(kTotalComponent, IHOUR, MONTH) = sum_btuh;
}

}  // namespace mavo
