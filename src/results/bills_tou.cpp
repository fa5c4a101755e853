// Time-of-use electric bill (rate zones 30 and above). Each hour of the day
// belongs to one of four periods by the season's hour list; periods 3 and 1
// share a rate. The customer charge is spread evenly over the hours, and an
// hour's photovoltaic output is credited at the rate of its period.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/bills_steps.h"

namespace mavo {
namespace {

constexpr REAL kHoursPerDay = 24.0f;

// Slot of a period in TOUKWH: winter 1-3, summer 4-6 (period 2, periods 3
// and 1, period 4); 0 for an hour without a period.
int period_slot(INTEGER period, bool winter) {
    int slot = 0;
    if (period == 2) slot = 1;
    else if (period == 3 || period == 1) slot = 2;
    else if (period == 4) slot = 3;
    if (slot == 0) return 0;
    return winter ? slot : slot + 3;
}

REAL slot_rate(int slot) {
    return slot <= 3 ? TOUREC.WINRATES(slot) : TOUREC.SUMRATES(slot - 3);
}

}  // namespace

void bill_time_of_use_month(CostWork& w, INTEGER m) {
    const REAL n = w.RNUMDAYS;
    const REAL charge_per_hour = TOUREC.CUSTCHG / kHoursPerDay;
    const REAL days = static_cast<REAL>(MODAYS(m));
    const FArray<INTEGER, 24>& periods = w.winter ? TOUWLIST : TOUSLIST;
    for (INTEGER h = 1; h <= 24; ++h) {
        const REAL t = TEMPKWHR(h, m);
        const REAL p = PV(h, m);
        const int slot = period_slot(periods(h), w.winter);
        if (slot != 0) {
            const REAL rate = slot_rate(slot);
            // The period's kWh are the month's gross purchase, so that the
            // year's period costs and charges add up to the gross bill.
            TOUKWH(slot) += t * n;
            COSTEL(h, m) = (t - p) * rate + charge_per_hour;
            w.COSTe += (t * rate + charge_per_hour) * n;
        }
        PVKWH(m) += p * days;
        PVKWH(13) += p * days;
        PVDEMAND(m) += t * days;
        PVDEMAND(13) += t * days;
        PVCOST(m) += COSTEL(h, m) * days;
        PVCOST(13) += COSTEL(h, m) * days;
    }
}

void summarize_time_of_use_year() {
    ECHARGW = static_cast<REAL>(EDAYSW) * TOUREC.CUSTCHG;
    ECHARGS = static_cast<REAL>(EDAYSS) * TOUREC.CUSTCHG;
    REAL total = 0.0f;
    for (int slot = 1; slot <= 6; ++slot) {
        const int cost_index = slot <= 3 ? slot : slot + 1;  // TOUCOST(4) is not a period
        TOUCOST(cost_index) = TOUKWH(slot) * slot_rate(slot);
        total += TOUCOST(cost_index);
    }
    TOUCOST(8) = total + ECHARGW + ECHARGS;
    DBG_FLOAT("COST TOUCOST(8)", TOUCOST(8));
}

}  // namespace mavo
