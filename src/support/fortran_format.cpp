#include "support/fortran_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mavo::ffmt {
namespace {

std::string stars(int w) { return std::string(w > 0 ? static_cast<std::size_t>(w) : 0u, '*'); }

std::string right_align(const std::string& s, int w) {
    if (static_cast<int>(s.size()) > w) return stars(w);
    return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

// NaN and infinities as the formatted output of the files' language writes them.
std::string non_finite(double value, int w) {
    if (std::isnan(value)) return w >= 3 ? right_align("NaN", w) : stars(w);
    const bool neg = std::signbit(value);
    if (w >= 8 + (neg ? 1 : 0)) return right_align(neg ? "-Infinity" : "Infinity", w);
    if (w >= 3 + (neg ? 1 : 0)) return right_align(neg ? "-Inf" : "Inf", w);
    return stars(w);
}

// Drop the optional zero before the decimal point ("0.50" -> ".50",
// "-0.50" -> "-.50") when the field is one column short.
bool drop_leading_zero(std::string& s) {
    const std::size_t at = (!s.empty() && s[0] == '-') ? 1 : 0;
    if (s.size() > at + 1 && s[at] == '0' && s[at + 1] == '.') {
        s.erase(at, 1);
        return true;
    }
    return false;
}

}  // namespace

std::string I(long long value, int w) {
    const std::string s = std::to_string(value);
    if (w <= 0) return s;
    return right_align(s, w);
}

std::string F(double value, int w, int d) {
    if (w <= 0) return std::string();
    if (d < 0) d = 0;
    if (!std::isfinite(value)) return non_finite(value, w);
    // %#.*f rounds the exact binary value to nearest, ties to even, and keeps
    // the decimal point for d = 0, as the fixed-point edit does.
    const int n = std::snprintf(nullptr, 0, "%#.*f", d, value);
    std::string s(static_cast<std::size_t>(n), '\0');
    std::snprintf(s.data(), s.size() + 1, "%#.*f", d, value);
    if (static_cast<int>(s.size()) > w) {
        // Without its leading zero a value must keep at least one digit.
        if (d == 0 || !drop_leading_zero(s)) return stars(w);
    }
    return right_align(s, w);
}

std::string E(double value, int w, int d, char letter) {
    if (w <= 0) return std::string();
    if (d < 1) d = 1;
    if (!std::isfinite(value)) return non_finite(value, w);
    const bool neg = std::signbit(value);
    std::string digits;
    int exponent = 0;
    if (value == 0.0) {
        digits.assign(static_cast<std::size_t>(d), '0');
    } else {
        // d significant digits, correctly rounded; the form 0.ddd has an
        // exponent one above the form d.dd.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(value));
        const std::string t(buf);
        const std::size_t epos = t.find('e');
        digits.push_back(t[0]);
        if (d > 1) digits += t.substr(2, epos - 2);
        exponent = std::atoi(t.c_str() + epos + 1) + 1;
    }
    std::string exp_text;
    const int mag = exponent < 0 ? -exponent : exponent;
    const char exp_sign = exponent < 0 ? '-' : '+';
    char buf[16];
    if (mag <= 99) {
        std::snprintf(buf, sizeof buf, "%c%c%02d", letter, exp_sign, mag);
    } else if (mag <= 999) {
        std::snprintf(buf, sizeof buf, "%c%03d", exp_sign, mag);
    } else {
        return stars(w);
    }
    exp_text = buf;
    std::string s;
    s.reserve(digits.size() + exp_text.size() + 3);
    if (neg) s.push_back('-');
    s.append("0.").append(digits).append(exp_text);
    if (static_cast<int>(s.size()) > w) drop_leading_zero(s);
    return right_align(s, w);
}

std::string L(bool value, int w) {
    if (w <= 0) return std::string();
    return std::string(static_cast<std::size_t>(w - 1), ' ') + (value ? 'T' : 'F');
}

std::string A(std::string_view text, int w) {
    if (w < 0) return std::string(text);
    const std::size_t width = static_cast<std::size_t>(w);
    if (text.size() >= width) return std::string(text.substr(0, width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

namespace {

std::string without_blanks(std::string_view field) {
    std::string s;
    s.reserve(field.size());
    for (char ch : field)
        if (ch != ' ' && ch != '\t' && ch != '\r' && ch != '\n' && ch != '\0') s.push_back(ch);
    return s;
}

bool is_digit(char ch) { return ch >= '0' && ch <= '9'; }

// Turns a real field into a C number text; implied decimals apply only when
// the field holds no decimal point.
bool normalise_real(std::string_view field, int d, std::string& out) {
    const std::string s = without_blanks(field);
    if (s.empty()) {
        out.assign(1, '0');
        return true;
    }
    // The non-finite values the writer produces read back as themselves.
    for (const char* word : {"NaN", "+NaN", "-NaN", "Infinity", "+Infinity", "-Infinity", "Inf", "+Inf", "-Inf"}) {
        if (s == word) {
            out = s;
            return true;
        }
    }
    std::size_t i = 0;
    std::string sign;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-') sign = "-";
        ++i;
    }
    std::string mant;
    bool point = false;
    int ndig = 0;
    for (; i < s.size(); ++i) {
        if (is_digit(s[i])) {
            mant.push_back(s[i]);
            ++ndig;
        } else if (s[i] == '.' && !point) {
            mant.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (ndig == 0) return false;
    long exponent = 0;
    if (i < s.size()) {
        char ch = s[i];
        if (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd' || ch == 'Q' || ch == 'q') ++i;
        else if (ch != '+' && ch != '-') return false;
        bool neg = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            neg = s[i] == '-';
            ++i;
        }
        if (i >= s.size()) return false;
        long e = 0;
        for (; i < s.size(); ++i) {
            if (!is_digit(s[i])) return false;
            if (e < 100000) e = e * 10 + (s[i] - '0');
        }
        exponent = neg ? -e : e;
    }
    if (!point) exponent -= d;
    out = sign + mant + "e" + std::to_string(exponent);
    return true;
}

}  // namespace

bool read_int(std::string_view field, long long& value) {
    const std::string s = without_blanks(field);
    value = 0;
    if (s.empty()) return true;
    std::size_t i = 0;
    bool neg = false;
    if (s[0] == '+' || s[0] == '-') {
        neg = s[0] == '-';
        i = 1;
    }
    if (i >= s.size()) return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!is_digit(s[i])) return false;
        // Beyond 18 digits a field no longer fits the value.
        if (v >= 100000000000000000LL) return false;
        v = v * 10 + (s[i] - '0');
    }
    value = neg ? -v : v;
    return true;
}

bool read_real(std::string_view field, int d, float& value) {
    std::string t;
    value = 0.0f;
    if (!normalise_real(field, d, t)) return false;
    value = std::strtof(t.c_str(), nullptr);
    return true;
}

bool read_real(std::string_view field, int d, double& value) {
    std::string t;
    value = 0.0;
    if (!normalise_real(field, d, t)) return false;
    value = std::strtod(t.c_str(), nullptr);
    return true;
}

bool read_logical(std::string_view field, bool& value) {
    value = false;
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    if (i < field.size() && field[i] == '.') ++i;
    if (i >= field.size()) return true;  // a blank field reads as false
    const char ch = field[i];
    if (ch == 'T' || ch == 't') {
        value = true;
        return true;
    }
    return ch == 'F' || ch == 'f';
}

std::string_view LineReader::take(int w) {
    const std::size_t width = static_cast<std::size_t>(w > 0 ? w : 0);
    std::string_view field;
    if (pos_ < line_.size()) field = line_.substr(pos_, width);
    pos_ += width;
    return field;
}

long long LineReader::I(int w) {
    long long v = 0;
    if (!read_int(take(w), v)) ok_ = false;
    return v;
}

float LineReader::F(int w, int d) {
    float v = 0.0f;
    if (!read_real(take(w), d, v)) ok_ = false;
    return v;
}

double LineReader::F8(int w, int d) {
    double v = 0.0;
    if (!read_real(take(w), d, v)) ok_ = false;
    return v;
}

bool LineReader::L(int w) {
    bool v = false;
    if (!read_logical(take(w), v)) ok_ = false;
    return v;
}

std::string_view LineReader::A(int w) { return take(w); }

}  // namespace mavo::ffmt
