#include "datafile/mINIFunctions.h"

#include "core/AsciiText.h"
#include "core/NumberedError.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

// "[" + section + "]", built without temporaries (GCC 12 misreports the concatenation at -O2).
std::string headerLine(std::string_view section)
{
    std::string line;
    line.reserve(section.size() + 2);
    line += '[';
    line += section;
    line += ']';
    return line;
}

} // namespace

mINIFunctions::mINIFunctions(Prompter& prompter, ProfileStore& store)
    : m_prompter(prompter)
    , m_store(store)
{
}

void mINIFunctions::SetINIFile(std::string fileName, std::int32_t bufferSize)
{
    m_fileName = std::move(fileName);
    m_bufferSize = bufferSize;
}

void mINIFunctions::checkPreconditions() const
{
    if (m_bufferSize == 0)
        throw NumberedError(ErrorNumber, ErrorSource, "Buffer size not set");
    if (m_fileName.empty())
        throw NumberedError(ErrorNumber, ErrorSource, "Filename not set");
}

std::string mINIFunctions::ReadINI(std::string_view section, std::string_view key, std::string_view defaultValue)
{
    checkPreconditions();
    std::string value;
    const std::size_t bufferSize = m_bufferSize > 0 ? static_cast<std::size_t>(m_bufferSize) : 0;
    const std::size_t count = m_store.getString(m_fileName, section, key, defaultValue, bufferSize, value);
    value.resize(count);
    replaceAll(value, LineBreakMarker, "\r\n");
    return value;
}

bool mINIFunctions::store(std::string_view section, std::string_view key, std::optional<std::string_view> value)
{
    // A line break or a NUL would split or end the file's line and corrupt what follows.
    auto breaksLine
        = [](std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; };
    ProfileStore::WriteResult result;
    if (breaksLine(section) || breaksLine(key) || (value && breaksLine(*value))) {
        m_store.fail(m_fileName);
        result = {false,
            "The entry " + std::string(key) + " holds a line break or a NUL character, which the file cannot keep."};
    } else {
        result = m_store.writeString(m_fileName, section, key, value);
    }
    if (result.ok)
        return true;
    m_prompter.ask({"Data Not Saved!",
        "Wheelbook could not save its data file " + m_fileName + ":\r\n\r\n" + result.error
            + "\r\n\r\nThe file keeps its previous content.",
        MsgButtons::Ok, MsgIcon::Critical});
    return false;
}

bool mINIFunctions::WriteINI(std::string_view section, std::string_view key, std::string_view value)
{
    checkPreconditions();
    std::string text(value);
    replaceAll(text, "\r\n", LineBreakMarker);
    return store(section, key, std::string_view(text));
}

bool mINIFunctions::WriteINI(std::string_view section, std::string_view key, std::int64_t value)
{
    return WriteINI(section, key, std::string_view(numberToText(value)));
}

bool mINIFunctions::WriteINI(std::string_view section, std::string_view key, double value)
{
    return WriteINI(section, key, std::string_view(numberToText(value)));
}

bool mINIFunctions::WriteINI(std::string_view section, std::string_view key, Money value)
{
    return WriteINI(section, key, std::string_view(value.toText()));
}

std::string mINIFunctions::ReadINIKeys(std::string_view section)
{
    checkPreconditions();
    std::string buffer;
    // The buffer grows for key lists: a list cut at its size would lose rows, and cut a name in two.
    const std::size_t count = m_store.getKeyList(m_fileName, section, std::string::npos, buffer);
    if (count == 0)
        return NoKeys;
    return buffer.substr(0, count - 1);
}

std::vector<std::pair<std::string, std::string>> mINIFunctions::ReadINISection(std::string_view section)
{
    std::vector<std::pair<std::string, std::string>> entries;
    ReadINISection(
        section, [&entries](std::string_view name, std::string_view value) { entries.emplace_back(name, value); });
    return entries;
}

void mINIFunctions::ReadINISection(
    std::string_view section, const std::function<void(std::string_view name, std::string_view value)>& visit)
{
    checkPreconditions();
    m_scratch.clear();
    const std::size_t limit = m_bufferSize > 1 ? static_cast<std::size_t>(m_bufferSize) - 1 : 0;
    m_store.forEachEntry(m_fileName, section, [&](std::string_view name, std::string_view value) {
        // As ReadINI reads it: cut to the buffer, the marker made a line break again.
        const bool cut = value.size() > limit;
        if (!cut && value.find(LineBreakMarker) == std::string_view::npos) {
            visit(name, value);
            return;
        }
        std::string text(value.substr(0, cut ? limit : value.size()));
        replaceAll(text, LineBreakMarker, "\r\n");
        visit(name, m_scratch.emplace_back(std::move(text)));
    });
}

std::string mINIFunctions::KeySpelling(std::string_view section, std::string_view key)
{
    checkPreconditions();
    if (auto spelling = m_store.keySpelling(m_fileName, section, key))
        return *spelling;
    return std::string(AsciiText::trim(key, AsciiText::Blanks));
}

bool mINIFunctions::DeleteINIKey(std::string_view section, std::string_view key)
{
    checkPreconditions();
    return store(section, key, std::nullopt);
}

void mINIFunctions::showFileNotFound(const std::string& fileName)
{
    m_prompter.ask({"File Not Found", fileName + " not found.", MsgButtons::Ok, MsgIcon::Critical});
}

bool mINIFunctions::SectionExists(const std::string& fileName, std::string_view section)
{
    if (!NormalFileExists(fileName)) {
        showFileNotFound(fileName);
        return false;
    }
    // The lines exactly as the reads see them: the scan compares them whole, case and blanks included.
    const std::string header = headerLine(section);
    bool found = false;
    m_store.forEachLine(fileName, [&](std::string_view line) {
        found = line == header;
        return !found;
    });
    return found;
}

bool mINIFunctions::KeyExists(const std::string& fileName, std::string_view section, std::string_view key)
{
    if (!NormalFileExists(fileName)) {
        showFileNotFound(fileName);
        return false;
    }
    // One pass over the lines as the reads see them: to the section's first header line,
    // then up to the next section line, the first line holding "=" whose name is the key.
    const std::string header = headerLine(section);
    bool inSection = false;
    bool found = false;
    m_store.forEachLine(fileName, [&](std::string_view line) {
        if (!inSection) {
            inSection = line == header;
            return true;
        }
        if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
            found = line.substr(0, equals) == key;
            return !found;
        }
        return !IsSectionLine(line);
    });
    if (!inSection) {
        m_prompter.ask({"Section Not Found.",
            "Section, " + std::string(section) + ", Not Found. ~(KeyExists)\r\n"
                + "Verify spelling and capitilization is correct.  Case-sensative.",
            MsgButtons::Ok, MsgIcon::Information});
        return false;
    }
    return found;
}

bool mINIFunctions::HasEqualSign(std::string_view line)
{
    return line.find('=') != std::string_view::npos;
}

bool mINIFunctions::IsSectionLine(std::string_view line)
{
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

std::vector<std::string> splitKeyList(const std::string& keys)
{
    std::vector<std::string> names;
    if (keys == mINIFunctions::NoKeys)
        return names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t zero = keys.find('\0', start);
        names.push_back(keys.substr(start, zero == std::string::npos ? std::string::npos : zero - start));
        if (zero == std::string::npos)
            break;
        start = zero + 1;
    }
    return names;
}
