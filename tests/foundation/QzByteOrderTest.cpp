// Tests of byte-order reversal against the compiler's byte swaps (every
// width, floats by representation, whole elements of buffers only) and of
// rounding up to an alignment against brute force.
#include "foundation/QzByteOrder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// value with its bytes reversed by QzSwapEndian, as the bits it holds
template <typename T, typename U>
U Swapped(U bits)
{
    T value;
    std::memcpy(&value, &bits, sizeof value);
    QzSwapEndian(value);
    std::memcpy(&bits, &value, sizeof value);
    return bits;
}

} // namespace

TEST(QzByteOrder, SwapsMatchTheCompilerAndBuffersSwapWholeElementsOnly)
{
    std::mt19937_64 random(1);
    for (int round = 0; round < 100; ++round)
    {
        unsigned long long const v = random();
        ASSERT_EQ((Swapped<unsigned short, unsigned short>((unsigned short)v)), __builtin_bswap16((unsigned short)v));
        ASSERT_EQ((Swapped<short, unsigned short>((unsigned short)v)), __builtin_bswap16((unsigned short)v));
        ASSERT_EQ((Swapped<unsigned int, unsigned int>(unsigned(v))), __builtin_bswap32(unsigned(v)));
        ASSERT_EQ((Swapped<int, unsigned int>(unsigned(v))), __builtin_bswap32(unsigned(v)));
        ASSERT_EQ((Swapped<float, unsigned int>(unsigned(v))), __builtin_bswap32(unsigned(v)));
        for (unsigned long long const swapped : {Swapped<unsigned long long>(v), Swapped<long long>(v),
                                                 Swapped<unsigned long>(v), Swapped<long>(v)})
            ASSERT_EQ(swapped, __builtin_bswap64(v));
    }

    unsigned char const bytes[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    unsigned char const by2[11] = {2, 1, 4, 3, 6, 5, 8, 7, 10, 9, 11};
    unsigned char const by4[11] = {4, 3, 2, 1, 8, 7, 6, 5, 9, 10, 11};
    auto check = [&](auto* buffer, unsigned char const* expected) {
        std::memcpy(buffer, bytes, 12);
        QzSwapEndian(buffer, 11);
        EXPECT_EQ(std::memcmp(buffer, expected, 11), 0);
        EXPECT_EQ(reinterpret_cast<unsigned char const*>(buffer)[11], 12);
    };
    unsigned short u16[6];
    short s16[6];
    unsigned int u32[3];
    int s32[3];
    float f32[3];
    check(u16, by2);
    check(s16, by2);
    check(u32, by4);
    check(s32, by4);
    check(f32, by4);
}

TEST(QzByteOrder, AlignValueRoundsUpToTheNextMultiple)
{
    for (unsigned int alignment = 1; alignment <= 4096; alignment *= 2)
        for (unsigned int value = 0; value < 9000; value += 7)
        {
            unsigned int expected = value;
            while (expected % alignment != 0)
                ++expected;
            ASSERT_EQ(QzAlignValue(value, alignment), expected) << value << ' ' << alignment;
        }
    EXPECT_EQ(QzAlignValue(0x80000001u, 0x80000000u), 0u); // wraps like the arithmetic it is
}
