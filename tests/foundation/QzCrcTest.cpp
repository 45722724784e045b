// Tests of the CRCs against zlib's crc32 and bit-at-a-time CRCs over many
// lengths, alignments, registers and split points; and of table ownership.
#include "foundation/QzCRC16.h"
#include "foundation/QzCRC32.h"
#include "foundation/QzChecksum.h"

#include "support/QzBitwiseCrc.h"
#include "support/QzTestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

namespace {

using qztest::BitwiseCrc;
using qztest::kJonesPolynomial;

constexpr unsigned int kCastagnoli = 0x82F63B78u;

// Entry i of a most-significant-bit-first 16-bit table, bit by bit.
unsigned short MsbFirstEntry(unsigned short polynomial, unsigned int i)
{
    unsigned int value = i << 8;
    for (int bit = 0; bit < 8; ++bit)
        value = (value & 0x8000) != 0 ? (value << 1) ^ polynomial : value << 1;
    return (unsigned short)value;
}

// The 16-bit register as defined: that table, a register shifting right.
unsigned short MixedCrc16(unsigned short polynomial, unsigned int reg, unsigned char const* data, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        reg = (reg >> 8) ^ MsbFirstEntry(polynomial, (data[i] ^ reg) & 0xFF);
    return (unsigned short)reg;
}

template <typename TCrc>
struct CTableView : TCrc
{
    using TCrc::TCrc;
    using TCrc::CrcTableIndex;
};

} // namespace

TEST(QzCrc, OneCallCrcsMatchTheReferencesAtEveryLengthAlignmentAndSeed)
{
    unsigned char const digits[] = "123456789";
    EXPECT_EQ(unsigned(CreateCRC32(digits, 9)), 0xCBF43926u);
    EXPECT_EQ(CreateCrc64(digits, 9), 0xCAA717168609F281ull);
    EXPECT_EQ(CreateCRC32(digits, -5), 0);
    EXPECT_EQ(CreateCRC32(nullptr, 5), 0);
    EXPECT_EQ(CreateCrc64(nullptr, 3), ~0ull);
    EXPECT_EQ(CreateCrc64_ToLower(nullptr, 3, 1234), 1234ull);

    qztest::Bytes const bytes = qztest::RandomBytes((1 << 20) + 64, 41);
    auto const* const buffer = reinterpret_cast<unsigned char const*>(bytes.data());
    std::mt19937_64 random(42);
    for (std::size_t length = 0; length <= 1100; ++length)
    {
        unsigned char const* const data = buffer + length % 16;
        unsigned long long const seed = length % 3 == 0 ? ~0ull : random();
        unsigned long long const lowered = BitwiseCrc(kJonesPolynomial, seed, data, length, true);
        std::size_t const split = random() % (length + 1);
        ASSERT_EQ(unsigned(CreateCRC32(data, int(length))), crc32(0, data, uInt(length))) << length;
        ASSERT_EQ(CreateCrc64(data, unsigned(length)), BitwiseCrc(kJonesPolynomial, ~0ull, data, length)) << length;
        ASSERT_EQ(CreateCrc64_ToLower(data, unsigned(length), seed), lowered) << length;
        ASSERT_EQ(CreateCrc64_ToLower(data + split, unsigned(length - split),
                                      CreateCrc64_ToLower(data, unsigned(split), seed)),
                  lowered);
    }
    for (std::size_t length : {65536u + 7u, 1u << 20})
    {
        ASSERT_EQ(unsigned(CreateCRC32(buffer + 3, int(length))), crc32(0, buffer + 3, uInt(length)));
        ASSERT_EQ(CreateCrc64(buffer + 5, unsigned(length)), BitwiseCrc(kJonesPolynomial, ~0ull, buffer + 5, length));
    }
}

