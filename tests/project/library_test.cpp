// The scheme library on a scratch project written with the kernel's own
// writers: copy, select, show, combine, erase, name, re-read, compare, and
// the clearing of the command that every operation ends with.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "project/library.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace cmd = library_command;

const std::filesystem::path kSampleWeather = std::filesystem::path(MAVO_SOURCE_DIR) / "data" / "weather";

class Library : public ::testing::Test {
protected:
    // Schemes 1 to 5 are named and have their files; each carries its slot
    // number in its title and in one hourly heat-flow value.
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), kSampleWeather.string());
        BLK0B.DISKHET = 20, BLK0B.DISKDAT = 21, BLK0B.DISKFTMY = 23, BLK0B.DISKFLAG = 24;
        BLK0B.DISKKEEP1 = 25, BLK0B.DISKKEEP2 = 26, BLK0B.DISKPROJ = 32, BLK0B.DISKTRACE = 37;
        NFLAG(90) = true;
        ITEMY = 50;
        for (INTEGER k = 1; k <= 5; ++k) {
            IDNUM1 = k;
            SCHEMENAME(k) = "Scheme " + std::to_string(k);
            TITLE1 = "title " + std::to_string(k);
            HEAT(1, 1, 1) = static_cast<REAL>(k);
            SUMARY(1, k) = SUMARY(1, k + 9) = 1000.0f;
            SUMARY(48, k) = 365.0f;  // simulated: the scheme holds results
            STRATEGY(1, k) = 1.0f;
            STRATEGY(4, k) = 90024.0f;
            STRATEGY(8, k) = 1000.0f;
            STRATEGY(30, k) = static_cast<REAL>(10 + k);
            KEEP1();
            KEEP2(1);
        }
        IDNUM1 = 1;
        AADISK(6);
        AADISK(1);
        NFLAG(7) = true;  // a host run
    }
    // The host's request: command of the current scheme, saved as the host
    // saves it, and the operand.
    void request(INTEGER current, INTEGER command, INTEGER operand) {
        IDNUM1 = current;
        IDNUM2 = operand;
        STRATEGY(2, current) = static_cast<REAL>(command);
        AADISK(6);
        IDNUM1 = current;
    }
    void name_buffer(const std::string& first8, const std::string& rest) {
        MATNAME = first8;
        TEXTLINE = rest;
    }
    std::string trace_text() {
        std::string all;
        for (int d = 0; d <= 9; ++d) all += testing::read_file(project / ("v7trace" + std::to_string(d) + ".txt"));
        return all;
    }
    bool traced(const std::string& text) { return trace_text().find(text) != std::string::npos; }
    // A run's scheme loaded as the run sequence loads it, and its command
    // served (the input file keeps ITEMY).
    static void load_as_a_run(INTEGER k) {
        IDNUM1 = k;
        FIND2();
        FIND1();
        REVISION(4);
        REVISION(2);
        ITEMY = 50;
    }
    // What a run saves for its current scheme after the year.
    static void save_as_a_run() {
        REVISION(3);
        REVISION(5);
        KEEP2(1);
        KEEP1();
    }
    testing::ScratchDir project;
};

TEST_F(Library, CopyWritesTheTargetsFilesAndKeepsItsTariff) {
    std::filesystem::remove(project / "scheme4b.het");
    std::filesystem::remove(project / "scheme4b.dat");
    STRATEGY(1, 4) = 7.0f;
    IDNUM1 = 1;  // the run has loaded the current scheme
    FIND2();
    FIND1();
    request(1, cmd::kCopy, 4);
    LIBARY();
    EXPECT_EQ(IDNUM1, 4);
    EXPECT_EQ(IDNUM2, 0);
    EXPECT_EQ(STRATEGY(30, 4), 11.0f);
    EXPECT_EQ(STRATEGY(1, 4), 7.0f);
    EXPECT_EQ(STRATEGY(2, 4), 0.0f);
    EXPECT_EQ(STRATEGY(2, 1), 0.0f);  // the command is served in its own slot too
    EXPECT_EQ(ITEMY, 50);
    EXPECT_EQ(LEVEL, 4);
    EXPECT_TRUE(NFLAG(17));
    ASSERT_TRUE(std::filesystem::exists(project / "scheme4b.het"));
    ASSERT_TRUE(std::filesystem::exists(project / "scheme4b.dat"));
    HEAT(1, 1, 1) = 0.0f;
    FIND1();
    EXPECT_EQ(HEAT(1, 1, 1), 1.0f);  // scheme 1's results under scheme 4's name
}

