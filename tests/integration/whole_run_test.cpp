// Whole runs of the sample project through the C front: what a run leaves
// in the project must not depend on what ran before it in the process.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "blocks/blocks.h"
#include "mavokernel.h"
#include "project/project.h"
#include "test_support.h"
#include "integration/whole_run_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// Selects scheme `slot` for a plain simulation over twelve days from
// `month`/`day` with a furnace and an air conditioner, as the host does by
// rewriting the scheme's input file and parameter column.
void select_twelve_day_hvac_scheme(const fs::path& project, INTEGER slot, INTEGER month, INTEGER day) {
    edit_scheme(project, slot, [&] {
        TMYMON = month;
        TMYDAY = day;
        STRATEGY(2, slot) = 0.0f;   // simulate only
        STRATEGY(18, slot) = 2.0f;  // furnace
        STRATEGY(20, slot) = 2.0f;  // air conditioner
    });
    AADISK(1);
}

TEST(WholeRun, SampleProjectRunsCleanly) {
    ScratchDir dir;
    const fs::path p = settled_sample(dir, "p");
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 0);
    EXPECT_TRUE(NFLAG(51)) << "kernel errors";
    EXPECT_TRUE(NFLAG(80)) << "simulation not valid";
    EXPECT_TRUE(NFLAG(15)) << "zone balance errors";
    EXPECT_GT(SUMARY(1, 1), 0.0f);  // floor area
    for (const char* f : {"scheme1.csv", "scheme1.xml", "scheme1.txt", "scheme1.cclink"})
        EXPECT_TRUE(fs::exists(p / f)) << f;
}

// The hourly CSV of a twelve-day run shows the representative day's own
// cooling output: none in an hour the zone did not cool, and over the
// twelve days the cooling of the scheme's summary (kBtu per ft2 times the
// floor area). Stored heat in its place ran to hundreds of kBtu at night.
TEST(WholeRun, TwelveDayCsvCoolingIsTheHourlyCoolingOutput) {
    ScratchDir dir;
    const fs::path p = settled_sample(dir, "p");
    reset_all_blocks();
    select_twelve_day_hvac_scheme(p, 3, 7, 1);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(p), 0);
    ASSERT_FALSE(NFLAG(38));
    ASSERT_GT(std::fabs(STRATEGY(20, 3)), 1.0f) << "the scheme needs an air conditioner";
    const std::vector<std::string> lines = testing::read_lines(p / "scheme3.csv");
    constexpr std::size_t kTitleLines = 7, kMonthLines = 63, kPerformanceHour1 = 35, kCoolingField = 5;
    ASSERT_EQ(lines.size(), kTitleLines + 12 * kMonthLines);
    double year_kbtu = 0.0;
    int cooling_hours = 0, other_hours = 0;
    for (INTEGER m = 1; m <= 12; ++m) {
        for (INTEGER h = 1; h <= 24; ++h) {
            const std::string& line = lines[kTitleLines + (m - 1) * kMonthLines + kPerformanceHour1 + (h - 1)];
            std::size_t at = 0;
            for (std::size_t field = 0; field < kCoolingField; ++field) at = line.find(',', at) + 1;
            const double cooling_kbtu = std::stod(line.substr(at));
            if (HVACLD(h, m) > 0.0f) {
                ++cooling_hours;
            } else {
                ++other_hours;
                EXPECT_EQ(cooling_kbtu, 0.0) << "month " << m << " hour " << h;
            }
            year_kbtu += cooling_kbtu;
        }
    }
    EXPECT_GT(cooling_hours, 0);
    EXPECT_GT(other_hours, 0);
    // Each hour is rounded to 0.01 kBtu in the file.
    EXPECT_NEAR(year_kbtu, SUMARY(19, 3) * SUMARY(1, 3), 288 * 0.005 + 1e-4 * year_kbtu);
}

// A large house without a heating system (row 18 = 1) delivers no heat:
// its year's CSV shows none in any hour, as its summary does (rows 18 and
// 21), and the CSV's cooling over the year is the summary's. The long duct
// runs of cooling hours on cool evenings once made their output negative,
// which the CSV showed as heating (-673 kBtu over the year), and a heated
// building billed it as heating fuel.
TEST(WholeRun, YearCsvShowsTheHeatingAndCoolingOfTheSummary) {
    ScratchDir dir;
    const fs::path p = dir / "p";
    host::new_project_files(p, kData / "util");
    reset_all_blocks();
    move_scheme(p, 1, "1");
    select_scheme(p, 1, 243.0f);
    ASSERT_EQ(run_kernel(p), 0);
    edit_scheme(p, 1, [] {
        STRATEGY(8, 1) = 112223.0f;
        STRATEGY(18, 1) = 1.0f;
    });
    select_scheme(p, 1, 0.0f);
    ASSERT_EQ(run_kernel(p), 0);
    ASSERT_TRUE(NFLAG(38));
    ASSERT_EQ(SUMARY(1, 1), 112223.0f);
    EXPECT_EQ(SUMARY(18, 1), 0.0f);
    EXPECT_EQ(SUMARY(21, 1), 0.0f);
    const std::vector<std::string> lines = testing::read_lines(p / "scheme1.csv");
    constexpr std::size_t kTitleLines = 7, kMonthLines = 63, kPerformanceHour1 = 35, kHeatingField = 4;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    ASSERT_EQ(lines.size(), kTitleLines + 12 * kMonthLines);
    double cooling_kbtu = 0.0;
    for (INTEGER m = 1; m <= 12; ++m) {
        for (INTEGER h = 1; h <= 24; ++h) {
            const std::string& line = lines[kTitleLines + (m - 1) * kMonthLines + kPerformanceHour1 + (h - 1)];
            std::size_t at = 0;
            for (std::size_t field = 0; field < kHeatingField; ++field) at = line.find(',', at) + 1;
            std::size_t used = 0;
            EXPECT_EQ(std::stod(line.substr(at), &used), 0.0) << "heating in month " << m << " hour " << h;
            cooling_kbtu += std::stod(line.substr(at + used + 1)) * kDays[m - 1];
        }
    }
    // Each hour is rounded to 0.01 kBtu in the file.
    EXPECT_NEAR(cooling_kbtu, SUMARY(19, 1) * SUMARY(1, 1), 365 * 24 * 0.005 + 1e-4 * cooling_kbtu);
}

// The first twelve-day run of a library slot that last ran a year saves
// what its re-runs save. A wall's or roof's first hour lagged into the day
// the scheme file last saved (31 December after the year, the twelfth day
// after twelve days); in a large warehouse without heating the first
// run's hourly CSV differed from the second's in the last digit over its
// first days.
TEST(WholeRun, TwelveDayRunAfterAYearSavesWhatItsRerunSaves) {
    ScratchDir dir;
    const fs::path p = dir / "p";
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    // A new detached warehouse of 393,300 ft2 on four floors whose floor is
    // shared, turned 270 degrees, without heating, cooled by code 3.
    const std::pair<INTEGER, REAL> rows[] = {{6, 1.0f},  {7, 1.0f},    {8, 393300.0f}, {10, 2.0f}, {11, 1979.0f},
                                             {14, 4.0f}, {16, 270.0f}, {18, 0.0f},     {20, 3.0f}};
    make_nonresidential(p, 1, 11);
    edit_scheme(p, 1, [&] {
        for (const auto& [row, value] : rows) STRATEGY(row, 1) = value;
    });
    select_scheme(p, 1, 243.0f);
    ASSERT_EQ(run_kernel(p), 0);
    select_scheme(p, 1, 201.0f, 3);
    ASSERT_EQ(run_kernel(p), 0);
    select_scheme(p, 3, 0.0f);
    ASSERT_EQ(run_kernel(p), 0);
    edit_scheme(p, 3, [] {
        TMYMON = 8;
        TMYDAY = 18;
    });
    ASSERT_EQ(run_kernel(p), 0);
    const SavedScheme first = saved_scheme(p, 3);
    select_scheme(p, 3, 0.0f);
    ASSERT_EQ(run_kernel(p), 0);
    expect_same_saved_scheme(first, saved_scheme(p, 3), "twelve days from 18 August, run again");
}

// A building of two identical zones, each simulated over the same twelve
// days: it cools as much per square foot as one zone, at twice the peak
// cooling and twice the peak electric demand. The heat the zones stored, in
// place of their cooling, gave many times the cooling per square foot.
TEST(WholeRun, TwelveDayMultiZoneCoolingIsItsZonesCooling) {
    ScratchDir dir;
    const fs::path p = settled_sample(dir, "p");
    for (INTEGER slot : {3, 4}) {
        select_scheme(p, 1, 201.0f, slot);
        ASSERT_EQ(run_kernel(p), 0);
        select_twelve_day_hvac_scheme(p, slot, 7, 1);
        ASSERT_EQ(run_kernel(p), 0);
    }
    // Rows 1 (floor area), 19 (cooling per ft2), 29 and 32 (the peaks) of
    // one zone, and how many of them the building has.
    const std::pair<INTEGER, REAL> rows[] = {{1, 2.0f}, {19, 1.0f}, {29, 2.0f}, {32, 2.0f}};
    std::map<INTEGER, REAL> zone;
    for (const auto& [r, times] : rows) zone[r] = SUMARY(r, 4);
    select_scheme(p, 3, 201.0f, 5);
    ASSERT_EQ(run_kernel(p), 0);
    edit_scheme(p, 5, [&] {
        STRATEGY(26, 5) = 2.0f;  // a building of the zones its line lists
        NCOMBO(5) = 34;
        SUMARY(1, 14) = 2.0f * zone[1];  // the one-zone building they were split from
    });
    AADISK(1);
    select_scheme(p, 5, 0.0f);
    ASSERT_EQ(run_kernel(p), 0);
    ASSERT_FALSE(NFLAG(38));
    ASSERT_GT(zone[19], 0.0f);
    for (const auto& [r, times] : rows) EXPECT_NEAR(SUMARY(r, 5), times * zone[r], 1e-4f * zone[r]) << "row " << r;
}

// A scheme marked as a building of zones (row 26 = 2) whose combination
// line lists none has neither zones to sum nor a building to simulate: its
// design run and its re-runs are refused alike, with the reason traced, and
// leave the project as it was; once the host clears the marker the design
// is the one the sample gives. It returned 0 with U-factor rows of 1e10 on
// the design run and 0 on the re-run.
TEST(WholeRun, MultiZoneSchemeWithoutZonesIsRefusedOnEveryRun) {
    const std::string util = (kData / "util").string(), weather = (kData / "weather").string();
    const auto untraced = [](std::map<std::string, std::string> files) {
        std::erase_if(files, [](const auto& f) { return f.first.starts_with("v7trace"); });
        return files;
    };
    ScratchDir dir;
    for (const auto& [slot, design] : {std::pair{1, 243.0f}, std::pair{2, 246.0f}}) {
        const std::string what = "scheme " + std::to_string(slot);
        const SchemeRun sample = run_scheme(settled_sample(dir, "sample" + std::to_string(slot)), slot, design);
        const fs::path p = settled_sample(dir, "marked" + std::to_string(slot));
        const std::string project = p.string();
        edit_scheme(p, slot, [&] {
            STRATEGY(26, slot) = 2.0f;
            NFLAG(90) = true;
        });
        for (const REAL command : {design, 0.0f}) {
            select_scheme(p, slot, command);
            const auto before = untraced(project_files(p));
            ASSERT_EQ(MAVOKernelLib_runKernel(project.c_str(), util.c_str(), weather.c_str(), 1, nullptr), 1) << what;
            const std::string trace = read_file(p / ("v7trace" + std::to_string(slot) + ".txt"));
            EXPECT_NE(trace.find("ERROR: multi-zone scheme without zones"), std::string::npos) << what;
            EXPECT_TRUE(untraced(project_files(p)) == before) << what << ", command " << command;
        }
        edit_scheme(p, slot, [&] {
            STRATEGY(26, slot) = 0.0f;
            NFLAG(90) = false;
        });
        expect_same_run(sample, run_scheme(p, slot, design), what + " unmarked");
    }
}

