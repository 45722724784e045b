// Rotation tests: quaternion arithmetic against glm's double quaternions,
// quaternion to matrix against q·v·q*, Euler angles back from matrices in
// both supported orders, and the packed quaternion against a decoder written
// from its layout.
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

void ExpectNear(CQzQuaternion const& actual, glm::dquat const& expected, double tolerance)
{
    EXPECT_LT(glm::length(D(actual) - expected), tolerance);
}

CQzQuaternion RandomQuaternion(qztest::Random& random)
{
    return CQzQuaternion(random.Uniform(-1, 1), random.Uniform(-1, 1), random.Uniform(-1, 1),
                         random.Uniform(-1, 1));
}

TEST(QzQuaternion, ArithmeticMatchesGlmDoubleQuaternions)
{
    qztest::Random random(31);
    for (int i = 0; i < 300; ++i)
    {
        CQzQuaternion const a = RandomQuaternion(random), b = RandomQuaternion(random);
        ExpectNear(a * b, D(a) * D(b), 1e-6);
        ExpectNear(a.GetInverse(), glm::inverse(D(a)), 1e-4 / glm::dot(D(a), D(a)));
        ExpectNear(a / b, D(a) * glm::inverse(D(b)), 1e-4 / glm::dot(D(b), D(b)));
        CQzQuaternion unit = a;
        EXPECT_TRUE(unit.normalize());
        ExpectNear(unit, glm::normalize(D(a)), 1e-6);

        CQzQuaternion closest = a;
        closest.makeClosest(b);
        EXPECT_GE(glm::dot(D(closest), D(b)), 0.0);
        EXPECT_TRUE(closest == a || closest == -a);
    }
}

