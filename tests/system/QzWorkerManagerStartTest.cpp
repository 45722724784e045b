// Tests of CQzWorkerManager when the system refuses worker threads: the
// manager keeps the workers that started, or runs units in the pusher.
#include "system/QzWorkerManager.h"
#include "system/internal/QzWorkerStartTestHook.h"

#include "QzThreadCount.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

void Count(void* argument)
{
    static_cast<std::atomic<unsigned int>*>(argument)->fetch_add(1, std::memory_order_relaxed);
}

} // namespace

TEST(QzWorkerManager, RefusedThreadsLeaveAManagerOfTheWorkersThatStarted)
{
    ASSERT_EQ(qztest::CountWorkerThreads(), 0u);
    std::atomic<unsigned int> ran(0);
    QzTestFailWorkerThreadStart(3);
    {
        CQzWorkerManager manager(4);
        EXPECT_EQ(manager.GetWorkerCount(), 2u);
        EXPECT_TRUE(qztest::AwaitWorkerThreads(2));
        for (int i = 0; i < 1000; ++i)
            manager.PushWorkUnit(Count, &ran, WORKER_TAG_0);
        manager.WaitForAllCompletion();
        EXPECT_EQ(ran.load(), 1000u);
    }
    EXPECT_TRUE(qztest::AwaitWorkerThreads(0));

    QzTestFailWorkerThreadStart(1);
    CQzWorkerManager none(2);
    EXPECT_EQ(none.GetWorkerCount(), 0u);
    EXPECT_EQ(qztest::CountWorkerThreads(), 0u);
    none.PushWorkUnit(Count, &ran, WORKER_TAG_0);
    EXPECT_EQ(ran.load(), 1001u); // ran in this thread, before the push returned
    none.WaitForAllCompletion();
}
