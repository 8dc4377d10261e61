#include "registry/RunKeyStartupRegistry.h"

#include "registry/RegistryStore.h"
#include "registry/cRegistry.h"

namespace {

cRegistry runValue(RegistryStore& store, const std::string& name)
{
    cRegistry registry(store);
    registry.setClassKey(RegistryStore::HKeyCurrentUser);
    registry.setSectionKey(StartupRegistry::RunKey);
    registry.setValueKey(name);
    registry.setValueType(static_cast<std::int32_t>(RegistryStore::RegSz));
    return registry;
}

} // namespace

void RunKeyStartupRegistry::setRunValue(const std::string& name, const std::string& data)
{
    runValue(m_store, name).setValue(data);
}

void RunKeyStartupRegistry::deleteRunValue(const std::string& name)
{
    cRegistry registry = runValue(m_store, name);
    registry.setValue(std::string());
    registry.DeleteValue();
}
