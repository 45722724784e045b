// QzMatrix44.h: CQzMatrix44, the 3D affine and projective transform. Row 0
// is the right axis (x), row 1 the front axis (y), row 2 the up axis (z),
// row 3 the translation; points are row vectors on the left (p' = p·M), so
// A·B applies A first. Projections and look-at builders are declared here
// and live in QzMatrix44Projection.cpp.
#ifndef QZCORE_MATH_QZMATRIX44_H
#define QZCORE_MATH_QZMATRIX44_H

#include "QzApi.h"
#include "math/QzEulerAngles.h"
#include "math/QzQuaternion.h"
#include "math/QzVector3.h"

#include <cmath>

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzMatrix44
{
public:
    // The order in which three Euler angles are applied. Each elementary
    // rotation pre-multiplies (M becomes Ra·M), so XYZ gives Rz·Ry·Rx:
    // turns about the object's own moving axes in the named order.
    enum ERotationOrder
    {
        ROTATION_ORDER_XYZ = 0, // Rz·Ry·Rx
        ROTATION_ORDER_XZY = 1, // Ry·Rz·Rx
        ROTATION_ORDER_YXZ = 2, // Rz·Rx·Ry
        ROTATION_ORDER_YZX = 3, // Rx·Rz·Ry
        ROTATION_ORDER_ZXY = 4, // Ry·Rx·Rz
        ROTATION_ORDER_ZYX = 5  // Rx·Ry·Rz
    };

    // ---- construction ----

    // Leaves the elements unset.
    CQzMatrix44() noexcept {}
    // The identity when the argument is nonzero; 0 leaves the elements unset.
    explicit CQzMatrix44(int identity) noexcept
    {
        if (identity)
            setIdentity();
    }
    // Elements in storage order, row by row.
    CQzMatrix44(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                float m32, float m33)
        : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33}
    {
    }
    // The left-handed view matrix of setLookAtLH.
    CQzMatrix44(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up);

    static unsigned int GetMemoryUsage() { return 64; }

    // Unchecked: row and column are 0 to 3.
    float& operator()(int row, int column) { return m[row * 4 + column]; }
    float operator()(int row, int column) const { return m[row * 4 + column]; }

    // ---- identity, axes, translation, scale ----

    void setIdentity()
    {
        for (int i = 0; i < 16; ++i)
            m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
    static CQzMatrix44 makeIdentity() { return CQzMatrix44(1); }

    // Each writes one row as (v, 0); the other rows stay.
    void setRight(CQzVector3 const& v) { SetRow(0, v, 0.0f); }
    void setFront(CQzVector3 const& v) { SetRow(1, v, 0.0f); }
    void setUp(CQzVector3 const& v) { SetRow(2, v, 0.0f); }
    CQzVector3 getRight() const { return CQzVector3(m[0], m[1], m[2]); }
    CQzVector3 getFront() const { return CQzVector3(m[4], m[5], m[6]); }
    CQzVector3 getUp() const { return CQzVector3(m[8], m[9], m[10]); }
    CQzVector3 getTranslation() const { return CQzVector3(m[12], m[13], m[14]); }

    // The identity moved by t.
    void setTranslation(CQzVector3 const& t)
    {
        setIdentity();
        setTranslationOnly(t);
    }
    static CQzMatrix44 makeTranslation(CQzVector3 const& t)
    {
        CQzMatrix44 r;
        r.setTranslation(t);
        return r;
    }
    // Row 3 = (t, 1); the axes stay.
    void setTranslationOnly(CQzVector3 const& t) { SetRow(3, t, 1.0f); }
    // A move in the matrix's own frame: M becomes T(t)·M.
    void translate(CQzVector3 const& t)
    {
        for (int c = 0; c < 4; ++c)
            m[12 + c] += t.x * m[c] + t.y * m[4 + c] + t.z * m[8 + c];
    }

    void setScale(CQzVector3 const& s)
    {
        setIdentity();
        m[0] = s.x;
        m[5] = s.y;
        m[10] = s.z;
    }
    static CQzMatrix44 makeScale(CQzVector3 const& s)
    {
        CQzMatrix44 r;
        r.setScale(s);
        return r;
    }
    // Scales rows 0 to 2 (all four columns): M becomes S·M.
    void scale(CQzVector3 const& s)
    {
        for (int c = 0; c < 4; ++c)
        {
            m[c] *= s.x;
            m[4 + c] *= s.y;
            m[8 + c] *= s.z;
        }
    }
    // The lengths of rows 0 to 2, each over all four columns.
    void ExtractScale(CQzVector3& out) const
    {
        out.SetXYZ(RowLength(0), RowLength(1), RowLength(2));
    }
    // Divides rows 0 to 2 by those lengths; a zero row becomes NaN.
    void NoScale()
    {
        for (int r = 0; r < 3; ++r)
        {
            float const length = RowLength(r);
            for (int c = 0; c < 4; ++c)
                m[r * 4 + c] /= length;
        }
    }

    // ---- comparison ----

    bool operator==(CQzMatrix44 const& b) const
    {
        for (int i = 0; i < 16; ++i)
            if (!(m[i] == b.m[i]))
                return false;
        return true;
    }
    bool operator!=(CQzMatrix44 const& b) const { return !(*this == b); }
    // True when any element is smaller (storage order); not an ordering.
    bool operator<(CQzMatrix44 const& b) const
    {
        for (int i = 0; i < 16; ++i)
            if (m[i] < b.m[i])
                return true;
        return false;
    }

    // ---- products, transpose, inverse ----

    // this·b: r[i][j] = Σk this[i][k]·b[k][j], summed in k order. Each result
    // row is a combination of b's rows, which the compiler turns into four
    // wide multiply-adds per row.
    CQzMatrix44 MultiplyCorrect(CQzMatrix44 const& b) const
    {
        CQzMatrix44 r;
        CombineRows(r.m, m, b.m);
        CombineRows(r.m + 4, m + 4, b.m);
        CombineRows(r.m + 8, m + 8, b.m);
        CombineRows(r.m + 12, m + 12, b.m);
        return r;
    }
    // b·this (the operand order is reversed; the name is the interface's).
    CQzMatrix44 MultiplyBugged(CQzMatrix44 const& b) const { return b.MultiplyCorrect(*this); }
    // Reads only this's diagonal m00, m11, m22: rows 0 to 2 are b's rows
    // scaled by them, row 3 is (position, 1).
    CQzMatrix44 MultiplyCorrectWhenDiagonalAndSetPosition(CQzMatrix44 const& b,
                                                         CQzVector3 const& position) const
    {
        CQzMatrix44 r;
        for (int c = 0; c < 4; ++c)
        {
            r.m[c] = b.m[c] * m[0];
            r.m[4 + c] = b.m[4 + c] * m[5];
            r.m[8 + c] = b.m[8 + c] * m[10];
        }
        r.SetRow(3, position, 1.0f);
        return r;
    }

    CQzMatrix44 getTranspose() const
    {
        CQzMatrix44 r;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                r.m[j * 4 + i] = m[i * 4 + j];
        return r;
    }
    // Expansion along column 0 with 3×3 minors.
    float GetDeterminant() const;
    // The inverse, with no test for a singular matrix (its elements become
    // infinite or NaN); invDet, when given, receives 1/determinant.
    CQzMatrix44 getInverseGeneric(float* invDet = nullptr) const;

    // ---- rotations (angles in radians) ----

    // Identity except the 2×2 block of the turned axes.
    void setRotationX(float a)
    {
        float const c = std::cos(a), s = std::sin(a);
        setIdentity();
        m[5] = c; m[6] = s;
        m[9] = -s; m[10] = c;
    }
    void setRotationY(float a)
    {
        float const c = std::cos(a), s = std::sin(a);
        setIdentity();
        m[0] = c; m[2] = -s;
        m[8] = s; m[10] = c;
    }
    void setRotationZ(float a)
    {
        float const c = std::cos(a), s = std::sin(a);
        setIdentity();
        m[0] = c; m[1] = s;
        m[4] = -s; m[5] = c;
    }
    static CQzMatrix44 makeRotationZ(float a)
    {
        CQzMatrix44 r;
        r.setRotationZ(a);
        return r;
    }
    // M becomes Rx(a)·M, Ry(a)·M, Rz(a)·M: turns in the matrix's own frame.
    void rotateX(float a) { TurnRows(1, 2, a); }
    void rotateY(float a) { TurnRows(2, 0, a); }
    void rotateZ(float a) { TurnRows(0, 1, a); }

    // rotateX(x), rotateY(y), rotateZ(z) in the given order, each skipped
    // when its angle is exactly 0; an unknown order changes nothing.
    void rotate(float x, float y, float z, ERotationOrder order);
    // The same starting from the identity.
    void setRotation(float x, float y, float z, ERotationOrder order);
    // An unknown order gives the identity.
    static CQzMatrix44 makeRotation(CQzEulerAngles const& e, ERotationOrder order);
    // Angles back from a rotation matrix, for ROTATION_ORDER_XZY and
    // ROTATION_ORDER_ZXY; other orders give (0, 0, 0). Near the poles
    // (|sine| at least 0.999999) the middle angle is ±π/2 and y is 0.
    void toEulerAngles(float& x, float& y, float& z, ERotationOrder order) const;

    // The rotation of q, scaled by 2/|q|² so that q needs no normalising (a
    // zero q gives the identity). A nonzero form agrees with setRotationX/Y/Z;
    // form 0 is its transpose.
    void setRotation(CQzQuaternion const& q, int form)
    {
        float const n = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
        float const s = n == 0.0f ? 1.0f : 2.0f / n;
        float const xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
        float const xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
        float const wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
        float const sign = form ? 1.0f : -1.0f;
        // (w·v) terms flip with the form; sign·p is exact, so both forms
        // round exactly like their written-out formulas.
        m[0] = 1.0f - s * (yy + zz);
        m[1] = s * (xy + sign * wz);
        m[2] = s * (xz - sign * wy);
        m[3] = 0.0f;
        m[4] = s * (xy - sign * wz);
        m[5] = 1.0f - s * (xx + zz);
        m[6] = s * (yz + sign * wx);
        m[7] = 0.0f;
        m[8] = s * (xz + sign * wy);
        m[9] = s * (yz - sign * wx);
        m[10] = 1.0f - s * (xx + yy);
        m[11] = 0.0f;
        m[12] = 0.0f;
        m[13] = 0.0f;
        m[14] = 0.0f;
        m[15] = 1.0f;
    }
    // The rotation of q in the transposed (form 0) arrangement, then row 3 =
    // (position, 1).
    void SetTR(CQzVector3 const& position, CQzQuaternion const& q);
    // Scale, then rotation (form 0), then translation: S·R·T.
    void SetTRS(CQzVector3 const& position, CQzQuaternion const& q, CQzVector3 const& scale);
    // Rebuilds right and front from the up and front axes, keeping up's
    // direction; row 3 and column 3 stay.
    void orthoNormalize();

    // ---- projections (depth maps to 0..1 after the division by w) ----

    // The name's spelling is the interface's.
    void setPerpectiveFovLH(float fovY, float aspect, float zNear, float zFar);
    void setPerpectiveFovRH(float fovY, float aspect, float zNear, float zFar);
    void setOrthographicLH(float width, float height, float zNear, float zFar);
    void setOrthographicRH(float width, float height, float zNear, float zFar);
    void setOrthographicOffCenterLH(float left, float right, float bottom, float top, float zNear,
                                    float zFar);
    void setOrthographicOffCenterRH(float left, float right, float bottom, float top, float zNear,
                                    float zFar);

    // ---- view and orientation builders ----

    // View matrices: the camera axes in columns 0 to 2, row 3 moves the eye
    // to the origin. A zero axis (target at the eye) is left zero.
    void setLookAtLH(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up);
    void setLookAtRH(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up);
    // An object's world orientation: rows right, front (toward the target)
    // and up, preceded by the move of -eye.
    void setLookAtWorld(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up);

private:
    void SetRow(int r, CQzVector3 const& v, float w)
    {
        m[r * 4] = v.x;
        m[r * 4 + 1] = v.y;
        m[r * 4 + 2] = v.z;
        m[r * 4 + 3] = w;
    }
    // out = a[0]·row 0 + a[1]·row 1 + a[2]·row 2 + a[3]·row 3 of b, one
    // row of a product, summed in that order.
    static void CombineRows(float* out, float const* a, float const* b)
    {
        float const a0 = a[0], a1 = a[1], a2 = a[2], a3 = a[3];
        for (int j = 0; j < 4; ++j)
            out[j] = a0 * b[j] + a1 * b[4 + j] + a2 * b[8 + j] + a3 * b[12 + j];
    }
    float RowLength(int r) const
    {
        float const* const p = m + r * 4;
        return std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2] + p[3] * p[3]);
    }
    // Row p becomes cos·p + sin·q and row q becomes cos·q − sin·p: the
    // pre-multiplication by the elementary rotation that turns p toward q.
    void TurnRows(int p, int q, float a)
    {
        float const c = std::cos(a), s = std::sin(a);
        float* const rp = m + p * 4;
        float* const rq = m + q * 4;
        for (int k = 0; k < 4; ++k)
        {
            float const vp = rp[k], vq = rq[k];
            rp[k] = c * vp + s * vq;
            rq[k] = c * vq - s * vp;
        }
    }

    float m[16];
};

#endif // QZCORE_MATH_QZMATRIX44_H
