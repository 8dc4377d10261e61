#include "datafile/ProfileStore.h"

#include "core/AsciiText.h"
#include "core/DurableFile.h"
#include "core/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Line = ProfileStore::Line;
using Parsed = ProfileStore::Parsed;

const char* const kLineEnd = "\r\n";

bool isBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text)
{
    return AsciiText::trim(text, AsciiText::Blanks);
}

// A value as read: trimmed, then one pair of matching quotes removed.
std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A name as the index keeps it: upper case, in UTF-8.
std::string folded(std::string_view utf8)
{
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return TextEncoding::upper(utf8);
    }
    return AsciiText::upper(utf8);
}

// A text of the file as the program's UTF-8, and back; nothing when a text has no
// bytes in the file's code page.
std::string fromFile(const Parsed& parsed, std::string_view bytes)
{
    return parsed.windows1252 ? TextEncoding::fromWindows1252(bytes) : std::string(bytes);
}

std::optional<std::string> toFile(const Parsed* parsed, std::string_view utf8)
{
    if (parsed && parsed->windows1252)
        return TextEncoding::toWindows1252(utf8);
    return std::string(utf8);
}

// One past the last line of the section whose header is at `header`.
std::size_t sectionEnd(const Parsed& parsed, std::size_t header)
{
    std::size_t i = header + 1;
    while (i < parsed.lines.size() && parsed.lines[i].kind != Line::Kind::Header)
        ++i;
    return i;
}

void buildIndex(Parsed& parsed)
{
    parsed.index.clear();
    parsed.index.reserve(parsed.lines.size() + 8);
    std::string prefix;
    bool current = false; // inside the first section of its name
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        const Line& line = parsed.lines[i];
        if (line.kind == Line::Kind::Header) {
            prefix = folded(fromFile(parsed, line.name));
            current = parsed.index.emplace(prefix, i).second;
            prefix.push_back('\0');
        } else if (current && (line.kind == Line::Kind::Entry || line.kind == Line::Kind::Bare)) {
            parsed.index.emplace(prefix + folded(fromFile(parsed, line.name)), i);
        }
    }
    parsed.indexed = true;
}

std::size_t indexed(Parsed& parsed, const std::string& name)
{
    if (!parsed.indexed)
        buildIndex(parsed);
    const auto it = parsed.index.find(name);
    return it == parsed.index.end() ? std::string::npos : it->second;
}

// The line index of the first section header with this name, or npos.
std::size_t findSection(Parsed& parsed, std::string_view section)
{
    return indexed(parsed, folded(section));
}

// The line of the first entry of key in the first section of that name, or npos.
std::size_t lookUp(Parsed& parsed, std::string_view section, std::string_view key)
{
    std::string name = folded(section);
    name.push_back('\0');
    name += folded(key);
    return indexed(parsed, name);
}

std::size_t copyCut(std::string_view text, std::size_t bufferSize, std::string& out)
{
    if (bufferSize == 0) {
        out.clear();
        return 0;
    }
    const std::size_t count = std::min(text.size(), bufferSize - 1);
    out.assign(text.substr(0, count));
    return count;
}

// A list of names, each followed by a 0, as the list functions hand it out: one more 0
// at the end, or when it does not fit, the first n - 2 characters and two 0s.
std::size_t finishList(const std::string& list, std::size_t bufferSize, std::string& out)
{
    if (list.empty())
        return 0;
    if (list.size() + 2 > bufferSize) {
        if (bufferSize < 2)
            return 0;
        out = list.substr(0, bufferSize - 2);
        out.push_back('\0');
        out.push_back('\0');
        return bufferSize - 2;
    }
    out = list;
    out.push_back('\0');
    return list.size();
}

// The file with a new section header at its end, on a line of its own.
std::string withSection(std::string bytes, std::string_view section)
{
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r')
        bytes += kLineEnd;
    return bytes + "[" + std::string(section) + "]" + kLineEnd;
}

[[maybe_unused]] std::int64_t nanoseconds(const struct timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

std::string errorText(int error)
{
    return std::strerror(error);
}

} // namespace

