// QzComplex.h: CQzComplex, the single-precision complex number, with its
// arithmetic, the exponential, the hyperbolic and the principal circular
// functions, square root and logarithm.
#ifndef QZCORE_MATH_QZCOMPLEX_H
#define QZCORE_MATH_QZCOMPLEX_H

#include "QzApi.h"

// A plain value: any thread may use its own, none is shared. The virtual
// destructor is its only virtual operation.
class QZ_API CQzComplex
{
public:
    CQzComplex() {} // parts unset
    CQzComplex(float re, float im) : m_re(re), m_im(im) {}
    CQzComplex(CQzComplex const& o)
    {
        if (this != &o)
        {
            m_re = o.m_re;
            m_im = o.m_im;
        }
    }
    CQzComplex& operator=(CQzComplex const& o)
    {
        if (this != &o)
        {
            m_re = o.m_re;
            m_im = o.m_im;
        }
        return *this;
    }
    virtual ~CQzComplex();

    // ---- parts ----
    void Set(float re, float im) { m_re = re; m_im = im; }
    void SetReal(float re) { m_re = re; }
    void SetImag(float im) { m_im = im; }
    float GetReal() const { return m_re; }
    float GetImag() const { return m_im; }
    // 0 is the real part, any other index the imaginary part.
    float& operator[](unsigned int i) { return i == 0 ? m_re : m_im; }
    float operator[](unsigned int i) const { return i == 0 ? m_re : m_im; }

    // ---- queries ----
    float GetSquareMagnitude() const { return m_re * m_re + m_im * m_im; }
    float GetMagnitude() const;
    // atan2(im, re), from -pi to pi.
    float Arg() const;
    // 1 when both parts compare equal (never with a NaN part), else 0.
    int operator==(CQzComplex const& o) const { return m_re == o.m_re && m_im == o.m_im ? 1 : 0; }
    int operator!=(CQzComplex const& o) const { return *this == o ? 0 : 1; }

    // ---- arithmetic ----
    CQzComplex operator-() const { return CQzComplex(-m_re, -m_im); }
    CQzComplex operator+(CQzComplex const& w) const { return CQzComplex(m_re + w.m_re, m_im + w.m_im); }
    CQzComplex operator-(CQzComplex const& w) const { return CQzComplex(m_re - w.m_re, m_im - w.m_im); }
    CQzComplex operator*(CQzComplex const& w) const
    {
        return CQzComplex(m_re * w.m_re - m_im * w.m_im, m_re * w.m_im + m_im * w.m_re);
    }
    // Scaled by 1 / |w|^2; a zero divisor gives infinities or NaN.
    CQzComplex operator/(CQzComplex const& w) const;
    CQzComplex operator+(float f) const { return CQzComplex(m_re + f, m_im); }
    CQzComplex operator-(float f) const { return CQzComplex(m_re - f, m_im); }
    CQzComplex operator*(float f) const { return CQzComplex(m_re * f, m_im * f); }
    // Both parts multiplied by 1 / f.
    CQzComplex operator/(float f) const { return *this * (1.0f / f); }
    CQzComplex& operator+=(CQzComplex const& w) { return *this = *this + w; }
    CQzComplex& operator-=(CQzComplex const& w) { return *this = *this - w; }
    CQzComplex& operator*=(CQzComplex const& w) { return *this = *this * w; }
    CQzComplex& operator/=(CQzComplex const& w) { return *this = *this / w; }
    CQzComplex& operator+=(float f) { return *this = *this + f; }
    CQzComplex& operator-=(float f) { return *this = *this - f; }
    CQzComplex& operator*=(float f) { return *this = *this * f; }
    CQzComplex& operator/=(float f) { return *this = *this / f; }

    // ---- in-place transformations ----
    void Conjugate() { m_im = -m_im; }
    // Multiplies by i.
    void MulI() { Set(-m_im, m_re); }
    // Each part by its own reciprocal, (1 / re, 1 / im): not 1 / z.
    CQzComplex& Invert();
    // The principal square root: real part >= 0, the imaginary part takes
    // the sign of the old one (so -4 - 0i gives -2i).
    CQzComplex& Sqrt();
    // The square root of a real number: (sqrt x, 0), or (0, sqrt -x) below 0.
    void MakeSqrt(float x);
    // The unit number at this angle: (cos angle, sin angle).
    CQzComplex& MakeExp(float angle);

    // ---- functions ----
    // The polar form packed as (magnitude, argument).
    CQzComplex Cartesian() const;
    // e^re * (cos im, sin im).
    CQzComplex Exp() const;
    // The hyperbolic functions are formed from Exp(z) and Exp(-z).
    CQzComplex CoCQz() const;
    CQzComplex Sinh() const;
    CQzComplex Tanh() const;
    // Tanh() followed by Invert(): component-wise reciprocals.
    CQzComplex Cotanh() const;
    // The principal logarithm: (ln |z|, Arg()), the cut along the negative
    // real axis, where the sign of a zero imaginary part picks pi or -pi.
    CQzComplex Ln() const;
    // The circular functions; Cotan is 1 / Tan, infinite at multiples of pi.
    CQzComplex Sin() const;
    CQzComplex Cos() const;
    CQzComplex Tan() const;
    CQzComplex Cotan() const;

private:
    float m_re;
    float m_im;
};

#endif // QZCORE_MATH_QZCOMPLEX_H
