// QzBezier.h: the control points of a cubic Bézier curve (CQzBezierCurve)
// and of a bicubic Bézier patch (CQzBezierPatch). They evaluate nothing.
#ifndef QZCORE_GEOMETRY_QZBEZIER_H
#define QZCORE_GEOMETRY_QZBEZIER_H

#include "QzApi.h"
#include "math/QzVector3.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzBezierCurve
{
public:
    CQzBezierCurve() {}
    CQzBezierCurve(CQzVector3 const& a, CQzVector3 const& b, CQzVector3 const& c, CQzVector3 const& d)
        : m_a(a), m_b(b), m_c(c), m_d(d)
    {
    }
    CQzBezierCurve(CQzBezierCurve const&) = default;
    void operator=(CQzBezierCurve const& other) { Set(other.m_a, other.m_b, other.m_c, other.m_d); }
    ~CQzBezierCurve() {}

    void Set(CQzVector3 const& a, CQzVector3 const& b, CQzVector3 const& c, CQzVector3 const& d)
    {
        m_a = a;
        m_b = b;
        m_c = c;
        m_d = d;
    }
    void Get(CQzVector3& a, CQzVector3& b, CQzVector3& c, CQzVector3& d) const
    {
        a = m_a;
        b = m_b;
        c = m_c;
        d = m_d;
    }
    void SetA(CQzVector3 const& a) { m_a = a; }
    void SetB(CQzVector3 const& b) { m_b = b; }
    void SetC(CQzVector3 const& c) { m_c = c; }
    void SetD(CQzVector3 const& d) { m_d = d; }
    CQzVector3 const& GetA() const { return m_a; }
    CQzVector3 const& GetB() const { return m_b; }
    CQzVector3 const& GetC() const { return m_c; }
    CQzVector3 const& GetD() const { return m_d; }

private:
    CQzVector3 m_a;
    CQzVector3 m_b;
    CQzVector3 m_c;
    CQzVector3 m_d;
};

// Its points change only by copy or assignment.
class QZ_API CQzBezierPatch
{
public:
    enum EVertex
    {
        VERTEX_0 = 0,
        VERTEX_1 = 1,
        VERTEX_2 = 2,
        VERTEX_3 = 3
    };
    enum ETangent
    {
        TANGENT_0 = 0,
        TANGENT_1 = 1,
        TANGENT_2 = 2,
        TANGENT_3 = 3,
        TANGENT_4 = 4,
        TANGENT_5 = 5,
        TANGENT_6 = 6,
        TANGENT_7 = 7
    };
    enum EInterior
    {
        INTERIOR_0 = 0,
        INTERIOR_1 = 1,
        INTERIOR_2 = 2,
        INTERIOR_3 = 3
    };

    CQzBezierPatch() {}
    CQzBezierPatch(CQzBezierPatch const&) = default;
    CQzBezierPatch& operator=(CQzBezierPatch const&) = default;
    ~CQzBezierPatch() {}

    // Corners are points 0 to 3, edge tangents 4 to 11, interior 12 to 15.
    CQzVector3 const& GetVertex(EVertex i) const { return m_points[i]; }
    CQzVector3 const& GetTangent(ETangent i) const { return m_points[4 + i]; }
    CQzVector3 const& GetInterior(EInterior i) const { return m_points[12 + i]; }

private:
    CQzVector3 m_points[16];
};

#endif // QZCORE_GEOMETRY_QZBEZIER_H
