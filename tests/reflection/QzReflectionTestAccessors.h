// QzReflectionTestAccessors.h: records whose accessors keep the member in a
// store of their own and count their calls, and distinct values to write.
#ifndef QZCORE_TESTS_REFLECTION_QZREFLECTIONTESTACCESSORS_H
#define QZCORE_TESTS_REFLECTION_QZREFLECTIONTESTACCESSORS_H

#include "reflection/QzReflectionInformation.h"

#include <cstring>

namespace qztest {

struct SAccessorLog
{
    int sets = 0, gets = 0;
    void const *object = nullptr, *setValue = nullptr;
    size_t size = 0; // bytes the setter copies into the store
    alignas(16) unsigned char store[64] = {};
};
inline SAccessorLog g_log;

inline void CountingSetter(void* object, void const* value)
{
    ++g_log.sets;
    g_log.object = object;
    g_log.setValue = value;
    if (value != nullptr) // a resource's setter may receive null itself
        std::memcpy(g_log.store, value, g_log.size);
}

inline void const* CountingGetter(void const* object)
{
    ++g_log.gets;
    g_log.object = object;
    return g_log.store;
}

inline CQzReflectionInformation Record(CQzReflectionInformation::EType type, size_t offset, bool accessors)
{
    return CQzReflectionInformation(CQzIdentifier("member"), type, int(offset), nullptr, nullptr, nullptr,
                                    accessors ? &CountingSetter : nullptr, accessors ? &CountingGetter : nullptr);
}

// size bytes of floats that differ per seed (a bool: seed's lowest bit)
inline void Pattern(unsigned char* bytes, size_t size, int seed)
{
    float f[16];
    for (int i = 0; i < 16; ++i)
        f[i] = 10.0f * float(seed) + 0.5f + 1.25f * float(i);
    std::memcpy(bytes, f, size);
    bytes[0] = size == 1 ? (unsigned char)(seed & 1) : bytes[0];
}

} // namespace qztest

#endif // QZCORE_TESTS_REFLECTION_QZREFLECTIONTESTACCESSORS_H
