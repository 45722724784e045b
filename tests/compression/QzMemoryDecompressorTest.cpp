// Tests of CQzMemoryDecompressor: decoding in pieces by output and by input,
// the used-up and empty states, and damaged input that must end the call
// without writing past the room it was given.
#include "compression/QzMemoryDecompressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "support/QzLzmaRoundTrip.h"

using qztest::Bytes;

namespace {

// DecompressOutputBytes calls of pieceSize bytes, each written to the start
// of its piece, joined until total bytes have come or a call gives nothing.
Bytes JoinPieces(Bytes compressed, std::size_t total, int pieceSize)
{
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    Bytes joined;
    for (int produced = 1; joined.size() < total && produced > 0;)
    {
        Bytes piece(static_cast<std::size_t>(pieceSize));
        produced = decompressor.DecompressOutputBytes(piece.data(), int(piece.size()));
        joined.insert(joined.end(), piece.begin(), piece.begin() + std::max(produced, 0));
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
    EXPECT_TRUE(produced >= 0 && produced <= int(size)) << produced;
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

} // namespace

TEST(QzMemoryDecompressor, PiecesByOutputOrByInputOfAnySizeMakeTheWholeOutput)
{
    // pieces smaller than the property bytes
    Bytes const text = qztest::Text(5000, 8);
    EXPECT_EQ(JoinPieces(qztest::Compress(text), text.size(), 3), text);

    // k pieces and j bytes of data that ends in a long run: the last piece
    // comes from a match the decoder still holds after the input is used up
    for (int const piece : {4096, 65536})
        for (std::size_t const size : {std::size_t(piece) + 1, 2 * std::size_t(piece) + 7})
        {
            Bytes input = qztest::Text(1000, 9);
            input.resize(size, 0);
            EXPECT_EQ(JoinPieces(qztest::Compress(input), size, piece), input) << piece << " x " << size;
        }

    // beyond five million bytes of output a room that runs out (here always
    // within a match) is no error
    Bytes const block = qztest::Mixed(200000, 6);
    Bytes large;
    while (large.size() < 5100000)
        large.insert(large.end(), block.begin(), block.end());
    large.resize(5100000);
    Bytes compressed = qztest::Compress(large);
    int const whole = int(compressed.size());
    EXPECT_EQ(FeedInput(compressed, large.size(), whole, 65536), large);
    EXPECT_EQ(FeedInput(compressed, large.size(), whole, 1 << 20), large);
    // short of the threshold the same stream stops where its room does
    EXPECT_EQ(FeedInput(compressed, 3000000, whole, 65536), Bytes(large.begin(), large.begin() + 3000000));
    EXPECT_EQ(FeedInput(compressed, 300000, 4096, 1000), Bytes(large.begin(), large.begin() + 300000));

    // a first call that gets only some of the property bytes, then the rest
    CQzMemoryDecompressor split;
    split.Initialize(compressed.data(), whole);
    Bytes output(block.size());
    EXPECT_EQ(split.DecompressInputBytes(output.data(), 3, int(output.size())), 0);
    EXPECT_EQ(split.DecompressInputBytes(output.data(), whole, int(output.size())), int(block.size()));
    EXPECT_EQ(output, block);

    // tiny feeds leave input stashed in the decoder; a call with no room then
    // makes it look ahead at the next bytes without taking them
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), whole);
    output.assign(large.size(), 0);
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
    CQzMemoryDecompressor object;
    EXPECT_EQ(object.DecompressOutputBytes(output, sizeof output), 0);
    EXPECT_EQ(object.DecompressInputBytes(output, 100, sizeof output), 0);
    object.Release(); // harmless without a decoder
    Bytes const first = qztest::RandomBytes(5000, 31);
    Bytes compressed = qztest::Compress(first);
    object.Initialize(compressed.data(), int(compressed.size()));
    object.Release();
    EXPECT_EQ(object.DecompressOutputBytes(output, sizeof output), 0);

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

    // counts of zero or less change nothing; Initialize on a live object
    // starts over with the new input
    Bytes const second = qztest::Text(7000, 32);
    Bytes secondCompressed = qztest::Compress(second);
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    EXPECT_EQ(decompressor.DecompressOutputBytes(output, 0), 0);
    EXPECT_EQ(decompressor.DecompressOutputBytes(output, -7), 0);
    ASSERT_EQ(decompressor.DecompressOutputBytes(output, sizeof output), int(sizeof output));
    EXPECT_EQ(Bytes(output, output + sizeof output), Bytes(first.begin(), first.begin() + sizeof output));
    decompressor.Initialize(secondCompressed.data(), int(secondCompressed.size()));
    Bytes restarted(second.size());
    EXPECT_EQ(decompressor.DecompressOutputBytes(restarted.data(), int(restarted.size())), int(second.size()));
    EXPECT_EQ(restarted, second);
}

// (Garbled streams of every kind are the fuzz target's.)
TEST(QzMemoryDecompressor, DamagedStreamsEndWithinTheirRoom)
{
    Bytes const input = qztest::Mixed(100000, 41);
    Bytes compressed = qztest::Compress(input);
    // cut short: it cannot deliver everything, whichever way it is driven
    Bytes cut(compressed.begin(), compressed.begin() + std::ptrdiff_t(compressed.size() / 2));
    CQzMemoryDecompressor shortened;
    shortened.Initialize(cut.data(), int(cut.size()));
    auto const decode = [&](char* output) { return shortened.DecompressOutputBytes(output, int(input.size())); };
    EXPECT_LT(Guarded(input.size(), decode).size(), input.size());
    EXPECT_LT(FeedInput(cut, input.size(), 777, int(input.size())).size(), input.size());

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
    decompressor.Initialize(compressed.data(), int(compressed.size()));
    EXPECT_EQ(decompressor.DecompressOutputBytes(piece, sizeof piece), int(sizeof piece));
}

// A stream with an end marker (as xz writes one for input of unknown size)
// and bytes behind it: asking for more than it holds must end, not spin.
TEST(QzMemoryDecompressor, EndMarkerFollowedByMoreBytesEndsTheCall)
{
    Bytes const input = qztest::Text(50000, 12);
    std::string const path = ::testing::TempDir() + "/qz_end_marker";
    qztest::WriteFile(path, input);
    std::string const xz = QZ_XZ_PROGRAM " --format=lzma --lzma1=preset=6,dict=1MiB -c < " + path + " > " + path + ".lzma";
    ASSERT_EQ(std::system(xz.c_str()), 0);
    Bytes lzma = qztest::ReadFile(path + ".lzma");
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".lzma");
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