// A heating or cooling code of 0 names no listed choice: it is read as no
// system of that kind, and the other system stays. It took the whole HVAC
// system away, and the saved design lost its furnace or air conditioner.
TEST(WholeRun, ZeroHeatingOrCoolingCodeKeepsTheOtherSystem) {
    struct Case {
        REAL heating_code, cooling_code;
        INTEGER kept_row;    // the parameter row of the system that stays
        INTEGER output_row;  // its annual output per ft2, heating negative
    };
    ScratchDir dir;
    const fs::path p = settled_sample(dir, "p");
    select_scheme(p, 1, 201.0f, 3);
    ASSERT_EQ(run_kernel(p), 0);
    for (const Case& c : {Case{2.0f, 0.0f, 18, 18}, Case{0.0f, 2.0f, 20, 19}}) {
        edit_scheme(p, 3, [&] {
            STRATEGY(18, 3) = c.heating_code;
            STRATEGY(20, 3) = c.cooling_code;
        });
        select_scheme(p, 3, 0.0f);
        ASSERT_EQ(run_kernel(p), 0);
        EXPECT_EQ(STRATEGY(c.kept_row, 3), 2.0f) << "row " << c.kept_row;
        EXPECT_GT(std::fabs(SUMARY(c.output_row, 3)), 1.0f) << "row " << c.output_row;
    }
}

// The sample's scheme 1, and a new house at a climate zone whose zone file
// the weather directory lacks: its design run simulates nothing, and its
// failure path saved the design loads with the envelope's surface ratio of
// the building an earlier call had simulated (an infiltration loss of
// -3,977 Btu/h where a fresh process saved none).
TEST(WholeRun, RunLeavesNothingBehindForTheNextRun) {
    ScratchDir dir;
    const auto subject = [&](const std::string& name, bool without_zone_file) {
        if (!without_zone_file) return settled_sample(dir, name);
        const fs::path p = dir / name;
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        edit_scheme(p, 1, [] { STRATEGY(4, 1) = STRATEGY(4, 2) = 4.0f; });
        set_input_file_flag(p, 1, 81);
        select_scheme(p, 1, 243.0f);
        return p;
    };
    for (const bool without_zone_file : {false, true}) {
        SCOPED_TRACE(without_zone_file ? "a site without its zone file" : "the sample");
        const std::string tag = without_zone_file ? "-zone4" : "";
        const fs::path fresh = subject("fresh" + tag, without_zone_file);
        const fs::path after = subject("after" + tag, without_zone_file);
        const fs::path other = settled_sample(dir, "other" + tag);

        // Fresh: scheme 1 on fresh blocks.
        reset_all_blocks();
        ASSERT_EQ(run_kernel(fresh), 0);

        // After: the same, but the process first designed scheme 2 of another
        // project, then the same scheme again as a non-residential building
        // (the occupancy, schedules, thermostats and tariffs of the other mode).
        reset_all_blocks();
        select_scheme(other, 2, 246.0f);
        ASSERT_EQ(run_kernel(other), 0);
        make_nonresidential(other, 2);
        select_scheme(other, 2, 246.0f);
        ASSERT_EQ(run_kernel(other), 0);
        ASSERT_TRUE(NFLAG(24));
        ASSERT_TRUE(NFLAG(51)) << "the non-residential design ran with errors";
        ASSERT_EQ(run_kernel(after), 0);
        if (without_zone_file) {
            ASSERT_EQ(SUMARY(48, 1), 0.0f) << "the run simulated days";
        }

        expect_same_files(fresh, after);
    }
}

// The results loader's findings of another run (flag 53: another run
// length; 55 and 56 together: measured and simulated data) that a scheme's
// input file holds are not this run's: the run simulates the year its
// input asks for (365 days), saves the flags cleared and leaves the files
// of a run without them.
TEST(WholeRun, LoaderFlagsStoredInTheInputFileAreNotThisRunsFindings) {
    ScratchDir dir;
    const fs::path plain = settled_sample(dir, "plain");
    reset_all_blocks();
    ASSERT_EQ(run_kernel(plain), 0);
    for (const std::vector<INTEGER>& flags : {std::vector<INTEGER>{53}, std::vector<INTEGER>{55, 56}}) {
        const fs::path p = settled_sample(dir, "flag" + std::to_string(flags.front()));
        for (INTEGER f : flags) set_input_file_flag(p, 1, f);
        reset_all_blocks();
        EXPECT_EQ(run_kernel(p), 0);
        EXPECT_EQ(SUMARY(48, 1), 365.0f) << "flag " << flags.front();
        const std::string saved = read_file(p / "scheme1b.dat");
        for (INTEGER f : flags) EXPECT_EQ(saved.at(5582 + f - 51), 0) << "flag " << f << " saved";
        expect_same_files(plain, p);
    }
}

// A generated design simulates exactly what its saved files describe: the
// run that generates it and a plain re-run of the saved design give the same
// results and reports, in one process as the host makes them. So do the
// first and the second run of a slot that holds the new-project template.
TEST(WholeRun, DesignRunEqualsTheRerunOfItsSavedDesign) {
    ScratchDir dir;
    const fs::path sample = dir / "sample";
    copy_sample(sample);
    reset_all_blocks();
    const SchemeRun code_minimum = run_scheme(sample, 1, 243.0f);
    expect_same_run(code_minimum, run_scheme(sample, 1, 0.0f), "code-minimum design");
    const SchemeRun templ = run_scheme(sample, 3, 0.0f);
    expect_same_run(templ, run_scheme(sample, 3, 0.0f), "template");
    // A house without a fresh-air fan gets its winter design air changes
    // all year: this run's, not those the template was saved with.
    edit_scheme(sample, 4, [] { wCFMiaq = 0.0f; });
    const SchemeRun no_fan = run_scheme(sample, 4, 0.0f);
    expect_same_run(no_fan, run_scheme(sample, 4, 0.0f), "house without a fresh-air fan");

    const fs::path chicago = dir / "chicago";
    copy_sample(chicago);
    for (INTEGER slot : {1, 2}) choose_weather_file(chicago, slot, "ChiOHare.epw");
    run_scheme(chicago, 1, 243.0f);
    const SchemeRun efficient = run_scheme(chicago, 2, 246.0f);
    EXPECT_EQ(CLIMATEFILENAME.trimmed(), "ChiOHare.epw");
    EXPECT_FALSE(NFLAG(37)) << "the weather file was not the site";
    expect_same_run(efficient, run_scheme(chicago, 2, 0.0f), "efficient design in Chicago");
}

SchemeRun code_minimum_at(const fs::path& project, const std::string& site) {
    move_scheme(project, 1, site);
    return run_scheme(project, 1, 243.0f);
}

// A project moved to another site and designed there bills as a new project
// made at that site: the San Francisco gas and electric territories stay
// behind at Arcata (a California site known by its weather file, billed on
// its climate zone's line of the zip-code table), and Arcata's gas tariff
// stays behind at Phoenix (outside California, no gas utility of its own).
// A house with a flat roof, designed at Imperial, kept the cool roof that
// zone requires at Arcata, whose zone requires none: the roof's decrement
// took 0.5 % off the building's conductance (summary row 10).
TEST(WholeRun, MovedProjectBillsAsANewProjectAtItsSite) {
    ScratchDir dir;
    // The template's roof, or a default roof on flat joists.
    for (const REAL roof : {0.0f, 3.0f}) {
        const std::string kind = roof == 0.0f ? "" : "flat roof, ";
        auto new_project_at = [&](const std::string& name, const std::string& site) {
            const fs::path p = dir / (kind + name);
            testing::new_project(p, kData / "util");
            reset_all_blocks();
            if (roof != 0.0f)
                for (const INTEGER slot : {1, 2}) edit_scheme(p, slot, [&] { STRATEGY(32, slot) = roof; });
            return code_minimum_at(p, site);
        };
        const SchemeRun arcata = new_project_at("arcata", "Arcata.epw");
        const SchemeRun phoenix = new_project_at("phoenix", "Phoenix.epw");
        new_project_at("moved", roof == 0.0f ? "94128" : "Imperial.epw");
        expect_same_run(arcata, code_minimum_at(dir / (kind + "moved"), "Arcata.epw"), kind + "moved to Arcata");
        expect_same_run(phoenix, code_minimum_at(dir / (kind + "moved"), "Phoenix.epw"), kind + "then to Phoenix");
    }
}

// A site whose climate zone has no text file in the weather directory
// (zone 5 in the sample's): the run that meets it falls back to the default
// location's zone 9 file and simulates nothing, and the default location
// becomes the site of schemes 1 and 2, which share it. Every later run
// simulates the default location, the same on every run and in scheme 2
// whichever scheme met the fallback. Scheme 1 simulated zone 9 from its
// third run on while its site still named zone 5; scheme 2 never simulated.
// A plain run meeting the fallback condensed its undesigned input file into
// its column, so a 1961 remodel's existing building (scheme 2) took the
// choices of the default input file when scheme 2 met it and the user's
// when scheme 1 did: -223,879 against -201,600 in summary row 8.
TEST(WholeRun, ZoneSiteWithoutItsZoneFileTakesTheDefaultLocation) {
    ScratchDir dir;
    struct House {
        const char* name;
        // A plain run meets the fallback and the third run re-runs the
        // saved design; else the design command meets it and designs again.
        bool plain_runs;
        std::vector<std::pair<INTEGER, REAL>> rows;
    };
    const House houses[] = {
        {"new house", false, {}},
        {"remodel of 1961",
         true,
         {{6, 2.0f}, {7, 2.0f}, {8, 13160.0f}, {10, 2.0f}, {11, 1961.0f}, {14, 2.0f}, {16, 307.0f}, {25, 0.0f},
          {28, 2.0f}, {29, -2.0f}, {30, 8.0f}, {32, -1.0f}, {33, 6.0f}, {34, 5.0f}, {35, 1.0f}, {36, 0.0f}}},
    };
    for (const House& house : houses) {
        SchemeRun efficient[2];
        for (const INTEGER first : {1, 2}) {
            const std::string what = std::string(house.name) + ", scheme " + std::to_string(first) + " first";
            const fs::path p = dir / (std::string(house.name) + " " + std::to_string(first));
            testing::new_project(p, kData / "util");
            reset_all_blocks();
            for (const INTEGER slot : {1, 2})
                edit_scheme(p, slot, [&] {
                    for (const auto& [row, value] : house.rows) STRATEGY(row, slot) = value;
                });
            move_scheme(p, 1, "5");
            const REAL design = first == 1 ? 243.0f : 246.0f;
            const SchemeRun fallback = run_scheme(p, first, house.plain_runs ? 0.0f : design);
            EXPECT_FALSE(NFLAG(80)) << what;
            EXPECT_EQ(fallback.rows[47], 0.0f) << what << ": days simulated";
            for (const INTEGER slot : {1, 2}) EXPECT_EQ(STRATEGY(4, slot), 90024.0f) << what << ", site of " << slot;
            const SchemeRun second = run_scheme(p, first, design);
            EXPECT_TRUE(NFLAG(80)) << what;
            EXPECT_EQ(second.rows[47], 365.0f) << what;
            expect_same_run(second, run_scheme(p, first, house.plain_runs ? 0.0f : design), what + ", third run");
            efficient[first - 1] = first == 2 ? second : run_scheme(p, 2, 246.0f);
        }
        expect_same_run(efficient[0], efficient[1], std::string(house.name) + ": scheme 2 after scheme 1 met the fallback");
    }
}

