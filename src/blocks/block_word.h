// A block word by its number, for the file layouts that address a block's
// words by position ("BLK33D words 18 to 27"). The word must hold a value of
// type T; the static_asserts of each block pin where its members sit.
#pragma once
#include <cstddef>
#include <new>

namespace mavo {

template <class T, class Block>
T& block_word(Block& block, int n) {
    static_assert(sizeof(T) == 4, "block words are four bytes");
    char* base = reinterpret_cast<char*>(&block);
    return *std::launder(reinterpret_cast<T*>(base + static_cast<std::size_t>(n - 1) * 4));
}

}  // namespace mavo
