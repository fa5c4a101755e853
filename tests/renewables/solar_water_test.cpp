#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "blocks/blocks.h"
#include "front/units.h"
#include "renewables/solarwater/solar_water.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::ScratchDir;

constexpr double k36s = static_cast<double>(3.6f);  // W to kJ per hour as the model takes it
constexpr double kRhoCp = 994.0 * 4.182;             // kJ/m3.K

// The inputs of one hot-water run, defaults of a 50-gallon solar tank with
// two collectors in Los Angeles and a flat draw of 189 liters a day.
struct HotWaterRun {
    REAL8 collArea = 1.93, FrTA = 0.707, FrUL = 4.91, collSlope = 34, collAz = 0;
    INTEGER simStart = 1, simEnd = 8760;
    REAL8 latitude = 34, longitude = 118;
    INTEGER tmzone = -8, timeFlag = 1;
    FArray<REAL8, 8760> dni{}, ghi{}, tamb{}, wind{};
    INTEGER nColls = 2;
    REAL8 tEnv = 19.7;
    FArray<REAL8, 12> tMains{};
    REAL8 LPD = 189.27 / 3;
    FArray<REAL8, 24> fHourly{};
    INTEGER nOccs = 3;
    REAL8 tSet = 57.2, tMax = 95.0;
    INTEGER auxType = 5;
    REAL8 EF = 0.945, RE = 0.98, P_W = 0, vTank = 189.27, EF_aux = 0.67, RE_aux = 0.76, P_W_aux = 136480,
          vAux = 189.27;
    INTEGER errFlag = 9;
    FString<1000> errMessage{};
    FArray<REAL8, 8760> qSolar{}, qTank{}, qLoad{}, qDump{}, qAux{}, qFuel{};
    FArray<REAL, 8760> tTank{};

    HotWaterRun() {
        tMains.fill(15.0);
        fHourly.fill(1.0);
        tamb.fill(20.0);
    }
    void run() {
        SDHWMAIN(collArea, FrTA, FrUL, collSlope, collAz, simStart, simEnd, latitude, longitude, tmzone, timeFlag, dni,
                 ghi, tamb, wind, nColls, tEnv, tMains, LPD, fHourly, nOccs, tSet, tMax, auxType, EF, RE, P_W, vTank,
                 EF_aux, RE_aux, P_W_aux, vAux, errFlag, errMessage, qSolar, qTank, qLoad, qDump, qAux, qFuel, tTank);
    }
    // Heat capacity of one hour's draw, kJ/K.
    double cdot() const { return LPD * 1.0 / 24 * nOccs / 1000 * kRhoCp; }
};

// A traced run: its developer dump goes beside the trace.
class HotWaterModel : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(dir.str(), dir.str(), dir.str());
        NFLAG(90) = true;
    }
    ScratchDir dir;
};

TEST_F(HotWaterModel, FirstNightHourByHand) {
    HotWaterRun r;
    r.simEnd = 2;
    r.tamb(1) = 35.0;  // outdoor air warmer than the 30 C tank: the collector gains at night
    r.run();
    ASSERT_EQ(r.errFlag, 0);
    const double cdot = r.cdot();
    const double qu_W = 2 * 1.93 * (35.0 - 30.0) * 4.91;
    EXPECT_NEAR(r.qSolar(1), qu_W * k36s, 1e-9);
    EXPECT_NEAR(r.qTank(1), (30.0 - 19.7) * 3.5 * k36s, 1e-9);
    EXPECT_NEAR(r.qLoad(1), (30.0 - 15.0) * cdot, 1e-9);
    const double m_kg = 0.18927 * 994.0;
    const double tn = 30.0 + (qu_W * k36s - r.qTank(1) - r.qLoad(1)) / (m_kg * 4.182);
    EXPECT_NEAR(SDHWMAIN_STATE.TTANK(2), tn, 1e-12);
    EXPECT_EQ(r.qDump(1), 0.0);
    // The auxiliary lifts the drawn water from the tank to the set point and
    // covers its own loss (a second tank: 3.5 W/K).
    EXPECT_NEAR(SDHWMAIN_STATE.QFLOW(1), cdot * (57.2 - 30.0), 1e-9);
    const double loss = (57.2 - 19.7) * 3.5 * k36s;
    EXPECT_NEAR(r.qAux(1), loss + cdot * (57.2 - 30.0), 1e-9);
    // A gas burner of 76 % recovery efficiency: the heat it delivers to the
    // water costs that heat / 0.76 in gas; its standby loss is the heat lost.
    EXPECT_NEAR(r.qFuel(1), loss + cdot * (57.2 - 30.0) / 0.76, 1e-9);
    EXPECT_NEAR(SDHWMAIN_STATE.TOTDRAW(1), (57.2 - 15.0) * cdot, 1e-9);
    EXPECT_EQ(SDHWMAIN_STATE.FDRAWZ(1), 1.0);
    // No hour reached 8760: no dump, no tank temperatures.
    EXPECT_FALSE(std::filesystem::exists(dir / "datadump.txt"));
    EXPECT_EQ(r.tTank(1), 0.0f);
}

