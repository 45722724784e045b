// QzMatrix44.cpp: the determinant and inverse of CQzMatrix44, the Euler
// rotation orders in both directions and the quaternion builders with
// translation and scale.
#include "math/QzMatrix44.h"

#if defined(__SSE2__) || defined(_M_X64)
#  include <emmintrin.h>
#  define QZ_MATRIX44_SSE 1
#else
#  define QZ_MATRIX44_SSE 0
#endif

namespace {

#if QZ_MATRIX44_SSE
// (l, l, u, u): a lower-pair and an upper-pair minor of the same columns.
inline __m128 Pair(float l, float u) { return _mm_setr_ps(l, l, u, u); }
// Lanes 1, 0, 3, 2.
inline __m128 SwapPairs(__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 3, 0, 1)); }
// e1·m1 + e2·m2 + e3·m3, summed in that order.
inline __m128 Cofactors(__m128 e1, __m128 m1, __m128 e2, __m128 m2, __m128 e3, __m128 m3)
{
    return _mm_add_ps(_mm_add_ps(_mm_mul_ps(e1, m1), _mm_mul_ps(e2, m2)), _mm_mul_ps(e3, m3));
}
inline void StoreRow(float* row, __m128 cofactors, __m128 scale) { _mm_storeu_ps(row, _mm_mul_ps(cofactors, scale)); }
#endif

// Determinant of the 3×3 block of rows r0 < r1 < r2 and columns 1 to 3,
// expanded along its first column.
float Minor3(float const* m, int r0, int r1, int r2)
{
    float const* const a = m + r0 * 4;
    float const* const b = m + r1 * 4;
    float const* const c = m + r2 * 4;
    return a[1] * (b[2] * c[3] - b[3] * c[2]) - b[1] * (a[2] * c[3] - a[3] * c[2]) +
           c[1] * (a[2] * b[3] - a[3] * b[2]);
}

// The elementary rotations of each order, first to last (0 x, 1 y, 2 z).
unsigned char const kOrderAxes[6][3] = {
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
};

bool IsKnownOrder(CQzMatrix44::ERotationOrder order)
{
    return unsigned(order) < 6u;
}

// The threshold of the Euler recovery, 0.999999 rounded to a float.
float const kPoleSine = 0.999999f;
float const kHalfPi = 1.5707964f;

} // namespace

// ---- determinant and inverse ----

float CQzMatrix44::GetDeterminant() const
{
    return m[0] * Minor3(m, 1, 2, 3) - m[4] * Minor3(m, 0, 2, 3) + m[8] * Minor3(m, 0, 1, 3) -
           m[12] * Minor3(m, 0, 1, 2);
}

