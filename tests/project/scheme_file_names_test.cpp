#include <gtest/gtest.h>

#include "blocks/run_control.h"
#include "project/scheme_file_names.h"

namespace mavo {
namespace {

class SchemeFileNames : public ::testing::Test {
protected:
    void SetUp() override {
        DIRPATHS(2) = "/proj";
        DIRPATHS(5) = "/util";
        DIRPATHS(4) = "/util";
    }
    std::string read_path(SchemeFile kind) {
        return build_scheme_read_path(kind) ? std::string(PATHTOFILE.trimmed()) : "none";
    }
    std::string write_path(SchemeFile kind) {
        return build_scheme_write_path(kind) ? std::string(PATHTOFILE.trimmed()) : "none";
    }
};

TEST_F(SchemeFileNames, ReadersBySlotAndForm) {
    READMODE = 3;
    IDNUM1 = 3;
    EXPECT_EQ(read_path(SchemeFile::Input), "/proj/scheme3b.dat");
    EXPECT_EQ(read_path(SchemeFile::Results), "/proj/scheme3b.het");
    IDNUM1 = 0;  // the default scheme: its input from the utility directory
    EXPECT_EQ(read_path(SchemeFile::Input), "/util/scheme0b.dat");
    EXPECT_EQ(read_path(SchemeFile::Results), "/proj/scheme0b.het");
    READMODE = 2;
    IDNUM1 = -2;
    EXPECT_EQ(read_path(SchemeFile::Input), "/util/schem02f.dat");
    EXPECT_EQ(read_path(SchemeFile::Results), "/util/schem02f.het");
    READMODE = 1;
    IDNUM1 = 9;
    EXPECT_EQ(read_path(SchemeFile::Input), "/proj/scheme9.dat");
    IDNUM1 = 10;
    EXPECT_EQ(read_path(SchemeFile::Input), "/util/scheme0.dat");
    EXPECT_EQ(read_path(SchemeFile::Results), "/proj/scheme0.het");
    READMODE = 4;  // an unknown form appends nothing
    IDNUM1 = 2;
    EXPECT_EQ(read_path(SchemeFile::Input), "/proj/scheme2");
}

TEST_F(SchemeFileNames, NumbersOutsideTheTableBuildNothing) {
    READMODE = 3;
    PATHTOFILE = "/kept";
    for (INTEGER id : {-4, 14, 35, -9999}) {
        IDNUM1 = id;
        EXPECT_EQ(read_path(SchemeFile::Input), "none") << id;
    }
    EXPECT_EQ(PATHTOFILE.trimmed(), "/kept");
}

TEST_F(SchemeFileNames, WritersServeSlotsOneToTenInTheProject) {
    WRITEMODE = 3;
    IDNUM1 = 10;
    EXPECT_EQ(write_path(SchemeFile::Input), "/proj/scheme0b.dat");
    EXPECT_EQ(write_path(SchemeFile::InputCopy), "/proj/scheme0b.bfr");
    IDNUM1 = 0;
    EXPECT_EQ(write_path(SchemeFile::Input), "none");
    EXPECT_EQ(write_path(SchemeFile::Results), "/proj/scheme0b.het");
    IDNUM1 = -1;
    EXPECT_EQ(write_path(SchemeFile::Results), "none");
    IDNUM1 = 11;
    EXPECT_EQ(write_path(SchemeFile::Results), "none");
    WRITEMODE = 1;
    IDNUM1 = 4;
    EXPECT_EQ(write_path(SchemeFile::InputCopy), "none");  // no copy in unformatted form
    EXPECT_EQ(write_path(SchemeFile::Results), "/proj/scheme4.het");
    WRITEMODE = 2;
    EXPECT_EQ(write_path(SchemeFile::InputCopy), "/proj/scheme4f.bfr");
}

}  // namespace
}  // namespace mavo
