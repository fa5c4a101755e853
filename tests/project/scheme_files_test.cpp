// The scheme input and results files: what KEEP2/KEEP1 write, FIND2/FIND1
// give back, in every record form and from older revisions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "blocks/blocks.h"
#include "front/fatal.h"
#include "front/paths.h"
#include "front/units.h"
#include "project/project.h"
#include "project/scheme_file_names.h"
#include "project/scheme_files.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

// Every word of a block set to random capital letters: as a text it is
// printable, as a real a finite number, as an integer any integer.
template <class Block>
void scramble(Block& block, std::mt19937& rng) {
    std::uniform_int_distribution<int> letter('A', 'Z');
    char* bytes = reinterpret_cast<char*>(&block);
    for (std::size_t i = 0; i < sizeof(Block); ++i) bytes[i] = static_cast<char>(letter(rng));
}

// Where two file images first differ; -1 when they are the same.
long first_difference(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}

class SchemeFiles : public ::testing::Test {
protected:
    void SetUp() override { use_project(); }
    void use_project() {
        testing::use_directories(project.str(), util.str(), util.str());
        BLK0B.DISKDAT = 21;
        BLK0B.DISKFLAG = 24;
        BLK0B.DISKHET = 20;
        BLK0B.DISKKEEP1 = 25;
        BLK0B.DISKKEEP2 = 26;
    }
    // The parameters of scheme 5 that the readers consult.
    void scheme_column() {
        IDNUM1 = 5;
        STRATEGY(1, 5) = 9.0f;   // electric tariff: the ninth time-of-use name
        STRATEGY(3, 5) = 5.0f;   // a fuel tariff is chosen
        STRATEGY(6, 5) = 1.0f;   // new construction
        STRATEGY(33, 5) = 20.0f;  // a floor type that keeps both floor areas
    }
    // Random contents of every block the input file carries, with the few
    // values the reader corrects set to ones it keeps.
    void random_input_blocks(unsigned seed) {
        std::mt19937 rng(seed);
        scramble(BLK1A, rng), scramble(BLK1B, rng), scramble(BLK2, rng), scramble(BLK3, rng);
        scramble(BLK4, rng), scramble(BLK5, rng), scramble(BLK5A, rng), scramble(BLK5C, rng);
        scramble(BLK5D, rng), scramble(BLK6, rng), scramble(BLK7, rng), scramble(BLK8, rng);
        scramble(BLK15, rng), scramble(BLK20, rng), scramble(BLK21B, rng), scramble(BLK28, rng);
        scramble(BLK30, rng), scramble(BLK31, rng), scramble(BLK32, rng), scramble(BLK33, rng);
        scramble(BLK33P, rng), scramble(BLK35, rng), scramble(BLK37A, rng), scramble(BLK37B, rng);
        scramble(BLK41, rng), scramble(BLK41A, rng), scramble(BLK48, rng), scramble(BLK50, rng);
        scramble(BLKT38A, rng), scramble(BLK150, rng);
        std::bernoulli_distribution coin(0.5);
        for (LOGICAL& f : NFLAG) f = coin(rng);
        ITEMY = static_cast<INTEGER>(rng());
        // Flags the reader does not take from the file: the run's status (51) and
        // the results loader's findings (53, 55, 56), among others.
        for (INTEGER i : {46, 51, 53, 55, 56, 59, 69, 71, 72, 81, 90}) NFLAG(i) = false;
        NFLAG(9) = true;  // a new home is never a vintage one
        NFLAG(38) = true;  // the whole year
        TMYDAY = TMYMON = 0;
        TITLE3[0] = 'X';
        COPAC = 2.5f;
        COPHT = 0.8f;
        wCFMhvac = 0.5f;
        wCFMvent = 0.25f;
        DuctLeakPct = 5.0f;
        NTYPE = 3;
        ERA = 2;
        AirChgW = 1.0f;
        FIELDCODE = 3;
        NROWE = 2;
        NROWF = 5;
        TMZONEI = -8;
        VOLUMEAG = -99.0f;
        PVSYSPEAK = PVAVGPEAK = 0.0f;
    }
    void random_result_blocks(unsigned seed) {
        std::mt19937 rng(seed);
        scramble(BLK17, rng), scramble(BLK25, rng), scramble(BLK33A, rng), scramble(BLK33B, rng);
        scramble(BLK33C, rng), scramble(BLK33D, rng), scramble(BLK33E, rng), scramble(BLK33P, rng);
        scramble(BLK34, rng), scramble(BLK34A, rng), scramble(BLK34B, rng), scramble(BLK34C, rng);
        scramble(BLK44A, rng), scramble(BLK44B, rng), scramble(BLK53, rng);
    }
    std::filesystem::path input_file(INTEGER form) {
        return project / (form == 1 ? "scheme5.dat" : form == 2 ? "scheme5f.dat" : "scheme5b.dat");
    }
    std::filesystem::path results_file(INTEGER form) {
        return project / (form == 1 ? "scheme5.het" : form == 2 ? "scheme5f.het" : "scheme5b.het");
    }
    // Fresh blocks in the state a run reaches before the reader: the
    // directories, the scheme's parameters, and (when seeded) garbage in
    // every carried block, which the reader must overwrite.
    enum class Garbage { None, Input, Results };
    void fresh_blocks(INTEGER form, unsigned seed = 0, Garbage garbage = Garbage::None) {
        reset_all_blocks();
        use_project();
        READMODE = WRITEMODE = form;
        if (garbage == Garbage::Input) random_input_blocks(seed);
        if (garbage == Garbage::Results) random_result_blocks(seed);
        scheme_column();
    }
    ScratchDir project, util;
};