// The default location a fallback saves as the site of schemes 1 and 2 (a
// zone without its zone file, or a weather file that cannot be read under
// a design) is taken in as a move there: the fallback run saves the
// tariffs of that location in rows 1 and 3, never those of the site asked
// for, and every later run of either scheme simulates it under its own
// name, whichever scheme met the fallback. A design at an unreadable
// weather file saved the site without its name: every later run of scheme
// 1 named the default location "Climate Data Error RE-DO" (mavo-run's site
// line, scheme1.txt), scheme 2 LOS ANGELES WESTWOOD; and where scheme 2 met
// a fallback, scheme 1 went on naming the site it had been designed at.
TEST(WholeRun, DefaultLocationAFallbackSavesIsSimulatedUnderItsName) {
    ScratchDir dir;
    const fs::path unreadable = dir / "weather with an unreadable Phoenix.epw";
    fs::copy(kData / "weather", unreadable);
    std::string noise(3000, ' ');
    unsigned state = 54;
    for (char& ch : noise) ch = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    write_file(unreadable / "Phoenix.epw", noise);
    const fs::path without_zone3 = dir / "weather without zone3.txh";
    fs::copy(kData / "weather", without_zone3);
    fs::remove(without_zone3 / "zone3.txh");
    struct Case {
        const char* site;
        fs::path failing_weather;
        INTEGER first;         // the scheme whose design meets the fallback
        bool designed_before;  // both schemes designed at the site with its weather read
    };
    const Case cases[] = {{"94128", without_zone3, 1, false},
                          {"Phoenix.epw", unreadable, 1, false},
                          {"Phoenix.epw", unreadable, 2, true}};
    for (const Case& c : cases) {
        const std::string what = std::string(c.site) + ", scheme " + std::to_string(c.first) + " met the fallback";
        const fs::path p = dir / what;
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        move_scheme(p, 1, c.site);
        if (c.designed_before) {
            run_scheme(p, 1, 243.0f);
            run_scheme(p, 2, 246.0f);
        }
        const REAL design = c.first == 1 ? 243.0f : 246.0f;
        select_scheme(p, c.first, design);
        ASSERT_EQ(run_kernel(p, c.failing_weather), 0) << what;
        EXPECT_FALSE(NFLAG(80)) << what;
        for (const INTEGER slot : {1, 2}) EXPECT_EQ(STRATEGY(4, slot), 90024.0f) << what << ", site of " << slot;
        // Los Angeles Westwood's line names rate zones 10 and 1: SCE's tiers
        // and gas choice 1.
        EXPECT_EQ(STRATEGY(1, c.first), 1.0f) << what;
        EXPECT_EQ(STRATEGY(3, c.first), 1.0f) << what;
        for (const INTEGER slot : {1, 2}) {
            const SchemeRun run = run_scheme(p, slot, 0.0f);
            EXPECT_EQ(run.rows[47], 365.0f) << what << ", scheme " << slot;
            EXPECT_EQ(TITLE3.trimmed(), "LOS ANGELES WESTWOOD") << what << ", scheme " << slot;
            EXPECT_NE(run.reports.at("scheme" + std::to_string(slot) + ".txt")
                          .find("City Name in MAVO: \"LOS ANGELES WESTWOOD"),
                      std::string::npos)
                << what << ", scheme " << slot;
        }
    }
}

// The rate zones of a site's line of zipcodes.sce: (I5,3X,6A4,I4,I5,I8,5X,
// F6.0,I8), the gas zone after the city, then the climate zone, the
// electric zone last. A climate zone's number has its line as a zip code
// has.
struct RecordRateZones {
    INTEGER gas = 0, electric = 0, climate = 0;
};
RecordRateZones record_rate_zones(const std::string& site) {
    std::istringstream table(read_file(kData / "weather" / "zipcodes.sce"));
    for (std::string line; std::getline(table, line);)
        if (std::stoi(line.substr(0, 5)) == std::stoi(site))
            return {std::stoi(line.substr(32, 4)), std::stoi(line.substr(60, 8)), std::stoi(line.substr(41, 8))};
    ADD_FAILURE() << site << " has no line in zipcodes.sce";
    return {};
}

// The non-residential tariff of a line's electric rate zone, by the
// utility the zone belongs to: one utility's tiered zones 10-17, 1-4,
// -20 to -11, -2 and -1, others; time-of-use rate zones 32 to 36.
INTEGER nonresidential_rate_zone(INTEGER record_zone) {
    if (record_zone >= 10 && record_zone <= 17) return 32;
    if (record_zone >= 1 && record_zone <= 4) return 33;
    if (record_zone >= -20 && record_zone <= -11) return 34;
    if (record_zone == -2 || record_zone == -1) return 35;
    return 36;
}

// Every run of a scheme at a zip code or a climate-zone number is billed on
// the rate zones its line of the table names: a dwelling on the line's
// zones, a non-residential building on the tariff of the line's electric
// zone (column row 1 names it). The zones were saved nowhere: a plain
// re-run billed an office at Stockton (95206) on the built-in zone's tariff
// ($7,992.62 designed, $5,866.28 re-run). Zone 1 read as no site: an office
// there was billed on a house tariff ($0.3166 per kWh against $0.1335 at
// Arcata's 95521), and one moved there from 90024 kept that site's tariff.
TEST(WholeRun, RerunBillsTheTariffOfItsSite) {
    ScratchDir dir;
    struct Case {
        const char* site;
        bool office;
        const char* from = nullptr;  // designed there first, then moved
    };
    const Case cases[] = {{"94128", true}, {"95206", true}, {"95521", true}, {"1", true}, {"3", true},
                          {"12", true},    {"16", true},    {"1", true, "90024"},           {"1", false},
                          {"95521", false}, {"12", false}};
    for (const Case& c : cases) {
        const std::string what = std::string(c.office ? "office" : "house") + " at " + c.site +
                                 (c.from ? std::string(" from ") + c.from : "");
        const fs::path p = dir / what;
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        if (c.office)
            for (INTEGER slot : {1, 2}) make_nonresidential(p, slot, 7);  // an office building
        if (c.from) {
            move_scheme(p, 1, c.from);
            run_scheme(p, 1, 243.0f);
        }
        move_scheme(p, 1, c.site);  // scheme 2 stands where scheme 1 stands
        const RecordRateZones record = record_rate_zones(c.site);
        const auto expect_site_tariff = [&](INTEGER slot, const std::string& run) {
            if (c.office) {
                EXPECT_EQ(ERATEZONE, nonresidential_rate_zone(record.electric)) << run;
                EXPECT_EQ(STRATEGY(1, slot), ERATEZONE - 21.0f) << run << ": the column's tariff";
            } else {
                EXPECT_EQ(ERATEZONE, record.electric) << run;
                EXPECT_EQ(GRATEZONE, record.gas) << run;
            }
        };
        const SchemeRun code_minimum = run_scheme(p, 1, 243.0f);
        expect_site_tariff(1, what + ", code minimum");
        const SchemeRun efficient = run_scheme(p, 2, 246.0f);
        expect_site_tariff(2, what + ", efficient design");
        expect_same_run(code_minimum, run_scheme(p, 1, 0.0f), "code minimum, " + what);
        expect_site_tariff(1, what + ", code minimum re-run");
        expect_same_run(efficient, run_scheme(p, 2, 0.0f), "efficient design, " + what);
        expect_site_tariff(2, what + ", efficient design re-run");
    }
}

// A dwelling's row 1 for an electric rate zone of zipcodes.sce (the utility:
// tiered zones 10-17, 1-4, -20 to -11, -2 and -1), and the pounds of CO2 a
// MWh of that utility's electricity carries in the emission table.
struct Utility {
    REAL row1 = 0.0f, co2_lb_per_mwh = 0.0f;
};
Utility utility_of(INTEGER record_zone) {
    if (record_zone >= 10 && record_zone <= 17) return {1.0f, 665.26f};
    if (record_zone >= 1 && record_zone <= 4) return {2.0f, 843.56f};
    if (record_zone >= -20 && record_zone <= -11) return {3.0f, 489.0f};
    if (record_zone == -2 || record_zone == -1) return {4.0f, 517.43f};
    ADD_FAILURE() << "no utility of rate zone " << record_zone << " in the sample's table";
    return {};
}

// A house at a California weather file is billed on the rate zones of its
// climate zone's line in zipcodes.sce, as the house given as that zone's
// number is; row 1 names that zone's utility and the emissions take its
// factor. Every such house was billed on one utility's zone 10: at
// Stockton (zone 11, whose line names -14) $1,865.35 of electricity against
// $1,628.69 on its line's tariff, with row 1 naming the line's utility; at
// Imperial (zone 15) on zone 10's summer baseline, 9.4 kWh a day for 39.8.
TEST(WholeRun, HouseAtACaliforniaWeatherFileIsBilledOnItsZonesLine) {
    ScratchDir dir;
    for (const char* epw : {"Arcata.epw", "Bishop.epw", "Imperial.epw", "LAburbnk.epw", "SFintlap.epw", "Stockton.epw"}) {
        const fs::path p = dir / epw;
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        const SchemeRun run = code_minimum_at(p, epw);
        const RecordRateZones line = record_rate_zones(std::to_string(CECZONE));
        EXPECT_EQ(ERATEZONE, line.electric) << epw;
        EXPECT_EQ(GRATEZONE, line.gas) << epw;
        const Utility utility = utility_of(line.electric);
        EXPECT_EQ(STRATEGY(1, 1), utility.row1) << epw;
        // Electricity CO2 (row 46) of the electricity bought (row 56).
        EXPECT_NEAR(run.rows[45], run.rows[55] * 0.001f * utility.co2_lb_per_mwh, 1e-3f * run.rows[45]) << epw;
    }
}

// The price per kWh of a year's electricity: gross cost over consumption.
REAL price_per_kwh(const SchemeRun& run) { return run.rows[35] / run.rows[24]; }

// A tariff the user chose for one side alone (basic-rate flag 26 for the
// electric tariff, 29 for the gas one; the other side left to the site) or
// for both is the tariff billed, as the column names it, in schemes 1 and 2
// at a zip code, a California weather file and outside California. An
// office's electric choice 17 is the flat tariff of rate zone 38 (its one
// rate is word 16 of its block), gas choice 16 rate zone 16, burning fuel
// 10; a house's 7 the single flat rate and 6 the flat gas rate, on the
// rate zones of its site (at a California weather file its climate zone's
// line). An office at Stockton choosing 17 alone was billed on the site's
// tariff, $71,216 against $35,112; a house at Stockton.epw choosing 7 on
// its zone's tiers, $1,628.69 against $1,015.74, and saved with row 1 = 3.
TEST(WholeRun, TariffTheColumnNamesIsTheTariffBilled) {
    ScratchDir dir;
    struct Building {
        const char* name;
        REAL electric_choice, gas_choice, kwh_price, therm_price;
        INTEGER flat_rate_zone, flat_gas_zone;  // 0: the site's
    };
    const Building buildings[] = {
        {"office", 17.0f, 16.0f, BLK33V_t{}.REC.WINRATES(1), 1.389f, 38, 16},
        {"house", 7.0f, 6.0f, BLK33_t{}.FLATERATE, BLK33_t{}.FLATGRATE, 0, 0},
    };
    for (const Building& b : buildings)
        for (const char* site : {"95206", "Stockton.epw", "ChiOHare.epw"}) {
            const fs::path designed = dir / (std::string(b.name) + " at " + site);
            testing::new_project(designed, kData / "util");
            reset_all_blocks();
            const bool office = std::string(b.name) == "office";
            if (office)
                for (const INTEGER slot : {1, 2}) make_nonresidential(designed, slot, 7);  // an office building
            move_scheme(designed, 1, site);
            run_scheme(designed, 1, 243.0f);
            run_scheme(designed, 2, 246.0f);
            const INTEGER site_electric_zone = ERATEZONE, site_gas_zone = GRATEZONE;
            // One side alone in scheme 1, both in scheme 2, and both beside
            // revised electric rates (flag 82), which bill the user's words.
            for (const auto& [slot, flags] : std::vector<std::pair<INTEGER, std::vector<INTEGER>>>{
                     {1, {26}}, {1, {29}}, {2, {26, 29}}, {2, {26, 29, 82}}}) {
                std::string what = std::string(b.name) + " at " + site + ", scheme " + std::to_string(slot) + ", flags";
                for (const INTEGER flag : flags) what += " " + std::to_string(flag);
                const fs::path p = dir / what;
                fs::copy(designed, p);
                edit_scheme(p, slot, [&] {
                    STRATEGY(1, slot) = b.electric_choice;
                    STRATEGY(3, slot) = b.gas_choice;
                });
                for (INTEGER flag : flags) set_input_file_flag(p, slot, flag);
                const SchemeRun run = run_scheme(p, slot, 0.0f);
                const bool electric = flags[0] == 26 && flags.back() != 82;
                const bool gas = std::find(flags.begin(), flags.end(), 29) != flags.end();
                if (electric) {
                    EXPECT_EQ(STRATEGY(1, slot), b.electric_choice) << what;
                    EXPECT_EQ(ERATEZONE, b.flat_rate_zone != 0 ? b.flat_rate_zone : site_electric_zone) << what;
                    EXPECT_NEAR(price_per_kwh(run), b.kwh_price, 1e-4f) << what;
                }
                if (gas) {
                    EXPECT_EQ(STRATEGY(3, slot), b.gas_choice) << what;
                    EXPECT_EQ(GRATEZONE, b.flat_gas_zone != 0 ? b.flat_gas_zone : site_gas_zone) << what;
                    EXPECT_EQ(FUELTYPE, 10.0f) << what;
                    EXPECT_NEAR(run.rows[34] / run.rows[65], b.therm_price, 1e-4f) << what << ": price per therm";
                }
            }
        }
}

