// Tests of TQzString (empty strings hold no memory, deep copies, resizing,
// FindLast and EndsWith by brute force) and of the C-string functions, in both
// widths on random texts against the C library.
#include "foundation/QzString.h"
#include "foundation/QzStringCompare.h"
#include "foundation/QzStringCopy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <strings.h>
#include <tuple>
#include <vector>

namespace {

using CString = TQzString<char>;
using WString = TQzString<qzwchar_t>;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
    return text;
}

int Sign(int value) { return (value > 0) - (value < 0); }

std::string RandomText(std::mt19937& random, char const* alphabet, int maxLength)
{
    std::string text(random() % unsigned(maxLength + 1), ' ');
    for (char& c : text)
        c = alphabet[random() % std::strlen(alphabet)];
    return text;
}

// The same units widened; 0xE9 stands for a unit above every byte.
std::u16string Widen(std::string const& text)
{
    std::u16string wide;
    for (char c : text)
        wide += c == '\xE9' ? u'\xFF10' : char16_t((unsigned char)c);
    return wide;
}

} // namespace

TEST(QzString, EmptyCopiedAliasedResizedTextsAndFindLastByBruteForce)
{
    EXPECT_EQ(CString::EMPTY[0], '\0');
    EXPECT_EQ(WString::STR_EMPTY.GetCString(), WString::EMPTY);
    for (CString const& empty : {CString(""), CString(nullptr), CString(), CString(CString::STR_EMPTY)})
        EXPECT_TRUE(empty.GetCString() == CString::EMPTY && empty.GetLength() == 0);

    CString s("abcdef");
    CString const copy(s);
    CString assigned;
    assigned = s;
    EXPECT_TRUE(copy.GetCString() != s.GetCString() && assigned.GetCString() != s.GetCString());
    s = s.GetCString() + 2; // from inside its own block
    CString& alias = s;
    s = alias;
    EXPECT_EQ(std::string(s.GetCString()) + copy.GetCString() + assigned.GetCString(), "cdefabcdefabcdef");

    s.SetLength(3);
    EXPECT_STREQ(s.GetCString(), "cde");
    s.SetLength(10); // the text stays, the tail is zero
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(std::string(s.GetCString(), 11), std::string("cde\0\0\0\0\0\0\0\0", 11));
    s.Append(s);
    s.Append(s.GetCString() + 4);
    s.Append(nullptr);
    s.Append(CString::STR_EMPTY);
    EXPECT_STREQ(s.GetCString(), "cdecdede");
    s.ToLower();
    s.SetLength(0);
    EXPECT_EQ(s.GetCString(), CString::EMPTY);
    s.Append(s);
    EXPECT_EQ(s.GetCString(), CString::EMPTY);
    s.SetLength(2);
    EXPECT_NE(s.GetCString(), CString::EMPTY);
    s.Append("xyz"); // a tail longer than the text
    EXPECT_STREQ(s.GetCString(), "xyz");

    CString mixed("AZaz@[`{09\xC0\xC9\xDE");
    mixed.ToLower();
    EXPECT_STREQ(mixed.GetCString(), "azaz@[`{09\xC0\xC9\xDE");
    WString wide(u"Q\u00c0\u0410[");
    WString const wideCopy(wide);
    wide.ToLower();
    wide.Append(wide);
    EXPECT_EQ(std::u16string(wide.GetCString()), u"q\u00c0\u0410[q\u00c0\u0410[");
    EXPECT_EQ(std::u16string(wideCopy.GetCString()), u"Q\u00c0\u0410[");
    EXPECT_EQ(wideCopy.GetLength(), 4);

    // FindLast: the first occurrence at or after start if there is one, else
    // the last one before start; EndsWith: an occurrence that ends the text
    EXPECT_EQ(CString("a/b/c").FindLast("/"), 3);
    EXPECT_EQ(CString("abc").FindLast(nullptr), -1);
    EXPECT_FALSE(CString("abc").EndsWith(nullptr));
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round)
    {
        std::string const text = RandomText(random, "abAB/", 11);
        std::string const needle = RandomText(random, "abAB/", 3);
        int const start = int(random() % (text.size() + 3)) - 2;
        bool const caseSensitive = (random() & 1) != 0;
        std::string const haystack = caseSensitive ? text : Lower(text);
        std::string const pattern = caseSensitive ? needle : Lower(needle);
        int const from = start == -1 ? int(text.size()) - 1 : start;
        int expected = -1;
        for (int p = 0; from >= 0 && from < int(text.size()) && p + needle.size() <= text.size(); ++p)
            if (haystack.compare(p, needle.size(), pattern) == 0 && (p < from || expected < from))
                expected = p;
        SCOPED_TRACE('"' + text + "\" \"" + needle + "\" " + std::to_string(start));
        ASSERT_EQ(CString(text.c_str()).FindLast(needle.c_str(), start, caseSensitive), expected);
        ASSERT_EQ(WString(Widen(text).c_str()).FindLast(Widen(needle).c_str(), start, caseSensitive), expected);
        bool const ends = text.size() >= needle.size() &&
                          text.compare(text.size() - needle.size(), needle.size(), needle) == 0;
        ASSERT_EQ(CString(text.c_str()).EndsWith(needle.c_str()), ends);
    }
}

