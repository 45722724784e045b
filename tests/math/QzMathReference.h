// QzMathReference.h: double-precision references for the math tests: glm
// matrices holding the same sixteen numbers as a CQzMatrix44 (row-major with
// row vectors equals glm's column-major with column vectors, so A·B here is
// glm's B * A), the elementary rotations from their definitions, and
// element-wise comparison.
#ifndef QZCORE_TESTS_MATH_QZMATHREFERENCE_H
#define QZCORE_TESTS_MATH_QZMATHREFERENCE_H

#include "math/QzMatrix44.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace qztest {

// glm's m[c][r] is stored at c·4 + r, the place of our (c, r).
inline glm::dmat4 ToGlm(CQzMatrix44 const& a)
{
    glm::dmat4 g;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            g[i][j] = a(i, j);
    return g;
}

// The elementary rotations, written out from their definitions (as our
// rows: the row-vector matrix).
inline glm::dmat4 Rotation(int axis, double a)
{
    glm::dmat4 g(1.0);
    int const p = (axis + 1) % 3, q = (axis + 2) % 3; // x: y→z, y: z→x, z: x→y
    g[p][p] = std::cos(a);
    g[p][q] = std::sin(a);
    g[q][p] = -std::sin(a);
    g[q][q] = std::cos(a);
    return g;
}

// Row-vector product A·B in glm's terms.
inline glm::dmat4 Product(glm::dmat4 const& a, glm::dmat4 const& b) { return b * a; }

// Every element within tolerance × max(1, |expected|).
inline ::testing::AssertionResult Near(CQzMatrix44 const& actual, glm::dmat4 const& expected, double tolerance)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
        {
            double const e = expected[i][j];
            if (!(std::fabs(actual(i, j) - e) <= tolerance * std::fmax(1.0, std::fabs(e))))
                return ::testing::AssertionFailure()
                       << "element (" << i << ", " << j << ") is " << actual(i, j) << ", expected " << e;
        }
    return ::testing::AssertionSuccess();
}

class Random
{
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(m_engine); }
    unsigned int Word() { return unsigned(m_engine()); }
    CQzVector3 Vector(float lo, float hi) { return CQzVector3(Uniform(lo, hi), Uniform(lo, hi), Uniform(lo, hi)); }
    CQzMatrix44 Matrix(float lo, float hi)
    {
        CQzMatrix44 a;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                a(i, j) = Uniform(lo, hi);
        return a;
    }

private:
    std::mt19937 m_engine;
};

} // namespace qztest

#endif // QZCORE_TESTS_MATH_QZMATHREFERENCE_H
