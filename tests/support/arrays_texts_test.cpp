#include <gtest/gtest.h>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/numeric.h"
#include "support/types.h"

namespace mavo {
namespace {

TEST(FArray, FirstIndexVariesFastest) {
    FArray<int, 17, 24, 12> heat{};
    heat(2, 1, 1) = 1;
    heat(1, 2, 1) = 2;
    heat(1, 1, 2) = 3;
    heat(17, 24, 12) = 4;
    EXPECT_EQ(heat.data()[1], 1);
    EXPECT_EQ(heat.data()[17], 2);
    EXPECT_EQ(heat.data()[17 * 24], 3);
    EXPECT_EQ(heat.data()[17 * 24 * 12 - 1], 4);
    static_assert(sizeof(heat) == sizeof(int) * 17 * 24 * 12);
    static_assert(std::is_standard_layout_v<decltype(heat)>);
}

TEST(FArray, LowerBoundsOtherThanOne) {
    FArrayB<int, Bounds<-1, 25>, Bounds<1, 16>> sched{};
    sched(-1, 1) = 7;
    sched(25, 16) = 9;
    EXPECT_EQ(sched.data()[0], 7);
    EXPECT_EQ(sched.data()[27 * 16 - 1], 9);
    EXPECT_EQ(decltype(sched)::lower<0>(), -1);
    EXPECT_EQ(decltype(sched)::upper<0>(), 25);
}

TEST(FArray, InitialValuesInOrder) {
    constexpr FArray<int, 13> modays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 365};
    static_assert(modays(2) == 28 && modays(13) == 365);
}

#if defined(MAVO_BOUNDS_CHECK) && MAVO_BOUNDS_CHECK
TEST(FArrayDeathTest, IndexOutsideItsRangeStops) {
    FArray<float, 96> flags{};
    EXPECT_DEATH(flags(0) = 1.0f, "index 0 of dimension 1 outside 1..96");
    FArray<float, 3, 4> m{};
    EXPECT_DEATH(m(1, 5) = 1.0f, "dimension 2");
}
#endif

TEST(FString, CutAndPadOnAssignment) {
    FString<6> date = "181203x9";
    EXPECT_EQ(date.view(), "181203");
    FString<8> name = "AB";
    EXPECT_EQ(name.view(), "AB      ");
    EXPECT_EQ(name.len_trim(), 2u);
    EXPECT_EQ(name.trimmed(), "AB");
    EXPECT_TRUE(name == "AB");
    EXPECT_TRUE(name == "AB   ");  // trailing blanks do not count
    EXPECT_FALSE(name == "ABC");
    FString<4> shorter = "AB";
    EXPECT_TRUE(name == shorter);
    EXPECT_TRUE(FString<3>().is_blank());
    EXPECT_TRUE(FString<3>::zeros().is_blank());
    FString<24> scheme = "BASECASE Energy Efficient";
    EXPECT_EQ(scheme.first(4), "BASE");
    EXPECT_EQ(scheme.view(), "BASECASE Energy Efficien");
}

TEST(Logical, TrueIsAllBitsAndTestedOnBitZero) {
    LOGICAL t = true;
    EXPECT_EQ(t.bits, 0xFF);
    EXPECT_TRUE(t.all_bits_set());
    const LOGICAL one = LOGICAL::from_byte(1);
    EXPECT_TRUE(one);
    EXPECT_FALSE(one.all_bits_set());
    EXPECT_FALSE(LOGICAL::from_byte(2));  // only the lowest bit is tested
}

TEST(Numeric, ConversionsSaturateAndTakeNanAsZero) {
    EXPECT_EQ(int_toward_zero(350.9), 350);
    EXPECT_EQ(int_toward_zero(-2.7), -2);
    EXPECT_EQ(int_toward_zero(1e20), 2147483647);
    EXPECT_EQ(int_toward_zero(-1e20), -2147483647 - 1);
    EXPECT_EQ(int_toward_zero(std::nan("")), 0);
    EXPECT_EQ(nearest_int(2.5), 3);
    EXPECT_EQ(nearest_int(-2.5), -3);
}

}  // namespace
}  // namespace mavo
