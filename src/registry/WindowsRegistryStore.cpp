#ifdef _WIN32

#include "registry/WindowsRegistryStore.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

namespace {

HKEY predefinedKey(std::int32_t root)
{
    // The published root handles are 32-bit values, sign-extended on 64-bit Windows.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
}

// The base key to open below: the local root, or the same root of another computer,
// which the caller closes with closeBase.
LONG baseKey(const std::string& machine, std::int32_t root, HKEY& base)
{
    base = predefinedKey(root);
    if (machine.empty())
        return ERROR_SUCCESS;
    return RegConnectRegistryA(machine.c_str(), base, &base);
}

void closeBase(const std::string& machine, HKEY base)
{
    if (!machine.empty())
        RegCloseKey(base);
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
        if (status != ERROR_SUCCESS)
            return status;
        name = buffer;
        return ERROR_SUCCESS;
    }

private:
    HKEY m_key;
};

} // namespace

long WindowsRegistryStore::createKey(const std::string& machine, std::int32_t root, const std::string& path,
    std::uint32_t access, std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    HKEY base = nullptr;
    LONG status = baseKey(machine, root, base);
    if (status != ERROR_SUCCESS)
        return status;
    HKEY opened = nullptr;
    DWORD disposition = 0;
    status = RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, static_cast<REGSAM>(access),
        nullptr, &opened, &disposition);
    closeBase(machine, base);
    if (status == ERROR_SUCCESS)
        key = std::make_unique<WindowsRegistryKey>(opened);
    return status;
}

long WindowsRegistryStore::openKey(const std::string& machine, std::int32_t root, const std::string& path,
    std::uint32_t access, std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    HKEY base = nullptr;
    LONG status = baseKey(machine, root, base);
    if (status != ERROR_SUCCESS)
        return status;
    HKEY opened = nullptr;
    status = RegOpenKeyExA(base, path.c_str(), 0, static_cast<REGSAM>(access), &opened);
    closeBase(machine, base);
    if (status == ERROR_SUCCESS)
        key = std::make_unique<WindowsRegistryKey>(opened);
    return status;
}

long WindowsRegistryStore::deleteKey(const std::string& machine, std::int32_t root, const std::string& path)
{
    HKEY base = nullptr;
    LONG status = baseKey(machine, root, base);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegDeleteKeyA(base, path.c_str());
    closeBase(machine, base);
    return status;
}

std::string WindowsRegistryStore::expandEnvironmentStrings(const std::string& text)
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

#endif
