#include "datafile/ProfileStore.h"

#include "core/AsciiText.h"
#include "core/DurableFile.h"
#include "core/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

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

// The kind, name and value of the line whose content runs from line.begin to line.end.
void classify(const std::string& b, Line& line)
{
    std::size_t cb = line.begin;
    std::size_t ce = line.end;
    while (cb < ce && isBlankChar(b[cb]))
        ++cb;
    while (ce > cb && isBlankChar(b[ce - 1]))
        --ce;
    auto trimmed = [&](std::size_t from, std::size_t to) {
        while (from < to && isBlankChar(b[from]))
            ++from;
        while (to > from && isBlankChar(b[to - 1]))
            --to;
        return std::pair(from, to);
    };
    line.nameBegin = line.nameEnd = line.valueBegin = line.valueEnd = cb;
    if (cb == ce) {
        line.kind = Line::Kind::Blank;
    } else if (b[cb] == '[' && std::memchr(b.data() + cb, ']', ce - cb)) {
        line.kind = Line::Kind::Header;
        std::size_t close = ce - 1;
        while (b[close] != ']')
            --close;
        std::tie(line.nameBegin, line.nameEnd) = trimmed(cb + 1, close);
    } else if (const void* eq = std::memchr(b.data() + cb, '=', ce - cb)) {
        line.kind = Line::Kind::Entry;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(eq) - b.data());
        std::tie(line.nameBegin, line.nameEnd) = trimmed(cb, at);
        std::tie(line.valueBegin, line.valueEnd) = trimmed(at + 1, ce);
    } else {
        line.kind = Line::Kind::Bare;
        line.nameBegin = cb;
        line.nameEnd = ce;
    }
}

// One past the last line of the section whose header is at `header`.
std::size_t sectionEnd(const Parsed& parsed, std::size_t header)
{
    std::size_t i = header + 1;
    while (i < parsed.lines.size() && parsed.lines[i].kind != Line::Kind::Header)
        ++i;
    return i;
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// FNV-1a over the upper case of section, a separator and key (nothing for a section
// alone); a key's hash goes on from its section's.
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

std::uint64_t hashOn(std::uint64_t hash, std::string_view text)
{
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(asciiUpper(c));
        hash *= kFnvPrime;
    }
    return hash;
}

std::uint64_t sectionHash(std::string_view section)
{
    return hashOn(14695981039346656037ull, section);
}

std::uint64_t keyHash(std::uint64_t sectionHash, std::string_view key)
{
    return hashOn((sectionHash ^ 0xFF) * kFnvPrime, key);
}

// A name to find, in the program's UTF-8. Beyond ASCII it is also kept in upper case,
// which is how such names compare and hash. It views the texts it is made from.
struct Query {
    std::string_view section;
    std::optional<std::string_view> key;
    std::string sectionFolded; // empty for an ASCII name
    std::string keyFolded;
    std::uint64_t hash = 0;

