#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A currency amount: fixed point with 4 decimals in a 64-bit integer, never a double.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    Money() = default;

    static Money fromUnits(std::int64_t units) { return Money(units); }
    static Money fromWhole(std::int64_t whole);

    // Decimal text (surrounding blanks ignored) taken exactly to 4 decimals, ties to even.
    // Empty when the text is not a number or the amount is out of range.
    static std::optional<Money> fromText(std::string_view text);
    // A double taken to 4 decimals, ties to even; empty when out of range.
    static std::optional<Money> fromDouble(double value);

    std::int64_t units() const { return m_units; }
    double toDouble() const { return static_cast<double>(m_units) / Scale; }

    // Sums and differences that would leave the range give nothing.
    std::optional<Money> plus(Money other) const;
    std::optional<Money> minus(Money other) const;

    // Rounded to `decimals` (0 to 4) places, ties to even.
    Money rounded(int decimals) const;
    // The nearest whole number, ties to even.
    std::int64_t roundedWhole() const { return rounded(0).m_units / Scale; }

    // Plain decimal text: "." as the point, at most 4 decimals, no trailing zeros.
    std::string toText() const;

    bool isZero() const { return m_units == 0; }
    friend bool operator==(Money a, Money b) = default;
    friend auto operator<=>(Money a, Money b) = default;

private:
    explicit Money(std::int64_t units)
        : m_units(units)
    {
    }
    std::int64_t m_units = 0;
};
