// Tests of byte-order reversal (every width, floats by representation, the
// buffer forms' whole-element rule) and of rounding up to an alignment.
#include "foundation/QzByteOrder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(QzByteOrder, SwapsEveryWidthInPlace)
{
    unsigned int u32 = 0x11223344u;
    QzSwapEndian(u32);
    EXPECT_EQ(u32, 0x44332211u);
    int s32 = 0x11223380;
    QzSwapEndian(s32);
    EXPECT_EQ(s32, int(0x80332211u));
    unsigned short u16 = 0x1122;
    QzSwapEndian(u16);
    EXPECT_EQ(u16, 0x2211);
    short s16 = short(0x80FF);
    QzSwapEndian(s16);
    EXPECT_EQ(s16, short(0xFF80));
    unsigned long long u64 = 0x0102030405060708ull;
    QzSwapEndian(u64);
    EXPECT_EQ(u64, 0x0807060504030201ull);
    long long s64 = 0x0102030405060788ll;
    QzSwapEndian(s64);
    EXPECT_EQ(s64, (long long)0x8807060504030201ull);
    unsigned long ul = 0x0102030405060708ul;
    QzSwapEndian(ul);
    EXPECT_EQ(ul, 0x0807060504030201ul);
    long sl = 0x01020304l;
    QzSwapEndian(sl);
    EXPECT_EQ(sl, long(0x0403020100000000ul));

    float f = 1.0f; // 0x3F800000
    QzSwapEndian(f);
    unsigned int bits;
    std::memcpy(&bits, &f, 4);
    EXPECT_EQ(bits, 0x0000803Fu);
    QzSwapEndian(f);
    EXPECT_EQ(f, 1.0f);
}

TEST(QzByteOrder, BuffersSwapWholeElementsOnly)
{
    unsigned char bytes[7] = {1, 2, 3, 4, 5, 6, 7};
    unsigned short shorts[4];
    std::memcpy(shorts, bytes, 7);
    QzSwapEndian(shorts, 7);
    unsigned char out[7];
    std::memcpy(out, shorts, 7);
    unsigned char const expected[7] = {2, 1, 4, 3, 6, 5, 7};
    EXPECT_EQ(std::memcmp(out, expected, 7), 0);

    unsigned int ints[3] = {0x11223344u, 0x55667788u, 0xAABBCCDDu};
    QzSwapEndian(ints, 11);
    EXPECT_EQ(ints[0], 0x44332211u);
    EXPECT_EQ(ints[1], 0x88776655u);
    EXPECT_EQ(ints[2], 0xAABBCCDDu);

    int signedInts[2] = {0x01020304, 0x05060708};
    QzSwapEndian(signedInts, 8);
    EXPECT_EQ(signedInts[1], 0x08070605);
    short signedShorts[2] = {0x0102, 0x0304};
    QzSwapEndian(signedShorts, 1);
    EXPECT_EQ(signedShorts[0], 0x0102);
    float floats[2] = {1.0f, -2.0f};
    QzSwapEndian(floats, 8);
    QzSwapEndian(floats, 8);
    EXPECT_EQ(floats[0], 1.0f);
    EXPECT_EQ(floats[1], -2.0f);
}

TEST(QzByteOrder, AlignValueRoundsUpToTheNextMultiple)
{
    EXPECT_EQ(QzAlignValue(0, 16), 0u);
    EXPECT_EQ(QzAlignValue(1, 16), 16u);
    EXPECT_EQ(QzAlignValue(16, 16), 16u);
    EXPECT_EQ(QzAlignValue(17, 16), 32u);
    EXPECT_EQ(QzAlignValue(5, 1), 5u);
    EXPECT_EQ(QzAlignValue(0x80000001u, 0x80000000u), 0u); // wraps like the arithmetic it is
    for (unsigned int alignment = 1; alignment <= 4096; alignment *= 2)
        for (unsigned int value = 0; value < 9000; value += 7)
        {
            unsigned int const aligned = QzAlignValue(value, alignment);
            ASSERT_EQ(aligned % alignment, 0u);
            ASSERT_GE(aligned, value);
            ASSERT_LT(aligned - value, alignment);
        }
}
