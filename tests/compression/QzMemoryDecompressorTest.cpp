// Tests of CQzMemoryDecompressor: decoding in pieces by output and by input,
// the used-up and empty states, and corrupt input that must end the call
// without writing past the room it was given.
#include "compression/QzMemoryDecompressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "QzLzmaRoundTrip.h"
#include "QzTestData.h"

using qztest::Bytes;

namespace {

constexpr char kGuard = char(0x5A);
constexpr std::size_t kGuardSize = 64;

// Output buffer of `size` bytes followed by guard bytes that must survive.
struct GuardedOutput
{
    explicit GuardedOutput(std::size_t size) : bytes(size + kGuardSize, kGuard), size(size) {}
    char* data() { return bytes.data(); }
    bool GuardIntact() const
    {
        return std::all_of(bytes.begin() + std::ptrdiff_t(size), bytes.end(), [](char c) { return c == kGuard; });
    }
    Bytes bytes;
    std::size_t size;
};

// DecompressOutputBytes calls of pieceSize bytes, each written to the start
// of its piece, joined until total bytes have come or a call gives nothing.
Bytes JoinPieces(CQzMemoryDecompressor& decompressor, int pieceSize, std::size_t total)
{
    Bytes joined;
    Bytes piece(std::size_t(pieceSize), 0);
    while (joined.size() < total)
    {
        int const produced = decompressor.DecompressOutputBytes(piece.data(), pieceSize);
        if (produced <= 0)
            break;
        joined.insert(joined.end(), piece.begin(), piece.begin() + produced);
    }
    return joined;
}

} // namespace

TEST(QzMemoryDecompressor, OutputInPiecesEqualsOneWholeCall)
{
    Bytes const input = qztest::Mixed(300000, 21);
    Bytes compressed = qztest::Compress(input);

    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    EXPECT_EQ(JoinPieces(decompressor, 4096, input.size()), input);

    // everything delivered: further calls return 0
    char piece[4096];
    EXPECT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), 0);
    EXPECT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), 0);
}

TEST(QzMemoryDecompressor, CountsOfZeroOrLessChangeNothing)
{
    Bytes const input = qztest::Text(10000);
    Bytes compressed = qztest::Compress(input);
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    char unused = 0;
    EXPECT_EQ(decompressor.DecompressOutputBytes(&unused, 0), 0);
    EXPECT_EQ(decompressor.DecompressOutputBytes(&unused, -7), 0);
    Bytes output(input.size());
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), int(output.size())), int(input.size()));
    EXPECT_EQ(output, input);
}

TEST(QzMemoryDecompressor, SmallRequestsStillSkipThePropertyBytes)
{
    Bytes const input = qztest::Text(5000, 8);
    Bytes compressed = qztest::Compress(input);
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    EXPECT_EQ(JoinPieces(decompressor, 3, input.size()), input);
}

namespace {

// Zeros behind a little text: the stream ends in one long match, which a call
// whose room runs out leaves half-written inside the decoder.
Bytes EndsInARun(std::size_t size)
{
    Bytes bytes = qztest::Text(std::min<std::size_t>(size, 1000), 9);
    bytes.resize(size, 0);
    return bytes;
}

// Six million bytes for the calls past the five-million mark: a varied block
// repeated, cheap to compress in a debug build; built once.
Bytes const& LargeInput()
{
    static Bytes const input = [] {
        Bytes const block = qztest::Mixed(300000, 6);
        Bytes bytes;
        while (bytes.size() < 6000000)
            bytes.insert(bytes.end(), block.begin(), block.end());
        bytes.resize(6000000);
        return bytes;
    }();
    return input;
}

Bytes& LargeCompressed()
{
    static Bytes compressed = qztest::Compress(LargeInput());
    return compressed;
}

} // namespace

