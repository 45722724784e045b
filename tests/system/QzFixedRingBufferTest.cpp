// Tests of CQzFixedRingBuffer: first-in first-out order through many turns
// of the ring, refusal when full, whole copies, and one producer with one
// consumer on two threads.
#include "system/QzFixedRingBuffer.h"

#include <gtest/gtest.h>

#include <thread>

TEST(QzFixedRingBuffer, KeepsOrderAcrossTurnsAndRefusesWhenFull)
{
    CQzFixedRingBuffer<int, 64> ring;
    EXPECT_TRUE(ring.IsEmpty());
    int value = -1;
    EXPECT_FALSE(ring.Pop(value));

    int next = 0;
    int expected = 0;
    // fill and drain by uneven steps so the positions cross the end often
    for (int turn = 0; turn < 50; ++turn)
    {
        while (ring.Push(next))
            ++next;
        EXPECT_TRUE(ring.IsFull());
        EXPECT_EQ(ring.GetCount(), 64u);
        for (int i = 0; i < 1 + turn % 63; ++i)
        {
            ASSERT_TRUE(ring.Pop(value));
            EXPECT_EQ(value, expected++);
        }
        EXPECT_FALSE(ring.IsFull());
    }
    while (ring.Pop(value))
        EXPECT_EQ(value, expected++);
    EXPECT_EQ(expected, next);
    EXPECT_TRUE(ring.IsEmpty());
}

TEST(QzFixedRingBuffer, CopiesAreWholeAndIndependent)
{
    CQzFixedRingBuffer<int, 64> ring;
    for (int i = 0; i < 70; ++i)
        if (!ring.Push(i))
        {
            int ignored;
            ring.Pop(ignored);
            ring.Push(i);
        }
    CQzFixedRingBuffer<int, 64> copy(ring);
    CQzFixedRingBuffer<int, 64> assigned;
    assigned.Push(999);
    assigned = ring;
    int a = 0, b = 0, c = 0;
    while (ring.Pop(a))
    {
        ASSERT_TRUE(copy.Pop(b));
        ASSERT_TRUE(assigned.Pop(c));
        EXPECT_EQ(a, b);
        EXPECT_EQ(a, c);
    }
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_TRUE(assigned.IsEmpty());
    EXPECT_EQ(a, 69);
}

TEST(QzFixedRingBuffer, OneProducerAndOneConsumerPassEveryValueInOrder)
{
    struct SItem
    {
        unsigned int value;
        unsigned int check;
    };
    CQzFixedRingBuffer<SItem, 64> ring;
    unsigned int const count = 100000;
    std::thread producer([&] {
        for (unsigned int i = 0; i < count; ++i)
            while (!ring.Push(SItem{i, i * 2654435761u}))
                std::this_thread::yield();
    });
    unsigned int received = 0;
    while (received < count)
    {
        SItem item;
        if (!ring.Pop(item))
        {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(item.value, received);
        ASSERT_EQ(item.check, received * 2654435761u);
        ++received;
    }
    producer.join();
    EXPECT_TRUE(ring.IsEmpty());
}
