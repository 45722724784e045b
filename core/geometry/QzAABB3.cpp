// QzAABB3.cpp: the axis-aligned box's growth, tests and measures.
#include "geometry/QzAABB3.h"

#include "geometry/internal/QzVectorOps.h"

using qzgeometry::Scale;

void CQzAABB3::SetEmpty()
{
    m_min.SetXYZ(qzgeometry::kFloatMax, qzgeometry::kFloatMax, qzgeometry::kFloatMax);
    m_max.SetXYZ(-qzgeometry::kFloatMax, -qzgeometry::kFloatMax, -qzgeometry::kFloatMax);
}

void CQzAABB3::AddPoint(CQzVector3 const& p)
{
    for (int k = 0; k < 3; ++k)
    {
        if (m_min[k] > p[k])
            m_min[k] = p[k];
        if (p[k] > m_max[k])
            m_max[k] = p[k];
    }
}

bool CQzAABB3::Contains(CQzVector3 const& p) const
{
    return m_min.x <= p.x && p.x <= m_max.x && m_min.y <= p.y && p.y <= m_max.y && m_min.z <= p.z &&
           p.z <= m_max.z;
}

bool CQzAABB3::Contains(CQzVector3 const& p, float radius) const
{
    return (p - ComputeCenter()).GetLength() <= radius;
}

CQzVector3 CQzAABB3::ComputeCenter() const { return Scale(m_min + m_max, 0.5f); }

CQzVector3 CQzAABB3::ComputeExtents() const { return Scale(m_max - m_min, 0.5f); }

float CQzAABB3::ComputeVolume() const
{
    CQzVector3 const e = ComputeExtents();
    return e.x * e.y * e.z;
}

float CQzAABB3::ComputeBoundingCircleRadius() const
{
    CQzVector3 const e = ComputeExtents();
    return e.XY().GetLength();
}

float CQzAABB3::ComputeBoundingSphereRadius() const { return ComputeExtents().GetLength(); }

CQzVector3 CQzAABB3::ComputeInertiaTensor(float mass) const
{
    CQzVector3 const e = ComputeExtents();
    float const k = mass * 0.083333336f;
    return CQzVector3(k * (e.y * e.y + e.z * e.z), k * (e.x * e.x + e.z * e.z), k * (e.x * e.x + e.y * e.y));
}
