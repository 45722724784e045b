// Tests of the encoder's second thread: byte identity with the single-thread
// encoder, the thread's life inside one call, and the one-thread fall-backs.
#include "compression/internal/LzFindMt.h"
#include "compression/internal/LzFindMtTestHook.h"
#include "compression/internal/LzmaCompress.h"

#include "LzmaEnc.h"
#include "support/QzLzmaRoundTrip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <thread>
#include <vector>

// LzmaCompress over the SDK's encoder built single-threaded, in a test-only
// shared library of its own: what the threaded encoder must match.
decltype(LzmaCompress) QzReferenceLzmaCompress;

namespace {

using qztest::Bytes;

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kScale = 4; // sanitizers slow the encoder tenfold
#else
constexpr std::size_t kScale = 1;
#endif
constexpr std::size_t kMiB = 1 << 20;

unsigned char* Data(Bytes& bytes) { return reinterpret_cast<unsigned char*>(bytes.data()); }

// LzmaCompress with the given settings, threaded (ours) or the SDK's own
// single-thread build (reference): properties, then the stream.
struct SSettings { int level; unsigned dictionary; int lc, lp, pb, fb; };

Bytes Encode(bool reference, Bytes input, SSettings const& s = {-1, 1 << 20, -1, -1, -1, -1})
{
    Bytes output(input.size() * 2 + 1000);
    std::size_t streamSize = output.size() - 5, propsSize = 5;
    EXPECT_EQ((reference ? QzReferenceLzmaCompress : LzmaCompress)(Data(output) + 5, &streamSize, Data(input),
                                                                   input.size(), Data(output), &propsSize, s.level,
                                                                   s.dictionary, s.lc, s.lp, s.pb, s.fb, -1),
              SZ_OK);
    output.resize(5 + streamSize);
    return output;
}

Bytes Reference(Bytes const& input) { return Encode(true, input); }

int ThreadCount()
{
    auto const tasks = std::filesystem::directory_iterator("/proc/self/task");
    return int(std::distance(begin(tasks), end(tasks)));
}

// The thread count once it is `expected` (a joined thread may stay listed
// while the kernel reaps it), or without one, once it holds still (the
// count a call returns to: the thread sanitizer adds a thread of its own
// at the first start, so callers start one first).
int SettledThreadCount(int expected = -1)
{
    int count = ThreadCount();
    for (int i = 0; i < 200 && count != expected; ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        int const now = ThreadCount();
        if (expected < 0 && now == count)
            break;
        count = now;
    }
    return count;
}

// LzmaEncode as Compress calls it, with an allocator that fails allocation
// number failAt (from 0) and a progress callback that records the thread count.
struct SEncodeRun
{
    int hashBytes = 4; // the finder the stages reproduce: bt4
    int failAt = -1, allocations = 0;
    int progressCalls = 0, mostThreads = 0;
    int result = SZ_OK;
    Bytes output;

    void Run(Bytes input)
    {
        SProgress progress = {{Progress}, this};
        SAlloc alloc = {{Allocate, Release}, this};
        CLzmaEncProps props;
        LzmaEncProps_Init(&props);
        props.dictSize = 1 << 20;
        props.numHashBytes = hashBytes;
        output.assign(input.size() + input.size() / 3 + 133, 0);
        SizeT streamSize = output.size() - 5, propsSize = 5;
        result = LzmaEncode(Data(output) + 5, &streamSize, Data(input), input.size(), &props, Data(output),
                            &propsSize, 0, &progress.vtable, &alloc.vtable, &alloc.vtable);
        output.resize(5 + streamSize);
    }

private:
    struct SProgress { ICompressProgress vtable; SEncodeRun* run; };
    struct SAlloc { ISzAlloc vtable; SEncodeRun* run; };
    static SRes Progress(void* object, UInt64, UInt64)
    {
        SEncodeRun& run = *static_cast<SProgress*>(object)->run;
        run.mostThreads = std::max(run.mostThreads, ThreadCount());
        ++run.progressCalls;
        return SZ_OK;
    }
    static void* Allocate(void* object, std::size_t size)
    {
        SEncodeRun& run = *static_cast<SAlloc*>(object)->run;
        return run.allocations++ == run.failAt || size == 0 ? nullptr : std::malloc(size);
    }
    static void Release(void*, void* address) { std::free(address); }
};

} // namespace

