// Vectors against double precision and per-component float arithmetic, their
// rules for zero lengths, divisors and ties, and the packed normal's layout.
#include "math/QzVector2.h"
#include "math/QzVector3.h"
#include "math/QzVector4.h"

#include "QzMathReference.h" // glm, gtest, <cmath>

#include <climits>
#include <cstdint>
#include <type_traits>

namespace {

using namespace qztest;

// A float vector's operators against the float operation on each of its n components.
template <typename V> void CheckComponentWise(V const& a, V const& b, float s, int n)
{
    // a scalar divisor is applied as its reciprocal; a product with s exists only in place
    V inPlace[6] = {a, a, a, a, a, a};
    inPlace[0] += b, inPlace[1] -= b, inPlace[2] *= b, inPlace[3] /= b, inPlace[4] *= s, inPlace[5] /= s;
    V const binary[6] = {a + b, a - b, a * b, a / b, a, a / s};
    for (int c = 0; c < n; ++c)
    {
        float const expected[6] = {a[c] + b[c], a[c] - b[c], a[c] * b[c], a[c] / b[c], a[c] * s, a[c] * (1.0f / s)};
        for (int k = 0; k < 6; ++k)
            ASSERT_TRUE((k == 4 || binary[k][c] == expected[k]) && inPlace[k][c] == expected[k]) << k << ", " << c;
        V other = a;
        other[c] += 1.0f;
        ASSERT_TRUE(a != other && !(a == other)) << c;
        if constexpr (!std::is_same<V, CQzVector2>::value)
        {
            ASSERT_TRUE(a < other && !(other < a) && !(a < a)) << c;
        }
    }
}

// Decoded from the layout alone: fields cut with shifts, signs by subtracting the field's range.
glm::dvec3 DecodeHendn3(unsigned int word)
{
    int const x = int(word & 2047u), y = int((word >> 11) & 2047u), z = int(word >> 22);
    return glm::dvec3((x >= 1024 ? x - 2048 : x) / 1023.0, (y >= 1024 ? y - 2048 : y) / 1023.0,
                      (z >= 512 ? z - 1024 : z) / 511.0);
}

TEST(QzVector, ArithmeticMatchesDoublePrecisionEdgeCasesFollowTheirRulesAndThePackedNormalItsLayout)
{
    Random random(11);
    for (int i = 0; i < 200; ++i)
    {
        CQzVector3 const a = random.Vector(-10.0f, 10.0f), b = random.Vector(0.5f, 10.0f);
        float const t = random.Uniform(-1.0f, 2.0f), w = random.Uniform(-10.0f, 10.0f);
        CQzVector2 const p = a.XY(), q = b.XY();
        CQzVector4 const a4(a, w), b4(b, t);
        CheckComponentWise(a, b, t, 3), CheckComponentWise(p, q, t, 2), CheckComponentWise(a4, b4, t, 4);
        CQzVector2 v2 = p, inverse2 = q;
        CQzVector3 v3 = a, inverse3 = b;
        CQzVector4 v4 = a4;
        v2.AddXY(q.x, q.y), v2.MulXY(q.x, q.y), v2.SubXY(q.x, q.y), v2.DivXY(q.x, q.y), inverse2.Invert();
        v3.AddXYZ(b.x, b.y, b.z), v3.MulXYZ(b.x, b.y, b.z), v3.SubXYZ(b.x, b.y, b.z), v3.DivXYZ(b.x, b.y, b.z);
        v4.AddXYZW(b.x, b.y, b.z, t), v4.MulXYZW(b.x, b.y, b.z, t), v4.SubXYZW(b.x, b.y, b.z, t);
        v4.DivXYZW(b.x, b.y, b.z, t), inverse3.Invert();
        EXPECT_TRUE(v2 == ((p + q) * q - q) / q && v3 == ((a + b) * b - b) / b && v4 == ((a4 + b4) * b4 - b4) / b4);
        EXPECT_TRUE(inverse2 == CQzVector2(1.0f, 1.0f) / q && inverse3 == CQzVector3(1.0f, 1.0f, 1.0f) / b);

        EXPECT_LT(glm::length(D(a ^ b) - glm::cross(D(a), D(b))), 1e-4);
        EXPECT_TRUE(std::fabs(a.DotProduct(b) - glm::dot(D(a), D(b))) < 1e-4 &&
                    std::fabs(a.Distance(b) - glm::distance(D(a), D(b))) < 1e-5);
        CQzVector3 lerp, unit = a, sized = a;
        CQzVector2 lerp2, sized2 = p, turned = p;
        lerp.Lerp(a, b, t), lerp2.Lerp(p, q, t), sized.SetLength(3.0f), sized2.SetLength(3.0f), turned.Rotate(t);
        EXPECT_TRUE(glm::length(D(lerp) - glm::mix(D(a), D(b), double(t))) < 1e-4 && lerp2 == lerp.XY());
        EXPECT_TRUE(unit.Normalize() && glm::length(D(unit) - glm::normalize(D(a))) < 1e-6 &&
                    glm::length(D(a.getNormalized()) - glm::normalize(D(a))) < 1e-6);
        EXPECT_TRUE(std::fabs(sized.GetLength() - 3.0) < 1e-5 && std::fabs(sized2.GetLength() - 3.0) < 1e-5);
        EXPECT_TRUE(std::fabs(turned.x - (p.x * std::cos(double(t)) - p.y * std::sin(double(t)))) < 1e-5 &&
                    std::fabs(turned.y - (p.x * std::sin(double(t)) + p.y * std::cos(double(t)))) < 1e-5);
        EXPECT_TRUE(std::fabs(p.CrossProduct(p.GetPerpendicularLeft()) - p.GetSquaredLength()) < 1e-3 &&
                    p.GetPerpendicularLeft() == -p.GetPerpendicularRight());
    }

    CQzVector3 zero, fallback;
    EXPECT_TRUE(!zero.Normalize() && zero == CQzVector3(0.0f, 0.0f, 0.0f));
    fallback.Normalize(CQzVector3(0.0f, 0.0f, 1.0f)); // the default when the length is 0
    // Below 1e-5 getNormalized scales by the length itself.
    EXPECT_TRUE(fallback == CQzVector3(0.0f, 0.0f, 1.0f) && CQzVector3().getNormalized() == CQzVector3());
    EXPECT_FLOAT_EQ(CQzVector3(0.000001f, 0.0f, 0.0f).getNormalized().x, 0.000001f * 0.000001f);
    // A zero divisor gives infinities, but the four-component vector is left as it is.
    CQzVector4 v4(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_TRUE(std::isinf((CQzVector3(1.0f, 2.0f, 3.0f) / 0.0f).y) && v4 / 0.0f == v4);
    EXPECT_EQ(v4 /= 0.0f, CQzVector4(1.0f, 2.0f, 3.0f, 4.0f));
    v4.Set1111();
    EXPECT_EQ(v4, CQzVector4(1.0f, 1.0f, 1.0f, 1.0f));

    // Not an ordering: each is "less" than the other.
    EXPECT_TRUE(CQzVector3(1.0f, 5.0f, 0.0f) < CQzVector3(2.0f, 0.0f, 0.0f) &&
                CQzVector3(2.0f, 0.0f, 0.0f) < CQzVector3(1.0f, 5.0f, 0.0f));
    EXPECT_FALSE(CQzVector3(1.0f, 0.0f, 0.0f).Equal(CQzVector3(1.5f, 0.0f, 0.0f), 0.5f)); // strict

    // Crossing bounds: the upper one wins; a bound only replaces what lies strictly beyond it.
    CQzVector3 c(5.0f, 5.0f, 5.0f), d(-0.0f, -1.0f, 2.0f);
    c.Clamp(CQzVector3(3.0f, 3.0f, 3.0f), CQzVector3(1.0f, 1.0f, 1.0f)), d.ClampMin(CQzVector3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(c == CQzVector3(1.0f, 1.0f, 1.0f) && d == CQzVector3(0.0f, 0.0f, 2.0f) && std::signbit(d.x));
    // On a tie the argument's component is taken: visible in the zero's sign.
    EXPECT_TRUE(std::signbit(CQzVector3().Maximum(CQzVector3(-0.0f, 0.0f, 0.0f)).x) &&
                std::signbit(CQzVector2(0.0f, 0.0f).Minimum(CQzVector2(-0.0f, 0.0f)).x));

    CQzVector4 cross;
    cross.CrossProduct(CQzVector4(1.0f, 0.0f, 0.0f, 7.0f), CQzVector4(0.0f, 1.0f, 0.0f, -3.0f));
    EXPECT_TRUE(cross == CQzVector4(0.0f, 0.0f, 1.0f, 1.0f) &&
                CQzVector4(CQzRGB<float>(0.25f, 0.5f, 0.75f), 2.0f) == CQzVector4(0.25f, 0.5f, 0.75f, 2.0f));

    int const values[] = {INT_MAX, 1, INT_MIN, -1, 65536, 65536, 123456789, -98765}; // integer vectors wrap
    auto wrap = [](std::int64_t v) { return int(std::uint32_t(std::uint64_t(v))); };
    for (int i = 0; i < 16; ++i) // every pair
    {
        std::int64_t const p = values[i / 4 * 2], q = values[i / 4 * 2 + 1], r = values[i % 4 * 2], s = values[i % 4 * 2 + 1];
        CQzVector2i const a = CQzVector2i(int(p), int(q)), b = CQzVector2i(int(r), int(s));
        EXPECT_TRUE(a + b == CQzVector2i(wrap(p + r), wrap(q + s)) && a - b == CQzVector2i(wrap(p - r), wrap(q - s)));
        EXPECT_TRUE(a * b == CQzVector2i(wrap(p * r), wrap(q * s)) && -a == CQzVector2i(wrap(-p), wrap(-q))) << i;
    }

    CQzHENDN3 packed; // the packed normal: every value of each field among random other bits
    for (unsigned int i = 0; i < 2048 * 4; ++i)
    {
        unsigned int const f = i % 2048, rest = random.Word();
        unsigned int const words[4] = {(rest & ~0x7FFu) | f, (rest & ~(0x7FFu << 11)) | (f << 11),
                                       (rest & 0x3FFFFFu) | ((f & 1023u) << 22), rest};
        packed.word = words[i < 2048 * 3 ? i / 2048 : 3];
        ASSERT_LT(glm::length(D(CQzVector3(&packed)) - DecodeHendn3(packed.word)), 1e-6) << std::hex << packed.word;
    }
    // Clamped to [-1, 1] (NaN as 1) and truncated toward zero, read back exactly at the ends.
    CQzVector3(0.5f, -1.0f, -0.5f).StoreHENDN3(&packed);
    EXPECT_EQ(packed.word, 0x1FFu | (0x401u << 11) | (0x301u << 22));
    CQzVector3(2.0f, NAN, -2.0f).StoreHENDN3(&packed);
    EXPECT_EQ(packed.word, 0x3FFu | (0x3FFu << 11) | (0x201u << 22));
    EXPECT_EQ(CQzVector3(&packed), CQzVector3(1.0f, 1.0f, -1.0f));
}

} // namespace
