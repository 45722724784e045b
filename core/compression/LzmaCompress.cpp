// LzmaCompress.cpp: the one-call LZMA compressor over the SDK's LzmaEncode.
#include "compression/internal/LzmaCompress.h"

#include "LzmaEnc.h"
#include "compression/internal/QzLzmaAllocator.h"

int LzmaCompress(unsigned char* dest, std::size_t* destLen,
                 unsigned char const* src, std::size_t srcLen,
                 unsigned char* outProps, std::size_t* outPropsSize,
                 int level, unsigned dictSize,
                 int lc, int lp, int pb, int fb, int numThreads)
{
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = level;
    props.dictSize = dictSize;
    props.lc = lc;
    props.lp = lp;
    props.pb = pb;
    props.fb = fb;
    props.numThreads = numThreads;

    SizeT streamSize = *destLen;
    SizeT propsSize = *outPropsSize;
    // no end marker: the container stores the uncompressed size instead
    SRes const result = LzmaEncode(dest, &streamSize, src, srcLen, &props, outProps, &propsSize,
                                   0, nullptr, QzLzmaZeroedAllocator(), QzLzmaHeapAllocator());
    *destLen = streamSize;
    *outPropsSize = propsSize;
    return result;
}
