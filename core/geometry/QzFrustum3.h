// QzFrustum3.h: CQzFrustum3, the convex volume of six planes with culling
// tests for spheres and axis-aligned boxes, its eight corners and its box.
#ifndef QZCORE_GEOMETRY_QZFRUSTUM3_H
#define QZCORE_GEOMETRY_QZFRUSTUM3_H

#include "QzApi.h"
#include "geometry/QzAABB3.h"
#include "geometry/QzPlane.h"
#include "geometry/QzSphere.h"
#include "math/QzVector3.h"

// A plain value filled plane by plane by its caller: any thread may use its
// own copies; concurrent tests on one frustum only read it.
class QZ_API CQzFrustum3
{
public:
    // Which side each plane stands for is the caller's choice: the tests
    // treat the planes alike, in index order.
    enum EPlane
    {
        PLANE_0 = 0,
        PLANE_1 = 1,
        PLANE_2 = 2,
        PLANE_3 = 3,
        PLANE_4 = 4,
        PLANE_5 = 5
    };
    // What ContainsAABB returns.
    enum EContainment
    {
        OUTSIDE = 0,
        INSIDE = 1,
        INTERSECTING = 2
    };

    // Six default planes (z ≥ 0); corners and box zero.
    CQzFrustum3() {}
    CQzFrustum3(CQzFrustum3 const&) = default;
    CQzFrustum3& operator=(CQzFrustum3 const&) = default;
    virtual ~CQzFrustum3();

    void SetPlane(EPlane index, CQzPlane const& plane) { m_planes[index] = plane; }
    CQzPlane& GetPlane(EPlane index) { return m_planes[index]; }
    CQzPlane const& GetPlane(EPlane index) const { return m_planes[index]; }

    // The corners stay zero unless a caller writes them through a copy; no
    // operation here derives them from the planes.
    CQzVector3 const& GetNearLeftUp() const { return m_corners[0]; }
    CQzVector3 const& GetNearLeftDown() const { return m_corners[1]; }
    CQzVector3 const& GetNearRightUp() const { return m_corners[2]; }
    CQzVector3 const& GetNearRightDown() const { return m_corners[3]; }
    CQzVector3 const& GetFarLeftUp() const { return m_corners[4]; }
    CQzVector3 const& GetFarLeftDown() const { return m_corners[5]; }
    CQzVector3 const& GetFarRightUp() const { return m_corners[6]; }
    CQzVector3 const& GetFarRightDown() const { return m_corners[7]; }
    CQzAABB3 const& GetAABB() const { return m_box; }

    // True unless the sphere lies wholly on the outer side of some plane;
    // touching or crossing spheres count as contained, NaN as outside.
    bool ContainsSphere(CQzVector3 const& center, float radius) const;
    bool ContainsSphere(CQzSphere const& sphere) const { return ContainsSphere(sphere.GetCenter(), sphere.GetRadius()); }
    // OUTSIDE, INSIDE or INTERSECTING; a box whose farthest corner lies
    // exactly on a plane is outside.
    int ContainsAABB(CQzVector3 const& min, CQzVector3 const& max) const;

private:
    CQzPlane m_planes[6];
    CQzVector3 m_corners[8];
    CQzAABB3 m_box;
};

#endif // QZCORE_GEOMETRY_QZFRUSTUM3_H
