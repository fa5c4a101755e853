// INSOL and FRESNELL: radiation on a surface and angular transmittance.
#include "physics/irradiance.h"

#include <algorithm>
#include <cmath>

#include "blocks/blocks.h"
#include "physics/solar_geometry.h"
#include "support/numeric.h"

namespace mavo {
namespace {

// Below this altitude the hour's radiation counts as none reaching the site.
constexpr REAL kSunUpAltitude_deg = 0.1f;
// Smallest solar altitude for the beam on the horizontal, radians: the
// altitudes just above 0.1 degree give the beam at this height.
constexpr REAL kMinBeamAltitude_rad = 0.002f;
// From this incidence on the beam grazes the surface or strikes its back,
// and the surface no longer sees the sunlit ground in front of it.
constexpr REAL kGrazingIncidence_deg = 89.9f;

// Transmittance by glazing kind (1 single, 2 double) and 10-degree
// incidence class (class 10: 90 degrees and more), first index fastest.
constexpr FArray<REAL, 2, 10> kTau = {
    0.861563f, 0.747454f,  // 0-10
    0.861189f, 0.746821f,  // 10-20
    0.859775f, 0.744654f,  // 20-30
    0.856222f, 0.739891f,  // 30-40
    0.847789f, 0.729832f,  // 40-50
    0.827954f, 0.707331f,  // 50-60
    0.780796f, 0.652331f,  // 60-70
    0.668611f, 0.516754f,  // 70-80
    0.417941f, 0.263009f,  // 80-90
    0.0f,      0.0f,       // 90 and above
};
// Glazing with a U-factor below this counts as double glazing.
constexpr REAL kDoubleGlazingU = 0.6f;

}  // namespace

void INSOL(INTEGER /*month*/, REAL alt_deg, REAL /*tilt_deg*/, REAL anginc_deg, REAL grndref, REAL skyvf,
           REAL grndvf, REAL& dni, REAL& beamh, REAL& beams, REAL& diffh, REAL& skys, REAL& grnds,
           REAL& globh, REAL& totsur, INTEGER ihour) {
    dni = beamh = beams = diffh = skys = grnds = globh = totsur = 0.0f;
    if (!(alt_deg > kSunUpAltitude_deg)) return;
    if (ihour < 1 || ihour > 24) return;  // no such hour in the day's radiation table

    dni = static_cast<REAL>(BEAM(ihour));
    globh = static_cast<REAL>(HORIZ(ihour));
    beamh = dni * std::sin(std::max(deg_to_rad(alt_deg), kMinBeamAltitude_rad));
    // Measured global below the beam's share (inconsistent data) leaves no diffuse.
    diffh = std::max(0.0f, globh - beamh);

    skys = diffh * skyvf;
    const REAL ground_part = globh * grndvf * grndref;
    const REAL beam_part = dni * std::cos(deg_to_rad(anginc_deg));
    if (anginc_deg < kGrazingIncidence_deg) {
        beams = beam_part;
        grnds = ground_part;
        totsur = skys + beam_part + ground_part;
    } else {
        totsur = skys;
    }
}

void FRESNELL(REAL anginc_deg, REAL trans, REAL u_btuh_ft2F, REAL& vtang, REAL& tautau) {
    const INTEGER kind = u_btuh_ft2F < kDoubleGlazingU ? 2 : 1;
    // A negative incidence is not a direction the sun comes from; it falls
    // into the first class rather than outside the table.
    const INTEGER cls = std::clamp(int_toward_zero(anginc_deg / 10.0f + 1.0f), 1, 10);
    tautau = kTau(kind, cls) / kTau(kind, 1);
    vtang = trans * tautau;
}

}  // namespace mavo
