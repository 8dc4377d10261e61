#include "registry/AutostartEntry.h"

#include "core/Numbers.h"
#include "registry/HexText.h"

#include <algorithm>
#include <string_view>

namespace {

const std::string kSuffix = ".desktop";

// The escapes of a desktop entry's string values.
std::string escapeString(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            break;
        default:
            out.push_back(c);
        }
    }
    if (!out.empty() && out.front() == ' ')
        out.replace(0, 1, "\\s");
    return out;
}

std::string unescapeString(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case 's':
            out.push_back(' ');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case '\\':
            out.push_back('\\');
            break;
        default:
            out.push_back('\\');
            out.push_back(next);
        }
    }
    return out;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Characters that oblige an Exec argument to be quoted.
bool isReserved(char c)
{
    return std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos;
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string AutostartEntry::fileNameFor(const std::string& valueName)
{
    std::string name;
    for (std::size_t i = 0; i < valueName.size(); ++i) {
        const auto c = static_cast<unsigned char>(valueName[i]);
        if (c < 0x20 || c == 0x7F || c == '/' || c == '%' || (i == 0 && c == '.')) {
            name.push_back('%');
            name.push_back(HexText::digit(c >> 4));
            name.push_back(HexText::digit(c));
        } else {
            name.push_back(static_cast<char>(c));
        }
    }
    return name + kSuffix;
}

std::optional<std::string> AutostartEntry::valueNameOf(const std::string& fileName)
{
    if (fileName.size() <= kSuffix.size() || fileName.front() == '.'
        || fileName.compare(fileName.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return std::nullopt;
    const std::string_view base(fileName.data(), fileName.size() - kSuffix.size());
    std::string name;
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (base[i] == '%' && i + 2 < base.size()) {
            const int high = HexText::digitValue(base[i + 1]);
            const int low = HexText::digitValue(base[i + 2]);
            if (high >= 0 && low >= 0) {
                name.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        name.push_back(base[i]);
    }
    return name;
}

std::string AutostartEntry::fileText(
    const std::string& valueName, std::uint32_t type, const std::string& data, const std::string& command)
{
    std::string text = "[Desktop Entry]\nType=Application\nName=" + escapeString(valueName) + "\n";
    if (splitCommandLine(command).empty())
        text += "Hidden=true\n";
    else
        text += "Exec=" + execValue(command) + "\n";
    text += std::string(TypeKey) + "=" + numberToText(static_cast<std::int64_t>(type)) + "\n";
    text += std::string(DataKey) + "=" + HexText::encode(data) + "\n";
    return text;
}

std::optional<AutostartEntry::Value> AutostartEntry::parse(const std::string& fileText)
{
    std::optional<std::string> exec;
    std::optional<std::string> type;
    std::optional<std::string> data;
    bool hidden = false;
    bool inEntry = false;
    std::size_t pos = 0;
    while (pos < fileText.size()) {
        auto end = fileText.find('\n', pos);
        if (end == std::string::npos)
            end = fileText.size();
        const std::string_view line = trim(std::string_view(fileText).substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inEntry = (line == "[Desktop Entry]");
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos)
            continue;
        const std::string_view key = trim(line.substr(0, equals));
        const std::string value(trim(line.substr(equals + 1)));
        if (key == "Exec")
            exec = value;
        else if (key == "Hidden")
            hidden = (value == "true");
        else if (key == TypeKey)
            type = value;
        else if (key == DataKey)
            data = value;
    }

    if (type && data) {
        const auto number = wholeNumber64(*type);
        const auto bytes = HexText::decode(*data);
        if (number && *number >= 0 && *number <= 0xFFFFFFFF && bytes)
            return Value {static_cast<std::uint32_t>(*number), *bytes};
    }
    if (hidden || !exec)
        return std::nullopt;
    std::string command = commandOfExec(*exec);
    if (command.empty())
        return std::nullopt;
    command.push_back('\0');
    return Value {1, command};
}

std::vector<std::string> AutostartEntry::splitCommandLine(const std::string& command)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < command.size()) {
        while (i < command.size() && isBlank(command[i]))
            ++i;
        if (i == command.size())
            break;
        std::string argument;
        bool quoted = false;
        while (i < command.size() && (quoted || !isBlank(command[i]))) {
            if (command[i] == '"')
                quoted = !quoted;
            else
                argument.push_back(command[i]);
            ++i;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string AutostartEntry::execValue(const std::string& command)
{
    std::string exec;
    for (const std::string& argument : splitCommandLine(command)) {
        if (!exec.empty())
            exec.push_back(' ');
        const bool quote = argument.empty() || std::any_of(argument.begin(), argument.end(), isReserved);
        if (quote)
            exec.push_back('"');
        for (const char c : argument) {
            if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
                exec.push_back('\\');
            exec.push_back(c);
            // A literal percent sign, not a field code.
            if (c == '%')
                exec.push_back('%');
        }
        if (quote)
            exec.push_back('"');
    }
    return escapeString(exec);
}

std::string AutostartEntry::commandOfExec(const std::string& execValue)
{
    const std::string exec = unescapeString(execValue);
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < exec.size()) {
        while (i < exec.size() && isBlank(exec[i]))
            ++i;
        if (i == exec.size())
            break;
        std::string argument;
        bool quoted = false;
        bool fieldCodeOnly = true;
        while (i < exec.size() && (quoted || !isBlank(exec[i]))) {
            const char c = exec[i];
            if (c == '"') {
                quoted = !quoted;
                fieldCodeOnly = false;
            } else if (quoted && c == '\\' && i + 1 < exec.size()) {
                argument.push_back(exec[++i]);
                fieldCodeOnly = false;
            } else if (c == '%' && i + 1 < exec.size()) {
                // "%%" is a percent sign; other field codes expand to nothing at log-in.
                if (exec[++i] == '%') {
                    argument.push_back('%');
                    fieldCodeOnly = false;
                }
            } else {
                argument.push_back(c);
                fieldCodeOnly = false;
            }
            ++i;
        }
        if (!(fieldCodeOnly && argument.empty()))
            arguments.push_back(argument);
    }

    std::string command;
    for (std::size_t n = 0; n < arguments.size(); ++n) {
        const std::string& argument = arguments[n];
        if (n > 0)
            command.push_back(' ');
        const bool quote = n == 0 || argument.empty() || std::any_of(argument.begin(), argument.end(), isBlank);
        command += quote ? "\"" + argument + "\"" : argument;
    }
    return command;
}
