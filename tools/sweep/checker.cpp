// One call of the kernel as the host makes it, and the comparisons of runs.
#include "sweep/checker.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

#include "blocks/blocks.h"
#include "host_edit.h"
#include "mavokernel.h"
#include "sweep/laws.h"
#include "sweep/oracles.h"
#include "sweep/typed.h"

namespace mavo::sweep {

namespace {

// The size a whole file of the project has: that of the utility
// directory's file it starts from.
std::size_t expected_size(const Inputs& in, const std::string& name) {
    static std::map<std::string, std::size_t> sizes;
    auto size_of = [&](const char* util_name) {
        auto it = sizes.find(util_name);
        if (it != sizes.end()) return it->second;
        return sizes[util_name] = static_cast<std::size_t>(fs::file_size(in.util / util_name));
    };
    if (name == "summaryb.dat") return size_of("sumary0b.dat");
    if (name == "stratb.dat" || name == "stratb.bfr") return size_of("strat0b.dat");
    if (name == "master.dir") return size_of("master0.dir");
    if (name.size() == 11 && name.rfind("scheme", 0) == 0 && name.substr(7) == "b.dat") return size_of("scheme0b.dat");
    if (name.size() == 11 && name.rfind("scheme", 0) == 0 && name.substr(7) == "b.het") return size_of("scheme0b.het");
    return 0;
}

// Rows 44 to 46 hold the last run's net costs: compared as results.
std::optional<std::string> params_differ(const Run& a, const Run& b) {
    for (std::size_t i = 0; i < a.params.size() && i < b.params.size(); ++i) {
        const double x = a.params[i], y = b.params[i];
        const bool cost = i + 1 >= 44 && i + 1 <= 46;
        if (cost ? !close_enough(x, y) : x != y) {
            std::ostringstream o;
            o.precision(9);
            o << "parameter row " << i + 1 << ": " << x << " against " << y;
            return o.str();
        }
    }
    return std::nullopt;
}

// Where two versions of a file first differ: the line of a text, the
// byte of a binary file.
std::string first_difference(const std::string& name, const std::string& a, const std::string& b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const bool text = name.find(".csv") != std::string::npos || name.find(".txt") != std::string::npos ||
                      name.find(".xml") != std::string::npos || name.find(".cclink") != std::string::npos;
    if (!text) return name + " differs at byte " + std::to_string(at);
    const std::size_t line = static_cast<std::size_t>(std::count(a.begin(), a.begin() + at, '\n')) + 1;
    auto line_at = [&](const std::string& s) {
        const std::size_t from = s.rfind('\n', at == 0 ? 0 : at - 1);
        const std::size_t start = (from == std::string::npos || at == 0) ? 0 : from + 1;
        const std::size_t end = s.find('\n', start);
        return s.substr(start, std::min<std::size_t>(end == std::string::npos ? s.size() - start : end - start, 160));
    };
    return name + " line " + std::to_string(line) + ": \"" + line_at(a) + "\" against \"" + line_at(b) + "\"";
}

}  // namespace

bool close_enough(double x, double y, double absolute) {
    if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
    return std::fabs(x - y) <= 1e-4 * std::max(std::fabs(x), std::fabs(y)) + absolute;
}

std::optional<std::string> rows_differ(const std::vector<REAL>& a, const std::vector<REAL>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const double x = a[i], y = b[i];
        if (!close_enough(x, y)) {
            std::ostringstream o;
            o.precision(9);
            o << "summary row " << i + 1 << ": " << x << " against " << y;
            return o.str();
        }
    }
    return std::nullopt;
}

std::optional<std::string> files_differ(const Files& a, const Files& b,
                                        const std::function<bool(const std::string&)>& which) {
    for (const auto& [n, bytes] : a) {
        if (!which(n)) continue;
        if (!b.count(n)) return n + " missing";
        if (bytes != b.at(n)) return first_difference(n, bytes, b.at(n));
    }
    for (const auto& [n, bytes] : b)
        if (which(n) && !a.count(n)) return n + " missing in the first";
    return std::nullopt;
}

void Checker::say(const std::string& line) const {
    const std::string l = line + "\n";
    if (write(fd, l.data(), l.size()) < 0) _exit(3);
}