TEST(QzMemoryDecompressor, PiecesOfAnySizeDeliverTheEndOfATrailingRun)
{
    // k pieces and j bytes: the last piece must come from a match the
    // decoder still holds after the input is used up
    for (int const piece : {4096, 65536, 1 << 20})
    {
        for (std::size_t const size : {std::size_t(piece) + 1, 2 * std::size_t(piece) + 7})
        {
            Bytes const input = EndsInARun(size);
            Bytes compressed = qztest::Compress(input);
            CQzMemoryDecompressor decompressor;
            decompressor.Initialize(compressed.data(), int(compressed.size()));
            EXPECT_EQ(JoinPieces(decompressor, piece, input.size()), input) << piece << " x " << size;
        }
    }

    // random piece sizes over runs and text, each ending in a run
    std::mt19937 random(61);
    for (int trial = 0; trial < 6; ++trial)
    {
        std::size_t const size = 20000 + random() % 200000;
        Bytes input = qztest::Mixed(size, random());
        std::size_t const run = 1 + random() % 100000;
        input.resize(input.size() + run, char(random()));
        Bytes compressed = qztest::Compress(input);
        CQzMemoryDecompressor decompressor;
        decompressor.Initialize(compressed.data(), int(compressed.size()));
        Bytes joined;
        Bytes piece(70000);
        while (joined.size() < input.size())
        {
            int const produced = decompressor.DecompressOutputBytes(piece.data(), 1 + int(random() % piece.size()));
            if (produced <= 0)
                break;
            joined.insert(joined.end(), piece.begin(), piece.begin() + produced);
        }
        EXPECT_EQ(joined, input) << "trial " << trial;
    }
}

namespace {

// Feeds of `feed` input bytes with `room` bytes of output room each, until
// the output is full or a round of calls moves nothing.
Bytes FeedInput(Bytes& compressed, std::size_t size, int feed, int room)
{
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    GuardedOutput output(size);
    int total = 0;
    for (int idle = 0; total < int(size) && idle < 3;)
    {
        int const produced =
            decompressor.DecompressInputBytes(output.data(), feed, std::min(room, int(size) - total));
        total += produced;
        idle = produced == 0 ? idle + 1 : 0;
    }
    EXPECT_TRUE(output.GuardIntact());
    return Bytes(output.bytes.begin(), output.bytes.begin() + total);
}

} // namespace

TEST(QzMemoryDecompressor, InputBytesFillTheWholeOutputWhateverTheRoom)
{
    // beyond five million bytes of output the calls ask the decoder to finish
    // within their room; a room that runs out first is no error
    Bytes const small = qztest::Text(100000, 5);
    Bytes smallCompressed = qztest::Compress(small);
    Bytes const& large = LargeInput();
    Bytes& largeCompressed = LargeCompressed();

    EXPECT_EQ(FeedInput(smallCompressed, small.size(), int(smallCompressed.size()), int(small.size())), small);
    EXPECT_EQ(FeedInput(smallCompressed, small.size(), 4096, 1000), small);
    // the whole input offered on every call, the room limited
    EXPECT_EQ(FeedInput(largeCompressed, large.size(), int(largeCompressed.size()), 65536), large);
    EXPECT_EQ(FeedInput(largeCompressed, large.size(), int(largeCompressed.size()), 1 << 20), large);
    // short of the threshold the same stream stops where its room does
    Bytes const head = FeedInput(largeCompressed, 3000000, int(largeCompressed.size()), 65536);
    EXPECT_EQ(head, Bytes(large.begin(), large.begin() + 3000000));

    // a first call that gets only the property bytes, then the rest
    for (int const first : {0, 3, 5})
    {
        CQzMemoryDecompressor decompressor;
        decompressor.Initialize(smallCompressed.data(), int(smallCompressed.size()));
        Bytes output(small.size());
        EXPECT_EQ(decompressor.DecompressInputBytes(output.data(), first, int(output.size())), 0);
        EXPECT_EQ(decompressor.DecompressInputBytes(output.data(), int(smallCompressed.size()), int(output.size())),
                  int(small.size()));
        EXPECT_EQ(output, small) << first;
    }
}

