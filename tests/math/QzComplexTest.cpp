// CQzComplex against std::complex<double> on random inputs with a fixed seed.
#include "math/QzComplex.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <string>

namespace {

using Cd = std::complex<double>;
double const kPi = 3.14159265358979323846;
float const kNaN = std::numeric_limits<float>::quiet_NaN();

Cd ToStd(CQzComplex const& z) { return Cd(z.GetReal(), z.GetImag()); }

// Distance to the reference in units of its magnitude.
double NormError(CQzComplex const& got, Cd ref) { return std::abs(ToStd(got) - ref) / std::abs(ref); }

// The worse of the two parts, each relative to itself (a part below the
// smallest normal float counts as absolute).
double PartError(CQzComplex const& got, Cd ref)
{
    auto one = [](double g, double r) { return std::fabs(g - r) / std::max(std::fabs(r), double(FLT_MIN)); };
    return std::max(one(got.GetReal(), ref.real()), one(got.GetImag(), ref.imag()));
}

// A part of either sign whose magnitude is 2^e, e uniform in [lo, hi].
float RandomPart(std::mt19937& rng, float lo, float hi)
{
    std::uniform_real_distribution<float> exponent(lo, hi);
    float const m = std::exp2(exponent(rng));
    return rng() & 1 ? m : -m;
}

CQzComplex RandomComplex(std::mt19937& rng, float lo, float hi)
{
    return CQzComplex(RandomPart(rng, lo, hi), RandomPart(rng, lo, hi));
}

struct SFunction
{
    char const* name;
    CQzComplex (*ours)(CQzComplex const&);
    Cd (*reference)(Cd const&);
    float lo, hi;  // exponent range of the random parts
    bool partWise; // each part accurate on its own, not only the whole
};

} // namespace

TEST(QzComplex, ArithmeticMatchesDoublePrecision)
{
    EXPECT_TRUE(CQzComplex(1, 2) * CQzComplex(3, 4) == CQzComplex(-5, 10));
    EXPECT_TRUE(CQzComplex(-5, 10) / CQzComplex(3, 4) == CQzComplex(1, 2));

    std::mt19937 rng(11);
    double const eps = FLT_EPSILON;
    for (int n = 0; n < 20000; ++n)
    {
        CQzComplex const a = RandomComplex(rng, -20, 20);
        CQzComplex const b = RandomComplex(rng, -20, 20);
        float const f = RandomPart(rng, -20, 20);
        Cd const sa = ToStd(a), sb = ToStd(b);
        double const size = std::abs(sa) + std::abs(sb);
        ASSERT_LE(std::abs(ToStd(a + b) - (sa + sb)), eps * size);
        ASSERT_LE(std::abs(ToStd(a - b) - (sa - sb)), eps * size);
        ASSERT_LE(std::abs(ToStd(a * b) - sa * sb), 2 * eps * std::abs(sa) * std::abs(sb));
        ASSERT_LE(std::abs(ToStd(a / b) - sa / sb), 4 * eps * std::abs(sa) / std::abs(sb));
        ASSERT_LE(std::abs(ToStd(a + f) - (sa + double(f))), eps * (std::abs(sa) + std::fabs(f)));
        ASSERT_LE(std::abs(ToStd(a * f) - sa * double(f)), eps * std::abs(sa) * std::fabs(f));
        ASSERT_LE(std::abs(ToStd(a / f) - sa / double(f)), 2 * eps * std::abs(sa) / std::fabs(f));
        ASSERT_NEAR(a.GetSquareMagnitude(), std::norm(sa), eps * std::norm(sa));
        ASSERT_NEAR(a.GetMagnitude(), std::abs(sa), eps * std::abs(sa));
        ASSERT_NEAR(a.Arg(), std::arg(sa), eps * kPi);

        CQzComplex c = a;
        c += b, c *= b, c -= f, c /= b, c *= f, c += f, c /= f, c -= b;
        ASSERT_TRUE(c == ((((((((a + b) * b) - f) / b) * f) + f) / f) - b));
    }
}

