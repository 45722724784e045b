// QzCrcUpdate.cpp: sliced-table updates and the choice between them and
// carry-less folding.
#include "foundation/internal/QzCrcUpdate.h"

#include "foundation/internal/QzAsciiCase.h"
#include "foundation/internal/QzCrcFold.h"
#include "foundation/internal/QzCrcTables.h"

namespace qzcrc {

namespace {

// Buffers shorter than this are not worth setting up the folding lanes.
constexpr std::size_t kFoldMinimum = 128;

constexpr SFoldKeys kCrc32Keys = MakeFoldKeys(kCrc32Polynomial, 32);
constexpr SFoldKeys kCrc64Keys = MakeFoldKeys(kCrc64Polynomial, 64);

unsigned long long LoadLittleEndian64(unsigned char const* p)
{
    return (unsigned long long)p[0] | (unsigned long long)p[1] << 8 | (unsigned long long)p[2] << 16 |
           (unsigned long long)p[3] << 24 | (unsigned long long)p[4] << 32 |
           (unsigned long long)p[5] << 40 | (unsigned long long)p[6] << 48 |
           (unsigned long long)p[7] << 56;
}

// 'A' to 'Z' plus 0x20 in each of eight bytes at once: a byte is a capital
// when its low seven bits reach 'A' but not beyond 'Z' and its top bit is 0.
unsigned long long LowerCapitals(unsigned long long v)
{
    constexpr unsigned long long ones = 0x0101010101010101ull;
    unsigned long long const low7 = v & (0x7F * ones);
    unsigned long long const fromA = low7 + (0x80 - 'A') * ones;
    unsigned long long const pastZ = low7 + (0x80 - 'Z' - 1) * ones;
    unsigned long long const capital = fromA & ~pastZ & ~v & (0x80 * ones);
    return v | (capital >> 2);
}

template <bool lower, typename U>
U Sliced(SSlicedTable<U> const& table, U reg, unsigned char const* p, std::size_t n)
{
    auto const& t = table.entry;
    for (; n >= 8; n -= 8, p += 8)
    {
        unsigned long long v = LoadLittleEndian64(p);
        if (lower)
            v = LowerCapitals(v);
        v ^= reg;
        reg = U(t[7][v & 0xFF] ^ t[6][(v >> 8) & 0xFF] ^ t[5][(v >> 16) & 0xFF] ^
                t[4][(v >> 24) & 0xFF] ^ t[3][(v >> 32) & 0xFF] ^ t[2][(v >> 40) & 0xFF] ^
                t[1][(v >> 48) & 0xFF] ^ t[0][v >> 56]);
    }
    for (; n > 0; --n, ++p)
        reg = U((reg >> 8) ^ t[0][(reg ^ (lower ? qztext::AsciiLower(*p) : *p)) & 0xFF]);
    return reg;
}

template <typename U>
U Update(SSlicedTable<U> const& table, SFoldKeys const& keys, U reg, unsigned char const* p,
         std::size_t n)
{
#if defined(__x86_64__) || defined(__i386__)
    if (n >= kFoldMinimum && HasCarrylessMultiply())
    {
        std::size_t const blocks = n / 16;
        unsigned char folded[16];
        FoldBlocks(reg, p, blocks, keys, folded);
        reg = Sliced<false>(table, U(0), folded, 16);
        p += blocks * 16;
        n -= blocks * 16;
    }
#else
    (void)keys;
#endif
    return Sliced<false>(table, reg, p, n);
}

} // namespace

unsigned int Crc32Update(unsigned int reg, unsigned char const* data, std::size_t length)
{
    return Update(g_crc32Table, kCrc32Keys, reg, data, length);
}

unsigned long long Crc64Update(unsigned long long reg, unsigned char const* data, std::size_t length)
{
    return Update(g_crc64Table, kCrc64Keys, reg, data, length);
}

unsigned long long Crc64LowerUpdate(unsigned long long reg, unsigned char const* data, std::size_t length)
{
    return Sliced<true>(g_crc64Table, reg, data, length);
}

unsigned int Crc32Sliced(unsigned int reg, unsigned char const* data, std::size_t length)
{
    return Sliced<false>(g_crc32Table, reg, data, length);
}

unsigned long long Crc64Sliced(unsigned long long reg, unsigned char const* data, std::size_t length)
{
    return Sliced<false>(g_crc64Table, reg, data, length);
}

} // namespace qzcrc