    Query(std::string_view s, std::optional<std::string_view> k)
        : section(s)
        , key(k)
        , sectionFolded(isAscii(s) ? std::string() : folded(s))
        , keyFolded(k && !isAscii(*k) ? folded(*k) : std::string())
        , hash(sectionHash(sectionFolded.empty() ? s : std::string_view(sectionFolded)))
    {
        if (k)
            hash = keyHash(hash, keyFolded.empty() ? *k : std::string_view(keyFolded));
    }
    // A key of a section already asked for: its folded name and hash are taken over.
    Query(const Query& sectionQuery, std::string_view k)
        : section(sectionQuery.section)
        , key(k)
        , sectionFolded(sectionQuery.sectionFolded)
        , keyFolded(isAscii(k) ? std::string() : folded(k))
        , hash(keyHash(sectionQuery.hash, keyFolded.empty() ? k : std::string_view(keyFolded)))
    {
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
};

// A name of the file against a wanted one: ASCII without regard to case, beyond it by
// their upper case.
bool sameName(const Parsed& parsed, std::string_view fileName, std::string_view wanted, const std::string& wantedFolded)
{
    if (!parsed.windows1252 && isAscii(fileName) && wantedFolded.empty())
        return AsciiText::sameIgnoringCase(fileName, wanted);
    const std::string fileFolded = folded(fromFile(parsed, fileName));
    return fileFolded == (wantedFolded.empty() ? AsciiText::upper(wanted) : wantedFolded);
}

bool matches(const Parsed& parsed, const Line& line, const Query& query)
{
    const bool isHeader = line.kind == Line::Kind::Header;
    if (isHeader == query.key.has_value())
        return false;
    if (!sameName(parsed, parsed.name(parsed.lines[line.header]), query.section, query.sectionFolded))
        return false;
    return isHeader || sameName(parsed, parsed.name(line), *query.key, query.keyFolded);
}

// The slot of the line that answers the query, or of the free slot where it would go.
std::size_t probe(const Parsed& parsed, const Query& query)
{
    const std::size_t mask = parsed.index.size() - 1;
    for (std::size_t slot = query.hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = parsed.index[slot];
        if (held == 0 || matches(parsed, parsed.lines[held - 1], query))
            return slot;
    }
}

void buildIndex(Parsed& parsed)
{
    std::size_t size = 16;
    while (size < parsed.lines.size() * 2)
        size *= 2;
    parsed.index.assign(size, 0);
    bool current = false; // inside the first section of its name
    std::size_t header = 0;
    std::string sectionText;
    std::string keyText;
    std::optional<Query> sectionQuery; // the current section's, which its keys go on from
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        Line& line = parsed.lines[i];
        const bool isHeader = line.kind == Line::Kind::Header;
        if (isHeader)
            header = i;
        line.header = header;
        if (!isHeader && (!current || (line.kind != Line::Kind::Entry && line.kind != Line::Kind::Bare)))
            continue;
        if (isHeader) {
            std::string_view section = parsed.name(line);
            if (parsed.windows1252) {
                sectionText = fromFile(parsed, section);
                section = sectionText;
            }
            sectionQuery.emplace(section, std::nullopt);
            const std::size_t slot = probe(parsed, *sectionQuery);
            current = parsed.index[slot] == 0;
            if (current)
                parsed.index[slot] = static_cast<std::uint32_t>(i + 1);
            continue;
        }
        std::string_view key = parsed.name(line);
        if (parsed.windows1252) {
            keyText = fromFile(parsed, key);
            key = keyText;
        }
        const Query query(*sectionQuery, key);
        const std::size_t slot = probe(parsed, query);
        line.firstOfName = parsed.index[slot] == 0;
        if (line.firstOfName)
            parsed.index[slot] = static_cast<std::uint32_t>(i + 1);
    }
    parsed.indexed = true;
}

std::size_t indexed(Parsed& parsed, const Query& query)
{
    if (!parsed.indexed)
        buildIndex(parsed);
    const std::uint32_t held = parsed.index[probe(parsed, query)];
    return held == 0 ? std::string::npos : held - 1;
}

// The line index of the first section header with this name, or npos.
std::size_t findSection(Parsed& parsed, std::string_view section)
{
    const Query query(section, std::nullopt);
    return indexed(parsed, query);
}

