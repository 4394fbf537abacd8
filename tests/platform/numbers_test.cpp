#include "platform/numbers.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Numbers, RoundHalfToEven) {
    const std::pair<double, long long> cases[] = {
        {0.5, 0},   {1.5, 2},  {2.5, 2},  {3.5, 4},     {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {2.49, 2}, {2.51, 3}, {262.5, 262}, {87.5, 88}, {62.5, 62},
    };
    for (auto [value, expected] : cases) EXPECT_EQ(roundHalfEven(value), expected) << value;
    EXPECT_EQ(toInteger(40000.0), 32767);
    EXPECT_EQ(toInteger(-40000.0), -32768);
    EXPECT_EQ(toInteger(6.5), 6);
    EXPECT_EQ(toLong(3e10), 2147483647);
}

TEST(Numbers, DivisionTruncatesTowardZero) {
    EXPECT_EQ(idiv(262, 3), 87);
    EXPECT_EQ(idiv(-7, 2), -3);
    EXPECT_EQ(idiv(7, -2), -3);
}

TEST(Numbers, ValReadsTheLeadingNumber) {
    EXPECT_EQ(val("  12abc"), 12);
    EXPECT_EQ(val("-3.5e2"), -350);
    EXPECT_EQ(val("abc"), 0);
    EXPECT_EQ(val(""), 0);
    EXPECT_EQ(val("07"), 7);
    EXPECT_GT(val("99999999999"), 32767.0 * 65536);
    EXPECT_EQ(val("99999999999"), 99999999999.0);
}
