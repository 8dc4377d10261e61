#pragma once

#include <string>
#include <vector>

// An editable combo box as the type-ahead sees it.
struct ComboBoxState {
    std::string text;
    int selStart = 0; // the insertion point
    int selLength = 0;
    int index = -1; // the selected entry, -1 for none
    bool operator==(const ComboBoxState&) const = default;
};

struct ComboKeyResult {
    ComboBoxState box;
    bool keepKey = false; // no: the key is dropped, the box itself inserts nothing
    bool beep = false;
};

// Type-ahead over a fixed list: the box shows an entry of the list or nothing. The
// typed part (the text before the insertion point) plus the key chooses the first
// entry that begins with it, in any case, and the rest of that entry is selected.
// Enter keeps the entry (or chooses the first one in an empty box), Escape and "."
// empty the box, backspace steps back one character. No match: a beep, no change.
ComboKeyResult ComboAutoComplete(const std::vector<std::string>& entries, const ComboBoxState& box, int keyAscii);
