// Helpers shared by the tests: scratch directories and whole-file reads.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace mavo::testing {

// A fresh empty directory under the system's temporary directory, removed
// when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& p);
std::vector<std::string> read_lines(const std::filesystem::path& p);
void write_file(const std::filesystem::path& p, const std::string& content);

// The names a directory holds, and the inode number of the file at a name
// (0 when none bears it).
std::set<std::string> names_in(const std::filesystem::path& dir);
unsigned long long inode_of(const std::filesystem::path& file);

// Sets the directory table as the driver does for a run.
void use_directories(const std::string& project, const std::string& util, const std::string& weather);

// The sample data directories (util, weather, project) of the source tree.
std::filesystem::path sample_data();

// Scheme `slot` stands in climate zone `zone`, given as the zone's number:
// its line of the sample zip-code table, copied into the weather directory
// `weather` when that holds none. Every site refresh takes the climate zone
// from the site, so a test of a zone's rules gives the scheme a site there.
void site_in_climate_zone(int slot, int zone, const std::filesystem::path& weather);

// A new project as the host makes one: the utility directory's new-project
// files, and every scheme slot starting as the default scheme (its input
// file, an empty results file and the default schedules).
void new_project(const std::filesystem::path& dir, const std::filesystem::path& util);

// The kernel run through its C front on `project` with the sample's utility
// and weather directories, untraced and without a callback.
int run_on_sample_data(const std::filesystem::path& project);

// The project state as the host reads it between runs: every block fresh,
// the sample's directories, the project's state and summary files read.
void host_loads(const std::filesystem::path& project);

// The host selects scheme number `current`, stores `command` in the column
// that carries its commands and `operand` as the second scheme, and saves
// the project state and strategy file, as it does before a call.
void host_requests(const std::filesystem::path& project, std::int32_t current, std::int32_t command,
                   std::int32_t operand);

}  // namespace mavo::testing
