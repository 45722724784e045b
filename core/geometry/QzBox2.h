// QzBox2.h: the planar boxes, CQzAABB2 (axis-aligned) and CQzOBB2 (oriented).
// Box measures are products of half-sizes, as everywhere in the library.
#ifndef QZCORE_GEOMETRY_QZBOX2_H
#define QZCORE_GEOMETRY_QZBOX2_H

#include "QzApi.h"
#include "math/QzVector2.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzAABB2
{
public:
    // min and max are cleared although no operation reads them before a set.
    CQzAABB2() : m_min(0.0f, 0.0f), m_max(0.0f, 0.0f) {}
    // Note the order: both x bounds first, then both y bounds.
    CQzAABB2(float minX, float maxX, float minY, float maxY) : m_min(minX, minY), m_max(maxX, maxY) {}
    CQzAABB2(CQzVector2 const& min, CQzVector2 const& max) : m_min(min), m_max(max) {}
    CQzAABB2(CQzAABB2 const&) = default;
    void operator=(CQzAABB2 const& other) { m_min = other.m_min; m_max = other.m_max; }
    ~CQzAABB2() {}

    void SetMin(float x, float y) { m_min.SetXY(x, y); }
    void SetMin(CQzVector2 const& min) { m_min = min; }
    void SetMax(float x, float y) { m_max.SetXY(x, y); }
    void SetMax(CQzVector2 const& max) { m_max = max; }
    void SetMinMax(CQzVector2 const& min, CQzVector2 const& max) { m_min = min; m_max = max; }
    CQzVector2& GetMin() { return m_min; }
    CQzVector2 const& GetMin() const { return m_min; }
    CQzVector2& GetMax() { return m_max; }
    CQzVector2 const& GetMax() const { return m_max; }

    void SetCenterExtents(CQzVector2 const& center, CQzVector2 const& extents)
    {
        m_min = center - extents;
        m_max = center + extents;
    }
    CQzVector2 ComputeCenter() const
    {
        return CQzVector2((m_min.x + m_max.x) * 0.5f, (m_min.y + m_max.y) * 0.5f);
    }
    // The half-sizes.
    CQzVector2 ComputeExtents() const
    {
        return CQzVector2((m_max.x - m_min.x) * 0.5f, (m_max.y - m_min.y) * 0.5f);
    }
    // A quarter of width × height: the product of the half-sizes.
    float ComputeArea() const
    {
        CQzVector2 const e = ComputeExtents();
        return e.x * e.y;
    }
    // The half-diagonal, wherever the box lies.
    float ComputeBoundingCircleRadius() const { return ComputeExtents().GetLength(); }

private:
    CQzVector2 m_min;
    CQzVector2 m_max;
};

class QZ_API CQzOBB2
{
public:
    enum EAxis
    {
        AXIS_0 = 0,
        AXIS_1 = 1
    };

    CQzOBB2() : m_center(0.0f, 0.0f), m_extents(0.0f, 0.0f), m_axes{CQzVector2(0.0f, 0.0f), CQzVector2(0.0f, 0.0f)} {}
    CQzOBB2(CQzVector2 const& center, CQzVector2 const& extents, CQzVector2 const& axis0, CQzVector2 const& axis1)
        : m_center(center), m_extents(extents), m_axes{axis0, axis1}
    {
    }
    CQzOBB2(CQzOBB2 const&) = default;
    void operator=(CQzOBB2 const& other)
    {
        m_center = other.m_center;
        m_extents = other.m_extents;
        m_axes[0] = other.m_axes[0];
        m_axes[1] = other.m_axes[1];
    }
    ~CQzOBB2() {}

    void setCenter(CQzVector2 const& center) { m_center = center; }
    CQzVector2& getCenter() { return m_center; }
    CQzVector2 const& getCenter() const { return m_center; }
    // The names are spelled so; they write and read the half-sizes.
    void setEntends(CQzVector2 const& extents) { m_extents = extents; }
    CQzVector2& getExtends() { return m_extents; }
    CQzVector2 const& getExtends() const { return m_extents; }
    void setAxis(EAxis axis, CQzVector2 const& v) { m_axes[axis] = v; }
    CQzVector2 const& getAxis(EAxis axis) const { return m_axes[axis]; }

    // The product of the half-sizes.
    float getArea() const { return m_extents.x * m_extents.y; }

private:
    CQzVector2 m_center;
    CQzVector2 m_extents;
    CQzVector2 m_axes[2];
};

#endif // QZCORE_GEOMETRY_QZBOX2_H
