// Tests of the encoder's second thread: byte identity with the single-thread
// encoder, the thread's life inside one call, and the one-thread fall-backs.
#include "compression/internal/LzFindMt.h"
#include "compression/internal/LzFindMtTestHook.h"
#include "compression/internal/LzmaCompress.h"
#include "compression/QzMemoryCompressor.h"

#include "LzmaEnc.h"
#include "QzLzmaReference.h"
#include "support/QzTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <thread>
#include <vector>

namespace {

using qztest::Bytes;

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

constexpr unsigned kDictionary = 0x100000;

unsigned char* Data(Bytes& bytes) { return reinterpret_cast<unsigned char*>(bytes.data()); }
unsigned char const* Data(Bytes const& bytes)
{
    return reinterpret_cast<unsigned char const*>(bytes.data());
}

Bytes Concat(Bytes first, Bytes const& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// What the single-thread encoder makes of input: properties, then the stream.
Bytes Reference(Bytes const& input)
{
    Bytes output(input.size() + input.size() / 3 + 133);
    std::size_t streamSize = output.size() - 5;
    std::size_t propsSize = 5;
    int const result = QzReferenceLzmaCompress(Data(output) + 5, &streamSize, Data(input),
                                               input.size(), Data(output), &propsSize, -1,
                                               kDictionary, -1, -1, -1, -1, -1);
    EXPECT_EQ(result, SZ_OK);
    output.resize(5 + streamSize);
    return output;
}

Bytes Compress(CQzMemoryCompressor& compressor, Bytes const& input)
{
    int const size = int(input.size());
    Bytes output(std::size_t(compressor.ComputeCompressionBufferSize(input.data(), size)));
    int const used = compressor.Compress(input.data(), size, output.data(), int(output.size()));
    output.resize(std::size_t(used));
    return output;
}

Bytes Compress(Bytes const& input)
{
    CQzMemoryCompressor compressor;
    return Compress(compressor, input);
}

int ThreadCount()
{
    auto const tasks = std::filesystem::directory_iterator("/proc/self/task");
    return int(std::distance(begin(tasks), end(tasks)));
}

// A joined thread may stay listed for a moment while the kernel reaps it.
int SettledThreadCount(int expected)
{
    int count = ThreadCount();
    for (int i = 0; i < 200 && count != expected; ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        count = ThreadCount();
    }
    return count;
}

// The count the process returns to after a call. Some runtimes (the thread
// sanitizer's) add a thread of their own when the first one starts: start one
// first, then wait until the count holds still.
int BaselineThreadCount()
{
    std::thread([] {}).join();
    int count = ThreadCount();
    for (int i = 0; i < 200; ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        int const now = ThreadCount();
        if (now == count)
            break;
        count = now;
    }
    return count;
}

// LzmaEncode with the settings Compress uses, a progress callback that
// records the process's thread count, and a given allocator.
struct SEncodeRun
{
    Bytes output;
    int result = SZ_OK;
    int mostThreads = 0;
    int progressCalls = 0;
    int abortAfter = -1; // progress calls before it asks the encoder to stop
};

// Records the process's thread count each time the encoder reports progress.
struct SProgress
{
    ICompressProgress vtable = {Record};
    SEncodeRun* run = nullptr;

    static SRes Record(void* object, UInt64, UInt64)
    {
        SEncodeRun& run = *static_cast<SProgress*>(object)->run;
        int const threads = ThreadCount();
        if (threads > run.mostThreads)
            run.mostThreads = threads;
        return ++run.progressCalls == run.abortAfter ? SZ_ERROR_PROGRESS : SZ_OK;
    }
};

void* MallocAlloc(void*, std::size_t size) { return size == 0 ? nullptr : std::malloc(size); }
void MallocFree(void*, void* address) { std::free(address); }
ISzAlloc g_malloc = {MallocAlloc, MallocFree};

void Encode(SEncodeRun& run, Bytes const& input, std::size_t outputRoom, ISzAlloc* alloc = &g_malloc)
{
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.dictSize = kDictionary;
    SProgress progress;
    progress.run = &run;
    run.output.assign(outputRoom + 5, 0);
    SizeT streamSize = outputRoom;
    SizeT propsSize = 5;
    run.result = LzmaEncode(Data(run.output) + 5, &streamSize, Data(input), input.size(), &props,
                            Data(run.output), &propsSize, 0, &progress.vtable, alloc, alloc);
    run.output.resize(5 + streamSize);
}

// Fails the allocation numbered failAt (from 0) and counts them all.
struct SFailingAlloc
{
    ISzAlloc vtable = {Allocate, Release};
    int failAt = -1;
    int count = 0;

    static void* Allocate(void* object, std::size_t size)
    {
        SFailingAlloc* self = static_cast<SFailingAlloc*>(object);
        if (self->count++ == self->failAt)
            return nullptr;
        return MallocAlloc(nullptr, size);
    }
    static void Release(void*, void* address) { std::free(address); }
};

// Fails thread starts for as long as it lives.
struct SThreadStartFailure
{
    SThreadStartFailure() { MatchFinderMt_FailThreadStarts(1); }
    ~SThreadStartFailure() { MatchFinderMt_FailThreadStarts(0); }
};

std::vector<std::size_t> BoundarySizes()
{
    std::vector<std::size_t> sizes = {0, 1, 2, 3, 4, 5, 31, 32, 33, 305, 306, 4095, 4096, 4097};
    for (std::size_t around : {std::size_t(kMtBlockPositions), std::size_t(kMtBlockPositions) * 2,
                               std::size_t(kMtBlockPositions) * kMtNumBlocks, // the ring wraps
                               std::size_t(kMtBlockPositions) * (kMtNumBlocks + 1),
                               std::size_t(1) << 16, std::size_t(kMtBlockValues) / 3})
        for (std::size_t size : {around - 1, around, around + 1})
            sizes.push_back(size);
    return sizes;
}

} // namespace

TEST(QzLzmaMatchFinderThread, MatchesTheSingleThreadEncoderAroundBlockBoundaries)
{
    for (std::size_t size : BoundarySizes())
    {
        Bytes const inputs[] = {qztest::RandomBytes(size, unsigned(size)), qztest::Text(size),
                                Bytes(size, 0), qztest::Mixed(size, unsigned(size) + 7)};
        for (Bytes const& input : inputs)
        {
            Bytes const expected = Reference(input);
            ASSERT_EQ(Compress(input), expected) << "size " << size;
        }
    }
}

TEST(QzLzmaMatchFinderThread, MatchesTheSingleThreadEncoderOnLargeInputs)
{
    // sanitizers slow the encoder tenfold; the sizes still cross the
    // dictionary, the ring and the encoder's 32 KiB passes many times
    std::size_t const mib = std::size_t(1) << 20;
    std::size_t const zeros = kSanitized ? mib + mib / 4 : 20 * mib;
    std::size_t const random = kSanitized ? mib + mib / 8 : 3 * mib;
    std::size_t const mixture = kSanitized ? mib / 2 : 3 * mib;
    Bytes const inputs[] = {
        Bytes(zeros, 0),
        Concat(qztest::RandomBytes(random, 11), qztest::Text(mib / 4, 12)),
        qztest::Mixed(mixture, 13),
        qztest::Mixed(mixture + 12345, 14),
        Concat(qztest::Runs(mixture / 2, 15), qztest::Mixed(mixture / 2, 16)),
    };
    for (Bytes const& input : inputs)
    {
        Bytes const expected = Reference(input);
        ASSERT_EQ(Compress(input), expected) << "size " << input.size();
    }
}

TEST(QzLzmaMatchFinderThread, MatchesTheSingleThreadEncoderWithOtherSettings)
{
    // small dictionaries wrap the tree's cyclic buffer often, fb 273 makes the
    // longest match lists and fb 5 the shortest; level 3 and below encode
    // without the thread
    struct SSettings
    {
        int level;
        unsigned dictionary;
        int lc, lp, pb, fb;
    };
    SSettings const settings[] = {{5, 4096, -1, -1, -1, -1},   {5, 65536, 0, 2, 0, 273},
                                  {7, 1 << 18, 4, 0, 4, 64},   {9, 1 << 22, -1, -1, -1, 5},
                                  {3, 1 << 16, -1, -1, -1, -1}, {5, 1 << 20, 3, 0, 2, 128}};
    Bytes const input = Concat(qztest::Mixed(kSanitized ? 200000 : 700000, 81), qztest::Runs(70000, 82));
    for (SSettings const& s : settings)
    {
        Bytes ours(input.size() * 2 + 1000), theirs(ours.size());
        std::size_t oursSize = ours.size() - 5, theirsSize = theirs.size() - 5;
        std::size_t oursProps = 5, theirsProps = 5;
        ASSERT_EQ(LzmaCompress(Data(ours) + 5, &oursSize, Data(input), input.size(), Data(ours),
                               &oursProps, s.level, s.dictionary, s.lc, s.lp, s.pb, s.fb, -1),
                  SZ_OK);
        ASSERT_EQ(QzReferenceLzmaCompress(Data(theirs) + 5, &theirsSize, Data(input), input.size(),
                                          Data(theirs), &theirsProps, s.level, s.dictionary, s.lc,
                                          s.lp, s.pb, s.fb, -1),
                  SZ_OK);
        ours.resize(5 + oursSize);
        theirs.resize(5 + theirsSize);
        EXPECT_EQ(ours, theirs) << "level " << s.level << " dictionary " << s.dictionary << " fb " << s.fb;
    }
}

TEST(QzLzmaMatchFinderThread, RunsOnASecondThreadOnlyDuringTheCall)
{
    Bytes const input = qztest::Mixed(kSanitized ? std::size_t(300000) : std::size_t(1) << 20, 21);
    int const before = BaselineThreadCount();
    SEncodeRun run;
    Encode(run, input, input.size() + input.size() / 3 + 128);
    ASSERT_EQ(run.result, SZ_OK);
    EXPECT_GT(run.progressCalls, 0);
    EXPECT_EQ(run.mostThreads, before + 1);
    EXPECT_EQ(SettledThreadCount(before), before);
    EXPECT_EQ(run.output, Reference(input));
}

TEST(QzLzmaMatchFinderThread, ManyCallsInARowMatchAndLeaveNoThreadBehind)
{
    CQzMemoryCompressor compressor;
    int const before = BaselineThreadCount();
    for (unsigned call = 0; call < 40; ++call)
    {
        std::size_t const size = (call * 7919u) % (kSanitized ? 50000u : 200000u);
        Bytes const input = qztest::Mixed(size, call);
        ASSERT_EQ(Compress(compressor, input), Reference(input)) << "call " << call;
        ASSERT_EQ(SettledThreadCount(before), before) << "call " << call;
    }
}

TEST(QzLzmaMatchFinderThread, FourThreadsCompressingAtOnceEachGetTheirOwnBytes)
{
    std::size_t const size = kSanitized ? 150000 : std::size_t(3) << 19;
    std::vector<Bytes> inputs, expected;
    for (unsigned t = 0; t < 4; ++t)
    {
        inputs.push_back(qztest::Mixed(size + t * 1000, 31 + t));
        expected.push_back(Reference(inputs.back()));
    }
    int const before = BaselineThreadCount();
    std::vector<Bytes> outputs[4];
    {
        std::vector<std::thread> threads;
        for (unsigned t = 0; t < 4; ++t)
            threads.emplace_back([&, t] {
                CQzMemoryCompressor compressor;
                for (int round = 0; round < 3; ++round)
                    outputs[t].push_back(Compress(compressor, inputs[t]));
            });
        for (std::thread& thread : threads)
            thread.join();
    }
    for (unsigned t = 0; t < 4; ++t)
        for (Bytes const& output : outputs[t])
            EXPECT_EQ(output, expected[t]) << "thread " << t;
    EXPECT_EQ(SettledThreadCount(before), before);
}

TEST(QzLzmaMatchFinderThread, FallsBackToOneThreadWithTheSameBytesWhenTheThreadCannotStart)
{
    SThreadStartFailure const failure;
    int const before = BaselineThreadCount();
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(kMtBlockPositions) + 1,
                             std::size_t(kMtBlockPositions) * kMtNumBlocks * 3})
    {
        Bytes const input = qztest::Mixed(size, unsigned(size));
        EXPECT_EQ(Compress(input), Reference(input)) << "size " << size;
    }
    Bytes const input = qztest::Mixed(kSanitized ? std::size_t(200000) : std::size_t(1) << 19, 41);
    SEncodeRun run;
    Encode(run, input, input.size() + input.size() / 3 + 128);
    ASSERT_EQ(run.result, SZ_OK);
    EXPECT_GT(run.progressCalls, 0);
    EXPECT_EQ(run.mostThreads, before);
    EXPECT_EQ(run.output, Reference(input));
}

