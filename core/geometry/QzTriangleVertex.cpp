// QzTriangleVertex.cpp: the vertex's copy rules (attributes are added, never
// removed) and the destructor that frees them.
#include "geometry/QzTriangleVertex.h"

CQzTriangleVertex::CQzTriangleVertex() : m_position(0.0f, 0.0f, 0.0f) {}

CQzTriangleVertex::CQzTriangleVertex(CQzTriangleVertex const& other) : CQzTriangleVertex() { *this = other; }

CQzTriangleVertex::CQzTriangleVertex(CQzTriangleVertex&& other) noexcept = default;

void CQzTriangleVertex::operator=(CQzTriangleVertex const& other)
{
    if (this == &other)
        return;
    m_position = other.m_position;
    CopyIfPresent(m_tangent, other.m_tangent);
    CopyIfPresent(m_binormal, other.m_binormal);
    CopyIfPresent(m_normal, other.m_normal);
    CopyIfPresent(m_uv1, other.m_uv1);
    CopyIfPresent(m_uv2, other.m_uv2);
    CopyIfPresent(m_color1, other.m_color1);
    CopyIfPresent(m_color2, other.m_color2);
}

CQzTriangleVertex::~CQzTriangleVertex() {}
