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

}  // namespace mavo
