// SDHWCALC: the solar water-heating system and water heater of the current
// scheme. Completes slot 2 of the solar-system record from its defaults,
// sizes the collector field, repairs an unusable collector or tank
// description, chooses the auxiliary arrangement from the water-heater type,
// runs the year in SI units and folds it into the hourly arrays and the
// summary rows.
//
// Stored fields are REAL and worked in single precision, as are the unit
// factors; the model itself runs in double precision.
#include <algorithm>
#include <cmath>
#include <memory>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "renewables/solar_days.h"
#include "renewables/solarwater/solar_water.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr INTEGER kSlot = 2;  // slot of the solar water-heating system in the solar record
constexpr REAL kLitersPerGallon = 3.7854f;
constexpr REAL kWhPerKJ = 0.27778f;
constexpr REAL kBtuPerKJ = 0.94782f;
constexpr REAL kKJPerWhSingle = 3.6f;  // W/m2 to kJ/m2 in the hour
constexpr REAL kBtuPerKwh = 3412.0f;     // as the bills count electric water heating
constexpr REAL kBtuPerTherm = 100000.0f;
constexpr REAL kNonresDefaultGpd = 99.99f;
constexpr REAL kWattsPerKbtuh = 3412.0f;  // rated input as the model is given it
constexpr REAL kWattsPerKw = 1000.0f;
constexpr REAL kMaxCollectorCount = 10000.0f;
constexpr REAL kHeatPumpDefaultCop = 2.0f;
constexpr INTEGER kApparentSolarTime = 1;

// Rule sizing: collectors for the day's hot water at 1.25 times the use,
// 10.67 gallons per m2 of collector.
constexpr REAL kSizingUseFactor = 1.25f;
constexpr REAL kGallonsPerCollectorM2 = 10.67f;
constexpr REAL kSizingReferenceEf = 0.67f;

REAL fahrenheit_to_celsius(REAL t_F) { return (t_F - 32.0f) * 5.0f / 9.0f; }

bool electric_group(INTEGER aux_type) { return aux_type == 1 || aux_type == 2 || aux_type == 4 || aux_type == 6; }

// Empty water-heater fields take their defaults (steps of a water heater
// that exists: WHTYPE 1 or more, or -1).
void water_heater_defaults() {
    auto fill = [](REAL& field, REAL def) {
        if (field <= 0.0f) field = def;
    };
    fill(SEF(kSlot), DSEF(kSlot));
    fill(SAVTANK(kSlot), DSAVTANK(kSlot));
    fill(SAINPUTRATE(kSlot), DSAINPUTRATE(kSlot));
    fill(STHERMEFF(kSlot), DSTHERMEFF(kSlot));
    fill(STSET(kSlot), DSTSET(kSlot));
    fill(STMAX(kSlot), DSTMAX(kSlot));
    fill(STENV(kSlot), DSTENV(kSlot));
    fill(SGPD(kSlot), NFLAG(24) ? kNonresDefaultGpd : DSGPD(kSlot));
}

// A heat-pump water heater (type 7 and up) in a scheme that runs its own
// heater (the base schemes 1 and 2 run a gas storage heater): an energy
// factor below 1 is no COP, and the heater runs at the default COP, which
// the scheme saves. It is taken before the sizing, which divides by it, so
// that the first run sizes the collectors every later run sizes.
void heat_pump_cop(INTEGER k) {
    if (k >= 3 && WHTYPE >= 7 && SEF(kSlot) < 1.0f) SEF(kSlot) = kHeatPumpDefaultCop;
}

// A heater that is no heat pump (the base schemes' gas storage heater, a
// slot's heater below code 7) works at an energy factor of 1 or less: a
// coefficient of performance its scheme carries from the heat pump it had
// before, or from a heat-pump slot copied into it, is none of its own and
// would divide its energy by 2. It takes the default energy factor, which
// the scheme saves, as the first run of a heat pump saves its COP.
void energy_factor_of_heater(INTEGER k) {
    const bool heat_pump = k >= 3 && WHTYPE >= 7;
    if (!heat_pump && SEF(kSlot) > 1.0f) SEF(kSlot) = DSEF(kSlot);
}

