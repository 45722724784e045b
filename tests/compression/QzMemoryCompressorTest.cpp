// Tests of CQzMemoryCompressor: buffer sizing, the capacity rule, the
// property bytes and round trips. (xz reads its streams in the tools' tests.)
#include "compression/QzMemoryCompressor.h"

#include <gtest/gtest.h>

#include "support/QzLzmaRoundTrip.h"

using qztest::Bytes;

TEST(QzMemoryCompressor, RoundTripsEveryKindOfInputWithinSourcePlusAThirdPlus133)
{
    CQzMemoryCompressor compressor;
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 0), 133);
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 3), 137);
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 100), 266);
    EXPECT_EQ(compressor.ComputeCompressionBufferSize(nullptr, 1610612636), 2147483647);
    // beyond that the size no longer fits an int, and says so
    EXPECT_LT(compressor.ComputeCompressionBufferSize(nullptr, 1610612637), 0);

    for (Bytes const& input : {Bytes(), Bytes{'x'}, qztest::Text(60000), qztest::RandomBytes(70000),
                               qztest::Runs(200000), Bytes(1 << 18, 0)})
    {
        int const size = int(input.size());
        int const capacity = compressor.ComputeCompressionBufferSize(input.data(), size);
        // one byte short of the worst case: nothing written
        Bytes destination(std::size_t(capacity), char(0xA5));
        EXPECT_EQ(compressor.Compress(input.data(), size, destination.data(), capacity - 1), 0);
        EXPECT_EQ(destination, Bytes(std::size_t(capacity), char(0xA5)));

        int const used = compressor.Compress(input.data(), size, destination.data(), capacity);
        ASSERT_GT(used, 5) << "input of " << size << " bytes";
        destination.resize(std::size_t(used));
        EXPECT_EQ(Bytes(destination.begin(), destination.begin() + 5), (Bytes{0x5D, 0x00, 0x00, 0x10, 0x00}));
        EXPECT_EQ(qztest::Decompress(destination, input.size()), input) << "input of " << size << " bytes";
    }
}
