// Whole runs of a designed scheme after the designer's edits between runs:
// the run right after an edit simulates and saves what the edited inputs
// say, and its re-runs give the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "blocks/blocks.h"
#include "blocks/design_codes.h"
#include "integration/whole_run_support.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// The sample with scheme `slot` designed: scheme 1 the code-minimum house
// (a raised wood floor at the sample's site), scheme 2 the efficient one
// (a slab).
fs::path designed_sample(const ScratchDir& dir, const std::string& name, INTEGER slot) {
    const fs::path p = dir / name;
    copy_sample(p);
    reset_all_blocks();
    run_scheme(p, slot, slot == 1 ? 243.0f : 246.0f);
    return p;
}

// A turned house (building azimuth 90, which the host sets in the input
// file) keeps every window on the facade its group names: the window of
// facade code M faces the azimuth plus 90(M-1). The save stored the code of
// the window's facing from south, so every re-run turned the windows one
// facade further (codes 1 1 2 3 3 4, then 2 2 3 4 4 1, then 3 3 4 1 1 2;
// $2,458.26, $2,467.15, $2,597.25 on three re-runs of scheme 2).
TEST(DesignerEditRun, TurnedHouseKeepsItsWindowsOnEveryRerun) {
    ScratchDir dir;
    const fs::path p = designed_sample(dir, "p", 2);
    constexpr REAL kAzimuth_deg = 90.0f;
    FArray<REAL, 25> designed_code;
    for (INTEGER g = 1; g <= 25; ++g) designed_code(g) = STRATEGY(61 + 10 * (g - 1), 2);
    edit_scheme(p, 2, [&] { SFACES = kAzimuth_deg; });

    const SchemeRun first = run_scheme(p, 2, 0.0f);
    INTEGER lines = 0;
    for (INTEGER k = 1; k <= 25; ++k) {
        if (!(QTY(k) > 0.0f)) continue;
        ++lines;  // the design's lines fill groups 1, 2, ... in turn
        const REAL M = designed_code(lines);
        EXPECT_EQ(STRATEGY(61 + 10 * (lines - 1), 2), M) << "group " << lines << " saved with another facade";
        EXPECT_EQ(std::fmod(FACING(k) - kAzimuth_deg - 90.0f * (M - 1.0f) + 720.0f, 360.0f), 0.0f)
            << "line " << k << " of facade code " << M << " faces " << FACING(k);
    }
    EXPECT_GE(lines, 4);
    expect_same_run(first, run_scheme(p, 2, 0.0f), "the re-run of the turned house");
}

// The footprint (roof over one story) follows the stories and floor area
// the run puts in force: it was worked out as the input file was read,
// before the column's values were taken, so the first run after an edit
// kept the old roof (1,000 ft2 at 94128 after 3 stories were set: $2,402.93,
// then 666.7 ft2 on the next run: $2,382.39). The code-minimum house's
// raised floor, which its design lays under the footprint, stayed at 1,000
// ft2 under the 666.7 ft2 footprint on every run.
TEST(DesignerEditRun, FirstRunAfterAnEditIsTheNewFootprintAndItsReruns) {
    struct Case {
        const char* what;
        std::vector<std::pair<INTEGER, REAL>> rows;  // of the parameter column
        REAL garage_roof_ft2;                          // the two-car bay of an attached garage (row 34 = 6)
    };
    // The last: a footprint smaller than the garage's bay leaves no roof,
    // and the attic of no roof (its foil code, U-factor and outside film)
    // was judged on the roof the last run saved: the first run saved
    // another attic than its re-runs.
    const Case cases[] = {
        {"3 stories", {{14, 3.0f}}, 0.0f},
        {"2,600 ft2", {{8, 2600.0f}}, 0.0f},
        {"300 ft2 on 2 stories under a garage's roof", {{8, 300.0f}, {14, 2.0f}, {34, 6.0f}}, 180.0f},
        // The venting code is corrected by the air velocity it is read
        // with; the code minimum's is its zone's, which the run set only
        // after the correction: the first run kept the large fan (6) and
        // its re-runs made it the small one (5), as a copy of another
        // scheme into scheme 1 did.
        {"a large fan and air velocity 3 typed on the code minimum", {{25, 6.0f}, {28, 3.0f}}, 0.0f},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path p = designed_sample(dir, "p", 1);
        edit_scheme(p, 1, [&] {
            for (const auto& [row, value] : c.rows) STRATEGY(row, 1) = value;
        });
        const SchemeRun first = run_scheme(p, 1, 0.0f);
        const SavedScheme first_saved = saved_scheme(p, 1);
        const REAL footprint_ft2 = STRATEGY(8, 1) / STRATEGY(14, 1);
        const REAL roof_ft2 = std::max(0.0f, footprint_ft2 - c.garage_roof_ft2);
        EXPECT_NEAR(SUMARY(4, 1), roof_ft2, 1e-3f * std::max(roof_ft2, 1.0f)) << c.what << ": roof area (row 4)";
        EXPECT_NEAR(AREA(11), footprint_ft2, 1e-3f * footprint_ft2) << c.what << ": the raised floor";
        expect_same_run(first, run_scheme(p, 1, 0.0f), c.what);
        expect_same_saved_scheme(first_saved, saved_scheme(p, 1), c.what);
    }
}

