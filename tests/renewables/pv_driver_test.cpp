#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>

#include "blocks/blocks.h"
#include "renewables/pv/pv.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::ScratchDir;

// A clear-sky weather year at 34 N built from the sun's height alone
// (Cooper's declination, clock time): no weather code is involved.
void clear_sky_year() {
    int t = 0;
    for (int day = 1; day <= 365; ++day) {
        const double dec = 23.45 * std::sin(2 * M_PI * (284 + day) / 365.0) * M_PI / 180;
        for (int h = 1; h <= 24; ++h) {
            ++t;
            const double w = (h - 0.5 - 12) * 15 * M_PI / 180;
            const double lat = 34 * M_PI / 180;
            const double cz = std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(w);
            DRCTNORMAL(t) = cz > 0 ? 900 * std::pow(cz, 0.3) : 0.0;
            TOTHORIZ(t) = cz > 0 ? DRCTNORMAL(t) * cz + 80 * cz : 0.0;
            TAMB(t) = 15 + 8 * std::sin(2 * M_PI * (day - 100) / 365.0);
            WNDSPD(t) = 2.0;
        }
    }
}

class PvDriver : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sky_year();
        SLAT = 34.0f;
        SLON = -118.0f;
        TMZONEI = -8;
        NFLAG(38) = true;
        NFLAG(54) = true;
        IDNUM1 = 4;
        testing::use_directories(dir.str(), dir.str(), dir.str());
    }
    ScratchDir dir;
};

TEST_F(PvDriver, BaseSchemesNeverGetAnArrayButMayNeedASolarZone) {
    for (INTEGER k : {1, 2}) {
        IDNUM1 = k;
        NFLAG(24) = false;
        NFLAG(58) = true;
        NTYPE = 16;
        CECZONE = 3;
        FLOORS = 2.0f;
        AREAT = 2400.0f;
        STRATEGY(11, k) = 2020.0f;
        SQTY(1) = 12.0f;
        SAREAC(1) = 2.5f;
        PVCALC();
        EXPECT_EQ(STRATEGY(50, k), -250.0f) << k;
        EXPECT_TRUE(NFLAG(54));
        EXPECT_EQ(SQTY(1), 0.0f);
        EXPECT_EQ(SAREAC(1), 1.67f);
        EXPECT_EQ(STILT(1), 34.0f);
        EXPECT_EQ(SUMARY(70, k), 0.0f);
        CECZONE = 12;
        PVCALC();
        EXPECT_EQ(STRATEGY(50, k), -150.0f);
        // Not California: no solar zone.
        NFLAG(58) = false;
        PVCALC();
        EXPECT_EQ(STRATEGY(50, k), 0.0f);
        EXPECT_FALSE(std::signbit(STRATEGY(50, k)));
    }
    // Scheme 2 built before 2013 needs none; scheme 1 always counts as 2013.
    NFLAG(58) = true;
    STRATEGY(11, 2) = 1990.0f;
    IDNUM1 = 2;
    PVCALC();
    EXPECT_EQ(STRATEGY(50, 2), 0.0f);
    STRATEGY(11, 1) = 1990.0f;
    IDNUM1 = 1;
    PVCALC();
    EXPECT_EQ(STRATEGY(50, 1), -150.0f);
}

TEST_F(PvDriver, SolarZoneOfTallHomesAndOfSchemesWithoutAnArray) {
    NFLAG(24) = false;
    NFLAG(58) = true;
    NTYPE = 17;
    FLOORS = 4.0f;
    AREAT = 1800.0f;
    SQTY(1) = 0.0f;
    for (INTEGER zone : {12, 3}) {
        CECZONE = zone;
        STRATEGY(50, 4) = -250.0f;  // left by an earlier run: the rule applies again
        PVCALC();
        EXPECT_EQ(STRATEGY(50, 4), -150.0f) << zone;
        EXPECT_TRUE(NFLAG(54));
    }
    // A basic size left in STRATEGY(50) with no modules is cleared, and then
    // no solar zone is asked for a scheme above 2.
    STRATEGY(50, 4) = -3.0f;
    PVCALC();
    EXPECT_EQ(STRATEGY(50, 4), 0.0f);
    // Solar water heating replaces the solar zone.
    STRATEGY(50, 4) = -250.0f;
    STRATEGY(41, 4) = 1.0f;
    PVCALC();
    EXPECT_EQ(STRATEGY(50, 4), 0.0f);
}

