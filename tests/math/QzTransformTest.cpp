// Transform tests: the world matrix against scale · Ry·Rz·Rx · translation in
// double precision under every combination of axis flags, the lock, and the
// Euler angles recovered by Rotate and SetDirection.
#include "math/QzTransform.h"

#include "QzMathReference.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using qztest::Near;
using qztest::Product;
using qztest::ToGlm;

// Ry·Rz·Rx from the elementary rotations.
glm::dmat4 Xzy(CQzEulerAngles const& a)
{
    return Product(Product(qztest::Rotation(1, a.y), qztest::Rotation(2, a.z)), qztest::Rotation(0, a.x));
}

// The parts' matrices in double precision: scale, then rotation, then translation.
::testing::AssertionResult Consistent(CQzTransform const& t, glm::dmat4 const& rotation)
{
    glm::dmat4 world = Product(ToGlm(CQzMatrix44::makeScale(t.GetScale())), rotation);
    world[3] = glm::dvec4(qztest::D(t.GetPosition()), 1.0);
    ::testing::AssertionResult const r = Near(t.GetRotationMatrix(), rotation, 1e-5);
    return r ? Near(t.GetWorldTM(), world, 1e-5) : r;
}

TEST(QzTransform, AxisFlagsRestrictWhatTheSettersWrite)
{
    for (int flags = 0; flags < 8; ++flags)
    {
        auto pick = [flags](int axis, float on, float off) { return flags & (1 << axis) ? on : off; };
        CQzTransform t{EQzAxisFlags(flags)};
        t.SetPosition(1.0f, 2.0f, 3.0f); // disabled components become 0
        EXPECT_EQ(t.GetPosition(), CQzVector3(pick(0, 1, 0), pick(1, 2, 0), pick(2, 3, 0))) << flags;
        t.GetPosition().z = 9.0f;
        t.SetPosition2(5.0f, 6.0f); // ... or are left alone
        t.Translate(CQzVector3(1.0f, 1.0f, 1.0f));
        EXPECT_EQ(t.GetPosition(), CQzVector3(pick(0, 6, 0), pick(1, 7, 0), pick(2, 10, 9))) << flags;
        EXPECT_TRUE(Consistent(t, glm::dmat4(1.0))) << flags;
        t.SetScale(2.0f, 3.0f, 4.0f); // ... or become 1
        EXPECT_EQ(t.GetScale(), CQzVector3(pick(0, 2, 1), pick(1, 3, 1), pick(2, 4, 1))) << flags;
        t.SetRotation(CQzEulerAngles(0.1f, 0.2f, 0.3f));
        CQzEulerAngles const masked(pick(0, 0.1f, 0), pick(1, 0.2f, 0), pick(2, 0.3f, 0));
        EXPECT_EQ(t.GetRotation(), masked) << flags;
        EXPECT_TRUE(Consistent(t, Xzy(masked))) << flags;
        t.Translate(CQzVector2(1.0f, 1.0f)); // the planar move and the scale vector ignore the flags
        t.SetScale(CQzVector3(2.0f, 2.0f, 2.0f));
        EXPECT_TRUE(t.GetPosition() == CQzVector3(pick(0, 7, 1), pick(1, 8, 1), pick(2, 10, 9)) &&
                    t.GetScale() == CQzVector3(2.0f, 2.0f, 2.0f)) << flags;
        EXPECT_TRUE(Consistent(t, Xzy(masked))) << flags;
        t.Rotate(CQzEulerAngles(0.3f, -0.2f, 0.4f)); // only the enabled angles turn
        glm::dmat4 const turned = Product(Xzy(CQzEulerAngles(pick(0, 0.3f, 0), pick(1, -0.2f, 0), pick(2, 0.4f, 0))),
                                          Xzy(masked));
        EXPECT_TRUE(Consistent(t, turned)) << flags;
        EXPECT_EQ(t.GetPosition2(), CQzVector2(pick(0, 7, 1), pick(1, 8, 1)));
    }
    // Masked direction components are taken as 0.
    CQzTransform planar(EQzAxisFlags(AXIS_FLAG_X | AXIS_FLAG_Y));
    planar.SetDirection(CQzVector3(3.0f, 0.0f, 4.0f));
    EXPECT_TRUE(planar.GetDirection().Equal(CQzVector3(1.0f, 0.0f, 0.0f), 1e-6f));
}