// Mean hourly fraction of the building type's hot-water schedule (row 5, in
// percent of the peak draw); 0 for a type outside the table.
REAL nonres_mean_draw_fraction() {
    if (NTYPE < 1 || NTYPE > 20) {
        DBG_INT("SDHWCALC: no hot-water schedule for ntype", NTYPE);
        return 0.0f;
    }
    REAL f = 0.0f;
    for (INTEGER h = 1; h <= 24; ++h) f += static_cast<REAL>(SCHEDULES(h, 5, NTYPE)) / 100.0f / 24.0f;
    return f;
}

// Number of collectors by the scheme's choice S41 (0 none, negative the
// user's count, between 0 and 1 the stored count, 1 or more by rule).
void size_collectors(INTEGER k, REAL s41, REAL gpd, REAL mean_draw) {
    INTEGER n_colls = 0;
    if (s41 == 0.0f) {
        SQTY(kSlot) = 0.0f;
    } else if (s41 < 0.0f) {
        SQTY(kSlot) = -s41;
        n_colls = int_toward_zero(-s41 + 0.9f);
        if (STRATEGY(50, k) < -8.0f) STRATEGY(50, k) = 0.0f;
    } else if (s41 >= 1.0f) {
        // A collector area or energy factor that is not positive sizes with
        // the default one.
        const REAL area_m2 = SAREAC(kSlot) > 0.0f ? SAREAC(kSlot) : DSAREAC(kSlot);
        const REAL ef = SEF(kSlot) > 0.0f ? SEF(kSlot) : DSEF(kSlot);
        if (!NFLAG(24)) {
            REAL q = kSizingUseFactor * SGPD(kSlot) / (area_m2 * kGallonsPerCollectorM2);
            q = (kSizingReferenceEf / ef) * q;
            n_colls = std::max(int_toward_zero(q), 1);
        } else {
            REAL q = kSizingUseFactor * gpd * mean_draw / (area_m2 * kGallonsPerCollectorM2);
            q = q * (ef / kSizingReferenceEf) * (ef / kSizingReferenceEf);
            n_colls = int_toward_zero(q + 0.5f);
        }
        SQTY(kSlot) = static_cast<REAL>(n_colls);
        // A solar water system replaces the solar-ready roof requirement.
        if (STRATEGY(50, k) < -8.0f) STRATEGY(50, k) = 0.0f;
    }
    DBG_INT("SDHWCALC nColls by the scheme's choice", n_colls);
    DBG_FLOAT("SDHWCALC sQty(2)", SQTY(kSlot));
}