TEST_F(PvDriver, BasicSizeRunsTheExampleArrayOverTheYear) {
    SQTY(1) = -3.0f;
    SSTRINGS(1) = 1.0f;
    PVSYSPEAK = 55.0f;
    const auto start = std::chrono::steady_clock::now();
    PVCALC();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("pvcalc_seconds", std::to_string(seconds));
    EXPECT_EQ(STRATEGY(50, 4), -3.0f);
    EXPECT_EQ(SQTY(1), 15.0f);
    EXPECT_EQ(MAVODATA.PVPARS(10), 15.0);  // one string of 15
    EXPECT_EQ(MAVODATA.PVPARS(11), 1.0);
    EXPECT_EQ(SSTRINGS(1), 1.0f);
    EXPECT_EQ(STIMESTART, 1);
    EXPECT_EQ(STIMEEND, 8760);
    ASSERT_TRUE(NFLAG(54));
    // The outside calculator's tables are looked for in the utility
    // directory only, never where the host's current directory happens to be.
    EXPECT_EQ(PVCALC_STATE.INVERTERFILE.trimmed(), (dir / "InverterDataFile.lkt").string());
    // The example module's output is scaled from its 1.616 m2 to the
    // entered 1.67 m2; the height follows from the area.
    for (INTEGER kk : {4117, 4118, 100})
        EXPECT_EQ(PVOUT(kk), static_cast<REAL>(PVCALC_STATE.PVOUTDBL(kk)) * 1.67f / 1.616f) << kk;
    EXPECT_EQ(SHEIGHT(1), 1.67f / 1.0f);
    // Annual energy is the sum of the hours; PV holds the month's mean day.
    double year_kwh = 0, june_noon_kwh = 0;
    float peak_w = 0;
    for (INTEGER kk = 1; kk <= 8760; ++kk) {
        year_kwh += PVOUT(kk) / 1000.0;
        peak_w = std::max(peak_w, PVOUT(kk));
    }
    for (INTEGER d = 0; d < 30; ++d) june_noon_kwh += PVOUT(3624 + 24 * d + 13) / 1000.0 / 30;
    EXPECT_NEAR(SUMARY(70, 4), year_kwh, 1e-3 * year_kwh);
    EXPECT_NEAR(PV(13, 6), june_noon_kwh, 1e-5);
    // About 3.2 kW of modules in a clear year: 1500-2400 kWh per kW.
    EXPECT_GT(SUMARY(70, 4), 3.0 * 1500);
    EXPECT_LT(SUMARY(70, 4), 3.5 * 2400);
    EXPECT_EQ(PVSYSPEAK, peak_w / 1000.0f);
    float mean_peak = 0;
    for (INTEGER m = 1; m <= 12; ++m) {
        float p = -9999.0f;
        for (INTEGER h = 1; h <= 24; ++h) p = std::max(p, PV(h, m));
        mean_peak += p / 12.0f;
        if (m == 12) {
            EXPECT_EQ(PEAK, p);
        }
    }
    EXPECT_EQ(PVAVGPEAK, mean_peak);
    // Night hours draw nothing with the example inverter.
    EXPECT_EQ(PV(1, 1), 0.0f);
}

TEST_F(PvDriver, StringsFromTheModuleCount) {
    SQTY(1) = 20.0f;
    SSTRINGS(1) = 3.0f;
    STRATEGY(50, 4) = 20.0f;
    PVCALC();
    EXPECT_EQ(MAVODATA.PVPARS(10), 6.0);
    EXPECT_EQ(MAVODATA.PVPARS(11), 3.0);
    EXPECT_EQ(SSTRINGS(1), 3.0f);
    EXPECT_EQ(STRATEGY(50, 4), 20.0f);
    SQTY(1) = 2.0f;
    SSTRINGS(1) = 4.0f;
    PVCALC();
    EXPECT_EQ(MAVODATA.PVPARS(10), 1.0);
    EXPECT_EQ(MAVODATA.PVPARS(11), 2.0);
    EXPECT_EQ(SSTRINGS(1), 2.0f);
    // A basic size kept from the basic screen sizes an advanced-screen run.
    SQTY(1) = 7.0f;
    STRATEGY(50, 4) = -2.0f;
    PVCALC();
    EXPECT_EQ(SQTY(1), 10.0f);
}

TEST_F(PvDriver, FacingAndTimeZoneAreBroughtIntoRange) {
    SQTY(1) = 5.0f;
    SFACING(1) = 370.0f;
    TMZONEI = 99;
    PVCALC();
    EXPECT_EQ(SFACING(1), 10.0f);
    EXPECT_EQ(MAVODATA.AZIMUTH, 10.0);
    EXPECT_EQ(TMZONEI, 1);
    SFACING(1) = 360.0f;
    PVCALC();
    EXPECT_EQ(SFACING(1), 360.0f);
    EXPECT_EQ(MAVODATA.AZIMUTH, 0.0);
}

TEST_F(PvDriver, TwelveDayRunTakesTheRepresentativeDaysAtTheirDates) {
    // The twelve days are 1 to 12 June, wherever the run stood in the file:
    // the sun, the output and the array's peak are those days'.
    NFLAG(38) = false;
    SKPDAY = 10;
    for (INTEGER n = 1; n <= 12; ++n) {
        TMON(n) = 6;
        TDAY(n) = n;
    }
    SQTY(1) = 10.0f;
    PVCALC();
    ASSERT_TRUE(NFLAG(54));
    const INTEGER before_june = 151 * 24;
    double sum_kwh = 0;
    float peak_w = 0;
    for (INTEGER kk = before_june + 1; kk <= before_june + 288; ++kk) {
        sum_kwh += PVOUT(kk) / 1000.0;
        peak_w = std::max(peak_w, PVOUT(kk));
    }
    EXPECT_NEAR(SUMARY(70, 4), sum_kwh, 1e-4 * sum_kwh);
    EXPECT_EQ(PVSYSPEAK, peak_w / 1000.0f);
    EXPECT_EQ(PVOUT(240 + 12), 0.0f);  // no hour outside the days is run
    for (INTEGER d = 1; d <= 12; ++d)
        for (INTEGER h : {1, 12, 15}) EXPECT_EQ(PV(h, d), PVOUT(before_june + 24 * (d - 1) + h) / 1000.0f);
}

