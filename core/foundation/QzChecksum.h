// QzChecksum.h: one-call CRCs: the standard CRC-32 and the 64-bit CRC of
// the Jones polynomial, plain or with ASCII capitals folded and a seed.
#ifndef QZCORE_FOUNDATION_QZCHECKSUM_H
#define QZCORE_FOUNDATION_QZCHECKSUM_H

#include "QzApi.h"

// The CRC-32 of zlib ("123456789" gives 0xCBF43926); no bytes give 0.
QZ_API int CreateCRC32(unsigned char const* data, int length);

// Reflected polynomial 0x95AC9329AC4BC9B5, register starting at all ones,
// no final inversion ("123456789" gives 0xCAA717168609F281); no bytes give
// 0xFFFFFFFFFFFFFFFF.
QZ_API unsigned long long CreateCrc64(void const* data, unsigned int length);

// The same CRC continued from seed, each byte 'A' to 'Z' read as its lower
// case letter (other bytes, 0x80-0xFF included, as they are). Without a
// final inversion, the result for a then b equals the result for b seeded
// with the result for a. No bytes return the seed.
QZ_API unsigned long long CreateCrc64_ToLower(void const* data, unsigned int length,
                                              unsigned long long seed);

#endif // QZCORE_FOUNDATION_QZCHECKSUM_H
