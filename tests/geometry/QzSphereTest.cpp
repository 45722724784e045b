// Bounding spheres: the exact method against a brute-force minimal sphere over all 1-4 point
// supports and on large degenerate sets; the average and box methods against double sums.
#include "geometry/QzSphere.h"

#include "math/QzMathReference.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Points = std::vector<glm::dvec3>;

glm::dvec3 D(CQzVector3 const& v) { return glm::dvec3(v.x, v.y, v.z); }

CQzArray<CQzVector3> ToArray(Points const& points)
{
    CQzArray<CQzVector3> array;
    for (glm::dvec3 const& p : points)
        array.Add(CQzVector3(float(p.x), float(p.y), float(p.z)));
    return array;
}

// The smallest sphere through the support points, its centre solved from
// the equidistance equations (in the support's own affine hull); false
// when the support is flat.
bool Circumsphere(Points const& s, glm::dvec3& center)
{
    if (s.size() == 1)
        center = s[0];
    else if (s.size() == 2)
        center = (s[0] + s[1]) * 0.5;
    else
    {
        glm::dmat3 rows(0.0);
        glm::dvec3 rhs(0.0);
        for (size_t i = 1; i < s.size(); ++i)
        {
            glm::dvec3 const d = s[i] - s[0];
            for (int k = 0; k < 3; ++k)
                rows[k][i - 1] = 2.0 * d[k];
            rhs[i - 1] = glm::dot(s[i], s[i]) - glm::dot(s[0], s[0]);
        }
        if (s.size() == 3)
        {
            glm::dvec3 const n = glm::cross(s[1] - s[0], s[2] - s[0]);
            for (int k = 0; k < 3; ++k)
                rows[k][2] = n[k];
            rhs[2] = glm::dot(n, s[0]);
        }
        if (std::fabs(glm::determinant(rows)) < 1e-9)
            return false;
        center = glm::inverse(rows) * rhs;
    }
    return true;
}

double BruteForceRadius(Points const& points)
{
    double best = 1e300;
    int const n = int(points.size());
    for (int mask = 1; mask < (1 << n); ++mask)
    {
        Points support;
        for (int i = 0; i < n; ++i)
            if (mask & (1 << i))
                support.push_back(points[i]);
        glm::dvec3 center;
        if (support.size() > 4 || !Circumsphere(support, center))
            continue;
        double const r = glm::distance(center, support[0]);
        bool holds = r < best;
        for (size_t i = 0; holds && i < points.size(); ++i)
            holds = glm::distance(center, points[i]) <= r * (1.0 + 1e-9) + 1e-9;
        if (holds)
            best = r;
    }
    return best;
}

CQzSphere Exact(CQzArray<CQzVector3> const& points)
{
    CQzSphere sphere(5.0f, 5.0f, 5.0f, 5.0f);
    sphere.ComputeFrom(points, CQzSphere::BOUNDING_COMPUTATION_WELZL);
    return sphere;
}

TEST(QzSphere, ExactMethodMatchesBruteForceMinimalSphere)
{
    qztest::Random random(7);
    for (int round = 0; round < 300; ++round)
    {
        int const n = 1 + int(random.Word() % 12);
        int const kind = round % 4; // general, coplanar, cocircular, collinear
        Points points;
        for (int i = 0; i < n; ++i)
        {
            glm::dvec3 const u(random.Uniform(-10, 10), random.Uniform(-10, 10), random.Uniform(-10, 10));
            glm::dvec3 const p[4] = {u, glm::dvec3(u.x, u.y, 2.0), glm::dvec3(3.0 * std::cos(u.x), 3.0 * std::sin(u.x), -1.0),
                                     glm::dvec3(u.x, 2.0 * u.x + 1.0, -u.x)};
            points.push_back(glm::dvec3(glm::vec3(p[kind]))); // the float the sphere sees
        }
        CQzSphere const sphere = Exact(ToArray(points));
        double const expected = BruteForceRadius(points);
        EXPECT_NEAR(sphere.GetRadius(), expected + 0.001, 2e-4 * (1.0 + expected)) << "round " << round;
        for (glm::dvec3 const& p : points)
            EXPECT_LE(glm::distance(D(sphere.GetCenter()), p), double(sphere.GetRadius()));
    }
}

