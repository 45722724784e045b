// Vector tests: arithmetic against double-precision recomputation on random
// inputs, the rules for zero lengths, divisors and ties, wrapping integer
// vectors, and the packed normal against a decoder written from its layout.
#include "math/QzVector2.h"
#include "math/QzVector3.h"
#include "math/QzVector4.h"

#include "QzMathReference.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

glm::dvec3 D(CQzVector3 const& v) { return glm::dvec3(v.x, v.y, v.z); }

void ExpectNear(CQzVector3 const& actual, glm::dvec3 const& expected, double tolerance)
{
    EXPECT_LT(glm::length(D(actual) - expected), tolerance);
}

TEST(QzVector, ArithmeticMatchesDoublePrecision)
{
    qztest::Random random(11);
    for (int i = 0; i < 500; ++i)
    {
        CQzVector3 const a = random.Vector(-10.0f, 10.0f), b = random.Vector(-10.0f, 10.0f);
        float const t = random.Uniform(-1.0f, 2.0f);
        ExpectNear(a ^ b, glm::cross(D(a), D(b)), 1e-4);
        EXPECT_NEAR(a.DotProduct(b), glm::dot(D(a), D(b)), 1e-4);
        EXPECT_NEAR(a.Distance(b), glm::distance(D(a), D(b)), 1e-5);
        CQzVector3 lerp, unit = a, sized = a;
        lerp.Lerp(a, b, t);
        ExpectNear(lerp, glm::mix(D(a), D(b), double(t)), 1e-4);
        EXPECT_TRUE(unit.Normalize());
        ExpectNear(unit, glm::normalize(D(a)), 1e-6);
        ExpectNear(a.getNormalized(), glm::normalize(D(a)), 1e-6);
        sized.SetLength(3.0f);
        EXPECT_NEAR(sized.GetLength(), 3.0, 1e-5);

        CQzVector2 const p(a.x, a.y);
        CQzVector2 turned = p;
        turned.Rotate(t);
        EXPECT_NEAR(turned.x, p.x * std::cos(double(t)) - p.y * std::sin(double(t)), 1e-5);
        EXPECT_NEAR(turned.y, p.x * std::sin(double(t)) + p.y * std::cos(double(t)), 1e-5);
        EXPECT_NEAR(p.CrossProduct(p.GetPerpendicularLeft()), p.GetSquaredLength(), 1e-3);
        EXPECT_EQ(p.GetPerpendicularLeft(), -p.GetPerpendicularRight());
    }
}

