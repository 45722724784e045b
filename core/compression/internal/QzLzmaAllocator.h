// QzLzmaAllocator.h: the heap allocators the LZMA SDK's encoder and decoder
// take for their state, tables and dictionaries; internal, never installed.
#ifndef QZCORE_COMPRESSION_INTERNAL_QZLZMAALLOCATOR_H
#define QZCORE_COMPRESSION_INTERNAL_QZLZMAALLOCATOR_H

#include <cstdlib>

#include "Types.h"

// malloc and free, no accounting, no alignment beyond the heap's.
inline ISzAlloc* QzLzmaHeapAllocator()
{
    static ISzAlloc allocator = {[](void*, size_t size) { return std::malloc(size); },
                                 [](void*, void* address) { std::free(address); }};
    return &allocator;
}

// The same, zero-filled: for the encoder's own object, whose match finder
// compares the sizes of its previous tables before it has any. Only a
// missing table decides that test, but an optimised build evaluates both
// sides, and a memory checker rightly sees a branch on uninitialised bytes.
inline ISzAlloc* QzLzmaZeroedAllocator()
{
    static ISzAlloc allocator = {[](void*, size_t size) { return std::calloc(1, size); },
                                 [](void*, void* address) { std::free(address); }};
    return &allocator;
}

#endif // QZCORE_COMPRESSION_INTERNAL_QZLZMAALLOCATOR_H
