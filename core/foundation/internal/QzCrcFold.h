// QzCrcFold.h (internal): folding long buffers for a reflected CRC with the
// processor's carry-less multiplication (x86 PCLMULQDQ), when it has one.
#ifndef QZCORE_FOUNDATION_INTERNAL_QZCRCFOLD_H
#define QZCORE_FOUNDATION_INTERNAL_QZCRCFOLD_H

#include <cstddef>

namespace qzcrc {

// x^n modulo a reflected polynomial of width bits, in the reflected form
// (bit width - 1 - j holds x^j), moved to the top of 64 bits.
constexpr unsigned long long XPowerModulo(unsigned int n, unsigned long long polynomial, int width)
{
    unsigned long long value = 1ull << (width - 1);
    for (unsigned int i = 0; i < n; ++i)
        value = (value & 1) != 0 ? (value >> 1) ^ polynomial : value >> 1;
    return value << (64 - width);
}

// Multipliers that move 128 bits forward by 512 bits (four blocks) or by
// 128 bits (one block): x^(distance + 63) for the first eight bytes of a
// block, x^(distance - 1) for the last eight (the product of two reflected
// 64-bit values comes out one bit short, hence the -1).
struct SFoldKeys
{
    unsigned long long by4Low, by4High, by1Low, by1High;
};

constexpr SFoldKeys MakeFoldKeys(unsigned long long polynomial, int width)
{
    return {XPowerModulo(512 + 63, polynomial, width), XPowerModulo(512 - 1, polynomial, width),
            XPowerModulo(128 + 63, polynomial, width), XPowerModulo(128 - 1, polynomial, width)};
}

#if defined(__x86_64__) || defined(__i386__)
// Whether FoldBlocks can run on this processor.
bool HasCarrylessMultiply();

// Folds blocks 16-byte blocks of data (at least four) into one 16-byte block
// out whose CRC from a zero register equals the CRC of data from register.
void FoldBlocks(unsigned long long reg, unsigned char const* data, std::size_t blocks,
                SFoldKeys const& keys, unsigned char out[16]);
#endif

} // namespace qzcrc

#endif // QZCORE_FOUNDATION_INTERNAL_QZCRCFOLD_H
