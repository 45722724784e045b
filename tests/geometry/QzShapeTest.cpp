// Shape tests: derived measures against double precision, the box's growth and
// inclusive tests, the plane's two sign conventions, the triangle's normal and edges.
#include "geometry/QzAABB3.h"
#include "geometry/QzBox2.h"
#include "geometry/QzFrustum2.h"
#include "geometry/QzOBB3.h"
#include "geometry/QzPlane.h"
#include "geometry/QzRectangle2.h"
#include "geometry/QzRound2.h"
#include "geometry/QzRound3.h"
#include "geometry/QzTriangle2.h"
#include "geometry/QzTriangle3.h"

#include "math/QzMathReference.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

glm::dvec3 D(CQzVector3 const& v) { return glm::dvec3(v.x, v.y, v.z); }

TEST(QzShapes, PlanarMeasuresAndStoredValues)
{
    CQzAABB2 box(1, 3, 2, 5);
    EXPECT_TRUE(box.GetMin() == CQzVector2(1, 2) && box.ComputeCenter() == CQzVector2(2, 3.5f));
    EXPECT_TRUE(box.ComputeExtents() == CQzVector2(1, 1.5f) && box.ComputeArea() == 1.5f);
    box.SetCenterExtents(CQzVector2(2, 2), CQzVector2(1, 3));
    EXPECT_TRUE(box.GetMin() == CQzVector2(1, -1) && box.GetMax() == CQzVector2(3, 5));
    EXPECT_FLOAT_EQ(box.ComputeBoundingCircleRadius(), std::sqrt(10.0f)); // the half-diagonal, off the origin too
    EXPECT_EQ(CQzOBB2(CQzVector2(0, 0), CQzVector2(2, 3), CQzVector2(1, 0), CQzVector2(0, 1)).getArea(), 6.0f);

    EXPECT_EQ(CQzRectangle2(CQzVector2(0, 0), -4, 2).GetWidth(), 0.0f);
    EXPECT_EQ(CQzRectangle2(CQzVector2(0, 0), std::numeric_limits<float>::quiet_NaN(), 2).GetWidth(), 0.0f);
    CQzRectangle2 rect(CQzVector2(0, 0), 1, 2);
    rect.SetWidth(-4);
    EXPECT_EQ(rect.GetWidth(), -4.0f);
    CQzRectangle2i const recti(CQzVector2i(5, 5), 3, -1), negative(CQzVector2i(5, 5), -3, 1);
    EXPECT_TRUE(recti.GetWidth() == 3 && recti.GetHeight() == 0 && negative.GetWidth() == 0);

    CQzCapsule2 capsule(CQzSegment2(CQzVector2(0, 0), CQzVector2(1, 1)), 0.5f);
    capsule.TranslateP2(CQzVector2(1, 0));
    EXPECT_TRUE(capsule.GetSegment().getP1() == CQzVector2(0, 0) && capsule.GetSegment().getP2() == CQzVector2(2, 1));
    capsule.Translate(CQzVector2(1, 0));
    EXPECT_TRUE(capsule.GetSegment().getP1() == CQzVector2(1, 0) && capsule.GetSegment().getP2() == CQzVector2(3, 1));
    CQzEllipse2 const ellipse;
    CQzMatrix22 const& m = ellipse.GetMatrix();
    EXPECT_TRUE(m(0, 0) == 1 && m(0, 1) == 0 && m(1, 0) == 0 && m(1, 1) == 1);
}

