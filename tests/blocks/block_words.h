// Reading a block word by its number, as the files and the host address
// block words, to check where a member sits.
#pragma once
#include <cstdint>
#include <cstring>

namespace mavo::testing {

// Word n (from 1) of a block as a value of type T.
template <class T, class Block>
T word_as(const Block& block, int n) {
    T value{};
    std::memcpy(&value, reinterpret_cast<const char*>(&block) + (n - 1) * 4, sizeof value);
    return value;
}

template <class Block>
float real_word(const Block& block, int n) {
    return word_as<float>(block, n);
}

template <class Block>
std::int32_t int_word(const Block& block, int n) {
    return word_as<std::int32_t>(block, n);
}

}  // namespace mavo::testing
