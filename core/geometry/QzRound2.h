// QzRound2.h: the round planar shapes: CQzCircle (a circle lying in space),
// CQzEllipse2 (centre and a 2×2 matrix) and CQzCapsule2 (segment and radius).
#ifndef QZCORE_GEOMETRY_QZROUND2_H
#define QZCORE_GEOMETRY_QZROUND2_H

#include "QzApi.h"
#include "geometry/QzLinear2.h"
#include "math/QzMatrix22.h"
#include "math/QzVector3.h"

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzCircle
{
public:
    CQzCircle() : m_center(0.0f, 0.0f, 0.0f), m_radius(0.0f) {}
    CQzCircle(CQzVector3 const& center, float radius) : m_center(center), m_radius(radius) {}
    CQzCircle(CQzCircle const&) = default;
    CQzCircle& operator=(CQzCircle const& other)
    {
        if (this != &other)
        {
            m_center = other.m_center;
            m_radius = other.m_radius;
        }
        return *this;
    }
    ~CQzCircle() {}

    void SetCenter(CQzVector3 const& center) { m_center = center; }
    CQzVector3 const& GetCenter() const { return m_center; }
    void SetRadius(float radius) { m_radius = radius; }
    float& GetRadius() { return m_radius; }
    float const& GetRadius() const { return m_radius; }

private:
    CQzVector3 m_center;
    float m_radius;
};

class QZ_API CQzEllipse2
{
public:
    // The matrix starts as the identity (CQzMatrix22's default).
    CQzEllipse2() : m_center(0.0f, 0.0f) {}
    CQzEllipse2(CQzVector2 const& center, CQzMatrix22 const& matrix) : m_center(center), m_matrix(matrix) {}
    CQzEllipse2(CQzEllipse2 const& other) : m_center(other.m_center), m_matrix(other.m_matrix) {}
    CQzEllipse2& operator=(CQzEllipse2 const& other)
    {
        if (this != &other)
        {
            m_center = other.m_center;
            m_matrix = other.m_matrix;
        }
        return *this;
    }
    ~CQzEllipse2() {}

    void SetCenter(CQzVector2 const& center) { m_center = center; }
    CQzVector2& GetCenter() { return m_center; }
    CQzVector2 const& GetCenter() const { return m_center; }
    // Stored as given; nothing here interprets it.
    void SetMatrix(CQzMatrix22 const& matrix) { m_matrix = matrix; }
    CQzMatrix22& GetMatrix() { return m_matrix; }
    CQzMatrix22 const& GetMatrix() const { return m_matrix; }

private:
    CQzVector2 m_center;
    CQzMatrix22 m_matrix;
};

class QZ_API CQzCapsule2
{
public:
    CQzCapsule2() : m_radius(0.0f) {}
    CQzCapsule2(CQzSegment2 const& segment, float radius) : m_segment(segment), m_radius(radius) {}
    CQzCapsule2(CQzCapsule2 const&) = default;
    void operator=(CQzCapsule2 const& other) { m_segment = other.m_segment; m_radius = other.m_radius; }
    ~CQzCapsule2() {}

    void SetSegment(CQzSegment2 const& segment) { m_segment = segment; }
    CQzSegment2& GetSegment() { return m_segment; }
    CQzSegment2 const& GetSegment() const { return m_segment; }
    void SetRadius(float radius) { m_radius = radius; }
    float GetRadius() const { return m_radius; }

    void Translate(CQzVector2 const& v) { TranslateP1(v); TranslateP2(v); }
    void TranslateP1(CQzVector2 const& v) { m_segment.getP1() += v; }
    void TranslateP2(CQzVector2 const& v) { m_segment.getP2() += v; }

private:
    CQzSegment2 m_segment;
    float m_radius;
};

#endif // QZCORE_GEOMETRY_QZROUND2_H