TEST(QzLzmaMatchFinderThread, AnyFailedAllocationGivesAnErrorOrTheSameBytes)
{
    Bytes const input = qztest::Mixed(100000, 51);
    Bytes const expected = Reference(input);
    int const before = BaselineThreadCount();
    int survived = 0;
    for (int failAt = 0;; ++failAt)
    {
        SFailingAlloc alloc;
        alloc.failAt = failAt;
        SEncodeRun run;
        Encode(run, input, input.size() + input.size() / 3 + 128, &alloc.vtable);
        if (alloc.count <= failAt)
        {
            // every allocation has been failed once: the sweep is complete
            EXPECT_EQ(run.result, SZ_OK);
            EXPECT_EQ(run.output, expected);
            break;
        }
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

TEST(QzLzmaMatchFinderThread, StopsItsThreadWhenTheEncoderStopsEarly)
{
    Bytes const input = qztest::Mixed(std::size_t(1) << 20, 61);
    int const before = BaselineThreadCount();

    // output room runs out: the same error as the single-thread encoder
    std::size_t const room = 2000;
    Bytes ours(room), theirs(room);
    std::size_t oursSize = room - 5, theirsSize = room - 5, propsSize = 5;
    int const oursResult = LzmaCompress(Data(ours) + 5, &oursSize, Data(input), input.size(),
                                        Data(ours), &propsSize, -1, kDictionary, -1, -1, -1, -1, -1);
    int const theirsResult = QzReferenceLzmaCompress(Data(theirs) + 5, &theirsSize, Data(input),
                                                     input.size(), Data(theirs), &propsSize, -1,
                                                     kDictionary, -1, -1, -1, -1, -1);
    EXPECT_NE(oursResult, SZ_OK);
    EXPECT_EQ(oursResult, theirsResult);
    EXPECT_EQ(SettledThreadCount(before), before);

    // the progress callback asks the encoder to stop
    SEncodeRun run;
    run.abortAfter = 2;
    Encode(run, input, input.size() + input.size() / 3 + 128);
    EXPECT_EQ(run.result, SZ_ERROR_PROGRESS);
    EXPECT_EQ(run.progressCalls, 2);
    EXPECT_EQ(SettledThreadCount(before), before);
}

namespace {

struct SInStream
{
    ISeqInStream vtable = {Read};
    Bytes const* data = nullptr;
    std::size_t at = 0;

    static SRes Read(void* object, void* buffer, std::size_t* size)
    {
        SInStream* self = static_cast<SInStream*>(object);
        // small uneven reads, as a file or pipe would give them
        std::size_t const left = self->data->size() - self->at;
        *size = std::min({*size, left, std::size_t(7777)});
        std::memcpy(buffer, self->data->data() + self->at, *size);
        self->at += *size;
        return SZ_OK;
    }
};

struct SOutStream
{
    ISeqOutStream vtable = {Write};
    Bytes data;

    static std::size_t Write(void* object, void const* buffer, std::size_t size)
    {
        SOutStream* self = static_cast<SOutStream*>(object);
        char const* bytes = static_cast<char const*>(buffer);
        self->data.insert(self->data.end(), bytes, bytes + size);
        return size;
    }
};

} // namespace

TEST(QzLzmaMatchFinderThread, StreamInputIsEncodedOnOneThreadWithTheSameBytes)
{
    Bytes const input = qztest::Mixed(kSanitized ? std::size_t(1) << 19 : std::size_t(3) << 19, 71);
    CLzmaEncHandle encoder = LzmaEnc_Create(&g_malloc);
    ASSERT_NE(encoder, nullptr);
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.dictSize = kDictionary;
    ASSERT_EQ(LzmaEnc_SetProps(encoder, &props), SZ_OK);
    SOutStream out;
    out.data.resize(5);
    SizeT propsSize = 5;
    ASSERT_EQ(LzmaEnc_WriteProperties(encoder, Data(out.data), &propsSize), SZ_OK);
    SInStream in;
    in.data = &input;
    EXPECT_EQ(LzmaEnc_Encode(encoder, &out.vtable, &in.vtable, nullptr, &g_malloc, &g_malloc), SZ_OK);
    LzmaEnc_Destroy(encoder, &g_malloc, &g_malloc);
    EXPECT_EQ(out.data, Reference(input));
}