// The line of the first entry of key in the first section of that name, or npos.
std::size_t lookUp(Parsed& parsed, std::string_view section, std::string_view key)
{
    if (!parsed.indexed)
        buildIndex(parsed);
    // A list fill reads its section's keys in file order: the next entry after the last
    // one found is checked first, without a look into the index.
    if (parsed.lastFound != std::string::npos && isAscii(key) && isAscii(section)
        && AsciiText::sameIgnoringCase(parsed.name(parsed.lines[parsed.lastHeader]), section)) {
        for (std::size_t i = parsed.lastFound + 1;
             i < parsed.lines.size() && parsed.lines[i].kind != Line::Kind::Header; ++i) {
            const Line& line = parsed.lines[i];
            if (line.kind != Line::Kind::Entry && line.kind != Line::Kind::Bare)
                continue;
            if (line.firstOfName && AsciiText::sameIgnoringCase(parsed.name(line), key)) {
                parsed.lastFound = i;
                return i;
            }
            break;
        }
    }
    const Query query(section, key);
    const std::size_t found = indexed(parsed, query);
    parsed.lastFound = found;
    parsed.lastHeader = found == std::string::npos ? std::string::npos : parsed.lines[found].header;
    return found;
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

// The parsed file after the content of one entry line was replaced: that line is read
// again and every later line moves by the difference, with no parse of the whole file.
void replaceLine(Parsed& parsed, std::size_t index, const std::string& content)
{
    Line& line = parsed.lines[index];
    const auto beyondAscii = [](std::string_view text) {
        return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };
    // Lines are whole characters: the file is still UTF-8 when it was and the new line is;
    // a Windows-1252 file can only become UTF-8 when the line it loses held its only other bytes.
    const bool recheck
        = parsed.windows1252 && beyondAscii(std::string_view(parsed.bytes).substr(line.begin, line.end - line.begin));
    const std::ptrdiff_t delta
        = static_cast<std::ptrdiff_t>(content.size()) - static_cast<std::ptrdiff_t>(line.end - line.begin);
    parsed.bytes.replace(line.begin, line.end - line.begin, content);
    line.end = line.begin + content.size();
    line.next = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(line.next) + delta);
    classify(parsed.bytes, line);
    for (std::size_t i = index + 1; i < parsed.lines.size(); ++i) {
        Line& later = parsed.lines[i];
        for (std::size_t* offset : {&later.begin, &later.end, &later.next, &later.nameBegin, &later.nameEnd,
                 &later.valueBegin, &later.valueEnd})
            *offset = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(*offset) + delta);
    }
    if (!parsed.windows1252)
        parsed.windows1252 = !TextEncoding::isValidUtf8(content);
    else if (recheck)
        parsed.windows1252 = !TextEncoding::isValidUtf8(parsed.bytes);
}

// The parsed file after a new entry line went in right after line `after`: `insert` is
// the entry with its line end, and a line end before it when the file did not end with
// one. The new line is read, every later line moves, and the index takes the new key (the
// first of its name: it was looked for first), with no parse of the whole file.
void insertLine(Parsed& parsed, std::size_t after, const std::string& insert)
{
    const std::size_t at = parsed.lines[after].next;
    const bool breakFirst = parsed.lines[after].next == parsed.lines[after].end;
    parsed.bytes.insert(at, insert);
    if (breakFirst)
        parsed.lines[after].next = at + 2;
    Line line;
    line.begin = breakFirst ? at + 2 : at;
    line.end = at + insert.size() - 2;
    line.next = at + insert.size();
    classify(parsed.bytes, line);
    line.header = parsed.lines[after].kind == Line::Kind::Header ? after : parsed.lines[after].header;
    line.firstOfName = true;
    for (std::size_t i = after + 1; i < parsed.lines.size(); ++i) {
        Line& later = parsed.lines[i];
        for (std::size_t* offset : {&later.begin, &later.end, &later.next, &later.nameBegin, &later.nameEnd,
                 &later.valueBegin, &later.valueEnd})
            *offset += insert.size();
        if (later.header > after)
            ++later.header;
    }
    parsed.lines.insert(parsed.lines.begin() + static_cast<std::ptrdiff_t>(after) + 1, line);
    parsed.lastFound = parsed.lastHeader = std::string::npos;
    if (!parsed.windows1252)
        parsed.windows1252 = !TextEncoding::isValidUtf8(insert);
    if (!parsed.indexed)
        return;
    if (parsed.lines.size() * 2 > parsed.index.size()) {
        parsed.indexed = false; // full: built again, larger, at the next lookup
        return;
    }
    for (std::uint32_t& slot : parsed.index) {
        if (slot > after + 1)
            ++slot;
    }
    std::string sectionText;
    std::string keyText;
    std::string_view section = parsed.name(parsed.lines[line.header]);
    std::string_view key = parsed.name(line);
    if (parsed.windows1252) {
        sectionText = fromFile(parsed, section);
        keyText = fromFile(parsed, key);
        section = sectionText;
        key = keyText;
    }
    const Query query(section, key);
    parsed.index[probe(parsed, query)] = static_cast<std::uint32_t>(after + 2);
}

