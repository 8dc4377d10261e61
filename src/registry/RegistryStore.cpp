#include "registry/RegistryStore.h"

#ifdef _WIN32
#include "registry/WindowsRegistryStore.h"
#else
#include "registry/FileRegistryStore.h"
#endif

std::unique_ptr<RegistryStore> RegistryStore::createDefault()
{
#ifdef _WIN32
    return std::make_unique<WindowsRegistryStore>();
#else
    return std::make_unique<FileRegistryStore>(FileRegistryStore::defaultFilePath());
#endif
}
