// Mutated project files and weather: a real project whose scheme runs on an
// EPW file, each file it reads cut, extended, bit-flipped, given a wrong
// header word, deleted or emptied, a fixed set of ways chosen by a seeded
// generator, one test per file. Whatever the damage, the run returns 1 with every file as it
// was, or returns 0 with every file it wrote whole; it never crashes, hangs
// or leaves a temporary file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "front/project_lock.h"
#include "mavokernel.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::read_lines;
using testing::ScratchDir;
using testing::write_file;

const fs::path kData = MAVO_SOURCE_DIR "/data";
constexpr const char* kWeatherFile = "Arcata.epw";
constexpr int kMutationsPerFile = 40;
constexpr unsigned kSeed = 20240612;

std::map<std::string, std::string> files_of(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) files[e.path().filename().string()] = read_file(e.path());
    return files;
}

void copy_files(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::create_directories(to);
    for (const auto& e : fs::directory_iterator(from)) fs::copy_file(e.path(), to / e.path().filename());
}

struct Directories {
    ScratchDir base;
    fs::path project = base / "project", weather = base / "weather", util = kData / "util";
};

int run_kernel(const Directories& d) {
    reset_all_blocks();
    const std::string p = d.project.string(), u = d.util.string(), w = d.weather.string();
    return MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr);
}

// The sample project with its scheme 1 moved to the EPW weather file, as
// the host does: a zip code of -1 in the column, the file's name in the
// scheme's input file. Then run until it is settled.
void prepare(const Directories& d) {
    copy_files(kData / "project", d.project);
    fs::create_directories(d.weather);
    fs::copy_file(kData / "weather" / kWeatherFile, d.weather / kWeatherFile);
    fs::copy_file(kData / "weather" / "zipcodes.sce", d.weather / "zipcodes.sce");
    testing::use_directories(d.project.string(), d.util.string(), d.weather.string());
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKKEEP2 = 26;
    IDNUM1 = 1;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = 1;
    STRATEGY(4, 1) = -1.0f;
    AADISK(6);
    FIND2();
    CLIMATEFILENAME = kWeatherFile;
    KEEP2(1);
    for (int i = 0; i < 2; ++i) ASSERT_EQ(run_kernel(d), 0);
    ASSERT_FALSE(NFLAG(37)) << "the scheme does not run on the EPW file";
    ASSERT_TRUE(NFLAG(80)) << "the settled project does not simulate";
}

enum class Damage { Cut, Extend, FlipBits, HeaderWord, Delete, Empty };

std::string describe(Damage m) {
    const char* names[] = {"cut", "extended", "bits flipped", "header word", "deleted", "emptied"};
    return names[static_cast<int>(m)];
}

// The damaged content (ignored for a deleted file). The header is the first
// three words of a record file, the first lines of a text file.
std::string mutated(const std::string& bytes, Damage m, bool record_file, std::mt19937& rng) {
    auto below = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    std::string out = bytes;
    switch (m) {
        case Damage::Cut: out.resize(below(bytes.size())); break;
        case Damage::Extend:
            for (std::size_t n = 1 + below(64); n > 0; --n) out.push_back(static_cast<char>(below(256)));
            break;
        case Damage::FlipBits:
            for (std::size_t n = 1 + below(8); n > 0 && !out.empty(); --n)
                out[below(out.size())] ^= static_cast<char>(1 << below(8));
            break;
        case Damage::HeaderWord: {
            const std::size_t header = std::min<std::size_t>(out.size(), record_file ? 12 : 2048);
            const std::size_t at = header >= 4 ? below(header - 3) : 0;
            for (std::size_t i = at; i < at + 4 && i < out.size(); ++i) out[i] = static_cast<char>(below(256));
            break;
        }
        case Damage::Delete:
        case Damage::Empty: out.clear(); break;
    }
    return out;
}

