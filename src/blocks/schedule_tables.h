// Built-in hourly schedules of the non-residential building types, the
// initial contents of SCHEDULES (BLK32AA) and of the default schedule file.
//
// SCHEDULES(p, r, t): p -1 the schedule identifier, 0 the kind of values
// (1 percent, 2 degrees F, 3 on/off as 0 or 1), 1-24 hours 1 to 24 (hour h
// ends at h o'clock), 25 a spare value (always 0); r the row, t the building
// type NTYPE 1-20. Rows by end use:
//    1 occupancy %          7 refrigeration %       13 water-heater tank set point F
//    2 lighting %           8 gas equipment %       14 small exhaust hood %
//    3 plug equipment %     9 heating set point F   15 large exhaust hood %
//    4 HVAC fans on/off    10 cooling set point F   16 process load %
//    5 hot-water draw %        (99 = cooling off)       (IT room, laboratory)
//    6 elevator %          11 infiltration % of full
//                          12 outside-air damper %
// Filled rows: types 1-4, 7, 11, 12, 14, 15 rows 1-13; types 5 and 8 all 16;
// type 10 rows 1-15; type 13 rows 1-11; types 6, 9 and 16-20 none (empty
// rows are all zero, identifier and kind included). The identifier of a
// filled row is 16 x (type - 1) + row, unique in the table.
//
// Sources. The weekday profiles follow the building-type schedules of the
// ASHRAE Standard 90.1 User's Manual (the set used for Appendix G
// baselines): assembly for type 1 (its occupancy row is that table's row
// verbatim), health for 3, retail for 4, office for 7, restaurant for 10,
// warehouse for 11, school for 12 and hotel guest rooms for 14; types the
// manual has no table for take the nearest one and the operating hours of
// the use: one-shift manufacturing for 2, an around-the-clock IT room for 5,
// an office-hours laboratory with continuous exhaust for 8, an open parking
// garage with all-night lighting for 13, hotel lobbies and corridors for 15.
// Hot-water draw rows keep the manual's service-hot-water shapes. Derived
// rows follow the same baseline practice: fans run over the occupied window;
// heating 70 F occupied and 60 F set back, cooling 75 F occupied and 99 F
// (cooling off) outside it, with milder set points where the use asks for it
// (factory, warehouse, IT room, laboratory); infiltration at 25 % of full
// while the fans pressurise the building and 100 % otherwise (the PNNL
// prototype-building convention); refrigeration 100 % open, 80 % closed;
// gas equipment with the plug-equipment shape (restaurant: cooking shape);
// tank set point 140 F, the storage temperature that keeps Legionella in
// check (ASHRAE Guideline 12).
#pragma once

#include "support/farray.h"
#include "support/types.h"

