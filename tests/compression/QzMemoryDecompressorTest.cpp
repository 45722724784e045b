// Tests of CQzMemoryDecompressor: decoding in pieces by output and by input,
// the used-up and empty states, and damaged input that must end the call
// without writing past the room it was given.
#include "compression/QzMemoryDecompressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "support/QzLzmaRoundTrip.h"

using qztest::Bytes;

namespace {

// DecompressOutputBytes calls of pieceSize() bytes, each written to the start
// of its piece, joined until total bytes have come or a call gives nothing.
template <typename PieceSize>
Bytes JoinPieces(Bytes compressed, std::size_t total, PieceSize pieceSize)
{
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    Bytes joined;
    while (joined.size() < total)
    {
        Bytes piece(static_cast<std::size_t>(pieceSize()));
        int const produced = decompressor.DecompressOutputBytes(piece.data(), int(piece.size()));
        if (produced <= 0)
            break;
        joined.insert(joined.end(), piece.begin(), piece.begin() + produced);
    }
    // everything delivered: further calls return 0
    char rest[4096];
    EXPECT_EQ(decompressor.DecompressOutputBytes(rest, sizeof rest), 0);
    return joined;
}

// Runs `decode` on an output buffer of `size` bytes followed by guard bytes;
// whatever it does, the guard bytes must survive.
template <typename Decode>
Bytes Guarded(std::size_t size, Decode decode)
{
    Bytes output(size + 64, char(0x5A));
    int const produced = decode(output.data());
    EXPECT_GE(produced, 0);
    EXPECT_LE(produced, int(size));
    EXPECT_EQ(Bytes(output.begin() + std::ptrdiff_t(size), output.end()), Bytes(64, char(0x5A)));
    return Bytes(output.begin(), output.begin() + std::max(produced, 0));
}

// Calls of DecompressInputBytes that offer `feed` bytes with `room` bytes of
// output room each, until `size` bytes have come or three calls in a row give
// nothing.
Bytes FeedInput(Bytes compressed, std::size_t size, int feed, int room)
{
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    return Guarded(size, [&](char* output) {
        int total = 0;
        for (int idle = 0, produced; total < int(size) && idle < 3; idle = produced == 0 ? idle + 1 : 0)
            total += produced = decompressor.DecompressInputBytes(output, feed, std::min(room, int(size) - total));
        return total;
    });
}

// Six million bytes, for calls past the five-million mark: a varied block
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

} // namespace

TEST(QzMemoryDecompressor, OutputInPiecesOfAnySizeEqualsTheInput)
{
    Bytes const mixed = qztest::Mixed(300000, 21);
    EXPECT_EQ(JoinPieces(qztest::Compress(mixed), mixed.size(), [] { return 4096; }), mixed);
    // pieces smaller than the property bytes
    Bytes const text = qztest::Text(5000, 8);
    EXPECT_EQ(JoinPieces(qztest::Compress(text), text.size(), [] { return 3; }), text);

    // k pieces and j bytes of data that ends in a long run: the last piece
    // comes from a match the decoder still holds after the input is used up
    for (int const piece : {4096, 65536, 1 << 20})
        for (std::size_t const size : {std::size_t(piece) + 1, 2 * std::size_t(piece) + 7})
        {
            Bytes input = qztest::Text(1000, 9);
            input.resize(size, 0);
            EXPECT_EQ(JoinPieces(qztest::Compress(input), size, [&] { return piece; }), input) << piece << " x " << size;
        }
    std::mt19937 random(61);
    for (int trial = 0; trial < 4; ++trial)
    {
        Bytes input = qztest::Mixed(20000 + random() % 200000, random());
        input.resize(input.size() + 1 + random() % 100000, char(random()));
        EXPECT_EQ(JoinPieces(qztest::Compress(input), input.size(), [&] { return 1 + int(random() % 70000); }), input)
            << "trial " << trial;
    }

    // counts of zero or less change nothing
    Bytes compressed = qztest::Compress(text);
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    Bytes output(text.size());
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), 0), 0);
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), -7), 0);
    EXPECT_EQ(decompressor.DecompressOutputBytes(output.data(), int(output.size())), int(text.size()));
    EXPECT_EQ(output, text);
}

TEST(QzMemoryDecompressor, InputBytesFillTheWholeOutputWhateverTheRoom)
{
    // beyond five million bytes of output a room that runs out is no error
    Bytes const small = qztest::Text(100000, 5);
    Bytes smallCompressed = qztest::Compress(small);
    Bytes const& large = LargeInput();
    Bytes largeCompressed = qztest::Compress(large);
    int const whole = int(largeCompressed.size());

    EXPECT_EQ(FeedInput(smallCompressed, small.size(), 4096, 1000), small);
    EXPECT_EQ(FeedInput(largeCompressed, large.size(), whole, 65536), large);
    EXPECT_EQ(FeedInput(largeCompressed, large.size(), whole, 1 << 20), large);
    // short of the threshold the same stream stops where its room does
    EXPECT_EQ(FeedInput(largeCompressed, 3000000, whole, 65536), Bytes(large.begin(), large.begin() + 3000000));

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

    // tiny feeds leave input stashed in the decoder; a call with no room then
    // makes it look ahead at the next bytes without taking them
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(largeCompressed.data(), whole);
    Bytes output(large.size());
    std::mt19937 random(7);
    int total = decompressor.DecompressInputBytes(output.data(), whole, 4999000);
    for (int call = 0; call < 200000 && total < int(output.size()); ++call)
    {
        int const room = call % 2 == 0 ? 0 : std::min(int(random() % 64), int(output.size()) - total);
        total += decompressor.DecompressInputBytes(output.data(), int(random() % 24), room);
    }
    EXPECT_EQ(output, large);
}

