// Conversions of stored reals to codes and counts. A real read from a file
// can hold anything; converting one that lies outside the integer range is
// undefined in C++, so the conversion saturates and takes NaN as 0.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace mavo {

// The integer part of a real, cut toward zero (the files' INT()).
inline std::int32_t int_toward_zero(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (x <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

// Nearest integer, halves away from zero (the files' NINT()).
inline std::int32_t nearest_int(double x) {
    if (std::isnan(x)) return 0;
    return int_toward_zero(std::round(x));
}

}  // namespace mavo
