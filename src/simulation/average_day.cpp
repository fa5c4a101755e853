// The average day of the month of a 365-day run.
#include "simulation/average_day.h"

#include "blocks/blocks.h"

namespace mavo {
namespace {

constexpr INTEGER kComponents = 17;
constexpr INTEGER kHeatingRow = 18;
constexpr INTEGER kAirChangeRow = 19;
constexpr INTEGER kCoolingRow = 20;
constexpr INTEGER kFanRow = 21;
constexpr INTEGER kLastRow = 23;

}  // namespace

void add_hour_to_average_day(INTEGER MONTH, INTEGER IHOUR, INTEGER days_in_month) {
    // Each day adds its share as it goes, so the month's slot holds the
    // average day when its last day is done.
    const REAL days = static_cast<REAL>(days_in_month);
    OATEMP(IHOUR, MONTH) = OATEMP(IHOUR, MONTH) + TEMP(IHOUR) / days;
    IATEMP(IHOUR, MONTH) = IATEMP(IHOUR, MONTH) + TEMPIN / days;
    for (INTEGER c = 1; c <= kComponents; ++c) HEATAC(c, IHOUR) = HEATAC(c, IHOUR) + HEAT(c, IHOUR, MONTH) / days;
    const REAL hvac_btuh = HVACLD(IHOUR, MONTH);
    if (hvac_btuh < 0.0f) HEATAC(kHeatingRow, IHOUR) = HEATAC(kHeatingRow, IHOUR) + hvac_btuh / days;
    if (hvac_btuh > 0.0f) HEATAC(kCoolingRow, IHOUR) = HEATAC(kCoolingRow, IHOUR) + hvac_btuh / days;
    HEATAC(kAirChangeRow, IHOUR) = HEATAC(kAirChangeRow, IHOUR) + AIRVOL(IHOUR, MONTH) / days;
    HEATAC(kFanRow, IHOUR) = HEATAC(kFanRow, IHOUR) + KWHRFA(IHOUR, MONTH) / days;
}

void close_average_day(INTEGER MONTH, INTEGER days_in_month) {
    const REAL days = static_cast<REAL>(days_in_month);
    for (INTEGER h = 1; h <= 24; ++h) {
        for (INTEGER c = 1; c <= kComponents; ++c) HEAT(c, h, MONTH) = HEATAC(c, h);
        // The month keeps heating and cooling apart: HVACLD its mean heating
        // output, STORED its mean cooling output.
        HVACLD(h, MONTH) = HEATAC(kHeatingRow, h);
        AIRVOL(h, MONTH) = HEATAC(kAirChangeRow, h);
        STORED(h, MONTH) = HEATAC(kCoolingRow, h);
        KWHRFA(h, MONTH) = HEATAC(kFanRow, h);
        for (INTEGER r = 1; r <= kLastRow; ++r) HEATAC(r, h) = 0.0f;
        FREEZHRS(h, MONTH) = FREEZHRS(h, MONTH) / days;
    }
}

}  // namespace mavo
