// Tests of CQzRandomValue against a model of the congruential step, the
// interval ends of the float draws and reseeding.
#include "system/QzRandomValue.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The step written independently: 32-bit unsigned state, 15 bits out.
struct SModel
{
    std::uint32_t state;
    int Next()
    {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) & 0x7FFFu);
    }
};

// The multiplicative inverse of an odd number modulo 2^32 (Newton's method).
std::uint32_t Inverse(std::uint32_t odd)
{
    std::uint32_t inverse = odd;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - odd * inverse;
    return inverse;
}

// A seed whose first draw is r: the state after the step is r << 16.
int SeedDrawing(int r)
{
    return int(((std::uint32_t(r) << 16) - 12345u) * Inverse(1103515245u));
}

double const K = double(3.0518509e-5f);

} // namespace

TEST(QzRandomValue, FollowsTheCongruentialStepOverManyDraws)
{
    for (int seed : {0, 1, -1, 123456789, int(0x80000000u)})
    {
        CQzRandomValue generator(seed);
        SModel model{std::uint32_t(seed)};
        for (int i = 0; i < 100000; ++i)
        {
            int const r = model.Next();
            int const kind = i % 4;
            if (kind == 0)
                ASSERT_EQ(generator.GetNextInt(), r) << "seed " << seed << " draw " << i;
            else if (kind == 1)
                ASSERT_EQ(generator.GetNextFloat(7.5f), float(r * 7.5 * K)) << i;
            else if (kind == 2)
                ASSERT_EQ(generator.GetNextFloat(-3.0f, 11.0f), float(-3.0 + 14.0 * r * K)) << i;
            else
                ASSERT_EQ(generator.GetNextFloatCentered(0.25f), float((r * K - 0.5) * 0.25 * 2.0)) << i;
        }
    }
}

TEST(QzRandomValue, KnownFirstDrawsAndReseeding)
{
    CQzRandomValue generator;
    EXPECT_EQ(generator.GetNextInt(), 0);
    EXPECT_EQ(generator.GetNextInt(), 21468);
    int const third = generator.GetNextInt();

    // the state after two draws from 0 is 0xD3DC167E
    CQzRandomValue resumed(-740551042);
    EXPECT_EQ(resumed.GetNextInt(), third);

    generator.Reseed(0);
    EXPECT_EQ(generator.GetNextInt(), 0);
    CQzRandomValue copy(generator);
    CQzRandomValue assigned(99);
    assigned = generator;
    CQzRandomValue& same = assigned;
    assigned = same;
    EXPECT_EQ(copy.GetNextInt(), 21468);
    EXPECT_EQ(assigned.GetNextInt(), 21468);
    EXPECT_EQ(generator.GetNextInt(), 21468);
}

TEST(QzRandomValue, BothEndsOfEveryIntervalCanBeDrawn)
{
    int const lowSeed = SeedDrawing(0);
    int const highSeed = SeedDrawing(32767);
    EXPECT_EQ(CQzRandomValue(highSeed).GetNextInt(), 32767);

    EXPECT_EQ(CQzRandomValue(lowSeed).GetNextFloatCentered(1.0f), -1.0f);
    EXPECT_EQ(CQzRandomValue(highSeed).GetNextFloatCentered(1.0f), 1.0f);
    EXPECT_EQ(CQzRandomValue(lowSeed).GetNextFloat(2.0f, 4.0f), 2.0f);
    EXPECT_EQ(CQzRandomValue(highSeed).GetNextFloat(2.0f, 4.0f), 4.0f);
    EXPECT_EQ(CQzRandomValue(lowSeed).GetNextFloat(10.0f), 0.0f);
    EXPECT_EQ(CQzRandomValue(highSeed).GetNextFloat(10.0f), 10.0f);
}
