#ifndef _WIN32

#include "registry/FileRegistryStore.h"

#include "core/AsciiText.h"
#include "core/DurableFile.h"
#include "domain/StartupRegistry.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// The roots by handle less 0x80000000; the performance data root (4) has no place here.
const char* const kRoots[]
    = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS", "", "HKEY_CURRENT_CONFIG"};
const std::string kRunSection = std::string("HKEY_CURRENT_USER\\") + StartupRegistry::RunKey;

// What the INI format would trim or split at is written as %XX, and so are "%" and every
// byte past ASCII (the file stays plain ASCII, whatever the data). Names also never hold
// "=", "\" or brackets, nor start like a comment or like "@", which alone stands for the
// default value's empty name.
std::string encode(const std::string& text, bool name)
{
    return name && text.empty() ? "@" : AsciiText::percentEncode(text, [name](unsigned char c, std::size_t i) {
        return c <= ' ' || c >= 0x7F || c == '%'
            || (name && (c == '=' || c == '\\' || c == '[' || c == ']' || (i == 0 && (c == ';' || c == '@'))));
    });
}

// The first name that matches without regard to case, as the registry matches names.
std::optional<std::string> find(const Names& names, const std::string& name)
{
    for (const std::string& candidate : names) {
        if (AsciiText::sameIgnoringCase(candidate, name))
            return candidate;
    }
    return std::nullopt;
}

long pick(const Names& names, std::uint32_t index, std::string& name)
{
    return index < names.size() ? (name = names[index], RegistryStore::StatusOk) : RegistryStore::StatusNoMoreItems;
}

// The escapes of a desktop entry's string values, and what they stand for.
constexpr std::string_view kEscaped = "\\\n\t\r";
constexpr std::string_view kEscapes = "\\ntr";

std::string escapeString(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (const auto at = kEscaped.find(c); at != std::string_view::npos)
            out += {'\\', kEscapes[at]};
        else if (c != '\0')
            out += c;
    }
    return out.empty() || out.front() != ' ' ? out : "\\s" + out.substr(1);
}

// The arguments of a command line as the platform writes it ("C:\dir\prog.exe" /s):
// split at blanks outside double quotes, the quotes removed.
std::vector<std::string> arguments(const std::string& line)
{
    const auto isBlank = [&](std::size_t i) { return line[i] == ' ' || line[i] == '\t'; };
    std::vector<std::string> found;
    for (std::size_t i = 0; i < line.size();) {
        if (isBlank(i) && ++i)
            continue;
        std::string argument;
        for (bool quoted = false; i < line.size() && (quoted || !isBlank(i)); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else
                argument += line[i];
        }
        found.push_back(argument);
    }
    return found;
}

// The value of an Exec key: an argument with reserved characters quoted, and in quotes
// `"`, `` ` ``, `$` and `\` escaped; every `%` doubled, as it is no field code.
std::string execValue(const std::string& command)
{
    std::string exec;
    for (const std::string& argument : arguments(command)) {
        const bool quote = argument.empty() || argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
        exec += exec.empty() ? (quote ? "\"" : "") : (quote ? " \"" : " ");
        for (const char c : argument) {
            if (quote && std::string_view("\"`$\\").find(c) != std::string_view::npos)
                exec += '\\';
            exec += c == '%' ? "%%" : std::string(1, c);
        }
        exec += quote ? "\"" : "";
    }
    return escapeString(exec);
}

// The autostart file of a Run value: characters a file name cannot hold, "%" and a
// leading "." are written as %XX.
std::string entryFileName(const std::string& valueName)
{
    return AsciiText::percentEncode(valueName, [](unsigned char c, std::size_t i) {
        return c < 0x20 || c == 0x7F || c == '/' || c == '%' || (i == 0 && c == '.');
    }) + ".desktop";
}

// An XDG autostart entry that runs a command line as the platform writes it; one with
// no command is hidden, so it runs nothing.
std::string entryText(const std::string& valueName, const std::string& command)
{
    return "[Desktop Entry]\nType=Application\nName=" + escapeString(valueName) + "\n"
        + (arguments(command).empty() ? "Hidden=true\n" : "Exec=" + execValue(command) + "\n");
}

} // namespace