TEST_F(SchemeFiles, InputFileGivesBackEveryCarriedField) {
    for (INTEGER form : {1, 2, 3}) {
        fresh_blocks(form);
        random_input_blocks(11);
        KEEP2(1);
        const std::string written = read_file(input_file(form));
        // Read into blank blocks and into garbage: a field the reader missed
        // shows up as a difference in what is written back.
        for (unsigned before : {0u, 99u}) {
            write_file(input_file(form), written);
            fresh_blocks(form, before, before ? Garbage::Input : Garbage::None);
            FIND2();
            KEEP2(1);
            EXPECT_EQ(first_difference(read_file(input_file(form)), written), -1) << "form " << form << " garbage " << before;
        }
    }
    EXPECT_EQ(std::filesystem::file_size(input_file(3)), 42984u);
}

TEST_F(SchemeFiles, ResultsFileGivesBackEveryCarriedField) {
    for (INTEGER form : {1, 2, 3}) {
        fresh_blocks(form);
        random_result_blocks(12);
        KEEP1();
        const std::string written = read_file(results_file(form));
        for (unsigned before : {0u, 77u}) {
            write_file(results_file(form), written);
            fresh_blocks(form, before, before ? Garbage::Results : Garbage::None);
            FIND1();
            KEEP1();
            EXPECT_EQ(first_difference(read_file(results_file(form)), written), -1) << "form " << form << " garbage " << before;
        }
    }
    EXPECT_EQ(std::filesystem::file_size(results_file(3)), 46964u);
    EXPECT_EQ(std::filesystem::file_size(results_file(1)), 11738u * 12 + 0u);  // framed, no header
}

