#ifndef _WIN32

#include "registry/FileRegistryStore.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "registry/AtomicFile.h"
#include "registry/AutostartEntry.h"
#include "registry/HexText.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using Path = std::vector<std::string>;

struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

struct Key {
    std::int32_t root = 0;
    Path path;
    std::vector<Value> values;
};

// Every key of the file, in the order they were made.
struct Hive {
    std::vector<Key> keys;
};

// An autostart entry read back as a value of the Run key.
struct Entry {
    std::string fileName;
    std::string name;
    AutostartEntry::Value value;
};

const char* const kHeader = "Wheelbook registry 1";
constexpr std::size_t kMaxKeyNameLength = 255;

struct RootName {
    std::int32_t root;
    const char* name;
};
constexpr std::array<RootName, 5> kRoots {{
    {RegistryStore::HKeyClassesRoot, "HKEY_CLASSES_ROOT"},
    {RegistryStore::HKeyCurrentUser, "HKEY_CURRENT_USER"},
    {RegistryStore::HKeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {RegistryStore::HKeyUsers, "HKEY_USERS"},
    {RegistryStore::HKeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
}};

const char* rootName(std::int32_t root)
{
    for (const RootName& entry : kRoots) {
        if (entry.root == root)
            return entry.name;
    }
    return nullptr;
}

bool startsWith(const Path& path, const Path& prefix)
{
    if (prefix.size() > path.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (!AsciiText::sameIgnoringCase(path[i], prefix[i]))
            return false;
    }
    return true;
}

bool samePath(const Path& a, const Path& b)
{
    return a.size() == b.size() && startsWith(a, b);
}

const Path& runPath()
{
    static const Path path {"Software", "Microsoft", "Windows", "CurrentVersion", "Run"};
    return path;
}

bool isRunKey(std::int32_t root, const Path& path)
{
    return root == RegistryStore::HKeyCurrentUser && samePath(path, runPath());
}

// The Run key or a key above it: these always exist.
bool isRunOrAbove(std::int32_t root, const Path& path)
{
    return root == RegistryStore::HKeyCurrentUser && !path.empty() && startsWith(runPath(), path);
}

long parsePath(const std::string& text, Path& path)
{
    path.clear();
    if (text.empty())
        return RegistryStore::StatusOk;
    if (text.front() == '\\')
        return RegistryStore::StatusBadPathname;
    std::size_t begin = 0;
    while (begin < text.size()) {
        auto end = text.find('\\', begin);
        if (end == std::string::npos)
            end = text.size();
        if (end == begin)
            return RegistryStore::StatusBadPathname;
        if (end - begin > kMaxKeyNameLength)
            return RegistryStore::StatusInvalidParameter;
        path.push_back(text.substr(begin, end - begin));
        begin = end + 1; // a single trailing backslash ends the path
    }
    return RegistryStore::StatusOk;
}

Key* findKey(Hive& hive, std::int32_t root, const Path& path)
{
    for (Key& key : hive.keys) {
        if (key.root == root && samePath(key.path, path))
            return &key;
    }
    return nullptr;
}

// Adds the key and every missing key above it; true when anything was added.
bool ensureKey(Hive& hive, std::int32_t root, const Path& path)
{
    bool added = false;
    for (std::size_t length = 1; length <= path.size(); ++length) {
        const Path prefix(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(length));
        if (!findKey(hive, root, prefix)) {
            hive.keys.push_back(Key {root, prefix, {}});
            added = true;
        }
    }
    return added;
}

Value* findValue(Key& key, const std::string& name)
{
    for (Value& value : key.values) {
        if (AsciiText::sameIgnoringCase(value.name, name))
            return &value;
    }
    return nullptr;
}

bool eraseValue(Key& key, const std::string& name)
{
    const auto it = std::find_if(key.values.begin(), key.values.end(),
        [&](const Value& value) { return AsciiText::sameIgnoringCase(value.name, name); });
    if (it == key.values.end())
        return false;
    key.values.erase(it);
    return true;
}

// Names in the file: "%XX" for blanks, control characters and "%" (and "@", which
// alone stands for a key's default value).
std::string encodeName(const std::string& text, bool valueName)
{
    if (valueName && text.empty())
        return "@";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '%' || (valueName && c == '@')) {
            out.push_back('%');
            out.push_back(HexText::digit(byte >> 4));
            out.push_back(HexText::digit(byte));
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool decodeName(std::string_view text, bool valueName, std::string& out)
{
    out.clear();
    if (valueName && text == "@")
        return true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int high = HexText::digitValue(text[i + 1]);
        const int low = HexText::digitValue(text[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return !out.empty() || valueName;
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    for (;;) {
        const auto end = line.find(' ', begin);
        parts.push_back(line.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        if (end == std::string_view::npos)
            return parts;
        begin = end + 1;
    }
}

// "key HKEY_CURRENT_USER\Software\Wheelbook", then its values:
// "value <name> <type> <data in hex>".
std::string serialize(const Hive& hive)
{
    std::string text = std::string(kHeader) + "\n";
    for (const Key& key : hive.keys) {
        text += "key ";
        text += rootName(key.root);
        for (const std::string& part : key.path)
            text += "\\" + encodeName(part, false);
        text += "\n";
        for (const Value& value : key.values) {
            text += "value " + encodeName(value.name, true) + " " + numberToText(static_cast<std::int64_t>(value.type));
            if (!value.data.empty())
                text += " " + HexText::encode(value.data);
            text += "\n";
        }
    }
    return text;
}

bool parseHive(const std::string& text, Hive& hive)
{
    hive.keys.clear();
    std::size_t pos = 0;
    bool first = true;
    Key* current = nullptr;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line = std::string_view(text).substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first) {
            if (line != kHeader)
                return false;
            first = false;
            continue;
        }
        if (line.empty())
            continue;
        const auto parts = fields(line);
        if (parts[0] == "key" && parts.size() == 2) {
            const std::string_view full = parts[1];
            const auto slash = full.find('\\');
            const std::string_view root = full.substr(0, slash);
            const auto known
                = std::find_if(kRoots.begin(), kRoots.end(), [&](const RootName& entry) { return root == entry.name; });
            if (known == kRoots.end())
                return false;
            Path path;
            if (slash != std::string_view::npos) {
                std::size_t begin = slash + 1;
                for (;;) {
                    const auto next = full.find('\\', begin);
                    std::string part;
                    if (!decodeName(
                            full.substr(begin, next == std::string_view::npos ? next : next - begin), false, part))
                        return false;
                    path.push_back(part);
                    if (next == std::string_view::npos)
                        break;
                    begin = next + 1;
                }
            }
            // A key listed twice, or after a key below it, is one key.
            ensureKey(hive, known->root, path);
            current = findKey(hive, known->root, path);
            if (!current) {
                hive.keys.push_back(Key {known->root, path, {}});
                current = &hive.keys.back();
            }
        } else if (parts[0] == "value" && (parts.size() == 3 || parts.size() == 4) && current) {
            Value value;
            const auto type = wholeNumber64(parts[2]);
            if (!decodeName(parts[1], true, value.name) || !type || *type < 0 || *type > 0xFFFFFFFF
                || parts[2].find_first_not_of("0123456789") != std::string_view::npos
                || findValue(*current, value.name))
                return false;
            if (parts.size() == 4) {
                const auto data = HexText::decode(parts[3]);
                if (!data)
                    return false;
                value.data = *data;
            }
            value.type = static_cast<std::uint32_t>(*type);
            current->values.push_back(std::move(value));
        } else {
            return false;
        }
    }
    return !first || text.empty();
}

std::string parentFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A file that cannot be read or understood is never replaced: every operation fails instead.
long loadHive(const std::string& file, Hive& hive)
{
    std::string text;
    const long status = AtomicFile::read(file, text);
    if (status == RegistryStore::StatusFileNotFound)
        hive.keys.clear();
    else if (status != RegistryStore::StatusOk)
        return status;
    else if (!parseHive(text, hive))
        return RegistryStore::StatusRegistryCorrupt;
    ensureKey(hive, RegistryStore::HKeyCurrentUser, runPath());
    return RegistryStore::StatusOk;
}

long saveHive(const std::string& file, const Hive& hive)
{
    if (const long status = AtomicFile::makeFolders(parentFolder(file)); status != RegistryStore::StatusOk)
        return status;
    return AtomicFile::write(file, serialize(hive), 0600);
}

// Every autostart entry of the folder, by file name.
long listEntries(const std::string& folder, std::vector<Entry>& entries)
{
    entries.clear();
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        if (error == std::errc::no_such_file_or_directory)
            return RegistryStore::StatusOk;
        return AtomicFile::statusOfErrno(error.value());
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        const auto name = AutostartEntry::valueNameOf(fileName);
        std::error_code ignored;
        if (!name || !it->is_regular_file(ignored))
            continue;
        std::string text;
        if (AtomicFile::read(it->path().string(), text) != RegistryStore::StatusOk)
            continue;
        if (const auto value = AutostartEntry::parse(text))
            entries.push_back(Entry {fileName, *name, *value});
    }
    if (error)
        return AtomicFile::statusOfErrno(error.value());
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.fileName < b.fileName; });
    return RegistryStore::StatusOk;
}

const Entry* findEntry(const std::vector<Entry>& entries, const std::string& name)
{
    for (const Entry& entry : entries) {
        if (AsciiText::sameIgnoringCase(entry.name, name))
            return &entry;
    }
    return nullptr;
}

// An entry file of that value name, including one that runs nothing, so that a
// write replaces it rather than adding a second file for the same name. Of files
// whose names differ only in case, the first by name is the value, as when listing.
std::string existingEntryFile(const std::string& folder, const std::string& name)
{
    std::string found;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error)
        return {};
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        const auto entryName = AutostartEntry::valueNameOf(fileName);
        if (entryName && AsciiText::sameIgnoringCase(*entryName, name) && (found.empty() || fileName < found))
            found = fileName;
    }
    return found;
}

