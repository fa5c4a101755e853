#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

}  // namespace mavo

#define MAVO_SUMMARY_BLOCKS(X)
