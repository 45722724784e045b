// QzContainerReader.h: checks a container held in memory and decodes its
// stream in pieces, for QzDecompress and its fuzz target; prints nothing.
#ifndef QZCORE_TOOL_QZCONTAINERREADER_H
#define QZCORE_TOOL_QZCONTAINERREADER_H

namespace qzcontainer {

// What makes a file not a container; `detail` says where (a byte index, a
// size) for the message.
enum class EProblem
{
    none,
    tooShort,
    noMagic,
    reservedByteNotZero, // detail: the byte's index
    sizeTooLarge,        // detail unused: the size is in the header
    otherProperties,     // detail: the index of the first byte that differs
};

struct SCheck
{
    EProblem problem;
    int detail;
};

SCheck CheckContainer(unsigned char const* data, long length);

enum class EDecodeResult
{
    ok,
    outOfMemory,
    corrupt,     // the stream is damaged or ends before the stated size
    writeFailed, // the sink refused a piece
};

// Receives each decoded piece in order; returns false to stop decoding.
class CPieceSink
{
public:
    virtual bool Write(char const* piece, int size) = 0;

protected:
    ~CPieceSink() = default;
};

// Decodes a container that CheckContainer accepted, in pieces of at most
// 1 MiB, and sets `produced` to the bytes handed to the sink.
EDecodeResult DecodeContainer(unsigned char const* data, long length, CPieceSink& sink, int& produced);

} // namespace qzcontainer

#endif // QZCORE_TOOL_QZCONTAINERREADER_H
