// QzTriangle2.h: CQzTriangle2, three points in the plane.
#ifndef QZCORE_GEOMETRY_QZTRIANGLE2_H
#define QZCORE_GEOMETRY_QZTRIANGLE2_H

#include "QzApi.h"
#include "math/QzVector2.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzTriangle2
{
public:
    CQzTriangle2() : m_p1(0.0f, 0.0f), m_p2(0.0f, 0.0f), m_p3(0.0f, 0.0f) {}
    CQzTriangle2(float x1, float y1, float x2, float y2, float x3, float y3) : m_p1(x1, y1), m_p2(x2, y2), m_p3(x3, y3) {}
    CQzTriangle2(CQzVector2 const& p1, CQzVector2 const& p2, CQzVector2 const& p3) : m_p1(p1), m_p2(p2), m_p3(p3) {}
    CQzTriangle2(CQzTriangle2 const&) = default;
    void operator=(CQzTriangle2 const& other) { m_p1 = other.m_p1; m_p2 = other.m_p2; m_p3 = other.m_p3; }
    ~CQzTriangle2() {}

    void setP1(CQzVector2 const& p) { m_p1 = p; }
    void setP2(CQzVector2 const& p) { m_p2 = p; }
    void setP3(CQzVector2 const& p) { m_p3 = p; }
    CQzVector2 const& getP1() const { return m_p1; }
    CQzVector2 const& getP2() const { return m_p2; }
    CQzVector2 const& getP3() const { return m_p3; }

private:
    CQzVector2 m_p1;
    CQzVector2 m_p2;
    CQzVector2 m_p3;
};

#endif // QZCORE_GEOMETRY_QZTRIANGLE2_H
