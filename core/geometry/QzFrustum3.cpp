// QzFrustum3.cpp: the frustum's sphere and box tests; the frustums' destructors.
#include "geometry/QzFrustum2.h"
#include "geometry/QzFrustum3.h"

CQzFrustum3::~CQzFrustum3() {}

bool CQzFrustum3::ContainsSphere(CQzVector3 const& center, float radius) const
{
    // a product of per-plane verdicts, so that a NaN distance fails too
    int product = 1;
    for (CQzPlane const& plane : m_planes)
        product *= (plane.GetNormal().DotProduct(center) + plane.GetDistance() + radius >= 0.0f) ? 1 : 0;
    return product > 0;
}

int CQzFrustum3::ContainsAABB(CQzVector3 const& min, CQzVector3 const& max) const
{
    int result = INSIDE;
    for (CQzPlane const& plane : m_planes)
    {
        CQzVector3 const& n = plane.GetNormal();
        // p: the corner farthest along the normal; q: the one farthest against it
        CQzVector3 const p(n.x > 0.0f ? max.x : min.x, n.y > 0.0f ? max.y : min.y, n.z > 0.0f ? max.z : min.z);
        CQzVector3 const q(n.x > 0.0f ? min.x : max.x, n.y > 0.0f ? min.y : max.y, n.z > 0.0f ? min.z : max.z);
        if (n.DotProduct(q) + plane.GetDistance() < 0.0f)
            result = INTERSECTING;
        if (n.DotProduct(p) + plane.GetDistance() <= 0.0f)
            return OUTSIDE;
    }
    return result;
}

CQzFrustum2::~CQzFrustum2() {}
