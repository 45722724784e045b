// QzLzmaReference.h: the LZMA encoder as the SDK ships it, on one thread, in
// a test-only shared library of its own: what the threaded encoder must match.
#ifndef QZCORE_TESTS_COMPRESSION_QZLZMAREFERENCE_H
#define QZCORE_TESTS_COMPRESSION_QZLZMAREFERENCE_H

#include <cstddef>

// The one-call compressor's contract (LzmaCompress), single-threaded whatever
// numThreads says. Returns the SDK's result code.
__attribute__((visibility("default"))) int QzReferenceLzmaCompress(
    unsigned char* dest, std::size_t* destLen, unsigned char const* src, std::size_t srcLen,
    unsigned char* outProps, std::size_t* outPropsSize, int level, unsigned dictSize, int lc,
    int lp, int pb, int fb, int numThreads);

#endif // QZCORE_TESTS_COMPRESSION_QZLZMAREFERENCE_H
