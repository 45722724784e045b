// Parameter texts against snprintf, cut to every small buffer and always
// terminated; the colour's truncation; gradient tables against double
// precision; copies of every kind.
#include "reflection/QzParameter.h"

#include "support/QzCommaLocale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

typedef CQzRGBA<float> RGBA;

// Every buffer size from 1 to the text's length + 2: the text's prefix,
// one terminator at the cut and at the last byte, nothing written beyond.
void ExpectTextInEveryBuffer(CQzParameter& parameter, std::string const& expected)
{
    for (int size = 1; size <= int(expected.size()) + 2; ++size)
    {
        char buffer[96];
        std::memset(buffer, 'X', sizeof buffer);
        parameter.GetValueAsText(buffer, size);
        size_t const kept = std::min(expected.size(), size_t(size - 1));
        EXPECT_EQ(std::string(buffer), expected.substr(0, kept)) << "buffer of " << size;
        EXPECT_EQ(buffer[size - 1], '\0');
        EXPECT_EQ(buffer[size], 'X') << "wrote past a buffer of " << size;
    }
}

} // namespace

TEST(QzParameter, TextsMatchPrintfAndAreCutToTheBuffer)
{
    char reference[64];
    for (int value : {-42, 0, 7, INT_MIN, INT_MAX})
    {
        CQzParameterInt p("i", value, -100, 100, 1);
        EXPECT_EQ(p.GetType(), CQzParameter::PARAMETER_INT);
        std::snprintf(reference, sizeof reference, "%d", value);
        ExpectTextInEveryBuffer(p, reference);
    }
    for (float value : {0.1f, 1.5f, -0.0f, 1e-7f, 123456.789f, FLT_MAX, -FLT_MAX, INFINITY})
    {
        CQzParameterFloat p("f", value, 0.0f, 1.0f, 0.1f);
        EXPECT_EQ(p.GetType(), CQzParameter::PARAMETER_FLOAT);
        std::snprintf(reference, sizeof reference, "%f", double(value));
        ExpectTextInEveryBuffer(p, reference);
    }
    CQzParameterColorGradient gradient("g", RGBA(0, 0, 0, 0), RGBA(1, 1, 1, 1), 3);
    EXPECT_EQ(gradient.GetType(), CQzParameter::PARAMETER_COLOR_GRADIENT);
    ExpectTextInEveryBuffer(gradient, "GRADIENT");
    char text[8];
    CQzParameterInt("i", -42, 0, 0, 0).GetValueAsText(text, 3);
    EXPECT_STREQ(text, "-4");
}

// channel × 255 in single precision, truncated toward zero, not clamped
TEST(QzParameter, ColourTextTruncatesEachChannel)
{
    struct SCase
    {
        RGBA colour;
        char const* text;
    } const cases[] = {
        {RGBA(1.0f, 0.5f, 0.0f, 1.0f), "255,127,0,255"}, {RGBA(0.999f, 0.002f, 0.996f, 0.25f), "254,0,253,63"},
        {RGBA(2.0f, -0.5f, -0.001f, 1.5f), "510,-127,0,382"}, // beyond int's range: saturated
        {RGBA(1e30f, -1e30f, NAN, 0.1f), "2147483647,-2147483648,0,25"}};
    for (SCase const& c : cases)
    {
        CQzParameterColor p("c", c.colour);
        EXPECT_EQ(p.GetType(), CQzParameter::PARAMETER_COLOR);
        ExpectTextInEveryBuffer(p, c.text);
    }
    // the product is rounded to single precision before the cut: for this
    // channel it is 257 there and 256.9999999 in double precision
    unsigned int const bits = 0x3F810101u;
    float channel;
    std::memcpy(&channel, &bits, sizeof channel);
    ASSERT_LT(double(channel) * 255.0, 257.0);
    char text[32];
    CQzParameterColor("c", channel, 0.0f, 0.0f, channel).GetValueAsText(text, sizeof text);
    EXPECT_STREQ(text, "257,0,0,257");
}

TEST(QzParameter, FloatTextKeepsTheDecimalPointUnderACommaLocale)
{
    qztest::CCommaDecimalLocale const german;
    ASSERT_EQ(german.Failure(), "");
    char text[16];
    CQzParameterFloat("f", 1.5f, 0, 0, 0).GetValueAsText(text, sizeof text);
    EXPECT_STREQ(text, "1.500000");
}

TEST(QzParameter, GradientTablesStopOneStepShortOfTheEnd)
{
    CQzParameterColorGradient four("g", RGBA(0, 0, 0, 0), RGBA(1, 1, 1, 1), 4);
    ASSERT_EQ(four.GetValue().GetCount(), 4);
    EXPECT_EQ(four.GetValue().GetCapacity(), 4);
    for (int i = 0; i < 4; ++i)
        for (unsigned int c = 0; c < 4; ++c)
            EXPECT_EQ(four.GetValue()[i][c], 0.25f * float(i));

    // entry 0 is `from` exactly; the rest against double precision
    RGBA const from(0.2f, 0.9f, -1.0f, 0.5f), to(0.7f, 0.1f, 3.0f, 0.5f);
    for (int steps : {1, 37, 0, -1, -100})
    {
        CQzParameterColorGradient gradient("g", from, to, steps);
        ASSERT_EQ(gradient.GetValue().GetCount(), steps > 0 ? steps : 0);
        for (int i = 0; i < steps; ++i)
            for (unsigned int c = 0; c < 4; ++c)
            {
                double const exact = double(from[c]) + i * (double(to[c]) - double(from[c])) / steps;
                EXPECT_NEAR(gradient.GetValue()[i][c], exact, i == 0 ? 0.0 : 1e-5) << steps << ' ' << i;
            }
    }
}

TEST(QzParameter, CopiesAndAssignmentsTakeNameAndEveryField)
{
    CQzParameterInt i("count", 3, 1, 9, 2), j("other", 0, 0, 0, 0);
    j = i;
    i.SetValue(4);
    EXPECT_STREQ(j.GetName().GetCString(), "count");
    EXPECT_TRUE(j.GetValue() == 3 && j.GetValueMin() == 1 && j.GetValueMax() == 9 && j.GetValueStep() == 2);
    j.SetValue(500); // stored as given: nothing clamps
    EXPECT_EQ(CQzParameterInt(j).GetValue(), 500);

    CQzArray<RGBA> colours(5);
    colours.Add(RGBA(0, 1, 0, 1));
    CQzParameterColorGradient fromArray("ramp", colours), h("z", RGBA(0, 0, 0, 0), RGBA(1, 1, 1, 1), 6);
    h = fromArray;
    fromArray.SetValue(CQzArray<RGBA>());
    EXPECT_EQ(fromArray.GetValue().GetInitialCapacity(), 5);
    ASSERT_EQ(h.GetValue().GetCount(), 1);
    EXPECT_TRUE(h.GetValue()[0].GetG() == 1.0f && fromArray.GetValue().GetCount() == 0);
}
