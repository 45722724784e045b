// QzMathReference.h: double-precision glm references for the math tests and a seeded source of random values.
#ifndef QZCORE_TESTS_MATH_QZMATHREFERENCE_H
#define QZCORE_TESTS_MATH_QZMATHREFERENCE_H

#include "math/QzMatrix44.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace qztest {

// Row-major with row vectors is glm's column-major with column vectors: the
// same sixteen numbers, glm's m[c][r] at our (c, r), and our A·B is glm's B * A.
inline glm::dmat4 ToGlm(CQzMatrix44 const& a)
{
    glm::dmat4 g;
    for (int i = 0; i < 16; ++i)
        g[i / 4][i % 4] = a(i / 4, i % 4);
    return g;
}
inline glm::dmat4 Product(glm::dmat4 const& a, glm::dmat4 const& b) { return b * a; }
inline glm::dvec3 D(CQzVector3 const& v) { return glm::dvec3(v.x, v.y, v.z); }

// The elementary rotation about axis 0, 1 or 2 (x: y→z, y: z→x, z: x→y), as our rows.
inline glm::dmat4 Rotation(int axis, double a)
{
    glm::dmat4 g(1.0);
    int const p = (axis + 1) % 3, q = (axis + 2) % 3;
    g[p][p] = g[q][q] = std::cos(a);
    g[q][p] = -(g[p][q] = std::sin(a));
    return g;
}

// Every element within tolerance × max(1, |expected|).
inline ::testing::AssertionResult Near(CQzMatrix44 const& actual, glm::dmat4 const& expected, double tolerance)
{
    for (int i = 0; i < 16; ++i)
    {
        double const e = expected[i / 4][i % 4], a = actual(i / 4, i % 4);
        if (!(std::fabs(a - e) <= tolerance * std::fmax(1.0, std::fabs(e))))
            return ::testing::AssertionFailure() << "element " << i << " is " << a << ", expected " << e;
    }
    return ::testing::AssertionSuccess();
}

// One draw per statement: the order of calls in one expression is unspecified, and the data must not depend on it.
class Random
{
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(m_engine); }
    unsigned int Word() { return unsigned(m_engine()); }
    void Fill(float* out, int count, float lo, float hi)
    {
        for (int i = 0; i < count; ++i)
            out[i] = Uniform(lo, hi);
    }
    CQzVector3 Vector(float lo, float hi) { float v[3]; Fill(v, 3, lo, hi); return CQzVector3(v); }
    CQzMatrix44 Matrix(float lo, float hi) { CQzMatrix44 a; Fill(&a(0, 0), 16, lo, hi); return a; }

private:
    std::mt19937 m_engine;
};

} // namespace qztest

#endif // QZCORE_TESTS_MATH_QZMATHREFERENCE_H
