// ILLUM and its table lookups: sidelighting daylight by the lumen method.
#include "physics/window_daylight.h"

#include <algorithm>

#include "blocks/blocks.h"
#include "physics/skylight_daylight.h"

namespace mavo {
namespace {

// Height of the work plane above the floor, ft: glass below it lights
// nothing on the plane.
constexpr REAL kWorkPlane_ft = 2.5f;
// The room point the daylight credit is evaluated at (deepest in the zone).
constexpr INTEGER kCreditPoint = 3;
// A room of this reflectance (percent) or more reads the light-room tables.
constexpr REAL kLightRoom_pct = 50.0f;
// Zones shallower than this deepen by the whole overhang depth in
// proportion; deeper ones keep their first 5 ft, which the overhang does
// not change.
constexpr REAL kShallowZone_ft = 7.0f;
constexpr REAL kZoneFrontStrip_ft = 5.0f;
// A diffusing shade mixes the light: half of the outside illuminance is
// taken for the sky and half for the ground component.
constexpr REAL kDiffusedShare = 0.5f;

// Coefficient-of-utilisation cells by (length class, depth class), and the
// full tables by (length class, depth class, point), first index fastest.
using ZoneCells = FArray<REAL, 3, 3>;
using CuTable = FArray<REAL, 3, 3, 3>;
// K-factor cells by (ceiling class, depth class), tables by (ceiling class,
// depth class, point).
using CeilingCells = FArray<REAL, 4, 3>;
using KTable = FArray<REAL, 4, 3, 3>;

// Ground coefficients of a plain window in a light room at the point
// nearest the window and at point 3: the one table measured at more than
// the credit point. Its fall-off toward the window is lent to the other
// coefficient tables for their points 1 and 2, which nothing here reads.
constexpr ZoneCells kCtabg1Point1 = {0.0147f, 0.0102f, 0.0081f, 0.0141f, 0.0098f,
                                     0.0077f, 0.0137f, 0.0093f, 0.0072f};
constexpr ZoneCells kCtabg1Point3 = {0.0106f, 0.0082f, 0.0067f, 0.0051f, 0.0041f,
                                     0.0033f, 0.0029f, 0.0026f, 0.0022f};
// Point 2 of that table lies this share of the way from point 3 to point 1
// (0.0128 between 0.0106 and 0.0147 in its first cell).
constexpr REAL kPoint2Share = (0.0128f - 0.0106f) / (0.0147f - 0.0106f);

constexpr CuTable cu_table(const ZoneCells& point3) {
    CuTable t{};
    for (INTEGER w = 1; w <= 3; ++w) {
        for (INTEGER l = 1; l <= 3; ++l) {
            const REAL p3 = point3(l, w);
            const REAL p1 = p3 * kCtabg1Point1(l, w) / kCtabg1Point3(l, w);
            t(l, w, 1) = p1;
            t(l, w, 2) = p3 + kPoint2Share * (p1 - p3);
            t(l, w, 3) = p3;
        }
    }
    return t;
}

// The K factor corrects for the room's proportions and is taken as the same
// at every point of the zone.
constexpr KTable k_table(const CeilingCells& point3) {
    KTable t{};
    for (INTEGER p = 1; p <= 3; ++p)
        for (INTEGER w = 1; w <= 3; ++w)
            for (INTEGER h = 1; h <= 4; ++h) t(h, w, p) = point3(h, w);
    return t;
}

// Coefficients of utilisation at point 3; in each row W1: L1 L2 L3, then
// W2 and W3. Tables ending in 1 serve rooms of 50 percent reflectance or
// more, those ending in 2 darker rooms.
constexpr CuTable kCG_CTABG1 = cu_table(kCtabg1Point3);
constexpr CuTable kCG_CTABG2 = cu_table({0.0071f, 0.0054f, 0.0044f, 0.0026f, 0.0023f, 0.0021f, 0.0018f, 0.0012f, 0.0011f});
constexpr CuTable kCGV_CGABG1 = cu_table({0.0556f, 0.043f, 0.0328f, 0.0261f, 0.0214f, 0.017f, 0.0128f, 0.0119f, 0.0098f});
constexpr CuTable kCGV_CGABG2 = cu_table({0.0556f, 0.0486f, 0.0398f, 0.0228f, 0.0211f, 0.0192f, 0.0108f, 0.0107f, 0.0097f});
constexpr CuTable kCS_CTABC1 = cu_table({0.0106f, 0.0079f, 0.0067f, 0.0054f, 0.0047f, 0.0032f, 0.0031f, 0.0027f, 0.0021f});
constexpr CuTable kCS_CTABC2 = cu_table({0.006f, 0.0049f, 0.0043f, 0.0028f, 0.0023f, 0.0021f, 0.0014f, 0.0013f, 0.0012f});
constexpr CuTable kCS_CTABO1 = cu_table({0.0087f, 0.0063f, 0.005f, 0.0032f, 0.0029f, 0.002f, 0.0019f, 0.0016f, 0.0012f});
constexpr CuTable kCS_CTABO2 = cu_table({0.0053f, 0.0043f, 0.0037f, 0.0019f, 0.0017f, 0.0014f, 0.0009f, 0.0009f, 0.0008f});
constexpr CuTable kCSV_CSABG1 = cu_table({0.0556f, 0.0422f, 0.032f, 0.0294f, 0.0222f, 0.0189f, 0.0139f, 0.0133f, 0.012f});
constexpr CuTable kCSV_CSABG2 = cu_table({0.0556f, 0.0456f, 0.0409f, 0.0233f, 0.0203f, 0.0194f, 0.011f, 0.0108f, 0.01f});
constexpr CuTable kCUG_CGABG1 = cu_table({0.0106f, 0.0082f, 0.0067f, 0.0051f, 0.0041f, 0.0033f, 0.0029f, 0.0026f, 0.0022f});
constexpr CuTable kCUG_CGABG2 = cu_table({0.0071f, 0.0054f, 0.0044f, 0.0026f, 0.0023f, 0.0021f, 0.0018f, 0.0012f, 0.0011f});
constexpr CuTable kCUS_CUABG1 = cu_table({0.0108f, 0.008f, 0.0063f, 0.0047f, 0.0042f, 0.0029f, 0.0027f, 0.0022f, 0.0018f});
constexpr CuTable kCUS_CUABG2 = cu_table({0.0066f, 0.0052f, 0.0047f, 0.0026f, 0.0023f, 0.002f, 0.0013f, 0.0012f, 0.0011f});

// K factors at point 3; in each row W1: H1 H2 H3 H4, then W2 and W3.
constexpr KTable kKG_KTABG1 = k_table({0.0994f, 0.11f, 0.111f, 0.107f, 0.0816f, 0.0984f, 0.111f, 0.125f, 0.07f, 0.0946f, 0.111f, 0.125f});
constexpr KTable kKG_KTABG2 = k_table({0.108f, 0.114f, 0.111f, 0.104f, 0.0822f, 0.105f, 0.111f, 0.132f, 0.0656f, 0.0986f, 0.111f, 0.132f});
constexpr KTable kKGV_KGABG1 = k_table({0.078f, 0.093f, 0.099f, 0.091f, 0.058f, 0.074f, 0.09f, 0.091f, 0.052f, 0.07f, 0.086f, 0.091f});
constexpr KTable kKGV_KGABG2 = k_table({0.082f, 0.097f, 0.102f, 0.091f, 0.06f, 0.076f, 0.092f, 0.091f, 0.056f, 0.071f, 0.087f, 0.091f});
constexpr KTable kKS_KTABC1 = k_table({0.105f, 0.112f, 0.111f, 0.111f, 0.0994f, 0.107f, 0.111f, 0.107f, 0.119f, 0.13f, 0.111f, 0.12f});
constexpr KTable kKS_KTABC2 = k_table({0.129f, 0.13f, 0.111f, 0.116f, 0.144f, 0.126f, 0.111f, 0.124f, 0.116f, 0.118f, 0.111f, 0.118f});
constexpr KTable kKS_KTABO1 = k_table({0.0908f, 0.0951f, 0.111f, 0.118f, 0.0924f, 0.101f, 0.111f, 0.125f, 0.111f, 0.125f, 0.111f, 0.133f});
constexpr KTable kKS_KTABO2 = k_table({0.102f, 0.114f, 0.111f, 0.134f, 0.119f, 0.114f, 0.111f, 0.126f, 0.0926f, 0.109f, 0.111f, 0.13f});
constexpr KTable kKSV_KSABG1 = k_table({0.08f, 0.091f, 0.093f, 0.091f, 0.068f, 0.079f, 0.087f, 0.091f, 0.064f, 0.076f, 0.084f, 0.091f});
constexpr KTable kKSV_KSABG2 = k_table({0.08f, 0.091f, 0.093f, 0.091f, 0.068f, 0.079f, 0.087f, 0.091f, 0.064f, 0.076f, 0.084f, 0.091f});
constexpr KTable kKUG_KGABG1 = k_table({0.0994f, 0.11f, 0.111f, 0.107f, 0.0816f, 0.0984f, 0.111f, 0.121f, 0.07f, 0.0946f, 0.111f, 0.125f});
constexpr KTable kKUG_KGABG2 = k_table({0.108f, 0.114f, 0.111f, 0.104f, 0.0822f, 0.105f, 0.111f, 0.116f, 0.0655f, 0.0986f, 0.111f, 0.132f});
constexpr KTable kKUS_KUABG1 = k_table({0.0974f, 0.107f, 0.111f, 0.112f, 0.0956f, 0.103f, 0.111f, 0.115f, 0.111f, 0.125f, 0.111f, 0.133f});
constexpr KTable kKUS_KUABG2 = k_table({0.111f, 0.121f, 0.111f, 0.119f, 0.125f, 0.117f, 0.111f, 0.125f, 0.105f, 0.111f, 0.111f, 0.124f});

// Length or depth class of the daylit zone.
INTEGER zone_class(REAL ft) {
    if (ft <= 25.0f) return 1;
    if (ft <= 35.0f) return 2;
    return 3;
}

INTEGER ceiling_class(REAL ft) {
    if (ft <= 9.0f) return 1;
    if (ft <= 11.0f) return 2;
    if (ft <= 13.0f) return 3;
    return 4;
}

bool valid_point(INTEGER point) { return point >= 1 && point <= 3; }

REAL cu_lookup(const CuTable& light, const CuTable& dark, REAL length_ft, REAL reflpct, REAL depth_ft,
               INTEGER point) {
    if (!valid_point(point)) return 0.0f;
    const CuTable& t = reflpct >= kLightRoom_pct ? light : dark;
    return t(zone_class(length_ft), zone_class(depth_ft), point);
}

REAL k_lookup(const KTable& light, const KTable& dark, REAL ceiling_ft, REAL reflpct, REAL depth_ft,
              INTEGER point) {
    if (!valid_point(point)) return 0.0f;
    const KTable& t = reflpct >= kLightRoom_pct ? light : dark;
    return t(ceiling_class(ceiling_ft), zone_class(depth_ft), point);
}

// Daylit zone behind a plain window. An overhang that shades the glass
// this hour throws the light deeper: the zone is deepened by the overhang
// and lengthened in proportion.
void plain_window_zone(INTEGER next, REAL sunlit, REAL& length_ft, REAL& depth_ft) {
    length_ft = LENGTHDL;
    depth_ft = WIDTHDL;
    if (!(OHANGD(next) > 0.0f) || sunlit == 1.0f) return;
    depth_ft = OHANGD(next) + WIDTHDL;
    // A zone without depth has no proportion to keep; its length stays.
    if (!(WIDTHDL > 0.0f)) return;
    if (WIDTHDL < kShallowZone_ft) {
        length_ft = LENGTHDL * depth_ft / WIDTHDL;
    } else {
        length_ft = LENGTHDL * (depth_ft - kZoneFrontStrip_ft) / (WIDTHDL - kZoneFrontStrip_ft);
    }
}

}  // namespace

REAL CG(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return cu_lookup(kCG_CTABG1, kCG_CTABG2, length_ft, reflpct, depth_ft, point);
}
REAL CGV(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return cu_lookup(kCGV_CGABG1, kCGV_CGABG2, length_ft, reflpct, depth_ft, point);
}
REAL CSV(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return cu_lookup(kCSV_CSABG1, kCSV_CSABG2, length_ft, reflpct, depth_ft, point);
}
REAL CUG(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return cu_lookup(kCUG_CGABG1, kCUG_CGABG2, length_ft, reflpct, depth_ft, point);
}
REAL CUS(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return cu_lookup(kCUS_CUABG1, kCUS_CUABG2, length_ft, reflpct, depth_ft, point);
}
REAL CS(REAL length_ft, REAL reflpct, REAL depth_ft, INTEGER point, REAL skyc) {
    const REAL clear = cu_lookup(kCS_CTABC1, kCS_CTABC2, length_ft, reflpct, depth_ft, point);
    const REAL overcast = cu_lookup(kCS_CTABO1, kCS_CTABO2, length_ft, reflpct, depth_ft, point);
    return clear * skyc + overcast * (1.0f - skyc);
}

REAL KG(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return k_lookup(kKG_KTABG1, kKG_KTABG2, ceiling_ft, reflpct, depth_ft, point);
}
REAL KGV(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return k_lookup(kKGV_KGABG1, kKGV_KGABG2, ceiling_ft, reflpct, depth_ft, point);
}
REAL KSV(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return k_lookup(kKSV_KSABG1, kKSV_KSABG2, ceiling_ft, reflpct, depth_ft, point);
}
REAL KUG(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return k_lookup(kKUG_KGABG1, kKUG_KGABG2, ceiling_ft, reflpct, depth_ft, point);
}
REAL KUS(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point) {
    return k_lookup(kKUS_KUABG1, kKUS_KUABG2, ceiling_ft, reflpct, depth_ft, point);
}
REAL KS(REAL ceiling_ft, REAL reflpct, REAL depth_ft, INTEGER point, REAL skyc) {
    const REAL clear = k_lookup(kKS_KTABC1, kKS_KTABC2, ceiling_ft, reflpct, depth_ft, point);
    const REAL overcast = k_lookup(kKS_KTABO1, kKS_KTABO2, ceiling_ft, reflpct, depth_ft, point);
    return clear * skyc + overcast * (1.0f - skyc);
}

void ILLUM(REAL euw_fc, REAL ekw_fc, REAL egw_fc, REAL skyc, REAL& etotwp, REAL /*areax_ft2*/, INTEGER next,
           REAL alt_deg, REAL sunlit) {
    etotwp = 0.0f;
    if (next < 1 || next > 25) return;

    // Only glass above the work plane lights it; one unit of the line.
    const REAL sill_ft = std::max(SILL(next), kWorkPlane_ft);
    const REAL wa_ft2 = std::max(0.0f, HEAD(next) - sill_ft) * WIDTH(next);
    const REAL esk_fc = euw_fc + ekw_fc;
    const REAL trans = TRANS(next);
    constexpr INTEGER p = kCreditPoint;

    REAL ekwp_fc = 0.0f;
    REAL etotal_fc = 0.0f;
    if (SHADEPCT >= 0.0f && SHADEPCT < 100.0f) {
        // Diffusing shade drawn.
        ekwp_fc = (egw_fc + esk_fc) * kDiffusedShare * wa_ft2 * trans * CUS(LENGTHDL, REFLPCT, WIDTHDL, p) *
                  KUS(FLTOCE, REFLPCT, WIDTHDL, p) * SHADEPCT / 100.0f;
        etotal_fc = (esk_fc + egw_fc) * kDiffusedShare * wa_ft2 * trans * CUG(LENGTHDL, REFLPCT, WIDTHDL, p) *
                        KUG(FLTOCE, REFLPCT, WIDTHDL, p) * SHADEPCT / 100.0f +
                    ekwp_fc;
    } else if (BLINDANGLE >= 0.0f && BLINDANGLE <= 90.0f) {
        // Venetian blinds at slat angle BLINDANGLE.
        ekwp_fc = esk_fc * wa_ft2 * trans * CSV(LENGTHDL, REFLPCT, WIDTHDL, p) * KSV(FLTOCE, REFLPCT, WIDTHDL, p) *
                  VS(BLINDANGLE, REFLPCT, alt_deg, p);
        etotal_fc = wa_ft2 * egw_fc * trans * CGV(LENGTHDL, REFLPCT, WIDTHDL, p) *
                        KGV(FLTOCE, REFLPCT, WIDTHDL, p) * VG(BLINDANGLE, REFLPCT, p) +
                    ekwp_fc;
    } else {
        REAL length_ft = 0.0f;
        REAL depth_ft = 0.0f;
        plain_window_zone(next, sunlit, length_ft, depth_ft);
        ekwp_fc = esk_fc * wa_ft2 * trans * CS(length_ft, REFLPCT, depth_ft, p, skyc) *
                  KS(FLTOCE, REFLPCT, depth_ft, p, skyc);
        etotal_fc = wa_ft2 * egw_fc * trans * CG(length_ft, REFLPCT, depth_ft, p) *
                        KG(FLTOCE, REFLPCT, depth_ft, p) +
                    ekwp_fc;
    }
    etotwp = etotal_fc;
}

}  // namespace mavo
