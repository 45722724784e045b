// Tests of CQzWorkerManager when the system refuses worker threads or none are
// asked for: it keeps the workers that started, or runs units in the pusher.
#include "system/QzWorkerManager.h"
#include "system/internal/QzWorkerStartTestHook.h"

#include "QzThreadCount.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(QzWorkerManager, RefusedThreadsLeaveAManagerOfTheWorkersThatStarted)
{
    auto* const count = +[](void* counter) { static_cast<std::atomic<unsigned int>*>(counter)->fetch_add(1); };
    ASSERT_EQ(qztest::CountWorkerThreads(), 0u);
    std::atomic<unsigned int> ran(0);
    QzTestFailWorkerThreadStart(3);
    {
        CQzWorkerManager manager(4);
        EXPECT_EQ(manager.GetWorkerCount(), 2u);
        EXPECT_TRUE(qztest::AwaitWorkerThreads(2));
        for (int i = 0; i < 100; ++i)
            manager.PushWorkUnit(count, &ran, WORKER_TAG_0);
        manager.WaitForAllCompletion();
    }
    EXPECT_EQ(ran, 100u);
    EXPECT_TRUE(qztest::AwaitWorkerThreads(0));

    for (unsigned int failing : {1u, 0u}) // the first start refused, or none asked for
    {
        QzTestFailWorkerThreadStart(failing);
        CQzWorkerManager none(failing == 1 ? 2 : 0);
        EXPECT_EQ(none.GetWorkerCount() + qztest::CountWorkerThreads(), 0u);
        none.PushWorkUnit(count, &ran, WORKER_TAG_7);
        EXPECT_EQ(ran, 101u + (1 - failing)); // ran in this thread, before the push returned
        none.WaitForAllCompletion();
        none.WaitForTagCompletion(WORKER_TAG_7);
    }
}
