// CQzComplex against std::complex<double> on seeded random inputs, the branch cuts included.
#include "math/QzComplex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <complex>
#include <random>

namespace {

using Cd = std::complex<double>;
double const kPi = 3.14159265358979323846;
double const kEps = FLT_EPSILON;

Cd ToStd(CQzComplex const& z) { return Cd(z.GetReal(), z.GetImag()); }

// The error in units of the reference's magnitude, or the worse part's relative to itself (below FLT_MIN absolute).
double NormError(CQzComplex const& got, Cd ref) { return std::abs(ToStd(got) - ref) / std::abs(ref); }
double PartError(CQzComplex const& got, Cd ref)
{
    auto one = [](double g, double r) { return std::fabs(g - r) / std::max(std::fabs(r), double(FLT_MIN)); };
    return std::max(one(got.GetReal(), ref.real()), one(got.GetImag(), ref.imag()));
}

// A part of either sign whose magnitude is 2^e, e uniform in [lo, hi].
float RandomPart(std::mt19937& rng, float lo, float hi)
{
    float const m = std::exp2(std::uniform_real_distribution<float>(lo, hi)(rng));
    return rng() & 1 ? m : -m;
}

TEST(QzComplex, ArithmeticAndFunctionsMatchDoublePrecisionAndCutsFollowTheSignOfZero)
{
    std::mt19937 rng(11);
    for (int n = 0; n < 2000; ++n)
    {
        float p[5];
        for (float& x : p)
            x = RandomPart(rng, -20, 20);
        CQzComplex const a(p[0], p[1]), b(p[2], p[3]);
        float const f = p[4];
        Cd const sa = ToStd(a), sb = ToStd(b);
        double const size = std::abs(sa) + std::abs(sb);
        ASSERT_LE(std::abs(ToStd(a + b) - (sa + sb)), kEps * size);
        ASSERT_LE(std::abs(ToStd(a - b) - (sa - sb)), kEps * size);
        ASSERT_LE(std::abs(ToStd(a * b) - sa * sb), 2 * kEps * std::abs(sa) * std::abs(sb));
        ASSERT_LE(std::abs(ToStd(a / b) - sa / sb), 4 * kEps * std::abs(sa) / std::abs(sb));
        ASSERT_LE(std::abs(ToStd(a + f) - (sa + double(f))), kEps * (std::abs(sa) + std::fabs(f)));
        ASSERT_LE(std::abs(ToStd(a * f) - sa * double(f)), kEps * std::abs(sa) * std::fabs(f));
        ASSERT_LE(std::abs(ToStd(a / f) - sa / double(f)), 2 * kEps * std::abs(sa) / std::fabs(f));
        ASSERT_TRUE(std::fabs(a.GetSquareMagnitude() - std::norm(sa)) <= kEps * std::norm(sa) &&
                    std::fabs(a.GetMagnitude() - std::abs(sa)) <= kEps * std::abs(sa) &&
                    std::fabs(a.Arg() - std::arg(sa)) <= kEps * kPi) << sa;

        CQzComplex c = a;
        c += b, c *= b, c -= f, c /= b, c *= f, c += f, c /= f, c -= b;
        ASSERT_TRUE(c == ((((((((a + b) * b) - f) / b) * f) + f) / f) - b));
    }

    // Indices past 0 are the imaginary part; a NaN part is never equal.
    CQzComplex z(1, 2), nan(NAN, 2);
    CQzComplex const& cz = z;
    z[5] = 7;
    EXPECT_TRUE(cz[0] == 1 && cz[5] == 7 && (nan == nan) == 0 && (nan != nan) == 1);
    z.MulI(), z.Conjugate();
    // Invert takes component-wise reciprocals, not 1 / z = (0.1, -0.2).
    EXPECT_TRUE(z == CQzComplex(-7, -1) && CQzComplex(2, 4).Invert() == CQzComplex(0.5f, 0.25f));
    CQzComplex negative, positive;
    negative.MakeSqrt(-4), positive.MakeSqrt(9);
    EXPECT_TRUE(negative == CQzComplex(0, 2) && positive == CQzComplex(3, 0));
    EXPECT_LT(NormError(z.MakeExp(2.5f), std::polar(1.0, 2.5)), kEps);
    EXPECT_TRUE(CQzComplex(0, 2).Cartesian() == CQzComplex(2, float(kPi / 2)));

    // ours, the reference, the exponent range of the random parts, and whether each part is accurate on its own
    struct SFunction { CQzComplex (*ours)(CQzComplex const&); Cd (*reference)(Cd const&); float lo, hi; bool partWise; };
    SFunction const functions[] = {
        {[](CQzComplex const& z) { CQzComplex r = z; return r.Sqrt(); }, [](Cd const& z) { return std::sqrt(z); },
         -120, 120, true},
        {[](CQzComplex const& z) { return z.Ln(); }, [](Cd const& z) { return std::log(z); }, -120, 120, true},
        // near 1, and on the unit circle: ln |z| must keep its relative accuracy
        {[](CQzComplex const& z) { return (z * 0x1p-12f + 1).Ln(); },
         [](Cd const& z) { return std::log(Cd(float(z.real() * 0x1p-12 + 1), z.imag() * 0x1p-12)); }, -12, 0, true},
        {[](CQzComplex const& z) { return CQzComplex(std::cos(z.GetReal()), std::sin(z.GetReal())).Ln(); },
         [](Cd const& z) { return std::log(Cd(std::cos(float(z.real())), std::sin(float(z.real())))); }, -8, 3, true},
        {[](CQzComplex const& z) { return z.Sin(); }, [](Cd const& z) { return std::sin(z); }, -10, 6, true},
        {[](CQzComplex const& z) { return z.Cos(); }, [](Cd const& z) { return std::cos(z); }, -10, 6, true},
        {[](CQzComplex const& z) { return z.Tan(); }, [](Cd const& z) { return std::tan(z); }, -10, 6, true},
        {[](CQzComplex const& z) { return z.Cotan(); }, [](Cd const& z) { return 1.0 / std::tan(z); }, -10, 6, false},
        {[](CQzComplex const& z) { return z.Exp(); }, [](Cd const& z) { return std::exp(z); }, -10, 6, true},
    };
    for (SFunction const& f : functions)
        for (int n = 0; n < 3000; ++n)
        {
            float const re = RandomPart(rng, f.lo, f.hi);
            CQzComplex const z(re, RandomPart(rng, f.lo, f.hi));
            CQzComplex const got = f.ours(z);
            Cd const ref = f.reference(ToStd(z));
            ASSERT_LT(f.partWise ? PartError(got, ref) : NormError(got, ref), 4 * kEps)
                << "function " << (&f - functions) << " of " << ToStd(z) << " = " << ToStd(got) << ", not " << ref;
        }

    for (int n = 0; n < 2000; ++n) // on the negative real axis
    {
        float const x = -std::fabs(RandomPart(rng, -100, 100)), y = (n & 1 ? 0.0f : FLT_TRUE_MIN) * (n & 2 ? -1 : 1);
        CQzComplex root(x, y);
        root.Sqrt();
        ASSERT_LT(NormError(root, std::sqrt(Cd(x, y))), 2e-7) << x << ", " << y;
        ASSERT_TRUE(std::signbit(root.GetImag()) == std::signbit(y) && !std::signbit(root.GetReal())) << x << ", " << y;
        ASSERT_LT(PartError(CQzComplex(x, y).Ln(), std::log(Cd(x, y))), 4 * kEps) << x << ", " << y;
    }
    for (float y : {0.0f, -0.0f}) // the roots of -0 + 0i and -0 - 0i
    {
        CQzComplex root(-0.0f, y);
        EXPECT_TRUE(root.Sqrt() == CQzComplex(0, 0) && !std::signbit(root[0]) && std::signbit(root[1]) == std::signbit(y));
    }

    for (int n = 0; n < 3000; ++n) // |parts| up to 6
    {
        float const re = RandomPart(rng, -10, 2.58f);
        CQzComplex const z(re, RandomPart(rng, -10, 2.58f)), tanh = z.Tanh();
        Cd const s = ToStd(z), c = std::cosh(s);
        // each form adds or divides e^z and e^-z, so its error scales with them
        double const bound = 4 * kEps * (std::abs(std::exp(s)) + std::abs(std::exp(-s)));
        ASSERT_TRUE(std::abs(ToStd(z.CoCQz()) - c) <= bound && std::abs(ToStd(z.Sinh()) - std::sinh(s)) <= bound) << s;
        ASSERT_LE(std::abs(ToStd(tanh) - std::tanh(s)), bound * (1 + std::abs(std::tanh(s))) / std::abs(2.0 * c)) << s;
        CQzComplex inverse = tanh;
        ASSERT_TRUE(z.Cotanh() == inverse.Invert()); // part by part, like Invert
    }
}

} // namespace