// Checks the collector and tank description and repairs what fails;
// reloads it from the defaults for rule sizing. Returns the solar tank
// volume, gal.
REAL check_and_repair(REAL s41) {
    const REAL qty = SQTY(kSlot);
    if (qty > 0.0f && qty < kMaxCollectorCount) {
        const bool pass = SAREAC(kSlot) > 0.0f && SNTANK(kSlot) >= 0 && SSEF(kSlot) > 0.0f &&
                          SSVTANK(kSlot) > 0.0f && SFRTA(kSlot) > 0.0f && SFRUL(kSlot) < 0.0f &&
                          SSTHERMEFF(kSlot) > 0.0f && STSET(kSlot) > 0.0f && STMAX(kSlot) > 0.0f;
        if (!pass) {
            DBG_FLOAT("ERROR in SDHW input sQty(2) 502", qty);
            if (!(SAREAC(kSlot) > 0.0f)) SAREAC(kSlot) = DSAREAC(kSlot);
            if (!(SNTANK(kSlot) >= 0)) SNTANK(kSlot) = DSNTANK(kSlot);
            if (!(SSEF(kSlot) > 0.0f)) SSEF(kSlot) = DSSEF(kSlot);
            if (!(SSVTANK(kSlot) > 0.0f)) SSVTANK(kSlot) = DSSVTANK(kSlot);
            if (!(SFRTA(kSlot) > 0.0f)) SFRTA(kSlot) = DSFRTA(kSlot);
            if (!(SFRUL(kSlot) < 0.0f)) SFRUL(kSlot) = DSFRUL(kSlot);
            if (!(SSTHERMEFF(kSlot) > 0.0f)) SSTHERMEFF(kSlot) = DSSTHERMEFF(kSlot);
            if (!(STSET(kSlot) > 0.0f)) STSET(kSlot) = DSTSET(kSlot);
            if (!(STMAX(kSlot) > 0.0f)) STMAX(kSlot) = DSTMAX(kSlot);
            if (SCAREA(kSlot) <= 0.0f) SCAREA(kSlot) = DSAREAC(kSlot);
            if (SWIDTH(kSlot) <= 0.0f) SWIDTH(kSlot) = DSWIDTH(kSlot);
            if (STILT(kSlot) <= 0.0f) STILT(kSlot) = SLAT;
        }
    }
    // A width that is not positive takes the default, so the height stays finite.
    const REAL width_m = SWIDTH(kSlot) > 0.0f ? SWIDTH(kSlot) : DSWIDTH(kSlot);
    const REAL height_m = SAREAC(kSlot) / width_m;
    if (s41 < 1.0f) {
        SHEIGHT(kSlot) = height_m;
        return SSVTANK(kSlot);
    }
    SFACING(kSlot) = 0.0f;
    STILT(kSlot) = SLAT;
    SAREAC(kSlot) = DSAREAC(kSlot);
    SCAREA(kSlot) = DSAREAC(kSlot);
    SFRTA(kSlot) = DSFRTA(kSlot);
    SFRUL(kSlot) = DSFRUL(kSlot);
    SSEF(kSlot) = DSSEF(kSlot);
    SSTHERMEFF(kSlot) = DSSTHERMEFF(kSlot);
    SNTANK(kSlot) = DSNTANK(kSlot);
    STSET(kSlot) = DSTSET(kSlot);
    STMAX(kSlot) = DSTMAX(kSlot);
    SWIDTH(kSlot) = DSWIDTH(kSlot);
    SSVTANK(kSlot) = DSSVTANK(kSlot);
    SHEIGHT(kSlot) = DSAREAC(kSlot) / DSWIDTH(kSlot);
    return DSSVTANK(kSlot);
}

// A water heater without collectors, by its type: the arrangement, its
// tank count and fuel code.
struct HeaterArrangement {
    INTEGER aux = 0;         // 0: no water heater
    INTEGER tanks = 0;
    INTEGER fuel = -1;       // auxiliary fuel code; -1 keeps the stored one
    bool in_line = false;    // no tank of its own: a one-gallon auxiliary volume
};

HeaterArrangement heater_without_collectors(INTEGER whtype) {
    switch (whtype) {
    case 1: return {7, 1, 1};
    case 2: return {6, 1, 2};
    case 3: return {7, 1, 4};
    case 4: return {7, 1, 3};
    case 5: return {3, 0, 1, true};
    case 6: return {2, 0, 2, true};
    default: return whtype >= 7 ? HeaterArrangement{6, 1, 2} : HeaterArrangement{};
    }
}

// The arrangement of a water heater without collectors.
void arrangement_without_collectors(INTEGER& aux, REAL& v_aux_gal) {
    const HeaterArrangement a = heater_without_collectors(WHTYPE);
    aux = a.aux;
    SNTANK(kSlot) = a.tanks;
    if (a.fuel >= 0) SAFUELTYPE(kSlot) = a.fuel;
    if (a.in_line) v_aux_gal = 1.0f;
}

// An electric storage heater with collectors: one tank or two, toggled by
// NFLAG(42) between runs as the tank count was found.
void electric_storage_with_collectors(INTEGER& aux, REAL v_tank_gal, REAL& v_aux_gal) {
    const INTEGER tanks = SNTANK(kSlot);
    if (tanks == 2) {
        aux = 4;
    } else if (tanks >= 3) {
        aux = 4;
        NFLAG(42) = false;
    } else if (tanks == 1 && !NFLAG(42)) {
        SNTANK(kSlot) = 2;
        aux = 4;
        NFLAG(42) = true;
    } else if (tanks == 1) {
        NFLAG(42) = false;
        v_aux_gal = v_tank_gal;
    } else {
        NFLAG(42) = false;
    }
}