// A floor type typed on a designed house is simulated and saved as typed.
// The input file holds the surfaces of the designed floor only, so a slab
// typed on the raised floor met no perimeter (and the other way round no
// floor area): the run had no floor losses (envelope conduction 262.7
// Btu/h.F, that of no floor, against 285.9 on the raised floor) and saved
// floor type 1 and under-floor code 1. An under-floor code 1 (no floor
// losses) typed on the raised floor counted for one run: the save kept only
// 2 and 4. A copy of a design in another slot holds the same surfaces: a
// raised floor typed on the slab house's copy in slot 3 lost nothing either.
// A designed house typed an apartment over another heated one (rows 7 and 9)
// kept its slab's losses on every run, and its raised floor's on the first
// (design heat loss -13,675.8 Btu/h, then -12,685.5).
TEST(DesignerEditRun, TypedFloorIsSimulatedAndSavedAsTyped) {
    struct Case {
        const char* what;
        INTEGER designed, slot;  // the design, and the slot typed into (a copy of it when another)
        REAL floor_type, under_floor;  // typed rows 33 and 49; 0: as designed
        REAL saved_under_floor;
        bool over_heated_unit = false;  // an apartment over another one (rows 7 = 3, 9 = 2), designed so
        bool typed_over_heated_unit = false;  // rows 7 = 3, 9 = 2 typed with the edit
    };
    const Case cases[] = {
        {"a slab typed on the raised floor", 1, 1, 6.0f, 0.0f, 5.0f},
        {"a raised floor typed on the slab", 2, 2, 4.0f, 0.0f, 2.0f},
        {"a basement typed on the slab", 2, 2, 10.0f, 0.0f, 5.0f},
        {"no floor losses typed under the raised floor", 1, 1, 0.0f, 1.0f, 1.0f},
        {"a raised floor typed on a copy of the slab house", 2, 3, 4.0f, 0.0f, 2.0f},
        {"a slab typed on an apartment over another heated one", 1, 1, 6.0f, 0.0f, 1.0f, true},
        {"the raised-floor house typed an apartment over another heated one", 1, 1, 0.0f, 0.0f, 1.0f, false, true},
        {"the slab house typed an apartment over another heated one", 2, 2, 0.0f, 0.0f, 1.0f, false, true},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        fs::path p;
        if (c.over_heated_unit) {
            p = dir / "p";
            copy_sample(p);
            reset_all_blocks();
            edit_scheme(p, c.designed, [&] {
                STRATEGY(7, c.designed) = 3.0f;
                STRATEGY(9, c.designed) = 2.0f;
            });
            run_scheme(p, c.designed, 243.0f);
        } else {
            p = designed_sample(dir, "p", c.designed);
        }
        if (c.slot != c.designed) {
            select_scheme(p, c.designed, 201.0f, c.slot);  // a copy
            ASSERT_EQ(run_kernel(p), 0);
        }
        const REAL designed_type = STRATEGY(33, c.slot);
        edit_scheme(p, c.slot, [&] {
            if (c.floor_type > 0.0f) STRATEGY(33, c.slot) = c.floor_type;
            if (c.under_floor > 0.0f) STRATEGY(49, c.slot) = c.under_floor;
            if (c.typed_over_heated_unit) {
                STRATEGY(7, c.slot) = 3.0f;
                STRATEGY(9, c.slot) = 2.0f;
            }
        });
        const SchemeRun first = run_scheme(p, c.slot, 0.0f);
        const REAL type = c.floor_type > 0.0f ? c.floor_type : designed_type;
        EXPECT_EQ(STRATEGY(33, c.slot), type) << c.what;
        EXPECT_EQ(STRATEGY(49, c.slot), c.saved_under_floor) << c.what;
        if (c.over_heated_unit || c.typed_over_heated_unit) {  // no floor losses whatever the floor type
            EXPECT_EQ(HEATLOSS(11), 0.0f) << c.what << ": design heat loss";
            EXPECT_EQ(HEATLOSS(12), 0.0f) << c.what << ": design heat loss";
        } else if (type == 6.0f || type == 10.0f) {  // the slab edge or the basement walls along the plan's perimeter
            EXPECT_EQ(AREA(12), 2.0f * (EWDIM + NSDIM)) << c.what;
            EXPECT_LT(type == 6.0f ? HEATLOSS(12) : HEATLOSS(18), 0.0f) << c.what << ": design heat loss";
        } else if (c.under_floor == 1.0f) {
            EXPECT_EQ(HEATLOSS(11), 0.0f) << c.what << ": design heat loss";
        } else {  // a raised floor under one story
            EXPECT_EQ(AREA(11), AREAT / FLOORS) << c.what;
            EXPECT_LT(HEATLOSS(11), 0.0f) << c.what << ": design heat loss";
        }
        expect_same_run(first, run_scheme(p, c.slot, 0.0f), c.what);
    }
}

// A project at Chicago with scheme 1 designed (the code-minimum house on a
// raised floor).
fs::path designed_at_chicago(const ScratchDir& dir, const std::string& name) {
    const fs::path p = dir / name;
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    move_scheme(p, 1, "ChiOHare.epw");
    run_scheme(p, 1, 243.0f);
    return p;
}

// The summary rows of two runs agree (their reports may name other codes).
void expect_same_rows(const SchemeRun& a, SchemeRun b, const std::string& what) {
    b.reports = a.reports;
    expect_same_run(a, b, what);
}

// A house's raised floor of the input file's construction (a negative floor
// type) given under-floor code 1 loses nothing, yet stays the floor the
// designer had: a later reduced shell (4) runs as that code typed at once.
// Code 1 saved the floor's U-factor as 0, so every later code kept a floor
// that lost nothing (design heat loss of the floor 0).
TEST(DesignerEditRun, FloorOfTheFilesConstructionOutlivesNoFloorLosses) {
    ScratchDir dir;
    const auto floor_after = [&](const std::string& name, const std::vector<REAL>& under_floor_codes) {
        const fs::path p = designed_sample(dir, name, 1);
        edit_scheme(p, 1, [] { STRATEGY(33, 1) = -std::fabs(STRATEGY(33, 1)); });
        SchemeRun run;
        for (const REAL code : under_floor_codes) {
            edit_scheme(p, 1, [&] { STRATEGY(49, 1) = code; });
            run = run_scheme(p, 1, 0.0f);
            EXPECT_EQ(HEATLOSS(11) == 0.0f, code == 1.0f) << name << ", under-floor code " << code;
        }
        return run;
    };
    expect_same_rows(floor_after("at once", {4.0f}), floor_after("after no floor losses", {1.0f, 4.0f}),
                     "under-floor code 1, then 4");
}

