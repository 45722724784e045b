// QzString.cpp: TQzString<T> for char and qzwchar_t, instantiated here once
// for the library and its clients.
#include "foundation/QzString.h"

#include "foundation/internal/QzAsciiCase.h"
#include "foundation/QzStringCopy.h"

#include <algorithm>
#include <cstddef>

namespace {

// A fresh block of length + 1 units, all zero.
template <typename T>
T* ZeroBlock(int length)
{
    return new T[std::size_t(length) + 1]();
}

// A copy of length units with a terminator, or null for nothing to copy.
template <typename T>
T* CopyText(T const* text, int length)
{
    if (length <= 0)
        return nullptr;
    T* block = new T[std::size_t(length) + 1];
    std::copy(text, text + length, block);
    block[length] = 0;
    return block;
}

template <typename T>
bool MatchesAt(T const* text, T const* needle, int needleLength, bool caseSensitive)
{
    if (caseSensitive)
        return std::equal(needle, needle + needleLength, text);
    return std::equal(needle, needle + needleLength, text,
                      [](T a, T b) { return qztext::AsciiLower(a) == qztext::AsciiLower(b); });
}

template <typename T>
struct SEmptyText
{
    static constexpr T unit[1] = {T(0)};
};

} // namespace

template <typename T>
T const* const TQzString<T>::EMPTY = SEmptyText<T>::unit;

template <typename T>
TQzString<T> const TQzString<T>::STR_EMPTY(TQzString<T>::EMPTY);

// ---- construction and assignment ----

template <typename T>
TQzString<T>::TQzString(T const* text) : m_pText(CopyText(text, qzStrlen(text)))
{
}

template <typename T>
TQzString<T>::TQzString(TQzString const& other) : TQzString(other.GetCString())
{
}

template <typename T>
TQzString<T>::~TQzString()
{
    delete[] m_pText;
}

template <typename T>
TQzString<T>& TQzString<T>::operator=(T const* text)
{
    // copied before the old block goes, since text may lie inside it
    T* block = CopyText(text, qzStrlen(text));
    delete[] m_pText;
    m_pText = block;
    return *this;
}

template <typename T>
TQzString<T>& TQzString<T>::operator=(TQzString const& other)
{
    if (this != &other)
        *this = other.GetCString();
    return *this;
}

// ---- reading ----

template <typename T>
int TQzString<T>::GetLength() const
{
    return qzStrlen(m_pText);
}

template <typename T>
bool TQzString<T>::EndsWith(T const* suffix) const
{
    if (suffix == nullptr)
        return false;
    int const length = GetLength();
    int const suffixLength = qzStrlen(suffix);
    if (length < suffixLength)
        return false;
    return MatchesAt(GetCString() + (length - suffixLength), suffix, suffixLength, true);
}

template <typename T>
int TQzString<T>::FindLast(T const* needle, int start, bool caseSensitive) const
{
    int const length = GetLength();
    if (start == -1)
        start = length - 1;
    if (needle == nullptr || start >= length || start < 0)
        return -1;
    T const* const text = GetCString();
    int const needleLength = qzStrlen(needle);
    // Searching forward from each p = start, start - 1, ..., 0 in turn: the
    // first search finds the first occurrence at or after start; once it has
    // failed, a search from p < start can only find one that begins at p.
    for (int q = start; q <= length - needleLength; ++q)
        if (MatchesAt(text + q, needle, needleLength, caseSensitive))
            return q;
    for (int p = std::min(start - 1, length - needleLength); p >= 0; --p)
        if (MatchesAt(text + p, needle, needleLength, caseSensitive))
            return p;
    return -1;
}

// ---- changing ----

template <typename T>
void TQzString<T>::SetLength(int length)
{
    if (length <= 0)
    {
        delete[] m_pText;
        m_pText = nullptr;
        return;
    }
    T* const block = ZeroBlock<T>(length);
    int const kept = std::min(GetLength(), length);
    std::copy(GetCString(), GetCString() + kept, block);
    delete[] m_pText;
    m_pText = block;
}

template <typename T>
void TQzString<T>::Append(TQzString const& other)
{
    Append(other.GetCString());
}

template <typename T>
void TQzString<T>::Append(T const* text)
{
    // Reallocates every time. The tail is read before the old block is
    // freed, so a text inside this string (or the string itself) appends
    // what it was before the call.
    int const length = GetLength();
    int const tailLength = qzStrlen(text);
    if (length + tailLength == 0)
    {
        SetLength(0);
        return;
    }
    T* const block = ZeroBlock<T>(length + tailLength);
    std::copy(GetCString(), GetCString() + length, block);
    std::copy(text, text + tailLength, block + length);
    delete[] m_pText;
    m_pText = block;
}

template <typename T>
void TQzString<T>::ToLower()
{
    if (m_pText == nullptr)
        return;
    for (T* unit = m_pText; *unit != 0; ++unit)
        *unit = qztext::AsciiLower(*unit);
}

template class TQzString<char>;
template class TQzString<qzwchar_t>;
