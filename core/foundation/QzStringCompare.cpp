// QzStringCompare.cpp: one comparison loop behind the eight exported names.
#include "foundation/QzStringCompare.h"

#include "foundation/internal/QzAsciiCase.h"

#include <climits>
#include <type_traits>

namespace {

template <typename T>
unsigned int Fold(T unit, bool noCase)
{
    auto const value = static_cast<std::make_unsigned_t<T>>(unit);
    return noCase ? qztext::AsciiLower(value) : value;
}

template <typename T>
int Compare(T const* a, T const* b, unsigned int n, bool noCase)
{
    static T const empty = 0;
    if (a == nullptr)
        a = &empty;
    if (b == nullptr)
        b = &empty;
    for (unsigned int i = 0; i < n; ++i)
    {
        unsigned int const ua = Fold(a[i], noCase);
        unsigned int const ub = Fold(b[i], noCase);
        if (ua != ub)
            return ua < ub ? -1 : 1;
        if (ua == 0)
            return 0;
    }
    return 0;
}

} // namespace

int qzStrcmp(char const* a, char const* b) { return Compare(a, b, UINT_MAX, false); }
int qzStrcmp(qzwchar_t const* a, qzwchar_t const* b) { return Compare(a, b, UINT_MAX, false); }

int qzStrncmp(char const* a, char const* b, unsigned int n) { return Compare(a, b, n, false); }
int qzStrncmp(qzwchar_t const* a, qzwchar_t const* b, unsigned int n)
{
    return Compare(a, b, n, false);
}

int qzStrcmpNoCase(char const* a, char const* b) { return Compare(a, b, UINT_MAX, true); }
int qzStrcmpNoCase(qzwchar_t const* a, qzwchar_t const* b) { return Compare(a, b, UINT_MAX, true); }

int qzStrncmpNoCase(char const* a, char const* b, unsigned int n) { return Compare(a, b, n, true); }
int qzStrncmpNoCase(qzwchar_t const* a, qzwchar_t const* b, unsigned int n)
{
    return Compare(a, b, n, true);
}