TEST(QzLzmaMatchFinderThread, MatchesTheSingleThreadEncoder)
{
    // around the block, ring and value-area boundaries
    std::vector<std::size_t> sizes = {0, 1, 2, 3, 4, 5, 32, 33, 305, 306, 4095, 4097};
    for (std::size_t around : {std::size_t(kMtBlockPositions), std::size_t(kMtBlockPositions) * kMtNumBlocks,
                               std::size_t(kMtBlockPositions) * (kMtNumBlocks + 1), std::size_t(kMtBlockValues) / 3})
        for (std::size_t size : {around - 1, around, around + 1})
            sizes.push_back(size);
    for (std::size_t size : sizes)
        for (Bytes const& input : {qztest::RandomBytes(size, unsigned(size)), qztest::Text(size), Bytes(size, 0),
                                   qztest::Mixed(size, unsigned(size) + 7)})
            ASSERT_EQ(qztest::Compress(input), Reference(input)) << "size " << size;

    // large inputs cross the dictionary, the ring and the encoder's passes
    Bytes mixed = qztest::RandomBytes(kMiB + kMiB / 8, 11);
    Bytes const tail = qztest::Mixed(kMiB / 2 / kScale, 13);
    mixed.insert(mixed.end(), tail.begin(), tail.end());
    for (Bytes const& input : {Bytes(2 * kMiB / kScale + 3, 0), mixed})
        ASSERT_EQ(qztest::Compress(input), Reference(input)) << "size " << input.size();

    // small dictionaries wrap the tree's cyclic buffer often, fb 273 makes the
    // longest match lists and fb 5 the shortest; level 3 and below encode
    // without the thread
    SSettings const settings[] = {{5, 4096, -1, -1, -1, -1}, {5, 65536, 0, 2, 0, 273}, {7, 1 << 18, 4, 0, 4, 64},
                                  {9, 1 << 22, -1, -1, -1, 5}, {3, 1 << 16, -1, -1, -1, -1}};
    Bytes const input(mixed.begin(), mixed.begin() + std::ptrdiff_t(400000 / kScale));
    for (SSettings const& s : settings)
    {
        Bytes const ours = Encode(false, input, s);
        EXPECT_EQ(ours, Encode(true, input, s)) << "level " << s.level << " dictionary " << s.dictionary;
        // the first property byte as the .lzma format defines it (-1: lc 3, lp 0, pb 2)
        int const lc = s.lc < 0 ? 3 : s.lc, lp = s.lp < 0 ? 0 : s.lp, pb = s.pb < 0 ? 2 : s.pb;
        EXPECT_EQ((unsigned char)ours[0], (pb * 5 + lp) * 9 + lc) << "level " << s.level;
    }
}

TEST(QzLzmaMatchFinderThread, RunsOnASecondThreadOnlyDuringACallAndCanDoWithout)
{
    Bytes const input = qztest::Mixed(150000, 21); // two passes, a progress call between them
    std::thread([] {}).join();
    int const before = SettledThreadCount();
    SEncodeRun run;
    run.Run(input);
    ASSERT_EQ(run.result, SZ_OK);
    EXPECT_EQ(run.mostThreads, before + 1);
    EXPECT_EQ(run.output, Reference(input));
    EXPECT_EQ(SettledThreadCount(before), before);

    // encoders on four threads at once share nothing
    std::vector<Bytes> outputs(4);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < 4; ++t)
        threads.emplace_back([&, t] { outputs[t] = qztest::Compress(qztest::Mixed(100000 / kScale + t, 31 + t)); });
    for (unsigned t = 0; t < 4; ++t)
    {
        threads[t].join();
        EXPECT_EQ(outputs[t], Reference(qztest::Mixed(100000 / kScale + t, 31 + t))) << "thread " << t;
    }
    EXPECT_EQ(SettledThreadCount(before), before);

    // without its thread or its buffers, the same bytes on the encoder's thread
    Bytes const expected = Reference(input);
    MatchFinderMt_FailThreadStarts(1); // the encoder fills the blocks itself
    SEncodeRun unthreaded;
    unthreaded.Run(input);
    MatchFinderMt_FailThreadStarts(0);
    EXPECT_GT(unthreaded.progressCalls, 0);
    EXPECT_EQ(unthreaded.mostThreads, before);
    EXPECT_EQ(unthreaded.output, expected);

    // the other binary-tree finders are served on the encoder's thread
    for (int const hashBytes : {2, 3})
    {
        SEncodeRun run;
        run.hashBytes = hashBytes;
        run.Run(input);
        EXPECT_EQ(run.mostThreads, before);
        EXPECT_EQ(qztest::Decompress(run.output, input.size()), input) << hashBytes;
    }

    // every allocation failed in turn: an error, or the same bytes on one thread
    int survived = 0;
    for (int failAt = 0;; ++failAt)
    {
        SEncodeRun run;
        run.failAt = failAt;
        run.Run(input);
        if (run.allocations <= failAt)
            break; // every allocation has been failed once
        if (run.result == SZ_OK)
        {
            ++survived;
            EXPECT_EQ(run.output, expected) << "allocation " << failAt;
            EXPECT_EQ(run.mostThreads, before) << "allocation " << failAt;
        }
        else
            EXPECT_EQ(run.result, SZ_ERROR_MEM) << "allocation " << failAt;
        ASSERT_EQ(SettledThreadCount(before), before);
    }
    // the match-finder buffers (two allocations) are the ones it can do without
    EXPECT_EQ(survived, 2);
}
