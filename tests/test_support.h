// Helpers shared by the tests: scratch directories and whole-file reads.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Sets the directory table as the driver does for a run.
void use_directories(const std::string& project, const std::string& util, const std::string& weather);

}  // namespace mavo::testing