// Beside revised rates (flags 82 and 83) the tariffs the user named stand
// in schemes 1 and 2 and on a move's run (flag 81), with one basic-rate
// flag as with both: rows 1 and 3 keep them, the rate zones are theirs and
// the emissions take their utility's factor. An office at 95206 naming
// PG&E's time-of-use tariff and gas 11 with both basic flags was saved 15
// and 15, billed on the generic rate zones 36 and 15, and its CO2 taken at
// California's mix (540.06 lb a MWh) for PG&E's (489): 10.4 % too much; a
// house's slot moved so saved row 1 as 5.
TEST(WholeRun, NamedTariffsStandBesideRevisedRates) {
    ScratchDir dir;
    struct Case {
        const char* building;
        INTEGER slot;
        std::vector<INTEGER> flags;
        REAL row1, row3;  // as saved
        INTEGER electric_zone, gas_zone;
    };
    // Typed: the office 13 and 11, the house 3 and 3; the site's are the
    // office's 13 and 13 (zones 34 and 13), the house's 3 and 1 (-14, 3).
    // Slot 3 is scheme 1's copy.
    const Case cases[] = {
        {"office", 1, {26, 29, 82, 83}, 13.0f, 11.0f, 34, 11},     {"office", 2, {26, 29, 82, 83}, 13.0f, 11.0f, 34, 11},
        {"office", 1, {29, 82, 83}, 13.0f, 11.0f, 34, 11},         {"office", 2, {26, 82, 83}, 13.0f, 13.0f, 34, 13},
        {"office", 3, {81, 26, 29, 82, 83}, 13.0f, 11.0f, 34, 11}, {"house", 1, {26, 29, 82, 83}, 3.0f, 3.0f, -14, 3},
        {"house", 3, {81, 26, 29, 82, 83}, 3.0f, 3.0f, -14, 3},
    };
    constexpr REAL kPgeCo2_lb_per_mwh = 489.0f;
    for (const char* building : {"office", "house"}) {
        const fs::path designed = dir / building;
        testing::new_project(designed, kData / "util");
        reset_all_blocks();
        const bool office = std::string(building) == "office";
        if (office)
            for (const INTEGER slot : {1, 2}) make_nonresidential(designed, slot, 7);  // an office building
        move_scheme(designed, 1, "95206");
        run_scheme(designed, 1, 243.0f);
        run_scheme(designed, 2, 246.0f);
        select_scheme(designed, 1, 201.0f, 3);
        ASSERT_EQ(run_kernel(designed), 0);
        for (const Case& c : cases) {
            if (std::string(c.building) != building) continue;
            std::string what = std::string(building) + ", scheme " + std::to_string(c.slot) + ", flags";
            for (const INTEGER flag : c.flags) what += " " + std::to_string(flag);
            const fs::path p = dir / what;
            fs::copy(designed, p);
            edit_scheme(p, c.slot, [&] {
                STRATEGY(1, c.slot) = office ? 13.0f : 3.0f;
                STRATEGY(3, c.slot) = office ? 11.0f : 3.0f;
            });
            for (const INTEGER flag : c.flags) set_input_file_flag(p, c.slot, flag);
            const SchemeRun run = run_scheme(p, c.slot, 0.0f);
            EXPECT_EQ(STRATEGY(1, c.slot), c.row1) << what;
            EXPECT_EQ(STRATEGY(3, c.slot), c.row3) << what;
            EXPECT_EQ(ERATEZONE, c.electric_zone) << what;
            EXPECT_EQ(GRATEZONE, c.gas_zone) << what;
            // Electricity CO2 (row 46) of the electricity bought (row 56).
            EXPECT_NEAR(run.rows[45], run.rows[55] * 0.001f * kPgeCo2_lb_per_mwh, 1e-4f * run.rows[45]) << what;
        }
    }
}

// The user revises the rates of scheme `slot` to one price a kWh in every
// tier and period and one price a therm, without customer charges: the
// words of its results file, the time-of-use record of its input file and
// the flags that keep them (82, 83).
void give_one_price_rates(const fs::path& p, INTEGER slot, REAL kwh_price, REAL therm_price) {
    edit_results(p, slot, [&] {
        for (REAL* rate : {&ERATE1, &ERATE2, &ERATE3, &ERATE4, &ERATE5}) *rate = kwh_price;
        ECUSTOMCHG = EADDER = 0.0f;
        for (REAL* rate : {&BLK33A.GASBASE, &BLK33A.GASABOVE, &BLK33A.GASBASES, &BLK33A.GASABOVES}) *rate = therm_price;
        BLK33A.GCUSTOMCHG = 0.0f;
        BLK33A.GASMULT = 1.0f;
    });
    edit_scheme(p, slot, [&] {  // a time-of-use record travels in the input file
        for (FArray<REAL, 3>* rates : {&TOUREC.SUMRATES, &TOUREC.WINRATES}) rates->fill(kwh_price);
        TOUREC.CUSTCHG = 0.0f;
    });
    for (INTEGER flag : {82, 83}) set_input_file_flag(p, slot, flag);
}

// A stored scheme whose zip code the table lacks (99999) runs at the
// default location, which its save takes as its site, and nobody moved it:
// the rates the user revised and their flags 82 and 83 stay, in scheme 1
// as in a library slot, and every run bills what a run of the same scheme
// at the default location bills. The fallback ran as a move: it cleared
// both flags and wrote the built-in rates over the user's, $4,044.33
// against $5,715.50.
TEST(WholeRun, ZipCodeTheTableLacksKeepsTheUsersRates) {
    ScratchDir dir;
    constexpr REAL kUserKwhPrice = 0.5f, kUserThermPrice = 0.6f;
    const fs::path p = dir / "lacking", at_default = dir / "at the default location";
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    run_scheme(p, 1, 243.0f);
    select_scheme(p, 1, 201.0f, 3);
    ASSERT_EQ(run_kernel(p), 0);
    for (const INTEGER slot : {1, 3}) give_one_price_rates(p, slot, kUserKwhPrice, kUserThermPrice);
    fs::copy(p, at_default);
    for (const INTEGER slot : {1, 3}) edit_scheme(p, slot, [&] { STRATEGY(4, slot) = 99999.0f; });
    for (const INTEGER slot : {1, 3})
        for (const int run : {1, 2}) {
            const std::string what = "scheme " + std::to_string(slot) + ", run " + std::to_string(run);
            const SchemeRun lacking = run_scheme(p, slot, 0.0f);
            EXPECT_EQ(STRATEGY(4, slot), 90024.0f) << what << ": the site saved";
            EXPECT_NEAR(price_per_kwh(lacking), kUserKwhPrice, 1e-4f) << what;
            EXPECT_NEAR(lacking.rows[34] / lacking.rows[65], kUserThermPrice, 1e-4f) << what << ": price per therm";
            for (const INTEGER flag : {82, 83})
                EXPECT_NE(read_file(p / ("scheme" + std::to_string(slot) + "b.dat")).at(5582 + flag - 51), 0)
                    << what << ": flag " << flag << " kept";
            expect_same_run(run_scheme(at_default, slot, 0.0f), lacking,
                            what + " against the same scheme at the default location");
        }
}

// A run's climate zone is its site's, whatever zone its results file
// holds: the line of its zip code in zipcodes.sce, and at a weather file
// the file's own, in a twelve-day run too, with the rate zones of that
// zone's line. The file's word was trusted over the site: the sample's
// scheme 1 (90024, zone 9) whose results file said 3 simulated zone3.txh on
// every later run ($1,561.50 against $2,140.45); one that said 10 (no
// zone10.txh) simulated nothing on its next run and, at 94128, moved the
// scheme to the default location for good. A slot at a weather file kept
// the zones its results file gave.
TEST(WholeRun, ResultsFileNeverNamesTheSitesZones) {
    ScratchDir dir;
    for (const char* site : {"90024", "94128"})
        for (const INTEGER stored : {3, 10}) {
            const std::string what = std::string(site) + ", results file naming zone " + std::to_string(stored);
            const fs::path p = dir / what;
            testing::new_project(p, kData / "util");
            reset_all_blocks();
            const SchemeRun designed = code_minimum_at(p, site);
            edit_results(p, 1, [&] { CECZONE = stored; });
            expect_same_run(designed, run_scheme(p, 1, 0.0f), what);
            EXPECT_EQ(CECZONE, record_rate_zones(site).climate) << what;
            EXPECT_EQ(STRATEGY(4, 1), std::stof(site)) << what << ": the site";
        }
    // A slot at Stockton run for twelve days, in the zone its year of
    // weather places it in.
    const fs::path p = dir / "Stockton";
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    code_minimum_at(p, "Stockton.epw");
    const INTEGER zone_of_the_file = CECZONE;
    select_scheme(p, 1, 201.0f, 3);
    ASSERT_EQ(run_kernel(p), 0);
    select_twelve_day_hvac_scheme(p, 3, 1, 15);
    const SchemeRun twelve_days = run_scheme(p, 3, 0.0f);
    ASSERT_EQ(twelve_days.rows[47], 12.0f);
    edit_results(p, 3, [] {
        CECZONE = 3;
        ERATEZONE = 10;
        GRATEZONE = 1;
    });
    expect_same_run(twelve_days, run_scheme(p, 3, 0.0f), "twelve days at Stockton, results file naming zone 3");
    EXPECT_EQ(CECZONE, zone_of_the_file);
    EXPECT_EQ(ERATEZONE, record_rate_zones(std::to_string(zone_of_the_file)).electric);
}

