// QzOBB3.h: CQzOBB3, the oriented box of space: a centre, half-sizes and
// three axes, with the box's (half-size) volume and inertia tensor.
#ifndef QZCORE_GEOMETRY_QZOBB3_H
#define QZCORE_GEOMETRY_QZOBB3_H

#include "QzApi.h"
#include "math/QzVector3.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzOBB3
{
public:
    enum EAxis
    {
        AXIS_0 = 0,
        AXIS_1 = 1,
        AXIS_2 = 2
    };

    CQzOBB3() {}
    CQzOBB3(CQzVector3 const& center, CQzVector3 const& extents, CQzVector3 const& axis0, CQzVector3 const& axis1,
            CQzVector3 const& axis2)
        : m_center(center), m_extents(extents), m_axes{axis0, axis1, axis2}
    {
    }
    CQzOBB3(CQzOBB3 const&) = default;
    void operator=(CQzOBB3 const& other)
    {
        m_center = other.m_center;
        m_extents = other.m_extents;
        for (int i = 0; i < 3; ++i)
            m_axes[i] = other.m_axes[i];
    }
    ~CQzOBB3() {}

    void SetCenter(CQzVector3 const& center) { m_center = center; }
    CQzVector3& GetCenter() { return m_center; }
    CQzVector3 const& GetCenter() const { return m_center; }
    void SetExtents(CQzVector3 const& extents) { m_extents = extents; }
    CQzVector3& GetExtents() { return m_extents; }
    CQzVector3 const& GetExtents() const { return m_extents; }
    void SetAxis(EAxis axis, CQzVector3 const& v) { m_axes[axis] = v; }
    CQzVector3& GetAxis(EAxis axis) { return m_axes[axis]; }
    CQzVector3 const& GetAxis(EAxis axis) const { return m_axes[axis]; }

    // The product of the half-sizes.
    float GetVolume() const { return m_extents.x * m_extents.y * m_extents.z; }
    // CQzAABB3::ComputeInertiaTensor's formula over the stored half-sizes.
    CQzVector3 GetInertiaTensor(float mass) const
    {
        CQzVector3 const& e = m_extents;
        float const k = mass * 0.083333336f;
        return CQzVector3(k * (e.y * e.y + e.z * e.z), k * (e.x * e.x + e.z * e.z), k * (e.x * e.x + e.y * e.y));
    }

private:
    CQzVector3 m_center;
    CQzVector3 m_extents;
    CQzVector3 m_axes[3];
};

#endif // QZCORE_GEOMETRY_QZOBB3_H
