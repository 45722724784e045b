// QzSphere.cpp: the sphere's tests, the spheres through one to four points,
// and the three bounding-sphere methods.
#include "geometry/QzSphere.h"

#include "geometry/internal/QzMinimalSphere.h"
#include "geometry/internal/QzVectorOps.h"

#include <cmath>
#include <vector>

using qzgeometry::Scale;

namespace {

// The exact method's result: the centre rounded to float, and a radius that
// reaches the farthest point from that rounded centre, plus the margin.
void StoreBall(qzgeometry::SBall const& ball, CQzVector3 const* points, int count, CQzVector3& center, float& radius)
{
    if (ball.radius2 < 0.0)
    {
        center.SetNull();
        radius = 0.0f;
        return;
    }
    center.SetXYZ(float(ball.center[0]), float(ball.center[1]), float(ball.center[2]));
    double const farthest = qzgeometry::FarthestSquared(points, count, center);
    radius = float(std::sqrt(farthest)) + SPHERE_RADIUS_EPSILON;
}

} // namespace

CQzSphere::CQzSphere(CQzVector3 const& p1) : m_center(0.0f, 0.0f, 0.0f), m_radius(0.0f) { ComputeFrom(p1); }

CQzSphere::CQzSphere(CQzVector3 const& p1, CQzVector3 const& p2) : m_center(0.0f, 0.0f, 0.0f), m_radius(0.0f)
{
    ComputeFrom(p1, p2);
}

CQzSphere::CQzSphere(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3)
    : m_center(0.0f, 0.0f, 0.0f), m_radius(0.0f)
{
    ComputeFrom(p1, p2, p3);
}

CQzSphere::CQzSphere(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3, CQzVector3 const& p4)
    : m_center(0.0f, 0.0f, 0.0f), m_radius(0.0f)
{
    ComputeFrom(p1, p2, p3, p4);
}

CQzVector3 CQzSphere::ComputeInertiaTensor(float mass) const
{
    float const i = 0.4f * mass * m_radius * m_radius;
    return CQzVector3(i, i, i);
}

bool CQzSphere::Contains(CQzVector3 const& p, float tolerance) const
{
    return (tolerance + 1.0f) * m_radius * m_radius >= (p - m_center).GetSquaredLength();
}

bool CQzSphere::Contains(CQzSphere const& other) const
{
    float const reach = m_radius + other.m_radius;
    return reach * reach >= (other.m_center - m_center).GetSquaredLength();
}

bool CQzSphere::IntersectsSegment(CQzSegment3 const& segment) const
{
    CQzVector3 const& p1 = segment.getP1();
    CQzVector3 const d = segment.getP2() - p1;
    float const length2 = d.GetSquaredLength();
    if (length2 < 0.001f)
        return false;
    float const t = (m_center - p1).DotProduct(d) / length2;
    if (t < 0.0f || t > 1.0f)
        return false;
    CQzVector3 const closest = p1 + Scale(d, t);
    return m_radius * 1.001f * m_radius >= (closest - m_center).GetSquaredLength();
}

void CQzSphere::ComputeFrom(CQzArray<CQzVector3> const& points, EBoundingComputationType type)
{
    switch (type)
    {
    case BOUNDING_COMPUTATION_WELZL:
    {
        int const count = points.GetCount();
        if (count == 0)
        {
            m_center.SetNull();
            m_radius = 0.0f;
            return;
        }
        // the caller's order stays; the working copy is reordered
        std::vector<CQzVector3> work(points.GetData(), points.GetData() + count);
        qzgeometry::MoveExtremesToFront(work.data(), count);
        qzgeometry::SBall const ball = qzgeometry::MoveToFront(work.data(), count, 0, 0);
        StoreBall(ball, work.data(), count, m_center, m_radius);
        return;
    }
    case BOUNDING_COMPUTATION_AVERAGE:
        ComputeUsingAverage(points);
        return;
    case BOUNDING_COMPUTATION_AABB:
        ComputeUsingAABB(points);
        return;
    }
}

