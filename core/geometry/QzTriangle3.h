// QzTriangle3.h: CQzTriangle3, three vertices of space and their unit normal
// (counter-clockwise seen from the normal's side).
#ifndef QZCORE_GEOMETRY_QZTRIANGLE3_H
#define QZCORE_GEOMETRY_QZTRIANGLE3_H

#include "QzApi.h"
#include "geometry/QzLinear3.h"
#include "math/QzVector3.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzTriangle3
{
public:
    CQzTriangle3() {}
    // Both compute the normal as computeNormal does.
    CQzTriangle3(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2);
    CQzTriangle3(CQzVector3 const& v0, CQzVector3 const& v1, CQzVector3 const& v2);
    CQzTriangle3(CQzTriangle3 const&) = default;
    void operator=(CQzTriangle3 const& other)
    {
        for (int i = 0; i < 3; ++i)
            m_vertices[i] = other.m_vertices[i];
        m_normal = other.m_normal;
    }
    ~CQzTriangle3() {}

    // index is 0 to 2, unchecked.
    void setVertex(unsigned int index, CQzVector3 const& v) { m_vertices[index] = v; }
    CQzVector3& getVertex(unsigned int index) { return m_vertices[index]; }
    CQzVector3 const& getVertex(unsigned int index) const { return m_vertices[index]; }
    void setNormal(CQzVector3 const& normal) { m_normal = normal; }
    CQzVector3& getNormal() { return m_normal; }
    CQzVector3 const& getNormal() const { return m_normal; }

    // The unit normal of (v1 − v0) × (v2 − v0); zero for collinear vertices.
    void computeNormal();
    // Exchanges two vertices and negates the normal to follow the winding
    // (also when i equals j).
    void swapVertices(unsigned int i, unsigned int j);
    // The centroid.
    CQzVector3 getCenter() const;
    // The longest of the edges (v0, v1), (v1, v2), (v2, v0); the first of
    // them on a tie.
    CQzSegment3 getHypothenuse() const;

private:
    CQzVector3 m_vertices[3];
    CQzVector3 m_normal;
};

#endif // QZCORE_GEOMETRY_QZTRIANGLE3_H