TEST_F(HotWaterModel, TemperingAboveTheSetPointAndDumpingAboveTheMaximum) {
    HotWaterRun r;
    r.simEnd = 3;
    r.tSet = 25.0;  // below the 30 C start
    r.tMax = 31.0;
    r.nColls = 20;
    r.tamb.fill(60.0);  // a hot night drives the tank past its maximum
    r.run();
    const double fd = (25.0 - 15.0) / (30.0 - 15.0);
    EXPECT_NEAR(SDHWMAIN_STATE.FDRAWZ(1), fd, 1e-15);
    EXPECT_NEAR(r.qLoad(1), (30.0 - 15.0) * r.cdot() * fd, 1e-9);
    EXPECT_EQ(SDHWMAIN_STATE.QFLOW(1), 0.0);
    ASSERT_GT(r.qDump(1), 0.0);
    EXPECT_EQ(SDHWMAIN_STATE.TTANK(2), 31.0);
    const double tn = 30.0 + (r.qSolar(1) - r.qTank(1) - r.qLoad(1)) / (0.18927 * 994.0 * 4.182);
    EXPECT_NEAR(r.qDump(1), 0.18927 * 994.0 * 4.182 * (tn - 31.0), 1e-9);
    // The next hour starts at the maximum.
    EXPECT_NEAR(r.qTank(2), (31.0 - 19.7) * 3.5 * k36s, 1e-9);
}

TEST_F(HotWaterModel, NoCollectorsOnlyLoseAndServe) {
    for (int variant = 0; variant < 2; ++variant) {
        HotWaterRun r;
        r.simEnd = 48;
        if (variant == 0) r.collArea = 0; else r.nColls = 0;
        r.dni.fill(3000.0);
        r.ghi.fill(3000.0);
        r.run();
        for (INTEGER t = 1; t <= 48; ++t) EXPECT_EQ(r.qSolar(t), 0.0);
        EXPECT_LT(SDHWMAIN_STATE.TTANK(49), 30.0);
        EXPECT_GT(r.qAux(48), r.qAux(1));  // the tank cools, the auxiliary takes over
    }
}

// A building drawing 650,000 liters a day through a 50-gallon solar tank
// (the tank holds 25 seconds of the draw) and through a one-liter tank
// (less than a second): without sun the tank sinks from 30 C towards the
// 15 C mains and settles where the water through it balances the 20 C air
// on the collectors and the 19.7 C around the tank; it never swings past
// the temperatures that drive it. The one-liter tank passes one tank-full
// every ten seconds, the rest of the draw going by it from the mains. Every
// hour's draw reaches the set point, from the tank's heat and the
// auxiliary's, and the tank's heat balances.
TEST_F(HotWaterModel, ATankHoldingLittleOfTheDrawServesWhatItHolds) {
    for (const double v_tank_l : {189.27, 1.0}) {
        HotWaterRun r;
        r.simEnd = 48;
        r.nOccs = 1000;
        r.LPD = 650.0;
        r.vTank = v_tank_l;
        r.run();
        ASSERT_EQ(r.errFlag, 0);
        const double capacity_kJK = v_tank_l / 1000 * kRhoCp;
        const auto& w = SDHWMAIN_STATE;
        for (INTEGER t = 1; t <= 48; ++t) {
            EXPECT_GE(w.TTANK(t + 1), 15.0) << v_tank_l << " l, hour " << t;
            EXPECT_LE(w.TTANK(t + 1), 30.0) << v_tank_l << " l, hour " << t;
            EXPECT_NEAR(r.qLoad(t) + w.QFLOW(t), w.TOTDRAW(t), 1e-9 * w.TOTDRAW(t)) << v_tank_l << " l, hour " << t;
            EXPECT_NEAR(capacity_kJK * (w.TTANK(t + 1) - w.TTANK(t)), r.qSolar(t) - r.qTank(t) - r.qLoad(t) - r.qDump(t),
                        1e-6 * w.TOTDRAW(t))
                << v_tank_l << " l, hour " << t;
        }
        const double through_kJK = std::min(r.cdot(), 360 * capacity_kJK);  // in the hour
        const double collectors_kJK = 2 * 1.93 * 4.91 * k36s, tank_kJK = 3.5 * k36s;
        const double settled_C = (through_kJK * 15.0 + collectors_kJK * 20.0 + tank_kJK * 19.7) /
                                 (through_kJK + collectors_kJK + tank_kJK);
        EXPECT_NEAR(w.TTANK(49), settled_C, 1e-4) << v_tank_l << " l";
    }
}