// A copy keeps the target slot's own electric tariff where that choice
// bills the copied building, and is billed on it from its own run on; any
// other row 1 gives way to the source's, so that row 1 names the tariff
// billed (the README's rule: 13 the time-of-use tariff of rate zone 34, 15
// the generic one of zone 36). An office copied into a slot whose row 1
// chose 13 was billed on scheme 1's tariff ($4,605.24 at Chicago) and its
// re-runs on 13's ($6,570.84); copied into a new project's slot it showed
// row 1 = 1, a dwelling's utility, for tariff 15.
TEST(WholeRun, CopyIsBilledOnTheTariffItsRowOneNames) {
    ScratchDir dir;
    const fs::path p = dir / "office";
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    for (INTEGER slot : {1, 2}) make_nonresidential(p, slot, 7);  // an office building
    code_minimum_at(p, "ChiOHare.epw");
    ASSERT_EQ(STRATEGY(1, 1), 15.0f);
    struct Case {
        INTEGER target;
        REAL own_choice, billed_choice;
        INTEGER rate_zone;
    };
    for (const Case& c : {Case{3, 1.0f, 15.0f, 36}, Case{4, 13.0f, 13.0f, 34}}) {
        const std::string what = "copy into a slot of row 1 = " + std::to_string(int(c.own_choice));
        edit_scheme(p, c.target, [&] { STRATEGY(1, c.target) = c.own_choice; });
        select_scheme(p, 1, 201.0f, c.target);
        ASSERT_EQ(run_kernel(p), 0);
        EXPECT_EQ(STRATEGY(1, c.target), c.billed_choice) << what;
        EXPECT_EQ(ERATEZONE, c.rate_zone) << what;
        SchemeRun copy;
        for (INTEGER row = 1; row <= 80; ++row) copy.rows.push_back(SUMARY(row, c.target));
        expect_same_run(copy, run_scheme(p, c.target, 0.0f), what + ", its re-run");
    }
}

// A library slot burns the fuel its gas choice (row 3) names on every run,
// not only on the run whose basic-rate flag 29 took the choice: the fuel
// type is settled from the row, never kept from the files. A house's slot
// that once burned propane (7) and then chose natural gas (1) again kept
// propane, failed the fuel check against its gas appliances and simulated
// nothing on every later run; one that chose oil (8) without the flag was
// billed natural gas.
TEST(WholeRun, SlotBurnsTheFuelItsGasChoiceNames) {
    ScratchDir dir;
    const fs::path p = dir / "p";
    copy_sample(p);
    reset_all_blocks();
    select_scheme(p, 1, 201.0f, 3);
    ASSERT_EQ(run_kernel(p), 0);
    edit_scheme(p, 3, [] { STRATEGY(3, 3) = 7.0f; });
    set_input_file_flag(p, 3, 29);
    run_scheme(p, 3, 0.0f);
    ASSERT_EQ(FUELTYPE, 2.0f) << "propane chosen with the flag";
    struct Case {
        REAL gas_choice, fuel_type;
        bool simulated;  // a natural-gas house cannot burn oil
    };
    for (const Case c : {Case{1.0f, 0.0f, true}, Case{8.0f, 3.0f, false}, Case{5.0f, 1.0f, true}}) {
        edit_scheme(p, 3, [&] { STRATEGY(3, 3) = c.gas_choice; });
        run_scheme(p, 3, 0.0f);
        EXPECT_EQ(FUELTYPE, c.fuel_type) << "gas choice " << c.gas_choice;
        EXPECT_EQ(SUMARY(48, 3) > 0.0f, c.simulated) << "gas choice " << c.gas_choice;
    }
}

// Schemes 1 and 2 run the base schemes' gas storage water heater whatever
// heater their input file holds, and the fuel check judges that heater: an
// electric heater typed into the sample's scheme 1 under an oil choice (gas
// choice 8 with flag 29) let the first run simulate 365 days, billing the
// gas heater, and every later run simulate nothing.
TEST(WholeRun, BaseSchemeFuelCheckJudgesTheHeaterItRuns) {
    ScratchDir dir;
    const fs::path p = dir / "p";
    copy_sample(p);
    reset_all_blocks();
    edit_scheme(p, 1, [] {
        STRATEGY(3, 1) = 8.0f;
        WHTYPE = 2;
    });
    for (const int run : {1, 2}) {
        set_input_file_flag(p, 1, 29);
        run_scheme(p, 1, 0.0f);
        EXPECT_TRUE(NFLAG(68)) << "run " << run << ": oil against the gas storage heater";
        EXPECT_EQ(SUMARY(48, 1), 0.0f) << "run " << run << ": days simulated";
    }
}

// The user's own rates (advanced-rate flags 82 electric, 83 fuel, the rates
// in the scheme's results and input files) bill every run of schemes 1 and 2, the
// design run and its re-runs alike, until a move. Every load of scheme 2
// counted as a move: its design run billed the user's rates and its re-run
// the built-in ones, an office at Stockton $0.1664 then $0.1996 per kWh, a
// house at Westwood $0.4080 then $0.2217.
TEST(WholeRun, UserRatesBillEveryRunOfTheirScheme) {
    ScratchDir dir;
    constexpr REAL kUserKwhPrice = 0.5f, kUserThermPrice = 2.0f;
    for (const auto& [building, site] : {std::pair{"house", "90024"}, std::pair{"office", "95206"}}) {
        const fs::path p = dir / building;
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        if (std::string(building) == "office")
            for (INTEGER slot : {1, 2}) make_nonresidential(p, slot, 7);  // an office building
        move_scheme(p, 1, site);
        const SchemeRun built_in[] = {run_scheme(p, 1, 243.0f), run_scheme(p, 2, 246.0f)};
        for (INTEGER slot : {1, 2}) give_one_price_rates(p, slot, kUserKwhPrice, kUserThermPrice);
        for (INTEGER slot : {1, 2})
            for (const REAL command : {slot == 1 ? 243.0f : 246.0f, 0.0f, 0.0f}) {
                const std::string what = std::string(building) + ", scheme " + std::to_string(slot) + ", command " +
                                         std::to_string(static_cast<int>(command));
                const SchemeRun run = run_scheme(p, slot, command);
                EXPECT_TRUE(NFLAG(82) && NFLAG(83)) << what << ": the user's rates are kept";
                EXPECT_NEAR(price_per_kwh(run), kUserKwhPrice, 1e-4f) << what;
                EXPECT_NEAR(run.rows[34] / run.rows[65], kUserThermPrice, 1e-4f) << what << ": price per therm";
            }
        // Moved (to the same site): the design run takes the built-in rates
        // back, as a plain run after a move does.
        for (INTEGER slot : {1, 2}) move_scheme(p, slot, site);
        for (INTEGER slot : {2, 1}) {
            const std::string what = std::string(building) + ", scheme " + std::to_string(slot) + " moved";
            expect_same_run(built_in[slot - 1], run_scheme(p, slot, slot == 1 ? 243.0f : 246.0f), what);
            EXPECT_FALSE(NFLAG(82) || NFLAG(83)) << what;
        }
    }
}

// A scheme that keeps the rates the user typed (flag 82) is billed as the
// tariff's month rules have it, and its files keep what was typed: no bill
// writes over kept rates, so every run bills the same and a copy of the
// scheme bills what the user typed. In an SDG&E rate zone (1 to 4) scheme 1
// is billed on the built-in base rates and tier adders of each month: the
// run saved them over the typed ones (0.1 and 0.2 became 0.07485 and
// 0.14812). A tariff without a summer baseline bills the summer at tier 1
// and clears the upper rates from the first missing one for the rest of
// the run: the run saved them cleared (SCE zone 10, typed 0.1 / 0.2 / 0 /
// 0.4 / 0.5 at baselines 9.8 / 0: the first run $1,080.57, every re-run
// without tiers 4 and 5 $1,061.86). PG&E bills its built-in monthly
// baselines: the run saved them over the typed ones (5 / 6 became 8.5 / 7.0).
TEST(WholeRun, KeptRatesAreBilledByTheTariffsRulesAndKeptAsTyped) {
    struct Case {
        const char* what;
        const char* site;  // a zip code, or a climate zone whose line names the rate zone
        INTEGER rate_zone;
        void (*type_rates)();
        bool bills_built_in;  // the month rules bill the built-in words in place of the typed ones
    };
    const Case cases[] = {
        {"SDG&E scheme 1", "7", 1,
         [] {
             ERATE1 = 0.1f;
             ERATE2 = 0.2f;
             ETIERADDW.fill(0.01f);
             ETIERADDS.fill(0.01f);
         },
         true},
        {"SCE without a summer baseline", "90024", 10,
         [] {
             ERATE1 = 0.1f;
             ERATE2 = 0.2f;
             ERATE3 = 0.0f;
             ERATE4 = 0.4f;
             ERATE5 = 0.5f;
             EBASEW = 9.8f;
             EBASES = 0.0f;
         },
         false},
        {"PG&E baselines", "94128", -15,
         [] {
             EBASEW = 5.0f;
             EBASES = 6.0f;
         },
         true},
    };
    // The rate words a scheme's results file keeps.
    auto kept_words = [] {
        std::vector<REAL> words = {ERATE1, ERATE2, ERATE3, ERATE4, ERATE5, EBASEW, EBASES};
        for (INTEGER t = 1; t <= 5; ++t) words.push_back(ETIERADDW(t));
        for (INTEGER t = 1; t <= 5; ++t) words.push_back(ETIERADDS(t));
        return words;
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        // San Diego's line of zipcodes.sce (rate zone 1) is climate zone 7,
        // whose zone file the sample lacks: zone 9's weather under its name.
        const fs::path weather = dir / "weather";
        fs::copy(kData / "weather", weather);
        fs::copy_file(weather / "zone9.txh", weather / "zone7.txh");
        const fs::path p = dir / "p";
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        move_scheme(p, 1, c.site);
        select_scheme(p, 1, 243.0f);
        ASSERT_EQ(run_kernel(p, weather), 0) << c.what;
        ASSERT_EQ(ERATEZONE, c.rate_zone) << c.what;
        const REAL built_in_bill = SUMARY(36, 1);
        std::vector<REAL> typed;
        edit_results(p, 1, [&] {
            c.type_rates();
            typed = kept_words();
        });
        set_input_file_flag(p, 1, 82);
        select_scheme(p, 1, 0.0f);
        ASSERT_EQ(run_kernel(p, weather), 0) << c.what;
        const REAL first_bill = SUMARY(36, 1);
        if (c.bills_built_in) EXPECT_NEAR(first_bill, built_in_bill, 1e-4f * built_in_bill) << c.what;
        else EXPECT_NE(first_bill, built_in_bill) << c.what;
        EXPECT_NE(read_file(p / "scheme1b.dat").at(5582 + 82 - 51), 0) << c.what << ": flag 82 kept";
        edit_results(p, 1, [&] { EXPECT_EQ(kept_words(), typed) << c.what << ": the words kept"; });
        select_scheme(p, 1, 0.0f);
        ASSERT_EQ(run_kernel(p, weather), 0) << c.what;
        EXPECT_NEAR(SUMARY(36, 1), first_bill, 1e-4f * first_bill) << c.what << ": the re-run";
    }
}

