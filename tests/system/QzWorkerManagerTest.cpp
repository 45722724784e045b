// Tests of CQzWorkerManager: units from several pushers through full rings,
// waits that return only once the counted work is done (across counters
// that wrap at 2^32), tag waits, copies, shutdown that runs every unit
// (units that push included), the last copy released inside a unit, and
// the workers' names.
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"
#include "system/QzWorkerManager.h"

#include "QzThreadCount.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <atomic>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// Each unit counts its runs in a slot of its own, unsynchronised: a wait
// that returned early would read a slot still being written.
void Mark(void* slot)
{
    ++*static_cast<unsigned int*>(slot);
}

// Slots [begin, end) each ran once; newest first, as those would still be
// pending after an early return.
::testing::AssertionResult RanOnce(std::vector<unsigned int> const& slots, std::size_t begin, std::size_t end)
{
    for (std::size_t i = end; i-- > begin;)
        if (slots[i] != 1)
            return ::testing::AssertionFailure() << "unit " << i << " ran " << slots[i] << " times";
    return ::testing::AssertionSuccess();
}

// A unit that notes its worker's name, then holds the worker until the gate
// opens.
struct SHold
{
    CQzWaitEvent* gate;
    char name[16];
};

void Hold(void* argument)
{
    SHold& hold = *static_cast<SHold*>(argument);
    pthread_getname_np(pthread_self(), hold.name, sizeof hold.name);
    hold.gate->Wait();
}

// Exposes the worker records to read and set their counters.
class CInspectedManager : public CQzWorkerManager
{
public:
    explicit CInspectedManager(unsigned int workers) : CQzWorkerManager(workers) {}
    SWorkerQueue& Worker(unsigned int index) { return GetWorkerQueues()[index]; }
};

} // namespace

TEST(QzWorkerManager, WaitsCoverEveryPusherThroughFullRingsAndTagWaitsOnlyTheirTag)
{
    CInspectedManager manager(2);
    for (unsigned int w = 0; w < 2; ++w) // counters about to wrap
    {
        manager.Worker(w).unitsPushed.store(0xFFFFFFFFu);
        manager.Worker(w).unitsCompleted.store(0xFFFFFFFFu);
        manager.Worker(w).tagPushed[3].store(0xFFFFFFFEu);
        manager.Worker(w).tagCompleted[3].store(0xFFFFFFFEu);
    }
    unsigned int const first = 400, pushers = 3, perPusher = 1000;
    std::vector<unsigned int> slots(first + pushers * perPusher);
    for (unsigned int i = 0; i < first; ++i)
        manager.PushWorkUnit(Mark, &slots[i], WORKER_TAG_3);
    // behind them, one unit on each worker that holds it until the gate opens
    CQzWaitEvent gate;
    gate.Clear();
    SHold holds[2] = {{&gate, {}}, {&gate, {}}};
    for (SHold& hold : holds)
        manager.PushWorkUnit(Hold, &hold, WORKER_TAG_5);
    manager.WaitForTagCompletion(WORKER_TAG_3);
    EXPECT_TRUE(RanOnce(slots, 0, first));
    EXPECT_EQ(manager.Worker(0).tagCompleted[3] + manager.Worker(1).tagCompleted[3], first - 4u);
    manager.WaitForTagCompletion(WORKER_TAG_1); // nothing of tag 1 was pushed
    EXPECT_EQ(manager.Worker(0).tagPushed[5] - manager.Worker(0).tagCompleted[5] + manager.Worker(1).tagPushed[5] -
                  manager.Worker(1).tagCompleted[5],
              2u);

    // the pushers fill both rings and wait for room until the gate opens;
    // each one's wait covers its own units while the others still push
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
    gate.Set();
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_TRUE(RanOnce(slots, 0, slots.size()));
    EXPECT_EQ(manager.Worker(0).unitsCompleted + manager.Worker(1).unitsCompleted, unsigned(slots.size()));
    EXPECT_EQ(std::set<std::string>({holds[0].name, holds[1].name}), std::set<std::string>({"QzWorker0", "QzWorker1"}));
    EXPECT_EQ(CQzWorkerManager().GetWorkerCount(), QzGetProcessorCount());
}

TEST(QzWorkerManager, CopiesShareTheWorkersAndTheLastOneShutsThemDown)
{
    ASSERT_EQ(qztest::CountWorkerThreads(), 0u);
    std::vector<unsigned int> slots(300);
    {
        CQzWorkerManager* const original = new CQzWorkerManager(2);
        CQzWorkerManager copy(*original);
        CQzWorkerManager assigned(1);
        assigned = *original;
        EXPECT_EQ(assigned.GetWorkerCount(), 2u);
        for (unsigned int i = 0; i < 300; ++i)
        {
            if (i == 100)
                delete original; // the copies go on without it
            (i < 100 ? *original : i < 200 ? copy : assigned).PushWorkUnit(Mark, &slots[i], WORKER_TAG_0);
        }
        assigned.WaitForAllCompletion(); // waits for what the others pushed as well
        EXPECT_TRUE(RanOnce(slots, 0, slots.size()));
    }
    EXPECT_TRUE(qztest::AwaitWorkerThreads(0));
}

namespace {

// Parents that each push 100 leaves, or a chain whose every link pushes the
// next, through the manager the units run on.
struct SFamily
{
    CQzWorkerManager* manager;
    std::atomic<unsigned int> units{0};
};

void Leaf(void* family)
{
    static_cast<SFamily*>(family)->units.fetch_add(1, std::memory_order_relaxed);
}

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

// Each link of a chain goes to the next worker, so one walk over the
// workers can find the one it looks at idle while the chain goes on. The
// parents push far more than a ring holds, so workers also meet full rings
// (their own among them, with one worker) and must neither wait nor drop.
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
            for (int i = 0; i < 600; ++i)
            {
                manager.PushWorkUnit(Parent, &parents, WORKER_TAG_1);
                if (i == 299) // the units a worker ran in place count as well
                {
                    manager.WaitForAllCompletion();
                    EXPECT_EQ(parents.units.load(), 30000u) << workers << " workers";
                }
            }
        }
        EXPECT_EQ(parents.units.load(), 60000u) << workers << " workers";
    }
}

// The test stands in for pushers and workers on an idle worker's record:
// one unit stays outstanding while others are pushed and completed at an
// uneven pace. A wait that read a stale pushed count against a newer
// completed count would return while that unit is still outstanding.
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

TEST(QzWorkerManager, LastCopyReleasedInsideAUnitLetsTheWorkersFinishAndLeave)
{
    ASSERT_EQ(qztest::CountWorkerThreads(), 0u);
    // static: the detached workers touch it until they leave, which this
    // thread sees in /proc rather than through a join
    static SFamily family{nullptr};
    family.manager = new CQzWorkerManager(2);
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
