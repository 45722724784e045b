// Colour layouts, index mappings and channel arithmetic, checked against
// plain integer and double-precision arithmetic.
#include "math/QzColor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
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

// Every operator of one integer layout against int arithmetic modulo the channel's range.
template <typename C, typename T> void CheckIntegerArithmetic(unsigned int seed)
{
    constexpr long long m = (long long)std::numeric_limits<T>::max() + 1;
    auto wrap = [](long long v) { return ((v % m) + m) % m; };
    std::mt19937 rng(seed);
    for (int n = 0; n < 500; ++n)
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
        ASSERT_EQ((long long)x.DotProduct(y), wrap(dot));
        ASSERT_EQ((long long)x.DotProduct(y[0], y[1], y[2]), wrap(dot3));
        C z = x;
        z += y, z *= y, z -= s, z /= y, z *= s, z += s, z /= s, z -= y;
        ASSERT_FALSE(z != ((((((((x + y) * y) - s) / y) * s) + s) / s) - y));
    }
}

TEST(QzColor, LayoutsKeepTheirMemoryOrderAndIndicesCountFromRed)
{
    EXPECT_EQ(Layout<float>(CQzRGB<float>(1, 2, 3)), (V{1, 2, 3, 1, 2, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(Layout<U16>(CQzBGR<U16>(1, 2, 3)), (V{3, 2, 1, 1, 2, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(Layout<U8>(CQzARGB<U8>(CQzRGB<U8>(1, 2, 3), 4)), (V{4, 1, 2, 3, 1, 2, 3, 4, 0, 0, 0, 0}));
    EXPECT_EQ(Layout<U16>(CQzRGBA<U16>(CQzRGB<U16>(1, 2, 3), 4)), (V{1, 2, 3, 4, 1, 2, 3, 4, 4, 4, 4, 4}));
    // writing through a large index sets the last channel, in ARGB too; setters take red first
    CQzARGB<U8> argb(1, 2, 3, 4);
    CQzBGR<U8> bgr(1, 2, 3);
    CQzRGBA<float> rgba(1, 2, 3, 4);
    argb[7] = 9, argb[0] = 5, bgr[9] = 7, bgr[1] = 8, rgba[4] = 8, rgba[2] = 7;
    EXPECT_EQ(Layout<U8>(argb), (V{9, 5, 2, 3, 5, 2, 3, 9, 0, 0, 0, 0}));
    EXPECT_EQ(Layout<U8>(bgr), (V{7, 8, 1, 1, 8, 7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(Layout<float>(rgba), (V{1, 2, 7, 8, 1, 2, 7, 8, 8, 8, 8, 8}));
    bgr.SetBGR(4, 5, 6);
    EXPECT_EQ(Layout<U8>(bgr), (V{6, 5, 4, 4, 5, 6, 6, 6, 6, 6, 6}));
}

TEST(QzColor, ChannelsWrapDivideTruncatingAndClampToTheMinimumWhenBoundsCross)
{
    CheckIntegerArithmetic<CQzRGBA<U8>, U8>(1);
    CheckIntegerArithmetic<CQzARGB<U8>, U8>(2);
    CheckIntegerArithmetic<CQzRGB<U8>, U8>(3);
    CheckIntegerArithmetic<CQzBGR<U16>, U16>(4);
    CheckIntegerArithmetic<CQzRGBA<U16>, U16>(5);
    // the largest value for a zero divisor instead of a trap
    EXPECT_TRUE(CQzRGBA<U8>(10, 0, 30, 40) / CQzRGBA<U8>(0, 0, 1, 2) == CQzRGBA<U8>(255, 255, 30, 20));
    EXPECT_TRUE(CQzRGB<U16>(1, 2, 3) / U16(0) == CQzRGB<U16>(65535, 65535, 65535));

    using CF = CQzRGBA<float>;
    EXPECT_TRUE(CF(1, 2, 3, 4) / 2 == CF(0.5f, 1, 1.5f, 2));
    EXPECT_TRUE(CF(1, 2, 3, 4) * CF(2, 0.5f, -1, 0) - 1 == CF(1, 0, -4, -1));
    EXPECT_EQ(CF(1, 2, 3, 4).DotProduct(CF(5, 6, 7, 8)), 70.0f);
    EXPECT_TRUE(CF(NAN, 0, 0, 0) != CF(NAN, 0, 0, 0));

    // Where the bounds cross, the minimum wins.
    CF f(0, 0.5f, 1, 2);
    CQzRGBA<U8> c(7, 7, 200, 200);
    CQzARGB<U16> a(1, 500, 900, 1000);
    CQzBGR<float> g(-1, 0.5f, 3);
    f.ClampRGBA(0.25f, 0.75f), c.ClampR(10, 5), c.ClampRGB(0, 100), a.ClampARGB(400, 800), g.ClampBGR(1, 0);
    EXPECT_TRUE(f == CF(0.25f, 0.5f, 0.75f, 0.75f) && c == CQzRGBA<U8>(10, 7, 100, 200));
    EXPECT_TRUE(a == CQzARGB<U16>(400, 500, 800, 800) && g == CQzBGR<float>(1, 1, 1));
}

TEST(QzColor, LuminanceAndLerpTruncateTheirExactValuesForIntegerChannels)
{
    // alpha takes no part; green and red are summed first: blue joined earlier would give 27, not 28
    EXPECT_EQ((V{CQzRGBA<U8>(255, 255, 255, 0).GetLuminance(), CQzRGB<U16>(65535, 65535, 65535).GetLuminance(),
                 CQzBGR<U8>(255, 0, 0).GetLuminance(), CQzARGB<U8>(0, 255, 0, 9).GetLuminance(),
                 CQzRGB<U8>(3, 5, 212).GetLuminance()}),
              (V{255, 65535, 76, 149, 28}));
    using C8 = CQzRGBA<U8>;
    C8 c;
    c.Lerp(C8(10, 250, 0, 0), C8(20, 240, 0, 0), 30.0f); // extrapolates, wrapping
    EXPECT_TRUE(c == C8(310 - 256, 256 - 50, 0, 0));
    CQzRGBA<float> f;
    f.Lerp(CQzRGBA<float>(0, 0, 0, 0), CQzRGBA<float>(1, 2, 3, 4), 0.25f);
    EXPECT_TRUE(f == CQzRGBA<float>(0.25f, 0.5f, 0.75f, 1));

    using C16 = CQzRGBA<U16>;
    std::mt19937 rng(6);
    std::uniform_real_distribution<float> share(0.0f, 1.0f);
    for (int n = 0; n < 2000; ++n)
    {
        C16 const a = RandomColour<C16, U16>(rng), b = RandomColour<C16, U16>(rng);
        float const t = share(rng);
        double const exact = 0.299f * double(a.GetR()) + 0.587f * double(a.GetG()) + 0.114f * double(a.GetB());
        int const y = a.GetLuminance();
        // single-precision rounding may only tip a sum lying next to an integer
        ASSERT_TRUE(std::fabs(exact - std::round(exact)) < 5e-2 ? std::fabs(y - exact) < 1 : y == int(exact)) << exact;
        C16 l = a;
        l.SetGrayScale();
        ASSERT_TRUE(l == C16(y, y, y, a.GetA()));
        // alpha takes no part in the highest channel
        ASSERT_EQ(b.GetHighestChannelValue(), std::max({b.GetR(), b.GetG(), b.GetB()}));
        l.Lerp(a, b, t);
        for (unsigned int i = 0; i < 4; ++i)
        {
            // less than one step short of the exact point, never past it
            double const point = a[i] + (double(b[i]) - a[i]) * t;
            ASSERT_LT(std::fabs(l[i] - point), 1.0) << a[i] << " -> " << b[i] << " at " << t;
            ASSERT_LE(std::fabs(double(l[i]) - a[i]), std::fabs(point - a[i]) + 1e-2);
        }
        l.Lerp(a, b, 1.0f);
        ASSERT_TRUE(l == b);
    }
}

} // namespace
