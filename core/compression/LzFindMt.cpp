// LzFindMt.cpp: the encoder's second thread. The SDK's binary-tree match
// finder (bt4) is cut in two stages: the hash stage looks up and updates the
// hash heads of each position and finds its short matches through them; the
// tree stage walks and rebuilds the binary tree and lists the longer matches.
// The worker runs the tree stage ahead of the encoder; the encoder's thread
// runs the hash stage ahead of the worker whenever it takes a block, which
// shares the finder's work about evenly between the two threads. Both
// hand-overs go through rings of blocks, and the matches come out exactly as
// the single-thread finder gives them, position by position.
#include "compression/internal/LzFindMt.h"
#include "compression/internal/LzFindMtTestHook.h"

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>

#include "LzHash.h"

namespace {

// the hash stage gives a head record per position: the count of short-match
// values found through the 2- and 3-byte hashes, the longest length among
// them (1 for none), the head of the 4-byte chain, and those values
constexpr UInt32 kHeadsPerPosition = 7;
constexpr UInt32 kHeadBlockValues = kMtBlockPositions * kHeadsPerPosition;
constexpr std::size_t kPipeValues = std::size_t(kMtNumBlocks) * (kMtBlockValues + kHeadBlockValues);

} // namespace

// The state behind CMatchFinderMt: the finder's two stages and the two rings.
struct CQzMatchFinderPipe
{
    UInt32* values = nullptr; // match blocks, then head blocks
    UInt32 maxRecord = 0;     // the largest match record of one position

    // the finder's fixed settings, copied where both stages read them
    CMatchFinder* finder = nullptr;
    Byte const* end = nullptr;
    UInt32 cyclicBufferSize = 0;
    UInt32 matchMaxLen = 0;
    UInt32 cutValue = 0;

    // hash stage (the encoder's thread): the next position to hash
    Byte const* hashCur = nullptr;
    UInt32 hashPos = 0;
    UInt32 hashLeft = 0;

    // tree stage (the worker): the next position and its heads
    Byte const* treeCur = nullptr;
    UInt32 treePos = 0;
    UInt32 cyclicPos = 0;
    UInt32 treeLeft = 0;
    UInt32 const* heads = nullptr;
    UInt32 const* headsEnd = nullptr;

    // the rings, under lock: blocks published and handed back, per ring
    std::mutex lock;
    std::condition_variable encoderWake;
    std::condition_variable workerWake;
    unsigned matchesFilled = 0, matchesReleased = 0;
    unsigned headsFilled = 0, headsReleased = 0;
    UInt32 matchSize[kMtNumBlocks] = {};
    UInt32 headSize[kMtNumBlocks] = {};
    bool encoderHoldsMatches = false;
    bool workerHoldsHeads = false;
    bool stop = false;
    std::thread worker;
};

