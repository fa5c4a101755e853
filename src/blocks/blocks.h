// Every process-wide record block, and the reset that gives a test or a
// fresh run the values of a fresh library load.
#pragma once
#include "blocks/building_blocks.h"
#include "blocks/construction_blocks.h"
#include "blocks/project_blocks.h"
#include "blocks/results_blocks.h"
#include "blocks/run_control.h"
#include "blocks/scratch_blocks.h"
#include "blocks/simulation_blocks.h"
#include "blocks/site_blocks.h"
#include "blocks/solar_system_blocks.h"
#include "blocks/summary_blocks.h"
#include "blocks/state_solar.h"
#include "blocks/state_construction.h"
#include "blocks/state_bills.h"
#include "blocks/state_results.h"
#include "blocks/state_renewables.h"
#include "blocks/state_reports.h"
#include "blocks/state_simulation.h"
#include "blocks/state_design.h"
#include "blocks/state_transfer.h"
#include "blocks/state_envelope.h"
#include "blocks/tariff_blocks.h"

// One entry per block, gathered from each group header; the list defines
// the instances and the reset, so a block cannot exist without its reset.
#define MAVO_ALL_BLOCKS(X)      \
    MAVO_RUN_CONTROL_BLOCKS(X)  \
    MAVO_PROJECT_BLOCKS(X)      \
    MAVO_SITE_BLOCKS(X)         \
    MAVO_BUILDING_BLOCKS(X)     \
    MAVO_CONSTRUCTION_BLOCKS(X) \
    MAVO_SIMULATION_BLOCKS(X)   \
    MAVO_TARIFF_BLOCKS(X)       \
    MAVO_RESULTS_BLOCKS(X)      \
    MAVO_SUMMARY_BLOCKS(X)      \
    MAVO_SOLAR_SYSTEM_BLOCKS(X) \
    MAVO_SCRATCH_BLOCKS(X) \
    MAVO_STATE_SOLAR_BLOCKS(X) \
    MAVO_STATE_CONSTRUCTION_BLOCKS(X) \
    MAVO_STATE_BILLS_BLOCKS(X) \
    MAVO_STATE_RESULTS_BLOCKS(X) \
    MAVO_STATE_RENEWABLES_BLOCKS(X) \
    MAVO_STATE_REPORTS_BLOCKS(X) \
    MAVO_STATE_SIMULATION_BLOCKS(X) \
    MAVO_STATE_DESIGN_BLOCKS(X) \
    MAVO_STATE_TRANSFER_BLOCKS(X) \
    MAVO_STATE_ENVELOPE_BLOCKS(X)

#include <memory>
#include <utility>

namespace mavo {

// Assigns every block a freshly initialised object.
void reset_all_blocks();

// The start of every call of the front: every block as a freshly loaded
// library holds it, but for the name buffer the host filled before the
// call. Nothing an earlier call computed reaches this one; what a project
// carries from run to run is carried by its files.
void reset_all_blocks_but_name_buffer();

// Every block as it stood when kept. A step whose work may be undone (a
// library command that is refused, a layout made on copies to measure it)
// puts them all back at once, so that no block it wrote is missed.
struct AllBlocks {
#define MAVO_KEEP_BLOCK(name) name##_t name;
    MAVO_ALL_BLOCKS(MAVO_KEEP_BLOCK)
#undef MAVO_KEEP_BLOCK
};

// On the heap: the blocks together are far too large for the stack.
std::unique_ptr<AllBlocks> keep_all_blocks();
void restore_all_blocks(const AllBlocks& kept);

// What `step` makes of the blocks, with every block put back after it as
// it was: a file read or a layout made on copies, of which only the value
// returned is taken.
template <class Step>
auto taken_with_blocks_put_back(Step&& step) {
    const std::unique_ptr<AllBlocks> kept = keep_all_blocks();
    auto taken = std::forward<Step>(step)();
    restore_all_blocks(*kept);
    return taken;
}

}  // namespace mavo
