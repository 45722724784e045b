// QzLzmaRoundTrip.h: compress and decompress through the library's classes,
// for the tests of both directions.
#ifndef QZCORE_TESTS_QZLZMAROUNDTRIP_H
#define QZCORE_TESTS_QZLZMAROUNDTRIP_H

#include "QzTestData.h"
#include "compression/QzMemoryCompressor.h"
#include "compression/QzMemoryDecompressor.h"

namespace qztest {

// The five property bytes and the stream, exactly as Compress returns them.
inline Bytes Compress(Bytes const& source)
{
    CQzMemoryCompressor compressor;
    int const sourceSize = int(source.size());
    Bytes compressed(std::size_t(compressor.ComputeCompressionBufferSize(source.data(), sourceSize)));
    int const used = compressor.Compress(source.data(), sourceSize, compressed.data(), int(compressed.size()));
    compressed.resize(std::size_t(used));
    return compressed;
}

// One DecompressOutputBytes call for the whole size.
inline Bytes Decompress(Bytes compressed, std::size_t size)
{
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    Bytes output(size);
    int const produced = decompressor.DecompressOutputBytes(output.data(), int(size));
    output.resize(produced > 0 ? std::size_t(produced) : 0);
    return output;
}

} // namespace qztest

#endif // QZCORE_TESTS_QZLZMAROUNDTRIP_H
