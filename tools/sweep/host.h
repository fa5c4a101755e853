// The host's side between runs: the project's files as a host reads them,
// and the edits a host makes between calls.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "blocks/blocks.h"
#include "sweep/draw.h"

namespace mavo::sweep {

// Every file of the project directory but its lock, by name.
using Files = std::map<std::string, std::string>;

Files project_files(const fs::path& dir);
void write_file(const fs::path& p, const std::string& bytes);
// FNV-1a over every file's name and bytes: two runs that leave the same
// files have the same digest.
std::uint64_t digest(const Files& files);
// The same over the blocks a host reads after a call (the run flags, the
// summary columns, the design loads and the chart arrays).
std::uint64_t exported_blocks_digest();

// The host's own memory: every edit starts from fresh blocks, so that what
// a host writes never depends on what the kernel left in this process.
void host_directories(const Inputs& in, const fs::path& project);

// A design application keeps the kernel loaded: its edits between calls
// leave the kernel's memory as the last call left it. Where this is chosen
// (the child that runs a case in one process as such a host), every edit
// of this file puts the kernel's blocks back as it found them; otherwise
// every call starts from the blocks an edit reset, as in a fresh process.
void keep_kernel_memory_between_calls(bool keep);
class HostEdit {
public:
    HostEdit();
    ~HostEdit();
    HostEdit(const HostEdit&) = delete;
    HostEdit& operator=(const HostEdit&) = delete;

private:
    std::unique_ptr<AllBlocks> kept_;
};
// Rewrites the input file and parameter column of scheme `slot`.
void edit_scheme(const Inputs& in, const fs::path& project, INTEGER slot, const std::function<void()>& edit);
// The parameter columns of slots 1 to 9 as the project's strategy file
// holds them, rows 1 to 310 (the command, row 2, as 0).
std::vector<std::vector<REAL>> saved_columns(const Inputs& in, const fs::path& project);
// The summary columns 1 to 18 as the project's summary file holds them,
// rows 1 to 80.
std::vector<std::vector<REAL>> saved_summary(const Inputs& in, const fs::path& project);
// Selects scheme `slot` and stores its command and second scheme.
void select_scheme(const Inputs& in, const fs::path& project, INTEGER slot, REAL command, INTEGER second);
// Sets run flags in the saved input file of scheme `slot`: those a save
// clears (the user's basic rates 26 and 29, "the user changed the location"
// 81) the host sets in the file after its edit, for the next run.
void set_saved_flags(const Inputs& in, const fs::path& project, INTEGER slot, const std::vector<INTEGER>& flags);
// Whether run flag `flag` is set in the saved input file of scheme `slot`
// among the project's files.
bool saved_flag(const Inputs& in, const Files& files, INTEGER slot, INTEGER flag);
void set_location_changed(const Inputs& in, const fs::path& project, INTEGER slot);
// A site as the host stores it: a weather file by its name and a negative
// zip code, a zip code or zone number with no weather file named.
void place(const Site& s, INTEGER slot);
// Gives scheme `slot` the default schedules of another building.
void copy_schedule(const Inputs& in, const fs::path& project, INTEGER slot);
// Rewrites the rates the results file of scheme `slot` keeps in force.
void edit_results(const Inputs& in, const fs::path& project, INTEGER slot, const std::function<void()>& edit);
// A new project whose two design slots describe the case at `site`.
void new_project(const Inputs& in, const fs::path& dir, const Case& c, const Site& site);
// Whether the case's user revises rates (flags 82, 83).
bool revises_rates(const Case& c);
// The user's revised rates of the case written into schemes `slots` (1 and
// 2 unless named) as a host writes them, with their flags, once the site
// is in force (a move drops them).
void give_user_rates(const Inputs& in, const fs::path& dir, const Case& c, const std::vector<INTEGER>& slots = {1, 2});

}  // namespace mavo::sweep
