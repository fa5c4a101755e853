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
              kInsulationLevel = 30, kFloorType = 33, kUnderFloor = 49;
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

// Every climate zone's code-minimum, vintage and glazing tables, each zone
// by its zone number (a zone the sample weather lacks runs on the stand-in
// weather of a zone of like climate, the tables its own): a house of 2008,
// remodelled, its code-minimum design and the vintage design of the
// existing house (which from 2006 takes the zone's cool roofs and duct
// insulation and from 2004 its window glass), and a copy of the first run
// twelve days on the floors whose code rows no design reads (a concrete
// raised floor, basements 13 and 17); a clinic of 2008, remodelled, both
// designs (a light frame, and the vintage glass of other buildings), and a
// new warehouse and factory, whose code-minimum walls, floors and
// skylights read the rows of the other construction families.
void zone_house(Project& p, int zone) {
    const std::string name = "house-zone-" + std::to_string(zone);
    p.make(zip(static_cast<REAL>(zone)),
           {{kVintage, 2}, {kAttachment, 1}, {kArea, 1800}, {kYearBuilt, 2008}, {kStories, 1}});
    p.record(name + "-2008-remodel-code", 1, kCodeMinimum);
    p.record(name + "-2008-remodel-vintage", 2, kEfficientOrVintage);
    p.run(1, kCopy, 3);
    twelve_days(p, 3, 1, 15);
    for (const auto& [floor, under_floor] : {std::pair{9, 2}, std::pair{13, 2}, std::pair{17, 2}}) {
        p.edit(3, [floor, under_floor] {
            STRATEGY(kFloorType, 3) = static_cast<REAL>(floor);
            STRATEGY(kUnderFloor, 3) = static_cast<REAL>(under_floor);
        });
        p.record(name + "-twelve-days-floor-" + std::to_string(floor), 3, kPlainRun);
    }
}

void zone_clinic(Project& p, int zone) {
    constexpr INTEGER kClinic = 3;
    const std::string name = "clinic-zone-" + std::to_string(zone) + "-2008-remodel";
    p.make(zip(static_cast<REAL>(zone)), {{kVintage, 2}, {kArea, 9000}, {kYearBuilt, 2008}, {kStories, 1}}, kClinic);
    p.record(name + "-code", 1, kCodeMinimum);
    p.record(name + "-vintage", 2, kEfficientOrVintage);
}

void zone_new_building(Project& p, int zone, INTEGER type, const std::string& name) {
    p.make(zip(static_cast<REAL>(zone)), {{kVintage, 1}, {kArea, 20000}, {kStories, 1}}, type);
    p.record(name + "-zone-" + std::to_string(zone) + "-code", 1, kCodeMinimum);
}

// Slabs by the regression on recent outdoor and ground temperatures
// (floor types -6 and -7, a slab the user changed) in each set of the
// regression's coefficients, which the zone's slab requirement and the
// insulation level choose: copies of a house at Sacramento, whose zone
// requires no slab insulation (set 0 at level 5), and at Blue Canyon, whose
// zone does (sets 1 to 3 at levels 5, 6 and 7), run twelve days of January
// on each type.
void slab_regression(Project& p, REAL zone, const std::string& site, std::initializer_list<int> levels) {
    p.make(zip(zone), {{kVintage, 1}, {kAttachment, 1}, {kArea, 1600}, {kStories, 1}});
    p.run(1, kCodeMinimum);
    p.run(1, kCopy, 3);
    twelve_days(p, 3, 1, 15);
    for (const int level : levels)
        for (const int floor : {-6, -7}) {
            p.edit(3, [floor, level] {
                STRATEGY(kFloorType, 3) = static_cast<REAL>(floor);
                STRATEGY(kUnderFloor, 3) = 5.0f;
                STRATEGY(kInsulationLevel, 3) = static_cast<REAL>(level);
            });
            p.record("house-" + site + "-twelve-days-slab" + std::to_string(floor) + "-level-" + std::to_string(level),
                     3, kPlainRun);
        }
}

// Copies of a house's code-minimum design in library slot 3, each branch
// of the physics that no design takes run in turn: `runs` edits the slot
// and records its runs.
void slot_branches(Project& p, Site site, const std::function<void()>& runs) {
    p.make(site, {{kVintage, 1}, {kAttachment, 1}, {kArea, 1800}, {kStories, 1}});
    p.run(1, kCodeMinimum);
    p.run(1, kCopy, 3);
    runs();
}

