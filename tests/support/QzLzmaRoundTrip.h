// QzLzmaRoundTrip.h: compress and decompress through the library's classes,
// for the tests of both directions.
#ifndef QZCORE_TESTS_QZLZMAROUNDTRIP_H
#define QZCORE_TESTS_QZLZMAROUNDTRIP_H

#include <algorithm>

#include "QzTestData.h"
#include "compression/QzMemoryCompressor.h"
#include "compression/QzMemoryDecompressor.h"

namespace qztest {

// The five property bytes and the stream, exactly as Compress returns them.
inline Bytes Compress(Bytes const& source)
{
    CQzMemoryCompressor compressor;
    Bytes compressed(std::size_t(compressor.ComputeCompressionBufferSize(source.data(), int(source.size()))));
    compressed.resize(std::size_t(compressor.Compress(source.data(), int(source.size()), compressed.data(),
                                                      int(compressed.size()))));
    return compressed;
}

// One DecompressOutputBytes call for the whole size.
inline Bytes Decompress(Bytes compressed, std::size_t size)
{
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    Bytes output(size);
    output.resize(std::size_t(std::max(decompressor.DecompressOutputBytes(output.data(), int(size)), 0)));
    return output;
}

} // namespace qztest

#endif // QZCORE_TESTS_QZLZMAROUNDTRIP_H
