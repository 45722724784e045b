// QzTriangle.h: CQzTriangle, three mesh vertices that can fill in their own
// tangents and binormals.
#ifndef QZCORE_GEOMETRY_QZTRIANGLE_H
#define QZCORE_GEOMETRY_QZTRIANGLE_H

#include "QzApi.h"
#include "geometry/QzTriangleVertex.h"

// One thread at a time per triangle; copies are independent.
class QZ_API CQzTriangle
{
public:
    enum EVertex
    {
        VERTEX_0 = 0,
        VERTEX_1 = 1,
        VERTEX_2 = 2
    };

    CQzTriangle() {}
    CQzTriangle(CQzTriangle const& other) = default;
    CQzTriangle& operator=(CQzTriangle const& other)
    {
        for (int i = 0; i < 3; ++i)
            m_vertices[i] = other.m_vertices[i];
        return *this;
    }
    virtual ~CQzTriangle();

    // Assigns with the vertex's rules: attributes are added, never removed.
    void setVertex(EVertex index, CQzTriangleVertex const& vertex) { m_vertices[index] = vertex; }
    CQzTriangleVertex& getVertex(EVertex index) { return m_vertices[index]; }
    CQzTriangleVertex const& getVertex(EVertex index) const { return m_vertices[index]; }

    // CQzTangentSpaceComputer::computeTangentBasisVectors on this triangle.
    bool computeTangentSpace();

private:
    CQzTriangleVertex m_vertices[3];
};

#endif // QZCORE_GEOMETRY_QZTRIANGLE_H