TEST(QzVector, ZeroLengthsDivisorsTiesAndComparisonsFollowTheirRules)
{
    CQzVector3 zero;
    EXPECT_FALSE(zero.Normalize());
    EXPECT_EQ(zero, CQzVector3(0.0f, 0.0f, 0.0f));
    zero.Normalize(CQzVector3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(zero, CQzVector3(0.0f, 0.0f, 1.0f));
    // Below 1e-5 getNormalized scales by the length itself.
    EXPECT_FLOAT_EQ(CQzVector3(0.000001f, 0.0f, 0.0f).getNormalized().x, 0.000001f * 0.000001f);
    EXPECT_EQ(CQzVector3().getNormalized(), CQzVector3());

    EXPECT_TRUE(std::isinf((CQzVector3(1.0f, 2.0f, 3.0f) / 0.0f).y));
    CQzVector4 v4(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_EQ(v4 / 0.0f, v4);
    EXPECT_EQ(v4 /= 0.0f, CQzVector4(1.0f, 2.0f, 3.0f, 4.0f));

    // Not an ordering: each is "less" than the other.
    EXPECT_TRUE(CQzVector3(1.0f, 5.0f, 0.0f) < CQzVector3(2.0f, 0.0f, 0.0f));
    EXPECT_TRUE(CQzVector3(2.0f, 0.0f, 0.0f) < CQzVector3(1.0f, 5.0f, 0.0f));
    EXPECT_FALSE(CQzVector3(1.0f, 0.0f, 0.0f).Equal(CQzVector3(1.5f, 0.0f, 0.0f), 0.5f)); // strict

    CQzVector3 c(5.0f, 5.0f, 5.0f); // crossing bounds: the upper one wins
    c.Clamp(CQzVector3(3.0f, 3.0f, 3.0f), CQzVector3(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(c, CQzVector3(1.0f, 1.0f, 1.0f));
    // On a tie the argument's component is taken: visible in the zero's sign.
    EXPECT_TRUE(std::signbit(CQzVector3().Maximum(CQzVector3(-0.0f, 0.0f, 0.0f)).x));
    EXPECT_TRUE(std::signbit(CQzVector2(0.0f, 0.0f).Minimum(CQzVector2(-0.0f, 0.0f)).x));

    EXPECT_EQ(CQzVector4(CQzRGB<float>(0.25f, 0.5f, 0.75f), 2.0f), CQzVector4(0.25f, 0.5f, 0.75f, 2.0f));
    CQzVector4 cross;
    cross.CrossProduct(CQzVector4(1.0f, 0.0f, 0.0f, 7.0f), CQzVector4(0.0f, 1.0f, 0.0f, -3.0f));
    EXPECT_EQ(cross, CQzVector4(0.0f, 0.0f, 1.0f, 1.0f));
}

TEST(QzVector2i, ArithmeticWrapsLikeTwosComplement)
{
    int const values[][2] = {{INT_MAX, 1}, {INT_MIN, -1}, {65536, 65536}, {123456789, -98765}};
    auto wrap = [](std::int64_t v) { return int(std::uint32_t(std::uint64_t(v))); };
    for (auto const& p : values)
        for (auto const& q : values)
        {
            CQzVector2i const a(p[0], p[1]), b(q[0], q[1]);
            EXPECT_EQ(a + b, CQzVector2i(wrap(std::int64_t(p[0]) + q[0]), wrap(std::int64_t(p[1]) + q[1])));
            EXPECT_EQ(a - b, CQzVector2i(wrap(std::int64_t(p[0]) - q[0]), wrap(std::int64_t(p[1]) - q[1])));
            EXPECT_EQ(a * b, CQzVector2i(wrap(std::int64_t(p[0]) * q[0]), wrap(std::int64_t(p[1]) * q[1])));
            EXPECT_EQ(-a, CQzVector2i(wrap(-std::int64_t(p[0])), wrap(-std::int64_t(p[1]))));
        }
}

// ---- packed normal ----

// Decoded from the layout alone: fields cut with shifts, signs by
// subtracting the field's range.
glm::dvec3 DecodeHendn3(unsigned int word)
{
    int x = int(word & 2047u), y = int((word >> 11) & 2047u), z = int(word >> 22);
    x -= x >= 1024 ? 2048 : 0;
    y -= y >= 1024 ? 2048 : 0;
    z -= z >= 512 ? 1024 : 0;
    return glm::dvec3(x / 1023.0, y / 1023.0, z / 511.0);
}

void ExpectDecodes(unsigned int word)
{
    CQzHENDN3 packed;
    packed.word = word;
    ASSERT_LT(glm::length(D(CQzVector3(&packed)) - DecodeHendn3(word)), 1e-6) << std::hex << word;
}

TEST(QzHENDN3, EveryFieldValueAndRandomWordsDecodeByTheLayout)
{
    qztest::Random random(13);
    for (unsigned int f = 0; f < 2048; ++f)
    {
        unsigned int const rest = random.Word();
        ExpectDecodes((rest & ~0x7FFu) | f);
        ExpectDecodes((rest & ~(0x7FFu << 11)) | (f << 11));
        if (f < 1024)
            ExpectDecodes((rest & 0x3FFFFFu) | (f << 22));
    }
    for (int i = 0; i < 100000; ++i)
        ExpectDecodes(random.Word());

    // -1 is written as -1023 / -511 and reads back exactly.
    CQzHENDN3 packed;
    CQzVector3(-1.0f, -1.0f, -1.0f).StoreHENDN3(&packed);
    EXPECT_EQ(CQzVector3(&packed), CQzVector3(-1.0f, -1.0f, -1.0f));
}

TEST(QzHENDN3, StoringClampsAndTruncatesTowardZero)
{
    CQzHENDN3 packed;
    CQzVector3(1.0f, -1.0f, 0.5f).StoreHENDN3(&packed);
    EXPECT_EQ(packed.word, 0x3FFu | (0x401u << 11) | (255u << 22));
    CQzVector3 back;
    back.LoadHENDN3(&packed);
    EXPECT_EQ(back.x, 1.0f);
    EXPECT_EQ(back.y, -1.0f);
    EXPECT_NEAR(back.z, 255.0 / 511.0, 1e-6);

    CQzVector3(2.0f, NAN, -2.0f).StoreHENDN3(&packed); // NaN stores as 1
    EXPECT_EQ(packed.word, 0x3FFu | (0x3FFu << 11) | (0x201u << 22));

    // A stored value reads back within one step, never farther from zero.
    qztest::Random random(14);
    for (int i = 0; i < 20000; ++i)
    {
        CQzVector3 const v = random.Vector(-1.0f, 1.0f);
        v.StoreHENDN3(&packed);
        glm::dvec3 const d = DecodeHendn3(packed.word);
        double const steps[3] = {1.0 / 1023, 1.0 / 1023, 1.0 / 511};
        for (int c = 0; c < 3; ++c)
        {
            ASSERT_LE(std::fabs(d[c]), std::fabs(double(v[c])) + 1e-7) << v[c];
            ASSERT_LT(std::fabs(d[c] - v[c]), steps[c] + 1e-7) << v[c];
        }
    }
}

} // namespace