TEST(QzStringCopyCompare, CopiesFitOrLeaveTheDestinationEmptyAndComparisonsAgreeWithTheCLibrary)
{
    EXPECT_EQ(qzStrlen(static_cast<char const*>(nullptr)), 0);
    std::mt19937 random(9);
    for (int round = 0; round < 3000; ++round)
    {
        std::string const text = RandomText(random, "ab\xE9", 8);
        // exactly the text's units, no terminator: reading beyond is caught
        std::vector<char> const source(text.begin(), text.end());
        std::u16string const wide = Widen(text);
        std::vector<char16_t> const wideSource(wide.begin(), wide.end());
        unsigned int const size = random() % 10;
        unsigned int const count = unsigned(text.size()) - random() % (text.size() + 1);
        std::string const expected = text.substr(0, count).size() < size ? text.substr(0, count) : "";
        SCOPED_TRACE(text + " into " + std::to_string(size) + " units, at most " + std::to_string(count));

        // nothing written beyond the terminator, and no read beyond count
        std::string narrow(12, '#');
        std::u16string widened(12, u'#');
        qzStrncpy(&narrow[0], size, source.data(), count);
        qzStrncpy(&widened[0], size, wideSource.data(), count);
        std::string const written = size == 0 ? "" : expected + '\0';
        EXPECT_EQ(narrow, written + std::string(12 - written.size(), '#'));
        EXPECT_EQ(widened, Widen(written) + std::u16string(12 - written.size(), u'#'));

        // the whole text and its terminator, or nothing
        std::string const whole = text.size() < size ? text : "";
        qzStrcpy(&narrow[0], size, text.c_str());
        qzStrcpy(&widened[0], size, wide.c_str());
        if (size == 0)
            continue;
        EXPECT_EQ(std::string(narrow.c_str()), whole);
        EXPECT_EQ(std::u16string(widened.c_str()), Widen(whole));
        EXPECT_EQ(qzStrlen(narrow.c_str()), int(whole.size()));
        EXPECT_EQ(qzStrlen(widened.c_str()), int(whole.size()));
    }
    qzStrcpy(static_cast<char*>(nullptr), 4, "abc");
    qzStrncpy(static_cast<char16_t*>(nullptr), 4, u"abc", 3);

    EXPECT_EQ(qzStrcmp(static_cast<char const*>(nullptr), ""), 0);
    EXPECT_EQ(qzStrcmpNoCase(u"", static_cast<char16_t const*>(nullptr)), 0);
    char const* const alphabet = "aAzZ_[`{\xE9\xC9";
    for (int round = 0; round < 20000; ++round)
    {
        std::string const a = RandomText(random, alphabet, 5);
        std::string const b = (random() & 3) == 0 ? a : RandomText(random, alphabet, 5);
        unsigned int const n = random() % 7;
        SCOPED_TRACE(a + " | " + b + " | " + std::to_string(n));
        // results are exactly -1, 0 or 1
        auto const expected = std::make_tuple(Sign(std::strcmp(a.c_str(), b.c_str())), Sign(std::strncmp(a.c_str(), b.c_str(), n)),
                                              Sign(strcasecmp(a.c_str(), b.c_str())), Sign(strncasecmp(a.c_str(), b.c_str(), n)));
        auto const compared = [n](auto const* x, auto const* y) {
            return std::make_tuple(qzStrcmp(x, y), qzStrncmp(x, y, n), qzStrcmpNoCase(x, y), qzStrncmpNoCase(x, y, n));
        };
        ASSERT_EQ(compared(a.c_str(), b.c_str()), expected);
        ASSERT_EQ(compared(Widen(a).c_str(), Widen(b).c_str()), expected);
    }
}