namespace mavo {

using ScheduleTable = FArrayB<INTEGER, Bounds<-1, 25>, Bounds<1, 16>, Bounds<1, 20>>;

namespace schedule_rows {
inline constexpr int kOccupancy = 1;
inline constexpr int kLighting = 2;
inline constexpr int kEquipment = 3;
inline constexpr int kHvacFans = 4;
inline constexpr int kHotWater = 5;
inline constexpr int kElevator = 6;
inline constexpr int kRefrigeration = 7;
inline constexpr int kGasEquipment = 8;
inline constexpr int kHeatingSetpoint = 9;
inline constexpr int kCoolingSetpoint = 10;
inline constexpr int kInfiltration = 11;
inline constexpr int kOutsideAir = 12;
inline constexpr int kTankSetpoint = 13;
inline constexpr int kSmallHood = 14;
inline constexpr int kLargeHood = 15;
inline constexpr int kProcess = 16;

inline constexpr INTEGER kPercent = 1;
inline constexpr INTEGER kDegreesF = 2;
inline constexpr INTEGER kOnOff = 3;

// A cooling set point at or above this value means cooling is scheduled off.
inline constexpr INTEGER kCoolingOff = 99;
}  // namespace schedule_rows

namespace schedule_build {

using namespace schedule_rows;

struct Day {
    INTEGER h[24];
};

// The 24 hourly values of one row; the count is checked when compiling.
template <class... V>
constexpr Day hours(V... v) {
    static_assert(sizeof...(V) == 24, "a day has 24 hourly values");
    return Day{{static_cast<INTEGER>(v)...}};
}

constexpr Day constant(INTEGER value) {
    Day d{};
    for (INTEGER& x : d.h) x = value;
    return d;
}

// `inside` for hours on..off (both included), `outside` for the others.
constexpr Day window(int on, int off, INTEGER inside, INTEGER outside) {
    Day d{};
    for (int hr = 1; hr <= 24; ++hr) d.h[hr - 1] = (hr >= on && hr <= off) ? inside : outside;
    return d;
}

constexpr void put(ScheduleTable& s, int type, int row, INTEGER kind, const Day& d) {
    s(-1, row, type) = 16 * (type - 1) + row;
    s(0, row, type) = kind;
    for (int hr = 1; hr <= 24; ++hr) s(hr, row, type) = d.h[hr - 1];
    s(25, row, type) = 0;
}

// Plant operation of a type: the occupied window (inclusive hours) and the
// set points in and outside it; the fans either follow the window or run
// around the clock.
struct Plant {
    int on;
    int off;
    bool fans_all_day;
    INTEGER heat_occupied;
    INTEGER heat_setback;
    INTEGER cool_occupied;
    INTEGER cool_setup;
};

// Rows 4, 7, 9, 10, 11, 12 and 13, derived from the plant operation.
constexpr void put_plant_rows(ScheduleTable& s, int type, const Plant& p, bool with_tank) {
    const Day fans = p.fans_all_day ? constant(1) : window(p.on, p.off, 1, 0);
    put(s, type, kHvacFans, kOnOff, fans);
    put(s, type, kRefrigeration, kPercent, window(p.on, p.off, 100, 80));
    put(s, type, kHeatingSetpoint, kDegreesF, window(p.on, p.off, p.heat_occupied, p.heat_setback));
    put(s, type, kCoolingSetpoint, kDegreesF, window(p.on, p.off, p.cool_occupied, p.cool_setup));
    Day infiltration{};
    Day outside_air{};
    for (int i = 0; i < 24; ++i) {
        infiltration.h[i] = fans.h[i] != 0 ? 25 : 100;
        outside_air.h[i] = fans.h[i] != 0 ? 100 : 0;
    }
    put(s, type, kInfiltration, kPercent, infiltration);
    put(s, type, kOutsideAir, kPercent, outside_air);
    if (with_tank) put(s, type, kTankSetpoint, kDegreesF, constant(140));
}

// The six profiles every filled type states for itself.
struct Profiles {
    Day occupancy;
    Day lighting;
    Day equipment;
    Day hot_water;
    Day elevator;
    Day gas;
};

constexpr void put_profiles(ScheduleTable& s, int type, const Profiles& p) {
    put(s, type, kOccupancy, kPercent, p.occupancy);
    put(s, type, kLighting, kPercent, p.lighting);
    put(s, type, kEquipment, kPercent, p.equipment);
    put(s, type, kHotWater, kPercent, p.hot_water);
    put(s, type, kElevator, kPercent, p.elevator);
    put(s, type, kGasEquipment, kPercent, p.gas);
}

// A type of thirteen rows whose elevators follow the occupants and whose gas
// equipment follows the plug equipment.
constexpr void put_standard_type(ScheduleTable& s, int type, const Day& occupancy, const Day& lighting,
                                 const Day& equipment, const Day& hot_water, const Plant& plant) {
    put_profiles(s, type, {occupancy, lighting, equipment, hot_water, occupancy, equipment});
    put_plant_rows(s, type, plant, true);
}

// Type 1, theater and auditorium: assembly.
constexpr void theater(ScheduleTable& s) {
    put_standard_type(
        s, 1,
        hours(0, 0, 0, 0, 0, 0, 0, 0, 20, 20, 20, 80, 80, 80, 80, 80, 80, 80, 20, 20, 20, 20, 10, 0),
        hours(5, 5, 5, 5, 5, 5, 5, 5, 40, 40, 40, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 50, 5),
        hours(5, 5, 5, 5, 5, 5, 5, 5, 30, 30, 30, 70, 70, 70, 70, 70, 70, 70, 50, 50, 50, 50, 30, 5),
        hours(0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 30, 30, 30, 30, 30, 30, 30, 15, 15, 15, 15, 5, 0),
        Plant{8, 23, false, 70, 60, 75, kCoolingOff});
}

// Type 2, industrial factory: one shift of manufacturing work, cooler
// heating and warmer cooling set points for active work.
constexpr void factory(ScheduleTable& s) {
    put_standard_type(
        s, 2,
        hours(0, 0, 0, 0, 0, 0, 10, 90, 95, 95, 95, 95, 50, 95, 95, 95, 90, 20, 5, 5, 5, 5, 0, 0),
        hours(5, 5, 5, 5, 5, 5, 30, 90, 95, 95, 95, 95, 80, 95, 95, 95, 90, 40, 10, 10, 10, 10, 5, 5),
        hours(10, 10, 10, 10, 10, 10, 30, 90, 95, 95, 95, 95, 80, 95, 95, 95, 90, 40, 15, 15, 15, 15, 10, 10),
        hours(0, 0, 0, 0, 0, 0, 10, 40, 30, 20, 20, 30, 60, 30, 20, 20, 40, 20, 0, 0, 0, 0, 0, 0),
        Plant{7, 18, false, 65, 55, 78, kCoolingOff});
}

// Type 3, clinic, doctors and dentists: health.
constexpr void clinic(ScheduleTable& s) {
    const Day occupancy =
        hours(0, 0, 0, 0, 0, 0, 0, 10, 50, 80, 80, 80, 80, 80, 80, 80, 80, 50, 30, 30, 0, 0, 0, 0);
    const Day lighting =
        hours(10, 10, 10, 10, 10, 10, 10, 50, 90, 90, 90, 90, 90, 90, 90, 90, 90, 50, 30, 30, 10, 10, 10, 10);
    put_profiles(s, 3,
                 {occupancy, lighting, lighting,
                  hours(0, 0, 0, 0, 0, 0, 0, 15, 55, 65, 75, 80, 70, 80, 75, 70, 60, 40, 20, 20, 0, 0, 0, 0),
                  hours(0, 0, 0, 0, 0, 0, 0, 20, 50, 75, 75, 75, 60, 75, 75, 75, 75, 50, 30, 30, 0, 0, 0, 0),
                  lighting});
    put_plant_rows(s, 3, Plant{7, 20, false, 70, 60, 75, kCoolingOff}, true);
}

// Type 4, store and storefront: retail.
constexpr void store(ScheduleTable& s) {
    put_standard_type(
        s, 4,
        hours(0, 0, 0, 0, 0, 0, 0, 10, 20, 50, 50, 70, 70, 70, 70, 80, 70, 50, 50, 30, 30, 0, 0, 0),
        hours(5, 5, 5, 5, 5, 5, 5, 10, 50, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 60, 60, 20, 5, 5),
        hours(5, 5, 5, 5, 5, 5, 5, 10, 40, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 60, 60, 20, 5, 5),
        hours(4, 5, 5, 4, 4, 4, 4, 15, 23, 32, 41, 57, 62, 61, 50, 45, 46, 47, 42, 34, 33, 23, 13, 8),
        Plant{8, 21, false, 70, 60, 75, kCoolingOff});
}

// Type 5, data center: the IT load (process row) runs at full power around
// the clock and the room is held in the recommended inlet band (64.4 to
// 80.6 F, ASHRAE TC 9.9); kitchen hoods idle.
constexpr void data_center(ScheduleTable& s) {
    const Day occupancy =
        hours(10, 10, 10, 10, 10, 10, 10, 30, 50, 50, 50, 50, 50, 50, 50, 50, 50, 30, 10, 10, 10, 10, 10, 10);
    const Day equipment =
        hours(40, 40, 40, 40, 40, 40, 40, 60, 90, 90, 90, 90, 90, 90, 90, 90, 90, 60, 40, 40, 40, 40, 40, 40);
    put_profiles(
        s, 5,
        {occupancy,
         hours(50, 50, 50, 50, 50, 50, 50, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 50, 50, 50, 50, 50, 50),
         equipment, hours(0, 0, 0, 0, 0, 0, 0, 20, 30, 30, 30, 50, 60, 40, 30, 30, 30, 20, 0, 0, 0, 0, 0, 0),
         occupancy, equipment});
    put_plant_rows(s, 5, Plant{1, 24, true, 65, 65, 80, 80}, true);
    put(s, 5, kSmallHood, kPercent, constant(0));
    put(s, 5, kLargeHood, kPercent, constant(0));
    put(s, 5, kProcess, kPercent, constant(100));
}

// Type 7, office building: office.
constexpr void office(ScheduleTable& s) {
    const Day occupancy =
        hours(0, 0, 0, 0, 0, 0, 10, 20, 95, 95, 95, 95, 50, 95, 95, 95, 95, 30, 10, 10, 10, 10, 5, 5);
    const Day equipment =
        hours(40, 40, 40, 40, 40, 40, 40, 40, 90, 90, 90, 90, 80, 90, 90, 90, 90, 50, 40, 40, 40, 40, 40, 40);
    put_profiles(s, 7,
                 {occupancy,
                  hours(5, 5, 5, 5, 5, 10, 10, 30, 90, 90, 90, 90, 80, 90, 90, 90, 90, 50, 30, 30, 20, 20, 10, 5),
                  equipment,
                  hours(5, 5, 5, 5, 5, 8, 7, 19, 35, 38, 39, 47, 57, 54, 34, 33, 44, 26, 21, 15, 17, 8, 5, 5),
                  hours(0, 0, 0, 0, 0, 0, 0, 35, 69, 43, 37, 43, 58, 48, 37, 37, 46, 62, 12, 4, 4, 0, 0, 0),
                  equipment});
    put_plant_rows(s, 7, Plant{7, 22, false, 70, 60, 75, kCoolingOff}, true);
}

// Type 8, laboratory: office hours, fume-hood exhaust and process
// equipment that never stop, so the fans run around the clock with a
// mild set-back.
constexpr void laboratory(ScheduleTable& s) {
    const Day occupancy =
        hours(0, 0, 0, 0, 0, 0, 10, 30, 90, 90, 90, 90, 50, 90, 90, 90, 90, 30, 10, 10, 10, 5, 0, 0);
    const Day equipment =
        hours(50, 50, 50, 50, 50, 50, 60, 70, 90, 90, 90, 90, 80, 90, 90, 90, 90, 70, 60, 60, 60, 50, 50, 50);
    put_profiles(s, 8,
                 {occupancy,
                  hours(10, 10, 10, 10, 10, 10, 30, 50, 90, 90, 90, 90, 80, 90, 90, 90, 90, 50, 30, 30, 30, 20, 10, 10),
                  equipment,
                  hours(5, 5, 5, 5, 5, 8, 7, 19, 35, 38, 39, 47, 57, 54, 34, 33, 44, 26, 21, 15, 17, 8, 5, 5),
                  occupancy, equipment});
    put_plant_rows(s, 8, Plant{7, 19, true, 70, 64, 75, 80}, true);
    put(s, 8, kSmallHood, kPercent, window(8, 18, 100, 40));
    put(s, 8, kLargeHood, kPercent, window(8, 18, 100, 40));
    put(s, 8, kProcess, kPercent, window(8, 18, 100, 70));
}

// Type 10, restaurant with kitchen: restaurant; the dishwashing hood
// follows the hot-water draw, the cooking hood the gas cooking.
constexpr void restaurant(ScheduleTable& s) {
    const Day lighting =
        hours(15, 15, 15, 15, 15, 20, 40, 40, 60, 60, 60, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 50, 30);
    const Day occupancy = hours(0, 0, 0, 0, 0, 0, 5, 5, 5, 5, 20, 50, 80, 70, 40, 20, 25, 50, 80, 80, 80, 50, 35, 10);
    const Day hot_water =
        hours(0, 0, 0, 0, 0, 0, 10, 15, 20, 20, 30, 50, 70, 60, 40, 30, 30, 50, 70, 70, 70, 50, 40, 20);
    const Day cooking = hours(0, 0, 0, 0, 0, 0, 30, 40, 40, 40, 60, 90, 90, 70, 40, 30, 40, 70, 90, 90, 90, 60, 40, 10);
    put_profiles(s, 10, {occupancy, lighting, lighting, hot_water, occupancy, cooking});
    put_plant_rows(s, 10, Plant{7, 24, false, 70, 60, 75, kCoolingOff}, true);
    put(s, 10, kSmallHood, kPercent, hot_water);
    put(s, 10, kLargeHood, kPercent, cooking);
}

// Type 11, warehouse: warehouse, heated to 60 F only.
constexpr void warehouse(ScheduleTable& s) {
    put_standard_type(
        s, 11,
        hours(0, 0, 0, 0, 0, 0, 15, 70, 90, 90, 90, 50, 85, 85, 85, 85, 30, 10, 5, 5, 5, 5, 0, 0),
        hours(5, 5, 5, 5, 5, 5, 40, 70, 90, 90, 90, 60, 90, 90, 90, 90, 40, 20, 10, 10, 10, 10, 5, 5),
        hours(10, 10, 10, 10, 10, 10, 40, 70, 90, 90, 90, 60, 85, 85, 85, 85, 40, 20, 10, 10, 10, 10, 10, 10),
        hours(0, 0, 0, 0, 0, 0, 10, 40, 30, 20, 20, 50, 30, 20, 20, 20, 30, 10, 0, 0, 0, 0, 0, 0),
        Plant{7, 18, false, 60, 50, 80, kCoolingOff});
}

// Type 12, school classroom: school.
constexpr void school(ScheduleTable& s) {
    put_standard_type(
        s, 12,
        hours(0, 0, 0, 0, 0, 0, 0, 5, 75, 90, 90, 80, 80, 80, 80, 45, 15, 5, 15, 20, 20, 10, 0, 0),
        hours(5, 5, 5, 5, 5, 5, 5, 30, 85, 95, 95, 95, 80, 80, 80, 70, 50, 50, 35, 35, 35, 30, 5, 5),
        hours(10, 10, 10, 10, 10, 10, 10, 30, 80, 90, 90, 90, 80, 80, 80, 70, 50, 40, 30, 30, 30, 20, 10, 10),
        hours(0, 0, 0, 0, 0, 0, 0, 5, 20, 40, 40, 70, 80, 60, 40, 20, 10, 5, 10, 10, 10, 5, 0, 0),
        Plant{7, 22, false, 70, 60, 75, kCoolingOff});
}

// Type 13, parking garage (eleven rows): lights all night, ventilation fans
// in the day, no hot water, refrigeration or gas; unconditioned apart from
// freeze protection, open to the wind at all hours.
constexpr void parking(ScheduleTable& s) {
    const Day occupancy = hours(0, 0, 0, 0, 0, 0, 10, 30, 40, 30, 20, 20, 30, 30, 20, 20, 40, 40, 20, 10, 10, 5, 0, 0);
    put_profiles(s, 13, {occupancy, constant(100), constant(5), constant(0), occupancy, constant(0)});
    put(s, 13, kHvacFans, kOnOff, window(7, 20, 1, 0));
    put(s, 13, kRefrigeration, kPercent, constant(0));
    put(s, 13, kHeatingSetpoint, kDegreesF, constant(40));
    put(s, 13, kCoolingSetpoint, kDegreesF, constant(kCoolingOff));
    put(s, 13, kInfiltration, kPercent, constant(100));
}

// Type 14, hotel guest rooms: hotel/motel, conditioned around the clock.
constexpr void hotel_rooms(ScheduleTable& s) {
    const Day lighting =
        hours(20, 15, 10, 10, 10, 20, 40, 50, 40, 40, 25, 25, 25, 25, 25, 25, 25, 25, 60, 80, 90, 80, 60, 30);
    put_profiles(s, 14,
                 {hours(90, 90, 90, 90, 90, 90, 70, 40, 40, 20, 20, 20, 20, 20, 20, 30, 50, 50, 50, 70, 70, 80, 90, 90),
                  lighting, lighting,
                  hours(20, 15, 15, 15, 20, 35, 55, 65, 65, 55, 45, 40, 30, 30, 30, 30, 40, 55, 60, 50, 55, 55, 45, 25),
                  hours(10, 5, 5, 5, 5, 10, 40, 60, 50, 40, 30, 30, 30, 30, 30, 30, 40, 50, 50, 50, 40, 30, 20, 15),
                  lighting});
    put_plant_rows(s, 14, Plant{1, 24, true, 70, 70, 75, 75}, true);
}

// Type 15, residential common areas: hotel lobbies and corridors, lit and
// conditioned around the clock.
constexpr void residential_common(ScheduleTable& s) {
    const Day occupancy =
        hours(10, 10, 10, 10, 10, 20, 40, 60, 50, 40, 40, 50, 50, 40, 40, 40, 50, 60, 60, 60, 50, 40, 30, 20);
    const Day lighting = hours(50, 50, 50, 50, 50, 70, 100, 100, 100, 100, 100, 100,  //
                               100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 70, 50);
    put_standard_type(
        s, 15, occupancy, lighting,
        hours(20, 20, 20, 20, 20, 30, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 30, 20),
        hours(5, 5, 5, 5, 5, 15, 40, 60, 50, 40, 40, 50, 50, 40, 40, 40, 50, 60, 60, 60, 50, 30, 20, 10),
        Plant{1, 24, true, 70, 70, 75, 75});
}

}  // namespace schedule_build

// SCHEDULES at library load. Types 6 (shopping center), 9 (trombe wall) and
// 16 to 20 (the residential types and the sunspace) carry no schedules.
constexpr ScheduleTable initial_schedules() {
    ScheduleTable s{};
    schedule_build::theater(s);
    schedule_build::factory(s);
    schedule_build::clinic(s);
    schedule_build::store(s);
    schedule_build::data_center(s);
    schedule_build::office(s);
    schedule_build::laboratory(s);
    schedule_build::restaurant(s);
    schedule_build::warehouse(s);
    schedule_build::school(s);
    schedule_build::parking(s);
    schedule_build::hotel_rooms(s);
    schedule_build::residential_common(s);
    return s;
}

}  // namespace mavo
