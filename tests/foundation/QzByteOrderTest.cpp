// Tests of byte-order reversal against the compiler's byte swaps (every width,
// floats by their bits, whole elements only) and of alignment by brute force.
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

// The first 11 of the bytes 1 to 12 swapped as a buffer of T: the 12th
// byte belongs to no whole element and stays.
template <typename T>
bool SwapsBuffer(unsigned char const (&expected)[11])
{
    T buffer[12 / sizeof(T)];
    unsigned char const bytes[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::memcpy(buffer, bytes, 12);
    QzSwapEndian(buffer, 11);
    return std::memcmp(buffer, expected, 11) == 0 && reinterpret_cast<unsigned char const*>(buffer)[11] == 12;
}

} // namespace

TEST(QzByteOrder, SwapsMatchTheCompilerAndAlignmentRoundsUp)
{
    std::mt19937_64 random(1);
    for (int round = 0; round < 100; ++round)
    {
        unsigned long long const v = random();
        for (unsigned short const swapped : {Swapped<unsigned short>((unsigned short)v), Swapped<short>((unsigned short)v)})
            ASSERT_EQ(swapped, __builtin_bswap16((unsigned short)v));
        for (unsigned int const swapped : {Swapped<unsigned int>(unsigned(v)), Swapped<int>(unsigned(v)),
                                           Swapped<float>(unsigned(v))})
            ASSERT_EQ(swapped, __builtin_bswap32(unsigned(v)));
        for (unsigned long long const swapped : {Swapped<unsigned long long>(v), Swapped<long long>(v),
                                                 Swapped<unsigned long>(v), Swapped<long>(v)})
            ASSERT_EQ(swapped, __builtin_bswap64(v));
    }
    unsigned char const by2[11] = {2, 1, 4, 3, 6, 5, 8, 7, 10, 9, 11};
    unsigned char const by4[11] = {4, 3, 2, 1, 8, 7, 6, 5, 9, 10, 11};
    EXPECT_TRUE(SwapsBuffer<unsigned short>(by2) && SwapsBuffer<short>(by2));
    EXPECT_TRUE(SwapsBuffer<unsigned int>(by4) && SwapsBuffer<int>(by4) && SwapsBuffer<float>(by4));

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