// A key, by its section. Every call reads the file again; ProfileStore answers from a
// parsed copy while the file is unchanged.
class FileRegistryStore::OpenKey : public RegistryKey {
public:
    OpenKey(FileRegistryStore& store, std::string section)
        : m_store(store)
        , m_profile(store.m_profile)
        , m_file(store.m_filePath)
        , m_section(std::move(section))
    {
    }

    long setValue(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        const std::string stored = find(names(Values), name).value_or(name);
        const std::string text = std::to_string(type) + ":" + encode(data, false);
        if (!m_profile.writeString(m_file, m_section, encode(name, true), text).ok)
            return StatusAccessDenied;
        return syncEntry(stored, type, data);
    }

    long queryValue(const std::string& name, std::uint32_t& type, std::string& data) override
    {
        std::string text;
        m_profile.getString(m_file, m_section, encode(name, true), "", std::string::npos, text);
        const std::size_t colon = std::min(text.find(':'), text.size());
        std::uint32_t number = 0;
        if (colon == 0 || colon == text.size()
            || std::from_chars(text.data(), text.data() + colon, number).ptr != text.data() + colon)
            return StatusFileNotFound;
        type = number;
        data = AsciiText::percentDecode(std::string_view(text).substr(colon + 1));
        return StatusOk;
    }

    long deleteValue(const std::string& name) override
    {
        const std::optional<std::string> stored = find(names(Values), name);
        if (!stored) {
            // An entry of the Run key goes with its value, even one this file never held.
            syncEntry(name, RegNone, {});
            return StatusFileNotFound;
        }
        if (!m_profile.writeString(m_file, m_section, encode(name, true), std::nullopt).ok)
            return StatusAccessDenied;
        return syncEntry(*stored, RegNone, {});
    }

    long enumValue(std::uint32_t index, std::string& name) override { return pick(names(Values), index, name); }
    long enumKey(std::uint32_t index, std::string& name) override { return pick(names(SubKeys), index, name); }

    // A root always exists; another key while its section does.
    long exists() { return isRoot() || find(names(Self), "") ? StatusOk : StatusFileNotFound; }

    // Adds the key and each missing key above it; a root needs no section.
    long create()
    {
        bool ok = DurableFile::makeFolders(DurableFile::parentFolder(m_file));
        for (std::size_t end = m_section.find('\\'); ok && end != std::string::npos;) {
            end = m_section.find('\\', end + 1);
            ok = m_profile.addSection(m_file, m_section.substr(0, end)).ok;
        }
        return ok ? StatusOk : StatusAccessDenied;
    }

    // Deletes a key that has no sub-keys, its values first (and so their autostart entries).
    long remove()
    {
        if (const long status = exists(); status != StatusOk || isRoot() || !names(SubKeys).empty())
            return status != StatusOk ? status : StatusAccessDenied;
        for (const std::string& value : names(Values)) {
            if (const long status = deleteValue(value); status != StatusOk)
                return status;
        }
        return m_profile.deleteSection(m_file, m_section).ok ? StatusOk : StatusAccessDenied;
    }

private:
    bool isRoot() const { return m_section.find('\\') == std::string::npos; }

    // The decoded names of this key's values, or the rest of each section name after this
    // key's own (empty for its own section) or after its path and a "\\" (its sub-keys).
    enum List { Values, Self, SubKeys };
    Names names(List what)
    {
        std::string list;
        what == Values ? m_profile.getKeyList(m_file, m_section, std::string::npos, list)
                       : m_profile.getSectionNames(m_file, std::string::npos, list);
        const std::string prefix = what == Values ? "" : what == Self ? m_section : m_section + "\\";
        Names found;
        for (std::size_t at = 0, end; (end = list.find('\0', at)) != std::string::npos && end > at; at = end + 1) {
            const std::string name = list.substr(at, end - at);
            if (AsciiText::sameIgnoringCase(name.substr(0, prefix.size()), prefix)
                && name.find('\\', prefix.size()) == std::string::npos)
                found.push_back(name == "@" ? "" : AsciiText::percentDecode(name.substr(prefix.size())));
        }
        return found;
    }

