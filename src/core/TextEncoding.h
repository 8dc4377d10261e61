#pragma once

#include <optional>
#include <string>
#include <string_view>

// The data file's characters. The program's texts are UTF-8; a data file is UTF-8 when
// its bytes are valid UTF-8, and otherwise Windows-1252, the code page of the machines
// the program came from. Names compare without regard to case, non-ASCII letters
// included ("öl" and "ÖL" are one name), as they did there.
namespace TextEncoding {

bool isValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined stand for
// the control characters of the same number, so every byte comes back unchanged.
std::string fromWindows1252(std::string_view bytes);

// UTF-8 as Windows-1252 bytes; nothing when a character has no byte there.
std::optional<std::string> toWindows1252(std::string_view utf8);

// Every letter of a UTF-8 text in upper case (each character mapped on its own, as
// the platform's upper-case function does: "ß" stays "ß").
std::string upper(std::string_view utf8);

} // namespace TextEncoding
