// QzNameCrc.h (internal): the case-folding CRC of a name of any length, the
// one identifiers and the registry both compute.
#ifndef QZCORE_IDENTIFIER_INTERNAL_QZNAMECRC_H
#define QZCORE_IDENTIFIER_INTERNAL_QZNAMECRC_H

#include "foundation/QzChecksum.h"

#include <cstddef>

namespace qzidentifier {

// The CRC of the null identifier, and of the empty name.
constexpr unsigned long long kNullCrc = 0xFFFFFFFFFFFFFFFFull;

// CreateCrc64_ToLower over length bytes; it takes at most 4 GiB a call, and
// the CRC of a text continues from the CRC of its beginning.
inline unsigned long long NameCrc64(char const* text, std::size_t length, unsigned long long seed = kNullCrc)
{
    constexpr std::size_t kMostPerCall = 0xFFFFFFFFu;
    for (; length > kMostPerCall; text += kMostPerCall, length -= kMostPerCall)
        seed = CreateCrc64_ToLower(text, unsigned(kMostPerCall), seed);
    return CreateCrc64_ToLower(text, unsigned(length), seed);
}

} // namespace qzidentifier

#endif // QZCORE_IDENTIFIER_INTERNAL_QZNAMECRC_H
