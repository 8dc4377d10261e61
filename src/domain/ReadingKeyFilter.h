#pragma once

// The key filter of the boxes that take a reading or a distance (txtMiles,
// txtLastChanged, txtChangeAfter): the digits and backspace (8) are kept, every other
// key is dropped silently, the decimal point, the minus sign and Enter included.
constexpr char32_t BackspaceKey = 8;

constexpr bool keepsReadingKey(char32_t key)
{
    return (key >= U'0' && key <= U'9') || key == BackspaceKey;
}
