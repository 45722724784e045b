// Tests of TQzString: empty strings hold no memory, copies are deep, texts
// that alias the string's own block, SetLength/Append, and FindLast and
// EndsWith against brute force over every position.
#include "foundation/QzString.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
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

} // namespace

TEST(QzString, EmptyCopiedAliasedAndResizedTexts)
{
    EXPECT_EQ(CString::EMPTY[0], '\0');
    EXPECT_EQ(WString::STR_EMPTY.GetCString(), WString::EMPTY);
    for (CString const& empty : {CString(""), CString(nullptr), CString(), CString(CString::STR_EMPTY)})
    {
        EXPECT_EQ(empty.GetCString(), CString::EMPTY);
        EXPECT_EQ(empty.GetLength(), 0);
    }

    CString s("abcdef");
    CString const copy(s);
    CString assigned;
    assigned = s;
    EXPECT_NE(copy.GetCString(), s.GetCString());
    EXPECT_NE(assigned.GetCString(), s.GetCString());
    s = s.GetCString() + 2; // from inside its own block
    CString& alias = s;
    s = alias;
    EXPECT_STREQ(s.GetCString(), "cdef");
    EXPECT_STREQ(copy.GetCString(), "abcdef");
    EXPECT_STREQ(assigned.GetCString(), "abcdef");

    s.SetLength(3);
    EXPECT_STREQ(s.GetCString(), "cde");
    s.SetLength(10); // the text stays, the tail is zero
    EXPECT_EQ(s.GetLength(), 3);
    for (int i = 3; i <= 10; ++i)
        EXPECT_EQ(s.GetCString()[i], '\0') << i;
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
}

// FindLast: the first occurrence at or after start if there is one, else
// the last one before start; EndsWith: an occurrence that ends the text.
TEST(QzString, FindLastAndEndsWithAgreeWithBruteForce)
{
    EXPECT_EQ(CString("a/b/c").FindLast("/"), 3);
    EXPECT_EQ(CString("abc").FindLast(nullptr), -1);
    EXPECT_FALSE(CString("abc").EndsWith(nullptr));
    std::mt19937 random(7);
    auto randomText = [&](std::size_t most) {
        std::string text(random() % (most + 1), ' ');
        for (char& c : text)
            c = "abAB/"[random() % 5];
        return text;
    };
    for (int round = 0; round < 20000; ++round)
    {
        std::string const text = randomText(11);
        std::string const needle = randomText(3);
        int const start = int(random() % (text.size() + 3)) - 2;
        bool const caseSensitive = (random() & 1) != 0;
        std::string const haystack = caseSensitive ? text : Lower(text);
        std::string const pattern = caseSensitive ? needle : Lower(needle);
        int const from = start == -1 ? int(text.size()) - 1 : start;
        std::vector<int> at;
        for (std::size_t p = 0; p + needle.size() <= text.size(); ++p)
            if (haystack.compare(p, needle.size(), pattern) == 0)
                at.push_back(int(p));
        int expected = -1;
        if (from >= 0 && from < int(text.size()))
            for (int p : at)
                if (p < from || expected < from)
                    expected = p;
        SCOPED_TRACE('"' + text + "\" \"" + needle + "\" " + std::to_string(start));
        ASSERT_EQ(CString(text.c_str()).FindLast(needle.c_str(), start, caseSensitive), expected);
        std::u16string const wideText(text.begin(), text.end()), wideNeedle(needle.begin(), needle.end());
        ASSERT_EQ(WString(wideText.c_str()).FindLast(wideNeedle.c_str(), start, caseSensitive), expected);
        bool const ends = text.size() >= needle.size() &&
                          text.compare(text.size() - needle.size(), needle.size(), needle) == 0;
        ASSERT_EQ(CString(text.c_str()).EndsWith(needle.c_str()), ends);
    }
}
