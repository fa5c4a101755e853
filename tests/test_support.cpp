#include "test_support.h"

#include <unistd.h>

#include <atomic>

#include "blocks/run_control.h"

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

void use_directories(const std::string& project, const std::string& util, const std::string& weather) {
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

}  // namespace mavo::testing