TEST_F(Library, SelectLoadsTheOperandsFilesAndSite) {
    STRATEGY(1, 3) = 0.0f;  // no tariff chosen yet: the site counts as new
    request(1, cmd::kSelect, 3);
    LIBARY();
    EXPECT_EQ(IDNUM1, 3);
    EXPECT_EQ(TITLE1.trimmed(), "title 3");
    EXPECT_EQ(HEAT(1, 1, 1), 3.0f);
    EXPECT_EQ(TITLE3.trimmed(), "LOS ANGELES WESTWOOD");  // the site refresh looked the zip code up
    // The weather file was positioned, yet the select went on to its end.
    EXPECT_TRUE(NFLAG(26));
    EXPECT_TRUE(NFLAG(27));
    EXPECT_EQ(STRATEGY(2, 1), 0.0f);
    EXPECT_EQ(ITEMY, 50);
    EXPECT_FALSE(NFLAG(kLibraryCommandRefused));

    // An unnamed slot cannot be selected: the host reads the refusal in the
    // run flags, its reason in the trace.
    request(3, cmd::kSelect, 7);
    LIBARY();
    EXPECT_EQ(IDNUM1, 3);
    EXPECT_TRUE(NFLAG(kLibraryCommandRefused));
    EXPECT_TRUE(traced("LIBARY refused the command: no scheme or combination line of that number to select"));
    EXPECT_TRUE(traced("= error at line"));
    EXPECT_TRUE(traced("= Error 907, line"));
    EXPECT_EQ(STRATEGY(2, 3), 0.0f);
    EXPECT_EQ(ITEMY, 50);
}

TEST_F(Library, ShowResultsReadsTheStoredResultsUnlessTheClimateMismatched) {
    HEAT(1, 1, 1) = 0.0f;
    request(2, cmd::kShowResults, 0);
    LIBARY();
    EXPECT_EQ(HEAT(1, 1, 1), 2.0f);
    EXPECT_TRUE(NFLAG(33));
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);
    EXPECT_EQ(ITEMY, 50);

    // A mismatch found by an earlier results read erases the operand instead.
    NFLAG(70) = true;
    request(2, cmd::kShowResults, 4);
    LIBARY();
    EXPECT_TRUE(SCHEMENAME(4).is_blank());
    EXPECT_FALSE(NFLAG(70));
    EXPECT_EQ(IDNUM1, 2);
}

TEST_F(Library, CombinationOfMembersOnTheFirstFreeLine) {
    NCOMBO(1) = 25;
    LINENAME(1) = "Zones 2 and 5";
    name_buffer("Zones 1 ", "and 3, ground floor");
    request(3, cmd::kCombine, 31);  // the host's member list, in any order
    LIBARY();
    EXPECT_EQ(NCOMBO(2), 13);
    EXPECT_EQ(LINENAME(2).view(), "Zones 1 and 3, ground fl");
    EXPECT_EQ(IDNUM1, 13);
    EXPECT_TRUE(NFLAG(34));
    EXPECT_EQ(HEAT(1, 1, 1), 4.0f);  // the members' heat flows added
    EXPECT_EQ(STRATEGY(2, 3), 0.0f);
    EXPECT_EQ(ITEMY, 50);

    // Lists that make no new combination touch no file: the same members
    // again (the line exists), one member, a repeated or a 0 digit, an
    // unnamed member.
    const std::string master = testing::read_file(project / "master.dir");
    for (INTEGER operand : {13, 3, 113, 103, 16}) {
        request(3, cmd::kCombine, operand);
        LIBARY();
        EXPECT_EQ(NCOMBO(3), 0) << operand;
        EXPECT_EQ(IDNUM1, 3) << operand;
        EXPECT_EQ(STRATEGY(2, 3), 0.0f) << operand;
        EXPECT_TRUE(testing::read_file(project / "master.dir") == master) << operand;
    }
    EXPECT_TRUE(traced("= error at line"));

    // No name given: the line is named after its number, so it can be
    // found again, and the same members are refused a second line.
    name_buffer("", "");
    request(3, cmd::kCombine, 23);
    LIBARY();
    EXPECT_EQ(NCOMBO(3), 23);
    EXPECT_EQ(LINENAME(3).trimmed(), "Combination 23");
    request(3, cmd::kCombine, 23);
    LIBARY();
    EXPECT_EQ(NCOMBO(4), 0);
}

TEST(LibraryLists, MemberListsOfTheOperand) {
    struct Case {
        INTEGER operand;
        bool valid;
        std::vector<INTEGER> members;
    };
    for (const Case& c : std::vector<Case>{{135, true, {1, 3, 5}},
                                           {31, true, {3, 1}},
                                           {7, true, {7}},
                                           {987654321, true, {9, 8, 7, 6, 5, 4, 3, 2, 1}},
                                           {103, false, {}},
                                           {313, false, {}},
                                           {0, false, {}},
                                           {-13, false, {}}}) {
        FArray<INTEGER, 12> list{};
        list.fill(5);
        EXPECT_EQ(member_list(c.operand, list), c.valid) << c.operand;
        for (INTEGER i = 1; i <= 12; ++i) {
            const INTEGER want = i <= INTEGER(c.members.size()) ? c.members[i - 1] : 0;
            EXPECT_EQ(list(i), want) << c.operand << " entry " << i;
        }
    }
}

