// Whole runs of a project through the C front as the host makes them: the
// host's edits between calls (through the project store on blocks of their
// own), the kernel's call, and what the run left in the project.
#pragma once
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "front/project_lock.h"
#include "host_edit.h"
#include "mavokernel.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo::testing {

namespace fs = std::filesystem;

inline const fs::path kData = MAVO_SOURCE_DIR "/data";

inline void copy_sample(const fs::path& dir) {
    fs::copy(kData / "project", dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

// Every file the run left, by name; the project's lock file, which stays
// empty between runs, is not one of them.
inline std::map<std::string, std::string> project_files(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().filename() != kProjectLockName)
            files[e.path().filename().string()] = read_file(e.path());
    return files;
}

inline int run_kernel(const fs::path& project, const fs::path& weather = kData / "weather") {
    const std::string p = project.string(), u = (kData / "util").string(), w = weather.string();
    return MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
}

// Selects scheme `slot` and stores its command (and the second scheme of a
// library command), as the host does between runs, through the project
// store on blocks of their own.
inline void select_scheme(const fs::path& project, INTEGER slot, REAL command, INTEGER second = 0) {
    testing::use_directories(project.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    host::store_command(slot, command, second);
}

// Rewrites the input file and parameter column of scheme `slot` as the host
// does: `edit` works on the scheme's blocks and column.
template <class Edit>
inline void edit_scheme(const fs::path& project, INTEGER slot, Edit edit) {
    testing::use_directories(project.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKKEEP2 = 26;
    host::edit_loaded_scheme(slot, edit);
}

// The host's edit of the rates a scheme's results file keeps in force.
template <class Edit>
inline void edit_results(const fs::path& project, INTEGER slot, Edit edit) {
    testing::use_directories(project.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    host::edit_loaded_results(slot, edit);
}

// Turns scheme `slot` into a non-residential building, of building type
// `type` when one is given, and gives it the default schedules.
inline void make_nonresidential(const fs::path& project, INTEGER slot, INTEGER type = 0) {
    edit_scheme(project, slot, [&] {
        NFLAG(24) = true;
        if (type > 0) NTYPE = type;
    });
    fs::copy_file(kData / "util" / "schedule01.dat", project / ("schedule" + std::to_string(slot) + ".dat"),
                  fs::copy_options::overwrite_existing);
}

// Gives scheme `slot` a weather file of the weather directory as its site,
// as the host does when the user picks one: a negative zip code in the
// column, the file's name in the scheme's input file.
inline void choose_weather_file(const fs::path& project, INTEGER slot, const char* epw) {
    edit_scheme(project, slot, [&] {
        CLIMATEFILENAME = epw;
        STRATEGY(4, slot) = -1.0f;
    });
}

// The host sets run flag `flag` of scheme `slot`: a byte of the binary
// input file, flags 1-50 after the window lines and 51-90 after the rates.
// A save clears 26, 29 and 81: the run that takes them in saves them
// cleared.
inline void set_input_file_flag(const fs::path& project, INTEGER slot, INTEGER flag) {
    const std::size_t byte = flag <= 50 ? 2808 + flag - 1 : 5582 + flag - 51;
    const fs::path input_file = project / ("scheme" + std::to_string(slot) + "b.dat");
    std::string input = read_file(input_file);
    input.at(byte) = 1;
    write_file(input_file, input);
}

// The host moves scheme `slot` to `site`, a zip code of the table or a
// weather file of the weather directory, and marks the location as changed
// (flag 81).
inline void move_scheme(const fs::path& project, INTEGER slot, const std::string& site) {
    const bool zip = site.find('.') == std::string::npos;
    edit_scheme(project, slot, [&] {
        STRATEGY(4, slot) = zip ? std::stof(site) : -1.0f;
        if (!zip) CLIMATEFILENAME = site.c_str();
    });
    set_input_file_flag(project, slot, 81);
}

// What a run of one scheme leaves for the host: its summary column and its
// report files.
struct SchemeRun {
    std::vector<REAL> rows;
    std::map<std::string, std::string> reports;
};

inline SchemeRun run_scheme(const fs::path& project, INTEGER slot, REAL command,
                            const fs::path& weather = kData / "weather") {
    select_scheme(project, slot, command);
    SchemeRun r;
    EXPECT_EQ(run_kernel(project, weather), 0);
    for (INTEGER row = 1; row <= 80; ++row) r.rows.push_back(SUMARY(row, slot));
    for (const char* ext : {".txt", ".xml", ".csv", ".cclink"}) {
        const std::string name = "scheme" + std::to_string(slot) + ext;
        r.reports[name] = read_file(project / name);
    }
    return r;
}

inline void expect_same_run(const SchemeRun& a, const SchemeRun& b, const std::string& what) {
    for (std::size_t i = 0; i < a.rows.size(); ++i)
        EXPECT_NEAR(a.rows[i], b.rows[i], 1e-4f * std::max({std::fabs(a.rows[i]), std::fabs(b.rows[i]), 1e-3f}))
            << what << ", summary row " << i + 1;
    for (const auto& [name, bytes] : a.reports) EXPECT_TRUE(bytes == b.reports.at(name)) << what << ": " << name;
}

// What a run saved for the runs after it: every project file but the
// strategy file, its back-up copy and its listing, which also carry the
// command the host stores, and the scheme's parameter column but its
// command.
struct SavedScheme {
    std::map<std::string, std::string> files;
    std::vector<REAL> column;
};

inline SavedScheme saved_scheme(const fs::path& project, INTEGER slot) {
    SavedScheme s;
    s.files = project_files(project);
    for (const char* name : {"stratb.dat", "stratb.bfr", "strategy.txt"}) s.files.erase(name);
    for (INTEGER row = 1; row <= 310; ++row) s.column.push_back(row == 2 ? 0.0f : STRATEGY(row, slot));
    return s;
}

inline void expect_same_saved_scheme(const SavedScheme& a, const SavedScheme& b, const std::string& what) {
    for (const auto& [name, bytes] : a.files)
        EXPECT_TRUE(b.files.count(name) && bytes == b.files.at(name)) << what << ": " << name << " differs";
    for (std::size_t i = 0; i < a.column.size(); ++i)
        EXPECT_EQ(a.column[i], b.column[i]) << what << ", parameter row " << i + 1;
}

// The first run settles a new project's parameter column; the runs compared
// here start from that settled project.
inline fs::path settled_sample(const ScratchDir& dir, const std::string& name) {
    const fs::path p = dir / name;
    copy_sample(p);
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 0);
    return p;
}

// Runs `body` in a child process and gives its result as the child's exit
// code (-1 when the child did not end by exiting).
template <class Body>
inline int in_child_process(Body body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline void expect_same_files(const fs::path& a, const fs::path& b) {
    const auto fa = project_files(a), fb = project_files(b);
    ASSERT_EQ(fa.size(), fb.size());
    for (const auto& [name, bytes] : fa) {
        ASSERT_TRUE(fb.count(name)) << name;
        EXPECT_TRUE(bytes == fb.at(name)) << name << " differs";
    }
}

inline void cut_file(const fs::path& f, std::size_t bytes) {
    std::string content = read_file(f);
    content.resize(bytes);
    write_file(f, content);
}

// The sample home designed (scheme 1) and copied into scheme 3, where the
// user may add collectors and photovoltaics.
inline fs::path designed_home(const ScratchDir& dir, const std::string& name) {
    const fs::path p = dir / name;
    copy_sample(p);
    reset_all_blocks();
    select_scheme(p, 1, 243.0f);
    EXPECT_EQ(run_kernel(p), 0);
    select_scheme(p, 1, 201.0f, 3);
    EXPECT_EQ(run_kernel(p), 0);
    return p;
}

}  // namespace mavo::testing
