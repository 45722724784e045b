// QzStringNumbers.cpp: one integer scanner for the narrow and wide forms,
// the C library's strtod for floating point and snprintf for output, both
// in the C locale whatever the process has set.
#include "foundation/QzStringNumbers.h"

#include "foundation/internal/QzCLocale.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

template <typename T>
bool IsBlank(T unit)
{
    return unit == T(' ') || (unit >= T('\t') && unit <= T('\r'));
}

// 0 to 35 for '0'-'9', 'a'-'z', 'A'-'Z'; 36 for anything else.
template <typename T>
unsigned int DigitValue(T unit)
{
    if (unit >= T('0') && unit <= T('9'))
        return unsigned(unit - T('0'));
    if (unit >= T('a') && unit <= T('z'))
        return unsigned(unit - T('a')) + 10;
    if (unit >= T('A') && unit <= T('Z'))
        return unsigned(unit - T('A')) + 10;
    return 36;
}

struct SScanned
{
    unsigned long long magnitude = 0;
    bool negative = false;
    bool overflow = false; // the magnitude does not fit in 64 bits
};

// The scanner of strtol and its relatives: blanks, a sign, then digits of
// base (0: "0x" for hexadecimal, a leading 0 for octal, else decimal).
template <typename T>
SScanned ScanInteger(T const* s, unsigned int base)
{
    SScanned scanned;
    if (s == nullptr)
        return scanned;
    while (IsBlank(*s))
        ++s;
    if (*s == T('+') || *s == T('-'))
        scanned.negative = *s++ == T('-');
    if (base == 0)
    {
        // "0x" without a hex digit behind it is the number 0 followed by 'x'
        if (s[0] == T('0') && (s[1] == T('x') || s[1] == T('X')) && DigitValue(s[2]) < 16)
        {
            base = 16;
            s += 2;
        }
        else
            base = s[0] == T('0') ? 8 : 10;
    }
    for (unsigned int digit; (digit = DigitValue(*s)) < base; ++s)
    {
        if (scanned.magnitude > (ULLONG_MAX - digit) / base)
            scanned.overflow = true;
        else
            scanned.magnitude = scanned.magnitude * base + digit;
    }
    return scanned;
}

template <typename T>
int ToS32(T const* s)
{
    SScanned const n = ScanInteger(s, 10);
    if (n.negative)
        return n.overflow || n.magnitude > 0x80000000ull ? INT_MIN : int(0 - (long long)n.magnitude);
    return n.overflow || n.magnitude > INT_MAX ? INT_MAX : int(n.magnitude);
}

template <typename T>
unsigned int ToU32(T const* s)
{
    SScanned const n = ScanInteger(s, 10);
    if (n.overflow || n.magnitude > UINT_MAX)
        return UINT_MAX;
    unsigned int const value = unsigned(n.magnitude);
    return n.negative ? 0u - value : value;
}

template <typename T>
long long ToS64(T const* s)
{
    SScanned const n = ScanInteger(s, 0);
    unsigned long long const lowest = 1ull << 63;
    if (n.negative)
        return n.overflow || n.magnitude >= lowest ? LLONG_MIN : -(long long)n.magnitude;
    return n.overflow || n.magnitude >= lowest ? LLONG_MAX : (long long)n.magnitude;
}

// The ASCII units at the start of a wide text: no unit beyond them can be
// part of a number.
std::string AsciiPrefix(qzwchar_t const* s)
{
    std::string narrow;
    if (s != nullptr)
        for (; *s != 0 && *s < 0x80; ++s)
            narrow += char(*s);
    return narrow;
}

template <typename T>
unsigned int HexToU32(T const* s)
{
    // Horner's rule equals the sum of weighted digits modulo 2^32, and a
    // unit that is no digit still shifts the ones before it.
    unsigned int result = 0;
    if (s == nullptr)
        return result;
    for (; *s != 0; ++s)
    {
        unsigned int const digit = DigitValue(*s);
        result = result * 16 + (digit < 16 ? digit : 0);
    }
    return result;
}

template <typename T>
void WriteWidened(char const* text, T* dst)
{
    if (dst == nullptr)
        return;
    do
        *dst++ = T((unsigned char)*text);
    while (*text++ != 0);
}

template <typename T>
void WriteInt(int value, T* dst)
{
    char text[12];
    std::snprintf(text, sizeof text, "%d", value);
    WriteWidened(text, dst);
}

template <typename T>
void WriteFloat(float value, T* dst)
{
    // FLT_MAX has 39 integer digits: sign, digits, point, six decimals, end
    char text[48];
    {
        CQzCLocaleScope const cLocale;
        std::snprintf(text, sizeof text, "%f", double(value));
    }
    WriteWidened(text, dst);
}

} // namespace

// ---- integers ----

int qzStringToS32(char const* s) { return ToS32(s); }
int qzStringToS32(qzwchar_t const* s) { return ToS32(s); }
unsigned int qzStringToU32(char const* s) { return ToU32(s); }
unsigned int qzStringToU32(qzwchar_t const* s) { return ToU32(s); }
long long qzStringToS64(char const* s) { return ToS64(s); }
long long qzStringToS64(qzwchar_t const* s) { return ToS64(s); }
unsigned long long qzStringToU64(char const* s) { return (unsigned long long)ToS64(s); }
unsigned long long qzStringToU64(qzwchar_t const* s) { return (unsigned long long)ToS64(s); }

unsigned int qzStringHexToU32(char const* s) { return HexToU32(s); }
unsigned int qzStringHexToU32(qzwchar_t const* s) { return HexToU32(s); }

// ---- floating point ----

double qzStringToDouble(char const* s)
{
    if (s == nullptr)
        return 0.0;
    CQzCLocaleScope const cLocale;
    return std::strtod(s, nullptr);
}

double qzStringToDouble(qzwchar_t const* s) { return qzStringToDouble(AsciiPrefix(s).c_str()); }
float qzStringToFloat(char const* s) { return float(qzStringToDouble(s)); }
float qzStringToFloat(qzwchar_t const* s) { return float(qzStringToDouble(s)); }

// ---- tests ----

bool qzIsInt(char const* s)
{
    if (s == nullptr)
        return false;
    if (*s == '-')
        ++s;
    if (*s < '0' || *s > '9')
        return false;
    while (*s >= '0' && *s <= '9')
        ++s;
    return *s == '\0';
}

bool qzIsFloat(char const* s)
{
    if (s == nullptr)
        return false;
    int points = 0;
    for (int i = 0; s[i] != '\0'; ++i)
    {
        if (i == 0 && s[i] == '-')
            continue;
        if (s[i] == '.')
        {
            if (++points > 1)
                return false;
        }
        else if (s[i] < '0' || s[i] > '9')
            return false;
    }
    return points == 1;
}

// ---- number to text ----

void qzIntToString(int value, char* dst) { WriteInt(value, dst); }
void qzIntToString(int value, qzwchar_t* dst) { WriteInt(value, dst); }
void qzFloatToString(float value, char* dst) { WriteFloat(value, dst); }
void qzFloatToString(float value, qzwchar_t* dst) { WriteFloat(value, dst); }