TEST(LibraryLists, MonthNumbersOfTheMonthList) {
    struct Case {
        std::string words;
        std::vector<INTEGER> months;
    };
    for (const Case& c : std::vector<Case>{{"MAR JUL ", {3, 7}},
                                           {"jul mar", {7, 3}},
                                           {"XYZ MAR JUNEJUL ", {3, 7}},  // words that name no month are passed over
                                           {"", {}},
                                           {"JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC ",
                                            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}}) {
        FArray<INTEGER, 12> list{};
        EXPECT_EQ(month_numbers(c.words, list), INTEGER(c.months.size())) << c.words;
        for (INTEGER i = 1; i <= 12; ++i) {
            const INTEGER want = i <= INTEGER(c.months.size()) ? c.months[i - 1] : kEndOfMonthList;
            EXPECT_EQ(list(i), want) << c.words << " entry " << i;
        }
    }
}

TEST_F(Library, CombinationWhenAllLinesAreFullChangesNothing) {
    for (INTEGER i = 1; i <= 9; ++i) NCOMBO(i) = 10 + i;
    request(2, cmd::kCombine, 4);
    LIBARY();
    EXPECT_TRUE(traced("error: all lines full: 639"));
    for (INTEGER i = 1; i <= 9; ++i) EXPECT_EQ(NCOMBO(i), 10 + i);
    EXPECT_EQ(IDNUM1, 2);
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);
}

TEST_F(Library, EraseSchemeFreesItsLinesAndCompactsTheRest) {
    NCOMBO(1) = 13;
    NCOMBO(2) = 24;
    NCOMBO(3) = 35;
    LINENAME(1) = "one three";
    LINENAME(2) = "two four";
    LINENAME(3) = "three five";
    DAYFLAG(4) = -1;
    request(1, cmd::kErase, 3);
    LIBARY();
    EXPECT_EQ(NCOMBO(1), 24);
    EXPECT_EQ(LINENAME(1).trimmed(), "two four");
    EXPECT_EQ(NCOMBO(2), 0);
    EXPECT_TRUE(LINENAME(2).is_blank());
    EXPECT_EQ(NCOMBO(3), 0);
    EXPECT_TRUE(SCHEMENAME(3).is_blank());
    for (INTEGER r = 1; r <= 310; ++r) ASSERT_EQ(STRATEGY(r, 3), 0.0f) << r;
    EXPECT_EQ(DAYFLAG(4), -1);  // the current scheme's months stay
    EXPECT_EQ(IDNUM1, 1);
    EXPECT_EQ(STRATEGY(2, 1), 0.0f);
    // The project state on disk knows it.
    SCHEMENAME(3) = "restored in memory";
    AADISK(0);
    EXPECT_TRUE(SCHEMENAME(3).is_blank());
    EXPECT_EQ(NCOMBO(1), 24);

    // A combination line by its number.
    request(1, cmd::kErase, 24);
    LIBARY();
    EXPECT_EQ(NCOMBO(1), 0);
    EXPECT_TRUE(LINENAME(1).is_blank());

    // A climate mismatch turns the command into an erase; when the line
    // erased is the one being shown, the run goes on with scheme 1.
    NCOMBO(1) = 45;
    LINENAME(1) = "four five";
    NFLAG(70) = true;
    request(4, cmd::kShowResults, 45);
    LIBARY();
    EXPECT_EQ(NCOMBO(1), 0);
    EXPECT_EQ(IDNUM1, 1);
    EXPECT_EQ(TITLE1.trimmed(), "title 1");  // with scheme 1's design loaded

    // Scheme 1 is never erased.
    request(2, cmd::kErase, 1);
    LIBARY();
    EXPECT_EQ(SCHEMENAME(1).trimmed(), "Scheme 1");
    EXPECT_EQ(STRATEGY(30, 1), 11.0f);
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);
}