namespace {

std::atomic<int> g_failThreadStarts{0};

UInt32* MatchBlock(CQzMatchFinderPipe& pipe, unsigned block)
{
    return pipe.values + std::size_t(block % kMtNumBlocks) * kMtBlockValues;
}

UInt32* HeadBlock(CQzMatchFinderPipe& pipe, unsigned block)
{
    return pipe.values + std::size_t(kMtNumBlocks) * kMtBlockValues +
           std::size_t(block % kMtNumBlocks) * kHeadBlockValues;
}

// ---- the two stages ----

// Hashes the next positions into one block and returns the values written;
// the short matches are found as the SDK's bt4 finder finds them
// (Bt4_MatchFinder_GetMatches). The last three bytes of the input have no
// 4-byte hash; their records are never read.
UInt32 FillHeads(CQzMatchFinderPipe& pipe, UInt32* block)
{
    CMatchFinder const* const p = pipe.finder; // for the SDK's hash formula
    CLzRef* const hash = pipe.finder->hash;
    Byte const* const end = pipe.end;
    UInt32 const cyclicBufferSize = pipe.cyclicBufferSize;
    UInt32 const matchMaxLen = pipe.matchMaxLen;
    UInt32 const positions = pipe.hashLeft < UInt32(kMtBlockPositions) ? pipe.hashLeft : UInt32(kMtBlockPositions);
    UInt32* out = block;
    Byte const* cur = pipe.hashCur;
    UInt32 pos = pipe.hashPos;
    for (UInt32 i = 0; i < positions; ++i, ++cur, ++pos, out += kHeadsPerPosition)
    {
        UInt32 const available = UInt32(end - cur);
        UInt32 const lenLimit = available < matchMaxLen ? available : matchMaxLen;
        if (lenLimit < 4)
            continue;
        UInt32 hash2Value, hash3Value, hashValue;
        HASH4_CALC;
        UInt32 delta2 = pos - hash[hash2Value];
        UInt32 const delta3 = pos - hash[kFix3HashSize + hash3Value];
        out[2] = hash[kFix4HashSize + hashValue];
        hash[hash2Value] = hash[kFix3HashSize + hash3Value] = hash[kFix4HashSize + hashValue] = pos;

        UInt32* const distances = out + 3;
        UInt32 maxLen = 1;
        UInt32 offset = 0;
        if (delta2 < cyclicBufferSize && *(cur - delta2) == *cur)
        {
            distances[0] = maxLen = 2;
            distances[1] = delta2 - 1;
            offset = 2;
        }
        if (delta2 != delta3 && delta3 < cyclicBufferSize && *(cur - delta3) == *cur)
        {
            maxLen = 3;
            distances[offset + 1] = delta3 - 1;
            offset += 2;
            delta2 = delta3;
        }
        if (offset != 0)
        {
            for (; maxLen != lenLimit; maxLen++)
                if (cur[std::ptrdiff_t(maxLen) - std::ptrdiff_t(delta2)] != cur[maxLen])
                    break;
            distances[offset - 2] = maxLen;
        }
        out[0] = offset;
        out[1] = maxLen;
    }
    pipe.hashCur = cur;
    pipe.hashPos = pos;
    pipe.hashLeft -= positions;
    return UInt32(out - block);
}

// Where the tree stage stands; a copy on the worker's stack while it fills a
// block, so the encoder's thread never shares its cache lines.
struct STreeStage
{
    Byte const* cur;
    UInt32 pos;
    UInt32 cyclicPos;
    UInt32 const* heads;
};

// The matches of the tree stage's position: the short ones from its head
// record, then those of the tree walk, which rebuilds the tree as the SDK's
// bt4 finder does. Returns the number of values written to distances.
UInt32 TreeMatches(CQzMatchFinderPipe const& pipe, STreeStage const& at, UInt32* distances)
{
    UInt32 const available = UInt32(pipe.end - at.cur);
    UInt32 const lenLimit = available < pipe.matchMaxLen ? available : pipe.matchMaxLen;
    if (lenLimit < 4)
        return 0;
    UInt32 const offset = at.heads[0];
    UInt32 maxLen = at.heads[1];
    UInt32 const curMatch = at.heads[2];
    for (UInt32 i = 0; i < offset; ++i)
        distances[i] = at.heads[3 + i];
    if (maxLen == lenLimit)
    {
        // the SDK skips the tree walk's matches here; asking only for matches
        // longer than lenLimit - 1 walks and cuts the tree the same way and
        // finds nothing worth listing
        UInt32 unused[2];
        GetMatchesSpec1(lenLimit, curMatch, at.pos, at.cur, pipe.finder->son, at.cyclicPos,
                        pipe.cyclicBufferSize, pipe.cutValue, unused, lenLimit - 1);
        return offset;
    }
    if (maxLen < 3)
        maxLen = 3;
    return UInt32(GetMatchesSpec1(lenLimit, curMatch, at.pos, at.cur, pipe.finder->son, at.cyclicPos,
                                  pipe.cyclicBufferSize, pipe.cutValue, distances + offset, maxLen) -
                  distances);
}

// ---- the hand-over ----

// Hashes ahead while the head ring has room (the encoder's thread, holding
// the lock on entry and on return).
void TopUpHeads(CQzMatchFinderPipe& pipe, std::unique_lock<std::mutex>& guard)
{
    while (pipe.hashLeft != 0 && pipe.headsFilled - pipe.headsReleased < kMtNumBlocks)
    {
        unsigned const block = pipe.headsFilled;
        guard.unlock();
        UInt32 const size = FillHeads(pipe, HeadBlock(pipe, block));
        guard.lock();
        pipe.headSize[block % kMtNumBlocks] = size;
        ++pipe.headsFilled;
        pipe.workerWake.notify_one();
    }
}

// Gives the tree stage its next block of heads: from the ring (the worker),
// or hashed on the spot when there is no worker. False when told to stop.
bool NextHeads(CQzMatchFinderPipe& pipe, bool threaded)
{
    UInt32 const* block;
    UInt32 size = 0;
    if (!threaded)
    {
        block = HeadBlock(pipe, 0);
        size = FillHeads(pipe, HeadBlock(pipe, 0));
    }
    else
    {
        std::unique_lock<std::mutex> guard(pipe.lock);
        if (pipe.workerHoldsHeads)
            ++pipe.headsReleased;
        pipe.workerHoldsHeads = true;
        pipe.encoderWake.notify_one(); // room to hash ahead
        pipe.workerWake.wait(guard, [&] { return pipe.stop || pipe.headsFilled != pipe.headsReleased; });
        if (pipe.stop)
            return false;
        block = HeadBlock(pipe, pipe.headsReleased);
        size = pipe.headSize[pipe.headsReleased % kMtNumBlocks];
    }
    pipe.heads = block;
    pipe.headsEnd = block + size;
    return true;
}

// Lists the matches of the next positions into one block and returns the
// values written: a record (count, then count values) per position. Every
// position gets its full list, also those the encoder will skip: listing
// rebuilds the tree exactly as skipping does. False when told to stop.
bool FillMatches(CQzMatchFinderPipe& pipe, UInt32* block, bool threaded, UInt32& size)
{
    UInt32* out = block;
    UInt32* const last = block + kMtBlockValues - pipe.maxRecord;
    UInt32 const positions = pipe.treeLeft < UInt32(kMtBlockPositions) ? pipe.treeLeft : UInt32(kMtBlockPositions);
    STreeStage at = {pipe.treeCur, pipe.treePos, pipe.cyclicPos, pipe.heads};
    UInt32 done = 0;
    for (; done < positions && out <= last; ++done)
    {
        if (at.heads == pipe.headsEnd)
        {
            if (!NextHeads(pipe, threaded))
                return false;
            at.heads = pipe.heads;
        }
        UInt32 const count = TreeMatches(pipe, at, out + 1);
        *out = count;
        out += count + 1;
        at.heads += kHeadsPerPosition;
        ++at.cur;
        ++at.pos;
        if (++at.cyclicPos == pipe.cyclicBufferSize)
            at.cyclicPos = 0;
    }
    pipe.treeCur = at.cur;
    pipe.treePos = at.pos;
    pipe.cyclicPos = at.cyclicPos;
    pipe.heads = at.heads;
    pipe.treeLeft -= done;
    size = UInt32(out - block);
    return true;
}

void RunWorker(CQzMatchFinderPipe* pipe)
{
    for (unsigned block = 0; pipe->treeLeft != 0; ++block)
    {
        {
            std::unique_lock<std::mutex> guard(pipe->lock);
            pipe->workerWake.wait(guard, [&] {
                return pipe->stop || pipe->matchesFilled - pipe->matchesReleased < kMtNumBlocks;
            });
            if (pipe->stop)
                return;
        }
        UInt32 size = 0;
        if (!FillMatches(*pipe, MatchBlock(*pipe, block), true, size))
            return;
        {
            std::lock_guard<std::mutex> guard(pipe->lock);
            pipe->matchSize[block % kMtNumBlocks] = size;
            ++pipe->matchesFilled;
        }
        pipe->encoderWake.notify_one();
    }
}

// ---- the worker's life ----

void StopWorker(CQzMatchFinderPipe* pipe)
{
    if (pipe == nullptr || !pipe->worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> guard(pipe->lock);
        pipe->stop = true;
    }
    pipe->workerWake.notify_all();
    pipe->worker.join();
}

void StartWorker(CMatchFinderMt* mt)
{
    CQzMatchFinderPipe& pipe = *mt->pipe;
    pipe.matchesFilled = pipe.matchesReleased = pipe.headsFilled = pipe.headsReleased = 0;
    pipe.encoderHoldsMatches = pipe.workerHoldsHeads = pipe.stop = false;
    pipe.heads = pipe.headsEnd = nullptr;
    // without a worker the encoder fills the same blocks itself when it needs them
    mt->mode = kMtModeInline;
    if (g_failThreadStarts.load(std::memory_order_relaxed) != 0)
        return;
    try
    {
        pipe.worker = std::thread(RunWorker, &pipe);
        mt->mode = kMtModeThread;
    }
    catch (...)
    {
    }
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
    p->pipe->values = static_cast<UInt32*>(alloc->Alloc(alloc, kPipeValues * sizeof(UInt32)));
    if (p->pipe->values == nullptr)
    {
        FreePipe(p, alloc);
        return false;
    }
    return true;
}

// ---- the encoder's side ----

// Moves the encoder to its next block of matches; false when the input has no
// positions left (the encoder asks no further than the end, but would get no
// matches).
bool NextBlock(CMatchFinderMt* p)
{
    CQzMatchFinderPipe& pipe = *p->pipe;
    if (p->pointerToCurPos >= p->streamEnd)
        return false;
    UInt32 const* block;
    UInt32 size = 0;
    if (p->mode == kMtModeInline)
    {
        block = MatchBlock(pipe, 0);
        FillMatches(pipe, MatchBlock(pipe, 0), false, size);
    }
    else
    {
        std::unique_lock<std::mutex> guard(pipe.lock);
        if (pipe.encoderHoldsMatches)
        {
            ++pipe.matchesReleased;
            pipe.workerWake.notify_one();
        }
        pipe.encoderHoldsMatches = true;
        for (;;)
        {
            TopUpHeads(pipe, guard);
            if (pipe.matchesFilled != pipe.matchesReleased)
                break;
            pipe.encoderWake.wait(guard);
        }
        block = MatchBlock(pipe, pipe.matchesReleased);
        size = pipe.matchSize[pipe.matchesReleased % kMtNumBlocks];
    }
    p->cursor = block;
    p->cursorEnd = block + size;
    return true;
}

void MtInit(void* object)
{
    CMatchFinderMt* p = static_cast<CMatchFinderMt*>(object);
    StopWorker(p->pipe);
    // the finder starts here, before the worker exists: it clears the hash
    // heads, and the encoder reads its result field while the worker runs
    p->single.Init(p->MatchFinder);
    CMatchFinder const& mf = *p->MatchFinder;
    UInt32 const size = mf.streamPos - mf.pos;
    CQzMatchFinderPipe& pipe = *p->pipe;
    pipe.finder = p->MatchFinder;
    pipe.end = mf.buffer + size;
    pipe.cyclicBufferSize = mf.cyclicBufferSize;
    pipe.matchMaxLen = mf.matchMaxLen;
    pipe.cutValue = mf.cutValue;
    pipe.hashCur = pipe.treeCur = mf.buffer;
    pipe.hashPos = pipe.treePos = mf.pos;
    pipe.cyclicPos = mf.cyclicBufferPos;
    pipe.hashLeft = pipe.treeLeft = size;
    p->pointerToCurPos = mf.buffer;
    p->streamEnd = pipe.end;
    p->cursor = p->cursorEnd = nullptr;
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

    // Working ahead needs the whole input in view from the start, a block in
    // memory that the finder takes in one read (up to 4 GiB) and never moves
    // or renumbers, and the bt4 finder that the stages reproduce. Anything
    // else, or no memory for the blocks, is served by the finder directly on
    // the encoder's thread.
    bool const inView = mf->directInput && mf->directInputRem < 0xFFFFFFFFu - mf->cyclicBufferSize;
    bool const bt4 = mf->btMode && mf->numHashBytes == 4;
    p->mode = kMtModeForward;
    if (inView && bt4 && AllocPipe(p, alloc))
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
