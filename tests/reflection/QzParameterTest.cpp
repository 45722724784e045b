// Parameter texts against snprintf, cut to every buffer size, also under a comma
// locale; the colour's truncation; gradient tables against double precision.
#include "reflection/QzParameter.h"

#include "support/QzCommaLocale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

typedef CQzRGBA<float> RGBA;

// Every buffer from 1 byte to the text's length + 2 holds a terminated prefix.
void ExpectTextInEveryBuffer(CQzParameter& parameter, std::string const& expected)
{
    for (int size = 1; size <= int(expected.size()) + 2; ++size)
    {
        char buffer[96];
        std::memset(buffer, 'X', sizeof buffer);
        parameter.GetValueAsText(buffer, size);
        EXPECT_EQ(std::string(buffer), expected.substr(0, size_t(size - 1))) << "buffer of " << size;
        EXPECT_TRUE(buffer[size - 1] == '\0' && buffer[size] == 'X') << "buffer of " << size;
    }
}

} // namespace

// Colours: channel × 255 in single precision, truncated toward zero, not
// clamped.
TEST(QzParameter, TextsMatchPrintfAndAreCutToTheBuffer)
{
    char reference[64];
    for (int value : {-42, 0, INT_MIN, INT_MAX})
    {
        CQzParameterInt p("i", value, -100, 100, 1);
        std::snprintf(reference, sizeof reference, "%d", value);
        ExpectTextInEveryBuffer(p, reference);
    }
    for (float value : {0.1f, -0.0f, 1e-7f, 123456.789f, -FLT_MAX, INFINITY})
    {
        CQzParameterFloat p("f", value, 0.0f, 1.0f, 0.1f);
        std::snprintf(reference, sizeof reference, "%f", double(value));
        ExpectTextInEveryBuffer(p, reference);
        p.SetValueMax(value); // the limits are kept as given, apart from the value
        p.SetValueStep(-value);
        EXPECT_TRUE(p.GetValueMax() == value && p.GetValueStep() == -value && p.GetValueMin() == 0.0f);
    }
    CQzParameterColorGradient gradient("g", RGBA(0, 0, 0, 0), RGBA(1, 1, 1, 1), 3);
    ExpectTextInEveryBuffer(gradient, "GRADIENT");

    // this channel's product is rounded to single precision before the cut:
    // 257 there, 256.9999999 in double precision
    unsigned int const bits = 0x3F810101u;
    float channel;
    std::memcpy(&channel, &bits, sizeof channel);
    ASSERT_LT(double(channel) * 255.0, 257.0);
    std::pair<RGBA, char const*> const colours[] = {
        {RGBA(1.0f, 0.5f, 0.0f, 1.0f), "255,127,0,255"},   {RGBA(0.999f, 0.002f, 0.996f, 0.25f), "254,0,253,63"},
        {RGBA(2.0f, -0.5f, -0.001f, 1.5f), "510,-127,0,382"}, // beyond int's range: saturated
        {RGBA(1e30f, -1e30f, NAN, 0.1f), "2147483647,-2147483648,0,25"}, {RGBA(channel, 0, 0, channel), "257,0,0,257"}};
    for (auto const& [colour, text] : colours)
    {
        CQzParameterColor p("c", colour);
        ExpectTextInEveryBuffer(p, text);
    }
    qztest::CCommaDecimalLocale const german;
    ASSERT_EQ(german.Failure(), "");
    CQzParameterFloat comma("f", 1.5f, 0, 0, 0);
    ExpectTextInEveryBuffer(comma, "1.500000");
}

TEST(QzParameter, GradientTablesStopOneStepShortOfTheEnd)
{
    // entry 0 is `from` exactly; the rest against double precision
    RGBA const from(0.2f, 0.9f, -1.0f, 0.5f), to(0.7f, 0.1f, 3.0f, 0.5f);
    for (int steps : {1, 4, 37, 0, -1})
    {
        CQzParameterColorGradient gradient("g", from, to, steps);
        ASSERT_EQ(gradient.GetValue().GetCount(), steps > 0 ? steps : 0);
        EXPECT_EQ(gradient.GetValue().GetInitialCapacity(), steps > 0 ? steps : 16);
        for (int i = 0; i < steps; ++i)
            for (unsigned int c = 0; c < 4; ++c)
            {
                double const exact = double(from[c]) + i * (double(to[c]) - double(from[c])) / steps;
                EXPECT_NEAR(gradient.GetValue()[i][c], exact, i == 0 ? 0.0 : 1e-5) << steps << ' ' << i;
            }
    }
}
