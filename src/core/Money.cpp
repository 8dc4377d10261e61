#include "core/Money.h"

#include "core/Numbers.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
} // namespace

Money Money::fromWhole(std::int64_t whole)
{
    return Money(whole * Scale);
}

std::optional<Money> Money::fromText(std::string_view text)
{
    // Digits with at most four decimals, as the program stores amounts, need no decimal
    // arithmetic: the units are the digits themselves.
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    auto digitsOnly = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!whole.empty() && whole.size() <= 14 && fraction.size() <= 4
        && (point == std::string_view::npos || !fraction.empty()) && digitsOnly(whole) && digitsOnly(fraction)) {
        std::int64_t units = 0;
        for (const char c : whole)
            units = units * 10 + (c - '0');
        for (std::size_t i = 0; i < 4; ++i)
            units = units * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        return Money(units);
    }
    auto decimal = numbers_detail::parseDecimal(text);
    if (!decimal)
        return std::nullopt;
    auto units = numbers_detail::scaledRound(*decimal, 4);
    if (!units || *units > kMax || *units < kMin)
        return std::nullopt;
    return Money(static_cast<std::int64_t>(*units));
}

std::optional<Money> Money::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // Through the shortest exact decimal form of the double, so 0.1 stays 0.1.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    auto fromShortest = fromText(numberToText(value));
    auto fromExact = fromText(buffer);
    if (!fromExact)
        return std::nullopt;
    // The 15-digit form decides, unless the value needs more digits than that.
    return fromShortest ? fromShortest : fromExact;
}

std::optional<Money> Money::plus(Money other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum))
        return std::nullopt;
    return Money(sum);
}

std::optional<Money> Money::minus(Money other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &difference))
        return std::nullopt;
    return Money(difference);
}

Money Money::rounded(int decimals) const
{
    if (decimals >= 4)
        return *this;
    if (decimals < 0)
        decimals = 0;
    std::int64_t step = 1;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    std::int64_t quotient = m_units / step;
    const std::int64_t remainder = m_units % step; // same sign as m_units
    const std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    const bool awayFromZero = twice > step || (twice == step && (quotient % 2) != 0);
    if (awayFromZero)
        quotient += m_units < 0 ? -1 : 1;
    return Money(quotient * step);
}

std::string Money::toText() const
{
    const bool negative = m_units < 0;
    // Work in unsigned so the most negative amount has a magnitude too.
    const std::uint64_t magnitude
        = negative ? 0 - static_cast<std::uint64_t>(m_units) : static_cast<std::uint64_t>(m_units);
    std::string text = std::to_string(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    return negative ? "-" + text : text;
}