TEST_F(HotWaterModel, SplitTankAndTanklessArrangements) {
    HotWaterRun split;
    split.auxType = 1;
    split.simEnd = 1;
    split.run();
    // Two thirds of 188.1 kg of water; a third of the loss charged to the
    // auxiliary element.
    EXPECT_NEAR(split.qTank(1), (30.0 - 19.7) * (2 * 3.5 / 3) * k36s, 1e-9);
    EXPECT_NEAR(SDHWMAIN_STATE.QAUXLOSS(1), (57.2 - 19.7) * (3.5 / 3) * k36s, 1e-9);
    const double m_kg = 2 * (189.27 / 1000 * 994.0) / 3;
    EXPECT_NEAR(m_kg, 125.4, 0.05);
    EXPECT_NEAR(SDHWMAIN_STATE.TTANK(2), 30.0 - (split.qTank(1) + split.qLoad(1)) / (m_kg * 4.182), 1e-12);

    // A storage heater without collectors: the tank follows the mains; the
    // heater covers its 3.5 W/K loss and lifts the draw from the previous
    // hour's mains temperature.
    HotWaterRun plain;
    plain.auxType = 7;
    plain.simEnd = 745;
    plain.tMains(1) = 10.0;
    plain.tMains(2) = 12.0;
    plain.run();
    const double loss = (57.2 - 19.7) * 3.5 * k36s;
    EXPECT_NEAR(plain.qAux(1), loss + plain.cdot() * (57.2 - 10.0), 1e-9);
    EXPECT_NEAR(plain.qAux(745), loss + plain.cdot() * (57.2 - 10.0), 1e-9);  // February's first hour
    EXPECT_NEAR(SDHWMAIN_STATE.TTANK(746), 12.0, 1e-12);
    EXPECT_EQ(plain.qSolar(5), 0.0);
    // A heat pump divides by its coefficient of performance.
    plain.auxType = 6;
    plain.EF_aux = 2.0;
    plain.simEnd = 1;
    plain.run();
    EXPECT_NEAR(plain.qFuel(1), plain.qAux(1) / 2.0, 1e-9);
}

TEST_F(HotWaterModel, RefusedInputsAndEmptySpans) {
    HotWaterRun r;
    r.qAux.fill(7.0);
    r.auxType = 0;
    r.run();
    EXPECT_EQ(r.errFlag, -1);
    EXPECT_EQ(r.errMessage, "incorrect auxiliary heater type");
    EXPECT_EQ(r.qAux(1), 7.0);  // no output touched
    r.auxType = 8;  // no such arrangement: refused rather than run half-defined
    r.run();
    EXPECT_EQ(r.errFlag, -1);
    r.auxType = 5;
    r.vTank = 0.0;  // a solar tank without water
    r.run();
    EXPECT_EQ(r.errFlag, -1);
    EXPECT_EQ(r.qAux(1), 7.0);

    HotWaterRun empty;
    empty.simStart = 10;
    empty.simEnd = 9;
    empty.run();
    EXPECT_EQ(empty.errFlag, 0);
    EXPECT_EQ(empty.qAux(10), 0.0);
    EXPECT_FALSE(std::filesystem::exists(dir / "datadump.txt"));
}

