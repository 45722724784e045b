// Tangent space: unit, perpendicular to the normal, towards growing u and v (against the
// gradients of u and v in double) on random triangles; fixed cases; the vertex's attributes.
#include "geometry/QzTangentSpaceComputer.h"
#include "geometry/QzTriangle.h"

#include "math/QzMathReference.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

namespace {

glm::dvec3 D(CQzVector3 const& v) { return glm::dvec3(v.x, v.y, v.z); }

CQzTriangle MakeTriangle(CQzVector3 const (&p)[3], CQzVector2 const (&uv)[3], CQzVector3 const& normal)
{
    CQzTriangle t;
    for (int i = 0; i < 3; ++i)
    {
        CQzTriangleVertex& v = t.getVertex(CQzTriangle::EVertex(i));
        v.setPosition(p[i]);
        v.setUV1(uv[i]);
        v.setNormal(normal);
    }
    return t;
}

// The in-plane gradient of a linear function f over the triangle.
glm::dvec3 Gradient(CQzVector3 const (&p)[3], double const (&f)[3])
{
    glm::dvec3 const e1 = D(p[1]) - D(p[0]), e2 = D(p[2]) - D(p[0]), n = glm::cross(e1, e2);
    double const df1 = f[1] - f[0], df2 = f[2] - f[0];
    return (df1 * glm::cross(e2, n) + df2 * glm::cross(n, e1)) / glm::dot(n, n);
}

TEST(QzTangentSpace, RandomTrianglesGetUnitPerpendicularDirectionsOfGrowingUV)
{
    qztest::Random random(23);
    int checked = 0;
    for (int round = 0; round < 1000; ++round)
    {
        CQzVector3 const p[3] = {random.Vector(-5, 5), random.Vector(-5, 5), random.Vector(-5, 5)};
        CQzVector2 const uv[3] = {{random.Uniform(-2, 2), random.Uniform(-2, 2)}, {random.Uniform(-2, 2), random.Uniform(-2, 2)},
                                  {random.Uniform(-2, 2), random.Uniform(-2, 2)}};
        glm::dvec3 const n = glm::cross(D(p[1]) - D(p[0]), D(p[2]) - D(p[0]));
        double const uvArea = std::fabs((uv[1] - uv[0]).CrossProduct(uv[2] - uv[0]));
        if (glm::length(n) < 0.5 || uvArea < 0.05)
            continue; // degenerate in space or in the mapping
        glm::dvec3 const unit = glm::normalize(n);
        float const scale = random.Uniform(0.5f, 3.0f); // normals are normalised first
        CQzTriangle t = MakeTriangle(p, uv, CQzVector3(float(unit.x * scale), float(unit.y * scale), float(unit.z * scale)));
        ASSERT_TRUE(t.computeTangentSpace());
        double const u[3] = {uv[0].x, uv[1].x, uv[2].x}, v[3] = {uv[0].y, uv[1].y, uv[2].y};
        glm::dvec3 const gradU = Gradient(p, u), gradV = Gradient(p, v);
        for (int i = 0; i < 3; ++i)
        {
            CQzTriangleVertex const& vertex = t.getVertex(CQzTriangle::EVertex(i));
            glm::dvec3 const tangent = D(vertex.getTangent()), binormal = D(vertex.getBinormal());
            EXPECT_TRUE(std::fabs(glm::length(tangent) - 1.0) < 1e-5 && std::fabs(glm::length(binormal) - 1.0) < 1e-5);
            EXPECT_TRUE(std::fabs(glm::dot(tangent, unit)) < 1e-4 && std::fabs(glm::dot(binormal, unit)) < 1e-4);
            EXPECT_NEAR(glm::length(D(vertex.getNormal())), 1.0, 1e-6);
            // along constant v towards growing u, and along constant u towards growing v
            EXPECT_TRUE(glm::dot(tangent, gradU) > 0.0 && glm::dot(binormal, gradV) > 0.0);
            EXPECT_TRUE(std::fabs(glm::dot(tangent, gradV)) < 1e-3 * glm::length(gradV) &&
                        std::fabs(glm::dot(binormal, gradU)) < 1e-3 * glm::length(gradU));
        }
        CQzVector3 tangents[3], binormals[3], normals[3]; // the loose-value form agrees
        CQzTriangleVertex const& v0 = t.getVertex(CQzTriangle::VERTEX_0);
        CQzTangentSpaceComputer().computeTangentBasisVectors(p[0], p[1], p[2], v0.getNormal() * CQzVector3(2, 2, 2), v0.getNormal(), v0.getNormal(), uv[0], uv[1], uv[2],
            tangents[0], tangents[1], tangents[2], binormals[0], binormals[1], binormals[2], normals[0], normals[1], normals[2]);
        EXPECT_TRUE(tangents[0].Equal(v0.getTangent(), 1e-6f) && normals[0].Equal(v0.getNormal(), 1e-6f) &&
                    binormals[2].Equal(t.getVertex(CQzTriangle::VERTEX_2).getBinormal(), 1e-6f));
        ++checked;
    }
    EXPECT_GT(checked, 500);
}

TEST(QzTangentSpace, FixedCasesFallbacksAndMissingAttributes)
{
    CQzVector3 const p[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    struct SCase { CQzVector2 uv[3]; float normalZ; bool result; CQzVector3 tangent, binormal; };
    SCase const cases[] = {{{{0, 0}, {1, 0}, {0, 1}}, 1, true, {1, 0, 0}, {0, 1, 0}},
                           {{{1, 0}, {0, 0}, {1, 1}}, 1, true, {-1, 0, 0}, {0, 1, 0}},
                           {{{0, 0}, {1, 0}, {0, 1}}, 2, true, {1, 0, 0}, {0, 1, 0}},
                           {{{0, 0.2f}, {0, 0.5f}, {0, 0.9f}}, 1, false, {1, 0, 0}, {0, 0, 1}}};
    for (SCase const& c : cases)
    {
        CQzTriangle t = MakeTriangle(p, c.uv, CQzVector3(0, 0, c.normalZ));
        EXPECT_EQ(t.computeTangentSpace(), c.result);
        for (int i = 0; i < 3; ++i)
        {
            CQzTriangleVertex const& v = t.getVertex(CQzTriangle::EVertex(i));
            EXPECT_TRUE(v.getTangent().Equal(c.tangent, 1e-6f) && v.getBinormal().Equal(c.binormal, 1e-6f)) << i;
            EXPECT_EQ(v.getNormal().z, c.result ? 1.0f : c.normalZ);
        }
    }
    CQzTriangle bare = MakeTriangle(p, cases[0].uv, CQzVector3(0, 0, 1));
    CQzTriangleVertex plain;
    plain.setUV1(0.5f, 0.5f);
    bare.setVertex(CQzTriangle::VERTEX_1, plain); // keeps the normal it had
    EXPECT_TRUE(bare.getVertex(CQzTriangle::VERTEX_1).hasNormal());
    CQzTriangle missing;
    missing.getVertex(CQzTriangle::VERTEX_0).setUV1(1, 1);
    EXPECT_FALSE(missing.computeTangentSpace() || missing.getVertex(CQzTriangle::VERTEX_0).hasNormal());

    CQzTriangleVertex coloured;
    coloured.setColor1(1, 0, 0, 1);
    coloured.setNormal(0, 1, 0);
    CQzTriangleVertex source;
    source.setPosition(1, 2, 3);
    source.setNormal(0, 0, 1);
    source.setUV2(0.25f, 0.75f);
    coloured = source;
    EXPECT_TRUE(coloured.hasColor1() && coloured.getColor1().GetR() == 1.0f && coloured.getNormal() == CQzVector3(0, 0, 1));
    CQzTriangleVertex const copy(source);
    EXPECT_TRUE(copy.hasNormal() && copy.hasUV2() && !copy.hasUV1() && !copy.hasColor1() && !copy.hasColor2());
    EXPECT_TRUE(copy.getPosition() == CQzVector3(1, 2, 3) && copy.getUV2().y == 0.75f);
    source.setBinormal(CQzVector3(0, 1, 0));
    source.setUV1(0.5f, 0.25f);
    EXPECT_TRUE(source.getBinormal() == CQzVector3(0, 1, 0) && source.getUV1() == CQzVector2(0.5f, 0.25f));
}

} // namespace