// A heating and a cooling code of different kinds (a furnace with a heat
// pump's cooling, a heat pump's heating with an air conditioner) is
// simulated with the efficiency each code names, on every run, and saved
// marked user-defined, as the run used it. The pair was turned user-defined
// before the efficiencies were derived, so the first run kept the old
// system's (heat-pump heating typed over the furnace burned gas), and the
// save derived codes 3 and 3 back from them: the heat pump's cooling of the
// sample ($2,126.72 on its first run) became the air conditioner of every
// later run ($2,140.45).
TEST(DesignerEditRun, MixedHeatingAndCoolingIsSimulatedAndSavedAsTyped) {
    struct Case {
        INTEGER slot;
        REAL heating, cooling;  // typed rows 18 and 20
        REAL effectiveness_pct = 0.0f;  // a cooler's, typed; 0 for the coded 85
    };
    // The last two: a heat pump's heating with the evaporative cooler, which
    // is no air conditioner: made user-defined with it, the cooler never
    // ran. A cooler of another effectiveness than the coded one is saved
    // user-defined (-6), and ran on its first run only.
    for (const Case& c : {Case{1, 3.0f, 7.0f}, Case{1, 3.0f, 8.0f}, Case{1, 7.0f, 3.0f}, Case{2, 5.0f, 9.0f},
                          Case{1, 7.0f, 6.0f}, Case{1, 7.0f, 6.0f, 70.0f}}) {
        const std::string what = "heating " + std::to_string(int(c.heating)) + " with cooling " +
                                 std::to_string(int(c.cooling)) + " in scheme " + std::to_string(c.slot) +
                                 (c.effectiveness_pct > 0.0f ? " at " + std::to_string(int(c.effectiveness_pct)) + " %" : "");
        ScratchDir dir;
        const fs::path p = designed_sample(dir, "p", c.slot);
        edit_scheme(p, c.slot, [&] {
            STRATEGY(18, c.slot) = c.heating;
            STRATEGY(20, c.slot) = c.cooling;
            if (c.effectiveness_pct > 0.0f) EvapEff = c.effectiveness_pct;
        });
        const SchemeRun first = run_scheme(p, c.slot, 0.0f);
        const SavedScheme first_saved = saved_scheme(p, c.slot);
        const bool evaporative_cooler = c.cooling == 6.0f;
        EXPECT_EQ(STRATEGY(18, c.slot), -c.heating) << what;
        const bool coded_cooler = evaporative_cooler && c.effectiveness_pct == 0.0f;
        EXPECT_EQ(STRATEGY(20, c.slot), coded_cooler ? c.cooling : -c.cooling) << what;
        // The efficiencies the codes name in the site's zone: a furnace's
        // AFUE, a heat pump's HSPF; the cooling SEER over 3.412 Btu per Wh.
        const REAL afue = c.heating == 3.0f ? CECRESA(19, CECZONE) : 0.97f;
        EXPECT_EQ(COPHT, c.heating == 7.0f ? CECRESA(20, CECZONE) : afue) << what;
        const REAL seer = c.cooling == 8.0f ? 15.0f : c.cooling == 9.0f ? 20.0f : CECRESA(22, CECZONE);
        EXPECT_NEAR(COPAC, evaporative_cooler ? 0.0f : seer / 3.412f, 1e-5f) << what;
        if (evaporative_cooler) {
            EXPECT_GT(EvapCoolHrs, 0.0f) << what << ": the cooler's hours";
        }
        if (c.heating == 7.0f) {
            EXPECT_EQ(first.rows[20], 0.0f) << what << ": a heat pump burns no heating fuel (row 21)";
        } else {
            EXPECT_GT(first.rows[20], 0.0f) << what << ": a furnace burns fuel (row 21)";
        }
        expect_same_run(first, run_scheme(p, c.slot, 0.0f), what + ", its re-run");
        if (evaporative_cooler) {
            EXPECT_GT(EvapCoolHrs, 0.0f) << what << ": the cooler's hours on the re-run";
        }
        expect_same_saved_scheme(first_saved, saved_scheme(p, c.slot), what + ", its re-run");
    }
}

// A heat pump's cooling keeps its code on every run whatever heating is
// beside it: a furnace given an efficiency of the user's after the pair was
// run (-3 at an AFUE of 0.77), or a heat pump of another code. Its SEER was
// derived back into an air conditioner's code (SEER 15: 4) by the save, and
// the re-run cooled as an air conditioner does. An air conditioner typed
// beside a heat pump's heating the last save marked user-defined (-8) is
// the mixed pair and stays an air conditioner: the save derived the heat
// pump's own cooling (8 and 8) from its SEER 15 beside the HSPF 8.2, and
// the re-run cooled without the air conditioner's latent load.
TEST(DesignerEditRun, CoolingKeepsItsKindBesideAnyHeating) {
    struct Case {
        const char* what;
        REAL heating, cooling;            // typed and run first
        std::function<void()> then;       // typed after that run
        REAL saved_cooling;
    };
    const Case cases[] = {
        {"beside a furnace of the user's", 3.0f, 8.0f, [] {
             STRATEGY(18, 1) = -3.0f;
             COPHT = 0.77f;
         }, -8.0f},
        {"beside a heat pump of code 7", 7.0f, 3.0f, [] { STRATEGY(20, 1) = 8.0f; }, 8.0f},
        {"an air conditioner beside a heat pump's heating of the user's", 8.0f, 3.0f,
         [] { STRATEGY(20, 1) = 4.0f; }, -4.0f},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path p = designed_sample(dir, "p", 1);
        edit_scheme(p, 1, [&] {
            STRATEGY(18, 1) = c.heating;
            STRATEGY(20, 1) = c.cooling;
        });
        run_scheme(p, 1, 0.0f);
        edit_scheme(p, 1, c.then);
        const SchemeRun first = run_scheme(p, 1, 0.0f);
        EXPECT_EQ(STRATEGY(20, 1), c.saved_cooling) << c.what;
        expect_same_run(first, run_scheme(p, 1, 0.0f), std::string(c.what) + ", the re-run");
    }
}

// A basement typed on a plain run lies under the footprint in force, its
// walls along the plan's perimeter, whatever floor the input file held. Its
// floor was the floor area the file held: none over the slab the run before
// left ($3,144.78 at Chicago against $3,093.91 for the basement typed on the
// designed house), and the old footprint after an edit of the stories.
TEST(DesignerEditRun, BasementLiesUnderTheFootprintInForce) {
    struct Case {
        const char* what;
        std::vector<std::pair<INTEGER, REAL>> before;  // typed and run before the basement
    };
    const Case cases[] = {{"a basement typed over the slab the run before had", {{33, 6.0f}}},
                          {"a basement typed after 2 stories were run", {{14, 2.0f}}}};
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path chain = designed_at_chicago(dir, "chain");
        fs::path at_once = dir / "at once";
        fs::copy(chain, at_once);
        auto type = [](const std::vector<std::pair<INTEGER, REAL>>& rows) {
            return [&rows] {
                for (const auto& [row, value] : rows) STRATEGY(row, 1) = value;
                STRATEGY(33, 1) = 10.0f;  // an unfinished basement
            };
        };
        edit_scheme(chain, 1, [&] {
            for (const auto& [row, value] : c.before) STRATEGY(row, 1) = value;
        });
        run_scheme(chain, 1, 0.0f);
        const std::vector<std::pair<INTEGER, REAL>> stories = {{14, STRATEGY(14, 1)}};
        edit_scheme(chain, 1, type(stories));
        const SchemeRun run = run_scheme(chain, 1, 0.0f);
        EXPECT_EQ(AREA(17), STRATEGY(8, 1) / STRATEGY(14, 1)) << c.what << ": the basement floor";
        EXPECT_EQ(AREA(12), 2.0f * (EWDIM + NSDIM)) << c.what << ": the basement walls' perimeter";
        EXPECT_EQ(STRATEGY(49, 1), 5.0f) << c.what << ": a basement stands on the ground";
        edit_scheme(at_once, 1, type(stories));
        expect_same_run(run, run_scheme(at_once, 1, 0.0f), std::string(c.what) + ", against the final inputs at once");
    }
}