TEST_F(HotWaterModel, RatedTankLossCoefficient) {
    // 0.90 energy factor, 0.98 recovery, 4500 W: by hand 1.37 W/K (2.59 Btu/h.F).
    const auto ua = solarwater::rated_tank_loss_coefficient(0.90, 0.98, 4500.0);
    ASSERT_TRUE(ua.valid);
    const double btuhf = (1 / 0.90 - 1 / 0.98) / (67.5 * (24.0 / 41094 - 1 / (0.98 * 4500 * 3.412)));
    EXPECT_NEAR(ua.ua_WK, btuhf * 0.52753, 1e-12);
    EXPECT_NEAR(ua.ua_WK, 1.37, 0.01);
    EXPECT_FALSE(solarwater::rated_tank_loss_coefficient(0.98, 0.90, 4500.0).valid);
    EXPECT_FALSE(solarwater::rated_tank_loss_coefficient(0.9, 0.98, 0.0).valid);
}

TEST_F(HotWaterModel, YearEndDumpOfATracedRunOnly) {
    NFLAG(90) = false;
    HotWaterRun untraced;
    untraced.run();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    NFLAG(90) = true;
    HotWaterRun r;
    r.run();
    ASSERT_EQ(r.errFlag, 0);
    EXPECT_NEAR(r.tTank(1), SDHWMAIN_STATE.TTANK(2) * 9 / 5 + 32, 1e-4);
    EXPECT_NEAR(r.tTank(8760), SDHWMAIN_STATE.TTANK(8761) * 9 / 5 + 32, 1e-4);
    const auto lines = testing::read_lines(dir / "datadump.txt");
    ASSERT_EQ(lines.size(), 2u + 24 + 36 + 51 + 3);
    EXPECT_EQ(lines[0], " MAVO DataDump: from Subroutine SDHWMAIN");
    EXPECT_EQ(lines[2], "    0.0000        0.0000       20.0000        0.0000   1.000 ");
    EXPECT_EQ(lines[26], " t = hour (printout through this hour) = 8760");
    EXPECT_EQ(lines[62], " Hour  qSolar  qTank  qLoad   qDump   qAux  qFlow   qFuel   tTank TotDraw fDrawZ");
    EXPECT_EQ(lines[63].substr(0, 4), "3601");
    EXPECT_EQ(lines[63].size(), 4u + 1 + 6 + 6 * 8 + 7 + 7 + 5);
    EXPECT_EQ(lines[87], lines[62]);
    EXPECT_EQ(lines.back().substr(0, 4), "3651");

    // A symbolic link planted in the dump's place is not followed: the dump
    // takes its place, and the file it pointed at stays as it was.
    std::filesystem::remove(dir / "datadump.txt");
    testing::write_file(dir / "other.txt", "another file of the user");
    std::filesystem::create_symlink(dir / "other.txt", dir / "datadump.txt");
    begin_file_account();
    HotWaterRun again;
    again.run();
    EXPECT_EQ(again.errFlag, 0);
    EXPECT_EQ(again.qAux(8760), r.qAux(8760));
    EXPECT_EQ(testing::read_file(dir / "other.txt"), "another file of the user");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "datadump.txt"));
    EXPECT_EQ(testing::read_lines(dir / "datadump.txt").size(), lines.size());
    EXPECT_EQ(file_failures_of_run(), 0);
}

// Clear-sky radiation in W/m2 of a day at 34 N, every day alike, enough to
// heat a tank.
void sunny_year() {
    for (INTEGER t = 1; t <= 8760; ++t) {
        const int h = (t - 1) % 24 + 1;
        const double cz = std::max(0.0, std::cos((h - 12.5) * 15 * M_PI / 180) * 0.85);
        DRCTNORMAL(t) = cz > 0.05 ? 850.0 : 0.0;
        TOTHORIZ(t) = cz > 0.05 ? 900.0 * cz : 0.0;
        TAMB(t) = 18.0;
        WNDSPD(t) = 2.0;
    }
}

class SolarWaterDriver : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(dir.str(), dir.str(), dir.str());
        sunny_year();
        SLAT = 34.0f;
        SLON = -118.0f;
        TMZONEI = -8;
        ZONE = 9;
        NFLAG(38) = true;
        NFLAG(54) = true;
        NFLAG(24) = false;
        IDNUM1 = 4;
        WHTYPE = 1;
        PEOPLE = 3.0f;
    }
    ScratchDir dir;
};

