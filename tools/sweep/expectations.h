// Expectations the kernel does not compute itself: what a run must give,
// read from the case's inputs and the data files.
#pragma once

#include <optional>
#include <string>

#include "sweep/checker.h"

namespace mavo::sweep {

// The tariff in force at a site for schemes 1 and 2 without rates of the
// user's: the choices of rows 1 and 3 and the electric and gas rate zones.
struct Tariff {
    REAL electric = 0.0f, gas = 0.0f;
    INTEGER electric_zone = 0, gas_zone = 0;
};

// The tariff the site's record in zipcodes.sce names (a zip code or a
// climate-zone number, zone 1 included), or for a weather file the built-in
// choices of the climate zone the sweep's table gives it (California) and
// the tariffs outside California.
std::optional<Tariff> site_tariff(const Inputs& in, const Site& site, bool nonresidential);
// The climate zone a sample weather file is simulated in.
std::optional<int> weather_file_zone(const std::string& name);
std::string describe(const Tariff& t);

// The outcome a design of the case's building must have: a building with
// loads designs with return 0 and simulates its days; a building without
// loads is refused (return 1, every file as it was: checked by every run).
void check_design_outcome(Checker& k, const Run& r, const std::string& what);

// The tariff a design run put in force is the site's (when the user fixed
// no rates).
void check_site_tariff(Checker& k, const Run& r, const Site& site, const std::string& what);

// A run that simulated nothing on purpose (a heater whose fuel the site
// lacks) says so with its reason in every report.
void check_nothing_simulated(Checker& k, const Run& r, INTEGER slot, const std::string& reason);

}  // namespace mavo::sweep
