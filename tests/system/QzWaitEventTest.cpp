// Tests of CQzWaitEvent, CQzThread and the thread services: a wait released
// by another thread sees what that thread wrote before setting.
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <atomic>
#include <thread>

namespace {

// Reaches the state word to store values other than 0 and 1.
class CRawWaitEvent : public CQzWaitEvent
{
public:
    void SetState(unsigned int state) { m_state.store(state); }
};

} // namespace

TEST(QzWaitEvent, StartsSignalledAndClearMakesWaitBlockUntilSet)
{
    CQzWaitEvent event;
    EXPECT_TRUE(event.Test());
    event.Wait();

    event.Clear();
    EXPECT_FALSE(event.Test());
    CQzWaitEvent const copy(event);
    EXPECT_FALSE(copy.Test());

    int payload = 0;
    std::atomic<bool> waitReturned(false);
    std::thread waiter([&] {
        event.Wait();
        waitReturned.store(true);
        EXPECT_EQ(payload, 42); // written before Set, so visible after Wait
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(waitReturned.load());
    payload = 42;
    event.Set();
    waiter.join();
    EXPECT_TRUE(waitReturned.load());
    EXPECT_TRUE(event.Test());

    CQzWaitEvent assigned;
    assigned = copy;
    EXPECT_FALSE(assigned.Test());
}

TEST(QzWaitEvent, AnyNonZeroStateEndsWaitButOnlyOneTestsTrue)
{
    CRawWaitEvent event;
    event.SetState(2);
    EXPECT_FALSE(event.Test());
    event.Wait();
    event.SetState(0xFFFFFFFFu);
    EXPECT_FALSE(event.Test());
    event.Wait();
}

TEST(QzThread, ServicesAnswerAndBaseObjectsCopy)
{
    EXPECT_GE(QzGetProcessorCount(), 1u);
    std::thread([] {
        char name[16] = {};
        QzSetCurrentThreadName("QzThreadTest");
        pthread_getname_np(pthread_self(), name, sizeof name);
        EXPECT_STREQ(name, "QzThreadTest");
        QzSetCurrentThreadName("a name much longer than the fifteen characters kept");
        QzSetCurrentThreadName(nullptr); // keeps the name
        pthread_getname_np(pthread_self(), name, sizeof name);
        EXPECT_STREQ(name, "a name much lon");
    }).join();

    CQzThread thread;
    CQzThread copy(thread);
    copy = thread;
    CQzThread* const derived = new CQzThread(copy);
    delete derived;
}
