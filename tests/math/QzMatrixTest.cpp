// Matrices against glm in double precision on random inputs: products, inverses, rotation orders, Euler angles,
// in-place builders, projections and look-at; the 2×2 and 3×3 matrices against their definitions.
#include "math/QzMatrix22.h"
#include "math/QzMatrix33.h"

#include "QzMathReference.h" // QzMatrix44.h, glm, gtest, <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include <memory>

namespace {

using namespace qztest;

TEST(QzMatrix44, ProductsInversesBuildersRotationsAndEulerAnglesMatchGlmAndSingularInversesAreNotFinite)
{
    Random random(21);
    for (int i = 0; i < 100; ++i)
    {
        CQzMatrix44 const a = random.Matrix(-2.0f, 2.0f), b = random.Matrix(-2.0f, 2.0f);
        glm::dmat4 const g = ToGlm(a);
        EXPECT_TRUE(Near(a.MultiplyCorrect(b), Product(g, ToGlm(b)), 1e-5));
        EXPECT_TRUE(a.MultiplyBugged(b) == b.MultiplyCorrect(a) && Near(a.getTranspose(), glm::transpose(g), 0.0));
        EXPECT_TRUE(D(a.getRight()) == glm::dvec3(g[0]) && D(a.getFront()) == glm::dvec3(g[1]) &&
                    D(a.getUp()) == glm::dvec3(g[2]) && D(a.getTranslation()) == glm::dvec3(g[3]));
        double const det = glm::determinant(g);
        EXPECT_NEAR(a.GetDeterminant(), det, 1e-4);
        if (std::fabs(det) < 0.05)
            continue; // too close to singular for a float comparison
        float invDet = 0.0f;
        CQzMatrix44 const inverse = a.getInverseGeneric(&invDet);
        double const scale = 1e-4 / std::fmin(1.0, std::fabs(det));
        EXPECT_TRUE(std::fabs(invDet - 1.0 / det) <= 1e-4 * std::fabs(1.0 / det) && Near(inverse, glm::inverse(g), scale) &&
                    Near(a.MultiplyCorrect(inverse), glm::dmat4(1.0), scale)) << invDet << " vs " << 1.0 / det;
    }
    // A singular matrix is not tested for: its inverse is not finite.
    CQzMatrix44 const singular = CQzMatrix44::makeScale(CQzVector3(1.0f, 0.0f, 1.0f));
    float invDet = 0.0f;
    EXPECT_TRUE(!std::isfinite(singular.getInverseGeneric(&invDet)(0, 0)) && std::isinf(invDet));

    // Rotation orders and in-place builders are pre-multiplications; the product each order stands for,
    // leftmost factor first:
    int const products[6][3] = {{2, 1, 0}, {1, 2, 0}, {2, 0, 1}, {0, 2, 1}, {1, 0, 2}, {0, 1, 2}};
    for (int i = 0; i < 120; ++i)
    {
        auto const order = CQzMatrix44::ERotationOrder(i % 6);
        float angles[3];
        random.Fill(angles, 3, -3.0f, 3.0f);
        angles[i % 3] = i % 4 ? angles[i % 3] : 0.0f; // an angle of exactly 0 is skipped
        glm::dmat4 expected(1.0);
        for (int axis : products[order])
            expected = Product(expected, Rotation(axis, angles[axis]));
        CQzMatrix44 const start = random.Matrix(-3.0f, 3.0f), diagonal = random.Matrix(-3.0f, 3.0f);
        glm::dmat4 const g = ToGlm(start);
        CQzVector3 const v = random.Vector(-3.0f, 3.0f);
        CQzMatrix44 built(1), turned = start, moved = start, scaled = start, unscaled = start, ortho = start;
        built.setRotation(angles[0], angles[1], angles[2], order), turned.rotate(angles[0], angles[1], angles[2], order);
        moved.translate(v), scaled.scale(v), unscaled.NoScale(), ortho.orthoNormalize();
        EXPECT_TRUE(Near(built, expected, 1e-5) && Near(turned, Product(expected, g), 1e-5)) << order;
        EXPECT_TRUE(Near(moved, Product(ToGlm(CQzMatrix44::makeTranslation(v)), g), 1e-5) &&
                    Near(scaled, Product(ToGlm(CQzMatrix44::makeScale(v)), g), 1e-5));
        // Only the diagonal of the left operand is read.
        glm::dmat4 lead = Product(glm::scale(glm::dmat4(1.0), glm::dvec3(diagonal(0, 0), diagonal(1, 1), diagonal(2, 2))), g);
        lead[3] = glm::dvec4(D(v), 1.0);
        EXPECT_TRUE(Near(diagonal.MultiplyCorrectWhenDiagonalAndSetPosition(start, v), lead, 1e-5));
        // Scale is taken over all four columns of each axis row.
        EXPECT_TRUE(Near(unscaled, glm::dmat4(g[0] / glm::length(g[0]), g[1] / glm::length(g[1]),
                                              g[2] / glm::length(g[2]), g[3]), 1e-5));
        // orthoNormalize keeps the up row's direction and rebuilds right and front across it.
        glm::dvec3 const up = glm::normalize(glm::dvec3(g[2])), right = glm::cross(glm::normalize(glm::dvec3(g[1])), up);
        EXPECT_TRUE(Near(ortho, glm::dmat4(glm::dvec4(right, g[0][3]), glm::dvec4(glm::cross(up, right), g[1][3]),
                                           glm::dvec4(up, g[2][3]), g[3]), 1e-5));
    }
    CQzMatrix44 const start = random.Matrix(-1.0f, 1.0f); // an unknown order changes nothing
    CQzMatrix44 untouched = start;
    auto const unknown = CQzMatrix44::ERotationOrder(6);
    untouched.setRotation(0.1f, 0.2f, 0.3f, unknown), untouched.rotate(0.1f, 0.2f, 0.3f, unknown);
    EXPECT_EQ(untouched, start);

    float a[3], x, y, z; // Euler angles come back in both supported orders
    CQzMatrix44 m;
    for (auto order : {CQzMatrix44::ROTATION_ORDER_XZY, CQzMatrix44::ROTATION_ORDER_ZXY})
        for (int i = 0; i < 100; ++i)
        {
            random.Fill(a, 3, -1.5f, 1.5f);
            m.setRotation(a[0], a[1], a[2], order), m.toEulerAngles(x, y, z, order);
            EXPECT_TRUE(CQzVector3(x, y, z).Equal(CQzVector3(a), 1e-4f)) << order;
            // At the pole the middle angle is ±π/2 and y is 0, and the angles still describe the same rotation.
            bool const xzy = order == CQzMatrix44::ROTATION_ORDER_XZY;
            float const pole = i % 2 ? 1.5707964f : -1.5707964f;
            m.setRotation(xzy ? a[0] : pole, a[1], xzy ? pole : a[2], order), m.toEulerAngles(x, y, z, order);
            EXPECT_TRUE((xzy ? z : x) == pole && y == 0.0f &&
                        Near(CQzMatrix44::makeRotation(CQzEulerAngles(x, y, z), order), ToGlm(m), 1e-5)) << order;
        }
    m.setRotation(0.3f, 0.2f, 0.1f, CQzMatrix44::ROTATION_ORDER_XZY), m.toEulerAngles(x, y, z, CQzMatrix44::ROTATION_ORDER_XYZ);
    EXPECT_EQ(CQzVector3(x, y, z), CQzVector3(0.0f, 0.0f, 0.0f)); // other orders are not read back
}

TEST(QzMatrix44, ProjectionsAndViewsMatchGlmDepthZeroToOne)
{
    Random random(41);
    for (int i = 0; i < 100; ++i)
    {
        float e[8];
        random.Fill(e, 8, 0.0f, 1.0f);
        float const fov = 0.3f + 2.2f * e[0], aspect = 0.5f + 2 * e[1], n = 0.1f + 5 * e[2], f = n + 1 + 500 * e[3];
        float const l = -10 * e[4], r = 0.5f + 10 * e[5], b = -10 * e[6], t = 0.5f + 10 * e[7], w = r - l, h = t - b;
        CQzMatrix44 m[6];
        m[0].setPerpectiveFovLH(fov, aspect, n, f), m[1].setPerpectiveFovRH(fov, aspect, n, f);
        m[2].setOrthographicOffCenterLH(l, r, b, t, n, f), m[3].setOrthographicOffCenterRH(l, r, b, t, n, f);
        m[4].setOrthographicLH(w, h, n, f), m[5].setOrthographicRH(w, h, n, f);
        glm::dmat4 const expected[6] = {
            glm::perspectiveLH_ZO<double>(fov, aspect, n, f), glm::perspectiveRH_ZO<double>(fov, aspect, n, f),
            glm::orthoLH_ZO<double>(l, r, b, t, n, f), glm::orthoRH_ZO<double>(l, r, b, t, n, f),
            glm::orthoLH_ZO<double>(-w / 2.0, w / 2.0, -h / 2.0, h / 2.0, n, f),
            glm::orthoRH_ZO<double>(-w / 2.0, w / 2.0, -h / 2.0, h / 2.0, n, f)};
        for (int k = 0; k < 6; ++k)
            EXPECT_TRUE(Near(m[k], expected[k], 1e-5)) << k;

        CQzVector3 const eye = random.Vector(-10, 10), target = random.Vector(-10, 10), up = random.Vector(-1, 1);
        m[0].setLookAtLH(eye, target, up), m[1].setLookAtRH(eye, target, up), m[2].setLookAtWorld(eye, target, up);
        EXPECT_TRUE(Near(m[0], glm::lookAtLH(D(eye), D(target), D(up)), 1e-4) && CQzMatrix44(eye, target, up) == m[0] &&
                    Near(m[1], glm::lookAtRH(D(eye), D(target), D(up)), 1e-4));
        // The world orientation: orthonormal rows, right × front = up, front toward the target, the eye at the origin.
        glm::dmat4 const g = ToGlm(m[2]);
        glm::dvec3 const right(g[0]), front(g[1]), upAxis(g[2]);
        EXPECT_TRUE(glm::length(glm::cross(right, front) - upAxis) < 1e-5 &&
                    glm::length(front - glm::normalize(D(target) - D(eye))) < 1e-5);
        EXPECT_TRUE(glm::dot(upAxis, D(up)) > 0.0 && std::fabs(glm::dot(right, D(up))) < 1e-5);
        EXPECT_TRUE(glm::length(glm::dvec3(g * glm::dvec4(D(eye), 1.0))) < 1e-4 && g[0][3] + g[1][3] + g[2][3] == 0.0);
    }
    CQzVector3 const eye(3.0f, -2.0f, 1.0f), z(0.0f, 0.0f, 1.0f); // a target at the eye gives zero axes, row 3 untranslated
    CQzMatrix44 zero(1), m[3];
    zero(0, 0) = zero(1, 1) = zero(2, 2) = 0.0f;
    m[0].setLookAtLH(eye, eye, z), m[1].setLookAtRH(eye, eye, z), m[2].setLookAtWorld(eye, eye, z);
    EXPECT_TRUE(m[0] == zero && m[1] == zero && m[2] == zero);
}

TEST(QzMatrix22, InverseIsTransposedAndProductAppliesTheArgumentFirst)
{
    Random random(24);
    for (int i = 0; i < 100; ++i)
    {
        float e[8];
        random.Fill(e, 8, -3.0f, 3.0f);
        CQzMatrix22 const m(e[0], e[1], e[2], e[3]), r = m * CQzMatrix22(e[4], e[5], e[6], e[7]);
        glm::dmat2 const gm(e[0], e[1], e[2], e[3]), product = gm * glm::dmat2(e[4], e[5], e[6], e[7]); // b·m
        CQzMatrix22 inv = m, transposed = m;
        inv.Invert(), transposed.Transpose();
        glm::dmat2 const inverse = glm::transpose(glm::inverse(gm));
        double const det = glm::determinant(gm), tolerance = std::fabs(det) < 0.05 ? 1e30 : 1e-4 / det / det;
        for (int k = 0; k < 4; ++k)
        {
            EXPECT_TRUE(std::fabs(r(k / 2, k % 2) - product[k / 2][k % 2]) < 1e-5 &&
                        std::fabs(inv(k / 2, k % 2) - inverse[k / 2][k % 2]) < tolerance) << k;
            // equality and "any element smaller" look at every element
            CQzMatrix22 other = m;
            other(k / 2, k % 2) += 1.0f;
            EXPECT_TRUE(transposed(k / 2, k % 2) == m(k % 2, k / 2) && m != other && m < other && !(other < m)) << k;
        }
    }
    float invDet = 0.0f;
    EXPECT_TRUE(CQzMatrix22(1.0f, 2.0f, 3.0f, 4.0f).getInverseGeneric(&invDet) == CQzMatrix22(-2.0f, 1.5f, 1.0f, -0.5f) &&
                invDet == -0.5f);
    // on the heap, where no identity lies by chance
    std::unique_ptr<CQzMatrix22> const fresh(new CQzMatrix22), one(new CQzMatrix22(1));
    EXPECT_TRUE(*fresh == CQzMatrix22(1.0f, 0.0f, 0.0f, 1.0f) && *one == *fresh);
    // Valid strictly inside ±1e8; NaN is not valid.
    EXPECT_TRUE(CQzMatrix22(99999992.0f, -99999992.0f, 99999992.0f, 99999992.0f).IsValid());
    EXPECT_FALSE(CQzMatrix22(1.0f, 1e8f, 0.0f, 1.0f).IsValid() || CQzMatrix22(1.0f, 0.0f, -1e8f, NAN).IsValid());
}

TEST(QzMatrix33, BuildersAreAffineMapsOfRowVectors)
{
    auto apply = [](CQzMatrix33 const& a, CQzVector2 const& q) { // p·M for a point (w = 1)
        return CQzVector2(q.x * a(0, 0) + q.y * a(1, 0) + a(2, 0), q.x * a(0, 1) + q.y * a(1, 1) + a(2, 1));
    };
    auto near = [](CQzVector2 const& a, CQzVector2 const& b) { return (a - b).GetLength() < 1e-4f; };
    Random random(25);
    for (int i = 0; i < 100; ++i)
    {
        float e[14];
        random.Fill(e, 14, -3.0f, 3.0f);
        CQzMatrix33 const full(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8]);
        CQzMatrix33 m = full, r, t;
        m.SetRight(CQzVector2(e[0], e[1])), m.SetUp(CQzVector2(e[3], e[4])), m.SetTranslationOnly(CQzVector2(e[6], e[7]));
        CQzVector2 const d(e[10], e[11]), p(e[12], e[13]);
        CQzVector2 turned = p;
        // Translate, Scale and Rotate act first, in the matrix's own frame.
        CQzMatrix33 moved = m, scaled = m, rotated = m;
        turned.Rotate(e[9]), r.SetRotation(e[9]), t.SetTranslation(d); // e[9] is the angle
        moved.Translate(d), scaled.Scale(d), rotated.Rotate(e[9]);
        EXPECT_TRUE(near(apply(r, p), turned) && near(apply(moved, p), apply(m, p + d)));
        EXPECT_TRUE(near(apply(scaled, p), apply(m, p * d)) && near(apply(rotated, p), apply(m, turned)));
        EXPECT_TRUE(near(apply(t.MultiplyCorrect(m), p), apply(m, p + d)));
        EXPECT_TRUE(m(0, 2) == 0.0f && m(1, 2) == 0.0f && m(2, 2) == 1.0f); // the axis rows end in 0
        glm::dmat3 g;
        for (int k = 0; k < 9; ++k)
            g[k / 3][k % 3] = full(k / 3, k % 3);
        EXPECT_NEAR(full.GetDeterminant(), glm::determinant(g), 1e-4);
    }
}

} // namespace
