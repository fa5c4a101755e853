// Expected texts were produced by the GNU Fortran runtime's formatted WRITE
// of the same REAL(4) or REAL(8) values with the same edit descriptors.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/fortran_format.h"

namespace mavo::ffmt {
namespace {

struct FixedCase {
    double value;
    int w, d;
    const char* text;
};

TEST(FortranFormat, FixedPointMatchesFormattedWrite) {
    const FixedCase cases[] = {
        {0.125f, 5, 2, " 0.12"},     // exact tie rounds to even
        {0.375f, 5, 2, " 0.38"},     // exact tie rounds to even (up)
        {0.0625f, 6, 3, " 0.062"},
        {2.5f, 5, 0, "   2."},       // d = 0 keeps the point
        {3.5f, 3, 0, " 4."},
        {4.5f, 3, 0, " 4."},
        {0.4f, 5, 0, "   0."},
        {1.005f, 6, 2, "  1.00"},    // the float lies below the tie
        {2.0005f, 8, 3, "   2.000"},
        {-0.001f, 5, 2, "-0.00"},    // a negative value rounded to zero keeps its sign
        {-0.0, 5, 2, "-0.00"},
        {-0.04f, 7, 1, "   -0.0"},
        {-0.4f, 5, 0, "  -0."},
        {0.5f, 4, 2, "0.50"},
        {0.5f, 3, 2, ".50"},         // leading zero dropped when one column short
        {-0.5f, 4, 2, "-.50"},
        {0.0, 2, 0, "0."},
        {0.0, 1, 0, "*"},            // no digit would remain
        {123.456f, 5, 2, "*****"},
        {1e30f, 6, 1, "******"},
        {288.0f, 40, 25, "           288.0000000000000000000000000"},
        {0.1f, 40, 25, "             0.1000000014901161193847656"},
    };
    for (const auto& c : cases) EXPECT_EQ(F(c.value, c.w, c.d), c.text) << c.value << " F" << c.w << "." << c.d;
}

TEST(FortranFormat, ExponentFormMatchesFormattedWrite) {
    EXPECT_EQ(E(1.0f, 14, 7), " 0.1000000E+01");
    EXPECT_EQ(E(-1.0f, 14, 7), "-0.1000000E+01");
    EXPECT_EQ(E(0.0, 14, 7), " 0.0000000E+00");
    EXPECT_EQ(E(-0.0, 14, 7), "-0.0000000E+00");
    EXPECT_EQ(E(-1.0f, 13, 7), "-.1000000E+01");
    EXPECT_EQ(E(1e-30f, 14, 7), " 0.1000000E-29");
    EXPECT_EQ(E(3.4e38f, 14, 7), " 0.3400000E+39");
    EXPECT_EQ(E(123456789.0f, 14, 7), " 0.1234568E+09");
    EXPECT_EQ(E(9.9996f, 10, 3), " 0.100E+02");  // rounding carries into the exponent
    EXPECT_EQ(E(1.0e-200, 14, 7), " 0.1000000-199");  // three-digit exponent drops the letter
    EXPECT_EQ(D(0.1, 35, 25), "    0.1000000000000000055511151D+00");
    EXPECT_EQ(E(1.0f, 5, 7), "*****");
}

TEST(FortranFormat, NonFiniteValues) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(F(inf, 10, 3), "  Infinity");
    EXPECT_EQ(F(-inf, 10, 3), " -Infinity");
    EXPECT_EQ(F(inf, 4, 1), " Inf");
    EXPECT_EQ(F(-inf, 3, 1), "***");
    EXPECT_EQ(E(std::nan(""), 14, 7), "           NaN");
    EXPECT_EQ(F(std::nan(""), 2, 0), "**");
}

TEST(FortranFormat, IntegerLogicalTextAndBlanks) {
    EXPECT_EQ(I(1, 12), "           1");
    EXPECT_EQ(I(-100, 3), "***");
    EXPECT_EQ(I(-100, 4), "-100");
    EXPECT_EQ(I(5, 2), " 5");
    EXPECT_EQ(I(928141142, 11), "  928141142");
    EXPECT_EQ(I(-42, 0), "-42");  // I0: as few columns as needed
    EXPECT_EQ(L(true, 3), "  T");
    EXPECT_EQ(L(false, 1), "F");
    EXPECT_EQ(A("scheme", 4), "sche");
    EXPECT_EQ(A("ab", 5), "   ab");
    EXPECT_EQ(A("ab", -1), "ab");
    EXPECT_EQ(X(3), "   ");
    EXPECT_EQ(LineWriter().A(" < ").I(7, 4).A(" = ").A("x").str(), " <    7 = x");
}

TEST(FortranFormat, ReadsIntegersWithBlanksIgnored) {
    long long v = -1;
    EXPECT_TRUE(read_int("   42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(read_int(" - 1 2", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(read_int("     ", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(read_int("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_FALSE(read_int("12a", v));
    EXPECT_FALSE(read_int("-", v));
    EXPECT_FALSE(read_int("99999999999999999999", v));
}

TEST(FortranFormat, ReadsRealsWithImpliedDecimals) {
    float f = -1;
    EXPECT_TRUE(read_real("  1234", 2, f));
    EXPECT_FLOAT_EQ(f, 12.34f);  // no point: two implied decimals
    EXPECT_TRUE(read_real(" 12.5 ", 2, f));
    EXPECT_FLOAT_EQ(f, 12.5f);  // a written point overrides them
    EXPECT_TRUE(read_real(" 0.1000000E+01", 7, f));
    EXPECT_EQ(f, 1.0f);
    EXPECT_TRUE(read_real("-.1000000E+01", 7, f));
    EXPECT_EQ(f, -1.0f);
    EXPECT_TRUE(read_real(" 0.1000000-199", 7, f));
    EXPECT_EQ(f, 0.0f);
    EXPECT_TRUE(read_real("1.5D2", 0, f));
    EXPECT_EQ(f, 150.0f);
    EXPECT_TRUE(read_real("      ", 1, f));
    EXPECT_EQ(f, 0.0f);
    EXPECT_TRUE(read_real("-0.0", 1, f));
    EXPECT_TRUE(std::signbit(f));
    EXPECT_FALSE(read_real("1.2.3", 1, f));
    EXPECT_FALSE(read_real("abc", 1, f));
    EXPECT_FALSE(read_real("1E", 1, f));
    // Every written E14.7 text reads back within its seven digits.
    for (float x : {0.1f, -3.4e38f, 1.17549435e-38f, 288.0f, 1.0e-7f, 65.123456f}) {
        float back = 0;
        ASSERT_TRUE(read_real(E(x, 14, 7), 7, back));
        EXPECT_NEAR(back, x, std::fabs(x) * 5e-7f) << E(x, 14, 7);
    }
}

TEST(FortranFormat, ReadsLogicalsAndFieldsPastTheLineEnd) {
    bool b = false;
    EXPECT_TRUE(read_logical("  T", b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(read_logical(".FALSE.", b));
    EXPECT_FALSE(b);
    EXPECT_TRUE(read_logical("   ", b));
    EXPECT_FALSE(b);
    EXPECT_FALSE(read_logical("X", b));

    LineReader r("94128   SAN FRANCISCO    ");
    EXPECT_EQ(r.I(5), 94128);
    r.X(3);
    EXPECT_EQ(r.A(24), "SAN FRANCISCO    ");
    EXPECT_EQ(r.I(4), 0);  // beyond the end: blanks
    EXPECT_FLOAT_EQ(r.F(6, 0), 0.0f);
    EXPECT_TRUE(r.ok());
    LineReader bad("12x");
    bad.I(3);
    EXPECT_FALSE(bad.ok());
}

}  // namespace
}  // namespace mavo::ffmt
