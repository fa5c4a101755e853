// Fixed-column fields of the project text files and the trace log, written
// and read the way the files' original formatted I/O does:
//   Iw    integer right-aligned in w columns (I0: as few as needed)
//   Fw.d  fixed point, w columns, d decimals, rounded to nearest (ties to even
//         on the exact binary value), leading zero dropped when it does not fit
//   Ew.d  exponent form 0.ddddE+xx (Dw.d the same with the letter D; an
//         exponent beyond 99 drops the letter: 0.1000000-199)
//   Lw    T or F right-aligned
//   Aw    text: a longer one keeps its leftmost w characters, a shorter one is
//         right-aligned with leading blanks
//   nX    n blanks
// A number that does not fit its field is written as w asterisks.
// On input blanks are ignored, a blank field reads as zero, and a written
// decimal point overrides the implied decimals d.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace mavo::ffmt {

std::string I(long long value, int w);
std::string F(double value, int w, int d);
std::string E(double value, int w, int d, char letter = 'E');
inline std::string D(double value, int w, int d) { return E(value, w, d, 'D'); }
std::string L(bool value, int w);
std::string A(std::string_view text, int w);
inline std::string X(int n) { return std::string(n > 0 ? static_cast<std::size_t>(n) : 0u, ' '); }

// Field readers; false on characters that do not form a number.
bool read_int(std::string_view field, long long& value);
bool read_real(std::string_view field, int d, float& value);
bool read_real(std::string_view field, int d, double& value);
bool read_logical(std::string_view field, bool& value);

// Builds one line field by field: LineWriter().A(" < ").I(v, 12).str().
class LineWriter {
public:
    LineWriter& I(long long v, int w) { s_ += ffmt::I(v, w); return *this; }
    LineWriter& F(double v, int w, int d) { s_ += ffmt::F(v, w, d); return *this; }
    LineWriter& E(double v, int w, int d) { s_ += ffmt::E(v, w, d); return *this; }
    LineWriter& D(double v, int w, int d) { s_ += ffmt::D(v, w, d); return *this; }
    LineWriter& L(bool v, int w) { s_ += ffmt::L(v, w); return *this; }
    LineWriter& A(std::string_view t, int w) { s_ += ffmt::A(t, w); return *this; }
    LineWriter& A(std::string_view t) { s_ += t; return *this; }
    LineWriter& X(int n) { s_ += ffmt::X(n); return *this; }
    const std::string& str() const { return s_; }
    std::string take() { return std::move(s_); }

private:
    std::string s_;
};

// Reads one line field by field. Columns past the end of the line read as
// blanks, as a short record is padded on input. The first field that fails
// to convert marks the reader bad; later fields still advance.
class LineReader {
public:
    explicit LineReader(std::string_view line) : line_(line) {}

    long long I(int w);
    float F(int w, int d);
    double F8(int w, int d);
    bool L(int w);
    std::string_view A(int w);
    LineReader& X(int n) { pos_ += static_cast<std::size_t>(n > 0 ? n : 0); return *this; }
    bool ok() const { return ok_; }
    std::size_t column() const { return pos_; }

private:
    std::string_view take(int w);
    std::string_view line_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace mavo::ffmt