// Heat pumps at Sacramento, whose winter mornings fall below 47 F, where
// strip heat backs them up: the pair of each heat-pump code over the year,
// at the zone's HSPF (7) and the better ones (8 and 9).
void heat_pumps(Project& p) {
    slot_branches(p, zip(12), [&p] {
        for (const int code : {7, 8, 9}) {
            p.edit(3, [code] { STRATEGY(18, 3) = STRATEGY(20, 3) = static_cast<REAL>(code); });
            p.record("house-sacramento-heat-pump-" + std::to_string(code), 3, kPlainRun);
        }
    });
}

// An evaporative cooler at Palm Springs over the year: the cooler's air
// moved by the whole-house fan of its coded venting, at the high air
// speed class.
void evaporative_cooler(Project& p) {
    slot_branches(p, zip(15), [&p] {
        p.edit(3, [] { STRATEGY(20, 3) = 6.0f; });
        p.record("house-palm-springs-evaporative-cooler", 3, kPlainRun);
    });
}

// An array loaded near its inverter's rating at Los Angeles Westwood: 20
// modules of the table's first row (210 W) in two strings on its first
// inverter (3.8 kW), over the year.
void inverter_near_rating(Project& p) {
    slot_branches(p, zip(90024), [&p] {
        p.edit(3, [] {
            SQTY(1) = 20.0f;
            STRATEGY(kArrayRow, 3) = 20.0f;
            SPANEL(1) = 1;
            SCONTROL(1) = 1;
            SSTRINGS(1) = 2.0f;
        });
        p.record("house-westwood-array-near-inverter-rating", 3, kPlainRun, {{kPhotovoltaic, 7}});
    });
}

// The fuel rows of the emission table a library slot keeps: the natural
// gas rows other than the one a design chooses, twelve days at Westwood
// each.
void gas_emission_rows(Project& p) {
    slot_branches(p, zip(90024), [&p] {
        twelve_days(p, 3, 1, 15);
        for (const INTEGER row : {14, 15, 16}) {
            p.edit(3, [row] { BLK41.NROWF = row; });
            p.record("house-westwood-twelve-days-gas-emission-row-" + std::to_string(row), 3, kPlainRun);
        }
    });
}

// A twelve-day gas bill whose days straddle the tariff's seasons and pass
// the baseline: the vintage design of a large house of 1960 at Blue Canyon
// copied to a library slot and run from 26 October, six summer days, then
// six winter days of November billed together against their baselines.
void twelve_day_gas_bill(Project& p) {
    p.make(zip(16), {{kVintage, 2}, {kAttachment, 1}, {kArea, 3600}, {kYearBuilt, 1960}, {kStories, 2}});
    p.run(2, kEfficientOrVintage);
    p.run(2, kCopy, 3);
    twelve_days(p, 3, 10, 26);
    p.record("house-blue-canyon-1960-twelve-days-from-october-26", 3, kPlainRun);
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
        {"slab-regression-sacramento", [](Project& p) { slab_regression(p, 12, "sacramento", {5}); }},
        {"slab-regression-blue-canyon", [](Project& p) { slab_regression(p, 16, "blue-canyon", {5, 6, 7}); }},
        {"heat-pumps", heat_pumps},
        {"evaporative-cooler", evaporative_cooler},
        {"inverter-near-rating", inverter_near_rating},
        {"gas-emission-rows", gas_emission_rows},
        {"twelve-day-gas-bill", twelve_day_gas_bill},
    };
    static const std::vector<Reference> with_zones = [] {
        std::vector<Reference> all = list;
        for (int zone = 1; zone <= 16; ++zone) {
            const std::string z = std::to_string(zone);
            all.push_back({"zone-" + z + "-house", [zone](Project& p) { zone_house(p, zone); }});
            all.push_back({"zone-" + z + "-clinic", [zone](Project& p) { zone_clinic(p, zone); }});
            all.push_back({"zone-" + z + "-warehouse", [zone](Project& p) { zone_new_building(p, zone, 11, "warehouse"); }});
            all.push_back({"zone-" + z + "-factory", [zone](Project& p) { zone_new_building(p, zone, 2, "factory"); }});
        }
        return all;
    }();
    return with_zones;
}

}  // namespace mavo::reference