// A project file that cannot be loaded whole (damaged, or emptied by an
// interrupted copy), or a missing input file of the scheme: the run fails,
// saves nothing and writes no report.
TEST(WholeRun, FailedLoadFailsTheRunAndSavesNothing) {
    struct Case {
        const char* damage;
        void (*apply)(const fs::path&);
        INTEGER scheme_run;  // the summary file names scheme 3
        bool no_weather = false;  // the host names a weather directory that does not exist
    };
    const Case cases[] = {
        {"short strategy file", [](const fs::path& p) { cut_file(p / "stratb.dat", 1612); }, 3},
        {"bad slot code in master.dir",
         [](const fs::path& p) {
             std::string text = read_file(p / "master.dir");
             text[29 * 4 + 1] = 'x';  // line 5, the slot code's digit
             write_file(p / "master.dir", text);
         },
         3},
        {"input file deleted", [](const fs::path& p) { fs::remove(p / "scheme3b.dat"); }, 3},
        {"input file emptied", [](const fs::path& p) { cut_file(p / "scheme3b.dat", 0); }, 3},
        {"summary file emptied", [](const fs::path& p) { cut_file(p / "summaryb.dat", 0); }, 1},
        {"strategy file emptied", [](const fs::path& p) { cut_file(p / "stratb.dat", 0); }, 3},
        {"companion emptied", [](const fs::path& p) { cut_file(p / "stratb.bfr", 0); }, 3},
        {"master.dir emptied beside the summary file", [](const fs::path& p) { cut_file(p / "master.dir", 0); }, 3},
        // Lines of 28 columns and their line end.
        {"master.dir cut at 60 bytes", [](const fs::path& p) { cut_file(p / "master.dir", 60); }, 3},
        {"master.dir cut after 5 lines", [](const fs::path& p) { cut_file(p / "master.dir", 5 * 29); }, 3},
        {"master.dir cut inside its ninth line", [](const fs::path& p) { cut_file(p / "master.dir", 9 * 29 - 6); }, 3},
        {"NaN word in the input file",
         [](const fs::path& p) {
             // The writers save no such value: a marked word is saved, then
             // its bytes are overwritten.
             constexpr REAL kMark = 12345.678f;
             edit_scheme(p, 3, [] { AREA(12) = kMark; });
             std::string bytes = read_file(p / "scheme3b.dat");
             const std::string mark(reinterpret_cast<const char*>(&kMark), sizeof kMark);
             const REAL nan = std::numeric_limits<REAL>::quiet_NaN();
             const std::size_t at = bytes.find(mark);
             ASSERT_NE(at, std::string::npos);
             bytes.replace(at, sizeof nan, reinterpret_cast<const char*>(&nan), sizeof nan);
             write_file(p / "scheme3b.dat", bytes);
         },
         3},
        {"no weather at all, not even zone 9's", [](const fs::path&) {}, 3, true},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        const fs::path p = settled_sample(dir, c.damage);
        reset_all_blocks();
        select_scheme(p, 3, 0.0f);
        c.apply(p);
        const auto before = project_files(p);
        reset_all_blocks();
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(c.no_weather ? run_kernel(p, dir / "no weather") : run_kernel(p), 1) << c.damage;
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << c.damage;
        EXPECT_EQ(IDNUM1, c.scheme_run) << c.damage;  // the scheme the host asked for ran
        EXPECT_FALSE(NFLAG(51)) << c.damage;
        EXPECT_TRUE(project_files(p) == before) << c.damage << ": a project file or report changed";
    }
}

// A zone 9 file that ends in mid-October fails a run of any slot that
// reads past its end, over the year or over twelve days (beyond the cut, or
// across it): nothing is saved and no report written. A copy of a designed
// scheme in slots 3 and 6 saved a year of zeros, and returned 0. Twelve
// days before the cut still run.
TEST(WholeRun, WeatherFileEndingBeforeTheSimulatedDaysFailsTheRun) {
    ScratchDir dir;
    const fs::path p = designed_home(dir, "p");
    select_scheme(p, 1, 201.0f, 6);
    ASSERT_EQ(run_kernel(p), 0);
    const fs::path cut = dir / "cut";
    fs::copy(kData / "weather", cut, fs::copy_options::recursive);
    cut_file(cut / "zone9.txh", 560362);
    struct Case {
        INTEGER slot, month, day;  // month and day 0: the whole year
        bool past_the_cut;
    };
    for (const Case& c : {Case{3, 0, 0, true}, Case{6, 0, 0, true}, Case{3, 11, 1, true}, Case{6, 10, 10, true},
                          Case{3, 3, 1, false}}) {
        const std::string what = "slot " + std::to_string(c.slot) + " from " + std::to_string(c.month) + "/" +
                                 std::to_string(c.day);
        edit_scheme(p, c.slot, [&] {
            TMYMON = c.month;
            TMYDAY = c.day;
        });
        select_scheme(p, c.slot, 0.0f);
        reset_all_blocks();
        ASSERT_EQ(run_kernel(p), 0) << what;  // the whole file serves
        ASSERT_EQ(SUMARY(48, c.slot), c.month == 0 ? 365.0f : 12.0f) << what;
        const auto before = project_files(p);
        reset_all_blocks();
        if (!c.past_the_cut) {
            EXPECT_EQ(run_kernel(p, cut), 0) << what;
            EXPECT_EQ(SUMARY(48, c.slot), 12.0f) << what;
            continue;
        }
        EXPECT_EQ(run_kernel(p, cut), 1) << what;
        EXPECT_FALSE(NFLAG(51)) << what;
        EXPECT_TRUE(project_files(p) == before) << what << ": a project file or report changed";
    }
}

// Results are derived data: a run rebuilds a scheme's results file it
// cannot read whole, and saves the same files as a run that could.
TEST(WholeRun, MissingOrDamagedResultsFileIsRebuilt) {
    ScratchDir dir;
    const fs::path reference = settled_sample(dir, "reference");
    reset_all_blocks();
    ASSERT_EQ(run_kernel(reference), 0);
    const auto expected = project_files(reference);
    const std::pair<const char*, void (*)(const fs::path&)> damages[] = {
        {"deleted", [](const fs::path& f) { fs::remove(f); }},
        {"emptied", [](const fs::path& f) { cut_file(f, 0); }},
        {"cut short", [](const fs::path& f) { cut_file(f, 30000); }},
        {"not a record file", [](const fs::path& f) { write_file(f, "JUNK" + read_file(f).substr(4)); }},
    };
    // The rebuilt site comes from the zip-code table again: its record's
    // fifth field, which nothing reads, replaces the initial value the
    // sample's file carried (site words 1-16 follow the 7000 hourly and
    // bar-chart records).
    constexpr std::size_t kSiteBytes = 12 + 4 * 7000, kSiteEnd = kSiteBytes + 4 * 16;
    auto outside_site = [&](const std::string& het) { return het.substr(0, kSiteBytes) + het.substr(kSiteEnd); };
    for (const auto& [damage, apply] : damages) {
        const fs::path p = settled_sample(dir, damage);
        apply(p / "scheme1b.het");
        reset_all_blocks();
        EXPECT_EQ(run_kernel(p), 0) << damage;
        EXPECT_TRUE(NFLAG(51)) << damage;
        auto files = project_files(p);
        EXPECT_EQ(files["scheme1b.het"].size(), expected.at("scheme1b.het").size()) << damage;
        EXPECT_TRUE(outside_site(files["scheme1b.het"]) == outside_site(expected.at("scheme1b.het"))) << damage;
        files["scheme1b.het"] = expected.at("scheme1b.het");
        EXPECT_TRUE(files == expected) << damage;
    }
}

// Runs the kernel in a child process whose files may not grow beyond
// `limit_bytes` each (a disk that fills up while that file is written).
int run_with_file_limit(const fs::path& project, rlim_t limit_bytes) {
    return in_child_process([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limit_bytes, limit_bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        reset_all_blocks();
        return run_kernel(project);
    });
}

TEST(WholeRun, FullDiskLeavesTheProjectAsItWasOrWhollyNew) {
    // The sample's first run rewrites its data files and adds the reports.
    ScratchDir dir;
    const fs::path lone = dir / "lone";
    copy_sample(lone);
    const auto before = project_files(lone);
    reset_all_blocks();
    ASSERT_EQ(run_kernel(lone), 0);
    const auto after = project_files(lone);
    // The disk fills up while each file in turn is written: every size the
    // run writes, less one byte, then no limit.
    std::vector<rlim_t> limits = {0};
    for (const auto& [name, bytes] : after)
        if (bytes.size() > 0) limits.push_back(bytes.size() - 1);
    limits.push_back(RLIM_INFINITY);
    int failed_runs = 0, last_rc = -1;
    for (rlim_t limit : limits) {
        const fs::path p = dir / ("limit" + std::to_string(limit));
        copy_sample(p);
        const int rc = run_with_file_limit(p, limit);
        const auto files = project_files(p);
        const std::string which = "files limited to " + std::to_string(limit) + " bytes";
        if (rc == 1) EXPECT_TRUE(files == before) << which << ": the project changed in a failed run";
        else if (rc == 0) EXPECT_TRUE(files == after) << which << ": the project is not the run's whole";
        else ADD_FAILURE() << which << ": the run ended with " << rc;
        for (const auto& [name, bytes] : files) EXPECT_NE(name[0], '.') << which << ": temporary left: " << name;
        fs::remove_all(p);
        failed_runs += rc == 1;
        last_rc = rc;
    }
    EXPECT_GT(failed_runs, 0);
    EXPECT_EQ(last_rc, 0);  // a disk with room

    // A report that cannot be written (a pipe nobody reads stands in its
    // place) fails the run, and no file of it goes in place.
    const fs::path p = dir / "report";
    copy_sample(p);
    ASSERT_EQ(mkfifo((p / "scheme1.csv").c_str(), 0666), 0);
    const auto linked = project_files(p);
    reset_all_blocks();
    EXPECT_EQ(run_kernel(p), 1);
    EXPECT_TRUE(project_files(p) == linked);
}

// A non-residential building has no compliance export: the document and
// import instructions of the scheme's earlier residential run describe
// another building and go when this run's reports go in place, not before.
TEST(WholeRun, NonresidentialRunLeavesNoResidentialExport) {
    ScratchDir dir;
    const fs::path p = settled_sample(dir, "p");
    ASSERT_TRUE(fs::exists(p / "scheme1.xml") && fs::exists(p / "scheme1.txt"));
    make_nonresidential(p, 1);
    select_scheme(p, 1, 0.0f);
    {  // a run that cannot write its hourly report (a pipe nobody reads)
        const fs::path failing = dir / "failing";
        fs::copy(p, failing);
        fs::remove(failing / "scheme1.csv");
        ASSERT_EQ(mkfifo((failing / "scheme1.csv").c_str(), 0666), 0);
        const auto before = project_files(failing);
        reset_all_blocks();
        EXPECT_EQ(run_kernel(failing), 1);
        EXPECT_TRUE(project_files(failing) == before);
    }
    reset_all_blocks();
    ASSERT_EQ(run_kernel(p), 0);
    ASSERT_TRUE(NFLAG(24));
    EXPECT_TRUE(fs::exists(p / "scheme1.csv"));
    EXPECT_FALSE(fs::exists(p / "scheme1.xml"));
    EXPECT_FALSE(fs::exists(p / "scheme1.txt"));
}

// A run that simulated nothing returns 0 with every result 0. Its compliance
// document and import instructions are refused, its CSV report says so on
// its first line, and its climate link names no climate it did not read.
// They were a well-formed document an importer took (every energy 0), an
// 813-line import text and a link to the site's zone.
TEST(WholeRun, RunThatSimulatedNothingSaysSoInItsReports) {
    struct Case {
        const char* what;
        void (*apply)(const fs::path&);
        const char* why;
        const char* link;  // the climate link's weather reference
    };
    const Case cases[] = {
        {"zone balance that fails", [](const fs::path&) {}, "the zone balance failed", "ZONE 09"},
        {"weather file that cannot be read",
         [](const fs::path& p) { choose_weather_file(p, 3, "Nowhere.epw"); },
         "the climate data are not valid", ""},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        // The sample's scheme 3 holds no design: its zone balance fails.
        const fs::path p = settled_sample(dir, c.what);
        c.apply(p);
        select_scheme(p, 3, 0.0f);
        reset_all_blocks();
        ASSERT_EQ(run_kernel(p), 0) << c.what;
        ASSERT_EQ(SUMARY(48, 3), 0.0f) << c.what;
        // Nor net costs in its parameter column: a failed zone balance kept
        // the bills its summary held before that was zeroed.
        for (INTEGER r = 44; r <= 46; ++r) EXPECT_EQ(STRATEGY(r, 3), 0.0f) << c.what << " row " << r;
        const std::string heading = std::string("Nothing was simulated: ") + c.why;
        EXPECT_EQ(read_file(p / "scheme3.xml"),
                  "<................. ERROR......................" + heading + ",so you can NOT use EnergyPro/>\n")
            << c.what;
        const std::vector<std::string> notes = testing::read_lines(p / "scheme3.txt");
        ASSERT_GE(notes.size(), 5u) << c.what;
        EXPECT_EQ(notes[3], heading + ",") << c.what;
        EXPECT_EQ(notes[4], "so you can NOT use EnergyPro") << c.what;
        EXPECT_EQ(testing::read_lines(p / "scheme3.csv").at(0), heading) << c.what;
        const std::vector<std::string> link = testing::read_lines(p / "scheme3.cclink");
        ASSERT_EQ(link.size(), 5u) << c.what;
        EXPECT_EQ(FString<255>(link[4]).trimmed(), c.link) << c.what;
    }
}

