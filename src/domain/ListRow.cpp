#include "domain/ListRow.h"

#include "core/TextEncoding.h"

std::string rowTextOf(std::string_view name)
{
    // Lists of thousands of rows: one pass and at most one allocation a row.
    std::string text(name.size() + 1, ' ');
    char* out = text.data() + 1;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            text = TextEncoding::upper(name);
            text.insert(text.begin(), ' ');
            return text;
        }
        *out++ = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}
