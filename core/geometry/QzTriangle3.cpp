// QzTriangle3.cpp: the triangle's normal, winding swap, centroid and longest edge.
#include "geometry/QzTriangle3.h"

#include <utility>

CQzTriangle3::CQzTriangle3(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2)
    : m_vertices{CQzVector3(x0, y0, z0), CQzVector3(x1, y1, z1), CQzVector3(x2, y2, z2)}
{
    computeNormal();
}

CQzTriangle3::CQzTriangle3(CQzVector3 const& v0, CQzVector3 const& v1, CQzVector3 const& v2)
    : m_vertices{v0, v1, v2}
{
    computeNormal();
}

void CQzTriangle3::computeNormal()
{
    CQzVector3 n = (m_vertices[1] - m_vertices[0]) ^ (m_vertices[2] - m_vertices[0]);
    float const length = n.GetLength();
    if (length > 0.0f)
        n = CQzVector3(n.x / length, n.y / length, n.z / length);
    m_normal = n;
}

void CQzTriangle3::swapVertices(unsigned int i, unsigned int j)
{
    std::swap(m_vertices[i], m_vertices[j]);
    m_normal.Oppose();
}

CQzVector3 CQzTriangle3::getCenter() const
{
    CQzVector3 c = m_vertices[0] + m_vertices[1] + m_vertices[2];
    c *= 0.33333334f;
    return c;
}

CQzSegment3 CQzTriangle3::getHypothenuse() const
{
    CQzSegment3 const edges[3] = {CQzSegment3(m_vertices[0], m_vertices[1]),
                                  CQzSegment3(m_vertices[1], m_vertices[2]),
                                  CQzSegment3(m_vertices[2], m_vertices[0])};
    float longest = edges[0].GetLength();
    int chosen = 0;
    // strictly longer only: the first edge keeps a tie
    for (int i = 1; i < 3; ++i)
    {
        float const length = edges[i].GetLength();
        if (length > longest)
        {
            longest = length;
            chosen = i;
        }
    }
    return edges[chosen];
}