std::string errorText(int error)
{
    return std::strerror(error);
}

const char* const kChangedMeanwhile = "Another program changed the file while Wheelbook was working with it.";

} // namespace

Parsed ProfileStore::parse(std::string bytes)
{
    Parsed parsed;
    parsed.bytes = std::move(bytes);
    parsed.windows1252 = !TextEncoding::isValidUtf8(parsed.bytes);
    const std::string& b = parsed.bytes;
    // A line is rarely shorter than this; one allocation then serves the whole file.
    parsed.lines.reserve(b.size() / 12 + 4);
    std::size_t pos = 0;
    if (b.size() >= 3 && b.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    while (pos < b.size()) {
        Line& line = parsed.lines.emplace_back();
        line.begin = pos;
        line.end = AsciiText::lineEnd(b, pos);
        line.next = line.end == b.size()                                                  ? line.end
            : (b[line.end] == '\r' && line.end + 1 < b.size() && b[line.end + 1] == '\n') ? line.end + 2
                                                                                          : line.end + 1;
        classify(b, line);
        pos = line.next;
    }
    return parsed;
}

ProfileStore::Parsed* ProfileStore::loadFromDisk(const std::string& path, int* error)
{
    if (const int readError = DurableFile::readAll(path, m_readBuffer); readError != 0) {
        if (error)
            *error = readError;
        m_cache.erase(path);
        return nullptr;
    }
    // The copy counts only while the file holds exactly its bytes.
    if (auto it = m_cache.find(path); it != m_cache.end() && it->second.bytes == m_readBuffer)
        return &it->second;
    ++m_parseCount;
    Parsed& slot = m_cache[path];
    slot = parse(m_readBuffer);
    return &slot;
}

ProfileStore::Parsed* ProfileStore::load(const std::string& path, int* error)
{
    if (!m_tx || m_tx->path != path)
        return loadFromDisk(path, error);
    if (!m_tx->loaded) {
        // The transaction reads the file once and takes the copy over until it ends.
        m_tx->loaded = true;
        int readError = 0;
        if (loadFromDisk(path, &readError)) {
            auto node = m_cache.extract(path);
            m_tx->parsed = std::move(node.mapped());
            m_tx->existed = true;
            m_original.swap(m_readBuffer); // the bytes just read: what the end compares with
        } else {
            m_tx->readError = readError;
        }
    }
    if (!m_tx->parsed && error)
        *error = m_tx->readError;
    return m_tx->parsed ? &*m_tx->parsed : nullptr;
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
        const std::string_view name = parsed->name(line);
        if (line.kind != Line::Kind::Entry || name.empty() || name.front() == ';')
            continue;
        list += fromFile(*parsed, name);
        list.push_back('\0');
    }
    return finishList(list, bufferSize, out);
}

std::vector<std::pair<std::string, std::string>> ProfileStore::getSection(
    const std::string& path, std::string_view section)
{
    std::vector<std::pair<std::string, std::string>> entries;
    forEachEntry(path, section,
        [&entries](std::string_view name, std::string_view value) { entries.emplace_back(name, value); });
    return entries;
}

void ProfileStore::forEachEntry(const std::string& path, std::string_view section,
    const std::function<void(std::string_view name, std::string_view value)>& visit)
{
    Parsed* parsed = load(path);
    if (!parsed)
        return;
    const std::size_t header = findSection(*parsed, trim(section));
    if (header == std::string::npos)
        return;
    const std::size_t end = sectionEnd(*parsed, header);
    m_converted.clear();
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = parsed->lines[i];
        std::string_view name = parsed->name(line);
        if (line.kind != Line::Kind::Entry || name.empty() || name.front() == ';')
            continue;
        // A later duplicate reads as its first line does; a first line that is bare reads empty.
        const Line& first
            = line.firstOfName ? line : parsed->lines[lookUp(*parsed, trim(section), fromFile(*parsed, name))];
        std::string_view value = first.kind == Line::Kind::Entry
            ? unquote(std::string_view(parsed->bytes).substr(first.valueBegin, first.valueEnd - first.valueBegin))
            : std::string_view();
        if (parsed->windows1252) {
            name = m_converted.emplace_back(fromFile(*parsed, name));
            value = m_converted.emplace_back(fromFile(*parsed, value));
        }
        visit(name, value);
    }
}

