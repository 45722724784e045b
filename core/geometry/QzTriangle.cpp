// QzTriangle.cpp: the mesh triangle's tangent space and the out-of-line
// destructors of the triangle records.
#include "geometry/QzTriangle.h"
#include "geometry/QzTangentSpaceComputer.h"
#include "geometry/QzTriangleBasis.h"

CQzTriangle::~CQzTriangle() {}

bool CQzTriangle::computeTangentSpace()
{
    CQzTangentSpaceComputer computer;
    return computer.computeTangentBasisVectors(*this);
}

CQzTriangleBasis::~CQzTriangleBasis() {}
