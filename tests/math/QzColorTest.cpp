// Colour layouts, index mappings and channel arithmetic against plain integer and double-precision arithmetic.
#include "math/QzColor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

// every member of every layout compiles for every channel type
template class CQzRGB<unsigned char>; template class CQzRGB<unsigned short>; template class CQzRGB<float>;
template class CQzBGR<unsigned char>; template class CQzBGR<unsigned short>; template class CQzBGR<float>;
template class CQzARGB<unsigned char>; template class CQzARGB<unsigned short>; template class CQzARGB<float>;
template class CQzRGBA<unsigned char>; template class CQzRGBA<unsigned short>; template class CQzRGBA<float>;

namespace {

using V = std::vector<int>;
using U8 = unsigned char;
using U16 = unsigned short;

// The channels in memory order, then indices 0 to 7 read through the const form.
template <typename T, typename C> V Layout(C const& c)
{
    T raw[4];
    std::memcpy(raw, &c, sizeof c);
    V out(raw, raw + C::e_max);
    for (unsigned int i = 0; i < 8; ++i)
        out.push_back(int(c[i]));
    return out;
}

template <typename C, typename T> C RandomColour(std::mt19937& rng, int lowest = 0)
{
    std::uniform_int_distribution<int> dist(lowest, std::numeric_limits<T>::max());
    C c;
    for (unsigned int i = 0; i < C::e_max; ++i)
        c[i] = T(dist(rng));
    return c;
}

// One integer layout against int arithmetic modulo the channel's range, luminance and Lerp against exact values.
template <typename C, typename T> void CheckIntegerChannels(unsigned int seed)
{
    constexpr long long m = (long long)std::numeric_limits<T>::max() + 1;
    auto wrap = [](long long v) { return ((v % m) + m) % m; };
    std::mt19937 rng(seed);
    for (int n = 0; n < 1000; ++n)
    {
        C const x = RandomColour<C, T>(rng), y = RandomColour<C, T>(rng, 1);
        T const s = RandomColour<C, T>(rng, 1)[0];
        long long dot = 0, dot3 = 0;
        for (unsigned int i = 0; i < C::e_max; ++i)
        {
            long long const a = x[i], b = y[i];
            long long const got[8] = {(x + y)[i], (x - y)[i], (x * y)[i], (x / y)[i],
                                      (x + s)[i], (x - s)[i], (x * s)[i], (x / s)[i]};
            long long const want[8] = {wrap(a + b), wrap(a - b), wrap(a * b), a / b,
                                       wrap(a + s), wrap(a - s), wrap(a * s), a / s};
            for (int k = 0; k < 8; ++k)
                ASSERT_EQ(got[k], want[k]) << "operator " << k << " of " << a << ", " << b << ", " << s;
            dot += a * b;
            dot3 += i < 3 ? a * b : 0;
        }
        ASSERT_TRUE((long long)x.DotProduct(y) == wrap(dot) && (long long)x.DotProduct(y[0], y[1], y[2]) == wrap(dot3));
        C z = x;
        z += y, z *= y, z -= s, z /= y, z *= s, z += s, z /= s, z -= y;
        ASSERT_FALSE(z != ((((((((x + y) * y) - s) / y) * s) + s) / s) - y));

        // Alpha takes no part in luminance; float rounding may only tip a sum lying next to an integer.
        double const exact = 0.299f * double(x[0]) + 0.587f * double(x[1]) + 0.114f * double(x[2]);
        int const l = x.GetLuminance();
        ASSERT_TRUE(std::fabs(exact - std::round(exact)) < 5e-2 ? std::fabs(l - exact) < 1 : l == int(exact)) << exact;
        C grey = x;
        grey.SetGrayScale();
        ASSERT_TRUE(grey[0] == l && grey[1] == l && grey[2] == l && (C::e_max == 3 || grey[3] == x[3]));
        if constexpr (std::is_same<C, CQzRGBA<T>>::value)
        {
            ASSERT_EQ(x.GetHighestChannelValue(), std::max({x[0], x[1], x[2]})); // alpha left out
            float const t = std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
            C lerp, end;
            lerp.Lerp(x, y, t), end.Lerp(x, y, 1.0f);
            ASSERT_TRUE(end == y);
            for (unsigned int i = 0; i < 4; ++i) // less than one step short of the exact point, never past it
            {
                double const point = x[i] + (double(y[i]) - x[i]) * t;
                ASSERT_TRUE(std::fabs(lerp[i] - point) < 1.0 && std::fabs(lerp[i] - x[i]) <= std::fabs(point - x[i]) + 1e-2)
                    << x[i] << " -> " << y[i] << " at " << t;
            }
        }
    }
}

TEST(QzColor, LayoutsKeepTheirOrderChannelsWrapDivideTruncatingAndClampToTheMinimumWhenBoundsCross)
{
    EXPECT_EQ(Layout<float>(CQzRGB<float>(1, 2, 3)), (V{1, 2, 3, 1, 2, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(Layout<U16>(CQzBGR<U16>(1, 2, 3)), (V{3, 2, 1, 1, 2, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(Layout<U8>(CQzARGB<U8>(CQzRGB<U8>(1, 2, 3), 4)), (V{4, 1, 2, 3, 1, 2, 3, 4, 0, 0, 0, 0}));
    EXPECT_EQ(Layout<U16>(CQzRGBA<U16>(CQzRGB<U16>(1, 2, 3), 4)), (V{1, 2, 3, 4, 1, 2, 3, 4, 4, 4, 4, 4}));
    // writing through a large index sets the last channel, in ARGB too
    CQzARGB<U8> argb(1, 2, 3, 4);
    CQzBGR<U8> bgr(1, 2, 3);
    argb[7] = 9, argb[0] = 5, bgr[9] = 7, bgr[1] = 8;
    EXPECT_EQ(Layout<U8>(argb), (V{9, 5, 2, 3, 5, 2, 3, 9, 0, 0, 0, 0}));
    EXPECT_EQ(Layout<U8>(bgr), (V{7, 8, 1, 1, 8, 7, 7, 7, 7, 7, 7}));

    CheckIntegerChannels<CQzRGBA<U8>, U8>(1), CheckIntegerChannels<CQzARGB<U8>, U8>(2);
    CheckIntegerChannels<CQzRGB<U8>, U8>(3), CheckIntegerChannels<CQzBGR<U16>, U16>(4);
    CheckIntegerChannels<CQzRGBA<U16>, U16>(5);
    // the largest value for a zero divisor instead of a trap
    EXPECT_TRUE(CQzRGBA<U8>(10, 0, 30, 40) / CQzRGBA<U8>(0, 0, 1, 2) == CQzRGBA<U8>(255, 255, 30, 20));
    EXPECT_TRUE(CQzRGB<U16>(1, 2, 3) / U16(0) == CQzRGB<U16>(65535, 65535, 65535));
    // green and red are summed first: blue joined earlier would give 27, not 28
    EXPECT_EQ((V{CQzRGBA<U8>(255, 255, 255, 0).GetLuminance(), CQzRGB<U16>(65535, 65535, 65535).GetLuminance(),
                 CQzRGB<U8>(3, 5, 212).GetLuminance()}), (V{255, 65535, 28}));
    CQzRGBA<U8> c;
    c.Lerp(CQzRGBA<U8>(10, 250, 0, 0), CQzRGBA<U8>(20, 240, 0, 0), 30.0f); // extrapolates, wrapping
    EXPECT_TRUE(c == CQzRGBA<U8>(310 - 256, 256 - 50, 0, 0));

    using CF = CQzRGBA<float>;
    CF f(0, 0.5f, 1, 2), lerp;
    lerp.Lerp(CF(0, 0, 0, 0), CF(1, 2, 3, 4), 0.25f);
    EXPECT_TRUE(CF(1, 2, 3, 4) / 2 == CF(0.5f, 1, 1.5f, 2) && CF(1, 2, 3, 4) * CF(2, 0.5f, -1, 0) - 1 == CF(1, 0, -4, -1));
    EXPECT_TRUE(CF(1, 2, 3, 4).DotProduct(CF(5, 6, 7, 8)) == 70.0f && CF(NAN, 0, 0, 0) != CF(NAN, 0, 0, 0));
    EXPECT_TRUE(lerp == CF(0.25f, 0.5f, 0.75f, 1));
    // Where the bounds cross, the minimum wins.
    CQzRGBA<U8> r(7, 7, 200, 200);
    CQzARGB<U16> a(1, 500, 900, 1000);
    CQzBGR<float> g(-1, 0.5f, 3);
    f.ClampRGBA(0.25f, 0.75f), r.ClampR(10, 5), r.ClampRGB(0, 100), a.ClampARGB(400, 800), g.ClampBGR(1, 0);
    EXPECT_TRUE(f == CF(0.25f, 0.5f, 0.75f, 0.75f) && r == CQzRGBA<U8>(10, 7, 100, 200));
    EXPECT_TRUE(a == CQzARGB<U16>(400, 500, 800, 800) && g == CQzBGR<float>(1, 1, 1));
}

} // namespace
