// Tests of CQzMemoryCompressor: buffer sizing, the capacity rule, the
// property bytes, round trips, and an independent decoder (xz) reading our
// streams.
#include "compression/QzMemoryCompressor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "QzLzmaRoundTrip.h"
#include "QzTestData.h"

using qztest::Bytes;

TEST(QzMemoryCompressor, BufferSizeIsSourcePlusAThirdPlus133)
{
    CQzMemoryCompressor compressor;
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 0), 133);
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 3), 137);
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 100), 266);
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 1610612636), 2147483647);
    // beyond that the size no longer fits an int, and says so
    EXPECT_LT(compressor.ComputeCompressionBufferSize(nullptr, 1610612637), 0);
}

TEST(QzMemoryCompressor, CapacityOneBelowTheWorstCaseLeavesTheDestinationUntouched)
{
    CQzMemoryCompressor compressor;
    for (Bytes const& source : {Bytes(), qztest::Text(1000), qztest::RandomBytes(5000)})
    {
        int const size = int(source.size());
        int const capacity = compressor.ComputeCompressionBufferSize(source.data(), size);
        Bytes destination(std::size_t(capacity), char(0xA5));

        EXPECT_EQ(compressor.Compress(source.data(), size, destination.data(), capacity - 1), 0);
        EXPECT_EQ(destination, Bytes(std::size_t(capacity), char(0xA5)));

        int const used = compressor.Compress(source.data(), size, destination.data(), capacity);
        EXPECT_GT(used, 5);
        EXPECT_LE(used, capacity);
        EXPECT_EQ(qztest::Decompress(Bytes(destination.begin(), destination.begin() + used), source.size()),
                  source);
    }
}

TEST(QzMemoryCompressor, WritesTheFixedPropertyBytes)
{
    Bytes const compressed = qztest::Compress(qztest::Text(777));
    ASSERT_GE(compressed.size(), 5u);
    EXPECT_EQ(Bytes(compressed.begin(), compressed.begin() + 5), (Bytes{0x5D, 0x00, 0x00, 0x10, 0x00}));
}

TEST(QzMemoryCompressor, RoundTripsEveryKindOfInput)
{
    std::vector<Bytes> const inputs = {
        Bytes(),
        Bytes{'x'},
        Bytes{0},
        qztest::FromString("The quick brown fox jumps over the lazy dog"),
        qztest::Text(200000),
        qztest::RandomBytes(300000),
        qztest::Runs(400000),
        Bytes(1 << 20, 0),
        qztest::Mixed(1 << 21),
    };
    for (Bytes const& input : inputs)
    {
        Bytes const compressed = qztest::Compress(input);
        ASSERT_GT(compressed.size(), 5u) << "input of " << input.size() << " bytes";
        EXPECT_EQ(qztest::Decompress(compressed, input.size()), input)
            << "input of " << input.size() << " bytes";
    }
    // the encoder really compresses what compresses
    EXPECT_LT(qztest::Compress(qztest::Text(200000)).size(), 200000u / 4);
    EXPECT_LT(qztest::Compress(Bytes(1 << 20, 0)).size(), 1000u);
}

TEST(QzMemoryCompressor, UsesTheObjectForAnyNumberOfCalls)
{
    CQzMemoryCompressor compressor;
    CQzMemoryCompressor copy(compressor);
    copy = compressor;
    Bytes const source = qztest::Mixed(100000, 9);
    Bytes first(std::size_t(compressor.ComputeCompressionBufferSize(source.data(), int(source.size()))));
    Bytes second(first.size());
    int const a = compressor.Compress(source.data(), int(source.size()), first.data(), int(first.size()));
    int const b = copy.Compress(source.data(), int(source.size()), second.data(), int(second.size()));
    ASSERT_EQ(a, b);
    EXPECT_EQ(first, second); // the encoder is deterministic
}

// xz reads a .lzma file: the five properties, the 64-bit size, the stream.
TEST(QzMemoryCompressor, IndependentDecoderReadsOurStreams)
{
    std::string const directory = ::testing::TempDir();
    int index = 0;
    for (Bytes const& input : {Bytes(), qztest::FromString("a"), qztest::Mixed(3 << 20, 11)})
    {
        Bytes const compressed = qztest::Compress(input);
        std::string const lzmaPath = directory + "/qz_independent_" + std::to_string(index++) + ".lzma";
        {
            std::ofstream file(lzmaPath, std::ios::binary);
            file.write(compressed.data(), 5);
            for (int i = 0; i < 8; ++i)
                file.put(char((unsigned long long)input.size() >> (8 * i)));
            file.write(compressed.data() + 5, std::streamsize(compressed.size() - 5));
        }
        std::string const command = std::string(QZ_XZ_PROGRAM) + " --format=lzma -dc '" + lzmaPath + "'";
        std::FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        Bytes decoded;
        char chunk[65536];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
            decoded.insert(decoded.end(), chunk, chunk + n);
        EXPECT_EQ(pclose(pipe), 0) << command;
        EXPECT_EQ(decoded, input) << "input of " << input.size() << " bytes";
        std::remove(lzmaPath.c_str());
    }
}
