#pragma once

#include "domain/StartupRegistry.h"
#include "registry/cRegistry.h"

// The start-at-log-in entry kept through the registry class: a text value under the
// current user's Run key. Writing a value that is there already writes nothing; removing
// it is one delete, and a value that was not there is no failure.
class RunKeyStartupRegistry : public StartupRegistry {
public:
    explicit RunKeyStartupRegistry(RegistryStore& store)
        : m_store(store)
    {
    }

    void setRunValue(const std::string& name, const std::string& data) override
    {
        cRegistry(m_store).setValueEx(RegistryStore::HKeyCurrentUser, RunKey, name, RegistryStore::RegSz, {}, data);
    }

    void deleteRunValue(const std::string& name) override
    {
        cRegistry registry(m_store);
        registry.setClassKey(RegistryStore::HKeyCurrentUser);
        registry.setSectionKey(RunKey);
        registry.setValueKey(name);
        try {
            registry.DeleteValue();
        } catch (const NumberedError&) {
            if (!std::holds_alternative<std::monostate>(registry.Value()))
                throw; // it is there and stays: that is a failure
        }
    }

private:
    RegistryStore& m_store;
};
