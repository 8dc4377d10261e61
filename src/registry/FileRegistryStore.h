#pragma once

#include "datafile/ProfileStore.h"
#include "registry/RegistryStore.h"

// The registry of a platform that has none: one INI file with a section per key, named
// after its root and path ("HKEY_CURRENT_USER\Software\..."), and an entry per value,
// "name=<type>:<data>", percent-encoded where the format needs it ("@" is the default
// value's empty name). Another computer's registry cannot be reached (BadNetPath).
//
// A text value of the current user's Run key is also an XDG autostart entry
// "<autostart folder>/<value name>.desktop", so that its command really runs at log-in.
class FileRegistryStore : public RegistryStore {
public:
    explicit FileRegistryStore(std::string filePath, std::string autostartFolder = defaultAutostartFolder())
        : m_filePath(std::move(filePath))
        , m_autostartFolder(std::move(autostartFolder))
    {
    }

    // The config home is $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
    static std::string defaultFilePath() { return configHome() + "/wheelbook/registry.ini"; }
    static std::string defaultAutostartFolder() { return configHome() + "/autostart"; }

    long createKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override;
    long openKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override;
    long deleteKey(const std::string& machine, std::int32_t root, const std::string& path) override;
    std::string expandEnvironmentStrings(const std::string& text) override;

private:
    class OpenKey;
    static std::string configHome();
    long open(const std::string& machine, std::int32_t root, const std::string& path, long (OpenKey::*step)(),
        std::unique_ptr<RegistryKey>& key);

    std::string m_filePath;
    std::string m_autostartFolder;
    ProfileStore m_profile;
};
