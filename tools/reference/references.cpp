// The reference projects and the host's road through each. A recorded
// run's name says what it covers; tests/data/reference/results.txt keeps
// its figures.
#include "reference/references.h"

#include "blocks/blocks.h"
#include "reference/reference_project.h"

namespace mavo::reference {

namespace {

// Rows of the parameter column a designer types: new (1), remodel (2) or
// addition (3); attachment (1 detached, 2 row house, 3 and 4 attached
// units, which make the dwelling types 19, 18, 16 and 17); floor area;
// party walls (2: the floor over another heated unit); year built;
// stories; floor type; under-floor code.
constexpr int kVintage = 6, kAttachment = 7, kArea = 8, kSharedSurfaces = 9, kYearBuilt = 11, kStories = 14,
              kFloorType = 33, kUnderFloor = 49;
constexpr int kArrayRow = 50, kCollectorRow = 41;
constexpr INTEGER kElectricWaterHeater = 2, kPropaneWaterHeater = 3;
constexpr REAL kCodeMinimum = 243.0f, kEfficientOrVintage = 246.0f, kPlainRun = 0.0f, kCopy = 201.0f,
               kRename = 208.0f;

// Twelve days from `month`/`day` instead of the year (a slot 3 to 9:
// schemes 1 and 2 always run the year).
void twelve_days(Project& p, INTEGER slot, INTEGER month, INTEGER day) {
    p.edit(slot, [=] {
        TMYMON = month;
        TMYDAY = day;
    });
}

// The user's own tariff choices (rows 1 and 3), held by flags 26 and 29
// that the host sets before every run.
void user_tariffs(Project& p, INTEGER slot, REAL electric, REAL gas) {
    p.edit(slot, [&] {
        if (electric != 0.0f) STRATEGY(1, slot) = electric;
        if (gas != 0.0f) STRATEGY(3, slot) = gas;
    });
}

// A new house at Los Angeles Westwood (SCE, SoCalGas): the code-minimum
// and efficient designs, and a copy of the first with a 4 kW array and two
// collectors ahead of an electric water heater, whose solar tank has an
// element of its own (4.5 kW, rated: energy factor 0.945 below its
// recovery efficiency of 98 %), then rated 0.98.
void westwood(Project& p) {
    p.make(zip(90024), {{kVintage, 1}, {kAttachment, 1}, {kArea, 2000}, {kStories, 1}});
    p.record("house-westwood-code", 1, kCodeMinimum,
             {{kLightsGain, 1}, {kLightsGain, 7}, {kOccupantGain, 7}, {kIndoorTemperature, 1}, {kHeating, 1},
              {kCooling, 7}});
    p.record("house-westwood-efficient", 2, kEfficientOrVintage);
    p.run(1, kCopy, 3);
    p.edit(3, [] {
        SQTY(1) = -4.0f;
        STRATEGY(kArrayRow, 3) = -4.0f;
        STRATEGY(kCollectorRow, 3) = -2.0f;
        WHTYPE = kElectricWaterHeater;
        SSINPUTRATE(2) = 4.5f;
    });
    p.record("house-westwood-array-collectors", 3, kPlainRun,
             {{kPhotovoltaic, 1}, {kPhotovoltaic, 7}, {kSolarWater, 7}, {kWaterHeater, 7}});
    // The solar tank rated with an energy factor as high as its recovery
    // efficiency, whose ratings then give no standby loss of their own: it
    // loses heat at the default coefficient.
    p.edit(3, [] { SSEF(2) = 0.98f; });
    p.record("house-westwood-collectors-tank-loss-by-default", 3, kPlainRun, {{kSolarWater, 7}});
}

// A row house of 1970 at Stockton (PG&E), remodelled: its code-minimum
// design and the vintage design of the existing building.
void stockton_remodel(Project& p) {
    p.make(weather_file("Stockton.epw"),
           {{kVintage, 2}, {kAttachment, 2}, {kSharedSurfaces, 0}, {kArea, 1400}, {kYearBuilt, 1970}, {kStories, 1}});
    p.record("rowhouse-stockton-1970-remodel-code", 1, kCodeMinimum);
    p.record("rowhouse-stockton-1970-remodel-vintage", 2, kEfficientOrVintage);
}

// Low-rise flats of 1995 in Sacramento (SMUD), with an addition: the
// vintage design of the existing building.
void sacramento_addition(Project& p) {
    p.make(zip(12), {{kVintage, 3}, {kAttachment, 4}, {kArea, 2400}, {kYearBuilt, 1995}, {kStories, 2}});
    p.record("flats-sacramento-1995-addition-vintage", 2, kEfficientOrVintage);
}

// A house of two stories at Chicago (outside California: billed on the
// default location's tariffs), and given a basement after its design.
void chicago_basement(Project& p) {
    p.make(weather_file("ChiOHare.epw"), {{kVintage, 1}, {kAttachment, 1}, {kArea, 1800}, {kStories, 2}});
    p.record("house-chicago-code", 1, kCodeMinimum);
    p.edit(1, [] { STRATEGY(kFloorType, 1) = 10.0f; });
    p.record("house-chicago-basement", 1, kPlainRun);
}

// An apartment over another heated unit at Palm Springs (SCE zone 15):
// no floor losses.
void palm_springs_apartment(Project& p) {
    p.make(zip(15), {{kVintage, 1}, {kAttachment, 3}, {kSharedSurfaces, 2}, {kArea, 1100}, {kStories, 1}});
    p.record("apartment-palm-springs-code", 1, kCodeMinimum);
}

// A house at Phoenix, given a slab after its design, on the single flat
// electric rate.
void phoenix_slab_flat_rate(Project& p) {
    p.make(weather_file("Phoenix.epw"), {{kVintage, 1}, {kAttachment, 1}, {kArea, 2200}, {kStories, 1}});
    p.record("house-phoenix-code", 1, kCodeMinimum);
    p.edit(1, [] { STRATEGY(kFloorType, 1) = 6.0f; });
    user_tariffs(p, 1, 7.0f, 0.0f);
    p.set_flags(1, {26});
    p.record("house-phoenix-slab-flat-rate", 1, kPlainRun);
}

// A house at Blue Canyon (PG&E zone 16, cold): its design over the year,
// then a copy of it run for twelve days of January on each floor type a designer may
// type, with the under-floor code of
// the floor's kind: no losses, a vented crawl space under a raised floor
// or a basement, a slab's; and a raised floor on the reduced shell.
void blue_canyon_floors(Project& p) {
    p.make(zip(16), {{kVintage, 1}, {kAttachment, 1}, {kArea, 1600}, {kStories, 1}});
    p.record("house-blue-canyon-code", 1, kCodeMinimum);
    p.run(1, kCopy, 3);
    twelve_days(p, 3, 1, 15);
    const auto floor_run = [&p](int floor, int under_floor, const std::string& name,
                                const std::vector<SeriesWanted>& series) {
        p.edit(3, [=] {
            STRATEGY(kFloorType, 3) = static_cast<REAL>(floor);
            STRATEGY(kUnderFloor, 3) = static_cast<REAL>(under_floor);
        });
        p.record(name, 3, kPlainRun, series);
    };
    for (const int floor : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 16, 17}) {
        const int under_floor = floor == 1 ? 1 : floor == 6 || floor == 7 || floor == 16 ? 5 : 2;
        floor_run(floor, under_floor, "house-blue-canyon-twelve-days-floor-" + std::to_string(floor), {});
    }
    floor_run(3, 4, "house-blue-canyon-twelve-days-floor-3-reduced-shell", {{kIndoorTemperature, 1}, {kHeating, 1}});
    // The same twelve days heating rooms and water with propane. A library
    // slot: schemes 1 and 2 run the base schemes' gas storage water heater,
    // which a propane site cannot serve.
    p.edit(3, [] { WHTYPE = kPropaneWaterHeater; });
    user_tariffs(p, 3, 0.0f, 7.0f);
    p.set_flags(3, {29});
    p.record("house-blue-canyon-twelve-days-propane", 3, kPlainRun);
}

// Other buildings: the code-minimum design of every type that has loads,
// at sites that reach every utility's time-of-use tariff.
void theater(Project& p) {
    p.make(zip(90024), {{kVintage, 1}, {kArea, 15000}, {kStories, 1}}, 1);
    p.record("theater-westwood-code", 1, kCodeMinimum);
}

void factory(Project& p) {
    p.make(zip(3), {{kVintage, 1}, {kArea, 40000}, {kStories, 1}}, 2);
    p.record("factory-oakland-code", 1, kCodeMinimum);
}

// A clinic of 2008 in Sacramento (SMUD) with an addition: the code minimum
// and the vintage design of the existing building.
void clinic(Project& p) {
    p.make(zip(12), {{kVintage, 3}, {kArea, 8000}, {kYearBuilt, 2008}, {kStories, 1}}, 3);
    p.record("clinic-sacramento-2008-addition-code", 1, kCodeMinimum);
    p.record("clinic-sacramento-2008-addition-vintage", 2, kEfficientOrVintage);
}

void store(Project& p) {
    p.make(weather_file("Phoenix.epw"), {{kVintage, 1}, {kArea, 12000}, {kStories, 1}}, 4);
    p.record("store-phoenix-code", 1, kCodeMinimum);
}

// A high-rise office of 1980 at Palm Springs, remodelled, on SDG&E's
// time-of-use tariff by the user's choice. Its vintage design lights 5
// W/ft2 without daylight control.
void office(Project& p) {
    p.make(zip(15), {{kVintage, 2}, {kArea, 60000}, {kYearBuilt, 1980}, {kStories, 6}}, 7);
    for (const INTEGER slot : {1, 2}) user_tariffs(p, slot, 12.0f, 0.0f);
    p.set_flags(1, {26});
    p.record("office-palm-springs-1980-remodel-code", 1, kCodeMinimum);
    p.set_flags(2, {26});
    p.record("office-palm-springs-1980-remodel-vintage", 2, kEfficientOrVintage, {{kLightsGain, 7}});
}

// A restaurant at Chicago on the single flat time-of-use rate by the
// user's choice.
void restaurant(Project& p) {
    p.make(weather_file("ChiOHare.epw"), {{kVintage, 1}, {kArea, 4000}, {kStories, 1}}, 10);
    user_tariffs(p, 1, 17.0f, 0.0f);
    p.set_flags(1, {26});
    p.record("restaurant-chicago-flat-rate-code", 1, kCodeMinimum);
}

void warehouse(Project& p) {
    p.make(weather_file("Bishop.epw"), {{kVintage, 1}, {kArea, 50000}, {kStories, 1}}, 11);
    p.record("warehouse-bishop-code", 1, kCodeMinimum);
}

// A new school at Stockton: both designs over the year, and a copy of the
// code minimum over twelve days of July.
void school(Project& p) {
    p.make(weather_file("Stockton.epw"), {{kVintage, 1}, {kArea, 20000}, {kStories, 1}}, 12);
    p.record("school-stockton-code", 1, kCodeMinimum,
             {{kLightsGain, 1}, {kEquipmentGain, 1}, {kOccupantGain, 1}, {kVentilationGain, 7}, {kCooling, 7}});
    p.record("school-stockton-efficient", 2, kEfficientOrVintage);
    p.run(1, kCopy, 3);
    twelve_days(p, 3, 7, 10);
    p.record("school-stockton-twelve-days", 3, kPlainRun, {{kCooling, 7}});
}

// A hotel at Arcata, and a copy of it with an array of 40 modules and
// collectors sized by rule over the year, then re-read for March and July.
void hotel(Project& p) {
    p.make(weather_file("Arcata.epw"), {{kVintage, 1}, {kArea, 30000}, {kStories, 3}}, 14);
    p.record("hotel-arcata-code", 1, kCodeMinimum);
    p.run(1, kCopy, 3);
    p.edit(3, [] {
        SQTY(1) = 40.0f;
        STRATEGY(kArrayRow, 3) = 40.0f;
        STRATEGY(kCollectorRow, 3) = 1.0f;
    });
    // Named (a copy arrives without a name, and only a named scheme is
    // re-read), which runs its year.
    p.record("hotel-arcata-array-collectors", 3, kRename, {{kPhotovoltaic, 7}, {kSolarWater, 1}}, 3, "Hotel with array");
    p.record_reread("hotel-arcata-march-july", 3, "MAR JUL");
}

}  // namespace

const std::vector<Reference>& references() {
    static const std::vector<Reference> list = {
        {"westwood", westwood},
        {"stockton-remodel", stockton_remodel},
        {"sacramento-addition", sacramento_addition},
        {"chicago-basement", chicago_basement},
        {"palm-springs-apartment", palm_springs_apartment},
        {"phoenix-slab-flat-rate", phoenix_slab_flat_rate},
        {"blue-canyon-floors", blue_canyon_floors},
        {"theater", theater},
        {"factory", factory},
        {"clinic", clinic},
        {"store", store},
        {"office", office},
        {"restaurant", restaurant},
        {"warehouse", warehouse},
        {"school", school},
        {"hotel", hotel},
    };
    return list;
}

}  // namespace mavo::reference
