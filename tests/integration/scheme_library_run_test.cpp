// The scheme library driven as a design application drives it: whole runs
// through the C front on a new project, with the name left in the name
// buffer and the operand in the project state before each call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "blocks/blocks.h"
#include "front/scheme_numbers.h"
#include "mavokernel.h"
#include "project/library.h"
#include "project/project.h"
#include "test_support.h"
#include "whole_run_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
namespace cmd = library_command;
using testing::read_file;
using testing::read_lines;

class SchemeLibraryRun : public ::testing::Test {
protected:
    void host_loads() { testing::host_loads(project.path()); }
    // The host's request of `command` on scheme number `current`, with
    // `name` left in the name buffer, and its call of the kernel.
    void run(INTEGER current, INTEGER command, INTEGER operand, const std::string& name = "") {
        run_in(project.path(), current, command, operand, name);
    }
    void run_in(const fs::path& dir, INTEGER current, INTEGER command, INTEGER operand, const std::string& name = "") {
        testing::host_requests(dir, current, command, operand);
        call_kernel(dir, name);
    }
    // The host's name in the name buffer and its call of the kernel.
    void call_kernel(const fs::path& dir, const std::string& name) {
        // The block's bytes, as a host writes them.
        char* buffer = reinterpret_cast<char*>(&BLK27A);
        std::fill_n(buffer, sizeof BLK27A, ' ');
        std::copy(name.begin(), name.end(), buffer);
        ASSERT_EQ(testing::run_on_sample_data(dir), 0);
    }
    // The host's copy of a summary column emptied, so that a run must make
    // it again.
    void forget_column(INTEGER k) {
        host_loads();
        for (INTEGER r = 1; r <= 80; ++r) SUMARY(r, k) = 0.0f;
        AADISK(1);
    }
    // A new project's two designs, scheme 1 copied into slot 3, and the
    // schemes 2 and 3 named, as the README's road makes them.
    void designs_and_a_named_copy() {
        testing::new_project(project.path(), testing::sample_data() / "util");
        run(1, 243, 0);
        run(2, 246, 0);
        run(1, cmd::kCopy, 3);
        run(3, cmd::kName, 3, "Copy of the base case");
        run(3, cmd::kName, 2, "Efficient design");
    }
    std::vector<REAL> column(INTEGER k) {
        std::vector<REAL> c(81);
        for (INTEGER r = 1; r <= 80; ++r) c[r] = SUMARY(r, k);
        return c;
    }
    testing::ScratchDir project;
};

