// Tests of CQzWorkerManager: waits that return only once the counted work is done
// (full rings, wrapping counters, tags), copies, shutdown, the workers' names.
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"
#include "system/QzWorkerManager.h"

#include "QzThreadCount.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// Counts a unit's runs in its own slot, unsynchronised: an early wait reads a slot being written.
void Mark(void* slot) { ++*static_cast<unsigned int*>(slot); }

// Slots [begin, end) each ran once, read newest first (pending after an early return).
bool RanOnce(std::vector<unsigned int> const& slots, std::size_t begin, std::size_t end)
{
    return std::all_of(slots.rbegin() + long(slots.size() - end), slots.rend() - long(begin),
                       [](unsigned int runs) { return runs == 1; });
}

// A unit that notes its worker's name, then holds the worker until the gate opens.
CQzWaitEvent g_gate;

void Hold(void* name)
{
    pthread_getname_np(pthread_self(), static_cast<char*>(name), 16);
    g_gate.Wait();
}

// Exposes the worker records to read and set their counters.
class CInspectedManager : public CQzWorkerManager
{
public:
    explicit CInspectedManager(unsigned int workers) : CQzWorkerManager(workers) {}
    SWorkerQueue& Worker(unsigned int index) { return GetWorkerQueues()[index]; }
};

// Parents that push 100 leaves each, or a chain whose every link pushes the next.
struct SFamily
{
    CQzWorkerManager* manager;
    std::atomic<unsigned int> units{0};
};

void Leaf(void* family) { static_cast<SFamily*>(family)->units.fetch_add(1, std::memory_order_relaxed); }

void Parent(void* argument)
{
    for (int i = 0; i < 100; ++i)
        static_cast<SFamily*>(argument)->manager->PushWorkUnit(Leaf, argument, WORKER_TAG_6);
}

void Link(void* argument)
{
    SFamily& family = *static_cast<SFamily*>(argument);
    if (family.units.fetch_add(1, std::memory_order_relaxed) + 1 < 2000)
        family.manager->PushWorkUnit(Link, argument, WORKER_TAG_5);
}

} // namespace

TEST(QzWorkerManager, WaitsCoverEveryPusherThroughFullRingsAndTagWaitsOnlyTheirTag)
{
    CInspectedManager manager(2);
    for (unsigned int w = 0; w < 2; ++w) // counters about to wrap
    {
        manager.Worker(w).unitsPushed = manager.Worker(w).unitsCompleted = 0xFFFFFFFFu;
        manager.Worker(w).tagPushed[3] = manager.Worker(w).tagCompleted[3] = 0xFFFFFFFEu;
    }
    unsigned int const first = 400, pushers = 3, perPusher = 1000;
    std::vector<unsigned int> slots(first + pushers * perPusher);
    for (unsigned int i = 0; i < first; ++i)
        manager.PushWorkUnit(Mark, &slots[i], WORKER_TAG_3);
    // behind them, one unit on each worker that holds it until the gate opens
    g_gate.Clear();
    char names[2][16] = {};
    for (char* name : names)
        manager.PushWorkUnit(Hold, name, WORKER_TAG_5);
    manager.WaitForTagCompletion(WORKER_TAG_3);
    EXPECT_TRUE(RanOnce(slots, 0, first));
    EXPECT_EQ(manager.Worker(0).tagCompleted[3] + manager.Worker(1).tagCompleted[3], first - 4u);
    manager.WaitForTagCompletion(WORKER_TAG_1); // nothing of tag 1 was pushed
    auto const outstanding5 = [&](unsigned int w) { return manager.Worker(w).tagPushed[5] - manager.Worker(w).tagCompleted[5]; };
    EXPECT_EQ(outstanding5(0) + outstanding5(1), 2u);

    // pushers fill both rings, wait for room, and each one's wait covers its own units
    std::vector<std::thread> threads;
    for (unsigned int p = 0; p < pushers; ++p)
        threads.emplace_back([&, p] {
            std::size_t const begin = first + p * perPusher;
            for (unsigned int i = 0; i < perPusher; ++i)
                manager.PushWorkUnit(Mark, &slots[begin + i], QzWorkerUnitTag(i % 5));
            manager.WaitForAllCompletion();
            EXPECT_TRUE(RanOnce(slots, begin, begin + perPusher)) << "pusher " << p;
        });
    while (!manager.Worker(0).queue.IsFull() || !manager.Worker(1).queue.IsFull())
        std::this_thread::yield();
    g_gate.Set();
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_TRUE(RanOnce(slots, 0, slots.size()));
    EXPECT_EQ(manager.Worker(0).unitsCompleted + manager.Worker(1).unitsCompleted, unsigned(slots.size()));
    EXPECT_EQ(std::set<std::string>({names[0], names[1]}), std::set<std::string>({"QzWorker0", "QzWorker1"}));
    EXPECT_EQ(CQzWorkerManager().GetWorkerCount(), QzGetProcessorCount());
}

