#pragma once

#include "core/NumberedError.h"
#include "registry/FileRegistryStore.h"
#include "registry/cRegistry.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

// A file store under a temporary XDG_CONFIG_HOME, the way the program finds its own.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest()
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            m_oldConfigHome = old;
        ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
        store.emplace(FileRegistryStore::defaultFilePath());
    }
    ~RegistryTest() override
    {
        if (m_oldConfigHome)
            ::setenv("XDG_CONFIG_HOME", m_oldConfigHome->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }

    cRegistry registry() { return cRegistry(*store); }

    // The type and bytes the store holds, or nothing.
    struct Stored {
        std::uint32_t type = 0;
        std::string data;
    };
    std::optional<Stored> stored(std::int32_t root, const std::string& path, const std::string& name)
    {
        std::unique_ptr<RegistryKey> key;
        if (store->openKey({}, root, path, RegistryStore::KeyQueryValue, key) != RegistryStore::StatusOk)
            return std::nullopt;
        Stored result;
        if (key->queryValue(name, result.type, result.data) != RegistryStore::StatusOk)
            return std::nullopt;
        return result;
    }

    std::string autostartFile(const std::string& name) const { return dir.path() + "/autostart/" + name; }

    TempDir dir;
    std::optional<FileRegistryStore> store;

private:
    std::optional<std::string> m_oldConfigHome;
};

inline void expectRegistryError(const std::function<void()>& call, const std::string& description)
{
    try {
        call();
        ADD_FAILURE() << "no error raised; expected: " << description;
    } catch (const NumberedError& e) {
        EXPECT_EQ(e.number(), 26001);
        EXPECT_EQ(e.source(), "Wheelbook.cRegistry");
        EXPECT_EQ(e.description(), description);
    }
}
