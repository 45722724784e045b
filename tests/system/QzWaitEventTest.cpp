// Tests of CQzWaitEvent and the thread services: a wait released by another
// thread sees what that thread wrote before setting; names read back.
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <chrono>
#include <thread>

namespace {

// Leaves non-zero bytes where the next calls keep locals: a field left unset reads as garbage.
__attribute__((noinline)) void DirtyStack()
{
    volatile unsigned char bytes[4096];
    for (volatile unsigned char& byte : bytes)
        byte = 0xFF;
}

} // namespace

TEST(QzWaitEvent, WaitSeesWhatTheSetterWroteAndThreadServicesAgreeWithTheSystem)
{
    CQzWaitEvent event;
    EXPECT_TRUE(event.Test());
    event.Wait(); // a new event is signalled
    event.Clear();
    CQzWaitEvent assigned;
    assigned = CQzWaitEvent(event);
    EXPECT_FALSE(event.Test() || assigned.Test());

    int payload = 0;
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        payload = 42;
        event.Set();
    });
    DirtyStack();
    event.Wait();
    EXPECT_EQ(payload, 42);
    setter.join();

    // thread services agree with the system, names are cut to 15 characters
    struct CFlagReader : CQzThread
    {
        bool Flag() const { return m_flag; }
    };
    EXPECT_FALSE(CFlagReader().Flag()); // free for a derived thread, and clear
    EXPECT_EQ(QzGetProcessorCount(), std::thread::hardware_concurrency());
    std::thread([] {
        QzSetCurrentThreadName("a name much longer than fifteen");
        QzSetCurrentThreadName(nullptr); // keeps the name
        char name[16] = {};
        pthread_getname_np(pthread_self(), name, sizeof name);
        EXPECT_STREQ(name, "a name much lon");
    }).join();
}
