// Tests of the number conversions in both widths against the C library and
// std::regex on random texts, also under a comma-decimal locale.
#include "foundation/QzStringNumbers.h"

#include "support/QzCommaLocale.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <tuple>

namespace {

std::u16string Widen(std::string const& text) { return std::u16string(text.begin(), text.end()); }

// A text of parts drawn at random: blanks, signs, prefixes, digits...
std::string RandomText(std::mt19937& random, std::initializer_list<char const*> parts, int most)
{
    std::string text;
    for (int i = int(random() % unsigned(most + 1)); i > 0; --i)
        text += parts.begin()[random() % parts.size()];
    return text;
}

// strtoul on 32 bits: magnitudes beyond them give 0xFFFFFFFF.
unsigned int ExpectedU32(std::string const& text)
{
    errno = 0;
    unsigned long const value = std::strtoul(text.c_str(), nullptr, 10);
    std::size_t const first = text.find_first_not_of(" \t\n\v\f\r");
    unsigned long const magnitude = first != std::string::npos && text[first] == '-' ? 0 - value : value;
    return errno == ERANGE || magnitude > UINT_MAX ? UINT_MAX : (unsigned int)value;
}

} // namespace

TEST(QzStringNumbers, IntegersAgreeWithTheCLibraryInBothWidths)
{
    EXPECT_EQ(qzStringToS64(" -0X1f"), -31);
    EXPECT_EQ(qzStringToS32(u"  42\u0663"), 42);
    EXPECT_EQ(qzStringToS32(static_cast<char const*>(nullptr)), 0);
    char const* const edges[] = {"2147483648", "-2147483649", "4294967296", "9223372036854775808",
                                 "-9223372036854775809", "-9223372036854775808", "0x8000000000000000", "99999999999999999999999"};
    std::mt19937 random(21);
    for (std::size_t round = 0; round < 30000; ++round)
    {
        std::string text = RandomText(random, {"", " ", "\t", "\n \v", "\f\r"}, 1);
        text += RandomText(random, {"", "-", "+", "+-", "--"}, 1);
        text += RandomText(random, {"", "0", "0x", "0X", "00", "x"}, 1);
        text += RandomText(random, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "7", "9", "a", "f", "A",
                                    "F", "g", "x", " 12"},
                           23);
        if (round < std::size(edges))
            text = edges[round];
        long long const decimal = std::strtoll(text.c_str(), nullptr, 10);
        int const s32 = decimal > INT_MAX ? INT_MAX : decimal < INT_MIN ? INT_MIN : int(decimal);
        unsigned int const u32 = ExpectedU32(text);
        long long s64 = 0;
        std::sscanf(text.c_str(), "%lli", &s64);
        auto const expected = std::make_tuple(s32, u32, s64, (unsigned long long)s64);
        auto const converted = [](auto const* t) {
            return std::make_tuple(qzStringToS32(t), qzStringToU32(t), qzStringToS64(t), qzStringToU64(t));
        };
        ASSERT_EQ(converted(text.c_str()), expected) << text;
        ASSERT_EQ(converted(Widen(text).c_str()), expected) << text;
    }
}

TEST(QzStringNumbers, FloatsAgreeWithAtofAndPrintfInBothWidthsAndUnderACommaLocale)
{
    EXPECT_EQ(qzStringToDouble(u"2.5\u00e9"), 2.5);
    EXPECT_EQ(qzStringToDouble(static_cast<char const*>(nullptr)), 0.0);
    std::mt19937 random(22);
    for (int round = 0; round < 20000; ++round)
    {
        std::string const text =
            RandomText(random, {"1", "7", "0", "9", ".", "e", "E", "-", "+", " ", "inf", "nan", "x"}, 11);
        double const expected = std::atof(text.c_str());
        std::u16string const wide = Widen(text);
        auto same = [](double actual, double wanted) { return std::isnan(wanted) ? std::isnan(actual) : actual == wanted; };
        ASSERT_TRUE(same(qzStringToDouble(text.c_str()), expected) && same(qzStringToDouble(wide.c_str()), expected))
            << text;
        ASSERT_TRUE(same(qzStringToFloat(text.c_str()), float(expected)) && same(qzStringToFloat(wide.c_str()), float(expected)))
            << text;
    }

    // numbers to text as printf writes them, in rooms just large enough
    for (int round = 0; round < 2000; ++round)
    {
        int const value = round < 2 ? (round == 0 ? INT_MIN : INT_MAX) : int(random());
        float const f = round < 2 ? (round == 0 ? -FLT_MAX : FLT_MIN)
                                  : std::ldexp(float(int(random())) / 1e5f, int(random() % 200) - 100);
        char expected[128], narrow[12], narrowFloat[48];
        char16_t wide[12], wideFloat[48];
        std::snprintf(expected, sizeof expected, "%d %f", value, double(f));
        qzIntToString(value, narrow);
        qzIntToString(value, wide);
        qzFloatToString(f, narrowFloat);
        qzFloatToString(f, wideFloat);
        ASSERT_EQ(std::string(narrow) + ' ' + narrowFloat, expected);
        ASSERT_EQ(std::u16string(wide) + u' ' + wideFloat, Widen(expected));
    }
    qzFloatToString(1.5f, static_cast<char16_t*>(nullptr));
    qzIntToString(1, static_cast<char*>(nullptr));

    // a game that sets a German locale for its UI still reads and writes its
    // data files with a decimal point
    qztest::CCommaDecimalLocale const german;
    ASSERT_EQ(german.Failure(), "");
    EXPECT_EQ(qzStringToFloat("1.5"), 1.5f);
    EXPECT_EQ(qzStringToDouble(u"3.75"), 3.75);
    char narrow[48];
    qzFloatToString(1.5f, narrow);
    EXPECT_STREQ(narrow, "1.500000");
}

TEST(QzStringNumbers, HexIsPositionalAndIsIntIsFloatFollowTheirGrammar)
{
    EXPECT_EQ(qzStringHexToU32("0x1F"), 31u);
    EXPECT_EQ(qzStringHexToU32("1F "), 496u);
    EXPECT_EQ(qzStringHexToU32(static_cast<char const*>(nullptr)), 0u);
    EXPECT_FALSE(qzIsInt(nullptr) || qzIsFloat(nullptr));
    std::regex const integer("-?[0-9]+");
    std::regex const decimal("-?[0-9]*\\.[0-9]*");
    std::mt19937 random(24);
    for (int round = 0; round < 20000; ++round)
    {
        // every unit that is no hex digit weighs as a 0 digit; only the last
        // eight units reach below 2^32
        std::string const hex = RandomText(random, {"0", "9", "a", "f", "A", "F", "x", "g", " ", "-", "7"}, 12);
        std::string digits = hex.substr(hex.size() < 8 ? 0 : hex.size() - 8);
        for (char& c : digits)
            c = std::isxdigit((unsigned char)c) ? c : '0';
        unsigned long long const expected = std::strtoull(("0" + digits).c_str(), nullptr, 16);
        ASSERT_EQ(qzStringHexToU32(hex.c_str()), expected) << hex;
        ASSERT_EQ(qzStringHexToU32(Widen(hex).c_str()), expected) << hex;

        std::string const text = RandomText(random, {"-", ".", "0", "1", "9", "+", "e", " ", "\xE9"}, 5);
        ASSERT_EQ(qzIsInt(text.c_str()), std::regex_match(text, integer)) << text;
        ASSERT_EQ(qzIsFloat(text.c_str()), std::regex_match(text, decimal)) << text;
    }
}
