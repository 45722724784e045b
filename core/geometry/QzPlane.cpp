// QzPlane.cpp: the plane through three points, in its two sign conventions.
#include "geometry/QzPlane.h"

CQzPlane::CQzPlane(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3)
    : m_normal(UnitNormal(p1, p2, p3)), m_distance(0.0f)
{
    m_distance = m_normal.DotProduct(p1);
}

void CQzPlane::Compute(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3)
{
    m_normal = UnitNormal(p1, p2, p3);
    m_distance = -m_normal.DotProduct(p3);
}

void CQzPlane::Normalize()
{
    float const length = m_normal.GetLength();
    if (length != 0.0f)
    {
        m_normal = CQzVector3(m_normal.x / length, m_normal.y / length, m_normal.z / length);
        m_distance /= length;
    }
}

CQzVector3 CQzPlane::UnitNormal(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3)
{
    CQzVector3 n = (p2 - p1) ^ (p3 - p1);
    float const length = n.GetLength();
    if (length > 0.0f)
        n = CQzVector3(n.x / length, n.y / length, n.z / length);
    return n;
}
