#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/scratch_blocks.h"
#include "physics/line_parser.h"

namespace mavo {
namespace {

// Parses `line` for the wanted columns and returns the first `n` values.
std::vector<float> parse(const std::string& line, std::vector<int> wanted, std::size_t n) {
    TEXTLINE = line;
    for (std::size_t j = 0; j < wanted.size(); ++j) ISTPOS(static_cast<int>(j) + 1) = wanted[j];
    FFCDREAD(static_cast<INTEGER>(wanted.size()));
    return std::vector<float>(FIELDVALS.begin(), FIELDVALS.begin() + n);
}

TEST(LineParser, PicksTheWantedColumns) {
    const auto v = parse("1999,1,2,3,4,5,12.5", {2, 3, 4, 7}, 6);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[1], 2.0f);
    EXPECT_EQ(v[2], 3.0f);
    EXPECT_FLOAT_EQ(v[3], 12.5f);
    EXPECT_EQ(v[4], -999.99f);
    EXPECT_EQ(v[5], -999.99f);
    EXPECT_EQ(FIELDVALS(180), -999.99f);
    EXPECT_EQ(parse("7,8", {1}, 1)[0], 7.0f);  // column 1 starts at the first character
}

TEST(LineParser, NumberSyntaxOfAField) {
    struct Case {
        const char* field;
        float value;
    };
    for (const Case c : {Case{" -3.25 ", -3.25f}, {"3.2.5", 3.2f}, {"12a4", 12.0f}, {"", -999.99f},
                         {"abc", -999.99f}, {"1 2", 12.0f}, {"+7", 7.0f}, {"1.5E+02", 1.5f}, {"4-", 4.0f},
                         {"1-2", -12.0f}, {"-", -999.99f}}) {
        const auto v = parse(std::string("x,") + c.field + ",9", {2, 3}, 2);
        EXPECT_FLOAT_EQ(v[0], c.value) << "'" << c.field << "'";
        EXPECT_EQ(v[1], 9.0f) << c.field;
    }
}

TEST(LineParser, ColumnsBeyondTheLineOrItsBufferAreMissing) {
    EXPECT_EQ(parse("1,2", {2, 5}, 2)[1], -999.99f);
    std::string long_line(245, ' ');
    long_line += ",1,2,3,4,5,6,7";  // the commas after the 250th character are not seen
    const auto v = parse(long_line, {2, 3, 4}, 3);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[1], 2.0f);
    EXPECT_EQ(v[2], -999.99f);
}

TEST(LineParser, StopsAfterTheLastWantedColumn) {
    // A later malformed column is never looked at, and nothing beyond the
    // wanted list is written.
    const auto v = parse("5,6,7..8,9", {1, 2}, 3);
    EXPECT_EQ(v[0], 5.0f);
    EXPECT_EQ(v[1], 6.0f);
    EXPECT_EQ(v[2], -999.99f);
    EXPECT_EQ(parse("5,6", {}, 1)[0], -999.99f);
}

}  // namespace
}  // namespace mavo