TEST_F(SchemeFiles, ReaderCorrectsOlderData) {
    scheme_column();
    NFLAG(69) = false;
    COPAC = 5.0f / 3.412f;  // a stored cooling value of 5.0 is taken as it stands
    COPHT = 2.0f;           // a heating value of the previous generation
    TMYDAY = 25;
    TMYMON = 2;
    wCFMhvac = 12.5f;
    DuctLeakPct = 0.96f;
    NFLAG(24) = true;
    NTYPE = 17;
    KEEP2(1);
    FIND2();
    EXPECT_FLOAT_EQ(COPAC, 5.0f);
    EXPECT_FLOAT_EQ(COPHT, 6.824f);
    EXPECT_TRUE(NFLAG(69));
    EXPECT_FLOAT_EQ(wCFMhvac, 746.0f / 12.5f);
    EXPECT_EQ(DuctLeakPct, 4.0f);
    EXPECT_EQ(NTYPE, 14);  // a residential type in non-residential mode
    EXPECT_FALSE(NFLAG(38));
    const INTEGER months[12] = {2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3};
    const INTEGER days[12] = {25, 26, 27, 28, 1, 2, 3, 4, 5, 6, 7, 8};
    for (INTEGER k = 1; k <= 12; ++k) {
        EXPECT_EQ(TMON(k), months[k - 1]);
        EXPECT_EQ(TDAY(k), days[k - 1]);
    }
    // The old heating value goes back to the file as it came.
    KEEP2(1);
    COPHT = 0.0f;
    NFLAG(69) = false;
    FIND2();
    EXPECT_FLOAT_EQ(COPHT, 6.824f);

    COPAC = 10.0f / 3.412f;
    KEEP2(1);
    FIND2();
    EXPECT_NEAR(COPAC, 2.9308f, 1e-4f);
}

// The weather file holds one year of 365 days: twelve days asked to start
// after 20 December are the twelve that end on 31 December, and twelve
// asked to start on a day the month lacks (29 February, 31 April) start
// on the first of the next month. The first day run is the one stored (29
// February was stored while 1 to 12 March ran).
TEST_F(SchemeFiles, TwelveDaysEndOnTheLastDayOfTheYearAtTheLatest) {
    scheme_column();
    struct Case {
        INTEGER asked_month, asked_day, month, first_day;
    };
    for (const Case c : {Case{12, 28, 12, 20}, Case{2, 29, 3, 1}, Case{4, 31, 5, 1}}) {
        TMYDAY = c.asked_day;
        TMYMON = c.asked_month;
        KEEP2(1);
        FIND2();
        EXPECT_EQ(TMYDAY, c.first_day) << c.asked_day;
        EXPECT_EQ(TMYMON, c.month) << c.asked_month;
        for (INTEGER n = 1; n <= 12; ++n) {
            EXPECT_EQ(TMON(n), c.month) << n;
            EXPECT_EQ(TDAY(n), c.first_day + n - 1) << n;
        }
    }
    for (INTEGER month : {0, 13, -2}) {
        TMYDAY = 5;
        TMYMON = month;
        NFLAG(38) = false;
        KEEP2(1);
        FIND2();
        EXPECT_TRUE(NFLAG(38)) << month;  // the whole year
        EXPECT_EQ(TMYDAY, 0) << month;
        EXPECT_EQ(TMYMON, 0) << month;
    }
}

TEST_F(SchemeFiles, OldStampReadsTheMainBodyAndTheSolarGroupOnly) {
    scheme_column();
    BLK1B.DATSTAMP = 5000;
    DIR_BUILDPATH(2, "scheme5b.dat");
    wCFMhvac = 0.3f;
    BLK50.SQTY(1) = 12.0f;
    NFLAG(70) = true;
    write_scheme_input_layout(19);
    wCFMhvac = 0.9f;
    BLK50.SQTY(1) = 0.0f;
    NFLAG(90) = true;
    FIND2();
    EXPECT_EQ(wCFMhvac, 0.9f);  // the gated groups keep their values
    EXPECT_EQ(BLK50.SQTY(1), 12.0f);  // the solar group is read whatever the revision
    EXPECT_FALSE(NFLAG(70));  // flags 51 to 90 end cleared
    EXPECT_FALSE(NFLAG(90));
    EXPECT_EQ(read_file(project / "v7trace5.txt").find("IO_R"), std::string::npos);  // no record missing
}

TEST_F(SchemeFiles, RevisionGatesOfTheInputFile) {
    scheme_column();
    BLK1B.DATSTAMP = 5700;
    DIR_BUILDPATH(2, "scheme5b.dat");
    UVAL(20) = 0.4f;      // revision 3
    NMULTI = 4;           // revision 16
    STYPE = 7;            // revision 19
    write_scheme_input_layout(3);
    UVAL(20) = 0.0f;
    NMULTI = 1;
    STYPE = 5;
    FIND2();
    EXPECT_EQ(UVAL(20), 0.4f);
    EXPECT_EQ(NMULTI, 1);
    EXPECT_EQ(STYPE, 5);
}

