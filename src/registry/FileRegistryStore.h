#pragma once

#include "registry/RegistryStore.h"

#include <string>

// The registry of a platform that has none: one per-user file that keeps keys,
// typed values and their order, replaced atomically on every change and read again
// by every operation.
//
// The values of HKEY_CURRENT_USER "Software\Microsoft\Windows\CurrentVersion\Run"
// that are named texts live as XDG autostart entries instead
// ("<autostart folder>/<value name>.desktop"), so that they really start their
// command at log-in; enumerating that key lists every entry of the folder. The Run
// key and the keys above it always exist.
//
// Another computer's registry cannot be reached: naming one fails with BadNetPath.
class FileRegistryStore : public RegistryStore {
public:
    explicit FileRegistryStore(std::string filePath, std::string autostartFolder = defaultAutostartFolder());

    // $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
    static std::string configHome();
    // <config home>/wheelbook/registry.dat
    static std::string defaultFilePath();
    // <config home>/autostart
    static std::string defaultAutostartFolder();

    const std::string& filePath() const { return m_filePath; }
    const std::string& autostartFolder() const { return m_autostartFolder; }

    long createKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override;
    long openKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override;
    long deleteKey(const std::string& machine, std::int32_t root, const std::string& path) override;
    std::string expandEnvironmentStrings(const std::string& text) override;

private:
    class OpenKey;

    std::string m_filePath;
    std::string m_autostartFolder;
};
