// The scheme simulation driver over whole runs: the warm-up and the counted
// hours, the twelve-day and the 365-day year, the early exits and the
// failure path, and a year of the sample project with its time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "front/front.h"
#include "front/units.h"
#include "physics/physics.h"
#include "project/project.h"
#include "simulation/end_of_year.h"
#include "simulation/simulation.h"
#include "support/fortran_format.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::ScratchDir;
using testing::write_file;

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr INTEGER kScheme = 1;

// Dry bulb of hour h of day d of the year in the synthetic weather, C.
double dry_bulb_C(int day_of_year, int h) { return -2.0 + (day_of_year % 9) + 0.5 * h; }

// Climate-zone text records of the days first..last of the year.
std::string zone_text_days(int first, int last) {
    std::string s;
    int month = 1, day = 1;
    for (int doy = 1; doy <= last; ++doy) {
        if (doy >= first) {
            for (int h = 1; h <= 24; ++h) {
                const int sun = (h >= 8 && h <= 16) ? 1500 : 0;
                s += ffmt::I(month, 8) + ffmt::I(day, 8) + ffmt::I(h, 8) + ffmt::I(sun, 8) + ffmt::I(sun, 8) +
                     std::string(16, ' ') + ffmt::F(dry_bulb_C(doy, h), 8, 1) + ffmt::F(0.0, 8, 1) +
                     ffmt::F(2.0, 8, 1) + "\n";
            }
        }
        if (++day > kMonthDays[month - 1]) day = 1, ++month;
    }
    return s;
}

REAL fahrenheit(double t_C) { return static_cast<REAL>(static_cast<REAL>(t_C) * 9.0f / 5.0f + 32.0f); }

// Unit numbers as the driver fixes them.
void fill_units() {
    BLK0B.DISKHET = 20;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKPVLIB = 22;
    BLK0B.DISKFTMY = 23;
    BLK0B.DISKFLAG = 24;
    BLK0B.DISKKEEP1 = 25;
    BLK0B.DISKKEEP2 = 26;
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKFSCHED = 44;
    BLK0B.DISKKSCHED = 45;
    BLK0B.DISKTRACE = 37;
}

class SchemeRun : public ::testing::Test {
protected:
    void SetUp() override {
        // The sample project's scheme 1, its construction properties derived.
        for (const auto& f : std::filesystem::directory_iterator(MAVO_SOURCE_DIR "/data/project"))
            std::filesystem::copy(f.path(), project / f.path().filename(),
                                  std::filesystem::copy_options::overwrite_existing);
        testing::use_directories(project.str(), MAVO_SOURCE_DIR "/data/util", project.str());
        fill_units();
        IDNUM1 = kScheme;
        AADISK(-5);
        FIND2();
        REVISION(2);
        // The state the run sequence leaves for the simulation.
        CYCLE = 288.0f;
        STOREL = 0.0f;
        NFLAG(51) = false;
        NFLAG(15) = true;
        NFLAG(54) = true;
        NFLAG(80) = true;
        NFLAG(67) = false;
        NFLAG(68) = false;
        NFLAG(37) = true;
        STRATEGY(18, kScheme) = 1.0f;  // no furnace
        STRATEGY(20, kScheme) = 1.0f;  // no air conditioner
    }
    // The scheme as a library slot, which keeps the water heater its file
    // holds: schemes 1 and 2 run the base schemes' gas storage heater.
    static void as_library_slot() {
        for (INTEGER row = 1; row <= 310; ++row) STRATEGY(row, 3) = STRATEGY(row, kScheme);
        IDNUM1 = 3;
    }
    void open_weather(const std::string& text) {
        write_file(project / "weather.txh", text);
        ASSERT_NE(unit_open(BLK0B.DISKFTMY, (project / "weather.txh").c_str(), "r"), nullptr);
    }
    // A restaurant of 1000 ft2 with the type's 1 W/ft2 of refrigeration
    // running around the clock: its refrigeration total counts the hours
    // the equipment totals count.
    void refrigerated_restaurant() {
        NFLAG(24) = true;
        NTYPE = 10;
        AREAT = 1000.0f;
        RAX = 1000.0f;
        ASSERT_EQ(DVALUENR(9, 10), 1.0f);
        for (INTEGER h = 1; h <= 24; ++h) SCHEDULES(h, 7, 10) = 100;
    }
    ScratchDir project;
};