// Codes the column may hold without a value of their own are read one way
// on every run, as the README says: infiltration class 5 leaks as class 4
// and stays 5; under a raised floor, under-floor code 3 is the floor open
// below (its construction without the crawl space's R 6) and stays 3, and a
// code without a meaning (6) is the vented crawl space (2) the save stores.
// Class 5 kept the leakage of the run before and was saved as its class;
// codes 3 and 6 were simulated without the crawl space once, then as 2.
TEST(DesignerEditRun, CodesWithoutAValueOfTheirOwnAreReadAlike) {
    struct Case {
        INTEGER row;
        REAL typed, read_as, saved;
    };
    for (const Case& c : {Case{24, 5.0f, 4.0f, 5.0f}, Case{49, 6.0f, 2.0f, 2.0f}, Case{49, 3.0f, 3.0f, 3.0f}}) {
        const std::string what = "row " + std::to_string(c.row) + " = " + std::to_string(int(c.typed));
        ScratchDir dir;
        const fs::path typed = designed_sample(dir, "typed", 1);
        const fs::path read_as = designed_sample(dir, "read as", 1);
        edit_scheme(read_as, 1, [&] { STRATEGY(c.row, 1) = c.read_as; });
        const SchemeRun reference = run_scheme(read_as, 1, 0.0f);
        edit_scheme(typed, 1, [&] { STRATEGY(49, 1) = 2.0f; });
        run_scheme(typed, 1, 0.0f);
        const REAL crawl_space_u = UVAL(11);
        edit_scheme(typed, 1, [&] { STRATEGY(c.row, 1) = c.typed; });
        const SchemeRun first = run_scheme(typed, 1, 0.0f);
        EXPECT_EQ(STRATEGY(c.row, 1), c.saved) << what;
        if (c.typed == 3.0f) {
            EXPECT_NEAR(1.0f / UVAL(11) + 6.0f, 1.0f / crawl_space_u, 1e-4f) << what << ": no crawl space below";
        } else {
            expect_same_rows(reference, first, what + " against " + std::to_string(int(c.read_as)));
        }
        expect_same_run(first, run_scheme(typed, 1, 0.0f), what + ", its re-run");
    }
}

// An office at the sample's site, scheme 1 designed (a current-code design:
// its windows of type 2, its doors of type 8).
fs::path designed_office(const ScratchDir& dir, const std::string& name) {
    const fs::path p = dir / name;
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    make_nonresidential(p, 1, 7);
    run_scheme(p, 1, 243.0f);
    return p;
}

// Glass of a line, ft2.
REAL line_area_ft2(INTEGER k) { return (HEAD(k) - SILL(k)) * WIDTH(k) * QTY(k); }

// A window group of another building's scheme 1 or 2 set to no units takes
// its glass out of every row: the facade's glass (rows 2 and 3) and its
// conduction (row 10: the glass's U-factor gives way to the wall's, with
// its decrement), and the saved groups end with the last line. The line's
// sun went, its area stayed (1,006.6 ft2 of an office's glass still
// conducted), and the last group stayed behind as a copy of the one before.
TEST(DesignerEditRun, WindowGroupSetToNoUnitsLeavesNoGlassInAnotherBuilding) {
    ScratchDir dir;
    const fs::path p = designed_office(dir, "office");
    ASSERT_EQ(STRATEGY(61, 1), 1.0f);  // group 1: the south windows
    ASSERT_GT(TRANS(1), 0.0f);
    const REAL removed_ft2 = line_area_ft2(1), glass_u = UWINDO(1);
    const REAL south_wall_u = UVAL(6) * DECR(6);
    const SchemeRun designed = run_scheme(p, 1, 0.0f);
    INTEGER groups = 0;
    while (groups < 25 && STRATEGY(62 + 10 * groups, 1) > 0.0f) ++groups;

    edit_scheme(p, 1, [] { STRATEGY(62, 1) = 0.0f; });
    const SchemeRun run = run_scheme(p, 1, 0.0f);
    EXPECT_NEAR(run.rows[1], designed.rows[1] - removed_ft2, 1e-3f) << "glass area (row 2)";
    EXPECT_NEAR(run.rows[2], designed.rows[2] - removed_ft2, 1e-3f) << "south glass area (row 3)";
    EXPECT_NEAR(run.rows[9], designed.rows[9] + removed_ft2 * (south_wall_u - glass_u), 1e-3f * designed.rows[9])
        << "envelope conduction (row 10)";
    for (INTEGER r = 60 + 10 * (groups - 1); r <= 310; ++r)
        EXPECT_EQ(STRATEGY(r, 1), 0.0f) << "no group after the last line: row " << r;
    expect_same_run(run, run_scheme(p, 1, 0.0f), "the re-run");
}

// Another building's window group grown until its glass covers the south
// wall whole leaves that wall without area and without an outside film on
// the first run, as on its re-runs. The film was cleared on the wall area
// the file held, before the glass took the wall: the first run saved the
// film (4) of a wall without area, the second cleared it.
TEST(DesignerEditRun, WallItsGlassCoversWholeIsSavedOnTheFirstRunAsOnItsReruns) {
    ScratchDir dir;
    const fs::path p = designed_office(dir, "office");
    ASSERT_EQ(STRATEGY(61, 1), 1.0f);  // group 1: the south windows
    const REAL south_ft2 = AREA(1) + AREA(6), unit_ft2 = line_area_ft2(1) / QTY(1);
    ASSERT_GT(HO(6), 0.0f);
    edit_scheme(p, 1, [&] { STRATEGY(62, 1) = std::ceil(south_ft2 / unit_ft2) + 1.0f; });
    run_scheme(p, 1, 0.0f);
    const SavedScheme first = saved_scheme(p, 1);
    EXPECT_EQ(AREA(6), 0.0f) << "the south wall";
    EXPECT_EQ(HO(6), 0.0f) << "its outside film";
    run_scheme(p, 1, 0.0f);
    expect_same_saved_scheme(first, saved_scheme(p, 1), "the re-run");
}

