// Tests of the UTF-8 / UCS-2 conversions: random text against iconv at every
// character and byte limit, lenient and truncated input that must not be
// read past its terminator, and the ASCII widening.
#include "foundation/QzUtf8.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

std::string IconvToUtf8(std::u16string const& text)
{
    iconv_t const converter = iconv_open("UTF-8", "UTF-16LE");
    EXPECT_NE(converter, (iconv_t)-1);
    std::string input(reinterpret_cast<char const*>(text.data()), text.size() * 2);
    std::string output(text.size() * 3 + 1, '\0');
    char* in = &input[0];
    char* out = &output[0];
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    EXPECT_NE(iconv(converter, &in, &inLeft, &out, &outLeft), (std::size_t)-1);
    iconv_close(converter);
    output.resize(output.size() - outLeft);
    return output;
}

// Exactly the bytes and a terminator: the sanitizer catches a read beyond.
std::vector<char> Terminated(std::string const& bytes)
{
    std::vector<char> buffer(bytes.begin(), bytes.end());
    buffer.push_back('\0');
    return buffer;
}

} // namespace

TEST(QzUtf8, AgreesWithIconvAtEveryLimit)
{
    unsigned int const kTops[] = {0x80, 0x800, 0x10000};
    std::mt19937 random(31);
    for (int round = 0; round < 200; ++round)
    {
        // BMP text without surrogates, every encoded length well mixed
        // the first text holds the units on either side of each length change
        std::u16string text = round == 0 ? u"\u007f\u0080\u07ff\u0800\uffff\u0001" : u"";
        for (int length = 1 + int(random() % 40); int(text.size()) < length;)
        {
            unsigned int const top = kTops[random() % 3];
            unsigned int const unit = 1 + random() % (top - 1);
            if (unit < 0xD800 || unit > 0xDFFF)
                text += char16_t(unit);
        }
        std::string const utf8 = IconvToUtf8(text);
        std::vector<char> const input = Terminated(utf8);
        std::vector<std::string> characters;
        for (char16_t unit : text)
            characters.push_back(IconvToUtf8(std::u16string(1, unit)));
        for (int limit = -1; limit <= int(utf8.size()) + 1; ++limit)
        {
            // a multi-byte character needs one byte of the limit free behind it
            std::string expected;
            for (std::string const& one : characters)
            {
                if (limit != -1 && int(expected.size() + one.size()) + (one.size() > 1 ? 1 : 0) > limit)
                    break;
                expected += one;
            }
            std::string encoded(utf8.size() + 1, '#');
            ASSERT_EQ(qzEncodeUCS2ToUTF8(text.c_str(), &encoded[0], limit), int(expected.size())) << limit;
            ASSERT_EQ(encoded, expected + std::string(encoded.size() - expected.size(), '#')) << limit;
            ASSERT_EQ(qzEncodeUCS2ToUTF8(text.c_str(), nullptr, limit), int(expected.size()));

            std::size_t const chars = limit == -1 ? text.size() : std::min(text.size(), std::size_t(limit));
            std::u16string decoded(text.size() + 1, u'#');
            ASSERT_EQ(qzDecodeUTF8ToUCS2(input.data(), &decoded[0], limit), int(chars)) << limit;
            ASSERT_EQ(decoded, text.substr(0, chars) + std::u16string(decoded.size() - chars, u'#')) << limit;
            ASSERT_EQ(qzDecodeUTF8ToUCS2(input.data(), nullptr, limit), int(chars));
        }
    }
    // surrogate units are plain three-byte characters
    char out[3];
    EXPECT_EQ(qzEncodeUCS2ToUTF8(u"\xD800", out, -1), 3);
    EXPECT_EQ(std::string(out, 3), "\xED\xA0\x80");
    EXPECT_EQ(qzEncodeUCS2ToUTF8(u"", out, -1), 0);
    EXPECT_EQ(qzEncodeUCS2ToUTF8(nullptr, out, -1), 0);
}

TEST(QzUtf8, DecodesLenientAndTruncatedInputWithoutReadingPastIt)
{
    struct SCase
    {
        char const* bytes;
        std::u16string units;
    } const cases[] = {
        // a byte 0xF0 or above ends the text
        {"A\xF0\x9F\x98\x80", u"A"}, {"\xF4", u""}, {"", u""},
        // stray continuation bytes lead, overlong forms decode, any byte continues
        {"\x80\x80\xC0\x80\xC3\x41", {0, 0, 0xC1}}, {"\xEF\xBF\xBF", u"\uffff"},
        // a sequence cut by the terminator is dropped
        {"\xC3", u""}, {"A\xC3", u"A"}, {"\xE2\x82", u""}, {"AB\xE2\x82", u"AB"}, {"\xC3\xA9\xE2", u"\u00e9"},
    };
    for (SCase const& c : cases)
    {
        std::vector<char> const input = Terminated(c.bytes);
        std::u16string out(4, u'#');
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), &out[0], -1), int(c.units.size())) << c.bytes;
        EXPECT_EQ(out, c.units + std::u16string(4 - c.units.size(), u'#')) << c.bytes;
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), nullptr, -1), int(c.units.size())) << c.bytes;
    }
    EXPECT_EQ(qzDecodeUTF8ToUCS2(nullptr, nullptr, -1), 0);
}

TEST(QzUtf8, AsciiWideningAlwaysTerminates)
{
    char16_t out[4] = {u'#', u'#', u'#', u'#'};
    qzConvertASCIIToUCS2("abc", out, 2);
    EXPECT_EQ(std::u16string(out, 4), std::u16string(u"ab\0#", 4));
    qzConvertASCIIToUCS2("\xE9z\xFF", out, -1);
    EXPECT_EQ(std::u16string(out), u"\u00e9z\u00ff");
    qzConvertASCIIToUCS2(nullptr, out, -1);
    EXPECT_EQ(out[0], 0);
    qzConvertASCIIToUCS2("abc", nullptr, -1);
}
