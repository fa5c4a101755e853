// Blocks the host reads after a run are exported from the library as C data
// symbols named after the block (declare them extern "C" with this mark).
#pragma once

#define MAVO_HOST_VISIBLE __attribute__((visibility("default")))
