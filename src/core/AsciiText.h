#pragma once

#include <string>
#include <string_view>

// Text helpers for names and typed values. Case rules are ASCII only: the data file
// and the registry compare names that way, so nothing else may fold other letters.
namespace AsciiText {

// Without blanks (character 32 only) at either end.
std::string_view trimSpaces(std::string_view text);

char lower(char c);
std::string lower(std::string_view text);
std::string upper(std::string_view text);

// Equal without regard to the case of ASCII letters.
bool sameIgnoringCase(std::string_view a, std::string_view b);

} // namespace AsciiText
