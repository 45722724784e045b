// Tests of CQzFixedRingBuffer: first-in first-out order through many turns of
// the ring, refusal when full, whole copies (two threads: the worker tests).
#include "system/QzFixedRingBuffer.h"

#include <gtest/gtest.h>

TEST(QzFixedRingBuffer, KeepsOrderAcrossTurnsRefusesWhenFullAndCopiesWhole)
{
    CQzFixedRingBuffer<int, 64> ring;
    int value = -1, next = 0, expected = 0;
    // bounded, so that a ring that never says full fails instead of hanging
    auto const fill = [&] { for (int attempt = 0; attempt <= 64 && ring.Push(next); ++attempt) ++next; };
    // fill and drain by uneven steps so the positions cross the end often
    for (int turn = 0; turn < 20; ++turn)
    {
        fill();
        ASSERT_TRUE(ring.GetCount() == 64u && ring.IsFull()) << ring.GetCount();
        for (int i = 0; i < 1 + turn * 7 % 64; ++i)
            ASSERT_TRUE(ring.Pop(value) && value == expected++) << "expected " << expected - 1 << ", got " << value;
        EXPECT_FALSE(ring.IsFull());
    }

    // full copies hold every slot, slot 0 among them
    fill();
    CQzFixedRingBuffer<int, 64> copy(ring), assigned;
    assigned.Push(-1);
    assigned = copy;
    for (CQzFixedRingBuffer<int, 64>* source : {&ring, &copy, &assigned})
    {
        int from = expected;
        while (source->Pop(value))
            ASSERT_EQ(value, from++);
        EXPECT_TRUE(from == next && source->IsEmpty()) << from;
    }
}
