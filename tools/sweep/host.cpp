// The host's side between runs: the project's files, the edits a host
// makes, a new project as the host makes one.
#include "sweep/host.h"

#include <unistd.h>

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

// The host's own memory: every edit starts from fresh blocks, so that what
// a host writes never depends on what the kernel left in this process.
void host_directories(const Inputs& in, const fs::path& project) {
    reset_all_blocks();
    host::use_directories(project.string(), in.util.string(), in.weather.string());
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKKEEP2 = 26;
}

// Rewrites the input file and parameter column of scheme `slot`.
void edit_scheme(const Inputs& in, const fs::path& project, INTEGER slot, const std::function<void()>& edit) {
    host_directories(in, project);
    host::edit_loaded_scheme(slot, edit);
}

// Selects scheme `slot` and stores its command and second scheme.
void select_scheme(const Inputs& in, const fs::path& project, INTEGER slot, REAL command, INTEGER second) {
    host_directories(in, project);
    IDNUM1 = slot;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = slot;
    INTEGER serving = slot;
    while (serving >= 10) serving /= 10;
    STRATEGY(2, serving) = command;
    IDNUM2 = second;
    AADISK(6);
    AADISK(1);
}

// Where the input file keeps a run flag, found once per process.
std::size_t flag_byte(const Inputs& in, INTEGER flag) {
    static std::map<INTEGER, std::size_t> bytes;
    if (auto it = bytes.find(flag); it != bytes.end()) return it->second;
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

// A new project whose two design slots describe the case at `site`.
void new_project(const Inputs& in, const fs::path& dir, const Case& c, const Site& site) {
    fs::remove_all(dir);
    host::new_project_files(dir, in.util);
    for (const INTEGER slot : {1, 2}) {
        edit_scheme(in, dir, slot, [&] {
            for (const auto& [row, v] : c.rows) STRATEGY(row, slot) = v;
            for (const INTEGER flag : c.rate_flags) {
                if (flag == 26) STRATEGY(1, slot) = c.electric_choice;
                if (flag == 29) STRATEGY(3, slot) = c.gas_choice;
                if (flag == 82 || flag == 83) NFLAG(flag) = true;
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
