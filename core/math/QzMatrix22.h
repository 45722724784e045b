// QzMatrix22.h: CQzMatrix22, the 2×2 linear map of planar shapes; rows are
// the right (x) and up (y) axes, vectors multiply it from the left.
#ifndef QZCORE_MATH_QZMATRIX22_H
#define QZCORE_MATH_QZMATRIX22_H

#include "QzApi.h"
#include "math/QzVector2.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzMatrix22
{
public:
    // Unlike the other matrices, a default 2×2 matrix is the identity.
    CQzMatrix22() noexcept { SetIdentity(); }
    // The identity when the argument is nonzero; 0 leaves the elements unset.
    explicit CQzMatrix22(int identity) noexcept
    {
        if (identity)
            SetIdentity();
    }
    // Elements in storage order: m00, m01, m10, m11.
    CQzMatrix22(float m00, float m01, float m10, float m11) : m{m00, m01, m10, m11} {}
    CQzMatrix22(CQzMatrix22 const&) = default;
    void operator=(CQzMatrix22 const& other)
    {
        for (int i = 0; i < 4; ++i)
            m[i] = other.m[i];
    }

    // ---- elements and axes ----

    // Unchecked: row and column are 0 or 1.
    float& operator()(int row, int column) { return m[row * 2 + column]; }
    float operator()(int row, int column) const { return m[row * 2 + column]; }

    void SetIdentity() { m[0] = 1.0f; m[1] = 0.0f; m[2] = 0.0f; m[3] = 1.0f; }
    void setRight(CQzVector2 const& v) { m[0] = v.x; m[1] = v.y; }
    CQzVector2 getRight() const { return CQzVector2(m[0], m[1]); }
    void setUp(CQzVector2 const& v) { m[2] = v.x; m[3] = v.y; }
    CQzVector2 getUp() const { return CQzVector2(m[2], m[3]); }

    // True when every element lies strictly inside (-1e8, 1e8); NaN fails.
    bool IsValid() const
    {
        for (float e : m)
            if (!(e > -1e8f && e < 1e8f))
                return false;
        return true;
    }

    // ---- comparison ----

    bool operator==(CQzMatrix22 const& b) const
    {
        return m[0] == b.m[0] && m[1] == b.m[1] && m[2] == b.m[2] && m[3] == b.m[3];
    }
    bool operator!=(CQzMatrix22 const& b) const { return !(*this == b); }
    // True when any element is smaller; not an ordering.
    bool operator<(CQzMatrix22 const& b) const
    {
        return m[0] < b.m[0] || m[1] < b.m[1] || m[2] < b.m[2] || m[3] < b.m[3];
    }

    // ---- algebra ----

    float GetDeterminant() const { return m[0] * m[3] - m[1] * m[2]; }
    void Transpose()
    {
        float const t = m[1];
        m[1] = m[2];
        m[2] = t;
    }
    // b·this: b is applied first.
    CQzMatrix22 operator*(CQzMatrix22 const& b) const
    {
        return CQzMatrix22(b.m[0] * m[0] + b.m[1] * m[2], b.m[0] * m[1] + b.m[1] * m[3],
                           b.m[2] * m[0] + b.m[3] * m[2], b.m[2] * m[1] + b.m[3] * m[3]);
    }
    // The transpose of the inverse, so a pure rotation comes back as itself.
    // No test for a singular matrix: its elements become infinite or NaN.
    // invDet, when given, receives 1/determinant.
    CQzMatrix22 getInverseGeneric(float* invDet = nullptr) const
    {
        float const r = 1.0f / GetDeterminant();
        if (invDet)
            *invDet = r;
        return CQzMatrix22(m[3] * r, -m[2] * r, -m[1] * r, m[0] * r);
    }
    // Replaces the matrix by getInverseGeneric().
    void Invert() { *this = getInverseGeneric(); }

private:
    float m[4];
};

#endif // QZCORE_MATH_QZMATRIX22_H
