// The scheduler and the report: each case in a child forked from a parent
// that never runs the kernel, J at a time, and the lines that say what
// held and what was checked.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sweep/draw.h"

namespace mavo::sweep {

struct SweepPlan {
    std::uint64_t seed = 1;
    std::vector<std::uint64_t> numbers;  // the cases to run
    long jobs = 1;
    bool replay = false;  // one case replayed: its runs shown, its projects kept
};

// Runs the plan's cases; the exit status of the sweep (0 when every
// invariant held and every due one was reached).
int run_sweep(const Inputs& in, const SweepPlan& plan);

}  // namespace mavo::sweep
