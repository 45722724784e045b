// QzMemoryDecompressor.cpp: the SDK's incremental decoder driven by output
// wanted or by input fed, over a compressed buffer held in place.
#include "compression/QzMemoryDecompressor.h"

#include <algorithm>
#include <new>

#include "LzmaDec.h"
#include "compression/QzLzmaAllocator.h"

namespace {

constexpr int kPropertySize = LZMA_PROPS_SIZE;
// Feeding input for a destination that reaches past this many bytes asks
// the decoder to finish the stream within the room it is given.
constexpr long long kFinishEndThreshold = 5000000;

} // namespace

struct CQzMemoryDecompressor::SDecoder
{
    CLzmaDec state;
};

// ---- lifetime ----

CQzMemoryDecompressor::CQzMemoryDecompressor()
    : m_input(nullptr), m_inputSize(0), m_decoder(nullptr), m_inputPosition(0), m_outputPosition(0)
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

int CQzMemoryDecompressor::DecompressOutputBytes(char* output, int count)
{
    if (m_decoder == nullptr || m_inputPosition >= m_inputSize || count <= 0)
        return 0;

    int produced = 0;
    do
    {
        int offer = std::min(count, m_inputSize - m_inputPosition);
        bool const skipsProperties = m_inputPosition == 0;
        if (skipsProperties)
        {
            offer = std::max(offer - kPropertySize, 0);
            m_inputPosition = kPropertySize;
        }

        SizeT room = SizeT(count - produced);
        SizeT consumed = SizeT(offer);
        ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
        SRes const result = LzmaDec_DecodeToBuf(
            &m_decoder->state, reinterpret_cast<Byte*>(output) + produced, &room,
            reinterpret_cast<Byte const*>(m_input) + m_inputPosition, &consumed, LZMA_FINISH_ANY,
            &status);
        m_inputPosition += int(consumed);
        produced += int(room);

        if (result != SZ_OK)
        {
            StopAtCorruptData();
            break;
        }
        // a pass that moved nothing cannot be helped by repeating it
        if (consumed == 0 && room == 0 && !skipsProperties)
            break;
        if ((status == LZMA_STATUS_FINISHED_WITH_MARK || status == LZMA_STATUS_NEEDS_MORE_INPUT) &&
            m_inputPosition == m_inputSize)
            break;
    } while (produced < count);
    return produced;
}

int CQzMemoryDecompressor::DecompressInputBytes(char* outputBase, int inputCount, int outputRoom)
{
    if (m_decoder == nullptr || m_inputPosition >= m_inputSize || outputRoom < 0 || inputCount < 0)
        return 0;

    int offer = std::min(inputCount, m_inputSize - m_inputPosition);
    if (m_inputPosition == 0)
    {
        offer = std::max(offer - kPropertySize, 0);
        m_inputPosition = kPropertySize;
    }
    ELzmaFinishMode const finishMode =
        (long long)m_outputPosition + outputRoom > kFinishEndThreshold ? LZMA_FINISH_END
                                                                       : LZMA_FINISH_ANY;

    SizeT room = SizeT(outputRoom);
    SizeT consumed = SizeT(offer);
    ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
    SRes const result = LzmaDec_DecodeToBuf(
        &m_decoder->state, reinterpret_cast<Byte*>(outputBase) + m_outputPosition, &room,
        reinterpret_cast<Byte const*>(m_input) + m_inputPosition, &consumed, finishMode, &status);
    m_inputPosition += int(consumed);
    m_outputPosition += int(room);
    if (result != SZ_OK)
        StopAtCorruptData();
    return int(room);
}

void CQzMemoryDecompressor::StopAtCorruptData()
{
    // after a data error the SDK's decoder state is not fit to be called
    // again (it may then read far outside the input): treat the input as
    // used up, so every later call returns 0 without touching the decoder
    m_inputPosition = m_inputSize;
}
