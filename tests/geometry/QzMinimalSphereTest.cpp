// Minimal-sphere internals: flat supports (rounding's doing) fall back to the smallest
// sub-support sphere holding them all; the extreme points move to the front.
#include "geometry/internal/QzMinimalSphere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(QzMinimalSphere, FlatSupportsFallBackToTheSmallestSphereHoldingThem)
{
    struct SCase { CQzVector3 points[4]; int count; double x, y, radius2; };
    SCase const cases[] = {{{{0, 0, 0}, {1, 0, 0}, {3, 0, 0}}, 3, 1.5, 0, 2.25},               // collinear
                           {{{2, 2, 2}, {2, 2, 2}, {2, 2, 2}}, 3, 2, 2, 0},                     // one point
                           {{{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}}, 4, 0, 0, 1},        // cocircular
                           {{{-1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}}, 4, 0, 0, 1},         // a point inside
                           {{{-1, 0, 0}, {0, 0.5f, 0}, {1, 0, 0}, {0, -0.5f, 0}}, 4, 0, 0.75, 1.5625}}; // a rhombus
    for (SCase const& c : cases)
    {
        qzgeometry::SBall const ball = qzgeometry::SupportBall(c.points, c.count);
        EXPECT_TRUE(std::fabs(ball.radius2 - c.radius2) < 1e-12 && std::fabs(ball.center[0] - c.x) < 1e-12 &&
                    std::fabs(std::fabs(ball.center[1]) - c.y) < 1e-12 && std::fabs(ball.center[2] - c.points[0].z) < 1e-12)
            << c.count << ' ' << c.radius2;
    }
    CQzVector3 points[9] = {{0, 0, 0}, {1, 1, 1}, {-5, 0, 0}, {0, 7, 0}, {2, 2, 2}, {0, 0, 9}, {0, -3, 0}, {4, 4, -8}, {6, 0, 0}};
    qzgeometry::MoveExtremesToFront(points, 9);
    for (CQzVector3 const& extreme : {CQzVector3(-5, 0, 0), CQzVector3(6, 0, 0), CQzVector3(0, -3, 0),
                                      CQzVector3(0, 7, 0), CQzVector3(4, 4, -8), CQzVector3(0, 0, 9)})
        EXPECT_NE(std::find(points, points + 6, extreme), points + 6);
    EXPECT_NE(std::find(points + 6, points + 9, CQzVector3(1, 1, 1)), points + 9);
}

} // namespace