// A non-residential run owes nothing to a residential run before it in the
// process. Its construction step lays out no attic ceiling, and a pitched
// roof over an attic took the ceiling paths a dwelling's run had left: the
// designed house made an office had a ceiling of U 0.031 after a dwelling's
// run and of 0.526 in a fresh process (168.7 against 459.7 therms of
// heating); it now keeps its roof's own U-factor in both.
TEST(WholeRun, NonresidentialRunAfterAResidentialOneIsAFreshRun) {
    auto office = [](const fs::path& p, INTEGER slot) {
        edit_scheme(p, slot, [] {
            NFLAG(24) = true;
            NTYPE = 7;  // an office building
        });
        fs::copy_file(kData / "util" / "schedule01.dat", p / ("schedule" + std::to_string(slot) + ".dat"),
                      fs::copy_options::overwrite_existing);
    };
    struct Case {
        const char* what;
        INTEGER slot;
        std::function<void(const fs::path&)> make;
    };
    const Case cases[] = {
        {"an office under a pitched roof over an attic", 3,
         [&](const fs::path& p) {
             edit_scheme(p, 3, [] { STRATEGY(32, 3) = 4.0f; });
             office(p, 3);
         }},
        {"a designed house copied to scheme 3 and made an office", 3,
         [&](const fs::path& p) {
             run_scheme(p, 1, 243.0f);
             select_scheme(p, 1, 201.0f, 3);  // copied into scheme 3
             ASSERT_EQ(run_kernel(p), 0);
             reset_all_blocks();
             office(p, 3);
         }},
        {"a designed house's scheme 1 made an office", 1,
         [&](const fs::path& p) {
             run_scheme(p, 1, 243.0f);
             reset_all_blocks();
             office(p, 1);
         }},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path fresh = dir / "fresh", after = dir / "after", house = dir / "house";
        copy_sample(fresh);
        copy_sample(house);
        reset_all_blocks();
        c.make(fresh);
        fs::copy(fresh, after);
        // The requests are made before any run, so that every project file
        // starts alike.
        for (const fs::path& p : {fresh, after}) {
            reset_all_blocks();
            select_scheme(p, c.slot, 0.0f);
        }
        reset_all_blocks();
        select_scheme(house, 1, 243.0f);

        reset_all_blocks();
        ASSERT_EQ(run_kernel(fresh), 0) << c.what;
        reset_all_blocks();
        ASSERT_EQ(run_kernel(house), 0);
        ASSERT_EQ(run_kernel(after), 0) << c.what;
        ASSERT_TRUE(NFLAG(24)) << c.what;
        expect_same_files(fresh, after);
    }
}

// A designed house that was a warehouse or an office for a while and is
// designed again is the house it was, in its results, its saved input file
// and its column: it had kept the other building's occupant heat (275 Btu/h
// a person after the warehouse), the office design's flat roof, window type
// 2 and slab edge (U 0.73, 24 h lag) under a raised floor, the
// non-residential rate zones 32 and 11, billed on the generic time-of-use
// tariff ($2,140.45 first, $1,701.93 after the warehouse), and the code
// door of the warehouse's zone (U 0.5 at Arcata for the built-in 1.45) in
// its glazing table. A row house kept the kind and facade class of window
// lines a type 2 design had where the house has none. A flat with units
// above and below, without roof or floor, kept the warehouse's roof film,
// the lag and decrement of its floor and its roof's sol-air day. A new
// house described as built in 1930 kept that year through its first
// design; the load of the host's edit clears a new house's year, and the
// design after it stored 2013. A dark flat roof typed with the change from
// an office was dropped with the office's own roof: the house got the
// climate's sloped roof ($2,140.45, exported tilt 29) where its first
// design, and a second with the same roof typed, keep the flat one
// ($2,142.34, tilt 0).
TEST(WholeRun, HouseBackFromAnotherUseIsDesignedAsBefore) {
    using Rows = std::vector<std::pair<INTEGER, REAL>>;
    struct Case {
        const char* use;
        INTEGER type;
        REAL command;
        const char* site;  // "": the sample's
        Rows house;        // the house's rows the designer sets, put back after the other use
        Rows other;        // rows of the other use
        bool type_back;    // the designer puts the house's type back too
    };
    const Case cases[] = {
        {"a warehouse run as saved", 11, 0.0f, "", {}, {}, false},
        {"an office designed", 7, 243.0f, "", {}, {}, false},
        {"a type 2 building designed, a row house", 2, 243.0f, "", {{7, 3.0f}}, {}, false},
        {"a warehouse designed, a flat with units above and below", 11, 243.0f, "", {{7, 3.0f}, {9, 3.0f}}, {},
         false},
        {"a warehouse run as saved, a new house of 1930 at Arcata", 11, 0.0f, "Arcata.epw", {{11, 1930.0f}}, {},
         false},
        // The designer types a dark flat roof with the change of use, in a
        // zone without a cool-roof requirement.
        {"an office designed, a dark flat roof typed", 7, 243.0f, "", {{32, 3.0f}}, {}, false},
        // The other building's roof lay under another unit: the house's
        // design met no roof area before laying its own roof out.
        {"a type 3 building designed under another unit, an addition with foil (code 3)", 3, 243.0f, "",
         {{6, 3.0f}, {10, 0.0f}, {11, 1951.0f}, {32, 4.0f}, {35, 3.0f}}, {{10, 1.0f}}, true}};
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path p = dir / "p";
        copy_sample(p);
        reset_all_blocks();
        if (c.site[0] != '\0') move_scheme(p, 1, c.site);
        const auto set_rows = [&](const Rows& rows) {
            edit_scheme(p, 1, [&] {
                for (const auto& [row, value] : rows) STRATEGY(row, 1) = value;
            });
        };
        INTEGER own_type = 0;
        edit_scheme(p, 1, [&] { own_type = NTYPE; });
        set_rows(c.house);
        const SchemeRun house = run_scheme(p, 1, 243.0f);
        const SavedScheme house_saved = saved_scheme(p, 1);
        make_nonresidential(p, 1, c.type);
        set_rows(c.other);
        run_scheme(p, 1, c.command);
        edit_scheme(p, 1, [&] {
            NFLAG(24) = false;
            if (c.type_back) NTYPE = own_type;
        });
        set_rows(c.house);
        const std::string what = std::string("a house back from ") + c.use;
        expect_same_run(house, run_scheme(p, 1, 243.0f), what);
        const SavedScheme back = saved_scheme(p, 1);
        const std::string& was = house_saved.files.at("scheme1b.dat");
        const std::string& is = back.files.at("scheme1b.dat");
        std::size_t at = 0;
        while (at < was.size() && at < is.size() && was[at] == is[at]) ++at;
        EXPECT_TRUE(was == is) << what << ": the saved input file differs from byte " << at;
        EXPECT_EQ(house_saved.column, back.column) << what;
        for (const auto& [row, value] : c.house) {
            if (row == 32 && value == 3.0f) {
                EXPECT_EQ(back.column[31], 3.0f) << what << ": the roof typed";
            }
        }
    }
}

// A run settles some choices of its scheme's column as it saves them (a
// roof type 0 becomes 1, a heating code 0 becomes 1, the floor type follows
// the floor the model has); before that, the run reads the same choice.
// The sample's first plain run of scheme 1 read its roof type 0 as an attic
// with foil (ceiling U 0.0963 saved, 0.2823 on the next run) and its
// heating code 0 as a house without a heating peak (rows 26 to 28: 0, 12,
// 6, then -11.76, 11, 19); a basement the model gave no perimeter became a
// raised floor after the first run.
TEST(WholeRun, FirstPlainRunOfTheSampleEqualsItsSecond) {
    for (REAL floor_type : {0.0f, 10.0f}) {  // as the sample holds it; a basement
        ScratchDir dir;
        const fs::path p = dir / "p";
        copy_sample(p);
        reset_all_blocks();
        if (floor_type > 0.0f) edit_scheme(p, 1, [&] { STRATEGY(33, 1) = floor_type; });
        const SchemeRun first = run_scheme(p, 1, 0.0f);
        expect_same_run(first, run_scheme(p, 1, 0.0f), floor_type > 0.0f ? "a basement" : "the sample");
    }
}

TEST(WholeRun, AnotherProjectLendsNoNamesOrColumns) {
    ScratchDir dir;
    const fs::path other = settled_sample(dir, "other");
    const fs::path fresh = settled_sample(dir, "fresh");
    const fs::path after = settled_sample(dir, "after");
    // A project whose scheme directory and back-up columns are gone.
    for (const fs::path& p : {fresh, after}) {
        fs::remove(p / "master.dir");
        fs::remove(p / "stratb.bfr");
    }
    reset_all_blocks();
    ASSERT_EQ(run_kernel(fresh), 0);

    // The other project names scheme 5 and fills its column and copy.
    reset_all_blocks();
    testing::use_directories(other.string(), (kData / "util").string(), (kData / "weather").string());
    BLK0B.DISKPROJ = 32;
    AADISK(-1);
    AADISK(-5);
    SCHEMENAME(5) = "Other project's fifth";
    NCOMBO(2) = 15;
    LINENAME(2) = "Other combination";
    STRATEGY(300, 5) = 123.0f;
    STRATEGY(300, 14) = 123.0f;
    AADISK(6);
    AADISK(1);
    ASSERT_EQ(run_kernel(other), 0);
    ASSERT_EQ(run_kernel(after), 0);

    expect_same_files(fresh, after);
    EXPECT_EQ(read_file(after / "master.dir").find("Other"), std::string::npos);
}

// Solar electric and solar water heating ----------------------------------------

// Scheme 3 with a 3 kW array and collectors sized by rule, over the whole
// year or the twelve days from `month`/`day`, on the weather file `epw`
// (none: the site's climate-zone file).
void solar_scheme(const fs::path& p, INTEGER month, INTEGER day, const char* epw = nullptr) {
    edit_scheme(p, 3, [&] {
        SQTY(1) = -3.0f;
        STRATEGY(41, 3) = 1.0f;
        TMYMON = month;
        TMYDAY = day;
        if (epw) {
            STRATEGY(4, 3) = -1.0f;  // no zip code: the scheme's own weather file
            CLIMATEFILENAME = epw;
        }
    });
    select_scheme(p, 3, 0.0f);
}

// A copy of the weather directory with the lines of `epw` rewritten.
template <class Rewrite>
fs::path edited_weather(const ScratchDir& dir, const std::string& epw, Rewrite rewrite) {
    const fs::path w = dir / "weather";
    fs::copy(kData / "weather", w, fs::copy_options::recursive);
    std::string text;
    for (const std::string& line : testing::read_lines(kData / "weather" / epw)) text += rewrite(line);
    write_file(w / epw, text);
    return w;
}

// Hours of the year before the first hour of a date (no leap day).
INTEGER hours_before(int month, int day) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int days = day - 1;
    for (int m = 1; m < month; ++m) days += kDays[m - 1];
    return days * 24;
}