TEST(QzSphere, ExactMethodHoldsLargeAndDegenerateSetsAndKeepsTheCallersArray)
{
    qztest::Random random(3);
    // cube, surface, sorted surface, all equal, collinear, coplanar, near duplicates
    double const minimalRadius[7] = {-1, 5, 5, 0, 50, -1, -1}; // < 0: unknown
    for (int c = 0; c < 7; ++c)
    {
        Points points;
        for (int i = 0; i < 50000; ++i)
        {
            glm::dvec3 const u(random.Uniform(-1, 1), random.Uniform(-1, 1), random.Uniform(-1, 1));
            double const a = 0.01 * i, b = std::fmod(0.37 * i, 3.14159);
            double const t = i == 25000 ? -1.0 : i == 49999 ? 1.0 : u.x; // the collinear ends
            glm::dvec3 const p[7] = {u * 40.0,
                                     glm::dvec3(1, 2, 3) + 5.0 * glm::normalize(u),
                                     glm::dvec3(1, 2, 3) + 5.0 * glm::dvec3(std::sin(b) * std::cos(a), std::sin(b) * std::sin(a), std::cos(b)),
                                     glm::dvec3(-3.5, 0.25, 7),
                                     glm::dvec3(10, -20, 5) + glm::dvec3(30, 0, 40) * t,
                                     glm::dvec3(u.x * 20, u.y * 20, 0.5 * (u.x * 20) - u.y * 20 + 3),
                                     glm::dvec3(1, 1, 1) + u * 1e-6};
            points.push_back(glm::dvec3(glm::vec3(p[c])));
        }
        CQzArray<CQzVector3> const array = ToArray(points), copy = array;
        CQzSphere const sphere = Exact(array);
        CQzSphere box;
        box.ComputeFrom(array, CQzSphere::BOUNDING_COMPUTATION_AABB);
        double farthest = 0.0;
        for (int i = 0; i < array.GetCount(); ++i)
        {
            ASSERT_EQ(array[i], copy[i]) << "case " << c;
            farthest = std::fmax(farthest, glm::distance(D(sphere.GetCenter()), points[i]));
        }
        EXPECT_LE(farthest, double(sphere.GetRadius())) << "case " << c;
        EXPECT_LE(sphere.GetRadius(), box.GetRadius() + 0.001f + 1e-6f * (1 + box.GetRadius())) << "case " << c;
        EXPECT_TRUE(minimalRadius[c] < 0 || std::fabs(sphere.GetRadius() - minimalRadius[c] - 0.001) < 1e-4 * (1 + minimalRadius[c]))
            << "case " << c;
    }
}

