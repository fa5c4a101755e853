// The host's side between runs: the project's files, the edits a host
// makes, a new project as the host makes one.
#include "sweep/host.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "blocks/blocks.h"
#include "host_edit.h"
#include "project/project.h"

namespace mavo::sweep {

Files project_files(const fs::path& dir) {
    Files files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().filename() != ".mavolock")
            files[e.path().filename().string()] = read_file(e.path());
    return files;
}

void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// FNV-1a over every file's name and bytes: two runs that leave the same
// files have the same digest.
std::uint64_t digest(const Files& files) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    auto add = [&](const std::string& bytes) {
        for (const char ch : bytes) h = (h ^ static_cast<unsigned char>(ch)) * 0x100000001B3ull;
        h = (h ^ 0xFF) * 0x100000001B3ull;
    };
    for (const auto& [name, bytes] : files) {
        add(name);
        add(bytes);
    }
    return h;
}

std::uint64_t exported_blocks_digest() {
    Files blocks;
    const auto add = [&](const char* name, const auto& block) {
        blocks[name] = std::string(reinterpret_cast<const char*>(&block), sizeof block);
    };
    add("BLK10", BLK10);
    add("BLK16", BLK16);
    add("BLK20", BLK20);
    add("BLK25", BLK25);
    add("BLK44A", BLK44A);
    add("BLK44B", BLK44B);
    return digest(blocks);
}

namespace {
bool keep_kernel_memory = false;
}  // namespace

void keep_kernel_memory_between_calls(bool keep) { keep_kernel_memory = keep; }

HostEdit::HostEdit() {
    if (keep_kernel_memory) kept_ = keep_all_blocks();
}

HostEdit::~HostEdit() {
    if (kept_) restore_all_blocks(*kept_);
}

// The host's own memory: every edit starts from fresh blocks, so that what
// a host writes never depends on what the kernel left in this process.
void host_directories(const Inputs& in, const fs::path& project) {
    host::fresh_host_memory(project.string(), in.util.string(), in.weather.string());
}

// Rewrites the input file and parameter column of scheme `slot`.
void edit_scheme(const Inputs& in, const fs::path& project, INTEGER slot, const std::function<void()>& edit) {
    const HostEdit host;
    host_directories(in, project);
    host::edit_loaded_scheme(slot, edit);
}

std::vector<std::vector<REAL>> saved_columns(const Inputs& in, const fs::path& project) {
    const HostEdit host;
    host_directories(in, project);
    AADISK(-1);
    AADISK(-5);
    std::vector<std::vector<REAL>> columns;
    for (INTEGER k = 1; k <= 9; ++k) {
        columns.emplace_back();
        for (INTEGER row = 1; row <= 310; ++row) columns.back().push_back(row == 2 ? 0.0f : STRATEGY(row, k));
    }
    return columns;
}

std::vector<std::vector<REAL>> saved_summary(const Inputs& in, const fs::path& project) {
    const HostEdit host;
    host_directories(in, project);
    AADISK(-1);
    std::vector<std::vector<REAL>> columns;
    for (INTEGER col = 1; col <= 18; ++col) {
        columns.emplace_back();
        for (INTEGER row = 1; row <= 80; ++row) columns.back().push_back(SUMARY(row, col));
    }
    return columns;
}

// Selects scheme `slot` and stores its command and second scheme.
void select_scheme(const Inputs& in, const fs::path& project, INTEGER slot, REAL command, INTEGER second) {
    const HostEdit host;
    host_directories(in, project);
    host::store_command(slot, command, second);
}

// Where the input file keeps a run flag, found once per process.
std::size_t flag_byte(const Inputs& in, INTEGER flag) {
    static std::map<INTEGER, std::size_t> bytes;
    if (auto it = bytes.find(flag); it != bytes.end()) return it->second;
    const HostEdit host;
    const fs::path scratch = in.work / ("flag-layout-" + std::to_string(getpid()));
    return bytes[flag] = host::input_file_flag_byte(flag, scratch, in.util.string(), in.weather.string());
}

void set_saved_flags(const Inputs& in, const fs::path& project, INTEGER slot, const std::vector<INTEGER>& flags) {
    const fs::path f = project / ("scheme" + std::to_string(slot) + "b.dat");
    std::string bytes = read_file(f);
    for (const INTEGER flag : flags) {
        const std::size_t at = flag_byte(in, flag);
        if (at < bytes.size()) bytes[at] = 1;
    }
    write_file(f, bytes);
}

bool saved_flag(const Inputs& in, const Files& files, INTEGER slot, INTEGER flag) {
    const auto f = files.find("scheme" + std::to_string(slot) + "b.dat");
    if (f == files.end()) return false;
    const std::size_t at = flag_byte(in, flag);
    return at < f->second.size() && f->second[at] != 0;
}

void set_location_changed(const Inputs& in, const fs::path& project, INTEGER slot) {
    set_saved_flags(in, project, slot, {81});
}

