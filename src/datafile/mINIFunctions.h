#pragma once

#include "core/Money.h"
#include "datafile/ProfileStore.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

class Prompter;

// The only road to the data file: the profile file's name and buffer size, and the
// operations that read, write, list and delete its values, plus two exact-match
// line scans.
//
// Every caller sets the file right before its first access. A write the platform
// refuses is shown to the user (naming the file and the error) and answered false;
// the file then keeps its previous content.
class mINIFunctions {
public:
    static constexpr const char* LineBreakMarker = "%%&&Chr(13)&&%%";
    static constexpr const char* NoKeys = "-na-";
    static constexpr long ErrorNumber = 670;
    static constexpr const char* ErrorSource = "INIReadWrite";

    mINIFunctions(Prompter& prompter, ProfileStore& store);

    void SetINIFile(std::string fileName, std::int32_t bufferSize);

    std::string ReadINI(std::string_view section, std::string_view key, std::string_view defaultValue);

    bool WriteINI(std::string_view section, std::string_view key, std::string_view value);
    bool WriteINI(std::string_view section, std::string_view key, const char* value)
    {
        return WriteINI(section, key, std::string_view(value));
    }
    bool WriteINI(std::string_view section, std::string_view key, const std::string& value)
    {
        return WriteINI(section, key, std::string_view(value));
    }
    bool WriteINI(std::string_view section, std::string_view key, std::int64_t value);
    bool WriteINI(std::string_view section, std::string_view key, int value)
    {
        return WriteINI(section, key, static_cast<std::int64_t>(value));
    }
    bool WriteINI(std::string_view section, std::string_view key, double value);
    bool WriteINI(std::string_view section, std::string_view key, Money value);

    // Every key name of the section joined by character 0, however long the list, or
    // "-na-" when there are none.
    std::string ReadINIKeys(std::string_view section);

    // Every key of the section with its value, as ReadINIKeys and one ReadINI per key
    // would give them, in one pass over the file: a list fill.
    std::vector<std::pair<std::string, std::string>> ReadINISection(std::string_view section);
    // The same, handed over entry by entry, as views that last until the next call on the
    // profile module: a list of thousands of entries copies none of them.
    void ReadINISection(
        std::string_view section, const std::function<void(std::string_view name, std::string_view value)>& visit);

    bool DeleteINIKey(std::string_view section, std::string_view key);

    // The key as the file spells it (as ReadINI and WriteINI find it), or the name trimmed
    // when the section has no such key.
    std::string KeySpelling(std::string_view section, std::string_view key);

    // Line scans that compare exactly (same case, nothing trimmed).
    bool SectionExists(const std::string& fileName, std::string_view section);
    bool KeyExists(const std::string& fileName, std::string_view section, std::string_view key);

    static bool HasEqualSign(std::string_view line);
    static bool IsSectionLine(std::string_view line);

    const std::string& INIFileName() const { return m_fileName; }
    std::int32_t INIBufferSize() const { return m_bufferSize; }

private:
    void checkPreconditions() const;
    bool store(std::string_view section, std::string_view key, std::optional<std::string_view> value);
    void showFileNotFound(const std::string& fileName);

    Prompter& m_prompter;
    ProfileStore& m_store;
    std::deque<std::string> m_scratch; // the values of a ReadINISection that had to be changed
    std::string m_fileName;
    std::int32_t m_bufferSize = 0;
};

// Splits a key list at character 0; an empty list for "-na-".
std::vector<std::string> splitKeyList(const std::string& keys);