TEST(QzSphere, SmallSetsAndTheSimpleTestsFollowTheirRules)
{
    auto const exact = [](Points const& points) { return Exact(ToArray(points)); };
    EXPECT_TRUE(exact({}).GetCenter() == CQzVector3(0, 0, 0) && exact({}).GetRadius() == 0.0f);
    EXPECT_TRUE(exact({{1, 0, 0}}).GetCenter() == CQzVector3(1, 0, 0) && exact({{1, 0, 0}}).GetRadius() == 0.001f);
    EXPECT_TRUE(exact({{0, 0, 0}}).GetRadius() == 0.001f && exact({{-1, 0, 0}, {1, 0, 0}, {0, 0.5, 0}}).GetRadius() == 1.001f);
    CQzArray<CQzVector3> const square = ToArray({{1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}});
    EXPECT_TRUE(Exact(square).GetCenter().Equal(CQzVector3(0, 0, 0), 1e-6f) && std::fabs(Exact(square).GetRadius() - 1.415214f) < 1e-6f);
    EXPECT_EQ(square[1], CQzVector3(-1, 1, 0)) << "the caller's array is not reordered";

    CQzSphere average, box, unknown(1, 2, 3, 4);
    average.ComputeFrom(ToArray({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}}), CQzSphere::BOUNDING_COMPUTATION_AVERAGE);
    EXPECT_TRUE(average.GetCenter() == CQzVector3(2, 0, 0) && average.GetRadius() == 2.001f);
    box.ComputeFrom(ToArray({{0, 0, 0}, {2, 2, 0}}), CQzSphere::BOUNDING_COMPUTATION_AABB);
    EXPECT_TRUE(box.GetCenter() == CQzVector3(1, 1, 0) && box.GetRadius() == std::sqrt(2.0f));
    box.ComputeFrom(CQzArray<CQzVector3>(), CQzSphere::BOUNDING_COMPUTATION_AABB);
    average.ComputeFrom(CQzArray<CQzVector3>(), CQzSphere::BOUNDING_COMPUTATION_AVERAGE);
    unknown.ComputeFrom(square, CQzSphere::EBoundingComputationType(3));
    EXPECT_TRUE(box.GetRadius() == 0.001f && average.GetCenter() == CQzVector3(0, 0, 0) && average.GetRadius() == 0.001f &&
                unknown.GetCenter() == CQzVector3(1, 2, 3) && unknown.GetRadius() == 4.0f);

    EXPECT_TRUE(CQzSphere(CQzVector3(0, 0, 0), CQzVector3(1, 1, 1), CQzVector3(2, 2, 2)).GetRadius() == 0.0f && // collinear
                CQzSphere(CQzVector3(0, 0, 0), CQzVector3(1, 0, 0), CQzVector3(0, 1, 0), CQzVector3(1, 1, 0)).GetRadius() == 0.0f);
    EXPECT_TRUE(CQzSphere(CQzVector3(1, 0, 0), CQzVector3(3, 0, 0)).GetCenter() == CQzVector3(2, 0, 0));
    CQzSphere const tetra(CQzVector3(1, 0, 0), CQzVector3(-1, 0, 0), CQzVector3(0, 1, 0), CQzVector3(0, 0, -1));
    EXPECT_TRUE(tetra.GetCenter().Equal(CQzVector3(0, 0, 0), 1e-6f) && std::fabs(tetra.GetRadius() - 1.001f) < 1e-6f);
    CQzSphere const triangle(CQzVector3(0, 0, 1), CQzVector3(4, 0, 1), CQzVector3(0, 3, 1));
    EXPECT_TRUE(triangle.GetCenter().Equal(CQzVector3(2, 1.5f, 1), 1e-6f) && std::fabs(triangle.GetRadius() - 2.501f) < 1e-6f);

    CQzSphere const unit(0, 0, 0, 1);
    EXPECT_TRUE(!unit.Contains(CQzVector3(0, 0, 1.05f), 0.1f) && CQzSphere(5, 0, 0, 1).Contains(CQzVector3(5, 0, 1.05f), 0.2f));
    EXPECT_TRUE(unit.Contains(CQzSphere(2, 0, 0, 1)) && !unit.Contains(CQzSphere(2.1f, 0, 0, 1)));
    EXPECT_TRUE(!unit.IntersectsSegment(CQzSegment3(CQzVector3(0.5f, 0, 0), CQzVector3(2, 0, 0))) &&
                unit.IntersectsSegment(CQzSegment3(CQzVector3(-2, 1, 0), CQzVector3(2, 1, 0)))); // touching counts
    EXPECT_TRUE(!unit.IntersectsSegment(CQzSegment3(CQzVector3(-2, 1.1f, 0), CQzVector3(2, 1.1f, 0))) &&
                !unit.IntersectsSegment(CQzSegment3(CQzVector3(0, 0, 0), CQzVector3(0.01f, 0, 0))));
    EXPECT_TRUE(std::fabs(CQzSphere(0, 0, 0, 2).ComputeVolume() - 4.0 / 3.0 * M_PI * 8.0) < 1e-5 &&
                CQzSphere(0, 0, 0, 2).ComputeInertiaTensor(5).y == 8.0f);
}

TEST(QzSphere, AverageAndBoxMethodsMatchDoublePrecision)
{
    qztest::Random random(5);
    for (int round = 0; round < 50; ++round)
    {
        Points points;
        glm::dvec3 mean(0.0), lo(1e30), hi(-1e30);
        for (int i = 0; i < 200; ++i)
        {
            points.push_back(D(random.Vector(-20, 20)));
            mean += points.back() / 200.0;
            lo = glm::min(lo, points.back());
            hi = glm::max(hi, points.back());
        }
        double farthest = 0.0;
        for (glm::dvec3 const& p : points)
            farthest = std::fmax(farthest, glm::distance(mean, p));
        CQzSphere average, box;
        average.ComputeFrom(ToArray(points), CQzSphere::BOUNDING_COMPUTATION_AVERAGE);
        box.ComputeFrom(ToArray(points), CQzSphere::BOUNDING_COMPUTATION_AABB);
        EXPECT_TRUE(glm::distance(D(average.GetCenter()), mean) < 1e-4 && std::fabs(average.GetRadius() - farthest - 0.001) < 1e-4);
        EXPECT_TRUE(glm::distance(D(box.GetCenter()), (lo + hi) * 0.5) < 1e-5 && std::fabs(box.GetRadius() - glm::distance(lo, hi) * 0.5) < 1e-4);
    }
}

} // namespace
