#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one place where texts become numbers and numbers become texts.
// Every other module uses these; none writes its own.

// The value of the longest leading part of the text that forms a decimal number,
// with blanks ignored wherever they stand; 0 when the text does not begin with one.
// Never fails.
double leadingNumber(std::string_view text);

// The whole text as a decimal number (surrounding blanks ignored): sign, digits,
// an optional fraction and an optional exponent. Empty when the text is not a number.
std::optional<double> parseNumber(std::string_view text);

// The whole number of a text: surrounding blanks ignored, decimal text taken to the
// nearest whole number with ties to the even neighbour. Empty when the text is not a
// number or the result does not fit the width.
std::optional<std::int32_t> wholeNumber32(std::string_view text);
std::optional<std::int16_t> wholeNumber16(std::string_view text);

// The same for an arbitrary width up to 64 bits (used by totals that have no 16-bit limit).
std::optional<std::int64_t> wholeNumber64(std::string_view text);

// A double taken to the nearest whole number (ties to even), if it fits.
std::optional<std::int32_t> toWhole32(double value);

// Rounds to the given number of decimals, ties to the even neighbour, judged on the
// exact binary value of the double.
double roundHalfEven(double value, int decimals);

// Whole numbers as plain digits with a leading minus when negative.
std::string numberToText(std::int64_t value);
inline std::string numberToText(std::int32_t value)
{
    return numberToText(static_cast<std::int64_t>(value));
}
inline std::string numberToText(std::int16_t value)
{
    return numberToText(static_cast<std::int64_t>(value));
}

// Decimal numbers: at most 15 significant digits, "." as the point, no grouping,
// no trailing zeros and no point when nothing follows it.
std::string numberToText(double value);

// Exact decimal parsing shared by the conversions above and by Money.
namespace numbers_detail {
__extension__ typedef __int128 WideInt;

struct Decimal {
    bool negative = false;
    std::string digits; // without leading zeros; empty for zero
    int exponent = 0; // value = digits * 10^exponent
};
std::optional<Decimal> parseDecimal(std::string_view text);
// value * 10^scale rounded to the nearest whole number (ties to even), if its
// magnitude stays below 10^36.
std::optional<WideInt> scaledRound(const Decimal& value, int scale);
} // namespace numbers_detail