TEST_F(SchemeRun, TwelveDayRunWarmsUpOnItsFirstDay) {
    refrigerated_restaurant();
    NFLAG(38) = false;
    SKPDAY = 0;
    open_weather(zone_text_days(1, 12));
    CALCS();
    // 288 warm-up hours of which the last 25 count (CYCLE 24 and below), and
    // 11 later days.
    EXPECT_FLOAT_EQ(RAELECT, 25.0f + 11.0f * 24.0f);
    EXPECT_EQ(NCALCS, 1);
    EXPECT_EQ(CYCLE, -2.0f);
    EXPECT_EQ(TMON(12), 1);
    EXPECT_EQ(TDAY(12), 12);
    EXPECT_TRUE(run_succeeded());
    // Month slot m holds the day m of the file.
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) ASSERT_FLOAT_EQ(OATEMP(h, m), fahrenheit(dry_bulb_C(m, h)));
    EXPECT_EQ(SUMARY(48, kScheme), 12.0f);
    EXPECT_TRUE(NFLAG(64));
    EXPECT_EQ(DAYCOUNT, 0);
    EXPECT_EQ(unit_file(BLK0B.DISKFTMY), nullptr);  // closed after the year
}

TEST_F(SchemeRun, SkippedJanuaryMovesTheWarmUpToFebruary) {
    // January's representative day (the file's first) is read past: every
    // later month keeps its own day of the file, as in a run without the
    // skip, and February takes the warm-up.
    refrigerated_restaurant();
    NFLAG(38) = false;
    DAYFLAG(1) = -1;
    open_weather(zone_text_days(1, 12));
    CALCS();
    EXPECT_TRUE(run_succeeded());
    EXPECT_FLOAT_EQ(RAELECT, 25.0f + 10.0f * 24.0f);
    EXPECT_EQ(SUMARY(48, kScheme), 11.0f);
    EXPECT_EQ(TDAY(2), 2);
    EXPECT_EQ(TDAY(12), 12);
    for (INTEGER h = 1; h <= 24; ++h) {
        EXPECT_EQ(OATEMP(h, 1), 0.0f);
        EXPECT_EQ(WINDVEL(h, 1), 0.0f);
        EXPECT_EQ(FREEZHRS(h, 1), 0.0f);
        for (INTEGER m = 2; m <= 12; ++m) ASSERT_FLOAT_EQ(OATEMP(h, m), fahrenheit(dry_bulb_C(m, h))) << m << " " << h;
    }
    // The year of hourly weather holds the day read past at its own hours.
    EXPECT_EQ(TAMB(1), dry_bulb_C(1, 1));
    EXPECT_EQ(TAMB(24), dry_bulb_C(1, 24));
    EXPECT_EQ(TAMB(25), dry_bulb_C(2, 1));
}

