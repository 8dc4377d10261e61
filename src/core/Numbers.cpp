#include "core/Numbers.h"

#include "core/AsciiText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text)
{
    return AsciiText::trim(text, AsciiText::Blanks);
}

// Length of the longest prefix of `text` that forms a decimal number:
// [+-] digits [. digits] [(e|E|d|D) [+-] digits], with at least one mantissa digit.
std::size_t numberPrefixLength(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            end = j;
    }
    return end;
}

double toDouble(std::string_view number)
{
    std::string copy(number);
    for (char& c : copy) {
        if (c == 'd' || c == 'D')
            c = 'e';
    }
    return std::strtod(copy.c_str(), nullptr);
}

template <typename T> std::optional<T> wholeOfWidth(std::string_view text)
{
    // Plain digits, as the program stores readings and totals, need no decimal arithmetic.
    if (!text.empty() && text.size() <= 9) {
        std::int64_t value = 0;
        bool digits = true;
        for (const char c : text) {
            const auto digit = static_cast<unsigned char>(c - '0');
            digits = digits && digit <= 9;
            value = value * 10 + digit;
        }
        if (digits)
            return value > std::numeric_limits<T>::max() ? std::nullopt : std::optional<T>(static_cast<T>(value));
    }
    auto decimal = numbers_detail::parseDecimal(text);
    if (!decimal)
        return std::nullopt;
    auto rounded = numbers_detail::scaledRound(*decimal, 0);
    if (!rounded)
        return std::nullopt;
    if (*rounded < std::numeric_limits<T>::min() || *rounded > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(*rounded);
}

} // namespace

namespace numbers_detail {

std::optional<Decimal> parseDecimal(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty() || numberPrefixLength(text) != text.size())
        return std::nullopt;
    Decimal result;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') {
        result.negative = text[i] == '-';
        ++i;
    }
    int fractionDigits = 0;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            inFraction = true;
            continue;
        }
        if (!isDigit(c))
            break;
        if (inFraction)
            ++fractionDigits;
        if (result.digits.empty() && c == '0')
            continue; // leading zero
        result.digits.push_back(c);
    }
    long exponent = 0;
    if (i < text.size()) {
        ++i; // the exponent letter
        bool negativeExponent = false;
        if (text[i] == '+' || text[i] == '-') {
            negativeExponent = text[i] == '-';
            ++i;
        }
        for (; i < text.size(); ++i) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    result.exponent = static_cast<int>(exponent - fractionDigits);
    // Drop trailing zeros so the digit string stays short.
    while (!result.digits.empty() && result.digits.back() == '0') {
        result.digits.pop_back();
        ++result.exponent;
    }
    if (result.digits.empty()) {
        result.negative = false;
        result.exponent = 0;
    }
    return result;
}

std::optional<WideInt> scaledRound(const Decimal& value, int scale)
{
    if (value.digits.empty())
        return 0;
    const long shift = static_cast<long>(value.exponent) + scale; // value*10^scale = digits*10^shift
    const long integerDigits = static_cast<long>(value.digits.size()) + shift;
    if (integerDigits > 36)
        return std::nullopt;
    WideInt whole = 0;
    std::string fraction;
    if (shift >= 0) {
        for (char c : value.digits)
            whole = whole * 10 + (c - '0');
        for (long k = 0; k < shift; ++k)
            whole *= 10;
    } else {
        const long keep = static_cast<long>(value.digits.size()) + shift; // may be <= 0
        for (long k = 0; k < keep; ++k)
            whole = whole * 10 + (value.digits[static_cast<std::size_t>(k)] - '0');
        if (keep >= 0)
            fraction = value.digits.substr(static_cast<std::size_t>(keep));
        else
            fraction = std::string(static_cast<std::size_t>(-keep), '0') + value.digits;
    }
    if (!fraction.empty()) {
        // fraction has no trailing zeros (they were dropped), so "5" alone is an exact tie.
        const char first = fraction.front();
        bool up = false;
        if (first > '5')
            up = true;
        else if (first == '5')
            up = fraction.size() > 1 || (whole % 2) != 0;
        if (up)
            ++whole;
    }
    return value.negative ? -whole : whole;
}

} // namespace numbers_detail

double leadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            compact.push_back(c);
    }
    const std::size_t length = numberPrefixLength(compact);
    if (length == 0)
        return 0.0;
    return toDouble(std::string_view(compact).substr(0, length));
}

std::optional<double> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty() || numberPrefixLength(text) != text.size())
        return std::nullopt;
    const double value = toDouble(text);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> wholeNumber32(std::string_view text)
{
    return wholeOfWidth<std::int32_t>(text);
}

std::optional<std::int16_t> wholeNumber16(std::string_view text)
{
    return wholeOfWidth<std::int16_t>(text);
}

std::optional<std::int64_t> wholeNumber64(std::string_view text)
{
    return wholeOfWidth<std::int64_t>(text);
}

std::optional<std::int32_t> toWhole32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode: ties to even
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min())
        || rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    // printf rounds the exact binary value correctly, ties to even.
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    double result = std::strtod(buffer, nullptr);
    return result == 0.0 ? 0.0 : result; // no negative zero
}

std::string numberToText(std::int64_t value)
{
    return std::to_string(value);
}

std::string numberToText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return "0";
    // A whole number of up to 15 digits prints as its digits: no formatting needed.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return std::to_string(static_cast<std::int64_t>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    const auto e = text.find('e');
    if (e == std::string::npos)
        return text;
    // 1.5e+20 -> 1.5E+20, 1e-05 -> 1E-05
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    const char sign = exponent.front();
    std::string digits = exponent.substr(1);
    while (digits.size() > 2 && digits.front() == '0')
        digits.erase(0, 1);
    return mantissa + "E" + sign + digits;
}
