// Curves: Bézier, Hermite and Catmull-Rom bases against their direct formulas, arc lengths
// against known lengths and dense double-precision polylines, and the oscillator's wave.
#include "geometry/QzCubicInterpolator.h"
#include "geometry/QzOscillator.h"

#include "math/QzMathReference.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

CQzMatrix44 const kBezier(-1, 3, -3, 1, 3, -6, 3, 0, -3, 3, 0, 0, 1, 0, 0, 0);
// values (p0, p1, m0, m1)
CQzMatrix44 const kHermite(2, -2, 1, 1, -3, 3, -2, -1, 0, 0, 1, 0, 1, 0, 0, 0);
CQzMatrix44 const kCatmullRom(-0.5f, 1.5f, -1.5f, 0.5f, 1, -2.5f, 2, -0.5f, -0.5f, 0, 0.5f, 0, 0, 1, 0, 0);

double BezierAt(glm::dvec4 const& p, double t)
{
    double const s = 1.0 - t;
    return s * s * s * p.x + 3 * t * s * s * p.y + 3 * t * t * s * p.z + t * t * t * p.w;
}
double HermiteAt(glm::dvec4 const& v, double t)
{
    double const t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * v.x + (-2 * t3 + 3 * t2) * v.y + (t3 - 2 * t2 + t) * v.z + (t3 - t2) * v.w;
}
double CatmullRomAt(glm::dvec4 const& p, double t)
{
    return 0.5 * (2 * p.y + (-p.x + p.z) * t + (2 * p.x - 5 * p.y + 4 * p.z - p.w) * t * t +
                  (-p.x + 3 * p.y - 3 * p.z + p.w) * t * t * t);
}

// The length of a sampled curve: a polyline of 200,000 chords.
double PolylineLength(std::function<glm::dvec3(double)> const& curve, double t)
{
    double length = 0.0;
    glm::dvec3 previous = curve(0.0);
    for (int i = 1; i <= 200000; ++i)
    {
        glm::dvec3 const next = curve(t * i / 200000.0);
        length += glm::distance(previous, next);
        previous = next;
    }
    return length;
}

TEST(QzCubicInterpolator, BasesMatchTheCurvesDirectFormulas)
{
    struct SBasis { CQzMatrix44 const* basis; double (*direct)(glm::dvec4 const&, double); };
    SBasis const bases[] = {{&kBezier, BezierAt}, {&kHermite, HermiteAt}, {&kCatmullRom, CatmullRomAt}};
    qztest::Random random(41);
    for (SBasis const& b : bases)
        for (int round = 0; round < 100; ++round)
        {
            CQzVector4 v[3];
            for (CQzVector4& values : v)
                values = CQzVector4(random.Vector(-5, 5), random.Uniform(-5, 5));
            CQzCubicInterpolator x(*b.basis, v[0]), y, z;
            y.Set(*b.basis, v[1]);
            z.Set(*b.basis, v[2]);
            CQzCubicInterpolator3 const curve(x, y, z);
            CQzCubicInterpolator2 const planar(x, y);
            for (float t = -0.5f; t <= 1.5f; t += 0.125f)
            {
                CQzVector3 const p = curve.Interpolate(t);
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(p[k], b.direct(glm::dvec4(v[k].x, v[k].y, v[k].z, v[k].w), t), 1e-4);
                EXPECT_EQ(planar.Interpolate(t).y, p.y);
            }
        }
    CQzCubicInterpolator const identity(CQzMatrix44(1), CQzVector4(1, 2, 3, 4));
    EXPECT_TRUE(identity.Evaluate(2) == 26.0f && identity.Evaluate(0) == 4.0f);
    EXPECT_EQ(CQzCubicInterpolator(kBezier, CQzVector4(0, 1, 1, 0)).Evaluate(0.5f), 0.75f);
}