TEST(QzComplex, AccessComparisonAndInPlaceRules)
{
    CQzComplex z(1, 2);
    CQzComplex const& cz = z;
    EXPECT_TRUE(cz[0] == 1 && cz[1] == 2 && cz[5] == 2); // every index past 0 is the imaginary part
    z[5] = 7;
    EXPECT_TRUE(z == CQzComplex(1, 7));

    EXPECT_EQ(CQzComplex(1, 2) == CQzComplex(1, 2), 1);
    EXPECT_EQ(CQzComplex(kNaN, 2) == CQzComplex(kNaN, 2), 0);
    EXPECT_EQ(CQzComplex(kNaN, 2) != CQzComplex(kNaN, 2), 1);

    z.Set(1, 2);
    z.MulI();
    EXPECT_TRUE(z == CQzComplex(-2, 1));
    z.Conjugate();
    EXPECT_TRUE(z == CQzComplex(-2, -1));
    // component-wise reciprocals, not 1 / z = (0.1, -0.2)
    EXPECT_TRUE(CQzComplex(2, 4).Invert() == CQzComplex(0.5f, 0.25f));
    z.MakeSqrt(-4);
    EXPECT_TRUE(z == CQzComplex(0, 2));
    z.MakeSqrt(9);
    EXPECT_TRUE(z == CQzComplex(3, 0));
    EXPECT_LT(NormError(z.MakeExp(2.5f), std::polar(1.0, 2.5)), FLT_EPSILON);
    EXPECT_TRUE(CQzComplex(0, 2).Cartesian() == CQzComplex(2, float(kPi / 2)));
}

TEST(QzComplex, PrincipalFunctionsMatchDoublePrecision)
{
    SFunction const functions[] = {
        {"Sqrt", [](CQzComplex const& z) { CQzComplex r = z; return r.Sqrt(); },
         [](Cd const& z) { return std::sqrt(z); }, -120, 120, true},
        {"Ln", [](CQzComplex const& z) { return z.Ln(); }, [](Cd const& z) { return std::log(z); }, -120, 120, true},
        {"Ln near 1", [](CQzComplex const& z) { return (z * 0x1p-12f + 1).Ln(); },
         [](Cd const& z) { return std::log(Cd(float(z.real() * 0x1p-12 + 1), z.imag() * 0x1p-12)); }, -12, 0, true},
        {"Ln on the unit circle",
         [](CQzComplex const& z) { return CQzComplex(std::cos(z.GetReal()), std::sin(z.GetReal())).Ln(); },
         [](Cd const& z) { return std::log(Cd(std::cos(float(z.real())), std::sin(float(z.real())))); }, -8, 3, true},
        {"Sin", [](CQzComplex const& z) { return z.Sin(); }, [](Cd const& z) { return std::sin(z); }, -10, 6, true},
        {"Cos", [](CQzComplex const& z) { return z.Cos(); }, [](Cd const& z) { return std::cos(z); }, -10, 6, true},
        {"Tan", [](CQzComplex const& z) { return z.Tan(); }, [](Cd const& z) { return std::tan(z); }, -10, 6, true},
        {"Cotan", [](CQzComplex const& z) { return z.Cotan(); }, [](Cd const& z) { return 1.0 / std::tan(z); },
         -10, 6, false},
        {"Exp", [](CQzComplex const& z) { return z.Exp(); }, [](Cd const& z) { return std::exp(z); }, -10, 6, true},
    };
    std::mt19937 rng(12);
    for (SFunction const& f : functions)
    {
        double worst = 0;
        for (int n = 0; n < 20000; ++n)
        {
            CQzComplex const z = RandomComplex(rng, f.lo, f.hi);
            CQzComplex const got = f.ours(z);
            Cd const ref = f.reference(ToStd(z));
            double const error = f.partWise ? PartError(got, ref) : NormError(got, ref);
            worst = std::max(worst, error);
            ASSERT_LT(error, 4 * FLT_EPSILON) << f.name << "(" << z.GetReal() << ", " << z.GetImag() << ") = ("
                                   << got.GetReal() << ", " << got.GetImag() << "), not " << ref;
        }
        RecordProperty(std::string("worst ") + f.name + " in float epsilons", std::to_string(worst / FLT_EPSILON));
    }
}

