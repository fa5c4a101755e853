// VIEWF, SOLAIR, SATS and TETDS: sol-air temperatures of the opaque
// envelope and the TETD of each massive item.
#include "physics/sol_air.h"

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/irradiance.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kWallTilt_deg = 90.0f;
constexpr REAL kRoofTilt_deg = 0.0f;
constexpr INTEGER kRoofItem = 10;
constexpr INTEGER kFirstWallItem = 6;
// Long-wave radiation a black horizontal surface loses to the clear sky
// beyond what it gets back, Btu/h.ft2 (the usual Delta R of sol-air tables).
constexpr REAL kLongwaveDifference_btuh_ft2 = 20.0f;
// Surfaces tilted less than this face the sky enough to lose long-wave heat.
constexpr REAL kSkyFacingTilt_deg = 45.0f;
// Outside film coefficient of a sunlit surface, Btu/h.ft2.F (summer wind).
constexpr REAL kSunlitFilm_btuh_ft2F = 4.0f;
// SATEMS(1,face) at or below this marks a face not computed yet.
constexpr REAL kNotComputed_F = -99.99f;
// The one hour stamp (26 July, noon) whose sol-air and TETD values are traced.
constexpr INTEGER kTracedStamp = 72612;

// Sol-air temperature of face `face` (envelope item `item`) for hour h.
REAL sol_air_of_hour(INTEGER month, INTEGER h, INTEGER item, INTEGER face, REAL tilt_deg, REAL fsky,
                     REAL fgnd) {
    REAL totsur_btuh_ft2 = 0.0f;
    if (ALT(h) >= 0.0f) {
        REAL dni = 0.0f, beamh = 0.0f, beams = 0.0f, diffh = 0.0f, skys = 0.0f, grnds = 0.0f, globh = 0.0f;
        INSOL(month, ALT(h), tilt_deg, ANGINC(h, face), GRNDREF, fsky, fgnd, dni, beamh, beams, diffh, skys,
              grnds, globh, totsur_btuh_ft2, h);
        HO(item) = kSunlitFilm_btuh_ft2F;
    }
    REAL solsur_F = 0.0f;
    SOLAIR(tilt_deg, totsur_btuh_ft2, ABSORB(item), HO(item), TEMP(h), solsur_F);
    return solsur_F;
}

}  // namespace

void clear_outside_film_without_area() {
    for (INTEGER item = 6; item <= 10; ++item)
        if (AREA(item) <= 0.0f) HO(item) = 0.0f;
}

void VIEWF(REAL tilt_deg, REAL& fsky, REAL& fgnd) {
    fsky = (180.0f - tilt_deg) / 180.0f;
    fgnd = tilt_deg / 180.0f;
}

void SOLAIR(REAL tiltx_deg, REAL totsur_btuh_ft2, REAL absr, REAL coef_btuh_ft2F, REAL tempo_F,
            REAL& solsur_F) {
    if (!(coef_btuh_ft2F > 0.0f)) {
        // No film to carry the absorbed sun away: nothing to add to the air.
        solsur_F = tempo_F;
        return;
    }
    const REAL solar_rise_F = absr * totsur_btuh_ft2 / coef_btuh_ft2F;
    solsur_F = tempo_F + solar_rise_F;
    const bool faces_sky = tiltx_deg >= 0.0f && tiltx_deg < kSkyFacingTilt_deg;
    REAL longwave_drop_F = 0.0f;
    if (faces_sky) {
        longwave_drop_F = REMITT * kLongwaveDifference_btuh_ft2 / coef_btuh_ft2F;
        solsur_F = solsur_F - longwave_drop_F;
    }
    if (IWHEN == kTracedStamp && (!faces_sky || CYCLE < 24.0f)) {
        DBG_FLOAT("SOLAIR TILTX", tiltx_deg);
        DBG_FLOAT("SOLAIR TOTSUR", totsur_btuh_ft2);
        DBG_FLOAT("SOLAIR ABSR", absr);
        DBG_FLOAT("SOLAIR COEF", coef_btuh_ft2F);
        DBG_FLOAT("SOLAIR TEMPO", tempo_F);
        DBG_FLOAT("SOLAIR solar rise", solar_rise_F);
        if (faces_sky) DBG_FLOAT("SOLAIR long-wave drop", longwave_drop_F);
        DBG_FLOAT("SOLAIR SOLSUR", solsur_F);
    }
}

void SATS(INTEGER month, INTEGER ihour, INTEGER item) {
    if (item < kFirstWallItem || item > kRoofItem || ihour < 1 || ihour > 24) {
        DBG_INT("SATS item or hour out of range, item", item);
        return;
    }
    if (AREA(item) <= 0.0f) return;
    const INTEGER face = item - 5;
    const REAL tilt_deg = item == kRoofItem ? kRoofTilt_deg : kWallTilt_deg;
    REAL fsky = 0.0f, fgnd = 0.0f;
    VIEWF(tilt_deg, fsky, fgnd);

    if (!sol_air_day_known(face)) {
        for (INTEGER h = 1; h <= 24; ++h)
            SATEMS(h, face) = sol_air_of_hour(month, h, item, face, tilt_deg, fsky, fgnd);
    }
    // The other hours keep the values of the day before at that hour.
    SATEMS(ihour, face) = sol_air_of_hour(month, ihour, item, face, tilt_deg, fsky, fgnd);

    REAL sum_F = 0.0f;
    for (INTEGER h = 1; h <= 24; ++h) sum_F += SATEMS(h, face);
    AVSOL(face) = sum_F / 24.0f;
}

void forget_sol_air_days() {
    // A face the building lacks is never computed: it keeps no sol-air day
    // of the file the run read (another use of the scheme, a roof since
    // taken away).
    BLK31 = BLK31_t{};
    for (INTEGER f = 1; f <= 5; ++f) SATEMS(1, f) = kNotComputed_F;
}

bool sol_air_day_known(INTEGER face) { return SATEMS(1, face) > kNotComputed_F; }

void TETDS(INTEGER itemn, INTEGER ihour, REAL avsol_F, REAL& tetd_F) {
    if (itemn < 1 || itemn > 13 || ihour < 1 || ihour > 24) {
        DBG_INT("TETDS item or hour out of range, item", itemn);
        tetd_F = 0.0f;
        return;
    }
    INTEGER jhour = ihour - int_toward_zero(TMLAG(itemn));
    if (jhour < 1) jhour += 24;
    // Lags are 0 to 24 hours; anything beyond still lands on an hour of the day.
    if (jhour < 1 || jhour > 24) jhour = ((jhour - 1) % 24 + 24) % 24 + 1;
    tetd_F = (avsol_F - TEMPIN) + DECR(itemn) * (SATEMP(jhour) - avsol_F);

    if (IWHEN == kTracedStamp && itemn == kRoofItem) {
        DBG_INT("TETDS IHOUR", ihour);
        DBG_INT("TETDS JHOUR", jhour);
        DBG_FLOAT("TETDS AVSOL", avsol_F);
        DBG_FLOAT("TETDS TEMPIN", TEMPIN);
        DBG_FLOAT("TETDS SATEMP(JHOUR)", SATEMP(jhour));
        DBG_FLOAT("TETDS DECR", DECR(itemn));
        DBG_FLOAT("TETDS TETD", tetd_F);
    }
}

}  // namespace mavo