TEST(QzQuaternion, DegenerateCasesFollowTheirRules)
{
    // The reciprocal of the squared length is taken once and multiplied in.
    float const r = 1.0f / 30.0f;
    EXPECT_EQ(CQzQuaternion(1.0f, 2.0f, 3.0f, 4.0f).GetInverse(), CQzQuaternion(-r, -2.0f * r, -3.0f * r, 4.0f * r));
    CQzQuaternion zero(0.0f, 0.0f, 0.0f, 0.0f);
    zero.Invert(); // the conjugate, not infinities
    zero.normalizeFast();
    EXPECT_EQ(zero, CQzQuaternion(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_FALSE(zero.normalize());
    EXPECT_EQ(zero, CQzQuaternion(1));

    // w is not examined.
    EXPECT_TRUE(CQzQuaternion(0.0f, 0.0f, 0.0f, -1.0f).isIdentity(0.001f));
    EXPECT_FALSE(CQzQuaternion(0.001f, 0.0f, 0.0f, 1.0f).isIdentity(0.001f));

    CQzQuaternion flipped(0.0f, 0.0f, 0.0f, -1.0f), orthogonal(0.0f, 1.0f, 0.0f, 0.0f);
    flipped.makeClosest(CQzQuaternion(1));
    orthogonal.makeClosest(CQzQuaternion(0.0f, 0.0f, 1.0f, 0.0f)); // zero dot: unchanged
    EXPECT_EQ(flipped, CQzQuaternion(1));
    EXPECT_EQ(orthogonal, CQzQuaternion(0.0f, 1.0f, 0.0f, 0.0f));
}

TEST(QzMatrix44, QuaternionMatrixRotatesLikeConjugation)
{
    qztest::Random random(32);
    for (int i = 0; i < 300; ++i)
    {
        CQzQuaternion const q = RandomQuaternion(random); // not unit: the matrix divides by |q|²
        CQzMatrix44 m, transposed;
        m.setRotation(q, 1);
        transposed.setRotation(q, 0);
        EXPECT_EQ(transposed, m.getTranspose());

        CQzVector3 const p = random.Vector(-5.0f, 5.0f);
        glm::dquat const rotated = D(q) * glm::dquat(0.0, p.x, p.y, p.z) * glm::conjugate(D(q)) /
                                   glm::dot(D(q), D(q));
        glm::dvec4 const pm = ToGlm(m) * glm::dvec4(p.x, p.y, p.z, 1.0); // p·M in glm's terms
        EXPECT_LT(glm::length(glm::dvec4(rotated.x, rotated.y, rotated.z, 1.0) - pm), 1e-4);

        // S·R·T with the transposed form, and R·T alone.
        CQzVector3 const position = random.Vector(-5.0f, 5.0f), scale = random.Vector(0.5f, 2.0f);
        glm::dmat4 const t = ToGlm(CQzMatrix44::makeTranslation(position));
        CQzMatrix44 trs, tr;
        trs.SetTRS(position, q, scale);
        tr.SetTR(position, q);
        EXPECT_TRUE(Near(trs, Product(Product(ToGlm(CQzMatrix44::makeScale(scale)), ToGlm(transposed)), t), 1e-5));
        EXPECT_TRUE(Near(tr, Product(ToGlm(transposed), t), 1e-6));
    }
    // Half-angle quaternions give exactly the elementary rotations' layout.
    CQzMatrix44 m;
    m.setRotation(CQzQuaternion(std::sin(0.35f), 0.0f, 0.0f, std::cos(0.35f)), 1);
    EXPECT_TRUE(Near(m, qztest::Rotation(0, 0.7), 1e-6));
    m.setRotation(CQzQuaternion(0.0f, 0.0f, 0.0f, 0.0f), 1);
    EXPECT_EQ(m, CQzMatrix44::makeIdentity());
}

TEST(QzMatrix44, EulerAnglesComeBackInBothSupportedOrders)
{
    qztest::Random random(33);
    CQzMatrix44::ERotationOrder const orders[2] = {CQzMatrix44::ROTATION_ORDER_XZY, CQzMatrix44::ROTATION_ORDER_ZXY};
    for (auto order : orders)
        for (int i = 0; i < 300; ++i)
        {
            float const a[3] = {random.Uniform(-1.5f, 1.5f), random.Uniform(-1.5f, 1.5f), random.Uniform(-1.5f, 1.5f)};
            CQzMatrix44 m;
            m.setRotation(a[0], a[1], a[2], order);
            float x, y, z;
            m.toEulerAngles(x, y, z, order);
            EXPECT_TRUE(CQzVector3(x, y, z).Equal(CQzVector3(a[0], a[1], a[2]), 1e-4f)) << order;

            // At the pole the middle angle is ±π/2 and y is 0, and the angles
            // still describe the same rotation.
            float const pole = i % 2 ? 1.5707964f : -1.5707964f;
            CQzMatrix44 gimbal;
            gimbal.setRotation(order == CQzMatrix44::ROTATION_ORDER_XZY ? a[0] : pole, a[1],
                               order == CQzMatrix44::ROTATION_ORDER_XZY ? pole : a[2], order);
            gimbal.toEulerAngles(x, y, z, order);
            EXPECT_EQ(order == CQzMatrix44::ROTATION_ORDER_XZY ? z : x, pole);
            EXPECT_EQ(y, 0.0f);
            CQzMatrix44 again;
            again.setRotation(x, y, z, order);
            EXPECT_TRUE(Near(again, ToGlm(gimbal), 1e-5)) << order;
        }

    // The threshold is 0.999999 as a float: on it the pole branch, just
    // inside it the regular one.
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

TEST(QzMatrix44, OrthoNormalizeKeepsUpAndRebuildsRightAndFront)
{
    qztest::Random random(34);
    for (int i = 0; i < 100; ++i)
    {
        CQzMatrix44 const start = random.Matrix(-2.0f, 2.0f);
        glm::dmat4 const g = ToGlm(start);
        glm::dvec3 const up = glm::normalize(glm::dvec3(g[2]));
        glm::dvec3 const right = glm::cross(glm::normalize(glm::dvec3(g[1])), up);
        glm::dmat4 expected = g;
        expected[0] = glm::dvec4(right, g[0][3]);
        expected[1] = glm::dvec4(glm::cross(up, right), g[1][3]);
        expected[2] = glm::dvec4(up, g[2][3]);
        CQzMatrix44 m = start;
        m.orthoNormalize();
        EXPECT_TRUE(Near(m, expected, 1e-5));
    }
}

// ---- packed quaternion ----

// Decoded from the layout alone, in double precision.
glm::dquat DecodePacked(unsigned int word, double* vectorPartLeft)
{
    double v[3];
    for (int i = 0; i < 3; ++i)
    {
        int field = int((word >> (10 * i)) & 1023u);
        v[i] = (field >= 512 ? field - 1024 : field) / 511.0;
    }
    double const t = 1.0 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    *vectorPartLeft = t;
    double w = t > 0.0 ? std::sqrt(t) : 0.0;
    if (t > 0.0 && (word >> 30) != 0)
        w = -w;
    glm::dquat const q(w, v[0], v[1], v[2]);
    double const length = glm::length(q);
    return length > 0.0 ? q / length : glm::dquat(1.0, 0.0, 0.0, 0.0);
}

void ExpectDecodes(unsigned int word)
{
    CQzPackedQuaternion packed;
    packed.word = word;
    CQzQuaternion q;
    q = packed;
    double t;
    glm::dquat const expected = DecodePacked(word, &t);
    // w = √t: the float rounding of t grows by 1/(2√t) as t nears 0.
    double const wTolerance = 1e-5 + 3e-7 / std::sqrt(std::fabs(t) + 1e-12);
    ASSERT_LT(glm::length(glm::dvec3(q.x - expected.x, q.y - expected.y, q.z - expected.z)), 1e-5) << std::hex << word;
    ASSERT_NEAR(q.w, expected.w, wTolerance) << std::hex << word;
}

TEST(QzPackedQuaternion, EveryFieldValueAndRandomWordsDecodeByTheLayout)
{
    for (unsigned int f = 0; f < 1024; ++f)
        for (unsigned int shift : {0u, 10u, 20u})
            for (unsigned int sign : {0u, 0x40000000u, 0x80000000u, 0xC0000000u})
                ExpectDecodes((f << shift) | sign);
    qztest::Random random(35);
    for (int i = 0; i < 100000; ++i)
        ExpectDecodes(random.Word());

    CQzPackedQuaternion packed;
    CQzQuaternion q;
    // |v| > 1: w is +0 whatever the sign bits, then the whole is normalised.
    packed.word = 0xC0000000u | 0x1FFu | (0x1FFu << 10);
    q = packed;
    EXPECT_EQ(q.w, 0.0f);
    EXPECT_FALSE(std::signbit(q.w));
    EXPECT_NEAR(q.getLength(), 1.0, 1e-6);
}

} // namespace
