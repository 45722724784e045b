// Tests of the encoder's second thread: byte identity with the single-thread
// encoder, the thread's life inside one call, and the one-thread fall-backs.
#include "compression/internal/LzFindMt.h"
#include "compression/internal/LzFindMtTestHook.h"
#include "compression/internal/LzmaCompress.h"

#include "LzmaEnc.h"
#include "QzLzmaReference.h"
#include "support/QzLzmaRoundTrip.h"

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
constexpr std::size_t kScale = 4; // sanitizers slow the encoder tenfold
#else
constexpr std::size_t kScale = 1;
#endif
constexpr std::size_t kMiB = std::size_t(1) << 20;

unsigned char* Data(Bytes& bytes) { return reinterpret_cast<unsigned char*>(bytes.data()); }

// LzmaCompress with the given settings, threaded (ours) or the SDK's own
// single-thread build (reference): properties, then the stream.
struct SSettings
{
    int level = -1;
    unsigned dictionary = 1 << 20;
    int lc = -1, lp = -1, pb = -1, fb = -1;
};

Bytes Encode(bool reference, Bytes input, SSettings const& s = {}, std::size_t room = 0, int* result = nullptr)
{
    Bytes output(room != 0 ? room : input.size() * 2 + 1000);
    std::size_t streamSize = output.size() - 5, propsSize = 5;
    int const code = (reference ? QzReferenceLzmaCompress : LzmaCompress)(
        Data(output) + 5, &streamSize, Data(input), input.size(), Data(output), &propsSize, s.level,
        s.dictionary, s.lc, s.lp, s.pb, s.fb, -1);
    if (result != nullptr)
        *result = code;
    else
        EXPECT_EQ(code, SZ_OK);
    output.resize(5 + streamSize);
    return output;
}

Bytes Reference(Bytes const& input) { return Encode(true, input); }

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

// The count the process returns to after a call: the thread sanitizer adds
// a thread of its own at the first start, so start one, then let it settle.
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

// LzmaEncode as Compress calls it, with an allocator that fails allocation
// number failAt (from 0) and a progress callback that records the thread
// count and asks the encoder to stop at call abortAfter.
struct SEncodeRun
{
    int hashBytes = 4; // the finder the stages reproduce: bt4
    int failAt = -1, allocations = 0;
    int abortAfter = -1, progressCalls = 0, mostThreads = 0;
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
    struct SProgress
    {
        ICompressProgress vtable;
        SEncodeRun* run;
    };
    struct SAlloc
    {
        ISzAlloc vtable;
        SEncodeRun* run;
    };
    static SRes Progress(void* object, UInt64, UInt64)
    {
        SEncodeRun& run = *static_cast<SProgress*>(object)->run;
        run.mostThreads = std::max(run.mostThreads, ThreadCount());
        return ++run.progressCalls == run.abortAfter ? SZ_ERROR_PROGRESS : SZ_OK;
    }
    static void* Allocate(void* object, std::size_t size)
    {
        SEncodeRun& run = *static_cast<SAlloc*>(object)->run;
        return run.allocations++ == run.failAt || size == 0 ? nullptr : std::malloc(size);
    }
    static void Release(void*, void* address) { std::free(address); }
};

// Hands the input over in small uneven reads, as a file or pipe would.
struct SInStream
{
    ISeqInStream vtable;
    Bytes const* data;
    std::size_t at;

    static SRes Read(void* object, void* buffer, std::size_t* size)
    {
        SInStream& self = *static_cast<SInStream*>(object);
        *size = std::min({*size, self.data->size() - self.at, std::size_t(7777)});
        std::memcpy(buffer, self.data->data() + self.at, *size);
        self.at += *size;
        return SZ_OK;
    }
};

struct SOutStream
{
    ISeqOutStream vtable;
    Bytes data;

    static std::size_t Write(void* object, void const* buffer, std::size_t size)
    {
        Bytes& data = static_cast<SOutStream*>(object)->data;
        data.insert(data.end(), static_cast<char const*>(buffer), static_cast<char const*>(buffer) + size);
        return size;
    }
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

    // large inputs cross the dictionary, the ring and the encoder's 32 KiB passes
    Bytes mixed = qztest::RandomBytes(kMiB + kMiB / 8, 11);
    Bytes const tail = qztest::Mixed(3 * kMiB / kScale, 13);
    mixed.insert(mixed.end(), tail.begin(), tail.end());
    for (Bytes const& input : {Bytes(5 * kMiB / kScale, 0), mixed})
        ASSERT_EQ(qztest::Compress(input), Reference(input)) << "size " << input.size();

    // small dictionaries wrap the tree's cyclic buffer often, fb 273 makes the
    // longest match lists and fb 5 the shortest; level 3 and below encode
    // without the thread
    SSettings const settings[] = {{5, 4096, -1, -1, -1, -1}, {5, 65536, 0, 2, 0, 273}, {7, 1 << 18, 4, 0, 4, 64},
                                  {9, 1 << 22, -1, -1, -1, 5}, {3, 1 << 16, -1, -1, -1, -1}};
    Bytes const input(mixed.begin(), mixed.begin() + std::ptrdiff_t(800000 / kScale));
    for (SSettings const& s : settings)
    {
        Bytes const ours = Encode(false, input, s);
        EXPECT_EQ(ours, Encode(true, input, s)) << "level " << s.level << " dictionary " << s.dictionary;
        // the first property byte as the .lzma format defines it (-1: lc 3, lp 0, pb 2)
        int const lc = s.lc < 0 ? 3 : s.lc, lp = s.lp < 0 ? 0 : s.lp, pb = s.pb < 0 ? 2 : s.pb;
        EXPECT_EQ((unsigned char)ours[0], (pb * 5 + lp) * 9 + lc) << "level " << s.level;
    }
}

