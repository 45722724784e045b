// Tests of the copy, length and comparison functions: copies that do not fit
// leave the destination empty and write nothing else, never read more than
// allowed; comparisons against the C library on random texts.
#include "foundation/QzStringCompare.h"
#include "foundation/QzStringCopy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <strings.h>
#include <vector>

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

std::string RandomText(std::mt19937& random, char const* alphabet, int maxLength)
{
    std::string text;
    std::size_t const size = std::strlen(alphabet);
    for (int i = int(random() % unsigned(maxLength + 1)); i > 0; --i)
        text += alphabet[random() % size];
    return text;
}

std::u16string Widen(std::string const& text, char16_t high)
{
    std::u16string wide;
    for (char c : text)
        wide += c == '\xE9' ? high : char16_t((unsigned char)c);
    return wide;
}

} // namespace

TEST(QzStringCopy, LengthCountsUnitsBeforeTheTerminator)
{
    EXPECT_EQ(qzStrlen("abc"), 3);
    EXPECT_EQ(qzStrlen(""), 0);
    EXPECT_EQ(qzStrlen(static_cast<char const*>(nullptr)), 0);
    EXPECT_EQ(qzStrlen(u"ab\u20ac"), 3);
    EXPECT_EQ(qzStrlen("ab\0cd"), 2);
}

TEST(QzStringCopy, CopyFitsExactlyOrLeavesTheDestinationEmpty)
{
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    qzStrcpy(buffer, 4, "abc");
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], '#');

    std::memset(buffer, '#', sizeof buffer);
    qzStrcpy(buffer, 3, "abc");
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(std::string(buffer + 1, 7), "#######");

    qzStrcpy(buffer, 1, "");
    EXPECT_EQ(buffer[0], '\0');
    buffer[0] = '#';
    qzStrcpy(buffer, 0, "");
    EXPECT_EQ(buffer[0], '#');
    qzStrcpy(static_cast<char*>(nullptr), 4, "abc");

    char16_t wide[4] = {u'#', u'#', u'#', u'#'};
    qzStrcpy(wide, 4, u"\u00e9\u20acz");
    EXPECT_EQ(std::u16string(wide), u"\u00e9\u20acz");
    qzStrcpy(wide, 3, u"\u00e9\u20acz");
    EXPECT_EQ(wide[0], 0);
    EXPECT_EQ(wide[1], u'\u20ac');
}

TEST(QzStringCopy, BoundedCopyReadsAtMostCountUnits)
{
    // no terminator within reach: the sanitizers catch a read beyond it
    std::vector<char> const unterminated = {'a', 'b', 'c'};
    char buffer[6];
    std::memset(buffer, '#', sizeof buffer);
    qzStrncpy(buffer, sizeof buffer, unterminated.data(), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], '#');

    qzStrncpy(buffer, sizeof buffer, "abcdef", 2);
    EXPECT_STREQ(buffer, "ab");
    qzStrncpy(buffer, sizeof buffer, "ab", 100);
    EXPECT_STREQ(buffer, "ab");
    qzStrncpy(buffer, sizeof buffer, "abcdef", 0);
    EXPECT_STREQ(buffer, "");

    std::memset(buffer, '#', sizeof buffer);
    qzStrncpy(buffer, 3, "abcdef", 3);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');

    std::vector<char16_t> const wideUnterminated = {u'x', u'\u20ac'};
    char16_t wide[3];
    qzStrncpy(wide, 3, wideUnterminated.data(), 2);
    EXPECT_EQ(std::u16string(wide), u"x\u20ac");
    qzStrncpy(wide, 2, wideUnterminated.data(), 2);
    EXPECT_EQ(wide[0], 0);
}

TEST(QzStringCompare, ExamplesAndUnsignedUnits)
{
    EXPECT_EQ(qzStrcmp("a", "b"), -1);
    EXPECT_EQ(qzStrcmp("b", "a"), 1);
    EXPECT_EQ(qzStrcmp("abc", "abc"), 0);
    EXPECT_EQ(qzStrcmp("\xE9", "z"), 1);
    EXPECT_EQ(qzStrcmp("ab", "abc"), -1);
    EXPECT_EQ(qzStrcmp(u"\uffff", u"z"), 1);
    EXPECT_EQ(qzStrncmp("abX", "abY", 2), 0);
    EXPECT_EQ(qzStrncmp("abX", "abY", 3), -1);
    EXPECT_EQ(qzStrcmpNoCase("HeLLo", "hello"), 0);
    // capitals fold down, so '_' (between 'Z' and 'a') sorts before letters
    EXPECT_LT(qzStrcmpNoCase("_", "A"), 0);
    EXPECT_NE(qzStrcmpNoCase("\xC9", "\xE9"), 0);
    EXPECT_EQ(qzStrncmpNoCase(u"ABcx", u"abCy", 3), 0);
    EXPECT_EQ(qzStrcmp(static_cast<char const*>(nullptr), ""), 0);
}

TEST(QzStringCompare, AgreesWithTheCLibraryOnRandomTexts)
{
    std::mt19937 random(11);
    char const* const alphabet = "aAzZ_[`{\xE9\xC9";
    for (int round = 0; round < 20000; ++round)
    {
        std::string const a = RandomText(random, alphabet, 5);
        std::string const b = (random() & 3) == 0 ? a : RandomText(random, alphabet, 5);
        unsigned int const n = random() % 7;
        SCOPED_TRACE(a + " | " + b + " | " + std::to_string(n));

        int const exact = Sign(std::strcmp(a.c_str(), b.c_str()));
        ASSERT_EQ(qzStrcmp(a.c_str(), b.c_str()), exact);
        ASSERT_EQ(Sign(qzStrncmp(a.c_str(), b.c_str(), n)), Sign(std::strncmp(a.c_str(), b.c_str(), n)));
        ASSERT_EQ(Sign(qzStrcmpNoCase(a.c_str(), b.c_str())), Sign(strcasecmp(a.c_str(), b.c_str())));
        ASSERT_EQ(Sign(qzStrncmpNoCase(a.c_str(), b.c_str(), n)),
                  Sign(strncasecmp(a.c_str(), b.c_str(), n)));

        // the wide forms order the same texts the same way, with the highest
        // byte standing for a unit above every byte
        std::u16string const wa = Widen(a, 0xFF10);
        std::u16string const wb = Widen(b, 0xFF10);
        ASSERT_EQ(qzStrcmp(wa.c_str(), wb.c_str()), exact);
        ASSERT_EQ(Sign(qzStrncmp(wa.c_str(), wb.c_str(), n)), Sign(std::strncmp(a.c_str(), b.c_str(), n)));
        ASSERT_EQ(Sign(qzStrcmpNoCase(wa.c_str(), wb.c_str())), Sign(strcasecmp(a.c_str(), b.c_str())));
        ASSERT_EQ(Sign(qzStrncmpNoCase(wa.c_str(), wb.c_str(), n)),
                  Sign(strncasecmp(a.c_str(), b.c_str(), n)));
    }
}
