// QzTangentSpaceComputer.h: CQzTangentSpaceComputer, the per-triangle tangent
// (towards increasing u) and binormal (towards increasing v) of each vertex,
// each made perpendicular to that vertex's normal. Nothing is averaged over
// neighbouring triangles and no handedness is computed.
#ifndef QZCORE_GEOMETRY_QZTANGENTSPACECOMPUTER_H
#define QZCORE_GEOMETRY_QZTANGENTSPACECOMPUTER_H

#include "QzApi.h"
#include "geometry/QzTriangle.h"
#include "math/QzVector2.h"
#include "math/QzVector3.h"

// Holds no data: any thread may use its own instance.
class QZ_API CQzTangentSpaceComputer
{
public:
    CQzTangentSpaceComputer() {}
    CQzTangentSpaceComputer(CQzTangentSpaceComputer const&) {}
    CQzTangentSpaceComputer& operator=(CQzTangentSpaceComputer const&) { return *this; }
    virtual ~CQzTangentSpaceComputer();

    // Fills every vertex's tangent and binormal and normalises its normal.
    // False when all three u are 0 (tangents (1, 0, 0), binormals (0, 0, 1)),
    // and false before changing anything when a vertex lacks normal or UV1.
    bool computeTangentBasisVectors(CQzTriangle& triangle);
    // The same on loose values; normalOut receives the normalised normals.
    void computeTangentBasisVectors(CQzVector3 const& position0, CQzVector3 const& position1,
                                    CQzVector3 const& position2, CQzVector3 const& normal0,
                                    CQzVector3 const& normal1, CQzVector3 const& normal2, CQzVector2 const& uv0,
                                    CQzVector2 const& uv1, CQzVector2 const& uv2, CQzVector3& tangent0,
                                    CQzVector3& tangent1, CQzVector3& tangent2, CQzVector3& binormal0,
                                    CQzVector3& binormal1, CQzVector3& binormal2, CQzVector3& normalOut0,
                                    CQzVector3& normalOut1, CQzVector3& normalOut2);

protected:
    // One vertex: normal must be of unit length.
    void ComputeTangentSpace(CQzVector3 const& position0, CQzVector3 const& position1, CQzVector3 const& position2,
                             CQzVector2 const& uv0, CQzVector2 const& uv1, CQzVector2 const& uv2, CQzVector3& tangent,
                             CQzVector3& binormal, CQzVector3 const& normal);
};

#endif // QZCORE_GEOMETRY_QZTANGENTSPACECOMPUTER_H
