// QzCubicInterpolator.h: cubic curves from a caller's 4×4 basis (Bézier,
// Hermite, Catmull-Rom, B-spline: the matrix decides) and four control
// values: CQzCubicInterpolator (scalar), CQzCubicInterpolator2 and 3 (one
// per axis), and the empty CQzBicubicInterpolator.
#ifndef QZCORE_GEOMETRY_QZCUBICINTERPOLATOR_H
#define QZCORE_GEOMETRY_QZCUBICINTERPOLATOR_H

#include "QzApi.h"
#include "math/QzMatrix44.h"
#include "math/QzVector2.h"
#include "math/QzVector3.h"
#include "math/QzVector4.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzCubicInterpolator
{
public:
    // The zero polynomial.
    CQzCubicInterpolator() : m_k{0.0f, 0.0f, 0.0f, 0.0f} {}
    CQzCubicInterpolator(CQzMatrix44 const& basis, CQzVector4 const& values) { Set(basis, values); }
    CQzCubicInterpolator(CQzCubicInterpolator const&) = default;
    CQzCubicInterpolator& operator=(CQzCubicInterpolator const&) = default;
    virtual ~CQzCubicInterpolator();

    // The coefficients are basis × values, a row of four stored elements each;
    // the first multiplies t³, the last is the constant term.
    void Set(CQzMatrix44 const& basis, CQzVector4 const& values);
    // k0·t³ + k1·t² + k2·t + k3 in nested form; t is not clamped.
    float Evaluate(float t) const { return t * ((m_k[0] * t + m_k[1]) * t + m_k[2]) + m_k[3]; }

    // The distance travelled by the value while the parameter runs from 0 to
    // t (to 1 without argument; over [t, 0] for a negative t).
    float ComputeArcLength() const { return ComputeArcLength(1.0f); }
    float ComputeArcLength(float t) const;

private:
    friend class CQzCubicInterpolator2;
    friend class CQzCubicInterpolator3;

    // The derivative, in double.
    double Slope(double t) const { return (3.0 * m_k[0] * t + 2.0 * m_k[1]) * t + m_k[2]; }
    // Appends the zeros of the derivative strictly inside (a, b) to cuts;
    // returns how many there were (at most two).
    int AddSlopeZeros(double a, double b, double* cuts) const;

    float m_k[4];
};

class QZ_API CQzCubicInterpolator2
{
public:
    CQzCubicInterpolator2() {}
    CQzCubicInterpolator2(CQzCubicInterpolator const& x, CQzCubicInterpolator const& y) : m_x(x), m_y(y) {}
    CQzCubicInterpolator2(CQzCubicInterpolator2 const&) = default;
    CQzCubicInterpolator2& operator=(CQzCubicInterpolator2 const&) = default;
    ~CQzCubicInterpolator2() {}

    CQzVector2 Interpolate(float t) const { return CQzVector2(m_x.Evaluate(t), m_y.Evaluate(t)); }
    // The curve's length from parameter 0 to t (to 1 without argument).
    float ComputeArcLength() const { return ComputeArcLength(1.0f); }
    float ComputeArcLength(float t) const;

private:
    CQzCubicInterpolator m_x;
    CQzCubicInterpolator m_y;
};

class QZ_API CQzCubicInterpolator3
{
public:
    CQzCubicInterpolator3() {}
    CQzCubicInterpolator3(CQzCubicInterpolator const& x, CQzCubicInterpolator const& y, CQzCubicInterpolator const& z)
        : m_x(x), m_y(y), m_z(z)
    {
    }
    CQzCubicInterpolator3(CQzCubicInterpolator3 const&) = default;
    CQzCubicInterpolator3& operator=(CQzCubicInterpolator3 const&) = default;
    ~CQzCubicInterpolator3() {}

    // The size of one object in bytes.
    static int GetMemoryUsage() { return int(sizeof(CQzCubicInterpolator3)); }

    CQzVector3 Interpolate(float t) const { return CQzVector3(m_x.Evaluate(t), m_y.Evaluate(t), m_z.Evaluate(t)); }
    // The curve's length from parameter 0 to t (to 1 without argument).
    float ComputeArcLength() const { return ComputeArcLength(1.0f); }
    float ComputeArcLength(float t) const;

private:
    CQzCubicInterpolator m_x;
    CQzCubicInterpolator m_y;
    CQzCubicInterpolator m_z;
};

// No data and no operations beyond copying.
class QZ_API CQzBicubicInterpolator
{
public:
    CQzBicubicInterpolator() {}
    CQzBicubicInterpolator(CQzBicubicInterpolator const&) {}
    CQzBicubicInterpolator& operator=(CQzBicubicInterpolator const&) { return *this; }
};

#endif // QZCORE_GEOMETRY_QZCUBICINTERPOLATOR_H