TEST_F(SolarWaterDriver, ResidentialRuleSizing) {
    STRATEGY(41, 4) = 1.0f;
    STRATEGY(50, 4) = -250.0f;
    SEF(2) = 0.67f;
    NFLAG(54) = false;  // sizing only
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 2.0f);  // q = 2.9986, the integer part
    EXPECT_EQ(STRATEGY(50, 4), 0.0f);  // solar water replaces the solar zone
    SEF(2) = 0.6f;
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 3.0f);  // q = 3.348
    SGPD(2) = 20.0f;
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 1.0f);
    // Rule sizing reloads the description from the defaults.
    EXPECT_EQ(SAREAC(2), 1.93f);
    EXPECT_EQ(STILT(2), 34.0f);
    EXPECT_EQ(SHEIGHT(2), 1.93f);
    EXPECT_EQ(SCONTROL(2), 5);  // a gas storage heater with a solar tank
    EXPECT_EQ(SNTANK(2), 2);
}

TEST_F(SolarWaterDriver, UserCountsAndRepairs) {
    NFLAG(54) = false;
    STRATEGY(41, 4) = -3.0f;
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 3.0f);
    STRATEGY(41, 4) = -2.2f;
    SFRUL(2) = 4.91f;  // stored positive: fails the check
    SNTANK(2) = 0;     // no tank passes
    SWIDTH(2) = 0.0f;
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 2.2f);
    EXPECT_EQ(SFRUL(2), -4.91f);
    EXPECT_EQ(SWIDTH(2), 1.0f);
    // A collector area of zero for the rule sizing takes the default area.
    STRATEGY(41, 4) = 1.0f;
    SAREAC(2) = 0.0f;
    SEF(2) = 0.67f;
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 2.0f);
}

TEST_F(SolarWaterDriver, NonresidentialSizingAndTanks) {
    NFLAG(24) = true;
    NFLAG(54) = false;
    NTYPE = 1;
    for (INTEGER h = 1; h <= 24; ++h) SCHEDULES(h, 5, 1) = 1;  // a tiny draw: 1 % of the peak
    STRATEGY(41, 4) = 1.0f;
    SGPD(2) = 99.99f;
    SDHWCALC();
    EXPECT_EQ(SQTY(2), 0.0f);        // rounds to no collectors
    EXPECT_EQ(SCONTROL(2), 7);       // then a plain gas storage heater
    EXPECT_EQ(SSVTANK(2), 100.0f);   // the next 50 gallons above 99.99 a day
    SGPD(2) = 100.0f;
    SDHWCALC();
    EXPECT_EQ(SSVTANK(2), 150.0f);
}

TEST_F(SolarWaterDriver, BaseSchemesRunAPlainGasHeater) {
    IDNUM1 = 1;
    WHTYPE = 2;
    STRATEGY(41, 1) = -4.0f;
    SDHWCALC();
    EXPECT_EQ(WHTYPE, 1);
    EXPECT_EQ(SCONTROL(2), 7);
    EXPECT_EQ(SAFUELTYPE(2), 1);
    EXPECT_TRUE(NFLAG(54));
    EXPECT_EQ(SUMARY(64, 1), 0.0f);  // the collectors asked for are left out
    EXPECT_GT(WHENER(7, 1), 0.0f);
}

TEST_F(SolarWaterDriver, ElectricTankToggleAndHeatPump) {
    NFLAG(54) = false;
    WHTYPE = 2;
    STRATEGY(41, 4) = -2.0f;
    SNTANK(2) = 1;
    SDHWCALC();
    EXPECT_EQ(SCONTROL(2), 4);
    EXPECT_EQ(SNTANK(2), 2);
    EXPECT_TRUE(NFLAG(42));  // set by sizing; a simulated run clears it
    NFLAG(54) = true;
    SNTANK(2) = 1;
    NFLAG(42) = false;
    SDHWCALC();
    EXPECT_FALSE(NFLAG(42));
    EXPECT_EQ(SCONTROL(2), 4);

    WHTYPE = 7;
    SEF(2) = 0.9f;
    SDHWCALC();
    EXPECT_EQ(SEF(2), 2.0f);
    EXPECT_EQ(SCONTROL(2), 1);
}

// Therms the water heater burns over the year, from its average days.
double heater_therms() {
    double btu = 0;
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) btu += WHENER(h, m) * MODAYS(m);
    return btu / 100000.0;
}

