// QzStringCopy.cpp: length and bounded copies, one template per operation
// behind the narrow and wide names.
#include "foundation/QzStringCopy.h"

namespace {

// Units before the terminator, reading at most limit units.
template <typename T>
unsigned int BoundedLength(T const* s, unsigned int limit)
{
    unsigned int length = 0;
    while (length < limit && s[length] != 0)
        ++length;
    return length;
}

template <typename T>
int Length(T const* s)
{
    if (s == nullptr)
        return 0;
    T const* end = s;
    while (*end != 0)
        ++end;
    return int(end - s);
}

template <typename T>
void CopyBounded(T* dst, unsigned int dstSize, T const* src, unsigned int count)
{
    // nowhere to write, not even the empty text: the caller's error
    if (dst == nullptr || dstSize == 0)
        return;
    unsigned int const length = src == nullptr ? 0 : BoundedLength(src, count);
    if (length >= dstSize)
    {
        dst[0] = 0;
        return;
    }
    for (unsigned int i = 0; i < length; ++i)
        dst[i] = src[i];
    dst[length] = 0;
}

} // namespace

// ---- length ----

int qzStrlen(char const* s) { return Length(s); }
int qzStrlen(qzwchar_t const* s) { return Length(s); }

// ---- bounded copies ----

void qzStrcpy(char* dst, unsigned int dstSize, char const* src)
{
    // a text that fits has at most dstSize - 1 units; one more proves it does not
    CopyBounded(dst, dstSize, src, dstSize);
}

void qzStrcpy(qzwchar_t* dst, unsigned int dstSize, qzwchar_t const* src)
{
    CopyBounded(dst, dstSize, src, dstSize);
}

void qzStrncpy(char* dst, unsigned int dstSize, char const* src, unsigned int count)
{
    CopyBounded(dst, dstSize, src, count);
}

void qzStrncpy(qzwchar_t* dst, unsigned int dstSize, qzwchar_t const* src, unsigned int count)
{
    CopyBounded(dst, dstSize, src, count);
}
