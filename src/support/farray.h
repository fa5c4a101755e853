// Fixed-size arrays indexed as the record blocks are: from a lower bound
// (1 unless stated), first index varying fastest. HEAT(17,24,12) holds the
// 17 components of hour 1 of month 1 first, exactly as the files store it.
#pragma once
#include <cstddef>
#include <type_traits>

namespace mavo {

[[noreturn]] void farray_index_failure(int dim, long index, long lower, long upper);

template <long Lo, long Hi>
struct Bounds {
    static_assert(Hi >= Lo, "empty array dimension");
    static constexpr long lo = Lo;
    static constexpr long hi = Hi;
    static constexpr long extent = Hi - Lo + 1;
};

template <class T, class... B>
struct FArrayB {
    static constexpr std::size_t rank = sizeof...(B);
    static constexpr std::size_t count = (static_cast<std::size_t>(B::extent) * ...);

    T v[count];

    template <class... I>
    constexpr T& operator()(I... idx) {
        return v[offset(static_cast<long>(idx)...)];
    }
    template <class... I>
    constexpr const T& operator()(I... idx) const {
        return v[offset(static_cast<long>(idx)...)];
    }

    static constexpr std::size_t size() { return count; }
    constexpr T* data() { return v; }
    constexpr const T* data() const { return v; }
    constexpr T* begin() { return v; }
    constexpr T* end() { return v + count; }
    constexpr const T* begin() const { return v; }
    constexpr const T* end() const { return v + count; }
    constexpr void fill(const T& value) {
        for (auto& e : v) e = value;
    }

    template <std::size_t D>
    static constexpr long lower() { return nth<D>::lo; }
    template <std::size_t D>
    static constexpr long upper() { return nth<D>::hi; }

private:
    template <std::size_t D, class First, class... Rest>
    struct nth_impl { using type = typename nth_impl<D - 1, Rest...>::type; };
    template <class First, class... Rest>
    struct nth_impl<0, First, Rest...> { using type = First; };
    template <std::size_t D>
    using nth = typename nth_impl<D, B...>::type;

    template <class... I>
    static constexpr std::size_t offset(I... idx) {
        static_assert(sizeof...(I) == sizeof...(B), "wrong number of indexes");
        const long index[] = {idx...};
        const long lo[] = {B::lo...};
        const long ext[] = {B::extent...};
        long off = 0;
        long stride = 1;
        for (std::size_t d = 0; d < sizeof...(B); ++d) {
#if defined(MAVO_BOUNDS_CHECK) && MAVO_BOUNDS_CHECK
            if (index[d] < lo[d] || index[d] >= lo[d] + ext[d])
                farray_index_failure(static_cast<int>(d) + 1, index[d], lo[d], lo[d] + ext[d] - 1);
#endif
            off += (index[d] - lo[d]) * stride;
            stride *= ext[d];
        }
        return static_cast<std::size_t>(off);
    }
};

// FArray<REAL, 17, 24, 12> is REAL HEAT(17,24,12); each index from 1.
template <class T, long... N>
using FArray = FArrayB<T, Bounds<1, N>...>;

template <class T, long... N>
inline constexpr bool farray_layout_ok =
    std::is_standard_layout_v<FArray<T, N...>> && sizeof(FArray<T, N...>) == sizeof(T) * (N * ...);

}  // namespace mavo