std::size_t ProfileStore::getSectionNames(const std::string& path, std::size_t bufferSize, std::string& out)
{
    out.clear();
    const Parsed* parsed = load(path);
    if (!parsed)
        return 0;
    std::string list;
    for (const Line& line : parsed->lines) {
        if (line.kind == Line::Kind::Header && line.nameEnd > line.nameBegin) {
            list += fromFile(*parsed, parsed->name(line));
            list.push_back('\0');
        }
    }
    return finishList(list, bufferSize, out);
}

std::optional<std::string> ProfileStore::keySpelling(
    const std::string& path, std::string_view section, std::string_view key)
{
    Parsed* parsed = load(path);
    if (!parsed)
        return std::nullopt;
    const std::size_t index = lookUp(*parsed, trim(section), trim(key));
    if (index == std::string::npos)
        return std::nullopt;
    return fromFile(*parsed, parsed->name(parsed->lines[index]));
}

std::string_view ProfileStore::decoded(std::string_view raw)
{
    m_decoded = TextEncoding::fromWindows1252(raw);
    return m_decoded;
}

std::optional<std::string_view> ProfileStore::text(const std::string& path)
{
    const Parsed* parsed = load(path);
    if (!parsed)
        return std::nullopt;
    return parsed->windows1252 ? decoded(parsed->bytes) : std::string_view(parsed->bytes);
}