// The adjugate over the determinant, through the six 2×2 minors of rows 0-1
// (u) and the six of rows 2-3 (l), one per pair of columns: the determinant
// pairs each upper minor with its complement, and each cofactor is three
// elements of one row pair times minors of the other.
CQzMatrix44 CQzMatrix44::getInverseGeneric(float* invDet) const
{
    float const a00 = m[0], a01 = m[1], a02 = m[2], a03 = m[3];
    float const a10 = m[4], a11 = m[5], a12 = m[6], a13 = m[7];
    float const a20 = m[8], a21 = m[9], a22 = m[10], a23 = m[11];
    float const a30 = m[12], a31 = m[13], a32 = m[14], a33 = m[15];

    float const u01 = a00 * a11 - a01 * a10;
    float const u02 = a00 * a12 - a02 * a10;
    float const u03 = a00 * a13 - a03 * a10;
    float const u12 = a01 * a12 - a02 * a11;
    float const u13 = a01 * a13 - a03 * a11;
    float const u23 = a02 * a13 - a03 * a12;

    float const l01 = a20 * a31 - a21 * a30;
    float const l02 = a20 * a32 - a22 * a30;
    float const l03 = a20 * a33 - a23 * a30;
    float const l12 = a21 * a32 - a22 * a31;
    float const l13 = a21 * a33 - a23 * a31;
    float const l23 = a22 * a33 - a23 * a32;

    float const det = u01 * l23 - u02 * l13 + u03 * l12 + u12 * l03 - u13 * l02 + u23 * l01;
    float const r = 1.0f / det;
    if (invDet)
        *invDet = r;

    // Element (i, j) of the inverse is the cofactor (j, i) times r.
    CQzMatrix44 inverse;
#if QZ_MATRIX44_SSE
    // Row i of the inverse, four cofactors at once: three element vectors,
    // each a column of this read in row order 1, 0, 3, 2 with alternate
    // signs, times the minors of the other row pair (lower minors in lanes
    // 0-1, upper in 2-3). A flipped sign times a minor is the subtraction of
    // the written-out sum, so every lane rounds exactly like it.
    __m128 c0 = _mm_loadu_ps(m), c1 = _mm_loadu_ps(m + 4), c2 = _mm_loadu_ps(m + 8), c3 = _mm_loadu_ps(m + 12);
    _MM_TRANSPOSE4_PS(c0, c1, c2, c3);
    __m128 const flipOdd = _mm_setr_ps(0.0f, -0.0f, 0.0f, -0.0f);
    __m128 const flipEven = _mm_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f);
    __m128 const s0 = SwapPairs(c0), s1 = SwapPairs(c1), s2 = SwapPairs(c2), s3 = SwapPairs(c3);
    __m128 const p01 = Pair(l01, u01), p02 = Pair(l02, u02), p03 = Pair(l03, u03);
    __m128 const p12 = Pair(l12, u12), p13 = Pair(l13, u13), p23 = Pair(l23, u23);
    __m128 const scale = _mm_set1_ps(r);
    StoreRow(inverse.m, Cofactors(_mm_xor_ps(s1, flipOdd), p23, _mm_xor_ps(s2, flipEven), p13,
                                  _mm_xor_ps(s3, flipOdd), p12), scale);
    StoreRow(inverse.m + 4, Cofactors(_mm_xor_ps(s0, flipEven), p23, _mm_xor_ps(s2, flipOdd), p03,
                                      _mm_xor_ps(s3, flipEven), p02), scale);
    StoreRow(inverse.m + 8, Cofactors(_mm_xor_ps(s0, flipOdd), p13, _mm_xor_ps(s1, flipEven), p03,
                                      _mm_xor_ps(s3, flipOdd), p01), scale);
    StoreRow(inverse.m + 12, Cofactors(_mm_xor_ps(s0, flipEven), p12, _mm_xor_ps(s1, flipOdd), p02,
                                       _mm_xor_ps(s2, flipEven), p01), scale);
#else
    inverse = CQzMatrix44(
        (a11 * l23 - a12 * l13 + a13 * l12) * r,
        (-a01 * l23 + a02 * l13 - a03 * l12) * r,
        (a31 * u23 - a32 * u13 + a33 * u12) * r,
        (-a21 * u23 + a22 * u13 - a23 * u12) * r,

        (-a10 * l23 + a12 * l03 - a13 * l02) * r,
        (a00 * l23 - a02 * l03 + a03 * l02) * r,
        (-a30 * u23 + a32 * u03 - a33 * u02) * r,
        (a20 * u23 - a22 * u03 + a23 * u02) * r,

        (a10 * l13 - a11 * l03 + a13 * l01) * r,
        (-a00 * l13 + a01 * l03 - a03 * l01) * r,
        (a30 * u13 - a31 * u03 + a33 * u01) * r,
        (-a20 * u13 + a21 * u03 - a23 * u01) * r,

        (-a10 * l12 + a11 * l02 - a12 * l01) * r,
        (a00 * l12 - a01 * l02 + a02 * l01) * r,
        (-a30 * u12 + a31 * u02 - a32 * u01) * r,
        (a20 * u12 - a21 * u02 + a22 * u01) * r);
#endif
    return inverse;
}

// ---- Euler rotation orders ----