TEST_F(SolarWaterDriver, AYearWithCollectorsAndAGasHeater) {
    STRATEGY(41, 4) = 0.0f;
    SDHWCALC();
    ASSERT_TRUE(NFLAG(54));
    EXPECT_EQ(SCONTROL(2), 7);
    EXPECT_EQ(SUMARY(64, 4), 0.0f);
    const double therms_without = heater_therms();

    STRATEGY(41, 4) = -2.0f;
    const std::vector<double> dni(DRCTNORMAL.begin(), DRCTNORMAL.end()), ghi(TOTHORIZ.begin(), TOTHORIZ.end());
    SDHWCALC();
    ASSERT_TRUE(NFLAG(54));
    EXPECT_EQ(SCONTROL(2), 5);
    EXPECT_TRUE(std::equal(dni.begin(), dni.end(), DRCTNORMAL.begin()) &&
                std::equal(ghi.begin(), ghi.end(), TOTHORIZ.begin()))
        << "the weather year was changed";
    // The fuel displaced is what the same heater burns without the
    // collectors less what it burns with them.
    const double therms_with = heater_therms();
    EXPECT_NEAR(SUMARY(64, 4), therms_without - therms_with, 1e-3 * therms_without);
    EXPECT_GT(SUMARY(64, 4), 20.0f);  // two collectors in the sun
    EXPECT_EQ(SUMARY(74, 4), 0.0f);
    EXPECT_EQ(SUMARY(65, 4), 0.0f);
    // The month's average day, Btu: January noon.
    double jan_noon = 0;
    for (INTEGER d = 0; d < 31; ++d) jan_noon += static_cast<float>(SDHWCALC_STATE.QSOLAR(24 * d + 13)) * 0.94782f / 31;
    EXPECT_NEAR(SHW(13, 1), jan_noon, 1e-3 * jan_noon);
    EXPECT_EQ(IWHEN, 123124);
    EXPECT_EQ(IWHEN1, 99953101);
    // Residential draw: the profile spread over the day's full use.
    double fsum = 0;
    for (INTEGER h = 1; h <= 24; ++h) fsum += SDHWCALC_STATE.FSCHED(h);
    EXPECT_NEAR(fsum, 24.0, 1e-5);
}

TEST_F(SolarWaterDriver, TwelveDayRunAndNoWaterHeater) {
    // The representative days are 1 to 12 July, wherever the run stood.
    NFLAG(38) = false;
    SKPDAY = 5;
    for (INTEGER n = 1; n <= 12; ++n) {
        TMON(n) = 7;
        TDAY(n) = n;
    }
    STRATEGY(41, 4) = -2.0f;
    WHTYPE = 2;
    SNTANK(2) = 2;
    SDHWCALC();
    ASSERT_TRUE(NFLAG(54));
    EXPECT_EQ(SCONTROL(2), 4);  // electric group: kWh
    EXPECT_GT(SUMARY(74, 4), 0.0f);
    EXPECT_EQ(SUMARY(64, 4), 0.0f);
    const INTEGER before_july = 181 * 24;
    for (INTEGER d = 1; d <= 12; ++d)
        EXPECT_EQ(SHW(13, d), static_cast<float>(SDHWCALC_STATE.QSOLAR(before_july + 24 * (d - 1) + 13)) * 0.94782f);
    EXPECT_EQ(SDHWCALC_STATE.QSOLAR(5 * 24 + 13), 0.0);  // no day of the file's place is run
    EXPECT_EQ(STIMESTART, 1);  // the record keeps the whole year as its period
    EXPECT_EQ(STIMEEND, 8760);

    // No water heater: rows cleared, nothing simulated, the flag untouched.
    WHTYPE = 0;
    STRATEGY(41, 4) = 0.0f;
    SHW(13, 1) = 42.0f;
    SUMARY(74, 4) = 5.0f;
    SDHWCALC();
    EXPECT_EQ(SUMARY(74, 4), 0.0f);
    EXPECT_EQ(SHW(13, 1), 42.0f);
    EXPECT_TRUE(NFLAG(54));
}

TEST_F(SolarWaterDriver, AFailedPhotovoltaicRunLeavesTheResults) {
    STRATEGY(41, 4) = -2.0f;
    NFLAG(54) = false;
    SHW(13, 6) = 11.0f;
    const double dni = DRCTNORMAL(4117);
    SDHWCALC();
    EXPECT_FALSE(NFLAG(54));
    EXPECT_EQ(SHW(13, 6), 11.0f);
    EXPECT_EQ(DRCTNORMAL(4117), dni);
    EXPECT_EQ(SSTHERMEFF(2), 98.0f);  // the preparation still ran
}

}  // namespace
}  // namespace mavo
