// QzLinear3.h: the linear shapes of space: CQzRay3 (origin and direction),
// CQzSegment3 (two end points) and CQzLine3 (through two points).
#ifndef QZCORE_GEOMETRY_QZLINEAR3_H
#define QZCORE_GEOMETRY_QZLINEAR3_H

#include "QzApi.h"
#include "math/QzVector3.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzRay3
{
public:
    CQzRay3() {}
    // The direction is stored as given, not normalised.
    CQzRay3(CQzVector3 const& origin, CQzVector3 const& direction) : m_origin(origin), m_direction(direction) {}
    CQzRay3(CQzRay3 const&) = default;
    CQzRay3& operator=(CQzRay3 const& other)
    {
        if (this != &other)
        {
            m_origin = other.m_origin;
            m_direction = other.m_direction;
        }
        return *this;
    }
    ~CQzRay3() {}

    void SetOrigin(float x, float y, float z) { m_origin.SetXYZ(x, y, z); }
    void SetOrigin(CQzVector3 const& origin) { m_origin = origin; }
    void SetDirection(float x, float y, float z) { m_direction.SetXYZ(x, y, z); }
    void SetDirection(CQzVector3 const& direction) { m_direction = direction; }
    CQzVector3& GetOrigin() { return m_origin; }
    CQzVector3 const& GetOrigin() const { return m_origin; }
    CQzVector3& GetDirection() { return m_direction; }
    CQzVector3 const& GetDirection() const { return m_direction; }

private:
    CQzVector3 m_origin;
    CQzVector3 m_direction;
};

class QZ_API CQzSegment3
{
public:
    CQzSegment3() {}
    CQzSegment3(CQzVector3 const& p1, CQzVector3 const& p2) : m_p1(p1), m_p2(p2) {}
    CQzSegment3(CQzSegment3 const&) = default;
    CQzSegment3& operator=(CQzSegment3 const&) = default;
    ~CQzSegment3() {}

    void setP1(CQzVector3 const& p) { m_p1 = p; }
    void setP2(CQzVector3 const& p) { m_p2 = p; }
    CQzVector3& getP1() { return m_p1; }
    CQzVector3 const& getP1() const { return m_p1; }
    CQzVector3& getP2() { return m_p2; }
    CQzVector3 const& getP2() const { return m_p2; }

    float GetLength() const { return m_p1.Distance(m_p2); }

private:
    CQzVector3 m_p1;
    CQzVector3 m_p2;
};

class QZ_API CQzLine3
{
public:
    CQzLine3() {}
    CQzLine3(CQzLine3 const&) = default;
    CQzLine3& operator=(CQzLine3 const&) = default;
    ~CQzLine3() {}

    void SetP1(CQzVector3 const& p) { m_p1 = p; }
    void SetP2(CQzVector3 const& p) { m_p2 = p; }
    CQzVector3& GetP1() { return m_p1; }
    CQzVector3 const& GetP1() const { return m_p1; }
    CQzVector3& GetP2() { return m_p2; }
    CQzVector3 const& GetP2() const { return m_p2; }

private:
    CQzVector3 m_p1;
    CQzVector3 m_p2;
};

#endif // QZCORE_GEOMETRY_QZLINEAR3_H
