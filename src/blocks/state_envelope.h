// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>
#include <type_traits>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// GLAZED keeps nothing from one hour to the next. It is the only reader of
// the measured daylight of a test case, BLK24, which nothing in the kernel
// fills (zero at load); it lives here until the simulation blocks take it.
// Four (24,12) arrays, hour fastest, 1152 bytes each.
struct BLK24_t {
    FArray<REAL, 24, 12> FLDDAY1{};  // measured work-plane illuminance, footcandles
    FArray<REAL, 24, 12> FLDDAY2{};  // measured global horizontal illuminance, footcandles
    FArray<REAL, 24, 12> FLDDAY3{};  // third measured array, never read
    FArray<REAL, 24, 12> FLDDAY4{};  // measured diffuse horizontal illuminance, footcandles
};
static_assert(std::is_standard_layout_v<BLK24_t> && sizeof(BLK24_t) == 4608);
static_assert(offsetof(BLK24_t, FLDDAY4) == 3 * 1152);

extern BLK24_t BLK24;
inline FArray<REAL, 24, 12>& FLDDAY1 = BLK24.FLDDAY1;
inline FArray<REAL, 24, 12>& FLDDAY2 = BLK24.FLDDAY2;
inline FArray<REAL, 24, 12>& FLDDAY3 = BLK24.FLDDAY3;
inline FArray<REAL, 24, 12>& FLDDAY4 = BLK24.FLDDAY4;

}  // namespace mavo

#define MAVO_STATE_ENVELOPE_BLOCKS(X) X(BLK24)
