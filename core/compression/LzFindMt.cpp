// LzFindMt.cpp: the encoder's second thread. A worker runs the SDK's
// single-thread match finder ahead of the encoder and hands the match list of
// every position over in blocks; the encoder reads them in the same order.
#include "compression/LzFindMt.h"

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>

// The hand-over between the worker and the encoder: a ring of blocks, each a
// run of records (count, then count values) for consecutive positions.
struct CQzMatchFinderPipe
{
    UInt32* values = nullptr; // kMtNumBlocks blocks of kMtBlockValues each
    UInt32 blockSize[kMtNumBlocks] = {}; // values used, set before a block is published
    UInt32 positionsLeft = 0; // positions not yet put into a block (filler only)
    UInt32 maxRecord = 0;     // the largest record one position can make
    bool consumerHoldsBlock = false;

    std::mutex lock;
    std::condition_variable blockFilled;
    std::condition_variable blockFreed;
    unsigned filled = 0;   // blocks published, under lock
    unsigned released = 0; // blocks handed back, under lock
    bool stop = false;     // under lock
    std::thread worker;
};

namespace {

std::atomic<int> g_failThreadStarts{0};

UInt32* BlockValues(CQzMatchFinderPipe& pipe, unsigned block)
{
    return pipe.values + std::size_t(block % kMtNumBlocks) * kMtBlockValues;
}

// ---- filling ----

// Runs the finder over the next positions into one block; every position gets
// its full match list, also those the encoder will skip: finding the matches
// updates the finder's tree exactly as skipping would.
UInt32 FillBlock(CMatchFinderMt const& mt, CQzMatchFinderPipe& pipe, UInt32* block)
{
    UInt32* out = block;
    UInt32* const last = block + kMtBlockValues - pipe.maxRecord;
    UInt32 positions = pipe.positionsLeft < UInt32(kMtBlockPositions) ? pipe.positionsLeft
                                                                      : UInt32(kMtBlockPositions);
    // the loop reads nothing the encoder writes: no cache line goes back and forth
    Mf_GetMatches_Func const getMatches = mt.single.GetMatches;
    CMatchFinder* const finder = mt.MatchFinder;
    UInt32 done = 0;
    for (; done < positions && out <= last; ++done)
    {
        UInt32 const count = getMatches(finder, out + 1);
        *out = count;
        out += count + 1;
    }
    pipe.positionsLeft -= done;
    return UInt32(out - block);
}

void RunWorker(CMatchFinderMt* mt)
{
    CQzMatchFinderPipe& pipe = *mt->pipe;
    for (unsigned block = 0; pipe.positionsLeft != 0; ++block)
    {
        {
            std::unique_lock<std::mutex> guard(pipe.lock);
            pipe.blockFreed.wait(guard, [&] { return pipe.stop || pipe.filled - pipe.released < kMtNumBlocks; });
            if (pipe.stop)
                return;
        }
        UInt32 const size = FillBlock(*mt, pipe, BlockValues(pipe, block));
        {
            std::lock_guard<std::mutex> guard(pipe.lock);
            pipe.blockSize[block % kMtNumBlocks] = size;
            ++pipe.filled;
        }
        pipe.blockFilled.notify_one();
    }
}

// ---- the worker's life ----

void StartWorker(CMatchFinderMt* mt)
{
    CQzMatchFinderPipe& pipe = *mt->pipe;
    pipe.filled = pipe.released = 0;
    pipe.stop = false;
    pipe.consumerHoldsBlock = false;
    // without a worker the encoder fills the same blocks itself when it needs them
    mt->mode = kMtModeInline;
    if (g_failThreadStarts.load(std::memory_order_relaxed) != 0)
        return;
    mt->mode = kMtModeThread;
    try
    {
        pipe.worker = std::thread(RunWorker, mt);
    }
    catch (...)
    {
        mt->mode = kMtModeInline;
    }
}

void StopWorker(CQzMatchFinderPipe* pipe)
{
    if (pipe == nullptr || !pipe->worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> guard(pipe->lock);
        pipe->stop = true;
    }
    pipe->blockFreed.notify_one();
    pipe->worker.join();
}

void FreePipe(CMatchFinderMt* p, ISzAlloc* alloc)
{
    if (p->pipe == nullptr)
        return;
    StopWorker(p->pipe);
    alloc->Free(alloc, p->pipe->values);
    p->pipe->~CQzMatchFinderPipe();
    alloc->Free(alloc, p->pipe);
    p->pipe = nullptr;
}

bool AllocPipe(CMatchFinderMt* p, ISzAlloc* alloc)
{
    if (p->pipe != nullptr)
        return true;
    void* const memory = alloc->Alloc(alloc, sizeof(CQzMatchFinderPipe));
    if (memory == nullptr)
        return false;
    p->pipe = new (memory) CQzMatchFinderPipe();
    p->pipe->values = static_cast<UInt32*>(
        alloc->Alloc(alloc, std::size_t(kMtNumBlocks) * kMtBlockValues * sizeof(UInt32)));
    if (p->pipe->values == nullptr)
    {
        FreePipe(p, alloc);
        return false;
    }
    return true;
}

// ---- the encoder's side ----

// Moves the encoder to the next block; false when the input has no positions
// left (the encoder asks no further than the end, but would get no matches).
bool NextBlock(CMatchFinderMt* p)
{
    CQzMatchFinderPipe& pipe = *p->pipe;
    if (p->pointerToCurPos >= p->streamEnd)
        return false;
    UInt32 const* block;
    UInt32 size;
    if (p->mode == kMtModeInline)
    {
        block = pipe.values;
        size = FillBlock(*p, pipe, pipe.values);
    }
    else
    {
        {
            std::unique_lock<std::mutex> guard(pipe.lock);
            if (pipe.consumerHoldsBlock)
                ++pipe.released;
            pipe.consumerHoldsBlock = true;
            pipe.blockFilled.wait(guard, [&] { return pipe.filled != pipe.released; });
            block = BlockValues(pipe, pipe.released);
            size = pipe.blockSize[pipe.released % kMtNumBlocks];
        }
        pipe.blockFreed.notify_one();
    }
    p->cursor = block;
    p->cursorEnd = block + size;
    return true;
}

void MtInit(void* object)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    StopWorker(p->pipe);
    // the finder starts here, before the worker exists: the encoder reads its
    // result field while the worker runs, so the worker must not write it
    p->single.Init(p->MatchFinder);
    CMatchFinder const& mf = *p->MatchFinder;
    UInt32 const size = mf.streamPos - mf.pos;
    p->pointerToCurPos = mf.buffer;
    p->streamEnd = mf.buffer + size;
    p->cursor = p->cursorEnd = nullptr;
    p->pipe->positionsLeft = size;
    StartWorker(p);
}

