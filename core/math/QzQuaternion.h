// QzQuaternion.h: CQzQuaternion (x, y, z vector part, w scalar part) and
// CQzPackedQuaternion, a unit quaternion packed into one 32-bit word.
#ifndef QZCORE_MATH_QZQUATERNION_H
#define QZCORE_MATH_QZQUATERNION_H

#include "QzApi.h"
#include "math/QzVector3.h"

#include <cmath>

// x, y and z as 10-bit two's complement of component × 511 in bits 0-9,
// 10-19 and 20-29; bit 30 or 31 set means w is negative. w itself is rebuilt
// from the unit length when the word is read into a CQzQuaternion. The word
// is public: producers write it directly.
class QZ_API CQzPackedQuaternion
{
public:
    // Leaves the word unset.
    CQzPackedQuaternion() noexcept {}

    unsigned int word;
};

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzQuaternion
{
public:
    // Leaves the components unset.
    CQzQuaternion() noexcept {}
    // The identity (0, 0, 0, 1) when the argument is nonzero; 0 leaves the
    // components unset.
    explicit CQzQuaternion(int identity) noexcept
    {
        if (identity)
            this->identity();
    }
    CQzQuaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    // The components as given: v is not an axis and w not an angle.
    CQzQuaternion(CQzVector3 const& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    // Decodes the packed word: a unit quaternion, or the identity.
    CQzQuaternion& operator=(CQzPackedQuaternion const& packed);

    // Unchecked: 0 x, 1 y, 2 z, 3 w.
    float& operator[](unsigned int i) { return (&x)[i]; }
    float operator[](unsigned int i) const { return (&x)[i]; }

    // ---- identity and comparison ----

    void identity() { x = 0.0f; y = 0.0f; z = 0.0f; w = 1.0f; }
    // Looks at the vector part only, so (0, 0, 0, -1) and (0, 0, 0, 5) pass.
    bool isIdentity(float tolerance) const
    {
        return std::fabs(x) < tolerance && std::fabs(y) < tolerance && std::fabs(z) < tolerance;
    }
    bool Equal(CQzQuaternion const& q, float tolerance) const
    {
        return std::fabs(x - q.x) < tolerance && std::fabs(y - q.y) < tolerance &&
               std::fabs(z - q.z) < tolerance && std::fabs(w - q.w) < tolerance;
    }
    bool operator==(CQzQuaternion const& q) const { return x == q.x && y == q.y && z == q.z && w == q.w; }
    bool operator!=(CQzQuaternion const& q) const { return !(*this == q); }

    // ---- length ----

    float getSquaredLength() const { return x * x + y * y + z * z + w * w; }
    float getLength() const { return std::sqrt(getSquaredLength()); }
    // A quaternion without length becomes the identity and false comes back.
    bool normalize()
    {
        float const length = getLength();
        if (!(length > 0.0f))
        {
            identity();
            return false;
        }
        Divide(length);
        return true;
    }
    // Leaves a quaternion without length as it is.
    void normalizeFast()
    {
        float const length = getLength();
        if (length > 0.0f)
            Divide(length);
    }
    // Negates this when it lies in the other hemisphere from q, so that an
    // interpolation between the two takes the short way.
    void makeClosest(CQzQuaternion const& q)
    {
        if (x * q.x + y * q.y + z * q.z + w * q.w < 0.0f)
            *this = -*this;
    }

    // ---- conjugate and inverse ----

    void conjugate() { x = -x; y = -y; z = -z; }
    void conjugate(CQzQuaternion const& q) { *this = q.getConjugate(); }
    CQzQuaternion getConjugate() const { return CQzQuaternion(-x, -y, -z, w); }
    // The conjugate over the squared length; a zero quaternion gives its
    // conjugate instead of infinities.
    CQzQuaternion GetInverse() const
    {
        float const n = getSquaredLength();
        if (n == 0.0f)
            return getConjugate();
        float const r = 1.0f / n;
        return CQzQuaternion(-x * r, -y * r, -z * r, w * r);
    }
    void Invert() { *this = GetInverse(); }

    // ---- arithmetic ----

    CQzQuaternion operator-() const { return CQzQuaternion(-x, -y, -z, -w); }
    CQzQuaternion& operator+=(CQzQuaternion const& q)
    {
        x += q.x; y += q.y; z += q.z; w += q.w;
        return *this;
    }
    CQzQuaternion& operator*=(float s)
    {
        x *= s; y *= s; z *= s; w *= s;
        return *this;
    }
    // Hamilton product this·q.
    CQzQuaternion operator*(CQzQuaternion const& b) const
    {
        return CQzQuaternion(w * b.x + x * b.w + y * b.z - z * b.y,
                             w * b.y - x * b.z + y * b.w + z * b.x,
                             w * b.z + x * b.y - y * b.x + z * b.w,
                             w * b.w - x * b.x - y * b.y - z * b.z);
    }
    CQzQuaternion& operator*=(CQzQuaternion const& q) { return *this = *this * q; }
    // this · inverse(q)
    CQzQuaternion operator/(CQzQuaternion const& q) const { return *this * q.GetInverse(); }

    float x;
    float y;
    float z;
    float w;

private:
    void Divide(float d) { x /= d; y /= d; z /= d; w /= d; }
};

#endif // QZCORE_MATH_QZQUATERNION_H
