// Tests of the number conversions against the C library (atoi, strtoul,
// sscanf "%lli", atof, snprintf) on edge and random texts, in both widths,
// and of the positional hex reader and the integer/float text tests; and
// that a comma-decimal locale set by the process changes none of them.
#include "foundation/QzStringNumbers.h"

#include "support/QzCommaLocale.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <regex>
#include <string>

namespace {

std::u16string Widen(std::string const& text)
{
    std::u16string wide;
    for (char c : text)
        wide += char16_t((unsigned char)c);
    return wide;
}

int ExpectedS32(std::string const& text)
{
    long long const value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    EXPECT_EQ(std::atoi(text.c_str()), int(value)) << text;
    return int(value);
}

// strtoul on 32 bits: magnitudes beyond them give 0xFFFFFFFF.
unsigned int ExpectedU32(std::string const& text)
{
    errno = 0;
    unsigned long const value = std::strtoul(text.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return UINT_MAX;
    std::size_t const first = text.find_first_not_of(" \t\n\v\f\r");
    bool const negative = first != std::string::npos && text[first] == '-';
    unsigned long const magnitude = negative ? 0 - value : value;
    return magnitude > UINT_MAX ? UINT_MAX : (unsigned int)value;
}

long long ExpectedS64(std::string const& text)
{
    long long value = 0;
    return std::sscanf(text.c_str(), "%lli", &value) == 1 ? value : 0;
}

// Blanks, signs, prefixes and digits of every base, often nonsensical.
std::string RandomNumberText(std::mt19937& random)
{
    static char const* const blanks[] = {"", "", " ", "\t", "\n \v", "\f\r"};
    static char const* const signs[] = {"", "", "-", "+", "+-", "--"};
    static char const* const prefixes[] = {"", "", "0", "0x", "0X", "00", "x"};
    static char const* const digits = "0123456789012345678901234567890123456789abcdefABCDEFgx";
    std::string text = blanks[random() % 6];
    text += signs[random() % 6];
    text += prefixes[random() % 7];
    int const count = int(random() % 24);
    for (int i = 0; i < count; ++i)
        text += digits[random() % std::strlen(digits)];
    if (random() % 4 == 0)
        text += " 12";
    return text;
}

std::string RandomFloatText(std::mt19937& random)
{
    static char const* const parts[] = {"1", "7", "0", "9", ".", "e", "E", "-", "+", " ", "inf", "nan", "x"};
    std::string text;
    int const count = int(random() % 12);
    for (int i = 0; i < count; ++i)
        text += parts[random() % 13];
    return text;
}

void ExpectSameDouble(double actual, double expected, std::string const& text)
{
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual)) << text;
    else
        EXPECT_EQ(actual, expected) << text;
}

} // namespace

