#pragma once

#include "domain/StartupRegistry.h"

class RegistryStore;

// The start-at-log-in entry kept through the registry class: a text value under the
// current user's Run key. Removing it writes the empty text first, so the delete never
// fails for a value that was not there.
class RunKeyStartupRegistry : public StartupRegistry {
public:
    explicit RunKeyStartupRegistry(RegistryStore& store)
        : m_store(store)
    {
    }

    void setRunValue(const std::string& name, const std::string& data) override;
    void deleteRunValue(const std::string& name) override;

private:
    RegistryStore& m_store;
};
