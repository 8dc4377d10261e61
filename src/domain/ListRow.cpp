#include "domain/ListRow.h"

std::string rowTextOf(const std::string& name)
{
    std::string text = " ";
    text.reserve(name.size() + 1);
    for (char c : name)
        text.push_back((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c);
    return text;
}
