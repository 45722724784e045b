// QzAngleAxis.h: CQzAngleAxis, a rotation held as an axis and an angle in
// radians; stored as given, with no conversion of its own.
#ifndef QZCORE_MATH_QZANGLEAXIS_H
#define QZCORE_MATH_QZANGLEAXIS_H

#include "QzApi.h"
#include "math/QzVector3.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzAngleAxis
{
public:
    // The axis is (0, 0, 0); the angle is left unset.
    CQzAngleAxis() noexcept {}
    // The axis is kept as given, never normalised.
    CQzAngleAxis(CQzVector3 const& axis, float angle) : m_axis(axis), m_angle(angle) {}
    CQzAngleAxis(float x, float y, float z, float angle) : m_axis(x, y, z), m_angle(angle) {}
    CQzAngleAxis(CQzAngleAxis const&) = default;
    void operator=(CQzAngleAxis const& other)
    {
        m_axis = other.m_axis;
        m_angle = other.m_angle;
    }

    void SetAxis(CQzVector3 const& axis) { m_axis = axis; }
    CQzVector3& GetAxis() { return m_axis; }
    CQzVector3 const& GetAxis() const { return m_axis; }
    void SetAngle(float angle) { m_angle = angle; }
    float GetAngle() const { return m_angle; }
    void SetXYZA(float x, float y, float z, float angle)
    {
        m_axis.SetXYZ(x, y, z);
        m_angle = angle;
    }

private:
    CQzVector3 m_axis;
    float m_angle;
};

#endif // QZCORE_MATH_QZANGLEAXIS_H
