// QzTangentSpaceComputer.cpp: tangent and binormal from the texture mapping:
// along the edge where the middle vertex's v (or u) is met, away from it.
#include "geometry/QzTangentSpaceComputer.h"

#include "geometry/internal/QzVectorOps.h"

#include <cmath>
#include <utility>

using qzgeometry::Scale;

namespace {

struct SSlot
{
    CQzVector3 const* position;
    CQzVector2 const* uv;
};

// Orders the slots by descending uv[k]; equal values keep their places.
void SortDescending(SSlot (&s)[3], int k)
{
    if ((*s[0].uv)[k] < (*s[1].uv)[k])
        std::swap(s[0], s[1]);
    if ((*s[0].uv)[k] < (*s[2].uv)[k])
        std::swap(s[0], s[2]);
    if ((*s[1].uv)[k] < (*s[2].uv)[k])
        std::swap(s[1], s[2]);
}

// From the middle slot towards the point of the outer edge where the
// coordinate k takes the middle slot's value, turned to point where the
// other coordinate grows, without its normal part, of unit length.
CQzVector3 Direction(SSlot const (&s)[3], int k, CQzVector3 const& normal, CQzVector3 const& fallback)
{
    int const other = 1 - k;
    float const span = (*s[2].uv)[k] - (*s[0].uv)[k];
    float const t = std::fabs(span) < 1e-6f ? 1.0f : ((*s[1].uv)[k] - (*s[0].uv)[k]) / span;
    CQzVector3 const q = *s[0].position + Scale(*s[2].position - *s[0].position, t);
    float const qOther = (*s[0].uv)[other] + t * ((*s[2].uv)[other] - (*s[0].uv)[other]);
    CQzVector3 d = q - *s[1].position;
    if (qOther < (*s[1].uv)[other])
        d.Oppose();
    d -= Scale(normal, normal.DotProduct(d));
    float const length = d.GetLength();
    if (length > 0.0f)
        return CQzVector3(d.x / length, d.y / length, d.z / length);
    return fallback;
}

void NormalizeInPlace(CQzVector3& v)
{
    float const length = v.GetLength();
    if (length > 0.0f)
        v = CQzVector3(v.x / length, v.y / length, v.z / length);
}

} // namespace

CQzTangentSpaceComputer::~CQzTangentSpaceComputer() {}

bool CQzTangentSpaceComputer::computeTangentBasisVectors(CQzTriangle& triangle)
{
    CQzTriangleVertex* v[3];
    for (int i = 0; i < 3; ++i)
    {
        v[i] = &triangle.getVertex(CQzTriangle::EVertex(i));
        if (!v[i]->hasNormal() || !v[i]->hasUV1())
            return false;
    }
    for (CQzTriangleVertex* vertex : v)
    {
        vertex->setTangent(1.0f, 0.0f, 0.0f);
        vertex->setBinormal(0.0f, 0.0f, 1.0f);
    }
    if (v[0]->getUV1().x == 0.0f && v[1]->getUV1().x == 0.0f && v[2]->getUV1().x == 0.0f)
        return false;
    for (CQzTriangleVertex* vertex : v)
        NormalizeInPlace(vertex->getNormal());
    for (CQzTriangleVertex* vertex : v)
        ComputeTangentSpace(v[0]->getPosition(), v[1]->getPosition(), v[2]->getPosition(), v[0]->getUV1(),
                            v[1]->getUV1(), v[2]->getUV1(), vertex->getTangent(), vertex->getBinormal(),
                            vertex->getNormal());
    return true;
}

void CQzTangentSpaceComputer::computeTangentBasisVectors(
    CQzVector3 const& position0, CQzVector3 const& position1, CQzVector3 const& position2, CQzVector3 const& normal0,
    CQzVector3 const& normal1, CQzVector3 const& normal2, CQzVector2 const& uv0, CQzVector2 const& uv1,
    CQzVector2 const& uv2, CQzVector3& tangent0, CQzVector3& tangent1, CQzVector3& tangent2, CQzVector3& binormal0,
    CQzVector3& binormal1, CQzVector3& binormal2, CQzVector3& normalOut0, CQzVector3& normalOut1,
    CQzVector3& normalOut2)
{
    CQzVector3* const tangents[3] = {&tangent0, &tangent1, &tangent2};
    CQzVector3* const binormals[3] = {&binormal0, &binormal1, &binormal2};
    CQzVector3* const normals[3] = {&normalOut0, &normalOut1, &normalOut2};
    CQzVector3 const* const normalsIn[3] = {&normal0, &normal1, &normal2};
    for (int i = 0; i < 3; ++i)
    {
        tangents[i]->SetXYZ(1.0f, 0.0f, 0.0f);
        binormals[i]->SetXYZ(0.0f, 0.0f, 1.0f);
        *normals[i] = *normalsIn[i];
    }
    if (uv0.x == 0.0f && uv1.x == 0.0f && uv2.x == 0.0f)
        return;
    for (int i = 0; i < 3; ++i)
        NormalizeInPlace(*normals[i]);
    for (int i = 0; i < 3; ++i)
        ComputeTangentSpace(position0, position1, position2, uv0, uv1, uv2, *tangents[i], *binormals[i], *normals[i]);
}

void CQzTangentSpaceComputer::ComputeTangentSpace(CQzVector3 const& position0, CQzVector3 const& position1,
                                                  CQzVector3 const& position2, CQzVector2 const& uv0,
                                                  CQzVector2 const& uv1, CQzVector2 const& uv2, CQzVector3& tangent,
                                                  CQzVector3& binormal, CQzVector3 const& normal)
{
    SSlot slots[3] = {{&position0, &uv0}, {&position1, &uv1}, {&position2, &uv2}};
    // the tangent runs along constant v; the binormal sort starts from the
    // order the tangent's left
    SortDescending(slots, 1);
    tangent = Direction(slots, 1, normal, CQzVector3(1.0f, 0.0f, 0.0f));
    SortDescending(slots, 0);
    binormal = Direction(slots, 0, normal, CQzVector3(0.0f, 0.0f, 1.0f));
}