TEST(QzMemoryDecompressor, TinyFeedsAndEmptyRoomsPastTheFinishThresholdLoseNothing)
{
    // small feeds leave input stashed in the decoder; a call with no room
    // then makes it look ahead at the next bytes without taking them
    Bytes const& input = LargeInput();
    Bytes& compressed = LargeCompressed();
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    Bytes output(input.size());
    std::mt19937 random(7);
    int total = decompressor.DecompressInputBytes(output.data(), int(compressed.size()), 4999000);
    for (int call = 0; call < 200000 && total < int(output.size()); ++call)
    {
        int const room = call % 2 == 0 ? 0 : std::min(int(random() % 64), int(output.size()) - total);
        total += decompressor.DecompressInputBytes(output.data(), int(random() % 24), room);
    }
    EXPECT_EQ(total, int(input.size()));
    EXPECT_EQ(output, input);
}

TEST(QzMemoryDecompressor, EmptyReleasedAndUnusableObjectsProduceNothing)
{
    char output[256];
    CQzMemoryDecompressor empty;
    EXPECT_EQ(empty.DecompressOutputBytes(output, sizeof output), 0);
    EXPECT_EQ(empty.DecompressInputBytes(output, 100, sizeof output), 0);
    empty.Release(); // harmless without a decoder

    Bytes const input = qztest::Text(1000);
    Bytes compressed = qztest::Compress(input);
    CQzMemoryDecompressor released;
    released.Initialize(compressed.data(), int(compressed.size()));
    released.Release();
    EXPECT_EQ(released.DecompressOutputBytes(output, sizeof output), 0);

    // properties the decoder rejects (lc + lp + pb beyond their ranges)
    Bytes badProperties = compressed;
    badProperties[0] = char(0xFF);
    CQzMemoryDecompressor rejected;
    rejected.Initialize(badProperties.data(), int(badProperties.size()));
    EXPECT_EQ(rejected.DecompressOutputBytes(output, sizeof output), 0);

    // fewer bytes than the properties need
    CQzMemoryDecompressor tooShort;
    tooShort.Initialize(compressed.data(), 4);
    EXPECT_EQ(tooShort.DecompressOutputBytes(output, sizeof output), 0);
    tooShort.Initialize(nullptr, 100);
    EXPECT_EQ(tooShort.DecompressOutputBytes(output, sizeof output), 0);
}

TEST(QzMemoryDecompressor, InitializeOnALiveObjectStartsOverWithTheNewInput)
{
    Bytes const first = qztest::RandomBytes(50000, 31);
    Bytes const second = qztest::Text(70000, 32);
    Bytes firstCompressed = qztest::Compress(first);
    Bytes secondCompressed = qztest::Compress(second);

    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(firstCompressed.data(), int(firstCompressed.size()));
    char piece[1000];
    ASSERT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), int(sizeof piece));

    decompressor.Initialize(secondCompressed.data(), int(secondCompressed.size()));
    Bytes output(second.size());
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), int(output.size())), int(second.size()));
    EXPECT_EQ(output, second);
}

TEST(QzMemoryDecompressor, TruncatedOrCorruptStreamsEndWithinTheirRoom)
{
    Bytes const input = qztest::Mixed(400000, 41);
    Bytes const compressed = qztest::Compress(input);
    std::mt19937 random(42);

    for (int trial = 0; trial < 40; ++trial)
    {
        Bytes damaged = compressed;
        if (trial % 2 == 0)
        {
            damaged.resize(5 + random() % (compressed.size() - 5)); // cut anywhere
        }
        else
        {
            for (int flips = 0; flips < 1 + trial / 4; ++flips) // garble some bytes
                damaged[5 + random() % (damaged.size() - 5)] ^= char(1 + random() % 255);
        }

        CQzMemoryDecompressor decompressor;
        decompressor.Initialize(damaged.data(), int(damaged.size()));
        GuardedOutput output(input.size());
        int const produced = decompressor.DecompressOutputBytes(output.data(), int(input.size()));
        EXPECT_GE(produced, 0);
        EXPECT_LE(produced, int(input.size()));
        EXPECT_TRUE(output.GuardIntact()) << "trial " << trial;
        if (trial % 2 == 0)
        {
            EXPECT_LT(produced, int(input.size())) << "a cut stream cannot deliver everything";
        }

        // feeding input instead stays within its room as well
        CQzMemoryDecompressor feeder;
        feeder.Initialize(damaged.data(), int(damaged.size()));
        GuardedOutput fed(input.size() / 2);
        int total = 0;
        for (std::size_t feed = 0; feed <= damaged.size() / 777 + 1; ++feed)
            total += feeder.DecompressInputBytes(fed.data(), 777, int(fed.size) - total);
        EXPECT_LE(total, int(fed.size));
        EXPECT_TRUE(fed.GuardIntact()) << "trial " << trial;
    }
}

