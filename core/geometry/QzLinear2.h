// QzLinear2.h: the planar linear shapes: CQzLine2 (through two points),
// CQzRay2 (origin and direction) and CQzSegment2 (two end points).
#ifndef QZCORE_GEOMETRY_QZLINEAR2_H
#define QZCORE_GEOMETRY_QZLINEAR2_H

#include "QzApi.h"
#include "math/QzVector2.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzLine2
{
public:
    CQzLine2() : m_p1(0.0f, 0.0f), m_p2(0.0f, 0.0f) {}
    CQzLine2(CQzLine2 const&) = default;
    CQzLine2& operator=(CQzLine2 const&) = default;
    ~CQzLine2() {}

    void setP1(CQzVector2 const& p) { m_p1 = p; }
    void setP2(CQzVector2 const& p) { m_p2 = p; }
    CQzVector2& getP1() { return m_p1; }
    CQzVector2 const& getP1() const { return m_p1; }
    CQzVector2& getP2() { return m_p2; }
    CQzVector2 const& getP2() const { return m_p2; }

private:
    CQzVector2 m_p1;
    CQzVector2 m_p2;
};

class QZ_API CQzRay2
{
public:
    CQzRay2() : m_origin(0.0f, 0.0f), m_direction(0.0f, 0.0f) {}
    // The direction is stored as given, not normalised.
    CQzRay2(CQzVector2 const& origin, CQzVector2 const& direction) : m_origin(origin), m_direction(direction) {}
    CQzRay2(CQzRay2 const&) = default;
    void operator=(CQzRay2 const& other) { m_origin = other.m_origin; m_direction = other.m_direction; }
    ~CQzRay2() {}

    void setOrigin(CQzVector2 const& origin) { m_origin = origin; }
    void setDirection(CQzVector2 const& direction) { m_direction = direction; }
    CQzVector2& getOrigin() { return m_origin; }
    CQzVector2 const& getOrigin() const { return m_origin; }
    CQzVector2& getDirection() { return m_direction; }
    CQzVector2 const& getDirection() const { return m_direction; }

private:
    CQzVector2 m_origin;
    CQzVector2 m_direction;
};

class QZ_API CQzSegment2
{
public:
    CQzSegment2() : m_p1(0.0f, 0.0f), m_p2(0.0f, 0.0f) {}
    CQzSegment2(CQzVector2 const& p1, CQzVector2 const& p2) : m_p1(p1), m_p2(p2) {}
    CQzSegment2(CQzSegment2 const&) = default;
    CQzSegment2& operator=(CQzSegment2 const&) = default;
    ~CQzSegment2() {}

    void setP1(CQzVector2 const& p) { m_p1 = p; }
    void setP2(CQzVector2 const& p) { m_p2 = p; }
    CQzVector2& getP1() { return m_p1; }
    CQzVector2 const& getP1() const { return m_p1; }
    CQzVector2& getP2() { return m_p2; }
    CQzVector2 const& getP2() const { return m_p2; }

private:
    CQzVector2 m_p1;
    CQzVector2 m_p2;
};

#endif // QZCORE_GEOMETRY_QZLINEAR2_H