TEST_F(PvDriver, ErrorEndsKeepThePreviousResults) {
    PVSYSPEAK = 3.3f;
    PVAVGPEAK = 2.1f;
    PV(12, 6) = 5.0f;
    SQTY(1) = 10.0f;
    SPANEL(1) = 0;
    PVCALC();
    EXPECT_FALSE(NFLAG(54));
    EXPECT_EQ(SUMARY(70, 4), 0.0f);
    EXPECT_EQ(PVSYSPEAK, 3.3f);
    EXPECT_EQ(PVAVGPEAK, 2.1f);
    EXPECT_EQ(PV(12, 6), 0.0f);

    // An entered module area out of range.
    SPANEL(1) = -1;
    SAREAC(1) = 0.0f;
    SQTY(1) = 10.0f;
    PVCALC();
    EXPECT_FALSE(NFLAG(54));
    EXPECT_EQ(SAREAC(1), 0.0f);

    // A table row when the table is missing: the model reads nothing and
    // the array gives nothing, flagged, whatever the previous run left.
    SAREAC(1) = 1.67f;
    SPANEL(1) = 1;
    PVCALC_STATE.PVOUTDBL.fill(500.0);
    PVCALC();
    EXPECT_FALSE(NFLAG(54));
    EXPECT_EQ(SUMARY(70, 4), 0.0f);
    EXPECT_EQ(MAVODATA.ERRMSG, "error opening pv file.");

    // The next run with the example module runs again.
    SPANEL(1) = -1;
    PVCALC();
    EXPECT_TRUE(NFLAG(54));
    EXPECT_GT(SUMARY(70, 4), 0.0f);
}

TEST_F(PvDriver, NoModulesIsNoSystem) {
    SQTY(1) = -0.5f;  // neither a basic size nor a module count
    PVCALC();
    EXPECT_TRUE(NFLAG(54));
    EXPECT_EQ(SQTY(1), 0.0f);
    EXPECT_EQ(SUMARY(70, 4), 0.0f);
}

TEST_F(PvDriver, HourlyRunAzimuthAndDeveloperDumps) {
    FArray<REAL8, 8760> out{};
    REAL8 area = 0, azim = 270.0;
    INTEGER ierr = 5;
    FString<1000> msg = "x";
    PVMAIN(-1, -1, 30, azim, 10, 1, 1, 8760, 34, -118, -8, -1, DRCTNORMAL, TOTHORIZ, TAMB, WNDSPD, "", "", out,
           area, "", ierr, msg);
    EXPECT_EQ(azim, -90.0);
    EXPECT_EQ(MAVODATA.AZIMUTH, -90.0);
    EXPECT_EQ(area, 1.616);
    EXPECT_EQ(ierr, 0);
    EXPECT_TRUE(msg.is_blank());
    EXPECT_EQ(MAVODATA.WINDSPEED(100), 2.0 * 0.51);
    EXPECT_EQ(MAVODATA.RHOG(100), 0.2);
    EXPECT_EQ(MAVODATA.ARGTYP194.MODIN(3), 0.0);
    EXPECT_FALSE(std::filesystem::exists(dir / "debugIn.txt"));

    // The developer dumps named at "c:\temp\" are a traced run's: they go
    // beside its trace in the project directory.
    azim = 180.0;
    MAVODATA.DEBUG = -1;
    NFLAG(90) = true;
    PVMAIN(-1, -1, 30, azim, 10, 1, 1, 8760, 34, -118, -8, -1, DRCTNORMAL, TOTHORIZ, TAMB, WNDSPD, "", "", out,
           area, "", ierr, msg);
    EXPECT_EQ(azim, 180.0);
    const auto in = testing::read_lines(dir / "debugIn.txt");
    ASSERT_EQ(in.size(), 19u);
    EXPECT_EQ(in[0], " -1");
    EXPECT_EQ(in[3], " 180");
    const auto out_lines = testing::read_lines(dir / "debugOut.txt");
    ASSERT_EQ(out_lines.size(), 3u);
    EXPECT_EQ(out_lines[0], " 1.616");
    // A dump that cannot be written (a directory in its place) does not
    // stop the run.
    std::filesystem::remove(dir / "debugIn.txt");
    std::filesystem::create_directory(dir / "debugIn.txt");
    out.fill(0.0);
    PVMAIN(-1, -1, 30, azim, 10, 1, 1, 8760, 34, -118, -8, -1, DRCTNORMAL, TOTHORIZ, TAMB, WNDSPD, "", "", out,
           area, "", ierr, msg);
    EXPECT_EQ(ierr, 0);
    EXPECT_GT(out(4117), 0.0);
}

}  // namespace
}  // namespace mavo