// What "whole" means for each kind of file a run writes.
class Wholeness {
public:
    explicit Wholeness(const std::map<std::string, std::string>& reference) {
        for (const auto& [name, bytes] : reference) sizes_[kind_of(name)] = bytes.size();
        csv_lines_ = count_lines(reference.at("scheme1.csv"));
    }
    // Empty when `name` is whole.
    std::string fault(const std::string& name, const std::string& bytes) const {
        if (name == kProjectLockName) return "";
        if (name[0] == '.') return "temporary left";
        const std::string kind = kind_of(name);
        const std::size_t lines = count_lines(bytes);
        if (kind == "b.dat" || kind == "b.het" || kind == "strat" || kind == "summary" || kind == "schedule")
            return bytes.size() == sizes_.at(kind) ? "" : "record file of another size";
        if (kind == "master.dir") return lines == 18 ? "" : "not 18 lines";
        if (kind == "strategy.txt") return lines == 622 ? "" : "not 622 lines";
        if (kind == ".cclink") return lines == 5 ? "" : "not 5 lines";
        if (kind == ".csv") return lines == csv_lines_ ? "" : "a CSV report of another length";
        if (kind == ".xml") return ends_with_line(bytes, "</Title24XML>") || refused(bytes) ? "" : "document cut";
        if (kind == ".txt") return bytes.find("END OF FILE ") != std::string::npos || refused(bytes) ? "" : "cut";
        return "";
    }

private:
    static std::string kind_of(const std::string& name) {
        for (const char* k : {"b.dat", "b.het"})
            if (name.size() > 5 && name.ends_with(k) && name.starts_with("scheme")) return k;
        if (name.starts_with("stratb.")) return "strat";
        if (name == "summaryb.dat") return "summary";
        if (name.starts_with("schedule")) return "schedule";
        if (name == "master.dir" || name == "strategy.txt") return name;
        return fs::path(name).extension().string();
    }
    static std::size_t count_lines(const std::string& bytes) {
        return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    }
    static bool ends_with_line(const std::string& bytes, const std::string& line) {
        return bytes.ends_with(line + "\n");
    }
    static bool refused(const std::string& bytes) {
        return bytes.find("This Scheme is not a full 365 day calculation") != std::string::npos;
    }
    std::map<std::string, std::size_t> sizes_;
    std::size_t csv_lines_ = 0;
};

// The files a run reads, each damaged in its own test (a run of all of them
// took minutes under the sanitizers on a loaded machine), by a generator
// seeded for that file.
struct Target {
    const char* name;
    bool in_weather;
    bool record_file;
    bool rebuilt;  // a damaged or missing results file is rebuilt by the run
};
constexpr Target kTargets[] = {
    {"master.dir", false, false, false},  {"summaryb.dat", false, true, false}, {"stratb.dat", false, true, false},
    {"stratb.bfr", false, true, false},   {"scheme1b.dat", false, true, false}, {"scheme1b.het", false, true, true},
    {kWeatherFile, true, false, false},
};

class Mutation : public ::testing::TestWithParam<int> {};

TEST_P(Mutation, DamagedFileFailsCleanlyOrRunsWhole) {
    const Target& t = kTargets[GetParam()];
    Directories d;
    prepare(d);
    const fs::path settled_dir = d.base / "settled";
    copy_files(d.project, settled_dir);
    const auto settled = files_of(settled_dir);
    const std::string weather = read_file(d.weather / kWeatherFile);
    ASSERT_EQ(run_kernel(d), 0);
    const Wholeness whole(files_of(d.project));

    const fs::path file = (t.in_weather ? d.weather : d.project) / t.name;
    std::mt19937 rng(kSeed + static_cast<unsigned>(GetParam()));
    int failed = 0, whole_runs = 0;
    for (int i = 0; i < kMutationsPerFile; ++i) {
        copy_files(settled_dir, d.project);
        const Damage m = static_cast<Damage>(i % 6);
        const std::string original = t.in_weather ? weather : settled.at(t.name);
        if (m == Damage::Delete) fs::remove(file);
        else write_file(file, mutated(original, m, t.record_file, rng));
        SCOPED_TRACE(std::string(t.name) + " " + describe(m) + " #" + std::to_string(i));

        const auto before = files_of(d.project);
        const int rc = run_kernel(d);
        const auto after = files_of(d.project);
        if (rc == 1) {
            ++failed;
            EXPECT_TRUE(after == before) << "a failed run changed the project";
        } else {
            ++whole_runs;
            ASSERT_EQ(rc, 0);
            for (const auto& [name, bytes] : after) EXPECT_EQ(whole.fault(name, bytes), "") << name;
        }
        if (t.in_weather) write_file(file, weather);
    }
    // Both outcomes occur: damage the kernel refuses and damage it survives;
    // a results file it rebuilds fails no run.
    if (t.rebuilt) EXPECT_EQ(failed, 0);
    else EXPECT_GT(failed, 0);
    EXPECT_GT(whole_runs, 0);
}

INSTANTIATE_TEST_SUITE_P(EachFileARunReads, Mutation, ::testing::Range(0, static_cast<int>(std::size(kTargets))),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name = kTargets[info.param].name;
                             for (char& c : name)
                                 if (c == '.') c = '_';
                             return name;
                         });

}  // namespace
}  // namespace mavo
