#include "registry/cRegistry.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"

#include <filesystem>
#include <system_error>

namespace {

// What a raised error without a text of its own says.
const char* const kNoDescription = "Application-defined or object-defined error";

// A text is stored as expandable when a "%" is followed, two or more characters
// further on, by another "%".
bool looksExpandable(const std::string& text)
{
    const auto first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

std::string littleEndian32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    return bytes;
}

std::uint32_t fourBytes(const std::string& data, bool bigEndian)
{
    // Missing bytes read as zero, as the platform's zero-filled buffer would.
    std::uint8_t bytes[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(data[i]);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t byte = bigEndian ? bytes[i] : bytes[3 - i];
        value = (value << 8) | byte;
    }
    return value;
}

// A text value's data without its terminating zero. Data written without one keep
// all their characters.
std::string textOfData(const std::string& data)
{
    if (!data.empty() && data.back() == '\0')
        return data.substr(0, data.size() - 1);
    return data;
}

} // namespace

cRegistry::cRegistry(RegistryStore& store)
    : m_store(store)
{
}

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

std::string cRegistry::rootText() const
{
    return numberToText(m_classKey);
}

std::string cRegistry::setFailedText(const RegistryValue& value) const
{
    return "Failed to set registry value Key: '" + rootText() + "',Section: '" + m_sectionKey + "',Key: '" + m_valueKey
        + "' to value: '" + valueText(value) + "'";
}

void cRegistry::setMachine(const std::string& machine)
{
    if (machine.size() < 3)
        m_machine.clear();
    else if (machine.rfind("\\\\", 0) == 0)
        m_machine = machine;
    else
        m_machine = "\\\\" + machine;
}

bool cRegistry::KeyExists() const
{
    std::unique_ptr<RegistryKey> key;
    return m_store.openKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyQueryValue, key)
        == RegistryStore::StatusOk;
}

bool cRegistry::CreateKey()
{
    std::unique_ptr<RegistryKey> key;
    if (m_store.createKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyAllUserAccess, key)
        != RegistryStore::StatusOk)
        raise("Failed to create registry Key: '" + m_sectionKey);
    return true;
}

bool cRegistry::DeleteKey()
{
    if (m_store.deleteKey(m_machine, m_classKey, m_sectionKey) != RegistryStore::StatusOk)
        raise("Failed to delete registry Key: '" + rootText() + "',Section: '" + m_sectionKey);
    return true;
}

bool cRegistry::DeleteValue()
{
    std::unique_ptr<RegistryKey> key;
    if (m_store.openKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyAllUserAccess, key)
        != RegistryStore::StatusOk)
        raise("Failed to open key '" + rootText() + "',Section: '" + m_sectionKey + "' for delete access");
    if (key->deleteValue(m_valueKey) != RegistryStore::StatusOk)
        raise(
            "Failed to delete registry Key: '" + rootText() + "',Section: '" + m_sectionKey + "',Key: '" + m_valueKey);
    return true;
}

RegistryValue cRegistry::Value()
{
    std::unique_ptr<RegistryKey> key;
    if (m_store.openKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyQueryValue, key)
        != RegistryStore::StatusOk)
        return m_default;
    std::uint32_t type = RegistryStore::RegNone;
    std::string data;
    if (key->queryValue(m_valueKey, type, data) != RegistryStore::StatusOk)
        return m_default;
    m_valueType = static_cast<std::int32_t>(type);
    switch (type) {
    case RegistryStore::RegSz:
    case RegistryStore::RegMultiSz:
        return textOfData(data);
    case RegistryStore::RegExpandSz:
        return m_store.expandEnvironmentStrings(textOfData(data));
    case RegistryStore::RegDword:
        return static_cast<std::int32_t>(fourBytes(data, false));
    case RegistryStore::RegDwordBigEndian:
        return static_cast<std::int32_t>(fourBytes(data, true));
    default:
        return std::vector<std::uint8_t>(data.begin(), data.end());
    }
}

void cRegistry::setValue(const RegistryValue& value)
{
    std::unique_ptr<RegistryKey> key;
    // A remote computer that cannot be reached ends up here as well, once.
    if (m_store.createKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyAllUserAccess, key)
        != RegistryStore::StatusOk)
        raise(setFailedText(value));

    std::uint32_t type = RegistryStore::RegNone;
    std::string data;
    switch (m_valueType) {
    case static_cast<std::int32_t>(RegistryStore::RegSz):
    case static_cast<std::int32_t>(RegistryStore::RegExpandSz): {
        const std::string text = valueText(value);
        type = looksExpandable(text) ? RegistryStore::RegExpandSz : RegistryStore::RegSz;
        data = text;
        data.push_back('\0');
        break;
    }
    case static_cast<std::int32_t>(RegistryStore::RegBinary): {
        const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value);
        if (!bytes)
            raise(kNoDescription);
        type = RegistryStore::RegBinary;
        data.assign(bytes->begin(), bytes->end());
        break;
    }
    case static_cast<std::int32_t>(RegistryStore::RegDword):
    case static_cast<std::int32_t>(RegistryStore::RegDwordBigEndian): {
        std::int32_t number = 0;
        if (const auto* small = std::get_if<std::int16_t>(&value))
            number = *small;
        else if (const auto* large = std::get_if<std::int32_t>(&value))
            number = *large;
        else
            return; // only whole numbers are stored as numbers
        type = RegistryStore::RegDword;
        data = littleEndian32(static_cast<std::uint32_t>(number));
        break;
    }
    default:
        return;
    }
    // A store that refuses the value is reported like a key that cannot be made,
    // so the caller never takes a lost value for a written one.
    if (key->setValue(m_valueKey, type, data) != RegistryStore::StatusOk)
        raise(setFailedText(value));
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount)
{
    sKeyNames.clear();
    iKeyCount = 0;
    std::unique_ptr<RegistryKey> key;
    if (m_store.openKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyQueryValue, key)
        != RegistryStore::StatusOk)
        return true;
    std::string name;
    for (std::uint32_t index = 0; key->enumValue(index, name) == RegistryStore::StatusOk; ++index) {
        sKeyNames.push_back(name);
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount)
{
    sSect.clear();
    iSectCount = 0;
    std::unique_ptr<RegistryKey> key;
    if (m_store.openKey(m_machine, m_classKey, m_sectionKey, RegistryStore::KeyEnumerateSubKeys, key)
        != RegistryStore::StatusOk)
        return true;
    std::string name;
    for (std::uint32_t index = 0; key->enumKey(index, name) == RegistryStore::StatusOk; ++index) {
        sSect.push_back(name.substr(0, name.find('\0')));
        ++iSectCount;
    }
    return true;
}

