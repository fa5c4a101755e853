#include <gtest/gtest.h>

#include "blocks/project_blocks.h"
#include "blocks/run_control.h"
#include "front/paths.h"
#include "front/scheme_numbers.h"

namespace mavo {
namespace {

TEST(Paths, BuildsDirectoryAndName) {
    DIRPATHS(2) = "/p/proj";
    DIR_BUILDPATH(2, "master.dir   ");
    EXPECT_EQ(PATHTOFILE.trimmed(), "/p/proj/master.dir");
    EXPECT_EQ(PATHTOFILE.size(), 255u);
    DIRPATHS(2) = "";  // nothing is normalised
    DIR_BUILDPATH(2, "a");
    EXPECT_EQ(PATHTOFILE.trimmed(), "/a");
    DIRPATHS(2) = "/x/";
    DIR_BUILDPATH(2, "a");
    EXPECT_EQ(PATHTOFILE.trimmed(), "/x//a");
}

TEST(Paths, UnsetEntryTakesTheUtilityDirectoryForGood) {
    DIRPATHS(4) = "/util";
    DIR_BUILDPATH(6, "schedule01.dat");
    EXPECT_EQ(PATHTOFILE.trimmed(), "/util/schedule01.dat");
    EXPECT_EQ(DIRPATHS(6).trimmed(), "/util");
    DIR_BUILDPATH(7, "other");  // no such kind: the last path stays
    EXPECT_EQ(PATHTOFILE.trimmed(), "/util/schedule01.dat");
    DIR_BUILDPATH(0, "other");
    EXPECT_EQ(PATHTOFILE.trimmed(), "/util/schedule01.dat");
}

TEST(Paths, PathLongerThanItsTextIsRefusedNotCut) {
    DIRPATHS(2) = std::string(250, 'd');
    DIR_BUILDPATH(2, "master.dir");
    EXPECT_TRUE(PATHTOFILE.is_blank());
}

TEST(Paths, HostDirectoryTextsAreTakenExactly) {
    set_directory(2, "/p/proj ");  // a directory whose name ends in a blank
    DIR_BUILDPATH(2, "master.dir");
    EXPECT_EQ(PATHTOFILE.trimmed(), "/p/proj /master.dir");
    DIR_DBGPATH(2, "v7trace");
    EXPECT_EQ(DBGPATH.trimmed(), "/p/proj /v7trace1.txt");
    EXPECT_EQ(directory_text(2), "/p/proj ");
    // A text longer than an entry: its first 255 characters would name
    // another directory, so no path is built in it.
    set_directory(2, "/" + std::string(299, 'd'));
    DIR_BUILDPATH(2, "master.dir");
    EXPECT_TRUE(PATHTOFILE.is_blank());
    EXPECT_TRUE(path_in_directory(2, "master.dir").empty());
}

TEST(Paths, TracePathCarriesTheSchemeDigit) {
    DIRPATHS(2) = "/p";
    for (auto [id, name] : {std::pair{4, "/p/v7trace4.txt"}, {0, "/p/v7trace0.txt"}, {10, "/p/v7trace0.txt"},
                            {23, "/p/v7trace0.txt"}, {-2, "/p/v7trace0.txt"}}) {
        IDNUM1 = id;
        DIR_DBGPATH(2, "v7trace");
        EXPECT_EQ(DBGPATH.trimmed(), name) << id;
    }
}

TEST(Paths, ConcatenatesSuffixes) {
    FString<12> name = "scheme3";
    EXPECT_EQ(DIR_CONCAT_STRING(name, "b.dat", 5), 12.0f);
    EXPECT_EQ(name.trimmed(), "scheme3b.dat");
    FString<12> other = "scheme3";
    DIR_CONCAT_STRING(other, "b.dat", 0);
    EXPECT_EQ(other.trimmed(), "scheme3");
    FString<8> small = "scheme3";
    DIR_CONCAT_STRING(small, "b.dat", 5);  // cut to the destination's length
    EXPECT_EQ(small.view(), "scheme3b");
    EXPECT_EQ(DIR_FINDATA(7.0f), 1.0f);
}

TEST(Paths, CommandLineSwitchesFromTheFifthEntry) {
    dir_init_project_from({"prog", "p", "u", "-rf"});
    EXPECT_EQ(READMODE, 0);  // fewer than five entries: no switches
    dir_init_project_from({"prog", "p", "u", "-rf", "-t", "-rf", "-wu", "-x"});
    EXPECT_TRUE(NFLAG(90));
    EXPECT_EQ(READMODE, 2);
    EXPECT_EQ(WRITEMODE, 1);
}

TEST(SchemeNumbers, StriprPeelsLeadingDigits) {
    INTEGER id = 35, digit = -9, pow = -9;
    STRIPR(id, digit, pow);
    EXPECT_EQ(digit, 3);
    EXPECT_EQ(pow, 1);
    EXPECT_EQ(id, 5);
    STRIPR(id, digit, pow);
    EXPECT_EQ(digit, 5);
    EXPECT_EQ(pow, 0);
    EXPECT_EQ(id, 0);
    STRIPR(id, digit, pow);
    EXPECT_EQ(digit, 0);
    EXPECT_EQ(pow, -1);
    id = 305;  // a zero digit in the middle is skipped by the next call
    STRIPR(id, digit, pow);
    EXPECT_EQ(digit, 3);
    EXPECT_EQ(pow, 2);
    EXPECT_EQ(id, 5);
    id = 2147483647;
    STRIPR(id, digit, pow);
    EXPECT_EQ(digit, 2);
    EXPECT_EQ(pow, 9);
    EXPECT_EQ(id, 147483647);
}

TEST(SchemeNumbers, CheckrBySchemeNameAndCombinationLine) {
    INTEGER id = 1, slot = -1;
    CHECKR(id, slot);  // scheme 1 carries its initial name
    EXPECT_EQ(id, 1);
    EXPECT_EQ(slot, 0);
    id = 2;
    CHECKR(id, slot);
    EXPECT_EQ(id, 0);
    id = -4;
    CHECKR(id, slot);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(slot, 0);

    NCOMBO(3) = 10;
    id = 10;  // slot 10 takes the combination branch
    CHECKR(id, slot);
    EXPECT_EQ(id, 0);  // line 3 has a blank name
    EXPECT_EQ(slot, 9);
    LINENAME(3) = "Zones 1 and 0";
    id = 10;
    CHECKR(id, slot);
    EXPECT_EQ(id, 10);
    EXPECT_EQ(slot, 3);
}

}  // namespace
}  // namespace mavo