// The arrangement of a water heater with collectors (design schemes 3 and up).
void arrangement_with_collectors(INTEGER& aux, REAL v_tank_gal, REAL& v_aux_gal) {
    switch (WHTYPE) {
    case 1: aux = 5; SNTANK(kSlot) = 2; SAFUELTYPE(kSlot) = 1; break;
    case 2: electric_storage_with_collectors(aux, v_tank_gal, v_aux_gal); SAFUELTYPE(kSlot) = 2; break;
    case 3: aux = 5; SNTANK(kSlot) = 2; SAFUELTYPE(kSlot) = 4; break;
    case 4: aux = 5; SNTANK(kSlot) = 2; SAFUELTYPE(kSlot) = 3; break;
    case 5: aux = 3; SNTANK(kSlot) = 0; SAFUELTYPE(kSlot) = 1; v_aux_gal = 1.0f; break;
    case 6: aux = 2; SNTANK(kSlot) = 0; SAFUELTYPE(kSlot) = 2; v_aux_gal = 1.0f; break;
    default:
        if (WHTYPE >= 7) {
            aux = 1;
            SNTANK(kSlot) = 1;
            SAFUELTYPE(kSlot) = 2;
        } else {
            aux = 0;
            SAFUELTYPE(kSlot) = 0;
        }
    }
}

// Tanks and auxiliary arrangement; stores them in slot 2 and returns the
// arrangement. v_tank_gal and v_aux_gal come back as stored.
INTEGER choose_arrangement(INTEGER k, REAL s41, REAL gpd, REAL& v_tank_gal, REAL& v_aux_gal) {
    INTEGER aux = SCONTROL(kSlot);  // the arrangement of the last run
    if (v_tank_gal <= 1.0f) v_tank_gal = DSSVTANK(kSlot);
    if (NFLAG(24)) {
        // The base schemes run a gas storage heater (below), whatever heater
        // a copy of another slot brought: their tank is sized for it on the
        // copy's run as on every later one.
        const INTEGER heater = k < 3 ? 1 : WHTYPE;
        const bool storage = heater == 7 || (heater >= 1 && heater <= 4);
        // The next multiple of 50 gallons above the day's use.
        if (s41 >= 1.0f && storage) v_tank_gal = 50.0f * static_cast<REAL>(int_toward_zero(gpd / 50.0f + 1.0f));
        SSVTANK(kSlot) = v_tank_gal;
    }
    v_aux_gal = SAVTANK(kSlot);
    if (v_aux_gal <= 1.0f) v_aux_gal = DSAVTANK(kSlot);
    if (k < 3) {
        // The base schemes run a gas storage heater without solar.
        SAFUELTYPE(kSlot) = 1;
        WHTYPE = 1;
        aux = 7;
    }
    if (SQTY(kSlot) == 0.0f) {
        arrangement_without_collectors(aux, v_aux_gal);
    } else if (SQTY(kSlot) > 0.0f && k >= 3) {
        arrangement_with_collectors(aux, v_tank_gal, v_aux_gal);
    }
    DBG_INT("SDHWCALC WHtype", WHTYPE);
    DBG_INT("SDHWCALC AuxType", aux);
    DBG_INT("SDHWCALC sAfuelType(2)", SAFUELTYPE(kSlot));
    DBG_FLOAT("SDHWCALC vTankG gal", v_tank_gal);
    DBG_FLOAT("SDHWCALC vAuxG gal", v_aux_gal);
    SCONTROL(kSlot) = aux;
    SSVTANK(kSlot) = v_tank_gal;
    SAVTANK(kSlot) = v_aux_gal;
    return aux;
}

// Hourly draw multipliers of the mean hourly draw LPD / 24. The residential
// profile holds each hour's share of the day's draw: 24 times the share,
// normalised so the day draws exactly the day's use.
void draw_multipliers() {
    auto& fs = SDHWCALC_STATE.FSCHED;
    if (NFLAG(24)) {
        const bool known_type = NTYPE >= 1 && NTYPE <= 20;
        for (INTEGER h = 1; h <= 24; ++h)
            fs(h) = known_type ? static_cast<REAL>(SCHEDULES(h, 5, NTYPE)) / 100.0f : 0.0f;
        return;
    }
    REAL sum = 0.0f;
    for (INTEGER h = 1; h <= 24; ++h) sum += DHWPROF(h);
    for (INTEGER h = 1; h <= 24; ++h) fs(h) = sum > 0.0f ? 24.0f * DHWPROF(h) / sum : 1.0f;
}

