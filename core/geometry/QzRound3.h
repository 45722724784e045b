// QzRound3.h: the round solids: CQzEllipsoid (three radii), CQzCapsule3
// (segment and radius) and CQzCylinder (position, axis, radius, height).
#ifndef QZCORE_GEOMETRY_QZROUND3_H
#define QZCORE_GEOMETRY_QZROUND3_H

#include "QzApi.h"
#include "geometry/QzLinear3.h"
#include "math/QzVector3.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzEllipsoid
{
public:
    CQzEllipsoid() : m_radiusX(0.0f), m_radiusY(0.0f), m_radiusZ(0.0f) {}
    CQzEllipsoid(float radiusX, float radiusY, float radiusZ) : m_radiusX(radiusX), m_radiusY(radiusY), m_radiusZ(radiusZ) {}
    CQzEllipsoid(CQzEllipsoid const&) = default;
    CQzEllipsoid& operator=(CQzEllipsoid const& other)
    {
        if (this != &other)
        {
            m_radiusX = other.m_radiusX;
            m_radiusY = other.m_radiusY;
            m_radiusZ = other.m_radiusZ;
        }
        return *this;
    }
    ~CQzEllipsoid() {}

    void SetRadiusX(float r) { m_radiusX = r; }
    void SetRadiusY(float r) { m_radiusY = r; }
    void SetRadiusZ(float r) { m_radiusZ = r; }
    float GetRadiusX() const { return m_radiusX; }
    float GetRadiusY() const { return m_radiusY; }
    float GetRadiusZ() const { return m_radiusZ; }

private:
    float m_radiusX;
    float m_radiusY;
    float m_radiusZ;
};

class QZ_API CQzCapsule3
{
public:
    CQzCapsule3() : m_radius(0.0f) {}
    CQzCapsule3(CQzSegment3 const& segment, float radius) : m_segment(segment), m_radius(radius) {}
    CQzCapsule3(CQzCapsule3 const&) = default;
    void operator=(CQzCapsule3 const& other) { m_segment = other.m_segment; m_radius = other.m_radius; }
    ~CQzCapsule3() {}

    void SetSegment(CQzSegment3 const& segment) { m_segment = segment; }
    CQzSegment3& GetSegment() { return m_segment; }
    CQzSegment3 const& GetSegment() const { return m_segment; }
    void SetRadius(float radius) { m_radius = radius; }
    float GetRadius() const { return m_radius; }

private:
    CQzSegment3 m_segment;
    float m_radius;
};

class QZ_API CQzCylinder
{
public:
    CQzCylinder() : m_radius(0.0f), m_height(0.0f) {}
    CQzCylinder(CQzVector3 const& position, CQzVector3 const& axis, float radius, float height)
        : m_position(position), m_axis(axis), m_radius(radius), m_height(height)
    {
    }
    // In storage order: position, axis, radius, height.
    CQzCylinder(float px, float py, float pz, float ax, float ay, float az, float radius, float height)
        : m_position(px, py, pz), m_axis(ax, ay, az), m_radius(radius), m_height(height)
    {
    }
    CQzCylinder(CQzCylinder const&) = default;
    CQzCylinder& operator=(CQzCylinder const& other)
    {
        if (this != &other)
        {
            m_position = other.m_position;
            m_axis = other.m_axis;
            m_radius = other.m_radius;
            m_height = other.m_height;
        }
        return *this;
    }
    ~CQzCylinder() {}

    void SetPos(CQzVector3 const& position) { m_position = position; }
    CQzVector3& GetPos() { return m_position; }
    CQzVector3 const& GetPos() const { return m_position; }
    void SetAxis(CQzVector3 const& axis) { m_axis = axis; }
    CQzVector3& GetAxis() { return m_axis; }
    CQzVector3 const& GetAxis() const { return m_axis; }
    void SetRadius(float radius) { m_radius = radius; }
    float GetRadius() const { return m_radius; }
    void SetHeight(float height) { m_height = height; }
    float GetHeight() const { return m_height; }

    float GetVolume() const { return 3.1415927f * m_radius * m_radius * m_height; }
    // The cylinder's own axis is the third component.
    CQzVector3 GetInertiaTensor(float mass) const
    {
        float const r2 = m_radius * m_radius;
        float const across = mass * m_height * m_height * 0.083333336f + mass * r2 / 4.0f;
        return CQzVector3(across, across, mass * r2 / 2.0f);
    }

private:
    CQzVector3 m_position;
    CQzVector3 m_axis;
    float m_radius;
    float m_height;
};

#endif // QZCORE_GEOMETRY_QZROUND3_H