TEST_F(SchemeFiles, DerivationsAfterTheRead) {
    IDNUM1 = 2;
    STRATEGY(6, 2) = 2.0f;  // an existing home: the vintage design of scheme 2
    AREAT = 1800.0f;
    FLOORS = 2.0f;
    RAX = 0.0f;
    AirChgW = 3.0f;
    KEEP2(1);
    FIND2();
    EXPECT_EQ(RAX, 900.0f);
    EXPECT_TRUE(NFLAG(8));
    EXPECT_FALSE(NFLAG(9));
    EXPECT_TRUE(NFLAG(81));  // scheme 2 always takes a new location
    EXPECT_EQ(VOLUMEAG, -99.0f);
    EXPECT_FALSE(NFLAG(60));  // an implausible winter air-change rate

    FLOORS = 0.0f;  // no stories: the roof area is kept
    RAX = 55.0f;
    KEEP2(1);
    FIND2();
    EXPECT_EQ(RAX, 55.0f);

    IDNUM1 = 4;
    TITLE3 = "INVALID LOCATION";
    KEEP2(1);
    FIND2();
    EXPECT_TRUE(NFLAG(81));
}

TEST_F(SchemeFiles, FloorTypeAndScheduleCorrections) {
    scheme_column();
    AREA(11) = PERCNT(11) = AREA(12) = PERCNT(12) = 9.0f;
    KEEP2(1);
    STRATEGY(33, 5) = -6.0f;  // a raised floor has no floor on grade
    FIND2();
    EXPECT_EQ(AREA(11), 0.0f);
    EXPECT_EQ(AREA(12), 9.0f);
    STRATEGY(33, 5) = 2.0f;  // a simple floor has no slab perimeter
    FIND2();
    EXPECT_EQ(AREA(11), 9.0f);
    EXPECT_EQ(PERCNT(12), 0.0f);

    SCHED(2, 5) = 0.25f;
    KEEP2(1);
    IDNUM1 = 2;  // the generated schemes take the built-in day schedule
    std::filesystem::copy_file(input_file(3), project / "scheme2b.dat");
    SCHED(2, 5) = 0.5f;  // nor what an earlier run left
    FIND2();
    EXPECT_EQ(SCHED(2, 5), initial_day_schedule()(2, 5));
}

TEST_F(SchemeFiles, LineKindMarkAndNoWriterForTheDesignPath) {
    scheme_column();
    ITEMS(3) = 3;
    QTY(3) = 2.0f;
    ITEMSII(3) = 0;
    KEEP2(1);
    ITEMSII(3) = 0;
    FIND2();
    EXPECT_EQ(ITEMSII(3), 9999);
    IDNUM1 = 0;
    std::filesystem::remove(input_file(3));
    KEEP2(1);
    EXPECT_FALSE(std::filesystem::exists(project / "scheme0b.dat"));
}

TEST_F(SchemeFiles, MissingOrForeignInputFileReadsAsZeros) {
    scheme_column();
    write_file(input_file(3), "not a scheme file at all");
    EWDIM = 50.0f;
    FIND2();
    EXPECT_EQ(EWDIM, 0.0f);
    EXPECT_TRUE(NFLAG(38));
    EXPECT_EQ(unit_file(21), nullptr);
}

TEST_F(SchemeFiles, UnwritableFilesStopTheRun) {
    scheme_column();
    testing::use_directories((project / "gone").string(), util.str(), util.str());
    NFLAG(90) = true;  // the reasons reach the trace's stand-in on standard output
    ::testing::internal::CaptureStdout();
    EXPECT_THROW(KEEP2(1), FatalStop);
    EXPECT_THROW(KEEP1(), FatalStop);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("KEEP2: Unable to open scheme DAT file"), std::string::npos);
    EXPECT_NE(out.find("KEEP1: Unable to open scheme HET file"), std::string::npos);
}

