// One call of the kernel as the host makes it, with the checks every call
// owes, and the comparisons of two runs.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sweep/host.h"
#include "sweep/scheme_history.h"

namespace mavo::sweep {

// What a run bought, hour by hour, as its own results hold it: the bills
// and the emissions are checked against it.
struct Metered {
    bool year = false;                                  // a 365-day run
    std::array<std::array<double, 24>, 12> kwh{};       // kWh bought in hour h of one day of month m
    std::array<double, 12> therms{};                    // fuel bought in month m, therms
    std::array<std::array<double, 24>, 12> pv{};        // the array's kWh in hour h of one day of month m, as the bill took it off
    std::array<int, 12> days{}, season_month{};          // days month m stands for, its calendar month
    REAL fuel_type = 0.0f;                              // the fuel-type word the run burnt
    INTEGER water_heater = 0;
    bool nonresidential = false;                        // the run's building mode (flag 24)
    INTEGER electricity_row = 0, fuel_row = 0;           // the emission-table rows the scheme holds
    std::string weather_file;                           // the weather file of the run's site
};

struct Run {
    int rc = 0;
    INTEGER column = 0;
    std::vector<REAL> rows;    // summary rows 1 to 80 of the scheme run
    std::vector<REAL> params;  // its parameter column, the command left out
    Files files;
    bool refused = false;  // flag 91: the library command was refused
    INTEGER electric_zone = 0, gas_zone = 0;  // the rate zones the run billed on
    INTEGER climate_zone = 0;                 // the climate zone the run simulated
    Metered metered;
    bool user_electric = false, user_gas = false;  // the host's files held flags 82 and 83 (and no move)
    std::string step;
    SchemeHistory history;  // what the scheme's last design made of it
    // Days simulated (row 48).
    REAL days() const { return rows.size() >= 48 ? rows[47] : 0.0f; }
    bool simulated() const { return rc == 0 && days() > 0.0f; }
};

struct Checker {
    const Inputs& in;
    const Case& c;
    int fd;  // the pipe to the parent
    long runs = 0;
    std::vector<std::string> broken;
    std::map<std::string, bool> seen;
    // Run flags the host sets in a scheme's saved input file before every
    // run of it (the user's basic rates, which a save clears), by slot.
    std::map<INTEGER, std::vector<INTEGER>> flags_every_run{};
    // A line's cost rows by the state they were summed from, with the step
    // that first summed them.
    std::map<std::string, std::pair<std::vector<REAL>, std::string>> line_bills{};
    // Runs of this case's projects are priced on its rates; another case's
    // project run in the same process is not.
    bool own_project = true;
    // Slots a library copy went into since their last run.
    std::set<INTEGER> copied_into{};
    // The rows the designer typed into the case's project, by slot and
    // row, while a run or command keeps them.
    std::map<INTEGER, std::map<int, REAL>> typed{};
    fs::path typed_project{};
    // The last year run of each slot of the case's project, as the line
    // bills price it (its files left out).
    std::map<INTEGER, Run> year_runs{};

    void say(const std::string& line) const;
    // One line per broken invariant; later breaks of the same one add
    // nothing.
    void fail(const std::string& invariant, const std::string& detail);
    // The invariant was checked in this case on runs that simulated days
    // (for a refusal: on a command that read its members).
    void reached(const std::string& invariant) const;
    // The invariant is owed by this case: the parent counts the cases
    // owing it against those reaching it.
    void due(const std::string& invariant) const;

    // One call of the kernel as the host makes it, with the checks every
    // call owes: 0 with whole files, or 1 with every file as it was.
    Run run(const fs::path& project, INTEGER slot, REAL command, const std::string& step, INTEGER second = 0,
            const std::string& name = "");
    // A site given as a climate zone whose zone file the weather directory
    // lacks: the run that meets it simulates nothing, returns 0 and saves
    // the default location (90024) as the site of schemes 1 and 2 (of a
    // library slot, its own); from the next run on the scheme is one at the
    // default location. Does that run, checks it, and leaves the project
    // ready for the case's runs.
    void settle_missing_zone(const fs::path& project, const Site& site, INTEGER slot, REAL command);

    // Design or run `a` and `b` give one scheme: its 80 rows, and unless
    // only the results are compared its saved input file and its parameter
    // column.
    void same_scheme(const std::string& invariant, const Run& a, const Run& b, bool saved_too = true);
    // Runs `a` and `b` of one scheme leave the same reports: its text, XML,
    // CSV and climate link files, where written.
    void same_reports(const std::string& invariant, const Run& a, const Run& b);
    // After the first run of an edited scheme the back-up columns hold the
    // column as the host wrote it, after the second as the first run saved
    // it: `first_after_edit` leaves them out.
    void same_files(const std::string& invariant, const Files& a, const Files& b, bool first_after_edit = false);
};

// The first of two runs' (or columns') summary rows that disagree, beyond
// 1e-4 relative and 1e-3 absolute.
std::optional<std::string> rows_differ(const std::vector<REAL>& a, const std::vector<REAL>& b);
// Two values equal within 1e-4 relative and `absolute`.
bool close_enough(double x, double y, double absolute = 1e-3);
std::optional<std::string> files_differ(const Files& a, const Files& b,
                                        const std::function<bool(const std::string&)>& which);

}  // namespace mavo::sweep