// Agreement to 1 part in 10,000 of the larger magnitude.
::testing::AssertionResult close(REAL a, REAL b) {
    const REAL scale = std::max({std::fabs(a), std::fabs(b), 1.0e-6f});
    if (std::fabs(a - b) <= 1.0e-4f * scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << b;
}

TEST_F(SchemeLibraryRun, CopyNameCombineSelectShowCompareEraseReread) {
    testing::new_project(project.path(), testing::sample_data() / "util");
    run(1, 243, 0);
    run(2, 246, 0);
    run(1, cmd::kCopy, 3);
    host_loads();
    EXPECT_TRUE(SCHEMENAME(3).is_blank());  // a copy arrives unnamed

    // Naming scheme 3 changes its line of the scheme directory and no
    // other scheme's files.
    const std::vector<std::string> before = read_lines(project / "master.dir");
    std::map<std::string, std::string> others;
    for (const char* f : {"scheme1b.dat", "scheme1b.het", "scheme2b.dat", "scheme2b.het"})
        others[f] = read_file(project / f);
    run(3, cmd::kName, 3, "Copy of the base case");
    const std::vector<std::string> after = read_lines(project / "master.dir");
    ASSERT_EQ(after.size(), 18u);
    for (std::size_t i = 0; i < 18; ++i) {
        if (i == 2) EXPECT_EQ(after[i].substr(4), "Copy of the base case   ");
        else EXPECT_EQ(after[i], before[i]) << "line " << i + 1;
    }
    for (const auto& [f, bytes] : others) EXPECT_TRUE(read_file(project / f) == bytes) << f << " changed";
    // A new project's scheme 2 has no name. A host's text ends at its NUL;
    // a line break would break the scheme directory's lines.
    run(3, cmd::kName, 2, std::string("Efficient\ndesign\0old text", 26));
    EXPECT_TRUE(MATNAME.is_blank() && TEXTLINE.is_blank());  // the next call sees only its host's text
    host_loads();
    EXPECT_EQ(SCHEMENAME(2).trimmed(), "Efficient design");
    EXPECT_EQ(read_lines(project / "master.dir").size(), 18u);

    run(3, cmd::kCombine, 13, "Schemes 1 and 3");
    host_loads();
    ASSERT_EQ(NCOMBO(1), 13);
    EXPECT_EQ(LINENAME(1).trimmed(), "Schemes 1 and 3");
    EXPECT_EQ(IDNUM1, 13);  // the combination is the current scheme
    const std::vector<REAL> s1 = column(1), s3 = column(3), built = column(10);
    const REAL area = s1[1] + s3[1];
    EXPECT_TRUE(close(built[1], area));
    // Energy, fuel and emissions add up; rows per floor area are over the
    // summed area.
    for (INTEGER r : {21, 22, 23, 24, 25, 41, 42, 46, 47, 56, 59, 61, 63, 65, 66, 71, 72, 73, 75, 78})
        EXPECT_TRUE(close(built[r], s1[r] + s3[r])) << "row " << r;
    for (INTEGER r : {18, 19, 20, 38, 39, 60})
        EXPECT_TRUE(close(built[r], (s1[r] * s1[1] + s3[r] * s3[1]) / area)) << "row " << r;
    // The zones are heated (cooled) in the same hours, not one after the
    // other: the building's hours are its member's with the most.
    ASSERT_GT(s1[67], 0.0f);
    ASSERT_GT(s1[68], 0.0f);
    for (INTEGER r : {67, 68}) EXPECT_EQ(built[r], std::max(s1[r], s3[r])) << "row " << r;
    // One meter: the gas days are counted once, and the electricity bill is
    // that of the summed purchases (on the sample site's tiered tariff the
    // doubled use climbs the tiers), not the sum of two bills.
    EXPECT_EQ(built[49], s1[49]);
    EXPECT_EQ(built[50], s1[50]);
    EXPECT_FALSE(close(built[36], s1[36] + s3[36]));
    EXPECT_TRUE(close(built[37], built[35] + built[36]));
    // The summed zones have no balance point or peak hour of their own:
    // those rows hold no value.
    for (INTEGER r : {16, 17, 26, 27, 28, 29, 30, 31, 32, 33, 34}) EXPECT_EQ(built[r], 0.0f) << "row " << r;

    // Selecting the combination, then showing it as the current scheme,
    // makes the same column again.
    forget_column(10);
    run(2, cmd::kSelect, 13);
    host_loads();
    EXPECT_EQ(IDNUM1, 13);
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_TRUE(close(SUMARY(r, 10), built[r])) << "select, row " << r;
    forget_column(10);
    run(13, cmd::kShowResults, 0);
    host_loads();
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_TRUE(close(SUMARY(r, 10), built[r])) << "show, row " << r;

    // Compared with scheme 2: the difference column the host reads after
    // the call.
    const std::vector<REAL> s2 = column(2);
    run(13, cmd::kCompare, 2);
    for (INTEGER r : {18, 19, 21, 22, 23, 24, 25, 35, 36, 37, 38, 39, 41, 46, 47})
        EXPECT_TRUE(close(SUMARY(r, 19), built[r] - s2[r])) << "row " << r;
    for (INTEGER r = 26; r <= 34; ++r) EXPECT_EQ(SUMARY(r, 19), 0.0f) << "no peak to compare, row " << r;

    // Three lines, 13, 24 and 23.
    run(2, cmd::kCopy, 4);
    run(4, cmd::kName, 4, "Copy of the efficient");
    run(4, cmd::kCombine, 24, "Schemes 2 and 4");
    run(4, cmd::kCombine, 23, "Schemes 2 and 3");

    // A re-read of March and July in a whole-year run of scheme 4.
    run(4, cmd::kReread, 4, "mar jul ");
    for (INTEGER m = 1; m <= 12; ++m) EXPECT_EQ(DAYFLAG(m), (m == 3 || m == 7) ? 0 : -1) << "month " << m;

    // Line 24's members no longer add up: shown as the current scheme (with
    // a second scheme left named) or selected, its column holds no results.
    // The refused select leaves the run a plain run of scheme 1.
    for (const auto& [current, command, operand] : {std::tuple{24, 0, 2}, std::tuple{1, cmd::kSelect, 24}}) {
        run(current, command, operand);
        EXPECT_EQ(IDNUM1, current);
        EXPECT_EQ(NFLAG(51), command != 0);
        EXPECT_EQ(NFLAG(kLibraryCommandRefused), command != 0);
        for (INTEGER r = 2; r <= 80; ++r) EXPECT_EQ(SUMARY(r, 11), 0.0f) << "line 24's column, row " << r;
    }

    // Erasing scheme 4 frees line 2, line 3 moves up with its results, and
    // the freed column keeps none. The run goes on with scheme 1, whose
    // floor-area back copy shares line 1's column: line 1 keeps its summed
    // area (it showed scheme 1's 2,000 ft2 instead of 4,000).
    run(1, cmd::kErase, 4);
    host_loads();
    ASSERT_EQ(NCOMBO(1), 13);
    ASSERT_EQ(NCOMBO(2), 23);
    ASSERT_EQ(NCOMBO(3), 0);
    const std::vector<REAL> kept = column(10), moved = column(11), freed = column(12);
    for (INTEGER r = 2; r <= 80; ++r) EXPECT_EQ(freed[r], 0.0f) << "freed line's column, row " << r;
    for (const auto& [number, stored] : {std::pair{13, kept}, std::pair{23, moved}}) {
        run(3, cmd::kSelect, number);
        host_loads();
        const std::vector<REAL> selected = column(9 + combination_line(number));
        for (INTEGER r = 1; r <= 80; ++r)
            EXPECT_TRUE(close(stored[r], selected[r])) << "line " << number << ", row " << r;
    }

    // Erasing scheme 3 while the combination is shown frees its lines; the
    // run goes on with scheme 1.
    run(13, cmd::kErase, 3);
    EXPECT_EQ(IDNUM1, 1);
    host_loads();
    EXPECT_TRUE(SCHEMENAME(3).is_blank());
    for (INTEGER i = 1; i <= 9; ++i) EXPECT_EQ(NCOMBO(i), 0) << "line " << i;
    EXPECT_EQ(IDNUM1, 1);
}

// Results over other days cannot be added up: a combination of a scheme
// run over twelve days, or over the months a re-read chose, with a whole
// year, or of twelve days with twelve others, is refused like any other
// list that makes no combination, and the scheme directory stays as it was
// (it held a line of zeros before). Such a run is no annual calculation
// for the compliance export either.
TEST_F(SchemeLibraryRun, CombinationOfOtherDaysIsRefused) {
    // Scheme `slot` over the twelve days from `month`/`day`, as the host
    // sets them in its input file, then simulated.
    auto twelve_days = [&](INTEGER slot, INTEGER month, INTEGER day) {
        host_loads();
        BLK0B.DISKDAT = 21;
        BLK0B.DISKKEEP2 = 26;
        IDNUM1 = slot;
        AADISK(-5);
        IDNUM1 = slot;
        FIND2();
        TMYMON = month;
        TMYDAY = day;
        KEEP2(1);
        run(slot, 0, 0);
        ASSERT_FALSE(NFLAG(38));
    };
    enum class Days { twelve, months, twelve_from_another_day };
    struct Case {
        const char* what;
        Days days;
        INTEGER members;
    };
    for (const Case c : {Case{"twelve days", Days::twelve, 13}, Case{"March and July", Days::months, 13},
                         Case{"twelve days from 1 July and from 1 December", Days::twelve_from_another_day, 34}}) {
        SCOPED_TRACE(c.what);
        for (const auto& e : fs::directory_iterator(project.path())) fs::remove_all(e.path());
        testing::new_project(project.path(), testing::sample_data() / "util");
        run(1, 243, 0);
        run(1, cmd::kCopy, 3);
        run(3, cmd::kName, 3, "Other days");
        if (c.days == Days::months) {
            run(1, cmd::kCopy, 5);
            run(5, cmd::kName, 5, "Spare");
            run(3, cmd::kReread, 3, "MAR JUL");
            ASSERT_TRUE(NFLAG(38));
            // The months stay with the scheme, also through a library
            // command on another scheme.
            run(3, cmd::kErase, 5);
            ASSERT_EQ(SUMARY(48, 3), 62.0f);
        } else {
            twelve_days(3, 7, 1);
        }
        if (c.days == Days::twelve_from_another_day) {
            run(3, cmd::kCopy, 4);
            run(4, cmd::kName, 4, "December days");
            twelve_days(4, 12, 1);
        }
        EXPECT_EQ(read_lines(project / "scheme3.xml").size(), 1u);
        EXPECT_EQ(read_lines(project / "scheme3.xml")[0].substr(0, 24), "<................. ERROR");
        EXPECT_EQ(read_lines(project / "scheme3.txt")[3], "This Scheme is not a full 365 day calculation,");
        const std::string master = read_file(project / "master.dir");
        run(1, cmd::kCombine, c.members, "Mixed");
        EXPECT_TRUE(NFLAG(38));  // scheme 1 ran its own year
        EXPECT_TRUE(NFLAG(kLibraryCommandRefused));
        EXPECT_TRUE(read_file(project / "master.dir") == master);
        host_loads();
        EXPECT_EQ(NCOMBO(1), 0);
        EXPECT_EQ(IDNUM1, 1);
    }
}

// A scheme's results never depend on which combination lines exist: while
// line k held a combination, every run of scheme k divided its per-area
// rows by the line's summed floor area (site energy per ft2 13.17 for
// 26.35), and the lines made later summed those halved rows.
TEST_F(SchemeLibraryRun, SchemeRowsDoNotDependOnTheLinesInUse) {
    designs_and_a_named_copy();
    std::map<INTEGER, std::vector<REAL>> before;
    for (INTEGER k : {1, 2}) {
        run(k, 0, 0);
        before[k] = column(k);
    }
    run(3, cmd::kCombine, 13, "Schemes 1 and 3");
    run(3, cmd::kCombine, 23, "Schemes 2 and 3");
    host_loads();
    ASSERT_EQ(NCOMBO(1), 13);
    ASSERT_EQ(NCOMBO(2), 23);
    for (INTEGER k : {1, 2}) {
        run(k, 0, 0);
        const std::vector<REAL> after = column(k);
        for (INTEGER r = 1; r <= 80; ++r) EXPECT_EQ(after[r], before[k][r]) << "scheme " << k << ", row " << r;
    }
}

// Line 12 once scheme 2 was re-read for two months: its members' results
// no longer add up. A command on it acts on the line or is refused; it
// renamed scheme 2, compared scheme 2 with the line's empty column, and
// an erase found no line of that number.
TEST_F(SchemeLibraryRun, CommandOnALineWhoseMembersNoLongerAddUpActsOnThatLine) {
    designs_and_a_named_copy();
    run(3, cmd::kCombine, 12, "Line A");
    run(2, cmd::kReread, 2, "MAR JUL");

    run(12, cmd::kName, 12, "Line B");
    EXPECT_FALSE(NFLAG(kLibraryCommandRefused));
    host_loads();
    EXPECT_EQ(LINENAME(1).trimmed(), "Line B");
    EXPECT_EQ(SCHEMENAME(2).trimmed(), "Efficient design");

    run(12, cmd::kCompare, 3);
    EXPECT_TRUE(NFLAG(kLibraryCommandRefused));

    run(12, cmd::kErase, 12);
    EXPECT_FALSE(NFLAG(kLibraryCommandRefused));
    EXPECT_EQ(IDNUM1, 1);  // the run goes on with scheme 1
    host_loads();
    EXPECT_EQ(NCOMBO(1), 0);
    EXPECT_EQ(SCHEMENAME(2).trimmed(), "Efficient design");
}

// A refused command changes what a refusal says (the level reached and the
// operand word) and nothing else: every file is the one the plain run of
// the scheme it found leaves. A refused select of a broken line moved the
// run to the line; refusals left run flags, parameter columns and the
// back-up copy's command changed.
TEST_F(SchemeLibraryRun, RefusedCommandLeavesTheFilesOfAPlainRun) {
    designs_and_a_named_copy();
    run(3, cmd::kCombine, 12, "Line A");
    run(3, cmd::kCombine, 13, "Line B");
    run(2, cmd::kReread, 2, "MAR JUL");  // line 12 no longer adds up
    struct Case {
        INTEGER current, command, operand;
        const char* name;
    };
    const Case cases[] = {
        {12, cmd::kShowResults, 0, ""},    {12, cmd::kSelect, 12, ""},  {1, cmd::kSelect, 12, ""},
        {12, cmd::kCompare, 3, ""},        {13, cmd::kCompare, 12, ""}, {3, cmd::kErase, 1, ""},
        {3, cmd::kCombine, 13, "Again"},   {3, cmd::kCombine, 17, "Unnamed member"},
        {3, cmd::kReread, 3, "XYZ"},       {1, cmd::kName, 3, ""},      {1, cmd::kSelect, 7, ""},
    };
    // The summary file with the level and the operand word set alike.
    auto files_but_level_and_operand = [](const fs::path& dir) {
        testing::host_loads(dir);
        LEVEL = 0;
        IDNUM2 = 0;
        AADISK(1);
        return testing::project_files(dir);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " on " + std::to_string(c.current) + ", operand " +
                     std::to_string(c.operand));
        testing::ScratchDir refused, plain;
        fs::copy(project.path(), refused.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::copy(project.path(), plain.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        run_in(refused.path(), c.current, c.command, c.operand, c.name);
        ASSERT_TRUE(NFLAG(kLibraryCommandRefused));
        run_in(plain.path(), c.current, 0, c.operand);
        const auto a = files_but_level_and_operand(refused.path()), b = files_but_level_and_operand(plain.path());
        ASSERT_EQ(a.size(), b.size());
        for (const auto& [file, bytes] : b) EXPECT_TRUE(a.count(file) && a.at(file) == bytes) << file << " differs";
    }
}

// The blocks a host reads after a call, as bytes.
std::string exported_blocks() {
    std::string bytes;
    const auto add = [&](const auto& block) {
        bytes.append(reinterpret_cast<const char*>(&block), sizeof block);
    };
    add(BLK10);
    add(BLK16);
    add(BLK20);
    add(BLK25);
    add(BLK44A);
    add(BLK44B);
    return bytes;
}

// A day of a design application's calls in one process against one process
// a call: before each call the project is copied and the call is made in a
// fresh child from the copy; the host's edits are made in children, on
// memory of their own, so the kernel's blocks in this process are what its
// previous call left. Every
// saved file, the return code and the blocks the host reads after the call
// must be the fresh child's. The calls draw what leaked from call to call:
// a slot of another building moved to a weather file that cannot be read
// after a house at a PG&E zip code (it saved that utility's rate zone), a
// compare followed by calls on another project (the difference column
// stayed), a call that returns 1 in the middle (it left the run flags of
// the call before), a move to a zone number whose zone file cannot be read,
// and the library's copy, name, combine, re-read and erase.
TEST_F(SchemeLibraryRun, DayOfCallsInOneProcessEqualsOneProcessACall) {
    testing::ScratchDir weather, dumps;
    fs::copy(testing::kData / "weather", weather.path(), fs::copy_options::recursive);
    fs::copy_file(weather / "ChiOHare.epw", weather / "Cut.epw");
    testing::cut_file(weather / "Cut.epw", 4000);
    testing::cut_file(weather / "zone12.txh", 2000);
    const fs::path a = project / "a", b = project / "b";
    for (const fs::path& p : {a, b}) testing::new_project(p, testing::sample_data() / "util");

    using Edit = std::function<void(const fs::path&)>;
    const auto request = [](INTEGER current, INTEGER command, INTEGER operand) -> Edit {
        return [=](const fs::path& p) { testing::host_requests(p, current, command, operand); };
    };
    const auto move_and_run = [](INTEGER slot, const char* site, INTEGER command) -> Edit {
        return [=](const fs::path& p) {
            testing::move_scheme(p, slot, site);
            testing::host_requests(p, slot, command, 0);
        };
    };
    const auto another_building = [](INTEGER slot, INTEGER type) -> Edit {
        return [=](const fs::path& p) {
            testing::make_nonresidential(p, slot, type);
            testing::host_requests(p, slot, 0, 0);
        };
    };
    struct Call {
        fs::path project;
        Edit edit;
        const char* name;
        int returns;
    };
    const Call calls[] = {
        {b, request(1, 243, 0), "", 0},
        {b, request(2, 246, 0), "", 0},
        {b, request(2, cmd::kName, 2), "Efficient design", 0},
        {b, request(2, cmd::kCombine, 12), "Schemes 1 and 2", 0},
        {b, request(12, cmd::kCompare, 2), "", 0},
        {b, request(1, cmd::kCopy, 3), "", 0},
        {b, another_building(3, 7), "", 0},  // an office in slot 3
        {a, move_and_run(1, "94128", 243), "", 0},
        {b, move_and_run(3, "Cut.epw", 0), "", 0},
        {b, another_building(2, 21), "", 1},  // a building type without loads
        {a, request(2, 246, 0), "", 0},
        {a, request(2, cmd::kName, 2), "Efficient design", 0},
        {b, move_and_run(3, "12", 0), "", 0},
        {a, request(1, cmd::kCopy, 4), "", 0},
        {a, request(4, cmd::kCombine, 24), "Schemes 2 and 4", 0},
        {a, request(5, cmd::kReread, 1), "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC", 0},
        {b, request(3, 0, 0), "", 0},
        {a, request(4, cmd::kErase, 2), "", 0},
        {a, request(2, cmd::kShowResults, 0), "", 0},
    };
    const auto call_kernel_as_host = [&](const Call& c) {
        char* buffer = reinterpret_cast<char*>(&BLK27A);
        std::fill_n(buffer, sizeof BLK27A, ' ');
        std::copy_n(c.name, std::strlen(c.name), buffer);
        return testing::run_kernel(c.project, weather.path());
    };
    reset_all_blocks();
    int step = 0;
    for (const Call& c : calls) {
        SCOPED_TRACE("call " + std::to_string(++step) + " on " + c.project.filename().string());
        const fs::path fresh = dumps / ("project" + std::to_string(step));
        const fs::path fresh_blocks = dumps / ("blocks" + std::to_string(step));
        fs::copy(c.project, fresh, fs::copy_options::recursive);
        const int fresh_returned = testing::in_child_process([&] {
            reset_all_blocks();
            c.edit(fresh);
            reset_all_blocks();
            const int returned = call_kernel_as_host({fresh, c.edit, c.name, c.returns});
            testing::write_file(fresh_blocks, exported_blocks());
            return returned;
        });
        ASSERT_EQ(fresh_returned, c.returns);
        ASSERT_EQ(testing::in_child_process([&] {
                      reset_all_blocks();  // the host's own memory, not the kernel's
                      c.edit(c.project);
                      return 0;
                  }),
                  0);
        EXPECT_EQ(call_kernel_as_host(c), c.returns);
        testing::expect_same_files(c.project, fresh);
        EXPECT_TRUE(exported_blocks() == testing::read_file(fresh_blocks)) << "blocks the host reads differ";
    }
}

// The host's request as the stand-in host makes it, in the project's files
// alone: the scheme to run and the second scheme are the first two values
// of the summary file, the command row 2 of the serving scheme's column of
// the strategy file, which holds rows 1 to 200 of the nine columns first
// (binary files begin with 12 header bytes).
void request_as_the_stand_in_host(const fs::path& project, std::int32_t current, float command,
                                  std::int32_t operand) {
    constexpr long kHeaderBytes = 12, kRowsInFirstPart = 200;
    const auto put = [](const fs::path& file, long offset, const void* word) {
        std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(offset);
        f.write(static_cast<const char*>(word), 4);
    };
    put(project / "summaryb.dat", kHeaderBytes, &current);
    put(project / "summaryb.dat", kHeaderBytes + 4, &operand);
    const long column = serving_slot(current) - 1;
    put(project / "stratb.dat", kHeaderBytes + 4 * (column * kRowsInFirstPart + 1), &command);
}

// Library calls in one process save what the same calls save in fresh
// processes, the host's requests made as the stand-in host makes them (the
// kernel's blocks untouched between the calls). Two projects that random
// library sequences left, with the files the calls read: a select from a
// line, then a select from it refused; a select from a scheme, then an
// erase of a line. The leading member of the line run in the second call,
// whose results the line does not read, simulated the climate zone an
// earlier call left in the library: scheme 3, without a site, kept zip
// code 0 where fresh processes gave it the default location, and scheme
// 5, at 90024, saved rows 1 and 3 as 1 and 1 where they saved 5 and 5. A
// scheme without a site runs at the default location, which becomes its
// site.
TEST_F(SchemeLibraryRun, LibraryCallsInOneProcessSaveWhatFreshProcessesSave) {
    struct Call {
        std::int32_t current;
        float command;
        std::int32_t operand;
    };
    struct Case {
        const char* state;
        std::vector<Call> calls;
        INTEGER scheme_without_site;  // before the calls; 0 for none
    };
    const Case cases[] = {
        {"library-state-a", {{39, 216, 9}, {39, 206, 19}}, 3},
        {"library-state-b", {{5, 200, 9}, {57, 205, 15}}, 0},
    };
    for (const auto& [state, calls, scheme_without_site] : cases) {
        SCOPED_TRACE(state);
        testing::ScratchDir fresh, one;
        for (const fs::path& p : {fresh.path(), one.path()})
            fs::copy(fs::path(MAVO_SOURCE_DIR) / "tests" / "data" / state, p, fs::copy_options::recursive);
        for (const Call& c : calls) {
            request_as_the_stand_in_host(fresh.path(), c.current, c.command, c.operand);
            ASSERT_EQ(testing::in_child_process([&] {
                          reset_all_blocks();
                          return testing::run_on_sample_data(fresh.path());
                      }),
                      0);
        }
        ASSERT_EQ(testing::in_child_process([&] {
                      reset_all_blocks();
                      int failed = 0;
                      for (const Call& c : calls) {
                          request_as_the_stand_in_host(one.path(), c.current, c.command, c.operand);
                          failed += testing::run_on_sample_data(one.path());
                      }
                      return failed;
                  }),
                  0);
        testing::expect_same_files(one.path(), fresh.path());
        if (scheme_without_site == 0) continue;
        testing::host_loads(one.path());
        AADISK(-5);
        EXPECT_EQ(STRATEGY(4, scheme_without_site), 90024.0f) << "the site of scheme " << scheme_without_site;
    }
}

// A slot without results: an erased scheme's column, and the column of a
// run of a slot that holds no design ("every result of the scheme is 0"),
// held the envelope rows of a design (floor area, heat loss ...), and a
// combination naming such a slot added them to its members'.
TEST_F(SchemeLibraryRun, SlotWithoutResultsHoldsNoneAndAddsNone) {
    testing::new_project(project.path(), testing::sample_data() / "util");
    run(1, 243, 0);
    run(1, cmd::kCopy, 3);
    run(3, cmd::kName, 3, "Erased");
    run(3, cmd::kErase, 3);
    host_loads();
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_EQ(SUMARY(r, 3), 0.0f) << "erased slot, row " << r;
    run(1, cmd::kName, 4, "No design");
    run(4, 0, 0);
    EXPECT_EQ(SUMARY(48, 4), 0.0f);  // nothing simulated
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_EQ(SUMARY(r, 4), 0.0f) << "slot without a design, row " << r;
    run(1, cmd::kName, 3, "Named again");
    run(1, cmd::kCombine, 134, "With empty slots");
    host_loads();
    ASSERT_EQ(NCOMBO(1), 134);
    const std::vector<REAL> one = column(1), line = column(10);
    for (INTEGER r : {1, 2, 3, 5, 8, 18, 19, 21, 25, 35, 36, 37, 38, 48, 66})
        EXPECT_TRUE(close(line[r], one[r])) << "row " << r;
    // Led by the slot without a design, whose run found no valid climate
    // data: the line's electricity and heating fuel were cleared as that
    // run's were.
    run(1, cmd::kCopy, 5);
    run(5, cmd::kName, 5, "Copy");
    run(5, cmd::kCombine, 45, "Led by a slot without results");
    host_loads();
    ASSERT_EQ(NCOMBO(2), 45);
    const std::vector<REAL> five = column(5), led = column(11);
    for (INTEGER r : {1, 2, 3, 5, 8, 18, 19, 21, 22, 23, 24, 25, 35, 36, 37, 38, 48, 66})
        EXPECT_TRUE(close(led[r], five[r])) << "row " << r;
    // Its one member with results re-read for two months: the envelope of
    // a zone is the same whatever days it was simulated; its areas and
    // heat loss were scaled by 62/365 and its U-factors by 365/62.
    run(5, cmd::kReread, 5, "MAR JUL");
    host_loads();
    ASSERT_EQ(SUMARY(48, 5), 62.0f);
    const std::vector<REAL> months = column(5), reread = column(11);
    for (INTEGER r : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 25, 48})
        EXPECT_TRUE(close(reread[r], months[r])) << "re-read for two months, row " << r;
}

// Every line in use holds, in its summed rows, its members' sums; a line
// whose members no longer add up holds nothing. A combination of schemes
// with other furnaces burnt the summed heating load in the leading
// member's furnace; a line kept the sums of its members' earlier runs
// after one was run again at another site, or over twelve days. A run of
// the line whose last member stands on a weather file read the leading
// member's zip code with the last member's climate zone, which has no zone
// file: the fallback emptied rows 20 to 25 (and could move schemes 1 and 2
// to the default location).
TEST_F(SchemeLibraryRun, EveryLineHoldsItsMembersSumAfterTheirRuns) {
    enum class Then { nothing, scheme_3_at_another_site, scheme_3_over_twelve_days, line_run_with_scheme_3_at_stockton };
    struct Case {
        const char* what;
        REAL furnace_of_3;  // heating choice of scheme 3 before the line is made; 0 as copied
        Then then;
        bool emptied;
    };
    for (const Case c : {Case{"members with other furnaces", 4.0f, Then::nothing, false},
                         Case{"a member run again at another site", 0.0f, Then::scheme_3_at_another_site, false},
                         Case{"a member run again over twelve days", 0.0f, Then::scheme_3_over_twelve_days, true},
                         Case{"the line run, its last member at Stockton", 0.0f,
                              Then::line_run_with_scheme_3_at_stockton, false}}) {
        SCOPED_TRACE(c.what);
        for (const auto& e : fs::directory_iterator(project.path())) fs::remove_all(e.path());
        designs_and_a_named_copy();
        if (c.furnace_of_3 != 0.0f) {
            testing::edit_scheme(project.path(), 3, [&] { STRATEGY(18, 3) = c.furnace_of_3; });
            run(3, 0, 0);
        }
        run(3, cmd::kCombine, 13, "Line");
        if (c.then == Then::scheme_3_at_another_site) {
            testing::move_scheme(project.path(), 3, "Phoenix.epw");
        } else if (c.then == Then::line_run_with_scheme_3_at_stockton) {
            testing::move_scheme(project.path(), 3, "Stockton.epw");
        } else if (c.then == Then::scheme_3_over_twelve_days) {
            testing::edit_scheme(project.path(), 3, [] {
                TMYMON = 7;
                TMYDAY = 1;
            });
        }
        if (c.then != Then::nothing) run(3, 0, 0);
        if (c.then == Then::line_run_with_scheme_3_at_stockton) run(13, 0, 0);
        host_loads();
        ASSERT_EQ(NCOMBO(1), 13);
        const std::vector<REAL> line = column(10);
        EXPECT_EQ(line[48] == 0.0f, c.emptied);
        if (c.emptied) continue;
        for (INTEGER r : {1, 2, 3, 5, 8, 10, 21, 22, 23, 24, 25, 63, 65, 66, 70})
            EXPECT_TRUE(close(line[r], SUMARY(r, 1) + SUMARY(r, 3))) << "row " << r;
    }
}

// A select or a re-read that moves to another scheme runs it as its own
// run does. Schemes 1 and 2 moved to Phoenix, scheme 2 not yet run there:
// a select of it from scheme 3 took the site of its stored results after
// its own and read the weather file as a zone file (nothing simulated); a
// re-read of it from scheme 3 simulated it at scheme 3's site. So does the
// run a show of scheme 2 goes on with: it billed the rate zones of the
// site its stored results were saved at.
TEST_F(SchemeLibraryRun, CommandMovingToAnotherSchemeRunsItAsItsOwnRunDoes) {
    designs_and_a_named_copy();
    for (INTEGER k : {1, 2}) testing::move_scheme(project.path(), k, "Phoenix.epw");  // they share their site
    run(1, 0, 0);
    struct Case {
        INTEGER from, command;
        const char* name;
    };
    for (const Case c : {Case{3, cmd::kSelect, ""}, Case{3, cmd::kReread, "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC"},
                         Case{2, cmd::kShowResults, ""}}) {
        SCOPED_TRACE(c.command);
        testing::ScratchDir library, plain;
        fs::copy(project.path(), library.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::copy(project.path(), plain.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        run_in(library.path(), c.from, c.command, 2, c.name);
        ASSERT_FALSE(NFLAG(kLibraryCommandRefused));
        const std::vector<REAL> moved = column(2);
        run_in(plain.path(), 2, 0, 0);
        EXPECT_EQ(SUMARY(48, 2), 365.0f);
        for (INTEGER r = 1; r <= 80; ++r) EXPECT_TRUE(close(moved[r], SUMARY(r, 2))) << "row " << r;
    }
}

// Scheme 2 stands at scheme 1's site. The project on a weather file, its
// base case copied to slot 3 and slot 3 moved to a zip code: a copy of
// slot 3 into scheme 2 brought no weather file into scheme 2's input file,
// and every later run of scheme 2 simulated nothing at the default
// location. It is scheme 1's building at scheme 1's site: scheme 1's run.
TEST_F(SchemeLibraryRun, CopyFromASlotAtAnotherSiteIntoSchemeTwoRunsAtSchemeOnesSite) {
    designs_and_a_named_copy();
    for (INTEGER k : {1, 2}) testing::move_scheme(project.path(), k, "Arcata.epw");  // they share their site
    run(1, 0, 0);
    const std::vector<REAL> scheme_1 = column(1);
    testing::move_scheme(project.path(), 3, "91505");
    run(3, 0, 0);
    run(3, cmd::kCopy, 2);
    run(2, 0, 0);
    EXPECT_EQ(SUMARY(48, 2), 365.0f);
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_TRUE(close(column(2)[r], scheme_1[r])) << "row " << r;
    // The other way round: a slot at a weather file copied into scheme 1
    // moves both; scheme 2's column shows the site it then runs at (its
    // row 4 kept the zip code of its own earlier site, saved as its site).
    testing::move_scheme(project.path(), 3, "Stockton.epw");
    run(3, 0, 0);
    run(3, cmd::kCopy, 1);
    run(2, 0, 0);
    EXPECT_LT(STRATEGY(4, 1), 0.0f) << "scheme 1 at a weather file";
    EXPECT_EQ(STRATEGY(4, 2), STRATEGY(4, 1)) << "scheme 2's site";
}

// Schemes 1 and 2 always run the whole year. A copy into one of them of a
// slot that runs part of it (a re-read's March and July, twelve days) ran
// the slot's days: scheme 2 showed 62 days and $374.80, its next plain run
// of the same stored inputs 365 days and $2,140.45. The copy's run is the
// target's own run.
//
// The last case: an office's slot with collectors and an in-line water
// heater. The base schemes run a gas storage heater, whose solar tank the
// run sizes for the day's draw; the copy's run sized it for the slot's
// heater (50 gallons) and its re-run for the storage heater (10,150).
TEST_F(SchemeLibraryRun, CopyIntoSchemeOneOrTwoRunsTheWholeYear) {
    struct Case {
        const char* what;
        INTEGER target;
        bool twelve_days;
        bool office = false;
    };
    for (const Case c : {Case{"March and July into scheme 2", 2, false}, Case{"twelve days into scheme 1", 1, true},
                         Case{"an office's twelve days with collectors into scheme 1", 1, true, true}}) {
        SCOPED_TRACE(c.what);
        for (const auto& e : fs::directory_iterator(project.path())) fs::remove_all(e.path());
        if (c.office) {
            testing::new_project(project.path(), testing::sample_data() / "util");
            testing::edit_scheme(project.path(), 1, [] {
                NFLAG(24) = true;
                NTYPE = 7;
            });
            fs::copy_file(testing::sample_data() / "util" / "schedule01.dat", project / "schedule1.dat",
                          fs::copy_options::overwrite_existing);
            run(1, 243, 0);
            run(1, cmd::kCopy, 3);
            run(3, cmd::kName, 3, "Office with collectors");
        } else {
            designs_and_a_named_copy();
        }
        if (c.twelve_days) {
            testing::edit_scheme(project.path(), 3, [&] {
                TMYMON = 7;
                TMYDAY = 1;
                if (c.office) {
                    WHTYPE = 6;  // in line, electric
                    STRATEGY(41, 3) = 1.0f;  // collectors sized by rule
                }
            });
            run(3, 0, 0);
            ASSERT_EQ(SUMARY(48, 3), 12.0f);
        } else {
            run(3, cmd::kReread, 3, "MAR JUL");
            ASSERT_EQ(SUMARY(48, 3), 62.0f);
        }
        run(3, cmd::kCopy, c.target);
        ASSERT_FALSE(NFLAG(kLibraryCommandRefused));
        EXPECT_EQ(SUMARY(48, c.target), 365.0f);
        const std::vector<REAL> copied = column(c.target);
        const std::string stem = "scheme" + std::to_string(c.target);
        std::map<std::string, std::string> files;
        for (const std::string& f : {stem + "b.dat", stem + "b.het", stem + ".csv", stem + ".xml"})
            files[f] = read_file(project / f);
        run(c.target, 0, 0);
        for (INTEGER r = 1; r <= 80; ++r) EXPECT_TRUE(close(copied[r], SUMARY(r, c.target))) << "row " << r;
        for (const auto& [f, bytes] : files) EXPECT_TRUE(read_file(project / f) == bytes) << f << " differs";
    }
}

// A line covers the days and bills the energy its members' results hold. A
// member re-read for April, June, September and November (120 days) beside
// a slot set to twelve-day runs that holds no results made a line of 12
// days; a line of two slots without results billed a customer charge on no
// fuel ($60 in rows 35, 58 and 79, gas days in rows 49 and 50).
TEST_F(SchemeLibraryRun, LineDaysAndBillsComeFromItsMembersResults) {
    testing::new_project(project.path(), testing::sample_data() / "util");
    run(1, 243, 0);
    run(1, cmd::kCopy, 3);
    run(3, cmd::kName, 3, "Four months");
    run(3, cmd::kReread, 3, "APR JUN SEP NOV");
    run(3, cmd::kName, 4, "Twelve days, no results");
    testing::edit_scheme(project.path(), 4, [] {
        TMYMON = 7;
        TMYDAY = 1;
    });
    run(3, cmd::kName, 5, "No results");
    run(3, cmd::kCombine, 34, "Months and nothing");
    run(3, cmd::kCombine, 45, "Nothing at all");
    host_loads();
    ASSERT_EQ(NCOMBO(1), 34);
    ASSERT_EQ(NCOMBO(2), 45);
    const std::vector<REAL> months = column(3), line = column(10), none = column(11);
    EXPECT_EQ(line[48], 120.0f);
    for (INTEGER r : {25, 35, 36, 37, 58}) EXPECT_TRUE(close(line[r], months[r])) << "row " << r;
    for (INTEGER r : {25, 35, 36, 37, 48, 49, 50, 57, 58, 66, 79}) EXPECT_EQ(none[r], 0.0f) << "row " << r;
}

// A line is billed on its leading member's tariffs, on the rates it keeps
// where it keeps them (flags 82 and 83), and no other member's. A house at
// 90024 and its copy moved to 92243, each keeping rates of its own: the
// line was billed on the copy's electric words. The kept rates are one
// price in every tier and season without customer charges, so the bill is
// that price times the line's energy.
TEST_F(SchemeLibraryRun, LineBillsItsLeadersKeptRates) {
    constexpr REAL kLeaderKwh = 0.5f, kLeaderTherm = 2.0f, kOtherKwh = 0.9f, kOtherTherm = 3.0f;
    testing::new_project(project.path(), testing::sample_data() / "util");
    run(1, 243, 0);
    run(1, cmd::kCopy, 7);
    run(7, cmd::kName, 7, "Moved");
    testing::move_scheme(project.path(), 7, "92243");
    run(7, 0, 0);
    for (const auto& [slot, kwh, therm] : {std::tuple{1, kLeaderKwh, kLeaderTherm}, std::tuple{7, kOtherKwh, kOtherTherm}}) {
        testing::edit_results(project.path(), slot, [kwh, therm] {
            for (REAL* rate : {&ERATE1, &ERATE2, &ERATE3, &ERATE4, &ERATE5}) *rate = kwh;
            ECUSTOMCHG = EADDER = 0.0f;
            for (REAL* rate : {&BLK33A.GASBASE, &BLK33A.GASABOVE, &BLK33A.GASBASES, &BLK33A.GASABOVES}) *rate = therm;
            BLK33A.GCUSTOMCHG = 0.0f;
        });
        for (INTEGER flag : {82, 83}) testing::set_input_file_flag(project.path(), slot, flag);
    }
    run(1, cmd::kCombine, 17, "Two sites");
    host_loads();
    ASSERT_EQ(NCOMBO(1), 17);
    const std::vector<REAL> line = column(10);
    ASSERT_GT(line[25], 0.0f);
    ASSERT_GT(line[66], 0.0f);
    EXPECT_TRUE(close(line[36], kLeaderKwh * line[25]));
    EXPECT_TRUE(close(line[35], kLeaderTherm * line[66]));
}

// A line's rows against its members' own columns. The line billed its
// members' stored purchases, net of a member's array where its tiered bill
// had netted them, then took the array's value off again (a 4 kW array in
// slot 3 turned row 36 from $4,514.40 to $1,907.67); it valued none of the
// fuel or electricity its members' collectors saved (row 76 $0 for 62.4
// therms); and it took its heating and cooling output through the leading
// member's systems, which a scheme 2 copied from a slot without a design
// has none of: rows 18 and 19 read 0 where the members give -1.06 and 6.19.
TEST_F(SchemeLibraryRun, LineRowsFollowFromItsMembersOwnRows) {
    enum class Make { array_in_3, collectors_in_3, collectors_on_an_electric_heater_in_3, scheme_2_from_an_empty_slot };
    struct Case {
        Make make;
        INTEGER row_with_a_value;  // of the line: the array's output, the savings' value, the zone's cooling
    };
    for (const Case c : {Case{Make::array_in_3, 70}, Case{Make::collectors_in_3, 76},
                         Case{Make::collectors_on_an_electric_heater_in_3, 77},
                         Case{Make::scheme_2_from_an_empty_slot, 19}}) {
        SCOPED_TRACE(c.row_with_a_value);
        for (const auto& e : fs::directory_iterator(project.path())) fs::remove_all(e.path());
        std::vector<REAL> without_array;
        if (c.make == Make::scheme_2_from_an_empty_slot) {
            testing::new_project(project.path(), testing::sample_data() / "util");
            run(1, 243, 0);
            run(1, cmd::kCopy, 3);
            run(3, cmd::kName, 3, "Copy of the base case");
            run(4, cmd::kCopy, 2);
            run(3, cmd::kName, 2, "From an empty slot");
            run(2, 0, 0);
            run(3, cmd::kCombine, 23, "Line");
        } else {
            designs_and_a_named_copy();
            run(3, cmd::kCombine, 13, "Line");
            host_loads();
            without_array = column(10);
            testing::edit_scheme(project.path(), 3, [&c] {
                if (c.make == Make::array_in_3) SQTY(1) = -4.0f;
                else STRATEGY(41, 3) = 1.0f;
                if (c.make == Make::collectors_on_an_electric_heater_in_3) WHTYPE = 2;
            });
            run(3, 0, 0);
        }
        host_loads();
        const std::vector<REAL> line = column(10);
        EXPECT_GT(line[c.row_with_a_value], 0.0f);
        std::vector<std::vector<REAL>> members;
        for (INTEGER rest = NCOMBO(1), j = 0, npow = 0; rest > 0;) {
            STRIPR(rest, j, npow);
            members.push_back(column(j));
        }
        auto sum = [&](INTEGER r, bool per_area) {
            REAL s = 0.0f;
            for (const std::vector<REAL>& m : members) s += m[r] * (per_area ? m[1] : 1.0f);
            return per_area ? s / line[1] : s;
        };
        for (INTEGER r : {25, 59, 64, 66, 70, 74, 78}) EXPECT_TRUE(close(line[r], sum(r, false))) << "row " << r;
        for (INTEGER r : {18, 19, 20, 38, 39, 60}) EXPECT_TRUE(close(line[r], sum(r, true))) << "row " << r;
        // The arrays' output and the collectors' savings at the line's mean
        // prices, its bills over its energy; its gross bill owes nothing to
        // an array.
        EXPECT_TRUE(close(line[55], line[70] * line[36] / line[25]));
        EXPECT_TRUE(close(line[57], line[36] - line[55]));
        EXPECT_TRUE(close(line[76], line[64] * line[35] / line[66]));
        EXPECT_TRUE(close(line[77], line[74] * line[36] / line[25]));
        if (c.make == Make::array_in_3) {
            EXPECT_TRUE(close(line[36], without_array[36]));
        }
    }
}

}  // namespace
}  // namespace mavo

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// A restaurant (building type 10) at 90024, scheme 1 designed.
fs::path designed_restaurant(const ScratchDir& dir, const std::string& name) {
    const fs::path p = dir / name;
    new_project(p, kData / "util");
    reset_all_blocks();
    make_nonresidential(p, 1, 10);
    edit_scheme(p, 1, [] { STRATEGY(4, 1) = 90024.0f; });
    run_scheme(p, 1, 243.0f);
    return p;
}

// The sample house copied into library slot 3 and run there.
fs::path house_in_slot_3(const ScratchDir& dir, const std::string& name) {
    const fs::path p = settled_sample(dir, name);
    select_scheme(p, 1, 201.0f, 3);
    EXPECT_EQ(run_kernel(p), 0);
    run_scheme(p, 3, 0.0f);
    return p;
}

// A copy takes its source as its inputs stand: made right after an edit of
// the source that no run has taken in yet, the target runs and saves what
// the same copy gives once a run of the source came between. The copy
// wrote what the source's last run had left: a restaurant retyped a school
// and copied into slot 4 kept the restaurant's per-area loads ($13,155.34 a
// year against $6,251.83); the sample house moved to 94128 and copied into
// slot 6 counted the old utility's emission rows (24.1 lb of CO2 against
// 2.4); the house made another building and copied into slot 5 took the
// house's appliance energy for per-area loads and its window groups, and
// simulated no day on any run; an electric water heater or an array typed
// into scheme 1, which runs the gas heater and no array, went into the slot
// (6,247 kWh of photovoltaic output against none); a restaurant's library
// slot turned a quarter and copied into scheme 2 kept the window groups of
// the unturned slot, so its windows turned a quarter from where the slot
// had them; the house on the user's revised fuel rates moved and copied
// kept those rates in the copy for good, where the source's next run bills
// the new site's built-in rates and drops them. A house's library slot made
// another building kept the house's peak appliance gains in the words of
// its per-area loads (1,572 W/ft2 of plugs), and made a house again read
// the building's gas choice 11 as propane, which the gas water heater
// cannot burn: the slot and its copies simulated no day on any run. An
// office's window made a skylight in the save that emptied its glass went
// into slot 6 without glass, where after a run of the source it holds the
// stand-in skylight glass (conduction 231.4 against 312.6 Btu/h.F). The
// house moved to Chicago on the user's flat gas (choice 6, flag 29, which
// the host sets before every run of it) went into slot 5 on choice 5 once
// the source had run there, billed $1,099.37 of fuel against $1,012.46.
TEST(SchemeLibraryCopy, CopyAfterAnEditGivesWhatItGivesAfterARunOfTheSource) {
    struct Case {
        const char* what;
        fs::path (*project)(const ScratchDir&, const std::string&);
        INTEGER source, target;
        std::function<void(const fs::path&)> edit;
        std::vector<INTEGER> flags = {};  // the user's basic-rate flags, set before every run of the source
    };
    const std::vector<Case> cases = {
        {"a restaurant retyped a school", designed_restaurant, 1, 4,
         [](const fs::path& p) { edit_scheme(p, 1, [] { NTYPE = 12; }); }},
        {"the house moved to 94128", settled_sample, 1, 6, [](const fs::path& p) { move_scheme(p, 1, "94128"); }},
        {"the house on revised fuel rates moved to 94128", settled_sample, 1, 2,
         [](const fs::path& p) {
             edit_results(p, 1, [] {
                 for (REAL* rate : {&BLK33A.GASBASE, &BLK33A.GASABOVE, &BLK33A.GASBASES, &BLK33A.GASABOVES})
                     *rate = 3.0f;
             });
             set_input_file_flag(p, 1, 83);
             run_scheme(p, 1, 0.0f);
             move_scheme(p, 1, "94128");
         }},
        {"the house made another building", settled_sample, 1, 5,
         [](const fs::path& p) { make_nonresidential(p, 1); }},
        {"the house's slot made another building", house_in_slot_3, 3, 4,
         [](const fs::path& p) { make_nonresidential(p, 3, 2); }},
        {"the house's slot made another building, run, and made a house", house_in_slot_3, 3, 5,
         [](const fs::path& p) {
             make_nonresidential(p, 3, 2);
             run_scheme(p, 3, 0.0f);
             edit_scheme(p, 3, [] {
                 NFLAG(24) = false;
                 NTYPE = 0;
             });
         }},
        {"the house given an electric water heater", settled_sample, 1, 3,
         [](const fs::path& p) { edit_scheme(p, 1, [] { WHTYPE = 2; }); }},
        {"the house given a 3 kW array", settled_sample, 1, 7,
         [](const fs::path& p) {
             edit_scheme(p, 1, [] {
                 SQTY(1) = -3.0f;
                 STRATEGY(50, 1) = -3.0f;
             });
         }},
        {"the restaurant's slot turned a quarter", designed_restaurant, 3, 2,
         [](const fs::path& p) {
             select_scheme(p, 1, 201.0f, 3);
             ASSERT_EQ(run_kernel(p), 0);
             edit_scheme(p, 3, [] {
                 SFACES = 90.0f;
                 STRATEGY(16, 3) = 90.0f;
             });
         }},
        {"the efficient house made an office, its group 1 made a skylight and line 1's glass emptied", settled_sample, 2, 6,
         [](const fs::path& p) {
             run_scheme(p, 2, 246.0f);
             make_nonresidential(p, 2, 7);
             run_scheme(p, 2, 0.0f);
             edit_scheme(p, 2, [] {
                 STRATEGY(61, 2) = 5.0f;
                 UWINDO(1) = 0.0f;
                 SCOEF(1) = 0.0f;
                 TRANS(1) = 0.0f;
             });
         }},
        {"the house moved to Chicago on the user's gas choice 6", settled_sample, 1, 5,
         [](const fs::path& p) {
             edit_scheme(p, 1, [] { STRATEGY(3, 1) = 6.0f; });
             move_scheme(p, 1, "ChiOHare.epw");
         },
         {29}},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        SchemeRun runs[2];
        std::string input_files[2];
        std::vector<REAL> columns[2];
        for (const bool source_ran : {false, true}) {
            const fs::path p = c.project(dir, std::string(c.what) + (source_ran ? " ran" : ""));
            c.edit(p);
            if (source_ran) {
                for (const INTEGER flag : c.flags) set_input_file_flag(p, c.source, flag);
                EXPECT_GT(run_scheme(p, c.source, 0.0f).rows[47], 0.0f) << c.what << ": the source's days simulated";
            }
            for (const INTEGER flag : c.flags) set_input_file_flag(p, c.source, flag);
            select_scheme(p, c.source, 201.0f, c.target);
            ASSERT_EQ(run_kernel(p), 0) << c.what;
            runs[source_ran] = run_scheme(p, c.target, 0.0f);
            input_files[source_ran] = read_file(p / ("scheme" + std::to_string(c.target) + "b.dat"));
            columns[source_ran] = saved_scheme(p, c.target).column;
        }
        const std::string what = std::string(c.what) + ", copied into slot " + std::to_string(c.target);
        EXPECT_GT(runs[0].rows[47], 0.0f) << what << ": days simulated";
        expect_same_run(runs[1], runs[0], what);
        EXPECT_TRUE(input_files[0] == input_files[1]) << what << ": the target's input file";
        EXPECT_EQ(columns[0], columns[1]) << what << ": the target's column";
    }
}

// A copy leaves its source as the user left it: the source's next run is
// the run it makes without the copy. The copy saved the source's column as
// its load had made it, beside the input file it does not save: the sample
// house made an office with line 6's U-factor typed in the same save, copied
// into slot 4, stored the mark of windows not alike (-1) its load had
// judged on the office's code glass, and the source's next run read that
// mark beside the house's glass its file still held and kept that glass
// (summary row 7 0.1093 against 0.1268, $3,882.02 of electricity against
// $4,243.56).
TEST(SchemeLibraryCopy, CopyLeavesTheSourcesNextRunAsItWas) {
    ScratchDir dir;
    SchemeRun runs[2];
    std::string input_files[2];
    for (const bool copied : {false, true}) {
        const fs::path p = settled_sample(dir, copied ? "copied" : "not copied");
        make_nonresidential(p, 1, 7);
        edit_scheme(p, 1, [] { UWINDO(6) = 0.3f; });
        if (copied) {
            select_scheme(p, 1, 201.0f, 4);
            ASSERT_EQ(run_kernel(p), 0);
        }
        runs[copied] = run_scheme(p, 1, 0.0f);
        input_files[copied] = read_file(p / "scheme1b.dat");
    }
    expect_same_run(runs[1], runs[0], "the office's run after its copy");
    EXPECT_TRUE(input_files[0] == input_files[1]) << "the office's input file after its copy";
}

// A copy over a library slot on the user's revised electric rates takes the
// source's rates and its tariff, whether or not the slot ran on those rates
// first. The slot's run saves one utility's tariff (row 1) as the generic
// one the revised words stand for, and the copy kept that choice as the
// target's own: after such a run the copy was billed on the built-in
// generic time-of-use rates (a warehouse at zone 1: $204,066 of
// electricity against $297,565 on its utility's), the restaurant's row 1
// saved 15 against 11.
TEST(SchemeLibraryCopy, CopyOverASlotOnRevisedRatesDoesNotDependOnTheSlotsRun) {
    ScratchDir dir;
    SchemeRun runs[2];
    std::vector<REAL> columns[2];
    for (const bool slot_ran : {false, true}) {
        const fs::path p = designed_restaurant(dir, slot_ran ? "ran" : "not run");
        select_scheme(p, 1, 201.0f, 3);
        ASSERT_EQ(run_kernel(p), 0);
        run_scheme(p, 3, 0.0f);
        set_input_file_flag(p, 3, 82);
        if (slot_ran) run_scheme(p, 3, 0.0f);
        select_scheme(p, 1, 201.0f, 3);
        ASSERT_EQ(run_kernel(p), 0);
        runs[slot_ran] = run_scheme(p, 3, 0.0f);
        columns[slot_ran] = saved_scheme(p, 3).column;
    }
    expect_same_run(runs[1], runs[0], "the restaurant copied over its slot on revised rates");
    EXPECT_EQ(columns[0], columns[1]);
}

}  // namespace
}  // namespace mavo
