// QzUtf8.cpp: the UTF-8 decoder and encoder of the UCS-2 text layer.
#include "foundation/QzUtf8.h"

namespace {

bool Reached(int count, int limit)
{
    return limit != -1 && count >= limit;
}

} // namespace

// ---- UTF-8 to UCS-2 ----

int qzDecodeUTF8ToUCS2(char const* src, qzwchar_t* dst, int maxChars)
{
    int count = 0;
    if (src == nullptr || *src == '\0')
        return count;
    unsigned char const* in = reinterpret_cast<unsigned char const*>(src);
    do
    {
        if (Reached(count, maxChars))
            break;
        unsigned int const lead = *in;
        if (lead >= 0xF0)
            break;
        ++in;
        unsigned int value = lead;
        int continuations = 0;
        if (lead >= 0xE0)
        {
            value = lead & 0x0F;
            continuations = 2;
        }
        else if (lead >= 0x80)
        {
            value = lead & 0x1F;
            continuations = 1;
        }
        for (; continuations > 0; --continuations)
        {
            // never read past the terminator; the partial character is dropped
            if (*in == 0)
                return count;
            value = ((value << 6) | (*in++ & 0x3Fu)) & 0xFFFFu;
        }
        if (dst != nullptr)
            *dst++ = qzwchar_t(value);
        ++count;
    } while (*in != 0);
    return count;
}

// ---- UCS-2 to UTF-8 ----

int qzEncodeUCS2ToUTF8(qzwchar_t const* src, char* dst, int maxBytes)
{
    int count = 0;
    if (src == nullptr || *src == 0)
        return count;
    do
    {
        if (Reached(count, maxBytes))
            break;
        unsigned int c = *src;
        if (c < 0x80)
        {
            if (dst != nullptr)
                dst[count] = char(c);
            count += 1;
        }
        else
        {
            int const length = c < 0x800 ? 2 : 3;
            if (Reached(count + length, maxBytes))
                break;
            if (dst != nullptr)
            {
                for (int i = length - 1; i > 0; --i, c >>= 6)
                    dst[count + i] = char(0x80 | (c & 0x3F));
                dst[count] = char((length == 2 ? 0xC0 : 0xE0) | c);
            }
            count += length;
        }
    } while (*++src != 0);
    return count;
}

// ---- ASCII to UCS-2 ----

void qzConvertASCIIToUCS2(char const* src, qzwchar_t* dst, int maxChars)
{
    if (dst == nullptr)
        return;
    int count = 0;
    if (src != nullptr)
        for (; src[count] != '\0' && !Reached(count, maxChars); ++count)
            dst[count] = qzwchar_t((unsigned char)src[count]);
    dst[count] = 0;
}
