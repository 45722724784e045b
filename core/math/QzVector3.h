// QzVector3.h: CQzVector3, the 3D point and direction of the whole library
// (x right, y front, z up), and CQzHENDN3, a unit-range vector packed in 32 bits.
#ifndef QZCORE_MATH_QZVECTOR3_H
#define QZCORE_MATH_QZVECTOR3_H

#include "QzApi.h"
#include "math/QzVector2.h"

#include <cmath>

// A vector with components in [-1, 1] packed into one word: x in bits 0-10
// and y in bits 11-21 (11-bit two's complement of value × 1023), z in bits
// 22-31 (10-bit two's complement of value × 511). CQzVector3 reads and
// writes it; the word is public so that vertex data can be copied in as is.
class QZ_API CQzHENDN3
{
public:
    // Indexed by a field's top bit: 0, or the mask that fills the bits above
    // the field, turning the field into a signed 32-bit integer.
    static unsigned int const SignExtendXY[2];
    static unsigned int const SignExtendZ[2];

    unsigned int word;
};

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzVector3
{
public:
    // Unlike the other vectors, a default vector is (0, 0, 0).
    CQzVector3() : x(0.0f), y(0.0f), z(0.0f) {}
    CQzVector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    CQzVector3(CQzVector2 const& xy, float z_) : x(xy.x), y(xy.y), z(z_) {}
    // Reads three consecutive floats.
    explicit CQzVector3(float const* p) : x(p[0]), y(p[1]), z(p[2]) {}
    explicit CQzVector3(CQzHENDN3 const* p) { LoadHENDN3(p); }

    static unsigned int GetMemoryUsage() { return 12; }

    // ---- setting ----

    void SetXYZ(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }
    void SetNull() { x = 0.0f; y = 0.0f; z = 0.0f; }
    CQzVector2 XY() const { return CQzVector2(x, y); }

    // No bounds check: 0 is x, 1 is y, 2 is z.
    float& operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }

    // ---- component-wise arithmetic ----

    void AddXYZ(float x_, float y_, float z_) { x += x_; y += y_; z += z_; }
    void SubXYZ(float x_, float y_, float z_) { x -= x_; y -= y_; z -= z_; }
    void MulXYZ(float x_, float y_, float z_) { x *= x_; y *= y_; z *= z_; }
    void DivXYZ(float x_, float y_, float z_) { x /= x_; y /= y_; z /= z_; }

    CQzVector3 operator+(CQzVector3 const& v) const { return CQzVector3(x + v.x, y + v.y, z + v.z); }
    CQzVector3 operator-(CQzVector3 const& v) const { return CQzVector3(x - v.x, y - v.y, z - v.z); }
    CQzVector3 operator*(CQzVector3 const& v) const { return CQzVector3(x * v.x, y * v.y, z * v.z); }
    CQzVector3 operator/(CQzVector3 const& v) const { return CQzVector3(x / v.x, y / v.y, z / v.z); }
    CQzVector3 operator-() const { return CQzVector3(-x, -y, -z); }
    void operator+=(CQzVector3 const& v) { x += v.x; y += v.y; z += v.z; }
    void operator-=(CQzVector3 const& v) { x -= v.x; y -= v.y; z -= v.z; }
    void operator*=(CQzVector3 const& v) { x *= v.x; y *= v.y; z *= v.z; }
    void operator/=(CQzVector3 const& v) { x /= v.x; y /= v.y; z /= v.z; }
    void operator*=(float s) { x *= s; y *= s; z *= s; }
    // Multiplies by 1/s: a zero divisor gives infinities.
    CQzVector3 operator/(float s) const
    {
        float const r = 1.0f / s;
        return CQzVector3(x * r, y * r, z * r);
    }
    void operator/=(float s) { *this *= 1.0f / s; }

    void Oppose() { x = -x; y = -y; z = -z; }
    // Each component becomes its reciprocal; zero gives an infinity.
    void Invert() { x = 1.0f / x; y = 1.0f / y; z = 1.0f / z; }

    // ---- products ----

    float DotProduct(CQzVector3 const& v) const { return x * v.x + y * v.y + z * v.z; }
    // this × v
    CQzVector3 CrossProduct(CQzVector3 const& v) const
    {
        return CQzVector3(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
    }
    CQzVector3 operator^(CQzVector3 const& v) const { return CrossProduct(v); }
    // this = a × b
    void CrossProduct(CQzVector3 const& a, CQzVector3 const& b) { *this = a.CrossProduct(b); }

    // ---- lengths and distances ----

    float GetSquaredLength() const { return x * x + y * y + z * z; }
    float GetLength() const { return std::sqrt(GetSquaredLength()); }
    float GetLength1() const { return std::fabs(x) + std::fabs(y) + std::fabs(z); }
    float SquaredDistance(CQzVector3 const& v) const { return (*this - v).GetSquaredLength(); }
    float Distance(CQzVector3 const& v) const { return (*this - v).GetLength(); }

    // Scales to length L when L > 0; a zero vector is not guarded against.
    void SetLength(float L)
    {
        if (L > 0.0f)
            *this *= L / GetLength();
    }

    // ---- normalisation ----

    // False, and the vector unchanged, when its length is not positive.
    bool Normalize()
    {
        float const length = GetLength();
        if (!(length > 0.0f))
            return false;
        *this *= 1.0f / length;
        return true;
    }
    // A vector whose length is not positive becomes the fallback.
    void Normalize(CQzVector3 const& fallback)
    {
        if (!Normalize())
            *this = fallback;
    }
    // Below a length of 1e-5 the vector is scaled by its own length instead
    // of its inverse, so a zero vector stays zero and never turns into NaN.
    CQzVector3 getNormalized() const
    {
        float const length = GetLength();
        float const factor = std::fabs(length) >= 1e-5f ? 1.0f / length : length;
        return CQzVector3(x * factor, y * factor, z * factor);
    }

    // ---- minimum, maximum, clamping ----

    // On a tie (or a NaN) the component of v is taken.
    CQzVector3 Maximum(CQzVector3 const& v) const
    {
        return CQzVector3(x > v.x ? x : v.x, y > v.y ? y : v.y, z > v.z ? z : v.z);
    }
    CQzVector3 Minimum(CQzVector3 const& v) const
    {
        return CQzVector3(x < v.x ? x : v.x, y < v.y ? y : v.y, z < v.z ? z : v.z);
    }
    void ClampMin(CQzVector3 const& min)
    {
        if (x < min.x) x = min.x;
        if (y < min.y) y = min.y;
        if (z < min.z) z = min.z;
    }
    void ClampMax(CQzVector3 const& max)
    {
        if (x > max.x) x = max.x;
        if (y > max.y) y = max.y;
        if (z > max.z) z = max.z;
    }
    // The upper bound wins where the bounds cross.
    void Clamp(CQzVector3 const& min, CQzVector3 const& max)
    {
        ClampMin(min);
        ClampMax(max);
    }
    float GetMaxComponent() const
    {
        float const m = x > y ? x : y;
        return m > z ? m : z;
    }
    float GetMinComponent() const
    {
        float const m = x < y ? x : y;
        return m < z ? m : z;
    }
    void Floor() { x = std::floor(x); y = std::floor(y); z = std::floor(z); }

    // ---- comparison ----

    int operator==(CQzVector3 const& v) const { return x == v.x && y == v.y && z == v.z; }
    int operator!=(CQzVector3 const& v) const { return !(*this == v); }
    // Strict: every difference must be below the tolerance.
    bool Equal(CQzVector3 const& v, float tolerance) const
    {
        return std::fabs(x - v.x) < tolerance && std::fabs(y - v.y) < tolerance &&
               std::fabs(z - v.z) < tolerance;
    }
    // True when any component is smaller: a test for "not all at least",
    // not an ordering (a < b and b < a may both hold).
    bool operator<(CQzVector3 const& v) const { return x < v.x || y < v.y || z < v.z; }

    // ---- packed normals ----

    void LoadHENDN3(CQzHENDN3 const* p)
    {
        unsigned int const w = p->word;
        unsigned int const fx = w & 0x7FFu;
        unsigned int const fy = (w >> 11) & 0x7FFu;
        unsigned int const fz = w >> 22;
        x = float(int(fx | CQzHENDN3::SignExtendXY[fx >> 10])) * 0.0009775171f;
        y = float(int(fy | CQzHENDN3::SignExtendXY[fy >> 10])) * 0.0009775171f;
        z = float(int(fz | CQzHENDN3::SignExtendZ[fz >> 9])) * 0.0019569471f;
    }
    // Clamps to [-1, 1] (NaN becomes 1) and truncates toward zero.
    void StoreHENDN3(CQzHENDN3* p) const
    {
        unsigned int const fx = unsigned(int(ClampUnit(x) * 1023.0f)) & 0x7FFu;
        unsigned int const fy = unsigned(int(ClampUnit(y) * 1023.0f)) & 0x7FFu;
        unsigned int const fz = unsigned(int(ClampUnit(z) * 511.0f)) & 0x3FFu;
        p->word = fx | (fy << 11) | (fz << 22);
    }

    // this = (b - a)·t + a; t is not clamped.
    void Lerp(CQzVector3 const& a, CQzVector3 const& b, float t)
    {
        x = (b.x - a.x) * t + a.x;
        y = (b.y - a.y) * t + a.y;
        z = (b.z - a.z) * t + a.z;
    }

    float x;
    float y;
    float z;

private:
    static float ClampUnit(float c)
    {
        if (!(c < 1.0f))
            return 1.0f;
        return c <= -1.0f ? -1.0f : c;
    }
};

#endif // QZCORE_MATH_QZVECTOR3_H