void CQzMatrix44::rotate(float x, float y, float z, ERotationOrder order)
{
    if (!IsKnownOrder(order))
        return;
    float const angles[3] = {x, y, z};
    for (unsigned char axis : kOrderAxes[order])
    {
        float const a = angles[axis];
        if (a == 0.0f)
            continue;
        if (axis == 0)
            rotateX(a);
        else if (axis == 1)
            rotateY(a);
        else
            rotateZ(a);
    }
}

void CQzMatrix44::setRotation(float x, float y, float z, ERotationOrder order)
{
    if (!IsKnownOrder(order))
        return;
    float const angles[3] = {x, y, z};
    unsigned char const first = kOrderAxes[order][0];
    float const a = angles[first];
    if (a == 0.0f)
        setIdentity();
    else if (first == 0)
        setRotationX(a);
    else if (first == 1)
        setRotationY(a);
    else
        setRotationZ(a);
    // The first angle is in place; rotate() skips it as a zero angle would.
    float rest[3] = {x, y, z};
    rest[first] = 0.0f;
    rotate(rest[0], rest[1], rest[2], order);
}

CQzMatrix44 CQzMatrix44::makeRotation(CQzEulerAngles const& e, ERotationOrder order)
{
    CQzMatrix44 r(1);
    r.setRotation(e.x, e.y, e.z, order);
    return r;
}

void CQzMatrix44::toEulerAngles(float& x, float& y, float& z, ERotationOrder order) const
{
    if (order == ROTATION_ORDER_XZY)
    {
        // Ry·Rz·Rx: row 1 is (-sin z, cos z·cos x, cos z·sin x).
        float const m10 = m[4];
        if (m10 > -kPoleSine && m10 < kPoleSine)
        {
            z = std::asin(-m10);
            x = std::atan2(m[6], m[5]);
            y = std::atan2(m[8], m[0]);
        }
        else if (m10 <= -kPoleSine)
        {
            z = kHalfPi;
            x = -std::atan2(-m[2], m[10]);
            y = 0.0f;
        }
        else
        {
            z = -kHalfPi;
            x = std::atan2(-m[2], m[10]);
            y = 0.0f;
        }
        return;
    }
    if (order == ROTATION_ORDER_ZXY)
    {
        // Ry·Rx·Rz: row 1 is (-cos x·sin z, cos x·cos z, sin x).
        float const m12 = m[6];
        if (m12 > -kPoleSine && m12 < kPoleSine)
        {
            x = std::asin(m12);
            z = std::atan2(-m[4], m[5]);
            y = std::atan2(-m[2], m[10]);
        }
        else if (m12 <= -kPoleSine)
        {
            x = -kHalfPi;
            z = -std::atan2(m[8], m[0]);
            y = 0.0f;
        }
        else
        {
            x = kHalfPi;
            z = std::atan2(m[8], m[0]);
            y = 0.0f;
        }
        return;
    }
    x = 0.0f;
    y = 0.0f;
    z = 0.0f;
}

// ---- quaternion builders ----

void CQzMatrix44::SetTR(CQzVector3 const& position, CQzQuaternion const& q)
{
    setRotation(q, 0);
    setTranslationOnly(position);
}

// Built as the products themselves, so zeros, signs and non-finite input
// come out exactly as (S·R)·T does.
void CQzMatrix44::SetTRS(CQzVector3 const& position, CQzQuaternion const& q, CQzVector3 const& scale)
{
    CQzMatrix44 rotation;
    rotation.setRotation(q, 0);
    *this = makeScale(scale).MultiplyCorrect(rotation).MultiplyCorrect(makeTranslation(position));
}

void CQzMatrix44::orthoNormalize()
{
    CQzVector3 up = getUp();
    up.Normalize();
    CQzVector3 front = getFront();
    front.Normalize();
    CQzVector3 const right = front.CrossProduct(up);
    front = up.CrossProduct(right);
    m[0] = right.x; m[1] = right.y; m[2] = right.z;
    m[4] = front.x; m[5] = front.y; m[6] = front.z;
    m[8] = up.x; m[9] = up.y; m[10] = up.z;
}