TEST(QzMemoryDecompressor, GarbageAfterValidPropertiesTerminates)
{
    std::mt19937 random(77);
    for (int trial = 0; trial < 50; ++trial)
    {
        std::size_t const size = 5 + random() % 4000;
        Bytes garbage = qztest::RandomBytes(size, random());
        std::copy_n("\x5D\x00\x00\x10\x00", 5, garbage.begin());
        CQzMemoryDecompressor decompressor;
        decompressor.Initialize(garbage.data(), int(garbage.size()));
        GuardedOutput output(100000);
        int const produced = decompressor.DecompressOutputBytes(output.data(), 100000);
        EXPECT_LE(produced, 100000);
        EXPECT_TRUE(output.GuardIntact());
    }
}

// A stream the decoder rejects part-way: feeding it more afterwards must not
// wake the decoder again (its state after an error sends it far outside the
// input).
TEST(QzMemoryDecompressor, CallsAfterADataErrorProduceNothing)
{
    Bytes corrupt = {0x7C, 0x7C, 0x7C, 0x7C, 0x00, 0x00, 0x24, 0x00, 0x0B, char(0xFF), char(0xFF), char(0xFF),
                     char(0xFF), 0x00, 0x00, 0x00, char(0xFF), char(0xFF), 0x2D, char(0xED), char(0xED),
                     char(0xED), 0x08};
    CQzMemoryDecompressor feeder;
    feeder.Initialize(corrupt.data(), int(corrupt.size()));
    GuardedOutput output(1 << 16);
    int total = 0;
    for (int feed = 0; feed < 64; ++feed)
        total += feeder.DecompressInputBytes(output.data(), 20, int(output.size) - total);
    EXPECT_LE(total, int(output.size));
    EXPECT_TRUE(output.GuardIntact());

    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(corrupt.data(), int(corrupt.size()));
    char piece[20];
    for (int call = 0; call < 64; ++call)
        decompressor.DecompressOutputBytes(piece, sizeof piece);
    EXPECT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), 0);
}

// A stream with an end marker (as xz writes one for input of unknown size)
// and bytes behind it: asking for more than it holds must end, not spin.
TEST(QzMemoryDecompressor, EndMarkerFollowedByMoreBytesEndsTheCall)
{
    Bytes const input = qztest::Text(50000, 12);
    std::string const path = ::testing::TempDir() + "/qz_end_marker";
    {
        std::FILE* file = std::fopen((path + ".in").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(input.data(), 1, input.size(), file);
        std::fclose(file);
    }
    std::string const command = std::string(QZ_XZ_PROGRAM) + " --format=lzma --lzma1=preset=6,dict=1MiB -c < " +
                                path + ".in > " + path + ".lzma";
    ASSERT_EQ(std::system(command.c_str()), 0);
    Bytes lzma;
    {
        std::FILE* file = std::fopen((path + ".lzma").c_str(), "rb");
        ASSERT_NE(file, nullptr);
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            lzma.insert(lzma.end(), chunk, chunk + n);
        std::fclose(file);
    }
    std::remove((path + ".in").c_str());
    std::remove((path + ".lzma").c_str());
    ASSERT_GT(lzma.size(), 13u);

    // .lzma: five properties, an 8-byte size (unknown: all ones), the stream
    Bytes stream(lzma.begin(), lzma.begin() + 5);
    stream.insert(stream.end(), lzma.begin() + 13, lzma.end());
    stream.insert(stream.end(), 100, char(0xA5));
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(stream.data(), int(stream.size()));
    GuardedOutput output(input.size() + 1000);
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), int(output.size)), int(input.size()));
    EXPECT_EQ(Bytes(output.bytes.begin(), output.bytes.begin() + std::ptrdiff_t(input.size())), input);
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), int(output.size)), 0);
    EXPECT_TRUE(output.GuardIntact());
}