TEST(QzTransform, LockedWorldMatrixKeepsItsValueUntilTheNextUnlockedSetter)
{
    CQzTransform transform(EQzAxisFlags(7));
    CQzMatrix44 m = CQzMatrix44::makeScale(CQzVector3(2.0f, 3.0f, 4.0f));
    m.setTranslationOnly(CQzVector3(5.0f, 6.0f, 7.0f));
    transform.SetWorldTM(m);
    EXPECT_TRUE(transform.IsWorldTMLocked());
    EXPECT_EQ(transform.GetPosition(), CQzVector3(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(transform.GetScale(), CQzVector3(2.0f, 3.0f, 4.0f));

    transform.SetPosition(0.0f, 0.0f, 0.0f);
    transform.SetRotation(0.0f, 0.0f, 0.5f); // the rotation matrix still follows
    EXPECT_EQ(transform.GetWorldTM(), m);
    EXPECT_TRUE(Near(transform.GetRotationMatrix(), qztest::Rotation(2, 0.5), 1e-6));
    transform.UnlockWorldTM();
    EXPECT_EQ(transform.GetWorldTM(), m); // stale until a setter runs
    transform.SetPosition(1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(Consistent(transform, qztest::Rotation(2, 0.5)));

    CQzTransform copy(transform);
    copy.LockWorldTM();
    copy.SetPosition(2.0f, 2.0f, 2.0f);
    EXPECT_EQ(copy.GetWorldTM(), transform.GetWorldTM());
    copy.Reset();
    EXPECT_FALSE(copy.IsWorldTMLocked());
    EXPECT_EQ(copy.GetWorldTM(), CQzMatrix44::makeIdentity());
    EXPECT_EQ(copy.GetScale(), CQzVector3(1.0f, 1.0f, 1.0f));

    // The other transform is the parent frame.
    CQzTransform child(EQzAxisFlags(7)), parent(EQzAxisFlags(7));
    child.SetRotation(0.3f, -0.2f, 0.1f);
    child.SetPosition(1.0f, 2.0f, 3.0f);
    parent.SetRotation(-0.5f, 0.4f, 1.0f);
    parent.SetScale(2.0f, 1.0f, 0.5f);
    glm::dmat4 const world = Product(ToGlm(child.GetWorldTM()), ToGlm(parent.GetWorldTM()));
    child.CombineWith(parent);
    EXPECT_TRUE(Near(child.GetWorldTM(), world, 1e-5));
    EXPECT_EQ(child.GetPosition(), CQzVector3(1.0f, 2.0f, 3.0f));
}

TEST(QzTransform, RotateAndSetDirectionRecoverTheAnglesOfTheTurnedMatrix)
{
    qztest::Random random(52);
    CQzTransform transform(EQzAxisFlags(7));
    for (int i = 0; i < 200; ++i)
    {
        float e[9];
        random.Fill(e, 9, -0.6f, 0.6f);
        CQzEulerAngles const d(e[3], e[4], e[5]);
        transform.SetScale(e[6] + 1.0f, e[7] + 1.0f, e[8] + 1.0f);
        transform.SetRotation(e[0] * 5, e[1] * 5, e[2] * 5);
        EXPECT_TRUE(Consistent(transform, Xzy(CQzEulerAngles(e[0] * 5, e[1] * 5, e[2] * 5))));
        // The increment acts in the object's frame, D·R, and the angles read
        // back from the turned matrix rebuild it.
        transform.SetRotation(e[0], e[1], e[2]);
        transform.Rotate(d);
        glm::dmat4 const turned = Product(Xzy(d), Xzy(CQzEulerAngles(e[0], e[1], e[2])));
        EXPECT_TRUE(Consistent(transform, turned));
        EXPECT_TRUE(Near(CQzMatrix44::makeRotation(transform.GetRotation(), CQzMatrix44::ROTATION_ORDER_XZY), turned, 1e-5));

        // Any direction off the vertical comes back normalised.
        CQzVector3 const direction = random.Vector(-5, 5);
        transform.SetDirection(direction);
        EXPECT_TRUE(transform.GetDirection().Equal(direction.getNormalized(), 1e-5f));
        EXPECT_TRUE(Consistent(transform, Xzy(transform.GetRotation())));
    }
    transform.SetDirection(CQzVector3(0.0f, 0.0f, 2.0f));
    EXPECT_TRUE(transform.GetDirection().Equal(CQzVector3(0.0f, 0.0f, 1.0f), 1e-6f));
    transform.SetRotation(0.0f, 0.0f, 1.5707964f); // a quarter turn about z faces +x
    EXPECT_TRUE(transform.GetDirection().Equal(CQzVector3(1.0f, 0.0f, 0.0f), 1e-6f));

    // A rotation matrix set directly is read back by the next Rotate.
    transform.SetRotation(0.0f, 0.0f, 0.0f);
    transform.SetRotationMatrix(CQzMatrix44::makeRotationZ(0.5f));
    EXPECT_EQ(transform.GetRotation(), CQzEulerAngles(0.0f, 0.0f, 0.0f));
    transform.Rotate(CQzEulerAngles(0.0f, 0.0f, 0.0f));
    EXPECT_NEAR(transform.GetRotation().z, 0.5f, 1e-6);
    EXPECT_EQ(transform.GetRotation().x, 0.0f);
}

} // namespace
