// GLAZED: the hour's solar and conduction heat flow of the 25 window, door
// and skylight lines into HEAT(1..5), and the daylight behind each facade
// and under the skylights into FCAVG(1..5).
#include "physics/glazing.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/irradiance.h"
#include "physics/physics.h"
#include "physics/shading.h"
#include "physics/skylight_daylight.h"
#include "physics/sol_air.h"
#include "physics/solar_geometry.h"
#include "physics/window_daylight.h"

namespace mavo {

namespace glazing {

INTEGER sun_table_face(REAL facing_deg, REAL tilt_deg, REAL sfaces_deg) {
    for (INTEGER k = 0; k <= 3; ++k) {
        const REAL facade_deg = sfaces_deg + 90.0f * static_cast<REAL>(k);
        if (facing_deg == facade_deg || facing_deg == facade_deg - 360.0f) {
            if (tilt_deg == 90.0f) return k + 1;
            if (tilt_deg == 0.0f) return 5;
            return 0;
        }
    }
    return 0;
}

INTEGER door_facade_class(REAL facing_deg, REAL tilt_deg) {
    if (tilt_deg <= 45.0f) return 5;
    const REAL f = facing_deg;
    if ((f > 45.0f && f <= 135.0f) || (f > -315.0f && f <= -225.0f)) return 2;
    if ((f > 135.0f && f <= 225.0f) || (f > -225.0f && f <= -135.0f)) return 3;
    if ((f > 225.0f && f <= 315.0f) || (f > -135.0f && f <= -45.0f)) return 4;
    return 1;  // (-45, 45], beyond 315 and at or below -315
}

REAL dwelling_door_absorptance(INTEGER line) {
    const INTEGER face = sun_table_face(FACING(line), TILT(line), SFACES);
    return ABSORB(5 + (face >= 1 ? face : door_facade_class(FACING(line), TILT(line))));
}

REAL shgc_behind_exterior_blinds(REAL shgc_blinds, REAL shgc_glass) {
    const REAL lower = std::min(shgc_blinds, shgc_glass);
    const REAL upper = std::max(shgc_blinds, shgc_glass);
    return lower * (0.2875f * upper + 0.75f);
}

REAL clear_sky_fraction(REAL globh, REAL diffh) {
    const REAL sum = globh + diffh;
    if (!(sum > 0.0f)) return 0.0f;
    // 1.4285715 = 1 / 0.7, the beam share of a fully clear sky.
    return std::clamp((globh - diffh) / sum * 1.4285715f, 0.0f, 1.0f);
}

}  // namespace glazing

namespace {

// GLAZED's trace window: no hour stamp of a run reaches it, so its
// diagnostics stay silent unless a developer sets IWHEN to it.
constexpr INTEGER kGlazedTraceStamp = 99910912;
constexpr std::string_view kDivideByZero = "GLAZED Error Divide by zero line";
constexpr INTEGER kNightInsulationError = 253;
constexpr INTEGER kBuildingHeightError = 564;

constexpr INTEGER kSkylightClass = 5;
// From this incidence on the beam grazes or misses the glass, and the glass
// no longer sees the sunlit ground in front of it.
constexpr REAL kGrazingIncidence_deg = 89.99f;
// Device states of BLK48 meaning nothing drawn.
constexpr REAL kNoBlinds_deg = 100.0f;
constexpr REAL kNoShade_pct = 100.0f;
constexpr REAL kHalfOpenBlinds_deg = 45.0f;
// The sun's declination without a day of the month: the 21st.
constexpr INTEGER kNoDayOfMonth = -999;
// Below this sine of the altitude the measured beam cannot be turned from
// horizontal to normal incidence.
constexpr REAL kMinSinAltitude = 0.0001f;

// Mean luminous efficacies of daylight, footcandles per Btu/h.ft2 (about
// 103, 117 and 107 lumens per watt) for the beam, the sky diffuse and the
// global light reflected from the ground.
constexpr REAL kBeamEfficacy = 30.187574f;
constexpr REAL kSkyEfficacy = 34.29074f;
constexpr REAL kGroundEfficacy = 31.359907f;

// What is fixed for the whole call.
struct GlazingHour {
    INTEGER month = 1;
    INTEGER ihour = 1;
    INTEGER shade = kShadeNone;  // the scheme's shading code
    bool sun_hour = false;       // IHRSUN1 <= IHOUR <= IHRSUN2
};

// Daylight sums carried from line to line within the call.
struct DaylightSums {
    FArray<REAL, 5> widthtot_ft{};  // glazed width by facade class (WIDTHTOT)
    REAL skysum_ft2 = 0.0f;         // skylit areas of the skylight lines (SKYSUM)
    // Skylit area of a skylight line; SKYILLUM leaves it as it was when the
    // model has no skylit floor, so a line takes the previous one's.
    REAL skylight_area_ft2 = 0.0f;
};

// The sun on one line in a sun hour, with its shading and irradiance.
struct LineSun {
    INTEGER ifaces = 0;          // sun-table column, 0 computed for the line
    REAL alt_deg = 0.0f;
    REAL azi_deg = 0.0f;
    REAL anginc_deg = 90.0f;
    REAL sunlit = 1.0f;          // fraction of the glass in beam sun
    REAL passpct = 100.0f;       // solar transmission of the interior device, percent
    REAL shgc_blinds = 1.0f;     // SHGC bound of exterior blinds, 1.0 open
    REAL beams_btuh_ft2 = 0.0f;  // beam on the surface
    REAL diffh_btuh_ft2 = 0.0f;  // diffuse horizontal
    REAL globh_btuh_ft2 = 0.0f;  // global horizontal
    REAL totsur_btuh_ft2 = 0.0f; // total on the surface
};

// A row of the scheme's parameter column; 0 for a scheme without one.
REAL scheme_parameter(INTEGER row) { return has_scheme_column(IDNUM1) ? STRATEGY(row, IDNUM1) : 0.0f; }

bool measured_daylight() { return NFLAG(36) && FIELDCODE >= 2; }
bool measured_work_plane() { return NFLAG(36) && FIELDCODE >= 3; }

// Altitude, bearing and incidence for a line that no sun-table column
// serves, on the day the table was built for.
void sun_for_own_orientation(INTEGER next, INTEGER month, INTEGER ihour, REAL tiltx_deg, LineSun& s) {
    INTEGER sun_month = month;  // with no day, SUNRAY finds the representative month itself
    INTEGER day = kNoDayOfMonth;
    if (!NFLAG(38) && TDAY(month) >= 1) {
        sun_month = sun_month_of(month);
        day = TDAY(month);
    }
    // The day table keeps its own sunrise and sunset.
    REAL sunrise_h = 0.0f;
    REAL sunset_h = 0.0f;
    REAL decl_deg = 0.0f;
    SUNRAY(SLAT, sun_month, static_cast<REAL>(ihour), s.alt_deg, s.azi_deg, sunrise_h, sunset_h, decl_deg,
           FACING(next), tiltx_deg, s.anginc_deg, day);
}

LineSun sun_on_line(INTEGER next, const GlazingHour& h, REAL tiltx_deg) {
    LineSun s;
    s.ifaces = glazing::sun_table_face(FACING(next), tiltx_deg, SFACES);
    if (s.ifaces >= 1) {
        s.alt_deg = BLK30.ALT(h.ihour);
        s.azi_deg = BLK30.AZI(h.ihour);
        s.anginc_deg = BLK30.ANGINC(h.ihour, s.ifaces);
    } else {
        sun_for_own_orientation(next, h.month, h.ihour, tiltx_deg, s);
    }
    SHADES(next, s.alt_deg, s.azi_deg, s.anginc_deg, s.sunlit, h.month, h.ihour, s.passpct, s.shgc_blinds);
    REAL dni = 0.0f, beamh = 0.0f, skys = 0.0f, grnds = 0.0f;
    INSOL(h.month, s.alt_deg, tiltx_deg, s.anginc_deg, GRNDREF, SKY(next), GROUND(next), dni, beamh,
          s.beams_btuh_ft2, s.diffh_btuh_ft2, skys, grnds, s.globh_btuh_ft2, s.totsur_btuh_ft2, h.ihour);
    return s;
}

// Solar irradiance passing into the glass of a window or skylight line,
// Btu/h.ft2 before its SHGC, and its visible transmittance at this
// incidence. At grazing incidence only the sky is seen.
REAL solar_on_glass(INTEGER next, const GlazingHour& h, const LineSun& s, REAL u, REAL& vtang) {
    REAL tautau = 0.0f;
    FRESNELL(s.anginc_deg, TRANS(next), u, vtang, tautau);
    REAL totsurgl = s.diffh_btuh_ft2 * SKY(next);
    if (s.anginc_deg < kGrazingIncidence_deg) {
        totsurgl = s.beams_btuh_ft2 * s.sunlit * tautau + s.diffh_btuh_ft2 * SKY(next) +
                   s.globh_btuh_ft2 * GROUND(next) * GRNDREF;
    }
    // Interior shades and blinds pass their solar transmission.
    if (h.shade >= kShadeTranslucentIfHot && h.shade <= kShadeBlindsAutomated && s.passpct > 0.0f) {
        totsurgl = totsurgl * s.passpct / 100.0f;
        if (h.shade == kShadeBlinds45) BLINDANGLE = kHalfOpenBlinds_deg;
    }
    return totsurgl;
}

// Heat flow of a window or skylight line (of every line in an hour without
// sun), Btu/h: transmitted sun through the SHGC plus conduction, or, on a
// losing hour of a cold month with the insulation closed, conduction
// through the glass and its night insulation in series.
REAL glass_flux(INTEGER next, const GlazingHour& h, const LineSun& s, REAL totsurgl, REAL areax_ft2, REAL u) {
    const REAL shgc = SCOEF(next);
    REAL shgccomb = shgc;
    // Closed exterior blinds (a bound below 1.0) combine with the glass; open
    // ones leave the glass as it is (the combination formula applied to open
    // blinds would pass more sun than the bare glass).
    if (h.shade == kShadeExteriorBlinds && s.shgc_blinds < 1.0f) {
        shgccomb = glazing::shgc_behind_exterior_blinds(s.shgc_blinds, shgc);
    }
    const REAL dt_F = TEMP(h.ihour) - TEMPIN;
    REAL flux_btuh = totsurgl * areax_ft2 * shgccomb + areax_ft2 * u * dt_F;

    const REAL rnightx = RNIGHT(next);
    const bool insulation_closed = !h.sun_hour || PEOPLE <= 0.0f || OCCPROF(h.ihour) <= 0.0f;
    if (flux_btuh <= 0.0f && TMAX(h.month) < COMLOW && rnightx > 0.0f && insulation_closed) {
        // Without a positive U-factor the glass has no resistance to add the
        // insulation to; the line keeps its flux and the hour goes on.
        if (!(u > 0.0f)) {
            DBG_INT(kDivideByZero, kNightInsulationError);
            return flux_btuh;
        }
        const REAL r = 1.0f / u + rnightx;
        flux_btuh = areax_ft2 * dt_F / r;
    }
    return flux_btuh;
}

// Heat flow of a door line in a sun hour, Btu/h: conduction against the
// sol-air temperature of its face.
REAL door_flux(INTEGER next, const GlazingHour& h, const LineSun& s, REAL tiltx_deg, REAL areax_ft2, REAL u) {
    const INTEGER ifaces = s.ifaces >= 1 ? s.ifaces : glazing::door_facade_class(FACING(next), tiltx_deg);
    const REAL absor = NFLAG(24) ? SCOEF(next) : glazing::dwelling_door_absorptance(next);
    const REAL coef = HO(ifaces);
    REAL solsur_F = 0.0f;
    SOLAIR(tiltx_deg, s.totsur_btuh_ft2, absor, coef, TEMP(h.ihour), solsur_F);
    if (!NFLAG(24)) SCOEF(next) = absor;
    return u * areax_ft2 * (solsur_F - TEMPIN);
}

// Beam, sky and ground illuminance on the outside of the line, footcandles,
// from the hour's radiation or from the measured daylight of a test case.
void exterior_illuminance(INTEGER next, const GlazingHour& h, const LineSun& s, REAL vtang, REAL& euw,
                          REAL& ekw, REAL& egw) {
    euw = ekw = egw = 0.0f;
    const bool beam_on_glass = s.anginc_deg < kGrazingIncidence_deg;
    if (!measured_daylight()) {
        if (beam_on_glass) euw = s.beams_btuh_ft2 * kBeamEfficacy * vtang * s.sunlit;
        ekw = s.diffh_btuh_ft2 * kSkyEfficacy * SKY(next) * TRANS(next);
        egw = s.globh_btuh_ft2 * kGroundEfficacy * GROUND(next) * GRNDREF * TRANS(next);
    } else if (FIELDCODE == 2) {
        const REAL global_fc = FLDDAY2(h.ihour, h.month);
        const REAL diffuse_fc = FLDDAY4(h.ihour, h.month);
        const REAL sin_alt = std::sin(deg_to_rad(s.alt_deg));
        REAL beam_normal_fc = sin_alt > kMinSinAltitude ? (global_fc - diffuse_fc) / sin_alt : 0.0f;
        beam_normal_fc = std::max(beam_normal_fc, 0.0f);
        if (beam_on_glass) euw = beam_normal_fc * std::cos(deg_to_rad(s.anginc_deg)) * vtang * s.sunlit;
        ekw = diffuse_fc * SKY(next) * TRANS(next);
        egw = global_fc * GROUND(next) * GRNDREF * TRANS(next);
    }
    // Measured work-plane data (code 3 and up) replace the computation.
}

// The line's daylight into the sums of its facade or the skylights.
void line_daylight(INTEGER next, INTEGER itemx, const GlazingHour& h, const LineSun& s, REAL vtang,
                   DaylightSums& sums) {
    const REAL skyc = glazing::clear_sky_fraction(s.globh_btuh_ft2, s.diffh_btuh_ft2);
    REAL euw = 0.0f, ekw = 0.0f, egw = 0.0f;
    exterior_illuminance(next, h, s, vtang, euw, ekw, egw);

    REAL etotwp_fc = 0.0f;
    if (itemx == kSkylightClass) {
        SKYILLUM(euw, ekw, egw, skyc, etotwp_fc, sums.skylight_area_ft2, next);
        if (NFLAG(36) && NFLAG(39) && FIELDCODE > 2) etotwp_fc = FLDDAY1(h.ihour, h.month);
        FCAVG(kSkylightClass) += etotwp_fc;
        sums.skysum_ft2 += sums.skylight_area_ft2;
        return;
    }
    // A door adds its width to the facade but no light.
    if (TRANS(next) > 0.0f) {
        if (measured_work_plane()) {
            etotwp_fc = FLDDAY1(h.ihour, h.month);
        } else {
            const REAL areax_ft2 = (HEAD(next) - SILL(next)) * WIDTH(next) * QTY(next);
            ILLUM(euw, ekw, egw, skyc, etotwp_fc, areax_ft2, next, s.alt_deg, s.sunlit);
        }
    }
    FCAVG(itemx) += etotwp_fc * WIDTH(next) * QTY(next);
    sums.widthtot_ft(itemx) += WIDTH(next) * QTY(next);
}

// One line's heat flow into HEAT and its daylight.
void glaze_line(INTEGER next, const GlazingHour& h, DaylightSums& sums) {
    if (!(QTY(next) > 0.0f)) return;
    const INTEGER itemx = ITEMS(next);
    const REAL areax_ft2 = (HEAD(next) - SILL(next)) * WIDTH(next) * QTY(next);
    if (!(areax_ft2 > 0.0f)) return;
    // Only facade classes 1-5 are glazing components of HEAT.
    if (itemx < 1 || itemx > kSkylightClass) {
        DBG_INT("GLAZED facade class outside 1 to 5, line skipped", next);
        return;
    }
    const REAL tiltx_deg = TILT(next);
    const REAL u = UWINDO(next);
    const bool glass = TRANS(next) > 0.0f;

    LineSun s;
    REAL vtang = 0.0f;
    REAL totsurgl = 0.0f;
    if (h.sun_hour) {
        s = sun_on_line(next, h, tiltx_deg);
        if (glass) totsurgl = solar_on_glass(next, h, s, u, vtang);
    }
    const REAL flux_btuh = (glass || !h.sun_hour) ? glass_flux(next, h, s, totsurgl, areax_ft2, u)
                                                  : door_flux(next, h, s, tiltx_deg, areax_ft2, u);
    HEAT(itemx, h.ihour, h.month) += flux_btuh;

    if (IWHEN == IWHEN1) {
        DBG_INT("GLAZED line", next);
        DBG_FLOAT("GLAZED TOTSURGL", totsurgl);
        DBG_FLOAT("GLAZED FLUX", flux_btuh);
    }

    if (h.sun_hour && PERCENTDL > 0.0f && s.globh_btuh_ft2 + s.diffh_btuh_ft2 > 0.0f) {
        line_daylight(next, itemx, h, s, vtang, sums);
    }
}

// Wall area of facade i (1..4 = S, W, N, E) for the daylight summary. On
// the floor types 10 and up (other than 16) the stored wall area misses a
// storey: it is spread over the upper floors, or, for one storey, taken
// from the facade length and the floor-to-floor height.
REAL summary_wall_area(INTEGER i) {
    const REAL floor_type = std::fabs(scheme_parameter(33));
    if (floor_type >= 10.0f && floor_type != 16.0f) {
        if (FLOORS >= 2.0f) return AREA(5 + i) + (AREA(i) + AREA(5 + i)) / (FLOORS - 1.0f);
        if (FLOORS == 1.0f) {
            const REAL facade_ft = (i == 1 || i == 3) ? EWDIM : NSDIM;
            return facade_ft * FLTOFL - AREA(i);
        }
    }
    return AREA(5 + i);
}

// Turns the width-weighted sums of FCAVG into the mean footcandles of each
// facade's daylit zone, and the skylight flux into footcandles over the
// skylit floor.
void daylight_summary(const DaylightSums& sums) {
    FArray<REAL, 4> areaw_ft2{};  // wall areas S, W, N, E (AREAW(6..9))
    for (INTEGER i = 1; i <= 4; ++i) areaw_ft2(i) = summary_wall_area(i);
    const REAL ht_ft = FLTOFL * FLOORS;

    bool height_reported = false;
    for (INTEGER i = 1; i <= 4; ++i) {
        if (!(sums.widthtot_ft(i) > 0.0f)) continue;
        const REAL avg_fc = FCAVG(i) / sums.widthtot_ft(i);
        // Without a building height no facade length can be found: each
        // facade keeps its width-weighted mean, and the skylights still count.
        if (!(ht_ft > 0.0f)) {
            FCAVG(i) = avg_fc;
            if (!height_reported) DBG_INT(kDivideByZero, kBuildingHeightError);
            height_reported = true;
            continue;
        }
        REAL l_ft = (AREA(i) + areaw_ft2(i)) / ht_ft;
        if (l_ft <= 0.0f) {
            l_ft = NSDIM;
            if (l_ft <= 0.0f && (i == 1 || i == 3)) l_ft = EWDIM;
        }
        l_ft = l_ft * FLOORS;
        // At each corner the neighbour's daylit zone overlaps this one in
        // proportion to the neighbour's glazed share.
        const INTEGER neighbours[2] = {i == 1 ? 4 : i - 1, i == 4 ? 1 : i + 1};
        for (const INTEGER n : neighbours) {
            const REAL g_ft2 = AREA(n) + areaw_ft2(n);
            const REAL d = (g_ft2 > 0.0f && g_ft2 * ht_ft > 0.0f) ? sums.widthtot_ft(n) / (g_ft2 / ht_ft) : 0.0f;
            if (sums.widthtot_ft(n) > 0.0f) l_ft = l_ft - d * WIDTHDL;
        }
        FCAVG(i) = l_ft > 0.0f ? avg_fc * sums.widthtot_ft(i) / l_ft : avg_fc;
    }

    // The skylights' lumens spread over the skylit floor, at most the
    // interior zone.
    const REAL skylit_ft2 = std::min(sums.skysum_ft2, INTZONE);
    FCAVG(kSkylightClass) = skylit_ft2 > 0.0f ? FCAVG(kSkylightClass) / skylit_ft2 : 0.0f;
}

}  // namespace

void GLAZED(INTEGER MONTH, INTEGER IHOUR) {
    IWHEN1 = kGlazedTraceStamp;
    if (MONTH < 1 || MONTH > 12 || IHOUR < 1 || IHOUR > 24) {
        DBG_INT("GLAZED month or hour outside the year, hour", IHOUR);
        return;
    }
    GlazingHour h;
    h.month = MONTH;
    h.ihour = IHOUR;
    h.shade = shade_code_of_scheme();
    h.sun_hour = IHOUR >= IHRSUN1 && IHOUR <= IHRSUN2;

    // Overhang-only schemes draw nothing inside.
    if (h.shade <= kShadeAwningAutomated) {
        BLINDANGLE = kNoBlinds_deg;
        SHADEPCT = kNoShade_pct;
    }
    FCAVG.fill(0.0f);

    DaylightSums sums;
    for (INTEGER next = 1; next <= 25; ++next) glaze_line(next, h, sums);

    // Measured work-plane values of a test case stand as they were summed.
    if (NFLAG(36) && NFLAG(39) && FIELDCODE >= 3) return;
    daylight_summary(sums);
}

}  // namespace mavo
