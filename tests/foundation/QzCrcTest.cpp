// Tests of the CRCs against independent references: zlib's crc32, a
// bit-at-a-time 64-bit CRC and a bitwise-built 16-bit table, over many
// lengths, alignments and split points; and the table ownership rules.
#include "foundation/QzCRC16.h"
#include "foundation/QzCRC32.h"
#include "foundation/QzChecksum.h"

#include "support/QzTestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr unsigned long long kJones = 0x95AC9329AC4BC9B5ull;

unsigned long long BitwiseCrc64(unsigned long long reg, unsigned char const* data, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
    {
        reg ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1) != 0 ? (reg >> 1) ^ kJones : reg >> 1;
    }
    return reg;
}

unsigned int ZlibCrc32(unsigned char const* data, std::size_t length)
{
    return unsigned(crc32(crc32(0, Z_NULL, 0), data, uInt(length)));
}

unsigned short MsbFirstEntry(unsigned short polynomial, unsigned int index)
{
    unsigned short value = (unsigned short)(index << 8);
    for (int bit = 0; bit < 8; ++bit)
        value = (unsigned short)((value & 0x8000) != 0 ? (value << 1) ^ polynomial : value << 1);
    return value;
}

// The 16-bit CRC as defined: MSB-first table, right-shifting update.
unsigned short MixedCrc16(unsigned short polynomial, unsigned char const* data, std::size_t length)
{
    unsigned short reg = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i)
        reg = (unsigned short)((reg >> 8) ^ MsbFirstEntry(polynomial, (data[i] ^ reg) & 0xFF));
    return (unsigned short)(reg ^ 0xFFFF);
}

std::vector<unsigned char> RandomBuffer(std::size_t size, unsigned seed)
{
    qztest::Bytes const bytes = qztest::RandomBytes(size, seed);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

unsigned char const* Bytes(char const* text) { return reinterpret_cast<unsigned char const*>(text); }

class CCrc16Table : public CQzCRC16
{
public:
    using CQzCRC16::CQzCRC16;
    using CQzCRC16::CrcTableIndex;
};

class CCrc32Table : public CQzCRC32
{
public:
    using CQzCRC32::CQzCRC32;
    using CQzCRC32::CrcTableIndex;
};

} // namespace

