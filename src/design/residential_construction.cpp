// EXPERT, residential construction by climate.
//
// The code-minimum house is light wood frame on a raised wood floor. Other
// new dwellings take thermal mass where the climate can use it: a slab
// floor with mass walls where hot days with a wide swing have cool nights
// (high mass), a slab floor where the daily swing reaches below the comfort
// limit (medium mass), a light-weight concrete floor over a crawl space
// otherwise. A freezing climate keeps the floor raised.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "blocks/blocks.h"
#include "design/residential.h"
#include "design/sizing.h"
#include "front/trace.h"

namespace mavo {
namespace {

enum class Family { PureLowMass = 500, LowMass = 510, HighMass = 520, SlabLowMassWalls = 540 };

// Above this latitude the summer is too short for mass to pay.
constexpr REAL kHighLatitude_deg = 56.0f;

struct Material {
    std::string_view name;
    REAL thck_in, dnst_lb_ft3, spht_btu_lbF, cond_btuin_hft2F;
};

constexpr Material kWoodFloor{"WOOD", 0.75f, 45.0f, 0.33f, 1.2f};
constexpr Material kLightweightConcrete{"LT.WT.CO", 3.625f, 80.0f, 0.2f, 3.0f};
constexpr Material kConcreteSlab{"CONCRETE", 3.5f, 140.0f, 0.22f, 12.0f};
constexpr Material kDrywall{"DRYWALL", 0.625f, 50.0f, 0.26f, 1.1f};
constexpr Material kDrywallMassWall{"DRYWALL", 0.63f, 50.0f, 0.26f, 1.1f};

void mass_element(INTEGER n, const Material& m) {
    MTUSED(n) = m.name;
    THCK(n) = m.thck_in;
    DNST(n) = m.dnst_lb_ft3;
    SPHT(n) = m.spht_btu_lbF;
    COND(n) = m.cond_btuin_hft2F;
}

void raised_floor() {
    AREA(11) = RAX;
    PERCNT(11) = 100.0f;
    AREA(12) = PERCNT(12) = 0.0f;
}

void slab_floor() {
    AREA(11) = PERCNT(11) = 0.0f;
    PERCNT(12) = 100.0f;
    AREA(12) = 2.0f * (NSDIM + EWDIM);  // slab edge, ft
}

void floor_codes(INTEGER k, REAL floor_type, REAL under_floor) {
    STRATEGY(33, k) = floor_type;
    STRATEGY(49, k) = under_floor;
}

Family choose_family(const DesignScheme& d) {
    if (d.k == 1) return Family::PureLowMass;
    if (SLAT > kHighLatitude_deg) return Family::LowMass;
    if (NFLAG(75)) return Family::HighMass;
    if (NFLAG(76)) return Family::SlabLowMassWalls;
    return Family::LowMass;
}

void apply_family(const DesignScheme& d, Family family) {
    const INTEGER k = d.k;
    STRATEGY(17, k) = 2.0f;
    STRATEGY(18, k) = 3.0f;
    STRATEGY(20, k) = 3.0f;
    STRATEGY(30, k) = 5.0f;
    switch (family) {
        case Family::PureLowMass:
            DBG_PRINT("500 Scheme 1 Pure Low Mass Raised wood Floor");
            raised_floor();
            STRATEGY(31, k) = 10.0f;
            floor_codes(k, 2.0f, 2.0f);
            mass_element(1, kWoodFloor);
            mass_element(2, kDrywall);
            mass_element(3, kDrywall);
            break;
        case Family::LowMass:
            DBG_PRINT("510 Low Mass 2x6, Lt.Wt. Raised Floor");
            raised_floor();
            STRATEGY(31, k) = 14.0f;
            floor_codes(k, 5.0f, 2.0f);
            mass_element(1, kLightweightConcrete);
            mass_element(2, kDrywall);
            mass_element(3, kDrywall);
            break;
        case Family::SlabLowMassWalls:
            DBG_PRINT("540 Slab floor, Low Mass walls");
            slab_floor();
            NELMNT(1) = 1.0f;
            STRATEGY(31, k) = NFLAG(9) ? 14.0f : 10.0f;
            floor_codes(k, 6.0f, 5.0f);
            mass_element(1, kConcreteSlab);
            STRATEGY(25, k) = 6.0f;
            wCFMvent = 0.09f;
            ACHMAX = std::max(5.0f, 90.0f / FLTOFL);
            if (NFLAG(74)) {  // frost: keep the floor off the ground
                raised_floor();
                floor_codes(k, 4.0f, 2.0f);
            }
            break;
        case Family::HighMass:
            DBG_PRINT("520 High Mass Slab, block walls");
            slab_floor();
            NELMNT(1) = NTYPE == 16 ? FLOORS : 1.0f;
            NELMNT(2) = 4.0f * FLOORS;
            NELMNT(3) = FLOORS;
            STRATEGY(31, k) = 6.0f;
            floor_codes(k, 6.0f, 5.0f);
            mass_element(1, kConcreteSlab);
            mass_element(2, kDrywallMassWall);
            mass_element(3, kDrywallMassWall);
            for (INTEGER i = 6; i <= 9; ++i) {
                TMLAG(i) = 8.0f;
                DECR(i) = 0.6f;
            }
            STRATEGY(25, k) = 6.0f;
            wCFMvent = 0.09f;
            ACHMAX = NFLAG(8) ? 0.0f : 20.0f;
            if (NFLAG(74)) {
                raised_floor();
                floor_codes(k, 5.0f, 2.0f);
            }
            break;
    }
    if (NFLAG(74) && (family == Family::SlabLowMassWalls || family == Family::HighMass)) NELMNT(1) = 1.0f;
    if (dwelling_over_heated_unit(k)) {
        // Over another heated unit the dwelling loses no heat through its
        // floor, whatever the family's floor: building sizing found no floor
        // items, and none comes back here. The floor keeps its mass.
        AREA(11) = PERCNT(11) = 0.0f;
        AREA(12) = PERCNT(12) = 0.0f;
        floor_codes(k, 1.0f, 1.0f);
    }
    DBG_FLOAT("Mass/Floor EXPERT dnst(1) density", DNST(1));
    DBG_PRINT(MTUSED(1).view());
    DBG_FLOAT("strategy(33, 735 EXPERT", STRATEGY(33, k));
    DBG_FLOAT("strategy(49 under floor", STRATEGY(49, k));
    DBG_FLOAT("strategy(24,infiltratin", STRATEGY(24, k));
}

}  // namespace

ClimateMassNeed climate_mass_need(const FArray<REAL, 12>& tmax_F, const FArray<REAL, 12>& tmin_F, REAL comhi_F,
                                  REAL comlow_F) {
    ClimateMassNeed need;
    for (INTEGER m = 1; m <= 12; ++m) {
        const REAL Tx = tmax_F(m), Tn = tmin_F(m), swing = Tx - Tn;
        if (Tx >= 90.0f && swing > 35.0f && Tn < comhi_F - 5.0f) need.high_mass = true;
        if (Tx >= comhi_F && swing >= 10.0f && Tn < comhi_F - 3.0f) need.medium_mass = true;
        if (Tx >= (comhi_F + comlow_F) / 2.0f && swing >= 15.0f && Tn < comhi_F - 3.0f) need.medium_mass = true;
        if (swing > 15.0f && Tx < 50.0f) need.medium_mass = true;
        if (Tn <= 32.0f && swing > 25.0f) need.medium_mass = true;
        if (Tn <= 27.0f) need.freezing = true;
        DBG_FLOAT("tmin(L)", Tn);
        DBG_FLOAT("Tmax(L)", Tx);
        DBG_LOGICAL("nflag(74) freezing", need.freezing);
        DBG_LOGICAL("nflag(75) high mass", need.high_mass);
        DBG_LOGICAL("nflag(76) medium mass", need.medium_mass);
    }
    return need;
}

void settle_climate_mass_need() {
    // Above the high latitude no mass pays: the climate calls for none.
    ClimateMassNeed need;
    if (SLAT <= kHighLatitude_deg) need = climate_mass_need(TMAX, TMIN, COMHI, COMLOW);
    NFLAG(74) = need.freezing;
    NFLAG(75) = need.high_mass;
    NFLAG(76) = need.medium_mass;
    DBG_FLOAT("tmin(1) January EXPERT", TMIN(1));
    DBG_FLOAT("Tmax(1) January EXPERT", TMAX(1));
    DBG_FLOAT("tmin(8) August EXPERT", TMIN(8));
    DBG_FLOAT("Tmax(8) August EXPERT", TMAX(8));
    DBG_PRINT(need.freezing ? "freezeHard low mass nflag(74)=T" : "NOT freezeHard low mass nflag(74)=F");
    DBG_PRINT(need.high_mass ? "hign mass nflag(75)=T 720" : "NOT hign mass nflag(75)=F");
    DBG_PRINT(need.medium_mass ? "med mass:slab nflag(76)=T 721" : "NOT med mass:slab nflag(76)=F");
}

REAL pitched_roof_slope(REAL latitude_deg) {
    const REAL lat = std::abs(latitude_deg);
    if (lat < 15.0f) return 10.0f;
    if (lat < 45.0f) return lat - 5.0f;
    return 40.0f;
}

void designed_roof_slope(REAL roof) {
    RSLOPE = (roof > 3.0f || roof < -3.0f) ? pitched_roof_slope(SLAT) : 0.0f;
    DBG_FLOAT("rSlope in EXPERT 968", RSLOPE);
}

void residential_construction_by_climate(const DesignScheme& d) {
    apply_family(d, choose_family(d));
    designed_roof_slope(STRATEGY(32, d.k));
}

}  // namespace mavo
