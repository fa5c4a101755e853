// Every process-wide record block, and the reset that gives a test or a
// fresh run the values of a fresh library load.
#pragma once
#include "blocks/project_blocks.h"
#include "blocks/run_control.h"
#include "blocks/simulation_blocks.h"
#include "blocks/site_blocks.h"

// One entry per block; the list defines the instances and the reset, so a
// block cannot be defined without being reset.
#define MAVO_ALL_BLOCKS(X) \
    X(BLK0A)               \
    X(BLK0B)               \
    X(BLK0C)               \
    X(BLK0D)               \
    X(BLK0E)               \
    X(BLK110B)             \
    X(BLK110C)             \
    X(BLK110D)             \
    X(BLK10)               \
    X(BLK92)               \
    X(BLK130A)             \
    X(BLK23A)              \
    X(BLK23B)              \
    X(BLK23C)              \
    X(BLK39)               \
    X(BLK1D)               \
    X(BLK26)               \
    X(BLK33A)

namespace mavo {

// Assigns every block a freshly initialised object.
void reset_all_blocks();

}  // namespace mavo
