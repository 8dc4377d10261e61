#pragma once

#include <optional>
#include <string>
#include <string_view>

// Bytes as upper-case hexadecimal digits, two per byte, and back: how the registry's
// files keep value data exactly.
class HexText {
public:
    static std::string encode(std::string_view bytes);
    // Empty when the text is not an even number of hexadecimal digits.
    static std::optional<std::string> decode(std::string_view text);
    // 0 to 15, or -1 for anything that is not a hexadecimal digit.
    static int digitValue(char c);
    static char digit(int value) { return "0123456789ABCDEF"[value & 0xF]; }
};
