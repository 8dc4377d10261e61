#include "domain/ListRow.h"

#include "core/AsciiText.h"
#include "core/TextEncoding.h"

#include <algorithm>

std::string rowTextOf(const std::string& name)
{
    const bool ascii
        = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return " " + (ascii ? AsciiText::upper(name) : TextEncoding::upper(name));
}
