// QzPlatformLibrary.cpp: dlopen, dlsym, dlclose.
#include "system/platform/QzPlatformLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace qzplatform {

void* LoadLibrary(char const* fileName)
{
    // an empty name would give the main program here, not a failure
    if (fileName == nullptr || fileName[0] == '\0')
        return nullptr;
    return ::dlopen(fileName, RTLD_NOW);
}

void* AddLibraryReference(void* library)
{
    if (library == nullptr)
        return nullptr;
    // reopening by the loaded object's own path finds it, however it was
    // first named, and RTLD_NOLOAD makes sure nothing new is loaded
    link_map* map = nullptr;
    if (::dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
        return nullptr;
    return ::dlopen(map->l_name, RTLD_NOW | RTLD_NOLOAD);
}

void* FindSymbol(void* library, char const* name)
{
    if (library == nullptr || name == nullptr)
        return nullptr;
    return ::dlsym(library, name);
}

void FreeLibrary(void* library)
{
    if (library != nullptr)
        ::dlclose(library);
}

} // namespace qzplatform
