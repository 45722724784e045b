// QzLzmaReference.cpp: our one-call LzmaCompress over the SDK's encoder built
// single-threaded, behind one exported name; every SDK symbol and our own
// LzmaCompress stay hidden in this library, apart from libqzcore's.
#include "compression/internal/LzmaCompress.h"

__attribute__((visibility("default"))) int QzReferenceLzmaCompress(
    unsigned char* dest, std::size_t* destLen, unsigned char const* src, std::size_t srcLen,
    unsigned char* outProps, std::size_t* outPropsSize, int level, unsigned dictSize, int lc, int lp, int pb,
    int fb, int numThreads)
{
    return LzmaCompress(dest, destLen, src, srcLen, outProps, outPropsSize, level, dictSize, lc, lp, pb, fb,
                        numThreads);
}
