// Free-form lines of the solar models' developer dump files: one blank,
// then the items separated by blanks; numbers in their shortest exact form.
#pragma once
#include <charconv>
#include <string>
#include <string_view>

#include "support/fstring.h"

namespace mavo {

class FreeFormLine {
public:
    FreeFormLine& text(std::string_view t) {
        s_ += ' ';
        s_ += trim_right(t);
        return *this;
    }
    FreeFormLine& value(double v) {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        s_ += ' ';
        s_.append(buf, r.ptr);
        return *this;
    }
    FreeFormLine& value(long long v) {
        s_ += ' ';
        s_ += std::to_string(v);
        return *this;
    }
    FreeFormLine& value(int v) { return value(static_cast<long long>(v)); }
    const std::string& str() const { return s_; }

private:
    std::string s_;
};

}  // namespace mavo