Byte MtGetIndexByte(void* object, Int32 index)
{
    return static_cast<CMatchFinderMt*>(object)->pointerToCurPos[index];
}

UInt32 MtGetNumAvailableBytes(void* object)
{
    CMatchFinderMt const* p = static_cast<CMatchFinderMt*>(object);
    return UInt32(p->streamEnd - p->pointerToCurPos);
}

Byte const* MtGetPointerToCurrentPos(void* object)
{
    return static_cast<CMatchFinderMt*>(object)->pointerToCurPos;
}

UInt32 MtGetMatches(void* object, UInt32* distances)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    if (p->cursor == p->cursorEnd && !NextBlock(p))
    {
        ++p->pointerToCurPos;
        return 0;
    }
    UInt32 const count = *p->cursor;
    std::memcpy(distances, p->cursor + 1, count * sizeof(UInt32));
    p->cursor += count + 1;
    ++p->pointerToCurPos;
    return count;
}

void MtSkip(void* object, UInt32 num)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    for (; num != 0; --num)
    {
        if (p->cursor != p->cursorEnd || NextBlock(p))
            p->cursor += *p->cursor + 1;
        ++p->pointerToCurPos;
    }
}

// ---- straight to the single-thread finder ----

void ForwardInit(void* object)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    p->single.Init(p->MatchFinder);
}