TEST(QzCrc, CheckValues)
{
    EXPECT_EQ(unsigned(CreateCRC32(Bytes("123456789"), 9)), 0xCBF43926u);
    EXPECT_EQ(CreateCRC32(Bytes("123456789"), 0), 0);
    EXPECT_EQ(CreateCrc64("123456789", 9), 0xCAA717168609F281ull);
    EXPECT_EQ(CreateCrc64("", 0), ~0ull);
    EXPECT_EQ(CreateCrc64("abc", 3), 0xF10896EFC03E0514ull);
    EXPECT_EQ(CreateCrc64_ToLower("ABC", 3, ~0ull), 0xF10896EFC03E0514ull);
    EXPECT_EQ(CreateCrc64_ToLower("bar", 3, CreateCrc64_ToLower("foo", 3, ~0ull)), 0x586181855B29F324ull);
    EXPECT_EQ(CreateCrc64_ToLower("foobar", 6, ~0ull), 0x586181855B29F324ull);
    EXPECT_EQ(CreateCrc64_ToLower("xyz", 0, 1234), 1234ull);

    CQzCRC16 crc16;
    unsigned char digits[] = "123456789";
    EXPECT_EQ(crc16.CrcAdd(digits, 9), 0x914B);
    EXPECT_EQ(crc16.CrcGet(), 0x914B);
    EXPECT_EQ(crc16 == 0x914B, 1);
    EXPECT_EQ(crc16 == 0x914C, 0);
    crc16.CrcReset();
    EXPECT_EQ(crc16.CrcGet(), 0x0000);
    unsigned char abc[] = "abc";
    EXPECT_EQ(crc16.CrcAdd(abc, 3), 0xC3A0);

    CQzCRC32 crc32;
    EXPECT_EQ(crc32.CrcAdd("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(crc32 == 0xCBF43926u, 1);
    crc32.CrcReset();
    EXPECT_EQ(crc32.CrcGet(), 0u);
}

TEST(QzCrc, StandardTablesHoldTheirKnownEntries)
{
    EXPECT_EQ(CQzCRC16::ms_pCRC16[1], 0x1021);
    EXPECT_EQ(CQzCRC16::ms_pCRC16[2], 0x2042);
    EXPECT_EQ(CQzCRC32::ms_pCRC32[1], 0x77073096u);
    for (unsigned int i = 0; i < 256; ++i)
    {
        ASSERT_EQ(CQzCRC16::ms_pCRC16[i], MsbFirstEntry(0x1021, i)) << i;
        unsigned char const byte = (unsigned char)i;
        // the CRC-32 of one byte from register 0xFFFFFFFF reveals entry byte ^ 0xFF
        ASSERT_EQ(CQzCRC32::ms_pCRC32[i ^ 0xFF] ^ 0x00FFFFFFu ^ 0xFFFFFFFFu, ZlibCrc32(&byte, 1)) << i;
    }
}

TEST(QzCrc, CreateCrc32MatchesZlibOnEveryLengthAndAlignment)
{
    std::vector<unsigned char> const buffer = RandomBuffer((1 << 20) + 64, 41);
    for (std::size_t length = 0; length <= 1100; ++length)
        for (std::size_t offset : {std::size_t(0), length % 16 + 1})
            ASSERT_EQ(unsigned(CreateCRC32(buffer.data() + offset, int(length))),
                      ZlibCrc32(buffer.data() + offset, length))
                << length << '+' << offset;
    for (std::size_t length : {4095u, 4096u, 65536u + 7u, 1u << 20})
        ASSERT_EQ(unsigned(CreateCRC32(buffer.data() + 3, int(length))), ZlibCrc32(buffer.data() + 3, length))
            << length;
    EXPECT_EQ(CreateCRC32(buffer.data(), -5), 0);
    EXPECT_EQ(CreateCRC32(nullptr, 5), 0);
}

TEST(QzCrc, Crc32ObjectContinuesAcrossSplitPoints)
{
    std::vector<unsigned char> const buffer = RandomBuffer(70000, 42);
    std::mt19937 random(43);
    for (int round = 0; round < 200; ++round)
    {
        std::size_t const total = random() % buffer.size();
        CQzCRC32 crc;
        std::size_t done = 0;
        while (done < total)
        {
            std::size_t const part = std::min<std::size_t>(total - done, random() % (round % 2 ? 300 : 20000));
            unsigned int const returned = crc.CrcAdd(buffer.data() + done, unsigned(part));
            done += part;
            ASSERT_EQ(returned, ZlibCrc32(buffer.data(), done)) << total << ' ' << done;
        }
        ASSERT_EQ(crc.CrcGet(), ZlibCrc32(buffer.data(), total));
    }
}

TEST(QzCrc, Crc64MatchesTheBitwiseDefinition)
{
    std::vector<unsigned char> const buffer = RandomBuffer(300000, 44);
    for (std::size_t length = 0; length <= 700; ++length)
    {
        std::size_t const offset = length % 13;
        ASSERT_EQ(CreateCrc64(buffer.data() + offset, unsigned(length)),
                  BitwiseCrc64(~0ull, buffer.data() + offset, length))
            << length;
    }
    for (std::size_t length : {4096u, 65536u + 9u, 299990u})
        ASSERT_EQ(CreateCrc64(buffer.data() + 5, unsigned(length)), BitwiseCrc64(~0ull, buffer.data() + 5, length))
            << length;
    EXPECT_EQ(CreateCrc64(nullptr, 3), ~0ull);
}

TEST(QzCrc, Crc64ToLowerFoldsOnlyAsciiCapitalsAndChainsSeeds)
{
    std::vector<unsigned char> const buffer = RandomBuffer(5000, 45);
    std::mt19937_64 random(46);
    for (int round = 0; round < 600; ++round)
    {
        std::size_t const length = round < 200 ? std::size_t(round) : random() % buffer.size();
        std::size_t const offset = random() % 8;
        unsigned char const* const data = buffer.data() + offset;
        std::size_t const usable = std::min(length, buffer.size() - offset);
        std::vector<unsigned char> lowered(data, data + usable);
        for (unsigned char& b : lowered)
            if (b >= 'A' && b <= 'Z')
                b = (unsigned char)(b + 0x20);
        unsigned long long const seed = round % 3 == 0 ? ~0ull : random();
        unsigned long long const expected = BitwiseCrc64(seed, lowered.data(), usable);
        ASSERT_EQ(CreateCrc64_ToLower(data, unsigned(usable), seed), expected) << usable;

        std::size_t const split = usable == 0 ? 0 : random() % (usable + 1);
        ASSERT_EQ(CreateCrc64_ToLower(data + split, unsigned(usable - split),
                                      CreateCrc64_ToLower(data, unsigned(split), seed)),
                  expected);
    }

    // Latin-1 capitals and the neighbours of 'A' and 'Z' stay as they are
    char const boundaries[] = "@[`{\xC0\xC9\xDE\xC1@AZ[";
    unsigned int const length = unsigned(std::strlen(boundaries));
    EXPECT_EQ(CreateCrc64_ToLower(boundaries, length, ~0ull), CreateCrc64("@[`{\xC0\xC9\xDE\xC1@az[", length));
}

TEST(QzCrc, GeneratedTablesFollowTheirPolynomial)
{
    CCrc32Table castagnoli(0x82F63B78u);
    EXPECT_EQ(castagnoli.CrcTableIndex(128), 0x82F63B78u);
    EXPECT_EQ(castagnoli.CrcAdd("123456789", 9), 0xE3069283u); // CRC-32C check value

    CCrc32Table standard(0xEDB88320u);
    CCrc32Table byDefault;
    for (int i = 0; i < 256; ++i)
    {
        ASSERT_EQ(standard.CrcTableIndex(i), CQzCRC32::ms_pCRC32[i]);
        ASSERT_EQ(byDefault.CrcTableIndex(i), CQzCRC32::ms_pCRC32[i]);
    }
    EXPECT_EQ(standard.CrcTableIndex(256), 0u);
    EXPECT_EQ(standard.CrcTableIndex(-1), 0u);

    std::vector<unsigned char> buffer = RandomBuffer(3000, 47);
    for (unsigned short polynomial : {0x1021, 0x8005, 0x3D65})
    {
        CCrc16Table crc(polynomial);
        for (unsigned int i = 0; i < 256; ++i)
            ASSERT_EQ(crc.CrcTableIndex(int(i)), MsbFirstEntry(polynomial, i)) << polynomial;
        crc.CrcAdd(buffer.data(), 1000);
        EXPECT_EQ(crc.CrcAdd(buffer.data() + 1000, 2000), MixedCrc16(polynomial, buffer.data(), 3000))
            << polynomial;
    }

    // a later polynomial reuses the object and restarts it
    CQzCRC32 reused(0x12345678u);
    reused.CrcAdd("xyz", 3);
    reused.CrcInitialize(0x82F63B78u);
    EXPECT_EQ(reused.CrcAdd("123456789", 9), 0xE3069283u);
    reused.CrcInitialize(0xEDB88320u);
    EXPECT_EQ(reused.CrcAdd("123456789", 9), 0xCBF43926u);
}

TEST(QzCrc, NullDataChangesNothingAndEmptyDataReturnsTheCrcSoFar)
{
    CQzCRC32 crc32;
    crc32.CrcAdd("12345", 5);
    EXPECT_EQ(crc32.CrcAdd(nullptr, 4), 0u);
    EXPECT_EQ(crc32.CrcAdd("6789", 0), crc32.CrcGet());
    EXPECT_EQ(crc32.CrcAdd("6789", 4), 0xCBF43926u);

    CQzCRC16 crc16;
    unsigned char digits[] = "123456789";
    crc16.CrcAdd(digits, 5);
    EXPECT_EQ(crc16.CrcAdd(nullptr, 4), 0);
    EXPECT_EQ(crc16.CrcAdd(digits + 5, 0), crc16.CrcGet());
    EXPECT_EQ(crc16.CrcAdd(digits + 5, 4), 0x914B);
}

TEST(QzCrc, CopiesNeverShareAGeneratedTable)
{
    // If a copy shared the source's table, re-initializing or destroying the
    // source would change or free the copy's table.
    auto* source32 = new CQzCRC32(0x82F63B78u);
    source32->CrcAdd("1234", 4);
    CQzCRC32 copy32(*source32);
    CQzCRC32 assigned32;
    assigned32 = *source32;
    CQzCRC32 generatedThenAssigned(0x12345678u);
    generatedThenAssigned = *source32;
    source32->CrcInitialize(0x04C11DB7u);
    delete source32;
    for (CQzCRC32* crc : {&copy32, &assigned32, &generatedThenAssigned})
        EXPECT_EQ(crc->CrcAdd("56789", 5), 0xE3069283u);

    // a generated-table object assigned a default one goes back to the standard table
    CCrc32Table back(0x82F63B78u);
    back = CCrc32Table();
    EXPECT_EQ(back.CrcAdd("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(back.CrcTableIndex(1), 0x77073096u);
    CCrc32Table& alias = back;
    back = alias;
    EXPECT_EQ(back.CrcGet(), 0xCBF43926u);

    unsigned char data[] = "123456789";
    auto* source16 = new CQzCRC16(0x8005);
    CQzCRC16 copy16(*source16);
    CQzCRC16 assigned16(0x3D65);
    assigned16 = *source16;
    source16->CrcInitialize(0x3D65);
    delete source16;
    EXPECT_EQ(copy16.CrcAdd(data, 9), MixedCrc16(0x8005, data, 9));
    EXPECT_EQ(assigned16.CrcAdd(data, 9), MixedCrc16(0x8005, data, 9));
}
