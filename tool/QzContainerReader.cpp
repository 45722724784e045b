// QzContainerReader.cpp: the container's checks and its decoding through
// CQzMemoryDecompressor, one piece of output at a time.
#include "QzContainerReader.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "QzContainer.h"
#include "compression/QzMemoryDecompressor.h"

namespace qzcontainer {

namespace {

// Decoded in pieces: the whole output is never held in memory.
constexpr int kPieceSize = 1 << 20;

// What the decoder needs for kProperties: its 1 MiB dictionary and its
// probability table (1846 + 768 << (lc + lp) 16-bit entries).
constexpr std::size_t kDictionarySize = 1 << 20;
constexpr std::size_t kProbabilitySize = (1846 + (768 << 3)) * 2;

// Whether the decoder's memory could be had now: tells a decoder that could
// not be set up from a stream that is corrupt from its first byte.
bool DecoderMemoryAvailable()
{
    // held through volatile pointers, or the compiler may drop an
    // allocation whose memory is never used and take it as granted
    void* volatile dictionary = std::malloc(kDictionarySize);
    void* volatile probabilities = std::malloc(kProbabilitySize);
    bool const available = dictionary != nullptr && probabilities != nullptr;
    std::free(probabilities);
    std::free(dictionary);
    return available;
}

} // namespace

SCheck CheckContainer(unsigned char const* data, long length)
{
    if (length < kHeaderSize + kPropertySize)
        return {EProblem::tooShort, 0};
    if (std::memcmp(data, kMagic, kMagicSize) != 0)
        return {EProblem::noMagic, 0};
    for (int i = kReservedOffset; i < kHeaderSize; ++i)
        if (data[i] != 0)
            return {EProblem::reservedByteNotZero, i};
    if (ReadSize(data) > kMaxInputSize)
        return {EProblem::sizeTooLarge, 0};
    for (int i = 0; i < kPropertySize; ++i)
        if (data[kHeaderSize + i] != kProperties[i])
            return {EProblem::otherProperties, kHeaderSize + i};
    return {EProblem::none, 0};
}

EDecodeResult DecodeContainer(unsigned char const* data, long length, CPieceSink& sink, int& produced)
{
    produced = 0;
    int const size = int(ReadSize(data));
    std::unique_ptr<char[]> piece(new (std::nothrow) char[kPieceSize]);
    if (piece == nullptr)
        return EDecodeResult::outOfMemory;

    // the decoder reads the stream in place and never writes to it
    char* const stream = const_cast<char*>(reinterpret_cast<char const*>(data)) + kHeaderSize;
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(stream, int(length - kHeaderSize));
    while (produced < size)
    {
        int const wanted = size - produced < kPieceSize ? size - produced : kPieceSize;
        int const got = decompressor.DecompressOutputBytes(piece.get(), wanted);
        if (got > 0 && !sink.Write(piece.get(), got))
            return EDecodeResult::writeFailed;
        produced += got;
        if (got < wanted)
            break;
    }
    if (produced == size)
        return EDecodeResult::ok;
    return produced == 0 && !DecoderMemoryAvailable() ? EDecodeResult::outOfMemory : EDecodeResult::corrupt;
}

} // namespace qzcontainer
