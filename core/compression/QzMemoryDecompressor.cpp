// QzMemoryDecompressor.cpp: the SDK's incremental decoder driven by output
// wanted or by input fed, over a compressed buffer held in place.
#include "compression/QzMemoryDecompressor.h"

#include <algorithm>
#include <new>

#include "LzmaDec.h"
#include "compression/internal/QzLzmaAllocator.h"

namespace {

constexpr int kPropertySize = LZMA_PROPS_SIZE;

} // namespace

struct CQzMemoryDecompressor::SDecoder
{
    CLzmaDec state;
};

// ---- lifetime ----

CQzMemoryDecompressor::CQzMemoryDecompressor()
    : m_input(nullptr),
      m_inputSize(0),
      m_decoder(nullptr),
      m_inputPosition(0),
      m_outputPosition(0),
      m_corrupt(false)
{
}

CQzMemoryDecompressor::~CQzMemoryDecompressor()
{
    Release();
}

void CQzMemoryDecompressor::Initialize(char* input, int inputSize)
{
    Release();
    m_input = input;
    m_inputSize = inputSize;
    m_inputPosition = 0;
    m_outputPosition = 0;
    m_corrupt = false;
    if (input == nullptr || inputSize < kPropertySize)
        return;

    SDecoder* decoder = new (std::nothrow) SDecoder();
    if (decoder == nullptr)
        return;
    LzmaDec_Construct(&decoder->state);
    if (LzmaDec_Allocate(&decoder->state, reinterpret_cast<Byte const*>(input), kPropertySize,
                         QzLzmaHeapAllocator()) != SZ_OK)
    {
        LzmaDec_Free(&decoder->state, QzLzmaHeapAllocator());
        delete decoder;
        return;
    }
    LzmaDec_Init(&decoder->state);
    m_decoder = decoder;
}

void CQzMemoryDecompressor::Release()
{
    if (m_decoder == nullptr)
        return;
    LzmaDec_Free(&m_decoder->state, QzLzmaHeapAllocator());
    delete m_decoder;
    m_decoder = nullptr;
    m_input = nullptr;
    m_inputSize = 0;
}

// ---- decoding ----

// One decoder call: offers up to `offer` further input bytes (the property
// bytes are skipped on the first call ever) for at most `room` bytes at
// output. Once the input is used up the offer is empty, and the decoder still
// gives what it holds: the end of a match cut short by an earlier call's room,
// or symbols from input it took in ahead. Returns the bytes written; sets
// `moved` when input was consumed or output produced, and `drained` when the
// whole input is consumed and the decoder waits for more or saw an end mark.
int CQzMemoryDecompressor::DecodeStep(char* output, int room, int offer, bool& moved, bool& drained)
{
    offer = std::min(offer, m_inputSize - m_inputPosition);
    moved = false;
    if (m_inputPosition == 0)
    {
        offer = std::max(offer - kPropertySize, 0);
        m_inputPosition = kPropertySize;
        moved = true;
    }

    // The decoder is always asked for "any" progress, never to finish the
    // stream within the room. Asked to finish, it answers a room that ends on
    // a match by refusing the match after it has already updated its
    // probabilities from it, and a call that the next one must continue
    // could then never be exact; for a stream without an end marker, which is
    // what Compress writes, asking to finish changes nothing else.
    SizeT produced = SizeT(room);
    SizeT consumed = SizeT(offer);
    ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
    SRes const result = LzmaDec_DecodeToBuf(&m_decoder->state, reinterpret_cast<Byte*>(output), &produced,
                                            reinterpret_cast<Byte const*>(m_input) + m_inputPosition,
                                            &consumed, LZMA_FINISH_ANY, &status);
    m_inputPosition += int(consumed);
    moved = moved || consumed != 0 || produced != 0;
    drained = (status == LZMA_STATUS_FINISHED_WITH_MARK || status == LZMA_STATUS_NEEDS_MORE_INPUT) &&
              m_inputPosition == m_inputSize;
    // the SDK's state after a data error is not fit to be called again (it
    // may then read far outside the input)
    if (result != SZ_OK)
        m_corrupt = true;
    return int(produced);
}

int CQzMemoryDecompressor::DecompressOutputBytes(char* output, int count)
{
    if (m_decoder == nullptr || m_corrupt || count <= 0)
        return 0;

    int produced = 0;
    do
    {
        // the offer is bounded by the count wanted, not only by the input
        // left; further passes make up for it
        bool moved, drained;
        produced += DecodeStep(output + produced, count - produced, count, moved, drained);
        // a pass that moved nothing cannot be helped by repeating it (an end
        // marker followed by more bytes ends up here)
        if (m_corrupt || !moved || drained)
            break;
    } while (produced < count);
    return produced;
}

int CQzMemoryDecompressor::DecompressInputBytes(char* outputBase, int inputCount, int outputRoom)
{
    if (m_decoder == nullptr || m_corrupt || outputRoom < 0 || inputCount < 0)
        return 0;

    bool moved, drained;
    int const produced = DecodeStep(outputBase + m_outputPosition, outputRoom, inputCount, moved, drained);
    m_outputPosition += produced;
    return produced;
}
