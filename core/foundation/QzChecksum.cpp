// QzChecksum.cpp: the one-call CRCs over the shared fast updates.
#include "foundation/QzChecksum.h"

#include "foundation/internal/QzCrcUpdate.h"

int CreateCRC32(unsigned char const* data, int length)
{
    if (data == nullptr || length <= 0)
        return 0;
    return int(qzcrc::Crc32Update(0xFFFFFFFFu, data, unsigned(length)) ^ 0xFFFFFFFFu);
}

unsigned long long CreateCrc64(void const* data, unsigned int length)
{
    unsigned long long const start = ~0ull;
    if (data == nullptr)
        return start;
    return qzcrc::Crc64Update(start, static_cast<unsigned char const*>(data), length);
}

unsigned long long CreateCrc64_ToLower(void const* data, unsigned int length, unsigned long long seed)
{
    if (data == nullptr)
        return seed;
    return qzcrc::Crc64LowerUpdate(seed, static_cast<unsigned char const*>(data), length);
}
