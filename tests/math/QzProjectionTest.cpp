// Projection and view builders against glm's depth-zero-to-one projections
// and look-at matrices in double precision (glm's column vectors are our row
// vectors), and the world orientation against its defining properties.
#include "math/QzMatrix44.h"

#include "QzMathReference.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using qztest::D;
using qztest::Near;

TEST(QzMatrix44, ProjectionsMatchGlmDepthZeroToOne)
{
    qztest::Random random(41);
    for (int i = 0; i < 200; ++i)
    {
        float e[8];
        random.Fill(e, 8, 0.0f, 1.0f);
        double const fov = 0.3 + 2.2 * e[0], aspect = 0.5 + 2 * e[1], n = 0.1 + 5 * e[2], f = n + 1 + 500 * e[3];
        double const l = -10 * e[4], r = 0.5 + 10 * e[5], b = -10 * e[6], t = 0.5 + 10 * e[7];
        double const w = (r - l) / 2, h = (t - b) / 2;
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
        EXPECT_TRUE(Near(m, glm::orthoLH_ZO(-w, w, -h, h, n, f), 1e-5));
        m.setOrthographicRH(float(r - l), float(t - b), float(n), float(f));
        EXPECT_TRUE(Near(m, glm::orthoRH_ZO(-w, w, -h, h, n, f), 1e-5));
    }
}

TEST(QzMatrix44, ViewMatricesMatchGlmLookAtAndWorldOrientationFacesTheTarget)
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

        // Right-handed orthonormal rows, right × front = up, front toward
        // the target, and the eye (a row vector times the matrix) lands on
        // the origin.
        m.setLookAtWorld(eye, target, up);
        glm::dmat4 const g = qztest::ToGlm(m);
        glm::dvec3 const right(g[0]), front(g[1]), upAxis(g[2]);
        EXPECT_NEAR(glm::length(glm::cross(right, front) - upAxis), 0.0, 1e-5);
        EXPECT_NEAR(glm::length(front - glm::normalize(D(target) - D(eye))), 0.0, 1e-5);
        EXPECT_TRUE(glm::dot(upAxis, D(up)) > 0.0 && std::fabs(glm::dot(right, D(up))) < 1e-5);
        EXPECT_NEAR(glm::length(glm::dvec3(g * glm::dvec4(D(eye), 1.0))), 0.0, 1e-4);
        EXPECT_EQ(g[0][3] + g[1][3] + g[2][3], 0.0);
    }
    // A target at the eye gives zero axes and an untranslated row 3.
    CQzVector3 const eye(3.0f, -2.0f, 1.0f), z(0.0f, 0.0f, 1.0f);
    CQzMatrix44 zero(1), m;
    zero(0, 0) = zero(1, 1) = zero(2, 2) = 0.0f;
    m.setLookAtLH(eye, eye, z);
    EXPECT_EQ(m, zero);
    m.setLookAtRH(eye, eye, z);
    EXPECT_EQ(m, zero);
    m.setLookAtWorld(eye, eye, z);
    EXPECT_EQ(m, zero);
}

} // namespace
