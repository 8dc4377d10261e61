#pragma once

#include "registry/RegistryKey.h"

#include <cstdint>
#include <memory>
#include <string>

// Where registry keys and values live: the Windows registry itself, or a per-user
// file elsewhere. Keys are opened and closed by each operation of the registry class.
//
// Root keys, value types, access masks and statuses are the platform's published
// numbers, so that the same class runs over either store unchanged.
class RegistryStore {
public:
    // Root handles, as 32-bit whole numbers.
    static constexpr std::int32_t HKeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
    static constexpr std::int32_t HKeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
    static constexpr std::int32_t HKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
    static constexpr std::int32_t HKeyUsers = static_cast<std::int32_t>(0x80000003u);
    static constexpr std::int32_t HKeyCurrentConfig = static_cast<std::int32_t>(0x80000005u);

    // Value types.
    static constexpr std::uint32_t RegNone = 0;
    static constexpr std::uint32_t RegSz = 1;
    static constexpr std::uint32_t RegExpandSz = 2;
    static constexpr std::uint32_t RegBinary = 3;
    static constexpr std::uint32_t RegDword = 4;
    static constexpr std::uint32_t RegDwordBigEndian = 5;
    static constexpr std::uint32_t RegLink = 6;
    static constexpr std::uint32_t RegMultiSz = 7;

    // Access masks.
    static constexpr std::uint32_t KeyQueryValue = 0x1;
    static constexpr std::uint32_t KeyEnumerateSubKeys = 0x8;
    static constexpr std::uint32_t KeyAllUserAccess = 0x3F; // query, set, create sub-key, enumerate, notify, link

    // Statuses.
    static constexpr long StatusOk = 0;
    static constexpr long StatusFileNotFound = 2;
    static constexpr long StatusAccessDenied = 5;
    static constexpr long StatusInvalidHandle = 6;
    static constexpr long StatusBadNetPath = 53;
    static constexpr long StatusInvalidParameter = 87;
    static constexpr long StatusDiskFull = 112;
    static constexpr long StatusBadPathname = 161;
    static constexpr long StatusMoreData = 234;
    static constexpr long StatusNoMoreItems = 259;
    static constexpr long StatusRegistryCorrupt = 1015;
    static constexpr long StatusRegistryIoFailed = 1016;
    static constexpr long StatusKeyDeleted = 1018;

    // The per-user key whose values start programs at log-in.
    static constexpr const char* RunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    virtual ~RegistryStore() = default;

    // `machine` names another computer ("\\name"); empty means this one.
    // Creates the key and every missing key above it, or opens it when it exists.
    virtual long createKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key)
        = 0;
    virtual long openKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key)
        = 0;
    // Deletes a key that has no sub-keys, with its values.
    virtual long deleteKey(const std::string& machine, std::int32_t root, const std::string& path) = 0;

    // Replaces each %NAME% by that environment variable's value; unknown names stay as written.
    virtual std::string expandEnvironmentStrings(const std::string& text) = 0;

    // The store this platform uses: the registry on Windows, the per-user file elsewhere.
    static std::unique_ptr<RegistryStore> createDefault();
};
