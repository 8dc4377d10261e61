#include "core/TextEncoding.h"

#include <cstdint>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <cwctype>
#include <locale.h>
#endif

namespace {

// The code points of bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char32_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
    0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The length of the UTF-8 sequence at `i`, or 0 when it is not a valid one.
std::size_t sequenceAt(std::string_view bytes, std::size_t i, char32_t& c)
{
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and code points past Unicode are not UTF-8.
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

std::u32string decode(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = sequenceAt(utf8, i, c);
        out.push_back(length ? c : 0xFFFD);
        i += length ? length : 1;
    }
    return out;
}

char32_t upperOf(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
#ifdef _WIN32
    if (c > 0xFFFF)
        return c;
    wchar_t in = static_cast<wchar_t>(c);
    wchar_t out = in;
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &in, 1, &out, 1, nullptr, nullptr, 0);
    return static_cast<char32_t>(out);
#else
    // The C.UTF-8 locale maps every letter whatever the user's locale; glibc always has it.
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8)
        return c;
    return static_cast<char32_t>(::towupper_l(static_cast<wint_t>(c), utf8));
#endif
}

} // namespace

namespace TextEncoding {

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = sequenceAt(bytes, i, c);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string fromWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char32_t {b});
    }
    return out;
}

std::optional<std::string> toWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (const char32_t c : decode(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        std::size_t at = 0;
        while (at < 32 && kHighControls[at] != c)
            ++at;
        if (at == 32)
            return std::nullopt;
        out.push_back(static_cast<char>(0x80 + at));
    }
    return out;
}

std::string upper(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = sequenceAt(utf8, i, c);
        if (length == 0) { // not UTF-8: the byte as it is
            out.push_back(utf8[i++]);
            continue;
        }
        if (length == 1)
            out.push_back(static_cast<char>(upperOf(c)));
        else
            appendUtf8(out, upperOf(c));
        i += length;
    }
    return out;
}

} // namespace TextEncoding
