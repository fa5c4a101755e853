// The cost of starting every call from the blocks of a freshly loaded
// library: a plain year's run of the sample project, called through the C
// front in one process as a design application calls it, against the
// reset of every block alone, which the call makes first.
//
//   mavo-call-cost [--runs N] DATA_DIR
//
// DATA_DIR is the kernel tree's data directory. Prints the median and the
// quartiles of N calls (default 30) and of N resets, in microseconds, and
// the reset's share of a call. Not a test: figures for a person to read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "blocks/blocks.h"
#include "host_edit.h"
#include "mavokernel.h"

namespace fs = std::filesystem;
using namespace mavo;

namespace {

using Clock = std::chrono::steady_clock;

struct Spread {
    long q1, median, q3;
};

Spread spread_of(std::vector<long> us) {
    std::sort(us.begin(), us.end());
    const std::size_t n = us.size();
    return {us[n / 4], us[n / 2], us[3 * n / 4]};
}

template <class Work>
long microseconds_of(Work work) {
    const Clock::time_point start = Clock::now();
    work();
    return static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 30;
    int a = 1;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::max(4, std::atoi(argv[2]));
        a = 3;
    }
    if (argc != a + 1) {
        std::fprintf(stderr, "usage: mavo-call-cost [--runs N] DATA_DIR\n");
        return 2;
    }
    const fs::path data = argv[a];
    const fs::path project = fs::temp_directory_path() / ("mavo-call-cost-" + std::to_string(::getpid()));
    fs::remove_all(project);
    fs::copy(data / "project", project, fs::copy_options::recursive);
    const std::string p = project.string(), u = (data / "util").string(), w = (data / "weather").string();

    // The sample's scheme 1 holds the design command: its first call designs
    // and every call measured is then the plain run of the saved design.
    if (MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr) != 0) {
        std::fprintf(stderr, "mavo-call-cost: the sample does not run\n");
        return 1;
    }
    reset_all_blocks();
    host::use_directories(p, u, w);
    BLK0B.DISKPROJ = 32;
    host::read_project_at_scheme(1);
    STRATEGY(2, 1) = 0.0f;
    AADISK(6);
    AADISK(1);

    std::vector<long> calls, resets;
    for (int i = 0; i < runs; ++i) {
        int returned = 0;
        calls.push_back(microseconds_of([&] { returned = MAVOKernelLib_runKernel(p.c_str(), u.c_str(), w.c_str(), 0, nullptr); }));
        if (returned != 0) {
            std::fprintf(stderr, "mavo-call-cost: call %d returned %d\n", i + 1, returned);
            return 1;
        }
        resets.push_back(microseconds_of(reset_all_blocks_but_name_buffer));
    }
    fs::remove_all(project);

    const Spread call = spread_of(calls), reset = spread_of(resets);
    std::printf("%d calls and %d resets\n%-28s %8s %8s %8s\n", runs, runs, "microseconds", "q1", "median", "q3");
    std::printf("%-28s %8ld %8ld %8ld\n", "call (plain year run)", call.q1, call.median, call.q3);
    std::printf("%-28s %8ld %8ld %8ld\n", "reset of every block", reset.q1, reset.median, reset.q3);
    std::printf("%-28s %8ld\n", "call without the reset", call.median - reset.median);
    std::printf("reset's share of a call: %.2f %%\n", 100.0 * static_cast<double>(reset.median) / static_cast<double>(call.median));
    return 0;
}
