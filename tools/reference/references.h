// The reference projects: a small set of projects made and run as a host
// makes and runs them, whose recorded runs cover every building type that
// has loads, every vintage kind, a house of every floor type, every utility
// the sample sites reach, both run lengths, a re-read's months, and a year
// and a re-read's months with an array and collectors. Their results are
// kept in tests/data/reference/results.txt; a run that leaves other
// figures has changed the physics.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/types.h"

namespace mavo::reference {

namespace fs = std::filesystem;

// The directories a reference's project is made in and runs with.
struct Directories {
    fs::path util, weather;
};

// An hourly series of a run's CSV report: one column of one month's
// average day, 24 hours, as the report prints it.
struct Series {
    std::string name;  // e.g. "lights-gain/7"
    double step = 1.0;  // the report's last printed digit
    std::vector<double> hours;
};

// What one recorded run left for the host: the scheme's summary column
// (rows 1 to 80 of the exported block) and a few hourly series of its CSV.
struct Figures {
    std::vector<double> rows;
    std::vector<Series> series;
};

using Results = std::vector<std::pair<std::string, Figures>>;  // by recorded run, in the road's order

class Project;

struct Reference {
    std::string name;
    std::function<void(Project&)> road;  // what the host does, recording some of its runs
};

const std::vector<Reference>& references();

// Makes the reference's project in `dir` (which must not exist yet) and
// runs its road. Throws std::runtime_error naming the step where a call
// fails or simulates nothing.
Results run_reference(const Reference& r, const Directories& d, const fs::path& dir);

}  // namespace mavo::reference
