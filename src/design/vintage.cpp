// The vintage design of an existing building by its year built.
//
// The brackets are the years in which the energy code and the appliance
// standards changed what was typically built: the first envelope
// requirements of 1978, later envelope, duct and equipment updates, and
// cool roofs and the SEER 13 air-conditioner minimum from 2006. The
// parameter column marks vintage choices by a negative sign, which readers
// compare by magnitude; the insulation level stays positive.
#include "design/vintage.h"

#include <cmath>

#include "blocks/blocks.h"
#include "design/nonresidential.h"
#include "design/residential.h"
#include "design/sizing.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "physics/constructions_nonresidential.h"
#include "blocks/design_codes.h"
#include "physics/constructions_residential.h"
#include "project/project.h"

namespace mavo {
namespace {

constexpr REAL kFirstEnvelopeCode = 1978.0f;
constexpr REAL kCoolRoofCode = 2006.0f;
using design_codes::kRadiantBarrierCode;
// Low-slope roofs reach 9.5 degrees (2:12).
constexpr REAL kLowSlopeRoof_deg = 9.5f;
constexpr REAL kDarkRoofAbsorptance = 0.9f;
constexpr REAL kPlainRoofEmittance = 0.75f;

void vintage_attic_roof(REAL year) {
    ABSORB(10) = kDarkRoofAbsorptance;
    TMLAG(10) = 2.0f;
    DECR(10) = 0.94f;
    UVAL(10) = year < kFirstEnvelopeCode ? 0.079f : 0.049f;
}

// Scheme 1's roof choice, which the existing building's roof follows. A
// roof the building sizing took away (1: a heated unit above) stays away,
// whatever scheme 1 holds. Scheme 1 is the code-minimum design of the same
// building: while its command designs it, the choice its column holds is
// one its next design replaces, by the climate's roof for a dwelling, the
// construction family's for other buildings, or no roof under another
// heated unit, and the vintage roof follows that replacement whether scheme
// 1 has been designed yet or not. A scheme 1 run as it stands keeps its
// choice, and the existing building copies it: no roof losses (1, or -1 as
// every run of scheme 1 reads it) included. A scheme 1 without a roof
// choice (0, never run) or one that its design leaves without a roof
// leaves this scheme the roof its design gives a building of no given
// roof: neither the choice scheme 1 holds nor the one this scheme's
// previous design left may decide it, or the design order would.
REAL scheme1_roof_choice(const DesignScheme& d) {
    const REAL own = STRATEGY(32, 2);
    if (own == 1.0f) {
        DBG_FLOAT("Vintage: the roof of scheme 2's own design EXPERT", own);
        return own;
    }
    REAL roof = STRATEGY(32, 1);
    const INTEGER scheme1_command = command_of_scheme(1);
    if (scheme1_command == 243 || scheme1_command == 246) {
        if (roof_under_heated_unit(1)) roof = 1.0f;
        else if (NFLAG(24)) roof = designed_nonresidential_roof_choice(NTYPE, roof);
        else roof = designed_roof_choice(roof, d.z);
        DBG_FLOAT("Vintage: the roof of scheme 1's design EXPERT", roof);
    } else if (std::fabs(roof) == 1.0f) {
        DBG_FLOAT("Vintage: scheme 1 as it stands has no roof losses EXPERT", roof);
        return 1.0f;
    }
    if (std::fabs(roof) > 1.0f) return roof;
    // Scheme 1 without a roof: a dwelling takes the climate's roof of a
    // design of no roof choice; another building its construction family's,
    // or for a light frame the code this scheme's column holds, whose
    // magnitude the marking of the vintage choices leaves alone.
    const REAL no_roof_choice = 0.0f;
    roof = NFLAG(24) ? designed_nonresidential_roof_choice(NTYPE, std::fabs(own))
                     : designed_roof_choice(no_roof_choice, d.z);
    DBG_FLOAT("Vintage: the roof of a design of no given roof EXPERT", roof);
    return roof;
}

// The older counterpart of scheme 1's roof choice.
REAL vintage_roof_choice(REAL scheme1_roof) {
    if (scheme1_roof == 2.0f) return 3.0f;
    if (scheme1_roof == 4.0f) return 6.0f;
    if (scheme1_roof == 5.0f) return 7.0f;
    if (scheme1_roof == 10.0f) return 11.0f;
    return scheme1_roof;
}

// Dark roofs before the cool-roof requirement.
void vintage_roof_surface(REAL year, INTEGER z) {
    if (RSLOPE <= kLowSlopeRoof_deg) {
        if (year >= kCoolRoofCode) {
            REMITT = CECRESA(26, z);
            ABSORB(10) = 1.0f - CECRESA(25, z);
        } else {
            REMITT = kPlainRoofEmittance;
            ABSORB(10) = kDarkRoofAbsorptance;
        }
    } else if (year < kCoolRoofCode) {
        ABSORB(10) = kDarkRoofAbsorptance;
        REMITT = kPlainRoofEmittance;
    } else {
        ABSORB(10) = 1.0f - CECRESA(27, z);
        REMITT = CECRESA(28, z);
    }
}

void trace_radiant_barrier(INTEGER k, INTEGER z) {
    DBG_FLOAT("CECRESA(10,z) radiant barrier EXPERT", CECRESA(10, z));
    DBG_FLOAT("Strategy(35, radiant barrier EXPERT", STRATEGY(35, k));
    DBG_PRINT(NFLAG(85) ? "  NFLAG(85)=true, RB exists" : "  NFLAG(85)=false no RB");
}

void vintage_walls_and_floor(REAL year) {
    const REAL wall_u = year < kFirstEnvelopeCode ? 0.356f : year < 1992.0f ? 0.11f : 0.102f;
    for (INTEGER i = 6; i <= 9; ++i) {
        TMLAG(i) = 3.0f;
        ABSORB(i) = 0.5f;
        DECR(i) = 0.88f;
        UVAL(i) = wall_u;
    }
    STRATEGY(31, 2) = year < kFirstEnvelopeCode ? 1.0f : 2.0f;
    UVAL(11) = year < 1992.0f ? 0.099f : 0.046f;
    // The existing house stands on a raised floor over a crawl space under
    // its whole footprint (none over another heated unit), whatever floor
    // the column held when the design began: the user's slab or the raised
    // floor an earlier design of the scheme wrote there.
    STRATEGY(33, 2) = 3.0f;
    STRATEGY(49, 2) = 2.0f;
    UVAL(12) = 0.73f;
    if (dwelling_over_heated_unit(2)) {
        // Over another heated unit: no floor losses, as the design's codes
        // say (none, none).
        AREA(11) = PERCNT(11) = 0.0f;
        AREA(12) = PERCNT(12) = 0.0f;
        STRATEGY(33, 2) = 1.0f;
        STRATEGY(49, 2) = 1.0f;
    } else {
        raised_floor_over_footprint();
    }
}

REAL vintage_duct_leakage_pct(REAL year) { return year < 2001.0f ? 14.0f : 11.0f; }

// An existing building has no whole-house fan, economizer or ceiling fans
// and opens no windows by a control: the choices and parameters of venting
// code 1, as every later run of the scheme takes them from its column.
void vintage_ventilation_choices(INTEGER k) {
    STRATEGY(25, k) = STRATEGY(28, k) = STRATEGY(29, k) = 1.0f;
    ACHMAX = 0.0f;
    wCFMvent = 0.0f;
    wCFMceil = 0.0f;
}

void vintage_cooling_and_water(REAL year) {
    // The vintage COP is a choice of the user's kind (code -2), which every
    // later run reads from the scheme file: the design simulates the COP
    // the file gives back.
    COPAC = cooling_cop_as_saved(vintage_air_conditioner_cop(year));
    STRATEGY(20, 2) = -2.0f;
    DBG_FLOAT("COPAC Vintage in EXPERT", COPAC);
    DBG_FLOAT("  SEER Vintage in EXPERT", COPAC * 3.412f);
    WHEF = vintage_water_heater_ef(year);
    SEF(2) = WHEF;
}

// The vintage choices of column 2 marked negative.
void mark_vintage_column() {
    for (const INTEGER i : {18, 20, 22, 24, 31, 32, 33, 41}) STRATEGY(i, 2) = -std::abs(STRATEGY(i, 2));
    STRATEGY(30, 2) = std::abs(STRATEGY(30, 2));
    DBG_FLOAT("Strategy(29,2) Vintage end", STRATEGY(29, 2));
    DBG_FLOAT("Strategy(30,2) Vintage end", STRATEGY(30, 2));
    DBG_FLOAT("Strategy(31,2) Vintage end", STRATEGY(31, 2));
    DBG_FLOAT("Strategy(32,2) Vintage end", STRATEGY(32, 2));
    DBG_FLOAT("Strategy(33,2) Vintage end", STRATEGY(33, 2));
    DBG_FLOAT("Strategy(49,2) Vintage end", STRATEGY(49, 2));
    DBG_FLOAT("Strategy(35,2) Vintage end", STRATEGY(35, 2));
}

}  // namespace

REAL vintage_air_conditioner_cop(REAL year) {
    // SEER 8.0, 8.9, 9.7 and 13.0 over 3.412 Btu/Wh.
    if (year > 0.0f && year < 1984.0f) return 2.34467f;
    if (year > 0.0f && year < 1992.0f) return 2.60844f;
    if (year > 0.0f && year < 2006.0f) return 2.84291f;
    return 3.81008f;
}

REAL vintage_water_heater_ef(REAL year) { return (year > 0.0f && year < 1999.0f) ? 0.525f : 0.575f; }

REAL vintage_duct_insulation(REAL year, INTEGER zone) {
    if (year < 1992.0f) return 2.1f;
    if (year < 2006.0f) return 4.2f;
    return CECRESA(14, zone);
}

void residential_vintage_design(const DesignScheme& d) {
    const INTEGER k = d.k, z = d.z;
    const REAL Y = d.year_built;
    DBG_FLOAT("Vintage year built EXPERT", Y);
    STRATEGY(30, k) = 4.0f;
    vintage_attic_roof(Y);
    STRATEGY(32, 2) = vintage_roof_choice(scheme1_roof_choice(d));
    // The roof's surface goes by its slope, which follows the roof chosen
    // here, not the slope the scheme's file kept from its previous run.
    designed_roof_slope(STRATEGY(32, 2));
    vintage_roof_surface(Y, z);
    if (Y < kRadiantBarrierCode) {
        NFLAG(85) = false;
        STRATEGY(35, k) = 5.0f;
    }
    trace_radiant_barrier(k, z);
    vintage_walls_and_floor(Y);

    DuctInsul = vintage_duct_insulation(Y, z);
    STRATEGY(24, k) = 2.0f;
    SLA = 4.9f;
    ACH50 = 9.8f;
    DuctLeakPct = vintage_duct_leakage_pct(Y);
    vintage_ventilation_choices(k);

    if (Y >= kFirstEnvelopeCode) {
        STRATEGY(18, 2) = 3.0f;
        COPHT = 0.78f;
    } else {
        STRATEGY(18, 2) = -2.0f;  // a furnace older than the appliance standards
        COPHT = 0.75f;
    }
    vintage_cooling_and_water(Y);
    mark_vintage_column();
    // The marked choices are the user's kind: the constructions step keeps
    // the walls, roof and floor set above and finishes what every later run
    // of the scheme finishes from them (the attic paths, the ceiling
    // insulation, the mass elements' materials).
    UVALR();
}

void nonresidential_vintage_design(const DesignScheme& d) {
    const INTEGER k = d.k, z = d.z;
    const REAL Y = d.year_built;
    DBG_PRINT("ERROR  KORVA Vintage not implemented yer");
    DBG_FLOAT("Vintage year built EXPERT", Y);
    STRATEGY(30, k) = Y < kFirstEnvelopeCode ? 1.0f : 4.0f;
    const REAL scheme1_roof = scheme1_roof_choice(d);
    STRATEGY(32, 2) = scheme1_roof;

    REAL roof_u = Y < kFirstEnvelopeCode ? 0.279f : 0.079f;
    if (scheme1_roof >= 10.0f) roof_u = Y < kFirstEnvelopeCode ? 0.325f : 0.107f;  // metal roofs
    UVAL(10) = scheme1_roof == 1.0f ? 0.0f : roof_u;  // 1: no roof losses
    TMLAG(10) = 2.0f;
    DECR(10) = 0.94f;

    ABSORB(10) = Y < kCoolRoofCode ? kDarkRoofAbsorptance : 1.0f - CECRESA(25, z);
    const REAL roof = STRATEGY(32, k);
    REMITT = (Y >= kCoolRoofCode && (roof == 2.0f || roof == 10.0f)) ? CECRESA(26, z) : kPlainRoofEmittance;
    if (Y < kRadiantBarrierCode) {
        NFLAG(85) = false;
        STRATEGY(35, k) = roof == 1.0f ? 1.0f : 5.0f;
    }

    ABSORB(6) = 0.5f;
    DBG_FLOAT("Strategy(31, wall Vintage EXPERT", STRATEGY(31, k));
    DBG_FLOAT("Uval(6) Vintage EXPERT", UVAL(6));
    DBG_FLOAT("Tmlag(6) Vintage EXPERT", TMLAG(6));
    DBG_FLOAT("Decr(6) Vintage EXPERT", DECR(6));
    DBG_FLOAT("Absorb(6) Vintage EXPERT", ABSORB(6));
    UVALC();

    DuctInsul = vintage_duct_insulation(Y, z);
    if (Y >= 2005.0f) {
        STRATEGY(24, k) = 6.0f;
        SLA = 2.5f;
        ACH50 = 5.0f;
    } else if (Y >= kFirstEnvelopeCode) {
        STRATEGY(24, k) = 2.0f;
        SLA = 4.9f;
        ACH50 = 9.8f;
    } else {
        STRATEGY(24, k) = 1.0f;
        SLA = 6.0f;
        ACH50 = 12.0f;
    }
    DuctLeakPct = vintage_duct_leakage_pct(Y);
    vintage_ventilation_choices(k);

    STRATEGY(18, 2) = 2.0f;
    COPHT = Y >= kFirstEnvelopeCode ? 0.78f : 0.75f;
    vintage_cooling_and_water(Y);
    mark_vintage_column();
    // A roof without losses has the one code the constructions step gives
    // it on every later run of the scheme.
    if (std::fabs(STRATEGY(32, 2)) <= 1.0f) STRATEGY(32, 2) = 1.0f;
}

}  // namespace mavo
