// Frustum tests: the box test against all eight corners, the sphere test against
// double-precision plane distances, and the inclusive boundary rules.
#include "geometry/QzFrustum3.h"

#include "math/QzMathReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

CQzFrustum3 Cube()
{
    CQzFrustum3 f;
    for (int i = 0; i < 6; ++i)
        f.SetPlane(CQzFrustum3::EPlane(i), CQzPlane(CQzVector3(i / 2 == 0, i / 2 == 1, i / 2 == 2) * CQzVector3(1 - i % 2 * 2, 1 - i % 2 * 2, 1 - i % 2 * 2), 1.0f));
    return f;
}

// Outside when every corner is on or beyond one plane, intersecting when
// some corner is beyond some plane, inside otherwise.
int Classify(CQzFrustum3 const& f, CQzVector3 const& lo, CQzVector3 const& hi)
{
    bool crossing = false;
    for (int i = 0; i < 6; ++i)
    {
        CQzPlane const& plane = f.GetPlane(CQzFrustum3::EPlane(i));
        int beyond = 0, onOrBeyond = 0;
        for (int c = 0; c < 8; ++c)
        {
            CQzVector3 const corner((c & 1) ? hi.x : lo.x, (c & 2) ? hi.y : lo.y, (c & 4) ? hi.z : lo.z);
            float const value = plane.GetNormal().DotProduct(corner) + plane.GetDistance();
            beyond += value < 0.0f;
            onOrBeyond += value <= 0.0f;
        }
        if (onOrBeyond == 8)
            return 0;
        crossing = crossing || beyond > 0;
    }
    return crossing ? 2 : 1;
}

TEST(QzFrustum3, ContainsAABBMatchesTheEightCornerClassification)
{
    qztest::Random random(17);
    int seen[3] = {0, 0, 0};
    for (int round = 0; round < 200; ++round)
    {
        CQzFrustum3 f;
        CQzVector3 const center = random.Vector(-5, 5);
        for (int i = 0; i < 6; ++i)
        {
            CQzVector3 n = random.Vector(-1, 1);
            n.Normalize();
            // inward normals, the centre between 1 and 6 units inside
            f.SetPlane(CQzFrustum3::EPlane(i), CQzPlane(n, random.Uniform(1, 6) - n.DotProduct(center)));
        }
        for (int b = 0; b < 200; ++b)
        {
            CQzVector3 lo = random.Vector(-12, 12), hi = lo + random.Vector(0, 4);
            if (b % 10 == 0)
                hi = lo; // a point
            int const expected = Classify(f, lo, hi);
            ++seen[expected];
            ASSERT_EQ(f.ContainsAABB(lo, hi), expected) << "round " << round << " box " << b;
        }
    }
    for (int count : seen)
        EXPECT_GT(count, 500);

    CQzFrustum3 const cube = Cube();
    EXPECT_EQ(cube.GetPlane(CQzFrustum3::PLANE_1).GetNormal(), CQzVector3(-1, 0, 0)); // the planes keep their numbers
    // touching from outside is outside, filling it exactly is inside
    EXPECT_TRUE(cube.ContainsAABB(CQzVector3(0.5f, 0, 0), CQzVector3(2, 1, 1)) == 2 &&
                cube.ContainsAABB(CQzVector3(-3, -3, -3), CQzVector3(-1, -1, -1)) == 0 &&
                cube.ContainsAABB(CQzVector3(-1, -1, -1), CQzVector3(1, 1, 1)) == 1);
}

TEST(QzFrustum3, ContainsSphereMatchesPlaneDistancesAndTouchingCounts)
{
    qztest::Random random(19);
    CQzFrustum3 const cube = Cube();
    for (int i = 0; i < 2000; ++i)
    {
        CQzVector3 const c = random.Vector(-3, 3);
        float const r = random.Uniform(0, 2);
        bool expected = true;
        double margin = 1.0;
        for (int k = 0; k < 3; ++k)
        {
            double const slack = double(r) + 1.0 - std::fabs(double(c[k]));
            expected = expected && slack >= 0.0;
            margin = std::fmin(margin, std::fabs(slack));
        }
        // float rounding decides the boundary cases
        EXPECT_TRUE(margin <= 1e-5 || cube.ContainsSphere(CQzSphere(c, r)) == expected) << i;
    }
    EXPECT_TRUE(cube.ContainsSphere(CQzVector3(1.5f, 0, 0), 0.5f) && !cube.ContainsSphere(CQzVector3(1.5f, 0, 0), 0.4f));
    EXPECT_FALSE(cube.ContainsSphere(CQzVector3(0, 0, 0), std::numeric_limits<float>::quiet_NaN()));
    CQzFrustum3 const half; // six planes z ≥ 0
    EXPECT_TRUE(half.ContainsSphere(CQzVector3(0, 0, -1), 1.0f) && !half.ContainsSphere(CQzVector3(0, 0, -1), 0.9f));
    EXPECT_EQ(half.GetFarRightDown(), CQzVector3(0, 0, 0));
}

} // namespace