    // Keeps the autostart entry of a value of the current user's Run key in step: the
    // command of a text, no file for anything else.
    long syncEntry(const std::string& name, std::uint32_t type, const std::string& data)
    {
        const std::string file = m_store.m_autostartFolder + "/" + entryFileName(name);
        if (name.empty() || !AsciiText::sameIgnoringCase(m_section, kRunSection))
            return StatusOk;
        if (type != RegSz && type != RegExpandSz)
            return ::unlink(file.c_str()) == 0 || errno == ENOENT ? StatusOk : StatusAccessDenied;
        std::string command = data.substr(0, data.find('\0'));
        if (type == RegExpandSz)
            command = m_store.expandEnvironmentStrings(command);
        const std::string text = entryText(name, command);
        std::string present;
        if (DurableFile::readAll(file, present) == 0 && present == text)
            return StatusOk; // written already: no write at all
        return DurableFile::makeFolders(m_store.m_autostartFolder) && DurableFile::replace(file, text, 0644) == 0
            ? StatusOk
            : StatusAccessDenied;
    }

    FileRegistryStore& m_store;
    ProfileStore& m_profile;
    const std::string& m_file;
    std::string m_section;
};

std::string FileRegistryStore::configHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const passwd* user = home && *home ? nullptr : ::getpwuid(::getuid());
    home = user && user->pw_dir ? user->pw_dir : home ? home : "";
    return xdg && xdg[0] == '/' ? xdg : home + std::string("/.config");
}

// Names the key a caller asks for (on this computer, under a known root, by a valid
// path), then takes `step` on it; the key is handed out when both succeed.
long FileRegistryStore::open(const std::string& machine, std::int32_t root, const std::string& path,
    long (OpenKey::*step)(), std::unique_ptr<RegistryKey>& key)
{
    const std::uint32_t index = static_cast<std::uint32_t>(root) - 0x80000000u;
    key.reset();
    if (!machine.empty())
        return StatusBadNetPath;
    if (index >= std::size(kRoots) || !*kRoots[index])
        return StatusInvalidHandle;
    std::string section = kRoots[index];
    for (std::size_t begin = 0, end; begin < path.size(); begin = end + 1) { // a single trailing "\" ends the path
        end = std::min(path.find('\\', begin), path.size());
        if (end == begin || end - begin > 255)
            return end == begin ? StatusBadPathname : StatusInvalidParameter;
        section += "\\" + encode(path.substr(begin, end - begin), true);
    }
    auto opened = std::make_unique<OpenKey>(*this, section);
    const long status = ((*opened).*step)();
    if (status == StatusOk)
        key = std::move(opened);
    return status;
}

long FileRegistryStore::createKey(const std::string& machine, std::int32_t root, const std::string& path,
    std::uint32_t /*access*/, std::unique_ptr<RegistryKey>& key)
{
    return open(machine, root, path, &OpenKey::create, key);
}

long FileRegistryStore::openKey(const std::string& machine, std::int32_t root, const std::string& path,
    std::uint32_t /*access*/, std::unique_ptr<RegistryKey>& key)
{
    return open(machine, root, path, &OpenKey::exists, key);
}

long FileRegistryStore::deleteKey(const std::string& machine, std::int32_t root, const std::string& path)
{
    std::unique_ptr<RegistryKey> key;
    return open(machine, root, path, &OpenKey::remove, key);
}

std::string FileRegistryStore::expandEnvironmentStrings(const std::string& text)
{
    std::string out;
    std::size_t done = 0;
    for (std::size_t open, close; (open = text.find('%', done)) != std::string::npos
         && (close = text.find('%', open + 1)) != std::string::npos;) {
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        // An unknown name stays as written; its closing "%" may open the next one.
        out += text.substr(done, open - done) + (value ? std::string(value) : text.substr(open, close - open));
        done = value ? close + 1 : close;
    }
    return out + text.substr(done);
}

std::unique_ptr<RegistryStore> RegistryStore::createDefault()
{
    return std::make_unique<FileRegistryStore>(FileRegistryStore::defaultFilePath());
}

#endif
