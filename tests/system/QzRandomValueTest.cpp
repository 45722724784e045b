// Tests of CQzRandomValue: the draws of the C standard's sample rand(), the
// float draws at both ends of their intervals, and reseeding.
#include "system/QzRandomValue.h"

#include <gtest/gtest.h>

#include <utility>

TEST(QzRandomValue, DrawsTheSampleRandSequenceAndFloatsReachBothEndsOfTheirIntervals)
{
    // srand(1) followed by five rand() calls of the standard's example
    CQzRandomValue generator(1);
    for (int expected : {16838, 5758, 10113, 17515, 31051})
        EXPECT_EQ(generator.GetNextInt(), expected);
    generator.Reseed(1);
    EXPECT_EQ(generator.GetNextInt(), 16838);
    EXPECT_EQ(CQzRandomValue().GetNextInt(), 0); // the default seed is 0

    // seeds whose next step leaves the state 0 and 32767 << 16
    int const lowSeed = -59267453, highSeed = -1861048701;
    for (auto const& [seed, low] : {std::make_pair(lowSeed, true), std::make_pair(highSeed, false)})
    {
        ASSERT_EQ(CQzRandomValue(seed).GetNextInt(), low ? 0 : 32767);
        EXPECT_EQ(CQzRandomValue(seed).GetNextFloat(10.0f), low ? 0.0f : 10.0f);
        EXPECT_EQ(CQzRandomValue(seed).GetNextFloat(2.0f, 4.0f), low ? 2.0f : 4.0f);
        EXPECT_EQ(CQzRandomValue(seed).GetNextFloatCentered(1.0f), low ? -1.0f : 1.0f);
    }
    // a draw from the middle, in double precision
    EXPECT_FLOAT_EQ(CQzRandomValue(1).GetNextFloat(-3.0f, 11.0f), float(-3.0 + 14.0 * 16838 / 32767.0));
}
