#include "domain/ComboAutoComplete.h"

#include "core/AsciiText.h"

#include <algorithm>

namespace {

constexpr int KeyBackspace = 8;
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;
constexpr int KeyPoint = 46;

ComboKeyResult emptied(ComboBoxState box)
{
    box.text.clear();
    box.selStart = 0;
    box.selLength = 0;
    box.index = -1;
    return {box, false, false};
}

ComboKeyResult search(const std::vector<std::string>& entries, const ComboBoxState& box, const std::string& wanted)
{
    const std::string key = AsciiText::lower(wanted);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        if (entry.size() >= key.size() && AsciiText::lower(entry.substr(0, key.size())) == key) {
            ComboBoxState found;
            found.index = static_cast<int>(i);
            found.text = entry;
            found.selStart = static_cast<int>(key.size());
            found.selLength = static_cast<int>(entry.size() - key.size());
            return {found, false, false};
        }
    }
    return {box, false, true};
}

} // namespace

ComboKeyResult ComboAutoComplete(const std::vector<std::string>& entries, const ComboBoxState& box, int keyAscii)
{
    const std::size_t insertion = box.selStart < 0 ? 0 : static_cast<std::size_t>(box.selStart);
    const std::string typed = box.text.substr(0, std::min(insertion, box.text.size()));

    switch (keyAscii) {
    case KeyEnter:
        if (box.index >= 0 && static_cast<std::size_t>(box.index) < entries.size()) {
            ComboBoxState whole = box;
            whole.selStart = 0;
            whole.selLength = static_cast<int>(entries[static_cast<std::size_t>(box.index)].size());
            return {whole, true, false};
        }
        return search(entries, box, std::string());
    case KeyEscape:
    case KeyPoint:
        return emptied(box);
    case KeyBackspace:
        if (typed.size() < 2)
            return emptied(box);
        return search(entries, box, typed.substr(0, typed.size() - 1));
    default:
        if (keyAscii <= 0 || keyAscii > 255)
            return {box, false, true};
        return search(entries, box, typed + static_cast<char>(keyAscii));
    }
}
