// QzVectorOps.h: the few vector helpers the geometry sources share and the
// math types do not offer (a vector scaled by a float, a double copy).
#ifndef QZCORE_GEOMETRY_INTERNAL_QZVECTOROPS_H
#define QZCORE_GEOMETRY_INTERNAL_QZVECTOROPS_H

#include "math/QzVector3.h"

namespace qzgeometry {

inline CQzVector3 Scale(CQzVector3 const& v, float s) { return CQzVector3(v.x * s, v.y * s, v.z * s); }

// The largest finite float, the start of an empty box.
constexpr float kFloatMax = 3.4028235e38f;

} // namespace qzgeometry

#endif // QZCORE_GEOMETRY_INTERNAL_QZVECTOROPS_H