// A window group typed past the last line of another building's scheme 1
// or 2 is simulated and kept, as a house's is: a type-3 building at climate
// zone 15 given a group of 2 west windows of 4 x 5 ft gets its 40 ft2 of
// glass (of the code glass of its window type), and its save keeps the
// group. The group was read by no line: the glass stayed 495.8 ft2 and the
// save erased the group. A new line of a building of its own glazing whose
// windows are not alike took the glass of the library window row 60 named,
// which none of them holds.
TEST(DesignerEditRun, WindowGroupTypedPastTheLastLineIsSimulatedInAnotherBuilding) {
    ScratchDir dir;
    const fs::path p = dir / "building";
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    make_nonresidential(p, 1, 3);
    edit_scheme(p, 1, [] { STRATEGY(4, 1) = 15.0f; });
    const SchemeRun designed = run_scheme(p, 1, 243.0f);
    INTEGER groups = 0;
    while (groups < 25 && STRATEGY(62 + 10 * groups, 1) > 0.0f) ++groups;
    const INTEGER j = 10 * groups;
    const std::vector<REAL> typed = {2.0f, 2.0f, 4.0f, 5.0f};  // west, units, width and height in ft
    edit_scheme(p, 1, [&] {
        for (INTEGER n = 0; n < 4; ++n) STRATEGY(61 + j + n, 1) = typed[n];
    });
    const SchemeRun run = run_scheme(p, 1, 0.0f);
    EXPECT_NEAR(run.rows[1], designed.rows[1] + 40.0f, 1e-3f) << "glass area (row 2)";
    for (INTEGER n = 0; n < 4; ++n) EXPECT_EQ(STRATEGY(61 + j + n, 1), typed[n]) << "row " << 61 + j + n;
    EXPECT_EQ(STRATEGY(60 + j, 1), STRATEGY(60, 1)) << "the window type's code glass";
    expect_same_run(run, run_scheme(p, 1, 0.0f), "the re-run");

    // A building of its own glazing whose windows are not alike: row 60
    // (-29) names a library window none of them holds, and the new line
    // takes the stand-in glass. It took that window's single clear glass.
    const fs::path own = settled_sample(dir, "own glazing");
    run_scheme(own, 2, 246.0f);
    edit_scheme(own, 2, [] { UWINDO(1) = 0.93f; });
    make_nonresidential(own, 2, 19);
    run_scheme(own, 2, 0.0f);
    INTEGER lines = 0;
    while (lines < 25 && STRATEGY(62 + 10 * lines, 2) > 0.0f) ++lines;
    edit_scheme(own, 2, [&] {
        for (INTEGER n = 0; n < 4; ++n) STRATEGY(61 + 10 * lines + n, 2) = typed[n];
    });
    run_scheme(own, 2, 0.0f);
    EXPECT_EQ(UWINDO(lines + 1), 0.58f) << "the new line's U-factor";
}

// A house made another building simulates each of its windows once: a new
// project's house (its second line empty, its skylight the third) made an
// office simulated the skylight twice on every run (540 ft2 of glass and
// 540 ft2 of skylight against the house's 540 and 270): the skylight's
// line met the blank group of the empty line and kept the file's geometry,
// and its own group became a second line.
TEST(DesignerEditRun, HouseMadeAnotherBuildingSimulatesEachWindowOnce) {
    ScratchDir dir;
    const fs::path p = dir / "house";
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    const SchemeRun house = run_scheme(p, 2, 0.0f);
    ASSERT_FALSE(QTY(2) > 0.0f) << "a line without units before the skylight";
    make_nonresidential(p, 2, 7);
    const SchemeRun office = run_scheme(p, 2, 0.0f);
    EXPECT_EQ(office.rows[1], house.rows[1]) << "glass area (row 2)";
    EXPECT_EQ(office.rows[3], house.rows[3]) << "skylight area (row 4)";
    expect_same_run(office, run_scheme(p, 2, 0.0f), "the re-run");
}

// Glass typed onto another building's wall shared with a neighbour (a
// building between two others, row 7 = 3, has no north wall) and shrunk a
// run later leaves no wall there, as the same glass typed at once does: the
// glass grown past the wall had been added to its gross, so that 15 ft2 of
// wall appeared beside the neighbour.
TEST(DesignerEditRun, GlassOnASharedWallShrunkLeavesNoWall) {
    ScratchDir dir;
    const auto shared_north_wall_with_glass = [&](const std::string& name, const std::vector<REAL>& heights_ft) {
        const fs::path p = dir / name;
        testing::new_project(p, kData / "util");
        reset_all_blocks();
        make_nonresidential(p, 1, 3);
        edit_scheme(p, 1, [] { STRATEGY(7, 1) = 3.0f; });
        run_scheme(p, 1, 243.0f);
        INTEGER groups = 0;
        while (groups < 25 && STRATEGY(62 + 10 * groups, 1) > 0.0f) ++groups;
        const INTEGER j = 10 * groups;
        SchemeRun run;
        for (const REAL height_ft : heights_ft) {
            edit_scheme(p, 1, [&] {
                for (const auto& [row, v] : std::vector<std::pair<INTEGER, REAL>>{{61, 3.0f}, {62, 3.0f}, {63, 5.0f}, {64, height_ft}})
                    STRATEGY(row + j, 1) = v;
            });
            run = run_scheme(p, 1, 0.0f);
        }
        EXPECT_EQ(AREA(8), 0.0f) << name << ": the north wall";
        return run;
    };
    expect_same_rows(shared_north_wall_with_glass("at once", {4.0f}),
                     shared_north_wall_with_glass("grown and shrunk", {5.0f, 4.0f}), "glass 5 ft high, then 4");
}

// Another building's heating and cooling typed user-defined (negative codes,
// which keep the efficiencies the input file holds) run as the coded system
// of those efficiencies: a user-defined system pressurises the building as
// a coded one does. Read by its sign, the infiltration schedule let the
// wind in all day (a furnace and a heat pump's cooling user-defined: 0.8 %
// more electricity on the run that typed the cooling than on its re-runs).
TEST(DesignerEditRun, AnotherBuildingsUserDefinedSystemRunsAsItsCodes) {
    ScratchDir dir;
    const fs::path p = designed_office(dir, "office");
    const SchemeRun coded = run_scheme(p, 1, 0.0f);
    ASSERT_GT(STRATEGY(18, 1), 1.0f);
    ASSERT_GT(STRATEGY(20, 1), 1.0f);
    edit_scheme(p, 1, [] {
        STRATEGY(18, 1) = -STRATEGY(18, 1);
        STRATEGY(20, 1) = -STRATEGY(20, 1);
    });
    expect_same_rows(coded, run_scheme(p, 1, 0.0f), "heating and cooling user-defined");
}

