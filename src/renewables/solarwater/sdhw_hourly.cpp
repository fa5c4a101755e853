// SDHWMAIN: the hot-water system hour by hour. One fully mixed solar tank
// heated by the collector field (Hottel-Whillier gain with FR(tau alpha) and
// FR UL, Duffie & Beckman sect. 6.7) and cooled by its standby loss and the
// draw; the auxiliary heater lifts what is drawn to the set point and covers
// its own standby loss. Without collectors (types 6 and 7) the tank follows
// the mains temperature and the auxiliary does all the heating.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "front/units.h"
#include "renewables/developer_dump.h"
#include "renewables/pv/free_form.h"
#include "renewables/pv/tilted_radiation.h"
#include "renewables/solarwater/solar_water.h"
#include "support/fortran_format.h"

namespace mavo {
namespace solarwater {

LossCoefficient rated_tank_loss_coefficient(double energy_factor, double recovery_efficiency, double input_W) {
    // UA = (1/EF - 1/RE) / (67.5 F x (24 h / 41094 Btu - 1 / (RE x Pon)))
    // in Btu/h.F, the tank 67.5 F above its surroundings in the 24-hour
    // test that delivers 41094 Btu.
    constexpr double kBtuhPerW = 3.412;
    constexpr double kWKPerBtuhF = 0.52753;
    LossCoefficient r;
    if (!(energy_factor > 0.0 && recovery_efficiency > 0.0 && input_W > 0.0)) return r;
    const double denom = 67.5 * (24.0 / 41094.0 - 1.0 / (recovery_efficiency * input_W * kBtuhPerW));
    const double ua_btuhf = (1.0 / energy_factor - 1.0 / recovery_efficiency) / denom;
    if (std::isfinite(ua_btuhf) && ua_btuhf > 0.0) {
        r.ua_WK = ua_btuhf * kWKPerBtuhF;
        r.valid = true;
    }
    return r;
}

}  // namespace solarwater

namespace {

constexpr double kWaterDensity_kgm3 = 994.0;
constexpr double kWaterSpecificHeat_kJkgK = 4.182;
constexpr double kSecondsPerHourOver1000 = static_cast<double>(3.6f);  // W to kJ per hour, single precision
constexpr double kKJPerWh = 3.6;                                       // the absorbed radiation back to W/m2
constexpr double kShownDrawUse = 500.9;  // shown in the dump only
constexpr double kUaTankUnrated_WK = 3.5;
constexpr double kUaTankDefault_WK = 3.51;
constexpr double kUaAuxInline_WK = 1.0;
constexpr double kUaAuxTank_WK = 3.5;
constexpr int kDumpUnit = kDeveloperDumpUnit;
constexpr INTEGER kDumpFirstHour = 3601;
constexpr INTEGER kDumpLastHour = 3651;
// A tank followed in steps of ten seconds at the finest: finer steps would
// only serve a tank that holds less than ten seconds of its draw.
constexpr int kMaxTankStepsPerHour = 360;

// What one call holds for all its hours.
struct TankSystem {
    double ua_tank_WK = 0.0;
    double ua_aux_WK = 0.0;
    double m_tank_kg = 0.0;
    double m_aux_kg = 0.0;
    double eta_aux = 1.0;
    bool fuel_fired = false;     // a burner: the heat it delivers costs heat / recovery efficiency in fuel
    double recovery = 1.0;       // recovery efficiency of the burner, fraction
    double t_env_C = 0.0;
    double delta_env_K = 0.0;
};

bool burns_fuel(INTEGER auxType) { return auxType == 3 || auxType == 5 || auxType == 7; }

// Loss coefficients and masses of the tanks (set-up steps 2 to 6), and how
// the auxiliary heater turns heat into energy bought.
TankSystem tank_system(INTEGER auxType, REAL8 EF, REAL8 RE, REAL8 P_W, REAL8 vTank, REAL8 EF_aux, REAL8 RE_aux,
                       REAL8 P_W_aux, REAL8 vAux, REAL8 tSet, REAL8 tEnv) {
    TankSystem s;
    // A gas, propane or oil burner delivers its recovery efficiency's share
    // of the fuel's heat to the water; its standby loss is charged as the
    // heat it is. An efficiency outside (0, 1] is no burner's: none applied.
    s.fuel_fired = burns_fuel(auxType) && EF_aux <= 1.0;
    if (s.fuel_fired) {
        if (RE_aux > 0.0 && RE_aux <= 1.0) s.recovery = RE_aux;
        else DBG_DOUBLE("SDHWMAIN: recovery efficiency of the burner out of range, 1 used", RE_aux);
    }
    s.t_env_C = tEnv;
    s.delta_env_K = tSet - tEnv;
    if (P_W <= 0.0) DBG_DOUBLE("P_W =INPUT kWh: ERROR if<=0.0 at 62", P_W);
    if (P_W == 0.0) {
        s.ua_tank_WK = kUaTankUnrated_WK;
    } else if (EF >= RE) {
        s.ua_tank_WK = kUaTankDefault_WK;
    } else {
        // A rated tank with a recovery efficiency above its energy factor:
        // its standby loss follows from the ratings.
        const solarwater::LossCoefficient ua = solarwater::rated_tank_loss_coefficient(EF, RE, P_W);
        s.ua_tank_WK = ua.valid ? ua.ua_WK : kUaTankDefault_WK;
    }
    s.ua_aux_WK = kUaAuxInline_WK;
    if (P_W_aux > 0.0 && auxType != 2 && auxType != 3) s.ua_aux_WK = kUaAuxTank_WK;
    s.eta_aux = 1.0;
    s.m_aux_kg = vAux / 1000.0 * kWaterDensity_kgm3;
    s.m_tank_kg = vTank / 1000.0 * kWaterDensity_kgm3;
    DBG_DOUBLE("SDHWMAIN mAux kg", s.m_aux_kg);
    if (auxType == 1) {
        // Split tank: the element heats the upper third, whose loss is
        // charged to the auxiliary.
        s.m_tank_kg = 2.0 * s.m_tank_kg / 3.0;
        s.ua_aux_WK = s.ua_tank_WK / 3.0;
        s.ua_tank_WK = 2.0 * s.ua_tank_WK / 3.0;
    }
    return s;
}

// One hour of the solar tank: what the collectors deliver, the tank loses,
// the draw takes out and the tank dumps above its maximum, kJ; the heat the
// auxiliary adds to the water drawn; the share of the draw taken from the
// tank; and the tank temperature at the end of the hour.
struct SolarTankHour {
    double q_solar_kJ = 0.0, q_tank_kJ = 0.0, q_load_kJ = 0.0, q_dump_kJ = 0.0, q_flow_kJ = 0.0;
    double draw_fraction = 0.0;
    double t_end_C = 0.0;
    int steps = 1;
};

// The fully mixed tank is stepped forward explicitly, in as many equal
// steps as it takes for no step to exchange more than the tank's own heat
// capacity with the draw, the collector field and the surroundings: past
// that an explicit step overshoots the temperature those exchanges drive
// the tank to, and a tank that holds little of an hour's draw swings
// further every hour, drawing from heat it never had. Where one step is
// enough (a tank holding more than the hour exchanges) the hour is one step.
// Past the finest step, water beyond the tank's content in a step passes it
// at mains temperature and the auxiliary lifts it from there.
SolarTankHour solar_tank_hour(const TankSystem& s, double T, double tm, double t_amb_C, double cdot_kJK,
                              double sabs_kjm2, double tSet, double tMax, double area_m2, double FrTA,
                              double FrUL) {
    const double capacity_kJK = s.m_tank_kg * kWaterSpecificHeat_kJkgK;
    const double exchange_kJK = cdot_kJK + area_m2 * FrUL * kSecondsPerHourOver1000 +
                                s.ua_tank_WK * kSecondsPerHourOver1000;
    const double steps_needed = std::ceil(exchange_kJK / capacity_kJK);
    SolarTankHour h;
    h.steps = steps_needed > 1.0 ? static_cast<int>(std::min<double>(steps_needed, kMaxTankStepsPerHour)) : 1;
    const double share = 1.0 / h.steps;  // of the hour, exactly 1 for one step
    const double step_cdot_kJK = cdot_kJK * share;
    const double through_cdot_kJK = std::min(step_cdot_kJK, capacity_kJK);
    for (int j = 0; j < h.steps; ++j) {
        // A tank above the set point is tempered with mains water: only the
        // share that mixes down to the set point is drawn from it.
        const double fd = T <= tSet ? 1.0 : std::max(0.0, std::min(1.0, (tSet - tm) / (T - tm)));
        const double ql = (T - tm) * through_cdot_kJK * fd;
        const double qu_W = std::max(0.0, area_m2 * (FrTA * sabs_kjm2 / kKJPerWh - (T - t_amb_C) * FrUL));
        const double qs = qu_W * kSecondsPerHourOver1000 * share;
        const double qt = (T - s.t_env_C) * s.ua_tank_WK * kSecondsPerHourOver1000 * share;
        const double tn = T + (qs - qt - ql) / capacity_kJK;
        h.q_solar_kJ += qs;
        h.q_tank_kJ += qt;
        h.q_load_kJ += ql;
        if (tn > tMax) h.q_dump_kJ += capacity_kJK * (tn - tMax);
        // The water drawn is lifted to the set point from the tank
        // temperature at the start of the step, what bypassed the tank from
        // the mains.
        h.q_flow_kJ += std::max(0.0, through_cdot_kJK * fd * (tSet - T)) +
                       std::max(0.0, (step_cdot_kJK - through_cdot_kJK) * (tSet - tm));
        h.draw_fraction += fd * share;
        T = std::min(tn, tMax);
    }
    h.t_end_C = T;
    return h;
}

// The dump's 36 labelled set-up values, each label followed by its value.
struct DumpValues {
    INTEGER t, simStart, simEnd, tmzone, timeFlag, nOccs, nColls, auxType;
    double latitude, longitude, LPD, cDot, tSet, tMax, collArea, FrTA, FrUL, collSlope, collAz, RE, EF, vTank,
        vAux, RE_aux, EF_aux, P_W_aux;
};

void write_dump_lines(std::FILE* f, const DumpValues& v, const TankSystem& s, const FArray<REAL8, 8760>& dni,
                      const FArray<REAL8, 8760>& ghi, const FArray<REAL8, 8760>& tamb, const FArray<REAL8, 8760>& wind,
                      const FArray<REAL8, 24>& fHourly, const FArray<REAL8, 8760>* q[6]) {
    auto line = [f](const std::string& s) { std::fprintf(f, "%s\n", s.c_str()); };
    auto lv = [&](std::string_view label, double value) { line(FreeFormLine().text(label).value(value).str()); };
    auto li = [&](std::string_view label, INTEGER value) { line(FreeFormLine().text(label).value(value).str()); };
    line(" MAVO DataDump: from Subroutine SDHWMAIN");
    line(" drctNormal(i), totHoriz(i),  tAmb(i),  wndSpd(i), fHourly(i)");
    for (int i = 1; i <= 24; ++i) {
        line(ffmt::LineWriter().F(dni(i), 10, 4).X(4).F(ghi(i), 10, 4).X(4).F(tamb(i), 10, 4).X(4)
                 .F(wind(i), 10, 4).X(1).F(fHourly(i), 7, 3).X(1).str());
    }
    li("t = hour (printout through this hour) = ", v.t);
    li("simStart = ", v.simStart);
    li("simEnd = ", v.simEnd);
    lv("latitude = ", v.latitude);
    lv("longitude = ", v.longitude);
    li("tmzone = ", v.tmzone);
    li("timeFlag = ", v.timeFlag);
    lv("GPD (=LPD/3.7854) = ", v.LPD / 3.7854);
    lv("LPD = ", v.LPD);
    li("nOccs (reduce by Schedule??? NO) = ", v.nOccs);
    lv("cDot=LPH*nOccs/1000.d0*rho*cp[kJ/h]=", v.cDot);
    lv("  rho density of water=", kWaterDensity_kgm3);
    lv("  cp specific heat of water [kJ/h]=", kWaterSpecificHeat_kJkgK);
    lv("tSet DegC tank minimum (pain=116degF=46.7defC)", v.tSet);
    lv("tMax DegC tank maximum (scalding=154degF=67.8 degC)", v.tMax);
    lv("tEnv DegC", s.t_env_C);
    lv("tTankLoss of tank environment DegC = ", s.t_env_C);
    lv("DELTAt_Env DegC", s.delta_env_K);
    li("nColls SOLAR Collectors= ", v.nColls);
    lv("  collArea = ", v.collArea);
    lv("  FrTA = ", v.FrTA);
    lv("  FrUL = ", v.FrUL);
    lv("  collSlope = ", v.collSlope);
    lv("  collAz = ", v.collAz);
    lv("  RE = Recovery Efficiency Solar tank", v.RE);
    lv("  EF = Energy Factor Solar tank", v.EF);
    lv("  uaTank Solar tank", s.ua_tank_WK);
    lv("  vTank solar tank volume liters (=gal/3.7854)", v.vTank);
    li("auxType AUXILIARY (1=split,2=inLine elect,3=inLine gas)", v.auxType);
    lv("  vAux Auxiliary tank volume liters (1kg/L 1000L/m3)", v.vAux);
    lv("  uaAux =  auxiliary tank", s.ua_aux_WK);
    lv("  RE_aux = auxiliary tank recovery efficienc", v.RE_aux);
    lv("  EF_aux = auxiliary tank energy factor", v.EF_aux);
    lv("  Use_Test = auxiliary tank", kShownDrawUse);
    lv("  P_W=INPUT_aux in kWh auxiliary Power in WattHours", v.P_W_aux);
    lv("  etaAux ", s.eta_aux);
    const auto& w = SDHWMAIN_STATE;
    for (INTEGER t = kDumpFirstHour; t <= kDumpLastHour; ++t) {
        const INTEGER row = t - kDumpFirstHour + 1;
        if (row == 1 || row == 25 || row == 49)
            line(" Hour  qSolar  qTank  qLoad   qDump   qAux  qFlow   qFuel   tTank TotDraw fDrawZ");
        ffmt::LineWriter l;
        l.I(t, 4).X(1).F((*q[0])(t), 6, 0);
        for (double x : {(*q[1])(t), (*q[2])(t), (*q[3])(t), (*q[4])(t), w.QFLOW(t), (*q[5])(t)}) l.F(x, 8, 0);
        l.F(w.TTANK(t + 1), 7, 2).F(w.TOTDRAW(t), 7, 0).F(w.FDRAWZ(t), 5, 2);
        line(l.str());
    }
}

// The developer dump of a run that reaches the last hour of the year (a
// traced run's, in the project directory). Fills tTank; a dump not written
// is skipped.
void dump_at_year_end(const DumpValues& v, const TankSystem& s, const FArray<REAL8, 8760>& dni,
                      const FArray<REAL8, 8760>& ghi, const FArray<REAL8, 8760>& tamb, const FArray<REAL8, 8760>& wind,
                      const FArray<REAL8, 24>& fHourly, const FArray<REAL8, 8760>* q[6], FArray<REAL, 8760>& tTank) {
    DBG_PRINT("OPEN Debug datadump.txt 238 SolarTot");
    DBG_PRINT("  if it stops here, CLOSE datadump file");
    for (INTEGER i = 1; i <= 8760; ++i)
        tTank(i) = static_cast<REAL>(SDHWMAIN_STATE.TTANK(i + 1) * 9.0 / 5.0 + 32.0);
    std::FILE* f = open_developer_dump("c:\\temp\\datadump.txt");
    if (!f) return;
    write_dump_lines(f, v, s, dni, ghi, tamb, wind, fHourly, q);
    unit_close(kDumpUnit);
}

// Yearly totals of the run, for the trace.
void trace_totals(INTEGER first, INTEGER last, const FArray<REAL8, 8760>& qSolar, const FArray<REAL8, 8760>& qTank,
                  const FArray<REAL8, 8760>& qDump, const FArray<REAL8, 8760>& qAux,
                  const FArray<REAL8, 8760>& qFuel) {
    const auto& w = SDHWMAIN_STATE;
    double solar = 0, flow = 0, dump = 0, auxloss = 0, aux = 0, fuel = 0, loss = 0, draw = 0;
    for (INTEGER t = first; t <= last; ++t) {
        solar += qSolar(t);
        flow += w.QFLOW(t);
        dump += qDump(t);
        auxloss += w.QAUXLOSS(t);
        aux += qAux(t);
        fuel += qFuel(t);
        loss += qTank(t) + w.QAUXLOSS(t);
        draw += w.TOTDRAW(t);
    }
    // Solar fraction; none without a load to cover.
    const double sf = (draw + loss) != 0.0 ? 1.0 - aux / (draw + loss) : 0.0;
    DBG_DOUBLE("SolarTot in SDHWMAIN 438", solar);
    DBG_DOUBLE("flowTot in SDHWMAIN 438", flow);
    DBG_DOUBLE("dumpTot in SDHWMAIN 438", dump);
    DBG_DOUBLE("auxlossTot in SDHWMAIN 438", auxloss);
    DBG_DOUBLE("auxTot in SDHWMAIN 438", aux);
    DBG_DOUBLE("fuelTot in SDHWMAIN 438", fuel);
    DBG_DOUBLE("lossTot in SDHWMAIN 438", loss);
    DBG_DOUBLE("drawTot in SDHWMAIN 438", draw);
    DBG_DOUBLE("  SF (never used) in SDHWMAIN 438", sf);
    DBG_PRINT(".... end of SDHWMAIN......");
}

}  // namespace

void SDHWMAIN(REAL8 collArea, REAL8 FrTA, REAL8 FrUL, REAL8 collSlope, REAL8& collAz, INTEGER simStart,
              INTEGER simEnd, REAL8 latitude, REAL8 longitude, INTEGER tmzone, INTEGER timeFlag,
              const FArray<REAL8, 8760>& drctNormal, const FArray<REAL8, 8760>& totHoriz,
              const FArray<REAL8, 8760>& tAmb, const FArray<REAL8, 8760>& wndSpd, INTEGER nColls, REAL8 tTankLoss,
              const FArray<REAL8, 12>& tMains, REAL8 LPD, const FArray<REAL8, 24>& fHourly, INTEGER nOccs,
              REAL8 tSet, REAL8 tMax, INTEGER auxType, REAL8 EF, REAL8 RE, REAL8 P_W, REAL8 vTank, REAL8 EF_aux,
              REAL8 RE_aux, REAL8 P_W_aux, REAL8 vAux, INTEGER& errFlag, FString<1000>& errMessage,
              FArray<REAL8, 8760>& qSolar, FArray<REAL8, 8760>& qTank, FArray<REAL8, 8760>& qLoad,
              FArray<REAL8, 8760>& qDump, FArray<REAL8, 8760>& qAux, FArray<REAL8, 8760>& qFuel,
              FArray<REAL, 8760>& tTank) {
    DBG_IN("SDHWMAIN");
    auto& w = SDHWMAIN_STATE;
    errFlag = 0;
    // The hours run lie within the year; a span outside it runs nothing there.
    const INTEGER first = std::max<INTEGER>(simStart, 1);
    const INTEGER last = std::min<INTEGER>(simEnd, 8760);
    DBG_INT("SDHWMAIN simStart", simStart);
    DBG_INT("SDHWMAIN simEnd", simEnd);
    if (first <= 8760) w.TTANK(first) = w.tank_start_C;
    const TankSystem s = tank_system(auxType, EF, RE, P_W, vTank, EF_aux, RE_aux, P_W_aux, vAux, tSet, tTankLoss);
    DBG_DOUBLE("SDHWMAIN uaTank W/K", s.ua_tank_WK);
    DBG_DOUBLE("SDHWMAIN uaAux W/K", s.ua_aux_WK);
    DBG_DOUBLE("SDHWMAIN mTank kg", s.m_tank_kg);
    // Codes 1 to 7 are the arrangements there are; a solar tank must hold water.
    const bool known_type = auxType >= 1 && auxType <= 7;
    if (!known_type || (auxType <= 5 && !(s.m_tank_kg > 0.0))) {
        errMessage = known_type ? "solar tank volume must be positive" : "incorrect auxiliary heater type";
        errFlag = -1;
        DBG_PRINT(errMessage.trimmed());
        DBG_OUT("SDHWMAIN");
        return;
    }
    if (collAz > 180.0) collAz = collAz - 360.0;

    const FArray<REAL8, 8760>* q[6] = {&qSolar, &qTank, &qLoad, &qDump, &qAux, &qFuel};
    // Without collectors the sky does not matter: only the hour's place in
    // the calendar (mains temperature, draw profile) is needed.
    const bool collectors = auxType <= 5 && nColls > 0 && collArea > 0.0;
    int most_steps = 1;  // of the solar tank in one hour
    for (INTEGER t = first; t <= last; ++t) {
        REAL8 gt = 0, gbt = 0, gdt = 0, ggt = 0, theta = 0, zenith = 0, sabs_kjm2 = 0;
        if (collectors) {
            GETWEATH(drctNormal(t), totHoriz(t), latitude, longitude, tmzone, timeFlag, collSlope, collAz, t,
                     MAVODATA.RHOG(t), gt, gbt, gdt, ggt, theta, zenith, sabs_kjm2);
        } else {
            solarmodel::enter_calendar_hour(t);
        }
        const double tm = tMains(MAVODATA.MONTH);
        const double cdot = LPD * fHourly(MAVODATA.HRDAY) / 24.0 * nOccs / 1000.0 * kWaterDensity_kgm3 *
                            kWaterSpecificHeat_kJkgK;  // kJ/K of the hour's draw
        w.TOTDRAW(t) = (tSet - tm) * cdot;
        if (auxType <= 5) {
            const SolarTankHour h = solar_tank_hour(s, w.TTANK(t), tm, tAmb(t), cdot, sabs_kjm2, tSet, tMax,
                                                    nColls * collArea, FrTA, FrUL);
            most_steps = std::max(most_steps, h.steps);
            qSolar(t) = h.q_solar_kJ;
            qTank(t) = h.q_tank_kJ;
            qLoad(t) = h.q_load_kJ;
            qDump(t) = h.q_dump_kJ;
            w.TTANK(t + 1) = h.t_end_C;
            w.QFLOW(t) = h.q_flow_kJ;
            w.FDRAWZ(t) = h.draw_fraction;
        } else {
            if (t == first) w.TTANK(first) = tm;
            const double T = w.TTANK(t);
            qSolar(t) = qTank(t) = qLoad(t) = qDump(t) = 0.0;
            w.TTANK(t + 1) = std::min(tm, tMax);
            w.QFLOW(t) = std::max(0.0, cdot * (tSet - T));
            w.FDRAWZ(t) = 1.0;
        }
        w.QAUXLOSS(t) = (tSet - s.t_env_C) * s.ua_aux_WK * kSecondsPerHourOver1000;
        qAux(t) = w.QAUXLOSS(t) + w.QFLOW(t);
        if (s.fuel_fired) {
            qFuel(t) = w.QAUXLOSS(t) + w.QFLOW(t) / s.recovery;
        } else {
            qFuel(t) = qAux(t) / s.eta_aux;
            if (EF_aux > 1.0) qFuel(t) = qFuel(t) / EF_aux;  // a heat pump: the energy factor is a COP
        }
        if (t == 8760) {
            const DumpValues v{t,        simStart, simEnd,   tmzone,    timeFlag, nOccs, nColls, auxType,
                               latitude, longitude, LPD,     cdot,      tSet,     tMax,  collArea, FrTA,
                               FrUL,     collSlope, collAz,  RE,        EF,       vTank, vAux,   RE_aux,
                               EF_aux,   P_W_aux};
            dump_at_year_end(v, s, drctNormal, totHoriz, tAmb, wndSpd, fHourly, q, tTank);
        }
    }
    if (most_steps > 1) DBG_INT("SDHWMAIN solar tank steps in its busiest hour", most_steps);
    trace_totals(first, last, qSolar, qTank, qDump, qAux, qFuel);
    DBG_OUT("SDHWMAIN");
}

}  // namespace mavo
