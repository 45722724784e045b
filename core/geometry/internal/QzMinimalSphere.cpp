// QzMinimalSphere.cpp: Welzl's move-to-front minimal sphere in double
// precision; the float points are exact in double, so differences are too.
#include "geometry/internal/QzMinimalSphere.h"

#include <algorithm>
#include <cmath>

namespace qzgeometry {
namespace {

struct SVec
{
    double x, y, z;
};

SVec Diff(CQzVector3 const& a, CQzVector3 const& b) { return SVec{double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z}; }
double Dot(SVec const& a, SVec const& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
SVec Cross(SVec const& a, SVec const& b) { return SVec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
SVec Combine(double s, SVec const& a, double t, SVec const& b) { return SVec{s * a.x + t * b.x, s * a.y + t * b.y, s * a.z + t * b.z}; }

// Below these relative sizes of |a × b| and det(a, b, c), the support counts
// as flat: its circumsphere would rest on rounding noise.
constexpr double kFlat3 = 1e-10;
constexpr double kFlat4 = 1e-10;
// A point counts as outside when it exceeds the squared radius by this
// fraction; closer ones are covered by the final farthest-point radius.
constexpr double kOutside = 1e-6;

SBall Ball(CQzVector3 const& origin, SVec const& offset)
{
    return SBall{{origin.x + offset.x, origin.y + offset.y, origin.z + offset.z}, Dot(offset, offset)};
}

double SquaredDistance(SBall const& ball, CQzVector3 const& p)
{
    double const dx = p.x - ball.center[0], dy = p.y - ball.center[1], dz = p.z - ball.center[2];
    return dx * dx + dy * dy + dz * dz;
}

bool Outside(SBall const& ball, CQzVector3 const& p)
{
    return SquaredDistance(ball, p) - ball.radius2 > kOutside * ball.radius2 + 1e-30;
}

// The smallest ball of the supports less one point that still holds that
// point; the largest of them when none does.
SBall FlatFallback(CQzVector3 const* supports, int count)
{
    SBall best{{0.0, 0.0, 0.0}, -1.0};
    SBall largest = best;
    for (int skip = 0; skip < count; ++skip)
    {
        CQzVector3 rest[3];
        for (int i = 0, j = 0; i < count; ++i)
            if (i != skip)
                rest[j++] = supports[i];
        SBall const ball = SupportBall(rest, count - 1);
        if (ball.radius2 > largest.radius2)
            largest = ball;
        if (!Outside(ball, supports[skip]) && (best.radius2 < 0.0 || ball.radius2 < best.radius2))
            best = ball;
    }
    return best.radius2 < 0.0 ? largest : best;
}

} // namespace

SBall SupportBall(CQzVector3 const* s, int count)
{
    switch (count)
    {
    case 0:
        return SBall{{0.0, 0.0, 0.0}, -1.0};
    case 1:
        return SBall{{s[0].x, s[0].y, s[0].z}, 0.0};
    case 2:
    {
        SVec const a = Diff(s[1], s[0]);
        return Ball(s[0], SVec{a.x * 0.5, a.y * 0.5, a.z * 0.5});
    }
    case 3:
    {
        SVec const a = Diff(s[1], s[0]), b = Diff(s[2], s[0]);
        SVec const n = Cross(a, b);
        double const aa = Dot(a, a), bb = Dot(b, b), nn = Dot(n, n);
        if (nn <= kFlat3 * kFlat3 * aa * bb)
            return FlatFallback(s, 3);
        // the circumcentre, in the triangle's plane
        SVec const o = Combine(bb, Cross(n, a), aa, Cross(b, n));
        double const inv = 1.0 / (2.0 * nn);
        return Ball(s[0], SVec{o.x * inv, o.y * inv, o.z * inv});
    }
    default:
    {
        SVec const a = Diff(s[1], s[0]), b = Diff(s[2], s[0]), c = Diff(s[3], s[0]);
        SVec const bc = Cross(b, c), ca = Cross(c, a), ab = Cross(a, b);
        double const det = Dot(a, bc);
        double const aa = Dot(a, a), bb = Dot(b, b), cc = Dot(c, c);
        if (det * det <= kFlat4 * kFlat4 * aa * bb * cc)
            return FlatFallback(s, 4);
        double const inv = 1.0 / (2.0 * det);
        SVec const o{(cc * ab.x + bb * ca.x + aa * bc.x) * inv, (cc * ab.y + bb * ca.y + aa * bc.y) * inv,
                     (cc * ab.z + bb * ca.z + aa * bc.z) * inv};
        return Ball(s[0], o);
    }
    }
}

SBall MoveToFront(CQzVector3* points, int candidates, int supports, int offset)
{
    SBall ball = SupportBall(points + offset - supports, supports);
    if (supports == 4)
        return ball;
    for (int i = 0; i < candidates; ++i)
    {
        CQzVector3* const q = points + offset + i;
        if (!Outside(ball, *q))
            continue;
        // q to the front; the points it passes move up by one, in order
        std::rotate(points + offset, q, q + 1);
        ball = MoveToFront(points, i, supports + 1, offset + 1);
    }
    return ball;
}

void MoveExtremesToFront(CQzVector3* points, int count)
{
    if (count < 2)
        return;
    int extremes[6] = {0, 0, 0, 0, 0, 0};
    float lo[3] = {points[0].x, points[0].y, points[0].z};
    float hi[3] = {lo[0], lo[1], lo[2]};
    for (int i = 1; i < count; ++i)
    {
        float const c[3] = {points[i].x, points[i].y, points[i].z};
        for (int k = 0; k < 3; ++k)
        {
            if (c[k] < lo[k])
            {
                lo[k] = c[k];
                extremes[2 * k] = i;
            }
            if (c[k] > hi[k])
            {
                hi[k] = c[k];
                extremes[2 * k + 1] = i;
            }
        }
    }
    // ascending and distinct, so that swapping index j into place never
    // disturbs an extreme that is still to come
    std::sort(extremes, extremes + 6);
    int const distinct = int(std::unique(extremes, extremes + 6) - extremes);
    for (int j = 0; j < distinct; ++j)
        std::swap(points[j], points[extremes[j]]);
}

double FarthestSquared(CQzVector3 const* points, int count, CQzVector3 const& center)
{
    double farthest = 0.0;
    for (int i = 0; i < count; ++i)
    {
        double const dx = double(points[i].x) - center.x, dy = double(points[i].y) - center.y,
                     dz = double(points[i].z) - center.z;
        farthest = std::max(farthest, dx * dx + dy * dy + dz * dz);
    }
    return farthest;
}

} // namespace qzgeometry
