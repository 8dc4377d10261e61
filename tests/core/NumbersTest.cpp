#include "core/Numbers.h"
#include "core/Money.h"

#include <gtest/gtest.h>

#include <limits>

TEST(LeadingNumber, TakesTheLongestLeadingNumberIgnoringBlanksAnywhereOrIsZero)
{
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>> {{"1200", 1200},
             {"  12 00 km", 1200}, {"1000.5", 1000.5}, {"-12.5x", -12.5}, {".5", 0.5}, {"12.3.4", 12.3}, {"1e3", 1000},
             {"1e", 1}, {"000", 0}, {"", 0}, {"   ", 0}, {"abc12", 0}, {"-", 0}, {".", 0}})
        EXPECT_EQ(leadingNumber(text), value) << text;
}

TEST(WholeNumber, RoundsTiesToTheEvenNeighbour)
{
    EXPECT_EQ(wholeNumber32("45.5"), 46);
    EXPECT_EQ(wholeNumber32("44.5"), 44);
    EXPECT_EQ(wholeNumber32("-2.5"), -2);
    EXPECT_EQ(wholeNumber32("-3.5"), -4);
    EXPECT_EQ(wholeNumber32("2.5000000000000000001"), 3);
    EXPECT_EQ(wholeNumber32("0.49999999999999999999"), 0);
    EXPECT_EQ(wholeNumber32(" 1200 "), 1200);
    EXPECT_EQ(wholeNumber32("+7"), 7);
    EXPECT_EQ(wholeNumber32("1.5e2"), 150);
    EXPECT_EQ(wholeNumber32("0010"), 10);
}

TEST(WholeNumber, RefusesNonNumbersAndBlanks)
{
    for (const char* text : {"", "   ", "abc", "12a", "1.2.3", "1 2", "-", ".", "e5", "1e"})
        EXPECT_FALSE(wholeNumber32(text).has_value()) << text;
}

TEST(WholeNumber, KnowsItsWidth)
{
    EXPECT_EQ(wholeNumber16("32767"), 32767);
    EXPECT_EQ(wholeNumber16("-32768"), -32768);
    EXPECT_FALSE(wholeNumber16("32768").has_value());
    EXPECT_FALSE(wholeNumber16("32767.5").has_value()); // ties to even: 32768
    EXPECT_EQ(wholeNumber16("32766.5"), 32766);
    EXPECT_EQ(wholeNumber32("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(wholeNumber32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(wholeNumber32("2147483648").has_value());
    EXPECT_FALSE(wholeNumber32("-2147483649").has_value());
    EXPECT_FALSE(wholeNumber32("99999999999999999999999999999999999999999").has_value());
    EXPECT_EQ(wholeNumber64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(wholeNumber64("9223372036854775808").has_value());
}

TEST(WholeNumber, OfADouble)
{
    EXPECT_EQ(toWhole32(0.5), 0);
    EXPECT_EQ(toWhole32(1.5), 2);
    EXPECT_EQ(toWhole32(-250.0), -250);
    EXPECT_FALSE(toWhole32(2147483648.0).has_value());
    EXPECT_FALSE(toWhole32(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(DisplayRounding, TiesGoToTheEvenNeighbourOnTheExactValue)
{
    EXPECT_EQ(roundHalfEven(0.125, 2), 0.12); // exact tie
    EXPECT_EQ(roundHalfEven(0.375, 2), 0.38); // exact tie
    EXPECT_EQ(roundHalfEven(2.675, 2), 2.67); // just below the tie in binary
    EXPECT_EQ(roundHalfEven(350.0 / 1500.0, 4), 0.2333);
    EXPECT_EQ(roundHalfEven(4.6, 2), 4.6);
    EXPECT_EQ(roundHalfEven(-0.0001, 2), 0.0);
    EXPECT_EQ(numberToText(roundHalfEven(-0.0001, 2)), "0");
}

TEST(NumberToText, WholeNumbersArePlainDigits)
{
    EXPECT_EQ(numberToText(std::int64_t {0}), "0");
    EXPECT_EQ(numberToText(std::int64_t {-250}), "-250");
    EXPECT_EQ(numberToText(std::int32_t {1200}), "1200");
}

TEST(NumberToText, DecimalsHaveAtMostFifteenSignificantDigits)
{
    for (const auto& [value, text] : std::initializer_list<std::pair<double, const char*>> {{12.5, "12.5"}, {3.0, "3"},
             {499.5, "499.5"}, {0.1 + 0.2, "0.3"}, {1.0 / 3.0, "0.333333333333333"}, {-0.0, "0"}, {-7.25, "-7.25"},
             {123456789012345.0, "123456789012345"}, {1e20, "1E+20"}, {0.00001, "1E-05"}, {0.0001, "0.0001"}})
        EXPECT_EQ(numberToText(value), text) << value;
}

TEST(Money, ParsesExactlyToFourDecimals)
{
    EXPECT_EQ(Money::fromText("161.5")->toText(), "161.5");
    EXPECT_EQ(Money::fromText("0150")->toText(), "150");
    EXPECT_EQ(Money::fromText("0.00005")->toText(), "0"); // tie, to even
    EXPECT_EQ(Money::fromText("0.00015")->toText(), "0.0002"); // tie, to even
    EXPECT_EQ(Money::fromText("0.000051")->toText(), "0.0001");
    EXPECT_EQ(Money::fromText(" -2.5 ")->toText(), "-2.5");
    EXPECT_EQ(Money::fromText("922337203685477.5807")->units(), std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(Money::fromText("922337203685477.5808").has_value());
    EXPECT_FALSE(Money::fromText("1.2.3").has_value());
    EXPECT_FALSE(Money::fromText("").has_value());
    EXPECT_FALSE(Money::fromText("12x").has_value());
}

TEST(Money, AddsExactly)
{
    const Money a = *Money::fromText("0.2");
    const Money b = *Money::fromText("0.1");
    EXPECT_EQ(a.plus(b)->toText(), "0.3");
    EXPECT_EQ(Money::fromText("10.3")->plus(*Money::fromText("5.2"))->toText(), "15.5");
    EXPECT_FALSE(Money::fromUnits(std::numeric_limits<std::int64_t>::max()).plus(Money::fromUnits(1)).has_value());
    EXPECT_EQ(Money::fromUnits(std::numeric_limits<std::int64_t>::min()).toText(), "-922337203685477.5808");
}

TEST(Money, RoundsTiesToEven)
{
    EXPECT_EQ(Money::fromText("2.5")->roundedWhole(), 2);
    EXPECT_EQ(Money::fromText("3.5")->roundedWhole(), 4);
    EXPECT_EQ(Money::fromText("-2.5")->roundedWhole(), -2);
    EXPECT_EQ(Money::fromText("0.125")->rounded(2).toText(), "0.12");
    EXPECT_EQ(Money::fromText("0.135")->rounded(2).toText(), "0.14");
    EXPECT_EQ(Money::fromText("1.2345")->rounded(4).toText(), "1.2345");
}

TEST(Money, FromADoubleUsesItsShortestDecimalForm)
{
    EXPECT_EQ(Money::fromDouble(0.1)->toText(), "0.1");
    EXPECT_EQ(Money::fromDouble(350.0 / 1500.0)->toText(), "0.2333");
    EXPECT_EQ(Money::fromDouble(2.0 / 3.0)->toText(), "0.6667");
    EXPECT_FALSE(Money::fromDouble(1e300).has_value());
}
