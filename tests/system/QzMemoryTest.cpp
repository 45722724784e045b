// Tests of CQzMemCounter and CQzRefCount: peaks, arithmetic that wraps
// modulo 2^32, and counts that are never clamped.
#include "system/QzMemCounter.h"
#include "system/QzRefCount.h"

#include <gtest/gtest.h>

TEST(QzMemCounter, PeaksAreSeparateMaximaAndAmountsWrapAround)
{
    CQzMemCounter counter;
    counter.Sub(1, 2); // below zero wraps, and the peaks stay
    EXPECT_EQ(counter.AmountRAM(), 0xFFFFFFFFu);
    EXPECT_EQ(counter.AmountVRAM(), 0xFFFFFFFEu);
    EXPECT_EQ(counter.Count(), 0xFFFFFFFFu);
    EXPECT_EQ(counter.PeakTotal(), 0u);
    counter.Add(101, 2);
    counter.Add(50, 500);
    counter.Sub(100, 500);
    counter.Add(0, 10);
    EXPECT_EQ(counter.AmountRAM(), 50u);
    EXPECT_EQ(counter.AmountVRAM(), 10u);
    EXPECT_EQ(counter.AmountTotal(), 60u);
    EXPECT_EQ(counter.Count(), 1u);
    // the RAM peak and the VRAM peak were reached at different times
    EXPECT_EQ(counter.PeakRAM(), 150u);
    EXPECT_EQ(counter.PeakVRAM(), 500u);
    EXPECT_EQ(counter.PeakTotal(), 650u);

    CQzRefCount count;
    EXPECT_EQ(count.DecRefCount(), -1);
    EXPECT_EQ(count.IncRefCount(), 0);
    EXPECT_EQ(count.AddRefCount(10), 10);
    EXPECT_EQ(count.SubRefCount(3), 7);
    EXPECT_EQ(count.GetRefCount(), 7);
}
