// Tests of the length, copy and comparison functions against the C library
// on random texts in both widths: copies that do not fit leave the
// destination empty, write nothing else and never read beyond the count.
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

TEST(QzStringCopy, CopiesFitOrLeaveTheDestinationEmpty)
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

        char narrow[12];
        char16_t widened[12];
        std::memset(narrow, '#', sizeof narrow);
        std::fill(widened, widened + 12, u'#');
        qzStrncpy(narrow, size, source.data(), count);
        qzStrncpy(widened, size, wideSource.data(), count);
        std::size_t const written = size == 0 ? 0 : expected.size() + 1;
        EXPECT_EQ(std::string(narrow, 12), (size == 0 ? "" : expected + '\0') + std::string(12 - written, '#'));
        EXPECT_EQ(std::u16string(widened, 12), (size == 0 ? u"" : Widen(expected) + u'\0') + std::u16string(12 - written, u'#'));

        // the whole text and its terminator, or nothing
        std::string const whole = text.size() < size ? text : "";
        qzStrcpy(narrow, size, text.c_str());
        qzStrcpy(widened, size, wide.c_str());
        if (size > 0)
        {
            EXPECT_EQ(std::string(narrow), whole);
            EXPECT_EQ(std::u16string(widened), Widen(whole));
            EXPECT_EQ(qzStrlen(narrow), int(whole.size()));
            EXPECT_EQ(qzStrlen(widened), int(whole.size()));
        }
    }
    qzStrcpy(static_cast<char*>(nullptr), 4, "abc");
    qzStrncpy(static_cast<char16_t*>(nullptr), 4, u"abc", 3);
}

TEST(QzStringCompare, AgreesWithTheCLibraryOnRandomTexts)
{
    EXPECT_EQ(qzStrcmp(static_cast<char const*>(nullptr), ""), 0);
    EXPECT_EQ(qzStrcmpNoCase(u"", static_cast<char16_t const*>(nullptr)), 0);
    std::mt19937 random(11);
    char const* const alphabet = "aAzZ_[`{\xE9\xC9";
    for (int round = 0; round < 20000; ++round)
    {
        std::string const a = RandomText(random, alphabet, 5);
        std::string const b = (random() & 3) == 0 ? a : RandomText(random, alphabet, 5);
        unsigned int const n = random() % 7;
        SCOPED_TRACE(a + " | " + b + " | " + std::to_string(n));
        int const exact = Sign(std::strcmp(a.c_str(), b.c_str()));
        int const exactN = Sign(std::strncmp(a.c_str(), b.c_str(), n));
        int const folded = Sign(strcasecmp(a.c_str(), b.c_str()));
        int const foldedN = Sign(strncasecmp(a.c_str(), b.c_str(), n));
        std::u16string const wa = Widen(a), wb = Widen(b);
        // results are exactly -1, 0 or 1
        ASSERT_EQ(qzStrcmp(a.c_str(), b.c_str()), exact);
        ASSERT_EQ(qzStrncmp(a.c_str(), b.c_str(), n), exactN);
        ASSERT_EQ(qzStrcmpNoCase(a.c_str(), b.c_str()), folded);
        ASSERT_EQ(qzStrncmpNoCase(a.c_str(), b.c_str(), n), foldedN);
        ASSERT_EQ(qzStrcmp(wa.c_str(), wb.c_str()), exact);
        ASSERT_EQ(qzStrncmp(wa.c_str(), wb.c_str(), n), exactN);
        ASSERT_EQ(qzStrcmpNoCase(wa.c_str(), wb.c_str()), folded);
        ASSERT_EQ(qzStrncmpNoCase(wa.c_str(), wb.c_str(), n), foldedN);
    }
}
