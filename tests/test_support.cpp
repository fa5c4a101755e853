#include "test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <utility>

#include "blocks/blocks.h"
#include "blocks/run_control.h"
#include "front/scheme_numbers.h"
#include "host_edit.h"
#include "mavokernel.h"
#include "project/project.h"

namespace mavo::testing {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("mavo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> read_lines(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

void write_file(const std::filesystem::path& p, const std::string& content) {
    std::ofstream out(p, std::ios::binary);
    out << content;
}

std::set<std::string> names_in(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

unsigned long long inode_of(const std::filesystem::path& file) {
    struct stat st{};
    return ::lstat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

void use_directories(const std::string& project, const std::string& util, const std::string& weather) {
    host::use_directories(project, util, weather);
}

std::filesystem::path sample_data() { return MAVO_SOURCE_DIR "/data"; }

void site_in_climate_zone(int slot, int zone, const std::filesystem::path& weather) {
    if (!std::filesystem::exists(weather / "zipcodes.sce"))
        std::filesystem::copy_file(sample_data() / "weather" / "zipcodes.sce", weather / "zipcodes.sce");
    STRATEGY(4, slot) = static_cast<REAL>(zone);
    ZIPCODE = static_cast<REAL>(zone);
    CECZONE = zone;
}

void new_project(const std::filesystem::path& dir, const std::filesystem::path& util) {
    host::new_project_files(dir, util);
}

int run_on_sample_data(const std::filesystem::path& project) {
    const std::string p = project.string(), u = (sample_data() / "util").string(),
                      w = (sample_data() / "weather").string();
    return MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
}

void host_loads(const std::filesystem::path& project) {
    reset_all_blocks();
    use_directories(project.string(), (sample_data() / "util").string(), (sample_data() / "weather").string());
    BLK0B.DISKPROJ = 32;
    AADISK(-1);
}

void host_requests(const std::filesystem::path& project, std::int32_t current, std::int32_t command,
                   std::int32_t operand) {
    host_loads(project);
    IDNUM1 = current;
    AADISK(-5);
    IDNUM1 = current;
    IDNUM2 = operand;
    STRATEGY(2, serving_slot(current)) = static_cast<REAL>(command);
    AADISK(6);
    AADISK(1);
}

}  // namespace mavo::testing
