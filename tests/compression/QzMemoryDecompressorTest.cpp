// Tests of CQzMemoryDecompressor: decoding in pieces by output and by input,
// the used-up and empty states, and corrupt input that must end the call
// without writing past the room it was given.
#include "compression/QzMemoryDecompressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

    // the input is used up: every further call returns 0 at once
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

TEST(QzMemoryDecompressor, InputBytesFedAtOnceOrInPiecesFillTheWholeOutput)
{
    // above five million bytes the last feeds ask the decoder to finish
    for (Bytes const& input : {qztest::Text(100000, 5), qztest::Mixed(5200000, 6)})
    {
        Bytes compressed = qztest::Compress(input);
        int const size = int(input.size());
        {
            CQzMemoryDecompressor decompressor;
            decompressor.Initialize(compressed.data(), int(compressed.size()));
            GuardedOutput output(input.size());
            EXPECT_EQ(decompressor.DecompressInputBytes(output.data(), int(compressed.size()), size), size);
            EXPECT_EQ(Bytes(output.bytes.begin(), output.bytes.begin() + size), input);
            EXPECT_TRUE(output.GuardIntact());
            EXPECT_EQ(decompressor.DecompressInputBytes(output.data(), 1000, size), 0);
        }
        {
            CQzMemoryDecompressor decompressor;
            decompressor.Initialize(compressed.data(), int(compressed.size()));
            GuardedOutput output(input.size());
            // each feed consumes its whole offer while output room remains
            int total = 0;
            for (std::size_t feed = 0; feed <= compressed.size() / 4096 + 1; ++feed)
                total += decompressor.DecompressInputBytes(output.data(), 4096, size - total);
            EXPECT_EQ(total, size);
            EXPECT_EQ(Bytes(output.bytes.begin(), output.bytes.begin() + size), input);
            EXPECT_TRUE(output.GuardIntact());
        }
    }
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
        Bytes garbage = qztest::RandomBytes(5 + random() % 4000, random());
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
