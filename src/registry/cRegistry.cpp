#include "registry/cRegistry.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "domain/StartupRegistry.h"

#include <filesystem>
#include <system_error>
#include <tuple>

namespace {

using Store = RegistryStore;

// A text is stored as expandable when a "%" is followed, two or more characters
// further on, by another "%".
bool looksExpandable(const std::string& text)
{
    const auto first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

// Four data bytes as a number; missing bytes read as zero, as the platform's
// zero-filled buffer would.
std::int32_t fourBytes(const std::string& data, bool bigEndian)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t byte = i < data.size() ? static_cast<std::uint8_t>(data[i]) : 0;
        value |= byte << (8 * (bigEndian ? 3 - i : i));
    }
    return static_cast<std::int32_t>(value);
}

// A text value's data without its terminating zero; data written without one keep
// all their characters.
std::string textOfData(const std::string& data)
{
    return !data.empty() && data.back() == '\0' ? data.substr(0, data.size() - 1) : data;
}

// The names a key lists, one position after the other (values or sub-keys), cut at
// the first zero.
bool enumerate(Store& store, const cRegistry& at, bool values, std::vector<std::string>& names, std::int32_t& count)
{
    names.clear();
    count = 0;
    std::unique_ptr<RegistryKey> key;
    if (store.openKey(at.Machine(), at.ClassKey(), at.SectionKey(),
            values ? Store::KeyQueryValue : Store::KeyEnumerateSubKeys, key)
        != Store::StatusOk)
        return true;
    std::string name;
    for (std::uint32_t i = 0; (values ? key->enumValue(i, name) : key->enumKey(i, name)) == Store::StatusOk; ++i) {
        names.push_back(values ? name : name.substr(0, name.find('\0')));
        ++count;
    }
    return true;
}

} // namespace

std::string cRegistry::valueText(const RegistryValue& value)
{
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int16_t v) const { return numberToText(v); }
        std::string operator()(std::int32_t v) const { return numberToText(v); }
        std::string operator()(double v) const { return numberToText(v); }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(const std::vector<std::uint8_t>& v) const { return std::string(v.begin(), v.end()); }
    };
    return std::visit(Visitor {}, value);
}

void cRegistry::raise(const std::string& description) const
{
    throw NumberedError(ErrorNumber, ErrorSource, description);
}

// "'<root>',Section: '<key path>", as every message names the key.
std::string cRegistry::where() const
{
    return "'" + numberToText(m_classKey) + "',Section: '" + m_sectionKey;
}

void cRegistry::setMachine(const std::string& machine)
{
    if (machine.size() < 3)
        m_machine.clear();
    else
        m_machine = machine.rfind("\\\\", 0) == 0 ? machine : "\\\\" + machine;
}

bool cRegistry::KeyExists() const
{
    std::unique_ptr<RegistryKey> key;
    return m_store.openKey(m_machine, m_classKey, m_sectionKey, Store::KeyQueryValue, key) == Store::StatusOk;
}

bool cRegistry::CreateKey()
{
    std::unique_ptr<RegistryKey> key;
    if (m_store.createKey(m_machine, m_classKey, m_sectionKey, Store::KeyAllUserAccess, key) != Store::StatusOk)
        raise("Failed to create registry Key: '" + m_sectionKey);
    return true;
}

bool cRegistry::DeleteKey()
{
    if (m_store.deleteKey(m_machine, m_classKey, m_sectionKey) != Store::StatusOk)
        raise("Failed to delete registry Key: " + where());
    return true;
}

bool cRegistry::DeleteValue()
{
    std::unique_ptr<RegistryKey> key;
    if (m_store.openKey(m_machine, m_classKey, m_sectionKey, Store::KeyAllUserAccess, key) != Store::StatusOk)
        raise("Failed to open key " + where() + "' for delete access");
    if (key->deleteValue(m_valueKey) != Store::StatusOk)
        raise("Failed to delete registry Key: " + where() + "',Key: '" + m_valueKey);
    return true;
}

RegistryValue cRegistry::Value()
{
    std::unique_ptr<RegistryKey> key;
    std::uint32_t type = Store::RegNone;
    std::string data;
    if (m_store.openKey(m_machine, m_classKey, m_sectionKey, Store::KeyQueryValue, key) != Store::StatusOk
        || key->queryValue(m_valueKey, type, data) != Store::StatusOk)
        return m_default;
    m_valueType = static_cast<std::int32_t>(type);
    switch (type) {
    case Store::RegSz:
    case Store::RegMultiSz:
        return textOfData(data);
    case Store::RegExpandSz:
        return m_store.expandEnvironmentStrings(textOfData(data));
    case Store::RegDword:
    case Store::RegDwordBigEndian:
        return fourBytes(data, type == Store::RegDwordBigEndian);
    default:
        return std::vector<std::uint8_t>(data.begin(), data.end());
    }
}

