// Tests of CQzFixedRingBuffer: first-in first-out order through many turns
// of the ring, refusal when full, and whole copies. One producer with one
// consumer on two threads is exercised by the worker manager's tests.
#include "system/QzFixedRingBuffer.h"

#include <gtest/gtest.h>

TEST(QzFixedRingBuffer, KeepsOrderAcrossTurnsRefusesWhenFullAndCopiesWhole)
{
    CQzFixedRingBuffer<int, 64> ring;
    int value = -1;
    int next = 0;
    int expected = 0;
    // fill and drain by uneven steps so the positions cross the end often
    for (int turn = 0; turn < 20; ++turn)
    {
        // bounded, so that a ring that never says full fails instead of hanging
        for (int attempt = 0; attempt <= 64 && ring.Push(next); ++attempt)
            ++next;
        ASSERT_EQ(ring.GetCount(), 64u);
        EXPECT_TRUE(ring.IsFull());
        for (int i = 0; i < 1 + turn * 7 % 64; ++i)
        {
            ASSERT_TRUE(ring.Pop(value));
            ASSERT_EQ(value, expected++);
        }
        EXPECT_FALSE(ring.IsFull());
    }

    // full copies hold every slot, slot 0 among them
    for (int attempt = 0; attempt <= 64 && ring.Push(next); ++attempt)
        ++next;
    CQzFixedRingBuffer<int, 64> copy(ring);
    CQzFixedRingBuffer<int, 64> assigned;
    assigned.Push(-1);
    assigned = copy;
    for (CQzFixedRingBuffer<int, 64>* source : {&ring, &copy, &assigned})
    {
        int from = expected;
        while (source->Pop(value))
            ASSERT_EQ(value, from++);
        EXPECT_EQ(from, next);
        EXPECT_TRUE(source->IsEmpty());
    }
}
