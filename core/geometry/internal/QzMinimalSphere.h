// QzMinimalSphere.h: the exact minimal enclosing sphere (Welzl's algorithm,
// move-to-front form) computed in double precision over float points.
#ifndef QZCORE_GEOMETRY_INTERNAL_QZMINIMALSPHERE_H
#define QZCORE_GEOMETRY_INTERNAL_QZMINIMALSPHERE_H

#include "math/QzVector3.h"

namespace qzgeometry {

// A ball by its squared radius; a negative one is the empty ball.
struct SBall
{
    double center[3];
    double radius2;
};

// The smallest ball with the `count` (0 to 4) points on its surface. A flat
// support (collinear triple, coplanar quadruple) has no such ball or many:
// it falls back to the smallest ball of a smaller support holding them all.
SBall SupportBall(CQzVector3 const* supports, int count);

// Welzl's move-to-front step over points[offset, offset + candidates), with
// the `supports` points before offset on the surface; reorders the array.
SBall MoveToFront(CQzVector3* points, int candidates, int supports, int offset);

// Swaps the points of smallest and largest x, y and z to the front, so that
// the first spheres are large and few later points fall outside.
void MoveExtremesToFront(CQzVector3* points, int count);

// The largest squared distance from center to the points.
double FarthestSquared(CQzVector3 const* points, int count, CQzVector3 const& center);

} // namespace qzgeometry

#endif // QZCORE_GEOMETRY_INTERNAL_QZMINIMALSPHERE_H