bool isTextType(std::uint32_t type)
{
    return type == RegistryStore::RegSz || type == RegistryStore::RegExpandSz;
}

// The key a caller names: on this computer, under a known root, by a valid path.
long locate(const std::string& machine, std::int32_t root, const std::string& path, Path& parts)
{
    if (!machine.empty())
        return RegistryStore::StatusBadNetPath;
    if (!rootName(root))
        return RegistryStore::StatusInvalidHandle;
    return parsePath(path, parts);
}

} // namespace

class FileRegistryStore::OpenKey : public RegistryKey {
public:
    OpenKey(FileRegistryStore& store, std::int32_t root, Path path)
        : m_store(store)
        , m_root(root)
        , m_path(std::move(path))
    {
    }

    long setValue(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        Hive hive;
        Key* key = nullptr;
        if (const long status = load(hive, key); status != StatusOk)
            return status;
        const bool run = isRunKey(m_root, m_path);
        if (run && !name.empty() && isTextType(type)) {
            if (const long status = writeEntry(name, type, data); status != StatusOk)
                return status;
            if (key && eraseValue(*key, name))
                return saveHive(m_store.filePath(), hive);
            return StatusOk;
        }
        if (run) {
            // The same name as an entry: the entry gives way to the new value.
            std::vector<Entry> entries;
            if (const long status = listEntries(m_store.autostartFolder(), entries); status != StatusOk)
                return status;
            if (const Entry* entry = findEntry(entries, name)) {
                const long status = AtomicFile::remove(m_store.autostartFolder() + "/" + entry->fileName);
                if (status != StatusOk)
                    return status;
            }
        }
        if (!key) { // a root key holds values too
            hive.keys.push_back(Key {m_root, {}, {}});
            key = &hive.keys.back();
        }
        if (Value* value = findValue(*key, name)) {
            if (value->type == type && value->data == data)
                return StatusOk;
            value->type = type;
            value->data = data;
        } else {
            key->values.push_back(Value {name, type, data});
        }
        return saveHive(m_store.filePath(), hive);
    }

