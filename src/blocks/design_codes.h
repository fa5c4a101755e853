// What some codes of a scheme's parameter column stand for, shared by the
// design generator, which writes a code together with its values, and the
// design transfer, which turns a code into its values (task 2) and
// recognises the values as the code again (task 3). The transfer recognises
// a value only when it is bit for bit the one it assigns, so both sides must
// take it from here: a value one float step off turns a coded choice into a
// custom one at the next save.
#pragma once
#include "blocks/blocks.h"
#include "support/types.h"

namespace mavo::design_codes {

// Radiant-barrier code (STRATEGY(35)) of a dwelling with another heated
// unit upstairs, which has no roof for a foil to sit under: "no foil
// although required" (2) where the foil is required (3, 4), "no foil is
// required" (1) where it is not (5, 6); codes 1 and 2 stay.
inline REAL radiant_barrier_code_without_roof(REAL code) {
    if (code == 3.0f || code == 4.0f) return 2.0f;
    if (code == 5.0f || code == 6.0f) return 1.0f;
    return code;
}

// The first year built whose houses carry the radiant barrier their zone
// requires.
inline constexpr REAL kRadiantBarrierCode = 2004.0f;

// Cooling efficiency (COP = SEER / 3.412 Btu per Wh) of the cooling codes.
inline constexpr REAL kCoolingCopSeer8_9 = 2.6084406f;  // code 2
inline constexpr REAL kCoolingCopSeer15 = 4.396249f;    // code 4, and the heat pump of code 8
inline constexpr REAL kCoolingCopSeer19_5 = 5.715123f;  // code 5
inline constexpr REAL kCoolingCopSeer20 = 5.861665f;    // heat pump of code 9

// Infiltration class 5 (STRATEGY(24)) has no row of the class table: it is
// the air-retarding house wrap that the compliance instructions set beside
// class 4's sealed ducts (3.801 SLA against 3.8), and leaks as class 4.
inline constexpr REAL kHouseWrapInfiltrationClass = 5.0f;
inline constexpr INTEGER kHouseWrapLeaksAsClass = 4;

// Infiltration class (STRATEGY(24)) of a specific leakage area: the
// tightest class whose leakage area bounds it (class 9 up to 0.4); 0 for a
// leakage area above the leakiest class, 6.0.
inline REAL infiltration_class_of_sla(REAL sla) {
    constexpr struct {
        REAL bound;
        REAL code;
    } kClasses[] = {{6.0f, 1.0f}, {4.9f, 2.0f}, {4.3f, 3.0f}, {3.8f, 4.0f}, {2.5f, 6.0f},
                    {2.0f, 7.0f}, {1.5f, 8.0f}, {0.4f, 9.0f}};
    REAL code = 0.0f;
    for (const auto& c : kClasses)
        if (sla <= c.bound) code = c.code;
    return code;
}

// U-factor (Btu/h.ft2.F), solar heat gain coefficient and visible
// transmittance of a glazing.
struct GlazingValues {
    REAL u;
    REAL shgc;
    REAL vt;
};

// The residential code glazing of a climate zone (code 25 of a window
// group): the zone's required U-factor, and its required SHGC with a
// visible transmittance of 0.5; where the code sets no SHGC (CECRESA(11,z)
// = 0: zones 1, 3 and 5) a clear low-e double glazing of SHGC 0.6 and
// transmittance 0.69.
inline GlazingValues residential_code_glazing(INTEGER zone) {
    const REAL code_shgc = CECRESA(11, zone);
    if (code_shgc > 0.0f) return {CECRESA(7, zone), code_shgc, 0.5f};
    return {CECRESA(7, zone), 0.6f, 0.69f};
}

// Doors of a non-residential building older than the current code, in
// glazing eras 1 and 3: an uninsulated door of U 1.5, and of 1.4 for one
// built 1992 to 2003 (era 3). The design gives a generated door these
// values and the transfer gives them to every door of such a scheme, so a
// door simulates alike in the run that designs it and in every later run.
inline constexpr GlazingValues kVintageDoor{1.5f, 0.5f, 0.0f};
inline GlazingValues vintage_door(INTEGER era, REAL year_built) {
    if (era == 3 && year_built >= 1992.0f && year_built < 2004.0f) return {1.4f, 0.5f, 0.0f};
    return kVintageDoor;
}

}  // namespace mavo::design_codes
