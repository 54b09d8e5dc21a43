#include "common/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(NumberText, ParseAcceptsNumbersAndRejectsEverythingElse)
{
    const struct {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"12", 12},   {" -3.5 ", -3.5}, {"1e3", 1000}, {"+7", 7},       {"", std::nullopt},
        {"  ", std::nullopt}, {"12abc", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbertext::parse(c.text), c.expected) << c.text;

    EXPECT_EQ(numbertext::settingValue(" "), 0.0) << "a blank setting reads as 0";
    EXPECT_EQ(numbertext::settingValue("x"), std::nullopt);
}

TEST(NumberText, RoundsHalvesToEven)
{
    const std::pair<double, double> cases[] = {{2.5, 2},   {3.5, 4},   {-2.5, -2}, {-3.5, -4},
                                               {0.5, 0},   {1.49, 1},  {1.51, 2},  {-0.4, 0}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(numbertext::roundHalfEven(value), expected) << value;
}

TEST(NumberText, IntegerRangesRejectWhatDoesNotFitIncludingNaN)
{
    EXPECT_EQ(numbertext::toInt16(32767.4), 32767);
    EXPECT_EQ(numbertext::toInt16(-32768), -32768);
    EXPECT_EQ(numbertext::toInt16(32767.6), std::nullopt);
    EXPECT_EQ(numbertext::toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(numbertext::toInt32(2147483648.0), std::nullopt);
    for (const double odd : {NaN, Inf, -Inf}) {
        EXPECT_EQ(numbertext::toInt16(odd), std::nullopt) << odd;
        EXPECT_EQ(numbertext::toInt32(odd), std::nullopt) << odd;
    }
}

TEST(NumberText, ClampedWholeAlwaysGivesAnIntInsideTheBounds)
{
    const struct {
        double value;
        int expected;
    } cases[] = {{2.5, 2}, {-7.5, -8}, {1e12, 100}, {-1e12, -100}, {Inf, 100}, {-Inf, -100}, {NaN, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(numbertext::clampedWhole(c.value, -100, 100), c.expected) << c.value;
    EXPECT_EQ(numbertext::clampedWhole(NaN, 5, 10), 5) << "NaN counts as 0, then the bounds hold";
}

TEST(NumberText, FormatsWholeNumbersWithoutExponent)
{
    EXPECT_EQ(numbertext::format(3000000), "3000000");
    EXPECT_EQ(numbertext::format(-4), "-4");
    EXPECT_EQ(numbertext::format(0.25), "0.25");
}

} // namespace
