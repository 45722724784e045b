// Tests of CQzMemCounter, CQzRefCount and the memory areas: peaks, wrapping
// arithmetic, unclamped counts and copies.
#include "system/QzMemCounter.h"
#include "system/QzMemoryArea.h"
#include "system/QzRefCount.h"

#include <gtest/gtest.h>

TEST(QzMemCounter, PeaksFollowAmountsUpAndStayOnTheWayDown)
{
    CQzMemCounter counter;
    EXPECT_EQ(counter.Count(), 0u);
    EXPECT_EQ(counter.PeakTotal(), 0u);
    counter.Add(100, 0);
    counter.Add(50, 10);
    counter.Sub(100, 0);
    EXPECT_EQ(counter.AmountRAM(), 50u);
    EXPECT_EQ(counter.PeakRAM(), 150u);
    EXPECT_EQ(counter.AmountVRAM(), 10u);
    EXPECT_EQ(counter.PeakVRAM(), 10u);
    EXPECT_EQ(counter.Count(), 1u);
    EXPECT_EQ(counter.AmountTotal(), 60u);
    EXPECT_EQ(counter.PeakTotal(), 160u);

    // the peaks are separate maxima, not the peak of the total
    counter.Add(0, 500);
    counter.Sub(0, 500);
    counter.Add(200, 0);
    EXPECT_EQ(counter.PeakRAM(), 250u);
    EXPECT_EQ(counter.PeakVRAM(), 510u);
    EXPECT_EQ(counter.PeakTotal(), 760u);

    CQzMemCounter copy;
    copy = counter;
    EXPECT_EQ(copy.PeakTotal(), 760u);
    EXPECT_EQ(copy.Count(), counter.Count());
}

TEST(QzMemCounter, ArithmeticWrapsWithoutChecks)
{
    CQzMemCounter counter;
    counter.Sub(1, 2);
    EXPECT_EQ(counter.AmountRAM(), 0xFFFFFFFFu);
    EXPECT_EQ(counter.AmountVRAM(), 0xFFFFFFFEu);
    EXPECT_EQ(counter.Count(), 0xFFFFFFFFu);
    EXPECT_EQ(counter.PeakRAM(), 0u);
    counter.Add(3, 3);
    EXPECT_EQ(counter.AmountRAM(), 2u);
    EXPECT_EQ(counter.AmountTotal(), 3u);
    EXPECT_EQ(counter.Count(), 0u);
    EXPECT_EQ(counter.PeakRAM(), 2u);
}

TEST(QzRefCount, CountsWithoutClampingAndCopiesTheCount)
{
    CQzRefCount count;
    EXPECT_EQ(count.GetRefCount(), 0);
    EXPECT_EQ(count.DecRefCount(), -1);
    EXPECT_EQ(count.IncRefCount(), 0);
    EXPECT_EQ(count.AddRefCount(10), 10);
    EXPECT_EQ(count.SubRefCount(3), 7);
    CQzRefCount copy(count);
    EXPECT_EQ(copy.GetRefCount(), 7);
    CQzRefCount assigned;
    assigned = count;
    EXPECT_EQ(assigned.IncRefCount(), 8);
    EXPECT_EQ(count.GetRefCount(), 7);
}

TEST(QzMemoryArea, DefaultsAndCopiesOfTheAreasAndTheirPairs)
{
    CQzMemoryArea area;
    EXPECT_EQ(area.GetSize(), 0u);
    EXPECT_EQ(area.GetAlign(), 4u);
    CQzMemoryArea copy(area);
    copy = area;
    EXPECT_EQ(copy.GetAlign(), 4u);

    CQzMemoryAreas areas;
    CQzMemoryAreas areasCopy(areas);
    areasCopy = areas;
    CQzMemoryAreas_360 xbox;
    CQzMemoryAreas_PS3 ps3;
    CQzMemoryAreas_PS3 ps3Copy(ps3);
    ps3Copy = ps3;
    static_assert(sizeof(CQzMemoryAreas_360) == sizeof(CQzMemoryAreas), "same layout");
    static_assert(sizeof(CQzMemoryAreas_PS3) == 2 * sizeof(CQzMemoryArea), "two areas in a row");
    (void)xbox;
}
