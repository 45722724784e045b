// Transform tests: the world matrix against scale · Ry·Rz·Rx · translation in
// double precision, the axis masks of every setter, the lock, and the Euler
// angles recovered by Rotate and SetDirection.
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
glm::dmat4 Xzy(double x, double y, double z)
{
    return Product(Product(qztest::Rotation(1, y), qztest::Rotation(2, z)), qztest::Rotation(0, x));
}

EQzAxisFlags Flags(int bits) { return EQzAxisFlags(bits); }

TEST(QzTransform, WorldMatrixIsScaleThenRotationThenTranslation)
{
    qztest::Random random(51);
    CQzTransform transform(Flags(7));
    for (int i = 0; i < 200; ++i)
    {
        CQzVector3 const p = random.Vector(-10, 10), s = random.Vector(0.2f, 3.0f), a = random.Vector(-3, 3);
        transform.SetPosition(p);
        transform.SetScale(s);
        transform.SetRotation(a.x, a.y, a.z);
        glm::dmat4 const rotation = Xzy(a.x, a.y, a.z);
        EXPECT_TRUE(Near(transform.GetRotationMatrix(), rotation, 1e-5));
        glm::dmat4 world = Product(ToGlm(CQzMatrix44::makeScale(s)), rotation);
        world[3] = glm::dvec4(p.x, p.y, p.z, 1.0);
        EXPECT_TRUE(Near(transform.GetWorldTM(), world, 1e-5));
        EXPECT_EQ(transform.GetDirection(), -transform.GetRotationMatrix().getFront());
        EXPECT_EQ(transform.GetPosition2(), CQzVector2(p.x, p.y));
    }
    // A quarter turn about z faces +x.
    transform.SetRotation(0.0f, 0.0f, 1.5707964f);
    EXPECT_TRUE(transform.GetDirection().Equal(CQzVector3(1.0f, 0.0f, 0.0f), 1e-6f));
}

TEST(QzTransform, AxisFlagsRestrictWhatTheSettersWrite)
{
    CQzTransform xy(Flags(AXIS_FLAG_X | AXIS_FLAG_Y));
    xy.SetPosition(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(xy.GetPosition(), CQzVector3(1.0f, 2.0f, 0.0f));
    xy.GetPosition().z = 9.0f;
    xy.SetPosition2(5.0f, 6.0f);
    EXPECT_EQ(xy.GetPosition(), CQzVector3(5.0f, 6.0f, 9.0f));
    xy.Translate(CQzVector3(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(xy.GetPosition(), CQzVector3(6.0f, 7.0f, 9.0f));
    xy.SetScale(2.0f, 2.0f, 2.0f);
    EXPECT_EQ(xy.GetScale(), CQzVector3(2.0f, 2.0f, 1.0f));
    xy.SetRotation(0.1f, 0.2f, 0.3f);
    EXPECT_EQ(xy.GetRotation(), CQzEulerAngles(0.1f, 0.2f, 0.0f));

    CQzTransform x(AXIS_FLAG_X);
    x.SetScale(CQzVector3(2.0f, 2.0f, 2.0f)); // the vector form ignores the flags
    EXPECT_EQ(x.GetScale(), CQzVector3(2.0f, 2.0f, 2.0f));
    x.SetPosition2(5.0f, 6.0f);
    EXPECT_EQ(x.GetPosition(), CQzVector3(5.0f, 0.0f, 0.0f));
    x.Translate(CQzVector2(1.0f, 1.0f)); // so does the planar move
    EXPECT_EQ(x.GetPosition(), CQzVector3(6.0f, 1.0f, 0.0f));
    x.Rotate(CQzEulerAngles(0.0f, 0.5f, 0.5f));
    EXPECT_EQ(x.GetRotationMatrix(), CQzMatrix44::makeIdentity());
    EXPECT_EQ(x.GetWorldTM()(3, 1), 1.0f);
}

TEST(QzTransform, LockedWorldMatrixKeepsItsValueUntilTheNextUnlockedSetter)
{
    CQzTransform transform(Flags(7));
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
    EXPECT_EQ(transform.GetWorldTM().getTranslation(), CQzVector3(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(transform.GetWorldTM()(0, 0), 2.0f * transform.GetRotationMatrix()(0, 0));

    CQzTransform copy(transform);
    copy.LockWorldTM();
    copy.Reset();
    EXPECT_FALSE(copy.IsWorldTMLocked());
    EXPECT_EQ(copy.GetWorldTM(), CQzMatrix44::makeIdentity());
    EXPECT_EQ(copy.GetScale(), CQzVector3(1.0f, 1.0f, 1.0f));

    // The other transform is the parent frame.
    CQzTransform child(Flags(7)), parent(Flags(7));
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
    CQzTransform transform(Flags(7));
    for (int i = 0; i < 200; ++i)
    {
        CQzVector3 const a = random.Vector(-0.6f, 0.6f), d = random.Vector(-0.6f, 0.6f);
        transform.SetRotation(a.x, a.y, a.z);
        transform.Rotate(CQzEulerAngles(d.x, d.y, d.z));
        // The increment acts in the object's frame: D·R; small angles stay
        // away from the poles, so the recovered angles rebuild the same matrix.
        glm::dmat4 const turned = Product(Xzy(d.x, d.y, d.z), Xzy(a.x, a.y, a.z));
        EXPECT_TRUE(Near(transform.GetRotationMatrix(), turned, 1e-5));
        CQzEulerAngles const e = transform.GetRotation();
        EXPECT_TRUE(Near(CQzMatrix44::makeRotation(e, CQzMatrix44::ROTATION_ORDER_XZY), turned, 1e-5));

        // Any direction off the vertical comes back normalised.
        CQzVector3 const direction = random.Vector(-5, 5);
        transform.SetDirection(direction);
        EXPECT_TRUE(transform.GetDirection().Equal(direction.getNormalized(), 1e-5f));
    }
    // Masked components are taken as 0.
    CQzTransform planar(Flags(AXIS_FLAG_X | AXIS_FLAG_Y));
    planar.SetDirection(CQzVector3(3.0f, 0.0f, 4.0f));
    EXPECT_TRUE(planar.GetDirection().Equal(CQzVector3(1.0f, 0.0f, 0.0f), 1e-6f));
    transform.SetDirection(CQzVector3(0.0f, 0.0f, 2.0f));
    EXPECT_TRUE(transform.GetDirection().Equal(CQzVector3(0.0f, 0.0f, 1.0f), 1e-6f));

    // A rotation matrix set directly is read back by the next Rotate.
    transform.SetRotation(0.0f, 0.0f, 0.0f);
    transform.SetRotationMatrix(CQzMatrix44::makeRotationZ(0.5f));
    EXPECT_EQ(transform.GetRotation(), CQzEulerAngles(0.0f, 0.0f, 0.0f));
    transform.Rotate(CQzEulerAngles(0.0f, 0.0f, 0.0f));
    EXPECT_NEAR(transform.GetRotation().z, 0.5f, 1e-6);
    EXPECT_EQ(transform.GetRotation().x, 0.0f);
}

} // namespace