    long queryValue(const std::string& name, std::uint32_t& type, std::string& data) override
    {
        Hive hive;
        Key* key = nullptr;
        if (const long status = load(hive, key); status != StatusOk)
            return status;
        if (key) {
            if (const Value* value = findValue(*key, name)) {
                type = value->type;
                data = value->data;
                return StatusOk;
            }
        }
        if (isRunKey(m_root, m_path)) {
            std::vector<Entry> entries;
            if (const long status = listEntries(m_store.autostartFolder(), entries); status != StatusOk)
                return status;
            if (const Entry* entry = findEntry(entries, name)) {
                type = entry->value.type;
                data = entry->value.data;
                return StatusOk;
            }
        }
        return StatusFileNotFound;
    }

    long deleteValue(const std::string& name) override
    {
        Hive hive;
        Key* key = nullptr;
        if (const long status = load(hive, key); status != StatusOk)
            return status;
        if (key && eraseValue(*key, name))
            return saveHive(m_store.filePath(), hive);
        if (isRunKey(m_root, m_path)) {
            std::vector<Entry> entries;
            if (const long status = listEntries(m_store.autostartFolder(), entries); status != StatusOk)
                return status;
            if (const Entry* entry = findEntry(entries, name))
                return AtomicFile::remove(m_store.autostartFolder() + "/" + entry->fileName);
        }
        return StatusFileNotFound;
    }

    long enumValue(std::uint32_t index, std::string& name) override
    {
        Hive hive;
        Key* key = nullptr;
        if (const long status = load(hive, key); status != StatusOk)
            return status;
        std::vector<std::string> names;
        if (key) {
            for (const Value& value : key->values)
                names.push_back(value.name);
        }
        if (isRunKey(m_root, m_path)) {
            std::vector<Entry> entries;
            if (const long status = listEntries(m_store.autostartFolder(), entries); status != StatusOk)
                return status;
            for (const Entry& entry : entries)
                names.push_back(entry.name);
        }
        if (index >= names.size())
            return StatusNoMoreItems;
        name = names[index];
        return StatusOk;
    }

