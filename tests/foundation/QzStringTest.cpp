// Tests of TQzString: empty strings hold no memory, copies are deep, texts
// that alias the string's own block, SetLength/Append and FindLast's order.
#include "foundation/QzString.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using CString = TQzString<char>;
using WString = TQzString<qzwchar_t>;

std::string AsciiLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return text;
}

// FindLast as its steps read: forward searches from start down to 0.
int ModelFindLast(std::string text, char const* needle, int start, bool caseSensitive)
{
    int const length = int(text.size());
    if (start == -1)
        start = length - 1;
    if (needle == nullptr || start >= length)
        return -1;
    std::string pattern = needle;
    if (!caseSensitive)
    {
        text = AsciiLower(text);
        pattern = AsciiLower(pattern);
    }
    for (int p = start; p >= 0; --p)
    {
        std::size_t const found = text.find(pattern, std::size_t(p));
        if (found != std::string::npos)
            return int(found);
    }
    return -1;
}

std::string RandomText(std::mt19937& random, int length, char const* alphabet)
{
    std::string text;
    std::size_t const size = std::char_traits<char>::length(alphabet);
    for (int i = 0; i < length; ++i)
        text += alphabet[random() % size];
    return text;
}

} // namespace

TEST(QzString, EmptyStringsHoldNoMemoryAndReadAsEmpty)
{
    ASSERT_NE(CString::EMPTY, nullptr);
    EXPECT_EQ(CString::EMPTY[0], '\0');
    ASSERT_NE(WString::EMPTY, nullptr);
    EXPECT_EQ(WString::EMPTY[0], 0);
    EXPECT_EQ(CString::STR_EMPTY.GetCString(), CString::EMPTY);
    EXPECT_EQ(WString::STR_EMPTY.GetCString(), WString::EMPTY);

    CString const fromEmpty("");
    CString const fromNull(static_cast<char const*>(nullptr));
    CString const byDefault;
    for (CString const* s : {&fromEmpty, &fromNull, &byDefault})
    {
        EXPECT_EQ(s->GetCString(), CString::EMPTY);
        EXPECT_EQ(s->GetLength(), 0);
    }

    CString assigned("abc");
    assigned = "";
    EXPECT_EQ(assigned.GetCString(), CString::EMPTY);
    CString copied(fromEmpty);
    EXPECT_EQ(copied.GetCString(), CString::EMPTY);
}

TEST(QzString, CopiesAreDeepInBothWidths)
{
    CString original("name");
    CString copy(original);
    CString assigned;
    assigned = original;
    EXPECT_NE(copy.GetCString(), original.GetCString());
    EXPECT_NE(assigned.GetCString(), original.GetCString());
    original.ToLower();
    original.Append("x");
    EXPECT_STREQ(copy.GetCString(), "name");
    EXPECT_STREQ(assigned.GetCString(), "name");

    qzwchar_t const wide[] = {u'A', 0x00E9, 0x20AC, 0xFFFF, 0};
    WString w(wide);
    WString wcopy(w);
    EXPECT_NE(wcopy.GetCString(), w.GetCString());
    EXPECT_EQ(wcopy.GetLength(), 4);
    EXPECT_EQ(std::u16string(wcopy.GetCString()), std::u16string(wide));
    w = u"z";
    EXPECT_EQ(std::u16string(wcopy.GetCString()), std::u16string(wide));
    EXPECT_EQ(std::u16string(w.GetCString()), u"z");
}

TEST(QzString, AssignmentFromItsOwnTextOrItself)
{
    CString s("abcdef");
    s = s.GetCString() + 2;
    EXPECT_STREQ(s.GetCString(), "cdef");
    s = s.GetCString();
    EXPECT_STREQ(s.GetCString(), "cdef");
    CString& alias = s;
    s = alias;
    EXPECT_STREQ(s.GetCString(), "cdef");
}

TEST(QzString, SetLengthCutsOrKeepsTheTextWithZeroTail)
{
    CString s("abcdef");
    s.SetLength(3);
    EXPECT_STREQ(s.GetCString(), "abc");
    EXPECT_EQ(s.GetLength(), 3);

    s.SetLength(10);
    EXPECT_EQ(s.GetLength(), 3);
    for (int i = 3; i <= 10; ++i)
        EXPECT_EQ(s.GetCString()[i], '\0') << i;

    // the text, not the block, decides where Append writes
    s.Append("de");
    EXPECT_STREQ(s.GetCString(), "abcde");

    s.SetLength(0);
    EXPECT_EQ(s.GetCString(), CString::EMPTY);

    CString empty;
    empty.SetLength(2);
    EXPECT_NE(empty.GetCString(), CString::EMPTY);
    EXPECT_EQ(empty.GetLength(), 0);
}

