#pragma once

#include "domain/StartupRegistry.h"
#include "registry/cRegistry.h"

// The start-at-log-in entry kept through the registry class: a text value under the
// current user's Run key. Removing it writes the empty text first, so the delete never
// fails for a value that was not there.
class RunKeyStartupRegistry : public StartupRegistry {
public:
    explicit RunKeyStartupRegistry(RegistryStore& store)
        : m_store(store)
    {
    }

    void setRunValue(const std::string& name, const std::string& data) override { write(name, data); }

    void deleteRunValue(const std::string& name) override { write(name, {}).DeleteValue(); }

private:
    cRegistry write(const std::string& name, const std::string& data)
    {
        cRegistry registry(m_store);
        registry.setValueEx(RegistryStore::HKeyCurrentUser, RunKey, name, RegistryStore::RegSz, {}, data);
        return registry;
    }

    RegistryStore& m_store;
};
