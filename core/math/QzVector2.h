// QzVector2.h: CQzVector2 (two floats) and CQzVector2i (two signed ints),
// the planar value types of the geometry code.
#ifndef QZCORE_MATH_QZVECTOR2_H
#define QZCORE_MATH_QZVECTOR2_H

#include "QzApi.h"

#include <cmath>

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzVector2
{
public:
    // Leaves both components unset, so arrays of vectors cost nothing to make.
    CQzVector2() noexcept {}
    CQzVector2(float x_, float y_) : x(x_), y(y_) {}

    // ---- setting ----

    void SetXY(float x_, float y_) { x = x_; y = y_; }
    void SetNull() { x = 0.0f; y = 0.0f; }

    // No bounds check: 0 is x, 1 is y.
    float& operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }

    // ---- component-wise arithmetic ----

    void AddXY(float x_, float y_) { x += x_; y += y_; }
    void SubXY(float x_, float y_) { x -= x_; y -= y_; }
    void MulXY(float x_, float y_) { x *= x_; y *= y_; }
    void DivXY(float x_, float y_) { x /= x_; y /= y_; }

    CQzVector2 operator+(CQzVector2 const& v) const { return CQzVector2(x + v.x, y + v.y); }
    CQzVector2 operator-(CQzVector2 const& v) const { return CQzVector2(x - v.x, y - v.y); }
    CQzVector2 operator*(CQzVector2 const& v) const { return CQzVector2(x * v.x, y * v.y); }
    CQzVector2 operator/(CQzVector2 const& v) const { return CQzVector2(x / v.x, y / v.y); }
    CQzVector2 operator-() const { return CQzVector2(-x, -y); }
    void operator+=(CQzVector2 const& v) { x += v.x; y += v.y; }
    void operator-=(CQzVector2 const& v) { x -= v.x; y -= v.y; }
    void operator*=(CQzVector2 const& v) { x *= v.x; y *= v.y; }
    void operator/=(CQzVector2 const& v) { x /= v.x; y /= v.y; }
    void operator*=(float s) { x *= s; y *= s; }
    // Multiplies by 1/s: a zero divisor gives infinities.
    CQzVector2 operator/(float s) const { float const r = 1.0f / s; return CQzVector2(x * r, y * r); }
    void operator/=(float s) { float const r = 1.0f / s; x *= r; y *= r; }

    void Oppose() { x = -x; y = -y; }
    // Each component becomes its reciprocal; zero gives an infinity.
    void Invert() { x = 1.0f / x; y = 1.0f / y; }

    // ---- products ----

    float DotProduct(CQzVector2 const& v) const { return x * v.x + y * v.y; }
    // The z of the 3D cross product: positive when v lies counter-clockwise.
    float CrossProduct(CQzVector2 const& v) const { return x * v.y - y * v.x; }

    // ---- lengths and distances ----

    float GetSquaredLength() const { return x * x + y * y; }
    float GetLength() const { return std::sqrt(GetSquaredLength()); }
    float GetLength1() const { return std::fabs(x) + std::fabs(y); }
    float SquaredDistance(CQzVector2 const& v) const { return (*this - v).GetSquaredLength(); }
    float Distance(CQzVector2 const& v) const { return (*this - v).GetLength(); }

    // Scales to length L when L > 0; a zero vector is not guarded against.
    void SetLength(float L)
    {
        if (L > 0.0f)
            *this *= L / GetLength();
    }

    // Leaves a vector whose length is not positive unchanged.
    void Normalize()
    {
        float const length = GetLength();
        if (length > 0.0f)
            *this *= 1.0f / length;
    }
    CQzVector2 getNormalized() const
    {
        CQzVector2 v(*this);
        v.Normalize();
        return v;
    }

    // ---- minimum and maximum ----

    // On a tie (or a NaN) the component of v is taken.
    CQzVector2 Maximum(CQzVector2 const& v) const
    {
        return CQzVector2(x > v.x ? x : v.x, y > v.y ? y : v.y);
    }
    CQzVector2 Minimum(CQzVector2 const& v) const
    {
        return CQzVector2(x < v.x ? x : v.x, y < v.y ? y : v.y);
    }

    // ---- comparison ----

    bool operator==(CQzVector2 const& v) const { return x == v.x && y == v.y; }
    bool operator!=(CQzVector2 const& v) const { return !(*this == v); }

    // ---- planar specifics ----

    CQzVector2 GetPerpendicularLeft() const { return CQzVector2(-y, x); }
    CQzVector2 GetPerpendicularRight() const { return CQzVector2(y, -x); }

    // Counter-clockwise for positive angles (radians) with y pointing up.
    void Rotate(float angle)
    {
        float const c = std::cos(angle);
        float const s = std::sin(angle);
        float const rx = x * c - y * s;
        float const ry = x * s + y * c;
        x = rx;
        y = ry;
    }

    // this = (b - a)·t + a; t is not clamped.
    void Lerp(CQzVector2 const& a, CQzVector2 const& b, float t)
    {
        x = (b.x - a.x) * t + a.x;
        y = (b.y - a.y) * t + a.y;
    }

    float x;
    float y;
};

// Two's-complement integer vector: sums and products wrap instead of
// overflowing, as the original platform's integers did.
class QZ_API CQzVector2i
{
public:
    CQzVector2i() noexcept {}
    CQzVector2i(int x_, int y_) : x(x_), y(y_) {}

    void SetXY(int x_, int y_) { x = x_; y = y_; }
    void SetNull() { x = 0; y = 0; }

    int& operator[](int i) { return (&x)[i]; }
    int operator[](int i) const { return (&x)[i]; }

    // ---- component-wise arithmetic (wrapping) ----

    void AddXY(int x_, int y_) { x = Add(x, x_); y = Add(y, y_); }
    void SubXY(int x_, int y_) { x = Sub(x, x_); y = Sub(y, y_); }
    void MulXY(int x_, int y_) { x = Mul(x, x_); y = Mul(y, y_); }

    CQzVector2i operator+(CQzVector2i const& v) const { return CQzVector2i(Add(x, v.x), Add(y, v.y)); }
    CQzVector2i operator-(CQzVector2i const& v) const { return CQzVector2i(Sub(x, v.x), Sub(y, v.y)); }
    CQzVector2i operator*(CQzVector2i const& v) const { return CQzVector2i(Mul(x, v.x), Mul(y, v.y)); }
    CQzVector2i operator-() const { return CQzVector2i(Sub(0, x), Sub(0, y)); }
    void operator+=(CQzVector2i const& v) { AddXY(v.x, v.y); }
    void operator-=(CQzVector2i const& v) { SubXY(v.x, v.y); }
    void operator*=(CQzVector2i const& v) { MulXY(v.x, v.y); }
    void operator*=(int s) { MulXY(s, s); }
    void Oppose() { *this = -*this; }

    // ---- comparison ----

    bool operator==(CQzVector2i const& v) const { return x == v.x && y == v.y; }
    bool operator!=(CQzVector2i const& v) const { return !(*this == v); }

    int x;
    int y;

private:
    // Unsigned arithmetic wraps by definition; the conversion back keeps
    // the low 32 bits.
    static int Add(int a, int b) { return int(unsigned(a) + unsigned(b)); }
    static int Sub(int a, int b) { return int(unsigned(a) - unsigned(b)); }
    static int Mul(int a, int b) { return int(unsigned(a) * unsigned(b)); }
};

#endif // QZCORE_MATH_QZVECTOR2_H