// A site as the host stores it: a weather file by its name and a negative
// zip code, a zip code or zone number with no weather file named.
void place(const Site& s, INTEGER slot) {
    STRATEGY(4, slot) = s.number;
    CLIMATEFILENAME = s.kind == Site::kWeatherFile ? s.name.c_str() : "";
}

void copy_schedule(const Inputs& in, const fs::path& project, INTEGER slot) {
    fs::copy_file(in.util / "schedule01.dat", project / ("schedule" + std::to_string(slot) + ".dat"),
                  fs::copy_options::overwrite_existing);
}

// Rewrites the rates the results file of scheme `slot` keeps in force.
void edit_results(const Inputs& in, const fs::path& project, INTEGER slot, const std::function<void()>& edit) {
    const HostEdit host;
    host_directories(in, project);
    host::edit_loaded_results(slot, edit);
}

namespace {

// The user's revised rates written as the host writes them: the electric
// and gas words of the results file, and the time-of-use record of the
// input file.
void write_user_rates(const Inputs& in, const fs::path& dir, const Case& c, INTEGER slot) {
    const UserRates& u = c.user_rates;
    edit_results(in, dir, slot, [&] {
        ERATE1 = u.tier[0];
        ERATE2 = u.tier[1];
        ERATE3 = u.tier[2];
        ERATE4 = u.tier[3];
        ERATE5 = u.tier[4];
        for (INTEGER t = 1; t <= 3; ++t) ERATEW(t) = u.smud_winter[static_cast<std::size_t>(t - 1)];
        for (INTEGER t = 1; t <= 5; ++t) {
            ETIERADDS(t) = u.adder_summer[static_cast<std::size_t>(t - 1)];
            ETIERADDW(t) = u.adder_winter[static_cast<std::size_t>(t - 1)];
        }
        EBASES = u.baseline_summer;
        EBASEW = u.baseline_winter;
        EWINMON1 = u.winter_first;
        EWINMON2 = u.winter_last;
        ECUSTOMCHG = u.meter_charge;
        EADDER = 0.0f;
        BLK33A.GASBASE = u.therm_base;
        BLK33A.GASABOVE = u.therm_above;
        BLK33A.GASBASES = u.therm_base_summer;
        BLK33A.GASABOVES = u.therm_above_summer;
        BLK33A.GCUSTOMCHG = u.gas_charge;
        BLK33A.GWINMON1 = u.gas_winter_first;
        BLK33A.GWINMON2 = u.gas_winter_last;
        BLK33A.GASMULT = 1.0f;
        BLK33B.GBASEW = u.gas_baseline_winter;
        BLK33B.GBASES = u.gas_baseline_summer;
    });
    edit_scheme(in, dir, slot, [&] {
        // The user's record, written whole: no tariff year and no demand
        // charges, whatever record the scheme's last run left.
        TouRecord rec{};
        rec.CUSTCHG = u.meter_charge;
        for (INTEGER q = 1; q <= 3; ++q) rec.WINRATES(q) = rec.SUMRATES(q) = u.period[static_cast<std::size_t>(q - 1)];
        for (INTEGER q = 1; q <= 4; ++q) rec.WINHOURS(q) = rec.SUMHOURS(q) = u.period_hours[static_cast<std::size_t>(q - 1)];
        rec.WINMON1 = 1;
        rec.WINMON2 = 12;
        TOUREC = rec;
    });
}

}  // namespace

bool revises_rates(const Case& c) {
    return std::any_of(c.rate_flags.begin(), c.rate_flags.end(), [](INTEGER f) { return f == 82 || f == 83; });
}

void give_user_rates(const Inputs& in, const fs::path& dir, const Case& c, const std::vector<INTEGER>& slots) {
    for (const INTEGER slot : slots) {
        write_user_rates(in, dir, c, slot);
        std::vector<INTEGER> flags;
        for (const INTEGER f : c.rate_flags)
            if (f == 82 || f == 83) flags.push_back(f);
        set_saved_flags(in, dir, slot, flags);
    }
}

// A new project whose two design slots describe the case at `site`.
void new_project(const Inputs& in, const fs::path& dir, const Case& c, const Site& site) {
    fs::remove_all(dir);
    host::new_project_files(dir, in.util);
    for (const INTEGER slot : {1, 2}) {
        edit_scheme(in, dir, slot, [&] {
            for (const auto& [row, v] : c.rows) {
                STRATEGY(row, slot) = v;
                if (row == 16) SFACES = v;  // the azimuth is the input file's; row 16 shows it
            }
            for (const INTEGER flag : c.rate_flags) {
                if (flag == 26) STRATEGY(1, slot) = c.electric_choice;
                if (flag == 29) STRATEGY(3, slot) = c.gas_choice;
            }
            place(site, slot);
            if (c.nonresidential) {
                NFLAG(24) = true;
                NTYPE = c.type;
            }
        });
        set_location_changed(in, dir, slot);
    }
}
}  // namespace mavo::sweep
