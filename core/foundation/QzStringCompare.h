// QzStringCompare.h: comparisons of zero-terminated text, exact or with the
// ASCII capitals folded, in narrow (char) and wide (qzwchar_t) forms.
#ifndef QZCORE_FOUNDATION_QZSTRINGCOMPARE_H
#define QZCORE_FOUNDATION_QZSTRINGCOMPARE_H

#include "QzApi.h"

// Every comparison looks at units as unsigned values (a byte 0xE9 is above
// 'z') and returns exactly -1, 0 or 1. A null text compares as empty.
QZ_API int qzStrcmp(char const* a, char const* b);
QZ_API int qzStrcmp(qzwchar_t const* a, qzwchar_t const* b);

// Compares at most n units.
QZ_API int qzStrncmp(char const* a, char const* b, unsigned int n);
QZ_API int qzStrncmp(qzwchar_t const* a, qzwchar_t const* b, unsigned int n);

// Only 'A' to 'Z' are folded (to 'a' to 'z') before comparing.
QZ_API int qzStrcmpNoCase(char const* a, char const* b);
QZ_API int qzStrcmpNoCase(qzwchar_t const* a, qzwchar_t const* b);
QZ_API int qzStrncmpNoCase(char const* a, char const* b, unsigned int n);
QZ_API int qzStrncmpNoCase(qzwchar_t const* a, qzwchar_t const* b, unsigned int n);

#endif // QZCORE_FOUNDATION_QZSTRINGCOMPARE_H