void CQzSphere::ComputeFrom(CQzVector3 const& p1)
{
    m_center = p1;
    m_radius = SPHERE_RADIUS_EPSILON;
}

void CQzSphere::ComputeFrom(CQzVector3 const& p1, CQzVector3 const& p2)
{
    CQzVector3 const o = Scale(p2 - p1, 0.5f);
    m_center = p1 + o;
    m_radius = o.GetLength() + SPHERE_RADIUS_EPSILON;
}

void CQzSphere::ComputeFrom(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3)
{
    CQzVector3 const a = p2 - p1, b = p3 - p1;
    CQzVector3 const n = a ^ b;
    float const d = 2.0f * n.GetSquaredLength();
    if (std::fabs(d) < 0.001f)
    {
        m_center.SetNull();
        m_radius = 0.0f;
        return;
    }
    CQzVector3 const o = Scale(Scale(n ^ a, b.GetSquaredLength()) + Scale(b ^ n, a.GetSquaredLength()), 1.0f / d);
    m_center = p1 + o;
    m_radius = o.GetLength() + SPHERE_RADIUS_EPSILON;
}

void CQzSphere::ComputeFrom(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3, CQzVector3 const& p4)
{
    CQzVector3 const a = p2 - p1, b = p3 - p1, c = p4 - p1;
    float const d = 2.0f * a.DotProduct(b ^ c);
    if (std::fabs(d) < 0.001f)
    {
        m_center.SetNull();
        m_radius = 0.0f;
        return;
    }
    CQzVector3 const o =
        Scale(Scale(a ^ b, c.GetSquaredLength()) + Scale(c ^ a, b.GetSquaredLength()) + Scale(b ^ c, a.GetSquaredLength()),
              1.0f / d);
    m_center = p1 + o;
    m_radius = o.GetLength() + SPHERE_RADIUS_EPSILON;
}

void CQzSphere::ComputeUsingWelzl(CQzArray<CQzVector3>& points, int candidates, int supports, int offset)
{
    qzgeometry::SBall const ball = qzgeometry::MoveToFront(points.GetData(), candidates, supports, offset);
    StoreBall(ball, points.GetData() + offset - supports, candidates + supports, m_center, m_radius);
}

void CQzSphere::ComputeUsingAverage(CQzArray<CQzVector3> const& points)
{
    m_center.SetNull();
    m_radius = SPHERE_RADIUS_EPSILON;
    int const count = points.GetCount();
    if (count == 0)
        return;
    for (int i = 0; i < count; ++i)
        m_center += points[i];
    m_center *= 1.0f / float(count);
    // the farthest distance starts at the value in the radius field
    float largest = m_radius;
    for (int i = 0; i < count; ++i)
    {
        float const d = (m_center - points[i]).GetSquaredLength();
        if (d > largest)
            largest = d;
    }
    m_radius = std::sqrt(largest) + SPHERE_RADIUS_EPSILON;
}

void CQzSphere::ComputeUsingAABB(CQzArray<CQzVector3> const& points)
{
    m_center.SetNull();
    m_radius = SPHERE_RADIUS_EPSILON;
    int const count = points.GetCount();
    if (count == 0)
        return;
    CQzVector3 min(qzgeometry::kFloatMax, qzgeometry::kFloatMax, qzgeometry::kFloatMax);
    CQzVector3 max(-qzgeometry::kFloatMax, -qzgeometry::kFloatMax, -qzgeometry::kFloatMax);
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < 3; ++k)
        {
            if (points[i][k] < min[k])
                min[k] = points[i][k];
            if (points[i][k] > max[k])
                max[k] = points[i][k];
        }
    m_center = Scale(min + max, 0.5f);
    // the half-diagonal, without the margin
    m_radius = (max - m_center).GetLength();
}
