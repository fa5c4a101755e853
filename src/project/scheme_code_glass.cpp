// The glass a scheme-wide glazing code (group 1's code slot, row 60) gives
// the windows of a house, or of another building of its own glazing (era 5
// and above), and the windows' move to the code glass of the site and kind
// of building in force.
#include <algorithm>
#include <optional>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "front/trace.h"
#include "project/revision.h"
#include "support/numeric.h"

namespace mavo {
namespace {

using design_codes::GlazingValues;

// Residential glazing of code 5 for homes built from 2004, by climate zone.
GlazingValues residential_2004_glazing(INTEGER zone) {
    if (zone <= 2) return {0.57f, 0.67f, 0.67f};
    if (zone <= 6) return {0.67f, 0.67f, 0.67f};
    if (zone <= 9) return {0.67f, 0.4f, 0.4f};
    if (zone <= 15) return {0.57f, 0.4f, 0.4f};
    return {0.55f, 0.67f, 0.67f};
}

bool is_window_line(INTEGER k) { return QTY(k) > 0.0f && TRANS(k) > 0.0f; }

// A line that holds a window's glass of its own, with units or not (an
// emptied group's line keeps the glass it last held): a line a group typed
// past the last line made in this save holds none yet (at most a
// transmittance typed on it), and sets no glass beside the others'.
bool holds_window_glass(INTEGER k) { return TRANS(k) > 0.0f && !(UWINDO(k) == 0.0f && SCOEF(k) == 0.0f); }
bool is_glazed_window_line(INTEGER k) { return QTY(k) > 0.0f && holds_window_glass(k); }

bool some_window_holds_but_a_word(const GlazingValues& g) {
    for (INTEGER k = 1; k <= 25; ++k)
        if (is_window_line(k) && line_holds_but_a_word(k, g)) return true;
    return false;
}

// The code glass the windows were given by the run that saved them: the
// code's glass in the zone of that run, as the kind of building the scheme
// is now or the other (a switch of kind saved with the edit). The kind is
// the one whose glass some window still holds whole.
INTEGER zone_of_last_run() {
    const INTEGER zone = REVISION_STATE.LINES_ZONE;
    return (zone >= 1 && zone <= 16) ? zone : 9;
}

std::optional<GlazingValues> code_glass_of_last_run(REAL code, bool dwelling, REAL year_built) {
    for (const bool as_dwelling : {dwelling, !dwelling}) {
        const auto g = scheme_code_glass(code, as_dwelling, year_built, zone_of_last_run());
        if (g && some_window_holds(*g)) return g;
    }
    return std::nullopt;
}

// The code glass (25, else 5) the last run gave the windows as a house: a
// house made another building in this save.
std::optional<GlazingValues> code_glass_of_a_house(REAL year_built) {
    for (const REAL code : {25.0f, 5.0f}) {
        const auto g = scheme_code_glass(code, true, year_built, zone_of_last_run());
        if (g && some_window_holds(*g)) return g;
    }
    return std::nullopt;
}

// The glass in force for the windows that still hold the code glass of the
// last run, and that code glass. Group 1's code slot naming a window of the
// current code's glazing in the save that made a house another building is
// the window the building's save stores for the glass its windows took on
// the switch's run (42, the code glass of another building): the windows
// the house's code glass left take that window's glass, as they do a run
// apart.
struct GlassToFollow {
    GlazingValues last, in_force;
};

// Windows marked not alike (group 1's code slot -1, or 1 as a building of
// its own glazing stores it) once one of them took glass of its own: those
// the designer did not touch still hold the code glass (25, else 5) the
// last run gave them as the kind of building in force, and a move takes
// them to that code's glass at the new site, as a move run before the
// window's own glass gives them. A house's code 5 has the same glass under
// every year from 2004: windows that hold it took it under such a year, and
// a year typed with the move counts after it (an earlier year keeps the
// glass the windows hold), so the move is judged under a year of that glass.
// `last_as_dwelling`: the kind whose code glass the last run gave them. A
// house made another building in the save that emptied the glass of the
// windows that held the house's code glass whole still has it in a window
// whose one word the designer typed: that window's other words take the
// building's, as the switch run before the emptying gives them.
std::optional<GlassToFollow> glass_of_windows_not_alike(bool dwelling, REAL year_built, INTEGER zone,
                                                        bool last_as_dwelling) {
    for (const REAL code : {25.0f, 5.0f}) {
        const auto year = [&](bool as_dwelling) {
            return as_dwelling && code == 5.0f ? std::max(year_built, 2004.0f) : year_built;
        };
        const auto last = scheme_code_glass(code, last_as_dwelling, year(last_as_dwelling), zone_of_last_run());
        const bool switched = last_as_dwelling != dwelling;
        if (!last || !(some_window_holds(*last) || (switched && some_window_holds_but_a_word(*last)))) continue;
        const auto in_force = scheme_code_glass(code, dwelling, year(dwelling), zone);
        if (in_force) return GlassToFollow{*last, *in_force};
    }
    return std::nullopt;
}

std::optional<GlassToFollow> glass_to_follow(REAL code, bool dwelling, REAL year_built, INTEGER zone) {
    if (code == 1.0f || code == -1.0f) return glass_of_windows_not_alike(dwelling, year_built, zone, dwelling);
    if (const auto in_force = scheme_code_glass(code, dwelling, year_built, zone)) {
        const auto last = code_glass_of_last_run(code, dwelling, year_built);
        if (!last) return std::nullopt;
        return GlassToFollow{*last, *in_force};
    }
    // A house's code of no code glass (-48, a first window of no library
    // glass, or the library window the first window's own glass is) is what
    // its save stores once line 1 has glass of its own: it marks the windows
    // not alike as 1 or -1 does, and those the designer did not touch still
    // hold the last run's code glass. Kept there, they would follow the
    // site only where some other window was the first to take its own glass.
    if (dwelling) return glass_of_windows_not_alike(dwelling, year_built, zone, true);
    // Only another building's window types (41 to 47) name such a window.
    // Any other code is the house's mark, made another building in this
    // save: the windows the designer did not touch take the building's code
    // glass, as the switch run before the window's own glass gives them.
    // Left in the house's code glass, the building's save stored them as
    // glass of no code of their own (a house run with a window's own glass
    // before the switch stores -48 there, one run with the code glass 25).
    const INTEGER window_type = int_toward_zero(code);
    if (window_type < 41 || window_type > 47) return glass_of_windows_not_alike(false, year_built, zone, true);
    const auto window = library_window_glazing(window_type);
    if (!window) return std::nullopt;
    const auto last = code_glass_of_a_house(year_built);
    if (!last) return std::nullopt;
    return GlassToFollow{*last, *window};
}

// The value of one word of the glass (`word` of a window line) that more
// of the windows (the lines `counted`) hold than any other; `none_leads`
// where two values or more are held as often; none where no window counts.
template <class Word>
std::optional<REAL> word_most_windows_hold(Word word, bool (*counted)(INTEGER), REAL none_leads) {
    std::optional<REAL> most;
    INTEGER most_lines = 0;
    bool tie = false;
    for (INTEGER k = 1; k <= 25; ++k) {
        if (!counted(k)) continue;
        INTEGER lines = 0;
        for (INTEGER n = 1; n <= 25; ++n)
            if (counted(n) && word(n) == word(k)) ++lines;
        if (lines > most_lines) {
            most = word(k);
            most_lines = lines;
            tie = false;
        } else if (lines == most_lines && word(k) != *most) {
            tie = true;
        }
    }
    if (tie) return none_leads;
    return most;
}

}  // namespace

bool line_holds(INTEGER k, const GlazingValues& g) {
    return UWINDO(k) == g.u && SCOEF(k) == g.shgc && TRANS(k) == g.vt;
}

bool line_holds_but_a_word(INTEGER k, const GlazingValues& g) {
    return (UWINDO(k) == g.u) + (SCOEF(k) == g.shgc) + (TRANS(k) == g.vt) >= 2;
}

bool some_window_holds(const GlazingValues& g) {
    for (INTEGER k = 1; k <= 25; ++k)
        if (is_window_line(k) && line_holds(k, g)) return true;
    return false;
}

std::optional<GlazingValues> library_glass_some_window_holds(INTEGER code) {
    const auto g = library_window_glazing(code);
    if (g && some_window_holds(*g)) return g;
    return std::nullopt;
}

std::optional<GlazingValues> glass_most_windows_hold(const GlazingValues& typed, const GlazingValues& none_leads) {
    // A scheme whose every window group was set to no units, in this save
    // or before, still has the windows it last had in their lines' glass
    // (and in group 1's code slot, which its save keeps): a group typed past
    // the last line before the others were emptied took that glass, and so
    // does one typed with them or after them.
    bool window_with_units = false;
    for (INTEGER k = 1; k <= 25; ++k) window_with_units = window_with_units || is_glazed_window_line(k);
    const auto counted = window_with_units ? is_glazed_window_line : holds_window_glass;
    const auto word = [counted](REAL own, auto value, REAL none_leads) {
        return own > 0.0f ? std::optional<REAL>(own) : word_most_windows_hold(value, counted, none_leads);
    };
    const auto u = word(typed.u, [](INTEGER k) { return UWINDO(k); }, none_leads.u);
    const auto shgc = word(typed.shgc, [](INTEGER k) { return SCOEF(k); }, none_leads.shgc);
    const auto vt = word(typed.vt, [](INTEGER k) { return TRANS(k); }, none_leads.vt);
    if (!u || !shgc || !vt) return std::nullopt;
    return GlazingValues{*u, *shgc, *vt};
}

std::optional<GlazingValues> scheme_code_glass(REAL code, bool dwelling, REAL year_built, INTEGER zone) {
    if (dwelling) {
        if (code == 5.0f && year_built >= 2004.0f) return residential_2004_glazing(zone);
        if (code == 25.0f) return design_codes::residential_code_glazing(zone);
    } else {
        if (code == 5.0f && year_built >= 2013.0f) return GlazingValues{0.999f, 0.99f, 0.99f};
        if (code == 25.0f) return GlazingValues{CECNR(42, zone), CECNR(43, zone), CECNR(44, zone)};
    }
    return std::nullopt;
}

// A move to another zone, or a house made another building (or back),
// saved together with a window's glass of the user's own: the other windows
// still hold the code glass of the site and kind the last run had, and
// judged as they stand the windows are no longer alike, so the scheme-wide
// code would no longer reach them and they would keep the old glass, where
// a run between the two edits had given them the new code glass before the
// window's own glass came. So before the windows are judged alike, every
// word of a window that still holds the last run's code glass takes the
// code glass in force: the windows the user did not touch take it whole,
// and a window whose U-factor alone the user typed its new SHGC and
// transmittance, as a run between the edits gives them.
void code_glass_follows_site_and_kind(REAL year_built, INTEGER zone) {
    if (!REVISION_STATE.LINES_ZONE_KNOWN || !has_scheme_column(IDNUM1)) return;
    const bool dwelling = !NFLAG(24);
    if (!dwelling && ERA <= 4) return;  // the current code's glass comes from the types
    const auto follow = glass_to_follow(STRATEGY(60, IDNUM1), dwelling, year_built, zone);
    if (!follow) return;
    const GlazingValues& last = follow->last;
    const GlazingValues& in_force = follow->in_force;
    if (last.u == in_force.u && last.shgc == in_force.shgc && last.vt == in_force.vt) return;
    DBG_INT("REVISION: windows in the last run's code glass take that of the site in force, zone", zone);
    for (INTEGER k = 1; k <= 25; ++k) {
        if (!is_window_line(k)) continue;
        if (UWINDO(k) == last.u) UWINDO(k) = in_force.u;
        if (SCOEF(k) == last.shgc) SCOEF(k) = in_force.shgc;
        if (TRANS(k) == last.vt) TRANS(k) = in_force.vt;
    }
}

}  // namespace mavo
