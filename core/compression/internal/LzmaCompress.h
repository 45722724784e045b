// LzmaCompress.h: the LZMA SDK's one-call compressor, which Debian's SDK
// sources lack; internal to the library, never installed.
#ifndef QZCORE_COMPRESSION_INTERNAL_LZMACOMPRESS_H
#define QZCORE_COMPRESSION_INTERNAL_LZMACOMPRESS_H

#include <cstddef>

// The SDK's LzmaLib contract: the stream goes to dest (room in *destLen, bytes
// written out), the properties to outProps (*outPropsSize in and out, 5);
// every -1 takes the SDK's default (level 5, lc 3, lp 0, pb 2, fb 32, two
// threads). Returns the SDK's result code, SZ_OK (0) on success.
int LzmaCompress(unsigned char* dest, std::size_t* destLen,
                 unsigned char const* src, std::size_t srcLen,
                 unsigned char* outProps, std::size_t* outPropsSize,
                 int level, unsigned dictSize,
                 int lc, int lp, int pb, int fb, int numThreads);

#endif // QZCORE_COMPRESSION_INTERNAL_LZMACOMPRESS_H