TEST_F(SchemeRun, WholeYearAveragesEachMonth) {
    refrigerated_restaurant();
    NFLAG(38) = true;
    open_weather(zone_text_days(1, 365));
    const auto start = std::chrono::steady_clock::now();
    CALCS();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("calcs_ms", std::to_string(ms));
    // 1 January counted from CYCLE 24 on, then every later hour once.
    EXPECT_FLOAT_EQ(RAELECT, 8761.0f);
    EXPECT_EQ(TMON(12), 12);
    EXPECT_EQ(TDAY(12), 31);
    EXPECT_TRUE(run_succeeded());
    EXPECT_EQ(SUMARY(48, kScheme), 365.0f);
    // The month slot is the mean of the month's days.
    int doy = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int h = 1; h <= 24; h += 23) {
            double sum_F = 0.0;
            int frozen = 0;
            for (int d = 1; d <= kMonthDays[m - 1]; ++d) {
                sum_F += fahrenheit(dry_bulb_C(doy + d, h));
                if (fahrenheit(dry_bulb_C(doy + d, h)) < 47.0f) ++frozen;
            }
            EXPECT_NEAR(OATEMP(h, m), sum_F / kMonthDays[m - 1], 1e-3) << m << " " << h;
            EXPECT_NEAR(FREEZHRS(h, m), static_cast<double>(frozen) / kMonthDays[m - 1], 1e-6) << m << " " << h;
        }
        doy += kMonthDays[m - 1];
        // The month keeps its mean heating output in HVACLD and its mean
        // cooling output in STORED.
        for (INTEGER h = 1; h <= 24; ++h) {
            EXPECT_LE(HVACLD(h, m), 0.0f) << m << " " << h;
            EXPECT_GE(STORED(h, m), 0.0f) << m << " " << h;
        }
    }
}

TEST_F(SchemeRun, WholeYearReadsPastASkippedMonth) {
    // January left out of a 365-day run: its 744 records are read past
    // without simulating, February runs on February's records (days 32 to
    // 59 of the file) and takes the warm-up.
    refrigerated_restaurant();
    NFLAG(38) = true;
    DAYFLAG(1) = -1;
    open_weather(zone_text_days(1, 365));
    CALCS();
    EXPECT_TRUE(run_succeeded());
    EXPECT_EQ(SUMARY(48, kScheme), 365.0f - 31.0f);
    EXPECT_FLOAT_EQ(RAELECT, 8761.0f - 744.0f);
    for (INTEGER h = 1; h <= 24; h += 23) {
        double sum_F = 0.0;
        for (int d = 32; d <= 59; ++d) sum_F += fahrenheit(dry_bulb_C(d, h));
        EXPECT_NEAR(OATEMP(h, 2), sum_F / 28, 1e-3) << h;
        EXPECT_EQ(OATEMP(h, 1), 0.0f);  // no results for January
        EXPECT_EQ(WINDVEL(h, 1), 0.0f);
        EXPECT_EQ(FREEZHRS(h, 1), 0.0f);
    }
    // The year of hourly weather holds every record at its own hour.
    EXPECT_EQ(TAMB(1), dry_bulb_C(1, 1));
    EXPECT_EQ(TAMB(744), dry_bulb_C(31, 24));
    EXPECT_EQ(TAMB(745), dry_bulb_C(32, 1));
    EXPECT_EQ(TAMB(8760), dry_bulb_C(365, 24));
    EXPECT_EQ(TDAY(12), 31);
}

// A run that cannot finish its year leaves zero results, saved. A weather
// file that ends before the year does fails the run: its zeros are kept
// back with every project file.
TEST_F(SchemeRun, FailedRunsAreZeroedAndSaved) {
    for (bool short_weather : {true, false}) {
        unit_close_all();  // a fresh account of the run's files
        std::filesystem::remove(project / "scheme1b.het");
        NFLAG(38) = true;
        NFLAG(80) = true;
        AREAT = short_weather ? 2000.0f : 0.0f;  // no floor: nothing is simulated
        open_weather(zone_text_days(1, 40));     // the year ends in February
        HEAT(1, 1, 1) = 5.0f;
        IATEMP(3, 3) = 70.0f;
        SUMARY(30, kScheme) = 9.0f;
        CALCS();
        EXPECT_EQ(NFLAG(80), !short_weather);
        if (short_weather) {
            EXPECT_EQ(ITEMY, 42);
        }
        EXPECT_FALSE(NFLAG(51));
        EXPECT_EQ(HEAT(1, 1, 1), 0.0f);
        EXPECT_EQ(IATEMP(3, 3), 0.0f);
        EXPECT_EQ(SUMARY(30, kScheme), 0.0f);
        EXPECT_EQ(std::filesystem::exists(project / "scheme1b.het"), !short_weather);
        EXPECT_EQ(project_files_frozen(), short_weather);
        EXPECT_TRUE(NFLAG(64));
        EXPECT_EQ(DAYCOUNT, 0);
    }
}

