#pragma once

#include <string>
#include <string_view>
#include <vector>

// The fixed list of currency codes offered by cmbCur. The code is a label only: the
// program never converts between currencies. Entries repeat on purpose (USD stands at
// 0, 13, 14 and 124), because stored "icur" indexes point into exactly this list.
class CurrencyList {
public:
    static constexpr int Count = 142;

    // The entries in the order the box shows them, repeats included.
    static const std::vector<std::string>& FillCurrencyList();

    // The code at an index, or the empty text for an index outside the list.
    static std::string codeAt(int index);

    // The selection a stored "icur" text makes: its index, or -1 (nothing selected)
    // when the text is not a whole number or lies outside the list.
    static int selectionOf(std::string_view storedIndex);
};
