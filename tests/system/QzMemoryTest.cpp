// Tests of CQzMemCounter and CQzRefCount: separate peaks, amounts that wrap
// modulo 2^32 and counts that are never clamped.
#include "system/QzMemCounter.h"
#include "system/QzRefCount.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

TEST(QzMemCounter, PeaksAreSeparateMaximaAndAmountsWrapAround)
{
    CQzMemCounter counter;
    counter.Sub(1, 2); // below zero wraps, and the peaks stay
    EXPECT_EQ(std::make_tuple(counter.AmountRAM(), counter.AmountVRAM(), counter.Count(), counter.PeakTotal()),
              std::make_tuple(0xFFFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFFu, 0u));
    counter.Add(101, 2);
    counter.Add(50, 500);
    counter.Sub(100, 500);
    counter.Add(0, 10);
    EXPECT_EQ(std::make_tuple(counter.AmountRAM(), counter.AmountVRAM(), counter.AmountTotal(), counter.Count()),
              std::make_tuple(50u, 10u, 60u, 1u));
    // the RAM peak and the VRAM peak were reached at different times
    EXPECT_EQ(std::make_tuple(counter.PeakRAM(), counter.PeakVRAM(), counter.PeakTotal()), std::make_tuple(150u, 500u, 650u));

    CQzRefCount count; // a braced list runs the calls in order
    EXPECT_EQ((std::vector<int>{count.DecRefCount(), count.IncRefCount(), count.AddRefCount(10), count.SubRefCount(3),
                                count.GetRefCount()}),
              (std::vector<int>{-1, 0, 10, 7, 7}));
}
