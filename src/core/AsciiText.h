#pragma once

#include <functional>
#include <string>
#include <string_view>

// Text helpers for names and typed values. Case rules are ASCII only: the data file
// and the registry compare names that way, so nothing else may fold other letters.
namespace AsciiText {

// The blank characters: the space alone, and every ASCII white space.
inline constexpr std::string_view Spaces = " ";
inline constexpr std::string_view Blanks = " \t\r\n\v\f";

// Without any of `chars` at either end.
std::string_view trim(std::string_view text, std::string_view chars = Spaces);

char lower(char c);
std::string lower(std::string_view text);
std::string upper(std::string_view text);

// Equal without regard to the case of ASCII letters.
bool sameIgnoringCase(std::string_view a, std::string_view b);

// Where the line that starts at `from` ends: the first CR or LF at or after it, or the
// text's size. (A plain loop: find_first_of calls memchr once per character.)
inline std::size_t lineEnd(std::string_view text, std::size_t from)
{
    while (from < text.size() && text[from] != '\r' && text[from] != '\n')
        ++from;
    return from;
}

// Percent encoding: each byte for which `escape(byte, position)` is true becomes "%XX"
// (upper-case hexadecimal). Decoding turns every well-formed "%XX" back into its byte
// and keeps anything else as written.
std::string percentEncode(std::string_view text, const std::function<bool(unsigned char, std::size_t)>& escape);
std::string percentDecode(std::string_view text);

} // namespace AsciiText
