// Library commands served by whole runs of the sample project through the C
// front: what a served command leaves behind must reach no other scheme.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "mavokernel.h"
#include "project/library.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
namespace cmd = library_command;
using testing::read_file;

const fs::path kData = testing::sample_data();

class LibraryRun : public ::testing::Test {
protected:
    // The sample project with schemes 2 to 4 named, settled by a first run.
    void SetUp() override {
        fs::copy(kData / "project", project.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        host_loads();
        for (INTEGER k = 2; k <= 4; ++k) SCHEMENAME(k) = "Scheme " + std::to_string(k);
        AADISK(1);
        reset_all_blocks();
        ASSERT_EQ(run_kernel(), 0);
    }
    int run_kernel() { return testing::run_on_sample_data(project.path()); }
    // The host between runs: the project state read afresh from its files.
    void host_loads() { testing::host_loads(project.path()); }
    // The strategy columns as the files hold them, read for a scheme other
    // than any the tests inspect, so that every back-up column comes from
    // the companion file.
    void load_columns() {
        host_loads();
        IDNUM1 = 9;
        AADISK(-5);
    }
    // The host asks for a command on scheme `slot` with an operand.
    void request(INTEGER slot, INTEGER command, INTEGER operand) {
        testing::host_requests(project.path(), slot, command, operand);
    }
    testing::ScratchDir project;
};

TEST_F(LibraryRun, RenameWithoutAHostNameKeepsTheName) {
    // By the time the command is served the name buffer holds the kernel's
    // own text (a mass material, a weather line): no name for the scheme.
    request(3, cmd::kName, 3);
    ASSERT_EQ(run_kernel(), 0);
    host_loads();
    EXPECT_EQ(SCHEMENAME(3).trimmed(), "Scheme 3");
    load_columns();
    EXPECT_EQ(STRATEGY(2, 3), 0.0f);  // the command is served all the same
}

TEST_F(LibraryRun, DefaultSchemeDoesNotRepeatSchemeOnesCommand) {
    // Scheme 1 is copied into slot 4; its back-up copy was taken with the
    // command pending.
    request(1, cmd::kCopy, 4);
    ASSERT_EQ(run_kernel(), 0);
    ASSERT_EQ(IDNUM1, 4);
    load_columns();
    FArray<REAL, 310> column2{};
    for (INTEGER r = 1; r <= 310; ++r) column2(r) = STRATEGY(r, 2);
    const std::string input2 = read_file(project / "scheme2b.dat");
    const std::string results2 = read_file(project / "scheme2b.het");

    // The host then runs the default scheme.
    host_loads();
    IDNUM1 = 10;
    IDNUM2 = 0;
    AADISK(1);
    ASSERT_EQ(run_kernel(), 0);
    EXPECT_EQ(IDNUM1, 10);
    EXPECT_EQ(ITEMY, 50);  // a plain simulation
    EXPECT_TRUE(read_file(project / "scheme2b.dat") == input2);
    EXPECT_TRUE(read_file(project / "scheme2b.het") == results2);
    host_loads();
    EXPECT_EQ(IDNUM1, 10);  // as saved with the project state
    load_columns();
    for (INTEGER r = 1; r <= 310; ++r) EXPECT_EQ(STRATEGY(r, 2), column2(r)) << r;
}

TEST_F(LibraryRun, SelectedCombinationKeepsOtherSchemesColumns) {
    // Line 1 holds schemes 1 and 3; column 13 is scheme 4's back-up copy.
    host_loads();
    NCOMBO(1) = 13;
    LINENAME(1) = "Schemes 1 and 3";
    for (INTEGER r = 1; r <= 80; ++r) SUMARY(r, 13) = static_cast<REAL>(r);
    AADISK(1);
    request(2, cmd::kSelect, 13);
    ASSERT_EQ(run_kernel(), 0);
    EXPECT_EQ(IDNUM1, 13);
    EXPECT_TRUE(NFLAG(51));   // the command was served without error
    EXPECT_FALSE(NFLAG(80));  // and nothing simulated
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_EQ(SUMARY(r, 13), static_cast<REAL>(r)) << r;

    host_loads();
    EXPECT_EQ(IDNUM1, 13);
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_EQ(SUMARY(r, 13), static_cast<REAL>(r)) << r;
    load_columns();
    EXPECT_EQ(STRATEGY(2, 2), 0.0f);  // served: the next run does not repeat it

    // The next run, with the number saved, shows the combination itself.
    ASSERT_EQ(run_kernel(), 0);
    EXPECT_EQ(IDNUM1, 13);
    EXPECT_TRUE(NFLAG(51));
    for (INTEGER r = 1; r <= 80; ++r) EXPECT_EQ(SUMARY(r, 13), static_cast<REAL>(r)) << r;
}

}  // namespace
}  // namespace mavo
