// QzVector4.h: CQzVector4, four floats: homogeneous points, matrix rows
// and plain four-component data.
#ifndef QZCORE_MATH_QZVECTOR4_H
#define QZCORE_MATH_QZVECTOR4_H

#include "QzApi.h"
#include "math/QzColor.h"
#include "math/QzVector3.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzVector4
{
public:
    // Leaves all four components unset, so arrays of vectors cost nothing.
    CQzVector4() noexcept {}
    CQzVector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    CQzVector4(CQzVector3 const& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}
    // x, y, z from the red, green and blue channels.
    CQzVector4(CQzRGB<float> const& c, float w_) : x(c.GetR()), y(c.GetG()), z(c.GetB()), w(w_) {}

    // ---- setting ----

    void SetXYZW(float x_, float y_, float z_, float w_) { x = x_; y = y_; z = z_; w = w_; }
    void Set0000() { SetXYZW(0.0f, 0.0f, 0.0f, 0.0f); }
    void Set1111() { SetXYZW(1.0f, 1.0f, 1.0f, 1.0f); }
    void Set0001() { SetXYZW(0.0f, 0.0f, 0.0f, 1.0f); }

    // No bounds check: 0 is x, 1 is y, 2 is z, 3 is w.
    float& operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }

    // ---- component-wise arithmetic ----

    void AddXYZW(float x_, float y_, float z_, float w_) { x += x_; y += y_; z += z_; w += w_; }
    void SubXYZW(float x_, float y_, float z_, float w_) { x -= x_; y -= y_; z -= z_; w -= w_; }
    void MulXYZW(float x_, float y_, float z_, float w_) { x *= x_; y *= y_; z *= z_; w *= w_; }
    void DivXYZW(float x_, float y_, float z_, float w_) { x /= x_; y /= y_; z /= z_; w /= w_; }

    CQzVector4 operator+(CQzVector4 const& v) const { return CQzVector4(x + v.x, y + v.y, z + v.z, w + v.w); }
    CQzVector4 operator-(CQzVector4 const& v) const { return CQzVector4(x - v.x, y - v.y, z - v.z, w - v.w); }
    CQzVector4 operator*(CQzVector4 const& v) const { return CQzVector4(x * v.x, y * v.y, z * v.z, w * v.w); }
    CQzVector4 operator/(CQzVector4 const& v) const { return CQzVector4(x / v.x, y / v.y, z / v.z, w / v.w); }
    CQzVector4 operator*(float s) const { return CQzVector4(x * s, y * s, z * s, w * s); }
    CQzVector4 operator-() const { return CQzVector4(-x, -y, -z, -w); }
    CQzVector4& operator+=(CQzVector4 const& v) { x += v.x; y += v.y; z += v.z; w += v.w; return *this; }
    CQzVector4& operator-=(CQzVector4 const& v) { x -= v.x; y -= v.y; z -= v.z; w -= v.w; return *this; }
    CQzVector4& operator*=(CQzVector4 const& v) { x *= v.x; y *= v.y; z *= v.z; w *= v.w; return *this; }
    CQzVector4& operator/=(CQzVector4 const& v) { x /= v.x; y /= v.y; z /= v.z; w /= v.w; return *this; }
    CQzVector4& operator*=(float s) { x *= s; y *= s; z *= s; w *= s; return *this; }

    // Unlike the smaller vectors, a zero divisor leaves the value as it is.
    CQzVector4 operator/(float s) const
    {
        if (s == 0.0f)
            return *this;
        return *this * (1.0f / s);
    }
    CQzVector4& operator/=(float s)
    {
        if (s != 0.0f)
            *this *= 1.0f / s;
        return *this;
    }

    // ---- products ----

    // x, y, z = a.xyz × b.xyz, and w = 1 whatever the inputs' w.
    void CrossProduct(CQzVector4 const& a, CQzVector4 const& b)
    {
        float const cx = a.y * b.z - a.z * b.y;
        float const cy = a.z * b.x - a.x * b.z;
        float const cz = a.x * b.y - a.y * b.x;
        SetXYZW(cx, cy, cz, 1.0f);
    }

    // ---- comparison ----

    int operator==(CQzVector4 const& v) const { return x == v.x && y == v.y && z == v.z && w == v.w; }
    int operator!=(CQzVector4 const& v) const { return !(*this == v); }
    // True when any component is smaller; not an ordering.
    bool operator<(CQzVector4 const& v) const { return x < v.x || y < v.y || z < v.z || w < v.w; }

    float x;
    float y;
    float z;
    float w;
};

#endif // QZCORE_MATH_QZVECTOR4_H
