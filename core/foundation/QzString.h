// QzString.h: TQzString<T>, the owned zero-terminated text of narrow (char)
// or wide (qzwchar_t, UCS-2) units: deep copies, never any spare capacity.
#ifndef QZCORE_FOUNDATION_QZSTRING_H
#define QZCORE_FOUNDATION_QZSTRING_H

#include "QzApi.h"

// One pointer to a heap text with its terminator, or null for the empty
// string, so an empty string holds no memory. Every read of a null string
// yields EMPTY, so callers always receive a valid terminated text.
template <typename T>
class QZ_API TQzString
{
public:
    // An empty text ("" or a single zero unit) and an empty string object.
    static T const* const EMPTY;
    static TQzString const STR_EMPTY;

    TQzString() : m_pText(nullptr) {}
    // Copies the text into a block of exactly its length + 1 units; a null
    // or empty text gives the empty string.
    TQzString(T const* text);
    TQzString(TQzString const& other);
    ~TQzString();

    // The text may lie inside this string's own block.
    TQzString& operator=(T const* text);
    TQzString& operator=(TQzString const& other);

    // ---- reading ----

    T const* GetCString() const { return m_pText != nullptr ? m_pText : EMPTY; }
    int GetLength() const;

    // true exactly when the last units equal suffix (case-sensitive); a null
    // suffix is no suffix of anything
    bool EndsWith(T const* suffix) const;

    // Position of the last occurrence of needle that begins at or before
    // start (-1: the last unit), unless one begins after start, in which
    // case the first such one; -1 when there is none. An empty needle gives
    // start. Without caseSensitive the letters 'A' to 'Z' match 'a' to 'z'.
    int FindLast(T const* needle, int start = -1, bool caseSensitive = true) const;

    // ---- changing ----

    // Cuts the text to length units or keeps it whole in a block of
    // length + 1 units whose tail is zero; 0 (or less) frees the block.
    void SetLength(int length);

    // Appending a string to itself doubles it.
    void Append(TQzString const& other);
    void Append(T const* text);

    // Only 'A' to 'Z' change; every other unit stays as it is.
    void ToLower();

private:
    T* m_pText;
};

extern template class TQzString<char>;
extern template class TQzString<qzwchar_t>;

#endif // QZCORE_FOUNDATION_QZSTRING_H