// Comma-separated fields of an EPW line.
std::vector<std::string> epw_fields(const std::string& line) {
    std::vector<std::string> f;
    std::size_t start = 0;
    for (std::size_t c; (c = line.find(',', start)) != std::string::npos; start = c + 1)
        f.push_back(line.substr(start, c - start));
    f.push_back(line.substr(start));
    return f;
}

std::string epw_line(const std::vector<std::string>& f) {
    std::string line;
    for (const std::string& v : f) line += (line.empty() ? "" : ",") + v;
    return line + "\n";
}

// The same scheme 3 run with its collectors and without them: the heater
// buys less with them, what they saved (row 64 or 74) is the difference of
// the heater's fuel or electricity (row 65 or 75), valued at the year's
// mean price (row 76 = row 64 x row 35 / row 66, row 77 = row 74 x row 36
// / row 25), and nothing is saved without them. A restaurant of 435,100 ft2
// on 28 stories draws about 170,000 gallons a day through the 50-gallon
// solar tank of two collectors: the tank held the draw of a minute and
// swung further every hour, until its heat-pump heater bought 82 GWh more
// with the collectors than the 1.6 GWh it buys without them.
TEST(WholeRun, SolarSavingsAreWhatTheWaterHeaterStopsBuying) {
    struct Case {
        const char* building;
        bool restaurant;
        INTEGER water_heater;  // 0: as designed (a gas storage heater)
        REAL collectors;       // row 41
        int saved, heater, cost, energy, valued;
    };
    const Case cases[] = {
        {"a home's gas heater, collectors by rule", false, 0, 1.0f, 64, 65, 35, 66, 76},
        {"a restaurant's heat-pump heater, two collectors", true, 7, -2.0f, 74, 75, 36, 25, 77},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        fs::path p = dir / "p";
        if (c.restaurant) {
            copy_sample(p);
            reset_all_blocks();
            make_nonresidential(p, 1, 10);
            edit_scheme(p, 1, [] {
                STRATEGY(8, 1) = 435100.0f;
                STRATEGY(14, 1) = 28.0f;
            });
            run_scheme(p, 1, 243.0f);
            select_scheme(p, 1, 201.0f, 3);
            ASSERT_EQ(run_kernel(p), 0);
        } else {
            p = designed_home(dir, "p");
        }
        std::vector<REAL> rows[2];  // without the collectors, with them
        for (const int with : {0, 1}) {
            edit_scheme(p, 3, [&] {
                if (c.water_heater > 0) WHTYPE = c.water_heater;
                STRATEGY(41, 3) = with ? c.collectors : 0.0f;
            });
            rows[with] = run_scheme(p, 3, 0.0f).rows;
            ASSERT_TRUE(NFLAG(51)) << c.building;
        }
        const auto row = [&](int with, int n) { return static_cast<double>(rows[with][n - 1]); };
        const double heater_without = row(0, c.heater), heater_with = row(1, c.heater);
        EXPECT_LT(heater_with, heater_without) << c.building;
        EXPECT_GT(row(1, c.saved), 0.0) << c.building;
        // The year's sums are single precision: a few millionths of the
        // building's whole energy.
        EXPECT_NEAR(row(1, c.saved), heater_without - heater_with,
                    0.1 * (heater_without - heater_with) + 4e-6 * row(0, c.energy))
            << c.building;
        EXPECT_NEAR(row(1, c.valued), row(1, c.saved) * row(1, c.cost) / row(1, c.energy),
                    1e-4 * std::fabs(row(1, c.valued)) + 0.01)
            << c.building;
        EXPECT_EQ(row(0, c.saved), 0.0) << c.building;
    }
}

// Collectors sized by rule for a heat-pump water heater whose stored
// energy factor (0.67) reads as no COP: the first run sizes with the COP of
// 2 the heater runs at and saves, as every later run does. The sizing took
// the stored factor first: two collectors on the first run, one on every
// later run (at Burbank 1,079.11 then 854.51 kWh displaced, $1,980.67 then
// $2,050.04 of electricity).
TEST(WholeRun, RuleSizedSolarWaterWithAHeatPumpHeaterRerunsAsItRan) {
    ScratchDir dir;
    for (const char* epw : {"LAburbnk.epw", "ChiOHare.epw"}) {
        const fs::path p = designed_home(dir, epw);
        edit_scheme(p, 3, [&] {
            STRATEGY(41, 3) = 1.0f;
            WHTYPE = 7;
            SEF(2) = 0.67f;
            STRATEGY(4, 3) = -1.0f;
            CLIMATEFILENAME = epw;
        });
        const SchemeRun first = run_scheme(p, 3, 0.0f);
        EXPECT_GT(first.rows[73], 0.0f) << epw << ": electricity displaced";
        expect_same_run(first, run_scheme(p, 3, 0.0f), epw);
    }
}

TEST(WholeRun, TwelveDaySolarRunOwesNothingToAnEarlierYear) {
    ScratchDir dir;
    const fs::path base = designed_home(dir, "base");
    solar_scheme(base, 6, 20);
    ASSERT_EQ(run_kernel(base), 0);  // settles the scheme's column
    const fs::path fresh = dir / "fresh", after = dir / "after";
    fs::copy(base, fresh);
    fs::copy(base, after);
    const fs::path other = designed_home(dir, "other");
    solar_scheme(other, 0, 0);

    reset_all_blocks();
    ASSERT_EQ(run_kernel(fresh), 0);
    ASSERT_FALSE(NFLAG(38));
    ASSERT_GT(SUMARY(70, 3), 0.0f);
    ASSERT_GT(SUMARY(64, 3), 0.0f);

    reset_all_blocks();
    ASSERT_EQ(run_kernel(other), 0);
    ASSERT_TRUE(NFLAG(38));
    ASSERT_EQ(run_kernel(after), 0);
    expect_same_files(fresh, after);
}

TEST(WholeRun, RepresentativeDaysGiveWhatTheirCalendarDaysGive) {
    ScratchDir dir;
    const fs::path p = designed_home(dir, "p");
    solar_scheme(p, 0, 0);
    ASSERT_EQ(run_kernel(p), 0);
    const std::vector<REAL> year_pv_W(PVOUT.begin(), PVOUT.end());
    const std::vector<double> year_collector_kJ(SDHWCALC_STATE.QSOLAR.begin(), SDHWCALC_STATE.QSOLAR.end());
    for (const auto& [month, day] : {std::pair{1, 1}, std::pair{6, 20}}) {
        solar_scheme(p, month, day);
        ASSERT_EQ(run_kernel(p), 0);
        ASSERT_FALSE(NFLAG(38));
        double days_kwh = 0;
        for (INTEGER n = 1; n <= 12; ++n) {
            const INTEGER before = hours_before(TMON(n), TDAY(n));
            ASSERT_EQ(before, (SKPDAY + n - 1) * 24) << n;
            double collector_kJ = 0, year_day_collector_kJ = 0;
            for (INTEGER h = 1; h <= 24; ++h) {
                const INTEGER t = before + h;
                EXPECT_EQ(PVOUT(t), year_pv_W[t - 1]) << month << "/" << day << " day " << n << " hour " << h;
                days_kwh += year_pv_W[t - 1] / 1000.0;
                collector_kJ += SDHWCALC_STATE.QSOLAR(t);
                year_day_collector_kJ += year_collector_kJ[t - 1];
            }
            // Both runs warm their tank up on their first day; later in the
            // year the year's tank still carries the days before into the
            // first day or two, the twelve-day tank that day's own warm-up.
            const double tolerance = month == 1 ? 0.0 : 0.05 * year_day_collector_kJ;
            EXPECT_NEAR(collector_kJ, year_day_collector_kJ, tolerance) << month << "/" << day << " day " << n;
        }
        EXPECT_NEAR(SUMARY(70, 3), days_kwh, 1e-4 * days_kwh);
    }
}

TEST(WholeRun, MissingRadiationIsNoSun) {
    ScratchDir dir;
    // 15 June, 10 am to 3 pm: direct and global radiation marked missing.
    const fs::path weather = edited_weather(dir, "LAburbnk.epw", [](const std::string& line) {
        std::vector<std::string> f = epw_fields(line);
        if (f.size() > 20 && f[1] == "6" && f[2] == "15" && std::stoi(f[3]) >= 10 && std::stoi(f[3]) <= 15)
            f[13] = f[14] = "9999";
        return epw_line(f);
    });
    const fs::path p = designed_home(dir, "p");
    solar_scheme(p, 0, 0, "LAburbnk.epw");
    ASSERT_EQ(run_kernel(p, weather), 0);
    ASSERT_TRUE(NFLAG(51));
    ASSERT_FALSE(NFLAG(37));
    const INTEGER before = hours_before(6, 15);
    for (INTEGER h = 10; h <= 15; ++h) {
        EXPECT_EQ(DRCTNORMAL(before + h), 0.0) << h;
        EXPECT_EQ(PVOUT(before + h), 0.0f) << h;
    }
    EXPECT_GT(PVOUT(before - 24 + 12), 0.0f);  // the day before had sun
    // No number of the reports is NaN or infinite, none of the hourly ones
    // the missing mark (the XML's tariff tables hold a limit of 9999).
    const std::regex not_a_number(R"([ ,"=+-](nan|inf)([ ,"]|$))", std::regex::icase | std::regex::multiline);
    for (const char* report : {"scheme3.csv", "scheme3.xml", "scheme3.cclink"}) {
        const std::string text = read_file(p / report);
        EXPECT_FALSE(std::regex_search(text, not_a_number)) << report;
        if (std::string(report) != "scheme3.xml") {
            EXPECT_EQ(text.find("9999"), std::string::npos) << report;
        }
    }
}

TEST(WholeRun, LeapYearWeatherFileRunsTheSameYear) {
    ScratchDir dir;
    // The sample file with 29 February (a copy of the 28th) and the leap-year
    // flag set.
    const fs::path leap = edited_weather(dir, "LAburbnk.epw", [](const std::string& line) {
        const std::string no_leap_year = "HOLIDAYS/DAYLIGHT SAVINGS,No";
        if (line.rfind(no_leap_year, 0) == 0)
            return "HOLIDAYS/DAYLIGHT SAVINGS,Yes" + line.substr(no_leap_year.size()) + "\n";
        std::vector<std::string> f = epw_fields(line);
        if (f.size() < 20 || f[1] != "2" || f[2] != "28") return line + "\n";
        const std::string feb28 = epw_line(f);
        f[2] = "29";
        return feb28 + epw_line(f);
    });
    ASSERT_EQ(testing::read_lines(leap / "LAburbnk.epw").size(),
              testing::read_lines(kData / "weather" / "LAburbnk.epw").size() + 24);
    const fs::path base = designed_home(dir, "base");
    for (const auto& [month, day] : {std::pair{0, 0}, std::pair{3, 1}}) {
        solar_scheme(base, month, day, "LAburbnk.epw");
        ASSERT_EQ(run_kernel(base), 0);
        const fs::path plain = dir / ("plain" + std::to_string(month));
        const fs::path leap_year = dir / ("leap" + std::to_string(month));
        fs::copy(base, plain);
        fs::copy(base, leap_year);
        reset_all_blocks();
        ASSERT_EQ(run_kernel(plain), 0);
        ASSERT_TRUE(NFLAG(51));
        reset_all_blocks();
        ASSERT_EQ(run_kernel(leap_year, leap), 0);
        ASSERT_TRUE(NFLAG(51));
        ASSERT_TRUE(NFLAG(80));
        // The climate link names the weather directory, which differs.
        fs::remove(plain / "scheme3.cclink");
        fs::remove(leap_year / "scheme3.cclink");
        expect_same_files(plain, leap_year);
    }
}

}  // namespace
}  // namespace mavo
