// Tests of the UTF-8 / UCS-2 conversions: round trips against iconv on random
// text, sequences cut short by the terminator, the character and byte limits
// around multi-byte characters, and the ASCII widening.
#include "foundation/QzUtf8.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Random BMP text without surrogates, with every encoded length well mixed.
std::u16string RandomUcs2(std::mt19937& random, int length)
{
    std::u16string text;
    while (int(text.size()) < length)
    {
        unsigned int unit = 0;
        switch (random() % 3)
        {
        case 0: unit = 1 + random() % 0x7F; break;
        case 1: unit = 0x80 + random() % (0x800 - 0x80); break;
        default: unit = 0x800 + random() % (0x10000 - 0x800); break;
        }
        if (unit < 0xD800 || unit > 0xDFFF)
            text += char16_t(unit);
    }
    return text;
}

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

// Exactly the given bytes plus the terminator, so that reading one byte
// further is caught by the address sanitizer.
std::vector<char> Terminated(std::string const& bytes)
{
    std::vector<char> buffer(bytes.begin(), bytes.end());
    buffer.push_back('\0');
    return buffer;
}

} // namespace

TEST(QzUtf8, RoundTripsAgreeWithIconv)
{
    std::mt19937 random(31);
    for (int round = 0; round < 500; ++round)
    {
        std::u16string const text = RandomUcs2(random, 1 + int(random() % 64));
        std::string const reference = IconvToUtf8(text);

        std::string encoded(text.size() * 3, '\0');
        int const bytes = qzEncodeUCS2ToUTF8(text.c_str(), &encoded[0], -1);
        encoded.resize(std::size_t(bytes));
        ASSERT_EQ(encoded, reference);
        ASSERT_EQ(qzEncodeUCS2ToUTF8(text.c_str(), nullptr, -1), bytes);

        std::vector<char> const utf8 = Terminated(reference);
        std::u16string decoded(text.size() + 1, u'#');
        int const chars = qzDecodeUTF8ToUCS2(utf8.data(), &decoded[0], -1);
        ASSERT_EQ(chars, int(text.size()));
        ASSERT_EQ(decoded.back(), u'#'); // no terminator written
        decoded.resize(std::size_t(chars));
        ASSERT_EQ(decoded, text);
        ASSERT_EQ(qzDecodeUTF8ToUCS2(utf8.data(), nullptr, -1), chars);
    }
}

TEST(QzUtf8, DecodeExamplesAndLenientInput)
{
    char16_t out[8] = {};
    EXPECT_EQ(qzDecodeUTF8ToUCS2("\x41\xC3\xA9\xE2\x82\xAC", out, -1), 3);
    EXPECT_EQ(std::u16string(out, 3), u"A\u00e9\u20ac");
    EXPECT_EQ(qzDecodeUTF8ToUCS2("A\xF0\x9F\x98\x80", out, -1), 1);
    EXPECT_EQ(qzDecodeUTF8ToUCS2("\xF4", out, -1), 0);
    EXPECT_EQ(qzDecodeUTF8ToUCS2("", out, -1), 0);
    EXPECT_EQ(qzDecodeUTF8ToUCS2(nullptr, out, -1), 0);

    // a stray continuation byte leads a two-byte sequence, an overlong form
    // decodes, and a non-continuation byte is taken as one
    EXPECT_EQ(qzDecodeUTF8ToUCS2("\x80\x80\xC0\x80\xC3\x41", out, -1), 3);
    EXPECT_EQ(out[0], 0x0000);
    EXPECT_EQ(out[1], 0x0000);
    EXPECT_EQ(out[2], (0x03 << 6) | 0x01);
    EXPECT_EQ(qzDecodeUTF8ToUCS2("\xEF\xBF\xBF", out, -1), 1);
    EXPECT_EQ(out[0], 0xFFFF);
}