TEST_F(Library, ErasingTheCurrentSchemeGoesOnWithSchemeOnesOwnDesign) {
    // Scheme 3 is a larger building than scheme 1.
    IDNUM1 = 3;
    FIND2();
    AREAT = 2345.0f;
    STRATEGY(8, 3) = 2345.0f;
    KEEP2(1);
    AADISK(6);
    // Scheme 1 as its runs left it.
    for (int run = 1; run <= 2; ++run) {
        load_as_a_run(1);
        save_as_a_run();
    }
    FArray<REAL, 310> column1{};
    for (INTEGER r = 1; r <= 310; ++r) column1(r) = STRATEGY(r, 1);
    const std::string input1 = testing::read_file(project / "scheme1b.dat");
    const std::string results1 = testing::read_file(project / "scheme1b.het");
    ASSERT_FALSE(input1.empty());

    // The run of scheme 3 erases scheme 3 and goes on to simulate and save.
    load_as_a_run(3);
    request(3, cmd::kErase, 3);
    LIBARY();
    EXPECT_EQ(IDNUM1, 1);
    EXPECT_TRUE(SCHEMENAME(3).is_blank());
    EXPECT_EQ(TITLE1.trimmed(), "title 1");
    EXPECT_EQ(AREAT, 1000.0f);
    EXPECT_EQ(HEAT(1, 1, 1), 1.0f);
    save_as_a_run();
    for (INTEGER r = 1; r <= 310; ++r) EXPECT_EQ(STRATEGY(r, 1), column1(r)) << r;
    EXPECT_TRUE(testing::read_file(project / "scheme1b.dat") == input1);
    EXPECT_TRUE(testing::read_file(project / "scheme1b.het") == results1);
    for (INTEGER r = 1; r <= 310; ++r) EXPECT_EQ(STRATEGY(r, 3), 0.0f) << r;
}

TEST_F(Library, NameCompareAndCommandsWithoutWork) {
    name_buffer("Second f", "loor offices");
    request(2, cmd::kName, 4);
    LIBARY();
    EXPECT_EQ(SCHEMENAME(4).trimmed(), "Second floor offices");
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);
    // No name given: a blank name would empty the slot, so the name stays.
    name_buffer("", "");
    request(2, cmd::kName, 4);
    LIBARY();
    EXPECT_EQ(SCHEMENAME(4).trimmed(), "Second floor offices");
    EXPECT_TRUE(traced("= Error 907, line"));
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);

    // Comparison: the current scheme must be held by a line.
    NCOMBO(1) = 3;
    request(3, cmd::kCompare, 5);
    LIBARY();
    EXPECT_EQ(IDNUM2, 5);
    EXPECT_TRUE(NFLAG(62));
    EXPECT_EQ(STRATEGY(2, 3), 0.0f);

    // An operation number outside the table is only traced.
    request(2, 250, 0);
    LIBARY();
    EXPECT_TRUE(traced("= LIBARY nchois"));
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);
    EXPECT_EQ(ITEMY, 50);
    EXPECT_EQ(IDNUM1, 2);

    // Outside a host run a pending comparison is only dropped.
    request(2, cmd::kCopy, 5);
    NFLAG(7) = false;
    NFLAG(61) = true;
    NFLAG(62) = false;
    ITEMY = 33;
    LIBARY();
    EXPECT_EQ(IDNUM2, 0);
    EXPECT_FALSE(NFLAG(61));
    EXPECT_EQ(STRATEGY(2, 2), 201.0f);
    EXPECT_EQ(ITEMY, 33);
}

TEST_F(Library, RereadTakesTheHostsMonthsAndKeepsThem) {
    // Twelve-day run: the month list itself, rebuilt in month order.
    NFLAG(38) = false;
    name_buffer("mar xyz ", "jan");
    for (INTEGER i = 13; i <= 16; ++i) NFLAG(i) = false;
    request(2, cmd::kReread, 2);
    LIBARY();
    EXPECT_EQ(LIBARY_STATE.MONTHLIST.trimmed(), "JAN MAR");
    for (INTEGER m = 1; m <= 12; ++m) EXPECT_EQ(DAYFLAG(m), (m == 1 || m == 3) ? 0 : -1) << m;
    for (INTEGER i = 13; i <= 16; ++i) EXPECT_TRUE(NFLAG(i));
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);

    // A whole-year run: the words become month numbers; a new choice
    // replaces the one in force.
    NFLAG(38) = true;
    name_buffer("DEC xyz ", "MAY");
    request(2, cmd::kReread, 2);
    LIBARY();
    EXPECT_TRUE(LIBARY_STATE.MONTHLIST.is_blank());
    for (INTEGER m = 1; m <= 12; ++m) EXPECT_EQ(DAYFLAG(m), (m == 5 || m == 12) ? 0 : -1) << m;

    // No month named: the re-read is refused and the months stay.
    name_buffer("", "");
    request(2, cmd::kReread, 2);
    LIBARY();
    for (INTEGER m = 1; m <= 12; ++m) EXPECT_EQ(DAYFLAG(m), (m == 5 || m == 12) ? 0 : -1) << m;
    EXPECT_TRUE(NFLAG(kLibraryCommandRefused));
    EXPECT_TRUE(traced("= Error 907, line"));
}

}  // namespace
}  // namespace mavo
