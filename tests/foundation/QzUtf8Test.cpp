// Tests of the UTF-8 / UCS-2 conversions against iconv at every limit, of
// lenient and truncated input never read past its end, and of ASCII widening.
#include "foundation/QzUtf8.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string IconvToUtf8(std::u16string text)
{
    iconv_t const converter = iconv_open("UTF-8", "UTF-16LE");
    std::string output(text.size() * 3 + 1, '\0');
    char* in = reinterpret_cast<char*>(&text[0]);
    char* out = &output[0];
    std::size_t inLeft = text.size() * 2, outLeft = output.size();
    EXPECT_NE(iconv(converter, &in, &inLeft, &out, &outLeft), (std::size_t)-1);
    iconv_close(converter);
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

TEST(QzUtf8, AgreesWithIconvAtEveryLimitDecodesLenientInputAndWidensAscii)
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
        // exactly the bytes and a terminator: the sanitizer catches a read beyond
        std::vector<char> const input(utf8.c_str(), utf8.c_str() + utf8.size() + 1);
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
    char surrogate[3];
    EXPECT_EQ(qzEncodeUCS2ToUTF8(u"\xD800", surrogate, -1), 3);
    EXPECT_EQ(std::string(surrogate, 3), "\xED\xA0\x80");
    EXPECT_TRUE(qzEncodeUCS2ToUTF8(u"", surrogate, -1) == 0 && qzEncodeUCS2ToUTF8(nullptr, surrogate, -1) == 0);

    std::pair<char const*, std::u16string> const cases[] = {
        // a byte 0xF0 or above ends the text
        {"A\xF0\x9F\x98\x80", u"A"}, {"\xF4", u""}, {"", u""},
        // stray continuation bytes lead, overlong forms decode, any byte continues
        {"\x80\x80\xC0\x80\xC3\x41", {0, 0, 0xC1}}, {"\xEF\xBF\xBF", u"\uffff"},
        // a sequence cut by the terminator is dropped
        {"\xC3", u""}, {"A\xC3", u"A"}, {"\xE2\x82", u""}, {"AB\xE2\x82", u"AB"}, {"\xC3\xA9\xE2", u"\u00e9"},
    };
    for (auto const& [bytes, units] : cases)
    {
        std::vector<char> const input(bytes, bytes + std::strlen(bytes) + 1);
        std::u16string out(4, u'#');
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), &out[0], -1), int(units.size())) << bytes;
        EXPECT_EQ(out, units + std::u16string(4 - units.size(), u'#')) << bytes;
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), nullptr, -1), int(units.size())) << bytes;
    }
    EXPECT_EQ(qzDecodeUTF8ToUCS2(nullptr, nullptr, -1), 0);

    // ASCII widening always terminates
    char16_t widened[4] = {u'#', u'#', u'#', u'#'};
    qzConvertASCIIToUCS2("abc", widened, 2);
    EXPECT_EQ(std::u16string(widened, 4), std::u16string(u"ab\0#", 4));
    qzConvertASCIIToUCS2("\xE9z\xFF", widened, -1);
    EXPECT_EQ(std::u16string(widened), u"\u00e9z\u00ff");
    qzConvertASCIIToUCS2(nullptr, widened, -1);
    EXPECT_EQ(widened[0], 0);
    qzConvertASCIIToUCS2("abc", nullptr, -1);
}