TEST_F(SchemeRun, InvalidWeatherIsSavedThenZeroed) {
    NFLAG(80) = false;
    STRATEGY(25, kScheme) = 7.0f;  // night-ventilation test case
    STRATEGY(18, kScheme) = 3.0f;
    STRATEGY(20, kScheme) = 2.0f;
    STRATEGY(29, kScheme) = 3.5f;
    CALCS();
    EXPECT_FALSE(NFLAG(51));
    EXPECT_EQ(ITEMY, 42);
    // A year that never started has no system codes to give back: the
    // scheme keeps its own (the parameter transfer may re-derive them from
    // the efficiencies, never to none).
    EXPECT_NE(STRATEGY(18, kScheme), 0.0f);
    EXPECT_NE(STRATEGY(20, kScheme), 0.0f);
    EXPECT_EQ(STRATEGY(29, kScheme), 2.0f);
    EXPECT_TRUE(std::filesystem::exists(project / "scheme1b.het"));
}

TEST_F(SchemeRun, AllElectricSiteWithFuelBurnersFails) {
    FUELTYPE = 4.0f;
    WHTYPE = 1;  // a gas water heater: never simulated
    CALCS();
    EXPECT_TRUE(NFLAG(68));
    EXPECT_FALSE(NFLAG(51));

    // An electric water heater, in a library slot, which keeps the loads
    // its file holds: the restaurant's own.
    reset_all_blocks();
    SetUp();
    as_library_slot();
    FUELTYPE = 4.0f;
    WHTYPE = 2;
    refrigerated_restaurant();
    DGHEATPHR = DVALUENR(8, 10);
    REHEATPHR = DVALUENR(9, 10);
    for (INTEGER h = 1; h <= 24; ++h) SCHEDULES(h, 8, 10) = 100;  // the type's 20 Btu/h.ft2 of gas
    NFLAG(38) = false;
    open_weather(zone_text_days(1, 12));
    CALCS();
    EXPECT_TRUE(NFLAG(68));
    EXPECT_FALSE(NFLAG(51));
    // Stopped in the first counted hour: gas is counted from CYCLE 24 on.
    EXPECT_FLOAT_EQ(RAELECT, 1.0f);
}

// A heating code the user changed keeps the efficiency its input file held:
// a heat pump code over a furnace's AFUE is a furnace to the bills, which
// an all-electric site cannot fuel. Its heat would go unbilled; the run
// fails as for any fuel burner there. With a heat pump's HSPF it runs.
TEST_F(SchemeRun, AllElectricSiteWithAFurnaceEfficiencyFails) {
    as_library_slot();
    FUELTYPE = 4.0f;
    WHTYPE = 2;
    STRATEGY(18, 3) = -7.0f;
    COPHT = 0.78f;
    CALCS();
    EXPECT_TRUE(NFLAG(68));
    EXPECT_FALSE(NFLAG(51));

    NFLAG(68) = false;
    CYCLE = 288.0f;
    COPHT = 8.2f;
    NFLAG(38) = false;
    open_weather(zone_text_days(1, 12));
    CALCS();
    EXPECT_FALSE(NFLAG(68));
}

TEST_F(SchemeRun, PropaneAndStaleGasTotalsAreCompatible) {
    // A propane home runs its gas appliances on propane.
    as_library_slot();
    FUELTYPE = 2.0f;
    WHTYPE = 3;
    NFLAG(38) = false;
    open_weather(zone_text_days(1, 12));
    CALCS();
    EXPECT_FALSE(NFLAG(68));
    EXPECT_GT(APPGAS1, 0.0f);

    // A home moved to an all-electric site keeps no gas from its last run.
    reset_all_blocks();
    SetUp();
    as_library_slot();
    FUELTYPE = 4.0f;
    WHTYPE = 2;
    APPGAS1 = 29.1f;
    DAGAS = 37.2f;
    NFLAG(38) = false;
    open_weather(zone_text_days(1, 12));
    CALCS();
    EXPECT_FALSE(NFLAG(68));
    EXPECT_EQ(APPGAS1, 0.0f);
}

