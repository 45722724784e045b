// Projection and view builders against glm's depth-zero-to-one projections
// and look-at matrices in double precision (same sixteen numbers, as glm's
// column vectors are our row vectors), and the world orientation builder
// against its defining properties.
#include "math/QzMatrix44.h"

#include "QzMathReference.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using qztest::Near;

glm::dvec3 D(CQzVector3 const& v) { return glm::dvec3(v.x, v.y, v.z); }

TEST(QzMatrix44, ProjectionsMatchGlmDepthZeroToOne)
{
    qztest::Random random(41);
    for (int i = 0; i < 200; ++i)
    {
        double const fov = random.Uniform(0.3f, 2.5f), aspect = random.Uniform(0.5f, 2.5f);
        double const n = random.Uniform(0.1f, 5.0f), f = n + random.Uniform(1.0f, 500.0f);
        double const l = random.Uniform(-10, 0), r = random.Uniform(0.5f, 10), b = random.Uniform(-10, 0),
                     t = random.Uniform(0.5f, 10);
        CQzMatrix44 m;
        m.setPerpectiveFovLH(float(fov), float(aspect), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::perspectiveLH_ZO(fov, aspect, n, f), 1e-5));
        m.setPerpectiveFovRH(float(fov), float(aspect), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::perspectiveRH_ZO(fov, aspect, n, f), 1e-5));
        m.setOrthographicOffCenterLH(float(l), float(r), float(b), float(t), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::orthoLH_ZO(l, r, b, t, n, f), 1e-5));
        m.setOrthographicOffCenterRH(float(l), float(r), float(b), float(t), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::orthoRH_ZO(l, r, b, t, n, f), 1e-5));
        m.setOrthographicLH(float(r - l), float(t - b), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::orthoLH_ZO((l - r) / 2, (r - l) / 2, (b - t) / 2, (t - b) / 2, n, f), 1e-5));
        m.setOrthographicRH(float(r - l), float(t - b), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::orthoRH_ZO((l - r) / 2, (r - l) / 2, (b - t) / 2, (t - b) / 2, n, f), 1e-5));
    }
}

TEST(QzMatrix44, ViewMatricesMatchGlmLookAt)
{
    qztest::Random random(42);
    for (int i = 0; i < 200; ++i)
    {
        CQzVector3 const eye = random.Vector(-10, 10), target = random.Vector(-10, 10), up = random.Vector(-1, 1);
        CQzMatrix44 m;
        m.setLookAtLH(eye, target, up);
        EXPECT_TRUE(Near(m, glm::lookAtLH(D(eye), D(target), D(up)), 1e-4));
        EXPECT_EQ(CQzMatrix44(eye, target, up), m);
        m.setLookAtRH(eye, target, up);
        EXPECT_TRUE(Near(m, glm::lookAtRH(D(eye), D(target), D(up)), 1e-4));
    }
}

TEST(QzMatrix44, WorldOrientationFacesTheTargetAndMovesTheEyeToTheOrigin)
{
    qztest::Random random(43);
    for (int i = 0; i < 200; ++i)
    {
        CQzVector3 const eye = random.Vector(-10, 10), target = random.Vector(-10, 10), up = random.Vector(-1, 1);
        CQzMatrix44 m;
        m.setLookAtWorld(eye, target, up);
        glm::dmat4 const g = qztest::ToGlm(m);
        glm::dvec3 const right(g[0]), front(g[1]), upAxis(g[2]);
        // Right-handed orthonormal rows: right × front = up.
        EXPECT_NEAR(glm::length(glm::cross(right, front) - upAxis), 0.0, 1e-5);
        EXPECT_NEAR(glm::length(front - glm::normalize(D(target) - D(eye))), 0.0, 1e-5);
        EXPECT_GT(glm::dot(upAxis, D(up)), 0.0);
        EXPECT_NEAR(glm::dot(right, D(up)), 0.0, 1e-5);
        // The eye, as a row vector times the matrix, lands on the origin.
        glm::dvec4 const origin = g * glm::dvec4(D(eye), 1.0);
        EXPECT_NEAR(glm::length(glm::dvec3(origin)), 0.0, 1e-4);
        EXPECT_EQ(g[0][3] + g[1][3] + g[2][3], 0.0);
    }
    CQzMatrix44 m;
    m.setLookAtWorld(CQzVector3(1, 0, 0), CQzVector3(1, 1, 0), CQzVector3(0, 0, 1));
    CQzMatrix44 expected(1);
    expected(3, 0) = -1.0f;
    EXPECT_EQ(m, expected);

    // A target at the eye gives zero axes and an untranslated row 3.
    CQzVector3 const eye(3.0f, -2.0f, 1.0f);
    CQzMatrix44 zero(1);
    for (int r = 0; r < 3; ++r)
        zero(r, r) = 0.0f;
    for (int builder = 0; builder < 3; ++builder)
    {
        (builder == 0 ? m.setLookAtLH(eye, eye, CQzVector3(0, 0, 1))
         : builder == 1 ? m.setLookAtRH(eye, eye, CQzVector3(0, 0, 1))
                        : m.setLookAtWorld(eye, eye, CQzVector3(0, 0, 1)));
        EXPECT_EQ(m, zero) << builder;
    }
}

} // namespace