TEST(QzComplex, BranchCutsFollowTheSignOfZero)
{
    std::mt19937 rng(13);
    for (int n = 0; n < 2000; ++n)
    {
        float const x = -std::fabs(RandomPart(rng, -100, 100));
        for (float y : {0.0f, -0.0f, FLT_TRUE_MIN, -FLT_TRUE_MIN})
        {
            CQzComplex root(x, y);
            root.Sqrt();
            Cd const sref = std::sqrt(Cd(x, y));
            ASSERT_LT(NormError(root, sref), 2e-7) << x << ", " << y;
            ASSERT_EQ(std::signbit(root.GetImag()), std::signbit(y));
            ASSERT_FALSE(std::signbit(root.GetReal()));

            CQzComplex const log = CQzComplex(x, y).Ln();
            ASSERT_LT(PartError(log, std::log(Cd(x, y))), 4 * FLT_EPSILON) << x << ", " << y;
            ASSERT_EQ(log.GetImag(), std::signbit(y) ? -float(kPi) : float(kPi));
        }
    }
    for (float y : {0.0f, -0.0f}) // the roots of -0 + 0i and -0 - 0i
    {
        CQzComplex root(-0.0f, y);
        EXPECT_TRUE(root.Sqrt() == CQzComplex(0, 0) && !std::signbit(root[0]) && std::signbit(root[1]) == std::signbit(y));
    }
}

TEST(QzComplex, NoNeedlessOverflowAtTheEndsOfTheRange)
{
    struct SCase
    {
        CQzComplex got;
        Cd ref;
    } const cases[] = {
        {CQzComplex(FLT_MAX, FLT_MAX).Sqrt(), std::sqrt(Cd(FLT_MAX, FLT_MAX))},
        {CQzComplex(-FLT_MAX, 1).Sqrt(), std::sqrt(Cd(-FLT_MAX, 1))},
        {CQzComplex(FLT_TRUE_MIN, -FLT_TRUE_MIN).Sqrt(), std::sqrt(Cd(FLT_TRUE_MIN, -FLT_TRUE_MIN))},
        {CQzComplex(FLT_MAX, -FLT_MAX).Ln(), std::log(Cd(FLT_MAX, -FLT_MAX))},
        {CQzComplex(FLT_TRUE_MIN, 0).Ln(), std::log(Cd(FLT_TRUE_MIN, 0))},
        {CQzComplex(0.8f, 89.5f).Sin(), std::sin(Cd(0.8f, 89.5))},
        {CQzComplex(-0.8f, -89.5f).Cos(), std::cos(Cd(-0.8f, -89.5))},
        {CQzComplex(1, 100).Tan(), std::tan(Cd(1, 100))},
        {CQzComplex(1, -100).Cotan(), 1.0 / std::tan(Cd(1, -100))},
    };
    for (SCase const& c : cases)
        EXPECT_LT(NormError(c.got, c.ref), 4 * FLT_EPSILON) << c.got.GetReal() << ", " << c.got.GetImag() << " vs " << c.ref;
}

TEST(QzComplex, HyperbolicFunctionsFollowTheirExponentialForms)
{
    std::mt19937 rng(14);
    std::uniform_real_distribution<float> part(-6, 6);
    for (int n = 0; n < 20000; ++n)
    {
        CQzComplex const z(part(rng), part(rng));
        Cd const s = ToStd(z);
        // each form adds or divides e^z and e^-z, so its error scales with them
        double const terms = std::abs(std::exp(s)) + std::abs(std::exp(-s));
        double const eps = 4 * FLT_EPSILON;
        ASSERT_LE(std::abs(ToStd(z.CoCQz()) - std::cosh(s)), eps * terms);
        ASSERT_LE(std::abs(ToStd(z.Sinh()) - std::sinh(s)), eps * terms);
        Cd const t = std::tanh(s);
        double const tanhBound = eps * terms / std::abs(std::exp(s) + std::exp(-s)) * (1 + std::abs(t));
        ASSERT_LE(std::abs(ToStd(z.Tanh()) - t), tanhBound) << s;
        // a reciprocal part moves by the part's error over its square
        CQzComplex const c = z.Cotanh();
        for (int part = 0; part < 2; ++part)
        {
            double const u = part == 0 ? t.real() : t.imag();
            ASSERT_LE(std::fabs(c[part] - 1 / u), tanhBound / (u * u) + eps / std::fabs(u)) << s;
        }
    }
}
