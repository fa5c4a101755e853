// The same building at two sites of the same rate zones.
#include "sweep/rate_zones.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "blocks/blocks.h"

namespace mavo::sweep {

namespace {

// Another record of the table naming the climate zone and both rate zones
// of the record of `code`, whose zone file the weather directory holds.
std::optional<Site> same_rate_zones(const Inputs& in, long code, std::uint64_t pick) {
    const auto own = std::find_if(in.records.begin(), in.records.end(),
                                  [&](const SiteRecord& r) { return r.code == code; });
    if (own == in.records.end()) return std::nullopt;
    const fs::path zone_file = in.weather / ("zone" + std::to_string(own->climate_zone) + ".txh");
    if (!fs::exists(zone_file)) return std::nullopt;
    std::vector<Site> twins;
    for (const SiteRecord& r : in.records)
        if (r.code != code && r.climate_zone == own->climate_zone && r.gas_zone == own->gas_zone &&
            r.electric_zone == own->electric_zone) {
            Site s;
            s.kind = r.code <= 16 ? Site::kZoneNumber : Site::kZipCode;
            s.name = std::to_string(r.code);
            s.number = static_cast<REAL>(r.code);
            s.zone_file = true;
            twins.push_back(s);
        }
    if (twins.empty()) return std::nullopt;
    return twins[pick % twins.size()];
}

REAL price_per_kwh(const Run& r) { return r.rows[24] > 0.0f ? r.rows[35] / r.rows[24] : 0.0f; }

std::string tariff_of(const Run& r) {
    std::ostringstream o;
    o.precision(6);
    o << "rows 1 and 3 " << r.params[0] << " and " << r.params[2] << ", rate zones " << r.electric_zone << " and "
      << r.gas_zone << ", $" << price_per_kwh(r) << " per kWh";
    return o.str();
}

}  // namespace

void same_rate_zones_same_price(Checker& k, const fs::path& p, const fs::path& twin, const Run& here) {
    const Case& c = k.c;
    const bool revised = std::any_of(c.rate_flags.begin(), c.rate_flags.end(),
                                     [](INTEGER f) { return f == 82 || f == 83; });
    const bool table_site = c.site.kind == Site::kZipCode || (c.site.kind == Site::kZoneNumber && c.site.zone_file);
    if (revised || !table_site || !here.simulated()) return;
    const std::optional<Site> other = same_rate_zones(k.in, static_cast<long>(c.site.number), c.number);
    if (!other) return;
    fs::remove_all(twin);
    fs::copy(p, twin, fs::copy_options::recursive);
    for (const INTEGER slot : {1, 2}) {
        edit_scheme(k.in, twin, slot, [&] { place(*other, slot); });
        set_location_changed(k.in, twin, slot);
    }
    const Run there = k.run(twin, 1, 0.0f, "scheme 1 run as it stands at " + describe(*other) +
                                               ", whose record names the rate zones of " + describe(c.site));
    if (!there.simulated()) return;
    const std::string invariant = "sites whose records name the same rate zones bill a building on one tariff at one price";
    k.reached(invariant);
    const bool same_tariff = here.params[0] == there.params[0] && here.params[2] == there.params[2] &&
                             here.electric_zone == there.electric_zone && here.gas_zone == there.gas_zone;
    if (!same_tariff || std::fabs(price_per_kwh(here) - price_per_kwh(there)) > 0.01f)
        k.fail(invariant, "scheme 1 at " + describe(c.site) + ": " + tariff_of(here) + "; at " + describe(*other) +
                              ": " + tariff_of(there));
}

}  // namespace mavo::sweep