// Mains-water temperature by month: the ground temperature of the site's
// zone (the climate zone when the zone in use is not set).
void mains_temperatures() {
    INTEGER zone = ZONE;
    if (zone < 1 || zone > 18) {
        DBG_INT("SDHWCALC: ground-temperature set not in use, zone", zone);
        zone = (CECZONE >= 1 && CECZONE <= 16) ? CECZONE : 1;
    }
    for (INTEGER m = 1; m <= 12; ++m) SDHWCALC_STATE.TMAINSHC(m) = fahrenheit_to_celsius(GROUNDTEMP(m, zone));
}

// The days run into SHW, WHENER and the summary rows. The energy displaced
// is what the water heater would use without the collectors less what it
// uses with them, by the same heater model, in the units the bills count
// the heater's own energy in (Btu of WHENER).
void fold_hours(INTEGER k, const SolarDays& days, bool electric, REAL c) {
    const auto& st = SDHWCALC_STATE;
    REAL displaced_btu = 0.0f;
    for (INTEGER j = 1; j <= days.count; ++j) {
        const SolarDay& d = days.day(j);
        for (INTEGER h = 1; h <= 24; ++h) {
            const INTEGER t = d.hours_before + h;
            const REAL qs = static_cast<REAL>(st.QSOLAR(t)) * SUNLITCHM(2, h, d.month);
            const REAL qf = static_cast<REAL>(st.QFUEL(t));
            if (NFLAG(38)) {
                const REAL n_days = static_cast<REAL>(MODAYS(d.slot));
                WHENER(h, d.slot) += qf * kBtuPerKJ / n_days * WHEF2;
                SHW(h, d.slot) += qs * kBtuPerKJ / n_days;
            } else {
                SHW(h, d.slot) = qs * kBtuPerKJ;
                WHENER(h, d.slot) = qf * kBtuPerKJ * WHEF2;
            }
            displaced_btu += (static_cast<REAL>(st.QFUELNOCOLL(t)) - qf) * kBtuPerKJ * WHEF2;
            SUMARY(80, k) += static_cast<REAL>(st.QDUMP(t)) * c / 1000.0f;
        }
        IWHEN = d.month * 10000 + d.day * 100 + 24;
    }
    if (electric) {
        SUMARY(74, k) = displaced_btu / kBtuPerKwh;
        SUMARY(64, k) = 0.0f;
    } else {
        SUMARY(64, k) = displaced_btu / kBtuPerTherm;
        SUMARY(74, k) = 0.0f;
    }
}

// The inputs of the hot-water model for one scheme, in SI units, but for
// the collectors.
struct HotWaterInputs {
    REAL8 t_env_C = 0.0, t_set_C = 0.0, t_max_C = 0.0;
    REAL8 lpd = 0.0;
    INTEGER n_occs = 1;
    REAL8 ef = 0.0, re = 0.0, p_w = 0.0, v_tank_l = 0.0;
    REAL8 ef_aux = 0.0, re_aux = 0.0, p_w_aux = 0.0, v_aux_l = 0.0;
};

// The tank is warmed up as the zone is: the first day simulated runs this
// many times before the days count, each time from the tank the time before
// left, so the first day does not start from a cold tank whatever its
// season (the zone repeats its first day twelve times).
constexpr INTEGER kTankWarmUpDays = 12;

