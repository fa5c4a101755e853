// The attic of a pitched roof, hour by hour: the air space between ceiling
// and roof deck acts as a resistance that grows with ventilation and with a
// reflective deck and shrinks as the deck heats up; an attic fan runs on hot
// sunny hours. The ceiling U-factor of the hour carries the roof's heat of
// the hour; UVAL(10) keeps the steady U-factor of the construction, which
// the zone constants, the design loads and the reports read.
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/opaque.h"
#include "physics/opaque_steps.h"

namespace mavo {
namespace {

// Effective R of the attic air space, h.ft2.F/Btu, column fastest (columns:
// ceiling insulation R 15 or less / above, in pairs: no fan, no fan, fan of
// 0.5, 1.0 and 1.5 cfm per ft2 of roof; rows: see attic_table_row).
// Plain (non-reflective) roof deck.
constexpr FArray<REAL, 10, 9> kAtticRPlain = {
    1.9f, 1.9f, 2.8f, 3.4f, 6.3f, 9.3f, 9.6f, 16.0f, 11.0f, 20.0f,  //
    1.9f, 1.9f, 2.8f, 3.5f, 6.5f, 10.0f, 9.8f, 17.0f, 12.0f, 21.0f,  //
    1.9f, 1.9f, 2.8f, 3.6f, 6.7f, 11.0f, 10.0f, 18.0f, 13.0f, 22.0f,  //
    1.9f, 1.9f, 2.5f, 2.8f, 4.6f, 6.7f, 6.1f, 10.0f, 6.9f, 13.0f,  //
    1.9f, 1.9f, 2.6f, 3.1f, 5.2f, 7.9f, 7.6f, 12.0f, 8.6f, 15.0f,  //
    1.9f, 1.9f, 2.7f, 3.4f, 5.8f, 9.0f, 8.5f, 14.0f, 10.0f, 17.0f,  //
    1.9f, 1.9f, 2.2f, 2.3f, 3.3f, 4.4f, 4.0f, 6.0f, 4.1f, 6.9f,  //
    1.9f, 1.9f, 2.4f, 2.7f, 4.2f, 6.1f, 5.8f, 8.7f, 6.5f, 10.0f,  //
    1.9f, 1.9f, 2.6f, 3.2f, 5.0f, 7.6f, 7.2f, 11.0f, 8.3f, 13.0f,  //
};
// Reflective roof deck or radiant barrier.
constexpr FArray<REAL, 10, 9> kAtticRReflective = {
    6.5f, 6.5f, 8.1f, 8.8f, 13.0f, 17.0f, 17.0f, 25.0f, 19.0f, 30.0f,  //
    6.5f, 6.5f, 8.2f, 9.0f, 14.0f, 18.0f, 18.0f, 26.0f, 20.0f, 31.0f,  //
    6.5f, 6.5f, 8.3f, 9.2f, 15.0f, 18.0f, 19.0f, 27.0f, 21.0f, 32.0f,  //
    6.5f, 6.5f, 7.5f, 8.0f, 10.0f, 13.0f, 12.0f, 17.0f, 13.0f, 19.0f,  //
    6.5f, 6.5f, 7.7f, 8.3f, 12.0f, 15.0f, 14.0f, 20.0f, 16.0f, 22.0f,  //
    6.5f, 6.5f, 7.9f, 8.6f, 13.0f, 16.0f, 16.0f, 22.0f, 18.0f, 25.0f,  //
    6.5f, 6.5f, 7.0f, 7.4f, 8.0f, 10.0f, 8.5f, 12.0f, 8.8f, 12.0f,  //
    6.5f, 6.5f, 7.3f, 7.8f, 10.0f, 12.0f, 11.0f, 15.0f, 12.0f, 16.0f,  //
    6.5f, 6.5f, 7.6f, 8.2f, 11.0f, 14.0f, 13.0f, 18.0f, 15.0f, 20.0f,  //
};

// Air space of a cool hour, when the deck is too cool for ventilation to
// matter: the still-air value of a plain or of a reflective attic.
constexpr REAL kCoolHourPlainR = 1.9f;
constexpr REAL kCoolHourReflectiveR = 6.5f;
// An hour is cool below these outdoor and roof sol-air temperatures, F.
constexpr REAL kCoolHourOutdoor_F = 75.0f;
constexpr REAL kCoolHourSolAir_F = 110.0f;
// Share of the ceiling between the joists; the rest is framing.
constexpr REAL kCavityShare = 0.9f;
constexpr REAL kFramingShare = 0.1f;
// Ceiling insulation above this R takes the even (well insulated) columns.
constexpr REAL kWellInsulatedCeilingR = 15.0f;
// Base columns: an attic without a fan, and one with a fan of 1 cfm/ft2.
constexpr INTEGER kColumnNoFan = 3;
constexpr INTEGER kColumnFan = 7;
// Fan power when the scheme gives none, W per cfm.
constexpr REAL kDefaultAtticFan_W_per_cfm = 0.04f;
constexpr REAL kWattsPerKilowatt = 1000.0f;
// Radiant-barrier codes of the scheme (STRATEGY(35)) that say whether the
// attic has foil: 3 required and present, 6 added by the user; 4 required
// but deleted, 5 neither required nor present. (The attic tables were once
// keyed to 4 plain and 5 foil, which gave every home whose code says "no
// foil" the foil attic.)
constexpr REAL kBarrierFoilRequired = 3.0f;
constexpr REAL kBarrierFoilDeleted = 4.0f;
constexpr REAL kBarrierNoFoil = 5.0f;
constexpr REAL kBarrierFoilAdded = 6.0f;

// Roof types (STRATEGY(32)) above 3 and below 10 are ceilings under a
// vented attic; 5, 7 and 9 of them have an attic fan.
bool is_attic_roof(REAL roof_type) { return roof_type > 3.0f && roof_type < 10.0f; }
bool has_attic_fan(REAL roof_type) { return roof_type == 5.0f || roof_type == 7.0f || roof_type == 9.0f; }

// Whether the attic has a reflective deck or a radiant barrier: the climate
// zone's code requirement unless the scheme names one or the other.
bool reflective_attic() {
    bool reflective = false;
    if (CECZONE >= 1 && CECZONE <= 16) {
        reflective = CECRESA(10, CECZONE) == 1.0f;
    } else {
        DBG_INT("OPAQUE climate zone out of range, CECZONE", CECZONE);
    }
    const REAL barrier = std::fabs(opaque_steps::scheme_code(35));
    if (barrier == kBarrierFoilDeleted || barrier == kBarrierNoFoil) reflective = false;
    if (barrier == kBarrierFoilRequired || barrier == kBarrierFoilAdded) reflective = true;
    return reflective;
}

struct AtticHour {
    INTEGER icol = 1;
    INTEGER irow = 1;
    bool fan_on = false;
    REAL u = 0.0f;  // ceiling U-factor of the hour, Btu/h.ft2.F
};

// The attic model of one hour: the ceiling U-factor with the column, row
// and fan state it used.
AtticHour attic_model(INTEGER ihour, REAL roof_type) {
    AtticHour a;
    a.u = UVAL(10);
    const REAL t_out_F = TEMP(ihour);
    const REAL t_solair_F = SATEMP(ihour);  // the roof's, left by the wall and roof step
    a.irow = attic_table_row(t_out_F, t_solair_F);
    const INTEGER base = has_attic_fan(roof_type) ? kColumnFan : kColumnNoFan;
    a.fan_on = base >= 5;
    a.icol = RINSCEIL > kWellInsulatedCeilingR ? base + 1 : base;
    const bool reflective = reflective_attic();
    REAL attic_r = attic_air_space_r(a.icol, a.irow, reflective);
    if (t_out_F < kCoolHourOutdoor_F || t_solair_F < kCoolHourSolAir_F) {
        attic_r = reflective ? kCoolHourReflectiveR : kCoolHourPlainR;
        a.fan_on = false;
    }
    const REAL r_cavity_total = RCAVITYC + attic_r + RSHELCEIL;
    const REAL r_framing_total = RFRAMINGC + attic_r + RSHELCEIL;
    if (r_cavity_total > 0.0f && r_framing_total > 0.0f) {
        a.u = attic_ceiling_u(r_cavity_total, r_framing_total);
    } else {
        // Negative ceiling resistances from a damaged scheme: take the
        // U-factor the construction routine gave rather than divide by zero.
        DBG_FLOAT("OPAQUE attic path resistance not positive", r_cavity_total);
    }
    return a;
}

}  // namespace

INTEGER attic_table_row(REAL t_out_F, REAL t_solair_F) {
    const INTEGER outdoor_band = t_out_F <= 85.0f ? 0 : (t_out_F <= 95.0f ? 3 : 6);
    const INTEGER solair_band = t_solair_F <= 130.0f ? 1 : (t_solair_F <= 150.0f ? 2 : 3);
    return outdoor_band + solair_band;
}

REAL attic_air_space_r(INTEGER icol, INTEGER irow, bool reflective) {
    return reflective ? kAtticRReflective(icol, irow) : kAtticRPlain(icol, irow);
}

REAL attic_fan_cfm_per_ft2(INTEGER icol) {
    if (icol >= 9) return 1.5f;
    if (icol >= 7) return 1.0f;
    if (icol >= 5) return 0.5f;
    return 0.0f;
}

REAL attic_ceiling_u(REAL r_cavity_total, REAL r_framing_total) {
    return kCavityShare / r_cavity_total + kFramingShare / r_framing_total;
}

namespace opaque_steps {

void roof_and_attic(INTEGER month, INTEGER ihour, REAL roof_tetd_F) {
    if (AREA(kRoof) <= 0.0f) {
        HEAT(kRoof, ihour, month) = 0.0f;
        return;
    }
    const REAL roof_type = scheme_code(32);
    AtticHour a;
    a.u = UVAL(kRoof);
    // Only the residential construction step lays out an attic's ceiling
    // paths (BLK4A); a non-residential roof is the U-factor its own step
    // gave.
    if (is_attic_roof(roof_type) && !NFLAG(24)) a = attic_model(ihour, roof_type);
    HEAT(kRoof, ihour, month) = AREA(kRoof) * roof_tetd_F * a.u;

    const REAL fan_W_per_cfm = wCFMvent > 0.0f ? wCFMvent : kDefaultAtticFan_W_per_cfm;
    KWHRattic = a.fan_on ? AREA(kRoof) * attic_fan_cfm_per_ft2(a.icol) * fan_W_per_cfm / kWattsPerKilowatt
                         : 0.0f;

    if (in_trace_window()) {
        DBG_INT("iwhen OPAQUE at roof 444", IWHEN);
        DBG_FLOAT("  roof type OPAQUE at roof 444", roof_type);
        DBG_FLOAT("KWHRattic in OPAQUE 499", KWHRattic);
    }
    if (IWHEN == kRoofTraceStamp) {
        DBG_INT("iwhen Roof in OPAQUE at 524", IWHEN);
        DBG_INT("   icol", a.icol);
        DBG_INT("   irow", a.irow);
        DBG_FLOAT("AtticRn(icol,irow)", attic_air_space_r(a.icol, a.irow, false));
        DBG_FLOAT("AtticRf(icol,irow)", attic_air_space_r(a.icol, a.irow, true));
        DBG_FLOAT("Uval(10) new 524", a.u);
        DBG_FLOAT("Heat(10,ihour,month)", HEAT(kRoof, ihour, month));
    }
}

}  // namespace opaque_steps
}  // namespace mavo