// Another building without glass is lit and occupied as the building type
// in force: an office whose window groups were all emptied, retyped a
// warehouse, has the warehouse's lights, occupants and their heat. It kept
// the loads of its last run with glass (the office's 1.1 W/ft2 over the
// warehouse's schedules), on every later run.
TEST(DesignerEditRun, AnotherBuildingWithoutGlassHasTheLoadsOfItsType) {
    ScratchDir dir;
    const fs::path p = designed_office(dir, "office");
    edit_scheme(p, 1, [] {
        for (INTEGER g = 1; g <= 25; ++g) STRATEGY(62 + 10 * (g - 1), 1) = 0.0f;
    });
    run_scheme(p, 1, 0.0f);
    ASSERT_EQ(SUMARY(2, 1), 0.0f) << "no glass";
    edit_scheme(p, 1, [] { NTYPE = 11; });
    const SchemeRun run = run_scheme(p, 1, 0.0f);
    EXPECT_EQ(LIGHTS, DVALUENR(6, 11)) << "W/ft2";
    EXPECT_FLOAT_EQ(TLLOAD, DVALUENR(6, 11) * AREAT * 3.412f) << "lights, Btu/h";
    EXPECT_FLOAT_EQ(PEOPLE, AREAT * DVALUENR(1, 11) / 1000.0f);
    EXPECT_FLOAT_EQ(TOLOAD, PEOPLE * DVALUENR(2, 11)) << "occupants, Btu/h";
    expect_same_run(run, run_scheme(p, 1, 0.0f), "the re-run");
}

// A window or door type typed in another building's current-code design is
// simulated on the first run after it: every window line takes the code
// glass of the type and the facade conducts through it. The type's glass
// was put in after the run (an office given window type 7 over 2: $5,689.30
// as before, then $7,924.58), and the facades kept the design's U-factors
// on every run.
TEST(DesignerEditRun, GlazingTypedInAnotherBuildingIsSimulatedOnTheFirstRun) {
    for (const INTEGER type : {3, 7}) {
        ScratchDir dir;
        const fs::path p = designed_office(dir, "office");
        const SchemeRun designed = run_scheme(p, 1, 0.0f);
        REAL window_ft2 = 0.0f, designed_u = 0.0f;
        for (INTEGER k = 1; k <= 25; ++k)
            if (QTY(k) > 0.0f && TRANS(k) > 0.0f) {
                window_ft2 += line_area_ft2(k);
                designed_u = UWINDO(k);
            }
        edit_scheme(p, 1, [&] { WTYPE = type; });
        const SchemeRun first = run_scheme(p, 1, 0.0f);
        const std::string what = "window type " + std::to_string(type);
        const REAL u = CECNR(type == 3 ? 45 : 57, CECZONE), shgc = CECNR(type == 3 ? 46 : 58, CECZONE);
        for (INTEGER k = 1; k <= 25; ++k) {
            if (!(QTY(k) > 0.0f && TRANS(k) > 0.0f)) continue;
            EXPECT_EQ(UWINDO(k), u) << what << ", line " << k;
            EXPECT_EQ(SCOEF(k), shgc) << what << ", line " << k;
        }
        EXPECT_NEAR(first.rows[9], designed.rows[9] + window_ft2 * (u - designed_u), 1e-3f * designed.rows[9])
            << what << ": envelope conduction (row 10) through the type's glass";
        expect_same_run(first, run_scheme(p, 1, 0.0f), what + ", its re-run");
    }
}

// A plain run after an edit of the floor area or the stories does not lay
// the building out again, as the README says: the loads follow the area,
// the house's roof the footprint, its walls stay those of the stored plan
// (rows 12 and 13) over the stories and its air volume the stored one. The
// next design lays it out for them, as a new project given them has it.
TEST(DesignerEditRun, AreaEditIsLaidOutByTheNextDesign) {
    ScratchDir dir;
    const fs::path edited = designed_at_chicago(dir, "edited");
    const REAL volume_ft3 = VOLUME, plan_ft = 2.0f * (EWDIM + NSDIM);
    edit_scheme(edited, 1, [] { STRATEGY(8, 1) = 4000.0f; });
    const SchemeRun plain = run_scheme(edited, 1, 0.0f);
    EXPECT_EQ(plain.rows[0], 4000.0f) << "floor area (row 1)";
    EXPECT_EQ(plain.rows[3], 4000.0f / FLOORS) << "roof (row 4): the footprint of one story";
    EXPECT_NEAR(plain.rows[4], plan_ft * FLTOFL * FLOORS, 1e-3f * plain.rows[4])
        << "walls and windows (row 5): the stored plan";
    EXPECT_EQ(VOLUME, volume_ft3) << "the stored air volume";
    EXPECT_NEAR(TLLOAD, LIGHTS * 4000.0f * 3.412f, 1e-3f * TLLOAD) << "lights over the area in force";

    const fs::path typed = dir / "typed";
    testing::new_project(typed, kData / "util");
    reset_all_blocks();
    move_scheme(typed, 1, "ChiOHare.epw");
    edit_scheme(typed, 1, [] { STRATEGY(8, 1) = 4000.0f; });
    expect_same_run(run_scheme(typed, 1, 243.0f), run_scheme(edited, 1, 243.0f), "the design after the edit");
}

// A new house is built to the current code whatever year its column names:
// every run saves 2013, whether or not the host saved another edit after
// the year was typed. The host's load of the input file cleared the year,
// but the run reloaded the column after its own load: a year typed into
// the efficient design of the sample's new house was saved as typed (1923)
// by the run after it and as 2013 once any other edit came between.
TEST(DesignerEditRun, NewHouseKeepsTheCodesYearWhateverYearIsTyped) {
    ScratchDir dir;
    const fs::path p = designed_sample(dir, "p", 2);
    ASSERT_LE(STRATEGY(6, 2), 1.0f);  // a new house
    edit_scheme(p, 2, [] { STRATEGY(11, 2) = 1923.0f; });
    run_scheme(p, 2, 0.0f);
    EXPECT_EQ(STRATEGY(11, 2), 2013.0f);
}

