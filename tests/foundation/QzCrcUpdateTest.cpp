// Tests of the internal CRC updates: the sliced-table path on its own over
// long buffers (the one-call CRCs take the folding path there when the
// processor can), and both paths agreeing from arbitrary registers.
#include "foundation/internal/QzCrcUpdate.h"

#include "support/QzTestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace {

unsigned long long BitwiseCrc64(unsigned long long reg, unsigned char const* data, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
    {
        reg ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1) != 0 ? (reg >> 1) ^ 0x95AC9329AC4BC9B5ull : reg >> 1;
    }
    return reg;
}

std::vector<unsigned char> RandomBuffer(std::size_t size, unsigned seed)
{
    qztest::Bytes const bytes = qztest::RandomBytes(size, seed);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

} // namespace

TEST(QzCrcUpdate, SlicedTablesMatchTheReferencesOnLongBuffers)
{
    std::vector<unsigned char> const buffer = RandomBuffer(200000, 51);
    for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 127u, 128u, 129u, 4099u, 199993u})
    {
        std::size_t const offset = length % 7;
        unsigned char const* const data = buffer.data() + offset;
        ASSERT_EQ(qzcrc::Crc32Sliced(0xFFFFFFFFu, data, length) ^ 0xFFFFFFFFu,
                  crc32(crc32(0, Z_NULL, 0), data, uInt(length)))
            << length;
        ASSERT_EQ(qzcrc::Crc64Sliced(~0ull, data, length), BitwiseCrc64(~0ull, data, length)) << length;
    }
}

TEST(QzCrcUpdate, FoldingAndSlicingAgreeFromAnyRegister)
{
    std::vector<unsigned char> const buffer = RandomBuffer(20000, 52);
    std::mt19937_64 random(53);
    for (int round = 0; round < 3000; ++round)
    {
        std::size_t const length = round < 1000 ? std::size_t(round) : random() % 19000;
        unsigned char const* const data = buffer.data() + random() % 16;
        unsigned long long const reg = random();
        ASSERT_EQ(qzcrc::Crc32Update(unsigned(reg), data, length), qzcrc::Crc32Sliced(unsigned(reg), data, length))
            << length;
        ASSERT_EQ(qzcrc::Crc64Update(reg, data, length), qzcrc::Crc64Sliced(reg, data, length)) << length;
    }
}
