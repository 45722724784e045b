// QzComplex.cpp: the complex operations that call the mathematical library.
//
// Exp and the hyperbolic functions follow their defining formulas. The
// square root, the logarithm and the circular functions are the principal
// branches, computed in single precision the way a careful libm computes
// them: operands near the ends of the float range are scaled so no
// intermediate overflows before the result would, the logarithm keeps its
// relative accuracy near the unit circle, and on the cut along the negative
// real axis the sign of a zero imaginary part chooses the side.
#include "QzComplex.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

namespace {

float const kInfinity = std::numeric_limits<float>::infinity();
float const kLn2 = 0.693147180559945309f;

// The principal square root of x + iy.
std::pair<float, float> PrincipalSqrt(float x, float y)
{
    if (x == 0.0f && y == 0.0f)
        return {0.0f, y};
    if (std::isinf(y))
        return {kInfinity, y};
    if (std::isinf(x))
    {
        if (x > 0.0f)
            return {x, std::isnan(y) ? y : std::copysign(0.0f, y)};
        return {std::isnan(y) ? y : 0.0f, std::copysign(kInfinity, y)};
    }
    // Scaling by an even power of two scales the root exactly by its half.
    float scale = 1.0f;
    float const big = FLT_MAX * 0.25f;
    float const tiny = 0x1p-60f;
    if (std::fabs(x) > big || std::fabs(y) > big)
    {
        x *= 0.25f;
        y *= 0.25f;
        scale = 2.0f;
    }
    else if (std::fabs(x) < tiny && std::fabs(y) < tiny)
    {
        x *= 0x1p64f;
        y *= 0x1p64f;
        scale = 0x1p-32f;
    }
    // t = sqrt((|x| + |z|) / 2) has no cancellation; the other part follows
    // from y = 2 * re * im.
    float const t = std::sqrt(0.5f * (std::fabs(x) + std::hypot(x, y)));
    if (x >= 0.0f)
        return {t * scale, y / (2.0f * t) * scale};
    return {std::fabs(y) / (2.0f * t) * scale, std::copysign(t, y) * scale};
}

// a + b = s + e exactly.
void TwoSum(float a, float b, float& s, float& e)
{
    s = a + b;
    float const bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// ln |x + iy|, accurate relative to itself also where |z| is close to 1.
float LogMagnitude(float x, float y)
{
    float a = std::fabs(x);
    float b = std::fabs(y);
    if (a < b)
        std::swap(a, b);
    if (!(a <= FLT_MAX)) // infinite or NaN: hypot knows an infinity beats a NaN
        return std::log(std::hypot(x, y));
    if (a > 0x1p126f)
        return std::log(std::hypot(x * 0.25f, y * 0.25f)) + 2.0f * kLn2;
    float const aa = a * a;
    float const bb = b * b;
    float high, highLow;
    TwoSum(aa, bb, high, highLow);
    if (high < 0.5f || high > 2.0f)
        return std::log(std::hypot(x, y));
    // |z|^2 - 1 without rounding away what cancels: the squares split
    // exactly into high and low parts, every sum keeps its error term, and
    // high - 1 is exact in this range.
    float const aaLow = std::fma(a, a, -aa);
    float const bbLow = std::fma(b, b, -bb);
    float low, lowLow, small, smallLow, sum, sumLow;
    TwoSum(aaLow, bbLow, low, lowLow);
    TwoSum(low, highLow, small, smallLow);
    TwoSum(high - 1.0f, small, sum, sumLow);
    return 0.5f * std::log1p(sum + (sumLow + smallLow + lowLow));
}

// s * cosh y and s * sinh y, with a large |y| split so the factor cannot
// overflow before the product does; a zero s stays zero.
float TimesCosh(float s, float y)
{
    if (s == 0.0f)
        return s;
    if (std::fabs(y) < 88.0f)
        return s * std::cosh(y);
    float const h = std::exp(0.5f * std::fabs(y));
    return s * 0.5f * h * h;
}

float TimesSinh(float s, float y)
{
    if (s == 0.0f)
        return s * std::copysign(1.0f, y);
    if (std::fabs(y) < 88.0f)
        return s * std::sinh(y);
    float const h = std::exp(0.5f * std::fabs(y));
    return std::copysign(1.0f, y) * s * 0.5f * h * h;
}

// tanh(x + iy) in Kahan's form, which neither overflows for a large |x|
// nor loses the small imaginary part there.
CQzComplex PrincipalTanh(float x, float y)
{
    if (std::fabs(x) >= 9.0f) // e^(-2|x|) is below the rounding of 1
    {
        float const e = std::exp(-std::fabs(x));
        return CQzComplex(std::copysign(1.0f, x), 4.0f * std::sin(y) * std::cos(y) * e * e);
    }
    float const t = std::tan(y);
    float const beta = 1.0f + t * t;
    float const s = std::sinh(x);
    float const rho = std::sqrt(1.0f + s * s);
    float const den = 1.0f + beta * s * s;
    return CQzComplex(beta * rho * s / den, t / den);
}

// 1 / (x + iy) by Smith's method, which does not square the parts.
CQzComplex Reciprocal(float x, float y)
{
    if (x == 0.0f && y == 0.0f) // a pole: infinite real part
        return CQzComplex(std::copysign(kInfinity, x), -y);
    if (std::fabs(x) >= std::fabs(y))
    {
        float const r = y / x;
        float const d = x + y * r;
        return CQzComplex(1.0f / d, -r / d);
    }
    float const r = x / y;
    float const d = x * r + y;
    return CQzComplex(r / d, -1.0f / d);
}

} // namespace

CQzComplex::~CQzComplex() {}

// ---- queries ----

float CQzComplex::GetMagnitude() const { return std::sqrt(m_re * m_re + m_im * m_im); }

float CQzComplex::Arg() const { return std::atan2(m_im, m_re); }

// ---- arithmetic ----

CQzComplex CQzComplex::operator/(CQzComplex const& w) const
{
    float const k = 1.0f / (w.m_re * w.m_re + w.m_im * w.m_im);
    return CQzComplex((m_re * w.m_re + m_im * w.m_im) * k, (m_im * w.m_re - m_re * w.m_im) * k);
}

// ---- in-place transformations ----

CQzComplex& CQzComplex::Invert()
{
    Set(1.0f / m_re, 1.0f / m_im);
    return *this;
}

CQzComplex& CQzComplex::Sqrt()
{
    std::pair<float, float> const root = PrincipalSqrt(m_re, m_im);
    Set(root.first, root.second);
    return *this;
}

void CQzComplex::MakeSqrt(float x)
{
    if (x >= 0.0f)
        Set(std::sqrt(x), 0.0f);
    else
        Set(0.0f, std::sqrt(-x));
}

CQzComplex& CQzComplex::MakeExp(float angle)
{
    Set(std::cos(angle), std::sin(angle));
    return *this;
}

// ---- exponential and hyperbolic functions ----

CQzComplex CQzComplex::Cartesian() const { return CQzComplex(GetMagnitude(), Arg()); }

CQzComplex CQzComplex::Exp() const
{
    float const e = std::exp(m_re);
    return CQzComplex(e * std::cos(m_im), e * std::sin(m_im));
}

CQzComplex CQzComplex::CoCQz() const { return (Exp() + (-*this).Exp()) * 0.5f; }

CQzComplex CQzComplex::Sinh() const { return (Exp() - (-*this).Exp()) * 0.5f; }

CQzComplex CQzComplex::Tanh() const
{
    CQzComplex const e = Exp();
    CQzComplex const eMinus = (-*this).Exp();
    return (e - eMinus) / (e + eMinus);
}

CQzComplex CQzComplex::Cotanh() const
{
    CQzComplex t = Tanh();
    t.Invert();
    return t;
}

// ---- principal logarithm and circular functions ----

CQzComplex CQzComplex::Ln() const { return CQzComplex(LogMagnitude(m_re, m_im), Arg()); }

// sin(x + iy) = sin x cosh y + i cos x sinh y
CQzComplex CQzComplex::Sin() const
{
    return CQzComplex(TimesCosh(std::sin(m_re), m_im), TimesSinh(std::cos(m_re), m_im));
}

// cos(x + iy) = cos x cosh y - i sin x sinh y
CQzComplex CQzComplex::Cos() const
{
    return CQzComplex(TimesCosh(std::cos(m_re), m_im), -TimesSinh(std::sin(m_re), m_im));
}

// tan z = -i tanh(iz)
CQzComplex CQzComplex::Tan() const
{
    CQzComplex const t = PrincipalTanh(-m_im, m_re);
    return CQzComplex(t.m_im, -t.m_re);
}

CQzComplex CQzComplex::Cotan() const
{
    CQzComplex const t = Tan();
    return Reciprocal(t.m_re, t.m_im);
}
