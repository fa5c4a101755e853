// Fixed-length texts as the record blocks and the files hold them: exactly
// N characters, padded with blanks on the right, cut on assignment.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace mavo {

template <std::size_t N>
struct FString {
    char c[N];

    constexpr FString() {
        for (std::size_t i = 0; i < N; ++i) c[i] = ' ';
    }
    constexpr FString(std::string_view s) { assign(s); }
    constexpr FString(const char* s) { assign(std::string_view(s)); }

    // A text that starts as zero bytes, as blocks without initial values do.
    static constexpr FString zeros() {
        FString f;
        for (std::size_t i = 0; i < N; ++i) f.c[i] = '\0';
        return f;
    }

    constexpr FString& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    constexpr FString& operator=(const char* s) {
        assign(std::string_view(s));
        return *this;
    }
    template <std::size_t M>
    constexpr FString& assign_from(const FString<M>& other) {
        assign(other.view());
        return *this;
    }

    static constexpr std::size_t size() { return N; }
    constexpr std::string_view view() const { return std::string_view(c, N); }
    // Length without trailing blanks (the trace and path code call it L).
    constexpr std::size_t len_trim() const {
        std::size_t n = N;
        while (n > 0 && (c[n - 1] == ' ' || c[n - 1] == '\0')) --n;
        return n;
    }
    constexpr std::string_view trimmed() const { return std::string_view(c, len_trim()); }
    std::string str() const { return std::string(trimmed()); }
    // The first n characters, as names are compared by their first four.
    constexpr std::string_view first(std::size_t n) const { return std::string_view(c, n < N ? n : N); }
    constexpr bool is_blank() const { return len_trim() == 0; }

    constexpr char& operator[](std::size_t i) { return c[i]; }
    constexpr const char& operator[](std::size_t i) const { return c[i]; }

    // Texts compare as the files' language does: the shorter one counts as
    // padded with blanks.
    friend constexpr bool operator==(const FString& a, std::string_view b) { return blank_padded_equal(a.view(), b); }
    template <std::size_t M>
    friend constexpr bool operator==(const FString& a, const FString<M>& b) {
        return blank_padded_equal(a.view(), b.view());
    }

private:
    constexpr void assign(std::string_view s) {
        std::size_t i = 0;
        for (; i < N && i < s.size(); ++i) c[i] = s[i];
        for (; i < N; ++i) c[i] = ' ';
    }
    static constexpr bool blank_padded_equal(std::string_view a, std::string_view b) {
        const std::size_t n = a.size() > b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const char ca = i < a.size() ? a[i] : ' ';
            const char cb = i < b.size() ? b[i] : ' ';
            if (ca != cb) return false;
        }
        return true;
    }
};

// Trailing blanks removed from any text view.
constexpr std::string_view trim_right(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

}  // namespace mavo