TEST(QzCubicInterpolator, ArcLengthsMatchKnownLengths)
{
    // a straight line, at even and at uneven speed: its length is the distance
    glm::dvec3 const to(3, -4, 12); // 13 long
    for (glm::dvec4 const& along : {glm::dvec4(0, 1, 2, 3) / 3.0, glm::dvec4(0, 0.1, 0.9, 1)})
    {
        CQzCubicInterpolator axes[3];
        for (int k = 0; k < 3; ++k)
            axes[k].Set(kBezier, CQzVector4(float(along.x * to[k]), float(along.y * to[k]), float(along.z * to[k]), float(along.w * to[k])));
        CQzCubicInterpolator3 const line(axes[0], axes[1], axes[2]);
        EXPECT_TRUE(std::fabs(line.ComputeArcLength() - 13.0) < 1e-4 && std::fabs(line.ComputeArcLength(0.5f) - 6.5) < 1e-4);
        EXPECT_NEAR(line.ComputeArcLength(-1.0f), PolylineLength([&](double t) { return to * BezierAt(along, t); }, -1.0), 1e-4);
        EXPECT_NEAR(CQzCubicInterpolator2(axes[0], axes[1]).ComputeArcLength(), 5.0, 1e-4);
    }
    // a quarter of the unit circle by the usual Bézier, against a dense
    // polyline and against π/2 (the Bézier strays from the circle by 2.7e-4)
    double const k = 0.5522847498;
    glm::dvec4 const xs(1, 1, k, 0), ys(0, k, 1, 1);
    CQzCubicInterpolator2 const quarter(CQzCubicInterpolator(kBezier, CQzVector4(1, 1, float(k), 0)),
                                        CQzCubicInterpolator(kBezier, CQzVector4(0, float(k), 1, 1)));
    auto const arc = [&](double t) { return glm::dvec3(BezierAt(xs, t), BezierAt(ys, t), 0.0); };
    EXPECT_NEAR(quarter.ComputeArcLength(), PolylineLength(arc, 1.0), 2e-6);
    EXPECT_NEAR(quarter.ComputeArcLength(), M_PI / 2, 5e-4);
    EXPECT_NEAR(quarter.ComputeArcLength(0.3f), PolylineLength(arc, 0.3), 2e-6);
    // scalar curves: up and back (0, 0.75, 0), and down, up, down (its slope zeros come high to low)
    CQzCubicInterpolator const bump(kBezier, CQzVector4(0, 1, 1, 0)), zigzag(CQzMatrix44(1), CQzVector4(-1, 3, -2.25f, 0));
    EXPECT_TRUE(std::fabs(bump.ComputeArcLength() - 1.5) < 1e-6 && std::fabs(zigzag.ComputeArcLength(2) - 1.5) < 1e-6 &&
                std::fabs(bump.ComputeArcLength(0.25f) - BezierAt(glm::dvec4(0, 1, 1, 0), 0.25)) < 1e-6);
    EXPECT_NEAR(CQzCubicInterpolator(kHermite, CQzVector4(0, 0, 4, 4)).ComputeArcLength(1.2f),
                PolylineLength([](double t) { return glm::dvec3(HermiteAt(glm::dvec4(0, 0, 4, 4), t), 0, 0); }, 1.2), 1e-5);
}

TEST(QzOscillator, ValuesFollowTheCosineWave)
{
    CQzOscillator wave;
    qztest::Random random(43);
    for (int i = 0; i < 200; ++i)
    {
        float const a = random.Uniform(-3, 3), o = random.Uniform(-3, 3), f = random.Uniform(0.1f, 20), ph = random.Uniform(-3, 3);
        float const time = random.Uniform(0, 10000);
        wave.Set(a, o, f, ph);
        EXPECT_NEAR(wave.GetValue(time), std::cos(2 * M_PI * f * time / 1000.0 + ph) * a + o, 2e-3 * (1 + f * time / 1000.0));
    }
    wave.Set(1, 0, 0, float(M_PI / 2));
    EXPECT_NEAR(wave.GetValue(), 0.0, 1e-6); // frequency 0: the timer's time plays no part
}

} // namespace
