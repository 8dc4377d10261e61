#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Colours as the platform keeps them: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;
constexpr Colour ColourBlack = 0x000000;
constexpr Colour ColourRed = 0x0000FF;
constexpr Colour ColourAmber = 0x00BFFF;

// The texts of a row's further columns, kept in the row itself: a list of thousands of
// rows then costs no allocation a row for them. The program's lists have at most three
// columns, so a row has at most two further texts; asking for more throws.
class SubItems {
public:
    static constexpr std::size_t Capacity = 2;
    using iterator = std::string*;
    using const_iterator = const std::string*;

    SubItems() = default;
    SubItems(std::initializer_list<std::string> texts);

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::string& operator[](std::size_t i) { return m_texts[i]; }
    const std::string& operator[](std::size_t i) const { return m_texts[i]; }
    const std::string& front() const { return m_texts[0]; }
    iterator begin() { return m_texts.data(); }
    iterator end() { return m_texts.data() + m_size; }
    const_iterator begin() const { return m_texts.data(); }
    const_iterator end() const { return m_texts.data() + m_size; }

    std::string& emplace_back();
    void push_back(std::string text) { emplace_back() = std::move(text); }
    // Empty texts are added; texts past the new size are dropped.
    void resize(std::size_t size);

    bool operator==(const SubItems& other) const;

private:
    std::array<std::string, Capacity> m_texts {};
    std::size_t m_size = 0;
};

// One row of a report list as the domain describes it: the row text, the texts of
// the further columns, the icon (index into the list's image list, from 1), the
// fore colour, the bold flag and the tool tip (none when empty).
struct ListRow {
    // Constructors of its own: a row made in place in a list of thousands is not first
    // cleared to zeros, as a row without them would be.
    ListRow() { }
    ListRow(std::string text, SubItems subItems, int icon = 1, Colour colour = ColourBlack, bool bold = false,
        std::string toolTip = {})
        : text(std::move(text))
        , subItems(std::move(subItems))
        , icon(icon)
        , colour(colour)
        , bold(bold)
        , toolTip(std::move(toolTip))
    {
    }

    std::string text;
    SubItems subItems;
    int icon = 1;
    Colour colour = ColourBlack;
    bool bold = false;
    std::string toolTip {};

    bool operator==(const ListRow&) const = default;
};

// The row text of a stored name: one blank followed by the name in upper case.
std::string rowTextOf(std::string_view name);