// A window group set to no units empties its line. The line kept the last
// run's window and was saved back into the group, and each later line took
// the group before its own: the south windows of the efficient design,
// doubled and run, then set to 0, stayed doubled (and the east windows
// went), where a new project given only the 0 kept the design's count.
TEST(DesignerEditRun, WindowGroupSetToNoUnitsHasNoWindow) {
    ScratchDir dir;
    const fs::path doubled = designed_sample(dir, "doubled", 2);
    ASSERT_EQ(STRATEGY(61, 2), 1.0f);  // group 1: the south windows
    edit_scheme(doubled, 2, [] { STRATEGY(62, 2) *= 2.0f; });
    run_scheme(doubled, 2, 0.0f);
    edit_scheme(doubled, 2, [] { STRATEGY(62, 2) = 0.0f; });
    const SchemeRun run = run_scheme(doubled, 2, 0.0f);
    for (INTEGER k = 1; k <= 25; ++k) {
        if (QTY(k) > 0.0f && ITEMS(k) == 1) {
            EXPECT_EQ(TRANS(k), 0.0f) << "line " << k << ": a south window";
        }
    }
    EXPECT_NEAR(SUMARY(3, 2), 3.0f * 6.67f, 1e-3f) << "south glass and door (row 3): the door alone";

    const fs::path fresh = designed_sample(dir, "fresh", 2);
    const FArray<REAL, 3> designed_glass = {UWINDO(1), SCOEF(1), TRANS(1)};
    FArray<REAL, 7> south_group;  // rows 61 to 67
    for (INTEGER r = 1; r <= 7; ++r) south_group(r) = STRATEGY(60 + r, 2);
    edit_scheme(fresh, 2, [] { STRATEGY(62, 2) = 0.0f; });
    expect_same_run(run, run_scheme(fresh, 2, 0.0f), "a new project given the same groups");
    expect_same_run(run, run_scheme(doubled, 2, 0.0f), "the re-run");

    // Typed into a group past the design's lines (group 7), the south
    // windows come back on a line that never held glass: they take the
    // library glass of the scheme-wide code, that of the design's windows.
    edit_scheme(fresh, 2, [&] {
        for (INTEGER r = 1; r <= 7; ++r) STRATEGY(120 + r, 2) = south_group(r);
    });
    run_scheme(fresh, 2, 0.0f);
    EXPECT_EQ(QTY(7), south_group(2));
    EXPECT_EQ(ITEMS(7), 1);
    EXPECT_EQ(UWINDO(7), designed_glass(1));
    EXPECT_EQ(SCOEF(7), designed_glass(2));
    EXPECT_EQ(TRANS(7), designed_glass(3));
}

// A new project of an existing house (row 6: 2 a remodel, 3 an addition)
// built in `year`, moved to `site` unless empty, with both schemes designed.
fs::path older_house_designed(const ScratchDir& dir, const std::string& name, REAL kind, REAL year,
                              const std::string& site) {
    const fs::path p = dir / name;
    testing::new_project(p, kData / "util");
    reset_all_blocks();
    for (const INTEGER slot : {1, 2})
        edit_scheme(p, slot, [&] {
            STRATEGY(6, slot) = kind;
            STRATEGY(11, slot) = year;
        });
    if (!site.empty()) move_scheme(p, 1, site);
    run_scheme(p, 1, 243.0f);
    run_scheme(p, 2, 246.0f);
    return p;
}

// Every window group of a house emptied and run, then typed back: the run
// the scheme gave before the edit, as with any group typed back. The run
// without glass left a daylit depth of 0 and no daylit share, which every
// later run took for a building still without glass: the glass typed back
// was in no area (the walls stayed whole) and had no daylight ($2,652.00
// against $2,529.33 for a 1901 remodel at Arcata given one window). And
// the run that emptied the last group saved its glazing types as the
// user's own, judged on the lines its file held, where its re-run did not
// (the efficient design of a 1913 addition).
TEST(DesignerEditRun, GlassTypedBackIntoAHouseWithoutGlassIsLaidOutAndDaylit) {
    ScratchDir dir;
    // Scheme 2 the vintage design of a 1913 addition.
    const fs::path p = older_house_designed(dir, "addition", 3.0f, 1913.0f, "");
    const SchemeRun designed = run_scheme(p, 2, 0.0f);
    std::vector<REAL> groups;  // rows 61 to 309, facade code to overhang of every group
    for (INTEGER row = 61; row <= 309; ++row) groups.push_back(STRATEGY(row, 2));
    edit_scheme(p, 2, [] {
        for (INTEGER g = 1; g <= 25; ++g) STRATEGY(62 + 10 * (g - 1), 2) = 0.0f;
    });
    run_scheme(p, 2, 0.0f);
    ASSERT_EQ(SUMARY(3, 2), 0.0f) << "no glass";
    const SavedScheme without_glass = saved_scheme(p, 2);
    run_scheme(p, 2, 0.0f);
    expect_same_saved_scheme(without_glass, saved_scheme(p, 2), "the re-run without glass");
    edit_scheme(p, 2, [&] {
        for (INTEGER row = 61; row <= 309; ++row) STRATEGY(row, 2) = groups[static_cast<std::size_t>(row - 61)];
    });
    expect_same_run(designed, run_scheme(p, 2, 0.0f), "the groups typed back");
}

// A group typed past the design's lines brings in a line; with a
// transmittance of its own typed on it, the windows are then not all alike
// and are marked so (group 1's code slot, row 60 = -1) by the run that
// brings the line in. The mark was judged on the lines the input file held
// before the run: the vintage design of a 1999 remodel at 94128 (row 60 =
// -2) given one more group saved -2 and its re-run -1.
TEST(DesignerEditRun, WindowsNotAlikeAreMarkedByTheRunThatBringsTheirLineIn) {
    ScratchDir dir;
    const fs::path p = older_house_designed(dir, "remodel", 2.0f, 1999.0f, "94128");
    INTEGER past = 25;  // the first group after the design's last one
    while (past > 1 && !(STRATEGY(62 + 10 * (past - 2), 2) > 0.0f)) --past;
    const INTEGER j = 10 * (past - 1);
    edit_scheme(p, 2, [&] {
        for (const auto& [word, value] : {std::pair{61, 1.0f}, {62, 2.0f}, {63, 8.0f}, {64, 2.0f}, {65, 1.0f}})
            STRATEGY(word + j, 2) = value;
        TRANS(past) = 0.9f;
    });
    run_scheme(p, 2, 0.0f);
    EXPECT_EQ(STRATEGY(60, 2), -1.0f) << "the run that brought the line in";
    run_scheme(p, 2, 0.0f);
    EXPECT_EQ(STRATEGY(60, 2), -1.0f) << "its re-run";
}

