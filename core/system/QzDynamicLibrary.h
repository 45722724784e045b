// QzDynamicLibrary.h: CQzDynamicLibrary, a named shared library that is
// loaded, asked for function addresses and released.
#ifndef QZCORE_SYSTEM_QZDYNAMICLIBRARY_H
#define QZCORE_SYSTEM_QZDYNAMICLIBRARY_H

#include "QzApi.h"
#include "foundation/QzString.h"

class QZ_API CQzDynamicLibrary
{
public:
    // Stores the name; nothing is loaded yet.
    explicit CQzDynamicLibrary(TQzString<char> const& fileName);
    // A copy of a loaded library holds the same module handle and takes a
    // reference of its own, so every copy releases exactly what it holds.
    CQzDynamicLibrary(CQzDynamicLibrary const& other);
    CQzDynamicLibrary& operator=(CQzDynamicLibrary const& other);
    // Unloads the library if it is still loaded.
    virtual ~CQzDynamicLibrary();

    // Loads the library (all symbols resolved now); false on failure, and
    // for an empty name. A loaded library is released first.
    bool Initialize();
    // The address of an exported function; null when not loaded or absent.
    void* GetFunctionAddress(TQzString<char> const& name) const;
    // Unloads the library; nothing happens when it is not loaded.
    void Release();

private:
    TQzString<char> m_fileName;
    void* m_module;
};

#endif // QZCORE_SYSTEM_QZDYNAMICLIBRARY_H
