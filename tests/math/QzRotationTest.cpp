// Rotations: quaternions against glm's double quaternions and q·v·q*, Euler
// angles back from matrices, and the packed quaternion against its layout.
#include "math/QzMatrix44.h"
#include "math/QzQuaternion.h"

#include "QzMathReference.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using qztest::Near;
using qztest::Product;
using qztest::ToGlm;

glm::dquat D(CQzQuaternion const& q) { return glm::dquat(q.w, q.x, q.y, q.z); }

TEST(QzQuaternion, ArithmeticAndMatricesMatchGlmDoubleQuaternions)
{
    qztest::Random random(31);
    for (int i = 0; i < 200; ++i)
    {
        float e[8];
        random.Fill(e, 8, -1.0f, 1.0f);
        CQzQuaternion const a(e[0], e[1], e[2], e[3]), b(e[4], e[5], e[6], e[7]);
        EXPECT_LT(glm::length(D(a * b) - D(a) * D(b)), 1e-6);
        EXPECT_LT(glm::length(D(a.GetInverse()) - glm::inverse(D(a))), 1e-4 / glm::dot(D(a), D(a)));
        EXPECT_LT(glm::length(D(a / b) - D(a) * glm::inverse(D(b))), 1e-4 / glm::dot(D(b), D(b)));
        CQzQuaternion unit = a, closest = a;
        EXPECT_TRUE(unit.normalize() && glm::length(D(unit) - glm::normalize(D(a))) < 1e-6);
        closest.makeClosest(b);
        EXPECT_GE(glm::dot(D(closest), D(b)), 0.0);
        EXPECT_TRUE(closest.Equal(a, 1e-6f) || closest.Equal(-a, 1e-6f)); // negated or left as it was

        // The matrix of a (not unit: it divides by |a|²) maps p like a·p·a*.
        CQzMatrix44 m, transposed, trs, tr;
        m.setRotation(a, 1);
        transposed.setRotation(a, 0);
        EXPECT_EQ(transposed, m.getTranspose());
        CQzVector3 const p = random.Vector(-5.0f, 5.0f), position = random.Vector(-5.0f, 5.0f);
        CQzVector3 const scale = random.Vector(0.5f, 2.0f);
        glm::dquat const rotated = D(a) * glm::dquat(0.0, p.x, p.y, p.z) * glm::conjugate(D(a)) / glm::dot(D(a), D(a));
        glm::dvec4 const pm = ToGlm(m) * glm::dvec4(p.x, p.y, p.z, 1.0); // p·M in glm's terms
        EXPECT_LT(glm::length(glm::dvec4(rotated.x, rotated.y, rotated.z, 1.0) - pm), 1e-4);
        // S·R·T with the transposed form, and R·T alone.
        glm::dmat4 const t = ToGlm(CQzMatrix44::makeTranslation(position));
        trs.SetTRS(position, a, scale);
        tr.SetTR(position, a);
        EXPECT_TRUE(Near(trs, Product(Product(ToGlm(CQzMatrix44::makeScale(scale)), ToGlm(transposed)), t), 1e-5));
        EXPECT_TRUE(Near(tr, Product(ToGlm(transposed), t), 1e-6));
    }
    // The reciprocal of the squared length is taken once and multiplied in;
    // a zero quaternion inverts to its conjugate, normalises to the identity
    // and gives the identity matrix.
    float const r = 1.0f / 30.0f;
    EXPECT_EQ(CQzQuaternion(1.0f, 2.0f, 3.0f, 4.0f).GetInverse(), CQzQuaternion(-r, -2.0f * r, -3.0f * r, 4.0f * r));
    CQzQuaternion zero(0.0f, 0.0f, 0.0f, 0.0f), orthogonal(0.0f, 1.0f, 0.0f, 0.0f);
    CQzMatrix44 m;
    m.setRotation(zero, 1);
    EXPECT_EQ(m, CQzMatrix44::makeIdentity());
    zero.Invert(), zero.normalizeFast();
    EXPECT_EQ(zero, CQzQuaternion(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(!zero.normalize() && zero == CQzQuaternion(1));
    orthogonal.makeClosest(CQzQuaternion(0.0f, 0.0f, 1.0f, 0.0f)); // zero dot: unchanged
    EXPECT_EQ(orthogonal, CQzQuaternion(0.0f, 1.0f, 0.0f, 0.0f));
    // w is not examined.
    EXPECT_TRUE(CQzQuaternion(0.0f, 0.0f, 0.0f, -1.0f).isIdentity(0.001f));
    EXPECT_FALSE(CQzQuaternion(0.001f, 0.0f, 0.0f, 1.0f).isIdentity(0.001f));
}

TEST(QzMatrix44, EulerAnglesComeBackInBothSupportedOrders)
{
    qztest::Random random(33);
    for (auto order : {CQzMatrix44::ROTATION_ORDER_XZY, CQzMatrix44::ROTATION_ORDER_ZXY})
        for (int i = 0; i < 100; ++i)
        {
            float a[3], x, y, z;
            random.Fill(a, 3, -1.5f, 1.5f);
            CQzMatrix44 m;
            m.setRotation(a[0], a[1], a[2], order);
            m.toEulerAngles(x, y, z, order);
            EXPECT_TRUE(CQzVector3(x, y, z).Equal(CQzVector3(a), 1e-4f)) << order;
            // At the pole the middle angle is ±π/2 and y is 0, and the angles
            // still describe the same rotation.
            bool const xzy = order == CQzMatrix44::ROTATION_ORDER_XZY;
            float const pole = i % 2 ? 1.5707964f : -1.5707964f;
            m.setRotation(xzy ? a[0] : pole, a[1], xzy ? pole : a[2], order);
            m.toEulerAngles(x, y, z, order);
            EXPECT_TRUE((xzy ? z : x) == pole && y == 0.0f);
            EXPECT_TRUE(Near(CQzMatrix44::makeRotation(CQzEulerAngles(x, y, z), order), ToGlm(m), 1e-5)) << order;
        }
    // The threshold is 0.999999 as a float: on it the pole branch, just
    // inside it the regular one; other orders are not read back.
    float x, y, z;
    CQzMatrix44 m(1);
    m(1, 0) = -0.999999f;
    m.toEulerAngles(x, y, z, CQzMatrix44::ROTATION_ORDER_XZY);
    EXPECT_EQ(z, 1.5707964f);
    m(1, 0) = std::nextafter(-0.999999f, 0.0f);
    m.toEulerAngles(x, y, z, CQzMatrix44::ROTATION_ORDER_XZY);
    EXPECT_LT(z, 1.5707964f);
    m.setRotation(0.3f, 0.2f, 0.1f, CQzMatrix44::ROTATION_ORDER_XZY);
    m.toEulerAngles(x, y, z, CQzMatrix44::ROTATION_ORDER_XYZ);
    EXPECT_EQ(CQzVector3(x, y, z), CQzVector3(0.0f, 0.0f, 0.0f));
}

TEST(QzPackedQuaternion, EveryFieldValueUnderEverySignDecodesByTheLayout)
{
    CQzPackedQuaternion packed;
    CQzQuaternion q;
    for (unsigned int i = 0; i < 1024 * 12; ++i)
    {
        packed.word = ((i % 1024) << (10 * (i / 1024 % 3))) | (i / 3072 % 4) << 30;
        q = packed;
        // Decoded in double precision: 10-bit two's complement fields over
        // 511, w from what the vector part leaves, then normalised.
        double v[3];
        for (int k = 0; k < 3; ++k)
        {
            int const field = int((packed.word >> (10 * k)) & 1023u);
            v[k] = (field >= 512 ? field - 1024 : field) / 511.0;
        }
        double const t = 1.0 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        double const w = t > 0.0 ? ((packed.word >> 30) != 0 ? -std::sqrt(t) : std::sqrt(t)) : 0.0;
        glm::dquat const expected = glm::normalize(glm::dquat(w, v[0], v[1], v[2]));
        // w = √t: the float rounding of t grows by 1/(2√t) as t nears 0.
        ASSERT_LT(glm::length(glm::dvec3(q.x - expected.x, q.y - expected.y, q.z - expected.z)), 1e-5) << i;
        ASSERT_NEAR(q.w, expected.w, 1e-5 + 3e-7 / std::sqrt(std::fabs(t) + 1e-12)) << i;
    }
    // |v| > 1: w is +0 whatever the sign bits, then the whole is normalised.
    packed.word = 0xC0000000u | 0x1FFu | (0x1FFu << 10);
    q = packed;
    EXPECT_TRUE(q.w == 0.0f && !std::signbit(q.w) && std::fabs(q.getLength() - 1.0f) < 1e-6f);
}

} // namespace
