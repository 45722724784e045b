// QzSphere.h: CQzSphere, the sphere value with its tests, and the builder of
// a sphere around a point set: the exact minimal sphere, a centroid sphere
// or the sphere around the points' box.
#ifndef QZCORE_GEOMETRY_QZSPHERE_H
#define QZCORE_GEOMETRY_QZSPHERE_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "geometry/QzLinear3.h"
#include "math/QzVector3.h"

// The margin added to computed radii (all but the box method's).
constexpr float SPHERE_RADIUS_EPSILON = 0.001f;

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzSphere
{
public:
    enum EBoundingComputationType
    {
        BOUNDING_COMPUTATION_WELZL = 0,   // the exact minimal enclosing sphere
        BOUNDING_COMPUTATION_AVERAGE = 1, // around the centroid, out to the farthest point
        BOUNDING_COMPUTATION_AABB = 2     // around the box's centre, out to its corner
    };

    CQzSphere() : m_center(0.0f, 0.0f, 0.0f), m_radius(0.0f) {}
    CQzSphere(float x, float y, float z, float radius) : m_center(x, y, z), m_radius(radius) {}
    CQzSphere(CQzVector3 const& center, float radius) : m_center(center), m_radius(radius) {}
    // The smallest sphere through the points (see the protected ComputeFrom).
    explicit CQzSphere(CQzVector3 const& p1);
    CQzSphere(CQzVector3 const& p1, CQzVector3 const& p2);
    CQzSphere(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3);
    CQzSphere(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3, CQzVector3 const& p4);
    CQzSphere(CQzSphere const&) = default;
    void operator=(CQzSphere const& other) { m_center = other.m_center; m_radius = other.m_radius; }
    ~CQzSphere() {}

    void SetCenter(CQzVector3 const& center) { m_center = center; }
    CQzVector3& GetCenter() { return m_center; }
    CQzVector3 const& GetCenter() const { return m_center; }
    void SetRadius(float radius) { m_radius = radius; }
    float& GetRadius() { return m_radius; }
    float const& GetRadius() const { return m_radius; }

    float ComputeVolume() const { return 4.1887903f * m_radius * m_radius * m_radius; }
    CQzVector3 ComputeInertiaTensor(float mass) const;

    // tolerance scales the squared radius: 0 is the exact inclusive test.
    bool Contains(CQzVector3 const& p, float tolerance) const;
    // An overlap test: true whenever the spheres touch or intersect.
    bool Contains(CQzSphere const& other) const;
    // Only a segment whose closest point to the centre lies between its ends
    // can hit; an end point inside the sphere does not count by itself.
    bool IntersectsSegment(CQzSegment3 const& segment) const;

    // Replaces the sphere by one around the points, built by the chosen
    // method; an unknown type leaves it unchanged. The array is not modified.
    void ComputeFrom(CQzArray<CQzVector3> const& points, EBoundingComputationType type);

protected:
    // The smallest spheres through one to four points, with the margin; a
    // collinear triple or coplanar quadruple gives the zero sphere at the origin.
    void ComputeFrom(CQzVector3 const& p1);
    void ComputeFrom(CQzVector3 const& p1, CQzVector3 const& p2);
    void ComputeFrom(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3);
    void ComputeFrom(CQzVector3 const& p1, CQzVector3 const& p2, CQzVector3 const& p3, CQzVector3 const& p4);

    // One step of the exact method: the minimal sphere of the `candidates`
    // points from index offset on, with the `supports` points just before
    // offset on its surface. Reorders the array (move-to-front).
    void ComputeUsingWelzl(CQzArray<CQzVector3>& points, int candidates, int supports, int offset);
    void ComputeUsingAverage(CQzArray<CQzVector3> const& points);
    void ComputeUsingAABB(CQzArray<CQzVector3> const& points);

private:
    CQzVector3 m_center;
    float m_radius;
};

#endif // QZCORE_GEOMETRY_QZSPHERE_H
