#pragma once

#include <cstdint>
#include <memory>
#include <string>

// An open key of a registry store; destroying it closes the key. Every call answers a
// status (0 for success). Data are the value's raw bytes: a text value carries its
// terminating zero byte. The empty name is the key's default value.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual long setValue(const std::string& name, std::uint32_t type, const std::string& data) = 0;
    virtual long queryValue(const std::string& name, std::uint32_t& type, std::string& data) = 0;
    virtual long deleteValue(const std::string& name) = 0;
    // The value (or direct sub-key) at this position, 0 first; NoMoreItems past the last.
    virtual long enumValue(std::uint32_t index, std::string& name) = 0;
    virtual long enumKey(std::uint32_t index, std::string& name) = 0;
};

// Where registry keys and values live: the Windows registry itself, or a per-user file
// elsewhere. Roots, value types, access masks and statuses are the platform's published
// numbers, so that the registry class runs over either store unchanged.
class RegistryStore {
public:
    static constexpr std::int32_t HKeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
    static constexpr std::int32_t HKeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
    static constexpr std::int32_t HKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

    static constexpr std::uint32_t RegNone = 0;
    static constexpr std::uint32_t RegSz = 1;
    static constexpr std::uint32_t RegExpandSz = 2;
    static constexpr std::uint32_t RegBinary = 3;
    static constexpr std::uint32_t RegDword = 4;
    static constexpr std::uint32_t RegDwordBigEndian = 5;
    static constexpr std::uint32_t RegMultiSz = 7;

    static constexpr std::uint32_t KeyQueryValue = 0x1;
    static constexpr std::uint32_t KeyEnumerateSubKeys = 0x8;
    static constexpr std::uint32_t KeyAllUserAccess = 0x3F; // query, set, create sub-key, enumerate, notify, link

    static constexpr long StatusOk = 0;
    static constexpr long StatusFileNotFound = 2;
    static constexpr long StatusAccessDenied = 5;
    static constexpr long StatusInvalidHandle = 6;
    static constexpr long StatusBadNetPath = 53;
    static constexpr long StatusInvalidParameter = 87;
    static constexpr long StatusBadPathname = 161;
    static constexpr long StatusNoMoreItems = 259;

    virtual ~RegistryStore() = default;

    // `machine` names another computer ("\\name"); empty means this one. createKey also
    // makes every missing key above the key; deleteKey deletes a key without sub-keys.
    virtual long createKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key)
        = 0;
    virtual long openKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key)
        = 0;
    virtual long deleteKey(const std::string& machine, std::int32_t root, const std::string& path) = 0;
    // Replaces each %NAME% by that environment variable's value; unknown names stay as written.
    virtual std::string expandEnvironmentStrings(const std::string& text) = 0;

    // The registry on Windows, the per-user file elsewhere.
    static std::unique_ptr<RegistryStore> createDefault();
};
