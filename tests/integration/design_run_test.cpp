// Whole runs of the design generator: a generated home gets the same
// numbers however and whenever it is designed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "integration/whole_run_support.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// Schemes 1 and 2 of `p` describe the same house, at the weather file
// `epw` (none: the sample's site).
template <class Edit>
void describe_house(const fs::path& p, const char* epw, Edit edit) {
    for (INTEGER s : {1, 2}) {
        if (epw) choose_weather_file(p, s, epw);
        edit_scheme(p, s, [&] { edit(s); });
    }
}

// A row house or an apartment shares walls with its neighbours, and an
// attached garage covers part of a facade: none of it is envelope, on the
// run that generates the design as on every re-run of the saved design.
// The re-run rebuilt every wall as the full wall less its glass (an
// apartment's walls and glass, row 5: 1,728 ft2 in the design run, 2,304 in
// the re-run; a garage's 180 ft2 came back likewise), and the design run
// saved another input file than its re-run (the first line's number, the
// run's step code). A detached house is one of attachment code 0, 1 or 5
// (the save writes 1): the garage under the roof took its 180 ft2 from
// code 1 only, so the re-run's roof differed from the design run's (820
// against 1,000 ft2), and code 5 with shared walls counted as an apartment
// over another unit. An apartment under another unit has no roof for a
// foil to sit under: the design run of an addition's code-minimum scheme
// simulated the foil its column held (radiant barrier 3, an attic air
// space of R 6.5) and saved "no foil although required" (2), and so a roof
// U-factor of 0.0228 where the re-run saves 0.0272. A second design of
// the same inputs saves the same file: an apartment under another unit
// whose flat roof the sizing took away (roof choice 1) was designed again
// as a house of no roof choice, and its saved flag of a pitched roof over
// an attic turned true.
TEST(DesignRun, SharedAndGarageWallsStayOutOfTheEnvelopeOnEveryRun) {
    struct Case {
        const char* what;
        INTEGER slot;
        const char* epw;
        REAL attachment, shared_walls, garage;  // STRATEGY rows 7, 9 and 34
        REAL addition_to_year = 0.0f;         // an addition to a house of that year when given
        REAL radiant_barrier = 0.0f;          // STRATEGY row 35 when given
        REAL roof = 0.0f;                     // STRATEGY row 32 when given
    };
    const Case cases[] = {
        {"row house sharing its east and west walls", 1, nullptr, 2.0f, 1.0f, 0.0f},
        {"apartment between others", 2, "Phoenix.epw", 3.0f, 3.0f, 0.0f},
        {"detached house, garage on the west", 1, "Phoenix.epw", 1.0f, 0.0f, 3.0f},
        {"row house sharing its east wall, garage on the south", 2, nullptr, 2.0f, 3.0f, 2.0f},
        {"house of attachment code 0, garage under the roof", 1, nullptr, 0.0f, 0.0f, 6.0f},
        {"house of attachment code 5, garage under the roof", 2, nullptr, 5.0f, 2.0f, 6.0f},
        {"addition to an apartment of 1914 under another unit, foil", 1, "Bishop.epw", 4.0f, 1.0f, 0.0f, 1914.0f,
         3.0f},
        {"apartment between others under another unit, a flat roof", 1, "ChiOHare.epw", 3.0f, 3.0f, 0.0f, 0.0f, 0.0f,
         3.0f},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path p = dir / "p";
        copy_sample(p);
        reset_all_blocks();
        describe_house(p, c.epw, [&](INTEGER s) {
            STRATEGY(7, s) = c.attachment;
            STRATEGY(9, s) = c.shared_walls;
            STRATEGY(34, s) = c.garage;
            if (c.addition_to_year > 0.0f) {
                STRATEGY(6, s) = 3.0f;
                STRATEGY(11, s) = c.addition_to_year;
            }
            if (c.radiant_barrier > 0.0f) STRATEGY(35, s) = c.radiant_barrier;
            if (c.roof > 0.0f) STRATEGY(32, s) = c.roof;
        });
        if (c.slot == 2) run_scheme(p, 1, 243.0f);
        const SchemeRun design = run_scheme(p, c.slot, c.slot == 1 ? 243.0f : 246.0f);
        const fs::path input = p / ("scheme" + std::to_string(c.slot) + "b.dat");
        const std::string saved = read_file(input);
        expect_same_run(design, run_scheme(p, c.slot, 0.0f), c.what);
        EXPECT_TRUE(saved == read_file(input)) << c.what << ": the re-run saved another input file";
        run_scheme(p, c.slot, c.slot == 1 ? 243.0f : 246.0f);
        EXPECT_TRUE(saved == read_file(input)) << c.what << ": a second design saved another input file";
    }
}

// The efficient home keeps scheme 1's glass. Designed before scheme 1 has
// results, it takes the glass of the code-minimum window list of the same
// house, so scheme 2 designed before scheme 1 is scheme 2 designed after
// it. With scheme 1's empty total its north windows went: 228 ft2 of glass
// instead of 420, and 1,572 kWh of cooling electricity instead of 1,998 at
// the sample's site (5,265 against 6,150 at Phoenix).
TEST(DesignRun, EfficientDesignBeforeSchemeOneEqualsTheOneAfter) {
    for (const char* epw : {static_cast<const char*>(nullptr), "Phoenix.epw"}) {
        const std::string site = epw ? epw : "the sample's site";
        ScratchDir dir;
        const fs::path first = dir / "first", after = dir / "after";
        reset_all_blocks();
        for (const fs::path& p : {first, after}) {
            copy_sample(p);
            describe_house(p, epw, [](INTEGER) {});
        }
        const SchemeRun before_scheme1 = run_scheme(first, 2, 246.0f);
        run_scheme(after, 1, 243.0f);
        expect_same_run(before_scheme1, run_scheme(after, 2, 246.0f), site);
        EXPECT_TRUE(read_file(first / "scheme2b.dat") == read_file(after / "scheme2b.dat")) << site;
    }
}

// A design by command 340 or 341 (schemes 1 and 2 design as by 243 and
// 246) is the run its re-run repeats: its save stored no facade code in
// the window groups, so the re-run faced every window to the front (the
// sample house: 116.0 ft2 of south glass and $2,140.45, then 328.0 ft2 and
// $2,484.37; an office's 337.9 ft2 then 675.8), and kept a code its group
// held before the design (the sample's column's skylight 5 turned the
// design's west window into a skylight).
TEST(DesignRun, DesignByCommand340IsTheRunItsRerunRepeats) {
    struct Case {
        const char* what;
        bool office;
        INTEGER slot;
        REAL command;
    };
    const Case cases[] = {{"the sample house's scheme 1 by 340", false, 1, 340.0f},
                          {"the sample house's scheme 2 by 341", false, 2, 341.0f},
                          {"an office's scheme 1 by 341", true, 1, 341.0f},
                          {"an office's scheme 2 by 340", true, 2, 340.0f}};
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path p = dir / "p";
        reset_all_blocks();
        if (c.office) {
            testing::new_project(p, kData / "util");
            for (INTEGER s : {1, 2}) make_nonresidential(p, s, 7);
        } else {
            copy_sample(p);
        }
        const SchemeRun design = run_scheme(p, c.slot, c.command);
        expect_same_run(design, run_scheme(p, c.slot, 0.0f), c.what);
    }
}

}  // namespace
}  // namespace mavo
