#ifdef _WIN32

#include "registry/RegistryStore.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

namespace {

// Runs `call` on the root key: the local one, or the same root of another computer
// ("\\name"), connected for the call and closed after it.
template <typename Call> LONG onRoot(const std::string& machine, std::int32_t root, Call call)
{
    // The published root handles are 32-bit values, sign-extended on 64-bit Windows.
    HKEY base = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
    if (!machine.empty()) {
        if (const LONG status = RegConnectRegistryA(machine.c_str(), base, &base); status != ERROR_SUCCESS)
            return status;
    }
    const LONG status = call(base);
    if (!machine.empty())
        RegCloseKey(base);
    return status;
}

class WindowsRegistryKey : public RegistryKey {
public:
    explicit WindowsRegistryKey(HKEY key)
        : m_key(key)
    {
    }
    ~WindowsRegistryKey() override { RegCloseKey(m_key); }
    WindowsRegistryKey(const WindowsRegistryKey&) = delete;
    WindowsRegistryKey& operator=(const WindowsRegistryKey&) = delete;

    long setValue(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        return RegSetValueExA(m_key, name.c_str(), 0, static_cast<DWORD>(type),
            reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    }

    long queryValue(const std::string& name, std::uint32_t& type, std::string& data) override
    {
        DWORD valueType = REG_NONE;
        DWORD size = 0;
        LONG status = RegQueryValueExA(m_key, name.c_str(), nullptr, &valueType, nullptr, &size);
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            return status;
        // The value may grow between the two calls: ask again until it fits.
        for (int attempt = 0; attempt < 8; ++attempt) {
            std::vector<BYTE> buffer(size + 1);
            DWORD got = size;
            status = RegQueryValueExA(m_key, name.c_str(), nullptr, &valueType, buffer.data(), &got);
            if (status == ERROR_MORE_DATA) {
                size = got > size ? got : size * 2 + 16;
                continue;
            }
            if (status != ERROR_SUCCESS)
                return status;
            type = valueType;
            data.assign(reinterpret_cast<const char*>(buffer.data()), got);
            return ERROR_SUCCESS;
        }
        return ERROR_MORE_DATA;
    }

    long deleteValue(const std::string& name) override { return RegDeleteValueA(m_key, name.c_str()); }

    long enumValue(std::uint32_t index, std::string& name) override
    {
        DWORD longest = 0;
        LONG status = RegQueryInfoKeyA(
            m_key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        for (int attempt = 0; attempt < 8; ++attempt) {
            std::vector<char> buffer(longest + 1);
            DWORD length = static_cast<DWORD>(buffer.size());
            status = RegEnumValueA(
                m_key, static_cast<DWORD>(index), buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_MORE_DATA) {
                longest = longest * 2 + 64;
                continue;
            }
            if (status != ERROR_SUCCESS)
                return status;
            name.assign(buffer.data(), length);
            return ERROR_SUCCESS;
        }
        return ERROR_MORE_DATA;
    }

    long enumKey(std::uint32_t index, std::string& name) override
    {
        char buffer[MAX_PATH + 1] = {};
        const LONG status = RegEnumKeyA(m_key, static_cast<DWORD>(index), buffer, sizeof buffer);
        if (status == ERROR_SUCCESS)
            name = buffer;
        return status;
    }

private:
    HKEY m_key;
};

// The Windows registry itself, through the narrow-character functions of advapi32.
class WindowsRegistryStore : public RegistryStore {
public:
    long createKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override
    {
        HKEY opened = nullptr;
        return keep(key, opened, onRoot(machine, root, [&](HKEY base) {
            return RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, static_cast<REGSAM>(access),
                nullptr, &opened, nullptr);
        }));
    }

    long openKey(const std::string& machine, std::int32_t root, const std::string& path, std::uint32_t access,
        std::unique_ptr<RegistryKey>& key) override
    {
        HKEY opened = nullptr;
        return keep(key, opened, onRoot(machine, root, [&](HKEY base) {
            return RegOpenKeyExA(base, path.c_str(), 0, static_cast<REGSAM>(access), &opened);
        }));
    }

    long deleteKey(const std::string& machine, std::int32_t root, const std::string& path) override
    {
        return onRoot(machine, root, [&](HKEY base) { return RegDeleteKeyA(base, path.c_str()); });
    }

    std::string expandEnvironmentStrings(const std::string& text) override
    {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
        if (needed == 0)
            return text;
        std::vector<char> buffer(needed + 1);
        const DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (written == 0 || written > buffer.size())
            return text;
        return std::string(buffer.data(), written - 1);
    }

private:
    // The key that a call opened, handed out when it succeeded.
    static LONG keep(std::unique_ptr<RegistryKey>& key, const HKEY& opened, LONG status)
    {
        key.reset();
        if (status == ERROR_SUCCESS)
            key = std::make_unique<WindowsRegistryKey>(opened);
        return status;
    }
};

} // namespace

std::unique_ptr<RegistryStore> RegistryStore::createDefault()
{
    return std::make_unique<WindowsRegistryStore>();
}

#endif