TEST(QzWorkerManager, CopiesShareTheWorkersAndTheLastOneShutsThemDownEvenFromInsideAUnit)
{
    std::vector<unsigned int> slots(300);
    {
        // a new worker names itself only once it runs: wait until both have
        CQzWorkerManager* const original = new CQzWorkerManager(2);
        ASSERT_TRUE(qztest::AwaitWorkerThreads(2));
        CQzWorkerManager* const copy = new CQzWorkerManager(*original);
        CQzWorkerManager assigned(1);
        assigned = *original;
        EXPECT_EQ(assigned.GetWorkerCount(), 2u);
        for (unsigned int i = 0; i < 100; ++i)
            original->PushWorkUnit(Mark, &slots[i], WORKER_TAG_0);
        delete original; // the copies go on without it
        for (unsigned int i = 100; i < 200; ++i)
            copy->PushWorkUnit(Mark, &slots[i], WORKER_TAG_0);
        delete copy; // and the assigned one alone
        for (unsigned int i = 200; i < 300; ++i)
            assigned.PushWorkUnit(Mark, &slots[i], WORKER_TAG_0);
        assigned.WaitForAllCompletion(); // waits for what the others pushed as well
        EXPECT_TRUE(RanOnce(slots, 0, slots.size()));
    }
    EXPECT_TRUE(qztest::AwaitWorkerThreads(0));

    // the last copy released inside a unit; static: detached workers use it until they leave
    static SFamily family{nullptr};
    family.manager = new CQzWorkerManager(2);
    ASSERT_TRUE(qztest::AwaitWorkerThreads(2));
    for (int i = 0; i < 300; ++i)
        family.manager->PushWorkUnit(Leaf, &family, WORKER_TAG_0);
    family.manager->PushWorkUnit(
        [](void* argument) {
            Parent(argument);
            delete static_cast<SFamily*>(argument)->manager;
        },
        &family, WORKER_TAG_1);
    // the workers leave only once every unit has run
    ASSERT_TRUE(qztest::AwaitWorkerThreads(0));
    EXPECT_EQ(family.units.load(), 400u);
}

// Each link of a chain goes to the next worker, so one walk over the workers
// can find the one it looks at idle while the chain goes on. Parents push far
// more than a ring holds: full rings (their own too) must not stall or drop.
TEST(QzWorkerManager, WaitsAndShutdownCoverUnitsThatUnitsPush)
{
    for (unsigned int workers : {1u, 2u, 2u, 3u})
    {
        SFamily chain{nullptr}, parents{nullptr};
        {
            CQzWorkerManager manager(workers);
            chain.manager = parents.manager = &manager;
            manager.PushWorkUnit(Link, &chain, WORKER_TAG_5);
            manager.WaitForAllCompletion();
            EXPECT_EQ(chain.units.load(std::memory_order_relaxed), 2000u) << workers << " workers";
            for (int i = 0; i < 300; ++i)
                manager.PushWorkUnit(Parent, &parents, WORKER_TAG_1);
            manager.WaitForAllCompletion(); // the units a worker ran in place count as well
            EXPECT_EQ(parents.units.load(), 30000u) << workers << " workers";
            for (int i = 0; i < 300; ++i) // left to the shutdown
                manager.PushWorkUnit(Parent, &parents, WORKER_TAG_1);
        }
        EXPECT_EQ(parents.units.load(), 60000u) << workers << " workers";
    }
}

// The test plays pushers and workers on an idle worker's record: one unit stays
// outstanding while others are pushed and completed at an uneven pace. A wait
// reading a stale pushed count against a newer completed count returns early.
TEST(QzWorkerManager, WaitsNeverReturnWhileAUnitIsOutstanding)
{
    CInspectedManager manager(1);
    std::mt19937 random(5);
    for (int round = 0; round < 12; ++round)
    {
        bool const tagWait = round % 2 == 1;
        CQzWorkerManager::SWorkerQueue& worker = manager.Worker(0);
        std::atomic<unsigned int>& pushed = tagWait ? worker.tagPushed[3] : worker.unitsPushed;
        std::atomic<unsigned int>& completed = tagWait ? worker.tagCompleted[3] : worker.unitsCompleted;
        unsigned int count = completed.load();
        pushed.store(count + 1);
        std::atomic<bool> waiting(false), settled(false), early(false);
        std::thread waiter([&] {
            waiting.store(true);
            tagWait ? manager.WaitForTagCompletion(WORKER_TAG_3) : manager.WaitForAllCompletion();
            early.store(!settled.load());
        });
        while (!waiting.load())
            std::this_thread::yield();
        for (int step = 0; step < 50000 && !early.load(std::memory_order_relaxed); ++step)
        {
            pushed.store(++count + 1, std::memory_order_release);
            for (unsigned int pace = random() % 32; pace > 0; --pace)
                waiting.load(std::memory_order_relaxed);
            completed.store(count, std::memory_order_release);
        }
        settled.store(true);
        completed.store(count + 1, std::memory_order_release);
        waiter.join();
        ASSERT_FALSE(early.load()) << (tagWait ? "tag" : "all") << " wait, round " << round;
    }
}
