// QzMatrix33.h: CQzMatrix33, the planar affine transform: row 0 the right
// axis, row 1 the up axis, row 2 the translation; p' = p·M.
#ifndef QZCORE_MATH_QZMATRIX33_H
#define QZCORE_MATH_QZMATRIX33_H

#include "QzApi.h"
#include "math/QzVector2.h"

#include <cmath>

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzMatrix33
{
public:
    // Leaves the elements unset.
    CQzMatrix33() noexcept {}
    // The identity when the argument is nonzero; 0 leaves the elements unset.
    explicit CQzMatrix33(int identity) noexcept
    {
        if (identity)
            SetIdentity();
    }
    // Elements in storage order, row by row.
    CQzMatrix33(float m00, float m01, float m02, float m10, float m11, float m12, float m20,
                float m21, float m22)
        : m{m00, m01, m02, m10, m11, m12, m20, m21, m22}
    {
    }
    CQzMatrix33(CQzMatrix33 const&) = default;
    void operator=(CQzMatrix33 const& other)
    {
        for (int i = 0; i < 9; ++i)
            m[i] = other.m[i];
    }

    // Unchecked: row and column are 0 to 2.
    float& operator()(int row, int column) { return m[row * 3 + column]; }
    float operator()(int row, int column) const { return m[row * 3 + column]; }

    // ---- building ----

    void SetIdentity()
    {
        for (int i = 0; i < 9; ++i)
            m[i] = (i % 4 == 0) ? 1.0f : 0.0f;
    }
    void SetRight(CQzVector2 const& v) { m[0] = v.x; m[1] = v.y; m[2] = 0.0f; }
    CQzVector2 GetRight() const { return CQzVector2(m[0], m[1]); }
    void SetUp(CQzVector2 const& v) { m[3] = v.x; m[4] = v.y; m[5] = 0.0f; }
    CQzVector2 GetUp() const { return CQzVector2(m[3], m[4]); }

    // The identity moved by t.
    void SetTranslation(CQzVector2 const& t)
    {
        SetIdentity();
        SetTranslationOnly(t);
    }
    void SetTranslationOnly(CQzVector2 const& t) { m[6] = t.x; m[7] = t.y; m[8] = 1.0f; }
    CQzVector2 GetTranslation() const { return CQzVector2(m[6], m[7]); }

    void SetScale(CQzVector2 const& s)
    {
        SetIdentity();
        m[0] = s.x;
        m[4] = s.y;
    }
    // Counter-clockwise for positive angles, like CQzVector2::Rotate; the
    // translation is cleared.
    void SetRotation(float angle)
    {
        float const c = std::cos(angle);
        float const s = std::sin(angle);
        SetIdentity();
        m[0] = c; m[1] = s;
        m[3] = -s; m[4] = c;
    }

    // ---- in-place changes (M becomes X·M: in the matrix's own frame) ----

    // row 2 += t.x·row 0 + t.y·row 1
    void Translate(CQzVector2 const& t)
    {
        for (int c = 0; c < 3; ++c)
            m[6 + c] += t.x * m[c] + t.y * m[3 + c];
    }
    void Scale(CQzVector2 const& s)
    {
        for (int c = 0; c < 3; ++c)
        {
            m[c] *= s.x;
            m[3 + c] *= s.y;
        }
    }
    void Rotate(float angle)
    {
        float const cs = std::cos(angle);
        float const sn = std::sin(angle);
        for (int c = 0; c < 3; ++c)
        {
            float const r0 = m[c];
            float const r1 = m[3 + c];
            m[c] = cs * r0 + sn * r1;
            m[3 + c] = cs * r1 - sn * r0;
        }
    }

    // ---- algebra ----

    // Expansion along column 0.
    float GetDeterminant() const
    {
        return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[3] * (m[1] * m[8] - m[2] * m[7]) +
               m[6] * (m[1] * m[5] - m[2] * m[4]);
    }
    // this·b: this is applied first.
    CQzMatrix33 MultiplyCorrect(CQzMatrix33 const& b) const
    {
        CQzMatrix33 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i * 3 + j] = m[i * 3] * b.m[j] + m[i * 3 + 1] * b.m[3 + j] + m[i * 3 + 2] * b.m[6 + j];
        return r;
    }

private:
    float m[9];
};

#endif // QZCORE_MATH_QZMATRIX33_H
