#include "blocks/blocks.h"

#include <memory>

namespace mavo {

// Initial values are static data: every block is constant-initialised.
#define MAVO_DEFINE_BLOCK(name) constinit name##_t name{};
MAVO_ALL_BLOCKS(MAVO_DEFINE_BLOCK)
#undef MAVO_DEFINE_BLOCK

void reset_all_blocks() {
// Constructed in place: some blocks are far too large for a temporary.
#define MAVO_RESET_BLOCK(name) std::construct_at(&name);
    MAVO_ALL_BLOCKS(MAVO_RESET_BLOCK)
#undef MAVO_RESET_BLOCK
}

void reset_all_blocks_but_name_buffer() {
    const BLK27A_t left_by_host = BLK27A;
    reset_all_blocks();
    BLK27A = left_by_host;
}

std::unique_ptr<AllBlocks> keep_all_blocks() {
    auto kept = std::make_unique<AllBlocks>();
#define MAVO_COPY_BLOCK(name) kept->name = name;
    MAVO_ALL_BLOCKS(MAVO_COPY_BLOCK)
#undef MAVO_COPY_BLOCK
    return kept;
}

void restore_all_blocks(const AllBlocks& kept) {
#define MAVO_RESTORE_BLOCK(name) name = kept.name;
    MAVO_ALL_BLOCKS(MAVO_RESTORE_BLOCK)
#undef MAVO_RESTORE_BLOCK
}

}  // namespace mavo
