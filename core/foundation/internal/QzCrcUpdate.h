// QzCrcUpdate.h (internal): the reflected CRC-32 and 64-bit CRC updates on
// an uninverted register, fast over long buffers, bit-identical to one
// table step per byte.
#ifndef QZCORE_FOUNDATION_INTERNAL_QZCRCUPDATE_H
#define QZCORE_FOUNDATION_INTERNAL_QZCRCUPDATE_H

#include <cstddef>

namespace qzcrc {

// Carry-less folding where the processor has it, sliced tables otherwise.
unsigned int Crc32Update(unsigned int reg, unsigned char const* data, std::size_t length);
unsigned long long Crc64Update(unsigned long long reg, unsigned char const* data, std::size_t length);

// The 64-bit update of each byte with 'A' to 'Z' folded to lower case.
unsigned long long Crc64LowerUpdate(unsigned long long reg, unsigned char const* data,
                                    std::size_t length);

// Eight bytes per step through the sliced tables, whatever the processor.
unsigned int Crc32Sliced(unsigned int reg, unsigned char const* data, std::size_t length);
unsigned long long Crc64Sliced(unsigned long long reg, unsigned char const* data, std::size_t length);

} // namespace qzcrc

#endif // QZCORE_FOUNDATION_INTERNAL_QZCRCUPDATE_H
