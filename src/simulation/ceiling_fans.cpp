// Step 3.3 of the zone balance and the effective temperature. Ceiling fans
// leave the air temperature alone; they raise the air speed, which lowers
// the temperature occupants feel. While that effective temperature stays at
// or below the cooling set point the hour needs no air conditioning.
#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "simulation/zone_balance.h"

namespace mavo {
namespace zone {
namespace {

constexpr REAL kStillAir_fpm = 40.0f;
constexpr REAL kLowSpeed_fpm = 160.0f;   // low-speed fans (air-speed class 2)
constexpr REAL kHighSpeed_fpm = 300.0f;  // high-speed fans (class 3) and the table's end
constexpr REAL kLowSpeedDrop_F = 4.6f;
constexpr REAL kHighSpeedDrop_F = 6.6f;
// Air a ceiling fan moves, cfm per fan, at low and high speed.
constexpr REAL kLowSpeedFan_cfm = 3000.0f;
constexpr REAL kHighSpeedFan_cfm = 5000.0f;
// One fan per person, or per 200 ft2 of floor (standard fans, code 10);
// 1.5 per person, or one per 300 ft2 (large fans, code 11).
constexpr REAL kFloorPerFan_ft2 = 200.0f;
constexpr REAL kFloorPerLargeFan_ft2 = 300.0f;
constexpr REAL kLargeFansPerPerson = 1.5f;
constexpr REAL kWattsPerKilowatt = 1000.0f;

// The step's own coarse rule: the full drop of the speed class.
REAL effective_temperature_for_decision(REAL t_F, REAL air_speed_fpm) {
    if (air_speed_fpm <= kStillAir_fpm) return t_F;
    if (air_speed_fpm <= kLowSpeed_fpm) return t_F - kLowSpeedDrop_F;
    return t_F - kHighSpeedDrop_F;
}

}  // namespace

REAL effective_temperature_drop_F(REAL air_speed_fpm) {
    if (air_speed_fpm <= kStillAir_fpm) return 0.0f;
    if (air_speed_fpm <= kLowSpeed_fpm)
        return kLowSpeedDrop_F * (air_speed_fpm - kStillAir_fpm) / (kLowSpeed_fpm - kStillAir_fpm);
    if (air_speed_fpm <= kHighSpeed_fpm)
        return kLowSpeedDrop_F + 2.0f * (air_speed_fpm - kLowSpeed_fpm) / (kHighSpeed_fpm - kLowSpeed_fpm);
    return kHighSpeedDrop_F;
}

REAL effective_temperature_of_hour(const Hour& z) {
    REAL t_F = TEMPIN;
    if (scheme_choice_magnitude(20) == 6.0f && TEMPIN < z.SETLO) t_F = z.SETLO;
    const REAL venting = scheme_choice_magnitude(25);
    const bool moving_air = venting == 5.0f || venting == 6.0f || venting == 10.0f || venting == 11.0f ||
                            std::fabs(natural_ventilation_in_force()) >= 2.0f;
    if (moving_air) t_F = std::max(TEMPIN - effective_temperature_drop_F(z.PEAKVEL), z.SETLO);
    return t_F;
}

Step ceiling_fans(Hour& z) {
    const REAL fans = scheme_choice(25);
    const REAL air_speed_class = air_speed_class_in_force();
    if ((std::fabs(fans) != 10.0f && std::fabs(fans) != 11.0f) || air_speed_class <= 1.0f)
        return Step::AirConditioning;

    if (air_speed_class == 2.0f) z.PEAKVEL = kLowSpeed_fpm;
    if (air_speed_class == 3.0f) z.PEAKVEL = kHighSpeed_fpm;
    const REAL felt_F = effective_temperature_for_decision(z.TEMPI, z.PEAKVEL);
    CeilFanHrs += 1.0f;

    REAL fan_count = 0.0f;
    if (fans == 10.0f) fan_count = std::min(PEOPLE, AREAT / kFloorPerFan_ft2);
    if (fans == 11.0f) fan_count = std::min(kLargeFansPerPerson * PEOPLE, AREAT / kFloorPerLargeFan_ft2);
    if (air_speed_class == 2.0f) z.KWHRCEIL = fan_count * kLowSpeedFan_cfm * wCFMceil / kWattsPerKilowatt;
    if (air_speed_class == 3.0f) z.KWHRCEIL = fan_count * kHighSpeedFan_cfm * wCFMceil / kWattsPerKilowatt;
    // The comfort table ends at 300 ft/min; faster air feels no cooler.
    z.PEAKVEL = std::clamp(z.PEAKVEL, 0.0f, kHighSpeed_fpm);

    const REAL cooling = scheme_choice_magnitude(20);
    if (felt_F > z.SETHI && cooling >= 2.0f && cooling != 6.0f) return Step::AirConditioning;
    return Step::EndOfHour;
}

}  // namespace zone
}  // namespace mavo
