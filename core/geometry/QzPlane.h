// QzPlane.h: CQzPlane, a normal and a distance. A point x is on the inner
// (positive) side when normal · x + distance ≥ 0.
#ifndef QZCORE_GEOMETRY_QZPLANE_H
#define QZCORE_GEOMETRY_QZPLANE_H

#include "QzApi.h"
#include "math/QzVector3.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzPlane
{
public:
    // The plane z = 0, facing up.
    CQzPlane() : m_normal(0.0f, 0.0f, 1.0f), m_distance(0.0f) {}
    // Stored as given.
    CQzPlane(CQzVector3 const& normal, float distance) : m_normal(normal), m_distance(distance) {}
    // The unit normal of (p2 − p1) × (p3 − p1) (zero for a degenerate
    // triangle) and the distance +normal · p1. Compute gives the opposite sign.
    CQzPlane(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3);
    CQzPlane(CQzPlane const&) = default;
    void operator=(CQzPlane const& other) { m_normal = other.m_normal; m_distance = other.m_distance; }
    ~CQzPlane() {}

    // The same normal as the constructor, the distance −(normal · p3).
    void Compute(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3);
    // Divides normal and distance by the normal's length; a zero normal stays.
    void Normalize();
    void Flip()
    {
        m_normal.Oppose();
        m_distance = -m_distance;
    }

    void SetNormal(float x, float y, float z) { m_normal.SetXYZ(x, y, z); }
    void SetNormal(CQzVector3 const& normal) { m_normal = normal; }
    CQzVector3& GetNormal() { return m_normal; }
    CQzVector3 const& GetNormal() const { return m_normal; }
    void SetDistance(float distance) { m_distance = distance; }
    float GetDistance() const { return m_distance; }
    void SetABCD(float a, float b, float c, float d)
    {
        m_normal.SetXYZ(a, b, c);
        m_distance = d;
    }

private:
    static CQzVector3 UnitNormal(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3);

    CQzVector3 m_normal;
    float m_distance;
};

#endif // QZCORE_GEOMETRY_QZPLANE_H
