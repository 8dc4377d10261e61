#pragma once

#include "core/NumberedError.h"
#include "registry/RegistryStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A value as the registry class reads and writes it.
using RegistryValue
    = std::variant<std::monostate, std::int16_t, std::int32_t, double, std::string, std::vector<std::uint8_t>>;

// A general-purpose class over the registry: the properties name a location (root key,
// key path, value name, value type), then the value is read or written or an operation
// runs there. Failures are thrown as NumberedError 26001; the two operations that keep
// going after a failure leave it in LastError() instead.
class cRegistry {
public:
    static constexpr long ErrorNumber = 26001;
    static constexpr const char* ErrorSource = "Wheelbook.cRegistry";
    static constexpr long ErrorInvalidItemList = -2147194452; // 0x800469AC
    static constexpr long ErrorClassNotDefined = -2147194451; // 0x800469AD

    explicit cRegistry(RegistryStore& store)
        : m_store(store)
    {
    }

    // Another computer's name, kept with two leading backslashes; empty means this one.
    const std::string& Machine() const { return m_machine; }
    void setMachine(const std::string& machine);

    bool KeyExists() const;
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    // Default() when the value cannot be read; otherwise ValueType() becomes its type.
    RegistryValue Value();
    void setValue(const RegistryValue& value);

    // The value (or sub-key) names of SectionKey, in the store's order.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount);

    // Registers a file type (extension, class, shell verbs) under HKEY_CLASSES_ROOT and
    // HKEY_LOCAL_MACHINE "SOFTWARE\Classes". A negative icon index writes no icon.
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
        const std::string& sClassDescription, const std::string& sAssociation, const std::string& sOpenMenuText = {},
        bool bSupportPrint = false, const std::string& sPrintMenuText = {}, bool bSupportNew = false,
        const std::string& sNewMenuText = {}, bool bSupportInstall = false, const std::string& sInstallMenuText = {},
        std::int32_t lDefaultIconIndex = -1);

    // Writes (or with bRemove deletes) the log-in entry sAppName = sAppPath, only when a
    // file exists at sAppPath. Failures go to LastError().
    void CreateWinStartup(const std::string& sAppName, const std::string& sAppPath, bool bRemove = false);

    // vItems: verb name, menu text and command line, three by three. Failures go to LastError().
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<RegistryValue>& vItems);

    std::int32_t ValueType() const { return m_valueType; }
    void setValueType(std::int32_t valueType) { m_valueType = valueType; }
    std::int32_t ClassKey() const { return m_classKey; }
    void setClassKey(std::int32_t classKey) { m_classKey = classKey; }
    const std::string& SectionKey() const { return m_sectionKey; }
    void setSectionKey(const std::string& sectionKey) { m_sectionKey = sectionKey; }
    const std::string& ValueKey() const { return m_valueKey; }
    void setValueKey(const std::string& valueKey) { m_valueKey = valueKey; }

    // Set the five location properties, then read or write Value. Writing an empty text
    // with type 1 writes the default instead.
    RegistryValue ValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
        std::int32_t valueType, const RegistryValue& defaultValue);
    void setValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
        std::int32_t valueType, const RegistryValue& defaultValue, RegistryValue value);

    const RegistryValue& Default() const { return m_default; }
    void setDefault(const RegistryValue& defaultValue) { m_default = defaultValue; }

    // The failure that CreateWinStartup or CreateAdditionalEXEAssociations met last, if any.
    const std::optional<NumberedError>& LastError() const { return m_lastError; }

    // A value as text, the way writing a text value takes it.
    static std::string valueText(const RegistryValue& value);

private:
    void SetClassValue(const RegistryValue& value);
    [[noreturn]] void raise(const std::string& description) const;
    std::string where() const;

    RegistryStore& m_store;
    std::string m_machine;
    std::int32_t m_classKey = 0;
    std::string m_sectionKey;
    std::string m_valueKey;
    std::int32_t m_valueType = 0;
    RegistryValue m_default;
    std::optional<NumberedError> m_lastError;
};
