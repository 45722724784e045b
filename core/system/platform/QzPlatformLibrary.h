// QzPlatformLibrary.h: loading shared libraries and finding their symbols
// (internal, never installed).
#ifndef QZCORE_SYSTEM_PLATFORM_QZPLATFORMLIBRARY_H
#define QZCORE_SYSTEM_PLATFORM_QZPLATFORMLIBRARY_H

namespace qzplatform {

// Loads the library, resolving every symbol now; null on failure. Loading
// a library that is loaded already takes one more reference on it.
void* LoadLibrary(char const* fileName);

// One more reference on a loaded library, returning the same handle; null
// for a null handle.
void* AddLibraryReference(void* library);

// The address of an exported symbol, or null.
void* FindSymbol(void* library, char const* name);

// Drops one reference taken by LoadLibrary.
void FreeLibrary(void* library);

} // namespace qzplatform

#endif // QZCORE_SYSTEM_PLATFORM_QZPLATFORMLIBRARY_H
