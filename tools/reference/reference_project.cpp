// A reference's project on the host's road.
#include "reference/reference_project.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "blocks/blocks.h"
#include "host_edit.h"
#include "mavokernel.h"
#include "project/project.h"

namespace mavo::reference {

Project::Project(const Directories& d, fs::path dir) : d_(d), dir_(std::move(dir)) {}

void Project::host_memory() const {
    host::fresh_host_memory(dir_.string(), d_.util.string(), d_.weather.string());
}

void Project::make(const Site& site, const std::vector<std::pair<int, REAL>>& rows, INTEGER nonresidential_type) {
    host::new_project_files(dir_, d_.util);
    for (const INTEGER slot : {1, 2}) {
        edit(slot, [&] {
            for (const auto& [row, value] : rows) STRATEGY(row, slot) = value;
            STRATEGY(4, slot) = site.zip;
            CLIMATEFILENAME = site.weather_file;
            if (nonresidential_type > 0) {
                NFLAG(24) = true;
                NTYPE = nonresidential_type;
            }
        });
        set_flags(slot, {81});  // the user gave the location
    }
}

void Project::edit(INTEGER slot, const std::function<void()>& change) {
    host_memory();
    host::edit_loaded_scheme(slot, change);
}

void Project::set_flags(INTEGER slot, std::initializer_list<INTEGER> flags) {
    // Where the input file keeps a flag, measured once on a scratch
    // project by the kernel's own writer.
    static std::map<INTEGER, std::size_t> bytes;
    const fs::path file = dir_ / ("scheme" + std::to_string(slot) + "b.dat");
    std::ifstream in(file, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    for (const INTEGER flag : flags) {
        if (!bytes.count(flag))
            bytes[flag] = host::input_file_flag_byte(flag, dir_.parent_path() / (dir_.filename().string() + "-flags"),
                                                     d_.util.string(), d_.weather.string());
        content.at(bytes[flag]) = 1;
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

void Project::run(INTEGER slot, REAL command, INTEGER second, const std::string& text) {
    host_memory();
    host::store_command(slot, command, second);
    if (!text.empty()) host::write_name_buffer(text);
    const std::string p = dir_.string(), u = d_.util.string(), w = d_.weather.string();
    const int rc = MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
    const INTEGER column = IDNUM1 >= 1 && IDNUM1 <= 9 ? IDNUM1 : slot;  // the scheme the call simulated
    std::ostringstream step;
    step << dir_.filename().string() << ": scheme " << slot << ", command " << command;
    if (rc != 0) throw std::runtime_error(step.str() + ": the call returned " + std::to_string(rc));
    if (!NFLAG(51) || !NFLAG(80) || SUMARY(48, column) <= 0.0f)
        throw std::runtime_error(step.str() + ": nothing was simulated (flags 15, 54, 67, 68: " +
                                 std::to_string(NFLAG(15)) + std::to_string(NFLAG(54)) + std::to_string(NFLAG(67)) +
                                 std::to_string(NFLAG(68)) + ")");
}

namespace {

// The hour lines of each month's two tables in a CSV report (a month of the
// year, or a representative day of a twelve-day run): the line after
// "Averages" is the day's mean, not an hour.
std::vector<std::vector<std::string>> csv_hour_lines(const fs::path& csv) {
    std::ifstream in(csv);
    std::vector<std::vector<std::string>> months;
    bool skip_next = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(" Month =", 0) == 0 || line.rfind(" Date=", 0) == 0) {
            months.emplace_back();
            continue;
        }
        if (line.find("Averages") != std::string::npos) {
            skip_next = true;
            continue;
        }
        char* end = nullptr;
        std::strtod(line.c_str(), &end);
        const bool hour_line = end != line.c_str() && *end == ',';
        if (!hour_line || months.empty()) continue;
        if (skip_next) skip_next = false;
        else months.back().push_back(line);
    }
    return months;
}

// Field `field` after the hour of a report line, and the step of its last
// printed digit.
double csv_field(const std::string& line, int field, double& step) {
    std::size_t at = 0;
    for (int f = 0; f < field; ++f) at = line.find(',', at) + 1;
    const std::size_t stop = line.find(',', at);
    const std::string text = line.substr(at, stop - at);
    const std::size_t point = text.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : text.find_last_not_of(' ') - point;
    step = std::pow(10.0, -static_cast<double>(decimals));
    return std::stod(text);
}

}  // namespace

void Project::record(const std::string& name, INTEGER slot, REAL command, const std::vector<SeriesWanted>& series,
                     INTEGER second, const std::string& text) {
    run(slot, command, second, text);
    take_figures(name, slot, series);
}

void Project::record_reread(const std::string& name, INTEGER slot, const std::string& months) {
    constexpr REAL kReread = 209.0f;
    run(slot, kReread, slot, months);
    // A refused command goes on as a plain run of the scheme: the months'
    // figures would be the year's.
    if (NFLAG(91)) throw std::runtime_error(name + ": the re-read was refused");
    take_figures(name, slot, {});
}

// What the run just made left for the host: the scheme's column of the
// exported summary block and the series of its CSV report.
void Project::take_figures(const std::string& name, INTEGER slot, const std::vector<SeriesWanted>& series) {
    Figures f;
    for (INTEGER row = 1; row <= 80; ++row) f.rows.push_back(SUMARY(row, slot));
    if (!series.empty()) {
        const auto months = csv_hour_lines(dir_ / ("scheme" + std::to_string(slot) + ".csv"));
        for (const SeriesWanted& s : series) {
            Series out{std::string(s.column.name) + "/" + std::to_string(s.month), 1.0, {}};
            const std::size_t m = static_cast<std::size_t>(s.month - 1);
            if (m >= months.size() || months[m].size() != 48)
                throw std::runtime_error(name + ": the CSV report holds no hours of month " + std::to_string(s.month));
            for (int h = 0; h < 24; ++h) {
                double step = 1.0;
                out.hours.push_back(csv_field(months[m][static_cast<std::size_t>((s.column.table - 1) * 24 + h)],
                                              s.column.field, step));
                out.step = std::min(out.step, step);
            }
            f.series.push_back(std::move(out));
        }
    }
    results.emplace_back(name, std::move(f));
}

Results run_reference(const Reference& r, const Directories& d, const fs::path& dir) {
    Project p(d, dir);
    r.road(p);
    return std::move(p.results);
}

}  // namespace mavo::reference