TEST(QzShapes, SolidMeasuresMatchDoublePrecision)
{
    CQzAABB3 const box(0, 2, 0, 4, 0, 6);
    EXPECT_TRUE(box.ComputeCenter() == CQzVector3(1, 2, 3) && box.ComputeExtents() == CQzVector3(1, 2, 3));
    EXPECT_TRUE(box.ComputeVolume() == 6.0f && box.ComputeInertiaTensor(12).Equal(CQzVector3(13, 10, 5), 1e-5f));
    CQzCylinder const cylinder(CQzVector3(0, 0, 0), CQzVector3(0, 0, 1), 1, 2);
    EXPECT_TRUE(std::fabs(cylinder.GetVolume() - 2 * M_PI) < 1e-6 && cylinder.GetInertiaTensor(12).Equal(CQzVector3(7, 7, 6), 1e-5f));

    qztest::Random random(29);
    for (int i = 0; i < 300; ++i)
    {
        CQzVector3 const lo = random.Vector(-50, 50), hi = lo + random.Vector(0, 20);
        CQzAABB3 const b(lo, hi);
        glm::dvec3 const e = (D(hi) - D(lo)) * 0.5;
        EXPECT_TRUE(std::fabs(b.ComputeBoundingSphereRadius() - glm::length(e)) < 1e-4 &&
                    std::fabs(b.ComputeBoundingCircleRadius() - std::hypot(e.x, e.y)) < 1e-4 &&
                    std::fabs(b.ComputeLength() - 2.0 * glm::length(e)) < 2e-4) << i;
        EXPECT_NEAR(b.ComputeVolume(), e.x * e.y * e.z, 1e-3 * (1 + e.x * e.y * e.z));
        double const mass = random.Uniform(0.1f, 10);
        glm::dvec3 const tensor = mass / 12.0 * glm::dvec3(e.y * e.y + e.z * e.z, e.x * e.x + e.z * e.z, e.x * e.x + e.y * e.y);
        CQzOBB3 const obb(b.ComputeCenter(), b.ComputeExtents(), CQzVector3(1, 0, 0), CQzVector3(0, 1, 0), CQzVector3(0, 0, 1));
        EXPECT_LT(glm::length(D(b.ComputeInertiaTensor(float(mass))) - tensor), 1e-4 * (1 + glm::length(tensor)));
        EXPECT_TRUE(obb.GetInertiaTensor(float(mass)) == b.ComputeInertiaTensor(float(mass)) && obb.GetVolume() == b.ComputeVolume());
        CQzVector3 const p = random.Vector(-50, 70);
        EXPECT_EQ(b.Contains(p, 10.0f), glm::distance(D(p), (D(lo) + D(hi)) * 0.5) <= 10.0);
    }
    CQzAABB3 grown;
    grown.SetEmpty();
    EXPECT_TRUE(grown.IsEmpty() && CQzAABB3(0, 1, 0, 1, 1, 0).IsEmpty()); // empty in z alone
    grown.AddPoint(CQzVector3(1, 2, 3));
    EXPECT_TRUE(!grown.IsEmpty() && grown.GetMin() == CQzVector3(1, 2, 3) && grown.GetMax() == CQzVector3(1, 2, 3));
    glm::dvec3 lo(1, 2, 3), hi(1, 2, 3);
    for (int i = 0; i < 500; ++i)
    {
        CQzVector3 const p = random.Vector(-9, 9);
        grown.AddPoint(p);
        lo = glm::min(lo, D(p));
        hi = glm::max(hi, D(p));
    }
    EXPECT_TRUE(D(grown.GetMin()) == lo && D(grown.GetMax()) == hi);
    CQzAABB3 const unit(0, 1, 0, 1, 0, 1);
    EXPECT_TRUE(unit.Contains(CQzVector3(1, 0.5f, 0)) && !unit.Contains(CQzVector3(1.000001f, 0.5f, 0.5f)) &&
                !unit.Contains(CQzVector3(0.5f, std::numeric_limits<float>::quiet_NaN(), 0.5f)));
}

