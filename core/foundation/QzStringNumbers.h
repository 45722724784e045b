// QzStringNumbers.h: numbers read from and written as text, in narrow (char)
// and wide (qzwchar_t) forms, with the C library's conversion rules in the
// C locale: the decimal point is '.' whatever locale the process has set.
#ifndef QZCORE_FOUNDATION_QZSTRINGNUMBERS_H
#define QZCORE_FOUNDATION_QZSTRINGNUMBERS_H

#include "QzApi.h"

// ---- text to number ----
// Leading blanks (space, \t, \n, \v, \f, \r) and one sign are skipped, then
// digits are read up to the first unit that is not one. Text without digits
// gives 0; so does a null text.

// Decimal, as atoi; values beyond the int range give INT_MAX or INT_MIN.
QZ_API int qzStringToS32(char const* s);
QZ_API int qzStringToS32(qzwchar_t const* s);

// Decimal, as a 32-bit strtoul: a minus sign negates modulo 2^32 and a value
// beyond 32 bits gives 0xFFFFFFFF.
QZ_API unsigned int qzStringToU32(char const* s);
QZ_API unsigned int qzStringToU32(qzwchar_t const* s);

// As scanf's "%lli": "0x" or "0X" selects hexadecimal and a leading 0
// octal; values beyond 64 bits are clamped to the long long range. Both names
// give the same 64 bits.
QZ_API long long qzStringToS64(char const* s);
QZ_API long long qzStringToS64(qzwchar_t const* s);
QZ_API unsigned long long qzStringToU64(char const* s);
QZ_API unsigned long long qzStringToU64(qzwchar_t const* s);

// As atof to double; the float names round that double to the nearest float.
// The wide forms read only ASCII units.
QZ_API double qzStringToDouble(char const* s);
QZ_API double qzStringToDouble(qzwchar_t const* s);
QZ_API float qzStringToFloat(char const* s);
QZ_API float qzStringToFloat(qzwchar_t const* s);

// Positional hexadecimal: each unit has the weight of its place counted from
// the end; units that are not hex digits add nothing but keep their place
// ("0x1F" is 31, "1F " is 496). Sums wrap modulo 2^32.
QZ_API unsigned int qzStringHexToU32(char const* s);
QZ_API unsigned int qzStringHexToU32(qzwchar_t const* s);

// An optional '-' and one or more digits, nothing else ("007" yes, "+1" no).
QZ_API bool qzIsInt(char const* s);
// Digits with exactly one '.', after an optional '-' (".5" and "." yes,
// "1" and "1e5" no).
QZ_API bool qzIsFloat(char const* s);

// ---- number to text ----
// dst needs room for 12 units ("%d") or 48 units ("%f" of any float); a null
// dst writes nothing.

QZ_API void qzIntToString(int value, char* dst);
QZ_API void qzIntToString(int value, qzwchar_t* dst);
// "%f" of the value widened to double: six decimals, no exponent.
QZ_API void qzFloatToString(float value, char* dst);
QZ_API void qzFloatToString(float value, qzwchar_t* dst);

#endif // QZCORE_FOUNDATION_QZSTRINGNUMBERS_H
