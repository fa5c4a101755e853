// The sweep's own tables of the building types, the fixed profiles, the
// mains by climate zone, the water heater and a house's thermostat, as the
// README's "Loads, schedules and water heating" section publishes them: a
// run's lights, equipment, occupants, water heating and set points are
// computed from these and from what the run's inputs hold (a house's
// lights, people and hours, a library slot's densities, a heater's draw and
// kind, a weather file's own ground temperatures), never from the kernel's
// tables.
#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>

namespace mavo::sweep::laws {

// One day of hourly values, hour 1 first.
using Day = std::array<double, 24>;

// A day written as runs of hours: {last hour, value}, ...
inline Day runs(std::initializer_list<std::pair<int, double>> list) {
    Day d{};
    int h = 1;
    for (const auto& [last, value] : list)
        for (; h <= last; ++h) d[static_cast<std::size_t>(h - 1)] = value;
    return d;
}

// A building type's loads: per 1000 ft2 and per ft2, and its schedules in
// percent (set points in F, 99 cooling off).
struct TypeTable {
    int type = 0;
    double occupants = 0;      // per 1000 ft2
    double sensible = 0;       // Btu/h a person
    double plugs = 0;          // W/ft2
    double hot_water = 0;      // gal/h a person
    double lighting = 0;       // W/ft2
    double gas = 0;            // Btu/h.ft2
    double refrigeration = 0;  // W/ft2
    Day occupancy, lights, equipment, draw, cold_storage, cooking, heating, cooling;
    double tank = 140;         // the tank's set point, F
};

// The types with loads; every other type is refused (README, "What the
// kernel does not do").
inline const std::array<TypeTable, 9>& type_tables() {
    static const std::array<TypeTable, 9> t = [] {
        std::array<TypeTable, 9> a{};
        auto loads = [](int type, double occupants, double sensible, double plugs, double hot_water,
                        double lighting, double gas, double refrigeration) {
            TypeTable x;
            x.type = type;
            x.occupants = occupants;
            x.sensible = sensible;
            x.plugs = plugs;
            x.hot_water = hot_water;
            x.lighting = lighting;
            x.gas = gas;
            x.refrigeration = refrigeration;
            return x;
        };
        auto plant = [](TypeTable& x, int on, int off, double heat, double setback, double cool) {
            x.cold_storage = runs({{on - 1, 80}, {off, 100}, {24, 80}});
            x.heating = runs({{on - 1, setback}, {off, heat}, {24, setback}});
            x.cooling = runs({{on - 1, 99}, {off, cool}, {24, 99}});
        };
        TypeTable& theater = a[0];
        theater = loads(1, 143, 245, 1.0, 0.09, 1.5, 0, 0);
        theater.occupancy = runs({{8, 0}, {11, 20}, {18, 80}, {22, 20}, {23, 10}, {24, 0}});
        theater.lights = runs({{8, 5}, {11, 40}, {22, 75}, {23, 50}, {24, 5}});
        theater.equipment = runs({{8, 5}, {11, 30}, {18, 70}, {22, 50}, {23, 30}, {24, 5}});
        theater.draw = runs({{8, 0}, {11, 5}, {18, 30}, {22, 15}, {23, 5}, {24, 0}});
        theater.cooking = theater.equipment;
        plant(theater, 8, 23, 70, 60, 75);

        TypeTable& factory = a[1];
        factory = loads(2, 5, 275, 1.0, 0.18, 1.1, 0, 0);
        factory.occupancy = runs({{6, 0}, {7, 10}, {8, 90}, {12, 95}, {13, 50}, {16, 95}, {17, 90}, {18, 20},
                                  {22, 5}, {24, 0}});
        factory.lights = runs({{6, 5}, {7, 30}, {8, 90}, {12, 95}, {13, 80}, {16, 95}, {17, 90}, {18, 40},
                               {22, 10}, {24, 5}});
        factory.equipment = runs({{6, 10}, {7, 30}, {8, 90}, {12, 95}, {13, 80}, {16, 95}, {17, 90}, {18, 40},
                                  {22, 15}, {24, 10}});
        factory.draw = runs({{6, 0}, {7, 10}, {8, 40}, {9, 30}, {11, 20}, {12, 30}, {13, 60}, {14, 30}, {16, 20},
                             {17, 40}, {18, 20}, {24, 0}});
        factory.cooking = factory.equipment;
        plant(factory, 7, 18, 65, 55, 78);

        TypeTable& clinic = a[2];
        clinic = loads(3, 10, 250, 1.5, 0.24, 1.2, 0, 0);
        clinic.occupancy = runs({{7, 0}, {8, 10}, {9, 50}, {17, 80}, {18, 50}, {20, 30}, {24, 0}});
        clinic.lights = runs({{7, 10}, {8, 50}, {17, 90}, {18, 50}, {20, 30}, {24, 10}});
        clinic.equipment = clinic.lights;
        clinic.draw = runs({{7, 0}, {8, 15}, {9, 55}, {10, 65}, {11, 75}, {12, 80}, {13, 70}, {14, 80}, {15, 75},
                            {16, 70}, {17, 60}, {18, 40}, {20, 20}, {24, 0}});
        clinic.cooking = clinic.lights;
        plant(clinic, 7, 20, 70, 60, 75);

        TypeTable& store = a[3];
        store = loads(4, 33, 250, 1.0, 0.09, 1.6, 0, 0);
        store.occupancy = runs({{7, 0}, {8, 10}, {9, 20}, {11, 50}, {15, 70}, {16, 80}, {17, 70}, {19, 50},
                                {21, 30}, {24, 0}});
        store.lights = runs({{7, 5}, {8, 10}, {9, 50}, {19, 90}, {21, 60}, {22, 20}, {24, 5}});
        store.equipment = runs({{7, 5}, {8, 10}, {9, 40}, {19, 90}, {21, 60}, {22, 20}, {24, 5}});
        store.draw = runs({{1, 4},   {3, 5},   {7, 4},   {8, 15},  {9, 23},  {10, 32}, {11, 41},
                           {12, 57}, {13, 62}, {14, 61}, {15, 50}, {16, 45}, {17, 46}, {18, 47},
                           {19, 42}, {20, 34}, {21, 33}, {22, 23}, {23, 13}, {24, 8}});
        store.cooking = store.equipment;
        plant(store, 8, 21, 70, 60, 75);

        TypeTable& office = a[4];
        office = loads(7, 10, 250, 1.5, 0.18, 1.1, 0, 0);
        office.occupancy = runs({{6, 0}, {7, 10}, {8, 20}, {12, 95}, {13, 50}, {17, 95}, {18, 30}, {22, 10},
                                 {24, 5}});
        office.lights = runs({{5, 5}, {7, 10}, {8, 30}, {12, 90}, {13, 80}, {17, 90}, {18, 50}, {20, 30},
                              {22, 20}, {23, 10}, {24, 5}});
        office.equipment = runs({{8, 40}, {12, 90}, {13, 80}, {17, 90}, {18, 50}, {24, 40}});
        office.draw = runs({{5, 5},   {6, 8},   {7, 7},   {8, 19},  {9, 35},  {10, 38}, {11, 39},
                            {12, 47}, {13, 57}, {14, 54}, {15, 34}, {16, 33}, {17, 44}, {18, 26},
                            {19, 21}, {20, 15}, {21, 17}, {22, 8},  {24, 5}});
        office.cooking = office.equipment;
        plant(office, 7, 22, 70, 60, 75);

        TypeTable& restaurant = a[5];
        restaurant = loads(10, 67, 275, 1.5, 0.24, 1.3, 20, 1.0);
        restaurant.occupancy = runs({{6, 0},   {10, 5},  {11, 20}, {12, 50}, {13, 80}, {14, 70}, {15, 40},
                                     {16, 20}, {17, 25}, {18, 50}, {21, 80}, {22, 50}, {23, 35}, {24, 10}});
        restaurant.lights = runs({{5, 15}, {6, 20}, {8, 40}, {11, 60}, {22, 80}, {23, 50}, {24, 30}});
        restaurant.equipment = restaurant.lights;
        restaurant.draw = runs({{6, 0},   {7, 10},  {8, 15},  {10, 20}, {11, 30}, {12, 50}, {13, 70}, {14, 60},
                                {15, 40}, {17, 30}, {18, 50}, {21, 70}, {22, 50}, {23, 40}, {24, 20}});
        restaurant.cooking = runs({{6, 0},   {7, 30},  {10, 40}, {11, 60}, {13, 90}, {14, 70}, {15, 40},
                                   {16, 30}, {17, 40}, {18, 70}, {21, 90}, {22, 60}, {23, 40}, {24, 10}});
        plant(restaurant, 7, 24, 70, 60, 75);

        TypeTable& warehouse = a[6];
        warehouse = loads(11, 3, 275, 0.2, 0.09, 0.6, 0, 0);
        warehouse.occupancy = runs({{6, 0}, {7, 15}, {8, 70}, {11, 90}, {12, 50}, {16, 85}, {17, 30}, {18, 10},
                                    {22, 5}, {24, 0}});
        warehouse.lights = runs({{6, 5}, {7, 40}, {8, 70}, {11, 90}, {12, 60}, {16, 90}, {17, 40}, {18, 20},
                                 {22, 10}, {24, 5}});
        warehouse.equipment = runs({{6, 10}, {7, 40}, {8, 70}, {11, 90}, {12, 60}, {16, 85}, {17, 40}, {18, 20},
                                    {24, 10}});
        warehouse.draw = runs({{6, 0}, {7, 10}, {8, 40}, {9, 30}, {11, 20}, {12, 50}, {13, 30}, {16, 20},
                               {17, 30}, {18, 10}, {24, 0}});
        warehouse.cooking = warehouse.equipment;
        plant(warehouse, 7, 18, 60, 50, 80);

        TypeTable& school = a[7];
        school = loads(12, 50, 245, 1.0, 0.09, 1.2, 0, 0);
        school.occupancy = runs({{7, 0}, {8, 5}, {9, 75}, {11, 90}, {15, 80}, {16, 45}, {17, 15}, {18, 5},
                                 {19, 15}, {21, 20}, {22, 10}, {24, 0}});
        school.lights = runs({{7, 5}, {8, 30}, {9, 85}, {12, 95}, {15, 80}, {16, 70}, {18, 50}, {21, 35},
                              {22, 30}, {24, 5}});
        school.equipment = runs({{7, 10}, {8, 30}, {9, 80}, {12, 90}, {15, 80}, {16, 70}, {17, 50}, {18, 40},
                                 {21, 30}, {22, 20}, {24, 10}});
        school.draw = runs({{7, 0},   {8, 5},   {9, 20},  {11, 40}, {12, 70}, {13, 80}, {14, 60},
                            {15, 40}, {16, 20}, {17, 10}, {18, 5},  {21, 10}, {22, 5},  {24, 0}});
        school.cooking = school.equipment;
        plant(school, 7, 22, 70, 60, 75);

        TypeTable& hotel = a[8];
        hotel = loads(14, 5, 245, 0.5, 0.24, 1.1, 0, 0);
        hotel.occupancy = runs({{6, 90}, {7, 70}, {9, 40}, {15, 20}, {16, 30}, {19, 50}, {21, 70}, {22, 80},
                                {24, 90}});
        hotel.lights = runs({{1, 20},  {2, 15},  {5, 10},  {6, 20},  {7, 40},  {8, 50},  {10, 40},
                             {18, 25}, {19, 60}, {20, 80}, {21, 90}, {22, 80}, {23, 60}, {24, 30}});
        hotel.equipment = hotel.lights;
        hotel.draw = runs({{1, 20},  {4, 15},  {5, 20},  {6, 35},  {7, 55},  {9, 65},  {10, 55}, {11, 45}, {12, 40},
                           {16, 30}, {17, 40}, {18, 55}, {19, 60}, {20, 50}, {22, 55}, {23, 45}, {24, 25}});
        hotel.cooking = hotel.lights;
        plant(hotel, 1, 24, 70, 70, 75);
        return a;
    }();
    return t;
}

inline std::optional<TypeTable> type_table(int type) {
    for (const TypeTable& t : type_tables())
        if (t.type == type) return t;
    return std::nullopt;
}

// A house's fixed profiles: the occupants' share of the day by hour, the
// hot-water draw's, and the month's multiplier of the appliances.
inline const Day kOccupants = {0.024, 0.022, 0.021, 0.021, 0.021, 0.026, 0.038, 0.059, 0.056, 0.06,  0.059, 0.046,
                               0.045, 0.03,  0.028, 0.031, 0.057, 0.064, 0.064, 0.053, 0.05,  0.055, 0.044, 0.027};
inline const Day kHotWater = {0.014, 0.008, 0.009, 0.011, 0.02,  0.044, 0.089, 0.107, 0.089, 0.066, 0.052, 0.038,
                              0.036, 0.033, 0.032, 0.026, 0.042, 0.048, 0.052, 0.047, 0.042, 0.039, 0.036, 0.022};
inline constexpr std::array<double, 12> kMonths = {1.19, 1.11, 1.02, 0.93, 0.84, 0.8,
                                                   0.82, 0.88, 0.98, 1.07, 1.16, 1.21};

// The mains of a site in climate zone z (1 to 16), month by month, F.
inline constexpr std::array<std::array<double, 12>, 16> kMainsByZone_F = {{
    {50.86, 50.08, 49.84, 50.18, 51.01, 52.16, 53.25, 54.06, 54.32, 53.98, 53.11, 51.99},  // 1
    {55.15, 53.91, 53.70, 54.55, 56.21, 58.35, 60.27, 61.55, 61.78, 60.93, 59.19, 57.11},  // 2
    {57.24, 56.28, 56.05, 56.55, 57.66, 59.15, 60.53, 61.52, 61.78, 61.27, 60.11, 58.66},  // 3
    {58.45, 57.22, 57.07, 58.01, 59.78, 62.01, 63.97, 65.25, 65.41, 64.47, 62.61, 60.45},  // 4
    {56.61, 55.61, 55.24, 55.52, 56.40, 57.70, 59.00, 60.02, 60.43, 60.14, 59.21, 57.94},  // 5
    {62.56, 61.49, 61.10, 61.41, 62.38, 63.80, 65.21, 66.31, 66.74, 66.41, 65.39, 64.01},  // 6
    {63.48, 62.36, 61.95, 62.29, 63.31, 64.80, 66.28, 67.43, 67.88, 67.53, 66.46, 65.00},  // 7
    {64.13, 62.74, 62.32, 62.89, 64.34, 66.35, 68.28, 69.71, 70.18, 69.59, 68.07, 66.11},  // 8
    {64.04, 62.47, 62.03, 62.75, 64.47, 66.81, 69.03, 70.64, 71.13, 70.39, 68.60, 66.32},  // 9
    {63.46, 61.63, 61.18, 62.13, 64.26, 67.11, 69.76, 71.64, 72.14, 71.17, 68.94, 66.18},  // 10
    {57.74, 55.54, 55.33, 57.12, 60.42, 64.53, 68.11, 70.40, 70.64, 68.84, 65.39, 61.40},  // 11
    {57.23, 55.41, 55.17, 56.50, 59.06, 62.29, 65.15, 67.03, 67.31, 65.97, 63.29, 60.16},  // 12
    {58.97, 56.82, 56.72, 58.66, 62.09, 66.29, 69.88, 72.12, 72.23, 70.29, 66.71, 62.65},  // 13
    {57.36, 54.99, 54.68, 56.45, 59.82, 64.06, 67.81, 70.27, 70.61, 68.84, 65.32, 61.20},  // 14
    {70.15, 67.87, 67.65, 69.51, 72.92, 77.16, 80.86, 83.23, 83.47, 81.61, 78.05, 73.93},  // 15
    {46.84, 44.43, 43.69, 44.67, 47.18, 50.67, 54.01, 56.49, 57.31, 56.30, 53.67, 50.28},  // 16
}};

// The water heater as a new project and every design leave it.
inline constexpr double kRecoveryEfficiency = 0.76;
inline constexpr double kStandbyLoss_WK = 3.5;  // with a rated input
inline constexpr double kSurroundings_F = 67.5;
inline constexpr double kHeatPumpCop = 2.0;     // an energy factor below 1
inline constexpr double kHouseTank_F = 135.0, kBuildingTank_F = 140.0;
inline constexpr double kDesignedMultiplier = 0.9, kNewProjectMultiplier = 1.0;

// A house's thermostat, F.
struct Thermostat {
    double comfort_low, comfort_high, night_setback, empty_setback, setup;
};
inline constexpr Thermostat kDesignedHouse = {68, 75, 58, 53, 85};
inline constexpr Thermostat kNewProject = {68, 75, 65, 60, 85};

// The thermostat another building's run leaves: its type's highest heating
// set point, the lowest as both set-backs, its lowest cooling set point and
// the highest as the set-up.
inline Thermostat thermostat_of_schedules(const TypeTable& t) {
    Thermostat th{-99, 199, 199, 199, -99};
    for (std::size_t h = 0; h < 24; ++h) {
        th.comfort_low = std::max(th.comfort_low, t.heating[h]);
        th.night_setback = th.empty_setback = std::min(th.night_setback, t.heating[h]);
        th.comfort_high = std::min(th.comfort_high, t.cooling[h]);
        th.setup = std::max(th.setup, t.cooling[h]);
    }
    return th;
}

}  // namespace mavo::sweep::laws