// One run of the model over the days, the results in SDHWCALC_STATE; false
// when the model refused its inputs.
bool run_model(const SolarDays& days, INTEGER aux, const HotWaterInputs& in, REAL8 coll_area_m2, INTEGER n_colls) {
    auto& st = SDHWCALC_STATE;
    // Hours not run hold nothing, whatever the run without collectors left.
    for (auto* q : {&st.QSOLAR, &st.QTANK, &st.QLOAD, &st.QDUMP, &st.QAUX, &st.QFUEL}) q->fill(0.0);
    std::construct_at(&SDHWMAIN_STATE);
    // The hours first..last, from the tank the hours before left.
    const auto run_hours = [&](INTEGER first, INTEGER last) {
        REAL8 coll_az_deg = SFACING(kSlot);
        INTEGER err = 0;
        st.SDHWMESSAGE = "";
        SDHWMAIN(coll_area_m2, SFRTA(kSlot), std::fabs(SFRUL(kSlot)), STILT(kSlot), coll_az_deg, first, last, SLAT,
                 -static_cast<REAL8>(SLON), TMZONEI, kApparentSolarTime, st.DRCTNORMKJ, st.TOTHORIZKJ, TAMB, WNDSPD,
                 n_colls, in.t_env_C, st.TMAINSHC, in.lpd, st.FSCHED, in.n_occs, in.t_set_C, in.t_max_C, aux, in.ef,
                 in.re, in.p_w, in.v_tank_l, in.ef_aux, in.re_aux, in.p_w_aux, in.v_aux_l, err, st.SDHWMESSAGE,
                 st.QSOLAR, st.QTANK, st.QLOAD, st.QDUMP, st.QAUX, st.QFUEL, st.TTANKF);
        if (err != 0) {
            DBG_PRINT(st.SDHWMESSAGE.trimmed());
            return false;
        }
        SDHWMAIN_STATE.tank_start_C = SDHWMAIN_STATE.TTANK(std::min<INTEGER>(last, 8760) + 1);
        return true;
    };
    if (days.count > 0) {
        const INTEGER first_day = days.day(1).hours_before;
        for (INTEGER n = 1; n <= kTankWarmUpDays; ++n)
            if (!run_hours(first_day + 1, first_day + 24)) return false;
    }
    for (INTEGER j = 1; j <= days.span_count; ++j)
        if (!run_hours(days.span(j).first, days.span(j).last)) return false;
    return true;
}

// The model's own copy of the radiation of the days run, kJ/m2 in the hour
// (the weather year itself stays as read).
void radiation_in_kilojoules(const SolarDays& days) {
    auto& st = SDHWCALC_STATE;
    st.DRCTNORMKJ.fill(0.0);
    st.TOTHORIZKJ.fill(0.0);
    for (INTEGER j = 1; j <= days.count; ++j)
        for (INTEGER h = 1; h <= 24; ++h) {
            const INTEGER t = days.day(j).hours_before + h;
            st.DRCTNORMKJ(t) = DRCTNORMAL(t) * kKJPerWhSingle;
            st.TOTHORIZKJ(t) = TOTHORIZ(t) * kKJPerWhSingle;
        }
}