// A missing or damaged results file: every value it carries starts from
// its initial value, whatever an earlier load left in the blocks; the site
// comes from the scheme's column and input file, and is looked up again.
TEST_F(SchemeFiles, UnreadableResultsFileIsRebuiltFromInitialValues) {
    auto scheme_site = [] {
        STRATEGY(4, 5) = 93101.0f;
        FIND2_STATE = {2.0f, 3.25f, 3.5f, true};
    };
    fresh_blocks(3);
    scheme_site();
    ZIPCODE = 93101.0f;
    FUELTYPE = 2.0f;
    BLK33A.PROPANEPRICE = 3.25f;
    BLK33A.OILPRICE = 3.5f;
    KEEP1();
    const std::string expected = read_file(results_file(3));
    for (const char* damage : {"missing", "not a record file"}) {
        fresh_blocks(3, 7, Garbage::Results);
        scheme_site();
        if (damage[0] == 'm') std::filesystem::remove(results_file(3));
        else write_file(results_file(3), "JUNK" + expected.substr(4));
        begin_file_account();
        FIND1();
        EXPECT_TRUE(NFLAG(81)) << damage;
        EXPECT_FALSE(project_files_frozen()) << damage;
        KEEP1();
        EXPECT_EQ(first_difference(read_file(results_file(3)), expected), -1) << damage;
    }
}

TEST_F(SchemeFiles, OlderResultsFileKeepsWhatItLacks) {
    scheme_column();
    DIR_BUILDPATH(2, "scheme5b.het");
    HEAT(17, 24, 12) = 5.0f;
    BLK33C.EGTOTAL = 12.0f;
    BLK33E.ERATE3 = 0.5f;
    TEMPKWHR(1, 1) = 3.0f;
    write_results_layout(2);
    HEAT(17, 24, 12) = 0.0f;
    BLK33C.EGTOTAL = 7.0f;
    BLK33E.ERATE3 = 0.25f;
    FIND1();
    EXPECT_EQ(HEAT(17, 24, 12), 5.0f);
    EXPECT_EQ(BLK33C.EGTOTAL, 7.0f);  // read and discarded
    EXPECT_EQ(BLK33E.ERATE3, 0.25f);
    EXPECT_EQ(TEMPKWHR(1, 1), 0.0f);  // cleared before the read, not in the file
}

TEST_F(SchemeFiles, SiteOfTheResultsFile) {
    scheme_column();
    STRATEGY(3, 5) = 0.0f;
    STRATEGY(1, 5) = 2.0f;
    ZIPCODE = 7.6f;
    FUELTYPE = 0.0f;
    KEEP1();
    FIND1();
    EXPECT_EQ(ZIPCODE, 7.0f);
    EXPECT_TRUE(NFLAG(37));
    EXPECT_EQ(FUELTYPE, 4.0f);  // no fuel tariff but an electric one: electric heat
    ZIPCODE = -93101.2f;
    KEEP1();
    FIND1();
    EXPECT_FALSE(NFLAG(37));
}

// Scheme 3 is the combination of zones 1 and 2.
class Combination : public SchemeFiles {
protected:
    void SetUp() override {
        SchemeFiles::SetUp();
        for (INTEGER k : {1, 2}) {
            IDNUM1 = k;
            NFLAG(38) = true;
            KEEP2(1);  // the members' run flags
            HEAT(1, 1, 1) = 10.0f * k;
            OATEMP(1, 1) = 50.0f + k;
            AIRVOL(1, 1) = 1.0f * k;
            IATEMP(1, 1) = 60.0f + 10.0f * k;
            KEEP1();
        }
        SUMARY(1, 1) = 1000.0f;
        SUMARY(1, 2) = 3000.0f;
        SUMARY(48, 1) = SUMARY(48, 2) = 365.0f;  // both simulated
        SUMARY(1, 10) = 1100.0f;  // the members' back copies
        SUMARY(1, 11) = 2900.0f;
        IDNUM1 = 3;
        STRATEGY(26, 3) = 2.0f;
        NCOMBO(3) = 12;
    }
};