TEST(QzLzmaMatchFinderThread, RunsOnASecondThreadOnlyDuringEachCall)
{
    int const before = BaselineThreadCount();
    SEncodeRun run;
    Bytes const input = qztest::Mixed(kMiB / kScale, 21);
    run.Run(input);
    ASSERT_EQ(run.result, SZ_OK);
    EXPECT_EQ(run.mostThreads, before + 1);
    EXPECT_EQ(run.output, Reference(input));
    EXPECT_EQ(SettledThreadCount(before), before);

    for (unsigned call = 0; call < 12; ++call)
    {
        Bytes const next = qztest::Mixed((call * 17389u) % 200000u, call);
        ASSERT_EQ(qztest::Compress(next), Reference(next)) << "call " << call;
        ASSERT_EQ(SettledThreadCount(before), before) << "call " << call;
    }

    // encoders on four threads at once share nothing
    std::vector<Bytes> inputs, outputs(4);
    for (unsigned t = 0; t < 4; ++t)
        inputs.push_back(qztest::Mixed(300000 / kScale + t * 1000, 31 + t));
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < 4; ++t)
        threads.emplace_back([&, t] { outputs[t] = qztest::Compress(inputs[t]); });
    for (std::thread& thread : threads)
        thread.join();
    for (unsigned t = 0; t < 4; ++t)
        EXPECT_EQ(outputs[t], Reference(inputs[t])) << "thread " << t;
    EXPECT_EQ(SettledThreadCount(before), before);
}

TEST(QzLzmaMatchFinderThread, WithoutItsThreadOrItsBuffersGivesTheSameBytes)
{
    int const before = BaselineThreadCount();
    Bytes const input = qztest::Mixed(100000, 51);
    Bytes const expected = Reference(input);
    {
        MatchFinderMt_FailThreadStarts(1);
        for (std::size_t size : {std::size_t(1), std::size_t(kMtBlockPositions) * kMtNumBlocks * 3})
        {
            Bytes const other = qztest::Mixed(size, unsigned(size));
            EXPECT_EQ(qztest::Compress(other), Reference(other)) << "size " << size;
        }
        SEncodeRun run;
        run.Run(input);
        MatchFinderMt_FailThreadStarts(0);
        EXPECT_GT(run.progressCalls, 0);
        EXPECT_EQ(run.mostThreads, before);
        EXPECT_EQ(run.output, expected);
    }

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
        {
            EXPECT_EQ(run.output, expected); // every allocation has been failed once
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
    Bytes const input = qztest::Mixed(kMiB, 61);
    int const before = BaselineThreadCount();

    // output room runs out: the same error as the single-thread encoder
    int ours = SZ_OK, theirs = SZ_OK;
    Encode(false, input, {}, 2000, &ours);
    Encode(true, input, {}, 2000, &theirs);
    EXPECT_NE(ours, SZ_OK);
    EXPECT_EQ(ours, theirs);
    EXPECT_EQ(SettledThreadCount(before), before);

    SEncodeRun run;
    run.abortAfter = 2;
    run.Run(input);
    EXPECT_EQ(run.result, SZ_ERROR_PROGRESS);
    EXPECT_EQ(run.progressCalls, 2);
    EXPECT_EQ(SettledThreadCount(before), before);
}

TEST(QzLzmaMatchFinderThread, StreamInputAndReusedEncodersGiveTheSameBytes)
{
    Bytes const input = qztest::Mixed(3 * kMiB / 2 / kScale, 71);
    ISzAlloc alloc = {[](void*, std::size_t size) { return size == 0 ? nullptr : std::malloc(size); },
                      [](void*, void* address) { std::free(address); }};
    CLzmaEncHandle encoder = LzmaEnc_Create(&alloc);
    ASSERT_NE(encoder, nullptr);
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.dictSize = 1 << 20;
    SOutStream out = {{SOutStream::Write}, Bytes(5)};
    SizeT propsSize = 5;
    SInStream in = {{SInStream::Read}, &input, 0};
    EXPECT_EQ(LzmaEnc_SetProps(encoder, &props), SZ_OK);
    EXPECT_EQ(LzmaEnc_WriteProperties(encoder, Data(out.data), &propsSize), SZ_OK);
    EXPECT_EQ(LzmaEnc_Encode(encoder, &out.vtable, &in.vtable, nullptr, &alloc, &alloc), SZ_OK);
    EXPECT_EQ(out.data, Reference(input));
    LzmaEnc_Destroy(encoder, &alloc, &alloc);

    // an encoder reused for buffers in memory starts its thread afresh (a
    // fresh one: the SDK's stream window would leak once the input is direct)
    encoder = LzmaEnc_Create(&alloc);
    ASSERT_NE(encoder, nullptr);
    EXPECT_EQ(LzmaEnc_SetProps(encoder, &props), SZ_OK);
    for (Bytes const& next : {qztest::Mixed(300000, 72), qztest::Text(200000, 73)})
    {
        Bytes output(next.size() * 2 + 1000);
        SizeT size = output.size() - 5;
        EXPECT_EQ(LzmaEnc_MemEncode(encoder, Data(output) + 5, &size, reinterpret_cast<Byte const*>(next.data()),
                                    next.size(), 0, nullptr, &alloc, &alloc),
                  SZ_OK);
        output.resize(5 + size);
        std::copy_n(out.data.begin(), 5, output.begin());
        EXPECT_EQ(output, Reference(next));
    }
    LzmaEnc_Destroy(encoder, &alloc, &alloc);
}
