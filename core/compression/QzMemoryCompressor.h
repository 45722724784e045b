// QzMemoryCompressor.h: compresses a buffer in memory with LZMA into the five
// property bytes followed by the raw stream (no end marker).
#ifndef QZCORE_COMPRESSION_QZMEMORYCOMPRESSOR_H
#define QZCORE_COMPRESSION_QZMEMORYCOMPRESSOR_H

#include "QzApi.h"

class QZ_API CQzMemoryCompressor
{
public:
    CQzMemoryCompressor() = default;
    CQzMemoryCompressor(CQzMemoryCompressor const&) = default;
    CQzMemoryCompressor& operator=(CQzMemoryCompressor const&) = default;
    virtual ~CQzMemoryCompressor();

    // Worst-case size of Compress's output: sourceSize + sourceSize / 3 + 133.
    // Negative or overflowing sizes give a negative result. source is not read.
    int ComputeCompressionBufferSize(char const* source, int sourceSize);

    // Compresses sourceSize bytes into destination (properties, then stream)
    // and returns the bytes used; 0 when destinationCapacity is below
    // ComputeCompressionBufferSize (destination untouched) or the encoder fails.
    int Compress(char const* source, int sourceSize, char* destination, int destinationCapacity);
};

#endif // QZCORE_COMPRESSION_QZMEMORYCOMPRESSOR_H