    long enumKey(std::uint32_t index, std::string& name) override
    {
        Hive hive;
        Key* key = nullptr;
        if (const long status = load(hive, key); status != StatusOk)
            return status;
        std::uint32_t found = 0;
        for (const Key& child : hive.keys) {
            if (child.root == m_root && child.path.size() == m_path.size() + 1 && startsWith(child.path, m_path)) {
                if (found++ == index) {
                    name = child.path.back();
                    return StatusOk;
                }
            }
        }
        return StatusNoMoreItems;
    }

private:
    // Reads the file again; `key` stays null for a root key that holds no value yet.
    long load(Hive& hive, Key*& key)
    {
        if (const long status = loadHive(m_store.filePath(), hive); status != StatusOk)
            return status;
        key = findKey(hive, m_root, m_path);
        if (!key && !m_path.empty())
            return StatusKeyDeleted;
        return StatusOk;
    }

    long writeEntry(const std::string& name, std::uint32_t type, const std::string& data)
    {
        const std::string& folder = m_store.autostartFolder();
        if (const long status = AtomicFile::makeFolders(folder); status != StatusOk)
            return status;
        std::string file = existingEntryFile(folder, name);
        if (file.empty())
            file = AutostartEntry::fileNameFor(name);
        std::string command = data.substr(0, data.find('\0'));
        if (type == RegExpandSz)
            command = m_store.expandEnvironmentStrings(command);
        return AtomicFile::write(folder + "/" + file, AutostartEntry::fileText(name, type, data, command), 0644);
    }

    FileRegistryStore& m_store;
    std::int32_t m_root;
    Path m_path;
};

FileRegistryStore::FileRegistryStore(std::string filePath, std::string autostartFolder)
    : m_filePath(std::move(filePath))
    , m_autostartFolder(std::move(autostartFolder))
{
}

std::string FileRegistryStore::configHome()
{
    std::string home;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
        home = xdg;
    } else {
        if (const char* user = std::getenv("HOME"); user && user[0] != '\0') {
            home = user;
        } else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
            home = entry->pw_dir;
        }
        home += "/.config";
    }
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home;
}

std::string FileRegistryStore::defaultFilePath()
{
    return configHome() + "/wheelbook/registry.dat";
}

std::string FileRegistryStore::defaultAutostartFolder()
{
    return configHome() + "/autostart";
}

long FileRegistryStore::createKey(const std::string& machine, std::int32_t root, const std::string& path,
    std::uint32_t /*access*/, std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    Path parts;
    if (const long status = locate(machine, root, path, parts); status != StatusOk)
        return status;
    Hive hive;
    if (const long status = loadHive(m_filePath, hive); status != StatusOk)
        return status;
    if (ensureKey(hive, root, parts)) {
        if (const long status = saveHive(m_filePath, hive); status != StatusOk)
            return status;
    }
    key = std::make_unique<OpenKey>(*this, root, parts);
    return StatusOk;
}

long FileRegistryStore::openKey(const std::string& machine, std::int32_t root, const std::string& path,
    std::uint32_t /*access*/, std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    Path parts;
    if (const long status = locate(machine, root, path, parts); status != StatusOk)
        return status;
    Hive hive;
    if (const long status = loadHive(m_filePath, hive); status != StatusOk)
        return status;
    if (!parts.empty() && !findKey(hive, root, parts))
        return StatusFileNotFound;
    key = std::make_unique<OpenKey>(*this, root, parts);
    return StatusOk;
}

long FileRegistryStore::deleteKey(const std::string& machine, std::int32_t root, const std::string& path)
{
    Path parts;
    if (const long status = locate(machine, root, path, parts); status != StatusOk)
        return status;
    // A root, and the Run key that stands for the autostart folder, stay.
    if (parts.empty() || isRunOrAbove(root, parts))
        return StatusAccessDenied;
    Hive hive;
    if (const long status = loadHive(m_filePath, hive); status != StatusOk)
        return status;
    const auto it = std::find_if(hive.keys.begin(), hive.keys.end(),
        [&](const Key& key) { return key.root == root && samePath(key.path, parts); });
    if (it == hive.keys.end())
        return StatusFileNotFound;
    const bool hasSubKeys = std::any_of(hive.keys.begin(), hive.keys.end(), [&](const Key& key) {
        return key.root == root && key.path.size() > parts.size() && startsWith(key.path, parts);
    });
    if (hasSubKeys)
        return StatusAccessDenied;
    hive.keys.erase(it);
    return saveHive(m_filePath, hive);
}

std::string FileRegistryStore::expandEnvironmentStrings(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto open = text.find('%', i);
        if (open == std::string::npos) {
            out.append(text, i, std::string::npos);
            break;
        }
        out.append(text, i, open - i);
        const auto close = text.find('%', open + 1);
        if (close == std::string::npos) {
            out.append(text, open, std::string::npos);
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out += value;
            i = close + 1;
        } else {
            // An unknown name stays as written; its closing "%" may open the next one.
            out.append(text, open, close - open);
            i = close;
        }
    }
    return out;
}

#endif