Parsed ProfileStore::parse(std::string bytes)
{
    Parsed parsed;
    parsed.bytes = std::move(bytes);
    parsed.windows1252 = !TextEncoding::isValidUtf8(parsed.bytes);
    const std::string& b = parsed.bytes;
    std::size_t pos = 0;
    if (b.size() >= 3 && b.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    while (pos < b.size()) {
        Line line;
        line.begin = pos;
        std::size_t end = pos;
        while (end < b.size() && b[end] != '\r' && b[end] != '\n')
            ++end;
        line.end = end;
        if (end < b.size()) {
            line.next = (b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n') ? end + 2 : end + 1;
        } else {
            line.next = end;
        }
        const std::string_view content = trim(std::string_view(b).substr(pos, end - pos));
        if (content.empty()) {
            line.kind = Line::Kind::Blank;
        } else if (content.front() == '[' && content.find(']') != std::string_view::npos) {
            line.kind = Line::Kind::Header;
            const std::size_t close = content.rfind(']');
            line.name = std::string(trim(content.substr(1, close - 1)));
        } else if (const auto eq = content.find('='); eq != std::string_view::npos) {
            line.kind = Line::Kind::Entry;
            line.name = std::string(trim(content.substr(0, eq)));
            // The value's position in the bytes, trimmed.
            std::size_t vb = static_cast<std::size_t>(content.data() - b.data()) + eq + 1;
            std::size_t ve = static_cast<std::size_t>(content.data() - b.data()) + content.size();
            while (vb < ve && isBlankChar(b[vb]))
                ++vb;
            while (ve > vb && isBlankChar(b[ve - 1]))
                --ve;
            line.valueBegin = vb;
            line.valueEnd = ve;
        } else {
            line.kind = Line::Kind::Bare;
            line.name = std::string(content);
        }
        parsed.lines.push_back(std::move(line));
        pos = parsed.lines.back().next;
    }
    return parsed;
}

ProfileStore::Parsed* ProfileStore::load(const std::string& path)
{
    const bool inSnapshot = m_snapshotDepth > 0;
    if (inSnapshot && std::find(m_proven.begin(), m_proven.end(), path) != m_proven.end()) {
        if (auto it = m_cache.find(path); it != m_cache.end())
            return &it->second.parsed;
    }
    Parsed* parsed = loadChecked(path);
    if (inSnapshot && parsed)
        m_proven.push_back(path);
    return parsed;
}

ProfileStore::FileStamp ProfileStore::stampOf(const struct stat& info)
{
#ifdef _WIN32
    // This runtime keeps whole seconds.
    const auto seconds = [](time_t time) { return static_cast<std::int64_t>(time) * 1000000000LL; };
    return FileStamp {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::int64_t>(info.st_size), seconds(info.st_mtime), seconds(info.st_ctime)};
#else
    return FileStamp {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::int64_t>(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
#endif
}

ProfileStore::Parsed* ProfileStore::loadChecked(const std::string& path, int* error)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) {
        if (error)
            *error = errno;
        m_cache.erase(path);
        return nullptr;
    }
    const FileStamp stamp = stampOf(info);
    if (auto it = m_cache.find(path); it != m_cache.end() && it->second.stamp == stamp)
        return &it->second.parsed;

    std::string bytes;
    struct stat readInfo { };
    if (const int readError = DurableFile::readAll(path, bytes, &readInfo); readError != 0) {
        if (error)
            *error = readError;
        m_cache.erase(path);
        return nullptr;
    }
    ++m_parseCount;
    CacheEntry entry;
    entry.stamp = stampOf(readInfo);
    entry.parsed = parse(std::move(bytes));
    // A file that changed while it was read is not kept: the next call reads it again.
    if (entry.stamp != stamp || static_cast<std::int64_t>(entry.parsed.bytes.size()) != entry.stamp.size)
        entry.stamp = FileStamp {};
    auto& slot = m_cache[path];
    slot = std::move(entry);
    return &slot.parsed;
}

std::size_t ProfileStore::getString(const std::string& path, std::string_view section, std::string_view key,
    std::string_view defaultValue, std::size_t bufferSize, std::string& out)
{
    if (Parsed* parsed = load(path)) {
        const std::size_t index = lookUp(*parsed, trim(section), trim(key));
        if (index != std::string::npos && parsed->lines[index].kind == Line::Kind::Entry) {
            const Line& line = parsed->lines[index];
            const std::string_view value
                = std::string_view(parsed->bytes).substr(line.valueBegin, line.valueEnd - line.valueBegin);
            return copyCut(fromFile(*parsed, unquote(value)), bufferSize, out);
        }
    }
    // The default loses its trailing spaces and one pair of surrounding quotes.
    while (!defaultValue.empty() && defaultValue.back() == ' ')
        defaultValue.remove_suffix(1);
    return copyCut(unquote(defaultValue), bufferSize, out);
}

std::size_t ProfileStore::getKeyList(
    const std::string& path, std::string_view section, std::size_t bufferSize, std::string& out)
{
    out.clear();
    Parsed* parsed = load(path);
    if (!parsed)
        return 0;
    const std::size_t header = findSection(*parsed, trim(section));
    if (header == std::string::npos)
        return 0;
    std::string list;
    const std::size_t end = sectionEnd(*parsed, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = parsed->lines[i];
        if (line.kind != Line::Kind::Entry || line.name.empty() || line.name.front() == ';')
            continue;
        list += fromFile(*parsed, line.name);
        list.push_back('\0');
    }
    return finishList(list, bufferSize, out);
}

std::size_t ProfileStore::getSectionNames(const std::string& path, std::size_t bufferSize, std::string& out)
{
    out.clear();
    const Parsed* parsed = load(path);
    if (!parsed)
        return 0;
    std::string list;
    for (const Line& line : parsed->lines) {
        if (line.kind == Line::Kind::Header && !line.name.empty()) {
            list += fromFile(*parsed, line.name);
            list.push_back('\0');
        }
    }
    return finishList(list, bufferSize, out);
}

ProfileStore::WriteResult ProfileStore::writeString(
    const std::string& path, std::string_view section, std::string_view key, std::optional<std::string_view> value)
{
    const std::string_view sectionName = trim(section);
    const std::string_view keyName = trim(key);

    // A write always starts from the file as it is now, snapshot or not.
    int error = 0;
    Parsed* parsed = loadChecked(path, &error);
    // It is there but cannot be read: never replace what we could not see.
    if (!parsed && error != ENOENT)
        return {false, errorText(error)};

    // The texts as the file spells them: in its code page, or refused when they have no bytes there.
    const auto fileSection = toFile(parsed, sectionName);
    const auto fileKey = toFile(parsed, keyName);
    const auto fileValue = value ? toFile(parsed, *value) : std::optional<std::string>(std::string());
    if (!fileSection || !fileKey || !fileValue)
        return {false,
            "The entry " + std::string(keyName)
                + " holds a character that this data file's character set (Windows-1252) cannot keep."};
    const std::string entry = *fileKey + "=" + *fileValue + kLineEnd;

    if (!parsed)
        return value ? replaceFile(path, withSection({}, *fileSection) + entry) : WriteResult {};

    const std::string& old = parsed->bytes;
    const std::size_t header = findSection(*parsed, sectionName);
    if (header == std::string::npos)
        return value ? replaceFile(path, withSection(old, *fileSection) + entry) : WriteResult {};

    const std::size_t index = lookUp(*parsed, sectionName, keyName);
    if (index != std::string::npos) {
        const Line& line = parsed->lines[index];
        if (!value)
            return replaceFile(path, old.substr(0, line.begin) + old.substr(line.next));
        if (line.kind == Line::Kind::Entry
            && std::string_view(old).substr(line.valueBegin, line.valueEnd - line.valueBegin) == *fileValue)
            return {}; // already holds that value
        const std::string content = line.name + "=" + *fileValue;
        if (std::string_view(old).substr(line.begin, line.end - line.begin) == content)
            return {};
        return replaceFile(path, old.substr(0, line.begin) + content + old.substr(line.end));
    }

    if (!value)
        return {};
    // A new key goes right after the section's last non-blank line.
    std::size_t last = header;
    const std::size_t end = sectionEnd(*parsed, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (parsed->lines[i].kind != Line::Kind::Blank)
            last = i;
    }
    const Line& after = parsed->lines[last];
    // The last line of a file without a final line break gets one first.
    const std::string insert = after.next == after.end ? kLineEnd + entry : entry;
    return replaceFile(path, old.substr(0, after.next) + insert + old.substr(after.next));
}

ProfileStore::WriteResult ProfileStore::deleteSection(const std::string& path, std::string_view section)
{
    int error = 0;
    Parsed* parsed = loadChecked(path, &error);
    if (!parsed)
        return error == ENOENT ? WriteResult {} : WriteResult {false, errorText(error)};
    const std::size_t header = findSection(*parsed, trim(section));
    if (header == std::string::npos)
        return {};
    const std::size_t end = sectionEnd(*parsed, header);
    const std::size_t endByte = end < parsed->lines.size() ? parsed->lines[end].begin : parsed->bytes.size();
    return replaceFile(path, parsed->bytes.substr(0, parsed->lines[header].begin) + parsed->bytes.substr(endByte));
}

ProfileStore::WriteResult ProfileStore::addSection(const std::string& path, std::string_view section)
{
    int error = 0;
    Parsed* parsed = loadChecked(path, &error);
    if (!parsed && error != ENOENT)
        return {false, errorText(error)};
    if (parsed && findSection(*parsed, trim(section)) != std::string::npos)
        return {};
    const auto name = toFile(parsed, trim(section));
    if (!name)
        return {false,
            "The section " + std::string(trim(section))
                + " holds a character that this data file's "
                  "character set (Windows-1252) cannot keep."};
    return replaceFile(path, withSection(parsed ? parsed->bytes : std::string(), *name));
}

ProfileStore::WriteResult ProfileStore::replaceFile(const std::string& path, const std::string& bytes)
{
    if (const int error = DurableFile::replace(path, bytes, 0666, m_beforeRename); error != 0)
        return {false, errorText(error)};
    // The next read parses the new file: only a stamp taken from the file itself
    // proves what it holds.
    m_cache.erase(path);
    m_proven.clear();
    return {};
}