void Checker::fail(const std::string& invariant, const std::string& detail) {
    if (seen[invariant]) return;
    seen[invariant] = true;
    broken.push_back(invariant + ": " + detail);
    say("FAIL " + invariant + ": " + detail);
}

void Checker::reached(const std::string& invariant) const { say("REACHED " + invariant); }
void Checker::due(const std::string& invariant) const { say("DUE " + invariant); }

Run Checker::run(const fs::path& project, INTEGER slot, REAL command, const std::string& step, INTEGER second,
                 const std::string& name) {
    select_scheme(in, project, slot, command, second);
    if (auto f = flags_every_run.find(slot); f != flags_every_run.end()) set_saved_flags(in, project, slot, f->second);
    // A scheme whose column names no site (an erased slot run again) takes
    // the default location as its site, as a move there: the rates it kept
    // go, as they go wherever the kernel puts the default location in force.
    // (Read before the name buffer is written: a read starts from fresh
    // blocks.)
    const bool no_site = slot >= 1 && slot <= 9 &&
                         saved_columns(in, project)[static_cast<std::size_t>(slot - 1)][3] == 0.0f;
    if (!name.empty()) host::write_name_buffer(name);
    say("STEP " + step);
    const Files before = project_files(project);
    // The user's revised rates are due on this run where the host's files
    // keep them and no move is marked.
    const bool scheme = slot >= 1 && slot <= 9;
    const bool moved = scheme && (no_site || saved_flag(in, before, slot, 81));
    const bool user_electric = scheme && !moved && saved_flag(in, before, slot, 82);
    const bool user_gas = scheme && !moved && saved_flag(in, before, slot, 83);
    const std::string p = project.string(), u = in.util.string(), w = in.weather.string();
    Run r;
    r.rc = MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
    const std::uint64_t blocks_left = exported_blocks_digest();
    ++runs;
    r.column = slot;
    r.refused = NFLAG(91);
    r.electric_zone = ERATEZONE;
    r.gas_zone = GRATEZONE;
    r.climate_zone = static_cast<INTEGER>(CECZONE);
    r.user_electric = user_electric;
    r.user_gas = user_gas;
    r.step = step;
    Metered& e = r.metered;
    e.year = NFLAG(38);
    for (INTEGER m = 1; m <= 12; ++m) {
        e.days[m - 1] = e.year ? MODAYS(m) : 1;
        e.season_month[m - 1] = e.year ? m : TMON(m);
        double btu = 0.0;
        for (INTEGER h = 1; h <= 24; ++h) {
            e.kwh[m - 1][h - 1] = TEMPKWHR(h, m);
            e.pv[m - 1][h - 1] = PV(h, m);
            btu += TEMPFUEL(h, m);
        }
        e.therms[m - 1] = btu * e.days[m - 1] / 100000.0;
    }
    e.fuel_type = FUELTYPE;
    e.water_heater = WHTYPE;
    e.nonresidential = NFLAG(24);
    e.electricity_row = BLK41.NROWE;
    e.fuel_row = BLK41.NROWF;
    e.weather_file = std::string(CLIMATEFILENAME.trimmed());
    r.files = project_files(project);
    say("DIGEST " + std::to_string(digest(r.files)) + " " + std::to_string(blocks_left) + " " + step);
    if (r.rc == 1) reached("a refused run changes nothing");
    else if (r.rc == 0) reached("a run saves whole files");
    reached("a run returns 0 or 1");
    if (r.rc == 1 && r.files != before) {
        for (const auto& [n, bytes] : r.files)
            if (!before.count(n) || before.at(n) != bytes) {
                fail("a refused run changes nothing", step + " returned 1 and changed " + n);
                break;
            }
    } else if (r.rc != 0 && r.rc != 1) {
        fail("a run returns 0 or 1", step + " returned " + std::to_string(r.rc));
    } else if (r.rc == 0) {
        for (const auto& [n, bytes] : r.files) {
            const std::size_t want = expected_size(in, n);
            if (want != 0 && bytes.size() != want) {
                fail("a run saves whole files", step + ": " + n + " has " + std::to_string(bytes.size()) +
                                                    " bytes, not " + std::to_string(want));
                break;
            }
        }
        for (const auto& [n, bytes] : before)
            if (!r.files.count(n) && n.find(".xml") == std::string::npos && n.find(".txt") == std::string::npos) {
                fail("a run saves whole files", step + ": " + n + " is gone");
                break;
            }
    }
    for (INTEGER row = 1; row <= 80; ++row) r.rows.push_back(SUMARY(row, slot >= 10 ? 10 : slot));
    INTEGER serving = slot;
    while (serving >= 10) serving /= 10;
    for (INTEGER row = 1; row <= 310; ++row) r.params.push_back(row == 2 ? 0.0f : STRATEGY(row, serving));
    note_history(project, slot, command, second, r);
    r.history = scheme_history(project, slot);
    std::ostringstream o;
    o << "RAN return " << r.rc << ", days " << r.rows[47] << ", electricity " << r.rows[24] << " kWh, fuel "
      << r.rows[65] << " therms, cost $" << r.rows[36] << ", fuel type " << FUELTYPE << ", water heater " << WHTYPE << (r.refused ? ", library command refused" : "");
    say(o.str());
    // Plain and design runs of a scheme; a library command may run another
    // scheme or a line than the one selected.
    const bool plain_or_design = command == 0.0f || command == 243.0f || command == 246.0f;
    if (r.simulated() && scheme && plain_or_design && own_project) {
        check_amounts(*this, r);
        check_laws(*this, r, command);
    }
    if (own_project && !typed_project.empty() && project == typed_project) {
        check_typed_rows(*this, r, command, second);
        check_line_bills(*this, r, command, second);
    }
    return r;
}

