// SKYILLUM, VG and VS: lumen-method daylight of skylights and the blind
// factors of the window daylight model.
#include "physics/skylight_daylight.h"

#include <algorithm>

#include "blocks/blocks.h"
#include "support/numeric.h"

namespace mavo {
namespace {

// Height of the work plane above the floor, ft.
constexpr REAL kWorkPlane_ft = 2.5f;
// Room cavity ratio of a skylit zone without floor area: the last row.
constexpr REAL kNoZoneCavityRatio = 99.0f;

// Light-well efficiency by well reflectance class (first index: 1 for a
// reflectance of 70 percent or more, 2 for 50 to 70, 3 below) and well index
// 1..11 (half the well cavity ratio, rounded, plus 1). First index fastest.
constexpr FArray<REAL, 3, 11> kWellEfficiency = {
    1.0f,  1.0f,  1.0f,   0.9f,  0.84f, 0.79f, 0.8f,  0.7f,  0.62f, 0.71f, 0.59f, 0.51f,
    0.64f, 0.5f,  0.4f,   0.58f, 0.41f, 0.32f, 0.53f, 0.35f, 0.25f, 0.48f, 0.29f, 0.2f,
    0.42f, 0.24f, 0.16f,  0.38f, 0.2f,  0.13f, 0.33f, 0.16f, 0.1f,
};

// Coefficients of utilisation by wall reflectance class (first index: 1 for
// 40 percent or more, 2 between 20 and 40, 3 for 20 or less) and room
// cavity ratio 0..10 (second index ratio + 1), for ceiling reflectances of
// 80, 50 and 20 percent.
constexpr FArray<REAL, 3, 11> kCu80 = {
    1.19f, 1.19f, 1.19f, 1.05f, 1.0f,  0.97f, 0.93f, 0.86f, 0.81f, 0.83f, 0.76f, 0.7f,
    0.75f, 0.67f, 0.6f,  0.67f, 0.59f, 0.53f, 0.62f, 0.53f, 0.47f, 0.57f, 0.49f, 0.43f,
    0.54f, 0.47f, 0.41f, 0.53f, 0.46f, 0.41f, 0.52f, 0.45f, 0.4f,
};
constexpr FArray<REAL, 3, 11> kCu50 = {
    1.11f, 1.11f, 1.11f, 0.98f, 0.95f, 0.92f, 0.87f, 0.83f, 0.78f, 0.79f, 0.73f, 0.68f,
    0.71f, 0.64f, 0.59f, 0.64f, 0.57f, 0.53f, 0.59f, 0.52f, 0.47f, 0.55f, 0.48f, 0.43f,
    0.52f, 0.46f, 0.41f, 0.51f, 0.45f, 0.4f,  0.5f,  0.44f, 0.4f,
};
constexpr FArray<REAL, 3, 11> kCu20 = {
    1.04f, 1.04f, 1.04f, 0.92f, 0.9f,  0.88f, 0.83f, 0.79f, 0.76f, 0.75f, 0.7f,  0.66f,
    0.68f, 0.62f, 0.58f, 0.61f, 0.58f, 0.51f, 0.57f, 0.51f, 0.46f, 0.53f, 0.47f, 0.43f,
    0.51f, 0.45f, 0.41f, 0.5f,  0.44f, 0.4f,  0.49f, 0.44f, 0.4f,
};

// Ground vertical-illuminance factors of venetian blinds by blind class
// (first index) and room class, for room reflectances of 50 percent or
// more (1) and below (2).
constexpr FArray<REAL, 3, 3> kVgabg1 = {0.15f,  0.141f, 0.087f, 0.141f, 0.118f,
                                        0.067f, 0.124f, 0.096f, 0.049f};
constexpr FArray<REAL, 3, 3> kVgabg2 = {0.108f, 0.102f, 0.0063f, 0.094f, 0.077f,
                                        0.043f, 0.072f, 0.056f,  0.028f};

// Sky vertical-illuminance factors of venetian blinds for room classes 1, 2
// and 3, by reflectance class (first index), blind class and solar-altitude
// class.
constexpr FArray<REAL, 2, 3, 4> kVsabg1 = {
    0.0687f, 0.0554f, 0.0426f, 0.0346f, 0.0218f, 0.0162f,  // altitude up to 22.5
    0.063f,  0.05f,   0.0394f, 0.0312f, 0.0208f, 0.0156f,  // up to 37.5
    0.0553f, 0.0434f, 0.0345f, 0.0274f, 0.0198f, 0.0141f,  // up to 52.5
    0.0464f, 0.0362f, 0.0313f, 0.0236f, 0.019f,  0.0135f,  // above
};
constexpr FArray<REAL, 2, 3, 4> kVsabg2 = {
    0.0488f, 0.0341f, 0.0371f, 0.0218f, 0.0195f, 0.011f,
    0.0462f, 0.0324f, 0.0337f, 0.0216f, 0.0176f, 0.011f,
    0.0416f, 0.0301f, 0.0304f, 0.0211f, 0.0158f, 0.0105f,
    0.037f,  0.0264f, 0.027f,  0.0185f, 0.014f,  0.0092f,
};
constexpr FArray<REAL, 2, 3, 4> kVsabg3 = {
    0.0376f, 0.0228f, 0.0276f, 0.0156f, 0.0142f, 0.0078f,
    0.0342f, 0.0204f, 0.025f,  0.0143f, 0.013f,  0.0071f,
    0.0308f, 0.0182f, 0.0225f, 0.0127f, 0.0117f, 0.0064f,
    0.0274f, 0.0159f, 0.0199f, 0.0111f, 0.0104f, 0.0056f,
};

// Well index of a skylight L x W ft in a well d ft deep. Wells deeper than
// the table take its last row; a negative depth (ceiling above the next
// floor) counts as no well.
INTEGER light_well_index(REAL depth_ft, REAL length_ft, REAL width_ft) {
    const REAL half_well_ratio = depth_ft * (length_ft + width_ft) / (2.0f * length_ft * width_ft) * 5.0f;
    return std::clamp(int_toward_zero(half_well_ratio + 1.5f), 1, 11);
}

INTEGER well_reflectance_class(REAL reflpct) {
    if (reflpct >= 70.0f) return 1;
    if (reflpct >= 50.0f) return 2;
    return 3;
}

// Coefficient of utilisation of the skylit zone.
REAL coefficient_of_utilisation(REAL reflpct) {
    const REAL zone_ft2 = LENGTHSLZ * WIDTHSLZ;
    const REAL rcr = zone_ft2 > 0.0f
                         ? (FLTOCE - kWorkPlane_ft) * 5.0f * (LENGTHSLZ + WIDTHSLZ) / zone_ft2
                         : kNoZoneCavityRatio;
    const INTEGER k = std::clamp(int_toward_zero(rcr + 0.5f), 0, 10);
    const INTEGER wall = reflpct >= 40.0f ? 1 : (reflpct > 20.0f ? 2 : 3);
    if (reflpct >= 65.0f) return kCu80(wall, k + 1);
    if (reflpct > 35.0f) return kCu50(wall, k + 1);
    return kCu20(wall, k + 1);
}

INTEGER blind_class(REAL blindangle_deg) {
    if (blindangle_deg <= 37.5f) return 1;
    if (blindangle_deg <= 52.5f) return 2;
    return 3;
}

INTEGER altitude_class(REAL alt_deg) {
    if (alt_deg <= 22.5f) return 1;
    if (alt_deg <= 37.5f) return 2;
    if (alt_deg <= 52.5f) return 3;
    return 4;
}

}  // namespace

void SKYILLUM(REAL euw_fc, REAL ekw_fc, REAL egw_fc, REAL /*skyc*/, REAL& etotwp, REAL& slzarea, INTEGER next) {
    etotwp = 0.0f;
    if (next >= 1 && next <= 25) {
        const REAL length_ft = HEAD(next) - SILL(next);
        const REAL width_ft = WIDTH(next);
        // A skylight without plan area lets no light in.
        if (length_ft > 0.0f && width_ft > 0.0f) {
            const INTEGER well = light_well_index(FLTOFL - FLTOCE, length_ft, width_ft);
            REAL te = TRANS(next) * kWellEfficiency(well_reflectance_class(REFLPCT), well);
            // A drawn shade passes its percentage of the daylight; 0 marks no
            // shade drawn.
            if (SHADEPCT > 0.0f) te = te * SHADEPCT / 100.0f;
            etotwp = (euw_fc + ekw_fc + egw_fc) * QTY(next) * (length_ft * width_ft) *
                     coefficient_of_utilisation(REFLPCT) * te;
        }
    }
    if (SKYFLOOR > 0.0f && INTZONEX > 0.0f) slzarea = std::min(SKYFLOOR, INTZONEX);
}

REAL VG(REAL blindangle_deg, REAL reflpct, INTEGER k) {
    if (k < 1 || k > 3) return 0.0f;
    const INTEGER b = blind_class(blindangle_deg);
    return reflpct >= 50.0f ? kVgabg1(b, k) : kVgabg2(b, k);
}

REAL VS(REAL blindangle_deg, REAL reflpct, REAL alt_deg, INTEGER k) {
    const INTEGER b = blind_class(blindangle_deg);
    const INTEGER r = reflpct >= 50.0f ? 1 : 2;
    const INTEGER a = altitude_class(alt_deg);
    switch (k) {
        case 1: return kVsabg1(r, b, a);
        case 2: return kVsabg2(r, b, a);
        case 3: return kVsabg3(r, b, a);
        default: return 0.0f;
    }
}

}  // namespace mavo
