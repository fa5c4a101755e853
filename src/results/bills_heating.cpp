// Electric space heating: the kind of electric heat of a scheme and the kWh
// it draws for the heat it delivers.
#include "results/bills_heating.h"

#include <algorithm>
#include <cmath>

namespace mavo {
namespace {

constexpr REAL kWhPerKwh = 1000.0f;
// Resistance heat turns every Wh into 3.412 Btu.
constexpr REAL kResistanceBtuPerWh = 3.412f;
constexpr REAL kResistanceBtuPerKwh = 3412.0f;
// Stored efficiencies above this are a heat pump's HSPF; plain resistance
// heat is stored as 3.41.
constexpr REAL kHeatPumpAboveBtuPerWh = 3.41f;
constexpr REAL kResistanceCode = 6.0f;
constexpr REAL kFirstHeatPumpCode = 7.0f;
constexpr REAL kLastHeatPumpCode = 9.0f;
constexpr REAL kNoHeatingSystemCode = 1.0f;  // 0 and 1: no heating system

}  // namespace

ElectricHeating electric_heating_kind(REAL heating_code, REAL efficiency_btu_per_wh) {
    // An efficiency below 1 is a fuel furnace's AFUE (billed as fuel); 0 or
    // an unreadable value names no efficiency at all.
    if (!(efficiency_btu_per_wh >= 1.0f)) return ElectricHeating::none;
    const REAL code = std::fabs(heating_code);
    if (!(code > kNoHeatingSystemCode)) return ElectricHeating::none;
    if (code == kResistanceCode && efficiency_btu_per_wh <= kResistanceBtuPerWh) return ElectricHeating::resistance;
    if ((code >= kFirstHeatPumpCode && code <= kLastHeatPumpCode) || efficiency_btu_per_wh > kHeatPumpAboveBtuPerWh)
        return ElectricHeating::heat_pump;
    // Any other system rated in Btu per Wh heats electrically at that rating.
    return ElectricHeating::resistance;
}

REAL electric_heating_kwh(ElectricHeating kind, REAL heating_btu, REAL efficiency_btu_per_wh, REAL freezing_share) {
    switch (kind) {
        case ElectricHeating::none:
            return 0.0f;
        case ElectricHeating::resistance:
            return heating_btu / (efficiency_btu_per_wh * kWhPerKwh);
        case ElectricHeating::heat_pump: {
            // Strip heat backs the heat pump up: no hour is worse than
            // resistance heat, and the cold hours run at it.
            const REAL mild_btu_per_wh = std::max(efficiency_btu_per_wh, kResistanceBtuPerWh);
            const REAL HPHEATKWHRS = heating_btu / (mild_btu_per_wh * kWhPerKwh) * (1.0f - freezing_share);
            const REAL HPFRZKWHRS = heating_btu / kResistanceBtuPerKwh * freezing_share;
            return HPHEATKWHRS + HPFRZKWHRS;
        }
    }
    return 0.0f;
}

}  // namespace mavo
