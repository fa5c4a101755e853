// MTTYPE: a thermal-mass element's material by name. Names are eight
// characters; the first four pick the material and the last four, when
// given, confirm it ("CONCRETE" against "CONC    "). Only the layer a daily
// temperature swing reaches stores heat from one day to the next, so a
// thicker element is counted at that depth; water is mixed by convection and
// always counts whole.
#include "physics/mass_materials.h"

#include <cmath>
#include <string_view>

#include "blocks/blocks.h"
#include "front/trace.h"

namespace mavo {
namespace {

constexpr INTEGER kMaterials = 10;
constexpr INTEGER kMassElements = 6;
constexpr REAL kWaterDensity_lb_ft3 = 62.4f;
constexpr REAL kWaterSpecificHeat_btu_lbF = 1.0f;

// Match score of a material name against the wanted name: 0 none, 1 the
// first four characters agree, 2 the last four (when given) agree as well.
INTEGER name_match_score(const FString<8>& material, const FString<8>& wanted) {
    if (material.first(4) != wanted.first(4)) return 0;
    const std::string_view wanted_tail = wanted.view().substr(4, 4);
    if (wanted_tail != BLK0A.BLANK4.view() && wanted_tail == material.view().substr(4, 4)) return 2;
    return 1;
}

}  // namespace

REAL daily_storage_depth_in(REAL density_lb_ft3, REAL spheat_btu_lbF, REAL cond_btuin_hft2F) {
    const REAL heat_capacity = spheat_btu_lbF * density_lb_ft3;  // Btu/ft3.F
    if (heat_capacity <= 0.0f) return 0.0f;
    // Conductivity per inch of thickness taken to per foot (/12).
    const REAL radicand = density_lb_ft3 * 12.0f * spheat_btu_lbF * (cond_btuin_hft2F / 12.0f) / 3.1416f;
    if (!(radicand > 0.0f)) return 0.0f;  // no conduction: nothing of the swing gets in
    return 1.18f * (12.0f / heat_capacity) * std::sqrt(radicand);
}

void MTTYPE(INTEGER& IMAT) {
    DBG_IN("MTTYPE");
    IMAT = 1;
    const INTEGER K = KMASS;
    if (K < 1 || K > kMassElements) {
        DBG_INT("MTTYPE: mass element out of range, nothing typed", K);
        DBG_OUT("MTTYPE");
        return;
    }

    // Scores of the ten materials; the highest wins, the lowest index among equals.
    FArray<INTEGER, kMaterials> IMTRL{};
    for (INTEGER i = 1; i <= kMaterials; ++i) {
        IMTRL(i) = name_match_score(MTNAME(i), MATNAME);
        if (IMTRL(i) > IMTRL(IMAT)) IMAT = i;
    }

    if (IMTRL(IMAT) == 0) {
        // No material of the list: the element keeps its own name and properties.
        MTUSED(K) = MATNAME;
        IMAT = 1;
    } else {
        MTUSED(K) = MTNAME(IMAT);
        DNST(K) = MTDENSITY(IMAT);
        SPHT(K) = MTSPHEAT(IMAT);
        COND(K) = MTCOND(IMAT);
        IMAT = K;
    }

    TATDHC(K) = daily_storage_depth_in(DNST(K), SPHT(K), COND(K));
    DBG_FLOAT("TatDHC(k) max mass thickness", TATDHC(K));
    const bool water = DNST(K) == kWaterDensity_lb_ft3 || SPHT(K) == kWaterSpecificHeat_btu_lbF;
    if (!water && THCK(K) > TATDHC(K)) {
        DBG_FLOAT(" in MTTYPE: TatDHC(K) max", TATDHC(K));
        DBG_FLOAT(" THCK(K) at DHC, limited to", TATDHC(K));
        THCK(K) = TATDHC(K);
    } else {
        DBG_FLOAT(" THCK(K) below TatDHC limit", THCK(K));
    }
    DBG_FLOAT(" lnth(k)", LNTH(K));
    DBG_FLOAT(" wdth(k)", WDTH(K));
    DBG_FLOAT(" thck(k)", THCK(K));
    DBG_OUT("MTTYPE");
}

}  // namespace mavo