// Nothing of the year comes from the run before it: a home's occupant
// profile after a non-residential run, the month and hour of a heating peak
// that this year does not have, and the bill's photovoltaic month sums.
TEST_F(SchemeRun, YearStartsFromItsOwnProfileExtremesAndPvSums) {
    NFLAG(38) = false;
    OCCPROF.fill(0.9f);  // an office's occupancy left in the block
    BLK6.HVACPEAKMINMON = 12;
    BLK6.HVACPEAKMINDAY = 6;
    BLK6.HVACPEAKMINHR = 8;
    PVKWH(13) = 500.0f;
    PVDEMAND(13) = 500.0f;
    PVCOST(1) = 50.0f;
    open_weather(zone_text_days(1, 12));
    CALCS();
    ASSERT_TRUE(run_succeeded());
    EXPECT_EQ(OCCPROF(1), 0.024f);
    EXPECT_EQ(OCCPROF(18), 0.064f);
    EXPECT_EQ(HVACPEAKMIN, 0.0f);  // no furnace
    EXPECT_EQ(BLK6.HVACPEAKMINMON, 0);
    EXPECT_EQ(BLK6.HVACPEAKMINDAY, 0);
    EXPECT_EQ(BLK6.HVACPEAKMINHR, 0);
    EXPECT_EQ(PVKWH(13), 0.0f);  // no array
    const REAL demand_kWh = PVDEMAND(13), january_cost = PVCOST(1);
    EXPECT_GT(demand_kWh, 0.0f);

    // The same year once more bills the same months, not twice as much.
    CYCLE = 288.0f;
    NFLAG(51) = false;
    open_weather(zone_text_days(1, 12));
    CALCS();
    ASSERT_TRUE(run_succeeded());
    EXPECT_EQ(PVDEMAND(13), demand_kWh);
    EXPECT_EQ(PVCOST(1), january_cost);
}

// The sample project: a whole run of the kernel, then one more simulation
// of its scheme, timed.
TEST(SampleProject, YearOfTheSampleSchemeInMilliseconds) {
    ScratchDir work;
    std::filesystem::copy(MAVO_SOURCE_DIR "/data/project", work / "project");
    const std::string project = (work / "project").string();
    const INTEGER trace = 0;

    auto start = std::chrono::steady_clock::now();
    VR7MAIN(project, MAVO_SOURCE_DIR "/data/util", MAVO_SOURCE_DIR "/data/weather", trace);
    const double kernel_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(NFLAG(64));
    EXPECT_EQ(DAYCOUNT, 0);

    // The year again, from the weather set-up on.
    CYCLE = 288.0f;
    STOREL = 0.0f;
    NFLAG(51) = false;
    NFLAG(15) = true;
    NFLAG(54) = true;
    FINDTMY();
    ASSERT_TRUE(NFLAG(80));
    start = std::chrono::steady_clock::now();
    CALCS();
    const double calcs_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("sample project: kernel run %.1f ms, CALCS %.1f ms (%s, scheme %d, run %s)\n", kernel_ms, calcs_ms,
                NFLAG(38) ? "365 days" : "12 days", IDNUM1, NFLAG(51) ? "succeeded" : "failed");
    RecordProperty("kernel_ms", std::to_string(kernel_ms));
    RecordProperty("calcs_ms", std::to_string(calcs_ms));
    if (NFLAG(51) && has_scheme_column(IDNUM1)) {
        EXPECT_EQ(SUMARY(48, IDNUM1), NFLAG(38) ? 365.0f : 12.0f);
    }
    EXPECT_EQ(CYCLE, -2.0f);
}

}  // namespace
}  // namespace mavo
