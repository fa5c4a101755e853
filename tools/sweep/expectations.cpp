// Expectations the kernel does not compute itself, from the inputs and the
// data files.
#include "sweep/expectations.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "blocks/blocks.h"

namespace mavo::sweep {

namespace {

// The built-in tariff choices of a California site known by its climate
// zone 1 to 16 alone: a dwelling's electric and gas choice (one number); a
// non-residential building's choice, its gas rate zone alike, and its
// electric rate zone.
constexpr int kHouseChoiceByZone[16] = {3, 3, 3, 3, 3, 1, 2, 1, 1, 1, 3, 3, 3, 1, 1, 3};
constexpr int kBuildingChoiceByZone[16] = {13, 13, 13, 13, 13, 11, 12, 11, 11, 11, 13, 13, 13, 11, 11, 13};
constexpr int kBuildingElectricZoneByZone[16] = {34, 34, 34, 34, 34, 32, 33, 32, 32, 32, 34, 35, 34, 32, 32, 34};

// The default location's rate zones for a dwelling, and the tariffs
// outside California.
constexpr INTEGER kDefaultHouseElectricZone = 10, kDefaultHouseGasZone = 1;

// The class 1 to 5 of a record's electric rate zone: one utility's tiered
// tariffs (10 to 17), then 1 to 4, -20 to -11, -2 to -1, any other.
int electric_class(int zone) {
    if (zone >= 10 && zone <= 17) return 1;
    if (zone >= 1 && zone <= 4) return 2;
    if (zone >= -20 && zone <= -11) return 3;
    if (zone >= -2 && zone <= -1) return 4;
    return 5;
}

// A dwelling's gas choice from its record's gas rate zone.
REAL house_gas_choice(int zone) {
    if (zone >= -9 && zone <= -1) return 3.0f;
    if (zone < -9) return 5.0f;
    if (zone >= 0 && zone <= 4) return 1.0f;
    if (zone == 10) return 2.0f;
    return 5.0f;
}

const SiteRecord* record_of(const Inputs& in, long code) {
    for (const SiteRecord& r : in.records)
        if (r.code == code) return &r;
    return nullptr;
}

}  // namespace

std::optional<int> weather_file_zone(const std::string& name) {
    // The climate zone each sample weather file is simulated in: the zone
    // whose design temperatures match the file's best, as the README lists
    // them.
    static const std::map<std::string, int> zones = {
        {"Arcata.epw", 1},    {"Bishop.epw", 14},  {"ChiOHare.epw", 16}, {"Imperial.epw", 15},
        {"LAburbnk.epw", 9},  {"Phoenix.epw", 13}, {"SFintlap.epw", 6},  {"Stockton.epw", 11},
    };
    const auto z = zones.find(name);
    return z == zones.end() ? std::nullopt : std::optional<int>(z->second);
}

std::optional<Tariff> site_tariff(const Inputs& in, const Site& site, bool nonresidential) {
    Tariff t;
    if (site.kind == Site::kWeatherFile) {
        const auto place = in.places.find(site.name);
        if (place == in.places.end()) return std::nullopt;
        if (!place->second.california) {
            t.electric = t.gas = nonresidential ? 15.0f : 5.0f;
            t.electric_zone = nonresidential ? 36 : kDefaultHouseElectricZone;
            t.gas_zone = nonresidential ? 15 : kDefaultHouseGasZone;
            return t;
        }
        const std::optional<int> zone = weather_file_zone(site.name);
        if (!zone) return std::nullopt;
        if (nonresidential) {
            t.electric = t.gas = static_cast<REAL>(kBuildingChoiceByZone[*zone - 1]);
            t.electric_zone = kBuildingElectricZoneByZone[*zone - 1];
            t.gas_zone = kBuildingChoiceByZone[*zone - 1];
        } else {
            // A dwelling: the rate zones of its zone's own line, row 1 the
            // utility of that electric zone, row 3 the zone's gas choice.
            const SiteRecord* line = record_of(in, *zone);
            if (!line) return std::nullopt;
            t.electric = static_cast<REAL>(electric_class(line->electric_zone));
            t.gas = static_cast<REAL>(kHouseChoiceByZone[*zone - 1]);
            t.electric_zone = line->electric_zone;
            t.gas_zone = line->gas_zone;
        }
        return t;
    }
    // A climate zone without its zone file falls back to the default
    // location, whose record then names the tariff.
    const long code = site.kind == Site::kZoneNumber && !site.zone_file ? 90024 : static_cast<long>(site.number);
    const SiteRecord* r = record_of(in, code);
    if (!r || r->climate_zone < 1 || r->climate_zone > 16) return std::nullopt;
    const int position = electric_class(r->electric_zone);
    if (nonresidential) {
        t.electric = static_cast<REAL>(10 + position);
        t.electric_zone = 31 + position;
        t.gas = static_cast<REAL>(kBuildingChoiceByZone[r->climate_zone - 1]);
        t.gas_zone = kBuildingChoiceByZone[r->climate_zone - 1];
    } else {
        t.electric = static_cast<REAL>(position);
        t.electric_zone = r->electric_zone;
        t.gas = house_gas_choice(r->gas_zone);
        t.gas_zone = r->gas_zone;
    }
    return t;
}

std::string describe(const Tariff& t) {
    std::ostringstream o;
    o << "rows 1 and 3 " << t.electric << " and " << t.gas << ", rate zones " << t.electric_zone << " and "
      << t.gas_zone;
    return o.str();
}

void check_design_outcome(Checker& k, const Run& r, const std::string& what) {
    // A scheme marked as a building of several zones (row 26 above 1) in a
    // new project, whose combination lines list no zone, has neither zones
    // to sum nor a building of its own: every run of it is refused, and the
    // run's own check holds it to the files as they were.
    if (row_of(k.c, 26) > 1.0f) {
        const std::string invariant = "a multi-zone scheme without zones is refused";
        k.due(invariant);
        if (r.rc == 1) return k.reached(invariant);
        return k.fail(invariant, what + " returned " + std::to_string(r.rc));
    }
    if (k.c.loads) {
        const std::string invariant = "a building with loads designs and simulates its days";
        k.due(invariant);
        if (r.simulated()) return k.reached(invariant);
        std::ostringstream o;
        o << what << " returned " << r.rc << " with " << r.days() << " days simulated";
        return k.fail(invariant, o.str());
    }
    const std::string invariant = "a building without loads is refused";
    k.due(invariant);
    if (r.rc == 1) return k.reached(invariant);
    k.fail(invariant, what + " returned " + std::to_string(r.rc));
}

void check_site_tariff(Checker& k, const Run& r, const Site& site, const std::string& what) {
    // The user's basic rates choose other tariffs; revised rates bill the
    // user's words on the site's tariff choices and rate zones.
    const bool basic = std::any_of(k.c.rate_flags.begin(), k.c.rate_flags.end(),
                                   [](INTEGER f) { return f == 26 || f == 29; });
    if (!r.simulated() || basic) return;
    const std::optional<Tariff> want = site_tariff(k.in, site, k.c.nonresidential);
    if (!want) return;
    const std::string invariant = "the tariff in force is the one the site's record names";
    k.reached(invariant);
    if (site.kind == Site::kWeatherFile && r.climate_zone != weather_file_zone(site.name))
        return k.fail(invariant, what + " at " + describe(site) + " was simulated in climate zone " +
                                     std::to_string(r.climate_zone) + ", not " +
                                     std::to_string(*weather_file_zone(site.name)));
    const Tariff got{r.params[0], r.params[2], r.electric_zone, r.gas_zone};
    if (got.electric != want->electric || got.gas != want->gas || got.electric_zone != want->electric_zone ||
        got.gas_zone != want->gas_zone)
        k.fail(invariant, what + " at " + describe(site) + ": " + describe(got) + ", not " + describe(*want));
}

void check_nothing_simulated(Checker& k, const Run& r, INTEGER slot, const std::string& reason) {
    const std::string invariant = "a run that cannot simulate says \"Nothing was simulated\" with its reason";
    k.due(invariant);
    if (r.rc != 0) return k.fail(invariant, "the run returned " + std::to_string(r.rc));
    if (r.days() != 0.0f) return k.fail(invariant, "it simulated " + std::to_string(r.days()) + " days");
    const std::string n = std::to_string(slot);
    const std::string said = "Nothing was simulated: " + reason;
    const auto csv = r.files.find("scheme" + n + ".csv");
    if (csv == r.files.end() || csv->second.rfind(said, 0) != 0)
        return k.fail(invariant, "scheme" + n + ".csv does not begin \"" + said + "\"");
    // The compliance document and its instructions (a dwelling's) refuse
    // the import with the same reason.
    for (const char* ext : {".xml", ".txt"}) {
        const auto f = r.files.find("scheme" + n + ext);
        if (f != r.files.end() && f->second.find(reason) == std::string::npos)
            return k.fail(invariant, "scheme" + n + ext + " does not give the reason");
    }
    k.reached(invariant);
}

}  // namespace mavo::sweep
