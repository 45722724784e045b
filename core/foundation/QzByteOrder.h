// QzByteOrder.h: reversing the byte order of values and buffers in place,
// and rounding up to a multiple of a power-of-two alignment.
#ifndef QZCORE_FOUNDATION_QZBYTEORDER_H
#define QZCORE_FOUNDATION_QZBYTEORDER_H

#include "QzApi.h"

// Reverses the sizeof(value) bytes of value; a float's representation is
// reversed, not its numeric value.
QZ_API void QzSwapEndian(unsigned short& value);
QZ_API void QzSwapEndian(short& value);
QZ_API void QzSwapEndian(unsigned int& value);
QZ_API void QzSwapEndian(int& value);
QZ_API void QzSwapEndian(unsigned long& value);
QZ_API void QzSwapEndian(long& value);
QZ_API void QzSwapEndian(float& value);
QZ_API void QzSwapEndian(long long& value);
QZ_API void QzSwapEndian(unsigned long long& value);

// Reverses the bytes of each whole element in the first sizeInBytes bytes
// of buffer; trailing bytes that make no whole element stay as they are.
QZ_API void QzSwapEndian(unsigned short* buffer, unsigned int sizeInBytes);
QZ_API void QzSwapEndian(short* buffer, unsigned int sizeInBytes);
QZ_API void QzSwapEndian(unsigned int* buffer, unsigned int sizeInBytes);
QZ_API void QzSwapEndian(int* buffer, unsigned int sizeInBytes);
QZ_API void QzSwapEndian(float* buffer, unsigned int sizeInBytes);

// The smallest multiple of alignment (a power of two) not below value.
QZ_API unsigned int QzAlignValue(unsigned int value, unsigned int alignment);

#endif // QZCORE_FOUNDATION_QZBYTEORDER_H