void Checker::settle_missing_zone(const fs::path& project, const Site& site, INTEGER slot, REAL command) {
    if (site.kind != Site::kZoneNumber || site.zone_file) return;
    const Run r = run(project, slot, command, "run meeting the missing zone file of " + describe(site));
    const std::string invariant = "a zone site without its zone file falls back once, to the default location";
    if (r.rc != 0) return;  // a building the kernel refuses: checked as every refused run is
    reached(invariant);
    if (r.rows[47] != 0.0f) return fail(invariant, "it simulated days");
    // Schemes 1 and 2 share their site; a library slot has its own.
    const std::vector<INTEGER> sharing = slot <= 2 ? std::vector<INTEGER>{1, 2} : std::vector<INTEGER>{slot};
    for (const INTEGER s : sharing)
        if (STRATEGY(4, s) != 90024.0f)
            return fail(invariant, "the site of scheme " + std::to_string(s) + " is " + std::to_string(STRATEGY(4, s)));
}

void Checker::same_scheme(const std::string& invariant, const Run& a, const Run& b, bool saved_too) {
    if (a.rc != b.rc) return fail(invariant, "returned " + std::to_string(a.rc) + " and " + std::to_string(b.rc));
    if (a.simulated() && b.simulated()) reached(invariant);
    if (auto d = rows_differ(a.rows, b.rows)) return fail(invariant, *d);
    const std::string input = "scheme" + std::to_string(a.column) + "b.dat";
    if (!saved_too) return;
    if (auto d = files_differ(a.files, b.files, [&](const std::string& n) { return n == input; }))
        return fail(invariant, *d);
    if (auto d = params_differ(a, b)) return fail(invariant, *d);
}

void Checker::same_reports(const std::string& invariant, const Run& a, const Run& b) {
    if (a.rc != b.rc) return;  // same_scheme tells it
    const std::string scheme = "scheme" + std::to_string(a.column) + ".";
    const auto report = [&](const std::string& n) {
        if (n.rfind(scheme, 0) != 0) return false;
        const std::string end = n.substr(scheme.size());
        return end == "txt" || end == "xml" || end == "csv" || end == "cclink";
    };
    if (auto d = files_differ(a.files, b.files, report)) fail(invariant, *d);
}

void Checker::same_files(const std::string& invariant, const Files& a, const Files& b, bool first_after_edit) {
    reached(invariant);
    if (auto d = files_differ(a, b, [&](const std::string& n) { return !(first_after_edit && n == "stratb.bfr"); }))
        fail(invariant, *d);
}

}  // namespace mavo::sweep
