#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Colours as the platform keeps them: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;
constexpr Colour ColourBlack = 0x000000;
constexpr Colour ColourRed = 0x0000FF;
constexpr Colour ColourAmber = 0x00BFFF;

// One row of a report list as the domain describes it: the row text, the texts of
// the further columns, the icon (index into the list's image list, from 1), the
// fore colour, the bold flag and the tool tip (none when empty).
struct ListRow {
    std::string text;
    std::vector<std::string> subItems;
    int icon = 1;
    Colour colour = ColourBlack;
    bool bold = false;
    std::string toolTip {};

    bool operator==(const ListRow&) const = default;
};

// The row text of a stored name: one blank followed by the name in upper case.
std::string rowTextOf(std::string_view name);
