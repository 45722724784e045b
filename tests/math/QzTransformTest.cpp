// Rotations and transforms against glm's double quaternions and matrices: quaternions, the packed quaternion's
// layout, and the transform's world matrix as scale · Ry·Rz·Rx · translation under every axis mask.
#include "math/QzTransform.h"

#include "QzMathReference.h" // QzMatrix44.h, glm, gtest, <cmath>

#include <glm/gtc/quaternion.hpp>

namespace {

using namespace qztest;
using qztest::D; // beside the quaternion form below

glm::dquat D(CQzQuaternion const& q) { return glm::dquat(q.w, q.x, q.y, q.z); }

TEST(QzQuaternion, ArithmeticMatricesAndThePackedFormMatchGlmDoubleQuaternions)
{
    Random random(31);
    for (int i = 0; i < 200; ++i)
    {
        float e[8];
        random.Fill(e, 8, -1.0f, 1.0f);
        CQzQuaternion const a(e[0], e[1], e[2], e[3]), b(e[4], e[5], e[6], e[7]);
        EXPECT_TRUE(glm::length(D(a * b) - D(a) * D(b)) < 1e-6 &&
                    glm::length(D(a.GetInverse()) - glm::inverse(D(a))) < 1e-4 / glm::dot(D(a), D(a)) &&
                    glm::length(D(a / b) - D(a) * glm::inverse(D(b))) < 1e-4 / glm::dot(D(b), D(b)));
        CQzQuaternion unit = a, closest = a;
        closest.makeClosest(b); // negated or left as it was, to lie on b's side
        EXPECT_TRUE(unit.normalize() && glm::length(D(unit) - glm::normalize(D(a))) < 1e-6);
        EXPECT_TRUE(glm::dot(D(closest), D(b)) >= 0.0 && (closest.Equal(a, 1e-6f) || closest.Equal(-a, 1e-6f)));

        // The matrix of a (not unit: it divides by |a|²) maps p like a·p·a*.
        CQzMatrix44 m, transposed, trs, tr;
        CQzVector3 const p = random.Vector(-5.0f, 5.0f), position = random.Vector(-5.0f, 5.0f), scale = random.Vector(0.5f, 2.0f);
        m.setRotation(a, 1), transposed.setRotation(a, 0), trs.SetTRS(position, a, scale), tr.SetTR(position, a);
        EXPECT_EQ(transposed, m.getTranspose());
        glm::dquat const rotated = D(a) * glm::dquat(0.0, p.x, p.y, p.z) * glm::conjugate(D(a)) / glm::dot(D(a), D(a));
        EXPECT_LT(glm::length(glm::dvec4(rotated.x, rotated.y, rotated.z, 1.0) - ToGlm(m) * glm::dvec4(D(p), 1.0)), 1e-4);
        glm::dmat4 const t = ToGlm(CQzMatrix44::makeTranslation(position)); // S·R·T with the transposed form, and R·T
        EXPECT_TRUE(Near(trs, Product(Product(ToGlm(CQzMatrix44::makeScale(scale)), ToGlm(transposed)), t), 1e-5) &&
                    Near(tr, Product(ToGlm(transposed), t), 1e-6));
    }
    // The reciprocal of |q|² is taken once and multiplied in; a zero quaternion inverts to its conjugate,
    // normalises to the identity and gives the identity matrix.
    float const r = 1.0f / 30.0f;
    CQzQuaternion zero(0.0f, 0.0f, 0.0f, 0.0f), orthogonal(0.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(CQzQuaternion(1.0f, 2.0f, 3.0f, 4.0f).GetInverse(), CQzQuaternion(-r, -2.0f * r, -3.0f * r, 4.0f * r));
    CQzMatrix44 m;
    m.setRotation(zero, 1), zero.Invert(), zero.normalizeFast();
    orthogonal.makeClosest(CQzQuaternion(0.0f, 0.0f, 1.0f, 0.0f)); // zero dot: unchanged
    EXPECT_TRUE(m == CQzMatrix44::makeIdentity() && zero == CQzQuaternion(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(!zero.normalize() && zero == CQzQuaternion(1) && orthogonal == CQzQuaternion(0.0f, 1.0f, 0.0f, 0.0f));
    // isIdentity does not examine w.
    EXPECT_TRUE(CQzQuaternion(0.0f, 0.0f, 0.0f, -1.0f).isIdentity(0.001f) &&
                !CQzQuaternion(0.001f, 0.0f, 0.0f, 1.0f).isIdentity(0.001f));

    CQzPackedQuaternion packed; // the packed form: every value of each field under each sign pattern
    CQzQuaternion q;
    for (unsigned int i = 0; i < 1024 * 12; ++i)
    {
        unsigned int const k = i / 1024 % 3, field = i % 1024, sign = i / 3072 % 4;
        packed.word = field << (10 * k) | sign << 30;
        q = packed;
        // a 10-bit two's complement over 511; w from what it leaves, negative for either sign bit; then normalised
        double const v = (field >= 512 ? int(field) - 1024 : int(field)) / 511.0, t = 1.0 - v * v;
        double const w = t > 0.0 ? (sign ? -std::sqrt(t) : std::sqrt(t)) : 0.0, length = std::sqrt(v * v + w * w);
        ASSERT_TRUE(std::fabs(q[k] - v / length) < 1e-5 && q[(k + 1) % 3] == 0.0f && q[(k + 2) % 3] == 0.0f) << i;
        // w = √t: the float rounding of t grows by 1/(2√t) as t nears 0.
        ASSERT_NEAR(q.w, w / length, 1e-5 + 3e-7 / std::sqrt(std::fabs(t) + 1e-12)) << i;
    }
    // |v| > 1: w is +0 whatever the sign bits, then the whole is normalised.
    packed.word = 0xC0000000u | 0x1FFu | (0x1FFu << 10);
    q = packed;
    EXPECT_TRUE(q.w == 0.0f && !std::signbit(q.w) && std::fabs(q.getLength() - 1.0f) < 1e-6f);
}

glm::dmat4 Xzy(CQzEulerAngles const& a) { return Product(Product(Rotation(1, a.y), Rotation(2, a.z)), Rotation(0, a.x)); }

// The parts' matrices in double precision: scale, then rotation, then translation.
::testing::AssertionResult Consistent(CQzTransform const& t, glm::dmat4 const& rotation)
{
    glm::dmat4 world = Product(ToGlm(CQzMatrix44::makeScale(t.GetScale())), rotation);
    world[3] = glm::dvec4(D(t.GetPosition()), 1.0);
    ::testing::AssertionResult const r = Near(t.GetRotationMatrix(), rotation, 1e-5);
    return r ? Near(t.GetWorldTM(), world, 1e-5) : r;
}

TEST(QzTransform, AxisFlagsLockAndRecoveredAnglesKeepTheWorldMatrixScaleRotationAndTranslation)
{
    for (int flags = 0; flags < 8; ++flags)
    {
        auto pick = [flags](int axis, float on, float off) { return flags & (1 << axis) ? on : off; };
        CQzTransform t{EQzAxisFlags(flags)};
        t.SetPosition(1.0f, 2.0f, 3.0f); // disabled components become 0
        EXPECT_EQ(t.GetPosition(), CQzVector3(pick(0, 1, 0), pick(1, 2, 0), pick(2, 3, 0))) << flags;
        t.GetPosition().z = 9.0f;
        t.SetPosition2(5.0f, 6.0f), t.Translate(CQzVector3(1.0f, 1.0f, 1.0f)); // ... or are left alone
        EXPECT_TRUE(t.GetPosition() == CQzVector3(pick(0, 6, 0), pick(1, 7, 0), pick(2, 10, 9)) && Consistent(t, glm::dmat4(1.0)))
            << flags;
        t.SetScale(2.0f, 3.0f, 4.0f); // ... or become 1
        EXPECT_EQ(t.GetScale(), CQzVector3(pick(0, 2, 1), pick(1, 3, 1), pick(2, 4, 1))) << flags;
        t.SetRotation(CQzEulerAngles(0.1f, 0.2f, 0.3f));
        CQzEulerAngles const masked(pick(0, 0.1f, 0), pick(1, 0.2f, 0), pick(2, 0.3f, 0));
        EXPECT_TRUE(t.GetRotation() == masked && Consistent(t, Xzy(masked))) << flags;
        t.Translate(CQzVector2(1.0f, 1.0f)), t.SetScale(CQzVector3(2.0f, 2.0f, 2.0f)); // these ignore the flags
        EXPECT_TRUE(t.GetPosition() == CQzVector3(pick(0, 7, 1), pick(1, 8, 1), pick(2, 10, 9)) &&
                    t.GetScale() == CQzVector3(2.0f, 2.0f, 2.0f) && Consistent(t, Xzy(masked))) << flags;
        t.Rotate(CQzEulerAngles(0.3f, -0.2f, 0.4f)); // only the enabled angles turn
        glm::dmat4 const turned = Product(Xzy(CQzEulerAngles(pick(0, 0.3f, 0), pick(1, -0.2f, 0), pick(2, 0.4f, 0))),
                                          Xzy(masked));
        EXPECT_TRUE(Consistent(t, turned) && t.GetPosition2() == CQzVector2(pick(0, 7, 1), pick(1, 8, 1))) << flags;
    }
    CQzTransform planar(EQzAxisFlags(AXIS_FLAG_X | AXIS_FLAG_Y));
    planar.SetDirection(CQzVector3(3.0f, 0.0f, 4.0f)); // masked direction components are taken as 0
    EXPECT_TRUE(planar.GetDirection().Equal(CQzVector3(1.0f, 0.0f, 0.0f), 1e-6f));

    // A locked world matrix keeps its value until the next unlocked setter.
    CQzTransform transform(EQzAxisFlags(7));
    CQzMatrix44 m = CQzMatrix44::makeScale(CQzVector3(2.0f, 3.0f, 4.0f));
    m.setTranslationOnly(CQzVector3(5.0f, 6.0f, 7.0f)), transform.SetWorldTM(m);
    EXPECT_TRUE(transform.IsWorldTMLocked() && transform.GetPosition() == CQzVector3(5.0f, 6.0f, 7.0f) &&
                transform.GetScale() == CQzVector3(2.0f, 3.0f, 4.0f));
    transform.SetPosition(0.0f, 0.0f, 0.0f), transform.SetRotation(0.0f, 0.0f, 0.5f); // the rotation matrix follows
    EXPECT_TRUE(transform.GetWorldTM() == m && Near(transform.GetRotationMatrix(), Rotation(2, 0.5), 1e-6));
    transform.UnlockWorldTM();
    EXPECT_EQ(transform.GetWorldTM(), m); // stale until a setter runs
    transform.SetPosition(1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(Consistent(transform, Rotation(2, 0.5)));

    CQzTransform copy(transform);
    copy.LockWorldTM(), copy.SetPosition(2.0f, 2.0f, 2.0f);
    EXPECT_EQ(copy.GetWorldTM(), transform.GetWorldTM());
    copy.Reset();
    EXPECT_TRUE(!copy.IsWorldTMLocked() && copy.GetWorldTM() == CQzMatrix44::makeIdentity() &&
                copy.GetScale() == CQzVector3(1.0f, 1.0f, 1.0f));

    CQzTransform child(EQzAxisFlags(7)), parent(EQzAxisFlags(7)); // the other transform is the parent frame
    child.SetRotation(0.3f, -0.2f, 0.1f), child.SetPosition(1.0f, 2.0f, 3.0f);
    parent.SetRotation(-0.5f, 0.4f, 1.0f), parent.SetScale(2.0f, 1.0f, 0.5f);
    glm::dmat4 const world = Product(ToGlm(child.GetWorldTM()), ToGlm(parent.GetWorldTM()));
    child.CombineWith(parent);
    EXPECT_TRUE(Near(child.GetWorldTM(), world, 1e-5) && child.GetPosition() == CQzVector3(1.0f, 2.0f, 3.0f));

    // Rotate and SetDirection recover the angles of the turned matrix.
    Random random(52);
    for (int i = 0; i < 100; ++i)
    {
        float e[9];
        random.Fill(e, 9, -0.6f, 0.6f);
        CQzEulerAngles const d(e[3], e[4], e[5]);
        transform.SetScale(e[6] + 1.0f, e[7] + 1.0f, e[8] + 1.0f);
        // The increment acts in the object's frame, D·R, and the angles read back rebuild the turned matrix.
        transform.SetRotation(e[0], e[1], e[2]), transform.Rotate(d);
        glm::dmat4 const turned = Product(Xzy(d), Xzy(CQzEulerAngles(e[0], e[1], e[2])));
        EXPECT_TRUE(Consistent(transform, turned) &&
                    Near(CQzMatrix44::makeRotation(transform.GetRotation(), CQzMatrix44::ROTATION_ORDER_XZY), turned, 1e-5));
        // Any direction off the vertical comes back normalised.
        CQzVector3 const direction = random.Vector(-5, 5);
        transform.SetDirection(direction);
        EXPECT_TRUE(transform.GetDirection().Equal(direction.getNormalized(), 1e-5f) &&
                    Consistent(transform, Xzy(transform.GetRotation())));
    }
    transform.SetDirection(CQzVector3(0.0f, 0.0f, 2.0f));
    EXPECT_TRUE(transform.GetDirection().Equal(CQzVector3(0.0f, 0.0f, 1.0f), 1e-6f));
    // A rotation matrix set directly is read back by the next Rotate.
    transform.SetRotation(0.0f, 0.0f, 0.0f), transform.SetRotationMatrix(CQzMatrix44::makeRotationZ(0.5f));
    EXPECT_EQ(transform.GetRotation(), CQzEulerAngles(0.0f, 0.0f, 0.0f));
    transform.Rotate(CQzEulerAngles(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(std::fabs(transform.GetRotation().z - 0.5f) < 1e-6f && transform.GetRotation().x == 0.0f);
}

} // namespace
