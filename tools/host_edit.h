// What a host does between calls, shared by the stand-in hosts of the sweep
// and of the tests: it names the directories of the next call, and edits a
// scheme (the project's directory and parameter column read, the scheme's
// input file loaded into the blocks, the edit made there, and both saved as
// the host saves them).
#pragma once

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "blocks/blocks.h"
#include "project/project.h"

namespace mavo::host {

// The directories a host names before a call: the project, the utility
// directory (which serves three of the kernel's directory roles) and the
// weather directory, with the host's file conventions.
inline void use_directories(const std::string& project, const std::string& util, const std::string& weather) {
    DIRPATHS(2) = project;
    DIRPATHS(1) = util;
    DIRPATHS(4) = util;
    DIRPATHS(5) = util;
    DIRPATHS(3) = weather;
    SLASH = "/";
    READMODE = 3;
    WRITEMODE = 3;
    OSCODE = 5;
}

// The host's own memory before it reads or edits the project in `project`:
// every block fresh, so that what it writes owes nothing to what a kernel
// call left in this process, the directories named and the units of the
// project files it edits.
inline void fresh_host_memory(const std::string& project, const std::string& util, const std::string& weather) {
    reset_all_blocks();
    use_directories(project, util, weather);
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKKEEP2 = 26;
}

// A new project as the host makes one in `dir`: the utility directory's
// new-project files, and every scheme slot starting as the default scheme
// (its input file, an empty results file and the default schedules).
inline void new_project_files(const std::filesystem::path& dir, const std::filesystem::path& util) {
    namespace fs = std::filesystem;
    fs::create_directories(dir);
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{{"master0.dir", "master.dir"},
                                                                                    {"sumary0b.dat", "summaryb.dat"},
                                                                                    {"strat0b.dat", "stratb.dat"},
                                                                                    {"strat0b.bfr", "stratb.bfr"},
                                                                                    {"scheme0b.het", "scheme0b.het"}})
        fs::copy_file(util / from, dir / to);
    for (int k = 1; k <= 9; ++k) {
        const std::string n = std::to_string(k);
        fs::copy_file(util / "scheme0b.dat", dir / ("scheme" + n + "b.dat"));
        fs::copy_file(util / "scheme0b.het", dir / ("scheme" + n + "b.het"));
        fs::copy_file(util / "schedule01.dat", dir / ("schedule" + n + ".dat"));
    }
}

// The project's directory and parameter columns read, scheme `slot` the
// current one.
inline void read_project_at_scheme(INTEGER slot) {
    IDNUM1 = slot;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = slot;  // the directory read selects its own scheme
}

// The host selects scheme `slot` (a combination number selects its line)
// and stores `command` in the column that carries its commands, the
// leading scheme's, and `second` as the second scheme of a library
// command, in the project whose directories are named.
inline void store_command(INTEGER slot, REAL command, INTEGER second) {
    read_project_at_scheme(slot);
    INTEGER serving = slot;
    while (serving >= 10) serving /= 10;
    STRATEGY(2, serving) = command;
    IDNUM2 = second;
    AADISK(6);
    AADISK(1);
}

// The text the host leaves in the exported name buffer just before a call:
// the name a library command gives, or the months of a re-read as
// four-character words ("MAR JUL").
inline void write_name_buffer(const std::string& text) {
    void* buffer = &BLK27A;
    std::memset(buffer, ' ', sizeof BLK27A);
    std::memcpy(buffer, text.data(), std::min(text.size(), sizeof BLK27A));
}

// The host's edit of scheme `slot` in the project whose directories are named.
template <class Edit>
void edit_loaded_scheme(INTEGER slot, Edit&& edit) {
    read_project_at_scheme(slot);
    FIND2();
    edit();
    KEEP2(1);
    AADISK(6);
}

// The host's edit of the rates scheme `slot`'s results file keeps in force
// (the user's revised tariff words), in the project whose directories are
// named.
template <class Edit>
void edit_loaded_results(INTEGER slot, Edit&& edit) {
    BLK0B.DISKHET = 20;
    BLK0B.DISKKEEP1 = 25;
    read_project_at_scheme(slot);
    FIND1();
    edit();
    KEEP1();
}

// The byte of the scheme's input file that holds run flag `flag` (one byte
// each), found by the kernel's own writer: a scratch project's scheme 1 is
// saved with a flag of the same block cleared and set, and the one byte
// that differs is that flag's. The flags a save clears (the user's basic
// rates 26 and 29, the location change 81) are found beside a neighbour the
// save keeps. `scratch` is a directory the call may make and remove.
inline std::size_t input_file_flag_byte(INTEGER flag, const std::filesystem::path& scratch,
                                        const std::string& util, const std::string& weather) {
    namespace fs = std::filesystem;
    const bool cleared_by_a_save = flag == 26 || flag == 29 || flag == 81;
    const INTEGER measured = cleared_by_a_save ? flag + 1 : flag;
    fs::remove_all(scratch);
    new_project_files(scratch, util);
    auto saved_with = [&](bool value) {
        fresh_host_memory(scratch.string(), util, weather);
        edit_loaded_scheme(1, [&] { NFLAG(measured) = value; });
        std::ifstream in(scratch / "scheme1b.dat", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string cleared = saved_with(false), set = saved_with(true);
    reset_all_blocks();
    fs::remove_all(scratch);
    std::size_t at = 0, differing = 0;
    for (std::size_t i = 0; i < cleared.size() && i < set.size(); ++i)
        if (cleared[i] != set[i]) {
            at = i;
            ++differing;
        }
    if (differing != 1 || cleared.size() != set.size())
        throw std::runtime_error("run flag " + std::to_string(measured) + " is not one byte of the input file");
    return cleared_by_a_save ? at - 1 : at;
}

}  // namespace mavo::host