TEST_F(Combination, MembersAreAddedAndWeightedByArea) {
    SUMARY(1, 12) = 4000.0f;  // the combination's own back copy
    FIND1();
    EXPECT_FLOAT_EQ(HEAT(1, 1, 1), 30.0f);
    EXPECT_FLOAT_EQ(OATEMP(1, 1), 52.0f);  // the last member's weather
    EXPECT_FLOAT_EQ(AIRVOL(1, 1), 1.0f * 0.25f + 2.0f * 0.75f);
    EXPECT_FLOAT_EQ(IATEMP(1, 1), 70.0f * 0.25f + 80.0f * 0.75f);
    EXPECT_FLOAT_EQ(AREAT, 4000.0f);  // the members' areas summed
    EXPECT_FLOAT_EQ(STRATEGY(8, 3), 4000.0f);
    EXPECT_FLOAT_EQ(SUMARY(1, 3), 4000.0f);
    EXPECT_TRUE(NFLAG(34));
    EXPECT_FALSE(NFLAG(70));
}

TEST_F(Combination, UnknownCombinationAreaWeightsByTheMembersSum) {
    SUMARY(1, 12) = 0.0f;
    FIND1();
    EXPECT_FLOAT_EQ(IATEMP(1, 1), 70.0f * 0.25f + 80.0f * 0.75f);
}

TEST_F(Combination, MembersOfDifferentRunLengthsAreNotAdded) {
    IDNUM1 = 2;
    NFLAG(38) = false;
    KEEP2(1);  // member 2 ran twelve days
    IDNUM1 = 3;
    NFLAG(38) = true;
    IDNUM2 = 0;
    FIND1();
    EXPECT_TRUE(NFLAG(70));
    EXPECT_EQ(ITEMY, 32);
    EXPECT_FLOAT_EQ(HEAT(1, 1, 1), 10.0f);  // member 1 stays read
    EXPECT_EQ(MATNAME.first(4), "eras");

    IDNUM2 = 4;  // inside a library operation
    NFLAG(53) = false;
    FIND1();
    EXPECT_FALSE(NFLAG(70));
    EXPECT_EQ(IDNUM2, 0);
}

TEST_F(Combination, FlagsOfTheSchemeFileStopTheReadBeforeAnyFile) {
    NFLAG(53) = true;
    HEAT(1, 1, 1) = 99.0f;
    FIND1();
    EXPECT_TRUE(NFLAG(70));
    EXPECT_EQ(ITEMY, 42);
    EXPECT_EQ(IDNUM1, 3);
    EXPECT_EQ(HEAT(1, 1, 1), 99.0f);  // nothing was read or cleared
}

TEST_F(Combination, NumberLeftInTheSlotCombinesItsOwnDigits) {
    IDNUM1 = 21;
    FIND1();
    EXPECT_FLOAT_EQ(HEAT(1, 1, 1), 30.0f);
    EXPECT_FLOAT_EQ(OATEMP(1, 1), 51.0f);  // member 1 read last
    EXPECT_FLOAT_EQ(AREAT, 4000.0f);
    IDNUM1 = 12;  // column 12 is the back-up copy of scheme 3, not this combination's
    SUMARY(1, 12) = 777.0f;
    STRATEGY(8, 12) = 555.0f;
    FIND1();
    EXPECT_EQ(SUMARY(1, 12), 777.0f);
    EXPECT_EQ(STRATEGY(8, 12), 555.0f);
}

TEST_F(Combination, TruncatedUnformattedInputFileChangesNoRunFlag) {
    READMODE = WRITEMODE = 1;
    IDNUM1 = 1;
    KEEP2(1);
    std::filesystem::resize_file(project / "scheme1.dat", 2000);
    NFLAG(38) = true;
    NFLAG(37) = true;
    NFLAG(56) = false;
    FINDFLAG(1);
    EXPECT_TRUE(NFLAG(38));
    EXPECT_TRUE(NFLAG(37));
    EXPECT_FALSE(NFLAG(56));
}

}  // namespace
}  // namespace mavo
