#include "physics/line_parser.h"

#include "blocks/scratch_blocks.h"

namespace mavo {
namespace {

// State of the column being collected.
struct Field {
    bool collecting = false;
    bool valid = false;
    INTEGER slot = 0;     // FIELDVALS entry of the column
    REAL sign = 1.0f;
    REAL value = 0.0f;
    REAL place = 1.0f;    // 0.1 to the power of the digits after the point
    bool point = false;

    void start(INTEGER j) {
        *this = Field{};
        collecting = true;
        valid = true;
        slot = j;
    }
};

// One character of a collected field: digits with at most one point, a
// minus sign anywhere (it applies from the next digit on), plus signs and
// blanks skipped; anything else ends the number, keeping what was read.
void take_character(Field& f, char ch) {
    if (ch == '-') {
        f.sign = -1.0f;
    } else if (ch == '+' || ch == ' ') {
        // skipped
    } else if (ch == '.') {
        if (f.point) f.valid = false;
        f.point = true;
    } else if (ch >= '0' && ch <= '9') {
        const REAL digit = static_cast<REAL>(ch - '0');
        if (!f.point) {
            f.value = f.value * 10.0f + digit;
        } else {
            f.place = f.place * 0.1f;
            f.value = f.value + digit * f.place;
        }
        FIELDVALS(f.slot) = f.value * f.sign;
    } else {
        f.valid = false;
    }
}

}  // namespace

void FFCDREAD(INTEGER NWANT) {
    for (auto& v : FIELDVALS) v = kMissingField;
    // The wanted list holds 108 columns at most.
    const INTEGER nwant = NWANT < 0 ? 0 : (NWANT > 108 ? 108 : NWANT);
    if (nwant == 0) return;

    const std::size_t length = TEXTLINE.size();
    INTEGER column = 1;
    INTEGER next = 1;  // index in ISTPOS of the next wanted column
    Field field;
    auto begin_column = [&] {
        if (next <= nwant && column == ISTPOS(next)) {
            field.start(next);
            ++next;
        } else {
            field.collecting = false;
        }
    };
    begin_column();

    for (std::size_t i = 0; i < length; ++i) {
        const char ch = TEXTLINE[i];
        if (ch == ',') {
            // The comma after the last wanted column ends the parse.
            if (next > nwant && field.collecting) return;
            ++column;
            begin_column();
        } else if (field.collecting && field.valid) {
            take_character(field, ch);
        }
    }
}

}  // namespace mavo
