#include "domain/ListRow.h"

#include "core/TextEncoding.h"

#include <algorithm>

std::string rowTextOf(std::string_view name)
{
    const bool ascii
        = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii)
        return " " + TextEncoding::upper(name);
    // Lists of thousands of rows: one allocation a row.
    std::string text(name.size() + 1, ' ');
    std::transform(name.begin(), name.end(), text.begin() + 1,
        [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}
