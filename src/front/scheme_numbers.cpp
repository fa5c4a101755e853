#include "front/scheme_numbers.h"

#include "blocks/project_blocks.h"
#include "blocks/run_control.h"
#include "blocks/summary_blocks.h"
#include "front/trace.h"
#include "support/numeric.h"

namespace mavo {

void STRIPR(INTEGER& ID, INTEGER& NDIGIT, INTEGER& NPOW) {
    if (ID < 1) {
        NPOW = -1;
        NDIGIT = 0;
    } else {
        INTEGER p = 0;
        INTEGER power = 1;
        while (static_cast<REAL>(ID / power) >= 10.0f) {
            ++p;
            power *= 10;
        }
        NPOW = p;
        NDIGIT = ID / power;
        ID = ID - NDIGIT * power;
    }
    DBG_INT("in stripr NDIGIT", NDIGIT);
    DBG_INT("in stripr IDTEMP", ID);
}

void CHECKR(INTEGER& ID, INTEGER& ISLOT) {
    if (ID <= 0) {
        ISLOT = 0;
        ID = 0;
        return;
    }
    if (ID <= 9) {
        ISLOT = 0;
        if (SCHEMENAME(ID).first(4) == BLK0A.BLANK4.view()) ID = 0;
        return;
    }
    for (INTEGER i = 1; i <= 9; ++i) {
        if (NCOMBO(i) == ID && LINENAME(i).first(4) != BLK0A.BLANK4.view()) {
            ISLOT = i;
            return;
        }
    }
    ISLOT = 9;
    ID = 0;
}

INTEGER combination_line(INTEGER number) {
    if (number < 10) return 0;
    for (INTEGER i = 1; i <= 9; ++i)
        if (NCOMBO(i) == number && LINENAME(i).first(4) != BLK0A.BLANK4.view()) return i;
    return 0;
}

INTEGER leading_member(INTEGER id) {
    if (id >= 1 && id <= 10) return id;
    if (id < 11) return 0;
    while (id >= 10) id /= 10;
    return id;
}

bool member_holds_results(INTEGER digit) { return is_scheme_slot(digit) && SUMARY(48, digit) > 0.0f; }

INTEGER serving_slot(INTEGER id) {
    if (id < 11) return leading_member(id);
    // A member that holds no results adds nothing to the combination, and
    // its saved run state (days, valid climate data) is no simulation's.
    for (INTEGER rest = id, digit = 0, npow = 0; rest > 0;) {
        STRIPR(rest, digit, npow);
        if (member_holds_results(digit)) return digit;
    }
    return leading_member(id);
}

INTEGER command_slot(INTEGER id) {
    const INTEGER slot = leading_member(id);
    return is_scheme_slot(slot) ? slot : 0;
}

// Only the scheme slots 1 to 9 carry a command, in row 2 of their column;
// a combination's commands are kept in its leading member's. The default
// scheme works on column 10, which is scheme 1's back-up copy, and its row
// 2 is whatever command scheme 1 held when the copy was taken. Read as the
// default scheme's command it would serve scheme 1's command a second time,
// on the wrong scheme.
REAL pending_command(INTEGER id) {
    const INTEGER slot = command_slot(id);
    return slot > 0 ? STRATEGY(2, slot) : 0.0f;
}

INTEGER command_of_scheme(INTEGER id) {
    const INTEGER c = int_toward_zero(pending_command(id));
    const bool built_before_code = STRATEGY(11, 2) > 199.0f;
    if (c >= 340 && id == 1) return 243;
    if (c >= 340 && id == 2) return built_before_code ? 243 : 246;
    if (c >= 246 && c <= 339 && id == 2) return built_before_code ? 243 : c;
    return c;
}

}  // namespace mavo
