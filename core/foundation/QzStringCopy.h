// QzStringCopy.h: measuring and bounded copying of zero-terminated text, in
// narrow (char) and wide (qzwchar_t, UCS-2) forms.
#ifndef QZCORE_FOUNDATION_QZSTRINGCOPY_H
#define QZCORE_FOUNDATION_QZSTRINGCOPY_H

#include "QzApi.h"

// Number of units before the terminator (0 for a null text).
QZ_API int qzStrlen(char const* s);
QZ_API int qzStrlen(qzwchar_t const* s);

// Copies src and its terminator into dst, which holds dstSize units. A text
// that does not fit leaves dst empty (first unit zero) and copies nothing.
QZ_API void qzStrcpy(char* dst, unsigned int dstSize, char const* src);
QZ_API void qzStrcpy(qzwchar_t* dst, unsigned int dstSize, qzwchar_t const* src);

// Copies at most count units of src and always terminates; src is not read
// beyond count units. Does not fit: dst is left empty, as qzStrcpy does.
QZ_API void qzStrncpy(char* dst, unsigned int dstSize, char const* src, unsigned int count);
QZ_API void qzStrncpy(qzwchar_t* dst, unsigned int dstSize, qzwchar_t const* src,
                      unsigned int count);

#endif // QZCORE_FOUNDATION_QZSTRINGCOPY_H