TEST(QzCrc, ObjectsFollowTheirPolynomialAcrossSplitPointsAndCopiesOwnTheirTables)
{
    // round 0 reads the constant tables of the standard polynomials
    unsigned char const zero = 0;
    unsigned short const kPolynomials16[] = {0x1021, 0x8005, 0x3D65};
    qztest::Bytes bytes = qztest::RandomBytes(20000, 43);
    auto* const buffer = reinterpret_cast<unsigned char*>(bytes.data());
    std::mt19937 random(44);
    for (int round = 0; round < 40; ++round)
    {
        unsigned int const polynomial32 = round % 3 == 1 ? kCastagnoli : 0xEDB88320u;
        unsigned short const polynomial16 = kPolynomials16[round % 3];
        CTableView<CQzCRC32> crc32(polynomial32);
        CTableView<CQzCRC16> crc16(polynomial16);
        for (int i = -1; i <= 256; ++i)
        {
            unsigned int const inside = (unsigned int)i & 0xFF;
            bool const valid = i >= 0 && i < 256;
            ASSERT_EQ(crc32.CrcTableIndex(i), valid ? BitwiseCrc(polynomial32, inside, &zero, 1) : 0u) << i;
            ASSERT_EQ(crc16.CrcTableIndex(i), valid ? MsbFirstEntry(polynomial16, inside) : 0) << i;
        }
        unsigned int reference32 = ~0u;
        unsigned int reference16 = 0xFFFF;
        std::size_t const total = random() % bytes.size();
        for (std::size_t done = 0, part = 0; done < total; done += part)
        {
            part = std::min<std::size_t>(total - done, random() % (round % 2 ? 300 : 5000));
            reference32 = BitwiseCrc(polynomial32, reference32, buffer + done, part);
            reference16 = MixedCrc16(polynomial16, reference16, buffer + done, part);
            ASSERT_EQ(crc32.CrcAdd(buffer + done, unsigned(part)), ~reference32);
            ASSERT_EQ(crc16.CrcAdd(buffer + done, (unsigned short)part), (unsigned short)~reference16);
        }
        // null data returns 0 and changes nothing; reset restarts
        EXPECT_EQ(crc32.CrcAdd(nullptr, 4) + crc16.CrcAdd(nullptr, 4), 0u);
        EXPECT_EQ(crc32.CrcGet(), ~reference32);
        EXPECT_EQ((crc16 == (unsigned short)~reference16) + (crc32 == ~reference32), 2);
        EXPECT_EQ(crc16 == (unsigned short)reference16, 0);
        crc32.CrcReset();
        crc16.CrcReset();
        EXPECT_EQ(crc32.CrcGet() + crc16.CrcGet(), 0u);
    }
    unsigned char digits[] = "123456789";
    EXPECT_EQ(CQzCRC16().CrcAdd(digits, 9), 0x914B);
    EXPECT_EQ(CQzCRC32(kCastagnoli).CrcAdd(digits, 9), 0xE3069283u);

    // a copy sharing the source's table would see it change or freed
    auto* source32 = new CQzCRC32(kCastagnoli);
    source32->CrcAdd("1234", 4);
    CQzCRC32 copy32(*source32), assigned32, generatedThenAssigned(0x12345678u);
    assigned32 = *source32;
    generatedThenAssigned = *source32;
    source32->CrcInitialize(0x04C11DB7u);
    delete source32;
    for (CQzCRC32* crc : {&copy32, &assigned32, &generatedThenAssigned})
        EXPECT_EQ(crc->CrcAdd("56789", 5), 0xE3069283u);

    // back to the standard table, by assignment or by a later polynomial
    CTableView<CQzCRC32> back(kCastagnoli);
    back = CTableView<CQzCRC32>();
    EXPECT_EQ(back.CrcAdd("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(back.CrcTableIndex(1), 0x77073096u);
    CTableView<CQzCRC32>& alias = back;
    back = alias;
    EXPECT_EQ(back.CrcGet(), 0xCBF43926u);
    CQzCRC32 reused(0x12345678u);
    reused.CrcAdd("xyz", 3);
    reused.CrcInitialize(0xEDB88320u); // it owns a table it no longer uses
    CQzCRC32 copyOfStandard(reused);
    for (CQzCRC32* crc : {&reused, &copyOfStandard})
        EXPECT_EQ(crc->CrcAdd("123456789", 9), 0xCBF43926u);

    auto* source16 = new CQzCRC16(0x8005);
    CQzCRC16 copy16(*source16), assigned16(0x3D65);
    assigned16 = *source16;
    source16->CrcInitialize(0x3D65);
    delete source16;
    for (CQzCRC16* crc : {&copy16, &assigned16})
        EXPECT_EQ(crc->CrcAdd(digits, 9), (unsigned short)~MixedCrc16(0x8005, 0xFFFF, digits, 9));
}
