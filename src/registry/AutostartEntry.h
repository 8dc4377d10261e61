#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A value of the per-user Run key as an XDG autostart entry: the file
// "<value name>.desktop" whose Exec line runs the value's command at log-in.
//
// The file also keeps the value's registry type and data in two keys of our own,
// so that reading the value back gives exactly what was written. An entry made by
// another program has only its Exec line, which is read back as the command.
class AutostartEntry {
public:
    static constexpr const char* TypeKey = "X-Wheelbook-Registry-Type";
    static constexpr const char* DataKey = "X-Wheelbook-Registry-Data";

    // The file name for a value name, and back. Characters a file name cannot hold
    // (and "%" itself, and a leading ".") are written as %XX.
    static std::string fileNameFor(const std::string& valueName);
    // Empty for a file that is not an entry ("*.desktop", not hidden).
    static std::optional<std::string> valueNameOf(const std::string& fileName);

    // The file's content for a value. `command` is the text to run (already expanded
    // for an expandable text); an entry with no command is written hidden, so it runs nothing.
    static std::string fileText(
        const std::string& valueName, std::uint32_t type, const std::string& data, const std::string& command);

    struct Value {
        std::uint32_t type = 0;
        std::string data;
    };
    // The value an entry holds; empty when the file is no entry that runs anything
    // (another program's hidden entry, or no Exec line).
    static std::optional<Value> parse(const std::string& fileText);

    // A command line as the platform writes it ("C:\dir\prog.exe" /s): arguments split at
    // blanks outside double quotes, the quotes removed.
    static std::vector<std::string> splitCommandLine(const std::string& command);
    // The value of an Exec key that runs that command, quoted and escaped for a desktop entry.
    static std::string execValue(const std::string& command);
    // The command an Exec value runs, written back as a command line with the program quoted.
    static std::string commandOfExec(const std::string& execValue);
};