// Runs the days for the chosen arrangement and folds them into the results.
void simulate(INTEGER k, INTEGER aux, REAL v_tank_gal, REAL v_aux_gal, REAL gpd) {
    auto& st = SDHWCALC_STATE;
    const bool electric = electric_group(aux);
    const REAL c = electric ? kWhPerKJ : kBtuPerKJ;
    HotWaterInputs in;
    in.ef_aux = SEF(kSlot);
    if (STHERMEFF(kSlot) < 1.0f) STHERMEFF(kSlot) = STHERMEFF(kSlot) * 100.0f;
    in.re_aux = STHERMEFF(kSlot) / 100.0f;
    in.ef = SSEF(kSlot);
    in.v_aux_l = v_aux_gal * kLitersPerGallon;
    in.p_w_aux = SAINPUTRATE(kSlot) * kWattsPerKbtuh;
    if (SSTHERMEFF(kSlot) < 1.0f) SSTHERMEFF(kSlot) = SSTHERMEFF(kSlot) * 100.0f;
    in.re = SSTHERMEFF(kSlot) / 100.0f;
    in.v_tank_l = v_tank_gal * kLitersPerGallon;
    in.p_w = SSINPUTRATE(kSlot) * kWattsPerKw;
    if (!NFLAG(54)) {
        DBG_PRINT("SDHWCALC: nflag(54) false on entry, no simulation");
        return;
    }

    SSYSNO = kSlot;
    NFLAG(54) = false;
    SHW.fill(0.0f);
    WHENER.fill(0.0f);
    for (INTEGER row : {64, 74, 65, 75}) SUMARY(row, k) = 0.0f;
    const SolarDays days = solar_model_days();
    store_whole_year_period();
    const REAL8 coll_area_m2 = SQTY(kSlot) > 0.0f ? SAREAC(kSlot) : 0.0f;
    if (TMZONEI < -24 || TMZONEI > 24) TMZONEI = 1;
    NFLAG(42) = false;
    const INTEGER n_colls = int_toward_zero(SQTY(kSlot) + 0.9f);
    in.t_env_C = fahrenheit_to_celsius(STENV(kSlot));
    mains_temperatures();
    draw_multipliers();
    in.t_set_C = fahrenheit_to_celsius(STSET(kSlot));
    in.t_max_C = fahrenheit_to_celsius(STMAX(kSlot));
    INTEGER n_occs = int_toward_zero(PEOPLE + 0.49999f);
    if (n_occs < 2) n_occs = 1;
    in.n_occs = n_occs;
    in.lpd = gpd * kLitersPerGallon / static_cast<REAL>(n_occs);
    radiation_in_kilojoules(days);

    // With collectors the same heater is first run without them: what it
    // would use then, less what it uses with them, is what the collectors
    // displace. The run with the collectors comes last and stays in the
    // working storage.
    const INTEGER aux_without = heater_without_collectors(WHTYPE).aux;
    const bool with_collectors = aux <= 5 && coll_area_m2 > 0.0 && n_colls > 0 && aux_without > 0;
    if (with_collectors) {
        if (!run_model(days, aux_without, in, 0.0, 0)) return;
        st.QFUELNOCOLL = st.QFUEL;
    }
    if (!run_model(days, aux, in, coll_area_m2, n_colls)) return;
    if (!with_collectors) st.QFUELNOCOLL = st.QFUEL;
    fold_hours(k, days, electric, c);
    DBG_FLOAT("Sumary(80 SumDump Excess SHW", SUMARY(80, k));
    if (SUMARY(80, k) > 0.0f) {
        DBG_PRINT("CAUTION Solar hot water system is OVERSIZED");
        DBG_FLOAT("SDHWCALC heat dumped", SUMARY(80, k));
        DBG_FLOAT("SDHWCALC sQty(2)", SQTY(kSlot));
    }
    DBG_FLOAT("SDHWCALC Sumary(64) fuel displaced, therms", SUMARY(64, k));
    DBG_FLOAT("SDHWCALC Sumary(74) electricity displaced, kWh", SUMARY(74, k));
    NFLAG(54) = true;
}

}  // namespace

void SDHWCALC() {
    DBG_IN("SDHWCALC");
    const INTEGER k = IDNUM1;
    if (!has_scheme_column(k)) {
        // A combination number has no column of its own to size or fill.
        DBG_INT("SDHWCALC: no scheme column for idnum1", k);
        NFLAG(54) = false;
        DBG_OUT("SDHWCALC");
        return;
    }
    SUMARY(80, k) = 0.0f;
    IWHEN1 = 99953101;  // a window no hour falls in
    IWHEN2 = 60124;
    const REAL s41 = STRATEGY(41, k);
    DBG_FLOAT("SDHWCALC strategy(41,)", s41);
    DBG_FLOAT("SDHWCALC sQty(2)", SQTY(kSlot));
    if (WHTYPE >= 1 || WHTYPE == -1) water_heater_defaults();
    heat_pump_cop(k);
    energy_factor_of_heater(k);
    const REAL gpd = SGPD(kSlot);
    const REAL mean_draw = NFLAG(24) ? nonres_mean_draw_fraction() : 0.0f;
    size_collectors(k, s41, gpd, mean_draw);
    REAL v_tank_gal = check_and_repair(s41);
    REAL v_aux_gal = 0.0f;
    const INTEGER aux = choose_arrangement(k, s41, gpd, v_tank_gal, v_aux_gal);
    if (aux == 0) {
        // No water heater: nothing to simulate.
        SUMARY(64, k) = 0.0f;
        SUMARY(74, k) = 0.0f;
        DBG_OUT("SDHWCALC");
        return;
    }
    simulate(k, aux, v_tank_gal, v_aux_gal, gpd);
    DBG_OUT("SDHWCALC");
}

}  // namespace mavo
