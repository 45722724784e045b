// QzMemoryDecompressor.h: decodes what CQzMemoryCompressor wrote (five
// property bytes, then the stream) from memory, in pieces.
#ifndef QZCORE_COMPRESSION_QZMEMORYDECOMPRESSOR_H
#define QZCORE_COMPRESSION_QZMEMORYDECOMPRESSOR_H

#include "QzApi.h"

class QZ_API CQzMemoryDecompressor
{
public:
    CQzMemoryDecompressor();
    // the decoder state is owned by exactly one object
    CQzMemoryDecompressor(CQzMemoryDecompressor const&) = delete;
    CQzMemoryDecompressor& operator=(CQzMemoryDecompressor const&) = delete;
    virtual ~CQzMemoryDecompressor();

    // Starts decoding input (not copied; it must outlive the decoding). A
    // decoder already held is released first. When the property bytes are
    // missing or rejected, or memory runs out, later calls produce nothing.
    void Initialize(char* input, int inputSize);

    // Decodes up to count bytes to output[0 .. count) and returns how many
    // were written. Once the input is used up, calls still deliver what the
    // decoder holds (the end of a long match), then return 0. The stream has
    // no end marker, so callers ask for exactly the uncompressed size in total.
    int DecompressOutputBytes(char* output, int count);

    // Feeds at most inputCount further input bytes in one decoder call and
    // writes what they yield at outputBase + the running output position, at
    // most outputRoom bytes; returns the bytes written. A call whose room ran
    // out is simply continued by the next one, and a call after the input is
    // used up delivers what the decoder still holds.
    int DecompressInputBytes(char* outputBase, int inputCount, int outputRoom);

    // Frees the decoder and forgets the input; the positions keep their values.
    void Release();

    // One object is used by one thread at a time; separate objects share
    // nothing and may decode on separate threads.

private:
    struct SDecoder;

    int DecodeStep(char* output, int room, int offer, bool& moved, bool& drained);

    char* m_input;
    int m_inputSize;
    SDecoder* m_decoder;
    int m_inputPosition;
    int m_outputPosition;
    // set at the first data error: the decoder must not be called again
    bool m_corrupt;
};

#endif // QZCORE_COMPRESSION_QZMEMORYDECOMPRESSOR_H
