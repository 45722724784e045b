// QzUtf8.h: conversions between UTF-8 or ASCII bytes and UCS-2 units (one
// 16-bit unit per character, no surrogate pairs).
#ifndef QZCORE_FOUNDATION_QZUTF8_H
#define QZCORE_FOUNDATION_QZUTF8_H

#include "QzApi.h"

// Decodes at most maxChars characters (-1: no limit) of src into dst and
// returns how many; a null dst only counts them. Lead bytes 0x80-0xDF start
// two-byte and 0xE0-0xEF three-byte sequences, continuation bytes are taken
// as they come and values are cut to 16 bits; a byte 0xF0 or above ends the
// text. A sequence cut short by the terminator is dropped. No terminator is
// written.
QZ_API int qzDecodeUTF8ToUCS2(char const* src, qzwchar_t* dst, int maxChars);

// Encodes src into dst and returns the number of bytes; a null dst only
// counts them. With maxBytes (-1: no limit) a one-byte character may take the
// last byte, but a multi-byte one is written only when at least one byte of
// the limit stays free behind it. No terminator is written.
QZ_API int qzEncodeUCS2ToUTF8(qzwchar_t const* src, char* dst, int maxBytes);

// Widens each byte (0x80-0xFF become U+0080-U+00FF) up to the terminator or
// maxChars characters (-1: no limit), then always writes a zero unit, so dst
// needs maxChars + 1 units. A null dst does nothing.
QZ_API void qzConvertASCIIToUCS2(char const* src, qzwchar_t* dst, int maxChars);

#endif // QZCORE_FOUNDATION_QZUTF8_H