void cRegistry::SetClassValue(const RegistryValue& value)
{
    const std::string section = m_sectionKey;
    try {
        m_classKey = RegistryStore::HKeyClassesRoot;
        setValue(value);
        m_classKey = RegistryStore::HKeyLocalMachine;
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

    m_valueType = static_cast<std::int32_t>(RegistryStore::RegSz);
    m_valueKey.clear();
    auto write = [this](const std::string& section, const std::string& text) {
        m_sectionKey = section;
        SetClassValue(text);
    };
    auto orDefault
        = [](const std::string& text, const std::string& fallback) { return text.empty() ? fallback : text; };

    write("." + sAssociation, sClassName);
    write(sClassName, sClassDescription);
    write(sClassName + "\\shell\\open", orDefault(sOpenMenuText, "&Open"));
    write(sClassName + "\\shell\\open\\command", path + " \"%1\"");
    if (bSupportPrint) {
        write(sClassName + "\\shell\\print", orDefault(sPrintMenuText, "&Print"));
        write(sClassName + "\\shell\\print\\command", path + " /p \"%1\"");
    }
    if (bSupportInstall) {
        write(sClassName + "\\shell\\add", orDefault(sInstallMenuText, "&Install " + sAssociation));
        write(sClassName + "\\shell\\add\\command", path + " /a \"%1\"");
    }
    if (bSupportNew) {
        write(sClassName + "\\shell\\new", orDefault(sNewMenuText, "&New"));
        write(sClassName + "\\shell\\new\\command", path + " /n \"%1\"");
    }
    if (lDefaultIconIndex >= 0)
        write(sClassName + "\\DefaultIcon", path + "," + numberToText(lDefaultIconIndex));
}

void cRegistry::CreateWinStartup(const std::string& sAppName, const std::string& sAppPath, bool bRemove)
{
    m_lastError.reset();
    std::error_code error;
    if (sAppPath.empty() || !std::filesystem::is_regular_file(sAppPath, error))
        return;
    m_classKey = RegistryStore::HKeyCurrentUser;
    m_sectionKey = RegistryStore::RunKeyPath;
    m_valueKey = sAppName;
    m_valueType = static_cast<std::int32_t>(RegistryStore::RegSz);
    try {
        if (bRemove)
            DeleteValue();
        else
            setValue(sAppPath);
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
    m_classKey = RegistryStore::HKeyClassesRoot;
    if (!KeyExists()) {
        m_lastError = NumberedError(ErrorClassNotDefined, ErrorSource,
            "Error - attempt to create additional associations before class defined.");
        return;
    }
    for (std::size_t i = 0; i + 2 < vItems.size(); i += 3) {
        const std::string verbKey = sClassName + "\\shell\\" + valueText(vItems[i]);
        m_valueType = static_cast<std::int32_t>(RegistryStore::RegSz);
        m_valueKey.clear();
        try {
            m_sectionKey = verbKey;
            SetClassValue(vItems[i + 1]);
        } catch (const NumberedError& e) {
            m_lastError = e;
        }
        try {
            m_sectionKey = verbKey + "\\command";
            SetClassValue(vItems[i + 2]);
        } catch (const NumberedError& e) {
            m_lastError = e;
        }
    }
}

RegistryValue cRegistry::ValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
    std::int32_t valueType, const RegistryValue& defaultValue)
{
    m_classKey = classKey;
    m_sectionKey = sectionKey;
    m_valueKey = valueKey;
    m_valueType = valueType;
    m_default = defaultValue;
    return Value();
}

void cRegistry::setValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
    std::int32_t valueType, const RegistryValue& defaultValue, RegistryValue value)
{
    m_classKey = classKey;
    m_sectionKey = sectionKey;
    m_valueKey = valueKey;
    m_valueType = valueType;
    m_default = defaultValue;
    if (m_valueType == static_cast<std::int32_t>(RegistryStore::RegSz) && valueText(value).empty())
        value = m_default;
    setValue(value);
}