TEST(QzString, AppendToItselfAndFromInsideItself)
{
    CString s("abc");
    s.Append(s);
    EXPECT_STREQ(s.GetCString(), "abcabc");
    s.Append(s.GetCString() + 4);
    EXPECT_STREQ(s.GetCString(), "abcabcbc");
    s.Append(static_cast<char const*>(nullptr));
    s.Append("");
    s.Append(CString::STR_EMPTY);
    EXPECT_STREQ(s.GetCString(), "abcabcbc");

    CString empty;
    empty.Append(empty);
    EXPECT_EQ(empty.GetCString(), CString::EMPTY);
    empty.Append("xy");
    EXPECT_STREQ(empty.GetCString(), "xy");

    WString w(u"ab");
    w.Append(w);
    w.Append(u"\u00e9");
    EXPECT_EQ(std::u16string(w.GetCString()), u"abab\u00e9");
}

TEST(QzString, EndsWithIsCaseSensitiveAndLengthAware)
{
    EXPECT_TRUE(CString("a.txt").EndsWith("txt"));
    EXPECT_FALSE(CString("a.TXT").EndsWith("txt"));
    EXPECT_FALSE(CString("xt").EndsWith("txt"));
    EXPECT_TRUE(CString("txt").EndsWith("txt"));
    EXPECT_FALSE(CString("a.txtx").EndsWith("txt"));
    EXPECT_TRUE(CString("abc").EndsWith(""));
    EXPECT_TRUE(CString().EndsWith(""));
    EXPECT_FALSE(CString().EndsWith("a"));
    EXPECT_FALSE(CString("abc").EndsWith(nullptr));
}

TEST(QzString, ToLowerFoldsOnlyAsciiCapitals)
{
    CString s("AZaz@[`{09\xC0\xC9\xDE");
    s.ToLower();
    EXPECT_STREQ(s.GetCString(), "azaz@[`{09\xC0\xC9\xDE");

    qzwchar_t const wide[] = {u'Q', 0x00C0, 0x0410, u'[', 0};
    WString w(wide);
    w.ToLower();
    qzwchar_t const lowered[] = {u'q', 0x00C0, 0x0410, u'[', 0};
    EXPECT_EQ(std::u16string(w.GetCString()), std::u16string(lowered));

    CString empty;
    empty.ToLower();
    EXPECT_EQ(empty.GetCString(), CString::EMPTY);
}

TEST(QzString, FindLastExamples)
{
    EXPECT_EQ(CString("a/b/c").FindLast("/"), 3);
    EXPECT_EQ(CString("abc").FindLast("/"), -1);
    EXPECT_EQ(CString().FindLast("/"), -1);
    EXPECT_EQ(CString("a/bcd").FindLast("/", 3), 1);
    // an occurrence after start wins over the ones before it
    EXPECT_EQ(CString("a/b/c").FindLast("/", 2), 3);
    EXPECT_EQ(CString("a/b/c").FindLast("b/c", 0), 2);
    EXPECT_EQ(CString("abc").FindLast("", 1), 1);
    EXPECT_EQ(CString("abc").FindLast(nullptr), -1);
    EXPECT_EQ(CString("abc").FindLast("c", 3), -1);
    EXPECT_EQ(CString("aXbxc").FindLast("x", -1, false), 3);
    EXPECT_EQ(CString("aXbxc").FindLast("X", -1, true), 1);
    EXPECT_EQ(WString(u"a/b/c").FindLast(u"/"), 3);
}

TEST(QzString, FindLastMatchesTheForwardSearchModel)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round)
    {
        std::string const text = RandomText(random, int(random() % 12), "abAB/");
        std::string const needle = RandomText(random, int(random() % 4), "abAB/");
        int const start = int(random() % (text.size() + 3)) - 2;
        bool const caseSensitive = (random() & 1) != 0;
        CString const s(text.c_str());
        ASSERT_EQ(s.FindLast(needle.c_str(), start, caseSensitive),
                  ModelFindLast(text, needle.c_str(), start, caseSensitive))
            << '"' << text << "\" \"" << needle << "\" " << start << ' ' << caseSensitive;

        std::u16string const wideText(text.begin(), text.end());
        std::u16string const wideNeedle(needle.begin(), needle.end());
        ASSERT_EQ(WString(wideText.c_str()).FindLast(wideNeedle.c_str(), start, caseSensitive),
                  ModelFindLast(text, needle.c_str(), start, caseSensitive));
    }
}
