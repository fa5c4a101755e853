// A sweep over the inputs a host sets, checking the promises a run makes:
// every case runs as its inputs say it must, its results are those its
// inputs and the data files give, the same inputs give the same design and
// the same bills whatever ran before, and a run either saves whole files
// or leaves the project as it was.
//
//   mavo-sweep [--seed N] [--cases K] [--jobs J] [--case M] [--chains] WORK_DIR UTIL_DIR WEATHER_DIR
//
// --chains runs, of the K cases, only those that draw a chain of edits
// (a fifth), whole: a count of edits by kind over many cases in a fifth
// of the time.
// Case M of seed N is made from (N, M) alone by the case generator
// (sweep/draw), so `--case M` with the same seed replays exactly that case.
// The host's edits are in sweep/host, the invariants of a case in
// sweep/invariants, the call of the kernel and the comparisons of runs in
// sweep/checker, the children and the report in sweep/scheduler.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "sweep/chains.h"
#include "sweep/draw.h"
#include "sweep/scheduler.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: mavo-sweep [--seed N] [--cases K] [--jobs J] [--case M] [--chains] WORK_DIR UTIL_DIR "
                 "WEATHER_DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace mavo::sweep;
    SweepPlan plan;
    std::uint64_t cases = 100;
    plan.jobs = std::max(1u, std::thread::hardware_concurrency());
    std::optional<std::uint64_t> only;
    int first = 1;
    bool chains_only = false;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        const std::string opt = argv[first];
        if (opt == "--chains") {
            chains_only = true;
            continue;
        }
        if (first + 1 >= argc) return usage();
        char* end = nullptr;
        const unsigned long long v = std::strtoull(argv[++first], &end, 10);
        if (*end != '\0') return usage();
        if (opt == "--seed") plan.seed = v;
        else if (opt == "--cases") cases = v;
        else if (opt == "--jobs") plan.jobs = static_cast<long>(std::max(1ull, v));
        else if (opt == "--case") only = v;
        else return usage();
    }
    if (argc - first != 3) return usage();
    const fs::path work = fs::absolute(argv[first]);
    const fs::path util = fs::absolute(argv[first + 1]), weather = fs::absolute(argv[first + 2]);
    std::error_code ec;
    fs::create_directories(work, ec);
    if (!fs::is_directory(work) || !fs::is_directory(util) || !fs::is_directory(weather)) {
        std::fprintf(stderr, "mavo-sweep: WORK_DIR, UTIL_DIR and WEATHER_DIR must be directories\n");
        return 2;
    }
    plan.replay = only.has_value();
    const Inputs in = survey(work, util, weather, true);
    if (only) plan.numbers.push_back(*only);
    else
        for (std::uint64_t m = 0; m < cases; ++m)
            if (!chains_only || draws_chain(make_case(in, plan.seed, m))) plan.numbers.push_back(m);
    return run_sweep(in, plan);
}
