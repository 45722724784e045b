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
        CQzVector3 p, q;
        for (int k = 0; k < 3; ++k)
        {
            bool const positive = n[k] > 0.0f;
            p[k] = positive ? max[k] : min[k];
            q[k] = positive ? min[k] : max[k];
        }
        if (n.DotProduct(q) + plane.GetDistance() < 0.0f)
            result = INTERSECTING;
        if (n.DotProduct(p) + plane.GetDistance() <= 0.0f)
            return OUTSIDE;
    }
    return result;
}
CQzFrustum2::~CQzFrustum2() {}
