// QzAABB3.h: CQzAABB3, the axis-aligned box of space, with its measures
// (half-sizes, products of half-sizes) and point tests.
#ifndef QZCORE_GEOMETRY_QZAABB3_H
#define QZCORE_GEOMETRY_QZAABB3_H

#include "QzApi.h"
#include "math/QzVector3.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzAABB3
{
public:
    CQzAABB3() {}
    // Note the order: the two bounds of x, then of y, then of z.
    CQzAABB3(float minX, float maxX, float minY, float maxY, float minZ, float maxZ)
        : m_min(minX, minY, minZ), m_max(maxX, maxY, maxZ)
    {
    }
    CQzAABB3(CQzVector3 const& min, CQzVector3 const& max) : m_min(min), m_max(max) {}
    CQzAABB3(CQzAABB3 const&) = default;
    void operator=(CQzAABB3 const& other) { m_min = other.m_min; m_max = other.m_max; }
    ~CQzAABB3() {}

    // ---- bounds ----

    void SetMin(float x, float y, float z) { m_min.SetXYZ(x, y, z); }
    void SetMin(CQzVector3 const& min) { m_min = min; }
    void SetMax(float x, float y, float z) { m_max.SetXYZ(x, y, z); }
    void SetMax(CQzVector3 const& max) { m_max = max; }
    void SetMinMax(CQzVector3 const& min, CQzVector3 const& max) { m_min = min; m_max = max; }
    CQzVector3& GetMin() { return m_min; }
    CQzVector3 const& GetMin() const { return m_min; }
    CQzVector3& GetMax() { return m_max; }
    CQzVector3 const& GetMax() const { return m_max; }

    // min at the largest float and max at its negation, so that AddPoint
    // calls build the tight box of their points.
    void SetEmpty();
    bool IsEmpty() const { return m_min.x > m_max.x || m_min.y > m_max.y || m_min.z > m_max.z; }
    void AddPoint(CQzVector3 const& p);
    void Translate(CQzVector3 const& v) { m_min += v; m_max += v; }
    void SetCenterExtents(CQzVector3 const& center, CQzVector3 const& extents)
    {
        m_min = center - extents;
        m_max = center + extents;
    }

    // ---- tests ----

    // Both bounds inclusive; a NaN component fails.
    bool Contains(CQzVector3 const& p) const;
    // Whether p lies within radius of the box centre; the box's size plays no part.
    bool Contains(CQzVector3 const& p, float radius) const;

    // ---- measures ----

    CQzVector3 ComputeCenter() const;
    // The half-sizes.
    CQzVector3 ComputeExtents() const;
    // One eighth of the true volume: the product of the half-sizes.
    float ComputeVolume() const;
    // The diagonal.
    float ComputeLength() const { return (m_max - m_min).GetLength(); }
    // The half-diagonals of the x-y face and of the box, wherever it lies.
    float ComputeBoundingCircleRadius() const;
    float ComputeBoundingSphereRadius() const;
    // The solid-box tensor with half-sizes where the textbook has full edges.
    CQzVector3 ComputeInertiaTensor(float mass) const;

private:
    CQzVector3 m_min;
    CQzVector3 m_max;
};

#endif // QZCORE_GEOMETRY_QZAABB3_H
