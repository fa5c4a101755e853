// READDATA and STRNUM: one inverter and one module for the photovoltaic
// model, from a row of the tab-separated table files or built in.
//
// A row's text fields end at its second (inverter) or fourth (module) TAB;
// the column right after that TAB is skipped and the numbers follow,
// separated by blanks or TABs.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "front/units.h"
#include "renewables/pv/pv.h"
#include "renewables/pv/solar_model_math.h"

namespace mavo {
namespace {

using solarmodel::widened;

constexpr int kTableUnit = 99;       // the table files' own unit
constexpr long kRowColumns = 1000;   // columns of a row that are read
constexpr int kInverterNumbers = 33;
constexpr int kModuleNumbers = 16;
constexpr int kInverterTextFields = 2;
constexpr int kModuleTextFields = 4;

// The texts of one table's failures.
struct TableMessages {
    const char* open;
    const char* end;
    const char* read;
};
constexpr TableMessages kInverterMessages = {"error opening inverter file.",
                                             "unexpectedly encountered end of inverter file.",
                                             "error reading inverter file."};
constexpr TableMessages kModuleMessages = {"error opening pv file.", "unexpectedly encountered end of pv file.",
                                           "error reading pv file."};

enum class LineRead { ok, end, error };

// One line of a text file without its line end (a CR before it is part of
// the line end of a file written on Windows).
LineRead read_line(std::FILE* f, std::string& line) {
    line.clear();
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(f)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (c == EOF && std::ferror(f)) return LineRead::error;
    if (!any) return LineRead::end;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return LineRead::ok;
}

void fail(const char* message) {
    MAVODATA.ERRMSG = message;
    MAVODATA.ERRFLAG = -1;
}

// Reads the row after max(row, 1) skipped lines: its first 1000 columns,
// blanks beyond the line's end. False (with the failure stored) when the
// file cannot be opened or read or ends first.
bool read_row(const FString<1000>& file, INTEGER row, const TableMessages& msg, std::string& text) {
    const std::string path(file.trimmed());
    std::FILE* f = unit_open(kTableUnit, path.c_str(), "rb");
    if (!f) {
        fail(msg.open);
        return false;
    }
    const INTEGER skip = row > 1 ? row : 1;
    std::string line;
    for (INTEGER n = 0; n <= skip; ++n) {
        const LineRead r = read_line(f, line);
        if (r != LineRead::ok) {
            fail(r == LineRead::end ? msg.end : msg.read);
            unit_close(kTableUnit);  // a failed read leaves no file open
            return false;
        }
    }
    unit_close(kTableUnit);
    text.assign(line, 0, std::min<std::size_t>(line.size(), kRowColumns));
    text.resize(kRowColumns, ' ');
    return true;
}

// Column (from 1) of the n-th TAB within the row, 0 when there is none.
long nth_tab_column(const std::string& text, int n) {
    int seen = 0;
    for (long c = 1; c <= kRowColumns; ++c) {
        if (text[static_cast<std::size_t>(c - 1)] == '\t' && ++seen == n) return c;
    }
    return 0;
}

// Parses `count` numbers of a row after its text fields into values[0..].
template <class Store>
bool parse_numbers(const std::string& text, int text_fields, int count, const TableMessages& msg, Store store) {
    const long tab = nth_tab_column(text, text_fields);
    if (tab == 0) {
        // A row without its text fields has no numbers where they belong.
        fail(msg.read);
        return false;
    }
    INTEGER i = static_cast<INTEGER>(tab + 2);
    for (int n = 0; n < count; ++n) {
        REAL8 value = 0.0;
        INTEGER ierr = 0;
        STRNUM(text, value, i, ierr);
        store(n, value);
    }
    return true;
}

// The built-in example inverter: 1000 kW with 100 % efficiency from 0 to
// 1000 V DC, so the example array is never clipped or limited.
void load_example_inverter() {
    constexpr double head[13] = {1000, 0, 0, 0, 0, 500, 1000, 100000, 200000, 300000, 500000, 750000, 10000000};
    for (int j = 1; j <= 13; ++j) MAVODATA.INVDATA(j) = head[j - 1];
    for (int j = 14; j <= 33; ++j) MAVODATA.INVDATA(j) = 100.0;
}

// The inverter's rating as the module model reads it.
void map_inverter() {
    auto& P = MAVODATA.PVPARS;
    P(27) = MAVODATA.INVDATA(1) * 1000.0;  // rated AC power, kW to W
    P(28) = MAVODATA.INVDATA(7);           // maximum DC voltage
    P(29) = MAVODATA.INVDATA(5);           // minimum DC voltage
    P(30) = MAVODATA.INVDATA(2);           // night tare, W
}

// The built-in example module: a 60-cell crystalline module of about 210 W
// and 1.616 m2.
void load_example_module() {
    auto& P = MAVODATA.PVPARS;
    P(1) = widened(7.74f);
    P(2) = widened(36.3f);
    P(3) = 298.15;
    P(4) = 1000.0;
    P(5) = widened(29.22f);
    P(6) = widened(7.2f);
    P(7) = widened(0.00428f);
    P(8) = widened(-0.128f);
    P(9) = 60.0;
    P(12) = 317.65;
    P(13) = 293.15;
    P(14) = 800.0;
    P(15) = 1.616;
    P(16) = 0.9;
    P(17) = 1.12;
    P(18) = 1.613;
    P(19) = 7.75;
    P(20) = widened(1.289E-9f);
    P(21) = 0.3381;
    P(22) = widened(257.964f);
    P(23) = 0.008;
    P(24) = 0.0;
    P(25) = 0.0;
    P(26) = 15.8;
}

// A module row of the table into the parameter vector.
void map_module() {
    auto& P = MAVODATA.PVPARS;
    const auto& D = MAVODATA.PVDATA;
    P(12) = D(0) + 273.15;  // NOCT, C to K
    P(15) = D(1);
    P(9) = D(2);
    P(1) = D(3);
    P(2) = D(4);
    P(6) = D(5);
    P(5) = D(6);
    P(7) = D(7);
    P(8) = D(8);
    P(18) = D(9);
    P(19) = D(10);
    P(20) = D(11);
    P(21) = D(12);
    P(22) = D(13);
    P(26) = D(14);
    P(3) = 298.15;
    P(4) = 1000.0;
    P(13) = 293.15;
    P(14) = 800.0;
    P(16) = 0.9;
    P(17) = 1.12;
    P(23) = 0.008;
    P(24) = 0.0;
    P(25) = 0.0;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// 10 raised to an integer power in single precision, by repeated squaring as
// the files' language computes REAL ** INTEGER.
float power_of_ten(int exponent) {
    unsigned n = exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    float x = 10.0f;
    float y = (n % 2u) ? x : 1.0f;
    while (n >>= 1u) {
        x = x * x;
        if (n % 2u) y = y * x;
    }
    return exponent < 0 ? 1.0f / y : y;
}

}  // namespace

void STRNUM(std::string_view LINE, REAL8& RNUM, INTEGER& I, INTEGER& IERR) {
    auto ch = [&](long col) -> char {
        return (col >= 1 && col <= static_cast<long>(LINE.size())) ? LINE[static_cast<std::size_t>(col - 1)] : ' ';
    };
    const long start = I;
    long c = start;
    double sign = 1.0;
    if (ch(c) == '+') ++c;
    if (ch(c) == '-') {
        sign = -1.0;
        ++c;
    }
    if (ch(c) == '\t') {  // an empty field
        RNUM = 0.0;
        IERR = 0;
        I = static_cast<INTEGER>(c + 1);
        return;
    }
    double value = 0.0;
    for (; is_digit(ch(c)); ++c) value = value * 10.0 + (ch(c) - '0');
    if (ch(c) == '.') {
        ++c;
        double scale = 1.0;
        for (; is_digit(ch(c)); ++c) {
            scale = scale * 0.1;
            value = value + (ch(c) - '0') * scale;
        }
    }
    if (c == start) {
        RNUM = value;
        IERR = -1;
        return;
    }
    int exponent = 0;
    if (ch(c) == 'E' || ch(c) == 'e') {
        ++c;
        int exponent_sign = 1;
        if (ch(c) == '+') {
            ++c;
        } else if (ch(c) == '-') {
            exponent_sign = -1;
            ++c;
        }
        // Exponents beyond the range of a float all give 0 or infinity;
        // the cap only keeps the integer from overflowing.
        for (; is_digit(ch(c)); ++c) exponent = std::min(exponent * 10 + (ch(c) - '0'), 100000);
        exponent *= exponent_sign;
    }
    const char t = ch(c);
    const bool ends_number = t == ' ' || t == '\t' || t == '\0' || std::strchr("=)(+-*/^$,", t) != nullptr;
    if (!ends_number) {
        RNUM = value;
        IERR = 1;
        I = static_cast<INTEGER>(c);
        return;
    }
    RNUM = sign * value * static_cast<double>(power_of_ten(exponent));
    while (c <= kRowColumns && (ch(c) == ' ' || ch(c) == '\t' || ch(c) == '\0')) ++c;
    I = static_cast<INTEGER>(c);
    IERR = 0;
}

void READDATA(std::string_view /*LKTPATH*/, INTEGER INVROW, INTEGER PVROW) {
    DBG_IN("READDATA");
    std::string text;
    if (INVROW < 0) {
        load_example_inverter();
        DBG_PRINT("Loaded the Example Inverter data in READDATA");
    } else {
        if (!read_row(MAVODATA.MAVOINVFILE, INVROW, kInverterMessages, text) ||
            !parse_numbers(text, kInverterTextFields, kInverterNumbers, kInverterMessages,
                           [](int n, double v) { MAVODATA.INVDATA(n + 1) = v; })) {
            DBG_OUT("READDATA");
            return;
        }
    }
    if (PVROW < 0) {
        load_example_module();
        // The inverter's own rating and voltage window, whichever module:
        // with a table inverter, the example inverter's 1000 kW and 0-1000 V
        // would let the array run past the real rating, where the real
        // efficiency table gives no output, instead of clipping there.
        map_inverter();
        DBG_DOUBLE("Loaded Example Panel data in ReadDATA; area", MAVODATA.PVPARS(15));
    } else {
        if (!read_row(MAVODATA.MAVOPVFILE, PVROW, kModuleMessages, text) ||
            !parse_numbers(text, kModuleTextFields, kModuleNumbers, kModuleMessages,
                           [](int n, double v) { MAVODATA.PVDATA(n) = v; })) {
            DBG_OUT("READDATA");
            return;
        }
        map_module();
        map_inverter();
    }
    DBG_OUT("READDATA");
}

}  // namespace mavo
