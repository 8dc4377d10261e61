#pragma once

#ifdef _WIN32

#include "registry/RegistryStore.h"

// The Windows registry itself, through the narrow-character functions of advapi32.
// A machine name connects to that computer's registry and opens the key there.
class WindowsRegistryStore : public RegistryStore {
public:
    long createKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override;
    long openKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override;
    long deleteKey(const std::string& machine, std::int32_t root, const std::string& path) override;
    std::string expandEnvironmentStrings(const std::string& text) override;
};

#endif
