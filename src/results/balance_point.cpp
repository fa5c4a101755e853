// BPTEMP: the balance point is where the net heat flow into the zone,
// HEAT(17), crosses zero. Each pair of consecutive hours of a month's day
// (and hour 24 back to hour 1 of the same day) whose flows differ in sign
// gives a crossing; its outdoor temperature is interpolated linearly and
// the lowest crossing of the year is kept.
#include "results/balance_point.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"

namespace mavo {
namespace {

constexpr REAL kNoBalancePoint = 999.9f;
constexpr REAL kFlatFlowBtuh = 0.001f;  // flows this close cannot place a crossing

// Outdoor temperature at which the straight line through (t1, q1) and
// (t2, q2) reaches zero flow; the first hour's temperature when the two
// flows are equal.
REAL zero_flow_temperature(REAL t1_F, REAL q1_btuh, REAL t2_F, REAL q2_btuh) {
    const REAL dq_btuh = q1_btuh - q2_btuh;
    if (std::fabs(dq_btuh) < kFlatFlowBtuh) return t1_F;
    return t1_F + (q1_btuh / dq_btuh) * (t2_F - t1_F);
}

}  // namespace

void BPTEMP() {
    if (NFLAG(36)) {  // measured data: the loads are not the model's
        BALPT = kNoBalancePoint;
        return;
    }
    DBG_IN("BPTEMP");
    REAL lowest_F = kNoBalancePoint;
    for (INTEGER m = 1; m <= 12; ++m) {
        for (INTEGER h = 1; h <= 24; ++h) {
            const INTEGER next = h == 24 ? 1 : h + 1;
            const REAL q1_btuh = HEAT(17, h, m);
            const REAL q2_btuh = HEAT(17, next, m);
            if (q1_btuh * q2_btuh > 0.0f) continue;  // no sign change
            lowest_F = std::min(lowest_F, zero_flow_temperature(OATEMP(h, m), q1_btuh, OATEMP(next, m), q2_btuh));
        }
    }
    BALPT = lowest_F;
    DBG_FLOAT("Final Balance Point in BPTEMP", BALPT);
    DBG_OUT("BPTEMP");
}

}  // namespace mavo