void cRegistry::setValue(const RegistryValue& value)
{
    const std::string failed = "Failed to set registry value Key: " + where() + "',Key: '" + m_valueKey
        + "' to value: '" + valueText(value) + "'";
    std::unique_ptr<RegistryKey> key;
    // A remote computer that cannot be reached ends up here as well, once.
    if (m_store.createKey(m_machine, m_classKey, m_sectionKey, Store::KeyAllUserAccess, key) != Store::StatusOk)
        raise(failed);

    std::uint32_t type = static_cast<std::uint32_t>(m_valueType);
    std::string data;
    if (type == Store::RegSz || type == Store::RegExpandSz) {
        data = valueText(value) + '\0';
        type = looksExpandable(data) ? Store::RegExpandSz : Store::RegSz;
    } else if (type == Store::RegBinary) {
        const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value);
        if (!bytes)
            raise("Application-defined or object-defined error");
        data.assign(bytes->begin(), bytes->end());
    } else if ((type == Store::RegDword || type == Store::RegDwordBigEndian)
        && (std::holds_alternative<std::int16_t>(value) || std::holds_alternative<std::int32_t>(value))) {
        // Stored little-endian whatever the type asked for.
        const auto number
            = static_cast<std::uint32_t>(std::holds_alternative<std::int16_t>(value) ? std::get<std::int16_t>(value)
                                                                                     : std::get<std::int32_t>(value));
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<char>((number >> shift) & 0xFFu));
        type = Store::RegDword;
    } else {
        return; // other types, and numbers that are not whole, store nothing
    }
    // A store that refuses the value is reported like a key that cannot be made, so the
    // caller never takes a lost value for a written one.
    if (key->setValue(m_valueKey, type, data) != Store::StatusOk)
        raise(failed);
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount)
{
    return enumerate(m_store, *this, true, sKeyNames, iKeyCount);
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount)
{
    return enumerate(m_store, *this, false, sSect, iSectCount);
}

void cRegistry::SetClassValue(const RegistryValue& value)
{
    const std::string section = m_sectionKey;
    try {
        m_classKey = Store::HKeyClassesRoot;
        setValue(value);
        m_classKey = Store::HKeyLocalMachine;
        m_sectionKey = "SOFTWARE\\Classes\\" + section;
        setValue(value);
    } catch (...) {
        m_sectionKey = section;
        throw;
    }
    m_sectionKey = section;
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
    const std::string& sClassDescription, const std::string& sAssociation, const std::string& sOpenMenuText,
    bool bSupportPrint, const std::string& sPrintMenuText, bool bSupportNew, const std::string& sNewMenuText,
    bool bSupportInstall, const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex)
{
    std::string path(AsciiText::trim(sExePath));
    if (path.empty() || path.front() != '"')
        path.insert(path.begin(), '"');
    if (path.size() < 2 || path.back() != '"')
        path.push_back('"');

    m_valueType = static_cast<std::int32_t>(Store::RegSz);
    m_valueKey.clear();
    auto write = [this](const std::string& section, const std::string& text) {
        m_sectionKey = section;
        SetClassValue(text);
    };
    // A verb: its menu text (or the default one) and its command line.
    auto verb = [&](const char* name, const std::string& text, const std::string& fallback, const char* option) {
        write(sClassName + "\\shell\\" + name, text.empty() ? fallback : text);
        write(sClassName + "\\shell\\" + name + "\\command", path + option + " \"%1\"");
    };

    write("." + sAssociation, sClassName);
    write(sClassName, sClassDescription);
    verb("open", sOpenMenuText, "&Open", "");
    if (bSupportPrint)
        verb("print", sPrintMenuText, "&Print", " /p");
    if (bSupportInstall)
        verb("add", sInstallMenuText, "&Install " + sAssociation, " /a");
    if (bSupportNew)
        verb("new", sNewMenuText, "&New", " /n");
    if (lDefaultIconIndex >= 0)
        write(sClassName + "\\DefaultIcon", path + "," + numberToText(lDefaultIconIndex));
}

void cRegistry::CreateWinStartup(const std::string& sAppName, const std::string& sAppPath, bool bRemove)
{
    m_lastError.reset();
    std::error_code error;
    if (sAppPath.empty() || !std::filesystem::is_regular_file(sAppPath, error))
        return;
    m_classKey = Store::HKeyCurrentUser;
    m_sectionKey = StartupRegistry::RunKey;
    m_valueKey = sAppName;
    m_valueType = static_cast<std::int32_t>(Store::RegSz);
    try {
        bRemove ? (void)DeleteValue() : setValue(sAppPath);
    } catch (const NumberedError& e) {
        m_lastError = e;
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<RegistryValue>& vItems)
{
    m_lastError.reset();
    if (vItems.size() % 3 != 0) {
        m_lastError = NumberedError(ErrorInvalidItemList, ErrorSource,
            "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
        return;
    }
    m_sectionKey = sClassName;
    // A class is defined under HKEY_CLASSES_ROOT, whatever root the last write left behind.
    m_classKey = Store::HKeyClassesRoot;
    if (!KeyExists()) {
        m_lastError = NumberedError(ErrorClassNotDefined, ErrorSource,
            "Error - attempt to create additional associations before class defined.");
        return;
    }
    for (std::size_t i = 0; i + 2 < vItems.size(); i += 3) {
        const std::string verbKey = sClassName + "\\shell\\" + valueText(vItems[i]);
        m_valueType = static_cast<std::int32_t>(Store::RegSz);
        m_valueKey.clear();
        for (const auto& [section, item] :
            {std::pair(verbKey, &vItems[i + 1]), {verbKey + "\\command", &vItems[i + 2]}}) {
            try {
                m_sectionKey = section;
                SetClassValue(*item);
            } catch (const NumberedError& e) {
                m_lastError = e;
            }
        }
    }
}

RegistryValue cRegistry::ValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
    std::int32_t valueType, const RegistryValue& defaultValue)
{
    std::tie(m_classKey, m_sectionKey, m_valueKey, m_valueType, m_default)
        = std::tie(classKey, sectionKey, valueKey, valueType, defaultValue);
    return Value();
}

void cRegistry::setValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
    std::int32_t valueType, const RegistryValue& defaultValue, RegistryValue value)
{
    std::tie(m_classKey, m_sectionKey, m_valueKey, m_valueType, m_default)
        = std::tie(classKey, sectionKey, valueKey, valueType, defaultValue);
    if (m_valueType == static_cast<std::int32_t>(Store::RegSz) && valueText(value).empty())
        value = m_default;
    setValue(value);
}
