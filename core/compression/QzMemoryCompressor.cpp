// QzMemoryCompressor.cpp: one LZMA call with a 1 MiB dictionary and the SDK's
// defaults for everything else.
#include "compression/QzMemoryCompressor.h"

#include <cstddef>
#include <cstdint>

#include "compression/internal/LzmaCompress.h"

namespace {

constexpr int kPropertySize = 5;
constexpr unsigned kDictionarySize = 0x100000;

// Room for the stream behind the properties: sourceSize + sourceSize / 3 + 128,
// or -1 when that does not fit an int (inputs above 1,610,612,636 bytes).
std::int64_t StreamRoom(int sourceSize)
{
    return std::int64_t(sourceSize) + sourceSize / 3 + 128;
}

} // namespace

CQzMemoryCompressor::~CQzMemoryCompressor() = default;

int CQzMemoryCompressor::ComputeCompressionBufferSize(char const*, int sourceSize)
{
    std::int64_t const size = StreamRoom(sourceSize) + kPropertySize;
    return size > INT32_MAX ? -1 : int(size);
}

int CQzMemoryCompressor::Compress(char const* source, int sourceSize, char* destination,
                                  int destinationCapacity)
{
    if (sourceSize < 0)
        return 0;
    std::int64_t const streamRoom = StreamRoom(sourceSize);
    if (destinationCapacity < streamRoom + kPropertySize)
        return 0;

    std::size_t streamSize = std::size_t(streamRoom);
    std::size_t propertySize = kPropertySize;
    int const result = LzmaCompress(reinterpret_cast<unsigned char*>(destination) + kPropertySize,
                                    &streamSize, reinterpret_cast<unsigned char const*>(source),
                                    std::size_t(sourceSize),
                                    reinterpret_cast<unsigned char*>(destination), &propertySize,
                                    -1, kDictionarySize, -1, -1, -1, -1, -1);
    // a failed encoder may have written part of a stream: report nothing of it
    if (result != 0 || propertySize != kPropertySize)
        return 0;
    return int(propertySize + streamSize);
}
