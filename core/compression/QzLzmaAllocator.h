// QzLzmaAllocator.h: the heap allocator the LZMA SDK's encoder and decoder
// take for their tables and dictionaries; internal, never installed.
#ifndef QZCORE_COMPRESSION_QZLZMAALLOCATOR_H
#define QZCORE_COMPRESSION_QZLZMAALLOCATOR_H

#include <cstdlib>

#include "Types.h"

// malloc and free, no accounting, no alignment beyond the heap's.
inline ISzAlloc* QzLzmaHeapAllocator()
{
    static ISzAlloc allocator = {[](void*, size_t size) { return std::malloc(size); },
                                 [](void*, void* address) { std::free(address); }};
    return &allocator;
}

#endif // QZCORE_COMPRESSION_QZLZMAALLOCATOR_H
