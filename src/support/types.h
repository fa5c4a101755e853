// Element types of the record blocks. They are part of the file contract:
// the project files store these values byte for byte.
#pragma once
#include <cstdint>

namespace mavo {

using INTEGER = std::int32_t;
using INTEGER2 = std::int16_t;
using REAL = float;
using REAL8 = double;

// One-byte logical. True is stored with all bits set; every test looks at
// the lowest bit only, so a byte 1 read from a file also counts as true.
struct LOGICAL {
    std::uint8_t bits = 0;

    constexpr LOGICAL() = default;
    constexpr LOGICAL(bool value) : bits(value ? 0xFF : 0x00) {}
    static constexpr LOGICAL from_byte(std::uint8_t byte) {
        LOGICAL l;
        l.bits = byte;
        return l;
    }
    constexpr operator bool() const { return (bits & 1u) != 0; }
    constexpr bool all_bits_set() const { return bits == 0xFF; }
};
static_assert(sizeof(LOGICAL) == 1);

}  // namespace mavo