// Line k of a house's scheme 1 or 2 is saved into window group k. The save
// filled the groups one after the other with the lines that had units, so
// emptying group 1 (the south windows of the code-minimum house) moved the
// door into it: group 1's code slot, the scheme-wide glazing code (25, the
// zone's code glass for every window), became -48 and a move to another
// zone kept zone 9's glass; nor did a group ever pair with an emptied line
// again, so windows typed back into their group never came back. A copy
// into slot 3, which fills its groups one after the other, and back pairs
// every line with its own group again.
TEST(DesignerEditRun, EmptiedWindowGroupKeepsTheSchemesGlazingAndComesBack) {
    ScratchDir dir;
    const fs::path p = designed_sample(dir, "p", 1);
    const SchemeRun designed = run_scheme(p, 1, 0.0f);
    const SavedScheme designed_saved = saved_scheme(p, 1);
    ASSERT_EQ(STRATEGY(60, 1), 25.0f);
    FArray<REAL, 310> column;
    for (INTEGER r = 1; r <= 310; ++r) column(r) = STRATEGY(r, 1);

    edit_scheme(p, 1, [] { STRATEGY(62, 1) = 0.0f; });
    const SchemeRun emptied = run_scheme(p, 1, 0.0f);
    EXPECT_EQ(STRATEGY(60, 1), 25.0f) << "the scheme-wide glazing code";
    for (INTEGER r = 70; r <= 310; ++r) EXPECT_EQ(STRATEGY(r, 1), column(r)) << "the other groups keep their lines: row " << r;

    edit_scheme(p, 1, [&] {
        for (INTEGER r = 61; r <= 67; ++r) STRATEGY(r, 1) = column(r);
    });
    expect_same_run(designed, run_scheme(p, 1, 0.0f), "the south windows typed back");
    expect_same_saved_scheme(designed_saved, saved_scheme(p, 1), "the south windows typed back");

    const fs::path q = designed_sample(dir, "q", 1);
    edit_scheme(q, 1, [] { STRATEGY(62, 1) = 0.0f; });
    run_scheme(q, 1, 0.0f);
    move_scheme(q, 1, "95521");
    const SchemeRun moved = run_scheme(q, 1, 0.0f);
    ASSERT_EQ(CECZONE, 1);
    const design_codes::GlazingValues code = design_codes::residential_code_glazing(CECZONE);
    INTEGER windows = 0;
    for (INTEGER k = 1; k <= 25; ++k) {
        if (!(QTY(k) > 0.0f && TRANS(k) > 0.0f)) continue;
        ++windows;
        EXPECT_EQ(UWINDO(k), code.u) << "line " << k << " after the move to zone 1";
        EXPECT_EQ(SCOEF(k), code.shgc) << "line " << k << " after the move to zone 1";
    }
    EXPECT_EQ(windows, 3);

    select_scheme(q, 1, 201.0f, 3);
    ASSERT_EQ(run_kernel(q), 0);
    select_scheme(q, 3, 201.0f, 1);
    ASSERT_EQ(run_kernel(q), 0);
    expect_same_run(moved, run_scheme(q, 1, 0.0f), "copied into slot 3 and back");
}

// A line whose group is made a skylight (facade code 5) is saved on its
// first run as its re-runs save it. A house's door carries the absorptance
// of the roof it now sits in, which the hours give it: the first run
// averaged and saved the roof's glazing with the wall's 0.5 and the run
// after it with the roof's 0.9 (the input file's skylight word). Another
// building's current-code window takes the skylight type's code glass: the
// first run simulated and saved the window type's, the run after it the
// skylight's.
TEST(DesignerEditRun, LineMovedToTheRoofIsSavedAsItsRerunsSaveIt) {
    struct Case {
        const char* what;
        INTEGER scheme, group;
    };
    const Case cases[] = {{"a house's door", 2, 2}, {"another building's window", 1, 1}};
    for (const Case& c : cases) {
        ScratchDir dir;
        fs::path p;
        if (c.scheme == 2) {
            p = settled_sample(dir, "p");
            run_scheme(p, 2, 246.0f);
            ASSERT_EQ(TRANS(2), 0.0f) << "line 2 (group 2) is a door";
        } else {
            p = designed_office(dir, "p");
            ASSERT_GT(TRANS(1), 0.0f) << "line 1 (group 1) is a window";
        }
        const INTEGER facade_row = 61 + 10 * (c.group - 1);
        edit_scheme(p, c.scheme, [&] { STRATEGY(facade_row, c.scheme) = 5.0f; });
        run_scheme(p, c.scheme, 0.0f);
        const SavedScheme first = saved_scheme(p, c.scheme);
        run_scheme(p, c.scheme, 0.0f);
        expect_same_saved_scheme(first, saved_scheme(p, c.scheme), std::string(c.what) + ", the run after the first");
    }
}

}  // namespace
}  // namespace mavo

namespace mavo {
namespace {

// A heater that is no heat pump runs at its recovery efficiency whatever
// energy factor its scheme carries: a slot's heat pump saves its COP of 2.0
// into the scheme, and the gas heater typed in its place (or the base
// scheme a heat-pump slot was copied into) burnt half the gas of the same
// heater in a slot that never had a heat pump.
TEST(DesignerEditRun, GasHeaterAfterAHeatPumpBurnsAsAGasHeater) {
    ScratchDir dir;
    const fs::path p = designed_sample(dir, "p", 1);
    for (const INTEGER slot : {3, 4}) {
        select_scheme(p, 1, 201.0f, slot);  // a copy
        ASSERT_EQ(run_kernel(p), 0);
    }
    edit_scheme(p, 3, [] { WHTYPE = 7; });
    run_scheme(p, 3, 0.0f);
    edit_scheme(p, 3, [] { WHTYPE = 1; });
    const SchemeRun after_heat_pump = run_scheme(p, 3, 0.0f);
    const SchemeRun never_heat_pump = run_scheme(p, 4, 0.0f);
    EXPECT_GT(never_heat_pump.rows[64], 0.0f);
    EXPECT_EQ(after_heat_pump.rows[64], never_heat_pump.rows[64]) << "water-heater fuel (row 65)";
}

}  // namespace
}  // namespace mavo