Byte ForwardGetIndexByte(void* object, Int32 index)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    return p->single.GetIndexByte(p->MatchFinder, index);
}

UInt32 ForwardGetNumAvailableBytes(void* object)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    return p->single.GetNumAvailableBytes(p->MatchFinder);
}

Byte const* ForwardGetPointerToCurrentPos(void* object)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    return p->single.GetPointerToCurrentPos(p->MatchFinder);
}

UInt32 ForwardGetMatches(void* object, UInt32* distances)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    return p->single.GetMatches(p->MatchFinder, distances);
}

void ForwardSkip(void* object, UInt32 num)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    p->single.Skip(p->MatchFinder, num);
}

} // namespace

// ---- the interface LzmaEnc.c calls ----

extern "C" {

void MatchFinderMt_Construct(CMatchFinderMt* p)
{
    std::memset(p, 0, sizeof(*p));
    p->mode = kMtModeForward;
}

void MatchFinderMt_Destruct(CMatchFinderMt* p, ISzAlloc* alloc)
{
    FreePipe(p, alloc);
}

SRes MatchFinderMt_Create(CMatchFinderMt* p, UInt32 historySize, UInt32 keepAddBufferBefore,
                          UInt32 matchMaxLen, UInt32 keepAddBufferAfter, ISzAlloc* alloc)
{
    StopWorker(p->pipe);
    CMatchFinder* const mf = p->MatchFinder;
    if (!MatchFinder_Create(mf, historySize, keepAddBufferBefore, matchMaxLen, keepAddBufferAfter, alloc))
        return SZ_ERROR_MEM;
    MatchFinder_CreateVTable(mf, &p->single);

    // Reading ahead needs the whole input in view from the start: a block in
    // memory that the finder takes in one read (it reads up to 4 GiB at once)
    // and never moves. Anything else, or no memory for the blocks, is served
    // by the finder directly on the encoder's thread.
    bool const inView = mf->directInput && mf->directInputRem <= 0xFFFFFFFFu - mf->cyclicBufferSize;
    p->mode = kMtModeForward;
    if (inView && AllocPipe(p, alloc))
    {
        p->mode = kMtModeThread;
        p->pipe->maxRecord = 1 + 2 * matchMaxLen;
    }
    return SZ_OK;
}

void MatchFinderMt_CreateVTable(CMatchFinderMt* p, IMatchFinder* vTable)
{
    if (p->mode == kMtModeForward)
    {
        vTable->Init = ForwardInit;
        vTable->GetIndexByte = ForwardGetIndexByte;
        vTable->GetNumAvailableBytes = ForwardGetNumAvailableBytes;
        vTable->GetPointerToCurrentPos = ForwardGetPointerToCurrentPos;
        vTable->GetMatches = ForwardGetMatches;
        vTable->Skip = ForwardSkip;
        return;
    }
    vTable->Init = MtInit;
    vTable->GetIndexByte = MtGetIndexByte;
    vTable->GetNumAvailableBytes = MtGetNumAvailableBytes;
    vTable->GetPointerToCurrentPos = MtGetPointerToCurrentPos;
    vTable->GetMatches = MtGetMatches;
    vTable->Skip = MtSkip;
}

void MatchFinderMt_ReleaseStream(CMatchFinderMt* p)
{
    StopWorker(p->pipe);
}

void MatchFinderMt_FailThreadStarts(int fail)
{
    g_failThreadStarts.store(fail, std::memory_order_relaxed);
}

} // extern "C"