ProfileStore::WriteResult ProfileStore::writeString(
    const std::string& path, std::string_view section, std::string_view key, std::optional<std::string_view> value)
{
    const std::string_view sectionName = trim(section);
    const std::string_view keyName = trim(key);

    int error = 0;
    Parsed* parsed = load(path, &error);
    // It is there but cannot be read: never replace what we could not see.
    if (!parsed && error != ENOENT)
        return refuse(path, errorText(error));

    // The texts as the file spells them: in its code page, or refused when they have no bytes there.
    const auto fileSection = toFile(parsed, sectionName);
    const auto fileKey = toFile(parsed, keyName);
    const auto fileValue = value ? toFile(parsed, *value) : std::optional<std::string>(std::string());
    if (!fileSection || !fileKey || !fileValue)
        return refuse(path,
            "The entry " + std::string(keyName)
                + " holds a character that this data file's character set (Windows-1252) cannot keep.");
    const std::string entry = *fileKey + "=" + *fileValue + kLineEnd;

    if (!parsed)
        return value ? store(path, withSection({}, *fileSection) + entry) : WriteResult {};

    const std::string& old = parsed->bytes;
    const std::size_t header = findSection(*parsed, sectionName);
    if (header == std::string::npos)
        return value ? store(path, withSection(old, *fileSection) + entry) : WriteResult {};

    const std::size_t index = lookUp(*parsed, sectionName, keyName);
    if (index != std::string::npos) {
        const Line& line = parsed->lines[index];
        if (!value)
            return store(path, old.substr(0, line.begin) + old.substr(line.next));
        if (line.kind == Line::Kind::Entry
            && std::string_view(old).substr(line.valueBegin, line.valueEnd - line.valueBegin) == *fileValue)
            return {}; // already holds that value
        const std::string content = std::string(parsed->name(line)) + "=" + *fileValue;
        if (std::string_view(old).substr(line.begin, line.end - line.begin) == content)
            return {};
        // The key keeps its place and spelling; only its line changes.
        return storeInPlace(
            path,
            [&] {
                std::string bytes = old;
                bytes.replace(line.begin, line.end - line.begin, content);
                return bytes;
            },
            [&] { replaceLine(*parsed, index, content); });
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
    return storeInPlace(
        path, [&] { return old.substr(0, after.next) + insert + old.substr(after.next); },
        [&] { insertLine(*parsed, last, insert); });
}

ProfileStore::WriteResult ProfileStore::deleteSection(const std::string& path, std::string_view section)
{
    int error = 0;
    Parsed* parsed = load(path, &error);
    if (!parsed)
        return error == ENOENT ? WriteResult {} : refuse(path, errorText(error));
    const std::size_t header = findSection(*parsed, trim(section));
    if (header == std::string::npos)
        return {};
    const std::size_t end = sectionEnd(*parsed, header);
    const std::size_t endByte = end < parsed->lines.size() ? parsed->lines[end].begin : parsed->bytes.size();
    return store(path, parsed->bytes.substr(0, parsed->lines[header].begin) + parsed->bytes.substr(endByte));
}

ProfileStore::WriteResult ProfileStore::addSection(const std::string& path, std::string_view section)
{
    int error = 0;
    Parsed* parsed = load(path, &error);
    if (!parsed && error != ENOENT)
        return refuse(path, errorText(error));
    if (parsed && findSection(*parsed, trim(section)) != std::string::npos)
        return {};
    const auto name = toFile(parsed, trim(section));
    if (!name)
        return refuse(path,
            "The section " + std::string(trim(section))
                + " holds a character that this data file's character set (Windows-1252) cannot keep.");
    return store(path, withSection(parsed ? parsed->bytes : std::string(), *name));
}

void ProfileStore::begin(const std::string& path)
{
    if (m_tx) {
        // One file at a time: an action on the data file joins the one already open.
        ++m_tx->depth;
        return;
    }
    m_tx.emplace();
    m_tx->path = path;
    m_tx->depth = 1;
}

ProfileStore::WriteResult ProfileStore::end()
{
    if (!m_tx || --m_tx->depth > 0)
        return {};
    Transaction tx = std::move(*m_tx);
    m_tx.reset();
    m_lastFailed = tx.failed;
    WriteResult result;
    if (tx.changed && !tx.failed) {
        // Another program's change since the transaction read the file is never overwritten.
        const int readError = DurableFile::readAll(tx.path, m_readBuffer);
        const bool unchanged = tx.existed ? readError == 0 && m_readBuffer == m_original : readError == ENOENT;
        result = unchanged ? replaceFile(tx.path, tx.parsed->bytes) : WriteResult {false, kChangedMeanwhile};
    }
    // A refused write was reported when it was refused; the file keeps what it had.
    if (result.ok && !tx.failed && tx.parsed)
        m_cache[tx.path] = std::move(*tx.parsed);
    return result;
}

ProfileStore::WriteResult ProfileStore::storeInPlace(
    const std::string& path, const std::function<std::string()>& newBytes, const std::function<void()>& editCopy)
{
    if (m_tx && m_tx->path == path) {
        editCopy();
        m_tx->changed = true;
        return {};
    }
    const WriteResult result = replaceFile(path, newBytes());
    if (result.ok)
        editCopy();
    return result;
}

ProfileStore::WriteResult ProfileStore::store(const std::string& path, std::string bytes)
{
    if (m_tx && m_tx->path == path) {
        ++m_parseCount;
        m_tx->parsed = parse(std::move(bytes));
        m_tx->changed = true;
        return {};
    }
    const WriteResult result = replaceFile(path, bytes);
    if (result.ok) {
        // What was written is the copy from now on: nothing to read or prove again.
        ++m_parseCount;
        m_cache[path] = parse(std::move(bytes));
    }
    return result;
}

ProfileStore::WriteResult ProfileStore::refuse(const std::string& path, std::string error)
{
    if (m_tx && m_tx->path == path)
        m_tx->failed = true;
    return {false, std::move(error)};
}

ProfileStore::WriteResult ProfileStore::replaceFile(const std::string& path, const std::string& bytes)
{
    if (m_beforeReplace)
        m_beforeReplace(path);
    if (const int error = DurableFile::replace(path, bytes, 0666, m_beforeRename); error != 0) {
        m_cache.erase(path);
        return {false, errorText(error)};
    }
    return {};
}