TEST(QzUtf8, DecodeNeverReadsPastATruncatedSequence)
{
    struct SCase
    {
        char const* bytes;
        int count;
    } const cases[] = {
        {"\xC3", 0}, {"A\xC3", 1}, {"\xE2", 0}, {"\xE2\x82", 0}, {"AB\xE2\x82", 2}, {"\xC3\xA9\xE2\x82", 1},
    };
    for (SCase const& c : cases)
    {
        std::vector<char> const input = Terminated(c.bytes);
        std::u16string out(4, u'#');
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), &out[0], -1), c.count) << c.bytes;
        EXPECT_EQ(out[std::size_t(c.count)], u'#') << c.bytes; // the partial character is dropped
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), nullptr, -1), c.count) << c.bytes;
    }
}

TEST(QzUtf8, DecodeStopsAtMaxChars)
{
    std::vector<char> const input = Terminated("a\xC3\xA9\xE2\x82\xAC");
    for (int maxChars = 0; maxChars <= 4; ++maxChars)
    {
        std::u16string out(5, u'#');
        int const count = qzDecodeUTF8ToUCS2(input.data(), &out[0], maxChars);
        EXPECT_EQ(count, std::min(maxChars, 3));
        EXPECT_EQ(out.substr(0, std::size_t(count)), std::u16string(u"a\u00e9\u20ac").substr(0, std::size_t(count)));
        EXPECT_EQ(out[std::size_t(count)], u'#') << maxChars;
        EXPECT_EQ(qzDecodeUTF8ToUCS2(input.data(), nullptr, maxChars), count);
    }
}

TEST(QzUtf8, EncodeKeepsOneByteFreeBehindMultiByteCharacters)
{
    std::u16string const text = u"A\u00e9\u20ac";
    // one below, at and above each multi-byte character's end
    int const expected[] = {0, 1, 1, 1, 3, 3, 3, 6, 6};
    for (int maxBytes = 0; maxBytes <= 8; ++maxBytes)
    {
        std::string out(9, '#');
        int const count = qzEncodeUCS2ToUTF8(text.c_str(), &out[0], maxBytes);
        ASSERT_EQ(count, expected[maxBytes]) << maxBytes;
        EXPECT_EQ(out.substr(0, std::size_t(count)), std::string("\x41\xC3\xA9\xE2\x82\xAC").substr(0, std::size_t(count)));
        EXPECT_EQ(out.substr(std::size_t(count)), std::string(9 - std::size_t(count), '#')) << maxBytes;
        EXPECT_EQ(qzEncodeUCS2ToUTF8(text.c_str(), nullptr, maxBytes), count);
    }
    // a one-byte character may take the last byte of the limit
    char two[2];
    EXPECT_EQ(qzEncodeUCS2ToUTF8(u"AB", two, 2), 2);
    EXPECT_EQ(std::string(two, 2), "AB");

    // surrogate units are plain three-byte characters
    char out[3];
    EXPECT_EQ(qzEncodeUCS2ToUTF8(u"\xD800", out, -1), 3);
    EXPECT_EQ(std::string(out, 3), "\xED\xA0\x80");
    EXPECT_EQ(qzEncodeUCS2ToUTF8(u"", out, -1), 0);
    EXPECT_EQ(qzEncodeUCS2ToUTF8(nullptr, out, -1), 0);
}

TEST(QzUtf8, AsciiWideningAlwaysTerminates)
{
    char16_t out[4] = {u'#', u'#', u'#', u'#'};
    qzConvertASCIIToUCS2("abc", out, 2);
    EXPECT_EQ(out[0], u'a');
    EXPECT_EQ(out[1], u'b');
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], u'#');

    qzConvertASCIIToUCS2("\xE9z\xFF", out, -1);
    EXPECT_EQ(std::u16string(out), u"\u00e9z\u00ff");
    qzConvertASCIIToUCS2("abc", out, 0);
    EXPECT_EQ(out[0], 0);
    qzConvertASCIIToUCS2(nullptr, out, -1);
    EXPECT_EQ(out[0], 0);
    qzConvertASCIIToUCS2("abc", nullptr, -1);
}