TEST(QzShapes, PlaneSignConventionsAndTriangleEdges)
{
    CQzPlane const flat(CQzVector3(0, 0, 0), CQzVector3(1, 0, 0), CQzVector3(0, 1, 0));
    EXPECT_TRUE(flat.GetNormal() == CQzVector3(0, 0, 1) && flat.GetDistance() == 0.0f);
    CQzVector3 const raised[3] = {{0, 0, 2}, {1, 0, 2}, {0, 1, 2}};
    CQzPlane computed;
    computed.Compute(raised[0], raised[1], raised[2]);
    EXPECT_TRUE(CQzPlane(raised[0], raised[1], raised[2]).GetDistance() == 2.0f && computed.GetDistance() == -2.0f);
    CQzPlane scaled(CQzVector3(0, 0, 2), 4);
    scaled.Normalize();
    EXPECT_TRUE(scaled.GetNormal() == CQzVector3(0, 0, 1) && scaled.GetDistance() == 2.0f);
    CQzPlane zero(CQzVector3(0, 0, 0), 3);
    zero.Normalize(); // a zero normal is left alone
    scaled.Flip();
    EXPECT_TRUE(zero.GetDistance() == 3.0f && scaled.GetNormal() == CQzVector3(0, 0, -1) && scaled.GetDistance() == -2.0f);

    qztest::Random random(37);
    for (int i = 0; i < 300; ++i)
    {
        CQzVector3 const a = random.Vector(-10, 10), b = random.Vector(-10, 10), c = random.Vector(-10, 10);
        glm::dvec3 const n = glm::normalize(glm::cross(D(b) - D(a), D(c) - D(a)));
        CQzPlane const plane(a, b, c);
        CQzPlane other;
        other.Compute(a, b, c);
        for (CQzVector3 const& p : {a, b, c}) // n · p = d, and n · p + d = 0
            EXPECT_TRUE(std::fabs(plane.GetDistance() - glm::dot(n, D(p))) < 1e-3 && std::fabs(other.GetDistance() + glm::dot(n, D(p))) < 1e-3);
        CQzTriangle3 tri(a, b, c);
        EXPECT_TRUE(glm::length(D(plane.GetNormal()) - n) < 1e-4 && glm::length(D(tri.getNormal()) - n) < 1e-4);
        EXPECT_LT(glm::length(D(tri.getCenter()) - (D(a) + D(b) + D(c)) / 3.0), 1e-5);
        double const lengths[3] = {glm::distance(D(a), D(b)), glm::distance(D(b), D(c)), glm::distance(D(c), D(a))};
        int const longest = lengths[0] >= lengths[1] && lengths[0] >= lengths[2] ? 0 : (lengths[1] >= lengths[2] ? 1 : 2);
        EXPECT_TRUE(tri.getHypothenuse().getP1() == tri.getVertex(unsigned(longest)) &&
                    tri.getHypothenuse().getP2() == tri.getVertex(unsigned(longest + 1) % 3));
        tri.swapVertices(1, 2);
        EXPECT_TRUE(glm::length(D(tri.getNormal()) + n) < 1e-4 && tri.getVertex(1) == c);
    }
    CQzTriangle3 right(0, 0, 0, 3, 0, 0, 0, 4, 0);
    EXPECT_TRUE(right.getHypothenuse().getP1() == CQzVector3(3, 0, 0) && right.getHypothenuse().getP2() == CQzVector3(0, 4, 0));
    CQzTriangle3 const tie(0, 0, 0, 5, 0, 0, 4, 3, 0); // edges 0-1 and 2-0 both 5 long
    EXPECT_TRUE(tie.getHypothenuse().getP1() == CQzVector3(0, 0, 0) && tie.getHypothenuse().getP2() == CQzVector3(5, 0, 0));
    right.swapVertices(0, 0);
    EXPECT_EQ(right.getNormal(), CQzVector3(0, 0, -1));
    EXPECT_EQ(CQzTriangle3(0, 0, 0, 1, 1, 1, 2, 2, 2).getNormal(), CQzVector3(0, 0, 0));
}

// The hand-written assignments copy every field; Set puts each line in its place.
TEST(QzShapes, AssignmentsCopyEveryField)
{
    CQzVector3 const a(1, 2, 3), b(4, 5, 6);
    CQzVector2 const u(1, 2), v(3, 4);
    CQzOBB2 obb2;
    obb2 = CQzOBB2(u, v, v, u);
    CQzOBB3 obb3;
    obb3 = CQzOBB3(a, b, b, a, b);
    CQzCircle circle;
    circle = CQzCircle(a, 2);
    EXPECT_TRUE(obb2.getAxis(CQzOBB2::AXIS_0) == v && obb2.getAxis(CQzOBB2::AXIS_1) == u &&
                obb3.GetAxis(CQzOBB3::AXIS_2) == b && circle.GetCenter() == a && circle.GetRadius() == 2.0f);
    CQzEllipsoid ellipsoid;
    ellipsoid = CQzEllipsoid(1, 2, 3);
    CQzCylinder cylinder;
    cylinder = CQzCylinder(a, b, 1, 7);
    CQzTriangle3 triangle3;
    triangle3 = CQzTriangle3(a, b, a);
    EXPECT_TRUE(ellipsoid.GetRadiusY() == 2.0f && cylinder.GetHeight() == 7.0f && triangle3.getVertex(1) == b);
    CQzLine2 lines[4];
    lines[3].setP1(u);
    CQzFrustum2 frustum2;
    frustum2.Set(lines[0], lines[1], lines[2], lines[3]);
    EXPECT_EQ(frustum2.GetLine(CQzFrustum2::ELine(3)).getP1(), u);

}

} // namespace
