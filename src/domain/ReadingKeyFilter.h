#pragma once

#include <cstddef>
#include <string_view>

// The key filter of the boxes that take a reading or a distance (txtMiles,
// txtLastChanged, txtChangeAfter, txtInitMiles): the digits and backspace (8) are kept,
// every other key is dropped silently, the decimal point, the minus sign and Enter included.
constexpr char32_t BackspaceKey = 8;

constexpr bool keepsReadingKey(char32_t key)
{
    return (key >= U'0' && key <= U'9') || key == BackspaceKey;
}

// How many digits a reading box holds.
constexpr std::size_t ReadingDigits = 9;

// A reading as its boxes take it, whatever way the text got there (typed, pasted,
// stored): one to nine digits and nothing else.
constexpr bool isReadingText(std::string_view text)
{
    if (text.empty() || text.size() > ReadingDigits)
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}
