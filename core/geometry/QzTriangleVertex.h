// QzTriangleVertex.h: CQzTriangleVertex, a mesh vertex: a position and up to
// seven optional attributes (tangent, binormal, normal, two texture
// coordinates, two colours), each owned by the vertex once set.
#ifndef QZCORE_GEOMETRY_QZTRIANGLEVERTEX_H
#define QZCORE_GEOMETRY_QZTRIANGLEVERTEX_H

#include "QzApi.h"
#include "math/QzColor.h"
#include "math/QzVector2.h"
#include "math/QzVector3.h"

#include <memory>

// One thread at a time per vertex; copies are independent.
class QZ_API CQzTriangleVertex
{
public:
    // Position (0, 0, 0), no attributes.
    CQzTriangleVertex();
    CQzTriangleVertex(CQzTriangleVertex const& other);
    CQzTriangleVertex(CQzTriangleVertex&& other) noexcept;
    // Copies the position and every attribute the source has; attributes the
    // source lacks stay as they are here. (An rvalue is copied the same way.)
    void operator=(CQzTriangleVertex const& other);
    virtual ~CQzTriangleVertex();

    void setPosition(CQzVector3 const& p) { m_position = p; }
    void setPosition(float x, float y, float z) { m_position.SetXYZ(x, y, z); }
    CQzVector3& getPosition() { return m_position; }
    CQzVector3 const& getPosition() const { return m_position; }

    // Each set creates its attribute on first use. Each get requires the
    // attribute to be present (has…, or known to be set).
    void setTangent(CQzVector3 const& v) { Store(m_tangent, v); }
    void setTangent(float x, float y, float z) { Store(m_tangent, CQzVector3(x, y, z)); }
    void setBinormal(CQzVector3 const& v) { Store(m_binormal, v); }
    void setBinormal(float x, float y, float z) { Store(m_binormal, CQzVector3(x, y, z)); }
    void setNormal(CQzVector3 const& v) { Store(m_normal, v); }
    void setNormal(float x, float y, float z) { Store(m_normal, CQzVector3(x, y, z)); }
    void setUV1(CQzVector2 const& uv) { Store(m_uv1, uv); }
    void setUV1(float u, float v) { Store(m_uv1, CQzVector2(u, v)); }
    void setUV2(CQzVector2 const& uv) { Store(m_uv2, uv); }
    void setUV2(float u, float v) { Store(m_uv2, CQzVector2(u, v)); }
    void setColor1(CQzRGBA<float> const& c) { Store(m_color1, c); }
    void setColor1(float r, float g, float b, float a) { Store(m_color1, CQzRGBA<float>(r, g, b, a)); }
    void setColor2(CQzRGBA<float> const& c) { Store(m_color2, c); }
    void setColor2(float r, float g, float b, float a) { Store(m_color2, CQzRGBA<float>(r, g, b, a)); }

    CQzVector3& getTangent() { return *m_tangent; }
    CQzVector3 const& getTangent() const { return *m_tangent; }
    CQzVector3& getBinormal() { return *m_binormal; }
    CQzVector3 const& getBinormal() const { return *m_binormal; }
    CQzVector3& getNormal() { return *m_normal; }
    CQzVector3 const& getNormal() const { return *m_normal; }
    CQzVector2& getUV1() { return *m_uv1; }
    CQzVector2 const& getUV1() const { return *m_uv1; }
    CQzVector2& getUV2() { return *m_uv2; }
    CQzVector2 const& getUV2() const { return *m_uv2; }
    CQzRGBA<float>& getColor1() { return *m_color1; }
    CQzRGBA<float> const& getColor1() const { return *m_color1; }
    CQzRGBA<float>& getColor2() { return *m_color2; }
    CQzRGBA<float> const& getColor2() const { return *m_color2; }

    bool hasNormal() const { return m_normal != nullptr; }
    bool hasUV1() const { return m_uv1 != nullptr; }
    bool hasUV2() const { return m_uv2 != nullptr; }
    bool hasColor1() const { return m_color1 != nullptr; }
    bool hasColor2() const { return m_color2 != nullptr; }

private:
    template <typename T>
    static void Store(std::unique_ptr<T>& slot, T const& value)
    {
        if (slot)
            *slot = value;
        else
            slot.reset(new T(value));
    }
    template <typename T>
    static void CopyIfPresent(std::unique_ptr<T>& slot, std::unique_ptr<T> const& source)
    {
        if (source)
            Store(slot, *source);
    }

    CQzVector3 m_position;
    std::unique_ptr<CQzVector3> m_tangent;
    std::unique_ptr<CQzVector3> m_binormal;
    std::unique_ptr<CQzVector3> m_normal;
    std::unique_ptr<CQzVector2> m_uv1;
    std::unique_ptr<CQzVector2> m_uv2;
    std::unique_ptr<CQzRGBA<float>> m_color1;
    std::unique_ptr<CQzRGBA<float>> m_color2;
};

#endif // QZCORE_GEOMETRY_QZTRIANGLEVERTEX_H