TEST(QzStringNumbers, IntegerExamples)
{
    EXPECT_EQ(qzStringToS64("010"), 8);
    EXPECT_EQ(qzStringToS64("0x10"), 16);
    EXPECT_EQ(qzStringToS64(" -0X1f"), -31);
    EXPECT_EQ(qzStringToS32("010"), 10);
    EXPECT_EQ(qzStringToS32("  -2147483648"), INT_MIN);
    EXPECT_EQ(qzStringToS32("2147483648"), INT_MAX);
    EXPECT_EQ(qzStringToS32("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(qzStringToU32("4294967295"), 4294967295u);
    EXPECT_EQ(qzStringToU32("4294967296"), UINT_MAX);
    EXPECT_EQ(qzStringToU32("-1"), UINT_MAX);
    EXPECT_EQ(qzStringToU32("-2"), UINT_MAX - 1);
    EXPECT_EQ(qzStringToU64("-1"), ULLONG_MAX);
    EXPECT_EQ(qzStringToU64("0xFFFFFFFFFFFFFFFF"), (unsigned long long)LLONG_MAX);
    EXPECT_EQ(qzStringToS64("abc"), 0);
    EXPECT_EQ(qzStringToS32(static_cast<char const*>(nullptr)), 0);
    EXPECT_EQ(qzStringToS32(u"  42\u0663"), 42);
    EXPECT_EQ(qzStringToS64(u"0x7fFFffFFffFFffFF"), LLONG_MAX);
}

TEST(QzStringNumbers, IntegersAgreeWithTheCLibraryInBothWidths)
{
    std::mt19937 random(21);
    for (int round = 0; round < 30000; ++round)
    {
        std::string const text = RandomNumberText(random);
        std::u16string const wide = Widen(text);
        int const s32 = ExpectedS32(text);
        unsigned int const u32 = ExpectedU32(text);
        long long const s64 = ExpectedS64(text);
        ASSERT_EQ(qzStringToS32(text.c_str()), s32) << text;
        ASSERT_EQ(qzStringToS32(wide.c_str()), s32) << text;
        ASSERT_EQ(qzStringToU32(text.c_str()), u32) << text;
        ASSERT_EQ(qzStringToU32(wide.c_str()), u32) << text;
        ASSERT_EQ(qzStringToS64(text.c_str()), s64) << text;
        ASSERT_EQ(qzStringToS64(wide.c_str()), s64) << text;
        ASSERT_EQ(qzStringToU64(text.c_str()), (unsigned long long)s64) << text;
        ASSERT_EQ(qzStringToU64(wide.c_str()), (unsigned long long)s64) << text;
    }
}

TEST(QzStringNumbers, FloatsAgreeWithAtofInBothWidths)
{
    EXPECT_EQ(qzStringToDouble("  -1.5e3x"), -1500.0);
    EXPECT_EQ(qzStringToFloat("0.1"), 0.1f);
    EXPECT_EQ(qzStringToDouble("0.1"), 0.1);
    EXPECT_EQ(qzStringToFloat("1e39"), INFINITY);
    EXPECT_EQ(qzStringToDouble("abc"), 0.0);
    EXPECT_EQ(qzStringToDouble(u"2.5\u00e9"), 2.5);

    std::mt19937 random(22);
    for (int round = 0; round < 20000; ++round)
    {
        std::string const text = RandomFloatText(random);
        double const expected = std::atof(text.c_str());
        std::u16string const wide = Widen(text);
        ExpectSameDouble(qzStringToDouble(text.c_str()), expected, text);
        ExpectSameDouble(qzStringToDouble(wide.c_str()), expected, text);
        ExpectSameDouble(qzStringToFloat(text.c_str()), float(expected), text);
        ExpectSameDouble(qzStringToFloat(wide.c_str()), float(expected), text);
    }
}

TEST(QzStringNumbers, NumbersToTextMatchPrintfAndFitTheirRoom)
{
    std::mt19937 random(23);
    for (int round = 0; round < 2000; ++round)
    {
        int const value = round < 2 ? (round == 0 ? INT_MIN : INT_MAX) : int(random());
        char expected[32];
        std::snprintf(expected, sizeof expected, "%d", value);
        char narrow[12];
        qzIntToString(value, narrow);
        ASSERT_STREQ(narrow, expected);
        char16_t wide[12];
        qzIntToString(value, wide);
        ASSERT_EQ(std::u16string(wide), Widen(expected));

        float const mantissa = float(int(random())) / 1e5f;
        int const exponent = int(random() % 200) - 100;
        float const f = round < 2 ? (round == 0 ? -FLT_MAX : FLT_MIN) : std::ldexp(mantissa, exponent);
        char expectedFloat[64];
        std::snprintf(expectedFloat, sizeof expectedFloat, "%f", double(f));
        char narrowFloat[48];
        qzFloatToString(f, narrowFloat);
        ASSERT_STREQ(narrowFloat, expectedFloat);
        char16_t wideFloat[48];
        qzFloatToString(f, wideFloat);
        ASSERT_EQ(std::u16string(wideFloat), Widen(expectedFloat));
    }
    char text[48];
    qzIntToString(-2147483647 - 1, text);
    EXPECT_STREQ(text, "-2147483648");
    qzFloatToString(1.5f, text);
    EXPECT_STREQ(text, "1.500000");
    qzFloatToString(-FLT_MAX, text);
    EXPECT_EQ(std::strlen(text), 47u);
    qzFloatToString(1.5f, static_cast<char16_t*>(nullptr));
    qzIntToString(1, static_cast<char16_t*>(nullptr));
}

// A game that sets a German locale for its UI still reads and writes its
// data files with a decimal point.
TEST(QzStringNumbers, FloatsKeepTheDecimalPointUnderACommaLocale)
{
    qztest::CCommaDecimalLocale const german;
    ASSERT_EQ(german.Failure(), "");
    EXPECT_EQ(qzStringToFloat("1.5"), 1.5f);
    EXPECT_EQ(qzStringToDouble("-2.25e1"), -22.5);
    EXPECT_EQ(qzStringToFloat(u"0.125"), 0.125f);
    EXPECT_EQ(qzStringToDouble(u"3.75"), 3.75);
    char narrow[48];
    qzFloatToString(1.5f, narrow);
    EXPECT_STREQ(narrow, "1.500000");
    char16_t wide[48];
    qzFloatToString(-0.25f, wide);
    EXPECT_EQ(std::u16string(wide), u"-0.250000");
}

TEST(QzStringNumbers, HexIsPositionalAndWraps)
{
    EXPECT_EQ(qzStringHexToU32("1F"), 31u);
    EXPECT_EQ(qzStringHexToU32("0x1F"), 31u);
    EXPECT_EQ(qzStringHexToU32("1F "), 496u);
    EXPECT_EQ(qzStringHexToU32("g1"), 1u);
    EXPECT_EQ(qzStringHexToU32("ffffFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(qzStringHexToU32(""), 0u);
    EXPECT_EQ(qzStringHexToU32(u"aB"), 0xABu);

    // the definition itself: the sum of digit times 16^place, modulo 2^32
    std::mt19937 random(24);
    char const* const units = "0123456789abcdefABCDEFxg -";
    for (int round = 0; round < 5000; ++round)
    {
        std::string text;
        for (int i = int(random() % 12); i > 0; --i)
            text += units[random() % std::strlen(units)];
        unsigned long long sum = 0;
        unsigned long long weight = 1;
        for (std::size_t i = text.size(); i-- > 0; weight = (weight * 16) & 0xFFFFFFFFull)
        {
            char const c = text[i];
            unsigned long long digit = 0;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            sum = (sum + digit * weight) & 0xFFFFFFFFull;
        }
        ASSERT_EQ(qzStringHexToU32(text.c_str()), sum) << text;
        ASSERT_EQ(qzStringHexToU32(Widen(text).c_str()), sum) << text;
    }
}

TEST(QzStringNumbers, IsIntAndIsFloatFollowTheirGrammar)
{
    for (char const* yes : {"-12", "007", "0", "-0"})
        EXPECT_TRUE(qzIsInt(yes)) << yes;
    for (char const* no : {"", "-", "+1", "1.0", "12a", "--1", " 1"})
        EXPECT_FALSE(qzIsInt(no)) << no;
    EXPECT_FALSE(qzIsInt(nullptr));
    for (char const* yes : {"1.5", "-0.25", ".5", "1.", ".", "-."})
        EXPECT_TRUE(qzIsFloat(yes)) << yes;
    for (char const* no : {"", "1", "-", "1e5", "1.2.3", "+1.0", "1.\xB5", "1-.0"})
        EXPECT_FALSE(qzIsFloat(no)) << no;

    std::regex const integer("-?[0-9]+");
    std::regex const decimal("-?[0-9]*\\.[0-9]*");
    std::mt19937 random(25);
    char const* const units = "-.019+e \xE9";
    for (int round = 0; round < 20000; ++round)
    {
        std::string text;
        for (int i = int(random() % 6); i > 0; --i)
            text += units[random() % std::strlen(units)];
        ASSERT_EQ(qzIsInt(text.c_str()), std::regex_match(text, integer)) << text;
        ASSERT_EQ(qzIsFloat(text.c_str()), std::regex_match(text, decimal)) << text;
    }
}