TEST(QzMemoryDecompressor, EmptyReleasedRejectedAndRestartedObjects)
{
    char output[256];
    CQzMemoryDecompressor empty;
    EXPECT_EQ(empty.DecompressOutputBytes(output, sizeof output), 0);
    EXPECT_EQ(empty.DecompressInputBytes(output, 100, sizeof output), 0);
    empty.Release(); // harmless without a decoder

    Bytes const first = qztest::RandomBytes(50000, 31);
    Bytes compressed = qztest::Compress(first);
    CQzMemoryDecompressor released;
    released.Initialize(compressed.data(), int(compressed.size()));
    released.Release();
    EXPECT_EQ(released.DecompressOutputBytes(output, sizeof output), 0);

    // properties the decoder rejects (lc + lp + pb beyond their ranges), fewer
    // bytes than the properties need, no input
    Bytes badProperties = compressed;
    badProperties[0] = char(0xFF);
    for (auto const& [input, size] : {std::pair(badProperties.data(), int(badProperties.size())),
                                      std::pair(compressed.data(), 4), std::pair((char*)nullptr, 100)})
    {
        CQzMemoryDecompressor rejected;
        rejected.Initialize(input, size);
        EXPECT_EQ(rejected.DecompressOutputBytes(output, sizeof output), 0);
    }

    // Initialize on a live object starts over with the new input
    Bytes const second = qztest::Text(70000, 32);
    Bytes secondCompressed = qztest::Compress(second);
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    ASSERT_EQ(decompressor.DecompressOutputBytes(output, sizeof output), int(sizeof output));
    decompressor.Initialize(secondCompressed.data(), int(secondCompressed.size()));
    Bytes restarted(second.size());
    EXPECT_EQ(decompressor.DecompressOutputBytes(restarted.data(), int(restarted.size())), int(second.size()));
    EXPECT_EQ(restarted, second);
}

TEST(QzMemoryDecompressor, DamagedStreamsEndWithinTheirRoom)
{
    Bytes const input = qztest::Mixed(400000, 41);
    Bytes const compressed = qztest::Compress(input);
    std::mt19937 random(42);
    for (int trial = 0; trial < 16; ++trial)
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
        Bytes const decoded = Guarded(input.size(), [&](char* output) {
            return decompressor.DecompressOutputBytes(output, int(input.size()));
        });
        EXPECT_TRUE(trial % 2 == 1 || decoded.size() < input.size()) << "a cut stream cannot deliver everything";
        FeedInput(damaged, input.size() / 2, 777, int(input.size()));
    }

    // a stream the decoder rejects part-way: more calls must not wake the
    // decoder again (its state after an error sends it far outside the input)
    Bytes corrupt = {0x7C, 0x7C, 0x7C, 0x7C, 0x00, 0x00, 0x24, 0x00, 0x0B, char(0xFF), char(0xFF), char(0xFF),
                     char(0xFF), 0x00, 0x00, 0x00, char(0xFF), char(0xFF), 0x2D, char(0xED), char(0xED),
                     char(0xED), 0x08};
    FeedInput(corrupt, 1 << 16, 20, 1 << 16);
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(corrupt.data(), int(corrupt.size()));
    char piece[20];
    for (int call = 0; call < 64; ++call)
        decompressor.DecompressOutputBytes(piece, sizeof piece);
    EXPECT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), 0);
    // until it is given new input
    Bytes valid = compressed;
    decompressor.Initialize(valid.data(), int(valid.size()));
    EXPECT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), int(sizeof piece));
}

// A stream with an end marker (as xz writes one for input of unknown size)
// and bytes behind it: asking for more than it holds must end, not spin.
TEST(QzMemoryDecompressor, EndMarkerFollowedByMoreBytesEndsTheCall)
{
    Bytes const input = qztest::Text(50000, 12);
    std::string const path = ::testing::TempDir() + "/qz_end_marker";
    qztest::WriteFile(path + ".in", input);
    std::string const command = std::string(QZ_XZ_PROGRAM) + " --format=lzma --lzma1=preset=6,dict=1MiB -c < " +
                                path + ".in > " + path + ".lzma";
    ASSERT_EQ(std::system(command.c_str()), 0);
    Bytes lzma = qztest::ReadFile(path + ".lzma");
    std::remove((path + ".in").c_str());
    std::remove((path + ".lzma").c_str());
    ASSERT_GT(lzma.size(), 13u);

    // .lzma: five properties, an 8-byte size (unknown: all ones), the stream
    lzma.erase(lzma.begin() + 5, lzma.begin() + 13);
    lzma.insert(lzma.end(), 100, char(0xA5));
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(lzma.data(), int(lzma.size()));
    auto const decode = [&](char* output) { return decompressor.DecompressOutputBytes(output, int(input.size()) + 1000); };
    EXPECT_EQ(Guarded(input.size() + 1000, decode), input);
    EXPECT_EQ(Guarded(input.size() + 1000, decode), Bytes());
}
